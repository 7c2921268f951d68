#pragma once
// One straight member of a unit at its current size (a frame side, a sash rail, a mullion) with
// its end points; outlines, handles, elevation dimensions and details are derived from them.
#include "geometry/2dpoint.h"
#include "support/Ownarray.h"

class CDetailSpecification;

class CSizedComponent : public CObject
{
  DECLARE_DYNAMIC(CSizedComponent)
public:
  CSizedComponent(const CString& code, int id, const CString& kind, const CVRX2DPoint& start, const CVRX2DPoint& end);
  CSizedComponent(const CSizedComponent& source);
  CSizedComponent& operator=(const CSizedComponent&) = delete;
  ~CSizedComponent() override;

  CString GetCode() const { return m_strCode; }
  // The component number: the key of its COMPONET, ELEVLINE and detail rows.
  int GetID() const { return m_nID; }
  // "P" a perimeter (frame) member, "I" an inner member.
  CString GetKind() const { return m_strKind; }
  const CVRX2DPoint& GetStartPoint() const { return m_StartPoint; }
  const CVRX2DPoint& GetEndPoint() const { return m_EndPoint; }

  // The owned specification; null until the unit builds it.
  CDetailSpecification* GetDetailSpecification() const { return m_pDetailSpecification; }
  // Stores a copy of the specification, or none for null.
  void SetDetailSpecification(const CDetailSpecification* spec);
  // Orientation and angle of the specification from the member's direction, so that a member
  // running right to left or downward shows its section the same way up.
  void SetDetailDirection();

  // The distance between two ELEVLINE reference lines of the component: key k picks the
  // smallest value of line |k| for k < 0 and the largest for k > 0; key 0 stands for 0.0.
  double GetElevationDistance(int line1, int line2) const;

private:
  CString m_strCode;
  int m_nID;
  CString m_strKind;
  CVRX2DPoint m_StartPoint;
  CVRX2DPoint m_EndPoint;
  CDetailSpecification* m_pDetailSpecification = nullptr;
};

// Owns its components; copies are deep, each component with its own specification.
class CSizedComponentArray : public COwnArrayOf<CSizedComponent>
{
public:
  CSizedComponentArray() = default;
  CSizedComponentArray(const CSizedComponentArray& source);
  CSizedComponentArray& operator=(const CSizedComponentArray& source);

  void SetDetailDirections();
};
