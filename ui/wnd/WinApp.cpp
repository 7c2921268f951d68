#include "ui/wnd/WinApp.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <sys/stat.h>

#include <QGuiApplication>
#include <QWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QThread>

#include "platform/core/Profile.h"
#include "ui/wnd/Cursor.h"
#include "ui/wnd/Exitcode.h"
#include "ui/dlg/Dialog.h"
#include "ui/dlg/DialogService.h"
#include "ui/docview/DocTempl.h"
#include "ui/wnd/HelpSink.h"
#include "ui/frame/Menu.h"
#include "ui/output/Print.h"
#include "ui/wnd/QtApp.h"
#include "ui/wnd/Resource.h"
#include "ui/wnd/Wnd.h"

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
  ON_COMMAND(ID_APP_EXIT, OnAppExit)
  ON_COMMAND_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
  ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

namespace {
CWinApp* g_pApp = nullptr;

CString FromQStringName(const QString& name) { return CString::FromUtf8(name.toStdString()); }
}  // namespace

CWinApp::CWinApp(LPCTSTR lpszAppName) : m_strAppName(lpszAppName) { g_pApp = this; }

CWinApp::~CWinApp()
{
  delete m_pDocManager;
  if (g_pApp == this)
    g_pApp = nullptr;
}

CWinApp* AfxGetApp() { return g_pApp; }

CWnd* AfxGetMainWnd()
{
  CWinApp* app = AfxGetApp();
  return app ? app->m_pMainWnd : nullptr;
}

BOOL CWinApp::InitApplication() { return TRUE; }
BOOL CWinApp::InitInstance() { return TRUE; }

namespace {
QtMessageHandler g_previousMessageHandler = nullptr;

// The toolkit ends the process itself when the connection to the display breaks, to the X
// server or to the Wayland compositor: it tells of the broken connection in a warning and exits
// right after. The unsaved work is kept on hearing the warning and the process ends here, before
// any exit processing has destroyed something the copies need (the tables of the units are
// statics). Each platform's warnings that come just before its exit, as the toolkit words them.
bool TellsOfALostDisplay(QtMsgType type, const QString& message)
{
  static const QLatin1String kLostDisplay[] = {QLatin1String("The X11 connection broke"),
                                               QLatin1String("The Wayland connection broke"),
                                               QLatin1String("The Wayland connection experienced a fatal error")};
  if (type != QtWarningMsg)
    return false;
  for (const QLatin1String& start : kLostDisplay)
    if (message.startsWith(start))
      return true;
  return false;
}

// Whether the main thread is keeping the work; set before the loop is taken, so that a thread
// that looks never finds the loop taken and the work not yet being kept.
std::atomic<bool> g_keepingWork = false;

// On the main thread, while the message loop runs: the copies are written and the process ends.
// Returns only when the loop no longer runs (nothing is left to keep, or it is already kept).
void KeepUnsavedWorkAndEnd(CWinApp& app)
{
  g_keepingWork = true;
  if (!app.TakeUnexpectedExit()) {
    g_keepingWork = false;
    return;
  }
  try {
    app.KeepUnsavedWork();
  } catch (...) {
    std::fputs("The unsaved work could not be kept.\n", stderr);
  }
  std::exit(kDisplayLostExitCode);
}

// A thread of the toolkit's own may hear of the loss before the main thread does, and it ends the
// process right after its warning. It waits here while the main thread keeps the work and ends
// the process; it goes on (and the toolkit exits) only when the main thread has nothing to keep,
// or has not come to it in the time a copy of a large project takes.
void WaitWhileTheMainThreadKeepsTheWork(CWinApp& app)
{
  if (!app.IsRunning() && !g_keepingWork)
    return;
  constexpr auto kLongestWait = std::chrono::seconds(60);
  struct Passed
  {
    std::mutex mutex;
    std::condition_variable condition;
    bool passed = false;
  };
  // Never destroyed: the main thread ends the process while this thread still waits on it.
  static auto* state = new Passed;
  QMetaObject::invokeMethod(
      qApp,
      [&app] {
        KeepUnsavedWorkAndEnd(app);
        const std::lock_guard<std::mutex> lock(state->mutex);
        state->passed = true;
        state->condition.notify_all();
      },
      Qt::QueuedConnection);
  std::unique_lock<std::mutex> lock(state->mutex);
  state->condition.wait_for(lock, kLongestWait, [] { return state->passed; });
}

void KeepUnsavedWorkBeforeTheToolkitExits(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
  g_previousMessageHandler(type, context, message);
  CWinApp* app = AfxGetApp();
  if (!app || !qApp || !TellsOfALostDisplay(type, message))
    return;
  if (QThread::currentThread() == qApp->thread())
    KeepUnsavedWorkAndEnd(*app);
  else
    WaitWhileTheMainThreadKeepsTheWork(*app);
}
}  // namespace

int CWinApp::Run()
{
  if (!m_pMainWnd)
    return ExitInstance();
  if (!g_previousMessageHandler)
    g_previousMessageHandler = qInstallMessageHandler(KeepUnsavedWorkBeforeTheToolkitExits);
  m_bRunning = true;
  QGuiApplication::exec();
  m_bRunning = false;
  const int code = ExitInstance();
  // A session ended by a signal asks nothing up to here, its exit processing included.
  m_pUnasked.reset();
  m_bEndingSession = false;
  return code;
}

BOOL CWinApp::TakeUnexpectedExit() { return m_bRunning.exchange(false); }

int CWinApp::ExitInstance()
{
  SaveStdProfileSettings();
  // The printer is a Qt object: it goes while the Qt application still runs.
  m_pPrinter.reset();
  return 0;
}

CString CWinApp::ProfileName() const
{
  if (!m_strAppName.IsEmpty())
    return m_strAppName;
  CString title;
  if (AfxLoadString(0xE000, title) && !title.IsEmpty())
    return title;
  return FromQStringName(QCoreApplication::applicationName());
}

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
  m_strRegistryKey = lpszRegistryKey;
  m_pProfile.reset();
}

CProfile& CWinApp::GetProfile()
{
  if (!m_pProfile) {
    const CString name = ProfileName();
    const CString folder = m_strRegistryKey.IsEmpty() ? name : m_strRegistryKey;
    m_pProfile = std::make_unique<CProfile>(CProfile::DefaultPath(folder, name));
  }
  return *m_pProfile;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
  return GetProfile().GetProfileString(lpszSection, lpszEntry, lpszDefault);
}

int CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
  return GetProfile().GetProfileInt(lpszSection, lpszEntry, nDefault);
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
  return GetProfile().WriteProfileString(lpszSection, lpszEntry, lpszValue);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
  return GetProfile().WriteProfileInt(lpszSection, lpszEntry, nValue);
}

namespace {
// The profile keeps one value a line and the menu one entry a line: a name with a line break or
// another control character could not come back as it was, so it is not listed.
bool IsListable(const CString& path)
{
  for (int i = 0; i < path.GetLength(); ++i) {
    const auto c = static_cast<unsigned char>(path[i]);
    if (c < 0x20 || c == 0x7F)
      return false;
  }
  return !path.IsEmpty();
}
}  // namespace

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
  m_nMaxMRU = nMaxMRU;
  m_recentFiles.clear();
  m_recentChanges.clear();
  for (UINT i = 1; i <= nMaxMRU; ++i) {
    const CString file = GetProfileString("Recent File List", CString::Formatted("File%u", i));
    if (IsListable(file))
      m_recentFiles.push_back(file);
  }
  m_nNumPreviewPages = GetProfileInt("Settings", "PreviewPages", 0);
}

void CWinApp::SaveStdProfileSettings()
{
  if (m_nMaxMRU == 0)
    return;
  if (!m_recentChanges.empty()) {
    std::vector<CRecentChange> changes;
    changes.swap(m_recentChanges);
    const UINT max = m_nMaxMRU;
    const bool written = GetProfile().Update([changes, max](CProfile& profile) {
      std::vector<CString> files;
      for (UINT i = 1; i <= max; ++i)
        if (CString file = profile.GetProfileString("Recent File List", CString::Formatted("File%u", i));
            !file.IsEmpty())
          files.push_back(file);
      for (const CRecentChange& change : changes) {
        std::erase_if(files, [&](const CString& f) { return f == change.path; });
        if (change.first)
          files.insert(files.begin(), change.path);
      }
      for (UINT i = 1; i <= max; ++i)
        profile.WriteProfileString("Recent File List", CString::Formatted("File%u", i),
                                   i <= files.size() ? files[i - 1].c_str() : nullptr);
    });
    // Kept for the next write, should a later one succeed.
    if (!written)
      m_recentChanges.insert(m_recentChanges.begin(), changes.begin(), changes.end());
  }
  WriteProfileInt("Settings", "PreviewPages", m_nNumPreviewPages);
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName)
{
  if (m_nMaxMRU == 0 || !lpszPathName || !IsListable(lpszPathName))
    return;
  const CString path(lpszPathName);
  std::erase_if(m_recentFiles, [&](const CString& f) { return f == path; });
  m_recentFiles.insert(m_recentFiles.begin(), path);
  if (m_recentFiles.size() > m_nMaxMRU)
    m_recentFiles.resize(m_nMaxMRU);
  m_recentChanges.push_back({path, true});
}

CString CWinApp::GetRecentFile(int nIndex) const
{
  return nIndex >= 0 && static_cast<size_t>(nIndex) < m_recentFiles.size() ? m_recentFiles[static_cast<size_t>(nIndex)]
                                                                           : CString();
}

void CWinApp::OnOpenRecentFile(UINT nID)
{
  const CString path = GetRecentFile(static_cast<int>(nID - ID_FILE_MRU_FILE1));
  // Only a file that is no longer there leaves the list: one another program holds, or that
  // could not be read this time, is still the user's to open later.
  struct stat info
  {};
  if (!path.IsEmpty() && !OpenDocumentFile(path) && ::stat(path.c_str(), &info) != 0 &&
      (errno == ENOENT || errno == ENOTDIR)) {
    std::erase_if(m_recentFiles, [&](const CString& f) { return f == path; });
    m_recentChanges.push_back({path, false});
  }
}

namespace {
// The menu text of an entry: its number as the mnemonic, and the path with its ampersands
// doubled so that none of them turns into a mnemonic.
CString RecentFileMenuText(size_t nIndex, const CString& path)
{
  CString text = nIndex < 9 ? CString::Formatted("&%u ", static_cast<unsigned>(nIndex + 1))
                            : CString::Formatted("%u&%u ", static_cast<unsigned>((nIndex + 1) / 10),
                                                 static_cast<unsigned>((nIndex + 1) % 10));
  for (int i = 0; i < path.GetLength(); ++i) {
    if (path[i] == '&')
      text += '&';
    text += path[i];
  }
  return text;
}
}  // namespace

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
  CMenu* menu = pCmdUI->m_pMenu;
  if (!menu) {
    pCmdUI->Enable(!m_recentFiles.empty());
    return;
  }
  // The item's first text comes back when the list is empty again.
  if (m_strRecentFilePlaceholder.IsEmpty())
    menu->GetMenuString(pCmdUI->m_nIndex, m_strRecentFilePlaceholder, MF_BYPOSITION);
  // Entries of an earlier opening go: the list may have changed since.
  for (UINT id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_FILE16; ++id)
    while (menu->DeleteMenu(id, MF_BYCOMMAND)) {}
  if (m_recentFiles.empty()) {
    menu->InsertMenu(pCmdUI->m_nIndex, MF_BYPOSITION | MF_STRING | MF_GRAYED, ID_FILE_MRU_FILE1,
                     m_strRecentFilePlaceholder);
    pCmdUI->Enable(FALSE);
  } else {
    for (size_t i = 0; i < m_recentFiles.size(); ++i)
      menu->InsertMenu(pCmdUI->m_nIndex + static_cast<UINT>(i), MF_BYPOSITION | MF_STRING,
                       ID_FILE_MRU_FILE1 + static_cast<UINT>(i), RecentFileMenuText(i, m_recentFiles[i]));
    pCmdUI->m_nIndex += static_cast<UINT>(m_recentFiles.size()) - 1;
    pCmdUI->m_bEnableChanged = TRUE;
  }
  pCmdUI->m_nIndexMax = menu->GetMenuItemCount();
}

BOOL CWinApp::OnIdle(LONG lCount)
{
  if (lCount == 0 && m_pMainWnd && m_pMainWnd->m_hWnd)
    m_pMainWnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
  return FALSE;
}

void CWinApp::RunIdle()
{
  if (m_bInIdle)
    return;
  m_bInIdle = true;
  m_bIdlePending = false;
  ++m_nIdleRuns;
  for (LONG count = 0; OnIdle(count); ++count) {}
  m_bInIdle = false;
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg)
{
  // The target window and each of its parents may take the message first, up to a dialog's own
  // window: the keys of a dialog are its own, and never reach the accelerators of the window
  // beneath it (Ctrl+N in a modal dialog made a new project behind it).
  for (CWnd* wnd = CWnd::FromHandlePermanent(pMsg->hwnd); wnd; wnd = wnd->GetParent()) {
    if (wnd->PreTranslateMessage(pMsg))
      return TRUE;
    if (const QWidget* outer = wnd->GetOuterHandle(); outer && outer->isWindow() && dynamic_cast<CDialog*>(wnd))
      return FALSE;
  }
  return FALSE;
}

LRESULT CWinApp::ProcessWndProcException(const std::exception_ptr&, const MSG*)
{
  CString text("An unexpected error has occurred; ");
  text += m_strAppName.IsEmpty() ? CString("the application") : m_strAppName;
  text += " will close.";
  DialogService().MessageBox(m_pMainWnd, text, m_strAppName, MB_OK | MB_ICONSTOP, 0);
  AfxEndProcess(99);
}

void AfxProcessException(const std::exception_ptr& e, const MSG* pMsg)
{
  // The report belongs to the application; whatever it does, the process ends here.
  try {
    if (CWinApp* app = AfxGetApp())
      app->ProcessWndProcException(e, pMsg);
  } catch (...) {}
  AfxEndProcess(99);
}

void AfxEndProcess(int nExitCode)
{
  DialogService().ProcessEnding(nExitCode);
  std::fflush(nullptr);
  std::_Exit(nExitCode);
}

void CWinApp::WinHelp(std::uintptr_t dwData, UINT nCmd) { HelpSink().ShowHelp(dwData, nCmd); }

BOOL CWinApp::SaveAllModified() { return m_pDocManager ? m_pDocManager->SaveAllModified() : TRUE; }

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
  return m_pDocManager ? m_pDocManager->OpenDocumentFile(lpszFileName) : nullptr;
}

BOOL CWinApp::OnCmdMsg(UINT nID, int nCode, void* pExtra) { return CCmdTarget::OnCmdMsg(nID, nCode, pExtra); }

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt)
{
  return DialogService().MessageBox(m_pMainWnd, lpszPrompt, m_strAppName, nType, nIDPrompt);
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
  CWinApp* app = AfxGetApp();
  if (app)
    return app->DoMessageBox(lpszText, nType, nIDHelp);
  return DialogService().MessageBox(nullptr, lpszText, "", nType, nIDHelp);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
  CString text;
  AfxLoadString(nIDPrompt, text);
  return AfxMessageBox(text, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
  if (!m_pDocManager)
    m_pDocManager = new CDocManager;
  m_pDocManager->AddDocTemplate(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
  return m_pDocManager ? m_pDocManager->GetFirstDocTemplatePosition() : nullptr;
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const { return m_pDocManager->GetNextDocTemplate(pos); }

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const { return AfxResourceCursor(nIDResource); }

HCURSOR CWinApp::LoadStandardCursor(UINT nIDCursor) const { return AfxStandardCursor(nIDCursor); }

void CWinApp::DoWaitCursor(int nCode)
{
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    return;
  if (nCode > 0) {
    ++m_nWaitCursorCount;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (nCode < 0 && m_nWaitCursorCount > 0) {
    --m_nWaitCursorCount;
    QGuiApplication::restoreOverrideCursor();
  } else if (nCode == 0 && m_nWaitCursorCount > 0)
    QGuiApplication::changeOverrideCursor(Qt::WaitCursor);
}

QPrinter* CWinApp::GetPrinter()
{
  if (!m_pPrinter) {
    m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // Without a system printer the output is a PDF file, whose name the print command asks for.
    if (QPrinterInfo::availablePrinters().isEmpty())
      m_pPrinter->setOutputFormat(QPrinter::PdfFormat);
  }
  return m_pPrinter.get();
}

BOOL CWinApp::DoPrintDialog(CPrintDialog* pPD) { return pPD ? pPD->DoModal() : IDCANCEL; }

void CWinApp::OnFileNew()
{
  if (m_pDocManager)
    m_pDocManager->OnFileNew();
}

void CWinApp::OnFileOpen()
{
  if (m_pDocManager)
    m_pDocManager->OnFileOpen();
}

void CWinApp::OnFilePrintSetup()
{
  // Paper, orientation and margins go into the printer that the next print starts from.
  DialogService().PageSetupDialog(m_pMainWnd, *GetPrinter());
}

void CWinApp::OnAppExit()
{
  if (m_pMainWnd)
    m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::OnHelp() { WinHelp(0, HELP_INDEX); }

BOOL CWinApp::CommitSessionData(BOOL bMayAsk)
{
  m_bSessionDataCommitted = false;
  if (!m_pMainWnd || !m_pMainWnd->m_hWnd)
    return TRUE;
  if (bMayAsk && DialogService().CanAsk()) {
    if (!m_pMainWnd->SendMessage(WM_QUERYENDSESSION))
      return FALSE;
  } else {
    KeepUnsavedWork();
  }
  m_bSessionDataCommitted = true;
  return TRUE;
}

void CWinApp::EndSession()
{
  if (!m_pMainWnd || !m_pMainWnd->m_hWnd) {
    QCoreApplication::quit();
    return;
  }
  // A question or a refusal shown now would stop the end that nobody may be there to see, and
  // the system ends a program that does not end: the work is kept without asking.
  const CUnaskedScope unasked;
  if (!m_bSessionDataCommitted)
    KeepUnsavedWork();
  m_pMainWnd->SendMessage(WM_ENDSESSION, TRUE);
  if (m_pDocManager)
    m_pDocManager->CloseAllDocuments(TRUE);
  // Destroying the main window ends the message loop.
  if (m_pMainWnd && m_pMainWnd->m_hWnd)
    m_pMainWnd->DestroyWindow();
}

int AfxWinMain(int argc, char** argv)
{
  CQtApplication qtApp(argc, argv);
  CWinApp* app = AfxGetApp();
  if (!app)
    return -1;
  // The whole command line is one document path.
  CString commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1)
      commandLine += ' ';
    // A path is the system's bytes, as it came.
    commandLine += CString(argv[i]);
  }
  app->m_lpCmdLine = commandLine;
  qtApp.EndSessionOnSignal();
  int code = 0;
  try {
    if (app->InitApplication() && app->InitInstance())
      code = app->Run();
    else
      code = app->ExitInstance();
  } catch (...) {
    AfxProcessException(std::current_exception(), nullptr);
  }
  return code;
}
