#pragma once
// A sizing handle: a grip the Workbench shows on a selected unit, and the sides its drag moves.
#include "geometry/2dpoint.h"
#include "geometry/2dvector.h"
#include "support/Ownarray.h"

class CSizingHandle : public CObject
{
public:
  // Side bits: 1 and 2 are one pair of opposite sides (height), 4 and 8 the other (width).
  enum
  {
    heightOnly = 3,
    widthOnly = 12,
    allSides = 15
  };

  CSizingHandle(const CVRX2DPoint& point, int code) : m_Point(point), m_nCode(code) {}
  CSizingHandle(const CSizingHandle&) = default;
  CSizingHandle& operator=(const CSizingHandle&) = default;

  CVRX2DPoint GetPoint() const { return m_Point; }
  void SetPoint(const CVRX2DPoint& point) { m_Point = point; }
  CVRX2DVector GetVector() const { return m_Vector; }
  void SetVector(const CVRX2DVector& vector) { m_Vector = vector; }
  int GetCode() const { return m_nCode; }

private:
  CVRX2DPoint m_Point;
  CVRX2DVector m_Vector;
  int m_nCode;
};

// Owns its handles; assignment copies every handle.
class CSizingHandleArray : public COwnArrayOf<CSizingHandle>
{
public:
  CSizingHandleArray() = default;
  CSizingHandleArray(const CSizingHandleArray& source);
  CSizingHandleArray& operator=(const CSizingHandleArray& source);
};
