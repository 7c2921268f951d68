#include "project/Optbytyp.h"

#include <memory>
#include <set>

#include "platform/core/Archive.h"
#include "platform/core/Map.h"
#include "productdb/Opttable.h"
#include "productdb/Subtypes.h"
#include "project/Stamp.h"
#include "support/ComExcpt.h"

IMPLEMENT_SERIAL(CCurrentOptionChoicesByType, CObject, VERSIONABLE_SCHEMA | 10000)
IMPLEMENT_DYNAMIC(COptionChoicesByTypeArray, CObOwnArray)

namespace {

constexpr const char* kModule = "Optbytyp";
constexpr int kNoSuchTypeLine = 262;

// A record takes at least a one-byte type prefix and a two-byte pair count.
constexpr unsigned long long kMinRecordBytes = 3;
constexpr unsigned long long kPairBytes = 8;

using CChoiceMap = CMap<DWORD, DWORD, DWORD, DWORD>;

// Calls visit(subtypeCode) for every subtype of the type, in SUBTYPES index 1 order.
template <class Visit>
void ForEachSubtype(const CString& unitType, Visit visit)
{
  CSubTypesRec subtype;
  subtype.SetTypeCode(unitType);
  subtype.SetSubtypeCode("");
  BOOL atEnd = FALSE;
  for (int r = subtype.SeekGE(1, &atEnd); r == 0 && subtype.GetTypeCode() == unitType; r = subtype.Next(&atEnd))
    visit(subtype.GetSubtypeCode());
}

// Calls visit(type code, short description) for every TYPES row in index 1 order.
template <class Visit>
void ForEachType(Visit visit)
{
  CTypesRec type;
  BOOL atEnd = FALSE;
  for (int r = type.First(1); r == 0; r = type.Next(&atEnd))
    visit(type.GetTypeCode(), type.GetShortDescription());
}

}  // namespace

CCurrentOptionChoicesByType::CCurrentOptionChoicesByType(const CString& unitType)
  : m_strDescription(LookUpDescription(unitType)), m_strUnitType(unitType)
{}

CCurrentOptionChoicesByType::CCurrentOptionChoicesByType(const CString& unitType, const CString& description)
  : m_strDescription(description), m_strUnitType(unitType)
{}

CCurrentOptionChoicesByType::CCurrentOptionChoicesByType(const CCurrentOptionChoicesByType& other)
  : CObject(other),
    m_strDescription(other.m_strDescription),
    m_choices(other.m_choices),
    m_strUnitType(other.m_strUnitType)
{}

CCurrentOptionChoicesByType& CCurrentOptionChoicesByType::operator=(const CCurrentOptionChoicesByType& other)
{
  if (&other != this) {
    m_choices = other.m_choices;
    m_strDescription = other.m_strDescription;
    m_strUnitType = other.m_strUnitType;
  }
  return *this;
}

CString CCurrentOptionChoicesByType::LookUpDescription(const CString& unitType)
{
  CTypesRec types;
  return LookUpDescription(unitType, types);
}

CString CCurrentOptionChoicesByType::LookUpDescription(const CString& unitType, CTypesRec& types)
{
  types.SetTypeCode(unitType);
  if (unitType.IsEmpty() || types.Find(1) != 0 || types.GetTypeCode() != unitType)
    return unitType;
  return types.GetShortDescription();
}

int CCurrentOptionChoicesByType::SetChoice(int category, int choice)
{
  m_choices.SetChoice(category, choice);
  return 0;
}

int CCurrentOptionChoicesByType::GetChoice(int category) const { return m_choices.GetChoice(category); }

void CCurrentOptionChoicesByType::GetCategories(COptCatsRecArray& categories) const
{
  categories.RemoveAll();
  std::set<int> seen;
  ForEachSubtype(m_strUnitType, [&](const CString& subtype) {
    COptTableRecArray rows(m_strUnitType, subtype);
    for (int i = 0; i < rows.GetSize(); ++i) {
      int category = rows.GetAt(i)->GetCategory();
      if (seen.insert(category).second)
        categories.Add(new COptCatsRec(category));
    }
  });
}

void CCurrentOptionChoicesByType::GetCategoryChoices(int category, COptChoicRecArray& choices) const
{
  choices.RemoveAll();
  std::set<int> seen;
  ForEachSubtype(m_strUnitType, [&](const CString& subtype) {
    COptTableRecArray rows(m_strUnitType, subtype);
    for (int i = 0; i < rows.GetSize(); ++i) {
      const COptTableRec* row = rows.GetAt(i);
      if (row->GetCategory() == category && seen.insert(row->GetChoice()).second)
        choices.Add(new COptChoicRec(category, row->GetChoice()));
    }
  });
}

void CCurrentOptionChoicesByType::Serialize(CArchive& ar)
{
  if (ar.IsStoring()) {
    CChoiceMap map;
    // The pairs go out in the order of the class library's map of 17 buckets, which stored
    // files have always had; a reader accepts any order.
    for (int i = 0; i < m_choices.GetSize(); ++i)
      map[static_cast<DWORD>(m_choices.GetAt(i)->GetCategory())] = static_cast<DWORD>(m_choices.GetAt(i)->GetChoice());
    ar << m_strUnitType;
    ar.WriteCount(static_cast<DWORD>(map.GetCount()));
    DWORD category = 0, choice = 0;
    for (POSITION pos = map.GetStartPosition(); pos;) {
      map.GetNextAssoc(pos, category, choice);
      ar << category << choice;
    }
    return;
  }
  CTypesRec types;
  Load(ar, types);
}

void CCurrentOptionChoicesByType::Load(CArchive& ar, CTypesRec& types)
{
  ar >> m_strUnitType;
  m_strDescription = LookUpDescription(m_strUnitType, types);
  DWORD count = ar.ReadCount();
  ar.CheckAvailable(count, kPairBytes);
  CChoiceMap map;
  for (DWORD i = 0; i < count; ++i) {
    DWORD category = 0, choice = 0;
    ar >> category >> choice;
    map[category] = choice;
  }
  m_choices.RemoveAll();
  DWORD category = 0, choice = 0;
  for (POSITION pos = map.GetStartPosition(); pos;) {
    map.GetNextAssoc(pos, category, choice);
    m_choices.SetChoice(static_cast<int>(category), static_cast<int>(choice));
  }
}

COptionChoicesByTypeArray::COptionChoicesByTypeArray()
{
  ForEachType([this](const CString& code, const CString& description) {
    Add(new CCurrentOptionChoicesByType(code, description));
  });
}

COptionChoicesByTypeArray& COptionChoicesByTypeArray::operator=(const COptionChoicesByTypeArray& other)
{
  if (&other == this)
    return *this;
  RemoveAll();
  for (int i = 0; i < other.GetSize(); ++i)
    Add(new CCurrentOptionChoicesByType(*other.GetAt(i)));
  return *this;
}

int COptionChoicesByTypeArray::FindType(const CString& unitType) const
{
  for (int i = 0; i < GetSize(); ++i)
    if (GetAt(i)->GetUnitType() == unitType)
      return i;
  return -1;
}

CCurrentOptionChoices& COptionChoicesByTypeArray::GetChoicesByType(const CString& unitType)
{
  int index = FindType(unitType);
  if (index < 0)
    throw CCommonException(kModule, kNoSuchTypeLine);
  return GetAt(index)->GetChoices();
}

void COptionChoicesByTypeArray::AddMissingTypes()
{
  ForEachType([this](const CString& code, const CString& description) {
    if (FindType(code) < 0)
      Add(new CCurrentOptionChoicesByType(code, description));
  });
}

void COptionChoicesByTypeArray::Serialize(CArchive& ar)
{
  SerializeVersionStamp(ar);
  if (ar.IsStoring()) {
    ar << static_cast<DWORD>(GetSize());
    for (int i = 0; i < GetSize(); ++i)
      GetAt(i)->Serialize(ar);
    return;
  }
  RemoveAll();
  DWORD count = 0;
  ar >> count;
  ar.CheckAvailable(count, kMinRecordBytes);
  CTypesRec types;
  for (DWORD i = 0; i < count; ++i) {
    auto record = std::make_unique<CCurrentOptionChoicesByType>();
    record->Load(ar, types);
    Add(record.release());
  }
}
