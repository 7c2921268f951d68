#include "units/standard/Swoc.h"

#include <cmath>

#include "geometry/2dline.h"
#include "geometry/Angle.h"
#include "model/Entcat.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "productdb/Elemcomp.h"
#include "units/standard/Archutil.h"
#include "units/standard/Stdsnap.h"

IMPLEMENT_DYNAMIC(CSWOctagon, CStandardUnit)

namespace {
constexpr const char* kModule = "Swoc";
constexpr int kOtherClassAssignedLine = 87;
constexpr int kBadHandleLine = 315;

constexpr const char* kHeadCode = "AG";
constexpr const char* kJambCode = "AP";
constexpr const char* kSillCode = "BJ";

const double kOctagonAngle = VRX_QUARTER_PI * 0.5;
// A drag may stray this far from the line through the vertex and its opposite.
const double kDragTolerance = 3.0 * kOctagonAngle;
constexpr int kVertexCount = 8;
constexpr int kDiagonalComponent = 7;

void SetWidthKey(CStdSizesRec& row, float width) { row.SetWidth(width); }
void SetHeightKey(CStdSizesRec& row, float height) { row.SetHeight(height); }
double WidthOf(const CStdSizesRec& row) { return row.GetWidth(); }

int Opposite(int handle) { return handle < 4 ? handle + 4 : handle - 4; }

// Widens the angle tolerance for the drag tests and puts it back on every way out.
class CAngleToleranceScope
{
public:
  explicit CAngleToleranceScope(double value) : m_dSaved(CVRXAngle::GetTolerance()) { CVRXAngle::SetTolerance(value); }
  ~CAngleToleranceScope() { CVRXAngle::SetTolerance(m_dSaved); }
  CAngleToleranceScope(const CAngleToleranceScope&) = delete;
  CAngleToleranceScope& operator=(const CAngleToleranceScope&) = delete;

private:
  double m_dSaved;
};
}  // namespace

CSWOctagon::CSWOctagon() : CStandardUnit("SW", "OC010") {}

CUnit& CSWOctagon::operator=(const CUnit& source) { return AssignSameClass(source, kModule, kOtherClassAssignedLine); }

CUnit* CSWOctagon::Clone() const { return new CSWOctagon(*this); }
double CSWOctagon::GetHeight() const { return GetWidth(); }
double CSWOctagon::GetProposedHeight() const { return GetProposedWidth(); }

double CSWOctagon::Side(double x) { return x * std::tan(kOctagonAngle); }
double CSWOctagon::Corner(double x) { return (x - Side(x)) * 0.5; }
double CSWOctagon::VertexDiameter(double x) { return (2.0 * Corner(x) + Side(x)) / std::cos(kOctagonAngle); }

void CSWOctagon::GetVertices(double w, CVRX2DPoint (&v)[8])
{
  const double c = Corner(w);
  const double c2 = c + Side(w);
  v[0] = CVRX2DPoint(c, 0.0);
  v[1] = CVRX2DPoint(c2, 0.0);
  v[2] = CVRX2DPoint(w, c);
  v[3] = CVRX2DPoint(w, c2);
  v[4] = CVRX2DPoint(c2, w);
  v[5] = CVRX2DPoint(c, w);
  v[6] = CVRX2DPoint(0.0, c2);
  v[7] = CVRX2DPoint(0.0, c);
}

// The section begins where the cut meets the left side: the inset from the unit's left edge.
void CSWOctagon::GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                                        const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const
{
  const double w = GetWidth();
  const double c1 = Corner(w);
  const double c2 = c1 + Side(w);
  const double y = Arch::Clamp(cutHeight, 0.0, w);
  const double inset = y < c1 ? c1 - y : y > c2 ? y - c2 : 0.0;
  Arch::AddPlanSection(switches, preferences, w - 2.0 * inset, inset, out);
}

void CSWOctagon::GetSizingHandles(CSizingHandleArray& out) const
{
  out.RemoveAll();
  const CSizedComponentArray& components = *GetSizedComponents();
  for (int i = 0; i < components.GetSize(); ++i)
    out.Add(new CSizingHandle(components[i]->GetStartPoint(), CSizingHandle::allSides));
}

void CSWOctagon::GetSidesMovedByHandle(int handle, CDWordArray& flags) const
{
  flags.SetSize(kVertexCount);
  for (int i = 0; i < kVertexCount; ++i)
    flags[i] = i == Opposite(handle) ? 1 : 0;
}

// Along the outward line, or back towards the opposite vertex without passing it.
BOOL CSWOctagon::IsDragAccepted(const CVRX2DPoint& opposite, const CVRX2DPoint& vertex, const CVRX2DVector& drag) const
{
  const CAngleToleranceScope scope(kDragTolerance);
  const CVRXAngle outward = opposite.AngleTo(vertex);
  const CVRXAngle direction = drag.GetAngle();
  if (direction == outward)
    return TRUE;
  return direction == outward + VRX_PI && opposite.AngleTo(vertex + drag) == outward;
}

int CSWOctagon::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  if (handle < 0 || handle >= kVertexCount)
    throw CUnitException(kModule, kBadHandleLine);
  if (!std::isfinite(drag.GetX()) || !std::isfinite(drag.GetY()))
    return outOfBoundsUnchanged;
  if (drag.GetX() == 0.0 && drag.GetY() == 0.0) {
    ResetProposedSize();
    return inboundsUnchanged;
  }
  CSizingHandleArray handles;
  GetSizingHandles(handles);
  const CVRX2DPoint& vertex = handles[handle]->GetPoint();
  const CVRX2DPoint& opposite = handles[Opposite(handle)]->GetPoint();
  if (!IsDragAccepted(opposite, vertex, drag))
    return outOfBoundsUnchanged;
  // Vertex diameters grow with the width, so the nearest diameter is the nearest width.
  const double w = GetWidth();
  const float target = static_cast<float>(std::cos(kOctagonAngle) * opposite.DistanceTo(vertex + drag));
  const CSizeSnap snap(CStdSizesRec::byWidthHeight, &SetWidthKey, &SetHeightKey, &WidthOf);
  CStdSizesRec chosen(GetCurrentSize());
  BOOL beyond = FALSE;
  if (!snap.Snap(GetCurrentSize(), target, w, chosen, beyond) || beyond)
    return outOfBoundsUnchanged;
  if (chosen.GetSizeCode() == GetProposedSize().GetSizeCode())
    return inboundsUnchanged;
  SetProposedSize(chosen);
  SetProposedDelta(handle, w, GetProposedWidth());
  return inboundsChanged;
}

// Keeps the opposite vertex where it is.
void CSWOctagon::SetProposedDelta(int handle, double w, double proposed)
{
  const double dc = Corner(proposed) - Corner(w);
  const double ds = Side(w) - Side(proposed) - dc;
  const double dw = w - proposed;
  const CVRX2DVector deltas[kVertexCount] = {CVRX2DVector(ds, dw),   CVRX2DVector(-dc, dw),  CVRX2DVector(0.0, ds),
                                             CVRX2DVector(0.0, -dc), CVRX2DVector(-dc, 0.0), CVRX2DVector(ds, 0.0),
                                             CVRX2DVector(dw, -dc),  CVRX2DVector(dw, ds)};
  m_vProposedOffset = deltas[handle];
}

CVRX2DVector CSWOctagon::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  CVRX2DPoint v[kVertexCount];
  GetVertices(GetProposedWidth(), v);
  for (int i = 0; i < kVertexCount; ++i)
    Arch::AddLine(out, ecatProposedOutline, v[i], v[(i + 1) % kVertexCount]);
  return m_vProposedOffset;
}

void CSWOctagon::BuildSizedComponents() const
{
  const CElemCompRec head(GetType(), GetSubtype(), kHeadCode);
  const CElemCompRec jamb(GetType(), GetSubtype(), kJambCode);
  const CElemCompRec sill(GetType(), GetSubtype(), kSillCode);
  CVRX2DPoint v[kVertexCount];
  GetVertices(GetWidth(), v);
  for (int i = 0; i < kVertexCount; ++i) {
    const char* code = i == 0 ? kSillCode : i == 4 ? kHeadCode : kJambCode;
    const CElemCompRec& row = i == 0 ? sill : i == 4 ? head : jamb;
    m_pSizedComponents->Add(new CSizedComponent(code, row.GetComponent(), "P", v[i], v[(i + 1) % kVertexCount]));
  }
}

void CSWOctagon::Get1LineElevationEntities(int, CVRX2DEntityArray& out) const { AddInsetOctagon(1, 46, out); }
void CSWOctagon::Get2LineElevationEntities(int, CVRX2DEntityArray& out) const { AddInsetOctagon(2, 47, out); }
void CSWOctagon::Get3LineElevationEntities(int, CVRX2DEntityArray& out) const { AddInsetOctagon(3, 47, out); }

void CSWOctagon::AddInsetOctagon(int line, int category, CVRX2DEntityArray& out) const
{
  const double w = GetWidth();
  const double d = GetComponentDistance(kDiagonalComponent, 0, line);
  const double t = d * std::tan(kOctagonAngle);
  const double p1 = Corner(w) + t;
  const double p2 = p1 + Side(w) - 2.0 * t;
  const double q = w - d;
  const CVRX2DPoint v[kVertexCount] = {CVRX2DPoint(p1, d), CVRX2DPoint(p2, d), CVRX2DPoint(q, p1), CVRX2DPoint(q, p2),
                                       CVRX2DPoint(p2, q), CVRX2DPoint(p1, q), CVRX2DPoint(d, p2), CVRX2DPoint(d, p1)};
  for (int i = 0; i < kVertexCount; ++i)
    Arch::AddLine(out, category, v[i], v[(i + 1) % kVertexCount]);
}
