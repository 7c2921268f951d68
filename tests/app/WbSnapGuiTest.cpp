// Guards snapping, alignment lines and the Workbench properties in the running program: the
// snapping test nudge, alignment lines shown on the surface and snapped to, the Workbench
// properties sheet with Apply, OK and Cancel, opened by its command and by a double click on
// empty space, where Return presses OK after Move Up greys itself, the Alignment Lines dialog,
// highlighted sides that leave with a unit nudged away or resized in its sheet, and refused drags
// that leave the units to be snapped and joined to.
#include <QApplication>
#include <QTest>

#include "WbGuiFixture.h"
#include "geometry/2dline.h"
#include "geometry/2drect.h"
#include "views/Xltdata.h"
#include "ui/dlg/PropSheet.h"
#include "workbench/tools/Wbtools.h"
#include "workbench/sheets/Wbprops.h"
#include "workbench/frame/Wbids.h"
#include "workbench/sheets/Unitpage.h"
#include "workbench/sheets/Unitsht.h"
#include "support/Unitscvt.h"

namespace {

class WbSnapGuiTest : public WorkbenchGuiTest
{
protected:
  void SetUp() override
  {
    WorkbenchGuiTest::SetUp();
    StartProgram();
    View()->SetScaleFactor(1.0 / 24.0, TRUE);
    Pump();
  }
  CUnitItem* PlaceGlider(double x, double y)
  {
    const CRect client = View()->GetClientRect();
    CUnitItem* pItem = PlaceUnit(CommandFor("GL", "BA005"), CPoint(client.Width() / 2, client.Height() / 2));
    if (pItem)
      MoveTo(pItem, x, y);
    return pItem;
  }
  void MoveTo(CDesignItem* pItem, double x, double y)
  {
    pItem->Offset(CVRX2DVector(x, y) - pItem->GetOffset());
    View()->UpdateAlignmentEntities(pItem);
  }
  double RightOf(CDesignItem* pItem) const
  {
    CVRX2DEntityArray outline;
    pItem->GetOutlineEntities(outline);
    return outline.GetExtents().GetMaxPoint().GetX();
  }
  void ViewCommand(UINT nID)
  {
    View()->SendMessage(WM_COMMAND, nID);
    Pump();
  }
  // The first two joinings of the order, taken before the sheet changes it.
  void TakeFirstTwoJoinings()
  {
    const CDWordArray& order = View()->GetJoiningOrder();
    ASSERT_GE(order.GetSize(), 2);
    m_first = order[0];
    m_second = order[1];
  }
  void ExpectFirstTwoJoiningsSwapped()
  {
    ASSERT_GE(View()->GetJoiningOrder().GetSize(), 2);
    EXPECT_EQ(View()->GetJoiningOrder()[0], m_second) << "the new order";
    EXPECT_EQ(View()->GetJoiningOrder()[1], m_first);
  }
  DWORD m_first = 0;
  DWORD m_second = 0;
};

CWorkbenchPropertiesDlg& Sheet(CDialog& dialog) { return dynamic_cast<CWorkbenchPropertiesDlg&>(dialog); }

// The sheet's joining page, brought to the front.
CWorkbenchJoiningPage& JoiningPage(CDialog& dialog)
{
  CWorkbenchPropertiesDlg& sheet = Sheet(dialog);
  sheet.SetActivePage(&sheet.m_JoiningPage);
  return sheet.m_JoiningPage;
}
}  // namespace

TEST_F(WbSnapGuiTest, TheSnappingTestMovesOnlyWhatSnapsAndOnlyOnTheAxisThatSnapped)
{
  CUnitItem* pFixed = PlaceGlider(100.0, 100.0);
  CUnitItem* pMoving = PlaceGlider(300.0, 400.0);
  ASSERT_TRUE(pFixed && pMoving);
  // The moving unit's left side 0.3 inch right of the fixed unit's right side, nothing in line
  // vertically.
  MoveTo(pMoving, RightOf(pFixed) + 0.3, 163.7);
  View()->DeselectAll();
  View()->Select(pMoving);
  ViewCommand(ID_SNAPPING_TEST);
  EXPECT_NEAR(pMoving->GetOffset().GetX(), RightOf(pFixed), 1e-9) << "onto the fixed unit's side";
  EXPECT_DOUBLE_EQ(pMoving->GetOffset().GetY(), 163.7) << "no creep along the axis that did not snap";
  // Once on the line, a second test leaves it where it is.
  const CVRX2DVector settled = pMoving->GetOffset();
  ViewCommand(ID_SNAPPING_TEST);
  EXPECT_NEAR(pMoving->GetOffset().GetX(), settled.GetX(), 1e-9);
  EXPECT_DOUBLE_EQ(pMoving->GetOffset().GetY(), settled.GetY());
  // Far from every line nothing moves.
  MoveTo(pMoving, RightOf(pFixed) + 40.0, 163.7);
  const CVRX2DVector far = pMoving->GetOffset();
  ViewCommand(ID_SNAPPING_TEST);
  EXPECT_EQ(pMoving->GetOffset(), far);
  EXPECT_TRUE(pMoving->IsAlignmentSource()) << "the alignment-source flag comes back";
}

// A snap that would take a unit past the Workbench's square stops at its edge, as an arrow
// key's step does: a unit out there could no longer be dragged.
TEST_F(WbSnapGuiTest, TheSnappingTestStopsAtTheEdgeOfTheSquare)
{
  CUnitItem* pFixed = PlaceGlider(100.0, 100.0);
  CUnitItem* pMoving = PlaceGlider(300.0, 400.0);
  ASSERT_TRUE(pFixed && pMoving);
  const double width = RightOf(pMoving) - pMoving->GetOffset().GetX();
  // The moving unit 0.1 inch from the right edge; the fixed one above it, its right side 0.3
  // inch right of the moving unit's left side.
  MoveTo(pMoving, kWorkbenchSquare - 0.1 - width, 400.0);
  MoveTo(pFixed, pMoving->GetOffset().GetX() + 0.3 - width, 600.0);
  View()->DeselectAll();
  View()->Select(pMoving);
  ViewCommand(ID_SNAPPING_TEST);
  EXPECT_NEAR(RightOf(pMoving), kWorkbenchSquare, 1e-9) << "to the edge, not onto the line past it";
  EXPECT_DOUBLE_EQ(pMoving->GetOffset().GetY(), 400.0);
}

// Refused drags, of a selection and then of the one unit the refusal left selected, leave every
// unit's lines offered: the next nudge snaps to the unit dragged and joins to it.
TEST_F(WbSnapGuiTest, RefusedDragsLeaveTheDraggedUnitToBeSnappedAndJoinedTo)
{
  std::vector<CUnitItem*> gliders;
  for (int i = 0; i < 4; ++i) {
    gliders.push_back(PlaceGlider(100.0, 100.0 + 40.0 * i));
    ASSERT_NE(gliders.back(), nullptr);
  }
  // A row an inch apart below the top of the square; the second stands 10 inches higher and
  // reaches 5 past it, as units of older designs may, so that no drag of it can end inside.
  const double width = RightOf(gliders[0]) - gliders[0]->GetOffset().GetX();
  const double bottom = kWorkbenchSquare - gliders[0]->GetHeight() - 5.0;
  for (int i = 0; i < 4; ++i)
    MoveTo(gliders[static_cast<size_t>(i)], 100.0 + i * (width + 1.0), i == 1 ? bottom + 10.0 : bottom);
  View()->SetScaleFactor(View()->GetFitScaleFactor(FALSE) * 4.0, TRUE);
  View()->ScrollToPosition(CVRX2DVector(50.0, kWorkbenchSquare + 20.0));
  Pump();
  CUnitItem* pHigh = gliders[1];
  const CPoint press = View()->WorldToClient(CVRX2DPoint(pHigh->GetOffset().GetX() + width / 2.0, bottom + 10.0 + 8.0));
  Key(Qt::Key_A, Qt::ControlModifier);
  ASSERT_EQ(View()->GetSelectedCount(FALSE), 4);
  Drag(press, CPoint(press.x + 6, press.y));
  ASSERT_EQ(View()->GetSelectedCount(FALSE), 1) << "the refused drag is a click on the high glider";
  ASSERT_TRUE(View()->IsSelected(pHigh));
  Drag(press, CPoint(press.x + 6, press.y));
  for (int i = 0; i < 4; ++i)
    ASSERT_DOUBLE_EQ(gliders[static_cast<size_t>(i)]->GetOffset().GetX(), 100.0 + i * (width + 1.0))
        << "both drags were refused";
  ASSERT_TRUE(Joins().empty());
  View()->DeselectAll();
  View()->Select(gliders[0]);
  View()->Select(gliders[2]);
  Key(Qt::Key_Right);
  EXPECT_DOUBLE_EQ(gliders[0]->GetOffset().GetX(), 100.625) << "snapped to the high glider's side";
  EXPECT_DOUBLE_EQ(gliders[2]->GetOffset().GetX(), 100.0 + 2 * (width + 1.0) + 0.625);
  EXPECT_EQ(Joins().size(), 2u) << "to the high glider and to the last";
}

TEST_F(WbSnapGuiTest, AlignmentLinesAreDrawnAcrossTheWorkbenchAndPlacementsSnapToThem)
{
  CUnitItem* pFixed = PlaceGlider(20.0, 20.0);
  ASSERT_NE(pFixed, nullptr);
  const int x = View()->WorldToClient(CVRX2DPoint(RightOf(pFixed), 0.0)).x;
  const CRect client = View()->GetClientRect();
  const int y = View()->WorldToClient(CVRX2DPoint(0.0, 20.0 + pFixed->GetHeight() + 60.0)).y;
  ASSERT_GT(y, 0);
  ASSERT_LT(x, client.Width());
  const COLORREF lineColor = pFixed->GetAlignmentLineColor();
  EXPECT_NE(View()->GetSurfacePixel(x, y), lineColor) << "hidden for all units when the view is made";
  OnNextDialog([](CDialog& dialog) {
    ClickButton(dialog, IDC_SHOW_LINES);
    ClickButton(dialog, IDC_ALIGNMENT_APPLY);
    EXPECT_EQ(ControlText(dialog, IDCANCEL), "Close");
    ClickButton(dialog, IDCANCEL);
  });
  ViewCommand(ID_ALIGNMENT_LINE_ATTRIBUTES);
  EXPECT_TRUE(pFixed->GetShowAlignmentLines());
  EXPECT_EQ(View()->GetSurfacePixel(x, y), lineColor) << "the right side's line reaches far above the unit";
  // A unit placed a little beside that line lands on it.
  const double right = RightOf(pFixed);
  const CPoint near(View()->WorldToClient(CVRX2DPoint(right + 0.6, 0.0)).x, y);
  CUnitItem* pPlaced = PlaceUnit(CommandFor("GL", "BA005"), near);
  ASSERT_NE(pPlaced, nullptr);
  EXPECT_NEAR(pPlaced->GetOffset().GetX(), right, 1e-9);
  // Hiding them again through the dialog's OK.
  OnNextDialog([](CDialog& dialog) {
    ClickButton(dialog, IDC_HIDE_LINES);
    ClickButton(dialog, IDOK);
  });
  ViewCommand(ID_ALIGNMENT_LINE_ATTRIBUTES);
  EXPECT_FALSE(pFixed->GetShowAlignmentLines());
  EXPECT_NE(View()->GetSurfacePixel(x, y), lineColor);
}

TEST_F(WbSnapGuiTest, ApplyOnTheWorkbenchPropertiesCommitsJoiningAndItsOrderToo)
{
  ASSERT_NO_FATAL_FAILURE(TakeFirstTwoJoinings());
  OnNextDialog([](CDialog& dialog) {
    CWorkbenchJoiningPage& page = JoiningPage(dialog);
    CWorkbenchPropertiesDlg& sheet = Sheet(dialog);
    EXPECT_FALSE(page.GetDlgItem(IDC_MOVE_UP)->IsWindowEnabled()) << "the top line cannot move up";
    EXPECT_TRUE(page.GetDlgItem(IDC_MOVE_DOWN)->IsWindowEnabled());
    ClickButton(page, IDC_AUTO_JOIN);
    ClickButton(page, IDC_MOVE_DOWN);
    EXPECT_TRUE(page.GetDlgItem(IDC_MOVE_UP)->IsWindowEnabled());
    EXPECT_TRUE(sheet.PressButton(PSBTN_APPLYNOW));
    EXPECT_EQ(ControlText(sheet, IDCANCEL), "Close");
    ClickButton(sheet, IDCANCEL);
  });
  ViewCommand(ID_WORKBENCH_PROPERTIES);
  EXPECT_FALSE(View()->GetAutoJoin()) << "Apply then Close keeps the joining switch";
  ExpectFirstTwoJoiningsSwapped();
}

TEST_F(WbSnapGuiTest, OkCopiesBackAndCancelLeavesTheViewAsItWas)
{
  CUnitItem* pItem = PlaceGlider(50.0, 50.0);
  ASSERT_NE(pItem, nullptr);
  OnNextDialog([](CDialog& dialog) {
    CWorkbenchPropertiesDlg& sheet = Sheet(dialog);
    sheet.SetActivePage(&sheet.m_JoiningPage);
    ClickButton(sheet.m_JoiningPage, IDC_JOIN_MARKERS);
    ClickButton(sheet.m_JoiningPage, IDC_AUTO_JOIN);
    sheet.SetActivePage(&sheet.m_AlignmentPage);
    ClickButton(sheet.m_AlignmentPage, IDC_PAGE_SHOW_LINES);
    ClickButton(sheet.m_AlignmentPage, IDC_PAGE_NO_SNAP);
    ClickButton(sheet, IDCANCEL);
  });
  ViewCommand(ID_WORKBENCH_PROPERTIES);
  EXPECT_TRUE(View()->GetShowJoins());
  EXPECT_TRUE(View()->GetAutoJoin());
  EXPECT_FALSE(pItem->GetShowAlignmentLines());
  EXPECT_TRUE(pItem->GetSnapToAlignmentLines());

  OnNextDialog([](CDialog& dialog) {
    CWorkbenchPropertiesDlg& sheet = Sheet(dialog);
    EXPECT_EQ(sheet.GetActivePage(), &sheet.m_AlignmentPage) << "the sheet reopens on the page last shown";
    sheet.SetActivePage(&sheet.m_JoiningPage);
    ClickButton(sheet.m_JoiningPage, IDC_JOIN_MARKERS);
    sheet.SetActivePage(&sheet.m_AlignmentPage);
    ClickButton(sheet.m_AlignmentPage, IDC_PAGE_SHOW_LINES);
    ClickButton(sheet.m_AlignmentPage, IDC_PAGE_NO_SNAP);
    ClickButton(sheet, IDOK);
  });
  ViewCommand(ID_WORKBENCH_PROPERTIES);
  EXPECT_FALSE(View()->GetShowJoins());
  EXPECT_TRUE(View()->GetAutoJoin());
  EXPECT_TRUE(pItem->GetShowAlignmentLines());
  EXPECT_FALSE(pItem->GetSnapToAlignmentLines());
  CObArray entries;
  View()->GetPerimeterGroups().GetAll(entries);
  EXPECT_EQ(entries.GetSize(), 0) << "no item offers anything to snap to";
  int show = -1;
  int snap = -1;
  View()->GetAlignmentModes(show, snap);
  EXPECT_EQ(show, 0);
  EXPECT_EQ(snap, 1);
}

TEST_F(WbSnapGuiTest, ADoubleClickOnEmptySpaceOpensTheWorkbenchProperties)
{
  const CRect client = View()->GetClientRect();
  const CPoint empty(client.Width() / 3, client.Height() / 3);
  CDesignItem* pHit = nullptr;
  int handle = -1;
  ASSERT_EQ(View()->HitTest(empty, pHit, handle), hitNothing);
  CString caption;
  bool opened = false;
  OnNextDialog([&](CDialog& dialog) {
    opened = dynamic_cast<CWorkbenchPropertiesDlg*>(&dialog) != nullptr;
    dialog.GetWindowText(caption);
    ClickButton(dialog, IDCANCEL);
  });
  SendMouse(View(), QEvent::MouseButtonPress, empty, Qt::LeftButton, Qt::LeftButton);
  SendMouse(View(), QEvent::MouseButtonRelease, empty, Qt::LeftButton, Qt::NoButton);
  SendMouse(View(), QEvent::MouseButtonDblClick, empty, Qt::LeftButton, Qt::LeftButton);
  SendMouse(View(), QEvent::MouseButtonRelease, empty, Qt::LeftButton, Qt::NoButton);
  Pump();
  EXPECT_TRUE(opened);
  EXPECT_EQ(caption, "Workbench Properties");
}

TEST_F(WbSnapGuiTest, ASideOnAnotherUnitsAlignmentLineIsDrawnHighlighted)
{
  CUnitItem* pFixed = PlaceGlider(40.0, 40.0);
  CUnitItem* pOther = PlaceGlider(200.0, 47.3);
  ASSERT_TRUE(pFixed && pOther);
  View()->DeselectAll();
  const double right = RightOf(pFixed);
  const CPoint leftSide = View()->WorldToClient(CVRX2DPoint(40.0, 40.0 + pFixed->GetHeight() / 2));
  const CPoint rightSide = View()->WorldToClient(CVRX2DPoint(right, 40.0 + pFixed->GetHeight() / 2));
  View()->RedrawWindow();
  EXPECT_EQ(View()->GetSurfacePixel(rightSide.x, rightSide.y), RGB(0, 0, 0)) << "nothing lies on it yet";
  // The other unit's left side on the fixed unit's right side.
  MoveTo(pOther, right, 47.3);
  View()->RedrawWindow();
  EXPECT_EQ(View()->GetSurfacePixel(rightSide.x, rightSide.y), RGB(192, 0, 0));
  EXPECT_EQ(View()->GetSurfacePixel(leftSide.x, leftSide.y), RGB(0, 0, 0)) << "a side on nobody's line";
}

// A redraw keeps each unit's drawing and its highlighted sides from one redraw to the next; a
// unit dragged away and back must take its drawing along and leave the other unit's side
// highlighted only while the two sides are in line.
TEST_F(WbSnapGuiTest, RedrawsShowTheHighlightsAndUnitsAsTheyStandNow)
{
  CUnitItem* pFixed = PlaceGlider(10.0, 20.0);
  CUnitItem* pMoving = PlaceGlider(60.0, 20.0);
  ASSERT_TRUE(pFixed && pMoving);
  ASSERT_TRUE(View()->GetSnapHighlights());
  View()->DeselectAll();
  auto redraw = [this] {
    View()->Invalidate(TRUE);
    View()->UpdateWindow();
  };
  redraw();
  const COLORREF highlight = View()->GetCategoryMap()->GetGDIData(ecatSnapHighlight)->GetColor();
  const CPoint fixedBottom = BottomSideMiddle(View(), pFixed);
  const CPoint movingBottom = BottomSideMiddle(View(), pMoving);
  ASSERT_TRUE(View()->GetClientRect().PtInRect(movingBottom));
  EXPECT_EQ(View()->GetSurfacePixel(fixedBottom.x, fixedBottom.y), highlight) << "in line with the other's bottom";
  EXPECT_EQ(View()->GetSurfacePixel(movingBottom.x, movingBottom.y), highlight);
  redraw();
  EXPECT_EQ(View()->GetSurfacePixel(fixedBottom.x, fixedBottom.y), highlight) << "the same at the next redraw";

  // Up by the unit's height and a half: no horizontal side in line with another.
  const int rise = View()->WorldToDevice(CVRX2DVector(0.0, pMoving->GetHeight() * 1.5)).cy;
  CRect rect;
  ASSERT_TRUE(pMoving->GetClientRect(rect, View()));
  const CPoint grip = rect.CenterPoint();
  ASSERT_GT(grip.y - rise, 0);
  Drag(grip, CPoint(grip.x, grip.y - rise));
  ASSERT_GT(pMoving->GetOffset().GetY(), 20.0 + pMoving->GetHeight());
  View()->DeselectAll();
  redraw();
  EXPECT_NE(View()->GetSurfacePixel(fixedBottom.x, fixedBottom.y), highlight) << "nothing in line any more";
  EXPECT_NE(View()->GetSurfacePixel(fixedBottom.x, fixedBottom.y), RGB(255, 255, 255)) << "the side itself stays";
  EXPECT_EQ(View()->GetSurfacePixel(movingBottom.x, movingBottom.y), RGB(255, 255, 255)) << "the unit left";
  const CPoint moved = BottomSideMiddle(View(), pMoving);
  EXPECT_NE(View()->GetSurfacePixel(moved.x, moved.y), RGB(255, 255, 255)) << "and is drawn where it went";

  // Back down: it snaps into line again, and both sides show it.
  ASSERT_TRUE(pMoving->GetClientRect(rect, View()));
  Drag(rect.CenterPoint(), CPoint(rect.CenterPoint().x, rect.CenterPoint().y + rise));
  EXPECT_DOUBLE_EQ(pMoving->GetOffset().GetY(), 20.0);
  View()->DeselectAll();
  redraw();
  EXPECT_EQ(View()->GetSurfacePixel(fixedBottom.x, fixedBottom.y), highlight);
  EXPECT_EQ(View()->GetSurfacePixel(movingBottom.x, movingBottom.y), highlight);
}

// Move Up pressed by the keyboard brings the second joining to the top and greys itself; the focus
// goes on to Move Down, and Return still presses OK: the new order is taken and Move Down is not
// pressed.
TEST_F(WbSnapGuiTest, ReturnAfterMoveUpGreysItselfPressesOkOnTheWorkbenchProperties)
{
  ASSERT_NO_FATAL_FAILURE(TakeFirstTwoJoinings());
  OnNextDialog([](CDialog& dialog) {
    CWorkbenchJoiningPage& page = JoiningPage(dialog);
    SelectLine(page, IDC_JOINING_ORDER, 1);
    CWnd* pUp = page.GetDlgItem(IDC_MOVE_UP);
    ASSERT_TRUE(pUp->IsWindowEnabled());
    pUp->SetFocus();
    Pump();
    QTest::keyClick(pUp->m_hWnd, Qt::Key_Space);
    Pump();
    ASSERT_FALSE(pUp->IsWindowEnabled()) << "the line is at the top";
    QWidget* focus = QApplication::focusWidget();
    ASSERT_EQ(focus, page.GetDlgItem(IDC_MOVE_DOWN)->m_hWnd);
    QTest::keyClick(focus, Qt::Key_Return);
    Pump();
  });
  ViewCommand(ID_WORKBENCH_PROPERTIES);
  EXPECT_EQ(service.dialogsLeftOpen, 0) << "Return ended the sheet";
  ExpectFirstTwoJoiningsSwapped();
}

namespace {
// A glider at the Workbench's origin beside another, both lying on each other's lines at top and
// bottom, with its own lines taken off the tables by the Snap To command: its highlighted sides
// are looked up again only when the tables lose an entry or the glider forgets them, and moving
// or resizing it takes nothing from the tables. At the origin a new shape moves it by nothing, so
// only the new shape itself can make it forget its sides.
class WbHighlightGuiTest : public WbSnapGuiTest
{
protected:
  void SetUp() override
  {
    WbSnapGuiTest::SetUp();
    m_pMoving = PlaceGlider(0.0, 0.0);
    m_pFixed = PlaceGlider(50.0, 0.0);
    ASSERT_TRUE(m_pFixed && m_pMoving);
    ASSERT_TRUE(View()->GetSnapHighlights());
    View()->DeselectAll();
    View()->Select(m_pMoving);
    ViewCommand(ID_SNAP_TO_ALIGNMENT);
    ASSERT_FALSE(m_pMoving->GetSnapToAlignmentLines());
    m_highlight = View()->GetCategoryMap()->GetGDIData(ecatSnapHighlight)->GetColor();
    Redraw();
    m_bottom = BottomSideMiddle(View(), m_pMoving);
    m_top = TopSideMiddle(m_pMoving);
    ASSERT_EQ(Pixel(m_bottom), m_highlight) << "on the fixed glider's bottom line";
    ASSERT_EQ(Pixel(m_top), m_highlight) << "on the fixed glider's top line";
  }
  void Redraw()
  {
    View()->Invalidate(TRUE);
    View()->UpdateWindow();
  }
  COLORREF Pixel(CPoint at) const { return View()->GetSurfacePixel(at.x, at.y); }
  CPoint TopSideMiddle(CDesignItem* pItem) const
  {
    CVRX2DEntityArray outline;
    pItem->GetOutlineEntities(outline);
    const CVRX2DRectangle extents = outline.GetExtents();
    return View()->WorldToClient(
        CVRX2DPoint((extents.GetMinPoint().GetX() + extents.GetMaxPoint().GetX()) / 2.0, extents.GetMaxPoint().GetY()));
  }
  CUnitItem* m_pFixed = nullptr;
  CUnitItem* m_pMoving = nullptr;
  COLORREF m_highlight = 0;
  CPoint m_bottom;
  CPoint m_top;
};
}  // namespace

TEST_F(WbHighlightGuiTest, ANudgedUnitLeavesNoHighlightBehind)
{
  // A foot up, out of the fixed glider's snap range.
  Key(Qt::Key_Up, Qt::ControlModifier);
  ASSERT_GT(m_pMoving->GetOffset().GetY(), 10.0);
  Redraw();
  EXPECT_NE(Pixel(m_bottom), m_highlight) << "where the bottom side was";
  EXPECT_NE(Pixel(m_top), m_highlight) << "where the top side was";
  EXPECT_NE(Pixel(BottomSideMiddle(View(), m_pMoving)), m_highlight) << "the bottom side is in line with nothing";
}

// The sheet's new height changes no entry of the tables (a handle's drag switches the unit's
// entries off and on, which makes every unit look its sides up again).
TEST_F(WbHighlightGuiTest, AUnitResizedInItsSheetLeavesNoHighlightBehind)
{
  const double height = m_pMoving->GetHeight();
  bool opened = false;
  ChooseHeightInNextUnitSheet(47.5, opened);
  const CPoint at = View()->WorldToClient(m_pMoving->GetCenterPoint());
  Click(at);
  PostMouse(View(), QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
  SendMouse(View(), QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
  Pump();
  ASSERT_TRUE(opened);
  ASSERT_NEAR(m_pMoving->GetHeight(), height + 24.0, 1e-9);
  View()->DeselectAll();
  Redraw();
  EXPECT_NE(Pixel(m_top), m_highlight) << "where the top side was";
  EXPECT_EQ(Pixel(BottomSideMiddle(View(), m_pMoving)), m_highlight) << "the bottom side stayed in line";
}
