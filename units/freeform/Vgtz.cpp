#include "units/freeform/Vgtz.h"

#include <algorithm>
#include <cmath>

#include "model/Sizecomp.h"
#include "model/Unitexcp.h"

IMPLEMENT_DYNAMIC(CVGTrapezoid, CVarigonUnit)

namespace {
constexpr const char* kModule = "Vgtz";
constexpr const char* kTag = "VGTZ";
constexpr int kOtherClassAssignedLine = 66;
constexpr int kBadNumberLine = 82;
constexpr int kParallelInsetLine = 590;
constexpr int kThreeLineLine = 611;
constexpr int kHandles = 4;

std::vector<CVRX2DPoint> Corners(double base, double left, double right)
{
  return {CVRX2DPoint(0.0, 0.0), CVRX2DPoint(base, 0.0), CVRX2DPoint(base, right), CVRX2DPoint(0.0, left)};
}
}  // namespace

CVGTrapezoid::CVGTrapezoid() : CVarigonUnit("VG", "TZ010") { ResetProposedSize(); }

CVGTrapezoid::CVGTrapezoid(const CVGTrapezoid& source) : CVarigonUnit(source) { vg::CopyShape(*this, source, Shape()); }

const vg::CShape<CVGTrapezoid>& CVGTrapezoid::Shape()
{
  using U = CVGTrapezoid;
  static const vg::CShape<U> shape = {
      {kModule, kOtherClassAssignedLine, kBadNumberLine},
      {{&U::m_dBase, &U::m_dProposedBase}, {&U::m_dLeft, &U::m_dProposedLeft}, {&U::m_dRight, &U::m_dProposedRight}},
      {{"Base:", 0}, {"Left:", 1}, {"Right:", 2}},
      &vg::Passes<U, 3>,
      &U::ResetProposedSize,
  };
  return shape;
}

CUnit& CVGTrapezoid::operator=(const CUnit& source) { return vg::Assign(*this, source, Shape()); }
CUnit* CVGTrapezoid::Clone() const { return new CVGTrapezoid(*this); }
CString CVGTrapezoid::GetAttributes() const { return vg::GetAttributes(*this, Shape()); }
void CVGTrapezoid::SetAttributes(CString& attributes) { vg::SetAttributes(*this, attributes, Shape()); }
CString CVGTrapezoid::GetSizeText(int lengthFormat) const { return vg::GetSizeText(*this, Shape(), lengthFormat); }

double CVGTrapezoid::GetHeight() const { return m_dLeft > m_dRight ? m_dLeft : m_dRight; }
double CVGTrapezoid::GetWidth() const { return m_dBase; }
double CVGTrapezoid::GetProposedWidth() const { return m_dProposedBase; }
double CVGTrapezoid::GetProposedHeight() const { return std::max(m_dProposedLeft, m_dProposedRight); }
double CVGTrapezoid::GetHeadAngle() const { return std::atan(vg::Ratio(std::fabs(m_dLeft - m_dRight), m_dBase)); }

// Above the shorter jamb the section lies against the taller one.
void CVGTrapezoid::GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                                          const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const
{
  const double shorter = std::min(m_dLeft, m_dRight), taller = std::max(m_dLeft, m_dRight);
  if (cutHeight <= shorter) {
    vg::AddPlanSection(m_dBase, 0.0, switches, preferences, out);
    return;
  }
  const double width = vg::Ratio(taller - cutHeight, std::tan(GetHeadAngle()));
  vg::AddPlanSection(width, m_dLeft == shorter ? m_dBase - width : 0.0, switches, preferences, out);
}

void CVGTrapezoid::GetReportData(CUnitInfoReportDataArray& records) const { vg::Report(*this, records, Shape()); }
void CVGTrapezoid::GetReportData(CScheduleReportDataArray& rows) const { vg::Report(*this, rows, Shape()); }

void CVGTrapezoid::GetSizingHandles(CSizingHandleArray& out) const
{
  vg::AddComponentHandles(out, *GetSizedComponents());
}

void CVGTrapezoid::GetSidesMovedByHandle(int handle, CDWordArray& flags) const
{
  vg::SetHandleFlags(flags, handle, {{2}, {3}, {0, 3}, {1, 2}});
}

// The lower-left corner takes the whole drag and turns the head about its right end; the
// lower-right corner slides the right jamb along the head's line.
int CVGTrapezoid::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  if (handle < 0 || handle >= kHandles)
    return outOfBoundsUnchanged;
  const double vx = drag.GetX(), vy = drag.GetY();
  if (vx == 0.0 && vy == 0.0)
    return inboundsUnchanged;
  double base = m_dBase, left = m_dLeft, right = m_dRight;
  CVRX2DVector offset(0.0, 0.0);
  if (handle == 0) {
    base -= vx;
    left -= vy;
    right -= vy;
    offset.Set(vx, vy);
  } else if (handle == 1) {
    const double rise = std::fabs(vx) * std::tan(GetHeadAngle());
    base += vx;
    left -= vy;
    right -= vy;
    if ((vx > 0.0) == (m_dRight > m_dLeft))
      right += rise;
    else
      right -= rise;
    offset.Set(0.0, vy);
  } else if (handle == 2) {
    base += vx;
    right += vy;
  } else {
    base -= vx;
    left += vy;
    offset.Set(vx, 0.0);
  }
  return vg::Settle(*this, Shape(), {base, left, right}, m_vProposedOffset, offset);
}

CVRX2DVector CVGTrapezoid::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  return vg::ProposedOutline(out, Corners(m_dProposedBase, m_dProposedLeft, m_dProposedRight), m_vProposedOffset);
}

CVRX2DVector CVGTrapezoid::SetSizeToProposed() { return vg::TakeProposal(*this, Shape()); }

void CVGTrapezoid::ResetProposedSize()
{
  vg::DropProposal(*this, Shape());
  DiscardGeometry();
}

void CVGTrapezoid::BuildSizedComponents() const
{
  const std::vector<CVRX2DPoint> c = Corners(m_dBase, m_dLeft, m_dRight);
  vg::BuildComponents(*m_pSizedComponents, "TZ010",
                      {{"BJ", c[0], c[1]}, {"AP", c[1], c[2]}, {"AG", c[2], c[3]}, {"AP", c[3], c[0]}});
}

// Both jambs move in by the left jamb's distance, both ends of the head down by the head's.
void CVGTrapezoid::Get1LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  const double sill = GetComponentDistance(0, 0, -1);
  const double head = GetComponentDistance(2, 0, -1);
  const double jamb = GetComponentDistance(3, 0, -1);
  vg::AddPolygon(out, vg::catOneLine,
                 {CVRX2DPoint(jamb, sill), CVRX2DPoint(m_dBase - jamb, sill),
                  CVRX2DPoint(m_dBase - jamb, m_dRight - head), CVRX2DPoint(jamb, m_dLeft - head)});
}

void CVGTrapezoid::Get2LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  const double sill = GetComponentDistance(0, -1, 2);
  const double head = GetComponentDistance(2, -1, 2);
  const double jamb = GetComponentDistance(3, -1, 2);
  vg::AddInsetRing(out, vg::catTwoLine, vg::ComponentLines(*GetSizedComponents(), vg::catTwoLine),
                   {sill, jamb, head, jamb}, CVRX2DPoint(m_dBase / 2.0, std::min(m_dLeft, m_dRight) / 2.0), kModule,
                   kParallelInsetLine);
}

void CVGTrapezoid::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& /*out*/) const
{
  throw CUnitException(kModule, kThreeLineLine);
}

void CVGTrapezoid::GetDimensionLabels(CStringArray& labels) const { vg::Labels(Shape(), labels); }

void CVGTrapezoid::GetDimensionValues(CArray<double, double>& values) const { vg::Values(*this, Shape(), values); }

BOOL CVGTrapezoid::SetDimensionValues(const CArray<double, double>& values)
{
  return vg::SetValues(*this, Shape(), values);
}

// The area limit is applied to the enclosing rectangle, base times the taller jamb.
BOOL CVGTrapezoid::AreRequestedDimensionsValid(double b, double l, double r) const
{
  const CVgLimitsRec& limits = GetLimits();
  if (!vg::AllFinite({b, l, r}))
    return vg::Refuse(kTag, "dimension not a number");
  if (b < limits.GetMinSide())
    return vg::Refuse(kTag, "sill too small", CSizeLimit::minSide, limits.GetMinSide());
  if (b > limits.GetMaxSide())
    return vg::Refuse(kTag, "sill too large", CSizeLimit::maxSide, limits.GetMaxSide());
  if (l < limits.GetMinSide())
    return vg::Refuse(kTag, "left jamb too small", CSizeLimit::minSide, limits.GetMinSide());
  if (l > limits.GetMaxSide())
    return vg::Refuse(kTag, "left jamb too large", CSizeLimit::maxSide, limits.GetMaxSide());
  if (r < limits.GetMinSide())
    return vg::Refuse(kTag, "right jamb too small", CSizeLimit::minSide, limits.GetMinSide());
  if (r > limits.GetMaxSide())
    return vg::Refuse(kTag, "right jamb too large", CSizeLimit::maxSide, limits.GetMaxSide());
  if (CVRX2DPoint(0.0, r) == CVRX2DPoint(0.0, l))
    return vg::Refuse(kTag, "jamb-head angle is 90");
  const double alpha = std::atan(std::fabs(l - r) / b);
  const double head = b / std::cos(alpha);
  if (head < limits.GetMinSide())
    return vg::Refuse(kTag, "head too small", CSizeLimit::minSide, limits.GetMinSide());
  if (head > limits.GetMaxSide())
    return vg::Refuse(kTag, "head too large", CSizeLimit::maxSide, limits.GetMaxSide());
  if (vg::kHalfPi + alpha < limits.GetMinAngle())
    return vg::Refuse(kTag, "head/jamb angle too small", CSizeLimit::minAngle, limits.GetMinAngle());
  if (vg::kHalfPi + alpha > limits.GetMaxAngle())
    return vg::Refuse(kTag, "head/jamb angle too large", CSizeLimit::maxAngle, limits.GetMaxAngle());
  if (vg::kHalfPi - alpha < limits.GetMinAngle())
    return vg::Refuse(kTag, "head/jamb angle too small", CSizeLimit::minAngle, limits.GetMinAngle());
  if (vg::kHalfPi - alpha > limits.GetMaxAngle())
    return vg::Refuse(kTag, "head/jamb angle too large", CSizeLimit::maxAngle, limits.GetMaxAngle());
  if (b * std::max(l, r) / 144.0 > limits.GetMaxArea())
    return vg::Refuse(kTag, "area too large", CSizeLimit::maxArea, limits.GetMaxArea());
  std::vector<CVRX2DLine> glass;
  const char* reasons[] = {"sill glass length too small", "right jamb glass length too small",
                           "head glass length too small", "left jamb glass length too small"};
  const int shortLine =
      vg::ShortGlassLine(Corners(b, l, r), limits.GetGlassInset(), CVRX2DPoint(b / 2.0, std::min(l, r) / 2.0),
                         limits.GetMinGlassLine(), &glass);
  if (shortLine >= 0)
    return vg::Refuse(kTag, reasons[shortLine]);
  const double sill = glass[0].GetLength();
  const double jamb = (r < l ? glass[3] : glass[1]).GetLength();
  if ((sill < jamb ? jamb : sill) > limits.GetMaxLongGlassSide())
    return vg::Refuse(kTag, "long glass side too large", CSizeLimit::maxLongGlassSide, limits.GetMaxLongGlassSide());
  if ((sill < jamb ? sill : jamb) > limits.GetMaxShortGlassSide())
    return vg::Refuse(kTag, "short glass side too large", CSizeLimit::maxShortGlassSide, limits.GetMaxShortGlassSide());
  return vg::Accept(kTag);
}
