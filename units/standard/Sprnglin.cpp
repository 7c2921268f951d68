#include "units/standard/Sprnglin.h"

#include <algorithm>
#include <vector>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "model/Entcat.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "productdb/Elemcomp.h"
#include "productdb/Grilprop.h"
#include "productdb/Optcats.h"
#include "productdb/txdbExcp.h"
#include "units/standard/Archutil.h"

IMPLEMENT_DYNAMIC(CStandardSpringlineUnit, CStandardArchedUnit)

namespace {
constexpr const char* kModule = "SPRNGLIN";
constexpr int kOtherClassAssignedLine = 89;
constexpr int kUnknownGrilleLine = 340;
constexpr int kNoHubHeightLine = 416;
constexpr int kNoCentreBandLine = 433;
constexpr int kNoHubXLine = 559;
constexpr int kNoRingHubHeightLine = 571;
constexpr int kNoRingLine = 614;

const CVRXAngle kVertical(VRX_HALF_PI);
}  // namespace

CUnit& CStandardSpringlineUnit::operator=(const CUnit& source)
{
  return AssignSameClass(source, kModule, kOtherClassAssignedLine);
}

double CStandardSpringlineUnit::ArchRise(double radius, double chord) { return Arch::Rise(radius, chord); }
double CStandardSpringlineUnit::SideFromHypotenuse(double a, double b) { return Arch::SideFromHypotenuse(a, b); }
double CStandardSpringlineUnit::GetArchRise() const { return ArchRise(GetArchRadius(), GetWidth()); }
double CStandardSpringlineUnit::GetProposedArchRise() const
{
  return ArchRise(GetProposedArchRadius(), GetProposedWidth());
}
double CStandardSpringlineUnit::GetHeight() const { return GetShoulderHeight() + GetArchRise(); }
double CStandardSpringlineUnit::GetProposedHeight() const
{
  return GetProposedShoulderHeight() + GetProposedArchRise();
}

CVRX2DPoint CStandardSpringlineUnit::GetArchCentre() const
{
  return CVRX2DPoint(0.5 * GetWidth(), GetHeight() - GetArchRadius());
}

CVRX2DPoint CStandardSpringlineUnit::GetProposedArchCentre() const
{
  return CVRX2DPoint(0.5 * GetProposedWidth(), GetProposedHeight() - GetProposedArchRadius());
}

CString CStandardSpringlineUnit::GetSizeText(int lengthFormat) const
{
  const double shoulder = GetProposedShoulderHeight();
  return FormatSizeText(GetProposedSize().GetSizeCode(), lengthFormat,
                        {GetProposedWidth(), shoulder, shoulder, GetProposedHeight()}, GetProposedArchRadius());
}

// A cut outside the unit is taken at its nearer end.
void CStandardSpringlineUnit::GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                                                     const CPlanSectionPreferences& preferences,
                                                     CVRX2DEntityArray& out) const
{
  const double w = GetWidth();
  const double h = GetHeight();
  const double y = Arch::Clamp(cutHeight, 0.0, h);
  double planWidth = w;
  if (y > GetShoulderHeight()) {
    const double r = GetArchRadius();
    planWidth = std::min(w, 2.0 * SideFromHypotenuse(r, r - h + y));
  }
  Arch::AddPlanSection(switches, preferences, planWidth, 0.5 * (w - planWidth), out);
}

void CStandardSpringlineUnit::GetPartOutlineEntities(CVRX2DEntityArray& out) const
{
  CUnit::GetPartOutlineEntities(out);
  const double w = GetWidth();
  const double h = GetHeight();
  Arch::AddLine(out, ecatConstruction, CVRX2DPoint(0.0, h), CVRX2DPoint(w, h));
  Arch::AddLine(out, ecatCentreLine, CVRX2DPoint(0.5 * w, 0.0), CVRX2DPoint(0.5 * w, h));
}

void CStandardSpringlineUnit::GetSizingHandles(CSizingHandleArray& out) const
{
  out.RemoveAll();
  const CSizedComponentArray& components = *GetSizedComponents();
  for (int i = 0; i < cComponentCount; ++i)
    out.Add(new CSizingHandle(components.GetAt(i)->GetStartPoint(), CSizingHandle::allSides));
}

CVRX2DVector CStandardSpringlineUnit::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const double w = GetProposedWidth();
  const double s = GetProposedShoulderHeight();
  const CVRX2DPoint m = GetProposedArchCentre();
  Arch::AddLine(out, ecatProposedOutline, CVRX2DPoint(0.0, 0.0), CVRX2DPoint(w, 0.0));
  Arch::AddLine(out, ecatProposedOutline, CVRX2DPoint(w, 0.0), CVRX2DPoint(w, s));
  Arch::AddArc(out, ecatProposedOutline, m, GetProposedArchRadius(), VRXAtan2(s - m.GetY(), 0.5 * w),
               VRXAtan2(s - m.GetY(), -0.5 * w));
  Arch::AddLine(out, ecatProposedOutline, CVRX2DPoint(0.0, s), CVRX2DPoint(0.0, 0.0));
  return m_vProposedOffset;
}

void CStandardSpringlineUnit::BuildSizedComponents() const
{
  Arch::BuildShoulderComponents(*this, *m_pSizedComponents);
}

double CStandardSpringlineUnit::GetElevationShoulderHeight(int line) const
{
  return Arch::ElevationShoulderHeight(*this, line);
}

void CStandardSpringlineUnit::AddElevationRing(int line, int category, CVRX2DEntityArray& out) const
{
  Arch::AddElevationRing(*this, GetArchCentre(), line, category, out);
}

void CStandardSpringlineUnit::Get1LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  AddElevationRing(1, ecatWindowElevationFrame, out);
}

void CStandardSpringlineUnit::Get2LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  AddElevationRing(2, ecatWindowElevationGlassSash, out);
}

void CStandardSpringlineUnit::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  AddElevationRing(3, ecatWindowElevationGlassSash, out);
}

// A size without a header row for its grille has no grille of its own to draw. A grille
// without ring rows is a bar grille, also when it is the last grille of the table.
void CStandardSpringlineUnit::GetGrilleEntities(int lines, CVRX2DEntityArray& out) const
{
  const int choice = GetOptionChoice(kGrilleTypeCategory, 1);
  if (IsNoGrilleChoice(choice))
    return;
  if (choice == 2) {
    CStandardArchedUnit::GetGrilleEntities(lines, out);
    return;
  }
  if (choice != 6)
    throw CUnitException(kModule, kUnknownGrilleLine);
  const int grilleId = Arch::FindGrilleId(GetType(), GetSubtype(), GetSizeCode(), choice);
  if (grilleId == 0)
    return;
  CGrilPropRec row;
  if (Arch::SeekGrilleRow(row, grilleId, "R", 0.0, Arch::seekGT))
    BuildRingGrille(lines, grilleId, out);
  else
    BuildBarGrille(lines, grilleId, out);
}

// Spokes start on the first half ring drawn after the centre bar; without one there are none.
void CStandardSpringlineUnit::BuildBarGrille(int /*lines*/, int grilleId, CVRX2DEntityArray& out) const
{
  const double w = GetWidth();
  const double b = GetComponentDistance(cBottom, 0, 2);
  const double xL = GetComponentDistance(cLeftLeg, 0, 2);
  const double xR = w - GetComponentDistance(cRightLeg, 0, 2);
  CGrilPropRec row;
  if (!Arch::SeekGrilleRow(row, grilleId, "V", GetShoulderHeight(), Arch::seekLE))
    throw CTXDBException(kModule, kNoHubHeightLine, CTXDBException::readError);
  const double hubY = row.GetValue();
  while (Arch::PrevGrilleRow(row, grilleId, "V"))
    Arch::AddLine(out, ecatWindowElevationGrilles, CVRX2DPoint(xL, row.GetValue()), CVRX2DPoint(xR, row.GetValue()));
  if (!Arch::SeekGrilleRow(row, grilleId, "P", 0.0, Arch::seekGT))
    throw CTXDBException(kModule, kNoCentreBandLine, CTXDBException::readError);
  const double half = 0.5 * row.GetValue();
  const BOOL centreBar =
      Arch::SeekGrilleRow(row, grilleId, "A", 1.57, Arch::seekGE) && CVRXAngle(row.GetValue()) == kVertical;
  CVRX2DPoint hub(0.5 * w, hubY);
  int spokeRing = -1;
  for (BOOL more = Arch::SeekGrilleRow(row, grilleId, "H", 0.0, Arch::seekGT); more;
       more = Arch::NextGrilleRow(row, grilleId, "H")) {
    const double h = row.GetValue();
    const double cx = hub.GetX();
    if (h < cx - half || h > cx + half) {
      Arch::AddLine(out, ecatWindowElevationGrilles, CVRX2DPoint(h, b), CVRX2DPoint(h, hubY));
      if (h > cx + half)
        Arch::AddArc(out, ecatWindowElevationGrilles, hub, h - cx, 0.0, VRX_PI);
      continue;
    }
    if (centreBar)
      Arch::AddLine(out, ecatWindowElevationGrilles, CVRX2DPoint(h, b),
                    CVRX2DPoint(h, GetHeight() - GetComponentDistance(cArch, 0, 2)));
    hub.SetX(h);
    spokeRing = out.GetSize() + 1;
  }
  const auto* ring =
      spokeRing >= 0 && spokeRing < out.GetSize() ? dynamic_cast<const CVRX2DArc*>(out.GetAt(spokeRing)) : nullptr;
  if (!ring)
    return;
  const CVRX2DArc inner = *ring;
  const CVRX2DPoint m = GetArchCentre();
  const double innerRadius = GetArchRadius() - GetComponentDistance(cArch, 0, 2);
  for (BOOL more = Arch::SeekGrilleRow(row, grilleId, "A", 0.0, Arch::seekGE); more;
       more = Arch::NextGrilleRow(row, grilleId, "A")) {
    const CVRXAngle a(row.GetValue());
    if (a != kVertical)
      Arch::AddLine(out, ecatWindowElevationGrilles, inner.GetPointAtAngle(a),
                    Arch::PointAt(m, innerRadius, row.GetValue()));
  }
}

void CStandardSpringlineUnit::BuildRingGrille(int /*lines*/, int grilleId, CVRX2DEntityArray& out) const
{
  const double b = GetComponentDistance(cBottom, 0, 2);
  CGrilPropRec row;
  if (!Arch::SeekGrilleRow(row, grilleId, "H", 0.0, Arch::seekGT))
    throw CTXDBException(kModule, kNoHubXLine, CTXDBException::readError);
  const double hubX = row.GetValue();
  if (!Arch::SeekGrilleRow(row, grilleId, "V", GetShoulderHeight(), Arch::seekLE))
    throw CTXDBException(kModule, kNoRingHubHeightLine, CTXDBException::readError);
  const CVRX2DPoint hub(hubX, row.GetValue());
  std::vector<double> radii;
  for (BOOL more = Arch::SeekGrilleRow(row, grilleId, "R", 0.0, Arch::seekGT); more;
       more = Arch::NextGrilleRow(row, grilleId, "R")) {
    const double rho = row.GetValue();
    const double s = SideFromHypotenuse(rho, b - hub.GetY());
    radii.push_back(rho);
    Arch::AddArcThrough(out, ecatWindowElevationGrilles, hub, rho, CVRX2DPoint(hubX + s, b), CVRX2DPoint(hubX - s, b));
  }
  if (radii.empty())
    throw CUnitException(kModule, kNoRingLine);
  const CVRX2DPoint m = GetArchCentre();
  const double innerRadius = GetArchRadius() - GetComponentDistance(cArch, 0, 2);
  for (BOOL more = Arch::SeekGrilleRow(row, grilleId, "A", 0.0, Arch::seekGE); more;
       more = Arch::NextGrilleRow(row, grilleId, "A")) {
    const double a = row.GetValue();
    const CVRX2DPoint start = CVRXAngle(a) == kVertical ? CVRX2DPoint(hubX, b) : Arch::PointAt(hub, radii.front(), a);
    Arch::AddLine(out, ecatWindowElevationGrilles, start, Arch::PointAt(m, innerRadius, a));
  }
}
