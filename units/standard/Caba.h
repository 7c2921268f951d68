#pragma once
// The casement "CABA001": casement panels side by side in one frame, each stationary ('S') or
// opening with its symbol meeting at the left ('L') or right ('R'). The members distinguish only
// stationary from opening panels; no letter is refused.
#include "model/Stdrect.h"
#include "units/standard/Panelrow.h"

class CCABasic : public CStandardRectangularUnit
{
  DECLARE_DYNAMIC(CCABasic)
public:
  // Only the unit factory makes one.
  CCABasic();
  CCABasic(const CCABasic& source) = default;
  CCABasic& operator=(const CCABasic& source)
  {
    return static_cast<CCABasic&>(operator=(static_cast<const CUnit&>(source)));
  }

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
  // The cut height is not used; every panel is drawn as fixed.
  void GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                              const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const override;
  void GetSizingHandles(CSizingHandleArray& out) const override;
  void BuildSizedComponents() const override;
  void Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get2LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get3LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  // Each panel's own letter: 'L' and 'R' draw a symbol, any other letter (or none) draws none.
  void GetOperationEntities(int lines, CVRX2DEntityArray& out) const override;
  void UpdateComponentIndices() override;

  void CopyComponentIndices(const CCABasic& source) { m_Groups = source.m_Groups; }
  const CComponentGroups& GetComponentGroups() const { return m_Groups; }

private:
  CComponentGroups m_Groups;
};
