#include "units/freeform/Vgre.h"

#include <algorithm>

#include "model/Rptdata.h"
#include "model/Sizecomp.h"
#include "model/Unitexcp.h"
#include "support/Trace.h"
#include "units/freeform/Vgutil.h"

IMPLEMENT_DYNAMIC(CVGRectangle, CVarigonUnit)

namespace {
constexpr const char* kModule = "Vgre";
constexpr int kOtherClassAssignedLine = 60;
constexpr int kBadNumberLine = 75;
constexpr int kThreeLineLine = 317;
constexpr int kHandles = 4;

BOOL Refuse(const char* reason)
{
  PCTRACE(TT_UNIT, TL_VERBOSE)("VGRE: Are requested dimensions valid? NO (%s)\n", reason);
  return FALSE;
}

std::vector<CVRX2DPoint> Corners(double width, double height)
{
  return {CVRX2DPoint(0.0, 0.0), CVRX2DPoint(width, 0.0), CVRX2DPoint(width, height), CVRX2DPoint(0.0, height)};
}
}  // namespace

CVGRectangle::CVGRectangle() : CVarigonUnit("VG", "RE010") { ResetProposedSize(); }

CVGRectangle::CVGRectangle(const CVGRectangle& source)
  : CVarigonUnit(source), m_dHeight(source.m_dHeight), m_dWidth(source.m_dWidth)
{
  ResetProposedSize();
}

CUnit& CVGRectangle::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  const auto* other = dynamic_cast<const CVGRectangle*>(&source);
  if (!other)
    throw CUnitException(kModule, kOtherClassAssignedLine);
  CVarigonUnit::operator=(source);
  m_dHeight = other->m_dHeight;
  m_dWidth = other->m_dWidth;
  ResetProposedSize();
  return *this;
}

CUnit* CVGRectangle::Clone() const { return new CVGRectangle(*this); }

CString CVGRectangle::GetAttributes() const { return CUnit::GetAttributes() + vg::FormatValues({m_dHeight, m_dWidth}); }

void CVGRectangle::SetAttributes(CString& attributes)
{
  CUnit::SetAttributes(attributes);
  const double height = vg::ReadNumber(attributes, kModule, kBadNumberLine);
  const double width = vg::ReadNumber(attributes, kModule, kBadNumberLine);
  m_dHeight = height;
  m_dWidth = width;
  ResetProposedSize();
}

void CVGRectangle::GetPlanSectionEntities(double /*cutHeight*/, const CPlanSectionSwitches& switches,
                                          const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const
{
  vg::AddPlanSection(m_dWidth, 0.0, switches, preferences, out);
}

void CVGRectangle::GetReportData(CUnitInfoReportDataArray& records) const
{
  const int first = records.GetSize();
  CUnit::GetReportData(records);
  vg::ExtendKeys(records, first, vg::FormatValues({m_dHeight, m_dWidth}));
}

void CVGRectangle::GetReportData(CScheduleReportDataArray& rows) const
{
  const int first = rows.GetSize();
  CUnit::GetReportData(rows);
  vg::ExtendKeys(rows, first, vg::FormatValues({m_dHeight, m_dWidth}));
}

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
  if (!AreRequestedDimensionsValid(height, width))
    return outOfBoundsUnchanged;
  if (height == m_dProposedHeight && width == m_dProposedWidth)
    return inboundsUnchanged;
  m_dProposedHeight = height;
  m_dProposedWidth = width;
  m_vProposedOffset.Set(left ? dx : 0.0, bottom ? dy : 0.0);
  return inboundsChanged;
}

CVRX2DVector CVGRectangle::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  vg::AddPolygon(out, vg::catProposed, Corners(m_dProposedWidth, m_dProposedHeight));
  return m_vProposedOffset;
}

CVRX2DVector CVGRectangle::SetSizeToProposed()
{
  m_dHeight = m_dProposedHeight;
  m_dWidth = m_dProposedWidth;
  const CVRX2DVector offset = CUnit::SetSizeToProposed();
  ResetProposedSize();
  return offset;
}

void CVGRectangle::ResetProposedSize()
{
  m_dProposedHeight = m_dHeight;
  m_dProposedWidth = m_dWidth;
  CUnit::ResetProposedSize();
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

void CVGRectangle::GetDimensionLabels(CStringArray& labels) const
{
  labels.RemoveAll();
  labels.Add("Width:");
  labels.Add("Height:");
}

void CVGRectangle::GetDimensionValues(CArray<double, double>& values) const
{
  values.RemoveAll();
  values.Add(m_dWidth);
  values.Add(m_dHeight);
}

BOOL CVGRectangle::SetDimensionValues(const CArray<double, double>& values)
{
  if (values.GetSize() < 2 || !AreRequestedDimensionsValid(values[1], values[0]))
    return FALSE;
  m_dWidth = values[0];
  m_dHeight = values[1];
  ResetProposedSize();
  return TRUE;
}

BOOL CVGRectangle::AreRequestedDimensionsValid(double h, double w) const
{
  const CVgLimitsRec& limits = GetLimits();
  const double inset = limits.GetGlassInset();
  if (!vg::AllFinite({h, w}))
    return Refuse("dimension not a number");
  if (h < limits.GetMinSide())
    return Refuse("height too small");
  if (h > limits.GetMaxSide())
    return Refuse("height too large");
  if (w < limits.GetMinSide())
    return Refuse("width too small");
  if (w > limits.GetMaxSide())
    return Refuse("width too large");
  const double glassHeight = h - 2.0 * inset, glassWidth = w - 2.0 * inset;
  if (glassHeight < limits.GetMinGlassLine())
    return Refuse("glass height too small");
  if (glassWidth < limits.GetMinGlassLine())
    return Refuse("glass width too small");
  if (std::min(glassHeight, glassWidth) > limits.GetMaxShortGlassSide())
    return Refuse("short glass side too large");
  if (std::max(glassHeight, glassWidth) > limits.GetMaxLongGlassSide())
    return Refuse("long glass side too large");
  if (w * h / 144.0 > limits.GetMaxArea())
    return Refuse("area too large");
  return TRUE;
}
