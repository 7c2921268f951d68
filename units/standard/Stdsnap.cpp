#include "units/standard/Stdsnap.h"

#include <cmath>

#include "model/Unit.h"

namespace {
constexpr float kAbove = 10000.0f;
constexpr float kBelow = 0.0f;

BOOL SameUnit(const CStdSizesRec& a, const CStdSizesRec& b)
{
  return a.GetTypeCode() == b.GetTypeCode() && a.GetSubtypeCode() == b.GetSubtypeCode();
}
}  // namespace

// A seek that fails without running off the index stands for the current row.
CSizeSnap::Found CSizeSnap::Seek(const CStdSizesRec& current, float length, float sentinel, BOOL below,
                                 CStdSizesRec& row) const
{
  row = current;
  m_SetLength(row, length);
  m_SetRest(row, sentinel);
  BOOL atEnd = FALSE;
  const int rc = below ? row.SeekLE(m_nIndex, &atEnd) : row.SeekGE(m_nIndex, &atEnd);
  if (atEnd || (rc == 0 && !SameUnit(row, current)))
    return none;
  if (rc != 0)
    row = current;
  return found;
}

// The distance from the outermost length to the next one inward.
double CSizeSnap::Step(const CStdSizesRec& current, const CStdSizesRec& outermost, BOOL below,
                       double fallbackStep) const
{
  CStdSizesRec next(outermost);
  m_SetRest(next, below ? kBelow : kAbove);
  BOOL atEnd = FALSE;
  const int rc = below ? next.SeekLT(m_nIndex, &atEnd) : next.SeekGT(m_nIndex, &atEnd);
  if (rc != 0 || atEnd || !SameUnit(next, current))
    return fallbackStep;
  return std::fabs(m_LengthOf(outermost) - m_LengthOf(next));
}

void CSizeSnap::KeepCurrentRow(const CStdSizesRec& current, CStdSizesRec& chosen) const
{
  if (static_cast<float>(m_LengthOf(chosen)) == static_cast<float>(m_LengthOf(current)))
    chosen = current;
}

// The overshoot is measured from the end of the range, so that how far a drag went before it
// left the range does not decide whether it is out of bounds.
BOOL CSizeSnap::Snap(const CStdSizesRec& current, double target, double fallbackStep, CStdSizesRec& chosen,
                     BOOL& beyond) const
{
  beyond = FALSE;
  const float key = static_cast<float>(target);
  CStdSizesRec lower(current), upper(current);
  const BOOL hasLower = Seek(current, key, kAbove, TRUE, lower) == found;
  const BOOL hasUpper = Seek(current, key, kBelow, FALSE, upper) == found;
  if (hasLower && hasUpper) {
    chosen = target - m_LengthOf(lower) < m_LengthOf(upper) - target ? lower : upper;
    KeepCurrentRow(current, chosen);
    return TRUE;
  }
  if (hasUpper) {
    beyond = m_LengthOf(upper) - target > 0.5 * Step(current, upper, FALSE, fallbackStep);
    chosen = upper;
    KeepCurrentRow(current, chosen);
    return TRUE;
  }
  if (hasLower) {
    beyond = target - m_LengthOf(lower) > 0.5 * Step(current, lower, TRUE, fallbackStep);
    chosen = lower;
    KeepCurrentRow(current, chosen);
    return TRUE;
  }
  return FALSE;
}

namespace WidthDrag {
Proposal Conform(const CSizeSnap& snap, int handle, double dx, double width, const CStdSizesRec& current,
                 const CStdSizesRec& proposed)
{
  Proposal p;
  if (dx == 0.0 || !std::isfinite(dx)) {
    p.action = reset;
    p.result = CUnit::inboundsUnchanged;
    return p;
  }
  const double target = handle == 0 ? width - dx : width + dx;
  CStdSizesRec chosen(current);
  BOOL beyond = FALSE;
  if (!snap.Snap(current, target, width, chosen, beyond) || beyond) {
    p.result = CUnit::outOfBoundsUnchanged;
    return p;
  }
  if (chosen.GetSizeCode() == proposed.GetSizeCode()) {
    p.result = CUnit::inboundsUnchanged;
    return p;
  }
  p.action = propose;
  p.result = CUnit::inboundsChanged;
  p.row = chosen;
  return p;
}

void GetSidesMoved(int handle, CDWordArray& flags)
{
  flags.SetSize(2);
  flags[0] = handle == 1 ? 1 : 0;
  flags[1] = handle == 0 ? 1 : 0;
}
}  // namespace WidthDrag
