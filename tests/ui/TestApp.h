#pragma once
// Shared fixtures of the UI tests: one Qt application and one application object for the run,
// a scripted dialog service per test, and helpers that feed real Qt events to windows.
#include <functional>
#include <string>

#include <QEvent>
#include <QPoint>

#include <gtest/gtest.h>

#include "ui/dlg/DialogService.h"
#include "ui/wnd/WinApp.h"

class QWidget;
class CWnd;

class CTestApp : public CWinApp
{
  DECLARE_MESSAGE_MAP()
public:
  CTestApp() : CWinApp("Panecraft Tests") {}
  // The command the application itself handles in the tests.
  static constexpr UINT ID_APP_TEST = 7307;
  int appCommands = 0;
  // Makes idle processing fail, for the child process that checks the boundary around it.
  bool throwOnIdle = false;
  BOOL OnIdle(LONG lCount) override;

protected:
  void OnAppTest() { ++appCommands; }
};

CTestApp& TestApp();

// Every test runs with a scripted dialog service and fixed screen resolution.
class UiTest : public ::testing::Test
{
protected:
  void SetUp() override;
  void TearDown() override;
  CScriptedDialogService service;
};

// Runs pending events.
void Pump();
// Runs events until done() holds; false only when it never does within a limit that only a hang
// reaches (no test may depend on how fast a loaded machine gets there).
bool PumpUntil(const std::function<bool()>& done);
// Posts a mouse event to a widget at a local point (delivered by the event loop).
void PostMouse(QWidget* widget, QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void PostKey(QWidget* widget, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Sends a mouse event at once, through the application's filters.
void SendMouse(QWidget* widget, QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// What poppler's pdfinfo says of a file: its "Pages:" value, or -1 when it cannot read it.
int PdfPages(const std::string& path);
