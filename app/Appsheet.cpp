#include "app/Appsheet.h"

#include "app/App.h"
#include "app/Appprefs.h"
#include "document/Doc.h"
#include "document/Dochints.h"
#include "ui/wnd/WinApp.h"

IMPLEMENT_DYNAMIC(CApplicationPreferencesSheetDlg, CRetainedPropertySheet)

namespace {
// The page last shown, for every opening of the sheet while the program runs.
CString& RetainedPageTitle()
{
  static CString title;
  return title;
}

CDoc* ActiveProject()
{
  auto* pApp = dynamic_cast<CApp*>(AfxGetApp());
  return pApp ? dynamic_cast<CDoc*>(pApp->GetActiveDocument()) : nullptr;
}
}  // namespace

CApplicationPreferencesSheetDlg::CApplicationPreferencesSheetDlg(LPCTSTR lpszCaption, CWnd* pParentWnd,
                                                                 UINT iSelectPage, CAppPrefs& prefs)
  : CRetainedPropertySheet(lpszCaption, pParentWnd, iSelectPage),
    m_pageUserInfo(prefs),
    m_pagePlanView(prefs),
    m_pageUnits(prefs),
    m_pageDefaultOptions(*prefs.GetAppDefaultOptionChoices()),
    m_prefs(prefs)
{
  AddPage(&m_pageUserInfo);
  AddPage(&m_pagePlanView);
  AddPage(&m_pageUnits);
}

CString CApplicationPreferencesSheetDlg::GetRetainedPageTitle() { return RetainedPageTitle(); }

void CApplicationPreferencesSheetDlg::SetRetainedPageTitle(const CString& title) { RetainedPageTitle() = title; }

BOOL CApplicationPreferencesSheetDlg::Apply()
{
  CPropertyPage* pActive = GetActivePage();
  if (pActive && !pActive->OnKillActive())
    return FALSE;
  for (int i = 0; i < GetPageCount(); ++i) {
    CPropertyPage* pPage = GetPage(i);
    if (pPage->GetSafeHwnd()) {
      pPage->OnOK();
      pPage->SetModified(FALSE);
    }
  }
  m_pageUserInfo.WriteTo(m_prefs);
  m_pagePlanView.WriteTo(m_prefs);
  if (CDoc* pDoc = ActiveProject())
    pDoc->UpdateAllViews(nullptr, kHintPlan);
  m_pageUnits.WriteTo(m_prefs);
  CancelToClose();
  return TRUE;
}

void CApplicationPreferencesSheetDlg::OnApplyNow() { Apply(); }

void CApplicationPreferencesSheetDlg::OnOK()
{
  if (Apply())
    CRetainedPropertySheet::OnOK();
}
