#pragma once
// "Project Settings": the default option choices of a project, edited on a working copy that is
// written back by Apply Now, or by OK when the sheet has ended.
#include "app/Defoptdlg.h"
#include "ui/dlg/RetSheet.h"

class CDoc;

class CProjectPreferencesSheetDlg : public CRetainedPropertySheet
{
  DECLARE_DYNAMIC(CProjectPreferencesSheetDlg)
public:
  CProjectPreferencesSheetDlg(LPCTSTR lpszCaption, CWnd* pParentWnd, UINT iSelectPage, CDoc* pDoc);

  CString GetRetainedPageTitle() override;
  void SetRetainedPageTitle(const CString& title) override;
  // Every page writes its working copy into the project and is marked unmodified.
  void WriteBackPages();

  CProjectDefaultOptionChoicesDlg m_pageOptionChoices;

protected:
  void OnApplyNow() override;
};
