// The event bridge of a window: Qt's events on its widgets become the window's messages, and
// its timers and posted messages arrive through it.
#include <algorithm>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QTimerEvent>
#include <QUrl>
#include <QWheelEvent>

#include "ui/wnd/QtConv.h"
#include "ui/wnd/WndImpl.h"

bool CWndBridge::event(QEvent* event)
{
  CWnd* wnd = m_pImpl->m_pWnd;
  if (event->type() == QEvent::Timer) {
    UINT_PTR id = 0;
    if (wnd->m_hWnd && m_pImpl->TimerIdFor(static_cast<QTimerEvent*>(event)->timerId(), id))
      wnd->SendMessage(WM_TIMER, id, 0);
    return true;
  }
  if (event->type() == CPostedMessageEvent::EventType()) {
    const MSG& msg = static_cast<CPostedMessageEvent*>(event)->Msg();
    if (wnd->m_hWnd)
      wnd->SendMessage(msg.message, msg.wParam, msg.lParam);
    return true;
  }
  return QObject::event(event);
}

bool CWndBridge::MouseEvent(QWidget* widget, QMouseEvent* event)
{
  MSG msg;
  if (!MouseEventToMsg(widget, event, msg))
    return false;
  CWnd* target = CWnd::FromHandlePermanent(msg.hwnd);
  if (!target)
    return false;
  if (!CWnd::GetCapture() &&
      (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN))
    target->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(msg.hwnd), MAKELPARAM(HTCLIENT, msg.message));
  // A handler may have destroyed the window (and its object) meanwhile.
  if (CWnd::FromHandlePermanent(msg.hwnd) == target)
    target->SendMessage(msg.message, msg.wParam, msg.lParam);
  return true;
}

bool CWndBridge::WheelEvent(QWheelEvent* event)
{
  CWnd* wnd = m_pImpl->m_pWnd;
  const QPoint angle = event->angleDelta();
  // A wheel that turns sideways (or a sideways tilt) scrolls horizontally.
  const bool sideways = angle.y() == 0 && angle.x() != 0;
  const int delta = std::clamp(sideways ? angle.x() : angle.y(), -32768, 32767);
  if (delta == 0)
    return true;
  UINT flags = 0;
  if (event->modifiers() & Qt::ShiftModifier)
    flags |= MK_SHIFT;
  if (event->modifiers() & Qt::ControlModifier)
    flags |= MK_CONTROL;
  if (event->buttons() & Qt::LeftButton)
    flags |= MK_LBUTTON;
  if (event->buttons() & Qt::RightButton)
    flags |= MK_RBUTTON;
  const QPoint global = event->globalPosition().toPoint();
  const WPARAM wParam = MAKEWPARAM(static_cast<int>(flags), delta);
  wnd->SendMessage(sideways ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL, wParam, MAKELPARAM(global.x(), global.y()));
  return true;
}

bool CWndBridge::KeyEvent(QKeyEvent* event)
{
  MSG msg;
  CWnd* wnd = m_pImpl->m_pWnd;
  if (!KeyEventToMsg(m_pImpl->Client(), event, msg))
    return false;
  wnd->SendMessage(msg.message, msg.wParam, msg.lParam);
  // The key handler may have destroyed the window; its character then goes nowhere.
  if (msg.message == WM_KEYDOWN && CWnd::FromHandlePermanent(msg.hwnd) == wnd && !event->text().isEmpty())
    wnd->SendMessage(WM_CHAR, static_cast<WPARAM>(event->text().at(0).unicode()), msg.lParam);
  return true;
}

bool CWndBridge::eventFilter(QObject* watched, QEvent* event)
{
  CWnd* wnd = m_pImpl->m_pWnd;
  if (!wnd->m_hWnd)
    return false;
  auto* widget = static_cast<QWidget*>(watched);
  const bool isClient = widget == m_pImpl->Client();
  const bool ownerPaints = m_pImpl->OwnerPaints();
  switch (event->type()) {
  case QEvent::Paint:
    if (isClient && ownerPaints) {
      m_pImpl->OnPaintEvent(static_cast<QPaintEvent*>(event)->region());
      return true;
    }
    break;
  case QEvent::Resize:
    if (isClient) {
      m_pImpl->OnResized();
      wnd->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(widget->width(), widget->height()));
    }
    break;
  case QEvent::Move:
    if (widget == m_pImpl->Outer())
      wnd->SendMessage(WM_MOVE, 0, MAKELPARAM(widget->x(), widget->y()));
    break;
  case QEvent::Show:
    if (isClient && ownerPaints)
      m_pImpl->Invalidate(CRectRegion(m_pImpl->ClientRect()), true);
    if (widget == m_pImpl->Outer())
      wnd->SendMessage(WM_SHOWWINDOW, TRUE, 0);
    break;
  case QEvent::Hide:
    if (widget == m_pImpl->Outer())
      wnd->SendMessage(WM_SHOWWINDOW, FALSE, 0);
    break;
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonRelease:
  case QEvent::MouseButtonDblClick:
  case QEvent::MouseMove:
    if (isClient && ownerPaints)
      return MouseEvent(widget, static_cast<QMouseEvent*>(event));
    // Controls see their mouse messages too, but keep their own handling of the input.
    if ((isClient || widget == m_pImpl->InputWidget()) && event->type() != QEvent::MouseMove) {
      MSG msg;
      if (MouseEventToMsg(widget, static_cast<QMouseEvent*>(event), msg) && msg.hwnd == wnd->m_hWnd)
        wnd->SendMessage(msg.message, msg.wParam, msg.lParam);
    }
    break;
  case QEvent::Wheel:
    if (isClient && ownerPaints)
      return WheelEvent(static_cast<QWheelEvent*>(event));
    break;
  case QEvent::KeyPress:
  case QEvent::KeyRelease:
    if (isClient && ownerPaints)
      return KeyEvent(static_cast<QKeyEvent*>(event));
    break;
  case QEvent::FocusIn:
    if (isClient)
      wnd->SendMessage(WM_SETFOCUS, 0, 0);
    break;
  case QEvent::FocusOut:
    if (isClient)
      wnd->SendMessage(WM_KILLFOCUS, 0, 0);
    break;
  case QEvent::DragEnter:
    if (widget == m_pImpl->Outer() && widget->acceptDrops() &&
        static_cast<QDragEnterEvent*>(event)->mimeData()->hasUrls())
      static_cast<QDragEnterEvent*>(event)->acceptProposedAction();
    break;
  case QEvent::Drop:
    if (widget == m_pImpl->Outer() && widget->acceptDrops()) {
      // Each dropped file arrives as a WM_DROPFILES of its own.
      for (const QUrl& url : static_cast<QDropEvent*>(event)->mimeData()->urls())
        if (url.isLocalFile() && wnd->m_hWnd) {
          const CString path = PathFromQString(url.toLocalFile());
          wnd->SendMessage(WM_DROPFILES, 0, reinterpret_cast<LPARAM>(&path));
        }
      return true;
    }
    break;
  case QEvent::Close:
    if (widget == m_pImpl->Outer() && !m_pImpl->m_bClosing) {
      // The close box is a system command; the window decides what closing means.
      event->ignore();
      wnd->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
      return true;
    }
    break;
  default:
    break;
  }
  return false;
}
