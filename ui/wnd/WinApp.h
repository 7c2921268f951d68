#pragma once
// The application object: start-up and the message loop, idle processing (command states of
// the control bars, frame titles), the document templates, and the exception boundary. An
// exception that escapes any handler reaches ProcessWndProcException, which reports it and ends
// the process with exit code 99.
#include <atomic>
#include <exception>
#include <memory>
#include <vector>

#include "platform/core/String.h"
#include "ui/wnd/CmdTarget.h"
#include "ui/wnd/Msg.h"

class CDocManager;
class CProfile;
class CUnaskedScope;
class CDocTemplate;
class CDocument;
class CPrintDialog;
class CWnd;
class QPrinter;

class CWinApp : public CCmdTarget
{
  DECLARE_DYNAMIC(CWinApp)
  DECLARE_MESSAGE_MAP()
public:
  explicit CWinApp(LPCTSTR lpszAppName = nullptr);
  ~CWinApp() override;

  virtual BOOL InitApplication();
  virtual BOOL InitInstance();
  virtual int Run();
  virtual int ExitInstance();
  // Idle work, called when the message queue has been emptied; TRUE asks for another call.
  virtual BOOL OnIdle(LONG lCount);
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  // The exception boundary: called with an exception that left a handler (pMsg may be null).
  // The default shows a short report; the process then ends with exit code 99.
  virtual LRESULT ProcessWndProcException(const std::exception_ptr& e, const MSG* pMsg);
  virtual void WinHelp(std::uintptr_t dwData, UINT nCmd = HELP_CONTEXT);
  virtual BOOL SaveAllModified();
  virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra) override;
  virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
  // Called with FALSE before the program asks the user something in a modal window (a message
  // box, a modal dialog, a file or print dialog) and with TRUE once it is answered; a window the
  // application keeps on top of everything (a splash picture) must then not hide the question.
  virtual void EnableModeless(BOOL /*bEnable*/) {}

  void AddDocTemplate(CDocTemplate* pTemplate);
  POSITION GetFirstDocTemplatePosition() const;
  CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
  CDocManager* m_pDocManager = nullptr;

  CWnd* m_pMainWnd = nullptr;
  CWnd* GetMainWnd() const { return m_pMainWnd; }
  CString m_strAppName;
  CString m_lpCmdLine;
  int m_nCmdShow = SW_SHOWNORMAL;
  int m_nNumPreviewPages = 0;

  // The application profile: an INI file in the configuration folder, in a folder named after
  // the maker's key and named after the application.
  void SetRegistryKey(LPCTSTR lpszRegistryKey);
  virtual CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
  // Signed, so that a stored negative number reads as negative.
  virtual int GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
  virtual BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
  virtual BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
  CProfile& GetProfile();
  // The recent-file list ("Recent File List", File1...) and the standard settings ("Settings").
  // The list is written as this instance changed it (files put first, files taken out) applied to
  // the list the profile holds then, so the files another instance listed meanwhile stay.
  void LoadStdProfileSettings(UINT nMaxMRU = 4);
  void SaveStdProfileSettings();
  // A name with a control character (a line break) is not listed: it could not come back as it is.
  void AddToRecentFileList(LPCTSTR lpszPathName);
  CString GetRecentFile(int nIndex) const;
  CString m_strRegistryKey;

  // Cursors and the wait cursor.
  HCURSOR LoadCursor(UINT nIDResource) const;
  HCURSOR LoadStandardCursor(UINT nIDCursor) const;
  void DoWaitCursor(int nCode);

  // Platform registrations that have no counterpart here: the file type is installed with the
  // program, and dialogs always have the platform's look.
  void Enable3dControls() {}
  void EnableShellOpen() {}
  void RegisterShellFileTypes(BOOL = FALSE) {}

  // Printing: the printer the print commands use (PDF output when the system has none).
  QPrinter* GetPrinter();
  BOOL DoPrintDialog(CPrintDialog* pPD);

  // The session manager asks the program to commit its data before the desktop session ends.
  // Where it lets the program ask (bMayAsk), the main window offers to save and may refuse
  // (FALSE: the logout is cancelled); otherwise the unsaved work is kept by KeepUnsavedWork.
  // Either way the end of the session that follows asks nothing and keeps nothing again, unless
  // the user has pressed a key or a button since.
  BOOL CommitSessionData(BOOL bMayAsk);
  // The session ends (a signal, or the session manager's end of the session): nobody is asked,
  // not even about a typed value a field would refuse. The unsaved work is kept by
  // KeepUnsavedWork, the main window learns that the session ends, the documents close, and the
  // program ends through its usual exit.
  void EndSession();
  // A signal asks for the end of the session: entered once, further requests are ignored until
  // the message loop has ended. From the request to the end of the exit processing nobody is
  // asked; the open modal loops are ended first and EndSession runs from the main message loop,
  // so no step of it runs inside a loop that another step ends.
  void RequestEndSession();
  // A key or a mouse button was pressed: what a commit of the session's data took may be old.
  void NoteUserInput() { m_bSessionDataCommitted = false; }
  // Keeps the unsaved work where it survives the program (recovery copies); called when the
  // session ends or its data is committed unasked, and when the toolkit is about to end the
  // process while the message loop runs (the display connection was lost), before its exit.
  // Default: nothing kept.
  virtual void KeepUnsavedWork() {}
  // The process is about to end unasked: TRUE once when that happens while the loop still runs.
  BOOL TakeUnexpectedExit();
  // Whether the message loop runs and no unexpected exit has been taken; asked from any thread.
  BOOL IsRunning() const { return m_bRunning; }

  // Wakes idle processing after something changed outside user input.
  void RequestIdle() { m_bIdlePending = true; }
  BOOL IsIdlePending() const { return m_bIdlePending; }
  void RunIdle();
  // How often the idle time has run: what wakes the program while nothing happens shows here.
  unsigned long GetIdleRunCount() const { return m_nIdleRuns; }

  // Command handlers of the application.
  void OnFileNew();
  void OnFileOpen();
  void OnFilePrintSetup();
  void OnAppExit();
  void OnHelp();
  void OnOpenRecentFile(UINT nID);
  // Puts the numbered entries of the recent-file list in place of the menu item of the first
  // entry ("&1 path" ...); an empty list shows that item's first text, greyed.
  void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);

private:
  CString ProfileName() const;
  void ContinueEndSession();
  std::unique_ptr<CProfile> m_pProfile;
  std::vector<CString> m_recentFiles;
  // The changes to the list not written yet, in order: a path put first, or taken out.
  struct CRecentChange
  {
    CString path;
    bool first = true;
  };
  std::vector<CRecentChange> m_recentChanges;
  CString m_strRecentFilePlaceholder;
  UINT m_nMaxMRU = 0;
  bool m_bIdlePending = true;
  bool m_bInIdle = false;
  unsigned long m_nIdleRuns = 0;
  // Set and taken on the main thread; read by a thread of the toolkit that hears of a lost display.
  std::atomic<bool> m_bRunning = false;
  bool m_bEndingSession = false;
  // The session manager's commit took the unsaved work (asked or kept) and nothing was typed since.
  bool m_bSessionDataCommitted = false;
  // Nobody is asked from a signal's request to the end of the exit processing.
  std::unique_ptr<CUnaskedScope> m_pUnasked;
  int m_nWaitCursorCount = 0;
  std::unique_ptr<QPrinter> m_pPrinter;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The text of string resource nIDPrompt; its help id defaults to the prompt id.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));
// Makes the Qt application, runs the application object through start-up, the message loop and
// exit, and returns the exit code.
int AfxWinMain(int argc, char** argv);
// Ends the process at once with the code: no exit processing, no saving.
[[noreturn]] void AfxEndProcess(int nExitCode);
// Hands an exception that left a handler to the application's boundary.
void AfxProcessException(const std::exception_ptr& e, const MSG* pMsg);
