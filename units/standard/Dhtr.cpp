#include "units/standard/Dhtr.h"

#include "model/Entcat.h"
#include "model/Unitexcp.h"
#include "units/standard/Dhsash.h"
#include "units/standard/Panelrow.h"

IMPLEMENT_DYNAMIC(CDHTransom, CStandardRectangularUnit)

namespace {
constexpr const char* kModule = "Dhtr";
constexpr int kOtherClassAssignedLine = 78;
constexpr const char* kLineCode = "DH";
constexpr const char* kUnitCode = "TR003";

enum
{
  bottom,
  right,
  top,
  left
};
}  // namespace

CDHTransom::CDHTransom() : CStandardRectangularUnit(kLineCode, kUnitCode) {}

CUnit& CDHTransom::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  if (!source.IsKindOf(GetRuntimeClass()))
    throw CUnitException(kModule, kOtherClassAssignedLine);
  return CStandardRectangularUnit::operator=(source);
}

CUnit* CDHTransom::Clone() const { return new CDHTransom(*this); }

void CDHTransom::GetPlanSectionEntities(double /*cutHeight*/, const CPlanSectionSwitches& switches,
                                        const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const
{
  PanelRow::GetSingleFramePlanSection(*this, switches, preferences, out);
}

void CDHTransom::GetSizingHandles(CSizingHandleArray& out) const
{
  PanelRow::GetCornerHandles(*this, {bottom, right, top, left}, out);
}
void CDHTransom::BuildSizedComponents() const { SingleSash::BuildSizedComponents(*this, *m_pSizedComponents); }

void CDHTransom::Get1LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  PanelRow::GetSingleFrameRectangle(*this, -1, ecatWindowElevationFrame, out);
}

void CDHTransom::Get2LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  PanelRow::GetSingleFrameRectangle(*this, 2, ecatWindowElevationGlassSash, out);
}

void CDHTransom::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  PanelRow::GetSingleFrameRectangle(*this, 3, ecatWindowElevationGlassSash, out);
}
