#include "ui/wnd/MessagePump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimerEvent>
#include <QWidget>

#include "ui/wnd/WndImpl.h"

namespace {
CMessagePump* g_pCurrent = nullptr;

// The ranges of keyboard and mouse messages.
constexpr UINT kFirstKeyMessage = 0x0100;
constexpr UINT kLastKeyMessage = 0x0109;
constexpr UINT kFirstMouseMessage = 0x0200;
constexpr UINT kLastMouseMessage = 0x020E;
}  // namespace

// Takes input, timer and posted-message events for windows off the event stream while a pump
// waits, and swallows shortcuts so that menus do not act during the loop.
class CPumpFilter : public QObject
{
public:
  explicit CPumpFilter(CMessagePump* pump) : m_pPump(pump) {}

  bool eventFilter(QObject* watched, QEvent* event) override
  {
    if (g_pCurrent != m_pPump)
      return false;
    MSG msg;
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
      event->accept();
      return true;
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
      auto* widget = qobject_cast<QWidget*>(watched);
      if (!widget)
        return false;
      TrackInputState(event);
      if (!MouseEventToMsg(widget, static_cast<QMouseEvent*>(event), msg))
        return false;
      break;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      auto* widget = qobject_cast<QWidget*>(watched);
      if (!widget)
        return false;
      TrackInputState(event);
      if (!KeyEventToMsg(widget, static_cast<QKeyEvent*>(event), msg))
        return false;
      break;
    }
    case QEvent::Timer: {
      auto* bridge = dynamic_cast<CWndBridge*>(watched);
      if (!bridge)
        return false;
      return TakeTimer(bridge, static_cast<QTimerEvent*>(event));
    }
    default:
      if (event->type() == CPostedMessageEvent::EventType()) {
        m_pPump->Enqueue(static_cast<CPostedMessageEvent*>(event)->Msg());
        return true;
      }
      return false;
    }
    m_pPump->Enqueue(msg);
    return true;
  }

private:
  bool TakeTimer(CWndBridge* bridge, QTimerEvent* te)
  {
    for (auto& entry : CWndGlobals::Get().handles) {
      CWnd* wnd = entry.second;
      UINT_PTR id = 0;
      if (wnd->Impl()->Bridge() == bridge && wnd->m_hWnd && wnd->Impl()->TimerIdFor(te->timerId(), id)) {
        MSG msg;
        msg.hwnd = wnd->m_hWnd;
        msg.message = WM_TIMER;
        msg.wParam = id;
        m_pPump->Enqueue(msg);
        return true;
      }
    }
    return false;
  }

  CMessagePump* m_pPump;
};

CMessagePump::CMessagePump() : m_pOuter(g_pCurrent), m_pFilter(std::make_unique<CPumpFilter>(this))
{
  g_pCurrent = this;
  QCoreApplication::instance()->installEventFilter(m_pFilter.get());
}

CMessagePump::~CMessagePump()
{
  QCoreApplication::instance()->removeEventFilter(m_pFilter.get());
  g_pCurrent = m_pOuter;
  // Messages posted to windows and not yet taken stay posted, as in a thread's message queue;
  // input and timer ticks that the loop did not take are gone with it.
  for (const MSG& msg : m_queue) {
    const bool input = (msg.message >= kFirstKeyMessage && msg.message <= kLastKeyMessage) ||
                       (msg.message >= kFirstMouseMessage && msg.message <= kLastMouseMessage);
    if (input || msg.message == WM_TIMER || msg.message == WM_QUIT || msg.message == WM_NULL)
      continue;
    if (CWnd* wnd = CWnd::FromHandlePermanent(msg.hwnd))
      wnd->PostMessage(msg.message, msg.wParam, msg.lParam);
  }
}

CMessagePump* CMessagePump::Current() { return g_pCurrent; }

void CMessagePump::Enqueue(const MSG& msg)
{
  m_queue.push_back(msg);
  Wake();
}

void CMessagePump::Wake()
{
  m_bWoken = true;
  if (m_pLoop)
    m_pLoop->quit();
}

void CMessagePump::WakeAll()
{
  for (CMessagePump* p = g_pCurrent; p; p = p->m_pOuter)
    p->Wake();
}

void CMessagePump::CarryException(std::exception_ptr e)
{
  if (!m_exception)
    m_exception = e;
  Wake();
}

BOOL CMessagePump::GetMessage(MSG* pMsg)
{
  m_bWoken = false;
  while (m_queue.empty() && !m_exception && !m_bWoken) {
    QEventLoop loop;
    m_pLoop = &loop;
    const int code = loop.exec();
    m_pLoop = nullptr;
    // The application is quitting: nested loops no longer run, so the waiting loop gets WM_QUIT.
    if (code == -1) {
      MSG quit;
      quit.message = WM_QUIT;
      m_queue.push_back(quit);
    }
  }
  if (m_exception) {
    std::exception_ptr e = m_exception;
    m_exception = nullptr;
    std::rethrow_exception(e);
  }
  if (m_queue.empty()) {
    // Woken without input (capture released): an empty message lets the caller look around.
    *pMsg = MSG();
    return TRUE;
  }
  *pMsg = m_queue.front();
  m_queue.pop_front();
  return pMsg->message != WM_QUIT;
}

LRESULT CMessagePump::DispatchMessage(const MSG* pMsg)
{
  CWnd* wnd = CWnd::FromHandlePermanent(pMsg->hwnd);
  if (!wnd)
    return 0;
  if (pMsg->message == WM_MOUSEMOVE && !CWnd::GetCapture())
    wnd->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(pMsg->hwnd), MAKELPARAM(HTCLIENT, pMsg->message));
  return wnd->SendMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
}

void PostQuitMessage(int nExitCode)
{
  if (CMessagePump* pump = CMessagePump::Current()) {
    MSG msg;
    msg.message = WM_QUIT;
    msg.wParam = static_cast<WPARAM>(nExitCode);
    pump->Enqueue(msg);
  }
  QCoreApplication::exit(nExitCode);
}
