// Guards the elliptical-top window "SWET008": the half ellipse over the stored shoulder, the
// width-only sizing from the sill's ends, the plan section under the ellipse, the inset
// elevations and the sunburst grille cut at the glass sill.
#include <cmath>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "units/standard/ArchTestUtil.h"
#include "units/standard/Swet.h"

namespace {

class SwetTest : public ArchUnitTest
{
protected:
  void SetUp() override
  {
    ArchUnitTest::SetUp();
    std::unique_ptr<CUnit> unit = Make("SW", "ET008");
    m_unit.reset(dynamic_cast<CSWEllipticalTop*>(unit.release()));
    ASSERT_TRUE(m_unit);
  }

  int Drag(int handle, double dx, double dy) { return m_unit->ConformProposedSize(handle, CVRX2DVector(dx, dy)); }

  std::unique_ptr<CSWEllipticalTop> m_unit;
};

// Sizes (width, shoulder, height): 24 4 12, 36 4 16, 36 6 18, 48 4 20, 60 6 24.
TEST_F(SwetTest, HalfAnEllipseOverTheShoulder)
{
  EXPECT_EQ(m_unit->GetSizeCode(), "ET2012");
  EXPECT_EQ(m_unit->GetEllipseCentre(), CVRX2DPoint(12.0, 4.0));
  EXPECT_DOUBLE_EQ(m_unit->GetSemiWidth(), 12.0);
  EXPECT_DOUBLE_EQ(m_unit->GetRise(), 8.0);
  const CSizedComponentArray& c = *m_unit->GetSizedComponents();
  ASSERT_EQ(c.GetSize(), 4);
  EXPECT_EQ(c[0]->GetCode(), "BJ");
  EXPECT_EQ(c[1]->GetID(), c[2]->GetID());
  EXPECT_EQ(c[2]->GetStartPoint(), CVRX2DPoint(24.0, 4.0));
  CVRX2DEntityArray out;
  m_unit->GetOutlineEntities(out);
  ASSERT_EQ(out.GetSize(), 4);
  EXPECT_DOUBLE_EQ(ArcAt(out, 2).GetMajorRadius(), 12.0);
  EXPECT_DOUBLE_EQ(ArcAt(out, 2).GetMinorRadius(), 8.0);
  m_unit->GetPartOutlineEntities(out);
  ASSERT_EQ(out.GetSize(), 5);
  ExpectLine(out, 4, 8, {12, 0, 12, 12});
  CArray<double, double> radii;
  radii.Add(1.0);
  m_unit->GetArchRadiiForShoulderHeight(radii);
  EXPECT_EQ(radii.GetSize(), 0);

  // The jambs stand in by the top member's depth.
  out.RemoveAll();
  m_unit->Get2LineElevationEntities(2, out);
  ASSERT_EQ(out.GetSize(), 4);
  const double d = m_unit->GetComponentDistance(2, 0, 2);
  EXPECT_DOUBLE_EQ(LineAt(out, 1).GetStartPoint().GetX(), 24.0 - d);
  EXPECT_DOUBLE_EQ(ArcAt(out, 2).GetMinorRadius(), 8.0 - d);
}

TEST_F(SwetTest, PlanSectionIsTheChordOfTheTop)
{
  EXPECT_TRUE(IsPlanSection(*m_unit, 4.0, 24.0, 0.0));
  EXPECT_TRUE(IsPlanSection(*m_unit, 2.0, 24.0, 0.0));
  const double half = 12.0 * std::sqrt(1.0 - 16.0 / 64.0);
  EXPECT_TRUE(IsPlanSection(*m_unit, 8.0, 2 * half, 12.0 - half));
  EXPECT_TRUE(IsPlanSection(*m_unit, 12.0, 0.0, 12.0));
  EXPECT_TRUE(IsPlanSection(*m_unit, 90.0, 0.0, 12.0));
}

TEST_F(SwetTest, SizedByWidthFromTheSillEnds)
{
  CSizingHandleArray handles;
  m_unit->GetSizingHandles(handles);
  ASSERT_EQ(handles.GetSize(), 2);
  EXPECT_EQ(handles[1]->GetPoint(), CVRX2DPoint(24.0, 0.0));
  EXPECT_EQ(handles[1]->GetCode(), 12);
  CDWordArray flags;
  m_unit->GetSidesMovedByHandle(0, flags);
  ASSERT_EQ(flags.GetSize(), 2);
  EXPECT_EQ(flags[1], 1u);
  // Only the x counts.
  EXPECT_EQ(Drag(1, 0.0, 30.0), CUnit::inboundsUnchanged);
  EXPECT_EQ(ProposedSizeCode(*m_unit), "ET2012");
  // Half-way between the widths 24 and 36 takes the wider.
  EXPECT_EQ(Drag(1, 6.0, 0.0), CUnit::inboundsChanged);
  EXPECT_DOUBLE_EQ(m_unit->GetProposedWidth(), 36.0);
  CVRX2DEntityArray out;
  EXPECT_EQ(m_unit->GetProposedOutlineEntities(out), CVRX2DVector(0.0, 0.0));
  EXPECT_EQ(out.GetSize(), 4);
  m_unit->ResetProposedSize();
  EXPECT_EQ(Drag(0, -12.0, 0.0), CUnit::inboundsChanged);
  EXPECT_EQ(m_unit->GetProposedOutlineEntities(out).GetX(), -12.0);
  // Below the narrowest width by more than half the first step the proposal stays.
  m_unit->ResetProposedSize();
  EXPECT_EQ(Drag(1, -7.0, 0.0), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(ProposedSizeCode(*m_unit), "ET2012");
}

TEST_F(SwetTest, SunburstRingsStandOnTheGlassSill)
{
  CVRX2DEntityArray out;
  m_unit->SetSizeCode("ET3016");
  ASSERT_TRUE(m_unit->SetOptionChoice(36, 6));
  m_unit->GetGrilleEntities(2, out);
  EXPECT_TRUE(AllFinite(out));
  ASSERT_GE(out.GetSize(), 3);
  const double sill = m_unit->GetComponentDistance(0, 0, 2);
  for (int i = 0; i < 2; ++i) {
    const CVRX2DArc& ring = ArcAt(out, i);
    EXPECT_EQ(ring.GetCentre(), CVRX2DPoint(18.0, sill));
    CVRX2DPoint start, end;
    ring.GetEndPoints(start, end);
    EXPECT_NEAR(start.GetY(), sill, 1e-9);
    EXPECT_NEAR(end.GetY(), sill, 1e-9);
  }
  EXPECT_DOUBLE_EQ(ArcAt(out, 0).GetMajorRadius(), 6.0);  // the first ring, where spokes start
  for (int i = 2; i < out.GetSize(); ++i) {
    const CVRX2DLine& spoke = LineAt(out, i);
    EXPECT_EQ(spoke.GetCategory(), 48);
    EXPECT_GT(spoke.GetEndPoint().GetY(), sill);
  }
}

}  // namespace
