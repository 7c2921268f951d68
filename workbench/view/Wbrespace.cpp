// A join's units moved to its new spacing after its type changed: each unit goes with its group
// and every item joined on to it beyond the join, as a group of them would, so that a unit never
// ends inside the next one along and every other join holds; where the square's edge or a unit
// standing still is in the way, nothing moves.
#include <functional>
#include <unordered_map>
#include <vector>

#include "geometry/2dline.h"
#include "model/Entcat.h"
#include "platform/core/Ptrhash.h"
#include "workbench/items/Groupitm.h"
#include "workbench/items/Joinitem.h"
#include "workbench/items/Unititem.h"
#include "workbench/view/Wbview.h"

namespace {
// The items that move as one with a unit: the units and groups, the units among them (a group's
// as well), their perimeter sides, and the joins of the design between two of them.
struct CCarried
{
  std::vector<CDesignItem*> movers;
  CPtrHashSet units;
  std::vector<CSnapOutline> sides;
  std::vector<CDesignItem*> joins;
};

// The design's joins as links between the items that move (a unit, or the group holding it),
// leaving out the joins between the two units of the join whose spacing changes.
class CJoinLinks
{
public:
  CJoinLinks(CObList& items, const CJoinItem& changed)
  {
    CUnitItem* pFirst = nullptr;
    CUnitItem* pSecond = nullptr;
    changed.GetUnitItems(pFirst, pSecond);
    for (POSITION pos = items.GetHeadPosition(); pos;) {
      auto* pItem = static_cast<CDesignItem*>(items.GetNext(pos));
      if (pItem->GetItemType() != ditGroup)
        continue;
      CObList units;
      static_cast<CGroupItem*>(pItem)->GetUnitsInGroup(units, FALSE);
      for (POSITION u = units.GetHeadPosition(); u;)
        m_groupOf[units.GetNext(u)] = pItem;
    }
    for (POSITION pos = items.GetHeadPosition(); pos;) {
      auto* pJoin = dynamic_cast<CJoinItem*>(static_cast<CDesignItem*>(items.GetNext(pos)));
      CUnitItem* pA = nullptr;
      CUnitItem* pB = nullptr;
      if (pJoin)
        pJoin->GetUnitItems(pA, pB);
      if (!pA || !pB || ((pA == pFirst && pB == pSecond) || (pA == pSecond && pB == pFirst)))
        continue;
      CDesignItem* pMoverA = MoverOf(pA);
      CDesignItem* pMoverB = MoverOf(pB);
      m_links[pMoverA].push_back(pMoverB);
      m_links[pMoverB].push_back(pMoverA);
      m_joins.push_back(pJoin);
    }
  }

  CDesignItem* MoverOf(CDesignItem* pUnit) const
  {
    const auto found = m_groupOf.find(pUnit);
    return found == m_groupOf.end() ? pUnit : found->second;
  }

  // Everything that moves with the unit.
  CCarried From(CUnitItem* pUnit) const
  {
    CCarried carried;
    CPtrHashSet seen;
    carried.movers.push_back(MoverOf(pUnit));
    seen.Insert(carried.movers.back());
    for (size_t i = 0; i < carried.movers.size(); ++i) {
      const auto links = m_links.find(carried.movers[i]);
      if (links == m_links.end())
        continue;
      for (CDesignItem* pNext : links->second)
        if (!seen.Contains(pNext)) {
          seen.Insert(pNext);
          carried.movers.push_back(pNext);
        }
    }
    for (CDesignItem* pMover : carried.movers)
      AddUnits(pMover, carried);
    for (CJoinItem* pJoin : m_joins) {
      CUnitItem* pA = nullptr;
      CUnitItem* pB = nullptr;
      pJoin->GetUnitItems(pA, pB);
      if (carried.units.Contains(pA) && carried.units.Contains(pB))
        carried.joins.push_back(pJoin);
    }
    return carried;
  }

private:
  static void AddUnits(CDesignItem* pMover, CCarried& carried)
  {
    CObList units;
    if (pMover->GetItemType() == ditGroup)
      static_cast<CGroupItem*>(pMover)->GetUnitsInGroup(units, FALSE);
    else
      units.AddTail(pMover);
    for (POSITION pos = units.GetHeadPosition(); pos;) {
      auto* pUnit = dynamic_cast<CUnitItem*>(static_cast<CDesignItem*>(units.GetNext(pos)));
      if (!pUnit)
        continue;
      carried.units.Insert(pUnit);
      const CVRX2DEntityArray& sides = *pUnit->GetComponentOutlines();
      for (int i = 0; i < sides.GetSize(); ++i)
        if (sides[i]->GetType() == VRX_LINE && sides[i]->GetCategory() == ecatPerimeterOutline)
          carried.sides.push_back({sides[i], pUnit, i, FALSE});
    }
  }

  std::unordered_map<const CObject*, CDesignItem*> m_groupOf;
  std::unordered_map<const CDesignItem*, std::vector<CDesignItem*>> m_links;
  std::vector<CJoinItem*> m_joins;
};

// Each side's units against the units standing still, where their moves put them; when both
// sides move, each against the other's as well, which close in on them by both moves.
BOOL MovesClear(CSnapEngine& snap, const CCarried& one, const CCarried& other, const CVRX2DVector& first,
                const CVRX2DVector& second)
{
  const bool oneMoves = first.GetLength() > 0.0;
  const bool otherMoves = second.GetLength() > 0.0;
  std::function<bool(const CDesignItem*)> still;
  if (oneMoves && otherMoves)
    still = [&](const CDesignItem* pUnit) { return !one.units.Contains(pUnit) && !other.units.Contains(pUnit); };
  if (oneMoves && !snap.MoveEndsClear(one.sides, first, still))
    return FALSE;
  if (otherMoves && !snap.MoveEndsClear(other.sides, second, still))
    return FALSE;
  return !(oneMoves && otherMoves) || snap.MoveEndsClear(one.sides, first - second, [&](const CDesignItem* pUnit) {
    return other.units.Contains(pUnit);
  });
}

void MoveItem(CWorkbenchView& view, CDesignItem* pItem, const CVRX2DVector& v)
{
  pItem->Invalidate(&view);
  pItem->Offset(v);
  pItem->Invalidate(&view);
  view.UpdateAlignmentEntities(pItem);
}

void MoveCarried(CWorkbenchView& view, const CCarried& carried, const CVRX2DVector& v)
{
  if (!(v.GetLength() > 0.0))
    return;
  for (CDesignItem* pMover : carried.movers)
    MoveItem(view, pMover, v);
  for (CDesignItem* pJoin : carried.joins)
    MoveItem(view, pJoin, v);
}

BOOL StaysOnSquare(const CCarried& carried, const CVRX2DVector& v)
{
  if (!(v.GetLength() > 0.0))
    return TRUE;
  for (CDesignItem* pMover : carried.movers)
    if (!pMover->CanMoveTo(v))
      return FALSE;
  return TRUE;
}
}  // namespace

CWorkbenchView::EJoinSpacingMove CWorkbenchView::MoveToJoinSpacing(CJoinItem& join, const CVRX2DVector& first,
                                                                   const CVRX2DVector& second,
                                                                   const CVRX2DVector& joinMove)
{
  CUnitItem* pFirst = nullptr;
  CUnitItem* pSecond = nullptr;
  join.GetUnitItems(pFirst, pSecond);
  if (!m_pItemList || !pFirst || !pSecond)
    return EJoinSpacingMove::HeldTogether;
  const CJoinLinks links(*m_pItemList, join);
  const CCarried one = links.From(pFirst);
  const CCarried other = links.From(pSecond);
  if (one.units.Contains(pSecond) || other.units.Contains(pFirst))
    return EJoinSpacingMove::HeldTogether;
  if (!StaysOnSquare(one, first) || !StaysOnSquare(other, second))
    return EJoinSpacingMove::OffSquare;
  if (!MovesClear(m_Snap, one, other, first, second))
    return EJoinSpacingMove::IntoUnit;
  MoveCarried(*this, one, first);
  MoveCarried(*this, other, second);
  if (joinMove.GetLength() > 0.0)
    for (POSITION pos = m_pItemList->GetHeadPosition(); pos;) {
      auto* pJoin = dynamic_cast<CJoinItem*>(static_cast<CDesignItem*>(m_pItemList->GetNext(pos)));
      CUnitItem* pA = nullptr;
      CUnitItem* pB = nullptr;
      if (pJoin)
        pJoin->GetUnitItems(pA, pB);
      if (pA == pFirst && pB == pSecond)
        MoveItem(*this, pJoin, joinMove);
    }
  return EJoinSpacingMove::Moved;
}
