#pragma once
// The hinged door "FHBA014": panels side by side, each an operating leaf ('A'), the second leaf of
// a pair ('P', first or last only) or a stationary panel ('S'). The letters behind the panels
// ('L', 'R') give the side at which the leaf's symbol meets; together they choose the jamb and
// joint members.
#include "model/Stdrect.h"
#include "units/standard/Panelrow.h"

class CFHBasic : public CStandardRectangularUnit
{
  DECLARE_DYNAMIC(CFHBasic)
public:
  // Only the unit factory makes one.
  CFHBasic();
  CFHBasic(const CFHBasic& source) = default;
  CFHBasic& operator=(const CFHBasic& source)
  {
    return static_cast<CFHBasic&>(operator=(static_cast<const CUnit&>(source)));
  }

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
  // The cut height is not used. Refuses a leaf whose side the code does not give, before
  // anything is put into `out`.
  void GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                              const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const override;
  void GetSizingHandles(CSizingHandleArray& out) const override;
  // Refuses a code whose members do not close the frame (CUnitException "Fhba").
  void BuildSizedComponents() const override;
  void Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get2LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get3LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void GetOperationEntities(int lines, CVRX2DEntityArray& out) const override;
  void UpdateComponentIndices() override;

  // One line on each joint (the one-line set drawn alone).
  void GetJointLineEntities(CVRX2DEntityArray& out) const;
  // Both edges of each joint, at its line-3 half-widths.
  void GetJointEdgeLineEntities(int lines, CVRX2DEntityArray& out) const;
  void CopyComponentIndices(const CFHBasic& source) { m_Groups = source.m_Groups; }
  const CComponentGroups& GetComponentGroups() const { return m_Groups; }

private:
  // The members of panel i (1 = leftmost) by its letter.
  void PutLeaf(CComponentSlots& slots, int i, const CVRX2DPoint (&corners)[4]) const;
  void PutPairLeaf(CComponentSlots& slots, int i, const CVRX2DPoint (&corners)[4]) const;
  void PutStationary(CComponentSlots& slots, int i, const CVRX2DPoint (&corners)[4]) const;
  void PutJoint(CComponentSlots& slots, int joint, const char* code) const;
  char GetSymbolSide(int panel) const;

  CComponentGroups m_Groups;
};
