// Guards the casement/awning quarter rounds "SWCR006" and "SWCL006": the rectangle with one
// upper corner rounded in both hands, the plan section, the trimmed inset elevations, the
// radius conformer with its corner handle, and the hub grille.
#include <cmath>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "units/standard/ArchTestUtil.h"
#include "units/standard/Swca.h"

namespace {

class SwcaTest : public ArchUnitTest
{
protected:
  std::unique_ptr<CSWCasementAwningQtrRound> MakeHand(const char* subtype)
  {
    std::unique_ptr<CUnit> unit = Make("SW", subtype);
    return std::unique_ptr<CSWCasementAwningQtrRound>(dynamic_cast<CSWCasementAwningQtrRound*>(unit.release()));
  }

  static CVRX2DVector Shift(CUnit& unit)
  {
    CVRX2DEntityArray out;
    return unit.GetProposedOutlineEntities(out);
  }
};

// Sizes (width, height, radius): 30 36 18, 36 48 24, 42 48 30, 48 60 36.
TEST_F(SwcaTest, ARectangleWithOneUpperCornerRounded)
{
  auto right = MakeHand("CR006");
  auto left = MakeHand("CL006");
  ASSERT_TRUE(right && left);
  EXPECT_EQ(right->GetArcCentre(), CVRX2DPoint(12.0, 18.0));
  EXPECT_EQ(left->GetArcCentre(), CVRX2DPoint(18.0, 18.0));
  CVRX2DEntityArray out;
  right->GetOutlineEntities(out);
  ASSERT_EQ(out.GetSize(), 5);
  ExpectLine(out, 1, 20, {30, 0, 30, 18});
  ExpectArc(out, 2, 20, 12, 18, 18, 0.0, VRX_HALF_PI);
  ExpectLine(out, 3, 20, {12, 36, 0, 36});
  left->GetOutlineEntities(out);
  ASSERT_EQ(out.GetSize(), 5);
  ExpectLine(out, 2, 20, {30, 36, 18, 36});
  ExpectArc(out, 3, 20, 18, 18, 18, VRX_HALF_PI, VRX_PI);

  // Inset bottom below the arc centre and inset jamb short of it: a leg and a top.
  out.RemoveAll();
  right->Get2LineElevationEntities(2, out);
  ASSERT_EQ(out.GetSize(), 5);
  EXPECT_TRUE(AllFinite(out));
  const double j = right->GetComponentDistance(4, 0, 2);
  EXPECT_NEAR(LineAt(out, 4).GetStartPoint().GetX(), j, 1e-9);
  EXPECT_NEAR(LineAt(out, 3).GetStartPoint().GetX(), 12.0, 1e-9);
  out.RemoveAll();
  left->Get3LineElevationEntities(3, out);
  ASSERT_EQ(out.GetSize(), 5);
  EXPECT_NEAR(LineAt(out, 2).GetEndPoint().GetX(), 18.0, 1e-9);
  EXPECT_TRUE(AllFinite(out));
}

TEST_F(SwcaTest, PlanSectionFollowsTheRoundedCorner)
{
  auto right = MakeHand("CR006");
  auto left = MakeHand("CL006");
  EXPECT_TRUE(IsPlanSection(*right, 18.0, 30.0, 0.0));
  EXPECT_TRUE(IsPlanSection(*right, 36.0, 12.0, 0.0));
  EXPECT_TRUE(IsPlanSection(*left, 36.0, 12.0, 18.0));
  const double w = 12.0 + std::sqrt(18.0 * 18.0 - 9.0 * 9.0);
  EXPECT_TRUE(IsPlanSection(*left, 27.0, w, 30.0 - w));
  EXPECT_TRUE(IsPlanSection(*right, 99.0, 12.0, 0.0));
}

TEST_F(SwcaTest, TheRadiusSnapsFromEachHandle)
{
  auto right = MakeHand("CR006");
  EXPECT_EQ(right->ConformProposedSize(2, CVRX2DVector(4.0, 0.0)), CUnit::inboundsUnchanged);
  // Half-way between the radii 18 and 24 takes 24.
  EXPECT_EQ(right->ConformProposedSize(1, CVRX2DVector(3.0, 0.0)), CUnit::inboundsChanged);
  EXPECT_DOUBLE_EQ(right->GetProposedArchRadius(), 24.0);
  EXPECT_EQ(Shift(*right), CVRX2DVector(0.0, 0.0));
  // A small drag of the corner that snaps back: the right hand's corner is a change of shift.
  right->ResetProposedSize();
  EXPECT_EQ(right->ConformProposedSize(0, CVRX2DVector(-1.0, 0.0)), CUnit::inboundsChanged);
  auto left = MakeHand("CL006");
  EXPECT_EQ(left->ConformProposedSize(1, CVRX2DVector(1.0, 0.0)), CUnit::inboundsUnchanged);
  EXPECT_EQ(left->ConformProposedSize(0, CVRX2DVector(-6.0, 0.0)), CUnit::inboundsChanged);
  EXPECT_EQ(Shift(*left), CVRX2DVector(-6.0, 0.0));
  try {
    right->ConformProposedSize(5, CVRX2DVector(1.0, 1.0));
    ADD_FAILURE() << "handle 5 conformed";
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.file, "SWCR");
    EXPECT_EQ(e.line, 140);
  }
}

TEST_F(SwcaTest, AHubRingFurtherRingsAndBars)
{
  auto left = MakeHand("CL006");
  CVRX2DEntityArray out;
  left->GetGrilleEntities(2, out);
  EXPECT_EQ(out.GetSize(), 0);
  ASSERT_TRUE(left->SetOptionChoice(36, 6));
  left->GetGrilleEntities(2, out);
  ASSERT_EQ(out.GetSize(), 2 + 3);
  EXPECT_TRUE(AllFinite(out));
  EXPECT_EQ(ArcAt(out, 0).GetCentre(), CVRX2DPoint(18.0, 18.0));
  EXPECT_DOUBLE_EQ(ArcAt(out, 0).GetMajorRadius(), 6.0);
  EXPECT_DOUBLE_EQ(ArcAt(out, 1).GetMajorRadius(), 12.0);
  for (int i = 2; i < 5; ++i)
    EXPECT_NEAR(LineAt(out, i).GetStartPoint().DistanceTo(CVRX2DPoint(18.0, 18.0)), 6.0, 1e-6);
  auto right = MakeHand("CR006");
  try {
    *left = *right;
    ADD_FAILURE() << "a right hand was assigned to a left hand";
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.file, "SWCL");
    EXPECT_EQ(e.line, 85);
  }
}

}  // namespace
