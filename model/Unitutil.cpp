#include "model/Unitutil.h"

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
};

// The factory's table; the index of a key is its position here.
constexpr CUnitTypeEntry kUnitTypes[CUnitTypeMap::kKeyCount] = {
    {"ARBA011", "CARBasic"},
    {"ARDL013", "CARDoubleLeg"},
    {"ARS1013", "CARSingleLegType1"},
    {"ARS2013", "CARSingleLegType2"},
    {"AWBA002", "CAWBasic"},
    {"AWPI002", "CAWPicture"},
    {"AWVP002", "CAWVentingPicture"},
    {"BUBA020", nullptr},
    {"CABA001", "CCABasic"},
    {"CAPI001", "CCAPicture"},
    {"DHQV004", "CDHTrimveld"},
    {"DHPI003", "CDHPicture"},
    {"DHTR003", "CDHTransom"},
    {"DHKC003", "CDHCantorel"},
    {"VGDI010", "CVGDiamond"},
    {"VGHP010", "CVGHorizontalParallelogram"},
    {"VGHX010", "CVGHexagon"},
    {"VGIT010", "CVGIsocolesTriangle"},
    {"VGOC010", "CVGOctagon"},
    {"VGP1010", "CVGAngledPentagonType1"},
    {"VGP2010", "CVGAngledPentagonType2"},
    {"VGPP010", "CVGPeakPentagon"},
    {"VGRE010", "CVGRectangle"},
    {"VGRH010", "CVGRegularHexagon"},
    {"VGT1010", "CVGRightTriangleType1"},
    {"VGT2010", "CVGRightTriangleType2"},
    {"VGTZ010", "CVGTrapezoid"},
    {"VGVP010", "CVGVerticalParallelogram"},
    {"FGBA015", "CFGBasic"},
    {"FHBA014", "CFHBasic"},
    {"GLBA005", "CGLBasic"},
    {"PSBA016", "CPSBasic"},
    {"RWST100", nullptr},
    {"RWVE101", nullptr},
    {"RWVT102", nullptr},
    {"SKBA110", nullptr},
    {"SLAR012", "CSLArch"},
    {"SLBA012", "CSLBasic"},
    {"SWCC006", "CSWCasementAwningCircleTop"},
    {"SWCD007", "CSWDoubleHungCircleTop"},
    {"SWCI009", "CSWCircle"},
    {"SWCL006", "CSWCasementAwningQtrRoundLeft"},
    {"SWCR006", "CSWCasementAwningQtrRoundRight"},
    {"SWET008", "CSWEllipticalTop"},
    {"SWFC039", "CSWFullChordCasement"},
    {"SWFD039", "CSWFullChordDoubleHung"},
    {"SWFR040", "CSWMonumentalFullRound"},
    {"SWJQ039", "CSWFullChordMarquell"},
    {"SWGT041", "CSWGothic"},
    {"SWML042", "CSWMonumentalQuarterRoundLeft"},
    {"SWMR042", "CSWMonumentalQuarterRoundRight"},
    {"SWOC010", "CSWOctagon"},
    {"SWOV009", "CSWOval"},
};

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
