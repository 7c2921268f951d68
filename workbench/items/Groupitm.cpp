// The group item: its members, what it says of them, and its edits; the move group. Storing is
// in Groupser.cpp, the box and the lines it offers in Groupent.cpp, drawing in Groupdrw.cpp and
// moving in Groupmov.cpp.
#include "workbench/items/Groupitm.h"

#include <algorithm>
#include <vector>

#include "geometry/2dline.h"
#include "platform/core/Archive.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "workbench/items/Tracker.h"
#include "workbench/items/Unititem.h"
#include "workbench/sheets/Groupsht.h"
#include "workbench/view/Wbview.h"

IMPLEMENT_SERIAL(CGroupItem, CDesignItem, VERSIONABLE_SCHEMA | 10000)
IMPLEMENT_DYNAMIC(CMoveGroupItem, CGroupItem)

namespace {
constexpr const char* kModule = "Groupitm";
constexpr int kRecordLine = 622;
}  // namespace

int CGroupItem::NestingDepth(const CDesignItem* pItem)
{
  const auto* pGroup = dynamic_cast<const CGroupItem*>(pItem);
  if (!pGroup)
    return 0;
  int deepest = 0;
  for (POSITION pos = pGroup->m_Members.GetHeadPosition(); pos;)
    deepest = std::max(deepest, NestingDepth(static_cast<const CDesignItem*>(pGroup->m_Members.GetNext(pos))));
  return deepest + 1;
}

CGroupItem::CGroupItem() : CDesignItem(ditGroup)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("CGroupItem construction. \n");
}

CGroupItem::CGroupItem(const CObList& items) : CGroupItem(ditGroup, items) {}

CGroupItem::CGroupItem(int itemType, const CObList& items) : CDesignItem(itemType)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("CGroupItem construction from %d items. \n", items.GetCount());
  m_Members.AddTail(&items);
  AddComponentEnts();
}

CGroupItem::~CGroupItem()
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("CGroupItem destruction. \n");
  for (POSITION pos = m_Members.GetHeadPosition(); pos;)
    delete m_Members.GetNext(pos);
  m_Members.RemoveAll();
}

BOOL CGroupItem::HitTest(const CVRX2DPoint& point, CWorkbenchView* pView)
{
  for (POSITION pos = m_Members.GetHeadPosition(); pos;)
    if (ItemAt(m_Members, pos)->HitTest(point, pView))
      return TRUE;
  return FALSE;
}

void CGroupItem::Edit(CWorkbenchView* pView)
{
  {
    CGroupSheetDlg sheet(pView, this, "Group Properties", nullptr, 0);
    sheet.DoModal();
  }
  CDesignItem::Edit(pView);
}

void CGroupItem::Delete(CWorkbenchView* pView)
{
  // The units die with the group: a join of the design left on two of them would point at
  // deleted units, so every join that touches one goes, not only those crossing the border.
  pView->RemoveCrossingJoins(this, TRUE);
  CDesignItem::Delete(pView);
}

void CGroupItem::Ungroup(CWorkbenchView* pView)
{
  BOOL showsLines = FALSE;
  for (POSITION pos = m_Members.GetHeadPosition(); pos;) {
    CDesignItem* pMember = ItemAt(m_Members, pos);
    pView->AddItem(pMember, FALSE);
    pView->Select(pMember);
    showsLines = showsLines || pMember->GetShowAlignmentLines();
  }
  if (showsLines)
    pView->Invalidate(TRUE);
  else
    InvalidateOwnRect(pView);
  RemoveAllItems();
}

void CGroupItem::RemoveAllItems() { m_Members.RemoveAll(); }

void CGroupItem::AddItem(CDesignItem* pItem)
{
  m_Members.AddTail(pItem);
  AddComponentEnts();
}

void CGroupItem::RemoveItem(CDesignItem* pItem)
{
  POSITION pos = m_Members.Find(pItem);
  if (!pos)
    return;
  m_Members.RemoveAt(pos);
  AddComponentEnts();
}

void CGroupItem::ReleaseMember(const CObject* pItem)
{
  if (POSITION pos = m_Members.Find(const_cast<CObject*>(pItem)))
    m_Members.RemoveAt(pos);
}

void CGroupItem::BreakUnitJoins(CWorkbenchView* pView)
{
  PCTRACE(TT_JOINING, TL_DETAIL)("BreakUnitJoins() called on a group. \n");
  for (POSITION pos = m_Members.GetHeadPosition(); pos;) {
    CDesignItem* pMember = ItemAt(m_Members, pos);
    if (auto* pUnit = dynamic_cast<CUnitItem*>(pMember))
      pUnit->BreakAllJoins(pView);
    else if (auto* pGroup = dynamic_cast<CGroupItem*>(pMember))
      pGroup->BreakUnitJoins(pView);
  }
}

BOOL CGroupItem::GetUnitsInGroup(CObList& units, BOOL bWithJoins) const
{
  PCTRACE(TT_WORKBENCH, TL_VERBOSE)("GetUnitsInGroup() called. \n");
  for (POSITION pos = m_Members.GetHeadPosition(); pos;) {
    CDesignItem* pMember = ItemAt(m_Members, pos);
    const int type = pMember->GetItemType();
    if (type == ditUnit || (type == ditJoin && bWithJoins))
      units.AddTail(pMember);
    else if (IsGroup(pMember))
      static_cast<CGroupItem*>(pMember)->GetUnitsInGroup(units, bWithJoins);
  }
  return !units.IsEmpty();
}

void CGroupItem::RemoveComponentEnts(CWorkbenchView* pView)
{
  PCTRACE(TT_WORKBENCH, TL_VERBOSE)("RemoveComponentEnts() called. \n");
  for (POSITION pos = m_Members.GetHeadPosition(); pos;) {
    CDesignItem* pMember = ItemAt(m_Members, pos);
    if (pMember->GetItemType() == ditUnit)
      pView->RemoveAlignmentEntities(pMember);
    else if (IsGroup(pMember))
      static_cast<CGroupItem*>(pMember)->RemoveComponentEnts(pView);
  }
}

BOOL CGroupItem::GetColinearAlignmentEnts(CObArray& out, const CAlignmentEntity& record) const
{
  PCTRACE(TT_WORKBENCH, TL_VERBOSE)("GetColinearAlignmentEnts() called. \n");
  if (!record.GetItem() || record.GetItem()->GetItemType() != ditGroup || !record.GetEntity() ||
      record.GetEntity()->GetType() != VRX_LINE)
    throw CAppFatalException(kModule, kRecordLine);
  const auto& line = static_cast<const CVRX2DLine&>(*record.GetEntity());
  BOOL appended = FALSE;
  for (POSITION pos = m_Members.GetHeadPosition(); pos;) {
    CDesignItem* pMember = ItemAt(m_Members, pos);
    if (IsGroup(pMember)) {
      appended = static_cast<CGroupItem*>(pMember)->GetColinearAlignmentEnts(out, record) || appended;
      continue;
    }
    if (pMember->GetItemType() != ditUnit)
      continue;
    const CVRX2DEntityArray& alignment = *pMember->GetAlignmentEntities();
    for (int i = 0; i < alignment.GetSize(); ++i) {
      if (alignment[i]->GetType() != VRX_LINE || !static_cast<const CVRX2DLine*>(alignment[i])->IsColinear(line))
        continue;
      out.Add(new CAlignmentEntity(*alignment[i], pMember, TRUE));
      appended = TRUE;
    }
  }
  return appended;
}

BOOL CGroupItem::ContainsItem(const CDesignItem* pItem) const
{
  for (POSITION pos = m_Members.GetHeadPosition(); pos;) {
    CDesignItem* pMember = ItemAt(m_Members, pos);
    if (pMember == pItem)
      return TRUE;
    if (IsGroup(pMember) && static_cast<CGroupItem*>(pMember)->ContainsItem(pItem))
      return TRUE;
  }
  return FALSE;
}

CMoveGroupItem::CMoveGroupItem(const CObList& items) : CGroupItem(ditMoveGroup, items) {}

// The members belong to the design: a move group that was not ungrouped still lets go of them.
CMoveGroupItem::~CMoveGroupItem() { RemoveAllItems(); }

void CMoveGroupItem::Select(CWorkbenchView* pView) { SetTracker(std::make_unique<CItemTracker>(pView, this)); }

void CMoveGroupItem::Invalidate(CWorkbenchView* pView)
{
  for (POSITION pos = m_Members.GetHeadPosition(); pos;)
    ItemAt(m_Members, pos)->Invalidate(pView);
}

void CMoveGroupItem::DrawHandles(CDC*, CWorkbenchView*) {}

void CMoveGroupItem::Ungroup(CWorkbenchView* pView)
{
  for (POSITION pos = m_Members.GetHeadPosition(); pos;) {
    CDesignItem* pMember = ItemAt(m_Members, pos);
    pView->UpdateAlignmentEntities(pMember);
    // A member's own entries are filed anew, enabled; a group's units have entries of their
    // own to enable again.
    if (pMember->GetItemType() == ditGroup)
      pView->EnableAlignmentEntities(pMember, TRUE);
  }
  // The joins between the moved units must still fit, as they may not have before the move;
  // those to the units that stood still were judged where the move ended (AddJoin). Verifying
  // may delete joins that are members too, so the units are taken out of the list first.
  std::vector<CUnitItem*> units;
  for (POSITION pos = m_Members.GetHeadPosition(); pos;)
    if (auto* pUnit = dynamic_cast<CUnitItem*>(ItemAt(m_Members, pos)))
      units.push_back(pUnit);
  RemoveAllItems();
  pView->VerifyJoinsAmong(units);
}
