#include "units/standard/Stdcircl.h"

#include <cmath>

#include "geometry/Angle.h"
#include "model/Entcat.h"
#include "model/Sizecomp.h"
#include "model/Unitexcp.h"
#include "productdb/Elemcomp.h"
#include "productdb/Grilprop.h"
#include "productdb/Optcats.h"
#include "units/standard/Archutil.h"
#include "units/standard/Stdsnap.h"

IMPLEMENT_DYNAMIC(CStandardCircularUnit, CStandardRoundUnit)

namespace {
constexpr const char* kModule = "STDCIRCL";
constexpr int kOtherClassAssignedLine = 72;
constexpr int kBadHandleLine = 126;

void SetRadiusKey(CStdSizesRec& row, float radius) { row.SetRadius(radius); }

void SetWidthAndShoulderKey(CStdSizesRec& row, float sentinel)
{
  row.SetWidth(sentinel);
  row.SetShoulderHeight(sentinel);
}

double RadiusOf(const CStdSizesRec& row) { return row.GetRadius(); }
}  // namespace

CUnit& CStandardCircularUnit::operator=(const CUnit& source)
{
  return AssignSameClass(source, kModule, kOtherClassAssignedLine);
}

double CStandardCircularUnit::GetHeight() const { return 2.0 * GetArchRadius(); }
double CStandardCircularUnit::GetWidth() const { return 2.0 * GetArchRadius(); }
double CStandardCircularUnit::GetProposedHeight() const { return 2.0 * GetProposedArchRadius(); }
double CStandardCircularUnit::GetProposedWidth() const { return 2.0 * GetProposedArchRadius(); }
CVRX2DPoint CStandardCircularUnit::GetCentre() const { return CVRX2DPoint(GetArchRadius(), GetArchRadius()); }

// A cut outside the unit is taken at its nearer end.
void CStandardCircularUnit::GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                                                   const CPlanSectionPreferences& preferences,
                                                   CVRX2DEntityArray& out) const
{
  const double r = GetArchRadius();
  const double a = std::fabs(Arch::Clamp(cutHeight, 0.0, GetHeight()) - r);
  const double chord = 2.0 * Arch::SideFromHypotenuse(r, a);
  Arch::AddPlanSection(switches, preferences, chord, (GetWidth() - chord) * 0.5, out);
}

void CStandardCircularUnit::GetOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const CSizedComponentArray& components = *GetSizedComponents();
  for (int i = 0; i < components.GetSize(); ++i)
    Arch::AddArcThrough(out, ecatPerimeterOutline, GetCentre(), GetArchRadius(), components[i]->GetStartPoint(),
                        components[i]->GetEndPoint());
}

// A drag that does not move the handle's side gives the proposal up.
int CStandardCircularUnit::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  const double r = GetArchRadius();
  if (handle < 0 || handle > 3)
    throw CUnitException(kModule, kBadHandleLine);
  const double along = handle % 2 == 0 ? drag.GetY() : drag.GetX();
  if (along == 0.0 || !std::isfinite(along)) {
    ResetProposedSize();
    return inboundsUnchanged;
  }
  const double target = (handle == 0 || handle == 3) ? r - 0.5 * along : r + 0.5 * along;
  const CSizeSnap snap(CStdSizesRec::byRadiusWidthShoulder, &SetRadiusKey, &SetWidthAndShoulderKey, &RadiusOf);
  CStdSizesRec chosen(GetCurrentSize());
  BOOL beyond = FALSE;
  if (!snap.Snap(GetCurrentSize(), target, r, chosen, beyond))
    return outOfBoundsUnchanged;
  if (chosen.GetSizeCode() == GetProposedSize().GetSizeCode())
    return beyond ? outOfBoundsUnchanged : inboundsUnchanged;
  SetProposedSize(chosen);
  const double dr = chosen.GetRadius() - r;
  switch (handle) {
  case 0:
    m_vProposedOffset.Set(-dr, -2.0 * dr);
    break;
  case 1:
    m_vProposedOffset.Set(0.0, -dr);
    break;
  case 2:
    m_vProposedOffset.Set(-dr, 0.0);
    break;
  default:
    m_vProposedOffset.Set(-2.0 * dr, -dr);
    break;
  }
  return beyond ? outOfBoundsChanged : inboundsChanged;
}

CVRX2DVector CStandardCircularUnit::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const double r = GetProposedArchRadius();
  Arch::AddCircle(out, ecatProposedOutline, CVRX2DPoint(r, r), r);
  return m_vProposedOffset;
}

// The quarters meet at 45, 135, 225 and 315 degrees.
void CStandardCircularUnit::BuildSizedComponents() const
{
  const CElemCompRec side(GetType(), GetSubtype(), kSideCode);
  const CElemCompRec quarter(GetType(), GetSubtype(), kQuarterCode);
  const double r = GetArchRadius();
  const double s = r * std::sin(VRX_QUARTER_PI);
  const double a = r + s, b = r - s;
  const CVRX2DPoint bb(b, b), ab(a, b), aa(a, a), ba(b, a);
  m_pSizedComponents->Add(new CSizedComponent(kQuarterCode, quarter.GetComponent(), "P", bb, ab));
  m_pSizedComponents->Add(new CSizedComponent(kSideCode, side.GetComponent(), "P", ab, aa));
  m_pSizedComponents->Add(new CSizedComponent(kQuarterCode, quarter.GetComponent(), "P", aa, ba));
  m_pSizedComponents->Add(new CSizedComponent(kSideCode, side.GetComponent(), "P", ba, bb));
}

void CStandardCircularUnit::GetSizesForHeight(CArray<double, double>& out) const
{
  out.RemoveAll();
  out.Add(GetHeight());
}

void CStandardCircularUnit::GetSizesForWidth(CArray<double, double>& out) const
{
  out.RemoveAll();
  out.Add(GetWidth());
}

void CStandardCircularUnit::GetArchRadiiForShoulderHeight(CArray<double, double>& out) const
{
  out.RemoveAll();
  out.Add(GetArchRadius());
}

void CStandardCircularUnit::GetShoulderHeightsForWidth(CArray<double, double>& out) const { out.RemoveAll(); }

void CStandardCircularUnit::GetArchCurveEntities(int category, double inset, CVRX2DEntityArray& out) const
{
  Arch::AddCircle(out, category, GetCentre(), GetArchRadius() - inset);
}

// Rings inset from the outer edge, outermost first; an inset of the whole radius ends them.
// Spokes run from the innermost ring to the glass; without a ring there are none.
void CStandardCircularUnit::GetGrilleEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  const int choice = GetOptionChoice(kGrilleTypeCategory, 1);
  if (IsNoGrilleChoice(choice))
    return;
  const int grilleId = Arch::FindGrilleId(GetType(), GetSubtype(), GetSizeCode(), choice);
  if (grilleId == 0)
    return;
  const double r = GetArchRadius();
  const CVRX2DPoint z = GetCentre();
  const double glass = r - GetComponentDistance(cTop, 0, 2);
  double inner = -1.0;
  CGrilPropRec row;
  for (BOOL more = Arch::SeekGrilleRow(row, grilleId, "H", 0.0, Arch::seekGE);
       more && static_cast<float>(row.GetValue()) != static_cast<float>(r);
       more = Arch::NextGrilleRow(row, grilleId, "H")) {
    inner = r - row.GetValue();
    Arch::AddCircle(out, ecatWindowElevationGrilles, z, inner);
  }
  if (inner < 0.0)
    return;
  for (BOOL more = Arch::SeekGrilleRow(row, grilleId, "A", 0.0, Arch::seekGE); more;
       more = Arch::NextGrilleRow(row, grilleId, "A"))
    Arch::AddLine(out, ecatWindowElevationGrilles, Arch::PointAt(z, inner, row.GetValue()),
                  Arch::PointAt(z, glass, row.GetValue()));
}
