#pragma once
// A property sheet that reopens on the page that was active when it was last closed. Each kind
// of sheet says where the remembered page title lives.
#include "ui/dlg/PropSheet.h"

class CRetainedPropertySheet : public CPropertySheet
{
  DECLARE_DYNAMIC(CRetainedPropertySheet)
public:
  CRetainedPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  CRetainedPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

  // The title of the page to reopen on; empty when none is remembered.
  virtual CString GetRetainedPageTitle() = 0;
  virtual void SetRetainedPageTitle(const CString& title) = 0;

  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void SaveActivePage();

protected:
  void SelectRetainedPage();
};
