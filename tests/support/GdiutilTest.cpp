// Guards the device-coordinate helpers: rounding halves away from zero, 16-bit clamping, and
// clipping a segment to a box without off-by-one errors at the right and bottom edges.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "support/Gdiutil.h"

namespace {
struct Clip
{
  BOOL visible;
  POINT p1, p2;
};

Clip ClipOf(POINT p1, POINT p2, int left, int top, int width, int height)
{
  BOOL visible = ClipLineToRect(p1, p2, left, top, width, height);
  return Clip{visible, p1, p2};
}

void ExpectClip(const Clip& c, BOOL visible, POINT p1, POINT p2)
{
  EXPECT_EQ(c.visible, visible);
  EXPECT_EQ(c.p1.x, p1.x);
  EXPECT_EQ(c.p1.y, p1.y);
  EXPECT_EQ(c.p2.x, p2.x);
  EXPECT_EQ(c.p2.y, p2.y);
}
}  // namespace

TEST(GdiUtil, RoundHalvesAwayFromZero)
{
  EXPECT_EQ(Round(2.5), 3.0);
  EXPECT_EQ(Round(-2.5), -3.0);
  EXPECT_EQ(Round(-0.4), 0.0);
  EXPECT_FALSE(std::signbit(Round(-0.4)));
  EXPECT_EQ(Round(2.4999), 2.0);
  EXPECT_EQ(Round(-7.6), -8.0);
}

// Rounding takes a shortcut where the value fits an integer; at its edges and beyond it, the
// answer must be the one floor and ceil give.
TEST(GdiUtil, RoundAgreesWithFloorAndCeilAtEveryMagnitude)
{
  auto reference = [](double x) {
    const double r = x >= 0 ? std::floor(x + 0.5) : std::ceil(x - 0.5);
    return r == 0.0 ? 0.0 : r;
  };
  const double limit = 4503599627370496.0;
  std::vector<double> values = {0.0,
                                -0.0,
                                0.49999999999999994,
                                -0.49999999999999994,
                                0.5,
                                -0.5,
                                1.5,
                                -1.5,
                                std::nextafter(limit, 0.0),
                                -std::nextafter(limit, 0.0),
                                limit - 0.5,
                                limit,
                                -limit,
                                limit + 2.0,
                                9.3e18,
                                -9.3e18,
                                1e300,
                                -1e300,
                                std::numeric_limits<double>::infinity(),
                                -std::numeric_limits<double>::infinity()};
  for (double x = -3.0; x <= 3.0; x += 0.125)
    values.push_back(x);
  for (int k = 0; k < 64; ++k)
    values.push_back(std::ldexp(1.0, k) + 0.5);
  for (double x : values) {
    EXPECT_EQ(Round(x), reference(x)) << x;
    EXPECT_EQ(std::signbit(Round(x)), std::signbit(reference(x))) << x;
  }
  EXPECT_TRUE(std::isnan(Round(std::nan(""))));
}

TEST(GdiUtil, ClampsToShortRange)
{
  EXPECT_EQ(ClampToShort(40000), 32767);
  EXPECT_EQ(ClampToShort(-40000), -32768);
  EXPECT_EQ(ClampToShort(123), 123);
  RECT r = MakeClampedRect(-50000, 10, 50000, 32768);
  EXPECT_EQ(r.left, -32768);
  EXPECT_EQ(r.top, 10);
  EXPECT_EQ(r.right, 32767);
  EXPECT_EQ(r.bottom, 32767);
}

TEST(GdiUtil, ClipsAxisSegmentsToLastPixel)
{
  ExpectClip(ClipOf({-100, 50}, {300, 50}, 0, 0, 200, 100), TRUE, {0, 50}, {199, 50});
  ExpectClip(ClipOf({10, 120}, {10, -5}, 0, 0, 200, 100), TRUE, {10, 99}, {10, 0});
  ExpectClip(ClipOf({10, 20}, {199, 20}, 0, 0, 200, 100), TRUE, {10, 20}, {199, 20});
  ExpectClip(ClipOf({250, 20}, {250, 30}, 0, 0, 200, 100), FALSE, {250, 20}, {250, 30});
  // Wholly above: the ends are clamped onto the edge, but nothing shows.
  ExpectClip(ClipOf({10, -30}, {10, -5}, 0, 0, 200, 100), FALSE, {10, 0}, {10, 0});
  ExpectClip(ClipOf({300, 50}, {250, 50}, 0, 0, 200, 100), FALSE, {199, 50}, {199, 50});
}

TEST(GdiUtil, ClipsDiagonalsKeepingEachEndInItsRole)
{
  ExpectClip(ClipOf({-10, 10}, {30, 30}, 0, 0, 20, 20), TRUE, {0, 15}, {8, 19});
  ExpectClip(ClipOf({30, 30}, {-10, 10}, 0, 0, 20, 20), TRUE, {8, 19}, {0, 15});
  ExpectClip(ClipOf({5, 25}, {25, 5}, 0, 0, 20, 20), TRUE, {11, 19}, {19, 11});
  ExpectClip(ClipOf({2, 3}, {15, 12}, 0, 0, 20, 20), TRUE, {2, 3}, {15, 12});
  // Passing outside the corner changes nothing.
  ExpectClip(ClipOf({-10, 5}, {5, -10}, 0, 0, 20, 20), FALSE, {-10, 5}, {5, -10});
  // Far-off ends need no int overflow to be clipped.
  ExpectClip(ClipOf({-2000000000, 0}, {2000000000, 1}, 0, 0, 200, 100), TRUE, {0, 1}, {199, 1});
  ExpectClip(ClipOf({1, 1}, {5, 5}, 0, 0, 0, 20), FALSE, {1, 1}, {5, 5});
}

TEST(GdiUtil, ExcludedCategories)
{
  EXPECT_TRUE(IsOutputExcludedCategory(1));
  EXPECT_TRUE(IsOutputExcludedCategory(24));
  EXPECT_FALSE(IsOutputExcludedCategory(25));
  EXPECT_FALSE(IsOutputExcludedCategory(0));
  EXPECT_FALSE(IsOutputExcludedCategory(-3));
}
