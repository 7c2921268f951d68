#include "workbench/scale/Scalevw.h"

#include <algorithm>
#include <cstdlib>

#include "ui/dlg/Ctrls.h"
#include "ui/draw/Dc.h"
#include "ui/frame/Frame.h"
#include "ui/draw/Gdi.h"
#include "support/Gdiutil.h"
#include "support/Trace.h"

IMPLEMENT_DYNAMIC(CScaleView, CView)

namespace {
// Scroll-bar controls hold 16-bit ranges.
constexpr int kMaxBarRange = 32767;
constexpr COLORREF kOutsideColor = RGB(166, 202, 240);

int RoundToInt(double v) { return static_cast<int>(Round(v)); }
}  // namespace

CScrollBarRange CScrollBarRange::For(int total, int client)
{
  CScrollBarRange range;
  const int r = std::max(total - client, 0);
  if (r > kMaxBarRange) {
    range.barRange = kMaxBarRange;
    range.factor = r * (1.0 / kMaxBarRange);
  } else {
    range.barRange = r;
  }
  return range;
}

CScaleView::CScaleView() : m_sizeLogPixels(CDC::GetScreenLogPixels()) {}

void CScaleView::OnPrepareDC(CDC* pDC, CPrintInfo*)
{
  PCTRACE(TT_ZOOMING_SCROLLING, TL_VERBOSE)("CScaleView::OnPrepareDC() \n");
  pDC->SetMapMode(MM_TEXT);
  pDC->SetWindowOrg(0, 0);
  pDC->SetViewportOrg(0, 0);
}

void CScaleView::OnDraw(CDC* pDC)
{
  const int saved = pDC->SaveDC();
  const CSize total = GetTotalDeviceSize();
  const CRect client = GetClientRect();
  CRect device(0, 0, total.cx, total.cy);
  const CRect converted = DeviceToClient(device);
  const CRect world = MakeClampedRect(converted.left, converted.top, converted.right, converted.bottom);
  CBrush brush(kOutsideColor);
  CRect right(world.right, client.top, client.right, client.bottom);
  if (!right.IsRectEmpty())
    pDC->FillRect(&right, &brush);
  CRect above(client.left, client.top, world.right, world.top);
  if (!above.IsRectEmpty())
    pDC->FillRect(&above, &brush);
  pDC->RestoreDC(saved);
}

CDC* CScaleView::GetViewDC() { return GetDC(); }

void CScaleView::ReleaseViewDC(CDC*& pDC)
{
  ReleaseDC(pDC);
  pDC = nullptr;
}

void CScaleView::SetScaleFactor(double scale, BOOL bRedraw)
{
  m_bFirstViewPending = FALSE;
  m_bStoredViewPending = FALSE;
  m_dScaleFactor = std::min(std::max(scale, m_dMinScaleFactor), m_dMaxScaleFactor);
  PCTRACE(TT_ZOOMING_SCROLLING, TL_IMPORTANT)("Scale factor set to %f\n", m_dScaleFactor);
  if (bRedraw)
    ScrollToDevicePosition(CPoint(0, 0));
}

void CScaleView::SetExtent(const CVRX2DVector& extent, BOOL bRedraw)
{
  m_vExtent = extent;
  if (bRedraw && GetSafeHwnd()) {
    UpdateScrollBars();
    Invalidate(TRUE);
  }
}

CSize CScaleView::GetTotalDeviceSize() const { return WorldToDevice(m_vExtent); }

void CScaleView::SetFirstViewScale(double scale)
{
  SetScaleFactor(scale, TRUE);
  m_bFirstViewPending = TRUE;
}

void CScaleView::ScrollToDevicePosition(CPoint p)
{
  m_bFirstViewPending = FALSE;
  m_bStoredViewPending = FALSE;
  const CSize total = GetTotalDeviceSize();
  const CRect client = GetClientRect();
  m_ptScrollPos.x = std::min(std::max(total.cx - client.Width(), 0), std::min(total.cx, std::max(p.x, 0)));
  m_ptScrollPos.y = std::min(std::max(total.cy - client.Height(), 0), std::min(total.cy, std::max(p.y, 0)));
  if (GetSafeHwnd()) {
    UpdateScrollBars();
    Invalidate(TRUE);
  }
}

void CScaleView::ScrollToPosition(const CVRX2DVector& v)
{
  ScrollToDevicePosition(CPoint(RoundToInt(v.GetX() * m_sizeLogPixels.cx * m_dScaleFactor),
                                RoundToInt(v.GetY() * m_sizeLogPixels.cy * m_dScaleFactor)));
}

CVRX2DVector CScaleView::GetScrollPosition() const { return DeviceToWorld(CSize(m_ptScrollPos.x, m_ptScrollPos.y)); }

void CScaleView::ClampScrollPosition()
{
  const CSize total = GetTotalDeviceSize();
  const CRect client = GetClientRect();
  m_ptScrollPos.x = std::min(std::max(total.cx - client.Width(), 0), std::max(m_ptScrollPos.x, 0));
  m_ptScrollPos.y = std::min(std::max(total.cy - client.Height(), 0), std::max(m_ptScrollPos.y, 0));
}

CScrollBar* CScaleView::GetFrameScrollBar(UINT nID) const
{
  CFrameWnd* pFrame = GetParentFrame();
  return pFrame ? dynamic_cast<CScrollBar*>(pFrame->GetDlgItem(static_cast<int>(nID))) : nullptr;
}

void CScaleView::UpdateScrollBars()
{
  const CSize total = GetTotalDeviceSize();
  const CRect client = GetClientRect();
  const CScrollBarRange h = CScrollBarRange::For(total.cx, client.Width());
  const CScrollBarRange v = CScrollBarRange::For(total.cy, client.Height());
  const int hPos = RoundToInt(m_ptScrollPos.x / h.factor);
  const int vPos = v.barRange - RoundToInt(m_ptScrollPos.y / v.factor);
  PCTRACE(TT_ZOOMING_SCROLLING, TL_DETAIL)
  ("UpdateScrollBars: Range =  H: %d to %d, V: %d to %d.\n", 0, h.barRange, 0, v.barRange);
  PCTRACE(TT_ZOOMING_SCROLLING, TL_DETAIL)("UpdateScrollBars: Pos = H: %d, V: %d\n", hPos, vPos);
  if (CScrollBar* pBar = GetFrameScrollBar(kHScrollBarID)) {
    pBar->SetScrollRange(0, h.barRange, FALSE);
    pBar->SetScrollPos(hPos, TRUE);
    pBar->EnableWindow(h.barRange > 0);
  }
  if (CScrollBar* pBar = GetFrameScrollBar(kVScrollBarID)) {
    pBar->SetScrollRange(0, v.barRange, FALSE);
    pBar->SetScrollPos(vPos, TRUE);
    pBar->EnableWindow(v.barRange > 0);
  }
}

double CScaleView::GetFitScaleFactor(BOOL bFill) const
{
  const CRect client = GetClientRect();
  const double sx = (static_cast<double>(client.Width()) / m_sizeLogPixels.cx) / m_vExtent.GetX();
  const double sy = (static_cast<double>(client.Height()) / m_sizeLogPixels.cy) / m_vExtent.GetY();
  return bFill ? std::max(sx, sy) : std::min(sx, sy);
}

CPoint CScaleView::WorldToClient(const CVRX2DPoint& point) const { return GetWorldToClient()(point); }

CWorldToClient CScaleView::GetWorldToClient() const
{
  return CWorldToClient(m_sizeLogPixels, m_dScaleFactor, m_ptScrollPos, GetClientHeight());
}

CSize CScaleView::WorldToDevice(const CVRX2DVector& vector) const
{
  return CSize(RoundToInt(vector.GetX() * m_sizeLogPixels.cx * m_dScaleFactor),
               RoundToInt(vector.GetY() * m_sizeLogPixels.cy * m_dScaleFactor));
}

CVRX2DPoint CScaleView::ClientToWorld(CPoint point) const
{
  const CPoint device = ClientToDevice(point);
  return CVRX2DPoint(device.x / (m_sizeLogPixels.cx * m_dScaleFactor),
                     device.y / (m_sizeLogPixels.cy * m_dScaleFactor));
}

CVRX2DRectangle CScaleView::ClientToWorld(const CRect& rect) const
{
  CRect r(rect);
  r.NormalizeRect();
  const CPoint low = ClientToDevice(CPoint(r.left, r.bottom - 1));
  const CSize size = r.Size();
  const CVRX2DPoint a(low.x / (m_sizeLogPixels.cx * m_dScaleFactor), low.y / (m_sizeLogPixels.cy * m_dScaleFactor));
  const CVRX2DPoint b((low.x + size.cx) / (m_sizeLogPixels.cx * m_dScaleFactor),
                      (low.y + size.cy) / (m_sizeLogPixels.cy * m_dScaleFactor));
  return CVRX2DRectangle(a, b);
}

CVRX2DVector CScaleView::DeviceToWorld(CSize size) const
{
  return CVRX2DVector(size.cx / (m_sizeLogPixels.cx * m_dScaleFactor), size.cy / (m_sizeLogPixels.cy * m_dScaleFactor));
}

CPoint CScaleView::DeviceToClient(CPoint point) const
{
  return CPoint(point.x - m_ptScrollPos.x, GetClientHeight() - point.y + m_ptScrollPos.y - 1);
}

CPoint CScaleView::ClientToDevice(CPoint point) const
{
  return CPoint(m_ptScrollPos.x + point.x, GetClientHeight() - point.y + m_ptScrollPos.y - 1);
}

CRect CScaleView::DeviceToClient(const CRect& rect) const
{
  CRect r(rect);
  r.NormalizeRect();
  // The device rectangle's lower-left pixel becomes the client rectangle's bottom-left one.
  const CPoint low = DeviceToClient(CPoint(r.left, r.top));
  return CRect(low.x, low.y + 1 - r.Height(), low.x + r.Width(), low.y + 1);
}

CRect CScaleView::GetClientRect() const
{
  CRect client;
  if (GetSafeHwnd())
    CWnd::GetClientRect(&client);
  return client;
}

int CScaleView::GetClientHeight() const
{
  const CRect client = GetClientRect();
  return client.bottom - client.top;
}

CRect CScaleView::GetWorldClientRect() const
{
  const CRect client = GetClientRect();
  const CSize total = GetTotalDeviceSize();
  return CRect(client.left, std::max(client.bottom - total.cy, 0), std::min(total.cx, static_cast<int>(client.right)),
               client.bottom);
}

BOOL CScaleView::IsInWorldArea(CPoint client) const { return GetWorldClientRect().PtInRect(client); }

int CScaleView::ScrollStep(int code, int p, int page, const CScrollBarRange& range, int thumb, BOOL vertical)
{
  if (code == -1)
    return 0;
  const int line = page / 10;
  const int pixelRange = RoundToInt(range.barRange * range.factor);
  const int sign = vertical ? -1 : 1;
  int target = p;
  switch (code) {
  case SB_LINEUP:
    target = p - sign * line;
    break;
  case SB_LINEDOWN:
    target = p + sign * line;
    break;
  case SB_PAGEUP:
    target = p - sign * page;
    break;
  case SB_PAGEDOWN:
    target = p + sign * page;
    break;
  case SB_THUMBTRACK:
    target = vertical ? pixelRange - RoundToInt(thumb * range.factor) : RoundToInt(thumb * range.factor);
    break;
  case SB_TOP:
    target = vertical ? pixelRange : 0;
    break;
  case SB_BOTTOM:
    target = vertical ? 0 : pixelRange;
    break;
  default:
    break;
  }
  target = std::min(std::max(target, 0), pixelRange);
  return p - target;
}

void CScaleView::OnScroll(int hCode, int hPos, int vCode, int vPos)
{
  m_bFirstViewPending = FALSE;
  m_bStoredViewPending = FALSE;
  const CSize total = GetTotalDeviceSize();
  const CRect client = GetClientRect();
  const int dx =
      ScrollStep(hCode, m_ptScrollPos.x, client.Width(), CScrollBarRange::For(total.cx, client.Width()), hPos, FALSE);
  const int dy =
      ScrollStep(vCode, m_ptScrollPos.y, client.Height(), CScrollBarRange::For(total.cy, client.Height()), vPos, TRUE);
  if (dx == 0 && dy == 0)
    return;
  OnBeginScroll();
  m_ptScrollPos.x -= dx;
  m_ptScrollPos.y -= dy;
  PCTRACE(TT_ZOOMING_SCROLLING, TL_IMPORTANT)("Log Scroll Pos = (%d,%d)\n", m_ptScrollPos.x, m_ptScrollPos.y);
  PCTRACE(TT_ZOOMING_SCROLLING, TL_DETAIL)("Scroll(%d,%d)\n", dx, -dy);
  ScrollWindowEx(dx, -dy, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
  UpdateWindow();
  OnEndScroll();
  UpdateScrollBars();
}

void CScaleView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
  OnScroll(static_cast<int>(nSBCode), static_cast<int>(nPos), -1, 0);
}

void CScaleView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
  OnScroll(-1, 0, static_cast<int>(nSBCode), static_cast<int>(nPos));
}

BOOL CScaleView::OnMouseWheel(UINT nFlags, short zDelta, CPoint)
{
  if (nFlags & MK_CONTROL)
    return FALSE;
  const int notches = WheelNotches(zDelta);
  const BOOL sideways = (nFlags & MK_SHIFT) != 0;
  const int code = notches > 0 ? SB_LINEUP : SB_LINEDOWN;
  for (int i = 0; i < std::abs(notches); ++i)
    OnScroll(sideways ? code : -1, 0, sideways ? -1 : code, 0);
  return notches != 0;
}

void CScaleView::OnMouseHWheel(UINT, short zDelta, CPoint)
{
  // A tilt to the right is positive and shows more of the right.
  const int notches = WheelNotches(zDelta);
  for (int i = 0; i < std::abs(notches); ++i)
    OnScroll(notches > 0 ? SB_LINERIGHT : SB_LINELEFT, 0, -1, 0);
}

int CScaleView::WheelNotches(short zDelta)
{
  m_nWheelRest += zDelta;
  const int notches = m_nWheelRest / WHEEL_DELTA;
  m_nWheelRest -= notches * WHEEL_DELTA;
  return notches;
}

void CScaleView::OnSize(UINT nType, int cx, int cy)
{
  CView::OnSize(nType, cx, cy);
  // A smaller or larger client shows another part of the world: the position must stay in reach.
  ClampScrollPosition();
  UpdateScrollBars();
}

void CScaleView::OnMouseMove(UINT nFlags, CPoint point)
{
  CView::OnMouseMove(nFlags, point);
  const CRect client = GetClientRect();
  const BOOL inside = client.PtInRect(point);
  if (m_bAutoscrollTimer && inside) {
    KillTimer(kAutoscrollTimer);
    m_bAutoscrollTimer = FALSE;
  } else if (!m_bAutoscrollTimer && !inside) {
    PCTRACE(TT_ZOOMING_SCROLLING, TL_IMPORTANT)("Starting autoscroll timer.\n");
    m_bAutoscrollTimer = SetTimer(kAutoscrollTimer, kAutoscrollPeriod, nullptr) != 0;
  }
}

void CScaleView::OnTimer(UINT_PTR nIDEvent)
{
  PCTRACE(TT_ZOOMING_SCROLLING, TL_VERBOSE)("CScaleView::OnTimer(%u)\n", static_cast<unsigned>(nIDEvent));
  if (nIDEvent != kAutoscrollTimer) {
    CView::OnTimer(nIDEvent);
    return;
  }
  CPoint cursor;
  GetCursorPos(&cursor);
  ScreenToClient(&cursor);
  const CRect client = GetClientRect();
  if (GetCapture() == this && !client.PtInRect(cursor)) {
    int hCode = -1;
    if (cursor.x < client.left)
      hCode = SB_LINELEFT;
    else if (cursor.x > client.right)
      hCode = SB_LINERIGHT;
    int vCode = -1;
    if (cursor.y < client.top)
      vCode = SB_LINEUP;
    else if (cursor.y > client.bottom)
      vCode = SB_LINEDOWN;
    OnScroll(hCode, 0, vCode, 0);
    return;
  }
  KillTimer(kAutoscrollTimer);
  m_bAutoscrollTimer = FALSE;
}
