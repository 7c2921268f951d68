#pragma once
// The gliding unit "GLBA005": a rectangle of two panels side by side, the left one venting and
// the right one fixed, with a joint between them at the first joint position of the size.
// Everything about sizes comes from the rectangular standard unit.
#include "model/Stdrect.h"

class CGLBasic : public CStandardRectangularUnit
{
  DECLARE_DYNAMIC(CGLBasic)
public:
  // Only the unit factory makes one: the first standard size of the key.
  CGLBasic();
  CGLBasic(const CGLBasic& source) = default;
  CGLBasic& operator=(const CGLBasic& source)
  {
    return static_cast<CGLBasic&>(operator=(static_cast<const CUnit&>(source)));
  }

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
  // The cut height is not used: every cut of a glider looks the same.
  void GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                              const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const override;
  // The four corners, lower-left first, counter-clockwise.
  void GetSizingHandles(CSizingHandleArray& out) const override;
  void BuildSizedComponents() const override;
  void Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get2LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get3LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;

  // The joint line of the one-line set; with three sets it spans the third line instead.
  void GetJointLineEntities(int lines, CVRX2DEntityArray& out) const;
};
