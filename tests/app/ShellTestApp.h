#pragma once
// Shared fixture of the shell tests: the real application object started offscreen on the
// sample catalogue with a scripted dialog service, a profile of its own, and helpers that pump
// events, send commands and read the states of menus and toolbar buttons.
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/core/String.h"
#include "ui/dlg/DialogService.h"

class CApp;
class CDialog;
class CDoc;
class CFrameWnd;
class CMainFrame;
class CWarehouseView;
class CWnd;
class QLineEdit;
class QTimer;
class QWidget;

// The application object of the test process.
CApp& ShellApp();
// The folder of the test's profile and files.
std::string ShellTempDir();

class ShellTest : public ::testing::Test
{
protected:
  void SetUp() override;
  void TearDown() override;

  // Runs the application's start-up with the command line; TRUE when it completed.
  BOOL Start(const CString& commandLine = CString());
  CMainFrame* MainFrame() const;
  // The project of the active MDI child; null when there is none.
  CDoc* ActiveProject() const;
  // Every open project, in the order of the Warehouse template.
  std::vector<CDoc*> Projects() const;
  CWarehouseView* DesignList(CDoc* pDoc) const;
  // Brings the frame to the front and clicks into the field, as the user would; FALSE when the
  // field did not take the keyboard.
  bool ClickIntoField(CFrameWnd* pFrame, QWidget* field);
  // The same for the project name field of the project's design list; the field, or null.
  QLineEdit* FocusProjectNameField(CDoc* pDoc);
  // Brings the project's design list to the front and clicks one of its buttons, as the user does.
  void ClickDesignListButton(CDoc* pDoc, UINT nID);
  // Sends a command to the main frame (as a menu choice would) and runs the events it posts.
  void Command(UINT nID);
  // Runs the application's message loop as the program runs it, with start() called from inside
  // it, until the main frame is gone or a message box more is asked for.
  void RunUntilEndedOrAsked(const std::function<void()>& start);
  // The enabled and checked states that the update handlers give a command.
  struct CommandState
  {
    bool enabled = false;
    int checked = 0;
  };
  CommandState StateOf(UINT nID);
  // Queues an action for the next modal dialog.
  void OnNextDialog(std::function<void(CDialog&)> action);
  // The texts of the message boxes shown so far.
  std::vector<CString> Messages() const;
  std::string PathIn(const char* name) const;

  CScriptedDialogService service;
};

// A shell test on the new project the program starts with.
class ShellProjectTest : public ShellTest
{
protected:
  void SetUp() override;

  CDoc* m_pDoc = nullptr;
};

// Stores a design of units of the catalogue (type, subtype), each at its first size, into the
// project.
void AddDesignOfUnits(CDoc* pDoc, const char* name, const std::vector<std::pair<const char*, const char*>>& units);

// With the real dialog service: runs the action on the next modal window shown (a message box, a
// file dialog), from inside its loop, as the user answers it; once, while the object lives. A
// window of another class than the one named fails the test and is closed.
class CModalAnswer
{
public:
  CModalAnswer(const char* className, std::function<void(QWidget*)> action);
  ~CModalAnswer();
  CModalAnswer(const CModalAnswer&) = delete;
  CModalAnswer& operator=(const CModalAnswer&) = delete;

private:
  std::unique_ptr<QTimer> m_pTimer;
};

// Scripted dialogs, but message boxes of the real kind, counted.
class CRealBoxService : public CScriptedDialogService
{
public:
  explicit CRealBoxService(CDialogService& real) : m_real(real) {}
  int MessageBox(CWnd* pOwner, const CString& text, const CString& caption, UINT nType, UINT nIDHelp) override;
  int boxesShown = 0;

private:
  CDialogService& m_real;
};

// The dialog service of the real program, made the one in use.
CDialogService& QtDialogService();

// Types a quantity into the dialog bar of the project's Workbench, as the user would.
void SetWorkbenchQuantity(CDoc* pDoc, int quantity);
// Runs pending events.
void Pump();
// Runs events until done() holds; false only when it never does within a limit that only a hang
// reaches (no test may depend on how fast a loaded machine gets there).
bool PumpUntil(const std::function<bool()>& done);
// Types a text into a dialog control and clicks a button, as the user would.
void SetControlText(CWnd& dialog, int nID, const CString& text);
void ClickButton(CWnd& dialog, int nID);
// Selects a list or combo line and notifies the dialog of the change.
void SelectLine(CWnd& dialog, int nID, int line);
CString ControlText(CWnd& dialog, int nID);
// Every byte of a file; empty when it cannot be read.
std::vector<unsigned char> ReadFileBytes(const std::string& path);
