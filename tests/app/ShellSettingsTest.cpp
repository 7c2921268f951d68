// The application and project settings sheets write the preferences and the project's default
// option choices on Apply Now and OK only, Cancel keeps what was applied, and each sheet reopens
// on the page it was left on; the application's tells the views of every open project once the
// preferences, the units among them, are written.
#include "ShellTestApp.h"
#include "app/App.h"
#include "app/Appsheet.h"
#include "app/Dlgids.h"
#include "app/Mainfrm.h"
#include "app/Prjsheet.h"
#include "app/Shellids.h"
#include "document/Doc.h"
#include "document/Whids.h"
#include "ui/dlg/Ctrls.h"
#include "ui/docview/View.h"

namespace {
class SettingsTest : public ShellTest
{
protected:
  void SetUp() override
  {
    ShellTest::SetUp();
    ASSERT_TRUE(Start());
    m_prefs = &ShellApp().GetAppPrefs();
  }

  // Runs "Application Settings" with the action on its live sheet.
  void RunApplicationSheet(std::function<void(CApplicationPreferencesSheetDlg&)> action)
  {
    OnNextDialog([action](CDialog& dialog) { action(dynamic_cast<CApplicationPreferencesSheetDlg&>(dialog)); });
    Command(ID_APPLICATION_SETTINGS);
  }

  void RunProjectSheet(std::function<void(CProjectPreferencesSheetDlg&)> action)
  {
    OnNextDialog([action](CDialog& dialog) { action(dynamic_cast<CProjectPreferencesSheetDlg&>(dialog)); });
    Command(ID_PROJECT_SETTINGS);
  }

  CAppPrefs* m_prefs = nullptr;
};

// Records the hints its document sends, with the measurement units a view reads when told.
class CHintSpy : public CView
{
public:
  explicit CHintSpy(CAppPrefs& prefs) : m_prefs(prefs) {}
  void OnDraw(CDC*) override {}
  void OnUpdate(CView*, LPARAM lHint, CObject*) override
  {
    hints.push_back(static_cast<int>(lHint));
    units.push_back(m_prefs.GetMiscPrefs()->GetMeasurementUnits());
  }
  std::vector<int> hints;
  std::vector<int> units;

private:
  CAppPrefs& m_prefs;
};

CString SelectedText(CWnd& page, int nID)
{
  auto* pCombo = dynamic_cast<CComboBox*>(page.GetDlgItem(nID));
  CString text;
  if (pCombo && pCombo->GetCurSel() >= 0)
    pCombo->GetLBText(pCombo->GetCurSel(), text);
  return text;
}

int LineOf(CWnd& page, int nID, const char* text)
{
  if (auto* pCombo = dynamic_cast<CComboBox*>(page.GetDlgItem(nID)))
    return pCombo->FindStringExact(-1, text);
  return dynamic_cast<CListBox*>(page.GetDlgItem(nID))->FindStringExact(-1, text);
}
}  // namespace

TEST_F(SettingsTest, OkWithoutChangesWritesBackTheSameValues)
{
  m_prefs->GetUserLicenseInfo()->SetCompany("Northwind Glass");
  m_prefs->GetMiscPrefs()->SetMeasurementUnits(3);
  m_prefs->GetMiscPrefs()->SetDXFTranslationUnit(1);
  RunApplicationSheet([](CApplicationPreferencesSheetDlg& sheet) {
    sheet.SetActivePage(1);
    sheet.SetActivePage(2);
    ClickButton(sheet, IDOK);
  });
  EXPECT_EQ(m_prefs->GetUserLicenseInfo()->GetCompany(), "Northwind Glass");
  EXPECT_EQ(m_prefs->GetPlanSectionViewConfig()->GetGlassLines(), 2);
  EXPECT_EQ(m_prefs->GetPlanSectionViewConfig()->GetFrameOn(), 1);
  EXPECT_EQ(m_prefs->GetMiscPrefs()->GetMeasurementUnits(), 3);
  EXPECT_EQ(m_prefs->GetMiscPrefs()->GetDXFTranslationUnit(), 1);
}

TEST_F(SettingsTest, ApplyStoresOneGlassLineAndCancelThenReadsCloseAndKeepsIt)
{
  RunApplicationSheet([](CApplicationPreferencesSheetDlg& sheet) {
    sheet.SetActivePage(1);
    CPropertyPage* pPage = sheet.GetActivePage();
    ClickButton(*pPage, IDC_ONE_GLASS_LINE);
    EXPECT_TRUE(pPage->IsModified());
    ClickButton(sheet, ID_APPLY_NOW);
    EXPECT_EQ(ControlText(sheet, IDCANCEL), "Close");
    ClickButton(sheet, IDCANCEL);
  });
  EXPECT_EQ(m_prefs->GetPlanSectionViewConfig()->GetGlassLines(), 1);
}

// The views read the plan settings and the units when told: every open project's views are told,
// once both are written.
TEST_F(SettingsTest, ApplyingTellsEveryOpenProjectsViewsOnceTheUnitsAreWritten)
{
  CDoc* pFirst = ActiveProject();
  Command(ID_FILE_NEW);
  CDoc* pSecond = ActiveProject();
  ASSERT_NE(pSecond, pFirst);
  CHintSpy firstSpy(*m_prefs);
  CHintSpy secondSpy(*m_prefs);
  pFirst->AddView(&firstSpy);
  pSecond->AddView(&secondSpy);
  RunApplicationSheet([](CApplicationPreferencesSheetDlg& sheet) {
    sheet.SetActivePage(1);
    ClickButton(*sheet.GetActivePage(), IDC_SHOW_SILL_LINES);
    sheet.SetActivePage(2);
    CPropertyPage& page = *sheet.GetActivePage();
    SelectLine(page, IDC_MEASUREMENT_UNITS, LineOf(page, IDC_MEASUREMENT_UNITS, "Metric Millimeters"));
    ClickButton(sheet, IDOK);
  });
  pFirst->RemoveView(&firstSpy);
  pSecond->RemoveView(&secondSpy);
  for (const CHintSpy* pSpy : {&firstSpy, &secondSpy}) {
    EXPECT_EQ(pSpy->hints, std::vector<int>{1});
    EXPECT_EQ(pSpy->units, std::vector<int>{3}) << "told after the units were written";
  }
  EXPECT_EQ(m_prefs->GetPlanSectionViewConfig()->GetSillLinesOn(), 0);
}

TEST_F(SettingsTest, OpeningTheSheetLeavesApplyNowDisabled)
{
  RunApplicationSheet([](CApplicationPreferencesSheetDlg& sheet) {
    EXPECT_FALSE(sheet.GetActivePage()->IsModified());
    EXPECT_FALSE(sheet.GetDlgItem(ID_APPLY_NOW)->IsWindowEnabled());
    ClickButton(sheet, IDCANCEL);
  });
}

TEST_F(SettingsTest, CancelWithoutApplyLeavesThePreferences)
{
  m_prefs->GetUserLicenseInfo()->SetContact("J. Ortiz");
  RunApplicationSheet([](CApplicationPreferencesSheetDlg& sheet) {
    SetControlText(*sheet.GetActivePage(), IDC_USER_CONTACT, "Somebody Else");
    ClickButton(sheet, IDCANCEL);
  });
  EXPECT_EQ(m_prefs->GetUserLicenseInfo()->GetContact(), "J. Ortiz");
  RunApplicationSheet([](CApplicationPreferencesSheetDlg& sheet) {
    SetControlText(*sheet.GetActivePage(), IDC_USER_CONTACT, "A. Brandt");
    SetControlText(*sheet.GetActivePage(), IDC_USER_ZIP_CODE, "55401");
    ClickButton(sheet, IDOK);
  });
  EXPECT_EQ(m_prefs->GetUserLicenseInfo()->GetContact(), "A. Brandt");
  EXPECT_EQ(m_prefs->GetUserLicenseInfo()->GetZipCode(), "55401");
}

TEST_F(SettingsTest, UncheckingShowFramesDisablesItsTwoSwitchesAtOnce)
{
  RunApplicationSheet([](CApplicationPreferencesSheetDlg& sheet) {
    sheet.SetActivePage(1);
    CPropertyPage& page = *sheet.GetActivePage();
    EXPECT_TRUE(page.GetDlgItem(IDC_SHOW_FULL_FRAME)->IsWindowEnabled());
    ClickButton(page, IDC_SHOW_FRAMES);
    EXPECT_FALSE(page.GetDlgItem(IDC_SHOW_FULL_FRAME)->IsWindowEnabled());
    EXPECT_FALSE(page.GetDlgItem(IDC_SHOW_FRAME_LINES)->IsWindowEnabled());
    EXPECT_TRUE(page.GetDlgItem(IDC_SHOW_SILL_LINES)->IsWindowEnabled());
    ClickButton(sheet, IDOK);
  });
  EXPECT_EQ(m_prefs->GetPlanSectionViewConfig()->GetFrameOn(), 0);
}

TEST_F(SettingsTest, MetricUnitsProposeMillimetresForDxfAndTheUserMayChooseAnother)
{
  RunApplicationSheet([](CApplicationPreferencesSheetDlg& sheet) {
    sheet.SetActivePage(2);
    CPropertyPage& page = *sheet.GetActivePage();
    EXPECT_EQ(SelectedText(page, IDC_MEASUREMENT_UNITS), "Feet And Inches");
    EXPECT_EQ(SelectedText(page, IDC_DXF_UNITS), "One Inch");
    SelectLine(page, IDC_MEASUREMENT_UNITS, LineOf(page, IDC_MEASUREMENT_UNITS, "Metric Millimeters"));
    EXPECT_EQ(SelectedText(page, IDC_DXF_UNITS), "One Millimeter");
    ClickButton(sheet, ID_APPLY_NOW);
    SelectLine(page, IDC_DXF_UNITS, LineOf(page, IDC_DXF_UNITS, "One Meter"));
    ClickButton(sheet, IDOK);
  });
  EXPECT_EQ(m_prefs->GetMiscPrefs()->GetMeasurementUnits(), 3);
  EXPECT_EQ(m_prefs->GetMiscPrefs()->GetDXFTranslationUnit(), 4);
}

TEST_F(SettingsTest, AUnitsPageNeverShownChangesNothing)
{
  m_prefs->GetMiscPrefs()->SetMeasurementUnits(3);
  m_prefs->GetMiscPrefs()->SetDXFTranslationUnit(2);
  RunApplicationSheet([](CApplicationPreferencesSheetDlg& sheet) {
    SetControlText(*sheet.GetActivePage(), IDC_USER_CITY, "Duluth");
    ClickButton(sheet, IDOK);
  });
  EXPECT_EQ(m_prefs->GetUserLicenseInfo()->GetCity(), "Duluth");
  EXPECT_EQ(m_prefs->GetMiscPrefs()->GetMeasurementUnits(), 3);
  EXPECT_EQ(m_prefs->GetMiscPrefs()->GetDXFTranslationUnit(), 2);
}

TEST_F(SettingsTest, TheApplicationSheetReopensOnThePageItWasLeftOn)
{
  RunApplicationSheet([](CApplicationPreferencesSheetDlg& sheet) {
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_EQ(sheet.GetPageCount(), 3) << "the option-choices page is built but not shown";
    sheet.SetActivePage(2);
    ClickButton(sheet, IDCANCEL);
  });
  RunApplicationSheet([](CApplicationPreferencesSheetDlg& sheet) {
    EXPECT_EQ(sheet.GetActiveIndex(), 2);
    ClickButton(sheet, IDCANCEL);
  });
}

TEST_F(SettingsTest, ProjectSettingsEditTheProjectsDefaultOptionChoicesOnOk)
{
  CDoc* pDoc = ActiveProject();
  ASSERT_NE(pDoc, nullptr);
  CString unitType;
  int category = 0;
  int choice = 0;
  RunProjectSheet([&](CProjectPreferencesSheetDlg& sheet) {
    CPropertyPage& page = *sheet.GetActivePage();
    auto* pTypes = dynamic_cast<CListBox*>(page.GetDlgItem(IDC_UNIT_TYPE_LIST));
    auto* pOptions = dynamic_cast<CListBox*>(page.GetDlgItem(IDC_OPTION_LIST));
    auto* pChoices = dynamic_cast<CListBox*>(page.GetDlgItem(IDC_CHOICE_LIST));
    ASSERT_GT(pTypes->GetCount(), 0);
    EXPECT_EQ(pTypes->GetCurSel(), 0);
    ASSERT_GT(pOptions->GetCount(), 1);
    CString first;
    CString second;
    pOptions->GetText(0, first);
    pOptions->GetText(1, second);
    EXPECT_LT(first.Compare(second), 0) << "options are in alphabetical order";
    CString unspecified;
    pChoices->GetText(pChoices->GetCurSel(), unspecified);
    EXPECT_EQ(unspecified, "<Unspecified>");
    ASSERT_GT(pChoices->GetCount(), 1);

    COptionChoicesByTypeArray& working = sheet.m_pageOptionChoices.GetWorkingChoices();
    CCurrentOptionChoicesByType* pType = working[static_cast<int>(pTypes->GetItemData(0))];
    unitType = pType->GetUnitType();
    COptCatsRecArray categories;
    pType->GetCategories(categories);
    for (int i = 0; i < categories.GetSize(); ++i)
      if (categories[i]->GetName() == first)
        category = categories[i]->GetCategory();
    COptChoicRecArray choices;
    pType->GetCategoryChoices(category, choices);
    choice = choices[0]->GetChoice();

    SelectLine(page, IDC_CHOICE_LIST, 1);
    EXPECT_TRUE(page.IsModified());
    ClickButton(sheet, IDOK);
  });
  ASSERT_NE(category, 0);
  EXPECT_EQ(pDoc->GetProjectPrefs().GetOptionsPrefs().GetChoicesByType(unitType).GetChoice(category), choice);
}

TEST_F(SettingsTest, ProjectSettingsCancelKeepsOnlyWhatWasApplied)
{
  CDoc* pDoc = ActiveProject();
  COptionChoicesByTypeArray& choices = pDoc->GetProjectPrefs().GetOptionsPrefs().GetChoicesArray();
  CString unitType = choices[0]->GetUnitType();
  auto chosenCount = [&] { return pDoc->GetProjectPrefs().GetOptionsPrefs().GetChoicesByType(unitType).GetSize(); };
  RunProjectSheet([](CProjectPreferencesSheetDlg& sheet) {
    SelectLine(*sheet.GetActivePage(), IDC_CHOICE_LIST, 1);
    ClickButton(sheet, IDCANCEL);
  });
  EXPECT_EQ(chosenCount(), 0);
  RunProjectSheet([](CProjectPreferencesSheetDlg& sheet) {
    CPropertyPage& page = *sheet.GetActivePage();
    SelectLine(page, IDC_CHOICE_LIST, 1);
    ClickButton(sheet, ID_APPLY_NOW);
    EXPECT_FALSE(page.IsModified());
    EXPECT_EQ(ControlText(sheet, IDCANCEL), "Close");
    SelectLine(page, IDC_CHOICE_LIST, 1);
    EXPECT_FALSE(page.IsModified()) << "choosing the chosen line again changes nothing";
    SelectLine(page, IDC_CHOICE_LIST, 0);
    ClickButton(sheet, IDCANCEL);
  });
  EXPECT_EQ(chosenCount(), 1) << "applied, and the later <Unspecified> was cancelled";
}
