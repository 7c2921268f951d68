#pragma once
// The fixed and venting window "FGBA015": n panels side by side, each fixed ('F') or venting ('V') by its
// letter of the operating choice; two venting panels may meet, two fixed ones may not. It starts
// at the size of smallest height, then smallest width.
#include "model/Stdrect.h"
#include "units/standard/Panelrow.h"

class CFGBasic : public CStandardRectangularUnit
{
  DECLARE_DYNAMIC(CFGBasic)
public:
  // Only the unit factory makes one.
  CFGBasic();
  CFGBasic(const CFGBasic& source) = default;
  CFGBasic& operator=(const CFGBasic& source)
  {
    return static_cast<CFGBasic&>(operator=(static_cast<const CUnit&>(source)));
  }

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
  // The cut height is not used.
  void GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                              const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const override;
  void GetSizingHandles(CSizingHandleArray& out) const override;
  void BuildSizedComponents() const override;
  void Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get2LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get3LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void UpdateComponentIndices() override;

  // The joint lines of the one-line set, on the venting side of each joint.
  void GetJointLineEntities(int lines, CVRX2DEntityArray& out) const;
  void CopyComponentIndices(const CFGBasic& source) { m_Groups = source.m_Groups; }
  const CComponentGroups& GetComponentGroups() const { return m_Groups; }

private:
  CComponentGroups m_Groups;
};
