// The three guideline tools.
#include "geometry/Angle.h"
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

BOOL CGuideLineToolBase::OnLButtonDownBeyond(CPoint)
{
  m_pView->TellGuidelineBeyondSquare();
  return TRUE;
}

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
