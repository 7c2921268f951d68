// The Workbench view's own commands and keys: refreshing, the per-item alignment-line and snap
// toggles, Select All, Space Items Evenly, renaming the design, removing a unit's joins, and the
// Tab, Enter and arrow keys.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "document/Doc.h"
#include "document/Dochints.h"
#include "document/Whsvc.h"
#include "ui/wnd/CmdTarget.h"
#include "ui/wnd/Resource.h"
#include "project/DocServices.h"
#include "support/Trace.h"
#include "workbench/items/Dsgnitem.h"
#include "workbench/items/Selector.h"
#include "workbench/items/Unititem.h"
#include "workbench/frame/Wbframe.h"
#include "workbench/view/Wbview.h"
#include "workbench/tools/Wbzoom.h"

namespace {
// Arrow keys move by an inch, by a foot with Ctrl, by one pixel with Shift.
constexpr double kKeyStep = 1.0;
constexpr double kCtrlKeyStep = 12.0;
constexpr int kFewestToSpace = 3;

double AxisOf(const CDesignItem* pItem, BOOL bHorizontal)
{
  return bHorizontal ? pItem->GetOffset().GetX() : pItem->GetOffset().GetY();
}

BOOL AnySelected(const CObList& selection, BOOL (CDesignItem::*flag)() const)
{
  for (POSITION pos = selection.GetHeadPosition(); pos;)
    if ((static_cast<CDesignItem*>(selection.GetNext(pos))->*flag)())
      return TRUE;
  return FALSE;
}
}  // namespace

void CWorkbenchView::OnRefresh()
{
  PCTRACE(TT_WORKBENCH, TL_DETAIL)("Redrawing the Workbench view.\n");
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CWorkbenchView::OnSwitchPane()
{
  CWorkbenchFrame* pFrame = GetWorkbenchFrame();
  SwitchPaneWithBar(pFrame ? pFrame->GetDialogBar() : nullptr);
}

// A mixed selection is switched off: on only when no selected item had it on.
void CWorkbenchView::OnAlignmentLinesToggle()
{
  const BOOL on = AnySelected(m_SelectedItems, &CDesignItem::GetShowAlignmentLines);
  for (POSITION pos = m_SelectedItems.GetHeadPosition(); pos;)
    static_cast<CDesignItem*>(m_SelectedItems.GetNext(pos))->SetShowAlignmentLines(!on);
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CWorkbenchView::OnUpdateAlignmentLinesToggle(CCmdUI* pCmdUI)
{
  pCmdUI->Enable(GetEditMode() == wemEditable && !m_SelectedItems.IsEmpty());
  pCmdUI->SetCheck(AnySelected(m_SelectedItems, &CDesignItem::GetShowAlignmentLines));
}

void CWorkbenchView::OnSnapToToggle()
{
  const BOOL on = AnySelected(m_SelectedItems, &CDesignItem::GetSnapToAlignmentLines);
  for (POSITION pos = m_SelectedItems.GetHeadPosition(); pos;) {
    auto* pItem = static_cast<CDesignItem*>(m_SelectedItems.GetNext(pos));
    pItem->SetSnapToAlignmentLines(!on);
    UpdateAlignmentEntities(pItem);
  }
  OnRefresh();
}

void CWorkbenchView::OnUpdateSnapToToggle(CCmdUI* pCmdUI)
{
  pCmdUI->Enable(!m_SelectedItems.IsEmpty());
  pCmdUI->SetCheck(AnySelected(m_SelectedItems, &CDesignItem::GetSnapToAlignmentLines));
}

void CWorkbenchView::OnSelectAll()
{
  const CSizeTextBatch batch(this);
  DeselectAll();
  if (!m_pItemList)
    return;
  for (POSITION pos = m_pItemList->GetHeadPosition(); pos;)
    Select(static_cast<CDesignItem*>(m_pItemList->GetNext(pos)));
}

void CWorkbenchView::OnUpdateSelectAll(CCmdUI* pCmdUI)
{
  pCmdUI->Enable(m_pItemList && !m_pItemList->IsEmpty() && GetEditMode() == wemEditable);
}

void CWorkbenchView::OnSpaceHorizontally() { SpaceItemsEvenly(TRUE); }

void CWorkbenchView::OnSpaceVertically() { SpaceItemsEvenly(FALSE); }

void CWorkbenchView::SpaceItemsEvenly(BOOL bHorizontal)
{
  if (GetSelectedCount(FALSE) < kFewestToSpace) {
    MessageBox("You must select 3 or more items before using this operation to space then evenly.",
               GetDocServices().GetProductName(), MB_OK | MB_ICONINFORMATION);
    return;
  }
  std::vector<CDesignItem*> items;
  for (POSITION pos = m_SelectedItems.GetHeadPosition(); pos;) {
    auto* pItem = static_cast<CDesignItem*>(m_SelectedItems.GetNext(pos));
    BOOL cancel = FALSE;
    const BOOL takesPart = pItem->CanSpaceEvenly(bHorizontal, &cancel);
    if (cancel)
      return;
    if (takesPart)
      items.push_back(pItem);
  }
  if (items.size() < static_cast<size_t>(kFewestToSpace))
    return;
  // On the exact coordinate and stable: items less than an inch apart keep a defined order.
  std::stable_sort(items.begin(), items.end(), [bHorizontal](const CDesignItem* a, const CDesignItem* b) {
    return AxisOf(a, bHorizontal) < AxisOf(b, bHorizontal);
  });
  const double start = AxisOf(items.front(), bHorizontal) + items.front()->GetSpacingExtent(bHorizontal, 1);
  const double end = AxisOf(items.back(), bHorizontal) - items.back()->GetSpacingExtent(bHorizontal, 0);
  double middle = 0.0;
  for (size_t i = 1; i + 1 < items.size(); ++i)
    middle += items[i]->GetSpacingExtent(bHorizontal, 2);
  const double gap = (end - start - middle) / static_cast<double>(items.size() - 1);
  PCTRACE(TT_WORKBENCH, TL_DETAIL)("Spacing %d items evenly, gap = %f\n", static_cast<int>(items.size()), gap);
  double cursor = start;
  for (size_t i = 1; i + 1 < items.size(); ++i) {
    CDesignItem* pItem = items[i];
    cursor += gap + pItem->GetSpacingExtent(bHorizontal, 0);
    const double shift = cursor - AxisOf(pItem, bHorizontal);
    const CVRX2DVector v = bHorizontal ? CVRX2DVector(shift, 0.0) : CVRX2DVector(0.0, shift);
    if (pItem->CanMoveTo(v)) {
      pItem->Invalidate(this);
      pItem->Offset(v);
      pItem->Invalidate(this);
      UpdateAlignmentEntities(pItem);
    }
    cursor += pItem->GetSpacingExtent(bHorizontal, 1);
  }
  VerifyAllJoins(nullptr);
}

void CWorkbenchView::OnRenameDesign()
{
  CDoc* pDoc = GetDoc();
  CDesign* pDesign = GetDesign();
  if (!pDoc || !pDesign)
    return;
  // A name refused as another design's is offered again as typed, to be mended.
  CString name;
  for (;;) {
    CString current = pDesign->GetName();
    if (current.IsEmpty())
      current = "Unnamed";
    if (!GetWarehouseServices().AskRenameDesign(this, current, name))
      break;
    const int index = pDoc->FindDesign(name);
    if (index < 0 || index == pDoc->GetEditedDesignIndex()) {
      pDesign->SetName(name);
      break;
    }
    MessageBox("A design with that name already exists.  You must choose a name that is not already in use.",
               GetDocServices().GetProductName(), MB_OK | MB_ICONINFORMATION);
  }
  pDoc->UpdateFrameTitles();
}

CUnitItem* CWorkbenchView::FindUnitItemAt(CPoint point, int& component)
{
  component = -1;
  if (!m_pItemList)
    return nullptr;
  const CVRX2DPoint world = ClientToWorld(point);
  for (POSITION pos = m_pItemList->GetTailPosition(); pos;) {
    auto* pItem = static_cast<CDesignItem*>(m_pItemList->GetPrev(pos));
    if (pItem->GetItemType() == ditUnit && pItem->HitTest(world, this))
      return static_cast<CUnitItem*>(pItem);
  }
  return nullptr;
}

int CWorkbenchView::GetJoinCount(CDesignItem* pUnitItem) const
{
  CObList joins;
  CollectJoins(pUnitItem, joins);
  return joins.GetCount();
}

void CWorkbenchView::OnRemoveJoining()
{
  int component = -1;
  CUnitItem* pUnitItem = FindUnitItemAt(m_ptContextPoint, component);
  if (!pUnitItem)
    return;
  PCTRACE(TT_JOINING, TL_IMPORTANT)
  ("Removing %d joins from unit %x.\n", GetJoinCount(pUnitItem),
   static_cast<unsigned>(reinterpret_cast<uintptr_t>(pUnitItem)));
  DeselectAll();
  pUnitItem->BreakAllJoins(this);
  Select(pUnitItem);
}

void CWorkbenchView::OnUpdateRemoveJoining(CCmdUI* pCmdUI)
{
  int component = -1;
  if (CUnitItem* pUnitItem = FindUnitItemAt(m_ptContextPoint, component))
    pCmdUI->Enable(GetJoinCount(pUnitItem) > 0);
}

void CWorkbenchView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
  m_bFirstViewPending = FALSE;
  m_bStoredViewPending = FALSE;
  const BOOL editable = IsSelectorModeOff() && m_nEditMode == wemEditable;
  switch (nChar) {
  case VK_TAB:
    if (editable)
      SelectNextItem(IsShiftDown());
    break;
  case VK_RETURN:
    if (m_SelectedItems.GetCount() == 1)
      static_cast<CDesignItem*>(m_SelectedItems.GetHead())->Edit(this);
    break;
  case VK_UP:
  case VK_DOWN:
  case VK_LEFT:
  case VK_RIGHT:
    NudgeByKey(nChar);
    break;
  case VK_ADD:
  case VK_SUBTRACT:
    ZoomAboutCentre(nChar == VK_ADD ? 0 : 1);
    break;
  default:
    break;
  }
  CScaleView::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CWorkbenchView::ZoomAboutCentre(int mode)
{
  // The zoom tool keeps the mode for later clicks; the current tool stays as it is.
  auto* pZoom = static_cast<CZoomTool*>(m_Tools[wbtZoom].get());
  pZoom->SetZoomMode(mode);
  const CRect client = GetClientRect();
  CPoint press(client.right / 2, client.bottom / 2);
  CPoint release(0, 0);
  pZoom->OnLButtonDown(0, &press);
  pZoom->OnLButtonUp(0, &release);
}

void CWorkbenchView::SelectNextItem(BOOL bBackwards)
{
  if (!m_pItemList || m_pItemList->IsEmpty())
    return;
  POSITION at = nullptr;
  for (POSITION pos = m_pItemList->GetHeadPosition(); pos && !at;) {
    const POSITION here = pos;
    if (IsSelected(static_cast<CDesignItem*>(m_pItemList->GetNext(pos))))
      at = here;
  }
  if (!at) {
    if (m_SelectedItems.IsEmpty())
      Select(static_cast<CDesignItem*>(m_pItemList->GetHead()));
    return;
  }
  DeselectAll();
  if (bBackwards)
    m_pItemList->GetPrev(at);
  else
    m_pItemList->GetNext(at);
  if (!at)
    at = bBackwards ? m_pItemList->GetTailPosition() : m_pItemList->GetHeadPosition();
  Select(static_cast<CDesignItem*>(m_pItemList->GetAt(at)));
}

void CWorkbenchView::NudgeByKey(UINT nChar)
{
  double step = IsCtrlDown() ? kCtrlKeyStep : kKeyStep;
  if (IsShiftDown())
    step = std::fabs(DeviceToWorld(CSize(1, 1)).GetX());
  CVRX2DVector v;
  if (nChar == VK_UP)
    v = CVRX2DVector(0.0, step);
  else if (nChar == VK_DOWN)
    v = CVRX2DVector(0.0, -step);
  else if (nChar == VK_LEFT)
    v = CVRX2DVector(-step, 0.0);
  else
    v = CVRX2DVector(step, 0.0);
  PCTRACE(TT_WORKBENCH, TL_DETAIL)("OnChar()  Offset vector = (%f, %f)\n", v.GetX(), v.GetY());
  if (IsSelectorModeOff() && m_nEditMode == wemEditable)
    NudgeGroup(v);
  if (!m_bPlanViewShown || (nChar != VK_UP && nChar != VK_DOWN))
    return;
  // The plan line stops at the square's edges, as the units do.
  const CVRX2DVector line = m_pPlanSelector->CutAtSquare(v);
  if (line.GetLength() == 0.0)
    return;
  m_pPlanSelector->Invalidate(this);
  m_pPlanSelector->Offset(line);
  m_pPlanSelector->Invalidate(this);
  if (CDocument* pDoc = GetDocument())
    pDoc->UpdateAllViews(nullptr, kHintPlan);
}

void RegisterViewCommandStrings()
{
  CResources& res = CResources::Get();
  res.AddString(106, "Refresh the window\nRefresh");
  res.AddString(333, "Set the display and snap to attributes of alignment lines\nAlignment line attributes");
  res.AddString(1506, "These are used internally. They are not shown to the user.");
  res.AddString(320, "Select all items in the Workbench\nSelect All Items");
  res.AddString(319, "Insert Clipboard contents\nPaste from Clipboard");
  res.AddString(326, "Space the selected items evenly between the outermost items\nSpace Selected Items Evenly");
  res.AddString(327, "Space the selected items evenly between the outermost items\nSpace Selected Items Evenly");
  res.AddString(218, "Give a new name to the selected design\nRename Design");
  res.AddString(5074, "Nudge the selected items to test for snapping");
  res.AddString(329, "Remove all joining to other units");
  // The tool palette's buttons: status prompt, then tool tip.
  res.AddString(604, "Activate the Select Tool\nSelect Tool");
  res.AddString(705, "Place a vertical guideline\nVertical Guideline Tool");
  res.AddString(707, "Place a horizontal guideline\nHorizontal Guideline Tool");
  res.AddString(706, "Place an angled guideline\nAngled Guideline Tool");
  res.AddString(801, "Group the selected items\nGroup Items");
  res.AddString(802, "Ungroup the selected group\nUngroup Items");
  res.AddString(901, "Zoom in on the point you click\nZoom In");
  res.AddString(902, "Zoom out from the point you click\nZoom Out");
  res.AddString(903, "Scale the view to show the selected items\nScale To Selection");
  res.AddString(904, "Scale the view to show the whole design\nScale to Fit");
  res.AddString(1001, "Lock the current tool until another tool is selected\nLock Current Tool");
}
