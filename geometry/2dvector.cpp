#include "geometry/2dvector.h"

#include <cmath>

#include "geometry/2dpoint.h"
#include "geometry/Angle.h"

IMPLEMENT_DYNAMIC(CVRX2DVector, CObject)

namespace {
constexpr double kTolerance = 1e-7;
}  // namespace

CVRX2DVector::CVRX2DVector(double length, const CVRXAngle& direction) { SetPolar(length, direction); }

CVRX2DVector::CVRX2DVector(const CVRX2DPoint& from, const CVRX2DPoint& to)
  : x(to.GetX() - from.GetX()), y(to.GetY() - from.GetY())
{}

double CVRX2DVector::GetTolerance() { return kTolerance; }

void CVRX2DVector::SetPolar(double length, const CVRXAngle& direction)
{
  x = length * std::cos(direction.GetRadians());
  y = length * std::sin(direction.GetRadians());
}

CVRX2DPoint CVRX2DVector::AsPoint() const { return CVRX2DPoint(x, y); }

double CVRX2DVector::GetLength() const { return std::sqrt(Dot(*this)); }

CVRXAngle CVRX2DVector::GetAngle() const { return CVRXAngle(VRXAtan2(y, x)); }

CVRX2DVector& CVRX2DVector::operator+=(const CVRX2DVector& other)
{
  x += other.x;
  y += other.y;
  return *this;
}

CVRX2DVector& CVRX2DVector::operator-=(const CVRX2DVector& other)
{
  x -= other.x;
  y -= other.y;
  return *this;
}

CVRX2DVector& CVRX2DVector::operator*=(double factor)
{
  x *= factor;
  y *= factor;
  return *this;
}

bool CVRX2DVector::operator==(const CVRX2DVector& other) const { return (*this - other).GetLength() < kTolerance; }

CVRX2DVector operator+(const CVRX2DVector& a, const CVRX2DVector& b)
{
  return CVRX2DVector(a.GetX() + b.GetX(), a.GetY() + b.GetY());
}
CVRX2DVector operator-(const CVRX2DVector& a, const CVRX2DVector& b)
{
  return CVRX2DVector(a.GetX() - b.GetX(), a.GetY() - b.GetY());
}
CVRX2DVector operator*(const CVRX2DVector& v, double factor)
{
  return CVRX2DVector(v.GetX() * factor, v.GetY() * factor);
}
CVRX2DVector operator*(double factor, const CVRX2DVector& v) { return v * factor; }
