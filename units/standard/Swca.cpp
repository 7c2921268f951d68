#include "units/standard/Swca.h"

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
#include "productdb/txdbExcp.h"
#include "units/standard/Archutil.h"
#include "units/standard/Qtrsize.h"

IMPLEMENT_DYNAMIC(CSWCasementAwningQtrRound, CStandardCasementAwningQtrRound)
IMPLEMENT_DYNAMIC(CSWCasementAwningQtrRoundRight, CSWCasementAwningQtrRound)
IMPLEMENT_DYNAMIC(CSWCasementAwningQtrRoundLeft, CSWCasementAwningQtrRound)

namespace {
constexpr const char* kRightModule = "SWCR";
constexpr const char* kLeftModule = "SWCL";
constexpr int kOtherClassAssignedLine = 85;
constexpr int kBadHandleLine = 140;
constexpr int kRightNoHubXLine = 599;
constexpr int kLeftNoHubXLine = 601;
constexpr int kRightNoHubYLine = 609;
constexpr int kLeftNoHubYLine = 611;
constexpr int kRightNoHubRingLine = 629;
constexpr int kLeftNoHubRingLine = 631;

enum
{
  cBottom
};
}  // namespace

CVRX2DPoint CSWCasementAwningQtrRound::GetArcCentre() const
{
  return CVRX2DPoint(m_bLeft ? GetArchRadius() : GetWidthLessRadius(), GetHeightLessRadius());
}

CVRX2DPoint CSWCasementAwningQtrRound::GetProposedArcCentre() const
{
  return CVRX2DPoint(m_bLeft ? GetProposedArchRadius() : GetProposedWidthLessRadius(), GetProposedHeightLessRadius());
}

CVRXAngle CSWCasementAwningQtrRound::GetAngleAtCorner(const CVRX2DPoint& p) const
{
  return CVRXAngle(VRXAtan2(p.GetY(), m_bLeft ? p.GetX() - GetWidth() : p.GetX()));
}

void CSWCasementAwningQtrRound::BuildSizedComponents() const
{
  const CElemCompRec arch(GetType(), GetSubtype(), kArchCode);
  const CElemCompRec jamb(GetType(), GetSubtype(), kLegCode);
  const CElemCompRec bottom(GetType(), GetSubtype(), kBottomCode);
  const double w = GetWidth();
  const double h = GetHeight();
  const double r = GetArchRadius();
  const int a = arch.GetComponent();
  CSizedComponentArray& c = *m_pSizedComponents;
  c.Add(new CSizedComponent(kBottomCode, bottom.GetComponent(), "P", CVRX2DPoint(0.0, 0.0), CVRX2DPoint(w, 0.0)));
  if (m_bLeft) {
    c.Add(new CSizedComponent(kLegCode, jamb.GetComponent(), "P", CVRX2DPoint(w, 0.0), CVRX2DPoint(w, h)));
    c.Add(new CSizedComponent(kArchCode, a, "P", CVRX2DPoint(w, h), CVRX2DPoint(r, h)));
    c.Add(new CSizedComponent(kArchCode, a, "P", CVRX2DPoint(r, h), CVRX2DPoint(0.0, h - r)));
    c.Add(new CSizedComponent(kArchCode, a, "P", CVRX2DPoint(0.0, h - r), CVRX2DPoint(0.0, 0.0)));
    return;
  }
  c.Add(new CSizedComponent(kArchCode, a, "P", CVRX2DPoint(w, 0.0), CVRX2DPoint(w, h - r)));
  c.Add(new CSizedComponent(kArchCode, a, "P", CVRX2DPoint(w, h - r), CVRX2DPoint(w - r, h)));
  c.Add(new CSizedComponent(kArchCode, a, "P", CVRX2DPoint(w - r, h), CVRX2DPoint(0.0, h)));
  c.Add(new CSizedComponent(kLegCode, jamb.GetComponent(), "P", CVRX2DPoint(0.0, h), CVRX2DPoint(0.0, 0.0)));
}

void CSWCasementAwningQtrRound::GetOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const CSizedComponentArray& c = *GetSizedComponents();
  for (int i = 0; i < c.GetSize(); ++i) {
    if (i == ArcIndex())
      Arch::AddArc(out, ecatPerimeterOutline, GetArcCentre(), GetArchRadius(), m_bLeft ? VRX_HALF_PI : 0.0,
                   m_bLeft ? VRX_PI : VRX_HALF_PI);
    else
      Arch::AddLine(out, ecatPerimeterOutline, c[i]->GetStartPoint(), c[i]->GetEndPoint());
  }
}

void CSWCasementAwningQtrRound::GetPartOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const double w = GetWidth();
  const double h = GetHeight();
  Arch::AddLine(out, ecatFramePartOutline, CVRX2DPoint(0.0, 0.0), CVRX2DPoint(w, 0.0));
  Arch::AddLine(out, m_bLeft ? ecatFramePartOutline : ecatConstruction, CVRX2DPoint(w, 0.0), CVRX2DPoint(w, h));
  Arch::AddLine(out, ecatConstruction, CVRX2DPoint(w, h), CVRX2DPoint(0.0, h));
  Arch::AddLine(out, m_bLeft ? ecatConstruction : ecatFramePartOutline, CVRX2DPoint(0.0, h), CVRX2DPoint(0.0, 0.0));
}

void CSWCasementAwningQtrRound::GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                                                       const CPlanSectionPreferences& preferences,
                                                       CVRX2DEntityArray& out) const
{
  const double r = GetArchRadius();
  const double d = std::max(0.0, Arch::Clamp(cutHeight, 0.0, GetHeight()) - GetHeightLessRadius());
  const double width = GetWidthLessRadius() + SideFromHypotenuse(r, d);
  Arch::AddPlanSection(switches, preferences, width, m_bLeft ? GetWidth() - width : 0.0, out);
}

void CSWCasementAwningQtrRound::Get1LineElevationEntities(int, CVRX2DEntityArray& out) const
{
  const double w = GetWidth();
  const double h = GetHeight();
  const double r = GetArchRadius();
  const double s = GetComponentDistance(cBottom, 0, 1);
  const double a = GetComponentDistance(ArcSideIndex(), 0, 1);
  const double j = GetComponentDistance(JambIndex(), 0, 1);
  const double y = h - a;
  const int k = ecatWindowElevationFrame;
  if (m_bLeft) {
    const double x = w - j;
    Arch::AddLine(out, k, CVRX2DPoint(a, s), CVRX2DPoint(x, s));
    Arch::AddLine(out, k, CVRX2DPoint(x, s), CVRX2DPoint(x, y));
    Arch::AddLine(out, k, CVRX2DPoint(x, y), CVRX2DPoint(r, y));
    Arch::AddArc(out, k, GetArcCentre(), r - a, VRX_HALF_PI, VRX_PI);
    Arch::AddLine(out, k, CVRX2DPoint(a, h - r), CVRX2DPoint(a, s));
    return;
  }
  const double x = w - a;
  Arch::AddLine(out, k, CVRX2DPoint(j, s), CVRX2DPoint(x, s));
  Arch::AddLine(out, k, CVRX2DPoint(x, s), CVRX2DPoint(x, h - r));
  Arch::AddArc(out, k, GetArcCentre(), r - a, 0.0, VRX_HALF_PI);
  Arch::AddLine(out, k, CVRX2DPoint(w - r, y), CVRX2DPoint(j, y));
  Arch::AddLine(out, k, CVRX2DPoint(j, y), CVRX2DPoint(j, s));
}

void CSWCasementAwningQtrRound::Get2LineElevationEntities(int, CVRX2DEntityArray& out) const
{
  AddInsetElevation(2, out);
}
void CSWCasementAwningQtrRound::Get3LineElevationEntities(int, CVRX2DEntityArray& out) const
{
  AddInsetElevation(3, out);
}

void CSWCasementAwningQtrRound::AddInsetElevation(int line, CVRX2DEntityArray& out) const
{
  if (m_bLeft)
    AddLeftInset(line, out);
  else
    AddRightInset(line, out);
}

// The inset arc is trimmed where the inset bottom or the inset jamb cuts into it.
void CSWCasementAwningQtrRound::AddRightInset(int line, CVRX2DEntityArray& out) const
{
  const CVRX2DPoint c = GetArcCentre();
  const double cx = c.GetX(), cy = c.GetY();
  const double s = GetComponentDistance(cBottom, 0, line);
  const double r = std::max(0.0, GetArchRadius() - GetComponentDistance(ArcSideIndex(), 0, line));
  const double j = GetComponentDistance(JambIndex(), 0, line);
  const double yt = cx < j ? cy + SideFromHypotenuse(r, j - cx) : cy + r;
  const double xb = s > cy ? cx + SideFromHypotenuse(r, s - cy) : cx + r;
  const CVRX2DPoint p1(j, s), p2(xb, s), p3(j, yt);
  Arch::AddLine(out, ecatWindowElevationGlassSash, p1, p2);
  CVRX2DPoint q1 = p2;
  if (s < cy) {
    q1 = CVRX2DPoint(xb, cy);
    Arch::AddLine(out, ecatWindowElevationGlassSash, p2, q1);
  }
  const CVRX2DPoint q2 = cx > j ? CVRX2DPoint(cx, yt) : p3;
  Arch::AddArcThrough(out, ecatWindowElevationGlassSash, c, r, q1, q2);
  if (cx > j)
    Arch::AddLine(out, ecatWindowElevationGlassSash, q2, p3);
  Arch::AddLine(out, ecatWindowElevationGlassSash, p3, p1);
}

void CSWCasementAwningQtrRound::AddLeftInset(int line, CVRX2DEntityArray& out) const
{
  const CVRX2DPoint c = GetArcCentre();
  const double cy = c.GetY();
  const double w = GetWidth();
  const double big = GetArchRadius();
  const double s = GetComponentDistance(cBottom, 0, line);
  const double r = std::max(0.0, big - GetComponentDistance(ArcSideIndex(), 0, line));
  const double j = GetComponentDistance(JambIndex(), 0, line);
  const double x = w - j;
  const double yt = j > w - big ? cy + SideFromHypotenuse(r, j - (w - big)) : cy + r;
  const double xb = s > cy ? big - SideFromHypotenuse(r, s - cy) : big - r;
  const CVRX2DPoint p1(xb, s), p2(x, s), p3(x, yt);
  Arch::AddLine(out, ecatWindowElevationGlassSash, p1, p2);
  Arch::AddLine(out, ecatWindowElevationGlassSash, p2, p3);
  CVRX2DPoint q1 = p3;
  if (j < w - big) {
    q1 = CVRX2DPoint(big, yt);
    Arch::AddLine(out, ecatWindowElevationGlassSash, p3, q1);
  }
  const CVRX2DPoint q2 = cy > s ? CVRX2DPoint(xb, cy) : p1;
  Arch::AddArcThrough(out, ecatWindowElevationGlassSash, c, r, q1, q2);
  if (cy > s)
    Arch::AddLine(out, ecatWindowElevationGlassSash, q2, p1);
}

// A ring about the hub whose ends are placed about the jamb corner.
CVRX2DArc* CSWCasementAwningQtrRound::MakeRing(const CVRX2DPoint& hub, double v, double dx, double dy, double jamb,
                                               double sill, int category) const
{
  const double w = GetWidth();
  const CVRX2DPoint p =
      m_bLeft ? CVRX2DPoint(w - jamb, SideFromHypotenuse(v, dx)) : CVRX2DPoint(SideFromHypotenuse(v, dy), sill);
  const CVRX2DPoint q =
      m_bLeft ? CVRX2DPoint(w - SideFromHypotenuse(v, dy), sill) : CVRX2DPoint(jamb, SideFromHypotenuse(v, dx));
  const double r = std::max(0.0, v);
  return new CVRX2DArc(category, hub, r, r, CVRXAngle(0.0), GetAngleAtCorner(p), GetAngleAtCorner(q));
}

double CSWCasementAwningQtrRound::ReadHub(int grilleId, const char* code, int line) const
{
  CGrilPropRec row;
  if (!Arch::SeekGrilleRow(row, grilleId, code, 0.0, Arch::seekGT))
    throw CTXDBException(m_pszModule, line, CTXDBException::readError);
  return row.GetValue();
}

void CSWCasementAwningQtrRound::GetGrilleEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  const int choice = GetOptionChoice(kGrilleTypeCategory, 1);
  if (IsNoGrilleChoice(choice))
    return;
  const int g = Arch::FindGrilleId(GetType(), GetSubtype(), GetSizeCode(), choice);
  if (g == 0)
    return;
  const double a = GetComponentDistance(ArcSideIndex(), 0, 2);
  const double j = GetComponentDistance(JambIndex(), 0, 2);
  const double s = GetComponentDistance(cBottom, 0, 2);
  const double dx = m_bLeft ? GetWidthLessRadius() - j : j - GetWidthLessRadius();
  const double dy = s - GetHeightLessRadius();
  const CVRX2DPoint hubPoint(ReadHub(g, "H", m_bLeft ? kLeftNoHubXLine : kRightNoHubXLine),
                             ReadHub(g, "V", m_bLeft ? kLeftNoHubYLine : kRightNoHubYLine));
  CGrilPropRec row;
  if (!Arch::SeekGrilleRow(row, g, "B", 0.0, Arch::seekGT))
    throw CTXDBException(m_pszModule, m_bLeft ? kLeftNoHubRingLine : kRightNoHubRingLine, CTXDBException::readError);
  CVRX2DArc* hub = MakeRing(hubPoint, row.GetValue(), dx, dy, j, s, ecatWindowElevationGrilles);
  out.Add(hub);
  for (BOOL more = Arch::SeekGrilleRow(row, g, "R", row.GetValue(), Arch::seekGT); more;
       more = Arch::NextGrilleRow(row, g, "R"))
    out.Add(MakeRing(hubPoint, row.GetValue(), dx, dy, j, s, ecatWindowElevationGrilles));
  const std::unique_ptr<CVRX2DArc> glass(MakeRing(hubPoint, GetArchRadius() - a, dx, dy, j, s, 0));
  for (BOOL more = Arch::SeekGrilleRow(row, g, "A", 0.0, Arch::seekGE); more; more = Arch::NextGrilleRow(row, g, "A")) {
    const CVRXAngle t(row.GetValue());
    Arch::AddLine(out, ecatWindowElevationGrilles, hub->GetPointAtAngle(t), glass->GetPointAtAngle(t));
  }
}

void CSWCasementAwningQtrRound::GetSizingHandles(CSizingHandleArray& out) const
{
  QtrRound::GetHandles(m_bLeft, GetWidth(), GetHeight(), FALSE, out);
}

void CSWCasementAwningQtrRound::GetSidesMovedByHandle(int handle, CDWordArray& flags) const
{
  QtrRound::GetSidesMoved(m_bLeft, handle, flags);
}

int CSWCasementAwningQtrRound::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  const QtrRound::Proposal p = QtrRound::Conform(m_bLeft, handle, drag, GetCurrentSize(), GetProposedSize(),
                                                 m_vProposedOffset, m_pszModule, kBadHandleLine);
  if (p.action == QtrRound::reset)
    ResetProposedSize();
  if (p.action == QtrRound::propose) {
    SetProposedSize(p.row);
    m_vProposedOffset = p.shift;
  }
  return p.result;
}

CVRX2DVector CSWCasementAwningQtrRound::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const double w = GetProposedWidth();
  const double h = GetProposedHeight();
  const double r = GetProposedArchRadius();
  const int k = ecatProposedOutline;
  Arch::AddLine(out, k, CVRX2DPoint(0.0, 0.0), CVRX2DPoint(w, 0.0));
  if (m_bLeft) {
    Arch::AddLine(out, k, CVRX2DPoint(w, 0.0), CVRX2DPoint(w, h));
    Arch::AddLine(out, k, CVRX2DPoint(w, h), CVRX2DPoint(r, h));
    Arch::AddArc(out, k, GetProposedArcCentre(), r, VRX_HALF_PI, VRX_PI);
    Arch::AddLine(out, k, CVRX2DPoint(0.0, h - r), CVRX2DPoint(0.0, 0.0));
  } else {
    Arch::AddLine(out, k, CVRX2DPoint(w, 0.0), CVRX2DPoint(w, h - r));
    Arch::AddArc(out, k, GetProposedArcCentre(), r, 0.0, VRX_HALF_PI);
    Arch::AddLine(out, k, CVRX2DPoint(w - r, h), CVRX2DPoint(0.0, h));
    Arch::AddLine(out, k, CVRX2DPoint(0.0, h), CVRX2DPoint(0.0, 0.0));
  }
  return m_vProposedOffset;
}

CSWCasementAwningQtrRoundRight::CSWCasementAwningQtrRoundRight()
  : CSWCasementAwningQtrRound("CR006", FALSE, kRightModule)
{}

CUnit& CSWCasementAwningQtrRoundRight::operator=(const CUnit& source)
{
  return AssignSameClass(source, kRightModule, kOtherClassAssignedLine);
}

CUnit* CSWCasementAwningQtrRoundRight::Clone() const { return new CSWCasementAwningQtrRoundRight(*this); }

CSWCasementAwningQtrRoundLeft::CSWCasementAwningQtrRoundLeft() : CSWCasementAwningQtrRound("CL006", TRUE, kLeftModule)
{}

CUnit& CSWCasementAwningQtrRoundLeft::operator=(const CUnit& source)
{
  return AssignSameClass(source, kLeftModule, kOtherClassAssignedLine);
}

CUnit* CSWCasementAwningQtrRoundLeft::Clone() const { return new CSWCasementAwningQtrRoundLeft(*this); }
