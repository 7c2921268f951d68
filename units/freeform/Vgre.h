#pragma once
// The free-form rectangle "VGRE010": a free width and height, sized from any corner with the
// diagonally opposite corner staying in place.
#include "units/freeform/Vgshape.h"

class CVGRectangle : public CVarigonUnit
{
  DECLARE_DYNAMIC(CVGRectangle)
public:
  // Only the unit factory makes one: 24 by 24.
  CVGRectangle();
  CVGRectangle(const CVGRectangle& source);
  CVGRectangle& operator=(const CVGRectangle& source)
  {
    return static_cast<CVGRectangle&>(operator=(static_cast<const CUnit&>(source)));
  }

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
  // Height, then width.
  CString GetAttributes() const override;
  void SetAttributes(CString& attributes) override;
  double GetHeight() const override { return m_dHeight; }
  double GetWidth() const override { return m_dWidth; }
  void GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                              const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const override;
  void GetReportData(CUnitInfoReportDataArray& records) const override;
  void GetReportData(CScheduleReportDataArray& rows) const override;
  // The four corners, counter-clockwise from the base point.
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
  // "Width:", "Height:".
  void GetDimensionLabels(CStringArray& labels) const override;
  void GetDimensionValues(CArray<double, double>& values) const override;
  BOOL SetDimensionValues(const CArray<double, double>& values) override;
  double GetProposedWidth() const override { return m_dProposedWidth; }
  double GetProposedHeight() const override { return m_dProposedHeight; }

  BOOL AreRequestedDimensionsValid(double height, double width) const;

private:
  static const vg::CShape<CVGRectangle>& Shape();
  double m_dHeight = 24.0;
  double m_dWidth = 24.0;
  double m_dProposedHeight = 24.0;
  double m_dProposedWidth = 24.0;
};
