// Guards the circle-top units "SWCD007" and "SWCC006": the half circle of half the width on its
// legs, the width-only handles and their conformer (ties, out-of-range drags measured from the
// end of the range, a drag without width), plan section, elevations and both ring grilles.
#include <cmath>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "platform/core/Array.h"
#include "units/standard/ArchTestUtil.h"
#include "units/standard/Swcc.h"
#include "units/standard/Swcd.h"

namespace {

class CircltopTest : public ArchUnitTest
{
protected:
  void SetUp() override
  {
    ArchUnitTest::SetUp();
    std::unique_ptr<CUnit> unit = Make("SW", "CD007");
    m_unit.reset(dynamic_cast<CSWDoubleHungCircleTop*>(unit.release()));
    ASSERT_TRUE(m_unit);
  }

  std::string Proposed() const
  {
    const std::string text = m_unit->GetSizeText(2).c_str();
    return text.substr(0, text.find(':'));
  }

  std::unique_ptr<CSWDoubleHungCircleTop> m_unit;
};

// CD2010: 23.5 wide, legs of 12 under a half circle of 11.75.
TEST_F(CircltopTest, AHalfCircleOfHalfTheWidth)
{
  EXPECT_EQ(m_unit->GetSizeCode(), "CD2010");
  EXPECT_DOUBLE_EQ(m_unit->GetArchRadius(), 11.75);
  EXPECT_DOUBLE_EQ(m_unit->GetHeightLessRadius(), 12.0);
  EXPECT_EQ(m_unit->GetArchCentre(), CVRX2DPoint(11.75, 12.0));
  const CSizedComponentArray& components = *m_unit->GetSizedComponents();
  ASSERT_EQ(components.GetSize(), 4);
  EXPECT_EQ(components[0]->GetCode(), "BJ");
  EXPECT_EQ(components[0]->GetID(), 2722);
  EXPECT_EQ(components[2]->GetCode(), "AG");
  EXPECT_EQ(components[2]->GetEndPoint(), CVRX2DPoint(0, 12));

  CVRX2DEntityArray out;
  m_unit->GetOutlineEntities(out);
  ASSERT_EQ(out.GetSize(), 4);
  ExpectLine(out, 1, 20, {23.5, 0, 23.5, 12});
  ExpectArc(out, 2, 20, 11.75, 12, 11.75, 0, VRX_PI);
  m_unit->GetPartOutlineEntities(out);
  ASSERT_EQ(out.GetSize(), 5);
  ExpectLine(out, 0, 7, {0, 0, 23.5, 0});
  ExpectLine(out, 2, 6, {23.5, 23.75, 0, 23.75});
  ExpectLine(out, 4, 8, {11.75, 0, 11.75, 23.75});

  CSizingHandleArray handles;
  m_unit->GetSizingHandles(handles);
  ASSERT_EQ(handles.GetSize(), 2);
  EXPECT_EQ(handles[1]->GetPoint(), CVRX2DPoint(23.5, 0));
  EXPECT_EQ(handles[0]->GetCode(), 12);
  CDWordArray flags;
  m_unit->GetSidesMovedByHandle(0, flags);
  ASSERT_EQ(flags.GetSize(), 2);
  EXPECT_EQ(flags[0], 0u);
  EXPECT_EQ(flags[1], 1u);

  CArray<double, double> values;
  values.Add(1.0);
  m_unit->GetShoulderHeightsForWidth(values);
  EXPECT_EQ(values.GetSize(), 0);
  m_unit->GetSizesForHeight(values);
  ASSERT_EQ(values.GetSize(), 2);  // 23.75 and 35.75 at this width
  EXPECT_DOUBLE_EQ(values[1], 35.75);
}

// Widths 23.5, 35.5 and 47.5; the smallest row of a width is taken.
TEST_F(CircltopTest, TheWidthSnapsToTheNearestStandardWidth)
{
  // Nearer the current width than the next: the current row stays, legs and all.
  EXPECT_EQ(m_unit->ConformProposedSize(1, CVRX2DVector(5.0, 40.0)), CUnit::inboundsUnchanged);
  EXPECT_EQ(Proposed(), "CD2010");
  EXPECT_EQ(m_unit->ConformProposedSize(1, CVRX2DVector(6.0, 0.0)), CUnit::inboundsChanged);  // a tie: the wider
  EXPECT_EQ(Proposed(), "CD3010");
  EXPECT_EQ(m_unit->GetProposedOutlineEntities(*std::make_unique<CVRX2DEntityArray>()), CVRX2DVector(0, 0));
  EXPECT_EQ(m_unit->ConformProposedSize(0, CVRX2DVector(-24.0, 0.0)), CUnit::inboundsChanged);
  EXPECT_EQ(Proposed(), "CD4010");
  CVRX2DEntityArray out;
  EXPECT_EQ(m_unit->GetProposedOutlineEntities(out), CVRX2DVector(-24, 0));
  ExpectArc(out, 2, 19, 23.75, 12, 23.75, 0, VRX_PI);

  // A drag without width gives the proposal up.
  EXPECT_EQ(m_unit->ConformProposedSize(0, CVRX2DVector(0.0, 3.0)), CUnit::inboundsUnchanged);
  EXPECT_EQ(Proposed(), "CD2010");
  EXPECT_EQ(m_unit->GetProposedOutlineEntities(out), CVRX2DVector(0, 0));

  // Past the widest size: within half the last step (12) it snaps to its tallest row, further it is refused;
  // how far the proposal had got does not count.
  EXPECT_EQ(m_unit->ConformProposedSize(1, CVRX2DVector(95.5 + 11.9 - 23.5, 0.0)), CUnit::inboundsChanged);
  EXPECT_EQ(Proposed(), "CD8020");
  m_unit->ResetProposedSize();
  EXPECT_EQ(m_unit->ConformProposedSize(1, CVRX2DVector(95.5 + 11.9 - 23.5, 0.0)), CUnit::inboundsChanged);
  EXPECT_EQ(m_unit->ConformProposedSize(1, CVRX2DVector(95.5 + 12.1 - 23.5, 0.0)), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(Proposed(), "CD8020");
  // Below the narrowest.
  EXPECT_EQ(m_unit->ConformProposedSize(1, CVRX2DVector(-5.9, 0.0)), CUnit::inboundsChanged);
  EXPECT_EQ(Proposed(), "CD2010");
  EXPECT_EQ(m_unit->ConformProposedSize(1, CVRX2DVector(-6.1, 0.0)), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(m_unit->SetSizeToProposed(), CVRX2DVector(0, 0));
  EXPECT_EQ(m_unit->GetSizeCode(), "CD2010");
}

TEST_F(CircltopTest, PlanSectionAndElevations)
{
  EXPECT_TRUE(IsPlanSection(*m_unit, 12.0, 23.5, 0.0));
  const double chord = 2 * std::sqrt(11.75 * 11.75 - 36.0);
  EXPECT_TRUE(IsPlanSection(*m_unit, 18.0, chord, 0.5 * (23.5 - chord)));
  EXPECT_TRUE(IsPlanSection(*m_unit, 23.75, 0.0, 11.75));
  EXPECT_TRUE(IsPlanSection(*m_unit, 30.0, 0.0, 11.75));

  CVRX2DEntityArray out;
  m_unit->GetElevationEntities(2, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 8);
  ExpectLine(out, 0, 46, {0.0, 0.0, 23.5, 0.0});
  ExpectLine(out, 1, 46, {23.5, 0.0, 23.5, 12});
  ExpectArc(out, 2, 46, 11.75, 12, 11.75, 0, VRX_PI);
  ExpectLine(out, 4, 47, {2.125, 2.75, 21.375, 2.75});
  ExpectLine(out, 5, 47, {21.375, 2.75, 21.375, 12});
  ExpectArc(out, 6, 47, 11.75, 12, 11.75 - 2.125, 0, VRX_PI);
}

// Hub on the glass line, rings of 23.5/6 and 23.5/3: the diagonals leave the smaller ring, the
// vertical the sill, the rest the larger ring.
TEST_F(CircltopTest, TheDoubleHungRingGrille)
{
  CVRX2DEntityArray out;
  m_unit->GetGrilleEntities(2, out);
  EXPECT_EQ(out.GetSize(), 0);
  ASSERT_TRUE(m_unit->SetOptionChoice(36, 6));
  m_unit->GetGrilleEntities(2, out);
  ASSERT_EQ(out.GetSize(), 7);
  const double small = Stored(3.9167), large = Stored(7.8333), r2 = 11.75 - 2.125;
  ExpectArc(out, 0, 48, 11.75, 2.75, small, 0, VRX_PI);
  ExpectArc(out, 1, 48, 11.75, 2.75, large, 0, VRX_PI);
  const double angles[] = {Stored(0.3927), Stored(0.7854), Stored(1.5708), Stored(2.3562), Stored(2.7489)};
  const double from[] = {large, small, -1, small, large};
  for (int k = 0; k < 5; ++k) {
    const double a = angles[k];
    const Line start =
        from[k] < 0 ? Line{11.75, 2.75} : Line{11.75 + from[k] * std::cos(a), 2.75 + from[k] * std::sin(a)};
    ExpectLine(out, 2 + k, 48, {start[0], start[1], 11.75 + r2 * std::cos(a), 12 + r2 * std::sin(a)});
  }
}

// A hub ring of 4 from the "B" row, one further ring, five spokes from the hub ring.
TEST_F(CircltopTest, TheCasementAwningRingGrille)
{
  std::unique_ptr<CUnit> unit = Make("SW", "CC006");
  auto& top = dynamic_cast<CSWCasementAwningCircleTop&>(*unit);
  ASSERT_TRUE(top.SetOptionChoice(36, 6));
  CVRX2DEntityArray out;
  top.GetGrilleEntities(2, out);
  ASSERT_EQ(out.GetSize(), 7);
  ExpectArc(out, 0, 48, 11.75, 2.75, 4.0, 0, VRX_PI);
  ExpectArc(out, 1, 48, 11.75, 2.75, Stored(7.8333), 0, VRX_PI);
  const double a = Stored(0.5236), r2 = 11.75 - 2.125;
  ExpectLine(out, 2, 48,
             {11.75 + 4 * std::cos(a), 2.75 + 4 * std::sin(a), 11.75 + r2 * std::cos(a), 12 + r2 * std::sin(a)});
  EXPECT_TRUE(AllFinite(out));
  try {
    static_cast<CUnit&>(top) = *m_unit;
    ADD_FAILURE() << "assigned";
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.file, "SWCC");
    EXPECT_EQ(e.line, 84);
  }
  try {
    static_cast<CUnit&>(*m_unit) = top;
    ADD_FAILURE() << "assigned";
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.file, "SWCD");
    EXPECT_EQ(e.line, 78);
  }
}

}  // namespace
