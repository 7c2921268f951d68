// Guards the arched bases that have no leaf of their own yet: the full-chord base (a segment
// sized by width), and the monumental and casement/awning quarter-round bases (sizes collapsed
// onto the current row). Small test leaves stand on catalogue rows of other arched units.
#include <cmath>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "platform/core/Array.h"
#include "units/standard/ArchTestUtil.h"
#include "units/standard/Caqtrrnd.h"
#include "units/standard/Mqtrrnd.h"
#include "units/standard/Stdchord.h"

namespace {

// A segment on the arched basic window's rows: widths 35.5 to 71.5, several radii per width.
class CChordLeaf : public CStandardFullChord
{
  DECLARE_DYNAMIC(CChordLeaf)
public:
  CChordLeaf() : CStandardFullChord("AR", "BA011") {}
  CChordLeaf(const CChordLeaf&) = default;
  CUnit* Clone() const override { return new CChordLeaf(*this); }
};
IMPLEMENT_DYNAMIC(CChordLeaf, CStandardFullChord)

class COtherChordLeaf : public CChordLeaf
{
  DECLARE_DYNAMIC(COtherChordLeaf)
public:
  CUnit* Clone() const override { return new COtherChordLeaf(*this); }
};
IMPLEMENT_DYNAMIC(COtherChordLeaf, CChordLeaf)

// What the quarter-round bases leave to their leaves, drawn as plainly as possible.
template <class Base>
class CQuarterLeaf : public Base
{
public:
  CQuarterLeaf(const char* type, const char* subtype) : Base(type, subtype) {}
  void GetPlanSectionEntities(double, const CPlanSectionSwitches&, const CPlanSectionPreferences&,
                              CVRX2DEntityArray&) const override
  {}
  CVRX2DVector GetProposedOutlineEntities(CVRX2DEntityArray&) const override { return this->m_vProposedOffset; }
  void BuildSizedComponents() const override
  {
    const double w = this->GetWidth(), h = this->GetHeight();
    const CVRX2DPoint p[] = {CVRX2DPoint(0, 0), CVRX2DPoint(w, 0), CVRX2DPoint(w, h), CVRX2DPoint(0, h)};
    for (int i = 0; i < 4; ++i)
      this->m_pSizedComponents->Add(new CSizedComponent("BJ", 0, "P", p[i], p[(i + 1) % 4]));
  }
  void Get1LineElevationEntities(int, CVRX2DEntityArray&) const override {}
  void Get2LineElevationEntities(int, CVRX2DEntityArray&) const override {}
  void Get3LineElevationEntities(int, CVRX2DEntityArray&) const override {}
};

class CMonumentalLeaf : public CQuarterLeaf<CStandardMonumentalQtrRoundUnit>
{
  DECLARE_DYNAMIC(CMonumentalLeaf)
public:
  CMonumentalLeaf() : CQuarterLeaf("SW", "CI009") {}
  CUnit* Clone() const override { return new CMonumentalLeaf(*this); }
};
IMPLEMENT_DYNAMIC(CMonumentalLeaf, CStandardMonumentalQtrRoundUnit)

class CCasementLeaf : public CQuarterLeaf<CStandardCasementAwningQtrRound>
{
  DECLARE_DYNAMIC(CCasementLeaf)
public:
  CCasementLeaf() : CQuarterLeaf("AR", "BA011") {}
  CUnit* Clone() const override { return new CCasementLeaf(*this); }
};
IMPLEMENT_DYNAMIC(CCasementLeaf, CStandardCasementAwningQtrRound)

using ArchBasesTest = ArchUnitTest;

// AR3030R18: a half circle of 17.75 over a chord of 35.5.
TEST_F(ArchBasesTest, AFullChordIsOneSegment)
{
  CChordLeaf chord;
  EXPECT_DOUBLE_EQ(chord.GetHeight(), 17.75);
  EXPECT_EQ(chord.GetArchCentre(), CVRX2DPoint(17.75, 0));
  const CSizedComponentArray& components = *chord.GetSizedComponents();
  ASSERT_EQ(components.GetSize(), 2);
  EXPECT_EQ(components[0]->GetCode(), "BJ");
  EXPECT_EQ(components[1]->GetID(), 2711);
  EXPECT_EQ(components[1]->GetStartPoint(), CVRX2DPoint(35.5, 0));

  CVRX2DEntityArray out;
  chord.GetOutlineEntities(out);
  ASSERT_EQ(out.GetSize(), 2);
  ExpectLine(out, 0, 20, {0, 0, 35.5, 0});
  ExpectArc(out, 1, 20, 17.75, 0, 17.75, 0, VRX_PI);
  chord.GetPartOutlineEntities(out);
  ASSERT_EQ(out.GetSize(), 6);
  ExpectLine(out, 0, 7, {0, 0, 35.5, 0});
  ExpectArc(out, 1, 6, 17.75, 0, 17.75, 0, VRX_PI);
  ExpectLine(out, 5, 8, {17.75, 0, 17.75, 17.75});

  CSizingHandleArray handles;
  chord.GetSizingHandles(handles);
  ASSERT_EQ(handles.GetSize(), 2);
  EXPECT_EQ(handles[1]->GetPoint(), CVRX2DPoint(35.5, 0));
  EXPECT_EQ(handles[1]->GetCode(), 12);

  // The one-line set is the member's smallest line-1 offset (0), the others are inset.
  chord.GetElevationEntities(2, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 4);
  ExpectLine(out, 0, 46, {0, 0, 35.5, 0});
  const double re = 17.75 - 2.125, s = std::sqrt(re * re - 2.75 * 2.75);
  ExpectLine(out, 2, 47, {17.75 - s, 2.75, 17.75 + s, 2.75});
  ExpectArc(out, 3, 47, 17.75, 0, re, std::atan2(2.75, s), VRX_PI - std::atan2(2.75, s));
}

TEST_F(ArchBasesTest, AFullChordCutNeverFails)
{
  CChordLeaf chord;
  chord.SetSizeCode("AR4030R36");  // radius 36 over 47.5
  const double h = chord.GetHeight();
  EXPECT_TRUE(IsPlanSection(chord, 0.0, 47.5, 0.0));
  EXPECT_TRUE(IsPlanSection(chord, -2.0, 47.5, 0.0));
  const double half = std::sqrt(36.0 * 36.0 - (36.0 - h + 4.0) * (36.0 - h + 4.0));
  EXPECT_TRUE(IsPlanSection(chord, 4.0, 2 * half, 23.75 - half));
  EXPECT_TRUE(IsPlanSection(chord, h, 0.0, 23.75));
  EXPECT_TRUE(IsPlanSection(chord, h + 10.0, 0.0, 23.75));
}

TEST_F(ArchBasesTest, AFullChordIsSizedByWidth)
{
  CChordLeaf chord;
  CArray<double, double> values;
  chord.GetSizesForWidth(values);
  ASSERT_EQ(values.GetSize(), 1);
  EXPECT_DOUBLE_EQ(values[0], 35.5);
  chord.SetSizeCode("AR4050R36");
  chord.GetArchRadiiForShoulderHeight(values);
  ASSERT_EQ(values.GetSize(), 2);  // 23.75 and 36 at 47.5, each once
  EXPECT_DOUBLE_EQ(values[0], 23.75);
  EXPECT_DOUBLE_EQ(values[1], 36.0);
  chord.GetSizesForWidth(values);
  ASSERT_EQ(values.GetSize(), 1);
  EXPECT_DOUBLE_EQ(values[0], 47.5);
  chord.GetShoulderHeightsForWidth(values);
  EXPECT_EQ(values.GetSize(), 0);

  // Ties go to the wider size's smallest radius; the left handle moves the base point.
  EXPECT_EQ(chord.ConformProposedSize(0, CVRX2DVector(-6.0, 0.0)), CUnit::inboundsChanged);
  EXPECT_EQ(ProposedSizeCode(chord), "AR5030R30");
  CVRX2DEntityArray out;
  EXPECT_EQ(chord.GetProposedOutlineEntities(out), CVRX2DVector(-12, 0));
  ASSERT_EQ(out.GetSize(), 2);
  ExpectArc(out, 1, 19, 29.75, 0, 29.75, 0, VRX_PI);
  // Back to the current width: the current row stays, whatever the radius of the others.
  EXPECT_EQ(chord.ConformProposedSize(1, CVRX2DVector(1.0, 0.0)), CUnit::inboundsChanged);
  EXPECT_EQ(ProposedSizeCode(chord), "AR4050R36");
  EXPECT_EQ(chord.ConformProposedSize(1, CVRX2DVector(0.0, 5.0)), CUnit::inboundsUnchanged);
  EXPECT_EQ(chord.GetProposedOutlineEntities(out), CVRX2DVector(0, 0));
  // Past the narrowest width by more than half the first step (12) is refused.
  EXPECT_EQ(chord.ConformProposedSize(1, CVRX2DVector(35.5 - 6.1 - 47.5, 0.0)), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(chord.ConformProposedSize(1, CVRX2DVector(35.5 - 5.9 - 47.5, 0.0)), CUnit::inboundsChanged);
  EXPECT_EQ(ProposedSizeCode(chord), "AR3030R18");

  ExpectOnlyCatalogueSizesProposed(chord, 7u);

  COtherChordLeaf other;
  try {
    static_cast<CUnit&>(other) = chord;
    ADD_FAILURE() << "assigned";
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.file, "Stdchord");
    EXPECT_EQ(e.line, 82);
  }
}

// CI24: a circle row of radius 12, 24 wide.
TEST_F(ArchBasesTest, AMonumentalQuarterRoundIsAsWideAndHighAsItsRadius)
{
  CMonumentalLeaf unit;
  EXPECT_DOUBLE_EQ(unit.GetWidth(), 12.0);
  EXPECT_DOUBLE_EQ(unit.GetHeight(), 12.0);
  ASSERT_EQ(unit.ConformProposedSize(2, CVRX2DVector(24.0, 6.0)), CUnit::inboundsChanged);  // onto the next row
  EXPECT_DOUBLE_EQ(unit.GetProposedArchRadius(), 18.0);
  EXPECT_DOUBLE_EQ(unit.GetProposedWidth(), unit.GetProposedArchRadius());
  EXPECT_DOUBLE_EQ(unit.GetProposedHeight(), unit.GetProposedArchRadius());
  CArray<double, double> values;
  values.Add(3.0);
  unit.GetShoulderHeightsForWidth(values);
  EXPECT_EQ(values.GetSize(), 0);
  for (auto list : {&CMonumentalLeaf::GetSizesForHeight, &CMonumentalLeaf::GetSizesForWidth,
                    &CMonumentalLeaf::GetArchRadiiForShoulderHeight}) {
    values.Add(3.0);
    (unit.*list)(values);
    ASSERT_EQ(values.GetSize(), 1);
    EXPECT_DOUBLE_EQ(values[0], 12.0);
  }
  EXPECT_DOUBLE_EQ(CStandardMonumentalQtrRoundUnit::SideFromHypotenuse(5, 3), 4.0);
  EXPECT_DOUBLE_EQ(CStandardMonumentalQtrRoundUnit::SideFromHypotenuse(7, 7), 0.0);
  EXPECT_DOUBLE_EQ(CStandardMonumentalQtrRoundUnit::SideFromHypotenuse(3, 5), 0.0);  // no root of a negative

  ExpectOnlyCatalogueSizesProposed(unit, 11u);

  CChordLeaf chord;
  try {
    static_cast<CUnit&>(unit) = chord;
    ADD_FAILURE() << "assigned";
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.file, "MQTRRND");
    EXPECT_EQ(e.line, 77);
  }
}

// The arched basic rows by height: AR4030R36 (44.45) is the lowest, though not the first code.
TEST_F(ArchBasesTest, ACasementAwningQuarterRoundStartsAtItsLowestSize)
{
  CCasementLeaf unit;
  EXPECT_EQ(unit.GetSizeCode(), "AR4030R36");
  EXPECT_EQ(unit.GetOperatingChoice(), "F");
  EXPECT_EQ(ProposedSizeCode(unit), "AR4030R36");
  EXPECT_NEAR(unit.GetHeightLessRadius(), Stored(44.4457) - 36.0, 1e-9);
  EXPECT_DOUBLE_EQ(unit.GetWidthLessRadius(), 11.5);
  EXPECT_DOUBLE_EQ(unit.GetProposedWidthLessRadius(), 11.5);
  EXPECT_DOUBLE_EQ(unit.GetProposedHeightLessRadius(), unit.GetHeightLessRadius());
  CArray<double, double> values;
  values.Add(3.0);
  unit.GetShoulderHeightsForWidth(values);
  EXPECT_EQ(values.GetSize(), 0);
  unit.GetArchRadiiForShoulderHeight(values);
  ASSERT_EQ(values.GetSize(), 1);
  EXPECT_DOUBLE_EQ(values[0], 36.0);
  unit.GetSizesForWidth(values);
  ASSERT_EQ(values.GetSize(), 1);
  EXPECT_DOUBLE_EQ(values[0], 47.5);
  std::unique_ptr<CUnit> copy(unit.Clone());
  EXPECT_EQ(copy->GetAttributes(), unit.GetAttributes());
  ExpectOnlyCatalogueSizesProposed(unit, 13u);

  CMonumentalLeaf other;
  try {
    static_cast<CUnit&>(unit) = other;
    ADD_FAILURE() << "assigned";
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.file, "CAQTRRND");
    EXPECT_EQ(e.line, 103);
  }
}

}  // namespace
