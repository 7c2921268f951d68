#include "units/standard/Swet.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "model/Entcat.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "productdb/Elemcomp.h"
#include "productdb/Grilprop.h"
#include "productdb/Optcats.h"
#include "units/standard/Archutil.h"
#include "units/standard/Stdsnap.h"

IMPLEMENT_DYNAMIC(CSWEllipticalTop, CStandardArchedUnit)

namespace {
constexpr const char* kModule = "Swet";
constexpr int kOtherClassAssignedLine = 83;

constexpr const char* kLineCode = "SW";
constexpr const char* kUnitCode = "ET008";
constexpr const char* kArchCode = "AG";
constexpr const char* kSillCode = "BJ";
enum
{
  cSill,
  cRightJamb,
  cTop,
  cLeftJamb
};

void SetWidthKey(CStdSizesRec& row, float width) { row.SetWidth(width); }
void SetHeightKey(CStdSizesRec& row, float height) { row.SetHeight(height); }
double WidthOf(const CStdSizesRec& row) { return row.GetWidth(); }

CVRX2DArc* MakeHalfEllipse(int category, const CVRX2DPoint& centre, double a, double b, double start, double end)
{
  return new CVRX2DArc(category, centre, std::max(a, 0.0), std::max(b, 0.0), CVRXAngle(0.0), CVRXAngle(start),
                       CVRXAngle(end));
}

// The half chord of an ellipse of semi-axes a and b at height dy above its centre; 0 where the
// height is beyond the ellipse, never a root of a negative value.
double HalfChord(double a, double b, double dy)
{
  if (b <= 0.0)
    return 0.0;
  const double q = dy / b;
  return a * std::sqrt(std::max(0.0, 1.0 - q * q));
}
}  // namespace

CSWEllipticalTop::CSWEllipticalTop() : CStandardArchedUnit(kLineCode, kUnitCode) {}

CUnit& CSWEllipticalTop::operator=(const CUnit& source)
{
  return AssignSameClass(source, kModule, kOtherClassAssignedLine);
}

CUnit* CSWEllipticalTop::Clone() const { return new CSWEllipticalTop(*this); }
void CSWEllipticalTop::GetSizesForHeight(CArray<double, double>& out) const { CStandardUnit::GetSizesForHeight(out); }
void CSWEllipticalTop::GetSizesForWidth(CArray<double, double>& out) const { CStandardUnit::GetSizesForWidth(out); }
void CSWEllipticalTop::GetArchRadiiForShoulderHeight(CArray<double, double>& out) const { out.RemoveAll(); }

CVRX2DPoint CSWEllipticalTop::GetEllipseCentre() const { return CVRX2DPoint(0.5 * GetWidth(), GetShoulderHeight()); }
double CSWEllipticalTop::GetSemiWidth() const { return 0.5 * GetWidth(); }
double CSWEllipticalTop::GetRise() const { return GetHeight() - GetShoulderHeight(); }

CVRX2DPoint CSWEllipticalTop::GetProposedEllipseCentre() const
{
  return CVRX2DPoint(0.5 * GetProposedWidth(), GetProposedShoulderHeight());
}

double CSWEllipticalTop::GetProposedSemiWidth() const { return 0.5 * GetProposedWidth(); }
double CSWEllipticalTop::GetProposedRise() const { return GetProposedSize().GetHeight() - GetProposedShoulderHeight(); }

void CSWEllipticalTop::GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                                              const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const
{
  const double y = Arch::Clamp(cutHeight, 0.0, GetHeight());
  const double sh = GetShoulderHeight();
  const double half = y <= sh ? GetSemiWidth() : HalfChord(GetSemiWidth(), GetRise(), y - sh);
  Arch::AddPlanSection(switches, preferences, 2.0 * half, GetSemiWidth() - half, out);
}

void CSWEllipticalTop::GetOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const CSizedComponentArray& components = *GetSizedComponents();
  for (int i = 0; i < components.GetSize(); ++i) {
    if (i == cTop)
      out.Add(MakeHalfEllipse(ecatPerimeterOutline, GetEllipseCentre(), GetSemiWidth(), GetRise(), 0.0, VRX_PI));
    else
      Arch::AddLine(out, ecatPerimeterOutline, components[i]->GetStartPoint(), components[i]->GetEndPoint());
  }
}

void CSWEllipticalTop::GetPartOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const double w = GetWidth();
  const double h = GetHeight();
  Arch::AddLine(out, ecatFramePartOutline, CVRX2DPoint(0.0, 0.0), CVRX2DPoint(w, 0.0));
  Arch::AddLine(out, ecatConstruction, CVRX2DPoint(w, 0.0), CVRX2DPoint(w, h));
  Arch::AddLine(out, ecatConstruction, CVRX2DPoint(w, h), CVRX2DPoint(0.0, h));
  Arch::AddLine(out, ecatConstruction, CVRX2DPoint(0.0, h), CVRX2DPoint(0.0, 0.0));
  Arch::AddLine(out, ecatCentreLine, CVRX2DPoint(0.5 * w, 0.0), CVRX2DPoint(0.5 * w, h));
}

CVRX2DVector CSWEllipticalTop::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const double w = GetProposedWidth();
  const double s = GetProposedShoulderHeight();
  Arch::AddLine(out, ecatProposedOutline, CVRX2DPoint(0.0, 0.0), CVRX2DPoint(w, 0.0));
  Arch::AddLine(out, ecatProposedOutline, CVRX2DPoint(w, 0.0), CVRX2DPoint(w, s));
  out.Add(MakeHalfEllipse(ecatProposedOutline, GetProposedEllipseCentre(), GetProposedSemiWidth(), GetProposedRise(),
                          0.0, VRX_PI));
  Arch::AddLine(out, ecatProposedOutline, CVRX2DPoint(0.0, s), CVRX2DPoint(0.0, 0.0));
  return m_vProposedOffset;
}

void CSWEllipticalTop::GetSizingHandles(CSizingHandleArray& out) const
{
  out.RemoveAll();
  const CSizedComponentArray& c = *GetSizedComponents();
  out.Add(new CSizingHandle(c[cSill]->GetStartPoint(), CSizingHandle::widthOnly));
  out.Add(new CSizingHandle(c[cSill]->GetEndPoint(), CSizingHandle::widthOnly));
}

void CSWEllipticalTop::GetSidesMovedByHandle(int handle, CDWordArray& flags) const
{
  WidthDrag::GetSidesMoved(handle, flags);
}

// Beyond the narrowest or widest size by more than half the outermost step the proposal stays.
int CSWEllipticalTop::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  const double w = GetWidth();
  const CSizeSnap snap(CStdSizesRec::byWidthHeight, &SetWidthKey, &SetHeightKey, &WidthOf);
  const WidthDrag::Proposal p = WidthDrag::Conform(snap, handle, drag.GetX(), w, GetCurrentSize(), GetProposedSize());
  if (p.action == WidthDrag::reset)
    ResetProposedSize();
  if (p.action == WidthDrag::propose) {
    SetProposedSize(p.row);
    m_vProposedOffset.SetX(handle == 0 ? w - GetProposedWidth() : 0.0);
  }
  return p.result;
}

// The jambs and the top share one member.
void CSWEllipticalTop::BuildSizedComponents() const
{
  const CElemCompRec arch(GetType(), GetSubtype(), kArchCode);
  const CElemCompRec sill(GetType(), GetSubtype(), kSillCode);
  const double w = GetWidth();
  const double s = GetShoulderHeight();
  CSizedComponentArray& c = *m_pSizedComponents;
  c.Add(new CSizedComponent(kSillCode, sill.GetComponent(), "P", CVRX2DPoint(0.0, 0.0), CVRX2DPoint(w, 0.0)));
  c.Add(new CSizedComponent(kArchCode, arch.GetComponent(), "P", CVRX2DPoint(w, 0.0), CVRX2DPoint(w, s)));
  c.Add(new CSizedComponent(kArchCode, arch.GetComponent(), "P", CVRX2DPoint(w, s), CVRX2DPoint(0.0, s)));
  c.Add(new CSizedComponent(kArchCode, arch.GetComponent(), "P", CVRX2DPoint(0.0, s), CVRX2DPoint(0.0, 0.0)));
}

void CSWEllipticalTop::Get1LineElevationEntities(int, CVRX2DEntityArray& out) const
{
  BuildElevationEntities(1, 46, out);
}
void CSWEllipticalTop::Get2LineElevationEntities(int, CVRX2DEntityArray& out) const
{
  BuildElevationEntities(2, 47, out);
}
void CSWEllipticalTop::Get3LineElevationEntities(int, CVRX2DEntityArray& out) const
{
  BuildElevationEntities(3, 47, out);
}

// The jambs are inset by the top member's depth; a sill line at or above the shoulder leaves
// one line under one arc.
void CSWEllipticalTop::BuildElevationEntities(int line, int category, CVRX2DEntityArray& out) const
{
  const double dTop = GetComponentDistance(cTop, 0, line);
  const double dSill = GetComponentDistance(cSill, 0, line);
  const double sh = GetShoulderHeight();
  const CVRX2DPoint e = GetEllipseCentre();
  const double a1 = std::max(0.0, GetSemiWidth() - dTop);
  const double b1 = std::max(0.0, GetRise() - dTop);
  const double hc = dSill <= sh ? a1 : HalfChord(a1, b1, dSill - sh);
  const CVRX2DPoint left(e.GetX() - hc, dSill), right(e.GetX() + hc, dSill);
  Arch::AddLine(out, category, left, right);
  if (dSill < sh) {
    Arch::AddLine(out, category, right, CVRX2DPoint(right.GetX(), sh));
    out.Add(MakeHalfEllipse(category, e, a1, b1, 0.0, VRX_PI));
    Arch::AddLine(out, category, CVRX2DPoint(left.GetX(), sh), left);
  } else {
    out.Add(MakeHalfEllipse(category, e, a1, b1, e.AngleTo(right).GetRadians(), e.AngleTo(left).GetRadians()));
  }
}

void CSWEllipticalTop::GetGrilleEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  const int choice = GetOptionChoice(kGrilleTypeCategory, 1);
  if (IsNoGrilleChoice(choice))
    return;
  const int grilleId = Arch::FindGrilleId(kLineCode, kUnitCode, GetSizeCode(), choice);
  if (grilleId == 0)
    return;
  const double sill = GetComponentDistance(cSill, 0, 2);
  CGrilPropRec h, v;
  if (!Arch::SeekGrilleRow(h, grilleId, "H", GetWidth(), Arch::seekLE))
    return;
  const double xc = h.GetValue();
  if (!Arch::SeekGrilleRow(v, grilleId, "V", 0.0, Arch::seekGE))
    return;
  const double yc = v.GetValue();
  BOOL more = Arch::PrevGrilleRow(h, grilleId, "H") && Arch::NextGrilleRow(v, grilleId, "V");
  if (!more)
    return;
  const CVRX2DPoint centre(xc, yc);
  std::unique_ptr<CVRX2DArc> hub;
  while (more) {
    const double ra = xc - h.GetValue();
    const double rb = v.GetValue() - yc;
    const double t = HalfChord(ra, rb, sill - yc);
    CVRX2DArc* ring = MakeHalfEllipse(ecatWindowElevationGrilles, centre, ra, rb,
                                      centre.AngleTo(CVRX2DPoint(xc + t, sill)).GetRadians(),
                                      centre.AngleTo(CVRX2DPoint(xc - t, sill)).GetRadians());
    if (!hub)
      hub.reset(ring->Clone());
    out.Add(ring);
    more = Arch::PrevGrilleRow(h, grilleId, "H") && Arch::NextGrilleRow(v, grilleId, "V");
  }
  AddSpokes(grilleId, *hub, xc, yc, sill, out);
}

// Each spoke runs from the first ring out to the glass, where the glass lies above the sill.
void CSWEllipticalTop::AddSpokes(int grilleId, const CVRX2DArc& hub, double xc, double yc, double sill,
                                 CVRX2DEntityArray& out) const
{
  const double d = GetComponentDistance(cTop, 0, 2);
  const double length = std::max(0.0, GetSemiWidth() - d);
  const CVRX2DArc glass(0, GetEllipseCentre(), std::max(0.0, GetSemiWidth() - d), std::max(0.0, GetRise() - d),
                        CVRXAngle(0.0), CVRXAngle(0.0), CVRXAngle(VRX_PI));
  const CVRX2DPoint centre(xc, yc);
  CGrilPropRec row;
  for (BOOL more = Arch::SeekGrilleRow(row, grilleId, "A", 0.0, Arch::seekGE); more;
       more = Arch::NextGrilleRow(row, grilleId, "A")) {
    const double angle = row.GetValue();
    const CVRX2DLine ray(0, centre, Arch::PointAt(centre, length, angle));
    CVRX2DPointArray points;
    glass.IntersectLine(ray, points);
    for (int k = 0; k < points.GetSize(); ++k) {
      const CVRX2DPoint& p = *points.GetAt(k);
      if (p.GetY() > sill + CVRX2DPoint::GetTolerance() && ray.Contains(p) && glass.Contains(p)) {
        Arch::AddLine(out, ecatWindowElevationGrilles, hub.GetPointAtAngle(CVRXAngle(angle)), p);
        break;
      }
    }
  }
}
