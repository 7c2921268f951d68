#include "ui/dlg/DlgKeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include "ui/dlg/CtrlLabel.h"
#include "ui/docview/View.h"
#include "ui/frame/CtrlBar.h"
#include "ui/wnd/Wnd.h"

namespace {
bool IsLetterOrDigit(int key)
{
  return (key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9);
}

// The enabled, visible control of the container that the key reaches: a button whose text marks
// it, or the control after a static text that marks it; null for none.
QWidget* MnemonicControl(QWidget* container, int key)
{
  if (!container || !IsLetterOrDigit(key))
    return nullptr;
  const QKeySequence wanted(QKeyCombination(Qt::AltModifier, static_cast<Qt::Key>(key)));
  const auto usable = [container](const QWidget* w) { return w && w->isEnabled() && w->isVisibleTo(container); };
  for (QAbstractButton* button : container->findChildren<QAbstractButton*>())
    if (usable(button) && QKeySequence::mnemonic(button->text()) == wanted)
      return button;
  for (const QLabel* label : container->findChildren<QLabel*>())
    if (const auto* marked = dynamic_cast<const CStaticLabel*>(label);
        marked && marked->isVisibleTo(container) && QKeySequence::mnemonic(marked->text()) == wanted &&
        usable(marked->MnemonicTarget()))
      return marked->MnemonicTarget();
  return nullptr;
}

// A button is pressed; any other control takes the keyboard as the dialog manager gives it, a
// field's text selected to be typed over.
void TakeMnemonic(QWidget* control)
{
  if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    button->click();
    return;
  }
  control->setFocus(Qt::ShortcutFocusReason);
  control->window()->setAttribute(Qt::WA_KeyboardFocusChange);
}

QPushButton* DefaultButton(QWidget* container)
{
  for (QPushButton* button : container->findChildren<QPushButton*>())
    if (button->isDefault() && button->isVisibleTo(container))
      return button;
  return nullptr;
}

bool TakesDialogKeys(CWnd* wnd) { return dynamic_cast<CFormView*>(wnd) || dynamic_cast<CDialogBar*>(wnd); }

// The form view or dialog bar the widget lies in; null for none.
CWnd* ContainerOf(QWidget* widget)
{
  for (QWidget* w = widget; w; w = w->parentWidget()) {
    if (CWnd* wnd = CWnd::FromHandlePermanent(w); TakesDialogKeys(wnd))
      return wnd;
    if (w->isWindow())
      break;
  }
  return nullptr;
}

BOOL PressReturn(QWidget* container, HWND hFocus)
{
  QPushButton* focused = FocusedButtonForReturn(hFocus);
  QPushButton* button = focused && container->isAncestorOf(focused) ? focused : DefaultButton(container);
  if (!button || !button->isEnabled())
    return FALSE;
  button->click();
  return TRUE;
}

// Return where a dialog bar has no button to press is the bar's OK, as the dialog manager sends
// it: the bar's owner takes it (a drawing's bar gives its view the keyboard, so the field's value
// is taken, or refused, as on leaving the field). FALSE when nobody takes it.
BOOL SendBarOK(CWnd* pContainer)
{
  return dynamic_cast<CDialogBar*>(pContainer) && pContainer->SendMessage(WM_COMMAND, IDOK, 0);
}

// The control that took the focus because the one that had it was disabled, until the focus moves
// again.
QPointer<QWidget>& FocusPassedOnByDisabling()
{
  static QPointer<QWidget> widget;
  return widget;
}
}  // namespace

void WatchFocusPassedOnByDisabling()
{
  static bool watching = false;
  if (watching || !qApp)
    return;
  watching = true;
  // A control is disabled before the toolkit moves its focus on, so the one losing it is greyed.
  QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget* old, QWidget* now) {
    FocusPassedOnByDisabling() = old && !old->isEnabled() ? now : nullptr;
  });
}

QPushButton* FocusedButtonForReturn(QWidget* focus)
{
  auto* button = qobject_cast<QPushButton*>(focus);
  return button && button != FocusPassedOnByDisabling() ? button : nullptr;
}

BOOL PreTranslateDialogKeys(CWnd* pContainer, const MSG* pMsg)
{
  QWidget* container = pContainer ? pContainer->GetOuterHandle() : nullptr;
  if (!container || pMsg->message != WM_KEYDOWN || GetKeyState(VK_CONTROL) < 0)
    return FALSE;
  const bool alt = GetKeyState(VK_MENU) < 0;
  if (pMsg->wParam == VK_RETURN && !alt)
    return PressReturn(container, pMsg->hwnd) || SendBarOK(pContainer);
  if (!alt)
    return FALSE;
  // Virtual keys of letters and digits are their Qt keys.
  QWidget* control = MnemonicControl(container, static_cast<int>(pMsg->wParam));
  if (!control)
    return FALSE;
  TakeMnemonic(control);
  return TRUE;
}

void KeepMnemonicInContainer(QAbstractButton* button)
{
  if (button && ContainerOf(button))
    button->setShortcut(QKeySequence());
}

void KeepMnemonicInContainer(CStaticLabel* label, QWidget* target)
{
  if (label)
    label->SetMnemonicTarget(target, !ContainerOf(label));
}

bool IsContainerMnemonic(QWidget* widget, const QKeyEvent* event)
{
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
  if (modifiers != Qt::AltModifier)
    return false;
  const CWnd* container = ContainerOf(widget);
  return container && MnemonicControl(container->GetOuterHandle(), event->key());
}
