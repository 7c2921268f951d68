// Guards the arc: radii kept major first, extents from the ellipse's extreme points, the refit
// under any matrix (finite, exact radii also for circles through the origin, mirrors keep the arc
// counter-clockwise) and the intersections with lines and other arcs.
#include <cmath>
#include <random>

#include "GeoTestUtil.h"
#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "geometry/2dmatrix.h"
#include "geometry/2drect.h"
#include "support/VEntExcp.h"

using ArcTest = GeometryTest;

namespace {
CVRX2DArc Arc(double x, double y, double r1, double r2, double axis, double start, double end)
{
  return CVRX2DArc(0, CVRX2DPoint(x, y), r1, r2, CVRXAngle(axis), CVRXAngle(start), CVRXAngle(end));
}
CVRX2DLine Line(double x1, double y1, double x2, double y2)
{
  return CVRX2DLine(0, CVRX2DPoint(x1, y1), CVRX2DPoint(x2, y2));
}

// The ellipse axis is a direction modulo pi.
double AxisDifference(const CVRXAngle& a, double b)
{
  double d = std::fmod(std::fabs(a.GetRadians() - b), VRX_PI);
  return std::min(d, VRX_PI - d);
}
}  // namespace

TEST_F(ArcTest, RadiiAreKeptMajorFirst)
{
  CVRX2DArc a = Arc(0, 0, 2, 5, 0, 0, 1);
  EXPECT_EQ(a.GetMajorRadius(), 5.0);
  EXPECT_EQ(a.GetMinorRadius(), 2.0);
  EXPECT_NEAR(a.GetAxisAngle().GetRadians(), VRX_HALF_PI, 1e-12);
  CVRX2DArc e = Arc(0, 0, 2, 1, 0, 0, 0);
  EXPECT_NEAR(e.GetRadiusAtAngle(CVRXAngle(0.0)), 2, 1e-12);
  EXPECT_NEAR(e.GetRadiusAtAngle(CVRXAngle(VRX_HALF_PI)), 1, 1e-12);
  ExpectPoint(e.GetPointAtAngle(CVRXAngle(VRX_PI)), -2, 0);
  EXPECT_TRUE(e.IsClosed());
  CVRX2DPoint s, t;
  Arc(0, 0, 1, 1, 0, 0, VRX_HALF_PI).GetEndPoints(s, t);
  ExpectPoint(s, 1, 0);
  ExpectPoint(t, 0, 1);
}

TEST_F(ArcTest, ExtentsTakeInTheExtremesOnTheSweep)
{
  CVRX2DRectangle q = Arc(0, 0, 1, 1, 0, 0, VRX_HALF_PI).GetExtents();
  ExpectPoint(q.GetMinPoint(), 0, 0);
  ExpectPoint(q.GetMaxPoint(), 1, 1);
  CVRX2DRectangle c = Arc(0, 0, 1, 1, 0, 0.3, 0.3).GetExtents();
  ExpectPoint(c.GetMinPoint(), -1, -1);
  ExpectPoint(c.GetMaxPoint(), 1, 1);
  // A rotated ellipse against a dense sampling of its sweep.
  CVRX2DArc e = Arc(3, -1, 4, 1.5, 0.6, 0.2, 4.0);
  CVRX2DRectangle box = e.GetExtents();
  double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
  for (int i = 0; i <= 200000; ++i) {
    CVRX2DPoint p = e.GetPointAtAngle(CVRXAngle(0.2 + 3.8 * i / 200000));
    minX = std::min(minX, p.GetX()), maxX = std::max(maxX, p.GetX());
    minY = std::min(minY, p.GetY()), maxY = std::max(maxY, p.GetY());
  }
  ExpectPoint(box.GetMinPoint(), minX, minY, 1e-6);
  ExpectPoint(box.GetMaxPoint(), maxX, maxY, 1e-6);
}

TEST_F(ArcTest, TranslationScalingAndMirroring)
{
  CVRX2DArc a = Arc(1, 1, 2, 1, 0.5, 0.1, 1.0);
  a.Transform(CVRX2DTransformationMatrix(CVRX2DVector(3, 4)));
  ExpectPoint(a.GetCentre(), 4, 5);
  EXPECT_EQ(a.GetMajorRadius(), 2.0);
  EXPECT_EQ(a.GetStartAngle().GetRadians(), CVRXAngle(0.1).GetRadians());

  CVRX2DArc circle = Arc(0, 0, 1, 1, 0, 0, VRX_HALF_PI);
  circle.Transform(CVRX2DTransformationMatrix(2.0, 1.0));
  EXPECT_NEAR(circle.GetMajorRadius(), 2, 1e-12);
  EXPECT_NEAR(circle.GetMinorRadius(), 1, 1e-12);
  EXPECT_NEAR(AxisDifference(circle.GetAxisAngle(), 0.0), 0, 1e-12);
  CVRX2DPoint s, t;
  circle.GetEndPoints(s, t);
  ExpectPoint(s, 2, 0);
  ExpectPoint(t, 0, 1);

  CVRX2DArc quarter = Arc(0, 0, 1, 1, 0, 0, VRX_HALF_PI);
  quarter.Transform(CVRX2DTransformationMatrix(-1.0, 1.0));
  quarter.GetEndPoints(s, t);
  ExpectPoint(s, 0, 1);
  ExpectPoint(t, -1, 0);
  EXPECT_TRUE(quarter.Contains(CVRX2DPoint(-std::sqrt(0.5), std::sqrt(0.5))));
  EXPECT_FALSE(quarter.Contains(CVRX2DPoint(std::sqrt(0.5), std::sqrt(0.5))));
}

TEST_F(ArcTest, SingularTransformThrowsAndLeavesArc)
{
  CVRX2DArc a = Arc(1, 2, 3, 1, 0, 0, 1);
  EXPECT_THROW(a.Transform(CVRX2DTransformationMatrix(0.0, 1.0)), CVRXEntityException);
  EXPECT_TRUE(a.IsEqual(Arc(1, 2, 3, 1, 0, 0, 1)));
  ExpectPoint(a.GetCentre(), 1, 2);
}

// Circles through the origin are where a refit from the conic's constant term breaks down.
TEST_F(ArcTest, RotatedAndMirroredCirclesThroughOriginKeepExactRadii)
{
  std::mt19937 rng(20240611);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int i = 0; i < 500; ++i) {
    double r = 0.5 + 20 * unit(rng);
    double towards = VRX_TWO_PI * unit(rng);
    CVRX2DPoint centre(r * std::cos(towards), r * std::sin(towards));
    double start = VRX_TWO_PI * unit(rng), end = VRX_TWO_PI * unit(rng);
    CVRX2DArc arc(0, centre, r, r, CVRXAngle(), CVRXAngle(start), CVRXAngle(end));
    CVRX2DPoint s0, e0;
    arc.GetEndPoints(s0, e0);
    bool mirror = i % 2 == 1;
    CVRX2DTransformationMatrix m =
        mirror ? CVRX2DTransformationMatrix(
                     CVRX2DLine(0, CVRX2DPoint(), CVRX2DPoint(std::cos(towards * 3), std::sin(towards * 3))))
               : CVRX2DTransformationMatrix(CVRXAngle(VRX_TWO_PI * unit(rng)));
    arc.Transform(m);
    ASSERT_TRUE(std::isfinite(arc.GetMajorRadius()) && std::isfinite(arc.GetMinorRadius())) << i;
    EXPECT_NEAR(arc.GetMajorRadius(), r, 1e-9 * r) << i;
    EXPECT_NEAR(arc.GetMinorRadius(), r, 1e-9 * r) << i;
    ExpectPoint(arc.GetCentre(), CVRX2DPoint(centre).Transform(m).GetX(), CVRX2DPoint(centre).Transform(m).GetY(),
                1e-9 * r);
    CVRX2DPoint s1, e1;
    arc.GetEndPoints(s1, e1);
    CVRX2DPoint expectedStart = (mirror ? e0 : s0).Transform(m);
    CVRX2DPoint expectedEnd = (mirror ? s0 : e0).Transform(m);
    ExpectPoint(s1, expectedStart.GetX(), expectedStart.GetY(), 1e-8 * r);
    ExpectPoint(e1, expectedEnd.GetX(), expectedEnd.GetY(), 1e-8 * r);
  }
}

TEST_F(ArcTest, GeneralMatrixRefitsTheEllipse)
{
  CVRX2DArc e = Arc(2, 1, 3, 1, 0.4, 0.5, 2.5);
  CVRX2DTransformationMatrix m(CVRXAngle(0.9));
  m.Scale(1.7, 0.6).Translate(CVRX2DVector(-4, 2));
  CVRX2DArc moved(e);
  moved.Transform(m);
  EXPECT_GE(moved.GetMajorRadius(), moved.GetMinorRadius());
  for (double t = 0.5; t < 2.5; t += 0.25) {
    CVRX2DPoint image = e.GetPointAtAngle(CVRXAngle(t)).Transform(m);
    EXPECT_TRUE(moved.Contains(image)) << t;
  }
}

TEST_F(ArcTest, LineMeetsWholeEllipse)
{
  CVRX2DArc upper = Arc(0, 0, 1, 1, 0, 0, VRX_PI);
  CVRX2DPointArray points;
  upper.IntersectLine(Line(-5, -0.5, 5, -0.5), points);
  ASSERT_EQ(points.GetSize(), 2);
  ExpectPoint(*points[0], -std::sqrt(0.75), -0.5);
  ExpectPoint(*points[1], std::sqrt(0.75), -0.5);
  upper.IntersectLine(Line(-5, 0.5, 5, 0.5), points);
  ASSERT_EQ(points.GetSize(), 2);
  ExpectPoint(*points[0], std::sqrt(0.75), 0.5);
  ExpectPoint(*points[1], -std::sqrt(0.75), 0.5);
  upper.IntersectLine(Line(-5, 1, 5, 1), points);
  ASSERT_EQ(points.GetSize(), 1);
  ExpectPoint(*points[0], 0, 1);
  // Past the tangent by less than the vector tolerance still touches, once.
  upper.IntersectLine(Line(-5, 1 + 1e-9, 5, 1 + 1e-9), points);
  ASSERT_EQ(points.GetSize(), 1);
  ExpectPoint(*points[0], 0, 1);
  upper.IntersectLine(Line(-5, 1.01, 5, 1.01), points);
  EXPECT_EQ(points.GetSize(), 0);
  CVRX2DArc ellipse = Arc(1, 1, 2, 1, 0.5, 0, 0);
  ellipse.IntersectLine(Line(-4, -3, 5, 4), points);
  ASSERT_EQ(points.GetSize(), 2);
  for (int i = 0; i < 2; ++i)
    EXPECT_TRUE(ellipse.Contains(*points[i]));
  ellipse.IntersectLine(Line(1, 1, 1, 1), points);
  EXPECT_EQ(points.GetSize(), 0);
}

TEST_F(ArcTest, CirclesOnDifferentCentres)
{
  CVRX2DPointArray points;
  Arc(0, 0, 1, 1, 0, 0, 0).IntersectArc(Arc(1, 0, 1, 1, 0, 0, 0), points);
  ASSERT_EQ(points.GetSize(), 2);
  ExpectPoint(*points[0], 0.5, -std::sqrt(0.75));
  ExpectPoint(*points[1], 0.5, std::sqrt(0.75));
  Arc(0, 0, 1, 1, 0, 0, 0).IntersectArc(Arc(0, 3, 1, 1, 0, 0, 0), points);
  EXPECT_EQ(points.GetSize(), 0);
  // Concentric circles of different radii have no radical line.
  Arc(0, 0, 1, 1, 0, 0, 0).IntersectArc(Arc(0, 0, 2, 2, 0, 0, 0), points);
  EXPECT_EQ(points.GetSize(), 0);
}

TEST_F(ArcTest, SameEllipseGivesEndsOfCommonPart)
{
  CVRX2DPointArray points;
  Arc(0, 0, 1, 1, 0, 0, VRX_HALF_PI).IntersectArc(Arc(0, 0, 1, 1, 0, VRX_HALF_PI, VRX_PI), points);
  ASSERT_EQ(points.GetSize(), 1);
  ExpectPoint(*points[0], 0, 1);

  CVRX2DArc a = Arc(0, 0, 1, 1, 0, 0, VRX_PI);
  a.IntersectArc(Arc(0, 0, 1, 1, 2.0, VRX_HALF_PI, 3 * VRX_HALF_PI), points);
  ASSERT_EQ(points.GetSize(), 2);
  ExpectPoint(*points[0], -1, 0);
  ExpectPoint(*points[1], 0, 1);

  // The other one lies inside this arc.
  CVRX2DArc wide = Arc(0, 0, 1, 1, 0, 0, 3 * VRX_HALF_PI), inner = Arc(0, 0, 1, 1, 0, VRX_HALF_PI, VRX_PI);
  EXPECT_TRUE(wide.Overlaps(inner));
  EXPECT_TRUE(inner.Overlaps(wide));
  wide.IntersectArc(inner, points);
  ASSERT_EQ(points.GetSize(), 2);
  ExpectPoint(*points[0], 0, 1);
  ExpectPoint(*points[1], -1, 0);

  // Overlapping at both ends of a wrap-around: two stretches, each start followed by its end.
  CVRX2DArc b = Arc(0, 0, 1, 1, 0, 3 * VRX_HALF_PI, VRX_HALF_PI);
  CVRX2DArc c = Arc(0, 0, 1, 1, 0, 0, 2 * VRX_PI - 0.2);
  c.IntersectArc(b, points);
  ASSERT_EQ(points.GetSize(), 4);
  ExpectPoint(*points[0], 1, 0);
  ExpectPoint(*points[1], 0, 1);
  ExpectPoint(*points[2], std::cos(-0.2), std::sin(-0.2));
  ExpectPoint(*points[3], 0, -1);

  a.IntersectArc(a, points);
  ASSERT_EQ(points.GetSize(), 2);
  ExpectPoint(*points[0], 1, 0);
  ExpectPoint(*points[1], -1, 0);
  Arc(0, 0, 1, 1, 0, 1, 1).IntersectArc(a, points);
  ASSERT_EQ(points.GetSize(), 2);
  ExpectPoint(*points[0], 1, 0);
  Arc(0, 0, 1, 1, 0, 1, 1).IntersectArc(Arc(0, 0, 1, 1, 0, 2, 2), points);
  EXPECT_EQ(points.GetSize(), 0);
  EXPECT_FALSE(a.Overlaps(Arc(0, 0, 1, 1, 0, 4, 5)));
}

TEST_F(ArcTest, SameEllipseWhateverAxisOfACircle)
{
  CVRX2DArc a = Arc(0, 0, 1, 1, 0.0, 0, VRX_HALF_PI), b = Arc(0, 0, 1, 1, 1.0, VRX_HALF_PI, VRX_PI);
  EXPECT_TRUE(a.IsSameEllipse(b));
  EXPECT_TRUE(Arc(0, 0, 2, 1, 0.3, 0, 1).IsSameEllipse(Arc(0, 0, 2, 1, 0.3 + VRX_PI, 0, 1)));
  EXPECT_FALSE(Arc(0, 0, 2, 1, 0.3, 0, 1).IsSameEllipse(Arc(0, 0, 2, 1, 0.4, 0, 1)));
}

// A strongly flattened image must not lose its minor term to cancellation (infinite radius).
TEST_F(ArcTest, FlatImageKeepsFiniteExactRadii)
{
  for (double axis : {0.0, 0.3}) {
    CVRX2DArc circle = Arc(0, 0, 1, 1, axis, 0, VRX_HALF_PI);
    CVRX2DTransformationMatrix m(CVRXAngle(0.4));
    m.Scale(1e8, 1.0);
    circle.Transform(m);
    ASSERT_TRUE(std::isfinite(circle.GetMajorRadius())) << axis;
    EXPECT_NEAR(circle.GetMajorRadius(), 1e8, 1e-6 * 1e8) << axis;
    EXPECT_NEAR(circle.GetMinorRadius(), 1, 1e-9) << axis;
  }
  CVRX2DArc ellipse = Arc(0, 0, 3, 2, 0.7, 0, 1);
  ellipse.Transform(CVRX2DTransformationMatrix(1e7, 1.0));
  ASSERT_TRUE(std::isfinite(ellipse.GetMajorRadius()));
  EXPECT_NEAR(ellipse.GetMajorRadius() * ellipse.GetMinorRadius(), 3 * 2 * 1e7, 1e-6 * 6e7);
}
