#include "model/Custarch.h"

#include <algorithm>
#include <cmath>

#include "geometry/2dline.h"
#include "geometry/2dpoint.h"
#include "model/Curropts.h"
#include "model/Rptdata.h"
#include "model/Sizelimit.h"
#include "model/Unitexcp.h"
#include "productdb/txdbExcp.h"
#include "support/Unitscvt.h"

IMPLEMENT_DYNAMIC(CCustomArchedUnit, CUnit)

namespace {
// Notes the limit a check broke for the sizing page's message; always FALSE.
BOOL Refused(const char* reason, CSizeLimit::Kind kind = CSizeLimit::none, double value = 0.0)
{
  CSizeLimit::Refused(reason, kind, value);
  return FALSE;
}

// The shorter chord against the shortest allowed, the longer against the longest.
BOOL ChordWithin(double shorter, double longer, const CArLimitsRec& limits)
{
  if (!(limits.GetField5() <= shorter))
    return Refused("arch chord too short", CSizeLimit::minLength, limits.GetField5());
  if (!(longer <= limits.GetField9()))
    return Refused("arch chord too long", CSizeLimit::maxLength, limits.GetField9());
  return TRUE;
}

constexpr const char* kModule = "Custarch";
constexpr int kNoBaseRowLine = 68;
constexpr int kOtherClassAssignedLine = 95;
constexpr int kListedBaseMissingLine = 302;
constexpr int kBaseNotListedLine = 305;
constexpr int kBadWidthLine = 318;

// The smallest base a new unit takes, inches.
constexpr float kSmallestDefaultBase = 72.0f;
// How close a value must be to a listed base to select it.
constexpr double kBaseMatch = 1e-9;
}  // namespace

CCustomArchedUnit::CCustomArchedUnit(const CString& type, const CString& subtype, double width,
                                     const CVRX2DVector& archCentre)
  : CUnit(type, subtype), m_pArLimits(std::make_unique<CArLimitsRec>()), m_dWidth(width), m_vArchCentre(archCentre)
{
  m_pArLimits->SetField1(kSmallestDefaultBase);
  BOOL atEnd = FALSE;
  if (m_pArLimits->SeekGE(1, &atEnd) != 0 || atEnd)
    throw CTXDBException(kModule, kNoBaseRowLine, CTXDBException::readError);
  m_VgLimits.First(1);
  ResetProposedSize();
}

CCustomArchedUnit::CCustomArchedUnit(const CCustomArchedUnit& source)
  : CUnit(source),
    m_pArLimits(std::make_unique<CArLimitsRec>(*source.m_pArLimits)),
    m_VgLimits(source.m_VgLimits),
    m_dWidth(source.m_dWidth),
    m_vArchCentre(source.m_vArchCentre),
    m_dProposedWidth(source.m_dProposedWidth),
    m_vProposedArchCentre(source.m_vProposedArchCentre)
{}

CCustomArchedUnit::~CCustomArchedUnit() = default;

CUnit& CCustomArchedUnit::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  if (!source.IsKindOf(GetRuntimeClass()))
    throw CUnitException(kModule, kOtherClassAssignedLine);
  CUnit::operator=(source);
  const auto& other = static_cast<const CCustomArchedUnit&>(source);
  *m_pArLimits = *other.m_pArLimits;
  m_VgLimits = other.m_VgLimits;
  m_dWidth = other.m_dWidth;
  m_vArchCentre = other.m_vArchCentre;
  m_dProposedWidth = other.m_dProposedWidth;
  m_vProposedArchCentre = other.m_vProposedArchCentre;
  return *this;
}

void CCustomArchedUnit::AppendBaseAndWidth(CString& key) const
{
  key += CString::Formatted(",%.15g,%.15g", GetBase(), m_dWidth);
}

CString CCustomArchedUnit::GetAttributes() const
{
  CString attributes = CUnit::GetAttributes();
  AppendBaseAndWidth(attributes);
  return attributes;
}

void CCustomArchedUnit::SetAttributes(CString& attributes)
{
  // A refused base or width leaves the options as they were too.
  const CCurrentOptionChoices previousChoices(*GetCurrentOptionChoices());
  CUnit::SetAttributes(attributes);
  try {
    SetBaseAndWidth(attributes);
  } catch (...) {
    *GetCurrentOptionChoices() = previousChoices;
    throw;
  }
}

void CCustomArchedUnit::SetBaseAndWidth(CString& attributes)
{
  // Both fields are read before either is applied, so a missing width leaves the base alone.
  const double base = StrToDouble(GetNextAttribute(attributes));
  const double width = StrToDouble(GetNextAttribute(attributes));
  const CArLimitsRec previousBase = *m_pArLimits;
  SetBase(base);
  // A damaged width ("nan", "inf") would carry into every outline and check of the unit.
  if (!std::isfinite(width)) {
    *m_pArLimits = previousBase;
    throw CUnitException(kModule, kBadWidthLine);
  }
  m_dWidth = width;
}

void CCustomArchedUnit::GetReportData(CUnitInfoReportDataArray& records) const
{
  const int first = records.GetSize();
  CUnit::GetReportData(records);
  for (int i = first; i < records.GetSize(); ++i)
    AppendBaseAndWidth(records[i]->m_strUnitKey);
}

void CCustomArchedUnit::GetReportData(CScheduleReportDataArray& rows) const
{
  const int first = rows.GetSize();
  CUnit::GetReportData(rows);
  for (int i = first; i < rows.GetSize(); ++i)
    AppendBaseAndWidth(rows[i]->m_strUnitKey);
}

CVRX2DVector CCustomArchedUnit::SetSizeToProposed()
{
  const CVRX2DVector offset = CUnit::SetSizeToProposed();
  m_dWidth = m_dProposedWidth;
  m_vArchCentre = m_vProposedArchCentre;
  return offset;
}

void CCustomArchedUnit::ResetProposedSize()
{
  CUnit::ResetProposedSize();
  m_dProposedWidth = m_dWidth;
  m_vProposedArchCentre = m_vArchCentre;
}

void CCustomArchedUnit::RestoreSize(const CSavedSize& saved)
{
  *m_pArLimits = saved.limits;
  m_dWidth = saved.width;
  m_vArchCentre = saved.centre;
  DiscardGeometry();
}

void CCustomArchedUnit::Recompute()
{
  DiscardGeometry();
  ResetProposedSize();
}

void CCustomArchedUnit::GetDimensionLabels(CStringArray& labels) const { labels.SetAtGrow(0, "Base:"); }

void CCustomArchedUnit::GetDimensionValues(double& base, int& count, CArray<double, double>& values) const
{
  base = GetBase();
  count = 0;
  values.SetAtGrow(0, m_dWidth);
}

void CCustomArchedUnit::GetBaseList(CArray<double, double>& bases) const
{
  bases.RemoveAll();
  CArLimitsRec row(*m_pArLimits);
  row.SetField1(0.0f);
  BOOL atEnd = FALSE;
  for (int rc = row.SeekGE(1, &atEnd); rc == 0; rc = row.Next(&atEnd))
    bases.Add(row.GetField1());
}

void CCustomArchedUnit::SetBase(double base)
{
  CArray<double, double> bases;
  GetBaseList(bases);
  for (double listed : bases) {
    // Written as "not within" so that a value that is no number matches no base.
    if (!(std::fabs(listed - base) <= kBaseMatch * std::max(std::fabs(listed), std::fabs(base))))
      continue;
    CArLimitsRec row(*m_pArLimits);
    row.SetField1(static_cast<float>(listed));
    if (row.Find(1) != 0)
      throw CUnitException(kModule, kListedBaseMissingLine);
    *m_pArLimits = row;
    return;
  }
  throw CUnitException(kModule, kBaseNotListedLine);
}

double CCustomArchedUnit::SqrtSumSquares(double a, double b) { return std::sqrt(a * a + b * b); }

double CCustomArchedUnit::SqrtDiffSquares(double a, double b) { return std::sqrt(std::max(0.0, a * a - b * b)); }

double CCustomArchedUnit::GetRise(double chord) const
{
  const double r = GetBase();
  return r - 0.5 * std::sqrt(std::max(0.0, 4.0 * r * r - chord * chord));
}

CVRX2DVector CCustomArchedUnit::GetRiseVector(const CVRX2DLine& chord) const
{
  CVRX2DVector d = chord.GetEndPoint() - chord.GetStartPoint();
  if (d.GetX() < 0.0)
    d = -d;
  return CVRX2DVector(GetRise(d.GetLength()), CVRXAngle(VRXAtan2(d.GetY(), d.GetX()) + VRX_HALF_PI));
}

CVRXAngle CCustomArchedUnit::GetAngleFromArchCentre(const CVRX2DPoint& p) const
{
  return CVRXAngle(VRXAtan2(p.GetY() - m_vArchCentre.GetY(), p.GetX() - m_vArchCentre.GetX()));
}

// The chord's middle is taken on the unit's vertical mid-line, so the arch stays centred.
CVRX2DVector CCustomArchedUnit::CentreForChord(const CVRX2DLine& chord, double width) const
{
  CVRX2DVector d = chord.GetEndPoint() - chord.GetStartPoint();
  if (d.GetX() < 0.0)
    d = -d;
  const CVRXAngle up(VRXAtan2(d.GetY(), d.GetX()) + VRX_HALF_PI);
  const CVRX2DVector middle(width * 0.5, (chord.GetStartPoint().GetY() + chord.GetEndPoint().GetY()) * 0.5);
  const CVRX2DVector apex = middle + CVRX2DVector(GetRise(d.GetLength()), up);
  return apex - CVRX2DVector(GetBase(), up);
}

BOOL CCustomArchedUnit::SetArchFromChord(const CVRX2DLine& chord)
{
  if (!IsChordWithinLimits(chord.GetLength()))
    return FALSE;
  const CVRX2DVector previous = m_vArchCentre;
  m_vArchCentre = CentreForChord(chord, m_dWidth);
  const BOOL valid = IsSizeValid();
  if (!valid)
    m_vArchCentre = previous;
  // The checks may have built the members of the tried shape.
  DiscardGeometry();
  return valid;
}

int CCustomArchedUnit::ConformArchToChord(const CVRX2DLine& chord, const CVRX2DVector& baseOffset)
{
  if (!IsChordWithinLimits(chord.GetLength()))
    return outOfBoundsUnchanged;
  const double previousWidth = m_dProposedWidth;
  const CVRX2DVector previousCentre = m_vProposedArchCentre;
  m_dProposedWidth = std::fabs(chord.GetEndPoint().GetX() - chord.GetStartPoint().GetX());
  m_vProposedArchCentre = CentreForChord(chord, m_dProposedWidth);
  if (IsProposedSizeValid()) {
    m_vProposedOffset = baseOffset;
    return inboundsChanged;
  }
  m_dProposedWidth = previousWidth;
  m_vProposedArchCentre = previousCentre;
  return outOfBoundsUnchanged;
}

BOOL CCustomArchedUnit::IsChordWithinLimits(double chord) const { return ChordWithin(chord, chord, *m_pArLimits); }

BOOL CCustomArchedUnit::IsWidthAllowed(double width) const
{
  if (!(m_VgLimits.GetMinSide() <= width))
    return Refused("width too small", CSizeLimit::minSide, m_VgLimits.GetMinSide());
  if (!(width <= m_VgLimits.GetMaxSide()))
    return Refused("width too large", CSizeLimit::maxSide, m_VgLimits.GetMaxSide());
  return TRUE;
}

BOOL CCustomArchedUnit::IsWidthWithinLimits() const { return IsWidthAllowed(m_dWidth); }
BOOL CCustomArchedUnit::IsProposedWidthWithinLimits() const { return IsWidthAllowed(m_dProposedWidth); }

BOOL CCustomArchedUnit::IsArchWithinLimits() const
{
  return ChordWithin(GetChordLength(2), GetChordLength(1), *m_pArLimits);
}

BOOL CCustomArchedUnit::IsProposedArchWithinLimits() const
{
  return ChordWithin(GetProposedChordLength(2), GetProposedChordLength(1), *m_pArLimits);
}

// Lengths in inches, the limit in square feet.
BOOL CCustomArchedUnit::IsAreaAllowed(double a, double b) const
{
  const double area = b / kSquareInchesPerSquareFoot * a;
  if (!(area > 0.0))
    return Refused("no area");
  if (!(area <= m_VgLimits.GetMaxArea()))
    return Refused("area too large", CSizeLimit::maxArea, m_VgLimits.GetMaxArea());
  return TRUE;
}

BOOL CCustomArchedUnit::IsAreaWithinLimits() const { return IsAreaAllowed(GetAreaHeight(), GetAreaWidth()); }

BOOL CCustomArchedUnit::IsProposedAreaWithinLimits() const
{
  return IsAreaAllowed(GetProposedAreaHeight(), GetProposedAreaWidth());
}

BOOL CCustomArchedUnit::IsUnitAreaWithinLimits() const { return IsAreaAllowed(GetHeight(), m_dWidth); }

BOOL CCustomArchedUnit::IsProposedUnitAreaWithinLimits() const
{
  return IsAreaAllowed(GetProposedHeight(), m_dProposedWidth);
}

BOOL CCustomArchedUnit::AreArchAnglesWithinLimits(const CVRXAngle& /*first*/, const CVRXAngle& second) const
{
  return IsArchAngleWithinLimits(second);
}

BOOL CCustomArchedUnit::AreCurrentDimensionsValid() const
{
  const CVRXAngle first = GetFirstArchAngle();
  return AreArchAnglesWithinLimits(first, GetSecondArchAngle(first));
}

BOOL CCustomArchedUnit::AreProposedDimensionsValid() const
{
  const CVRXAngle first = GetProposedFirstArchAngle();
  return AreArchAnglesWithinLimits(first, GetProposedSecondArchAngle(first));
}
