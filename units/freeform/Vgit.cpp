#include "units/freeform/Vgit.h"

#include <algorithm>
#include <cmath>

#include "model/Rptdata.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "support/Trace.h"
#include "units/freeform/Vgutil.h"

IMPLEMENT_DYNAMIC(CVGIsocolesTriangle, CVarigonUnit)

namespace {
constexpr const char* kModule = "Vgit";
constexpr int kOtherClassAssignedLine = 62;
constexpr int kBadNumberLine = 80;
constexpr int kParallelInsetLine = 361;
constexpr int kThreeLineLine = 405;
constexpr int kHandles = 4;

BOOL Refuse(const char* reason)
{
  PCTRACE(TT_UNIT, TL_VERBOSE)("VGIT: Are requested dimensions valid? NO (%s)\n", reason);
  return FALSE;
}

std::vector<CVRX2DPoint> Corners(double base, double height)
{
  return {CVRX2DPoint(0.0, 0.0), CVRX2DPoint(base, 0.0), CVRX2DPoint(base / 2.0, height)};
}
}  // namespace

CVGIsocolesTriangle::CVGIsocolesTriangle() : CVarigonUnit("VG", "IT010") { ResetProposedSize(); }

CVGIsocolesTriangle::CVGIsocolesTriangle(const CVGIsocolesTriangle& source)
  : CVarigonUnit(source), m_dHeight(source.m_dHeight), m_dBase(source.m_dBase)
{
  ResetProposedSize();
}

// Assigning the unit to itself only drops a pending proposal.
CUnit& CVGIsocolesTriangle::operator=(const CUnit& source)
{
  const auto* other = dynamic_cast<const CVGIsocolesTriangle*>(&source);
  if (!other)
    throw CUnitException(kModule, kOtherClassAssignedLine);
  CVarigonUnit::operator=(source);
  m_dHeight = other->m_dHeight;
  m_dBase = other->m_dBase;
  ResetProposedSize();
  return *this;
}

CUnit* CVGIsocolesTriangle::Clone() const { return new CVGIsocolesTriangle(*this); }

CString CVGIsocolesTriangle::GetAttributes() const
{
  return CUnit::GetAttributes() + vg::FormatValues({m_dBase, m_dHeight});
}

void CVGIsocolesTriangle::SetAttributes(CString& attributes)
{
  CUnit::SetAttributes(attributes);
  const double base = vg::ReadNumber(attributes, kModule, kBadNumberLine);
  const double height = vg::ReadNumber(attributes, kModule, kBadNumberLine);
  m_dBase = base;
  m_dHeight = height;
  ResetProposedSize();
}

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
  const int first = records.GetSize();
  CUnit::GetReportData(records);
  vg::ExtendKeys(records, first, vg::FormatValues({m_dBase, m_dHeight}));
}

void CVGIsocolesTriangle::GetReportData(CScheduleReportDataArray& rows) const
{
  const int first = rows.GetSize();
  CUnit::GetReportData(rows);
  vg::ExtendKeys(rows, first, vg::FormatValues({m_dBase, m_dHeight}));
}

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
  switch (handle) {
  case 0:
    vg::SetFlags(flags, kHandles, {2});
    break;
  case 1:
    vg::SetFlags(flags, kHandles, {3});
    break;
  case 2:
    vg::SetFlags(flags, kHandles, {0});
    break;
  case 3:
    vg::SetFlags(flags, kHandles, {0, 1, 2});
    break;
  default:
    vg::SetFlags(flags, kHandles, {});
    break;
  }
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
  if (!AreRequestedDimensionsValid(base, height))
    return outOfBoundsUnchanged;
  if (base == m_dProposedBase && height == m_dProposedHeight)
    return inboundsUnchanged;
  m_dProposedBase = base;
  m_dProposedHeight = height;
  m_vProposedOffset = offset;
  return inboundsChanged;
}

CVRX2DVector CVGIsocolesTriangle::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  vg::AddPolygon(out, vg::catProposed, Corners(m_dProposedBase, m_dProposedHeight));
  return m_vProposedOffset;
}

CVRX2DVector CVGIsocolesTriangle::SetSizeToProposed()
{
  m_dBase = m_dProposedBase;
  m_dHeight = m_dProposedHeight;
  const CVRX2DVector offset = CUnit::SetSizeToProposed();
  ResetProposedSize();
  return offset;
}

void CVGIsocolesTriangle::ResetProposedSize()
{
  m_dProposedBase = m_dBase;
  m_dProposedHeight = m_dHeight;
  CUnit::ResetProposedSize();
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

void CVGIsocolesTriangle::GetDimensionLabels(CStringArray& labels) const
{
  labels.RemoveAll();
  labels.Add("Base:");
  labels.Add("Height:");
}

void CVGIsocolesTriangle::GetDimensionValues(CArray<double, double>& values) const
{
  values.RemoveAll();
  values.Add(m_dBase);
  values.Add(m_dHeight);
}

BOOL CVGIsocolesTriangle::SetDimensionValues(const CArray<double, double>& values)
{
  if (values.GetSize() < 2 || !AreRequestedDimensionsValid(values[0], values[1]))
    return FALSE;
  m_dBase = values[0];
  m_dHeight = values[1];
  ResetProposedSize();
  return TRUE;
}

// The area limit is applied to the enclosing rectangle, base times height.
BOOL CVGIsocolesTriangle::AreRequestedDimensionsValid(double b, double h) const
{
  const CVgLimitsRec& limits = GetLimits();
  if (!vg::AllFinite({b, h}))
    return Refuse("dimension not a number");
  const double alpha = BaseAngle(b, h);
  const double jamb = vg::Ratio(h, std::sin(alpha));
  if (b < limits.GetMinSide())
    return Refuse("sill too small");
  if (b > limits.GetMaxSide())
    return Refuse("base too large");
  if (jamb < limits.GetMinSide())
    return Refuse("jambs too small");
  if (jamb > limits.GetMaxSide())
    return Refuse("jambs too large");
  if (alpha < limits.GetMinAngle())
    return Refuse("sill/jamb angle too small");
  if (alpha > limits.GetMaxAngle())
    return Refuse("sill/jamb angle too large");
  if (vg::kPi - 2.0 * alpha < limits.GetMinAngle())
    return Refuse("jamb/jamb angle too small");
  if (vg::kPi - 2.0 * alpha > limits.GetMaxAngle())
    return Refuse("jamb/jamb angle too large");
  if (b * h / 144.0 > limits.GetMaxArea())
    return Refuse("area too large");
  std::vector<CVRX2DLine> glass = vg::OffsetLines(vg::PolygonLines(Corners(b, h), vg::catWork),
                                                  {limits.GetGlassInset()}, CVRX2DPoint(b / 2.0, h / 2.0));
  if (!vg::CloseCorners(glass))
    return Refuse("sill glass line too small");
  if (glass[0].GetLength() < limits.GetMinGlassLine())
    return Refuse("sill glass line too small");
  if (glass[1].GetLength() < limits.GetMinGlassLine())
    return Refuse("right jamb glass line too small");
  if (glass[2].GetLength() < limits.GetMinGlassLine())
    return Refuse("left jamb glass line too small");
  const double glassHeight = glass[1].GetEndPoint().GetY() - glass[0].GetEndPoint().GetY();
  const double glassSill = glass[0].GetLength();
  const bool sillShort = glassSill <= glassHeight;
  if ((sillShort ? glassHeight : glassSill) > limits.GetMaxLongGlassSide())
    return Refuse("long glass side too long");
  if ((sillShort ? glassSill : glassHeight) > limits.GetMaxShortGlassSide())
    return Refuse("short glass side too long");
  PCTRACE(TT_UNIT, TL_VERBOSE)("VGIT: Are requested dimensions valid? YES\n");
  return TRUE;
}
