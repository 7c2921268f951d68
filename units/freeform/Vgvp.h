#pragma once
// The free-form vertical parallelogram "VGVP010": two vertical jambs of equal length and a sill
// and head of one pitch. TYPE1 rises from left to right (the right jamb stands higher), TYPE2
// falls. Dragging the sill or head midpoint through the horizontal turns one type into the other.
#include "units/freeform/Vgshape.h"

class CVRX2DLine;

class CVGVerticalParallelogram : public CVarigonUnit
{
  DECLARE_DYNAMIC(CVGVerticalParallelogram)
public:
  // Only the unit factory makes one: TYPE1, 24 wide, jambs of 12, a pitch of 6 in 12.
  CVGVerticalParallelogram();
  CVGVerticalParallelogram(const CVGVerticalParallelogram& source);
  CVGVerticalParallelogram& operator=(const CVGVerticalParallelogram& source)
  {
    return static_cast<CVGVerticalParallelogram&>(operator=(static_cast<const CUnit&>(source)));
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
  // The pitch (rise over a 12 inch run, negative for TYPE2) is a plain number, not a length.
  BOOL IsDimensionLength(int index) const override;

  // The pitch is an angle in radians, without sign.
  BOOL AreRequestedDimensionsValid(double jamb, double pitch, double width) const;
  // The crossing of the two lines taken as infinite; CUnitException for parallel lines.
  CVRX2DPoint GetIntersectPoint(const CVRX2DLine& first, const CVRX2DLine& second) const;
  // A new line owned by the caller: side 0 to 3 moved in by its elevation distance.
  CVRX2DLine* GetInnerElevationLine(int side) const;
  BOOL IsRightJambHigher() const { return m_bRightJambHigher != 0; }

private:
  static const vg::CShape<CVGVerticalParallelogram>& Shape();
  // The full reset after every change of the current shape.
  void SizeChanged();
  // The sizing rules of each type: TYPE1 has the lower jamb on the left, TYPE2 on the right.
  int ConformLowerLeftJamb(int handle, const CVRX2DVector& drag);
  int ConformLowerRightJamb(int handle, const CVRX2DVector& drag);
  // The rules of both types: TYPE2's are the mirror image of TYPE1's.
  int ConformJambs(int handle, const CVRX2DVector& drag, bool lowerLeft);
  // Checks a formed request and takes it when it differs from the proposal; the caller then
  // sets the offset. A turned request keeps its height and width without sign.
  int Settle(int rightHigher, double jamb, double pitch, double& width, double& height);

  int m_bRightJambHigher = 1;
  double m_dJamb = 12.0;
  double m_dPitch = 0.463647609;
  double m_dWidth = 24.0;
  int m_bProposedRightJambHigher = 1;
  double m_dProposedJamb = 12.0;
  double m_dProposedPitch = 0.463647609;
  double m_dProposedWidth = 24.0;
};
