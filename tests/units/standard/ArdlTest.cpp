// Guards the double-leg custom arched unit: made by the factory 24 inches wide with its crown 24
// inches high, locked and unlocked by the sizing page (locking legs that differ keeps the height),
// sized by four corner handles within the limits and refused outside them, drawn, cut in plan,
// and stored as an attribute string that reads back equal; a refusal changes nothing.
#include <cmath>
#include <memory>
#include <vector>

#include "Custtest.h"
#include "model/Rptdata.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitutil.h"
#include "platform/core/Array.h"
#include "units/standard/Ardl.h"

namespace {

// The default legs: an arc of 72 through both, its crown 24 above the sill at mid-width.
const double kDefaultLeg = -48.0 + std::sqrt(72.0 * 72.0 - 12.0 * 12.0);

// A double leg whose arc can be put anywhere, for shapes the limits would refuse.
class CDoubleLegProbe : public CARDoubleLeg
{
public:
  using CCustomArchedUnit::SetArchCentre;
};

class ArdlTest : public CustomArchTest
{
protected:
  void SetUp() override
  {
    CustomArchTest::SetUp();
    m_unit.reset(static_cast<CARDoubleLeg*>(MakeUnit("AR", "DL013")));
    ASSERT_TRUE(m_unit);
  }

  BOOL SetSize(double base, int locked, std::vector<double> values)
  {
    CArray<double, double> page;
    for (double v : values)
      page.Add(v);
    return m_unit->SetDimensionValues(base, locked, page);
  }

  std::unique_ptr<CARDoubleLeg> m_unit;
};

TEST_F(ArdlTest, ANewUnitIsUnlockedWithItsCrown24InchesHigh)
{
  BOOL offered = FALSE;
  EXPECT_EQ(MakeUnit("AR", "DL013", &offered), nullptr);
  EXPECT_TRUE(offered);
  EXPECT_EQ(m_unit->GetType(), "AR");
  EXPECT_EQ(m_unit->GetSubtype(), "DL013");
  EXPECT_FALSE(m_unit->IsLocked());
  EXPECT_DOUBLE_EQ(m_unit->GetWidth(), 24.0);
  EXPECT_NEAR(m_unit->GetLeftLegHeight(), kDefaultLeg, 1e-12);
  EXPECT_NEAR(m_unit->GetRightLegHeight(), kDefaultLeg, 1e-12);
  EXPECT_NEAR(m_unit->GetHeight(), 24.0, 1e-12);
  EXPECT_TRUE(m_unit->IsArcCentred());
  EXPECT_TRUE(m_unit->IsSizeValid());
  EXPECT_EQ(m_unit->GetAttributes(),
            "AR,DL013,0,72,24,UNLOCKED" + CString::Formatted(",%.15g,%.15g", kDefaultLeg, kDefaultLeg));
  EXPECT_EQ(m_unit->GetSizeText(0), "Custom Arched:24x23x23x24 R72");
  CStringArray labels;
  m_unit->GetDimensionLabels(labels);
  ASSERT_EQ(labels.GetSize(), 3);
  EXPECT_EQ(labels[0], "Base:");
  EXPECT_EQ(labels[1], "Left:");
  EXPECT_EQ(labels[2], "Right:");
}

TEST_F(ArdlTest, UnlockedLegsTakeTheirOwnHeightsWithinTheLimits)
{
  ASSERT_TRUE(SetSize(84.0, 0, {30.0, 20.0, 26.0}));
  EXPECT_DOUBLE_EQ(m_unit->GetBase(), 84.0);
  EXPECT_NEAR(m_unit->GetLeftLegHeight(), 20.0, 1e-9);
  EXPECT_NEAR(m_unit->GetRightLegHeight(), 26.0, 1e-9);
  EXPECT_FALSE(m_unit->IsArcCentred());
  double base = 0.0;
  int locked = -1;
  CArray<double, double> values;
  m_unit->GetDimensionValues(base, locked, values);
  EXPECT_EQ(base, 84.0);
  EXPECT_EQ(locked, 0);
  ASSERT_EQ(values.GetSize(), 3);
  EXPECT_EQ(values[0], 30.0);
  EXPECT_NEAR(values[2], 26.0, 1e-9);

  const CString before = m_unit->GetAttributes();
  EXPECT_FALSE(SetSize(72.0, 0, {30.0, 12.0, 90.0}));  // legs further apart than the base
  EXPECT_FALSE(SetSize(72.0, 0, {30.0, 5.0, 20.0}));   // below the smallest side
  EXPECT_FALSE(SetSize(72.0, 0, {30.0, 20.0, std::nan("")}));
  EXPECT_FALSE(SetSize(72.0, 0, {200.0, 20.0, 20.0}));
  EXPECT_FALSE(SetSize(72.0, 0, {30.0}));
  ExpectUnitError([&] { SetSize(50.0, 0, {30.0, 20.0, 20.0}); }, "Custarch", 305);
  EXPECT_EQ(m_unit->GetAttributes(), before);
  EXPECT_EQ(m_unit->GetProposedArchCentre(), m_unit->GetArchCentre());
}

TEST_F(ArdlTest, LockingLegsThatDifferKeepsTheHeight)
{
  ASSERT_TRUE(SetSize(72.0, 0, {30.0, 20.0, 26.0}));
  const double height = m_unit->GetHeight();
  ASSERT_TRUE(SetSize(72.0, 1, {30.0, 20.0, 26.0}));
  EXPECT_TRUE(m_unit->IsLocked());
  EXPECT_TRUE(m_unit->IsArcCentred());
  EXPECT_NEAR(m_unit->GetHeight(), height, 1e-9);
  EXPECT_NEAR(m_unit->GetLeftLegHeight(), m_unit->GetRightLegHeight(), 1e-9);
  CStringArray labels;
  m_unit->GetDimensionLabels(labels);
  ASSERT_EQ(labels.GetSize(), 2);
  EXPECT_EQ(labels[1], "Left/Right:");
  double base = 0.0;
  int locked = 0;
  CArray<double, double> values;
  m_unit->GetDimensionValues(base, locked, values);
  EXPECT_EQ(locked, 1);
  ASSERT_EQ(values.GetSize(), 2);

  // The locked page gives one leg height, which both legs then take.
  ASSERT_TRUE(SetSize(72.0, 1, {30.0, 22.0}));
  EXPECT_NEAR(m_unit->GetLeftLegHeight(), 22.0, 1e-9);
  EXPECT_NEAR(m_unit->GetRightLegHeight(), 22.0, 1e-9);
  EXPECT_EQ(m_unit->GetAttributes(), "AR,DL013,0,72,30,LOCKED,22");

  // A refusal keeps the lock and the size; so does one that would unlock.
  EXPECT_FALSE(SetSize(72.0, 1, {30.0, 120.0}));
  EXPECT_FALSE(SetSize(72.0, 0, {30.0, 10.0, 95.0}));
  ExpectUnitError([&] { SetSize(50.0, 0, {30.0, 20.0, 20.0}); }, "Custarch", 305);
  EXPECT_TRUE(m_unit->IsLocked());
  EXPECT_EQ(m_unit->GetAttributes(), "AR,DL013,0,72,30,LOCKED,22");
}

TEST_F(ArdlTest, LockingFromTheUnlockedPageWithOneLegUsesItForBoth)
{
  ASSERT_TRUE(SetSize(72.0, 1, {24.0, 21.0}));
  EXPECT_NEAR(m_unit->GetLeftLegHeight(), 21.0, 1e-9);
  EXPECT_NEAR(m_unit->GetRightLegHeight(), 21.0, 1e-9);
  std::unique_ptr<CARDoubleLeg> unlocked(static_cast<CARDoubleLeg*>(MakeUnit("AR", "DL013")));
  m_unit.swap(unlocked);
  EXPECT_FALSE(SetSize(72.0, 1, {30.0, 200.0}));
  EXPECT_FALSE(m_unit->IsLocked());
}

TEST_F(ArdlTest, AttributesReadBackEqualAndBadOnesLeaveTheUnit)
{
  ASSERT_TRUE(SetSize(84.0, 0, {30.0, 20.0, 26.0}));
  const CString stored = m_unit->GetAttributes();
  EXPECT_EQ(stored, "AR,DL013,0,84,30,UNLOCKED,20,26");
  std::unique_ptr<CUnit> read(MakeUnit("AR", "DL013"));
  auto& unit = static_cast<CARDoubleLeg&>(*read);
  CString text = stored;
  unit.SetAttributes(text);
  EXPECT_EQ(unit.GetAttributes(), stored);
  EXPECT_FALSE(unit.IsLocked());

  CString locked = "AR,DL013,0,72,30,LOCKED,22";
  unit.SetAttributes(locked);
  EXPECT_TRUE(unit.IsLocked());
  EXPECT_TRUE(unit.IsArcCentred());
  EXPECT_EQ(unit.GetAttributes(), "AR,DL013,0,72,30,LOCKED,22");

  const CString before = unit.GetAttributes();
  CString lowerCase = "AR,DL013,0,72,30,locked,22";  // read as unlocked, wanting two legs
  ExpectUnitError([&] { unit.SetAttributes(lowerCase); }, "Unit", 1292);
  CString badLeg = "AR,DL013,0,72,30,LOCKED,200";
  ExpectUnitError([&] { unit.SetAttributes(badLeg); }, "Ardl", 564);
  CString badPair = "AR,DL013,0,72,30,UNLOCKED,12,90";
  ExpectUnitError([&] { unit.SetAttributes(badPair); }, "Ardl", 577);
  CString noArc = "AR,DL013,0,36,80,UNLOCKED,20,20";
  ExpectUnitError([&] { unit.SetAttributes(noArc); }, "Ardl", 583);
  CString nanLeg = "AR,DL013,0,72,30,LOCKED,nan";
  ExpectUnitError([&] { unit.SetAttributes(nanLeg); }, "Ardl", 564);
  EXPECT_EQ(unit.GetAttributes(), before);
  EXPECT_TRUE(unit.IsLocked());
}

TEST_F(ArdlTest, FourCornerHandlesEachMovingTheCornerAcross)
{
  ASSERT_TRUE(SetSize(72.0, 0, {30.0, 20.0, 26.0}));
  CSizingHandleArray handles;
  m_unit->GetSizingHandles(handles);
  ASSERT_EQ(handles.GetSize(), 4);
  const CSizedComponentArray& components = *m_unit->GetSizedComponents();
  ASSERT_EQ(components.GetSize(), 4);
  const char* codes[] = {"BJ", "AP", "AG", "AP"};
  const int ids[] = {4103, 4102, 4101, 4102};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(handles[i]->GetCode(), 15);
    EXPECT_EQ(handles[i]->GetPoint(), components[i]->GetStartPoint()) << i;
    EXPECT_EQ(components[i]->GetEndPoint(), components[(i + 1) % 4]->GetStartPoint()) << i;
    EXPECT_EQ(components[i]->GetCode(), codes[i]);
    EXPECT_EQ(components[i]->GetID(), ids[i]);
  }
  EXPECT_EQ(handles[1]->GetPoint(), CVRX2DPoint(30, 0));
  EXPECT_NEAR(handles[2]->GetPoint().GetY(), 26.0, 1e-9);
  EXPECT_NEAR(handles[3]->GetPoint().GetY(), 20.0, 1e-9);
  for (int handle = 0; handle < 4; ++handle) {
    CDWordArray flags;
    m_unit->GetSidesMovedByHandle(handle, flags);
    std::vector<DWORD> expected(4, 0);
    expected[(handle + 2) % 4] = 1;
    EXPECT_EQ(std::vector<DWORD>(flags.begin(), flags.end()), expected) << handle;
  }
}

TEST_F(ArdlTest, UnlockedABottomCornerFollowsTheArc)
{
  EXPECT_EQ(m_unit->ConformProposedSize(0, CVRX2DVector(0, 0)), CUnit::inboundsUnchanged);
  ASSERT_EQ(m_unit->ConformProposedSize(0, CVRX2DVector(-2, 0)), CUnit::inboundsChanged);
  EXPECT_DOUBLE_EQ(m_unit->GetProposedWidth(), 26.0);
  // The new left leg is the arc's height 2 inches out from the old jamb.
  EXPECT_NEAR(m_unit->GetProposedLeftLegHeight(), -48.0 + std::sqrt(72.0 * 72.0 - 14.0 * 14.0), 1e-9);
  EXPECT_NEAR(m_unit->GetProposedRightLegHeight(), kDefaultLeg, 1e-9);
  CVRX2DEntityArray outline;
  EXPECT_EQ(m_unit->GetProposedOutlineEntities(outline), CVRX2DVector(-2, 0));
  ASSERT_EQ(outline.GetSize(), 4);
  ExpectClosedChain(outline, 0, 4, 19, 1e-9);
  // The arc keeps its circle: its centre moves against the base point.
  EXPECT_NEAR(m_unit->GetProposedArchCentre().GetX(), 14.0, 1e-9);
  EXPECT_NEAR(m_unit->GetProposedArchCentre().GetY(), -48.0, 1e-9);

  // A jamb dragged in so far that the chord at the sash line is shorter than allowed.
  EXPECT_EQ(m_unit->ConformProposedSize(0, CVRX2DVector(2, 0)), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(m_unit->ConformProposedSize(3, CVRX2DVector(24, 0)), CUnit::outOfBoundsUnchanged);   // no width left
  EXPECT_EQ(m_unit->ConformProposedSize(2, CVRX2DVector(200, 0)), CUnit::outOfBoundsUnchanged);  // chord too long
  EXPECT_EQ(m_unit->ConformProposedSize(1, CVRX2DVector(-16, 0)),
            CUnit::outOfBoundsUnchanged);  // narrower than the smallest side
  EXPECT_DOUBLE_EQ(m_unit->GetProposedWidth(), 26.0);
  EXPECT_EQ(m_unit->GetProposedOutlineEntities(outline), CVRX2DVector(-2, 0));
  ExpectUnitError([&] { m_unit->ConformProposedSize(4, CVRX2DVector(1, 1)); }, "Ardl", 151);
  EXPECT_EQ(m_unit->SetSizeToProposed(), CVRX2DVector(-2, 0));
  EXPECT_DOUBLE_EQ(m_unit->GetWidth(), 26.0);
  EXPECT_TRUE(m_unit->IsSizeValid());
}

TEST_F(ArdlTest, LockedBothLegsMoveTogether)
{
  ASSERT_TRUE(SetSize(72.0, 1, {24.0, 22.0}));
  ASSERT_EQ(m_unit->ConformProposedSize(2, CVRX2DVector(0, 3)), CUnit::inboundsChanged);
  EXPECT_NEAR(m_unit->GetProposedLeftLegHeight(), 25.0, 1e-9);
  EXPECT_NEAR(m_unit->GetProposedRightLegHeight(), 25.0, 1e-9);
  ASSERT_EQ(m_unit->ConformProposedSize(1, CVRX2DVector(4, -1)), CUnit::inboundsChanged);
  EXPECT_NEAR(m_unit->GetProposedLeftLegHeight(), 23.0, 1e-9);
  EXPECT_NEAR(m_unit->GetProposedRightLegHeight(), 23.0, 1e-9);
  EXPECT_DOUBLE_EQ(m_unit->GetProposedWidth(), 28.0);
  CVRX2DEntityArray outline;
  EXPECT_EQ(m_unit->GetProposedOutlineEntities(outline), CVRX2DVector(0, -1));
}

TEST_F(ArdlTest, OutlinesOfACentredAndOfAnOffCentreArc)
{
  CVRX2DEntityArray out;
  m_unit->GetOutlineEntities(out);
  ASSERT_EQ(out.GetSize(), 4);
  EXPECT_EQ(out[2]->GetType(), VRX_ARC);
  ExpectClosedChain(out, 0, 4, 20, 1e-9);
  m_unit->GetPartOutlineEntities(out);
  ASSERT_EQ(out.GetSize(), 7);
  const int categories[] = {7, 7, 6, 7, 8, 7, 6};
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(out[i]->GetCategory(), categories[i]) << i;
  const auto& chord = static_cast<const CVRX2DLine&>(*out[6]);
  EXPECT_NEAR(chord.GetStartPoint().GetY(), kDefaultLeg, 1e-12);
  const auto& top = static_cast<const CVRX2DLine&>(*out[2]);
  EXPECT_NEAR(top.GetStartPoint().GetY(), 24.0, 1e-12);

  ASSERT_TRUE(SetSize(72.0, 0, {30.0, 20.0, 26.0}));
  m_unit->GetPartOutlineEntities(out);
  EXPECT_EQ(out.GetSize(), 6);
}

TEST_F(ArdlTest, ElevationsJoinALegTopThatTheInsetArcMisses)
{
  CVRX2DEntityArray out;
  m_unit->GetElevationEntities(3, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 12);
  ExpectClosedChain(out, 0, 4, 46, 1e-9);
  ExpectClosedChain(out, 4, 4, 47, 1e-9);
  ExpectClosedChain(out, 8, 4, 47, 1e-9);
  EXPECT_NEAR(static_cast<const CVRX2DArc&>(*out[6]).GetMajorRadius(), 72.0 - 2.5, 1e-12);

  // An arc whose centre lies so far right that the left jamb's line 2 misses the inset arc.
  CDoubleLegProbe probe;
  probe.SetArchCentre(CVRX2DVector(71.8, 0.0));
  probe.DiscardGeometry();
  out.RemoveAll();
  probe.Get2LineElevationEntities(2, out);
  ASSERT_EQ(out.GetSize(), 5);
  ExpectClosedChain(out, 0, 5, 47, 1e-9);
  EXPECT_EQ(static_cast<const CVRX2DLine&>(*out[3]).GetEndPoint(), CVRX2DPoint(2.125, 0.0));
  out.RemoveAll();
  probe.Get1LineElevationEntities(1, out);
  probe.Get3LineElevationEntities(3, out);
  EXPECT_EQ(out.GetSize(), 8);
}

TEST_F(ArdlTest, ThePlanSectionSpansTheLegsOrTheArcsChordAtTheCut)
{
  ASSERT_TRUE(SetSize(72.0, 0, {30.0, 20.0, 26.0}));
  const CPlanSectionSwitches switches;
  const CPlanSectionPreferences preferences;
  CVRX2DEntityArray out;
  m_unit->GetPlanSectionEntities(10.0, switches, preferences, out);
  ExpectSection(out, 30.0, 0.0);
  const CVRX2DVector c = m_unit->GetArchCentre();
  auto half = [&](double z) { return std::sqrt(72.0 * 72.0 - (z - c.GetY()) * (z - c.GetY())); };
  m_unit->GetPlanSectionEntities(23.0, switches, preferences, out);  // above the left leg only
  ExpectSection(out, 30.0 - (c.GetX() - half(23.0)), c.GetX() - half(23.0));
  // Above both legs of a centred arc.
  ASSERT_TRUE(SetSize(72.0, 1, {30.0, 20.0}));
  const CVRX2DVector centred = m_unit->GetArchCentre();
  const double cut = m_unit->GetHeight() - 0.5;
  const double chord = std::sqrt(72.0 * 72.0 - (cut - centred.GetY()) * (cut - centred.GetY()));
  m_unit->GetPlanSectionEntities(cut, switches, preferences, out);
  ExpectSection(out, 2.0 * chord, 15.0 - chord);
  // Above the crown: the section keeps inside the unit and holds numbers.
  m_unit->GetPlanSectionEntities(500.0, switches, preferences, out);
  ExpectSection(out, 0.0, 15.0);
}

TEST_F(ArdlTest, ReportKeysCopiesAndAssignment)
{
  ASSERT_TRUE(SetSize(72.0, 1, {30.0, 22.0}));
  CScheduleReportDataArray rows;
  m_unit->GetReportData(rows);
  ASSERT_EQ(rows.GetSize(), 1);
  EXPECT_EQ(rows[0]->m_strUnitKey, "AR,DL013,72,30,LOCKED,22");
  // The frame's depth of 0.75 all round, the arc's crown included.
  EXPECT_DOUBLE_EQ(rows[0]->m_dRoughOpeningWidth, 31.5);
  EXPECT_DOUBLE_EQ(rows[0]->m_dRoughOpeningHeight, RoundUpToEighth(m_unit->GetHeight() + 1.5));
  CUnitInfoReportDataArray records;
  m_unit->GetReportData(records);
  ASSERT_EQ(records.GetSize(), 1);
  EXPECT_EQ(records[0]->m_strUnitKey, "AR,DL013,NoOptions,72,30,LOCKED,22");

  std::unique_ptr<CUnit> clone(m_unit->Clone());
  EXPECT_TRUE(static_cast<CARDoubleLeg&>(*clone).IsLocked());
  std::unique_ptr<CUnit> target(MakeUnit("AR", "DL013"));
  *target = *m_unit;
  EXPECT_EQ(target->GetAttributes(), m_unit->GetAttributes());
  std::unique_ptr<CUnit> singleLeg(MakeUnit("AR", "S1013"));
  ExpectUnitError([&] { *m_unit = *singleLeg; }, "Ardl", 76);
  EXPECT_EQ(m_unit->GetAttributes(), "AR,DL013,0,72,30,LOCKED,22");
}

}  // namespace
