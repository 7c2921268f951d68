#include "units/freeform/Vgap2.h"

#include <algorithm>

#include "model/Unitexcp.h"

IMPLEMENT_DYNAMIC(CVGAngledPentagonType2, CVGAngledPentagon)

namespace {
constexpr const char* kModule = "vgap2";
constexpr int kNoHeadCornerLine = 300;
constexpr int kNoSideCornerLine = 317;
constexpr int kOtherClassAssignedLine = 354;
constexpr int kHandles = 5;
constexpr const char* kCodes[kHandles] = {"BJ", "AP", "AP", "AG", "AP"};  // B, C, E, D, A

std::vector<CVRX2DPoint> Corners(double a, double b, double c, double d)
{
  return {CVRX2DPoint(0.0, 0.0), CVRX2DPoint(b, 0.0), CVRX2DPoint(b, c), CVRX2DPoint(d, a), CVRX2DPoint(0.0, a)};
}
}  // namespace

CVGAngledPentagonType2::CVGAngledPentagonType2() : CVGAngledPentagon("VG", "P2010", 2)
{
  const int sides[] = {4, 0, 1, 3, 2};
  std::copy(std::begin(sides), std::end(sides), m_nSides);
}

CUnit& CVGAngledPentagonType2::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  const auto* other = dynamic_cast<const CVGAngledPentagonType2*>(&source);
  if (!other)
    throw CUnitException(kModule, kOtherClassAssignedLine);
  AssignShape(*other);
  return *this;
}

CUnit* CVGAngledPentagonType2::Clone() const { return new CVGAngledPentagonType2(*this); }

const vg::CShape<CVGAngledPentagon>& CVGAngledPentagonType2::Shape()
{
  static const vg::CShape<CVGAngledPentagon> shape =
      MakeShape({{"Base (B):", 1}, {"Left (A):", 0}, {"Right (C):", 2}, {"Top (D):", 3}});
  return shape;
}

CString CVGAngledPentagonType2::GetSizeText(int lengthFormat) const
{
  return vg::GetSizeText(*this, Shape(), lengthFormat);
}

void CVGAngledPentagonType2::GetSidesMovedByHandle(int handle, CDWordArray& flags) const
{
  vg::SetHandleFlags(flags, handle, {{2, 3}, {3, 4}, {0, 3, 4}, {0, 1, 2}, {1, 2}});
}

// The dragged corner follows the drag; the corners sharing a level or vertical side with it
// follow along that side. A zero drag asks for the current sides.
int CVGAngledPentagonType2::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  if (handle < 0 || handle >= kHandles)
    return outOfBoundsUnchanged;
  const double dx = drag.GetX(), dy = drag.GetY();
  const double A = m_dA, B = m_dB, C = m_dC, D = m_dD;
  switch (handle) {
  case 0:
    return Settle(A - dy, B - dx, C - dy, D - dx, CVRX2DVector(dx, dy));
  case 1:
    return Settle(A - dy, B + dx, C - dy, D, CVRX2DVector(0.0, dy));
  case 2:
    return Settle(A, B + dx, C + dy, D, CVRX2DVector(0.0, 0.0));
  case 3:
    return Settle(A + dy, B, C, D + dx, CVRX2DVector(0.0, 0.0));
  default:
    return Settle(A + dy, B - dx, C, D - dx, CVRX2DVector(dx, 0.0));
  }
}

CVRX2DVector CVGAngledPentagonType2::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  return vg::ProposedOutline(out, Corners(m_dProposedA, m_dProposedB, m_dProposedC, m_dProposedD), m_vProposedOffset);
}

void CVGAngledPentagonType2::BuildSizedComponents() const
{
  BuildComponents("P2010", Corners(m_dA, m_dB, m_dC, m_dD), kCodes);
}

void CVGAngledPentagonType2::Get2LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  const double A = m_dA, B = m_dB, C = m_dC, D = m_dD, E = GetSideE();
  const double j = GetComponentDistance(m_nSides[0], 1, 2);
  const double h2 = GetComponentDistance(m_nSides[3], 1, 2);
  const double s2 = GetComponentDistance(m_nSides[1], 1, 2);
  const double p = vg::Ratio(j * (A - C), E), q = vg::Ratio(j * (B - D), E);
  const CVRX2DLine side(vg::catTwoLine, CVRX2DPoint(B - j, s2), CVRX2DPoint(B - j, C));
  const CVRX2DLine head(vg::catTwoLine, CVRX2DPoint(D, A - h2), CVRX2DPoint(0.0, A - h2));
  const CVRX2DLine cut(vg::catTwoLine, CVRX2DPoint(B - p, C - q), CVRX2DPoint(D - p, A - q));
  CVRX2DPoint H, K;
  if (!vg::GetCrossing(cut, head, H))
    throw CUnitException(kModule, kNoHeadCornerLine);
  if (!vg::GetCrossing(cut, side, K))
    throw CUnitException(kModule, kNoSideCornerLine);
  vg::AddPolygon(out, vg::catTwoLine, {CVRX2DPoint(j, s2), CVRX2DPoint(B - j, s2), K, H, CVRX2DPoint(j, A - h2)});
}

void CVGAngledPentagonType2::GetDimensionLabels(CStringArray& labels) const { vg::Labels(Shape(), labels); }

void CVGAngledPentagonType2::GetDimensionValues(CArray<double, double>& values) const
{
  vg::Values(*this, Shape(), values);
}

BOOL CVGAngledPentagonType2::SetDimensionValues(const CArray<double, double>& values)
{
  return vg::SetValues(*this, Shape(), values);
}
