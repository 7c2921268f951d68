// The single-leg shape: its quantities, limit checks, dimensions, attribute string and texts.
#include "units/standard/Arsl.h"

#include <algorithm>
#include <cmath>

#include "geometry/2dline.h"
#include "model/Curropts.h"
#include "model/Rptdata.h"
#include "model/Unitexcp.h"
#include "model/Sizelimit.h"
#include "platform/core/Array.h"

IMPLEMENT_DYNAMIC(CARSingleLeg, CCustomArchedUnit)

namespace {
constexpr int kOtherClassAssignedLine = 64;
constexpr int kNoValidShapeLine = 189;
}  // namespace

CARSingleLeg::CARSingleLeg(const CString& unitCode, double width, const CVRX2DVector& archCentre)
  : CCustomArchedUnit(kCustomArchLineCode, unitCode, width, archCentre)
{}

CUnit& CARSingleLeg::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  if (!source.IsKindOf(GetRuntimeClass()))
    throw CUnitException(kSingleLegModule, kOtherClassAssignedLine);
  return CCustomArchedUnit::operator=(source);
}

// The chord of the default size runs at 45 degrees; the centre lies off its middle, square to
// it, by the distance d from the chord to the centre.
CVRX2DVector CARSingleLeg::DefaultCentre() const
{
  const double width = kSingleLegDefaultSize;
  const double chord = width * std::sqrt(2.0);
  const double d = GetBase() - GetRise(chord);
  const double u = (d - chord / 2.0) / std::sqrt(2.0);
  return IsLegOnRight() ? CVRX2DVector(width + u, -u) : CVRX2DVector(-u, -u);
}

double CARSingleLeg::LegHeight(const CShape& s) const
{
  const double r = GetBase();
  const double a = LegOffset(s);
  return s.centre.GetY() + std::sqrt(r * r - a * a);
}

double CARSingleLeg::HeightOf(const CShape& s) const
{
  // The crown is the highest point while the centre lies on the sill's side of the leg.
  if (Side() * LegOffset(s) >= 0.0)
    return s.centre.GetY() + GetBase();
  return LegHeight(s);
}

CVRXAngle CARSingleLeg::LegTopAngle(const CShape& s) const { return CVRXAngle(std::acos(LegOffset(s) / GetBase())); }

CVRXAngle CARSingleLeg::LeglessEndAngle(const CShape& s) const
{
  return CVRXAngle(VRXAtan2(-s.centre.GetY(), LeglessX(s) - s.centre.GetX()));
}

// The glass opening is the shape moved inward by the inset e: the arc's radius less e, the leg
// face e in from the leg, the sill face e above the sill; its height loses one more e.
double CARSingleLeg::DaylightLegHeight(const CShape& s) const
{
  const double r = GetBase() - GetEmbeddedLimitValue();
  const double e = GetEmbeddedLimitValue();
  const double x = LegOffset(s) - Side() * e;
  return s.centre.GetY() + std::sqrt(r * r - x * x) - e;
}

double CARSingleLeg::DaylightHeight(const CShape& s) const
{
  const double e = GetEmbeddedLimitValue();
  if (Side() * LegOffset(s) - e >= 0.0)
    return s.centre.GetY() + GetBase() - 2.0 * e;
  return DaylightLegHeight(s);
}

double CARSingleLeg::DaylightWidth(const CShape& s) const
{
  const double e = GetEmbeddedLimitValue();
  const double r = GetBase() - e;
  const double y = e - s.centre.GetY();
  return Side() * LegOffset(s) + std::sqrt(r * r - y * y) - e;
}

double CARSingleLeg::LegLineX(const CShape& s, int n) const
{
  const double d = LineDistance(LegPart(), n);
  return IsLegOnRight() ? s.width - d : d;
}

double CARSingleLeg::ArcSillLineX(const CShape& s, int n) const
{
  const double r = GetBase() - LineDistance(ArcPart(), n);
  const double y = LineDistance(0, n) - s.centre.GetY();
  return s.centre.GetX() - Side() * std::sqrt(r * r - y * y);
}

double CARSingleLeg::LegLineTop(const CShape& s, int n) const
{
  const double r = GetBase() - LineDistance(ArcPart(), n);
  const double x = LegLineX(s, n) - s.centre.GetX();
  return s.centre.GetY() + std::sqrt(r * r - x * x);
}

double CARSingleLeg::ChordAtLine(const CShape& s, int n) const
{
  return SqrtSumSquares(LegLineX(s, n) - ArcSillLineX(s, n), LegLineTop(s, n) - LineDistance(0, n));
}

double CARSingleLeg::GetProposedChordLength() const
{
  return SqrtSumSquares(GetProposedWidth(), GetProposedLegHeight());
}

BOOL CARSingleLeg::IsArchAngleWithinLimits(const CVRXAngle& angle) const
{
  return CSizeLimit::Within(GetLimitAngle2() <= angle, angle <= GetLimitAngle1(), "arch angle too small",
                            CSizeLimit::minAngle, GetLimitAngle2().GetRadians(), "arch angle too large",
                            CSizeLimit::maxAngle, GetLimitAngle1().GetRadians());
}

// The corner at the leg top must lie within the limits, the one at the sill end within the
// smaller limit and a right angle.
BOOL CARSingleLeg::AreArchAnglesWithinLimits(const CVRXAngle& endAngle, const CVRXAngle& startAngle) const
{
  const CVRXAngle rightAngle(VRX_HALF_PI);
  const CVRXAngle legTop = IsLegOnRight() ? CVRXAngle(VRX_PI) - startAngle : endAngle;
  const CVRXAngle sillEnd = IsLegOnRight() ? endAngle - VRX_HALF_PI : rightAngle - startAngle;
  return IsArchAngleWithinLimits(legTop) && GetLimitAngle2() <= sillEnd && sillEnd <= rightAngle;
}

BOOL CARSingleLeg::IsGlassWithinLimits(double leg, double height, double width) const
{
  const double shortSide = GetEmbeddedLimit3();
  const double longSide = GetEmbeddedLimit2();
  if (!(leg >= GetEmbeddedLimit4())) {
    CSizeLimit::Refused("glass leg too short", CSizeLimit::minGlassLine, GetEmbeddedLimit4());
    return FALSE;
  }
  if ((height <= shortSide && width <= longSide) || (width <= shortSide && height <= longSide))
    return TRUE;
  if (std::min(height, width) > shortSide)
    CSizeLimit::Refused("short glass side too long", CSizeLimit::maxShortGlassSide, shortSide);
  else
    CSizeLimit::Refused("long glass side too long", CSizeLimit::maxLongGlassSide, longSide);
  return FALSE;
}

BOOL CARSingleLeg::IsGlassSizeValid() const
{
  return IsGlassWithinLimits(GetDaylightLegHeight(), GetAreaHeight(), GetAreaWidth());
}

BOOL CARSingleLeg::IsProposedGlassSizeValid() const
{
  return IsGlassWithinLimits(GetProposedDaylightLegHeight(), GetProposedAreaHeight(), GetProposedAreaWidth());
}

BOOL CARSingleLeg::IsSizeValid() const
{
  return IsLegHeightValid() && IsArchWithinLimits() && AreCurrentDimensionsValid() && IsWidthWithinLimits() &&
         IsUnitAreaWithinLimits() && IsGlassSizeValid() && IsAreaWithinLimits();
}

BOOL CARSingleLeg::IsProposedSizeValid() const
{
  return IsProposedLegHeightValid() && IsProposedArchWithinLimits() && AreProposedDimensionsValid() &&
         IsProposedWidthWithinLimits() && IsProposedUnitAreaWithinLimits() && IsProposedGlassSizeValid() &&
         IsProposedAreaWithinLimits();
}

void CARSingleLeg::GetDimensionLabels(CStringArray& labels) const
{
  labels.RemoveAll();
  labels.SetSize(2);
  CCustomArchedUnit::GetDimensionLabels(labels);
  labels[1] = IsLegOnRight() ? "Right:" : "Left:";
}

void CARSingleLeg::GetDimensionValues(double& base, int& count, CArray<double, double>& values) const
{
  values.SetSize(2);
  CCustomArchedUnit::GetDimensionValues(base, count, values);
  values[1] = GetLegHeight();
}

BOOL CARSingleLeg::SetDimensionValues(double base, int /*count*/, CArray<double, double>& values)
{
  if (values.GetSize() < 2)
    return FALSE;
  const CSavedSize saved = SaveSize();
  SetBase(base);
  SetWidthValue(values[0]);
  if (!SetArchFromChord(GetChordLine(values[1], GetWidth()))) {
    RestoreSize(saved);
    return FALSE;
  }
  Recompute();
  return TRUE;
}

CString CARSingleLeg::GetAttributes() const
{
  return CCustomArchedUnit::GetAttributes() + CString::Formatted(",%.15g", GetLegHeight());
}

void CARSingleLeg::SetAttributes(CString& attributes)
{
  const CCurrentOptionChoices previousChoices(*GetCurrentOptionChoices());
  const CSavedSize saved = SaveSize();
  try {
    CCustomArchedUnit::SetAttributes(attributes);
    const double leg = StrToDouble(GetNextAttribute(attributes));
    if (!SetArchFromChord(GetChordLine(leg, GetWidth())))
      throw CUnitException(kSingleLegModule, kNoValidShapeLine);
  } catch (...) {
    *GetCurrentOptionChoices() = previousChoices;
    RestoreSize(saved);
    throw;
  }
  // The members cached for the old size go too.
  Recompute();
}

CString CARSingleLeg::GetSizeText(int lengthFormat) const
{
  return FormatSizeText(GetTypeDescription(), lengthFormat, {GetProposedWidth(), GetProposedLegHeight()}, GetBase());
}

// Units of another leg height never share a row.
void CARSingleLeg::GetReportData(CUnitInfoReportDataArray& records) const
{
  const int first = records.GetSize();
  CCustomArchedUnit::GetReportData(records);
  for (int i = first; i < records.GetSize(); ++i)
    records[i]->m_strUnitKey += CString::Formatted(",%.15g", GetLegHeight());
}

void CARSingleLeg::GetReportData(CScheduleReportDataArray& rows) const
{
  const int first = rows.GetSize();
  CCustomArchedUnit::GetReportData(rows);
  for (int i = first; i < rows.GetSize(); ++i)
    rows[i]->m_strUnitKey += CString::Formatted(",%.15g", GetLegHeight());
}

double CARSingleLeg::LegTopRise(double dx) const
{
  const double r = GetBase();
  const double a = GetLegOffsetFromCentre() + dx;
  return std::sqrt(r * r - a * a) - GetLegHeight() + GetArchCentre().GetY();
}

double CARSingleLeg::LeglessEndShift(double dy) const
{
  const double r = GetBase();
  const double y = GetArchCentre().GetY() - dy;
  return std::sqrt(r * r - y * y) - Side() * (GetArchCentre().GetX() - LeglessX(Current()));
}
