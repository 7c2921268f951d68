#pragma once
// The free-form hexagon "VGHX010": a level sill, two vertical jambs of equal height, two sloped
// jambs rising symmetrically from them and a level head centred over the sill. Dragging a head
// corner moves both, so the head stays centred.
#include "units/freeform/Vgshape.h"

class CVGHexagon : public CVarigonUnit
{
  DECLARE_DYNAMIC(CVGHexagon)
public:
  // Only the unit factory makes one: base 24, left/right 16, top 8, height 24.
  CVGHexagon();
  CVGHexagon(const CVGHexagon& source);
  CVGHexagon& operator=(const CVGHexagon& source)
  {
    return static_cast<CVGHexagon&>(operator=(static_cast<const CUnit&>(source)));
  }

  // The type description and the proposed base, left/right, top and height.
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

  BOOL AreRequestedDimensionsValid(double base, double leftRight, double top, double height) const;

private:
  static const vg::CShape<CVGHexagon>& Shape();
  // The outline moved in: the sill, all four jambs by the right jamb's and the head by its own
  // distance between the two elevation lines.
  void AddInsetOutline(CVRX2DEntityArray& out, int line1, int line2) const;

  double m_dBase = 24.0;
  double m_dLeftRight = 16.0;
  double m_dTop = 8.0;
  double m_dHeight = 24.0;
  double m_dProposedBase = 24.0;
  double m_dProposedLeftRight = 16.0;
  double m_dProposedTop = 8.0;
  double m_dProposedHeight = 24.0;
};
