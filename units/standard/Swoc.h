#pragma once
// The regular octagon window "SWOC010": as high as it is wide, its eight sides the sized
// components, its eight vertices the sizing handles. A vertex drag moves the vertex away from
// (or towards) the opposite one, which stays in place.
#include "model/Stdunit.h"

class CSWOctagon : public CStandardUnit
{
  DECLARE_DYNAMIC(CSWOctagon)
public:
  // Only the unit factory makes one: the first standard size of the key.
  CSWOctagon();
  CSWOctagon(const CSWOctagon& source) = default;

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
  double GetHeight() const override;
  // The cut is taken inside the unit, so a cut above or below it meets the top or bottom side.
  void GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                              const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const override;
  void GetSizingHandles(CSizingHandleArray& out) const override;
  void GetSidesMovedByHandle(int handle, CDWordArray& flags) const override;
  // Never out of bounds and changed: beyond the ends by more than half a step it refuses.
  int ConformProposedSize(int handle, const CVRX2DVector& drag) override;
  CVRX2DVector GetProposedOutlineEntities(CVRX2DEntityArray& out) const override;
  void BuildSizedComponents() const override;
  void Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get2LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get3LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  double GetProposedHeight() const override;

  // Measures of an octagon x wide across flats.
  static double Side(double x);
  static double Corner(double x);
  static double VertexDiameter(double x);

private:
  static void GetVertices(double w, CVRX2DPoint (&vertices)[8]);
  void AddInsetOctagon(int line, int category, CVRX2DEntityArray& out) const;
  BOOL IsDragAccepted(const CVRX2DPoint& opposite, const CVRX2DPoint& vertex, const CVRX2DVector& drag) const;
  void SetProposedDelta(int handle, double w, double proposed);
};
