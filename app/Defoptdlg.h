#pragma once
// The option-choices page: a three-list picker of unit type, option and option choice over a
// working copy of the default option choices by unit type. The project's variant edits the
// active project's defaults; the application's variant starts from the application defaults.
#include "ui/dlg/Ctrls.h"
#include "ui/dlg/PropSheet.h"
#include "productdb/Optchoic.h"
#include "project/Optbytyp.h"

class CDoc;
class CAppDefaultOptionChoices;

class CDefaultOptionChoicesDlg : public CPropertyPage
{
  DECLARE_DYNAMIC(CDefaultOptionChoicesDlg)
  DECLARE_MESSAGE_MAP()
public:
  CDefaultOptionChoicesDlg();
  // Writes the working choices to where they came from; nothing here.
  virtual void WriteBack() {}

  COptionChoicesByTypeArray& GetWorkingChoices() { return m_workingChoices; }

protected:
  // Fills the working choices before the lists are filled; nothing here.
  virtual void LoadWorkingChoices() {}

  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnUnitTypeChanged();
  void OnOptionChanged();
  void OnChoiceChanged();

  CListBox m_lbUnitTypes;
  CListBox m_lbChoices;
  CListBox m_lbOptions;
  COptionChoicesByTypeArray m_workingChoices;
  COptCatsRecArray m_optionCategories;
  COptChoicRecArray m_choiceRecords;
  int m_nLastChoice = -1;

private:
  void FillOptionList();
  void FillChoiceList();
  CCurrentOptionChoicesByType* GetSelectedType() const;
  // The selected option's category record; null when no option is selected.
  COptCatsRec* GetSelectedCategory() const;
};

class CProjectDefaultOptionChoicesDlg : public CDefaultOptionChoicesDlg
{
  DECLARE_DYNAMIC(CProjectDefaultOptionChoicesDlg)
public:
  explicit CProjectDefaultOptionChoicesDlg(CDoc* pDoc);
  // Replaces the project's option choices by type with the working copy.
  void WriteBack() override;

protected:
  void LoadWorkingChoices() override;

private:
  CDoc* m_pDoc;
};

class CApplicationDefaultOptionChoicesDlg : public CDefaultOptionChoicesDlg
{
  DECLARE_DYNAMIC(CApplicationDefaultOptionChoicesDlg)
public:
  explicit CApplicationDefaultOptionChoicesDlg(CAppDefaultOptionChoices& defaults);

protected:
  // Every unit type starts from the application's choice of each category.
  void LoadWorkingChoices() override;

private:
  CAppDefaultOptionChoices& m_defaults;
};
