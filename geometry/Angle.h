#pragma once
// Angles of the geometry library: radians kept in [0, 2pi), compared under a class-wide
// tolerance that callers may widen for one test and restore afterwards.
#include <numbers>

#include "platform/core/Object.h"

// The same values as 2 atan2(1, 1) and its multiples.
inline constexpr double VRX_HALF_PI = std::numbers::pi / 2;
inline constexpr double VRX_PI = 2 * VRX_HALF_PI;
inline constexpr double VRX_QUARTER_PI = VRX_HALF_PI / 2;
inline constexpr double VRX_TWO_PI = 2 * VRX_PI;

// atan2 in (-pi, pi], but 0 when both arguments are zero of either sign.
double VRXAtan2(double y, double x);
double VRXRadiansToDegrees(double radians);

class CVRXAngle : public CObject
{
  DECLARE_DYNAMIC(CVRXAngle)
public:
  CVRXAngle() = default;
  // Explicit: a bare double must never pick a different overload (the matrix's int mode).
  explicit CVRXAngle(double radians);
  CVRXAngle(const CVRXAngle&) = default;
  CVRXAngle& operator=(const CVRXAngle&) = default;

  double GetRadians() const { return radians; }
  void SetRadians(double value);
  void Normalize();

  static double GetTolerance();
  // A value of at least the start value is taken, a smaller non-negative one sets 0, a negative
  // one is ignored.
  static void SetTolerance(double value);

  CVRXAngle operator-() const;
  CVRXAngle& operator+=(const CVRXAngle& other);
  CVRXAngle& operator+=(double value);
  CVRXAngle& operator-=(const CVRXAngle& other);
  CVRXAngle& operator-=(double value);

  // Equal within the tolerance, also across the 0 / 2pi seam.
  bool operator==(const CVRXAngle& other) const;
  bool operator!=(const CVRXAngle& other) const { return !(*this == other); }
  // Plain radian values, no wrap-around. Note <= is a <= b - t: stored callers depend on it.
  bool operator<(const CVRXAngle& other) const;
  bool operator<=(const CVRXAngle& other) const;
  bool operator>(const CVRXAngle& other) const;

  // On the counter-clockwise sweep from start to end; coinciding ends mean the full turn.
  BOOL IsBetween(const CVRXAngle& start, const CVRXAngle& end) const;

private:
  double radians = 0.0;
};

CVRXAngle operator+(const CVRXAngle& a, const CVRXAngle& b);
CVRXAngle operator+(const CVRXAngle& a, double b);
CVRXAngle operator-(const CVRXAngle& a, const CVRXAngle& b);
CVRXAngle operator-(const CVRXAngle& a, double b);
