#include "model/Stdarch.h"

#include <algorithm>
#include <cmath>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "model/Conform.h"
#include "model/Entcat.h"
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

// Sizes in the (width, shoulder height) plane, on the indexes that order rows by shoulder height
// and by width first; both keys go on with the radius.
const CConformPlane kPlane = {{CStdSizesRec::byShoulderWidthRadius, CStdSizesRec::byWidthShoulderRadius},
                              {&CStdSizesRec::GetShoulderHeight, &CStdSizesRec::GetWidth},
                              {&CStdSizesRec::SetShoulderHeight, &CStdSizesRec::SetWidth},
                              true};

double Primary(const CStdSizesRec& row, BOOL shoulderPrimary)
{
  return shoulderPrimary ? row.GetShoulderHeight() : row.GetWidth();
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
}  // namespace

namespace {
// Key (primary, cross, third) of index 7 (shoulder primary) or index 5 (width primary); the
// third part is the radius on both.
void SetKey(const CStdSizesRec& src, BOOL shoulderPrimary, double primary, double cross, double radius,
            CStdSizesRec& dst)
{
  dst = src;
  dst.SetShoulderHeight(static_cast<float>(shoulderPrimary ? primary : cross));
  dst.SetWidth(static_cast<float>(shoulderPrimary ? cross : primary));
  dst.SetRadius(static_cast<float>(radius));
}
}  // namespace

CUnit& CStandardArchedUnit::operator=(const CUnit& source)
{
  return AssignSameClass(source, kModule, kOtherClassAssignedLine);
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

int CStandardArchedUnit::DistanceToSize(double shoulderHeight, double width, const CStdSizesRec& a,
                                        const CStdSizesRec& b)
{
  return CompareNearness(Distance(shoulderHeight, width, a), Distance(shoulderHeight, width, b));
}

void CStandardArchedUnit::GetOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const double w = GetWidth();
  const double h = GetHeight();
  const double r = GetArchRadius();
  const double s = GetShoulderHeight();
  const double a = ShoulderAngle(w, r);
  out.Add(new CVRX2DLine(ecatPerimeterOutline, CVRX2DPoint(0.0, 0.0), CVRX2DPoint(w, 0.0)));
  out.Add(new CVRX2DLine(ecatPerimeterOutline, CVRX2DPoint(w, 0.0), CVRX2DPoint(w, s)));
  out.Add(new CVRX2DArc(ecatPerimeterOutline, CVRX2DPoint(w * 0.5, h - r), r, r, CVRXAngle(0.0), CVRXAngle(a),
                        CVRXAngle(VRX_PI - a)));
  out.Add(new CVRX2DLine(ecatPerimeterOutline, CVRX2DPoint(0.0, s), CVRX2DPoint(0.0, 0.0)));
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
  out.Add(new CVRX2DLine(ecatConstruction, CVRX2DPoint(0.0, h), CVRX2DPoint(w, h)));
  const double meet = std::cos(VRX_HALF_PI - a);
  if (meet > 1e-9) {
    const CVRX2DPoint apex(w * 0.5, h - r + r / meet);
    out.Add(new CVRX2DLine(ecatConstruction, CVRX2DPoint(0.0, s), apex));
    out.Add(new CVRX2DLine(ecatConstruction, CVRX2DPoint(w, s), apex));
  }
  out.Add(new CVRX2DArc(ecatConstruction, CVRX2DPoint(w * 0.5, h - r), r, r, CVRXAngle(0.0), CVRXAngle(a),
                        CVRXAngle(VRX_PI - a)));
}

template <class Visit>
void CStandardArchedUnit::WalkGroup(int index, double primary, Visit visit) const
{
  const BOOL byShoulder = index != CStdSizesRec::byWidthShoulderRadius;
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
  WalkGroup(CStdSizesRec::byWidthShoulderRadius, w, [&](const CStdSizesRec& row) {
    out.Add(ArchedHeight(row.GetShoulderHeight(), row.GetRadius(), w));
    return true;
  });
}

void CStandardArchedUnit::GetShoulderHeightsForWidth(CArray<double, double>& out) const
{
  out.SetSize(0);
  WalkGroup(CStdSizesRec::byWidthShoulderRadius, GetWidth(), [&](const CStdSizesRec& row) {
    out.Add(row.GetShoulderHeight());
    return true;
  });
}

void CStandardArchedUnit::GetSizesForWidth(CArray<double, double>& out) const
{
  out.SetSize(0);
  double last = 0.0;
  WalkGroup(CStdSizesRec::byShoulderWidthRadius, GetShoulderHeight(), [&](const CStdSizesRec& row) {
    if (row.GetWidth() != last)
      out.Add(last = row.GetWidth());
    return true;
  });
}

void CStandardArchedUnit::GetArchRadiiForShoulderHeight(CArray<double, double>& out) const
{
  out.SetSize(0);
  double last = 0.0;
  WalkGroup(CStdSizesRec::byShoulderRadiusWidth, GetShoulderHeight(), [&](const CStdSizesRec& row) {
    if (row.GetRadius() != last)
      out.Add(last = row.GetRadius());
    return true;
  });
}

void CStandardArchedUnit::SetArchRadius(double radius)
{
  WalkGroup(CStdSizesRec::byShoulderRadiusWidth, GetShoulderHeight(), [&](const CStdSizesRec& row) {
    if (static_cast<float>(row.GetRadius()) != static_cast<float>(radius))
      return true;
    SelectSize(CStdSizesRec(row));
    return false;
  });
}

void CStandardArchedUnit::SetShoulderHeight(double shoulderHeight)
{
  WalkGroup(CStdSizesRec::byWidthShoulderRadius, GetWidth(), [&](const CStdSizesRec& row) {
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
  for (int rc = cursor.SeekLE(CStdSizesRec::byWidthShoulderRadius, &atEnd);
       rc == 0 && IsOwnRow(cursor) && static_cast<float>(cursor.GetWidth()) == group; rc = cursor.Prev(&atEnd)) {
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
  if (probe.SeekGE(CStdSizesRec::byWidthShoulderRadius, &atEnd) != 0 || atEnd)
    throw CUnitException(kModule, kNoWidthRowLine);
  if (!IsOwnRow(probe) || static_cast<float>(probe.GetWidth()) != static_cast<float>(width))
    throw CUnitException(kModule, kWidthNotListedLine);
  SelectSize(probe);
}

int CStandardArchedUnit::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  PCTRACE(TT_UNIT, TL_DETAIL)("***** CStandardArchedUnit::ConformProposedSize() *****\n");
  return ConformToCatalogue(handle, drag, kPlane, kModule, kZeroShoulderChosenLine);
}
