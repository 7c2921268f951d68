#pragma once
// The base of the two free-form right triangles: a level sill, a vertical jamb and a sloped head,
// set by base and height. The leaves place the right angle (type 1 lower right, type 2 lower left)
// and give what depends on it: components, handles, conforming and the plan section.
#include "units/freeform/Vgshape.h"

class CVGRightTriangle : public CVarigonUnit
{
  DECLARE_DYNAMIC(CVGRightTriangle)
public:
  CVGRightTriangle(const CString& lineCode, const CString& unitCode, int type);
  CVGRightTriangle(const CVGRightTriangle& source);
  CVGRightTriangle& operator=(const CVGRightTriangle& source)
  {
    return static_cast<CVGRightTriangle&>(operator=(static_cast<const CUnit&>(source)));
  }

  CUnit& operator=(const CUnit& source) override;
  // Base, then height.
  CString GetAttributes() const override;
  void SetAttributes(CString& attributes) override;
  double GetHeight() const override { return m_dHeight; }
  double GetWidth() const override { return m_dBase; }
  void GetReportData(CUnitInfoReportDataArray& records) const override;
  void GetReportData(CScheduleReportDataArray& rows) const override;
  CVRX2DVector SetSizeToProposed() override;
  void ResetProposedSize() override;
  void Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  // The triangle moved in by each side's distance between elevation lines -1 and 2.
  void Get2LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get3LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  // "Base:", "Height:".
  void GetDimensionLabels(CStringArray& labels) const override;
  void GetDimensionValues(CArray<double, double>& values) const override;
  BOOL SetDimensionValues(const CArray<double, double>& values) override;
  double GetProposedWidth() const override { return m_dProposedBase; }
  double GetProposedHeight() const override { return m_dProposedHeight; }

  // Checked on the type 1 figure: the mirror image has the same glass.
  BOOL AreRequestedDimensionsValid(double base, double height) const;
  int GetTypeNumber() const { return m_nType; }

protected:
  // Height over base of the current size (0 for a stored zero base).
  double Slope() const;
  // Checks the request and, when it passes and differs from the proposal, takes it: the
  // steps after the leaf has formed the request.
  int Settle(double base, double height, const CVRX2DVector& offset);

  double m_dBase = 24.0;
  double m_dHeight = 24.0;
  double m_dProposedBase = 24.0;
  double m_dProposedHeight = 24.0;

private:
  static const vg::CShape<CVGRightTriangle>& Shape();

  int m_nType;
};
