// Guards the free-form octagon: its stored width-to-side ratio, drags that keep the anchor in
// both modes (sized by the signed projection), the cancelled drag that drops its offset, the four
// refusals, the inner octagon and the plan section.
#include "FreeformTest.h"

#include <cmath>

#include "model/Unitexcp.h"
#include "units/freeform/Vgoc.h"

namespace {

class VgocTest : public FreeformTest
{
protected:
  void SetUp() override
  {
    FreeformTest::SetUp();
    m_unit = Make<CVGOctagon>("VG", "OC010");
    ASSERT_TRUE(m_unit);
  }

  std::string Refused(double side)
  {
    BOOL valid = TRUE;
    const std::string text = Traced([&] { valid = m_unit->AreRequestedDimensionsValid(side); });
    EXPECT_FALSE(valid);
    return FirstRefusal(text);
  }

  void ExpectAnchorKept(int mode, double grow)
  {
    for (int handle = 0; handle < 8; ++handle) {
      SCOPED_TRACE(handle);
      CVGOctagon unit(*m_unit);
      unit.SetAnchorMode(mode);
      const auto points = HandlePoints(unit);
      const int anchor = (handle + (mode == 0 ? 7 : 4)) % 8;
      const double dx = points[handle].first - points[anchor].first, dy = points[handle].second - points[anchor].second;
      const double length = std::hypot(dx, dy);
      ASSERT_EQ(unit.ConformProposedSize(handle, CVRX2DVector(grow * dx / length, grow * dy / length)), 0);
      std::vector<Line> proposed;
      const CVRX2DVector offset = Proposed(unit, proposed);
      const Line& side = proposed[anchor];
      const double x = mode == 0 ? side[0] : (side[0] + side[2]) / 2, y = mode == 0 ? side[1] : (side[1] + side[3]) / 2;
      EXPECT_NEAR(x + offset.GetX(), points[anchor].first, 1e-6);
      EXPECT_NEAR(y + offset.GetY(), points[anchor].second, 1e-6);
    }
  }

  std::unique_ptr<CVGOctagon> m_unit;
};

TEST_F(VgocTest, ANewOctagonIsTwentyFourWide)
{
  const double c = 24 / 2.414213562, t = c * std::cos(M_PI / 4);
  EXPECT_EQ(Labels(*m_unit), (std::vector<std::string>{"Unit Width"}));
  EXPECT_EQ(m_unit->GetAttributes(), "VG,OC010,0,24");
  EXPECT_EQ(m_unit->GetHeight(), 24.0);
  ExpectLines(Outline(*m_unit), Polygon({{t, 0},
                                         {t + c, 0},
                                         {2 * t + c, t},
                                         {2 * t + c, t + c},
                                         {t + c, 2 * t + c},
                                         {t, 2 * t + c},
                                         {0, t + c},
                                         {0, t}}));
  EXPECT_EQ(Flags(*m_unit, 0), (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 1}));
  m_unit->SetAnchorMode(1);
  EXPECT_EQ(Flags(*m_unit, 0), (std::vector<int>{0, 0, 0, 0, 1, 0, 0, 0}));
}

TEST_F(VgocTest, DragsKeepTheAnchorInBothModes)
{
  ASSERT_TRUE(SetValues(*m_unit, {30}));  // a side of 12.4: above the sample limits' 10 when shrunk
  ExpectAnchorKept(0, 2.0);
  ExpectAnchorKept(0, -1.0);
  ExpectAnchorKept(1, 3.0);
  ExpectAnchorKept(1, -2.0);
}

TEST_F(VgocTest, ACancelledDragDropsItsOffset)
{
  m_unit->SetAnchorMode(1);
  ASSERT_EQ(m_unit->ConformProposedSize(2, CVRX2DVector(4, 0)), CUnit::inboundsChanged);
  EXPECT_NEAR(m_unit->GetProposedWidth(), 28.0, 1e-6);  // the stored ratio is not exact
  m_unit->ResetProposedSize();
  std::vector<Line> proposed;
  EXPECT_EQ(Proposed(*m_unit, proposed), CVRX2DVector(0, 0));
  EXPECT_EQ(m_unit->SetSizeToProposed(), CVRX2DVector(0, 0));
  EXPECT_EQ(m_unit->GetWidth(), 24.0);
  ASSERT_EQ(m_unit->ConformProposedSize(2, CVRX2DVector(-36, 0)), CUnit::outOfBoundsUnchanged);  // past the anchor
  m_unit->SetAnchorMode(0);
  const auto points = HandlePoints(*m_unit);
  const CVRX2DVector past(2 * (points[0].first - points[1].first), 2 * (points[0].second - points[1].second));
  EXPECT_EQ(m_unit->ConformProposedSize(1, past), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(m_unit->ConformProposedSize(8, CVRX2DVector(1, 0)), CUnit::outOfBoundsUnchanged);
}

TEST_F(VgocTest, RefusalsNameTheirReason)
{
  EXPECT_EQ(Refused(14 / 2.414213562), Refusal("VGOC", "components too small"));
  EXPECT_EQ(Refused(99), Refusal("VGOC", "components too large"));
  EXPECT_EQ(Refused(80 / 2.414213562), Refusal("VGOC", "area too large"));
  EXPECT_EQ(Refused(70 / 2.414213562), Refusal("VGOC", "maximum short glass too long"));
  EXPECT_FALSE(SetValues(*m_unit, {70}));
  EXPECT_TRUE(SetValues(*m_unit, {30}));
  EXPECT_EQ(m_unit->GetWidth(), 30.0);
  CVRX2DEntityArray out;
  try {
    m_unit->Get3LineElevationEntities(3, out);
    FAIL();
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.GetErrorMessage(), "Unsupported method CVGOctagon::Get3LineElevationEntities() called.");
  }
}

TEST_F(VgocTest, InnerOctagonAndPlan)
{
  CVRX2DEntityArray out;
  m_unit->GetElevationEntities(2, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 16);
  out.RemoveAt(0, 8);
  const std::vector<Line> inner = Lines(out, 47);
  ExpectClosed(inner);
  EXPECT_NEAR(inner[0][1], 2.5, 1e-12);  // the bottom's distance between lines -1 and 2
  const double c = 24 / 2.414213562, t = c * std::cos(M_PI / 4);
  EXPECT_EQ(Plan(*m_unit, 0), std::make_pair(0.0, c));
  EXPECT_EQ(Plan(*m_unit, 12), std::make_pair(0.0, 24.0));
  const auto low = Plan(*m_unit, t / 2);
  EXPECT_NEAR(low.second, t + c, 1e-9);
  EXPECT_NEAR(low.first, (24 - t - c) / 2, 1e-9);
}

}  // namespace
