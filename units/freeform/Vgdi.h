#pragma once
// The free-form diamond "VGDI010": a rhombus standing on a corner, its corners on the middles of
// the sides of its width by height rectangle. Two anchor modes: a dragged corner keeps the
// corner before it in place, or only the opposite corner.
#include "units/freeform/Vgshape.h"

class CVGDiamond : public CVarigonUnit
{
  DECLARE_DYNAMIC(CVGDiamond)
public:
  // Only the unit factory makes one: 24 by 24.
  CVGDiamond();
  CVGDiamond(const CVGDiamond& source);
  CVGDiamond& operator=(const CVGDiamond& source)
  {
    return static_cast<CVGDiamond&>(operator=(static_cast<const CUnit&>(source)));
  }

  // "Anchor to adjacent handle" (0), "Anchor to opposite handle" (1).
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

  BOOL AreRequestedDimensionsValid(double height, double width) const;
  // The angle of every side with the horizontal, from the current size.
  double GetSideAngle() const;

private:
  static const vg::CShape<CVGDiamond>& Shape();
  int ConformToAdjacentHandle(int handle, const CVRX2DVector& drag);
  int ConformToOppositeHandle(int handle, const CVRX2DVector& drag);
  int Settle(double height, double width, const CVRX2DVector& offset);

  double m_dHeight = 24.0;
  double m_dWidth = 24.0;
  double m_dProposedHeight = 24.0;
  double m_dProposedWidth = 24.0;
};
