#include "units/standard/Caba.h"

#include "model/Entcat.h"
#include "model/Plansect.h"
#include "model/Sizecomp.h"
#include "model/Unitexcp.h"

IMPLEMENT_DYNAMIC(CCABasic, CStandardRectangularUnit)

namespace {
constexpr const char* kModule = "Caba";
constexpr int kOtherClassAssignedLine = 84;
// Only a size without panels leaves a member out: a missing letter is an opening panel.
constexpr int kMemberMissingLine = 262;

constexpr const char* kLineCode = "CA";
constexpr const char* kUnitCode = "BA001";

struct CPanelCodes
{
  const char* top;
  const char* side;
  const char* bottom;
};
constexpr CPanelCodes kStationary = {"AI", "AS", "BL"};
constexpr CPanelCodes kOpening = {"AJ", "AT", "BM"};

// Joint codes by the letters on its left and right: stationary or not.
const char* JointCode(char left, char right)
{
  if (left == 'S')
    return right == 'S' ? "BE" : "BF";
  return right == 'S' ? "BG" : "BH";
}
}  // namespace

CCABasic::CCABasic() : CStandardRectangularUnit(kLineCode, kUnitCode) { CCABasic::UpdateComponentIndices(); }

CUnit& CCABasic::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  if (!source.IsKindOf(GetRuntimeClass()))
    throw CUnitException(kModule, kOtherClassAssignedLine);
  CStandardRectangularUnit::operator=(source);
  CopyComponentIndices(static_cast<const CCABasic&>(source));
  return *this;
}

CUnit* CCABasic::Clone() const { return new CCABasic(*this); }

void CCABasic::UpdateComponentIndices() { m_Groups.SetSideBySide(GetPanelCount()); }

void CCABasic::GetSizingHandles(CSizingHandleArray& out) const
{
  PanelRow::GetCornerHandles(
      *this, {m_Groups.BottomGroupIndex, m_Groups.RightGroupIndex, m_Groups.TopGroupIndex, m_Groups.LeftGroupIndex},
      out);
}

void CCABasic::GetPlanSectionEntities(double /*cutHeight*/, const CPlanSectionSwitches& switches,
                                      const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const
{
  CPlanSectionUnitDimensions dimensions;
  const int n = GetPanelCount();
  for (int k = 1; k < n; ++k) {
    const double joint = GetSizeValue(k);  // refuses a panel beyond the record's room
    dimensions.m_dPanelPositions[k - 1] = joint;
  }
  dimensions.m_dPlanWidth = GetWidth();
  dimensions.m_nPanelCount = n;
  PanelRow::GetPlanSection(dimensions, switches, preferences, out);
}

void CCABasic::BuildSizedComponents() const
{
  const int n = GetPanelCount();
  const double h = GetHeight();
  const CComponentGroups& g = m_Groups;
  CComponentSlots slots(3 * n + 1, kLineCode, kUnitCode);
  for (int p = 1; p <= n; ++p) {
    const CVRX2DPoint l0(PanelRow::PanelEdge(*this, p - 1), 0.0), l1(PanelRow::PanelEdge(*this, p - 1), h);
    const CVRX2DPoint r0(PanelRow::PanelEdge(*this, p), 0.0), r1(PanelRow::PanelEdge(*this, p), h);
    const char letter = GetPanelOperation(p - 1);
    const CPanelCodes& codes = letter == 'S' ? kStationary : kOpening;
    slots.Put(g.BottomGroupIndex + p - 1, codes.bottom, "P", l0, r0);
    slots.Put(g.LeftGroupIndex - p, codes.top, "P", r1, l1);
    if (p == 1)
      slots.Put(g.LeftGroupIndex, codes.side, "P", l1, l0);
    if (p < n)
      slots.Put(g.InteriorGroupIndex + p - 1, JointCode(letter, GetPanelOperation(p)), "I", r0, r1);
    else
      slots.Put(g.RightGroupIndex, codes.side, "P", r0, r1);
  }
  if (!slots.IsComplete())
    throw CUnitException(kModule, kMemberMissingLine);
  slots.MoveTo(*m_pSizedComponents);
}

// Three line sets show the joints in the panel rectangles, so the frame then has no joint lines.
void CCABasic::Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const
{
  PanelRow::GetFrameRectangle(*this, m_Groups, -1, ecatWindowElevationFrame, out);
  if (lines >= 3)
    return;
  const double bottom = GetComponentDistance(m_Groups.BottomGroupIndex, 0, -1);
  const double top = GetHeight() - GetComponentDistance(m_Groups.TopGroupIndex, 0, -1);
  for (int k = 1; k < GetPanelCount(); ++k)
    PanelRow::AddElevationLine(out, ecatWindowElevationFrame, GetSizeValue(k), bottom, GetSizeValue(k), top);
}

void CCABasic::Get2LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  PanelRow::GetPanelRectangles(*this, m_Groups, 2, ecatWindowElevationGlassSash, out);
}

void CCABasic::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  PanelRow::GetPanelRectangles(*this, m_Groups, 3, ecatWindowElevationGlassSash, out);
}

void CCABasic::GetOperationEntities(int lines, CVRX2DEntityArray& out) const
{
  PanelRow::GetPanelSymbols(
      *this, m_Groups, lines, lines >= 2 ? 2 : 1, 2, ecatWindowElevationOperatingSymbol,
      [this](int panel) { return GetPanelOperation(panel - 1); }, out);
}
