#include "ui/wnd/QtApp.h"

#include <signal.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <sys/socket.h>
#include <unistd.h>

#include <clocale>

#include <QAbstractEventDispatcher>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QTextEdit>

#include "ui/dlg/DialogService.h"
#include "ui/dlg/DlgKeys.h"
#include "ui/wnd/MessagePump.h"
#include "ui/wnd/WinApp.h"
#include "ui/wnd/Wnd.h"
#include "ui/wnd/WndImpl.h"

namespace {
// Qt gives the keyboard on a press before the window pressed has it; the press whose focus change
// is under way, the one that is to reach no window, and whether the rest of its click is dropped.
QEvent* g_pressGivingFocus = nullptr;
QEvent* g_droppedPress = nullptr;
bool g_droppingClick = false;

bool IsPress(const QEvent* event)
{
  return event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
}

// Notes a window's press from the window system for as long as it is being delivered.
class CPressUnderWay
{
public:
  CPressUnderWay(const QObject* receiver, QEvent* event)
    : m_event(IsPress(event) && event->spontaneous() && receiver->isWidgetType() ? event : nullptr)
  {
    if (m_event)
      g_pressGivingFocus = m_event;
  }
  ~CPressUnderWay()
  {
    if (!m_event)
      return;
    g_pressGivingFocus = m_outer;
    if (g_droppedPress == m_event)
      g_droppedPress = nullptr;
  }
  CPressUnderWay(const CPressUnderWay&) = delete;
  CPressUnderWay& operator=(const CPressUnderWay&) = delete;

private:
  QEvent* m_event;
  QEvent* m_outer = g_pressGivingFocus;
};

// Whether the mouse event belongs to a click whose press is dropped. Its focus change is over
// once a press reaches the filter; a later refusal is the window's own.
bool IsOfDroppedClick(QEvent* event)
{
  if (event == g_pressGivingFocus)
    g_pressGivingFocus = nullptr;
  if (event == g_droppedPress) {
    g_droppedPress = nullptr;
    g_droppingClick = true;
    return true;
  }
  if (!g_droppingClick)
    return false;
  const auto* mouse = static_cast<const QMouseEvent*>(event);
  // With no button held, or a press of a new click, the dropped click has ended.
  const bool released = mouse->buttons() == Qt::NoButton;
  if ((released && event->type() != QEvent::MouseButtonRelease) ||
      (IsPress(event) && mouse->buttons() == mouse->button())) {
    g_droppingClick = false;
    return false;
  }
  g_droppingClick = !released;
  return true;
}
}  // namespace

// Input for windows passes the application's PreTranslateMessage before the window sees it.
class CAppEventFilter : public QObject
{
public:
  bool eventFilter(QObject* watched, QEvent* event) override
  {
    const QEvent::Type type = event->type();
    const bool mouse = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
                       type == QEvent::MouseButtonDblClick || type == QEvent::MouseMove;
    const bool key = type == QEvent::KeyPress || type == QEvent::KeyRelease;
    // Dropped at the widget only: the top-level window still keeps its own account of the buttons.
    if (mouse && watched->isWidgetType() && IsOfDroppedClick(event))
      return true;
    if (type == QEvent::ShortcutOverride)
      return ClaimMnemonic(watched, static_cast<QKeyEvent*>(event));
    // A timer of Qt's own, such as a text cursor's blink, changes nothing the update handlers
    // show: only the windows' timers are messages after which the idle time runs.
    const bool windowTimer = type == QEvent::Timer && dynamic_cast<CWndBridge*>(watched);
    if (type == CPostedMessageEvent::EventType() || windowTimer || (mouse && type != QEvent::MouseMove) || key)
      if (CWinApp* app = AfxGetApp())
        app->RequestIdle();
    if (type == QEvent::KeyPress || type == QEvent::MouseButtonPress)
      if (CWinApp* app = AfxGetApp())
        app->NoteUserInput();
    if (!mouse && !key)
      return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || CMessagePump::Current())
      return false;
    TrackInputState(event);
    MSG msg;
    const bool made = mouse ? MouseEventToMsg(widget, static_cast<QMouseEvent*>(event), msg)
                            : KeyEventToMsg(widget, static_cast<QKeyEvent*>(event), msg);
    CWinApp* app = AfxGetApp();
    if (made && app && app->PreTranslateMessage(&msg))
      return true;
    return type == QEvent::KeyPress && IsUntakenAltCharacter(widget, static_cast<QKeyEvent*>(event));
  }

private:
  // Alt with a key that types (Shift allowed) is a menu's or a control's letter, never text. Here
  // the menus and the mnemonics have had it, so a text field would type the bare letter over its
  // value. Ctrl+Alt and the group switch are left alone: on some layouts they type characters.
  static bool IsUntakenAltCharacter(QWidget* widget, const QKeyEvent* event)
  {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    const QString text = event->text();
    return modifiers == Qt::AltModifier && !text.isEmpty() && text.front().isPrint() && TakesTypedText(widget);
  }

  static bool TakesTypedText(QWidget* widget)
  {
    if (auto* combo = qobject_cast<QComboBox*>(widget))
      return combo->isEditable();
    return qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractSpinBox*>(widget) ||
           qobject_cast<QTextEdit*>(widget) || qobject_cast<QPlainTextEdit*>(widget);
  }

  // A control's own Alt mnemonic in a form view or dialog bar wins over a menu's: the key then
  // arrives as a key press, which the form or bar takes.
  static bool ClaimMnemonic(QObject* watched, QKeyEvent* event)
  {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || CMessagePump::Current() || !IsContainerMnemonic(widget, event))
      return false;
    event->accept();
    return true;
  }
};

CQtApplication::CQtApplication(int& argc, char** argv)
  : QApplication(argc, argv), m_pFilter(std::make_unique<CAppEventFilter>())
{
  // Qt takes the numeric locale from the environment; numbers in files must not.
  std::setlocale(LC_NUMERIC, "C");
#if defined(__GLIBC__)
  // Deleting thousands of units frees hundreds of thousands of small blocks. Left in the
  // allocator's fast lists they are all sorted at the next large allocation, which is the
  // painter of the next paint: a stall of many milliseconds after the delete. Without fast lists
  // each block is put in its place as it is freed.
  mallopt(M_MXFAST, 0);
#endif
  installEventFilter(m_pFilter.get());
  QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this, [] {
    // The dispatcher calls this outside notify, so it is a boundary of its own.
    try {
      if (CWinApp* app = AfxGetApp(); app && app->IsIdlePending() && !CMessagePump::Current())
        app->RunIdle();
    } catch (...) {
      AfxProcessException(std::current_exception(), nullptr);
    }
  });
  // Emitted inside notify, from the session manager's socket.
  QObject::connect(this, &QGuiApplication::commitDataRequest, this, [](QSessionManager& manager) {
    CWinApp* app = AfxGetApp();
    // The manager is asked for the user only when the program may show a question at all.
    const bool mayAsk = DialogService().CanAsk() && manager.allowsInteraction();
    if (app && !app->CommitSessionData(mayAsk))
      manager.cancel();
  });
}

CQtApplication::~CQtApplication() { removeEventFilter(m_pFilter.get()); }

namespace {
// The signal handler only writes a byte; the session ends in the message loop.
int g_sessionSignalFds[2] = {-1, -1};

void OnSessionSignal(int)
{
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(g_sessionSignalFds[0], &byte, 1);
}
}  // namespace

void CQtApplication::EndSessionOnSignal()
{
  if (g_sessionSignalFds[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_sessionSignalFds) != 0)
    return;
  auto* notifier = new QSocketNotifier(g_sessionSignalFds[1], QSocketNotifier::Read, this);
  QObject::connect(notifier, &QSocketNotifier::activated, this, [] {
    char byte = 0;
    [[maybe_unused]] const ssize_t read = ::read(g_sessionSignalFds[1], &byte, 1);
    if (CWinApp* app = AfxGetApp())
      app->RequestEndSession();
  });
  struct sigaction action = {};
  action.sa_handler = OnSessionSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  // The end of a desktop session sends SIGTERM and then SIGHUP; Ctrl+C in a terminal SIGINT.
  for (int signal : {SIGTERM, SIGHUP, SIGINT})
    ::sigaction(signal, &action, nullptr);
}

bool CQtApplication::event(QEvent* event)
{
  // Nothing in the program asks the toolkit to quit while its main window is up: such a request
  // is the session manager's end of the session, which would otherwise close the windows with
  // the questions of a close.
  CWinApp* app = AfxGetApp();
  CWnd* main = app ? app->m_pMainWnd : nullptr;
  if (event->type() == QEvent::Quit && app && app->IsRunning() && main && main->m_hWnd) {
    app->RequestEndSession();
    event->ignore();
    return true;
  }
  return QApplication::event(event);
}

void CQtApplication::DropPressUnderWay()
{
  if (g_pressGivingFocus)
    g_droppedPress = g_pressGivingFocus;
}

bool CQtApplication::notify(QObject* receiver, QEvent* event)
{
  const CPressUnderWay press(receiver, event);
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    // A modal drag loop carries the exception out to be rethrown after it; elsewhere the
    // exception has reached the window procedure's boundary.
    if (CMessagePump* pump = CMessagePump::Current()) {
      pump->CarryException(std::current_exception());
      return true;
    }
    AfxProcessException(std::current_exception(), nullptr);
    return true;
  }
}
