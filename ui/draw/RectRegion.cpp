#include "ui/draw/RectRegion.h"

#include <algorithm>

namespace {
// Appends the parts of r that lie outside cut (at most four rectangles).
void AppendDifference(const CRect& r, const CRect& cut, std::vector<CRect>& out)
{
  CRect inter;
  if (!inter.IntersectRect(r, cut)) {
    out.push_back(r);
    return;
  }
  if (r.top < inter.top)
    out.emplace_back(r.left, r.top, r.right, inter.top);
  if (inter.bottom < r.bottom)
    out.emplace_back(r.left, inter.bottom, r.right, r.bottom);
  if (r.left < inter.left)
    out.emplace_back(r.left, inter.top, inter.left, inter.bottom);
  if (inter.right < r.right)
    out.emplace_back(inter.right, inter.top, r.right, inter.bottom);
}
}  // namespace

CRect CRectRegion::GetBounds() const
{
  CRect bounds;
  for (const CRect& r : m_rects)
    bounds.UnionRect(bounds, r);
  return bounds;
}

long CRectRegion::Area() const
{
  long area = 0;
  for (const CRect& r : m_rects)
    area += static_cast<long>(r.Width()) * r.Height();
  return area;
}

BOOL CRectRegion::Contains(int x, int y) const
{
  return std::any_of(m_rects.begin(), m_rects.end(), [&](const CRect& r) { return r.PtInRect(CPoint(x, y)); });
}

BOOL CRectRegion::Intersects(const CRect& rect) const
{
  CRect inter;
  return std::any_of(m_rects.begin(), m_rects.end(), [&](const CRect& r) { return inter.IntersectRect(r, rect); });
}

BOOL CRectRegion::ContainsRect(const CRect& rect) const
{
  if (rect.IsRectEmpty())
    return TRUE;
  // Most regions are one rectangle. Otherwise, the pieces being disjoint, the rectangle lies
  // within them when the parts of it they cover add up to all of it: no rest is made, and the
  // handles of thousands of units deselected at once ask this of the invalid region each time.
  long long covered = 0;
  for (const CRect& r : m_rects) {
    if (r.left <= rect.left && r.top <= rect.top && r.right >= rect.right && r.bottom >= rect.bottom)
      return TRUE;
    const long long width = static_cast<long long>(std::min(r.right, rect.right)) - std::max(r.left, rect.left);
    const long long height = static_cast<long long>(std::min(r.bottom, rect.bottom)) - std::max(r.top, rect.top);
    if (width > 0 && height > 0)
      covered += width * height;
  }
  return covered == static_cast<long long>(rect.Width()) * rect.Height();
}

void CRectRegion::Union(const CRect& rect)
{
  CRect r(rect);
  r.NormalizeRect();
  if (r.IsRectEmpty())
    return;
  // Only the parts of the new rectangle not yet covered are added, so rectangles stay disjoint.
  std::vector<CRect> pieces{r};
  for (const CRect& existing : m_rects) {
    std::vector<CRect> rest;
    for (const CRect& piece : pieces)
      AppendDifference(piece, existing, rest);
    pieces.swap(rest);
    if (pieces.empty())
      return;
  }
  m_rects.insert(m_rects.end(), pieces.begin(), pieces.end());
}

void CRectRegion::Union(const CRectRegion& other)
{
  for (const CRect& r : other.m_rects)
    Union(r);
}

void CRectRegion::Subtract(const CRect& rect)
{
  std::vector<CRect> rest;
  for (const CRect& r : m_rects)
    AppendDifference(r, rect, rest);
  m_rects.swap(rest);
}

void CRectRegion::Subtract(const CRectRegion& other)
{
  for (const CRect& r : other.m_rects)
    Subtract(r);
}

void CRectRegion::Intersect(const CRect& rect)
{
  std::vector<CRect> kept;
  for (const CRect& r : m_rects) {
    CRect inter;
    if (inter.IntersectRect(r, rect))
      kept.push_back(inter);
  }
  m_rects.swap(kept);
}

void CRectRegion::Intersect(const CRectRegion& other)
{
  std::vector<CRect> kept;
  for (const CRect& a : m_rects)
    for (const CRect& b : other.m_rects) {
      CRect inter;
      if (inter.IntersectRect(a, b))
        kept.push_back(inter);
    }
  m_rects.swap(kept);
}

void CRectRegion::Xor(const CRectRegion& other)
{
  CRectRegion common(*this);
  common.Intersect(other);
  Union(other);
  Subtract(common);
}

void CRectRegion::Offset(int dx, int dy)
{
  for (CRect& r : m_rects)
    r.OffsetRect(dx, dy);
}

void CRectRegion::SpansOnRow(int y, int x0, int x1, std::vector<std::pair<int, int>>& spans) const
{
  spans.clear();
  for (const CRect& r : m_rects) {
    if (y < r.top || y >= r.bottom)
      continue;
    const int a = std::max(x0, static_cast<int>(r.left));
    const int b = std::min(x1, static_cast<int>(r.right));
    if (a < b)
      spans.emplace_back(a, b);
  }
}

bool operator==(const CRectRegion& a, const CRectRegion& b)
{
  CRectRegion diff(a);
  diff.Xor(b);
  return diff.IsEmpty() == TRUE;
}
