#include "geometry/2dpoint.h"

#include "geometry/2dmatrix.h"
#include "geometry/Angle.h"
#include "geometry/Entity.h"
#include "geometry/Tolernce.h"

IMPLEMENT_DYNAMIC(CVRX2DPoint, CObject)

namespace {
constexpr double kStartTolerance = 1e-7;
double s_tolerance = kStartTolerance;

enum class Side
{
  below,
  same,
  above
};

Side Compare(double c, double o)
{
  if (c < o - s_tolerance)
    return Side::below;
  if (c > o + s_tolerance)
    return Side::above;
  return Side::same;
}

bool InRange(double c, double a, double b)
{
  return (Compare(c, a) != Side::below && Compare(c, b) != Side::above) ||
         (Compare(c, b) != Side::below && Compare(c, a) != Side::above);
}
}  // namespace

double CVRX2DPoint::GetTolerance() { return s_tolerance; }

void CVRX2DPoint::SetTolerance(double value) { SetToleranceByRule(s_tolerance, value, kStartTolerance); }

double CVRX2DPoint::DistanceTo(const CVRX2DPoint& other) const { return CVRX2DVector(*this, other).GetLength(); }

CVRXAngle CVRX2DPoint::AngleTo(const CVRX2DPoint& other) const { return CVRXAngle(VRXAtan2(other.y - y, other.x - x)); }

CVRX2DPoint& CVRX2DPoint::Transform(const CVRX2DTransformationMatrix& m)
{
  double nx = m.GetElement(0, 0) * x + m.GetElement(1, 0) * y + m.GetElement(2, 0);
  double ny = m.GetElement(0, 1) * x + m.GetElement(1, 1) * y + m.GetElement(2, 1);
  Set(nx, ny);
  return *this;
}

CVRX2DPoint& CVRX2DPoint::operator+=(const CVRX2DVector& v)
{
  x += v.GetX();
  y += v.GetY();
  return *this;
}

// A point always equals itself, also when the tolerance has been set to 0.
bool CVRX2DPoint::operator==(const CVRX2DPoint& other) const
{
  double d = DistanceTo(other);
  return d < s_tolerance || d == 0.0;
}

BOOL CVRX2DPoint::IsAbove(const CVRX2DPoint& other) const { return y > other.y + s_tolerance; }
BOOL CVRX2DPoint::IsBelow(const CVRX2DPoint& other) const { return y < other.y - s_tolerance; }
BOOL CVRX2DPoint::IsLeftOf(const CVRX2DPoint& other) const { return x < other.x - s_tolerance; }
BOOL CVRX2DPoint::IsRightOf(const CVRX2DPoint& other) const { return x > other.x + s_tolerance; }

BOOL CVRX2DPoint::IsInBox(const CVRX2DPoint& a, const CVRX2DPoint& b) const
{
  return InRange(x, a.x, b.x) && InRange(y, a.y, b.y);
}

BOOL CVRX2DPoint::IsOn(const CVRX2DEntity& entity) const { return entity.Contains(*this); }

CVRX2DPoint operator+(const CVRX2DPoint& p, const CVRX2DVector& v)
{
  return CVRX2DPoint(p.GetX() + v.GetX(), p.GetY() + v.GetY());
}
CVRX2DPoint operator-(const CVRX2DPoint& p, const CVRX2DVector& v)
{
  return CVRX2DPoint(p.GetX() - v.GetX(), p.GetY() - v.GetY());
}
CVRX2DVector operator-(const CVRX2DPoint& a, const CVRX2DPoint& b) { return CVRX2DVector(b, a); }

BOOL CVRX2DPointArray::HasPoint(const CVRX2DPoint& p) const
{
  for (int i = 0; i < GetSize(); ++i)
    if (GetAt(i) && *GetAt(i) == p)
      return TRUE;
  return FALSE;
}

BOOL CVRX2DPointArray::AddUnique(const CVRX2DPoint& p)
{
  if (HasPoint(p))
    return FALSE;
  AddCopy(p);
  return TRUE;
}
