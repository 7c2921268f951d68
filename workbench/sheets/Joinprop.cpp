#include "workbench/sheets/Joinprop.h"

#include "model/Join.h"
#include "ui/dlg/DataExch.h"
#include "ui/wnd/Resource.h"
#include "productdb/Joining.h"
#include "productdb/Jointbl.h"
#include "project/DocServices.h"
#include "support/Trace.h"
#include "workbench/items/Joinitem.h"
#include "workbench/view/Wbview.h"

IMPLEMENT_DYNAMIC(CJoinPropertyPage, CPropertyPage)
IMPLEMENT_DYNAMIC(CJoinPropertiesDlg, CRetainedPropertySheet)

BEGIN_MESSAGE_MAP(CJoinPropertyPage, CPropertyPage)
  ON_LBN_SELCHANGE(IDC_JOINING_TYPES, OnSelChange)
END_MESSAGE_MAP()

namespace {
// JOINTBL's index ordered by ID, OtherID, then join number.
constexpr int kPairIndex = 3;

CString& RetainedPageTitle()
{
  static CString title;
  return title;
}
}  // namespace

CJoinPropertyPage::CJoinPropertyPage(CJoinData* pData) : CPropertyPage(IDD_JOINING_TYPE), m_pData(pData) {}

void CJoinPropertyPage::FillJoinTypes(CListBox& list, int id, int otherId)
{
  CJoinTblRec row;
  row.SetJoin(0);
  row.SetId(1, id);
  row.SetId(2, otherId);
  BOOL atEnd = FALSE;
  for (int result = row.SeekGE(kPairIndex, &atEnd); result == 0 && !atEnd; result = row.Next(&atEnd)) {
    if (row.GetId(1) != id || row.GetId(2) != otherId)
      break;
    const CJoiningRec joining(row.GetJoin());
    const CString description = joining.GetDescription();
    if (list.FindStringExact(-1, description) != LB_ERR)
      continue;
    const int entry = list.AddString(description);
    list.SetItemData(entry, static_cast<std::uintptr_t>(row.GetJoin()));
  }
}

void CJoinPropertyPage::DoDataExchange(CDataExchange* pDX)
{
  CPropertyPage::DoDataExchange(pDX);
  if (!pDX->m_bSaveAndValidate) {
    auto* pList = static_cast<CListBox*>(GetDlgItem(IDC_JOINING_TYPES));
    pList->ResetContent();
    FillJoinTypes(*pList, m_pData->firstID, m_pData->secondID);
    if (m_pData->firstID != m_pData->secondID)
      FillJoinTypes(*pList, m_pData->secondID, m_pData->firstID);
    m_strDescription = m_pData->description;
    m_nMode = m_pData->mode;
  }
  DDX_LBString(pDX, IDC_JOINING_TYPES, m_strDescription);
  DDX_Radio(pDX, IDC_MOVE_LABELLED_UNIT, m_nMode);
  if (pDX->m_bSaveAndValidate)
    m_pData->mode = m_nMode;
}

void CJoinPropertyPage::OnOK()
{
  PCTRACE(TT_DIALOG_BOXES, TL_DETAIL)("CJoinPropertyPage::OnOK\n");
  auto* pList = static_cast<CListBox*>(GetDlgItem(IDC_JOINING_TYPES));
  const int selected = pList ? pList->GetCurSel() : LB_ERR;
  if (selected != LB_ERR) {
    m_pData->joinTypeID = static_cast<int>(pList->GetItemData(selected));
    m_pData->description = m_strDescription;
  }
  SetModified(FALSE);
}

void CJoinPropertyPage::OnSelChange() { SetModified(TRUE); }

CJoinPropertiesDlg::CJoinPropertiesDlg(CWorkbenchView* pView, CJoinItem* pJoinItem, CWnd* pParentWnd)
  : CRetainedPropertySheet(IDS_JOIN_PROPERTIES, pParentWnd), m_pView(pView), m_pJoinItem(pJoinItem)
{
  if (CJoin* pJoin = pJoinItem->GetJoin()) {
    m_Current.description = pJoin->GetJoinTypeName();
    m_Current.joinTypeID = pJoin->GetJoinTypeID();
  }
  m_Current.firstID = pJoinItem->GetFirstSide().m_nComponentID;
  m_Current.secondID = pJoinItem->GetSecondSide().m_nComponentID;
  m_Applied = m_Current;
  m_pPage = new CJoinPropertyPage(&m_Current);
  AddPage(m_pPage);
}

CJoinPropertiesDlg::~CJoinPropertiesDlg()
{
  // The sheet's window goes before its page.
  if (m_hWnd)
    DestroyWindow();
  delete m_pPage;
}

CString CJoinPropertiesDlg::GetRetainedPageTitle() { return RetainedPageTitle(); }

void CJoinPropertiesDlg::SetRetainedPageTitle(const CString& title) { RetainedPageTitle() = title; }

BOOL CJoinPropertiesDlg::TakePage()
{
  CPropertyPage* pActive = GetActivePage();
  if (!pActive || !pActive->OnKillActive())
    return FALSE;
  pActive->OnOK();
  Apply();
  m_pView->SendItemPropertiesHint(m_pJoinItem);
  return TRUE;
}

void CJoinPropertiesDlg::Apply()
{
  PCTRACE(TT_DIALOG_BOXES, TL_DETAIL)("Applying changes to join item.\n");
  CJoin* pJoin = m_pJoinItem->GetJoin();
  if (m_Current.joinTypeID != m_Applied.joinTypeID && pJoin) {
    m_pJoinItem->Invalidate(m_pView);
    pJoin->SetJoinType(m_Current.joinTypeID, pJoin->GetFirstProductID(), pJoin->GetSecondProductID());
    const double previousTotal = m_pJoinItem->GetTotalSpacing();
    m_pJoinItem->UpdateCJoinInfo();
    m_pView->PropagateJoinType(m_pJoinItem);
    CString refusal;
    if (m_pJoinItem->GetTotalSpacing() != previousTotal &&
        !m_pJoinItem->RepositionUnits(m_Current.mode, previousTotal, m_pView, refusal)) {
      // The units cannot take the new spacing: the join keeps the type it had.
      pJoin->SetJoinType(m_Applied.joinTypeID, pJoin->GetFirstProductID(), pJoin->GetSecondProductID());
      m_pJoinItem->UpdateCJoinInfo();
      m_pView->PropagateJoinType(m_pJoinItem);
      m_pJoinItem->Invalidate(m_pView);
      MessageBox(refusal, GetDocServices().GetProductName(), MB_OK | MB_ICONEXCLAMATION);
      m_Current.joinTypeID = m_Applied.joinTypeID;
      return;
    }
  }
  m_Applied = m_Current;
}

void CJoinPropertiesDlg::OnApplyNow()
{
  PCTRACE(TT_DIALOG_BOXES, TL_DETAIL)("CJoinPropertiesDlg::OnApply\n");
  if (!TakePage())
    return;
  if (CWnd* pCancel = GetDlgItem(IDCANCEL))
    pCancel->SetWindowText("Close");
  if (CWnd* pApply = GetDlgItem(ID_APPLY_NOW))
    pApply->EnableWindow(FALSE);
}

void CJoinPropertiesDlg::OnOK()
{
  PCTRACE(TT_DIALOG_BOXES, TL_DETAIL)("JoinPropertiesDlg::OnOK\n");
  if (!TakePage())
    return;
  SaveActivePage();
  if (m_bModal)
    EndDialog(IDOK);
}

void RegisterJoinPropertiesResources()
{
  CResources& res = CResources::Get();
  res.AddString(IDS_JOIN_PROPERTIES, "Join Properties");
  const auto none = static_cast<UINT>(-1);
  std::vector<CDialogItemTemplate> items{
      CDialogItemTemplate(CDlgCtl::ListBox, IDC_JOINING_TYPES, "", CRect(7, 7, 203, 67), LBS_NOTIFY),
      CDialogItemTemplate(CDlgCtl::GroupBox, none, "Unit positioning for join spacing", CRect(7, 72, 203, 122)),
      CDialogItemTemplate(CDlgCtl::RadioButton, IDC_MOVE_LABELLED_UNIT, "Move unit with join label on it",
                          CRect(14, 84, 196, 94), WS_GROUP),
      CDialogItemTemplate(CDlgCtl::RadioButton, IDC_MOVE_OTHER_UNIT, "Move unit without join label on it",
                          CRect(14, 96, 196, 106)),
      CDialogItemTemplate(CDlgCtl::RadioButton, IDC_MOVE_BOTH_UNITS, "Move both units equally",
                          CRect(14, 108, 196, 118))};
  res.AddDialog(IDD_JOINING_TYPE, CDialogTemplate{"Joining Type", CSize(210, 129), std::move(items)});
}
