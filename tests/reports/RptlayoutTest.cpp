// Guards the report text layout: column placement and its cuts, the page header frame, page
// breaks that keep blocks together, and the writers' refusal to run unbound.
#include <gtest/gtest.h>

#include "RptFixture.h"
#include "support/ComExcpt.h"

namespace {

class LayoutTest : public ReportTest
{
protected:
  // A schedule row of a design, description and width.
  static CScheduleReportData* Row(const char* design, const char* description, double width = 35.5)
  {
    auto* pRow = new CScheduleReportData;
    pRow->m_strDesignName = design;
    pRow->m_strDescription = description;
    pRow->m_dUnitWidth = width;
    pRow->m_dUnitHeight = 47.5;
    pRow->m_dRoughOpeningWidth = width + 1.5;
    pRow->m_dRoughOpeningHeight = 49;
    return pRow;
  }
  void Lay(int pageLength, int units = 0)
  {
    lines.RemoveAll();
    pageStarts.RemoveAll();
    schedule.Initialize(rows.get(), &lines, &pageStarts, schedule.GetLineWidth(), pageLength, units);
    schedule.WriteText();
  }
  CScheduleReportDataArray& Rows() { return static_cast<CScheduleReportRows&>(*rows).m_rows; }

  std::unique_ptr<CReportRows> rows = schedule.CreateRows();
  CStringArray lines;
  CReportPageStarts pageStarts;
};

TEST_F(LayoutTest, PutTextCutsToFieldLineAndRoom)
{
  CStringArray block;
  CReportGenerator::PutText(block, 3, 98, 6, 4, "Casements!", 0);
  ASSERT_EQ(block.GetSize(), 1);
  EXPECT_EQ(block[0], "      Case");

  CReportGenerator::PutText(block, 3, 98, 95, 13, "123456789", 0);
  EXPECT_EQ(block[0], CString("      Case") + CString(' ', 85) + "123");

  // Overwrites exactly its own width, keeping what stands to the right.
  CReportGenerator::PutText(block, 3, 98, 2, 3, "xyz", 0);
  EXPECT_EQ(block[0].Left(12), "  xyz Case  ");

  // Nothing at or past the line width, and an empty text does not even make the row.
  CReportGenerator::PutText(block, 3, 98, 98, 5, "late", 0);
  CReportGenerator::PutText(block, 3, 98, 0, 5, "", 2);
  EXPECT_EQ(block.GetSize(), 1);
  EXPECT_EQ(block[0].GetLength(), 98);

  // Rows at or past the most-lines limit are dropped.
  CReportGenerator::PutText(block, 3, 98, 0, 5, "drop", 3);
  EXPECT_EQ(block.GetSize(), 1);
}

TEST_F(LayoutTest, NegativeColumnStartsAtTheLeftEdgeWithinTheLine)
{
  CStringArray block;
  const CString wide(CString('W', 120));
  CReportGenerator::PutText(block, 8, 98, 49 - 60, 120, wide, 0);
  ASSERT_EQ(block.GetSize(), 1);
  EXPECT_EQ(block[0], CString('W', 98));
}

TEST_F(LayoutTest, RowSearchTakesTheLineUnderTheLastText)
{
  CStringArray block;
  CReportGenerator::PutText(block, 8, 98, 30, 30, "Window and Patio Door Schedule", 1);
  CReportGenerator::PutText(block, 8, 98, 40, 8, "Project", -1);
  CReportGenerator::PutText(block, 8, 98, 40, 7, "Company", -1);
  ASSERT_EQ(block.GetSize(), 4);
  EXPECT_EQ(block[2].Mid(40), "Project");
  EXPECT_EQ(block[3].Mid(40), "Company");

  // An empty first text takes no line, so the next one moves up; a field over blanks only
  // is free.
  CStringArray other;
  CReportGenerator::PutText(other, 8, 98, 30, 30, "Window and Patio Door Schedule", 1);
  CReportGenerator::PutText(other, 8, 98, 40, 0, "", -1);
  CReportGenerator::PutText(other, 8, 98, 40, 7, "Company", -1);
  EXPECT_EQ(other.GetSize(), 3);
  CReportGenerator::PutText(other, 8, 98, 70, 4, "Free", -1);
  EXPECT_EQ(other[0].Mid(70), "Free");
}

TEST_F(LayoutTest, PageHeaderFrame)
{
  rows->m_strProjectName = "Harbor View";
  rows->m_strCompanyName = "Pell & Sons";
  Rows().Add(Row("Kitchen", "GL4030"));
  Lay(60);
  ASSERT_GE(lines.GetSize(), 8);
  EXPECT_EQ(lines[0], CString("03/09/26") + CString(' ', 82) + "Page 1");
  EXPECT_EQ(lines[1], CString(' ', 49 - 15) + "Window and Patio Door Schedule");
  EXPECT_EQ(lines[2], CString(' ', 49 - 5) + "Harbor View");
  EXPECT_EQ(lines[3], CString(' ', 49 - 5) + "Pell & Sons");
  EXPECT_EQ(lines[4], "");
  EXPECT_EQ(lines[5].GetLength(), 98);
  EXPECT_EQ(lines[6].GetLength(), 94);
  EXPECT_EQ(lines[7].Left(3), "===");
  // The design heading opens the block; its blank separator is dropped under the header.
  EXPECT_EQ(lines[8], "Kitchen");
  EXPECT_EQ(schedule.GetDateText(), "03/09/26");

  // Without a company name the headings move up one line.
  rows->m_strCompanyName.Empty();
  Lay(60);
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(lines[4].GetLength(), 98);
}

TEST_F(LayoutTest, BlocksStayTogetherAcrossPageBreaks)
{
  rows->m_strProjectName = "P";
  rows->m_strCompanyName = "C";
  // One design of 49 rows: header 8 + heading 1 + 49 rows = 58 lines; the next design's block
  // of 3 (blank, heading, row) does not fit and starts page 2 under its own header.
  for (int i = 0; i < 49; ++i)
    Rows().Add(Row("A", CString::Formatted("A%02d", i)));
  Rows().Add(Row("B", "B00"));
  Rows().Add(Row("B", "B01"));
  Lay(60);
  ASSERT_EQ(pageStarts.GetSize(), 2);
  EXPECT_EQ(pageStarts[0], 0);
  EXPECT_EQ(pageStarts[1], 58);
  EXPECT_TRUE(lines[58].Find("Page 2") > 0);
  EXPECT_EQ(lines[58 + 8], "B");  // the blank is dropped at the top of the page
  EXPECT_EQ(lines[58 + 9].Mid(6, 3), "B00");
  EXPECT_EQ(lines.GetSize(), 58 + 8 + 3);

  // Without page breaks: one header, one page start.
  for (int length : {0, -1}) {
    Lay(length);
    EXPECT_EQ(pageStarts.GetSize(), 1);
    EXPECT_EQ(lines.GetSize(), 8 + 1 + 49 + 2 + 2);
    EXPECT_EQ(lines[58], "");  // the separator stays in the middle of a page
    EXPECT_EQ(lines[59], "B");
  }
}

TEST_F(LayoutTest, WritersRefuseToRunUnbound)
{
  try {
    schedule.WriteText();
    FAIL() << "no exception";
  } catch (const CCommonException& e) {
    EXPECT_EQ(e.file, "Schrptgn");
  }
  try {
    unitInfo.WriteCSV();
    FAIL() << "no exception";
  } catch (const CCommonException& e) {
    EXPECT_EQ(e.file, "Uirptgen");
  }
  // Rows of the other report are refused at binding.
  auto infoRows = unitInfo.CreateRows();
  EXPECT_THROW(schedule.Initialize(infoRows.get(), &lines, &pageStarts, 98, 60, 0), CCommonException);
  // A generator let go of its arrays refuses again.
  Lay(60);
  schedule.Unbind();
  EXPECT_THROW(schedule.WriteCSV(), CCommonException);
  CDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  EXPECT_THROW(schedule.BuildRows(&doc), CCommonException);
}

TEST_F(LayoutTest, EveryUnitsCodeButThreeIsImperial)
{
  rows->m_strProjectName = "P";
  rows->m_strCompanyName = "C";
  Rows().Add(Row("Kitchen", "GL4030", 35.5));
  Lay(-1, 0);
  CStringArray imperial;
  imperial.Copy(lines);
  EXPECT_TRUE(imperial[8 + 1].Find("2'-11 1/2\"") > 0) << imperial[9].c_str();
  for (int code : {-1, 4, 5, 7, 99}) {
    Lay(-1, code);
    EXPECT_EQ(Joined(lines), Joined(imperial)) << code;
  }
  Lay(-1, 3);
  EXPECT_EQ(lines[9].Mid(39, 13).Left(3), "902");
}

}  // namespace
