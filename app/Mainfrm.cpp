#include "app/Mainfrm.h"

#include "app/App.h"
#include "app/Mfclient.h"
#include "app/Shellids.h"
#include "document/Doc.h"
#include "model/Unitutil.h"
#include "ui/draw/Dc.h"
#include "ui/docview/DocTempl.h"
#include "ui/frame/Menu.h"
#include "ui/docview/View.h"
#include "support/Exceptn.h"
#include "support/Trace.h"

IMPLEMENT_DYNAMIC(CMainFrame, CMDIFrameWnd)

namespace {
CApp* TheApp() { return static_cast<CApp*>(AfxGetApp()); }

constexpr const char* kModule = "Mainfrm";

// The line each failure of this file reports: fixed, so an error code stays when the code moves.
enum : int
{
  kLineClientNotSubclassed = 113,
  kLineMenuNotAttached = 186,
  kLineDebugItemNotRemoved = 195,
  kLineMenuNotDetached = 197,
  kLineNoInsertPopup = 205,
  kLineNoUnitCommands = 217,
};

const UINT kToolbarButtons[] = {
    ID_FILE_NEW,   ID_FILE_OPEN,       ID_FILE_SAVE,         ID_SEPARATOR, ID_EDIT_CUT,        ID_EDIT_COPY,
    ID_EDIT_PASTE, ID_SEPARATOR,       ID_VIEW_WORKBENCH,    ID_VIEW_PLAN, ID_VIEW_ELEVATION,  ID_VIEW_DETAIL,
    ID_SEPARATOR,  ID_ALIGNMENT_LINES, ID_SNAP_TO_ALIGNMENT, ID_SEPARATOR, ID_JOINING_MARKERS, ID_SNAP_HIGHLIGHTS,
    ID_SEPARATOR,  ID_FILE_PRINT,      ID_HELP_INDEX};

// The message pane, then two panes that only the Workbench writes.
const UINT kIndicators[] = {ID_SEPARATOR, 0, 0};

const char kPositionPaneSample[] = "Make the pane about this big";
const char kSizePaneSample[] = "X=0000.00  y=0000.00";
const char kDebugMenu[] = "&Debug";
// Set while the class library's close runs after the main frame's own questions; the frame may
// be gone when that close returns, so the flag is not a member.
BOOL closing = FALSE;
constexpr int kMenuTextLimit = 20;

// A unit key is offered only when the unit factory has a class for it.
bool HasUnitClass(const CString& type, const CString& subtype)
{
  BOOL exists = FALSE;
  try {
    MakeUnit(type, subtype, &exists);
  } catch (const CCommonException&) {
    return false;
  }
  return exists == TRUE;
}
}  // namespace

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
  ON_COMMAND(ID_VIEW_WORKBENCH, OnToggleWorkbench)
  ON_COMMAND(ID_VIEW_PLAN, OnTogglePlan)
  ON_COMMAND(ID_VIEW_ELEVATION, OnToggleElevation)
  ON_COMMAND(ID_VIEW_DETAIL, OnToggleDetail)
  ON_COMMAND(ID_VIEW_UNIT_INFO_REPORT, OnToggleUnitInfoReport)
  ON_COMMAND(ID_VIEW_SCHEDULE_REPORT, OnToggleScheduleReport)
  ON_COMMAND(ID_SHOW_PLAN, OnShowPlan)
  ON_COMMAND(ID_SHOW_ELEVATION, OnShowElevation)
  ON_COMMAND(ID_SHOW_DETAIL, OnShowDetail)
  ON_COMMAND(ID_SHOW_WORKBENCH, OnShowWorkbench)
  ON_COMMAND(ID_CLOSE_VIEWS, OnCloseViews)
  ON_COMMAND(ID_REMOVE_PLAN_SELECTOR, OnHidePlan)
  ON_COMMAND(ID_CLOSE_ELEVATION, OnHideElevation)
  ON_COMMAND(ID_REMOVE_ALL_DETAIL_SELECTORS, OnHideDetail)
  ON_UPDATE_COMMAND_UI(ID_VIEW_WORKBENCH, OnUpdateToggleWorkbench)
  ON_UPDATE_COMMAND_UI(ID_VIEW_PLAN, OnUpdateTogglePlan)
  ON_UPDATE_COMMAND_UI(ID_VIEW_ELEVATION, OnUpdateToggleElevation)
  ON_UPDATE_COMMAND_UI(ID_VIEW_DETAIL, OnUpdateToggleDetail)
  ON_UPDATE_COMMAND_UI(ID_VIEW_UNIT_INFO_REPORT, OnUpdateToggleUnitInfoReport)
  ON_UPDATE_COMMAND_UI(ID_VIEW_SCHEDULE_REPORT, OnUpdateToggleScheduleReport)
END_MESSAGE_MAP()

CMainFrame* GetMainFrame()
{
  CWinApp* pApp = AfxGetApp();
  return pApp ? dynamic_cast<CMainFrame*>(pApp->m_pMainWnd) : nullptr;
}

BOOL CMainFrame::IsClosing() { return closing; }

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame() = default;

void CMainFrame::OnDestroy()
{
  PCTRACE(TT_APPLICATION, TL_VERBOSE)("Destructing the main frame window class. \n");
  DestroyWorkbenchInsertMenu();
  CMDIFrameWnd::OnDestroy();
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
  if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
    return -1;
  RemoveDebugMenu(m_hMenuDefault);

  auto* pClient = new CMainFrameClient;
  if (!pClient->SubclassWindow(m_hWndMDIClient)) {
    delete pClient;
    throw CAppFatalException(kModule, kLineClientNotSubclassed);
  }
  pClient->Invalidate();

  RestoreWindowRect();
  if (!CreateToolBar() || !CreateStatusBar())
    return -1;
  SizeStatusPanes();

  m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
  EnableDocking(CBRS_ALIGN_ANY);
  DockControlBar(&m_wndToolBar);
  m_wndToolBar.SetWindowText("Main Toolbar");
  m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);

  FillWorkbenchInsertMenu();
  return 0;
}

void CMainFrame::RestoreWindowRect()
{
  CRect rect;
  TheApp()->GetAppPrefs().GetMiscPrefs()->GetMainWindowRect(rect);
  if (rect.right > 0 || rect.bottom > 0) {
    MoveWindow(rect.left, rect.top, rect.Width(), rect.Height());
    Invalidate();
  }
}

BOOL CMainFrame::CreateToolBar()
{
  if (!m_wndToolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR) ||
      !m_wndToolBar.LoadBitmap(IDB_MAINFRAME_TOOLBAR) ||
      !m_wndToolBar.SetButtons(kToolbarButtons, static_cast<int>(std::size(kToolbarButtons)))) {
    PCTRACE(TT_APPLICATION, TL_WARNING)("Failed to create toolbar\n");
    return FALSE;
  }
  return TRUE;
}

BOOL CMainFrame::CreateStatusBar()
{
  if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
      !m_wndStatusBar.SetIndicators(kIndicators, static_cast<int>(std::size(kIndicators)))) {
    PCTRACE(TT_APPLICATION, TL_WARNING)("Failed to create status bar\n");
    return FALSE;
  }
  return TRUE;
}

void CMainFrame::SizeStatusPanes()
{
  CClientDC dc(&m_wndStatusBar);
  m_wndStatusBar.SetPaneInfo(1, 0, 0, dc.GetTextExtent(kPositionPaneSample).cx);
  m_wndStatusBar.SetPaneInfo(2, 0, 0, dc.GetTextExtent(kSizePaneSample).cx);
}

void CMainFrame::SetPaneText(int nIndex, LPCTSTR lpszText) { m_wndStatusBar.SetPaneText(nIndex, lpszText, TRUE); }

CSize CMainFrame::GetCaptionAndBorderSize()
{
  int size = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CXBORDER);
  return CSize(size, size);
}

void CMainFrame::RemoveDebugMenu(HMENU hMenu)
{
  CMenu menu;
  if (!menu.Attach(hMenu))
    throw CAppFatalException(kModule, kLineMenuNotAttached);
  int debugPosition = -1;
  for (int i = 0; i < static_cast<int>(menu.GetMenuItemCount()); ++i) {
    char text[kMenuTextLimit + 1] = {};
    menu.GetMenuString(static_cast<UINT>(i), text, kMenuTextLimit, MF_BYPOSITION);
    if (CString(text) == kDebugMenu)
      debugPosition = i;
  }
  if (debugPosition >= 0 && !menu.RemoveMenu(static_cast<UINT>(debugPosition), MF_BYPOSITION))
    throw CAppFatalException(kModule, kLineDebugItemNotRemoved);
  if (menu.Detach() == nullptr)
    throw CAppFatalException(kModule, kLineMenuNotDetached);
}

void CMainFrame::FillWorkbenchInsertMenu()
{
  CMenu* pMenu = CMenu::FromHandle(TheApp()->GetWorkbenchTemplate()->m_hMenuShared);
  CMenu* pInsert = pMenu ? pMenu->GetSubMenu(kWorkbenchInsertPopup) : nullptr;
  if (!pInsert)
    throw CAppFatalException(kModule, kLineNoInsertPopup);
  FillNewUnitMenu(pInsert);
}

void CMainFrame::FillNewUnitMenu(CMenu* pPopup)
{
  if (pPopup->GetMenuItemCount() > 1)
    return;
  pPopup->DeleteMenu(0, MF_BYPOSITION);
  if (m_newUnitCommands.IsEmpty())
    m_newUnitCommands.Build(HasUnitClass);
  if (!m_newUnitCommands.AppendTo(pPopup))
    throw CAppFatalException(kModule, kLineNoUnitCommands);
}

void CMainFrame::GetMessageString(UINT nID, CString& rMessage) const
{
  if (nID >= ID_NEW_UNIT_FIRST && nID <= ID_NEW_UNIT_LAST) {
    CString type = m_newUnitCommands.GetUnitType(nID);
    rMessage = type.IsEmpty() ? CString() : CNewUnitCommandList::GetPrompt(type, m_newUnitCommands.GetUnitSubtype(nID));
    return;
  }
  CMDIFrameWnd::GetMessageString(nID, rMessage);
}

CDoc* CMainFrame::GetActiveProject() { return dynamic_cast<CDoc*>(TheApp()->GetActiveDocument()); }

BOOL CMainFrame::OfferToStoreDesigns()
{
  CDocTemplate* pTemplate = TheApp()->GetWarehouseTemplate();
  POSITION pos = pTemplate->GetFirstDocPosition();
  while (pos) {
    CDoc* pDoc = static_cast<CDoc*>(pTemplate->GetNextDoc(pos));
    if (!pDoc->OkToCloseEditedDesign())
      return FALSE;
    pDoc->UpdateProjectModified();
  }
  return TRUE;
}

void CMainFrame::OnClose()
{
  if (!OfferToStoreDesigns())
    return;
  CRect rect;
  GetWindowRect(&rect);
  TheApp()->GetAppPrefs().GetMiscPrefs()->SetMainWindowRect(rect);
  // The application's save step must not ask about the designs again.
  closing = TRUE;
  CMDIFrameWnd::OnClose();
  closing = FALSE;
}

void CMainFrame::OnEndSession(BOOL bEnding)
{
  CDocTemplate* pTemplate = TheApp()->GetWarehouseTemplate();
  POSITION pos = pTemplate->GetFirstDocPosition();
  while (pos)
    static_cast<CDoc*>(pTemplate->GetNextDoc(pos))->CommitTypedProjectName(FALSE);
  CMDIFrameWnd::OnEndSession(bEnding);
}

void CMainFrame::OnDropFiles(const CString& path) { AfxGetApp()->OpenDocumentFile(path); }

void CMainFrame::DestroyWorkbenchInsertMenu()
{
  CMenu* pMenu = CMenu::FromHandle(TheApp()->GetWorkbenchTemplate()->m_hMenuShared);
  CMenu* pInsert = pMenu ? pMenu->GetSubMenu(kWorkbenchInsertPopup) : nullptr;
  if (!pInsert)
    return;
  for (int i = static_cast<int>(pInsert->GetMenuItemCount()) - 1; i >= 0; --i) {
    CMenu* pSub = pInsert->GetSubMenu(i);
    if (pSub)
      pSub->DestroyMenu();
    else
      PCTRACE(TT_APPLICATION, TL_WARNING)("NULL pointer returned for GetSubMenu() call on index %d.\n", i);
  }
  pInsert->DestroyMenu();
}
