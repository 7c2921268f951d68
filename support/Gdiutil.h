#pragma once
// Keeps device points drawable on 16-bit device coordinates: rounding to whole units, clamping to
// the short range, clipping a segment to a visible box, and the categories a view copy leaves out.
#include <cmath>

#include "platform/core/Rect.h"

// Halves away from zero; never -0.0. Inline: drawing rounds every point it converts.
inline double Round(double x)
{
  // Where the sum fits a 64-bit integer, cutting it toward zero is floor (or ceil below zero)
  // of the same sum, without the branches of the library's rounding.
  constexpr double kExactLimit = 4503599627370496.0;  // 2^52
  if (std::abs(x) < kExactLimit) {
    const double r = static_cast<double>(static_cast<long long>(x >= 0 ? x + 0.5 : x - 0.5));
    return r == 0.0 ? 0.0 : r;
  }
  const double r = x >= 0 ? std::floor(x + 0.5) : std::ceil(x - 0.5);
  return r == 0.0 ? 0.0 : r;
}
int ClampToShort(int v);
RECT MakeClampedRect(int left, int top, int right, int bottom);
// Clips p1-p2 in place to the box left..left+width-1 by top..top+height-1 (each edge at most
// 32767). TRUE when something of the segment is visible.
BOOL ClipLineToRect(POINT& p1, POINT& p2, int left, int top, int width, int height);
// Entity categories 1 to 24 stay out of clipboard, DXF and print copies of a view.
BOOL IsOutputExcludedCategory(int category);
