// The end of the session that a signal or the session manager asks for, run once and only from
// the main message loop.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QThread>
#include <QTimer>

#include "ui/dlg/DialogService.h"
#include "ui/wnd/MessagePump.h"
#include "ui/wnd/WinApp.h"
#include "ui/wnd/Wnd.h"

namespace {

// How often the session's end looks again whether the modal loops have ended.
constexpr int kRetryMilliseconds = 20;

// Answers the open message box the way that changes nothing (its Escape button, else Cancel, else
// No), so the command that asked gives up before the session's own questions come.
void DismissMessageBox(QMessageBox& box)
{
  QAbstractButton* button = box.escapeButton();
  if (!button)
    button = box.button(QMessageBox::Cancel);
  if (!button)
    button = box.button(QMessageBox::No);
  if (button)
    button->click();
  else
    box.reject();
}

// Ends the innermost modal loop: a drag by taking the capture away (a drag ends on capture loss),
// a popup menu or modal window as Escape would; the next look takes the next one.
void EndTopModalLoop()
{
  if (CMessagePump::Current()) {
    ReleaseCapture();
    return;
  }
  if (QWidget* popup = QApplication::activePopupWidget()) {
    popup->close();
    return;
  }
  QWidget* modal = QApplication::activeModalWidget();
  if (auto* box = qobject_cast<QMessageBox*>(modal))
    DismissMessageBox(*box);
  else if (auto* dialog = qobject_cast<QDialog*>(modal))
    dialog->reject();
}

// The main loop is the only one running: no modal dialog, menu or drag loop above it.
bool InMainLoopOnly() { return QThread::currentThread()->loopLevel() <= 1 && !CMessagePump::Current(); }

}  // namespace

void CWinApp::RequestEndSession()
{
  if (m_bEndingSession)
    return;
  m_bEndingSession = true;
  // No question may come up while the open loops are ended, one after another.
  m_pUnasked = std::make_unique<CUnaskedScope>();
  ContinueEndSession();
}

void CWinApp::ContinueEndSession()
{
  if (!m_bRunning || !InMainLoopOnly()) {
    EndTopModalLoop();
    QTimer::singleShot(kRetryMilliseconds, qApp, [this] { ContinueEndSession(); });
    return;
  }
  EndSession();
}
