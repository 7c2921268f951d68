// Guards the free-form peak pentagon: the gable outline, the peak handle that widens the base both
// ways, the angle-first refusals, both elevations as inner outlines, and the plan section between
// the heads.
#include "FreeformTest.h"

#include "model/Unitexcp.h"
#include "units/freeform/Vgpp.h"

namespace {

class VgppTest : public FreeformTest
{
protected:
  void SetUp() override
  {
    FreeformTest::SetUp();
    m_unit = Make<CVGPeakPentagon>("VG", "PP010");
    ASSERT_TRUE(m_unit);
  }

  void Remake(const std::vector<const char*>& limits)
  {
    m_unit.reset();
    UseLimits(limits);
    m_unit = Make<CVGPeakPentagon>("VG", "PP010");
  }

  std::string Refused(double base, double leftRight, double height)
  {
    BOOL valid = TRUE;
    const std::string text = Traced([&] { valid = m_unit->AreRequestedDimensionsValid(base, leftRight, height); });
    EXPECT_FALSE(valid);
    return FirstRefusal(text);
  }

  void ExpectDrag(int handle, CVRX2DVector drag, double base, double leftRight, double height, CVRX2DVector offset)
  {
    SCOPED_TRACE(handle);
    CVGPeakPentagon unit(*m_unit);
    ASSERT_EQ(unit.ConformProposedSize(handle, drag), CUnit::inboundsChanged);
    std::vector<Line> proposed;
    EXPECT_EQ(Proposed(unit, proposed), offset);
    ExpectLines(proposed, Polygon({{0, 0}, {base, 0}, {base, leftRight}, {base / 2, height}, {0, leftRight}}));
    EXPECT_EQ(unit.SetSizeToProposed(), offset);
    EXPECT_EQ(Values(unit), (std::vector<double>{base, leftRight, height}));
  }

  std::unique_ptr<CVGPeakPentagon> m_unit;
};

TEST_F(VgppTest, ANewPentagonIsAGable)
{
  EXPECT_EQ(Labels(*m_unit), (std::vector<std::string>{"Base:", "Left/Right:", "Height:"}));
  EXPECT_EQ(Values(*m_unit), (std::vector<double>{24, 12, 24}));
  EXPECT_EQ(m_unit->GetSizeText(0), "Varigon:24x12x24");
  EXPECT_EQ(m_unit->GetAttributes(), "VG,PP010,0,24,12,24");
  ExpectLines(Outline(*m_unit), Polygon({{0, 0}, {24, 0}, {24, 12}, {12, 24}, {0, 12}}));
  EXPECT_EQ(Flags(*m_unit, 3), (std::vector<int>{0, 0, 0, 0, 0}));
  EXPECT_EQ(Flags(*m_unit, 4), (std::vector<int>{0, 1, 0, 0, 0}));
}

TEST_F(VgppTest, ThePeakWidensTheBaseBothWays)
{
  ExpectDrag(3, CVRX2DVector(3, 0), 30, 12, 24, CVRX2DVector(0, 0));
  ExpectDrag(3, CVRX2DVector(-3, 2), 30, 12, 26, CVRX2DVector(-6, 0));
  ExpectDrag(0, CVRX2DVector(-2, -3), 26, 15, 27, CVRX2DVector(-2, -3));
  ExpectDrag(1, CVRX2DVector(-2, -3), 22, 15, 27, CVRX2DVector(0, -3));
  ExpectDrag(2, CVRX2DVector(1, 2), 25, 14, 24, CVRX2DVector(0, 0));
  ExpectDrag(4, CVRX2DVector(1, 2), 23, 14, 24, CVRX2DVector(1, 0));
}

TEST_F(VgppTest, AZeroDragPutsTheProposalBack)
{
  EXPECT_EQ(m_unit->ConformProposedSize(0, CVRX2DVector(0, 0)), CUnit::inboundsUnchanged);
  ASSERT_EQ(m_unit->ConformProposedSize(0, CVRX2DVector(-2, -3)), CUnit::inboundsChanged);
  EXPECT_EQ(m_unit->ConformProposedSize(0, CVRX2DVector(0, 0)), CUnit::inboundsChanged);
  std::vector<Line> proposed;
  EXPECT_EQ(Proposed(*m_unit, proposed), CVRX2DVector(0, 0));
  EXPECT_EQ(m_unit->GetSizeText(0), "Varigon:24x12x24");
  EXPECT_EQ(m_unit->ConformProposedSize(5, CVRX2DVector(0, 0)), CUnit::outOfBoundsUnchanged);
}

TEST_F(VgppTest, RefusalsNameTheirReason)
{
  EXPECT_EQ(Refused(10, 10, 96), Refusal("VGPP", "head/head angle too small"));
  EXPECT_EQ(Refused(24, 20, 12), Refusal("VGPP", "head/head angle too large"));
  EXPECT_EQ(Refused(24, 10, 45), Refusal("VGPP", "head/jamb angle too large"));
  EXPECT_EQ(Refused(5, 12, 17), Refusal("VGPP", "base too small"));
  EXPECT_EQ(Refused(97, 12, 40), Refusal("VGPP", "base too large"));
  EXPECT_EQ(Refused(24, 5, 20), Refusal("VGPP", "left/right too small"));
  EXPECT_EQ(Refused(24, 97, 100), Refusal("VGPP", "left/right too large"));
  EXPECT_EQ(Refused(10, 10, 12), Refusal("VGPP", "head too small"));
  EXPECT_EQ(Refused(96, 10, 96), Refusal("VGPP", "head too large"));
  EXPECT_EQ(Refused(80, 20, 80), Refusal("VGPP", "area too large"));
  EXPECT_EQ(Refused(24, 24, 24), Refusal("VGPP", "head/head angle too large"));  // a flat head: pi
  EXPECT_FALSE(SetValues(*m_unit, {80, 20, 80}));
  EXPECT_EQ(Values(*m_unit), (std::vector<double>{24, 12, 24}));
}

TEST_F(VgppTest, GlassRefusalsUnderOtherLimits)
{
  Remake({"5", "200", "4", "60", "80", "100", "0", "0", "0", "2.75", "0", "0", "0", "0.3491", "3.5"});
  EXPECT_EQ(Refused(24, 13, 12), Refusal("VGPP", "left/right greater than height"));
  EXPECT_EQ(Refused(12, 6, 12), Refusal("VGPP", "glass line too small"));
  EXPECT_EQ(Refused(70, 30, 80), Refusal("VGPP", "short glass line too large"));
  EXPECT_EQ(Refused(50, 40, 90), Refusal("VGPP", "long glass line too large"));
}

TEST_F(VgppTest, BothElevationsAreInnerOutlines)
{
  CVRX2DEntityArray out;
  m_unit->GetElevationEntities(2, FALSE, FALSE, out);
  const std::vector<Line> lines = Lines(out, 47);
  ASSERT_EQ(lines.size(), 10u);
  const std::vector<Line> one(lines.begin(), lines.begin() + 5), two(lines.begin() + 5, lines.end());
  ExpectClosed(one);
  ExpectClosed(two);
  EXPECT_NEAR(one[0][1], 0.0, 1e-12);
  EXPECT_NEAR(two[0][1], 2.5, 1e-12);
  EXPECT_NEAR(two[1][0], 24 - 2.375, 1e-12);  // jambs by the left jamb's distance
  EXPECT_THROW(m_unit->GetElevationEntities(3, FALSE, FALSE, out), CUnitException);
}

TEST_F(VgppTest, PlanSectionSpansTheHeadsAboveTheShoulders)
{
  EXPECT_EQ(Plan(*m_unit, 12), std::make_pair(0.0, 24.0));
  const auto middle = Plan(*m_unit, 18);
  EXPECT_NEAR(middle.first, 6, 1e-12);
  EXPECT_NEAR(middle.second, 12, 1e-12);
  const auto peak = Plan(*m_unit, 24);
  EXPECT_NEAR(peak.first, 12, 1e-12);
  EXPECT_NEAR(peak.second, 0, 1e-12);
}

}  // namespace
