// Guards joins: pairs found in either order with the spacing of each side (JOINSPCX before
// JOINSPAC), the side flag, the detail specification and the plan section of the joint.
#include <memory>

#include "geometry/2dline.h"
#include "ModelTestUtil.h"
#include "model/Dtlspec.h"
#include "model/Join.h"
#include "model/Plansect.h"
#include "model/Unitexcp.h"

namespace {

class JoinTest : public ModelTest
{};

void ExpectJoinError(int joinType, int id, int otherId, int line)
{
  try {
    CJoin join(joinType, id, otherId);
    ADD_FAILURE() << "no exception";
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.file, "Join");
    EXPECT_EQ(e.line, line);
  }
}

TEST_F(JoinTest, PairInGivenOrderUsesTheSidesSpacings)
{
  CJoin join(2, 2203, 2303);
  EXPECT_EQ(join.GetSide(), 0);
  EXPECT_EQ(join.GetJoinTypeID(), 2);
  EXPECT_EQ(join.GetJoinTypeCode(), "MR");
  EXPECT_EQ(join.GetJoinTypeName(), "Reinforced Mull");
  EXPECT_EQ(join.GetFirstProductID(), 2203);
  EXPECT_EQ(join.GetSecondProductID(), 2303);
  EXPECT_FLOAT_EQ(join.GetFirstOffset(), 0.625f);
  EXPECT_FLOAT_EQ(join.GetSecondOffset(), 0.5f);
  const CDetailSpecification spec = join.GetDetailSpecification();
  EXPECT_EQ(spec.GetDetailID(), 6002);
  EXPECT_EQ(spec.GetOrientation(), 0);
  EXPECT_EQ(spec.GetAngle().GetRadians(), 0.0);
  EXPECT_EQ(spec.GetOptionChoice(1), 0);
}

TEST_F(JoinTest, PairListedSwappedKeepsTheFirstProductsOwnSpacing)
{
  CJoin join(2, 2303, 2203);
  EXPECT_EQ(join.GetSide(), 1);
  EXPECT_EQ(join.GetFirstProductID(), 2303);
  EXPECT_EQ(join.GetSecondProductID(), 2203);
  EXPECT_FLOAT_EQ(join.GetFirstOffset(), 0.5f);
  EXPECT_FLOAT_EQ(join.GetSecondOffset(), 0.625f);
  EXPECT_EQ(join.GetDetailSpecification().GetOrientation(), 1);
}

TEST_F(JoinTest, PairSpacingComesBeforeProductSpacing)
{
  CJoin pair(2, 2206, 2206);
  EXPECT_FLOAT_EQ(pair.GetFirstOffset(), 0.5625f);  // JOINSPAC says 0.625
  EXPECT_FLOAT_EQ(pair.GetSecondOffset(), 0.5625f);
  CJoin glider(1, 2103, 2106);
  EXPECT_FLOAT_EQ(glider.GetFirstOffset(), 0.1875f);  // JOINSPAC says 0.25
  CJoin field(3, 2103, 2106);
  EXPECT_FLOAT_EQ(field.GetFirstOffset(), 0.125f);  // no JOINSPCX row for join type 3
}

TEST_F(JoinTest, RefusedJoinsThrowAndLeaveNoJoin)
{
  ExpectJoinError(9, 2203, 2303, 178);
  ExpectJoinError(1, 2101, 2102, 195);
  ExpectJoinError(2, 2103, 2106, 195);
  EXPECT_EQ(CJoin::GetLiveJoinCount(), 0);
}

TEST_F(JoinTest, CanBeJoinedLooksInEitherOrderAndByOneSide)
{
  EXPECT_TRUE(CJoin::CanBeJoined(2, 2203, 2303));
  EXPECT_TRUE(CJoin::CanBeJoined(2, 2303, 2203));
  EXPECT_FALSE(CJoin::CanBeJoined(1, 2203, 2303));
  EXPECT_FALSE(CJoin::CanBeJoined(9, 2203, 2303));
  EXPECT_TRUE(CJoin::CanBeJoined(4, 2306, 0));
  EXPECT_TRUE(CJoin::CanBeJoined(1, 2101, 0));  // only ever on the OtherID side
  EXPECT_FALSE(CJoin::CanBeJoined(4, 2101, 0));
}

TEST_F(JoinTest, LiveCountFollowsConstructionCopiesAndDestruction)
{
  EXPECT_EQ(CJoin::GetLiveJoinCount(), 0);
  {
    auto join = std::make_unique<CJoin>(2, 2203, 2303);
    CJoin copy(*join);
    EXPECT_EQ(CJoin::GetLiveJoinCount(), 2);
    join.reset();
    EXPECT_EQ(CJoin::GetLiveJoinCount(), 1);
    EXPECT_FLOAT_EQ(copy.GetFirstOffset(), 0.625f);
  }
  EXPECT_EQ(CJoin::GetLiveJoinCount(), 0);
  // The next join makes the shared records again.
  CJoin again(2, 2206, 2206);
  EXPECT_FLOAT_EQ(again.GetFirstOffset(), 0.5625f);
  CJoin other(1, 2103, 2106);
  other = again;
  EXPECT_EQ(other.GetJoinTypeID(), 2);
  EXPECT_FLOAT_EQ(other.GetSecondOffset(), 0.5625f);
}

TEST_F(JoinTest, PlanSectionIsOneJambAsWideAsBothSpacings)
{
  CJoin join(1, 2103, 2303);  // 0.25 + 0.25
  CPlanSectionSwitches switches;
  switches.SillLinesOn = 1;
  CPlanSectionPreferences preferences;
  CVRX2DEntityArray out;
  join.GetPlanSectionEntities(30.0, switches, preferences, out);
  ASSERT_EQ(out.GetSize(), 6);
  const auto* sill = static_cast<const CVRX2DLine*>(out.GetAt(0));
  EXPECT_EQ(sill->GetCategory(), 55);
  EXPECT_DOUBLE_EQ(sill->GetEndPoint().GetX(), 0.5);
  const auto* jambTop = static_cast<const CVRX2DLine*>(out.GetAt(2));
  EXPECT_EQ(jambTop->GetCategory(), 52);
  EXPECT_DOUBLE_EQ(jambTop->GetEndPoint().GetX(), 0.5);
  join.GetElevationEntities(2, 1, 1, out);
  EXPECT_EQ(out.GetSize(), 0);
}

}  // namespace
