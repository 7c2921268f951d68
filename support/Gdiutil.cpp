#include "support/Gdiutil.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

namespace {
constexpr int kShortMin = -32768;
constexpr int kShortMax = 32767;

// Device coordinates from doubles that may lie far outside any int.
LONG ToDevice(double v)
{
  return static_cast<LONG>(std::clamp(Round(v), static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

struct Box
{
  long long left, top, right, bottom;
  bool Holds(const POINT& p) const { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
};

// A segment along one axis: `along` runs between lo and hi, `across` must lie in [acrossLo, acrossHi].
// The ends are clamped into the box; wholly beside it the clamped ends stay but nothing shows.
BOOL ClipAxisSegment(LONG& along1, LONG& along2, LONG across, long long lo, long long hi, long long acrossLo,
                     long long acrossHi)
{
  if (across < acrossLo || across > acrossHi)
    return FALSE;
  bool visible = !(along1 < lo && along2 < lo) && !(along1 > hi && along2 > hi);
  along1 = static_cast<LONG>(std::clamp<long long>(along1, lo, hi));
  along2 = static_cast<LONG>(std::clamp<long long>(along2, lo, hi));
  return visible ? TRUE : FALSE;
}

BOOL ClipOblique(POINT& p1, POINT& p2, const Box& box, long long width, long long height)
{
  bool swapped = p2.x < p1.x;
  POINT a = swapped ? p2 : p1;
  POINT b = swapped ? p1 : p2;
  double m = (static_cast<double>(b.y) - a.y) / (static_cast<double>(b.x) - a.x);
  double c = b.y - b.x * m;
  LONG yAtLeft = ToDevice(m * box.left + c);
  LONG yAtRight = ToDevice(m * box.right + c);
  LONG xAtTop = ToDevice((box.top - c) / m);
  LONG xAtBottom = ToDevice((box.bottom - c) / m);
  if (a.x < box.left)
    a = POINT{static_cast<LONG>(box.left), yAtLeft};
  if (b.x > box.right)
    b = POINT{static_cast<LONG>(box.right), yAtRight};
  if (m < 0) {
    if (a.y > box.bottom)
      a = POINT{xAtBottom, static_cast<LONG>(box.bottom)};
    if (b.y < box.top)
      b = POINT{xAtTop, static_cast<LONG>(box.top)};
  } else {
    if (a.y < box.top)
      a = POINT{xAtTop, static_cast<LONG>(box.top)};
    if (b.y > box.bottom)
      b = POINT{xAtBottom, static_cast<LONG>(box.bottom)};
  }
  // The device rectangle test: right and bottom edges excluded.
  Box device{box.left, box.top, box.left + width - 1, box.top + height - 1};
  if (!device.Holds(a) || !device.Holds(b))
    return FALSE;
  p1 = swapped ? b : a;
  p2 = swapped ? a : b;
  return TRUE;
}
}  // namespace

int ClampToShort(int v) { return std::clamp(v, kShortMin, kShortMax); }

RECT MakeClampedRect(int left, int top, int right, int bottom)
{
  return RECT{ClampToShort(left), ClampToShort(top), ClampToShort(right), ClampToShort(bottom)};
}

BOOL ClipLineToRect(POINT& p1, POINT& p2, int left, int top, int width, int height)
{
  Box box{left, top, std::min<long long>(static_cast<long long>(left) + width - 1, kShortMax),
          std::min<long long>(static_cast<long long>(top) + height - 1, kShortMax)};
  // An empty box (also one wholly past the device range) shows nothing.
  if (box.right < box.left || box.bottom < box.top)
    return FALSE;
  if (box.Holds(p1) && box.Holds(p2))
    return TRUE;
  if (p1.x == p2.x)
    return ClipAxisSegment(p1.y, p2.y, p1.x, box.top, box.bottom, box.left, box.right);
  if (p1.y == p2.y)
    return ClipAxisSegment(p1.x, p2.x, p1.y, box.left, box.right, box.top, box.bottom);
  return ClipOblique(p1, p2, box, width, height);
}

BOOL IsOutputExcludedCategory(int category) { return category >= 1 && category <= 24 ? TRUE : FALSE; }
