// Guards the drawing views' output through their commands: a scaled printout measured in the PDF
// it makes, the copies typed in the print dialog, the print preview, the picture on the clipboard, the DXF file read back by a second
// reader, and failures that reach the user as messages while the previous file stays.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPrinter>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "DxfReader.h"
#include "geometry/2dline.h"
#include "geometry/2dpoint.h"
#include "platform/core/FileSizeLimit.h"
#include "ui/TestApp.h"
#include "ui/dlg/Dialog.h"
#include "ui/output/Clipbrd.h"
#include "ui/output/Print.h"
#include "project/DocTestSupport.h"
#include "support/ComExcpt.h"
#include "views/Aspframe.h"
#include "views/Aspview.h"
#include "views/Prtscale.h"
#include "views/Viewsvc.h"
#include "views/Xltdata.h"

namespace {
constexpr int kDrawing = 25;
constexpr int kScreenOnly = 5;
constexpr int kQuarterInchRow = 3;   // "1/4" = 1' 0"" of the plan and elevation list
constexpr int kFullSizeRow = 1;      // "Full Size" of the detail list
constexpr int kInchAndAHalfRow = 4;  // "1 1/2" = 1' 0"" of the detail list, an eighth of full size

class CTestAspectView : public CAspectView
{
public:
  void Add(CVRX2DEntity* pEntity) { m_Entities.Add(pEntity); }
  // The scales the detail view offers, full size among them.
  void UseDetailScales() { m_nPrintScaleList = kDetailImperialScales; }
  void UseColours()
  {
    auto* pMap = new CMapECatToXLTGDIData;
    pMap->SetGDIData(0, new CXLTGDIData(RGB(0, 0, 0)));
    SetScreenCategoryMap(pMap);
  }
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
  {
    ++pages;
    if (failPrinting)
      throw CCommonException("Aspvout", 1);
    CAspectView::OnPrint(pDC, pInfo);
  }
  int pages = 0;
  bool failPrinting = false;
};

// The DXF settings the application would give: every category on layer "0" but the drawing's.
class CTestViewServices : public CViewServices
{
public:
  void RemoveDebugMenu(HMENU) override {}
  CMapECatToXLTGDIData* CreateTranslationMap() override { return new CMapECatToXLTGDIData; }
  CMapECatToXLTDXFData* CreateDXFTranslationMap() override
  {
    auto* pMap = new CMapECatToXLTDXFData;
    if (withDefault)
      pMap->SetDXFData(0, new CXLTDXFData(7, "0", "Continuous"));
    pMap->SetDXFData(kDrawing, new CXLTDXFData(1, "ELEVATION", "Continuous"));
    return pMap;
  }
  int GetDXFTranslationUnit() const override { return unit; }
  int unit = 0;
  bool withDefault = true;
};

QLineEdit* CopiesField(CDialog& dialog)
{
  return qobject_cast<QLineEdit*>(dialog.GetDlgItem(ID_PRINT_COPIES_EDIT)->GetSafeHwnd());
}

// The box of the dark pixels of an image; empty when there are none.
QRect DarkBox(const QImage& image)
{
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 128)
        box |= QRect(x, y, 1, 1);
  return box;
}

class AspectOutputTest : public UiTest
{
protected:
  void SetUp() override
  {
    UiTest::SetUp();
    ASSERT_TRUE(dir.isValid());
    RegisterPrintScaleResources();
    RegisterAspectResources();
    previousServices = SetViewServices(&viewServices);
    view = new CTestAspectView;
    ASSERT_TRUE(view->CreateEx(0, nullptr, "Drawing", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 400, 300, nullptr, 0));
    view->UseColours();
    QPrinter* printer = TestApp().GetPrinter();
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPageSize(QPageSize(QPageSize::Letter));
    printer->setPageOrientation(QPageLayout::Portrait);
  }
  void TearDown() override
  {
    view->DestroyWindow();
    SetViewServices(previousServices);
    UiTest::TearDown();
  }

  QString Path(const char* name) const { return dir.path() + "/" + name; }

  // A 96 by 48 inch elevation, with a screen-only line beside it.
  void AddElevation()
  {
    view->Add(new CVRX2DLine(kDrawing, CVRX2DPoint(0, 0), CVRX2DPoint(96, 0)));
    view->Add(new CVRX2DLine(kDrawing, CVRX2DPoint(96, 0), CVRX2DPoint(96, 48)));
    view->Add(new CVRX2DLine(kDrawing, CVRX2DPoint(96, 48), CVRX2DPoint(0, 48)));
    view->Add(new CVRX2DLine(kDrawing, CVRX2DPoint(0, 48), CVRX2DPoint(0, 0)));
  }

  // Answers the next print dialog: the scale row clicked (none for -1), then OK.
  void ChooseScaleAndPrint(int row, UINT* pTemplate = nullptr)
  {
    service.dialogActions.push_back([row, pTemplate](CDialog& dialog) {
      auto& print = dynamic_cast<CAspectPrintDlg&>(dialog);
      if (pTemplate)
        *pTemplate = print.m_pd.nPrintTemplateId;
      if (row >= 0)
        qobject_cast<QListWidget*>(dialog.GetDlgItem(IDC_PRINT_SCALE_LIST)->GetSafeHwnd())->setCurrentRow(row);
      dialog.SendMessage(WM_COMMAND, IDOK);
    });
  }

  // The first page of the PDF rendered by a second reader at the resolution; null without one.
  QImage RenderPdf(const QString& pdf, int dpi)
  {
    if (std::system("command -v gs >/dev/null 2>&1") != 0)
      return QImage();
    const QString png = Path("page.png");
    const std::string command = "gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pnggray -dFirstPage=1 -dLastPage=1 -r" +
                                std::to_string(dpi) + " -sOutputFile='" + png.toStdString() + "' '" +
                                pdf.toStdString() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return QImage(png);
  }

  void Command(UINT nID)
  {
    // Without a printer each print asks for its PDF: a fresh out.pdf in the test's folder.
    if (nID == ID_PRINT_VIEW || nID == ID_FILE_PRINT) {
      QFile::remove(Path("out.pdf"));
      service.filePaths.push_back(Path("out.pdf").toStdString().c_str());
    }
    view->SendMessage(WM_COMMAND, nID, 0);
  }

  BOOL Enabled(UINT nID)
  {
    CCmdUI state;
    state.m_nID = nID;
    state.DoUpdate(view, TRUE);
    return state.m_bEnabled;
  }

  QTemporaryDir dir;
  CFakeDocServices docServices;
  CTestViewServices viewServices;
  CViewServices* previousServices = nullptr;
  CTestAspectView* view = nullptr;
};
}  // namespace

TEST_F(AspectOutputTest, AtAQuarterInchToTheFootANinetySixInchDrawingIsTwoInchesWideOnThePage)
{
  AddElevation();
  ChooseScaleAndPrint(kQuarterInchRow);
  Command(ID_PRINT_VIEW);
  EXPECT_EQ(view->GetPrintScaleNumerator(), 1);
  EXPECT_EQ(view->GetPrintScaleDenominator(), 48);
  EXPECT_EQ(view->pages, 1);
  EXPECT_TRUE(service.messages.empty()) << "the drawing fits the page";

  const int dpi = 100;
  const QImage page = RenderPdf(Path("out.pdf"), dpi);
  if (page.isNull())
    GTEST_SKIP() << "no PDF renderer";
  const QRect box = DarkBox(page);
  ASSERT_FALSE(box.isEmpty());
  EXPECT_NEAR(box.width(), 2 * dpi, 3);
  EXPECT_NEAR(box.height(), dpi, 3);
  // Centred on the printable area, which is centred on the sheet.
  EXPECT_NEAR(box.center().x(), page.width() / 2, 4);
  EXPECT_NEAR(box.center().y(), page.height() / 2, 4);
}

TEST_F(AspectOutputTest, AtFullSizeADrawingFarFromTheOriginIsPrintedWhole)
{
  // 600 inches from the origin are 38400 logical units: beyond the 16-bit window of the screen.
  view->Add(new CVRX2DLine(kDrawing, CVRX2DPoint(600, 0), CVRX2DPoint(604, 0)));
  view->Add(new CVRX2DLine(kDrawing, CVRX2DPoint(600, 0), CVRX2DPoint(600, 1)));
  view->UseDetailScales();
  ChooseScaleAndPrint(kFullSizeRow);
  Command(ID_PRINT_VIEW);
  EXPECT_EQ(view->GetPrintScaleNumerator(), 1);
  EXPECT_TRUE(service.messages.empty());
  const int dpi = 50;
  const QImage page = RenderPdf(Path("out.pdf"), dpi);
  if (page.isNull())
    GTEST_SKIP() << "no PDF renderer";
  const QRect box = DarkBox(page);
  ASSERT_FALSE(box.isEmpty()) << "nothing was printed";
  EXPECT_NEAR(box.width(), 4 * dpi, 3);
  EXPECT_NEAR(box.height(), dpi, 3);
}

TEST_F(AspectOutputTest, ADrawingWiderThanThePrintableAreaWarnsOnceThoughItFitsTheSheet)
{
  // 8 inches at full size: narrower than the letter sheet, wider than its printable 7.5 inches.
  TestApp().GetPrinter()->setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
  view->Add(new CVRX2DLine(kDrawing, CVRX2DPoint(0, 0), CVRX2DPoint(8, 0)));
  view->Add(new CVRX2DLine(kDrawing, CVRX2DPoint(0, 0), CVRX2DPoint(0, 1)));
  view->UseDetailScales();
  ChooseScaleAndPrint(kFullSizeRow);
  Command(ID_PRINT_VIEW);
  ASSERT_EQ(service.messages.size(), 1u);
  EXPECT_EQ(service.messages[0].text, CString("Part of the symbol will not be printed because it extends beyond the "
                                              "page boundary."));
  EXPECT_EQ(service.messages[0].caption, docServices.GetProductName());
  EXPECT_EQ(view->pages, 1) << "printing goes on";

  // An eighth of the size fits without a word.
  ChooseScaleAndPrint(kInchAndAHalfRow);
  Command(ID_PRINT_VIEW);
  EXPECT_EQ(service.messages.size(), 1u);
  TestApp().GetPrinter()->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Inch);
}

TEST_F(AspectOutputTest, TheCopiesTypedArePrintedCollatedOrNotAndACountOutsideOneTo999IsRefused)
{
  AddElevation();
  for (const bool collate : {false, true}) {
    service.dialogActions.push_back([collate](CDialog& dialog) {
      CopiesField(dialog)->setText("2");
      dialog.CheckDlgButton(ID_PRINT_COLLATE_BOX, collate ? BST_CHECKED : BST_UNCHECKED);
      dialog.SendMessage(WM_COMMAND, IDOK);
    });
    Command(ID_PRINT_VIEW);
    EXPECT_EQ(PdfPages(Path("out.pdf").toStdString()), 2) << "collated: " << collate;
  }
  EXPECT_EQ(view->pages, 4);
  EXPECT_TRUE(service.messages.empty());

  // A refused count stays in its field, selected; the dialog stays open, and Cancel prints nothing.
  const std::vector<QString> refused = {"0", "1000", ""};
  service.dialogActions.push_back([&refused](CDialog& dialog) {
    for (const QString& text : refused) {
      CopiesField(dialog)->setText(text);
      dialog.SendMessage(WM_COMMAND, IDOK);
      ASSERT_FALSE(dialog.HasEnded()) << text.toStdString();
      EXPECT_EQ(CopiesField(dialog)->window()->focusWidget(), CopiesField(dialog)) << "the dialog's focus";
      EXPECT_EQ(CopiesField(dialog)->selectedText(), text);
    }
    dialog.SendMessage(WM_COMMAND, IDCANCEL);
  });
  Command(ID_PRINT_VIEW);
  EXPECT_EQ(view->pages, 4);
  EXPECT_FALSE(QFile::exists(Path("out.pdf")));
  ASSERT_EQ(service.messages.size(), 3u);
  EXPECT_EQ(service.messages[0].text, CString("Please enter an integer between 1 and 999."));
  EXPECT_EQ(service.messages[1].text, service.messages[0].text);
  EXPECT_EQ(service.messages[2].text, CString("Please enter an integer."));
}

TEST_F(AspectOutputTest, PrintPreviewAsksForTheScaleOnItsOwnTemplateAndPagesThroughTheDrawing)
{
  AddElevation();
  UINT shownTemplate = 0;
  ChooseScaleAndPrint(kQuarterInchRow, &shownTemplate);
  Command(ID_FILE_PRINT_PREVIEW);
  EXPECT_EQ(shownTemplate, IDD_PRINT_SCALE);
  EXPECT_EQ(service.previews, 1);
  EXPECT_EQ(view->pages, 1);
  EXPECT_EQ(view->GetPrintScaleDenominator(), 48);

  // Cancelling the dialog previews nothing and keeps the scale.
  Command(ID_FILE_PRINT_PREVIEW);
  EXPECT_EQ(service.previews, 1);
  EXPECT_EQ(view->GetPrintScaleDenominator(), 48);
}

TEST_F(AspectOutputTest, AFailureWhilePrintingOrPreviewingIsToldInAMessageAndEndsTheCommand)
{
  AddElevation();
  view->failPrinting = true;
  ChooseScaleAndPrint(0);
  Command(ID_PRINT_VIEW);
  ChooseScaleAndPrint(0);
  Command(ID_FILE_PRINT_PREVIEW);
  ASSERT_EQ(service.messages.size(), 2u);
  for (const auto& message : service.messages)
    EXPECT_EQ(message.caption, docServices.GetProductName());
  EXPECT_EQ(view->pages, 2);
}

TEST_F(AspectOutputTest, PrintCommandsNeedEntitiesLikeCopyAndExport)
{
  const UINT commands[] = {ID_FILE_PRINT, ID_PRINT_VIEW, ID_FILE_PRINT_PREVIEW, ID_COPY_VIEW, ID_EXPORT_DXF};
  for (UINT nID : commands)
    EXPECT_FALSE(Enabled(nID)) << nID;
  AddElevation();
  for (UINT nID : commands)
    EXPECT_TRUE(Enabled(nID)) << nID;
}

TEST_F(AspectOutputTest, ThePrintScaleCommandKeepsTheScaleChosenForTheNextPrint)
{
  service.dialogActions.push_back([](CDialog& dialog) {
    qobject_cast<QListWidget*>(dialog.GetDlgItem(IDC_PRINT_SCALE_LIST)->GetSafeHwnd())->setCurrentRow(2);
    dialog.SendMessage(WM_COMMAND, IDOK);
  });
  Command(ID_PRINT_SCALE);
  EXPECT_EQ(view->GetPrintScaleNumerator(), 1);
  EXPECT_EQ(view->GetPrintScaleDenominator(), 96);
  Command(ID_PRINT_SCALE);  // cancelled
  EXPECT_EQ(view->GetPrintScaleDenominator(), 96);
}

TEST_F(AspectOutputTest, TheClipboardHoldsTheDrawingAsSvgAndPngInsideAMargin)
{
  AddElevation();
  view->Add(new CVRX2DLine(kScreenOnly, CVRX2DPoint(-50, -50), CVRX2DPoint(200, 200)));
  Command(ID_COPY_VIEW);
  EXPECT_TRUE(service.messages.empty());
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  ASSERT_TRUE(data->hasFormat("image/svg+xml"));
  EXPECT_TRUE(data->data("image/svg+xml").contains("<svg"));
  ASSERT_TRUE(data->hasImage());
  const QImage image = qvariant_cast<QImage>(data->imageData());
  ASSERT_FALSE(image.isNull());
  // 96 by 48: the screen-only line is left out, and a margin of a twentieth of the longer side
  // (4.8 inches) lies round the drawing on every side.
  const QRect box = DarkBox(image);
  EXPECT_NEAR(static_cast<double>(box.width()) / box.height(), 2.0, 0.03);
  EXPECT_NEAR(static_cast<double>(image.width()) / image.height(), (96.0 + 9.6) / (48.0 + 9.6), 0.02);
  const double margin = image.width() * 4.8 / (96.0 + 9.6);
  EXPECT_NEAR(box.left(), margin, 2.0);
  EXPECT_NEAR(image.width() - 1 - box.right(), margin, 2.0);
  EXPECT_NEAR(box.top(), margin, 2.0);
  EXPECT_NEAR(image.height() - 1 - box.bottom(), margin, 2.0);
}

TEST_F(AspectOutputTest, AClipboardThatCannotBeOpenedIsToldAndKeepsWhatItHeld)
{
  AddElevation();
  QGuiApplication::clipboard()->setText("kept");
  ASSERT_TRUE(OpenClipboard(nullptr));
  Command(ID_COPY_VIEW);
  CloseClipboard();
  ASSERT_EQ(service.messages.size(), 1u);
  EXPECT_EQ(service.messages[0].text, CString("Unable to open clipboard.  COPY not performed!"));
  EXPECT_EQ(service.messages[0].caption, docServices.GetProductName());
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString("kept"));
}

TEST_F(AspectOutputTest, ExportWritesTheOutputEntitiesInTheTranslationUnitForASecondReader)
{
  view->Add(new CVRX2DLine(kDrawing, CVRX2DPoint(0, 0), CVRX2DPoint(12, 0)));
  view->Add(new CVRX2DLine(kScreenOnly, CVRX2DPoint(0, 0), CVRX2DPoint(5, 5)));
  viewServices.unit = 1;  // one foot
  const QString path = Path("view.dxf");
  service.filePaths.push_back(path.toStdString().c_str());
  Command(ID_EXPORT_DXF);
  ASSERT_EQ(service.fileRequests.size(), 1u);
  EXPECT_EQ(service.fileRequests[0].title, CString("DXF Export"));
  EXPECT_EQ(service.fileRequests[0].defaultExt, CString("dxf"));
  EXPECT_FALSE(service.fileRequests[0].bOpen);
  EXPECT_TRUE(service.messages.empty());
  const CDxfReading reading = ReadWithEzdxf(path.toStdString());
  ASSERT_TRUE(reading.ran);
  EXPECT_EQ(reading.errors, 0);
  ASSERT_EQ(reading.entities.size(), 1u) << "the screen-only line stays out";
  EXPECT_EQ(reading.entities[0].layer, "ELEVATION");
  ASSERT_EQ(reading.entities[0].values.size(), 4u);
  EXPECT_EQ(reading.entities[0].values[2], 1.0) << "twelve inches are one foot exactly";
}

TEST_F(AspectOutputTest, AFailedExportKeepsThePreviousFileAndSaysSo)
{
  view->Add(new CVRX2DLine(kDrawing, CVRX2DPoint(0, 0), CVRX2DPoint(12, 0)));
  view->Add(new CVRX2DLine(30, CVRX2DPoint(0, 0), CVRX2DPoint(0, 12)));
  viewServices.withDefault = false;  // category 30 has no layer: the translator refuses it
  const std::string path = Path("old.dxf").toStdString();
  std::ofstream(path) << "previous";
  service.filePaths.push_back(path.c_str());
  Command(ID_EXPORT_DXF);
  ASSERT_EQ(service.messages.size(), 2u) << "the replace question (answered Yes), then the failure";
  EXPECT_EQ(service.messages[1].text.Left(service.messages[1].text.Find("\nReason:  ")),
            CString("The file could not be written.\nFile:  ") + path.c_str());
  EXPECT_EQ(service.messages[1].caption, docServices.GetProductName());
  EXPECT_EQ(FileText(path), "previous");
  // Nothing is left beside it.
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(AspectOutputTest, AFailedExportNamesTheFileAndTheSystemsReason)
{
  view->Add(new CVRX2DLine(kDrawing, CVRX2DPoint(0, 0), CVRX2DPoint(12, 0)));
  const std::string nowhere = Path("missing/plan.dxf").toStdString();
  service.filePaths.push_back(nowhere.c_str());
  Command(ID_EXPORT_DXF);
  ASSERT_EQ(service.messages.size(), 1u);
  EXPECT_EQ(service.messages[0].text, CString("The file could not be written.\nFile:  ") + nowhere.c_str() +
                                          "\nReason:  " + std::strerror(ENOENT));

  // A full disk: the drawing is larger than the process may write.
  for (int i = 0; i < 400; ++i)
    view->Add(new CVRX2DLine(kDrawing, CVRX2DPoint(i, 0), CVRX2DPoint(i, 12)));
  const std::string full = Path("plan.dxf").toStdString();
  service.filePaths.push_back(full.c_str());
  CFileSizeLimit limit(4096);
  if (!limit.Refusal().empty())
    GTEST_SKIP() << limit.Refusal();
  Command(ID_EXPORT_DXF);
  limit.Lift();
  ASSERT_EQ(service.messages.size(), 2u);
  EXPECT_EQ(service.messages.back().text,
            CString("The file could not be written.\nFile:  ") + full.c_str() + "\nReason:  " + std::strerror(EFBIG));
  EXPECT_FALSE(QFile::exists(QString::fromStdString(full))) << "nothing is left of the unfinished drawing";
}

namespace {
TEST_F(AspectOutputTest, ANameWithoutExtensionOverAnExistingDrawingAsksAndNoKeepsIt)
{
  view->Add(new CVRX2DLine(kDrawing, CVRX2DPoint(0, 0), CVRX2DPoint(12, 0)));
  const std::string existing = Path("plan1.dxf").toStdString();
  std::ofstream(existing, std::ios::binary) << std::string(8542, 'd');
  service.filePaths.push_back(Path("plan1").toStdString().c_str());
  service.messageAnswers.push_back(IDNO);
  Command(ID_EXPORT_DXF);
  ASSERT_EQ(service.messages.size(), 1u);
  EXPECT_EQ(service.messages[0].text, CString("plan1.dxf already exists.\nDo you want to replace it?"));
  EXPECT_EQ(FileText(existing), std::string(8542, 'd'));
  EXPECT_EQ(service.fileRequests.size(), 2u) << "No goes back to the dialog";
  EXPECT_FALSE(service.fileRequests[0].fileName.IsEmpty()) << "a name is suggested";
  // Yes writes the drawing under the final name, read back by a second reader.
  service.filePaths.push_back(Path("plan1").toStdString().c_str());
  Command(ID_EXPORT_DXF);
  const CDxfReading reading = ReadWithEzdxf(existing);
  ASSERT_TRUE(reading.ran);
  EXPECT_EQ(reading.errors, 0);
  EXPECT_EQ(reading.entities.size(), 1u);
}
}  // namespace
