#include "units/freeform/Vgpp.h"

#include <cmath>

#include "model/Rptdata.h"
#include "model/Sizecomp.h"
#include "model/Unitexcp.h"
#include "support/Trace.h"
#include "units/freeform/Vgutil.h"

IMPLEMENT_DYNAMIC(CVGPeakPentagon, CVarigonUnit)

namespace {
constexpr const char* kModule = "Vgpp";
constexpr int kOtherClassAssignedLine = 72;
constexpr int kBadNumberLine = 90;
constexpr int kParallelInsetLine = 590;
constexpr int kThreeLineLine = 611;
constexpr int kHandles = 5;

BOOL Refuse(const char* reason)
{
  PCTRACE(TT_UNIT, TL_VERBOSE)("VGPP: Are requested dimensions valid? NO (%s)\n", reason);
  return FALSE;
}

std::vector<CVRX2DPoint> Corners(double base, double leftRight, double height)
{
  return {CVRX2DPoint(0.0, 0.0), CVRX2DPoint(base, 0.0), CVRX2DPoint(base, leftRight), CVRX2DPoint(base / 2.0, height),
          CVRX2DPoint(0.0, leftRight)};
}

// The slope of each head side, from the shoulder up to the peak.
double HeadSlope(double base, double leftRight, double height)
{
  return std::atan(vg::Ratio(height - leftRight, base / 2.0));
}
}  // namespace

CVGPeakPentagon::CVGPeakPentagon() : CVarigonUnit("VG", "PP010") { ResetProposedSize(); }

CVGPeakPentagon::CVGPeakPentagon(const CVGPeakPentagon& source)
  : CVarigonUnit(source), m_dBase(source.m_dBase), m_dHeight(source.m_dHeight), m_dLeftRight(source.m_dLeftRight)
{
  ResetProposedSize();
}

CUnit& CVGPeakPentagon::operator=(const CUnit& source)
{
  const auto* other = dynamic_cast<const CVGPeakPentagon*>(&source);
  if (!other)
    throw CUnitException(kModule, kOtherClassAssignedLine);
  CVarigonUnit::operator=(source);
  m_dBase = other->m_dBase;
  m_dHeight = other->m_dHeight;
  m_dLeftRight = other->m_dLeftRight;
  ResetProposedSize();
  return *this;
}

CUnit* CVGPeakPentagon::Clone() const { return new CVGPeakPentagon(*this); }

CString CVGPeakPentagon::GetAttributes() const
{
  return CUnit::GetAttributes() + vg::FormatValues({m_dBase, m_dLeftRight, m_dHeight});
}

void CVGPeakPentagon::SetAttributes(CString& attributes)
{
  CUnit::SetAttributes(attributes);
  const double base = vg::ReadNumber(attributes, kModule, kBadNumberLine);
  const double leftRight = vg::ReadNumber(attributes, kModule, kBadNumberLine);
  const double height = vg::ReadNumber(attributes, kModule, kBadNumberLine);
  m_dBase = base;
  m_dLeftRight = leftRight;
  m_dHeight = height;
  ResetProposedSize();
}

CString CVGPeakPentagon::GetSizeText(int lengthFormat) const
{
  return vg::SizeText(GetTypeDescription(), lengthFormat, {m_dProposedBase, m_dProposedLeftRight, m_dProposedHeight});
}

double CVGPeakPentagon::GetHeight() const { return m_dHeight; }
double CVGPeakPentagon::GetWidth() const { return m_dBase; }
double CVGPeakPentagon::GetProposedWidth() const { return m_dProposedBase; }
double CVGPeakPentagon::GetProposedHeight() const { return m_dProposedHeight; }

// Above the shoulders the section spans the two heads at the cut.
void CVGPeakPentagon::GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                                             const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const
{
  if (m_dLeftRight >= cutHeight) {
    vg::AddPlanSection(m_dBase, 0.0, switches, preferences, out);
    return;
  }
  const double slope = vg::Ratio(m_dHeight - m_dLeftRight, m_dBase / 2.0);
  vg::AddPlanSection(vg::Ratio(2.0 * (m_dHeight - cutHeight), slope), vg::Ratio(cutHeight - m_dLeftRight, slope),
                     switches, preferences, out);
}

void CVGPeakPentagon::GetReportData(CUnitInfoReportDataArray& records) const
{
  const int first = records.GetSize();
  CUnit::GetReportData(records);
  vg::ExtendKeys(records, first, vg::FormatValues({m_dBase, m_dLeftRight, m_dHeight}));
}

void CVGPeakPentagon::GetReportData(CScheduleReportDataArray& rows) const
{
  const int first = rows.GetSize();
  CUnit::GetReportData(rows);
  vg::ExtendKeys(rows, first, vg::FormatValues({m_dBase, m_dLeftRight, m_dHeight}));
}

void CVGPeakPentagon::GetSizingHandles(CSizingHandleArray& out) const
{
  vg::AddComponentHandles(out, *GetSizedComponents());
}

void CVGPeakPentagon::GetSidesMovedByHandle(int handle, CDWordArray& flags) const
{
  static const int anchors[kHandles] = {2, 4, 0, -1, 1};
  vg::SetFlags(flags, kHandles, {handle >= 0 && handle < kHandles ? anchors[handle] : -1});
}

// Dragged left or right, the peak widens the base by twice the drag and stays under the pointer.
// A zero drag asks for the current size.
int CVGPeakPentagon::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  if (handle < 0 || handle >= kHandles)
    return outOfBoundsUnchanged;
  const double dx = drag.GetX(), dy = drag.GetY();
  double base = m_dBase, leftRight = m_dLeftRight, height = m_dHeight;
  CVRX2DVector offset(0.0, 0.0);
  switch (handle) {
  case 0:
    base -= dx;
    leftRight -= dy;
    height -= dy;
    offset.Set(dx, dy);
    break;
  case 1:
    base += dx;
    leftRight -= dy;
    height -= dy;
    offset.Set(0.0, dy);
    break;
  case 2:
    base += dx;
    leftRight += dy;
    break;
  case 3:
    base += 2.0 * std::fabs(dx);
    height += dy;
    offset.Set(dx < 0.0 ? 2.0 * dx : 0.0, 0.0);
    break;
  default:
    base -= dx;
    leftRight += dy;
    offset.Set(dx, 0.0);
    break;
  }
  PCTRACE(TT_UNIT, TL_DETAIL)("***** CVGPeakPentagon::ConformProposedSize() *****\n");
  PCTRACE(TT_UNIT, TL_DETAIL)("Sizing Handle.......: %d\n", handle);
  PCTRACE(TT_UNIT, TL_DETAIL)("Sizing Vector.......: (%f, %f)\n", dx, dy);
  PCTRACE(TT_UNIT, TL_DETAIL)("Requested Base......: %f\n", base);
  PCTRACE(TT_UNIT, TL_DETAIL)("Requested Left/Right: %f\n", leftRight);
  PCTRACE(TT_UNIT, TL_DETAIL)("Requested Height....: %f\n", height);
  if (!AreRequestedDimensionsValid(base, leftRight, height)) {
    PCTRACE(TT_UNIT, TL_DETAIL)("Result..............: out-of-bounds; unchanged (invalid dimensions)\n");
    return outOfBoundsUnchanged;
  }
  if (base == m_dProposedBase && leftRight == m_dProposedLeftRight && height == m_dProposedHeight) {
    PCTRACE(TT_UNIT, TL_DETAIL)("Result..............: inbounds; unchanged\n");
    return inboundsUnchanged;
  }
  m_dProposedBase = base;
  m_dProposedLeftRight = leftRight;
  m_dProposedHeight = height;
  m_vProposedOffset = offset;
  PCTRACE(TT_UNIT, TL_DETAIL)("Base Point Delta....: (%f, %f)\n", offset.GetX(), offset.GetY());
  PCTRACE(TT_UNIT, TL_DETAIL)("Result..............: inbounds; changed\n");
  return inboundsChanged;
}

CVRX2DVector CVGPeakPentagon::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  vg::AddPolygon(out, vg::catProposed, Corners(m_dProposedBase, m_dProposedLeftRight, m_dProposedHeight));
  return m_vProposedOffset;
}

CVRX2DVector CVGPeakPentagon::SetSizeToProposed()
{
  m_dBase = m_dProposedBase;
  m_dLeftRight = m_dProposedLeftRight;
  m_dHeight = m_dProposedHeight;
  const CVRX2DVector offset = CUnit::SetSizeToProposed();
  ResetProposedSize();
  return offset;
}

void CVGPeakPentagon::ResetProposedSize()
{
  m_dProposedBase = m_dBase;
  m_dProposedLeftRight = m_dLeftRight;
  m_dProposedHeight = m_dHeight;
  CUnit::ResetProposedSize();
  DiscardGeometry();
}

void CVGPeakPentagon::BuildSizedComponents() const
{
  const std::vector<CVRX2DPoint> c = Corners(m_dBase, m_dLeftRight, m_dHeight);
  vg::BuildComponents(
      *m_pSizedComponents, "PP010",
      {{"BJ", c[0], c[1]}, {"AP", c[1], c[2]}, {"AG", c[2], c[3]}, {"AG", c[3], c[4]}, {"AP", c[4], c[0]}});
}

void CVGPeakPentagon::AddInsetOutline(CVRX2DEntityArray& out, int line1, int line2) const
{
  const double sill = GetComponentDistance(0, line1, line2);
  const double jamb = GetComponentDistance(4, line1, line2);
  const double head = GetComponentDistance(2, line1, line2);
  vg::AddInsetRing(out, vg::catTwoLine, vg::ComponentLines(*GetSizedComponents(), vg::catWork),
                   {sill, jamb, head, head, jamb}, CVRX2DPoint(m_dBase / 2.0, m_dLeftRight / 2.0), kModule,
                   kParallelInsetLine);
}

// Both elevations are inner outlines of the two-line category.
void CVGPeakPentagon::Get1LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  AddInsetOutline(out, 0, -1);
}

void CVGPeakPentagon::Get2LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  AddInsetOutline(out, -1, 2);
}

void CVGPeakPentagon::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& /*out*/) const
{
  throw CUnitException(kModule, kThreeLineLine);
}

void CVGPeakPentagon::GetDimensionLabels(CStringArray& labels) const
{
  labels.RemoveAll();
  labels.Add("Base:");
  labels.Add("Left/Right:");
  labels.Add("Height:");
}

void CVGPeakPentagon::GetDimensionValues(CArray<double, double>& values) const
{
  values.RemoveAll();
  values.Add(m_dBase);
  values.Add(m_dLeftRight);
  values.Add(m_dHeight);
}

BOOL CVGPeakPentagon::SetDimensionValues(const CArray<double, double>& values)
{
  if (values.GetSize() < 3 || !AreRequestedDimensionsValid(values[0], values[1], values[2]))
    return FALSE;
  m_dBase = values[0];
  m_dLeftRight = values[1];
  m_dHeight = values[2];
  ResetProposedSize();
  return TRUE;
}

// The angles come first; the area limit is applied to the enclosing rectangle, and the glass
// size limits to the glass rectangle, not to the glass lines.
BOOL CVGPeakPentagon::AreRequestedDimensionsValid(double B, double LR, double H) const
{
  const CVgLimitsRec& limits = GetLimits();
  if (!vg::AllFinite({B, LR, H}))
    return Refuse("dimension not a number");
  const double theta = HeadSlope(B, LR, H);
  const double head = vg::Ratio(B / 2.0, std::cos(theta));
  const double headHead = vg::kPi - 2.0 * theta, headJamb = theta + vg::kHalfPi;
  if (headHead < limits.GetMinAngle())
    return Refuse("head/head angle too small");
  if (!(headHead <= limits.GetMaxAngle()))
    return Refuse("head/head angle too large");
  if (headJamb < limits.GetMinAngle())
    return Refuse("head/jamb angle too small");
  if (!(headJamb <= limits.GetMaxAngle()))
    return Refuse("head/jamb angle too large");
  if (!(H >= LR))
    return Refuse("left/right greater than height");
  if (B < limits.GetMinSide())
    return Refuse("base too small");
  if (!(B <= limits.GetMaxSide()))
    return Refuse("base too large");
  if (LR < limits.GetMinSide())
    return Refuse("left/right too small");
  if (!(LR <= limits.GetMaxSide()))
    return Refuse("left/right too large");
  if (head < limits.GetMinSide())
    return Refuse("head too small");
  if (!(head <= limits.GetMaxSide()))
    return Refuse("head too large");
  if (!(B * H / 144.0 <= limits.GetMaxArea()))
    return Refuse("area too large");
  const double inset = limits.GetGlassInset();
  std::vector<CVRX2DLine> glass =
      vg::OffsetLines(vg::PolygonLines(Corners(B, LR, H), vg::catWork), {inset}, CVRX2DPoint(B / 2.0, LR / 2.0));
  if (!vg::CloseCorners(glass))
    return Refuse("glass line too small");
  for (const CVRX2DLine& line : glass)
    if (!(line.GetLength() >= limits.GetMinGlassLine()))
      return Refuse("glass line too small");
  const double glassWidth = B - 2.0 * inset, glassHeight = H - 2.0 * inset;
  const bool widthShort = glassWidth < glassHeight;
  if (!((widthShort ? glassWidth : glassHeight) <= limits.GetMaxShortGlassSide()))
    return Refuse("short glass line too large");
  if (!((widthShort ? glassHeight : glassWidth) <= limits.GetMaxLongGlassSide()))
    return Refuse("long glass line too large");
  PCTRACE(TT_UNIT, TL_VERBOSE)("VGPP: Are requested dimensions valid? YES\n");
  return TRUE;
}
