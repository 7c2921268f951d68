#pragma once
// The application's side of what the project document and its design list ask for: the
// product name and database texts, the user's contact, the naming and project dialogs, and the
// Workbench frame of the main window; and what the Workbench asks of the main frame.
#include "document/Whsvc.h"
#include "project/DocServices.h"
#include "reports/Rptsvc.h"
#include "workbench/items/Wbsvc.h"

class CApp;

class CShellServices : public CDocServices, public CWarehouseServices, public CWorkbenchServices, public CReportServices
{
public:
  explicit CShellServices(CApp& app) : m_app(app) {}

  CString GetProductName() const override;
  CString GetProductDataVersion() const override;
  CString GetSpecificationVersion() const override;
  CString GetDatePopulated() const override;
  CString GetContact() const override;
  int GetMeasurementUnits() const override;
  void ShowDbVersionDialog(const CDocVersion& projectVersion) override;
  BOOL AskNewDesignName(CString& name, BOOL allowCancel) override;
  void CloseInitialUntitledProject() override;

  BOOL AskRenameDesign(CWnd* pParent, const CString& currentName, CString& newName) override;
  BOOL EditProjectInformation(CWnd* pParent, CDoc* pDoc) override;
  void OpenWorkbenchFrame(CDoc* pDoc) override;
  void RemoveDebugMenu(HMENU hMenu) override;

  void SetPaneText(int nIndex, const CString& text) override;
  CString GetUnitTypeForCommand(UINT nID) const override;
  CString GetUnitSubtypeForCommand(UINT nID) const override;
  CSize GetCaptionAndBorderSize() const override;
  HMENU GetWorkbenchMenu() const override;
  CMapECatToXLTGDIData* CreateTranslationMap() override;
  void FillNewUnitMenu(CMenu* pPopup) override;
  int GetResizeTimeThreshold() const override;
  double GetResizeDistanceThreshold() const override;
  CPlanSectionSwitches GetPlanSectionSwitches() const override;
  CMapECatToXLTDXFData* CreateDXFTranslationMap() override;
  int GetDXFTranslationUnit() const override;
  BOOL IsMainToolBarVisible() const override;
  void ShowMainToolBar(BOOL bShow) override;
  COLORREF GetPlanSelectorRGB() const override;
  COLORREF GetPlanSelectorFillRGB() const override;
  COLORREF GetDetailSelectorsRGB() const override;
  CScheduleReportGenerator* GetScheduleReportGenerator() override;
  CUnitInfoReportGenerator* GetUnitInfoReportGenerator() override;

private:
  CApp& m_app;
};
