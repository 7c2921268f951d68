#include "workbench/items/Lineitem.h"

#include <memory>

#include <cmath>

#include "geometry/2dline.h"
#include "geometry/Angle.h"
#include "platform/core/Archive.h"
#include "project/DocServices.h"
#include "project/Stamp.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "support/Unitscvt.h"
#include "workbench/scale/Scalexlt.h"
#include "workbench/items/Tracker.h"
#include "workbench/view/Wbview.h"

IMPLEMENT_SERIAL(CLineSegmentItem, CDesignItem, VERSIONABLE_SCHEMA | 10000)

namespace {
constexpr const char* kModule = "Lineitem";
constexpr int kNoLineLine = 96;
// A click this many device units beside the line still hits it.
constexpr int kReach = 5;
// Mode words of a handle drag: bit 32 says the drag is constrained to one axis.
constexpr int kFreeMode = 7;
constexpr int kConstrainedMode = 39;

// The tolerance in force for one containment test, restored however the test ends.
class CToleranceScope
{
public:
  explicit CToleranceScope(double tolerance) : m_dPrevious(CVRX2DPoint::GetTolerance())
  {
    CVRX2DPoint::SetTolerance(tolerance);
  }
  ~CToleranceScope() { CVRX2DPoint::SetTolerance(m_dPrevious); }
  CToleranceScope(const CToleranceScope&) = delete;
  CToleranceScope& operator=(const CToleranceScope&) = delete;

private:
  double m_dPrevious;
};
}  // namespace

CLineSegmentItem::CLineSegmentItem() : CDesignItem(ditLineSegment)
{
  PCTRACE(TT_WORKBENCH, TL_VERBOSE)("CLineSegmentItem default construction \n");
}

CLineSegmentItem::CLineSegmentItem(int itemType) : CDesignItem(itemType) {}

CLineSegmentItem::CLineSegmentItem(const CLineSegmentItem& source) : CDesignItem(source) {}

CLineSegmentItem::~CLineSegmentItem() = default;

CDesignItem* CLineSegmentItem::Clone() const { return new CLineSegmentItem(*this); }

void CLineSegmentItem::SetUpLine(const CVRX2DLine& line)
{
  m_OutlineEnts.Add(new CVRX2DLine(line));
  m_SizingHandles.Add(new CSizingHandle(line.GetStartPoint(), CSizingHandle::allSides));
  m_SizingHandles.Add(new CSizingHandle(line.GetEndPoint(), CSizingHandle::allSides));
}

CVRX2DLine CLineSegmentItem::GetLine() const
{
  if (m_OutlineEnts.GetSize() == 0 || m_OutlineEnts[0]->GetType() != VRX_LINE)
    throw CAppFatalException(kModule, kNoLineLine);
  return *static_cast<const CVRX2DLine*>(m_OutlineEnts[0]);
}

void CLineSegmentItem::Serialize(CArchive& ar)
{
  CDesignItem::Serialize(ar);
  SerializeVersionStamp(ar);
  if (ar.IsStoring()) {
    const CVRX2DLine line = GetLine();
    ar << static_cast<LONG>(line.GetCategory()) << line.GetStartPoint().GetX() << line.GetStartPoint().GetY()
       << line.GetEndPoint().GetX() << line.GetEndPoint().GetY();
    return;
  }
  LONG category = 0;
  double x1 = 0.0;
  double y1 = 0.0;
  double x2 = 0.0;
  double y2 = 0.0;
  ar >> category >> x1 >> y1 >> x2 >> y2;
  SetUpLine(CVRX2DLine(static_cast<int>(category), CVRX2DPoint(x1, y1), CVRX2DPoint(x2, y2)));
}

CString CLineSegmentItem::GetDescription()
{
  CUnitsConverter converter;
  return "Line at " + converter.FormatLength(GetDocServices().GetMeasurementUnits(), m_vOffset.GetX());
}

void CLineSegmentItem::DisplaySizeInfo(CWorkbenchView* pView, BOOL bShow)
{
  pView->SetPaneText(1, bShow ? GetDescription() : CString());
}

void CLineSegmentItem::Select(CWorkbenchView* pView)
{
  SetTracker(std::make_unique<CLineSegmentTracker>(pView, this));
  CDesignItem::Select(pView);
  DisplaySizeInfo(pView, TRUE);
}

void CLineSegmentItem::Deselect(CWorkbenchView* pView)
{
  CDesignItem::Deselect(pView);
  DisplaySizeInfo(pView, FALSE);
}

void CLineSegmentItem::Invalidate(CWorkbenchView* pView)
{
  const CVRX2DLine line = GetLine();
  CRect rect(pView->WorldToClient(line.GetStartPoint()), pView->WorldToClient(line.GetEndPoint()));
  rect.NormalizeRect();
  rect.InflateRect(1, 1);
  pView->InvalidateRect(&rect, TRUE);
  if (m_pTracker)
    m_pTracker->Invalidate();
}

void CLineSegmentItem::Draw(CDC* pDC, CWorkbenchView* pView)
{
  CScaleViewTranslator translator(pView->GetCategoryMap(), pDC, pView);
  translator.Translate(m_OutlineEnts);
}

void CLineSegmentItem::DrawHandles(CDC* pDC, CWorkbenchView*)
{
  if (m_pTracker)
    m_pTracker->Draw(pDC);
}

BOOL CLineSegmentItem::ContainsWithinReach(const CVRX2DEntity& entity, const CVRX2DPoint& point, CWorkbenchView* pView)
{
  const CToleranceScope scope(pView->DeviceToWorld(CSize(kReach, kReach)).GetX());
  return entity.Contains(point);
}

BOOL CLineSegmentItem::HitTest(const CVRX2DPoint& point, CWorkbenchView* pView)
{
  return m_OutlineEnts.GetSize() > 0 && ContainsWithinReach(*m_OutlineEnts[0], point, pView);
}

int CLineSegmentItem::HitTestHandle(const CVRX2DPoint& point, CWorkbenchView*)
{
  return m_pTracker ? m_pTracker->HitTestHandle(point) : -1;
}

CVRX2DPoint CLineSegmentItem::GetHandlePoint(int handle, CWorkbenchView*)
{
  return m_SizingHandles[handle]->GetPoint();
}

BOOL CLineSegmentItem::Move(const CVRX2DPoint& point, CWorkbenchView* pView)
{
  m_vTrack = CVRX2DVector();
  GenerateMoveTrackEntities(m_vTrack);
  CVRX2DVector offset;
  const int result = m_pTracker ? m_pTracker->Track(point, &offset) : trkNotMoved;
  if (result == trkMoved)
    Offset(m_vTrack);
  Invalidate(pView);
  return result != trkCancelled;
}

BOOL CLineSegmentItem::Resize(int handle, const CVRX2DPoint& point, CWorkbenchView* pView)
{
  CVRX2DVector v;
  const BOOL resized = m_pTracker && m_pTracker->Resize(handle, point, &v);
  if (!resized)
    return FALSE;
  Invalidate(pView);
  auto* pLine = static_cast<CVRX2DLine*>(m_OutlineEnts[0]);
  if (handle == 0)
    pLine->SetStartPoint(pLine->GetStartPoint() + v);
  else
    pLine->SetEndPoint(pLine->GetEndPoint() + v);
  // The item's position follows the line's start, as it was set up.
  m_vOffset = pLine->GetStartPoint().AsVector();
  CSizingHandle* pHandle = m_SizingHandles[handle == 0 ? 0 : 1];
  pHandle->SetPoint(pHandle->GetPoint() + v);
  Invalidate(pView);
  return TRUE;
}

int CLineSegmentItem::AdjustPos(int handle, CVRX2DVector& v, CVRX2DEntityArray& out, CWorkbenchView* pView)
{
  const CVRX2DLine line = GetLine();
  const CVRX2DPoint dragged = handle == 0 ? line.GetStartPoint() : line.GetEndPoint();
  int mode = kFreeMode;
  double direction = 0.0;
  if (CWorkbenchView::IsShiftDown()) {
    const CVRX2DPoint fixed = handle == 0 ? line.GetEndPoint() : line.GetStartPoint();
    const CVRX2DPoint moved = dragged + v;
    if (std::abs(moved.GetX() - fixed.GetX()) >= std::abs(moved.GetY() - fixed.GetY())) {
      v.SetY(fixed.GetY() - dragged.GetY());
      direction = VRX_PI;
    } else {
      v.SetX(fixed.GetX() - dragged.GetX());
      direction = VRX_HALF_PI;
    }
    mode = kConstrainedMode;
  }
  PCTRACE(TT_WORKBENCH_TOOLS, TL_VERBOSE)("Line handle drag: mode %d, direction %f. \n", mode, direction);
  const CVRX2DVector snap = pView->AdjustPoint((dragged + v).AsVector(), mode, direction, this, 0);
  if (!(snap.GetLength() > 0.0))
    return TRUE;
  v += snap;
  if (out.GetSize() > 0 && out[0]->GetType() == VRX_LINE) {
    auto* pTrack = static_cast<CVRX2DLine*>(out[0]);
    if (handle == 0)
      pTrack->SetStartPoint(dragged + v);
    else
      pTrack->SetEndPoint(dragged + v);
  }
  return FALSE;
}

void CLineSegmentItem::Edit(CWorkbenchView* pView)
{
  PCTRACE(TT_WORKBENCH, TL_VERBOSE)("CLineSegmentItem::Edit() \n");
  CDesignItem::Edit(pView);
}
