// The Workbench view's side of its tools: the tool commands and their states, the cursor, the
// zoom and scale commands, and the stored view a reopened design is shown in.
#include "project/Design.h"
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

void CWorkbenchView::ApplyStoredView()
{
  m_bStoredViewDue = FALSE;
  const CDesignData& data = GetDesign()->GetDesignData();
  SetScaleFactor(data.GetScaleFactor(), FALSE);
  ScrollToDevicePosition(data.GetScrollPosition());
  if (m_pItemList && HasScalableItem(*m_pItemList) && !StoredViewSuitsWindow())
    static_cast<CZoomTool*>(m_Tools[wbtZoom].get())->ScaleToFit();
  m_bStoredViewPending = TRUE;
}

void CWorkbenchView::OnUpdateScaleToFit(CCmdUI* pCmdUI)
{
  pCmdUI->Enable(m_pItemList && HasScalableItem(*m_pItemList));
}

void CWorkbenchView::OnVertGuideLineTool()
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_VERBOSE)("Setting current tool to wbtVertGuideLine. \n");
  SetCurrentTool(wbtVertGuideLine);
}

void CWorkbenchView::OnHorzGuideLineTool()
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_VERBOSE)("Setting current tool to wbtHorzGuideLine. \n");
  SetCurrentTool(wbtHorzGuideLine);
}

void CWorkbenchView::OnAngledGuideLineTool()
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_VERBOSE)("Setting current tool to wbtAngledGuideLine. \n");
  SetCurrentTool(wbtAngledGuideLine);
}

void CWorkbenchView::UpdateGuideLineToolCommand(CCmdUI* pCmdUI, int tool)
{
  pCmdUI->Enable(m_nEditMode != wemReadOnly);
  pCmdUI->SetCheck(m_pCurrentTool == m_Tools[tool].get());
}

void CWorkbenchView::OnUpdateVertGuideLineTool(CCmdUI* pCmdUI) { UpdateGuideLineToolCommand(pCmdUI, wbtVertGuideLine); }

void CWorkbenchView::OnUpdateHorzGuideLineTool(CCmdUI* pCmdUI) { UpdateGuideLineToolCommand(pCmdUI, wbtHorzGuideLine); }

void CWorkbenchView::OnUpdateAngledGuideLineTool(CCmdUI* pCmdUI)
{
  UpdateGuideLineToolCommand(pCmdUI, wbtAngledGuideLine);
}
