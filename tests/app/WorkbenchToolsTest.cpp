// Guards the Workbench tools on a real Workbench through real mouse and key events: the select
// tool's selection rules with Shift and Ctrl, the drag threshold, the ways a drag ends, the
// one-shot tools with Lock Tool and Shift, the unit tool's failures, the context menus by what
// lies under the pointer, the zoom steps and the fit scales, the resize throttles and the
// cursor of each tool and mode.
#include <cmath>

#include <QTest>

#include "WbGuiFixture.h"
#include "geometry/2dline.h"
#include "model/Unit.h"
#include "model/Unitutil.h"
#include "ui/frame/Menu.h"
#include "ui/wnd/Cursor.h"
#include "ui/draw/Dc.h"
#include "ui/draw/ImageData.h"
#include "ui/wnd/WndImpl.h"
#include "geometry/2dmatrix.h"
#include "workbench/items/Guideitem.h"
#include "workbench/scale/Scalexlt.h"
#include "workbench/items/Tracker.h"
#include "workbench/tools/Wbzoom.h"
#include "workbench/frame/Wbids.h"

namespace {

// Stands in for a join item: a small square around a point.
class CSquareJoin : public CDesignItem
{
public:
  explicit CSquareJoin(const CVRX2DPoint& centre) : CDesignItem(ditJoin), m_centre(centre) {}
  BOOL HitTest(const CVRX2DPoint& point, CWorkbenchView*) override
  {
    return std::abs(point.GetX() - m_centre.GetX()) < 3.0 && std::abs(point.GetY() - m_centre.GetY()) < 3.0;
  }

private:
  CVRX2DPoint m_centre;
};

void SendInput(CWnd* pWnd, QEvent::Type type, CPoint point, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
  QWidget* widget = pWnd->m_hWnd;
  const QPointF local(point.x, point.y);
  QMouseEvent event(type, local, local, widget->mapToGlobal(local), button, buttons, modifiers);
  QCoreApplication::sendEvent(widget, &event);
}

void SendKey(CWnd* pWnd, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
  QKeyEvent event(type, key, modifiers);
  QCoreApplication::sendEvent(pWnd->m_hWnd, &event);
}

// How a drag of the test ends.
enum class End
{
  Release,
  Escape,
  RightPress,
  RightRelease
};

class WorkbenchToolsTest : public WorkbenchGuiTest
{
protected:
  void SetUp() override
  {
    WorkbenchGuiTest::SetUp();
    StartProgram();
    View()->SetScaleFactor(0.02, TRUE);
    Pump();
  }

  CUnitItem* PlaceGliderAt(CPoint point) { return PlaceUnit(CommandFor("GL", "BA005"), point); }
  CPoint CentreOf(CDesignItem* pItem) { return View()->WorldToClient(pItem->GetCenterPoint()); }

  // Two gliders side by side, nothing selected.
  void PlaceTwo()
  {
    const CRect client = View()->GetClientRect();
    m_pA = PlaceGliderAt(CPoint(client.Width() / 8, client.Height() * 3 / 4));
    ASSERT_NE(m_pA, nullptr);
    const CPoint right = View()->WorldToClient(
        CVRX2DPoint(m_pA->GetOffset().GetX() + m_pA->GetWidth() + 20.0, m_pA->GetOffset().GetY()));
    m_pB = PlaceGliderAt(CPoint(right.x, client.Height() * 3 / 4));
    ASSERT_NE(m_pB, nullptr);
    View()->DeselectAll();
  }

  void ClickWith(CPoint point, Qt::KeyboardModifiers modifiers)
  {
    CWnd* pView = View();
    // The release comes once the press has run (a press on an item runs the drag loop).
    QTimer::singleShot(0, [pView, point, modifiers] {
      SendInput(pView, QEvent::MouseButtonRelease, point, Qt::LeftButton, Qt::NoButton, modifiers);
    });
    SendInput(pView, QEvent::MouseButtonPress, point, Qt::LeftButton, Qt::LeftButton, modifiers);
    Pump();
  }

  // A left drag in one step; during() runs inside the loop once it has taken the movement. A
  // drag that the right button or Esc ends gets its left release after the loop, as a user's.
  void DragWith(CPoint from, CPoint to, End end, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                std::function<void()> during = nullptr)
  {
    CWnd* pView = View();
    QTimer::singleShot(0, [pView, to, end, modifiers, during] {
      SendInput(pView, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, modifiers);
      QTimer::singleShot(0, [pView, to, end, modifiers, during] {
        if (during)
          during();
        if (end == End::Escape)
          SendKey(pView, QEvent::KeyPress, Qt::Key_Escape);
        else if (end == End::RightPress)
          SendInput(pView, QEvent::MouseButtonPress, to, Qt::RightButton, Qt::LeftButton | Qt::RightButton, modifiers);
        else if (end == End::RightRelease)
          SendInput(pView, QEvent::MouseButtonRelease, to, Qt::RightButton, Qt::LeftButton, modifiers);
        else
          SendInput(pView, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, modifiers);
      });
    });
    SendInput(pView, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, modifiers);
    Pump();
    if (end != End::Release) {
      SendInput(pView, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, modifiers);
      Pump();
    }
  }

  void RightClick(CPoint point)
  {
    SendInput(View(), QEvent::MouseButtonPress, point, Qt::RightButton, Qt::RightButton);
    SendInput(View(), QEvent::MouseButtonRelease, point, Qt::RightButton, Qt::NoButton);
    Pump();
  }

  std::vector<CDesignItem*> Selection() const
  {
    std::vector<CDesignItem*> items;
    const CObList& list = View()->GetSelectedItems();
    // The temporary move group of a press on several items is no item of the design.
    for (POSITION pos = list.GetHeadPosition(); pos;)
      if (auto* pItem = static_cast<CDesignItem*>(list.GetNext(pos)); pItem->GetItemType() != ditMoveGroup)
        items.push_back(pItem);
    return items;
  }

  int Count(const char* text) const
  {
    int count = 0;
    for (const CString& message : Messages())
      count += message == text;
    return count;
  }

  CUnitItem* m_pA = nullptr;
  CUnitItem* m_pB = nullptr;
};

using Items = std::vector<CDesignItem*>;
}  // namespace

TEST_F(WorkbenchToolsTest, ShiftAndCtrlClicksFollowTheSelectionRules)
{
  PlaceTwo();
  const CPoint a = CentreOf(m_pA);
  const CPoint b = CentreOf(m_pB);
  ClickWith(a, Qt::NoModifier);
  EXPECT_EQ(Selection(), Items({m_pA}));
  ClickWith(b, Qt::NoModifier);
  EXPECT_EQ(Selection(), Items({m_pB}));
  // Shift adds an unselected item on the press and keeps it after the release.
  ClickWith(a, Qt::ShiftModifier);
  EXPECT_EQ(Selection(), Items({m_pB, m_pA}));
  // A plain press on one of several keeps them all during the press; the release leaves it alone.
  size_t duringPress = 0;
  CWnd* pView = View();
  QTimer::singleShot(0, [&duringPress, this, pView, a] {
    duringPress = Selection().size();
    SendInput(pView, QEvent::MouseButtonRelease, a, Qt::LeftButton, Qt::NoButton);
  });
  SendInput(pView, QEvent::MouseButtonPress, a, Qt::LeftButton, Qt::LeftButton);
  Pump();
  EXPECT_EQ(duringPress, 2u);
  EXPECT_EQ(Selection(), Items({m_pA}));
  // Shift-click on a selected item takes it out; Ctrl toggles the same way.
  ClickWith(b, Qt::ShiftModifier);
  ClickWith(a, Qt::ShiftModifier);
  EXPECT_EQ(Selection(), Items({m_pB}));
  ClickWith(a, Qt::ControlModifier);
  EXPECT_EQ(Selection(), Items({m_pB, m_pA}));
  ClickWith(b, Qt::ControlModifier);
  EXPECT_EQ(Selection(), Items({m_pA}));
  // A press on nothing clears the selection.
  ClickWith(CPoint(View()->GetClientRect().Width() - 3, 3), Qt::NoModifier);
  EXPECT_TRUE(Selection().empty());
}

TEST_F(WorkbenchToolsTest, ADragCancelledWithEscapeStillCountsAsADrag)
{
  PlaceTwo();
  const CPoint a = CentreOf(m_pA);
  ClickWith(a, Qt::NoModifier);
  ClickWith(CentreOf(m_pB), Qt::ShiftModifier);
  const CVRX2DVector before = m_pA->GetOffset();
  DragWith(a, CPoint(a.x + 25, a.y), End::Escape, Qt::ShiftModifier);
  EXPECT_EQ(m_pA->GetOffset(), before) << "cancelled";
  EXPECT_EQ(Selection(), Items({m_pA, m_pB})) << "a Shift release after a drag does not toggle";
  EXPECT_EQ(View()->GetTracker(), nullptr);
}

TEST_F(WorkbenchToolsTest, APressTurnsIntoADragAtFourPixelsOnEitherAxis)
{
  PlaceTwo();
  // The glider must follow the pointer: nothing may snap it back onto the other's lines.
  View()->SetAlignmentModes(1, 1);
  View()->SetAutoJoin(FALSE);
  const CPoint a = CentreOf(m_pA);
  ClickWith(a, Qt::NoModifier);
  const CVRX2DVector start = m_pA->GetOffset();
  DragWith(a, CPoint(a.x + 3, a.y - 3), End::Release);
  EXPECT_EQ(m_pA->GetOffset(), start) << "three pixels each way is a click";
  DragWith(a, CPoint(a.x, a.y - 4), End::Release);
  const CVRX2DVector moved = View()->ClientToWorld(CPoint(a.x, a.y - 4)) - View()->ClientToWorld(a);
  EXPECT_NEAR(m_pA->GetOffset().GetY(), start.GetY() + moved.GetY(), 1e-9);
  EXPECT_EQ(m_pA->GetOffset().GetX(), start.GetX());
}

TEST_F(WorkbenchToolsTest, TheRightButtonCancelsAMoveByPressAndFinishesItByRelease)
{
  PlaceTwo();
  const CPoint a = CentreOf(m_pA);
  ClickWith(a, Qt::NoModifier);
  const CVRX2DVector start = m_pA->GetOffset();
  DragWith(a, CPoint(a.x + 30, a.y), End::RightPress);
  EXPECT_EQ(m_pA->GetOffset(), start);
  DragWith(a, CPoint(a.x + 30, a.y), End::Escape);
  EXPECT_EQ(m_pA->GetOffset(), start);
  service.popupMenus.clear();
  DragWith(a, CPoint(a.x + 30, a.y), End::RightRelease);
  EXPECT_GT(m_pA->GetOffset().GetX(), start.GetX());
  EXPECT_EQ(View()->GetTracker(), nullptr);
}

TEST_F(WorkbenchToolsTest, AResizeIgnoresTheRightButtonReleaseAndDoesNotAutoscroll)
{
  View()->SetScaleFactor(0.05, TRUE);
  Pump();
  const CRect client = View()->GetClientRect();
  CUnitItem* pUnit = PlaceGliderAt(CPoint(client.Width() / 4, client.Height() * 3 / 4));
  ASSERT_NE(pUnit, nullptr);
  const double width = pUnit->GetWidth();
  const CPoint grip = View()->WorldToClient(pUnit->GetHandlePoint(2, View()));
  const CPoint to = View()->WorldToClient(pUnit->GetHandlePoint(2, View()) + CVRX2DVector(12.0, 12.0));
  const CPoint scroll = View()->GetDeviceScrollPosition();
  CWorkbenchView* pView = View();
  // The right release comes before the left one: it must not end the resize.
  DragWith(grip, to, End::Release, Qt::NoModifier, [pView, client, to] {
    SendInput(pView, QEvent::MouseMove, CPoint(client.right + 30, to.y), Qt::NoButton, Qt::LeftButton);
    pView->PostMessage(WM_TIMER, kAutoscrollTimer, 0);
    SendInput(pView, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    SendInput(pView, QEvent::MouseButtonRelease, to, Qt::RightButton, Qt::LeftButton);
  });
  EXPECT_EQ(View()->GetDeviceScrollPosition(), scroll) << "no autoscroll during a resize";
  EXPECT_DOUBLE_EQ(pUnit->GetWidth(), width + 12.0) << "the left release finished it";
}

TEST_F(WorkbenchToolsTest, TheResizeFeedbackFollowsTheTimeAndDistanceThrottles)
{
  View()->SetScaleFactor(0.05, TRUE);
  Pump();
  const CRect client = View()->GetClientRect();
  CUnitItem* pUnit = PlaceGliderAt(CPoint(client.Width() / 4, client.Height() * 3 / 4));
  ASSERT_NE(pUnit, nullptr);
  const CVRX2DPoint corner = pUnit->GetHandlePoint(2, View());
  const CPoint grip = View()->WorldToClient(corner);
  CWorkbenchView* pView = View();
  auto proposedWidth = [pUnit] {
    CVRX2DEntityArray outline;
    pUnit->GetUnit()->GetProposedOutlineEntities(outline);
    const CVRX2DRectangle extents = outline.GetExtents();
    return extents.GetMaxPoint().GetX() - extents.GetMinPoint().GetX();
  };
  auto at = [pView, corner](double dx) { return pView->WorldToClient(corner + CVRX2DVector(dx, 0.0)); };
  // Runs a resize with moves to +12, +21 and +36 inches (the standard widths are 12 inches
  // apart), a tick of the throttle timer before the last one, and records the proposed width
  // after each move has been taken.
  std::vector<double> widths;
  std::function<void(int)> step = [&](int n) {
    const double dx[] = {12.0, 21.0, 36.0};
    if (n > 0)
      widths.push_back(proposedWidth());
    if (n == 3) {
      SendKey(pView, QEvent::KeyPress, Qt::Key_Escape);
      return;
    }
    // The tick is posted; the movement must come after it.
    if (n == 2)
      pView->PostMessage(WM_TIMER, 57, 0);
    const CPoint to = at(dx[n]);
    QTimer::singleShot(0, [&step, pView, to, n] {
      SendInput(pView, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
      QTimer::singleShot(0, [&step, n] { step(n + 1); });
    });
  };
  auto run = [&] {
    widths.clear();
    QTimer::singleShot(0, [&step] { step(0); });
    SendInput(pView, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    Pump();
    SendInput(pView, QEvent::MouseButtonRelease, at(36.0), Qt::LeftButton, Qt::NoButton);
    Pump();
  };
  const double width = pUnit->GetWidth();
  run();
  ASSERT_EQ(widths.size(), 3u);
  EXPECT_EQ(widths[0], width + 12.0);
  EXPECT_EQ(widths[1], width + 24.0) << "unthrottled, every movement updates";
  EXPECT_EQ(widths[2], width + 36.0);
  // A time threshold that no tick reaches by itself: one update, then one per tick.
  ShellApp().SetResizeThresholds(1000000, 0.0);
  run();
  ASSERT_EQ(widths.size(), 3u);
  EXPECT_EQ(widths[0], width + 12.0);
  EXPECT_EQ(widths[1], width + 12.0) << "the second movement came before a tick";
  EXPECT_EQ(widths[2], width + 36.0);
  // A distance threshold of 10 inches: 9 inches on from the last update is too short.
  ShellApp().SetResizeThresholds(0, 10.0);
  run();
  ASSERT_EQ(widths.size(), 3u);
  EXPECT_EQ(widths[0], width + 12.0);
  EXPECT_EQ(widths[1], width + 12.0);
  EXPECT_EQ(widths[2], width + 36.0) << "24 inches from the last update";
  EXPECT_EQ(pUnit->GetWidth(), width) << "each run was cancelled";
}

TEST_F(WorkbenchToolsTest, LockToolAndShiftKeepAToolAndTheToolCommandsShowIt)
{
  const UINT nID = CommandFor("GL", "BA005");
  const CRect client = View()->GetClientRect();
  EXPECT_EQ(StateOf(ID_LOCK_TOOL).checked, 0);
  Command(ID_LOCK_TOOL);
  EXPECT_EQ(StateOf(ID_LOCK_TOOL).checked, 1);
  Command(nID);
  ClickWith(CPoint(client.Width() / 8, client.Height() * 3 / 4), Qt::NoModifier);
  ClickWith(CPoint(client.Width() / 2, client.Height() * 3 / 4), Qt::NoModifier);
  EXPECT_EQ(View()->GetItemList()->GetCount(), 2) << "every click places another unit";
  EXPECT_EQ(View()->GetCurrentTool(), View()->GetTool(wbtUnit));
  Command(ID_LOCK_TOOL);
  EXPECT_EQ(StateOf(ID_LOCK_TOOL).checked, 0);
  ClickWith(CPoint(client.Width() / 8, client.Height() / 4), Qt::ShiftModifier);
  EXPECT_EQ(View()->GetItemList()->GetCount(), 3);
  EXPECT_EQ(View()->GetCurrentTool(), View()->GetTool(wbtUnit)) << "Shift held at the release";
  ClickWith(CPoint(client.Width() / 2, client.Height() / 4), Qt::NoModifier);
  EXPECT_EQ(View()->GetItemList()->GetCount(), 4);
  EXPECT_EQ(View()->GetCurrentTool(), View()->GetTool(wbtSelect));
  EXPECT_EQ(StateOf(ID_SELECT_TOOL).checked, 1);
  // The join tool acts once and changes nothing.
  Command(ID_JOIN_TOOL);
  EXPECT_EQ(StateOf(ID_JOIN_TOOL).checked, 1);
  EXPECT_EQ(StateOf(ID_SELECT_TOOL).checked, 0);
  ClickWith(CPoint(client.Width() - 5, 5), Qt::NoModifier);
  EXPECT_EQ(View()->GetItemList()->GetCount(), 4);
  EXPECT_EQ(View()->GetCurrentTool(), View()->GetTool(wbtSelect));
  // Read-only: the tool commands are disabled, Lock Tool and zooming are not.
  View()->SetReadOnly(TRUE);
  EXPECT_FALSE(StateOf(ID_SELECT_TOOL).enabled);
  EXPECT_FALSE(StateOf(ID_JOIN_TOOL).enabled);
  EXPECT_TRUE(StateOf(ID_LOCK_TOOL).enabled);
  EXPECT_TRUE(StateOf(ID_ZOOM_IN).enabled);
  EXPECT_TRUE(StateOf(ID_ZOOM_OUT).enabled);
}

TEST_F(WorkbenchToolsTest, AUnitThatCannotBeMadeIsReportedAndNothingIsAdded)
{
  // A key the unit factory knows without a class for it.
  CString noClassType;
  CString noClassSubtype;
  for (int i = 0; i < CUnitTypeMap::kKeyCount && noClassType.IsEmpty(); ++i) {
    const CString key = CUnitTypeMap::GetKey(i);
    BOOL hasClass = TRUE;
    MakeUnit(key.Left(2), key.Mid(2), &hasClass);
    if (!hasClass) {
      noClassType = key.Left(2);
      noClassSubtype = key.Mid(2);
    }
  }
  ASSERT_FALSE(noClassType.IsEmpty());
  const CPoint at(View()->GetClientRect().Width() / 2, View()->GetClientRect().Height() / 2);
  View()->SetUnitTool(noClassType, noClassSubtype);
  ClickWith(at, Qt::NoModifier);
  const CString text = "The CUnit class for " + noClassType + " - " + noClassSubtype + " is not impelemented yet.";
  EXPECT_EQ(Count(text.c_str()), 1);
  // A subtype the catalogue does not hold: the factory throws, which the tool reports.
  View()->SetUnitTool("GL", "XX999");
  ClickWith(at, Qt::NoModifier);
  EXPECT_EQ(Count("Failed to create a new unit."), 1);
  EXPECT_EQ(View()->GetItemList()->GetCount(), 0);
  ASSERT_FALSE(service.messages.empty());
  EXPECT_EQ(service.messages.back().caption, "Panecraft");
  // A unit that can be made takes the Workbench's alignment settings.
  CUnitItem* pUnit = PlaceGliderAt(at);
  ASSERT_NE(pUnit, nullptr);
  BOOL linesOff = FALSE;
  BOOL snapOff = FALSE;
  View()->GetAlignmentSettings(linesOff, snapOff);
  EXPECT_EQ(pUnit->GetShowAlignmentLines(), !linesOff);
  EXPECT_EQ(pUnit->GetSnapToAlignmentLines(), !snapOff);
}

TEST_F(WorkbenchToolsTest, TheContextMenuFollowsWhatLiesUnderThePointer)
{
  PlaceTwo();
  const CPoint a = CentreOf(m_pA);
  // Over nothing: the Workbench popup with the unit commands filled into New Window Unit.
  const UINT nID = CommandFor("GL", "BA005");
  int newUnitEntries = 0;
  service.popupActions.push_back([&newUnitEntries, nID](CMenu& menu) {
    BOOL listed = FALSE;
    // The commands stand in popups by product line.
    std::function<void(CMenu*)> count = [&](CMenu* pMenu) {
      for (int i = 0; i < static_cast<int>(pMenu->GetMenuItemCount()); ++i) {
        if (CMenu* pSub = pMenu->GetSubMenu(i)) {
          count(pSub);
          continue;
        }
        ++newUnitEntries;
        listed |= pMenu->GetMenuItemID(i) == nID;
      }
    };
    if (CMenu* pNewUnit = menu.GetSubMenu(5))
      count(pNewUnit);
    return listed ? nID : 0u;
  });
  RightClick(CPoint(View()->GetClientRect().Width() - 5, 5));
  ASSERT_EQ(service.popupMenus.size(), 1u);
  EXPECT_EQ(service.popupMenus[0][0], "Cut");
  EXPECT_EQ(service.popupMenus[0][5], "New Window Unit");
  EXPECT_EQ(newUnitEntries, MainFrame()->GetNewUnitCommands().GetCount());
  EXPECT_EQ(View()->GetCurrentTool(), View()->GetTool(wbtUnit)) << "the chosen command reached the view";
  auto* pUnitTool = static_cast<CUnitTool*>(View()->GetTool(wbtUnit));
  EXPECT_EQ(pUnitTool->GetUnitSubtype(), "BA005");
  Command(ID_SELECT_TOOL);
  // Over a unit: the unit popup, and the unit is selected by the press.
  RightClick(a);
  ASSERT_EQ(service.popupMenus.size(), 2u);
  ASSERT_EQ(service.popupMenus[1].size(), 14u);
  EXPECT_EQ(service.popupMenus[1][11], "Remove Joining");
  EXPECT_EQ(Selection(), Items({m_pA}));
  EXPECT_EQ(View()->GetCurrentTool()->GetRButtonDownPoint(), a);
  // Over a join: the join popup.
  const CVRX2DPoint free = View()->ClientToWorld(CPoint(View()->GetClientRect().Width() / 2, 20));
  auto* pJoin = new CSquareJoin(free);
  View()->AddItem(pJoin, FALSE);
  RightClick(View()->WorldToClient(free));
  ASSERT_EQ(service.popupMenus.size(), 3u);
  EXPECT_EQ(service.popupMenus[2], std::vector<CString>({"Delete", "", "Properties..."}));
  EXPECT_EQ(Selection(), Items({pJoin}));
}

TEST_F(WorkbenchToolsTest, DoubleClickingAnItemOfSeveralSaysOneAtATime)
{
  PlaceTwo();
  View()->Select(m_pA);
  View()->Select(m_pB);
  SendInput(View(), QEvent::MouseButtonDblClick, CentreOf(m_pA), Qt::LeftButton, Qt::LeftButton);
  Pump();
  EXPECT_EQ(Count("You can only edit a single item at a time."), 1);
  ASSERT_FALSE(service.messages.empty());
  EXPECT_NE(service.messages.back().type & MB_ICONINFORMATION, 0u);
}

// The keypad's plus and minus zoom one step about the window's centre and keep the current tool.
TEST_F(WorkbenchToolsTest, KeypadPlusAndMinusZoomAboutTheCentreAndKeepTheTool)
{
  View()->SetScaleFactor(0.5, TRUE);
  View()->ScrollToPosition(CVRX2DVector(200.0, 200.0));
  const CRect client = View()->GetClientRect();
  const CPoint centre(client.right / 2, client.bottom / 2);
  const CVRX2DPoint before = View()->ClientToWorld(centre);
  CWorkbenchTool* pTool = View()->GetCurrentTool();
  QTest::keyClick(View()->GetSafeHwnd(), Qt::Key_Plus, Qt::KeypadModifier);
  Pump();
  EXPECT_DOUBLE_EQ(View()->GetScaleFactor(), 0.625);
  const CVRX2DPoint after = View()->ClientToWorld(centre);
  EXPECT_NEAR(after.GetX(), before.GetX(), 2.0 / (96 * 0.625));
  EXPECT_NEAR(after.GetY(), before.GetY(), 2.0 / (96 * 0.625));
  EXPECT_EQ(View()->GetCurrentTool(), pTool);
  QTest::keyClick(View()->GetSafeHwnd(), Qt::Key_Minus, Qt::KeypadModifier);
  Pump();
  EXPECT_DOUBLE_EQ(View()->GetScaleFactor(), 0.5);
  EXPECT_EQ(View()->GetCurrentTool(), pTool);
}

TEST_F(WorkbenchToolsTest, ZoomInStepsByAQuarterUpToFullSizeAboutTheClickedPoint)
{
  Command(ID_LOCK_TOOL);
  View()->SetScaleFactor(0.5, TRUE);
  View()->ScrollToPosition(CVRX2DVector(200.0, 200.0));
  Command(ID_ZOOM_IN);
  EXPECT_EQ(StateOf(ID_ZOOM_IN).checked, 1);
  EXPECT_EQ(StateOf(ID_ZOOM_OUT).checked, 0);
  const CRect client = View()->GetClientRect();
  const CPoint click(client.Width() / 3, client.Height() / 3);
  const double expected[] = {0.625, 0.78125, 0.9765625, 1.0, 1.0};
  for (double scale : expected) {
    const CVRX2DPoint world = View()->ClientToWorld(click);
    const CPoint scroll = View()->GetDeviceScrollPosition();
    const BOOL changes = View()->GetScaleFactor() != scale;
    ClickWith(click, Qt::NoModifier);
    EXPECT_DOUBLE_EQ(View()->GetScaleFactor(), scale);
    if (!changes) {
      EXPECT_EQ(View()->GetDeviceScrollPosition(), scroll) << "a click at full size does nothing";
      continue;
    }
    const CVRX2DPoint middle = View()->ClientToWorld(CPoint(client.Width() / 2, client.Height() / 2));
    const double twoPixels = 2.0 / (96 * scale);
    EXPECT_NEAR(middle.GetX(), world.GetX(), twoPixels);
    EXPECT_NEAR(middle.GetY(), world.GetY(), twoPixels);
  }
  EXPECT_EQ(View()->GetCurrentTool(), View()->GetTool(wbtZoom)) << "locked";
  // Unlocked, a click zooms once and gives way to the select tool.
  Command(ID_LOCK_TOOL);
  View()->SetScaleFactor(0.5, TRUE);
  Command(ID_ZOOM_IN);
  ClickWith(click, Qt::NoModifier);
  EXPECT_DOUBLE_EQ(View()->GetScaleFactor(), 0.625);
  EXPECT_EQ(View()->GetCurrentTool(), View()->GetTool(wbtSelect));
}

TEST_F(WorkbenchToolsTest, ZoomOutStepsDownToTheFitScaleExactly)
{
  Command(ID_LOCK_TOOL);
  View()->SetScaleFactor(1.0, TRUE);
  Command(ID_ZOOM_OUT);
  EXPECT_EQ(StateOf(ID_ZOOM_OUT).checked, 1);
  const double fit = View()->GetFitScaleFactor(FALSE);
  ASSERT_LT(fit, 0.1);
  // The lower left corner stays inside the world however small it gets.
  const CPoint click(10, View()->GetClientRect().Height() - 10);
  double scale = 1.0;
  int clicks = 0;
  while (scale / 1.25 > fit && clicks < 100) {
    ClickWith(click, Qt::NoModifier);
    scale /= 1.25;
    ++clicks;
    ASSERT_DOUBLE_EQ(View()->GetScaleFactor(), scale) << clicks;
  }
  ClickWith(click, Qt::NoModifier);
  EXPECT_EQ(View()->GetScaleFactor(), fit);
  ClickWith(click, Qt::NoModifier);
  EXPECT_EQ(View()->GetScaleFactor(), fit) << "nothing below the fit scale";
}

TEST_F(WorkbenchToolsTest, ScaleToFitAndToSelectionShowTheUnitsWithAQuarterInchMargin)
{
  EXPECT_FALSE(StateOf(ID_SCALE_TO_FIT).enabled);
  EXPECT_FALSE(StateOf(ID_SCALE_TO_SELECTION).enabled);
  PlaceTwo();
  EXPECT_TRUE(StateOf(ID_SCALE_TO_FIT).enabled);
  EXPECT_FALSE(StateOf(ID_SCALE_TO_SELECTION).enabled) << "nothing selected";
  const CRect client = View()->GetClientRect();
  auto fitted = [&client](const CVRX2DRectangle& r) {
    const double w = r.GetMaxPoint().GetX() - r.GetMinPoint().GetX();
    const double h = r.GetMaxPoint().GetY() - r.GetMinPoint().GetY();
    const double usableX = client.Width() - 24 > 96 ? client.Width() - 24 : 96;
    const double usableY = client.Height() - 24 > 96 ? client.Height() - 24 : 96;
    return std::min(usableX / 96 / w, usableY / 96 / h);
  };
  // F8 scales to fit, F7 to the selection.
  View()->SetFocus();
  SendKey(View(), QEvent::KeyPress, Qt::Key_F8);
  Pump();
  const CVRX2DRectangle design = View()->GetDesignExtents();
  EXPECT_DOUBLE_EQ(View()->GetScaleFactor(), fitted(design));
  EXPECT_EQ(View()->GetCurrentTool(), View()->GetTool(wbtSelect));
  View()->Select(m_pB);
  EXPECT_TRUE(StateOf(ID_SCALE_TO_SELECTION).enabled);
  SendKey(View(), QEvent::KeyPress, Qt::Key_F7);
  Pump();
  const CVRX2DRectangle selected = View()->GetSelectedExtents();
  EXPECT_DOUBLE_EQ(View()->GetScaleFactor(), fitted(selected));
  // The selection's centre comes to the middle of the window.
  const CPoint centre =
      View()->WorldToClient(CVRX2DPoint((selected.GetMinPoint().GetX() + selected.GetMaxPoint().GetX()) / 2,
                                        (selected.GetMinPoint().GetY() + selected.GetMaxPoint().GetY()) / 2));
  EXPECT_NEAR(centre.x, client.Width() / 2, 2);
}

TEST_F(WorkbenchToolsTest, EachToolAndModeShowsItsCursor)
{
  CUnitItem* pUnit = PlaceGliderAt(CPoint(View()->GetClientRect().Width() / 4, View()->GetClientRect().Height() / 2));
  ASSERT_NE(pUnit, nullptr);
  const CPoint grip = View()->WorldToClient(pUnit->GetHandlePoint(2, View()));
  const CPoint inside = CentreOf(pUnit);
  SendInput(View(), QEvent::MouseMove, grip, Qt::NoButton, Qt::NoButton);
  const HCURSOR overHandle = GetCursor();
  EXPECT_EQ(overHandle, pUnit->GetTracker()->GetHandleCursor(2));
  SendInput(View(), QEvent::MouseMove, inside, Qt::NoButton, Qt::NoButton);
  const HCURSOR arrow = GetCursor();
  EXPECT_NE(arrow, nullptr);
  EXPECT_NE(arrow, overHandle);
  // The unit tool's cross shows at once when its command makes it current.
  Command(CommandFor("GL", "BA005"));
  const HCURSOR unit = GetCursor();
  EXPECT_NE(unit, nullptr);
  EXPECT_NE(unit, arrow);
  Command(ID_JOIN_TOOL);
  const HCURSOR join = GetCursor();
  EXPECT_NE(join, nullptr);
  EXPECT_NE(join, unit);
  // Zoom: in below full size, out above the fit scale, else the cannot-zoom sign.
  View()->SetScaleFactor(0.5, TRUE);
  Command(ID_ZOOM_IN);
  const HCURSOR zoomIn = GetCursor();
  Command(ID_ZOOM_OUT);
  const HCURSOR zoomOut = GetCursor();
  View()->SetScaleFactor(View()->GetFitScaleFactor(FALSE), TRUE);
  SendInput(View(), QEvent::MouseMove, CPoint(5, 5), Qt::NoButton, Qt::NoButton);
  const HCURSOR cannot = GetCursor();
  for (HCURSOR cursor : {zoomIn, zoomOut, cannot})
    EXPECT_NE(cursor, nullptr);
  EXPECT_NE(zoomIn, zoomOut);
  EXPECT_NE(zoomIn, cannot);
  EXPECT_NE(zoomOut, cannot);
  View()->SetScaleFactor(1.0, TRUE);
  Command(ID_ZOOM_IN);
  EXPECT_EQ(GetCursor(), cannot) << "at full size zoom in cannot change anything";
  // While an item moves, the tracker's move cursor shows.
  Command(ID_SELECT_TOOL);
  View()->SetScaleFactor(0.02, TRUE);
  Pump();
  const CPoint from = CentreOf(pUnit);
  HCURSOR whileMoving = nullptr;
  DragWith(from, CPoint(from.x + 20, from.y), End::Release, Qt::NoModifier,
           [&whileMoving] { whileMoving = GetCursor(); });
  EXPECT_EQ(whileMoving, CTracker::GetSharedCursor(kCursorMove));
}

namespace {
// An item whose outline is one line across the Workbench at a height.
class CLevelLine : public CDesignItem
{
public:
  explicit CLevelLine(double y) : CDesignItem(ditBase), m_y(y) {}
  int GetOutlineEntities(CVRX2DEntityArray& out) const override
  {
    out.Add(new CVRX2DLine(0, CVRX2DPoint(0.0, m_y), CVRX2DPoint(kWorkbenchSquare, m_y)));
    return out.GetSize();
  }

private:
  double m_y;
};

// A guideline stand-in at an angle.
class CAngledItem : public CDesignItem
{
public:
  explicit CAngledItem(double radians) : CDesignItem(ditGuideline) { m_Angle.SetRadians(radians); }
};
}  // namespace

TEST_F(WorkbenchToolsTest, AHorizontalLineTrackerMovesOnlyUpAndDownAndLeavesNoTrace)
{
  const CRect client = View()->GetClientRect();
  const CPoint from(client.Width() / 2, client.Height() / 2);
  const CVRX2DPoint start = View()->ClientToWorld(from);
  CLevelLine item(start.GetY());
  CSelectorTracker tracker(View(), &item, TRUE);
  CWorkbenchView* pView = View();
  const CPoint to(from.x + 40, from.y - 30);
  // Pixels of the surface that differ from white on the rows around the pointer (a dotted line
  // leaves gaps).
  auto inked = [pView, to] {
    int count = 0;
    for (int y = to.y - 1; y <= to.y + 1; ++y)
      for (int x = to.x; x < to.x + 20; ++x)
        count += pView->GetSurfacePixel(x, y) != RGB(255, 255, 255);
    return count;
  };
  const int before = inked();
  int during = before;
  HCURSOR cursor = nullptr;
  auto track = [&](bool cancel, CVRX2DVector& offset) {
    QTimer::singleShot(0, [&, cancel] {
      SendInput(pView, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
      QTimer::singleShot(0, [&, cancel] {
        during = inked();
        cursor = GetCursor();
        if (cancel)
          SendKey(pView, QEvent::KeyPress, Qt::Key_Escape);
        else
          SendInput(pView, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
      });
    });
    return tracker.Track(start, &offset);
  };
  CVRX2DVector offset;
  EXPECT_EQ(track(false, offset), trkMoved);
  Pump();
  EXPECT_EQ(offset.GetX(), 0.0) << "a horizontal line keeps its x";
  EXPECT_NEAR(offset.GetY(), (View()->ClientToWorld(to) - start).GetY(), 1e-9);
  EXPECT_GT(during, before) << "the line showed at the pointer's height";
  EXPECT_EQ(cursor, CTracker::GetSharedCursor(kCursorHorizontalLine));
  EXPECT_EQ(inked(), before) << "and was erased";
  EXPECT_EQ(track(true, offset), trkCancelled);
  EXPECT_EQ(offset, CVRX2DVector());
  EXPECT_EQ(View()->GetTracker(), nullptr);
}

TEST_F(WorkbenchToolsTest, AGuidelineHandleShowsTheCursorOfItsDirection)
{
  const double pi = 4.0 * std::atan2(1.0, 1.0);
  CAngledItem horizontal(0.0);
  CAngledItem vertical(pi / 2);
  CAngledItem angled(pi / 4);
  EXPECT_EQ(CGuidelineTracker(View(), &horizontal).GetHandleCursor(0), CTracker::GetSharedCursor(kCursorFirstPair));
  EXPECT_EQ(CGuidelineTracker(View(), &vertical).GetHandleCursor(1), CTracker::GetSharedCursor(kCursorSecondPair));
  EXPECT_EQ(CGuidelineTracker(View(), &angled).GetHandleCursor(0), CTracker::GetSharedCursor(kCursorBothPairs));
  EXPECT_NE(CTracker::GetSharedBitmap(), nullptr) << "loaded with the cursors at start-up";
}

// The move image of several selected units is drawn for all of them together, from outlines kept
// for the drag. At every step it must invert exactly the pixels the units' outlines moved by the
// drag invert when each line and arc is drawn on its own with a tracker translator, the image of
// the step before taken away again, out to the window's edge, which an arched unit crosses.
TEST_F(WorkbenchToolsTest, TheMoveImageOfSeveralUnitsIsTheirOutlinesMovedAndInvertedLineByLine)
{
  PlaceTwo();
  const CRect client = View()->GetClientRect();
  // A third glider over both others' sides, so that images and drawings overlap.
  CUnitItem* pC = PlaceGliderAt(CPoint((CentreOf(m_pA).x + CentreOf(m_pB).x) / 2, CentreOf(m_pA).y - 6));
  ASSERT_NE(pC, nullptr);
  CUnitItem* pArch = PlaceUnit(CommandFor("AR", "BA011"), CPoint(client.Width() - 30, CentreOf(m_pA).y));
  ASSERT_NE(pArch, nullptr);
  CVRX2DEntityArray archOutline;
  pArch->GetOutlineEntities(archOutline);
  int arcs = 0;
  for (int i = 0; i < archOutline.GetSize(); ++i)
    arcs += archOutline[i]->GetType() == VRX_ARC;
  ASSERT_GT(arcs, 0);
  CRect archRect;
  ASSERT_TRUE(pArch->GetClientRect(archRect, View()));
  ASSERT_GT(archRect.right + 23, client.right) << "the arch's image crosses the window's edge";
  View()->SendMessage(WM_COMMAND, ID_SELECT_ALL);
  Pump();
  View()->UpdateWindow();
  const QImage before = View()->Impl()->Surface()->Image().copy();
  CWorkbenchView* pView = View();
  const std::vector<CUnitItem*> units = {m_pA, m_pB, pC, pArch};
  // The surface as the outlines moved by the image's offset, drawn one line at a time, leave it.
  auto expected = [&] {
    CImageData image(client.Width(), client.Height());
    image.Image() = before.copy();
    CDC dc;
    dc.AttachImage(&image);
    const CVRX2DVector offset = pView->GetTracker()->GetItem()->GetTrackVector();
    CTrackerTranslator translator(&dc, pView, PS_DOT);
    dc.SetROP2(R2_NOTXORPEN);
    for (CUnitItem* pUnit : units) {
      CVRX2DEntityArray outline;
      pUnit->GetOutlineEntities(outline);
      outline.Transform(CVRX2DTransformationMatrix(offset));
      for (int i = 0; i < outline.GetSize(); ++i)
        translator.TranslateEntity(*outline[i]);
    }
    return image.Image().copy();
  };
  const CPoint from = CentreOf(m_pA);
  const CPoint steps[] = {CPoint(from.x + 9, from.y + 5), CPoint(from.x + 23, from.y - 4)};
  std::vector<bool> matched;
  std::vector<bool> shown;
  QTimer::singleShot(0, [&] {
    SendInput(pView, QEvent::MouseMove, steps[0], Qt::NoButton, Qt::LeftButton);
    QTimer::singleShot(0, [&] {
      matched.push_back(pView->Impl()->Surface()->Image() == expected());
      shown.push_back(pView->Impl()->Surface()->Image() != before);
      SendInput(pView, QEvent::MouseMove, steps[1], Qt::NoButton, Qt::LeftButton);
      QTimer::singleShot(0, [&] {
        matched.push_back(pView->Impl()->Surface()->Image() == expected());
        shown.push_back(pView->Impl()->Surface()->Image() != before);
        SendInput(pView, QEvent::MouseButtonRelease, steps[1], Qt::LeftButton, Qt::NoButton);
      });
    });
  });
  SendInput(pView, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  Pump();
  EXPECT_EQ(matched, std::vector<bool>({true, true}));
  EXPECT_EQ(shown, std::vector<bool>({true, true}));
  EXPECT_NE(m_pA->GetOffset(), CVRX2DVector()) << "the drag ran";
}

// While a selection is dragged its group answers whether it can move by an offset from the boxes
// of its units taken together once. The answer must stay what asking every member gives: no
// when any one unit, whichever its place in the selection, or the guideline would leave the
// world, at the world's edge exactly as each member decides it.
TEST_F(WorkbenchToolsTest, ADraggedSelectionCanMoveExactlyWhereEachOfItsMembersCan)
{
  PlaceTwo();
  const CRect client = View()->GetClientRect();
  CUnitItem* pC = PlaceGliderAt(CPoint(client.Width() / 2, client.Height() / 2));
  ASSERT_NE(pC, nullptr);
  Command(ID_HORZ_GUIDELINE_TOOL);
  Click(CPoint(client.Width() / 2, client.Height() * 7 / 8));
  ASSERT_EQ(View()->GetItemList()->GetCount(), 4);
  View()->SendMessage(WM_COMMAND, ID_SELECT_ALL);
  Pump();
  const Items members = Selection();
  ASSERT_EQ(members.size(), 4u);
  // Offsets that take each member's box just to the world's edges and just past them.
  std::vector<CVRX2DVector> offsets = {CVRX2DVector(5.0, 5.0)};
  for (CDesignItem* pMember : members) {
    CVRX2DPoint low;
    CVRX2DPoint high;
    if (!pMember->GetMoveBox(low, high)) {
      const double y = pMember->GetOffset().GetY();
      offsets.insert(offsets.end(), {CVRX2DVector(0.0, -y - 1.0), CVRX2DVector(0.0, kWorkbenchSquare - y + 1.0)});
      continue;
    }
    for (double past : {0.0, 0.01}) {
      offsets.insert(offsets.end(), {CVRX2DVector(-low.GetX() - past, 0.0), CVRX2DVector(0.0, -low.GetY() - past),
                                     CVRX2DVector(kWorkbenchSquare - high.GetX() + past, 0.0),
                                     CVRX2DVector(0.0, kWorkbenchSquare - high.GetY() + past)});
    }
  }
  std::vector<bool> groupAnswers;
  std::vector<bool> memberAnswers;
  CWorkbenchView* pView = View();
  DragWith(CentreOf(m_pA), CentreOf(m_pA) + CSize(6, 0), End::Escape, Qt::NoModifier, [&] {
    ASSERT_NE(pView->GetTracker(), nullptr);
    const CDesignItem* pGroup = pView->GetTracker()->GetItem();
    for (const CVRX2DVector& v : offsets) {
      groupAnswers.push_back(pGroup->CanMoveTo(v) != FALSE);
      bool all = true;
      for (CDesignItem* pMember : members)
        all = all && pMember->CanMoveTo(v);
      memberAnswers.push_back(all);
    }
  });
  EXPECT_EQ(groupAnswers, memberAnswers);
  const auto refused = std::count(memberAnswers.begin(), memberAnswers.end(), false);
  EXPECT_GT(refused, 0);
  EXPECT_LT(refused, static_cast<long>(memberAnswers.size()) - 1) << "moves to an edge, and within, are allowed";
}

// Moved units keep their drawings, moved with them, instead of copying their entities again: the
// Workbench after a drag of several units, one of them arched, must show the pixels a drawing of
// every unit from its entities shows.
TEST_F(WorkbenchToolsTest, UnitsDraggedTogetherShowWhatTheirEntitiesDrawnAfreshShow)
{
  PlaceTwo();
  const CRect client = View()->GetClientRect();
  CUnitItem* pArch = PlaceUnit(CommandFor("AR", "BA011"), CPoint(client.Width() / 2, client.Height() / 2));
  ASSERT_NE(pArch, nullptr);
  View()->SendMessage(WM_COMMAND, ID_SELECT_ALL);
  Pump();
  const CVRX2DVector before = pArch->GetOffset();
  DragWith(CentreOf(m_pA), CentreOf(m_pA) + CSize(37, -21), End::Release);
  ASSERT_NE(pArch->GetOffset(), before) << "the drag ran";
  View()->DeselectAll();
  View()->UpdateWindow();
  const QImage moved = View()->Impl()->Surface()->Image().copy();
  // Made again from the units, their drawings are copied afresh.
  for (CUnitItem* pUnit : {m_pA, m_pB, pArch})
    pUnit->UpdateUnitInfo();
  View()->Invalidate(TRUE);
  View()->UpdateWindow();
  EXPECT_TRUE(View()->Impl()->Surface()->Image() == moved);
}
