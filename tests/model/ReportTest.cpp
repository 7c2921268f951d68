// Guards the report rows a unit makes and the sort and merge that count identical units once.
#include <memory>

#include "ModelTestUtil.h"
#include "model/Rptdata.h"

namespace {

class ReportTest : public ModelTest
{};

CScheduleReportData* Row(const char* design, const char* description, const char* key, double height = 0.0)
{
  auto* row = new CScheduleReportData;
  row->m_strDesignName = design;
  row->m_strDescription = description;
  row->m_strUnitKey = key;
  row->m_dUnitHeight = height;
  return row;
}

void GatherUnit(CUnit& unit, const char* design, CUnitInfoReportDataArray& records)
{
  const int first = records.GetSize();
  unit.GetReportData(records);
  for (int i = first; i < records.GetSize(); ++i)
    records.GetAt(i)->m_strDesignName = design;
}

TEST_F(ReportTest, ScheduleRowDescribesTheUnit)
{
  CTestUnit unit("GL", "BA005", 35.2, 48);
  CScheduleReportDataArray rows;
  unit.GetReportData(rows);
  ASSERT_EQ(rows.GetSize(), 1);
  const CScheduleReportData& row = *rows.GetAt(0);
  EXPECT_EQ(row.m_nSerialID, unit.GetUnitID());
  EXPECT_EQ(row.m_strUnitKey, "GL,BA005");
  EXPECT_EQ(row.m_strDescription, "Gliding Glider");
  EXPECT_TRUE(row.m_strDesignName.IsEmpty());
  EXPECT_TRUE(row.m_strReference.IsEmpty());
  EXPECT_EQ(row.m_dUnitWidth, 35.2);
  EXPECT_EQ(row.m_dUnitHeight, 48.0);
  EXPECT_EQ(row.m_dRoughOpeningWidth, 36.75);
  EXPECT_EQ(row.m_dRoughOpeningHeight, 49.5);
}

TEST_F(ReportTest, InfoRecordsOnePerChoiceWithTheSameKey)
{
  CTestUnit plain("DH", "PI003");
  CUnitInfoReportDataArray records;
  plain.GetReportData(records);
  ASSERT_EQ(records.GetSize(), 1);
  EXPECT_EQ(records.GetAt(0)->m_strUnitKey, "DH,PI003,NoOptions");
  EXPECT_EQ(records.GetAt(0)->m_nOptionCategory, 0);
  EXPECT_EQ(records.GetAt(0)->m_nOptionChoice, 0);
  EXPECT_EQ(records.GetAt(0)->m_nUnitQuantity, 1);
  EXPECT_EQ(records.GetAt(0)->m_nDesignQuantity, 1);

  CTestUnit glider("GL", "BA005");
  ASSERT_TRUE(glider.SetOptionChoice(5, 3));
  ASSERT_TRUE(glider.SetOptionChoice(1, 2));
  ASSERT_TRUE(glider.SetOptionChoice(7, 2));
  ASSERT_TRUE(glider.SetOptionChoice(2, 2));  // hides the exterior colour
  records.RemoveAll();
  glider.GetReportData(records);
  ASSERT_EQ(records.GetSize(), 3);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(records.GetAt(i)->m_strUnitKey, "GL,BA005,1:2,2:2,5:3");
  EXPECT_EQ(records.GetAt(0)->m_nOptionCategory, 1);
  EXPECT_EQ(records.GetAt(1)->m_nOptionCategory, 2);
  EXPECT_EQ(records.GetAt(2)->m_nOptionCategory, 5);
  EXPECT_EQ(records.GetAt(2)->m_nOptionChoice, 3);
}

TEST_F(ReportTest, ScheduleSortKeepsOneRowOfEachTextSet)
{
  CScheduleReportDataArray rows;
  rows.SortAndMerge();
  EXPECT_EQ(rows.GetSize(), 0);
  rows.Add(Row("B", "Glider", "GL,BA005"));
  rows.SortAndMerge();
  EXPECT_EQ(rows.GetSize(), 1);
  rows.Add(Row("A", "Glider", "GL,BA005", 48));
  rows.Add(Row("B", "Glider", "GL,BA005", 60));  // equal texts, another height: merged
  rows.Add(Row("A", "Awning", "AW,BA002"));
  rows.Add(Row("A", "Glider", "GL,BA005", 48));
  rows.Add(Row("a", "Glider", "GL,BA005"));
  rows.SortAndMerge();
  ASSERT_EQ(rows.GetSize(), 4);
  EXPECT_EQ(rows.GetAt(0)->m_strDescription, "Awning");
  EXPECT_EQ(rows.GetAt(1)->m_strDesignName, "A");
  EXPECT_EQ(rows.GetAt(1)->m_strDescription, "Glider");
  EXPECT_EQ(rows.GetAt(2)->m_strDesignName, "B");
  EXPECT_EQ(rows.GetAt(3)->m_strDesignName, "a");  // byte order: capitals first
}

TEST_F(ReportTest, EqualUnitsOfOneDesignMergeIntoOneGroup)
{
  CUnitInfoReportDataArray records;
  records.SortAndMerge();
  std::vector<std::unique_ptr<CTestUnit>> units;
  for (int i = 0; i < 4; ++i) {
    units.push_back(std::make_unique<CTestUnit>("GL", "BA005"));
    ASSERT_TRUE(units.back()->SetOptionChoice(5, 3));
    ASSERT_TRUE(units.back()->SetOptionChoice(1, 2));
  }
  CTestUnit different("GL", "BA005");
  ASSERT_TRUE(different.SetOptionChoice(5, 2));
  GatherUnit(*units[0], "Kitchen", records);
  GatherUnit(different, "Kitchen", records);
  GatherUnit(*units[1], "Kitchen", records);
  GatherUnit(*units[2], "Bath", records);
  GatherUnit(*units[3], "Kitchen", records);
  records.SortAndMerge();
  ASSERT_EQ(records.GetSize(), 2 + 1 + 2);
  // Bath first, then the Kitchen units ordered by key.
  EXPECT_EQ(records.GetAt(0)->m_strDesignName, "Bath");
  EXPECT_EQ(records.GetAt(0)->m_nUnitQuantity, 1);
  EXPECT_EQ(records.GetAt(2)->m_strUnitKey, "GL,BA005,1:2,5:3");
  EXPECT_EQ(records.GetAt(2)->m_nSerialID, units[0]->GetUnitID());
  EXPECT_EQ(records.GetAt(2)->m_nOptionCategory, 1);
  EXPECT_EQ(records.GetAt(2)->m_nUnitQuantity, 3);
  EXPECT_EQ(records.GetAt(3)->m_nOptionCategory, 5);
  EXPECT_EQ(records.GetAt(3)->m_nUnitQuantity, 3);
  EXPECT_EQ(records.GetAt(4)->m_strUnitKey, "GL,BA005,5:2");
  EXPECT_EQ(records.GetAt(4)->m_nUnitQuantity, 1);
}

TEST_F(ReportTest, ScheduleMergeKeepsTheFirstOfEqualRowsAtAnySize)
{
  // Equal texts, different ids and heights, mixed among other rows: the row added first stays,
  // as the exchange sort the schedule was designed with leaves it.
  CScheduleReportDataArray rows;
  const int kDesigns = 2000;
  for (int i = 0; i < kDesigns; ++i) {
    const CString design = CString::Formatted("D%04d", (i * 7919) % kDesigns);
    for (int copy = 0; copy < 3; ++copy) {
      CScheduleReportData* row = Row(design, copy == 1 ? "Awning" : "Glider", "K", 10.0 * copy);
      row->m_nSerialID = 3 * i + copy;
      rows.Add(row);
    }
    rows.Add(Row(design, "Glider", "K", 99.0));
  }
  rows.SortAndMerge();
  ASSERT_EQ(rows.GetSize(), 2 * kDesigns);
  for (int i = 0; i < rows.GetSize(); i += 2) {
    EXPECT_EQ(rows.GetAt(i)->m_strDescription, "Awning");
    EXPECT_EQ(rows.GetAt(i + 1)->m_strDescription, "Glider");
    EXPECT_EQ(rows.GetAt(i + 1)->m_dUnitHeight, 0.0);  // the first glider, not a later one
    EXPECT_EQ(rows.GetAt(i + 1)->m_nSerialID, rows.GetAt(i)->m_nSerialID - 1);
    if (i > 0) {
      EXPECT_LT(rows.GetAt(i - 1)->m_strDesignName.Compare(rows.GetAt(i)->m_strDesignName), 0);
    }
  }
}

}  // namespace
