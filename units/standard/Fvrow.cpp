#include "units/standard/Fvrow.h"

#include "model/Plansect.h"
#include "model/Stdunit.h"
#include "model/Unitexcp.h"

namespace FixedVentingRow {

void GetPlanSection(const CStandardUnit& unit, const char* module, int badLetterLine,
                    const CPlanSectionSwitches& switches, const CPlanSectionPreferences& preferences,
                    CVRX2DEntityArray& out)
{
  CPlanSectionUnitDimensions dimensions;
  const int n = unit.GetPanelCount();
  if (n != 1) {
    for (int i = 0; i < n; ++i) {
      if (i >= 1) {
        const double joint = unit.GetSizeValue(i);  // refuses a panel beyond the record's room
        dimensions.m_dPanelPositions[i - 1] = joint;
      }
      const char letter = unit.GetPanelOperation(i);
      if (letter != 'F' && letter != 'V')
        throw CUnitException(module, badLetterLine);
      dimensions.m_nPanelKinds[i] =
          letter == 'F' ? CPlanSectionUnitDimensions::pkSlidingMinusY : CPlanSectionUnitDimensions::pkSlidingPlusY;
    }
  }
  dimensions.m_dPlanWidth = unit.GetWidth();
  dimensions.m_nPanelCount = n;
  PanelRow::GetPlanSection(dimensions, switches, preferences, out);
}

void GetHandles(const CStandardUnit& unit, const CComponentGroups& groups, CSizingHandleArray& out)
{
  PanelRow::GetCornerHandles(
      unit, {groups.BottomGroupIndex, groups.RightGroupIndex, groups.TopGroupIndex, groups.LeftGroupIndex}, out);
}

void Get1Line(const CStandardUnit& unit, const CComponentGroups& groups, int lines, CVRX2DEntityArray& out)
{
  PanelRow::GetFrameRectangle(unit, groups, -1, oneLineCategory, out);
  if (unit.GetPanelCount() > 1)
    GetJointLines(unit, groups, lines, out);
}

void GetJointLines(const CStandardUnit& unit, const CComponentGroups& groups, int lines, CVRX2DEntityArray& out)
{
  const int n = unit.GetPanelCount();
  const int frameLine = lines < 3 ? -1 : 3;
  const double y0 = unit.GetComponentDistance(groups.BottomGroupIndex, 0, frameLine);
  const double y1 = unit.GetHeight() - unit.GetComponentDistance(groups.TopGroupIndex, 0, frameLine);
  for (int k = 1; k < n; ++k) {
    const char before = unit.GetPanelOperation(k - 1), after = unit.GetPanelOperation(k);
    double offset = 0.0;
    if (lines != 1 && before == 'F' && after == 'V')
      offset = unit.GetComponentDistance(groups.InteriorGroupIndex + k - 1, 0, 1);
    else if (lines != 1 && before == 'V' && after == 'F')
      offset = unit.GetComponentDistance(groups.InteriorGroupIndex + k - 1, 0, -1);
    const double x = unit.GetSizeValue(k) + offset;
    PanelRow::AddElevationLine(out, oneLineCategory, x, y0, x, y1);
  }
}

void Get2Line(const CStandardUnit& unit, const CComponentGroups& groups, CVRX2DEntityArray& out)
{
  PanelRow::GetPanelRectangles(unit, groups, 2, twoLineCategory, out);
}

void Get3Line(const CStandardUnit& unit, const CComponentGroups& groups, CVRX2DEntityArray& out)
{
  PanelRow::GetFrameRectangle(unit, groups, 3, twoLineCategory, out);
}

}  // namespace FixedVentingRow
