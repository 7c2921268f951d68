// Guards the line segment behaviour on the Workbench: an end dragged with Shift held makes the
// line exactly horizontal or vertical, by which way the pointer leans from the other end, and the
// selector line drawn by the detail selector tool is such a line segment, showing its size in the
// status bar while it is selected and nothing after.
#include <QTimer>

#include "WbGuiFixture.h"
#include "geometry/2dline.h"
#include "project/DocServices.h"
#include "support/Unitscvt.h"
#include "workbench/items/Lineitem.h"
#include "workbench/items/Selector.h"

namespace {
constexpr UINT kDetailViewOn = 1706;
constexpr int kLineCategory = 12;
// A quarter scale: 24 pixels to the inch, so whole inches are whole pixels.
constexpr double kScale = 0.25;
constexpr int kPixelsPerInch = 24;

// A bare line segment placed on the design, as the join item's base is.
class CBareLine : public CLineSegmentItem
{
public:
  explicit CBareLine(const CVRX2DLine& line)
  {
    m_vOffset = line.GetStartPoint().AsVector();
    SetUpLine(line);
  }
};

void SendMouseWith(CWnd* pWnd, QEvent::Type type, CPoint point, Qt::MouseButton button, Qt::MouseButtons buttons,
                   Qt::KeyboardModifiers modifiers)
{
  QWidget* widget = pWnd->m_hWnd;
  const QPointF local(point.x, point.y);
  QMouseEvent event(type, local, local, widget->mapToGlobal(local), button, buttons, modifiers);
  QCoreApplication::sendEvent(widget, &event);
}

class WbLineItemTest : public WorkbenchGuiTest
{
protected:
  void SetUp() override
  {
    WorkbenchGuiTest::SetUp();
    StartProgram();
    View()->SetScaleFactor(kScale, TRUE);
    Pump();
  }
  CString Pane() const { return MainFrame()->GetStatusBar()->GetPaneText(1); }
  static CString Expected(double x)
  {
    return "Line at " + CUnitsConverter().FormatLength(GetDocServices().GetMeasurementUnits(), x);
  }
  // A horizontal line two inches long, selected, its start at a whole pixel.
  CBareLine* PlaceLine()
  {
    const CVRX2DPoint start = View()->ClientToWorld(CPoint(100, 300));
    auto* pLine = new CBareLine(CVRX2DLine(kLineCategory, start, start + CVRX2DVector(2.0, 0.0)));
    View()->AddItem(pLine, TRUE);
    View()->Select(pLine);
    Pump();
    return pLine;
  }
  // The end handle dragged by the select tool to (dx, dy) inches from the line's start.
  void DragEnd(CBareLine* pLine, double dx, double dy, Qt::KeyboardModifiers modifiers)
  {
    const CPoint from = View()->WorldToClient(pLine->GetLine().GetEndPoint());
    const CPoint start = View()->WorldToClient(pLine->GetLine().GetStartPoint());
    const CPoint to(start.x + static_cast<int>(dx * kPixelsPerInch), start.y - static_cast<int>(dy * kPixelsPerInch));
    CWnd* pView = View();
    for (int step = 1; step <= 3; ++step) {
      const CPoint at(from.x + (to.x - from.x) * step / 3, from.y + (to.y - from.y) * step / 3);
      QTimer::singleShot(0, [pView, at, modifiers] {
        SendMouseWith(pView, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton, modifiers);
      });
    }
    QTimer::singleShot(0, [pView, to, modifiers] {
      SendMouseWith(pView, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, modifiers);
    });
    SendMouseWith(pView, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, modifiers);
    Pump();
  }
};
}  // namespace

TEST_F(WbLineItemTest, AnEndDraggedWithShiftMakesTheLineHorizontalOrVertical)
{
  CBareLine* pLine = PlaceLine();
  const CVRX2DPoint fixed = pLine->GetLine().GetStartPoint();
  DragEnd(pLine, 10.0, 3.0, Qt::ShiftModifier);
  EXPECT_EQ(pLine->GetLine().GetStartPoint(), fixed);
  EXPECT_NEAR(pLine->GetLine().GetEndPoint().GetX(), fixed.GetX() + 10.0, 1e-9);
  EXPECT_DOUBLE_EQ(pLine->GetLine().GetEndPoint().GetY(), fixed.GetY()) << "horizontal";
  EXPECT_TRUE(pLine->GetLine().IsHorizontal());
  DragEnd(pLine, 3.0, 10.0, Qt::ShiftModifier);
  EXPECT_DOUBLE_EQ(pLine->GetLine().GetEndPoint().GetX(), fixed.GetX()) << "vertical";
  EXPECT_TRUE(pLine->GetLine().IsVertical());
  EXPECT_NEAR(pLine->GetLine().GetEndPoint().GetY(), fixed.GetY() + 10.0, 1e-9);
  DragEnd(pLine, 5.0, 5.0, Qt::ShiftModifier);
  EXPECT_NEAR(pLine->GetLine().GetEndPoint().GetX(), fixed.GetX() + 5.0, 1e-9);
  EXPECT_DOUBLE_EQ(pLine->GetLine().GetEndPoint().GetY(), fixed.GetY()) << "a tie is horizontal";
  // Without Shift the end follows the pointer on both axes.
  DragEnd(pLine, 10.0, 3.0, Qt::NoModifier);
  EXPECT_NEAR(pLine->GetLine().GetEndPoint().GetX(), fixed.GetX() + 10.0, 1e-9);
  EXPECT_NEAR(pLine->GetLine().GetEndPoint().GetY(), fixed.GetY() + 3.0, 1e-9);
  EXPECT_EQ(pLine->GetSizingHandles(View())->GetAt(1)->GetPoint(), pLine->GetLine().GetEndPoint());
}

TEST_F(WbLineItemTest, ALineSegmentShowsItsPlaceWhileSelected)
{
  CBareLine* pLine = PlaceLine();
  EXPECT_EQ(Pane(), Expected(pLine->GetOffset().GetX()));
  View()->Deselect(pLine);
  EXPECT_EQ(Pane(), "");
}

TEST_F(WbLineItemTest, TheSelectLineIsALineSegmentThatShowsItsSizeWhileSelected)
{
  const CVRX2DPoint at = View()->ClientToWorld(CPoint(150, 200));
  CSelectLineItem line(at.AsVector());
  CLineSegmentItem* pSegment = &line;
  EXPECT_EQ(line.GetItemType(), ditSelectLine);
  EXPECT_EQ(pSegment->GetLine().GetCategory(), kLineCategory);
  EXPECT_EQ(pSegment->GetLine().GetLength(), 0.0);
  ASSERT_EQ(line.GetSizingHandles(View())->GetSize(), 2);
  line.Select(View());
  EXPECT_EQ(Pane(), Expected(at.GetX()));
  // Hit within five pixels of the line and not beyond, as a line segment is.
  EXPECT_TRUE(line.HitTest(View()->ClientToWorld(CPoint(154, 200)), View()));
  EXPECT_FALSE(line.HitTest(View()->ClientToWorld(CPoint(157, 200)), View()));
  line.Deselect(View());
  EXPECT_EQ(Pane(), "");
  std::unique_ptr<CDesignItem> copy(line.Clone());
  ASSERT_NE(dynamic_cast<CSelectLineItem*>(copy.get()), nullptr);
  EXPECT_EQ(static_cast<CSelectLineItem*>(copy.get())->GetLine().GetStartPoint(), at);
}

// The detail selector tool's line shows its place while it is dragged out, and nothing of it is
// left in the status bar once it has been used.
TEST_F(WbLineItemTest, TheDetailToolsLineShowsItsPlaceWhileDraggedAndClearsIt)
{
  View()->SendMessage(WM_COMMAND, kDetailViewOn);
  Pump();
  const CPoint from(120, 220);
  const CPoint to(180, 220);
  const CVRX2DPoint press = View()->ClientToWorld(from);
  CString during;
  CWnd* pView = View();
  QTimer::singleShot(0, [pView, to] { SendMouse(pView, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton); });
  QTimer::singleShot(0, [this, &during] { during = Pane(); });
  QTimer::singleShot(0,
                     [pView, to] { SendMouse(pView, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton); });
  SendMouse(pView, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  Pump();
  EXPECT_EQ(during, Expected(press.GetX()));
  EXPECT_EQ(Pane(), "");
}
