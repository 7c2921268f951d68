// Guards the two free-form angled pentagons: their mirror-image outlines and labels, the side
// table behind elevations and handles, the reason codes of the check, the drags, the one-line
// elevation of type 1 as the mirror image of type 2's, and the plan section on the cut's side.
#include "FreeformTest.h"

#include <algorithm>
#include <cmath>

#include "model/Unitexcp.h"
#include "units/freeform/Vgap1.h"
#include "units/freeform/Vgap2.h"

namespace {

class VgapTest : public FreeformTest
{
protected:
  void SetUp() override
  {
    FreeformTest::SetUp();
    m_one = Make<CVGAngledPentagonType1>("VG", "P1010");
    m_two = Make<CVGAngledPentagonType2>("VG", "P2010");
    ASSERT_TRUE(m_one && m_two);
  }

  // The code of the check, which must match the reason traced.
  int Refused(double a, double b, double c, double d, const char* reason)
  {
    int code = CVGAngledPentagon::kValid;
    const std::string text = Traced([&] { code = m_two->AreRequestedDimensionsValid(a, b, c, d); });
    EXPECT_EQ(FirstRefusal(text), Refusal("VGAP", reason));
    return code;
  }

  static std::vector<Line> Mirrored(const std::vector<Line>& lines, double width)
  {
    std::vector<Line> mirrored;
    for (auto it = lines.rbegin(); it != lines.rend(); ++it)
      mirrored.push_back({width - (*it)[2], (*it)[3], width - (*it)[0], (*it)[1]});
    return mirrored;
  }

  std::unique_ptr<CVGAngledPentagonType1> m_one;
  std::unique_ptr<CVGAngledPentagonType2> m_two;
};

TEST_F(VgapTest, TheTwoTypesCutOppositeCorners)
{
  ExpectLines(Outline(*m_two), Polygon({{0, 0}, {24, 0}, {24, 12}, {12, 24}, {0, 24}}));
  ExpectLines(Outline(*m_one), Polygon({{0, 0}, {24, 0}, {24, 24}, {12, 24}, {0, 12}}));
  EXPECT_DOUBLE_EQ(m_two->GetSideE(), std::sqrt(288.0));
  EXPECT_DOUBLE_EQ(m_two->GetSideEAngleFromVertical(), M_PI / 4);
  EXPECT_EQ(Labels(*m_one), (std::vector<std::string>{"Base (B):", "Left (C):", "Right (A):", "Top (D):"}));
  EXPECT_EQ(Values(*m_two), (std::vector<double>{24, 24, 12, 12}));
  EXPECT_EQ(m_one->GetAttributes(), "VG,P1010,0,1,24,24,12,12");
  EXPECT_EQ(m_two->GetAttributes(), "VG,P2010,0,2,24,24,12,12");
  ASSERT_TRUE(SetValues(*m_one, {30, 14, 26, 10}));
  EXPECT_EQ(m_one->GetSizeText(0), "Varigon:30x14x26x10");
  EXPECT_EQ(m_one->GetHeight(), 26.0);
  std::unique_ptr<CUnit> clone(m_one->Clone());
  EXPECT_EQ(static_cast<CVGAngledPentagon&>(*clone).GetTypeNumber(), 1);
  EXPECT_THROW(static_cast<CUnit&>(*m_one) = *m_two, CUnitException);
  EXPECT_EQ(Flags(*m_one, 3), (std::vector<int>{1, 1, 0, 0, 1}));
  EXPECT_EQ(Flags(*m_two, 3), (std::vector<int>{1, 1, 1, 0, 0}));
}

TEST_F(VgapTest, DragsFollowTheirTables)
{
  ASSERT_EQ(m_two->ConformProposedSize(0, CVRX2DVector(1, 1)), CUnit::inboundsChanged);
  std::vector<Line> proposed;
  EXPECT_EQ(Proposed(*m_two, proposed), CVRX2DVector(1, 1));
  ExpectLines(proposed, Polygon({{0, 0}, {23, 0}, {23, 11}, {11, 23}, {0, 23}}));
  ASSERT_EQ(m_one->ConformProposedSize(0, CVRX2DVector(1, 1)), CUnit::inboundsChanged);
  EXPECT_EQ(Proposed(*m_one, proposed), CVRX2DVector(1, 1));
  ExpectLines(proposed, Polygon({{0, 0}, {23, 0}, {23, 23}, {11, 23}, {0, 11}}));
  m_one->ResetProposedSize();
  EXPECT_EQ(Proposed(*m_one, proposed), CVRX2DVector(0, 0));
  EXPECT_EQ(m_one->ConformProposedSize(2, CVRX2DVector(0, 0)), CUnit::inboundsUnchanged);
  const std::string traced = Traced([&] { EXPECT_EQ(m_two->ConformProposedSize(3, CVRX2DVector(12, 0)), 3); });
  EXPECT_EQ(FirstRefusal(traced), Refusal("VGAP", "side D not less than side B"));
  EXPECT_EQ(m_two->ConformProposedSize(5, CVRX2DVector(0, 0)), CUnit::outOfBoundsUnchanged);
}

TEST_F(VgapTest, RefusalsCarryReasonCodes)
{
  EXPECT_EQ(Refused(5, 24, 4, 12, "side A too small"), 9);
  EXPECT_EQ(Refused(97, 24, 12, 12, "side A too large"), 8);
  EXPECT_EQ(Refused(24, 5, 12, 4, "side B too small"), 11);
  EXPECT_EQ(Refused(24, 24, 5, 12, "side C too small"), 14);
  EXPECT_EQ(Refused(24, 24, 12, 5, "side D too small"), 17);
  EXPECT_EQ(Refused(24, 24, 20, 20, "side E too small"), 19);
  EXPECT_EQ(Refused(96, 96, 10, 10, "side E too large"), 18);
  EXPECT_EQ(Refused(24, 24, 12, 24, "side D not less than side B"), 15);
  EXPECT_EQ(Refused(24, 24, 24, 12, "side C not less than side A"), 12);
  EXPECT_EQ(Refused(90, 20, 10, 10, "angle CE too large"), 0);
  EXPECT_EQ(Refused(20, 90, 14, 10, "angle DE too large"), 2);
  EXPECT_EQ(Refused(90, 70, 60, 40, "area too large"), 20);
  EXPECT_EQ(Refused(70, 70, 40, 40, "short glass line too large"), 7);
  EXPECT_FALSE(SetValues(*m_two, {24, 24, 12, 24}));
  EXPECT_EQ(Values(*m_two), (std::vector<double>{24, 24, 12, 12}));
}

TEST_F(VgapTest, GlassRefusalsUnderOtherLimits)
{
  m_one.reset();
  m_two.reset();
  UseLooseLimits();
  m_two = Make<CVGAngledPentagonType2>("VG", "P2010");
  EXPECT_EQ(Refused(10, 12, 6, 7, "glass line too small"), 4);
  EXPECT_EQ(Refused(90, 50, 60, 20, "long glass line too large"), 5);
}

TEST_F(VgapTest, TypeOnesElevationIsTheMirrorImageOfTypeTwos)
{
  // A and B move in by their distances between lines 0 and 1, which are 0: the outline.
  const double a = 0.0, b = 0.0;
  const std::vector<Line> two = Elevation(*m_two, 1, 46);
  ExpectLines(two, Polygon({{a, b}, {24 - a, b}, {24 - a, 12}, {12, 24 - b}, {a, 24 - b}}));
  const std::vector<Line> one = Elevation(*m_one, 1, 46);
  ExpectLines(one, Polygon({{a, b}, {24 - a, b}, {24 - a, 24 - b}, {12, 24 - b}, {a, 12}}));
  std::vector<Line> mirrored = Mirrored(two, 24);
  std::rotate(mirrored.begin(), mirrored.begin() + 4, mirrored.end());
  ExpectLines(one, mirrored);
  for (CUnit* unit : {static_cast<CUnit*>(m_one.get()), static_cast<CUnit*>(m_two.get())}) {
    CVRX2DEntityArray out;
    unit->GetElevationEntities(2, FALSE, FALSE, out);
    ASSERT_EQ(out.GetSize(), 10);
    out.RemoveAt(0, 5);
    const std::vector<Line> inner = Lines(out, 47);
    ExpectClosed(inner);
    EXPECT_NEAR(inner[0][0], 2.375, 1e-12);  // the jamb's distance between lines 1 and 2
    EXPECT_NEAR(inner[0][1], 2.5, 1e-12);    // the sill's
    EXPECT_THROW(unit->GetElevationEntities(3, FALSE, FALSE, out), CUnitException);
  }
}

TEST_F(VgapTest, PlanSectionIsTheWidthAtTheCut)
{
  const double cuts[] = {6, 12, 18, 24};
  const double widths[] = {24, 24, 18, 12};
  const double starts[] = {0, 0, 6, 12};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(cuts[i]);
    const auto two = Plan(*m_two, cuts[i]);
    EXPECT_NEAR(two.second, widths[i], 1e-9);
    EXPECT_NEAR(two.first, 0, 1e-9);
    const auto one = Plan(*m_one, cuts[i]);
    EXPECT_NEAR(one.second, widths[i], 1e-9);
    EXPECT_NEAR(one.first, starts[i], 1e-9);
  }
}

}  // namespace
