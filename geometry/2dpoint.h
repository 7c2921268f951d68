#pragma once
// A position on the drawing plane, in inches (y up). Every geometric decision of the program goes
// through these fuzzy comparisons: equal when strictly closer than the point tolerance, boxes
// widened by it on every side.
#include "geometry/2dvector.h"
#include "support/Ownarray.h"

class CVRXAngle;
class CVRX2DEntity;
class CVRX2DTransformationMatrix;

class CVRX2DPoint : public CObject
{
  DECLARE_DYNAMIC(CVRX2DPoint)
public:
  CVRX2DPoint() = default;
  CVRX2DPoint(double x0, double y0) : x(x0), y(y0) {}
  CVRX2DPoint(const CVRX2DPoint&) = default;
  CVRX2DPoint& operator=(const CVRX2DPoint&) = default;

  static double GetTolerance();
  // A value of at least 1e-7 is taken, a smaller non-negative one sets 0, a negative one is
  // ignored. Callers widen it for one test and restore the previous value.
  static void SetTolerance(double value);

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

  CVRX2DVector AsVector() const { return CVRX2DVector(x, y); }
  double DistanceTo(const CVRX2DPoint& other) const;
  CVRXAngle AngleTo(const CVRX2DPoint& other) const;
  // Replaces the point by [x y 1] times the matrix.
  CVRX2DPoint& Transform(const CVRX2DTransformationMatrix& matrix);

  CVRX2DPoint& operator+=(const CVRX2DVector& v);
  bool operator==(const CVRX2DPoint& other) const;
  bool operator!=(const CVRX2DPoint& other) const { return !(*this == other); }

  BOOL IsAbove(const CVRX2DPoint& other) const;
  BOOL IsBelow(const CVRX2DPoint& other) const;
  BOOL IsLeftOf(const CVRX2DPoint& other) const;
  BOOL IsRightOf(const CVRX2DPoint& other) const;
  // In the box of two corners given in either order, edges included, widened by the tolerance.
  BOOL IsInBox(const CVRX2DPoint& a, const CVRX2DPoint& b) const;
  BOOL IsOn(const CVRX2DEntity& entity) const;

private:
  double x = 0.0;
  double y = 0.0;
};

CVRX2DPoint operator+(const CVRX2DPoint& p, const CVRX2DVector& v);
CVRX2DPoint operator-(const CVRX2DPoint& p, const CVRX2DVector& v);
// The vector from b to a.
CVRX2DVector operator-(const CVRX2DPoint& a, const CVRX2DPoint& b);

// Owning array of heap points, the result of every intersection.
class CVRX2DPointArray : public COwnArrayOf<CVRX2DPoint>
{
public:
  void AddCopy(const CVRX2DPoint& p) { Add(new CVRX2DPoint(p)); }
  // Appends a copy unless an equal point (point tolerance) is already held; TRUE when added.
  BOOL AddUnique(const CVRX2DPoint& p);
  BOOL HasPoint(const CVRX2DPoint& p) const;
};
