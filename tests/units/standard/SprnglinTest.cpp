// Guards the springline units "SLBA012" and "SLAR012": arch geometry from the row's width,
// shoulder height and radius, size text, sized components and handles, outlines, plan section
// at any cut, elevation rings, and the pattern, bar and ring grilles with their failures.
#include <cmath>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "units/standard/ArchTestUtil.h"
#include "units/standard/Slar.h"
#include "units/standard/Slba.h"

namespace {

class SprnglinTest : public ArchUnitTest
{
protected:
  void SetUp() override
  {
    ArchUnitTest::SetUp();
    std::unique_ptr<CUnit> unit = Make("SL", "BA012");
    m_basic.reset(dynamic_cast<CSLBasic*>(unit.release()));
    ASSERT_TRUE(m_basic);
  }

  std::unique_ptr<CSLBasic> m_basic;
};

// SL3010: 35.5 wide, shoulders at 11.5, a half circle of 17.75.
TEST_F(SprnglinTest, AHalfCircleOnItsLegs)
{
  EXPECT_EQ(m_basic->GetSizeCode(), "SL3010");
  EXPECT_DOUBLE_EQ(m_basic->GetArchRise(), 17.75);
  EXPECT_DOUBLE_EQ(m_basic->GetHeight(), 29.25);
  EXPECT_EQ(m_basic->GetArchCentre(), CVRX2DPoint(17.75, 11.5));
  EXPECT_EQ(m_basic->GetSizeText(0), "SL3010:36x12x12x29 R18");
  EXPECT_EQ(m_basic->GetSizeText(1), m_basic->GetSizeText(2));
  EXPECT_DOUBLE_EQ(CStandardSpringlineUnit::ArchRise(5.0, 8.0), 2.0);
  EXPECT_DOUBLE_EQ(CStandardSpringlineUnit::SideFromHypotenuse(5.0, 3.0), 4.0);

  const CSizedComponentArray& components = *m_basic->GetSizedComponents();
  ASSERT_EQ(components.GetSize(), 4);
  const char* codes[] = {"BJ", "AP", "AG", "AP"};
  const int ids[] = {2703, 2702, 2701, 2702};
  const CVRX2DPoint starts[] = {CVRX2DPoint(0, 0), CVRX2DPoint(35.5, 0), CVRX2DPoint(35.5, 11.5), CVRX2DPoint(0, 11.5)};
  CSizingHandleArray handles;
  m_basic->GetSizingHandles(handles);
  ASSERT_EQ(handles.GetSize(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(components[i]->GetCode(), codes[i]);
    EXPECT_EQ(components[i]->GetID(), ids[i]);
    EXPECT_EQ(components[i]->GetKind(), "P");
    EXPECT_EQ(components[i]->GetStartPoint(), starts[i]);
    EXPECT_EQ(components[i]->GetEndPoint(), starts[(i + 1) % 4]);
    EXPECT_EQ(handles[i]->GetPoint(), starts[i]);
    EXPECT_EQ(handles[i]->GetCode(), 15);
  }

  CVRX2DEntityArray out;
  m_basic->GetPartOutlineEntities(out);
  ASSERT_EQ(out.GetSize(), 6);
  ExpectLine(out, 4, 6, {0, 29.25, 35.5, 29.25});
  ExpectLine(out, 5, 8, {17.75, 0, 17.75, 29.25});
  EXPECT_EQ(m_basic->GetProposedOutlineEntities(out), CVRX2DVector(0, 0));
  ASSERT_EQ(out.GetSize(), 4);
  ExpectArc(out, 2, 19, 17.75, 11.5, 17.75, 0.0, VRX_PI);
}

TEST_F(SprnglinTest, PlanSectionIsTheArchChordAboveTheShoulders)
{
  EXPECT_TRUE(IsPlanSection(*m_basic, 11.5, 35.5, 0.0));
  EXPECT_TRUE(IsPlanSection(*m_basic, 0.0, 35.5, 0.0));
  const double chord = 2.0 * std::sqrt(17.75 * 17.75 - 1.0);
  EXPECT_TRUE(IsPlanSection(*m_basic, 12.5, chord, 0.5 * (35.5 - chord)));
  // At and above the crown the cut has no width left.
  EXPECT_TRUE(IsPlanSection(*m_basic, 29.25, 0.0, 17.75));
  EXPECT_TRUE(IsPlanSection(*m_basic, 40.0, 0.0, 17.75));
  EXPECT_TRUE(IsPlanSection(*m_basic, -3.0, 35.5, 0.0));
}

// Line 1 of every member is its outer edge; line 2 is 2.75 at the sill and 2.125 elsewhere.
TEST_F(SprnglinTest, ElevationRingsOfEachLineSet)
{
  CVRX2DEntityArray out;
  m_basic->GetElevationEntities(3, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 12);
  const double r2 = 17.75 - 2.125;
  const double ys2 = 11.5 + std::sqrt(r2 * r2 - (17.75 - 2.125) * (17.75 - 2.125));
  ExpectLine(out, 0, 46, {0.0, 0.0, 35.5, 0.0});
  EXPECT_EQ(out[3]->GetCategory(), 46);
  ExpectLine(out, 4, 47, {2.125, 2.75, 33.375, 2.75});
  ExpectLine(out, 5, 47, {33.375, 2.75, 33.375, ys2});
  ExpectArc(out, 6, 47, 17.75, 11.5, r2, 0.0, VRX_PI);
  ExpectLine(out, 7, 47, {2.125, ys2, 2.125, 2.75});
  EXPECT_EQ(out[11]->GetCategory(), 47);
  EXPECT_TRUE(AllFinite(out));
}

TEST_F(SprnglinTest, GrilleChoicesAndTheBarGrille)
{
  CVRX2DEntityArray out;
  out.Add(new CVRX2DLine(1, CVRX2DPoint(0, 0), CVRX2DPoint(1, 1)));
  m_basic->GetGrilleEntities(2, out);
  EXPECT_EQ(out.GetSize(), 1);  // no grille chosen
  ASSERT_TRUE(m_basic->SetOptionChoice(36, 8));
  m_basic->GetGrilleEntities(2, out);
  EXPECT_EQ(out.GetSize(), 1);

  m_basic->SetSizeCode("SL3020");  // a half circle of 17.75 on shoulders at 23.5
  ASSERT_TRUE(m_basic->SetOptionChoice(36, 2));
  out.RemoveAll();
  m_basic->GetGrilleEntities(2, out);
  ASSERT_EQ(out.GetSize(), 3);  // two uprights and a crossbar, cut by the glass line
  ExpectLine(out, 2, 48, {2.125, 11.75, 33.375, 11.75});

  ASSERT_TRUE(m_basic->SetOptionChoice(36, 6));
  out.RemoveAll();
  m_basic->GetGrilleEntities(2, out);
  ASSERT_EQ(out.GetSize(), 7);
  const double hub = 23.5, b = 2.75;
  ExpectLine(out, 0, 48, {2.125, 11.75, 33.375, 11.75});     // below the hub
  ExpectLine(out, 1, 48, {8.875, b, 8.875, hub});            // left of the band
  ExpectLine(out, 2, 48, {17.75, b, 17.75, 41.25 - 2.125});  // the centre bar
  ExpectLine(out, 3, 48, {26.625, b, 26.625, hub});          // right of the band ...
  ExpectArc(out, 4, 48, 17.75, hub, 8.875, 0.0, VRX_PI);     // ... with its half ring
  const double q = Stored(0.7854), q3 = Stored(2.3562), r2 = 17.75 - 2.125;
  ExpectLine(
      out, 5, 48,
      {17.75 + 8.875 * std::cos(q), hub + 8.875 * std::sin(q), 17.75 + r2 * std::cos(q), hub + r2 * std::sin(q)});
  ExpectLine(
      out, 6, 48,
      {17.75 + 8.875 * std::cos(q3), hub + 8.875 * std::sin(q3), 17.75 + r2 * std::cos(q3), hub + r2 * std::sin(q3)});
}

TEST_F(SprnglinTest, TheRingGrilleOfTheSpringlineArch)
{
  std::unique_ptr<CUnit> unit = Make("SL", "AR012");
  auto& arch = dynamic_cast<CSLArch&>(*unit);
  // SLA3010: 35.5 wide, radius 24 on shoulders at 11.5, so the centre lies below the sill.
  const double rise = 24.0 - std::sqrt(24.0 * 24.0 - 17.75 * 17.75);
  EXPECT_NEAR(arch.GetHeight(), 11.5 + rise, 1e-9);
  EXPECT_NEAR(arch.GetArchCentre().GetY(), 11.5 + rise - 24.0, 1e-9);
  ASSERT_TRUE(arch.SetOptionChoice(36, 6));
  CVRX2DEntityArray out;
  arch.GetGrilleEntities(2, out);
  ASSERT_EQ(out.GetSize(), 5);
  const double small = Stored(5.9167), large = Stored(11.8333);
  ExpectArc(out, 0, 48, 17.75, 2.75, small, 0.0, VRX_PI);  // hub on the glass line: half rings
  ExpectArc(out, 1, 48, 17.75, 2.75, large, 0.0, VRX_PI);
  const CVRX2DPoint m = arch.GetArchCentre();
  const double r2 = 24.0 - 2.125;
  const double up = Stored(1.5708);
  ExpectLine(
      out, 3, 48,
      {17.75, 2.75, 17.75 + r2 * std::cos(up), m.GetY() + r2 * std::sin(up)});  // the vertical spoke from the foot
  const double a = Stored(1.0472);
  ExpectLine(
      out, 2, 48,
      {17.75 + small * std::cos(a), 2.75 + small * std::sin(a), 17.75 + r2 * std::cos(a), m.GetY() + r2 * std::sin(a)});

  // The largest size has its own grille too.
  arch.SetSizeCode("SLA6020");
  ASSERT_TRUE(arch.SetOptionChoice(36, 6));
  out.RemoveAll();
  arch.GetGrilleEntities(2, out);
  EXPECT_GT(out.GetSize(), 0);
}

TEST_F(SprnglinTest, AnUnknownGrilleChoiceAndAnotherClassAreRefused)
{
  ASSERT_FALSE(m_basic->SetOptionChoice(36, 5));
  std::unique_ptr<CUnit> other = Make("SL", "AR012");
  try {
    static_cast<CUnit&>(*m_basic) = *other;
    ADD_FAILURE() << "assigned";
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.file, "SLBA");
    EXPECT_EQ(e.line, 73);
  }
  try {
    *other = *m_basic;
    ADD_FAILURE() << "assigned";
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.file, "SLAR");
    EXPECT_EQ(e.line, 73);
  }
  EXPECT_EQ(m_basic->GetSizeCode(), "SL3010");
}

}  // namespace
