#pragma once
// The full-chord units: one circular segment, a straight bottom member (the chord) under one
// arc of the row's radius, with no legs. Sized by width only; the radius decides the rise,
// which is the unit's height.
#include "model/Stdarch.h"

class CStandardFullChord : public CStandardArchedUnit
{
  DECLARE_DYNAMIC(CStandardFullChord)
public:
  CStandardFullChord(const CString& type, const CString& subtype) : CStandardArchedUnit(type, subtype) {}
  CStandardFullChord(const CStandardFullChord& source) = default;

  CUnit& operator=(const CUnit& source) override;
  double GetHeight() const override;
  // The segment's chord at the cut height; a cut outside the unit is taken at its nearer end.
  void GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                              const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const override;
  // The chord and the arch.
  void GetOutlineEntities(CVRX2DEntityArray& out) const override;
  void GetPartOutlineEntities(CVRX2DEntityArray& out) const override;
  // The chord's two ends, moving the width only.
  void GetSizingHandles(CSizingHandleArray& out) const override;
  void GetSidesMovedByHandle(int handle, CDWordArray& flags) const override;
  // Only the drag's x counts; a drag with none gives the proposal up.
  int ConformProposedSize(int handle, const CVRX2DVector& drag) override;
  CVRX2DVector GetProposedOutlineEntities(CVRX2DEntityArray& out) const override;
  void BuildSizedComponents() const override;
  void Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get2LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get3LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  // The widths offered at the current radius, ascending.
  void GetSizesForWidth(CArray<double, double>& out) const override;
  double GetProposedHeight() const override;
  // The radii offered at the current width, ascending.
  void GetArchRadiiForShoulderHeight(CArray<double, double>& out) const override;
  // A full chord has no shoulder: always empty.
  void GetShoulderHeightsForWidth(CArray<double, double>& out) const override;

  CVRX2DPoint GetArchCentre() const;
  CVRX2DPoint GetProposedArchCentre() const;

  enum
  {
    cBottom,
    cArch,
    cComponentCount
  };

private:
  void AddElevationRing(int line, int category, CVRX2DEntityArray& out) const;
  // Walks the rows of an index from (primary, 0, 0) while the leading value stays the given
  // one, stepping to the next value of the second key member each time.
  template <class Visit>
  void WalkDistinct(int index, double primary, Visit visit) const;
};
