#pragma once
// "Group Properties": moves a group by typing its position. Its one page works on the group
// itself, so the group changes when the page is applied.
#include <memory>

#include "ui/dlg/RetSheet.h"

class CDesignItem;
class CItemPositionPropertyPage;
class CWorkbenchView;

class CGroupSheetDlg : public CRetainedPropertySheet
{
  DECLARE_DYNAMIC(CGroupSheetDlg)
public:
  CGroupSheetDlg(CWorkbenchView* pView, CDesignItem* pItem, LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage);
  ~CGroupSheetDlg() override;

  CString GetRetainedPageTitle() override;
  void SetRetainedPageTitle(const CString& title) override;
  CItemPositionPropertyPage* GetPositionPage() const { return m_pPositionPage.get(); }

protected:
  void OnApplyNow() override;
  void OnOK() override;

private:
  CWorkbenchView* m_pView;
  CDesignItem* m_pItem;
  std::unique_ptr<CItemPositionPropertyPage> m_pPositionPage;
};
