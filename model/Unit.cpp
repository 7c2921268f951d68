#include "model/Unit.h"

#include <memory>
#include <utility>
#include <vector>

#include "model/Sizecomp.h"
#include "model/Unitexcp.h"
#include "productdb/Optcats.h"
#include "productdb/Subtypes.h"
#include "productdb/Typesrec.h"
#include "support/Unitscvt.h"

IMPLEMENT_DYNAMIC(CUnit, CProductBase)

namespace {
constexpr const char* kModule = "Unit";
constexpr int kNoTypesRowLine = 61;
constexpr int kNoSubtypesRowLine = 66;
constexpr int kOtherTypeAssignedLine = 131;
constexpr int kOtherTypeAttributesLine = 901;
constexpr int kPairWithoutColonLine = 920;
constexpr int kNoAttributeLeftLine = 1292;

int g_lastUnitID = 0;
int g_serialPauses = 0;

int NextUnitID() { return g_serialPauses > 0 ? 0 : ++g_lastUnitID; }
}  // namespace

CUnitSerialPause::CUnitSerialPause() { ++g_serialPauses; }

CUnitSerialPause::~CUnitSerialPause() { --g_serialPauses; }

CUnit::CUnit(const CString& type, const CString& subtype)
{
  auto typesRec = std::make_unique<CTypesRec>(type);
  if (type.IsEmpty() || typesRec->GetTypeCode() != type)
    throw CUnitException(kModule, kNoTypesRowLine);
  auto subTypesRec = std::make_unique<CSubTypesRec>(type, subtype);
  if (subtype.IsEmpty() || subTypesRec->GetSubtypeCode() != subtype)
    throw CUnitException(kModule, kNoSubtypesRowLine);
  m_pTypesRec = std::move(typesRec);
  m_pSubTypesRec = std::move(subTypesRec);
  m_nUnitID = NextUnitID();
  CUnit::ResetProposedSize();
}

CUnit::CUnit(const CUnit& source)
  : CProductBase(source),
    m_vProposedOffset(source.m_vProposedOffset),
    m_pTypesRec(std::make_unique<CTypesRec>(*source.m_pTypesRec)),
    m_pSubTypesRec(std::make_unique<CSubTypesRec>(*source.m_pSubTypesRec))
{
  if (source.m_pSizedComponents)
    m_pSizedComponents = std::make_unique<CSizedComponentArray>(*source.m_pSizedComponents);
  m_nUnitID = NextUnitID();
}

CUnit::~CUnit() = default;

CUnit& CUnit::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  if (source.GetType() != GetType() || source.GetSubtype() != GetSubtype())
    throw CUnitException(kModule, kOtherTypeAssignedLine);
  std::unique_ptr<CSizedComponentArray> components;
  if (source.m_pSizedComponents)
    components = std::make_unique<CSizedComponentArray>(*source.m_pSizedComponents);
  CProductBase::operator=(source);
  m_vProposedOffset = source.m_vProposedOffset;
  DiscardGeometry();
  m_pSizedComponents = std::move(components);
  return *this;
}

CString CUnit::GetType() const { return m_pTypesRec->GetTypeCode(); }
CString CUnit::GetSubtype() const { return m_pSubTypesRec->GetSubtypeCode(); }
CString CUnit::GetTypeDescription() const { return m_pTypesRec->GetShortDescription(); }
CString CUnit::GetSubtypeDescription() const { return m_pSubTypesRec->GetShortDescription(); }
BOOL CUnit::GetSubtypeFlag() const { return m_pSubTypesRec->GetFlag58(); }

int CUnit::GetPanelCount() const { return 1; }

CString CUnit::GetNextAttribute(CString& attributes)
{
  if (attributes.IsEmpty())
    throw CUnitException(kModule, kNoAttributeLeftLine);
  const int comma = attributes.Find(',');
  if (comma < 0) {
    CString token = attributes;
    attributes.Empty();
    return token;
  }
  CString token = attributes.Left(comma);
  attributes = attributes.Mid(comma + 1);
  return token;
}

// Type, subtype, the number of option pairs and the pairs in category order; numbers are
// written in the "C" locale whatever the process locale is.
CString CUnit::GetAttributes() const
{
  COptCatsRecArray categories;
  GetOptionCategories(categories);
  CString pairs;
  int count = 0;
  for (int i = 0; i < categories.GetSize(); ++i) {
    const int category = categories.GetAt(i)->GetCategory();
    const int choice = GetOptionChoice(category, 0);
    if (choice == 0)
      continue;
    pairs += CString::Formatted(",%li:%li", static_cast<long>(category), static_cast<long>(choice));
    ++count;
  }
  return GetType() + "," + GetSubtype() + CString::Formatted(",%i", count) + pairs;
}

void CUnit::SetAttributes(CString& attributes)
{
  const CString type = GetNextAttribute(attributes);
  const CString subtype = GetNextAttribute(attributes);
  if (type != GetType() || subtype != GetSubtype())
    throw CUnitException(kModule, kOtherTypeAttributesLine);
  // Every pair is read and checked before the choices are replaced: a string refused halfway
  // leaves the unit's options as they were.
  std::vector<std::pair<int, int>> pairs;
  const long count = StrToLong(GetNextAttribute(attributes));
  for (long n = 0; n < count; ++n) {
    const CString pair = GetNextAttribute(attributes);
    const int colon = pair.Find(':');
    if (colon < 0)
      throw CUnitException(kModule, kPairWithoutColonLine);
    pairs.emplace_back(static_cast<int>(StrToLong(pair.Left(colon))), static_cast<int>(StrToLong(pair.Mid(colon + 1))));
  }
  DeleteOptionChoices();
  // A pair the unit's type does not offer is refused by SetOptionChoice and dropped.
  for (const auto& [category, choice] : pairs)
    SetOptionChoice(category, choice);
}

CVRX2DVector CUnit::SetSizeToProposed()
{
  const CVRX2DVector offset = m_vProposedOffset;
  m_vProposedOffset.Set(0.0, 0.0);
  DiscardGeometry();
  return offset;
}

void CUnit::ResetProposedSize() { m_vProposedOffset.Set(0.0, 0.0); }

const CSizedComponentArray* CUnit::GetSizedComponents() const
{
  if (m_pSizedComponents)
    return m_pSizedComponents.get();
  // The outline is derived from the components: it goes with them.
  m_Outline.RemoveAll();
  m_pSizedComponents = std::make_unique<CSizedComponentArray>();
  try {
    BuildSizedComponents();
  } catch (...) {
    // A half-built array would be taken for the unit's components by the next request.
    m_pSizedComponents.reset();
    throw;
  }
  return m_pSizedComponents.get();
}

CSizedComponentArray* CUnit::GetSizedComponents()
{
  std::as_const(*this).GetSizedComponents();
  return m_pSizedComponents.get();
}

int CUnit::GetComponentID(int i) const { return GetSizedComponents()->GetAt(i)->GetID(); }

double CUnit::GetComponentDistance(int i, int line1, int line2) const
{
  return GetSizedComponents()->GetAt(i)->GetElevationDistance(line1, line2);
}

void CUnit::DiscardGeometry()
{
  m_pSizedComponents.reset();
  m_Outline.RemoveAll();
}

namespace {
// Sizes are shown in whole inches unless metric units are asked for.
int SizeTextFormat(int lengthFormat)
{
  if (lengthFormat == CUnitsConverter::feetAndInches || lengthFormat == CUnitsConverter::fractionalInches)
    return CUnitsConverter::wholeInches;
  return lengthFormat;
}
}  // namespace

CString CUnit::FormatSizeText(const CString& head, int lengthFormat, const std::vector<double>& lengths)
{
  const CUnitsConverter converter;
  CString text = head + ":";
  const char* separator = "";
  for (double length : lengths) {
    text += separator + converter.FormatLength(SizeTextFormat(lengthFormat), length);
    separator = "x";
  }
  return text;
}

CString CUnit::FormatSizeText(const CString& head, int lengthFormat, const std::vector<double>& lengths, double radius)
{
  return FormatSizeText(head, lengthFormat, lengths) + " R" +
         CUnitsConverter().FormatLength(SizeTextFormat(lengthFormat), radius);
}
