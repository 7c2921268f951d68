// Guards the line's direction tests under the angle tolerance, containment, colinear overlap,
// the intersection (crossing, shared stretch, lines of no length never giving NaN) and offsets.
#include <cmath>
#include <iterator>
#include <memory>

#include "GeoTestUtil.h"
#include "geometry/2dline.h"
#include "geometry/2drect.h"
#include "support/VEntExcp.h"

using LineTest = GeometryTest;

namespace {
CVRX2DLine Line(double x1, double y1, double x2, double y2)
{
  return CVRX2DLine(0, CVRX2DPoint(x1, y1), CVRX2DPoint(x2, y2));
}
}  // namespace

TEST_F(LineTest, DirectionTestsUseAngleTolerance)
{
  EXPECT_TRUE(Line(0, 0, 10, 0.005).IsHorizontal());
  EXPECT_FALSE(Line(0, 0, 10, 0.02).IsHorizontal());
  EXPECT_TRUE(Line(10, 0, 0, 0).IsHorizontal());
  EXPECT_TRUE(Line(3, 5, 3, 0).IsVertical());
  EXPECT_TRUE(Line(0, 0, 1, 1).IsParallel(Line(5, 5, 3, 3)));
  EXPECT_FALSE(Line(0, 0, 1, 1).IsParallel(Line(0, 0, 1, 1.1)));
  EXPECT_FALSE(Line(0, 0, 1, 1) == Line(1, 1, 0, 0));
}

TEST_F(LineTest, ColinearOverlappingLinesShareTheirStretch)
{
  CVRX2DLine a = Line(0, 0, 10, 0), b = Line(20, 0, 5, 0);
  EXPECT_TRUE(a.IsParallel(b));
  EXPECT_TRUE(a.IsColinear(b));
  EXPECT_TRUE(a.Overlaps(b));
  CVRX2DPointArray points;
  a.Intersect(b, points);
  ASSERT_EQ(points.GetSize(), 2);
  ExpectPoint(*points[0], 5, 0);
  ExpectPoint(*points[1], 10, 0);
  b.Intersect(a, points);
  ASSERT_EQ(points.GetSize(), 2);
  ExpectPoint(*points[0], 5, 0);

  CVRX2DLine touching = Line(10, 0, 14, 0);
  EXPECT_TRUE(a.Overlaps(touching));
  a.IntersectLine(touching, points);
  ASSERT_EQ(points.GetSize(), 1);
  ExpectPoint(*points[0], 10, 0);

  CVRX2DLine apart = Line(11, 0, 14, 0);
  EXPECT_FALSE(a.Overlaps(apart));
  a.IntersectLine(apart, points);
  EXPECT_EQ(points.GetSize(), 0);

  CVRX2DLine vertical = Line(2, 0, 2, 8), inside = Line(2, 6, 2, 3);
  EXPECT_TRUE(vertical.IsColinear(inside));
  vertical.IntersectLine(inside, points);
  ASSERT_EQ(points.GetSize(), 2);
  ExpectPoint(*points[0], 2, 3);
  ExpectPoint(*points[1], 2, 6);
  EXPECT_FALSE(vertical.IsColinear(Line(2.1, 0, 2.1, 8)));
}

// Colinearity on directions worked out beforehand decides as the direction tests themselves do:
// both vertical on one x, or parallel with one y-intercept, each within its tolerance.
TEST_F(LineTest, ColinearityOnKnownDirectionsFollowsTheDirectionTests)
{
  const CVRX2DLine lines[] = {Line(0, 0, 10, 0), Line(20, 0, 5, 0), Line(0, 0, 10, 0.005), Line(0, 1, 10, 1),
                              Line(2, 0, 2, 8),  Line(2, 6, 2, 3),  Line(2.1, 0, 2.1, 8),  Line(2, 0, 2.004, 9),
                              Line(0, 0, 1, 1),  Line(5, 5, 3, 3),  Line(0, 1, 1, 2),      Line(0, 0, 1, 1.1),
                              Line(-3, 4, 7, -1)};
  int colinear = 0;
  for (const CVRX2DLine& a : lines)
    for (const CVRX2DLine& b : lines) {
      BOOL expected = FALSE;
      if (a.IsVertical())
        expected =
            b.IsVertical() && CVRX2DPoint(b.GetStartPoint().GetX(), a.GetStartPoint().GetY()) == a.GetStartPoint();
      else if (!b.IsVertical())
        expected = a.IsParallel(b) && CVRX2DPoint(0.0, a.GetYIntercept()) == CVRX2DPoint(0.0, b.GetYIntercept());
      EXPECT_EQ(a.IsColinear(b, a.GetAngle(), b.GetAngle()), expected);
      EXPECT_EQ(a.IsColinear(b), expected);
      colinear += expected ? 1 : 0;
    }
  // Each line with itself, and the pairs along x, along x = 2 and along y = x.
  EXPECT_GT(colinear, static_cast<int>(std::size(lines)));
  EXPECT_TRUE(CVRX2DLine::IsVerticalDirection(Line(2, 0, 2.004, 9).GetAngle()));
  EXPECT_FALSE(CVRX2DLine::IsHorizontalDirection(Line(0, 0, 10, 0.02).GetAngle()));
}

TEST_F(LineTest, CrossingOfInfiniteLinesAndParallelApart)
{
  CVRX2DPointArray points;
  points.AddCopy(CVRX2DPoint(99, 99));
  Line(0, 0, 1, 1).Intersect(Line(5, 0, 6, -1), points);
  ASSERT_EQ(points.GetSize(), 1);
  ExpectPoint(*points[0], 2.5, 2.5);
  Line(0, 0, 1, 1).Intersect(Line(0, 1, 1, 2), points);
  EXPECT_EQ(points.GetSize(), 0);
}

TEST_F(LineTest, LineOfNoLengthIsAPointAndNeverNaN)
{
  CVRX2DPointArray points;
  CVRX2DLine dot = Line(2, 2, 2, 2);
  dot.IntersectLine(Line(0, 0, 1, 1), points);
  ASSERT_EQ(points.GetSize(), 1);
  ExpectPoint(*points[0], 2, 2);
  Line(0, 0, 1, 1).IntersectLine(dot, points);
  ASSERT_EQ(points.GetSize(), 1);
  ExpectPoint(*points[0], 2, 2);
  Line(0, 2, 5, 2).IntersectLine(dot, points);
  ASSERT_EQ(points.GetSize(), 1);
  Line(0, 0, 1, 0).IntersectLine(dot, points);
  EXPECT_EQ(points.GetSize(), 0);
  dot.IntersectLine(Line(2, 2, 2, 2), points);
  ASSERT_EQ(points.GetSize(), 1);
  dot.IntersectLine(Line(3, 2, 3, 2), points);
  EXPECT_EQ(points.GetSize(), 0);
  EXPECT_TRUE(dot.Contains(CVRX2DPoint(2, 2)));
  EXPECT_FALSE(dot.Contains(CVRX2DPoint(2, 2.1)));
}

TEST_F(LineTest, ContainsNeedsLineAndBox)
{
  CVRX2DLine d = Line(0, 0, 10, 10);
  EXPECT_TRUE(d.Contains(CVRX2DPoint(5, 5)));
  EXPECT_FALSE(d.Contains(CVRX2DPoint(11, 11)));
  EXPECT_FALSE(d.Contains(CVRX2DPoint(5, 5.001)));
  EXPECT_TRUE(Line(3, 0, 3, 5).Contains(CVRX2DPoint(3, 5)));
  EXPECT_FALSE(Line(3, 0, 3, 5).Contains(CVRX2DPoint(3, 5.01)));
  EXPECT_TRUE(CVRX2DPoint(5, 5).IsOn(d));
}

TEST_F(LineTest, SlopeOfVerticalLineThrows)
{
  EXPECT_EQ(Line(0, 1, 2, 5).GetSlope(), 2.0);
  EXPECT_EQ(Line(1, 3, 2, 5).GetYIntercept(), 1.0);
  try {
    Line(3, 0, 3, 5).GetSlope();
    FAIL() << "no exception";
  } catch (const CVRXEntityException& e) {
    EXPECT_EQ(e.file, CString("2dline"));
    EXPECT_EQ(e.line, 618);
  }
  EXPECT_THROW(Line(3, 0, 3, 5).GetYIntercept(), CVRXEntityException);
}

TEST_F(LineTest, OffsetLineSideFollowsSignOfDistance)
{
  CVRX2DLine h = Line(0, 0, 10, 0);
  std::unique_ptr<CVRX2DLine> up(h.GetOffsetLine(2, CVRX2DPoint(5, 10)));
  ExpectPoint(up->GetStartPoint(), 0, 2);
  ExpectPoint(up->GetEndPoint(), 10, 2);
  std::unique_ptr<CVRX2DLine> down(h.GetOffsetLine(-2, CVRX2DPoint(5, 10)));
  ExpectPoint(down->GetStartPoint(), 0, -2);
  std::unique_ptr<CVRX2DLine> left(Line(0, 0, 0, 10).GetOffsetLine(1, CVRX2DPoint(-5, 5)));
  ExpectPoint(left->GetStartPoint(), -1, 0);
  for (double slope : {1.0, -1.0, 3.0, -0.25}) {
    CVRX2DLine oblique = Line(0, 0, 4, 4 * slope);
    CVRX2DPoint reference(-slope * 3, 3);
    std::unique_ptr<CVRX2DLine> o(oblique.GetOffsetLine(1.5, reference));
    CVRX2DLine foot;
    oblique.GetPerpendicular(foot, o->GetStartPoint());
    EXPECT_NEAR(foot.GetLength(), 1.5, 1e-12) << slope;
    EXPECT_TRUE(o->IsParallel(oblique));
    EXPECT_LT(o->GetStartPoint().DistanceTo(reference), oblique.GetStartPoint().DistanceTo(reference)) << slope;
  }
}

TEST_F(LineTest, PerpendicularFootAndSharedEnds)
{
  CVRX2DLine foot;
  Line(0, 0, 4, 2).GetPerpendicular(foot, CVRX2DPoint(0, 5));
  ExpectPoint(foot.GetStartPoint(), 0, 5);
  ExpectPoint(foot.GetEndPoint(), 2, 1);
  Line(7, 0, 7, 1).GetPerpendicular(foot, CVRX2DPoint(0, 5));
  ExpectPoint(foot.GetEndPoint(), 7, 5);
  CVRX2DPoint shared;
  EXPECT_TRUE(Line(0, 0, 1, 0).GetSharedEndPoint(Line(3, 3, 1, 0), shared));
  ExpectPoint(shared, 1, 0);
  EXPECT_FALSE(Line(0, 0, 1, 0).GetSharedEndPoint(Line(3, 3, 2, 0), shared));
}

TEST_F(LineTest, ExtentsSpanTheEnds)
{
  CVRX2DRectangle r = Line(0, 0, 3, -2).GetExtents();
  ExpectPoint(r.GetMinPoint(), 0, -2);
  ExpectPoint(r.GetMaxPoint(), 3, 0);
}

// A line whose squared length underflows still has a direction: no division by a zero length.
TEST_F(LineTest, LineTooShortToSquareKeepsItsDirection)
{
  CVRX2DLine speck = Line(0, 0, 1e-170, 0), axis = Line(0, 0, 10, 0), other = Line(5, -1, 5, 1);
  CVRX2DPointArray points;
  for (int order = 0; order < 2; ++order) {
    order == 0 ? speck.IntersectLine(axis, points) : axis.IntersectLine(speck, points);
    ASSERT_EQ(points.GetSize(), 1) << order;
    ExpectPoint(*points[0], 0, 0);
  }
  speck.IntersectLine(other, points);
  ASSERT_EQ(points.GetSize(), 1);
  ExpectPoint(*points[0], 5, 0);
  // A point on the speck's line, as a line of no length, meets it (either way round).
  CVRX2DLine dot = Line(2, 0, 2, 0);
  dot.IntersectLine(speck, points);
  ASSERT_EQ(points.GetSize(), 1);
  ExpectPoint(*points[0], 2, 0);
  speck.IntersectLine(dot, points);
  ASSERT_EQ(points.GetSize(), 1);
  ExpectPoint(*points[0], 2, 0);
}
