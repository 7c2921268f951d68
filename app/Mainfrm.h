#pragma once
// The program's main window: toolbar, status bar, the grey MDI client, the "New Window Unit"
// commands built from the product database, and the commands that show and hide the Workbench,
// the drawing views and the reports of the active project.
#include "app/Newunit.h"
#include "ui/frame/CtrlBar.h"
#include "ui/frame/MdiFrame.h"

class CDoc;
class CDocument;
class CDocTemplate;
class CView;

class CMainFrame : public CMDIFrameWnd
{
  DECLARE_DYNAMIC(CMainFrame)
  DECLARE_MESSAGE_MAP()
public:
  CMainFrame();
  ~CMainFrame() override;

  // Sets a status-bar pane's text, shown with the bar's next paint.
  void SetPaneText(int nIndex, LPCTSTR lpszText);
  CToolBar* GetMainToolBar() { return &m_wndToolBar; }
  CStatusBar* GetStatusBar() { return &m_wndStatusBar; }
  // Caption height plus twice the border width, both ways.
  static CSize GetCaptionAndBorderSize();
  // Removes the last top-level "&Debug" item of a menu.
  static void RemoveDebugMenu(HMENU hMenu);

  // Replaces the placeholder of a popup by one popup per unit type with its subtype commands.
  void FillNewUnitMenu(CMenu* pPopup);
  CString GetUnitTypeForCommand(UINT nID) const { return m_newUnitCommands.GetUnitType(nID); }
  CString GetUnitSubtypeForCommand(UINT nID) const { return m_newUnitCommands.GetUnitSubtype(nID); }
  const CNewUnitCommandList& GetNewUnitCommands() const { return m_newUnitCommands; }

  // Frames and views for the active project (or the given one); the Workbench frame is shown,
  // the others are not.
  CFrameWnd* OpenWorkbenchFrame(CDocument* pDoc = nullptr);
  CFrameWnd* OpenPlanViewFrame();
  CFrameWnd* OpenElevationViewFrame();
  CFrameWnd* OpenDetailViewFrame();

  void GetMessageString(UINT nID, CString& rMessage) const override;
  // The project of the active view of the active MDI child; null when there is none.
  CDoc* GetActiveProject();
  // TRUE between the design questions of a close and the end of that close, so that the
  // application does not ask them again.
  static BOOL IsClosing();

protected:
  int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
  void OnClose() override;
  void OnDestroy() override;
  void OnEndSession(BOOL bEnding) override;
  // A file dropped on the window opens as a project.
  void OnDropFiles(const CString& path) override;

  // Show and hide commands (in Mainview.cpp).
  void OnToggleWorkbench();
  void OnTogglePlan();
  void OnToggleElevation();
  void OnToggleDetail();
  void OnToggleUnitInfoReport();
  void OnToggleScheduleReport();
  void OnShowPlan();
  void OnShowElevation();
  void OnShowDetail();
  void OnShowWorkbench();
  void OnHidePlan();
  void OnHideElevation();
  void OnHideDetail();
  void OnCloseViews();
  void OnUpdateToggleWorkbench(CCmdUI* pCmdUI);
  void OnUpdateTogglePlan(CCmdUI* pCmdUI);
  void OnUpdateToggleElevation(CCmdUI* pCmdUI);
  void OnUpdateToggleDetail(CCmdUI* pCmdUI);
  void OnUpdateToggleUnitInfoReport(CCmdUI* pCmdUI);
  void OnUpdateToggleScheduleReport(CCmdUI* pCmdUI);

private:
  // What differs between the Plan, Elevation and Detail views.
  struct CAspect;
  static const CAspect& Aspect(int kind);
  BOOL CreateToolBar();
  BOOL CreateStatusBar();
  void SizeStatusPanes();
  void RestoreWindowRect();
  void FillWorkbenchInsertMenu();
  void DestroyWorkbenchInsertMenu();
  BOOL OfferToStoreDesigns();
  CFrameWnd* OpenFrame(CDocTemplate* pTemplate, const char* trace, BOOL bMakeVisible, CDocument* pDoc = nullptr);
  CView* FindOrOpenAspectView(CDoc* pDoc, const CAspect& aspect);
  void ToggleAspect(const CAspect& aspect);
  void UpdateToggleAspect(CCmdUI* pCmdUI, const CAspect& aspect);
  void ShowAspect(const CAspect& aspect);
  void HideAspect(const CAspect& aspect);
  void HideAspectFrame(CDoc* pDoc, CFrameWnd* pFrame);
  void ToggleReport(int kind);
  void UpdateToggleReport(CCmdUI* pCmdUI, int kind);
  void ShowWorkbenchFrame(CDoc* pDoc);

  CStatusBar m_wndStatusBar;
  CToolBar m_wndToolBar;
  CNewUnitCommandList m_newUnitCommands;
};

// The main frame of the running program; null before it is made.
CMainFrame* GetMainFrame();
