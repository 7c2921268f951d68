// Guards the gothic window "SWGT041": the shoulder calculated from height, width and radius,
// the pointed outline, the plan section under the arcs, the corner conformer in the plane of
// width and shoulder with its bounds, and the tracery grille.
#include <cmath>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "model/Sizecomp.h"
#include "model/Unitexcp.h"
#include "units/standard/ArchTestUtil.h"
#include "units/standard/Swgt.h"

namespace {

class SwgtTest : public ArchUnitTest
{
protected:
  void SetUp() override
  {
    ArchUnitTest::SetUp();
    std::unique_ptr<CUnit> unit = Make("SW", "GT041");
    m_unit.reset(dynamic_cast<CSWGothic*>(unit.release()));
    ASSERT_TRUE(m_unit);
  }

  int Drag(int handle, double dx, double dy) { return m_unit->ConformProposedSize(handle, CVRX2DVector(dx, dy)); }

  CVRX2DVector Delta()
  {
    CVRX2DEntityArray out;
    return m_unit->GetProposedOutlineEntities(out);
  }

  std::unique_ptr<CSWGothic> m_unit;
};

// Sizes: width 24 radius 24 shoulders 24 and 36; width 36 radii 24 and 36 shoulder 36; width 48.
TEST_F(SwgtTest, TheShoulderIsCalculatedFromTheApex)
{
  EXPECT_EQ(m_unit->GetSizeCode(), "GT2020R24");
  EXPECT_NEAR(m_unit->GetCalculatedShoulderHeight(), 24.0, 1e-4);
  EXPECT_NEAR(m_unit->GetHeight(), 24.0 + std::sqrt(24.0 * 24.0 - 12.0 * 12.0), 1e-4);
  // Two arcs as wide as the unit meet at the top of a half circle.
  EXPECT_DOUBLE_EQ(CSWGothic::CalcShoulderHeight(30.0, 24.0, 12.0, 1023), 18.0);
  try {
    CSWGothic::CalcShoulderHeight(30.0, 25.0, 12.0, 1023);
    ADD_FAILURE() << "arcs that cannot meet gave a shoulder";
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.file, "Swgt");
    EXPECT_EQ(e.line, 1023);
  }

  const CSizedComponentArray& c = *m_unit->GetSizedComponents();
  ASSERT_EQ(c.GetSize(), 5);
  const char* codes[] = {"BJ", "AP", "AG", "AG", "AP"};
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(c[i]->GetCode(), codes[i]);
  EXPECT_EQ(c[2]->GetEndPoint(), m_unit->GetApexPoint());
  CVRX2DEntityArray out;
  m_unit->GetOutlineEntities(out);
  ASSERT_EQ(out.GetSize(), 5);
  // The right arc ends and the left arc starts at the apex.
  CVRX2DPoint start, end;
  ArcAt(out, 2).GetEndPoints(start, end);
  EXPECT_NEAR(end.DistanceTo(m_unit->GetApexPoint()), 0.0, 1e-9);
  ArcAt(out, 3).GetEndPoints(start, end);
  EXPECT_NEAR(start.DistanceTo(m_unit->GetApexPoint()), 0.0, 1e-9);
  EXPECT_NEAR(end.DistanceTo(CVRX2DPoint(0.0, 24.0)), 0.0, 1e-4);
}

TEST_F(SwgtTest, PlanSectionNarrowsAboveTheShoulder)
{
  const double s = m_unit->GetCalculatedShoulderHeight();
  EXPECT_TRUE(IsPlanSection(*m_unit, s, 24.0, 0.0));
  EXPECT_TRUE(IsPlanSection(*m_unit, -3.0, 24.0, 0.0));
  const double x = 24.0 - std::sqrt(24.0 * 24.0 - 10.0 * 10.0);
  EXPECT_TRUE(IsPlanSection(*m_unit, s + 10.0, 24.0 - 2 * x, x));
  EXPECT_TRUE(IsPlanSection(*m_unit, m_unit->GetHeight() + 5.0, 0.0, 12.0));
}

TEST_F(SwgtTest, ACornerDragSnapsInThePlaneOfWidthAndShoulder)
{
  // The upper right corner out to width 36 and shoulder 36: both rows of that size are as near,
  // the lower search's wins.
  EXPECT_EQ(Drag(2, 12.0, 12.0), CUnit::inboundsChanged);
  EXPECT_EQ(ProposedSizeCode(*m_unit), "GT3030R36");
  EXPECT_EQ(Delta(), CVRX2DVector(0.0, 0.0));
  EXPECT_EQ(Drag(2, 12.5, 12.0), CUnit::inboundsUnchanged);
  // The lower left corner keeps the upper right one: the base moves by the width and shoulder.
  m_unit->ResetProposedSize();
  EXPECT_EQ(Drag(0, -12.0, -12.0), CUnit::inboundsChanged);
  EXPECT_EQ(ProposedSizeCode(*m_unit), "GT3030R36");
  const CVRX2DVector delta = Delta();
  EXPECT_NEAR(delta.GetX(), -12.0, 1e-9);
  EXPECT_NEAR(delta.GetY(), -12.0, 1e-4);
  // No length: the proposal is given up.
  EXPECT_EQ(Drag(0, 0.0, 0.0), CUnit::inboundsUnchanged);
  EXPECT_EQ(ProposedSizeCode(*m_unit), "GT2020R24");
  EXPECT_EQ(Delta(), CVRX2DVector(0.0, 0.0));
}

// The two smallest widths are 24 and 36: half a step below is 18.
TEST_F(SwgtTest, BoundsBelowTheNarrowestSizeAndUnderTheSill)
{
  EXPECT_EQ(Drag(1, -5.0, 0.0), CUnit::inboundsUnchanged);
  EXPECT_EQ(Drag(1, -7.0, 0.0), CUnit::outOfBoundsUnchanged);
  // A shoulder pushed below the sill is always out of bounds.
  const int result = Drag(0, 0.0, 40.0);
  EXPECT_TRUE(result == CUnit::outOfBoundsChanged || result == CUnit::outOfBoundsUnchanged) << result;
}

TEST_F(SwgtTest, TheTraceryBranchesAtTheSpringingHeight)
{
  CVRX2DEntityArray out;
  ASSERT_TRUE(m_unit->SetOptionChoice(36, 6));
  m_unit->GetGrilleEntities(2, out);
  EXPECT_TRUE(AllFinite(out));
  int lines = 0, arcs = 0;
  for (int i = 0; i < out.GetSize(); ++i) {
    EXPECT_EQ(out[i]->GetCategory(), 48);
    if (dynamic_cast<const CVRX2DArc*>(out[i]))
      ++arcs;
    else
      ++lines;
  }
  EXPECT_EQ(lines, 3) << "one horizontal bar under the springing height and two vertical bars";
  EXPECT_GT(arcs, 0);
  // The first line is the horizontal bar at height 12, from jamb to jamb.
  EXPECT_DOUBLE_EQ(LineAt(out, 0).GetStartPoint().GetY(), 12.0);
  EXPECT_DOUBLE_EQ(LineAt(out, 1).GetEndPoint().GetY(), 24.0);
}

}  // namespace
