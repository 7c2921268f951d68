#include "units/freeform/Vgpp.h"

#include <cmath>

#include "model/Sizecomp.h"
#include "model/Unitexcp.h"
#include "support/Trace.h"

IMPLEMENT_DYNAMIC(CVGPeakPentagon, CVarigonUnit)

namespace {
constexpr const char* kModule = "Vgpp";
constexpr const char* kTag = "VGPP";
constexpr int kOtherClassAssignedLine = 72;
constexpr int kBadNumberLine = 90;
constexpr int kParallelInsetLine = 590;
constexpr int kThreeLineLine = 611;
constexpr int kHandles = 5;

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

CVGPeakPentagon::CVGPeakPentagon(const CVGPeakPentagon& source) : CVarigonUnit(source)
{
  vg::CopyShape(*this, source, Shape());
}

const vg::CShape<CVGPeakPentagon>& CVGPeakPentagon::Shape()
{
  using U = CVGPeakPentagon;
  static const vg::CShape<U> shape = {
      {kModule, kOtherClassAssignedLine, kBadNumberLine},
      {{&U::m_dBase, &U::m_dProposedBase},
       {&U::m_dLeftRight, &U::m_dProposedLeftRight},
       {&U::m_dHeight, &U::m_dProposedHeight}},
      {{"Base:", 0}, {"Left/Right:", 1}, {"Height:", 2}},
      &vg::Passes<U, 3>,
      &U::ResetProposedSize,
  };
  return shape;
}

CUnit& CVGPeakPentagon::operator=(const CUnit& source) { return vg::Assign(*this, source, Shape()); }
CUnit* CVGPeakPentagon::Clone() const { return new CVGPeakPentagon(*this); }
CString CVGPeakPentagon::GetAttributes() const { return vg::GetAttributes(*this, Shape()); }
void CVGPeakPentagon::SetAttributes(CString& attributes) { vg::SetAttributes(*this, attributes, Shape()); }
CString CVGPeakPentagon::GetSizeText(int lengthFormat) const { return vg::GetSizeText(*this, Shape(), lengthFormat); }

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

void CVGPeakPentagon::GetReportData(CUnitInfoReportDataArray& records) const { vg::Report(*this, records, Shape()); }
void CVGPeakPentagon::GetReportData(CScheduleReportDataArray& rows) const { vg::Report(*this, rows, Shape()); }

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
  const int result = vg::Settle(*this, Shape(), {base, leftRight, height}, m_vProposedOffset, offset);
  return vg::TraceResult(result, offset,
                         {"Result..............: out-of-bounds; unchanged (invalid dimensions)\n",
                          "Result..............: inbounds; unchanged\n",
                          "Base Point Delta....: ", "Result..............: inbounds; changed\n"});
}

CVRX2DVector CVGPeakPentagon::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  return vg::ProposedOutline(out, Corners(m_dProposedBase, m_dProposedLeftRight, m_dProposedHeight), m_vProposedOffset);
}

CVRX2DVector CVGPeakPentagon::SetSizeToProposed() { return vg::TakeProposal(*this, Shape()); }

void CVGPeakPentagon::ResetProposedSize()
{
  vg::DropProposal(*this, Shape());
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

void CVGPeakPentagon::GetDimensionLabels(CStringArray& labels) const { vg::Labels(Shape(), labels); }

void CVGPeakPentagon::GetDimensionValues(CArray<double, double>& values) const { vg::Values(*this, Shape(), values); }

BOOL CVGPeakPentagon::SetDimensionValues(const CArray<double, double>& values)
{
  return vg::SetValues(*this, Shape(), values);
}

// The angles come first; the area limit is applied to the enclosing rectangle, and the glass
// size limits to the glass rectangle, not to the glass lines.
BOOL CVGPeakPentagon::AreRequestedDimensionsValid(double B, double LR, double H) const
{
  const CVgLimitsRec& limits = GetLimits();
  if (!vg::AllFinite({B, LR, H}))
    return vg::Refuse(kTag, "dimension not a number");
  const double theta = HeadSlope(B, LR, H);
  const double head = vg::Ratio(B / 2.0, std::cos(theta));
  const double headHead = vg::kPi - 2.0 * theta, headJamb = theta + vg::kHalfPi;
  if (headHead < limits.GetMinAngle())
    return vg::Refuse(kTag, "head/head angle too small", CSizeLimit::minAngle, limits.GetMinAngle());
  if (!(headHead <= limits.GetMaxAngle()))
    return vg::Refuse(kTag, "head/head angle too large", CSizeLimit::maxAngle, limits.GetMaxAngle());
  if (headJamb < limits.GetMinAngle())
    return vg::Refuse(kTag, "head/jamb angle too small", CSizeLimit::minAngle, limits.GetMinAngle());
  if (!(headJamb <= limits.GetMaxAngle()))
    return vg::Refuse(kTag, "head/jamb angle too large", CSizeLimit::maxAngle, limits.GetMaxAngle());
  if (!(H >= LR))
    return vg::Refuse(kTag, "left/right greater than height");
  if (B < limits.GetMinSide())
    return vg::Refuse(kTag, "base too small", CSizeLimit::minSide, limits.GetMinSide());
  if (!(B <= limits.GetMaxSide()))
    return vg::Refuse(kTag, "base too large", CSizeLimit::maxSide, limits.GetMaxSide());
  if (LR < limits.GetMinSide())
    return vg::Refuse(kTag, "left/right too small", CSizeLimit::minSide, limits.GetMinSide());
  if (!(LR <= limits.GetMaxSide()))
    return vg::Refuse(kTag, "left/right too large", CSizeLimit::maxSide, limits.GetMaxSide());
  if (head < limits.GetMinSide())
    return vg::Refuse(kTag, "head too small", CSizeLimit::minSide, limits.GetMinSide());
  if (!(head <= limits.GetMaxSide()))
    return vg::Refuse(kTag, "head too large", CSizeLimit::maxSide, limits.GetMaxSide());
  if (!(B * H / 144.0 <= limits.GetMaxArea()))
    return vg::Refuse(kTag, "area too large", CSizeLimit::maxArea, limits.GetMaxArea());
  const double inset = limits.GetGlassInset();
  std::vector<CVRX2DLine> glass =
      vg::OffsetLines(vg::PolygonLines(Corners(B, LR, H), vg::catWork), {inset}, CVRX2DPoint(B / 2.0, LR / 2.0));
  if (!vg::CloseCorners(glass))
    return vg::Refuse(kTag, "glass line too small");
  for (const CVRX2DLine& line : glass)
    if (!(line.GetLength() >= limits.GetMinGlassLine()))
      return vg::Refuse(kTag, "glass line too small", CSizeLimit::minGlassLine, limits.GetMinGlassLine());
  const double glassWidth = B - 2.0 * inset, glassHeight = H - 2.0 * inset;
  const bool widthShort = glassWidth < glassHeight;
  if (!((widthShort ? glassWidth : glassHeight) <= limits.GetMaxShortGlassSide()))
    return vg::Refuse(kTag, "short glass line too large", CSizeLimit::maxShortGlassSide, limits.GetMaxShortGlassSide());
  if (!((widthShort ? glassHeight : glassWidth) <= limits.GetMaxLongGlassSide()))
    return vg::Refuse(kTag, "long glass line too large", CSizeLimit::maxLongGlassSide, limits.GetMaxLongGlassSide());
  return vg::Accept(kTag);
}
