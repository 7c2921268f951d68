#pragma once
// The double-hung transom "DHTR003": one frame without sashes or meeting rail.
#include "model/Stdrect.h"

class CDHTransom : public CStandardRectangularUnit
{
  DECLARE_DYNAMIC(CDHTransom)
public:
  // Only the unit factory makes one.
  CDHTransom();
  CDHTransom(const CDHTransom& source) = default;
  CDHTransom& operator=(const CDHTransom& source)
  {
    return static_cast<CDHTransom&>(operator=(static_cast<const CUnit&>(source)));
  }

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
  // One fixed panel as wide as the unit; the cut height is not used.
  void GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                              const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const override;
  void GetSizingHandles(CSizingHandleArray& out) const override;
  // Four members whatever the size's panel count.
  void BuildSizedComponents() const override;
  void Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get2LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get3LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
};
