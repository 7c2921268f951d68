#include "ui/dlg/RetSheet.h"

IMPLEMENT_DYNAMIC(CRetainedPropertySheet, CPropertySheet)

CRetainedPropertySheet::CRetainedPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
  : CPropertySheet(nIDCaption, pParentWnd, iSelectPage)
{}

CRetainedPropertySheet::CRetainedPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
  : CPropertySheet(pszCaption, pParentWnd, iSelectPage)
{}

BOOL CRetainedPropertySheet::OnInitDialog()
{
  const BOOL result = CPropertySheet::OnInitDialog();
  SelectRetainedPage();
  return result;
}

void CRetainedPropertySheet::SelectRetainedPage()
{
  const CString title = GetRetainedPageTitle();
  if (title.IsEmpty()) {
    SetActivePage(0);
    return;
  }
  // Pages are matched by their tab texts, so a sheet with other pages finds the same kind of page.
  CTabCtrl* tabs = GetTabControl();
  const int count = tabs ? tabs->GetItemCount() : 0;
  for (int i = 0; i < count; ++i) {
    char text[129] = {};
    TCITEM item;
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 128;
    if (tabs->GetItem(i, &item) && title.Compare(text) == 0) {
      SetActivePage(i);
      return;
    }
  }
  SetActivePage(0);
}

void CRetainedPropertySheet::SaveActivePage()
{
  if (CPropertyPage* page = GetActivePage()) {
    CString title;
    page->GetWindowText(title);
    SetRetainedPageTitle(title);
  }
}

void CRetainedPropertySheet::OnOK()
{
  SaveActivePage();
  EndDialog(IDOK);
}

void CRetainedPropertySheet::OnCancel()
{
  SaveActivePage();
  EndDialog(IDCANCEL);
}
