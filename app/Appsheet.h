#pragma once
// "Application Settings": the user information, the plan-view switches and the units of the
// application preferences. Apply and OK write all three pages into the preferences; the
// preferences reach the profile at exit.
#include "app/Apppages.h"
#include "app/Defoptdlg.h"
#include "ui/dlg/RetSheet.h"

class CAppPrefs;

class CApplicationPreferencesSheetDlg : public CRetainedPropertySheet
{
  DECLARE_DYNAMIC(CApplicationPreferencesSheetDlg)
public:
  CApplicationPreferencesSheetDlg(LPCTSTR lpszCaption, CWnd* pParentWnd, UINT iSelectPage, CAppPrefs& prefs);

  CString GetRetainedPageTitle() override;
  void SetRetainedPageTitle(const CString& title) override;
  // Writes the pages into the preferences; FALSE when the active page refuses to be left.
  BOOL Apply();

  CUserInfoDlg m_pageUserInfo;
  CPlanConfigDlg m_pagePlanView;
  CMiscInfoDlg m_pageUnits;
  // Built with the sheet but never added to it.
  CApplicationDefaultOptionChoicesDlg m_pageDefaultOptions;

protected:
  void OnApplyNow() override;
  void OnOK() override;

private:
  CAppPrefs& m_prefs;
};
