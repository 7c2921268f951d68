#include "geometry/2dline.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <utility>

#include "geometry/2darc.h"
#include "geometry/2dmatrix.h"
#include "geometry/2dptent.h"
#include "geometry/2drect.h"
#include "geometry/Angle.h"
#include "support/VEntExcp.h"

IMPLEMENT_DYNAMIC(CVRX2DLine, CVRX2DEntity)

namespace {
constexpr const char* kModule = "2dline";
constexpr int kCloneFailedLine = 64;
constexpr int kVerticalSlopeLine = 618;

// -1, 0 or +1 along one coordinate, equal within the point tolerance.
int CompareCoordinate(double a, double b)
{
  double t = CVRX2DPoint::GetTolerance();
  return a < b - t ? -1 : (a > b + t ? 1 : 0);
}
}  // namespace

CVRX2DLine::CVRX2DLine() : CVRX2DEntity(VRX_LINE) {}

CVRX2DLine::CVRX2DLine(int category, const CVRX2DPoint& start, const CVRX2DPoint& end)
  : CVRX2DEntity(VRX_LINE, category), startPoint(start), endPoint(end)
{}

CVRXAngle CVRX2DLine::GetAngle() const { return startPoint.AngleTo(endPoint); }

bool CVRX2DLine::operator==(const CVRX2DLine& other) const
{
  return startPoint == other.startPoint && endPoint == other.endPoint;
}

BOOL CVRX2DLine::IsHorizontal() const { return IsHorizontalDirection(GetAngle()); }

BOOL CVRX2DLine::IsVertical() const { return IsVerticalDirection(GetAngle()); }

BOOL CVRX2DLine::IsHorizontalDirection(const CVRXAngle& a) { return a == CVRXAngle(0.0) || a == CVRXAngle(VRX_PI); }

BOOL CVRX2DLine::IsVerticalDirection(const CVRXAngle& a)
{
  return a == CVRXAngle(VRX_HALF_PI) || a == CVRXAngle(3 * VRX_HALF_PI);
}

BOOL CVRX2DLine::IsParallel(const CVRX2DLine& other) const
{
  CVRXAngle mine = GetAngle();
  CVRXAngle theirs = other.GetAngle();
  return mine == theirs || theirs + VRX_PI == mine;
}

BOOL CVRX2DLine::IsColinear(const CVRX2DLine& other) const { return IsColinear(other, GetAngle(), other.GetAngle()); }

BOOL CVRX2DLine::IsColinear(const CVRX2DLine& other, const CVRXAngle& mine, const CVRXAngle& theirs) const
{
  // The decisions of IsVertical, IsParallel and GetYIntercept, on the directions given.
  if (IsVerticalDirection(mine))
    return IsVerticalDirection(theirs) && CVRX2DPoint(other.startPoint.GetX(), startPoint.GetY()) == startPoint;
  if (IsVerticalDirection(theirs))
    return FALSE;
  if (!(mine == theirs || theirs + VRX_PI == mine))
    return FALSE;
  const double intercept = startPoint.GetY() - startPoint.GetX() * SlopeOfOblique();
  const double otherIntercept = other.startPoint.GetY() - other.startPoint.GetX() * other.SlopeOfOblique();
  return CVRX2DPoint(0.0, intercept) == CVRX2DPoint(0.0, otherIntercept);
}

BOOL CVRX2DLine::Overlaps(const CVRX2DLine& other) const
{
  if (!IsColinear(other))
    return FALSE;
  int c = CompareCoordinate(startPoint.GetX(), endPoint.GetX()) == 0 ? 1 : 0;
  int sum = CompareCoordinate(startPoint[c], other.startPoint[c]) +
            CompareCoordinate(startPoint[c], other.endPoint[c]) + CompareCoordinate(endPoint[c], other.startPoint[c]) +
            CompareCoordinate(endPoint[c], other.endPoint[c]);
  return std::abs(sum) < 4;
}

double CVRX2DLine::SlopeOfOblique() const
{
  return (endPoint.GetY() - startPoint.GetY()) / (endPoint.GetX() - startPoint.GetX());
}

double CVRX2DLine::GetSlope() const
{
  if (IsVertical())
    throw CVRXEntityException(kModule, kVerticalSlopeLine);
  return SlopeOfOblique();
}

double CVRX2DLine::GetYIntercept() const { return startPoint.GetY() - startPoint.GetX() * GetSlope(); }

CVRX2DLine* CVRX2DLine::GetOffsetLine(double distance, const CVRX2DPoint& reference) const
{
  CVRX2DLine* result = Clone();
  if (distance == 0.0)
    return result;
  CVRX2DVector offset(0.0, distance);
  bool slopeNegative = false;
  if (IsVertical()) {
    offset.Set(distance, 0.0);
  } else if (!IsHorizontal()) {
    double q = -1.0 / SlopeOfOblique();
    double a = std::atan2(std::fabs(q), 1.0);
    offset.Set(distance * std::cos(a), distance * std::sin(a));
    slopeNegative = q < 0.0;
  }
  // Two candidates on either side; with a falling perpendicular the x part changes sign.
  CVRX2DVector first = slopeNegative ? CVRX2DVector(-offset.GetX(), offset.GetY()) : offset;
  CVRX2DVector second = -first;
  double d1 = (startPoint + first).DistanceTo(reference);
  double d2 = (startPoint + second).DistanceTo(reference);
  bool takeFirst = distance > 0.0 ? d1 < d2 : d1 > d2;
  const CVRX2DVector& chosen = takeFirst ? first : second;
  result->startPoint += chosen;
  result->endPoint += chosen;
  return result;
}

void CVRX2DLine::GetPerpendicular(CVRX2DLine& out, const CVRX2DPoint& p) const
{
  CVRX2DPoint foot;
  if (IsVertical()) {
    foot.Set(endPoint.GetX(), p.GetY());
  } else if (IsHorizontal()) {
    foot.Set(p.GetX(), endPoint.GetY());
  } else {
    CVRX2DVector d(startPoint, endPoint);
    foot = startPoint + d * ((p - startPoint).Dot(d) / d.Dot(d));
  }
  out = CVRX2DLine(0, p, foot);
}

BOOL CVRX2DLine::GetSharedEndPoint(const CVRX2DLine& other, CVRX2DPoint& shared) const
{
  if (other.startPoint == startPoint || other.startPoint == endPoint) {
    shared = other.startPoint;
    return TRUE;
  }
  if (other.endPoint == startPoint || other.endPoint == endPoint) {
    shared = other.endPoint;
    return TRUE;
  }
  return FALSE;
}

CVRX2DLine* CVRX2DLine::Clone() const
{
  CVRX2DLine* copy = new (std::nothrow) CVRX2DLine(*this);
  if (!copy)
    throw CCommonMemoryException(kModule, kCloneFailedLine);
  return copy;
}

BOOL CVRX2DLine::Contains(const CVRX2DPoint& p) const
{
  if (!IsVertical() && !IsHorizontal()) {
    double m = SlopeOfOblique();
    double b = startPoint.GetY() - startPoint.GetX() * m;
    CVRX2DPoint byY((p.GetY() - b) / m, p.GetY());
    CVRX2DPoint byX(p.GetX(), m * p.GetX() + b);
    if (byY != p && byX != p)
      return FALSE;
  }
  return p.IsInBox(startPoint, endPoint);
}

CVRX2DRectangle CVRX2DLine::GetExtents() const { return CVRX2DRectangle(startPoint, endPoint); }

void CVRX2DLine::Transform(const CVRX2DTransformationMatrix& matrix)
{
  startPoint.Transform(matrix);
  endPoint.Transform(matrix);
}

void CVRX2DLine::Intersect(const CVRX2DEntity& other, CVRX2DPointArray& points) const
{
  other.IntersectLine(*this, points);
}

BOOL CVRX2DLine::HasNoLength() const
{
  return startPoint.GetX() == endPoint.GetX() && startPoint.GetY() == endPoint.GetY();
}

// hypot, not the root of the dot product: a very short line's squared length underflows to 0.
double CVRX2DLine::DirectionLength() const
{
  return std::hypot(endPoint.GetX() - startPoint.GetX(), endPoint.GetY() - startPoint.GetY());
}

double CVRX2DLine::DistanceFromInfinite(const CVRX2DPoint& p) const
{
  CVRX2DVector d(startPoint, endPoint);
  return std::fabs(d.Cross(p - startPoint)) / DirectionLength();
}

void CVRX2DLine::IntersectLine(const CVRX2DLine& other, CVRX2DPointArray& points) const
{
  points.RemoveAll();
  if (HasNoLength() || other.HasNoLength()) {
    IntersectDegenerate(other, points);
    return;
  }
  if (!IsParallel(other)) {
    CVRX2DVector d0(startPoint, endPoint);
    CVRX2DVector d1(other.startPoint, other.endPoint);
    double cross = d1.Cross(d0);
    // Directions too small to cross in doubles: no crossing rather than a point at infinity.
    if (cross == 0.0)
      return;
    double s = d0.Cross(other.startPoint - startPoint) / cross;
    points.AddCopy(other.startPoint + s * d1);
    return;
  }
  if (IsColinear(other))
    AppendSharedStretch(other, points);
}

// A line of no length is a point: it meets the other line where it lies on it (taken as infinite).
void CVRX2DLine::IntersectDegenerate(const CVRX2DLine& other, CVRX2DPointArray& points) const
{
  double t = CVRX2DPoint::GetTolerance();
  if (HasNoLength() && other.HasNoLength()) {
    if (startPoint == other.startPoint)
      points.AddCopy(startPoint);
  } else if (HasNoLength()) {
    if (other.DistanceFromInfinite(startPoint) < t)
      points.AddCopy(startPoint);
  } else if (DistanceFromInfinite(other.startPoint) < t) {
    points.AddCopy(other.startPoint);
  }
}

// The ends of the stretch two colinear segments share, ascending along the line's main axis so
// that both call orders agree; one point when they only touch, none when they are apart.
void CVRX2DLine::AppendSharedStretch(const CVRX2DLine& other, CVRX2DPointArray& points) const
{
  CVRX2DVector d(startPoint, endPoint);
  double length = DirectionLength();
  double a0 = (other.startPoint - startPoint).Dot(d) / length;
  double a1 = (other.endPoint - startPoint).Dot(d) / length;
  const CVRX2DPoint& otherLow = a0 <= a1 ? other.startPoint : other.endPoint;
  const CVRX2DPoint& otherHigh = a0 <= a1 ? other.endPoint : other.startPoint;
  double low = std::min(a0, a1);
  double high = std::max(a0, a1);
  CVRX2DPoint from = low > 0.0 ? otherLow : startPoint;
  CVRX2DPoint to = high < length ? otherHigh : endPoint;
  if (std::min(high, length) >= std::max(low, 0.0) && from != to) {
    int axis = std::fabs(d.GetX()) >= std::fabs(d.GetY()) ? 0 : 1;
    if (to[axis] < from[axis])
      std::swap(from, to);
    points.AddCopy(from);
    points.AddCopy(to);
    return;
  }
  CVRX2DPoint shared;
  if (GetSharedEndPoint(other, shared))
    points.AddCopy(shared);
}

void CVRX2DLine::IntersectArc(const CVRX2DArc& arc, CVRX2DPointArray& points) const
{
  arc.IntersectLine(*this, points);
}

void CVRX2DLine::IntersectPointEntity(const CVRX2DPointEntity& point, CVRX2DPointArray& points) const
{
  point.IntersectLine(*this, points);
}

void CVRX2DLine::IntersectRectangle(const CVRX2DRectangle& rect, CVRX2DPointArray& points) const
{
  rect.IntersectLine(*this, points);
}
