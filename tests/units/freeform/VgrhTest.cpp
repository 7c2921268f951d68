// Guards the free-form regular hexagon: its vertices from one height, handles on the vertices or
// the side midpoints by anchor mode, drags that keep the anchor in place in both modes (sized by
// the signed projection, so a drag past the anchor is refused), the refusals, elevations and plan.
#include "FreeformTest.h"

#include <cmath>

#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "units/freeform/Vgrh.h"

namespace {

class VgrhTest : public FreeformTest
{
protected:
  void SetUp() override
  {
    FreeformTest::SetUp();
    m_unit = Make<CVGRegularHexagon>("VG", "RH010");
    ASSERT_TRUE(m_unit);
  }

  std::string Refused(double height)
  {
    BOOL valid = TRUE;
    const std::string text = Traced([&] { valid = m_unit->AreRequestedDimensionsValid(height); });
    EXPECT_FALSE(valid);
    return FirstRefusal(text);
  }

  // The anchor (a vertex, or a side's midpoint) of the proposal drawn at its offset lies where
  // the current one does.
  void ExpectAnchorKept(int mode, double grow)
  {
    for (int handle = 0; handle < 6; ++handle) {
      SCOPED_TRACE(handle);
      CVGRegularHexagon unit(*m_unit);
      unit.SetAnchorMode(mode);
      const auto points = HandlePoints(unit);
      const int anchor = (handle + (mode == 0 ? 5 : 3)) % 6;
      const double dx = points[handle].first - points[anchor].first, dy = points[handle].second - points[anchor].second;
      const double length = std::hypot(dx, dy);
      ASSERT_EQ(unit.ConformProposedSize(handle, CVRX2DVector(grow * dx / length, grow * dy / length)), 0);
      std::vector<Line> proposed;
      const CVRX2DVector offset = Proposed(unit, proposed);
      const Line& side = proposed[anchor];
      const double x = mode == 0 ? side[0] : (side[0] + side[2]) / 2, y = mode == 0 ? side[1] : (side[1] + side[3]) / 2;
      EXPECT_NEAR(x + offset.GetX(), points[anchor].first, 1e-9);
      EXPECT_NEAR(y + offset.GetY(), points[anchor].second, 1e-9);
    }
  }

  std::unique_ptr<CVGRegularHexagon> m_unit;
};

TEST_F(VgrhTest, ANewHexagonStandsOnAVertex)
{
  const double w = 24 * std::cos(M_PI / 6), b = w / 2;
  EXPECT_NEAR(m_unit->GetWidth(), 20.7846, 1e-4);
  ExpectLines(Outline(*m_unit), Polygon({{b, 0}, {w, 6}, {w, 18}, {b, 24}, {0, 18}, {0, 6}}));
  EXPECT_EQ(Labels(*m_unit), (std::vector<std::string>{"Height:"}));
  EXPECT_EQ(m_unit->GetAttributes(), "VG,RH010,0,24");
  EXPECT_EQ(Flags(*m_unit, 0), (std::vector<int>{0, 0, 0, 0, 0, 1}));
  m_unit->SetAnchorMode(1);
  EXPECT_EQ(Flags(*m_unit, 0), (std::vector<int>{0, 0, 0, 1, 0, 0}));
  const auto midpoints = HandlePoints(*m_unit);
  EXPECT_NEAR(midpoints[1].first, w, 1e-12);
  EXPECT_NEAR(midpoints[1].second, 12, 1e-12);
}

TEST_F(VgrhTest, DragsKeepTheAnchorInBothModes)
{
  ExpectAnchorKept(0, 2.0);
  ExpectAnchorKept(0, -1.0);
  ExpectAnchorKept(1, 3.0);
  ExpectAnchorKept(1, -2.0);
}

TEST_F(VgrhTest, TheOppositeSideStaysWhenTheRightSideIsDragged)
{
  m_unit->SetAnchorMode(1);
  const double w = m_unit->GetWidth();
  ASSERT_EQ(m_unit->ConformProposedSize(1, CVRX2DVector(2, 0)), CUnit::inboundsChanged);
  const double h2 = (w + 2) / std::cos(M_PI / 6);
  EXPECT_NEAR(m_unit->GetProposedHeight(), h2, 1e-9);
  std::vector<Line> proposed;
  const CVRX2DVector offset = Proposed(*m_unit, proposed);
  EXPECT_NEAR(offset.GetX(), 0, 1e-12);
  EXPECT_NEAR(offset.GetY(), (24 - h2) / 2, 1e-12);
}

TEST_F(VgrhTest, ADragPastTheAnchorIsRefused)
{
  // Handle 1 taken to the far side of its anchor, vertex 0: as far away, but a negative side.
  const auto points = HandlePoints(*m_unit);
  const CVRX2DVector past(2 * (points[0].first - points[1].first), 2 * (points[0].second - points[1].second));
  std::string traced = Traced([&] { EXPECT_EQ(m_unit->ConformProposedSize(1, past), 3); });
  EXPECT_EQ(FirstRefusal(traced), Refusal("VGRH", "components too small"));
  m_unit->SetAnchorMode(1);
  EXPECT_EQ(m_unit->ConformProposedSize(1, CVRX2DVector(-2 * m_unit->GetWidth(), 0)), CUnit::outOfBoundsUnchanged);
  m_unit->SetAnchorMode(2);
  EXPECT_EQ(m_unit->ConformProposedSize(1, CVRX2DVector(1, 0)), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(HandlePoints(*m_unit)[3], std::make_pair(0.0, 0.0));
  m_unit->SetAnchorMode(0);
  EXPECT_EQ(m_unit->ConformProposedSize(6, CVRX2DVector(1, 0)), CUnit::outOfBoundsUnchanged);
}

TEST_F(VgrhTest, RefusalsNameTheirReason)
{
  EXPECT_EQ(Refused(10), Refusal("VGRH", "components too small"));
  EXPECT_EQ(Refused(200), Refusal("VGRH", "components too large"));
  EXPECT_EQ(Refused(90), Refusal("VGRH", "area too large"));
  EXPECT_TRUE(m_unit->AreRequestedDimensionsValid(20));  // a side of 10
  EXPECT_FALSE(SetValues(*m_unit, {90}));
  EXPECT_TRUE(SetValues(*m_unit, {30}));
  EXPECT_EQ(m_unit->GetHeight(), 30.0);
}

TEST_F(VgrhTest, GlassRefusalsUnderOtherLimits)
{
  m_unit.reset();
  UseLooseLimits();
  m_unit = Make<CVGRegularHexagon>("VG", "RH010");
  EXPECT_EQ(Refused(12), Refusal("VGRH", "glass length too small"));
  EXPECT_EQ(Refused(127), Refusal("VGRH", "short glass length too large"));
}

TEST_F(VgrhTest, ElevationsAndPlan)
{
  CVRX2DEntityArray out;
  m_unit->GetElevationEntities(2, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 12);
  for (int i = 0; i < 12; ++i)
    EXPECT_EQ(out[i]->GetCategory(), i < 6 ? 46 : 47);
  out.RemoveAt(0, 6);
  const std::vector<Line> inner = Lines(out, 47);
  ExpectClosed(inner);
  EXPECT_NEAR(inner[1][0], m_unit->GetWidth() - 2.375, 1e-9);  // the right side by its -1/2 distance
  EXPECT_THROW(m_unit->GetElevationEntities(3, FALSE, FALSE, out), CUnitException);
  const auto middle = Plan(*m_unit, 12);
  EXPECT_NEAR(middle.second, m_unit->GetWidth(), 1e-9);
  const auto low = Plan(*m_unit, 3);
  EXPECT_NEAR(low.second, 6 / std::tan(M_PI / 6), 1e-9);
  EXPECT_NEAR(low.first, (m_unit->GetWidth() - low.second) / 2, 1e-9);
}

}  // namespace
