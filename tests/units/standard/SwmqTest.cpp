// Guards the monumental quarter rounds "SWMR042" and "SWML042": the quarter circle about the
// corner in both hands, the plan section, the trimmed elevations, the radius conformer with its
// corner handle and base-point shifts, and the ring-and-bar grille.
#include <cmath>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "units/standard/ArchTestUtil.h"
#include "units/standard/Swmq.h"

namespace {

class SwmqTest : public ArchUnitTest
{
protected:
  std::unique_ptr<CSWMonumentalQuarterRound> MakeHand(const char* subtype)
  {
    std::unique_ptr<CUnit> unit = Make("SW", subtype);
    return std::unique_ptr<CSWMonumentalQuarterRound>(dynamic_cast<CSWMonumentalQuarterRound*>(unit.release()));
  }

  static CVRX2DVector Shift(CUnit& unit)
  {
    CVRX2DEntityArray out;
    return unit.GetProposedOutlineEntities(out);
  }
};

// Radii 24, 30, 36 and 48; grille rings at a third and two thirds of the radius and one beyond it.
TEST_F(SwmqTest, AQuarterCircleAboutTheCornerInBothHands)
{
  auto right = MakeHand("MR042");
  auto left = MakeHand("ML042");
  ASSERT_TRUE(right && left);
  EXPECT_DOUBLE_EQ(right->GetWidth(), 24.0);
  EXPECT_DOUBLE_EQ(right->GetHeight(), 24.0);
  CVRX2DEntityArray out;
  right->GetOutlineEntities(out);
  ASSERT_EQ(out.GetSize(), 3);
  ExpectLine(out, 0, 20, {0, 0, 24, 0});
  ExpectArc(out, 1, 20, 0, 0, 24, 0.0, VRX_HALF_PI);
  ExpectLine(out, 2, 20, {0, 24, 0, 0});
  left->GetOutlineEntities(out);
  ASSERT_EQ(out.GetSize(), 3);
  ExpectLine(out, 1, 20, {24, 0, 24, 24});
  ExpectArc(out, 2, 20, 24, 0, 24, VRX_HALF_PI, VRX_PI);
  EXPECT_EQ(left->GetSizedComponents()->GetAt(2)->GetCode(), "AG");

  left->GetPartOutlineEntities(out);
  ASSERT_EQ(out.GetSize(), 4);
  EXPECT_EQ(out[1]->GetCategory(), 7);
  EXPECT_EQ(out[3]->GetCategory(), 6);

  // The trimmed arc meets the inset bottom and jamb.
  out.RemoveAll();
  right->Get2LineElevationEntities(2, out);
  ASSERT_EQ(out.GetSize(), 3);
  const double s = right->GetInsetJambMeet(2);
  EXPECT_NEAR(LineAt(out, 0).GetEndPoint().GetX(), s, 1e-9);
  EXPECT_NEAR(LineAt(out, 2).GetStartPoint().GetY(), s, 1e-9);
  out.RemoveAll();
  left->Get1LineElevationEntities(1, out);
  ASSERT_EQ(out.GetSize(), 3);
  EXPECT_TRUE(dynamic_cast<const CVRX2DArc*>(out[2]));
  EXPECT_EQ(out[2]->GetCategory(), 46);
}

TEST_F(SwmqTest, PlanSectionIsTheWidthAtTheCut)
{
  auto right = MakeHand("MR042");
  auto left = MakeHand("ML042");
  EXPECT_TRUE(IsPlanSection(*right, 0.0, 24.0, 0.0));
  EXPECT_TRUE(IsPlanSection(*left, 0.0, 24.0, 0.0));
  const double w = std::sqrt(24.0 * 24.0 - 12.0 * 12.0);
  EXPECT_TRUE(IsPlanSection(*left, 12.0, w, 24.0 - w));
  EXPECT_TRUE(IsPlanSection(*right, 12.0, w, 0.0));
  EXPECT_TRUE(IsPlanSection(*right, 40.0, 0.0, 0.0));
  EXPECT_TRUE(IsPlanSection(*left, -40.0, 24.0, 0.0));
}

TEST_F(SwmqTest, TheRadiusSnapsAndTheOppositeSidesStay)
{
  auto right = MakeHand("MR042");
  // No movement along the handle's side gives the proposal up.
  EXPECT_EQ(right->ConformProposedSize(1, CVRX2DVector(0.0, 5.0)), CUnit::inboundsUnchanged);
  // Half-way between 24 and 30 takes 30.
  EXPECT_EQ(right->ConformProposedSize(1, CVRX2DVector(3.0, 0.0)), CUnit::inboundsChanged);
  EXPECT_DOUBLE_EQ(right->GetProposedArchRadius(), 30.0);
  EXPECT_EQ(Shift(*right), CVRX2DVector(0.0, 0.0));
  // The corner dragged left keeps the bottom's right end.
  right->ResetProposedSize();
  EXPECT_EQ(right->ConformProposedSize(0, CVRX2DVector(-6.0, 1.0)), CUnit::inboundsChanged);
  EXPECT_EQ(Shift(*right), CVRX2DVector(-6.0, 0.0));
  // The same size by a vertical drag moves the corner down instead.
  EXPECT_EQ(right->ConformProposedSize(0, CVRX2DVector(1.0, -6.0)), CUnit::inboundsChanged);
  EXPECT_EQ(Shift(*right), CVRX2DVector(0.0, -6.0));
  EXPECT_EQ(right->ConformProposedSize(0, CVRX2DVector(1.0, -6.5)), CUnit::inboundsUnchanged);

  auto left = MakeHand("ML042");
  EXPECT_EQ(left->ConformProposedSize(1, CVRX2DVector(0.0, -6.0)), CUnit::inboundsChanged);
  EXPECT_EQ(Shift(*left), CVRX2DVector(-6.0, -6.0));
  left->ResetProposedSize();
  EXPECT_EQ(left->ConformProposedSize(2, CVRX2DVector(0.0, 6.0)), CUnit::inboundsChanged);
  EXPECT_EQ(Shift(*left), CVRX2DVector(-6.0, 0.0));
  try {
    left->ConformProposedSize(3, CVRX2DVector(1.0, 1.0));
    ADD_FAILURE() << "handle 3 conformed";
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.file, "SWML");
    EXPECT_EQ(e.line, 139);
  }
}

TEST_F(SwmqTest, BelowTheSmallestRadiusItIsOutOfBounds)
{
  auto right = MakeHand("MR042");
  right->SetSizeCode("MR30");
  // 18 lies 6 below the smallest radius, more than half the step of 6.
  EXPECT_EQ(right->ConformProposedSize(1, CVRX2DVector(-12.0, 0.0)), CUnit::outOfBoundsChanged);
  EXPECT_DOUBLE_EQ(right->GetProposedArchRadius(), 24.0);
  EXPECT_EQ(right->ConformProposedSize(2, CVRX2DVector(0.0, -12.0)), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(right->ConformProposedSize(2, CVRX2DVector(0.0, -8.0)), CUnit::inboundsUnchanged);
}

TEST_F(SwmqTest, RingsInsideTheRadiusAndBarsOutToTheGlass)
{
  auto right = MakeHand("MR042");
  CVRX2DEntityArray out;
  right->GetGrilleEntities(2, out);
  EXPECT_EQ(out.GetSize(), 0);
  ASSERT_TRUE(right->SetOptionChoice(36, 6));
  right->GetGrilleEntities(2, out);
  ASSERT_EQ(out.GetSize(), 2 + 3);
  EXPECT_TRUE(AllFinite(out));
  EXPECT_DOUBLE_EQ(ArcAt(out, 0).GetMajorRadius(), 16.0);
  EXPECT_DOUBLE_EQ(ArcAt(out, 1).GetMajorRadius(), 8.0);
  const double glass = 24.0 - right->GetComponentDistance(1, 0, 2);
  for (int i = 2; i < 5; ++i) {
    EXPECT_NEAR(LineAt(out, i).GetStartPoint().DistanceTo(CVRX2DPoint(0, 0)), 8.0, 1e-6);
    EXPECT_NEAR(LineAt(out, i).GetEndPoint().DistanceTo(CVRX2DPoint(0, 0)), glass, 1e-6);
  }
  auto left = MakeHand("ML042");
  try {
    *right = *left;
    ADD_FAILURE() << "a left hand was assigned to a right hand";
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.file, "SWMR");
    EXPECT_EQ(e.line, 80);
  }
}

}  // namespace
