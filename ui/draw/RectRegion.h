#pragma once
// A pixel region kept as disjoint rectangles (right and bottom edges excluded): the invalid
// region of a window, device clip regions and GDI regions. Plain values, no display needed.
#include <vector>

#include "platform/core/Rect.h"

class CRectRegion
{
public:
  CRectRegion() = default;
  explicit CRectRegion(const CRect& rect) { Union(rect); }

  BOOL IsEmpty() const { return m_rects.empty(); }
  void Clear() { m_rects.clear(); }
  const std::vector<CRect>& Rects() const { return m_rects; }
  CRect GetBounds() const;
  long Area() const;
  BOOL Contains(int x, int y) const;
  BOOL Intersects(const CRect& rect) const;
  // True when the rectangle lies within the region (an empty rectangle always does).
  BOOL ContainsRect(const CRect& rect) const;

  void Union(const CRect& rect);
  void Union(const CRectRegion& other);
  void Subtract(const CRect& rect);
  void Subtract(const CRectRegion& other);
  void Intersect(const CRect& rect);
  void Intersect(const CRectRegion& other);
  void Xor(const CRectRegion& other);
  void Offset(int dx, int dy);

  // The part of the region inside one scanline [x0, x1) of row y, as disjoint spans.
  void SpansOnRow(int y, int x0, int x1, std::vector<std::pair<int, int>>& spans) const;

  friend bool operator==(const CRectRegion& a, const CRectRegion& b);

private:
  std::vector<CRect> m_rects;
};
