#pragma once
// The free-form isosceles triangle "VGIT010": a level sill and two equal jambs meeting over the
// middle of the sill. Its corner handles move along the sill only, the sill's middle and the
// apex up and down only.
#include "units/freeform/Vgshape.h"

class CVGIsocolesTriangle : public CVarigonUnit
{
  DECLARE_DYNAMIC(CVGIsocolesTriangle)
public:
  // Only the unit factory makes one: base 24, height 24.
  CVGIsocolesTriangle();
  CVGIsocolesTriangle(const CVGIsocolesTriangle& source);
  CVGIsocolesTriangle& operator=(const CVGIsocolesTriangle& source)
  {
    return static_cast<CVGIsocolesTriangle&>(operator=(static_cast<const CUnit&>(source)));
  }

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

  BOOL AreRequestedDimensionsValid(double base, double height) const;

private:
  static const vg::CShape<CVGIsocolesTriangle>& Shape();
  // The angle between the sill and each jamb.
  static double BaseAngle(double base, double height);

  double m_dHeight = 24.0;
  double m_dBase = 24.0;
  double m_dProposedHeight = 24.0;
  double m_dProposedBase = 24.0;
};
