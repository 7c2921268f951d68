// Whether a correction of a move leaves a moved unit inside a unit that stands still. Every side
// of every moved unit is taken where the move alone put it, with the sides of the units standing
// still that it faces, ahead of it and behind it: a correction that leaves a moved side inside
// such a unit is not taken, whether the move alone put it inside that unit or not. Only where
// the move alone put it may a unit stand inside another.
#include <algorithm>
#include <cmath>
#include <vector>

#include "geometry/2dline.h"
#include "geometry/2drect.h"
#include "geometry/Angle.h"
#include "model/Entcat.h"
#include "workbench/snap/Snapeng.h"

namespace {

// How much of the stretch from..to lies on a side of the given length.
double Shared(double from, double to, double length) { return std::min(to, length) - std::max(from, 0.0); }

CVRX2DVector Moved(const CVRX2DPoint& p, const CVRX2DVector& v) { return p.AsVector() + v; }

// A line's direction as a vector of length 1; nought for a line of no length.
CVRX2DVector Direction(const CVRX2DLine& line)
{
  const CVRX2DVector d(line.GetStartPoint(), line.GetEndPoint());
  const double length = d.GetLength();
  return length > 0.0 ? CVRX2DVector(d.GetX() / length, d.GetY() / length) : CVRX2DVector();
}

// Two directions opposite within the angle tolerance, worked out without an arc tangent: a
// moved selection's sides meet thousands of sides.
BOOL Opposite(const CVRX2DVector& a, const CVRX2DVector& b)
{
  const double across = a.GetX() * b.GetY() - a.GetY() * b.GetX();
  return a.Dot(b) < 0.0 && std::abs(across) < std::sin(CVRXAngle::GetTolerance());
}
}  // namespace

template <class Visit>
void CSnapEngine::ForEachSideOf(const CAlignmentEntity& entry, Visit visit)
{
  if (entry.m_PerimeterLines.GetSize() > 0) {
    for (int i = 0; i < entry.m_PerimeterLines.GetSize(); ++i)
      visit(*entry.m_PerimeterLines[i], entry.m_pItem);
    return;
  }
  if (!m_pHost || !entry.m_pItem)
    return;
  if (const CVRX2DEntityArray* pOutlines = m_pHost->GetUnitOutlines(entry.m_pItem)) {
    for (int i = 0; i < entry.m_Indices.GetSize(); ++i)
      if (static_cast<int>(entry.m_Indices[i]) < pOutlines->GetSize())
        visit(*pOutlines->GetAt(static_cast<int>(entry.m_Indices[i])), entry.m_pItem);
    return;
  }
  // A group's side stands for the sides of its units on it.
  CObOwnArray members;
  if (!m_pHost->GetGroupMemberEntries(entry, members))
    return;
  for (int i = 0; i < members.GetSize(); ++i)
    ForEachSideOf(*static_cast<CAlignmentEntity*>(members[i]), visit);
}

double CSnapEngine::DeepestBehind(const CLikeAlignmentEntities& group) const
{
  if (group.GetOrientation() == laeVertical)
    return m_vLargestSize.GetX();
  if (group.GetOrientation() == laeHorizontal)
    return m_vLargestSize.GetY();
  return m_vLargestSize.GetLength();
}

void CSnapEngine::GatherFacedSides(double ahead)
{
  m_FacedSides.clear();
  m_dFacedReach = ahead;
  if (!m_pMovingOutlines)
    return;
  std::vector<const CDesignItem*> moving;
  for (const CSnapOutline& outline : *m_pMovingOutlines)
    moving.push_back(outline.pItem);
  std::sort(moving.begin(), moving.end());
  moving.erase(std::unique(moving.begin(), moving.end()), moving.end());
  const auto isMoving = [&moving](const CDesignItem* pItem) {
    return std::binary_search(moving.begin(), moving.end(), pItem);
  };
  std::vector<int> near;
  for (const CSnapOutline& outline : *m_pMovingOutlines) {
    const CVRX2DEntity& entity = *outline.pEntity;
    if (outline.guideline || entity.GetType() != VRX_LINE || entity.GetCategory() != ecatPerimeterOutline)
      continue;
    const auto& side = static_cast<const CVRX2DLine&>(entity);
    const CVRX2DVector start = Moved(side.GetStartPoint(), m_vMove);
    const CVRX2DVector end = Moved(side.GetEndPoint(), m_vMove);
    CLikeAlignmentEntities* pGroup = m_PerimeterGroups.FindLike(side);
    if (!pGroup || !pGroup->HasEnabled())
      continue;
    const BOOL alongY = pGroup->GetOrientation() == laeVertical;
    const double a = alongY ? start.GetY() : start.GetX();
    const double b = alongY ? end.GetY() : end.GetX();
    const CVRX2DVector direction = Direction(side);
    // A side the moved side stands behind may lie as deep in its unit as any unit reaches: the
    // sides are looked for from that far behind it to `ahead` in front of it. The moved side's
    // outside is a quarter turn clockwise, as a stationary side's.
    const double deep = DeepestBehind(*pGroup);
    const CVRX2DVector outward(direction.GetY(), -direction.GetX());
    const CVRX2DVector middle = start + outward * ((ahead - deep) / 2.0);
    // Along the side only as far as the correction may slide it.
    pGroup->FindFacing(middle.GetX(), middle.GetY(), (ahead + deep) / 2.0, std::min(a, b), std::max(a, b), ahead, near);
    const CAlignmentEntityArray& entries = pGroup->GetEntities();
    for (int i : near) {
      const CAlignmentEntity& entry = *entries[i];
      if (!entry.m_bEnabled || entry.m_pEntity->GetType() != VRX_LINE || isMoving(entry.m_pItem))
        continue;
      ForEachSideOf(entry, [&](const CVRX2DEntity& other, CDesignItem* pOwner) {
        if (other.GetType() != VRX_LINE || isMoving(pOwner) || (m_pStill && !(*m_pStill)(pOwner)))
          return;
        const auto& still = static_cast<const CVRX2DLine&>(other);
        CFacedSide faced;
        faced.along = Direction(still);
        if (!Opposite(faced.along, direction))
          return;
        // A unit's sides run with the unit on their left: the outside is a quarter turn clockwise.
        faced.start = still.GetStartPoint().AsVector();
        faced.outward = CVRX2DVector(faced.along.GetY(), -faced.along.GetX());
        faced.length = still.GetLength();
        const double p = (start - faced.start).Dot(faced.along);
        const double q = (end - faced.start).Dot(faced.along);
        faced.from = std::min(p, q);
        faced.to = std::max(p, q);
        faced.gap = (start - faced.start).Dot(faced.outward);
        // Ahead of the moved side only the sides within the correction's reach can be met.
        if (faced.gap > ahead)
          return;
        faced.pOwner = pOwner;
        faced.pMoved = outline.pItem;
        m_FacedSides.push_back(faced);
      });
    }
  }
}

double CSnapEngine::DepthBehind(CFacedSide& side)
{
  if (side.depth >= 0.0)
    return side.depth;
  side.depth = HUGE_VAL;
  const CVRX2DEntityArray* pOutlines = m_pHost ? m_pHost->GetUnitOutlines(side.pOwner) : nullptr;
  if (!pOutlines)
    return side.depth;
  double deepest = 0.0;
  const auto reach = [&](const CVRX2DPoint& p) {
    deepest = std::max(deepest, (side.start - p.AsVector()).Dot(side.outward));
  };
  for (int i = 0; i < pOutlines->GetSize(); ++i) {
    const CVRX2DEntity& entity = *pOutlines->GetAt(i);
    if (entity.GetType() == VRX_LINE) {
      reach(static_cast<const CVRX2DLine&>(entity).GetStartPoint());
      reach(static_cast<const CVRX2DLine&>(entity).GetEndPoint());
      continue;
    }
    const CVRX2DRectangle box = entity.GetExtents();
    const CVRX2DPoint low = box.GetMinPoint();
    const CVRX2DPoint high = box.GetMaxPoint();
    for (const CVRX2DPoint& corner :
         {low, high, CVRX2DPoint(low.GetX(), high.GetY()), CVRX2DPoint(high.GetX(), low.GetY())})
      reach(corner);
  }
  side.depth = deepest;
  return side.depth;
}

BOOL CSnapEngine::EndsInside(CFacedSide& side, const CVRX2DVector& correction)
{
  const double gap = side.gap + correction.Dot(side.outward);
  if (gap >= -kClearSlack)
    return FALSE;
  const double slide = correction.Dot(side.along);
  if (Shared(side.from + slide, side.to + slide, side.length) <= kClearSlack)
    return FALSE;
  // Behind the unit's far side the moved side is out of it again.
  return gap > -DepthBehind(side) + kClearSlack;
}

BOOL CSnapEngine::KeepsUnitsClear(const CVRX2DVector& correction)
{
  const double shift = correction.GetLength();
  if (!(shift > kClearSlack))
    return TRUE;
  // A side ahead of a moved side farther than the correction cannot be reached by it; one the
  // move alone put the moved side behind stays in front of it unless the correction takes it
  // out of that unit whole. The sides ahead within the longest correction asked about so far
  // are looked at.
  const double ahead = shift + kSnapRangeSlack;
  if (ahead > m_dFacedReach)
    GatherFacedSides(ahead);
  for (CFacedSide& side : m_FacedSides)
    if (EndsInside(side, correction))
      return FALSE;
  return TRUE;
}

BOOL CSnapEngine::MoveEndsClear(const std::vector<CSnapOutline>& outlines, const CVRX2DVector& v,
                                const std::function<bool(const CDesignItem*)>& still)
{
  // The sides are taken where the move puts them, with no correction: only the sides they
  // stand at or behind are looked at.
  m_pMovingOutlines = &outlines;
  m_vMove = v;
  m_pStill = still ? &still : nullptr;
  GatherFacedSides(kSnapRangeSlack);
  BOOL clear = TRUE;
  for (CFacedSide& side : m_FacedSides)
    if (EndsInside(side, CVRX2DVector())) {
      clear = FALSE;
      break;
    }
  m_FacedSides.clear();
  m_dFacedReach = -1.0;
  m_pMovingOutlines = nullptr;
  m_vMove = CVRX2DVector();
  m_pStill = nullptr;
  return clear;
}
