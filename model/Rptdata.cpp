#include "model/Rptdata.h"

#include <algorithm>
#include <vector>

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
    r = CompareReportText(a.m_strOperationCode, b.m_strOperationCode);
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

// The rows as plain pointers, taken out of the array; the array is refilled by PutBack.
template <class T, class Array>
std::vector<T*> TakeRows(Array& rows)
{
  std::vector<T*> taken;
  taken.reserve(static_cast<size_t>(rows.GetSize()));
  for (int i = 0; i < rows.GetSize(); ++i)
    taken.push_back(rows.GetAt(i));
  rows.RemoveAllNoDelete();
  return taken;
}

template <class T, class Array>
void PutBack(Array& rows, const std::vector<T*>& kept)
{
  for (T* row : kept)
    rows.Add(row);
}

}  // namespace

int CompareReportText(const CString& a, const CString& b)
{
  const int r = a.Compare(b);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CompareReportNumber(int a, int b) { return a < b ? -1 : (a > b ? 1 : 0); }

// The rows come out in ascending order with the first of every set of equal rows kept, as an
// exchange sort that drops each duplicate it meets leaves them; a stable sort does the same in
// n log n, which large projects need.
void CScheduleReportDataArray::SortAndMerge()
{
  std::vector<CScheduleReportData*> rows = TakeRows<CScheduleReportData>(*this);
  std::stable_sort(rows.begin(), rows.end(), [](const CScheduleReportData* a, const CScheduleReportData* b) {
    return CompareSchedule(*a, *b) < 0;
  });
  std::vector<CScheduleReportData*> kept;
  kept.reserve(rows.size());
  for (CScheduleReportData* row : rows) {
    if (!kept.empty() && CompareSchedule(*kept.back(), *row) == 0) {
      delete row;
      continue;
    }
    kept.push_back(row);
  }
  PutBack(*this, kept);
}

void CUnitInfoReportDataArray::Sort()
{
  std::vector<CUnitInfoReportData*> rows = TakeRows<CUnitInfoReportData>(*this);
  std::stable_sort(rows.begin(), rows.end(), [](const CUnitInfoReportData* a, const CUnitInfoReportData* b) {
    return CompareUnitInfo(*a, *b) < 0;
  });
  PutBack(*this, rows);
}

int CUnitInfoReportDataArray::GroupEnd(int first) const
{
  const int id = GetAt(first)->m_nSerialID;
  int end = first + 1;
  while (end < GetSize() && GetAt(end)->m_nSerialID == id)
    ++end;
  return end;
}

// Unit by unit: a unit with the design and key of the unit kept before it is folded into that
// one, row by row in order, and deleted. Rows of the folded unit beyond the kept unit's are
// dropped.
void CUnitInfoReportDataArray::SortAndMerge()
{
  Sort();
  std::vector<CUnitInfoReportData*> kept;
  kept.reserve(static_cast<size_t>(GetSize()));
  size_t current = 0;  // index in kept of the first row of the unit merged into
  for (int first = 0; first < GetSize();) {
    const int end = GroupEnd(first);
    CUnitInfoReportData& head = *GetAt(first);
    const BOOL merge = !kept.empty() && kept[current]->m_strDesignName == head.m_strDesignName &&
                       kept[current]->m_strUnitKey == head.m_strUnitKey;
    if (!merge)
      current = kept.size();
    for (int i = first; i < end; ++i) {
      if (!merge) {
        kept.push_back(GetAt(i));
        continue;
      }
      const size_t target = current + static_cast<size_t>(i - first);
      if (target < kept.size())
        kept[target]->m_nUnitQuantity += GetAt(i)->m_nUnitQuantity;
      delete GetAt(i);
    }
    first = end;
  }
  RemoveAllNoDelete();
  PutBack(*this, kept);
}
