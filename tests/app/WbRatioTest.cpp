// Guards the Workbench's pictures at the screen's device pixel ratio, whatever it is (second CTest
// entries run these at 150 %, 175 % and 200 %): the corners of a sash close, with no line a
// device pixel past the line it meets; an angled guideline's handles show their boxes and leave
// nothing behind when it is selected, a handle is clicked, it is turned, moved and deselected; a
// handle drag that changes no size leaves the joins and their codes where they were; while a
// joined unit is dragged, the outline stays whole where its join stood.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <QImage>
#include <QMdiSubWindow>
#include <QTimer>

#include "WbGuiFixture.h"
#include "geometry/2dline.h"
#include "ui/draw/Dc.h"
#include "ui/draw/ImageData.h"
#include "ui/draw/Raster.h"
#include "ui/wnd/WndImpl.h"
#include "workbench/frame/Wbids.h"
#include "workbench/items/Guideitem.h"
#include "workbench/items/Joinitem.h"
#include "workbench/items/Tracker.h"

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255);
// Entity category of the sash lines of a unit's elevation.
constexpr int kSashLine = 36;

class WbRatioTest : public WorkbenchGuiTest
{
protected:
  void SetUp() override
  {
    WorkbenchGuiTest::SetUp();
    StartAtFourPixelsToTheInch();
    MainFrame()->GetOuterHandle()->resize(1000, 760);
    auto* pSub = qobject_cast<QMdiSubWindow*>(Frame()->GetOuterHandle());
    ASSERT_NE(pSub, nullptr);
    pSub->showMaximized();
    Pump();
  }
  const CImageData& Surface() const { return *View()->Impl()->Surface(); }
  const CDeviceScale& Scale() const { return Surface().Scale(); }
  bool Inked(const CImageData& image, int x, int y) const
  {
    return CRasterizer::ToColorRef(image.Image().pixel(x, y)) != kWhite;
  }
  // The device pixels of a window rectangle, row by row.
  std::vector<QRgb> Pixels(const CImageData& image, const CRect& window) const
  {
    const CRect d = image.Scale().At(window);
    std::vector<QRgb> pixels;
    for (int y = d.top; y < d.bottom; ++y)
      for (int x = d.left; x < d.right; ++x)
        pixels.push_back(image.Image().pixel(x, y));
    return pixels;
  }
  // The device pixels where two pictures of a window rectangle differ, the first few named with
  // their colours.
  std::string Differences(const std::vector<QRgb>& shown, const std::vector<QRgb>& repainted, const CRect& window) const
  {
    const CRect d = Scale().At(window);
    std::string named;
    int count = 0;
    for (size_t i = 0; i < shown.size() && i < repainted.size(); ++i)
      if (shown[i] != repainted[i] && ++count <= 6) {
        const int x = d.left + static_cast<int>(i) % d.Width();
        const int y = d.top + static_cast<int>(i) / d.Width();
        char text[80];
        std::snprintf(text, sizeof text, " (%d, %d) %06X for %06X", x, y, shown[i] & 0xFFFFFFu,
                      repainted[i] & 0xFFFFFFu);
        named += text;
      }
    return count == 0 ? std::string() : std::to_string(count) + " device pixels:" + named;
  }
  // A drag through real mouse events: the pointer moves from the grip by each of the steps, each
  // once the drag loop has taken the one before and the view has painted what that left pending
  // (as a screen paints between the moves of a hand); read runs before the release.
  void DragInSteps(CPoint grip, const std::vector<CSize>& steps, const std::function<void()>& read)
  {
    CWnd* pView = View();
    std::function<void(size_t)> step;
    std::function<void(size_t, int)> painted;
    painted = [&](size_t next, int polls) {
      // Only a hang waits that long.
      if (View()->Impl()->HasInvalid() && polls < 60000) {
        QTimer::singleShot(1, [&painted, next, polls] { painted(next, polls + 1); });
        return;
      }
      step(next);
    };
    step = [&](size_t i) {
      const CPoint at = grip + steps[std::min(i, steps.size() - 1)];
      if (i < steps.size()) {
        SendMouse(pView, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
        QTimer::singleShot(0, [&painted, i] { painted(i + 1, 0); });
        return;
      }
      read();
      SendMouse(pView, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    };
    QTimer::singleShot(0, [&step] { step(0); });
    SendMouse(pView, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    Pump();
  }
  // Around a join's code, which stands over the start of its marker.
  static CRect CodeArea(CPoint start) { return CRect(start.x - 16, start.y - 16, start.x + 17, start.y + 17); }
};

// A rectangle of the elevation's lines, in client pixels.
struct CSash
{
  CRect corners;  // left, top, right and bottom lines
  int lines = 0;
};
}  // namespace

// Around each corner of the gliders' two sashes the surface holds exactly the device pixels the
// outline of the rectangle of those corners holds: the lines meet, and none runs a device pixel
// past the other where a window pixel is two device pixels across (150 %, 175 %).
TEST_F(WbRatioTest, TheCornersOfASashCloseAtTheScreensRatio)
{
  CUnitItem* pGlider = PlaceGliderFromBase(0.0, 0.0);
  ASSERT_NE(pGlider, nullptr);
  View()->DeselectAll();
  View()->Invalidate(TRUE);
  View()->UpdateWindow();
  Pump();
  // The sash lines, each sash's four lines one after the other, drawn round in either sense.
  std::vector<CSash> sashes;
  const CVRX2DEntityArray elevation = pGlider->GetElevationEntities();
  for (int i = 0; i < elevation.GetSize(); ++i) {
    const auto* pLine = dynamic_cast<const CVRX2DLine*>(elevation[i]);
    if (!pLine || pLine->GetCategory() != kSashLine)
      continue;
    if (sashes.empty() || sashes.back().lines == 4)
      sashes.emplace_back();
    CSash& sash = sashes.back();
    const CPoint a = View()->WorldToClient(pLine->GetStartPoint());
    const CPoint b = View()->WorldToClient(pLine->GetEndPoint());
    CRect r(a, b);
    r.NormalizeRect();
    sash.corners = sash.lines == 0
                       ? r
                       : CRect(std::min(sash.corners.left, r.left), std::min(sash.corners.top, r.top),
                               std::max(sash.corners.right, r.right), std::max(sash.corners.bottom, r.bottom));
    ++sash.lines;
  }
  ASSERT_EQ(sashes.size(), 2u) << "a glider has two sashes";
  const CRect client = View()->GetClientRect();
  for (const CSash& sash : sashes) {
    const CRect& c = sash.corners;
    SCOPED_TRACE(::testing::Message() << "the sash from (" << c.left << ", " << c.top << ") to (" << c.right << ", "
                                      << c.bottom << ")");
    ASSERT_EQ(sash.lines, 4);
    ASSERT_GT(c.Width(), 10);
    ASSERT_GT(c.Height(), 10);
    ASSERT_TRUE(client.PtInRect(c.TopLeft()) && client.PtInRect(CPoint(c.right + 3, c.bottom + 3)));
    CImageData outline(client.Width(), client.Height(), kWhite, Scale().Ratio());
    CDC dc;
    dc.AttachImage(&outline);
    dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(c.left, c.top, c.right + 1, c.bottom + 1);
    const CPoint corners[] = {c.TopLeft(), {c.right, c.top}, {c.right, c.bottom}, {c.left, c.bottom}};
    for (const CPoint& corner : corners) {
      // Two window pixels each way: the other lines of the glider lie further off.
      const CRect around = Scale().At(CRect(corner.x - 2, corner.y - 2, corner.x + 3, corner.y + 3));
      std::string wrong;
      for (int y = around.top; y < around.bottom; ++y)
        for (int x = around.left; x < around.right; ++x)
          if (Inked(Surface(), x, y) != Inked(outline, x, y))
            wrong += " (" + std::to_string(x) + ", " + std::to_string(y) + ")" +
                     (Inked(Surface(), x, y) ? " inked" : " missing");
      EXPECT_TRUE(wrong.empty()) << "at the corner (" << corner.x << ", " << corner.y
                                 << "), device pixels off the sash's outline:" << wrong;
    }
  }
}

// An angled guideline's handles are the boxes a repaint draws, each the size its box has at this
// ratio, and its selection, a click on a handle, a turn by a handle, a move and its deselection
// leave no pixel a repaint would not: at 150 % the squares the selection drew stuck out of the
// boxes, and the deselection left a second row and column of the filled box; a press on a handle
// without a turn left the turn's inverted image on the line.
TEST_F(WbRatioTest, AnAngledGuidelinesHandlesAreTheirBoxesAndLeaveNothingBehind)
{
  const CRect client = View()->GetClientRect();
  auto* pAngled = PlaceWith<CGuidelineItem>(ID_ANGLED_GUIDELINE_TOOL, CPoint(client.Width() / 2, client.Height() / 2));
  ASSERT_NE(pAngled, nullptr);
  ASSERT_EQ(pAngled->GetHandleCount(), 2);
  const COLORREF ink = pAngled->GetColor();
  auto boxOf = [&](int handle) {
    const CPoint at = View()->WorldToClient(pAngled->GetHandlePoint(handle, View()));
    return CRect(at.x - 4, at.y - 4, at.x + 4, at.y + 4);
  };
  auto check = [&](const char* step, bool selected = true) {
    SCOPED_TRACE(step);
    ASSERT_EQ(View()->IsSelected(pAngled), selected);
    std::vector<CRect> around;
    std::vector<std::vector<QRgb>> shown;
    for (int handle = 0; handle < 2; ++handle) {
      const CRect box = boxOf(handle);
      ASSERT_TRUE(client.PtInRect(box.TopLeft()) && client.PtInRect(CPoint(box.right, box.bottom))) << handle;
      around.push_back(box);
      around.back().InflateRect(3, 3);
      around.back().IntersectRect(around.back(), client);
      shown.push_back(Pixels(Surface(), around.back()));
      // Measured along the row and the column through the box's middle, which the guideline
      // itself, running through the box's corners, does not cross.
      const CPoint middle = Scale().At(box.CenterPoint());
      auto run = [&](int dx, int dy) {
        int n = 0;
        while (CRasterizer::ToColorRef(Surface().Image().pixel(middle.x + (n + 1) * dx, middle.y + (n + 1) * dy)) ==
               ink)
          ++n;
        return n;
      };
      if (!selected)
        continue;
      ASSERT_EQ(CRasterizer::ToColorRef(Surface().Image().pixel(middle.x, middle.y)), ink) << "handle " << handle;
      // The box is its outline's device pixels across and down: the pen deep inside its last
      // window pixels, as Rectangle draws it.
      EXPECT_EQ(run(-1, 0) + 1 + run(1, 0), Scale().At(box.right - 1) + Scale().Pen() - Scale().At(box.left))
          << "handle " << handle << " across";
      EXPECT_EQ(run(0, -1) + 1 + run(0, 1), Scale().At(box.bottom - 1) + Scale().Pen() - Scale().At(box.top))
          << "handle " << handle << " down";
    }
    View()->Invalidate(TRUE);
    View()->UpdateWindow();
    Pump();
    for (int handle = 0; handle < 2; ++handle)
      EXPECT_EQ(Differences(shown[handle], Pixels(Surface(), around[handle]), around[handle]), "")
          << "handle " << handle << ": pixels a repaint does not leave";
  };
  View()->DeselectAll();
  Pump();
  Click(View()->WorldToClient(pAngled->GetVisibleMidpoint()));
  check("selected");
  CPoint grip = View()->WorldToClient(pAngled->GetHandlePoint(1, View()));
  // Pressed and let go without a move, the handle turns nothing and shows no turn.
  Click(grip);
  check("a handle clicked");
  const double angle = pAngled->GetAngle().GetRadians();
  grip = View()->WorldToClient(pAngled->GetHandlePoint(1, View()));
  Drag(grip, CPoint(grip.x - 40, grip.y + 12));
  ASSERT_NE(pAngled->GetAngle().GetRadians(), angle) << "the drag turned the guideline";
  check("turned");
  const CPoint middle = View()->WorldToClient(pAngled->GetVisibleMidpoint());
  Drag(middle, CPoint(middle.x + 5, middle.y + 3));
  check("moved");
  Click(CPoint(client.Width() / 8, client.Height() / 8));
  check("deselected", false);
}

// A handle drag the gliders' sizes do not follow changes nothing: every join keeps its marker
// the way it ran, and the codes stay on the side of their markers they were on.
TEST_F(WbRatioTest, AHandleDragThatChangesNoSizeLeavesTheJoinsAndTheirCodesWhereTheyWere)
{
  CUnitItem* pLeft = PlaceGliderFromBase(0.0, 0.0);
  ASSERT_NE(pLeft, nullptr);
  const double step = pLeft->GetWidth() + 0.9;
  CUnitItem* pMiddle = PlaceGliderFromBase(step, 0.0);
  ASSERT_NE(pMiddle, nullptr);
  ASSERT_TRUE(JoinGliderToTheLeft(pLeft, pMiddle));
  CUnitItem* pRight = PlaceGliderFromBase(pMiddle->GetOffset().GetX() - pLeft->GetOffset().GetX() + step, 0.0);
  ASSERT_NE(pRight, nullptr);
  ASSERT_TRUE(JoinGliderToTheLeft(pMiddle, pRight));
  View()->DeselectAll();
  View()->Invalidate(TRUE);
  Pump();
  ASSERT_EQ(Joins().size(), 2u);
  // Each marker as it runs, and the surface around its code, in the order of the markers: a join
  // kept aside while a unit is dragged comes back last.
  auto markers = [this] {
    std::vector<std::pair<CPoint, CPoint>> ends;
    for (CJoinItem* pJoin : Joins()) {
      CVRX2DEntityArray outline;
      pJoin->GetOutlineEntities(outline);
      const auto& marker = *static_cast<const CVRX2DLine*>(outline[1]);
      ends.emplace_back(View()->WorldToClient(marker.GetStartPoint()), View()->WorldToClient(marker.GetEndPoint()));
    }
    std::sort(ends.begin(), ends.end(), [](const auto& a, const auto& b) {
      return std::make_pair(a.first.x, a.first.y) < std::make_pair(b.first.x, b.first.y);
    });
    return ends;
  };
  auto codes = [&](const std::vector<std::pair<CPoint, CPoint>>& ends) {
    std::vector<std::vector<QRgb>> pictures;
    for (const auto& [start, end] : ends)
      pictures.push_back(Pixels(Surface(), CodeArea(start)));
    return pictures;
  };
  const auto before = markers();
  const auto shown = codes(before);
  const char* names[] = {"left", "middle", "right"};
  int unit = 0;
  for (CUnitItem* pUnit : {pLeft, pMiddle, pRight}) {
    const double width = pUnit->GetWidth();
    const double height = pUnit->GetHeight();
    View()->DeselectAll();
    View()->Select(pUnit);
    Pump();
    for (int handle = 0; handle < pUnit->GetSizingHandles(View())->GetSize(); ++handle) {
      SCOPED_TRACE(::testing::Message() << "handle " << handle << " of the " << names[unit] << " glider");
      const CPoint grip = View()->WorldToClient(pUnit->GetHandlePoint(handle, View()));
      Drag(grip, CPoint(grip.x + 6, grip.y + 6));
      ASSERT_DOUBLE_EQ(pUnit->GetWidth(), width) << "the glider's size is fixed";
      ASSERT_DOUBLE_EQ(pUnit->GetHeight(), height);
      View()->DeselectAll();
      View()->UpdateWindow();
      Pump();
      ASSERT_EQ(Joins().size(), 2u);
      EXPECT_EQ(markers(), before) << "a join's marker turned";
      const auto now = codes(before);
      for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(Differences(now[i], shown[i], CodeArea(before[i].first)), "") << "the code of join " << i << " moved";
      View()->Select(pUnit);
      Pump();
    }
    ++unit;
  }
}

// While a joined glider is dragged, the place of the join the move keeps aside shows what a
// repaint shows there with the move's image over it: the outline whole. The join's place is
// painted as the move starts; painted only after the move's first inverted image was drawn over
// it, it lost that image's pixels, and the next step's erasing of the image inverted the outline
// there instead, until the drop.
TEST_F(WbRatioTest, WhereAJoinStoodTheOutlineStaysWholeWhileItsUnitIsDragged)
{
  CUnitItem* pLeft = PlaceGliderFromBase(0.0, 0.0);
  ASSERT_NE(pLeft, nullptr);
  CUnitItem* pRight = PlaceGliderFromBase(pLeft->GetWidth() + 0.9, 0.0);
  ASSERT_NE(pRight, nullptr);
  ASSERT_TRUE(JoinGliderToTheLeft(pLeft, pRight));
  ASSERT_EQ(Joins().size(), 1u);
  CVRX2DEntityArray outline;
  Joins()[0]->GetOutlineEntities(outline);
  const CRect area = CodeArea(View()->WorldToClient(static_cast<const CVRX2DLine*>(outline[1])->GetStartPoint()));
  View()->DeselectAll();
  View()->Select(pRight);
  View()->Invalidate(TRUE);
  Pump();
  const CPoint grip = View()->WorldToClient(pRight->GetCenterPoint());
  const std::vector<CSize> steps{CSize(12, 0), CSize(40, 0), CSize(80, 0)};
  const CRect client = View()->GetClientRect();
  ASSERT_TRUE(client.PtInRect(area.TopLeft()) && client.PtInRect(area.BottomRight()) &&
              client.PtInRect(grip + steps.back()));
  std::vector<QRgb> shown;
  std::vector<QRgb> repainted;
  DragInSteps(grip, steps, [&] {
    ASSERT_TRUE(Joins().empty()) << "the move keeps the join aside";
    shown = Pixels(Surface(), area);
    View()->Invalidate(TRUE);
    View()->UpdateWindow();
    View()->GetTracker()->RedrawFeedback();
    repainted = Pixels(Surface(), area);
    View()->GetTracker()->RedrawFeedback();
  });
  ASSERT_FALSE(shown.empty()) << "the drag ran";
  EXPECT_GT(pRight->GetOffset().GetX() - pLeft->GetOffset().GetX(), pLeft->GetWidth() + 10.0) << "the glider moved";
  EXPECT_EQ(Differences(shown, repainted, area), "") << "pixels where the join stood that a repaint does not show";
}
