#pragma once
// The free-form trapezoid "VGTZ010": a level sill, two vertical jambs of unequal heights and a
// straight sloped head between their tops. Its lower-right handle keeps the head's slope.
#include "units/freeform/Vgshape.h"

class CVGTrapezoid : public CVarigonUnit
{
  DECLARE_DYNAMIC(CVGTrapezoid)
public:
  // Only the unit factory makes one: base 24, left jamb 12, right jamb 24.
  CVGTrapezoid();
  CVGTrapezoid(const CVGTrapezoid& source);
  CVGTrapezoid& operator=(const CVGTrapezoid& source)
  {
    return static_cast<CVGTrapezoid&>(operator=(static_cast<const CUnit&>(source)));
  }

  // The type description and the proposed base, left and right.
  CString GetSizeText(int lengthFormat) const override;
  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
  CString GetAttributes() const override;
  void SetAttributes(CString& attributes) override;
  double GetHeight() const override;
  double GetWidth() const override;
  void GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                              const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const override;
  void GetReportData(CUnitInfoReportDataArray& records) const override;
  void GetReportData(CScheduleReportDataArray& rows) const override;
  void GetSizingHandles(CSizingHandleArray& out) const override;
  void GetSidesMovedByHandle(int handle, CDWordArray& flags) const override;
  int ConformProposedSize(int handle, const CVRX2DVector& drag) override;
  CVRX2DVector GetProposedOutlineEntities(CVRX2DEntityArray& out) const override;
  CVRX2DVector SetSizeToProposed() override;
  void ResetProposedSize() override;
  void BuildSizedComponents() const override;
  void Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get2LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get3LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void GetDimensionLabels(CStringArray& labels) const override;
  void GetDimensionValues(CArray<double, double>& values) const override;
  BOOL SetDimensionValues(const CArray<double, double>& values) override;
  double GetProposedWidth() const override;
  double GetProposedHeight() const override;

  BOOL AreRequestedDimensionsValid(double base, double left, double right) const;
  // The head's angle with the horizontal, from the current size.
  double GetHeadAngle() const;

private:
  static const vg::CShape<CVGTrapezoid>& Shape();

  double m_dBase = 24.0;
  double m_dLeft = 12.0;
  double m_dRight = 24.0;
  double m_dProposedBase = 24.0;
  double m_dProposedLeft = 12.0;
  double m_dProposedRight = 24.0;
};
