#include "workbench/tools/Wbzoom.h"

#include <algorithm>
#include <limits>

#include "ui/wnd/Cursor.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "workbench/view/Wbview.h"

IMPLEMENT_DYNAMIC(CZoomTool, CWorkbenchTool)

namespace {
constexpr const char* kModule = "Zoomtool";
constexpr int kBadModeLine = 88;
constexpr int kBadClickModeLine = 131;
}  // namespace

CZoomTool::CZoomTool(CWorkbenchView* pView) : CWorkbenchTool(pView)
{
  m_hZoomOutCursor = AfxResourceCursor(kCursorZoomOut);
  m_hZoomInCursor = AfxResourceCursor(kCursorZoomIn);
  m_hCannotZoomCursor = AfxResourceCursor(kCursorCannotZoom);
  PCTRACE(TT_WORKBENCH_TOOLS, TL_IMPORTANT)("CZoomTool construction. \n");
}

CZoomTool::~CZoomTool() { PCTRACE(TT_WORKBENCH_TOOLS, TL_IMPORTANT)("CZoomTool destruction. \n"); }

HCURSOR CZoomTool::GetCursor()
{
  const double scale = m_pView->GetScaleFactor();
  if (m_nMode == zmIn && scale < 1.0)
    return m_hZoomInCursor;
  if (m_nMode == zmOut && m_pView->GetFitScaleFactor(FALSE) < scale)
    return m_hZoomOutCursor;
  return m_hCannotZoomCursor;
}

void CZoomTool::SetZoomMode(int mode)
{
  if (mode != zmIn && mode != zmOut)
    throw CAppFatalException(kModule, kBadModeLine);
  m_nMode = mode;
}

double CZoomTool::NextScale(int mode, double scale, double fitScale, double factor)
{
  if (mode == zmIn)
    return scale >= 1.0 ? scale : std::min(scale * factor, 1.0);
  return fitScale >= scale ? scale : std::max(scale / factor, fitScale);
}

void CZoomTool::OnLButtonDown(UINT nFlags, CPoint* pPoint)
{
  CWorkbenchTool::OnLButtonDown(nFlags, pPoint);
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)
  ("CZoomTool::OnLButtonDown  ptClickClient = ( %d, %d )  nFlags = %d \n", pPoint->x, pPoint->y, nFlags);
  if (m_nMode != zmIn && m_nMode != zmOut)
    throw CAppFatalException(kModule, kBadClickModeLine);
  const double scale = m_pView->GetScaleFactor();
  const double next = NextScale(m_nMode, scale, m_pView->GetFitScaleFactor(FALSE), m_dZoomFactor);
  if (next == scale)
    return;
  const CVRX2DPoint world = m_pView->ClientToWorld(*pPoint);
  m_pView->SetScaleFactor(next, TRUE);
  CentreOn(world);
}

double CZoomTool::ScaleForRect(double w, double h, CSize client, CSize logPixels)
{
  const int mx = logPixels.cx / 4;
  const int my = logPixels.cy / 4;
  const int usableX = client.cx - mx > logPixels.cx ? client.cx - mx : logPixels.cx;
  const int usableY = client.cy - my > logPixels.cy ? client.cy - my : logPixels.cy;
  // A side of zero length leaves the other side to decide.
  const double inf = std::numeric_limits<double>::infinity();
  const double sx = w > 0.0 ? static_cast<double>(usableX) / logPixels.cx / w : inf;
  const double sy = h > 0.0 ? static_cast<double>(usableY) / logPixels.cy / h : inf;
  return std::min(sx, sy);
}

void CZoomTool::ScaleToRect(const CVRX2DRectangle& rect)
{
  const CVRX2DPoint low = rect.GetMinPoint();
  const CVRX2DPoint high = rect.GetMaxPoint();
  const double w = high.GetX() - low.GetX();
  const double h = high.GetY() - low.GetY();
  const CRect client = m_pView->GetClientRect();
  const double scale = ScaleForRect(w, h, client.Size(), m_pView->GetLogPixels());
  // The view's limits bound what a thin or empty rectangle asks for.
  m_pView->SetScaleFactor(scale, TRUE);
  CentreOn(CVRX2DPoint(low.GetX() + w * 0.5, low.GetY() + h * 0.5));
}

void CZoomTool::ScaleToSelection() { ScaleToRect(m_pView->GetSelectedExtents()); }

void CZoomTool::ScaleToFit() { ScaleToRect(m_pView->GetDesignExtents()); }

void CZoomTool::CentreOn(const CVRX2DPoint& point)
{
  const CRect client = m_pView->GetClientRect();
  const CVRX2DVector half = m_pView->DeviceToWorld(client.Size()) * 0.5;
  m_pView->ScrollToPosition(point.AsVector() - half);
}
