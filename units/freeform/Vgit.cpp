#include "units/freeform/Vgit.h"

#include <algorithm>
#include <cmath>

#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"

IMPLEMENT_DYNAMIC(CVGIsocolesTriangle, CVarigonUnit)

namespace {
constexpr const char* kModule = "Vgit";
constexpr const char* kTag = "VGIT";
constexpr int kOtherClassAssignedLine = 62;
constexpr int kBadNumberLine = 80;
constexpr int kParallelInsetLine = 361;
constexpr int kThreeLineLine = 405;
constexpr int kHandles = 4;

std::vector<CVRX2DPoint> Corners(double base, double height)
{
  return {CVRX2DPoint(0.0, 0.0), CVRX2DPoint(base, 0.0), CVRX2DPoint(base / 2.0, height)};
}
}  // namespace

CVGIsocolesTriangle::CVGIsocolesTriangle() : CVarigonUnit("VG", "IT010") { ResetProposedSize(); }

CVGIsocolesTriangle::CVGIsocolesTriangle(const CVGIsocolesTriangle& source) : CVarigonUnit(source)
{
  vg::CopyShape(*this, source, Shape());
}

const vg::CShape<CVGIsocolesTriangle>& CVGIsocolesTriangle::Shape()
{
  using U = CVGIsocolesTriangle;
  static const vg::CShape<U> shape = {
      {kModule, kOtherClassAssignedLine, kBadNumberLine},
      {{&U::m_dBase, &U::m_dProposedBase}, {&U::m_dHeight, &U::m_dProposedHeight}},
      {{"Base:", 0}, {"Height:", 1}},
      &vg::Passes<U, 2>,
      &U::ResetProposedSize,
  };
  return shape;
}

// Assigning the unit to itself only drops a pending proposal.
CUnit& CVGIsocolesTriangle::operator=(const CUnit& source) { return vg::Assign(*this, source, Shape()); }
CUnit* CVGIsocolesTriangle::Clone() const { return new CVGIsocolesTriangle(*this); }
CString CVGIsocolesTriangle::GetAttributes() const { return vg::GetAttributes(*this, Shape()); }
void CVGIsocolesTriangle::SetAttributes(CString& attributes) { vg::SetAttributes(*this, attributes, Shape()); }

double CVGIsocolesTriangle::GetHeight() const { return m_dHeight; }
double CVGIsocolesTriangle::GetWidth() const { return m_dBase; }
double CVGIsocolesTriangle::GetProposedWidth() const { return m_dProposedBase; }
double CVGIsocolesTriangle::GetProposedHeight() const { return m_dProposedHeight; }

double CVGIsocolesTriangle::BaseAngle(double base, double height) { return std::atan(vg::Ratio(height, base / 2.0)); }

// The width of the triangle at the cut, centred on the sill; the cut is not clamped to the shape.
void CVGIsocolesTriangle::GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                                                 const CPlanSectionPreferences& preferences,
                                                 CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const double width = vg::Ratio(2.0 * (m_dHeight - cutHeight), std::tan(BaseAngle(m_dBase, m_dHeight)));
  vg::AddPlanSection(width, (m_dBase - width) / 2.0, switches, preferences, out);
}

void CVGIsocolesTriangle::GetReportData(CUnitInfoReportDataArray& records) const
{
  vg::Report(*this, records, Shape());
}

void CVGIsocolesTriangle::GetReportData(CScheduleReportDataArray& rows) const { vg::Report(*this, rows, Shape()); }

void CVGIsocolesTriangle::GetSizingHandles(CSizingHandleArray& out) const
{
  GetSizedComponents();
  out.RemoveAll();
  out.Add(new CSizingHandle(CVRX2DPoint(0.0, 0.0), vg::handleHorizontal));
  out.Add(new CSizingHandle(CVRX2DPoint(m_dBase / 2.0, 0.0), vg::handleVertical));
  out.Add(new CSizingHandle(CVRX2DPoint(m_dBase, 0.0), vg::handleHorizontal));
  out.Add(new CSizingHandle(CVRX2DPoint(m_dBase / 2.0, m_dHeight), vg::handleVertical));
}

void CVGIsocolesTriangle::GetSidesMovedByHandle(int handle, CDWordArray& flags) const
{
  vg::SetHandleFlags(flags, handle, {{2}, {3}, {0}, {0, 1, 2}});
}

// Dragging the sill's middle slides the sill along both jambs: the apex and the jamb directions
// stay. A zero drag asks for the current size.
int CVGIsocolesTriangle::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  if (handle < 0 || handle >= kHandles)
    return outOfBoundsUnchanged;
  const double dx = drag.GetX(), dy = drag.GetY();
  double base = m_dBase, height = m_dHeight;
  CVRX2DVector offset(0.0, 0.0);
  if (handle == 0) {
    base = m_dBase - dx;
    offset.Set(dx, 0.0);
  } else if (handle == 1) {
    const double k = vg::Ratio(dy, std::tan(BaseAngle(m_dBase, m_dHeight)));
    base = m_dBase - 2.0 * k;
    height = m_dHeight - dy;
    offset.Set(k, dy);
  } else if (handle == 2) {
    base = m_dBase + dx;
  } else {
    height = m_dHeight + dy;
  }
  return vg::Settle(*this, Shape(), {base, height}, m_vProposedOffset, offset);
}

CVRX2DVector CVGIsocolesTriangle::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  return vg::ProposedOutline(out, Corners(m_dProposedBase, m_dProposedHeight), m_vProposedOffset);
}

CVRX2DVector CVGIsocolesTriangle::SetSizeToProposed() { return vg::TakeProposal(*this, Shape()); }

void CVGIsocolesTriangle::ResetProposedSize()
{
  vg::DropProposal(*this, Shape());
  DiscardGeometry();
}

void CVGIsocolesTriangle::BuildSizedComponents() const
{
  const std::vector<CVRX2DPoint> c = Corners(m_dBase, m_dHeight);
  vg::BuildComponents(*m_pSizedComponents, "IT010", {{"BJ", c[0], c[1]}, {"AP", c[1], c[2]}, {"AP", c[2], c[0]}});
}

// The sill and both jambs moved in (the jambs by the right jamb's distance), cut at their crossings.
void CVGIsocolesTriangle::Get1LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  const double sill = GetComponentDistance(0, 0, -1), jamb = GetComponentDistance(1, 0, -1);
  vg::AddInsetRing(out, vg::catOneLine, vg::ComponentLines(*GetSizedComponents(), vg::catOneLine), {sill, jamb, jamb},
                   CVRX2DPoint(m_dBase / 2.0, m_dHeight / 2.0), kModule, kParallelInsetLine);
}

void CVGIsocolesTriangle::Get2LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  const double sill = GetComponentDistance(0, -1, 2), jamb = GetComponentDistance(1, -1, 2);
  vg::AddInsetRing(out, vg::catTwoLine, vg::ComponentLines(*GetSizedComponents(), vg::catTwoLine), {sill, jamb, jamb},
                   CVRX2DPoint(m_dBase / 2.0, m_dHeight / 2.0), kModule, kParallelInsetLine);
}

void CVGIsocolesTriangle::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& /*out*/) const
{
  throw CUnitException(kModule, kThreeLineLine);
}

void CVGIsocolesTriangle::GetDimensionLabels(CStringArray& labels) const { vg::Labels(Shape(), labels); }

void CVGIsocolesTriangle::GetDimensionValues(CArray<double, double>& values) const
{
  vg::Values(*this, Shape(), values);
}

BOOL CVGIsocolesTriangle::SetDimensionValues(const CArray<double, double>& values)
{
  return vg::SetValues(*this, Shape(), values);
}

// The area limit is applied to the enclosing rectangle, base times height.
BOOL CVGIsocolesTriangle::AreRequestedDimensionsValid(double b, double h) const
{
  const CVgLimitsRec& limits = GetLimits();
  if (!vg::AllFinite({b, h}))
    return vg::Refuse(kTag, "dimension not a number");
  const double alpha = BaseAngle(b, h);
  const double jamb = vg::Ratio(h, std::sin(alpha));
  if (b < limits.GetMinSide())
    return vg::Refuse(kTag, "sill too small", CSizeLimit::minSide, limits.GetMinSide());
  if (b > limits.GetMaxSide())
    return vg::Refuse(kTag, "base too large", CSizeLimit::maxSide, limits.GetMaxSide());
  if (jamb < limits.GetMinSide())
    return vg::Refuse(kTag, "jambs too small", CSizeLimit::minSide, limits.GetMinSide());
  if (jamb > limits.GetMaxSide())
    return vg::Refuse(kTag, "jambs too large", CSizeLimit::maxSide, limits.GetMaxSide());
  if (alpha < limits.GetMinAngle())
    return vg::Refuse(kTag, "sill/jamb angle too small", CSizeLimit::minAngle, limits.GetMinAngle());
  if (alpha > limits.GetMaxAngle())
    return vg::Refuse(kTag, "sill/jamb angle too large", CSizeLimit::maxAngle, limits.GetMaxAngle());
  if (vg::kPi - 2.0 * alpha < limits.GetMinAngle())
    return vg::Refuse(kTag, "jamb/jamb angle too small", CSizeLimit::minAngle, limits.GetMinAngle());
  if (vg::kPi - 2.0 * alpha > limits.GetMaxAngle())
    return vg::Refuse(kTag, "jamb/jamb angle too large", CSizeLimit::maxAngle, limits.GetMaxAngle());
  if (b * h / 144.0 > limits.GetMaxArea())
    return vg::Refuse(kTag, "area too large", CSizeLimit::maxArea, limits.GetMaxArea());
  std::vector<CVRX2DLine> glass;
  const char* reasons[] = {"sill glass line too small", "right jamb glass line too small",
                           "left jamb glass line too small"};
  const int shortLine = vg::ShortGlassLine(Corners(b, h), limits.GetGlassInset(), CVRX2DPoint(b / 2.0, h / 2.0),
                                           limits.GetMinGlassLine(), &glass);
  if (shortLine >= 0)
    return vg::Refuse(kTag, reasons[shortLine]);
  const double glassHeight = glass[1].GetEndPoint().GetY() - glass[0].GetEndPoint().GetY();
  const double glassSill = glass[0].GetLength();
  const bool sillShort = glassSill <= glassHeight;
  if ((sillShort ? glassHeight : glassSill) > limits.GetMaxLongGlassSide())
    return vg::Refuse(kTag, "long glass side too long", CSizeLimit::maxLongGlassSide, limits.GetMaxLongGlassSide());
  if ((sillShort ? glassSill : glassHeight) > limits.GetMaxShortGlassSide())
    return vg::Refuse(kTag, "short glass side too long", CSizeLimit::maxShortGlassSide, limits.GetMaxShortGlassSide());
  return vg::Accept(kTag);
}
