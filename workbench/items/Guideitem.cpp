#include "workbench/items/Guideitem.h"

#include <algorithm>
#include <cmath>

#include "geometry/2dmatrix.h"
#include "geometry/Angle.h"
#include "model/Entcat.h"
#include "platform/core/Archive.h"
#include "ui/draw/Dc.h"
#include "ui/draw/Gdi.h"
#include "ui/wnd/WinApp.h"
#include "project/DocServices.h"
#include "project/Stamp.h"
#include "support/Exceptn.h"
#include "support/Gdiutil.h"
#include "support/Unitscvt.h"
#include "workbench/sheets/Guideprp.h"
#include "workbench/items/Tracker.h"
#include "workbench/view/Wbview.h"

IMPLEMENT_SERIAL(CGuidelineItem, CDesignItem, VERSIONABLE_SCHEMA | 10000)

namespace {
// Snap mode of a guideline handle: every snap but joining.
constexpr int kGuidelineHandleMode = 7;
constexpr const char* kModule = "Guideitm";
constexpr int kCloneLine = 143;
constexpr int kNoCentreLineLine = 251;
constexpr int kNotALineLine = 287;
constexpr int kCentreNotFirstLine = 292;
constexpr int kHandlePointLine = 418;
constexpr int kResizeHandleLine = 611;

// Pixels: the handle's distance from the visible end, half the handle box, the hit tolerance.
constexpr int kHandleInset = 10;
constexpr int kHalfHandleBox = 4;
// Radians a rotated guideline keeps away from the axes.
constexpr double kAxisBand = 0.1;
// Length of the segment that gives the line's direction when it is clipped.
constexpr double kDirectionLength = 10.0;

COLORREF g_lineColor = RGB(0, 0, 255);
COLORREF g_edgeColor = RGB(220, 230, 252);

CVRX2DLine Side(double x1, double y1, double x2, double y2)
{
  return CVRX2DLine(0, CVRX2DPoint(x1, y1), CVRX2DPoint(x2, y2));
}

POINT ToDevice(CWorkbenchView* pView, const CVRX2DPoint& p)
{
  const CSize d = pView->WorldToDevice(p.AsVector());
  return POINT{d.cx, d.cy};
}

CVRX2DPoint DeviceToWorldPoint(CWorkbenchView* pView, CPoint device)
{
  return pView->DeviceToWorld(CSize(device.x, device.y)).AsPoint();
}
}  // namespace

CGuidelineItem::CGuidelineItem() : CDesignItem(ditGuideline) {}

CGuidelineItem::CGuidelineItem(const CVRXAngle& angle, double width, const CVRX2DVector& offset, CDesign*)
  : CDesignItem(ditGuideline), m_dGuidelineWidth(width)
{
  SetGeometry(angle, offset);
}

void CGuidelineItem::SetDefaultColors(COLORREF line, COLORREF edge)
{
  g_lineColor = line;
  g_edgeColor = edge;
}

CDesignItem* CGuidelineItem::Clone() const { throw CAppException(kModule, kCloneLine); }

void CGuidelineItem::Serialize(CArchive& ar)
{
  CDesignItem::Serialize(ar);
  SerializeVersionStamp(ar);
  if (ar.IsStoring()) {
    ar << m_dGuidelineWidth << static_cast<BYTE>(m_nSnapToCenter & 0xFF);
    return;
  }
  BYTE snap = 0;
  ar >> m_dGuidelineWidth >> snap;
  m_nSnapToCenter = snap ? 1 : 0;
  m_bVisibleMidpointKnown = FALSE;
  Regenerate();
}

BOOL CGuidelineItem::IsHorizontal() const
{
  const double a = m_Angle.GetRadians();
  return a == 0.0 || a == VRX_PI;
}

BOOL CGuidelineItem::IsVertical() const
{
  const double a = m_Angle.GetRadians();
  return a == VRX_HALF_PI || a == VRX_HALF_PI + VRX_PI;
}

BOOL CGuidelineItem::IsAngled() const { return !IsHorizontal() && !IsVertical(); }

void CGuidelineItem::SetGuidelineWidth(double width)
{
  m_dGuidelineWidth = width;
  Regenerate();
}

void CGuidelineItem::SetSnapToCenter(int snap)
{
  m_nSnapToCenter = snap;
  Regenerate();
}

int CGuidelineItem::GetHandleCount() const { return IsAngled() ? 2 : 1; }

void CGuidelineItem::SetGeometry(const CVRXAngle& angle, const CVRX2DVector& offset)
{
  m_Angle = angle;
  m_vOffset = offset;
  m_bVisibleMidpointKnown = FALSE;
  Regenerate();
}

void CGuidelineItem::Rotate(const CVRXAngle& delta, const CVRX2DPoint& point)
{
  m_Angle += delta;
  m_vOffset = point.AsVector();
  m_bVisibleMidpointKnown = FALSE;
  Regenerate();
}

void CGuidelineItem::Offset(const CVRX2DVector& v)
{
  m_vOffset += v;
  m_bVisibleMidpointKnown = FALSE;
  Regenerate();
}

BOOL CGuidelineItem::CanMoveTo(const CVRX2DVector& v) const
{
  CVRX2DLine line;
  return MakeClippedLine(line, (m_vOffset + v).AsPoint(), m_Angle);
}

CVRX2DLine CGuidelineItem::GetCenterLine() const
{
  if (m_OutlineEnts.GetSize() == 0)
    return CVRX2DLine();
  return *static_cast<const CVRX2DLine*>(m_OutlineEnts[0]);
}

CVRX2DPoint CGuidelineItem::GetVisibleMidpoint() const
{
  // A guideline never drawn where it now lies has no visible middle: it turns about its offset,
  // which lies on its centre line, rather than about a stale or default point off it.
  return m_bVisibleMidpointKnown ? m_ptVisibleMidpoint : m_vOffset.AsPoint();
}

int CGuidelineItem::IntersectWorkbenchSquare(const CVRX2DLine& direction, CVRX2DPointArray& points)
{
  const CVRX2DLine sides[] = {
      Side(0, 0, kWorkbenchSquare, 0), Side(kWorkbenchSquare, kWorkbenchSquare, kWorkbenchSquare, 0),
      Side(kWorkbenchSquare, kWorkbenchSquare, 0, kWorkbenchSquare), Side(0, 0, 0, kWorkbenchSquare)};
  points.RemoveAll();
  for (const CVRX2DLine& side : sides) {
    if (points.GetSize() >= 2)
      break;
    // A line along a side runs along all of it: both its ends count.
    if (direction.IsColinear(side)) {
      points.AddUnique(side.GetStartPoint());
      if (points.GetSize() < 2)
        points.AddUnique(side.GetEndPoint());
      continue;
    }
    CVRX2DPointArray crossing;
    direction.IntersectLine(side, crossing);
    // A crossing at a corner is found on both sides that meet there; it counts once.
    if (crossing.GetSize() > 0 && side.Contains(*crossing[0]))
      points.AddUnique(*crossing[0]);
  }
  return points.GetSize();
}

BOOL CGuidelineItem::MakeClippedLine(CVRX2DLine& line, const CVRX2DPoint& p, const CVRXAngle& a)
{
  const CVRX2DLine direction(0, p, p + CVRX2DVector(kDirectionLength, a));
  CVRX2DPointArray points;
  if (IntersectWorkbenchSquare(direction, points) < 2)
    return FALSE;
  line.SetStartPoint(*points[0]);
  line.SetEndPoint(*points[1]);
  return TRUE;
}

void CGuidelineItem::GenerateEntities(const CVRX2DVector& offset, const CVRXAngle& angle)
{
  m_TrackEnts.RemoveAll();
  CVRX2DLine centre;
  if (!MakeClippedLine(centre, offset.AsPoint(), angle))
    throw CAppException(kModule, kNoCentreLineLine);
  centre.SetCategory(ecatGuidelineCentre);
  m_TrackEnts.Add(centre.Clone());
  if (m_dGuidelineWidth <= 0.0)
    return;
  for (const CVRXAngle& side : {angle + VRX_HALF_PI, angle - VRX_HALF_PI}) {
    CVRX2DLine edge;
    const CVRX2DPoint through = offset.AsPoint() + CVRX2DVector(m_dGuidelineWidth / 2.0, side);
    if (!MakeClippedLine(edge, through, angle))
      continue;
    edge.SetCategory(ecatGuidelineEdge);
    m_TrackEnts.Add(edge.Clone());
  }
}

void CGuidelineItem::GenerateMoveTrackEntities(const CVRX2DVector& v) { GenerateEntities(m_vOffset + v, m_Angle); }

void CGuidelineItem::Regenerate()
{
  m_OutlineEnts.RemoveAll();
  m_AlignmentEnts.RemoveAll();
  GenerateMoveTrackEntities(CVRX2DVector());
  for (int i = 0; i < m_TrackEnts.GetSize(); ++i) {
    CVRX2DEntity* pEntity = m_TrackEnts[i];
    if (pEntity->GetType() != VRX_LINE)
      throw CAppException(kModule, kNotALineLine);
    auto* pLine = static_cast<CVRX2DLine*>(pEntity);
    if (pLine->GetCategory() == ecatGuidelineCentre) {
      if (i != 0)
        throw CAppException(kModule, kCentreNotFirstLine);
      m_OutlineEnts.Add(pLine->Clone());
      const CVRX2DPoint s = pLine->GetStartPoint();
      const CVRX2DPoint e = pLine->GetEndPoint();
      const CVRX2DPoint middle((s.GetX() + e.GetX()) / 2.0, (s.GetY() + e.GetY()) / 2.0);
      // Clipping again through the middle need not give the same bits: an offset already at the
      // middle stays, so that loading and storing an unchanged guideline writes the same bytes.
      if (middle != m_vOffset.AsPoint())
        m_vOffset = middle.AsVector();
      if (m_nSnapToCenter == 1) {
        CVRX2DLine* pAlign = pLine->Clone();
        pAlign->SetCategory(ecatGuidelineCentreAlignment);
        m_AlignmentEnts.Add(pAlign);
      }
    } else if (pLine->GetCategory() == ecatGuidelineEdge) {
      m_OutlineEnts.Add(pLine->Clone());
      CVRX2DLine* pAlign = pLine->Clone();
      pAlign->SetCategory(ecatGuidelineEdgeAlignment);
      m_AlignmentEnts.Add(pAlign);
    }
  }
  RecomputeCenter();
}

BOOL CGuidelineItem::KeepAngleOffAxes(CVRXAngle& angle)
{
  const double a = angle.GetRadians();
  const double b = kAxisBand;
  double value = a;
  for (double axis : {0.0, VRX_HALF_PI, VRX_PI, VRX_PI + VRX_HALF_PI, VRX_TWO_PI}) {
    if (axis > 0.0 && axis - b < a && a < axis) {
      value = axis - b;
      break;
    }
    if (axis <= a && a < axis + b) {
      value = axis + b;
      break;
    }
  }
  angle.SetRadians(value);
  return value != a;
}

COLORREF CGuidelineItem::GetColor() const { return g_lineColor; }

void CGuidelineItem::SetColor(COLORREF color) { g_lineColor = color; }

double CGuidelineItem::GetSpacingExtent(BOOL bHorizontal, int part) const
{
  const BOOL across = (bHorizontal && IsVertical()) || (!bHorizontal && IsHorizontal());
  const double value = across ? m_dGuidelineWidth : 0.0;
  return part == 0 || part == 1 ? value / 2.0 : value;
}

BOOL CGuidelineItem::CanSpaceEvenly(BOOL bHorizontal, BOOL* pbCancel)
{
  *pbCancel = FALSE;
  if ((IsHorizontal() && !bHorizontal) || (IsVertical() && bHorizontal))
    return TRUE;
  CString message;
  if (IsHorizontal())
    message = CString("Any horizontal guidelines you have selected will not be ") +
              "considered for Space Items Evenly/Horizontally";
  else if (IsVertical())
    message = CString("Any vertical guidelines you have selected will not be ") +
              "considered for Space Items Evenly/Vertically";
  else
    message = CString("Any angled guidelines you have selected will not be ") + "considered for Space Items Evenly...";
  if (AfxMessageBox(message, MB_OKCANCEL) == IDCANCEL)
    *pbCancel = TRUE;
  return FALSE;
}

CString CGuidelineItem::GetDescription()
{
  if (IsAngled()) {
    const CVRX2DLine centre = GetCenterLine();
    CString text;
    text.Format("Guideline pitch is %3.2f", 12.0 * centre.GetSlope());
    return text;
  }
  const double at = IsVertical() ? m_vOffset.GetX() : m_vOffset.GetY();
  CUnitsConverter converter;
  return "Guideline at (" + converter.FormatLength(GetDocServices().GetMeasurementUnits(), at) + ")";
}

BOOL CGuidelineItem::LineToClient(CPoint& p1, CPoint& p2, const CVRX2DLine& line, CWorkbenchView* pView) const
{
  POINT a = ToDevice(pView, line.GetStartPoint());
  POINT b = ToDevice(pView, line.GetEndPoint());
  const CRect client = pView->GetClientRect();
  const CPoint lowLeft = pView->ClientToDevice(CPoint(0, client.Height() - 1));
  if (!ClipLineToRect(a, b, lowLeft.x - 1, lowLeft.y - 1, client.Width() + 2, client.Height() + 2))
    return FALSE;
  // The square's far edges fall on the first device pixels past the world: a guideline on one of
  // them is drawn on the world's last pixels, where the mouse reaches it.
  const CSize world = pView->GetTotalDeviceSize();
  if (world.cx <= 0 || world.cy <= 0 || !ClipLineToRect(a, b, 0, 0, world.cx + 1, world.cy + 1))
    return FALSE;
  for (POINT* p : {&a, &b}) {
    p->x = std::min<LONG>(p->x, world.cx - 1);
    p->y = std::min<LONG>(p->y, world.cy - 1);
  }
  p1 = pView->DeviceToClient(CPoint(a.x, a.y));
  p2 = pView->DeviceToClient(CPoint(b.x, b.y));
  return TRUE;
}

CRect CGuidelineItem::MakeHandleBox(int x, int y)
{
  return CRect(x - kHalfHandleBox, y - kHalfHandleBox, x + kHalfHandleBox, y + kHalfHandleBox);
}

double CGuidelineItem::InsetLength(CWorkbenchView* pView) const
{
  return pView->DeviceToWorld(CSize(kHandleInset, 0)).GetX();
}

CVRX2DPoint CGuidelineItem::GetHandlePoint(int handle, CWorkbenchView* pView)
{
  CPoint c1;
  CPoint c2;
  LineToClient(c1, c2, GetCenterLine(), pView);
  const CPoint d1 = pView->ClientToDevice(c1);
  const CPoint d2 = pView->ClientToDevice(c2);
  if (d1.x == d2.x) {
    const CPoint upper = d1.y > d2.y ? d1 : d2;
    return DeviceToWorldPoint(pView, CPoint(upper.x, upper.y - kHandleInset));
  }
  if (d1.y == d2.y) {
    const CPoint left = d1.x < d2.x ? d1 : d2;
    return DeviceToWorldPoint(pView, CPoint(left.x + kHandleInset, left.y));
  }
  const CVRX2DPoint start = DeviceToWorldPoint(pView, d1);
  const CVRX2DPoint end = DeviceToWorldPoint(pView, d2);
  const CVRX2DLine centre = GetCenterLine();
  const CVRX2DVector along(InsetLength(pView), centre.GetAngle());
  if (handle == 0)
    return start + along;
  if (handle == 1)
    return end - along;
  throw CAppException(kModule, kHandlePointLine);
}

CSizingHandleArray* CGuidelineItem::GetSizingHandles(CWorkbenchView* pView)
{
  m_SizingHandles.RemoveAll();
  // Handles of a guideline the view does not show have no place: the tracker would draw and
  // hit them somewhere in the corner of the window.
  CPoint c1;
  CPoint c2;
  if (!LineToClient(c1, c2, GetCenterLine(), pView))
    return &m_SizingHandles;
  for (int i = 0; i < GetHandleCount(); ++i)
    m_SizingHandles.Add(new CSizingHandle(GetHandlePoint(i, pView), CSizingHandle::allSides));
  return &m_SizingHandles;
}

BOOL CGuidelineItem::HitTest(const CVRX2DPoint& point, CWorkbenchView* pView)
{
  const double previous = CVRX2DPoint::GetTolerance();
  CVRX2DPoint::SetTolerance(InsetLength(pView));
  const BOOL hit = GetCenterLine().Contains(point);
  CVRX2DPoint::SetTolerance(previous);
  return hit;
}

int CGuidelineItem::HitTestHandle(const CVRX2DPoint& point, CWorkbenchView*)
{
  return m_pTracker ? m_pTracker->HitTestHandle(point) : -1;
}

void CGuidelineItem::Select(CWorkbenchView* pView)
{
  SetTracker(std::make_unique<CGuidelineTracker>(pView, this));
  // The paint draws the handles as the boxes every repaint draws: the tracker's smaller squares,
  // drawn here, would stick out of a box where a window pixel is wider than the pen, and what
  // they validated would not be painted again.
  InvalidateHandles(pView);
}

void CGuidelineItem::Deselect(CWorkbenchView* pView)
{
  // The filled boxes go whole: the tracker knows only its smaller squares, and a box's first row
  // and column left filled show beside the unselected box's outline where a window pixel is
  // wider than the pen.
  InvalidateHandles(pView);
  CDesignItem::Deselect(pView);
}

void CGuidelineItem::Draw(CDC* pDC, CWorkbenchView* pView)
{
  const int saved = pDC->SaveDC();
  CPen linePen(PS_SOLID, 0, g_lineColor);
  CBrush white(RGB(255, 255, 255));
  pDC->SelectObject(&linePen);
  pDC->SelectObject(&white);
  CPoint c1;
  CPoint c2;
  if (LineToClient(c1, c2, GetCenterLine(), pView)) {
    pDC->MoveTo(c1);
    pDC->LineTo(c2);
    // A line leaves out its last pixel: a guideline across less than a pixel, at the tip of a
    // corner, would not be drawn at all.
    if (c1 == c2)
      pDC->SetPixel(c1.x, c1.y, g_lineColor);
    m_ptVisibleMidpoint = pView->ClientToWorld(CPoint((c1.x + c2.x) / 2, (c1.y + c2.y) / 2));
    m_bVisibleMidpointKnown = TRUE;
  }
  CPen edgePen(PS_SOLID, 0, g_edgeColor);
  if (m_dGuidelineWidth > 0.0) {
    pDC->SelectObject(&edgePen);
    for (int i = 1; i < m_OutlineEnts.GetSize() && i < 3; ++i) {
      CPoint e1;
      CPoint e2;
      if (!LineToClient(e1, e2, *static_cast<CVRX2DLine*>(m_OutlineEnts[i]), pView))
        continue;
      pDC->MoveTo(e1);
      pDC->LineTo(e2);
    }
  }
  pDC->RestoreDC(saved);
  DrawHandleBoxes(pDC, pView);
}

void CGuidelineItem::DrawHandleBoxes(CDC* pDC, CWorkbenchView* pView)
{
  CPoint c1;
  CPoint c2;
  if (!LineToClient(c1, c2, GetCenterLine(), pView))
    return;
  const int saved = pDC->SaveDC();
  CPen pen(PS_SOLID, 0, g_lineColor);
  CBrush white(RGB(255, 255, 255));
  pDC->SelectObject(&pen);
  pDC->SelectObject(&white);
  for (int i = 0; i < GetHandleCount(); ++i) {
    const CPoint at = pView->WorldToClient(GetHandlePoint(i, pView));
    const CRect box = MakeHandleBox(at.x, at.y);
    pDC->Rectangle(&box);
  }
  pDC->RestoreDC(saved);
}

void CGuidelineItem::DrawHandles(CDC* pDC, CWorkbenchView* pView)
{
  CPoint c1;
  CPoint c2;
  if (!LineToClient(c1, c2, GetCenterLine(), pView))
    return;
  const int saved = pDC->SaveDC();
  pDC->SetMapMode(MM_TEXT);
  pDC->SetViewportOrg(0, 0);
  CPen pen(PS_SOLID, 0, GetColor());
  CBrush brush(GetColor());
  pDC->SelectObject(&pen);
  pDC->SelectObject(&brush);
  for (int i = 0; i < GetHandleCount(); ++i) {
    const CPoint at = pView->WorldToClient(GetHandlePoint(i, pView));
    const CRect box = MakeHandleBox(at.x, at.y);
    pDC->Rectangle(&box);
    // The paint in progress must not paint over the filled box.
    pView->ValidateRect(&box);
  }
  pDC->RestoreDC(saved);
}

void CGuidelineItem::DrawTrackEntities(CWorkbenchView* pView)
{
  CDC* pDC = pView->GetViewDC();
  const int saved = pDC->SaveDC();
  CPen pen(PS_DOT, 0, RGB(0, 0, 0));
  CBrush white(RGB(255, 255, 255));
  pDC->SelectObject(&pen);
  pDC->SelectObject(&white);
  pDC->SetROP2(R2_NOTXORPEN);
  for (int i = 0; i < m_TrackEnts.GetSize(); ++i) {
    CPoint c1;
    CPoint c2;
    if (!LineToClient(c1, c2, *static_cast<CVRX2DLine*>(m_TrackEnts[i]), pView))
      continue;
    pDC->MoveTo(c1);
    pDC->LineTo(c2);
  }
  pDC->RestoreDC(saved);
  pView->ReleaseViewDC(pDC);
}

void CGuidelineItem::DrawTrackEntities(CWorkbenchView* pView, CTrackerTranslator&) { DrawTrackEntities(pView); }

void CGuidelineItem::Invalidate(CWorkbenchView* pView)
{
  BOOL anyVisible = FALSE;
  BOOL centreVisible = FALSE;
  for (int i = 0; i < m_OutlineEnts.GetSize(); ++i) {
    CPoint c1;
    CPoint c2;
    if (!LineToClient(c1, c2, *static_cast<CVRX2DLine*>(m_OutlineEnts[i]), pView))
      continue;
    InvalidateLine(c1.x, c1.y, c2.x, c2.y, pView);
    anyVisible = TRUE;
    centreVisible = centreVisible || i == 0;
  }
  if (anyVisible && centreVisible)
    InvalidateHandles(pView);
}

void CGuidelineItem::InvalidateHandles(CWorkbenchView* pView)
{
  for (int i = 0; i < GetHandleCount(); ++i) {
    const CPoint at = pView->WorldToClient(GetHandlePoint(i, pView));
    CRect box = MakeHandleBox(at.x, at.y);
    box.InflateRect(2, 2);
    pView->InvalidateRect(&box, TRUE);
  }
  if (m_pTracker)
    m_pTracker->Invalidate();
}

BOOL CGuidelineItem::Move(const CVRX2DPoint& point, CWorkbenchView* pView)
{
  if (!m_pTracker)
    return FALSE;
  m_vTrack = CVRX2DVector();
  DrawTrackEntities(pView);
  CVRX2DVector offset;
  const int result = m_pTracker->Track(point, &offset);
  DrawTrackEntities(pView);
  // The image goes back where the guideline stands, also where the drag left it elsewhere: the
  // next drag starts by drawing it.
  GenerateMoveTrackEntities(CVRX2DVector());
  BOOL answer = FALSE;
  if (result == trkMoved) {
    Invalidate(pView);
    Offset(m_vTrack);
    answer = TRUE;
  } else if (result == trkCancelled) {
    answer = TRUE;
  }
  Invalidate(pView);
  return answer;
}

BOOL CGuidelineItem::Resize(int handle, const CVRX2DPoint& point, CWorkbenchView* pView)
{
  if (!IsAngled())
    return FALSE;
  if (handle != 0 && handle != 1)
    throw CAppException(kModule, kResizeHandleLine);
  m_ptRotationPivot = GetHandlePoint(handle == 0 ? 1 : 0, pView);
  m_ptRotationGrab = point;
  if (!m_pTracker)
    return FALSE;
  CVRX2DVector offset;
  m_bTurnShown = FALSE;
  const BOOL dragged = m_pTracker->Resize(handle, point, &offset);
  if (m_bTurnShown)
    DrawTrackEntities(pView);
  m_bTurnShown = FALSE;
  if (dragged) {
    Invalidate(pView);
    m_vOffset = m_ptRotationPivot.AsVector();
    CVRXAngle angle = m_ptRotationPivot.AngleTo(m_ptRotationGrab + offset);
    KeepAngleOffAxes(angle);
    m_Angle = angle;
    m_bVisibleMidpointKnown = FALSE;
    Regenerate();
    Invalidate(pView);
  }
  return dragged;
}

void CGuidelineItem::StartMove(CWorkbenchView* pView)
{
  CDesignItem::StartMove(pView);
  pView->BuildGuidelineSnapPoints(this);
}

int CGuidelineItem::AdjustPos(int, CVRX2DVector& v, CVRX2DEntityArray&, CWorkbenchView* pView)
{
  // The turning handle snaps as a free point, or along the one axis Shift holds it to.
  int mode = kGuidelineHandleMode;
  double direction = 0.0;
  if (CWorkbenchView::IsShiftDown()) {
    if (std::fabs(v.GetX()) >= std::fabs(v.GetY())) {
      v.SetY(0.0);
      direction = VRX_PI;
    } else {
      v.SetX(0.0);
      direction = VRX_HALF_PI;
    }
    mode |= CWorkbenchView::kConstrainedMode;
  }
  const CVRX2DVector s = pView->AdjustPoint((m_ptRotationGrab + v).AsVector(), mode, direction, nullptr, 0);
  if (s.GetLength() > 0.0)
    v += s;
  if (m_bTurnShown)
    DrawTrackEntities(pView);
  CVRXAngle angle = m_ptRotationPivot.AngleTo(m_ptRotationGrab + v);
  KeepAngleOffAxes(angle);
  GenerateEntities(m_ptRotationPivot.AsVector(), angle);
  DrawTrackEntities(pView);
  m_bTurnShown = TRUE;
  return 0;
}

void CGuidelineItem::Edit(CWorkbenchView* pView)
{
  EditProperties(pView, 0);
  Regenerate();
  CDesignItem::Edit(pView);
}

void CGuidelineItem::EditProperties(CWorkbenchView* pView, UINT nStartPage)
{
  CGuidelinePropertiesDlg sheet(pView, this, nStartPage);
  sheet.DoModal();
}
