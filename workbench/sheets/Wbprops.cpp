#include "workbench/sheets/Wbprops.h"

#include "ui/dlg/Ctrls.h"
#include "ui/dlg/DataExch.h"
#include "ui/wnd/Resource.h"
#include "productdb/Joining.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "workbench/view/Wbview.h"

IMPLEMENT_DYNCREATE(CWorkbenchJoiningPage, CPropertyPage)
IMPLEMENT_DYNCREATE(CWorkbenchAlignmentPage, CPropertyPage)
IMPLEMENT_DYNAMIC(CWorkbenchPropertiesDlg, CRetainedPropertySheet)
IMPLEMENT_DYNAMIC(CAlignmentLinesDlg, CDialog)

namespace {
constexpr const char* kModule = "Wbprops";
constexpr int kBadModeLine = 188;
constexpr int kNoButtonLine = 214;

// The page last shown, for every opening of the sheet while the program runs.
CString& RetainedPageTitle()
{
  static CString title;
  return title;
}

CString JoiningDescription(DWORD joining)
{
  CJoiningRec record(static_cast<int>(joining));
  return record.GetJoining() == static_cast<int>(joining) ? record.GetDescription() : CString();
}

CDialogTemplate JoiningPage()
{
  CDialogTemplate dlg{"Unit Joining", CSize(230, 150), {}};
  dlg.items = {
      DialogItem(CDlgCtl::CheckBox, IDC_AUTO_JOIN, "Enable automatic joining of units", 10, 8, 200, 10, WS_GROUP),
      DialogItem(CDlgCtl::CheckBox, IDC_JOIN_MARKERS, "Display joining markers in the Workbench", 10, 22, 200, 10),
      DialogItem(CDlgCtl::GroupBox, static_cast<UINT>(-1), "Attempt Joining in this Order:", 7, 38, 216, 104),
      DialogItem(CDlgCtl::ListBox, IDC_JOINING_ORDER, "", 14, 50, 140, 86, LBS_NOTIFY),
      DialogItem(CDlgCtl::PushButton, IDC_MOVE_UP, "Move &Up", 162, 50, 54, 14),
      DialogItem(CDlgCtl::PushButton, IDC_MOVE_DOWN, "Move &Down", 162, 68, 54, 14),
  };
  return dlg;
}

CDialogTemplate AlignmentPage()
{
  CDialogTemplate dlg{"Alignment Lines", CSize(230, 150), {}};
  dlg.items = {
      DialogItem(CDlgCtl::GroupBox, static_cast<UINT>(-1), "Display", 7, 7, 216, 46),
      DialogItem(CDlgCtl::RadioButton, IDC_PAGE_SHOW_LINES, "Show alignment lines for all units", 14, 20, 190, 10,
                 WS_GROUP),
      DialogItem(CDlgCtl::RadioButton, IDC_PAGE_HIDE_LINES, "Hide alignment lines for all units", 14, 34, 190, 10),
      DialogItem(CDlgCtl::GroupBox, static_cast<UINT>(-1), "Snap To", 7, 60, 216, 46),
      DialogItem(CDlgCtl::RadioButton, IDC_PAGE_SNAP_LINES, "Always snap to alignment lines", 14, 73, 190, 10,
                 WS_GROUP),
      DialogItem(CDlgCtl::RadioButton, IDC_PAGE_NO_SNAP, "Do not snap to any alignment lines", 14, 87, 190, 10),
  };
  return dlg;
}

CDialogTemplate AlignmentLinesDialog()
{
  CDialogTemplate dlg{"Alignment Lines", CSize(230, 140), {}};
  dlg.items = {
      DialogItem(CDlgCtl::GroupBox, static_cast<UINT>(-1), "Display", 7, 7, 216, 46),
      DialogItem(CDlgCtl::RadioButton, IDC_SHOW_LINES, "Show alignment lines for all units", 14, 20, 190, 10, WS_GROUP),
      DialogItem(CDlgCtl::RadioButton, IDC_HIDE_LINES, "Hide alignment lines for all units", 14, 34, 190, 10),
      DialogItem(CDlgCtl::GroupBox, static_cast<UINT>(-1), "Snap To", 7, 60, 216, 46),
      DialogItem(CDlgCtl::RadioButton, IDC_SNAP_LINES, "Always snap to alignment lines", 14, 73, 190, 10, WS_GROUP),
      DialogItem(CDlgCtl::RadioButton, IDC_NO_SNAP, "Do not snap to any alignment lines", 14, 87, 190, 10),
      DialogItem(CDlgCtl::DefPushButton, IDOK, "OK", 61, 118, 50, 14, WS_GROUP),
      DialogItem(CDlgCtl::PushButton, IDCANCEL, "Cancel", 117, 118, 50, 14),
      DialogItem(CDlgCtl::PushButton, IDC_ALIGNMENT_APPLY, "Apply", 173, 118, 50, 14),
  };
  return dlg;
}
}  // namespace

void RegisterWorkbenchPropertiesResources()
{
  CResources& res = CResources::Get();
  res.AddString(IDS_WORKBENCH_PROPERTIES, "Workbench Properties");
  res.AddDialog(IDD_WORKBENCH_JOINING, JoiningPage());
  res.AddDialog(IDD_WORKBENCH_ALIGNMENT, AlignmentPage());
  res.AddDialog(IDD_ALIGNMENT_LINES, AlignmentLinesDialog());
}

BEGIN_MESSAGE_MAP(CWorkbenchJoiningPage, CPropertyPage)
  ON_LBN_SELCHANGE(IDC_JOINING_ORDER, OnSelChange)
  ON_BN_CLICKED(IDC_MOVE_UP, OnMoveUp)
  ON_BN_CLICKED(IDC_MOVE_DOWN, OnMoveDown)
  ON_BN_CLICKED(IDC_AUTO_JOIN, OnCheckClicked)
  ON_BN_CLICKED(IDC_JOIN_MARKERS, OnCheckClicked)
END_MESSAGE_MAP()

CWorkbenchJoiningPage::CWorkbenchJoiningPage() : CPropertyPage(IDD_WORKBENCH_JOINING) {}

CListBox* CWorkbenchJoiningPage::List() const { return dynamic_cast<CListBox*>(GetDlgItem(IDC_JOINING_ORDER)); }

void CWorkbenchJoiningPage::DoDataExchange(CDataExchange* pDX)
{
  CPropertyPage::DoDataExchange(pDX);
  CListBox* pList = List();
  if (pDX->m_bSaveAndValidate) {
    m_Order.RemoveAll();
    for (int i = 0; pList && i < pList->GetCount(); ++i)
      m_Order.Add(static_cast<DWORD>(pList->GetItemData(i)));
  } else {
    FillList();
  }
  DDX_Check(pDX, IDC_AUTO_JOIN, m_bAutoJoin);
  DDX_Check(pDX, IDC_JOIN_MARKERS, m_bMarkers);
}

void CWorkbenchJoiningPage::FillList()
{
  CListBox* pList = List();
  if (!pList)
    return;
  pList->ResetContent();
  for (int i = 0; i < m_Order.GetSize(); ++i) {
    const int line = pList->AddString(JoiningDescription(m_Order[i]));
    pList->SetItemData(line, m_Order[i]);
  }
  pList->SetCurSel(0);
  UpdateButtons();
}

void CWorkbenchJoiningPage::UpdateButtons()
{
  CListBox* pList = List();
  const int selected = pList ? pList->GetCurSel() : LB_ERR;
  const int count = pList ? pList->GetCount() : 0;
  if (CWnd* pUp = GetDlgItem(IDC_MOVE_UP))
    pUp->EnableWindow(selected >= 1);
  if (CWnd* pDown = GetDlgItem(IDC_MOVE_DOWN))
    pDown->EnableWindow(selected != LB_ERR && selected < count - 1);
}

void CWorkbenchJoiningPage::OnSelChange() { UpdateButtons(); }

void CWorkbenchJoiningPage::MoveSelected(int by)
{
  CListBox* pList = List();
  const int selected = pList->GetCurSel();
  const int target = selected + by;
  if (selected == LB_ERR || target < 0 || target >= pList->GetCount())
    return;
  CString text;
  pList->GetText(selected, text);
  const std::uintptr_t data = pList->GetItemData(selected);
  pList->DeleteString(static_cast<UINT>(selected));
  pList->InsertString(target, text);
  pList->SetItemData(target, data);
  pList->SetCurSel(target);
  UpdateButtons();
  SetModified(TRUE);
}

void CWorkbenchJoiningPage::OnMoveUp() { MoveSelected(-1); }

void CWorkbenchJoiningPage::OnMoveDown() { MoveSelected(1); }

void CWorkbenchJoiningPage::OnCheckClicked() { SetModified(TRUE); }

BOOL CWorkbenchJoiningPage::OnApply() { return UpdateData(TRUE); }

BEGIN_MESSAGE_MAP(CWorkbenchAlignmentPage, CPropertyPage)
  ON_BN_CLICKED(IDC_PAGE_SHOW_LINES, OnRadioClicked)
  ON_BN_CLICKED(IDC_PAGE_HIDE_LINES, OnRadioClicked)
  ON_BN_CLICKED(IDC_PAGE_SNAP_LINES, OnRadioClicked)
  ON_BN_CLICKED(IDC_PAGE_NO_SNAP, OnRadioClicked)
END_MESSAGE_MAP()

CWorkbenchAlignmentPage::CWorkbenchAlignmentPage() : CPropertyPage(IDD_WORKBENCH_ALIGNMENT) {}

void CWorkbenchAlignmentPage::DoDataExchange(CDataExchange* pDX)
{
  CPropertyPage::DoDataExchange(pDX);
  DDX_Radio(pDX, IDC_PAGE_SHOW_LINES, m_nShowChoice);
  DDX_Radio(pDX, IDC_PAGE_SNAP_LINES, m_nSnapChoice);
}

void CWorkbenchAlignmentPage::OnRadioClicked() { SetModified(TRUE); }

CWorkbenchPropertiesDlg::CWorkbenchPropertiesDlg(CWorkbenchView* pView)
  : CRetainedPropertySheet(IDS_WORKBENCH_PROPERTIES, pView), m_pView(pView)
{
  AddPage(&m_JoiningPage);
  AddPage(&m_AlignmentPage);
}

CString CWorkbenchPropertiesDlg::GetRetainedPageTitle() { return RetainedPageTitle(); }

void CWorkbenchPropertiesDlg::SetRetainedPageTitle(const CString& title) { RetainedPageTitle() = title; }

void CWorkbenchPropertiesDlg::OnApplyNow()
{
  if (m_JoiningPage.GetSafeHwnd()) {
    m_JoiningPage.UpdateData(TRUE);
    m_pView->SetShowJoins(m_JoiningPage.m_bMarkers);
    // Apply commits the whole page: joining itself and its order too, not only the markers.
    m_pView->SetAutoJoin(m_JoiningPage.m_bAutoJoin);
    m_pView->SetJoiningOrder(m_JoiningPage.m_Order);
    m_pView->Invalidate(TRUE);
  }
  if (m_AlignmentPage.GetSafeHwnd()) {
    m_AlignmentPage.UpdateData(TRUE);
    m_pView->SetAlignmentModes(m_AlignmentPage.m_nShowChoice != 0, m_AlignmentPage.m_nSnapChoice != 0);
  }
  if (CPropertyPage* pActive = GetActivePage()) {
    pActive->OnApply();
    pActive->SetModified(FALSE);
  }
  CancelToClose();
}

void CWorkbenchPropertiesDlg::OnOK()
{
  for (int i = 0; i < GetPageCount(); ++i)
    if (GetPage(i)->GetSafeHwnd() && !GetPage(i)->UpdateData(TRUE))
      return;
  CRetainedPropertySheet::OnOK();
}

BEGIN_MESSAGE_MAP(CAlignmentLinesDlg, CDialog)
  ON_BN_CLICKED(IDC_SHOW_LINES, OnShowClicked)
  ON_BN_CLICKED(IDC_HIDE_LINES, OnShowClicked)
  ON_BN_CLICKED(IDC_SNAP_LINES, OnSnapClicked)
  ON_BN_CLICKED(IDC_NO_SNAP, OnSnapClicked)
  ON_BN_CLICKED(IDC_ALIGNMENT_APPLY, OnApply)
END_MESSAGE_MAP()

CAlignmentLinesDlg::CAlignmentLinesDlg(CWorkbenchView* pView) : CDialog(IDD_ALIGNMENT_LINES, pView), m_pView(pView) {}

BOOL CAlignmentLinesDlg::OnInitDialog()
{
  CDialog::OnInitDialog();
  m_pView->GetAlignmentModes(m_nShowMode, m_nSnapMode);
  if ((m_nShowMode != 0 && m_nShowMode != 1) || (m_nSnapMode != 0 && m_nSnapMode != 1))
    throw CAppFatalException(kModule, kBadModeLine);
  CheckRadioButton(IDC_SHOW_LINES, IDC_HIDE_LINES, m_nShowMode == 0 ? IDC_SHOW_LINES : IDC_HIDE_LINES);
  CheckRadioButton(IDC_SNAP_LINES, IDC_NO_SNAP, m_nSnapMode == 0 ? IDC_SNAP_LINES : IDC_NO_SNAP);
  return TRUE;
}

int CAlignmentLinesDlg::CheckedOf(UINT first, UINT second, int line) const
{
  if (IsDlgButtonChecked(static_cast<int>(first)))
    return 0;
  if (IsDlgButtonChecked(static_cast<int>(second)))
    return 1;
  throw CAppFatalException(kModule, line);
}

void CAlignmentLinesDlg::OnShowClicked() { m_nShowMode = CheckedOf(IDC_SHOW_LINES, IDC_HIDE_LINES, kNoButtonLine); }

void CAlignmentLinesDlg::OnSnapClicked() { m_nSnapMode = CheckedOf(IDC_SNAP_LINES, IDC_NO_SNAP, kNoButtonLine); }

void CAlignmentLinesDlg::OnApply()
{
  m_pView->SetAlignmentModes(m_nShowMode, m_nSnapMode);
  SetDlgItemText(IDCANCEL, "Close");
}

void CAlignmentLinesDlg::OnOK()
{
  m_pView->SetAlignmentModes(m_nShowMode, m_nSnapMode);
  EndDialog(IDOK);
}
