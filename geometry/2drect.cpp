#include "geometry/2drect.h"

#include <new>
#include <utility>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "geometry/2dptent.h"
#include "support/VEntExcp.h"

IMPLEMENT_DYNAMIC(CVRX2DRectangle, CVRX2DEntity)

namespace {
constexpr const char* kModule = "2drect";
constexpr int kCloneFailedLine = 54;
constexpr int kTooManyRectPointsLine = 351;
constexpr int kTooManyArcPointsLine = 372;
constexpr int kTooManyLinePointsLine = 393;

// Sanity limits of the edge walk: a line crosses a box twice at most, an ellipse eight times.
constexpr int kLineLimit = 2;
constexpr int kArcLimit = 8;
constexpr int kRectLimit = 4;
}  // namespace

CVRX2DRectangle::CVRX2DRectangle() : CVRX2DEntity(VRX_RECTANGLE) {}

CVRX2DRectangle::CVRX2DRectangle(const CVRX2DPoint& a, const CVRX2DPoint& b)
  : CVRX2DEntity(VRX_RECTANGLE), minCorner(a), maxCorner(b)
{
  Normalize();
}

void CVRX2DRectangle::Normalize()
{
  if (minCorner.IsRightOf(maxCorner)) {
    double x = minCorner.GetX();
    minCorner.SetX(maxCorner.GetX());
    maxCorner.SetX(x);
  }
  if (minCorner.IsAbove(maxCorner)) {
    double y = minCorner.GetY();
    minCorner.SetY(maxCorner.GetY());
    maxCorner.SetY(y);
  }
}

void CVRX2DRectangle::Include(const CVRX2DPoint& p)
{
  if (p.IsLeftOf(minCorner))
    minCorner.SetX(p.GetX());
  else if (p.IsRightOf(maxCorner))
    maxCorner.SetX(p.GetX());
  if (p.IsBelow(minCorner))
    minCorner.SetY(p.GetY());
  else if (p.IsAbove(maxCorner))
    maxCorner.SetY(p.GetY());
}

void CVRX2DRectangle::Include(const CVRX2DRectangle& other)
{
  Include(other.minCorner);
  Include(other.maxCorner);
}

bool CVRX2DRectangle::operator==(const CVRX2DRectangle& other) const
{
  return minCorner == other.minCorner && maxCorner == other.maxCorner;
}

CVRX2DRectangle* CVRX2DRectangle::Clone() const
{
  CVRX2DRectangle* copy = new (std::nothrow) CVRX2DRectangle(*this);
  if (!copy)
    throw CCommonMemoryException(kModule, kCloneFailedLine);
  return copy;
}

BOOL CVRX2DRectangle::Contains(const CVRX2DPoint& p) const
{
  return !p.IsLeftOf(minCorner) && !p.IsRightOf(maxCorner) && !p.IsBelow(minCorner) && !p.IsAbove(maxCorner);
}

void CVRX2DRectangle::Intersect(const CVRX2DEntity& other, CVRX2DPointArray& points) const
{
  other.IntersectRectangle(*this, points);
}

CVRX2DLine CVRX2DRectangle::GetEdge(int index) const
{
  switch (index) {
  case 0:
    return CVRX2DLine(0, minCorner, CVRX2DPoint(maxCorner.GetX(), minCorner.GetY()));
  case 1:
    return CVRX2DLine(0, maxCorner, CVRX2DPoint(maxCorner.GetX(), minCorner.GetY()));
  case 2:
    return CVRX2DLine(0, maxCorner, CVRX2DPoint(minCorner.GetX(), maxCorner.GetY()));
  default:
    return CVRX2DLine(0, minCorner, CVRX2DPoint(minCorner.GetX(), maxCorner.GetY()));
  }
}

template <class Keep>
void CVRX2DRectangle::WalkEdges(const CVRX2DEntity& other, CVRX2DPointArray& points, int limit, int overflowLine,
                                Keep keep) const
{
  points.RemoveAll();
  CVRX2DPointArray candidates;
  for (int i = 0; i < 4 && points.GetSize() < limit; ++i) {
    CVRX2DLine edge = GetEdge(i);
    edge.Intersect(other, candidates);
    for (int c = 0; c < candidates.GetSize(); ++c)
      if (keep(edge, *candidates[c]))
        points.AddUnique(*candidates[c]);
    if (points.GetSize() > limit)
      throw CVRXEntityException(kModule, overflowLine);
  }
}

void CVRX2DRectangle::IntersectLine(const CVRX2DLine& line, CVRX2DPointArray& points) const
{
  WalkEdges(line, points, kLineLimit, kTooManyLinePointsLine,
            [&line](const CVRX2DLine& edge, const CVRX2DPoint& p) { return edge.Contains(p) && line.Contains(p); });
}

void CVRX2DRectangle::IntersectArc(const CVRX2DArc& arc, CVRX2DPointArray& points) const
{
  WalkEdges(arc, points, kArcLimit, kTooManyArcPointsLine,
            [&arc](const CVRX2DLine& edge, const CVRX2DPoint& p) { return edge.Contains(p) && arc.Contains(p); });
}

void CVRX2DRectangle::IntersectRectangle(const CVRX2DRectangle& rect, CVRX2DPointArray& points) const
{
  if (*this == rect) {
    points.RemoveAll();
    points.AddCopy(rect.minCorner);
    points.AddCopy(CVRX2DPoint(rect.maxCorner.GetX(), rect.minCorner.GetY()));
    points.AddCopy(rect.maxCorner);
    points.AddCopy(CVRX2DPoint(rect.minCorner.GetX(), rect.maxCorner.GetY()));
    return;
  }
  // The other rectangle's own edge walk already confines its points to both boxes' edges.
  WalkEdges(rect, points, kRectLimit, kTooManyRectPointsLine,
            [](const CVRX2DLine&, const CVRX2DPoint&) { return true; });
}

void CVRX2DRectangle::IntersectPointEntity(const CVRX2DPointEntity& point, CVRX2DPointArray& points) const
{
  points.RemoveAll();
  for (int i = 0; i < 4; ++i) {
    if (GetEdge(i).Contains(point.GetPoint())) {
      points.AddCopy(point.GetPoint());
      return;
    }
  }
}
