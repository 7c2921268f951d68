#include "units/standard/Stdround.h"

#include "model/Entcat.h"
#include "model/Sizing.h"
#include "units/standard/Archutil.h"

IMPLEMENT_DYNAMIC(CStandardRoundUnit, CStandardArchedUnit)

namespace {
constexpr const char* kModule = "STDROUND";
constexpr int kOtherClassAssignedLine = 74;

}  // namespace

const char* const CStandardRoundUnit::kSideCode = "BW";
const char* const CStandardRoundUnit::kQuarterCode = "BV";

CUnit& CStandardRoundUnit::operator=(const CUnit& source)
{
  return AssignSameClass(source, kModule, kOtherClassAssignedLine);
}

void CStandardRoundUnit::GetPartOutlineEntities(CVRX2DEntityArray& out) const
{
  GetSizedComponents();
  out.RemoveAll();
  const double w = GetWidth();
  const double h = GetHeight();
  const CVRX2DPoint p0(0.0, 0.0), p1(w, 0.0), p2(0.0, h), p3(w, h);
  Arch::AddLine(out, ecatConstruction, p0, p1);
  Arch::AddLine(out, ecatConstruction, p1, p3);
  Arch::AddLine(out, ecatConstruction, p3, p2);
  Arch::AddLine(out, ecatConstruction, p2, p0);
  Arch::AddLine(out, ecatCentreLine, CVRX2DPoint(0.5 * w, 0.0), CVRX2DPoint(0.5 * w, h));
  Arch::AddLine(out, ecatCentreLine, CVRX2DPoint(0.0, 0.5 * h), CVRX2DPoint(w, 0.5 * h));
}

void CStandardRoundUnit::GetSizingHandles(CSizingHandleArray& out) const
{
  GetSizedComponents();
  out.RemoveAll();
  const double w = GetWidth();
  const double h = GetHeight();
  out.Add(new CSizingHandle(CVRX2DPoint(0.5 * w, 0.0), CSizingHandle::heightOnly));
  out.Add(new CSizingHandle(CVRX2DPoint(w, 0.5 * h), CSizingHandle::widthOnly));
  out.Add(new CSizingHandle(CVRX2DPoint(0.5 * w, h), CSizingHandle::heightOnly));
  out.Add(new CSizingHandle(CVRX2DPoint(0.0, 0.5 * h), CSizingHandle::widthOnly));
}

void CStandardRoundUnit::Get1LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  GetArchCurveEntities(ecatWindowElevationFrame, 0.0, out);
}

void CStandardRoundUnit::Get2LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  GetArchCurveEntities(ecatWindowElevationGlassSash, GetComponentDistance(cTop, 0, 2), out);
}

void CStandardRoundUnit::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  GetArchCurveEntities(ecatWindowElevationGlassSash, GetComponentDistance(cTop, 0, 3), out);
}
