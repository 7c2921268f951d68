// The double-leg shape: its quantities, limit checks, the locking rule of the sizing page, the
// attribute string and the texts.
#include "units/standard/Ardl.h"

#include <algorithm>
#include <cmath>

#include "geometry/2dline.h"
#include "model/Curropts.h"
#include "model/Rptdata.h"
#include "model/Unitexcp.h"
#include "model/Sizelimit.h"
#include "platform/core/Array.h"

IMPLEMENT_DYNAMIC(CARDoubleLeg, CCustomArchedUnit)

namespace {
constexpr const char* kModule = "Ardl";
constexpr int kOtherClassAssignedLine = 76;
constexpr int kBadLockedLegLine = 564;
constexpr int kBadLegPairLine = 577;
constexpr int kNoArcLine = 583;

constexpr const char* kUnitCode = "DL013";
constexpr const char* kLockedToken = "LOCKED";
constexpr double kDefaultWidth = 24.0;
// With a base of 72 the crown of the default size stands 24 inches high.
constexpr double kDefaultCentreHeight = -48.0;
}  // namespace

CARDoubleLeg::CARDoubleLeg()
  : CCustomArchedUnit(kCustomArchLineCode, kUnitCode, kDefaultWidth,
                      CVRX2DVector(kDefaultWidth / 2.0, kDefaultCentreHeight))
{}

CUnit& CARDoubleLeg::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  if (!source.IsKindOf(GetRuntimeClass()))
    throw CUnitException(kModule, kOtherClassAssignedLine);
  CCustomArchedUnit::operator=(source);
  m_bLocked = static_cast<const CARDoubleLeg&>(source).m_bLocked;
  return *this;
}

CUnit* CARDoubleLeg::Clone() const { return new CARDoubleLeg(*this); }

double CARDoubleLeg::ArcY(const CShape& s, double x) const
{
  const double r = GetBase();
  const double dx = x - s.centre.GetX();
  return s.centre.GetY() + std::sqrt(r * r - dx * dx);
}

double CARDoubleLeg::HeightOf(const CShape& s) const
{
  const double mx = s.centre.GetX();
  if (mx <= 0.0)
    return LeftLeg(s);
  if (mx <= s.width)
    return s.centre.GetY() + GetBase();
  return RightLeg(s);
}

CVRXAngle CARDoubleLeg::ArcStartAngle(const CShape& s) const
{
  return CVRXAngle(VRXAtan2(RightLeg(s) - s.centre.GetY(), s.width - s.centre.GetX()));
}

CVRXAngle CARDoubleLeg::ArcEndAngle(const CShape& s) const
{
  return CVRXAngle(VRXAtan2(LeftLeg(s) - s.centre.GetY(), -s.centre.GetX()));
}

// The glass opening is the shape moved inward by the inset e.
double CARDoubleLeg::DaylightLeftLeg(const CShape& s) const
{
  const double e = GetEmbeddedLimitValue();
  const double r = GetBase() - e;
  const double x = s.centre.GetX() - e;
  return s.centre.GetY() + std::sqrt(r * r - x * x) - e;
}

double CARDoubleLeg::DaylightRightLeg(const CShape& s) const
{
  const double e = GetEmbeddedLimitValue();
  const double r = GetBase() - e;
  const double x = s.width - s.centre.GetX() - e;
  return s.centre.GetY() + std::sqrt(r * r - x * x) - e;
}

double CARDoubleLeg::DaylightHeight(const CShape& s) const
{
  const double e = GetEmbeddedLimitValue();
  const double mx = s.centre.GetX();
  if (mx <= 0.0)
    return LeftLeg(s) - e * (1.0 + std::sin(ArcEndAngle(s).GetRadians()));
  if (mx <= s.width)
    return s.centre.GetY() + GetBase() - 2.0 * e;
  return RightLeg(s) - e * (1.0 + std::sin(ArcStartAngle(s).GetRadians()));
}

// A jamb line that the inset arc does not reach meets it level with the centre.
double CARDoubleLeg::InsetArcY(const CShape& s, double r, double x) const
{
  if (!(std::fabs(x) < r))
    return s.centre.GetY();
  return s.centre.GetY() + std::sqrt(r * r - x * x);
}

double CARDoubleLeg::LeftLegAtLine(const CShape& s, int n) const
{
  const double r = GetBase() - LineDistance(cArch, n);
  return InsetArcY(s, r, s.centre.GetX() - LineDistance(cLeftLeg, n));
}

double CARDoubleLeg::RightLegAtLine(const CShape& s, int n) const
{
  const double r = GetBase() - LineDistance(cArch, n);
  return InsetArcY(s, r, s.width - LineDistance(cRightLeg, n) - s.centre.GetX());
}

double CARDoubleLeg::ChordAtLine(const CShape& s, int n) const
{
  return SqrtSumSquares(s.width - 2.0 * LineDistance(cLeftLeg, n), RightLegAtLine(s, n) - LeftLegAtLine(s, n));
}

double CARDoubleLeg::GetArcRiseBeyondLeftLeg(double t) const
{
  const double r = GetBase();
  const double x = GetArchCentre().GetX() + t;
  return GetArchCentre().GetY() + std::sqrt(r * r - x * x) - GetLeftLegHeight();
}

double CARDoubleLeg::GetArcRiseBeyondRightLeg(double t) const
{
  const double r = GetBase();
  const double x = GetRightLegOffset() + t;
  return GetArchCentre().GetY() + std::sqrt(r * r - x * x) - GetRightLegHeight();
}

BOOL CARDoubleLeg::IsArcCentred() const
{
  return GetArchCentre() == CVRX2DVector(0.5 * GetWidth(), GetArchCentre().GetY());
}

BOOL CARDoubleLeg::IsArchAngleWithinLimits(const CVRXAngle& angle) const
{
  return CSizeLimit::Within(GetLimitAngle2() <= angle, angle <= GetLimitAngle1(), "arch angle too small",
                            CSizeLimit::minAngle, GetLimitAngle2().GetRadians(), "arch angle too large",
                            CSizeLimit::maxAngle, GetLimitAngle1().GetRadians());
}

// The right corner is mirrored onto the left one.
BOOL CARDoubleLeg::AreArchAnglesWithinLimits(const CVRXAngle& endAngle, const CVRXAngle& startAngle) const
{
  return IsArchAngleWithinLimits(CVRXAngle(VRX_PI) - startAngle) && IsArchAngleWithinLimits(endAngle);
}

BOOL CARDoubleLeg::AreLegHeightsValid(double left, double right) const
{
  return IsLegHeightValid(left) && IsLegHeightValid(right) &&
         CSizeLimit::Within(true, std::fabs(right - left) <= GetBase(), "", CSizeLimit::none, 0.0,
                            "legs differ by more than the arch radius", CSizeLimit::maxLength, GetBase());
}

BOOL CARDoubleLeg::AreProposedLegHeightsValid() const
{
  return AreLegHeightsValid(GetProposedLeftLegHeight(), GetProposedRightLegHeight());
}

BOOL CARDoubleLeg::IsGlassWithinLimits(double left, double right, double height, double width) const
{
  const double shortSide = GetEmbeddedLimit3();
  const double longSide = GetEmbeddedLimit2();
  if (!(std::min(left, right) >= GetEmbeddedLimit4())) {
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

BOOL CARDoubleLeg::IsGlassSizeValid() const
{
  return IsGlassWithinLimits(GetDaylightLeftLegHeight(), GetDaylightRightLegHeight(), GetAreaHeight(), GetAreaWidth());
}

BOOL CARDoubleLeg::IsProposedGlassSizeValid() const
{
  return IsGlassWithinLimits(GetProposedDaylightLeftLegHeight(), GetProposedDaylightRightLegHeight(),
                             GetProposedAreaHeight(), GetProposedAreaWidth());
}

BOOL CARDoubleLeg::IsSizeValid() const
{
  return AreCurrentLegHeightsValid() && IsArchWithinLimits() && AreCurrentDimensionsValid() && IsWidthWithinLimits() &&
         IsUnitAreaWithinLimits() && IsGlassSizeValid() && IsAreaWithinLimits();
}

BOOL CARDoubleLeg::IsProposedSizeValid() const
{
  return AreProposedLegHeightsValid() && IsProposedArchWithinLimits() && AreProposedDimensionsValid() &&
         IsProposedWidthWithinLimits() && IsProposedUnitAreaWithinLimits() && IsProposedGlassSizeValid() &&
         IsProposedAreaWithinLimits();
}

BOOL CARDoubleLeg::SetLegHeights(double left, double right)
{
  if (!AreLegHeightsValid(left, right))
    return FALSE;
  return SetArchFromChord(CVRX2DLine(0, CVRX2DPoint(0.0, left), CVRX2DPoint(GetWidth(), right)));
}

void CARDoubleLeg::GetDimensionLabels(CStringArray& labels) const
{
  labels.RemoveAll();
  labels.SetSize(m_bLocked ? 2 : 3);
  CCustomArchedUnit::GetDimensionLabels(labels);
  labels[1] = m_bLocked ? "Left/Right:" : "Left:";
  if (!m_bLocked)
    labels[2] = "Right:";
}

void CARDoubleLeg::GetDimensionValues(double& base, int& locked, CArray<double, double>& values) const
{
  values.SetSize(m_bLocked ? 2 : 3);
  CCustomArchedUnit::GetDimensionValues(base, locked, values);
  values[1] = GetLeftLegHeight();
  if (!m_bLocked)
    values[2] = GetRightLegHeight();
  locked = m_bLocked;
}

// Locking a unit whose legs differ keeps its height; otherwise the legs take the height given.
// Either way the arc is centred. A locked page gives one leg height: the right one is the left.
BOOL CARDoubleLeg::ApplyLocked(double base, const CArray<double, double>& values, BOOL wasLocked)
{
  const double right = values.GetSize() > 2 ? values[2] : values[1];
  const BOOL keepHeight = !wasLocked && values[1] != right;
  const double height = GetHeight();
  SetBase(base);
  SetWidthValue(values[0]);
  const double centreY = keepHeight ? height - GetBase() : values[1] + GetRise(values[0]) - GetBase();
  SetArchCentre(CVRX2DVector(0.5 * values[0], centreY));
  return IsSizeValid();
}

BOOL CARDoubleLeg::SetDimensionValues(double base, int locked, CArray<double, double>& values)
{
  if (values.GetSize() < 2)
    return FALSE;
  const CSavedSize saved = SaveSize();
  BOOL valid = FALSE;
  try {
    if (locked) {
      valid = ApplyLocked(base, values, m_bLocked);
    } else {
      SetBase(base);
      SetWidthValue(values[0]);
      valid = SetLegHeights(values[1], values[values.GetSize() - 1]);
    }
  } catch (...) {
    RestoreSize(saved);
    throw;
  }
  if (!valid) {
    RestoreSize(saved);
    return FALSE;
  }
  m_bLocked = locked != 0;
  Recompute();
  return TRUE;
}

CString CARDoubleLeg::LegFields() const
{
  if (m_bLocked)
    return CString::Formatted(",LOCKED,%.15g", GetLeftLegHeight());
  return CString::Formatted(",UNLOCKED,%.15g,%.15g", GetLeftLegHeight(), GetRightLegHeight());
}

CString CARDoubleLeg::GetAttributes() const { return CCustomArchedUnit::GetAttributes() + LegFields(); }

// Only "LOCKED" as written locks the unit; any other text reads as unlocked, with two legs.
void CARDoubleLeg::SetAttributes(CString& attributes)
{
  const CCurrentOptionChoices previousChoices(*GetCurrentOptionChoices());
  const CSavedSize saved = SaveSize();
  const BOOL wasLocked = m_bLocked;
  try {
    CCustomArchedUnit::SetAttributes(attributes);
    m_bLocked = GetNextAttribute(attributes) == kLockedToken;
    double left = StrToDouble(GetNextAttribute(attributes));
    double right = left;
    if (m_bLocked && !IsLegHeightValid(left))
      throw CUnitException(kModule, kBadLockedLegLine);
    if (!m_bLocked) {
      right = StrToDouble(GetNextAttribute(attributes));
      if (!AreLegHeightsValid(left, right))
        throw CUnitException(kModule, kBadLegPairLine);
    }
    if (!SetArchFromChord(CVRX2DLine(0, CVRX2DPoint(0.0, left), CVRX2DPoint(GetWidth(), right))))
      throw CUnitException(kModule, kNoArcLine);
  } catch (...) {
    *GetCurrentOptionChoices() = previousChoices;
    RestoreSize(saved);
    m_bLocked = wasLocked;
    throw;
  }
  // The members cached for the old size go too.
  Recompute();
}

CString CARDoubleLeg::GetSizeText(int lengthFormat) const
{
  return FormatSizeText(
      GetTypeDescription(), lengthFormat,
      {GetProposedWidth(), GetProposedLeftLegHeight(), GetProposedRightLegHeight(), GetProposedHeight()}, GetBase());
}

// Units that differ in their legs or their locking never share a row.
void CARDoubleLeg::GetReportData(CUnitInfoReportDataArray& records) const
{
  const int first = records.GetSize();
  CCustomArchedUnit::GetReportData(records);
  for (int i = first; i < records.GetSize(); ++i)
    records[i]->m_strUnitKey += LegFields();
}

void CARDoubleLeg::GetReportData(CScheduleReportDataArray& rows) const
{
  const int first = rows.GetSize();
  CCustomArchedUnit::GetReportData(rows);
  for (int i = first; i < rows.GetSize(); ++i)
    rows[i]->m_strUnitKey += LegFields();
}
