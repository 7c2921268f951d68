// The horizontal parallelogram's size check and its sizing by handles.
#include "units/freeform/Vghp.h"

#include <cmath>

#include "geometry/Angle.h"
#include "support/Trace.h"
#include "units/freeform/Vgutil.h"

namespace {
constexpr int kHandles = 6;

// The five area and glass-size tests of one orientation; every failing test traces.
BOOL FitsLimits(const CVgLimitsRec& limits, double area, double glassWidth, double glassHeight)
{
  BOOL fits = TRUE;
  const bool widthShort = glassWidth < glassHeight;
  const double longer = widthShort ? glassHeight : glassWidth, shorter = widthShort ? glassWidth : glassHeight;
  if (area > limits.GetMaxArea())
    fits = vg::Refuse("VGHP", "area too large", CSizeLimit::maxArea, limits.GetMaxArea());
  if (longer > limits.GetMaxLongGlassSide())
    fits = vg::Refuse("VGHP", "long glass side too large", CSizeLimit::maxLongGlassSide, limits.GetMaxLongGlassSide());
  if (longer < limits.GetMinGlassLine())
    fits = vg::Refuse("VGHP", "long glass side too small", CSizeLimit::minGlassLine, limits.GetMinGlassLine());
  if (shorter > limits.GetMaxShortGlassSide())
    fits =
        vg::Refuse("VGHP", "short glass side too large", CSizeLimit::maxShortGlassSide, limits.GetMaxShortGlassSide());
  if (shorter < limits.GetMinGlassLine())
    fits = vg::Refuse("VGHP", "short glass side too small", CSizeLimit::minGlassLine, limits.GetMinGlassLine());
  return fits;
}

// A request formed by the rules of one lean.
struct CRequest
{
  int rightLeaning;
  double base;
  double height;
  double angle;
  double leftRight;
  CVRX2DVector offset;
};

double Direction(double x0, double y0, double x1, double y1)
{
  return CVRX2DPoint(x0, y0).AngleTo(CVRX2DPoint(x1, y1)).GetRadians();
}
}  // namespace

BOOL CVGHorizontalParallelogram::AreRequestedDimensionsValid(double base, double lr, double height) const
{
  const CVgLimitsRec& limits = GetLimits();
  if (!vg::AllFinite({base, lr, height}))
    return vg::Refuse("VGHP", "dimension not a number");
  if (CVRX2DPoint(0.0, lr) == CVRX2DPoint(0.0, height))
    return vg::Refuse("VGHP", "jamb-head angle is 90");
  if (base < limits.GetMinSide())
    return vg::Refuse("VGHP", "base too small", CSizeLimit::minSide, limits.GetMinSide());
  if (base > limits.GetMaxSide())
    return vg::Refuse("VGHP", "base too large", CSizeLimit::maxSide, limits.GetMaxSide());
  if (lr < limits.GetMinSide())
    return vg::Refuse("VGHP", "left/right too small", CSizeLimit::minSide, limits.GetMinSide());
  if (lr > limits.GetMaxSide())
    return vg::Refuse("VGHP", "left/right too large", CSizeLimit::maxSide, limits.GetMaxSide());
  // A height above the jamb has no angle: it fails as too large.
  const double A = std::asin(height / lr), offset = lr * std::cos(A), width = base + offset;
  if (A < limits.GetMinAngle())
    return vg::Refuse("VGHP", "acute jamb angle too small", CSizeLimit::minAngle, limits.GetMinAngle());
  if (!(A <= limits.GetMaxAngle()))
    return vg::Refuse("VGHP", "acute jamb angle too large", CSizeLimit::maxAngle, limits.GetMaxAngle());
  if (vg::kPi - A < limits.GetMinAngle())
    return vg::Refuse("VGHP", "obtuse jamb angle too small", CSizeLimit::minAngle, limits.GetMinAngle());
  if (vg::kPi - A > limits.GetMaxAngle())
    return vg::Refuse("VGHP", "obtuse jamb angle too large", CSizeLimit::maxAngle, limits.GetMaxAngle());
  const double inset = limits.GetGlassInset();
  const std::vector<CVRX2DPoint> corners = {CVRX2DPoint(0.0, 0.0), CVRX2DPoint(base, 0.0), CVRX2DPoint(width, height),
                                            CVRX2DPoint(offset, height)};
  std::vector<CVRX2DLine> g =
      vg::OffsetLines(vg::PolygonLines(corners, vg::catWork), {inset}, CVRX2DPoint(width * 0.5, height * 0.5));
  if (!g[1].IsVertical() && !(g[1].GetYIntercept() < g[3].GetYIntercept()))
    return vg::Refuse("VGVP", "glass area non-existent");
  if (const char* reason = vg::TrimHeldCorners(g))
    return vg::Refuse("VGHP", reason);
  for (const CVRX2DLine& line : g)
    if (line.GetLength() < limits.GetMinGlassLine())
      return vg::Refuse("VGVP", "glass length too small", CSizeLimit::minGlassLine, limits.GetMinGlassLine());
  const double sill = g[0].GetLength(), jamb = g[1].GetLength();
  if (FitsLimits(limits, (std::fabs(offset) + base) * height / 144.0, sill + std::fabs(jamb * std::cos(A)),
                 height - 2.0 * inset))
    return TRUE;
  if (!FitsLimits(limits, base * std::sin(A) * (std::fabs(base * std::cos(A)) + lr) / 144.0,
                  jamb + std::fabs(sill * std::cos(A)), sill * std::sin(A)))
    return FALSE;
  return vg::Accept("VGHP");
}

// A corner follows the drag and keeps the angle, the opposite sill or head and jamb staying; a
// jamb's midpoint turns that jamb about its lower (right jamb) or upper (left jamb) end. Turned
// past the vertical, the lean turns over and the angle is acute again.
int CVGHorizontalParallelogram::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  if (handle < 0 || handle >= kHandles)
    return outOfBoundsUnchanged;
  const double vx = drag.GetX(), vy = drag.GetY();
  const double b = m_dBase, lr = m_dLeftRight, h = m_dHeight, a = m_dAngle;
  const double tanA = std::tan(a), cotA = std::tan(vg::kHalfPi - a);
  const bool right = m_bRightLeaning == 1;
  CRequest q = {right ? 1 : 0, b, h, a, lr, CVRX2DVector(0.0, 0.0)};
  PCTRACE(TT_UNIT, TL_DETAIL)
  ("CVGHorizontalParallelogram::ConformProposedSize() [%s]\n", right ? "right-leaning" : "left-leaning");
  const double lean = right ? 1.0 : -1.0;  // the sign of the corner rows' slope terms
  switch (handle) {
  case 0:
  case 4:
    q.base = b - vx + lean * vy * cotA;
    break;
  case 1:
  case 3:
    q.base = b + vx - lean * vy * cotA;
    break;
  }
  if (handle == 0 || handle == 1)
    q.height = h - vy;
  else if (handle == 3 || handle == 4)
    q.height = h + vy;
  const bool corner = handle != 2 && handle != 5;
  if (corner)
    q.leftRight = vg::Ratio(q.height, std::sin(a));
  else if (right)
    q.angle = handle == 2 ? Direction(b, 0.0, b + vg::Ratio(h * 0.5, tanA) + vx, h * 0.5 + vy)
                          : Direction(vg::Ratio(h * 0.5, tanA) + vx, h * 0.5 + vy, vg::Ratio(h, tanA), h);
  else
    q.angle = vg::kPi - (handle == 2 ? Direction(b + vg::Ratio(h * 0.5, tanA), 0.0, b + vx, h * 0.5 + vy)
                                     : Direction(vg::Ratio(h * 0.5, tanA) + vx, h * 0.5 + vy, 0.0, h));
  if (!corner)
    q.height = lr * std::sin(q.angle);
  const bool outward = handle == 2 ? (right ? vx < 0.0 : vx > 0.0) : (right ? vx > 0.0 : vx < 0.0);
  const bool turned = !corner && outward && q.angle >= vg::kHalfPi;
  if (turned) {
    q.angle = vg::kPi - q.angle;
    q.rightLeaning = right ? 0 : 1;
  }
  const double run = vg::Ratio(h, tanA), run2 = vg::Ratio(q.height, std::tan(q.angle));
  switch (handle) {
  case 0:
    q.offset = right ? CVRX2DVector(vx, vy) : CVRX2DVector(vx + vy * cotA, h - q.height);
    break;
  case 1:
    q.offset = right ? CVRX2DVector(vg::Ratio(h - q.height, tanA), h - q.height) : CVRX2DVector(0.0, h - q.height);
    break;
  case 2:
    if (right)
      q.offset = turned ? CVRX2DVector(-run2, 0.0) : CVRX2DVector(0.0, 0.0);
    else
      q.offset = CVRX2DVector(turned ? run : run - run2, 0.0);
    break;
  case 3:
    q.offset = right ? CVRX2DVector(0.0, 0.0) : CVRX2DVector(vg::Ratio(h - q.height, tanA), 0.0);
    break;
  case 4:
    q.offset = right ? CVRX2DVector(vg::Ratio(h - q.height, tanA) + vx, 0.0) : CVRX2DVector(vx, 0.0);
    break;
  default:
    if (right)
      q.offset = CVRX2DVector(turned ? run : run - run2, h - q.height);
    else
      q.offset = CVRX2DVector(turned ? -run2 : 0.0, h - q.height);
    break;
  }
  PCTRACE(TT_UNIT, TL_DETAIL)("Sizing Handle.................: %d\n", handle);
  PCTRACE(TT_UNIT, TL_DETAIL)("Sizing Vector.................: (%f, %f)\n", vx, vy);
  PCTRACE(TT_UNIT, TL_DETAIL)("Requested Base................: %f\n", q.base);
  PCTRACE(TT_UNIT, TL_DETAIL)("Requested Left/Right..........: %f\n", q.leftRight);
  PCTRACE(TT_UNIT, TL_DETAIL)("Requested Height..............: %f\n", q.height);
  PCTRACE(TT_UNIT, TL_DETAIL)("Requested Jamb/Sill Angle.....: %f\n", q.angle);
  const int result =
      vg::Settle(*this, Shape(), {q.base, q.leftRight, q.height, q.angle}, m_vProposedOffset, q.offset, q.rightLeaning);
  return vg::TraceResult(result, q.offset,
                         {"Returned Result...............: out-of-bounds; unchanged (invalid dimensions)\n",
                          "Returned Result...............: inbounds; unchanged\n",
                          "Proposed Base Point Delta.....: ", "Returned Result...............: inbounds; changed\n"});
}
