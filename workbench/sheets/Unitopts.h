#pragma once
// The "Option Choices" page of the unit sheet, on which the user picks one choice of each option
// category of the working unit, and the free-form units' "Workbench" page, which picks the
// anchor mode that decides what stays in place while a sizing handle is dragged.
#include "workbench/sheets/Unitpage.h"

class CVarigonUnit;

enum : UINT
{
  IDC_UNIT_OPTION_LIST = 1906,
  IDC_UNIT_CHOICE_LIST = 1907,
  IDC_UNIT_ANCHOR_MODES = 2501
};

class CUnitOptionChoicesDlg : public CUnitPageDlg
{
  DECLARE_DYNAMIC(CUnitOptionChoicesDlg)
  DECLARE_MESSAGE_MAP()
public:
  explicit CUnitOptionChoicesDlg(CUnit* pUnit);

  BOOL OnInitDialog() override;

protected:
  void LoadControls() override;
  void LoadChoices();
  void OnSelChangeOption();
  void OnSelChangeChoice();

  int m_nCategory = -1;
  int m_nChoiceIndex = 0;
};

class CUnitWorkbenchPage : public CPropertyPage
{
  DECLARE_DYNCREATE(CUnitWorkbenchPage)
  DECLARE_MESSAGE_MAP()
public:
  // Only the dynamic-creation record uses it; a page without a unit is an internal error.
  CUnitWorkbenchPage();
  explicit CUnitWorkbenchPage(CUnit* pUnit);

  BOOL OnInitDialog() override;

protected:
  void OnSelChangeAnchorMode();

  CVarigonUnit* m_pUnit = nullptr;
};
