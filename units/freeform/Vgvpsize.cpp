// The vertical parallelogram's size check and its sizing by handles.
#include "units/freeform/Vgvp.h"

#include <cmath>

#include "geometry/Angle.h"
#include "support/Trace.h"
#include "units/freeform/Vgutil.h"

namespace {
constexpr int kHandles = 6;
constexpr const char* kTag = "VGVP";

double Direction(const CVRX2DPoint& from, const CVRX2DPoint& to) { return from.AngleTo(to).GetRadians(); }

// One orientation of the area and glass-size tests; every failing test traces.
BOOL FitsLimits(const CVgLimitsRec& limits, double area, double glassWidth, double glassHeight)
{
  BOOL fits = TRUE;
  const bool widthShort = glassWidth < glassHeight;
  if (area > limits.GetMaxArea())
    fits = vg::Refuse(kTag, "area too large", CSizeLimit::maxArea, limits.GetMaxArea());
  if ((widthShort ? glassHeight : glassWidth) > limits.GetMaxLongGlassSide())
    fits = vg::Refuse(kTag, "long glass length too large", CSizeLimit::maxLongGlassSide, limits.GetMaxLongGlassSide());
  if ((widthShort ? glassWidth : glassHeight) > limits.GetMaxShortGlassSide())
    fits =
        vg::Refuse(kTag, "short glass length too large", CSizeLimit::maxShortGlassSide, limits.GetMaxShortGlassSide());
  return fits;
}
}  // namespace

// Checked on the TYPE1 figure; the area and glass sizes may fit either upright or laid on the sill.
BOOL CVGVerticalParallelogram::AreRequestedDimensionsValid(double a, double t, double W) const
{
  const CVgLimitsRec& limits = GetLimits();
  if (!vg::AllFinite({a, t, W}))
    return vg::Refuse(kTag, "dimension not a number");
  if (a < limits.GetMinSide())
    return vg::Refuse(kTag, "jambs too small", CSizeLimit::minSide, limits.GetMinSide());
  if (a > limits.GetMaxSide())
    return vg::Refuse(kTag, "jambs too large", CSizeLimit::maxSide, limits.GetMaxSide());
  if (CVRXAngle(t) == CVRXAngle(0.0))
    return vg::Refuse(kTag, "jamb/sill angle is 90");
  const double acute = vg::kHalfPi - t, obtuse = vg::kPi - acute;
  if (acute < limits.GetMinAngle())
    return vg::Refuse(kTag, "jamb/sill angle too small", CSizeLimit::minAngle, limits.GetMinAngle());
  if (acute > limits.GetMaxAngle())
    return vg::Refuse(kTag, "jamb/sill angle too large", CSizeLimit::maxAngle, limits.GetMaxAngle());
  if (obtuse < limits.GetMinAngle())
    return vg::Refuse(kTag, "jamb/sill angle too small", CSizeLimit::minAngle, limits.GetMinAngle());
  if (obtuse > limits.GetMaxAngle())
    return vg::Refuse(kTag, "jamb/sill angle too large", CSizeLimit::maxAngle, limits.GetMaxAngle());
  const double L = vg::Ratio(W, std::cos(t));
  PCTRACE(TT_UNIT, TL_VERBOSE)("Requested Head/Sill Length: %f\n", L);
  if (L < limits.GetMinSide())
    return vg::Refuse(kTag, "head/sill too small", CSizeLimit::minSide, limits.GetMinSide());
  if (L > limits.GetMaxSide())
    return vg::Refuse(kTag, "head/sill too large", CSizeLimit::maxSide, limits.GetMaxSide());
  const double r = W * std::tan(t);
  const std::vector<CVRX2DPoint> corners = {CVRX2DPoint(0.0, 0.0), CVRX2DPoint(W, r), CVRX2DPoint(W, r + a),
                                            CVRX2DPoint(0.0, a)};
  std::vector<CVRX2DLine> g = vg::OffsetLines(vg::PolygonLines(corners, vg::catWork), {limits.GetGlassInset()},
                                              CVRX2DPoint(W / 2.0, (r + a) / 2.0));
  if (!(g[0].GetYIntercept() < g[2].GetYIntercept()))
    return vg::Refuse(kTag, "glass area non-existent");
  if (const char* reason = vg::TrimHeldCorners(g))
    return vg::Refuse(kTag, reason);
  for (const CVRX2DLine& line : g)
    if (line.GetLength() < limits.GetMinGlassLine())
      return vg::Refuse(kTag, "glass length too small", CSizeLimit::minGlassLine, limits.GetMinGlassLine());
  const double sill = g[0].GetLength(), jamb = g[1].GetLength();
  BOOL valid = FitsLimits(limits, W * (r + a) / 144.0, std::fabs(sill * std::cos(t)), jamb + sill * std::sin(t));
  if (!valid)
    valid = FitsLimits(limits, (a * std::sin(t) + L) * std::fabs(a * std::cos(t)) / 144.0, sill + jamb * std::sin(t),
                       jamb * std::cos(t));
  return valid && vg::Accept(kTag);
}

int CVGVerticalParallelogram::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  if (handle < 0 || handle >= kHandles)
    return outOfBoundsUnchanged;
  PCTRACE(TT_UNIT, TL_DETAIL)("***** CVGVerticalParallelogram::ConformProposedSize() *****\n");
  PCTRACE(TT_UNIT, TL_DETAIL)("Current Jamb Dimension..: %f\n", m_dJamb);
  PCTRACE(TT_UNIT, TL_DETAIL)("Current Unit Width......: %f\n", m_dWidth);
  PCTRACE(TT_UNIT, TL_DETAIL)("Current Sill Angle......: %f\n", m_dPitch);
  PCTRACE(TT_UNIT, TL_DETAIL)("\"Right Jamb Higher\" Flag: %s\n", m_bRightJambHigher ? "TRUE" : "FALSE");
  PCTRACE(TT_UNIT, TL_DETAIL)("Sizing Handle...........: %d\n", handle);
  PCTRACE(TT_UNIT, TL_DETAIL)("Sizing Vector...........: (%f, %f)\n", drag.GetX(), drag.GetY());
  return m_bRightJambHigher == 1 ? ConformLowerLeftJamb(handle, drag) : ConformLowerRightJamb(handle, drag);
}

int CVGVerticalParallelogram::ConformLowerLeftJamb(int handle, const CVRX2DVector& drag)
{
  return ConformJambs(handle, drag, true);
}

int CVGVerticalParallelogram::ConformLowerRightJamb(int handle, const CVRX2DVector& drag)
{
  return ConformJambs(handle, drag, false);
}

// A corner keeps the pitch and the opposite corner; a midpoint turns its side about one end,
// keeping the side's length and the jambs. For TYPE1 the sill dragged below the lower-left
// corner, or the head above the upper-right one, turns the unit into TYPE2; TYPE2's rules are the
// mirror image, the sign s turning the corner rules over.
int CVGVerticalParallelogram::ConformJambs(int handle, const CVRX2DVector& drag, bool lowerLeft)
{
  const double vx = drag.GetX(), vy = drag.GetY(), s = lowerLeft ? 1.0 : -1.0;
  const double a = m_dJamb, t = m_dPitch, W = m_dWidth, tn = std::tan(t), r = W * tn, H = GetHeight();
  const double L = vg::Ratio(W, std::cos(t));
  const CVRX2DPoint sill(W / 2.0 + vx, r / 2.0 + vy), head(W / 2.0 + vx, r / 2.0 + a + vy);
  double a2 = a, t2 = t, W2 = W;
  switch (handle) {
  case 0:
  case 2:
    W2 = handle == 0 ? W - vx : W + vx;
    a2 = a - vy + s * vx * tn;
    break;
  case 1:
    t2 = lowerLeft ? Direction(CVRX2DPoint(0.0, 0.0), sill) : vg::kPi - Direction(sill, CVRX2DPoint(0.0, r));
    break;
  case 4:
    t2 = lowerLeft ? Direction(head, CVRX2DPoint(W, H)) : vg::kPi - Direction(CVRX2DPoint(W, a), head);
    break;
  default:
    W2 = handle == 3 ? W + vx : W - vx;
    a2 = a + vy - s * vx * tn;
    break;
  }
  const bool midpoint = handle == 1 || handle == 4;
  if (midpoint)
    W2 = std::cos(t2) * L;
  double H2 = midpoint ? H : a2 + W2 * tn;
  PCTRACE(TT_UNIT, TL_DETAIL)("Requested Sill Angle....: %f\n", t2);
  PCTRACE(TT_UNIT, TL_DETAIL)("Upper Jamb Y Offset.....: %f\n", r);
  const bool through = (handle == 1 && s * vy < 0.0) || (handle == 4 && s * vy > 0.0);
  const bool turned = through && (lowerLeft ? t2 > vg::kPi : t2 < 0.0);
  if (turned) {
    t2 = lowerLeft ? vg::kTwoPi - t2 : std::fabs(t2);
    PCTRACE(TT_UNIT, TL_DETAIL)("Notice ================>: switching to lower %s jamb\n", lowerLeft ? "right" : "left");
    PCTRACE(TT_UNIT, TL_DETAIL)("Requested Sill Angle....: %f\n", t2);
  }
  const int result = Settle(lowerLeft != turned ? 1 : 0, a2, t2, W2, H2);
  if (result != inboundsChanged)
    return result;
  const double r2 = W2 * std::tan(t2), level = turned ? -r2 : 0.0, raised = turned ? r : r - r2;
  const CVRX2DVector left[kHandles] = {
      CVRX2DVector(vx, vy),   CVRX2DVector(0.0, level),     CVRX2DVector(0.0, vy - vx * tn),
      CVRX2DVector(0.0, 0.0), CVRX2DVector(W - W2, raised), CVRX2DVector(vx, vx * tn)};
  const CVRX2DVector right[kHandles] = {CVRX2DVector(vx, r - r2 + vy), CVRX2DVector(0.0, raised),
                                        CVRX2DVector(0.0, vy),         CVRX2DVector(0.0, r - r2),
                                        CVRX2DVector(W - W2, level),   CVRX2DVector(vx, 0.0)};
  m_vProposedOffset = lowerLeft ? left[handle] : right[handle];
  PCTRACE(TT_UNIT, TL_DETAIL)("Base Point Delta..: (%f, %f)\n", m_vProposedOffset.GetX(), m_vProposedOffset.GetY());
  PCTRACE(TT_UNIT, TL_DETAIL)("Returned Result...: inbounds; changed\n");
  return result;
}

int CVGVerticalParallelogram::Settle(int rightHigher, double jamb, double pitch, double& width, double& height)
{
  if (rightHigher != m_bRightJambHigher) {
    height = std::fabs(height);
    width = std::fabs(width);
  }
  PCTRACE(TT_UNIT, TL_DETAIL)("Requested Jamb Dimension: %f\n", jamb);
  PCTRACE(TT_UNIT, TL_DETAIL)("Requested Unit Width....: %f\n", width);
  PCTRACE(TT_UNIT, TL_DETAIL)("Requested Unit Height...: %f\n", height);
  const char* negative =
      jamb < 0.0 ? "jamb dimension" : (height < 0.0 ? "unit height" : (width < 0.0 ? "unit width" : nullptr));
  if (negative) {
    PCTRACE(TT_UNIT, TL_DETAIL)
    ("Returned Result......: out-of-bounds; unchanged (requested %s is negative)\n", negative);
    return outOfBoundsUnchanged;
  }
  const int result =
      vg::Settle(*this, Shape(), {jamb, pitch, width}, m_vProposedOffset, CVRX2DVector(0.0, 0.0), rightHigher);
  if (result == outOfBoundsUnchanged)
    PCTRACE(TT_UNIT, TL_DETAIL)("Returned Result.........: out-of-bounds; unchanged (invalid dimensions)\n");
  else if (result == inboundsUnchanged)
    PCTRACE(TT_UNIT, TL_DETAIL)("Returned Result.........: inbounds; unchanged\n");
  return result;
}
