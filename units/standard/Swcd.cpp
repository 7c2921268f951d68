#include "units/standard/Swcd.h"

#include <vector>

#include "geometry/Angle.h"
#include "model/Entcat.h"
#include "model/Unitexcp.h"
#include "productdb/Grilprop.h"
#include "productdb/Optcats.h"
#include "productdb/txdbExcp.h"
#include "units/standard/Archutil.h"

IMPLEMENT_DYNAMIC(CSWDoubleHungCircleTop, CStandardCircleTop)

namespace {
constexpr const char* kModule = "SWCD";
constexpr int kOtherClassAssignedLine = 78;
constexpr int kNoHubXLine = 123;
constexpr int kNoHubYLine = 133;
constexpr int kNoRingLine = 176;

constexpr const char* kLineCode = "SW";
constexpr const char* kUnitCode = "CD007";
// A single ring at most this large is too small to carry the vertical bar down to the sill.
constexpr double kSmallRing = 8.0;
}  // namespace

CSWDoubleHungCircleTop::CSWDoubleHungCircleTop() : CStandardCircleTop(kLineCode, kUnitCode) {}

CUnit& CSWDoubleHungCircleTop::operator=(const CUnit& source)
{
  return AssignSameClass(source, kModule, kOtherClassAssignedLine);
}

CUnit* CSWDoubleHungCircleTop::Clone() const { return new CSWDoubleHungCircleTop(*this); }

// The vertical spoke starts at the sill below the hub; the diagonals start on the smallest
// ring and the others on the second one.
void CSWDoubleHungCircleTop::GetGrilleEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  const int choice = GetOptionChoice(kGrilleTypeCategory, 1);
  if (IsNoGrilleChoice(choice))
    return;
  const int grilleId = Arch::FindGrilleId(kLineCode, kUnitCode, GetSizeCode(), choice);
  if (grilleId == 0)
    return;
  const CVRX2DPoint hub = Arch::ReadGrilleHub(grilleId, kModule, kNoHubXLine, kNoHubYLine);
  CGrilPropRec row;
  const double bottom = GetComponentDistance(cBottom, 0, 2);
  std::vector<double> rings;
  for (BOOL more = Arch::SeekGrilleRow(row, grilleId, "R", 0.0, Arch::seekGT); more;
       more = Arch::NextGrilleRow(row, grilleId, "R")) {
    rings.push_back(row.GetValue());
    AddRing(out, hub, rings.back(), bottom);
  }
  if (rings.empty())
    throw CUnitException(kModule, kNoRingLine);
  CVRX2DPoint centre;
  double radius = 0.0;
  GetInnerArch(centre, radius);
  const CVRX2DPoint foot(hub.GetX(), bottom);
  for (BOOL more = Arch::SeekGrilleRow(row, grilleId, "A", 0.0, Arch::seekGE); more;
       more = Arch::NextGrilleRow(row, grilleId, "A")) {
    const double a = row.GetValue();
    const CVRXAngle angle(a);
    const BOOL vertical = angle == CVRXAngle(VRX_HALF_PI);
    const BOOL diagonal = angle == CVRXAngle(VRX_QUARTER_PI) || angle == CVRXAngle(3 * VRX_QUARTER_PI);
    CVRX2DPoint start;
    if (rings.size() == 1)
      start = vertical && rings[0] > kSmallRing ? foot : Arch::PointAt(hub, rings[0], a);
    else
      start = vertical ? foot : Arch::PointAt(hub, rings[diagonal ? 0 : 1], a);
    Arch::AddLine(out, ecatWindowElevationGrilles, start, Arch::PointAt(centre, radius, a));
  }
}
