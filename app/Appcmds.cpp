// The application's settings commands: the application and project settings sheets and the
// performance tuning dialog.
#include "app/App.h"
#include "app/Appdlgs.h"
#include "app/Appsheet.h"
#include "app/Prjsheet.h"
#include "document/Doc.h"

void CApp::OnApplicationSettings()
{
  CApplicationPreferencesSheetDlg sheet("Application Settings", nullptr, 0, m_appPrefs);
  sheet.DoModal();
}

void CApp::OnProjectSettings()
{
  auto* pDoc = dynamic_cast<CDoc*>(GetActiveDocument());
  if (!pDoc)
    return;
  CProjectPreferencesSheetDlg sheet("Project Settings", nullptr, 0, pDoc);
  if (sheet.DoModal() == IDOK)
    sheet.WriteBackPages();
}

void CApp::OnUpdateProjectSettings(CCmdUI* pCmdUI)
{
  pCmdUI->Enable(dynamic_cast<CDoc*>(GetActiveDocument()) != nullptr);
}

void CApp::OnPerformanceTuning()
{
  CPerformanceTuningDlg dialog;
  if (dialog.DoModal() == IDOK)
    SetResizeThresholds(dialog.m_nResizeTimeThreshold, dialog.m_dResizeDistanceThreshold);
}
