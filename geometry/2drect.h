#pragma once
// Axis-aligned box: the result of every extents computation. For `Contains` it is a filled area;
// in intersections only its four edges take part. A rectangle ignores `Transform`.
#include "geometry/2dpoint.h"
#include "geometry/Entity.h"

class CVRX2DRectangle : public CVRX2DEntity
{
  DECLARE_DYNAMIC(CVRX2DRectangle)
public:
  CVRX2DRectangle();
  // Corners in any order.
  CVRX2DRectangle(const CVRX2DPoint& a, const CVRX2DPoint& b);
  CVRX2DRectangle(const CVRX2DRectangle&) = default;
  CVRX2DRectangle& operator=(const CVRX2DRectangle&) = default;

  CVRX2DPoint GetMinPoint() const { return minCorner; }
  CVRX2DPoint GetMaxPoint() const { return maxCorner; }
  // Grows the box to take in the point; a point within the tolerance of the box changes nothing.
  void Include(const CVRX2DPoint& p);
  void Include(const CVRX2DRectangle& other);
  bool operator==(const CVRX2DRectangle& other) const;

  CVRX2DRectangle* Clone() const override;
  BOOL Contains(const CVRX2DPoint& p) const override;
  CVRX2DRectangle GetExtents() const override { return *this; }
  void Intersect(const CVRX2DEntity& other, CVRX2DPointArray& points) const override;
  void IntersectArc(const CVRX2DArc& arc, CVRX2DPointArray& points) const override;
  void IntersectLine(const CVRX2DLine& line, CVRX2DPointArray& points) const override;
  void IntersectPointEntity(const CVRX2DPointEntity& point, CVRX2DPointArray& points) const override;
  void IntersectRectangle(const CVRX2DRectangle& rect, CVRX2DPointArray& points) const override;

private:
  void Normalize();
  // The four edges in walk order: bottom, right, top, left.
  CVRX2DLine GetEdge(int index) const;
  // Runs `other` against every edge and keeps the new points that pass `keep`.
  template <class Keep>
  void WalkEdges(const CVRX2DEntity& other, CVRX2DPointArray& points, int limit, int overflowLine, Keep keep) const;

  CVRX2DPoint minCorner;
  CVRX2DPoint maxCorner;
};
