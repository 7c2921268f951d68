// Guards the two free-form right triangles: their mirror-image outlines, the right-angle corner
// drag that keeps the head's slope, the refusals of the shared check, the inner elevation and the
// plan section on the side of the right angle. The outline stays the current one during a drag.
#include "FreeformTest.h"

#include "model/Unitexcp.h"
#include "units/freeform/Vgrt1.h"
#include "units/freeform/Vgrt2.h"

namespace {

class VgrtTest : public FreeformTest
{
protected:
  void SetUp() override
  {
    FreeformTest::SetUp();
    m_one = Make<CVGRightTriangleType1>("VG", "T1010");
    m_two = Make<CVGRightTriangleType2>("VG", "T2010");
    ASSERT_TRUE(m_one && m_two);
  }

  std::string Refused(double base, double height)
  {
    BOOL valid = TRUE;
    const std::string text = Traced([&] { valid = m_one->AreRequestedDimensionsValid(base, height); });
    EXPECT_FALSE(valid);
    return FirstRefusal(text);
  }

  static void ExpectProposal(CUnit& unit, CVarigonUnit& shape, int handle, CVRX2DVector drag, double base,
                             double height, CVRX2DVector offset)
  {
    SCOPED_TRACE(handle);
    ASSERT_EQ(unit.ConformProposedSize(handle, drag), CUnit::inboundsChanged);
    EXPECT_NEAR(shape.GetProposedWidth(), base, 1e-9);
    EXPECT_NEAR(shape.GetProposedHeight(), height, 1e-9);
    std::vector<Line> proposed;
    const CVRX2DVector moved = Proposed(unit, proposed);
    EXPECT_NEAR(moved.GetX(), offset.GetX(), 1e-9);
    EXPECT_NEAR(moved.GetY(), offset.GetY(), 1e-9);
    unit.ResetProposedSize();
  }

  std::unique_ptr<CVGRightTriangleType1> m_one;
  std::unique_ptr<CVGRightTriangleType2> m_two;
};

TEST_F(VgrtTest, TheTwoTypesAreMirrorImages)
{
  ExpectLines(Outline(*m_one), Polygon({{0, 0}, {24, 0}, {24, 24}}));
  ExpectLines(Outline(*m_two), Polygon({{0, 0}, {24, 0}, {0, 24}}));
  EXPECT_EQ(Labels(*m_two), (std::vector<std::string>{"Base:", "Height:"}));
  EXPECT_EQ(Flags(*m_one, 1), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(Flags(*m_one, 0), (std::vector<int>{0, 0, 1}));
  EXPECT_EQ(Flags(*m_two, 0), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(Flags(*m_two, 2), (std::vector<int>{0, 1, 0}));
  EXPECT_EQ(m_one->GetAttributes(), "VG,T1010,0,24,24");
}

TEST_F(VgrtTest, TheRightAngleCornerKeepsTheSlope)
{
  ExpectProposal(*m_one, *m_one, 1, CVRX2DVector(5, -3), 32, 32, CVRX2DVector(-3, -3));
  ExpectProposal(*m_one, *m_one, 1, CVRX2DVector(5, 3), 29, 29, CVRX2DVector(0, 0));
  ExpectProposal(*m_one, *m_one, 1, CVRX2DVector(-2, 3), 19, 19, CVRX2DVector(3, 3));
  ExpectProposal(*m_one, *m_one, 0, CVRX2DVector(2, 1), 22, 23, CVRX2DVector(2, 1));
  ExpectProposal(*m_one, *m_one, 2, CVRX2DVector(2, 1), 26, 25, CVRX2DVector(0, 0));
  ExpectProposal(*m_two, *m_two, 0, CVRX2DVector(-2, 4), 26, 26, CVRX2DVector(-2, 0));
  ExpectProposal(*m_two, *m_two, 0, CVRX2DVector(0, -3), 27, 27, CVRX2DVector(0, -3));
  ExpectProposal(*m_two, *m_two, 1, CVRX2DVector(2, 1), 26, 23, CVRX2DVector(0, 1));
  ExpectProposal(*m_two, *m_two, 2, CVRX2DVector(2, 1), 22, 25, CVRX2DVector(2, 0));
}

TEST_F(VgrtTest, ADragChangesTheOutlineOnlyWhenTaken)
{
  ASSERT_EQ(m_one->ConformProposedSize(2, CVRX2DVector(6, 6)), CUnit::inboundsChanged);
  ExpectLines(Outline(*m_one), Polygon({{0, 0}, {24, 0}, {24, 24}}));
  EXPECT_EQ(HandlePoints(*m_one)[2], std::make_pair(24.0, 24.0));
  m_one->SetSizeToProposed();
  ExpectLines(Outline(*m_one), Polygon({{0, 0}, {30, 0}, {30, 30}}));
}

TEST_F(VgrtTest, ZeroDragsAndOtherHandlesAreAnswered)
{
  const std::string traced = Traced([&] { EXPECT_EQ(m_one->ConformProposedSize(0, CVRX2DVector(0, 0)), 1); });
  EXPECT_NE(traced.find("Returned Result.......: inbounds; unchanged (no movement shown in vector)\n"),
            std::string::npos);
  EXPECT_EQ(m_two->ConformProposedSize(0, CVRX2DVector(0, 0)), CUnit::inboundsUnchanged);
  EXPECT_EQ(m_one->ConformProposedSize(3, CVRX2DVector(1, 1)), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(m_two->ConformProposedSize(-1, CVRX2DVector(1, 1)), CUnit::outOfBoundsUnchanged);
}

TEST_F(VgrtTest, RefusalsNameTheirReason)
{
  EXPECT_EQ(Refused(5, 24), Refusal("VGRT", "sill too small"));
  EXPECT_EQ(Refused(97, 24), Refusal("VGRT", "sill too large"));
  EXPECT_EQ(Refused(24, 5), Refusal("VGRT", "jamb too small"));
  EXPECT_EQ(Refused(24, 97), Refusal("VGRT", "jamb too large"));
  EXPECT_EQ(Refused(90, 60), Refusal("VGRT", "head too large"));
  EXPECT_EQ(Refused(90, 20), Refusal("VGRT", "head/sill angle too small"));
  EXPECT_EQ(Refused(20, 90), Refusal("VGRT", "head/jamb angle too small"));
  EXPECT_EQ(Refused(12, 12), Refusal("VGRT", "glass line too small"));
  EXPECT_FALSE(SetValues(*m_one, {12, 12}));
  EXPECT_TRUE(SetValues(*m_one, {30, 20}));
  EXPECT_EQ(m_one->GetWidth(), 30.0);
}

TEST_F(VgrtTest, GlassSidesRefusedUnderOtherLimits)
{
  m_one.reset();
  m_two.reset();
  UseLooseLimits();
  m_one = Make<CVGRightTriangleType1>("VG", "T1010");
  EXPECT_EQ(Refused(100, 60), Refusal("VGRT", "long glass side too long"));
  EXPECT_EQ(Refused(84, 84), Refusal("VGRT", "short glass side too long"));
  EXPECT_EQ(Refused(125, 125), Refusal("VGRT", "area too large"));
}

TEST_F(VgrtTest, InnerElevationIsAClosedTriangle)
{
  for (CUnit* unit : {static_cast<CUnit*>(m_one.get()), static_cast<CUnit*>(m_two.get())}) {
    CVRX2DEntityArray out;
    unit->GetElevationEntities(2, FALSE, FALSE, out);
    ASSERT_EQ(out.GetSize(), 6);
    out.RemoveAt(0, 3);
    const std::vector<Line> inner = Lines(out, 47);
    ExpectClosed(inner);
    EXPECT_NEAR(inner[0][1], 2.5, 1e-12);  // the sill's distance between lines -1 and 2
    EXPECT_THROW(unit->GetElevationEntities(3, FALSE, FALSE, out), CUnitException);
  }
}

TEST_F(VgrtTest, PlanSectionLiesAgainstTheJamb)
{
  const auto one = Plan(*m_one, 6);
  EXPECT_NEAR(one.second, 18, 1e-9);
  EXPECT_NEAR(one.first, 6, 1e-9);
  const auto two = Plan(*m_two, 6);
  EXPECT_NEAR(two.second, 18, 1e-9);
  EXPECT_NEAR(two.first, 0, 1e-9);
}

}  // namespace
