#include "units/freeform/Vgrh.h"

#include <cmath>

#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"

IMPLEMENT_DYNAMIC(CVGRegularHexagon, CVarigonUnit)

namespace {
constexpr const char* kModule = "Vgrh";
constexpr const char* kTag = "VGRH";
constexpr int kOtherClassAssignedLine = 66;
constexpr int kBadNumberLine = 82;
constexpr int kParallelInsetLine = 470;
constexpr int kThreeLineLine = 488;
constexpr int kHandles = 6;
// The glass of a side is shorter than the side by the inset times this (2 / sqrt 3, as stored).
constexpr double kGlassFactor = 1.154700538;

const double kCos30 = std::cos(vg::kPi / 6.0);
const double kSin30 = std::sin(vg::kPi / 6.0);

// From the bottom vertex counter-clockwise.
std::vector<CVRX2DPoint> Corners(double height)
{
  const double side = height * 0.5, rise = side * kSin30, half = side * kCos30, width = height * kCos30;
  return {CVRX2DPoint(half, 0.0),    CVRX2DPoint(width, rise),      CVRX2DPoint(width, rise + side),
          CVRX2DPoint(half, height), CVRX2DPoint(0.0, rise + side), CVRX2DPoint(0.0, rise)};
}
}  // namespace

CVGRegularHexagon::CVGRegularHexagon() : CVarigonUnit("VG", "RH010") { CVGRegularHexagon::ResetProposedSize(); }

CVGRegularHexagon::CVGRegularHexagon(const CVGRegularHexagon& source) : CVarigonUnit(source)
{
  vg::CopyShape(*this, source, Shape());
}

const vg::CShape<CVGRegularHexagon>& CVGRegularHexagon::Shape()
{
  using U = CVGRegularHexagon;
  static const vg::CShape<U> shape = {
      {kModule, kOtherClassAssignedLine, kBadNumberLine},
      {{&U::m_dHeight, &U::m_dProposedHeight}},
      {{"Height:", 0}},
      &vg::Passes<U, 1>,
      &U::ResetProposedSize,
  };
  return shape;
}

CUnit& CVGRegularHexagon::operator=(const CUnit& source) { return vg::Assign(*this, source, Shape()); }
CUnit* CVGRegularHexagon::Clone() const { return new CVGRegularHexagon(*this); }

void CVGRegularHexagon::GetAnchorModeNames(CStringArray& names) const
{
  names.RemoveAll();
  names.Add("Anchor to adjacent handle");
  names.Add("Anchor to opposite side");
}

CString CVGRegularHexagon::GetAttributes() const { return vg::GetAttributes(*this, Shape()); }
void CVGRegularHexagon::SetAttributes(CString& attributes) { vg::SetAttributes(*this, attributes, Shape()); }

double CVGRegularHexagon::GetHeight() const { return m_dHeight; }
double CVGRegularHexagon::GetWidth() const { return kCos30 * m_dHeight; }
double CVGRegularHexagon::GetProposedWidth() const { return kCos30 * m_dProposedHeight; }
double CVGRegularHexagon::GetProposedHeight() const { return m_dProposedHeight; }

// Between the vertical sides the section is the whole width; above and below, the width between
// the slanted sides, centred.
void CVGRegularHexagon::GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                                               const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const
{
  const double side = m_dHeight * 0.5, rise = side * kSin30, width = GetWidth();
  const double tan30 = std::tan(vg::kPi / 6.0);
  if (cutHeight >= rise && cutHeight <= rise + side) {
    vg::AddPlanSection(width, 0.0, switches, preferences, out);
    return;
  }
  const double plan = cutHeight < rise ? 2.0 * cutHeight / tan30 : 2.0 * (m_dHeight - cutHeight) / tan30;
  vg::AddPlanSection(plan, (width - plan) * 0.5, switches, preferences, out);
}

void CVGRegularHexagon::GetReportData(CUnitInfoReportDataArray& records) const { vg::Report(*this, records, Shape()); }

void CVGRegularHexagon::GetReportData(CScheduleReportDataArray& rows) const { vg::Report(*this, rows, Shape()); }

void CVGRegularHexagon::GetSizingHandles(CSizingHandleArray& out) const
{
  vg::AddAnchoredHandles(out, *GetSizedComponents(), GetAnchorMode());
}

void CVGRegularHexagon::GetSidesMovedByHandle(int handle, CDWordArray& flags) const
{
  const int step = GetAnchorMode() == 1 ? 3 : 5;
  vg::SetFlags(flags, kHandles, {handle >= 0 && handle < kHandles ? (handle + step) % kHandles : -1});
}

int CVGRegularHexagon::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  return vg::ConformByAnchor(*this, handle, drag, kHandles, &CVGRegularHexagon::ConformForAdjacentHandle,
                             &CVGRegularHexagon::ConformForOppositeSide);
}

// The requested side runs from the vertex before the dragged one to the drag's foot on that
// side's line; the offset keeps that vertex in place.
int CVGRegularHexagon::ConformForAdjacentHandle(int handle, const CVRX2DVector& drag)
{
  const double H = m_dHeight, W = GetWidth(), s = H * 0.5, a = s * kSin30;
  CSizingHandleArray handles;
  GetSizingHandles(handles);
  const CVRX2DPoint P = handles[handle]->GetPoint();
  const CVRX2DPoint A = handles[(handle + 5) % kHandles]->GetPoint();
  const double d = vg::Projection(A, P, P + drag);
  const double H2 = d * 2.0, W2 = kCos30 * H2, a2 = d * kSin30;
  CVRX2DVector offset;
  switch (handle) {
  case 0:
    offset.Set(0.0, a - a2);
    break;
  case 1:
    offset.Set((W - W2) / 2.0, 0.0);
    break;
  case 2:
    offset.Set(W - W2, a - a2);
    break;
  case 3:
    offset.Set(W - W2, (a + s) - (a2 + d));
    break;
  case 4:
    offset.Set((W - W2) / 2.0, H - H2);
    break;
  default:
    offset.Set(0.0, (a - a2) + (s - d));
    break;
  }
  return Settle(H2, offset);
}

// The requested width is the drag's distance from the opposite side's midpoint, along the line
// between the two midpoints; the offset keeps the opposite side in place.
int CVGRegularHexagon::ConformForOppositeSide(int handle, const CVRX2DVector& drag)
{
  CSizingHandleArray handles;
  GetSizingHandles(handles);
  const CVRX2DPoint P = handles[handle]->GetPoint(), Q = P + drag;
  const CVRX2DPoint A = handles[(handle + 3) % kHandles]->GetPoint();
  vg::TraceOppositeSideDrag("VGRH", *GetSizedComponents()->GetAt(handle), P, Q);
  const double D = vg::Projection(A, P, Q);
  const bool growing = A.DistanceTo(P) < D;
  const double H = m_dHeight, W = kCos30 * H, s = H * 0.5;
  const double H2 = vg::Ratio(D, kCos30), s2 = H2 * 0.5;
  const double m = std::fabs(s2 - s) * 0.5, u = kCos30 * m, v = kSin30 * m, sigma = growing ? -1.0 : 1.0;
  CVRX2DVector offset;
  switch (handle) {
  case 0:
    offset.Set(sigma * u, (H - H2) - sigma * v);
    break;
  case 1:
    offset.Set(0.0, (H - H2) * 0.5);
    break;
  case 2:
    offset.Set(sigma * u, sigma * v);
    break;
  case 3:
    offset.Set((W - D) - sigma * u, sigma * v);
    break;
  case 4:
    offset.Set(W - D, (H - H2) * 0.5);
    break;
  default:
    offset.Set((W - D) - sigma * u, (H - H2) - sigma * v);
    break;
  }
  return Settle(H2, offset);
}

int CVGRegularHexagon::Settle(double height, const CVRX2DVector& offset)
{
  return vg::Settle(*this, Shape(), {height}, m_vProposedOffset, offset);
}

CVRX2DVector CVGRegularHexagon::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  return vg::ProposedOutline(out, Corners(m_dProposedHeight), m_vProposedOffset);
}

CVRX2DVector CVGRegularHexagon::SetSizeToProposed() { return vg::TakeProposal(*this, Shape()); }

void CVGRegularHexagon::ResetProposedSize()
{
  vg::DropProposal(*this, Shape());
  DiscardGeometry();
}

void CVGRegularHexagon::BuildSizedComponents() const
{
  const std::vector<CVRX2DPoint> v = Corners(m_dHeight);
  vg::BuildComponents(*m_pSizedComponents, "RH010",
                      {{"BJ", v[0], v[1]},
                       {"AP", v[1], v[2]},
                       {"AP", v[2], v[3]},
                       {"AG", v[3], v[4]},
                       {"AP", v[4], v[5]},
                       {"AP", v[5], v[0]}});
}

void CVGRegularHexagon::GetElevationOutline(CVRX2DEntityArray& out, int category, double d2, double d1, double d0) const
{
  vg::AddInsetRing(out, category, vg::ComponentLines(*GetSizedComponents(), category), {d0, d1, d2, d2, d1, d0},
                   CVRX2DPoint(GetWidth() * 0.5, GetHeight() * 0.5), kModule, kParallelInsetLine);
}

void CVGRegularHexagon::Get1LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  GetElevationOutline(out, vg::catOneLine, GetComponentDistance(2, 0, -1), GetComponentDistance(1, 0, -1),
                      GetComponentDistance(0, 0, -1));
}

void CVGRegularHexagon::Get2LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  GetElevationOutline(out, vg::catTwoLine, GetComponentDistance(2, -1, 2), GetComponentDistance(1, -1, 2),
                      GetComponentDistance(0, -1, 2));
}

void CVGRegularHexagon::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& /*out*/) const
{
  throw CUnitException(kModule, kThreeLineLine);
}

void CVGRegularHexagon::GetDimensionLabels(CStringArray& labels) const { vg::Labels(Shape(), labels); }

void CVGRegularHexagon::GetDimensionValues(CArray<double, double>& values) const { vg::Values(*this, Shape(), values); }

BOOL CVGRegularHexagon::SetDimensionValues(const CArray<double, double>& values)
{
  return vg::SetValues(*this, Shape(), values);
}

// The area limit is applied to the bounding rectangle, width times height.
BOOL CVGRegularHexagon::AreRequestedDimensionsValid(double height) const
{
  const CVgLimitsRec& limits = GetLimits();
  if (!vg::AllFinite({height}))
    return vg::Refuse(kTag, "dimension not a number");
  const double side = height * 0.5;
  if (side < limits.GetMinSide())
    return vg::Refuse(kTag, "components too small", CSizeLimit::minSide, limits.GetMinSide());
  if (side > limits.GetMaxSide())
    return vg::Refuse(kTag, "components too large", CSizeLimit::maxSide, limits.GetMaxSide());
  if (kCos30 * height * height / 144.0 > limits.GetMaxArea())
    return vg::Refuse(kTag, "area too large", CSizeLimit::maxArea, limits.GetMaxArea());
  const double glass = side - limits.GetGlassInset() * kGlassFactor;
  if (glass < limits.GetMinGlassLine())
    return vg::Refuse(kTag, "glass length too small", CSizeLimit::minGlassLine, limits.GetMinGlassLine());
  if (glass > limits.GetMaxLongGlassSide())
    return vg::Refuse(kTag, "long glass length too large", CSizeLimit::maxLongGlassSide, limits.GetMaxLongGlassSide());
  if (glass > limits.GetMaxShortGlassSide())
    return vg::Refuse(kTag, "short glass length too large", CSizeLimit::maxShortGlassSide,
                      limits.GetMaxShortGlassSide());
  return vg::Accept(kTag);
}
