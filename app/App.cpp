#include "app/App.h"

#include <algorithm>
#include <climits>
#include <csignal>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "app/About.h"
#include "app/Appicon.h"
#include "app/Appres.h"
#include "app/Fatalrpt.h"
#include "app/Helpgate.h"
#include "app/Helpmap.h"
#include "app/Helptmr.h"
#include "app/Recoffer.h"
#include "app/Recovery.h"
#include "app/Shellids.h"
#include "document/Whids.h"
#include "platform/core/Archive.h"
#include "platform/core/Profile.h"
#include "ui/docview/DocTempl.h"
#include "ui/wnd/AppIcon.h"
#include "ui/wnd/Exitcode.h"
#include "ui/wnd/HelpWnd.h"
#include "ui/frame/MdiFrame.h"
#include "ui/wnd/Resource.h"
#include "ui/docview/View.h"
#include "productdb/Dbver.h"
#include "productdb/txdbExcp.h"
#include "project/Stamp.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "workbench/items/Tracker.h"

namespace {

// The module name the exceptions of this source file report, with the line of the throw.
constexpr const char* kModule = "App";

// The line each failure of this file reports: fixed, so an error code stays when the code moves.
enum : int
{
  kLineNoMakerName = 143,
  kLineNoProductName = 145,
  kLinePrefsNotLoaded = 168,
  kLineNoDatabaseVersion = 180,
  kLinePrefsNotSaved = 194,
  kLineNoWarehouseTemplate = 259,
  kLineNoWorkbenchTemplate = 266,
  kLineNoPlanViewTemplate = 273,
  kLineNoElevationViewTemplate = 280,
  kLineNoDetailViewTemplate = 287,
  kLineNoScheduleReportTemplate = 294,
  kLineNoUnitInfoReportTemplate = 301,
};

constexpr int kDefaultSplashTime = 3000;

// The platform belongs to the NT family (high bit clear), version 4.0.
constexpr DWORD kPlatformVersion = 0x00000004;

const char* const kLevelNames[] = {"None", "Warning", "Important", "Detail", "Verbose"};
const char* const kTopicNames[] = {"Application",
                                   "Serialization",
                                   "Document",
                                   "Preferences",
                                   "Paint",
                                   "Unit",
                                   "Workbench",
                                   "Workbench Tools",
                                   "Views",
                                   "VRX Entities",
                                   "Zooming & Scrolling",
                                   "Translators",
                                   "Assemblers",
                                   "Dialog boxes",
                                   "Reports",
                                   "Snapping & Alignment",
                                   "Joining"};

CString CurrentDirectory()
{
  char buffer[PATH_MAX];
  return ::getcwd(buffer, sizeof buffer) ? CString(buffer) : CString();
}

// The program's data folder: found from the program's own folder, so an installed program and
// the one in the build tree (where the build places the catalogue) both find theirs.
CString DataDirectory()
{
  char buffer[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0)
    return CString();
  std::string program(buffer, static_cast<size_t>(length));
  return CString(program.substr(0, program.rfind('/') + 1) + PANECRAFT_DATA_FROM_BIN);
}

BOOL HoldsDatabase(const CString& directory) { return ::access((directory + "/TXDB.SDF").c_str(), F_OK) == 0; }

// Without a profile entry: the current directory when it holds the catalogue, else the program's
// data folder when it does; else the current directory, whose missing file the start-up reports.
CString DefaultDatabaseDirectory()
{
  CString current = CurrentDirectory();
  if (HoldsDatabase(current))
    return current;
  CString data = DataDirectory();
  return !data.IsEmpty() && HoldsDatabase(data) ? data : current;
}

}  // namespace

IMPLEMENT_DYNAMIC(CApp, CWinApp)

BEGIN_MESSAGE_MAP(CApp, CWinApp)
  ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
  ON_COMMAND(ID_HELP_INDEX, OnHelp)
  ON_COMMAND(ID_FILE_NEW, OnFileNew)
  ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
  ON_COMMAND(ID_APPLICATION_SETTINGS, OnApplicationSettings)
  ON_COMMAND(ID_PROJECT_SETTINGS, OnProjectSettings)
  ON_UPDATE_COMMAND_UI(ID_PROJECT_SETTINGS, OnUpdateProjectSettings)
  ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
  ON_COMMAND(ID_PERFORMANCE_TUNING, OnPerformanceTuning)
END_MESSAGE_MAP()

void ThrowAppFatalException(const char* file, int line) { throw CAppFatalException(file, line); }

namespace {
// A template getter called before start-up has made the templates is a fatal error.
CMultiDocTemplate* RequiredTemplate(CMultiDocTemplate* pTemplate, int line)
{
  if (!pTemplate)
    ThrowAppFatalException(kModule, line);
  return pTemplate;
}
}  // namespace

CApp::CApp() : CWinApp(nullptr)
{
  NameTraceTopics();
  RegisterAppResources();
  // Like the class library, the application takes its name from the title string: it captions
  // the class library's message boxes and names the profile.
  AfxLoadString(kAppTitleString, m_strAppName);
  PCTRACE(TT_APPLICATION, TL_DETAIL)("CApp construction \n");
}

CApp::~CApp()
{
  PCTRACE(TT_APPLICATION, TL_DETAIL)("CApp destruction \n");
  // The document manager deletes the one registered template, the Warehouse's.
  for (CMultiDocTemplate** t :
       {&m_pWorkbenchTemplate, &m_pPlanViewTemplate, &m_pElevationViewTemplate, &m_pDetailViewTemplate,
        &m_pScheduleReportViewTemplate, &m_pUnitInfoReportViewTemplate}) {
    delete *t;
    *t = nullptr;
  }
  if (m_pTrackerResources) {
    CTracker::FreeResources();
    m_pTrackerResources.reset();
  }
}

void CApp::NameTraceTopics()
{
  CTrace& trace = theTrace();
  for (int level = 0; level < static_cast<int>(std::size(kLevelNames)); ++level)
    trace.SetLevelName(level, kLevelNames[level]);
  for (int topic = 0; topic < static_cast<int>(std::size(kTopicNames)); ++topic)
    trace.SetTopicName(topic, kTopicNames[topic]);
  for (int topic : {TT_APPLICATION, TT_DOCUMENT, TT_SERIALIZATION, TT_PREFERENCES, TT_UNIT})
    trace.SetLevel(topic, TL_WARNING);
}

BOOL CApp::IsWinNT() const { return (m_dwWindowsVersion & 0x80000000u) == 0; }
BOOL CApp::IsWin95() const { return !IsWinNT() && (m_dwWindowsVersion & 0xFF) == 4; }
BOOL CApp::IsWin32s() const { return !IsWinNT() && (m_dwWindowsVersion & 0xFF) == 3; }

BOOL CApp::InitApplication()
{
  // A write past the file-size limit (ulimit -f, a service's LimitFSIZE) then fails with its
  // error like a full disk, which every write handles, instead of ending the program unsaved.
  std::signal(SIGXFSZ, SIG_IGN);
  m_dwWindowsVersion = kPlatformVersion;
  AfxSetApplicationIcon(kAppIconSvg);
  PCTRACE(TT_APPLICATION, TL_WARNING)
  ("CApp: GetVersion() = %04x%04x  WinNT = %d, Win95 = %d, Win3X = %d \n", HIWORD(m_dwWindowsVersion),
   LOWORD(m_dwWindowsVersion), IsWinNT(), IsWin95(), IsWin32s());
  if (!m_pTrackerResources)
    m_pTrackerResources = std::make_unique<CTrackerResources>();
  return CWinApp::InitApplication();
}

BOOL CApp::InitInstance()
{
  PCTRACE(TT_APPLICATION, TL_DETAIL)("CApp::InitInstance() \n");
  StartUp();
  return InitShell();
}

void CApp::StartUp()
{
  Enable3dControls();
  LoadNames();
  if (!IsWin32s())
    SetRegistryKey(m_strMakerName);
  ShowSplash();
  SetDatabaseDirectory();
  InstallManual();
  LoadPreferences();
  ReadDatabaseVersion();
}

void CApp::LoadNames()
{
  if (!AfxLoadString(kMakerNameString, m_strMakerName))
    ThrowAppFatalException(kModule, kLineNoMakerName);
  if (!AfxLoadString(kProductNameString, m_strProductName))
    ThrowAppFatalException(kModule, kLineNoProductName);
}

void CApp::ShowSplash()
{
  int milliseconds = GetProfileInt("Misc", "SplashScreenTime", kDefaultSplashTime);
  if (milliseconds > 0)
    m_splashWnd.Show(static_cast<UINT>(milliseconds));
}

void CApp::EnableModeless(BOOL bEnable)
{
  if (!bEnable)
    m_splashWnd.Close();
  CWinApp::EnableModeless(bEnable);
}

void CApp::SetDatabaseDirectory()
{
  CString directory = GetProfileString("Misc", "ProductDatabaseDir");
  if (directory.IsEmpty())
    directory = DefaultDatabaseDirectory();
  PCTRACE(TT_APPLICATION, TL_WARNING)("Product database directory = %s \n", directory.c_str());
  CTXRecObj::SetDatabaseDirectory(directory);
}

void CApp::LoadPreferences()
{
  try {
    if (!m_appPrefs.Load())
      ThrowAppFatalException(kModule, kLinePrefsNotLoaded);
  } catch (const CException&) {
    PCTRACE(TT_APPLICATION, TL_WARNING)("Exception while loading application settings.\n");
    ProcessWndProcException(std::current_exception(), nullptr);
  }
}

void CApp::ReadDatabaseVersion()
{
  try {
    CDbVerRec version;
    if (version.First(1) != 0)
      throw CTXDBException(kModule, kLineNoDatabaseVersion, CTXDBException::readError);
    m_strDatePopulated = version.GetDatePopulated().Format("%m/%d/%Y");
    m_strProductDataVersion = version.GetProductDataVersion();
    m_strSpecificationVersion = version.GetSpecificationVersion();
  } catch (const CException&) {
    ProcessWndProcException(std::current_exception(), nullptr);
  }
}

int CApp::ExitInstance()
{
  PCTRACE(TT_APPLICATION, TL_DETAIL)("Capp::ExitInstance() \n");
  // The settings kept at exit go to the disk in one write, not one for each key.
  CProfile::CHold hold(GetProfile());
  try {
    if (!m_appPrefs.Save())
      ThrowAppFatalException(kModule, kLinePrefsNotSaved);
  } catch (const CException&) {
    PCTRACE(TT_APPLICATION, TL_WARNING)("Exception while saving application settings.\n");
  }
  ExitShell();
  const int code = CWinApp::ExitInstance();
  return m_bUnsavedWorkLost ? kWorkNotKeptExitCode : code;
}

CDocument* CApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
  // A project open already is only brought forward; a file about to open may have a newer
  // recovery copy beside it that the user should hear of first.
  CString path(lpszFileName ? lpszFileName : "");
  if (!path.IsEmpty() && m_pDocManager && !m_pDocManager->FindOpenDocument(path))
    path = ChooseProjectOrNewerCopy(*this, path);
  return CWinApp::OpenDocumentFile(path);
}

LRESULT CApp::ProcessWndProcException(const std::exception_ptr& e, const MSG*)
{
  CString text;
  try {
    if (e)
      std::rethrow_exception(e);
    text = FormatFatalErrorReport(m_strProductName, nullptr);
  } catch (const CException& exception) {
    text = FormatFatalErrorReport(m_strProductName, &exception);
  } catch (...) {
    text = FormatFatalErrorReport(m_strProductName, nullptr);
  }
  // Unsaved work is kept before the program ends; the report says where, and the next start says
  // it again, for a report that nobody saw.
  const std::vector<CRecoveryCopy> copies = WriteRecoveryCopies(*this);
  NoteRecoveryCopies(*this, copies);
  text += DescribeRecoveryCopies(copies);
  if (m_splashWnd.GetSafeHwnd())
    m_splashWnd.DestroyWindow();
  if (m_pMainWnd && m_pMainWnd->GetSafeHwnd())
    m_pMainWnd->MessageBox(text, m_strProductName, MB_OK);
  else
    AfxMessageBox(text, MB_OK);
  // No exit processing: the preferences are not saved after a fatal error.
  AfxEndProcess(kFatalExitCode);
}

void CApp::KeepUnsavedWork()
{
  const std::vector<CRecoveryCopy> copies = WriteRecoveryCopies(*this);
  // The next start names the copies too, for a user who never saw standard error.
  NoteRecoveryCopies(*this, copies);
  m_bUnsavedWorkLost = std::any_of(copies.begin(), copies.end(),
                                   [](const CRecoveryCopy& copy) { return copy.changed && copy.path.IsEmpty(); });
  CString text = DescribeRecoveryCopies(copies);
  text.TrimLeft('\n');
  if (!text.IsEmpty())
    std::fprintf(stderr, "%s: %s\n", m_strProductName.c_str(), text.c_str());
}

void CApp::InstallManual()
{
  // A sink installed before start-up (a test's) keeps the requests.
  if (IsHelpSinkSet())
    return;
  m_pManual = std::make_unique<CHelpWindowSink>(DataDirectory() + "/help", ManualTopicFor, kManualContents);
  SetHelpSink(m_pManual.get());
}

void CApp::WinHelp(std::uintptr_t dwData, UINT nCmd)
{
  if (!m_pHelpTimerWnd) {
    m_pHelpTimerWnd = std::make_unique<CHelpTimerWnd>();
    m_pHelpTimerWnd->CreateHidden();
  }
  DWORD id = 0;
  int showHelpId = GetProfileInt("Debug", "ShowHelpID", 0);
  switch (DecideHelpRequest(static_cast<DWORD>(dwData), nCmd, m_pHelpTimerWnd->IsTimerRunning(), showHelpId, &id)) {
  case HelpAction::showId:
    AfxMessageBox(FormatShowHelpIdText(nCmd, id), MB_OK);
    break;
  case HelpAction::call:
    m_pHelpTimerWnd->StartTimer();
    CWinApp::WinHelp(id + AFX_HELP_BASE, nCmd);
    break;
  case HelpAction::drop:
    break;
  }
}

void CApp::OnAppAbout()
{
  CAboutDlg dialog;
  dialog.DoModal();
}

CMultiDocTemplate* CApp::GetWarehouseTemplate() const
{
  return RequiredTemplate(m_pWarehouseTemplate, kLineNoWarehouseTemplate);
}

CMultiDocTemplate* CApp::GetWorkbenchTemplate() const
{
  return RequiredTemplate(m_pWorkbenchTemplate, kLineNoWorkbenchTemplate);
}

CMultiDocTemplate* CApp::GetPlanViewTemplate() const
{
  return RequiredTemplate(m_pPlanViewTemplate, kLineNoPlanViewTemplate);
}

CMultiDocTemplate* CApp::GetElevationViewTemplate() const
{
  return RequiredTemplate(m_pElevationViewTemplate, kLineNoElevationViewTemplate);
}

CMultiDocTemplate* CApp::GetDetailViewTemplate() const
{
  return RequiredTemplate(m_pDetailViewTemplate, kLineNoDetailViewTemplate);
}

CMultiDocTemplate* CApp::GetScheduleReportViewTemplate() const
{
  return RequiredTemplate(m_pScheduleReportViewTemplate, kLineNoScheduleReportTemplate);
}

CMultiDocTemplate* CApp::GetUnitInfoReportViewTemplate() const
{
  return RequiredTemplate(m_pUnitInfoReportViewTemplate, kLineNoUnitInfoReportTemplate);
}

CDocument* CApp::GetActiveDocument() const
{
  if (!m_pMainWnd || !m_pMainWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
    return nullptr;
  CMDIChildWnd* child = static_cast<CMDIFrameWnd*>(m_pMainWnd)->MDIGetActive();
  CView* view = child ? child->GetActiveView() : nullptr;
  return view ? view->GetDocument() : nullptr;
}

// The project's one stamp writer; the lower limit is fixed there.
DWORD CApp::SerializeVersion(CArchive& ar, DWORD) { return SerializeVersionStamp(ar); }
