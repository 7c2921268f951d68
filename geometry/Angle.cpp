#include "geometry/Angle.h"

#include <cmath>

#include "geometry/Tolernce.h"

IMPLEMENT_DYNAMIC(CVRXAngle, CObject)

namespace {
constexpr double kStartTolerance = 0.001;
double s_tolerance = kStartTolerance;

bool OutOfRange(double r) { return r < 0.0 || r >= VRX_TWO_PI; }
}  // namespace

double VRXAtan2(double y, double x)
{
  if (y == 0.0 && x == 0.0)
    return 0.0;
  // Most lines of a design lie along an axis; their directions are exact without the library
  // call, which the Workbench would otherwise make for every side at every redraw.
  // A NaN fails every comparison and goes on to the library as before.
  if (y == 0.0 && x > 0.0)
    return y;
  if (y == 0.0 && x < 0.0)
    return VRX_PI;
  if (x == 0.0 && y > 0.0)
    return VRX_HALF_PI;
  if (x == 0.0 && y < 0.0)
    return -VRX_HALF_PI;
  double a = std::atan2(y, x);
  // atan2(-0.0, negative) gives -pi; the range is (-pi, pi].
  return a == -VRX_PI ? VRX_PI : a;
}

double VRXRadiansToDegrees(double radians) { return radians / VRX_HALF_PI * 90.0; }

CVRXAngle::CVRXAngle(double value) : radians(value) { Normalize(); }

void CVRXAngle::SetRadians(double value)
{
  radians = value;
  Normalize();
}

void CVRXAngle::Normalize()
{
  double r = radians;
  for (int i = 0; i < 4 && OutOfRange(r); ++i)
    r -= std::floor(r / VRX_TWO_PI) * VRX_TWO_PI;
  // Values so tiny or so huge that the subtraction cannot settle them.
  if (OutOfRange(r)) {
    r = std::fmod(r, VRX_TWO_PI);
    if (r < 0.0)
      r += VRX_TWO_PI;
    if (OutOfRange(r))
      r = 0.0;
  }
  radians = r;
}

double CVRXAngle::GetTolerance() { return s_tolerance; }

void CVRXAngle::SetTolerance(double value) { SetToleranceByRule(s_tolerance, value, kStartTolerance); }

CVRXAngle CVRXAngle::operator-() const { return CVRXAngle(-radians); }

CVRXAngle& CVRXAngle::operator+=(const CVRXAngle& other) { return *this += other.radians; }

CVRXAngle& CVRXAngle::operator+=(double value)
{
  SetRadians(radians + value);
  return *this;
}

CVRXAngle& CVRXAngle::operator-=(const CVRXAngle& other) { return *this -= other.radians; }

CVRXAngle& CVRXAngle::operator-=(double value)
{
  SetRadians(radians - value);
  return *this;
}

// An angle always equals itself, also when the tolerance has been set to 0.
bool CVRXAngle::operator==(const CVRXAngle& other) const
{
  double d = std::fabs(radians - other.radians);
  return d < s_tolerance || d == 0.0 || VRX_TWO_PI - d < s_tolerance;
}

bool CVRXAngle::operator<(const CVRXAngle& other) const { return radians < other.radians - s_tolerance; }

bool CVRXAngle::operator<=(const CVRXAngle& other) const { return radians <= other.radians - s_tolerance; }

bool CVRXAngle::operator>(const CVRXAngle& other) const { return radians > other.radians + s_tolerance; }

BOOL CVRXAngle::IsBetween(const CVRXAngle& start, const CVRXAngle& end) const
{
  if (start == end || start == *this || end == *this)
    return TRUE;
  if (end.radians <= start.radians)
    return radians < end.radians || radians > start.radians;
  return start.radians < radians && radians < end.radians;
}

CVRXAngle operator+(const CVRXAngle& a, const CVRXAngle& b) { return CVRXAngle(a.GetRadians() + b.GetRadians()); }
CVRXAngle operator+(const CVRXAngle& a, double b) { return CVRXAngle(a.GetRadians() + b); }
CVRXAngle operator-(const CVRXAngle& a, const CVRXAngle& b) { return CVRXAngle(a.GetRadians() - b.GetRadians()); }
CVRXAngle operator-(const CVRXAngle& a, double b) { return CVRXAngle(a.GetRadians() - b); }
