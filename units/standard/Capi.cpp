#include "units/standard/Capi.h"

#include "model/Entcat.h"
#include "model/Sizecomp.h"
#include "model/Unitexcp.h"
#include "units/standard/Panelrow.h"

IMPLEMENT_DYNAMIC(CCAPicture, CStandardRectangularUnit)

namespace {
constexpr const char* kModule = "Capi";
constexpr int kOtherClassAssignedLine = 78;
constexpr int kBadCodeLine = 256;

constexpr const char* kLineCode = "CA";
constexpr const char* kUnitCode = "PI001";

enum
{
  bottom,
  right,
  top,
  left,
  componentCount
};

struct CFrameCodes
{
  const char* code;
  const char* top;
  const char* side;
  const char* bottom;
};
constexpr CFrameCodes kFrames[] = {{"F", "AG", "AP", "BJ"}, {"S", "AI", "AS", "BL"}};
}  // namespace

CCAPicture::CCAPicture() : CStandardRectangularUnit(kLineCode, kUnitCode) {}

CUnit& CCAPicture::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  if (!source.IsKindOf(GetRuntimeClass()))
    throw CUnitException(kModule, kOtherClassAssignedLine);
  return CStandardRectangularUnit::operator=(source);
}

CUnit* CCAPicture::Clone() const { return new CCAPicture(*this); }

void CCAPicture::GetPlanSectionEntities(double /*cutHeight*/, const CPlanSectionSwitches& switches,
                                        const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const
{
  PanelRow::GetSingleFramePlanSection(*this, switches, preferences, out);
}

void CCAPicture::GetSizingHandles(CSizingHandleArray& out) const
{
  PanelRow::GetCornerHandles(*this, {bottom, right, top, left}, out);
}

void CCAPicture::BuildSizedComponents() const
{
  const CString code = GetOperatingChoice();
  const CFrameCodes* frame = nullptr;
  for (const CFrameCodes& candidate : kFrames)
    if (code == candidate.code) {
      frame = &candidate;
      break;
    }
  if (!frame)
    throw CUnitException(kModule, kBadCodeLine);
  CComponentSlots slots(componentCount, kLineCode, kUnitCode);
  PanelRow::PutSingleFrame(slots, GetWidth(), GetHeight(), frame->top, frame->side, frame->bottom);
  slots.MoveTo(*m_pSizedComponents);
}

void CCAPicture::Get1LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  PanelRow::GetSingleFrameRectangle(*this, -1, ecatWindowElevationFrame, out);
}

void CCAPicture::Get2LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  PanelRow::GetSingleFrameRectangle(*this, 2, ecatWindowElevationGlassSash, out);
}

void CCAPicture::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  PanelRow::GetSingleFrameRectangle(*this, 3, ecatWindowElevationGlassSash, out);
}
