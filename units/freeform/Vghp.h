#pragma once
// The free-form horizontal parallelogram "VGHP010": a level sill and head of one length and two
// parallel slanted jambs, leaning right (the head shifted right of the sill) or left. Turning a
// jamb's midpoint past the vertical turns the lean over.
#include "units/freeform/Vgshape.h"

class CVRX2DLine;

class CVGHorizontalParallelogram : public CVarigonUnit
{
  DECLARE_DYNAMIC(CVGHorizontalParallelogram)
public:
  // Only the unit factory makes one: right-leaning at 60 degrees in a 24 by 24 box.
  CVGHorizontalParallelogram();
  CVGHorizontalParallelogram(const CVGHorizontalParallelogram& source);
  CVGHorizontalParallelogram& operator=(const CVGHorizontalParallelogram& source)
  {
    return static_cast<CVGHorizontalParallelogram&>(operator=(static_cast<const CUnit&>(source)));
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

  // Checked on the right-leaning figure; the area and glass sizes may fit either as drawn or
  // with the jambs laid horizontal.
  BOOL AreRequestedDimensionsValid(double base, double leftRight, double height) const;
  // The crossing of the two lines taken as infinite; CUnitException for parallel lines.
  CVRX2DPoint GetIntersectPoint(const CVRX2DLine& first, const CVRX2DLine& second) const;
  // A new line owned by the caller: side 0 to 3 moved in by its elevation distance.
  CVRX2DLine* GetInnerElevationLine(int side) const;
  BOOL IsRightLeaning() const { return m_bRightLeaning != 0; }
  double GetAngle() const { return m_dAngle; }

private:
  static const vg::CShape<CVGHorizontalParallelogram>& Shape();
  // The full reset after every change of the current shape.
  void SizeChanged();

  int m_bRightLeaning = 1;
  double m_dBase;
  double m_dLeftRight;
  double m_dHeight;
  double m_dAngle;
  int m_bProposedRightLeaning = 1;
  double m_dProposedBase;
  double m_dProposedLeftRight;
  double m_dProposedHeight;
  double m_dProposedAngle;
};
