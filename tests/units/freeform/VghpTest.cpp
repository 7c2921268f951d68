// Guards the free-form horizontal parallelogram: both leans, the corner and jamb-midpoint drags
// with their offsets, the turnover of the lean past the vertical, the check that passes a unit
// fitting only with its jambs laid horizontal, the inner elevation and the plan section.
#include "FreeformTest.h"

#include <cmath>

#include "model/Unitexcp.h"
#include "units/freeform/Vghp.h"

namespace {

class VghpTest : public FreeformTest
{
protected:
  void SetUp() override
  {
    FreeformTest::SetUp();
    m_unit = Make<CVGHorizontalParallelogram>("VG", "HP010");
    ASSERT_TRUE(m_unit);
  }

  std::string Refused(double base, double leftRight, double height)
  {
    BOOL valid = TRUE;
    const std::string text = Traced([&] { valid = m_unit->AreRequestedDimensionsValid(base, leftRight, height); });
    EXPECT_FALSE(valid);
    return FirstRefusal(text);
  }

  void Store(const char* attributes)
  {
    CString text = attributes;
    m_unit->SetAttributes(text);
  }

  std::unique_ptr<CVGHorizontalParallelogram> m_unit;
};

TEST_F(VghpTest, ANewUnitFillsATwentyFourSquare)
{
  EXPECT_DOUBLE_EQ(m_unit->GetWidth(), 24);
  EXPECT_EQ(m_unit->GetHeight(), 24.0);
  const std::vector<double> values = Values(*m_unit);
  EXPECT_DOUBLE_EQ(values[0], 10.143593539448977);
  EXPECT_DOUBLE_EQ(values[1], 27.71281292110204);
  EXPECT_EQ(m_unit->GetAttributes(), "VG,HP010,0,TYPE1,10.143593539449,27.712812921102,24,1.0471975511966");
  const double b = values[0];
  ExpectLines(Outline(*m_unit), Polygon({{0, 0}, {b, 0}, {24, 24}, {24 - b, 24}}), 1e-9);
  const auto handles = HandlePoints(*m_unit);
  EXPECT_NEAR(handles[2].first, (b + 24) / 2, 1e-9);
  EXPECT_NEAR(handles[5].first, (24 - b) / 2, 1e-9);
  EXPECT_EQ(Flags(*m_unit, 5), (std::vector<int>{0, 0, 0, 1, 1, 0}));
  EXPECT_EQ(m_unit->ConformProposedSize(6, CVRX2DVector(0, 0)), CUnit::outOfBoundsUnchanged);
}

TEST_F(VghpTest, CornerDragsMoveTheBasePointWhereTheyMust)
{
  ASSERT_EQ(m_unit->ConformProposedSize(3, CVRX2DVector(2, 1)), CUnit::inboundsChanged);
  std::vector<Line> proposed;
  EXPECT_EQ(Proposed(*m_unit, proposed), CVRX2DVector(0, 0));
  ASSERT_EQ(m_unit->ConformProposedSize(0, CVRX2DVector(-2, -2)), CUnit::inboundsChanged);
  EXPECT_EQ(Proposed(*m_unit, proposed), CVRX2DVector(-2, -2));
  EXPECT_NEAR(proposed[2][0] - 2, 24, 1e-9);  // the upper right corner stays
  EXPECT_NEAR(proposed[2][1] - 2, 24, 1e-9);
  Store("VG,HP010,0,TYPE2,20,24,20.7846096908265,1.0471975511966");
  const double b = 20 + 2 + 1 / std::tan(M_PI / 3);
  ASSERT_EQ(m_unit->ConformProposedSize(1, CVRX2DVector(2, 1)), CUnit::inboundsChanged);
  EXPECT_EQ(Proposed(*m_unit, proposed), CVRX2DVector(0, 1));
  EXPECT_NEAR(m_unit->GetProposedWidth() - m_unit->GetProposedHeight() / std::tan(M_PI / 3), b, 1e-9);
}

TEST_F(VghpTest, TheRightJambTurnedPastTheVerticalLeansLeft)
{
  ASSERT_EQ(m_unit->ConformProposedSize(2, CVRX2DVector(-2, 0)), CUnit::inboundsChanged);
  std::vector<Line> proposed;
  EXPECT_EQ(Proposed(*m_unit, proposed), CVRX2DVector(0, 0));
  m_unit->ResetProposedSize();
  ASSERT_EQ(m_unit->ConformProposedSize(2, CVRX2DVector(-10, 0)), CUnit::inboundsChanged);
  const CVRX2DVector offset = Proposed(*m_unit, proposed);
  EXPECT_NEAR(proposed[0][0] + offset.GetX(), 0, 1e-9);  // the sill stays
  EXPECT_NEAR(proposed[0][1] + offset.GetY(), 0, 1e-9);
  EXPECT_EQ(m_unit->SetSizeToProposed(), offset);
  EXPECT_FALSE(m_unit->IsRightLeaning());
  EXPECT_LT(m_unit->GetAngle(), M_PI / 2);
  EXPECT_NE(m_unit->GetAttributes().Find(",TYPE2,"), -1);
}

TEST_F(VghpTest, RefusalsNameTheirReason)
{
  EXPECT_EQ(Refused(10, 20, 20), Refusal("VGHP", "jamb-head angle is 90"));
  EXPECT_EQ(Refused(5, 27, 24), Refusal("VGHP", "base too small"));
  EXPECT_EQ(Refused(97, 27, 24), Refusal("VGHP", "base too large"));
  EXPECT_EQ(Refused(10, 5, 4), Refusal("VGHP", "left/right too small"));
  EXPECT_EQ(Refused(10, 97, 24), Refusal("VGHP", "left/right too large"));
  EXPECT_EQ(Refused(10, 30, 5), Refusal("VGHP", "acute jamb angle too small"));
  EXPECT_EQ(Refused(10, 20, 25), Refusal("VGHP", "acute jamb angle too large"));
  EXPECT_EQ(Refused(10, 20, 20 * std::sin(0.4)), Refusal("VGVP", "glass area non-existent"));
  EXPECT_EQ(Refused(10, 12, 9.5), Refusal("VGVP", "glass length too small"));
  EXPECT_EQ(Refused(90, 95, 90), Refusal("VGHP", "area too large"));
  EXPECT_FALSE(SetValues(*m_unit, {90, 95, 90}));
  Store("VG,HP010,0,TYPE2,20,24,20,1");
  ASSERT_TRUE(SetValues(*m_unit, {20, 24, 12}));
  EXPECT_FALSE(m_unit->IsRightLeaning());
  EXPECT_DOUBLE_EQ(m_unit->GetAngle(), std::asin(0.5));
}

TEST_F(VghpTest, AUnitFittingOnlyWithItsJambsLaidDownPasses)
{
  m_unit.reset();
  UseLimits({"5", "200", "4", "200", "200", "40", "0", "0", "0", "2.75", "0", "0", "0", "0.3491", "2.7925"});
  m_unit = Make<CVGHorizontalParallelogram>("VG", "HP010");
  BOOL valid = FALSE;
  const std::string traced = Traced([&] { valid = m_unit->AreRequestedDimensionsValid(12, 150, 140); });
  EXPECT_TRUE(valid);
  EXPECT_EQ(FirstRefusal(traced), Refusal("VGHP", "area too large"));
  EXPECT_NE(traced.find("VGHP: Are requested dimensions valid? YES\n"), std::string::npos);
}

TEST_F(VghpTest, InnerElevationAndPlan)
{
  CVRX2DEntityArray out;
  m_unit->GetElevationEntities(2, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 8);
  out.RemoveAt(0, 4);
  const std::vector<Line> inner = Lines(out, 47);
  ExpectClosed(inner);
  EXPECT_NEAR(inner[0][1], 2.5, 1e-9);  // the sill's distance between lines -1 and 2
  EXPECT_THROW(m_unit->GetElevationEntities(3, FALSE, FALSE, out), CUnitException);
  EXPECT_THROW(std::unique_ptr<CVRX2DLine>(m_unit->GetInnerElevationLine(-1)), CUnitException);
  const auto cut = Plan(*m_unit, 12);
  EXPECT_NEAR(cut.first, 12 / std::tan(M_PI / 3), 1e-9);
  EXPECT_NEAR(cut.second, Values(*m_unit)[0], 1e-9);
  Store("VG,HP010,0,TYPE2,20,24,12,0.523598775598299");
  EXPECT_NEAR(Plan(*m_unit, 12).first, 0, 1e-9);
  EXPECT_NEAR(Plan(*m_unit, 0).first, 12 / std::tan(M_PI / 6), 1e-6);
}

}  // namespace
