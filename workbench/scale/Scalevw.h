#pragma once
// A view of a rectangular world measured in inches, y up, shown at a scale factor, with its own
// conversions between world and client coordinates, the scroll bars of its parent frame and
// autoscroll while a drag holds the mouse outside the window.
#include "geometry/2dpoint.h"
#include "geometry/2drect.h"
#include "geometry/2dvector.h"
#include "support/Gdiutil.h"
#include "ui/docview/View.h"

class CScrollBar;

// The autoscroll timer and its period.
constexpr UINT_PTR kAutoscrollTimer = 4331;
constexpr UINT kAutoscrollPeriod = 250;
// The scroll-bar controls of the parent frame that the view drives.
constexpr UINT kHScrollBarID = 0xEA00;
constexpr UINT kVScrollBarID = 0xEA10;

// How a scroll bar of a given pixel range is driven: 16-bit bar units times a factor.
struct CScrollBarRange
{
  int barRange = 0;
  double factor = 1.0;
  static CScrollBarRange For(int total, int client);
};

// World points to client pixels at one scale, scroll position and client height, taken once by
// code that converts many points while none of them changes (drawing a design).
class CWorldToClient
{
public:
  CWorldToClient(CSize logPixels, double scale, CPoint scroll, int clientHeight)
    : m_dLogPixelsX(logPixels.cx),
      m_dLogPixelsY(logPixels.cy),
      m_dScale(scale),
      m_ptScroll(scroll),
      m_nClientHeight(clientHeight)
  {}
  // Device pixels count up from the world's lower left; client rows count down.
  CPoint operator()(const CVRX2DPoint& point) const
  {
    const int dx = static_cast<int>(Round(point.GetX() * m_dLogPixelsX * m_dScale));
    const int dy = static_cast<int>(Round(point.GetY() * m_dLogPixelsY * m_dScale));
    return CPoint(dx - m_ptScroll.x, m_nClientHeight - dy + m_ptScroll.y - 1);
  }

private:
  double m_dLogPixelsX;
  double m_dLogPixelsY;
  double m_dScale;
  CPoint m_ptScroll;
  int m_nClientHeight;
};

class CScaleView : public CView
{
  DECLARE_DYNAMIC(CScaleView)
public:
  CScaleView();

  void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
  void OnDraw(CDC* pDC) override;
  virtual CDC* GetViewDC();
  virtual void ReleaseViewDC(CDC*& pDC);
  virtual void OnBeginScroll() {}
  virtual void OnEndScroll() {}

  void SetScaleFactor(double scale, BOOL bRedraw);
  double GetScaleFactor() const { return m_dScaleFactor; }
  void SetExtent(const CVRX2DVector& extent, BOOL bRedraw);
  CVRX2DVector GetExtent() const { return m_vExtent; }
  CSize GetTotalDeviceSize() const;
  void ScrollToDevicePosition(CPoint position);
  void ScrollToPosition(const CVRX2DVector& position);
  CVRX2DVector GetScrollPosition() const;
  CPoint GetDeviceScrollPosition() const { return m_ptScrollPos; }
  void UpdateScrollBars();
  double GetFitScaleFactor(BOOL bFill) const;
  // Device pixels per inch, x and y.
  CSize GetLogPixels() const { return m_sizeLogPixels; }

  CPoint WorldToClient(const CVRX2DPoint& point) const;
  CWorldToClient GetWorldToClient() const;
  CSize WorldToDevice(const CVRX2DVector& vector) const;
  CVRX2DPoint ClientToWorld(CPoint point) const;
  CVRX2DRectangle ClientToWorld(const CRect& rect) const;
  CVRX2DVector DeviceToWorld(CSize size) const;
  CPoint DeviceToClient(CPoint point) const;
  CPoint ClientToDevice(CPoint point) const;
  CRect DeviceToClient(const CRect& rect) const;
  using CWnd::GetClientRect;
  CRect GetClientRect() const;
  int GetClientHeight() const;
  CRect GetWorldClientRect() const;
  BOOL IsInWorldArea(CPoint client) const;

  // The pixel step of one bar for one scroll code (-1: this bar does not scroll).
  static int ScrollStep(int code, int position, int page, const CScrollBarRange& range, int thumb, BOOL vertical);
  BOOL IsAutoscrolling() const { return m_bAutoscrollTimer; }
  // Scrolls by the codes of the two bars, as the bars and the autoscroll timer do.
  void OnScroll(int hCode, int hPos, int vCode, int vPos);

protected:
  void OnSize(UINT nType, int cx, int cy) override;
  void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;
  void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;
  void OnMouseMove(UINT nFlags, CPoint point) override;
  // A notch of the wheel scrolls a line: up and down, or sideways with Shift or a tilt.
  BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) override;
  void OnMouseHWheel(UINT nFlags, short zDelta, CPoint pt) override;
  void OnTimer(UINT_PTR nIDEvent) override;
  CScrollBar* GetFrameScrollBar(UINT nID) const;
  // Whole notches of the wheel turns so far; the rest waits for the next turn.
  int WheelNotches(short zDelta);
  // Keeps the scroll position inside the scrollable range of the current client size.
  void ClampScrollPosition();
  // The scale of a first view that is fitted again while the view takes its size; any other
  // scale or scroll change ends that.
  void SetFirstViewScale(double scale);

  CVRX2DVector m_vExtent{1440.0, 1440.0};
  double m_dScaleFactor = 1.0;
  CPoint m_ptScrollPos;
  CSize m_sizeLogPixels;
  BOOL m_bAutoscrollTimer = FALSE;
  BOOL m_bFirstViewPending = FALSE;
  // A stored view is shown again, as its window allows, whenever the view takes a new size, until
  // the user clicks, types, scrolls or anything else scales or scrolls it.
  BOOL m_bStoredViewPending = FALSE;
  // Wheel turns smaller than a notch, kept until they make one.
  int m_nWheelRest = 0;
  double m_dMinScaleFactor = 0.001;
  double m_dMaxScaleFactor = 10.0;
};
