// Guards the plan assembler on gliders of the sample catalogue: sections laid left to right at
// their positions from the leftmost unit, the wall ends and wall lines left out between joined
// or abutting units and drawn again when the sections lie apart, joins without a unit to their
// left, and a failing section that leaves no partial plan.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "geometry/2dmatrix.h"
#include "geometry/2drect.h"
#include "model/Join.h"
#include "model/Unit.h"
#include "model/Unitutil.h"
#include "productdb/txrecobj.h"
#include "units/standard/Stdreg.h"
#include "views/Asmplan.h"
#include "model/Planinfo.h"

namespace {
constexpr double kWidth = 35.5;        // the glider's first standard size
constexpr int kWallLineCategory = 21;  // the wall lines a section draws at its open sides

class AsmplanTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    const char* binary = std::getenv("PANECRAFT_BINARY_DIR");
    ASSERT_NE(binary, nullptr);
    CTXRecObj::SetDatabaseDirectory((std::string(binary) + "/productdata/").c_str());
    RegisterStandardUnits();
    for (auto& unit : units) {
      unit.reset(MakeUnit("GL", "BA005"));
      ASSERT_TRUE(unit);
    }
    join = std::make_unique<CJoin>(1, 2103, 2106);
  }

  // Flags: left end, right end, left wall lines, right wall lines.
  static CPlanSectionPreferences Flags(int leftEnd, int rightEnd, int leftLines, int rightLines)
  {
    CPlanSectionPreferences preferences;
    preferences.m_bStartEndOn = leftEnd;
    preferences.m_bFinishEndOn = rightEnd;
    preferences.m_bStartReturnOn = leftLines;
    preferences.m_bFinishReturnOn = rightLines;
    return preferences;
  }

  // A section as the assembler must place it: made with the flags, moved along x.
  static void AddSection(CVRX2DEntityArray& expected, CVRX2DEntityArray&& section, double dx)
  {
    section.Transform(CVRX2DTransformationMatrix(CVRX2DVector(dx, 0.0)));
    expected.Append(section);
    section.RemoveAllNoDelete();
  }
  void AddUnit(CVRX2DEntityArray& expected, CUnit& unit, const CPlanSectionPreferences& flags, double dx,
               double cutHeight = 30.0)
  {
    CVRX2DEntityArray section;
    unit.GetPlanSectionEntities(cutHeight, switches, flags, section);
    AddSection(expected, std::move(section), dx);
  }
  void AddJoin(CVRX2DEntityArray& expected, double dx)
  {
    CVRX2DEntityArray section;
    join->GetPlanSectionEntities(30.0, switches, Flags(1, 1, 1, 1), section);
    AddSection(expected, std::move(section), dx);
  }

  BOOL Assemble(CVRX2DEntityArray& out, const CPlanViewInfoArray& info, double selectorY = 30.0)
  {
    return CPlanAssembler().Assemble(out, switches, CPlanSectionPreferences(), selectorY, &info);
  }

  static void ExpectSame(const CVRX2DEntityArray& out, const CVRX2DEntityArray& expected)
  {
    ASSERT_EQ(out.GetSize(), expected.GetSize());
    for (int i = 0; i < out.GetSize(); ++i) {
      EXPECT_EQ(out[i]->GetCategory(), expected[i]->GetCategory()) << i;
      EXPECT_EQ(out[i]->GetExtents().GetMinPoint(), expected[i]->GetExtents().GetMinPoint()) << i;
      EXPECT_EQ(out[i]->GetExtents().GetMaxPoint(), expected[i]->GetExtents().GetMaxPoint()) << i;
    }
  }

  static int WallLines(const CVRX2DEntityArray& out)
  {
    int count = 0;
    for (int i = 0; i < out.GetSize(); ++i)
      count += out[i]->GetCategory() == kWallLineCategory;
    return count;
  }

  CPlanSectionSwitches switches;
  std::unique_ptr<CUnit> units[3];
  std::unique_ptr<CJoin> join;
};
}  // namespace

TEST_F(AsmplanTest, NoRecordsGiveAnEmptyPlan)
{
  CVRX2DEntityArray out;
  units[0]->GetPlanSectionEntities(30.0, switches, CPlanSectionPreferences(), out);
  ASSERT_GT(out.GetSize(), 0);
  CPlanViewInfoArray info;
  EXPECT_TRUE(Assemble(out, info));
  EXPECT_EQ(out.GetSize(), 0) << "the output is emptied first";
}

TEST_F(AsmplanTest, OneUnitKeepsItsOwnXAndEveryWallSide)
{
  CPlanViewInfoArray info;
  info.Add(CPlanViewInfo(CVRX2DPoint(40.0, 12.0), units[0].get()));
  CVRX2DEntityArray out;
  ASSERT_TRUE(Assemble(out, info, 42.0));
  CVRX2DEntityArray expected;
  AddUnit(expected, *units[0], Flags(1, 1, 1, 1), 0.0);
  ExpectSame(out, expected);
  EXPECT_EQ(WallLines(out), 4);
}

TEST_F(AsmplanTest, JoinedGlidersLeaveOutTheirFacingEndsAndTheJoinStandsAtItsPosition)
{
  const double joinX = kWidth;
  const double secondX = kWidth + join->GetFirstOffset() + join->GetSecondOffset();
  CPlanViewInfoArray info;
  // As the Workbench meets them: not in x order.
  info.Add(CPlanViewInfo(CVRX2DPoint(10.0 + secondX, 5.0), units[1].get()));
  info.Add(CPlanViewInfo(CVRX2DPoint(10.0 + joinX, 5.0), join.get()));
  info.Add(CPlanViewInfo(CVRX2DPoint(10.0, 5.0), units[0].get()));
  CVRX2DEntityArray out;
  ASSERT_TRUE(Assemble(out, info, 35.0));
  CVRX2DEntityArray expected;
  AddUnit(expected, *units[0], Flags(1, 0, 1, 0), 0.0);
  AddJoin(expected, joinX);
  AddUnit(expected, *units[1], Flags(0, 1, 0, 1), secondX);
  ExpectSame(out, expected);
  EXPECT_EQ(WallLines(out), 4) << "only the outer sides keep their wall lines";
}

TEST_F(AsmplanTest, AbuttingGlidersLeaveOutTheirFacingWallLinesOnly)
{
  // A predicted gap of 0.5 inch, and the sections as drawn lie within the wall-lines threshold.
  const double secondX = kWidth + 4.0 + 0.5;
  CPlanViewInfoArray info;
  info.Add(CPlanViewInfo(CVRX2DPoint(0.0, 0.0), units[0].get()));
  info.Add(CPlanViewInfo(CVRX2DPoint(secondX, 0.0), units[1].get()));
  CVRX2DEntityArray out;
  ASSERT_TRUE(Assemble(out, info));
  CVRX2DEntityArray expected;
  AddUnit(expected, *units[0], Flags(1, 1, 1, 0), 0.0);
  AddUnit(expected, *units[1], Flags(1, 1, 0, 1), secondX);
  ExpectSame(out, expected);
}

TEST_F(AsmplanTest, SectionsFurtherApartThanPredictedGetTheirWallLinesBack)
{
  // A predicted gap of exactly 8 inches counts as abutting, but the drawn sections end at the
  // units' edges, 12 inches apart: both are built again with their wall lines.
  const double secondX = kWidth + 4.0 + 8.0;
  CPlanViewInfoArray info;
  info.Add(CPlanViewInfo(CVRX2DPoint(0.0, 0.0), units[0].get()));
  info.Add(CPlanViewInfo(CVRX2DPoint(secondX, 0.0), units[1].get()));
  CVRX2DEntityArray out;
  ASSERT_TRUE(Assemble(out, info));
  CVRX2DEntityArray expected;
  AddUnit(expected, *units[0], Flags(1, 1, 1, 1), 0.0);
  AddUnit(expected, *units[1], Flags(1, 1, 1, 1), secondX);
  ExpectSame(out, expected);
  EXPECT_EQ(WallLines(out), 8);
}

TEST_F(AsmplanTest, UnitsStayInOneBandAndAreCutAtTheirOwnHeight)
{
  CPlanViewInfoArray info;
  info.Add(CPlanViewInfo(CVRX2DPoint(100.0, 0.0), units[0].get()));
  info.Add(CPlanViewInfo(CVRX2DPoint(20.0, 50.0), units[1].get()));
  CVRX2DEntityArray out;
  ASSERT_TRUE(Assemble(out, info));
  CVRX2DEntityArray expected;
  AddUnit(expected, *units[1], Flags(1, 1, 1, 1), 0.0, 30.0 - 50.0);
  AddUnit(expected, *units[0], Flags(1, 1, 1, 1), 80.0, 30.0);
  ExpectSame(out, expected);
}

TEST_F(AsmplanTest, AJoinWithoutItsLeftUnitStandsAloneAndTheBaseIsTheLeftmostUnit)
{
  CPlanViewInfoArray info;
  // The first record is a join left of every unit; a second join follows the unit's own join.
  info.Add(CPlanViewInfo(CVRX2DPoint(-10.0, 0.0), join.get()));
  info.Add(CPlanViewInfo(CVRX2DPoint(0.0, 0.0), units[0].get()));
  info.Add(CPlanViewInfo(CVRX2DPoint(kWidth, 0.0), join.get()));
  info.Add(CPlanViewInfo(CVRX2DPoint(kWidth + 1.0, 0.0), join.get()));
  info.Add(CPlanViewInfo(CVRX2DPoint(kWidth + 2.0, 0.0), units[1].get()));
  CVRX2DEntityArray out;
  ASSERT_TRUE(Assemble(out, info));
  CVRX2DEntityArray expected;
  AddJoin(expected, -10.0);
  AddUnit(expected, *units[0], Flags(0, 0, 0, 0), 0.0);
  AddJoin(expected, kWidth);
  AddJoin(expected, kWidth + 1.0);
  AddUnit(expected, *units[1], Flags(0, 1, 0, 1), kWidth + 2.0);
  ExpectSame(out, expected);
}

TEST_F(AsmplanTest, AtEqualXTheUnitComesBeforeItsJoin)
{
  CPlanViewInfoArray info;
  info.Add(CPlanViewInfo(CVRX2DPoint(0.0, 0.0), join.get()));
  info.Add(CPlanViewInfo(CVRX2DPoint(0.0, 0.0), units[0].get()));
  info.Add(CPlanViewInfo(CVRX2DPoint(), static_cast<CUnit*>(nullptr)));  // names no product
  CVRX2DEntityArray out;
  ASSERT_TRUE(Assemble(out, info));
  CVRX2DEntityArray expected;
  AddUnit(expected, *units[0], Flags(1, 0, 1, 0), 0.0);
  AddJoin(expected, 0.0);
  ExpectSame(out, expected);
}

TEST_F(AsmplanTest, AFailingSectionLeavesNoPartialPlan)
{
  CPlanViewInfoArray info;
  info.Add(CPlanViewInfo(CVRX2DPoint(0.0, 0.0), units[0].get()));
  info.Add(CPlanViewInfo(CVRX2DPoint(60.0, 0.0), units[1].get()));
  CPlanSectionPreferences unknownOffset;
  unknownOffset.m_FrameOffsetType = 7;  // no such frame placement: the section refuses it
  CVRX2DEntityArray out;
  units[2]->GetPlanSectionEntities(30.0, switches, CPlanSectionPreferences(), out);
  EXPECT_FALSE(CPlanAssembler().Assemble(out, switches, unknownOffset, 30.0, &info));
  EXPECT_EQ(out.GetSize(), 0);
  EXPECT_TRUE(CPlanAssembler().Assemble(out, switches, CPlanSectionPreferences(), 30.0, nullptr));
  EXPECT_EQ(out.GetSize(), 0);
}
