// Guards the abstract unit: identity and records, assignment between units, the elevation
// dispatch, outlines, handles, the resize protocol, sized components and their details, and the
// outline offset by the frame depths.
#include <memory>

#include "ModelTestUtil.h"
#include "geometry/2dline.h"
#include "geometry/Angle.h"
#include "model/Dtlspec.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"

namespace {

class UnitTest : public ModelTest
{};

void ExpectLine(const CVRX2DEntity* e, int category, double x0, double y0, double x1, double y1)
{
  ASSERT_EQ(e->GetType(), VRX_LINE);
  const auto* l = static_cast<const CVRX2DLine*>(e);
  EXPECT_EQ(l->GetCategory(), category);
  EXPECT_DOUBLE_EQ(l->GetStartPoint().GetX(), x0);
  EXPECT_DOUBLE_EQ(l->GetStartPoint().GetY(), y0);
  EXPECT_DOUBLE_EQ(l->GetEndPoint().GetX(), x1);
  EXPECT_DOUBLE_EQ(l->GetEndPoint().GetY(), y1);
}

TEST_F(UnitTest, IdentityRecordsAndIds)
{
  CTestUnit a("DH", "PI003");
  CTestUnit b("GL", "BA005");
  EXPECT_EQ(b.GetUnitID(), a.GetUnitID() + 1);
  CTestUnit copy(b);
  EXPECT_EQ(copy.GetUnitID(), b.GetUnitID() + 1);
  EXPECT_EQ(copy.GetType(), "GL");
  EXPECT_EQ(copy.GetSubtype(), "BA005");
  EXPECT_EQ(b.GetTypeDescription(), "Gliding");
  EXPECT_EQ(b.GetSubtypeDescription(), "Glider");
  EXPECT_TRUE(b.GetSubtypeFlag());
  EXPECT_FALSE(CTestUnit("VG", "RE010").GetSubtypeFlag());
  EXPECT_EQ(a.GetPanelCount(), 1);
}

// Sizes show whole inches, rounded half up, in place of feet and inches or fractions; every
// other length format, the radius's included, passes through.
TEST_F(UnitTest, SizeTextsShowWholeInchesUnlessAnotherFormatIsAsked)
{
  EXPECT_EQ(CUnit::FormatSizeText("GL3020", 0, {35.5, 23.25}), "GL3020:36x23");
  EXPECT_EQ(CUnit::FormatSizeText("GL3020", 1, {35.5, 23.25}), "GL3020:36x23");
  EXPECT_EQ(CUnit::FormatSizeText("Arch", 0, {24.0, 30.5}, 17.75), "Arch:24x31 R18");
  EXPECT_EQ(CUnit::FormatSizeText("Arch", 3, {24.0}, 12.0), "Arch:610 R305");
  EXPECT_EQ(CUnit::FormatSizeText("Edit", 4, {30.0}), "Edit:2'-6\"");
  EXPECT_EQ(CUnit::FormatSizeText("None", 0, {}), "None:");
}

TEST_F(UnitTest, MissingTypeOrSubtypeRowIsRefused)
{
  for (const auto& [type, subtype] : {std::pair<const char*, const char*>{"ZZ", "BA005"}, {"GL", "BA006"}, {"", ""}}) {
    try {
      CTestUnit unit(type, subtype);
      ADD_FAILURE() << "no exception for " << type << subtype;
    } catch (const CUnitException& e) {
      EXPECT_EQ(e.file, "Unit");
    }
  }
}

TEST_F(UnitTest, AssignmentNeedsTheSameTypeAndSubtype)
{
  CTestUnit a("GL", "BA005", 30, 40);
  CTestUnit b("GL", "BA005");
  CTestUnit other("DH", "PI003");
  ASSERT_TRUE(a.SetOptionChoice(5, 3));
  b.GetSizedComponents();
  static_cast<CUnit&>(b) = a;
  EXPECT_EQ(b.GetOptionChoice(5, 0), 3);
  EXPECT_EQ(b.GetWidth(), 30.0);
  EXPECT_DOUBLE_EQ(b.GetSizedComponents()->GetAt(1)->GetStartPoint().GetX(), 30.0);
  try {
    static_cast<CUnit&>(other) = a;
    ADD_FAILURE() << "no exception";
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.file, "Unit");
    EXPECT_EQ(e.line, 131);
  }
  EXPECT_EQ(other.GetOptionChoice(5, 0), 0);
}

TEST_F(UnitTest, ElevationDispatchesByLineCount)
{
  CTestUnit unit("GL", "BA005");
  CVRX2DEntityArray out;
  out.Add(new CVRX2DLine(9, CVRX2DPoint(), CVRX2DPoint(1, 1)));
  unit.GetElevationEntities(1, 1, 1, out);
  EXPECT_EQ(unit.m_Calls, (std::vector<int>{1}));
  EXPECT_EQ(out.GetSize(), 1);
  EXPECT_EQ(out.GetAt(0)->GetCategory(), 1);
  unit.m_Calls.clear();
  unit.GetElevationEntities(3, 1, 1, out);
  EXPECT_EQ(unit.m_Calls, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(out.GetSize(), 3);
}

TEST_F(UnitTest, OutlinesFollowTheSizedComponents)
{
  CTestUnit unit("GL", "BA005", 36, 48);
  unit.m_Extra = {{"I", 2107, CVRX2DPoint(0, 10), CVRX2DPoint(18, 10)},
                  {"I", 2107, CVRX2DPoint(18, 10), CVRX2DPoint(36, 10)},
                  {"X", 2107, CVRX2DPoint(36, 10), CVRX2DPoint(36, 20)}};
  CVRX2DEntityArray out;
  unit.GetOutlineEntities(out);
  ASSERT_EQ(out.GetSize(), 7);
  ExpectLine(out.GetAt(0), 20, 0, 0, 36, 0);
  ExpectLine(out.GetAt(3), 20, 0, 48, 0, 0);
  ExpectLine(out.GetAt(4), 17, 0, 10, 18, 10);
  unit.GetPartOutlineEntities(out);
  ASSERT_EQ(out.GetSize(), 6);
  ExpectLine(out.GetAt(0), 7, 0, 0, 36, 0);
  ExpectLine(out.GetAt(4), 5, 0, 10, 36, 10);   // two colinear members as one line
  ExpectLine(out.GetAt(5), 5, 36, 10, 36, 20);  // an unknown kind keeps the category before it
}

TEST_F(UnitTest, DefaultHandlesStandAtTheFirstFourStartPoints)
{
  CTestUnit unit("GL", "BA005", 36, 48);
  CSizingHandleArray handles;
  unit.GetSizingHandles(handles);
  ASSERT_EQ(handles.GetSize(), 4);
  EXPECT_EQ(handles.GetAt(2)->GetPoint(), CVRX2DPoint(36, 48));
  EXPECT_EQ(handles.GetAt(3)->GetCode(), 15);
  CSizingHandleArray copy(handles);
  handles.RemoveAll();
  ASSERT_EQ(copy.GetSize(), 4);
  EXPECT_EQ(copy.GetAt(1)->GetPoint(), CVRX2DPoint(36, 0));
}

TEST_F(UnitTest, ResizeProtocolAnswersTheOffsetOnce)
{
  CTestUnit unit("GL", "BA005", 36, 48);
  CSizedComponentArray* before = unit.GetSizedComponents();
  ASSERT_EQ(before->GetSize(), 4);
  EXPECT_EQ(unit.ConformProposedSize(0, CVRX2DVector()), CUnit::inboundsUnchanged);
  EXPECT_EQ(unit.ConformProposedSize(0, CVRX2DVector(4, 0)), CUnit::inboundsChanged);
  EXPECT_EQ(unit.SetSizeToProposed(), CVRX2DVector(-4, 0));
  EXPECT_EQ(unit.SetSizeToProposed(), CVRX2DVector(0, 0));
  EXPECT_EQ(unit.GetWidth(), 40.0);
  EXPECT_DOUBLE_EQ(unit.GetSizedComponents()->GetAt(0)->GetEndPoint().GetX(), 40.0);
  unit.ConformProposedSize(0, CVRX2DVector(2, 0));
  unit.ResetProposedSize();
  EXPECT_EQ(unit.SetSizeToProposed(), CVRX2DVector(0, 0));
  EXPECT_EQ(unit.GetWidth(), 40.0);
}

TEST_F(UnitTest, FailedBuildLeavesNoComponentsBehind)
{
  CTestUnit unit("GL", "BA005");
  unit.m_bFailBuild = true;
  EXPECT_THROW(unit.GetSizedComponents(), CUnitException);
  EXPECT_THROW(unit.GetSizedComponents(), CUnitException);
  EXPECT_EQ(unit.m_nBuildCount, 2);
  unit.m_bFailBuild = false;
  EXPECT_EQ(unit.GetSizedComponents()->GetSize(), 4);
  EXPECT_EQ(unit.m_nBuildCount, 3);
}

// Views and reports hold a const unit: the queries build the geometry caches on first use, and
// a size change still throws them away.
TEST_F(UnitTest, AConstUnitBuildsItsCachesOnDemand)
{
  CTestUnit unit("GL", "BA005", 35.2, 48);
  const CUnit& view = unit;
  EXPECT_EQ(view.GetSizedComponents()->GetSize(), 4);
  EXPECT_EQ(view.GetSizedComponents()->GetSize(), 4);
  EXPECT_EQ(unit.m_nBuildCount, 1);
  EXPECT_DOUBLE_EQ(view.GetOutlineWidth(), 36.75);
  EXPECT_EQ(view.GetComponentID(1), 2103);
  EXPECT_EQ(view.GetAttributes(), unit.GetAttributes());
  unit.ConformProposedSize(1, CVRX2DVector(12, 0));
  unit.SetSizeToProposed();
  EXPECT_DOUBLE_EQ(view.GetOutlineWidth(), 48.75);
  EXPECT_EQ(unit.m_nBuildCount, 2);
}

TEST_F(UnitTest, DetailSpecificationsFollowTheMembersDirections)
{
  CTestUnit unit("GL", "BA005", 36, 48);
  const struct
  {
    int id, orientation;
    double angle;
  } expected[] = {{2101, 0, 0.0}, {2103, 0, VRX_HALF_PI}, {2104, 1, 0.0}, {2106, 1, VRX_HALF_PI}};
  for (int i = 0; i < 4; ++i) {
    const CDetailSpecification spec = unit.GetDetailSpecification(i);
    EXPECT_EQ(spec.GetDetailID(), expected[i].id);
    EXPECT_EQ(unit.GetComponentID(i), expected[i].id);
    EXPECT_EQ(spec.GetOrientation(), expected[i].orientation) << i;
    EXPECT_NEAR(spec.GetAngle().GetRadians(), expected[i].angle, 1e-12) << i;
  }
}

TEST_F(UnitTest, ElevationDistancesReadTheComponentsLines)
{
  CTestUnit unit("GL", "BA005");
  EXPECT_DOUBLE_EQ(unit.GetComponentDistance(0, 1, 1), 1.375);  // spread of line 1
  EXPECT_DOUBLE_EQ(unit.GetComponentDistance(0, 0, 2), 2.75);
  EXPECT_DOUBLE_EQ(unit.GetComponentDistance(0, 2, 0), 2.75);
  EXPECT_DOUBLE_EQ(unit.GetComponentDistance(0, -1, 3), 3.25);
  EXPECT_DOUBLE_EQ(unit.GetComponentDistance(0, 3, 2), 0.5);
  EXPECT_DOUBLE_EQ(unit.GetComponentDistance(0, 0, 7), 0.0);
  EXPECT_DOUBLE_EQ(unit.GetComponentDistance(0, 0, 0), 0.0);
}

TEST_F(UnitTest, OutlineIsOffsetByTheFrameDepthsAndRoundedUp)
{
  CTestUnit unit("GL", "BA005", 35.2, 48);
  EXPECT_DOUBLE_EQ(unit.GetOutlineWidth(), 36.75);  // 35.2 + 2 x 0.75, up to the next 1/8
  EXPECT_DOUBLE_EQ(unit.GetOutlineHeight(), 49.5);
  EXPECT_DOUBLE_EQ(RoundUpToEighth(35.2), 35.25);
  EXPECT_DOUBLE_EQ(RoundUpToEighth(35.25), 35.25);
  EXPECT_DOUBLE_EQ(RoundUpToEighth(35.25 + 1e-9), 35.25 + 1e-9);
}

TEST_F(UnitTest, OutlineNeedsEveryFrameComponentRow)
{
  CTestUnit unit("GL", "BA005");
  unit.m_nComponentIDs[1] = 9999;
  try {
    unit.GetOutlineHeight();
    ADD_FAILURE() << "no exception";
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.file, "Unit");
    EXPECT_EQ(e.line, 1078);
  }
}

TEST_F(UnitTest, SizedComponentCopiesOwnTheirSpecification)
{
  auto source = std::make_unique<CSizedComponent>("BI", 2101, "P", CVRX2DPoint(10, 0), CVRX2DPoint(0, 0));
  CDetailSpecification spec;
  spec.SetDetailID(2101);
  source->SetDetailSpecification(&spec);
  source->SetDetailDirection();
  CSizedComponentArray array;
  array.Add(source.release());
  CSizedComponentArray copy(array);
  array.RemoveAll();
  ASSERT_NE(copy.GetAt(0)->GetDetailSpecification(), nullptr);
  EXPECT_EQ(copy.GetAt(0)->GetDetailSpecification()->GetOrientation(), 1);
  EXPECT_EQ(copy.GetAt(0)->GetKind(), "P");
  CSizedComponent bare("BI", 1, "I", CVRX2DPoint(), CVRX2DPoint(0, 1));
  EXPECT_THROW(bare.SetDetailDirection(), CUnitException);
}

}  // namespace
