#include "units/standard/Swgt.h"

#include <algorithm>
#include <cmath>

#include "geometry/2dline.h"
#include "model/Entcat.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "productdb/Elemcomp.h"
#include "productdb/Grilprop.h"
#include "productdb/Optcats.h"
#include "units/standard/Archutil.h"

IMPLEMENT_DYNAMIC(CSWGothic, CStandardArchedUnit)

namespace {
constexpr const char* kModule = "Swgt";
constexpr int kOtherClassAssignedLine = 87;
constexpr int kNoRowLine = 323;
constexpr int kProposedArcsApartLine = 1000;
constexpr int kArcsApartLine = 1023;

constexpr const char* kLineCode = "SW";
constexpr const char* kUnitCode = "GT041";
constexpr const char* kArchCode = "AG";
constexpr const char* kJambCode = "AP";
constexpr const char* kSillCode = "BJ";
constexpr float kAbove = 10000.0f;
enum
{
  cSill,
  cRightJamb,
  cRightArc,
  cLeftArc,
  cLeftJamb
};

double Distance(double w, double s, double width, double shoulder) { return std::hypot(width - w, shoulder - s); }

// -1 when the candidate lies strictly nearer (w, s) than the best, 1 when farther, 0 when as near.
int CompareSizeDistance(double s, double w, double candidateS, double candidateW, double bestS, double bestW)
{
  const double c = Distance(w, s, candidateW, candidateS);
  const double b = Distance(w, s, bestW, bestS);
  return c < b ? -1 : b < c ? 1 : 0;
}

BOOL IsOwn(const CStdSizesRec& row) { return row.GetTypeCode() == kLineCode && row.GetSubtypeCode() == kUnitCode; }

// Seeks index 3 from (width, height); TRUE on a row of the unit.
BOOL SeekSize(const CStdSizesRec& from, double width, double height, BOOL after, CStdSizesRec& row)
{
  row = from;
  row.SetWidth(static_cast<float>(width));
  row.SetHeight(static_cast<float>(height));
  BOOL atEnd = FALSE;
  const int rc =
      after ? row.SeekGT(CStdSizesRec::byWidthHeight, &atEnd) : row.SeekLT(CStdSizesRec::byWidthHeight, &atEnd);
  return rc == 0 && !atEnd && IsOwn(row);
}
}  // namespace

CSWGothic::CSWGothic() : CStandardArchedUnit(kLineCode, kUnitCode) {}

CUnit& CSWGothic::operator=(const CUnit& source) { return AssignSameClass(source, kModule, kOtherClassAssignedLine); }

CUnit* CSWGothic::Clone() const { return new CSWGothic(*this); }
void CSWGothic::GetSizesForHeight(CArray<double, double>& out) const { CStandardUnit::GetSizesForHeight(out); }
void CSWGothic::GetSizesForWidth(CArray<double, double>& out) const { CStandardUnit::GetSizesForWidth(out); }
CVRX2DPoint CSWGothic::GetApexPoint() const { return CVRX2DPoint(0.5 * GetWidth(), GetHeight()); }

// The arcs' centres lie on the shoulder line, so the apex's rise above it fixes the shoulder.
double CSWGothic::CalcShoulderHeight(double h, double w, double r, int line)
{
  const double across = r - 0.5 * w;
  if (!(w <= 2.0 * r) || r <= 0.0)
    throw CUnitException(kModule, line);
  return h - std::sqrt(std::max(0.0, r * r - across * across));
}

double CSWGothic::GetCalculatedShoulderHeight() const
{
  return CalcShoulderHeight(GetHeight(), GetWidth(), GetArchRadius(), kArcsApartLine);
}

double CSWGothic::GetProposedShoulderHeight() const
{
  return CalcShoulderHeight(GetProposedHeight(), GetProposedWidth(), GetProposedArchRadius(), kProposedArcsApartLine);
}

// Inset arcs keep their centres; where they no longer meet they stay quarter arcs.
CSWGothic::CArcs CSWGothic::MakeArcs(int category, double r, double inset, double s, double w)
{
  const double radius = std::max(0.0, r - inset);
  const CVRX2DPoint leftCentre(r, s), rightCentre(w - r, s);
  double leftStart = VRX_HALF_PI;
  double rightEnd = VRX_HALF_PI;
  const double half = 0.5 * w - r;  // from the left centre to the middle
  const double square = radius * radius - half * half;
  if (square >= 0.0) {
    leftStart = leftCentre.AngleTo(CVRX2DPoint(0.5 * w, s + std::sqrt(square))).GetRadians();
    rightEnd = VRX_PI - leftStart;
  }
  return CArcs{CVRX2DArc(category, leftCentre, radius, radius, CVRXAngle(0.0), CVRXAngle(leftStart), CVRXAngle(VRX_PI)),
               CVRX2DArc(category, rightCentre, radius, radius, CVRXAngle(0.0), CVRXAngle(0.0), CVRXAngle(rightEnd))};
}

void CSWGothic::AddOutlineEntities(int category, double side, double bottom, double s, double w, const CArcs& arcs,
                                   CVRX2DEntityArray& out)
{
  Arch::AddLine(out, category, CVRX2DPoint(side, bottom), CVRX2DPoint(w - side, bottom));
  Arch::AddLine(out, category, CVRX2DPoint(w - side, bottom), CVRX2DPoint(w - side, s));
  out.Add(arcs.right.Clone());
  out.Add(arcs.left.Clone());
  Arch::AddLine(out, category, CVRX2DPoint(side, s), CVRX2DPoint(side, bottom));
}

void CSWGothic::GetOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const CArcs arcs = MakeArcs(ecatPerimeterOutline, GetArchRadius(), 0.0, GetCalculatedShoulderHeight(), GetWidth());
  const CSizedComponentArray& components = *GetSizedComponents();
  for (int i = 0; i < components.GetSize(); ++i) {
    if (i == cRightArc)
      out.Add(arcs.right.Clone());
    else if (i == cLeftArc)
      out.Add(arcs.left.Clone());
    else
      Arch::AddLine(out, ecatPerimeterOutline, components[i]->GetStartPoint(), components[i]->GetEndPoint());
  }
}

void CSWGothic::GetPartOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const CSizedComponentArray& c = *GetSizedComponents();
  Arch::AddLine(out, ecatFramePartOutline, c[cSill]->GetStartPoint(), c[cSill]->GetEndPoint());
  Arch::AddLine(out, ecatFramePartOutline, c[cRightJamb]->GetStartPoint(), c[cRightJamb]->GetEndPoint());
  Arch::AddLine(out, ecatConstruction, c[cRightArc]->GetStartPoint(), c[cLeftArc]->GetEndPoint());
  Arch::AddLine(out, ecatFramePartOutline, c[cLeftJamb]->GetStartPoint(), c[cLeftJamb]->GetEndPoint());
  Arch::AddLine(out, ecatConstruction, CVRX2DPoint(0.0, GetHeight()), CVRX2DPoint(GetWidth(), GetHeight()));
}

CVRX2DVector CSWGothic::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const double s = GetProposedShoulderHeight();
  const double w = GetProposedWidth();
  AddOutlineEntities(ecatProposedOutline, 0.0, 0.0, s, w,
                     MakeArcs(ecatProposedOutline, GetProposedArchRadius(), 0.0, s, w), out);
  return m_vProposedOffset;
}

void CSWGothic::GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                                       const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const
{
  const double w = GetWidth();
  const double s = GetCalculatedShoulderHeight();
  const double r = GetArchRadius();
  const double y = Arch::Clamp(cutHeight, 0.0, GetHeight());
  // On the left arc at the cut; at the apex the arcs meet in the middle.
  const double x = y <= s ? 0.0 : std::min(0.5 * w, r - Arch::SideFromHypotenuse(r, y - s));
  Arch::AddPlanSection(switches, preferences, w - 2.0 * x, x, out);
}

void CSWGothic::GetSizingHandles(CSizingHandleArray& out) const
{
  out.RemoveAll();
  const CSizedComponentArray& c = *GetSizedComponents();
  for (int i : {cSill, cRightJamb, cRightArc, cLeftJamb})
    out.Add(new CSizingHandle(c[i]->GetStartPoint(), CSizingHandle::allSides));
}

void CSWGothic::BuildSizedComponents() const
{
  const CElemCompRec arch(GetType(), GetSubtype(), kArchCode);
  const CElemCompRec jamb(GetType(), GetSubtype(), kJambCode);
  const CElemCompRec sill(GetType(), GetSubtype(), kSillCode);
  const double w = GetWidth();
  const double s = GetCalculatedShoulderHeight();
  const CVRX2DPoint apex = GetApexPoint();
  CSizedComponentArray& c = *m_pSizedComponents;
  c.Add(new CSizedComponent(kSillCode, sill.GetComponent(), "P", CVRX2DPoint(0.0, 0.0), CVRX2DPoint(w, 0.0)));
  c.Add(new CSizedComponent(kJambCode, jamb.GetComponent(), "P", CVRX2DPoint(w, 0.0), CVRX2DPoint(w, s)));
  c.Add(new CSizedComponent(kArchCode, arch.GetComponent(), "P", CVRX2DPoint(w, s), apex));
  c.Add(new CSizedComponent(kArchCode, arch.GetComponent(), "P", apex, CVRX2DPoint(0.0, s)));
  c.Add(new CSizedComponent(kJambCode, jamb.GetComponent(), "P", CVRX2DPoint(0.0, s), CVRX2DPoint(0.0, 0.0)));
}

void CSWGothic::Get1LineElevationEntities(int, CVRX2DEntityArray& out) const { BuildElevationEntities(-1, 46, out); }
void CSWGothic::Get2LineElevationEntities(int, CVRX2DEntityArray& out) const { BuildElevationEntities(2, 47, out); }
void CSWGothic::Get3LineElevationEntities(int, CVRX2DEntityArray& out) const { BuildElevationEntities(3, 47, out); }

// Both sides use the left members' depths.
void CSWGothic::BuildElevationEntities(int line, int category, CVRX2DEntityArray& out) const
{
  const double dArc = GetComponentDistance(cLeftArc, 0, line);
  const double dJamb = GetComponentDistance(cLeftJamb, 0, line);
  const double dSill = GetComponentDistance(cSill, 0, line);
  const double s = GetCalculatedShoulderHeight();
  const double w = GetWidth();
  AddOutlineEntities(category, dJamb, dSill, s, w, MakeArcs(category, GetArchRadius(), dArc, s, w), out);
}

// Walks from the key down (up) through all rows of the unit, keeping the one whose width and
// calculated shoulder lie nearest the request.
BOOL CSWGothic::FindNearest(BOOL forwards, double w, double s, CStdSizesRec& best, BOOL& tooShort) const
{
  CStdSizesRec row(GetCurrentSize());
  if (!SeekSize(GetCurrentSize(), w, forwards ? 0.5 * w : kAbove, forwards, row))
    return FALSE;
  tooShort = TRUE;
  best = row;
  double bestS = CalcShoulderHeight(row.GetHeight(), row.GetWidth(), row.GetRadius(), kArcsApartLine);
  BOOL atEnd = FALSE;
  do {
    const double rowS = CalcShoulderHeight(row.GetHeight(), row.GetWidth(), row.GetRadius(), kArcsApartLine);
    if (CompareSizeDistance(s, w, rowS, row.GetWidth(), bestS, best.GetWidth()) < 0) {
      best = row;
      bestS = rowS;
    }
    if (s > 0.0 && row.GetHeight() >= s)
      tooShort = FALSE;
  } while ((forwards ? row.Next(&atEnd) : row.Prev(&atEnd)) == 0 && !atEnd && IsOwn(row));
  return TRUE;
}

// Past the smallest (largest) width by more than half the outermost step, or past half (one
// and a half times) that width when the unit has one width.
BOOL CSWGothic::IsBeyondWidths(BOOL below, double w) const
{
  CStdSizesRec outer(GetCurrentSize()), next(GetCurrentSize());
  if (below) {
    if (!SeekSize(GetCurrentSize(), 0.0, 0.0, TRUE, outer))
      return TRUE;
    const double w1 = outer.GetWidth();
    return SeekSize(GetCurrentSize(), w1, kAbove, TRUE, next) ? w < w1 - 0.5 * (next.GetWidth() - w1) : w < 0.5 * w1;
  }
  if (!SeekSize(GetCurrentSize(), kAbove, kAbove, FALSE, outer))
    return TRUE;
  const double wn = outer.GetWidth();
  return SeekSize(GetCurrentSize(), wn, 0.0, FALSE, next) ? w > wn + 0.5 * (wn - next.GetWidth()) : w > 1.5 * wn;
}

// Both candidates are measured to their calculated shoulders, as the request is; a drag of no
// length gives the proposal up.
int CSWGothic::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  const double dx = drag.GetX();
  const double dy = drag.GetY();
  if (handle < 0 || handle > 3 || !std::isfinite(dx) || !std::isfinite(dy) || (dx == 0.0 && dy == 0.0)) {
    ResetProposedSize();
    return inboundsUnchanged;
  }
  CSizingHandleArray handles;
  GetSizingHandles(handles);
  const CVRX2DPoint p = handles[handle]->GetPoint();
  const double s = handle < 2 ? handles[handle + 2]->GetPoint().GetY() - (p.GetY() + dy) : p.GetY() + dy;
  const double w =
      (handle == 1 || handle == 2) ? p.GetX() + dx : handles[std::abs(handle - 2)]->GetPoint().GetX() - (p.GetX() + dx);
  CStdSizesRec lower(GetCurrentSize()), upper(GetCurrentSize());
  BOOL lowerShort = FALSE, upperShort = FALSE;
  const BOOL lowerFound = FindNearest(FALSE, w, s, lower, lowerShort);
  const BOOL upperFound = FindNearest(TRUE, w, s, upper, upperShort);
  BOOL out = !lowerFound ? IsBeyondWidths(TRUE, w) : !upperFound ? IsBeyondWidths(FALSE, w) : FALSE;
  out = out || lowerShort || upperShort;
  const CStdSizesRec* chosen = nullptr;
  double best = kAbove;
  for (const auto& [row, found] : {std::pair<const CStdSizesRec*, BOOL>(&lower, lowerFound), {&upper, upperFound}}) {
    if (!found)
      continue;
    const double d = Distance(w, s, row->GetWidth(),
                              CalcShoulderHeight(row->GetHeight(), row->GetWidth(), row->GetRadius(), kArcsApartLine));
    if (d < best) {
      best = d;
      chosen = row;
    }
  }
  if (!chosen)
    return outOfBoundsUnchanged;
  if (chosen->GetWidth() == 0.0)
    throw CUnitException(kModule, kNoRowLine);
  if (chosen->GetSizeCode() == GetProposedSize().GetSizeCode())
    return out ? outOfBoundsUnchanged : inboundsUnchanged;
  const double dw = GetWidth() - chosen->GetWidth();
  const double ds = GetCalculatedShoulderHeight() -
                    CalcShoulderHeight(chosen->GetHeight(), chosen->GetWidth(), chosen->GetRadius(), kArcsApartLine);
  SetProposedSize(*chosen);
  const CVRX2DVector deltas[4] = {CVRX2DVector(dw, ds), CVRX2DVector(0.0, ds), CVRX2DVector(0.0, 0.0),
                                  CVRX2DVector(dw, 0.0)};
  m_vProposedOffset = deltas[handle];
  return out ? outOfBoundsChanged : inboundsChanged;
}

void CSWGothic::GetGrilleEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  const int choice = GetOptionChoice(kGrilleTypeCategory, 1);
  if (IsNoGrilleChoice(choice))
    return;
  const int grilleId = Arch::FindGrilleId(kLineCode, kUnitCode, GetSizeCode(), choice);
  if (grilleId == 0)
    return;
  CGrilPropRec row;
  if (!Arch::SeekGrilleRow(row, grilleId, "V", GetHeight(), Arch::seekLE))
    return;
  const double springing = row.GetValue();
  const double left = GetComponentDistance(cLeftJamb, 0, 2);
  const double right = GetWidth() - GetComponentDistance(cRightJamb, 0, 2);
  while (Arch::PrevGrilleRow(row, grilleId, "V"))
    Arch::AddLine(out, ecatWindowElevationGrilles, CVRX2DPoint(left, row.GetValue()),
                  CVRX2DPoint(right, row.GetValue()));
  AddBranches(grilleId, springing, out);
}

namespace {
// The first crossing of the trial arc with the glass arc that lies on both.
BOOL CrossingOnGlass(const CVRX2DArc& trial, const CVRX2DArc& glass, CVRX2DPoint& crossing)
{
  CVRX2DPointArray points;
  trial.Intersect(glass, points);
  for (int i = 0; i < points.GetSize(); ++i) {
    if (glass.Contains(*points.GetAt(i)) && trial.Contains(*points.GetAt(i))) {
      crossing = *points.GetAt(i);
      return TRUE;
    }
  }
  return FALSE;
}
}  // namespace

// Each vertical bar splits at the springing height into two arcs that run out to the glass;
// the data gives one radius per bar, the right branches taking them in reverse order.
void CSWGothic::AddBranches(int grilleId, double springing, CVRX2DEntityArray& out) const
{
  CArray<double, double> radii, bars;
  ReadGrilleProperties(grilleId, "R", radii);
  ReadGrilleProperties(grilleId, "H", bars);
  const CArcs glass = MakeArcs(ecatPerimeterOutline, GetArchRadius(), GetComponentDistance(cLeftArc, 0, 2),
                               GetCalculatedShoulderHeight(), GetWidth());
  const double sill = GetComponentDistance(cSill, 0, 2);
  const int n = static_cast<int>(radii.GetSize());
  for (int k = 0; k < bars.GetSize(); ++k) {
    const double x = bars[k];
    Arch::AddLine(out, ecatWindowElevationGrilles, CVRX2DPoint(x, sill), CVRX2DPoint(x, springing));
    if (k >= n)
      continue;
    CVRX2DPoint q;
    const double rl = radii[k];
    const CVRX2DPoint leftCentre(x - rl, springing);
    const CVRX2DArc leftTrial(ecatWindowElevationGrilles, leftCentre, rl, rl, CVRXAngle(0.0), CVRXAngle(0.0),
                              CVRXAngle(VRX_HALF_PI));
    if (rl > 0.0 && CrossingOnGlass(leftTrial, glass.left, q))
      Arch::AddArc(out, ecatWindowElevationGrilles, leftCentre, rl, 0.0, Arch::DirectionOf(leftCentre, q));
    const double rr = radii[n - 1 - k];
    const CVRX2DPoint rightCentre(x + rr, springing);
    const CVRX2DArc rightTrial(ecatWindowElevationGrilles, rightCentre, rr, rr, CVRXAngle(0.0), CVRXAngle(VRX_HALF_PI),
                               CVRXAngle(VRX_PI));
    if (rr > 0.0 && CrossingOnGlass(rightTrial, glass.right, q))
      Arch::AddArc(out, ecatWindowElevationGrilles, rightCentre, rr, Arch::DirectionOf(rightCentre, q), VRX_PI);
  }
}
