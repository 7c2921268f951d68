// Guards the custom arched base: a new unit takes the first base of at least 72 inches, bases
// are selected only from the list (a base written with "%.15g" reads back), the attribute string
// and report keys carry base and width, the limit checks include their bounds, and a chord
// turns into an arch (or is refused without any change).
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "BaseLeaves.h"
#include "BaseTests.h"
#include "OddCatalogue.h"
#include "geometry/2dline.h"
#include "model/Rptdata.h"
#include "productdata/Catalog.h"
#include "productdb/txdbExcp.h"
#include "productdb/txrecobj.h"

namespace {

class CustarchTest : public ModelTest
{};

class COtherCustomArchLeaf : public CCustomArchLeaf
{
  DECLARE_DYNAMIC(COtherCustomArchLeaf)
public:
  using CCustomArchLeaf::CCustomArchLeaf;
};
IMPLEMENT_DYNAMIC(COtherCustomArchLeaf, CCustomArchLeaf)

const double kRise48 = 72.0 - 0.5 * std::sqrt(4.0 * 72.0 * 72.0 - 48.0 * 48.0);

TEST_F(CustarchTest, ANewUnitTakesTheFirstBaseOfAtLeast72)
{
  CCustomArchLeaf unit;
  EXPECT_DOUBLE_EQ(unit.GetBase(), 72.0);
  CArray<double, double> bases;
  unit.GetBaseList(bases);
  EXPECT_EQ(std::vector<double>(bases.begin(), bases.end()), (std::vector<double>{36, 48, 60, 72, 84, 96}));
}

TEST_F(CustarchTest, WithoutABaseOf72OrMoreNoUnitIsMade)
{
  // The sample catalogue without its large bases, written to a folder of this test.
  const char* source = std::getenv("PANECRAFT_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  const CCatalogue catalogue = CCatalogue::Load((std::string(source) + "/productdata/catalogue").c_str());
  CTableWriter writer;
  for (const CCatalogueTable& table : catalogue.GetTables()) {
    const int t = writer.AddTable(table.layout);
    for (const CCsvRecord& record : table.rows)
      if (table.layout.name != "ARLIMITS" || StrToDouble(record.values[0]) < 72.0)
        writer.AddRow(t, CCatalogue::MakeRow(table, record));
  }
  // A folder of this run's own: builds testing side by side share the temporary folder.
  std::string pattern = (std::filesystem::path(testing::TempDir()) / "custarch_small_bases_XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const std::filesystem::path folder = pattern;
  struct CRemoveAfter
  {
    std::filesystem::path folder;
    ~CRemoveAfter()
    {
      std::error_code ignored;
      std::filesystem::remove_all(folder, ignored);
    }
  } removeAfter{folder};
  writer.WriteFile((folder / "TXDB.SDF").string().c_str());
  ASSERT_TRUE(CRecObj::ResetRegistries());
  CTXRecObj::SetDatabaseDirectory((folder.string() + "/").c_str());
  try {
    CCustomArchLeaf unit;
    ADD_FAILURE() << "a unit was made";
  } catch (const CTXDBException& e) {
    EXPECT_EQ(e.file, "Custarch");
    EXPECT_EQ(e.line, 68);
    EXPECT_EQ(e.cause, 1);
  }
}

TEST_F(CustarchTest, OnlyListedBasesAreSelected)
{
  CCustomArchLeaf unit;
  ExpectUnitError([&] { unit.SetBase(72.0000001); }, "Custarch", 305);
  ExpectUnitError([&] { unit.SetBase(50.0); }, "Custarch", 305);
  EXPECT_DOUBLE_EQ(unit.GetBase(), 72.0);
  unit.SetBase(84.0);
  EXPECT_DOUBLE_EQ(unit.GetBase(), 84.0);
  unit.SetBase(72.0 * (1.0 + 5e-16));
  EXPECT_DOUBLE_EQ(unit.GetBase(), 72.0);
}

TEST_F(CustarchTest, AttributesEndWithBaseAndWidthBeforeTheLeafsValues)
{
  CCustomArchLeaf unit(48.5, 36.0);
  EXPECT_EQ(unit.GetAttributes(), "AR,S1013,0,72,48.5,36");
  unit.SetBase(84.0);
  CString text = unit.GetAttributes();
  CCustomArchLeaf copy(60.0, 30.0);
  copy.SetAttributes(text);
  EXPECT_DOUBLE_EQ(copy.GetBase(), 84.0);
  EXPECT_DOUBLE_EQ(copy.GetWidth(), 48.5);
  EXPECT_DOUBLE_EQ(copy.GetLeg(), 36.0);
  EXPECT_EQ(copy.GetAttributes(), unit.GetAttributes());
  CString unknownBase = "AR,S1013,0,73,48.5,36";
  ExpectUnitError([&] { copy.SetAttributes(unknownBase); }, "Custarch", 305);
}

TEST_F(CustarchTest, ABaseOrWidthThatIsNoNumberIsRefused)
{
  CCustomArchLeaf unit(48.5, 36.0);
  ExpectUnitError([&] { unit.SetBase(std::nan("")); }, "Custarch", 305);
  EXPECT_DOUBLE_EQ(unit.GetBase(), 72.0);
  CString notANumberBase = "AR,S1013,0,nan,48.5,36";
  ExpectUnitError([&] { unit.SetAttributes(notANumberBase); }, "Custarch", 305);
  CString infiniteWidth = "AR,S1013,0,84,inf,36";
  ExpectUnitError([&] { unit.SetAttributes(infiniteWidth); }, "Custarch", 318);
  EXPECT_DOUBLE_EQ(unit.GetBase(), 72.0);  // the base read before the width stays unselected
  CString noWidth = "AR,S1013,0,84";
  ExpectUnitError([&] { unit.SetAttributes(noWidth); }, "Unit", 1292);
  EXPECT_DOUBLE_EQ(unit.GetBase(), 72.0);
  CString notANumberWidth = "AR,S1013,0,84,nan,36";
  ExpectUnitError([&] { unit.SetAttributes(notANumberWidth); }, "Custarch", 318);
  EXPECT_DOUBLE_EQ(unit.GetWidth(), 48.5);
}

TEST_F(CustarchTest, ABaseThatIsNoWholeNumberReadsBackFromItsText)
{
  COddCatalogue data;
  data.AddRow("ARLIMITS", {"78.3", "18", "136.8", "78.3", "0.3491", "1.5708"});
  data.Use();
  CCustomArchLeaf unit;
  unit.SetBase(78.3f);
  const CString text = unit.GetAttributes();
  EXPECT_EQ(text, "AR,S1013,0,78.3000030517578,48,36");
  CCustomArchLeaf copy;
  CString consumed = text;
  copy.SetAttributes(consumed);
  EXPECT_DOUBLE_EQ(copy.GetBase(), static_cast<double>(78.3f));
}

TEST_F(CustarchTest, ReportKeysCarryBaseAndWidth)
{
  CCustomArchLeaf unit(48.5, 36.0);
  CScheduleReportDataArray rows;
  unit.GetReportData(rows);
  ASSERT_EQ(rows.GetSize(), 1);
  EXPECT_EQ(rows[0]->m_strUnitKey, "AR,S1013,72,48.5");
  CUnitInfoReportDataArray records;
  unit.GetReportData(records);
  ASSERT_EQ(records.GetSize(), 1);
  EXPECT_EQ(records[0]->m_strUnitKey, "AR,S1013,NoOptions,72,48.5");
}

TEST_F(CustarchTest, LimitChecksIncludeTheirBounds)
{
  CCustomArchLeaf unit;
  EXPECT_TRUE(unit.IsChordWithinLimits(18.0));
  EXPECT_FALSE(unit.IsChordWithinLimits(17.99));
  EXPECT_TRUE(unit.IsChordWithinLimits(136.8));
  EXPECT_FALSE(unit.IsChordWithinLimits(136.81));
  unit.SetWidthUnchecked(6.0);
  EXPECT_TRUE(unit.IsWidthWithinLimits());
  unit.SetWidthUnchecked(5.99);
  EXPECT_FALSE(unit.IsWidthWithinLimits());
  unit.SetWidthUnchecked(96.01);
  EXPECT_FALSE(unit.IsWidthWithinLimits());
  unit.SetWidthUnchecked(std::nan(""));
  EXPECT_FALSE(unit.IsWidthWithinLimits());

  unit.m_dAreaHeight = 120.0;  // 120 x 48 inches is exactly the 40 square feet allowed
  unit.m_dAreaWidth = 48.0;
  EXPECT_TRUE(unit.IsAreaWithinLimits());
  unit.m_dAreaWidth = 48.01;
  EXPECT_FALSE(unit.IsAreaWithinLimits());
  unit.m_dAreaHeight = 0.0;
  EXPECT_FALSE(unit.IsAreaWithinLimits());
}

TEST_F(CustarchTest, AChordBecomesAnArchCentredOnTheUnit)
{
  CCustomArchLeaf unit;
  EXPECT_NEAR(unit.GetArchCentre().GetX(), 24.0, 1e-12);
  EXPECT_NEAR(unit.GetArchCentre().GetY(), 36.0 + kRise48 - 72.0, 1e-12);
  EXPECT_NEAR(unit.GetHeight(), 36.0 + kRise48, 1e-12);
  const CVRX2DVector up = unit.GetRiseVector(CVRX2DLine(0, CVRX2DPoint(0, 36), CVRX2DPoint(48, 36)));
  const CVRX2DVector back = unit.GetRiseVector(CVRX2DLine(0, CVRX2DPoint(48, 36), CVRX2DPoint(0, 36)));
  EXPECT_EQ(up, back);
  EXPECT_NEAR(up.GetX(), 0.0, 1e-12);
  EXPECT_NEAR(up.GetY(), kRise48, 1e-12);
  // The corner check is asked about both angles of the arch.
  EXPECT_TRUE(unit.AreCurrentDimensionsValid());
  ASSERT_EQ(unit.m_CheckedAngles.size(), 2u);
  EXPECT_NEAR(unit.m_CheckedAngles[0], std::atan2(72.0 - kRise48, 24.0), 1e-12);
  // A chord too short for the limits is refused and the arch stays.
  const CVRX2DVector centre = unit.GetArchCentre();
  EXPECT_FALSE(unit.SetArchFromChord(CVRX2DLine(0, CVRX2DPoint(0, 36), CVRX2DPoint(17, 36))));
  EXPECT_EQ(unit.GetArchCentre(), centre);
  EXPECT_NEAR(CCustomArchedUnit::SqrtDiffSquares(3.0, 3.0 + 1e-12), 0.0, 1e-5);
  EXPECT_DOUBLE_EQ(CCustomArchedUnit::SqrtSumSquares(3.0, 4.0), 5.0);
}

TEST_F(CustarchTest, ARefusedChordLeavesTheProposalAsItWas)
{
  CCustomArchLeaf unit;
  ASSERT_EQ(unit.ConformProposedSize(2, CVRX2DVector(12, 0)), CUnit::inboundsChanged);
  EXPECT_DOUBLE_EQ(unit.GetProposedWidth(), 60.0);
  const CVRX2DVector proposedCentre = unit.GetProposedArchCentre();
  CVRX2DEntityArray out;
  EXPECT_EQ(unit.GetProposedOutlineEntities(out), CVRX2DVector(12, 0));
  EXPECT_EQ(unit.ConformProposedSize(2, CVRX2DVector(60, 0)), CUnit::outOfBoundsUnchanged);   // too wide
  EXPECT_EQ(unit.ConformProposedSize(2, CVRX2DVector(100, 0)), CUnit::outOfBoundsUnchanged);  // chord too long
  EXPECT_DOUBLE_EQ(unit.GetProposedWidth(), 60.0);
  EXPECT_EQ(unit.GetProposedArchCentre(), proposedCentre);
  EXPECT_EQ(unit.GetProposedOutlineEntities(out), CVRX2DVector(12, 0));
  EXPECT_EQ(unit.SetSizeToProposed(), CVRX2DVector(12, 0));
  EXPECT_DOUBLE_EQ(unit.GetWidth(), 60.0);
  EXPECT_EQ(unit.GetArchCentre(), proposedCentre);
}

TEST_F(CustarchTest, AChordDrawnRightToLeftGivesThePositiveWidth)
{
  CCustomArchLeaf unit;
  ASSERT_EQ(unit.ConformArchToChord(CVRX2DLine(0, CVRX2DPoint(50, 36), CVRX2DPoint(0, 36)), CVRX2DVector(1, 0)),
            CUnit::inboundsChanged);
  EXPECT_DOUBLE_EQ(unit.GetProposedWidth(), 50.0);
  EXPECT_NEAR(unit.GetProposedArchCentre().GetX(), 25.0, 1e-12);
  CVRX2DEntityArray out;
  EXPECT_EQ(unit.GetProposedOutlineEntities(out), CVRX2DVector(1, 0));
}

TEST_F(CustarchTest, ARefusedSizeLeavesTheUnitAsItWas)
{
  CCustomArchLeaf unit(48.0, 36.0);
  const CString before = unit.GetAttributes();
  CArray<double, double> values;
  values.Add(120.0);  // wider than the largest side
  values.Add(20.0);
  EXPECT_FALSE(unit.SetDimensionValues(84.0, 0, values));
  EXPECT_EQ(unit.GetAttributes(), before);
  EXPECT_DOUBLE_EQ(unit.GetBase(), 72.0);
}

TEST_F(CustarchTest, DimensionsCopiesAndAssignment)
{
  CCustomArchLeaf unit;
  CStringArray labels;
  unit.GetDimensionLabels(labels);
  ASSERT_EQ(labels.GetSize(), 2);
  EXPECT_EQ(labels[0], "Base:");
  double base = 0.0;
  int count = -1;
  CArray<double, double> values;
  unit.GetDimensionValues(base, count, values);
  EXPECT_EQ(base, 72.0);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(values[0], 48.0);
  values[0] = 50.0;
  values[1] = 30.0;
  EXPECT_TRUE(unit.SetDimensionValues(84.0, 0, values));
  EXPECT_EQ(unit.GetBase(), 84.0);
  EXPECT_EQ(unit.GetProposedWidth(), 50.0);

  std::unique_ptr<CUnit> clone(unit.Clone());
  auto& copy = static_cast<CCustomArchLeaf&>(*clone);
  EXPECT_EQ(copy.GetBase(), 84.0);
  EXPECT_EQ(copy.GetArchCentre(), unit.GetArchCentre());
  COtherCustomArchLeaf other;
  ExpectUnitError([&] { static_cast<CUnit&>(other) = unit; }, "Custarch", 95);
  EXPECT_EQ(other.GetBase(), 72.0);
  CCustomArchLeaf target;
  static_cast<CUnit&>(target) = unit;
  EXPECT_EQ(target.GetBase(), 84.0);
  EXPECT_EQ(target.GetWidth(), 50.0);
}

}  // namespace
