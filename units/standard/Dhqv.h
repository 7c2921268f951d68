#pragma once
// The double-hung unit of the Trimveld "DHQV004": a lower and an upper sash meeting at a rail. No
// operating symbol is drawn.
#include "model/Stdrect.h"

class CDHTrimveld : public CStandardRectangularUnit
{
  DECLARE_DYNAMIC(CDHTrimveld)
public:
  // Only the unit factory makes one.
  CDHTrimveld();
  CDHTrimveld(const CDHTrimveld& source) = default;
  CDHTrimveld& operator=(const CDHTrimveld& source)
  {
    return static_cast<CDHTrimveld&>(operator=(static_cast<const CUnit&>(source)));
  }

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
  // One fixed panel as wide as the unit; the cut height is not used.
  void GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                              const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const override;
  void GetSizingHandles(CSizingHandleArray& out) const override;
  // Seven members whatever the size's panel count.
  void BuildSizedComponents() const override;
  void Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get2LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get3LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;

  void GetMeetingRailEntities(int level, int lines, CVRX2DEntityArray& out) const;
};
