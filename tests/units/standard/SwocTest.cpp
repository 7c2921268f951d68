// Guards the octagon window "SWOC010": its measures, its sides and handles, the plan section
// across the diagonal sides, and the vertex conformer that keeps the opposite vertex in place and
// refuses a drag across it or too far off its line.
#include <cmath>

#include "geometry/2dline.h"
#include "geometry/Angle.h"
#include "model/Plansect.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "units/standard/ArchTestUtil.h"
#include "units/standard/Swoc.h"

namespace {

class SwocTest : public ArchUnitTest
{
protected:
  void SetUp() override
  {
    ArchUnitTest::SetUp();
    std::unique_ptr<CUnit> unit = Make("SW", "OC010");
    m_unit.reset(dynamic_cast<CSWOctagon*>(unit.release()));
    ASSERT_TRUE(m_unit);
  }

  CVRX2DPoint Vertex(int i) const
  {
    CSizingHandleArray handles;
    m_unit->GetSizingHandles(handles);
    return handles[i]->GetPoint();
  }

  // A drag of the vertex `length` long, `offDegrees` off the line from its opposite vertex.
  CVRX2DVector DragOf(int handle, double length, double offDegrees) const
  {
    const CVRXAngle out = Vertex(handle < 4 ? handle + 4 : handle - 4).AngleTo(Vertex(handle));
    return CVRX2DVector(length, out + offDegrees * VRX_PI / 180.0);
  }

  std::unique_ptr<CSWOctagon> m_unit;
};

// OC24: widths 24, 30, 36 and 48 in the catalogue.
TEST_F(SwocTest, EightSidesOfARegularOctagon)
{
  EXPECT_EQ(m_unit->GetSizeCode(), "OC24");
  EXPECT_NEAR(CSWOctagon::Side(24), 9.941, 1e-3);
  EXPECT_NEAR(CSWOctagon::Corner(24), 7.029, 1e-3);
  EXPECT_NEAR(CSWOctagon::VertexDiameter(24), 25.977, 1e-3);
  EXPECT_DOUBLE_EQ(m_unit->GetHeight(), 24.0);
  const CSizedComponentArray& components = *m_unit->GetSizedComponents();
  ASSERT_EQ(components.GetSize(), 8);
  const char* codes[] = {"BJ", "AP", "AP", "AP", "AG", "AP", "AP", "AP"};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(components[i]->GetCode(), codes[i]) << i;
    EXPECT_NEAR(components[i]->GetStartPoint().DistanceTo(components[i]->GetEndPoint()), CSWOctagon::Side(24), 1e-9);
    EXPECT_EQ(components[i]->GetEndPoint(), components[(i + 1) % 8]->GetStartPoint());
  }
  EXPECT_EQ(components[0]->GetID(), 2713);
  EXPECT_EQ(components[4]->GetID(), 2711);
  EXPECT_EQ(components[2]->GetStartPoint(), CVRX2DPoint(24, CSWOctagon::Corner(24)));

  CSizingHandleArray handles;
  m_unit->GetSizingHandles(handles);
  ASSERT_EQ(handles.GetSize(), 8);
  CDWordArray flags;
  m_unit->GetSidesMovedByHandle(5, flags);
  ASSERT_EQ(flags.GetSize(), 8);
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(flags[i], i == 1 ? 1u : 0u);

  CVRX2DEntityArray out;
  m_unit->Get2LineElevationEntities(2, out);
  ASSERT_EQ(out.GetSize(), 8);
  const double d = m_unit->GetComponentDistance(7, 0, 2);
  ASSERT_GT(d, 0.0);
  const CVRX2DLine& bottom = LineAt(out, 0);
  EXPECT_DOUBLE_EQ(bottom.GetStartPoint().GetY(), d);
  EXPECT_NEAR(bottom.GetStartPoint().DistanceTo(bottom.GetEndPoint()), CSWOctagon::Side(24 - 2 * d), 1e-9);
}

// The section starts where the cut meets the octagon's left side.
TEST_F(SwocTest, PlanSectionFollowsTheDiagonalSides)
{
  const double c = CSWOctagon::Corner(24);
  EXPECT_TRUE(IsPlanSection(*m_unit, 12.0, 24.0, 0.0));
  EXPECT_TRUE(IsPlanSection(*m_unit, c + 1e-3, 24.0, 0.0));
  EXPECT_TRUE(IsPlanSection(*m_unit, 0.0, CSWOctagon::Side(24), c));
  EXPECT_TRUE(IsPlanSection(*m_unit, 2.0, 24.0 - 2 * (c - 2.0), c - 2.0));
  EXPECT_TRUE(IsPlanSection(*m_unit, 22.0, 24.0 - 2 * (c - 2.0), c - 2.0));
  // Beyond the unit the cut is taken at its nearer side.
  EXPECT_TRUE(IsPlanSection(*m_unit, -30.0, CSWOctagon::Side(24), c));
  EXPECT_TRUE(IsPlanSection(*m_unit, 80.0, CSWOctagon::Side(24), c));
}

TEST_F(SwocTest, AVertexDragKeepsTheOppositeVertex)
{
  // Vertex 4 dragged out to a 30-wide octagon's diameter: vertex 0 stays.
  const double grow = CSWOctagon::VertexDiameter(30) - CSWOctagon::VertexDiameter(24);
  ASSERT_EQ(m_unit->ConformProposedSize(4, DragOf(4, grow, 0.0)), CUnit::inboundsChanged);
  EXPECT_EQ(ProposedSizeCode(*m_unit), "OC30");
  const double dc = CSWOctagon::Corner(30) - CSWOctagon::Corner(24);
  CVRX2DEntityArray out;
  const CVRX2DVector delta = m_unit->GetProposedOutlineEntities(out);
  EXPECT_NEAR(delta.GetX(), -dc, 1e-9);
  EXPECT_NEAR(delta.GetY(), 0.0, 1e-9);
  ASSERT_EQ(out.GetSize(), 8);
  EXPECT_EQ(out[0]->GetCategory(), 19);
  const CVRX2DPoint fixed = Vertex(0);
  EXPECT_NEAR(LineAt(out, 0).GetStartPoint().GetX() + delta.GetX(), fixed.GetX(), 1e-9);
  EXPECT_NEAR(LineAt(out, 0).GetStartPoint().GetY() + delta.GetY(), fixed.GetY(), 1e-9);
  // The same size again is no change.
  EXPECT_EQ(m_unit->ConformProposedSize(4, DragOf(4, grow + 0.5, 0.0)), CUnit::inboundsUnchanged);
  // A drag of no length gives the proposal up.
  EXPECT_EQ(m_unit->ConformProposedSize(4, CVRX2DVector(0.0, 0.0)), CUnit::inboundsUnchanged);
  EXPECT_EQ(ProposedSizeCode(*m_unit), "OC24");
  EXPECT_EQ(m_unit->GetProposedOutlineEntities(out), CVRX2DVector(0.0, 0.0));
}

TEST_F(SwocTest, DragsOffTheLineOrAcrossTheOppositeVertexAreRefused)
{
  const double tolerance = CVRXAngle::GetTolerance();
  const double grow = CSWOctagon::VertexDiameter(30) - CSWOctagon::VertexDiameter(24) + 2.0;
  EXPECT_EQ(m_unit->ConformProposedSize(1, DragOf(1, grow, 60.0)), CUnit::inboundsChanged);
  m_unit->ResetProposedSize();
  EXPECT_EQ(m_unit->ConformProposedSize(1, DragOf(1, grow, 70.0)), CUnit::outOfBoundsUnchanged);
  // Straight at the opposite vertex and past it.
  EXPECT_EQ(m_unit->ConformProposedSize(1, DragOf(1, 40.0, 180.0)), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(ProposedSizeCode(*m_unit), "OC24");
  EXPECT_EQ(CVRXAngle::GetTolerance(), tolerance);
  try {
    m_unit->ConformProposedSize(8, DragOf(1, grow, 0.0));
    ADD_FAILURE() << "handle 8 conformed";
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.file, "Swoc");
    EXPECT_EQ(e.line, 315);
  }
}

TEST_F(SwocTest, BeyondTheLargestSizeByHalfAStepIsRefused)
{
  m_unit->SetSizeCode("OC48");
  const double step = CSWOctagon::VertexDiameter(48) - CSWOctagon::VertexDiameter(36);
  EXPECT_EQ(m_unit->ConformProposedSize(0, DragOf(0, 0.4 * step, 0.0)), CUnit::inboundsUnchanged);
  EXPECT_EQ(m_unit->ConformProposedSize(0, DragOf(0, 0.6 * step, 0.0)), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(ProposedSizeCode(*m_unit), "OC48");
  // Towards the opposite vertex, not past it: smaller sizes.
  EXPECT_EQ(m_unit->ConformProposedSize(0, DragOf(0, step, 180.0)), CUnit::inboundsChanged);
  EXPECT_EQ(ProposedSizeCode(*m_unit), "OC36");
}

}  // namespace
