#include "app/Prjsheet.h"

IMPLEMENT_DYNAMIC(CProjectPreferencesSheetDlg, CRetainedPropertySheet)

namespace {
CString& RetainedPageTitle()
{
  static CString title;
  return title;
}
}  // namespace

CProjectPreferencesSheetDlg::CProjectPreferencesSheetDlg(LPCTSTR lpszCaption, CWnd* pParentWnd, UINT iSelectPage,
                                                         CDoc* pDoc)
  : CRetainedPropertySheet(lpszCaption, pParentWnd, iSelectPage), m_pageOptionChoices(pDoc)
{
  AddPage(&m_pageOptionChoices);
}

CString CProjectPreferencesSheetDlg::GetRetainedPageTitle() { return RetainedPageTitle(); }

void CProjectPreferencesSheetDlg::SetRetainedPageTitle(const CString& title) { RetainedPageTitle() = title; }

void CProjectPreferencesSheetDlg::WriteBackPages()
{
  m_pageOptionChoices.WriteBack();
  m_pageOptionChoices.SetModified(FALSE);
}

void CProjectPreferencesSheetDlg::OnApplyNow()
{
  if (m_pageOptionChoices.GetSafeHwnd() && !m_pageOptionChoices.UpdateData(TRUE))
    return;
  WriteBackPages();
  CancelToClose();
}
