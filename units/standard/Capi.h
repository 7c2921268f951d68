#pragma once
// The casement picture "CAPI001": one frame that does not open; its operating choice, "F" or "S",
// chooses the members of the frame.
#include "model/Stdrect.h"

class CCAPicture : public CStandardRectangularUnit
{
  DECLARE_DYNAMIC(CCAPicture)
public:
  // Only the unit factory makes one.
  CCAPicture();
  CCAPicture(const CCAPicture& source) = default;
  CCAPicture& operator=(const CCAPicture& source)
  {
    return static_cast<CCAPicture&>(operator=(static_cast<const CUnit&>(source)));
  }

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
  // One fixed panel, whatever the size's panel count; the cut height is not used.
  void GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                              const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const override;
  void GetSizingHandles(CSizingHandleArray& out) const override;
  // Refuses a code other than "F" and "S" (CUnitException "Capi").
  void BuildSizedComponents() const override;
  void Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get2LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get3LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
};
