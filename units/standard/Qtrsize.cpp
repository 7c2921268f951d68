#include "units/standard/Qtrsize.h"

#include <cmath>

#include "model/Sizing.h"
#include "model/Unit.h"
#include "model/Unitexcp.h"

namespace {

BOOL IsSameUnit(const CStdSizesRec& a, const CStdSizesRec& b)
{
  return a.GetTypeCode() == b.GetTypeCode() && a.GetSubtypeCode() == b.GetSubtypeCode();
}

// A copy of the current row keyed by the radius; TRUE on a row of the unit, and on a failed
// seek that did not run off the table, which leaves the current row.
BOOL SeekRadius(const CStdSizesRec& current, float radius, int (CStdSizesRec::*seek)(int, BOOL*), CStdSizesRec& row)
{
  row = current;
  row.SetRadius(radius);
  BOOL atEnd = FALSE;
  const int rc = (row.*seek)(CStdSizesRec::byRadiusWidthShoulder, &atEnd);
  if (rc != 0 && !atEnd) {
    row = current;
    return TRUE;
  }
  return rc == 0 && !atEnd && IsSameUnit(row, current);
}

// The row next to `row` on the radius index; FALSE when there is none of the unit.
BOOL SeekNeighbour(const CStdSizesRec& row, int (CStdSizesRec::*seek)(int, BOOL*), CStdSizesRec& next)
{
  next = row;
  BOOL atEnd = FALSE;
  return (next.*seek)(CStdSizesRec::byRadiusWidthShoulder, &atEnd) == 0 && !atEnd && IsSameUnit(next, row);
}

CVRX2DVector Shift(BOOL left, int handle, BOOL xDominates, double shrink)
{
  if (!left)
    return handle == 0 ? (xDominates ? CVRX2DVector(shrink, 0.0) : CVRX2DVector(0.0, shrink)) : CVRX2DVector(0.0, 0.0);
  if (handle == 1)
    return xDominates ? CVRX2DVector(0.0, 0.0) : CVRX2DVector(shrink, shrink);
  return CVRX2DVector(shrink, 0.0);
}

// The corner handle's proposal stands only when the stored shift was made along the same axis.
BOOL ShiftAgrees(BOOL left, int handle, BOOL xDominates, const CVRX2DVector& stored)
{
  if (!left && handle == 0)
    return (xDominates ? stored.GetX() : stored.GetY()) != 0.0;
  if (left && handle == 1)
    return xDominates ? stored.GetY() == 0.0 : stored.GetY() != 0.0;
  return TRUE;
}
}  // namespace

namespace QtrRound {
Proposal Conform(BOOL left, int handle, const CVRX2DVector& drag, const CStdSizesRec& current,
                 const CStdSizesRec& proposed, const CVRX2DVector& storedShift, const char* module, int badHandleLine)
{
  if (handle < 0 || handle > 2)
    throw CUnitException(module, badHandleLine);
  Proposal out;
  const double dx = drag.GetX();
  const double dy = drag.GetY();
  const BOOL xDominates = std::fabs(dy) < std::fabs(dx);
  const BOOL corner = handle == (left ? 1 : 0);
  const double along = corner ? (xDominates ? dx : dy) : (handle == 2 ? dy : dx);
  if (along == 0.0 || !std::isfinite(dx) || !std::isfinite(dy)) {
    out.action = reset;
    out.result = CUnit::inboundsUnchanged;
    return out;
  }
  const double r = current.GetRadius();
  double p = r + dy;
  if (handle == 0)
    p = left ? r - dx : r - along;
  else if (handle == 1)
    p = left && !xDominates ? r - dy : r + dx;
  CStdSizesRec lower(current), upper(current), beyond(current);
  const BOOL lowerFound = SeekRadius(current, static_cast<float>(p), &CStdSizesRec::SeekLE, lower);
  const BOOL upperFound = SeekRadius(current, static_cast<float>(p), &CStdSizesRec::SeekGE, upper);
  if (!lowerFound && !upperFound) {
    out.result = CUnit::outOfBoundsUnchanged;
    return out;
  }
  const CStdSizesRec* chosen = &upper;
  BOOL outOfBounds = FALSE;
  if (lowerFound && upperFound) {
    chosen = p - lower.GetRadius() < upper.GetRadius() - p ? &lower : &upper;
  } else if (!lowerFound) {
    const double half =
        SeekNeighbour(upper, &CStdSizesRec::SeekGT, beyond) ? 0.5 * (beyond.GetRadius() - upper.GetRadius()) : 0.5 * r;
    outOfBounds = upper.GetRadius() - p > half;
  } else {
    chosen = &lower;
    const double half =
        SeekNeighbour(lower, &CStdSizesRec::SeekLT, beyond) ? 0.5 * (lower.GetRadius() - beyond.GetRadius()) : 0.5 * r;
    outOfBounds = p - lower.GetRadius() > half;
  }
  if (chosen->GetSizeCode() == proposed.GetSizeCode() && ShiftAgrees(left, handle, xDominates, storedShift)) {
    out.result = outOfBounds ? CUnit::outOfBoundsUnchanged : CUnit::inboundsUnchanged;
    return out;
  }
  out.action = propose;
  out.row = *chosen;
  out.shift = Shift(left, handle, xDominates, r - chosen->GetRadius());
  out.result = outOfBounds ? CUnit::outOfBoundsChanged : CUnit::inboundsChanged;
  return out;
}

void GetHandles(BOOL left, double width, double height, BOOL fixed, CSizingHandleArray& out)
{
  out.RemoveAll();
  auto code = [fixed](int sides) { return fixed ? 0 : sides; };
  out.Add(new CSizingHandle(CVRX2DPoint(0.0, 0.0), code(left ? 12 : CSizingHandle::allSides)));
  out.Add(new CSizingHandle(CVRX2DPoint(width, 0.0), code(left ? CSizingHandle::allSides : 12)));
  out.Add(new CSizingHandle(CVRX2DPoint(left ? width : 0.0, height), code(3)));
}

void GetSidesMoved(BOOL left, int handle, CDWordArray& flags)
{
  flags.SetSize(3);
  for (int i = 0; i < 3; ++i)
    flags[i] = 0;
  if (left)
    flags[1] = handle != 1 ? 1 : 0;
  else
    flags[0] = handle != 0 ? 1 : 0;
}

}  // namespace QtrRound
