// The report rows a unit makes about itself.
#include "model/Unit.h"

#include <memory>

#include "model/Rptdata.h"
#include "productdb/Optcats.h"

// Keys carry numbers written in the "C" locale, so equal units compare equal on any machine.
CString CUnit::MakeInfoReportKey(CArray<int, int>& categories, CArray<int, int>& choices) const
{
  CString key = GetType() + "," + GetSubtype();
  COptCatsRecArray offered;
  GetOptionCategories(offered);
  for (int i = 0; i < offered.GetSize(); ++i) {
    const int category = offered.GetAt(i)->GetCategory();
    const int choice = GetOptionChoice(category, 1);
    if (choice == 0)
      continue;
    key += CString::Formatted(",%li:%li", static_cast<long>(category), static_cast<long>(choice));
    categories.Add(category);
    choices.Add(choice);
  }
  if (categories.GetSize() == 0)
    key += ",NoOptions";
  return key;
}

void CUnit::GetReportData(CUnitInfoReportDataArray& records) const
{
  CArray<int, int> categories, choices;
  CUnitInfoReportData record;
  record.m_nSerialID = GetUnitID();
  record.m_strUnitKey = MakeInfoReportKey(categories, choices);
  record.m_strDescription = GetTypeDescription() + " " + GetSubtypeDescription();
  const int count = categories.GetSize() > 0 ? categories.GetSize() : 1;
  for (int i = 0; i < count; ++i) {
    auto copy = std::make_unique<CUnitInfoReportData>(record);
    if (categories.GetSize() > 0) {
      copy->m_nOptionCategory = categories[i];
      copy->m_nOptionChoice = choices[i];
    }
    records.Add(copy.release());
  }
}

void CUnit::GetReportData(CScheduleReportDataArray& rows) const
{
  auto row = std::make_unique<CScheduleReportData>();
  row->m_nSerialID = GetUnitID();
  row->m_strUnitKey = GetType() + "," + GetSubtype();
  row->m_strDescription = GetTypeDescription() + " " + GetSubtypeDescription();
  row->m_dUnitHeight = GetHeight();
  row->m_dUnitWidth = GetWidth();
  row->m_dRoughOpeningHeight = GetOutlineHeight();
  row->m_dRoughOpeningWidth = GetOutlineWidth();
  rows.Add(row.release());
}
