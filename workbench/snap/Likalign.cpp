#include "workbench/snap/Likalign.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "geometry/2dline.h"
#include "geometry/2dmatrix.h"
#include "support/Exceptn.h"

IMPLEMENT_DYNCREATE(CLikeAlignmentEntities, CObject)

namespace {
constexpr const char* kModule = "Likalign";
constexpr int kFiledEntryLine = 118;
// Two slopes closer than this share a group.
constexpr double kSlopeSlack = 1e-6;

const CVRX2DLine* LineOf(const CAlignmentEntity& entry)
{
  const CVRX2DEntity* pEntity = entry.GetEntity();
  return pEntity && pEntity->GetType() == VRX_LINE ? static_cast<const CVRX2DLine*>(pEntity) : nullptr;
}

int OrientationOfLine(const CVRX2DLine& line)
{
  if (line.IsHorizontal())
    return laeHorizontal;
  return line.IsVertical() ? laeVertical : laeSloped;
}
}  // namespace

void CSideIndices::Add(UINT index)
{
  if (m_nCount < kHeld)
    m_held[m_nCount] = index;
  else
    m_more.push_back(index);
  ++m_nCount;
}

void CSideIndices::RemoveAll()
{
  m_nCount = 0;
  m_more.clear();
}

CAlignmentEntity::CAlignmentEntity(CVRX2DEntity* pEntity, CDesignItem* pItem, int enabled)
  : m_pEntity(pEntity), m_pItem(pItem), m_bEnabled(enabled)
{}

CAlignmentEntity::CAlignmentEntity(const CVRX2DEntity& entity, CDesignItem* pItem, int enabled)
  : m_pItem(pItem), m_bEnabled(enabled)
{
  Hold(entity);
}

CAlignmentEntity::CAlignmentEntity(const CAlignmentEntity& source)
  : CObject(), m_pItem(source.m_pItem), m_PerimeterLines(source.m_PerimeterLines), m_bEnabled(source.m_bEnabled)
{
  if (source.m_pEntity)
    Hold(*source.m_pEntity);
  m_Indices.Copy(source.m_Indices);
}

void CAlignmentEntity::Hold(const CVRX2DEntity& entity)
{
  if (entity.GetRuntimeClass() != RUNTIME_CLASS(CVRX2DLine)) {
    m_pEntity = std::unique_ptr<CVRX2DEntity, CEntryEntityDeleter>(entity.Clone(), CEntryEntityDeleter{true});
    return;
  }
  m_Line = static_cast<const CVRX2DLine&>(entity);
  if (m_pEntity.get() != &m_Line)
    m_pEntity = std::unique_ptr<CVRX2DEntity, CEntryEntityDeleter>(&m_Line, CEntryEntityDeleter{false});
}

const CVRXAngle& CAlignmentEntity::GetDirection() const
{
  if (!m_bDirectionKnown) {
    const CVRX2DLine* pLine = LineOf(*this);
    m_Direction = pLine ? pLine->GetAngle() : CVRXAngle();
    m_bDirectionKnown = TRUE;
  }
  return m_Direction;
}

void CAlignmentEntity::ExpectUnfiled() const
{
  if (m_bFiled)
    throw CAppFatalException(kModule, kFiledEntryLine);
}

void CAlignmentEntity::AddSide(UINT index)
{
  ExpectUnfiled();
  m_Indices.Add(index);
}

void CAlignmentEntity::AddSide(const CVRX2DEntity& line, UINT index)
{
  ExpectUnfiled();
  m_PerimeterLines.Add(line.Clone());
  m_Indices.Add(index);
}

void CAlignmentEntity::Transform(const CVRX2DTransformationMatrix& matrix)
{
  ExpectUnfiled();
  m_pEntity->Transform(matrix);
  m_bDirectionKnown = FALSE;
}

void CAlignmentEntity::Reuse(const CVRX2DEntity& entity, CDesignItem* pItem, int enabled)
{
  ExpectUnfiled();
  Hold(entity);
  m_pItem = pItem;
  m_PerimeterLines.RemoveAll();
  m_Indices.RemoveAll();
  m_bEnabled = enabled;
  m_bDirectionKnown = FALSE;
}

int CLikeAlignmentEntities::GetOrientationOf(const CAlignmentEntity& entry)
{
  const CVRX2DLine* pLine = LineOf(entry);
  return pLine ? OrientationOfLine(*pLine) : laeSloped;
}

double CLikeAlignmentEntities::GetSlopeOf(const CAlignmentEntity& entry) { return LineOf(entry)->GetSlope(); }

void CLikeAlignmentEntities::Add(CAlignmentEntity* pEntry)
{
  if (m_Entries.GetSize() == m_nEmptySlots) {
    m_nOrientation = GetOrientationOf(*pEntry);
    if (m_nOrientation == laeSloped)
      m_dSlope = GetSlopeOf(*pEntry);
  }
  pEntry->m_bFiled = TRUE;
  m_bChangedSinceWatch = TRUE;
  const int slot = m_Entries.Add(pEntry);
  const int enabled = pEntry->m_bEnabled ? 1 : 0;
  m_nEnabled += enabled;
  // An item files its entries one after another: its runs are looked up once for them.
  if (m_nLastRun < 0 || pEntry->m_pItem != m_pLastItem) {
    m_pLastItem = pEntry->m_pItem;
    if (const int* pFirst = m_FirstRun.Find(m_pLastItem)) {
      m_nLastRun = *pFirst;
      while (m_Runs[static_cast<size_t>(m_nLastRun)].next >= 0)
        m_nLastRun = m_Runs[static_cast<size_t>(m_nLastRun)].next;
    } else {
      m_nLastRun = NewRun(slot, enabled);
      m_FirstRun[m_pLastItem] = m_nLastRun;
      return;
    }
  }
  CSlotRun& last = m_Runs[static_cast<size_t>(m_nLastRun)];
  if (last.first + last.count == slot) {
    ++last.count;
    last.enabled += enabled;
    return;
  }
  const int run = NewRun(slot, enabled);
  m_Runs[static_cast<size_t>(m_nLastRun)].next = run;
  m_nLastRun = run;
}

int CLikeAlignmentEntities::NewRun(int slot, int enabled)
{
  int run = m_nFreeRun;
  if (run >= 0)
    m_nFreeRun = m_Runs[static_cast<size_t>(run)].next;
  else {
    run = static_cast<int>(m_Runs.size());
    m_Runs.emplace_back();
  }
  m_Runs[static_cast<size_t>(run)] = CSlotRun{slot, 1, -1, enabled};
  return run;
}

template <class Visit>
BOOL CLikeAlignmentEntities::ForEachSlot(const CDesignItem* pItem, Visit visit) const
{
  const int* pFirst = m_FirstRun.Find(pItem);
  if (!pFirst)
    return FALSE;
  for (int run = *pFirst; run >= 0; run = m_Runs[static_cast<size_t>(run)].next) {
    const CSlotRun& r = m_Runs[static_cast<size_t>(run)];
    for (int slot = r.first; slot < r.first + r.count; ++slot)
      visit(slot);
  }
  return TRUE;
}

const CAlignmentEntityArray& CLikeAlignmentEntities::GetEntities()
{
  CloseUp();
  return m_Entries;
}

void CLikeAlignmentEntities::CloseUp()
{
  Watch();
  if (m_nEmptySlots == 0)
    return;
  // Each kept entry moves down by the empty slots before it; the items' slot lists are renumbered
  // where they stand.
  std::vector<int> moved(static_cast<size_t>(m_Entries.GetSize()));
  int kept = 0;
  for (int i = 0; i < m_Entries.GetSize(); ++i)
    if (CAlignmentEntity* pEntry = m_Entries[i]) {
      moved[static_cast<size_t>(i)] = kept;
      m_Entries.SetAt(kept++, pEntry);
    }
  m_Entries.RemoveAtNoDelete(kept, m_Entries.GetSize() - kept);
  m_nEmptySlots = 0;
  // A run's entries leave or stay together, so each run keeps its neighbours.
  m_FirstRun.ForEach([&](const void*, int first) {
    for (int run = first; run >= 0; run = m_Runs[static_cast<size_t>(run)].next) {
      CSlotRun& r = m_Runs[static_cast<size_t>(run)];
      r.first = moved[static_cast<size_t>(r.first)];
    }
  });
  m_bIndexValid = FALSE;
}

void CLikeAlignmentEntities::AppendAll(CObArray& out) const
{
  Watch();
  for (int i = 0; i < m_Entries.GetSize(); ++i)
    if (m_Entries[i])
      out.Add(m_Entries[i]);
}

void CLikeAlignmentEntities::AppendByCategory(int category, CObArray& out) const
{
  Watch();
  for (int i = 0; i < m_Entries.GetSize(); ++i)
    if (m_Entries[i] && m_Entries[i]->GetEntity()->GetCategory() == category)
      out.Add(m_Entries[i]);
}

void CLikeAlignmentEntities::AppendByItem(const CDesignItem* pItem, CObArray& out) const
{
  Watch();
  ForEachSlot(pItem, [&](int slot) { out.Add(m_Entries[slot]); });
}

int CLikeAlignmentEntities::RemoveItem(const CDesignItem* pItem, std::vector<CAlignmentEntity*>* pKept)
{
  const int* pFirst = m_FirstRun.Find(pItem);
  if (!pFirst)
    return 0;
  m_bChangedSinceWatch = TRUE;
  int removed = 0;
  for (int run = *pFirst; run >= 0;) {
    CSlotRun& r = m_Runs[static_cast<size_t>(run)];
    for (int slot = r.first; slot < r.first + r.count; ++slot) {
      if (pKept) {
        m_Entries[slot]->m_bFiled = FALSE;
        pKept->push_back(m_Entries[slot]);
      } else
        delete m_Entries[slot];
      m_Entries.SetAt(slot, nullptr);
    }
    removed += r.count;
    m_nEnabled -= r.enabled;
    const int next = r.next;
    r = CSlotRun{0, 0, m_nFreeRun, 0};
    m_nFreeRun = run;
    run = next;
  }
  m_FirstRun.Erase(pItem);
  if (pItem == m_pLastItem)
    m_nLastRun = -1;
  if (m_FirstRun.IsEmpty()) {
    m_Runs.clear();
    m_nFreeRun = -1;
  }
  m_nEmptySlots += removed;
  m_bIndexValid = FALSE;
  if (m_Entries.GetSize() == m_nEmptySlots)
    m_nOrientation = laeEmpty;
  return removed;
}

void CLikeAlignmentEntities::SetItemEnabled(const CDesignItem* pItem, int flag)
{
  const int* pFirst = m_FirstRun.Find(pItem);
  if (!pFirst)
    return;
  for (int run = *pFirst; run >= 0; run = m_Runs[static_cast<size_t>(run)].next) {
    CSlotRun& r = m_Runs[static_cast<size_t>(run)];
    for (int slot = r.first; slot < r.first + r.count; ++slot)
      m_Entries[slot]->m_bEnabled = flag;
    m_nEnabled += (flag ? r.count : 0) - r.enabled;
    r.enabled = flag ? r.count : 0;
  }
}

BOOL CLikeAlignmentEntities::EnsureIndex()
{
  const BOOL byY = m_nOrientation == laeHorizontal;
  if (!byY && m_nOrientation != laeVertical)
    return FALSE;
  if (!m_bIndexValid) {
    m_Index.clear();
    m_Spans.clear();
    m_Unspanned.clear();
    m_dLongestSpan = 0.0;
    m_nIndexed = 0;
    m_bIndexValid = TRUE;
  }
  if (m_nIndexed == m_Entries.GetSize())
    return TRUE;
  // Entries filed since the last look-up are sorted among themselves and merged in: a paste
  // into a large design costs what it files, not the whole table.
  const auto sorted = static_cast<std::ptrdiff_t>(m_Index.size());
  const auto sortedSpans = static_cast<std::ptrdiff_t>(m_Spans.size());
  const auto sortedUnspanned = static_cast<std::ptrdiff_t>(m_Unspanned.size());
  for (int i = m_nIndexed; i < m_Entries.GetSize(); ++i) {
    const CVRX2DLine* pLine = LineOf(*m_Entries[i]);
    // Anything but a line cannot be placed by position; it is always visited.
    const double at = pLine ? (byY ? pLine->GetStartPoint().GetY() : pLine->GetStartPoint().GetX()) : -HUGE_VAL;
    m_Index.emplace_back(at, i);
    const CAlignmentEntity::CSidesSpan& span = m_Entries[i]->m_SidesSpan;
    if (!pLine || !span.known) {
      m_Unspanned.emplace_back(at, i);
      continue;
    }
    // Along the line: x for a horizontal group, placed by y.
    const double from = byY ? span.minX : span.minY;
    const double to = byY ? span.maxX : span.maxY;
    // An entry without sides faces no line.
    if (from > to)
      continue;
    m_Spans.push_back(CSpanPlace{at, from, to, i});
    m_dLongestSpan = std::max(m_dLongestSpan, to - from);
  }
  std::sort(m_Index.begin() + sorted, m_Index.end());
  std::inplace_merge(m_Index.begin(), m_Index.begin() + sorted, m_Index.end());
  std::sort(m_Spans.begin() + sortedSpans, m_Spans.end());
  std::inplace_merge(m_Spans.begin(), m_Spans.begin() + sortedSpans, m_Spans.end());
  std::sort(m_Unspanned.begin() + sortedUnspanned, m_Unspanned.end());
  std::inplace_merge(m_Unspanned.begin(), m_Unspanned.begin() + sortedUnspanned, m_Unspanned.end());
  m_nIndexed = m_Entries.GetSize();
  return TRUE;
}

void CLikeAlignmentEntities::FindNear(double x, double y, double reach, std::vector<int>& out)
{
  out.clear();
  AnyNear(x, y, reach, [&out](int i) {
    out.push_back(i);
    return false;
  });
  std::sort(out.begin(), out.end());
}

void CLikeAlignmentEntities::FindFacing(double x, double y, double reach, double from, double to, double along,
                                        std::vector<int>& out)
{
  out.clear();
  CloseUp();
  if (!EnsureIndex()) {
    for (int i = 0; i < m_Entries.GetSize(); ++i)
      out.push_back(i);
    return;
  }
  const double at = m_nOrientation == laeHorizontal ? y : x;
  for (auto it = m_Unspanned.begin(); it != m_Unspanned.end() && it->first == -HUGE_VAL; ++it)
    out.push_back(it->second);
  for (auto it = std::lower_bound(m_Unspanned.begin(), m_Unspanned.end(), std::make_pair(at - reach, -1));
       it != m_Unspanned.end() && it->first <= at + reach; ++it)
    out.push_back(it->second);
  // Units in rows put many entries on one position: each position within reach is entered where
  // the sides that may reach the stretch begin, and left where they begin beyond it.
  const double lo = from - along;
  const double hi = to + along;
  const auto byPosition = [](const CSpanPlace& place, double position) { return place.at < position; };
  auto it = std::lower_bound(m_Spans.begin(), m_Spans.end(), at - reach, byPosition);
  while (it != m_Spans.end() && it->at <= at + reach) {
    const double place = it->at;
    it = std::lower_bound(it, m_Spans.end(), CSpanPlace{place, lo - m_dLongestSpan, 0.0, -1});
    for (; it != m_Spans.end() && it->at == place && it->from <= hi; ++it)
      if (it->to >= lo)
        out.push_back(it->entry);
    it = std::upper_bound(it, m_Spans.end(), place,
                          [](double position, const CSpanPlace& other) { return position < other.at; });
  }
  std::sort(out.begin(), out.end());
}

CLikeAlignmentEntities* CLikeAlignmentGroups::Slot(int index)
{
  if (GetSize() <= index)
    SetSize(index + 1);
  if (!GetAt(index))
    SetAt(index, new CLikeAlignmentEntities);
  return GetAt(index);
}

void CLikeAlignmentGroups::Add(CAlignmentEntity* pEntry)
{
  const int orientation = CLikeAlignmentEntities::GetOrientationOf(*pEntry);
  if (orientation == laeHorizontal) {
    Slot(0)->Add(pEntry);
    return;
  }
  if (orientation == laeVertical) {
    Slot(1)->Add(pEntry);
    return;
  }
  const double slope = CLikeAlignmentEntities::GetSlopeOf(*pEntry);
  for (int i = 2; i < GetSize(); ++i)
    if (GetAt(i) && std::abs(GetAt(i)->GetSlope() - slope) < kSlopeSlack) {
      GetAt(i)->Add(pEntry);
      return;
    }
  Slot(std::max(GetSize(), 2))->Add(pEntry);
}

CLikeAlignmentEntities* CLikeAlignmentGroups::FindLike(const CVRX2DLine& line)
{
  return FindLike(line, line.GetAngle());
}

const CLikeAlignmentEntities* CLikeAlignmentGroups::FindLike(const CVRX2DLine& line) const
{
  return FindLike(line, line.GetAngle());
}

CLikeAlignmentEntities* CLikeAlignmentGroups::FindLike(const CVRX2DLine& line, const CVRXAngle& direction)
{
  return const_cast<CLikeAlignmentEntities*>(std::as_const(*this).FindLike(line, direction));
}

const CLikeAlignmentEntities* CLikeAlignmentGroups::FindLike(const CVRX2DLine& line, const CVRXAngle& direction) const
{
  const int orientation = CVRX2DLine::IsHorizontalDirection(direction) ? laeHorizontal
                          : CVRX2DLine::IsVerticalDirection(direction) ? laeVertical
                                                                       : laeSloped;
  const CLikeAlignmentEntities* pGroup = nullptr;
  if (orientation == laeHorizontal || orientation == laeVertical) {
    const int slot = orientation == laeHorizontal ? 0 : 1;
    pGroup = slot < GetSize() ? GetAt(slot) : nullptr;
  } else {
    const double slope = line.GetSlope();
    for (int i = 2; i < GetSize() && !pGroup; ++i)
      if (GetAt(i) && std::abs(GetAt(i)->GetSlope() - slope) < kSlopeSlack)
        pGroup = GetAt(i);
  }
  return pGroup && pGroup->GetOrientation() != laeEmpty ? pGroup : nullptr;
}

BOOL CLikeAlignmentGroups::HasGroups() const
{
  for (int i = 0; i < GetSize(); ++i)
    if (GetAt(i))
      return TRUE;
  return FALSE;
}

BOOL CLikeAlignmentGroups::HasEnabled() const
{
  for (int i = 0; i < GetSize(); ++i)
    if (GetAt(i) && GetAt(i)->HasEnabled())
      return TRUE;
  return FALSE;
}

void CLikeAlignmentGroups::GetAll(CObArray& out) const
{
  out.RemoveAll();
  for (int i = 0; i < GetSize(); ++i)
    if (GetAt(i))
      GetAt(i)->AppendAll(out);
}

void CLikeAlignmentGroups::GetByCategory(int category, CObArray& out) const
{
  out.RemoveAll();
  for (int i = 0; i < GetSize(); ++i)
    if (GetAt(i))
      GetAt(i)->AppendByCategory(category, out);
}

void CLikeAlignmentGroups::GetByItem(const CDesignItem* pItem, CObArray& out) const
{
  out.RemoveAll();
  for (int i = 0; i < GetSize(); ++i)
    if (GetAt(i))
      GetAt(i)->AppendByItem(pItem, out);
}

void CLikeAlignmentGroups::SetItemEnabled(const CDesignItem* pItem, int flag)
{
  for (int i = 0; i < GetSize(); ++i)
    if (GetAt(i))
      GetAt(i)->SetItemEnabled(pItem, flag);
}

int CLikeAlignmentGroups::RemoveItem(const CDesignItem* pItem, std::vector<CAlignmentEntity*>* pKept)
{
  int removed = 0;
  for (int i = 0; i < GetSize(); ++i)
    if (GetAt(i))
      removed += GetAt(i)->RemoveItem(pItem, pKept);
  return removed;
}
