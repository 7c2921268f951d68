#include "document/Whview.h"

#include "document/Doc.h"
#include "document/Dochints.h"
#include "document/Docviews.h"
#include "document/Whids.h"
#include "document/Whpaste.h"
#include "document/Whsvc.h"
#include "ui/dlg/DataExch.h"
#include "ui/frame/Frame.h"
#include "ui/frame/Menu.h"
#include "ui/wnd/WinApp.h"
#include "project/DocServices.h"
#include "support/Exceptn.h"

IMPLEMENT_DYNAMIC(CDesignListBox, CListBox)
IMPLEMENT_DYNCREATE(CWarehouseView, CFormView)

namespace {
constexpr const char* kModule = "Whview";
// A stored design without its list entry is a fault of the design rules, and is reported under
// their module name as their other faults are.
constexpr const char* kDesignsModule = "Docdsgn";
constexpr int kListEntryLine = 163;

int FindEntry(CListBox& list, const CString& name)
{
  int entry = list.FindStringExact(-1, name);
  if (entry < 0)
    throw CAppException(kDesignsModule, kListEntryLine);
  return entry;
}

// The line each failure of this file reports: fixed, so an error code stays when the code moves.
enum : int
{
  kLineNoContextMenu = 36,
  kLineDesignNotFound = 127,
};
}  // namespace

BOOL CWarehouseView::UpdateDesignList(CListBox& list, const CDoc& doc, LPARAM lHint, const CObject* pHint)
{
  const auto* names = dynamic_cast<const CDesignListHint*>(pHint);
  switch (lHint) {
  case kHintDesignList:
    list.ResetContent();
    for (int i = 0; i < doc.GetDesignCount(); ++i)
      list.AddString(doc.GetDesignName(i));
    return TRUE;
  case kHintDesignAdded:
    if (names)
      list.SetCurSel(list.AddString(names->m_strNewName));
    return TRUE;
  case kHintDesignDeleting:
    if (names)
      list.DeleteString(static_cast<UINT>(FindEntry(list, names->m_strOldName)));
    return TRUE;
  case kHintDesignRenamed:
    // The renamed design keeps its place: the list shows the order the project file keeps.
    if (names && names->m_strOldName != names->m_strNewName) {
      const int entry = FindEntry(list, names->m_strOldName);
      list.DeleteString(static_cast<UINT>(entry));
      list.SetCurSel(list.InsertString(entry, names->m_strNewName));
    }
    return TRUE;
  default:
    return FALSE;
  }
}

void CDesignListBox::OnRButtonDown(UINT nFlags, CPoint point)
{
  BOOL outside = TRUE;
  UINT line = ItemFromPoint(point, outside);
  if (!outside)
    SetCurSel(static_cast<int>(line));
  CListBox::OnRButtonDown(nFlags, point);
}

void CDesignListBox::OnRButtonUp(UINT nFlags, CPoint point)
{
  CListBox::OnRButtonUp(nFlags, point);
  CMenu menu;
  if (!menu.LoadMenu(IDR_CONTEXT_MENUS))
    throw CAppFatalException(kModule, kLineNoContextMenu);
  ClientToScreen(&point);
  menu.GetSubMenu(kDesignListContextPopup)
      ->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, GetParentFrame());
}

BEGIN_MESSAGE_MAP(CWarehouseView, CFormView)
  ON_COMMAND(ID_CREATE_DESIGN, OnCreateDesign)
  ON_COMMAND(ID_EDIT_DESIGN, OnEditDesign)
  ON_COMMAND(ID_RENAME_DESIGN, OnRenameDesign)
  ON_COMMAND(ID_DELETE_DESIGN, OnDeleteDesign)
  ON_COMMAND(ID_EDIT_CUT, OnEditCut)
  ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
  ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
  ON_COMMAND(ID_WAREHOUSE_PROJECT_SETTINGS, OnProjectSettings)
  ON_COMMAND(ID_PROJECT_INFORMATION, OnProjectInformation)
  ON_EN_KILLFOCUS(IDC_WAREHOUSE_PROJECT_NAME, OnKillFocusProjectName)
  ON_LBN_DBLCLK(IDC_DESIGN_LIST, OnEditDesign)
  ON_UPDATE_COMMAND_UI(ID_CREATE_DESIGN, OnUpdateAlways)
  ON_UPDATE_COMMAND_UI(ID_EDIT_DESIGN, OnUpdateEditableSelection)
  ON_UPDATE_COMMAND_UI(ID_RENAME_DESIGN, OnUpdateEditableSelection)
  ON_UPDATE_COMMAND_UI(ID_DELETE_DESIGN, OnUpdateEditableSelection)
  ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditableSelection)
  ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
  ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
  ON_UPDATE_COMMAND_UI(ID_WAREHOUSE_PROJECT_SETTINGS, OnUpdateAlways)
  ON_UPDATE_COMMAND_UI(ID_PROJECT_INFORMATION, OnUpdateAlways)
  ON_UPDATE_COMMAND_UI(ID_FILE_PRINT, OnUpdateDisabled)
  ON_UPDATE_COMMAND_UI(ID_FILE_PRINT_PREVIEW, OnUpdateDisabled)
  ON_MESSAGE(kFocusDesignList, OnFocusDesignList)
END_MESSAGE_MAP()

LRESULT CWarehouseView::OnFocusDesignList(WPARAM, LPARAM)
{
  if (m_lbDesigns.GetSafeHwnd())
    m_lbDesigns.SetFocus();
  return 0;
}

CWarehouseView::CWarehouseView() : CFormView(IDD_WAREHOUSE_FORM) {}

CWarehouseView::~CWarehouseView() = default;

CDoc* CWarehouseView::GetProject() const { return static_cast<CDoc*>(GetDocument()); }

void CWarehouseView::DoDataExchange(CDataExchange* pDX)
{
  CFormView::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_DESIGN_LIST, m_lbDesigns);
  DDX_Control(pDX, IDC_WAREHOUSE_PROJECT_NAME, m_edProjectName);
  DDX_Text(pDX, IDC_WAREHOUSE_PROJECT_NAME, m_strProjectName);
}

void CWarehouseView::OnInitialUpdate()
{
  m_strProjectName = GetProject()->GetProjectName();
  CFormView::OnInitialUpdate();
  ResizeParentToFit(FALSE);
  GetProject()->FillDesignList();
  // A project without designs opens straight into a new design.
  if (m_lbDesigns.GetCount() == 0) {
    PostMessage(WM_COMMAND, ID_CREATE_DESIGN);
    return;
  }
  // The keyboard starts in the design list, so that arrows and Tab work before any click; the
  // frame is shown and activated after this, so the focus is given once that is done.
  PostMessage(kFocusDesignList);
}

void CWarehouseView::OnUpdate(CView*, LPARAM lHint, CObject* pHint)
{
  if (UpdateDesignList(m_lbDesigns, *GetProject(), lHint, pHint))
    return;
  // A name still being typed is taken first: an update, such as another window opening, must not
  // write over it. One the file cannot hold stays in the field for its check on leaving.
  CommitProjectName(FALSE);
  if (m_edProjectName.GetSafeHwnd() && m_edProjectName.GetModify())
    return;
  m_strProjectName = GetProject()->GetProjectName();
  UpdateData(FALSE);
  m_edProjectName.SetModify(FALSE);
}

BOOL CWarehouseView::CommitProjectName(BOOL tell)
{
  if (m_bCheckingName || !m_edProjectName.GetSafeHwnd() || !m_edProjectName.GetModify())
    return TRUE;
  if (!tell && !FirstUnrepresentableTyped(m_edProjectName).IsEmpty())
    return TRUE;
  m_bCheckingName = TRUE;
  const BOOL taken = UpdateData(TRUE);
  m_bCheckingName = FALSE;
  if (!taken)
    return FALSE;
  if (m_strProjectName != GetProject()->GetProjectName())
    GetProject()->GetProjectData().SetProjectName(m_strProjectName);
  m_edProjectName.SetModify(FALSE);
  return TRUE;
}

void CWarehouseView::OnKillFocusProjectName() { CommitProjectName(TRUE); }

int CWarehouseView::GetSelectedDesign()
{
  int line = m_lbDesigns.GetCurSel();
  if (line == LB_ERR)
    return -1;
  CString name;
  m_lbDesigns.GetText(line, name);
  int index = GetProject()->FindDesign(name);
  if (index < 0)
    throw CAppException(kModule, kLineDesignNotFound);
  return index;
}

BOOL CWarehouseView::IsEdited(int index)
{
  CDoc* pDoc = GetProject();
  return pDoc->GetEditedDesign() != nullptr && index == pDoc->GetEditedDesignIndex();
}

int CWarehouseView::Inform(const CString& text, UINT nType)
{
  return MessageBox(text, GetDocServices().GetProductName(), nType);
}

BOOL CWarehouseView::CloseEditedDesign()
{
  CDoc* pDoc = GetProject();
  if (!pDoc->OkToCloseEditedDesign())
    return FALSE;
  // The user has just been asked about the design: its Workbench closes without asking again.
  pDoc->CloseEditedDesign();
  if (CView* pWorkbench = pDoc->GetWorkbenchView())
    pWorkbench->GetParentFrame()->SendMessage(WM_CLOSE);
  return TRUE;
}

void CWarehouseView::OnCreateDesign()
{
  if (!CloseEditedDesign() || !GetProject()->NewEditedDesign())
    return;
  GetWarehouseServices().OpenWorkbenchFrame(GetProject());
}

void CWarehouseView::OnEditDesign()
{
  int index = GetSelectedDesign();
  if (index < 0) {
    Inform("Please select the design you want to edit in the list box, and then edit it.");
    return;
  }
  if (IsEdited(index)) {
    Inform("The design you have selected is currently being edited.");
    return;
  }
  // Storing the edited design may add or move designs: the choice is kept by name.
  CString name = GetProject()->GetDesignName(index);
  if (!CloseEditedDesign())
    return;
  index = GetProject()->FindDesign(name);
  if (index >= 0 && GetProject()->EditStoredDesign(index))
    GetWarehouseServices().OpenWorkbenchFrame(GetProject());
}

BOOL CWarehouseView::PreTranslateMessage(MSG* pMsg)
{
  const bool plainReturn = pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN && GetKeyState(VK_CONTROL) >= 0 &&
                           GetKeyState(VK_MENU) >= 0 && GetKeyState(VK_SHIFT) >= 0;
  if (plainReturn && pMsg->hwnd == m_lbDesigns.GetSafeHwnd() && m_lbDesigns.GetCurSel() != LB_ERR) {
    OnEditDesign();
    return TRUE;
  }
  return CFormView::PreTranslateMessage(pMsg);
}

void CWarehouseView::OnRenameDesign()
{
  int index = GetSelectedDesign();
  if (index < 0)
    return;
  if (IsEdited(index)) {
    Inform("The design you have selected is currently being edited and cannot be renamed.");
    return;
  }
  CDoc* pDoc = GetProject();
  CString current = pDoc->GetDesignName(index);
  CString newName;
  while (GetWarehouseServices().AskRenameDesign(this, current, newName)) {
    int other = pDoc->FindDesign(newName);
    CDesign* pEdited = pDoc->GetEditedDesign();
    BOOL takenByEdited = pEdited && newName.CompareNoCase(pEdited->GetName()) == 0;
    if ((other >= 0 && other != index) || takenByEdited) {
      Inform("A design with that name already exists.  You must choose a name that is not already in use.");
      continue;
    }
    pDoc->RenameDesign(index, newName);
    break;
  }
  pDoc->UpdateFrameTitles();
}

void CWarehouseView::OnDeleteDesign()
{
  int index = GetSelectedDesign();
  if (index < 0) {
    Inform("Please select a design in the list first.");
    return;
  }
  if (IsEdited(index)) {
    Inform("The design you have selected is currently being edited and cannot be deleted.");
    return;
  }
  CString question;
  question.Format("Are you sure you want to delete design '%s'?",
                  static_cast<LPCTSTR>(GetProject()->GetDesignName(index)));
  if (Inform(question, MB_YESNO | MB_ICONQUESTION) == IDYES)
    GetProject()->DeleteDesign(index);
}

void CWarehouseView::OnEditCopy()
{
  int index = GetSelectedDesign();
  if (index >= 0)
    CopyDesign(index);
}

void CWarehouseView::OnEditCut()
{
  int index = GetSelectedDesign();
  if (index < 0)
    return;
  if (IsEdited(index)) {
    Inform("The design you have selected is currently being edited and cannot be cut.");
    return;
  }
  // The design leaves the project only once it is safely on the clipboard.
  if (CopyDesign(index))
    GetProject()->DeleteDesign(index);
}

void CWarehouseView::OnProjectSettings() { AfxGetMainWnd()->SendMessage(WM_COMMAND, ID_PROJECT_SETTINGS); }

void CWarehouseView::OnProjectInformation()
{
  if (!CommitProjectName(TRUE))
    return;
  if (GetWarehouseServices().EditProjectInformation(this, GetProject()))
    OnUpdate(nullptr, 0, nullptr);
}

void CWarehouseView::OnUpdateEditableSelection(CCmdUI* pCmdUI)
{
  int index = GetSelectedDesign();
  pCmdUI->Enable(index >= 0 && !IsEdited(index));
}

void CWarehouseView::OnUpdateEditCopy(CCmdUI* pCmdUI) { pCmdUI->Enable(GetSelectedDesign() >= 0); }

void CWarehouseView::OnUpdateAlways(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

void CWarehouseView::OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
