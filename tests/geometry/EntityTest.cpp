// Guards the entity base and array (extents, transform, cloning), the rectangle's normalising,
// growing and edge walk, the point entity, and that every pair of entity kinds intersects the same
// way round either way.
#include <cmath>
#include <memory>
#include <vector>

#include "GeoTestUtil.h"
#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "geometry/2dmatrix.h"
#include "geometry/2dptent.h"
#include "geometry/2drect.h"

using EntityTest = GeometryTest;

namespace {
CVRX2DLine Line(double x1, double y1, double x2, double y2)
{
  return CVRX2DLine(0, CVRX2DPoint(x1, y1), CVRX2DPoint(x2, y2));
}
CVRX2DRectangle Rect(double x1, double y1, double x2, double y2)
{
  return CVRX2DRectangle(CVRX2DPoint(x1, y1), CVRX2DPoint(x2, y2));
}
CVRX2DArc Circle(double x, double y, double r, double start = 0, double end = 0)
{
  return CVRX2DArc(0, CVRX2DPoint(x, y), r, r, CVRXAngle(), CVRXAngle(start), CVRXAngle(end));
}
}  // namespace

TEST_F(EntityTest, RectangleNormalisesAndGrows)
{
  CVRX2DRectangle r = Rect(5, 1, 2, 4);
  ExpectPoint(r.GetMinPoint(), 2, 1);
  ExpectPoint(r.GetMaxPoint(), 5, 4);
  EXPECT_EQ(r.GetType(), VRX_RECTANGLE);
  CVRX2DRectangle box = Rect(0, 0, 5, 4);
  box.Include(CVRX2DPoint(3, 0.00000005));
  ExpectPoint(box.GetMinPoint(), 0, 0, 0);
  box.Include(CVRX2DPoint(6, -1));
  ExpectPoint(box.GetMinPoint(), 0, -1);
  ExpectPoint(box.GetMaxPoint(), 6, 4);
  box.Include(Rect(-2, 1, 1, 9));
  ExpectPoint(box.GetMinPoint(), -2, -1);
  ExpectPoint(box.GetMaxPoint(), 6, 9);
}

TEST_F(EntityTest, RectangleEdgeWalkOrderAndContainment)
{
  CVRX2DRectangle box = Rect(0, 0, 5, 4);
  CVRX2DPointArray points;
  box.IntersectLine(Line(-1, 2, 10, 2), points);
  ASSERT_EQ(points.GetSize(), 2);
  ExpectPoint(*points[0], 5, 2);
  ExpectPoint(*points[1], 0, 2);
  box.IntersectLine(Line(1, 1, 2, 2), points);
  EXPECT_EQ(points.GetSize(), 0);
  box.IntersectLine(Line(-1, -1, 6, 6), points);
  ASSERT_EQ(points.GetSize(), 2);
  ExpectPoint(*points[0], 0, 0);
  ExpectPoint(*points[1], 4, 4);

  CVRX2DPointEntity inside(0, CVRX2DPoint(2, 2)), onTop(0, CVRX2DPoint(2, 4));
  EXPECT_TRUE(box.Contains(inside.GetPoint()));
  inside.Intersect(box, points);
  EXPECT_EQ(points.GetSize(), 0);
  onTop.Intersect(box, points);
  ASSERT_EQ(points.GetSize(), 1);
  ExpectPoint(*points[0], 2, 4);
}

TEST_F(EntityTest, RectangleAgainstRectangleAndArc)
{
  CVRX2DPointArray points;
  Rect(0, 0, 2, 2).IntersectRectangle(Rect(2, 2, 0, 0), points);
  ASSERT_EQ(points.GetSize(), 4);
  ExpectPoint(*points[0], 0, 0);
  ExpectPoint(*points[1], 2, 0);
  ExpectPoint(*points[2], 2, 2);
  ExpectPoint(*points[3], 0, 2);
  Rect(0, 0, 2, 2).IntersectRectangle(Rect(1, 1, 3, 3), points);
  ASSERT_EQ(points.GetSize(), 2);
  ExpectPoint(*points[0], 2, 1);
  ExpectPoint(*points[1], 1, 2);
  Rect(0, 0, 4, 4).IntersectArc(Circle(2, 2, 2.5), points);
  EXPECT_EQ(points.GetSize(), 8);
  Rect(0, 0, 4, 4).IntersectArc(Circle(2, 2, 2.5, 0, VRX_HALF_PI), points);
  ASSERT_EQ(points.GetSize(), 2);
  ExpectPoint(*points[0], 4, 2 + 1.5);
  ExpectPoint(*points[1], 2 + 1.5, 4);
}

TEST_F(EntityTest, ArrayExtentsTransformAndDeepCopy)
{
  CVRX2DEntityArray array;
  EXPECT_EQ(array.GetExtents().GetMaxPoint(), CVRX2DPoint(0, 0));
  array.Add(Line(0, 0, 3, -2).Clone());
  CVRX2DRectangle e = array.GetExtents();
  ExpectPoint(e.GetMinPoint(), 0, -2);
  ExpectPoint(e.GetMaxPoint(), 3, 0);
  array.Add(new CVRX2DRectangle(Rect(-1, -1, 1, 1)));
  array.Add(new CVRX2DPointEntity(7, CVRX2DPoint(1, 1)));
  array.Add(Circle(0, 0, 1).Clone());
  e = array.GetExtents();
  ExpectPoint(e.GetMinPoint(), -1, -2);
  ExpectPoint(e.GetMaxPoint(), 3, 1);

  CVRX2DEntityArray copy(array);
  ASSERT_EQ(copy.GetSize(), 4);
  EXPECT_NE(copy[0], array[0]);
  array.Transform(CVRX2DTransformationMatrix(CVRX2DVector(3, 4)));
  ExpectPoint(static_cast<CVRX2DLine*>(array[0])->GetStartPoint(), 3, 4);
  ExpectPoint(static_cast<CVRX2DRectangle*>(array[1])->GetMinPoint(), -1, -1);
  ExpectPoint(static_cast<CVRX2DPointEntity*>(array[2])->GetPoint(), 4, 5);
  ExpectPoint(static_cast<CVRX2DArc*>(array[3])->GetCentre(), 3, 4);
  ExpectPoint(static_cast<CVRX2DLine*>(copy[0])->GetStartPoint(), 0, 0);
  EXPECT_EQ(copy[2]->GetCategory(), 7);
}

TEST_F(EntityTest, DuplicateKeepsClassAndCategory)
{
  CVRX2DArc arc(12, CVRX2DPoint(1, 2), 3, 1, CVRXAngle(0.2), CVRXAngle(0.1), CVRXAngle(2.0));
  std::unique_ptr<CVRXEntity> dup(arc.Duplicate());
  ASSERT_TRUE(dup->IsKindOf(RUNTIME_CLASS(CVRX2DArc)));
  EXPECT_TRUE(static_cast<CVRX2DArc*>(dup.get())->IsEqual(arc));
  EXPECT_EQ(dup->GetCategory(), 12);
  EXPECT_EQ(dup->GetType(), VRX_ARC);
}

TEST_F(EntityTest, PointEntityMeetsWhatContainsIt)
{
  CVRX2DPointEntity p(0, CVRX2DPoint(1, 1));
  CVRX2DPointArray points;
  p.Intersect(Line(0, 0, 2, 2), points);
  ASSERT_EQ(points.GetSize(), 1);
  ExpectPoint(*points[0], 1, 1);
  p.Intersect(Line(0, 0, 0.5, 0.5), points);
  EXPECT_EQ(points.GetSize(), 0);
  p.Intersect(CVRX2DPointEntity(3, CVRX2DPoint(1, 1 + 0.5e-7)), points);
  EXPECT_EQ(points.GetSize(), 1);
  p.Transform(CVRX2DTransformationMatrix(CVRX2DVector(3, 4)));
  ExpectPoint(p.GetPoint(), 4, 5);
  ExpectPoint(p.GetExtents().GetMaxPoint(), 4, 5);
}

// Every kind against every kind: both call orders give the same, finite points.
TEST_F(EntityTest, EveryPairIntersectsAlikeBothWaysRound)
{
  std::vector<std::unique_ptr<CVRX2DEntity>> kinds;
  kinds.emplace_back(Line(-3, 0.5, 3, 0.5).Clone());
  kinds.emplace_back(Line(-2, -2, 2, 2).Clone());
  kinds.emplace_back(Circle(0, 0, 1).Clone());
  kinds.emplace_back(Circle(1, 0, 1).Clone());
  kinds.emplace_back(new CVRX2DArc(0, CVRX2DPoint(0, 0), 1, 1, CVRXAngle(), CVRXAngle(1), CVRXAngle(2)));
  kinds.emplace_back(new CVRX2DPointEntity(0, CVRX2DPoint(0.5, 0.5)));
  kinds.emplace_back(new CVRX2DPointEntity(0, CVRX2DPoint(1, 0)));
  kinds.emplace_back(new CVRX2DRectangle(Rect(-0.5, -0.5, 0.5, 0.5)));
  kinds.emplace_back(new CVRX2DRectangle(Rect(0, 0, 1, 1)));
  CVRX2DPointArray ab, ba;
  int found = 0;
  for (auto& a : kinds) {
    for (auto& b : kinds) {
      if (a == b)
        continue;
      a->Intersect(*b, ab);
      b->Intersect(*a, ba);
      ASSERT_EQ(ab.GetSize(), ba.GetSize()) << a->GetType() << " " << b->GetType();
      for (int i = 0; i < ab.GetSize(); ++i) {
        EXPECT_TRUE(std::isfinite(ab[i]->GetX()) && std::isfinite(ab[i]->GetY()));
        EXPECT_TRUE(ba.HasPoint(*ab[i]));
      }
      found += ab.GetSize();
    }
  }
  EXPECT_GT(found, 40);
}
