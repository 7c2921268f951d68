#pragma once
// The elliptical-top window "SWET008": straight jambs up to the stored shoulder height, then
// half an ellipse across the full width rising to the full height. Sized by width alone from
// the sill's two ends; its grille is a sunburst of elliptical rings with spokes.
#include "model/Stdarch.h"

class CVRX2DArc;

class CSWEllipticalTop : public CStandardArchedUnit
{
  DECLARE_DYNAMIC(CSWEllipticalTop)
public:
  // Only the unit factory makes one: the first standard size of the key.
  CSWEllipticalTop();
  CSWEllipticalTop(const CSWEllipticalTop& source) = default;

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
  // A cut outside the unit is taken at its nearer end.
  void GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                              const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const override;
  void GetOutlineEntities(CVRX2DEntityArray& out) const override;
  void GetPartOutlineEntities(CVRX2DEntityArray& out) const override;
  void GetSizingHandles(CSizingHandleArray& out) const override;
  void GetSidesMovedByHandle(int handle, CDWordArray& flags) const override;
  // Only the drag's x counts; a drag with none gives the proposal up. Never out of bounds and
  // changed: beyond the ends by more than half a step it refuses.
  int ConformProposedSize(int handle, const CVRX2DVector& drag) override;
  CVRX2DVector GetProposedOutlineEntities(CVRX2DEntityArray& out) const override;
  void BuildSizedComponents() const override;
  void Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get2LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get3LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void GetSizesForHeight(CArray<double, double>& out) const override;
  void GetSizesForWidth(CArray<double, double>& out) const override;
  void GetGrilleEntities(int lines, CVRX2DEntityArray& out) const override;
  // The unit offers no arch radii.
  void GetArchRadiiForShoulderHeight(CArray<double, double>& out) const override;

  CVRX2DPoint GetEllipseCentre() const;
  double GetSemiWidth() const;
  double GetRise() const;
  CVRX2DPoint GetProposedEllipseCentre() const;
  double GetProposedSemiWidth() const;
  double GetProposedRise() const;

private:
  void BuildElevationEntities(int line, int category, CVRX2DEntityArray& out) const;
  void AddSpokes(int grilleId, const CVRX2DArc& hub, double xc, double yc, double sill, CVRX2DEntityArray& out) const;
};
