#include "BaseLeaves.h"

#include "geometry/2dline.h"
#include "model/Sizecomp.h"

IMPLEMENT_DYNAMIC(CRectLeaf, CStandardRectangularUnit)
IMPLEMENT_DYNAMIC(COtherRectLeaf, CRectLeaf)
IMPLEMENT_DYNAMIC(CArchLeaf, CStandardArchedUnit)
IMPLEMENT_DYNAMIC(CCustomArchLeaf, CCustomArchedUnit)
IMPLEMENT_DYNAMIC(CVarigonLeaf, CVarigonUnit)

namespace {
// Component numbers of the glider's frame, which the sample catalogue gives elevation lines.
const int kFrameIds[4] = {2101, 2103, 2104, 2106};

void AddClosed(CVRX2DEntityArray& out, int category, const std::vector<CVRX2DPoint>& corners)
{
  for (size_t i = 0; i < corners.size(); ++i)
    out.Add(new CVRX2DLine(category, corners[i], corners[(i + 1) % corners.size()]));
}

void AddFourMembers(CSizedComponentArray& components, double w, double h)
{
  const CVRX2DPoint corners[] = {CVRX2DPoint(0, 0), CVRX2DPoint(w, 0), CVRX2DPoint(w, h), CVRX2DPoint(0, h)};
  for (int i = 0; i < 4; ++i)
    components.Add(new CSizedComponent("XX", kFrameIds[i], "P", corners[i], corners[(i + 1) % 4]));
}
}  // namespace

void CRectLeaf::BuildSizedComponents() const { AddFourMembers(*m_pSizedComponents, GetWidth(), GetHeight()); }

void CRectLeaf::Get1LineElevationEntities(int, CVRX2DEntityArray& out) const
{
  AddClosed(out, 35,
            {CVRX2DPoint(0, 0), CVRX2DPoint(GetWidth(), 0), CVRX2DPoint(GetWidth(), GetHeight()),
             CVRX2DPoint(0, GetHeight())});
}

void CRectLeaf::Get2LineElevationEntities(int, CVRX2DEntityArray& out) const
{
  const double w = GetWidth();
  const double h = GetHeight();
  if (m_bDiamond) {
    AddClosed(out, 36, {CVRX2DPoint(0, h / 2), CVRX2DPoint(w / 2, 0), CVRX2DPoint(w, h / 2), CVRX2DPoint(w / 2, h)});
    return;
  }
  // Two panels side by side, each inset by 2 inches, parted at the middle.
  AddClosed(out, 36,
            {CVRX2DPoint(2, 2), CVRX2DPoint(w / 2 - 1, 2), CVRX2DPoint(w / 2 - 1, h - 2), CVRX2DPoint(2, h - 2)});
  AddClosed(
      out, 36,
      {CVRX2DPoint(w / 2 + 1, 2), CVRX2DPoint(w - 2, 2), CVRX2DPoint(w - 2, h - 2), CVRX2DPoint(w / 2 + 1, h - 2)});
}

void CRectLeaf::Get3LineElevationEntities(int, CVRX2DEntityArray&) const {}

CVRX2DVector CArchLeaf::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  return m_vProposedOffset;
}

void CArchLeaf::BuildSizedComponents() const { AddFourMembers(*m_pSizedComponents, GetWidth(), GetShoulderHeight()); }

CCustomArchLeaf::CCustomArchLeaf(double width, double leg)
  : CCustomArchedUnit("AR", "S1013", width, CVRX2DVector(width / 2, leg)), m_dLeg(leg)
{
  SetArchFromChord(CVRX2DLine(0, CVRX2DPoint(0, leg), CVRX2DPoint(width, leg)));
  Recompute();
}

CString CCustomArchLeaf::GetAttributes() const
{
  return CCustomArchedUnit::GetAttributes() + CString::Formatted(",%.15g", m_dLeg);
}

void CCustomArchLeaf::SetAttributes(CString& attributes)
{
  CCustomArchedUnit::SetAttributes(attributes);
  m_dLeg = StrToDouble(GetNextAttribute(attributes));
  SetArchFromChord(CVRX2DLine(0, CVRX2DPoint(0, m_dLeg), CVRX2DPoint(GetWidth(), m_dLeg)));
  Recompute();
}

int CCustomArchLeaf::ConformProposedSize(int, const CVRX2DVector& drag)
{
  const CVRX2DLine chord(0, CVRX2DPoint(0, m_dLeg), CVRX2DPoint(GetWidth() + drag.GetX(), m_dLeg));
  return ConformArchToChord(chord, CVRX2DVector(drag.GetX(), 0));
}

void CCustomArchLeaf::GetDimensionLabels(CStringArray& labels) const
{
  labels.SetSize(2);
  CCustomArchedUnit::GetDimensionLabels(labels);
  labels[1] = "Leg:";
}

void CCustomArchLeaf::GetDimensionValues(double& base, int& count, CArray<double, double>& values) const
{
  values.SetSize(2);
  CCustomArchedUnit::GetDimensionValues(base, count, values);
  values[1] = m_dLeg;
}

BOOL CCustomArchLeaf::SetDimensionValues(double base, int, CArray<double, double>& values)
{
  const CSavedSize saved = SaveSize();
  const double leg = m_dLeg;
  SetBase(base);
  SetWidthValue(values[0]);
  m_dLeg = values[1];
  if (!SetArchFromChord(CVRX2DLine(0, CVRX2DPoint(0, m_dLeg), CVRX2DPoint(GetWidth(), m_dLeg)))) {
    RestoreSize(saved);
    m_dLeg = leg;
    return FALSE;
  }
  Recompute();
  return TRUE;
}

CVRXAngle CCustomArchLeaf::CornerAngle(double width, const CVRX2DVector& centre) const
{
  return CVRXAngle(VRXAtan2(m_dLeg - centre.GetY(), width - centre.GetX()));
}

// Between the smaller and the larger limit angle.
BOOL CCustomArchLeaf::IsArchAngleWithinLimits(const CVRXAngle& angle) const
{
  return GetLimitAngle2().GetRadians() <= angle.GetRadians() && angle.GetRadians() <= GetLimitAngle1().GetRadians();
}

BOOL CCustomArchLeaf::AreArchAnglesWithinLimits(const CVRXAngle& first, const CVRXAngle& second) const
{
  m_CheckedAngles = {first.GetRadians(), second.GetRadians()};
  return IsArchAngleWithinLimits(first) && IsArchAngleWithinLimits(second);
}

BOOL CCustomArchLeaf::IsSizeValid() const
{
  return IsWidthWithinLimits() && IsArchWithinLimits() && IsUnitAreaWithinLimits() && IsAreaWithinLimits() &&
         AreCurrentDimensionsValid();
}

BOOL CCustomArchLeaf::IsProposedSizeValid() const
{
  return IsProposedWidthWithinLimits() && IsProposedArchWithinLimits() && IsProposedUnitAreaWithinLimits() &&
         IsProposedAreaWithinLimits() && AreProposedDimensionsValid();
}

void CVarigonLeaf::GetDimensionLabels(CStringArray& labels) const
{
  labels.RemoveAll();
  labels.Add("Width:");
  labels.Add("Height:");
}

void CVarigonLeaf::GetDimensionValues(CArray<double, double>& values) const
{
  values.RemoveAll();
  values.Add(m_dWidth);
  values.Add(m_dHeight);
}

BOOL CVarigonLeaf::SetDimensionValues(const CArray<double, double>& values)
{
  if (values.GetSize() != 2 || values[0] < GetLimits().GetMinSide() || values[1] < GetLimits().GetMinSide())
    return FALSE;
  m_dWidth = values[0];
  m_dHeight = values[1];
  ResetProposedSize();
  return TRUE;
}
