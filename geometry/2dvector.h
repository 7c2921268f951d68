#pragma once
// A displacement on the drawing plane, in inches (y up). Equality is fuzzy: strictly closer than
// the vector tolerance.
#include "platform/core/Object.h"

class CVRX2DPoint;
class CVRXAngle;

class CVRX2DVector : public CObject
{
  DECLARE_DYNAMIC(CVRX2DVector)
public:
  CVRX2DVector() = default;
  CVRX2DVector(double x0, double y0) : x(x0), y(y0) {}
  CVRX2DVector(double length, const CVRXAngle& direction);
  // The vector from one point to the other.
  CVRX2DVector(const CVRX2DPoint& from, const CVRX2DPoint& to);
  CVRX2DVector(const CVRX2DVector&) = default;
  CVRX2DVector& operator=(const CVRX2DVector&) = default;

  static double GetTolerance();

  double GetX() const { return x; }
  double GetY() const { return y; }
  void SetX(double value) { x = value; }
  void SetY(double value) { y = value; }
  void Set(double newX, double newY)
  {
    x = newX;
    y = newY;
  }
  // Index 0 is x; any other index is y.
  void SetComponent(int index, double value) { (index == 0 ? x : y) = value; }
  double operator[](int index) const { return index == 0 ? x : y; }
  void SetPolar(double length, const CVRXAngle& direction);

  CVRX2DPoint AsPoint() const;
  double GetLength() const;
  double Dot(const CVRX2DVector& other) const { return x * other.x + y * other.y; }
  double Cross(const CVRX2DVector& other) const { return x * other.y - y * other.x; }
  // The zero vector has direction 0.
  CVRXAngle GetAngle() const;

  CVRX2DVector operator-() const { return CVRX2DVector(-x, -y); }
  CVRX2DVector& operator+=(const CVRX2DVector& other);
  CVRX2DVector& operator-=(const CVRX2DVector& other);
  CVRX2DVector& operator*=(double factor);

  bool operator==(const CVRX2DVector& other) const;
  bool operator!=(const CVRX2DVector& other) const { return !(*this == other); }

private:
  double x = 0.0;
  double y = 0.0;
};

CVRX2DVector operator+(const CVRX2DVector& a, const CVRX2DVector& b);
CVRX2DVector operator-(const CVRX2DVector& a, const CVRX2DVector& b);
CVRX2DVector operator*(const CVRX2DVector& v, double factor);
CVRX2DVector operator*(double factor, const CVRX2DVector& v);
