#include "app/Defoptdlg.h"

#include "app/Defopts.h"
#include "app/Dlgids.h"
#include "document/Doc.h"
#include "ui/dlg/DataExch.h"

IMPLEMENT_DYNAMIC(CDefaultOptionChoicesDlg, CPropertyPage)
IMPLEMENT_DYNAMIC(CProjectDefaultOptionChoicesDlg, CDefaultOptionChoicesDlg)
IMPLEMENT_DYNAMIC(CApplicationDefaultOptionChoicesDlg, CDefaultOptionChoicesDlg)

namespace {
const char kUnspecified[] = "<Unspecified>";

int SelectedData(const CListBox& box)
{
  int line = box.GetCurSel();
  return line == LB_ERR ? -1 : static_cast<int>(box.GetItemData(line));
}
}  // namespace

BEGIN_MESSAGE_MAP(CDefaultOptionChoicesDlg, CPropertyPage)
  ON_LBN_SELCHANGE(IDC_UNIT_TYPE_LIST, OnUnitTypeChanged)
  ON_LBN_SELCHANGE(IDC_OPTION_LIST, OnOptionChanged)
  ON_LBN_SELCHANGE(IDC_CHOICE_LIST, OnChoiceChanged)
END_MESSAGE_MAP()

CDefaultOptionChoicesDlg::CDefaultOptionChoicesDlg() : CPropertyPage(IDD_OPTION_CHOICES_PAGE) {}

void CDefaultOptionChoicesDlg::DoDataExchange(CDataExchange* pDX)
{
  CPropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_UNIT_TYPE_LIST, m_lbUnitTypes);
  DDX_Control(pDX, IDC_CHOICE_LIST, m_lbChoices);
  DDX_Control(pDX, IDC_OPTION_LIST, m_lbOptions);
}

BOOL CDefaultOptionChoicesDlg::OnInitDialog()
{
  LoadWorkingChoices();
  CPropertyPage::OnInitDialog();
  for (int i = 0; i < m_workingChoices.GetSize(); ++i) {
    int line = m_lbUnitTypes.AddString(m_workingChoices[i]->GetDescription());
    m_lbUnitTypes.SetItemData(line, static_cast<std::uintptr_t>(i));
  }
  m_lbUnitTypes.SetCurSel(0);
  FillOptionList();
  return TRUE;
}

CCurrentOptionChoicesByType* CDefaultOptionChoicesDlg::GetSelectedType() const
{
  int index = SelectedData(m_lbUnitTypes);
  return index < 0 || index >= m_workingChoices.GetSize() ? nullptr : m_workingChoices[index];
}

COptCatsRec* CDefaultOptionChoicesDlg::GetSelectedCategory() const
{
  int index = SelectedData(m_lbOptions);
  return index < 0 || index >= m_optionCategories.GetSize() ? nullptr : m_optionCategories[index];
}

void CDefaultOptionChoicesDlg::FillOptionList()
{
  CWaitCursor wait;
  m_optionCategories.RemoveAll();
  m_lbOptions.ResetContent();
  if (CCurrentOptionChoicesByType* pType = GetSelectedType())
    pType->GetCategories(m_optionCategories);
  for (int i = 0; i < m_optionCategories.GetSize(); ++i) {
    int line = m_lbOptions.AddString(m_optionCategories[i]->GetName());
    m_lbOptions.SetItemData(line, static_cast<std::uintptr_t>(i));
  }
  m_lbOptions.SetCurSel(0);
  FillChoiceList();
}

void CDefaultOptionChoicesDlg::FillChoiceList()
{
  CWaitCursor wait;
  m_choiceRecords.RemoveAll();
  m_lbChoices.ResetContent();
  m_nLastChoice = -1;
  CCurrentOptionChoicesByType* pType = GetSelectedType();
  COptCatsRec* pCategory = GetSelectedCategory();
  if (!pType || !pCategory)
    return;
  m_lbChoices.AddString(kUnspecified);
  int category = pCategory->GetCategory();
  pType->GetCategoryChoices(category, m_choiceRecords);
  int current = pType->GetChoice(category);
  int selection = 0;
  for (int i = 0; i < m_choiceRecords.GetSize(); ++i) {
    int line = m_lbChoices.AddString(m_choiceRecords[i]->GetDescription());
    m_lbChoices.SetItemData(line, static_cast<std::uintptr_t>(i));
    if (m_choiceRecords[i]->GetChoice() == current)
      selection = line;
  }
  m_lbChoices.SetCurSel(selection);
  m_nLastChoice = selection;
}

void CDefaultOptionChoicesDlg::OnUnitTypeChanged() { FillOptionList(); }

void CDefaultOptionChoicesDlg::OnOptionChanged() { FillChoiceList(); }

void CDefaultOptionChoicesDlg::OnChoiceChanged()
{
  int line = m_lbChoices.GetCurSel();
  CCurrentOptionChoicesByType* pType = GetSelectedType();
  COptCatsRec* pCategory = GetSelectedCategory();
  if (line == LB_ERR || line == m_nLastChoice || !pType || !pCategory)
    return;
  int choice = 0;
  if (line != 0)
    choice = m_choiceRecords[static_cast<int>(m_lbChoices.GetItemData(line))]->GetChoice();
  pType->SetChoice(pCategory->GetCategory(), choice);
  m_nLastChoice = line;
  SetModified(TRUE);
}

CProjectDefaultOptionChoicesDlg::CProjectDefaultOptionChoicesDlg(CDoc* pDoc) : m_pDoc(pDoc) {}

void CProjectDefaultOptionChoicesDlg::LoadWorkingChoices()
{
  m_workingChoices = m_pDoc->GetProjectPrefs().GetOptionsPrefs().GetChoicesArray();
}

void CProjectDefaultOptionChoicesDlg::WriteBack()
{
  m_pDoc->GetProjectPrefs().GetOptionsPrefs().GetChoicesArray() = m_workingChoices;
}

CApplicationDefaultOptionChoicesDlg::CApplicationDefaultOptionChoicesDlg(CAppDefaultOptionChoices& defaults)
  : m_defaults(defaults)
{}

void CApplicationDefaultOptionChoicesDlg::LoadWorkingChoices()
{
  const CCurrentOptionChoices& choices = *m_defaults.GetOptionChoices();
  for (int i = 0; i < m_workingChoices.GetSize(); ++i)
    m_workingChoices[i]->GetChoices() = choices;
}
