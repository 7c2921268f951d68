#include "units/freeform/Vgrt.h"

#include <algorithm>
#include <cmath>

#include "model/Rptdata.h"
#include "model/Sizecomp.h"
#include "model/Unitexcp.h"
#include "support/Trace.h"
#include "units/freeform/Vgutil.h"

IMPLEMENT_DYNAMIC(CVGRightTriangle, CVarigonUnit)

namespace {
constexpr const char* kModule = "Vgrt";
constexpr int kOtherClassAssignedLine = 63;
constexpr int kBadNumberLine = 78;
constexpr int kParallelInsetLine = 372;
constexpr int kThreeLineLine = 388;

BOOL Refuse(const char* reason)
{
  PCTRACE(TT_UNIT, TL_VERBOSE)("VGRT: Are requested dimensions valid? NO (%s)\n", reason);
  return FALSE;
}
}  // namespace

CVGRightTriangle::CVGRightTriangle(const CString& lineCode, const CString& unitCode, int type)
  : CVarigonUnit(lineCode, unitCode), m_nType(type)
{
  ResetProposedSize();
}

CVGRightTriangle::CVGRightTriangle(const CVGRightTriangle& source)
  : CVarigonUnit(source), m_dBase(source.m_dBase), m_dHeight(source.m_dHeight), m_nType(source.m_nType)
{
  ResetProposedSize();
}

CUnit& CVGRightTriangle::operator=(const CUnit& source)
{
  const auto* other = dynamic_cast<const CVGRightTriangle*>(&source);
  if (!other || other->m_nType != m_nType)
    throw CUnitException(kModule, kOtherClassAssignedLine);
  CVarigonUnit::operator=(source);
  m_dBase = other->m_dBase;
  m_dHeight = other->m_dHeight;
  ResetProposedSize();
  return *this;
}

CString CVGRightTriangle::GetAttributes() const
{
  return CUnit::GetAttributes() + vg::FormatValues({m_dBase, m_dHeight});
}

void CVGRightTriangle::SetAttributes(CString& attributes)
{
  CUnit::SetAttributes(attributes);
  const double base = vg::ReadNumber(attributes, kModule, kBadNumberLine);
  const double height = vg::ReadNumber(attributes, kModule, kBadNumberLine);
  m_dBase = base;
  m_dHeight = height;
  ResetProposedSize();
}

void CVGRightTriangle::GetReportData(CUnitInfoReportDataArray& records) const
{
  const int first = records.GetSize();
  CUnit::GetReportData(records);
  vg::ExtendKeys(records, first, vg::FormatValues({m_dBase, m_dHeight}));
}

void CVGRightTriangle::GetReportData(CScheduleReportDataArray& rows) const
{
  const int first = rows.GetSize();
  CUnit::GetReportData(rows);
  vg::ExtendKeys(rows, first, vg::FormatValues({m_dBase, m_dHeight}));
}

CVRX2DVector CVGRightTriangle::SetSizeToProposed()
{
  m_dBase = m_dProposedBase;
  m_dHeight = m_dProposedHeight;
  const CVRX2DVector offset = CUnit::SetSizeToProposed();
  ResetProposedSize();
  return offset;
}

void CVGRightTriangle::ResetProposedSize()
{
  m_dProposedBase = m_dBase;
  m_dProposedHeight = m_dHeight;
  CUnit::ResetProposedSize();
  DiscardGeometry();
}

double CVGRightTriangle::Slope() const { return std::tan(std::atan(vg::Ratio(m_dHeight, m_dBase))); }

int CVGRightTriangle::Settle(double base, double height, const CVRX2DVector& offset)
{
  if (!AreRequestedDimensionsValid(base, height))
    return outOfBoundsUnchanged;
  if (base == m_dProposedBase && height == m_dProposedHeight)
    return inboundsUnchanged;
  m_dProposedBase = base;
  m_dProposedHeight = height;
  m_vProposedOffset = offset;
  return inboundsChanged;
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

void CVGRightTriangle::GetDimensionLabels(CStringArray& labels) const
{
  labels.RemoveAll();
  labels.Add("Base:");
  labels.Add("Height:");
}

void CVGRightTriangle::GetDimensionValues(CArray<double, double>& values) const
{
  values.RemoveAll();
  values.Add(m_dBase);
  values.Add(m_dHeight);
}

BOOL CVGRightTriangle::SetDimensionValues(const CArray<double, double>& values)
{
  if (values.GetSize() < 2 || !AreRequestedDimensionsValid(values[0], values[1]))
    return FALSE;
  m_dBase = values[0];
  m_dHeight = values[1];
  ResetProposedSize();
  return TRUE;
}

// The area limit is applied to the enclosing rectangle, not to the triangle.
BOOL CVGRightTriangle::AreRequestedDimensionsValid(double b, double h) const
{
  const CVgLimitsRec& limits = GetLimits();
  if (!vg::AllFinite({b, h}))
    return Refuse("dimension not a number");
  if (b < limits.GetMinSide())
    return Refuse("sill too small");
  if (b > limits.GetMaxSide())
    return Refuse("sill too large");
  if (h < limits.GetMinSide())
    return Refuse("jamb too small");
  if (h > limits.GetMaxSide())
    return Refuse("jamb too large");
  const double head = std::sqrt(b * b + h * h);
  if (head < limits.GetMinSide())
    return Refuse("head too small");
  if (head > limits.GetMaxSide())
    return Refuse("head too large");
  const double theta = std::atan(h / b);
  if (theta < limits.GetMinAngle())
    return Refuse("head/sill angle too small");
  if (theta > limits.GetMaxAngle())
    return Refuse("head/sill angle too large");
  if (theta > vg::kHalfPi - limits.GetMinAngle())
    return Refuse("head/jamb angle too small");
  if (vg::kHalfPi - theta > limits.GetMaxAngle())
    return Refuse("head/jamb angle too large");
  if (b * h / 144.0 > limits.GetMaxArea())
    return Refuse("area too large");
  const std::vector<CVRX2DPoint> corners = {CVRX2DPoint(0.0, 0.0), CVRX2DPoint(b, 0.0), CVRX2DPoint(b, h)};
  std::vector<CVRX2DLine> glass =
      vg::OffsetLines(vg::PolygonLines(corners, vg::catWork), {limits.GetGlassInset()}, CVRX2DPoint(b / 2.0, h / 4.0));
  if (!vg::CloseCorners(glass))
    return Refuse("glass line too small");
  for (const CVRX2DLine& line : glass)
    if (line.GetLength() < limits.GetMinGlassLine())
      return Refuse("glass line too small");
  const double sill = glass[0].GetLength();
  const double jamb = glass[1].GetEndPoint().GetY() - glass[0].GetEndPoint().GetY();
  if (std::max(sill, jamb) > limits.GetMaxLongGlassSide())
    return Refuse("long glass side too long");
  if (std::min(sill, jamb) > limits.GetMaxShortGlassSide())
    return Refuse("short glass side too long");
  return TRUE;
}
