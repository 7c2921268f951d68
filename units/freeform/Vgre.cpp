#include "units/freeform/Vgre.h"

#include <algorithm>

#include "model/Sizecomp.h"
#include "model/Unitexcp.h"
#include "support/Trace.h"

IMPLEMENT_DYNAMIC(CVGRectangle, CVarigonUnit)

namespace {
constexpr const char* kModule = "Vgre";
constexpr const char* kTag = "VGRE";
constexpr int kOtherClassAssignedLine = 60;
constexpr int kBadNumberLine = 75;
constexpr int kThreeLineLine = 317;
constexpr int kHandles = 4;

std::vector<CVRX2DPoint> Corners(double width, double height)
{
  return {CVRX2DPoint(0.0, 0.0), CVRX2DPoint(width, 0.0), CVRX2DPoint(width, height), CVRX2DPoint(0.0, height)};
}
}  // namespace

CVGRectangle::CVGRectangle() : CVarigonUnit("VG", "RE010") { ResetProposedSize(); }

CVGRectangle::CVGRectangle(const CVGRectangle& source) : CVarigonUnit(source) { vg::CopyShape(*this, source, Shape()); }

const vg::CShape<CVGRectangle>& CVGRectangle::Shape()
{
  using U = CVGRectangle;
  static const vg::CShape<U> shape = {
      {kModule, kOtherClassAssignedLine, kBadNumberLine},
      {{&U::m_dHeight, &U::m_dProposedHeight}, {&U::m_dWidth, &U::m_dProposedWidth}},
      {{"Width:", 1}, {"Height:", 0}},
      &vg::Passes<U, 2>,
      &U::ResetProposedSize,
  };
  return shape;
}

// Assigning the unit to itself keeps a pending proposal.
CUnit& CVGRectangle::operator=(const CUnit& source)
{
  return &source == this ? *this : vg::Assign(*this, source, Shape());
}

CUnit* CVGRectangle::Clone() const { return new CVGRectangle(*this); }
CString CVGRectangle::GetAttributes() const { return vg::GetAttributes(*this, Shape()); }
void CVGRectangle::SetAttributes(CString& attributes) { vg::SetAttributes(*this, attributes, Shape()); }

void CVGRectangle::GetPlanSectionEntities(double /*cutHeight*/, const CPlanSectionSwitches& switches,
                                          const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const
{
  vg::AddPlanSection(m_dWidth, 0.0, switches, preferences, out);
}

void CVGRectangle::GetReportData(CUnitInfoReportDataArray& records) const { vg::Report(*this, records, Shape()); }
void CVGRectangle::GetReportData(CScheduleReportDataArray& rows) const { vg::Report(*this, rows, Shape()); }

void CVGRectangle::GetSizingHandles(CSizingHandleArray& out) const
{
  vg::AddComponentHandles(out, *GetSizedComponents());
}

void CVGRectangle::GetSidesMovedByHandle(int handle, CDWordArray& flags) const
{
  vg::SetFlags(flags, kHandles, {handle >= 0 && handle < kHandles ? (handle + 2) % kHandles : -1});
}

int CVGRectangle::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  if (handle < 0 || handle >= kHandles)
    return outOfBoundsUnchanged;
  const double dx = drag.GetX(), dy = drag.GetY();
  if (dx == 0.0 && dy == 0.0) {
    PCTRACE(TT_UNIT, TL_WARNING)("CVGRectangle::ConformProposedSize(): sizing vector is (0.0, 0.0)!\n");
    return inboundsUnchanged;
  }
  const bool left = handle == 0 || handle == 3;
  const bool bottom = handle == 0 || handle == 1;
  const double height = bottom ? m_dHeight - dy : m_dHeight + dy;
  const double width = left ? m_dWidth - dx : m_dWidth + dx;
  const CVRX2DVector offset(left ? dx : 0.0, bottom ? dy : 0.0);
  return vg::Settle(*this, Shape(), {height, width}, m_vProposedOffset, offset);
}

CVRX2DVector CVGRectangle::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  return vg::ProposedOutline(out, Corners(m_dProposedWidth, m_dProposedHeight), m_vProposedOffset);
}

CVRX2DVector CVGRectangle::SetSizeToProposed() { return vg::TakeProposal(*this, Shape()); }

void CVGRectangle::ResetProposedSize()
{
  vg::DropProposal(*this, Shape());
  DiscardGeometry();
}

void CVGRectangle::BuildSizedComponents() const
{
  const std::vector<CVRX2DPoint> c = Corners(m_dWidth, m_dHeight);
  vg::BuildComponents(*m_pSizedComponents, "RE010",
                      {{"BJ", c[0], c[1]}, {"AP", c[1], c[2]}, {"AG", c[2], c[3]}, {"AP", c[3], c[0]}});
}

void CVGRectangle::Get1LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  vg::AddPolygon(out, vg::catOneLine, Corners(m_dWidth, m_dHeight));
}

// Both jambs are set in by the right jamb's distance.
void CVGRectangle::Get2LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  const double s = GetComponentDistance(0, 0, 2);
  const double j = GetComponentDistance(1, 0, 2);
  const double t = GetComponentDistance(2, 0, 2);
  vg::AddPolygon(out, vg::catTwoLine,
                 {CVRX2DPoint(j, s), CVRX2DPoint(m_dWidth - j, s), CVRX2DPoint(m_dWidth - j, m_dHeight - t),
                  CVRX2DPoint(j, m_dHeight - t)});
}

void CVGRectangle::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& /*out*/) const
{
  throw CUnitException(kModule, kThreeLineLine);
}

void CVGRectangle::GetDimensionLabels(CStringArray& labels) const { vg::Labels(Shape(), labels); }

void CVGRectangle::GetDimensionValues(CArray<double, double>& values) const { vg::Values(*this, Shape(), values); }

BOOL CVGRectangle::SetDimensionValues(const CArray<double, double>& values)
{
  return vg::SetValues(*this, Shape(), values);
}

BOOL CVGRectangle::AreRequestedDimensionsValid(double h, double w) const
{
  const CVgLimitsRec& limits = GetLimits();
  const double inset = limits.GetGlassInset();
  if (!vg::AllFinite({h, w}))
    return vg::Refuse(kTag, "dimension not a number");
  if (h < limits.GetMinSide())
    return vg::Refuse(kTag, "height too small", CSizeLimit::minSide, limits.GetMinSide());
  if (h > limits.GetMaxSide())
    return vg::Refuse(kTag, "height too large", CSizeLimit::maxSide, limits.GetMaxSide());
  if (w < limits.GetMinSide())
    return vg::Refuse(kTag, "width too small", CSizeLimit::minSide, limits.GetMinSide());
  if (w > limits.GetMaxSide())
    return vg::Refuse(kTag, "width too large", CSizeLimit::maxSide, limits.GetMaxSide());
  const double glassHeight = h - 2.0 * inset, glassWidth = w - 2.0 * inset;
  if (glassHeight < limits.GetMinGlassLine())
    return vg::Refuse(kTag, "glass height too small", CSizeLimit::minGlassLine, limits.GetMinGlassLine());
  if (glassWidth < limits.GetMinGlassLine())
    return vg::Refuse(kTag, "glass width too small", CSizeLimit::minGlassLine, limits.GetMinGlassLine());
  if (std::min(glassHeight, glassWidth) > limits.GetMaxShortGlassSide())
    return vg::Refuse(kTag, "short glass side too large", CSizeLimit::maxShortGlassSide, limits.GetMaxShortGlassSide());
  if (std::max(glassHeight, glassWidth) > limits.GetMaxLongGlassSide())
    return vg::Refuse(kTag, "long glass side too large", CSizeLimit::maxLongGlassSide, limits.GetMaxLongGlassSide());
  if (w * h / 144.0 > limits.GetMaxArea())
    return vg::Refuse(kTag, "area too large", CSizeLimit::maxArea, limits.GetMaxArea());
  return TRUE;
}
