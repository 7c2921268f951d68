// The main frame: its toolbar and status bar, command states as the update handlers give them,
// the show and hide commands of the project's windows, the grey MDI client and the restored
// window rectangle, the MDI client's scroll bars that reach a child frame lying outside it, and
// no idle pass where nothing happens.
#include <cstdlib>
#include <fstream>

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "ShellTestApp.h"
#include "views/Adorned.h"
#include "app/App.h"
#include "app/Mainfrm.h"
#include "app/Mfclient.h"
#include "app/Shellids.h"
#include "document/Doc.h"
#include "document/Whview.h"
#include "document/Whids.h"
#include "ui/dlg/Dialog.h"
#include "ui/docview/DocTempl.h"
#include "ui/frame/Menu.h"
#include "ui/wnd/Resource.h"
#include "ui/docview/View.h"
#include "workbench/view/Wbview.h"

namespace {
const UINT kToolbarIds[] = {ID_FILE_NEW,
                            ID_FILE_OPEN,
                            ID_FILE_SAVE,
                            0,
                            ID_EDIT_CUT,
                            ID_EDIT_COPY,
                            ID_EDIT_PASTE,
                            0,
                            ID_VIEW_WORKBENCH,
                            ID_VIEW_PLAN,
                            ID_VIEW_ELEVATION,
                            ID_VIEW_DETAIL,
                            0,
                            ID_ALIGNMENT_LINES,
                            ID_SNAP_TO_ALIGNMENT,
                            0,
                            ID_JOINING_MARKERS,
                            ID_SNAP_HIGHLIGHTS,
                            0,
                            ID_FILE_PRINT,
                            ID_HELP_INDEX};

BOOL IsShown(CView* pView) { return pView && pView->GetParentFrame()->IsWindowVisible(); }
}  // namespace

TEST_F(ShellTest, TheToolbarAndStatusBarHaveTheirButtonsAndPanes)
{
  ASSERT_TRUE(Start());
  CToolBar* pToolBar = MainFrame()->GetMainToolBar();
  ASSERT_EQ(pToolBar->GetCount(), 21);
  for (int i = 0; i < 21; ++i)
    EXPECT_EQ(pToolBar->GetItemID(i), kToolbarIds[i]) << "button " << i;
  CString title;
  pToolBar->GetWindowText(title);
  EXPECT_EQ(title, "Main Toolbar");

  CStatusBar* pStatus = MainFrame()->GetStatusBar();
  ASSERT_EQ(pStatus->GetCount(), 3);
  UINT nID = 0;
  UINT nStyle = 0;
  int positionWidth = 0;
  int sizeWidth = 0;
  pStatus->GetPaneInfo(1, nID, nStyle, positionWidth);
  pStatus->GetPaneInfo(2, nID, nStyle, sizeWidth);
  // The first sample text is the longer one.
  EXPECT_GT(positionWidth, sizeWidth);
  EXPECT_GT(sizeWidth, 0);
  MainFrame()->SetPaneText(2, "X=12.50  y=3.00");
  EXPECT_EQ(pStatus->GetPaneText(2), "X=12.50  y=3.00");
}

// At the screen's device pixel ratio a picture of straight lines and boxes is its picture at
// 100 % with each pixel made of the device pixels it covers: its lines as heavy, only sharper.
TEST_F(ShellTest, AtTheScreensRatioTheToolbarsPicturesAreTheirPicturesAt100)
{
  if (qGuiApp->devicePixelRatio() != 2.0)
    GTEST_SKIP() << "run under QT_SCALE_FACTOR=2";
  ASSERT_TRUE(Start());
  CToolBar* pToolBar = MainFrame()->GetMainToolBar();
  for (UINT nID : {ID_VIEW_PLAN, ID_VIEW_ELEVATION}) {
    const QIcon icon = pToolBar->GetAction(pToolBar->CommandToIndex(nID))->icon();
    const QImage base = icon.pixmap(QSize(16, 15), 1.0).toImage();
    const QImage sharp = icon.pixmap(QSize(16, 15), 2.0).toImage();
    ASSERT_EQ(base.size(), QSize(16, 15)) << nID;
    ASSERT_EQ(sharp.size(), QSize(32, 30)) << nID;
    int differ = 0;
    for (int y = 0; y < sharp.height(); ++y)
      for (int x = 0; x < sharp.width(); ++x)
        differ += sharp.pixel(x, y) != base.pixel(x / 2, y / 2);
    EXPECT_EQ(differ, 0) << "device pixels unlike their window pixel at 100 % in the picture of " << nID;
  }
}

TEST_F(ShellTest, TheWorkbenchToggleFollowsTheWorkbenchFrame)
{
  ASSERT_TRUE(Start());
  CDoc* pDoc = ActiveProject();
  ASSERT_NE(pDoc, nullptr);
  ASSERT_NE(pDoc->GetWorkbenchView(), nullptr);
  EXPECT_TRUE(StateOf(ID_VIEW_WORKBENCH).enabled);
  EXPECT_EQ(StateOf(ID_VIEW_WORKBENCH).checked, 1);

  Command(ID_VIEW_WORKBENCH);
  EXPECT_FALSE(IsShown(pDoc->GetWorkbenchView()));
  EXPECT_EQ(ActiveProject(), pDoc) << "the design list comes forward";
  EXPECT_EQ(StateOf(ID_VIEW_WORKBENCH).checked, 0);

  Command(ID_VIEW_WORKBENCH);
  EXPECT_TRUE(IsShown(pDoc->GetWorkbenchView()));
  EXPECT_EQ(StateOf(ID_VIEW_WORKBENCH).checked, 1);
}

TEST_F(ShellTest, TogglingThePlanViewTwiceShowsAndHidesOneFrame)
{
  ASSERT_TRUE(Start());
  CDoc* pDoc = ActiveProject();
  EXPECT_TRUE(StateOf(ID_VIEW_PLAN).enabled);
  EXPECT_EQ(StateOf(ID_VIEW_PLAN).checked, 0);
  EXPECT_EQ(pDoc->GetPlanView(), nullptr);

  Command(ID_VIEW_PLAN);
  CView* pPlan = pDoc->GetPlanView();
  ASSERT_NE(pPlan, nullptr);
  EXPECT_TRUE(IsShown(pPlan));
  EXPECT_TRUE(IsShown(pDoc->GetWorkbenchView()));
  EXPECT_EQ(StateOf(ID_VIEW_PLAN).checked, 1);

  Command(ID_VIEW_PLAN);
  EXPECT_EQ(pDoc->GetPlanView(), pPlan);
  EXPECT_FALSE(IsShown(pPlan));
  EXPECT_EQ(StateOf(ID_VIEW_PLAN).checked, 0);
}

TEST_F(ShellTest, ShowAndHideCommandsOpenTheViewsOnceAndCloseViewsHidesAllThree)
{
  ASSERT_TRUE(Start());
  CDoc* pDoc = ActiveProject();
  for (UINT nID : {ID_SHOW_PLAN, ID_SHOW_ELEVATION, ID_SHOW_DETAIL})
    Command(nID);
  CView* views[] = {pDoc->GetPlanView(), pDoc->GetElevationView(), pDoc->GetDetailView()};
  for (CView* pView : views)
    EXPECT_TRUE(IsShown(pView));
  Command(ID_CLOSE_ELEVATION);
  EXPECT_FALSE(IsShown(pDoc->GetElevationView()));
  EXPECT_TRUE(IsShown(pDoc->GetPlanView()));
  Command(ID_SHOW_ELEVATION);
  EXPECT_EQ(pDoc->GetElevationView(), views[1]);
  Command(ID_CLOSE_VIEWS);
  for (CView* pView : views)
    EXPECT_FALSE(IsShown(pView));
  EXPECT_TRUE(IsShown(pDoc->GetWorkbenchView()));
  // Opening the project again only brings it forward: the views stay closed, the Workbench
  // editable.
  const std::string path = PathIn("Views.tpf");
  pDoc->SetPathName(path.c_str(), FALSE);
  EXPECT_EQ(ShellApp().OpenDocumentFile(path.c_str()), pDoc);
  Pump();
  for (CView* pView : views)
    EXPECT_FALSE(IsShown(pView));
  auto* pWorkbench = dynamic_cast<CWorkbenchView*>(pDoc->GetWorkbenchView());
  ASSERT_NE(pWorkbench, nullptr);
  EXPECT_EQ(pWorkbench->GetEditMode(), wemEditable);
}

TEST_F(ShellTest, AReportToggleOpensTheReportVisibleAndThenHidesAndShowsIt)
{
  ASSERT_TRUE(Start());
  CDoc* pDoc = ActiveProject();
  EXPECT_TRUE(StateOf(ID_VIEW_SCHEDULE_REPORT).enabled);
  Command(ID_VIEW_SCHEDULE_REPORT);
  CView* pReport = pDoc->GetScheduleReportView();
  ASSERT_NE(pReport, nullptr);
  EXPECT_TRUE(IsShown(pReport));
  EXPECT_EQ(pDoc->GetUnitInfoReportView(), nullptr);
  EXPECT_EQ(StateOf(ID_VIEW_SCHEDULE_REPORT).checked, 1);
  EXPECT_EQ(StateOf(ID_VIEW_UNIT_INFO_REPORT).checked, 0);
  Command(ID_VIEW_SCHEDULE_REPORT);
  EXPECT_FALSE(IsShown(pReport));
  Command(ID_VIEW_SCHEDULE_REPORT);
  EXPECT_TRUE(IsShown(pReport));
  EXPECT_EQ(pDoc->GetScheduleReportView(), pReport);
}

TEST_F(ShellTest, ToolbarButtonsShowTheUpdateHandlersStatesAtIdle)
{
  ASSERT_TRUE(Start());
  CToolBar* pToolBar = MainFrame()->GetMainToolBar();
  ShellApp().RunIdle();
  QAction* pWorkbench = pToolBar->GetAction(pToolBar->CommandToIndex(ID_VIEW_WORKBENCH));
  QAction* pPlan = pToolBar->GetAction(pToolBar->CommandToIndex(ID_VIEW_PLAN));
  ASSERT_NE(pWorkbench, nullptr);
  EXPECT_TRUE(pWorkbench->isEnabled());
  EXPECT_TRUE(pWorkbench->isChecked());
  EXPECT_TRUE(pPlan->isEnabled());
  EXPECT_FALSE(pPlan->isChecked());
  Command(ID_VIEW_WORKBENCH);
  ShellApp().RunIdle();
  EXPECT_FALSE(pWorkbench->isChecked());
}

// Left alone with a project open, the program does nothing until something is due. A text
// cursor blinking in the field that has the keyboard is the toolkit's own timer: it repaints the
// cursor and runs no idle pass of the update handlers, which nothing it does could change.
TEST_F(ShellTest, ABlinkingTextCursorRunsNoIdlePass)
{
  ASSERT_TRUE(Start());
  QLineEdit* field = FocusProjectNameField(ActiveProject());
  ASSERT_NE(field, nullptr);
  Pump();
  ShellApp().RunIdle();
  class CTimerCount : public QObject
  {
  public:
    bool eventFilter(QObject*, QEvent* event) override
    {
      count += event->type() == QEvent::Timer ? 1 : 0;
      return false;
    }
    int count = 0;
  } timers;
  qApp->installEventFilter(&timers);
  const unsigned long idleRuns = ShellApp().GetIdleRunCount();
  // Three blinks and more at the toolkit's half second, with no input and nothing posted.
  QEventLoop loop;
  QTimer::singleShot(1800, &loop, &QEventLoop::quit);
  loop.exec();
  qApp->removeEventFilter(&timers);
  ASSERT_EQ(QApplication::focusWidget(), field);
  ASSERT_GE(timers.count, 3) << "the cursor blinked";
  EXPECT_EQ(ShellApp().GetIdleRunCount() - idleRuns, 0u) << "idle passes in " << timers.count << " timer events";
}

TEST_F(ShellTest, TheProjectMenuGreysWhatTheUpdateHandlersDisable)
{
  ASSERT_TRUE(Start());
  CDoc* pDoc = ActiveProject();
  Command(ID_VIEW_WORKBENCH);
  CMenu* pMenu = CMenu::FromHandle(ShellApp().GetWarehouseTemplate()->m_hMenuShared);
  pMenu->UpdateCommandStates(MainFrame(), TRUE);
  EXPECT_FALSE(pMenu->GetMenuState(ID_PROJECT_SETTINGS, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_FALSE(pMenu->GetMenuState(ID_VIEW_WORKBENCH, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_TRUE(pMenu->GetMenuState(ID_FILE_PRINT, MF_BYCOMMAND) & MF_GRAYED) << "the design list cannot print";
  ASSERT_NE(pDoc, nullptr);
}

TEST_F(ShellTest, TheMdiClientIsGreyWithTheMakersNameAtTheTopRight)
{
  ASSERT_TRUE(Start());
  CWnd* pClient = CWnd::FromHandlePermanent(MainFrame()->m_hWndMDIClient);
  ASSERT_NE(dynamic_cast<CMainFrameClient*>(pClient), nullptr);
  pClient->RedrawWindow();
  CRect client;
  pClient->GetClientRect(&client);
  ASSERT_GT(client.Width(), 200);
  EXPECT_EQ(pClient->GetSurfacePixel(client.left + 2, client.bottom - 3), CMainFrameClient::kBackground);
  auto captionSpan = [pClient](const CRect& area) {
    CRect span(area.right, 0, -1, 0);
    for (int y = 0; y < 60 && y < area.bottom; ++y)
      for (int x = 0; x < area.right; ++x)
        if (pClient->GetSurfacePixel(x, y) == CMainFrameClient::kCaption) {
          span.left = std::min<int>(span.left, x);
          span.right = std::max<int>(span.right, x);
        }
    return span;
  };
  CRect before = captionSpan(client);
  ASSERT_LE(before.left, before.right) << "the caption is drawn";
  EXPECT_GT(before.right, client.right - 60) << "it hangs from the right edge";

  // A wider window moves the caption by the same amount, leaving no trace at its old place.
  CRect frame;
  MainFrame()->GetWindowRect(&frame);
  MainFrame()->MoveWindow(frame.left, frame.top, frame.Width() + 100, frame.Height());
  Pump();
  pClient->UpdateWindow();
  CRect wider;
  pClient->GetClientRect(&wider);
  int growth = wider.Width() - client.Width();
  ASSERT_GT(growth, 50);
  CRect after = captionSpan(wider);
  EXPECT_EQ(after.left, before.left + growth);
  EXPECT_EQ(after.right, before.right + growth);
  EXPECT_EQ(pClient->GetSurfacePixel(before.left, 20), CMainFrameClient::kBackground);
}

TEST_F(ShellTest, TheMdiClientScrollsToTheDesignListOfASmallMainWindow)
{
  ASSERT_TRUE(Start());
  CDoc* pDoc = ActiveProject();
  ASSERT_NE(pDoc, nullptr);
  CWarehouseView* pList = DesignList(pDoc);
  ASSERT_NE(pList, nullptr);
  auto* pSub = qobject_cast<QMdiSubWindow*>(pList->GetParentFrame()->GetOuterHandle());
  ASSERT_NE(pSub, nullptr);
  QMdiArea* pArea = MainFrame()->MdiArea();
  // The main window as small as it goes, the design list beyond the client's lower right.
  CRect frame;
  MainFrame()->GetWindowRect(&frame);
  MainFrame()->MoveWindow(frame.left, frame.top, 1, 1);
  Pump();
  QWidget* pClient = pArea->viewport();
  pSub->move(pClient->width() + 40, pClient->height() + 40);
  Pump();
  ASSERT_FALSE(pClient->rect().intersects(pSub->geometry()));
  // Clicks on the arrows at the bars' far ends, a step each, until the list's far corner shows.
  const auto farSide = [pSub](Qt::Orientation orientation) {
    return orientation == Qt::Horizontal ? pSub->geometry().right() : pSub->geometry().bottom();
  };
  for (QScrollBar* pBar : {pArea->horizontalScrollBar(), pArea->verticalScrollBar()}) {
    ASSERT_TRUE(pBar->isVisible());
    const bool across = pBar->orientation() == Qt::Horizontal;
    const QPoint arrow =
        across ? QPoint(pBar->width() - 3, pBar->height() / 2) : QPoint(pBar->width() / 2, pBar->height() - 3);
    const int reach = across ? pClient->width() : pClient->height();
    for (int click = 0; click < 2000 && farSide(pBar->orientation()) >= reach && pBar->value() < pBar->maximum();
         ++click)
      QTest::mouseClick(pBar, Qt::LeftButton, Qt::NoModifier, arrow);
  }
  Pump();
  const QRect shown = pSub->geometry();
  EXPECT_TRUE(pClient->rect().contains(shown.bottomRight()))
      << shown.x() << "," << shown.y() << " " << shown.width() << "x" << shown.height() << " in " << pClient->width()
      << "x" << pClient->height();
}

TEST_F(ShellTest, RemoveDebugMenuTakesOnlyTheDebugPopup)
{
  ASSERT_TRUE(Start());
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_PLAN_VIEW));
  UINT count = menu.GetMenuItemCount();
  CMainFrame::RemoveDebugMenu(menu.GetSafeHmenu());
  ASSERT_EQ(menu.GetMenuItemCount(), count - 1);
  for (UINT i = 0; i < menu.GetMenuItemCount(); ++i) {
    CString text;
    menu.GetMenuString(i, text, MF_BYPOSITION);
    EXPECT_NE(text, "&Debug");
  }
  CMainFrame::RemoveDebugMenu(menu.GetSafeHmenu());
  EXPECT_EQ(menu.GetMenuItemCount(), count - 1) << "a menu without it is left alone";
}

TEST_F(ShellTest, ASavedWindowRectangleIsRestored)
{
  {
    std::ofstream profile(ShellTempDir() + "/Tarvex Windows/Panecraft.ini", std::ios::app);
    profile << "MainWindowRect=10,20,700,500\n";
  }
  ASSERT_TRUE(Start());
  CRect rect;
  MainFrame()->GetWindowRect(&rect);
  EXPECT_EQ(rect, CRect(10, 20, 700, 500));
}

TEST(AdornedCaption, NamesTheProjectTheFrameAndTheEditedDesign)
{
  EXPECT_EQ(CDlgAdornedFrame::ComposeCaption("Proj1", "Plan View", "Kitchen", TRUE), "Proj1: Plan View Kitchen");
  EXPECT_EQ(CDlgAdornedFrame::ComposeCaption("Proj1", "Plan View", "", FALSE), "Proj1: Plan View");
  EXPECT_EQ(CDlgAdornedFrame::ComposeCaption("Proj1", "Plan View", "", TRUE), "Proj1: Plan View ");
}

TEST_F(ShellTest, AFloatingDialogBarStepsAsideWhileItsFrameIsInactive)
{
  ASSERT_TRUE(Start());
  CDoc* pDoc = ActiveProject();
  Command(ID_SHOW_PLAN);
  auto* pPlanFrame = dynamic_cast<CDlgAdornedFrame*>(pDoc->GetPlanView()->GetParentFrame());
  ASSERT_NE(pPlanFrame, nullptr);
  CString caption;
  pPlanFrame->GetWindowText(caption);
  EXPECT_EQ(caption, "Proj1: (Plan) ");
  CDialogBar* pBar = pPlanFrame->GetDialogBar();
  CString barTitle;
  pBar->GetWindowText(barTitle);
  EXPECT_EQ(barTitle, "Plan Dialog Bar");
  ASSERT_FALSE(pBar->IsFloating()) << "docked at the bottom";
  pBar->Float(CPoint(40, 40));
  ASSERT_TRUE(pBar->IsFloating());

  MainFrame()->MDIActivate(pDoc->GetWarehouseView()->GetParentFrame());
  Pump();
  EXPECT_FALSE(pBar->IsWindowVisible());
  MainFrame()->MDIActivate(pPlanFrame);
  Pump();
  EXPECT_TRUE(pBar->IsWindowVisible());

  // The toggle works on the frame's own bar, twice back to the start.
  pPlanFrame->SendMessage(WM_COMMAND, ID_TOGGLE_PLAN_BAR);
  EXPECT_FALSE(pBar->IsWindowVisible());
  pPlanFrame->SendMessage(WM_COMMAND, ID_TOGGLE_PLAN_BAR);
  EXPECT_TRUE(pBar->IsWindowVisible());
}

TEST_F(ShellTest, ADockedDialogBarStaysWhenItsFrameIsInactive)
{
  ASSERT_TRUE(Start());
  CDoc* pDoc = ActiveProject();
  Command(ID_SHOW_DETAIL);
  auto* pDetailFrame = dynamic_cast<CDlgAdornedFrame*>(pDoc->GetDetailView()->GetParentFrame());
  ASSERT_NE(pDetailFrame, nullptr);
  MainFrame()->MDIActivate(pDoc->GetWarehouseView()->GetParentFrame());
  Pump();
  EXPECT_TRUE(pDetailFrame->GetDialogBar()->IsWindowVisible());
}

TEST_F(ShellTest, ARightClickOnTheMdiClientOffersTheMainCommands)
{
  ASSERT_TRUE(Start());
  CWnd* pClient = CWnd::FromHandlePermanent(MainFrame()->m_hWndMDIClient);
  ASSERT_NE(pClient, nullptr);
  CRect client;
  pClient->GetClientRect(&client);
  service.popupChoices.push_back(ID_APPLICATION_SETTINGS);
  OnNextDialog([](CDialog& dialog) {
    CString caption;
    dialog.GetWindowText(caption);
    EXPECT_EQ(caption, "Application Settings");
    ClickButton(dialog, IDCANCEL);
  });
  pClient->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(client.right - 10, client.bottom - 10));
  pClient->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(client.right - 10, client.bottom - 10));
  Pump();
  ASSERT_EQ(service.popupMenus.size(), 1u);
  EXPECT_EQ(service.popupMenus[0], (std::vector<CString>{"New Project", "Open Project...", "", "Settings..."}));
  EXPECT_TRUE(service.dialogActions.empty()) << "the chosen command ran";
}

TEST_F(ShellTest, AMainFrameWhoseToolbarCannotBeMadeIsNotCreated)
{
  // Trace output is looked for once, at the first trace.
  setenv("PANECRAFT_TRACE", "1", 1);
  ASSERT_TRUE(Start());
  // A toolbar bitmap of no size cannot be loaded.
  CResources::Get().AddBitmap(IDB_MAINFRAME_TOOLBAR, CBitmapTemplate());
  testing::internal::CaptureStderr();
  // A frame whose creation fails deletes itself.
  const BOOL created = (new CMainFrame)->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE);
  const std::string trace = testing::internal::GetCapturedStderr();
  EXPECT_FALSE(created);
  EXPECT_NE(trace.find("Failed to create toolbar\n"), std::string::npos) << trace;
  EXPECT_EQ(trace.find("Failed to create status bar"), std::string::npos) << trace;
}
