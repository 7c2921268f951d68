#include "units/standard/Swcc.h"

#include "model/Entcat.h"
#include "productdb/Grilprop.h"
#include "productdb/Optcats.h"
#include "productdb/txdbExcp.h"
#include "units/standard/Archutil.h"

IMPLEMENT_DYNAMIC(CSWCasementAwningCircleTop, CStandardCircleTop)

namespace {
constexpr const char* kModule = "SWCC";
constexpr int kOtherClassAssignedLine = 84;
constexpr int kNoHubXLine = 131;
constexpr int kNoHubYLine = 141;
constexpr int kNoHubRingLine = 193;

constexpr const char* kLineCode = "SW";
constexpr const char* kUnitCode = "CC006";
}  // namespace

CSWCasementAwningCircleTop::CSWCasementAwningCircleTop() : CStandardCircleTop(kLineCode, kUnitCode) {}

CUnit& CSWCasementAwningCircleTop::operator=(const CUnit& source)
{
  return AssignSameClass(source, kModule, kOtherClassAssignedLine);
}

CUnit* CSWCasementAwningCircleTop::Clone() const { return new CSWCasementAwningCircleTop(*this); }

// The hub ring is the "B" row's, or else the smallest ring, which is then drawn once only;
// every spoke runs from the hub ring to the inner arch.
void CSWCasementAwningCircleTop::GetGrilleEntities(int /*lines*/, CVRX2DEntityArray& out) const
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
  BOOL ringUsed = FALSE;
  if (!Arch::SeekGrilleRow(row, grilleId, "B", 0.0, Arch::seekGT)) {
    if (!Arch::SeekGrilleRow(row, grilleId, "R", 0.0, Arch::seekGT))
      throw CTXDBException(kModule, kNoHubRingLine, CTXDBException::readError);
    ringUsed = TRUE;
  }
  const double hubRing = row.GetValue();
  AddRing(out, hub, hubRing, bottom);
  BOOL more = Arch::SeekGrilleRow(row, grilleId, "R", 0.0, Arch::seekGT);
  if (more && ringUsed)
    more = Arch::NextGrilleRow(row, grilleId, "R");
  for (; more; more = Arch::NextGrilleRow(row, grilleId, "R"))
    AddRing(out, hub, row.GetValue(), bottom);
  CVRX2DPoint centre;
  double radius = 0.0;
  GetInnerArch(centre, radius);
  for (more = Arch::SeekGrilleRow(row, grilleId, "A", 0.0, Arch::seekGE); more;
       more = Arch::NextGrilleRow(row, grilleId, "A"))
    Arch::AddLine(out, ecatWindowElevationGrilles, Arch::PointAt(hub, hubRing, row.GetValue()),
                  Arch::PointAt(centre, radius, row.GetValue()));
}
