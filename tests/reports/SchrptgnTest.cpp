// Guards the schedule end to end: a project of catalogue units gives the kept text and CSV
// outputs byte for byte in both measurement systems, Python's csv module reads back the fields
// the rows hold, cells that would be formulas or hold control characters are plain text, and
// each report content keeps its own project's rows.
#include <gtest/gtest.h>

#include <algorithm>

#include "RptFixture.h"
#include "support/Unitscvt.h"

namespace {

class ScheduleTest : public ReportTest
{
protected:
  const CScheduleReportDataArray& Rows(const CReportContent& content) const
  {
    return static_cast<const CScheduleReportRows&>(content.GetRows()).m_rows;
  }
};

TEST_F(ScheduleTest, SampleProjectInFeetAndInches)
{
  SetReportCompanySource([] { return CString("Pell & Sons Builders"); });
  CDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  BuildSampleProject(doc);
  CReportContent content(schedule);
  content.Generate(&doc, 0);
  const std::string text = Joined(content.GetLines());
  EXPECT_EQ(text, Golden("schedule-imperial.txt", text));
  // Several 60-line pages, each opening with its header.
  ASSERT_GE(content.GetPageStarts().GetSize(), 2);
  for (int page = 0; page < content.GetPageStarts().GetSize(); ++page) {
    const int first = content.GetPageStarts()[page];
    EXPECT_EQ(content.GetLines()[first].Right(6), CString::Formatted("Page %i", page + 1));
    EXPECT_EQ(content.GetLines()[first + 1].Mid(34), "Window and Patio Door Schedule");
    const int end =
        page + 1 < content.GetPageStarts().GetSize() ? content.GetPageStarts()[page + 1] : content.GetLines().GetSize();
    EXPECT_LE(end - first, CReportContent::kPageLength);
  }
  EXPECT_EQ(content.GetText().str(), text);

  const std::string csvPath = dir.Path("schedule.csv");
  content.ExportCSV(csvPath.c_str(), 0);
  const std::string csv = ReadFile(csvPath);
  EXPECT_EQ(csv, Golden("schedule-imperial.csv", csv));
  const std::string textPath = dir.Path("schedule.txt");
  content.ExportText(textPath.c_str(), 0);
  const std::string exported = ReadFile(textPath);
  EXPECT_EQ(exported, Golden("schedule-imperial-export.txt", exported));

  // The second reader sees the fields the rows hold, quotes and commas of names included.
  const auto records = ReadCSVWithPython(csvPath);
  const CScheduleReportDataArray& rows = Rows(content);
  ASSERT_EQ(records.size(), static_cast<size_t>(rows.GetSize()) + 1);
  EXPECT_EQ(records[0], (std::vector<std::string>{"SerialID", "DesignName", "Reference", "Description", "UnitWidth",
                                                  "UnitHeight", "RoughOpeningWidth", "RoughOpeningHeight"}));
  BOOL sawQuote = FALSE;
  for (int i = 0; i < rows.GetSize(); ++i) {
    const auto& record = records[static_cast<size_t>(i) + 1];
    ASSERT_EQ(record.size(), 8u);
    EXPECT_EQ(std::stol(record[0]), rows[i]->m_nSerialID);
    EXPECT_EQ(record[1], rows[i]->m_strDesignName.ToUtf8());
    EXPECT_EQ(record[2], "");  // no unit fills the reference
    EXPECT_EQ(record[3], rows[i]->m_strDescription.ToUtf8());
    EXPECT_DOUBLE_EQ(std::stod(record[4]), rows[i]->m_dUnitWidth);
    EXPECT_NEAR(std::stod(record[6]), rows[i]->m_dRoughOpeningWidth, 0.0005);
    sawQuote = sawQuote || record[1].find('"') != std::string::npos;
  }
  EXPECT_TRUE(sawQuote);
}

TEST_F(ScheduleTest, SampleProjectInMillimetres)
{
  SetReportCompanySource([] { return CString("Pell & Sons Builders"); });
  CDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  BuildSampleProject(doc);
  CReportContent content(schedule);
  content.Generate(&doc, 3);
  const std::string text = Joined(content.GetLines());
  EXPECT_EQ(text, Golden("schedule-metric.txt", text));
  const std::string csvPath = dir.Path("schedule.csv");
  content.ExportCSV(csvPath.c_str(), 3);
  const std::string csv = ReadFile(csvPath);
  EXPECT_EQ(csv, Golden("schedule-metric.csv", csv));
  const auto records = ReadCSVWithPython(csvPath);
  const CScheduleReportDataArray& rows = Rows(content);
  ASSERT_EQ(records.size(), static_cast<size_t>(rows.GetSize()) + 1);
  CUnitsConverter converter;
  for (int i = 0; i < rows.GetSize(); ++i) {
    const auto& record = records[static_cast<size_t>(i) + 1];
    ASSERT_EQ(record.size(), 8u);
    EXPECT_EQ(record[5], converter.FormatLength(3, rows[i]->m_dUnitHeight).str());
    EXPECT_EQ(record[7], converter.FormatLength(3, rows[i]->m_dRoughOpeningHeight).str());
  }
}

TEST_F(ScheduleTest, IdenticalUnitsOnceAndImperialValuesAsShown)
{
  CDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  AddDesign(doc, "One", 1, {{"GL", "BA005", "GL4030"}, {"GL", "BA005", "GL4030"}, {"VG", "RE010"}});
  AddDesign(doc, "Two", 1, {{"GL", "BA005", "GL4030"}});
  CReportContent content(schedule);
  content.Generate(&doc, 0);
  const CScheduleReportDataArray& rows = Rows(content);
  ASSERT_EQ(rows.GetSize(), 3);
  EXPECT_EQ(rows[0]->m_strDesignName, "One");
  EXPECT_EQ(rows[2]->m_strDesignName, "Two");
  CUnitsConverter converter;
  for (int i = 0; i < rows.GetSize(); ++i)
    for (double value : {rows[i]->m_dUnitWidth, rows[i]->m_dUnitHeight, rows[i]->m_dRoughOpeningWidth,
                         rows[i]->m_dRoughOpeningHeight}) {
      double back = 0.0;
      ASSERT_TRUE(converter.ParseLength(1, converter.FormatLength(1, value), &back));
      EXPECT_EQ(back, value);
    }
}

TEST_F(ScheduleTest, EachContentKeepsItsOwnProjectRows)
{
  CDoc first, second;
  ASSERT_TRUE(first.OnNewDocument());
  ASSERT_TRUE(second.OnNewDocument());
  first.GetProjectData().SetProjectName("First Project");
  second.GetProjectData().SetProjectName("Second Project");
  AddDesign(first, "Porch", 1, {{"GL", "BA005", "GL3020"}});
  AddDesign(second, "Attic", 1, {{"DH", "KC003", "KC2640"}, {"AW", "BA002"}});
  CReportContent one(schedule), two(schedule);
  one.Generate(&first, 0);
  const std::string before = Joined(one.GetLines());
  two.Generate(&second, 0);
  // The first window laid out again (as for a printer or after printing) and exported after the
  // second generated: its own rows and names only.
  one.Layout(98, 60, 0);
  EXPECT_EQ(Joined(one.GetLines()), before);
  CStringArray csv;
  one.GetExportLines(TRUE, 0, csv);
  ASSERT_EQ(csv.GetSize(), 2);
  EXPECT_TRUE(csv[1].Find("\"Porch\"") > 0);
  EXPECT_NE(Joined(two.GetLines()).find("Second Project"), std::string::npos);
  EXPECT_EQ(before.find("Attic"), std::string::npos);
}

TEST_F(ScheduleTest, EmptyProjectGivesNoTextAndOnlyTheHeadingLine)
{
  CDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  AddDesign(doc, "Nothing", 1, {});
  CReportContent content(schedule);
  content.Generate(&doc, 0);
  EXPECT_EQ(content.GetLines().GetSize(), 0);
  EXPECT_EQ(content.GetPageStarts().GetSize(), 0);
  const std::string path = dir.Path("empty.csv");
  content.ExportCSV(path.c_str(), 0);
  EXPECT_EQ(ReadFile(path),
            "SerialID,DesignName,Reference,Description,UnitWidth,UnitHeight,RoughOpeningWidth,RoughOpeningHeight\r\n");
  const std::string textPath = dir.Path("empty.txt");
  content.ExportText(textPath.c_str(), 0);
  EXPECT_EQ(ReadFile(textPath), "");
}

// Names a spreadsheet would run as formulas are read back as text, and no control character
// reaches the file; Python's csv module still reads one record a row.
TEST_F(ScheduleTest, CSVCellsAreTextWithoutControlCharacters)
{
  CDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  const std::vector<std::string> names = {"=HYPERLINK(\"x\")", "+1",          "-2", "@SUM(A1)", " =3", "Esc\x1b[2J",
                                          "Line\r\nbreak",     "Plain - name"};
  for (const std::string& name : names)
    AddDesign(doc, name.c_str(), 1, {{"GL", "BA005", "GL4030"}});
  CReportContent content(schedule);
  content.Generate(&doc, 0);
  const std::string csvPath = dir.Path("hostile.csv");
  content.ExportCSV(csvPath.c_str(), 0);
  const std::string csv = ReadFile(csvPath);
  for (char c : csv) {
    if (static_cast<unsigned char>(c) < 0x20) {
      EXPECT_TRUE(c == '\r' || c == '\n') << "control byte " << static_cast<int>(c);
    }
  }
  EXPECT_EQ(csv.find("\r\nbreak"), std::string::npos);

  const auto records = ReadCSVWithPython(csvPath);
  ASSERT_EQ(records.size(), names.size() + 1);
  std::vector<std::string> cells;
  for (size_t i = 1; i < records.size(); ++i) {
    ASSERT_EQ(records[i].size(), 8u);
    cells.push_back(records[i][1]);
  }
  std::sort(cells.begin(), cells.end());
  std::vector<std::string> expected = {"'=HYPERLINK(\"x\")", "'+1",         "'-2", "'@SUM(A1)", "' =3", "Esc [2J",
                                       "Line  break",        "Plain - name"};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(cells, expected);
  // A NUL inside a text is no more written than the others.
  EXPECT_EQ(CReportGenerator::QuoteCSV(CString(std::string("a\0b", 3))), "\"a b\"");
}

}  // namespace
