#pragma once
// The units whose whole top is one curve drawn in a bounding rectangle (the oval, the circles):
// a rectangular part outline with a centre cross, four handles at the middles of the sides, and
// elevations made of the curve alone, inset by the top member's depths.
//
// Other parts of the design name some operations of this family and its neighbours otherwise:
//   CStandardRoundUnit::GetInsetOutlineEntities        -> GetArchCurveEntities
//   CStandardArchedUnit::GetRadius, GetProposedRadius  -> GetArchRadius, GetProposedArchRadius
//   GetRadiiForShoulderHeight                          -> GetArchRadiiForShoulderHeight
//   GetShoulderHeights                                 -> GetShoulderHeightsForWidth
#include "model/Stdarch.h"

class CStandardRoundUnit : public CStandardArchedUnit
{
  DECLARE_DYNAMIC(CStandardRoundUnit)
public:
  // The sized components of every round unit: bottom, right side, top (the curved member), left side.
  enum
  {
    cBottom = 0,
    cRight = 1,
    cTop = 2,
    cLeft = 3
  };

  CStandardRoundUnit(const CString& type, const CString& subtype) : CStandardArchedUnit(type, subtype) {}
  CStandardRoundUnit(const CStandardRoundUnit& source) = default;

  CUnit& operator=(const CUnit& source) override;
  void GetPartOutlineEntities(CVRX2DEntityArray& out) const override;
  // Bottom, right, top and left middles: codes 3 (height) and 12 (width).
  void GetSizingHandles(CSizingHandleArray& out) const override;
  void Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get2LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get3LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  // Appends the unit's curve moved inward by `inset`, in the category.
  virtual void GetArchCurveEntities(int category, double inset, CVRX2DEntityArray& out) const = 0;

protected:
  static const char* const kSideCode;     // "BW"
  static const char* const kQuarterCode;  // "BV"
};
