#include "units/freeform/Vghx.h"

#include <cmath>

#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "support/Trace.h"

IMPLEMENT_DYNAMIC(CVGHexagon, CVarigonUnit)

namespace {
constexpr const char* kModule = "Vghx";
constexpr int kOtherClassAssignedLine = 74;
constexpr int kBadNumberLine = 92;
constexpr int kParallelInsetLine = 520;
constexpr int kThreeLineLine = 533;
constexpr int kHandles = 7;

std::vector<CVRX2DPoint> Corners(double base, double leftRight, double top, double height)
{
  const double run = (base - top) / 2.0;
  return {CVRX2DPoint(0.0, 0.0),          CVRX2DPoint(base, 0.0),   CVRX2DPoint(base, leftRight),
          CVRX2DPoint(run + top, height), CVRX2DPoint(run, height), CVRX2DPoint(0.0, leftRight)};
}

// The slope of the sloped jambs.
double SlopeAngle(double base, double leftRight, double top, double height)
{
  return std::atan2(vg::Ratio(height - leftRight, (base - top) / 2.0), 1.0);
}
}  // namespace

CVGHexagon::CVGHexagon() : CVarigonUnit("VG", "HX010") { ResetProposedSize(); }

CVGHexagon::CVGHexagon(const CVGHexagon& source) : CVarigonUnit(source) { vg::CopyShape(*this, source, Shape()); }

const vg::CShape<CVGHexagon>& CVGHexagon::Shape()
{
  using U = CVGHexagon;
  static const vg::CShape<U> shape = {
      {kModule, kOtherClassAssignedLine, kBadNumberLine},
      {{&U::m_dBase, &U::m_dProposedBase},
       {&U::m_dLeftRight, &U::m_dProposedLeftRight},
       {&U::m_dTop, &U::m_dProposedTop},
       {&U::m_dHeight, &U::m_dProposedHeight}},
      {{"Base:", 0}, {"Left/Right:", 1}, {"Top:", 2}, {"Height:", 3}},
      &vg::Passes<U, 4>,
      &U::ResetProposedSize,
  };
  return shape;
}

CUnit& CVGHexagon::operator=(const CUnit& source) { return vg::Assign(*this, source, Shape()); }
CUnit* CVGHexagon::Clone() const { return new CVGHexagon(*this); }
CString CVGHexagon::GetAttributes() const { return vg::GetAttributes(*this, Shape()); }
void CVGHexagon::SetAttributes(CString& attributes) { vg::SetAttributes(*this, attributes, Shape()); }
CString CVGHexagon::GetSizeText(int lengthFormat) const { return vg::GetSizeText(*this, Shape(), lengthFormat); }

double CVGHexagon::GetHeight() const { return m_dHeight; }
double CVGHexagon::GetWidth() const { return m_dBase; }
double CVGHexagon::GetProposedWidth() const { return m_dProposedBase; }
double CVGHexagon::GetProposedHeight() const { return m_dProposedHeight; }

// Above the vertical jambs the section spans the sloped jambs at the cut.
void CVGHexagon::GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                                        const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const
{
  if (m_dLeftRight >= cutHeight) {
    vg::AddPlanSection(m_dBase, 0.0, switches, preferences, out);
    return;
  }
  const double t = std::tan(SlopeAngle(m_dBase, m_dLeftRight, m_dTop, m_dHeight));
  vg::AddPlanSection(m_dTop + vg::Ratio(2.0 * (m_dHeight - cutHeight), t), vg::Ratio(cutHeight - m_dLeftRight, t),
                     switches, preferences, out);
}

void CVGHexagon::GetReportData(CUnitInfoReportDataArray& records) const { vg::Report(*this, records, Shape()); }
void CVGHexagon::GetReportData(CScheduleReportDataArray& rows) const { vg::Report(*this, rows, Shape()); }

// The six corners, with one more handle in the middle of the head after the right head corner.
void CVGHexagon::GetSizingHandles(CSizingHandleArray& out) const
{
  const CSizedComponentArray& components = *GetSizedComponents();
  out.RemoveAll();
  for (int i = 0; i < components.GetSize(); ++i) {
    if (i == 4)
      out.Add(new CSizingHandle(CVRX2DPoint(m_dBase / 2.0, m_dHeight), vg::handleVertical));
    out.Add(new CSizingHandle(components.GetAt(i)->GetStartPoint(), vg::handleFree));
  }
}

void CVGHexagon::GetSidesMovedByHandle(int handle, CDWordArray& flags) const
{
  vg::SetHandleFlags(flags, handle, {{2}, {6}, {0}, {0, 1, 2, 6}, {0, 1, 2, 6}, {0, 1, 2, 6}, {1}});
}

// A head corner changes the top by twice the drag, so the head stays centred. A zero drag asks
// for the current size.
int CVGHexagon::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  if (handle < 0 || handle >= kHandles)
    return outOfBoundsUnchanged;
  const double dx = drag.GetX(), dy = drag.GetY();
  PCTRACE(TT_UNIT, TL_DETAIL)("***** CVGHexagon::ConformProposedSize() *****\n");
  PCTRACE(TT_UNIT, TL_DETAIL)("Sizing Handle............: %d\n", handle);
  PCTRACE(TT_UNIT, TL_DETAIL)("Sizing Vector............: (%f, %f)\n", dx, dy);
  PCTRACE(TT_UNIT, TL_DETAIL)("Current Base.............: %f\n", m_dBase);
  PCTRACE(TT_UNIT, TL_DETAIL)("Current Left/Right.......: %f\n", m_dLeftRight);
  PCTRACE(TT_UNIT, TL_DETAIL)("Current Top..............: %f\n", m_dTop);
  PCTRACE(TT_UNIT, TL_DETAIL)("Current Height...........: %f\n", m_dHeight);
  PCTRACE(TT_UNIT, TL_DETAIL)("Current Sloped Jamb Angle: %f\n", SlopeAngle(m_dBase, m_dLeftRight, m_dTop, m_dHeight));
  double base = m_dBase, leftRight = m_dLeftRight, top = m_dTop, height = m_dHeight;
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
    top += 2.0 * dx;
    height += dy;
    break;
  case 4:
    height += dy;
    break;
  case 5:
    top -= 2.0 * dx;
    height += dy;
    break;
  default:
    base -= dx;
    leftRight += dy;
    offset.Set(dx, 0.0);
    break;
  }
  PCTRACE(TT_UNIT, TL_DETAIL)("Requested Base...........: %f\n", base);
  PCTRACE(TT_UNIT, TL_DETAIL)("Requested Left/Right.....: %f\n", leftRight);
  PCTRACE(TT_UNIT, TL_DETAIL)("Requested Top............: %f\n", top);
  PCTRACE(TT_UNIT, TL_DETAIL)("Requested Height.........: %f\n", height);
  const int result = vg::Settle(*this, Shape(), {base, leftRight, top, height}, m_vProposedOffset, offset);
  return vg::TraceResult(result, offset,
                         {"Returned Result..........: out-of-bounds; unchanged\n",
                          "Returned Result..........: inbounds; unchanged\n",
                          "Base Point Delta..: ", "Returned Result...: inbounds; changed\n"});
}

CVRX2DVector CVGHexagon::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  return vg::ProposedOutline(out, Corners(m_dProposedBase, m_dProposedLeftRight, m_dProposedTop, m_dProposedHeight),
                             m_vProposedOffset);
}

CVRX2DVector CVGHexagon::SetSizeToProposed() { return vg::TakeProposal(*this, Shape()); }

void CVGHexagon::ResetProposedSize()
{
  vg::DropProposal(*this, Shape());
  DiscardGeometry();
}

void CVGHexagon::BuildSizedComponents() const
{
  const std::vector<CVRX2DPoint> c = Corners(m_dBase, m_dLeftRight, m_dTop, m_dHeight);
  vg::BuildComponents(*m_pSizedComponents, "HX010",
                      {{"BJ", c[0], c[1]},
                       {"AP", c[1], c[2]},
                       {"AP", c[2], c[3]},
                       {"AG", c[3], c[4]},
                       {"AP", c[4], c[5]},
                       {"AP", c[5], c[0]}});
}

void CVGHexagon::AddInsetOutline(CVRX2DEntityArray& out, int line1, int line2) const
{
  const double sill = GetComponentDistance(0, line1, line2);
  const double jamb = GetComponentDistance(1, line1, line2);
  const double head = GetComponentDistance(3, line1, line2);
  vg::AddInsetRing(out, vg::catOneLine, vg::ComponentLines(*GetSizedComponents(), vg::catOneLine),
                   {sill, jamb, jamb, head, jamb, jamb}, CVRX2DPoint(m_dBase / 2.0, m_dLeftRight / 2.0), kModule,
                   kParallelInsetLine);
}

// Both elevations are inner outlines of the one-line category.
void CVGHexagon::Get1LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const { AddInsetOutline(out, 0, -1); }

void CVGHexagon::Get2LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const { AddInsetOutline(out, -1, 2); }

void CVGHexagon::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& /*out*/) const
{
  throw CUnitException(kModule, kThreeLineLine);
}

void CVGHexagon::GetDimensionLabels(CStringArray& labels) const { vg::Labels(Shape(), labels); }

void CVGHexagon::GetDimensionValues(CArray<double, double>& values) const { vg::Values(*this, Shape(), values); }

BOOL CVGHexagon::SetDimensionValues(const CArray<double, double>& values)
{
  return vg::SetValues(*this, Shape(), values);
}

// The shape tests and the glass tests trace under two prefixes. The first two tests keep the run
// and the rise positive for all later ones. The area limit is applied to the enclosing rectangle
// and the glass size limits to the glass rectangle.
BOOL CVGHexagon::AreRequestedDimensionsValid(double base, double leftRight, double top, double height) const
{
  const CVgLimitsRec& limits = GetLimits();
  if (!vg::AllFinite({base, leftRight, top, height}))
    return vg::Refuse("VGFX", "dimension not a number");
  if (height <= leftRight)
    return vg::Refuse("VGFX", "left/right not smaller than height");
  if (top >= base)
    return vg::Refuse("VGFX", "top not smaller than base");
  const double run = (base - top) / 2.0, rise = height - leftRight;
  const double sloped = std::sqrt(rise * rise + run * run);
  const double theta = SlopeAngle(base, leftRight, top, height);
  const struct
  {
    double value;
    const char* small;
    const char* large;
  } sides[] = {{base, "base too small", "base too large"},
               {leftRight, "left/right too small", "left/right too large"},
               {sloped, "sloped jamb too small", "sloped jamb too large"},
               {top, "top too small", "top too large"}};
  for (const auto& side : sides) {
    if (side.value < limits.GetMinSide())
      return vg::Refuse("VGFX", side.small, CSizeLimit::minSide, limits.GetMinSide());
    if (side.value > limits.GetMaxSide())
      return vg::Refuse("VGFX", side.large, CSizeLimit::maxSide, limits.GetMaxSide());
  }
  const double jambJamb = vg::kHalfPi + theta, headJamb = (vg::kHalfPi - theta) + vg::kHalfPi;
  if (jambJamb < limits.GetMinAngle())
    return vg::Refuse("VGFX", "jamb/jamb angle too small", CSizeLimit::minAngle, limits.GetMinAngle());
  if (jambJamb > limits.GetMaxAngle())
    return vg::Refuse("VGFX", "jamb/jamb angle too large", CSizeLimit::maxAngle, limits.GetMaxAngle());
  if (headJamb < limits.GetMinAngle())
    return vg::Refuse("VGFX", "head/jamb angle too small", CSizeLimit::minAngle, limits.GetMinAngle());
  if (headJamb > limits.GetMaxAngle())
    return vg::Refuse("VGFX", "head/jamb angle too large", CSizeLimit::maxAngle, limits.GetMaxAngle());
  if (height * base / 144.0 > limits.GetMaxArea())
    return vg::Refuse("VGFX", "area too large", CSizeLimit::maxArea, limits.GetMaxArea());
  const double inset = limits.GetGlassInset();
  if (vg::ShortGlassLine(Corners(base, leftRight, top, height), inset, CVRX2DPoint(base / 2.0, leftRight / 2.0),
                         limits.GetMinGlassLine()) >= 0)
    return vg::Refuse("VGHX", "glass line too small", CSizeLimit::minGlassLine, limits.GetMinGlassLine());
  const double glassWidth = base - 2.0 * inset, glassHeight = height - 2.0 * inset;
  const bool widthShort = glassWidth < glassHeight;
  if ((widthShort ? glassWidth : glassHeight) > limits.GetMaxShortGlassSide())
    return vg::Refuse("VGHX", "short glass line too large", CSizeLimit::maxShortGlassSide,
                      limits.GetMaxShortGlassSide());
  if ((widthShort ? glassHeight : glassWidth) > limits.GetMaxLongGlassSide())
    return vg::Refuse("VGHX", "long glass line too large", CSizeLimit::maxLongGlassSide, limits.GetMaxLongGlassSide());
  return vg::Accept("VGFX");
}
