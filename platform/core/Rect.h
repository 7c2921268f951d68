#pragma once
// Integer device geometry: points, sizes and rectangles with the class library's semantics
// (a rectangle excludes its right and bottom edges; empty when width or height is not positive).
#include <algorithm>

#include "platform/core/Types.h"

struct POINT
{
  LONG x;
  LONG y;
};

struct SIZE
{
  LONG cx;
  LONG cy;
};

struct RECT
{
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};

class CSize : public SIZE
{
public:
  CSize() : SIZE{0, 0} {}
  CSize(int x, int y) : SIZE{x, y} {}
  CSize(SIZE s) : SIZE(s) {}
  friend bool operator==(const CSize& a, const CSize& b) { return a.cx == b.cx && a.cy == b.cy; }
  CSize operator-() const { return CSize(-cx, -cy); }
  CSize operator+(CSize o) const { return CSize(cx + o.cx, cy + o.cy); }
  CSize operator-(CSize o) const { return CSize(cx - o.cx, cy - o.cy); }
};

class CPoint : public POINT
{
public:
  CPoint() : POINT{0, 0} {}
  CPoint(int x0, int y0) : POINT{x0, y0} {}
  CPoint(POINT p) : POINT(p) {}
  explicit CPoint(SIZE s) : POINT{s.cx, s.cy} {}
  void Offset(int dx, int dy)
  {
    x += dx;
    y += dy;
  }
  void Offset(CSize s) { Offset(s.cx, s.cy); }
  friend bool operator==(const CPoint& a, const CPoint& b) { return a.x == b.x && a.y == b.y; }
  CPoint& operator+=(CSize s)
  {
    Offset(s);
    return *this;
  }
  CPoint& operator-=(CSize s)
  {
    Offset(-s.cx, -s.cy);
    return *this;
  }
  CPoint operator+(CSize s) const { return CPoint(x + s.cx, y + s.cy); }
  CPoint operator-(CSize s) const { return CPoint(x - s.cx, y - s.cy); }
  CSize operator-(CPoint p) const { return CSize(x - p.x, y - p.y); }
  CPoint operator-() const { return CPoint(-x, -y); }
};

class CRect : public RECT
{
public:
  CRect() : RECT{0, 0, 0, 0} {}
  CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
  CRect(const RECT& r) : RECT(r) {}
  CRect(CPoint topLeft, CSize size) : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}
  CRect(CPoint topLeft, CPoint bottomRight) : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CSize Size() const { return CSize(Width(), Height()); }
  CPoint TopLeft() const { return CPoint(left, top); }
  CPoint BottomRight() const { return CPoint(right, bottom); }
  CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
  BOOL IsRectEmpty() const { return right <= left || bottom <= top; }
  BOOL IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  BOOL PtInRect(CPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  void SetRect(int l, int t, int r, int b)
  {
    left = l;
    top = t;
    right = r;
    bottom = b;
  }
  void SetRectEmpty() { SetRect(0, 0, 0, 0); }
  void OffsetRect(int dx, int dy)
  {
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
  }
  void OffsetRect(CSize s) { OffsetRect(s.cx, s.cy); }
  void OffsetRect(CPoint p) { OffsetRect(p.x, p.y); }
  void InflateRect(int dx, int dy)
  {
    left -= dx;
    right += dx;
    top -= dy;
    bottom += dy;
  }
  void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
  void NormalizeRect()
  {
    if (left > right)
      std::swap(left, right);
    if (top > bottom)
      std::swap(top, bottom);
  }
  // Both return FALSE and leave an empty rectangle when the result is empty.
  BOOL IntersectRect(const RECT& a, const RECT& b)
  {
    SetRect(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom));
    if (IsRectEmpty()) {
      SetRectEmpty();
      return FALSE;
    }
    return TRUE;
  }
  BOOL UnionRect(const RECT& a, const RECT& b)
  {
    const CRect ra(a), rb(b);
    if (ra.IsRectEmpty())
      *this = rb;
    else if (rb.IsRectEmpty())
      *this = ra;
    else
      SetRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom));
    if (IsRectEmpty()) {
      SetRectEmpty();
      return FALSE;
    }
    return TRUE;
  }
  friend bool operator==(const CRect& a, const CRect& b)
  {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }
};
