#include "model/Rptdata.h"

namespace {

int CompareSchedule(const CScheduleReportData& a, const CScheduleReportData& b)
{
  int r = CompareReportText(a.m_strDesignName, b.m_strDesignName);
  if (r == 0)
    r = CompareReportText(a.m_strReference, b.m_strReference);
  if (r == 0)
    r = CompareReportText(a.m_strDescription, b.m_strDescription);
  if (r == 0)
    r = CompareReportText(a.m_strUnitKey, b.m_strUnitKey);
  return r;
}

int CompareUnitInfo(const CUnitInfoReportData& a, const CUnitInfoReportData& b)
{
  int r = CompareReportText(a.m_strDesignName, b.m_strDesignName);
  if (r == 0)
    r = CompareReportText(a.m_strReference, b.m_strReference);
  if (r == 0)
    r = CompareReportText(a.m_strDescription, b.m_strDescription);
  if (r == 0)
    r = CompareReportText(a.m_strSizeText, b.m_strSizeText);
  if (r == 0)
    r = CompareReportText(a.m_strUnitKey, b.m_strUnitKey);
  if (r == 0)
    r = CompareReportNumber(a.m_nSerialID, b.m_nSerialID);
  if (r == 0)
    r = CompareReportNumber(a.m_nOptionCategory, b.m_nOptionCategory);
  if (r == 0)
    r = CompareReportNumber(a.m_nOptionChoice, b.m_nOptionChoice);
  return r;
}

template <class Array>
void Swap(Array& rows, int i, int j)
{
  CObject* first = rows.CObArray::GetAt(i);
  rows.SetAt(i, rows.CObArray::GetAt(j));
  rows.SetAt(j, first);
}

}  // namespace

int CompareReportText(const CString& a, const CString& b)
{
  const int r = a.Compare(b);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CompareReportNumber(int a, int b) { return a < b ? -1 : (a > b ? 1 : 0); }

// An exchange sort that drops duplicates as it meets them; the bounds are re-read after each
// removal.
void CScheduleReportDataArray::SortAndMerge()
{
  for (int i = 0; i < GetSize() - 1; ++i) {
    int j = i + 1;
    while (j < GetSize()) {
      const int r = CompareSchedule(*GetAt(i), *GetAt(j));
      if (r == 0) {
        RemoveAt(j);
        continue;
      }
      if (r > 0)
        Swap(*this, i, j);
      ++j;
    }
  }
}

void CUnitInfoReportDataArray::Sort()
{
  for (int i = 0; i < GetSize() - 1; ++i)
    for (int j = i + 1; j < GetSize(); ++j)
      if (CompareUnitInfo(*GetAt(i), *GetAt(j)) > 0)
        Swap(*this, i, j);
}

int CUnitInfoReportDataArray::GroupEnd(int first) const
{
  const int id = GetAt(first)->m_nSerialID;
  int end = first + 1;
  while (end < GetSize() && GetAt(end)->m_nSerialID == id)
    ++end;
  return end;
}

void CUnitInfoReportDataArray::SortAndMerge()
{
  Sort();
  int i = 0;
  while (i < GetSize()) {
    const int j = GroupEnd(i);
    if (j >= GetSize())
      return;
    const CUnitInfoReportData& first = *GetAt(i);
    const CUnitInfoReportData& next = *GetAt(j);
    if (first.m_strDesignName != next.m_strDesignName || first.m_strUnitKey != next.m_strUnitKey) {
      i = j;
      continue;
    }
    // The records of j's unit are folded one by one into the record at the same place of i's.
    const int id = next.m_nSerialID;
    for (int k = i; j < GetSize() && GetAt(j)->m_nSerialID == id; ++k) {
      if (k < j)
        GetAt(k)->m_nUnitQuantity += GetAt(j)->m_nUnitQuantity;
      RemoveAt(j);
    }
  }
}
