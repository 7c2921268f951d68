// The Workbench view's side of its tools: the tool commands and their states, the cursor, and
// the zoom and scale commands.
#include "ui/wnd/CmdTarget.h"
#include "ui/wnd/Wnd.h"
#include "support/Trace.h"
#include "workbench/items/Dsgnitem.h"
#include "workbench/view/Wbview.h"
#include "workbench/tools/Wbzoom.h"

namespace {
BOOL HasScalableItem(const CObList& items)
{
  for (POSITION pos = items.GetHeadPosition(); pos;) {
    const int type = static_cast<CDesignItem*>(items.GetNext(pos))->GetItemType();
    if (type == ditUnit || type == ditJoin || type == ditGroup)
      return TRUE;
  }
  return FALSE;
}
}  // namespace

BOOL CWorkbenchView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
  if (nHitTest != HTCLIENT)
    return CScaleView::OnSetCursor(pWnd, nHitTest, message);
  // The display flags choose the tool under the pointer while a drawing view is shown.
  CPoint point;
  GetCursorPos(&point);
  ScreenToClient(&point);
  ChooseToolForPoint(point);
  SetCursor(m_pCurrentTool->GetCursor());
  return TRUE;
}

void CWorkbenchView::OnSelectTool()
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_VERBOSE)("Setting current tool to wbtSelect. \n");
  SetCurrentTool(wbtSelect);
}

void CWorkbenchView::OnUpdateSelectTool(CCmdUI* pCmdUI)
{
  pCmdUI->Enable(m_nEditMode != wemReadOnly);
  pCmdUI->SetCheck(m_pCurrentTool == m_Tools[wbtSelect].get());
}

void CWorkbenchView::OnJoinTool()
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_VERBOSE)("Setting current tool to wbtJoin. \n");
  SetCurrentTool(wbtJoin);
}

void CWorkbenchView::OnUpdateJoinTool(CCmdUI* pCmdUI)
{
  pCmdUI->Enable(m_nEditMode != wemReadOnly);
  pCmdUI->SetCheck(m_pCurrentTool == m_Tools[wbtJoin].get());
}

void CWorkbenchView::OnLockTool() { m_bLockTool = !m_bLockTool; }

void CWorkbenchView::OnUpdateLockTool(CCmdUI* pCmdUI)
{
  pCmdUI->Enable(TRUE);
  pCmdUI->SetCheck(m_bLockTool);
}

void CWorkbenchView::SetZoomTool(int mode)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_VERBOSE)("Setting current tool to wbtZoom. \n");
  SetCurrentTool(wbtZoom);
  auto* pZoom = static_cast<CZoomTool*>(m_Tools[wbtZoom].get());
  pZoom->SetZoomMode(mode);
  SetCursor(pZoom->GetCursor());
}

void CWorkbenchView::OnZoomIn() { SetZoomTool(zmIn); }

void CWorkbenchView::OnZoomOut() { SetZoomTool(zmOut); }

// Zooming also works while the design is shown read-only.
void CWorkbenchView::OnUpdateZoomIn(CCmdUI* pCmdUI)
{
  auto* pZoom = static_cast<CZoomTool*>(m_Tools[wbtZoom].get());
  pCmdUI->Enable(TRUE);
  pCmdUI->SetCheck(m_pCurrentTool == pZoom && pZoom->GetZoomMode() == zmIn);
}

void CWorkbenchView::OnUpdateZoomOut(CCmdUI* pCmdUI)
{
  auto* pZoom = static_cast<CZoomTool*>(m_Tools[wbtZoom].get());
  pCmdUI->Enable(TRUE);
  pCmdUI->SetCheck(m_pCurrentTool == pZoom && pZoom->GetZoomMode() == zmOut);
}

void CWorkbenchView::OnScaleToSelection()
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_VERBOSE)("Zooming to selection.\n");
  static_cast<CZoomTool*>(m_Tools[wbtZoom].get())->ScaleToSelection();
}

void CWorkbenchView::OnUpdateScaleToSelection(CCmdUI* pCmdUI) { pCmdUI->Enable(HasScalableItem(m_SelectedItems)); }

void CWorkbenchView::OnScaleToFit()
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_VERBOSE)("Zooming to selection.\n");
  static_cast<CZoomTool*>(m_Tools[wbtZoom].get())->ScaleToFit();
}

void CWorkbenchView::KeepDesignInView()
{
  const CRect client = GetClientRect();
  if (!m_pItemList || !HasScalableItem(*m_pItemList) || client.IsRectEmpty())
    return;
  const CVRX2DRectangle design = GetDesignExtents();
  const CSize low = WorldToDevice(design.GetMinPoint().AsVector());
  const CSize high = WorldToDevice(design.GetMaxPoint().AsVector());
  if (high.cx - low.cx >= client.Width() || high.cy - low.cy >= client.Height()) {
    static_cast<CZoomTool*>(m_Tools[wbtZoom].get())->ScaleToFit();
    return;
  }
  // The least scroll that shows every unit: device x and y count from the world's lower left.
  CPoint scroll = m_ptScrollPos;
  auto bring = [](LONG& pos, int extent, int lo, int hi) {
    if (lo < pos)
      pos = lo;
    else if (hi > pos + extent - 1)
      pos = hi - extent + 1;
  };
  bring(scroll.x, client.Width(), low.cx, high.cx);
  bring(scroll.y, client.Height(), low.cy, high.cy);
  if (scroll != m_ptScrollPos)
    ScrollToDevicePosition(scroll);
}

void CWorkbenchView::OnUpdateScaleToFit(CCmdUI* pCmdUI)
{
  pCmdUI->Enable(m_pItemList && HasScalableItem(*m_pItemList));
}
