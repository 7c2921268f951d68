#pragma once
// The free-form octagon "VGOC010": a regular octagon with level bottom and top and vertical
// sides, sized by its width alone (its height is the same). Its two anchor modes are those of the
// regular hexagon: vertex handles anchored to the vertex before, or side midpoints anchored to
// the opposite side.
#include "units/freeform/Vgshape.h"

class CVGOctagon : public CVarigonUnit
{
  DECLARE_DYNAMIC(CVGOctagon)
public:
  // Only the unit factory makes one: width 24.
  CVGOctagon();
  CVGOctagon(const CVGOctagon& source);
  CVGOctagon& operator=(const CVGOctagon& source)
  {
    return static_cast<CVGOctagon&>(operator=(static_cast<const CUnit&>(source)));
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

  // Takes a side length, not a width.
  BOOL AreRequestedDimensionsValid(double side) const;
  // Square feet of the current size's bounding square.
  double GetUnitArea() const;
  static double GetAreaForSide(double side);

protected:
  // The full reset: the proposal and the offset dropped, the geometry discarded.
  void ValidateSize();

private:
  static const vg::CShape<CVGOctagon>& Shape();
  int ConformForAdjacentHandle(int handle, const CVRX2DVector& drag);
  int ConformForOppositeSide(int handle, const CVRX2DVector& drag);

  double m_dProposedWidth = 24.0;
  double m_dWidth = 24.0;
  double m_dRatio;  // width over side length
};
