// Grouping on the Workbench: the Group and Ungroup Items commands, the temporary move group the
// select tool drags when several items are selected, and the joins a group breaks when it moves
// away from units outside it.
#include <algorithm>
#include <vector>

#include "ui/wnd/CmdTarget.h"
#include "ui/wnd/WinApp.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "workbench/items/Groupitm.h"
#include "workbench/view/Wbview.h"

namespace {
constexpr const char* kModule = "Workview";
constexpr int kMoveGroupCountLine = 2418;
}  // namespace

CMoveGroupItem* CWorkbenchView::MakeMoveGroup()
{
  if (GetSelectedCount(FALSE) < 2)
    throw CAppFatalException(kModule, kMoveGroupCountLine);
  PCTRACE(TT_SNAPPING_ALIGNMENT, TL_DETAIL)("Making a move group of %d items. \n", m_SelectedItems.GetCount());
  // The moving items must not snap to their own lines.
  for (POSITION pos = m_SelectedItems.GetHeadPosition(); pos;)
    EnableAlignmentEntities(static_cast<CDesignItem*>(m_SelectedItems.GetNext(pos)), FALSE);
  auto* pGroup = new CMoveGroupItem(m_SelectedItems);
  AddItem(pGroup, FALSE);
  m_pMoveGroup = pGroup;
  return pGroup;
}

CGroupItem* CWorkbenchView::FindGroupOfItem(CDesignItem* pItem) const
{
  if (!m_pItemList)
    return nullptr;
  for (POSITION pos = m_pItemList->GetHeadPosition(); pos;) {
    auto* pCandidate = static_cast<CDesignItem*>(m_pItemList->GetNext(pos));
    if (pCandidate->GetItemType() != ditGroup)
      continue;
    auto* pGroup = static_cast<CGroupItem*>(pCandidate);
    CObList units;
    pGroup->GetUnitsInGroup(units, FALSE);
    if (units.Find(pItem))
      return pGroup;
  }
  return nullptr;
}

void CWorkbenchView::DissolveMoveGroup(CMoveGroupItem* pGroup)
{
  if (m_pMoveGroup == pGroup)
    m_pMoveGroup = nullptr;
  if (IsSelected(pGroup))
    Deselect(pGroup);
  // The design's list must not keep the group once it is deleted.
  if (POSITION pos = m_pItemList ? m_pItemList->Find(pGroup) : nullptr)
    m_pItemList->RemoveAt(pos);
  // Its entries in the alignment tables must not outlive it.
  RemoveAlignmentEntities(pGroup);
  pGroup->Ungroup(this);
  delete pGroup;
}

void CWorkbenchView::RemoveCrossingJoins(CGroupItem* pGroup, BOOL bAll)
{
  if (!m_pItemList || (bAll && m_pRemovedTogether && m_pRemovedTogether->Contains(pGroup)))
    return;
  std::vector<CDesignItem*> joins;
  for (POSITION pos = m_pItemList->GetHeadPosition(); pos;) {
    auto* pItem = static_cast<CDesignItem*>(m_pItemList->GetNext(pos));
    if (pItem->GetItemType() == ditJoin)
      joins.push_back(pItem);
  }
  // A design without joins, as many large ones are, needs no look at the group's units.
  if (joins.empty())
    return;
  CObList units;
  pGroup->GetUnitsInGroup(units, FALSE);
  CPtrHashSet inside;
  for (POSITION pos = units.GetHeadPosition(); pos;)
    inside.Insert(units.GetNext(pos));
  std::vector<CDesignItem*> crossing;
  for (CDesignItem* pItem : joins) {
    const CDesignItem* pFirst = nullptr;
    const CDesignItem* pSecond = nullptr;
    pItem->GetJoinedItems(pFirst, pSecond);
    const int count = (pFirst && inside.Contains(pFirst)) + (pSecond && pSecond != pFirst && inside.Contains(pSecond));
    if (count == 1 || (bAll && count > 0))
      crossing.push_back(pItem);
  }
  RemoveFromDesign(crossing);
}

void CWorkbenchView::OnGroupItems()
{
  if (GetSelectedCount(FALSE) < 2)
    return;
  int deepest = 0;
  for (POSITION pos = m_SelectedItems.GetHeadPosition(); pos;)
    deepest = std::max(deepest, CGroupItem::NestingDepth(static_cast<CDesignItem*>(m_SelectedItems.GetNext(pos))));
  if (deepest >= CGroupItem::kMaxDepth) {
    // A deeper group could be stored but never read back.
    AfxMessageBox(CString::Formatted("Groups can be placed inside each other at most %d deep. Ungroup some of "
                                     "these items first.",
                                     CGroupItem::kMaxDepth),
                  MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  PCTRACE(TT_WORKBENCH, TL_DETAIL)("Grouping %d items. \n", m_SelectedItems.GetCount());
  auto* pGroup = new CGroupItem(m_SelectedItems);
  for (POSITION pos = m_SelectedItems.GetHeadPosition(); pos;) {
    auto* pItem = static_cast<CDesignItem*>(m_SelectedItems.GetNext(pos));
    if (POSITION at = m_pItemList->Find(pItem))
      m_pItemList->RemoveAt(at);
    // The group offers the lines of its members from now on.
    RemoveAlignmentEntities(pItem);
    if (pItem->GetShowAlignmentLines())
      pItem->Invalidate(this);
  }
  AddItem(pGroup, FALSE);
  DeselectAll();
  Select(pGroup);
  if (m_bSnapHighlights)
    pGroup->Invalidate(this);
}

void CWorkbenchView::OnUpdateGroupItems(CCmdUI* pCmdUI) { pCmdUI->Enable(GetSelectedCount(TRUE) >= 2); }

void CWorkbenchView::OnUngroupItems()
{
  if (m_SelectedItems.GetCount() != 1)
    return;
  auto* pGroup = dynamic_cast<CGroupItem*>(static_cast<CDesignItem*>(m_SelectedItems.GetHead()));
  if (!pGroup || pGroup->GetItemType() != ditGroup)
    return;
  PCTRACE(TT_WORKBENCH, TL_DETAIL)("Ungrouping %d items. \n", pGroup->GetMembers().GetCount());
  Deselect(pGroup);
  pGroup->Ungroup(this);
  RemoveItem(pGroup);
}

void CWorkbenchView::OnUpdateUngroupItems(CCmdUI* pCmdUI)
{
  const BOOL oneGroup = m_SelectedItems.GetCount() == 1 &&
                        static_cast<CDesignItem*>(m_SelectedItems.GetHead())->GetItemType() == ditGroup;
  pCmdUI->Enable(oneGroup);
}
