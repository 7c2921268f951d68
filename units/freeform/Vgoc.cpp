#include "units/freeform/Vgoc.h"

#include <cmath>

#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "support/Trace.h"

IMPLEMENT_DYNAMIC(CVGOctagon, CVarigonUnit)

namespace {
constexpr const char* kModule = "Vgoc";
constexpr const char* kTag = "VGOC";
constexpr int kOtherClassAssignedLine = 68;
constexpr int kBadNumberLine = 84;
constexpr int kThreeLineLine = 629;
constexpr int kHandles = 8;
// Width over side length, as stored (1 + sqrt 2 to nine places).
constexpr double kRatio = 2.414213562;

const double kCos45 = std::cos(vg::kQuarterPi);
const double kSin45 = std::sin(vg::kQuarterPi);

// From the left end of the bottom side counter-clockwise; the far sides lie at 2t + c.
std::vector<CVRX2DPoint> Corners(double side)
{
  const double t = side * kCos45, c = side;
  return {CVRX2DPoint(t, 0.0),           CVRX2DPoint(t + c, 0.0),
          CVRX2DPoint(2 * t + c, t),     CVRX2DPoint(2 * t + c, t + c),
          CVRX2DPoint(t + c, 2 * t + c), CVRX2DPoint(t, 2 * t + c),
          CVRX2DPoint(0.0, t + c),       CVRX2DPoint(0.0, t)};
}
}  // namespace

CVGOctagon::CVGOctagon() : CVarigonUnit("VG", "OC010"), m_dRatio(kRatio) { ValidateSize(); }

CVGOctagon::CVGOctagon(const CVGOctagon& source) : CVarigonUnit(source), m_dRatio(source.m_dRatio)
{
  vg::CopyShape(*this, source, Shape());
}

// The check takes the side length that the width gives.
const vg::CShape<CVGOctagon>& CVGOctagon::Shape()
{
  using U = CVGOctagon;
  static const vg::CShape<U> shape = {
      {kModule, kOtherClassAssignedLine, kBadNumberLine},
      {{&U::m_dWidth, &U::m_dProposedWidth}},
      {{"Unit Width", 0}},
      [](const U& unit, const std::vector<double>& v) {
        return unit.AreRequestedDimensionsValid(v[0] / unit.m_dRatio) != FALSE;
      },
      &U::ValidateSize,
  };
  return shape;
}

CUnit& CVGOctagon::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  if (const auto* other = dynamic_cast<const CVGOctagon*>(&source))
    m_dRatio = other->m_dRatio;
  return vg::Assign(*this, source, Shape());
}

CUnit* CVGOctagon::Clone() const { return new CVGOctagon(*this); }

void CVGOctagon::GetAnchorModeNames(CStringArray& names) const
{
  names.RemoveAll();
  names.Add("Anchor to adjacent handle");
  names.Add("Anchor to opposite side");
}

CString CVGOctagon::GetAttributes() const { return vg::GetAttributes(*this, Shape()); }
void CVGOctagon::SetAttributes(CString& attributes) { vg::SetAttributes(*this, attributes, Shape()); }

double CVGOctagon::GetHeight() const { return m_dWidth; }
double CVGOctagon::GetWidth() const { return m_dWidth; }
double CVGOctagon::GetProposedWidth() const { return m_dProposedWidth; }
double CVGOctagon::GetProposedHeight() const { return m_dProposedWidth; }
double CVGOctagon::GetAreaForSide(double side) { return std::pow(2.0 * side * kCos45 + side, 2.0) / 144.0; }
double CVGOctagon::GetUnitArea() const { return GetAreaForSide(m_dWidth / m_dRatio); }

void CVGOctagon::ValidateSize()
{
  PCTRACE(TT_UNIT, TL_VERBOSE)("***** CVGOctagon::ValidateSize() [protected method] *****\n");
  m_dProposedWidth = m_dWidth;
  DiscardGeometry();
  CUnit::ResetProposedSize();
  PCTRACE(TT_UNIT, TL_VERBOSE)("Unit Width.......: %f inches\n", m_dWidth);
  PCTRACE(TT_UNIT, TL_VERBOSE)("Unit Area........: %f square feet\n", GetUnitArea());
  PCTRACE(TT_UNIT, TL_VERBOSE)("Maximum Unit Area: %f square feet\n", GetLimits().GetMaxArea());
}

// In the corner zones the width grows by the cut height on each side.
void CVGOctagon::GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                                        const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const
{
  const double W = m_dWidth, c = W / m_dRatio, t = c * kCos45;
  if (cutHeight == 0.0) {
    vg::AddPlanSection(c, 0.0, switches, preferences, out);
    return;
  }
  if (cutHeight >= t && cutHeight <= t + c) {
    vg::AddPlanSection(W, 0.0, switches, preferences, out);
    return;
  }
  const double plan = cutHeight < t ? 2.0 * cutHeight + c : 2.0 * (W - cutHeight) + c;
  vg::AddPlanSection(plan, (W - plan) * 0.5, switches, preferences, out);
}

void CVGOctagon::GetReportData(CUnitInfoReportDataArray& records) const { vg::Report(*this, records, Shape()); }
void CVGOctagon::GetReportData(CScheduleReportDataArray& rows) const { vg::Report(*this, rows, Shape()); }

void CVGOctagon::GetSizingHandles(CSizingHandleArray& out) const
{
  vg::AddAnchoredHandles(out, *GetSizedComponents(), GetAnchorMode());
}

void CVGOctagon::GetSidesMovedByHandle(int handle, CDWordArray& flags) const
{
  const int step = GetAnchorMode() == 0 ? 7 : 4;
  vg::SetFlags(flags, kHandles, {handle >= 0 && handle < kHandles ? (handle + step) % kHandles : -1});
}

int CVGOctagon::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  return vg::ConformByAnchor(*this, handle, drag, kHandles, &CVGOctagon::ConformForAdjacentHandle,
                             &CVGOctagon::ConformForOppositeSide);
}

// The requested side runs from the vertex before the dragged one to the drag's foot on that
// side's line; the offset keeps that vertex in place.
int CVGOctagon::ConformForAdjacentHandle(int handle, const CVRX2DVector& drag)
{
  PCTRACE(TT_UNIT, TL_DETAIL)("***** CVGOctagon::ConformProposedSize() *****\n");
  PCTRACE(TT_UNIT, TL_DETAIL)("Unit Sizing Handle........: %d\n", handle);
  PCTRACE(TT_UNIT, TL_DETAIL)("Delta X...................: %f\n", drag.GetX());
  PCTRACE(TT_UNIT, TL_DETAIL)("Delta Y...................: %f\n", drag.GetY());
  CSizingHandleArray handles;
  GetSizingHandles(handles);
  const CVRX2DPoint P = handles[handle]->GetPoint();
  const CVRX2DPoint A = handles[(handle + 7) % kHandles]->GetPoint();
  const double W = m_dWidth, d = vg::Projection(A, P, P + drag);
  const double c0 = W / m_dRatio, W2 = m_dRatio * d, dc = std::fabs(d - c0);
  PCTRACE(TT_UNIT, TL_DETAIL)("Original Component Length.: %f\n", c0);
  PCTRACE(TT_UNIT, TL_DETAIL)("Requested Component Length: %f\n", d);
  PCTRACE(TT_UNIT, TL_DETAIL)("Component Delta...........: %f\n", dc);
  if (!AreRequestedDimensionsValid(d))
    return outOfBoundsUnchanged;
  if (W2 == m_dProposedWidth)
    return inboundsUnchanged;
  const double dW = std::fabs(W2 - W);
  PCTRACE(TT_UNIT, TL_DETAIL)("Original Unit Width.......: %f\n", W);
  PCTRACE(TT_UNIT, TL_DETAIL)("Requested Unit Width......: %f\n", W2);
  PCTRACE(TT_UNIT, TL_DETAIL)("Unit Width Delta..........: %f\n", dW);
  const double k = kCos45, sigma = d <= c0 ? 1.0 : -1.0, leg = k * dc, rest = dW - k * dc;
  const double offsets[kHandles][2] = {{0.0, leg}, {leg, 0.0}, {rest, 0.0}, {dW, leg},
                                       {dW, rest}, {rest, dW}, {leg, dW},   {0.0, rest}};
  m_vProposedOffset.Set(sigma * offsets[handle][0], sigma * offsets[handle][1]);
  PCTRACE(TT_UNIT, TL_DETAIL)
  ("Base Point Delta..........: (%f, %f)\n", m_vProposedOffset.GetX(), m_vProposedOffset.GetY());
  m_dProposedWidth = W2;
  PCTRACE(TT_UNIT, TL_DETAIL)("New Proposed Width........: %f\n", m_dProposedWidth);
  return inboundsChanged;
}

// The requested width is the drag's distance from the opposite side's midpoint, along the line
// between the two midpoints; the offset keeps the opposite side in place.
int CVGOctagon::ConformForOppositeSide(int handle, const CVRX2DVector& drag)
{
  CSizingHandleArray handles;
  GetSizingHandles(handles);
  const CVRX2DPoint P = handles[handle]->GetPoint(), Q = P + drag;
  const CVRX2DPoint A = handles[(handle + 4) % kHandles]->GetPoint();
  vg::TraceOppositeSideDrag("VGOC", *GetSizedComponents()->GetAt(handle), P, Q);
  const double D = vg::Projection(A, P, Q), D0 = A.DistanceTo(P);
  PCTRACE(TT_UNIT, TL_VERBOSE)("\tCurrent Distance........: %f\n", D);
  PCTRACE(TT_UNIT, TL_VERBOSE)("\tOriginal Distance.......: %f\n", D0);
  PCTRACE(TT_UNIT, TL_VERBOSE)("\tGetting Larger?.........: %s\n", D <= D0 ? "NO" : "YES");
  const double W = m_dWidth, c2 = D / m_dRatio, c0 = W / m_dRatio;
  if (!AreRequestedDimensionsValid(c2))
    return outOfBoundsUnchanged;
  if (D == m_dProposedWidth)
    return inboundsUnchanged;
  m_dProposedWidth = D;
  const double m = std::fabs(c2 - c0) * 0.5, u = kCos45 * m, v = kSin45 * m, sigma = D <= D0 ? 1.0 : -1.0;
  const double e = W - D;
  const double offsets[kHandles][2] = {
      {e * 0.5, e},   {sigma * u, e - sigma * v}, {0.0, e * 0.5}, {sigma * u, sigma * u},
      {e * 0.5, 0.0}, {e - sigma * u, sigma * v}, {e, e * 0.5},   {e - sigma * u, e - sigma * v}};
  m_vProposedOffset.Set(offsets[handle][0], offsets[handle][1]);
  return inboundsChanged;
}

CVRX2DVector CVGOctagon::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  const double side = m_dProposedWidth / m_dRatio;
  PCTRACE(TT_UNIT, TL_VERBOSE)("***** CVGOctagon::GetProposedOutlineEntities() *****\n");
  PCTRACE(TT_UNIT, TL_VERBOSE)("Proposed Unit Width.......: %f\n", m_dProposedWidth);
  PCTRACE(TT_UNIT, TL_VERBOSE)("Component Dimension.......: %f\n", side);
  PCTRACE(TT_UNIT, TL_VERBOSE)("Non-Hypotenuse Side.......: %f\n", side * kCos45);
  out.RemoveAll();
  // The far sides are drawn at the proposed width itself.
  std::vector<CVRX2DPoint> corners = Corners(side);
  for (int i : {2, 3})
    corners[i].SetX(m_dProposedWidth);
  for (int i : {4, 5})
    corners[i].SetY(m_dProposedWidth);
  vg::AddPolygon(out, vg::catProposed, corners);
  PCTRACE(TT_UNIT, TL_VERBOSE)
  ("Base Point Delta..........: (%f, %f)\n", m_vProposedOffset.GetX(), m_vProposedOffset.GetY());
  return m_vProposedOffset;
}

CVRX2DVector CVGOctagon::SetSizeToProposed() { return vg::TakeProposal(*this, Shape()); }

// A cancelled drag: the proposal and its offset are dropped; the geometry is the current one.
void CVGOctagon::ResetProposedSize() { vg::DropProposal(*this, Shape()); }

void CVGOctagon::BuildSizedComponents() const
{
  const std::vector<CVRX2DPoint> v = Corners(m_dWidth / m_dRatio);
  vg::BuildComponents(*m_pSizedComponents, "OC010",
                      {{"BJ", v[0], v[1]},
                       {"AP", v[1], v[2]},
                       {"AP", v[2], v[3]},
                       {"AP", v[3], v[4]},
                       {"AG", v[4], v[5]},
                       {"AP", v[5], v[6]},
                       {"AP", v[6], v[7]},
                       {"AP", v[7], v[0]}});
}

void CVGOctagon::Get1LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  vg::AddLines(out, vg::ComponentLines(*GetSizedComponents(), vg::catOneLine));
}

// Each end moved in by the bottom's distance between elevation lines -1 and 2, square to the
// sides that meet there, so that the inner octagon closes.
void CVGOctagon::Get2LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  const double e = GetComponentDistance(0, -1, 2), k = e * kCos45;
  const double moves[kHandles][4] = {{k, e, -k, e},   {-k, e, -e, k}, {-e, k, -e, -k}, {-e, -k, -k, -e},
                                     {-k, -e, k, -e}, {k, -e, e, -k}, {e, -k, e, k},   {e, k, k, e}};
  const CSizedComponentArray& components = *GetSizedComponents();
  for (int i = 0; i < components.GetSize() && i < kHandles; ++i) {
    const CVRX2DPoint start = components.GetAt(i)->GetStartPoint(), end = components.GetAt(i)->GetEndPoint();
    out.Add(new CVRX2DLine(vg::catTwoLine, start + CVRX2DVector(moves[i][0], moves[i][1]),
                           end + CVRX2DVector(moves[i][2], moves[i][3])));
  }
}

void CVGOctagon::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& /*out*/) const
{
  CUnitException e(kModule, kThreeLineLine);
  e.SetMessage("Unsupported method CVGOctagon::Get3LineElevationEntities() called.");
  throw e;
}

void CVGOctagon::GetDimensionLabels(CStringArray& labels) const { vg::Labels(Shape(), labels); }

void CVGOctagon::GetDimensionValues(CArray<double, double>& values) const { vg::Values(*this, Shape(), values); }

BOOL CVGOctagon::SetDimensionValues(const CArray<double, double>& values)
{
  return vg::SetValues(*this, Shape(), values);
}

// There is no glass-line test: the one glass test is the width across two opposite sides.
BOOL CVGOctagon::AreRequestedDimensionsValid(double side) const
{
  const CVgLimitsRec& limits = GetLimits();
  if (!vg::AllFinite({side}))
    return vg::Refuse(kTag, "dimension not a number");
  if (side < limits.GetMinSide())
    return vg::Refuse(kTag, "components too small", CSizeLimit::minSide, limits.GetMinSide());
  if (side > limits.GetMaxSide())
    return vg::Refuse(kTag, "components too large", CSizeLimit::maxSide, limits.GetMaxSide());
  if (GetAreaForSide(side) > limits.GetMaxArea())
    return vg::Refuse(kTag, "area too large", CSizeLimit::maxArea, limits.GetMaxArea());
  if (side + 2.0 * (side * kCos45 - limits.GetGlassInset()) > limits.GetMaxShortGlassSide())
    return vg::Refuse(kTag, "maximum short glass too long", CSizeLimit::maxShortGlassSide,
                      limits.GetMaxShortGlassSide());
  return vg::Accept(kTag);
}
