#pragma once
// A single point as an entity, so it can stand in an entity array, carry a category, move with a
// matrix and take part in the intersection dispatch.
#include "geometry/2dpoint.h"
#include "geometry/Entity.h"

class CVRX2DPointEntity : public CVRX2DEntity
{
  DECLARE_DYNAMIC(CVRX2DPointEntity)
public:
  CVRX2DPointEntity(int category, const CVRX2DPoint& p);
  CVRX2DPointEntity(const CVRX2DPointEntity&) = default;
  CVRX2DPointEntity& operator=(const CVRX2DPointEntity&) = default;

  CVRX2DPoint GetPoint() const { return point; }
  bool operator==(const CVRX2DPointEntity& other) const { return point == other.point; }

  CVRX2DPointEntity* Clone() const override;
  BOOL Contains(const CVRX2DPoint& p) const override { return point == p; }
  CVRX2DRectangle GetExtents() const override;
  void Transform(const CVRX2DTransformationMatrix& matrix) override;
  void Intersect(const CVRX2DEntity& other, CVRX2DPointArray& points) const override;
  void IntersectArc(const CVRX2DArc& arc, CVRX2DPointArray& points) const override;
  void IntersectLine(const CVRX2DLine& line, CVRX2DPointArray& points) const override;
  void IntersectPointEntity(const CVRX2DPointEntity& other, CVRX2DPointArray& points) const override;
  // Counts only on the rectangle's edges.
  void IntersectRectangle(const CVRX2DRectangle& rect, CVRX2DPointArray& points) const override;

private:
  CVRX2DPoint point;
};
