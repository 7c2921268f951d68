#include "units/freeform/Vghx.h"

#include <cmath>

#include "model/Rptdata.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "support/Trace.h"
#include "units/freeform/Vgutil.h"

IMPLEMENT_DYNAMIC(CVGHexagon, CVarigonUnit)

namespace {
constexpr const char* kModule = "Vghx";
constexpr int kOtherClassAssignedLine = 74;
constexpr int kBadNumberLine = 92;
constexpr int kParallelInsetLine = 520;
constexpr int kThreeLineLine = 533;
constexpr int kHandles = 7;

// The shape tests and the glass tests trace under two prefixes.
BOOL Refuse(const char* prefix, const char* reason)
{
  PCTRACE(TT_UNIT, TL_VERBOSE)("%s: Are requested dimensions valid? NO (%s)\n", prefix, reason);
  return FALSE;
}

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

CVGHexagon::CVGHexagon(const CVGHexagon& source)
  : CVarigonUnit(source),
    m_dBase(source.m_dBase),
    m_dLeftRight(source.m_dLeftRight),
    m_dTop(source.m_dTop),
    m_dHeight(source.m_dHeight)
{
  ResetProposedSize();
}

CUnit& CVGHexagon::operator=(const CUnit& source)
{
  const auto* other = dynamic_cast<const CVGHexagon*>(&source);
  if (!other)
    throw CUnitException(kModule, kOtherClassAssignedLine);
  CVarigonUnit::operator=(source);
  m_dBase = other->m_dBase;
  m_dLeftRight = other->m_dLeftRight;
  m_dTop = other->m_dTop;
  m_dHeight = other->m_dHeight;
  ResetProposedSize();
  return *this;
}

CUnit* CVGHexagon::Clone() const { return new CVGHexagon(*this); }

CString CVGHexagon::GetAttributes() const
{
  return CUnit::GetAttributes() + vg::FormatValues({m_dBase, m_dLeftRight, m_dTop, m_dHeight});
}

void CVGHexagon::SetAttributes(CString& attributes)
{
  CUnit::SetAttributes(attributes);
  double values[4];
  for (double& value : values)
    value = vg::ReadNumber(attributes, kModule, kBadNumberLine);
  m_dBase = values[0];
  m_dLeftRight = values[1];
  m_dTop = values[2];
  m_dHeight = values[3];
  ResetProposedSize();
}

CString CVGHexagon::GetSizeText(int lengthFormat) const
{
  return vg::SizeText(GetTypeDescription(), lengthFormat,
                      {m_dProposedBase, m_dProposedLeftRight, m_dProposedTop, m_dProposedHeight});
}

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

void CVGHexagon::GetReportData(CUnitInfoReportDataArray& records) const
{
  const int first = records.GetSize();
  CUnit::GetReportData(records);
  vg::ExtendKeys(records, first, vg::FormatValues({m_dBase, m_dLeftRight, m_dTop, m_dHeight}));
}

void CVGHexagon::GetReportData(CScheduleReportDataArray& rows) const
{
  const int first = rows.GetSize();
  CUnit::GetReportData(rows);
  vg::ExtendKeys(rows, first, vg::FormatValues({m_dBase, m_dLeftRight, m_dTop, m_dHeight}));
}

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
  switch (handle) {
  case 0:
    vg::SetFlags(flags, kHandles, {2});
    break;
  case 1:
    vg::SetFlags(flags, kHandles, {6});
    break;
  case 2:
    vg::SetFlags(flags, kHandles, {0});
    break;
  case 3:
  case 4:
  case 5:
    vg::SetFlags(flags, kHandles, {0, 1, 2, 6});
    break;
  case 6:
    vg::SetFlags(flags, kHandles, {1});
    break;
  default:
    vg::SetFlags(flags, kHandles, {});
    break;
  }
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
  if (!AreRequestedDimensionsValid(base, leftRight, top, height)) {
    PCTRACE(TT_UNIT, TL_DETAIL)("Returned Result..........: out-of-bounds; unchanged\n");
    return outOfBoundsUnchanged;
  }
  if (base == m_dProposedBase && leftRight == m_dProposedLeftRight && top == m_dProposedTop &&
      height == m_dProposedHeight) {
    PCTRACE(TT_UNIT, TL_DETAIL)("Returned Result..........: inbounds; unchanged\n");
    return inboundsUnchanged;
  }
  m_dProposedBase = base;
  m_dProposedLeftRight = leftRight;
  m_dProposedTop = top;
  m_dProposedHeight = height;
  m_vProposedOffset = offset;
  PCTRACE(TT_UNIT, TL_DETAIL)("Base Point Delta..: (%f, %f)\n", offset.GetX(), offset.GetY());
  PCTRACE(TT_UNIT, TL_DETAIL)("Returned Result...: inbounds; changed\n");
  return inboundsChanged;
}

CVRX2DVector CVGHexagon::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  vg::AddPolygon(out, vg::catProposed,
                 Corners(m_dProposedBase, m_dProposedLeftRight, m_dProposedTop, m_dProposedHeight));
  return m_vProposedOffset;
}

CVRX2DVector CVGHexagon::SetSizeToProposed()
{
  m_dBase = m_dProposedBase;
  m_dLeftRight = m_dProposedLeftRight;
  m_dTop = m_dProposedTop;
  m_dHeight = m_dProposedHeight;
  const CVRX2DVector offset = CUnit::SetSizeToProposed();
  ResetProposedSize();
  return offset;
}

void CVGHexagon::ResetProposedSize()
{
  m_dProposedBase = m_dBase;
  m_dProposedLeftRight = m_dLeftRight;
  m_dProposedTop = m_dTop;
  m_dProposedHeight = m_dHeight;
  CUnit::ResetProposedSize();
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

void CVGHexagon::GetDimensionLabels(CStringArray& labels) const
{
  labels.RemoveAll();
  for (const char* label : {"Base:", "Left/Right:", "Top:", "Height:"})
    labels.Add(label);
}

void CVGHexagon::GetDimensionValues(CArray<double, double>& values) const
{
  values.RemoveAll();
  for (double value : {m_dBase, m_dLeftRight, m_dTop, m_dHeight})
    values.Add(value);
}

BOOL CVGHexagon::SetDimensionValues(const CArray<double, double>& values)
{
  if (values.GetSize() < 4 || !AreRequestedDimensionsValid(values[0], values[1], values[2], values[3]))
    return FALSE;
  m_dBase = values[0];
  m_dLeftRight = values[1];
  m_dTop = values[2];
  m_dHeight = values[3];
  ResetProposedSize();
  return TRUE;
}

// The first two tests keep the run and the rise positive for all later ones. The area limit is
// applied to the enclosing rectangle and the glass size limits to the glass rectangle.
BOOL CVGHexagon::AreRequestedDimensionsValid(double base, double leftRight, double top, double height) const
{
  const CVgLimitsRec& limits = GetLimits();
  if (!vg::AllFinite({base, leftRight, top, height}))
    return Refuse("VGFX", "dimension not a number");
  if (height <= leftRight)
    return Refuse("VGFX", "left/right not smaller than height");
  if (top >= base)
    return Refuse("VGFX", "top not smaller than base");
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
      return Refuse("VGFX", side.small);
    if (side.value > limits.GetMaxSide())
      return Refuse("VGFX", side.large);
  }
  const double jambJamb = vg::kHalfPi + theta, headJamb = (vg::kHalfPi - theta) + vg::kHalfPi;
  if (jambJamb < limits.GetMinAngle())
    return Refuse("VGFX", "jamb/jamb angle too small");
  if (jambJamb > limits.GetMaxAngle())
    return Refuse("VGFX", "jamb/jamb angle too large");
  if (headJamb < limits.GetMinAngle())
    return Refuse("VGFX", "head/jamb angle too small");
  if (headJamb > limits.GetMaxAngle())
    return Refuse("VGFX", "head/jamb angle too large");
  if (height * base / 144.0 > limits.GetMaxArea())
    return Refuse("VGFX", "area too large");
  const double inset = limits.GetGlassInset();
  std::vector<CVRX2DLine> glass = vg::OffsetLines(vg::PolygonLines(Corners(base, leftRight, top, height), vg::catWork),
                                                  {inset}, CVRX2DPoint(base / 2.0, leftRight / 2.0));
  if (!vg::CloseCorners(glass))
    return Refuse("VGHX", "glass line too small");
  for (const CVRX2DLine& line : glass)
    if (line.GetLength() < limits.GetMinGlassLine())
      return Refuse("VGHX", "glass line too small");
  const double glassWidth = base - 2.0 * inset, glassHeight = height - 2.0 * inset;
  const bool widthShort = glassWidth < glassHeight;
  if ((widthShort ? glassWidth : glassHeight) > limits.GetMaxShortGlassSide())
    return Refuse("VGHX", "short glass line too large");
  if ((widthShort ? glassHeight : glassWidth) > limits.GetMaxLongGlassSide())
    return Refuse("VGHX", "long glass line too large");
  PCTRACE(TT_UNIT, TL_VERBOSE)("VGFX: Are requested dimensions valid? YES\n");
  return TRUE;
}
