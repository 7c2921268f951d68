#include "geometry/2darc.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <utility>

#include "geometry/2dmatrix.h"
#include "geometry/2drect.h"
#include "support/VEntExcp.h"

IMPLEMENT_DYNAMIC(CVRX2DArc, CVRX2DEntity)

namespace {
constexpr const char* kModule = "2darc";
constexpr int kCloneFailedLine = 141;

// The 4 points of the whole ellipse where world x or y is extreme, in the ellipse's own frame
// (radius r1 along x): the tangent there is parallel to a world axis.
void ExtremePoints(double r1, double r2, double axis, CVRX2DPoint out[4])
{
  double c = std::cos(axis);
  double s = std::sin(axis);
  auto frame = [r1](double fx, double fy, double n) {
    // A flat ellipse along a world axis is extreme everywhere; its end is as good as any point.
    return n > 0.0 ? CVRX2DPoint(fx / n, fy / n) : CVRX2DPoint(r1, 0.0);
  };
  double ny = std::sqrt(r1 * r1 * s * s + r2 * r2 * c * c);
  double nx = std::sqrt(r1 * r1 * c * c + r2 * r2 * s * s);
  out[0] = frame(r1 * r1 * s, r2 * r2 * c, ny);
  out[1] = frame(-r1 * r1 * s, -r2 * r2 * c, ny);
  out[2] = frame(r1 * r1 * c, -r2 * r2 * s, nx);
  out[3] = frame(-r1 * r1 * c, r2 * r2 * s, nx);
}

void Widen(double v, double& low, double& high)
{
  if (v < low)
    low = v;
  else if (v > high)
    high = v;
}
}  // namespace

CVRX2DArc::CVRX2DArc() : CVRX2DEntity(VRX_ARC) {}

CVRX2DArc::CVRX2DArc(int category, const CVRX2DPoint& centrePoint, double r1, double r2, const CVRXAngle& axis,
                     const CVRXAngle& start, const CVRXAngle& end)
  : CVRX2DEntity(VRX_ARC, category),
    centre(centrePoint),
    radius1(r1),
    radius2(r2),
    axisAngle(axis),
    startAngle(start),
    endAngle(end)
{
  NormalizeRadii();
}

void CVRX2DArc::NormalizeRadii()
{
  if (radius1 < radius2) {
    std::swap(radius1, radius2);
    axisAngle += VRX_HALF_PI;
  }
}

double CVRX2DArc::GetRadiusAtAngle(const CVRXAngle& t) const
{
  double d = t.GetRadians() - axisAngle.GetRadians();
  double c = std::cos(d);
  double s = std::sin(d);
  double denominator = std::sqrt(radius2 * radius2 * c * c + radius1 * radius1 * s * s);
  // Only a flat ellipse seen along its axis (or a point) gets here: its reach is radius1.
  if (denominator == 0.0)
    return radius1;
  return radius1 * radius2 / denominator;
}

CVRX2DPoint CVRX2DArc::GetPointAtAngle(const CVRXAngle& t) const
{
  return centre + CVRX2DVector(GetRadiusAtAngle(t), t);
}

void CVRX2DArc::GetEndPoints(CVRX2DPoint& start, CVRX2DPoint& end) const
{
  start = GetPointAtAngle(startAngle);
  end = IsClosed() ? start : GetPointAtAngle(endAngle);
}

BOOL CVRX2DArc::IsClosed() const { return startAngle == endAngle; }

// A circle has no axis, and an ellipse's axis is only defined modulo pi.
BOOL CVRX2DArc::IsSameEllipse(const CVRX2DArc& other) const
{
  if (centre != other.centre || radius1 != other.radius1 || radius2 != other.radius2)
    return FALSE;
  if (radius1 == radius2)
    return TRUE;
  return axisAngle == other.axisAngle || axisAngle == other.axisAngle + VRX_PI;
}

BOOL CVRX2DArc::IsEqual(const CVRX2DArc& other) const
{
  return IsSameEllipse(other) && startAngle == other.startAngle && endAngle == other.endAngle;
}

namespace {
// An end of `b` lies in the sweep of `a` (neither closed), by the library's fuzzy angle order.
bool EndOfSecondInFirst(const CVRXAngle& s, const CVRXAngle& e, const CVRXAngle& s2, const CVRXAngle& e2)
{
  if (s < e)
    return (s <= s2 && s2 < e) || (s < e2 && e2 <= e);
  return s <= s2 || s < e2 || s2 < e || e2 <= e;
}
}  // namespace

// Tested both ways round, so an arc lying inside the other one overlaps it too.
BOOL CVRX2DArc::Overlaps(const CVRX2DArc& other) const
{
  if (!IsSameEllipse(other))
    return FALSE;
  if (IsClosed() || other.IsClosed())
    return TRUE;
  return EndOfSecondInFirst(startAngle, endAngle, other.startAngle, other.endAngle) ||
         EndOfSecondInFirst(other.startAngle, other.endAngle, startAngle, endAngle);
}

CVRX2DArc* CVRX2DArc::Clone() const
{
  CVRX2DArc* copy = new (std::nothrow) CVRX2DArc(*this);
  if (!copy)
    throw CCommonMemoryException(kModule, kCloneFailedLine);
  return copy;
}

BOOL CVRX2DArc::OnEllipse(const CVRX2DPoint& p) const { return GetPointAtAngle(centre.AngleTo(p)) == p; }

BOOL CVRX2DArc::Contains(const CVRX2DPoint& p) const
{
  CVRXAngle direction = centre.AngleTo(p);
  return direction.IsBetween(startAngle, endAngle) && GetPointAtAngle(direction) == p;
}

CVRX2DRectangle CVRX2DArc::GetExtents() const
{
  CVRX2DPoint start, end;
  GetEndPoints(start, end);
  double minX = std::min(start.GetX(), end.GetX()), maxX = std::max(start.GetX(), end.GetX());
  double minY = std::min(start.GetY(), end.GetY()), maxY = std::max(start.GetY(), end.GetY());
  CVRX2DPoint extremes[4];
  ExtremePoints(radius1, radius2, axisAngle.GetRadians(), extremes);
  CVRX2DTransformationMatrix toWorld(axisAngle);
  toWorld.Translate(centre.AsVector());
  for (CVRX2DPoint& p : extremes) {
    p.Transform(toWorld);
    if (Contains(p)) {
      Widen(p.GetX(), minX, maxX);
      Widen(p.GetY(), minY, maxY);
    }
  }
  return CVRX2DRectangle(CVRX2DPoint(minX, minY), CVRX2DPoint(maxX, maxY));
}

void CVRX2DArc::Transform(const CVRX2DTransformationMatrix& m)
{
  if (!m.HasLinearPart() && !m.HasNonUnitScale()) {
    centre.Transform(m);
    return;
  }
  CVRX2DPoint p0, p1;
  GetEndPoints(p0, p1);
  // The unit circle mapped onto the transformed ellipse; its inverse gives the ellipse's equation.
  CVRX2DTransformationMatrix e;
  e.Scale(radius1, radius2).Rotate(axisAngle).Translate(centre.AsVector()).Multiply(m);
  CVRX2DTransformationMatrix inv(e);
  inv.Invert();
  double a = inv.GetElement(0, 0), b = inv.GetElement(0, 1);
  double c = inv.GetElement(1, 0), d = inv.GetElement(1, 1);
  double p = a * a + b * b, q = 2 * (a * c + b * d), r = c * c + d * d;
  double root = std::sqrt((p - r) * (p - r) + q * q);
  // The conic is centred at the new centre, where its value is -1: the constant is exactly 2.
  radius1 = std::sqrt(2.0) / std::sqrt(p + r + root);
  // p + r - root cancels for a flat image; (p + r)^2 - root^2 = 4 det^2 gives it without loss.
  double minorTerm = p + r - root;
  if (minorTerm <= (p + r) * 1e-6) {
    double det = a * d - b * c;
    minorTerm = 4 * det * det / (p + r + root);
  }
  radius2 = std::sqrt(2.0) / std::sqrt(minorTerm);
  axisAngle = CVRXAngle(VRXAtan2(q, p - r) / 2);
  centre.Transform(m);
  startAngle = centre.AngleTo(p0.Transform(m));
  endAngle = centre.AngleTo(p1.Transform(m));
  if (m.IsMirroring())
    std::swap(startAngle, endAngle);
  NormalizeRadii();
}

void CVRX2DArc::Intersect(const CVRX2DEntity& other, CVRX2DPointArray& points) const
{
  other.IntersectArc(*this, points);
}
