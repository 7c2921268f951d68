// Guards the free-form vertical parallelogram: the pitch stored as an angle and shown as a signed
// plain number, both types, the check's two orientations, sizing by corners and by the midpoints
// that turn one type into the other (only when the side passes below the horizontal), the inner
// elevation cut at the crossings, and the plan section between sill and head.
#include "FreeformTest.h"

#include <cmath>

#include "model/Unitexcp.h"
#include "units/freeform/Vgvp.h"

namespace {

class VgvpTest : public FreeformTest
{
protected:
  void SetUp() override
  {
    FreeformTest::SetUp();
    m_unit = Make<CVGVerticalParallelogram>("VG", "VP010");
    ASSERT_TRUE(m_unit);
  }

  std::string Refused(double jamb, double pitch, double width)
  {
    BOOL valid = TRUE;
    const std::string text = Traced([&] { valid = m_unit->AreRequestedDimensionsValid(jamb, pitch, width); });
    EXPECT_FALSE(valid);
    return FirstRefusal(text);
  }

  void Store(const char* attributes)
  {
    CString text = attributes;
    m_unit->SetAttributes(text);
  }

  std::unique_ptr<CVGVerticalParallelogram> m_unit;
};

TEST_F(VgvpTest, ANewUnitRisesSixInTwelve)
{
  EXPECT_EQ(m_unit->GetWidth(), 24.0);
  EXPECT_DOUBLE_EQ(m_unit->GetHeight(), 23.99999999997582);
  EXPECT_EQ(Labels(*m_unit), (std::vector<std::string>{"Width:", "Left/Right:", "Pitch (Rise Over 12\" Run):"}));
  const std::vector<double> values = Values(*m_unit);
  EXPECT_DOUBLE_EQ(values[2], 5.999999999987908);
  EXPECT_TRUE(m_unit->IsDimensionLength(0));
  EXPECT_FALSE(m_unit->IsDimensionLength(2));
  EXPECT_EQ(m_unit->GetAttributes(), "VG,VP010,0,TYPE1,12,0.463647609,24");
  const double r = 24 * std::tan(0.463647609);
  ExpectLines(Outline(*m_unit), Polygon({{0, 0}, {24, r}, {24, r + 12}, {0, 12}}));
  const auto handles = HandlePoints(*m_unit);
  ASSERT_EQ(handles.size(), 6u);
  EXPECT_NEAR(handles[1].second, r / 2, 1e-12);
  EXPECT_NEAR(handles[4].second, r / 2 + 12, 1e-12);
  EXPECT_EQ(Flags(*m_unit, 1), (std::vector<int>{1, 0, 0, 0, 0, 1}));
  EXPECT_EQ(Flags(*m_unit, 6), (std::vector<int>{0, 0, 0, 0, 0, 0}));
}

TEST_F(VgvpTest, ANegativePitchMakesTypeTwo)
{
  ASSERT_TRUE(SetValues(*m_unit, {24, 12, -6}));
  EXPECT_FALSE(m_unit->IsRightJambHigher());
  EXPECT_DOUBLE_EQ(Values(*m_unit)[2], -6);
  EXPECT_EQ(m_unit->GetAttributes().Left(16), "VG,VP010,0,TYPE2");
  const double r = 12;
  ExpectLines(Outline(*m_unit), Polygon({{0, r}, {24, 0}, {24, 12}, {0, r + 12}}), 1e-9);
  const std::string traced = Traced([&] { EXPECT_FALSE(SetValues(*m_unit, {24, 12, 0})); });
  EXPECT_EQ(FirstRefusal(traced), Refusal("VGVP", "jamb/sill angle is 90"));
  Store("VG,VP010,0,type1,12,0.5,24");
  EXPECT_FALSE(m_unit->IsRightJambHigher());
  Store("VG,VP010,0,TYPE1,12,0.5,24");
  EXPECT_TRUE(m_unit->IsRightJambHigher());
  EXPECT_EQ(Reloaded(*m_unit)->GetAttributes(), m_unit->GetAttributes());
}

TEST_F(VgvpTest, CornersKeepThePitch)
{
  ASSERT_EQ(m_unit->ConformProposedSize(3, CVRX2DVector(6, 4)), CUnit::inboundsChanged);
  EXPECT_DOUBLE_EQ(m_unit->GetProposedWidth(), 30);
  std::vector<Line> proposed;
  EXPECT_EQ(Proposed(*m_unit, proposed), CVRX2DVector(0, 0));
  EXPECT_NEAR(proposed[3][1] - proposed[3][3], 16 - 6 * std::tan(0.463647609), 1e-9);  // jamb length
  EXPECT_NEAR(proposed[1][1], 30 * std::tan(0.463647609), 1e-9);                       // the same pitch
  ASSERT_EQ(m_unit->ConformProposedSize(0, CVRX2DVector(1, -2)), CUnit::inboundsChanged);
  EXPECT_EQ(Proposed(*m_unit, proposed), CVRX2DVector(1, -2));
  m_unit->ResetProposedSize();
  EXPECT_EQ(Proposed(*m_unit, proposed), CVRX2DVector(0, 0));
  const std::string traced = Traced([&] { EXPECT_EQ(m_unit->ConformProposedSize(2, CVRX2DVector(-26, -13)), 3); });
  EXPECT_NE(traced.find("(requested unit width is negative)"), std::string::npos);
  EXPECT_EQ(m_unit->ConformProposedSize(6, CVRX2DVector(0, 0)), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(m_unit->ConformProposedSize(0, CVRX2DVector(0, 0)), CUnit::inboundsUnchanged);
}

TEST_F(VgvpTest, TheSillTurnedBelowTheHorizontalMakesTypeTwo)
{
  ASSERT_EQ(m_unit->ConformProposedSize(1, CVRX2DVector(0, -10)), CUnit::inboundsChanged);
  std::vector<Line> proposed;
  const CVRX2DVector offset = Proposed(*m_unit, proposed);
  // The left jamb stays where it is.
  EXPECT_NEAR(proposed[3][0] + offset.GetX(), 0, 1e-9);
  EXPECT_NEAR(proposed[3][1] + offset.GetY(), 12, 1e-9);
  EXPECT_NEAR(proposed[3][3] + offset.GetY(), 0, 1e-9);
  EXPECT_EQ(m_unit->SetSizeToProposed(), offset);
  EXPECT_FALSE(m_unit->IsRightJambHigher());
  EXPECT_NEAR(Values(*m_unit)[2], -4, 1e-9);  // the midpoint went from (12, 6) to (12, -4)
  // And back: the sill's midpoint dragged above the lower-left corner.
  ASSERT_EQ(m_unit->ConformProposedSize(1, CVRX2DVector(0, 10)), CUnit::inboundsChanged);
  m_unit->SetSizeToProposed();
  EXPECT_TRUE(m_unit->IsRightJambHigher());
}

TEST_F(VgvpTest, ASteeperSillAboveTheHorizontalKeepsTheType)
{
  // Down and to the left, the sill's midpoint still lies above the lower-left corner.
  ASSERT_EQ(m_unit->ConformProposedSize(1, CVRX2DVector(-4, -1)), CUnit::inboundsChanged);
  m_unit->SetSizeToProposed();
  EXPECT_TRUE(m_unit->IsRightJambHigher());
  EXPECT_NEAR(Values(*m_unit)[2], 12 * 5.0 / 8.0, 1e-9);
  EXPECT_EQ(m_unit->ConformProposedSize(1, CVRX2DVector(0, -m_unit->GetHeight() / 2 + 6)), CUnit::outOfBoundsUnchanged);
}

TEST_F(VgvpTest, RefusalsNameTheirReason)
{
  EXPECT_EQ(Refused(5, 0.46, 24), Refusal("VGVP", "jambs too small"));
  EXPECT_EQ(Refused(97, 0.46, 24), Refusal("VGVP", "jambs too large"));
  EXPECT_EQ(Refused(12, 0.0, 24), Refusal("VGVP", "jamb/sill angle is 90"));
  EXPECT_EQ(Refused(12, 1.3, 10), Refusal("VGVP", "jamb/sill angle too small"));
  EXPECT_EQ(Refused(12, -1.3, 10), Refusal("VGVP", "jamb/sill angle too large"));
  EXPECT_EQ(Refused(12, 0.46, 5), Refusal("VGVP", "head/sill too small"));
  EXPECT_EQ(Refused(12, 0.46, 90), Refusal("VGVP", "head/sill too large"));
  EXPECT_EQ(Refused(10, 1.2, 10), Refusal("VGVP", "glass area non-existent"));
  EXPECT_EQ(Refused(10, 0.7, 12), Refusal("VGVP", "glass length too small"));
  EXPECT_EQ(Refused(90, 0.46, 60), Refusal("VGVP", "area too large"));
}

TEST_F(VgvpTest, ASizeFittingOnlyLaidOnItsSillPasses)
{
  m_unit.reset();
  UseLimits({"5", "200", "4", "200", "200", "40", "0", "0", "0", "2.75", "0", "0", "0", "0.3491", "2.7925"});
  m_unit = Make<CVGVerticalParallelogram>("VG", "VP010");
  BOOL valid = FALSE;
  const std::string traced = Traced([&] { valid = m_unit->AreRequestedDimensionsValid(60, 1.1, 43); });
  EXPECT_TRUE(valid);
  EXPECT_EQ(FirstRefusal(traced), Refusal("VGVP", "area too large"));
  EXPECT_NE(traced.find("VGVP: Are requested dimensions valid? YES\n"), std::string::npos);
}

TEST_F(VgvpTest, InnerElevationMeetsAtTheCrossings)
{
  CVRX2DEntityArray out;
  m_unit->GetElevationEntities(2, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 8);
  out.RemoveAt(0, 4);
  const std::vector<Line> inner = Lines(out, 47);
  ExpectClosed(inner);
  EXPECT_NEAR(inner[0][0], 2.375, 1e-9);  // the left jamb's distance between lines -1 and 2
  EXPECT_NEAR(inner[1][0], 24 - 2.375, 1e-9);
  try {
    m_unit->GetElevationEntities(3, FALSE, FALSE, out);
    FAIL();
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.GetErrorMessage(),
              "Call made to unsupported method CVGVerticalParallelogram::Get3LineElevationEntities().");
  }
  EXPECT_THROW(std::unique_ptr<CVRX2DLine>(m_unit->GetInnerElevationLine(4)), CUnitException);
  CVRX2DLine a(0, CVRX2DPoint(0, 0), CVRX2DPoint(1, 0)), b(0, CVRX2DPoint(0, 1), CVRX2DPoint(1, 1));
  EXPECT_THROW(m_unit->GetIntersectPoint(a, b), CUnitException);
  CVRX2DLine c(0, CVRX2DPoint(5, 5), CVRX2DPoint(5, 6));  // meets a's line beyond a's end
  EXPECT_EQ(m_unit->GetIntersectPoint(a, c), CVRX2DPoint(5, 0));
}

TEST_F(VgvpTest, PlanSectionLiesBetweenSillAndHead)
{
  const auto low = Plan(*m_unit, 6);
  EXPECT_NEAR(low.first, 0, 1e-9);
  EXPECT_NEAR(low.second, 12, 1e-9);
  const auto high = Plan(*m_unit, 18);
  EXPECT_NEAR(high.first, 12, 1e-9);
  EXPECT_NEAR(high.second, 12, 1e-9);
  // Jambs shorter than the rise: at 18 the cut runs from the head (x 12) to the sill (x 36).
  Store("VG,VP010,0,TYPE1,12,0.463647609,48");
  const auto between = Plan(*m_unit, 18);
  EXPECT_NEAR(between.first, 12, 1e-6);
  EXPECT_NEAR(between.second, 24, 1e-6);
  Store("VG,VP010,0,TYPE2,12,0.463647609,48");
  const auto mirrored = Plan(*m_unit, 10);
  EXPECT_NEAR(mirrored.first, 28, 1e-6);
  EXPECT_NEAR(mirrored.second, 20, 1e-6);
  Store("VG,VP010,0,TYPE1,12,0,48");  // a stored pitch of 0 is a rectangle
  EXPECT_NEAR(Plan(*m_unit, 6).second, 48, 1e-9);
  EXPECT_NEAR(Plan(*m_unit, 13).second, 0, 1e-9);
}

}  // namespace
