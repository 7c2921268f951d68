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

void CSnapEngine::KeepCommittedMove(const std::vector<CSnapOutline>& outlines, const CVRX2DVector& adjusted,
                                    const CVRX2DVector& correction)
{
  BOOL first = TRUE;
  for (const CSnapOutline& outline : outlines) {
    if (outline.guideline || !outline.pItem || outline.pEntity->GetCategory() != ecatPerimeterOutline)
      continue;
    // A unit's sides come one after another: it is kept once for them.
    if (m_CommittedUnits.empty() || m_CommittedUnits.back() != outline.pItem)
      m_CommittedUnits.push_back(outline.pItem);
    if (!first)
      continue;
    first = FALSE;
    // Only a correction of some length was checked; none leaves the units where the move put
    // them. The unit's side is taken where it stands before the move.
    const CVRX2DEntityArray* pSides = m_pHost ? m_pHost->GetUnitOutlines(outline.pItem) : nullptr;
    if (correction.GetLength() > kClearSlack && pSides && outline.index >= 0 && outline.index < pSides->GetSize() &&
        pSides->GetAt(outline.index)->GetType() == VRX_LINE)
      m_ClearEnds.push_back({outline.pItem, outline.index,
                             static_cast<const CVRX2DLine*>(pSides->GetAt(outline.index))->GetStartPoint() + adjusted});
    else
      m_bEndUnknown = TRUE;
  }
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
  m_ClearEnds.clear();
  m_bEndUnknown = FALSE;
}

BOOL CSnapEngine::EndsKnownClear() const
{
  if (m_bEndUnknown)
    return FALSE;
  for (const CClearEnd& clear : m_ClearEnds) {
    const CVRX2DEntityArray* pSides = m_pHost->GetUnitOutlines(clear.pItem);
    if (!pSides || clear.index < 0 || clear.index >= pSides->GetSize() ||
        pSides->GetAt(clear.index)->GetType() != VRX_LINE ||
        !(static_cast<const CVRX2DLine*>(pSides->GetAt(clear.index))->GetStartPoint() == clear.start))
      return FALSE;
  }
  return TRUE;
}

template <class Visit>
void CSnapEngine::ForEachUnitEntryOf(const CAlignmentEntity& entry, Visit visit)
{
  // A unit's entry holds its sides or names them; only another item's may stand for a group's.
  CObOwnArray members;
  if (entry.m_PerimeterLines.GetSize() > 0 || !m_pHost || !entry.m_pItem || m_pHost->GetUnitOutlines(entry.m_pItem) ||
      !m_pHost->GetGroupMemberEntries(entry, members)) {
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
  // Where no unit stands still in the tables, as while a whole design moves, no moved unit can
  // end inside one or be joined to one.
  if (end.moved.empty() || !m_pHost || !m_PerimeterGroups.HasEnabled()) {
    ForgetCommittedMoves();
    return end;
  }
  const std::vector<CSnapOutline> sides = PerimeterOf(end.moved, *m_pHost);
  // The units in each other where the moves ended: the sides are taken where they stand.
  if (!EndsKnownClear()) {
    m_pMovingOutlines = &sides;
    m_vMove = CVRX2DVector();
    GatherFacedSides(kSnapRangeSlack);
    for (CFacedSide& side : m_FacedSides)
      if (EndsInside(side, CVRX2DVector())) {
        end.inside.push_back(side.pMoved);
        end.inside.push_back(side.pOwner);
      }
    m_FacedSides.clear();
    m_dFacedReach = -1.0;
    m_pMovingOutlines = nullptr;
    SortUnique(end.inside);
  }
  ForgetCommittedMoves();
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
    pGroup->FindFacing(start.GetX(), start.GetY(), reach, std::min(a, b), std::max(a, b), reach, near);
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
