#include "document/Whpaste.h"

#include "document/Whids.h"
#include "ui/dlg/Ctrls.h"
#include "ui/dlg/DataExch.h"

IMPLEMENT_DYNAMIC(CPasteDesignDlg, CDialog)

CPasteDesignDlg::CPasteDesignDlg(const CString& caption, const CString& name, CWnd* pParent)
  : CDialog(IDD_PASTE_DESIGN, pParent), m_strName(name), m_strCaption(caption)
{}

BOOL CPasteDesignDlg::OnInitDialog()
{
  BOOL result = CDialog::OnInitDialog();
  SetWindowText(m_strCaption);
  if (auto* pEdit = dynamic_cast<CEdit*>(GetDlgItem(IDC_PASTE_DESIGN_NAME)))
    pEdit->LimitText(kMaxNameLength);
  return result;
}

void CPasteDesignDlg::DoDataExchange(CDataExchange* pDX)
{
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_PASTE_DESIGN_NAME, m_strName);
  DDV_MaxChars(pDX, m_strName, kMaxNameLength);
}

void CPasteDesignDlg::OnOK()
{
  if (!UpdateData(TRUE))
    return;
  if (m_strName.IsEmpty()) {
    MessageBox("Design name cannot be empty", m_strCaption, MB_OK | MB_ICONEXCLAMATION);
    GotoDlgCtrl(GetDlgItem(IDC_PASTE_DESIGN_NAME));
    return;
  }
  EndDialog(IDOK);
}
