#pragma once
// The free-form right triangle "VGT1010", right angle at the lower right: the sill runs from
// the base point to the right angle, the jamb up from there, the head back down to the base point.
#include "units/freeform/Vgrt.h"

class CVGRightTriangleType1 : public CVGRightTriangle
{
  DECLARE_DYNAMIC(CVGRightTriangleType1)
public:
  // Only the unit factory makes one: base 24, height 24.
  CVGRightTriangleType1();
  CVGRightTriangleType1(const CVGRightTriangleType1& source) = default;
  CVGRightTriangleType1& operator=(const CVGRightTriangleType1& source)
  {
    return static_cast<CVGRightTriangleType1&>(operator=(static_cast<const CUnit&>(source)));
  }

  using CVGRightTriangle::operator=;
  CUnit* Clone() const override;
  void GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                              const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const override;
  // One handle on each corner, counter-clockwise from the base point.
  void GetSizingHandles(CSizingHandleArray& out) const override;
  void GetSidesMovedByHandle(int handle, CDWordArray& flags) const override;
  int ConformProposedSize(int handle, const CVRX2DVector& drag) override;
  CVRX2DVector GetProposedOutlineEntities(CVRX2DEntityArray& out) const override;
  void BuildSizedComponents() const override;
};
