#pragma once
// The free-form regular hexagon "VGRH010": standing on a vertex, with two vertical sides, sized
// by its height alone. Anchored to the adjacent handle its handles are the vertices and the one
// before the dragged vertex stays; anchored to the opposite side they are the side midpoints.
#include "units/freeform/Vgshape.h"

class CVGRegularHexagon : public CVarigonUnit
{
  DECLARE_DYNAMIC(CVGRegularHexagon)
public:
  // Only the unit factory makes one: height 24.
  CVGRegularHexagon();
  CVGRegularHexagon(const CVGRegularHexagon& source);
  CVGRegularHexagon& operator=(const CVGRegularHexagon& source)
  {
    return static_cast<CVGRegularHexagon&>(operator=(static_cast<const CUnit&>(source)));
  }

  // "Anchor to adjacent handle" (0), "Anchor to opposite side" (1).
  void GetAnchorModeNames(CStringArray& names) const override;
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

  BOOL AreRequestedDimensionsValid(double height) const;

private:
  static const vg::CShape<CVGRegularHexagon>& Shape();
  int ConformForAdjacentHandle(int handle, const CVRX2DVector& drag);
  int ConformForOppositeSide(int handle, const CVRX2DVector& drag);
  // Checks the requested height and, when it passes and differs from the proposal, takes it
  // with the offset.
  int Settle(double height, const CVRX2DVector& offset);
  // The outline moved in: sides 0 and 5 by d0, 1 and 4 by d1, 2 and 3 by d2.
  void GetElevationOutline(CVRX2DEntityArray& out, int category, double d2, double d1, double d0) const;

  double m_dHeight = 24.0;
  double m_dProposedHeight = 24.0;
};
