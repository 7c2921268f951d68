#include "units/standard/Dhkc.h"

#include "model/Unitexcp.h"
#include "units/standard/Dhsash.h"
#include "units/standard/Panelrow.h"

IMPLEMENT_DYNAMIC(CDHCantorel, CStandardRectangularUnit)

namespace {
constexpr const char* kModule = "Dhkc";
constexpr int kOtherClassAssignedLine = 88;
constexpr const char* kLineCode = "DH";
constexpr const char* kUnitCode = "KC003";
}  // namespace

CDHCantorel::CDHCantorel() : CStandardRectangularUnit(kLineCode, kUnitCode) {}

CUnit& CDHCantorel::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  if (!source.IsKindOf(GetRuntimeClass()))
    throw CUnitException(kModule, kOtherClassAssignedLine);
  return CStandardRectangularUnit::operator=(source);
}

CUnit* CDHCantorel::Clone() const { return new CDHCantorel(*this); }

void CDHCantorel::GetPlanSectionEntities(double /*cutHeight*/, const CPlanSectionSwitches& switches,
                                         const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const
{
  PanelRow::GetSingleFramePlanSection(*this, switches, preferences, out);
}

void CDHCantorel::GetSizingHandles(CSizingHandleArray& out) const { SashPair::GetSizingHandles(*this, out); }
void CDHCantorel::BuildSizedComponents() const { SashPair::BuildSizedComponents(*this, *m_pSizedComponents); }

void CDHCantorel::Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const
{
  SashPair::Get1Line(*this, lines, out);
}
void CDHCantorel::Get2LineElevationEntities(int lines, CVRX2DEntityArray& out) const
{
  SashPair::Get2Line(*this, lines, out);
}
void CDHCantorel::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  SashPair::Get3Line(*this, out);
}

void CDHCantorel::GetMeetingRailEntities(int level, int lines, CVRX2DEntityArray& out) const
{
  SashPair::GetMeetingRail(*this, level, lines, out);
}
