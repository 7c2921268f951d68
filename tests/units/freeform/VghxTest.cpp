// Guards the free-form hexagon: its outline and seven handles, the centred head under a corner
// drag, the shape and glass refusals under their two prefixes, both elevations as inner outlines
// and the plan section through the sloped jambs.
#include "FreeformTest.h"

#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "units/freeform/Vghx.h"

namespace {

class VghxTest : public FreeformTest
{
protected:
  void SetUp() override
  {
    FreeformTest::SetUp();
    m_unit = Make<CVGHexagon>("VG", "HX010");
    ASSERT_TRUE(m_unit);
  }

  std::string Refused(double base, double leftRight, double top, double height)
  {
    BOOL valid = TRUE;
    const std::string text = Traced([&] { valid = m_unit->AreRequestedDimensionsValid(base, leftRight, top, height); });
    EXPECT_FALSE(valid);
    return FirstRefusal(text);
  }

  void ExpectDrag(int handle, CVRX2DVector drag, std::vector<double> values, CVRX2DVector offset)
  {
    SCOPED_TRACE(handle);
    CVGHexagon unit(*m_unit);
    ASSERT_EQ(unit.ConformProposedSize(handle, drag), CUnit::inboundsChanged);
    EXPECT_EQ(unit.SetSizeToProposed(), offset);
    EXPECT_EQ(Values(unit), values);
  }

  std::unique_ptr<CVGHexagon> m_unit;
};

TEST_F(VghxTest, ANewHexagonHasSevenHandles)
{
  EXPECT_EQ(Labels(*m_unit), (std::vector<std::string>{"Base:", "Left/Right:", "Top:", "Height:"}));
  EXPECT_EQ(m_unit->GetSizeText(0), "Varigon:24x16x8x24");
  EXPECT_EQ(m_unit->GetAttributes(), "VG,HX010,0,24,16,8,24");
  ExpectLines(Outline(*m_unit), Polygon({{0, 0}, {24, 0}, {24, 16}, {16, 24}, {8, 24}, {0, 16}}));
  CSizingHandleArray handles;
  m_unit->GetSizingHandles(handles);
  ASSERT_EQ(handles.GetSize(), 7);
  EXPECT_EQ(handles[4]->GetPoint(), CVRX2DPoint(12, 24));
  EXPECT_EQ(handles[4]->GetCode(), 3);
  EXPECT_EQ(handles[5]->GetPoint(), CVRX2DPoint(8, 24));
  EXPECT_EQ(handles[6]->GetCode(), 15);
  EXPECT_EQ(Flags(*m_unit, 4), (std::vector<int>{1, 1, 1, 0, 0, 0, 1}));
  EXPECT_EQ(Flags(*m_unit, 1), (std::vector<int>{0, 0, 0, 0, 0, 0, 1}));
}

TEST_F(VghxTest, DragsFollowTheirTable)
{
  // The sample limits' shortest side is 10: the default head of 8 would be refused.
  ASSERT_TRUE(SetValues(*m_unit, {24, 16, 10, 24}));
  ExpectDrag(0, CVRX2DVector(-2, -3), {26, 19, 10, 27}, CVRX2DVector(-2, -3));
  ExpectDrag(4, CVRX2DVector(5, 2), {24, 16, 10, 26}, CVRX2DVector(0, 0));
  ExpectDrag(3, CVRX2DVector(1, 0), {24, 16, 12, 24}, CVRX2DVector(0, 0));
  ExpectDrag(5, CVRX2DVector(-1, 1), {24, 16, 12, 25}, CVRX2DVector(0, 0));
  ExpectDrag(6, CVRX2DVector(-1, 1), {25, 17, 10, 24}, CVRX2DVector(-1, 0));
  EXPECT_EQ(m_unit->ConformProposedSize(2, CVRX2DVector(0, 0)), CUnit::inboundsUnchanged);
  EXPECT_EQ(m_unit->ConformProposedSize(7, CVRX2DVector(0, 0)), CUnit::outOfBoundsUnchanged);
}

TEST_F(VghxTest, RefusalsNameTheirReason)
{
  EXPECT_EQ(Refused(24, 24, 8, 24), Refusal("VGFX", "left/right not smaller than height"));
  EXPECT_EQ(Refused(24, 16, 24, 24), Refusal("VGFX", "top not smaller than base"));
  EXPECT_EQ(Refused(5, 4, 3, 12), Refusal("VGFX", "base too small"));
  EXPECT_EQ(Refused(97, 16, 8, 24), Refusal("VGFX", "base too large"));
  EXPECT_EQ(Refused(24, 5, 8, 24), Refusal("VGFX", "left/right too small"));
  EXPECT_EQ(Refused(24, 97, 8, 98), Refusal("VGFX", "left/right too large"));
  EXPECT_EQ(Refused(24, 16, 20, 18), Refusal("VGFX", "sloped jamb too small"));
  EXPECT_EQ(Refused(96, 10, 10, 96), Refusal("VGFX", "sloped jamb too large"));
  EXPECT_EQ(Refused(24, 12, 5, 20), Refusal("VGFX", "top too small"));
  EXPECT_EQ(Refused(48, 10, 10, 90), Refusal("VGFX", "jamb/jamb angle too large"));
  EXPECT_EQ(Refused(80, 50, 40, 80), Refusal("VGFX", "area too large"));
  EXPECT_EQ(Refused(70, 40, 20, 70), Refusal("VGHX", "short glass line too large"));
  const std::string yes = Traced([&] { EXPECT_TRUE(m_unit->AreRequestedDimensionsValid(24, 16, 10, 24)); });
  EXPECT_NE(yes.find("VGFX: Are requested dimensions valid? YES\n"), std::string::npos);
}

TEST_F(VghxTest, GlassRefusalsUnderOtherLimits)
{
  m_unit.reset();
  UseLooseLimits();
  m_unit = Make<CVGHexagon>("VG", "HX010");
  EXPECT_EQ(Refused(20, 6, 10, 12), Refusal("VGHX", "glass line too small"));
  EXPECT_EQ(Refused(60, 40, 20, 90), Refusal("VGHX", "long glass line too large"));
}

TEST_F(VghxTest, BothElevationsAreInnerOutlines)
{
  CVRX2DEntityArray out;
  m_unit->GetElevationEntities(2, FALSE, FALSE, out);
  const std::vector<Line> lines = Lines(out, 46);
  ASSERT_EQ(lines.size(), 12u);
  const std::vector<Line> one(lines.begin(), lines.begin() + 6), two(lines.begin() + 6, lines.end());
  ExpectClosed(one);
  ExpectClosed(two);
  EXPECT_NEAR(one[0][1], 0.0, 1e-12);
  EXPECT_NEAR(two[1][0], 24 - 2.375, 1e-12);  // the right jamb's distance between lines -1 and 2
  EXPECT_NEAR(two[3][1], 24 - 2.125, 1e-12);  // the head's
  EXPECT_THROW(m_unit->GetElevationEntities(3, FALSE, FALSE, out), CUnitException);
}

TEST_F(VghxTest, PlanSectionFollowsTheSlopedJambs)
{
  EXPECT_EQ(Plan(*m_unit, 16), std::make_pair(0.0, 24.0));
  const auto high = Plan(*m_unit, 20);
  EXPECT_NEAR(high.first, 4, 1e-9);
  EXPECT_NEAR(high.second, 16, 1e-9);
  const auto top = Plan(*m_unit, 24);
  EXPECT_NEAR(top.first, 8, 1e-9);
  EXPECT_NEAR(top.second, 8, 1e-9);
}

}  // namespace
