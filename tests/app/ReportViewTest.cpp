// The report windows in the running program, opened from the Reports menu and worked through
// the buttons of their dialog bar: the clipboard text, the text and CSV files (the CSV read back
// by a second reader), printing to a PDF counted by a second reader, print preview, failures told
// under the product name, and two projects whose windows each keep their own project's rows. A
// report shown when the measurement units change shows its lengths in the new units.
#include "ui/wnd/Resource.h"
#include "ui/dlg/Ctrls.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <QLineEdit>
#include <QPageSize>
#include <QPrinter>
#include <QScrollBar>
#include <QTest>

#include "platform/core/FileSizeLimit.h"
#include "platform/core/Time.h"
#include "ShellTestApp.h"
#include "app/App.h"
#include "app/Appprefs.h"
#include "app/Mainfrm.h"
#include "app/Miscprf.h"
#include "app/Shellids.h"
#include "document/Doc.h"
#include "document/Dochints.h"
#include "ui/dlg/Progress.h"
#include "ui/docview/DocTempl.h"
#include "ui/frame/Menu.h"
#include "ui/output/Clipbrd.h"
#include "ui/output/Print.h"
#include "reports/Rptframe.h"
#include "reports/Rptview.h"
#include "reports/Schrptgn.h"
#include "reports/Uirptgen.h"

namespace {

std::string ReadText(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Run(const std::string& command, int* pStatus = nullptr)
{
  std::string output;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe)
    return output;
  std::array<char, 4096> buffer{};
  size_t n = 0;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    output.append(buffer.data(), n);
  const int status = ::pclose(pipe);
  if (pStatus)
    *pStatus = status;
  return output;
}

// The records of a CSV file as Python's csv module reads them as UTF-8 (a byte that is not UTF-8
// fails the read): each field's bytes in hex, so no byte of a field can be taken for a separator.
std::vector<std::vector<std::string>> ReadCSVWithPython(const std::string& path)
{
  int status = -1;
  const std::string output = Run("/usr/bin/python3 -c \"import csv,sys\n"
                                 "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                                 "  for r in csv.reader(f):\n"
                                 "    print(' '.join((x.encode('utf-8').hex() or '-') for x in r))\" '" +
                                     path + "'",
                                 &status);
  EXPECT_EQ(status, 0) << output;
  std::vector<std::vector<std::string>> records;
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    std::vector<std::string> fields;
    std::istringstream words(line);
    std::string word;
    while (words >> word) {
      std::string field;
      for (size_t i = 0; word != "-" && i + 1 < word.size(); i += 2)
        field += static_cast<char>(std::stoi(word.substr(i, 2), nullptr, 16));
      fields.push_back(field);
    }
    records.push_back(fields);
  }
  return records;
}

// The pages of a PDF as ghostscript finds them: one bounding box a page; -1 without it.
int CountPdfPages(const std::string& path)
{
  if (std::system("command -v gs >/dev/null 2>&1") != 0)
    return -1;
  const std::string output = Run("gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=bbox '" + path + "' 2>&1");
  int pages = 0;
  for (size_t at = output.find("%%BoundingBox"); at != std::string::npos; at = output.find("%%BoundingBox", at + 1))
    ++pages;
  return pages;
}

int Count(const std::string& text, const std::string& part)
{
  int count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

std::string Joined(const CStringArray& lines)
{
  std::string text;
  for (const CString& line : lines)
    text += line.str() + "\r\n";
  return text;
}

class ReportViewTest : public ShellProjectTest
{
protected:
  // Stores a design of units of the catalogue's first sizes into the project.
  static void AddDesign(CDoc* pDoc, const char* name, const std::vector<std::pair<const char*, const char*>>& units)
  {
    AddDesignOfUnits(pDoc, name, units);
  }

  // Enough designs for several 60-line pages of the schedule.
  static void FillProject(CDoc* pDoc, const char* prefix, int designs)
  {
    for (int i = 0; i < designs; ++i) {
      const CString name = CString::Formatted("%s %02d", prefix, i + 1);
      AddDesign(pDoc, name.c_str(), {{"GL", "BA005"}, {"DH", "KC003"}, {"AW", "BA002"}, {"CA", "BA001"}});
    }
  }

  CReportView* OpenReport(CDoc* pDoc, UINT nCommand)
  {
    Command(nCommand);
    Pump();
    CView* pView = nCommand == ID_VIEW_SCHEDULE_REPORT ? pDoc->GetScheduleReportView() : pDoc->GetUnitInfoReportView();
    return dynamic_cast<CReportView*>(pView);
  }

  static CDialogBar* BarOf(CReportView* pView)
  {
    auto* pFrame = dynamic_cast<CReportFrame*>(pView->GetParentFrame());
    return pFrame ? pFrame->GetDialogBar() : nullptr;
  }

  // The report's lines as the screen shows them, after a real paint.
  static void Paint(CReportView* pView)
  {
    pView->Invalidate(TRUE);
    pView->UpdateWindow();
    Pump();
  }

  void Export(CReportView* pView, const std::string& path, int filter)
  {
    service.filePaths.push_back(CString(path.c_str()));
    service.fileFilters.push_back(filter);
    ClickButton(*BarOf(pView), ID_REPORT_EXPORT);
    Pump();
  }

  static std::string ClipboardBytes()
  {
    std::string bytes;
    if (!OpenClipboard(nullptr))
      return bytes;
    if (auto hText = static_cast<HGLOBAL>(GetClipboardData(CF_TEXT))) {
      const auto* pText = static_cast<const char*>(GlobalLock(hText));
      bytes.assign(pText, GlobalSize(hText));
      GlobalUnlock(hText);
    }
    CloseClipboard();
    return bytes;
  }

  void PrintTo(const std::string& path)
  {
    QPrinter* pPrinter = ShellApp().GetPrinter();
    pPrinter->setOutputFormat(QPrinter::PdfFormat);
    pPrinter->setPageSize(QPageSize(QPageSize::Letter));
    pPrinter->setPageOrientation(QPageLayout::Portrait);
    // Without a printer the print asks for the PDF's name.
    service.filePaths.push_back(CString(path.c_str()));
  }
};

}  // namespace

// A report opened by a menu command or a tool button leaves the keyboard where it was: the name
// still being typed in the design list heads it.
TEST_F(ReportViewTest, ANameStillBeingTypedInTheDesignListHeadsTheSchedule)
{
  AddDesign(m_pDoc, "Kitchen", {{"DH", "KC003"}});
  QLineEdit* field = FocusProjectNameField(m_pDoc);
  ASSERT_NE(field, nullptr);
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(field, "Lakeside Cabin");
  CReportView* pView = OpenReport(m_pDoc, ID_VIEW_SCHEDULE_REPORT);
  ASSERT_NE(pView, nullptr);
  Paint(pView);
  ASSERT_NE(pView->GetReportLines(), nullptr);
  const std::string text = Joined(*pView->GetReportLines());
  EXPECT_NE(text.substr(0, 400).find("Lakeside Cabin"), std::string::npos) << text.substr(0, 400);
  EXPECT_EQ(m_pDoc->GetProjectName(), "Lakeside Cabin");
}

// The units applied reach a report already shown, as they reach its exports: the Application
// Settings sheet tells every view of the project.
TEST_F(ReportViewTest, AShownReportFollowsTheUnitsApplied)
{
  AddDesign(m_pDoc, "Kitchen", {{"DH", "KC003"}, {"GL", "BA005"}});
  CReportView* pView = OpenReport(m_pDoc, ID_VIEW_SCHEDULE_REPORT);
  ASSERT_NE(pView, nullptr);
  Paint(pView);
  const std::string imperial = Joined(*pView->GetReportLines());
  ShellApp().GetAppPrefs().GetMiscPrefs()->SetMeasurementUnits(3);
  m_pDoc->UpdateAllViews(nullptr, kHintPlan);
  Paint(pView);
  const std::string metric = Joined(*pView->GetReportLines());
  EXPECT_NE(metric, imperial) << "the sizes in millimetres";
  const std::string path = PathIn("schedule-in-millimetres.txt");
  Export(pView, path, 2);
  EXPECT_EQ(ReadText(path), CString(metric).ToUtf8()) << "the screen shows what the export writes";
}

TEST_F(ReportViewTest, CopyAndBothExportsGiveTheShownReportWithCarriageReturnLineFeeds)
{
  m_pDoc->GetProjectData().SetProjectName("Harbor View Residence");
  AddDesign(m_pDoc, "Bay \"A\", North", {{"GL", "BA005"}, {"AW", "BA002"}});
  AddDesign(m_pDoc, "Kitchen", {{"DH", "KC003"}, {"CA", "BA001"}});
  AddDesign(m_pDoc,
            "K\xFC"
            "che",
            {{"GL", "BA005"}});
  CReportView* pView = OpenReport(m_pDoc, ID_VIEW_SCHEDULE_REPORT);
  ASSERT_NE(pView, nullptr);
  ASSERT_NE(BarOf(pView), nullptr);
  Paint(pView);
  const CStringArray& shown = *pView->GetReportLines();
  ASSERT_GT(shown.GetSize(), 8);
  // The screen shows one page header.
  EXPECT_EQ(Count(Joined(shown), "Page "), 1);

  ClickButton(*BarOf(pView), ID_REPORT_COPY);
  const std::string copied = ClipboardBytes();
  const std::string expected = Joined(shown);
  EXPECT_EQ(copied.substr(0, copied.find('\0')), expected);
  EXPECT_NE(copied.find("Harbor View Residence\r\n"), std::string::npos);

  // The text filter decides, whatever the name's extension.
  const std::string textPath = PathIn("schedule-as-text.csv");
  Export(pView, textPath, 2);
  ASSERT_EQ(service.fileRequests.size(), 1u);
  EXPECT_EQ(service.fileRequests[0].defaultExt, "csv");
  EXPECT_EQ(service.fileRequests[0].filter, CReportView::kExportFilter);
  // Files are written in UTF-8, as the system's other programs read them.
  const std::string text = ReadText(textPath);
  EXPECT_EQ(text, CString(expected).ToUtf8());
  EXPECT_NE(text.find("Küche"), std::string::npos);
  EXPECT_EQ(Count(text, "\n"), Count(text, "\r\n"));

  const std::string csvPath = PathIn("schedule.txt");
  Export(pView, csvPath, 1);
  const std::string csv = ReadText(csvPath);
  EXPECT_EQ(Count(csv, "\n"), Count(csv, "\r\n"));
  const auto records = ReadCSVWithPython(csvPath);
  const auto& rows = dynamic_cast<const CScheduleReportRows&>(pView->GetContent()->GetRows()).m_rows;
  ASSERT_EQ(records.size(), static_cast<size_t>(rows.GetSize()) + 1);
  EXPECT_EQ(records[0][0], "SerialID");
  EXPECT_EQ(records[0][1], "DesignName");
  for (int i = 0; i < rows.GetSize(); ++i) {
    ASSERT_EQ(records[i + 1].size(), 8u);
    EXPECT_EQ(records[i + 1][0], std::to_string(rows[i]->m_nSerialID));
    EXPECT_EQ(records[i + 1][1], rows[i]->m_strDesignName.ToUtf8());
    EXPECT_EQ(records[i + 1][3], rows[i]->m_strDescription.ToUtf8());
  }
  EXPECT_EQ(records[1][1], "Bay \"A\", North");
  EXPECT_EQ(records.back()[1], "Küche");
  EXPECT_TRUE(Messages().empty());
}

// A new report window is wide enough for every button of its bar.
TEST_F(ReportViewTest, ANewReportWindowShowsItsWholeBar)
{
  CReportView* pView = OpenReport(m_pDoc, ID_VIEW_SCHEDULE_REPORT);
  ASSERT_NE(pView, nullptr);
  CRect client;
  pView->GetParentFrame()->GetClientRect(&client);
  const CDialogTemplate* pBar = CResources::Get().FindDialog(3102);
  ASSERT_NE(pBar, nullptr);
  EXPECT_GE(client.Width(), DialogUnitsToPixels(pBar->size).cx);
}

TEST_F(ReportViewTest, UnitInformationReportExportsItsCSVRowsThroughTheMenuWindow)
{
  AddDesign(m_pDoc, "Den, East", {{"GL", "BA005"}, {"CA", "BA001"}});
  CReportView* pView = OpenReport(m_pDoc, ID_VIEW_UNIT_INFO_REPORT);
  ASSERT_NE(pView, nullptr);
  EXPECT_EQ(dynamic_cast<CReportFrame*>(pView->GetParentFrame())->GetReportType(), CReportFrame::unitInfoReport);
  const std::string csvPath = PathIn("units.csv");
  Export(pView, csvPath, 1);
  const auto records = ReadCSVWithPython(csvPath);
  CStringArray lines;
  pView->GetContent()->GetExportLines(TRUE, 0, lines);
  ASSERT_EQ(records.size(), static_cast<size_t>(lines.GetSize()));
  ASSERT_GT(records.size(), 1u);
  bool sawDesign = false;
  for (size_t i = 1; i < records.size(); ++i)
    for (const std::string& field : records[i])
      sawDesign = sawDesign || field == "Den, East";
  EXPECT_TRUE(sawDesign);
}

TEST_F(ReportViewTest, PrintingGivesEveryPageOfThePrinterLayoutAndTheScreenComesBack)
{
  FillProject(m_pDoc, "Room", 40);
  CReportView* pView = OpenReport(m_pDoc, ID_VIEW_SCHEDULE_REPORT);
  ASSERT_NE(pView, nullptr);
  Paint(pView);
  const int screenLines = pView->GetReportLines()->GetSize();
  // The report as Update makes it stays on the screen: 60-line pages, a header on each.
  ClickButton(*BarOf(pView), ID_REPORT_UPDATE);
  Paint(pView);
  const CReportPageStarts& generated = pView->GetContent()->GetPageStarts();
  ASSERT_GT(generated.GetSize(), 2);
  for (int i = 1; i < generated.GetSize(); ++i)
    EXPECT_LE(generated[i] - generated[i - 1], 60);
  EXPECT_EQ(Count(Joined(*pView->GetReportLines()), "Page "), generated.GetSize());

  const std::string pdf = PathIn("schedule.pdf");
  PrintTo(pdf);
  // The printer layout holds until the screen is painted again.
  ClickButton(*BarOf(pView), ID_REPORT_PRINT);
  EXPECT_TRUE(Messages().empty());
  const int printedPages = pView->GetContent()->GetPageStarts().GetSize();
  ASSERT_GT(printedPages, 2);
  EXPECT_TRUE(pView->IsLaidOutForPrinter());
  const int pdfPages = CountPdfPages(pdf);
  if (pdfPages < 0)
    GTEST_SKIP() << "no PDF reader";
  EXPECT_EQ(pdfPages, printedPages);

  // The next screen drawing lays the report out for the screen again.
  Paint(pView);
  EXPECT_FALSE(pView->IsLaidOutForPrinter());
  EXPECT_EQ(pView->GetReportLines()->GetSize(), screenLines);
  EXPECT_EQ(Count(Joined(*pView->GetReportLines()), "Page "), 1);
}

// The text of each page of a PDF as poppler reads it, laid out; empty without poppler.
std::vector<std::string> PdfPageTexts(const std::string& path)
{
  if (std::system("command -v pdftotext >/dev/null 2>&1") != 0)
    return {};
  std::vector<std::string> pages;
  const std::string text = Run("pdftotext -layout '" + path + "' - 2>&1");
  for (size_t at = 0; at < text.size();) {
    const size_t end = std::min(text.find('\f', at), text.size());
    pages.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return pages;
}

// Each line's words, one blank between them: poppler places the words of a line by their
// positions, which it reads to a column or so.
std::string Words(const std::string& text)
{
  std::string words;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream in(line);
    std::string word;
    std::string folded;
    while (in >> word)
      folded += (folded.empty() ? "" : " ") + word;
    words += folded + "\n";
  }
  return words;
}

// The words of each page as the report lays it out.
std::vector<std::string> LaidOutPages(const CReportContent& content)
{
  std::vector<std::string> pages;
  const CStringArray& lines = content.GetShownLines();
  const CReportPageStarts& starts = content.GetShownPageStarts();
  for (int page = 0; page < starts.GetSize(); ++page) {
    const int end = page + 1 < starts.GetSize() ? starts[page + 1] : lines.GetSize();
    std::string text;
    for (int i = starts[page]; i < end; ++i)
      text += lines[i].str() + "\n";
    pages.push_back(Words(text));
  }
  return pages;
}

// The report headers dated on a fixed day while it lives.
struct CFixedReportDate
{
  CFixedReportDate()
  {
    CReportGenerator::SetClock([] { return CTime(2026, 3, 9, 12, 0, 0).GetTime(); });
  }
  ~CFixedReportDate() { CReportGenerator::SetClock(nullptr); }
};

// Each printed page holds its page's lines of the printer layout and nothing else, and the pages
// are those the program has always printed (kept as poppler reads them).
TEST_F(ReportViewTest, EachPrintedPageShowsItsLinesAsAlways)
{
  const CFixedReportDate date;
  FillProject(m_pDoc, "Gallery", 40);
  for (const UINT command : {ID_VIEW_SCHEDULE_REPORT, ID_VIEW_UNIT_INFO_REPORT}) {
    CReportView* pView = OpenReport(m_pDoc, command);
    ASSERT_NE(pView, nullptr);
    pView->ScrollToPosition(CPoint(0, pView->GetTotalSize().cy / 3));
    Paint(pView);
    const std::string name = command == ID_VIEW_SCHEDULE_REPORT ? "schedule" : "unitinfo";
    const std::string pdf = PathIn((name + ".pdf").c_str());
    PrintTo(pdf);
    ClickButton(*BarOf(pView), ID_REPORT_PRINT);
    ASSERT_TRUE(Messages().empty());
    const std::vector<std::string> printed = PdfPageTexts(pdf);
    if (printed.empty())
      GTEST_SKIP() << "no PDF reader";
    const std::vector<std::string> laidOut = LaidOutPages(*pView->GetContent());
    ASSERT_GT(laidOut.size(), 3u);
    ASSERT_EQ(printed.size(), laidOut.size()) << name;
    std::string all;
    for (size_t page = 0; page < printed.size(); ++page) {
      EXPECT_EQ(Words(printed[page]), laidOut[page]) << name << " page " << page + 1;
      all += printed[page] + "\f";
    }
    const std::string keptPath = std::string(PANECRAFT_SOURCE_ROOT) + "tests/app/golden/printed-" + name + ".txt";
    if (std::getenv("PANECRAFT_UPDATE_GOLDEN"))
      std::ofstream(keptPath, std::ios::binary) << all;
    EXPECT_EQ(all, ReadText(keptPath)) << name;
  }
}

TEST_F(ReportViewTest, PrintPreviewPagesThroughEveryPage)
{
  FillProject(m_pDoc, "Wing", 30);
  CReportView* pView = OpenReport(m_pDoc, ID_VIEW_UNIT_INFO_REPORT);
  ASSERT_NE(pView, nullptr);
  const std::string pdf = PathIn("preview.pdf");
  PrintTo(pdf);
  service.filePaths.clear();
  service.previewFile = pdf.c_str();
  pView->GetParentFrame()->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
  EXPECT_EQ(service.previews, 1);
  EXPECT_TRUE(Messages().empty());
  const int pages = pView->GetContent()->GetPageStarts().GetSize();
  ASSERT_GT(pages, 1);
  const int pdfPages = CountPdfPages(pdf);
  if (pdfPages < 0)
    GTEST_SKIP() << "no PDF reader";
  EXPECT_EQ(pdfPages, pages);
}

TEST_F(ReportViewTest, TwoProjectsEachReportWindowShowsAndExportsItsOwnRows)
{
  CDoc* pFirst = m_pDoc;
  pFirst->GetProjectData().SetProjectName("Lakeside Cabin");
  FillProject(pFirst, "Cabin", 3);
  CReportView* pFirstView = OpenReport(pFirst, ID_VIEW_SCHEDULE_REPORT);
  ASSERT_NE(pFirstView, nullptr);

  Command(ID_FILE_NEW);
  CDoc* pSecond = ActiveProject();
  ASSERT_NE(pSecond, pFirst);
  pSecond->GetProjectData().SetProjectName("Mill Street Offices");
  FillProject(pSecond, "Office", 2);
  CReportView* pSecondView = OpenReport(pSecond, ID_VIEW_SCHEDULE_REPORT);
  ASSERT_NE(pSecondView, nullptr);
  ASSERT_NE(pSecondView, pFirstView);
  EXPECT_EQ(pFirst->GetScheduleReportView(), pFirstView);

  Paint(pFirstView);
  Paint(pSecondView);
  const std::string firstShown = Joined(*pFirstView->GetReportLines());
  const std::string secondShown = Joined(*pSecondView->GetReportLines());
  EXPECT_NE(firstShown.find("Lakeside Cabin"), std::string::npos);
  EXPECT_NE(firstShown.find("Cabin 03"), std::string::npos);
  EXPECT_EQ(firstShown.find("Office"), std::string::npos);
  EXPECT_NE(secondShown.find("Mill Street Offices"), std::string::npos);
  EXPECT_EQ(secondShown.find("Cabin"), std::string::npos);

  // The first window's export after the second was made: still the first project's rows.
  const std::string firstCsv = PathIn("first.csv");
  Export(pFirstView, firstCsv, 1);
  const auto firstRecords = ReadCSVWithPython(firstCsv);
  ASSERT_GT(firstRecords.size(), 1u);
  for (size_t i = 1; i < firstRecords.size(); ++i)
    EXPECT_EQ(firstRecords[i][1].rfind("Cabin ", 0), 0u) << firstRecords[i][1];
  const std::string secondText = PathIn("second.txt");
  Export(pSecondView, secondText, 2);
  const std::string text = ReadText(secondText);
  EXPECT_NE(text.find("Mill Street Offices"), std::string::npos);
  EXPECT_EQ(text.find("Cabin"), std::string::npos);

  // Printing the first shows the first project's rows on its pages.
  PrintTo(PathIn("first.pdf"));
  ClickButton(*BarOf(pFirstView), ID_REPORT_PRINT);
  const std::string printed = Joined(*pFirstView->GetReportLines());
  EXPECT_NE(printed.find("Lakeside Cabin"), std::string::npos);
  EXPECT_EQ(printed.find("Office"), std::string::npos);
  EXPECT_TRUE(Messages().empty());

  // Each report window steps back and comes forward with its project.
  auto* pFirstFrame = dynamic_cast<CReportFrame*>(pFirstView->GetParentFrame());
  MainFrame()->MDIActivate(pSecond->GetWarehouseView()->GetParentFrame());
  Pump();
  EXPECT_FALSE(pFirstFrame->IsWindowVisible());
  EXPECT_TRUE(pFirstFrame->GetVisibleOnReactivation());
  MainFrame()->MDIActivate(pFirst->GetWarehouseView()->GetParentFrame());
  Pump();
  EXPECT_TRUE(pFirstFrame->IsWindowVisible());
  EXPECT_FALSE(pSecondView->GetParentFrame()->IsWindowVisible());
}

TEST_F(ReportViewTest, AFailedExportIsToldUnderTheProductNameAndKeepsThePreviousFile)
{
  AddDesign(m_pDoc, "Porch", {{"GL", "BA005"}});
  CReportView* pView = OpenReport(m_pDoc, ID_VIEW_SCHEDULE_REPORT);
  ASSERT_NE(pView, nullptr);
  const std::string nowhere = PathIn("no-such-folder/schedule.csv");
  Export(pView, nowhere, 1);
  ASSERT_EQ(service.messages.size(), 1u);
  EXPECT_EQ(service.messages[0].caption, ShellApp().GetProductName());
  EXPECT_EQ(service.messages[0].text, CString("The report could not be exported.\nFile:  ") + nowhere.c_str() +
                                          "\nReason:  " + std::strerror(ENOENT));

  // A file replaced whole: the new report and nothing of the longer old file.
  const std::string path = PathIn("kept.csv");
  {
    std::ofstream old(path, std::ios::binary);
    old << std::string(20000, 'x');
  }
  Export(pView, path, 1);
  const std::string csv = ReadText(path);
  EXPECT_EQ(csv.find('x'), std::string::npos);
  EXPECT_EQ(csv.rfind("SerialID,", 0), 0u);
  ASSERT_EQ(service.messages.size(), 2u) << "the replace question, answered Yes";
  // A cancelled dialog writes nothing and tells nothing.
  service.filePaths.push_back(CString());
  ClickButton(*BarOf(pView), ID_REPORT_EXPORT);
  EXPECT_EQ(service.messages.size(), 2u);
}

TEST_F(ReportViewTest, ExportTakesTheChosenFiltersExtensionAndAsksBeforeReplacing)
{
  AddDesign(m_pDoc, "Porch", {{"GL", "BA005"}});
  CReportView* pView = OpenReport(m_pDoc, ID_VIEW_SCHEDULE_REPORT);
  ASSERT_NE(pView, nullptr);
  const std::string csvPath = PathIn("schedule1.csv");
  {
    std::ofstream(csvPath, std::ios::binary) << "earlier,csv\n";
  }
  // "schedule1" under the text filter is a text file; the CSV file of that name is not touched.
  Export(pView, PathIn("schedule1"), 2);
  EXPECT_TRUE(service.messages.empty());
  EXPECT_EQ(ReadText(csvPath), "earlier,csv\n");
  const std::string text = ReadText(PathIn("schedule1.txt"));
  EXPECT_NE(text.find("Porch"), std::string::npos);
  EXPECT_EQ(text.find("SerialID,"), std::string::npos) << "text, not comma separated values";
  ASSERT_FALSE(service.fileRequests.empty());
  EXPECT_NE(service.fileRequests.back().fileName.Find("Window & Patio Door Schedule"), -1)
      << "the suggested name names the report";
  // Under the CSV filter the same name is the existing CSV file: asked, and No keeps it.
  service.messageAnswers.push_back(IDNO);
  Export(pView, PathIn("schedule1"), 1);
  ASSERT_EQ(service.messages.size(), 1u);
  EXPECT_EQ(service.messages[0].text, CString("schedule1.csv already exists.\nDo you want to replace it?"));
  EXPECT_EQ(ReadText(csvPath), "earlier,csv\n");
}

TEST_F(ReportViewTest, UpdateRereadsTheProjectAndCloseEndsOnlyTheReportWindow)
{
  AddDesign(m_pDoc, "Attic", {{"GL", "BA005"}});
  CReportView* pView = OpenReport(m_pDoc, ID_VIEW_SCHEDULE_REPORT);
  ASSERT_NE(pView, nullptr);
  CFrameWnd* pFrame = pView->GetParentFrame();
  CString title;
  pFrame->GetWindowText(title);
  EXPECT_EQ(title, "Window & Patio Door Schedule: " + m_pDoc->GetTitle());
  // A renamed project shows its new title on the next title update.
  m_pDoc->SetTitle("Riverside Lofts");
  pFrame->OnUpdateFrameTitle(TRUE);
  pFrame->GetWindowText(title);
  EXPECT_EQ(title, "Window & Patio Door Schedule: Riverside Lofts");

  AddDesign(m_pDoc, "Basement", {{"CA", "BA001"}});
  Paint(pView);
  EXPECT_EQ(Joined(*pView->GetReportLines()).find("Basement"), std::string::npos);
  ClickButton(*BarOf(pView), ID_REPORT_UPDATE);
  Paint(pView);
  EXPECT_NE(Joined(*pView->GetReportLines()).find("Basement"), std::string::npos);
  // The insert command is never offered.
  EXPECT_FALSE(StateOf(ID_REPORT_INSERT).enabled);

  ClickButton(*BarOf(pView), ID_REPORT_CLOSE);
  Pump();
  EXPECT_EQ(m_pDoc->GetScheduleReportView(), nullptr);
  EXPECT_EQ(ActiveProject(), m_pDoc);
  EXPECT_NE(m_pDoc->GetWarehouseView(), nullptr);
}

TEST_F(ReportViewTest, AnEmptyReportCopiesOnlyItsEndAndExportsTheHeadingAlone)
{
  CReportView* pView = OpenReport(m_pDoc, ID_VIEW_SCHEDULE_REPORT);
  ASSERT_NE(pView, nullptr);
  ASSERT_EQ(pView->GetContent()->GetRows().GetRowCount(), 0);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL hOld = GlobalAlloc(GMEM_MOVEABLE, 4);
  std::memcpy(GlobalLock(hOld), "old", 4);
  GlobalUnlock(hOld);
  SetClipboardData(CF_TEXT, hOld);
  CloseClipboard();

  ClickButton(*BarOf(pView), ID_REPORT_COPY);
  EXPECT_EQ(pView->GetClipboardBytes(), std::string(1, '\0'));
  EXPECT_EQ(ClipboardBytes().find("old"), std::string::npos);

  const std::string csvPath = PathIn("empty.csv");
  Export(pView, csvPath, 1);
  const auto records = ReadCSVWithPython(csvPath);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].size(), 8u);
  const std::string textPath = PathIn("empty.txt");
  Export(pView, textPath, 2);
  EXPECT_EQ(ReadText(textPath), "");
  EXPECT_TRUE(Messages().empty());
}

// Dark pixels of the window's surface: the text it shows.
int InkedPixels(CWnd* pWnd)
{
  CRect area;
  pWnd->GetClientRect(&area);
  int inked = 0;
  for (int y = 0; y < area.Height(); ++y)
    for (int x = 0; x < area.Width(); ++x)
      if (const COLORREF c = pWnd->GetSurfacePixel(x, y); GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128)
        ++inked;
  return inked;
}

TEST_F(ReportViewTest, EachEmptyReportWindowShowsItsHeading)
{
  for (const UINT command : {ID_VIEW_SCHEDULE_REPORT, ID_VIEW_UNIT_INFO_REPORT}) {
    CReportView* pView = OpenReport(m_pDoc, command);
    ASSERT_NE(pView, nullptr);
    ASSERT_EQ(pView->GetContent()->GetRows().GetRowCount(), 0);
    Paint(pView);
    const CStringArray& shown = pView->GetContent()->GetShownLines();
    ASSERT_GE(shown.GetSize(), 4);
    EXPECT_EQ(shown[0].Right(6), CString("Page 1"));
    EXPECT_NE(shown[1].Find(pView->GetContent()->GetGenerator().GetTitle()), -1) << shown[1].str();
    EXPECT_GT(InkedPixels(pView), 100) << "the heading is drawn";
    EXPECT_EQ(pView->GetContent()->GetLines().GetSize(), 0) << "the report itself stays empty";
    EXPECT_EQ(pView->GetClipboardBytes(), std::string(1, '\0'));
  }
}

// Every pixel of the window's surface, row by row.
std::vector<COLORREF> SurfaceOf(CWnd* pWnd)
{
  CRect area;
  pWnd->GetClientRect(&area);
  std::vector<COLORREF> pixels;
  pixels.reserve(static_cast<size_t>(area.Width()) * static_cast<size_t>(area.Height()));
  for (int y = 0; y < area.Height(); ++y)
    for (int x = 0; x < area.Width(); ++x)
      pixels.push_back(pWnd->GetSurfacePixel(x, y));
  return pixels;
}

// Where two surfaces of the same window differ: how many pixels and the first one; empty when
// they are equal.
std::string Differences(const std::vector<COLORREF>& shown, const std::vector<COLORREF>& expected, int width)
{
  if (shown.size() != expected.size())
    return "sizes differ";
  size_t count = 0;
  size_t first = 0;
  for (size_t i = 0; i < shown.size(); ++i)
    if (shown[i] != expected[i] && count++ == 0)
      first = i;
  if (count == 0)
    return "";
  return std::to_string(count) + " pixels, the first at (" + std::to_string(first % static_cast<size_t>(width)) + ", " +
         std::to_string(first / static_cast<size_t>(width)) + ")";
}

// The surface as a full repaint at the view's present scroll position leaves it.
std::vector<COLORREF> FullRepaint(CReportView* pView)
{
  pView->Invalidate(TRUE);
  pView->UpdateWindow();
  return SurfaceOf(pView);
}

// The view's scroll bar of that orientation, as the user clicks and keys it.
QScrollBar* ScrollBarOf(CReportView* pView, Qt::Orientation orientation)
{
  for (QScrollBar* pBar : pView->GetOuterHandle()->findChildren<QScrollBar*>())
    if (pBar->orientation() == orientation)
      return pBar;
  return nullptr;
}

// A band painted over, then invalidated alone, and every step of the scroll bars (a line, a page,
// 16 pixels, sideways) each show exactly what a repaint of the whole window shows there.
TEST_F(ReportViewTest, APartialRepaintAndEveryScrollStepShowWhatAFullRepaintShows)
{
  FillProject(m_pDoc, "Hall", 60);
  for (const UINT command : {ID_VIEW_SCHEDULE_REPORT, ID_VIEW_UNIT_INFO_REPORT}) {
    CReportView* pView = OpenReport(m_pDoc, command);
    ASSERT_NE(pView, nullptr);
    pView->GetParentFrame()->SetWindowPos(nullptr, 0, 0, 640, 420, SWP_NOMOVE | SWP_NOZORDER);
    Paint(pView);
    CRect client;
    pView->GetClientRect(&client);
    ASSERT_GT(pView->GetTotalSize().cy, 10 * client.Height());
    pView->ScrollToPosition(CPoint(0, pView->GetTotalSize().cy / 2 + 7));
    const std::vector<COLORREF> full = FullRepaint(pView);
    const CPoint middle = pView->GetScrollPosition();
    ASSERT_GT(middle.y, 0);
    EXPECT_GT(InkedPixels(pView), 2000) << "the middle of the report is drawn";

    // A band across a few lines, off their edges, blotted out and then painted again.
    const CRect band(9, client.Height() / 3 + 5, client.Width() - 13, client.Height() / 3 + 47);
    {
      CClientDC dc(pView);
      dc.FillSolidRect(&band, RGB(0, 0, 0));
    }
    ASSERT_NE(Differences(SurfaceOf(pView), full, client.Width()), "");
    pView->InvalidateRect(&band, TRUE);
    pView->UpdateWindow();
    EXPECT_EQ(Differences(SurfaceOf(pView), full, client.Width()), "") << "a repaint of the band";

    QScrollBar* pVertical = ScrollBarOf(pView, Qt::Vertical);
    ASSERT_NE(pVertical, nullptr);
    ASSERT_TRUE(pVertical->isVisible());
    const std::vector<std::function<void()>> steps{
        [pVertical] { QTest::keyClick(pVertical, Qt::Key_Down); },
        [pVertical] { QTest::keyClick(pVertical, Qt::Key_PageDown); },
        [pView] { pView->ScrollToPosition(CPoint(0, pView->GetScrollPosition().y + 16)); },
        [pView] { pView->ScrollToPosition(CPoint(0, pView->GetScrollPosition().y - 16)); },
        [pVertical] { QTest::keyClick(pVertical, Qt::Key_Up); },
    };
    for (size_t step = 0; step < steps.size(); ++step) {
      const CPoint before = pView->GetScrollPosition();
      steps[step]();
      Pump();
      pView->UpdateWindow();
      ASSERT_NE(pView->GetScrollPosition(), before) << "step " << step;
      const std::vector<COLORREF> scrolled = SurfaceOf(pView);
      EXPECT_EQ(Differences(scrolled, FullRepaint(pView), client.Width()), "") << "step " << step;
    }

    // Sideways, in a window narrower than the report's lines.
    QScrollBar* pHorizontal = ScrollBarOf(pView, Qt::Horizontal);
    ASSERT_NE(pHorizontal, nullptr);
    ASSERT_TRUE(pHorizontal->isVisible());
    QTest::keyClick(pHorizontal, Qt::Key_PageDown);
    Pump();
    pView->UpdateWindow();
    EXPECT_GT(pView->GetScrollPosition().x, 0);
    const std::vector<COLORREF> sideways = SurfaceOf(pView);
    EXPECT_EQ(Differences(sideways, FullRepaint(pView), client.Width()), "") << "sideways";
  }
}

TEST_F(ReportViewTest, TheReportWindowsMenuOffersTheReportCommands)
{
  CMenu* pMenu = CMenu::FromHandle(ShellApp().GetScheduleReportViewTemplate()->m_hMenuShared);
  ASSERT_NE(pMenu, nullptr);
  std::map<UINT, CString> items;
  for (UINT popup = 0; popup < pMenu->GetMenuItemCount(); ++popup) {
    CMenu* pPopup = pMenu->GetSubMenu(static_cast<int>(popup));
    if (!pPopup)
      continue;
    for (UINT i = 0; i < pPopup->GetMenuItemCount(); ++i) {
      CString text;
      pPopup->GetMenuString(i, text, MF_BYPOSITION);
      items[pPopup->GetMenuItemID(static_cast<int>(i))] = text;
    }
  }
  const std::vector<std::pair<UINT, const char*>> expected{{ID_REPORT_INSERT, "&Insert"},
                                                           {ID_REPORT_EXPORT, "&Export"},
                                                           {ID_REPORT_PRINT, "&Print...\tCtrl+P"},
                                                           {ID_FILE_PRINT_PREVIEW, "Print Pre&view..."},
                                                           {ID_REPORT_COPY, "&Copy\tCtrl+C"},
                                                           {3107, "Report Dialog &Bar"},
                                                           {ID_VIEW_SCHEDULE_REPORT, "&Window && Patio Door Schedule"},
                                                           {ID_VIEW_UNIT_INFO_REPORT, "Unit &Information Report"},
                                                           {ID_REPORT_UPDATE, "&Update Report"}};
  for (const auto& [nID, text] : expected)
    EXPECT_EQ(items[nID], text) << nID;
  // The drawing windows' clipboard and print commands are not on it.
  EXPECT_EQ(items.count(ID_EDIT_COPY), 0u);
  EXPECT_EQ(items.count(ID_FILE_PRINT), 0u);
}

TEST_F(ReportViewTest, AnExportOntoAFullDiskNamesTheFileAndTheReason)
{
  AddDesign(m_pDoc, "Porch", {{"GL", "BA005"}});
  CReportView* pView = OpenReport(m_pDoc, ID_VIEW_SCHEDULE_REPORT);
  ASSERT_NE(pView, nullptr);
  // A full disk: the report is larger than the process may write.
  const std::string path = PathIn("schedule.txt");
  std::ofstream(path) << "previous";
  CFileSizeLimit full(64);
  if (!full.Refusal().empty())
    GTEST_SKIP() << full.Refusal();
  Export(pView, path, 2);
  full.Lift();
  ASSERT_EQ(service.messages.size(), 2u) << "the replace question (answered Yes), then the failure";
  EXPECT_EQ(service.messages[1].text, CString("The report could not be exported.\nFile:  ") + path.c_str() +
                                          "\nReason:  " + std::strerror(EFBIG));
  EXPECT_EQ(ReadText(path), "previous");
}

// A report over many designs tells its progress design by design; Cancel as it is first made
// leaves no report window, and Cancel on an update keeps the report shown before.
TEST_F(ReportViewTest, ALargeProjectsReportShowsItsProgressAndACancelledOneChangesNothing)
{
  constexpr int kDesigns = 1500;
  for (int i = 0; i < kDesigns; ++i)
    AddDesign(m_pDoc, CString::Formatted("Opening %04d", i + 1).c_str(), {{"DH", "KC003"}});
  CMDIChildWnd* pActiveBefore = MainFrame()->MDIGetActive();

  service.progressCancelAt = kDesigns / 3;
  EXPECT_EQ(OpenReport(m_pDoc, ID_VIEW_SCHEDULE_REPORT), nullptr);
  Pump();
  EXPECT_EQ(m_pDoc->GetScheduleReportView(), nullptr);
  EXPECT_EQ(MainFrame()->MDIGetActive(), pActiveBefore);
  ASSERT_EQ(service.progresses.size(), 1u);
  const auto& stopped = service.progresses[0];
  EXPECT_EQ(stopped.text, "Generating the Window and Patio Door Schedule...");
  EXPECT_EQ(stopped.total, kDesigns);
  EXPECT_TRUE(stopped.canCancel);
  ASSERT_FALSE(stopped.positions.empty());
  EXPECT_GE(stopped.positions.back(), kDesigns / 3);
  EXPECT_LT(stopped.positions.back(), kDesigns / 2) << "the walk went on after Cancel";

  CReportView* pView = OpenReport(m_pDoc, ID_VIEW_SCHEDULE_REPORT);
  ASSERT_NE(pView, nullptr);
  ASSERT_EQ(service.progresses.size(), 2u);
  const std::vector<int>& positions = service.progresses[1].positions;
  ASSERT_GT(positions.size(), 100u);
  EXPECT_LE(positions.size(), static_cast<size_t>(CProgress::kSlices) + 1) << "every design updated the window";
  EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
  EXPECT_GE(positions.back(), kDesigns * 99 / 100);
  const std::string shown = Joined(*pView->GetReportLines());
  EXPECT_GT(pView->GetReportLines()->GetSize(), 8);

  // A design added after the report was made shows only after an update that runs to its end.
  AddDesign(m_pDoc, "Opening 9999", {{"GL", "BA005"}});
  service.progressCancelAt = 10;
  ClickButton(*BarOf(pView), ID_REPORT_UPDATE);
  Pump();
  ASSERT_EQ(m_pDoc->GetScheduleReportView(), pView);
  EXPECT_EQ(Joined(*pView->GetReportLines()), shown);
  EXPECT_TRUE(service.messages.empty()) << "a cancel is no failure";
  ClickButton(*BarOf(pView), ID_REPORT_UPDATE);
  Pump();
  EXPECT_NE(Joined(*pView->GetReportLines()), shown);
}

// Opening a large project tells its progress; Cancel leaves no project open, and the file opens
// whole afterwards.
TEST_F(ReportViewTest, OpeningALargeProjectShowsItsProgressAndCancelLeavesNoProject)
{
  constexpr int kDesigns = 800;
  for (int i = 0; i < kDesigns; ++i)
    AddDesign(m_pDoc, CString::Formatted("Bay %04d", i + 1).c_str(), {{"AW", "BA002"}});
  const std::string path = PathIn("Terrace.tpf");
  m_pDoc->SaveCopy(path.c_str());
  const std::vector<CDoc*> before = Projects();
  ASSERT_EQ(before.size(), 1u);

  service.progressCancelAt = kDesigns / 2;
  service.filePaths.push_back(path.c_str());
  Command(ID_FILE_OPEN);
  ASSERT_EQ(Projects(), before);
  EXPECT_TRUE(service.messages.empty()) << "a cancel is no failure";
  ASSERT_EQ(service.progresses.size(), 1u);
  EXPECT_EQ(service.progresses[0].text, "Opening the project...");
  EXPECT_EQ(service.progresses[0].total, kDesigns);
  ASSERT_FALSE(service.progresses[0].positions.empty());
  EXPECT_LT(service.progresses[0].positions.back(), kDesigns * 3 / 4);

  // Nothing holds the file after the cancel: it opens, whole.
  service.filePaths.push_back(path.c_str());
  Command(ID_FILE_OPEN);
  std::vector<CDoc*> after = Projects();
  ASSERT_EQ(after.size(), before.size() + 1);
  EXPECT_EQ(after.back()->GetTitle(), "Terrace.tpf");
  EXPECT_EQ(after.back()->GetDesignCount(), kDesigns);
}

// The print dialog that names the PDF is the only question: no second file dialog follows, and
// the file is written whole where the dialog said (pages counted by poppler).
TEST_F(ReportViewTest, PrintingToAPdfAsksForItsNameOnce)
{
  AddDesign(m_pDoc, "Porch", {{"GL", "BA005"}, {"AW", "BA002"}});
  CReportView* pView = OpenReport(m_pDoc, ID_VIEW_SCHEDULE_REPORT);
  ASSERT_NE(pView, nullptr);
  QPrinter* pPrinter = ShellApp().GetPrinter();
  pPrinter->setOutputFormat(QPrinter::PdfFormat);
  const std::string pdf = PathIn("named in the print dialog.pdf");
  std::ofstream(pdf) << "an earlier file";
  service.printFilePaths.push_back(pdf.c_str());
  ClickButton(*BarOf(pView), ID_REPORT_PRINT);
  Pump();
  EXPECT_EQ(service.printDialogsShown, 1);
  EXPECT_TRUE(service.fileRequests.empty()) << "no second dialog asks for the file";
  EXPECT_TRUE(Messages().empty());
  int status = -1;
  const std::string info = ::Run("pdfinfo '" + pdf + "' 2>&1", &status);
  EXPECT_EQ(status, 0) << info;
  EXPECT_NE(info.find("Pages:           1"), std::string::npos) << info;
}

namespace {
// The program started on a copy of the catalogue, which the test can damage while it runs.
class DamagedCatalogueReportTest : public ReportViewTest
{
protected:
  void SetUp() override
  {
    ShellTest::SetUp();
    m_catalogue = ShellTempDir() + "/catalogue";
    std::filesystem::create_directories(m_catalogue);
    std::filesystem::copy_file(std::string(std::getenv("PANECRAFT_BINARY_DIR")) + "/productdata/TXDB.SDF",
                               m_catalogue + "/TXDB.SDF", std::filesystem::copy_options::overwrite_existing);
    std::ofstream(ShellTempDir() + "/Tarvex Windows/Panecraft.ini")
        << "[Misc]\nSplashScreenTime=0\nProductDatabaseDir=" << m_catalogue << "\n";
    ASSERT_TRUE(Start());
    m_pDoc = ActiveProject();
    ASSERT_NE(m_pDoc, nullptr);
  }

  std::string m_catalogue;
};
}  // namespace

TEST_F(DamagedCatalogueReportTest, AReportThatCannotReadTheCatalogueSaysSoAndGivesOutNothing)
{
  AddDesign(m_pDoc, "Porch", {{"GL", "BA005"}, {"DH", "KC003"}});
  std::filesystem::resize_file(m_catalogue + "/TXDB.SDF", 4096);
  CReportView* pView = OpenReport(m_pDoc, ID_VIEW_SCHEDULE_REPORT);
  ASSERT_NE(pView, nullptr);
  ASSERT_EQ(Messages().size(), 1u);
  const CString failure = Messages()[0];
  EXPECT_FALSE(failure.IsEmpty());
  EXPECT_EQ(pView->GetFailure(), failure) << "the window says why it holds no report";
  EXPECT_EQ(pView->GetReportLines(), nullptr);

  const std::string csv = PathIn("schedule.csv");
  Export(pView, csv, 1);
  EXPECT_TRUE(service.fileRequests.empty()) << "nothing is offered to export";
  EXPECT_FALSE(std::filesystem::exists(csv));
  service.printFilePaths.push_back(PathIn("schedule.pdf").c_str());
  ClickButton(*BarOf(pView), ID_REPORT_PRINT);
  EXPECT_EQ(service.printDialogsShown, 0);
  ClickButton(*BarOf(pView), ID_REPORT_COPY);
  ASSERT_EQ(Messages().size(), 4u);
  for (const CString& message : Messages())
    EXPECT_EQ(message, failure);
}
