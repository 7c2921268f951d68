// Qt's input events as window messages: the window input is for, virtual keys, the key and
// button state, and mouse and key events turned into messages.
#include <QKeyEvent>
#include <QMouseEvent>

#include "ui/wnd/WndImpl.h"

namespace {
// The window that input to a widget is for: the search stops at a window of its own, so that
// keys pressed in a message box or a standard dialog never reach the dialog that opened it.
CWnd* WindowOfInput(QWidget* widget)
{
  auto& handles = CWndGlobals::Get().handles;
  for (QWidget* w = widget; w; w = w->parentWidget()) {
    if (auto it = handles.find(w); it != handles.end())
      return it->second;
    if (w->isWindow())
      return nullptr;
  }
  return nullptr;
}
}  // namespace

UINT QtKeyToVirtualKey(int key, Qt::KeyboardModifiers modifiers)
{
  if (key >= Qt::Key_A && key <= Qt::Key_Z)
    return static_cast<UINT>('A' + (key - Qt::Key_A));
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
    return VK_F1 + static_cast<UINT>(key - Qt::Key_F1);
  if (key >= Qt::Key_0 && key <= Qt::Key_9)
    return static_cast<UINT>('0' + (key - Qt::Key_0));
  switch (key) {
  case Qt::Key_Plus:
    return (modifiers & Qt::KeypadModifier) ? VK_ADD : static_cast<UINT>(0xBB);
  case Qt::Key_Minus:
    return (modifiers & Qt::KeypadModifier) ? VK_SUBTRACT : static_cast<UINT>(0xBD);
  case Qt::Key_Shift:
    return VK_SHIFT;
  case Qt::Key_Control:
    return VK_CONTROL;
  case Qt::Key_Alt:
    return VK_MENU;
  case Qt::Key_Escape:
    return VK_ESCAPE;
  case Qt::Key_Return:
  case Qt::Key_Enter:
    return VK_RETURN;
  case Qt::Key_Tab:
  case Qt::Key_Backtab:
    return VK_TAB;
  case Qt::Key_Backspace:
    return VK_BACK;
  case Qt::Key_Space:
    return VK_SPACE;
  case Qt::Key_Left:
    return VK_LEFT;
  case Qt::Key_Up:
    return VK_UP;
  case Qt::Key_Right:
    return VK_RIGHT;
  case Qt::Key_Down:
    return VK_DOWN;
  case Qt::Key_Delete:
    return VK_DELETE;
  case Qt::Key_Insert:
    return VK_INSERT;
  case Qt::Key_Home:
    return VK_HOME;
  case Qt::Key_End:
    return VK_END;
  case Qt::Key_PageUp:
    return VK_PRIOR;
  case Qt::Key_PageDown:
    return VK_NEXT;
  default:
    return 0;
  }
}

void TrackInputState(const QEvent* event)
{
  CWndGlobals& g = CWndGlobals::Get();
  switch (event->type()) {
  case QEvent::KeyPress:
  case QEvent::KeyRelease: {
    const auto* ke = static_cast<const QKeyEvent*>(event);
    const bool down = event->type() == QEvent::KeyPress;
    g.shiftDown = ke->key() == Qt::Key_Shift ? down : (ke->modifiers() & Qt::ShiftModifier) != 0;
    g.ctrlDown = ke->key() == Qt::Key_Control ? down : (ke->modifiers() & Qt::ControlModifier) != 0;
    g.altDown = ke->key() == Qt::Key_Alt ? down : (ke->modifiers() & Qt::AltModifier) != 0;
    break;
  }
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonRelease:
  case QEvent::MouseButtonDblClick:
  case QEvent::MouseMove: {
    const auto* me = static_cast<const QMouseEvent*>(event);
    g.shiftDown = (me->modifiers() & Qt::ShiftModifier) != 0;
    g.ctrlDown = (me->modifiers() & Qt::ControlModifier) != 0;
    g.altDown = (me->modifiers() & Qt::AltModifier) != 0;
    g.buttons = me->buttons();
    const QPoint global = me->globalPosition().toPoint();
    g.cursorPos = CPoint(global.x(), global.y());
    break;
  }
  default:
    break;
  }
}

bool MouseEventToMsg(QWidget* widget, const QMouseEvent* event, MSG& msg)
{
  CWndGlobals& g = CWndGlobals::Get();
  CWnd* target = g.pCapture && g.pCapture->m_hWnd ? g.pCapture : WindowOfInput(widget);
  if (!target || !target->m_hWnd)
    return false;
  const bool left = event->button() == Qt::LeftButton;
  const bool right = event->button() == Qt::RightButton;
  switch (event->type()) {
  case QEvent::MouseMove:
    msg.message = WM_MOUSEMOVE;
    break;
  case QEvent::MouseButtonPress:
    msg.message = left ? WM_LBUTTONDOWN : right ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
    break;
  case QEvent::MouseButtonRelease:
    msg.message = left ? WM_LBUTTONUP : right ? WM_RBUTTONUP : WM_MBUTTONUP;
    break;
  case QEvent::MouseButtonDblClick:
    msg.message = left ? WM_LBUTTONDBLCLK : right ? WM_RBUTTONDBLCLK : WM_MBUTTONDOWN;
    break;
  default:
    return false;
  }
  UINT flags = 0;
  if (event->buttons() & Qt::LeftButton)
    flags |= MK_LBUTTON;
  if (event->buttons() & Qt::RightButton)
    flags |= MK_RBUTTON;
  if (event->buttons() & Qt::MiddleButton)
    flags |= MK_MBUTTON;
  if (event->modifiers() & Qt::ShiftModifier)
    flags |= MK_SHIFT;
  if (event->modifiers() & Qt::ControlModifier)
    flags |= MK_CONTROL;
  const QPoint global = event->globalPosition().toPoint();
  const QPoint local = target->Impl()->Client()->mapFromGlobal(global);
  msg.hwnd = target->m_hWnd;
  msg.wParam = flags;
  msg.lParam = MAKELPARAM(local.x(), local.y());
  msg.pt = POINT{global.x(), global.y()};
  msg.time = static_cast<DWORD>(event->timestamp());
  return true;
}

bool KeyEventToMsg(QWidget* widget, const QKeyEvent* event, MSG& msg)
{
  CWnd* target = WindowOfInput(widget);
  if (!target || !target->m_hWnd)
    return false;
  const UINT vk = QtKeyToVirtualKey(event->key(), event->modifiers());
  if (vk == 0)
    return false;
  const bool down = event->type() == QEvent::KeyPress;
  msg.hwnd = target->m_hWnd;
  msg.message = down ? WM_KEYDOWN : WM_KEYUP;
  msg.wParam = vk;
  // Repeat count 1; bit 30 (previous state) and bit 31 (transition) for releases.
  msg.lParam = down ? (event->isAutoRepeat() ? 0x40000001 : 1) : static_cast<LPARAM>(0xC0000001u);
  const CPoint pos = CWndGlobals::Get().cursorPos;
  msg.pt = POINT{pos.x, pos.y};
  return true;
}
