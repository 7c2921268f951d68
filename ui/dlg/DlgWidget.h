#pragma once
// The Qt window of a dialog or property sheet: Esc and the close box go through the window's
// Cancel command, as they do on Windows, so the dialog's own OnCancel decides.
#include <QDialog>

#include "ui/wnd/Wnd.h"

// A dialog's frame as its style makes it: a caption and a close box, no box to minimise or
// maximise it. The window manager's defaults would offer both: a maximised dialog keeps its
// controls in one corner, and a modal one minimised leaves the program looking hung.
constexpr Qt::WindowFlags kDialogFrame =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// A dialog or property sheet keeps the size it opens at, as a dialog without a sizing border
// does: its controls stand where its template puts them.
class CDialogWidget : public QDialog
{
public:
  CDialogWidget(QWidget* parent, CWnd* dialog) : QDialog(parent, kDialogFrame), m_pDialog(dialog) {}
  // Keeps the size the dialog has now.
  void FixSize() { setFixedSize(size()); }
  void reject() override
  {
    if (m_pDialog->m_hWnd)
      m_pDialog->SendMessage(WM_COMMAND, IDCANCEL, 0);
  }

private:
  CWnd* m_pDialog;
};

// The control a dialog or page gives the focus when it opens, and a form view when none of its
// controls had it yet: the first one that takes the focus by tabbing and can be typed into, or
// else the first one that takes it at all.
QWidget* FirstFocusControl(QWidget* dialog);
