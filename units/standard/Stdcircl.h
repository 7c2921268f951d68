#pragma once
// The full-circle units: one circle of the row's radius in a square of twice that side, sized
// by the radius alone. Its four quarters are the sized components; its grille is rings inset
// from the outer edge with spokes out to the glass.
#include "units/standard/Stdround.h"

class CStandardCircularUnit : public CStandardRoundUnit
{
  DECLARE_DYNAMIC(CStandardCircularUnit)
public:
  CStandardCircularUnit(const CString& type, const CString& subtype) : CStandardRoundUnit(type, subtype) {}
  CStandardCircularUnit(const CStandardCircularUnit& source) = default;

  CUnit& operator=(const CUnit& source) override;
  double GetHeight() const override;
  double GetWidth() const override;
  void GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                              const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const override;
  // Four quarter arcs, one per sized component.
  void GetOutlineEntities(CVRX2DEntityArray& out) const override;
  // Each handle keeps the opposite side in place; the radius snaps to the nearest standard one,
  // and past the ends to the outermost one.
  int ConformProposedSize(int handle, const CVRX2DVector& drag) override;
  CVRX2DVector GetProposedOutlineEntities(CVRX2DEntityArray& out) const override;
  void BuildSizedComponents() const override;
  // One value each: the current height, width and radius; no shoulder height.
  void GetSizesForHeight(CArray<double, double>& out) const override;
  void GetSizesForWidth(CArray<double, double>& out) const override;
  void GetGrilleEntities(int lines, CVRX2DEntityArray& out) const override;
  double GetProposedHeight() const override;
  double GetProposedWidth() const override;
  void GetArchRadiiForShoulderHeight(CArray<double, double>& out) const override;
  void GetShoulderHeightsForWidth(CArray<double, double>& out) const override;
  void GetArchCurveEntities(int category, double inset, CVRX2DEntityArray& out) const override;

  CVRX2DPoint GetCentre() const;
};
