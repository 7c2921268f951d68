#include "units/freeform/Vgrt1.h"

#include <cmath>

#include "model/Sizecomp.h"
#include "support/Trace.h"
#include "units/freeform/Vgutil.h"

IMPLEMENT_DYNAMIC(CVGRightTriangleType1, CVGRightTriangle)

namespace {
constexpr int kHandles = 3;
}  // namespace

CVGRightTriangleType1::CVGRightTriangleType1() : CVGRightTriangle("VG", "T1010", 1) {}

CUnit* CVGRightTriangleType1::Clone() const { return new CVGRightTriangleType1(*this); }

// The cut begins where it meets the head; the right angle is on the right.
void CVGRightTriangleType1::GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                                                   const CPlanSectionPreferences& preferences,
                                                   CVRX2DEntityArray& out) const
{
  const double width = vg::Ratio(m_dHeight - cutHeight, Slope());
  vg::AddPlanSection(width, m_dBase - width, switches, preferences, out);
}

void CVGRightTriangleType1::GetSizingHandles(CSizingHandleArray& out) const
{
  vg::AddComponentHandles(out, *GetSizedComponents());
}

void CVGRightTriangleType1::GetSidesMovedByHandle(int handle, CDWordArray& flags) const
{
  vg::SetFlags(flags, kHandles, {handle == 0 ? 2 : (handle == 2 ? 0 : -1)});
}

// Handles 0 and 2 keep the opposite corner. The right-angle corner keeps the head on its line:
// of a drag that moves it out of the triangle on one axis and into it on the other, only the
// outward part counts.
int CVGRightTriangleType1::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  if (handle < 0 || handle >= kHandles)
    return outOfBoundsUnchanged;
  const double vx = drag.GetX(), vy = drag.GetY();
  const double t = Slope(), a = std::fabs(vx), c = std::fabs(vy);
  double sill = vg::Ratio(c, t), jamb = a * t;
  PCTRACE(TT_UNIT, TL_DETAIL)("***** CVGRightTriangleType1::ConformProposedSize() *****\n");
  PCTRACE(TT_UNIT, TL_DETAIL)("Sizing Handle.........: %d\n", handle);
  PCTRACE(TT_UNIT, TL_DETAIL)("Sizing Vector.........: (%f, %f)\n", vx, vy);
  PCTRACE(TT_UNIT, TL_DETAIL)("Current Base..........: %f\n", m_dBase);
  PCTRACE(TT_UNIT, TL_DETAIL)("Current Height........: %f\n", m_dHeight);
  PCTRACE(TT_UNIT, TL_DETAIL)("Unit Angle............: %f radians\n", std::atan(vg::Ratio(m_dHeight, m_dBase)));
  PCTRACE(TT_UNIT, TL_DETAIL)("Additional Sill Width.: %f\n", sill == 0.0 ? a : sill);
  PCTRACE(TT_UNIT, TL_DETAIL)("Additional Jamb Height: %f\n", jamb == 0.0 ? c : jamb);
  if (vx == 0.0 && vy == 0.0) {
    PCTRACE(TT_UNIT, TL_DETAIL)("Returned Result.......: inbounds; unchanged (no movement shown in vector)\n");
    return inboundsUnchanged;
  }
  double base = m_dBase, height = m_dHeight;
  CVRX2DVector offset(0.0, 0.0);
  if (handle == 0) {
    base = m_dBase - vx;
    height = m_dHeight - vy;
    offset.Set(vx, vy);
  } else if (handle == 2) {
    base = m_dBase + vx;
    height = m_dHeight + vy;
  } else if (vx < 0.0 && vy < 0.0) {
    height = m_dHeight + c;
    base = vg::Ratio(height, t);
    offset.Set(m_dBase - base, vy);
  } else if (vx < 0.0 && vy > 0.0) {
    base = m_dBase - a - sill;
    height = m_dHeight - c - jamb;
    offset.Set(sill, vy);
  } else if (vx < 0.0) {
    base = m_dBase - a;
    height = m_dHeight - jamb;
  } else if (vx > 0.0 && vy < 0.0) {
    base = m_dBase + a + sill;
    height = m_dHeight + c + jamb;
    offset.Set(-sill, vy);
  } else if (vx > 0.0) {
    base = m_dBase + a;
    height = base * t;
  } else {
    base = vy < 0.0 ? m_dBase + sill : m_dBase - sill;
    height = vy < 0.0 ? m_dHeight + c : m_dHeight - c;
    offset.Set(vy < 0.0 ? -sill : sill, vy);
  }
  PCTRACE(TT_UNIT, TL_DETAIL)("Requested Base........: %f\n", base);
  PCTRACE(TT_UNIT, TL_DETAIL)("Requested Height......: %f\n", height);
  return vg::TraceResult(Settle(base, height, offset), offset,
                         {"Returned Result.......: out-of-bounds; unchanged (invalid dimensions)\n",
                          "Returned Result.......: inbounds; unchanged (requested same as proposed)\n",
                          "Base Point Delta......: ", "Returned Result.......: inbounds; changed\n"});
}

CVRX2DVector CVGRightTriangleType1::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  const double b = m_dProposedBase, h = m_dProposedHeight;
  return vg::ProposedOutline(out, {CVRX2DPoint(0.0, 0.0), CVRX2DPoint(b, 0.0), CVRX2DPoint(b, h)}, m_vProposedOffset);
}

void CVGRightTriangleType1::BuildSizedComponents() const
{
  const CVRX2DPoint corners[] = {CVRX2DPoint(0.0, 0.0), CVRX2DPoint(m_dBase, 0.0), CVRX2DPoint(m_dBase, m_dHeight)};
  vg::BuildComponents(*m_pSizedComponents, "T1010",
                      {{"BJ", corners[0], corners[1]}, {"AP", corners[1], corners[2]}, {"AG", corners[2], corners[0]}});
}
