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

// Two venting panels may meet.
const FixedVentingRow::CRowRules kRules = {
    kLineCode, kUnitCode, nullptr, "BB", kModule, kFixedBesideFixedLine, kVentingBesideBadLetterLine, kBadLetterLine};
}  // namespace

CFGBasic::CFGBasic() : CStandardRectangularUnit(kLineCode, kUnitCode)
{
  CStdSizesRec row(GetCurrentSize());
  row.SetTypeCode(kLineCode);
  row.SetSubtypeCode(kUnitCode);
  row.SetHeight(0.0f);
  row.SetWidth(0.0f);
  BOOL atEnd = FALSE;
  if (row.SeekGE(CStdSizesRec::byHeightWidth, &atEnd) != 0 || atEnd || !IsOwnRow(row))
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
  FixedVentingRow::BuildComponents(*this, m_Groups, kRules, *m_pSizedComponents);
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
