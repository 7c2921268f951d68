// Removing items for good, the extents of the design and of the selection, and the joins of a
// unit that is moved, resized or deleted.
#include <cstdint>
#include <vector>

#include "geometry/2drect.h"
#include "support/Trace.h"
#include "workbench/items/Dsgnitem.h"
#include "workbench/items/Groupitm.h"
#include "workbench/view/Wbview.h"

namespace {
// How many joins ahead of the one being discarded their look-ups are fetched.
constexpr size_t kDiscardAhead = 8;

BOOL CountsForExtents(const CDesignItem* pItem)
{
  const int type = pItem->GetItemType();
  return type == ditUnit || type == ditJoin || type == ditGroup;
}

CVRX2DRectangle ExtentsOf(const CObList& items)
{
  CVRX2DEntityArray all;
  for (POSITION pos = items.GetHeadPosition(); pos;) {
    auto* pItem = static_cast<CDesignItem*>(items.GetNext(pos));
    if (!CountsForExtents(pItem))
      continue;
    // A group's outline holds its guidelines' lines, which run across the whole Workbench and
    // count no more than a guideline of its own: a group counts by its units.
    if (pItem->GetItemType() == ditGroup) {
      const CVRX2DEntityArray& units = static_cast<const CGroupItem*>(pItem)->GetExtentEnts();
      for (int i = 0; i < units.GetSize(); ++i)
        all.Add(units[i]->Clone());
      continue;
    }
    CVRX2DEntityArray outline;
    pItem->GetOutlineEntities(outline);
    for (int i = 0; i < outline.GetSize(); ++i)
      all.Add(outline[i]->Clone());
  }
  return all.GetExtents();
}

void TraceExtents(const char* format, const CVRX2DRectangle& r)
{
  PCTRACE(TT_WORKBENCH, TL_DETAIL)
  (format, r.GetMinPoint().GetX(), r.GetMinPoint().GetY(), r.GetMaxPoint().GetX(), r.GetMaxPoint().GetY());
}
}  // namespace

void CWorkbenchView::RemoveItem(CDesignItem* pItem)
{
  PCTRACE(TT_WORKBENCH, TL_DETAIL)("Removing a design item from the design. \n");
  if (POSITION pos = m_pItemList ? m_pItemList->Find(pItem) : nullptr)
    m_pItemList->RemoveAt(pos);
  else if (POSITION selector = m_SelectorItems.Find(pItem))
    m_SelectorItems.RemoveAt(selector);
  DiscardItem(pItem);
}

void CWorkbenchView::RemoveFromDesign(const std::vector<CDesignItem*>& items)
{
  if (items.empty())
    return;
  TakeOutOfDesign(CPtrHashSet(items.begin(), items.end()));
  DiscardJoins(items);
}

void CWorkbenchView::TakeOutOfDesign(const CPtrHashSet& items)
{
  if (!m_pItemList)
    return;
  for (POSITION pos = m_pItemList->GetHeadPosition(); pos;) {
    const POSITION here = pos;
    if (items.Contains(m_pItemList->GetNext(pos)))
      m_pItemList->RemoveAt(here);
  }
}

void CWorkbenchView::DiscardItem(CDesignItem* pItem)
{
  ReleaseSelected(pItem);
  RemoveAlignmentEntities(pItem);
  if (pItem->GetItemType() == ditGroup)
    static_cast<CGroupItem*>(pItem)->RemoveComponentEnts(this);
  pItem->Delete(this);
  delete pItem;
}

void CWorkbenchView::ReleaseSelected(CDesignItem* pItem)
{
  // A join that fails where a moved selection ends may be one of the members the temporary
  // group holds, and must not stay there; its members are the selected items.
  if (m_pMoveGroup && pItem != m_pMoveGroup && IsSelected(pItem))
    m_pMoveGroup->ReleaseMember(pItem);
  DropFromSelection(pItem);
}

void CWorkbenchView::DiscardJoins(const std::vector<CDesignItem*>& joins)
{
  // Each step goes over all the joins before the next: the selection's index, the alignment
  // tables and the joins themselves each stay in the cache for their own step, where a join
  // taken through every step in turn would fetch each of them afresh for every one of thousands.
  for (size_t i = 0; i < joins.size(); ++i) {
    if (i + kDiscardAhead < joins.size())
      m_SelectedAt.Prefetch(joins[i + kDiscardAhead]);
    PCTRACE(TT_WORKBENCH, TL_DETAIL)("Removing a design item from the design. \n");
    ReleaseSelected(joins[i]);
  }
  for (CDesignItem* pJoin : joins)
    RemoveAlignmentEntities(pJoin);
  for (CDesignItem* pJoin : joins) {
    pJoin->Delete(this);
    delete pJoin;
  }
}

void CWorkbenchView::RemoveItems(const std::vector<CDesignItem*>& items)
{
  if (!m_pItemList)
    return;
  // The items go with every join of the design that holds a unit of theirs, as each unit's or
  // group's removal would take it, all found in one walk over the design: removing them one by
  // one would walk the design for each item and again for the joins of each unit.
  const CPtrHashSet going(items.begin(), items.end());
  CPtrHashSet together;
  for (CDesignItem* pItem : items) {
    if (pItem->GetItemType() == ditUnit || pItem->GetItemType() == ditGroup)
      together.Insert(pItem);
    if (pItem->GetItemType() == ditGroup) {
      CObList units;
      static_cast<CGroupItem*>(pItem)->GetUnitsInGroup(units, FALSE);
      for (POSITION pos = units.GetHeadPosition(); pos;)
        together.Insert(units.GetNext(pos));
    }
  }
  CPtrHashSet inDesign;
  std::vector<CDesignItem*> joinsOfUnits;
  for (POSITION pos = m_pItemList->GetHeadPosition(); pos;) {
    const POSITION here = pos;
    auto* pItem = static_cast<CDesignItem*>(m_pItemList->GetNext(pos));
    if (going.Contains(pItem)) {
      inDesign.Insert(pItem);
      m_pItemList->RemoveAt(here);
    } else if (JoinsAnyOf(pItem, together)) {
      joinsOfUnits.push_back(pItem);
      m_pItemList->RemoveAt(here);
    }
  }
  for (CDesignItem* pJoin : joinsOfUnits)
    DiscardItem(pJoin);
  // Their joins are gone already: the units and groups need not look for them.
  m_pRemovedTogether = &together;
  try {
    for (CDesignItem* pItem : items) {
      POSITION selector = inDesign.Contains(pItem) ? nullptr : m_SelectorItems.Find(pItem);
      if (!inDesign.Contains(pItem) && !selector)
        continue;
      Deselect(pItem);
      pItem->Invalidate(this);
      if (selector)
        m_SelectorItems.RemoveAt(selector);
      DiscardItem(pItem);
    }
  } catch (...) {
    m_pRemovedTogether = nullptr;
    throw;
  }
  m_pRemovedTogether = nullptr;
}

BOOL CWorkbenchView::JoinsAnyOf(CDesignItem* pItem, const CPtrHashSet& units) const
{
  if (pItem->GetItemType() != ditJoin)
    return FALSE;
  const CDesignItem* pFirst = nullptr;
  const CDesignItem* pSecond = nullptr;
  pItem->GetJoinedItems(pFirst, pSecond);
  return (pFirst && units.Contains(pFirst)) || (pSecond && units.Contains(pSecond));
}

CVRX2DRectangle CWorkbenchView::GetDesignExtents() const
{
  PCTRACE(TT_WORKBENCH, TL_DETAIL)("GetDesignExtents() called. \n");
  const CVRX2DRectangle r = m_pItemList ? ExtentsOf(*m_pItemList) : CVRX2DRectangle();
  TraceExtents("Design extent = (%7.2f,%7.2f) (%7.2f,%7.2f) \n", r);
  return r;
}

CVRX2DRectangle CWorkbenchView::GetSelectedExtents() const
{
  PCTRACE(TT_WORKBENCH, TL_DETAIL)("GetSelectedExtents() called. \n");
  const CVRX2DRectangle r = ExtentsOf(m_SelectedItems);
  TraceExtents("Selected extent = (%7.2f,%7.2f) (%7.2f,%7.2f) \n", r);
  return r;
}

void CWorkbenchView::CollectJoins(CDesignItem* pUnitItem, CObList& joins) const
{
  if (!m_pItemList || (m_pRemovedTogether && m_pRemovedTogether->Contains(pUnitItem)))
    return;
  for (POSITION pos = m_pItemList->GetHeadPosition(); pos;) {
    auto* pItem = static_cast<CDesignItem*>(m_pItemList->GetNext(pos));
    if (pItem->GetItemType() == ditJoin && pItem->JoinsItem(pUnitItem))
      joins.AddTail(pItem);
  }
}

void CWorkbenchView::RemoveJoins(CDesignItem* pUnitItem, int component)
{
  PCTRACE(TT_JOINING, TL_IMPORTANT)
  ("RemoveJoins() called for unit %x, component %d\n", static_cast<unsigned>(reinterpret_cast<uintptr_t>(pUnitItem)),
   component);
  CObList joins;
  CollectJoins(pUnitItem, joins);
  std::vector<CDesignItem*> going;
  for (POSITION pos = joins.GetHeadPosition(); pos;)
    going.push_back(static_cast<CDesignItem*>(joins.GetNext(pos)));
  RemoveFromDesign(going);
}

void CWorkbenchView::DetachJoins(CDesignItem* pUnitItem)
{
  CObList joins;
  CollectJoins(pUnitItem, joins);
  // The joins come in the list's order: one walk finds the index of each.
  POSITION next = joins.GetHeadPosition();
  int index = 0;
  for (POSITION pos = next ? m_pItemList->GetHeadPosition() : nullptr; pos && next; ++index) {
    const POSITION here = pos;
    auto* pItem = static_cast<CDesignItem*>(m_pItemList->GetNext(pos));
    if (pItem != joins.GetAt(next))
      continue;
    joins.GetNext(next);
    Deselect(pItem);
    m_pItemList->RemoveAt(here);
    pItem->Invalidate(this);
    m_DetachedJoins.push_back({pItem, index});
  }
}

void CWorkbenchView::DeleteDetachedJoins()
{
  std::vector<CDetachedJoin> detached;
  detached.swap(m_DetachedJoins);
  for (const CDetachedJoin& kept : detached) {
    RemoveAlignmentEntities(kept.pJoin);
    kept.pJoin->Delete(this);
    delete kept.pJoin;
  }
}

void CWorkbenchView::RestoreDetachedJoins()
{
  // Put back in the order they were taken out, each at its own index: the items before it are
  // then those that stood before it.
  std::vector<CDetachedJoin> detached;
  detached.swap(m_DetachedJoins);
  for (const CDetachedJoin& kept : detached) {
    if (POSITION at = m_pItemList->FindIndex(kept.index))
      m_pItemList->InsertBefore(at, kept.pJoin);
    else
      m_pItemList->AddTail(kept.pJoin);
    kept.pJoin->Invalidate(this);
  }
}
