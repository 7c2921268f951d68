#pragma once
// The free-form right triangle "VGT2010", right angle at the lower left, on the base point: the
// sill runs right from it, the head up to the top of the jamb, the jamb down to the base point.
#include "units/freeform/Vgrt.h"

class CVGRightTriangleType2 : public CVGRightTriangle
{
  DECLARE_DYNAMIC(CVGRightTriangleType2)
public:
  // Only the unit factory makes one: base 24, height 24.
  CVGRightTriangleType2();
  CVGRightTriangleType2(const CVGRightTriangleType2& source) = default;
  CVGRightTriangleType2& operator=(const CVGRightTriangleType2& source)
  {
    return static_cast<CVGRightTriangleType2&>(operator=(static_cast<const CUnit&>(source)));
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
