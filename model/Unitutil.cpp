#include "model/Unitutil.h"

#include <cstring>
#include <iterator>

#include "model/Unit.h"
#include "model/Unitexcp.h"
#include "support/Trace.h"

namespace {
constexpr const char* kModule = "Unitutil";
constexpr int kUnknownKeyLine = 180;
constexpr int kBadRegistrationLine = 205;
constexpr int kBadIndexLine = 587;

struct CUnitTypeEntry
{
  const char* key;
  const char* className;  // null: a known key for which no unit class exists
  EUnitSizing sizing;
};

// The one list of known keys: the factory, the class registrations and the unit sheet all read
// it. The index of a key is its position here.
constexpr CUnitTypeEntry kUnitTypes[] = {
    {"ARBA011", "CARBasic", EUnitSizing::StandardArched},
    {"ARDL013", "CARDoubleLeg", EUnitSizing::CustomArchedDL},
    {"ARS1013", "CARSingleLegType1", EUnitSizing::CustomArched},
    {"ARS2013", "CARSingleLegType2", EUnitSizing::CustomArched},
    {"AWBA002", "CAWBasic", EUnitSizing::Standard},
    {"AWPI002", "CAWPicture", EUnitSizing::Standard},
    {"AWVP002", "CAWVentingPicture", EUnitSizing::Standard},
    {"BUBA020", nullptr, EUnitSizing::None},
    {"CABA001", "CCABasic", EUnitSizing::Standard},
    {"CAPI001", "CCAPicture", EUnitSizing::Standard},
    {"DHQV004", "CDHTrimveld", EUnitSizing::Standard},
    {"DHPI003", "CDHPicture", EUnitSizing::Standard},
    {"DHTR003", "CDHTransom", EUnitSizing::Standard},
    {"DHKC003", "CDHCantorel", EUnitSizing::Standard},
    {"VGDI010", "CVGDiamond", EUnitSizing::Varigon},
    {"VGHP010", "CVGHorizontalParallelogram", EUnitSizing::Varigon},
    {"VGHX010", "CVGHexagon", EUnitSizing::Varigon},
    {"VGIT010", "CVGIsocolesTriangle", EUnitSizing::Varigon},
    {"VGOC010", "CVGOctagon", EUnitSizing::Varigon},
    {"VGP1010", "CVGAngledPentagonType1", EUnitSizing::Varigon},
    {"VGP2010", "CVGAngledPentagonType2", EUnitSizing::Varigon},
    {"VGPP010", "CVGPeakPentagon", EUnitSizing::Varigon},
    {"VGRE010", "CVGRectangle", EUnitSizing::Varigon},
    {"VGRH010", "CVGRegularHexagon", EUnitSizing::Varigon},
    {"VGT1010", "CVGRightTriangleType1", EUnitSizing::Varigon},
    {"VGT2010", "CVGRightTriangleType2", EUnitSizing::Varigon},
    {"VGTZ010", "CVGTrapezoid", EUnitSizing::Varigon},
    {"VGVP010", "CVGVerticalParallelogram", EUnitSizing::Varigon},
    {"FGBA015", "CFGBasic", EUnitSizing::Standard},
    {"FHBA014", "CFHBasic", EUnitSizing::Standard},
    {"GLBA005", "CGLBasic", EUnitSizing::Standard},
    {"PSBA016", "CPSBasic", EUnitSizing::Standard},
    {"RWST100", nullptr, EUnitSizing::None},
    {"RWVE101", nullptr, EUnitSizing::None},
    {"RWVT102", nullptr, EUnitSizing::None},
    {"SKBA110", nullptr, EUnitSizing::None},
    {"SLAR012", "CSLArch", EUnitSizing::StandardArched},
    {"SLBA012", "CSLBasic", EUnitSizing::StandardArched},
    {"SWCC006", "CSWCasementAwningCircleTop", EUnitSizing::Standard},
    {"SWCD007", "CSWDoubleHungCircleTop", EUnitSizing::Standard},
    {"SWCI009", "CSWCircle", EUnitSizing::Standard},
    {"SWCL006", "CSWCasementAwningQtrRoundLeft", EUnitSizing::Standard},
    {"SWCR006", "CSWCasementAwningQtrRoundRight", EUnitSizing::Standard},
    {"SWET008", "CSWEllipticalTop", EUnitSizing::Standard},
    {"SWFC039", "CSWFullChordCasement", EUnitSizing::Standard},
    {"SWFD039", "CSWFullChordDoubleHung", EUnitSizing::Standard},
    {"SWFR040", "CSWMonumentalFullRound", EUnitSizing::Standard},
    {"SWJQ039", "CSWFullChordMarquell", EUnitSizing::Standard},
    {"SWGT041", "CSWGothic", EUnitSizing::Standard},
    {"SWML042", "CSWMonumentalQuarterRoundLeft", EUnitSizing::Standard},
    {"SWMR042", "CSWMonumentalQuarterRoundRight", EUnitSizing::Standard},
    {"SWOC010", "CSWOctagon", EUnitSizing::Standard},
    {"SWOV009", "CSWOval", EUnitSizing::Standard},
};
static_assert(std::size(kUnitTypes) == CUnitTypeMap::kKeyCount);

UnitCreator* Creators()
{
  static UnitCreator creators[CUnitTypeMap::kKeyCount] = {};
  return creators;
}
}  // namespace

CUnitTypeMap::CUnitTypeMap()
{
  for (int i = 0; i < kKeyCount; ++i) {
    PCTRACE(TT_UNIT, TL_VERBOSE)("Adding key %s for value %d \n", kUnitTypes[i].key, i);
    SetAt(kUnitTypes[i].key, i);
  }
}

BOOL CUnitTypeMap::Lookup(const CString& type, const CString& subtype, int& index) const
{
  const CString key = type + subtype;
  PCTRACE(TT_UNIT, TL_VERBOSE)("CUnitTypeMap()  Looking up key %s\n", key.c_str());
  const BOOL found = CMap::Lookup(key, index);
  PCTRACE(TT_UNIT, TL_VERBOSE)("CUnitTypeMap()  Found = %s\n", found ? "TRUE" : "FALSE");
  return found;
}

const char* CUnitTypeMap::GetKey(int index)
{
  return index >= 0 && index < kKeyCount ? kUnitTypes[index].key : nullptr;
}

const char* CUnitTypeMap::GetClassName(int index)
{
  return index >= 0 && index < kKeyCount ? kUnitTypes[index].className : nullptr;
}

EUnitSizing CUnitTypeMap::GetSizing(int index)
{
  return index >= 0 && index < kKeyCount ? kUnitTypes[index].sizing : EUnitSizing::None;
}

const char* CUnitTypeMap::GetKeyOfClass(const char* className)
{
  if (className)
    for (const CUnitTypeEntry& entry : kUnitTypes)
      if (entry.className && std::strcmp(entry.className, className) == 0)
        return entry.key;
  return nullptr;
}

const CUnitTypeMap& TheUnitTypeMap()
{
  static const CUnitTypeMap map;
  return map;
}

void RegisterUnitClass(const char* key, UnitCreator creator)
{
  int index = -1;
  if (!key || !TheUnitTypeMap().Lookup(key, index) || !kUnitTypes[index].className)
    throw CUnitException(kModule, kBadRegistrationLine);
  Creators()[index] = creator;
}

CUnit* MakeUnit(const CString& type, const CString& subtype, BOOL* checkOnly)
{
  const CString key = type + subtype;
  if (!checkOnly)
    PCTRACE(TT_UNIT, TL_IMPORTANT)("MakeUnit: Constructing a %s unit.\n", key.c_str());
  else {
    *checkOnly = FALSE;
    PCTRACE(TT_UNIT, TL_IMPORTANT)("MakeUnit: Checking to see if a %s unit can be instantiated.\n", key.c_str());
  }
  int index = -1;
  if (!TheUnitTypeMap().Lookup(type, subtype, index))
    throw CUnitException(kModule, kUnknownKeyLine);
  if (index < 0 || index >= CUnitTypeMap::kKeyCount) {
    CUnitException e(kModule, kBadIndexLine);
    e.SetMessage("Cannot create CUnit: invalid type and subtype of " + key);
    throw e;
  }
  const UnitCreator creator = Creators()[index];
  if (!creator)
    return nullptr;
  if (checkOnly) {
    *checkOnly = TRUE;
    return nullptr;
  }
  return creator();
}
