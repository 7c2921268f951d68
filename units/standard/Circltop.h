#pragma once
// The circle-top units: a rectangle of the row's width with a half circle of half that width on
// it, so the radius follows from the width alone (the row's radius field is not read). They are
// sized by width only: two bottom handles, each snapping to the nearest standard width.
#include "model/Stdarch.h"

class CStandardCircleTop : public CStandardArchedUnit
{
  DECLARE_DYNAMIC(CStandardCircleTop)
public:
  CStandardCircleTop(const CString& type, const CString& subtype) : CStandardArchedUnit(type, subtype) {}
  CStandardCircleTop(const CStandardCircleTop& source) = default;

  CUnit& operator=(const CUnit& source) override;
  void GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                              const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const override;
  // Bottom, legs and the half circle.
  void GetOutlineEntities(CVRX2DEntityArray& out) const override;
  // The bounding rectangle and the centre line.
  void GetPartOutlineEntities(CVRX2DEntityArray& out) const override;
  // The two bottom corners, moving the width only.
  void GetSizingHandles(CSizingHandleArray& out) const override;
  void GetSidesMovedByHandle(int handle, CDWordArray& flags) const override;
  // Only the drag's x counts; a drag with none gives the proposal up.
  int ConformProposedSize(int handle, const CVRX2DVector& drag) override;
  CVRX2DVector GetProposedOutlineEntities(CVRX2DEntityArray& out) const override;
  void BuildSizedComponents() const override;
  void Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get2LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get3LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  // The plain lists of the standard unit: every height at the width, every width at the height.
  void GetSizesForHeight(CArray<double, double>& out) const override;
  void GetSizesForWidth(CArray<double, double>& out) const override;
  double GetArchRadius() const override;
  // A circle top offers no shoulder height of its own.
  void GetShoulderHeightsForWidth(CArray<double, double>& out) const override;
  double GetProposedArchRadius() const override;

  // The springline: the height of the straight legs.
  double GetHeightLessRadius() const;
  double GetProposedHeightLessRadius() const;
  CVRX2DPoint GetArchCentre() const;
  CVRX2DPoint GetProposedArchCentre() const;
  static double SideFromHypotenuse(double a, double b);

  enum
  {
    cBottom,
    cRightLeg,
    cArch,
    cLeftLeg,
    cComponentCount
  };

protected:
  // A ring of radius rho about the hub, cut by the inner bottom line at height `bottom`.
  static void AddRing(CVRX2DEntityArray& out, const CVRX2DPoint& hub, double rho, double bottom);
  // The inner arch of line 2, for the spokes' outer ends.
  void GetInnerArch(CVRX2DPoint& centre, double& radius) const;

private:
  void AddElevation(int line, int category, BOOL alwaysLegs, CVRX2DEntityArray& out) const;
};
