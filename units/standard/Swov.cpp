#include "units/standard/Swov.h"

#include <algorithm>
#include <cmath>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "model/Entcat.h"
#include "model/Sizecomp.h"
#include "model/Unitexcp.h"
#include "productdb/Elemcomp.h"
#include "productdb/Grilprop.h"
#include "productdb/Optcats.h"
#include "units/standard/Archutil.h"

IMPLEMENT_DYNAMIC(CSWOval, CStandardRoundUnit)

namespace {
constexpr const char* kModule = "SWOV";
constexpr int kOtherClassAssignedLine = 72;
constexpr int kBadHandleLine = 152;
constexpr int kNoRowLine = 451;

constexpr const char* kLineCode = "SW";
constexpr const char* kUnitCode = "OV009";
constexpr float kAbove = 10000.0f;
constexpr float kBelow = -10000.0f;

using Getter = double (CStdSizesRec::*)() const;
using Setter = void (CStdSizesRec::*)(float);
using Seeker = int (CStdSizesRec::*)(int, BOOL*);

// The search of one drag: the standard sizes on the index that leads with the dragged
// dimension (the primary), the other dimension (the secondary) deciding within a group.
class COvalSearch
{
public:
  COvalSearch(const CStdSizesRec& current, BOOL byHeight, double ph, double pw)
    : m_Current(current),
      m_nIndex(byHeight ? CStdSizesRec::byHeightWidth : CStdSizesRec::byWidthHeight),
      m_dHeight(ph),
      m_dWidth(pw),
      m_Primary(byHeight ? &CStdSizesRec::GetHeight : &CStdSizesRec::GetWidth),
      m_Secondary(byHeight ? &CStdSizesRec::GetWidth : &CStdSizesRec::GetHeight),
      m_SetPrimary(byHeight ? &CStdSizesRec::SetHeight : &CStdSizesRec::SetWidth),
      m_SetSecondary(byHeight ? &CStdSizesRec::SetWidth : &CStdSizesRec::SetHeight)
  {
    m_dP = byHeight ? ph : pw;
    m_dS = byHeight ? pw : ph;
  }

  double P() const { return m_dP; }
  double Primary(const CStdSizesRec& row) const { return (row.*m_Primary)(); }
  double Secondary(const CStdSizesRec& row) const { return (row.*m_Secondary)(); }
  BOOL IsOwn(const CStdSizesRec& row) const
  {
    return row.GetTypeCode() == m_Current.GetTypeCode() && row.GetSubtypeCode() == m_Current.GetSubtypeCode();
  }

  // TRUE when the seek lands on a row of the unit.
  BOOL Seek(Seeker seek, double primary, double secondary, CStdSizesRec& row) const
  {
    row = m_Current;
    (row.*m_SetPrimary)(static_cast<float>(primary));
    (row.*m_SetSecondary)(static_cast<float>(secondary));
    BOOL atEnd = FALSE;
    return (row.*seek)(m_nIndex, &atEnd) == 0 && !atEnd && IsOwn(row);
  }

  // The row a sizes search cannot find stands at a sentinel, never chosen over a real row.
  void Park(float sentinel, CStdSizesRec& row) const
  {
    row = m_Current;
    (row.*m_SetPrimary)(sentinel);
    (row.*m_SetSecondary)(sentinel);
  }

  // Distances are measured to each row's own width and height; the second is kept unless it
  // lies farther.
  const CStdSizesRec& Nearer(const CStdSizesRec& first, const CStdSizesRec& second) const
  {
    const double a = std::hypot(first.GetWidth() - m_dWidth, first.GetHeight() - m_dHeight);
    const double b = std::hypot(second.GetWidth() - m_dWidth, second.GetHeight() - m_dHeight);
    return a < b ? first : second;
  }

  BOOL FindLower(CStdSizesRec& row) const;
  BOOL FindUpper(CStdSizesRec& row) const;
  double HalfStep(BOOL below) const;

private:
  const CStdSizesRec& m_Current;
  int m_nIndex;
  double m_dHeight;
  double m_dWidth;
  double m_dP = 0.0;
  double m_dS = 0.0;
  Getter m_Primary;
  Getter m_Secondary;
  Setter m_SetPrimary;
  Setter m_SetSecondary;
};

// FALSE when the unit has no row below the request: the row is parked below everything.
BOOL COvalSearch::FindLower(CStdSizesRec& row) const
{
  if (!Seek(&CStdSizesRec::SeekLT, m_dP, kAbove, row)) {
    Park(kBelow, row);
    return FALSE;
  }
  if (Secondary(row) <= m_dS)
    return TRUE;
  const double group = Primary(row);
  CStdSizesRec at(row);
  const BOOL found = Seek(&CStdSizesRec::SeekGE, group, m_dS, at);
  if (found && Secondary(at) == m_dS) {
    row = at;
    return TRUE;
  }
  const CStdSizesRec remembered(found ? at : row);
  CStdSizesRec before(row);
  row = Seek(&CStdSizesRec::SeekLT, group, m_dS, before) ? Nearer(remembered, before) : remembered;
  return TRUE;
}

BOOL COvalSearch::FindUpper(CStdSizesRec& row) const
{
  if (!Seek(&CStdSizesRec::SeekGT, m_dP, 0.0, row)) {
    Park(kAbove, row);
    return FALSE;
  }
  if (Secondary(row) >= m_dS)
    return TRUE;
  const double group = Primary(row);
  CStdSizesRec at(row);
  const BOOL found = Seek(&CStdSizesRec::SeekLE, group, m_dS, at);
  if (found && Secondary(at) == m_dS) {
    row = at;
    return TRUE;
  }
  const CStdSizesRec remembered(found ? at : row);
  CStdSizesRec after(row);
  row = Seek(&CStdSizesRec::SeekGT, group, m_dS, after) ? Nearer(remembered, after) : remembered;
  return TRUE;
}

// Half the first (last) step of the primary dimension; half the one value when there is one.
double COvalSearch::HalfStep(BOOL below) const
{
  CStdSizesRec outer(m_Current), next(m_Current);
  const BOOL found =
      below ? Seek(&CStdSizesRec::SeekGT, 0.0, 0.0, outer) : Seek(&CStdSizesRec::SeekLT, kAbove, kAbove, outer);
  if (!found)
    return 0.0;
  const double edge = Primary(outer);
  const BOOL more =
      below ? Seek(&CStdSizesRec::SeekGT, edge, kAbove, next) : Seek(&CStdSizesRec::SeekLT, edge, 0.0, next);
  return more ? 0.5 * std::fabs(Primary(next) - edge) : 0.5 * edge;
}

// The angle of a grille row is stored in single precision: equal within the angle tolerance.
bool SameAngle(double a, double b) { return CVRXAngle(a) == CVRXAngle(b); }

// A crossing of a spoke counts only on the spoke's side of its origin.
bool OnRaySide(double angle, const CVRX2DPoint& origin, const CVRX2DPoint& p)
{
  if (SameAngle(angle, 0.0))
    return p.GetX() > origin.GetX();
  if (SameAngle(angle, VRX_PI))
    return p.GetX() < origin.GetX();
  return angle < VRX_PI ? p.GetY() > origin.GetY() : p.GetY() < origin.GetY();
}
}  // namespace

CSWOval::CSWOval() : CStandardRoundUnit(kLineCode, kUnitCode) {}

CUnit& CSWOval::operator=(const CUnit& source) { return AssignSameClass(source, kModule, kOtherClassAssignedLine); }

CUnit* CSWOval::Clone() const { return new CSWOval(*this); }
double CSWOval::GetHeight() const { return CStandardUnit::GetHeight(); }
double CSWOval::GetWidth() const { return CStandardUnit::GetWidth(); }
double CSWOval::GetProposedHeight() const { return CStandardUnit::GetProposedHeight(); }
double CSWOval::GetProposedWidth() const { return CStandardUnit::GetProposedWidth(); }
void CSWOval::GetSizesForHeight(CArray<double, double>& out) const { CStandardUnit::GetSizesForHeight(out); }
void CSWOval::GetSizesForWidth(CArray<double, double>& out) const { CStandardUnit::GetSizesForWidth(out); }

CVRX2DPoint CSWOval::GetCentre() const { return CVRX2DPoint(0.5 * GetWidth(), 0.5 * GetHeight()); }
double CSWOval::GetSemiMajor() const { return 0.5 * std::max(GetWidth(), GetHeight()); }
double CSWOval::GetSemiMinor() const { return 0.5 * std::min(GetWidth(), GetHeight()); }
CVRXAngle CSWOval::GetMajorAxisAngle() const { return CVRXAngle(GetHeight() < GetWidth() ? 0.0 : VRX_HALF_PI); }

// An ellipse about the centre by its horizontal and vertical semi-axes, none shorter than 0.
CVRX2DArc CSWOval::MakeEllipse(int category, double horizontal, double vertical) const
{
  horizontal = std::max(horizontal, 0.0);
  vertical = std::max(vertical, 0.0);
  const CVRXAngle axis = GetMajorAxisAngle();
  const bool alongX = axis.GetRadians() == 0.0;
  return CVRX2DArc(category, GetCentre(), alongX ? horizontal : vertical, alongX ? vertical : horizontal, axis,
                   CVRXAngle(0.0), CVRXAngle(0.0));
}

void CSWOval::GetArchCurveEntities(int category, double inset, CVRX2DEntityArray& out) const
{
  out.Add(MakeEllipse(category, 0.5 * GetWidth() - inset, 0.5 * GetHeight() - inset).Clone());
}

void CSWOval::GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                                     const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const
{
  const double halfW = 0.5 * GetWidth();
  const double halfH = 0.5 * GetHeight();
  const double y = Arch::Clamp(cutHeight, 0.0, GetHeight()) - halfH;
  const double x = halfH > 0.0 ? halfW * std::sqrt(std::max(0.0, 1.0 - (y * y) / (halfH * halfH))) : 0.0;
  Arch::AddPlanSection(switches, preferences, 2.0 * x, halfW - x, out);
}

void CSWOval::GetOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const CSizedComponentArray& components = *GetSizedComponents();
  const CVRX2DPoint centre = GetCentre();
  for (int i = 0; i < components.GetSize(); ++i) {
    CVRX2DArc arc = MakeEllipse(ecatPerimeterOutline, 0.5 * GetWidth(), 0.5 * GetHeight());
    arc.SetStartAngle(centre.AngleTo(components[i]->GetStartPoint()));
    arc.SetEndAngle(centre.AngleTo(components[i]->GetEndPoint()));
    out.Add(arc.Clone());
  }
}

CVRX2DVector CSWOval::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const double pw = GetProposedWidth();
  const double ph = GetProposedHeight();
  const CVRXAngle axis(pw > ph ? 0.0 : VRX_HALF_PI);
  const double major = 0.5 * std::max(pw, ph);
  const double minor = 0.5 * std::min(pw, ph);
  out.Add(new CVRX2DArc(ecatProposedOutline, CVRX2DPoint(0.5 * pw, 0.5 * ph), major, minor, axis, CVRXAngle(0.0),
                        CVRXAngle(0.0)));
  return m_vProposedOffset;
}

// The quarters meet where the ellipse's tangent runs at 45 degrees.
void CSWOval::BuildSizedComponents() const
{
  const double a = GetSemiMajor();
  const double b = GetSemiMinor();
  const double root = std::sqrt(a * a + b * b);
  const double u = root > 0.0 ? a * a / root : 0.0;
  const double v = root > 0.0 ? b * b / root : 0.0;
  const bool wide = IsWide();
  const double dx = wide ? u : v;
  const double dy = wide ? v : u;
  const CVRX2DPoint c = GetCentre();
  const CVRX2DPoint bl(c.GetX() - dx, c.GetY() - dy), br(c.GetX() + dx, c.GetY() - dy);
  const CVRX2DPoint tr(c.GetX() + dx, c.GetY() + dy), tl(c.GetX() - dx, c.GetY() + dy);
  const CElemCompRec side(GetType(), GetSubtype(), kSideCode);
  const CElemCompRec end(GetType(), GetSubtype(), kQuarterCode);
  const CElemCompRec& along = wide ? side : end;
  const CElemCompRec& across = wide ? end : side;
  const char* alongCode = wide ? kSideCode : kQuarterCode;
  const char* acrossCode = wide ? kQuarterCode : kSideCode;
  m_pSizedComponents->Add(new CSizedComponent(alongCode, along.GetComponent(), "P", bl, br));
  m_pSizedComponents->Add(new CSizedComponent(acrossCode, across.GetComponent(), "P", br, tr));
  m_pSizedComponents->Add(new CSizedComponent(alongCode, along.GetComponent(), "P", tr, tl));
  m_pSizedComponents->Add(new CSizedComponent(acrossCode, across.GetComponent(), "P", tl, bl));
}

// A drag that does not move the handle's side gives the proposal up.
int CSWOval::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  if (handle < 0 || handle > 3)
    throw CUnitException(kModule, kBadHandleLine);
  const BOOL byHeight = handle % 2 == 0;
  const double along = byHeight ? drag.GetY() : drag.GetX();
  if (along == 0.0 || !std::isfinite(along)) {
    ResetProposedSize();
    return inboundsUnchanged;
  }
  const double w = GetWidth();
  const double h = GetHeight();
  const double ph = handle == 0 ? h - along : handle == 2 ? h + along : h;
  const double pw = handle == 1 ? w + along : handle == 3 ? w - along : w;
  const COvalSearch search(GetCurrentSize(), byHeight, ph, pw);
  CStdSizesRec lower(GetCurrentSize()), upper(GetCurrentSize());
  const BOOL lowerFound = search.FindLower(lower);
  const BOOL upperFound = search.FindUpper(upper);
  const double p = search.P();
  const CStdSizesRec& chosen = p - search.Primary(lower) < search.Primary(upper) - p ? lower : upper;
  BOOL outOfBounds = FALSE;
  if (!lowerFound || !upperFound) {
    const double halfStep = search.HalfStep(!lowerFound);
    outOfBounds = halfStep < std::fabs(p - search.Primary(GetProposedSize()));
  }
  if (!search.IsOwn(chosen) || chosen.GetHeight() == 0.0)
    throw CUnitException(kModule, kNoRowLine);
  return MoveProposal(handle, chosen, outOfBounds);
}

int CSWOval::MoveProposal(int handle, const CStdSizesRec& chosen, BOOL outOfBounds)
{
  if (chosen.GetSizeCode() == GetProposedSize().GetSizeCode())
    return outOfBounds ? outOfBoundsUnchanged : inboundsUnchanged;
  const double dw = GetWidth() - chosen.GetWidth();
  const double dh = GetHeight() - chosen.GetHeight();
  SetProposedSize(chosen);
  const CVRX2DVector deltas[4] = {CVRX2DVector(0.5 * dw, dh), CVRX2DVector(0.0, 0.5 * dh), CVRX2DVector(0.5 * dw, 0.0),
                                  CVRX2DVector(dw, 0.5 * dh)};
  m_vProposedOffset = deltas[handle];
  return outOfBounds ? outOfBoundsChanged : inboundsChanged;
}

// Both records stand one row below the last row that fits the unit; with more rows of one
// code than the other, the hub moves off the centre by that code's next inset.
BOOL CSWOval::StartGrille(int grilleId, CGrilPropRec& h, CGrilPropRec& v, double& hubOffset) const
{
  if (!Arch::SeekGrilleRow(h, grilleId, "H", GetWidth(), Arch::seekLE) || !Arch::PrevGrilleRow(h, grilleId, "H"))
    return FALSE;
  if (!Arch::SeekGrilleRow(v, grilleId, "V", GetHeight(), Arch::seekLE) || !Arch::PrevGrilleRow(v, grilleId, "V"))
    return FALSE;
  hubOffset = 0.0;
  if (m_nHRows > m_nVRows) {
    hubOffset = GetSemiMajor() - h.GetValue();
    return Arch::PrevGrilleRow(h, grilleId, "H");
  }
  if (m_nVRows > m_nHRows) {
    hubOffset = GetSemiMajor() - v.GetValue();
    return Arch::PrevGrilleRow(v, grilleId, "V");
  }
  return TRUE;
}

void CSWOval::GetGrilleEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  const int choice = GetOptionChoice(kGrilleTypeCategory, 1);
  if (IsNoGrilleChoice(choice))
    return;
  const int grilleId = Arch::FindGrilleId(kLineCode, kUnitCode, GetSizeCode(), choice);
  if (grilleId == 0)
    return;
  CArray<double, double> rows;
  ReadGrilleProperties(grilleId, "V", rows);
  m_nVRows = static_cast<int>(rows.GetSize());
  rows.RemoveAll();
  ReadGrilleProperties(grilleId, "H", rows);
  m_nHRows = static_cast<int>(rows.GetSize());
  CGrilPropRec h, v;
  double hubOffset = 0.0;
  if (!StartGrille(grilleId, h, v, hubOffset))
    return;
  const CVRX2DArc hub =
      MakeEllipse(ecatWindowElevationGrilles, 0.5 * GetWidth() - h.GetValue(), 0.5 * GetHeight() - v.GetValue());
  // Rings from the hub outward, each with the next smaller insets.
  BOOL more = TRUE;
  while (more) {
    out.Add(MakeEllipse(ecatWindowElevationGrilles, 0.5 * GetWidth() - h.GetValue(), 0.5 * GetHeight() - v.GetValue())
                .Clone());
    const BOOL nextH = Arch::PrevGrilleRow(h, grilleId, "H");
    const BOOL nextV = Arch::PrevGrilleRow(v, grilleId, "V");
    more = nextH && nextV;
  }
  AddSpokes(grilleId, hub, hubOffset, out);
}

// Spokes on the axes start at the centre, the others at the hub's off-centre origin on their side.
CVRX2DPoint CSWOval::SpokeOrigin(double angle, double hubOffset) const
{
  const CVRX2DPoint c = GetCentre();
  if (SameAngle(angle, 0.0) || SameAngle(angle, VRX_HALF_PI) || SameAngle(angle, VRX_PI) ||
      SameAngle(angle, 3.0 * VRX_HALF_PI) || SameAngle(angle, VRX_TWO_PI))
    return c;
  if (IsWide())
    return CVRX2DPoint(angle > VRX_HALF_PI && angle < 3.0 * VRX_HALF_PI ? c.GetX() - hubOffset : c.GetX() + hubOffset,
                       c.GetY());
  return CVRX2DPoint(c.GetX(), angle > 0.0 && angle < VRX_PI ? c.GetY() + hubOffset : c.GetY() - hubOffset);
}

void CSWOval::AddSpokes(int grilleId, const CVRX2DArc& hub, double hubOffset, CVRX2DEntityArray& out) const
{
  const double d = GetComponentDistance(cTop, 0, 2);
  const CVRX2DArc glass = MakeEllipse(ecatWindowElevationGrilles, 0.5 * GetWidth() - d, 0.5 * GetHeight() - d);
  const double length = std::max(GetSemiMajor() - d, 0.0);
  CGrilPropRec row;
  for (BOOL more = Arch::SeekGrilleRow(row, grilleId, "A", 0.0, Arch::seekGE); more;
       more = Arch::NextGrilleRow(row, grilleId, "A")) {
    const double angle = row.GetValue();
    const CVRX2DPoint origin = SpokeOrigin(angle, hubOffset);
    const CVRX2DLine ray(ecatWindowElevationGrilles, origin, Arch::PointAt(origin, length, angle));
    CVRX2DPointArray glassPoints, hubPoints;
    glass.IntersectLine(ray, glassPoints);
    hub.IntersectLine(ray, hubPoints);
    const CVRX2DPoint* inner = nullptr;
    for (int k = 0; k < hubPoints.GetSize() && !inner; ++k)
      if (OnRaySide(angle, origin, *hubPoints.GetAt(k)))
        inner = hubPoints.GetAt(k);
    for (int k = 0; k < glassPoints.GetSize() && inner; ++k)
      if (OnRaySide(angle, origin, *glassPoints.GetAt(k)))
        out.Add(new CVRX2DLine(ecatWindowElevationGrilles, *inner, *glassPoints.GetAt(k)));
  }
}
