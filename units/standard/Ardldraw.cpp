// The double-leg members, handles, drag conforming and drawings.
#include <algorithm>
#include <cmath>
#include <memory>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "model/Entcat.h"
#include "model/Plansect.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "platform/core/Array.h"
#include "productdb/Elemcomp.h"
#include "units/standard/Ardl.h"

namespace {
constexpr const char* kModule = "Ardl";
constexpr int kBadHandleLine = 151;

CVRX2DArc* NewArc(int category, const CVRX2DVector& centre, double radius, const CVRXAngle& start, const CVRXAngle& end)
{
  return new CVRX2DArc(category, centre.AsPoint(), radius, radius, CVRXAngle(), start, end);
}

CVRX2DLine* NewLine(int category, double x0, double y0, double x1, double y1)
{
  return new CVRX2DLine(category, CVRX2DPoint(x0, y0), CVRX2DPoint(x1, y1));
}
}  // namespace

void CARDoubleLeg::BuildSizedComponents() const
{
  const CElemCompRec arch(kCustomArchLineCode, GetSubtype(), kCustomArchArchCode);
  const CElemCompRec leg(kCustomArchLineCode, GetSubtype(), kCustomArchLegCode);
  const CElemCompRec sill(kCustomArchLineCode, GetSubtype(), kCustomArchSillCode);
  const double w = GetWidth();
  const CVRX2DPoint origin(0.0, 0.0), right(w, 0.0), leftTop(0.0, GetLeftLegHeight()), rightTop(w, GetRightLegHeight());
  CSizedComponentArray& components = *m_pSizedComponents;
  components.Add(new CSizedComponent(kCustomArchSillCode, sill.GetComponent(), "P", origin, right));
  components.Add(new CSizedComponent(kCustomArchLegCode, leg.GetComponent(), "P", right, rightTop));
  components.Add(new CSizedComponent(kCustomArchArchCode, arch.GetComponent(), "P", rightTop, leftTop));
  components.Add(new CSizedComponent(kCustomArchLegCode, leg.GetComponent(), "P", leftTop, origin));
}

void CARDoubleLeg::GetSizingHandles(CSizingHandleArray& out) const
{
  out.RemoveAll();
  const double w = GetWidth();
  for (const CVRX2DPoint& p : {CVRX2DPoint(0.0, 0.0), CVRX2DPoint(w, 0.0), CVRX2DPoint(w, GetRightLegHeight()),
                               CVRX2DPoint(0.0, GetLeftLegHeight())})
    out.Add(new CSizingHandle(p, CSizingHandle::allSides));
}

void CARDoubleLeg::GetSidesMovedByHandle(int handle, CDWordArray& flags) const
{
  flags.SetSize(cComponentCount);
  for (int i = 0; i < cComponentCount; ++i)
    flags[i] = (handle <= 1 && i == handle + 2) || (handle >= 2 && i == handle - 2) ? 1 : 0;
}

// Unlocked, a bottom corner's leg follows the arc to the jamb's new place and then drops by the
// drag; locked, both legs move together.
int CARDoubleLeg::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  const double dx = drag.GetX();
  const double dy = drag.GetY();
  if (dx == 0.0 && dy == 0.0)
    return inboundsUnchanged;
  const double w = GetWidth();
  const double l = GetLeftLegHeight();
  const double r = GetRightLegHeight();
  double left = 0.0, right = 0.0, width = 0.0;
  CVRX2DVector move;
  switch (handle) {
  case 0:
    left = l - dy + (m_bLocked ? 0.0 : GetArcRiseBeyondLeftLeg(-dx));
    right = r - dy;
    width = w - dx;
    move.Set(dx, dy);
    break;
  case 1:
    left = l - dy;
    right = r - dy + (m_bLocked ? 0.0 : GetArcRiseBeyondRightLeg(dx));
    width = w + dx;
    move.Set(0.0, dy);
    break;
  case 2:
    left = m_bLocked ? l + dy : l;
    right = r + dy;
    width = w + dx;
    break;
  case 3:
    left = l + dy;
    right = m_bLocked ? r + dy : r;
    width = w - dx;
    move.Set(dx, 0.0);
    break;
  default:
    throw CUnitException(kModule, kBadHandleLine);
  }
  if (width <= 0.0)
    return outOfBoundsUnchanged;
  return ConformArchToChord(CVRX2DLine(0, CVRX2DPoint(0.0, left), CVRX2DPoint(width, right)), move);
}

void CARDoubleLeg::GetOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const CSizedComponentArray& components = *GetSizedComponents();
  for (int i = 0; i < components.GetSize(); ++i) {
    const CSizedComponent& c = *components.GetAt(i);
    if (i == cArch)
      out.Add(
          NewArc(catOutlinePerimeter, GetArchCentre(), GetBase(), ArcStartAngle(Current()), ArcEndAngle(Current())));
    else
      out.Add(new CVRX2DLine(catOutlinePerimeter, c.GetStartPoint(), c.GetEndPoint()));
  }
}

CVRX2DVector CARDoubleLeg::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const CShape s = Proposed();
  const double l = LeftLeg(s);
  const double r = RightLeg(s);
  out.Add(NewLine(ecatProposedOutline, 0.0, 0.0, s.width, 0.0));
  out.Add(NewLine(ecatProposedOutline, s.width, 0.0, s.width, r));
  out.Add(NewArc(ecatProposedOutline, s.centre, GetBase(), ArcStartAngle(s), ArcEndAngle(s)));
  out.Add(NewLine(ecatProposedOutline, 0.0, l, 0.0, 0.0));
  return m_vProposedOffset;
}

// A centred arc also shows the chord between the leg tops.
void CARDoubleLeg::GetPartOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const double w = GetWidth();
  const double h = GetHeight();
  const double l = GetLeftLegHeight();
  const double r = GetRightLegHeight();
  const CVRX2DVector centre = GetArchCentre();
  out.Add(NewLine(ecatFramePartOutline, 0.0, 0.0, w, 0.0));
  out.Add(NewLine(ecatFramePartOutline, w, 0.0, w, r));
  out.Add(NewLine(ecatConstruction, 0.0, h, w, h));
  out.Add(NewLine(ecatFramePartOutline, 0.0, l, 0.0, 0.0));
  out.Add(NewLine(ecatCentreLine, centre.GetX(), centre.GetY(), centre.GetX(), h));
  out.Add(NewArc(ecatFramePartOutline, centre, GetBase(), ArcStartAngle(Current()), ArcEndAngle(Current())));
  if (IsArcCentred())
    out.Add(NewLine(ecatConstruction, w, r, 0.0, l));
}

// The section spans the unit between its legs, or the arc's chord at the cut where a leg is
// lower than the cut; a cut above the crown meets the circle at its top, and the section never
// reaches past the unit.
void CARDoubleLeg::GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                                          const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const
{
  const CVRX2DVector centre = GetArchCentre();
  const double half = SqrtDiffSquares(GetBase(), cutHeight - centre.GetY());
  const double w = GetWidth();
  const BOOL leftReaches = GetLeftLegHeight() >= cutHeight;
  const BOOL rightReaches = GetRightLegHeight() >= cutHeight;
  const double start = leftReaches ? 0.0 : std::clamp(centre.GetX() - half, 0.0, w);
  const double end = rightReaches ? w : std::clamp(centre.GetX() + half, start, w);
  CPlanSectionUnitDimensions dimensions;
  dimensions.m_nPanelKinds[0] = CPlanSectionUnitDimensions::pkFixed;
  dimensions.m_nPanelCount = 1;
  dimensions.m_dPlanWidth = end - start;
  dimensions.m_dStartOffset = start;
  CPlanSection section;
  section.SetViewSwitches(switches);
  section.SetUnitDimensions(dimensions);
  section.SetViewPreferences(preferences);
  section.GetEntities(out);
}

// Line 2 joins a leg top that lies level with the centre, because the inset arc misses that
// jamb, to the arc's end.
void CARDoubleLeg::AppendElevation(int n, CVRX2DEntityArray& out) const
{
  const int category = n == 1 ? ecatWindowElevationFrame : ecatWindowElevationGlassSash;
  const double left = LineDistance(cLeftLeg, n);
  const double right = GetWidth() - LineDistance(cRightLeg, n);
  const double sill = LineDistance(cSill, n);
  const CVRX2DPoint a(left, sill), b(right, sill);
  const CVRX2DPoint e(left, GetLeftLegHeightAtLine(n)), d(right, GetRightLegHeightAtLine(n));
  std::unique_ptr<CVRX2DArc> arc(NewArc(category, GetArchCentre(), GetBase() - LineDistance(cArch, n),
                                        GetAngleFromArchCentre(d), GetAngleFromArchCentre(e)));
  CVRX2DPoint arcStart, arcEnd;
  arc->GetEndPoints(arcStart, arcEnd);
  const BOOL join = n == 2;
  out.Add(new CVRX2DLine(category, a, b));
  out.Add(new CVRX2DLine(category, b, d));
  if (join && d != arcStart)
    out.Add(new CVRX2DLine(category, d, arcStart));
  out.Add(arc.release());
  if (join && e != arcEnd)
    out.Add(new CVRX2DLine(category, arcEnd, e));
  out.Add(new CVRX2DLine(category, e, a));
}

void CARDoubleLeg::Get1LineElevationEntities(int, CVRX2DEntityArray& out) const { AppendElevation(1, out); }
void CARDoubleLeg::Get2LineElevationEntities(int, CVRX2DEntityArray& out) const { AppendElevation(2, out); }
void CARDoubleLeg::Get3LineElevationEntities(int, CVRX2DEntityArray& out) const { AppendElevation(3, out); }
