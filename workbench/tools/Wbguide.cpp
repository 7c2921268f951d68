// The three guideline tools and the commands that make them current.
#include "geometry/Angle.h"
#include "ui/wnd/CmdTarget.h"
#include "support/Trace.h"
#include "workbench/items/Guideitem.h"
#include "workbench/tools/Wbtools.h"
#include "workbench/view/Wbview.h"

namespace {
// Places a guideline of the angle through the snapped press point and selects it alone.
void PlaceGuideline(CWorkbenchView* pView, CPoint point, double radians)
{
  CVRX2DVector position = pView->ClientToWorld(point).AsVector();
  position += pView->AdjustPoint(position);
  auto* pGuideline = new CGuidelineItem(CVRXAngle(radians), 0.0, position, pView->GetDesign());
  pView->AddItem(pGuideline, TRUE);
  pView->DeselectAll();
  pView->Select(pGuideline);
}
}  // namespace

void CVertGuideLineTool::OnLButtonDown(UINT nFlags, CPoint* pPoint)
{
  CWorkbenchTool::OnLButtonDown(nFlags, pPoint);
  PlaceGuideline(m_pView, *pPoint, VRX_HALF_PI);
}

void CHorzGuideLineTool::OnLButtonDown(UINT nFlags, CPoint* pPoint)
{
  CWorkbenchTool::OnLButtonDown(nFlags, pPoint);
  PlaceGuideline(m_pView, *pPoint, 0.0);
}

void CAngledGuideLineTool::OnLButtonDown(UINT nFlags, CPoint* pPoint)
{
  CWorkbenchTool::OnLButtonDown(nFlags, pPoint);
  PlaceGuideline(m_pView, *pPoint, VRX_QUARTER_PI);
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
