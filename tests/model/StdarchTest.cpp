// Guards the standard arched unit on the arched catalogue ladder: the conformer in the (width,
// shoulder height) plane with its refinement ties and half-step rule, the value lists of the
// sizing page, selection by height, width, radius and shoulder height, and the arch outline.
#include <cmath>

#include "BaseLeaves.h"
#include "BaseTests.h"
#include "OddCatalogue.h"
#include "geometry/2darc.h"
#include "geometry/2dline.h"

namespace {

class StdarchTest : public ModelTest
{
protected:
  int Drag(CArchLeaf& unit, int handle, double dx, double dy)
  {
    return unit.ConformProposedSize(handle, CVRX2DVector(dx, dy));
  }
  CString Proposed(CArchLeaf& unit) { return unit.GetSizeText(2).Left(unit.GetSizeText(2).Find(':')); }
  static std::vector<double> Values(const CArray<double, double>& a) { return std::vector<double>(a.begin(), a.end()); }
};

class COtherArchLeaf : public CArchLeaf
{
  DECLARE_DYNAMIC(COtherArchLeaf)
public:
  using CArchLeaf::CArchLeaf;
};
IMPLEMENT_DYNAMIC(COtherArchLeaf, CArchLeaf)

TEST_F(StdarchTest, ValueListsFollowTheCurrentWidthAndShoulderHeight)
{
  CArchLeaf unit("AR", "BA011");
  ASSERT_EQ(unit.GetSizeCode(), "AR3030R18");
  CArray<double, double> values;
  unit.GetSizesForHeight(values);
  EXPECT_EQ(Values(values), (std::vector<double>{53.25, 65.25, 77.25}));
  unit.GetSizesForWidth(values);  // two radii at 47.5, 59.5 and 71.5: each width once
  EXPECT_EQ(Values(values), (std::vector<double>{35.5, 47.5, 59.5, 71.5}));
  unit.GetArchRadiiForShoulderHeight(values);
  EXPECT_EQ(Values(values), (std::vector<double>{17.75, 23.75, 29.75, 35.75, 36.0, 48.0, 60.0}));
  unit.SetSizeCode("AR4030R24");
  unit.GetShoulderHeightsForWidth(values);  // repeats kept, one per row
  EXPECT_EQ(Values(values), (std::vector<double>{35.5, 35.5, 47.5, 47.5, 59.5, 59.5}));
  unit.GetSizesForHeight(values);
  ASSERT_EQ(values.GetSize(), 6);
  EXPECT_DOUBLE_EQ(values[0], 59.25);
  EXPECT_NEAR(values[1], 44.4457, 1e-4);
}

TEST_F(StdarchTest, SelectsSizesByHeightRadiusShoulderAndWidth)
{
  CArchLeaf unit("AR", "BA011");
  unit.SetSizeCode("AR4030R24");
  CArray<double, double> heights;
  unit.GetSizesForHeight(heights);
  unit.SetHeight(44.4457);  // the rounded catalogue height is not a height of the unit
  EXPECT_EQ(unit.GetSizeCode(), "AR4030R24");
  unit.SetHeight(heights[1]);
  EXPECT_EQ(unit.GetSizeCode(), "AR4030R36");
  unit.SetHeight(heights[0]);
  EXPECT_EQ(unit.GetSizeCode(), "AR4030R24");
  unit.SetArchRadius(99.0);
  EXPECT_EQ(unit.GetSizeCode(), "AR4030R24");
  unit.SetArchRadius(36.0);
  EXPECT_EQ(unit.GetSizeCode(), "AR4030R36");
  unit.SetShoulderHeight(59.5);
  EXPECT_EQ(unit.GetSizeCode(), "AR4050R24");
  unit.SetShoulderHeight(50.0);
  EXPECT_EQ(unit.GetSizeCode(), "AR4050R24");
  unit.SetWidth(59.5);
  EXPECT_EQ(unit.GetSizeCode(), "AR5030R30");
  ExpectUnitError([&] { unit.SetWidth(50.0); }, "Stdarch", 1118);
  EXPECT_EQ(unit.GetSizeCode(), "AR5030R30");
  CArchLeaf last("SW", "OV009");  // the last unit of the table: the seek runs off its end
  ExpectUnitError([&] { last.SetWidth(100.0); }, "Stdarch", 1115);
  EXPECT_EQ(last.GetSizeCode(), "OV2030");
}

TEST_F(StdarchTest, AnExactDragTakesTheRowAndMovesTheBasePointByTheShoulder)
{
  CArchLeaf unit("AR", "BA011");
  EXPECT_EQ(Drag(unit, 2, 12, 0), CUnit::inboundsChanged);
  EXPECT_EQ(Proposed(unit), "AR4030R36");  // both radii are as near: candidate 0's row wins
  CVRX2DEntityArray outline;
  EXPECT_EQ(unit.GetProposedOutlineEntities(outline), CVRX2DVector(0, 0));
  unit.ResetProposedSize();
  EXPECT_EQ(Drag(unit, 0, -12, -12), CUnit::inboundsChanged);
  EXPECT_EQ(Proposed(unit), "AR4040R36");
  EXPECT_EQ(unit.GetProposedOutlineEntities(outline), CVRX2DVector(-12, -12));
  EXPECT_DOUBLE_EQ(unit.GetProposedShoulderHeight(), 47.5);
  EXPECT_DOUBLE_EQ(unit.GetProposedArchRadius(), 36.0);
  EXPECT_EQ(Drag(unit, 0, -12, -12), CUnit::inboundsUnchanged);
  unit.ResetProposedSize();
  EXPECT_EQ(Drag(unit, 1, 12, -12), CUnit::inboundsChanged);
  EXPECT_EQ(unit.GetProposedOutlineEntities(outline), CVRX2DVector(0, -12));
  unit.ResetProposedSize();
  EXPECT_EQ(Drag(unit, 3, -12, 12), CUnit::inboundsChanged);
  EXPECT_EQ(unit.GetProposedOutlineEntities(outline), CVRX2DVector(-12, 0));
}

TEST_F(StdarchTest, BetweenTwoWidthsTheNearerRowWinsAndTheSecondOnATie)
{
  CArchLeaf unit("AR", "BA011");
  EXPECT_EQ(Drag(unit, 2, 5, 0), CUnit::inboundsUnchanged);
  EXPECT_EQ(Drag(unit, 2, 7, 0), CUnit::inboundsChanged);
  EXPECT_EQ(Proposed(unit), "AR4030R24");
  unit.ResetProposedSize();
  EXPECT_EQ(Drag(unit, 2, 6, 0), CUnit::inboundsChanged);
  EXPECT_EQ(Proposed(unit), "AR4030R24");
}

TEST_F(StdarchTest, PastTheOutermostShoulderOrWidthByHalfTheLastStepIsInBounds)
{
  CArchLeaf unit("AR", "BA011");
  EXPECT_EQ(Drag(unit, 2, 0, -5.9), CUnit::inboundsUnchanged);  // below the first row of the table
  EXPECT_EQ(Drag(unit, 2, 0, -6.1), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(Drag(unit, 2, -5.9, 0), CUnit::inboundsUnchanged);
  EXPECT_EQ(Drag(unit, 2, -6.1, 0), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(Drag(unit, 2, 0, 200), CUnit::outOfBoundsChanged);
  EXPECT_EQ(Proposed(unit), "AR3050R18");
  unit.SetSizeToProposed();
  EXPECT_EQ(Drag(unit, 2, 0, 5.9), CUnit::inboundsUnchanged);
  EXPECT_EQ(Drag(unit, 2, 0, 6.1), CUnit::outOfBoundsUnchanged);
  unit.SetSizeCode("AR6050R60");
  EXPECT_EQ(Drag(unit, 2, 5.9, 0), CUnit::inboundsUnchanged);
  EXPECT_EQ(Drag(unit, 2, 6.1, 0), CUnit::outOfBoundsUnchanged);
}

TEST_F(StdarchTest, ARequestBeyondEveryCandidateKeepsTheProposal)
{
  CArchLeaf unit("AR", "BA011");
  EXPECT_EQ(Drag(unit, 2, 20000, 0), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(Proposed(unit), "AR3030R18");
}

TEST_F(StdarchTest, AWinnerWithoutShoulderIsRefused)
{
  COddCatalogue data;
  data.AddRow("SUBTYPES", {"AR", "ZZ011", "Test arch", "Test", "TRUE", "TRUE", "FALSE", "4.5", "99"});
  data.AddRow("STDSIZES", {"AR", "ZZ011", "ZZ0", "20", "40", "1", "0", "0", "0", "0", "20", "0"});
  data.AddRow("STDSIZES", {"AR", "ZZ011", "ZZ1", "50", "40", "1", "0", "0", "0", "0", "20", "30"});
  data.AddRow("OPERCHOI", {"AR", "ZZ011", "ZZ0", "F", "0", "0", "0", "0"});
  data.AddRow("OPERCHOI", {"AR", "ZZ011", "ZZ1", "F", "0", "0", "0", "0"});
  data.Use();
  CArchLeaf unit("AR", "ZZ011");
  unit.SetSizeCode("ZZ1");
  ExpectUnitError([&] { Drag(unit, 2, 0, -29); }, "Stdarch", 525);
  EXPECT_EQ(Proposed(unit), "ZZ1");
}

TEST_F(StdarchTest, OutlineRunsOverTheArchAndTheTangentsMeetAboveIt)
{
  CArchLeaf unit("AR", "BA011");
  CVRX2DEntityArray out;
  unit.GetOutlineEntities(out);
  ASSERT_EQ(out.GetSize(), 4);
  ASSERT_EQ(out[2]->GetType(), VRX_ARC);
  const auto& half = static_cast<const CVRX2DArc&>(*out[2]);
  EXPECT_EQ(half.GetCentre(), CVRX2DPoint(17.75, 35.5));
  EXPECT_DOUBLE_EQ(half.GetMajorRadius(), 17.75);
  EXPECT_NEAR(half.GetStartAngle().GetRadians(), 0.0, 1e-12);
  EXPECT_NEAR(half.GetEndAngle().GetRadians(), VRX_PI, 1e-12);
  for (int i = 0; i < out.GetSize(); ++i)
    EXPECT_EQ(out[i]->GetCategory(), 20);
  unit.GetPartOutlineEntities(out);  // a half circle: the tangents never meet and are left out
  EXPECT_EQ(out.GetSize(), 6);

  unit.SetSizeCode("AR4030R36");
  unit.GetPartOutlineEntities(out);
  ASSERT_EQ(out.GetSize(), 8);
  const auto& tangent = static_cast<const CVRX2DLine&>(*out[5]);
  const CVRX2DPoint centre(23.75, unit.GetHeight() - 36.0);
  const CVRX2DVector radius = tangent.GetStartPoint() - centre;
  const CVRX2DVector along = tangent.GetEndPoint() - tangent.GetStartPoint();
  EXPECT_EQ(tangent.GetStartPoint(), CVRX2DPoint(0.0, 35.5));
  EXPECT_NEAR(radius.Dot(along) / (radius.GetLength() * along.GetLength()), 0.0, 1e-5);
  EXPECT_NEAR(tangent.GetEndPoint().GetX(), 23.75, 1e-9);
  EXPECT_EQ(out[5]->GetCategory(), 6);
}

TEST_F(StdarchTest, AssignmentAndDistanceAndHandleFlags)
{
  CArchLeaf unit("AR", "BA011");
  COtherArchLeaf other("AR", "BA011");
  other.SetSizeCode("AR5040R30");
  ExpectUnitError([&] { static_cast<CUnit&>(other) = unit; }, "Stdarch", 74);
  EXPECT_EQ(other.GetSizeCode(), "AR5040R30");
  static_cast<CUnit&>(unit) = other;
  EXPECT_EQ(unit.GetSizeCode(), "AR5040R30");

  CStdSizesRec a("AR", "BA011", "AR3030R18");
  CStdSizesRec b("AR", "BA011", "AR4040R24");
  EXPECT_EQ(CStandardArchedUnit::DistanceToSize(35.5, 40.0, a, b), -1);
  EXPECT_EQ(CStandardArchedUnit::DistanceToSize(47.5, 45.0, a, b), 1);
  EXPECT_EQ(CStandardArchedUnit::DistanceToSize(41.5, 41.5, a, b), 0);

  CDWordArray flags;
  unit.GetSidesMovedByHandle(3, flags);
  ASSERT_EQ(flags.GetSize(), 4);
  EXPECT_EQ(flags[1], 1u);
  EXPECT_EQ(flags[0] + flags[2] + flags[3], 0u);
}

}  // namespace
