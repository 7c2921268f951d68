#include "ui/frame/AccelFocus.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "ui/wnd/CmdTarget.h"
#include "ui/wnd/Msg.h"
#include "ui/wnd/Resource.h"

namespace {
bool EditsText(const QWidget* widget)
{
  if (const auto* combo = qobject_cast<const QComboBox*>(widget))
    return combo->isEditable();
  return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget) ||
         qobject_cast<const QTextEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget);
}

// The Qt key of a virtual key that can come with the control key; 0 for others.
int QtKeyOf(UINT nVirtKey)
{
  if (nVirtKey >= 'A' && nVirtKey <= 'Z')
    return Qt::Key_A + static_cast<int>(nVirtKey - 'A');
  if (nVirtKey >= '0' && nVirtKey <= '9')
    return Qt::Key_0 + static_cast<int>(nVirtKey - '0');
  switch (nVirtKey) {
  case VK_LEFT:
    return Qt::Key_Left;
  case VK_RIGHT:
    return Qt::Key_Right;
  case VK_UP:
    return Qt::Key_Up;
  case VK_DOWN:
    return Qt::Key_Down;
  case VK_HOME:
    return Qt::Key_Home;
  case VK_END:
    return Qt::Key_End;
  case VK_DELETE:
    return Qt::Key_Delete;
  case VK_BACK:
    return Qt::Key_Backspace;
  case VK_INSERT:
    return Qt::Key_Insert;
  default:
    return 0;
  }
}

// Sent as Qt sends it before a shortcut: the control accepts the keys it handles itself.
bool ClaimsKey(QWidget* widget, int key, UINT nModifiers)
{
  Qt::KeyboardModifiers modifiers = Qt::ControlModifier;
  if (nModifiers & FSHIFT)
    modifiers |= Qt::ShiftModifier;
  QKeyEvent probe(QEvent::ShortcutOverride, key, modifiers);
  probe.ignore();
  QCoreApplication::sendEvent(widget, &probe);
  return probe.isAccepted();
}
}  // namespace

bool FocusedControlKeepsKey(UINT nVirtKey, UINT nModifiers)
{
  QWidget* focus = QApplication::focusWidget();
  if (!focus || !EditsText(focus))
    return false;
  if (nVirtKey >= VK_F1 && nVirtKey <= VK_F12)
    return false;
  if (!(nModifiers & FCONTROL))
    return true;
  const int key = QtKeyOf(nVirtKey);
  return key != 0 && ClaimsKey(focus, key, nModifiers);
}

bool IsCommandEnabled(CCmdTarget* pTarget, UINT nID)
{
  CCmdUI state;
  state.m_nID = nID;
  state.DoUpdate(pTarget, TRUE);
  return state.m_bEnabled != FALSE;
}
