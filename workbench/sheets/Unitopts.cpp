#include "workbench/sheets/Unitopts.h"

#include "model/Unit.h"
#include "model/Varigon.h"
#include "ui/dlg/Ctrls.h"
#include "project/DocServices.h"
#include "productdb/Optcats.h"
#include "productdb/Optchoic.h"
#include "support/ComExcpt.h"
#include "support/Exceptn.h"
#include "support/Trace.h"

IMPLEMENT_DYNAMIC(CUnitOptionChoicesDlg, CUnitPageDlg)
IMPLEMENT_DYNCREATE(CUnitWorkbenchPage, CPropertyPage)

namespace {
constexpr const char* kModule = "Unitopts";
constexpr int kNoUnitLine = 131;
constexpr int kNotVarigonLine = 136;

CListBox& List(CWnd& page, UINT nID) { return *static_cast<CListBox*>(page.GetDlgItem(static_cast<int>(nID))); }

int SelectedData(const CListBox& list)
{
  const int line = list.GetCurSel();
  return line == LB_ERR ? -1 : static_cast<int>(list.GetItemData(line));
}
}  // namespace

BEGIN_MESSAGE_MAP(CUnitOptionChoicesDlg, CUnitPageDlg)
  ON_LBN_SELCHANGE(IDC_UNIT_OPTION_LIST, OnSelChangeOption)
  ON_LBN_SELCHANGE(IDC_UNIT_CHOICE_LIST, OnSelChangeChoice)
END_MESSAGE_MAP()

CUnitOptionChoicesDlg::CUnitOptionChoicesDlg(CUnit* pUnit) : CUnitPageDlg(IDD_UNIT_OPTION_CHOICES, pUnit) {}

BOOL CUnitOptionChoicesDlg::OnInitDialog()
{
  m_nCategory = -1;
  return CUnitPageDlg::OnInitDialog();
}

void CUnitOptionChoicesDlg::LoadControls()
{
  CListBox& options = List(*this, IDC_UNIT_OPTION_LIST);
  options.ResetContent();
  COptCatsRecArray categories;
  m_pUnit->GetOptionCategories(categories);
  int selection = 0;
  for (int i = 0; i < categories.GetSize(); ++i) {
    const int line = options.AddString(categories[i]->GetName());
    options.SetItemData(line, static_cast<std::uintptr_t>(categories[i]->GetCategory()));
    if (categories[i]->GetCategory() == m_nCategory)
      selection = line;
  }
  if (options.GetCount() > 0)
    options.SetCurSel(selection);
  LoadChoices();
}

void CUnitOptionChoicesDlg::LoadChoices()
{
  CListBox& choices = List(*this, IDC_UNIT_CHOICE_LIST);
  choices.ResetContent();
  const CListBox& options = List(*this, IDC_UNIT_OPTION_LIST);
  if (options.GetCount() == 0) {
    m_nCategory = 0;
    m_nChoiceIndex = 0;
    return;
  }
  m_nCategory = SelectedData(options);
  choices.SetItemData(choices.AddString("<Unspecified>"), 0);
  COptChoicRecArray offered;
  m_pUnit->GetOptionChoicesOfCategory(m_nCategory, offered);
  const int current = m_pUnit->GetOptionChoice(m_nCategory, 0);
  int selection = 0;
  for (int i = 0; i < offered.GetSize(); ++i) {
    const int line = choices.AddString(offered[i]->GetDescription());
    choices.SetItemData(line, static_cast<std::uintptr_t>(offered[i]->GetChoice()));
    if (offered[i]->GetChoice() == current)
      selection = line;
  }
  choices.SetCurSel(selection);
  m_nChoiceIndex = selection;
}

void CUnitOptionChoicesDlg::OnSelChangeOption() { LoadChoices(); }

void CUnitOptionChoicesDlg::OnSelChangeChoice()
{
  const CListBox& choices = List(*this, IDC_UNIT_CHOICE_LIST);
  const int line = choices.GetCurSel();
  if (line == LB_ERR || line == m_nChoiceIndex)
    return;
  m_nChoiceIndex = line;
  try {
    if (m_pUnit->SetOptionChoice(m_nCategory, static_cast<int>(choices.GetItemData(line)))) {
      LoadControls();
    } else {
      // The catalogue offers the choice but the unit's type does not take it: say so and show
      // the choice that stays, rather than keep the refused one selected.
      CString text;
      choices.GetText(line, text);
      MessageBox("\"" + text + "\" cannot be chosen for this unit; the previous choice is kept.",
                 GetDocServices().GetProductName(), MB_OK | MB_ICONEXCLAMATION);
      LoadChoices();
      return;
    }
  } catch (const CAppFatalException&) {
    throw;
  } catch (const CCommonException& e) {
    PCTRACE(TT_UNIT, TL_WARNING)("Option choice refused: %s\n", e.GetErrorMessage().c_str());
    ReportUnitException();
  }
  SetModified(TRUE);
}

BEGIN_MESSAGE_MAP(CUnitWorkbenchPage, CPropertyPage)
  ON_LBN_SELCHANGE(IDC_UNIT_ANCHOR_MODES, OnSelChangeAnchorMode)
END_MESSAGE_MAP()

CUnitWorkbenchPage::CUnitWorkbenchPage() : CPropertyPage(IDD_UNIT_WORKBENCH)
{
  throw CAppFatalException(kModule, kNoUnitLine);
}

CUnitWorkbenchPage::CUnitWorkbenchPage(CUnit* pUnit)
  : CPropertyPage(IDD_UNIT_WORKBENCH), m_pUnit(dynamic_cast<CVarigonUnit*>(pUnit))
{
  if (!m_pUnit)
    throw CAppFatalException(kModule, kNotVarigonLine);
}

BOOL CUnitWorkbenchPage::OnInitDialog()
{
  CPropertyPage::OnInitDialog();
  CListBox& modes = List(*this, IDC_UNIT_ANCHOR_MODES);
  CStringArray names;
  m_pUnit->GetAnchorModeNames(names);
  for (int i = 0; i < names.GetSize(); ++i)
    modes.SetItemData(modes.AddString(names[i]), static_cast<std::uintptr_t>(i));
  for (int line = 0; line < modes.GetCount(); ++line)
    if (static_cast<int>(modes.GetItemData(line)) == m_pUnit->GetAnchorMode())
      modes.SetCurSel(line);
  return TRUE;
}

void CUnitWorkbenchPage::OnSelChangeAnchorMode()
{
  const int mode = SelectedData(List(*this, IDC_UNIT_ANCHOR_MODES));
  if (mode < 0)
    return;
  m_pUnit->SetAnchorMode(mode);
  SetModified(TRUE);
}
