// Guards the window model: painting through the invalid region into the retained surface, mouse
// messages with their key flags, capture, timers by id, posted messages and cursor requests.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPixmap>
#include <QPalette>
#include <QRegion>
#include <QBackingStore>
#include <QWidget>

#include "TestApp.h"
#include "ui/wnd/Cursor.h"
#include "ui/draw/Dc.h"
#include "ui/draw/Gdi.h"
#include "ui/draw/ImageData.h"
#include "ui/wnd/Resource.h"
#include "ui/wnd/Wnd.h"
#include "ui/wnd/WndImpl.h"

namespace {
constexpr UINT WM_TESTPING = WM_USER + 5;

class CTestWnd : public CWnd
{
  DECLARE_MESSAGE_MAP()
public:
  BOOL Make(int width = 200, int height = 150)
  {
    return CreateEx(0, nullptr, "Test", WS_OVERLAPPED | WS_VISIBLE, 10, 10, width, height, nullptr, 0);
  }

  std::vector<CRect> paints;
  std::vector<MSG> mouse;
  std::vector<UINT_PTR> ticks;
  std::vector<WPARAM> pings;
  int setCursorCount = 0;
  bool shiftSeenDown = false;
  COLORREF paintColour = RGB(0, 0, 255);

protected:
  void OnPaint() override
  {
    CPaintDC dc(this);
    paints.push_back(dc.m_ps.rcPaint);
    dc.FillSolidRect(&dc.m_ps.rcPaint, paintColour);
  }
  void Record(UINT message, UINT nFlags, CPoint point)
  {
    MSG m;
    m.message = message;
    m.wParam = nFlags;
    m.pt = point;
    mouse.push_back(m);
  }
  void OnLButtonDown(UINT nFlags, CPoint point) override
  {
    shiftSeenDown = GetKeyState(VK_SHIFT) < 0;
    Record(WM_LBUTTONDOWN, nFlags, point);
  }
  void OnLButtonUp(UINT nFlags, CPoint point) override { Record(WM_LBUTTONUP, nFlags, point); }
  void OnMouseMove(UINT nFlags, CPoint point) override { Record(WM_MOUSEMOVE, nFlags, point); }
  void OnRButtonDown(UINT nFlags, CPoint point) override { Record(WM_RBUTTONDOWN, nFlags, point); }
  void OnTimer(UINT_PTR nIDEvent) override { ticks.push_back(nIDEvent); }
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) override
  {
    ++setCursorCount;
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
  }
  LRESULT OnPing(WPARAM wParam, LPARAM)
  {
    pings.push_back(wParam);
    return 42;
  }
};

BEGIN_MESSAGE_MAP(CTestWnd, CWnd)
  ON_MESSAGE(WM_TESTPING, OnPing)
END_MESSAGE_MAP()

class WndTest : public UiTest
{};

// The areas a widget was asked to show on the screen.
class CScreenPaints : public QObject
{
public:
  explicit CScreenPaints(QWidget* widget) : m_widget(widget) { widget->installEventFilter(this); }
  ~CScreenPaints() override { m_widget->removeEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override
  {
    if (event->type() == QEvent::Paint) {
      shown += static_cast<QPaintEvent*>(event)->region();
      ++count;
    }
    return false;
  }
  // The window's first paints, shown whole, come first: what is counted starts after them.
  void AfterFirstPaints()
  {
    for (int i = 0; i < 5; ++i)
      Pump();
    shown = QRegion();
    count = 0;
  }
  QRegion shown;
  int count = 0;

private:
  QWidget* m_widget;
};

// Pieces of seven pixels every twenty over the area, in reading order.
std::vector<CRect> PiecesOver(const CRect& area)
{
  std::vector<CRect> pieces;
  for (int y = area.top; y < area.bottom; y += 20)
    for (int x = area.left; x < area.right; x += 20)
      pieces.emplace_back(x, y, x + 7, y + 7);
  return pieces;
}

// Invalidates the pieces of a shown window that paints red from now on.
void InvalidateToPaintRed(CTestWnd& wnd, const std::vector<CRect>& pieces)
{
  wnd.paints.clear();
  wnd.paintColour = RGB(255, 0, 0);
  for (const CRect& piece : pieces)
    wnd.InvalidateRect(&piece);
}
}  // namespace

TEST_F(WndTest, ShowingPaintsTheWholeClientIntoTheSurface)
{
  CTestWnd wnd;
  ASSERT_TRUE(wnd.Make());
  Pump();
  ASSERT_FALSE(wnd.paints.empty());
  EXPECT_EQ(wnd.paints.back(), CRect(0, 0, 200, 150));
  EXPECT_EQ(wnd.GetSurfacePixel(199, 149), RGB(0, 0, 255));
  wnd.DestroyWindow();
}

TEST_F(WndTest, InvalidRegionIsWhatTheNextPaintGets)
{
  CTestWnd wnd;
  ASSERT_TRUE(wnd.Make());
  Pump();
  wnd.paints.clear();
  wnd.paintColour = RGB(255, 0, 0);
  const CRect a(10, 10, 20, 20);
  const CRect b(30, 10, 40, 20);
  wnd.InvalidateRect(&a);
  wnd.InvalidateRect(&b);
  const CRect part(30, 10, 35, 20);
  wnd.ValidateRect(&part);
  CRect pending;
  EXPECT_TRUE(wnd.GetUpdateRect(&pending));
  EXPECT_EQ(pending, CRect(10, 10, 40, 20));
  wnd.UpdateWindow();
  ASSERT_EQ(wnd.paints.size(), 1u);
  EXPECT_EQ(wnd.GetSurfacePixel(15, 15), RGB(255, 0, 0));
  EXPECT_EQ(wnd.GetSurfacePixel(37, 15), RGB(255, 0, 0));
  // The validated part and everything outside keep the earlier paint.
  EXPECT_EQ(wnd.GetSurfacePixel(32, 15), RGB(0, 0, 255));
  EXPECT_EQ(wnd.GetSurfacePixel(25, 15), RGB(0, 0, 255));
  EXPECT_FALSE(wnd.GetUpdateRect(&pending));
  wnd.DestroyWindow();
}

TEST_F(WndTest, DrawingOutsidePaintingLandsInTheSurface)
{
  CTestWnd wnd;
  ASSERT_TRUE(wnd.Make());
  Pump();
  CDC* dc = wnd.GetDC();
  dc->SetROP2(R2_NOT);
  dc->MoveTo(5, 5);
  dc->LineTo(15, 5);
  EXPECT_EQ(wnd.GetSurfacePixel(5, 5), RGB(255, 255, 0));
  EXPECT_EQ(wnd.GetSurfacePixel(15, 5), RGB(0, 0, 255));
  EXPECT_EQ(wnd.ReleaseDC(dc), 1);
  wnd.DestroyWindow();
}

// The lines of a move image are drawn together: a sharp picture the lines pass around stays shown,
// one that a line crosses gives way to the surface's pixels, as when each line is drawn alone.
TEST_F(WndTest, LinesDrawnTogetherRemoveOnlyTheSharpPicturesTheyCross)
{
  CTestWnd wnd;
  ASSERT_TRUE(wnd.Make());
  Pump();
  QImage sharp(20, 20, QImage::Format_RGB32);
  sharp.fill(Qt::red);
  wnd.Impl()->AddSharpPicture(QRect(40, 40, 10, 10), sharp, QRegion(0, 0, 200, 150));
  const std::vector<std::pair<CPoint, CPoint>> around = {
      {{30, 30}, {60, 30}}, {{60, 30}, {60, 60}}, {{60, 60}, {30, 60}}, {{30, 60}, {30, 30}}};
  CDC* dc = wnd.GetDC();
  dc->SetROP2(R2_NOTXORPEN);
  ASSERT_TRUE(dc->DrawSegmentsThroughPen(around));
  EXPECT_EQ(wnd.Impl()->SharpPictureRects(), std::vector<QRect>{QRect(40, 40, 10, 10)});
  EXPECT_EQ(wnd.GetSurfacePixel(45, 30), RGB(255, 255, 0));
  ASSERT_TRUE(dc->DrawSegmentsThroughPen({{{30, 45}, {60, 45}}}));
  EXPECT_TRUE(wnd.Impl()->SharpPictureRects().empty());
  EXPECT_EQ(wnd.ReleaseDC(dc), 1);
  wnd.DestroyWindow();
}

// The handles of a large selection invalidate thousands of small pieces: the pending region stays
// a few rectangles (their box beyond a limit), and whatever was invalidated is painted.
TEST_F(WndTest, ManySmallInvalidPiecesArePaintedTogetherAsOneSimpleRegion)
{
  CTestWnd wnd;
  ASSERT_TRUE(wnd.Make(400, 300));
  Pump();
  const std::vector<CRect> pieces = PiecesOver(CRect(40, 40, 340, 240));
  InvalidateToPaintRed(wnd, pieces);
  CRgn pending;
  ASSERT_NE(wnd.GetUpdateRgn(&pending), NULLREGION);
  EXPECT_LE(pending.Region().Rects().size(), 32u);
  CRect box;
  pending.GetRgnBox(&box);
  EXPECT_EQ(box, CRect(40, 40, 327, 227));
  // Validating the pieces again breaks the region up only as far as it stays simple; the pieces
  // past that are painted after all.
  for (const CRect& piece : pieces)
    wnd.ValidateRect(&piece);
  ASSERT_NE(wnd.GetUpdateRgn(&pending), NULLREGION);
  EXPECT_LE(pending.Region().Rects().size(), 32u);
  EXPECT_FALSE(pending.PtInRegion(43, 43)) << "the first validation is kept";
  wnd.UpdateWindow();
  ASSERT_EQ(wnd.paints.size(), 1u);
  int painted = 0;
  for (const CRect& piece : pieces) {
    const CPoint inside(piece.left + 3, piece.top + 3);
    const COLORREF expected = pending.PtInRegion(inside.x, inside.y) ? RGB(255, 0, 0) : RGB(0, 0, 255);
    EXPECT_EQ(wnd.GetSurfacePixel(inside.x, inside.y), expected) << piece.left << "," << piece.top;
    painted += expected == RGB(255, 0, 0);
  }
  EXPECT_GT(painted, static_cast<int>(pieces.size()) / 2);
  EXPECT_EQ(wnd.GetSurfacePixel(20, 20), RGB(0, 0, 255)) << "outside the box nothing was painted";
  EXPECT_EQ(wnd.GetUpdateRgn(&pending), NULLREGION);
  wnd.DestroyWindow();
}

// The box the pieces become past the limit holds every piece: the last one invalidated lies
// outside the box of all the others, and it is painted with them.
TEST_F(WndTest, APieceOutsideTheOthersBoxIsPaintedWhenThePiecesBecomeTheirBox)
{
  CTestWnd wnd;
  ASSERT_TRUE(wnd.Make(400, 300));
  Pump();
  std::vector<CRect> pieces = PiecesOver(CRect(20, 20, 180, 100));
  ASSERT_EQ(pieces.size(), 32u);
  pieces.emplace_back(350, 250, 357, 257);
  InvalidateToPaintRed(wnd, pieces);
  wnd.UpdateWindow();
  ASSERT_EQ(wnd.paints.size(), 1u);
  for (const CRect& piece : pieces)
    EXPECT_EQ(wnd.GetSurfacePixel(piece.left + 3, piece.top + 3), RGB(255, 0, 0)) << piece.left << "," << piece.top;
  wnd.DestroyWindow();
}

// Pieces that together fill their box are kept as that one rectangle, so that a view invalidated
// whole after one unit's handles does not cut every later invalidation against five pieces; what
// is pending is asked about without copying the region.
TEST_F(WndTest, InvalidPiecesThatFillTheirBoxAreOneRectangleAndCanBeAskedAbout)
{
  CTestWnd wnd;
  ASSERT_TRUE(wnd.Make(200, 150));
  Pump();
  const CRect handle(40, 40, 47, 47);
  wnd.InvalidateRect(&handle);
  wnd.Invalidate();
  CRgn pending;
  EXPECT_EQ(wnd.GetUpdateRgn(&pending), SIMPLEREGION);
  EXPECT_EQ(pending.Region().Rects().size(), 1u);
  EXPECT_TRUE(wnd.IsRectInvalid(CRect(0, 0, 200, 150)));
  EXPECT_FALSE(wnd.IsRectInvalid(CRect(190, 140, 210, 150))) << "partly outside the client";
  EXPECT_FALSE(wnd.IsRectInvalid(CRect(5, 5, 5, 9))) << "an empty rectangle";
  wnd.UpdateWindow();
  EXPECT_FALSE(wnd.IsRectInvalid(CRect(5, 5, 9, 9)));
  // Two pieces side by side fill their box; two apart do not, and the gap is not pending.
  const CRect left(10, 10, 20, 20);
  const CRect right(20, 10, 30, 20);
  const CRect far(40, 10, 50, 20);
  wnd.InvalidateRect(&left);
  wnd.InvalidateRect(&right);
  EXPECT_EQ(wnd.GetUpdateRgn(&pending), SIMPLEREGION);
  EXPECT_TRUE(wnd.IsRectInvalid(CRect(15, 12, 25, 18)));
  wnd.InvalidateRect(&far);
  EXPECT_EQ(wnd.GetUpdateRgn(&pending), COMPLEXREGION);
  EXPECT_TRUE(wnd.IsRectInvalid(CRect(15, 12, 25, 18))) << "across two pieces";
  EXPECT_FALSE(wnd.IsRectInvalid(CRect(25, 12, 45, 18))) << "across the gap";
  EXPECT_FALSE(pending.PtInRegion(35, 15));
  wnd.UpdateWindow();
  // Validating with nothing pending leaves nothing pending.
  wnd.ValidateRect(&left);
  EXPECT_EQ(wnd.GetUpdateRgn(&pending), NULLREGION);
  wnd.DestroyWindow();
}

// Drawing outside a paint in many primitives reaches the screen once the events run: the widget
// is asked to paint everything drawn.
TEST_F(WndTest, DrawingOutsidePaintingIsShownOnceTheEventsRun)
{
  CTestWnd wnd;
  ASSERT_TRUE(wnd.Make());
  CScreenPaints screen(wnd.m_hWnd);
  screen.AfterFirstPaints();
  CDC* dc = wnd.GetDC();
  for (int y = 10; y < 140; y += 4) {
    dc->MoveTo(10, y);
    dc->LineTo(190, y);
  }
  wnd.ReleaseDC(dc);
  // The request to show, then the paint it asks for.
  Pump();
  Pump();
  EXPECT_TRUE(screen.shown.contains(QRect(10, 10, 180, 129)));
  EXPECT_EQ(wnd.GetSurfacePixel(100, 138), RGB(0, 0, 0));
  wnd.DestroyWindow();
}

// An invalid area reaches the screen in one paint: what the window paints into its surface there
// is shown by the screen paint under way, not by another asked for from inside it.
TEST_F(WndTest, AnInvalidAreaIsPaintedAndShownOnce)
{
  CTestWnd wnd;
  ASSERT_TRUE(wnd.Make());
  CScreenPaints screen(wnd.m_hWnd);
  screen.AfterFirstPaints();
  wnd.paints.clear();
  wnd.paintColour = RGB(0, 128, 0);
  const CRect area(20, 30, 120, 90);
  wnd.InvalidateRect(&area, FALSE);
  for (int i = 0; i < 5; ++i)
    Pump();
  ASSERT_EQ(wnd.paints.size(), 1u);
  EXPECT_EQ(screen.count, 1);
  EXPECT_TRUE(screen.shown.contains(QRect(20, 30, 100, 60)));
  EXPECT_EQ(wnd.GetSurfacePixel(119, 89), RGB(0, 128, 0));
  wnd.DestroyWindow();
}

TEST_F(WndTest, ScrollWindowMovesPixelsAndInvalidatesTheUncoveredStrip)
{
  CTestWnd wnd;
  ASSERT_TRUE(wnd.Make());
  Pump();
  {
    CClientDC dc(&wnd);
    dc.FillSolidRect(0, 0, 10, 10, RGB(0, 255, 0));
  }
  wnd.paints.clear();
  CRect uncovered;
  EXPECT_EQ(wnd.ScrollWindowEx(20, 0, nullptr, nullptr, nullptr, &uncovered, SW_INVALIDATE), SIMPLEREGION);
  EXPECT_EQ(uncovered, CRect(0, 0, 20, 150));
  EXPECT_EQ(wnd.GetSurfacePixel(25, 5), RGB(0, 255, 0));
  wnd.UpdateWindow();
  ASSERT_EQ(wnd.paints.size(), 1u);
  EXPECT_EQ(wnd.paints[0], CRect(0, 0, 20, 150));
  EXPECT_EQ(wnd.GetSurfacePixel(5, 5), RGB(0, 0, 255));
  wnd.DestroyWindow();
}

namespace {
// Paints lines, a rectangle and text at positions that follow its scroll origin.
class CScrolledWnd : public CTestWnd
{
public:
  CPoint origin;

protected:
  void OnPaint() override
  {
    CPaintDC dc(this);
    dc.FillSolidRect(&dc.m_ps.rcPaint, RGB(255, 255, 255));
    dc.SetWindowOrg(origin);
    for (int i = 0; i < 6; ++i) {
      dc.MoveTo(10 + 31 * i, 5);
      dc.LineTo(40 + 27 * i, 140);
    }
    dc.Rectangle(50, 40, 121, 97);
    dc.TextOut(60, 60, "=====");
  }
};
}  // namespace

// At every device pixel ratio (also run at 150 % and 200 %) a scrolled window shows what painting
// it whole at its new origin shows: its pixels move only by whole device pixels, and otherwise
// the area is painted again.
TEST_F(WndTest, AScrolledSurfaceMatchesTheSurfacePaintedAtItsNewOrigin)
{
  CScrolledWnd wnd;
  ASSERT_TRUE(wnd.Make());
  Pump();
  wnd.UpdateWindow();
  for (const CPoint step : {CPoint(1, 0), CPoint(0, 3), CPoint(-2, -2), CPoint(5, 1)}) {
    SCOPED_TRACE(step.x * 100 + step.y);
    wnd.origin.Offset(step.x, step.y);
    wnd.ScrollWindowEx(-step.x, -step.y, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
    wnd.UpdateWindow();
    const QImage scrolled = wnd.Impl()->Surface()->Image().copy();
    wnd.Invalidate(TRUE);
    wnd.UpdateWindow();
    EXPECT_EQ(scrolled, wnd.Impl()->Surface()->Image());
  }
  wnd.DestroyWindow();
}

// A window lying a window pixel and a half of device pixels into its top-level window (at 150 %,
// as the area behind the child frames lies under the menu bar and toolbar) shows its surface
// again over every device pixel a child that goes had covered: none of the child's edge stays
// on the screen (also run at 150 % and 200 %).
TEST_F(WndTest, AChildThatGoesLeavesNoDevicePixelOfItself)
{
  CTestWnd parent;
  ASSERT_TRUE(parent.Make(300, 240));
  auto* area = new CTestWnd;
  area->paintColour = RGB(128, 128, 128);
  ASSERT_TRUE(area->Create(nullptr, "area", WS_CHILD | WS_VISIBLE, CRect(0, 51, 300, 240), &parent, 1));
  Pump();
  auto* child = new QWidget(area->m_hWnd);
  child->setAutoFillBackground(true);
  QPalette palette = child->palette();
  palette.setColor(QPalette::Window, QColor(27, 78, 110));
  child->setPalette(palette);
  child->setGeometry(13, 149, 101, 61);
  child->show();
  Pump();
  QWidget* top = area->m_hWnd->window();
  // What the window's backing store holds: the device pixels the screen is given.
  auto shown = [top] {
    QPaintDevice* device = top->backingStore()->paintDevice();
    return device->devType() == QInternal::Image ? static_cast<QImage*>(device)->copy() : QImage();
  };
  const QColor frame(27, 78, 110);
  const qreal ratio = top->devicePixelRatio();
  const QPoint origin = area->m_hWnd->mapTo(top, QPoint(0, 0));
  const QPoint inside = (origin + QPoint(13 + 50, 149 + 30)) * ratio;
  ASSERT_TRUE(PumpUntil([&] { return shown().pixelColor(inside) == frame; })) << "the child is on the screen";
  delete child;
  ASSERT_TRUE(PumpUntil([&] { return shown().pixelColor(inside) != frame; })) << "the area is shown again";
  const QImage after = shown();
  // The device pixels of the area, less those at its edges that it shares with the parent.
  const QRect devices(QPoint(std::ceil(origin.x() * ratio) + 1, std::ceil(origin.y() * ratio) + 1),
                      QPoint(std::floor((origin.x() + 300) * ratio) - 2, std::floor((origin.y() + 189) * ratio) - 2));
  const QColor grey(128, 128, 128);
  int left = 0;
  QPoint first;
  for (int y = devices.top(); y <= devices.bottom(); ++y)
    for (int x = devices.left(); x <= devices.right(); ++x)
      if (after.pixelColor(x, y) != grey && left++ == 0)
        first = QPoint(x, y);
  EXPECT_EQ(left, 0) << "device pixels not the area's grey, the first at " << first.x() << ", " << first.y() << ": "
                     << after.pixelColor(first).name().toStdString();
  parent.DestroyWindow();
  delete area;
}

// A cursor of the program's own is made at the screen's device pixel ratio (also run at 150 % and
// 200 %): as large as its rows in window pixels, each of its pixels filling the device pixels it
// covers, its hot spot where the rows put it.
TEST_F(WndTest, AResourceCursorIsDrawnAtTheScreensRatio)
{
  constexpr UINT kCursorId = 7455;
  CResources::Get().AddCursor(kCursorId, CCursorTemplate{CPoint(1, 2), {"XX.. ", "X..X ", "     ", ".XX. "}});
  HCURSOR hCursor = AfxResourceCursor(kCursorId);
  ASSERT_NE(hCursor, nullptr);
  QWidget widget;
  ApplyCursor(&widget, hCursor);
  const QPixmap pixmap = widget.cursor().pixmap();
  const CDeviceScale scale(qGuiApp->devicePixelRatio());
  EXPECT_EQ(pixmap.devicePixelRatio(), scale.Ratio());
  ASSERT_EQ(pixmap.size(), QSize(scale.At(5), scale.At(4)));
  EXPECT_EQ(widget.cursor().hotSpot(), QPoint(1, 2));
  const QImage image = pixmap.toImage();
  auto all = [&](int x, int y, QRgb colour) {
    const CRect d = scale.At(CRect(x, y, x + 1, y + 1));
    bool same = true;
    for (int dy = d.top; dy < d.bottom; ++dy)
      for (int dx = d.left; dx < d.right; ++dx)
        same = same && image.pixel(dx, dy) == colour;
    return same;
  };
  EXPECT_TRUE(all(1, 0, qRgba(0, 0, 0, 255)));
  EXPECT_TRUE(all(2, 1, qRgba(255, 255, 255, 255)));
  EXPECT_EQ(qAlpha(image.pixel(scale.At(4), scale.At(2))), 0);
}

TEST_F(WndTest, MouseMessagesCarryClientPointsAndKeyFlags)
{
  CTestWnd wnd;
  ASSERT_TRUE(wnd.Make());
  Pump();
  SendMouse(wnd.m_hWnd, QEvent::MouseButtonPress, QPoint(30, 40), Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
  SendMouse(wnd.m_hWnd, QEvent::MouseMove, QPoint(31, 41), Qt::NoButton, Qt::LeftButton | Qt::RightButton,
            Qt::ControlModifier);
  SendMouse(wnd.m_hWnd, QEvent::MouseButtonRelease, QPoint(32, 42), Qt::LeftButton, Qt::NoButton);
  ASSERT_EQ(wnd.mouse.size(), 3u);
  EXPECT_EQ(wnd.mouse[0].message, static_cast<UINT>(WM_LBUTTONDOWN));
  EXPECT_EQ(wnd.mouse[0].wParam, static_cast<WPARAM>(MK_LBUTTON | MK_SHIFT));
  EXPECT_EQ(CPoint(wnd.mouse[0].pt), CPoint(30, 40));
  EXPECT_TRUE(wnd.shiftSeenDown);
  EXPECT_EQ(wnd.mouse[1].wParam, static_cast<WPARAM>(MK_LBUTTON | MK_RBUTTON | MK_CONTROL));
  EXPECT_EQ(wnd.mouse[2].message, static_cast<UINT>(WM_LBUTTONUP));
  EXPECT_EQ(wnd.mouse[2].wParam, 0u);
  EXPECT_GE(wnd.setCursorCount, 2);
  wnd.DestroyWindow();
}

TEST_F(WndTest, CaptureSendsOtherWindowsMouseInputToTheCapturingWindow)
{
  CTestWnd a;
  CTestWnd b;
  ASSERT_TRUE(a.Make());
  ASSERT_TRUE(b.Make());
  Pump();
  a.SetCapture();
  EXPECT_EQ(CWnd::GetCapture(), &a);
  SendMouse(b.m_hWnd, QEvent::MouseMove, QPoint(5, 5), Qt::NoButton, Qt::NoButton);
  EXPECT_TRUE(b.mouse.empty());
  ASSERT_EQ(a.mouse.size(), 1u);
  const QPoint expected = a.m_hWnd->mapFromGlobal(b.m_hWnd->mapToGlobal(QPoint(5, 5)));
  EXPECT_EQ(CPoint(a.mouse[0].pt), CPoint(expected.x(), expected.y()));
  EXPECT_TRUE(ReleaseCapture());
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
  a.DestroyWindow();
  b.DestroyWindow();
}

TEST_F(WndTest, TimersFireByIdAndTheSameIdReplacesTheTimer)
{
  CTestWnd wnd;
  ASSERT_TRUE(wnd.Make());
  EXPECT_EQ(wnd.SetTimer(7, 5000, nullptr), 7u);
  EXPECT_EQ(wnd.SetTimer(7, 10, nullptr), 7u);
  ASSERT_TRUE(PumpUntil([&] { return !wnd.ticks.empty(); }));
  EXPECT_EQ(wnd.ticks.front(), 7u);
  EXPECT_TRUE(wnd.KillTimer(7));
  EXPECT_FALSE(wnd.KillTimer(7));
  const auto ticksOf = [&](UINT_PTR id) { return std::count(wnd.ticks.begin(), wnd.ticks.end(), id); };
  const auto killed = ticksOf(7);
  // A timer of the same period ticks three times; the killed one, were it alive, would tick too.
  EXPECT_EQ(wnd.SetTimer(8, 10, nullptr), 8u);
  ASSERT_TRUE(PumpUntil([&] { return ticksOf(8) >= 3; }));
  EXPECT_EQ(ticksOf(7), killed);
  wnd.DestroyWindow();
}

TEST_F(WndTest, PostedMessagesArriveLaterAndSentOnesAtOnce)
{
  CTestWnd wnd;
  ASSERT_TRUE(wnd.Make());
  EXPECT_TRUE(wnd.PostMessage(WM_TESTPING, 1, 0));
  EXPECT_TRUE(wnd.pings.empty());
  EXPECT_EQ(wnd.SendMessage(WM_TESTPING, 2, 0), 42);
  Pump();
  ASSERT_EQ(wnd.pings.size(), 2u);
  EXPECT_EQ(wnd.pings[0], 2u);
  EXPECT_EQ(wnd.pings[1], 1u);
  wnd.DestroyWindow();
  EXPECT_FALSE(wnd.PostMessage(WM_TESTPING, 3, 0));
}

TEST_F(WndTest, ChildWindowsAreFoundByIdAndGoWithTheirParent)
{
  CTestWnd parent;
  ASSERT_TRUE(parent.Make());
  auto* child = new CTestWnd;
  ASSERT_TRUE(child->Create(nullptr, "child", WS_CHILD | WS_VISIBLE, CRect(5, 5, 50, 50), &parent, 1234));
  EXPECT_EQ(parent.GetDlgItem(1234), child);
  EXPECT_EQ(child->GetParent(), &parent);
  CRect r;
  child->GetClientRect(&r);
  EXPECT_EQ(r, CRect(0, 0, 45, 45));
  CPoint p(0, 0);
  child->ClientToScreen(&p);
  parent.ScreenToClient(&p);
  EXPECT_EQ(p, CPoint(5, 5));
  parent.DestroyWindow();
  EXPECT_EQ(child->m_hWnd, nullptr);
  delete child;
}

namespace {
int g_selfDeleted = 0;

// Ends itself from inside its own handlers, as the splash window does.
class CSelfDeletingWnd : public CWnd
{
public:
  ~CSelfDeletingWnd() override { ++g_selfDeleted; }

protected:
  void OnLButtonDown(UINT, CPoint) override { DestroyWindow(); }
  void OnKeyDown(UINT, UINT, UINT) override { DestroyWindow(); }
  void OnTimer(UINT_PTR nIDEvent) override
  {
    KillTimer(nIDEvent);
    DestroyWindow();
  }
  void PostNcDestroy() override { delete this; }
};
}  // namespace

TEST_F(WndTest, WindowMayDestroyAndDeleteItselfInsideItsHandlers)
{
  g_selfDeleted = 0;
  auto make = [] {
    auto* wnd = new CSelfDeletingWnd;
    EXPECT_TRUE(wnd->CreateEx(0, nullptr, "Self", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, 0));
    return wnd;
  };
  CSelfDeletingWnd* clicked = make();
  CSelfDeletingWnd* keyed = make();
  CSelfDeletingWnd* timed = make();
  timed->SetTimer(1, 5, nullptr);
  Pump();
  SendMouse(clicked->m_hWnd, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
  PostKey(keyed->m_hWnd, QEvent::KeyPress, Qt::Key_A);
  EXPECT_TRUE(PumpUntil([] { return g_selfDeleted == 3; }));
  EXPECT_EQ(g_selfDeleted, 3);
}

TEST_F(WndTest, WindowRectangleOfATopLevelWindowIsWhereMoveWindowPutIt)
{
  CTestWnd wnd;
  ASSERT_TRUE(wnd.Make());
  wnd.MoveWindow(10, 20, 690, 480);
  Pump();
  CRect r;
  wnd.GetWindowRect(&r);
  EXPECT_EQ(r, CRect(10, 20, 700, 500));
  wnd.MoveWindow(&r);
  Pump();
  CRect again;
  wnd.GetWindowRect(&again);
  EXPECT_EQ(again, r);
  wnd.DestroyWindow();
}

#if defined(__GLIBC__)
#if defined(__SANITIZE_ADDRESS__)
#define PANECRAFT_OWN_ALLOCATOR 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PANECRAFT_OWN_ALLOCATOR 0
#endif
#endif
#ifndef PANECRAFT_OWN_ALLOCATOR
#define PANECRAFT_OWN_ALLOCATOR 1
#endif

// The blocks a mass delete frees are put in their places as they go, not kept in fast lists
// for the next paint's first large allocation to sort.
TEST(QtApp, SmallBlocksFreedInBulkAreNotLeftInFastLists)
{
  if (!PANECRAFT_OWN_ALLOCATOR)
    GTEST_SKIP() << "the sanitizer's allocator keeps its own lists";
  std::vector<void*> blocks;
  for (int i = 0; i < 20000; ++i)
    blocks.push_back(std::malloc(48));
  for (void* p : blocks)
    std::free(p);
  EXPECT_EQ(mallinfo2().fsmblks, 0u);
}
#endif
