#include "units/standard/Arba.h"

#include <algorithm>
#include <cmath>
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
#include "support/Unitscvt.h"
#include "units/standard/Archutil.h"

IMPLEMENT_DYNAMIC(CARBasic, CStandardArchedUnit)

namespace {
constexpr const char* kModule = "Arba";
constexpr int kOtherClassAssignedLine = 124;
constexpr int kUnknownGrilleLine = 264;
constexpr int kUnsupportedLine = 521;
constexpr int kNoDropLine = 817;
constexpr int kNoHubXLine = 863;
constexpr int kNoHubYLine = 874;
constexpr int kNoHubRadiusLine = 885;

constexpr const char* kLineCode = "AR";
constexpr const char* kUnitCode = "BA011";
}  // namespace

CARBasic::CARBasic() : CStandardArchedUnit(kLineCode, kUnitCode) {}

CUnit& CARBasic::operator=(const CUnit& source) { return AssignSameClass(source, kModule, kOtherClassAssignedLine); }

CUnit* CARBasic::Clone() const { return new CARBasic(*this); }

double CARBasic::SideFromHypotenuse(double a, double b) { return Arch::SideFromHypotenuse(a, b); }
double CARBasic::GetArchRise() const { return Arch::Rise(GetArchRadius(), GetWidth()); }
double CARBasic::GetProposedArchRise() const { return Arch::Rise(GetProposedArchRadius(), GetProposedWidth()); }
double CARBasic::GetHeight() const { return GetShoulderHeight() + GetArchRise(); }
double CARBasic::GetProposedHeight() const { return GetProposedShoulderHeight() + GetProposedArchRise(); }
CVRX2DPoint CARBasic::GetArchCentre() const { return CVRX2DPoint(0.5 * GetWidth(), GetHeight() - GetArchRadius()); }

// A chord longer than the diameter is taken as the diameter: the arch is then a half circle.
double CARBasic::GetArchAngle() const
{
  const double r = GetArchRadius();
  return r > 0.0 ? 2.0 * std::asin(std::min(1.0, GetWidth() / (2.0 * r))) : 0.0;
}

double CARBasic::GetArchSegmentArea() const
{
  const double theta = GetArchAngle();
  const double r = GetArchRadius();
  return (theta - std::sin(theta)) * r * r / (kSquareInchesPerSquareFoot * 2.0);
}

double CARBasic::GetArea() const
{
  return GetWidth() * GetShoulderHeight() / kSquareInchesPerSquareFoot + GetArchSegmentArea();
}

CString CARBasic::GetSizeText(int lengthFormat) const
{
  const double shoulder = GetProposedShoulderHeight();
  return FormatSizeText(GetProposedSize().GetSizeCode(), lengthFormat,
                        {GetProposedWidth(), shoulder, shoulder, GetProposedHeight()}, GetProposedArchRadius());
}

// A cut outside the unit is taken at its nearer end.
void CARBasic::GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                                      const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const
{
  const double w = GetWidth();
  const double h = GetHeight();
  const double z = Arch::Clamp(cutHeight, 0.0, h);
  double planWidth = w;
  if (GetShoulderHeight() < z) {
    const double r = GetArchRadius();
    planWidth = std::min(w, 2.0 * SideFromHypotenuse(r, r - (h - z)));
  }
  Arch::AddPlanSection(switches, preferences, planWidth, 0.5 * (w - planWidth), out);
}

void CARBasic::GetPartOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  CStandardArchedUnit::GetPartOutlineEntities(out);
  const double w = GetWidth();
  Arch::AddLine(out, ecatCentreLine, CVRX2DPoint(0.5 * w, 0.0), CVRX2DPoint(0.5 * w, GetHeight()));
}

void CARBasic::GetSizingHandles(CSizingHandleArray& out) const
{
  out.RemoveAll();
  const CSizedComponentArray& components = *GetSizedComponents();
  for (int i = 0; i < cComponentCount; ++i)
    out.Add(new CSizingHandle(components.GetAt(i)->GetStartPoint(), CSizingHandle::allSides));
}

// The centre comes from the row's own height field, as the catalogue gives it.
CVRX2DVector CARBasic::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const CStdSizesRec& row = GetProposedSize();
  const double r = row.GetRadius();
  const double s = row.GetShoulderHeight();
  const double w = row.GetWidth();
  const CVRX2DPoint m(0.5 * w, row.GetHeight() - r);
  Arch::AddLine(out, ecatProposedOutline, CVRX2DPoint(0.0, 0.0), CVRX2DPoint(w, 0.0));
  Arch::AddLine(out, ecatProposedOutline, CVRX2DPoint(w, 0.0), CVRX2DPoint(w, s));
  Arch::AddArcThrough(out, ecatProposedOutline, m, r, CVRX2DPoint(w, s), CVRX2DPoint(0.0, s));
  Arch::AddLine(out, ecatProposedOutline, CVRX2DPoint(0.0, s), CVRX2DPoint(0.0, 0.0));
  return m_vProposedOffset;
}

void CARBasic::BuildSizedComponents() const { Arch::BuildShoulderComponents(*this, *m_pSizedComponents); }

double CARBasic::GetElevationShoulderHeight(int line) const { return Arch::ElevationShoulderHeight(*this, line); }

void CARBasic::AddElevationRing(int line, int category, CVRX2DEntityArray& out) const
{
  Arch::AddElevationRing(*this, GetArchCentre(), line, category, out);
}

void CARBasic::Get1LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  AddElevationRing(1, ecatWindowElevationFrame, out);
}
void CARBasic::Get2LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  AddElevationRing(2, ecatWindowElevationGlassSash, out);
}

void CARBasic::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& /*out*/) const
{
  CUnitException unsupported(kModule, kUnsupportedLine);
  unsupported.SetMessage("CARBasic::Get3LineElevationEntities() -- Unsupported method.");
  throw unsupported;
}

// A size without a header row for its grille has no grille of its own. A grille without a hub
// radius row is a bar grille, also when it is the last grille of the table.
void CARBasic::GetGrilleEntities(int lines, CVRX2DEntityArray& out) const
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
  const int grilleId = Arch::FindGrilleId(kLineCode, kUnitCode, GetSizeCode(), choice);
  if (grilleId == 0)
    return;
  CGrilPropRec row;
  if (Arch::SeekGrilleRow(row, grilleId, "B", 0.0, Arch::seekGE))
    BuildFanGrille(grilleId, out);
  else
    BuildBarGrille(grilleId, out);
}

CVRX2DArc CARBasic::GetInnerArch() const
{
  const CVRX2DPoint m = GetArchCentre();
  const double ys = GetElevationShoulderHeight(2);
  const double r = std::max(0.0, GetArchRadius() - GetComponentDistance(cArch, 0, 2));
  const CVRX2DPoint right(GetWidth() - GetComponentDistance(cRightLeg, 0, 2), ys);
  const CVRX2DPoint left(GetComponentDistance(cLeftLeg, 0, 2), ys);
  return CVRX2DArc(0, m, r, r, CVRXAngle(0.0), m.AngleTo(right), m.AngleTo(left));
}

// A grille without bars of either direction, or whose outer bars do not reach the arch bar,
// draws only what it can.
void CARBasic::BuildBarGrille(int grilleId, CVRX2DEntityArray& out) const
{
  CArray<double, double> hs, vs;
  ReadGrilleProperties(grilleId, "H", hs);
  ReadGrilleProperties(grilleId, "V", vs);
  const int nh = hs.GetSize(), nv = vs.GetSize();
  if (nh == 0 || nv == 0)
    return;
  const double xL = GetComponentDistance(cLeftLeg, 0, 2);
  const double xR = xL + GetWidth() - 2.0 * GetComponentDistance(cLeftLeg, 0, 2);
  const double yb = GetComponentDistance(cBottom, 0, 2);
  const double h = GetHeight();
  for (int i = 0; i + 1 < nv; ++i) {
    if (nh == 2 && i == nv - 2) {
      Arch::AddLine(out, ecatWindowElevationGrilles, CVRX2DPoint(xL, vs[i]), CVRX2DPoint(hs[0], vs[i]));
      Arch::AddLine(out, ecatWindowElevationGrilles, CVRX2DPoint(hs[1], vs[i]), CVRX2DPoint(xR, vs[i]));
    } else
      Arch::AddLine(out, ecatWindowElevationGrilles, CVRX2DPoint(xL, vs[i]), CVRX2DPoint(xR, vs[i]));
  }
  const CVRX2DPoint m = GetArchCentre();
  const double qr = std::max(0.0, GetArchRadius() - (h - vs[nv - 1]));
  CVRX2DArc q(ecatWindowElevationGrilles, m, qr, qr, CVRXAngle(0.0), CVRXAngle(0.0), CVRXAngle(0.0));
  CVRX2DPoint q0, q1;
  if (!Arch::UpperCrossing(q, CVRX2DPoint(hs[0], yb), CVRX2DPoint(hs[0], h), q0) ||
      !Arch::UpperCrossing(q, CVRX2DPoint(hs[nh - 1], yb), CVRX2DPoint(hs[nh - 1], h), q1))
    return;
  q.SetStartAngle(m.AngleTo(q1));
  q.SetEndAngle(m.AngleTo(q0));
  out.Add(new CVRX2DArc(q));
  Arch::AddLine(out, ecatWindowElevationGrilles, CVRX2DPoint(hs[0], yb), q0);
  Arch::AddLine(out, ecatWindowElevationGrilles, CVRX2DPoint(hs[nh - 1], yb), q1);
  std::vector<CVRX2DPoint> tops;
  for (int j = 1; j + 1 < nh; ++j) {
    CVRX2DPoint top;
    if (!Arch::UpperCrossing(q, CVRX2DPoint(hs[j], yb), CVRX2DPoint(hs[j], h), top))
      continue;
    Arch::AddLine(out, ecatWindowElevationGrilles, CVRX2DPoint(hs[j], yb), top);
    tops.push_back(top);
  }
  const CVRX2DArc frame = GetInnerArch();
  for (const CVRX2DPoint& e : tops) {
    CVRX2DPoint end;
    if (Arch::UpperCrossing(frame, e, m, end))
      Arch::AddLine(out, ecatWindowElevationGrilles, e, end);
  }
  CGrilPropRec row;
  if (!Arch::SeekGrilleRow(row, grilleId, "P", 0.0, Arch::seekGE))
    throw CTXDBException(kModule, kNoDropLine, CTXDBException::readError);
  const CVRX2DVector drop(0.0, -(0.5 * row.GetValue() + 0.125));
  CVRX2DPoint frameStart, frameEnd;
  frame.GetEndPoints(frameStart, frameEnd);
  Arch::AddLine(out, ecatWindowElevationGrilles, q1, frameStart + drop);
  Arch::AddLine(out, ecatWindowElevationGrilles, q0, frameEnd + drop);
}

// Spoke angles outside (0, pi) point nowhere into the glass and are not drawn.
void CARBasic::BuildFanGrille(int grilleId, CVRX2DEntityArray& out) const
{
  CGrilPropRec row;
  if (!Arch::SeekGrilleRow(row, grilleId, "H", 0.0, Arch::seekGE))
    throw CTXDBException(kModule, kNoHubXLine, CTXDBException::readError);
  const double hubX = row.GetValue();
  if (!Arch::SeekGrilleRow(row, grilleId, "V", 0.0, Arch::seekGE))
    throw CTXDBException(kModule, kNoHubYLine, CTXDBException::readError);
  const double hubY = row.GetValue();
  if (!Arch::SeekGrilleRow(row, grilleId, "B", 0.0, Arch::seekGE))
    throw CTXDBException(kModule, kNoHubRadiusLine, CTXDBException::readError);
  const double b = row.GetValue();
  const double yb = GetComponentDistance(cBottom, 0, 2);
  const double h = GetHeight();
  const CVRX2DPoint hub(hubX, hubY);
  const double alpha = VRXAtan2(yb - hubY, b);
  Arch::AddArc(out, ecatWindowElevationGrilles, hub, b, alpha, VRX_PI - alpha);
  const CVRX2DArc k = *static_cast<const CVRX2DArc*>(out.GetAt(out.GetSize() - 1));
  const CVRX2DArc frame = GetInnerArch();
  const CVRX2DPoint foot(hubX, yb);
  const double jamb = GetComponentDistance(cLeftLeg, 0, 2);
  const CVRX2DLine jambs[] = {CVRX2DLine(0, CVRX2DPoint(jamb, 0.0), CVRX2DPoint(jamb, h)),
                              CVRX2DLine(0, CVRX2DPoint(GetWidth() - jamb, 0.0), CVRX2DPoint(GetWidth() - jamb, h))};
  for (BOOL more = Arch::SeekGrilleRow(row, grilleId, "A", 0.0, Arch::seekGE); more;
       more = Arch::NextGrilleRow(row, grilleId, "A")) {
    const double a = row.GetValue();
    if (std::sin(a) <= 1e-9)
      continue;
    CVRX2DLine spoke(ecatWindowElevationGrilles, foot, CVRX2DPoint(hubX + h * std::cos(a) / std::sin(a), yb + h));
    CVRX2DPoint p;
    if (Arch::FirstCrossingOn(k, spoke, p))
      spoke.SetStartPoint(p);
    if (Arch::FirstCrossingOn(frame, spoke, p) || Arch::FirstCrossingOnLine(jambs[0], spoke, p) ||
        Arch::FirstCrossingOnLine(jambs[1], spoke, p))
      spoke.SetEndPoint(p);
    out.Add(new CVRX2DLine(spoke));
  }
}
