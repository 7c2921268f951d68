// Guards the unit information report end to end: the kept text and CSV of a project of catalogue
// units, Python's csv module reading back the fields, merged quantities, codes the catalogue
// lacks shown as numbers, and the 20-line unit block.
#include <gtest/gtest.h>

#include "RptFixture.h"

namespace {

class UnitInfoTest : public ReportTest
{
protected:
  void SetUp() override
  {
    ReportTest::SetUp();
    rows->m_strProjectName = "Den House";
    rows->m_strCompanyName = "Pell & Sons";
  }
  const CUnitInfoReportDataArray& Rows(const CReportContent& content) const
  {
    return static_cast<const CUnitInfoReportRows&>(content.GetRows()).m_rows;
  }
  static CUnitInfoReportData* Row(int id, const char* operation, int category, int choice)
  {
    auto* pRow = new CUnitInfoReportData;
    pRow->m_nSerialID = id;
    pRow->m_strDesignName = "Den";
    pRow->m_nDesignQuantity = 3;
    pRow->m_strDescription = "GL4030";
    pRow->m_strOperationCode = operation;
    pRow->m_nOptionCategory = category;
    pRow->m_nOptionChoice = choice;
    return pRow;
  }
  // Lays out rows given directly, as a content rebuilt from a project would hold them.
  void Lay(std::initializer_list<CUnitInfoReportData*> given, BOOL csv = FALSE)
  {
    auto& held = static_cast<CUnitInfoReportRows&>(*rows).m_rows;
    held.RemoveAll();
    for (CUnitInfoReportData* pRow : given)
      held.Add(pRow);
    lines.RemoveAll();
    pageStarts.RemoveAll();
    unitInfo.Initialize(rows.get(), &lines, &pageStarts, unitInfo.GetLineWidth(), 60, 0);
    if (csv)
      unitInfo.WriteCSV();
    else
      unitInfo.WriteText();
  }

  std::unique_ptr<CReportRows> rows = unitInfo.CreateRows();
  CStringArray lines;
  CReportPageStarts pageStarts;
};

TEST_F(UnitInfoTest, SampleProject)
{
  SetReportCompanySource([] { return CString("Pell & Sons Builders"); });
  CDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  BuildSampleProject(doc);
  CReportContent content(unitInfo);
  content.Generate(&doc, 0);
  const std::string text = Joined(content.GetLines());
  EXPECT_EQ(text, Golden("unitinfo.txt", text));
  ASSERT_GE(content.GetPageStarts().GetSize(), 2);
  for (int page = 0; page < content.GetPageStarts().GetSize(); ++page) {
    const int first = content.GetPageStarts()[page];
    EXPECT_EQ(content.GetLines()[first].Right(6), CString::Formatted("Page %i", page + 1));
    EXPECT_EQ(content.GetLines()[first + 6].Left(5), "===  ");
    EXPECT_NE(content.GetLines()[first + 7], "");  // no page opens with a blank line
  }
  // The measurement units change nothing in this report.
  CReportContent metric(unitInfo);
  metric.Generate(&doc, 3);
  EXPECT_EQ(Joined(metric.GetLines()), text);

  const std::string csvPath = dir.Path("unitinfo.csv");
  content.ExportCSV(csvPath.c_str(), 0);
  const std::string csv = ReadFile(csvPath);
  EXPECT_EQ(csv, Golden("unitinfo.csv", csv));

  const auto records = ReadCSVWithPython(csvPath);
  const CUnitInfoReportDataArray& rows = Rows(content);
  ASSERT_EQ(records.size(), static_cast<size_t>(rows.GetSize()) + 1);
  EXPECT_EQ(records[0], (std::vector<std::string>{"SerialID", "DesignName", "DesignQty", "Reference", "UnitQty",
                                                  "Description", "Operation", "OptionCategory", "OptionChoice"}));
  int merged = 0;
  for (int i = 0; i < rows.GetSize(); ++i) {
    const auto& record = records[static_cast<size_t>(i) + 1];
    ASSERT_EQ(record.size(), 9u);
    EXPECT_EQ(std::stol(record[0]), rows[i]->m_nSerialID);
    EXPECT_EQ(record[1], rows[i]->m_strDesignName.ToUtf8());
    EXPECT_EQ(std::stoi(record[2]), rows[i]->m_nDesignQuantity);
    EXPECT_EQ(std::stoi(record[4]), rows[i]->m_nUnitQuantity);
    EXPECT_EQ(record[5], rows[i]->m_strDescription.ToUtf8());
    EXPECT_EQ(record[7].empty(), rows[i]->m_nOptionCategory == 0);
    merged += rows[i]->m_nUnitQuantity > 1;
  }
  // The two equal kitchen gliders are one unit of quantity 2, on each of its two option rows.
  EXPECT_EQ(merged, 2);
}

TEST_F(UnitInfoTest, MissingCatalogueTextsShowTheirNumbers)
{
  Lay({Row(7, "ZZ", 12, 4), Row(7, "ZZ", 36, 99), Row(9, "VF", 1, 2)});
  const std::string text = Joined(lines);
  ASSERT_EQ(lines.GetSize(), 7 + 5);
  EXPECT_EQ(lines[7].Left(10), "3 - Den");
  EXPECT_EQ(lines[8].Mid(43, 3), "#ZZ");
  EXPECT_EQ(lines[8].Mid(68), CString("#12") + CString(' ', 17) + "#4");
  EXPECT_EQ(lines[9].Mid(68), CString("Grille Type") + CString(' ', 9) + "#99");
  EXPECT_EQ(lines[10], "");
  EXPECT_EQ(lines[11].Mid(43), CString("Left Vent, Right Fixed   Glazing") + CString(' ', 13) + "Triple Pane, Clear");

  Lay({Row(7, "ZZ", 12, 4), Row(8, "", 0, 0)}, TRUE);
  ASSERT_EQ(lines.GetSize(), 3);
  EXPECT_EQ(lines[1], "7,\"Den\",3,\"\",1,\"GL4030\",\"#ZZ\",\"#12\",\"#4\"");
  EXPECT_EQ(lines[2], "8,\"Den\",3,\"\",1,\"GL4030\",\"\",\"\",\"\"");
}

TEST_F(UnitInfoTest, UnitBlockHoldsAtMostTwentyLines)
{
  auto& held = static_cast<CUnitInfoReportRows&>(*rows).m_rows;
  held.RemoveAll();
  for (int i = 0; i < 25; ++i)
    held.Add(Row(5, "", 1, 1));
  lines.RemoveAll();
  pageStarts.RemoveAll();
  unitInfo.Initialize(rows.get(), &lines, &pageStarts, unitInfo.GetLineWidth(), 60, 0);
  unitInfo.WriteText();
  // Header 7, blank dropped, heading, then option lines up to the block's 20th line.
  ASSERT_EQ(lines.GetSize(), 7 + 1 + 18);
  EXPECT_EQ(lines[8].Mid(43, 3), "n/a");
  EXPECT_EQ(lines[8].Mid(68, 7), "Glazing");
}

}  // namespace
