#pragma once
// Arc of an ellipse (a circle when the radii are equal), parametrised by the polar angle about its
// centre, so start and end angles are the directions from the centre to the end points. It runs
// counter-clockwise from start to end; equal angles make the whole ellipse.
#include "geometry/2dpoint.h"
#include "geometry/Angle.h"
#include "geometry/Entity.h"

class CVRX2DArc : public CVRX2DEntity
{
  DECLARE_DYNAMIC(CVRX2DArc)
public:
  CVRX2DArc();
  CVRX2DArc(int category, const CVRX2DPoint& centre, double radius1, double radius2, const CVRXAngle& axis,
            const CVRXAngle& start, const CVRXAngle& end);
  CVRX2DArc(const CVRX2DArc&) = default;
  CVRX2DArc& operator=(const CVRX2DArc&) = default;

  // Keeps radius1 the larger one, turning the axis with it.
  void NormalizeRadii();

  CVRX2DPoint GetCentre() const { return centre; }
  double GetMajorRadius() const { return radius1; }
  double GetMinorRadius() const { return radius2; }
  CVRXAngle GetAxisAngle() const { return axisAngle; }
  CVRXAngle GetStartAngle() const { return startAngle; }
  CVRXAngle GetEndAngle() const { return endAngle; }
  void SetStartAngle(const CVRXAngle& angle) { startAngle = angle; }
  void SetEndAngle(const CVRXAngle& angle) { endAngle = angle; }

  double GetRadiusAtAngle(const CVRXAngle& t) const;
  CVRX2DPoint GetPointAtAngle(const CVRXAngle& t) const;
  // For a closed arc the end point is a copy of the start point.
  void GetEndPoints(CVRX2DPoint& start, CVRX2DPoint& end) const;
  BOOL IsClosed() const;
  BOOL IsSameEllipse(const CVRX2DArc& other) const;
  BOOL IsEqual(const CVRX2DArc& other) const;
  BOOL Overlaps(const CVRX2DArc& other) const;

  CVRX2DArc* Clone() const override;
  BOOL Contains(const CVRX2DPoint& p) const override;
  CVRX2DRectangle GetExtents() const override;
  // Refits the ellipse to the transformed one; a mirroring matrix exchanges start and end so the
  // arc still runs counter-clockwise over the same points.
  void Transform(const CVRX2DTransformationMatrix& matrix) override;
  void Intersect(const CVRX2DEntity& other, CVRX2DPointArray& points) const override;
  // Points of the whole ellipse on the line taken as infinite; the sweep is not applied.
  void IntersectLine(const CVRX2DLine& line, CVRX2DPointArray& points) const override;
  void IntersectArc(const CVRX2DArc& other, CVRX2DPointArray& points) const override;
  void IntersectPointEntity(const CVRX2DPointEntity& point, CVRX2DPointArray& points) const override;
  void IntersectRectangle(const CVRX2DRectangle& rect, CVRX2DPointArray& points) const override;

private:
  BOOL OnEllipse(const CVRX2DPoint& p) const;
  void IntersectDifferentEllipse(const CVRX2DArc& other, CVRX2DPointArray& points) const;
  void IntersectSameEllipse(const CVRX2DArc& other, CVRX2DPointArray& points) const;

  CVRX2DPoint centre;
  double radius1 = 0.0;
  double radius2 = 0.0;
  CVRXAngle axisAngle;
  CVRXAngle startAngle;
  CVRXAngle endAngle;
};
