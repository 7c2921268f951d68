#pragma once
// The gothic window "SWGT041": two arcs of the row's radius spring from the jambs at the
// shoulder and meet in a point at the full height. The shoulder is calculated from the row's
// height, width and radius, and the sizing snaps a corner drag to the size nearest in the plane
// of width and shoulder height.
#include "geometry/2darc.h"
#include "model/Stdarch.h"

class CStdSizesRec;

class CSWGothic : public CStandardArchedUnit
{
  DECLARE_DYNAMIC(CSWGothic)
public:
  // Only the unit factory makes one: the first standard size of the key.
  CSWGothic();
  CSWGothic(const CSWGothic& source) = default;

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
  // A cut outside the unit is taken at its nearer end.
  void GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                              const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const override;
  void GetOutlineEntities(CVRX2DEntityArray& out) const override;
  void GetPartOutlineEntities(CVRX2DEntityArray& out) const override;
  // The sill's ends and the shoulders.
  void GetSizingHandles(CSizingHandleArray& out) const override;
  int ConformProposedSize(int handle, const CVRX2DVector& drag) override;
  CVRX2DVector GetProposedOutlineEntities(CVRX2DEntityArray& out) const override;
  void BuildSizedComponents() const override;
  void Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get2LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get3LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void GetSizesForHeight(CArray<double, double>& out) const override;
  void GetSizesForWidth(CArray<double, double>& out) const override;
  void GetGrilleEntities(int lines, CVRX2DEntityArray& out) const override;
  double GetProposedShoulderHeight() const override;
  virtual double GetCalculatedShoulderHeight() const;

  CVRX2DPoint GetApexPoint() const;
  // The shoulder under an apex h high of two arcs of radius r over a width w; throws
  // CUnitException (Swgt, line) when the arcs cannot meet (w > 2r).
  static double CalcShoulderHeight(double h, double w, double r, int line);

private:
  struct CArcs
  {
    CVRX2DArc left;
    CVRX2DArc right;
  };
  static CArcs MakeArcs(int category, double r, double inset, double s, double w);
  static void AddOutlineEntities(int category, double side, double bottom, double s, double w, const CArcs& arcs,
                                 CVRX2DEntityArray& out);
  void BuildElevationEntities(int line, int category, CVRX2DEntityArray& out) const;
  // The row nearest the request among those the walk reaches from the key on; FALSE when the
  // walk finds no row of the unit. `tooShort` stays set unless a row reaches the shoulder.
  BOOL FindNearest(BOOL forwards, double w, double s, CStdSizesRec& best, BOOL& tooShort) const;
  BOOL IsBeyondWidths(BOOL below, double w) const;
  void AddBranches(int grilleId, double v, CVRX2DEntityArray& out) const;
};
