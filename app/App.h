#pragma once
// The one application object: owns what lives as long as the program runs (names, preferences,
// document templates, the length converter, the splash window, the product database's version
// texts, the trackers' thresholds), names the trace topics, runs start-up and exit, and ends
// the program with the fatal-error report.
#include <memory>

#include "app/Appprefs.h"
#include "app/Splash.h"
#include "ui/wnd/WinApp.h"
#include "project/Stamp.h"
#include "reports/Schrptgn.h"
#include "reports/Uirptgen.h"
#include "support/Unitscvt.h"

class CArchive;
class CCmdUI;
class CHelpTimerWnd;
class CHelpWindowSink;
class CTrackerResources;
class CMultiDocTemplate;

class CApp : public CWinApp
{
  DECLARE_DYNAMIC(CApp)
  DECLARE_MESSAGE_MAP()
public:
  // The version stamp that opens every persistent object of a project file.
  static constexpr DWORD kStoredVersion = kCurrentVersionStamp;
  static constexpr DWORD kLowestReadableVersion = kOldestVersionStamp;

  CApp();
  ~CApp() override;

  BOOL InitApplication() override;
  BOOL InitInstance() override;
  int ExitInstance() override;
  BOOL SaveAllModified() override;
  // Shows the fatal-error report and ends the process with exit code 99; never returns.
  LRESULT ProcessWndProcException(const std::exception_ptr& e, const MSG* pMsg) override;
  // Recovery copies of the changed projects, named on standard error and noted for the next
  // start: nobody can be asked. When one could not be written, the exit code says so.
  void KeepUnsavedWork() override;
  // Tells of a newer recovery copy beside the file before it opens, and offers it instead.
  CDocument* OpenDocumentFile(LPCTSTR lpszFileName) override;
  // A question asked while the splash picture shows closes the picture first.
  void EnableModeless(BOOL bEnable) override;
  // The help gate: at most one help call in two seconds, one topic per hundred command ids.
  void WinHelp(std::uintptr_t dwData, UINT nCmd = HELP_CONTEXT) override;

  CString GetProductName() const { return m_strProductName; }
  // Each throws CAppFatalException while start-up has not made the template.
  CMultiDocTemplate* GetWarehouseTemplate() const;
  CMultiDocTemplate* GetWorkbenchTemplate() const;
  CMultiDocTemplate* GetPlanViewTemplate() const;
  CMultiDocTemplate* GetElevationViewTemplate() const;
  CMultiDocTemplate* GetDetailViewTemplate() const;
  CMultiDocTemplate* GetScheduleReportViewTemplate() const;
  CMultiDocTemplate* GetUnitInfoReportViewTemplate() const;
  CAppPrefs& GetAppPrefs() { return m_appPrefs; }
  CUnitsConverter& GetUnitsConverter() { return m_unitsConverter; }
  // The one generator of each report, shared by the report windows of every project.
  CScheduleReportGenerator* GetScheduleReportGenerator() { return &m_scheduleReportGenerator; }
  CUnitInfoReportGenerator* GetUnitInfoReportGenerator() { return &m_unitInfoReportGenerator; }
  BOOL IsWinNT() const;
  BOOL IsWin95() const;
  BOOL IsWin32s() const;
  int GetResizeTimeThreshold() const { return m_nResizeTimeThreshold; }
  double GetResizeDistanceThreshold() const { return m_dResizeDistanceThreshold; }
  CString GetDatePopulated() const { return m_strDatePopulated; }
  CString GetProductDataVersion() const { return m_strProductDataVersion; }
  CString GetSpecificationVersion() const { return m_strSpecificationVersion; }
  // The document of the active view of the main frame's active child; null when there is none.
  CDocument* GetActiveDocument() const;

  // Storing writes 10000; loading reads the stamp and throws CAppSerializeException (code 3)
  // for one below 9236, whatever lower limit is asked for.
  static DWORD SerializeVersion(CArchive& ar, DWORD lowestVersion = kLowestReadableVersion);

  // Closes the untouched empty project of start-up when the first project file opens; once.
  void CloseInitialUntitledProject();
  void SetResizeThresholds(int milliseconds, double inches)
  {
    m_nResizeTimeThreshold = milliseconds;
    m_dResizeDistanceThreshold = inches;
  }

  void OnAppAbout();
  void OnFileNew();
  void OnFileOpen();
  void OnApplicationSettings();
  void OnProjectSettings();
  void OnUpdateProjectSettings(CCmdUI* pCmdUI);
  void OnPerformanceTuning();

protected:
  // The start-up steps that need no window: names, profile place, splash, database directory,
  // preferences and the product database's version texts. A failure ends the program with the
  // fatal-error report.
  void StartUp();
  // Makes the manual's help window the end of help requests.
  void InstallManual();

  // The value the system reports for its version: the high bit set for the Windows 3.x and
  // Windows 95 families, clear for the NT family; the low byte is the major version.
  DWORD m_dwWindowsVersion = 0;

private:
  void NameTraceTopics();
  void LoadNames();
  void ShowSplash();
  void SetDatabaseDirectory();
  void LoadPreferences();
  void ReadDatabaseVersion();
  // The start-up steps after the product database is known: templates, main frame, command line.
  BOOL InitShell();
  void CreateDocTemplates();
  void ExitShell();

  CString m_strMakerName;
  CString m_strProductName;
  CMultiDocTemplate* m_pWarehouseTemplate = nullptr;
  CMultiDocTemplate* m_pWorkbenchTemplate = nullptr;
  CMultiDocTemplate* m_pPlanViewTemplate = nullptr;
  CMultiDocTemplate* m_pElevationViewTemplate = nullptr;
  CMultiDocTemplate* m_pDetailViewTemplate = nullptr;
  CMultiDocTemplate* m_pScheduleReportViewTemplate = nullptr;
  CMultiDocTemplate* m_pUnitInfoReportViewTemplate = nullptr;
  CAppPrefs m_appPrefs;
  CUnitsConverter m_unitsConverter;
  CScheduleReportGenerator m_scheduleReportGenerator;
  CUnitInfoReportGenerator m_unitInfoReportGenerator;
  CSplashWnd m_splashWnd;
  BOOL m_bInitialProjectClosed = FALSE;
  // Unsaved work that no recovery copy could take at an end with nobody to ask.
  BOOL m_bUnsavedWorkLost = FALSE;
  int m_nResizeTimeThreshold = 0;
  double m_dResizeDistanceThreshold = 0.0;
  CString m_strDatePopulated;
  CString m_strProductDataVersion;
  CString m_strSpecificationVersion;
  std::unique_ptr<CHelpTimerWnd> m_pHelpTimerWnd;
  // The help window's sink, from start-up to the end of the shell.
  std::unique_ptr<CHelpWindowSink> m_pManual;
  // The trackers' shared cursors and bitmap, from InitApplication to the destructor.
  std::unique_ptr<CTrackerResources> m_pTrackerResources;
};

// Throws CAppFatalException naming the source file and line.
[[noreturn]] void ThrowAppFatalException(const char* file, int line);
