#include "units/freeform/Vgrt2.h"

#include <cmath>

#include "model/Sizecomp.h"
#include "units/freeform/Vgutil.h"

IMPLEMENT_DYNAMIC(CVGRightTriangleType2, CVGRightTriangle)

namespace {
constexpr int kHandles = 3;
}  // namespace

CVGRightTriangleType2::CVGRightTriangleType2() : CVGRightTriangle("VG", "T2010", 2) {}

CUnit* CVGRightTriangleType2::Clone() const { return new CVGRightTriangleType2(*this); }

// The right angle is on the base point's side: the cut begins at the jamb.
void CVGRightTriangleType2::GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                                                   const CPlanSectionPreferences& preferences,
                                                   CVRX2DEntityArray& out) const
{
  vg::AddPlanSection(vg::Ratio(m_dHeight - cutHeight, Slope()), 0.0, switches, preferences, out);
}

void CVGRightTriangleType2::GetSizingHandles(CSizingHandleArray& out) const
{
  vg::AddComponentHandles(out, *GetSizedComponents());
}

void CVGRightTriangleType2::GetSidesMovedByHandle(int handle, CDWordArray& flags) const
{
  vg::SetFlags(flags, kHandles, {handle == 1 ? 2 : (handle == 2 ? 1 : -1)});
}

// As type 1 without traces; the right-angle corner is handle 0, and outward is left or down.
int CVGRightTriangleType2::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  if (handle < 0 || handle >= kHandles)
    return outOfBoundsUnchanged;
  const double vx = drag.GetX(), vy = drag.GetY();
  if (vx == 0.0 && vy == 0.0)
    return inboundsUnchanged;
  const double t = Slope(), a = std::fabs(vx), c = std::fabs(vy);
  const double sill = vg::Ratio(c, t), jamb = a * t;
  double base = m_dBase, height = m_dHeight;
  CVRX2DVector offset(0.0, 0.0);
  if (handle == 1) {
    base = m_dBase + vx;
    height = m_dHeight - vy;
    offset.Set(0.0, vy);
  } else if (handle == 2) {
    base = m_dBase - vx;
    height = m_dHeight + vy;
    offset.Set(vx, 0.0);
  } else if (vx < 0.0 && vy < 0.0) {
    height = m_dHeight + c + jamb;
    base = vg::Ratio(height, t);
    offset.Set(vx, vy);
  } else if (vx < 0.0) {
    base = m_dBase + a;
    height = vy > 0.0 ? base * t : m_dHeight + jamb;
    offset.Set(vx, 0.0);
  } else if (vx > 0.0 && vy != 0.0) {
    height = vy < 0.0 ? m_dHeight + c : m_dHeight - c - jamb;
    base = vg::Ratio(height, t);
    offset.Set(vy < 0.0 ? 0.0 : vx, vy);
  } else if (vx > 0.0) {
    base = m_dBase - a;
    height = base * t;
    offset.Set(vx, 0.0);
  } else {
    base = vy < 0.0 ? m_dBase + sill : m_dBase - sill;
    height = vy < 0.0 ? m_dHeight + c : m_dHeight - c;
    offset.Set(0.0, vy);
  }
  return Settle(base, height, offset);
}

CVRX2DVector CVGRightTriangleType2::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  const double b = m_dProposedBase, h = m_dProposedHeight;
  return vg::ProposedOutline(out, {CVRX2DPoint(0.0, 0.0), CVRX2DPoint(b, 0.0), CVRX2DPoint(0.0, h)}, m_vProposedOffset);
}

void CVGRightTriangleType2::BuildSizedComponents() const
{
  const CVRX2DPoint corners[] = {CVRX2DPoint(0.0, 0.0), CVRX2DPoint(m_dBase, 0.0), CVRX2DPoint(0.0, m_dHeight)};
  vg::BuildComponents(*m_pSizedComponents, "T2010",
                      {{"BJ", corners[0], corners[1]}, {"AG", corners[1], corners[2]}, {"AP", corners[2], corners[0]}});
}
