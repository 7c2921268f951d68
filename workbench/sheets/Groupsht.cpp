#include "workbench/sheets/Groupsht.h"

#include "ui/wnd/WinApp.h"
#include "workbench/sheets/Itempos.h"
#include "workbench/view/Wbview.h"

IMPLEMENT_DYNAMIC(CGroupSheetDlg, CRetainedPropertySheet)

namespace {
// The page last shown, shared by every group sheet while the program runs.
CString& RetainedPageTitle()
{
  static CString title;
  return title;
}
}  // namespace

CGroupSheetDlg::CGroupSheetDlg(CWorkbenchView* pView, CDesignItem* pItem, LPCTSTR pszCaption, CWnd* pParentWnd,
                               UINT iSelectPage)
  : CRetainedPropertySheet(pszCaption, pParentWnd, iSelectPage),
    m_pView(pView),
    m_pItem(pItem),
    m_pPositionPage(std::make_unique<CItemPositionPropertyPage>(pView, pItem))
{
  AddPage(m_pPositionPage.get());
}

CGroupSheetDlg::~CGroupSheetDlg() = default;

CString CGroupSheetDlg::GetRetainedPageTitle() { return RetainedPageTitle(); }

void CGroupSheetDlg::SetRetainedPageTitle(const CString& title) { RetainedPageTitle() = title; }

void CGroupSheetDlg::OnApplyNow()
{
  if (!CommitShownPages(FALSE))
    return;
  m_pView->SendItemPropertiesHint(m_pItem);
  CancelToClose();
}

void CGroupSheetDlg::OnOK()
{
  if (!CommitShownPages(TRUE))
    return;
  // The retained sheet's OK ends the sheet and remembers the active page.
  CRetainedPropertySheet::OnOK();
  m_pView->SendItemPropertiesHint(m_pItem);
}
