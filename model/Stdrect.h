#pragma once
// A standard unit whose outline is a plain rectangle. A dragged size is conformed to the nearest
// catalogue size in the (width, height) plane, so the unit only ever takes catalogue sizes.
// Handles: 0 lower-left, 1 lower-right, 2 upper-right, 3 upper-left; the corner diagonally
// opposite the dragged one stays in place.
#include "model/Stdunit.h"

class CStandardRectangularUnit : public CStandardUnit
{
  DECLARE_DYNAMIC(CStandardRectangularUnit)
public:
  CStandardRectangularUnit(const CString& type, const CString& subtype) : CStandardUnit(type, subtype) {}
  CStandardRectangularUnit(const CStandardRectangularUnit& source) = default;
  CStandardRectangularUnit& operator=(const CStandardRectangularUnit& source)
  {
    return static_cast<CStandardRectangularUnit&>(operator=(static_cast<const CUnit&>(source)));
  }

  CUnit& operator=(const CUnit& source) override;
  CString GetAttributes() const override { return CStandardUnit::GetAttributes(); }
  void SetAttributes(CString& attributes) override { CStandardUnit::SetAttributes(attributes); }
  // Only the flag of the diagonally opposite handle is set.
  void GetSidesMovedByHandle(int handle, CDWordArray& flags) const override { FlagOppositeCorner(handle, flags); }
  int ConformProposedSize(int handle, const CVRX2DVector& drag) override;
  // The rubber band of the proposed size (category 19) and the offset to draw it at.
  CVRX2DVector GetProposedOutlineEntities(CVRX2DEntityArray& out) const override;

  // -1 when row a is strictly nearer to the request (width, height) than row b, 1 when b is,
  // 0 when both are as far.
  static int CompareSizeDistance(double height, double width, const CStdSizesRec& a, const CStdSizesRec& b);
};
