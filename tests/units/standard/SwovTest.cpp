// Guards the oval window "SWOV009": the ellipse inscribed in its standard size, its quarters and
// their codes, the plan section, the size search of its side handles with its bounds, and the
// ring-and-spoke grille about a hub on or off the centre.
#include <cmath>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "model/Sizecomp.h"
#include "model/Unitexcp.h"
#include "units/standard/ArchTestUtil.h"
#include "units/standard/Swov.h"

namespace {

class SwovTest : public ArchUnitTest
{
protected:
  void SetUp() override
  {
    ArchUnitTest::SetUp();
    std::unique_ptr<CUnit> unit = Make("SW", "OV009");
    m_unit.reset(dynamic_cast<CSWOval*>(unit.release()));
    ASSERT_TRUE(m_unit);
  }

  int Drag(int handle, double dx, double dy) { return m_unit->ConformProposedSize(handle, CVRX2DVector(dx, dy)); }

  CVRX2DVector Delta()
  {
    CVRX2DEntityArray out;
    return m_unit->GetProposedOutlineEntities(out);
  }

  std::unique_ptr<CSWOval> m_unit;
};

// Sizes (width x height): 24x36, 24x48, 36x24, 36x36, 36x48, 48x36.
TEST_F(SwovTest, QuartersSplitWhereTheTangentRunsAtFortyFiveDegrees)
{
  EXPECT_EQ(m_unit->GetSizeCode(), "OV2030");
  EXPECT_DOUBLE_EQ(m_unit->GetWidth(), 24.0);
  EXPECT_DOUBLE_EQ(m_unit->GetHeight(), 36.0);
  EXPECT_DOUBLE_EQ(m_unit->GetMajorAxisAngle().GetRadians(), VRX_HALF_PI);
  const CSizedComponentArray& tall = *m_unit->GetSizedComponents();
  ASSERT_EQ(tall.GetSize(), 4);
  const char* tallCodes[] = {"BV", "BW", "BV", "BW"};
  const double root = std::sqrt(18.0 * 18.0 + 12.0 * 12.0);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(tall[i]->GetCode(), tallCodes[i]);
  // On a tall unit the long offset runs up the major axis.
  EXPECT_EQ(tall[0]->GetStartPoint(), CVRX2DPoint(12 - 144 / root, 18 - 324 / root));

  m_unit->SetSizeCode("OV3030");
  EXPECT_DOUBLE_EQ(m_unit->GetMajorAxisAngle().GetRadians(), VRX_HALF_PI);
  EXPECT_DOUBLE_EQ(m_unit->GetSemiMajor(), 18.0);
  EXPECT_DOUBLE_EQ(m_unit->GetSemiMinor(), 18.0);
  const CSizedComponentArray& round = *m_unit->GetSizedComponents();
  const char* roundCodes[] = {"BW", "BV", "BW", "BV"};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(round[i]->GetCode(), roundCodes[i]);
  EXPECT_EQ(round[0]->GetID(), 2732);
  const double u = 18.0 / std::sqrt(2.0);
  EXPECT_EQ(round[1]->GetStartPoint(), CVRX2DPoint(18 + u, 18 - u));

  CVRX2DEntityArray out;
  m_unit->GetOutlineEntities(out);
  ASSERT_EQ(out.GetSize(), 4);
  EXPECT_EQ(out[0]->GetCategory(), 20);
  EXPECT_NEAR(ArcAt(out, 0).GetStartAngle().GetRadians(), 5 * VRX_QUARTER_PI, 1e-9);
  EXPECT_NEAR(ArcAt(out, 0).GetEndAngle().GetRadians(), 7 * VRX_QUARTER_PI, 1e-9);
  out.RemoveAll();
  m_unit->Get2LineElevationEntities(2, out);
  ASSERT_EQ(out.GetSize(), 1);
  const double d = m_unit->GetComponentDistance(2, 0, 2);
  EXPECT_DOUBLE_EQ(ArcAt(out, 0).GetMajorRadius(), 18.0 - d);
  EXPECT_TRUE(ArcAt(out, 0).IsClosed());
}

TEST_F(SwovTest, PlanSectionIsTheChordAtTheCut)
{
  EXPECT_TRUE(IsPlanSection(*m_unit, 18.0, 24.0, 0.0));
  const double x = 12.0 * std::sqrt(1.0 - 81.0 / 324.0);
  EXPECT_TRUE(IsPlanSection(*m_unit, 9.0, 2 * x, 12.0 - x));
  EXPECT_TRUE(IsPlanSection(*m_unit, 27.0, 2 * x, 12.0 - x));
  // At and beyond the ends the chord closes; no cut gives a value that is no number.
  EXPECT_TRUE(IsPlanSection(*m_unit, 0.0, 0.0, 12.0));
  EXPECT_TRUE(IsPlanSection(*m_unit, -10.0, 0.0, 12.0));
  EXPECT_TRUE(IsPlanSection(*m_unit, 36.0 + 1e-12, 0.0, 12.0));
}

TEST_F(SwovTest, SideHandlesSnapToTheNearestStandardSize)
{
  // Half-way between the heights 36 and 48 takes the larger.
  EXPECT_EQ(Drag(2, 0.0, 6.0), CUnit::inboundsChanged);
  EXPECT_EQ(ProposedSizeCode(*m_unit), "OV2040");
  EXPECT_EQ(Delta(), CVRX2DVector(0.0, 0.0));
  EXPECT_EQ(Drag(2, 0.0, 7.0), CUnit::inboundsUnchanged);
  // The row already proposed keeps the delta it was proposed with.
  EXPECT_EQ(Drag(0, 0.0, -12.0), CUnit::inboundsUnchanged);
  EXPECT_EQ(Delta(), CVRX2DVector(0.0, 0.0));
  // The bottom handle keeps the top in place.
  m_unit->ResetProposedSize();
  EXPECT_EQ(Drag(0, 0.0, -12.0), CUnit::inboundsChanged);
  EXPECT_EQ(Delta(), CVRX2DVector(0.0, -12.0));
  // The left handle: width 36 at height 36, the right side in place and the middles level.
  EXPECT_EQ(Drag(3, -12.0, 0.0), CUnit::inboundsChanged);
  EXPECT_EQ(ProposedSizeCode(*m_unit), "OV3030");
  EXPECT_EQ(Delta(), CVRX2DVector(-12.0, 0.0));
  // A drag that does not move the handle's side gives the proposal up.
  EXPECT_EQ(Drag(3, 0.0, 30.0), CUnit::inboundsUnchanged);
  EXPECT_EQ(ProposedSizeCode(*m_unit), "OV2030");
  EXPECT_EQ(Delta(), CVRX2DVector(0.0, 0.0));
  try {
    Drag(4, 1.0, 1.0);
    ADD_FAILURE() << "handle 4 conformed";
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.file, "SWOV");
    EXPECT_EQ(e.line, 152);
  }
}

// The smallest heights are 24 and 36: half the first step is 6.
TEST_F(SwovTest, BelowTheSmallestHeightItIsOutOfBoundsOnlyPastHalfTheFirstStep)
{
  m_unit->SetSizeCode("OV3020");
  EXPECT_EQ(Drag(0, 0.0, 5.0), CUnit::inboundsUnchanged);
  EXPECT_EQ(Drag(0, 0.0, 7.0), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(ProposedSizeCode(*m_unit), "OV3020");
  // Measured from the size proposed before the drag step.
  m_unit->SetSizeCode("OV3030");
  EXPECT_EQ(Drag(0, 0.0, 30.0), CUnit::outOfBoundsChanged);
  EXPECT_EQ(ProposedSizeCode(*m_unit), "OV3020");
  EXPECT_EQ(Delta(), CVRX2DVector(0.0, 12.0));
  EXPECT_EQ(Drag(0, 0.0, 17.0), CUnit::inboundsUnchanged);
  EXPECT_EQ(Drag(0, 0.0, 31.0), CUnit::outOfBoundsUnchanged);
  // Above the largest width 48 the half step is 6 as well.
  m_unit->ResetProposedSize();
  EXPECT_EQ(Drag(1, 12.0, 0.0), CUnit::inboundsChanged);
  EXPECT_EQ(ProposedSizeCode(*m_unit), "OV4030");
  EXPECT_EQ(Drag(1, 17.0, 0.0), CUnit::inboundsUnchanged);
  EXPECT_EQ(Drag(1, 19.0, 0.0), CUnit::outOfBoundsUnchanged);
}

// OV3030 has as many "H" as "V" rows: every spoke starts on a ring about the centre. OV4030 has
// one "H" row more: its slanted spokes start off the centre, on the side they run to.
TEST_F(SwovTest, GrilleRingsAndSpokes)
{
  m_unit->SetSizeCode("OV3030");
  CVRX2DEntityArray out;
  m_unit->GetGrilleEntities(2, out);
  EXPECT_EQ(out.GetSize(), 0) << "no grille chosen";
  ASSERT_TRUE(m_unit->SetOptionChoice(36, 6));
  m_unit->GetGrilleEntities(2, out);
  ASSERT_EQ(out.GetSize(), 2 + 8);
  EXPECT_DOUBLE_EQ(ArcAt(out, 0).GetMajorRadius(), 18.0 - 8.0);  // the hub
  EXPECT_DOUBLE_EQ(ArcAt(out, 1).GetMajorRadius(), 18.0 - 4.0);
  const double glass = 18.0 - m_unit->GetComponentDistance(2, 0, 2);
  for (int i = 2; i < out.GetSize(); ++i) {
    const CVRX2DLine& spoke = LineAt(out, i);
    EXPECT_EQ(spoke.GetCategory(), 48);
    EXPECT_NEAR(spoke.GetStartPoint().DistanceTo(CVRX2DPoint(18, 18)), 10.0, 1e-6);
    EXPECT_NEAR(spoke.GetEndPoint().DistanceTo(CVRX2DPoint(18, 18)), glass, 1e-6);
  }

  m_unit->SetSizeCode("OV4030");
  out.RemoveAll();
  m_unit->GetGrilleEntities(2, out);
  ASSERT_EQ(out.GetSize(), 2 + 8);
  EXPECT_TRUE(AllFinite(out));
  // The hub's half width is 24 - 8; the spoke at 45 degrees starts 12 right of the centre.
  EXPECT_DOUBLE_EQ(ArcAt(out, 0).GetMajorRadius(), 16.0);
  const CVRX2DLine& slanted = LineAt(out, 2);
  const CVRX2DPoint start = slanted.GetStartPoint();
  const CVRX2DPoint origin(24.0 + 12.0, 18.0);
  EXPECT_NEAR(std::fabs(origin.AngleTo(start).GetRadians() - VRX_QUARTER_PI), 0.0, 1e-3);
  EXPECT_GT(slanted.GetEndPoint().GetY(), start.GetY());
}

TEST_F(SwovTest, AssignmentKeepsToOvals)
{
  std::unique_ptr<CUnit> circle = Make("SW", "CI009");
  try {
    *m_unit = *circle;
    ADD_FAILURE() << "a circle was assigned to an oval";
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.file, "SWOV");
    EXPECT_EQ(e.line, 72);
  }
}

}  // namespace
