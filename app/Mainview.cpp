// The main frame's commands that open, show and hide the Workbench, the three drawing views and
// the two reports of the active project.
#include "app/App.h"
#include "app/Mainfrm.h"
#include "app/Shellids.h"
#include "document/Doc.h"
#include "ui/docview/DocTempl.h"
#include "ui/docview/View.h"
#include "ui/frame/MdiFrame.h"
#include "reports/Rptview.h"
#include "support/Exceptn.h"
#include "support/Trace.h"

namespace {
CApp* TheApp() { return static_cast<CApp*>(AfxGetApp()); }

constexpr const char* kModule = "Mainview";

// The line each failure of this file reports: fixed, so an error code stays when the code moves.
enum : int
{
  kLineNoFrame = 64,
  kLineNoView = 130,
};

enum
{
  planAspect,
  elevationAspect,
  detailAspect
};

enum
{
  scheduleReport = 0,
  unitInfoReport = 1
};

BOOL IsFrameVisible(CView* pView) { return pView && pView->GetParentFrame()->IsWindowVisible(); }
}  // namespace

struct CMainFrame::CAspect
{
  UINT nOnCommand;
  UINT nOffCommand;
  CView* (CDoc::*find)() const;
  CFrameWnd* (CMainFrame::*open)();
};

const CMainFrame::CAspect& CMainFrame::Aspect(int kind)
{
  static const CAspect aspects[] = {
      {ID_PLAN_VIEW_ON, ID_PLAN_VIEW_OFF, &CDoc::GetPlanView, &CMainFrame::OpenPlanViewFrame},
      {ID_ELEVATION_VIEW_ON, ID_ELEVATION_VIEW_OFF, &CDoc::GetElevationView, &CMainFrame::OpenElevationViewFrame},
      {ID_DETAIL_VIEW_ON, ID_DETAIL_VIEW_OFF, &CDoc::GetDetailView, &CMainFrame::OpenDetailViewFrame},
  };
  return aspects[kind];
}

CFrameWnd* CMainFrame::OpenFrame(CDocTemplate* pTemplate, const char* trace, BOOL bMakeVisible, CDocument* pDoc)
{
  if (!pDoc)
    pDoc = GetActiveProject();
  CFrameWnd* pFrame = pDoc ? pTemplate->CreateNewFrame(pDoc, nullptr) : nullptr;
  if (!pFrame)
    throw CAppFatalException(kModule, kLineNoFrame);
  PCTRACE(TT_APPLICATION, TL_VERBOSE)("%s", trace);
  pTemplate->InitialUpdateFrame(pFrame, pDoc, bMakeVisible);
  return pFrame;
}

CFrameWnd* CMainFrame::OpenWorkbenchFrame(CDocument* pDoc)
{
  return OpenFrame(TheApp()->GetWorkbenchTemplate(), "Created the Workbench frame and view. \n", TRUE, pDoc);
}

CFrameWnd* CMainFrame::OpenPlanViewFrame()
{
  return OpenFrame(TheApp()->GetPlanViewTemplate(), "Created the Plan View frame and view. \n", FALSE);
}

CFrameWnd* CMainFrame::OpenElevationViewFrame()
{
  return OpenFrame(TheApp()->GetElevationViewTemplate(), "Created the Elevation View frame and view. \n", FALSE);
}

CFrameWnd* CMainFrame::OpenDetailViewFrame()
{
  return OpenFrame(TheApp()->GetDetailViewTemplate(), "Created the Detail View frame and view. \n", FALSE);
}

void CMainFrame::ShowWorkbenchFrame(CDoc* pDoc)
{
  if (CView* pWorkbench = pDoc->GetWorkbenchView())
    pWorkbench->GetParentFrame()->ShowWindow(SW_SHOW);
}

void CMainFrame::OnToggleWorkbench()
{
  CDoc* pDoc = GetActiveProject();
  CView* pWorkbench = pDoc ? pDoc->GetWorkbenchView() : nullptr;
  if (!pWorkbench)
    return;
  CFrameWnd* pFrame = pWorkbench->GetParentFrame();
  if (pFrame->IsWindowVisible()) {
    if (CView* pWarehouse = pDoc->GetWarehouseView())
      MDIActivate(pWarehouse->GetParentFrame());
    pFrame->ShowWindow(SW_HIDE);
  } else
    pFrame->ShowWindow(SW_SHOW);
}

void CMainFrame::OnUpdateToggleWorkbench(CCmdUI* pCmdUI)
{
  CDoc* pDoc = GetActiveProject();
  CView* pWorkbench = pDoc ? pDoc->GetWorkbenchView() : nullptr;
  pCmdUI->Enable(pWorkbench != nullptr);
  pCmdUI->SetCheck(IsFrameVisible(pWorkbench) ? 1 : 0);
}

// The view of the kind; when there is none its frame is opened, hidden, and the new view gets
// a second initial update.
CView* CMainFrame::FindOrOpenAspectView(CDoc* pDoc, const CAspect& aspect)
{
  CView* pView = (pDoc->*aspect.find)();
  if (pView)
    return pView;
  (this->*aspect.open)();
  pView = (pDoc->*aspect.find)();
  if (!pView)
    throw CAppFatalException(kModule, kLineNoView);
  pView->OnInitialUpdate();
  return pView;
}

void CMainFrame::ToggleAspect(const CAspect& aspect)
{
  CDoc* pDoc = GetActiveProject();
  CView* pWorkbench = pDoc ? pDoc->GetWorkbenchView() : nullptr;
  if (!pWorkbench)
    return;
  CView* pView = FindOrOpenAspectView(pDoc, aspect);
  CFrameWnd* pFrame = pView->GetParentFrame();
  if (pFrame->IsWindowVisible()) {
    ShowWorkbenchFrame(pDoc);
    HideAspectFrame(pDoc, pFrame);
    pWorkbench->PostMessage(WM_COMMAND, aspect.nOffCommand);
  } else {
    pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    pWorkbench->PostMessage(WM_COMMAND, aspect.nOnCommand);
    ShowWorkbenchFrame(pDoc);
  }
}

void CMainFrame::UpdateToggleAspect(CCmdUI* pCmdUI, const CAspect& aspect)
{
  CDoc* pDoc = GetActiveProject();
  if (!pDoc || !pDoc->GetWorkbenchView()) {
    pCmdUI->Enable(FALSE);
    pCmdUI->SetCheck(0);
    return;
  }
  pCmdUI->Enable(TRUE);
  pCmdUI->SetCheck(IsFrameVisible((pDoc->*aspect.find)()) ? 1 : 0);
}

void CMainFrame::ShowAspect(const CAspect& aspect)
{
  CDoc* pDoc = GetActiveProject();
  CView* pWorkbench = pDoc ? pDoc->GetWorkbenchView() : nullptr;
  if (!pWorkbench)
    return;
  CView* pView = FindOrOpenAspectView(pDoc, aspect);
  pWorkbench->PostMessage(WM_COMMAND, aspect.nOnCommand);
  pView->GetParentFrame()->ActivateFrame(SW_SHOW);
}

void CMainFrame::HideAspect(const CAspect& aspect)
{
  CDoc* pDoc = GetActiveProject();
  if (!pDoc)
    return;
  CView* pView = (pDoc->*aspect.find)();
  if (IsFrameVisible(pView))
    HideAspectFrame(pDoc, pView->GetParentFrame());
  if (CView* pWorkbench = pDoc->GetWorkbenchView())
    pWorkbench->PostMessage(WM_COMMAND, aspect.nOffCommand);
}

// A view that was the active window gives its place to the Workbench, as a closed window's place
// goes to the next one: the Workbench is active with its menu and tools, maximised when the view was.
void CMainFrame::HideAspectFrame(CDoc* pDoc, CFrameWnd* pFrame)
{
  BOOL maximised = FALSE;
  CView* pWorkbench = pDoc->GetWorkbenchView();
  if (pWorkbench && MDIGetActive(&maximised) == pFrame) {
    CFrameWnd* pWorkbenchFrame = pWorkbench->GetParentFrame();
    pWorkbenchFrame->ShowWindow(maximised ? SW_SHOWMAXIMIZED : SW_SHOW);
    MDIActivate(pWorkbenchFrame);
  }
  pFrame->ShowWindow(SW_HIDE);
}

void CMainFrame::OnTogglePlan() { ToggleAspect(Aspect(planAspect)); }
void CMainFrame::OnToggleElevation() { ToggleAspect(Aspect(elevationAspect)); }
void CMainFrame::OnToggleDetail() { ToggleAspect(Aspect(detailAspect)); }
void CMainFrame::OnUpdateTogglePlan(CCmdUI* pCmdUI) { UpdateToggleAspect(pCmdUI, Aspect(planAspect)); }
void CMainFrame::OnUpdateToggleElevation(CCmdUI* pCmdUI) { UpdateToggleAspect(pCmdUI, Aspect(elevationAspect)); }
void CMainFrame::OnUpdateToggleDetail(CCmdUI* pCmdUI) { UpdateToggleAspect(pCmdUI, Aspect(detailAspect)); }
void CMainFrame::OnShowPlan() { ShowAspect(Aspect(planAspect)); }
void CMainFrame::OnShowElevation() { ShowAspect(Aspect(elevationAspect)); }
void CMainFrame::OnShowDetail() { ShowAspect(Aspect(detailAspect)); }
void CMainFrame::OnHidePlan() { HideAspect(Aspect(planAspect)); }
void CMainFrame::OnHideElevation() { HideAspect(Aspect(elevationAspect)); }
void CMainFrame::OnHideDetail() { HideAspect(Aspect(detailAspect)); }

void CMainFrame::OnShowWorkbench()
{
  if (CDoc* pDoc = GetActiveProject())
    ShowWorkbenchFrame(pDoc);
}

void CMainFrame::OnCloseViews()
{
  OnHidePlan();
  OnHideElevation();
  OnHideDetail();
  OnShowWorkbench();
}

void CMainFrame::ToggleReport(int kind)
{
  CDoc* pDoc = GetActiveProject();
  if (!pDoc)
    return;
  CView* pView = kind == scheduleReport ? pDoc->GetScheduleReportView() : pDoc->GetUnitInfoReportView();
  if (!pView) {
    // The report is headed by what the design list shows.
    if (!pDoc->TakeTypedValues())
      return;
    CApp* pApp = TheApp();
    CMDIChildWnd* pActive = MDIGetActive();
    CFrameWnd* pFrame =
        kind == scheduleReport
            ? OpenFrame(pApp->GetScheduleReportViewTemplate(), "Created the schedule report frame and view. \n", TRUE)
            : OpenFrame(pApp->GetUnitInfoReportViewTemplate(), "Created the unit info report frame and view. \n", TRUE);
    // A report the user cancelled as it was first made is not opened: the windows stay as they were.
    auto* pReport = dynamic_cast<CReportView*>(pFrame->GetActiveView());
    if (pReport && pReport->WasCancelled()) {
      pFrame->SendMessage(WM_CLOSE, 0, 0);
      if (pActive)
        MDIActivate(pActive);
    }
    return;
  }
  CFrameWnd* pFrame = pView->GetParentFrame();
  pFrame->ShowWindow(pFrame->IsWindowVisible() ? SW_HIDE : SW_SHOW);
}

void CMainFrame::UpdateToggleReport(CCmdUI* pCmdUI, int kind)
{
  CDoc* pDoc = GetActiveProject();
  if (!pDoc) {
    pCmdUI->Enable(FALSE);
    pCmdUI->SetCheck(0);
    return;
  }
  CView* pView = kind == scheduleReport ? pDoc->GetScheduleReportView() : pDoc->GetUnitInfoReportView();
  pCmdUI->Enable(TRUE);
  pCmdUI->SetCheck(IsFrameVisible(pView) ? 1 : 0);
}

void CMainFrame::OnToggleUnitInfoReport() { ToggleReport(unitInfoReport); }
void CMainFrame::OnToggleScheduleReport() { ToggleReport(scheduleReport); }
void CMainFrame::OnUpdateToggleUnitInfoReport(CCmdUI* pCmdUI) { UpdateToggleReport(pCmdUI, unitInfoReport); }
void CMainFrame::OnUpdateToggleScheduleReport(CCmdUI* pCmdUI) { UpdateToggleReport(pCmdUI, scheduleReport); }
