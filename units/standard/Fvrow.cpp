#include "units/standard/Fvrow.h"

#include "model/Plansect.h"
#include "model/Stdunit.h"
#include "model/Unitexcp.h"

namespace FixedVentingRow {
namespace {
// Members of a venting and of a fixed panel.
constexpr const char* kVentBottom = "BI";
constexpr const char* kVentTop = "AF";
constexpr const char* kVentSide = "AM";
constexpr const char* kFixedBottom = "BL";
constexpr const char* kFixedTop = "AI";
constexpr const char* kFixedSide = "AS";
constexpr const char* kFixedToVenting = "BD";
constexpr const char* kVentingToFixed = "BS";
}  // namespace

void BuildComponents(const CStandardUnit& unit, const CComponentGroups& groups, const CRowRules& rules,
                     CSizedComponentArray& out)
{
  const int n = unit.GetPanelCount();
  const CComponentGroups& g = groups;
  CComponentSlots slots(3 * n + 1, rules.lineCode, rules.unitCode);
  for (int k = 1; k <= n; ++k) {
    const CVRX2DPoint l0(PanelRow::PanelEdge(unit, k - 1), 0.0), l1(PanelRow::PanelEdge(unit, k - 1), unit.GetHeight());
    const CVRX2DPoint r0(PanelRow::PanelEdge(unit, k), 0.0), r1(PanelRow::PanelEdge(unit, k), unit.GetHeight());
    const char letter = unit.GetPanelOperation(k - 1), next = unit.GetPanelOperation(k);
    const bool fixed = letter == 'F';
    if (!fixed && letter != 'V')
      throw CUnitException(rules.module, rules.badLetterLine);
    const char* side = fixed ? (n == 1 && rules.singleFixedSide ? rules.singleFixedSide : kFixedSide) : kVentSide;
    slots.Put(g.BottomGroupIndex + k - 1, fixed ? kFixedBottom : kVentBottom, "P", l0, r0);
    slots.Put(g.LeftGroupIndex - k, fixed ? kFixedTop : kVentTop, "P", r1, l1);
    if (k == 1)
      slots.Put(g.LeftGroupIndex, side, "P", l1, l0);
    if (k == n) {
      slots.Put(g.RightGroupIndex, side, "P", r0, r1);
      continue;
    }
    if (fixed && next != 'V')
      throw CUnitException(rules.module, rules.fixedBesideFixedLine);
    const bool pairAllowed = rules.ventingPair != nullptr;
    if (!fixed && next != 'F' && !(pairAllowed && next == 'V'))
      throw CUnitException(rules.module, rules.ventingBesideBadLine);
    const char* joint = fixed ? kFixedToVenting : (next == 'F' ? kVentingToFixed : rules.ventingPair);
    slots.Put(g.InteriorGroupIndex + k - 1, joint, "I", r0, r1);
  }
  if (!slots.IsComplete())
    throw CUnitException(rules.module, rules.badLetterLine);
  slots.MoveTo(out);
}

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
