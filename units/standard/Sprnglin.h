#pragma once
// The springline units: a rectangle up to the shoulder height, closed by one circular arch of
// the row's radius springing from the tops of both legs. Width, shoulder height and radius come
// from the current standard size; the height follows: H = S + r - sqrt(r^2 - (W/2)^2). The
// leaves bind only their codes.
#include "model/Stdarch.h"

class CStandardSpringlineUnit : public CStandardArchedUnit
{
  DECLARE_DYNAMIC(CStandardSpringlineUnit)
public:
  CStandardSpringlineUnit(const CString& type, const CString& subtype) : CStandardArchedUnit(type, subtype) {}
  CStandardSpringlineUnit(const CStandardSpringlineUnit& source) = default;

  CUnit& operator=(const CUnit& source) override;
  // Size code, width, both legs' shoulder height, height and radius of the proposed size.
  CString GetSizeText(int lengthFormat) const override;
  double GetHeight() const override;
  // Above the shoulder the cut is the arch circle's chord at that height, centred on the unit.
  void GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                              const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const override;
  void GetPartOutlineEntities(CVRX2DEntityArray& out) const override;
  // The bottom corners and the tops of the legs.
  void GetSizingHandles(CSizingHandleArray& out) const override;
  CVRX2DVector GetProposedOutlineEntities(CVRX2DEntityArray& out) const override;
  void BuildSizedComponents() const override;
  void Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get2LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get3LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  // Choice 2 the pattern grille, choice 6 the unit's own bar or ring grille.
  void GetGrilleEntities(int lines, CVRX2DEntityArray& out) const override;
  double GetProposedHeight() const override;

  CVRX2DPoint GetArchCentre() const;
  CVRX2DPoint GetProposedArchCentre() const;
  double GetArchRise() const;
  double GetProposedArchRise() const;
  // Where the arch inset by line n's depths meets the inset legs.
  double GetElevationShoulderHeight(int line) const;
  static double ArchRise(double radius, double chord);
  static double SideFromHypotenuse(double a, double b);

  // Horizontal bars below the hub, vertical bars with half rings right of the centre band,
  // spokes from the first such ring to the frame.
  void BuildBarGrille(int lines, int grilleId, CVRX2DEntityArray& out) const;
  // Rings about the hub cut by the inner bottom line, spokes from the smallest ring.
  void BuildRingGrille(int lines, int grilleId, CVRX2DEntityArray& out) const;

  // Sized components.
  enum
  {
    cBottom,
    cRightLeg,
    cArch,
    cLeftLeg,
    cComponentCount
  };

private:
  void AddElevationRing(int line, int category, CVRX2DEntityArray& out) const;
};
