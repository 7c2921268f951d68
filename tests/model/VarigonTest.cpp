// Guards the free-form base: one limits row for every free-form unit, anchor mode 0 with the
// single base anchor name at start, kept by copies and assignment, and a size text that starts
// with the type description.
#include <memory>

#include "BaseLeaves.h"
#include "BaseTests.h"

namespace {

class VarigonTest : public ModelTest
{};

TEST_F(VarigonTest, StartsAnchoredToTheOppositeSideWithTheFirstLimitsRow)
{
  CVarigonLeaf unit;
  EXPECT_EQ(unit.GetAnchorMode(), 0);
  CStringArray names;
  names.Add("left over");
  unit.GetAnchorModeNames(names);
  ASSERT_EQ(names.GetSize(), 1);
  EXPECT_EQ(names[0], "Anchor To Opposite");
  EXPECT_DOUBLE_EQ(unit.GetLimits().GetMinSide(), 6.0);
  EXPECT_DOUBLE_EQ(unit.GetLimits().GetMaxArea(), 40.0);
  EXPECT_EQ(unit.GetPanelCount(), 1);
}

TEST_F(VarigonTest, SizeTextStartsWithTheTypeDescription)
{
  CVarigonLeaf unit;
  EXPECT_EQ(unit.GetSizeText(0), "Varigon:36x25");
  EXPECT_EQ(unit.GetSizeText(3), "Varigon:914x622");
}

TEST_F(VarigonTest, CopiesAndAssignmentKeepTheAnchorMode)
{
  CVarigonLeaf unit;
  unit.SetAnchorMode(1);
  std::unique_ptr<CUnit> clone(unit.Clone());
  EXPECT_EQ(static_cast<CVarigonLeaf&>(*clone).GetAnchorMode(), 1);
  CVarigonLeaf target;
  static_cast<CUnit&>(target) = unit;
  EXPECT_EQ(target.GetAnchorMode(), 1);
  EXPECT_EQ(target.GetAttributes(), "VG,RE010,0");
}

}  // namespace
