// Guards the free-form trapezoid: its three-length size text, the lower-right drag that keeps the
// head's slope, equal jambs refused, both elevations and the plan section against the taller jamb.
#include "FreeformTest.h"

#include <cmath>

#include "model/Unitexcp.h"
#include "units/freeform/Vgtz.h"

namespace {

class VgtzTest : public FreeformTest
{
protected:
  void SetUp() override
  {
    FreeformTest::SetUp();
    m_unit = Make<CVGTrapezoid>("VG", "TZ010");
    ASSERT_TRUE(m_unit);
  }

  std::string Refused(double base, double left, double right)
  {
    BOOL valid = TRUE;
    const std::string text = Traced([&] { valid = m_unit->AreRequestedDimensionsValid(base, left, right); });
    EXPECT_FALSE(valid);
    return FirstRefusal(text);
  }

  void ExpectDrag(int handle, CVRX2DVector drag, double base, double left, double right, CVRX2DVector offset)
  {
    SCOPED_TRACE(handle);
    CVGTrapezoid unit(*m_unit);
    ASSERT_EQ(unit.ConformProposedSize(handle, drag), CUnit::inboundsChanged);
    std::vector<Line> proposed;
    const CVRX2DVector moved = Proposed(unit, proposed);
    ExpectLines(proposed, Polygon({{0, 0}, {base, 0}, {base, right}, {0, left}}), 1e-9);
    EXPECT_NEAR(moved.GetX(), offset.GetX(), 1e-12);
    EXPECT_NEAR(moved.GetY(), offset.GetY(), 1e-12);
  }

  std::unique_ptr<CVGTrapezoid> m_unit;
};

TEST_F(VgtzTest, ANewTrapezoidRisesToTheRight)
{
  EXPECT_EQ(Labels(*m_unit), (std::vector<std::string>{"Base:", "Left:", "Right:"}));
  EXPECT_EQ(m_unit->GetHeight(), 24.0);
  EXPECT_EQ(m_unit->GetSizeText(0), "Varigon:24x12x24");
  EXPECT_DOUBLE_EQ(m_unit->GetHeadAngle(), std::atan(0.5));
  ExpectLines(Outline(*m_unit), Polygon({{0, 0}, {24, 0}, {24, 24}, {0, 12}}));
  EXPECT_EQ(Flags(*m_unit, 2), (std::vector<int>{1, 0, 0, 1}));
  EXPECT_EQ(Flags(*m_unit, 3), (std::vector<int>{0, 1, 1, 0}));
  EXPECT_EQ(m_unit->GetAttributes(), "VG,TZ010,0,24,12,24");
}

TEST_F(VgtzTest, DragsFollowTheirTable)
{
  ExpectDrag(1, CVRX2DVector(6, 0), 30, 12, 27, CVRX2DVector(0, 0));
  ExpectDrag(1, CVRX2DVector(-4, 2), 20, 10, 20, CVRX2DVector(0, 2));
  ExpectDrag(0, CVRX2DVector(6, 0), 18, 12, 24, CVRX2DVector(6, 0));
  ExpectDrag(0, CVRX2DVector(-1, -2), 25, 14, 26, CVRX2DVector(-1, -2));
  ExpectDrag(2, CVRX2DVector(1, 2), 25, 12, 26, CVRX2DVector(0, 0));
  ExpectDrag(3, CVRX2DVector(0, 5), 24, 17, 24, CVRX2DVector(0, 0));
  ExpectDrag(3, CVRX2DVector(2, 0), 22, 12, 24, CVRX2DVector(2, 0));
  EXPECT_EQ(m_unit->ConformProposedSize(0, CVRX2DVector(0, 0)), CUnit::inboundsUnchanged);
  EXPECT_EQ(m_unit->ConformProposedSize(4, CVRX2DVector(1, 0)), CUnit::outOfBoundsUnchanged);
}

TEST_F(VgtzTest, RefusalsNameTheirReason)
{
  EXPECT_EQ(Refused(5, 12, 24), Refusal("VGTZ", "sill too small"));
  EXPECT_EQ(Refused(97, 12, 24), Refusal("VGTZ", "sill too large"));
  EXPECT_EQ(Refused(24, 5, 24), Refusal("VGTZ", "left jamb too small"));
  EXPECT_EQ(Refused(24, 97, 24), Refusal("VGTZ", "left jamb too large"));
  EXPECT_EQ(Refused(24, 12, 5), Refusal("VGTZ", "right jamb too small"));
  EXPECT_EQ(Refused(24, 12, 97), Refusal("VGTZ", "right jamb too large"));
  EXPECT_EQ(Refused(24, 20, 20), Refusal("VGTZ", "jamb-head angle is 90"));
  EXPECT_EQ(Refused(90, 10, 60), Refusal("VGTZ", "head too large"));
  EXPECT_EQ(Refused(10, 10, 96), Refusal("VGTZ", "head/jamb angle too large"));
  EXPECT_EQ(Refused(70, 96, 90), Refusal("VGTZ", "area too large"));
  EXPECT_FALSE(SetValues(*m_unit, {24, 20, 20}));
  EXPECT_TRUE(SetValues(*m_unit, {30, 20, 10}));
  EXPECT_EQ(m_unit->GetHeight(), 20.0);
}

TEST_F(VgtzTest, GlassRefusedUnderOtherLimits)
{
  m_unit.reset();
  UseLooseLimits();
  m_unit = Make<CVGTrapezoid>("VG", "TZ010");
  EXPECT_EQ(Refused(30, 60, 100), Refusal("VGTZ", "long glass side too large"));
  EXPECT_EQ(Refused(80, 70, 80), Refusal("VGTZ", "short glass side too large"));
  EXPECT_EQ(Refused(24, 6, 20), Refusal("VGTZ", "left jamb glass length too small"));
}

TEST_F(VgtzTest, ElevationsMoveTheSidesIn)
{
  CVRX2DEntityArray out;
  m_unit->GetElevationEntities(2, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 8);
  // Lines 0 and -1 are 0 for every side: the one-line elevation is the outline.
  std::vector<Line> one;
  for (int i = 0; i < 4; ++i) {
    const auto& line = static_cast<const CVRX2DLine&>(*out[i]);
    one.push_back({line.GetStartPoint().GetX(), line.GetStartPoint().GetY(), line.GetEndPoint().GetX(),
                   line.GetEndPoint().GetY()});
  }
  ExpectLines(one, Polygon({{0.0, 0.0}, {24.0, 0.0}, {24.0, 24.0}, {0.0, 12.0}}));
  out.RemoveAt(0, 4);
  const std::vector<Line> two = Lines(out, 47);
  ExpectClosed(two);
  EXPECT_NEAR(two[0][1], 2.5, 1e-12);         // sill, lines -1 and 2
  EXPECT_NEAR(two[1][0], 24 - 2.375, 1e-12);  // right jamb by the left jamb's distance
  EXPECT_THROW(m_unit->GetElevationEntities(3, FALSE, FALSE, out), CUnitException);
}

TEST_F(VgtzTest, PlanSectionLiesAgainstTheTallerJamb)
{
  EXPECT_EQ(Plan(*m_unit, 12), std::make_pair(0.0, 24.0));
  const auto high = Plan(*m_unit, 18);
  EXPECT_NEAR(high.second, 12, 1e-9);
  EXPECT_NEAR(high.first, 12, 1e-9);
  ASSERT_TRUE(SetValues(*m_unit, {24, 24, 12}));
  const auto mirrored = Plan(*m_unit, 18);
  EXPECT_NEAR(mirrored.second, 12, 1e-9);
  EXPECT_NEAR(mirrored.first, 0, 1e-9);
}

}  // namespace
