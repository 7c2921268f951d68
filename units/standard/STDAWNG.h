#pragma once
// The awning units "AW": panels stacked one above the other in one frame, each fixed ('F'),
// stationary ('S') or venting ('V'). The first letter of the operating choice belongs to the
// highest panel. The leaves only bind their unit code; all geometry is here.
#include "model/Stdrect.h"
#include "units/standard/Panelrow.h"

class CStandardAwningUnit : public CStandardRectangularUnit
{
  DECLARE_DYNAMIC(CStandardAwningUnit)
public:
  explicit CStandardAwningUnit(CString unitCode);
  CStandardAwningUnit(const CStandardAwningUnit& source) = default;
  CStandardAwningUnit& operator=(const CStandardAwningUnit& source)
  {
    return static_cast<CStandardAwningUnit&>(operator=(static_cast<const CUnit&>(source)));
  }

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
  // One fixed panel as wide as the unit; the cut height is not used.
  void GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                              const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const override;
  void GetSizingHandles(CSizingHandleArray& out) const override;
  // Refuses (CUnitException "STDAWNG") more than one panel without the rail of its whole code.
  void BuildSizedComponents() const override;
  // The frame and the line where the panels meet (drawn at every panel count).
  void Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get2LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get3LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  // A caret on each venting panel from the lowest up, up to the first panel that does not vent.
  void GetOperationEntities(int lines, CVRX2DEntityArray& out) const override;
  void UpdateComponentIndices() override;

  void CopyComponentIndices(const CStandardAwningUnit& source) { m_Groups = source.m_Groups; }
  const CComponentGroups& GetComponentGroups() const { return m_Groups; }

private:
  // The letter of panel i, counted from 1 at the bottom.
  char GetPanelLetter(int panel) const;
  // The height where panel i ends: y(0) = 0, y(n) = H, the meeting heights between.
  double GetPanelTop(int panel) const;

  CComponentGroups m_Groups;
};
