#include "units/standard/Dhqv.h"

#include "model/Unitexcp.h"
#include "units/standard/Dhsash.h"
#include "units/standard/Panelrow.h"

IMPLEMENT_DYNAMIC(CDHTrimveld, CStandardRectangularUnit)

namespace {
constexpr const char* kModule = "Dhqv";
constexpr int kOtherClassAssignedLine = 88;
constexpr const char* kLineCode = "DH";
constexpr const char* kUnitCode = "QV004";
}  // namespace

CDHTrimveld::CDHTrimveld() : CStandardRectangularUnit(kLineCode, kUnitCode) {}

CUnit& CDHTrimveld::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  if (!source.IsKindOf(GetRuntimeClass()))
    throw CUnitException(kModule, kOtherClassAssignedLine);
  return CStandardRectangularUnit::operator=(source);
}

CUnit* CDHTrimveld::Clone() const { return new CDHTrimveld(*this); }

void CDHTrimveld::GetPlanSectionEntities(double /*cutHeight*/, const CPlanSectionSwitches& switches,
                                         const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const
{
  PanelRow::GetSingleFramePlanSection(*this, switches, preferences, out);
}

void CDHTrimveld::GetSizingHandles(CSizingHandleArray& out) const { SashPair::GetSizingHandles(*this, out); }
void CDHTrimveld::BuildSizedComponents() const { SashPair::BuildSizedComponents(*this, *m_pSizedComponents); }

void CDHTrimveld::Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const
{
  SashPair::Get1Line(*this, lines, out);
}
void CDHTrimveld::Get2LineElevationEntities(int lines, CVRX2DEntityArray& out) const
{
  SashPair::Get2Line(*this, lines, out);
}
void CDHTrimveld::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  SashPair::Get3Line(*this, out);
}

void CDHTrimveld::GetMeetingRailEntities(int level, int lines, CVRX2DEntityArray& out) const
{
  SashPair::GetMeetingRail(*this, level, lines, out);
}
