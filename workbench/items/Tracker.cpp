#include "workbench/items/Tracker.h"

#include <cstdlib>
#include <exception>
#include <map>
#include <memory>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "ui/draw/Dc.h"
#include "ui/wnd/Cursor.h"
#include "ui/wnd/DragLoop.h"
#include "ui/wnd/Wnd.h"
#include "ui/draw/Gdi.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "workbench/items/Dsgnitem.h"
#include "workbench/scale/Scalexlt.h"
#include "workbench/items/Unititem.h"
#include "workbench/items/Wbsvc.h"
#include "workbench/view/Wbview.h"

IMPLEMENT_DYNAMIC(CTracker, CObject)
IMPLEMENT_DYNAMIC(CItemTracker, CTracker)
IMPLEMENT_DYNAMIC(CUnitTracker, CItemTracker)

namespace {
constexpr int kHandleSize = 7;
// The resize loop's own timer: other timers (autoscroll among them) do not reach a resize.
constexpr UINT_PTR kResizeTimer = 57;
constexpr COLORREF kMovedHandleColor = RGB(255, 255, 0);
constexpr const char* kModule = "Tracker";
constexpr int kTimerNotStartedLine = 1125;
constexpr int kTimerNotKilledLine = 1187;
constexpr int kQuitInMoveLine = 862;
constexpr int kQuitInResizeLine = 1104;

bool SameEntity(const CVRX2DEntity& a, const CVRX2DEntity& b)
{
  if (a.GetType() != b.GetType() || a.GetCategory() != b.GetCategory())
    return false;
  if (const auto* line = dynamic_cast<const CVRX2DLine*>(&a))
    return *line == static_cast<const CVRX2DLine&>(b);
  if (const auto* arc = dynamic_cast<const CVRX2DArc*>(&a))
    return arc->IsEqual(static_cast<const CVRX2DArc&>(b)) != FALSE;
  return a.GetExtents() == b.GetExtents();
}

bool SameEntities(const CVRX2DEntityArray& a, const CVRX2DEntityArray& b)
{
  if (a.GetSize() != b.GetSize())
    return false;
  for (int i = 0; i < a.GetSize(); ++i)
    if (!SameEntity(*a.GetAt(i), *b.GetAt(i)))
      return false;
  return true;
}

CPoint MessagePoint(const MSG& msg)
{
  return CPoint(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
}

CPoint PointerInClient(CWnd* pWnd)
{
  CPoint point;
  GetCursorPos(&point);
  pWnd->ScreenToClient(&point);
  CRect client;
  pWnd->GetClientRect(&client);
  return CDragLogic::ClampToClient(point, client);
}

// Sets and clears the view's running tracker around a loop.
class CActiveTracker
{
public:
  CActiveTracker(CWorkbenchView* pView, CTracker* pTracker) : m_pView(pView) { m_pView->SetTracker(pTracker); }
  ~CActiveTracker() { m_pView->SetTracker(nullptr); }
  CActiveTracker(const CActiveTracker&) = delete;
  CActiveTracker& operator=(const CActiveTracker&) = delete;

private:
  CWorkbenchView* m_pView;
};

const UINT kSharedCursorIds[] = {kCursorNotAllowed, kCursorMove,  kCursorBothPairs,    kCursorFirstPair,
                                 kCursorSecondPair, kCursorArrow, kCursorVerticalLine, kCursorHorizontalLine};

// Never destroyed: the application object, a static itself, frees the resources from its
// destructor, which may run after other statics are gone.
std::map<UINT, HCURSOR>& SharedCursors()
{
  static auto* cursors = new std::map<UINT, HCURSOR>;
  return *cursors;
}

std::unique_ptr<CBitmap>& SharedBitmap()
{
  static auto* bitmap = new std::unique_ptr<CBitmap>;
  return *bitmap;
}
}  // namespace

void CTracker::LoadResources()
{
  for (UINT nID : kSharedCursorIds)
    SharedCursors()[nID] = AfxResourceCursor(nID);
  auto bitmap = std::make_unique<CBitmap>();
  if (bitmap->LoadBitmap(kTrackerBitmap))
    SharedBitmap() = std::move(bitmap);
}

CBitmap* CTracker::GetSharedBitmap() { return SharedBitmap().get(); }

void CTracker::DeleteSharedBitmap() { SharedBitmap().reset(); }

CTrackerResources::CTrackerResources()
{
  RegisterTrackerCursors();
  CTracker::LoadResources();
}

CTrackerResources::~CTrackerResources() { CTracker::DeleteSharedBitmap(); }

void CTracker::FreeResources()
{
  for (auto& [nID, cursor] : SharedCursors())
    if (cursor)
      DestroyCursor(cursor);
  SharedCursors().clear();
}

HCURSOR CTracker::GetSharedCursor(UINT nID)
{
  auto it = SharedCursors().find(nID);
  return it == SharedCursors().end() ? nullptr : it->second;
}

HCURSOR CTracker::GetCursor() { return GetSharedCursor(kCursorArrow); }

HCURSOR CTracker::GetHandleCursor(int) { return GetSharedCursor(kCursorArrow); }

HCURSOR CTracker::GetNotAllowedCursor() { return GetSharedCursor(kCursorNotAllowed); }

HCURSOR CItemTracker::GetCursor() { return GetSharedCursor(kCursorMove); }

HCURSOR CItemTracker::CursorForCode(int code)
{
  switch (code) {
  case 0:
    return GetSharedCursor(kCursorArrow);
  case 1:
  case 2:
  case 3:
    return GetSharedCursor(kCursorFirstPair);
  case 4:
  case 8:
  case 12:
    return GetSharedCursor(kCursorSecondPair);
  default:
    return GetSharedCursor(kCursorBothPairs);
  }
}

HCURSOR CItemTracker::GetHandleCursor(int handle)
{
  if (handle < 0)
    return GetSharedCursor(kCursorArrow);
  return CursorForCode(m_pItem->GetSizingHandles(m_pView)->GetAt(handle)->GetCode());
}

void CTracker::Draw(CDC*) {}
void CTracker::DrawMovedHandles(BOOL) {}

void CTracker::Invalidate() { m_pView->Invalidate(TRUE); }

int CTracker::HitTestHandle(const CVRX2DPoint&) { return -1; }

int CTracker::Track(const CVRX2DPoint&, CVRX2DVector* pOffset)
{
  *pOffset = CVRX2DVector();
  return trkNotMoved;
}

BOOL CTracker::Resize(int, const CVRX2DPoint&, CVRX2DVector* pOffset)
{
  *pOffset = CVRX2DVector();
  return FALSE;
}

void CTracker::RedrawFeedback() {}

void CTracker::RedrawFeedbackAndNotify()
{
  RedrawFeedback();
  m_pView->PostMessage(WM_DRAGUPDATE, 0, 0);
}

void CTracker::DrawEntities(const CVRX2DEntityArray& entities)
{
  if (m_pItem->GetItemType() == ditGuideline)
    return;
  CDC* pDC = m_pView->GetViewDC();
  {
    CTrackerTranslator translator(pDC, m_pView, PS_DOT);
    translator.Translate(entities);
  }
  m_pView->ReleaseViewDC(pDC);
}

CRect CItemTracker::MakeHandleRect(int x, int y, int width, int height)
{
  const int left = x - width / 2;
  const int top = y - height / 2;
  return CRect(left, top, left + width, top + height);
}

CRect CItemTracker::HandleRect(const CWorldToClient& toClient, const CSizingHandle& handle)
{
  const CPoint p = toClient(handle.GetPoint());
  return MakeHandleRect(p.x, p.y, kHandleSize, kHandleSize);
}

CRect CItemTracker::GetHandleRect(int handle) const
{
  return HandleRect(m_pView->GetWorldToClient(), *m_pItem->GetSizingHandles(m_pView)->GetAt(handle));
}

CRect CItemTracker::GetHandlesBounds() const
{
  const CSizingHandleArray& handles = *m_pItem->GetSizingHandles(m_pView);
  const CWorldToClient toClient = m_pView->GetWorldToClient();
  CRect bounds;
  for (int i = 0; i < handles.GetSize(); ++i)
    bounds.UnionRect(bounds, HandleRect(toClient, *handles.GetAt(i)));
  return bounds;
}

void CItemTracker::Draw(CDC* pDC)
{
  const CSizingHandleArray& handles = *m_pItem->GetSizingHandles(m_pView);
  if (handles.GetSize() == 0)
    return;
  const COLORREF color = m_pItem->GetColor();
  // The handles are in client pixels: one mapping for all of them (a selection of many units
  // draws thousands). A handle is a square of the item's colour, border and inside alike.
  const CWorldToClient toClient = m_pView->GetWorldToClient();
  const int saved = pDC->SaveDC();
  pDC->SetMapMode(MM_TEXT);
  pDC->SetWindowOrg(0, 0);
  pDC->SetViewportOrg(0, 0);
  for (int i = 0; i < handles.GetSize(); ++i) {
    const CRect rect = HandleRect(toClient, *handles.GetAt(i));
    pDC->FillSolidRect(&rect, color);
    m_pView->ValidateRect(&rect);
  }
  pDC->RestoreDC(saved);
}

void CItemTracker::DrawMovedHandles(BOOL bDraw)
{
  auto* pUnit = dynamic_cast<CUnitItem*>(m_pItem);
  if (!pUnit)
    return;
  const CSizingHandleArray& handles = *m_pItem->GetSizingHandles(m_pView);
  const CWorldToClient toClient = m_pView->GetWorldToClient();
  CDC* pDC = bDraw ? m_pView->GetViewDC() : nullptr;
  for (int i = 0; i < handles.GetSize(); ++i) {
    if (!pUnit->IsHandleMoved(i))
      continue;
    const CRect rect = HandleRect(toClient, *handles.GetAt(i));
    if (bDraw)
      pDC->FillSolidRect(&rect, kMovedHandleColor);
    else
      m_pView->InvalidateRect(&rect, TRUE);
  }
  if (pDC)
    m_pView->ReleaseViewDC(pDC);
}

void CItemTracker::Invalidate()
{
  // Within a view invalid all over (a unit invalidates it whole) the handles add nothing.
  if (m_pView->IsWholePaintPending())
    return;
  const CSizingHandleArray& handles = *m_pItem->GetSizingHandles(m_pView);
  const CWorldToClient toClient = m_pView->GetWorldToClient();
  for (int i = 0; i < handles.GetSize(); ++i) {
    const CRect rect = HandleRect(toClient, *handles.GetAt(i));
    m_pView->InvalidateRect(&rect, TRUE);
  }
}

int CItemTracker::HitTestHandle(const CVRX2DPoint& point)
{
  const CWorldToClient toClient = m_pView->GetWorldToClient();
  const CPoint p = toClient(point);
  const CSizingHandleArray& handles = *m_pItem->GetSizingHandles(m_pView);
  for (int i = 0; i < handles.GetSize(); ++i)
    if (HandleRect(toClient, *handles.GetAt(i)).PtInRect(p))
      return i;
  return -1;
}

void CItemTracker::RedrawFeedback()
{
  if (m_bResizing) {
    DrawEntities(m_TrackEnts);
    return;
  }
  m_pItem->DrawTrackEntities(m_pView);
}

// The move loop's decisions: the item's track image follows the snapped pointer offset.
class CMoveLoopClient : public CDragLoopClient
{
public:
  CMoveLoopClient(CItemTracker& tracker, const CVRX2DPoint& start) : m_tracker(tracker), m_start(start) {}

  void OnDragStep(CPoint point, BOOL first) override
  {
    if (first) {
      View()->StartMove(Item());
      // What the start left invalid (the joins the move keeps aside) is painted before the
      // first image is drawn: painted later, it would wipe that inverted image's pixels there,
      // and erasing the image would then invert the outline under it until the drop.
      View()->UpdateWindow();
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
    if (!m_started)
      return;
    CRect client;
    View()->GetClientRect(&client);
    const CVRX2DVector d = WorldOffset(CDragLogic::ClampToClient(MessagePoint(msg), client));
    const CVRX2DVector v = AdjustPos(d, FALSE);
    m_bRefused = !Item()->CanMoveTo(v);
    if (m_bRefused)
      return;
    if (v != m_offset)
      Item()->UpdateMoveTrack(v, View());
    m_offset = AdjustPos(v, TRUE);
  }
  void OnDragCancel() override { m_offset = CVRX2DVector(); }

  BOOL HasStarted() const { return m_started; }
  CVRX2DVector GetOffset() const { return m_offset; }
  BOOL IsDropRefused() const { return m_bRefused; }

private:
  CWorkbenchView* View() const { return m_tracker.GetView(); }
  CDesignItem* Item() const { return m_tracker.GetItem(); }
  CVRX2DVector WorldOffset(CPoint point) const
  {
    const CVRX2DPoint world = View()->ClientToWorld(point);
    return CVRX2DVector(m_start, world);
  }
  // The item's lines are taken at the first step, once the move has started.
  CVRX2DVector AdjustPos(const CVRX2DVector& offset, int create)
  {
    if (!m_pOutlines)
      m_pOutlines = View()->GetMoveOutlines(Item());
    return View()->AdjustPos(offset, *m_pOutlines, create);
  }
  void Update(CPoint point)
  {
    const CVRX2DVector v = AdjustPos(WorldOffset(point), FALSE);
    const BOOL allowed = Item()->CanMoveTo(v);
    if (!m_started) {
      m_started = TRUE;
      // The first image goes straight where the pointer is: drawn at the start, it would only
      // be erased again at once (an inverted image drawn twice leaves the screen as it was),
      // which for a large selection costs two drawings of all of it.
      if (allowed && v != m_offset) {
        SetCursor(m_tracker.GetCursor());
        Item()->ShowMoveTrack(v, View());
        m_offset = v;
        return;
      }
      Item()->DrawTrackEntities(View());
    }
    if (!allowed) {
      SetCursor(m_tracker.GetNotAllowedCursor());
      return;
    }
    if (v != m_offset) {
      SetCursor(m_tracker.GetCursor());
      Item()->UpdateMoveTrack(v, View());
      m_offset = v;
    }
  }

  CItemTracker& m_tracker;
  CVRX2DPoint m_start;
  CVRX2DVector m_offset;
  BOOL m_started = FALSE;
  BOOL m_bRefused = FALSE;
  std::unique_ptr<CMoveOutlines> m_pOutlines;
};

int CItemTracker::Track(const CVRX2DPoint& start, CVRX2DVector* pOffset)
{
  *pOffset = CVRX2DVector();
  m_bDropRefused = FALSE;
  if (CWnd::GetCapture())
    return trkNotMoved;
  CActiveTracker active(m_pView, this);
  m_bResizing = FALSE;
  CDragOptions options;
  options.threshold = CDragLoop::SystemThreshold();
  CDragLoop loop(m_pView, m_pView->WorldToClient(start), options);
  CMoveLoopClient client(*this, start);
  const CDragEnd end = loop.Run(client);
  if (end == CDragEnd::Quit)
    throw CAppFatalException(kModule, kQuitInMoveLine);
  if (end == CDragEnd::Cancelled)
    return trkCancelled;
  *pOffset = client.GetOffset();
  m_bDropRefused = client.IsDropRefused();
  return client.HasStarted() && pOffset->GetLength() != 0.0 ? trkMoved : trkNotMoved;
}

// The resize loop's decisions: the item reshapes the outline for the dragged handle. Two
// settings throttle the feedback: a time between updates (the loop's own timer) and a distance
// the pointer must travel since the last update.
class CResizeLoopClient : public CDragLoopClient
{
public:
  CResizeLoopClient(CItemTracker& tracker, int handle, const CVRX2DPoint& start, CPoint startClient)
    : m_tracker(tracker), m_handle(handle), m_start(start), m_startClient(startClient), m_lastProcessed(startClient)
  {}

  void SetThrottles(BOOL bTimer, double distance)
  {
    m_bTimer = bTimer;
    m_dDistance = distance;
  }
  void OnDragStep(CPoint point, BOOL first) override
  {
    if (m_bTimer && !m_bTimeFlag)
      return;
    if (first) {
      m_started = TRUE;
      View()->StartResize(m_tracker.GetItem());
    }
    if (m_dDistance > 0.0) {
      const CSize moved(std::abs(point.x - m_lastProcessed.x), std::abs(point.y - m_lastProcessed.y));
      if (View()->DeviceToWorld(moved).GetLength() < m_dDistance)
        return;
    }
    m_lastProcessed = point;
    Update(point);
  }
  // Past the window's edge the outline and the cursor show the size a release there takes, the
  // size at the nearest point inside, refused or not.
  void OnDragOutside(CPoint point) override
  {
    CRect client;
    View()->GetClientRect(&client);
    const CPoint inside = CDragLogic::ClampToClient(point, client);
    if (inside != m_lastProcessed)
      OnDragStep(inside, FALSE);
  }
  void OnDragUpdate() override
  {
    if (m_started)
      Update(PointerInClient(View()));
  }
  void OnDragTimer() override { m_bTimeFlag = TRUE; }
  void OnDragFinish(const MSG& msg) override
  {
    m_tracker.DrawEntities(m_tracker.m_TrackEnts);
    if (!m_started)
      return;
    CRect client;
    View()->GetClientRect(&client);
    m_offset = Offset(CDragLogic::ClampToClient(MessagePoint(msg), client));
    View()->AdjustPos(m_tracker.GetItem(), m_handle, m_offset, m_tracker.m_TrackEnts);
  }
  void OnDragCancel() override
  {
    m_tracker.DrawEntities(m_tracker.m_TrackEnts);
    m_offset = CVRX2DVector();
  }

  BOOL HasStarted() const { return m_started; }
  CVRX2DVector GetOffset() const { return m_offset; }

private:
  CWorkbenchView* View() const { return m_tracker.GetView(); }
  // The pointer back on the pixel it was pressed on is a drag of length zero for every item,
  // although the handle's own point lies somewhere inside that pixel.
  CVRX2DVector Offset(CPoint point) const
  {
    return point == m_startClient ? CVRX2DVector() : CVRX2DVector(m_start, View()->ClientToWorld(point));
  }
  void Update(CPoint point)
  {
    if (m_bTimer)
      m_bTimeFlag = FALSE;
    m_offset = Offset(point);
    CVRX2DEntityArray previous(m_tracker.m_TrackEnts);
    const int code = View()->AdjustPos(m_tracker.GetItem(), m_handle, m_offset, m_tracker.m_TrackEnts);
    SetCursor(code < 2 ? m_tracker.GetHandleCursor(m_handle) : m_tracker.GetNotAllowedCursor());
    // The outline on screen is always the item's latest proposal, which the release applies: an
    // answer of "unchanged" that still reshaped the outline (a drag back to its start resets
    // the proposal) is redrawn too.
    if (code == 0 || code == 2 || !SameEntities(previous, m_tracker.m_TrackEnts)) {
      m_tracker.DrawEntities(previous);
      m_tracker.DrawEntities(m_tracker.m_TrackEnts);
    }
  }

  CItemTracker& m_tracker;
  int m_handle;
  CVRX2DPoint m_start;
  CPoint m_startClient;
  CPoint m_lastProcessed;
  CVRX2DVector m_offset;
  BOOL m_started = FALSE;
  BOOL m_bTimer = FALSE;
  BOOL m_bTimeFlag = TRUE;
  double m_dDistance = 0.0;
};

// Starts the resize throttle timer for the time of a loop.
class CResizeTimer
{
public:
  CResizeTimer(CWorkbenchView* pView, int period) : m_pView(pView)
  {
    if (period <= 0)
      return;
    if (!m_pView->SetTimer(kResizeTimer, static_cast<UINT>(period), nullptr))
      throw CAppFatalException(kModule, kTimerNotStartedLine);
    m_bRunning = TRUE;
  }
  ~CResizeTimer() noexcept(false)
  {
    if (m_bRunning && !m_pView->KillTimer(kResizeTimer) && !std::uncaught_exceptions())
      throw CAppFatalException(kModule, kTimerNotKilledLine);
  }
  CResizeTimer(const CResizeTimer&) = delete;
  CResizeTimer& operator=(const CResizeTimer&) = delete;
  BOOL IsRunning() const { return m_bRunning; }

private:
  CWorkbenchView* m_pView;
  BOOL m_bRunning = FALSE;
};

BOOL CItemTracker::Resize(int handle, const CVRX2DPoint& start, CVRX2DVector* pOffset)
{
  *pOffset = CVRX2DVector();
  if (CWnd::GetCapture())
    return FALSE;
  m_pItem->GetOutlineEntities(m_TrackEnts);
  CActiveTracker active(m_pView, this);
  m_bResizing = TRUE;
  CDragOptions options;
  options.threshold = CDragLoop::SystemThreshold();
  options.rightButtonUpFinishes = false;
  options.ownTimerId = kResizeTimer;
  CDragLoop loop(m_pView, m_pView->WorldToClient(start), options);
  CResizeLoopClient client(*this, handle, start, m_pView->WorldToClient(start));
  CWorkbenchServices* pServices = GetWorkbenchServices();
  CResizeTimer timer(m_pView, pServices ? pServices->GetResizeTimeThreshold() : 0);
  client.SetThrottles(timer.IsRunning(), pServices ? pServices->GetResizeDistanceThreshold() : 0.0);
  CDragEnd end = CDragEnd::CaptureBusy;
  DrawEntities(m_TrackEnts);
  SetCursor(GetHandleCursor(handle));
  try {
    end = loop.Run(client);
  } catch (...) {
    m_TrackEnts.RemoveAll();
    m_bResizing = FALSE;
    throw;
  }
  m_TrackEnts.RemoveAll();
  m_bResizing = FALSE;
  if (end == CDragEnd::Quit)
    throw CAppFatalException(kModule, kQuitInResizeLine);
  if (end == CDragEnd::Cancelled)
    return FALSE;
  *pOffset = client.GetOffset();
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)
  ("Resize: Resizing complete. Handle offset = (%03.2f,%03.2f)\n", pOffset->GetX(), pOffset->GetY());
  return client.HasStarted() && pOffset->GetLength() != 0.0;
}
