#include "views/Adorned.h"

#include "document/Doc.h"
#include "ui/wnd/WinApp.h"
#include "support/Trace.h"
#include "views/Viewsvc.h"

IMPLEMENT_DYNAMIC(CDlgAdornedFrame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CDlgAdornedFrame, CMDIChildWnd)
  ON_COMMAND(ID_TOGGLE_PLAN_BAR, OnToggleDialogBar)
  ON_COMMAND(ID_TOGGLE_ELEVATION_BAR, OnToggleDialogBar)
  ON_COMMAND(ID_TOGGLE_DETAIL_BAR, OnToggleDialogBar)
  ON_COMMAND(ID_TOGGLE_REPORT_BAR, OnToggleDialogBar)
  ON_UPDATE_COMMAND_UI(ID_TOGGLE_PLAN_BAR, OnUpdateToggleDialogBar)
  ON_UPDATE_COMMAND_UI(ID_TOGGLE_ELEVATION_BAR, OnUpdateToggleDialogBar)
  ON_UPDATE_COMMAND_UI(ID_TOGGLE_DETAIL_BAR, OnUpdateToggleDialogBar)
  ON_UPDATE_COMMAND_UI(ID_TOGGLE_REPORT_BAR, OnUpdateToggleDialogBar)
END_MESSAGE_MAP()

CDlgAdornedFrame::CDlgAdornedFrame(const CString& frameName, UINT nDialogBarID)
  : m_strFrameName(frameName), m_nDialogBarID(nDialogBarID)
{
  PCTRACE(TT_VIEWS, TL_DETAIL)("Constructing the Adorned frame. \n");
}

CDlgAdornedFrame::~CDlgAdornedFrame() { PCTRACE(TT_VIEWS, TL_DETAIL)("Destructing the Adorned frame. \n"); }

int CDlgAdornedFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
  PCTRACE(TT_VIEWS, TL_DETAIL)("CDlgAdornedFrame::OnCreate \n");
  if (CMDIChildWnd::OnCreate(lpCreateStruct) == -1)
    return -1;
  if (CViewServices* pServices = GetViewServices(); pServices && AfxGetMainWnd())
    pServices->RemoveDebugMenu(m_hMenuShared);
  if (!m_wndDialogBar.Create(this, m_nDialogBarID, CBRS_BOTTOM | CBRS_BORDER_TOP | CBRS_TOOLTIPS | CBRS_FLYBY,
                             m_nDialogBarID)) {
    PCTRACE(TT_WORKBENCH, TL_WARNING)("Failed to create  DialogBar\n");
    return -1;
  }
  EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
  m_wndDialogBar.EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
  DockControlBar(&m_wndDialogBar, AFX_IDW_DOCKBAR_BOTTOM);
  m_wndDialogBar.SetWindowText(m_strDialogBarTitle);
  SetInitialPosition();
  return 0;
}

CString CDlgAdornedFrame::ComposeCaption(const CString& projectTitle, const CString& frameName,
                                         const CString& designName, BOOL bHasEditedDesign)
{
  CString caption = projectTitle + ": " + frameName;
  if (bHasEditedDesign)
    caption += " " + designName;
  return caption;
}

void CDlgAdornedFrame::OnUpdateFrameTitle(BOOL bAddToTitle)
{
  PCTRACE(TT_VIEWS, TL_VERBOSE)("Updating the Adorned frame title:  bAddToTitle = %d \n", bAddToTitle);
  auto* pDoc = dynamic_cast<CDoc*>(GetActiveDocument());
  if (!pDoc)
    return;
  CDesign* pDesign = pDoc->GetEditedDesign();
  SetWindowText(
      ComposeCaption(pDoc->GetTitle(), m_strFrameName, pDesign ? pDesign->GetName() : CString(), pDesign != nullptr));
}

void CDlgAdornedFrame::OnToggleDialogBar()
{
  ShowControlBar(&m_wndDialogBar, !m_wndDialogBar.IsWindowVisible(), FALSE);
}

void CDlgAdornedFrame::OnUpdateToggleDialogBar(CCmdUI* pCmdUI)
{
  pCmdUI->Enable(TRUE);
  pCmdUI->SetCheck(m_wndDialogBar.IsWindowVisible() ? 1 : 0);
}

void CDlgAdornedFrame::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd)
{
  CMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
  // A docked bar stays with its frame; only a floating one would hang over other windows.
  if (bActivate && m_bBarHiddenOnDeactivation) {
    ShowControlBar(&m_wndDialogBar, TRUE, FALSE);
    m_bBarHiddenOnDeactivation = FALSE;
  } else if (!bActivate && m_wndDialogBar.IsFloating() && m_wndDialogBar.IsWindowVisible()) {
    ShowControlBar(&m_wndDialogBar, FALSE, FALSE);
    m_bBarHiddenOnDeactivation = TRUE;
  }
}

int CDlgAdornedFrame::WidthForBar() { return WidthForDialogBar(m_nDialogBarID); }
