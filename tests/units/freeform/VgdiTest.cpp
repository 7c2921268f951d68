// Guards the free-form diamond: its corners, the two anchor modes with their handle codes, flags
// and sizing rules, the laid-on-its-side area, the refusals, elevations and plan section.
#include "FreeformTest.h"

#include <cmath>

#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "units/freeform/Vgdi.h"

namespace {

class VgdiTest : public FreeformTest
{
protected:
  void SetUp() override
  {
    FreeformTest::SetUp();
    m_unit = Make<CVGDiamond>("VG", "DI010");
    ASSERT_TRUE(m_unit);
  }

  std::string Refused(double height, double width)
  {
    BOOL valid = TRUE;
    const std::string text = Traced([&] { valid = m_unit->AreRequestedDimensionsValid(height, width); });
    EXPECT_FALSE(valid);
    return FirstRefusal(text);
  }

  void ExpectDrag(int mode, int handle, CVRX2DVector drag, double width, double height, CVRX2DVector offset)
  {
    SCOPED_TRACE(handle);
    CVGDiamond unit(*m_unit);
    unit.SetAnchorMode(mode);
    ASSERT_EQ(unit.ConformProposedSize(handle, drag), CUnit::inboundsChanged);
    std::vector<Line> proposed;
    EXPECT_EQ(Proposed(unit, proposed), offset);
    ExpectLines(proposed, Polygon({{width / 2, 0}, {width, height / 2}, {width / 2, height}, {0, height / 2}}));
  }

  std::unique_ptr<CVGDiamond> m_unit;
};

TEST_F(VgdiTest, ANewDiamondStandsOnACorner)
{
  ExpectLines(Outline(*m_unit), Polygon({{12, 0}, {24, 12}, {12, 24}, {0, 12}}));
  EXPECT_EQ(m_unit->GetAttributes(), "VG,DI010,0,24,24");
  EXPECT_DOUBLE_EQ(m_unit->GetSideAngle(), std::atan(1.0));
  CStringArray names;
  m_unit->GetAnchorModeNames(names);
  ASSERT_EQ(names.GetSize(), 2);
  EXPECT_EQ(names[1], "Anchor to opposite handle");
}

TEST_F(VgdiTest, TheAnchorModeSetsCodesFlagsAndRules)
{
  CSizingHandleArray handles;
  m_unit->GetSizingHandles(handles);
  EXPECT_EQ(handles[0]->GetCode(), 15);
  EXPECT_EQ(Flags(*m_unit, 0), (std::vector<int>{0, 0, 0, 1}));
  ExpectDrag(0, 1, CVRX2DVector(1, 0), 26, 24, CVRX2DVector(-1, 0));
  ExpectDrag(0, 0, CVRX2DVector(1, -1), 26, 26, CVRX2DVector(0, -1));
  ExpectDrag(0, 2, CVRX2DVector(1, 1), 22, 26, CVRX2DVector(2, -1));
  ExpectDrag(0, 3, CVRX2DVector(1, 1), 22, 22, CVRX2DVector(1, 2));
  EXPECT_EQ(m_unit->ConformProposedSize(3, CVRX2DVector(12, 0)), CUnit::outOfBoundsUnchanged);  // width 0
  m_unit->SetAnchorMode(1);
  m_unit->GetSizingHandles(handles);
  EXPECT_EQ(handles[0]->GetCode(), 3);
  EXPECT_EQ(handles[1]->GetCode(), 12);
  EXPECT_EQ(Flags(*m_unit, 0), (std::vector<int>{0, 0, 1, 0}));
  ExpectDrag(1, 0, CVRX2DVector(3, -2), 24, 26, CVRX2DVector(0, -2));
  ExpectDrag(1, 3, CVRX2DVector(-2, 5), 26, 24, CVRX2DVector(-2, 0));
  ExpectDrag(1, 1, CVRX2DVector(2, 5), 26, 24, CVRX2DVector(0, 0));
  m_unit->SetAnchorMode(2);
  EXPECT_EQ(m_unit->ConformProposedSize(1, CVRX2DVector(1, 0)), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(Flags(*m_unit, 0), (std::vector<int>{0, 0, 0, 1}));
  std::unique_ptr<CUnit> copy = Reloaded(*m_unit);
  EXPECT_EQ(static_cast<CVGDiamond&>(*copy).GetAnchorMode(), 0);  // not stored
}

TEST_F(VgdiTest, RefusalsNameTheirReason)
{
  EXPECT_EQ(Refused(8, 8), Refusal("VGDI", "jambs too small"));
  EXPECT_EQ(Refused(140, 140), Refusal("VGDI", "jambs too large"));
  EXPECT_EQ(Refused(10, 80), Refusal("VGDI", "bottom internal angle too large"));
  EXPECT_EQ(Refused(80, 10), Refusal("VGDI", "bottom internal angle too small"));
  EXPECT_EQ(Refused(130, 130), Refusal("VGDI", "area too large"));  // a square: side times side
  EXPECT_EQ(Refused(100, 130), Refusal("VGDI", "area too large"));  // laid on a side: 56.7 sq ft
  EXPECT_TRUE(m_unit->AreRequestedDimensionsValid(12, 24));
  EXPECT_TRUE(SetValues(*m_unit, {30, 20}));
  EXPECT_EQ(Values(*m_unit), (std::vector<double>{30, 20}));
}

TEST_F(VgdiTest, GlassRefusalsUnderOtherLimits)
{
  m_unit.reset();
  UseLooseLimits();
  m_unit = Make<CVGDiamond>("VG", "DI010");
  EXPECT_EQ(Refused(12, 12), Refusal("VGDI", "glass line too small"));
  EXPECT_EQ(Refused(100, 100), Refusal("VGDI", "short glass line too large"));
  EXPECT_EQ(Refused(40, 120), Refusal("VGDI", "long glass line too large"));
}

TEST_F(VgdiTest, ElevationsAndPlan)
{
  CVRX2DEntityArray out;
  m_unit->GetElevationEntities(2, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 8);
  out.RemoveAt(0, 4);
  const std::vector<Line> inner = Lines(out, 47);
  ExpectClosed(inner);
  EXPECT_NEAR(inner[3][1], 12, 1e-9);                      // the left corner stays on the axis
  EXPECT_NEAR(inner[3][0], 2.375 * std::sqrt(2.0), 1e-9);  // moved in by the first side's 0-2 distance
  EXPECT_THROW(m_unit->GetElevationEntities(3, FALSE, FALSE, out), CUnitException);
  EXPECT_EQ(Plan(*m_unit, 12), std::make_pair(0.0, 24.0));
  const auto low = Plan(*m_unit, 6);
  EXPECT_NEAR(low.first, 6, 1e-9);
  EXPECT_NEAR(low.second, 12, 1e-9);
  const auto high = Plan(*m_unit, 21);
  EXPECT_NEAR(high.second, 6, 1e-9);
}

}  // namespace
