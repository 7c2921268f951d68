// Guards the glider "GLBA005": made by the factory at its first standard size with its seven
// members, four corner handles, plan section and one-, two- and three-line elevations; a corner
// drag conforms to the nearest standard size; attributes, schedule and unit-information rows.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "geometry/2dline.h"
#include "geometry/2drect.h"
#include "model/Plansect.h"
#include "model/Rptdata.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "model/Unitutil.h"
#include "productdb/txrecobj.h"
#include "units/standard/Glba.h"
#include "units/standard/Stdreg.h"

namespace {

using Line = std::vector<double>;  // x1, y1, x2, y2

class GlbaTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    const char* binary = std::getenv("PANECRAFT_BINARY_DIR");
    ASSERT_NE(binary, nullptr) << "PANECRAFT_BINARY_DIR is not set";
    CTXRecObj::SetDatabaseDirectory((std::string(binary) + "/productdata/").c_str());
    RegisterStandardUnits();
    m_unit.reset(static_cast<CGLBasic*>(MakeUnit("GL", "BA005")));
    ASSERT_TRUE(m_unit);
  }

  static std::vector<Line> Lines(const CVRX2DEntityArray& out, int first, int count, int category)
  {
    std::vector<Line> lines;
    for (int i = first; i < first + count && i < out.GetSize(); ++i) {
      EXPECT_EQ(out[i]->GetCategory(), category) << i;
      const auto& line = static_cast<const CVRX2DLine&>(*out[i]);
      lines.push_back({line.GetStartPoint().GetX(), line.GetStartPoint().GetY(), line.GetEndPoint().GetX(),
                       line.GetEndPoint().GetY()});
    }
    return lines;
  }

  static std::vector<Line> Rectangle(double left, double bottom, double right, double top)
  {
    return {
        {left, bottom, right, bottom}, {right, bottom, right, top}, {right, top, left, top}, {left, top, left, bottom}};
  }

  std::unique_ptr<CGLBasic> m_unit;
};

TEST_F(GlbaTest, TheFactoryMakesItAtItsFirstStandardSize)
{
  BOOL exists = FALSE;
  EXPECT_EQ(MakeUnit("GL", "BA005", &exists), nullptr);
  EXPECT_TRUE(exists);
  EXPECT_EQ(m_unit->GetType(), "GL");
  EXPECT_EQ(m_unit->GetSubtype(), "BA005");
  EXPECT_EQ(m_unit->GetSizeCode(), "GL3020");
  EXPECT_EQ(m_unit->GetOperatingChoice(), "VF");
  EXPECT_DOUBLE_EQ(m_unit->GetWidth(), 35.5);
  EXPECT_DOUBLE_EQ(m_unit->GetHeight(), 23.5);
  EXPECT_EQ(m_unit->GetPanelCount(), 2);
  EXPECT_EQ(m_unit->GetSizeText(0), "GL3020:36x24");
  EXPECT_EQ(m_unit->GetPanelOperation(0), 'V');
  EXPECT_EQ(m_unit->GetPanelOperation(1), 'F');
  EXPECT_EQ(m_unit->GetPanelOperation(2), '\0');  // no letter past the code's end
  EXPECT_EQ(m_unit->GetPanelOperation(-1), '\0');
}

TEST_F(GlbaTest, SevenMembersCounterClockwiseThenTheJoint)
{
  const CSizedComponentArray& components = *m_unit->GetSizedComponents();
  ASSERT_EQ(components.GetSize(), 7);
  const struct
  {
    const char* code;
    int id;
    const char* kind;
    Line ends;
  } expected[] = {{"BI", 2101, "P", {0, 0, 17.75, 0}},       {"BK", 2102, "P", {17.75, 0, 35.5, 0}},
                  {"AQ", 2103, "P", {35.5, 0, 35.5, 23.5}},  {"AH", 2104, "P", {35.5, 23.5, 17.75, 23.5}},
                  {"AF", 2105, "P", {17.75, 23.5, 0, 23.5}}, {"AM", 2106, "P", {0, 23.5, 0, 0}},
                  {"BC", 2107, "I", {17.75, 0, 17.75, 23.5}}};
  for (int i = 0; i < 7; ++i) {
    const CSizedComponent& c = *components[i];
    EXPECT_EQ(c.GetCode(), expected[i].code);
    EXPECT_EQ(c.GetID(), expected[i].id);
    EXPECT_EQ(c.GetKind(), expected[i].kind);
    EXPECT_EQ(
        (Line{c.GetStartPoint().GetX(), c.GetStartPoint().GetY(), c.GetEndPoint().GetX(), c.GetEndPoint().GetY()}),
        expected[i].ends)
        << i;
  }
  CVRX2DEntityArray outline;
  m_unit->GetOutlineEntities(outline);
  ASSERT_EQ(outline.GetSize(), 7);
  EXPECT_EQ(outline[0]->GetCategory(), 20);
  EXPECT_EQ(outline[6]->GetCategory(), 17);
}

TEST_F(GlbaTest, FourCornerHandlesMovingBothWays)
{
  CSizingHandleArray handles;
  handles.Add(new CSizingHandle(CVRX2DPoint(9, 9), 3));
  m_unit->GetSizingHandles(handles);
  ASSERT_EQ(handles.GetSize(), 4);
  const CVRX2DPoint corners[] = {CVRX2DPoint(0, 0), CVRX2DPoint(35.5, 0), CVRX2DPoint(35.5, 23.5),
                                 CVRX2DPoint(0, 23.5)};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(handles[i]->GetPoint(), corners[i]) << i;
    EXPECT_EQ(handles[i]->GetCode(), 15);
  }
}

TEST_F(GlbaTest, ElevationsOfOneTwoAndThreeLineSets)
{
  CVRX2DEntityArray out;
  m_unit->GetElevationEntities(1, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 5);
  std::vector<Line> expected = Rectangle(0, 0, 35.5, 23.5);
  expected.push_back({18.25, 0, 18.25, 23.5});  // the joint at J1 less its smallest line-1 offset
  EXPECT_EQ(Lines(out, 0, 5, 35), expected);

  m_unit->GetElevationEntities(2, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 13);
  expected.back() = {17.25, 0, 17.25, 23.5};
  EXPECT_EQ(Lines(out, 0, 5, 35), expected);
  std::vector<Line> panels = Rectangle(2.75, 2.75, 16.5, 20.75);
  for (const Line& line : Rectangle(19.0, 2.125, 33.375, 21.375))
    panels.push_back(line);
  EXPECT_EQ(Lines(out, 5, 8, 36), panels);

  m_unit->GetElevationEntities(3, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 17);
  expected.back() = {17.25, 3.25, 17.25, 20.875};  // spanning line 3
  EXPECT_EQ(Lines(out, 0, 5, 35), expected);
  EXPECT_EQ(Lines(out, 5, 8, 36), panels);
  EXPECT_EQ(Lines(out, 13, 4, 36), Rectangle(3.25, 3.25, 32.875, 20.875));
}

// A size of three panels draws one rectangle per panel between its joint positions; the members
// describe two panels, so every panel after the first takes the second panel's sill and head.
TEST_F(GlbaTest, ThreePanelsDrawARectangleBetweenEachPairOfJoints)
{
  m_unit->SetSizeCode("GL7030");
  ASSERT_EQ(m_unit->GetPanelCount(), 3);
  CVRX2DEntityArray out;
  m_unit->GetElevationEntities(2, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 5 + 12);
  std::vector<Line> panels = Rectangle(2.75, 2.75, 19.625, 32.75);
  for (const Line& line : Rectangle(22.125, 2.125, 61.375, 33.375))
    panels.push_back(line);
  for (const Line& line : Rectangle(63.875, 2.125, 81.375, 33.375))
    panels.push_back(line);
  EXPECT_EQ(Lines(out, 5, 12, 36), panels);
}

TEST_F(GlbaTest, ThePlanSectionSlidesTheLeftPanelAndFixesTheRightOne)
{
  CPlanSectionSwitches switches;
  switches.SillLinesOn = 1;
  CPlanSectionPreferences preferences;
  preferences.m_dWallThickness = 8.0;
  CVRX2DEntityArray out;
  m_unit->GetPlanSectionEntities(30.0, switches, preferences, out);

  CPlanSectionUnitDimensions dimensions;
  dimensions.m_dPanelPositions[0] = 17.75;
  dimensions.m_dPanelPositions[1] = 0.0;
  dimensions.m_nPanelKinds[0] = 1;
  dimensions.m_nPanelKinds[1] = 2;
  dimensions.m_dPlanWidth = 35.5;
  dimensions.m_nPanelCount = 2;
  CPlanSection section;
  section.SetViewSwitches(switches);
  section.SetUnitDimensions(dimensions);
  section.SetViewPreferences(preferences);
  CVRX2DEntityArray expected;
  section.GetEntities(expected);
  ASSERT_GT(out.GetSize(), 0);
  ASSERT_EQ(out.GetSize(), expected.GetSize());
  for (int i = 0; i < out.GetSize(); ++i) {
    EXPECT_EQ(out[i]->GetType(), expected[i]->GetType()) << i;
    EXPECT_EQ(out[i]->GetCategory(), expected[i]->GetCategory()) << i;
    EXPECT_EQ(out[i]->GetExtents().GetMinPoint(), expected[i]->GetExtents().GetMinPoint()) << i;
    EXPECT_EQ(out[i]->GetExtents().GetMaxPoint(), expected[i]->GetExtents().GetMaxPoint()) << i;
  }
}

TEST_F(GlbaTest, ACornerDragConformsToTheNearestStandardSize)
{
  EXPECT_EQ(m_unit->ConformProposedSize(0, CVRX2DVector(0, 0)), CUnit::inboundsUnchanged);
  EXPECT_EQ(m_unit->ConformProposedSize(0, CVRX2DVector(-11, -13)), CUnit::inboundsChanged);
  EXPECT_EQ(m_unit->GetSizeText(2), "GL4030:48x36");
  CVRX2DEntityArray outline;
  EXPECT_EQ(m_unit->GetProposedOutlineEntities(outline), CVRX2DVector(-12, -12));
  EXPECT_EQ(m_unit->SetSizeToProposed(), CVRX2DVector(-12, -12));
  EXPECT_EQ(m_unit->GetSizeCode(), "GL4030");
  EXPECT_EQ(m_unit->GetSizedComponents()->GetAt(6)->GetStartPoint(), CVRX2DPoint(23.75, 0));

  EXPECT_EQ(m_unit->ConformProposedSize(2, CVRX2DVector(0, 200)), CUnit::outOfBoundsChanged);
  EXPECT_EQ(m_unit->GetSizeText(2), "GL4050:48x60");
  EXPECT_EQ(m_unit->ConformProposedSize(2, CVRX2DVector(0, 200)), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(m_unit->GetProposedOutlineEntities(outline), CVRX2DVector(0, 0));
  m_unit->ResetProposedSize();
  EXPECT_EQ(m_unit->GetSizeText(2), "GL4030:48x36");
}

TEST_F(GlbaTest, AttributesRoundTrip)
{
  EXPECT_EQ(m_unit->GetAttributes(), "GL,BA005,0,GL3020,VF");
  m_unit->SetSizeCode("GL7040");
  m_unit->SetOperatingChoice("VFV");
  ASSERT_TRUE(m_unit->SetOptionChoice(1, 2));
  ASSERT_TRUE(m_unit->SetOptionChoice(36, 2));
  const CString stored = m_unit->GetAttributes();
  EXPECT_EQ(stored, "GL,BA005,2,1:2,36:2,GL7040,VFV");
  std::unique_ptr<CUnit> read(MakeUnit("GL", "BA005"));
  CString text = stored;
  read->SetAttributes(text);
  EXPECT_EQ(read->GetAttributes(), stored);
  EXPECT_EQ(read->GetPanelCount(), 3);
}

TEST_F(GlbaTest, ScheduleAndUnitInformationRows)
{
  CScheduleReportDataArray rows;
  m_unit->GetReportData(rows);
  ASSERT_EQ(rows.GetSize(), 1);
  EXPECT_EQ(rows[0]->m_nSerialID, m_unit->GetUnitID());
  EXPECT_EQ(rows[0]->m_strUnitKey, "GL,BA005,GL3020");
  EXPECT_EQ(rows[0]->m_strDescription, "GL3020");
  EXPECT_DOUBLE_EQ(rows[0]->m_dUnitHeight, 23.5);
  EXPECT_DOUBLE_EQ(rows[0]->m_dUnitWidth, 35.5);
  EXPECT_DOUBLE_EQ(rows[0]->m_dRoughOpeningHeight, 25.0);  // 0.75 of frame depth all round
  EXPECT_DOUBLE_EQ(rows[0]->m_dRoughOpeningWidth, 37.0);

  ASSERT_TRUE(m_unit->SetOptionChoice(1, 2));
  CUnitInfoReportDataArray records;
  m_unit->GetReportData(records);
  ASSERT_EQ(records.GetSize(), 1);
  EXPECT_EQ(records[0]->m_strUnitKey, "GL,BA005,1:2,GL3020,VF");
  EXPECT_EQ(records[0]->m_strDescription, "GL3020");
  EXPECT_EQ(records[0]->m_strOperationCode, "VF");
  EXPECT_EQ(records[0]->m_nOptionCategory, 1);
  EXPECT_EQ(records[0]->m_nOptionChoice, 2);
}

// Another class on the glider's key.
class CLookalike : public CStandardRectangularUnit
{
  DECLARE_DYNAMIC(CLookalike)
public:
  CLookalike() : CStandardRectangularUnit("GL", "BA005") {}
  CUnit* Clone() const override { return new CLookalike(*this); }
  void GetPlanSectionEntities(double, const CPlanSectionSwitches&, const CPlanSectionPreferences&,
                              CVRX2DEntityArray&) const override
  {}
  void BuildSizedComponents() const override {}
  void Get1LineElevationEntities(int, CVRX2DEntityArray&) const override {}
  void Get2LineElevationEntities(int, CVRX2DEntityArray&) const override {}
  void Get3LineElevationEntities(int, CVRX2DEntityArray&) const override {}
};
IMPLEMENT_DYNAMIC(CLookalike, CStandardRectangularUnit)

TEST_F(GlbaTest, AssignmentFromAnotherClassIsRefusedAndCloneCopiesAll)
{
  m_unit->SetSizeCode("GL5040");
  CLookalike other;
  try {
    static_cast<CUnit&>(*m_unit) = other;
    ADD_FAILURE() << "assigned";
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.file, "Glba");
    EXPECT_EQ(e.line, 90);
  }
  EXPECT_EQ(m_unit->GetSizeCode(), "GL5040");
  static_cast<CUnit&>(*m_unit) = *m_unit;
  EXPECT_EQ(m_unit->GetSizeCode(), "GL5040");

  ASSERT_TRUE(m_unit->SetOptionChoice(1, 3));
  std::unique_ptr<CUnit> clone(m_unit->Clone());
  ASSERT_TRUE(clone->IsKindOf(RUNTIME_CLASS(CGLBasic)));
  EXPECT_EQ(clone->GetAttributes(), m_unit->GetAttributes());
  std::unique_ptr<CUnit> fresh(MakeUnit("GL", "BA005"));
  *fresh = *clone;
  EXPECT_EQ(fresh->GetAttributes(), m_unit->GetAttributes());
}

}  // namespace
