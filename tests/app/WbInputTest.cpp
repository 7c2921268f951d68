// Guards how the Workbench takes the keyboard and the wheel in the running program: a field with
// the focus keeps its editing keys, the view's accelerators act only on the view and only while
// their command is enabled, the wheel scrolls, the scroll bars lie inside the area between the
// tool palette and the dialog bar, and the first Workbench holds its whole bar, at any scale factor.
#include <algorithm>
#include <cstdlib>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>

#include "WbGuiFixture.h"
#include "workbench/scale/Scalevw.h"

namespace {
class WbInputTest : public WorkbenchGuiTest
{
protected:
  void SetUp() override
  {
    WorkbenchGuiTest::SetUp();
    StartProgram();
  }

  // Two gliders; the second, placed last, is the selection.
  void PlaceTwo()
  {
    const CRect client = View()->GetClientRect();
    const UINT nID = CommandFor("GL", "BA005");
    m_pFirst = PlaceUnit(nID, CPoint(client.Width() / 4, client.Height() * 2 / 3));
    m_pSecond = PlaceUnit(nID, CPoint(client.Width() * 2 / 3, client.Height() * 2 / 3));
    ASSERT_NE(m_pFirst, nullptr);
    ASSERT_NE(m_pSecond, nullptr);
    ASSERT_FALSE(View()->IsSelected(m_pFirst));
    ASSERT_TRUE(View()->IsSelected(m_pSecond));
  }

  QLineEdit* QuantityField() const
  {
    CWnd* pEdit = Frame()->GetDialogBar()->GetDlgItem(IDC_WORKBENCH_QUANTITY);
    return pEdit ? qobject_cast<QLineEdit*>(pEdit->m_hWnd) : nullptr;
  }

  QWidget* ViewWidget() const { return View()->m_hWnd; }

  // Keys go to the focus of the active window, as the window system sends them.
  static void Focus(QWidget* widget)
  {
    QWidget* top = widget->window();
    top->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(top));
    widget->setFocus(Qt::OtherFocusReason);
    Pump();
    ASSERT_EQ(QApplication::focusWidget(), widget);
  }
  void FocusView() { Focus(ViewWidget()); }

  void Wheel(QPoint angle, Qt::KeyboardModifiers modifiers)
  {
    const QPointF at(ViewWidget()->width() / 2.0, ViewWidget()->height() / 2.0);
    QWheelEvent event(at, ViewWidget()->mapToGlobal(at), QPoint(), angle, Qt::NoButton, modifiers, Qt::NoScrollPhase,
                      false);
    QCoreApplication::sendEvent(ViewWidget(), &event);
    Pump();
  }

  static CRect ScreenRect(CWnd* pWnd)
  {
    CRect rect;
    pWnd->GetWindowRect(&rect);
    return rect;
  }

  CUnitItem* m_pFirst = nullptr;
  CUnitItem* m_pSecond = nullptr;
};
}  // namespace

TEST_F(WbInputTest, TheQuantityFieldKeepsDeleteAndSelectAllAndTheItemsStay)
{
  PlaceTwo();
  QLineEdit* field = QuantityField();
  ASSERT_NE(field, nullptr);
  field->setText("12");
  Focus(field);
  field->setCursorPosition(0);
  QTest::keyClick(field, Qt::Key_Delete);
  Pump();
  EXPECT_EQ(field->text(), "2");
  EXPECT_EQ(View()->GetItemList()->GetCount(), 2);
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  Pump();
  EXPECT_EQ(field->selectedText(), "2");
  EXPECT_FALSE(View()->IsSelected(m_pFirst)) << "select all stayed with the field";
  QTest::keyClick(field, Qt::Key_Backspace);
  QTest::keyClicks(field, "7");
  Pump();
  EXPECT_EQ(field->text(), "7");
  EXPECT_EQ(View()->GetItemList()->GetCount(), 2);
}

TEST_F(WbInputTest, OnTheViewSelectAllAndDeleteActOnTheItems)
{
  PlaceTwo();
  FocusView();
  QTest::keyClick(ViewWidget(), Qt::Key_A, Qt::ControlModifier);
  Pump();
  EXPECT_TRUE(View()->IsSelected(m_pFirst));
  EXPECT_TRUE(View()->IsSelected(m_pSecond));
  QTest::keyClick(ViewWidget(), Qt::Key_Delete);
  Pump();
  EXPECT_EQ(View()->GetItemList()->GetCount(), 0);
}

TEST_F(WbInputTest, ControlVWithAForeignPayloadDoesNothing)
{
  PlaceTwo();
  QGuiApplication::clipboard()->setText("text of another program");
  ASSERT_FALSE(StateOf(ID_EDIT_PASTE).enabled);
  FocusView();
  const size_t messages = Messages().size();
  QTest::keyClick(ViewWidget(), Qt::Key_V, Qt::ControlModifier);
  Pump();
  EXPECT_EQ(Messages().size(), messages) << "no error for a paste the menu does not offer";
  EXPECT_EQ(View()->GetItemList()->GetCount(), 2);
  EXPECT_TRUE(View()->IsSelected(m_pSecond));
}

TEST_F(WbInputTest, TheWheelScrollsALinePerNotchAndShiftTurnsItSideways)
{
  CWorkbenchView* pView = View();
  pView->SetScaleFactor(0.1, TRUE);
  Pump();
  const CRect client = pView->GetClientRect();
  ASSERT_EQ(pView->GetDeviceScrollPosition(), CPoint(0, 0));
  Wheel(QPoint(0, WHEEL_DELTA), Qt::NoModifier);
  EXPECT_EQ(pView->GetDeviceScrollPosition(), CPoint(0, client.Height() / 10)) << "away shows more of the top";
  Wheel(QPoint(0, -2 * WHEEL_DELTA), Qt::ShiftModifier);
  EXPECT_EQ(pView->GetDeviceScrollPosition(), CPoint(2 * (client.Width() / 10), client.Height() / 10));
  // Half notches add up to one.
  Wheel(QPoint(0, -WHEEL_DELTA / 2), Qt::NoModifier);
  EXPECT_EQ(pView->GetDeviceScrollPosition().y, client.Height() / 10);
  Wheel(QPoint(0, -WHEEL_DELTA / 2), Qt::NoModifier);
  EXPECT_EQ(pView->GetDeviceScrollPosition().y, 0);
  // A sideways wheel scrolls sideways without Shift.
  Wheel(QPoint(-WHEEL_DELTA, 0), Qt::NoModifier);
  EXPECT_EQ(pView->GetDeviceScrollPosition().x, client.Width() / 10);
  auto* pHBar = dynamic_cast<CScrollBar*>(Frame()->GetDlgItem(kHScrollBarID));
  ASSERT_NE(pHBar, nullptr);
  EXPECT_EQ(pHBar->GetScrollPos(), client.Width() / 10);
}

// Run at scale factors 1 and 2 (a second CTest entry sets QT_SCALE_FACTOR).
TEST_F(WbInputTest, ScrollBarsLieInsideTheViewAreaBesideThePaletteAndAboveTheDialogBar)
{
  if (const char* scale = std::getenv("QT_SCALE_FACTOR")) {
    ASSERT_DOUBLE_EQ(qApp->devicePixelRatio(), std::atof(scale));
  }
  CWorkbenchView* pView = View();
  pView->SetScaleFactor(pView->GetFitScaleFactor(TRUE) * 1.5, TRUE);
  Pump();
  auto* pHBar = dynamic_cast<CScrollBar*>(Frame()->GetDlgItem(kHScrollBarID));
  auto* pVBar = dynamic_cast<CScrollBar*>(Frame()->GetDlgItem(kVScrollBarID));
  ASSERT_NE(pHBar, nullptr);
  ASSERT_NE(pVBar, nullptr);
  const CRect view = ScreenRect(pView);
  const CRect hBar = ScreenRect(pHBar);
  const CRect vBar = ScreenRect(pVBar);
  const CRect palette = ScreenRect(Frame()->GetToolBar());
  const CRect dialogBar = ScreenRect(Frame()->GetDialogBar());
  EXPECT_EQ(hBar.left, view.left);
  EXPECT_EQ(hBar.right, view.right);
  EXPECT_EQ(hBar.top, view.bottom - 1);
  EXPECT_EQ(vBar.left, view.right - 1);
  EXPECT_EQ(vBar.top, view.top);
  EXPECT_EQ(vBar.bottom, view.bottom);
  EXPECT_GE(view.left, palette.right);
  EXPECT_LE(hBar.bottom, dialogBar.top);
  EXPECT_LE(vBar.bottom, dialogBar.top);
  CRect frame;
  Frame()->GetWindowRect(&frame);
  CRect inside;
  EXPECT_TRUE(inside.IntersectRect(vBar, frame) && inside == vBar) << "the whole vertical bar is in the frame";
  EXPECT_TRUE(inside.IntersectRect(hBar, frame) && inside == hBar) << "the whole horizontal bar is in the frame";
  EXPECT_TRUE(pHBar->IsWindowVisible());
  EXPECT_TRUE(pVBar->IsWindowVisible());
  EXPECT_TRUE(pVBar->IsWindowEnabled()) << "the world is taller than the view";
  EXPECT_TRUE(pHBar->IsWindowEnabled());
}

// Run at scale factors 1 and 2.
TEST_F(WbInputTest, ScrollBarsStayInPlaceAndTheUnitsInViewWhenADesignReopens)
{
  PlaceTwo();
  StoreDesign("Porch", 1);
  Frame()->SendMessage(WM_COMMAND, IDC_WORKBENCH_CLOSE);
  Pump();
  ASSERT_EQ(m_pDoc->GetWorkbenchView(), nullptr);
  EditStoredDesign("Porch");
  ASSERT_NE(View(), nullptr);
  Pump();
  const CRect client = View()->GetClientRect();
  for (POSITION pos = View()->GetItemList()->GetHeadPosition(); pos;) {
    auto* pUnit = dynamic_cast<CUnitItem*>(static_cast<CObject*>(View()->GetItemList()->GetNext(pos)));
    ASSERT_NE(pUnit, nullptr);
    const CVRX2DPoint low = CVRX2DPoint() + pUnit->GetOffset();
    EXPECT_TRUE(client.PtInRect(View()->WorldToClient(low)));
    EXPECT_TRUE(client.PtInRect(View()->WorldToClient(low + CVRX2DVector(pUnit->GetWidth(), pUnit->GetHeight()))));
  }
  const CRect view = ScreenRect(View());
  const CRect hBar = ScreenRect(Frame()->GetDlgItem(kHScrollBarID));
  EXPECT_EQ(hBar.left, view.left);
  EXPECT_EQ(hBar.top, view.bottom - 1);
}

// Run at scale factors 1 and 2. A new design shows its 10-foot default size, not the whole
// square; until the user acts on it the first view follows its frame's size.
TEST_F(WbInputTest, FirstViewOfANewDesignShowsItsSizeAndFollowsTheFrameUntilTheUserActs)
{
  Pump();
  const auto shownInches = [this] {
    const CRect client = View()->GetClientRect();
    const double pixelsPerInch = View()->GetLogPixels().cx * View()->GetScaleFactor();
    return std::min(client.Width(), client.Height()) / pixelsPerInch;
  };
  EXPECT_NEAR(shownInches(), 120.0, 1.0);
  CRect frame;
  Frame()->GetWindowRect(&frame);
  Frame()->SetWindowPos(nullptr, 0, 0, frame.Width() + 80, frame.Height() + 80, SWP_NOMOVE | SWP_NOZORDER);
  Pump();
  EXPECT_NEAR(shownInches(), 120.0, 1.0) << "the first view follows the larger frame";
  const double scale = View()->GetScaleFactor();
  Click(CPoint(5, 5));
  Frame()->SetWindowPos(nullptr, 0, 0, frame.Width(), frame.Height(), SWP_NOMOVE | SWP_NOZORDER);
  Pump();
  EXPECT_EQ(View()->GetScaleFactor(), scale) << "after a click the view keeps its scale";
}

// Run at scale factors 1 and 2: the first Workbench opens wide enough for its dialog bar's last
// button, however few window pixels the main window's client has, as far as that client reaches.
TEST_F(WbInputTest, TheFirstWorkbenchOpensWideEnoughForItsBarsLastButton)
{
  Pump();
  CWnd* pClient = CWnd::FromHandle(MainFrame()->m_hWndMDIClient);
  ASSERT_NE(pClient, nullptr);
  CWnd* pStore = Frame()->GetDialogBar()->GetDlgItem(IDC_STORE_DESIGN);
  ASSERT_NE(pStore, nullptr);
  const CRect frame = ScreenRect(Frame());
  const CRect area = ScreenRect(pClient);
  const CRect store = ScreenRect(pStore);
  EXPECT_LE(frame.right, area.right) << "the Workbench stands inside the main window's client";
  EXPECT_LE(store.right, std::min(frame.right, area.right))
      << "Store Design is cut off: the Workbench is " << frame.Width() << " pixels wide in a client of "
      << area.Width();
}
