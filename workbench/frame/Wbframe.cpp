#include "workbench/frame/Wbframe.h"

#include <cctype>
#include <iterator>

#include "document/Doc.h"
#include "document/Whframe.h"
#include "project/Design.h"
#include "project/DocServices.h"
#include "model/Unitutil.h"
#include "productdb/Subtypes.h"
#include "ui/dlg/DataExch.h"
#include "ui/draw/Dc.h"
#include "ui/draw/Gdi.h"
#include "ui/wnd/Resource.h"
#include "support/ComExcpt.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "workbench/items/Wbsvc.h"
#include "workbench/frame/Wbids.h"
#include "workbench/view/Wbview.h"

IMPLEMENT_DYNCREATE(CWorkbenchFrame, CMDIChildWnd)
IMPLEMENT_DYNAMIC(CWorkbenchDialogBar, CDialogBar)

namespace {
constexpr const char* kModule = "Workfrm";
constexpr int kScrollBarLine = 214;
constexpr COLORREF kScrollBarColor = RGB(192, 192, 192);

const UINT kToolbarButtons[] = {ID_SELECT_TOOL,
                                0,
                                ID_VERT_GUIDELINE_TOOL,
                                ID_HORZ_GUIDELINE_TOOL,
                                ID_ANGLED_GUIDELINE_TOOL,
                                0,
                                ID_GROUP_ITEMS,
                                ID_UNGROUP_ITEMS,
                                0,
                                ID_ZOOM_IN,
                                ID_ZOOM_OUT,
                                0,
                                ID_SCALE_TO_SELECTION,
                                ID_SCALE_TO_FIT,
                                0,
                                ID_LOCK_TOOL};

enum class QuantityCheck
{
  ok,
  notWhole,
  outOfRange
};

// A whole number, optionally signed, with blanks around it; one below or above the design's
// quantity range is a number outside it, not a text that is no number.
QuantityCheck CheckQuantity(const CString& text, int& value)
{
  const char* p = text.c_str();
  while (std::isspace(static_cast<unsigned char>(*p)))
    ++p;
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+')
    ++p;
  if (!std::isdigit(static_cast<unsigned char>(*p)))
    return QuantityCheck::notWhole;
  long long number = 0;
  bool tooLarge = false;
  for (; std::isdigit(static_cast<unsigned char>(*p)); ++p) {
    tooLarge = tooLarge || number * 10 + (*p - '0') > CDesignData::kMaxQuantity;
    number = tooLarge ? number : number * 10 + (*p - '0');
  }
  while (std::isspace(static_cast<unsigned char>(*p)))
    ++p;
  if (*p != '\0')
    return QuantityCheck::notWhole;
  if (tooLarge || (negative ? -number : number) < CDesignData::kMinQuantity)
    return QuantityCheck::outOfRange;
  value = static_cast<int>(number);
  return QuantityCheck::ok;
}
}  // namespace

BEGIN_MESSAGE_MAP(CWorkbenchFrame, CMDIChildWnd)
  ON_COMMAND(IDC_WORKBENCH_CLOSE, OnCloseButton)
  ON_COMMAND(ID_DISCARD_DESIGN, OnCloseButton)
  ON_COMMAND(IDC_STORE_DESIGN, OnStoreDesign)
  ON_COMMAND_RANGE(ID_NEW_UNIT_FIRST, ID_NEW_UNIT_LAST, OnNewUnit)
  ON_UPDATE_COMMAND_UI_RANGE(ID_NEW_UNIT_FIRST, ID_NEW_UNIT_LAST, OnUpdateNewUnit)
  ON_COMMAND(ID_TOGGLE_WORKBENCH_TOOLBAR, OnToggleToolBar)
  ON_UPDATE_COMMAND_UI(ID_TOGGLE_WORKBENCH_TOOLBAR, OnUpdateToggleToolBar)
  ON_COMMAND(ID_TOGGLE_WORKBENCH_BAR, OnToggleDialogBar)
  ON_UPDATE_COMMAND_UI(ID_TOGGLE_WORKBENCH_BAR, OnUpdateToggleDialogBar)
  ON_COMMAND(ID_VIEW_TOOLBAR, OnToggleMainToolBar)
  ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateToggleMainToolBar)
END_MESSAGE_MAP()

CWorkbenchFrame::CWorkbenchFrame() { PCTRACE(TT_WORKBENCH, TL_DETAIL)("Constructing the Workbench frame. \n"); }

CWorkbenchFrame::~CWorkbenchFrame() { PCTRACE(TT_WORKBENCH, TL_DETAIL)("Destructing the Workbench frame. \n"); }

BOOL CWorkbenchFrame::PreCreateWindow(CREATESTRUCT& cs)
{
  cs.style |= WS_CLIPCHILDREN;
  return CMDIChildWnd::PreCreateWindow(cs);
}

int CWorkbenchFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
  PCTRACE(TT_WORKBENCH, TL_DETAIL)("CWorkbenchFrame::OnCreate \n");
  if (CMDIChildWnd::OnCreate(lpCreateStruct) == -1)
    return -1;
  CRect client;
  GetClientRect(&client);
  if (!m_wndVScrollBar.Create("SCROLLBAR", nullptr, WS_CHILD | WS_VISIBLE | SBS_VERT | SBS_RIGHTALIGN, client, this,
                              kVScrollBarID) ||
      !m_wndHScrollBar.Create("SCROLLBAR", nullptr, WS_CHILD | WS_VISIBLE | SBS_HORZ | SBS_BOTTOMALIGN, client, this,
                              kHScrollBarID))
    throw CAppFatalException(kModule, kScrollBarLine);
  if (CWorkbenchServices* pServices = GetWorkbenchServices())
    pServices->RemoveDebugMenu(m_hMenuShared);
  if (!CreateBars())
    return -1;
  if (CWorkbenchServices* pServices = GetWorkbenchServices()) {
    const CSize offset = pServices->GetCaptionAndBorderSize();
    SetWindowPos(nullptr, offset.cx, offset.cy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  m_wndDialogBar.SetWindowText("Workbench Dialog Bar");
  return 0;
}

BOOL CWorkbenchFrame::CreateBars()
{
  EnableDocking(CBRS_ALIGN_ANY);
  if (!m_wndToolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR) ||
      !m_wndToolBar.LoadBitmap(IDB_WORKBENCH_TOOLBAR) ||
      !m_wndToolBar.SetButtons(kToolbarButtons, static_cast<int>(std::size(kToolbarButtons)))) {
    PCTRACE(TT_WORKBENCH, TL_WARNING)("Failed to create Workbench Toolbar\n");
    PCTRACE(TT_WORKBENCH, TL_WARNING)("Failed to create Workbench Toolbar \n");
    return FALSE;
  }
  m_wndToolBar.SetWindowText("Workbench Tools");
  m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
  m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
  if (!m_wndDialogBar.Create(this, IDD_WORKBENCH_BAR, CBRS_BOTTOM | CBRS_BORDER_TOP | CBRS_TOOLTIPS | CBRS_FLYBY,
                             IDD_WORKBENCH_BAR)) {
    PCTRACE(TT_WORKBENCH, TL_WARNING)("Failed to create Workbench DialogBar\n");
    return FALSE;
  }
  m_wndDialogBar.EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
  DockControlBar(&m_wndToolBar, AFX_IDW_DOCKBAR_LEFT);
  DockControlBar(&m_wndDialogBar, AFX_IDW_DOCKBAR_BOTTOM);
  return TRUE;
}

// The palette docked at a side stands beside the dialog bar.
int CWorkbenchFrame::WidthForBars() { return WidthForDialogBar(IDD_WORKBENCH_BAR, m_wndToolBar.GetSideWidth()); }

void CWorkbenchFrame::RecalcLayout(BOOL bNotify)
{
  CMDIChildWnd::RecalcLayout(bNotify);
  CWnd* pView = GetDlgItem(AFX_IDW_PANE_FIRST);
  if (!pView || !m_wndHScrollBar.GetSafeHwnd() || !m_wndVScrollBar.GetSafeHwnd())
    return;
  // The base lays the view over the whole area the frame's children share (beside the docked
  // bars), from that area's origin: the bars are placed in the same coordinates.
  CRect view;
  pView->GetClientRect(&view);
  const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
  const int barHeight = GetSystemMetrics(SM_CYHSCROLL);
  // Each bar overlaps the view's last pixel row or column.
  const int width = view.Width() - barWidth + 1;
  const int height = view.Height() - barHeight + 1;
  pView->SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  m_wndHScrollBar.SetWindowPos(&wndBottom, view.left, view.top + height - 1, width, barHeight, SWP_NOACTIVATE);
  m_wndVScrollBar.SetWindowPos(&wndBottom, view.left + width - 1, view.top, barWidth, height, SWP_NOACTIVATE);
}

void CWorkbenchFrame::ActivateFrame(int nCmdShow)
{
  PCTRACE(TT_WORKBENCH, TL_IMPORTANT)("Activating the Workbench frame.  \n");
  if (m_bShowMaximised && nCmdShow == -1)
    nCmdShow = SW_SHOWMAXIMIZED;
  m_bShowMaximised = FALSE;
  CMDIChildWnd::ActivateFrame(nCmdShow);
}

CString CWorkbenchFrame::ComposeTitle(const CString& designName, BOOL bReadOnly)
{
  CString title = designName.IsEmpty() ? CString("Unnamed") : designName;
  title += bReadOnly ? " (Workbench - Read Only)" : " (Workbench)";
  return title;
}

void CWorkbenchFrame::OnUpdateFrameTitle(BOOL bAddToTitle)
{
  PCTRACE(TT_WORKBENCH, TL_VERBOSE)("Updating the Workbench frame title:  bAddToTitle = %d \n", bAddToTitle);
  CDoc* pDoc = GetDoc();
  CDesign* pDesign = pDoc ? pDoc->GetEditedDesign() : nullptr;
  CWorkbenchView* pView = GetWorkbenchView();
  const BOOL readOnly = pView && pView->GetEditMode() == wemReadOnly;
  SetWindowText(ComposeTitle(pDesign ? pDesign->GetName() : CString(), readOnly));
}

void CWorkbenchFrame::GetMessageString(UINT nID, CString& rMessage) const
{
  if (nID < ID_NEW_UNIT_FIRST || nID > ID_NEW_UNIT_LAST) {
    CMDIChildWnd::GetMessageString(nID, rMessage);
    return;
  }
  rMessage.Empty();
  CWorkbenchServices* pServices = GetWorkbenchServices();
  if (!pServices)
    return;
  CSubTypesRec subtype;
  subtype.SetTypeCode(pServices->GetUnitTypeForCommand(nID));
  subtype.SetSubtypeCode(pServices->GetUnitSubtypeForCommand(nID));
  if (subtype.Find(1) == 0)
    rMessage = "Create " + subtype.GetDescription();
}

CDoc* CWorkbenchFrame::GetDoc() { return dynamic_cast<CDoc*>(GetActiveDocument()); }

CWorkbenchView* CWorkbenchFrame::GetWorkbenchView() const
{
  return dynamic_cast<CWorkbenchView*>(GetDlgItem(AFX_IDW_PANE_FIRST));
}

BOOL CWorkbenchFrame::GetQuantity(int& quantity) const
{
  CString text;
  m_wndDialogBar.GetDlgItemText(IDC_WORKBENCH_QUANTITY, text);
  return CheckQuantity(text, quantity) == QuantityCheck::ok;
}

void CWorkbenchFrame::SetQuantity(int quantity)
{
  CString text;
  text.Format("%d", quantity);
  m_wndDialogBar.SetDlgItemText(IDC_WORKBENCH_QUANTITY, text);
}

BOOL CWorkbenchFrame::ValidateQuantity()
{
  CString text;
  m_wndDialogBar.GetDlgItemText(IDC_WORKBENCH_QUANTITY, text);
  int value = 0;
  const QuantityCheck check = CheckQuantity(text, value);
  if (check == QuantityCheck::ok)
    return TRUE;
  CString message("Please enter a whole number for the quantity.");
  if (check == QuantityCheck::outOfRange)
    message.Format("Please enter a quantity from %d to %d.", CDesignData::kMinQuantity, CDesignData::kMaxQuantity);
  MessageBox(message, GetDocServices().GetProductName(), MB_OK | MB_ICONEXCLAMATION);
  // The keyboard goes back to the refused value, ready to be typed over.
  if (auto* field = dynamic_cast<CEdit*>(m_wndDialogBar.GetDlgItem(IDC_WORKBENCH_QUANTITY));
      field && CDataExchange::MayGiveFocusBack()) {
    if (CMDIFrameWnd* main = GetMDIFrame(); main && main->MDIGetActive() != this)
      MDIActivate();
    field->SetFocus();
    field->SetSel(0, -1);
  }
  return FALSE;
}

void CWorkbenchFrame::CloseWithoutStoring()
{
  m_bDiscardOnClose = TRUE;
  PostMessage(WM_CLOSE);
}

void CWorkbenchFrame::OnCloseButton()
{
  PCTRACE(TT_WORKBENCH, TL_VERBOSE)("Workbench frame window: Close button clicked.\n");
  SendMessage(WM_CLOSE);
}

void CWorkbenchFrame::OnStoreDesign()
{
  PCTRACE(TT_WORKBENCH, TL_VERBOSE)("Workbench frame window: Save Design button clicked.\n");
  CDoc* pDoc = GetDoc();
  if (!pDoc) {
    ValidateQuantity();
    return;
  }
  if (!pDoc->TakeTypedValues())
    return;
  CWorkbenchView* pView = GetWorkbenchView();
  if (pView) {
    pView->UpdateDesignWithWorkbenchData();
    pView->ClearUnjoinablePrompt();
  }
  pDoc->StoreEditedDesign(FALSE, TRUE);
  // Storing may have named the design.
  pDoc->UpdateFrameTitles();
}

void CWorkbenchFrame::OnClose()
{
  CWorkbenchView* pView = GetWorkbenchView();
  if (pView && pView->GetTracker()) {
    // A drag is running: it is cancelled first, and the close comes back when its loop is over.
    pView->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessage(WM_CLOSE);
    return;
  }
  CDoc* pDoc = GetDoc();
  if (!m_bDiscardOnClose) {
    // The project checks every typed value, this bar's quantity among them.
    if (pDoc ? !pDoc->OkToCloseEditedDesign() : !ValidateQuantity())
      return;
  }
  if (pDoc) {
    for (CView* pOther : {pDoc->GetPlanView(), pDoc->GetElevationView(), pDoc->GetDetailView()})
      if (pOther)
        pOther->GetParentFrame()->DestroyWindow();
    // Before the frame goes: the base close may close the project when this is its last frame.
    pDoc->CloseEditedDesign();
  }
  CMDIChildWnd::OnClose();
}

void CWorkbenchFrame::OnDestroy() { CMDIChildWnd::OnDestroy(); }

BOOL CWorkbenchFrame::OnEraseBkgnd(CDC* pDC)
{
  CRect client;
  GetClientRect(&client);
  pDC->FillSolidRect(&client, kScrollBarColor);
  return TRUE;
}

void CWorkbenchFrame::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
  if (CWorkbenchView* pView = GetWorkbenchView())
    pView->SendMessage(WM_HSCROLL, MAKEWPARAM(nSBCode, nPos), 0);
  else
    CMDIChildWnd::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CWorkbenchFrame::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
  if (CWorkbenchView* pView = GetWorkbenchView())
    pView->SendMessage(WM_VSCROLL, MAKEWPARAM(nSBCode, nPos), 0);
  else
    CMDIChildWnd::OnVScroll(nSBCode, nPos, pScrollBar);
}

void CWorkbenchFrame::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd)
{
  CMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
  // A Workbench of another project makes its project the active one, as its design list does.
  if (CDoc* pDoc = GetDoc(); bActivate && pDoc && pDoc != CWarehouseFrame::GetLastActivatedProject())
    CWarehouseFrame::BringProjectForward(pDoc);
  if (!bActivate) {
    if (m_wndToolBar.IsFloating() && m_wndToolBar.IsWindowVisible()) {
      ShowControlBar(&m_wndToolBar, FALSE, FALSE);
      m_bToolBarHidden = TRUE;
    }
    if (m_wndDialogBar.IsFloating() && m_wndDialogBar.IsWindowVisible()) {
      ShowControlBar(&m_wndDialogBar, FALSE, FALSE);
      m_bDialogBarHidden = TRUE;
    }
    return;
  }
  // The menus every Workbench shares may still show another one's read-only state, and the
  // status bar's panes were left to the window in front before.
  if (CWorkbenchView* pView = GetWorkbenchView()) {
    pView->ShowEditModeInMenu();
    pView->ShowSelectionInfo();
  }
  if (m_bToolBarHidden)
    ShowControlBar(&m_wndToolBar, TRUE, FALSE);
  if (m_bDialogBarHidden)
    ShowControlBar(&m_wndDialogBar, TRUE, FALSE);
  m_bToolBarHidden = FALSE;
  m_bDialogBarHidden = FALSE;
}

void CWorkbenchFrame::OnNewUnit(UINT nID)
{
  CWorkbenchServices* pServices = GetWorkbenchServices();
  CWorkbenchView* pView = GetWorkbenchView();
  if (!pServices || !pView)
    return;
  const CString type = pServices->GetUnitTypeForCommand(nID);
  const CString subtype = pServices->GetUnitSubtypeForCommand(nID);
  PCTRACE(TT_WORKBENCH, TL_IMPORTANT)("Creating a new unit:  %s %s\n", type.c_str(), subtype.c_str());
  pView->SetUnitTool(type, subtype);
}

void CWorkbenchFrame::OnUpdateNewUnit(CCmdUI* pCmdUI)
{
  CWorkbenchServices* pServices = GetWorkbenchServices();
  CWorkbenchView* pView = GetWorkbenchView();
  BOOL canMake = FALSE;
  if (pServices && pView && pView->GetEditMode() == wemEditable) {
    const CString type = pServices->GetUnitTypeForCommand(pCmdUI->m_nID);
    if (!type.IsEmpty()) {
      try {
        MakeUnit(type, pServices->GetUnitSubtypeForCommand(pCmdUI->m_nID), &canMake);
      } catch (const CCommonException&) {
        canMake = FALSE;
      }
    }
  }
  pCmdUI->Enable(canMake);
}

void CWorkbenchFrame::OnToggleToolBar() { ShowControlBar(&m_wndToolBar, !m_wndToolBar.IsWindowVisible(), FALSE); }

void CWorkbenchFrame::OnUpdateToggleToolBar(CCmdUI* pCmdUI)
{
  pCmdUI->SetCheck(m_wndToolBar.IsWindowVisible() ? 1 : 0);
}

void CWorkbenchFrame::OnToggleDialogBar() { ShowControlBar(&m_wndDialogBar, !m_wndDialogBar.IsWindowVisible(), FALSE); }

void CWorkbenchFrame::OnUpdateToggleDialogBar(CCmdUI* pCmdUI)
{
  pCmdUI->SetCheck(m_wndDialogBar.IsWindowVisible() ? 1 : 0);
}

void CWorkbenchFrame::OnToggleMainToolBar()
{
  if (CWorkbenchServices* pServices = GetWorkbenchServices())
    pServices->ShowMainToolBar(!pServices->IsMainToolBarVisible());
}

void CWorkbenchFrame::OnUpdateToggleMainToolBar(CCmdUI* pCmdUI)
{
  CWorkbenchServices* pServices = GetWorkbenchServices();
  pCmdUI->SetCheck(pServices && pServices->IsMainToolBarVisible() ? 1 : 0);
}
