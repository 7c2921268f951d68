#pragma once
// The keys of a form view or a dialog bar, taken there as a dialog takes them, before the frame's
// accelerators and menus: Return presses the focused push button, else the default one, else it
// is a dialog bar's OK (IDOK) for the bar's owner; Alt with a letter presses the enabled button
// whose text marks that letter, or gives the keyboard to the control after a static text that
// marks it. Dialogs ask here which focused button Return presses.
#include "ui/wnd/Msg.h"

class CStaticLabel;
class CWnd;
class QAbstractButton;
class QKeyEvent;
class QPushButton;
class QWidget;

// TRUE when a control of the container took the key message.
BOOL PreTranslateDialogKeys(CWnd* pContainer, const MSG* pMsg);
// The push button that Return presses where the focus is: the focused push button, unless it took
// the focus only because the control that had it was disabled; null for none, and the default
// button keeps Return then. A focused control that greys itself passes the focus to the next tab
// stop, as the system moves it on in a dialog, but not the default: Move Up greying itself at the
// top of a list left Return to Move Down, which moved the line back.
QPushButton* FocusedButtonForReturn(QWidget* focus);
// Starts watching for the focus that a disabled control passes on; once for the application.
void WatchFocusPassedOnByDisabling();
// TRUE when the Alt key pressed in the widget is the mnemonic of a control of the form view or
// dialog bar that holds the widget; the key is then kept from the menus.
bool IsContainerMnemonic(QWidget* widget, const QKeyEvent* event);
// A button of a form view or dialog bar keeps no shortcut of its own in the window: its Alt
// mnemonic is the container's, taken only while the focus is in it, as a dialog bar's is taken by
// the bar alone. Left to the window, it stood against the menus' own from anywhere in the frame:
// in a report window Alt+E and Alt+H opened neither the Edit nor the Help menu.
void KeepMnemonicInContainer(QAbstractButton* button);
// A static text's mnemonic moves the keyboard to the control after it (target). In a dialog the
// label holds the shortcut; in a form view or dialog bar it only shows the mark and the container
// takes the letter while the focus is in it, as it does a button's. A label's shortcut is live in
// its whole window, the main window for a bar: in the Plan View Alt+W and Alt+S went to the bar's
// Wall Width and Symbol Placement instead of opening the Window and Settings menus.
void KeepMnemonicInContainer(CStaticLabel* label, QWidget* target);
