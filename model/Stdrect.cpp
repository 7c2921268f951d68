#include "model/Stdrect.h"

#include <cmath>

#include "geometry/2dline.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"

IMPLEMENT_DYNAMIC(CStandardRectangularUnit, CStandardUnit)

namespace {
constexpr const char* kModule = "Stdrect";
constexpr int kOtherClassAssignedLine = 78;
constexpr int kZeroHeightChosenLine = 445;

constexpr int kByHeight = 2;  // index: type, subtype, height, width
constexpr int kByWidth = 3;   // index: type, subtype, width, height
// Search-key values beyond and below every catalogue size.
constexpr float kAbove = 10000.0f;
constexpr float kBelow = -10000.0f;
constexpr double kNoThreshold = 10000.0;
constexpr int kProposedOutlineCategory = 19;
} // namespace

// The request of one drag step and the out-of-bounds flags raised while it is conformed.
struct CStandardRectangularUnit::CRequest
{
  double height = 0.0;
  double width = 0.0;
  BOOL heightOut = FALSE;
  BOOL widthOut = FALSE;
  double heightThreshold = kNoThreshold;
  double widthThreshold = kNoThreshold;
};

struct CStandardRectangularUnit::CCandidate
{
  explicit CCandidate(const CStdSizesRec& current) : row(current) {}
  CStdSizesRec row;
  BOOL failed = FALSE;
};

namespace {
// One of the two dimensions of a size, as the primary key part of an index or as its cross part.
double Dimension(const CStdSizesRec& row, BOOL height) { return height ? row.GetHeight() : row.GetWidth(); }

// Key (primary, cross) on the index of the primary dimension.
void SetKey(const CStdSizesRec& src, BOOL heightPrimary, double primary, double cross, CStdSizesRec& dst)
{
  dst = src;
  dst.SetHeight(static_cast<float>(heightPrimary ? primary : cross));
  dst.SetWidth(static_cast<float>(heightPrimary ? cross : primary));
}

double Distance(double height, double width, const CStdSizesRec& row)
{
  return std::hypot(row.GetWidth() - width, row.GetHeight() - height);
}
} // namespace

CUnit& CStandardRectangularUnit::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  if (!source.IsKindOf(GetRuntimeClass()))
    throw CUnitException(kModule, kOtherClassAssignedLine);
  return CStandardUnit::operator=(source);
}

void CStandardRectangularUnit::GetSidesMovedByHandle(int handle, CDWordArray& flags) const
{
  flags.SetSize(4);
  const int opposite = handle < 2 ? handle + 2 : handle - 2;
  for (int i = 0; i < 4; ++i)
    flags[i] = i == opposite ? 1 : 0;
}

CVRX2DVector CStandardRectangularUnit::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const double w = GetProposedWidth();
  const double h = GetProposedHeight();
  const CVRX2DPoint corners[] = {CVRX2DPoint(0.0, 0.0), CVRX2DPoint(w, 0.0), CVRX2DPoint(w, h), CVRX2DPoint(0.0, h)};
  for (int i = 0; i < 4; ++i)
    out.Add(new CVRX2DLine(kProposedOutlineCategory, corners[i], corners[(i + 1) % 4]));
  return m_vProposedOffset;
}

int CStandardRectangularUnit::CompareSizeDistance(double height, double width, const CStdSizesRec& a, const CStdSizesRec& b)
{
  const double da = Distance(height, width, a);
  const double db = Distance(height, width, b);
  if (da < db)
    return -1;
  return db < da ? 1 : 0;
}

// The first seek of a candidate. A search that runs off the unit's rows marks the candidate
// failed and parks it at a sentinel size far from any request.
BOOL CStandardRectangularUnit::StartCandidate(int rc, BOOL atEnd, float sentinel, BOOL heightPrimary,
                                              CRequest& request, CCandidate& candidate) const
{
  if (atEnd || (rc == 0 && !IsOwnRow(candidate.row))) {
    candidate.failed = TRUE;
    (heightPrimary ? request.heightOut : request.widthOut) = TRUE;
    SetStdSizesKey(GetCurrentSize(), sentinel, sentinel, candidate.row);
    return FALSE;
  }
  if (rc != 0) {
    SetStdSizesKey(GetCurrentSize(), 0.0f, 0.0f, candidate.row);
    return FALSE;
  }
  return TRUE;
}

// The first row at least as large in the primary dimension (the smallest of the cross dimension
// there); when it is too small across, the nearer of the two rows that bracket the requested
// cross dimension, the second of which may already lie in the next primary group.
void CStandardRectangularUnit::FindAbove(BOOL heightPrimary, CRequest& request, CCandidate& candidate) const
{
  const int index = heightPrimary ? kByHeight : kByWidth;
  const double primary = heightPrimary ? request.height : request.width;
  const double cross = heightPrimary ? request.width : request.height;
  BOOL atEnd = FALSE;
  SetKey(GetCurrentSize(), heightPrimary, primary, 0.0, candidate.row);
  const int rc = candidate.row.SeekGT(index, &atEnd);
  if (!StartCandidate(rc, atEnd, kAbove, heightPrimary, request, candidate) || Dimension(candidate.row, !heightPrimary) >= cross)
    return;
  CStdSizesRec lower(candidate.row);
  SetKey(candidate.row, heightPrimary, Dimension(candidate.row, heightPrimary), cross, lower);
  if (lower.SeekLE(index, &atEnd) != 0)
    return;
  candidate.row = lower;
  if (Dimension(lower, !heightPrimary) >= cross)
    return;
  CStdSizesRec upper(lower);
  SetKey(lower, heightPrimary, Dimension(lower, heightPrimary), cross, upper);
  if (upper.SeekGT(index, &atEnd) != 0 || atEnd || !IsOwnRow(upper)) {
    candidate.failed = TRUE;
    (heightPrimary ? request.widthOut : request.heightOut) = TRUE;
    return;
  }
  if (CompareSizeDistance(request.height, request.width, lower, upper) >= 0)
    candidate.row = upper;
}

// The mirror of FindAbove: the last row at most as large in the primary dimension (the largest
// of the cross dimension there), moved down across when it is too large.
void CStandardRectangularUnit::FindBelow(BOOL heightPrimary, CRequest& request, CCandidate& candidate) const
{
  const int index = heightPrimary ? kByHeight : kByWidth;
  const double primary = heightPrimary ? request.height : request.width;
  const double cross = heightPrimary ? request.width : request.height;
  BOOL atEnd = FALSE;
  SetKey(GetCurrentSize(), heightPrimary, primary, kAbove, candidate.row);
  const int rc = candidate.row.SeekLT(index, &atEnd);
  if (!StartCandidate(rc, atEnd, kBelow, heightPrimary, request, candidate) || Dimension(candidate.row, !heightPrimary) <= cross)
    return;
  CStdSizesRec upper(candidate.row);
  SetKey(candidate.row, heightPrimary, Dimension(candidate.row, heightPrimary), cross, upper);
  if (upper.SeekGE(index, &atEnd) != 0)
    return;
  candidate.row = upper;
  if (Dimension(upper, !heightPrimary) <= cross)
    return;
  CStdSizesRec lower(upper);
  SetKey(upper, heightPrimary, Dimension(upper, heightPrimary), cross, lower);
  if (lower.SeekLT(index, &atEnd) != 0 || atEnd || !IsOwnRow(lower)) {
    candidate.failed = TRUE;
    (heightPrimary ? request.widthOut : request.heightOut) = TRUE;
    return;
  }
  if (CompareSizeDistance(request.height, request.width, upper, lower) >= 0)
    candidate.row = lower;
}

double CStandardRectangularUnit::HalfStep(BOOL heightPrimary, BOOL above, const CStdSizesRec& outermost) const
{
  const double outer = Dimension(outermost, heightPrimary);
  CStdSizesRec next(outermost);
  SetKey(outermost, heightPrimary, outer, above ? 0.0 : kAbove, next);
  BOOL atEnd = FALSE;
  const int index = heightPrimary ? kByHeight : kByWidth;
  const int rc = above ? next.SeekLT(index, &atEnd) : next.SeekGT(index, &atEnd);
  if (rc != 0 || !IsOwnRow(next))
    return outer * 0.5;
  return std::fabs(outer - Dimension(next, heightPrimary)) * 0.5;
}

// A request past the largest or smallest catalogue size by no more than half the last step
// still counts as in bounds. The outermost row is the tallest (shortest) one, also for widths.
void CStandardRectangularUnit::ComputeThresholds(const CCandidate* candidates, CRequest& request) const
{
  BOOL atEnd = FALSE;
  if (candidates[0].failed || candidates[1].failed) {
    CStdSizesRec top(GetCurrentSize());
    SetStdSizesKey(GetCurrentSize(), kAbove, kAbove, top);
    if (top.SeekLT(kByHeight, &atEnd) == 0 && IsOwnRow(top)) {
      if (candidates[0].failed && request.heightOut)
        request.heightThreshold = HalfStep(TRUE, TRUE, top);
      if (candidates[1].failed && request.widthOut)
        request.widthThreshold = HalfStep(FALSE, TRUE, top);
    }
  }
  if (candidates[2].failed || candidates[3].failed) {
    CStdSizesRec bottom(GetCurrentSize());
    SetStdSizesKey(GetCurrentSize(), 0.0f, 0.0f, bottom);
    if (bottom.SeekGT(kByHeight, &atEnd) == 0 && IsOwnRow(bottom)) {
      if (candidates[2].failed && request.heightOut)
        request.heightThreshold = HalfStep(TRUE, FALSE, bottom);
      if (candidates[3].failed && request.widthOut)
        request.widthThreshold = HalfStep(FALSE, FALSE, bottom);
    }
  }
}

// The corner diagonally opposite the dragged handle keeps its place.
void CStandardRectangularUnit::SetProposedOffset(int handle, const CStdSizesRec& chosen)
{
  const double dw = GetWidth() - chosen.GetWidth();
  const double dh = GetHeight() - chosen.GetHeight();
  switch (handle) {
  case 0: m_vProposedOffset.Set(dw, dh); break;
  case 1: m_vProposedOffset.Set(0.0, dh); break;
  case 2: m_vProposedOffset.Set(0.0, 0.0); break;
  case 3: m_vProposedOffset.Set(dw, 0.0); break;
  default: break;
  }
}

int CStandardRectangularUnit::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  CRequest request;
  if (!GetDraggedSpans(handle, drag, request.height, request.width))
    return outOfBoundsUnchanged;

  CCandidate candidates[4] = {CCandidate(GetCurrentSize()), CCandidate(GetCurrentSize()), CCandidate(GetCurrentSize()),
                              CCandidate(GetCurrentSize())};
  FindAbove(TRUE, request, candidates[0]);
  FindAbove(FALSE, request, candidates[1]);
  FindBelow(TRUE, request, candidates[2]);
  FindBelow(FALSE, request, candidates[3]);
  ComputeThresholds(candidates, request);
  const BOOL out = (request.heightOut && std::fabs(request.height - GetProposedHeight()) > request.heightThreshold) ||
                   (request.widthOut && std::fabs(request.width - GetProposedWidth()) > request.widthThreshold);

  int best = 0;
  double bestDistance = Distance(request.height, request.width, candidates[0].row);
  for (int i = 1; i < 4; ++i) {
    const double d = Distance(request.height, request.width, candidates[i].row);
    if (d < bestDistance) {
      best = i;
      bestDistance = d;
    }
  }
  const CStdSizesRec& chosen = candidates[best].row;
  if (chosen.GetHeight() == 0.0)
    throw CUnitException(kModule, kZeroHeightChosenLine);
  if (chosen.GetSizeCode() == GetProposedSize().GetSizeCode())
    return out ? outOfBoundsUnchanged : inboundsUnchanged;
  SetProposedSize(chosen);
  SetProposedOffset(handle, chosen);
  return out ? outOfBoundsChanged : inboundsChanged;
}
