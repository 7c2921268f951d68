// Guards the arched basic window "ARBA011": height, area and size text from the row's width,
// shoulder height and radius, its drawings, its plan section, the refused three-line elevation,
// and its fan and bar grilles.
#include <cmath>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "units/standard/Arba.h"
#include "units/standard/ArchTestUtil.h"

namespace {

class ArbaTest : public ArchUnitTest
{
protected:
  void SetUp() override
  {
    ArchUnitTest::SetUp();
    std::unique_ptr<CUnit> unit = Make("AR", "BA011");
    m_unit.reset(dynamic_cast<CARBasic*>(unit.release()));
    ASSERT_TRUE(m_unit);
  }

  std::unique_ptr<CARBasic> m_unit;
};

// AR3030R18: 35.5 wide, shoulders at 35.5, a half circle of 17.75.
TEST_F(ArbaTest, AHalfCircleArchHasTheRadiusForItsRise)
{
  EXPECT_EQ(m_unit->GetSizeCode(), "AR3030R18");
  const double r = 17.75;
  EXPECT_DOUBLE_EQ(m_unit->GetArchRise(), r);
  EXPECT_DOUBLE_EQ(m_unit->GetHeight(), 35.5 + r);
  EXPECT_DOUBLE_EQ(m_unit->GetArchAngle(), VRX_PI);
  EXPECT_NEAR(m_unit->GetArea(), 35.5 * 35.5 / 144 + VRX_PI * r * r / 288, 1e-12);
  EXPECT_EQ(m_unit->GetArchCentre(), CVRX2DPoint(r, 35.5));
  EXPECT_EQ(m_unit->GetSizeText(0), "AR3030R18:36x36x36x53 R18");
  EXPECT_EQ(m_unit->GetSizeText(1), "AR3030R18:36x36x36x53 R18");

  // A flatter arch: radius 36 over 47.5.
  m_unit->SetSizeCode("AR4030R36");
  const double rise = 36.0 - std::sqrt(36.0 * 36.0 - 23.75 * 23.75);
  EXPECT_NEAR(m_unit->GetHeight(), 35.5 + rise, 1e-9);
  const double theta = 2 * std::asin(47.5 / 72.0);
  EXPECT_NEAR(m_unit->GetArea(), 47.5 * 35.5 / 144 + (theta - std::sin(theta)) * 36 * 36 / 288, 1e-12);
}

TEST_F(ArbaTest, ComponentsHandlesAndOutlines)
{
  const CSizedComponentArray& components = *m_unit->GetSizedComponents();
  ASSERT_EQ(components.GetSize(), 4);
  const int ids[] = {2713, 2712, 2711, 2712};
  CSizingHandleArray handles;
  m_unit->GetSizingHandles(handles);
  const CVRX2DPoint corners[] = {CVRX2DPoint(0, 0), CVRX2DPoint(35.5, 0), CVRX2DPoint(35.5, 35.5),
                                 CVRX2DPoint(0, 35.5)};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(components[i]->GetID(), ids[i]);
    EXPECT_EQ(components[i]->GetStartPoint(), corners[i]);
    EXPECT_EQ(handles[i]->GetPoint(), corners[i]);
    EXPECT_EQ(handles[i]->GetCode(), 15);
  }
  CVRX2DEntityArray out;
  m_unit->GetPartOutlineEntities(out);
  ExpectLine(out, out.GetSize() - 1, 8, {17.75, 0, 17.75, 53.25});
  // Both radii of the wider size stand at the same shoulder height: the conformer takes one.
  ASSERT_EQ(m_unit->ConformProposedSize(2, CVRX2DVector(12.0, 0.0)), CUnit::inboundsChanged);
  EXPECT_EQ(m_unit->GetSizeText(2), "AR4030R36:48x36x36x44 R36");
  EXPECT_EQ(m_unit->GetProposedOutlineEntities(out), CVRX2DVector(0, 0));
  ASSERT_EQ(out.GetSize(), 4);
  // The proposed arch is centred by the row's own height.
  const double cy = Stored(44.4457) - 36.0;
  ExpectArc(out, 2, 19, 23.75, cy, 36.0, std::atan2(35.5 - cy, 23.75), std::atan2(35.5 - cy, -23.75));
  EXPECT_NEAR(m_unit->GetProposedHeight(), 35.5 + 36.0 - std::sqrt(36.0 * 36.0 - 23.75 * 23.75), 1e-9);
}

TEST_F(ArbaTest, PlanSectionAndElevations)
{
  EXPECT_TRUE(IsPlanSection(*m_unit, 35.5, 35.5, 0.0));
  const double chord = 2 * std::sqrt(17.75 * 17.75 - 4.0 * 4.0);
  EXPECT_TRUE(IsPlanSection(*m_unit, 39.5, chord, 0.5 * (35.5 - chord)));
  EXPECT_TRUE(IsPlanSection(*m_unit, 60.0, 0.0, 17.75));

  CVRX2DEntityArray out;
  m_unit->GetElevationEntities(2, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 8);
  ExpectLine(out, 0, 46, {0.0, 0.0, 35.5, 0.0});
  ExpectLine(out, 4, 47, {2.125, 2.75, 33.375, 2.75});
  ExpectArc(out, 6, 47, 17.75, 35.5, 17.75 - 2.125, 0.0, VRX_PI);
  try {
    m_unit->GetElevationEntities(3, FALSE, FALSE, out);
    ADD_FAILURE() << "drawn";
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.file, "Arba");
    EXPECT_EQ(e.line, 521);
    EXPECT_EQ(e.GetErrorMessage(), "CARBasic::Get3LineElevationEntities() -- Unsupported method.");
  }
}

// A half hub on the glass line at the middle, radius 4, with spokes every 30 degrees.
TEST_F(ArbaTest, TheFanGrilleOfAHalfCircle)
{
  ASSERT_TRUE(m_unit->SetOptionChoice(36, 6));
  CVRX2DEntityArray out;
  m_unit->GetGrilleEntities(2, out);
  ASSERT_EQ(out.GetSize(), 6);
  ExpectArc(out, 0, 48, 17.75, 2.75, 4.0, 0.0, VRX_PI);
  const double a = Stored(0.5236);
  // The lowest spoke leaves the hub and ends on the right jamb below the springline.
  ExpectLine(out, 1, 48, {17.75 + 4 * std::cos(a), 2.75 + 4 * std::sin(a), 33.375, 2.75 + 15.625 * std::tan(a)});
  // The middle one runs straight up to the inner arch.
  const CVRX2DLine& up = LineAt(out, 3);
  EXPECT_NEAR(up.GetEndPoint().GetY(), 35.5 + 15.625, 1e-3);
  EXPECT_NEAR(up.GetStartPoint().GetY(), 2.75 + 4.0, 1e-3);
  EXPECT_TRUE(AllFinite(out));
}

// Three uprights, a crossbar at 17.75 and the arch bar's crown 4 below the top.
TEST_F(ArbaTest, TheBarGrilleOfAFlatterArch)
{
  m_unit->SetSizeCode("AR4030R36");
  ASSERT_TRUE(m_unit->SetOptionChoice(36, 6));
  CVRX2DEntityArray out;
  m_unit->GetGrilleEntities(2, out);
  ASSERT_EQ(out.GetSize(), 8);
  const double h = m_unit->GetHeight();
  const CVRX2DPoint m = m_unit->GetArchCentre();
  ExpectLine(out, 0, 48, {2.125, Stored(17.75), 45.375, Stored(17.75)});
  const CVRX2DArc& bar = ArcAt(out, 1);
  const double crown = Stored(40.4457);
  EXPECT_NEAR(bar.GetMajorRadius(), 36.0 - (h - crown), 1e-9);
  EXPECT_NEAR(bar.GetPointAtAngle(CVRXAngle(VRX_HALF_PI)).GetY(), crown, 1e-9);
  // The outer uprights end on the arch bar, where it starts and ends.
  CVRX2DPoint start, end;
  bar.GetEndPoints(start, end);
  EXPECT_EQ(LineAt(out, 2).GetEndPoint(), end);
  EXPECT_EQ(LineAt(out, 3).GetEndPoint(), start);
  EXPECT_NEAR(start.GetX(), Stored(35.625), 1e-6);
  // The middle upright, then a spoke on from its top to the frame's inner arch.
  EXPECT_NEAR(LineAt(out, 4).GetEndPoint().GetY(), crown, 1e-6);
  EXPECT_NEAR(LineAt(out, 5).GetEndPoint().GetY(), m.GetY() + 36.0 - 2.125, 1e-6);
  // The end bars drop from the arch bar to the frame's springline, lowered by 0.5 * 1 + 0.125.
  const double ys = m_unit->GetElevationShoulderHeight(2);
  ExpectLine(out, 6, 48, {start.GetX(), start.GetY(), 45.375, ys - 0.625});
  ExpectLine(out, 7, 48, {end.GetX(), end.GetY(), 2.125, ys - 0.625});
}

TEST_F(ArbaTest, GrilleChoicesThatDrawNothingOrAreRefused)
{
  CVRX2DEntityArray out;
  m_unit->GetGrilleEntities(2, out);
  EXPECT_EQ(out.GetSize(), 0);
  ASSERT_TRUE(m_unit->SetOptionChoice(36, 8));
  m_unit->GetGrilleEntities(2, out);
  EXPECT_EQ(out.GetSize(), 0);
  ASSERT_TRUE(m_unit->SetOptionChoice(36, 2));
  m_unit->GetGrilleEntities(2, out);
  EXPECT_GT(out.GetSize(), 0);  // the pattern grille
  std::unique_ptr<CUnit> other = Make("SL", "BA012");
  try {
    static_cast<CUnit&>(*m_unit) = *other;
    ADD_FAILURE() << "assigned";
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.file, "Arba");
    EXPECT_EQ(e.line, 124);
  }
}

}  // namespace
