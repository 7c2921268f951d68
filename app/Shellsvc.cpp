#include "app/Shellsvc.h"

#include "app/App.h"
#include "app/Appdlgs.h"
#include "app/Mainfrm.h"
#include "app/Plancfg.h"
#include "document/Doc.h"
#include "ui/docview/DocTempl.h"
#include "support/Exceptn.h"

namespace {
constexpr const char* kModule = "Shellsvc";

// The line each failure of this file reports: fixed, so an error code stays when the code moves.
enum : int
{
  kLineNoMainFrame = 80,
};
}  // namespace

CString CShellServices::GetProductName() const { return m_app.GetProductName(); }

CString CShellServices::GetProductDataVersion() const { return m_app.GetProductDataVersion(); }

CString CShellServices::GetSpecificationVersion() const { return m_app.GetSpecificationVersion(); }

CString CShellServices::GetDatePopulated() const { return m_app.GetDatePopulated(); }

CString CShellServices::GetContact() const { return m_app.GetAppPrefs().GetUserLicenseInfo()->GetContact(); }

int CShellServices::GetMeasurementUnits() const { return m_app.GetAppPrefs().GetMiscPrefs()->GetMeasurementUnits(); }

void CShellServices::ShowDbVersionDialog(const CDocVersion& projectVersion) { ::ShowDbVersionDialog(projectVersion); }

BOOL CShellServices::AskNewDesignName(CString& name, BOOL allowCancel) { return ::AskNewDesignName(name, allowCancel); }

void CShellServices::CloseInitialUntitledProject() { m_app.CloseInitialUntitledProject(); }

BOOL CShellServices::AskRenameDesign(CWnd* pParent, const CString& currentName, CString& newName)
{
  CRenameDesignDlg dialog(pParent);
  dialog.m_strCurrentName = currentName;
  dialog.m_strNewName = newName;
  if (dialog.DoModal() != IDOK)
    return FALSE;
  newName = dialog.m_strNewName;
  return TRUE;
}

BOOL CShellServices::EditProjectInformation(CWnd* pParent, CDoc* pDoc)
{
  CProjectInfoDlg dialog(pDoc, pParent);
  return dialog.DoModal() == IDOK;
}

void CShellServices::OpenWorkbenchFrame(CDoc* pDoc)
{
  CMainFrame* pMainFrame = GetMainFrame();
  if (!pMainFrame)
    throw CAppFatalException(kModule, kLineNoMainFrame);
  pMainFrame->OpenWorkbenchFrame(pDoc);
}

void CShellServices::RemoveDebugMenu(HMENU hMenu) { CMainFrame::RemoveDebugMenu(hMenu); }

void CShellServices::SetPaneText(int nIndex, const CString& text)
{
  if (CMainFrame* pMain = GetMainFrame())
    pMain->SetPaneText(nIndex, text);
}

CString CShellServices::GetUnitTypeForCommand(UINT nID) const
{
  CMainFrame* pMain = GetMainFrame();
  return pMain ? pMain->GetUnitTypeForCommand(nID) : CString();
}

CString CShellServices::GetUnitSubtypeForCommand(UINT nID) const
{
  CMainFrame* pMain = GetMainFrame();
  return pMain ? pMain->GetUnitSubtypeForCommand(nID) : CString();
}

CSize CShellServices::GetCaptionAndBorderSize() const { return CMainFrame::GetCaptionAndBorderSize(); }

HMENU CShellServices::GetWorkbenchMenu() const { return m_app.GetWorkbenchTemplate()->m_hMenuShared; }

CMapECatToXLTGDIData* CShellServices::CreateTranslationMap()
{
  return m_app.GetAppPrefs().GetExportToGDIConfig()->CreateTranslationMap();
}

void CShellServices::FillNewUnitMenu(CMenu* pPopup)
{
  if (CMainFrame* pMain = GetMainFrame())
    pMain->FillNewUnitMenu(pPopup);
}

int CShellServices::GetResizeTimeThreshold() const { return m_app.GetResizeTimeThreshold(); }

double CShellServices::GetResizeDistanceThreshold() const { return m_app.GetResizeDistanceThreshold(); }

CPlanSectionSwitches CShellServices::GetPlanSectionSwitches() const
{
  const CPlanSectionViewConfig& config = *m_app.GetAppPrefs().GetPlanSectionViewConfig();
  CPlanSectionSwitches switches;
  switches.SillLinesOn = config.GetSillLinesOn();
  switches.FrameOn = config.GetFrameOn();
  switches.FrameLinesOn = config.GetFrameLinesOn();
  switches.FullFrameWidthOn = config.GetFullFrameWidthOn();
  switches.GlassLines = config.GetGlassLines();
  return switches;
}

CMapECatToXLTDXFData* CShellServices::CreateDXFTranslationMap()
{
  return m_app.GetAppPrefs().GetExportToDXFConfig()->CreateTranslationMap();
}

int CShellServices::GetDXFTranslationUnit() const
{
  return m_app.GetAppPrefs().GetMiscPrefs()->GetDXFTranslationUnit();
}

BOOL CShellServices::IsMainToolBarVisible() const
{
  CMainFrame* pMain = GetMainFrame();
  return pMain && pMain->GetMainToolBar()->IsWindowVisible();
}

void CShellServices::ShowMainToolBar(BOOL bShow)
{
  if (CMainFrame* pMain = GetMainFrame())
    pMain->ShowControlBar(pMain->GetMainToolBar(), bShow, FALSE);
}

COLORREF CShellServices::GetPlanSelectorRGB() const
{
  return m_app.GetAppPrefs().GetExportToGDIConfig()->GetPlanSelectorRGB();
}

COLORREF CShellServices::GetPlanSelectorFillRGB() const
{
  return m_app.GetAppPrefs().GetExportToGDIConfig()->GetPlanSelectorFillRGB();
}

COLORREF CShellServices::GetDetailSelectorsRGB() const
{
  return m_app.GetAppPrefs().GetExportToGDIConfig()->GetDetailSelectorsRGB();
}

CScheduleReportGenerator* CShellServices::GetScheduleReportGenerator() { return m_app.GetScheduleReportGenerator(); }

CUnitInfoReportGenerator* CShellServices::GetUnitInfoReportGenerator() { return m_app.GetUnitInfoReportGenerator(); }
