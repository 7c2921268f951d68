// Guards the fuzzy comparisons of points, vectors and angles: strict tolerances, the setter rule,
// box widening, angle normalisation, ordering and sweeps.
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "GeoTestUtil.h"
#include "geometry/2dvector.h"

using ValuesTest = GeometryTest;

TEST_F(ValuesTest, PointEqualityIsStrictlyBelowTolerance)
{
  EXPECT_TRUE(CVRX2DPoint(0, 0) == CVRX2DPoint(0.9e-7, 0));
  EXPECT_FALSE(CVRX2DPoint(0, 0) == CVRX2DPoint(1e-7, 0));
  EXPECT_TRUE(CVRX2DPoint(0, 0) != CVRX2DPoint(0, 1e-7));
  EXPECT_TRUE(CVRX2DVector(1, 1) == CVRX2DVector(1, 1 + 0.9e-7));
  EXPECT_TRUE(CVRX2DVector(1, 1) != CVRX2DVector(1, 1 + 1e-7));
}

TEST_F(ValuesTest, PointToleranceSetterRule)
{
  CVRX2DPoint::SetTolerance(0.01);
  EXPECT_TRUE(CVRX2DPoint(0, 0) == CVRX2DPoint(0.005, 0));
  CVRX2DPoint::SetTolerance(5e-8);
  EXPECT_EQ(CVRX2DPoint::GetTolerance(), 0.0);
  EXPECT_TRUE(CVRX2DPoint(3, 4) == CVRX2DPoint(3, 4));
  EXPECT_FALSE(CVRX2DPoint(3, 4) == CVRX2DPoint(3, 4 + 1e-12));
  CVRX2DPoint::SetTolerance(-1);
  EXPECT_EQ(CVRX2DPoint::GetTolerance(), 0.0);
  CVRX2DPoint::SetTolerance(1e-7);
  EXPECT_EQ(CVRX2DPoint::GetTolerance(), 1e-7);
}

TEST_F(ValuesTest, BoxIsWidenedByToleranceAndTakesCornersInAnyOrder)
{
  CVRX2DPoint a(0, 0), b(10, 5);
  EXPECT_TRUE(CVRX2DPoint(10, 5).IsInBox(a, b));
  EXPECT_TRUE(CVRX2DPoint(-0.5e-7, 2).IsInBox(a, b));
  EXPECT_TRUE(CVRX2DPoint(3, 2).IsInBox(b, a));
  EXPECT_FALSE(CVRX2DPoint(10.001, 2).IsInBox(a, b));
  EXPECT_FALSE(CVRX2DPoint(-2e-7, 2).IsInBox(a, b));
  EXPECT_FALSE(CVRX2DPoint(5, 5.001).IsInBox(b, a));
}

TEST_F(ValuesTest, PositionTestsNeedMoreThanTolerance)
{
  CVRX2DPoint p(1, 1);
  EXPECT_FALSE(CVRX2DPoint(1, 1 + 0.5e-7).IsAbove(p));
  EXPECT_TRUE(CVRX2DPoint(1, 1 + 2e-7).IsAbove(p));
  EXPECT_TRUE(CVRX2DPoint(1, 0.9).IsBelow(p));
  EXPECT_TRUE(CVRX2DPoint(0.9, 1).IsLeftOf(p));
  EXPECT_FALSE(CVRX2DPoint(1 + 0.5e-7, 1).IsRightOf(p));
}

TEST_F(ValuesTest, VectorArithmeticAndDirections)
{
  CVRX2DPoint p(1, 2), q(4, 6);
  CVRX2DVector v = q - p;
  EXPECT_EQ(v.GetLength(), 5.0);
  EXPECT_EQ(CVRX2DVector(p, q), v);
  ExpectPoint(p + v, 4, 6);
  ExpectPoint(q - v, 1, 2);
  EXPECT_EQ(v.Dot(CVRX2DVector(1, 0)), 3.0);
  EXPECT_EQ(CVRX2DVector(1, 0).Cross(CVRX2DVector(0, 1)), 1.0);
  EXPECT_EQ(CVRX2DVector().GetAngle().GetRadians(), 0.0);
  EXPECT_NEAR(CVRX2DVector(0, -2).GetAngle().GetRadians(), 3 * VRX_HALF_PI, 1e-12);
  CVRX2DVector polar(2.0, CVRXAngle(VRX_HALF_PI));
  EXPECT_NEAR(polar.GetX(), 0, 1e-12);
  EXPECT_NEAR(polar.GetY(), 2, 1e-12);
  EXPECT_NEAR(p.AngleTo(CVRX2DPoint(0, 2)).GetRadians(), VRX_PI, 1e-12);
  EXPECT_EQ(v[0], 3.0);
  EXPECT_EQ(v[1], 4.0);
}

TEST_F(ValuesTest, AnglesAreNormalisedIntoOneTurn)
{
  EXPECT_NEAR(CVRXAngle(-VRX_HALF_PI).GetRadians(), 3 * VRX_HALF_PI, 1e-12);
  EXPECT_NEAR(CVRXAngle(5 * VRX_PI).GetRadians(), VRX_PI, 1e-12);
  EXPECT_EQ(CVRXAngle(VRX_TWO_PI).GetRadians(), 0.0);
  for (double r : {-1e-320, -1e-17, 1e300, -1e300, VRX_TWO_PI - 1e-17}) {
    double n = CVRXAngle(r).GetRadians();
    EXPECT_TRUE(n >= 0.0 && n < VRX_TWO_PI) << r;
  }
  EXPECT_NEAR((-CVRXAngle(1.0)).GetRadians(), VRX_TWO_PI - 1.0, 1e-12);
  EXPECT_NEAR((CVRXAngle(6.0) + 1.0).GetRadians(), 7.0 - VRX_TWO_PI, 1e-12);
}

TEST_F(ValuesTest, AngleEqualityWrapsAndOrderingUsesToleranceAsMargin)
{
  EXPECT_TRUE(CVRXAngle(0.0005) == CVRXAngle(6.2830));
  EXPECT_FALSE(CVRXAngle(0.0) == CVRXAngle(0.002));
  EXPECT_FALSE(CVRXAngle(1.0) < CVRXAngle(1.0005));
  EXPECT_TRUE(CVRXAngle(1.0) < CVRXAngle(1.002));
  // a <= b means a <= b - t: equal angles are not "<=".
  EXPECT_FALSE(CVRXAngle(1.0) <= CVRXAngle(1.0));
  EXPECT_TRUE(CVRXAngle(1.0) <= CVRXAngle(1.0015));
  EXPECT_FALSE(CVRXAngle(1.0005) > CVRXAngle(1.0));
  EXPECT_TRUE(CVRXAngle(1.002) > CVRXAngle(1.0));
}

TEST_F(ValuesTest, AngleToleranceSetterRule)
{
  CVRXAngle::SetTolerance(0.01);
  EXPECT_TRUE(CVRXAngle(1.0) == CVRXAngle(1.005));
  CVRXAngle::SetTolerance(0.0005);
  EXPECT_EQ(CVRXAngle::GetTolerance(), 0.0);
  EXPECT_TRUE(CVRXAngle(1.0) == CVRXAngle(1.0));
  EXPECT_FALSE(CVRXAngle(1.0) == CVRXAngle(1.0 + 1e-12));
  CVRXAngle::SetTolerance(-3);
  EXPECT_EQ(CVRXAngle::GetTolerance(), 0.0);
}

TEST_F(ValuesTest, IsBetweenSweepsCounterClockwise)
{
  EXPECT_TRUE(CVRXAngle(0.1).IsBetween(CVRXAngle(6.0), CVRXAngle(0.5)));
  EXPECT_TRUE(CVRXAngle(3.0).IsBetween(CVRXAngle(0.5), CVRXAngle(6.0)));
  EXPECT_FALSE(CVRXAngle(6.2).IsBetween(CVRXAngle(0.5), CVRXAngle(6.0)));
  EXPECT_FALSE(CVRXAngle(3.0).IsBetween(CVRXAngle(6.0), CVRXAngle(0.5)));
  EXPECT_TRUE(CVRXAngle(4.0).IsBetween(CVRXAngle(2.0), CVRXAngle(2.0)));
  EXPECT_TRUE(CVRXAngle(0.5005).IsBetween(CVRXAngle(1.0), CVRXAngle(0.5)));
}

TEST_F(ValuesTest, Atan2AndDegrees)
{
  EXPECT_EQ(VRXAtan2(0, 0), 0.0);
  EXPECT_EQ(VRXAtan2(-0.0, -0.0), 0.0);
  EXPECT_EQ(VRXAtan2(0, -1), VRX_PI);
  EXPECT_EQ(VRXAtan2(-0.0, -1), VRX_PI);
  // The directions along the axes are the library's, to the bit and the sign of zero.
  for (const double length : {1e-300, 0.5, 1.0, 37.25, 1e300})
    for (const auto& [y, x] :
         {std::pair{0.0, length}, std::pair{-0.0, length}, std::pair{length, 0.0}, std::pair{-length, 0.0},
          std::pair{length, -0.0}, std::pair{-length, -0.0}, std::pair{0.0, -length}}) {
      const double expected = std::atan2(y, x);
      const double got = VRXAtan2(y, x);
      EXPECT_EQ(std::bit_cast<std::uint64_t>(got), std::bit_cast<std::uint64_t>(expected)) << y << ", " << x;
    }
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_TRUE(std::isnan(VRXAtan2(0.0, nan)));
  EXPECT_TRUE(std::isnan(VRXAtan2(nan, 0.0)));
  EXPECT_NEAR(VRXRadiansToDegrees(VRX_PI), 180.0, 1e-12);
}
