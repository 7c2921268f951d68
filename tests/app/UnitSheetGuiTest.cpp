// Drives the "Unit Properties" sheet through the real Workbench: opened by a double click on a
// unit, it waits for the user's first change to enable Apply, leaves the unit as it was when its
// pages are only looked through, changes the unit's size, option choices and position only on
// Apply and OK (a position typed a few thousandths from the one shown as typed), drops what was
// not applied on Cancel, refuses mistyped lengths without changing anything, shows and reads
// lengths in the user's units, reopens on the page last left, lists on a page shown again what
// the working unit offers as it now is, gives each unit family its own sizing page, and says so
// when a choice it lists is refused by the unit instead of dropping it.
// A new arch radius takes the custom arched sizes typed with it, or tells why it cannot.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <vector>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTabBar>
#include <QTest>

#include "WbGuiFixture.h"
#include "model/OddCatalogue.h"
#include "model/Stdarch.h"
#include "model/Stdunit.h"
#include "model/Unit.h"
#include "model/Unitutil.h"
#include "model/Varigon.h"
#include "ui/dlg/PropSheet.h"
#include "support/Unitscvt.h"
#include "units/standard/Ardl.h"
#include "workbench/sheets/Itempos.h"
#include "workbench/sheets/Unitdims.h"
#include "workbench/sheets/Unitopts.h"
#include "workbench/sheets/Unitsht.h"

namespace {
constexpr int kSizingPage = 0;
constexpr int kOptionsPage = 1;

class UnitSheetGuiTest : public WorkbenchGuiTest
{
protected:
  void SetUp() override
  {
    WorkbenchGuiTest::SetUp();
    StartProgram();
    View()->SetScaleFactor(1.0 / 24.0, TRUE);
    // Positions are checked as typed: nothing may snap or join.
    View()->SetAlignmentModes(1, 1);
    View()->SetAutoJoin(FALSE);
    Pump();
  }
  CUnitItem* Place(const char* type, const char* subtype, double x, double y)
  {
    const CRect client = View()->GetClientRect();
    CUnitItem* pItem = PlaceUnit(CommandFor(type, subtype), CPoint(client.Width() / 2, client.Height() / 2));
    if (pItem) {
      pItem->Offset(CVRX2DVector(x, y) - pItem->GetOffset());
      View()->UpdateAlignmentEntities(pItem);
    }
    return pItem;
  }
  CUnitItem* PlaceGlider(double x = 200.0, double y = 100.0) { return Place("GL", "BA005", x, y); }
  // A patio door placed at (200, 100) at the given size; its unit, null when none was placed.
  CStandardUnit* PlaceDoor(const char* size, CUnitItem*& pItem)
  {
    pItem = Place("PS", "BA016", 200.0, 100.0);
    auto* pDoor = pItem ? dynamic_cast<CStandardUnit*>(pItem->GetUnit()) : nullptr;
    if (pDoor)
      pDoor->SetSizeCode(size);
    return pDoor && pDoor->GetSizeCode() == size ? pDoor : nullptr;
  }
  static CPropertyPage& PositionPage(CUnitSheetDlg& sheet)
  {
    CPropertyPage* pPage = sheet.GetPage(sheet.GetPageCount() - 1);
    EXPECT_TRUE(sheet.SetActivePage(pPage));
    return *pPage;
  }
  static CPropertyPage& ActivePage(CUnitSheetDlg& sheet, int index)
  {
    EXPECT_TRUE(sheet.SetActivePage(index));
    return *sheet.GetActivePage();
  }
  static CString Length(int kind, double inches) { return CUnitsConverter().FormatLength(kind, inches); }
  static int LineOf(CPropertyPage& page, UINT nID, const CString& text)
  {
    return static_cast<CComboBox*>(page.GetDlgItem(static_cast<int>(nID)))->FindStringExact(-1, text);
  }
  static CString PageTitle(CPropertyPage* pPage)
  {
    CString title;
    if (pPage)
      pPage->GetWindowText(title);
    return title;
  }
  CString LastMessage() const { return Messages().empty() ? CString() : Messages().back(); }
  // Clicks a page's tab, as the user does; the page clicked is returned.
  static CPropertyPage& ClickTab(CUnitSheetDlg& sheet, int index)
  {
    auto* tabs = static_cast<QTabBar*>(sheet.GetTabControl()->m_hWnd);
    QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(index).center());
    Pump();
    EXPECT_EQ(sheet.GetActiveIndex(), index);
    return *sheet.GetActivePage();
  }
  // The item data of every line of a list, as it stands.
  static std::vector<int> ListData(CPropertyPage& page, UINT nID)
  {
    auto* pList = static_cast<CListBox*>(page.GetDlgItem(static_cast<int>(nID)));
    std::vector<int> data;
    for (int i = 0; i < pList->GetCount(); ++i)
      data.push_back(static_cast<int>(pList->GetItemData(i)));
    return data;
  }
  // The choices the option page lists for a category after a click on it; none when the page does
  // not list the category.
  static std::vector<int> ClickCategory(CPropertyPage& options, int category)
  {
    const std::vector<int> categories = ListData(options, IDC_UNIT_OPTION_LIST);
    const auto at = std::find(categories.begin(), categories.end(), category);
    if (at == categories.end())
      return {};
    auto* pList = static_cast<QListWidget*>(options.GetDlgItem(IDC_UNIT_OPTION_LIST)->m_hWnd);
    QListWidgetItem* pLine = pList->item(static_cast<int>(at - categories.begin()));
    pList->scrollToItem(pLine);
    QTest::mouseClick(pList->viewport(), Qt::LeftButton, Qt::NoModifier, pList->visualItemRect(pLine).center());
    Pump();
    return ListData(options, IDC_UNIT_CHOICE_LIST);
  }
  static bool Holds(const std::vector<int>& data, int value)
  {
    return std::find(data.begin(), data.end(), value) != data.end();
  }
};
}  // namespace

TEST_F(UnitSheetGuiTest, ADoubleClickOpensTheSheetAndApplyResizesTheUnitThatCancelThenKeeps)
{
  CUnitItem* pItem = PlaceGlider();
  ASSERT_NE(pItem, nullptr);
  CUnit* pUnit = pItem->GetUnit();
  const double height = pUnit->GetHeight();
  const double drawnHeight = pItem->GetHeight();
  ASSERT_DOUBLE_EQ(height, 23.5);
  const bool opened = DoubleClick(pItem, [&](CUnitSheetDlg& sheet) {
    CString caption;
    sheet.GetWindowText(caption);
    EXPECT_EQ(caption, "Unit Properties");
    ASSERT_EQ(sheet.GetPageCount(), 3) << "sizing, option choices and position";
    CPropertyPage& sizing = *sheet.GetActivePage();
    EXPECT_EQ(PageTitle(&sizing), "Sizing Info");
    EXPECT_EQ(PageTitle(sheet.GetPage(kOptionsPage)), "Option Choices");
    EXPECT_EQ(PageTitle(sheet.GetPage(2)), "Position");
    EXPECT_EQ(ControlText(sizing, IDC_UNIT_TYPE_TEXT),
              pUnit->GetTypeDescription() + " " + pUnit->GetSubtypeDescription());
    EXPECT_EQ(ControlText(sizing, IDC_UNIT_SIZE_CODE), "GL3020");
    EXPECT_EQ(ControlText(sizing, IDC_UNIT_HEIGHT), Length(0, 23.5));
    // The glider's one operation is shown selected and cannot be changed.
    auto* pOperation = static_cast<CComboBox*>(sizing.GetDlgItem(IDC_UNIT_OPERATION));
    EXPECT_EQ(pOperation->GetCount(), 1);
    EXPECT_EQ(pOperation->GetCurSel(), 0);
    EXPECT_FALSE(pOperation->IsWindowEnabled());
    EXPECT_TRUE(sizing.GetDlgItem(IDC_UNIT_HEIGHT)->IsWindowEnabled());
    EXPECT_FALSE(sizing.GetDlgItem(IDC_UNIT_ARCH_RADIUS)->IsWindowVisible()) << "arch controls are for arched units";

    SelectLine(sizing, IDC_UNIT_HEIGHT, LineOf(sizing, IDC_UNIT_HEIGHT, Length(0, 47.5)));
    // The page shows the working unit as the choice left it, at once.
    EXPECT_EQ(ControlText(sizing, IDC_UNIT_SIZE_CODE), "GL3040");
    EXPECT_EQ(ControlText(sizing, IDC_UNIT_RO_HEIGHT), Length(0, sheet.GetWorkingUnit()->GetOutlineHeight()));
    EXPECT_DOUBLE_EQ(pUnit->GetHeight(), 23.5) << "the item's unit waits for Apply";
    ClickButton(sheet, ID_APPLY_NOW);
    EXPECT_DOUBLE_EQ(pUnit->GetHeight(), 47.5);
    EXPECT_EQ(ControlText(sheet, IDCANCEL), "Close");
    ClickButton(sheet, IDCANCEL);
  });
  ASSERT_TRUE(opened);
  EXPECT_DOUBLE_EQ(pItem->GetUnit()->GetHeight(), 47.5) << "Cancel after Apply keeps what was applied";
  EXPECT_NEAR(pItem->GetHeight(), drawnHeight + 24.0, 1e-9) << "the item was rebuilt from its unit";
  EXPECT_EQ(pItem->GetOffset(), CVRX2DVector(200.0, 100.0));
  // The taller unit is drawn: its left side reaches above the old top.
  View()->Invalidate(TRUE);
  Pump();
  const CPoint side = View()->WorldToClient(CVRX2DPoint(200.0, 100.0 + drawnHeight + 12.0));
  EXPECT_EQ(View()->GetSurfacePixel(side.x, side.y), RGB(0, 0, 0));
}

TEST_F(UnitSheetGuiTest, OkTakesSizeAndOptionChoicesAndCancelDropsThem)
{
  CUnitItem* pItem = PlaceGlider();
  ASSERT_NE(pItem, nullptr);
  CUnit* pUnit = pItem->GetUnit();
  COptCatsRecArray categories;
  pUnit->GetOptionCategories(categories);
  ASSERT_GT(categories.GetSize(), 0);
  const int category = categories[0]->GetCategory();
  const int choice = pUnit->GetOptionChoice(category, 0);
  const CString attributes = pUnit->GetAttributes();
  // Cancel: the size and choice made on the pages go with the working copy.
  ASSERT_TRUE(DoubleClick(pItem, [&](CUnitSheetDlg& sheet) {
    CPropertyPage& sizing = *sheet.GetActivePage();
    SelectLine(sizing, IDC_UNIT_WIDTH, LineOf(sizing, IDC_UNIT_WIDTH, Length(0, 59.5)));
    CPropertyPage& options = ActivePage(sheet, kOptionsPage);
    SelectLine(options, IDC_UNIT_OPTION_LIST, 0);
    auto* pChoices = static_cast<CListBox*>(options.GetDlgItem(IDC_UNIT_CHOICE_LIST));
    SelectLine(options, IDC_UNIT_CHOICE_LIST, pChoices->GetCurSel() == 1 ? 2 : 1);
    EXPECT_TRUE(sheet.GetDlgItem(ID_APPLY_NOW)->IsWindowEnabled()) << "the pages are marked modified";
    ClickButton(sheet, IDCANCEL);
  }));
  EXPECT_EQ(pUnit->GetAttributes(), attributes);

  // OK: both are taken.
  int chosen = 0;
  ASSERT_TRUE(DoubleClick(pItem, [&](CUnitSheetDlg& sheet) {
    EXPECT_EQ(sheet.GetActiveIndex(), kOptionsPage) << "the sheet reopens on the page last left";
    CPropertyPage& options = *sheet.GetActivePage();
    auto* pOptions = static_cast<CListBox*>(options.GetDlgItem(IDC_UNIT_OPTION_LIST));
    EXPECT_EQ(static_cast<int>(pOptions->GetItemData(pOptions->GetCurSel())), category);
    auto* pChoices = static_cast<CListBox*>(options.GetDlgItem(IDC_UNIT_CHOICE_LIST));
    CString first;
    pChoices->GetText(0, first);
    EXPECT_EQ(first, "<Unspecified>");
    const int line = pChoices->GetCurSel() == 1 ? 2 : 1;
    chosen = static_cast<int>(pChoices->GetItemData(line));
    SelectLine(options, IDC_UNIT_CHOICE_LIST, line);
    CPropertyPage& sizing = ActivePage(sheet, kSizingPage);
    SelectLine(sizing, IDC_UNIT_WIDTH, LineOf(sizing, IDC_UNIT_WIDTH, Length(0, 59.5)));
    ClickButton(sheet, IDOK);
  }));
  EXPECT_NE(chosen, choice);
  EXPECT_EQ(pUnit->GetOptionChoice(category, 0), chosen);
  EXPECT_DOUBLE_EQ(pUnit->GetWidth(), 59.5);
  CVRX2DEntityArray outline;
  pItem->GetOutlineEntities(outline);
  EXPECT_NEAR(outline.GetExtents().GetMaxPoint().GetX() - outline.GetExtents().GetMinPoint().GetX(), 59.5, 1e-6)
      << "the item was rebuilt from its unit";

  // "<Unspecified>" clears the category's choice.
  ASSERT_TRUE(DoubleClick(pItem, [&](CUnitSheetDlg& sheet) {
    CPropertyPage& options = ActivePage(sheet, kOptionsPage);
    SelectLine(options, IDC_UNIT_OPTION_LIST, 0);
    SelectLine(options, IDC_UNIT_CHOICE_LIST, 0);
    ClickButton(sheet, IDOK);
  }));
  EXPECT_EQ(pUnit->GetOptionChoice(category, 0), 0);
}

TEST_F(UnitSheetGuiTest, ThePositionPageMovesTheUnitOnApplyAndOkAndNotOnCancel)
{
  CUnitItem* pItem = PlaceGlider();
  ASSERT_NE(pItem, nullptr);
  ASSERT_TRUE(DoubleClick(pItem, [&](CUnitSheetDlg& sheet) {
    CPropertyPage& page = PositionPage(sheet);
    EXPECT_EQ(ControlText(page, IDC_POSITION_ABS_X), Length(4, 200.0));
    EXPECT_EQ(ControlText(page, IDC_POSITION_ABS_Y), Length(4, 100.0));
    EXPECT_FALSE(page.GetDlgItem(IDC_POSITION_REL_X)->IsWindowEnabled());
    SetControlText(page, IDC_POSITION_ABS_X, Length(4, 300.0));
    SetControlText(page, IDC_POSITION_ABS_Y, Length(4, 150.0));
    ClickButton(sheet, ID_APPLY_NOW);
    EXPECT_EQ(pItem->GetOffset(), CVRX2DVector(300.0, 150.0));
    EXPECT_EQ(ControlText(sheet, IDCANCEL), "Close");
    ClickButton(sheet, IDCANCEL);
  }));
  EXPECT_EQ(pItem->GetOffset(), CVRX2DVector(300.0, 150.0));
  // Relative, with OK; applying the same offset twice moves once.
  ASSERT_TRUE(DoubleClick(pItem, [&](CUnitSheetDlg& sheet) {
    EXPECT_EQ(PageTitle(sheet.GetActivePage()), "Position");
    CPropertyPage& page = *sheet.GetActivePage();
    ClickButton(page, IDC_POSITION_RELATIVE);
    EXPECT_EQ(static_cast<CItemPositionPropertyPage&>(page).GetMode(), 1);
    EXPECT_EQ(ControlText(page, IDC_POSITION_ABS_X), "");
    SetControlText(page, IDC_POSITION_REL_X, Length(4, 12.0));
    SetControlText(page, IDC_POSITION_REL_Y, Length(4, -6.0));
    ClickButton(sheet, ID_APPLY_NOW);
    EXPECT_EQ(ControlText(page, IDC_POSITION_REL_X), Length(4, 0.0)) << "the offset is taken once";
    ClickButton(sheet, ID_APPLY_NOW);
    ClickButton(sheet, IDOK);
  }));
  EXPECT_NEAR(pItem->GetOffset().GetX(), 312.0, 1e-9);
  EXPECT_NEAR(pItem->GetOffset().GetY(), 144.0, 1e-9);
  // A typed position that was never applied goes with Cancel.
  ASSERT_TRUE(DoubleClick(pItem, [&](CUnitSheetDlg& sheet) {
    CPropertyPage& page = *sheet.GetActivePage();
    SetControlText(page, IDC_POSITION_ABS_X, Length(4, 500.0));
    ClickButton(sheet, IDCANCEL);
  }));
  EXPECT_NEAR(pItem->GetOffset().GetX(), 312.0, 1e-9);
  // A position typed a few thousandths from the one shown is a change, and taken as typed.
  CUnitItem* pNear = PlaceGlider();
  ASSERT_NE(pNear, nullptr);
  ASSERT_TRUE(DoubleClick(pNear, [&](CUnitSheetDlg& sheet) {
    CPropertyPage& page = PositionPage(sheet);
    ASSERT_EQ(ControlText(page, IDC_POSITION_ABS_X), Length(4, 200.0));
    SetControlText(page, IDC_POSITION_ABS_X, Length(4, 200.005));
    ClickButton(sheet, IDOK);
  }));
  EXPECT_NEAR(pNear->GetOffset().GetX(), 200.005, 1e-9)
      << Length(4, 200.005).c_str() << " typed where " << Length(4, 200.0).c_str() << " was shown";
  EXPECT_NEAR(pNear->GetOffset().GetY(), 100.0, 1e-9);
}

TEST_F(UnitSheetGuiTest, AMistypedLengthIsRefusedAndNothingChanges)
{
  CUnitItem* pItem = PlaceGlider();
  ASSERT_NE(pItem, nullptr);
  const CString attributes = pItem->GetUnit()->GetAttributes();
  ASSERT_TRUE(DoubleClick(pItem, [&](CUnitSheetDlg& sheet) {
    CPropertyPage& sizing = *sheet.GetActivePage();
    SelectLine(sizing, IDC_UNIT_HEIGHT, LineOf(sizing, IDC_UNIT_HEIGHT, Length(0, 59.5)));
    CPropertyPage& page = PositionPage(sheet);
    SetControlText(page, IDC_POSITION_ABS_X, "twelve");
    const size_t before = Messages().size();
    ClickButton(sheet, IDOK);
    EXPECT_TRUE(sheet.IsWindowVisible()) << "the sheet stays open";
    ASSERT_EQ(Messages().size(), before + 1);
    EXPECT_EQ(LastMessage(), "Please enter a valid measurement.");
    ClickButton(sheet, ID_APPLY_NOW);
    EXPECT_EQ(ControlText(sheet, IDCANCEL), "Cancel") << "Apply refused as well";
    EXPECT_FALSE(sheet.SetActivePage(kSizingPage)) << "the page cannot be left";
    // Out of the square, and past its edge in relative terms.
    SetControlText(page, IDC_POSITION_ABS_X, Length(4, 1441.0));
    ClickButton(sheet, IDOK);
    EXPECT_TRUE(LastMessage().Find("Please enter a measurement between") == 0) << LastMessage().c_str();
    ClickButton(sheet, IDCANCEL);
  }));
  EXPECT_EQ(pItem->GetUnit()->GetAttributes(), attributes);
  EXPECT_EQ(pItem->GetOffset(), CVRX2DVector(200.0, 100.0));
}

TEST_F(UnitSheetGuiTest, ThePositionPageRefusesPlacesOutsideTheSquareAndKeepsItsMode)
{
  CUnitItem* pItem = PlaceGlider();
  ASSERT_NE(pItem, nullptr);
  ASSERT_TRUE(DoubleClick(pItem, [&](CUnitSheetDlg& sheet) {
    CPropertyPage& page = PositionPage(sheet);
    // The square's edge passes the range check, but the unit would stick out of it.
    SetControlText(page, IDC_POSITION_ABS_X, Length(4, 1440.0));
    ClickButton(sheet, ID_APPLY_NOW);
    EXPECT_EQ(LastMessage(),
              "One or more of the new coordinates causes the item position to be invalid.  Please enter valid values.");
    EXPECT_EQ(pItem->GetOffset(), CVRX2DVector(200.0, 100.0));
    // No switch to relative while the absolute fields do not read.
    SetControlText(page, IDC_POSITION_ABS_X, "");
    ClickButton(page, IDC_POSITION_RELATIVE);
    EXPECT_EQ(static_cast<CItemPositionPropertyPage&>(page).GetMode(), 0);
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_POSITION_ABSOLUTE), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_POSITION_RELATIVE), static_cast<UINT>(BST_UNCHECKED));
    SetControlText(page, IDC_POSITION_ABS_X, Length(4, 200.0));
    ClickButton(page, IDC_POSITION_RELATIVE);
    ASSERT_EQ(static_cast<CItemPositionPropertyPage&>(page).GetMode(), 1);
    // An offset that would take the unit left of the square is out of range.
    SetControlText(page, IDC_POSITION_REL_X, Length(4, -201.0));
    ClickButton(sheet, IDOK);
    EXPECT_TRUE(LastMessage().Find("Please enter a measurement between") == 0) << LastMessage().c_str();
    EXPECT_TRUE(sheet.IsWindowVisible());
    ClickButton(sheet, IDCANCEL);
  }));
  EXPECT_EQ(pItem->GetOffset(), CVRX2DVector(200.0, 100.0));
}

TEST_F(UnitSheetGuiTest, AMillimetreUserSeesAndTypesMillimetres)
{
  ShellApp().GetAppPrefs().GetMiscPrefs()->SetMeasurementUnits(3);
  CUnitItem* pItem = PlaceGlider();
  ASSERT_NE(pItem, nullptr);
  ASSERT_TRUE(DoubleClick(pItem, [&](CUnitSheetDlg& sheet) {
    CPropertyPage& sizing = *sheet.GetActivePage();
    EXPECT_EQ(ControlText(sizing, IDC_UNIT_HEIGHT), Length(3, 23.5));
    EXPECT_GE(LineOf(sizing, IDC_UNIT_WIDTH, Length(3, 47.5)), 0);
    EXPECT_EQ(ControlText(sizing, IDC_UNIT_RO_WIDTH), Length(3, sheet.GetWorkingUnit()->GetOutlineWidth()));
    CPropertyPage& page = PositionPage(sheet);
    EXPECT_EQ(ControlText(page, IDC_POSITION_ABS_X), "5080") << "200 inches";
    SetControlText(page, IDC_POSITION_ABS_X, "2540");
    SetControlText(page, IDC_POSITION_ABS_Y, "1270");
    ClickButton(sheet, IDOK);
  }));
  EXPECT_NEAR(pItem->GetOffset().GetX(), 100.0, 1e-9);
  EXPECT_NEAR(pItem->GetOffset().GetY(), 50.0, 1e-9);
}

TEST_F(UnitSheetGuiTest, TheSheetReopensOnThePageLastLeftAlsoForAnotherUnit)
{
  CUnitItem* pFirst = PlaceGlider(100.0, 100.0);
  CUnitItem* pSecond = PlaceGlider(400.0, 100.0);
  ASSERT_TRUE(pFirst && pSecond);
  ASSERT_TRUE(DoubleClick(pFirst, [&](CUnitSheetDlg& sheet) {
    PositionPage(sheet);
    ClickButton(sheet, IDCANCEL);
  }));
  CString title;
  ASSERT_TRUE(DoubleClick(pSecond, [&](CUnitSheetDlg& sheet) {
    title = PageTitle(sheet.GetActivePage());
    EXPECT_EQ(ControlText(*sheet.GetActivePage(), IDC_POSITION_ABS_X), Length(4, 400.0));
    ClickButton(sheet, IDCANCEL);
  }));
  EXPECT_EQ(title, "Position");
}

TEST_F(UnitSheetGuiTest, AFreeFormUnitIsSizedByItsDimensionsAndRefusesInvalidOnes)
{
  CUnitItem* pItem = Place("VG", "RE010", 200.0, 100.0);
  ASSERT_NE(pItem, nullptr);
  auto* pUnit = dynamic_cast<CVarigonUnit*>(pItem->GetUnit());
  ASSERT_NE(pUnit, nullptr);
  CArray<double, double> values;
  pUnit->GetDimensionValues(values);
  ASSERT_GE(values.GetSize(), 2);
  const double width = pUnit->GetWidth();
  ASSERT_TRUE(DoubleClick(pItem, [&](CUnitSheetDlg& sheet) {
    EXPECT_EQ(sheet.GetPageCount(), 3) << "one anchor mode: no Workbench page";
    CPropertyPage& sizing = ActivePage(sheet, kSizingPage);
    EXPECT_EQ(ControlText(sizing, IDC_UNIT_DIM_LABEL_FIRST), "Width:");
    EXPECT_EQ(ControlText(sizing, IDC_UNIT_DIM_EDIT_FIRST), Length(4, values[0]));
    // An impossible width is refused even when the page is not the active one.
    SetControlText(sizing, IDC_UNIT_DIM_EDIT_FIRST, Length(4, 1.0));
    EXPECT_FALSE(sheet.SetActivePage(sheet.GetPageCount() - 1));
    EXPECT_EQ(sheet.GetActiveIndex(), kSizingPage) << "the page with the invalid width cannot be left";
    EXPECT_EQ(LastMessage(),
              CString("One or more of the new dimension sizes causes the unit to be invalid.  Please enter valid "
                      "values.\n\nWidth too small: the shortest side allowed is ") +
                  Length(0, pUnit->GetLimits().GetMinSide()) + ".");
    ClickButton(sheet, IDOK);
    EXPECT_TRUE(sheet.IsWindowVisible());
    SetControlText(sizing, IDC_UNIT_DIM_EDIT_FIRST, Length(4, width + 6.0));
    ClickButton(sheet, IDOK);
  }));
  EXPECT_NEAR(pUnit->GetWidth(), width + 6.0, 1e-9);
}

// Too large a free-form size and too short a custom arched leg are each told with the limit; the
// field that broke it is given back selected, as typed.
TEST_F(UnitSheetGuiTest, EveryRefusedDimensionNamesTheLimitItBroke)
{
  CUnitItem* pFree = Place("VG", "RE010", 200.0, 100.0);
  ASSERT_NE(pFree, nullptr);
  const double longest = dynamic_cast<CVarigonUnit*>(pFree->GetUnit())->GetLimits().GetMaxSide();
  ASSERT_TRUE(DoubleClick(pFree, [&](CUnitSheetDlg& sheet) {
    CPropertyPage& sizing = ActivePage(sheet, kSizingPage);
    SetControlText(sizing, IDC_UNIT_DIM_EDIT_FIRST, Length(4, longest + 1.0));
    ClickButton(sheet, IDOK);
    EXPECT_TRUE(sheet.IsWindowVisible());
    EXPECT_NE(LastMessage().Find("\n\nWidth too large: the longest side allowed is " + Length(0, longest) + "."), -1)
        << LastMessage().str();
    ClickButton(sheet, IDCANCEL);
  }));
  CUnitItem* pArched = Place("AR", "DL013", 500.0, 100.0);
  ASSERT_NE(pArched, nullptr);
  const double width = pArched->GetUnit()->GetWidth();
  ASSERT_TRUE(DoubleClick(pArched, [&](CUnitSheetDlg& sheet) {
    CPropertyPage& sizing = ActivePage(sheet, kSizingPage);
    const auto type = [&](int index, const CString& text) {
      auto* edit =
          qobject_cast<QLineEdit*>(sizing.GetDlgItem(static_cast<int>(IDC_UNIT_DIM_EDIT_FIRST) + index)->m_hWnd);
      QTest::mouseClick(edit, Qt::LeftButton);
      Pump();
      QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClicks(edit, text.c_str());
      return edit;
    };
    // A width the unit can have changed with a leg it cannot: the leg is the one given back.
    type(0, Length(4, std::round(width) + 2.0));
    QLineEdit* left = type(1, "99999'");
    ClickButton(sheet, ID_APPLY_NOW);
    EXPECT_NE(LastMessage().Find("\n\nLeg too long: "), -1) << LastMessage().str();
    EXPECT_EQ(QApplication::focusWidget(), left);
    EXPECT_EQ(left->text(), QString("99999'"));
    EXPECT_EQ(left->selectedText(), QString("99999'"));
    SetControlText(sizing, IDC_UNIT_DIM_EDIT_FIRST + 1, Length(4, 0.25));
    ClickButton(sheet, IDOK);
    EXPECT_TRUE(sheet.IsWindowVisible());
    EXPECT_EQ(LastMessage().Find("One or more of the new dimension sizes"), 0) << "the page's own text first";
    EXPECT_NE(LastMessage().Find(" allowed is "), -1) << LastMessage().str();
    ClickButton(sheet, IDCANCEL);
  }));
  EXPECT_EQ(pArched->GetUnit()->GetWidth(), width);
}

// A position to seven decimals with feet fits its field, as do the free-form dimensions.
TEST_F(UnitSheetGuiTest, LengthFieldsAreWideEnoughForTheirLengths)
{
  CUnitItem* pItem = Place("VG", "RE010", 1234.1234567, 100.0);
  ASSERT_NE(pItem, nullptr);
  const auto fits = [](CPropertyPage& page, UINT nID) {
    auto* pEdit = qobject_cast<QLineEdit*>(page.GetDlgItem(static_cast<int>(nID))->m_hWnd);
    EXPECT_NE(pEdit, nullptr);
    if (!pEdit)
      return;
    const int needed = pEdit->fontMetrics().horizontalAdvance(pEdit->text());
    EXPECT_FALSE(pEdit->text().isEmpty());
    EXPECT_LT(needed, pEdit->width() - 8) << pEdit->text().toStdString();
  };
  ASSERT_TRUE(DoubleClick(pItem, [&](CUnitSheetDlg& sheet) {
    CPropertyPage& position = PositionPage(sheet);
    EXPECT_EQ(ControlText(position, IDC_POSITION_ABS_X), Length(4, 1234.1234567));
    fits(position, IDC_POSITION_ABS_X);
    fits(position, IDC_POSITION_ABS_Y);
    CPropertyPage& sizing = ActivePage(sheet, kSizingPage);
    SetControlText(sizing, IDC_UNIT_DIM_EDIT_FIRST, "-100'-11.1234567\"");
    fits(sizing, IDC_UNIT_DIM_EDIT_FIRST);
    ClickButton(sheet, IDCANCEL);
  }));
}

// Every key the menu offers opens its sheet with every page shown once; a key whose sheet
// cannot be made would end the program here.
TEST_F(UnitSheetGuiTest, EveryOfferedUnitOpensItsSheetWithAllItsPages)
{
  int opened = 0;
  for (int i = 0; i < CUnitTypeMap::kKeyCount; ++i) {
    const CString key = CUnitTypeMap::GetKey(i);
    const UINT nID = CommandFor(key.Left(2).c_str(), key.Mid(2).c_str());
    EXPECT_EQ(nID != 0, CUnitTypeMap::GetClassName(i) != nullptr) << key.c_str() << " is offered only with a class";
    if (nID == 0)
      continue;
    CUnitItem* pItem = Place(key.Left(2).c_str(), key.Mid(2).c_str(), 200.0, 100.0);
    ASSERT_NE(pItem, nullptr) << key.c_str();
    const bool shown = DoubleClick(pItem, [&](CUnitSheetDlg& sheet) {
      ASSERT_GE(sheet.GetPageCount(), 3) << key.c_str();
      auto* pSizing = dynamic_cast<CUnitPageDlg*>(sheet.GetPage(kSizingPage));
      ASSERT_NE(pSizing, nullptr) << key.c_str();
      EXPECT_EQ(pSizing->GetUnit(), sheet.GetWorkingUnit());
      for (int page = 0; page < sheet.GetPageCount(); ++page) {
        EXPECT_FALSE(PageTitle(&ActivePage(sheet, page)).IsEmpty()) << key.c_str() << " page " << page;
        EXPECT_FALSE(sheet.GetDlgItem(ID_APPLY_NOW)->IsWindowEnabled())
            << key.c_str() << " page " << page << ": Apply waits for the user's first change";
      }
      EXPECT_EQ(PageTitle(sheet.GetPage(kOptionsPage)), "Option Choices");
      EXPECT_EQ(PageTitle(sheet.GetActivePage()), "Position");
      EXPECT_EQ(sheet.GetWorkingUnit()->GetAttributes(), pItem->GetUnit()->GetAttributes())
          << key.c_str() << ": pages looked through leave the unit as it was";
      ClickButton(sheet, IDCANCEL);
    });
    EXPECT_TRUE(shown) << key.c_str();
    opened += shown ? 1 : 0;
    Command(ID_DELETE_ITEM);
    ASSERT_EQ(View()->GetItemList()->GetCount(), 0) << key.c_str();
  }
  EXPECT_EQ(opened, 48);
}

TEST_F(UnitSheetGuiTest, AFreeFormUnitWithTwoAnchorModesGetsTheWorkbenchPage)
{
  CUnitItem* pItem = Place("VG", "DI010", 200.0, 100.0);
  ASSERT_NE(pItem, nullptr);
  auto* pUnit = dynamic_cast<CVarigonUnit*>(pItem->GetUnit());
  ASSERT_NE(pUnit, nullptr);
  ASSERT_EQ(pUnit->GetAnchorMode(), 0);
  ASSERT_TRUE(DoubleClick(pItem, [&](CUnitSheetDlg& sheet) {
    ASSERT_EQ(sheet.GetPageCount(), 4);
    CPropertyPage& workbench = ActivePage(sheet, 2);
    EXPECT_EQ(PageTitle(&workbench), "Workbench");
    auto* pModes = static_cast<CListBox*>(workbench.GetDlgItem(IDC_UNIT_ANCHOR_MODES));
    ASSERT_EQ(pModes->GetCount(), 2);
    EXPECT_EQ(pModes->GetCurSel(), 0);
    SelectLine(workbench, IDC_UNIT_ANCHOR_MODES, 1);
    EXPECT_EQ(pUnit->GetAnchorMode(), 0) << "the working copy changes, not the item's unit";
    ClickButton(sheet, IDOK);
  }));
  EXPECT_EQ(dynamic_cast<CVarigonUnit*>(pItem->GetUnit())->GetAnchorMode(), 1);
}

TEST_F(UnitSheetGuiTest, AStandardArchedUnitIsSizedByShoulderHeightAndRadiusToo)
{
  CUnitItem* pItem = Place("AR", "BA011", 200.0, 100.0);
  ASSERT_NE(pItem, nullptr);
  auto* pUnit = dynamic_cast<CStandardArchedUnit*>(pItem->GetUnit());
  ASSERT_NE(pUnit, nullptr);
  ASSERT_DOUBLE_EQ(pUnit->GetShoulderHeight(), 35.5);
  ASSERT_TRUE(DoubleClick(pItem, [&](CUnitSheetDlg& sheet) {
    CPropertyPage& sizing = ActivePage(sheet, kSizingPage);
    EXPECT_TRUE(sizing.GetDlgItem(IDC_UNIT_SHOULDER_HEIGHT)->IsWindowVisible());
    EXPECT_TRUE(sizing.GetDlgItem(IDC_UNIT_ARCH_RADIUS_LABEL)->IsWindowVisible());
    EXPECT_EQ(ControlText(sizing, IDC_UNIT_SHOULDER_HEIGHT), Length(0, 35.5));
    EXPECT_EQ(ControlText(sizing, IDC_UNIT_ARCH_RADIUS), Length(0, 17.75));
    EXPECT_GT(static_cast<CComboBox*>(sizing.GetDlgItem(IDC_UNIT_ARCH_RADIUS))->GetCount(), 1);
    EXPECT_TRUE(sizing.GetDlgItem(IDC_UNIT_ARCH_RADIUS)->IsWindowEnabled());
    SelectLine(sizing, IDC_UNIT_SHOULDER_HEIGHT, LineOf(sizing, IDC_UNIT_SHOULDER_HEIGHT, Length(0, 47.5)));
    EXPECT_EQ(ControlText(sizing, IDC_UNIT_SIZE_CODE), "AR3040R18") << "the size follows the shoulder height";
    EXPECT_EQ(ControlText(sizing, IDC_UNIT_HEIGHT), Length(0, 65.25));
    ClickButton(sheet, IDOK);
  }));
  EXPECT_DOUBLE_EQ(pUnit->GetShoulderHeight(), 47.5);
  EXPECT_EQ(pUnit->GetSizeCode(), "AR3040R18");
}

TEST_F(UnitSheetGuiTest, LockingEqualLegsShowsOneLegAndTheUnitTakesIt)
{
  CUnitItem* pItem = Place("AR", "DL013", 200.0, 100.0);
  ASSERT_NE(pItem, nullptr);
  auto* pUnit = dynamic_cast<CARDoubleLeg*>(pItem->GetUnit());
  ASSERT_NE(pUnit, nullptr);
  ASSERT_FALSE(pUnit->IsLocked());
  ASSERT_TRUE(DoubleClick(pItem, [&](CUnitSheetDlg& sheet) {
    CPropertyPage& sizing = ActivePage(sheet, kSizingPage);
    auto& page = static_cast<CCustomArchedDLUnitSizingPageDlg&>(sizing);
    EXPECT_TRUE(sizing.GetDlgItem(IDC_UNIT_LOCK_EQUAL_LEGS)->IsWindowVisible());
    EXPECT_EQ(page.GetDimensionCount(), 3);
    EXPECT_EQ(ControlText(sizing, IDC_UNIT_DIM_LABEL_FIRST + 2), "Right:");
    EXPECT_EQ(ControlText(sizing, IDC_UNIT_ARCH_RADIUS), Length(0, pUnit->GetBase()));
    ClickButton(sizing, IDC_UNIT_LOCK_EQUAL_LEGS);
    EXPECT_EQ(page.GetDimensionCount(), 2);
    EXPECT_EQ(ControlText(sizing, IDC_UNIT_DIM_LABEL_FIRST + 1), "Left/Right:");
    EXPECT_FALSE(sizing.GetDlgItem(IDC_UNIT_DIM_EDIT_FIRST + 2)->IsWindowVisible());
    EXPECT_FALSE(pUnit->IsLocked()) << "the working copy is locked, not the item's unit";
    ClickButton(sheet, IDOK);
  }));
  EXPECT_TRUE(dynamic_cast<CARDoubleLeg*>(pItem->GetUnit())->IsLocked());
}

// The sizes typed on the custom arched page but not applied go with an arch radius chosen after
// them; a typed value the page refuses is told as Apply tells it, and nothing is lost.
TEST_F(UnitSheetGuiTest, ACustomArchedRadiusChosenAfterTypedSizesTakesThem)
{
  CUnitItem* pItem = Place("AR", "DL013", 200.0, 100.0);
  ASSERT_NE(pItem, nullptr);
  auto* pUnit = dynamic_cast<CARDoubleLeg*>(pItem->GetUnit());
  ASSERT_NE(pUnit, nullptr);
  CArray<double, double> bases;
  pUnit->GetBaseList(bases);
  ASSERT_GT(bases.GetSize(), 1);
  const double base = pUnit->GetBase();
  double unused = 0.0;
  int locked = 0;
  CArray<double, double> values;
  pUnit->GetDimensionValues(unused, locked, values);
  ASSERT_EQ(values.GetSize(), 3);
  const double width = std::round(values[0]) + 2.0;
  const double right = std::round(values[2]) + 1.0;
  const CString attributes = pUnit->GetAttributes();
  double chosen = 0.0;
  // Types into a field as the user does: a click, the old text selected and typed over.
  auto type = [](CPropertyPage& page, int index, const CString& text) {
    auto* edit = qobject_cast<QLineEdit*>(page.GetDlgItem(static_cast<int>(IDC_UNIT_DIM_EDIT_FIRST) + index)->m_hWnd);
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text.c_str());
  };
  ASSERT_TRUE(DoubleClick(pItem, [&](CUnitSheetDlg& sheet) {
    CPropertyPage& sizing = ActivePage(sheet, kSizingPage);
    auto* radius = qobject_cast<QComboBox*>(sizing.GetDlgItem(IDC_UNIT_ARCH_RADIUS)->m_hWnd);
    ASSERT_NE(radius, nullptr);
    const int line = radius->currentIndex();
    const int next = line + 1 < radius->count() ? line + 1 : line - 1;
    chosen = bases[next];
    const Qt::Key key = next > line ? Qt::Key_Down : Qt::Key_Up;
    // A mistyped leg: the radius is not taken, the message is Apply's, the text stays to be mended.
    type(sizing, 0, Length(4, width));
    type(sizing, 2, "tall");
    const size_t before = Messages().size();
    QTest::keyClick(radius, key);
    Pump();
    ASSERT_EQ(Messages().size(), before + 1);
    EXPECT_EQ(LastMessage(), "Please enter a valid measurement.");
    EXPECT_EQ(radius->currentIndex(), line) << "the radius the unit still has";
    EXPECT_EQ(ControlText(sizing, IDC_UNIT_DIM_EDIT_FIRST + 2), "tall");
    EXPECT_EQ(ControlText(sizing, IDC_UNIT_DIM_EDIT_FIRST), Length(4, width));
    EXPECT_EQ(pUnit->GetAttributes(), attributes) << "the item's unit is untouched";
    // A leg the unit cannot have: the page's refusal, naming the limit, as on Apply.
    type(sizing, 2, Length(4, 0.25));
    QTest::keyClick(radius, key);
    Pump();
    ASSERT_EQ(Messages().size(), before + 2);
    EXPECT_EQ(LastMessage().Find("One or more of the new dimension sizes"), 0) << LastMessage().str();
    EXPECT_NE(LastMessage().Find(" allowed is "), -1) << LastMessage().str();
    EXPECT_EQ(radius->currentIndex(), line);
    EXPECT_EQ(ControlText(sizing, IDC_UNIT_DIM_EDIT_FIRST + 2), Length(4, 0.25));
    // Mended, the typed sizes go with the radius chosen.
    type(sizing, 2, Length(4, right));
    QTest::keyClick(radius, key);
    Pump();
    EXPECT_EQ(Messages().size(), before + 2) << LastMessage().str();
    EXPECT_EQ(radius->currentIndex(), next);
    EXPECT_EQ(ControlText(sizing, IDC_UNIT_DIM_EDIT_FIRST), Length(4, width));
    EXPECT_EQ(ControlText(sizing, IDC_UNIT_DIM_EDIT_FIRST + 2), Length(4, right));
    ClickButton(sheet, IDOK);
  }));
  auto* pSized = dynamic_cast<CARDoubleLeg*>(pItem->GetUnit());
  ASSERT_NE(pSized, nullptr);
  EXPECT_DOUBLE_EQ(pSized->GetBase(), chosen);
  EXPECT_NE(chosen, base);
  pSized->GetDimensionValues(unused, locked, values);
  EXPECT_NEAR(values[0], width, 1e-9);
  EXPECT_NEAR(values[2], right, 1e-9);
}

// A hardware choice the patio door offers at its size is taken on OK and kept, not silently
// replaced by the choice before it; the sheet offers it only at the sizes that sell it.
TEST_F(UnitSheetGuiTest, AnOfferedDoorHardwareIsTakenOnOkAndOfferedOnlyWhereSold)
{
  constexpr int kHardware = 3;
  constexpr int kMultipoint = 5;
  CUnitItem* pItem = nullptr;
  CStandardUnit* pDoor = PlaceDoor("PS5080", pItem);
  ASSERT_NE(pDoor, nullptr);
  auto offersMultipoint = [&](CPropertyPage& options) {
    auto* pOptions = static_cast<CListBox*>(options.GetDlgItem(IDC_UNIT_OPTION_LIST));
    for (int i = 0; i < pOptions->GetCount(); ++i)
      if (static_cast<int>(pOptions->GetItemData(i)) == kHardware)
        SelectLine(options, IDC_UNIT_OPTION_LIST, i);
    auto* pChoices = static_cast<CListBox*>(options.GetDlgItem(IDC_UNIT_CHOICE_LIST));
    for (int i = 0; i < pChoices->GetCount(); ++i)
      if (static_cast<int>(pChoices->GetItemData(i)) == kMultipoint)
        return i;
    return -1;
  };
  ASSERT_TRUE(DoubleClick(pItem, [&](CUnitSheetDlg& sheet) {
    EXPECT_EQ(offersMultipoint(ActivePage(sheet, kOptionsPage)), -1) << "not sold at this size";
    ClickButton(sheet, IDCANCEL);
  }));
  pDoor->SetSizeCode("PS6080");
  ASSERT_TRUE(DoubleClick(pItem, [&](CUnitSheetDlg& sheet) {
    CPropertyPage& options = ActivePage(sheet, kOptionsPage);
    const int line = offersMultipoint(options);
    ASSERT_GT(line, 0);
    SelectLine(options, IDC_UNIT_CHOICE_LIST, line);
    ClickButton(sheet, IDOK);
  }));
  EXPECT_TRUE(Messages().empty()) << LastMessage().str();
  EXPECT_EQ(pDoor->GetOptionChoice(kHardware, 0), kMultipoint);
  EXPECT_EQ(pDoor->GetOptionChoice(kHardware, 1), kMultipoint) << "and it is among the offered ones";
}

namespace {
// A catalogue whose exception offers the glider a hardware choice its type does not take.
class RefusedChoiceSheetTest : public UnitSheetGuiTest
{
protected:
  void SetUp() override
  {
    m_odd.AddRow("OPTEXCPT", {"90", "GL", "BA005", "", "", "0", "0", "+", "3", "5", "0"});
    m_odd.Use();
    const char* config = std::getenv("XDG_CONFIG_HOME");
    ASSERT_NE(config, nullptr);
    std::ofstream profile(std::string(config) + "/Tarvex Windows/Panecraft.ini");
    profile << "[Misc]\nSplashScreenTime=0\nProductDatabaseDir=" << m_odd.GetFolder() << "\n";
    profile.close();
    UnitSheetGuiTest::SetUp();
  }
  COddCatalogue m_odd;
};
}  // namespace

// The refused choice is told by name, the list shows the choice kept, and the unit keeps it.
TEST_F(RefusedChoiceSheetTest, ARefusedChoiceIsToldAndTheChoiceKeptIsShown)
{
  constexpr int kHardware = 3;
  CUnitItem* pItem = PlaceGlider();
  ASSERT_NE(pItem, nullptr);
  CUnit* pUnit = pItem->GetUnit();
  ASSERT_TRUE(pUnit->SetOptionChoice(kHardware, 2));
  int kept = -1;
  ASSERT_TRUE(DoubleClick(pItem, [&](CUnitSheetDlg& sheet) {
    CPropertyPage& options = ActivePage(sheet, kOptionsPage);
    auto* pOptions = static_cast<CListBox*>(options.GetDlgItem(IDC_UNIT_OPTION_LIST));
    for (int i = 0; i < pOptions->GetCount(); ++i)
      if (static_cast<int>(pOptions->GetItemData(i)) == kHardware)
        SelectLine(options, IDC_UNIT_OPTION_LIST, i);
    auto* pChoices = static_cast<CListBox*>(options.GetDlgItem(IDC_UNIT_CHOICE_LIST));
    int refused = -1;
    for (int i = 0; i < pChoices->GetCount(); ++i)
      if (static_cast<int>(pChoices->GetItemData(i)) == 5)
        refused = i;
    ASSERT_GT(refused, 0) << "the exception offers it";
    SelectLine(options, IDC_UNIT_CHOICE_LIST, refused);
    kept = static_cast<int>(pChoices->GetItemData(pChoices->GetCurSel()));
    ClickButton(sheet, IDOK);
  }));
  ASSERT_FALSE(Messages().empty()) << "the refusal is told";
  EXPECT_NE(LastMessage().Find("Multipoint Lock, Satin Nickel"), -1) << LastMessage().str();
  EXPECT_EQ(kept, 2) << "the list shows the choice that stays";
  EXPECT_EQ(pUnit->GetOptionChoice(kHardware, 0), 2);
}

// The option page lists what the working unit offers as it now is: a size applied on the sizing
// page, or an operation chosen there and not yet applied, changes the lists the page shows when
// it is shown again in the same sheet.
TEST_F(UnitSheetGuiTest, TheOptionListsFollowASizeAppliedAndAnOperationChosenInTheSameSheet)
{
  constexpr int kHardware = 3;
  constexpr int kScreen = 4;
  constexpr int kMultipoint = 5;
  CUnitItem* pItem = nullptr;
  CStandardUnit* pDoor = PlaceDoor("PS6068", pItem);
  ASSERT_NE(pDoor, nullptr);
  ASSERT_TRUE(DoubleClick(pItem, [&](CUnitSheetDlg& sheet) {
    CPropertyPage& options = ClickTab(sheet, kOptionsPage);
    const std::vector<int> before = ClickCategory(options, kHardware);
    EXPECT_TRUE(Holds(before, 1));
    EXPECT_FALSE(Holds(before, kMultipoint)) << "not sold at this size";

    CPropertyPage& sizing = ClickTab(sheet, kSizingPage);
    SelectLine(sizing, IDC_UNIT_SIZE_CODE, LineOf(sizing, IDC_UNIT_SIZE_CODE, "PS6080"));
    ClickButton(sheet, ID_APPLY_NOW);
    EXPECT_EQ(pDoor->GetSizeCode(), "PS6080");
    ClickTab(sheet, kOptionsPage);
    EXPECT_TRUE(Holds(ListData(options, IDC_UNIT_CHOICE_LIST), kMultipoint))
        << "the hardware list shown again is the new size's";
    EXPECT_TRUE(Holds(ClickCategory(options, kHardware), kMultipoint));

    // A fixed door has neither hardware nor screen.
    ClickTab(sheet, kSizingPage);
    SelectLine(sizing, IDC_UNIT_SIZE_CODE, LineOf(sizing, IDC_UNIT_SIZE_CODE, "PS3080"));
    SelectLine(sizing, IDC_UNIT_OPERATION, LineOf(sizing, IDC_UNIT_OPERATION, "Fixed"));
    ClickTab(sheet, kOptionsPage);
    const std::vector<int> categories = ListData(options, IDC_UNIT_OPTION_LIST);
    EXPECT_FALSE(Holds(categories, kHardware));
    EXPECT_FALSE(Holds(categories, kScreen));
    EXPECT_TRUE(Holds(categories, 1)) << "the glazing stays";
    ClickButton(sheet, IDCANCEL);
  }));
  EXPECT_EQ(pDoor->GetSizeCode(), "PS6080") << "what was applied stays, what was not goes";
}
