#pragma once
// The Qt application under the application object (internal to ui): every entry from
// Qt into program code passes notify, which is the exception boundary; an application-wide
// filter turns input into messages for PreTranslateMessage; idle time runs CWinApp::OnIdle. The
// desktop's session manager reaches the application object: its request to commit the data as
// CWinApp::CommitSessionData, asking only where the manager allows it, and its end of the
// session as the end a signal asks for.
#include <memory>

#include <QApplication>

class CAppEventFilter;

class CQtApplication : public QApplication
{
public:
  CQtApplication(int& argc, char** argv);
  ~CQtApplication() override;
  bool notify(QObject* receiver, QEvent* event) override;
  bool event(QEvent* event) override;
  // The signals that end a desktop session or a terminal's program (SIGTERM, SIGHUP, SIGINT)
  // end the program's session in order, as the application's EndSession does, instead of
  // killing it.
  void EndSessionOnSignal();
  // A refusal met while a mouse press gave the keyboard to another window, before the press
  // reached it: the switch did not happen, so neither the press nor the rest of its click (the
  // moves while its button is held, the release, a double click) reaches any window.
  static void DropPressUnderWay();

private:
  std::unique_ptr<CAppEventFilter> m_pFilter;
};
