#include "units/freeform/Vgtz.h"

#include <algorithm>
#include <cmath>

#include "model/Rptdata.h"
#include "model/Sizecomp.h"
#include "model/Unitexcp.h"
#include "support/Trace.h"
#include "units/freeform/Vgutil.h"

IMPLEMENT_DYNAMIC(CVGTrapezoid, CVarigonUnit)

namespace {
constexpr const char* kModule = "Vgtz";
constexpr int kOtherClassAssignedLine = 66;
constexpr int kBadNumberLine = 82;
constexpr int kParallelInsetLine = 590;
constexpr int kThreeLineLine = 611;
constexpr int kHandles = 4;

BOOL Refuse(const char* reason)
{
  PCTRACE(TT_UNIT, TL_VERBOSE)("VGTZ: Are requested dimensions valid? NO (%s)\n", reason);
  return FALSE;
}

std::vector<CVRX2DPoint> Corners(double base, double left, double right)
{
  return {CVRX2DPoint(0.0, 0.0), CVRX2DPoint(base, 0.0), CVRX2DPoint(base, right), CVRX2DPoint(0.0, left)};
}
}  // namespace

CVGTrapezoid::CVGTrapezoid() : CVarigonUnit("VG", "TZ010") { ResetProposedSize(); }

CVGTrapezoid::CVGTrapezoid(const CVGTrapezoid& source)
  : CVarigonUnit(source), m_dBase(source.m_dBase), m_dLeft(source.m_dLeft), m_dRight(source.m_dRight)
{
  ResetProposedSize();
}

CUnit& CVGTrapezoid::operator=(const CUnit& source)
{
  const auto* other = dynamic_cast<const CVGTrapezoid*>(&source);
  if (!other)
    throw CUnitException(kModule, kOtherClassAssignedLine);
  CVarigonUnit::operator=(source);
  m_dBase = other->m_dBase;
  m_dLeft = other->m_dLeft;
  m_dRight = other->m_dRight;
  ResetProposedSize();
  return *this;
}

CUnit* CVGTrapezoid::Clone() const { return new CVGTrapezoid(*this); }

CString CVGTrapezoid::GetAttributes() const
{
  return CUnit::GetAttributes() + vg::FormatValues({m_dBase, m_dLeft, m_dRight});
}

void CVGTrapezoid::SetAttributes(CString& attributes)
{
  CUnit::SetAttributes(attributes);
  const double base = vg::ReadNumber(attributes, kModule, kBadNumberLine);
  const double left = vg::ReadNumber(attributes, kModule, kBadNumberLine);
  const double right = vg::ReadNumber(attributes, kModule, kBadNumberLine);
  m_dBase = base;
  m_dLeft = left;
  m_dRight = right;
  ResetProposedSize();
}

CString CVGTrapezoid::GetSizeText(int lengthFormat) const
{
  return vg::SizeText(GetTypeDescription(), lengthFormat, {m_dProposedBase, m_dProposedLeft, m_dProposedRight});
}

double CVGTrapezoid::GetHeight() const { return m_dLeft > m_dRight ? m_dLeft : m_dRight; }
double CVGTrapezoid::GetWidth() const { return m_dBase; }
double CVGTrapezoid::GetProposedWidth() const { return m_dProposedBase; }
double CVGTrapezoid::GetProposedHeight() const { return std::max(m_dProposedLeft, m_dProposedRight); }
double CVGTrapezoid::GetHeadAngle() const { return std::atan(vg::Ratio(std::fabs(m_dLeft - m_dRight), m_dBase)); }

// Above the shorter jamb the section lies against the taller one.
void CVGTrapezoid::GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                                          const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const
{
  const double shorter = std::min(m_dLeft, m_dRight), taller = std::max(m_dLeft, m_dRight);
  if (cutHeight <= shorter) {
    vg::AddPlanSection(m_dBase, 0.0, switches, preferences, out);
    return;
  }
  const double width = vg::Ratio(taller - cutHeight, std::tan(GetHeadAngle()));
  vg::AddPlanSection(width, m_dLeft == shorter ? m_dBase - width : 0.0, switches, preferences, out);
}

void CVGTrapezoid::GetReportData(CUnitInfoReportDataArray& records) const
{
  const int first = records.GetSize();
  CUnit::GetReportData(records);
  vg::ExtendKeys(records, first, vg::FormatValues({m_dBase, m_dLeft, m_dRight}));
}

void CVGTrapezoid::GetReportData(CScheduleReportDataArray& rows) const
{
  const int first = rows.GetSize();
  CUnit::GetReportData(rows);
  vg::ExtendKeys(rows, first, vg::FormatValues({m_dBase, m_dLeft, m_dRight}));
}

void CVGTrapezoid::GetSizingHandles(CSizingHandleArray& out) const
{
  vg::AddComponentHandles(out, *GetSizedComponents());
}

void CVGTrapezoid::GetSidesMovedByHandle(int handle, CDWordArray& flags) const
{
  switch (handle) {
  case 0:
    vg::SetFlags(flags, kHandles, {2});
    break;
  case 1:
    vg::SetFlags(flags, kHandles, {3});
    break;
  case 2:
    vg::SetFlags(flags, kHandles, {0, 3});
    break;
  case 3:
    vg::SetFlags(flags, kHandles, {1, 2});
    break;
  default:
    vg::SetFlags(flags, kHandles, {});
    break;
  }
}

// The lower-left corner takes the whole drag and turns the head about its right end; the
// lower-right corner slides the right jamb along the head's line.
int CVGTrapezoid::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  if (handle < 0 || handle >= kHandles)
    return outOfBoundsUnchanged;
  const double vx = drag.GetX(), vy = drag.GetY();
  if (vx == 0.0 && vy == 0.0)
    return inboundsUnchanged;
  double base = m_dBase, left = m_dLeft, right = m_dRight;
  CVRX2DVector offset(0.0, 0.0);
  if (handle == 0) {
    base -= vx;
    left -= vy;
    right -= vy;
    offset.Set(vx, vy);
  } else if (handle == 1) {
    const double rise = std::fabs(vx) * std::tan(GetHeadAngle());
    base += vx;
    left -= vy;
    right -= vy;
    if ((vx > 0.0) == (m_dRight > m_dLeft))
      right += rise;
    else
      right -= rise;
    offset.Set(0.0, vy);
  } else if (handle == 2) {
    base += vx;
    right += vy;
  } else {
    base -= vx;
    left += vy;
    offset.Set(vx, 0.0);
  }
  if (!AreRequestedDimensionsValid(base, left, right))
    return outOfBoundsUnchanged;
  if (base == m_dProposedBase && left == m_dProposedLeft && right == m_dProposedRight)
    return inboundsUnchanged;
  m_dProposedBase = base;
  m_dProposedLeft = left;
  m_dProposedRight = right;
  m_vProposedOffset = offset;
  return inboundsChanged;
}

CVRX2DVector CVGTrapezoid::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  vg::AddPolygon(out, vg::catProposed, Corners(m_dProposedBase, m_dProposedLeft, m_dProposedRight));
  return m_vProposedOffset;
}

CVRX2DVector CVGTrapezoid::SetSizeToProposed()
{
  m_dBase = m_dProposedBase;
  m_dLeft = m_dProposedLeft;
  m_dRight = m_dProposedRight;
  const CVRX2DVector offset = CUnit::SetSizeToProposed();
  ResetProposedSize();
  return offset;
}

void CVGTrapezoid::ResetProposedSize()
{
  m_dProposedBase = m_dBase;
  m_dProposedLeft = m_dLeft;
  m_dProposedRight = m_dRight;
  CUnit::ResetProposedSize();
  DiscardGeometry();
}

void CVGTrapezoid::BuildSizedComponents() const
{
  const std::vector<CVRX2DPoint> c = Corners(m_dBase, m_dLeft, m_dRight);
  vg::BuildComponents(*m_pSizedComponents, "TZ010",
                      {{"BJ", c[0], c[1]}, {"AP", c[1], c[2]}, {"AG", c[2], c[3]}, {"AP", c[3], c[0]}});
}

// Both jambs move in by the left jamb's distance, both ends of the head down by the head's.
void CVGTrapezoid::Get1LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  const double sill = GetComponentDistance(0, 0, -1);
  const double head = GetComponentDistance(2, 0, -1);
  const double jamb = GetComponentDistance(3, 0, -1);
  vg::AddPolygon(out, vg::catOneLine,
                 {CVRX2DPoint(jamb, sill), CVRX2DPoint(m_dBase - jamb, sill),
                  CVRX2DPoint(m_dBase - jamb, m_dRight - head), CVRX2DPoint(jamb, m_dLeft - head)});
}

void CVGTrapezoid::Get2LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  const double sill = GetComponentDistance(0, -1, 2);
  const double head = GetComponentDistance(2, -1, 2);
  const double jamb = GetComponentDistance(3, -1, 2);
  vg::AddInsetRing(out, vg::catTwoLine, vg::ComponentLines(*GetSizedComponents(), vg::catTwoLine),
                   {sill, jamb, head, jamb}, CVRX2DPoint(m_dBase / 2.0, std::min(m_dLeft, m_dRight) / 2.0), kModule,
                   kParallelInsetLine);
}

void CVGTrapezoid::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& /*out*/) const
{
  throw CUnitException(kModule, kThreeLineLine);
}

void CVGTrapezoid::GetDimensionLabels(CStringArray& labels) const
{
  labels.RemoveAll();
  labels.Add("Base:");
  labels.Add("Left:");
  labels.Add("Right:");
}

void CVGTrapezoid::GetDimensionValues(CArray<double, double>& values) const
{
  values.RemoveAll();
  values.Add(m_dBase);
  values.Add(m_dLeft);
  values.Add(m_dRight);
}

BOOL CVGTrapezoid::SetDimensionValues(const CArray<double, double>& values)
{
  if (values.GetSize() < 3 || !AreRequestedDimensionsValid(values[0], values[1], values[2]))
    return FALSE;
  m_dBase = values[0];
  m_dLeft = values[1];
  m_dRight = values[2];
  ResetProposedSize();
  return TRUE;
}

// The area limit is applied to the enclosing rectangle, base times the taller jamb.
BOOL CVGTrapezoid::AreRequestedDimensionsValid(double b, double l, double r) const
{
  const CVgLimitsRec& limits = GetLimits();
  if (!vg::AllFinite({b, l, r}))
    return Refuse("dimension not a number");
  if (b < limits.GetMinSide())
    return Refuse("sill too small");
  if (b > limits.GetMaxSide())
    return Refuse("sill too large");
  if (l < limits.GetMinSide())
    return Refuse("left jamb too small");
  if (l > limits.GetMaxSide())
    return Refuse("left jamb too large");
  if (r < limits.GetMinSide())
    return Refuse("right jamb too small");
  if (r > limits.GetMaxSide())
    return Refuse("right jamb too large");
  if (CVRX2DPoint(0.0, r) == CVRX2DPoint(0.0, l))
    return Refuse("jamb-head angle is 90");
  const double alpha = std::atan(std::fabs(l - r) / b);
  const double head = b / std::cos(alpha);
  if (head < limits.GetMinSide())
    return Refuse("head too small");
  if (head > limits.GetMaxSide())
    return Refuse("head too large");
  if (vg::kHalfPi + alpha < limits.GetMinAngle())
    return Refuse("head/jamb angle too small");
  if (vg::kHalfPi + alpha > limits.GetMaxAngle())
    return Refuse("head/jamb angle too large");
  if (vg::kHalfPi - alpha < limits.GetMinAngle())
    return Refuse("head/jamb angle too small");
  if (vg::kHalfPi - alpha > limits.GetMaxAngle())
    return Refuse("head/jamb angle too large");
  if (b * std::max(l, r) / 144.0 > limits.GetMaxArea())
    return Refuse("area too large");
  std::vector<CVRX2DLine> glass = vg::OffsetLines(vg::PolygonLines(Corners(b, l, r), vg::catWork),
                                                  {limits.GetGlassInset()}, CVRX2DPoint(b / 2.0, std::min(l, r) / 2.0));
  if (!vg::CloseCorners(glass))
    return Refuse("sill glass length too small");
  const char* reasons[] = {"sill glass length too small", "right jamb glass length too small",
                           "head glass length too small", "left jamb glass length too small"};
  for (int i = 0; i < 4; ++i)
    if (glass[i].GetLength() < limits.GetMinGlassLine())
      return Refuse(reasons[i]);
  const double sill = glass[0].GetLength();
  const double jamb = (r < l ? glass[3] : glass[1]).GetLength();
  if ((sill < jamb ? jamb : sill) > limits.GetMaxLongGlassSide())
    return Refuse("long glass side too large");
  if ((sill < jamb ? sill : jamb) > limits.GetMaxShortGlassSide())
    return Refuse("short glass side too large");
  PCTRACE(TT_UNIT, TL_VERBOSE)("VGTZ: Are requested dimensions valid? YES\n");
  return TRUE;
}
