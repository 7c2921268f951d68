// A stand-in user, preloaded into the real program: once the main window shows, it ends the
// program the way PANECRAFT_USER_ENDS asks ("close": the window's close button, "exit": File >
// Exit with the mouse, "session": the signal that ends a desktop session), so that a test can
// check the exit code of the whole run, static destructors included.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <QApplication>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace {
QMainWindow* ShownMainWindow()
{
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* window = qobject_cast<QMainWindow*>(widget); window && window->isVisible() && window->menuWidget())
      return window;
  return nullptr;
}

QAction* ActionNamed(const QList<QAction*>& actions, const char* text)
{
  for (QAction* action : actions)
    if (action->text().startsWith(QString::fromLatin1(text)))
      return action;
  return nullptr;
}

[[noreturn]] void GiveUp(const char* why)
{
  std::fprintf(stderr, "usersim: %s\n", why);
  std::fflush(nullptr);
  std::_Exit(90);
}

void OpenFileMenu(QMainWindow* window)
{
  auto* bar = qobject_cast<QMenuBar*>(window->menuWidget());
  QAction* file = bar ? ActionNamed(bar->actions(), "&File") : nullptr;
  if (!file)
    GiveUp("no File menu");
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file).center());
}

// Clicks Exit in the File menu once it has dropped down. A loaded machine may take a while to
// show it, or lose the first click while the bar is still being laid out: the user looks again
// for up to ten seconds and clicks File again every second.
void ClickExitWhenShown(QMainWindow* window, int tries)
{
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  QAction* exit = menu ? ActionNamed(menu->actions(), "E&xit") : nullptr;
  if (!exit) {
    if (tries >= 200)
      GiveUp("File menu without Exit");
    if (tries % 20 == 19 && !menu)
      OpenFileMenu(window);
    QTimer::singleShot(50, [window, tries] { ClickExitWhenShown(window, tries + 1); });
    return;
  }
  if (!exit->isEnabled())
    GiveUp("Exit is disabled");
  QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(exit).center());
}

// Opens File with a click on the menu bar and clicks Exit in the menu that drops down.
void ChooseFileExit(QMainWindow* window)
{
  OpenFileMenu(window);
  QTimer::singleShot(100, [window] { ClickExitWhenShown(window, 0); });
}

void EndTheProgram()
{
  QMainWindow* window = ShownMainWindow();
  if (!window) {
    QTimer::singleShot(50, EndTheProgram);
    return;
  }
  const char* how = std::getenv("PANECRAFT_USER_ENDS");
  if (!how || std::strcmp(how, "close") == 0)
    window->windowHandle()->close();
  else if (std::strcmp(how, "exit") == 0)
    ChooseFileExit(window);
  else if (std::strcmp(how, "session") == 0)
    ::kill(::getpid(), SIGTERM);
  else
    GiveUp("unknown way to end");
}

// The program's own children (the sanitizers' symbolizer among them) must not load the user too.
[[maybe_unused]] const bool kNotInherited = [] { return ::unsetenv("LD_PRELOAD") == 0; }();

void StartUser()
{
  // Start-up runs inside the first turn of the event loop's caller; look once it has shown.
  QTimer::singleShot(200, EndTheProgram);
}
}  // namespace

Q_COREAPP_STARTUP_FUNCTION(StartUser)
