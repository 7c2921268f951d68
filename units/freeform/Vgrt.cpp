#include "units/freeform/Vgrt.h"

#include <algorithm>
#include <cmath>

#include "model/Sizecomp.h"
#include "model/Unitexcp.h"

IMPLEMENT_DYNAMIC(CVGRightTriangle, CVarigonUnit)

namespace {
constexpr const char* kModule = "Vgrt";
constexpr const char* kTag = "VGRT";
constexpr int kOtherClassAssignedLine = 63;
constexpr int kBadNumberLine = 78;
constexpr int kParallelInsetLine = 372;
constexpr int kThreeLineLine = 388;
}  // namespace

CVGRightTriangle::CVGRightTriangle(const CString& lineCode, const CString& unitCode, int type)
  : CVarigonUnit(lineCode, unitCode), m_nType(type)
{
  ResetProposedSize();
}

CVGRightTriangle::CVGRightTriangle(const CVGRightTriangle& source) : CVarigonUnit(source), m_nType(source.m_nType)
{
  vg::CopyShape(*this, source, Shape());
}

const vg::CShape<CVGRightTriangle>& CVGRightTriangle::Shape()
{
  using U = CVGRightTriangle;
  static const vg::CShape<U> shape = {
      {kModule, kOtherClassAssignedLine, kBadNumberLine},
      {{&U::m_dBase, &U::m_dProposedBase}, {&U::m_dHeight, &U::m_dProposedHeight}},
      {{"Base:", 0}, {"Height:", 1}},
      &vg::Passes<U, 2>,
      &U::ResetProposedSize,
  };
  return shape;
}

// The other type is refused as another class would be.
CUnit& CVGRightTriangle::operator=(const CUnit& source)
{
  const auto* other = dynamic_cast<const CVGRightTriangle*>(&source);
  if (!other || other->m_nType != m_nType)
    throw CUnitException(kModule, kOtherClassAssignedLine);
  return vg::Assign(*this, source, Shape());
}

CString CVGRightTriangle::GetAttributes() const { return vg::GetAttributes(*this, Shape()); }
void CVGRightTriangle::SetAttributes(CString& attributes) { vg::SetAttributes(*this, attributes, Shape()); }

void CVGRightTriangle::GetReportData(CUnitInfoReportDataArray& records) const { vg::Report(*this, records, Shape()); }
void CVGRightTriangle::GetReportData(CScheduleReportDataArray& rows) const { vg::Report(*this, rows, Shape()); }
CVRX2DVector CVGRightTriangle::SetSizeToProposed() { return vg::TakeProposal(*this, Shape()); }

void CVGRightTriangle::ResetProposedSize()
{
  vg::DropProposal(*this, Shape());
  DiscardGeometry();
}

double CVGRightTriangle::Slope() const { return std::tan(std::atan(vg::Ratio(m_dHeight, m_dBase))); }

int CVGRightTriangle::Settle(double base, double height, const CVRX2DVector& offset)
{
  return vg::Settle(*this, Shape(), {base, height}, m_vProposedOffset, offset);
}

void CVGRightTriangle::Get1LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  vg::AddLines(out, vg::ComponentLines(*GetSizedComponents(), vg::catOneLine));
}

// The reference point lies an inch inside the right angle.
void CVGRightTriangle::Get2LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  const CVRX2DPoint reference(m_nType == 1 ? m_dBase - 1.0 : 1.0, 1.0);
  const std::vector<double> distances = {GetComponentDistance(0, -1, 2), GetComponentDistance(1, -1, 2),
                                         GetComponentDistance(2, -1, 2)};
  vg::AddInsetRing(out, vg::catTwoLine, vg::ComponentLines(*GetSizedComponents(), vg::catTwoLine), distances, reference,
                   kModule, kParallelInsetLine);
}

void CVGRightTriangle::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& /*out*/) const
{
  throw CUnitException(kModule, kThreeLineLine);
}

void CVGRightTriangle::GetDimensionLabels(CStringArray& labels) const { vg::Labels(Shape(), labels); }

void CVGRightTriangle::GetDimensionValues(CArray<double, double>& values) const { vg::Values(*this, Shape(), values); }

BOOL CVGRightTriangle::SetDimensionValues(const CArray<double, double>& values)
{
  return vg::SetValues(*this, Shape(), values);
}

// The area limit is applied to the enclosing rectangle, not to the triangle.
BOOL CVGRightTriangle::AreRequestedDimensionsValid(double b, double h) const
{
  const CVgLimitsRec& limits = GetLimits();
  if (!vg::AllFinite({b, h}))
    return vg::Refuse(kTag, "dimension not a number");
  if (b < limits.GetMinSide())
    return vg::Refuse(kTag, "sill too small", CSizeLimit::minSide, limits.GetMinSide());
  if (b > limits.GetMaxSide())
    return vg::Refuse(kTag, "sill too large", CSizeLimit::maxSide, limits.GetMaxSide());
  if (h < limits.GetMinSide())
    return vg::Refuse(kTag, "jamb too small", CSizeLimit::minSide, limits.GetMinSide());
  if (h > limits.GetMaxSide())
    return vg::Refuse(kTag, "jamb too large", CSizeLimit::maxSide, limits.GetMaxSide());
  const double head = std::sqrt(b * b + h * h);
  if (head < limits.GetMinSide())
    return vg::Refuse(kTag, "head too small", CSizeLimit::minSide, limits.GetMinSide());
  if (head > limits.GetMaxSide())
    return vg::Refuse(kTag, "head too large", CSizeLimit::maxSide, limits.GetMaxSide());
  const double theta = std::atan(h / b);
  if (theta < limits.GetMinAngle())
    return vg::Refuse(kTag, "head/sill angle too small", CSizeLimit::minAngle, limits.GetMinAngle());
  if (theta > limits.GetMaxAngle())
    return vg::Refuse(kTag, "head/sill angle too large", CSizeLimit::maxAngle, limits.GetMaxAngle());
  if (theta > vg::kHalfPi - limits.GetMinAngle())
    return vg::Refuse(kTag, "head/jamb angle too small", CSizeLimit::minAngle, limits.GetMinAngle());
  if (vg::kHalfPi - theta > limits.GetMaxAngle())
    return vg::Refuse(kTag, "head/jamb angle too large", CSizeLimit::maxAngle, limits.GetMaxAngle());
  if (b * h / 144.0 > limits.GetMaxArea())
    return vg::Refuse(kTag, "area too large", CSizeLimit::maxArea, limits.GetMaxArea());
  const std::vector<CVRX2DPoint> corners = {CVRX2DPoint(0.0, 0.0), CVRX2DPoint(b, 0.0), CVRX2DPoint(b, h)};
  std::vector<CVRX2DLine> glass;
  if (vg::ShortGlassLine(corners, limits.GetGlassInset(), CVRX2DPoint(b / 2.0, h / 4.0), limits.GetMinGlassLine(),
                         &glass) >= 0)
    return vg::Refuse(kTag, "glass line too small", CSizeLimit::minGlassLine, limits.GetMinGlassLine());
  const double sill = glass[0].GetLength();
  const double jamb = glass[1].GetEndPoint().GetY() - glass[0].GetEndPoint().GetY();
  if (std::max(sill, jamb) > limits.GetMaxLongGlassSide())
    return vg::Refuse(kTag, "long glass side too long", CSizeLimit::maxLongGlassSide, limits.GetMaxLongGlassSide());
  if (std::min(sill, jamb) > limits.GetMaxShortGlassSide())
    return vg::Refuse(kTag, "short glass side too long", CSizeLimit::maxShortGlassSide, limits.GetMaxShortGlassSide());
  return TRUE;
}
