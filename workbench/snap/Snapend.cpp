// The end of a committed move: the units it moved are joined where they end, not where the move
// alone put them. A side of a moved unit is joined to each side of a unit standing still that it
// faces at exactly their joining spacing, whichever snap brought it there or none; a moved unit
// that ends inside a unit standing still is joined to nothing, and neither is that unit.
#include <algorithm>
#include <vector>

#include "geometry/2dline.h"
#include "model/Entcat.h"
#include "workbench/snap/Snapeng.h"

namespace {
template <class T>
void SortUnique(std::vector<T>& items)
{
  std::sort(items.begin(), items.end());
  items.erase(std::unique(items.begin(), items.end()), items.end());
}

// The perimeter sides of the units as they stand now, as a move's outlines.
std::vector<CSnapOutline> PerimeterOf(const std::vector<CDesignItem*>& units, CSnapHost& host)
{
  std::vector<CSnapOutline> outlines;
  for (CDesignItem* pUnit : units) {
    const CVRX2DEntityArray* pSides = host.GetUnitOutlines(pUnit);
    for (int i = 0; pSides && i < pSides->GetSize(); ++i)
      if (pSides->GetAt(i)->GetType() == VRX_LINE && pSides->GetAt(i)->GetCategory() == ecatPerimeterOutline)
        outlines.push_back({pSides->GetAt(i), pUnit, i, FALSE});
  }
  return outlines;
}
}  // namespace

void CSnapEngine::KeepCommittedMove(const std::vector<CSnapOutline>& outlines)
{
  for (const CSnapOutline& outline : outlines)
    if (!outline.guideline && outline.pItem && outline.pEntity->GetCategory() == ecatPerimeterOutline)
      m_CommittedUnits.push_back(outline.pItem);
  for (const CJoinFace& face : m_Faces) {
    const CSnapVector& snap = face.snap;
    m_Proposed.push_back(
        {snap.m_pMovingItem, snap.m_nMovingComponent, snap.m_pStationaryItem, snap.m_nStationaryComponent});
  }
}

void CSnapEngine::ForgetCommittedMoves()
{
  m_CommittedUnits.clear();
  m_Proposed.clear();
}

template <class Visit>
void CSnapEngine::ForEachUnitEntryOf(const CAlignmentEntity& entry, Visit visit)
{
  CObOwnArray members;
  if (!m_pHost || !entry.m_pItem || !m_pHost->GetGroupMemberEntries(entry, members)) {
    visit(entry);
    return;
  }
  for (int i = 0; i < members.GetSize(); ++i)
    ForEachUnitEntryOf(*static_cast<CAlignmentEntity*>(members[i]), visit);
}

CSnapEngine::CMoveEnd CSnapEngine::EndCommittedMoves()
{
  CMoveEnd end;
  end.moved.swap(m_CommittedUnits);
  end.proposed.swap(m_Proposed);
  SortUnique(end.moved);
  if (end.moved.empty() || !m_pHost)
    return end;
  const std::vector<CSnapOutline> sides = PerimeterOf(end.moved, *m_pHost);
  // The units in each other where the moves ended: the sides are taken where they stand.
  m_pMovingOutlines = &sides;
  m_vMove = CVRX2DVector();
  GatherFacedSides(m_dLargestExtent + kSnapRangeSlack);
  for (CFacedSide& side : m_FacedSides)
    if (EndsInside(side, CVRX2DVector())) {
      end.inside.push_back(side.pMoved);
      end.inside.push_back(side.pOwner);
    }
  m_FacedSides.clear();
  m_dFacedReach = -1.0;
  m_pMovingOutlines = nullptr;
  SortUnique(end.inside);
  if (m_bAutoJoin != 1)
    return end;
  const auto among = [](const std::vector<CDesignItem*>& items, const CDesignItem* pItem) {
    return std::binary_search(items.begin(), items.end(), pItem);
  };
  std::vector<int> near;
  for (const CSnapOutline& outline : sides) {
    if (among(end.inside, outline.pItem))
      continue;
    const auto& line = static_cast<const CVRX2DLine&>(*outline.pEntity);
    CLikeAlignmentEntities* pGroup = m_PerimeterGroups.FindLike(line);
    if (!pGroup || !pGroup->HasEnabled())
      continue;
    const CVRX2DPoint& start = line.GetStartPoint();
    const BOOL alongY = pGroup->GetOrientation() == laeVertical;
    const double a = alongY ? start.GetY() : start.GetX();
    const double b = alongY ? line.GetEndPoint().GetY() : line.GetEndPoint().GetX();
    const double reach = m_dJoinSnapRange + kSnapRangeSlack + kUnchangedSlack;
    pGroup->FindFacing(start.GetX(), start.GetY(), reach, std::min(a, b), std::max(a, b), near);
    const CAlignmentEntityArray& entries = pGroup->GetEntities();
    for (int i : near) {
      const CAlignmentEntity& entry = *entries[i];
      if (!entry.m_bEnabled || entry.m_pEntity->GetType() != VRX_LINE || among(end.moved, entry.m_pItem))
        continue;
      CVRX2DPoint foot;
      double direction = 0.0;
      if (!IsWithinSnapRange(DistanceToEntity(start, *entry.m_pEntity, foot, direction, FALSE), m_dJoinSnapRange))
        continue;
      ForEachUnitEntryOf(entry, [&](const CAlignmentEntity& unitEntry) {
        if (among(end.moved, unitEntry.m_pItem) || among(end.inside, unitEntry.m_pItem))
          return;
        CDWordArray indices;
        const CLending lending{m_LentLines};
        const CVRX2DEntityArray* pLines = SidesFor(unitEntry, indices);
        m_pHost->JoinWhereSpaced(line, outline.pItem, outline.index, unitEntry.m_pItem, *pLines, indices);
      });
    }
  }
  return end;
}
