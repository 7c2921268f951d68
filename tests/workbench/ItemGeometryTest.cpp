// Guards the geometry an item keeps in step with its position: alignment lines reaching across
// the Workbench square, moves that must stay inside it, the hit test of a unit's outline and
// the crossing of a line with the unit's components.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "geometry/2dline.h"
#include "model/Unit.h"
#include "geometry/2drect.h"
#include "productdb/txrecobj.h"
#include "units/standard/Stdreg.h"
#include "workbench/items/Unititem.h"

namespace {
class ItemGeometryTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    const char* binary = std::getenv("PANECRAFT_BINARY_DIR");
    ASSERT_NE(binary, nullptr);
    CTXRecObj::SetDatabaseDirectory((std::string(binary) + "/productdata/").c_str());
    RegisterStandardUnits();
    item.GetUnit();
    item.Offset(CVRX2DVector(100.0, 50.0));
  }
  CUnitItem item{"GL", "BA005"};
};
}  // namespace

TEST_F(ItemGeometryTest, AlignmentLinesReachAcrossTheSquareAndFollowTheItem)
{
  CVRX2DEntityArray* pLines = item.GetAlignmentEntities();
  ASSERT_GT(pLines->GetSize(), 0);
  int horizontal = 0;
  for (int i = 0; i < pLines->GetSize(); ++i) {
    auto* pLine = dynamic_cast<CVRX2DLine*>(pLines->GetAt(i));
    ASSERT_NE(pLine, nullptr);
    if (pLine->IsHorizontal()) {
      ++horizontal;
      EXPECT_DOUBLE_EQ(std::min(pLine->GetStartPoint().GetX(), pLine->GetEndPoint().GetX()), 0.0);
      EXPECT_DOUBLE_EQ(std::max(pLine->GetStartPoint().GetX(), pLine->GetEndPoint().GetX()), kWorkbenchSquare);
    } else if (pLine->IsVertical()) {
      EXPECT_DOUBLE_EQ(std::min(pLine->GetStartPoint().GetY(), pLine->GetEndPoint().GetY()), 0.0);
      EXPECT_DOUBLE_EQ(std::max(pLine->GetStartPoint().GetY(), pLine->GetEndPoint().GetY()), kWorkbenchSquare);
    }
  }
  EXPECT_GT(horizontal, 0);
  // The bottom of the unit is one of them.
  CVRX2DRectangle outline;
  CVRX2DEntityArray entities;
  item.GetOutlineEntities(entities);
  outline = entities.GetExtents();
  EXPECT_DOUBLE_EQ(outline.GetMinPoint().GetY(), 50.0);
  EXPECT_DOUBLE_EQ(outline.GetMinPoint().GetX(), 100.0);
}

TEST_F(ItemGeometryTest, EachAlignmentLineKeepsTheDirectionAndPlaceOfItsSide)
{
  CVRX2DEntityArray sides;
  item.GetUnit()->GetPartOutlineEntities(sides);
  item.Offset(CVRX2DVector(-30.0, 20.0));
  const CVRX2DEntityArray& lines = *item.GetAlignmentEntities();
  ASSERT_EQ(lines.GetSize(), sides.GetSize());
  int reversed = 0;
  for (int i = 0; i < lines.GetSize(); ++i) {
    const auto* pSide = dynamic_cast<const CVRX2DLine*>(sides[i]);
    const auto* pLine = dynamic_cast<const CVRX2DLine*>(lines[i]);
    ASSERT_TRUE(pSide && pLine);
    EXPECT_EQ(pLine->GetAngle(), pSide->GetAngle()) << "line " << i;
    const double angle = pSide->GetAngle().GetRadians();
    reversed += angle > 1.0 ? 1 : 0;
    // The line lies where the side lies, the unit now at (70, 70).
    if (pSide->IsHorizontal()) {
      EXPECT_DOUBLE_EQ(pLine->GetStartPoint().GetY(), pSide->GetStartPoint().GetY() + 70.0) << "line " << i;
    } else if (pSide->IsVertical()) {
      EXPECT_DOUBLE_EQ(pLine->GetStartPoint().GetX(), pSide->GetStartPoint().GetX() + 70.0) << "line " << i;
    }
  }
  EXPECT_GT(reversed, 0) << "the outline runs round: some sides run left or down";
}

TEST_F(ItemGeometryTest, AZeroOffsetChangesNothing)
{
  CVRX2DEntityArray before;
  item.GetOutlineEntities(before);
  const CVRX2DPoint centre = item.GetCenterPoint();
  item.Offset(CVRX2DVector(0.0, 0.0));
  CVRX2DEntityArray after;
  item.GetOutlineEntities(after);
  EXPECT_EQ(after.GetExtents(), before.GetExtents());
  EXPECT_EQ(item.GetCenterPoint(), centre);
  EXPECT_EQ(item.GetCenterPoint(), CVRX2DPoint(100.0 + item.GetWidth() / 2, 50.0 + item.GetHeight() / 2));
}

TEST_F(ItemGeometryTest, AMoveMustKeepTheOutlineInsideTheSquare)
{
  CVRX2DEntityArray outline;
  item.GetOutlineEntities(outline);
  const CVRX2DPoint top = outline.GetExtents().GetMaxPoint();
  EXPECT_TRUE(item.CanMoveTo(CVRX2DVector(kWorkbenchSquare - top.GetX(), 0.0)));
  EXPECT_FALSE(item.CanMoveTo(CVRX2DVector(kWorkbenchSquare - top.GetX() + 0.01, 0.0)));
  EXPECT_FALSE(item.CanMoveTo(CVRX2DVector(-100.01, 0.0)));
  EXPECT_TRUE(item.CanMoveTo(CVRX2DVector(-100.0, -50.0)));
  item.Offset(CVRX2DVector(-200.0, 0.0));
  EXPECT_TRUE(item.CanMoveTo(CVRX2DVector(0.0, 0.0))) << "a zero move is allowed even outside";
}

TEST_F(ItemGeometryTest, TheHitTestFindsTheOutlineAndItsInside)
{
  EXPECT_TRUE(item.HitTest(item.GetCenterPoint(), nullptr));
  EXPECT_TRUE(item.HitTest(CVRX2DPoint(100.0, 50.0 + item.GetHeight() / 3), nullptr)) << "on the left side";
  EXPECT_FALSE(item.HitTest(CVRX2DPoint(99.9, 60.0), nullptr));
  EXPECT_FALSE(item.HitTest(CVRX2DPoint(120.0, 50.0 + item.GetHeight() + 0.1), nullptr));
}

TEST_F(ItemGeometryTest, ALineAcrossTwoComponentsIsNoSingleCrossing)
{
  const double y = item.GetCenterPoint().GetY();
  int index = 0;
  CVRX2DPoint point;
  EXPECT_TRUE(item.IntersectComponent(CVRX2DLine(0, CVRX2DPoint(0, y), CVRX2DPoint(1440, y)), &index, &point));
  EXPECT_EQ(index, -1);
  EXPECT_FALSE(item.IntersectComponent(CVRX2DLine(0, CVRX2DPoint(0, 1000), CVRX2DPoint(1440, 1000)), &index, &point));
  // A short line through the left side only crosses that side.
  EXPECT_TRUE(item.IntersectComponent(CVRX2DLine(0, CVRX2DPoint(90, y), CVRX2DPoint(101, y)), &index, &point));
  ASSERT_GE(index, 0);
  EXPECT_NEAR(point.GetX(), 100.0, 1e-6);
  EXPECT_FALSE(item.IsHandleMoved(0)) << "no resize runs";
  EXPECT_FALSE(item.IsHandleMoved(99));
}
