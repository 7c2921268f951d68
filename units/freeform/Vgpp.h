#pragma once
// The free-form peak pentagon "VGPP010": a gable, as wide as its base, with two equal jambs and
// two equal head sides meeting at a peak over the middle of the base. The peak handle widens the
// base on both sides at once.
#include "units/freeform/Vgshape.h"

class CVGPeakPentagon : public CVarigonUnit
{
  DECLARE_DYNAMIC(CVGPeakPentagon)
public:
  // Only the unit factory makes one: base 24, left/right 12, height 24.
  CVGPeakPentagon();
  CVGPeakPentagon(const CVGPeakPentagon& source);
  CVGPeakPentagon& operator=(const CVGPeakPentagon& source)
  {
    return static_cast<CVGPeakPentagon&>(operator=(static_cast<const CUnit&>(source)));
  }

  // The type description and the proposed base, left/right and height.
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

  BOOL AreRequestedDimensionsValid(double base, double leftRight, double height) const;

private:
  static const vg::CShape<CVGPeakPentagon>& Shape();
  // The outline moved in: the sill, both jambs by the left jamb's and both heads by the right
  // head's distance between the two elevation lines.
  void AddInsetOutline(CVRX2DEntityArray& out, int line1, int line2) const;

  double m_dBase = 24.0;
  double m_dHeight = 24.0;
  double m_dLeftRight = 12.0;
  double m_dProposedBase = 24.0;
  double m_dProposedHeight = 24.0;
  double m_dProposedLeftRight = 12.0;
};
