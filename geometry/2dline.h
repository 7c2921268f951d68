#pragma once
// Straight segment from its start point to its end point (it may have zero length). Direction
// tests use the angle tolerance, position tests the point tolerance; joining and snapping rely on
// both.
#include "geometry/2dpoint.h"
#include "geometry/Entity.h"

class CVRXAngle;

class CVRX2DLine : public CVRX2DEntity
{
  DECLARE_DYNAMIC(CVRX2DLine)
public:
  CVRX2DLine();
  CVRX2DLine(int category, const CVRX2DPoint& start, const CVRX2DPoint& end);
  CVRX2DLine(const CVRX2DLine&) = default;
  CVRX2DLine& operator=(const CVRX2DLine&) = default;

  CVRX2DPoint GetStartPoint() const { return startPoint; }
  CVRX2DPoint GetEndPoint() const { return endPoint; }
  void SetStartPoint(const CVRX2DPoint& p) { startPoint = p; }
  void SetStartPoint(double x, double y) { startPoint.Set(x, y); }
  void SetEndPoint(const CVRX2DPoint& p) { endPoint = p; }
  void SetEndPoint(double x, double y) { endPoint.Set(x, y); }

  // From start to end; 0 for a line of no length.
  CVRXAngle GetAngle() const;
  double GetLength() const { return startPoint.DistanceTo(endPoint); }
  // Same start and same end; a reversed line is not equal.
  bool operator==(const CVRX2DLine& other) const;

  BOOL IsHorizontal() const;
  BOOL IsVertical() const;
  // The same questions about a direction (a line's GetAngle).
  static BOOL IsHorizontalDirection(const CVRXAngle& direction);
  static BOOL IsVerticalDirection(const CVRXAngle& direction);
  BOOL IsParallel(const CVRX2DLine& other) const;
  BOOL IsColinear(const CVRX2DLine& other) const;
  // The same with the two directions (GetAngle of this line and of the other) already worked out,
  // for callers that ask about one line many times.
  BOOL IsColinear(const CVRX2DLine& other, const CVRXAngle& mine, const CVRXAngle& theirs) const;
  // Colinear and sharing a stretch; touching at an end counts.
  BOOL Overlaps(const CVRX2DLine& other) const;
  // Both throw CVRXEntityException for a vertical line.
  double GetSlope() const;
  double GetYIntercept() const;
  // A new parallel line owned by the caller: |distance| away, towards the reference point for a
  // positive distance and away from it for a negative one.
  CVRX2DLine* GetOffsetLine(double distance, const CVRX2DPoint& reference) const;
  // Sets `out` to run from p to its foot on this line taken as infinite.
  void GetPerpendicular(CVRX2DLine& out, const CVRX2DPoint& p) const;
  BOOL GetSharedEndPoint(const CVRX2DLine& other, CVRX2DPoint& shared) const;

  CVRX2DLine* Clone() const override;
  BOOL Contains(const CVRX2DPoint& p) const override;
  CVRX2DRectangle GetExtents() const override;
  void Transform(const CVRX2DTransformationMatrix& matrix) override;
  void Intersect(const CVRX2DEntity& other, CVRX2DPointArray& points) const override;
  // The crossing of the two lines taken as infinite, or the shared stretch of colinear segments.
  void IntersectLine(const CVRX2DLine& other, CVRX2DPointArray& points) const override;
  void IntersectArc(const CVRX2DArc& arc, CVRX2DPointArray& points) const override;
  void IntersectPointEntity(const CVRX2DPointEntity& point, CVRX2DPointArray& points) const override;
  void IntersectRectangle(const CVRX2DRectangle& rect, CVRX2DPointArray& points) const override;

private:
  BOOL HasNoLength() const;
  double DirectionLength() const;
  double SlopeOfOblique() const;
  // Distance of p from this line taken as infinite; the line must have a length.
  double DistanceFromInfinite(const CVRX2DPoint& p) const;
  void IntersectDegenerate(const CVRX2DLine& other, CVRX2DPointArray& points) const;
  void AppendSharedStretch(const CVRX2DLine& other, CVRX2DPointArray& points) const;

  CVRX2DPoint startPoint;
  CVRX2DPoint endPoint;
};
