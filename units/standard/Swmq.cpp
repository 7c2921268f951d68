#include "units/standard/Swmq.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "model/Entcat.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "productdb/Elemcomp.h"
#include "productdb/Grilprop.h"
#include "productdb/Optcats.h"
#include "units/standard/Archutil.h"
#include "units/standard/Qtrsize.h"

IMPLEMENT_DYNAMIC(CSWMonumentalQuarterRound, CStandardMonumentalQtrRoundUnit)
IMPLEMENT_DYNAMIC(CSWMonumentalQuarterRoundRight, CSWMonumentalQuarterRound)
IMPLEMENT_DYNAMIC(CSWMonumentalQuarterRoundLeft, CSWMonumentalQuarterRound)

namespace {
constexpr const char* kRightModule = "SWMR";
constexpr const char* kLeftModule = "SWML";
constexpr int kRightAssignedLine = 80;
constexpr int kLeftAssignedLine = 84;
constexpr int kRightBadHandleLine = 135;
constexpr int kLeftBadHandleLine = 139;

enum
{
  cBottom
};

}  // namespace

CVRX2DPoint CSWMonumentalQuarterRound::GetArcCentre() const { return CVRX2DPoint(m_bLeft ? GetWidth() : 0.0, 0.0); }
CVRX2DPoint CSWMonumentalQuarterRound::GetProposedArcCentre() const
{
  return CVRX2DPoint(m_bLeft ? GetProposedWidth() : 0.0, 0.0);
}
double CSWMonumentalQuarterRound::ArcStart() const { return m_bLeft ? VRX_HALF_PI : 0.0; }
double CSWMonumentalQuarterRound::ArcEnd() const { return m_bLeft ? VRX_PI : VRX_HALF_PI; }

CVRXAngle CSWMonumentalQuarterRound::GetAngleAtCentre(const CVRX2DPoint& p) const
{
  return CVRXAngle(VRXAtan2(p.GetY(), m_bLeft ? p.GetX() - GetWidth() : p.GetX()));
}

double CSWMonumentalQuarterRound::GetInsetJambMeet(int line) const
{
  return SideFromHypotenuse(GetArchRadius() - GetComponentDistance(ArcIndex(), 0, line),
                            GetComponentDistance(JambIndex(), 0, line));
}

void CSWMonumentalQuarterRound::BuildSizedComponents() const
{
  const CElemCompRec arch(GetType(), GetSubtype(), kArchCode);
  const CElemCompRec jamb(GetType(), GetSubtype(), kLegCode);
  const CElemCompRec bottom(GetType(), GetSubtype(), kBottomCode);
  const double w = GetWidth();
  const double h = GetHeight();
  CSizedComponentArray& c = *m_pSizedComponents;
  c.Add(new CSizedComponent(kBottomCode, bottom.GetComponent(), "P", CVRX2DPoint(0.0, 0.0), CVRX2DPoint(w, 0.0)));
  if (m_bLeft) {
    c.Add(new CSizedComponent(kLegCode, jamb.GetComponent(), "P", CVRX2DPoint(w, 0.0), CVRX2DPoint(w, h)));
    c.Add(new CSizedComponent(kArchCode, arch.GetComponent(), "P", CVRX2DPoint(w, h), CVRX2DPoint(0.0, 0.0)));
  } else {
    c.Add(new CSizedComponent(kArchCode, arch.GetComponent(), "P", CVRX2DPoint(w, 0.0), CVRX2DPoint(0.0, h)));
    c.Add(new CSizedComponent(kLegCode, jamb.GetComponent(), "P", CVRX2DPoint(0.0, h), CVRX2DPoint(0.0, 0.0)));
  }
}

void CSWMonumentalQuarterRound::GetOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const CSizedComponentArray& c = *GetSizedComponents();
  for (int i = 0; i < c.GetSize(); ++i) {
    if (i == ArcIndex())
      Arch::AddArc(out, ecatPerimeterOutline, GetArcCentre(), GetArchRadius(), ArcStart(), ArcEnd());
    else
      Arch::AddLine(out, ecatPerimeterOutline, c[i]->GetStartPoint(), c[i]->GetEndPoint());
  }
}

void CSWMonumentalQuarterRound::GetPartOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const double r = GetArchRadius();
  Arch::AddLine(out, ecatFramePartOutline, CVRX2DPoint(0.0, 0.0), CVRX2DPoint(r, 0.0));
  Arch::AddLine(out, m_bLeft ? ecatFramePartOutline : ecatConstruction, CVRX2DPoint(r, 0.0), CVRX2DPoint(r, r));
  Arch::AddLine(out, ecatConstruction, CVRX2DPoint(r, r), CVRX2DPoint(0.0, r));
  Arch::AddLine(out, m_bLeft ? ecatConstruction : ecatFramePartOutline, CVRX2DPoint(0.0, r), CVRX2DPoint(0.0, 0.0));
}

void CSWMonumentalQuarterRound::GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                                                       const CPlanSectionPreferences& preferences,
                                                       CVRX2DEntityArray& out) const
{
  const double r = GetArchRadius();
  const double width = SideFromHypotenuse(r, Arch::Clamp(cutHeight, 0.0, r));
  Arch::AddPlanSection(switches, preferences, width, m_bLeft ? GetWidth() - width : 0.0, out);
}

void CSWMonumentalQuarterRound::Get1LineElevationEntities(int, CVRX2DEntityArray& out) const
{
  const double a = GetComponentDistance(cBottom, 0, 1);
  if (m_bLeft) {
    const double b = GetComponentDistance(2, 0, 1);
    const double r = GetArchRadius() - b;
    const double x = GetWidth() - GetComponentDistance(1, 0, 1);
    Arch::AddLine(out, ecatWindowElevationFrame, CVRX2DPoint(b, a), CVRX2DPoint(x, a));
    Arch::AddLine(out, ecatWindowElevationFrame, CVRX2DPoint(x, a), CVRX2DPoint(x, r));
    Arch::AddArc(out, ecatWindowElevationFrame, GetArcCentre(), r, VRX_HALF_PI, VRX_PI);
    return;
  }
  const double c = GetComponentDistance(2, 0, 1);
  const double r = GetArchRadius() - GetComponentDistance(1, 0, 1);
  Arch::AddLine(out, ecatWindowElevationFrame, CVRX2DPoint(c, a), CVRX2DPoint(r, a));
  Arch::AddArc(out, ecatWindowElevationFrame, GetArcCentre(), r, 0.0, VRX_HALF_PI);
  Arch::AddLine(out, ecatWindowElevationFrame, CVRX2DPoint(c, r), CVRX2DPoint(c, a));
}

void CSWMonumentalQuarterRound::Get2LineElevationEntities(int, CVRX2DEntityArray& out) const
{
  AddInsetElevation(2, out);
}
void CSWMonumentalQuarterRound::Get3LineElevationEntities(int, CVRX2DEntityArray& out) const
{
  AddInsetElevation(3, out);
}

// The arc runs between the inset bottom and the inset jamb.
void CSWMonumentalQuarterRound::AddInsetElevation(int line, CVRX2DEntityArray& out) const
{
  const double s = GetInsetJambMeet(line);
  const double a = GetComponentDistance(cBottom, 0, line);
  if (m_bLeft) {
    const double r = GetArchRadius() - GetComponentDistance(2, 0, line);
    const double x = GetWidth() - GetComponentDistance(1, 0, line);
    const CVRX2DPoint p1(GetWidth() - s, a), p2(x, a), p3(x, s);
    Arch::AddLine(out, ecatWindowElevationGlassSash, p1, p2);
    Arch::AddLine(out, ecatWindowElevationGlassSash, p2, p3);
    Arch::AddArc(out, ecatWindowElevationGlassSash, GetArcCentre(), r, GetAngleAtCentre(p3).GetRadians(),
                 GetAngleAtCentre(p1).GetRadians());
    return;
  }
  const double r = GetArchRadius() - GetComponentDistance(1, 0, line);
  const double c = GetComponentDistance(2, 0, line);
  const CVRX2DPoint p1(c, a), p2(s, a), p3(c, s);
  Arch::AddLine(out, ecatWindowElevationGlassSash, p1, p2);
  Arch::AddArc(out, ecatWindowElevationGlassSash, GetArcCentre(), r, GetAngleAtCentre(p2).GetRadians(),
               GetAngleAtCentre(p3).GetRadians());
  Arch::AddLine(out, ecatWindowElevationGlassSash, p3, p1);
}

CVRX2DArc* CSWMonumentalQuarterRound::MakeRing(double v, double bottom, double jamb, int category) const
{
  const double w = GetWidth();
  const double along = SideFromHypotenuse(v, bottom);
  const double up = SideFromHypotenuse(v, jamb);
  const CVRX2DPoint from = m_bLeft ? CVRX2DPoint(w - jamb, up) : CVRX2DPoint(along, bottom);
  const CVRX2DPoint to = m_bLeft ? CVRX2DPoint(w - along, bottom) : CVRX2DPoint(jamb, up);
  const double r = std::max(0.0, v);
  return new CVRX2DArc(category, GetArcCentre(), r, r, CVRXAngle(0.0), GetAngleAtCentre(from), GetAngleAtCentre(to));
}

// Rings from the largest radius within the unit inwards, then bars from the innermost ring out
// to the glass; without a ring there is nothing to start the bars from.
void CSWMonumentalQuarterRound::GetGrilleEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  const int choice = GetOptionChoice(kGrilleTypeCategory, 1);
  if (IsNoGrilleChoice(choice))
    return;
  const int grilleId = Arch::FindGrilleId(GetType(), GetSubtype(), GetSizeCode(), choice);
  if (grilleId == 0)
    return;
  const double db = GetComponentDistance(cBottom, 0, 2);
  const double dj = GetComponentDistance(JambIndex(), 0, 2);
  const double da = GetComponentDistance(ArcIndex(), 0, 2);
  CGrilPropRec row;
  const CVRX2DArc* innermost = nullptr;
  for (BOOL more = Arch::SeekGrilleRow(row, grilleId, "R", GetArchRadius(), Arch::seekLE); more;
       more = Arch::PrevGrilleRow(row, grilleId, "R")) {
    CVRX2DArc* ring = MakeRing(row.GetValue(), db, dj, ecatWindowElevationGrilles);
    out.Add(ring);
    innermost = ring;
  }
  if (!innermost)
    return;
  const std::unique_ptr<CVRX2DArc> glass(MakeRing(GetArchRadius() - da, db, dj, 0));
  for (BOOL more = Arch::SeekGrilleRow(row, grilleId, "A", 0.0, Arch::seekGE); more;
       more = Arch::NextGrilleRow(row, grilleId, "A")) {
    const CVRXAngle t(row.GetValue());
    Arch::AddLine(out, ecatWindowElevationGrilles, innermost->GetPointAtAngle(t), glass->GetPointAtAngle(t));
  }
}

void CSWMonumentalQuarterRound::GetSizingHandles(CSizingHandleArray& out) const
{
  out.RemoveAll();  // also when the size table fails
  CStdSizesRecArray sizes;
  GetStandardSizes(sizes);
  QtrRound::GetHandles(m_bLeft, GetWidth(), GetHeight(), sizes.GetSize() == 1, out);
}

void CSWMonumentalQuarterRound::GetSidesMovedByHandle(int handle, CDWordArray& flags) const
{
  QtrRound::GetSidesMoved(m_bLeft, handle, flags);
}

int CSWMonumentalQuarterRound::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  const QtrRound::Proposal p = QtrRound::Conform(m_bLeft, handle, drag, GetCurrentSize(), GetProposedSize(),
                                                 m_vProposedOffset, m_pszModule, m_nBadHandleLine);
  if (p.action == QtrRound::reset)
    ResetProposedSize();
  if (p.action == QtrRound::propose) {
    SetProposedSize(p.row);
    m_vProposedOffset = p.shift;
  }
  return p.result;
}

CVRX2DVector CSWMonumentalQuarterRound::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const double w = GetProposedWidth();
  const double h = GetProposedHeight();
  const double r = GetProposedArchRadius();
  if (m_bLeft) {
    const CVRX2DPoint q(w, 0.0);
    Arch::AddLine(out, ecatProposedOutline, CVRX2DPoint(0.0, 0.0), q);
    Arch::AddLine(out, ecatProposedOutline, q, CVRX2DPoint(w, h));
    Arch::AddArc(out, ecatProposedOutline, GetProposedArcCentre(), r, VRX_HALF_PI, VRX_PI);
  } else {
    Arch::AddLine(out, ecatProposedOutline, CVRX2DPoint(0.0, 0.0), CVRX2DPoint(w, 0.0));
    Arch::AddArc(out, ecatProposedOutline, GetProposedArcCentre(), r, 0.0, VRX_HALF_PI);
    Arch::AddLine(out, ecatProposedOutline, CVRX2DPoint(0.0, h), CVRX2DPoint(0.0, 0.0));
  }
  return m_vProposedOffset;
}

CSWMonumentalQuarterRoundRight::CSWMonumentalQuarterRoundRight()
  : CSWMonumentalQuarterRound("MR042", FALSE, kRightModule, kRightBadHandleLine)
{}

CUnit& CSWMonumentalQuarterRoundRight::operator=(const CUnit& source)
{
  return AssignSameClass(source, kRightModule, kRightAssignedLine);
}

CUnit* CSWMonumentalQuarterRoundRight::Clone() const { return new CSWMonumentalQuarterRoundRight(*this); }

CSWMonumentalQuarterRoundLeft::CSWMonumentalQuarterRoundLeft()
  : CSWMonumentalQuarterRound("ML042", TRUE, kLeftModule, kLeftBadHandleLine)
{}

CUnit& CSWMonumentalQuarterRoundLeft::operator=(const CUnit& source)
{
  return AssignSameClass(source, kLeftModule, kLeftAssignedLine);
}

CUnit* CSWMonumentalQuarterRoundLeft::Clone() const { return new CSWMonumentalQuarterRoundLeft(*this); }
