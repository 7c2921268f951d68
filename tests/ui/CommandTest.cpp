// Guards command routing (active view, its frame, the main frame, the application), the command
// states that update handlers give menus, toolbars and the status line, and the status line's
// message, which gives way to the idle text when it no longer holds.
#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QApplication>
#include <QImage>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QToolBar>

#include "TestFrames.h"
#include "ui/frame/Menu.h"
#include "ui/wnd/Resource.h"

namespace {
QMenu* MenuBarPopup(CFrameWnd* frame, const char* title)
{
  auto* window = qobject_cast<QMainWindow*>(frame->m_hWnd);
  for (QAction* action : window->menuBar()->actions())
    if (action->text() == title && action->menu())
      return action->menu();
  return nullptr;
}

QAction* ActionFor(QMenu* menu, UINT id)
{
  for (QAction* action : menu->actions())
    if (action->data().toUInt() == id && !action->isSeparator())
      return action;
  return nullptr;
}

class CommandTest : public FrameTest
{};
}  // namespace

TEST_F(CommandTest, CommandReachesTheActiveViewFirst)
{
  CTestDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  ASSERT_NE(main->MDIGetActive(), nullptr);
  main->SendMessage(WM_COMMAND, ID_SHARED, 0);
  ASSERT_EQ(CommandLog().size(), 1u);
  EXPECT_EQ(CommandLog()[0], "view");
}

TEST_F(CommandTest, RouteGoesOnFromViewToFrameToMainFrameToApplication)
{
  CTestDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  main->SendMessage(WM_COMMAND, ID_CHILDONLY, 0);
  main->SendMessage(WM_COMMAND, ID_MAINONLY, 0);
  // A command that starts at a child frame still reaches the main frame.
  ChildOf(doc)->SendMessage(WM_COMMAND, ID_MAINONLY, 0);
  const int before = TestApp().appCommands;
  ChildOf(doc)->SendMessage(WM_COMMAND, CTestApp::ID_APP_TEST, 0);
  EXPECT_EQ(TestApp().appCommands, before + 1);
  EXPECT_EQ(CommandLog(), (std::vector<std::string>{"child", "mainonly", "mainonly"}));
  // Without a child frame the main frame handles its own commands.
  doc->OnCloseDocument();
  Pump();
  main->SendMessage(WM_COMMAND, ID_SHARED, 0);
  EXPECT_EQ(CommandLog().back(), "main");
}

TEST_F(CommandTest, DisabledCommandIsGreyedWhenItsMenuOpens)
{
  ASSERT_NE(NewDocument(), nullptr);
  // The active child's menu is the one on the main window.
  QMenu* edit = MenuBarPopup(main, "&Edit");
  ASSERT_NE(edit, nullptr);
  emit edit->aboutToShow();
  ASSERT_NE(ActionFor(edit, ID_DISABLED), nullptr);
  EXPECT_FALSE(ActionFor(edit, ID_DISABLED)->isEnabled());
  EXPECT_TRUE(ActionFor(edit, ID_SHARED)->isEnabled());
  EXPECT_FALSE(ActionFor(edit, ID_NOHANDLER)->isEnabled());
  EXPECT_TRUE(ActionFor(edit, ID_CHECKED)->isChecked());
  EXPECT_EQ(ActionFor(edit, ID_MAINONLY)->text(), QString("Main &Only\tCtrl+M"));
  ActionFor(edit, ID_SHARED)->trigger();
  Pump();
  EXPECT_EQ(CommandLog(), std::vector<std::string>{"view"});
}

TEST_F(CommandTest, SwitchingChildFramesAndOpeningMenusLeavesNoOldPopupsBehind)
{
  CTestDoc* first = NewDocument();
  CTestDoc* second = NewDocument();
  ASSERT_TRUE(first && second);
  auto* window = qobject_cast<QMainWindow*>(main->m_hWnd);
  Pump();
  const auto popups = [window] { return window->menuBar()->findChildren<QMenu*>().size(); };
  const auto before = popups();
  ASSERT_GT(before, 0);
  // An activation builds the menu bar again where its menu changed, and each opening refills
  // the popup.
  for (int i = 0; i < 4; ++i) {
    ChildOf(i % 2 ? second : first)->MDIActivate();
    Pump();
    QMenu* edit = MenuBarPopup(main, "&Edit");
    ASSERT_NE(edit, nullptr);
    emit edit->aboutToShow();
  }
  Pump();
  EXPECT_EQ(popups(), before);
}

// A child window brought forward with the menu the bar shows keeps the bar's menus as they are;
// a change to that menu shows at the next activation.
TEST_F(CommandTest, AChildWithTheMenuShownKeepsTheBarAsItIs)
{
  CTestDoc* first = NewDocument();
  CTestDoc* second = NewDocument();
  ASSERT_TRUE(first && second);
  const QPointer<QMenu> edit = MenuBarPopup(main, "&Edit");
  ASSERT_FALSE(edit.isNull());
  ChildOf(first)->MDIActivate();
  Pump();
  ASSERT_EQ(main->MDIGetActive(), ChildOf(first));
  EXPECT_FALSE(edit.isNull()) << "the bar's menus were made again for the same menu";
  EXPECT_EQ(MenuBarPopup(main, "&Edit"), edit.data());
  CMenu* shared = CMenu::FromHandle(docTemplate->m_hMenuShared);
  ASSERT_NE(shared, nullptr);
  shared->EnableMenuItem(1, MF_BYPOSITION | MF_GRAYED);
  ChildOf(second)->MDIActivate();
  Pump();
  ASSERT_NE(MenuBarPopup(main, "&Edit"), nullptr);
  EXPECT_FALSE(MenuBarPopup(main, "&Edit")->isEnabled()) << "the greyed title shows";
  shared->EnableMenuItem(1, MF_BYPOSITION | MF_ENABLED);
  ChildOf(first)->MDIActivate();
  Pump();
  EXPECT_TRUE(MenuBarPopup(main, "&Edit")->isEnabled());
}

TEST_F(CommandTest, ToolbarButtonsTakeTheirStatesAtIdleTime)
{
  ASSERT_NE(NewDocument(), nullptr);
  TestApp().OnIdle(0);
  QAction* disabled = main->toolBar.GetAction(main->toolBar.CommandToIndex(ID_DISABLED));
  QAction* shared = main->toolBar.GetAction(main->toolBar.CommandToIndex(ID_SHARED));
  QAction* checked = main->toolBar.GetAction(main->toolBar.CommandToIndex(ID_CHECKED));
  ASSERT_TRUE(disabled && shared && checked);
  EXPECT_FALSE(disabled->isEnabled());
  EXPECT_TRUE(shared->isEnabled());
  EXPECT_TRUE(checked->isChecked());
  EXPECT_EQ(shared->toolTip(), QString("Shared tip"));
  EXPECT_FALSE(shared->icon().isNull());
  shared->trigger();
  EXPECT_EQ(CommandLog(), std::vector<std::string>{"view"});
}

TEST_F(CommandTest, StatusLineShowsThePromptOfTheCommandUnderThePointer)
{
  ASSERT_NE(NewDocument(), nullptr);
  main->SendMessage(WM_MENUSELECT, ID_SHARED, 0);
  EXPECT_EQ(main->statusBar.GetPaneText(0), CString("Shared command"));
  main->SendMessage(WM_MENUSELECT, 0xFFFF, 0);
  EXPECT_EQ(main->statusBar.GetPaneText(0), CString("Ready"));
}

// A message on the line holds while the window it speaks of stays active and nothing replaces
// it: a frame takes back only its own message, and activating another child window, or closing
// the active one, brings the idle text whoever gave the message.
TEST_F(CommandTest, AMessageGivesWayToTheIdleTextWhenItNoLongerHolds)
{
  CTestDoc* first = NewDocument();
  CTestDoc* second = NewDocument();
  ASSERT_TRUE(first && second);
  CTestChild* firstFrame = ChildOf(first);
  CTestChild* secondFrame = ChildOf(second);
  ASSERT_EQ(main->MDIGetActive(), secondFrame);
  auto line = [this] { return main->statusBar.GetPaneText(0); };

  secondFrame->SetMessageText("Nothing was joined");
  EXPECT_EQ(line(), CString("Nothing was joined")) << "a child frame's message is shown on the main frame's line";
  firstFrame->TakeBackMessageText();
  main->TakeBackMessageText();
  EXPECT_EQ(line(), CString("Nothing was joined")) << "taken back by a frame that did not give it";
  secondFrame->TakeBackMessageText();
  EXPECT_EQ(line(), CString("Ready"));

  main->SendMessage(WM_MENUSELECT, ID_SHARED, 0);
  ASSERT_EQ(line(), CString("Shared command"));
  main->MDIActivate(firstFrame);
  Pump();
  ASSERT_EQ(main->MDIGetActive(), firstFrame);
  EXPECT_EQ(line(), CString("Ready")) << "a prompt left from the window active before";

  main->SetMessageText("Export complete");
  secondFrame->SetMessageText("Nothing was joined");
  main->MDIActivate(secondFrame);
  Pump();
  EXPECT_EQ(line(), CString("Ready")) << "the message of the window activated is not brought back";

  main->SetMessageText("Export complete");
  second->OnCloseDocument();
  Pump();
  ASSERT_EQ(main->MDIGetActive(), firstFrame);
  EXPECT_EQ(line(), CString("Ready")) << "the window that was active closed";
}

// A frame that goes takes its message with it, even when it was not the active one: the line
// never speaks for a window that is no longer there.
TEST_F(CommandTest, AFrameThatGoesTakesBackItsMessage)
{
  CTestDoc* first = NewDocument();
  CTestDoc* second = NewDocument();
  ASSERT_TRUE(first && second);
  ASSERT_EQ(main->MDIGetActive(), ChildOf(second));
  ChildOf(first)->SetMessageText("Nothing was joined");
  ASSERT_EQ(main->statusBar.GetPaneText(0), CString("Nothing was joined"));
  first->OnCloseDocument();
  Pump();
  ASSERT_EQ(main->MDIGetActive(), ChildOf(second)) << "the window in front stayed";
  EXPECT_EQ(main->statusBar.GetPaneText(0), CString("Ready")) << "the message of the frame that went is still shown";
}

// A text set on the message pane directly has no holder: the frame whose message it replaced
// cannot take it back.
TEST_F(CommandTest, TheMessagePaneSetDirectlyKeepsNoHolder)
{
  CTestDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  ChildOf(doc)->SetMessageText("Nothing was joined");
  ASSERT_TRUE(main->statusBar.SetPaneText(0, "Copying the design"));
  ChildOf(doc)->TakeBackMessageText();
  EXPECT_EQ(main->statusBar.GetPaneText(0), CString("Copying the design"))
      << "the frame took back a text it did not give";
}

TEST_F(CommandTest, AcceleratorOfTheFrameTurnsAKeyIntoItsCommand)
{
  CTestDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  POSITION pos = doc->GetFirstViewPosition();
  CView* view = doc->GetNextView(pos);
  PostKey(view->m_hWnd, QEvent::KeyPress, Qt::Key_M, Qt::ControlModifier);
  Pump();
  EXPECT_EQ(CommandLog(), std::vector<std::string>{"mainonly"});
}

TEST_F(CommandTest, ContextMenuOffersItsItemsAndSendsTheChosenCommandAlongTheRoute)
{
  ASSERT_NE(NewDocument(), nullptr);
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_TESTDOC));
  CMenu* popup = menu.GetSubMenu(1);
  ASSERT_NE(popup, nullptr);
  service.popupChoices.push_back(ID_SHARED);
  EXPECT_TRUE(popup->TrackPopupMenu(TPM_RIGHTBUTTON, 10, 10, main));
  ASSERT_EQ(service.popupMenus.size(), 1u);
  EXPECT_EQ(service.popupMenus[0][0], CString("&Shared"));
  EXPECT_EQ(service.popupMenus[0][2], CString(""));
  // The update handlers ran before the menu showed.
  EXPECT_TRUE(popup->GetMenuState(ID_DISABLED, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(CommandLog().empty());
  Pump();
  EXPECT_EQ(CommandLog(), std::vector<std::string>{"view"});
}

TEST(Menu, ItemsAreAddressedByPositionAndCommand)
{
  CMenu menu;
  ASSERT_TRUE(menu.CreateMenu());
  CMenu popup;
  ASSERT_TRUE(popup.CreatePopupMenu());
  popup.AppendMenu(MF_STRING, 11, "Start");
  menu.AppendMenu(MF_STRING, 1, "&One");
  menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.Detach()), "&Debug");
  menu.AppendMenu(MF_SEPARATOR);
  EXPECT_EQ(menu.GetMenuItemCount(), 3u);
  CString text;
  menu.GetMenuString(1, text, MF_BYPOSITION);
  EXPECT_EQ(text, CString("&Debug"));
  EXPECT_EQ(menu.GetSubMenu(1)->GetMenuItemID(0), 11u);
  EXPECT_EQ(menu.GetMenuItemID(1), 0xFFFFFFFFu);
  EXPECT_EQ(menu.EnableMenuItem(1, MF_BYPOSITION | MF_GRAYED), static_cast<UINT>(MF_ENABLED));
  EXPECT_TRUE(menu.GetMenuState(1, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_EQ(menu.CheckMenuItem(11, MF_CHECKED), static_cast<UINT>(MF_UNCHECKED));
  EXPECT_TRUE(menu.DeleteMenu(1, MF_BYPOSITION));
  EXPECT_EQ(menu.GetMenuItemCount(), 2u);
  EXPECT_FALSE(menu.RemoveMenu(5, MF_BYPOSITION));
  EXPECT_FALSE(CMenu().LoadMenu(99999));
}

TEST_F(CommandTest, TheMenuBarShowsTheTitleItsKeysAreOnAfterEscape)
{
  ASSERT_NE(NewDocument(), nullptr);
  auto* window = qobject_cast<QMainWindow*>(main->m_hWnd);
  window->show();
  window->activateWindow();
  ASSERT_TRUE(PumpUntil([window] { return QApplication::activeWindow() == window; }));
  QMenuBar* bar = window->menuBar();
  QMenu* edit = MenuBarPopup(main, "&Edit");
  ASSERT_NE(edit, nullptr);
  const QRect title = bar->actionGeometry(edit->menuAction());
  const QColor highlight = bar->palette().color(QPalette::Highlight);
  const auto lit = [&] {
    const QImage image = bar->grab(title).toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        count += image.pixelColor(x, y) == highlight ? 1 : 0;
    return count;
  };
  EXPECT_EQ(lit(), 0) << "no title is highlighted before the keys reach the bar";
  QTest::keyClick(window, Qt::Key_E, Qt::AltModifier);
  ASSERT_TRUE(PumpUntil([edit] { return edit->isVisible(); }));
  QTest::keyClick(edit, Qt::Key_Escape);
  ASSERT_TRUE(PumpUntil([edit] { return !edit->isVisible(); }));
  // The keys stay with the bar, on the title of the menu just closed, and the title shows it.
  EXPECT_TRUE(bar->hasFocus());
  EXPECT_GT(lit(), title.width() * title.height() / 4);
  // A second Escape gives the keys back, and the title is plain again.
  QTest::keyClick(bar, Qt::Key_Escape);
  ASSERT_TRUE(PumpUntil([bar] { return !bar->hasFocus(); }));
  EXPECT_EQ(lit(), 0);
}
