#include "units/freeform/Vgap1.h"

#include <algorithm>

#include "model/Unitexcp.h"

IMPLEMENT_DYNAMIC(CVGAngledPentagonType1, CVGAngledPentagon)

namespace {
constexpr const char* kModule = "vgap1";
constexpr int kOtherClassAssignedLine = 77;
constexpr int kNoHeadCornerLine = 343;
constexpr int kNoSideCornerLine = 368;
constexpr int kHandles = 5;
constexpr const char* kCodes[kHandles] = {"BJ", "AP", "AG", "AP", "AP"};  // B, A, D, E, C

std::vector<CVRX2DPoint> Corners(double a, double b, double c, double d)
{
  return {CVRX2DPoint(0.0, 0.0), CVRX2DPoint(b, 0.0), CVRX2DPoint(b, a), CVRX2DPoint(b - d, a), CVRX2DPoint(0.0, c)};
}
}  // namespace

CVGAngledPentagonType1::CVGAngledPentagonType1() : CVGAngledPentagon("VG", "P1010", 1)
{
  const int sides[] = {1, 0, 4, 2, 3};
  std::copy(std::begin(sides), std::end(sides), m_nSides);
}

CUnit& CVGAngledPentagonType1::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  const auto* other = dynamic_cast<const CVGAngledPentagonType1*>(&source);
  if (!other)
    throw CUnitException(kModule, kOtherClassAssignedLine);
  AssignShape(*other);
  return *this;
}

CUnit* CVGAngledPentagonType1::Clone() const { return new CVGAngledPentagonType1(*this); }

const vg::CShape<CVGAngledPentagon>& CVGAngledPentagonType1::Shape()
{
  static const vg::CShape<CVGAngledPentagon> shape =
      MakeShape({{"Base (B):", 1}, {"Left (C):", 2}, {"Right (A):", 0}, {"Top (D):", 3}});
  return shape;
}

CString CVGAngledPentagonType1::GetSizeText(int lengthFormat) const
{
  return vg::GetSizeText(*this, Shape(), lengthFormat);
}

void CVGAngledPentagonType1::GetSidesMovedByHandle(int handle, CDWordArray& flags) const
{
  vg::SetHandleFlags(flags, handle, {{2, 3}, {3, 4}, {0, 4}, {0, 1, 4}, {1, 2, 3}});
}

// The mirror image of type 2's rules. A zero drag asks for the current sides.
int CVGAngledPentagonType1::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  if (handle < 0 || handle >= kHandles)
    return outOfBoundsUnchanged;
  const double dx = drag.GetX(), dy = drag.GetY();
  const double A = m_dA, B = m_dB, C = m_dC, D = m_dD;
  switch (handle) {
  case 0:
    return Settle(A - dy, B - dx, C - dy, D, CVRX2DVector(dx, dy));
  case 1:
    return Settle(A - dy, B + dx, C - dy, D + dx, CVRX2DVector(0.0, dy));
  case 2:
    return Settle(A + dy, B + dx, C, D + dx, CVRX2DVector(0.0, 0.0));
  case 3:
    return Settle(A + dy, B, C, D - dx, CVRX2DVector(0.0, 0.0));
  default:
    return Settle(A, B - dx, C + dy, D, CVRX2DVector(dx, 0.0));
  }
}

CVRX2DVector CVGAngledPentagonType1::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  return vg::ProposedOutline(out, Corners(m_dProposedA, m_dProposedB, m_dProposedC, m_dProposedD), m_vProposedOffset);
}

void CVGAngledPentagonType1::BuildSizedComponents() const
{
  BuildComponents("P1010", Corners(m_dA, m_dB, m_dC, m_dD), kCodes);
}

void CVGAngledPentagonType1::Get2LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  const double A = m_dA, B = m_dB, C = m_dC, D = m_dD, E = GetSideE();
  const double j = GetComponentDistance(m_nSides[0], 1, 2);
  const double h2 = GetComponentDistance(m_nSides[3], 1, 2);
  const double s2 = GetComponentDistance(m_nSides[1], 1, 2);
  const double p = vg::Ratio(j * (A - C), E), q = vg::Ratio(j * (B - D), E);
  const CVRX2DLine side(vg::catTwoLine, CVRX2DPoint(j, C + s2), CVRX2DPoint(j, 0.0));
  const CVRX2DLine head(vg::catTwoLine, CVRX2DPoint(B - j, A - h2), CVRX2DPoint(B - D, A - h2));
  const CVRX2DLine cut(vg::catTwoLine, CVRX2DPoint(B - D + p, A - q), CVRX2DPoint(p, C - q));
  CVRX2DPoint H, K;
  if (!vg::GetCrossing(cut, head, H))
    throw CUnitException(kModule, kNoHeadCornerLine);
  if (!vg::GetCrossing(cut, side, K))
    throw CUnitException(kModule, kNoSideCornerLine);
  vg::AddPolygon(out, vg::catTwoLine, {CVRX2DPoint(j, s2), CVRX2DPoint(B - j, s2), CVRX2DPoint(B - j, A - h2), H, K});
}

void CVGAngledPentagonType1::GetDimensionLabels(CStringArray& labels) const { vg::Labels(Shape(), labels); }

void CVGAngledPentagonType1::GetDimensionValues(CArray<double, double>& values) const
{
  vg::Values(*this, Shape(), values);
}

BOOL CVGAngledPentagonType1::SetDimensionValues(const CArray<double, double>& values)
{
  return vg::SetValues(*this, Shape(), values);
}
