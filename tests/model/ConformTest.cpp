// Guards the rules the rectangular and the arched conformers share: a search sentinel never
// becomes a proposal, a search that runs off the table counts as one that meets another unit's
// rows, and the half-step tolerance of each dimension is measured at that dimension's own
// outermost row.
#include "BaseLeaves.h"
#include "BaseTests.h"
#include "OddCatalogue.h"

namespace {

class ConformTest : public ModelTest
{
protected:
  template <class Unit>
  static int Drag(Unit& unit, int handle, double dx, double dy)
  {
    return unit.ConformProposedSize(handle, CVRX2DVector(dx, dy));
  }
  template <class Unit>
  static CString Proposed(Unit& unit)
  {
    return unit.GetSizeText(2).Left(unit.GetSizeText(2).Find(':'));
  }
  // A unit of the rectangular leaf with the given (size code, height, width) rows.
  void AddUnit(const char* type, const char* subtype, const std::vector<std::vector<const char*>>& sizes)
  {
    m_data.AddRow("SUBTYPES", {type, subtype, "Test unit", "Test", "TRUE", "TRUE", "TRUE", "4.5", "99"});
    for (const auto& size : sizes) {
      m_data.AddRow("STDSIZES", {type, subtype, size[0], size[1], size[2], "1", "0", "0", "0", "0", "0", "0"});
      m_data.AddRow("OPERCHOI", {type, subtype, size[0], "F", "0", "0", "0", "0"});
    }
  }
  COddCatalogue m_data;
};

// A request at the sentinel size itself: the candidates parked there stand for no row.
TEST_F(ConformTest, ASearchSentinelNeverBecomesTheProposal)
{
  CRectLeaf rect("GL", "BA005");
  ASSERT_EQ(Drag(rect, 2, 12, 12), CUnit::inboundsChanged);
  ASSERT_EQ(Proposed(rect), "GL4030");
  EXPECT_EQ(Drag(rect, 2, 10000 - rect.GetWidth(), 10000 - rect.GetHeight()), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(Proposed(rect), "GL4030");
  EXPECT_DOUBLE_EQ(rect.GetProposedHeight(), 35.5);
  EXPECT_DOUBLE_EQ(rect.GetProposedWidth(), 47.5);

  CArchLeaf arch("AR", "BA011");
  ASSERT_EQ(Drag(arch, 2, 12, 12), CUnit::inboundsChanged);
  const CString proposed = Proposed(arch);
  EXPECT_EQ(Drag(arch, 2, 10000 - arch.GetWidth(), 10000 - arch.GetShoulderHeight()), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(Proposed(arch), proposed);
  EXPECT_DOUBLE_EQ(arch.GetProposedShoulderHeight(), 47.5);
  EXPECT_DOUBLE_EQ(arch.GetProposedWidth(), 47.5);
}

// The unit of one size stands first in the table, amid other units and last: the answers agree.
TEST_F(ConformTest, RunningOffTheTableIsLikeMeetingAnotherUnit)
{
  const char* const units[][2] = {{"AR", "00000"}, {"GL", "ZZ005"}, {"SL", "ZZZZZ"}};
  for (const auto& unit : units)
    AddUnit(unit[0], unit[1], {{"ZZ1", "30", "40"}});
  m_data.Use();
  for (const auto& code : units) {
    CRectLeaf unit(code[0], code[1]);
    EXPECT_EQ(Drag(unit, 2, 0, 14.9), CUnit::inboundsUnchanged) << code[0];
    EXPECT_EQ(Drag(unit, 2, 0, 15.1), CUnit::outOfBoundsUnchanged) << code[0];
    EXPECT_EQ(Drag(unit, 2, 0, -15.1), CUnit::outOfBoundsUnchanged) << code[0];
    EXPECT_EQ(Drag(unit, 2, 19.9, 0), CUnit::inboundsUnchanged) << code[0];
    EXPECT_EQ(Drag(unit, 0, 20.1, 0), CUnit::outOfBoundsUnchanged) << code[0];
    EXPECT_EQ(Proposed(unit), "ZZ1");
  }
}

// The tallest row is the narrowest: the width step past the widest row is 50 - 40, not one
// measured from the tallest row's width.
TEST_F(ConformTest, EachDimensionsToleranceIsTakenAtItsOwnOutermostRow)
{
  AddUnit("GL", "ZY005", {{"Z1", "80", "30"}, {"Z2", "60", "50"}, {"Z3", "60", "40"}});
  m_data.Use();
  CRectLeaf unit("GL", "ZY005");
  unit.SetSizeCode("Z2");
  EXPECT_EQ(Drag(unit, 2, 4.9, 0), CUnit::inboundsUnchanged);
  EXPECT_EQ(Drag(unit, 2, 5.1, 0), CUnit::outOfBoundsUnchanged);
  unit.SetSizeCode("Z1");
  EXPECT_EQ(Drag(unit, 2, 0, 9.9), CUnit::inboundsUnchanged);  // heights: 80 - 60
  EXPECT_EQ(Drag(unit, 2, 0, 10.1), CUnit::outOfBoundsUnchanged);
}

}  // namespace
