// The application's start-up after the preferences and the product database are ready, the
// closing of the initial empty project, and the steps before and at exit.
#include <memory>

#include "app/App.h"
#include "app/Drawvals.h"
#include "app/Helptmr.h"
#include "ui/wnd/HelpWnd.h"
#include "app/Mainfrm.h"
#include "app/Prjviews.h"
#include "app/Recoffer.h"
#include "reports/Rptframe.h"
#include "reports/Rptsvc.h"
#include "reports/Rptview.h"
#include "views/Dtlview.h"
#include "views/Elevview.h"
#include "views/Planview.h"
#include "app/Shellids.h"
#include "app/Shellres.h"
#include "app/Shellsvc.h"
#include "document/Doc.h"
#include "document/Whframe.h"
#include "document/Whpaste.h"
#include "document/Whview.h"
#include "ui/draw/Dc.h"
#include "ui/dlg/Ddx.h"
#include "ui/docview/DocTempl.h"
#include "reports/Rptgen.h"
#include "support/Trace.h"
#include "views/Aspframe.h"
#include "views/Prtscale.h"
#include "workbench/items/Dsgnitem.h"
#include "workbench/items/Guideitem.h"
#include "workbench/items/Joinitem.h"
#include "workbench/frame/Wbframe.h"
#include "workbench/items/Wbreg.h"
#include "workbench/view/Wbview.h"

namespace {
CShellServices& ShellServices(CApp& app)
{
  // Never destroyed: the documents reach it through their services until the last one ends.
  static auto* services = new CShellServices(app);
  return *services;
}

CMultiDocTemplate* MakeTemplate(UINT nIDResource, const CRuntimeClass* pFrameClass, const CRuntimeClass* pViewClass,
                                const char* trace)
{
  auto* pTemplate = new CMultiDocTemplate(nIDResource, RUNTIME_CLASS(CDoc), pFrameClass, pViewClass);
  PCTRACE(TT_APPLICATION, TL_VERBOSE)("%s", trace);
  return pTemplate;
}
// The measurement units the dialogs' length fields read and write.
int UserMeasurementUnits() { return GetDocServices().GetMeasurementUnits(); }
// The company name every report page header shows.
CString UserCompany()
{
  auto* pApp = dynamic_cast<CApp*>(AfxGetApp());
  return pApp ? pApp->GetAppPrefs().GetUserLicenseInfo()->GetCompany() : CString();
}

// Neither the project nor the design on its Workbench has changed: closing loses nothing.
BOOL IsUntouched(CDoc* pDoc)
{
  if (pDoc->IsProjectModified())
    return FALSE;
  if (!pDoc->GetEditedDesign())
    return TRUE;
  if (auto* pSource = dynamic_cast<CWorkbenchDataSource*>(pDoc->GetWorkbenchView()))
    pSource->UpdateDesignWithWorkbenchData();
  // A design that cannot be stored to be compared is told, and its project stays open beside the
  // file being opened.
  return pDoc->IsEditedDesignAsStored();
}
}  // namespace

BOOL CApp::InitShell()
{
  RegisterShellResources();
  RegisterWarehouseResources();
  RegisterProjectViewBars();
  RegisterAspectResources();
  RegisterWorkbenchResources();
  RegisterPrintScaleResources();
  RegisterWorkbenchClasses();
  CShellServices& services = ShellServices(*this);
  SetDocServices(&services);
  SetWarehouseServices(&services);
  SetWorkbenchServices(&services);
  SetReportServices(&services);
  SetLengthUnitsSource(UserMeasurementUnits);
  SetReportCompanySource(UserCompany);

  CreateDocTemplates();
  auto* pMainFrame = new CMainFrame;
  if (!pMainFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE))
    return FALSE;
  m_pMainWnd = pMainFrame;

  EnableShellOpen();
  RegisterShellFileTypes(FALSE);
  // The whole command line is one project path.
  if (m_lpCmdLine.IsEmpty())
    OnFileNew();
  else
    OpenDocumentFile(m_lpCmdLine);

  pMainFrame->DragAcceptFiles();
  pMainFrame->ShowWindow(m_nCmdShow);
  pMainFrame->UpdateWindow();

  const CExportToGDIConfig& colors = *m_appPrefs.GetExportToGDIConfig();
  CItemColors& itemColors = ItemColors();
  itemColors.alignmentLine = colors.GetAlignmentLineRGB();
  CDesignItem::SetDefaultAlignmentLineColor(colors.GetAlignmentLineRGB());
  itemColors.guideline = colors.GetGuidelineRGB();
  itemColors.guidelineFill = colors.GetGuidelineFillRGB();
  CGuidelineItem::SetDefaultColors(colors.GetGuidelineRGB(), colors.GetGuidelineFillRGB());
  itemColors.join = colors.GetJoinRGB();
  CreateSharedBoldFont(CDC::GetScreenLogPixels().cy);
  CJoinItem::SetMarkerColor(colors.GetJoinRGB());
  CJoinItem::SetMarkerFont(GetSharedBoldFont());
  // Work an earlier end kept is offered once the program is ready to open it.
  OfferNotedRecoveryCopies(*this);
  return TRUE;
}

void CApp::CreateDocTemplates()
{
  m_pWarehouseTemplate = MakeTemplate(IDR_WAREHOUSE, RUNTIME_CLASS(CWarehouseFrame), RUNTIME_CLASS(CWarehouseView),
                                      "Created Warehouse doc template. \n");
  AddDocTemplate(m_pWarehouseTemplate);
  m_pWorkbenchTemplate = MakeTemplate(IDR_WORKBENCH, RUNTIME_CLASS(CWorkbenchFrame), RUNTIME_CLASS(CWorkbenchView),
                                      "Created Workbench doc template. \n");
  m_pPlanViewTemplate = MakeTemplate(IDR_PLAN_VIEW, RUNTIME_CLASS(CPlanFrame), RUNTIME_CLASS(CPlanView),
                                     "Created Plan View doc template. \n");
  m_pElevationViewTemplate = MakeTemplate(IDR_ELEVATION_VIEW, RUNTIME_CLASS(CElevationFrame),
                                          RUNTIME_CLASS(CElevationView), "Created Elevation View doc template. \n");
  m_pDetailViewTemplate = MakeTemplate(IDR_DETAIL_VIEW, RUNTIME_CLASS(CDetailFrame), RUNTIME_CLASS(CDetailView),
                                       "Created Detail View doc template. \n");
  m_pScheduleReportViewTemplate =
      MakeTemplate(IDR_REPORT_VIEW, RUNTIME_CLASS(CScheduleReportFrame), RUNTIME_CLASS(CScheduleReportView),
                   "Created Schedule Report View doc template. \n");
  m_pUnitInfoReportViewTemplate =
      MakeTemplate(IDR_REPORT_VIEW, RUNTIME_CLASS(CUnitInfoReportFrame), RUNTIME_CLASS(CUnitInfoReportView),
                   "Created Unit Info Report View doc template. \n");
  // The document finds its views by the view classes of these templates.
  CDoc::SetViewClass(CDoc::warehouseView, RUNTIME_CLASS(CWarehouseView));
  CDoc::SetViewClass(CDoc::workbenchView, RUNTIME_CLASS(CWorkbenchView));
  CDoc::SetViewClass(CDoc::planView, RUNTIME_CLASS(CPlanView));
  CDoc::SetViewClass(CDoc::elevationView, RUNTIME_CLASS(CElevationView));
  CDoc::SetViewClass(CDoc::detailView, RUNTIME_CLASS(CDetailView));
  CDoc::SetViewClass(CDoc::scheduleReportView, RUNTIME_CLASS(CScheduleReportView));
  CDoc::SetViewClass(CDoc::unitInfoReportView, RUNTIME_CLASS(CUnitInfoReportView));
}

void CApp::ExitShell()
{
  CJoinItem::SetMarkerFont(nullptr);
  DeleteSharedBoldFont();
  // Windows end with the Qt application, before the application object's destructor runs.
  if (m_splashWnd.GetSafeHwnd())
    m_splashWnd.DestroyWindow();
  if (m_pHelpTimerWnd && m_pHelpTimerWnd->GetSafeHwnd())
    m_pHelpTimerWnd->DestroyWindow();
  m_pHelpTimerWnd.reset();
  if (m_pManual) {
    SetHelpSink(nullptr);
    m_pManual.reset();
  }
}

void CApp::OnFileNew()
{
  PCTRACE(TT_APPLICATION, TL_DETAIL)("CApp::OnFileNew \n");
  CWinApp::OnFileNew();
}

void CApp::OnFileOpen()
{
  PCTRACE(TT_APPLICATION, TL_DETAIL)("CApp::OnFileOpen \n");
  CWinApp::OnFileOpen();
}

void CApp::CloseInitialUntitledProject()
{
  if (m_bInitialProjectClosed)
    return;
  // The empty project of start-up goes when the first project file opens, if nobody touched it.
  POSITION templatePos = GetFirstDocTemplatePosition();
  CDocTemplate* pTemplate = templatePos ? GetNextDocTemplate(templatePos) : nullptr;
  CString untitled;
  if (pTemplate && pTemplate->GetDocString(untitled, CDocTemplate::docName)) {
    untitled += "1";
    POSITION pos = pTemplate->GetFirstDocPosition();
    while (pos) {
      CDocument* pDoc = pTemplate->GetNextDoc(pos);
      if (pDoc->GetTitle() == untitled) {
        if (IsUntouched(static_cast<CDoc*>(pDoc)))
          pDoc->OnCloseDocument();
        break;
      }
    }
  }
  m_bInitialProjectClosed = TRUE;
}

BOOL CApp::SaveAllModified()
{
  // A close of the main frame has asked about the designs already.
  if (!CMainFrame::IsClosing()) {
    POSITION pos = GetWarehouseTemplate()->GetFirstDocPosition();
    while (pos) {
      auto* pDoc = static_cast<CDoc*>(GetWarehouseTemplate()->GetNextDoc(pos));
      // The Workbench's quantity field and window state reach the design before it is compared.
      BOOL goOn = pDoc->OkToCloseEditedDesign();
      pDoc->UpdateProjectModified();
      if (!goOn)
        return FALSE;
    }
  }
  return CWinApp::SaveAllModified();
}
