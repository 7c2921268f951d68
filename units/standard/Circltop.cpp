#include "units/standard/Circltop.h"

#include <algorithm>
#include <cmath>

#include "geometry/2dline.h"
#include "geometry/Angle.h"
#include "model/Entcat.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "productdb/Elemcomp.h"
#include "units/standard/Archutil.h"
#include "units/standard/Stdsnap.h"

IMPLEMENT_DYNAMIC(CStandardCircleTop, CStandardArchedUnit)

namespace {
constexpr const char* kModule = "CIRCLTOP";
constexpr int kOtherClassAssignedLine = 86;

constexpr const char* kArchCode = "AG";
constexpr const char* kBottomCode = "BJ";

void SetWidthKey(CStdSizesRec& row, float width) { row.SetWidth(width); }
void SetHeightKey(CStdSizesRec& row, float height) { row.SetHeight(height); }

double WidthOf(const CStdSizesRec& row) { return row.GetWidth(); }
}  // namespace

CUnit& CStandardCircleTop::operator=(const CUnit& source)
{
  return AssignSameClass(source, kModule, kOtherClassAssignedLine);
}

double CStandardCircleTop::SideFromHypotenuse(double a, double b) { return Arch::SideFromHypotenuse(a, b); }
double CStandardCircleTop::GetArchRadius() const { return 0.5 * GetWidth(); }
double CStandardCircleTop::GetProposedArchRadius() const { return 0.5 * GetProposedWidth(); }
double CStandardCircleTop::GetHeightLessRadius() const { return GetHeight() - GetArchRadius(); }
double CStandardCircleTop::GetProposedHeightLessRadius() const { return GetProposedHeight() - GetProposedArchRadius(); }
CVRX2DPoint CStandardCircleTop::GetArchCentre() const { return CVRX2DPoint(0.5 * GetWidth(), GetHeightLessRadius()); }

CVRX2DPoint CStandardCircleTop::GetProposedArchCentre() const
{
  return CVRX2DPoint(0.5 * GetProposedWidth(), GetProposedHeightLessRadius());
}

// A cut outside the unit is taken at its nearer end.
void CStandardCircleTop::GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                                                const CPlanSectionPreferences& preferences,
                                                CVRX2DEntityArray& out) const
{
  const double w = GetWidth();
  const double s = GetHeightLessRadius();
  const double c = Arch::Clamp(cutHeight, 0.0, GetHeight());
  const double planWidth = c <= s ? w : std::min(w, 2.0 * SideFromHypotenuse(GetArchRadius(), c - s));
  Arch::AddPlanSection(switches, preferences, planWidth, 0.5 * (w - planWidth), out);
}

void CStandardCircleTop::GetOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const CSizedComponentArray& components = *GetSizedComponents();
  for (int i = 0; i < components.GetSize(); ++i) {
    if (i == cArch)
      Arch::AddArc(out, ecatPerimeterOutline, GetArchCentre(), GetArchRadius(), 0.0, VRX_PI);
    else
      Arch::AddLine(out, ecatPerimeterOutline, components[i]->GetStartPoint(), components[i]->GetEndPoint());
  }
}

void CStandardCircleTop::GetPartOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const double w = GetWidth();
  const double h = GetHeight();
  const CVRX2DPoint p0(0.0, 0.0), p1(w, 0.0), p2(0.0, h), p3(w, h);
  Arch::AddLine(out, ecatFramePartOutline, p0, p1);
  Arch::AddLine(out, ecatConstruction, p1, p3);
  Arch::AddLine(out, ecatConstruction, p3, p2);
  Arch::AddLine(out, ecatConstruction, p2, p0);
  Arch::AddLine(out, ecatCentreLine, CVRX2DPoint(0.5 * w, 0.0), CVRX2DPoint(0.5 * w, h));
}

void CStandardCircleTop::GetSizingHandles(CSizingHandleArray& out) const
{
  out.RemoveAll();
  out.Add(new CSizingHandle(CVRX2DPoint(0.0, 0.0), CSizingHandle::widthOnly));
  out.Add(new CSizingHandle(CVRX2DPoint(GetWidth(), 0.0), CSizingHandle::widthOnly));
}

void CStandardCircleTop::GetSidesMovedByHandle(int handle, CDWordArray& flags) const
{
  WidthDrag::GetSidesMoved(handle, flags);
}

// Beyond the narrowest or widest size by more than half the outermost step the proposal stays.
int CStandardCircleTop::ConformProposedSize(int handle, const CVRX2DVector& drag)
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

CVRX2DVector CStandardCircleTop::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const double w = GetProposedWidth();
  const double s = GetProposedHeightLessRadius();
  Arch::AddLine(out, ecatProposedOutline, CVRX2DPoint(0.0, 0.0), CVRX2DPoint(w, 0.0));
  Arch::AddLine(out, ecatProposedOutline, CVRX2DPoint(w, 0.0), CVRX2DPoint(w, s));
  Arch::AddArc(out, ecatProposedOutline, GetProposedArchCentre(), GetProposedArchRadius(), 0.0, VRX_PI);
  Arch::AddLine(out, ecatProposedOutline, CVRX2DPoint(0.0, s), CVRX2DPoint(0.0, 0.0));
  return m_vProposedOffset;
}

void CStandardCircleTop::BuildSizedComponents() const
{
  const CElemCompRec arch(GetType(), GetSubtype(), kArchCode);
  const CElemCompRec bottom(GetType(), GetSubtype(), kBottomCode);
  const double w = GetWidth();
  const double s = GetHeightLessRadius();
  const CVRX2DPoint p0(0.0, 0.0), p1(w, 0.0), p2(0.0, s), p3(w, s);
  m_pSizedComponents->Add(new CSizedComponent(kBottomCode, bottom.GetComponent(), "P", p0, p1));
  m_pSizedComponents->Add(new CSizedComponent(kArchCode, arch.GetComponent(), "P", p1, p3));
  m_pSizedComponents->Add(new CSizedComponent(kArchCode, arch.GetComponent(), "P", p3, p2));
  m_pSizedComponents->Add(new CSizedComponent(kArchCode, arch.GetComponent(), "P", p2, p0));
}

// Inner legs are drawn only while the inner bottom line lies below the springline, except in
// the one-line set, which always has them.
void CStandardCircleTop::AddElevation(int line, int category, BOOL alwaysLegs, CVRX2DEntityArray& out) const
{
  const double db = GetComponentDistance(cBottom, 0, line);
  const double ds = GetComponentDistance(cRightLeg, 0, line);
  const double w = GetWidth();
  const double s = GetHeightLessRadius();
  const double re = GetArchRadius() - ds;
  const CVRX2DPoint m = GetArchCentre();
  Arch::AddLine(out, category, CVRX2DPoint(ds, db), CVRX2DPoint(w - ds, db));
  if (alwaysLegs) {
    Arch::AddLine(out, category, CVRX2DPoint(w - ds, db), CVRX2DPoint(w - ds, s));
    Arch::AddArc(out, category, m, re, 0.0, VRX_PI);
    Arch::AddLine(out, category, CVRX2DPoint(ds, s), CVRX2DPoint(ds, db));
    return;
  }
  const BOOL legs = db < s;
  const CVRX2DPoint q1(w - ds, legs ? s : db), q0(ds, legs ? s : db);
  if (legs)
    Arch::AddLine(out, category, CVRX2DPoint(w - ds, db), q1);
  Arch::AddArcThrough(out, category, m, re, q1, q0);
  if (legs)
    Arch::AddLine(out, category, q0, CVRX2DPoint(ds, db));
}

void CStandardCircleTop::Get1LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  AddElevation(1, ecatWindowElevationFrame, TRUE, out);
}

void CStandardCircleTop::Get2LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  AddElevation(2, ecatWindowElevationGlassSash, FALSE, out);
}

void CStandardCircleTop::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  AddElevation(3, ecatWindowElevationGlassSash, FALSE, out);
}

void CStandardCircleTop::GetSizesForHeight(CArray<double, double>& out) const { CStandardUnit::GetSizesForHeight(out); }
void CStandardCircleTop::GetSizesForWidth(CArray<double, double>& out) const { CStandardUnit::GetSizesForWidth(out); }
void CStandardCircleTop::GetShoulderHeightsForWidth(CArray<double, double>& out) const { out.RemoveAll(); }

// A ring smaller than the hub's height above the bottom line stays whole: both ends coincide.
void CStandardCircleTop::AddRing(CVRX2DEntityArray& out, const CVRX2DPoint& hub, double rho, double bottom)
{
  const double h = SideFromHypotenuse(rho, bottom - hub.GetY());
  Arch::AddArcThrough(out, ecatWindowElevationGrilles, hub, rho, CVRX2DPoint(hub.GetX() + h, bottom),
                      CVRX2DPoint(hub.GetX() - h, bottom));
}

void CStandardCircleTop::GetInnerArch(CVRX2DPoint& centre, double& radius) const
{
  centre = GetArchCentre();
  radius = GetArchRadius() - GetComponentDistance(cRightLeg, 0, 2);
}
