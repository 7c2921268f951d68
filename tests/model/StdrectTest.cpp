// Guards the rectangular conformer on the glider's catalogue ladder: the nearest catalogue size
// in the (width, height) plane, the opposite corner held, ties to the taller or wider row, and
// the half-step rule at both ends of the ladder, where the sentinel searches run off the unit.
#include "BaseLeaves.h"
#include "BaseTests.h"
#include "OddCatalogue.h"
#include "geometry/2drect.h"

namespace {

class StdrectTest : public ModelTest
{
protected:
  // Drags a fresh glider-sized unit and returns the result code.
  int Drag(CRectLeaf& unit, int handle, double dx, double dy)
  {
    return unit.ConformProposedSize(handle, CVRX2DVector(dx, dy));
  }
  CString Proposed(CRectLeaf& unit) { return unit.GetSizeText(2).Left(unit.GetSizeText(2).Find(':')); }
};

TEST_F(StdrectTest, AnExactDragKeepsTheOppositeCornerInPlace)
{
  struct Case
  {
    int handle;
    double dx, dy;
    CVRX2DVector offset;
  };
  const Case cases[] = {{0, -12, -12, CVRX2DVector(-12, -12)},
                        {1, 12, -12, CVRX2DVector(0, -12)},
                        {2, 12, 12, CVRX2DVector(0, 0)},
                        {3, -12, 12, CVRX2DVector(-12, 0)}};
  for (const Case& c : cases) {
    CRectLeaf unit("GL", "BA005");
    EXPECT_EQ(Drag(unit, c.handle, c.dx, c.dy), CUnit::inboundsChanged) << c.handle;
    EXPECT_EQ(Proposed(unit), "GL4030");
    CVRX2DEntityArray outline;
    EXPECT_EQ(unit.GetProposedOutlineEntities(outline), c.offset) << c.handle;
    ASSERT_EQ(outline.GetSize(), 4);
    EXPECT_EQ(outline[0]->GetCategory(), 19);
    const CVRX2DRectangle extents = outline.GetExtents();
    EXPECT_DOUBLE_EQ(extents.GetMaxPoint().GetX(), 47.5);
    EXPECT_DOUBLE_EQ(extents.GetMaxPoint().GetY(), 35.5);
    EXPECT_EQ(unit.GetSizeCode(), "GL3020");
  }
}

TEST_F(StdrectTest, ADragBackOntoTheProposalChangesNothing)
{
  CRectLeaf unit("GL", "BA005");
  EXPECT_EQ(Drag(unit, 0, 0, 0), CUnit::inboundsUnchanged);
  ASSERT_EQ(Drag(unit, 0, -12, -12), CUnit::inboundsChanged);
  EXPECT_EQ(Drag(unit, 0, -12.2, -11.9), CUnit::inboundsUnchanged);
  CVRX2DEntityArray outline;
  EXPECT_EQ(unit.GetProposedOutlineEntities(outline), CVRX2DVector(-12, -12));
}

TEST_F(StdrectTest, TheNearerRowWinsAndTheTallerOneAtTheMidpoint)
{
  CRectLeaf unit("GL", "BA005");
  EXPECT_EQ(Drag(unit, 2, 0, 5.9), CUnit::inboundsUnchanged);
  EXPECT_EQ(Drag(unit, 2, 0, 6.0), CUnit::inboundsChanged);
  EXPECT_EQ(Proposed(unit), "GL3030");
  unit.ResetProposedSize();
  EXPECT_EQ(Drag(unit, 2, 6.0, 0), CUnit::inboundsChanged);
  EXPECT_EQ(Proposed(unit), "GL4020");
  unit.ResetProposedSize();
  // Between two widths of one height, and between two heights: the nearest corner of the grid.
  EXPECT_EQ(Drag(unit, 2, 13.0, 25.0), CUnit::inboundsChanged);
  EXPECT_EQ(Proposed(unit), "GL4040");
}

TEST_F(StdrectTest, PastTheTallestSizeByHalfTheLastStepIsStillInBounds)
{
  CRectLeaf unit("GL", "BA005");
  EXPECT_EQ(Drag(unit, 2, 0, 200), CUnit::outOfBoundsChanged);
  EXPECT_EQ(Proposed(unit), "GL3050");
  EXPECT_EQ(Drag(unit, 2, 0, 200), CUnit::outOfBoundsUnchanged);
  unit.SetSizeToProposed();
  EXPECT_EQ(Drag(unit, 2, 0, 5.9), CUnit::inboundsUnchanged);
  EXPECT_EQ(Drag(unit, 2, 0, 6.1), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(Proposed(unit), "GL3050");
}

TEST_F(StdrectTest, BelowTheSmallestAndPastTheWidestSizeTheSameRuleHolds)
{
  CRectLeaf unit("GL", "BA005");
  EXPECT_EQ(Drag(unit, 2, -5.9, 0), CUnit::inboundsUnchanged);
  EXPECT_EQ(Drag(unit, 2, -6.1, 0), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(Drag(unit, 0, 0, 5.9), CUnit::inboundsUnchanged);
  EXPECT_EQ(Drag(unit, 0, 0, 6.1), CUnit::outOfBoundsUnchanged);
  unit.SetSizeCode("GL8050");
  EXPECT_EQ(Drag(unit, 2, 5.9, 0), CUnit::inboundsUnchanged);
  EXPECT_EQ(Drag(unit, 2, 6.1, 0), CUnit::outOfBoundsUnchanged);
  // Far past the widest size at a height only narrower sizes have.
  unit.SetSizeCode("GL6020");
  EXPECT_EQ(Drag(unit, 2, 100, 0), CUnit::outOfBoundsChanged);
  EXPECT_EQ(Proposed(unit), "GL8030");
}

class StdrectOddTest : public StdrectTest
{
protected:
  void AddUnit(const std::vector<std::vector<const char*>>& sizes)
  {
    m_data.AddRow("SUBTYPES", {"GL", "ZZ005", "Test glider", "Test", "TRUE", "TRUE", "TRUE", "4.5", "99"});
    for (const auto& size : sizes) {
      m_data.AddRow("STDSIZES", {"GL", "ZZ005", size[0], size[1], size[2], "1", "0", "0", "0", "0", "0", "0"});
      m_data.AddRow("OPERCHOI", {"GL", "ZZ005", size[0], "F", "0", "0", "0", "0"});
    }
    m_data.Use();
  }
  COddCatalogue m_data;
};

TEST_F(StdrectOddTest, AUnitOfOneSizeAnswersOnlyUnchanged)
{
  AddUnit({{"ZZ1", "30", "40"}});
  CRectLeaf unit("GL", "ZZ005");
  EXPECT_EQ(Drag(unit, 2, 0, 0), CUnit::inboundsUnchanged);
  EXPECT_EQ(Drag(unit, 2, 0, 14.9), CUnit::inboundsUnchanged);
  EXPECT_EQ(Drag(unit, 2, 0, 15.1), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(Drag(unit, 2, 0, -15.1), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(Drag(unit, 2, 19.9, 0), CUnit::inboundsUnchanged);
  EXPECT_EQ(Drag(unit, 0, 20.1, 0), CUnit::outOfBoundsUnchanged);
  EXPECT_EQ(Drag(unit, 1, 500, -500), CUnit::outOfBoundsUnchanged);
}

TEST_F(StdrectOddTest, ARowOfNoHeightIsRefusedAndTheProposalKept)
{
  AddUnit({{"ZZ0", "0", "40"}, {"ZZ1", "30", "40"}});
  CRectLeaf unit("GL", "ZZ005");
  unit.SetSizeCode("ZZ1");
  ExpectUnitError([&] { Drag(unit, 2, 0, -29); }, "Stdrect", 445);
  EXPECT_EQ(Proposed(unit), "ZZ1");
}

TEST_F(StdrectTest, OnlyTheDiagonallyOppositeHandleIsFlagged)
{
  CRectLeaf unit("GL", "BA005");
  const DWORD expected[4][4] = {{0, 0, 1, 0}, {0, 0, 0, 1}, {1, 0, 0, 0}, {0, 1, 0, 0}};
  for (int handle = 0; handle < 4; ++handle) {
    CDWordArray flags;
    flags.Add(7);
    unit.GetSidesMovedByHandle(handle, flags);
    ASSERT_EQ(flags.GetSize(), 4);
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(flags[i], expected[handle][i]) << handle << " " << i;
  }
}

TEST_F(StdrectTest, SizeDistanceComparesInTheWidthHeightPlane)
{
  CStdSizesRec a("GL", "BA005", "GL3020");
  CStdSizesRec b("GL", "BA005", "GL4030");
  EXPECT_EQ(CStandardRectangularUnit::CompareSizeDistance(23.5, 36.0, a, b), -1);
  EXPECT_EQ(CStandardRectangularUnit::CompareSizeDistance(35.0, 47.5, a, b), 1);
  EXPECT_EQ(CStandardRectangularUnit::CompareSizeDistance(29.5, 41.5, a, b), 0);
}

}  // namespace
