#include "units/standard/Dhpi.h"

#include "model/Entcat.h"
#include "model/Unitexcp.h"
#include "units/standard/Dhsash.h"
#include "units/standard/Panelrow.h"

IMPLEMENT_DYNAMIC(CDHPicture, CStandardRectangularUnit)

namespace {
constexpr const char* kModule = "Dhpi";
constexpr int kOtherClassAssignedLine = 78;
constexpr const char* kLineCode = "DH";
constexpr const char* kUnitCode = "PI003";

enum
{
  bottom,
  right,
  top,
  left
};
}  // namespace

CDHPicture::CDHPicture() : CStandardRectangularUnit(kLineCode, kUnitCode) {}

CUnit& CDHPicture::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  if (!source.IsKindOf(GetRuntimeClass()))
    throw CUnitException(kModule, kOtherClassAssignedLine);
  return CStandardRectangularUnit::operator=(source);
}

CUnit* CDHPicture::Clone() const { return new CDHPicture(*this); }

void CDHPicture::GetPlanSectionEntities(double /*cutHeight*/, const CPlanSectionSwitches& switches,
                                        const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const
{
  PanelRow::GetSingleFramePlanSection(*this, switches, preferences, out);
}

void CDHPicture::GetSizingHandles(CSizingHandleArray& out) const
{
  PanelRow::GetCornerHandles(*this, {bottom, right, top, left}, out);
}
void CDHPicture::BuildSizedComponents() const { SingleSash::BuildSizedComponents(*this, *m_pSizedComponents); }

void CDHPicture::Get1LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  PanelRow::GetSingleFrameRectangle(*this, -1, ecatWindowElevationFrame, out);
}

void CDHPicture::Get2LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  PanelRow::GetSingleFrameRectangle(*this, 2, ecatWindowElevationGlassSash, out);
}

void CDHPicture::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  PanelRow::GetSingleFrameRectangle(*this, 3, ecatWindowElevationGlassSash, out);
}
