// Guards the manual behind Help: F1 on a command opens the page its help id maps to in the help
// window, two presses within two seconds open it once, "ShowHelpID" shows its box and opens
// nothing, Help Topics opens the contents, the help window asked from a modal dialog takes input
// in front of it and keeps its place, its title names the page once, and every page is reachable
// from the contents with no dead link. The Help button of a dialog opens the dialog's topic as F1
// does; Escape closes the help window, and a window opened again starts a history of its own. A
// minimised help window comes back restored and in front whichever way help is asked for.
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QWindow>

#include "ShellTestApp.h"
#include "app/App.h"
#include "app/Dlgids.h"
#include "app/Helpmap.h"
#include "app/Mainfrm.h"
#include "document/Whids.h"
#include "ui/dlg/Dialog.h"
#include "ui/wnd/HelpWnd.h"
#include "workbench/frame/Wbids.h"

namespace {

namespace fs = std::filesystem;

std::string BuildManualFolder() { return std::string(std::getenv("PANECRAFT_BINARY_DIR")) + "/share/panecraft/help"; }
std::string SourceManualFolder() { return std::string(std::getenv("PANECRAFT_SOURCE_DIR")) + "/app/help"; }

class ShellHelpTest : public ShellTest
{
protected:
  void StartWithManual()
  {
    ASSERT_TRUE(Start());
    EXPECT_TRUE(IsHelpSinkSet()) << "the program ends help requests in its help window";
    // The build tree's copy of the manual, as the program finds it beside itself.
    sink = std::make_unique<CHelpWindowSink>(BuildManualFolder().c_str(), ManualTopicFor, kManualContents);
    SetHelpSink(sink.get());
  }
  void TearDown() override
  {
    SetHelpSink(nullptr);
    sink.reset();
    ShellTest::TearDown();
  }
  QString Shown() const
  {
    return sink->Browser() ? QFileInfo(sink->Browser()->source().toLocalFile()).fileName() : QString();
  }
  QMenu* MenuOfBar(const QString& text) const
  {
    auto* window = qobject_cast<QMainWindow*>(MainFrame()->m_hWnd);
    for (QAction* action : window->menuBar()->actions())
      if (action->text().remove('&') == text)
        return action->menu();
    return nullptr;
  }
  void PressF1OnMainWindow() { QTest::keyClick(MainFrame()->m_hWnd, Qt::Key_F1); }
  // The help window's toolbar action of the text; null when there is none.
  QAction* HelpAction(const QString& text) const
  {
    for (QAction* action : sink->Window()->findChildren<QAction*>())
      if (action->text() == text)
        return action;
    return nullptr;
  }

  std::unique_ptr<CHelpWindowSink> sink;
};

TEST_F(ShellHelpTest, F1OnAHighlightedCommandOpensTheTopicItsIdMapsTo)
{
  StartWithManual();
  QMenu* view = MenuOfBar("View");
  ASSERT_NE(view, nullptr);
  view->popup(QPoint(10, 10));
  ASSERT_TRUE(PumpUntil([&] { return view->isVisible(); }));
  QAction* workbench = nullptr;
  for (QAction* action : view->actions())
    if (action->data().toUInt() == 334)
      workbench = action;
  ASSERT_NE(workbench, nullptr);
  QTest::mouseMove(view, view->actionGeometry(workbench).center());
  ASSERT_TRUE(PumpUntil([&] { return view->activeAction() == workbench; }));
  QTest::keyClick(view, Qt::Key_F1);
  Pump();
  EXPECT_EQ(sink->OpenCount(), 1);
  EXPECT_EQ(Shown(), QString("workbench.html")) << "command 334 is one of the Workbench's hundred";
  EXPECT_FALSE(view->isVisible()) << "the menu closes";
  ASSERT_NE(sink->Window(), nullptr);
  EXPECT_TRUE(sink->Window()->isVisible());
}

TEST_F(ShellHelpTest, F1OnAUnitInASubmenuOpensTheUnitsTopicAndClosesTheMenus)
{
  StartWithManual();
  QMenu* insert = MenuOfBar("Insert");
  ASSERT_NE(insert, nullptr);
  insert->popup(QPoint(10, 10));
  ASSERT_TRUE(PumpUntil([&] { return insert->isVisible(); }));
  QMenu* units = nullptr;
  for (QAction* action : insert->actions())
    if (!units && action->menu())
      units = action->menu();
  ASSERT_NE(units, nullptr);
  units->popup(QPoint(200, 10));
  ASSERT_TRUE(PumpUntil([&] { return units->isVisible(); }));
  QAction* unit = units->actions().value(0);
  ASSERT_NE(unit, nullptr);
  QTest::mouseMove(units, units->actionGeometry(unit).center());
  ASSERT_TRUE(PumpUntil([&] { return units->activeAction() == unit; }));
  QTest::keyClick(units, Qt::Key_F1);
  Pump();
  EXPECT_EQ(sink->OpenCount(), 1);
  EXPECT_EQ(Shown(), QString("units.html")) << "new-unit command " << unit->data().toUInt();
  EXPECT_FALSE(units->isVisible());
  EXPECT_FALSE(insert->isVisible());
}

TEST_F(ShellHelpTest, TwoF1PressesWithinTwoSecondsOpenTheTopicOnceAndHelpTopicsOpensTheContents)
{
  StartWithManual();
  PressF1OnMainWindow();
  PressF1OnMainWindow();
  Pump();
  EXPECT_EQ(sink->OpenCount(), 1);
  EXPECT_EQ(Shown(), QString("workbench.html")) << "the active Workbench window's id, 308";
  // Help Topics is enabled and opens the contents once the throttle has run out.
  EXPECT_TRUE(StateOf(ID_HELP_INDEX).enabled);
  ASSERT_TRUE(PumpUntil([&] {
    Command(ID_HELP_INDEX);
    return sink->OpenCount() == 2;
  }));
  EXPECT_EQ(Shown(), QString("index.html"));
}

TEST_F(ShellHelpTest, ShowHelpIdShowsItsBoxAndOpensNothing)
{
  {
    std::ofstream profile(ShellTempDir() + "/Tarvex Windows/Panecraft.ini", std::ios::app);
    profile << "[Debug]\nShowHelpID=1\n";
  }
  StartWithManual();
  PressF1OnMainWindow();
  Pump();
  EXPECT_EQ(sink->OpenCount(), 0);
  EXPECT_EQ(sink->Window(), nullptr);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], CString("About to call WinHelp:\nCommand = HELP_CONTEXT\nHelp ID = 65836 - 300\n"))
      << "the Workbench the program opens on";
}

TEST_F(ShellHelpTest, TheHelpWindowGoesBackAndForward)
{
  StartWithManual();
  sink->ShowTopic(kManualContents);
  QTextBrowser* browser = sink->Browser();
  browser->setSource(browser->source().resolved(QUrl("reports.html")));
  EXPECT_EQ(Shown(), QString("reports.html"));
  QAction* back = HelpAction("&Back");
  ASSERT_NE(back, nullptr);
  EXPECT_TRUE(back->isEnabled());
  back->trigger();
  EXPECT_EQ(Shown(), QString("index.html"));
  EXPECT_NE(sink->Window()->windowTitle().indexOf("Panecraft Help"), -1);
}

TEST_F(ShellHelpTest, TheAboutBoxsNoticeAndF1InADialogOpenTheirTopics)
{
  StartWithManual();
  OnNextDialog([](CDialog& dialog) { ClickButton(dialog, IDC_IMPORTANT_NOTICE); });
  Command(ID_APP_ABOUT);
  EXPECT_EQ(sink->OpenCount(), 1);
  EXPECT_EQ(Shown(), QString("notice.html"));
  // F1 in a dialog asks for the dialog's own topic, as its Help button does.
  ASSERT_TRUE(PumpUntil([&] {
    OnNextDialog([](CDialog& dialog) { QTest::keyClick(dialog.GetSafeHwnd(), Qt::Key_F1); });
    Command(ID_APP_ABOUT);
    return sink->OpenCount() == 2;
  }));
  EXPECT_EQ(Shown(), QString(ManualTopicFor(AFX_HELP_BASE + 100, HELP_CONTEXT).c_str())) << "the About box is 101";
}

TEST_F(ShellHelpTest, TheProjectInformationHelpButtonOpensItsTopicAsF1Does)
{
  StartWithManual();
  bool clicked = false;
  OnNextDialog([&](CDialog& dialog) {
    CWnd* pHelp = dialog.GetDlgItem(ID_HELP);
    ASSERT_NE(pHelp, nullptr);
    QTest::mouseClick(pHelp->m_hWnd, Qt::LeftButton);
    clicked = true;
    EXPECT_EQ(sink->OpenCount(), 1) << "while the dialog stays open";
    ClickButton(dialog, IDCANCEL);
  });
  ClickDesignListButton(ActiveProject(), ID_PROJECT_INFORMATION);
  EXPECT_TRUE(clicked);
  EXPECT_EQ(sink->OpenCount(), 1);
  EXPECT_EQ(Shown(), QString("project.html")) << "the dialog is 205";
}

// Back and Forward walk the pages of one opening of the window; Escape closes it.
TEST_F(ShellHelpTest, EscapeClosesTheHelpWindowAndAWindowOpenedAgainHasNoEarlierHistory)
{
  StartWithManual();
  sink->ShowTopic(kManualContents);
  QWidget* help = sink->Window();
  ASSERT_TRUE(QTest::qWaitForWindowActive(help));
  sink->Browser()->setSource(sink->Browser()->source().resolved(QUrl("reports.html")));
  QAction* back = HelpAction("&Back");
  ASSERT_NE(back, nullptr);
  ASSERT_TRUE(back->isEnabled());
  QTest::keyClick(sink->Browser(), Qt::Key_Escape);
  Pump();
  EXPECT_FALSE(help->isVisible()) << "Escape closes the window";

  ASSERT_TRUE(PumpUntil([&] {
    PressF1OnMainWindow();
    return sink->OpenCount() == 1;
  }));
  ASSERT_TRUE(help->isVisible());
  EXPECT_EQ(Shown(), QString("workbench.html"));
  EXPECT_FALSE(back->isEnabled()) << "no Back into the pages of the window closed before";
  sink->Browser()->setSource(sink->Browser()->source().resolved(QUrl("units.html")));
  EXPECT_TRUE(back->isEnabled()) << "the new window's own history";
  back->trigger();
  EXPECT_EQ(Shown(), QString("workbench.html"));
  EXPECT_FALSE(back->isEnabled());
}

// An application-modal dialog blocks every other window: the help window asked from it belongs to
// it, in front of it and taking input while it stays open, and stays where the user put it when
// the dialog closes.
TEST_F(ShellHelpTest, TheHelpWindowAskedFromAModalDialogIsInFrontOfItAndTakesInput)
{
  StartWithManual();
  QString afterClick;
  QPoint placed;
  bool dialogStillModal = false;
  OnNextDialog([&](CDialog& dialog) {
    QWidget* top = dialog.GetSafeHwnd()->window();
    QTest::keyClick(dialog.GetSafeHwnd(), Qt::Key_F1);
    QWidget* help = sink->Window();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->windowHandle()->transientParent(), top->windowHandle())
        << "a modal dialog lets its own transients take input";
    EXPECT_TRUE(QTest::qWaitForWindowActive(help)) << "in front, with the keyboard";
    dialogStillModal = QApplication::activeModalWidget() == top;
    // A click through the window system, which drops input to windows a modal dialog blocks.
    sink->Browser()->setSource(sink->Browser()->source().resolved(QUrl("reports.html")));
    QAction* contents = HelpAction("&Contents");
    ASSERT_NE(contents, nullptr);
    QWidget* button = help->findChild<QToolBar*>()->widgetForAction(contents);
    QTest::mouseClick(help->windowHandle(), Qt::LeftButton, {}, button->mapTo(help, button->rect().center()));
    afterClick = Shown();
    help->move(help->pos() + QPoint(40, 30));
    placed = help->pos();
  });
  Command(ID_WORKBENCH_PROPERTIES);
  EXPECT_EQ(sink->OpenCount(), 1);
  EXPECT_TRUE(dialogStillModal);
  EXPECT_EQ(afterClick, QString("index.html"));
  QWidget* help = sink->Window();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible()) << "closing the dialog leaves the help window open";
  EXPECT_EQ(help->pos(), placed);

  // Asked from the main window again, it stands on its own where it was.
  ASSERT_TRUE(PumpUntil([&] {
    PressF1OnMainWindow();
    return sink->OpenCount() == 2;
  }));
  EXPECT_EQ(help->windowHandle()->transientParent(), nullptr);
  EXPECT_TRUE(help->isVisible());
  EXPECT_EQ(help->pos(), placed);
}

// Without a task bar a minimised help window could not be found again: each way of asking for
// help shows it restored and in front.
TEST_F(ShellHelpTest, AMinimisedHelpWindowComesBackRestoredForEachWayOfAskingForHelp)
{
  StartWithManual();
  Command(ID_HELP_INDEX);
  QWidget* help = sink->Window();
  ASSERT_NE(help, nullptr);
  const auto minimise = [help] {
    help->showMinimized();
    Pump();
    ASSERT_TRUE(help->isMinimized());
  };

  ASSERT_NO_FATAL_FAILURE(minimise());
  bool restoredOverDialog = false;
  ASSERT_TRUE(PumpUntil([&] {
    OnNextDialog([&](CDialog& dialog) {
      QTest::keyClick(dialog.GetSafeHwnd(), Qt::Key_F1);
      restoredOverDialog = help->isVisible() && !help->isMinimized() && QTest::qWaitForWindowActive(help);
    });
    Command(ID_APP_ABOUT);
    return sink->OpenCount() == 2;
  }));
  EXPECT_TRUE(restoredOverDialog) << "F1 in a dialog";

  ASSERT_NO_FATAL_FAILURE(minimise());
  bool restoredByButton = false;
  ASSERT_TRUE(PumpUntil([&] {
    OnNextDialog([&](CDialog& dialog) {
      QTest::mouseClick(dialog.GetDlgItem(ID_HELP)->m_hWnd, Qt::LeftButton);
      restoredByButton = help->isVisible() && !help->isMinimized() && QTest::qWaitForWindowActive(help);
      ClickButton(dialog, IDCANCEL);
    });
    ClickDesignListButton(ActiveProject(), ID_PROJECT_INFORMATION);
    return sink->OpenCount() == 3;
  }));
  EXPECT_TRUE(restoredByButton) << "a dialog's Help button";

  ASSERT_NO_FATAL_FAILURE(minimise());
  ASSERT_TRUE(PumpUntil([&] {
    Command(ID_HELP_INDEX);
    return sink->OpenCount() == 4;
  }));
  EXPECT_TRUE(help->isVisible());
  EXPECT_FALSE(help->isMinimized()) << "Help Topics";
  EXPECT_TRUE(QTest::qWaitForWindowActive(help));
}

TEST_F(ShellHelpTest, TheHelpWindowsTitleNamesThePageOnce)
{
  StartWithManual();
  sink->ShowTopic(kManualContents);
  EXPECT_EQ(sink->Window()->windowTitle(), QString("Panecraft Help"));
  sink->ShowTopic("reports.html");
  EXPECT_EQ(sink->Window()->windowTitle(), QString("Panecraft Help - Reports"));
}

// Links and pictures of a page: the targets of href and src, without anchors.
std::set<std::string> Targets(const std::string& page)
{
  std::ifstream in(page, std::ios::binary);
  const std::string text(std::istreambuf_iterator<char>(in), {});
  std::set<std::string> targets;
  const std::regex link(R"re((href|src)="([^"#]*)[^"]*")re");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), link); it != std::sregex_iterator(); ++it)
    if (!(*it)[2].str().empty())
      targets.insert((*it)[2].str());
  return targets;
}

TEST(ManualTest, EveryPageIsReachableFromTheContentsAndNoLinkIsDead)
{
  for (const std::string& folder : {SourceManualFolder(), BuildManualFolder()}) {
    SCOPED_TRACE(folder);
    std::set<std::string> pages;
    for (const auto& entry : fs::directory_iterator(folder))
      if (entry.path().extension() == ".html")
        pages.insert(entry.path().filename().string());
    for (const CString& topic : ManualTopics())
      EXPECT_TRUE(pages.count(topic.str())) << "the map names " << topic.str();
    std::set<std::string> reached{kManualContents};
    std::deque<std::string> queue{kManualContents};
    while (!queue.empty()) {
      const std::string page = queue.front();
      queue.pop_front();
      for (const std::string& target : Targets(folder + "/" + page)) {
        if (target.find("://") != std::string::npos)
          continue;
        EXPECT_TRUE(fs::is_regular_file(folder + "/" + target)) << page << " links to " << target;
        if (fs::path(target).extension() == ".html" && reached.insert(target).second)
          queue.push_back(target);
      }
    }
    EXPECT_EQ(reached, pages) << "every page is reached from the contents";
  }
}

TEST(ManualTest, EachGroupOfIdsHasItsPage)
{
  auto topic = [](unsigned id) { return ManualTopicFor(AFX_HELP_BASE + id, HELP_CONTEXT); };
  EXPECT_EQ(topic(200), CString("project.html"));
  EXPECT_EQ(topic(1900), CString("project.html"));
  EXPECT_EQ(topic(900), CString("workbench.html"));
  EXPECT_EQ(topic(2200), CString("units.html"));
  EXPECT_EQ(topic(2800), CString("joins.html"));
  EXPECT_EQ(topic(1800), CString("drawings.html"));
  EXPECT_EQ(topic(2900), CString("export.html"));
  EXPECT_EQ(topic(3200), CString("reports.html"));
  EXPECT_EQ(topic(2000), CString("settings.html"));
  EXPECT_EQ(topic(3500), CString("notice.html"));
  EXPECT_EQ(topic(1300), CString(kManualContents)) << "a hundred without a page opens the contents";
  EXPECT_EQ(ManualTopicFor(AFX_HELP_BASE, HELP_INDEX), CString(kManualContents));
}

}  // namespace
