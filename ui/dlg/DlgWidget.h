#pragma once
// The Qt window of a dialog or property sheet: Esc and the close box go through the window's
// Cancel command, as they do on Windows, so the dialog's own OnCancel decides.
#include <QDialog>

#include "ui/wnd/Wnd.h"

class CDialogWidget : public QDialog
{
public:
  CDialogWidget(QWidget* parent, CWnd* dialog) : QDialog(parent), m_pDialog(dialog) {}
  void reject() override
  {
    if (m_pDialog->m_hWnd)
      m_pDialog->SendMessage(WM_COMMAND, IDCANCEL, 0);
  }

private:
  CWnd* m_pDialog;
};

// The control a dialog or page gives the focus when it opens: the first one that takes the
// focus by tabbing and can be typed into, or else the first one that takes it at all.
QWidget* FirstFocusControl(QWidget* dialog);
