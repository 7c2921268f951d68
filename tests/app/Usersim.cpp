// A stand-in user, preloaded into the real program: once the main window shows, it ends the
// program the way PANECRAFT_USER_ENDS asks ("close": the window's close button, "exit": File >
// Exit with the mouse, "session", "hangup", "interrupt": SIGTERM, SIGHUP, SIGINT,
// "signals-in-question": a change, File > Exit, and a logout's signals while the question about
// the change is open; "change-and-wait": a change, then nothing; "refuse-wall-width",
// "refuse-quantity": a change, then a value the field refuses typed over the Plan View's Wall
// Width or the Workbench's Quantity, the keyboard left there, then nothing; "note-questions":
// notes each question the start asks, answers No, then closes the window;
// "signals-in-start-question": a logout's signals while the start's first question is open), so
// that a test can check the exit code of the whole run, static destructors included.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QCoreApplication>
#include <QLabel>
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

void OpenMenu(QMainWindow* window, const char* title)
{
  auto* bar = qobject_cast<QMenuBar*>(window->menuWidget());
  QAction* menu = bar ? ActionNamed(bar->actions(), title) : nullptr;
  if (!menu)
    GiveUp("no such menu");
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu).center());
}

// Clicks the item in the menu once it has dropped down. A loaded machine may take a while to
// show it, or lose the first click while the bar is still being laid out: the user looks again
// for up to ten seconds and clicks the menu's title again every second.
void ClickItemWhenShown(QMainWindow* window, const char* title, const char* item, int tries)
{
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  QAction* action = menu ? ActionNamed(menu->actions(), item) : nullptr;
  if (!action) {
    if (tries >= 200)
      GiveUp("menu without the item");
    if (tries % 20 == 19 && !menu)
      OpenMenu(window, title);
    QTimer::singleShot(50, [=] { ClickItemWhenShown(window, title, item, tries + 1); });
    return;
  }
  if (!action->isEnabled())
    GiveUp("the item is disabled");
  QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
}

// Opens the menu with a click on the menu bar and clicks the item in the menu that drops down.
void ChooseMenuItem(QMainWindow* window, const char* title, const char* item)
{
  OpenMenu(window, title);
  QTimer::singleShot(100, [=] { ClickItemWhenShown(window, title, item, 0); });
}

void ChooseFileExit(QMainWindow* window) { ChooseMenuItem(window, "&File", "E&xit"); }

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

void Note(const char* text)
{
  if (const char* notes = std::getenv("PANECRAFT_USER_NOTES")) {
    if (FILE* file = std::fopen(notes, "w")) {
      std::fputs(text, file);
      std::fclose(file);
    }
  }
}

// A change, noted as "changed"; then the user waits for whatever ends the program.
void ChangeAndWait(QMainWindow* window)
{
  TypeAChange(window);
  Note("changed");
}

// The shown field beside the label, to its right.
QLineEdit* FieldBesideLabel(QMainWindow* window, const char* label)
{
  for (QLabel* shown : window->findChildren<QLabel*>()) {
    if (!shown->isVisible() || shown->text() != QString::fromLatin1(label))
      continue;
    const QPoint at = shown->mapTo(window, QPoint(shown->width(), shown->height() / 2));
    for (QLineEdit* field : shown->parentWidget()->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) {
      const QRect place(field->mapTo(window, QPoint(0, 0)), field->size());
      if (field->isVisible() && place.left() >= at.x() && place.top() <= at.y() && place.bottom() >= at.y())
        return field;
    }
  }
  return nullptr;
}

// The shown field holding the text.
QLineEdit* FieldHolding(QMainWindow* window, const char* text)
{
  for (QLineEdit* field : window->findChildren<QLineEdit*>())
    if (field->isVisible() && field->text() == QString::fromUtf8(text))
      return field;
  return nullptr;
}

// Clicks into the field, types the text (UTF-8) over its value and leaves the keyboard there.
void TypeOver(QLineEdit* field, const char* text)
{
  // Without a window manager nothing activates the window a click lands in.
  field->window()->activateWindow();
  QTest::mouseClick(field, Qt::LeftButton);
  field->setFocus(Qt::MouseFocusReason);
  field->selectAll();
  // Key events carrying the characters, as a keyboard layout that has them sends them (the
  // test library's own clicks know only ASCII keys).
  for (const QChar c : QString::fromUtf8(text)) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(field, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(field, &release);
  }
  // Without a window manager the focus may still move on as the frames settle; the text stands.
  if (field->text() != QString::fromUtf8(text)) {
    std::fprintf(stderr, "usersim: field holds \"%s\"\n", field->text().toLocal8Bit().constData());
    GiveUp("the field did not take the text");
  }
}

// Once the field beside the label shows, types the text over its value, leaves the keyboard
// there and goes on with `then` (by default noting "typed"); the user looks for up to ten seconds.
void TypeBesideLabelWhenShown(
    QMainWindow* window, const char* label, const char* text, int tries,
    const std::function<void()>& then = [] { Note("typed"); })
{
  QLineEdit* field = FieldBesideLabel(window, label);
  if (!field) {
    if (tries >= 200)
      GiveUp("no field beside the label");
    QTimer::singleShot(50, [=] { TypeBesideLabelWhenShown(window, label, text, tries + 1, then); });
    return;
  }
  TypeOver(field, text);
  then();
}

// A change (the Workbench's Quantity), then a name the project file cannot hold typed over the
// project's name, the keyboard left in the name field.
void ChangeAndRefuseName(QMainWindow* window)
{
  TypeBesideLabelWhenShown(window, "Quantity:", "7", 0, [window] {
    QLineEdit* name = FieldHolding(window, "Project Name");
    if (!name)
      GiveUp("no project name field");
    TypeOver(name, "Haus \xc5\x81");
    Note("typed");
  });
}

// A change, then a value the field refuses typed over the Plan View's Wall Width, whose window
// View > Plan View opens, or over the Workbench's Quantity.
void ChangeAndRefuse(QMainWindow* window, bool wallWidth)
{
  TypeAChange(window);
  if (!wallWidth) {
    TypeBesideLabelWhenShown(window, "Quantity:", "-5", 0);
    return;
  }
  ChooseMenuItem(window, "&View", "&Plan View");
  TypeBesideLabelWhenShown(window, "&Wall Width:", "abc", 0);
}

void AppendNote(const QString& text)
{
  if (const char* notes = std::getenv("PANECRAFT_USER_NOTES")) {
    if (FILE* file = std::fopen(notes, "a")) {
      std::fputs(text.toUtf8().constData(), file);
      std::fclose(file);
    }
  }
}

// How long the user looks for the first question and, once it is answered, for the next.
constexpr int kFirstQuestionTries = 400;
constexpr int kNextQuestionTries = 40;

// Notes the text of each message box that comes up and answers No; once no more comes, closes
// the main window.
void NoteTheQuestionsAndClose(QMainWindow* window, int tries, int limit)
{
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (!box) {
    if (tries < limit) {
      QTimer::singleShot(25, [window, tries, limit] { NoteTheQuestionsAndClose(window, tries + 1, limit); });
      return;
    }
    if (limit == kFirstQuestionTries)
      GiveUp("no question came");
    window->windowHandle()->close();
    return;
  }
  AppendNote(box->text() + "\n");
  QAbstractButton* no = box->button(QMessageBox::No);
  if (!no)
    GiveUp("the question has no No");
  no->click();
  QTimer::singleShot(25, [window] { NoteTheQuestionsAndClose(window, 0, kNextQuestionTries); });
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
  else if (std::strcmp(how, "refuse-wall-width") == 0 || std::strcmp(how, "refuse-quantity") == 0)
    ChangeAndRefuse(window, std::strcmp(how, "refuse-wall-width") == 0);
  else if (std::strcmp(how, "refuse-name") == 0)
    ChangeAndRefuseName(window);
  else if (std::strcmp(how, "note-questions") == 0)
    NoteTheQuestionsAndClose(window, 0, kFirstQuestionTries);
  else if (std::strcmp(how, "signals-in-start-question") == 0)
    SignalWhenAsked(0);
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
