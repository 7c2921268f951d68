#pragma once
// The free-form angled pentagon "VGP2010": the long side A on the left, the top right corner cut.
#include "units/freeform/Vgap.h"

class CVGAngledPentagonType2 : public CVGAngledPentagon
{
  DECLARE_DYNAMIC(CVGAngledPentagonType2)
public:
  // Only the unit factory makes one: A 24, B 24, C 12, D 12.
  CVGAngledPentagonType2();
  CVGAngledPentagonType2(const CVGAngledPentagonType2& source) = default;
  CVGAngledPentagonType2& operator=(const CVGAngledPentagonType2& source)
  {
    return static_cast<CVGAngledPentagonType2&>(operator=(static_cast<const CUnit&>(source)));
  }

  // Refuses (CUnitException) a source of another class.
  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
  // The type description and the proposed sides in label order.
  CString GetSizeText(int lengthFormat) const override;
  void GetSidesMovedByHandle(int handle, CDWordArray& flags) const override;
  int ConformProposedSize(int handle, const CVRX2DVector& drag) override;
  CVRX2DVector GetProposedOutlineEntities(CVRX2DEntityArray& out) const override;
  void BuildSizedComponents() const override;
  // Inset by A's, D's and B's distances between elevation lines 1 and 2; the cut corners are the
  // crossings of the inner lines.
  void Get2LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void GetDimensionLabels(CStringArray& labels) const override;
  void GetDimensionValues(CArray<double, double>& values) const override;
  BOOL SetDimensionValues(const CArray<double, double>& values) override;

private:
  static const vg::CShape<CVGAngledPentagon>& Shape();
};
