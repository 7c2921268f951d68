#pragma once
// The double-hung unit of the Cantorel "DHKC003": a lower and an upper sash meeting at a rail. No
// operating symbol is drawn.
#include "model/Stdrect.h"

class CDHCantorel : public CStandardRectangularUnit
{
  DECLARE_DYNAMIC(CDHCantorel)
public:
  // Only the unit factory makes one.
  CDHCantorel();
  CDHCantorel(const CDHCantorel& source) = default;
  CDHCantorel& operator=(const CDHCantorel& source)
  {
    return static_cast<CDHCantorel&>(operator=(static_cast<const CUnit&>(source)));
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
