#include "units/standard/Fgba.h"

#include "model/Sizecomp.h"
#include "model/Unitexcp.h"
#include "units/standard/Fvrow.h"

IMPLEMENT_DYNAMIC(CFGBasic, CStandardRectangularUnit)

namespace {
constexpr const char* kModule = "Fgba";
constexpr int kNoSizeLine = 74;
constexpr int kOtherClassAssignedLine = 110;
constexpr int kPlanLetterLine = 144;
constexpr int kFixedBesideFixedLine = 326;
constexpr int kVentingBesideBadLetterLine = 357;
constexpr int kBadLetterLine = 360;

constexpr const char* kLineCode = "FG";
constexpr const char* kUnitCode = "BA015";

constexpr const char* kVentBottom = "BI";
constexpr const char* kVentTop = "AF";
constexpr const char* kVentSide = "AM";
constexpr const char* kFixedBottom = "BL";
constexpr const char* kFixedTop = "AI";
constexpr const char* kFixedSide = "AS";
constexpr const char* kFixedToVenting = "BD";
constexpr const char* kVentingToFixed = "BS";
constexpr const char* kVentingPair = "BB";
}  // namespace

CFGBasic::CFGBasic() : CStandardRectangularUnit(kLineCode, kUnitCode)
{
  CStdSizesRec row(GetCurrentSize());
  row.SetTypeCode(kLineCode);
  row.SetSubtypeCode(kUnitCode);
  row.SetHeight(0.0f);
  row.SetWidth(0.0f);
  BOOL atEnd = FALSE;
  if (row.SeekGE(2, &atEnd) != 0 || atEnd || !IsOwnRow(row))
    throw CUnitException(kModule, kNoSizeLine);
  SelectSize(row);
  SetDefaultOperatingChoice();
  ResetProposedSize();
  UpdateComponentIndices();
}

CUnit& CFGBasic::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  if (!source.IsKindOf(GetRuntimeClass()))
    throw CUnitException(kModule, kOtherClassAssignedLine);
  CStandardRectangularUnit::operator=(source);
  CopyComponentIndices(static_cast<const CFGBasic&>(source));
  return *this;
}

CUnit* CFGBasic::Clone() const { return new CFGBasic(*this); }

void CFGBasic::GetPlanSectionEntities(double /*cutHeight*/, const CPlanSectionSwitches& switches,
                                      const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const
{
  FixedVentingRow::GetPlanSection(*this, kModule, kPlanLetterLine, switches, preferences, out);
}

void CFGBasic::GetSizingHandles(CSizingHandleArray& out) const { FixedVentingRow::GetHandles(*this, m_Groups, out); }

// Unlike the sliding door, a fixed panel has the same jambs when it stands alone.
void CFGBasic::BuildSizedComponents() const
{
  const int n = GetPanelCount();
  const CComponentGroups& g = m_Groups;
  CComponentSlots slots(3 * n + 1, kLineCode, kUnitCode);
  for (int k = 1; k <= n; ++k) {
    const CVRX2DPoint l0(PanelRow::PanelEdge(*this, k - 1), 0.0), l1(PanelRow::PanelEdge(*this, k - 1), GetHeight());
    const CVRX2DPoint r0(PanelRow::PanelEdge(*this, k), 0.0), r1(PanelRow::PanelEdge(*this, k), GetHeight());
    const char letter = GetPanelOperation(k - 1), next = GetPanelOperation(k);
    const bool fixed = letter == 'F';
    if (!fixed && letter != 'V')
      throw CUnitException(kModule, kBadLetterLine);
    const char* side = fixed ? kFixedSide : kVentSide;
    slots.Put(g.BottomGroupIndex + k - 1, fixed ? kFixedBottom : kVentBottom, "P", l0, r0);
    slots.Put(g.LeftGroupIndex - k, fixed ? kFixedTop : kVentTop, "P", r1, l1);
    if (k == 1)
      slots.Put(g.LeftGroupIndex, side, "P", l1, l0);
    if (k == n) {
      slots.Put(g.RightGroupIndex, side, "P", r0, r1);
      continue;
    }
    if (fixed && next != 'V')
      throw CUnitException(kModule, kFixedBesideFixedLine);
    if (!fixed && next != 'F' && next != 'V')
      throw CUnitException(kModule, kVentingBesideBadLetterLine);
    const char* joint = fixed ? kFixedToVenting : (next == 'F' ? kVentingToFixed : kVentingPair);
    slots.Put(g.InteriorGroupIndex + k - 1, joint, "I", r0, r1);
  }
  if (!slots.IsComplete())
    throw CUnitException(kModule, kBadLetterLine);
  slots.MoveTo(*m_pSizedComponents);
}

void CFGBasic::Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const
{
  FixedVentingRow::Get1Line(*this, m_Groups, lines, out);
}

void CFGBasic::GetJointLineEntities(int lines, CVRX2DEntityArray& out) const
{
  FixedVentingRow::GetJointLines(*this, m_Groups, lines, out);
}

void CFGBasic::Get2LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  FixedVentingRow::Get2Line(*this, m_Groups, out);
}

void CFGBasic::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  FixedVentingRow::Get3Line(*this, m_Groups, out);
}

void CFGBasic::UpdateComponentIndices() { m_Groups.SetSideBySide(GetPanelCount()); }
