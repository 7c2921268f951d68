#include "app/Appsheet.h"

#include "app/App.h"
#include "app/Appprefs.h"
#include "document/Dochints.h"
#include "ui/docview/Doc.h"
#include "ui/docview/DocTempl.h"
#include "ui/wnd/WinApp.h"

IMPLEMENT_DYNAMIC(CApplicationPreferencesSheetDlg, CRetainedPropertySheet)

namespace {
// The page last shown, for every opening of the sheet while the program runs.
CString& RetainedPageTitle()
{
  static CString title;
  return title;
}

// The plan settings and the units are read by the views of every open project, drawn or hidden
// (the print scales a hidden view offers when shown again follow the units too).
void TellOpenProjects()
{
  auto* pApp = dynamic_cast<CApp*>(AfxGetApp());
  CDocTemplate* pTemplate = pApp ? pApp->GetWarehouseTemplate() : nullptr;
  for (POSITION pos = pTemplate ? pTemplate->GetFirstDocPosition() : nullptr; pos;)
    pTemplate->GetNextDoc(pos)->UpdateAllViews(nullptr, kHintPlan);
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
  m_pageUnits.WriteTo(m_prefs);
  // Told only once the units are written: each view reads them again when told.
  TellOpenProjects();
  CancelToClose();
  return TRUE;
}

void CApplicationPreferencesSheetDlg::OnApplyNow() { Apply(); }

void CApplicationPreferencesSheetDlg::OnOK()
{
  if (Apply())
    CRetainedPropertySheet::OnOK();
}
