// Guards the free-form isosceles triangle: its angles and enclosing-rectangle area, the one-axis
// handles (the sill's middle sliding along the jambs), the fourteen refusals, the inset
// elevations and the plan width at a cut.
#include "FreeformTest.h"

#include <cmath>

#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "units/freeform/Vgit.h"

namespace {

class VgitTest : public FreeformTest
{
protected:
  void SetUp() override
  {
    FreeformTest::SetUp();
    m_unit = Make<CVGIsocolesTriangle>("VG", "IT010");
    ASSERT_TRUE(m_unit);
  }

  std::string Refused(double base, double height)
  {
    BOOL valid = TRUE;
    const std::string text = Traced([&] { valid = m_unit->AreRequestedDimensionsValid(base, height); });
    EXPECT_FALSE(valid);
    return FirstRefusal(text);
  }

  void ExpectDrag(int handle, CVRX2DVector drag, double base, double height, CVRX2DVector offset)
  {
    SCOPED_TRACE(handle);
    CVGIsocolesTriangle unit(*m_unit);
    ASSERT_EQ(unit.ConformProposedSize(handle, drag), CUnit::inboundsChanged);
    EXPECT_DOUBLE_EQ(unit.GetProposedWidth(), base);
    EXPECT_DOUBLE_EQ(unit.GetProposedHeight(), height);
    std::vector<Line> proposed;
    const CVRX2DVector moved = Proposed(unit, proposed);
    EXPECT_NEAR(moved.GetX(), offset.GetX(), 1e-12);
    EXPECT_NEAR(moved.GetY(), offset.GetY(), 1e-12);
    ExpectLines(proposed, Polygon({{0, 0}, {base, 0}, {base / 2, height}}));
    unit.SetSizeToProposed();
    ExpectLines(Outline(unit), Polygon({{0, 0}, {base, 0}, {base / 2, height}}));
  }

  std::unique_ptr<CVGIsocolesTriangle> m_unit;
};

TEST_F(VgitTest, ANewTriangleHasItsHandlesOnOneAxisEach)
{
  EXPECT_EQ(Labels(*m_unit), (std::vector<std::string>{"Base:", "Height:"}));
  EXPECT_EQ(Values(*m_unit), (std::vector<double>{24.0, 24.0}));
  ExpectLines(Outline(*m_unit), Polygon({{0, 0}, {24, 0}, {12, 24}}));
  CSizingHandleArray handles;
  m_unit->GetSizingHandles(handles);
  ASSERT_EQ(handles.GetSize(), 4);
  const int codes[] = {12, 3, 12, 3};
  const double xs[] = {0, 12, 24, 12}, ys[] = {0, 0, 0, 24};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(handles[i]->GetCode(), codes[i]);
    EXPECT_EQ(handles[i]->GetPoint(), CVRX2DPoint(xs[i], ys[i]));
  }
  EXPECT_EQ(Flags(*m_unit, 3), (std::vector<int>{1, 1, 1, 0}));
  EXPECT_EQ(Flags(*m_unit, 0), (std::vector<int>{0, 0, 1, 0}));
  EXPECT_EQ(Flags(*m_unit, 9), (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(VgitTest, DragsKeepTheApexOrTheOtherCorner)
{
  ExpectDrag(0, CVRX2DVector(4, 0), 20, 24, CVRX2DVector(4, 0));
  ExpectDrag(2, CVRX2DVector(-4, 0), 20, 24, CVRX2DVector(0, 0));
  ExpectDrag(1, CVRX2DVector(0, 6), 18, 18, CVRX2DVector(3, 6));
  ExpectDrag(1, CVRX2DVector(0, -6), 30, 30, CVRX2DVector(-3, -6));
  ExpectDrag(3, CVRX2DVector(0, 6), 24, 30, CVRX2DVector(0, 0));
}

TEST_F(VgitTest, AZeroDragAsksForTheCurrentSize)
{
  EXPECT_EQ(m_unit->ConformProposedSize(1, CVRX2DVector(0, 0)), CUnit::inboundsUnchanged);
  ASSERT_EQ(m_unit->ConformProposedSize(3, CVRX2DVector(0, 6)), CUnit::inboundsChanged);
  EXPECT_EQ(m_unit->ConformProposedSize(3, CVRX2DVector(0, 0)), CUnit::inboundsChanged);
  EXPECT_EQ(m_unit->GetProposedHeight(), 24.0);
  EXPECT_EQ(m_unit->ConformProposedSize(4, CVRX2DVector(0, 6)), CUnit::outOfBoundsUnchanged);
}

TEST_F(VgitTest, RefusalsNameTheirReason)
{
  EXPECT_EQ(Refused(5, 24), Refusal("VGIT", "sill too small"));
  EXPECT_EQ(Refused(97, 24), Refusal("VGIT", "base too large"));
  EXPECT_EQ(Refused(10, 3), Refusal("VGIT", "jambs too small"));
  EXPECT_EQ(Refused(96, 90), Refusal("VGIT", "jambs too large"));
  EXPECT_EQ(Refused(90, 15), Refusal("VGIT", "sill/jamb angle too small"));
  EXPECT_EQ(Refused(10, 90), Refusal("VGIT", "jamb/jamb angle too small"));
  EXPECT_EQ(Refused(80, 80), Refusal("VGIT", "area too large"));  // 44.4 sq ft of enclosing rectangle
  EXPECT_EQ(Refused(10, 14), Refusal("VGIT", "sill glass line too small"));
  EXPECT_TRUE(m_unit->AreRequestedDimensionsValid(96, 60));  // 40 square feet exactly
  std::string yes = Traced([&] { EXPECT_TRUE(m_unit->AreRequestedDimensionsValid(24, 24)); });
  EXPECT_NE(yes.find("VGIT: Are requested dimensions valid? YES\n"), std::string::npos);
}

TEST_F(VgitTest, LongGlassRefusedUnderOtherLimits)
{
  m_unit.reset();
  UseLooseLimits();
  m_unit = Make<CVGIsocolesTriangle>("VG", "IT010");
  EXPECT_EQ(Refused(60, 100), Refusal("VGIT", "long glass side too long"));
  EXPECT_EQ(Refused(80, 70), Refusal("VGIT", "short glass side too long"));
}

TEST_F(VgitTest, ElevationsAreInsetTriangles)
{
  const std::vector<Line> one = Elevation(*m_unit, 1, 46);
  ASSERT_EQ(one.size(), 3u);
  ExpectClosed(one);
  EXPECT_NEAR(one[0][1], 0.0, 1e-12);  // the sill moved up by its distance between lines 0 and -1: none
  CVRX2DEntityArray out;
  m_unit->GetElevationEntities(2, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 6);
  out.RemoveAt(0, 3);
  const std::vector<Line> two = Lines(out, 47);
  ExpectClosed(two);
  EXPECT_NEAR(two[0][1], 2.5, 1e-12);              // lines -1 and 2 of the sill
  EXPECT_NEAR(two[0][0] + two[0][2], 24.0, 1e-9);  // symmetric about the apex
  EXPECT_THROW(m_unit->GetElevationEntities(3, FALSE, FALSE, out), CUnitException);
}

TEST_F(VgitTest, PlanSectionIsTheWidthAtTheCut)
{
  const auto middle = Plan(*m_unit, 12);
  EXPECT_NEAR(middle.first, 6, 1e-12);
  EXPECT_NEAR(middle.second, 12, 1e-12);
  const auto bottom = Plan(*m_unit, 0);
  EXPECT_NEAR(bottom.first, 0, 1e-12);
  EXPECT_NEAR(bottom.second, 24, 1e-12);
}

TEST_F(VgitTest, AttributesStoreBaseThenHeight)
{
  ASSERT_TRUE(SetValues(*m_unit, {30, 20}));
  EXPECT_EQ(m_unit->GetAttributes(), "VG,IT010,0,30,20");
  std::unique_ptr<CUnit> copy = Reloaded(*m_unit);
  EXPECT_EQ(copy->GetWidth(), 30.0);
  EXPECT_EQ(copy->GetHeight(), 20.0);
  // A stored zero base has no angle: sizing and the plan section stay finite.
  CString text = "VG,IT010,0,0,0";
  m_unit->SetAttributes(text);
  EXPECT_EQ(m_unit->ConformProposedSize(1, CVRX2DVector(0, 2)), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(Plan(*m_unit, 3).second, 0.0);
}

}  // namespace
