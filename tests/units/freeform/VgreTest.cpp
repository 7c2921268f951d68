// Guards the free-form rectangle: its defaults, every corner drag with the opposite corner
// staying, the nine refusals with their reasons, the limits themselves accepted, elevations,
// plan section, attribute text and report keys.
#include "FreeformTest.h"

#include "model/Rptdata.h"
#include "model/Unitexcp.h"
#include "units/freeform/Vgre.h"

namespace {

class VgreTest : public FreeformTest
{
protected:
  void SetUp() override
  {
    FreeformTest::SetUp();
    m_unit = Make<CVGRectangle>("VG", "RE010");
    ASSERT_TRUE(m_unit);
  }

  std::string Refused(double height, double width)
  {
    BOOL valid = TRUE;
    std::string text = Traced([&] { valid = m_unit->AreRequestedDimensionsValid(height, width); });
    EXPECT_FALSE(valid);
    return FirstRefusal(text);
  }

  std::unique_ptr<CVGRectangle> m_unit;
};

TEST_F(VgreTest, ANewRectangleIsTwentyFourSquare)
{
  EXPECT_EQ(Labels(*m_unit), (std::vector<std::string>{"Width:", "Height:"}));
  EXPECT_EQ(Values(*m_unit), (std::vector<double>{24.0, 24.0}));
  EXPECT_EQ(m_unit->GetSizeText(0), "Varigon:24x24");
  ExpectLines(Outline(*m_unit), Polygon({{0, 0}, {24, 0}, {24, 24}, {0, 24}}));
  EXPECT_EQ(HandlePoints(*m_unit), (std::vector<std::pair<double, double>>{{0, 0}, {24, 0}, {24, 24}, {0, 24}}));
  EXPECT_EQ(Flags(*m_unit, 1), (std::vector<int>{0, 0, 0, 1}));
  EXPECT_EQ(Flags(*m_unit, 4), (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(VgreTest, EachCornerDragKeepsTheOppositeCorner)
{
  struct Case
  {
    int handle;
    double dx, dy, width, height, offsetX, offsetY;
  };
  for (const Case& c : {Case{2, 6, 0, 30, 24, 0, 0}, Case{0, 2, 3, 22, 21, 2, 3}, Case{1, 0, 5, 24, 19, 0, 5},
                        Case{3, -4, 0, 28, 24, -4, 0}}) {
    SCOPED_TRACE(c.handle);
    CVGRectangle unit(*m_unit);
    ASSERT_EQ(unit.ConformProposedSize(c.handle, CVRX2DVector(c.dx, c.dy)), CUnit::inboundsChanged);
    EXPECT_EQ(unit.ConformProposedSize(c.handle, CVRX2DVector(c.dx, c.dy)), CUnit::inboundsUnchanged);
    std::vector<Line> proposed;
    const CVRX2DVector offset = Proposed(unit, proposed);
    ExpectLines(proposed, Polygon({{0, 0}, {c.width, 0}, {c.width, c.height}, {0, c.height}}));
    EXPECT_EQ(offset, CVRX2DVector(c.offsetX, c.offsetY));
    EXPECT_EQ(unit.GetHeight(), 24.0);  // nothing taken before the drag ends
    EXPECT_EQ(unit.SetSizeToProposed(), CVRX2DVector(c.offsetX, c.offsetY));
    EXPECT_EQ(unit.SetSizeToProposed(), CVRX2DVector(0, 0));
    EXPECT_EQ(unit.GetWidth(), c.width);
    EXPECT_EQ(unit.GetHeight(), c.height);
    ExpectLines(Outline(unit), Polygon({{0, 0}, {c.width, 0}, {c.width, c.height}, {0, c.height}}));
  }
}

TEST_F(VgreTest, ZeroDragsAndHandlesOutOfRangeChangeNothing)
{
  ASSERT_EQ(m_unit->ConformProposedSize(2, CVRX2DVector(6, 0)), CUnit::inboundsChanged);
  EXPECT_EQ(m_unit->ConformProposedSize(2, CVRX2DVector(-0.0, 0.0)), CUnit::inboundsUnchanged);
  EXPECT_EQ(m_unit->GetProposedWidth(), 30.0);
  EXPECT_EQ(m_unit->ConformProposedSize(4, CVRX2DVector(1, 1)), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(m_unit->ConformProposedSize(-1, CVRX2DVector(1, 1)), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(m_unit->GetProposedWidth(), 30.0);
  m_unit->ResetProposedSize();
  std::vector<Line> proposed;
  EXPECT_EQ(Proposed(*m_unit, proposed), CVRX2DVector(0, 0));
  EXPECT_EQ(m_unit->GetProposedWidth(), 24.0);
}

TEST_F(VgreTest, RefusalsNameTheirReason)
{
  // Limits row: sides 6 to 96, glass line 4, short glass 60, long glass 96, 40 sq ft, inset 2.5.
  EXPECT_EQ(Refused(5.5, 24), Refusal("VGRE", "height too small"));
  EXPECT_EQ(Refused(97, 24), Refusal("VGRE", "height too large"));
  EXPECT_EQ(Refused(24, 5.5), Refusal("VGRE", "width too small"));
  EXPECT_EQ(Refused(24, 97), Refusal("VGRE", "width too large"));
  EXPECT_EQ(Refused(70, 66), Refusal("VGRE", "short glass side too large"));
  EXPECT_EQ(Refused(66, 66), Refusal("VGRE", "short glass side too large"));
  EXPECT_EQ(Refused(61, 95), Refusal("VGRE", "area too large"));
  const std::string traced =
      Traced([&] { EXPECT_EQ(m_unit->ConformProposedSize(0, CVRX2DVector(30, 0)), CUnit::outOfBoundsUnchanged); });
  EXPECT_EQ(FirstRefusal(traced), Refusal("VGRE", "width too small"));
  EXPECT_EQ(m_unit->GetProposedWidth(), 24.0);
}

TEST_F(VgreTest, GlassRefusalsUnderOtherLimits)
{
  m_unit.reset();
  UseLooseLimits();
  m_unit = Make<CVGRectangle>("VG", "RE010");
  EXPECT_EQ(Refused(9.4, 30), Refusal("VGRE", "glass height too small"));
  EXPECT_EQ(Refused(30, 9.4), Refusal("VGRE", "glass width too small"));
  EXPECT_EQ(Refused(90, 30), Refusal("VGRE", "long glass side too large"));
  EXPECT_TRUE(m_unit->AreRequestedDimensionsValid(9.5, 30));  // glass line 4 exactly
}

TEST_F(VgreTest, ValuesAtTheLimitsPass)
{
  EXPECT_TRUE(m_unit->AreRequestedDimensionsValid(10, 96));  // minimum and maximum side
  EXPECT_TRUE(m_unit->AreRequestedDimensionsValid(96, 60));  // 40 square feet exactly
  EXPECT_TRUE(SetValues(*m_unit, {60, 96}));
  EXPECT_EQ(m_unit->GetWidth(), 60.0);
  EXPECT_EQ(m_unit->GetHeight(), 96.0);
  EXPECT_FALSE(SetValues(*m_unit, {70, 96}));
  EXPECT_EQ(m_unit->GetWidth(), 60.0);
}

TEST_F(VgreTest, ElevationsInsetTheOutline)
{
  ExpectLines(Elevation(*m_unit, 1, 46), Polygon({{0, 0}, {24, 0}, {24, 24}, {0, 24}}));
  CVRX2DEntityArray out;
  m_unit->GetElevationEntities(2, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 8);
  out.RemoveAt(0, 4);
  // Sill 2.5, jambs 2.375 (the right jamb's), head 2.125: distances between lines 0 and 2.
  ExpectLines(Lines(out, 47), Polygon({{2.375, 2.5}, {21.625, 2.5}, {21.625, 21.875}, {2.375, 21.875}}));
  EXPECT_THROW(m_unit->GetElevationEntities(3, FALSE, FALSE, out), CUnitException);
}

TEST_F(VgreTest, PlanSectionIsTheWholeWidthAtAnyCut)
{
  ASSERT_TRUE(SetValues(*m_unit, {30, 20}));
  EXPECT_EQ(Plan(*m_unit, 5), std::make_pair(0.0, 30.0));
  EXPECT_EQ(Plan(*m_unit, 50), std::make_pair(0.0, 30.0));
}

TEST_F(VgreTest, AttributesStoreHeightThenWidthAndReloadEqual)
{
  EXPECT_EQ(m_unit->GetAttributes(), "VG,RE010,0,24,24");
  CString text = "VG,RE010,0,30,20";
  m_unit->SetAttributes(text);
  EXPECT_EQ(m_unit->GetHeight(), 30.0);
  EXPECT_EQ(m_unit->GetWidth(), 20.0);
  ASSERT_TRUE(SetValues(*m_unit, {1.0 / 3.0 + 20, 25.5}));
  std::unique_ptr<CUnit> copy = Reloaded(*m_unit);
  EXPECT_EQ(copy->GetAttributes(), m_unit->GetAttributes());
  EXPECT_NEAR(copy->GetWidth(), m_unit->GetWidth(), 1e-12);
  // Stored values are taken unchecked; a number that is not finite is refused.
  text = "VG,RE010,0,500,2";
  m_unit->SetAttributes(text);
  EXPECT_EQ(m_unit->GetHeight(), 500.0);
  text = "VG,RE010,0,nan,2";
  EXPECT_THROW(m_unit->SetAttributes(text), CUnitException);
  EXPECT_EQ(m_unit->GetHeight(), 500.0);
  text = "VG,RE010,0,30";
  EXPECT_THROW(m_unit->SetAttributes(text), CUnitException);
}

TEST_F(VgreTest, ReportKeysCarryHeightAndWidth)
{
  CScheduleReportDataArray rows;
  m_unit->GetReportData(rows);
  ASSERT_EQ(rows.GetSize(), 1);
  EXPECT_EQ(rows[0]->m_strUnitKey, "VG,RE010,24,24");
  CUnitInfoReportDataArray records;
  m_unit->GetReportData(records);
  ASSERT_GE(records.GetSize(), 1);
  EXPECT_EQ(records[0]->m_strUnitKey, "VG,RE010,NoOptions,24,24");
}

}  // namespace
