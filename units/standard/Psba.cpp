#include "units/standard/Psba.h"

#include "model/Sizecomp.h"
#include "model/Unitexcp.h"
#include "units/standard/Fvrow.h"

IMPLEMENT_DYNAMIC(CPSBasic, CStandardRectangularUnit)

namespace {
constexpr const char* kModule = "Psba";
constexpr int kNoSizeLine = 80;
constexpr int kOtherClassAssignedLine = 116;
constexpr int kPlanLetterLine = 150;
constexpr int kFixedBesideFixedLine = 378;
constexpr int kVentingBesideVentingLine = 407;
constexpr int kBadLetterLine = 415;

constexpr const char* kLineCode = "PS";
constexpr const char* kUnitCode = "BA016";

// A fixed panel that is the only one has jambs of its own; two venting panels may not meet.
const FixedVentingRow::CRowRules kRules = {
    kLineCode, kUnitCode, "CD", nullptr, kModule, kFixedBesideFixedLine, kVentingBesideVentingLine, kBadLetterLine};
}  // namespace

CPSBasic::CPSBasic() : CStandardRectangularUnit(kLineCode, kUnitCode)
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

CUnit& CPSBasic::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  if (!source.IsKindOf(GetRuntimeClass()))
    throw CUnitException(kModule, kOtherClassAssignedLine);
  CStandardRectangularUnit::operator=(source);
  CopyComponentIndices(static_cast<const CPSBasic&>(source));
  return *this;
}

CUnit* CPSBasic::Clone() const { return new CPSBasic(*this); }

void CPSBasic::GetPlanSectionEntities(double /*cutHeight*/, const CPlanSectionSwitches& switches,
                                      const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const
{
  FixedVentingRow::GetPlanSection(*this, kModule, kPlanLetterLine, switches, preferences, out);
}

void CPSBasic::GetSizingHandles(CSizingHandleArray& out) const { FixedVentingRow::GetHandles(*this, m_Groups, out); }

void CPSBasic::BuildSizedComponents() const
{
  FixedVentingRow::BuildComponents(*this, m_Groups, kRules, *m_pSizedComponents);
}

void CPSBasic::Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const
{
  FixedVentingRow::Get1Line(*this, m_Groups, lines, out);
}

void CPSBasic::GetJointLineEntities(int lines, CVRX2DEntityArray& out) const
{
  FixedVentingRow::GetJointLines(*this, m_Groups, lines, out);
}

void CPSBasic::Get2LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  FixedVentingRow::Get2Line(*this, m_Groups, out);
}

void CPSBasic::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  FixedVentingRow::Get3Line(*this, m_Groups, out);
}

void CPSBasic::UpdateComponentIndices() { m_Groups.SetSideBySide(GetPanelCount()); }
