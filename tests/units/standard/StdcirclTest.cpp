// Guards the round base and the circle window "SWCI009": a circle of the row's radius in a
// square of twice that side, its quarters, mid-side handles, elevations of nested circles, the
// radius conformer with its offsets and bounds, plan section and the ring-and-spoke grille.
#include <cmath>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "platform/core/Array.h"
#include "units/standard/ArchTestUtil.h"
#include "units/standard/Swci.h"

namespace {

class StdcirclTest : public ArchUnitTest
{
protected:
  void SetUp() override
  {
    ArchUnitTest::SetUp();
    std::unique_ptr<CUnit> unit = Make("SW", "CI009");
    m_unit.reset(dynamic_cast<CSWCircle*>(unit.release()));
    ASSERT_TRUE(m_unit);
  }

  std::string Proposed() const
  {
    const std::string text = m_unit->GetSizeText(2).c_str();
    return text.substr(0, text.find(':'));
  }

  std::unique_ptr<CSWCircle> m_unit;
};

// CI24: radius 12 (radii 12, 18, 24 and 30 in the catalogue).
TEST_F(StdcirclTest, FourQuartersOfOneCircle)
{
  EXPECT_EQ(m_unit->GetSizeCode(), "CI24");
  EXPECT_DOUBLE_EQ(m_unit->GetWidth(), 24.0);
  EXPECT_DOUBLE_EQ(m_unit->GetHeight(), 24.0);
  const CSizedComponentArray& components = *m_unit->GetSizedComponents();
  ASSERT_EQ(components.GetSize(), 4);
  const double s = 12.0 * std::sin(VRX_QUARTER_PI);
  EXPECT_EQ(components[0]->GetCode(), "BV");
  EXPECT_EQ(components[0]->GetID(), 2731);
  EXPECT_EQ(components[1]->GetCode(), "BW");
  EXPECT_EQ(components[1]->GetID(), 2732);
  EXPECT_EQ(components[0]->GetStartPoint(), CVRX2DPoint(12 - s, 12 - s));
  EXPECT_EQ(components[2]->GetStartPoint(), CVRX2DPoint(12 + s, 12 + s));

  CVRX2DEntityArray out;
  m_unit->GetOutlineEntities(out);
  ASSERT_EQ(out.GetSize(), 4);
  ExpectArc(out, 0, 20, 12, 12, 12, 5 * VRX_QUARTER_PI, 7 * VRX_QUARTER_PI);
  ExpectArc(out, 1, 20, 12, 12, 12, 7 * VRX_QUARTER_PI, VRX_QUARTER_PI);
  out.Add(new CVRX2DLine(0, CVRX2DPoint(), CVRX2DPoint(1, 1)));
  m_unit->GetPartOutlineEntities(out);
  ASSERT_EQ(out.GetSize(), 6);
  ExpectLine(out, 1, 6, {24, 0, 24, 24});
  ExpectLine(out, 4, 8, {12, 0, 12, 24});
  ExpectLine(out, 5, 8, {0, 12, 24, 12});

  CSizingHandleArray handles;
  m_unit->GetSizingHandles(handles);
  ASSERT_EQ(handles.GetSize(), 4);
  const CVRX2DPoint middles[] = {CVRX2DPoint(12, 0), CVRX2DPoint(24, 12), CVRX2DPoint(12, 24), CVRX2DPoint(0, 12)};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(handles[i]->GetPoint(), middles[i]);
    EXPECT_EQ(handles[i]->GetCode(), i % 2 == 0 ? 3 : 12);
  }

  CArray<double, double> values;
  m_unit->GetShoulderHeightsForWidth(values);
  EXPECT_EQ(values.GetSize(), 0);
  for (auto list :
       {&CSWCircle::GetSizesForHeight, &CSWCircle::GetSizesForWidth, &CSWCircle::GetArchRadiiForShoulderHeight}) {
    values.Add(5.0);
    (m_unit.get()->*list)(values);
    ASSERT_EQ(values.GetSize(), 1);
  }
  EXPECT_DOUBLE_EQ(values[0], 12.0);
}

TEST_F(StdcirclTest, ElevationsAreNestedCircles)
{
  CVRX2DEntityArray out;
  m_unit->GetElevationEntities(3, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 3);
  ExpectArc(out, 0, 46, 12, 12, 12, 0, 0);
  ExpectArc(out, 1, 47, 12, 12, 12 - 2.125, 0, 0);
  ExpectArc(out, 2, 47, 12, 12, 12 - 2.625, 0, 0);
}

// Half the drag moves the radius, since the opposite side stays.
TEST_F(StdcirclTest, TheRadiusSnapsAndTheOppositeSideStays)
{
  EXPECT_EQ(m_unit->ConformProposedSize(3, CVRX2DVector(-12.0, 0.0)), CUnit::inboundsChanged);  // a tie: the larger
  EXPECT_EQ(Proposed(), "CI36");
  CVRX2DEntityArray out;
  EXPECT_EQ(m_unit->GetProposedOutlineEntities(out), CVRX2DVector(-12, -6));
  ASSERT_EQ(out.GetSize(), 1);
  ExpectArc(out, 0, 19, 18, 18, 18, 0, 0);
  EXPECT_EQ(m_unit->ConformProposedSize(0, CVRX2DVector(0.0, -20.0)), CUnit::inboundsChanged);
  EXPECT_EQ(Proposed(), "CI48");
  EXPECT_EQ(m_unit->GetProposedOutlineEntities(out), CVRX2DVector(-12, -24));
  EXPECT_EQ(m_unit->ConformProposedSize(2, CVRX2DVector(0.0, 12.0)), CUnit::inboundsChanged);
  EXPECT_EQ(m_unit->GetProposedOutlineEntities(out), CVRX2DVector(-6, 0));
  // A drag that does not move the handle's side gives the proposal up.
  EXPECT_EQ(m_unit->ConformProposedSize(1, CVRX2DVector(0.0, 12.0)), CUnit::inboundsUnchanged);
  EXPECT_EQ(Proposed(), "CI24");
  EXPECT_EQ(m_unit->GetProposedOutlineEntities(out), CVRX2DVector(0, 0));

  // Past the largest radius (steps of 6): the largest row is taken, in bounds within 3.
  EXPECT_EQ(m_unit->ConformProposedSize(1, CVRX2DVector(2 * (32.9 - 12), 0.0)), CUnit::inboundsChanged);
  EXPECT_EQ(Proposed(), "CI60");
  EXPECT_EQ(m_unit->ConformProposedSize(1, CVRX2DVector(2 * (33.1 - 12), 0.0)), CUnit::outOfBoundsUnchanged);
  m_unit->ResetProposedSize();
  EXPECT_EQ(m_unit->ConformProposedSize(1, CVRX2DVector(2 * (33.1 - 12), 0.0)), CUnit::outOfBoundsChanged);
  EXPECT_EQ(m_unit->SetSizeToProposed(), CVRX2DVector(0, -18));
  EXPECT_EQ(m_unit->GetSizeCode(), "CI60");
  EXPECT_EQ(m_unit->ConformProposedSize(1, CVRX2DVector(-2 * (30 - 9.1), 0.0)), CUnit::inboundsChanged);
  EXPECT_EQ(Proposed(), "CI24");
  EXPECT_EQ(m_unit->ConformProposedSize(1, CVRX2DVector(-2 * (30 - 8.9), 0.0)), CUnit::outOfBoundsUnchanged);

  try {
    m_unit->ConformProposedSize(4, CVRX2DVector(1.0, 1.0));
    ADD_FAILURE() << "conformed";
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.file, "STDCIRCL");
    EXPECT_EQ(e.line, 126);
  }
}

TEST_F(StdcirclTest, PlanSectionAndGrille)
{
  EXPECT_TRUE(IsPlanSection(*m_unit, 12.0, 24.0, 0.0));
  const double chord = 2 * std::sqrt(144.0 - 64.0);
  EXPECT_TRUE(IsPlanSection(*m_unit, 4.0, chord, 12 - 0.5 * chord));
  EXPECT_TRUE(IsPlanSection(*m_unit, 20.0, chord, 12 - 0.5 * chord));
  EXPECT_TRUE(IsPlanSection(*m_unit, 0.0, 0.0, 12.0));
  EXPECT_TRUE(IsPlanSection(*m_unit, 30.0, 0.0, 12.0));

  CVRX2DEntityArray out;
  ASSERT_TRUE(m_unit->SetOptionChoice(36, 8));
  m_unit->GetGrilleEntities(2, out);
  EXPECT_EQ(out.GetSize(), 0);
  ASSERT_TRUE(m_unit->SetOptionChoice(36, 6));
  m_unit->GetGrilleEntities(2, out);
  ASSERT_EQ(out.GetSize(), 9);  // one ring inset by 6, eight spokes out to the glass
  ExpectArc(out, 0, 48, 12, 12, 6, 0, 0);
  const double a = Stored(0.7854), glass = 12 - 2.125;
  ExpectLine(out, 1, 48,
             {12 + 6 * std::cos(a), 12 + 6 * std::sin(a), 12 + glass * std::cos(a), 12 + glass * std::sin(a)});
  // The colonial pattern, which the circle does not draw, is not offered for it.
  EXPECT_FALSE(m_unit->SetOptionChoice(36, 2));
}

}  // namespace
