// A stand-in user, preloaded into the real program: once the main window shows, it ends the
// program the way PANECRAFT_USER_ENDS asks ("close": the window's close button, "exit": File >
// Exit with the mouse, "session", "hangup", "interrupt": SIGTERM, SIGHUP, SIGINT,
// "signals-in-question": a change, File > Exit, and a logout's signals while the question about
// the change is open; "change-and-wait": a change, then nothing), so that a test can check the exit code of the whole run, static
// destructors included.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
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

// Once a message box is up, notes its text and sends the signals of a logout at once: two
// SIGTERM and a SIGHUP.
void SignalWhenAsked(int tries)
{
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (!box) {
    if (tries >= 400)
      GiveUp("no question came");
    QTimer::singleShot(25, [tries] { SignalWhenAsked(tries + 1); });
    return;
  }
  if (const char* notes = std::getenv("PANECRAFT_USER_NOTES")) {
    if (FILE* file = std::fopen(notes, "w")) {
      std::fputs(box->text().toUtf8().constData(), file);
      std::fclose(file);
    }
  }
  for (int signal : {SIGTERM, SIGTERM, SIGHUP})
    ::kill(::getpid(), signal);
}

// Types into the first field that takes text: a change to the project.
void TypeAChange(QMainWindow* window)
{
  for (QLineEdit* field : window->findChildren<QLineEdit*>()) {
    if (!field->isVisible() || !field->isEnabled() || field->isReadOnly())
      continue;
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, "7");
    return;
  }
  GiveUp("no field to type into");
}

// A change, then File > Exit, which asks about it.
void ChangeAndSignalInTheQuestion(QMainWindow* window)
{
  TypeAChange(window);
  ChooseFileExit(window);
  SignalWhenAsked(0);
}

// A change, noted as "changed"; then the user waits for whatever ends the program.
void ChangeAndWait(QMainWindow* window)
{
  TypeAChange(window);
  if (const char* notes = std::getenv("PANECRAFT_USER_NOTES")) {
    if (FILE* file = std::fopen(notes, "w")) {
      std::fputs("changed", file);
      std::fclose(file);
    }
  }
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
  else if (std::strcmp(how, "hangup") == 0)
    ::kill(::getpid(), SIGHUP);
  else if (std::strcmp(how, "interrupt") == 0)
    ::kill(::getpid(), SIGINT);
  else if (std::strcmp(how, "signals-in-question") == 0)
    ChangeAndSignalInTheQuestion(window);
  else if (std::strcmp(how, "change-and-wait") == 0)
    ChangeAndWait(window);
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
