#include "workbench/items/Dsgnitem.h"

#include <algorithm>
#include <cmath>

#include "geometry/Angle.h"
#include "project/Stamp.h"
#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "geometry/2dmatrix.h"
#include "geometry/2drect.h"
#include "platform/core/Archive.h"
#include "platform/core/Exception.h"
#include "ui/draw/Dc.h"
#include "ui/draw/Gdi.h"
#include "support/Exceptn.h"
#include "support/Gdiutil.h"
#include "support/Trace.h"
#include "workbench/scale/Scalexlt.h"
#include "workbench/items/Groupitm.h"
#include "workbench/items/Tracker.h"
#include "workbench/view/Wbview.h"

IMPLEMENT_SERIAL(CDesignItem, CObject, VERSIONABLE_SCHEMA | 10000)

namespace {
constexpr const char* kModule = "Dsgnitem";
constexpr int kDirectionLostLine = 611;
// Half the side of the band InvalidateLine invalidates around a line.
constexpr int kHalfBand = 4;

COLORREF g_itemColor = RGB(0, 0, 0);
COLORREF g_alignmentLineColor = RGB(192, 192, 192);

// The square's edges, in the order an angled alignment line is intersected with them.
const CVRX2DLine kEdges[] = {
    CVRX2DLine(0, CVRX2DPoint(0, 0), CVRX2DPoint(kWorkbenchSquare, 0)),
    CVRX2DLine(0, CVRX2DPoint(0, 0), CVRX2DPoint(0, kWorkbenchSquare)),
    CVRX2DLine(0, CVRX2DPoint(0, kWorkbenchSquare), CVRX2DPoint(kWorkbenchSquare, kWorkbenchSquare)),
    CVRX2DLine(0, CVRX2DPoint(kWorkbenchSquare, 0), CVRX2DPoint(kWorkbenchSquare, kWorkbenchSquare))};

// The box a nudge keeps from going farther past the square: the item's move box, a group's the
// box of its members that go by their box. FALSE when no member does.
BOOL NudgeBox(const CDesignItem& item, CVRX2DPoint& low, CVRX2DPoint& high)
{
  if (item.GetMoveBox(low, high))
    return TRUE;
  const auto* pGroup = dynamic_cast<const CGroupItem*>(&item);
  if (!pGroup)
    return FALSE;
  BOOL any = FALSE;
  for (POSITION pos = pGroup->GetMembers().GetHeadPosition(); pos;) {
    CVRX2DPoint a;
    CVRX2DPoint b;
    if (!NudgeBox(*static_cast<const CDesignItem*>(pGroup->GetMembers().GetNext(pos)), a, b))
      continue;
    low = any ? CVRX2DPoint(std::min(low.GetX(), a.GetX()), std::min(low.GetY(), a.GetY())) : a;
    high = any ? CVRX2DPoint(std::max(high.GetX(), b.GetX()), std::max(high.GetY(), b.GetY())) : b;
    any = TRUE;
  }
  return any;
}

// One axis of a nudge cut where the box meets the square's edge; a box already past the edge
// goes no farther.
double WithinSquare(double move, double low, double high)
{
  if (move > 0.0 && high + move > kWorkbenchSquare)
    return std::max(0.0, kWorkbenchSquare - high);
  if (move < 0.0 && low + move < 0.0)
    return std::min(0.0, -low);
  return move;
}

void ExtendLine(CVRX2DLine& line)
{
  CVRX2DPoint start = line.GetStartPoint();
  CVRX2DPoint end = line.GetEndPoint();
  // Most lines lie exactly along an axis: they span the square the way they ran, with no angle
  // worked out. Every move and paste of thousands of units extends all their lines anew.
  if (std::isfinite(start.GetX()) && std::isfinite(start.GetY()) && std::isfinite(end.GetX()) &&
      std::isfinite(end.GetY())) {
    if (start.GetY() == end.GetY()) {
      const bool forward = start.GetX() <= end.GetX();
      line.SetStartPoint(CVRX2DPoint(forward ? 0.0 : kWorkbenchSquare, start.GetY()));
      line.SetEndPoint(CVRX2DPoint(forward ? kWorkbenchSquare : 0.0, end.GetY()));
      return;
    }
    if (start.GetX() == end.GetX()) {
      const bool forward = start.GetY() < end.GetY();
      line.SetStartPoint(CVRX2DPoint(start.GetX(), forward ? 0.0 : kWorkbenchSquare));
      line.SetEndPoint(CVRX2DPoint(end.GetX(), forward ? kWorkbenchSquare : 0.0));
      return;
    }
  }
  // The direction is worked out once before and once after.
  const CVRXAngle before = line.GetAngle();
  if (CVRX2DLine::IsHorizontalDirection(before)) {
    start.SetX(0.0);
    end.SetX(kWorkbenchSquare);
  } else if (CVRX2DLine::IsVerticalDirection(before)) {
    start.SetY(0.0);
    end.SetY(kWorkbenchSquare);
  } else {
    CVRX2DPointArray crossings;
    for (const CVRX2DLine& edge : kEdges) {
      CVRX2DPointArray points;
      line.IntersectLine(edge, points);
      if (points.GetSize() == 1 && edge.Contains(*points[0]))
        crossings.Add(new CVRX2DPoint(*points[0]));
    }
    if (crossings.GetSize() == 2) {
      start = *crossings[0];
      end = *crossings[1];
    }
  }
  line.SetStartPoint(start);
  line.SetEndPoint(end);
  CVRXAngle after = line.GetAngle();
  if (after == before + VRX_PI) {
    line.SetStartPoint(end);
    line.SetEndPoint(start);
    after = line.GetAngle();
  }
  if (after != before)
    throw CAppFatalException(kModule, kDirectionLostLine);
}
}  // namespace

CDesignItem::CDesignItem() = default;

CDesignItem::CDesignItem(int itemType) : m_nItemType(itemType) {}

CDesignItem::CDesignItem(const CDesignItem& source)
  : CObject(),
    m_nItemType(source.m_nItemType),
    m_bShowAlignmentLines(source.m_bShowAlignmentLines),
    m_vOffset(source.m_vOffset),
    m_dHeight(source.m_dHeight),
    m_dWidth(source.m_dWidth),
    m_ptCenter(source.m_ptCenter),
    m_Angle(source.m_Angle),
    m_bAlignmentSource(source.m_bAlignmentSource),
    m_OutlineEnts(source.m_OutlineEnts),
    m_AlignmentEnts(source.m_AlignmentEnts),
    m_bSnapToAlignmentLines(source.m_bSnapToAlignmentLines),
    m_SizingHandles(source.m_SizingHandles)
{}

CDesignItem::~CDesignItem() = default;

void CDesignItem::SetTracker(std::unique_ptr<CTracker> tracker) { m_pTracker = std::move(tracker); }

void CDesignItem::RecomputeCenter()
{
  m_ptCenter = CVRX2DPoint(m_vOffset.GetX() + m_dWidth / 2.0, m_vOffset.GetY() + m_dHeight / 2.0);
}

void CDesignItem::Serialize(CArchive& ar)
{
  SerializeVersionStamp(ar);
  if (ar.IsStoring()) {
    ar << static_cast<LONG>(m_nItemType) << m_vOffset.GetX() << m_vOffset.GetY() << m_Angle.GetRadians() << m_dHeight
       << m_dWidth << static_cast<BYTE>(m_bShowAlignmentLines & 0xFF)
       << static_cast<BYTE>(m_bSnapToAlignmentLines & 0xFF);
    return;
  }
  // The schema the archive recorded for the object says nothing the stamp does not.
  (void)ar.GetObjectSchema();
  LONG type = 0;
  double x = 0.0;
  double y = 0.0;
  double angle = 0.0;
  BYTE show = 0;
  BYTE snap = 0;
  ar >> type >> x >> y >> angle >> m_dHeight >> m_dWidth >> show >> snap;
  // The type code names the class the item is handled as: a record of one class that claims
  // another's code is damaged, not something to cast by.
  if (type != m_nItemType)
    throw CArchiveException(CArchiveException::badClass);
  m_vOffset.Set(x, y);
  m_Angle.SetRadians(angle);
  m_bShowAlignmentLines = show;
  m_bSnapToAlignmentLines = snap;
  RecomputeCenter();
}

CDesignItem* CDesignItem::Clone() const
{
  PCTRACE(TT_WORKBENCH, TL_WARNING)("Must override CDesignItem::Clone()! ");
  return nullptr;
}

double CDesignItem::GetSpacingExtent(BOOL bHorizontal, int part) const
{
  if (part == 0)
    return 0.0;
  return bHorizontal ? m_dWidth : m_dHeight;
}

BOOL CDesignItem::CanSpaceEvenly(BOOL, BOOL*) { return TRUE; }

COLORREF CDesignItem::GetColor() const { return g_itemColor; }
void CDesignItem::SetColor(COLORREF color) { g_itemColor = color; }
COLORREF CDesignItem::GetAlignmentLineColor() const { return g_alignmentLineColor; }
void CDesignItem::SetAlignmentLineColor(COLORREF color) { g_alignmentLineColor = color; }
void CDesignItem::SetDefaultAlignmentLineColor(COLORREF color) { g_alignmentLineColor = color; }

int CDesignItem::GetTrackEntities(CVRX2DEntityArray& out, COLORREF& color) const
{
  color = GetColor();
  return GetTrackEntities(out);
}

int CDesignItem::GetTrackEntities(CVRX2DEntityArray& out) const
{
  out = m_OutlineEnts;
  return out.GetSize();
}

int CDesignItem::GetOutlineEntities(CVRX2DEntityArray& out) const
{
  out = m_OutlineEnts;
  return out.GetSize();
}

int CDesignItem::GetOutlineEntityRefs(CObArray& refs)
{
  for (int i = 0; i < m_AlignmentEnts.GetSize(); ++i)
    refs.Add(new COutlineEntityRef(m_AlignmentEnts[i]->Clone(), this, 0));
  return refs.GetSize();
}

CSizingHandleArray* CDesignItem::GetSizingHandles(CWorkbenchView*) { return &m_SizingHandles; }

BOOL CDesignItem::GetClientRect(CRect&, CWorkbenchView*) { return FALSE; }

void CDesignItem::Select(CWorkbenchView* pView)
{
  if (!m_pTracker)
    return;
  CDC* pDC = pView->GetViewDC();
  m_pTracker->Draw(pDC);
  pView->ReleaseViewDC(pDC);
}

void CDesignItem::Deselect(CWorkbenchView*)
{
  if (!m_pTracker)
    return;
  m_pTracker->Invalidate();
  m_pTracker.reset();
}

BOOL CDesignItem::IsSelected(CWorkbenchView* pView) const { return pView->IsSelected(const_cast<CDesignItem*>(this)); }

void CDesignItem::Invalidate(CWorkbenchView*)
{
  PCTRACE(TT_WORKBENCH, TL_VERBOSE)("CDesignItem::Invalidate() called.\n");
}

void CDesignItem::Draw(CDC*, CWorkbenchView*) { PCTRACE(TT_WORKBENCH, TL_VERBOSE)("CDesignItem::Draw() called.\n"); }

void CDesignItem::DrawHandles(CDC*, CWorkbenchView*)
{
  PCTRACE(TT_WORKBENCH, TL_VERBOSE)("CDesignItem::DrawHandles() called.\n");
}

void CDesignItem::DrawAlignmentEnts(CDC* pDC, CWorkbenchView* pView)
{
  if (!m_bShowAlignmentLines)
    return;
  const CSize world = pView->WorldToDevice(pView->GetWorkbenchExtent());
  CRect client = pView->GetClientRect();
  const int w = client.Width();
  const int h = client.Height();
  CPen pen(PS_SOLID, 1, GetAlignmentLineColor());
  CPen* pOld = pDC->SelectObject(&pen);
  for (int i = 0; i < m_AlignmentEnts.GetSize(); ++i) {
    CVRX2DEntity* pEntity = m_AlignmentEnts[i];
    if (pEntity->GetType() == VRX_ARC) {
      CScaleViewTranslator translator(pView->GetCategoryMap(), pDC, pView);
      translator.TranslateEntity(*pEntity);
      continue;
    }
    if (pEntity->GetType() != VRX_LINE)
      continue;
    auto* pLine = static_cast<CVRX2DLine*>(pEntity);
    POINT s = pView->WorldToClient(pLine->GetStartPoint());
    POINT e = pView->WorldToClient(pLine->GetEndPoint());
    if (pLine->IsVertical()) {
      if (s.x > w || s.x > world.cx)
        continue;
      s.y = std::max(h - world.cy, 0);
      e.y = h;
    } else if (pLine->IsHorizontal()) {
      if (s.y > h || s.y > world.cy)
        continue;
      s.x = 0;
      e.x = std::min(w, static_cast<int>(world.cx));
    } else {
      ClipLineToRect(s, e, 0, 0, w, h);
      ClipLineToRect(s, e, 0, 0, world.cx, world.cy);
    }
    pDC->MoveTo(s);
    pDC->LineTo(e);
  }
  pDC->SelectObject(pOld);
}

void CDesignItem::StartMove(CWorkbenchView*)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("Starting move operation on item %p\n", static_cast<void*>(this));
}

BOOL CDesignItem::Move(const CVRX2DPoint&, CWorkbenchView*)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_VERBOSE)("CDesignItem::Move() called.\n");
  return FALSE;
}

BOOL CDesignItem::CanMoveTo(const CVRX2DVector& v) const
{
  if (v.GetLength() == 0.0)
    return TRUE;
  CVRX2DPoint low;
  CVRX2DPoint high;
  GetMoveBox(low, high);
  return CanMoveBoxBy(low, high, v);
}

BOOL CDesignItem::GetMoveBox(CVRX2DPoint& low, CVRX2DPoint& high) const
{
  // A move shifts the extents with the outline.
  const CVRX2DRectangle extents = m_OutlineEnts.GetExtents();
  low = extents.GetMinPoint();
  high = extents.GetMaxPoint();
  return TRUE;
}

BOOL CDesignItem::CanMoveBoxBy(const CVRX2DPoint& low, const CVRX2DPoint& high, const CVRX2DVector& v)
{
  return v.GetLength() == 0.0 || IsBoxInSquare(low + v, high + v);
}

BOOL CDesignItem::IsBoxInSquare(const CVRX2DPoint& low, const CVRX2DPoint& high)
{
  const CVRX2DPoint worldLow(0.0, 0.0);
  const CVRX2DPoint worldHigh(kWorkbenchSquare, kWorkbenchSquare);
  return low.IsInBox(worldLow, worldHigh) && high.IsInBox(worldLow, worldHigh);
}

BOOL CDesignItem::IsInSquare(const CVRX2DEntityArray& entities)
{
  const CVRX2DRectangle extents = entities.GetExtents();
  return IsBoxInSquare(extents.GetMinPoint(), extents.GetMaxPoint());
}

void CDesignItem::UpdateMoveTrack(const CVRX2DVector& v, CWorkbenchView* pView)
{
  DrawTrackEntities(pView);
  ShowMoveTrack(v, pView);
}

void CDesignItem::ShowMoveTrack(const CVRX2DVector& v, CWorkbenchView* pView)
{
  GenerateMoveTrackEntities(v);
  m_vTrack = v;
  DrawTrackEntities(pView);
}

void CDesignItem::DrawTrackEntities(CWorkbenchView* pView)
{
  CDC* pDC = pView->GetViewDC();
  {
    CTrackerTranslator translator(pDC, pView, PS_DOT);
    DrawTrackEntities(pView, translator);
  }
  pView->ReleaseViewDC(pDC);
}

void CDesignItem::DrawTrackEntities(CWorkbenchView*, CTrackerTranslator& translator)
{
  translator.Translate(m_TrackEnts);
}

void CDesignItem::Offset(const CVRX2DVector& v)
{
  if (v.GetLength() == 0.0)
    return;
  const CVRX2DTransformationMatrix move(v);
  m_OutlineEnts.Transform(move);
  if (m_AlignmentEnts.GetSize() > 0)
    m_AlignmentEnts.Transform(move);
  ExtendAlignmentEnts();
  for (int i = 0; i < m_SizingHandles.GetSize(); ++i) {
    CVRX2DPoint p = m_SizingHandles[i]->GetPoint();
    m_SizingHandles[i]->SetPoint(p.Transform(move));
  }
  m_vOffset += v;
  RecomputeCenter();
}

CVRX2DVector CDesignItem::CutAtSquare(const CVRX2DVector& v) const
{
  CVRX2DPoint low;
  CVRX2DPoint high;
  if (!NudgeBox(*this, low, high))
    return v;
  return CVRX2DVector(WithinSquare(v.GetX(), low.GetX(), high.GetX()), WithinSquare(v.GetY(), low.GetY(), high.GetY()));
}

CVRX2DVector CDesignItem::IntoSquare() const
{
  CVRX2DPoint low;
  CVRX2DPoint high;
  if (!GetMoveBox(low, high))
    return CVRX2DVector();
  const auto into = [](double lo, double hi) {
    if (lo < 0.0)
      return -lo;
    return hi > kWorkbenchSquare ? kWorkbenchSquare - hi : 0.0;
  };
  return CVRX2DVector(into(low.GetX(), high.GetX()), into(low.GetY(), high.GetY()));
}

BOOL CDesignItem::Nudge(const CVRX2DVector& v, CWorkbenchView* pView)
{
  const BOOL wasSource = m_bAlignmentSource;
  m_bAlignmentSource = FALSE;
  // One item and a selection moved as one stop alike at the edge of the square.
  const CVRX2DVector m = CutAtSquare(pView->AdjustPos(v, this, 1));
  BOOL moved = FALSE;
  if (m.GetLength() > 0.0) {
    Invalidate(pView);
    Offset(m);
    Invalidate(pView);
    moved = TRUE;
  }
  PCTRACE(TT_SNAPPING_ALIGNMENT, TL_DETAIL)
  ("Nudge()  input vector = (%f, %f)  move = (%f, %f)\n", v.GetX(), v.GetY(), m.GetX(), m.GetY());
  pView->AddJoin();
  m_bAlignmentSource = wasSource;
  return moved;
}

BOOL CDesignItem::HitTest(const CVRX2DPoint&, CWorkbenchView*)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_VERBOSE)("CDesignItem::HitTest() called.\n");
  return FALSE;
}

int CDesignItem::HitTestHandle(const CVRX2DPoint&, CWorkbenchView*) { return -1; }

CVRX2DPoint CDesignItem::GetHandlePoint(int, CWorkbenchView*) { return CVRX2DPoint(0.0, 0.0); }

void CDesignItem::StartResize(CWorkbenchView*)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("Starting resize operation on item %p\n", static_cast<void*>(this));
}

BOOL CDesignItem::Resize(int, const CVRX2DPoint&, CWorkbenchView*)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_VERBOSE)("CDesignItem::Resize() called.\n");
  return FALSE;
}

int CDesignItem::AdjustPos(int, CVRX2DVector&, CVRX2DEntityArray&, CWorkbenchView*) { return 1; }

void CDesignItem::Edit(CWorkbenchView* pView) { pView->UpdateAlignmentEntities(this); }

void CDesignItem::Add(CWorkbenchView*) { PCTRACE(TT_WORKBENCH, TL_VERBOSE)("CDesignItem::Add() called.\n"); }

void CDesignItem::Delete(CWorkbenchView* pView) { Invalidate(pView); }

void CDesignItem::InvalidateLine(int x1, int y1, int x2, int y2, CWorkbenchView* pView)
{
  if (x2 < x1) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  const double slope = x1 == x2 ? 0.0 : static_cast<double>(y2 - y1) / (x2 - x1);
  const CRect a(x1 - kHalfBand, y1 - kHalfBand, x1 + kHalfBand, y1 + kHalfBand);
  const CRect b(x2 - kHalfBand, y2 - kHalfBand, x2 + kHalfBand, y2 + kHalfBand);
  POINT band[4];
  if (slope >= 0) {
    band[0] = {a.left, a.bottom};
    band[1] = {b.left, b.bottom};
    band[2] = {b.right, b.top};
    band[3] = {a.right, a.top};
  } else {
    band[0] = {a.left, a.top};
    band[1] = {b.left, b.top};
    band[2] = {b.right, b.bottom};
    band[3] = {a.right, a.bottom};
  }
  CRgn region;
  region.CreatePolygonRgn(band, 4, ALTERNATE);
  pView->InvalidateRgn(&region, TRUE);
}

void CDesignItem::ExtendAlignmentEnts()
{
  for (int i = 0; i < m_AlignmentEnts.GetSize(); ++i) {
    CVRX2DEntity* pEntity = m_AlignmentEnts[i];
    if (pEntity->GetType() == VRX_ARC) {
      auto* pArc = static_cast<CVRX2DArc*>(pEntity);
      pArc->SetStartAngle(CVRXAngle(0.0));
      pArc->SetEndAngle(CVRXAngle(VRX_PI));
    } else if (pEntity->GetType() == VRX_LINE) {
      ExtendLine(*static_cast<CVRX2DLine*>(pEntity));
    }
  }
}

void CDesignItem::GenerateMoveTrackEntities(const CVRX2DVector& v)
{
  GetTrackEntities(m_TrackEnts);
  m_TrackEnts.Transform(CVRX2DTransformationMatrix(v));
}

BOOL CDesignItem::JoinsItem(const CDesignItem* pUnitItem) const
{
  const CDesignItem* pFirst = nullptr;
  const CDesignItem* pSecond = nullptr;
  GetJoinedItems(pFirst, pSecond);
  return pUnitItem && (pUnitItem == pFirst || pUnitItem == pSecond);
}

void CDesignItem::GetJoinedItems(const CDesignItem*& pFirst, const CDesignItem*& pSecond) const
{
  pFirst = nullptr;
  pSecond = nullptr;
}
