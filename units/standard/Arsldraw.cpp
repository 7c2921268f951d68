// The single-leg members, handles, drag conforming and drawings. Both hands run counter-clockwise
// from the origin: the sill, then the leg and the arc in the order their corners come.
#include <algorithm>
#include <cmath>

#include "geometry/2darc.h"
#include "model/Entcat.h"
#include "model/Plansect.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "platform/core/Array.h"
#include "productdb/Elemcomp.h"
#include "units/standard/Arsl.h"

namespace {

CVRX2DArc MakeArc(int category, const CVRX2DVector& centre, double radius, const CVRXAngle& start, const CVRXAngle& end)
{
  return CVRX2DArc(category, centre.AsPoint(), radius, radius, CVRXAngle(), start, end);
}
}  // namespace

void CARSingleLeg::GetCorners(const CShape& s, CVRX2DPoint corners[3]) const
{
  corners[0] = CVRX2DPoint(0.0, 0.0);
  corners[1] = CVRX2DPoint(s.width, 0.0);
  corners[2] = CVRX2DPoint(LegX(s), LegHeight(s));
}

void CARSingleLeg::AppendShape(const CVRX2DPoint corners[3], const CVRX2DArc& arc, int category,
                               CVRX2DEntityArray& out) const
{
  for (int k = 0; k < 3; ++k) {
    if (k == ArcPart()) {
      auto* copy = arc.Clone();
      copy->SetCategory(category);
      out.Add(copy);
    } else
      out.Add(new CVRX2DLine(category, corners[k], corners[(k + 1) % 3]));
  }
}

void CARSingleLeg::BuildSizedComponents() const
{
  const CString type = GetType();
  const CString subtype = GetSubtype();
  const CElemCompRec arc(type, subtype, kCustomArchArchCode);
  const CElemCompRec leg(type, subtype, kCustomArchLegCode);
  const CElemCompRec sill(type, subtype, kCustomArchSillCode);
  CVRX2DPoint corners[3];
  GetCorners(Current(), corners);
  for (int k = 0; k < 3; ++k) {
    const CElemCompRec& element = k == 0 ? sill : k == LegPart() ? leg : arc;
    const char* code = k == 0 ? kCustomArchSillCode : k == LegPart() ? kCustomArchLegCode : kCustomArchArchCode;
    m_pSizedComponents->Add(new CSizedComponent(code, element.GetComponent(), "P", corners[k], corners[(k + 1) % 3]));
  }
}

void CARSingleLeg::GetOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  CVRX2DPoint corners[3];
  GetCorners(Current(), corners);
  const CVRX2DArc arc =
      MakeArc(catOutlinePerimeter, GetArchCentre(), GetBase(), ArcStartAngle(Current()), ArcEndAngle(Current()));
  AppendShape(corners, arc, catOutlinePerimeter, out);
}

// The centre line runs up from the arc centre to the height of the base.
void CARSingleLeg::GetPartOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  CVRX2DPoint corners[3];
  GetCorners(Current(), corners);
  const CVRX2DArc arc =
      MakeArc(ecatFramePartOutline, GetArchCentre(), GetBase(), ArcStartAngle(Current()), ArcEndAngle(Current()));
  AppendShape(corners, arc, ecatFramePartOutline, out);
  const CVRX2DPoint centre = GetArchCentre().AsPoint();
  out.Add(new CVRX2DLine(ecatCentreLine, centre, CVRX2DPoint(centre.GetX(), GetBase())));
}

void CARSingleLeg::GetSizingHandles(CSizingHandleArray& out) const
{
  out.RemoveAll();
  CVRX2DPoint corners[3];
  GetCorners(Current(), corners);
  for (const CVRX2DPoint& corner : corners)
    out.Add(new CSizingHandle(corner, CSizingHandle::allSides));
}

// Dragging the foot of the leg moves no side; another handle marks the side across from it.
void CARSingleLeg::GetSidesMovedByHandle(int handle, CDWordArray& flags) const
{
  flags.SetSize(3);
  const int foot = FootHandle();
  for (int i = 0; i < 3; ++i)
    flags[i] = handle != foot && i != foot && i != handle ? 1 : 0;
}

// The drawn leg top is the arc's own end, so line and arc meet.
CVRX2DVector CARSingleLeg::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const CShape s = Proposed();
  const CVRX2DArc arc = MakeArc(ecatProposedOutline, s.centre, GetBase(), ArcStartAngle(s), ArcEndAngle(s));
  CVRX2DPoint corners[3];
  GetCorners(s, corners);
  corners[2] = arc.GetPointAtAngle(LegTopAngle(s));
  AppendShape(corners, arc, ecatProposedOutline, out);
  return m_vProposedOffset;
}

// Dragging the leg-less sill end keeps the leg top; dragging the leg top keeps the leg-less end;
// dragging the foot of the leg keeps the arc's circle, slides the leg along it and cuts the arc
// where the raised or lowered sill meets it. A drag off the circle gives no number, which the
// chord check refuses.
int CARSingleLeg::ConformHandle(int handle, const CVRX2DVector& drag, int badHandleLine)
{
  const double dx = drag.GetX();
  const double dy = drag.GetY();
  if (dx == 0.0 && dy == 0.0)
    return inboundsUnchanged;
  const double w = GetWidth();
  const double h = GetLegHeight();
  const double side = Side();
  const BOOL right = IsLegOnRight();
  CVRX2DLine chord;
  CVRX2DVector shift;
  if (handle == 2) {
    chord = GetChordLine(h + dy, w + side * dx);
    shift = right ? CVRX2DVector(0.0, 0.0) : CVRX2DVector(dx, 0.0);
  } else if (handle == FootHandle()) {
    const double b = LeglessEndShift(dy);
    chord = GetChordLine(h - dy + LegTopRise(dx), w + side * dx + b);
    shift = right ? CVRX2DVector(-b, dy) : CVRX2DVector(dx, dy);
  } else if (handle == 1 - FootHandle()) {
    chord = GetChordLine(h - dy, w - side * dx);
    shift = right ? CVRX2DVector(dx, dy) : CVRX2DVector(0.0, dy);
  } else
    throw CUnitException(kSingleLegModule, badHandleLine);
  return ConformArchToChord(chord, shift);
}

// The section runs between the arc's crossings of the cut and the leg; a cut above the crown
// meets the circle at its top.
void CARSingleLeg::GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                                          const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const
{
  const CVRX2DVector centre = GetArchCentre();
  const double crossing =
      std::clamp(centre.GetX() - Side() * SqrtDiffSquares(GetBase(), cutHeight - centre.GetY()), 0.0, GetWidth());
  CPlanSectionUnitDimensions dimensions;
  dimensions.m_nPanelKinds[0] = CPlanSectionUnitDimensions::pkFixed;
  dimensions.m_nPanelCount = 1;
  dimensions.m_dPlanWidth = IsLegOnRight() ? GetWidth() - crossing : crossing;
  dimensions.m_dStartOffset = IsLegOnRight() ? crossing : 0.0;
  CPlanSection section;
  section.SetViewSwitches(switches);
  section.SetUnitDimensions(dimensions);
  section.SetViewPreferences(preferences);
  section.GetEntities(out);
}

void CARSingleLeg::AppendElevation(int n, CVRX2DEntityArray& out) const
{
  const CShape s = Current();
  const double sill = LineDistance(0, n);
  const CVRX2DPoint arcEnd(ArcSillLineX(s, n), sill);
  const CVRX2DPoint legFoot(LegLineX(s, n), sill);
  const CVRX2DPoint legTop(LegLineX(s, n), LegLineTop(s, n));
  CVRX2DPoint corners[3] = {legFoot, arcEnd, legTop};
  if (IsLegOnRight())
    std::swap(corners[0], corners[1]);
  const int arcPart = ArcPart();
  const CVRX2DArc arc =
      MakeArc(0, GetArchCentre(), GetBase() - LineDistance(arcPart, n), GetAngleFromArchCentre(corners[arcPart]),
              GetAngleFromArchCentre(corners[(arcPart + 1) % 3]));
  AppendShape(corners, arc, n == 1 ? ecatWindowElevationFrame : ecatWindowElevationGlassSash, out);
}

void CARSingleLeg::Get1LineElevationEntities(int, CVRX2DEntityArray& out) const { AppendElevation(1, out); }
void CARSingleLeg::Get2LineElevationEntities(int, CVRX2DEntityArray& out) const { AppendElevation(2, out); }
void CARSingleLeg::Get3LineElevationEntities(int, CVRX2DEntityArray& out) const { AppendElevation(3, out); }
