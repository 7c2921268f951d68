#include "model/Stdarch.h"

#include <algorithm>
#include <cmath>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "support/Trace.h"

IMPLEMENT_DYNAMIC(CStandardArchedUnit, CStandardUnit)

namespace {
constexpr const char* kModule = "Stdarch";
constexpr int kOtherClassAssignedLine = 74;
constexpr int kZeroShoulderChosenLine = 525;
constexpr int kNoWidthRowLine = 1115;
constexpr int kWidthNotListedLine = 1118;

constexpr int kByShoulderRadius = 4;  // index: shoulder height, radius, width
constexpr int kByWidth = 5;           // index: width, shoulder height, radius
constexpr int kByShoulder = 7;        // index: shoulder height, width, radius
constexpr float kAbove = 10000.0f;
constexpr float kBelow = -10000.0f;
constexpr double kNoTolerance = 10000.0;
constexpr double kNoWinner = 10000.0;
constexpr int kOutlineCategory = 20;
constexpr int kConstructionCategory = 6;

const char* const kResultWords[] = {"inbounds; changed", "inbounds; unchanged", "out-of-bounds; changed",
                                    "out-of-bounds; unchanged"};

double Primary(const CStdSizesRec& row, BOOL shoulderPrimary)
{
  return shoulderPrimary ? row.GetShoulderHeight() : row.GetWidth();
}

double Cross(const CStdSizesRec& row, BOOL shoulderPrimary)
{
  return shoulderPrimary ? row.GetWidth() : row.GetShoulderHeight();
}

double Distance(double shoulderHeight, double width, const CStdSizesRec& row)
{
  return std::hypot(row.GetWidth() - width, row.GetShoulderHeight() - shoulderHeight);
}

// The angle at which the arch leaves each shoulder; a radius shorter than half the width (no
// catalogue row has one) is taken as a half circle rather than giving no number.
double ShoulderAngle(double width, double radius)
{
  return radius > 0.0 ? std::acos(std::clamp(width * 0.5 / radius, -1.0, 1.0)) : 0.0;
}
} // namespace

struct CStandardArchedUnit::CRequest
{
  double shoulderHeight = 0.0;
  double width = 0.0;
  BOOL shoulderOut = FALSE;
  BOOL widthOut = FALSE;
  double shoulderTolerance = kNoTolerance;
  double widthTolerance = kNoTolerance;
};

struct CStandardArchedUnit::CCandidate
{
  explicit CCandidate(const CStdSizesRec& current) : row(current) {}
  CStdSizesRec row;
  BOOL outOfBounds = FALSE;
};

namespace {
// Key (primary, cross, third) of index 7 (shoulder primary) or index 5 (width primary); the
// third part is the radius on both.
void SetKey(const CStdSizesRec& src, BOOL shoulderPrimary, double primary, double cross, double radius, CStdSizesRec& dst)
{
  dst = src;
  dst.SetShoulderHeight(static_cast<float>(shoulderPrimary ? primary : cross));
  dst.SetWidth(static_cast<float>(shoulderPrimary ? cross : primary));
  dst.SetRadius(static_cast<float>(radius));
}
} // namespace

CUnit& CStandardArchedUnit::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  if (!source.IsKindOf(GetRuntimeClass()))
    throw CUnitException(kModule, kOtherClassAssignedLine);
  return CStandardUnit::operator=(source);
}

double CStandardArchedUnit::GetArchRadius() const { return GetCurrentSize().GetRadius(); }
double CStandardArchedUnit::GetProposedArchRadius() const { return GetProposedSize().GetRadius(); }
double CStandardArchedUnit::GetShoulderHeight() const { return GetCurrentSize().GetShoulderHeight(); }
double CStandardArchedUnit::GetProposedShoulderHeight() const { return GetProposedSize().GetShoulderHeight(); }

// The rise is taken of a non-negative difference, so a radius shorter than half the width gives
// a half circle's rise instead of no number.
double CStandardArchedUnit::ArchedHeight(double shoulderHeight, double radius, double width)
{
  const double half = width * 0.5;
  return shoulderHeight + radius - std::sqrt(std::max(0.0, radius * radius - half * half));
}

void CStandardArchedUnit::SetStdSizesSearchKey(const CStdSizesRec& src, float width, float radius, float shoulderHeight,
                                               CStdSizesRec& dst)
{
  dst = src;
  dst.SetWidth(width);
  dst.SetRadius(radius);
  dst.SetShoulderHeight(shoulderHeight);
}

int CStandardArchedUnit::DistanceToSize(double shoulderHeight, double width, const CStdSizesRec& a, const CStdSizesRec& b)
{
  const double da = Distance(shoulderHeight, width, a);
  const double db = Distance(shoulderHeight, width, b);
  if (da < db)
    return -1;
  return db < da ? 1 : 0;
}

void CStandardArchedUnit::GetSidesMovedByHandle(int handle, CDWordArray& flags) const
{
  flags.SetSize(4);
  const int opposite = handle < 2 ? handle + 2 : handle - 2;
  for (int i = 0; i < 4; ++i)
    flags[i] = i == opposite ? 1 : 0;
}

void CStandardArchedUnit::GetOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const double w = GetWidth();
  const double h = GetHeight();
  const double r = GetArchRadius();
  const double s = GetShoulderHeight();
  const double a = ShoulderAngle(w, r);
  out.Add(new CVRX2DLine(kOutlineCategory, CVRX2DPoint(0.0, 0.0), CVRX2DPoint(w, 0.0)));
  out.Add(new CVRX2DLine(kOutlineCategory, CVRX2DPoint(w, 0.0), CVRX2DPoint(w, s)));
  out.Add(new CVRX2DArc(kOutlineCategory, CVRX2DPoint(w * 0.5, h - r), r, r, CVRXAngle(0.0), CVRXAngle(a),
                        CVRXAngle(VRX_PI - a)));
  out.Add(new CVRX2DLine(kOutlineCategory, CVRX2DPoint(0.0, s), CVRX2DPoint(0.0, 0.0)));
}

// The tangents at the shoulders meet above the arch; for a half circle they run parallel and
// are left out.
void CStandardArchedUnit::GetPartOutlineEntities(CVRX2DEntityArray& out) const
{
  CStandardUnit::GetPartOutlineEntities(out);
  const double w = GetWidth();
  const double h = GetHeight();
  const double r = GetArchRadius();
  const double s = GetShoulderHeight();
  const double a = ShoulderAngle(w, r);
  out.Add(new CVRX2DLine(kConstructionCategory, CVRX2DPoint(0.0, h), CVRX2DPoint(w, h)));
  const double meet = std::cos(VRX_HALF_PI - a);
  if (meet > 1e-9) {
    const CVRX2DPoint apex(w * 0.5, h - r + r / meet);
    out.Add(new CVRX2DLine(kConstructionCategory, CVRX2DPoint(0.0, s), apex));
    out.Add(new CVRX2DLine(kConstructionCategory, CVRX2DPoint(w, s), apex));
  }
  out.Add(new CVRX2DArc(kConstructionCategory, CVRX2DPoint(w * 0.5, h - r), r, r, CVRXAngle(0.0), CVRXAngle(a),
                        CVRXAngle(VRX_PI - a)));
}

template <class Visit>
void CStandardArchedUnit::WalkGroup(int index, double primary, Visit visit) const
{
  const BOOL byShoulder = index != kByWidth;
  CStdSizesRec cursor(GetCurrentSize());
  SetKey(GetCurrentSize(), byShoulder, primary, 0.0, 0.0, cursor);
  const float group = static_cast<float>(primary);
  BOOL atEnd = FALSE;
  for (int rc = cursor.SeekGE(index, &atEnd); rc == 0 && IsOwnRow(cursor); rc = cursor.Next(&atEnd)) {
    if (static_cast<float>(Primary(cursor, byShoulder)) != group || !visit(cursor))
      break;
  }
}

void CStandardArchedUnit::GetSizesForHeight(CArray<double, double>& out) const
{
  out.SetSize(0);
  const double w = GetWidth();
  WalkGroup(kByWidth, w, [&](const CStdSizesRec& row) {
    out.Add(ArchedHeight(row.GetShoulderHeight(), row.GetRadius(), w));
    return true;
  });
}

void CStandardArchedUnit::GetShoulderHeightsForWidth(CArray<double, double>& out) const
{
  out.SetSize(0);
  WalkGroup(kByWidth, GetWidth(), [&](const CStdSizesRec& row) {
    out.Add(row.GetShoulderHeight());
    return true;
  });
}

void CStandardArchedUnit::GetSizesForWidth(CArray<double, double>& out) const
{
  out.SetSize(0);
  double last = 0.0;
  WalkGroup(kByShoulder, GetShoulderHeight(), [&](const CStdSizesRec& row) {
    if (row.GetWidth() != last)
      out.Add(last = row.GetWidth());
    return true;
  });
}

void CStandardArchedUnit::GetArchRadiiForShoulderHeight(CArray<double, double>& out) const
{
  out.SetSize(0);
  double last = 0.0;
  WalkGroup(kByShoulderRadius, GetShoulderHeight(), [&](const CStdSizesRec& row) {
    if (row.GetRadius() != last)
      out.Add(last = row.GetRadius());
    return true;
  });
}

void CStandardArchedUnit::SetArchRadius(double radius)
{
  WalkGroup(kByShoulderRadius, GetShoulderHeight(), [&](const CStdSizesRec& row) {
    if (static_cast<float>(row.GetRadius()) != static_cast<float>(radius))
      return true;
    SelectSize(CStdSizesRec(row));
    return false;
  });
}

void CStandardArchedUnit::SetShoulderHeight(double shoulderHeight)
{
  WalkGroup(kByWidth, GetWidth(), [&](const CStdSizesRec& row) {
    if (static_cast<float>(row.GetShoulderHeight()) != static_cast<float>(shoulderHeight))
      return true;
    SelectSize(CStdSizesRec(row));
    return false;
  });
}

// Walks down the rows of the current width from the given value taken as a shoulder height:
// a row's full height always exceeds its shoulder height.
void CStandardArchedUnit::SetHeight(double height)
{
  const double w = GetWidth();
  const float group = static_cast<float>(w);
  CStdSizesRec cursor(GetCurrentSize());
  SetKey(GetCurrentSize(), FALSE, w, height, 0.0, cursor);
  BOOL atEnd = FALSE;
  for (int rc = cursor.SeekLE(kByWidth, &atEnd); rc == 0 && IsOwnRow(cursor) && static_cast<float>(cursor.GetWidth()) == group;
       rc = cursor.Prev(&atEnd)) {
    if (ArchedHeight(cursor.GetShoulderHeight(), cursor.GetRadius(), w) == height) {
      PCTRACE(TT_UNIT, TL_DETAIL)("Setting unit to new size (size code %s).\n", cursor.GetSizeCode().c_str());
      SelectSize(CStdSizesRec(cursor));
      return;
    }
  }
  PCTRACE(TT_UNIT, TL_WARNING)("Could not find a database shoulder height matching a unit height of %f.\n", height);
}

// The search runs on a copy, so a width the catalogue lacks leaves the size as it was.
void CStandardArchedUnit::SetWidth(double width)
{
  CStdSizesRec probe(GetCurrentSize());
  SetKey(GetCurrentSize(), FALSE, width, 0.0, 0.0, probe);
  BOOL atEnd = FALSE;
  if (probe.SeekGE(kByWidth, &atEnd) != 0 || atEnd)
    throw CUnitException(kModule, kNoWidthRowLine);
  if (!IsOwnRow(probe) || static_cast<float>(probe.GetWidth()) != static_cast<float>(width))
    throw CUnitException(kModule, kWidthNotListedLine);
  SelectSize(probe);
}

BOOL CStandardArchedUnit::StartCandidate(int rc, BOOL atEnd, float sentinel, BOOL shoulderPrimary, CRequest& request,
                                         CCandidate& candidate) const
{
  if (atEnd || (rc == 0 && !IsOwnRow(candidate.row))) {
    candidate.outOfBounds = TRUE;
    (shoulderPrimary ? request.shoulderOut : request.widthOut) = TRUE;
    SetStdSizesSearchKey(GetCurrentSize(), sentinel, sentinel, sentinel, candidate.row);
    return FALSE;
  }
  if (rc != 0) {
    SetStdSizesSearchKey(GetCurrentSize(), 0.0f, 0.0f, 0.0f, candidate.row);
    return FALSE;
  }
  return TRUE;
}

// The lowest row at least as large in the primary dimension; when it is too small across, the
// nearer of A (the largest across below the request) and B (the next row after it).
void CStandardArchedUnit::FindAbove(BOOL shoulderPrimary, CRequest& request, CCandidate& candidate) const
{
  const int index = shoulderPrimary ? kByShoulder : kByWidth;
  const double primary = shoulderPrimary ? request.shoulderHeight : request.width;
  const double cross = shoulderPrimary ? request.width : request.shoulderHeight;
  BOOL atEnd = FALSE;
  SetKey(GetCurrentSize(), shoulderPrimary, primary, 0.0, 0.0, candidate.row);
  const int rc = candidate.row.SeekGT(index, &atEnd);
  if (!StartCandidate(rc, atEnd, kAbove, shoulderPrimary, request, candidate) || Cross(candidate.row, shoulderPrimary) >= cross)
    return;
  const double group = Primary(candidate.row, shoulderPrimary);
  CStdSizesRec a(candidate.row);
  SetKey(candidate.row, shoulderPrimary, group, cross, kAbove, a);
  if (a.SeekLE(index, &atEnd) == 0)
    candidate.row = a;
  if (Cross(candidate.row, shoulderPrimary) >= cross)
    return;
  CStdSizesRec b(candidate.row);
  SetKey(candidate.row, shoulderPrimary, group, cross, 0.0, b);
  if (b.SeekGT(index, &atEnd) != 0 || atEnd || !IsOwnRow(b)) {
    candidate.outOfBounds = TRUE;
    (shoulderPrimary ? request.widthOut : request.shoulderOut) = TRUE;
    return;
  }
  if (DistanceToSize(request.shoulderHeight, request.width, candidate.row, b) >= 0)
    candidate.row = b;
}

// The mirror of FindAbove, from the highest row at most as large in the primary dimension.
void CStandardArchedUnit::FindBelow(BOOL shoulderPrimary, CRequest& request, CCandidate& candidate) const
{
  const int index = shoulderPrimary ? kByShoulder : kByWidth;
  const double primary = shoulderPrimary ? request.shoulderHeight : request.width;
  const double cross = shoulderPrimary ? request.width : request.shoulderHeight;
  BOOL atEnd = FALSE;
  SetKey(GetCurrentSize(), shoulderPrimary, primary, kAbove, kAbove, candidate.row);
  const int rc = candidate.row.SeekLT(index, &atEnd);
  if (!StartCandidate(rc, atEnd, kBelow, shoulderPrimary, request, candidate) || Cross(candidate.row, shoulderPrimary) <= cross)
    return;
  const double group = Primary(candidate.row, shoulderPrimary);
  CStdSizesRec a(candidate.row);
  SetKey(candidate.row, shoulderPrimary, group, cross, 0.0, a);
  if (a.SeekGE(index, &atEnd) == 0)
    candidate.row = a;
  if (Cross(candidate.row, shoulderPrimary) <= cross)
    return;
  CStdSizesRec b(candidate.row);
  SetKey(candidate.row, shoulderPrimary, group, cross, kAbove, b);
  if (b.SeekLT(index, &atEnd) != 0 || atEnd || !IsOwnRow(b)) {
    candidate.outOfBounds = TRUE;
    (shoulderPrimary ? request.widthOut : request.shoulderOut) = TRUE;
    return;
  }
  if (DistanceToSize(request.shoulderHeight, request.width, candidate.row, b) >= 0)
    candidate.row = b;
}

double CStandardArchedUnit::HalfStep(BOOL shoulderPrimary, BOOL above) const
{
  const int index = shoulderPrimary ? kByShoulder : kByWidth;
  BOOL atEnd = FALSE;
  CStdSizesRec outermost(GetCurrentSize());
  const float start = above ? kAbove : 0.0f;
  SetStdSizesSearchKey(GetCurrentSize(), start, start, start, outermost);
  const int rc = above ? outermost.SeekLT(index, &atEnd) : outermost.SeekGT(index, &atEnd);
  if (rc != 0 || atEnd || !IsOwnRow(outermost))
    return kNoTolerance;
  const double outer = Primary(outermost, shoulderPrimary);
  CStdSizesRec next(outermost);
  SetKey(outermost, shoulderPrimary, outer, above ? 0.0 : kAbove, above ? 0.0 : kAbove, next);
  const int rcNext = above ? next.SeekLT(index, &atEnd) : next.SeekGT(index, &atEnd);
  if (rcNext != 0 || atEnd || !IsOwnRow(next))
    return outer * 0.5;
  return std::fabs(outer - Primary(next, shoulderPrimary)) * 0.5;
}

// A drag past the largest or smallest size by no more than half the last step is in bounds;
// later rules replace earlier ones.
void CStandardArchedUnit::ComputeTolerances(const CCandidate* candidates, CRequest& request) const
{
  if (candidates[0].outOfBounds && request.shoulderOut)
    request.shoulderTolerance = HalfStep(TRUE, TRUE);
  if (candidates[1].outOfBounds && request.widthOut)
    request.widthTolerance = HalfStep(FALSE, TRUE);
  if (candidates[2].outOfBounds && request.shoulderOut)
    request.shoulderTolerance = HalfStep(TRUE, FALSE);
  if (candidates[3].outOfBounds && request.widthOut)
    request.widthTolerance = HalfStep(FALSE, FALSE);
}

void CStandardArchedUnit::SetProposedOffset(int handle, const CStdSizesRec& chosen)
{
  const double dw = GetWidth() - chosen.GetWidth();
  const double ds = GetShoulderHeight() - chosen.GetShoulderHeight();
  switch (handle) {
  case 0: m_vProposedOffset.Set(dw, ds); break;
  case 1: m_vProposedOffset.Set(0.0, ds); break;
  case 2: m_vProposedOffset.Set(0.0, 0.0); break;
  case 3: m_vProposedOffset.Set(dw, 0.0); break;
  default: break;
  }
}

// Out-of-bounds candidates stand at the sentinels and never win; a request that no candidate
// comes within reach of keeps the proposed size.
int CStandardArchedUnit::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  PCTRACE(TT_UNIT, TL_DETAIL)("***** CStandardArchedUnit::ConformProposedSize() *****\n");
  CRequest request;
  if (!GetDraggedSpans(handle, drag, request.shoulderHeight, request.width))
    return outOfBoundsUnchanged;
  PCTRACE(TT_UNIT, TL_VERBOSE)("Handle %d, delta (%f, %f), proposed shoulder %f, width %f\n", handle, drag.GetX(),
                               drag.GetY(), request.shoulderHeight, request.width);

  CCandidate candidates[4] = {CCandidate(GetCurrentSize()), CCandidate(GetCurrentSize()), CCandidate(GetCurrentSize()),
                              CCandidate(GetCurrentSize())};
  FindAbove(TRUE, request, candidates[0]);
  FindAbove(FALSE, request, candidates[1]);
  FindBelow(TRUE, request, candidates[2]);
  FindBelow(FALSE, request, candidates[3]);
  ComputeTolerances(candidates, request);
  const BOOL out =
    (request.shoulderOut && std::fabs(request.shoulderHeight - GetProposedShoulderHeight()) > request.shoulderTolerance) ||
    (request.widthOut && std::fabs(request.width - GetProposedWidth()) > request.widthTolerance);

  int best = -1;
  double bestDistance = kNoWinner;
  for (int i = 0; i < 4; ++i) {
    if (candidates[i].outOfBounds)
      PCTRACE(TT_UNIT, TL_VERBOSE)("Size[%d] Out-Of-Bounds\n", i);
    const double d = Distance(request.shoulderHeight, request.width, candidates[i].row);
    if (d < bestDistance) {
      best = i;
      bestDistance = d;
    }
  }
  int result = out ? outOfBoundsUnchanged : inboundsUnchanged;
  if (best >= 0) {
    const CStdSizesRec& chosen = candidates[best].row;
    if (chosen.GetShoulderHeight() == 0.0)
      throw CUnitException(kModule, kZeroShoulderChosenLine);
    PCTRACE(TT_UNIT, TL_DETAIL)("Selected size %d (%s)\n", best, chosen.GetSizeCode().c_str());
    if (chosen.GetSizeCode() != GetProposedSize().GetSizeCode()) {
      SetProposedSize(chosen);
      SetProposedOffset(handle, chosen);
      result = out ? outOfBoundsChanged : inboundsChanged;
    }
  }
  PCTRACE(TT_UNIT, TL_DETAIL)("Result: %s\n", kResultWords[result]);
  return result;
}
