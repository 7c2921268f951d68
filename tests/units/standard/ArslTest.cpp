// Guards the single-leg custom arched units of both hands: made by the factory at 24 by 24 inches
// with the arc through both chord ends, sized by the page and by three handles within the limits
// and refused outside them (a refusal changes nothing), drawn as sill, leg and arc in component
// order, and stored as an attribute string that reads back equal.
#include <cmath>
#include <memory>
#include <ostream>
#include <vector>

#include "Custtest.h"
#include "geometry/2drect.h"
#include "model/Plansect.h"
#include "model/Rptdata.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitutil.h"
#include "platform/core/Array.h"
#include "units/standard/Arsl.h"

namespace {

struct Hand
{
  const char* subtype;
  bool right;
  const char* legLabel;
  int assignedLine;
  int badHandleLine;
};

void PrintTo(const Hand& hand, std::ostream* os) { *os << hand.subtype; }

class ArslTest : public CustomArchTest, public ::testing::WithParamInterface<Hand>
{
protected:
  void SetUp() override
  {
    CustomArchTest::SetUp();
    m_unit = Make();
    ASSERT_TRUE(m_unit);
  }

  std::unique_ptr<CARSingleLeg> Make() const
  {
    return std::unique_ptr<CARSingleLeg>(static_cast<CARSingleLeg*>(MakeUnit("AR", GetParam().subtype)));
  }

  BOOL SetSize(double base, double width, double leg)
  {
    CArray<double, double> values;
    values.Add(width);
    values.Add(leg);
    return m_unit->SetDimensionValues(base, 0, values);
  }

  // x of the leg and of the leg-less end of the sill.
  double LegX(double width) const { return GetParam().right ? width : 0.0; }
  double LeglessX(double width) const { return GetParam().right ? 0.0 : width; }

  std::unique_ptr<CARSingleLeg> m_unit;
};

// The inside angle at a corner between a straight side leaving it and the arc leaving it.
double CornerAngle(const CVRX2DVector& centre, const CVRX2DPoint& corner, const CVRX2DVector& side,
                   const CVRX2DPoint& otherEnd)
{
  const CVRX2DVector radial(corner.GetX() - centre.GetX(), corner.GetY() - centre.GetY());
  CVRX2DVector tangent(-radial.GetY(), radial.GetX());
  if (tangent.Dot(CVRX2DVector(corner, otherEnd)) < 0.0)
    tangent = -tangent;
  return std::acos(tangent.Dot(side) / (tangent.GetLength() * side.GetLength()));
}

TEST_P(ArslTest, ANewUnitIs24By24WithTheArcThroughBothChordEnds)
{
  BOOL offered = FALSE;
  EXPECT_EQ(MakeUnit("AR", GetParam().subtype, &offered), nullptr);
  EXPECT_TRUE(offered);
  EXPECT_EQ(m_unit->GetType(), "AR");
  EXPECT_EQ(m_unit->GetSubtype(), GetParam().subtype);
  EXPECT_DOUBLE_EQ(m_unit->GetBase(), 72.0);
  EXPECT_DOUBLE_EQ(m_unit->GetWidth(), 24.0);
  EXPECT_NEAR(m_unit->GetLegHeight(), 24.0, 1e-12);
  // The centre lies beyond the leg, so the leg top is the highest point.
  EXPECT_NEAR(m_unit->GetHeight(), 24.0, 1e-12);
  const CVRX2DVector centre = m_unit->GetArchCentre();
  const CVRX2DPoint legTop(LegX(24), 24), legless(LeglessX(24), 0), foot(LegX(24), 0);
  EXPECT_NEAR(CVRX2DVector(centre.AsPoint(), legTop).GetLength(), 72.0, 1e-9);
  EXPECT_NEAR(CVRX2DVector(centre.AsPoint(), legless).GetLength(), 72.0, 1e-9);
  const double atSill = CornerAngle(centre, legless, CVRX2DVector(legless, foot), legTop);
  const double atLegTop = CornerAngle(centre, legTop, CVRX2DVector(legTop, foot), legless);
  EXPECT_NEAR(atSill, atLegTop, 1e-9);
  EXPECT_TRUE(m_unit->IsSizeValid());
  EXPECT_EQ(m_unit->GetAttributes(), CString("AR,") + GetParam().subtype + ",0,72,24,24");
  EXPECT_EQ(m_unit->GetSizeText(0), "Custom Arched:24x24 R72");
  CStringArray labels;
  m_unit->GetDimensionLabels(labels);
  ASSERT_EQ(labels.GetSize(), 2);
  EXPECT_EQ(labels[0], "Base:");
  EXPECT_EQ(labels[1], GetParam().legLabel);
}

TEST_P(ArslTest, TheSizingPageTakesSizesWithinTheLimitsAndRefusesOthersUnchanged)
{
  ASSERT_TRUE(SetSize(84.0, 30.0, 20.0));
  EXPECT_DOUBLE_EQ(m_unit->GetBase(), 84.0);
  EXPECT_DOUBLE_EQ(m_unit->GetWidth(), 30.0);
  EXPECT_NEAR(m_unit->GetLegHeight(), 20.0, 1e-9);
  double base = 0.0;
  int zero = -1;
  CArray<double, double> values;
  m_unit->GetDimensionValues(base, zero, values);
  EXPECT_EQ(base, 84.0);
  EXPECT_EQ(zero, 0);
  ASSERT_EQ(values.GetSize(), 2);
  EXPECT_EQ(values[0], 30.0);
  EXPECT_NEAR(values[1], 20.0, 1e-9);

  const CString before = m_unit->GetAttributes();
  const CVRX2DVector centre = m_unit->GetArchCentre();
  // The checks of a refused size may build its members; the unit's own come back.
  EXPECT_FALSE(SetSize(72.0, 9.5, 20.0));
  EXPECT_EQ(m_unit->GetSizedComponents()->GetAt(0)->GetEndPoint(), CVRX2DPoint(30, 0));
  EXPECT_FALSE(SetSize(72.0, 30.0, 96.5));  // leg above the largest side
  EXPECT_FALSE(SetSize(72.0, 9.5, 20.0));   // narrower than the smallest side
  EXPECT_FALSE(SetSize(36.0, 80.0, 20.0));  // wider than the base's circle
  EXPECT_FALSE(SetSize(72.0, std::nan(""), 20.0));
  EXPECT_FALSE(SetSize(72.0, 30.0, std::nan("")));
  ExpectUnitError([&] { SetSize(73.0, 30.0, 20.0); }, "Custarch", 305);
  CArray<double, double> tooFew;
  tooFew.Add(30.0);
  EXPECT_FALSE(m_unit->SetDimensionValues(72.0, 0, tooFew));
  EXPECT_EQ(m_unit->GetAttributes(), before);
  EXPECT_EQ(m_unit->GetArchCentre(), centre);
  EXPECT_EQ(m_unit->GetProposedArchCentre(), centre);
}

TEST_P(ArslTest, TheSillCornerStaysWithinARightAngleWhateverTheLimits)
{
  // Corner angles in radians: the leg top may open to the limit of the base, the sill end only
  // to a right angle.
  auto corners = [&](double legTop, double sillEnd) {
    const CVRXAngle end = GetParam().right ? CVRXAngle(VRX_HALF_PI + sillEnd) : CVRXAngle(legTop);
    const CVRXAngle start = GetParam().right ? CVRXAngle(VRX_PI - legTop) : CVRXAngle(VRX_HALF_PI - sillEnd);
    return m_unit->AreArchAnglesWithinLimits(end, start);
  };
  EXPECT_TRUE(corners(1.0, 1.5));
  EXPECT_TRUE(corners(2.5, 0.5));
  EXPECT_FALSE(corners(1.0, 1.7));
  EXPECT_FALSE(corners(2.9, 0.5));
  EXPECT_FALSE(corners(0.3, 0.5));
  EXPECT_FALSE(corners(1.0, 0.3));
  EXPECT_FALSE(corners(std::nan(""), 0.5));
  // A narrow tall unit leans its sill corner past a right angle.
  EXPECT_FALSE(SetSize(72.0, 10.0, 60.0));
}

TEST_P(ArslTest, AttributesReadBackEqualAndBadOnesLeaveTheUnit)
{
  ASSERT_TRUE(SetSize(96.0, 40.5, 30.25));
  ASSERT_TRUE(m_unit->SetOptionChoice(1, 2));
  const CString stored = m_unit->GetAttributes();
  EXPECT_EQ(stored, CString("AR,") + GetParam().subtype + ",1,1:2,96,40.5,30.25");
  std::unique_ptr<CARSingleLeg> read = Make();
  ASSERT_DOUBLE_EQ(read->GetSizedComponents()->GetAt(0)->GetEndPoint().GetX(), 24.0);
  CString text = stored;
  read->SetAttributes(text);
  EXPECT_EQ(read->GetAttributes(), stored);
  EXPECT_DOUBLE_EQ(read->GetBase(), 96.0);
  EXPECT_NEAR(read->GetArchCentre().GetX(), m_unit->GetArchCentre().GetX(), 1e-9);
  EXPECT_NEAR(read->GetArchCentre().GetY(), m_unit->GetArchCentre().GetY(), 1e-9);
  EXPECT_EQ(read->GetProposedArchCentre(), read->GetArchCentre());
  // Members cached before the read are made again for the read size.
  EXPECT_DOUBLE_EQ(read->GetSizedComponents()->GetAt(0)->GetEndPoint().GetX(), 40.5);

  const CString subtype = GetParam().subtype;
  CString noShape = "AR," + subtype + ",0,84,30,95";  // no arc of 84 reaches that leg
  ExpectUnitError([&] { read->SetAttributes(noShape); }, "Arsl", 189);
  CString missingLeg = "AR," + subtype + ",0,84,30";
  ExpectUnitError([&] { read->SetAttributes(missingLeg); }, "Unit", 1292);
  CString wrongBase = "AR," + subtype + ",0,85,30,20";
  ExpectUnitError([&] { read->SetAttributes(wrongBase); }, "Custarch", 305);
  CString notANumber = "AR," + subtype + ",0,84,30,high";
  ExpectUnitError([&] { read->SetAttributes(notANumber); }, "Arsl", 189);
  EXPECT_DOUBLE_EQ(read->GetBase(), 96.0);
  EXPECT_DOUBLE_EQ(read->GetWidth(), 40.5);
  EXPECT_NEAR(read->GetLegHeight(), 30.25, 1e-9);
  EXPECT_EQ(read->GetSizedComponents()->GetAt(0)->GetEndPoint(), CVRX2DPoint(40.5, 0));
  EXPECT_EQ(read->GetAttributes(), stored) << "the option choices stay too";
}

TEST_P(ArslTest, ThreeHandlesAtTheCornersInComponentOrder)
{
  CSizingHandleArray handles;
  m_unit->GetSizingHandles(handles);
  ASSERT_EQ(handles.GetSize(), 3);
  const CSizedComponentArray& components = *m_unit->GetSizedComponents();
  ASSERT_EQ(components.GetSize(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(handles[i]->GetCode(), 15);
    EXPECT_EQ(handles[i]->GetPoint(), components[i]->GetStartPoint()) << i;
    EXPECT_EQ(components[i]->GetEndPoint(), components[(i + 1) % 3]->GetStartPoint()) << i;
    EXPECT_EQ(components[i]->GetKind(), "P");
  }
  EXPECT_EQ(handles[0]->GetPoint(), CVRX2DPoint(0, 0));
  EXPECT_EQ(handles[1]->GetPoint(), CVRX2DPoint(24, 0));
  EXPECT_NEAR(handles[2]->GetPoint().GetX(), LegX(24), 1e-12);
  EXPECT_NEAR(handles[2]->GetPoint().GetY(), 24, 1e-12);
  const std::vector<CString> codes =
      GetParam().right ? std::vector<CString>{"BJ", "AP", "AG"} : std::vector<CString>{"BJ", "AG", "AP"};
  const std::vector<int> ids =
      GetParam().right ? std::vector<int>{4103, 4102, 4101} : std::vector<int>{4103, 4101, 4102};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(components[i]->GetCode(), codes[i]);
    EXPECT_EQ(components[i]->GetID(), ids[i]);
  }
  // The foot of the leg moves no side; the others the side across from them.
  const std::vector<std::vector<DWORD>> sides = GetParam().right
                                                    ? std::vector<std::vector<DWORD>>{{0, 0, 1}, {0, 0, 0}, {1, 0, 0}}
                                                    : std::vector<std::vector<DWORD>>{{0, 0, 0}, {0, 0, 1}, {0, 1, 0}};
  for (int handle = 0; handle < 3; ++handle) {
    CDWordArray flags;
    m_unit->GetSidesMovedByHandle(handle, flags);
    EXPECT_EQ(std::vector<DWORD>(flags.begin(), flags.end()), sides[handle]) << handle;
  }
}

TEST_P(ArslTest, DraggingTheLegTopMovesItAndKeepsTheLeglessEnd)
{
  EXPECT_EQ(m_unit->ConformProposedSize(2, CVRX2DVector(0, 0)), CUnit::inboundsUnchanged);
  const double dx = GetParam().right ? 3.0 : -3.0;  // outward
  ASSERT_EQ(m_unit->ConformProposedSize(2, CVRX2DVector(dx, 2)), CUnit::inboundsChanged);
  EXPECT_NEAR(m_unit->GetProposedWidth(), 27.0, 1e-12);
  EXPECT_NEAR(m_unit->GetProposedLegHeight(), 26.0, 1e-9);
  EXPECT_EQ(m_unit->GetSizeText(2), "Custom Arched:27x26 R72");
  CVRX2DEntityArray outline;
  const CVRX2DVector offset = m_unit->GetProposedOutlineEntities(outline);
  EXPECT_EQ(offset, GetParam().right ? CVRX2DVector(0, 0) : CVRX2DVector(dx, 0));
  ASSERT_EQ(outline.GetSize(), 3);
  ExpectClosedChain(outline, 0, 3, 19, 1e-9);
  EXPECT_EQ(outline[GetParam().right ? 2 : 1]->GetType(), VRX_ARC);

  // Too tall to be allowed: the proposal stays at the last accepted shape.
  const CVRX2DVector proposed = m_unit->GetProposedArchCentre();
  EXPECT_EQ(m_unit->ConformProposedSize(2, CVRX2DVector(0, 80)), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(m_unit->ConformProposedSize(2, CVRX2DVector(0, 200)), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(m_unit->GetProposedArchCentre(), proposed);
  EXPECT_NEAR(m_unit->GetProposedWidth(), 27.0, 1e-12);
  EXPECT_EQ(m_unit->GetProposedOutlineEntities(outline), offset);

  EXPECT_EQ(m_unit->SetSizeToProposed(), offset);
  EXPECT_NEAR(m_unit->GetWidth(), 27.0, 1e-12);
  EXPECT_NEAR(m_unit->GetLegHeight(), 26.0, 1e-9);
  EXPECT_TRUE(m_unit->IsSizeValid());
}

TEST_P(ArslTest, DraggingTheLeglessEndKeepsTheLegTop)
{
  const int handle = GetParam().right ? 0 : 1;
  const double dx = GetParam().right ? -2.0 : 2.0;  // outward
  ASSERT_EQ(m_unit->ConformProposedSize(handle, CVRX2DVector(dx, 0)), CUnit::inboundsChanged);
  EXPECT_NEAR(m_unit->GetProposedWidth(), 26.0, 1e-12);
  EXPECT_NEAR(m_unit->GetProposedLegHeight(), 24.0, 1e-9);
  CVRX2DEntityArray outline;
  EXPECT_EQ(m_unit->GetProposedOutlineEntities(outline), GetParam().right ? CVRX2DVector(dx, 0) : CVRX2DVector(0, 0));
  ExpectUnitError([&] { m_unit->ConformProposedSize(3, CVRX2DVector(1, 1)); }, "Arsl", GetParam().badHandleLine);
  ExpectUnitError([&] { m_unit->ConformProposedSize(-1, CVRX2DVector(1, 1)); }, "Arsl", GetParam().badHandleLine);
}

TEST_P(ArslTest, DraggingTheFootOfTheLegKeepsTheArcsCircle)
{
  const int foot = GetParam().right ? 1 : 0;
  const CVRX2DVector centre = m_unit->GetArchCentre();
  ASSERT_EQ(m_unit->ConformProposedSize(foot, CVRX2DVector(0, 2)), CUnit::inboundsChanged);
  CVRX2DEntityArray outline;
  const CVRX2DVector offset = m_unit->GetProposedOutlineEntities(outline);
  EXPECT_DOUBLE_EQ(offset.GetY(), 2.0);
  // The circle stays where it was on the wall: the centre moves against the base point.
  const CVRX2DVector expected = centre - offset;
  EXPECT_NEAR(m_unit->GetProposedArchCentre().GetX(), expected.GetX(), 1e-9);
  EXPECT_NEAR(m_unit->GetProposedArchCentre().GetY(), expected.GetY(), 1e-9);
  EXPECT_NEAR(m_unit->GetProposedLegHeight(), 22.0, 1e-9);
  // Sliding the leg off the circle gives no shape.
  const double off = GetParam().right ? -80.0 : 80.0;
  EXPECT_EQ(m_unit->ConformProposedSize(foot, CVRX2DVector(off, 0)), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(m_unit->GetProposedOutlineEntities(outline), offset);
}

TEST_P(ArslTest, OutlinesFollowTheComponentOrder)
{
  ASSERT_TRUE(SetSize(72.0, 30.0, 20.0));
  CVRX2DEntityArray out;
  m_unit->GetOutlineEntities(out);
  ASSERT_EQ(out.GetSize(), 3);
  const int arc = GetParam().right ? 2 : 1;
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(out[i]->GetType(), i == arc ? VRX_ARC : VRX_LINE) << i;
  ExpectClosedChain(out, 0, 3, 20, 1e-9);
  const auto& curve = static_cast<const CVRX2DArc&>(*out[arc]);
  EXPECT_DOUBLE_EQ(curve.GetMajorRadius(), 72.0);
  EXPECT_EQ(curve.GetCentre(), m_unit->GetArchCentre().AsPoint());

  m_unit->GetPartOutlineEntities(out);
  ASSERT_EQ(out.GetSize(), 4);
  ExpectClosedChain(out, 0, 3, 7, 1e-9);
  const auto& centreLine = static_cast<const CVRX2DLine&>(*out[3]);
  EXPECT_EQ(centreLine.GetCategory(), 8);
  EXPECT_EQ(centreLine.GetStartPoint(), m_unit->GetArchCentre().AsPoint());
  // Up to the height of the base, not to the crown.
  EXPECT_EQ(centreLine.GetEndPoint(), CVRX2DPoint(m_unit->GetArchCentre().GetX(), 72.0));
}

TEST_P(ArslTest, ElevationsOfOneTwoAndThreeLines)
{
  CVRX2DEntityArray out;
  m_unit->GetElevationEntities(3, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 9);
  ExpectClosedChain(out, 0, 3, 46, 1e-9);
  ExpectClosedChain(out, 3, 3, 47, 1e-9);
  ExpectClosedChain(out, 6, 3, 47, 1e-9);
  const int arc = GetParam().right ? 2 : 1;
  // The arc's lines lie inside the frame by the arch member's distances (0, 2.5, 3.0): line 1
  // is the outline.
  const double insets[] = {0.0, 2.5, 3.0};
  const double sills[] = {0.0, 2.75, 3.25};
  for (int n = 0; n < 3; ++n) {
    EXPECT_EQ(out[3 * n + arc]->GetType(), VRX_ARC);
    EXPECT_NEAR(static_cast<const CVRX2DArc&>(*out[3 * n + arc]).GetMajorRadius(), 72.0 - insets[n], 1e-12);
    EXPECT_NEAR(static_cast<const CVRX2DLine&>(*out[3 * n]).GetStartPoint().GetY(), sills[n], 1e-12);
  }
  m_unit->GetElevationEntities(1, FALSE, FALSE, out);
  EXPECT_EQ(out.GetSize(), 3);
}

TEST_P(ArslTest, ThePlanSectionRunsFromTheArcToTheLeg)
{
  const double cut = 12.0;
  CPlanSectionSwitches switches;
  CPlanSectionPreferences preferences;
  CVRX2DEntityArray out;
  m_unit->GetPlanSectionEntities(cut, switches, preferences, out);
  // Where the arc's circle crosses the cut.
  const CVRX2DVector c = m_unit->GetArchCentre();
  const double half = std::sqrt(72.0 * 72.0 - (cut - c.GetY()) * (cut - c.GetY()));
  const double crossing = GetParam().right ? c.GetX() - half : c.GetX() + half;
  CPlanSectionUnitDimensions dimensions;
  dimensions.m_nPanelKinds[0] = 0;
  dimensions.m_nPanelCount = 1;
  dimensions.m_dPlanWidth = GetParam().right ? 24.0 - crossing : crossing;
  dimensions.m_dStartOffset = GetParam().right ? crossing : 0.0;
  ASSERT_GT(dimensions.m_dPlanWidth, 0.0);
  ASSERT_LT(dimensions.m_dPlanWidth, 24.0);
  CPlanSection section;
  section.SetViewSwitches(switches);
  section.SetUnitDimensions(dimensions);
  section.SetViewPreferences(preferences);
  CVRX2DEntityArray expected;
  section.GetEntities(expected);
  ASSERT_GT(out.GetSize(), 0);
  ASSERT_EQ(out.GetSize(), expected.GetSize());
  for (int i = 0; i < out.GetSize(); ++i) {
    EXPECT_EQ(out[i]->GetExtents().GetMinPoint(), expected[i]->GetExtents().GetMinPoint()) << i;
    EXPECT_EQ(out[i]->GetExtents().GetMaxPoint(), expected[i]->GetExtents().GetMaxPoint()) << i;
  }
  // A cut above the crown gives a section, not numbers that are none.
  m_unit->GetPlanSectionEntities(500.0, switches, preferences, out);
  for (int i = 0; i < out.GetSize(); ++i)
    EXPECT_FALSE(std::isnan(out[i]->GetExtents().GetMinPoint().GetX())) << i;
}

TEST_P(ArslTest, ReportKeysCarryBaseWidthAndLeg)
{
  CScheduleReportDataArray rows;
  m_unit->GetReportData(rows);
  ASSERT_EQ(rows.GetSize(), 1);
  EXPECT_EQ(rows[0]->m_strUnitKey, CString("AR,") + GetParam().subtype + ",72,24,24");
  CUnitInfoReportDataArray records;
  m_unit->GetReportData(records);
  ASSERT_EQ(records.GetSize(), 1);
  EXPECT_EQ(records[0]->m_strUnitKey, CString("AR,") + GetParam().subtype + ",NoOptions,72,24,24");
}

TEST_P(ArslTest, CopiesStartWithoutAProposalAndTheHandsDoNotMix)
{
  ASSERT_EQ(m_unit->ConformProposedSize(2, CVRX2DVector(0, 2)), CUnit::inboundsChanged);
  std::unique_ptr<CUnit> clone(m_unit->Clone());
  auto& copy = static_cast<CARSingleLeg&>(*clone);
  EXPECT_EQ(copy.GetRuntimeClass(), m_unit->GetRuntimeClass());
  EXPECT_EQ(copy.GetAttributes(), m_unit->GetAttributes());
  EXPECT_EQ(copy.GetProposedArchCentre(), copy.GetArchCentre());
  static_cast<CUnit&>(*m_unit) = *m_unit;
  EXPECT_NE(m_unit->GetProposedArchCentre(), m_unit->GetArchCentre());  // self-assignment changes nothing

  const char* other = GetParam().right ? "S2013" : "S1013";
  std::unique_ptr<CUnit> otherHand(MakeUnit("AR", other));
  const CString before = m_unit->GetAttributes();
  ExpectUnitError([&] { static_cast<CUnit&>(*m_unit) = *otherHand; }, "Arsl", GetParam().assignedLine);
  EXPECT_EQ(m_unit->GetAttributes(), before);
  ASSERT_TRUE(SetSize(60.0, 20.0, 18.0));
  static_cast<CUnit&>(copy) = *m_unit;
  EXPECT_EQ(copy.GetAttributes(), m_unit->GetAttributes());
}

INSTANTIATE_TEST_SUITE_P(BothHands, ArslTest,
                         ::testing::Values(Hand{"S1013", true, "Right:", 387, 436},
                                           Hand{"S2013", false, "Left:", 972, 1019}),
                         [](const ::testing::TestParamInfo<Hand>& info) {
                           return info.param.right ? "Right" : "Left";
                         });

}  // namespace
