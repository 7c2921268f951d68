// Guards the print-scale dialogs, driven by mouse clicks through the scripted dialog service:
// they open on the view's scale, hand back the clicked row's scale, open on "Scale to Fit" for a
// scale their list does not hold, refuse scales that cannot be printed, and never read outside
// the lists.
#include <QAbstractButton>
#include <QComboBox>
#include <QListWidget>
#include <QPrinter>
#include <QTest>

#include <string>
#include <tuple>
#include <vector>

#include "ui/TestApp.h"
#include "views/Prtscale.h"

namespace {

class PrintScaleTest : public UiTest
{
protected:
  void SetUp() override
  {
    UiTest::SetUp();
    RegisterPrintScaleResources();
  }

  static QListWidget* ListOf(CDialog& dialog)
  {
    CWnd* pControl = dialog.GetDlgItem(IDC_PRINT_SCALE_LIST);
    return pControl ? qobject_cast<QListWidget*>(pControl->GetSafeHwnd()) : nullptr;
  }

  static std::vector<std::string> Texts(CDialog& dialog)
  {
    std::vector<std::string> texts;
    QListWidget* list = ListOf(dialog);
    for (int row = 0; list && row < list->count(); ++row)
      texts.push_back(list->item(row)->text().toStdString());
    return texts;
  }

  // The row the list shows selected; -1 for none.
  static int SelectedRow(CDialog& dialog)
  {
    QListWidget* list = ListOf(dialog);
    const QList<QListWidgetItem*> selected = list ? list->selectedItems() : QList<QListWidgetItem*>();
    return selected.isEmpty() ? -1 : list->row(selected.first());
  }

  static void ClickRow(CDialog& dialog, int row)
  {
    QListWidget* list = ListOf(dialog);
    ASSERT_NE(list, nullptr);
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
  }

  static void Press(CDialog& dialog, UINT id)
  {
    CWnd* pControl = dialog.GetDlgItem(static_cast<int>(id));
    ASSERT_NE(pControl, nullptr);
    auto* button = qobject_cast<QAbstractButton*>(pControl->GetSafeHwnd());
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
  }

  static void UseTemplate(CAspectPrintDlg& dialog, UINT id)
  {
    dialog.m_pd.Flags |= PD_ENABLEPRINTTEMPLATE;
    dialog.m_pd.nPrintTemplateId = id;
  }
};

const std::vector<std::string> kDrawingImperialTexts = {"Scale to Fit",   "1/16\" = 1' 0\"", "1/8\" = 1' 0\"",
                                                        "1/4\" = 1' 0\"", "1/2\" = 1' 0\"",  "3/4\" = 1' 0\""};

}  // namespace

TEST_F(PrintScaleTest, TheScaleChosenInTheScaleDialogIsTheRowThePrintDialogOpensOn)
{
  CPrintScaleDlg scale(kDrawingImperialScales, -1, -1);
  service.dialogActions.push_back([](CDialog& dialog) {
    EXPECT_EQ(Texts(dialog), kDrawingImperialTexts);
    EXPECT_EQ(SelectedRow(dialog), 0) << "a view without a chosen scale fits to the page";
    ClickRow(dialog, 3);
    Press(dialog, IDOK);
  });
  ASSERT_EQ(scale.DoModal(), IDOK);
  int numerator = 0;
  int denominator = 0;
  scale.GetScale(numerator, denominator);
  EXPECT_EQ(numerator, 1);
  EXPECT_EQ(denominator, 48);

  CAspectPrintDlg print(kDrawingImperialScales, FALSE, PD_USEDEVMODECOPIES | PD_NOSELECTION, nullptr, numerator,
                        denominator);
  UseTemplate(print, IDD_ASPECT_PRINT);
  // "Setup..." opens the page set-up of File > Print Setup on the printer, not another print dialog.
  QPrinter* printer = TestApp().GetPrinter();
  printer->setPageOrientation(QPageLayout::Portrait);
  service.pageSetups.push_back({IDOK, [](QPrinter& p) { p.setPageOrientation(QPageLayout::Landscape); }});
  service.dialogActions.push_back([this, printer](CDialog& dialog) {
    EXPECT_EQ(SelectedRow(dialog), 3);
    EXPECT_TRUE(dialog.GetDlgItem(1024)->IsWindowVisible()) << "printing offers the printer set-up";
    Press(dialog, 1024);
    EXPECT_EQ(service.pageSetupsShown, 1);
    EXPECT_EQ(service.printDialogsShown, 0);
    EXPECT_EQ(printer->pageLayout().orientation(), QPageLayout::Landscape);
    ClickRow(dialog, 5);
    Press(dialog, IDOK);
  });
  ASSERT_EQ(print.DoModal(), IDOK);
  printer->setPageOrientation(QPageLayout::Portrait);
  print.GetScale(numerator, denominator);
  EXPECT_EQ(numerator, 3) << "fractions are kept unreduced";
  EXPECT_EQ(denominator, 48);
}

TEST_F(PrintScaleTest, TheMetricDetailListAndThePreviewTemplateShowOnlyTheScales)
{
  const int list = PrintScaleListFor(TRUE, 3);
  EXPECT_EQ(list, kDetailMetricScales);
  EXPECT_EQ(PrintScaleListFor(FALSE, 3), kDrawingMetricScales);
  EXPECT_EQ(PrintScaleListFor(TRUE, 0), kDetailImperialScales);
  EXPECT_EQ(PrintScaleListFor(FALSE, 0), kDrawingImperialScales);
  CAspectPrintDlg preview(list, FALSE, PD_USEDEVMODECOPIES | PD_NOSELECTION, nullptr, 1, 10);
  UseTemplate(preview, IDD_PRINT_SCALE);
  service.dialogActions.push_back([](CDialog& dialog) {
    EXPECT_EQ(Texts(dialog), (std::vector<std::string>{"Scale to Fit", "1:1", "1:5", "1:10", "1:20"}));
    EXPECT_EQ(SelectedRow(dialog), 3);
    for (UINT id : {IDC_PRINT_SCALE_LIST, static_cast<UINT>(IDOK), static_cast<UINT>(IDCANCEL), 1038u})
      EXPECT_TRUE(dialog.GetDlgItem(static_cast<int>(id))->IsWindowVisible()) << id;
    for (UINT id : {1024u, 1040u, 1041u, 1093u, 1136u, 1154u, 1072u, 1152u})
      EXPECT_FALSE(dialog.GetDlgItem(static_cast<int>(id))->IsWindowVisible()) << id;
    Press(dialog, IDCANCEL);
  });
  EXPECT_EQ(preview.DoModal(), IDCANCEL);
}

// A scale the list does not hold (chosen before the units changed, either way) gives way to
// "Scale to Fit": both dialogs show it selected, and OK hands it back.
TEST_F(PrintScaleTest, AScaleTheListDoesNotHoldGivesWayToScaleToFitSelected)
{
  for (const auto& [list, numerator, denominator] :
       {std::tuple{kDrawingMetricScales, 1, 48}, {kDrawingImperialScales, 1, 50}}) {
    SCOPED_TRACE(testing::Message() << "list " << list << ", " << numerator << "/" << denominator);
    const auto expectFitSelectedAndPressOK = [](CDialog& dialog) {
      EXPECT_EQ(SelectedRow(dialog), 0) << "the dialog shows Scale to Fit selected";
      Press(dialog, IDOK);
    };
    CPrintScaleDlg scale(list, numerator, denominator);
    service.dialogActions.push_back(expectFitSelectedAndPressOK);
    ASSERT_EQ(scale.DoModal(), IDOK);
    int chosenNumerator = 0;
    int chosenDenominator = 0;
    scale.GetScale(chosenNumerator, chosenDenominator);
    EXPECT_EQ(chosenNumerator, -1) << "the scale dialog hands back a scale its list does not show";
    EXPECT_EQ(chosenDenominator, -1);

    CAspectPrintDlg print(list, FALSE, PD_USEDEVMODECOPIES | PD_NOSELECTION, nullptr, numerator, denominator);
    UseTemplate(print, IDD_ASPECT_PRINT);
    service.dialogActions.push_back(expectFitSelectedAndPressOK);
    ASSERT_EQ(print.DoModal(), IDOK);
    print.GetScale(chosenNumerator, chosenDenominator);
    EXPECT_EQ(chosenNumerator, -1) << "the print dialog prints at a scale its list does not show";
    EXPECT_EQ(chosenDenominator, -1);
  }
}

TEST_F(PrintScaleTest, AScaleThatCannotBePrintedOpensAsScaleToFit)
{
  for (const auto& [numerator, denominator] : {std::pair{0, 96}, {-5, 10}, {3, 0}, {-1, 12}}) {
    CPrintScaleDlg scale(kDrawingImperialScales, numerator, denominator);
    service.dialogActions.push_back([](CDialog& dialog) {
      EXPECT_EQ(SelectedRow(dialog), 0);
      Press(dialog, IDOK);
    });
    ASSERT_EQ(scale.DoModal(), IDOK);
    int chosenNumerator = 0;
    int chosenDenominator = 0;
    scale.GetScale(chosenNumerator, chosenDenominator);
    EXPECT_EQ(chosenNumerator, -1) << numerator << "/" << denominator;
    EXPECT_EQ(chosenDenominator, -1);
  }
  EXPECT_FALSE(IsValidPrintScale(0, 1));
  EXPECT_TRUE(IsValidPrintScale(-1, -1));
  EXPECT_TRUE(IsValidPrintScale(3, 48));
}

TEST_F(PrintScaleTest, AListNumberOutsideTheTableOffersNoRowAndKeepsTheScale)
{
  EXPECT_EQ(GetPrintScaleRowCount(4), 0);
  EXPECT_EQ(GetPrintScaleRowCount(-1), 0);
  EXPECT_EQ(GetPrintScaleRow(1, 6), nullptr);
  EXPECT_EQ(GetPrintScaleRow(1, -1), nullptr);
  EXPECT_EQ(FindPrintScaleRow(9, -1, -1), -1);
  CPrintScaleDlg scale(9, 1, 96);
  service.dialogActions.push_back([](CDialog& dialog) {
    EXPECT_TRUE(Texts(dialog).empty());
    Press(dialog, IDOK);
  });
  ASSERT_EQ(scale.DoModal(), IDOK);
  int numerator = 0;
  int denominator = 0;
  scale.GetScale(numerator, denominator);
  EXPECT_EQ(numerator, 1);
  EXPECT_EQ(denominator, 96);
}

TEST_F(PrintScaleTest, CancelLeavesTheScaleAsItWas)
{
  CPrintScaleDlg scale(kDetailImperialScales, 1, 12);
  service.dialogActions.push_back([](CDialog& dialog) {
    EXPECT_EQ(SelectedRow(dialog), 3);
    ClickRow(dialog, 1);
    Press(dialog, IDCANCEL);
  });
  EXPECT_EQ(scale.DoModal(), IDCANCEL);
  int numerator = 0;
  int denominator = 0;
  scale.GetScale(numerator, denominator);
  EXPECT_EQ(numerator, 1);
  EXPECT_EQ(denominator, 12);
}

// The print dialog's quality list shows the printer's resolutions and hands the chosen one to the
// printer; "Print to File" ticked sends the pages to a file.
TEST_F(PrintScaleTest, TheQualityListShowsThePrintersResolutionsAndPrintToFileIsKept)
{
  QPrinter* printer = TestApp().GetPrinter();
  const int working = printer->resolution();
  const QList<int> resolutions = QualityResolutions(*printer);
  if (!printer->supportedResolutions().isEmpty()) {
    EXPECT_TRUE(resolutions.contains(working)) << "the resolution it prints at is offered";
  }
  CAspectPrintDlg print(kDrawingImperialScales, FALSE, PD_USEDEVMODECOPIES | PD_NOSELECTION, nullptr, -1, -1);
  UseTemplate(print, IDD_ASPECT_PRINT);
  service.dialogActions.push_back([&](CDialog& dialog) {
    auto* combo = qobject_cast<QComboBox*>(dialog.GetDlgItem(ID_PRINT_QUALITY_LIST)->GetSafeHwnd());
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), resolutions.size());
    EXPECT_EQ(combo->isVisible(), !resolutions.isEmpty());
    for (int i = 0; i < combo->count(); ++i)
      EXPECT_EQ(combo->itemText(i), QString("%1 dpi").arg(resolutions[i]));
    if (!resolutions.isEmpty()) {
      EXPECT_EQ(combo->currentText(), QString("%1 dpi").arg(working)) << "the list opens on the working resolution";
      combo->setCurrentIndex(0);
    }
    auto* toFile = qobject_cast<QAbstractButton*>(dialog.GetDlgItem(ID_PRINT_TO_FILE_BOX)->GetSafeHwnd());
    ASSERT_NE(toFile, nullptr);
    QTest::mouseClick(toFile, Qt::LeftButton);
    Press(dialog, IDOK);
  });
  ASSERT_EQ(print.DoModal(), IDOK);
  EXPECT_TRUE(print.m_pd.Flags & PD_PRINTTOFILE);
  EXPECT_TRUE(print.PrintsToFile());
  if (!resolutions.isEmpty()) {
    EXPECT_EQ(printer->resolution(), resolutions[0]);
  }
}
