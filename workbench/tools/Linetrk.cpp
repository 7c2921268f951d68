// The trackers with no behaviour of their own beyond a few drawings, and the line tracker's
// drag loop for a line that moves perpendicular to itself.
#include <cmath>

#include "geometry/2dline.h"
#include "geometry/2dmatrix.h"
#include "ui/draw/Dc.h"
#include "ui/draw/Gdi.h"
#include "ui/wnd/DragLoop.h"
#include "ui/wnd/Wnd.h"
#include "support/Exceptn.h"
#include "support/Gdiutil.h"
#include "support/Trace.h"
#include "workbench/items/Dsgnitem.h"
#include "workbench/scale/Scalexlt.h"
#include "workbench/items/Tracker.h"
#include "workbench/view/Wbview.h"

IMPLEMENT_DYNAMIC(CLineSegmentTracker, CItemTracker)
IMPLEMENT_DYNAMIC(CSelectLineTracker, CItemTracker)
IMPLEMENT_DYNAMIC(CGuidelineTracker, CItemTracker)
IMPLEMENT_DYNAMIC(CLineTracker, CTracker)
IMPLEMENT_DYNAMIC(CSelectorTracker, CLineTracker)

namespace {
constexpr const char* kModule = "Linetrk";
constexpr int kQuitLine = 1462;
// The 16-bit device range a line is clipped to before drawing.
constexpr int kDeviceMin = -32767;
constexpr int kDeviceExtent = 65535;

CPoint PointerInClient(CWnd* pWnd)
{
  CPoint point;
  GetCursorPos(&point);
  pWnd->ScreenToClient(&point);
  CRect client;
  pWnd->GetClientRect(&client);
  return CDragLogic::ClampToClient(point, client);
}
}  // namespace

void CSelectLineTracker::Draw(CDC*) {}

void CSelectLineTracker::DrawEntities(const CVRX2DEntityArray& entities)
{
  CDC* pDC = m_pView->GetViewDC();
  {
    CTrackerTranslator translator(pDC, m_pView, PS_SOLID);
    translator.Translate(entities);
  }
  m_pView->ReleaseViewDC(pDC);
}

HCURSOR CGuidelineTracker::GetHandleCursor(int)
{
  // The kind follows from the item's angle, compared within the angle tolerance.
  const double pi = 4.0 * std::atan2(1.0, 1.0);
  const CVRXAngle angle = m_pItem->GetAngle();
  if (angle == CVRXAngle(0.0) || angle == CVRXAngle(pi))
    return GetSharedCursor(kCursorFirstPair);
  if (angle == CVRXAngle(pi / 2) || angle == CVRXAngle(pi / 2 + pi))
    return GetSharedCursor(kCursorSecondPair);
  return GetSharedCursor(kCursorBothPairs);
}

int CGuidelineTracker::Track(const CVRX2DPoint& start, CVRX2DVector* pOffset)
{
  const int result = CItemTracker::Track(start, pOffset);
  if (result != trkMoved || !m_bDropRefused)
    return result;
  *pOffset = CVRX2DVector();
  return trkNotMoved;
}

CLineTracker::CLineTracker(CWorkbenchView* pView, CDesignItem* pItem, BOOL bHorizontal)
  : CTracker(pView, pItem), m_bHorizontal(bHorizontal)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("Constructing a %s line tracker.\n", bHorizontal ? "Horizontal" : "Vertical");
}

HCURSOR CLineTracker::GetDragCursor() const
{
  return GetSharedCursor(m_bHorizontal ? kCursorHorizontalLine : kCursorVerticalLine);
}

CVRX2DVector CLineTracker::Constrain(const CVRX2DVector& v) const
{
  return m_bHorizontal ? CVRX2DVector(0.0, v.GetY()) : CVRX2DVector(v.GetX(), 0.0);
}

void CLineTracker::DrawLine()
{
  if (m_TrackEnts.GetSize() == 0)
    return;
  auto* pLine = dynamic_cast<CVRX2DLine*>(m_TrackEnts.GetAt(0));
  if (!pLine)
    return;
  POINT p1 = m_pView->WorldToClient(pLine->GetStartPoint());
  POINT p2 = m_pView->WorldToClient(pLine->GetEndPoint());
  if (!ClipLineToRect(p1, p2, kDeviceMin, kDeviceMin, kDeviceExtent, kDeviceExtent))
    return;
  CDC* pDC = m_pView->GetViewDC();
  const int saved = pDC->SaveDC();
  pDC->SetMapMode(MM_TEXT);
  pDC->SetWindowOrg(0, 0);
  pDC->SetViewportOrg(0, 0);
  CPen pen(PS_DOT, 0, m_color);
  pDC->SelectObject(&pen);
  pDC->SetROP2(R2_NOTXORPEN);
  pDC->MoveTo(p1);
  pDC->LineTo(p2);
  pDC->RestoreDC(saved);
  m_pView->ReleaseViewDC(pDC);
}

void CLineTracker::RedrawFeedback() { DrawLine(); }

// The line loop's decisions: the line follows the snapped pointer across itself.
class CLineLoopClient : public CDragLoopClient
{
public:
  CLineLoopClient(CLineTracker& tracker, const CVRX2DPoint& start) : m_tracker(tracker), m_start(start) {}

  void OnDragStep(CPoint point, BOOL first) override
  {
    if (first) {
      m_started = TRUE;
      View()->StartMove(Item());
    }
    Update(point);
  }
  void OnDragUpdate() override
  {
    if (m_started)
      Update(PointerInClient(View()));
  }
  void OnDragFinish(const MSG& msg) override
  {
    Erase();
    if (!m_started)
      return;
    // The final pass of the snapping runs on the release point; the result stays the offset
    // of the last update, which is what the user saw.
    CRect client;
    View()->GetClientRect(&client);
    const CPoint point(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
    View()->AdjustPos(Offset(CDragLogic::ClampToClient(point, client)), Item(), TRUE);
  }
  void OnDragCancel() override
  {
    Erase();
    m_offset = CVRX2DVector();
  }

  BOOL HasStarted() const { return m_started; }
  CVRX2DVector GetOffset() const { return m_offset; }

private:
  CWorkbenchView* View() const { return m_tracker.GetView(); }
  CDesignItem* Item() const { return m_tracker.GetItem(); }
  CVRX2DVector Offset(CPoint point) const
  {
    return m_tracker.Constrain(CVRX2DVector(m_start, View()->ClientToWorld(point)));
  }
  void Erase()
  {
    if (m_tracker.m_bLineDrawn)
      m_tracker.DrawLine();
    m_tracker.m_bLineDrawn = FALSE;
  }
  void Update(CPoint point)
  {
    SetCursor(m_tracker.GetDragCursor());
    const CVRX2DVector v = View()->AdjustPos(Offset(point), Item(), FALSE);
    const BOOL differs = v != m_offset;
    if (differs)
      Erase();
    if (differs || !m_tracker.m_bLineDrawn) {
      m_tracker.m_TrackEnts.Transform(CVRX2DTransformationMatrix(v - m_offset));
      m_tracker.DrawLine();
      m_tracker.m_bLineDrawn = TRUE;
      m_offset = v;
    }
  }

  CLineTracker& m_tracker;
  CVRX2DPoint m_start;
  CVRX2DVector m_offset;
  BOOL m_started = FALSE;
};

int CLineTracker::Track(const CVRX2DPoint& start, CVRX2DVector* pOffset)
{
  *pOffset = CVRX2DVector();
  if (CWnd::GetCapture())
    return trkNotMoved;
  m_TrackEnts.RemoveAll();
  m_pItem->GetOutlineEntities(m_TrackEnts);
  m_bLineDrawn = FALSE;
  m_pView->SetTracker(this);
  CDragOptions options;
  options.threshold = CDragLoop::SystemThreshold();
  CDragLoop loop(m_pView, m_pView->WorldToClient(start), options);
  CLineLoopClient client(*this, start);
  CDragEnd end = CDragEnd::CaptureBusy;
  try {
    end = loop.Run(client);
  } catch (...) {
    m_pView->SetTracker(nullptr);
    throw;
  }
  m_pView->SetTracker(nullptr);
  if (end == CDragEnd::Quit)
    throw CAppFatalException(kModule, kQuitLine);
  if (end == CDragEnd::Cancelled)
    return trkCancelled;
  *pOffset = client.GetOffset();
  return client.HasStarted() && pOffset->GetLength() != 0.0 ? trkMoved : trkNotMoved;
}
