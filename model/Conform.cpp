#include "model/Conform.h"

#include <cmath>

#include "model/Stdunit.h"
#include "model/Unitexcp.h"
#include "support/Trace.h"

namespace {
// Search-key values beyond and below every catalogue size.
constexpr float kAbove = 10000.0f;
constexpr float kBelow = -10000.0f;
// The tolerance of a dimension no half-step rule applies to.
constexpr double kNoTolerance = 10000.0;
constexpr double kNoWinner = 10000.0;

const char* const kResultWords[] = {"inbounds; changed", "inbounds; unchanged", "out-of-bounds; changed",
                                    "out-of-bounds; unchanged"};
}  // namespace

// The request of one drag step by dimension, and the out-of-bounds flags and half-step
// tolerances found while it is conformed.
struct CSizeConformer::CRequest
{
  double value[2] = {0.0, 0.0};
  BOOL out[2] = {FALSE, FALSE};
  double tolerance[2] = {kNoTolerance, kNoTolerance};

  double DistanceTo(const CSizeConformer& conformer, const CStdSizesRec& row) const
  {
    return std::hypot(conformer.Value(row, 1) - value[1], conformer.Value(row, 0) - value[0]);
  }
};

int CompareNearness(double a, double b)
{
  if (a < b)
    return -1;
  return b < a ? 1 : 0;
}

CSizeConformer::CSizeConformer(const CConformPlane& plane, const CStdSizesRec& current)
  : m_Plane(plane), m_Current(current)
{}

void CSizeConformer::SetKey(const CStdSizesRec& src, int primaryDim, double primary, double cross, double third,
                            CStdSizesRec& dst) const
{
  dst = src;
  (dst.*m_Plane.set[primaryDim])(static_cast<float>(primary));
  (dst.*m_Plane.set[1 - primaryDim])(static_cast<float>(cross));
  if (m_Plane.keyRadius)
    dst.SetRadius(static_cast<float>(third));
}

BOOL CSizeConformer::IsOwnRow(const CStdSizesRec& row) const
{
  return row.GetTypeCode() == m_Current.GetTypeCode() && row.GetSubtypeCode() == m_Current.GetSubtypeCode();
}

// The end flag is read here only: it tells a search that ran off the table (the unit has no row
// there: out of bounds, parked at a sentinel far from any request) from a seek that failed
// otherwise (the candidate is the empty size). Anywhere else a found row never has it set.
BOOL CSizeConformer::StartCandidate(int rc, BOOL atEnd, float sentinel, int dim, CRequest& request,
                                    CCandidate& candidate) const
{
  if (rc != 0 && !atEnd) {
    SetKey(m_Current, dim, 0.0, 0.0, 0.0, candidate.row);
    return FALSE;
  }
  if (rc == 0 && IsOwnRow(candidate.row))
    return TRUE;
  candidate.outOfBounds = TRUE;
  candidate.parked = TRUE;
  request.out[dim] = TRUE;
  SetKey(m_Current, dim, sentinel, sentinel, sentinel, candidate.row);
  return FALSE;
}

// Above: the first row at least as large in the primary dimension (the smallest across there);
// when it is too small across, the nearer of A, the largest across below the request in that
// group, and B, the row after A, which may lie in the next group. Below is the mirror.
void CSizeConformer::FindAbove(int dim, CRequest& request, CCandidate& candidate) const
{
  const int index = m_Plane.index[dim];
  const int other = 1 - dim;
  const double cross = request.value[other];
  BOOL atEnd = FALSE;
  SetKey(m_Current, dim, request.value[dim], 0.0, 0.0, candidate.row);
  const int rc = candidate.row.SeekGT(index, &atEnd);
  if (!StartCandidate(rc, atEnd, kAbove, dim, request, candidate) || Value(candidate.row, other) >= cross)
    return;
  const double group = Value(candidate.row, dim);
  CStdSizesRec a(candidate.row);
  SetKey(candidate.row, dim, group, cross, kAbove, a);
  // The row found first lies at or below this key, so the seek finds a row; should it not, the
  // first row serves as A.
  if (a.SeekLE(index, &atEnd) == 0)
    candidate.row = a;
  if (Value(candidate.row, other) >= cross)
    return;
  CStdSizesRec b(candidate.row);
  SetKey(candidate.row, dim, group, cross, 0.0, b);
  if (b.SeekGT(index, &atEnd) != 0 || !IsOwnRow(b)) {
    candidate.outOfBounds = TRUE;
    request.out[other] = TRUE;
    return;
  }
  // A only when strictly nearer.
  if (request.DistanceTo(*this, candidate.row) >= request.DistanceTo(*this, b))
    candidate.row = b;
}

void CSizeConformer::FindBelow(int dim, CRequest& request, CCandidate& candidate) const
{
  const int index = m_Plane.index[dim];
  const int other = 1 - dim;
  const double cross = request.value[other];
  BOOL atEnd = FALSE;
  SetKey(m_Current, dim, request.value[dim], kAbove, kAbove, candidate.row);
  const int rc = candidate.row.SeekLT(index, &atEnd);
  if (!StartCandidate(rc, atEnd, kBelow, dim, request, candidate) || Value(candidate.row, other) <= cross)
    return;
  const double group = Value(candidate.row, dim);
  CStdSizesRec a(candidate.row);
  SetKey(candidate.row, dim, group, cross, 0.0, a);
  if (a.SeekGE(index, &atEnd) == 0)
    candidate.row = a;
  if (Value(candidate.row, other) <= cross)
    return;
  CStdSizesRec b(candidate.row);
  SetKey(candidate.row, dim, group, cross, kAbove, b);
  if (b.SeekLT(index, &atEnd) != 0 || !IsOwnRow(b)) {
    candidate.outOfBounds = TRUE;
    request.out[other] = TRUE;
    return;
  }
  if (request.DistanceTo(*this, candidate.row) >= request.DistanceTo(*this, b))
    candidate.row = b;
}

// Half the step between the outermost value of a dimension and the next one. The outermost row
// is sought on the dimension's own index, so that the step is the last one of that dimension.
double CSizeConformer::HalfStep(int dim, BOOL above) const
{
  const int index = m_Plane.index[dim];
  BOOL atEnd = FALSE;
  CStdSizesRec outermost(m_Current);
  const double start = above ? kAbove : 0.0;
  SetKey(m_Current, dim, start, start, start, outermost);
  const int rc = above ? outermost.SeekLT(index, &atEnd) : outermost.SeekGT(index, &atEnd);
  if (rc != 0 || !IsOwnRow(outermost))
    return kNoTolerance;
  const double outer = Value(outermost, dim);
  CStdSizesRec next(outermost);
  const double rest = above ? 0.0 : kAbove;
  SetKey(outermost, dim, outer, rest, rest, next);
  const int rcNext = above ? next.SeekLT(index, &atEnd) : next.SeekGT(index, &atEnd);
  if (rcNext != 0 || !IsOwnRow(next))
    return outer * 0.5;
  return std::fabs(outer - Value(next, dim)) * 0.5;
}

// A request past the largest or smallest size by no more than half the last step is in bounds;
// the rules below run in this order and a later one replaces an earlier one.
void CSizeConformer::ComputeTolerances(const CCandidate* candidates, CRequest& request) const
{
  for (int i = 0; i < 4; ++i) {
    const int dim = i % 2;
    if (candidates[i].outOfBounds && request.out[dim])
      request.tolerance[dim] = HalfStep(dim, i < 2);
  }
}

// The nearest candidate wins, ties to the lowest number, but only a row of the unit within the
// sentinel distance: a candidate parked at a sentinel stands for no row and never wins, however
// near the request comes to it, and a request farther than that from every row keeps the
// proposal.
BOOL CSizeConformer::Conform(double up, double across, const CStdSizesRec& proposed, CStdSizesRec& chosen,
                             BOOL& out) const
{
  CRequest request;
  request.value[0] = up;
  request.value[1] = across;
  CCandidate candidates[4] = {CCandidate(m_Current), CCandidate(m_Current), CCandidate(m_Current),
                              CCandidate(m_Current)};
  FindAbove(0, request, candidates[0]);
  FindAbove(1, request, candidates[1]);
  FindBelow(0, request, candidates[2]);
  FindBelow(1, request, candidates[3]);
  ComputeTolerances(candidates, request);
  out = FALSE;
  for (int dim = 0; dim < 2; ++dim)
    if (request.out[dim] && std::fabs(request.value[dim] - Value(proposed, dim)) > request.tolerance[dim])
      out = TRUE;

  int best = -1;
  double bestDistance = kNoWinner;
  for (int i = 0; i < 4; ++i) {
    if (candidates[i].outOfBounds)
      PCTRACE(TT_UNIT, TL_VERBOSE)("Size[%d] Out-Of-Bounds\n", i);
    if (candidates[i].parked)
      continue;
    const double d = request.DistanceTo(*this, candidates[i].row);
    if (d < bestDistance) {
      best = i;
      bestDistance = d;
    }
  }
  if (best < 0)
    return FALSE;
  chosen = candidates[best].row;
  PCTRACE(TT_UNIT, TL_DETAIL)("Selected size %d (%s)\n", best, chosen.GetSizeCode().c_str());
  return TRUE;
}

int CStandardUnit::ConformToCatalogue(int handle, const CVRX2DVector& drag, const CConformPlane& plane,
                                      const char* module, int zeroLine)
{
  double up = 0.0;
  double across = 0.0;
  if (!GetDraggedSpans(handle, drag, up, across))
    return outOfBoundsUnchanged;
  PCTRACE(TT_UNIT, TL_VERBOSE)
  ("Handle %d, delta (%f, %f), proposed %f by %f\n", handle, drag.GetX(), drag.GetY(), up, across);
  CStdSizesRec chosen(GetCurrentSize());
  BOOL out = FALSE;
  const BOOL found = CSizeConformer(plane, GetCurrentSize()).Conform(up, across, GetProposedSize(), chosen, out);
  int result = out ? outOfBoundsUnchanged : inboundsUnchanged;
  if (found) {
    const double chosenUp = (chosen.*plane.get[0])();
    if (chosenUp == 0.0)
      throw CUnitException(module, zeroLine);
    if (chosen.GetSizeCode() != GetProposedSize().GetSizeCode()) {
      const double dw = GetWidth() - chosen.GetWidth();
      const double du = (GetCurrentSize().*plane.get[0])() - chosenUp;
      SetProposedSize(chosen);
      SetProposedOffset(handle, dw, du);
      result = out ? outOfBoundsChanged : inboundsChanged;
    }
  }
  PCTRACE(TT_UNIT, TL_DETAIL)("Result: %s\n", kResultWords[result]);
  return result;
}

CUnit& CStandardUnit::AssignSameClass(const CUnit& source, const char* module, int line)
{
  if (&source == this)
    return *this;
  if (!source.IsKindOf(GetRuntimeClass()))
    throw CUnitException(module, line);
  return CStandardUnit::operator=(source);
}

void CStandardUnit::FlagOppositeCorner(int handle, CDWordArray& flags)
{
  flags.SetSize(4);
  const int opposite = handle < 2 ? handle + 2 : handle - 2;
  for (int i = 0; i < 4; ++i)
    flags[i] = i == opposite ? 1 : 0;
}

// The corner diagonally opposite the dragged handle keeps its place.
void CStandardUnit::SetProposedOffset(int handle, double dw, double du)
{
  switch (handle) {
  case 0:
    m_vProposedOffset.Set(dw, du);
    break;
  case 1:
    m_vProposedOffset.Set(0.0, du);
    break;
  case 2:
    m_vProposedOffset.Set(0.0, 0.0);
    break;
  case 3:
    m_vProposedOffset.Set(dw, 0.0);
    break;
  default:
    break;
  }
}
