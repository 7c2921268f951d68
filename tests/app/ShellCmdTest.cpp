// Every command of the main window's menus answers: Exit, the toolbar and status bar switches
// with their check marks, the Window menu's arrangements (inside a narrow client too) and its
// numbered list of the open windows, and Print Setup as a page set-up; with no project open the title is the product's.
#include <string>
#include <utility>
#include <vector>

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QPrinter>
#include <QTest>

#include "ShellTestApp.h"
#include "app/App.h"
#include "app/Mainfrm.h"
#include "app/Shellids.h"
#include "document/Doc.h"
#include "document/Whview.h"
#include "ui/docview/View.h"
#include "ui/frame/Frame.h"
#include "ui/frame/MdiFrame.h"

namespace {
class CmdTest : public ShellProjectTest
{
protected:
  // The popup of the main window's menu bar with that title, opened as a click would open it.
  QMenu* OpenMenu(const char* title)
  {
    auto* bar = MainFrame()->GetOuterHandle()->findChild<QMenuBar*>();
    if (!bar)
      return nullptr;
    for (QAction* action : bar->actions())
      if (action->text() == title && action->menu()) {
        emit action->menu()->aboutToShow();
        return action->menu();
      }
    return nullptr;
  }

  // The texts of the menu's items after its last separator, "*" marking a checked one.
  static std::vector<std::string> ItemsAfterSeparator(QMenu* menu)
  {
    std::vector<std::string> items;
    for (QAction* action : menu->actions()) {
      if (action->isSeparator()) {
        items.clear();
        continue;
      }
      std::string item = action->text().toStdString();
      if (action->isChecked())
        item.insert(0, 1, '*');
      items.push_back(std::move(item));
    }
    return items;
  }

  static QAction* ActionNamed(QMenu* menu, const char* text)
  {
    for (QAction* action : menu->actions())
      if (action->text() == text)
        return action;
    return nullptr;
  }

  // The popup of the main window's menu bar with that title, as it stands, not opened.
  QMenu* MenuAsItStands(const char* title)
  {
    auto* bar = MainFrame()->GetOuterHandle()->findChild<QMenuBar*>();
    for (QAction* action : bar ? bar->actions() : QList<QAction*>())
      if (action->text() == title)
        return action->menu();
    return nullptr;
  }

  QMdiArea* Area() { return MainFrame()->MdiArea(); }

  std::vector<QMdiSubWindow*> Shown()
  {
    std::vector<QMdiSubWindow*> shown;
    for (QMdiSubWindow* sub : Area()->subWindowList(QMdiArea::CreationOrder))
      if (!sub->isHidden())
        shown.push_back(sub);
    return shown;
  }
};

using Items = std::vector<std::string>;
}  // namespace

// The marks of the bar switches are the bars' own from the start, and follow a bar however it
// is shown or hidden, also in a menu nobody has opened since (a desktop that shows the program's
// menus itself reads them as they stand): each is what the update handlers give it.
TEST_F(CmdTest, TheBarSwitchesMarksFollowTheBarsWithoutTheMenuOpened)
{
  QMenu* view = MenuAsItStands("&View");
  ASSERT_NE(view, nullptr);
  QAction* toolbar = ActionNamed(view, "&Toolbar");
  QAction* status = ActionNamed(view, "&Status Bar");
  ASSERT_TRUE(toolbar && status);
  const auto marksAsHandled = [&](const char* when) {
    EXPECT_EQ(status->isChecked(), StateOf(ID_VIEW_STATUS_BAR).checked == 1) << when;
    EXPECT_EQ(toolbar->isChecked(), StateOf(ID_VIEW_TOOLBAR).checked == 1) << when;
  };
  EXPECT_TRUE(status->isChecked()) << "the status bar shows at start";
  marksAsHandled("at start");
  Command(ID_VIEW_STATUS_BAR);
  EXPECT_FALSE(status->isChecked());
  marksAsHandled("the status bar switched off");
  const bool toolbarShown = toolbar->isChecked();
  Command(ID_VIEW_TOOLBAR);
  EXPECT_NE(toolbar->isChecked(), toolbarShown);
  marksAsHandled("the toolbar switched");
  MainFrame()->GetStatusBar()->ShowWindow(SW_SHOWNA);
  EXPECT_TRUE(status->isChecked());
  marksAsHandled("the status bar shown by the program");
}

TEST_F(CmdTest, ExitAndTheBarSwitchesAreLiveAndShowTheBarsState)
{
  EXPECT_TRUE(StateOf(ID_APP_EXIT).enabled);
  for (UINT nID : {UINT{ID_VIEW_TOOLBAR}, UINT{ID_VIEW_STATUS_BAR}}) {
    EXPECT_TRUE(StateOf(nID).enabled) << nID;
    EXPECT_EQ(StateOf(nID).checked, 1) << nID;
  }
  Command(ID_VIEW_TOOLBAR);
  EXPECT_FALSE(MainFrame()->GetMainToolBar()->IsWindowVisible());
  EXPECT_EQ(StateOf(ID_VIEW_TOOLBAR).checked, 0);
  EXPECT_EQ(StateOf(ID_VIEW_STATUS_BAR).checked, 1);
  Command(ID_VIEW_STATUS_BAR);
  EXPECT_FALSE(MainFrame()->GetStatusBar()->IsWindowVisible());
  EXPECT_EQ(StateOf(ID_VIEW_STATUS_BAR).checked, 0);
  Command(ID_VIEW_TOOLBAR);
  Command(ID_VIEW_STATUS_BAR);
  EXPECT_TRUE(MainFrame()->GetMainToolBar()->IsWindowVisible());
  EXPECT_TRUE(MainFrame()->GetStatusBar()->IsWindowVisible());

  // The menu shows the same marks when it opens.
  QMenu* view = OpenMenu("&View");
  ASSERT_NE(view, nullptr);
  QAction* toolbar = ActionNamed(view, "&Toolbar");
  ASSERT_NE(toolbar, nullptr);
  EXPECT_TRUE(toolbar->isEnabled());
  EXPECT_TRUE(toolbar->isChecked());
}

TEST_F(CmdTest, TheWindowMenuListsTheOpenWindowsAndChoosingOneActivatesIt)
{
  for (UINT nID : {ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_ARRANGE})
    EXPECT_TRUE(StateOf(nID).enabled) << nID;
  QMenu* window = OpenMenu("&Window");
  ASSERT_NE(window, nullptr);
  // The design list and the Workbench, which is active.
  EXPECT_EQ(ItemsAfterSeparator(window), (Items{"&1 Proj1", "*&2 Unnamed (Workbench)"}));

  QAction* first = ActionNamed(window, "&1 Proj1");
  ASSERT_NE(first, nullptr);
  first->trigger();
  Pump();
  EXPECT_EQ(MainFrame()->MDIGetActive(), m_pDoc->GetWarehouseView()->GetParentFrame());

  // A second project's design list joins the list, the first project's Workbench steps back
  // with its project; opening the menu again makes the list anew.
  Command(ID_FILE_NEW);
  window = OpenMenu("&Window");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ItemsAfterSeparator(window), (Items{"&1 Proj1", "&2 Proj2", "*&3 Unnamed (Workbench)"}));
  window = OpenMenu("&Window");
  EXPECT_EQ(ItemsAfterSeparator(window).size(), 3u);
}

TEST_F(CmdTest, CascadeTileAndArrangeIconsPlaceTheOpenWindows)
{
  std::vector<QMdiSubWindow*> shown = Shown();
  ASSERT_EQ(shown.size(), 2u);
  Command(ID_WINDOW_TILE_HORZ);
  EXPECT_FALSE(shown[0]->geometry().intersects(shown[1]->geometry())) << "tiled windows do not overlap";
  QWidget* list = m_pDoc->GetWarehouseView()->GetParentFrame()->GetOuterHandle();
  QWidget* bench = shown[0] == list ? shown[1] : shown[0];
  ASSERT_TRUE(list == shown[0] || list == shown[1]);
  const QSize listSize = list->size();
  Command(ID_WINDOW_CASCADE);
  EXPECT_TRUE(shown[0]->geometry().intersects(shown[1]->geometry()));
  EXPECT_NE(shown[0]->pos(), shown[1]->pos()) << "cascaded windows are staggered";
  // Each steps down and to the right by the same amount; the Workbench takes most of the client,
  // the design list, which has no sizing border, keeps its size.
  const QPoint step = bench->pos() - list->pos();
  EXPECT_GT(step.x(), 0);
  EXPECT_EQ(step.x(), step.y());
  EXPECT_EQ(list->size(), listSize);
  const QSize client = Area()->viewport()->size();
  EXPECT_GT(bench->width(), client.width() / 2);
  EXPECT_GT(bench->height(), client.height() / 2);
  EXPECT_LE(bench->x() + bench->width(), client.width());
  EXPECT_LE(bench->y() + bench->height(), client.height());

  shown[0]->showMinimized();
  Pump();
  Command(ID_WINDOW_ARRANGE);
  EXPECT_EQ(shown[0]->geometry().bottom(), Area()->viewport()->rect().bottom());
  EXPECT_EQ(shown[0]->x(), 0);
}

// In a narrow main window the tiled windows still lie wholly inside the client, so every close box
// is in reach, and the design list, which has no sizing border, keeps its size.
TEST_F(CmdTest, TileInANarrowMainWindowKeepsEveryWindowInsideTheClient)
{
  QWidget* main = MainFrame()->GetOuterHandle();
  main->resize(800, main->height());
  Pump();
  Command(ID_VIEW_SCHEDULE_REPORT);
  std::vector<QMdiSubWindow*> shown = Shown();
  ASSERT_EQ(shown.size(), 3u);
  QWidget* list = m_pDoc->GetWarehouseView()->GetParentFrame()->GetOuterHandle();
  const QSize listSize = list->size();

  Command(ID_WINDOW_TILE_HORZ);
  const QRect client = Area()->viewport()->rect();
  for (QMdiSubWindow* sub : shown)
    EXPECT_TRUE(client.contains(sub->geometry()))
        << sub->windowTitle().toStdString() << " at " << sub->x() << ", " << sub->y() << ", " << sub->width() << " x "
        << sub->height() << " in " << client.width() << " x " << client.height();
  EXPECT_EQ(list->size(), listSize);
  EXPECT_FALSE(Area()->horizontalScrollBar()->isVisible());
  EXPECT_FALSE(Area()->verticalScrollBar()->isVisible());
}

// Tile lays the active window first, at the top of the first column, whichever window it is.
TEST_F(CmdTest, TileLaysTheActiveWindowFirst)
{
  Command(ID_VIEW_SCHEDULE_REPORT);
  ASSERT_NE(m_pDoc->GetScheduleReportView(), nullptr);
  QWidget* bench = m_pDoc->GetWorkbenchView()->GetParentFrame()->GetOuterHandle();
  QWidget* report = m_pDoc->GetScheduleReportView()->GetParentFrame()->GetOuterHandle();
  for (QWidget* active : {bench, report, bench}) {
    QWidget* other = active == bench ? report : bench;
    MainFrame()->MDIActivate(CWnd::FromHandlePermanent(active));
    Pump();
    Command(ID_WINDOW_TILE_HORZ);
    EXPECT_EQ(active->y(), 0) << active->windowTitle().toStdString();
    EXPECT_EQ(other->y(), active->height()) << "the other one below it";
    EXPECT_EQ(other->x(), active->x());
  }
}

// In a main window too small for it a design list, which has no sizing border, keeps its size when
// it shows and through Tile and Cascade, and the client scrolls to it; at full size Tile still
// lays the windows side by side.
TEST_F(CmdTest, TileInATinyMainWindowLeavesTheDesignListsTheirSize)
{
  QWidget* main = MainFrame()->GetOuterHandle();
  const QSize full = main->size();
  QWidget* first = m_pDoc->GetWarehouseView()->GetParentFrame()->GetOuterHandle();
  const QSize listSize = first->size();
  main->resize(459, 139);
  Pump();
  ASSERT_LT(Area()->viewport()->height(), listSize.height());
  Command(ID_FILE_NEW);
  ASSERT_EQ(Projects().size(), 2u);
  CDoc* pSecond = Projects()[1];
  QWidget* second = pSecond->GetWarehouseView()->GetParentFrame()->GetOuterHandle();
  QWidget* bench = pSecond->GetWorkbenchView()->GetParentFrame()->GetOuterHandle();
  EXPECT_EQ(second->size(), listSize) << "shown in the tiny window";
  for (UINT nID : {ID_WINDOW_TILE_HORZ, ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ}) {
    Command(nID);
    Pump();
    EXPECT_EQ(first->size(), listSize) << nID;
    EXPECT_EQ(second->size(), listSize) << nID;
  }
  EXPECT_TRUE(Area()->verticalScrollBar()->isVisible()) << "the client scrolls to the lists";

  main->resize(full);
  Pump();
  Command(ID_WINDOW_TILE_HORZ);
  Pump();
  const QRect client = Area()->viewport()->rect();
  for (QWidget* list : {first, second}) {
    EXPECT_EQ(list->size(), listSize);
    EXPECT_FALSE(list->geometry().intersects(bench->geometry()));
    EXPECT_TRUE(client.contains(list->geometry()));
  }
  EXPECT_TRUE(client.contains(bench->geometry()));
  EXPECT_GT(bench->width() * bench->height(), client.width() * client.height() / 3) << "the Workbench takes the rest";
}

// A report window places no size of its own: it opens as large as a cascade makes a window, with
// room for the report's columns and many of its lines, and inside the client.
TEST_F(CmdTest, AReportWindowOpensAsLargeAsACascadeMakesIt)
{
  Command(ID_VIEW_SCHEDULE_REPORT);
  std::vector<QMdiSubWindow*> shown = Shown();
  ASSERT_EQ(shown.size(), 3u);
  QMdiSubWindow* report = shown.back();
  const QSize client = Area()->viewport()->size();
  const QSize opened = report->size();
  EXPECT_GT(opened.width(), client.width() / 2);
  EXPECT_GT(opened.height(), client.height() / 2);
  EXPECT_TRUE(Area()->viewport()->rect().contains(report->geometry()));
  Command(ID_WINDOW_CASCADE);
  EXPECT_EQ(report->size(), opened) << "the cascade gives the report the size it opened at";
}

TEST_F(CmdTest, PrintSetupIsAPageSetupWhoseChoicesThePrinterKeeps)
{
  EXPECT_TRUE(StateOf(ID_FILE_PRINT_SETUP).enabled);
  service.pageSetups.push_back({IDOK, [](QPrinter& printer) { printer.setPageOrientation(QPageLayout::Landscape); }});
  Command(ID_FILE_PRINT_SETUP);
  EXPECT_EQ(service.pageSetupsShown, 1);
  EXPECT_TRUE(service.printAnswers.empty());
  EXPECT_EQ(ShellApp().GetPrinter()->pageLayout().orientation(), QPageLayout::Landscape);
}

TEST_F(CmdTest, WithNoProjectOpenTheTitleIsTheProductsAndTheWindowCommandsRest)
{
  CString title;
  MainFrame()->GetWindowText(title);
  EXPECT_EQ(title, "Panecraft - Proj1");
  service.messageAnswers.push_back(IDNO);
  Command(ID_FILE_CLOSE);
  ASSERT_TRUE(Projects().empty());
  MainFrame()->GetWindowText(title);
  EXPECT_EQ(title, "Panecraft");
  EXPECT_TRUE(StateOf(ID_APP_EXIT).enabled);
  EXPECT_FALSE(StateOf(ID_WINDOW_CASCADE).enabled);
  EXPECT_EQ(OpenMenu("&Window"), nullptr) << "the main window's own menu has no Window menu";
}

// The MDI client's keys, typed into the active window's view: Ctrl+F6 and Ctrl+Tab activate the
// next window round all the open ones, with Shift the one before, and Ctrl+F4 closes the active
// window as its close box does.
TEST_F(CmdTest, CtrlF6AndCtrlTabStepThroughTheWindowsAndCtrlF4ClosesTheActiveOne)
{
  Command(ID_VIEW_SCHEDULE_REPORT);
  ASSERT_EQ(Shown().size(), 3u);
  auto press = [this](int key, Qt::KeyboardModifiers modifiers) {
    CMDIChildWnd* active = MainFrame()->MDIGetActive();
    ASSERT_NE(active, nullptr);
    CView* view = active->GetActiveView();
    QTest::keyClick(view ? view->m_hWnd : active->m_hWnd, static_cast<Qt::Key>(key), modifiers);
    Pump();
  };
  QMdiSubWindow* first = Area()->activeSubWindow();
  ASSERT_NE(first, nullptr);
  std::vector<QMdiSubWindow*> visited{first};
  for (int i = 0; i < 3; ++i) {
    press(Qt::Key_F6, Qt::ControlModifier);
    visited.push_back(Area()->activeSubWindow());
  }
  EXPECT_EQ(visited[3], first) << "three steps come round the three windows";
  EXPECT_NE(visited[1], first);
  EXPECT_NE(visited[2], first);
  EXPECT_NE(visited[1], visited[2]);
  press(Qt::Key_F6, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Area()->activeSubWindow(), visited[2]) << "with Shift, the window before";
  press(Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(Area()->activeSubWindow(), first);
  press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Area()->activeSubWindow(), visited[2]);

  // The report is closed; the design list and the Workbench stay.
  CView* report = m_pDoc->GetScheduleReportView();
  ASSERT_NE(report, nullptr);
  report->GetParentFrame()->ActivateFrame(-1);
  Pump();
  press(Qt::Key_F4, Qt::ControlModifier);
  EXPECT_EQ(Shown().size(), 2u);
  EXPECT_TRUE(m_pDoc->GetWarehouseView() && m_pDoc->GetWorkbenchView());
}
