// Joining on the Workbench: the join search that snapping calls for a unit side pushed against
// another unit's side, the verification that settles the join items it made, the re-verification
// of the design's joins, the propagation of a join type, and the selection of joins with their
// units.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <set>
#include <memory>
#include <unordered_set>
#include <utility>
#include <vector>

#include "geometry/2dline.h"
#include "geometry/Angle.h"
#include "platform/core/Ptrhash.h"
#include "model/Entcat.h"
#include "model/Join.h"
#include "model/Unit.h"
#include "support/ComExcpt.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "ui/frame/Frame.h"
#include "workbench/items/Groupitm.h"
#include "workbench/items/Joinitem.h"
#include "workbench/items/Unititem.h"
#include "workbench/view/Wbview.h"

namespace {
constexpr const char* kModule = "Workview";
constexpr int kNotJoiningSnapLine = 2604;
constexpr int kShortItemListLine = 2911;
// Two sides must share at least this much to be joined; exactly this much is enough.
constexpr double kLeastOverlap = 2.0;
// Verification accepts a spacing that differs by exactly this much.
constexpr double kSpacingTolerance = 0.000001;

unsigned Address(const void* p) { return static_cast<unsigned>(reinterpret_cast<uintptr_t>(p)); }

// The foot of the perpendicular from p on the line taken without end limits.
CVRX2DPoint FootOn(const CVRX2DLine& line, const CVRX2DPoint& p)
{
  CVRX2DLine perpendicular;
  line.GetPerpendicular(perpendicular, p);
  return perpendicular.GetEndPoint();
}

double DistanceFrom(const CVRX2DLine& line, const CVRX2DPoint& p) { return p.DistanceTo(FootOn(line, p)); }

// The stretch of `target` that `line` faces, or FALSE when they share less than the least overlap.
BOOL FacingStretch(const CVRX2DLine& line, const CVRX2DLine& target, CVRX2DLine& centre)
{
  centre = CVRX2DLine(ecatJoinLine, FootOn(target, line.GetStartPoint()), FootOn(target, line.GetEndPoint()));
  if (!target.Overlaps(centre))
    return FALSE;
  if (centre.Contains(target.GetEndPoint()))
    centre.SetStartPoint(target.GetEndPoint());
  if (centre.Contains(target.GetStartPoint()))
    centre.SetEndPoint(target.GetStartPoint());
  // Clipping to end points that are equal within the point tolerance must not lose a stretch
  // of exactly the least overlap to rounding.
  return centre.GetLength() >= kLeastOverlap - CVRX2DPoint::GetTolerance();
}

const CVRX2DLine* LineAt(CUnitItem* pUnitItem, int index)
{
  const CVRX2DEntityArray& outlines = *pUnitItem->GetComponentOutlines();
  if (index < 0 || index >= outlines.GetSize() || outlines[index]->GetType() != VRX_LINE)
    return nullptr;
  return static_cast<const CVRX2DLine*>(outlines[index]);
}

// A join whose check a nudge's end owes: where it stands in the design's list, and its units.
struct CJoinToCheck
{
  POSITION here = nullptr;
  CJoinItem* pJoin = nullptr;
  CUnitItem* pFirst = nullptr;
  CUnitItem* pSecond = nullptr;
};

// How many joins ahead of its check each fetch step runs; the three steps run this far apart.
constexpr size_t kCheckAhead = 4;

// Where a unit keeps the pointer to the outline its join side names, or null past its outlines.
CObject* const* SideSlot(CUnitItem* pUnitItem, int index)
{
  const CVRX2DEntityArray& outlines = *pUnitItem->GetComponentOutlines();
  return index >= 0 && index < outlines.GetSize() ? outlines.GetData() + index : nullptr;
}

// The places one step of fetching reads for the check of a join: first the join and its units'
// outline arrays, then the pointers to the side lines, then the lines; null where there is none.
// Each step reads only what the step before fetched, so that the check finds all of it in the
// cache. The caller fetches them: a function that only fetched would count as doing nothing.
std::array<const void*, 3> CheckPlaces(const CJoinToCheck& check, int step)
{
  std::array<const void*, 3> places{};
  if (step == 0) {
    places[0] = check.pJoin;
    places[1] = check.pFirst ? check.pFirst->GetComponentOutlines() : nullptr;
    places[2] = check.pSecond ? check.pSecond->GetComponentOutlines() : nullptr;
    return places;
  }
  CObject* const* pFirstSlot =
      check.pFirst ? SideSlot(check.pFirst, check.pJoin->GetFirstSide().m_nComponentIndex) : nullptr;
  CObject* const* pSecondSlot =
      check.pSecond ? SideSlot(check.pSecond, check.pJoin->GetSecondSide().m_nComponentIndex) : nullptr;
  if (step == 1) {
    places[0] = pFirstSlot;
    places[1] = pSecondSlot;
  } else {
    places[0] = pFirstSlot ? *pFirstSlot : nullptr;
    places[1] = pSecondSlot ? *pSecondSlot : nullptr;
  }
  return places;
}

// The same two sides: the (unit item, component) pairs of the two joins match as sets.
BOOL SameSides(const CJoinItem& a, const CJoinItem& b)
{
  const CJoinSide& a1 = a.GetFirstSide();
  const CJoinSide& a2 = a.GetSecondSide();
  const CJoinSide& b1 = b.GetFirstSide();
  const CJoinSide& b2 = b.GetSecondSide();
  auto same = [](const CJoinSide& x, const CJoinSide& y) {
    return x.m_pUnitItem == y.m_pUnitItem && x.m_nComponentIndex == y.m_nComponentIndex;
  };
  return (same(a1, b1) && same(a2, b2)) || (same(a1, b2) && same(a2, b1));
}

// The two sides of a join in a set order, so that two joins of the same sides have one key.
using CSideKey = std::pair<uintptr_t, int>;
using CJoinSidesKey = std::pair<CSideKey, CSideKey>;

CJoinSidesKey SidesKey(const CJoinItem& join)
{
  const auto side = [](const CJoinSide& s) {
    return std::make_pair(reinterpret_cast<uintptr_t>(s.m_pUnitItem), s.m_nComponentIndex);
  };
  const auto a = side(join.GetFirstSide());
  const auto b = side(join.GetSecondSide());
  return a < b ? CJoinSidesKey(a, b) : CJoinSidesKey(b, a);
}

// The joins of the design with the same two sides, in the design's order, and how many of them
// stay.
struct CSameSides
{
  int count = 0;
  std::vector<CJoinItem*> joins;
  // The first of them that is not the join and does not go; the join itself when there is none.
  CJoinItem* FirstOtherThan(CJoinItem* pJoin, const CPtrHashSet& going) const
  {
    for (CJoinItem* pOther : joins)
      if (pOther != pJoin && !going.Contains(pOther))
        return pOther;
    return pJoin;
  }
};

// What verification found of one join: whether it fits (1, 0, or -1 for a join that stands for
// nothing) with its spacing's difference, whether it stays, and the join it duplicates.
struct CJoinVerdict
{
  CJoinItem* pJoin = nullptr;
  int fit = -1;
  double difference = 0.0;
  BOOL sound = FALSE;
  CJoinItem* pDuplicate = nullptr;
  CVRX2DLine line;
};

void TraceJoinSides(const CJoinItem& join)
{
  PCTRACE(TT_JOINING, TL_WARNING)("\t\tItem............: 0x%08X\n", Address(&join));
  PCTRACE(TT_JOINING, TL_WARNING)
  ("\t\tFirst Component.: component %d of unit 0x%08X\n", join.GetFirstSide().m_nComponentIndex,
   Address(join.GetFirstSide().m_pUnitItem));
  PCTRACE(TT_JOINING, TL_WARNING)
  ("\t\tSecond Component: component %d of unit 0x%08X\n", join.GetSecondSide().m_nComponentIndex,
   Address(join.GetSecondSide().m_pUnitItem));
}

void TraceDuplicateJoin(const CJoinItem& join, const CJoinItem& other)
{
  PCTRACE(TT_JOINING, TL_WARNING)
  ("VerifyJoin() has detected a multiple join situation and is removing the duplicate join.\n");
  PCTRACE(TT_JOINING, TL_WARNING)("\tVerifying Join:\n");
  TraceJoinSides(join);
  PCTRACE(TT_JOINING, TL_WARNING)("\tDisplay Join:\n");
  TraceJoinSides(other);
}

void TraceVerification(const CJoinItem& join, BOOL sound, double difference)
{
  if (sound)
    PCTRACE(TT_JOINING, TL_DETAIL)("Join item 0x%08X has been successfully verified.\n", Address(&join));
  else
    PCTRACE(TT_JOINING, TL_DETAIL)
  ("Verification of join item 0x%08X has failed. Spacing difference was %f.\n", Address(&join), difference);
}

// How far `line` stands out from `side`, measured outward from it (a unit's sides run with the
// unit on their left), so that a line standing the spacing inside the side's unit does not pass
// for one outside it.
double OutwardDistance(const CVRX2DLine& line, const CVRX2DLine& side)
{
  const CVRX2DVector from(side.GetStartPoint(), line.GetStartPoint());
  // The outward normal is the side's direction turned a quarter clockwise; worked out from the
  // side's ends, without an angle, as a move's end asks it of every side a moved unit faces.
  const CVRX2DVector along(side.GetStartPoint(), side.GetEndPoint());
  if (const double length = along.GetLength(); length > 0.0)
    return (from.GetX() * along.GetY() - from.GetY() * along.GetX()) / length;
  const double outward = (side.GetAngle() - VRX_HALF_PI).GetRadians();
  return from.GetX() * std::cos(outward) + from.GetY() * std::sin(outward);
}

// The stretch an item's box covers along the direction of the angle.
std::pair<double, double> SpanAlong(const CDesignItem& item, const CVRXAngle& angle)
{
  const double c = std::cos(angle.GetRadians());
  const double s = std::sin(angle.GetRadians());
  const CVRX2DVector o = item.GetOffset();
  double low = 0.0;
  double high = 0.0;
  bool first = true;
  for (const double x : {o.GetX(), o.GetX() + item.GetWidth()})
    for (const double y : {o.GetY(), o.GetY() + item.GetHeight()}) {
      const double u = x * c + y * s;
      low = first ? u : std::min(low, u);
      high = first ? u : std::max(high, u);
      first = false;
    }
  return {low, high};
}

// The join line over the stretch two sides share, beside the stationary side at that side's
// spacing.
CVRX2DLine JoinLineBeside(const CVRX2DLine& stationary, const CVRX2DLine& centre, double spacing)
{
  const CVRX2DPoint outside = stationary.GetStartPoint() + CVRX2DVector(1.0, stationary.GetAngle() - VRX_HALF_PI);
  const std::unique_ptr<CVRX2DLine> pLine(centre.GetOffsetLine(spacing, outside));
  return *pLine;
}

// How far from the second side the join's line stands across the gap: where it stands, when
// that lies within the gap (a join the change of its type moved stands where the move put it,
// not where a new join would), else the second side's spacing, where a join is made.
double AcrossGap(const CJoinItem& join, const CVRX2DLine& second)
{
  const double across = OutwardDistance(join.GetLine(), second);
  const double gap = std::abs(join.GetTotalSpacing());
  if (across >= -kSpacingTolerance && across <= gap + kSpacingTolerance)
    return across;
  return join.GetSecondSpacing();
}

// Whether the join still fits its two sides (its spacing and a shared stretch): 1 or 0, with the
// spacing's difference; -1 when it stands for nothing (no product join, a side without its unit
// or its line). A fitting join's line over the stretch its sides now share goes to pLine.
int JoinFit(CJoinItem& join, double& difference, CVRX2DLine* pLine = nullptr)
{
  CUnitItem* pFirst = nullptr;
  CUnitItem* pSecond = nullptr;
  join.GetUnitItems(pFirst, pSecond);
  if (!join.GetJoin() || !pFirst || !pSecond)
    return -1;
  const CVRX2DLine* pLine1 = LineAt(pFirst, join.GetFirstSide().m_nComponentIndex);
  const CVRX2DLine* pLine2 = LineAt(pSecond, join.GetSecondSide().m_nComponentIndex);
  if (!pLine1 || !pLine2)
    return -1;
  difference = std::abs(OutwardDistance(*pLine1, *pLine2) - std::abs(join.GetTotalSpacing()));
  if (difference > kSpacingTolerance)
    return 0;
  CVRX2DLine centre;
  if (!FacingStretch(*pLine1, *pLine2, centre))
    return 0;
  if (pLine)
    *pLine = JoinLineBeside(*pLine2, centre, AcrossGap(join, *pLine2));
  return 1;
}

// A join kept where its units moved along the joined sides stands over the stretch they now
// share: its marker, in the middle, never marks where the units may no longer meet.
void FollowSides(CJoinItem& join, const CVRX2DLine& line, CWorkbenchView* pView)
{
  if (line == join.GetLine())
    return;
  join.Invalidate(pView);
  join.LayAlong(line.GetStartPoint(), line.GetEndPoint());
  pView->UpdateAlignmentEntities(&join);
  join.Invalidate(pView);
}

// Whether the join fits its two sides and no join of the design has the same sides, told as
// verification tells it; `firstOfSameSides` gives the first such join in the design, or none.
// `fit` gives JoinFit's answer.
template <class FirstOfSameSides>
BOOL JoinVerified(CJoinItem& join, const FirstOfSameSides& firstOfSameSides, int& fit)
{
  double difference = 0.0;
  fit = JoinFit(join, difference);
  if (fit < 0)
    return FALSE;
  BOOL sound = fit > 0;
  if (sound) {
    if (const CJoinItem* pOther = firstOfSameSides()) {
      TraceDuplicateJoin(join, *pOther);
      sound = FALSE;
    }
  }
  TraceVerification(join, sound, difference);
  return sound;
}

using CPairJoin = CWorkbenchView::CPairJoin;

CPairJoin PairJoin(const CDWordArray& order, int movingID, int stationaryID)
{
  CPairJoin pair;
  for (int k = 0; k < order.GetSize() && pair.joinType < 0; ++k)
    if (CJoin::CanBeJoined(static_cast<int>(order[k]), movingID, stationaryID))
      pair.joinType = static_cast<int>(order[k]);
  if (pair.joinType < 0)
    return pair;
  try {
    const CJoin join(pair.joinType, movingID, stationaryID);
    pair.movingSpacing = join.GetFirstOffset();
    pair.stationarySpacing = join.GetSecondOffset();
  } catch (const CCommonException&) {
    PCTRACE(TT_JOINING, TL_VERBOSE)("\tJoin type %d could not be made for the pair.\n", pair.joinType);
    pair.joinType = -2;
  }
  return pair;
}

// A side of a unit standing still that a moving side can be joined to: the stretch the two
// share, the join type the joining order gives their components first, and the spacing the join
// takes on either side.
struct CJoinableSide
{
  const CVRX2DLine* pLine = nullptr;
  int index = -1;
  CVRX2DLine centre;
  int joinType = -1;
  int movingID = 0;
  int stationaryID = 0;
  float movingSpacing = 0.0f;
  float stationarySpacing = 0.0f;
  double Spacing() const { return static_cast<double>(movingSpacing) + static_cast<double>(stationarySpacing); }
};

// Calls found for each of the stationary lines the moving line can be joined to, and
// unjoinable for each it faces that no joining type joins; the join search's tests. A line for
// which stands(line, spacing) says no is passed over before the stretch the two share is
// worked out. The joins of the pairs of components are looked up once for all the calls that
// share pairs.
template <class Stands, class Unjoinable, class Found>
void ForEachJoinableSide(const CDWordArray& order, std::map<std::pair<int, int>, CPairJoin>& pairs,
                         const CVRX2DLine& movingLine, CUnit& moving, int movingIndex, CUnit& stationary,
                         const CVRX2DEntityArray& lines, const CDWordArray& indices, Stands stands,
                         Unjoinable unjoinable, Found found)
{
  const int count = std::min(lines.GetSize(), indices.GetSize());
  const CVRXAngle movingAngle = movingLine.GetAngle();
  for (int i = 0; i < count; ++i) {
    if (lines[i]->GetType() != VRX_LINE)
      continue;
    CJoinableSide side;
    side.pLine = static_cast<const CVRX2DLine*>(lines[i]);
    side.index = static_cast<int>(indices[i]);
    side.movingID = moving.GetComponentID(movingIndex);
    side.stationaryID = stationary.GetComponentID(side.index);
    PCTRACE(TT_JOINING, TL_VERBOSE)("\tEvaluating components %d and %d.\n", side.movingID, side.stationaryID);
    // A component without a product id has no row in the joining table.
    if (side.movingID <= 0 || side.stationaryID <= 0)
      continue;
    const auto key = std::make_pair(side.movingID, side.stationaryID);
    auto known = pairs.find(key);
    if (known == pairs.end())
      known = pairs.emplace(key, PairJoin(order, side.movingID, side.stationaryID)).first;
    const CPairJoin& pair = known->second;
    const double spacing = static_cast<double>(pair.movingSpacing) + static_cast<double>(pair.stationarySpacing);
    if ((pair.joinType >= 0 && !stands(*side.pLine, spacing)) || !FacingStretch(movingLine, *side.pLine, side.centre) ||
        side.pLine->GetAngle() == movingAngle)
      continue;
    if (pair.joinType == -1)
      unjoinable(*side.pLine);
    if (pair.joinType < 0)
      continue;
    side.joinType = pair.joinType;
    side.movingSpacing = pair.movingSpacing;
    side.stationarySpacing = pair.stationarySpacing;
    found(side);
  }
}

// The join item of a joinable side, its line beside the stationary side at that side's
// spacing; the moving unit is always side 1.
std::unique_ptr<CJoinItem> MakeJoinItem(const CJoinableSide& side, CUnitItem* pMovingUnit, int movingIndex,
                                        CUnitItem* pStationaryUnit)
{
  const CVRX2DLine line = JoinLineBeside(*side.pLine, side.centre, side.stationarySpacing);
  auto pItem = std::make_unique<CJoinItem>(line.GetStartPoint(), line.GetEndPoint(), side.joinType, side.movingID,
                                           side.stationaryID);
  pItem->AddUnit(1, pMovingUnit, movingIndex, side.movingID, side.movingSpacing);
  pItem->AddUnit(2, pStationaryUnit, side.index, side.stationaryID, side.stationarySpacing);
  return pItem;
}

// What verifying and placing proposed joins asks of the design, gathered in one walk: its joins
// filed by their sides (the first of each in the design's order) and the units in its groups.
// Looking through the whole design for every one of thousands of proposed joins would cost its
// size for each of them.
class CDesignJoins
{
public:
  explicit CDesignJoins(CObList& items)
  {
    for (POSITION pos = items.GetHeadPosition(); pos;) {
      auto* pItem = static_cast<CDesignItem*>(items.GetNext(pos));
      if (auto* pJoin = dynamic_cast<CJoinItem*>(pItem))
        Add(*pJoin);
      else if (pItem->GetItemType() == ditGroup)
        GatherGroupUnits(*static_cast<CGroupItem*>(pItem));
    }
  }
  CJoinItem* FirstOfSameSides(const CJoinItem& join) const
  {
    const auto found = m_first.find(SidesKey(join));
    return found == m_first.end() ? nullptr : found->second;
  }
  // A join added at the end of the design is the first of its sides only when it is the only one.
  void Add(CJoinItem& join) { m_first.emplace(SidesKey(join), &join); }
  BOOL InGroup(const CJoinItem& join) const
  {
    return m_grouped.count(join.GetFirstSide().m_pUnitItem) || m_grouped.count(join.GetSecondSide().m_pUnitItem);
  }

private:
  void GatherGroupUnits(const CGroupItem& group)
  {
    CObList units;
    group.GetUnitsInGroup(units, FALSE);
    for (POSITION u = units.GetHeadPosition(); u;) {
      auto* pUnit = static_cast<CDesignItem*>(units.GetNext(u));
      if (pUnit->GetItemType() == ditUnit)
        m_grouped.insert(pUnit);
    }
  }

  std::map<CJoinSidesKey, CJoinItem*> m_first;
  std::unordered_set<const CDesignItem*> m_grouped;
};
}  // namespace

BOOL CWorkbenchView::EvaluateSnapForJoin(const CVRX2DLine& movingLine, CDesignItem* pMovingItem, int movingIndex,
                                         CDesignItem* pStationaryItem, const CVRX2DEntityArray& stationaryLines,
                                         const CDWordArray& stationaryIndices, CJoinSnapRecord& snap, BOOL create)
{
  if (snap.category != ecatJoinSnap)
    throw CAppFatalException(kModule, kNotJoiningSnapLine);
  CUnitItem* pMovingUnit = nullptr;
  CUnitItem* pStationaryUnit = nullptr;
  if (!JoinableUnits(pMovingItem, pStationaryItem, pMovingUnit, pStationaryUnit))
    return FALSE;
  int found = 0;
  std::map<std::pair<int, int>, CPairJoin> pairs;
  ForEachJoinableSide(
      m_JoiningOrder, pairs, movingLine, *pMovingUnit->GetUnit(), movingIndex, *pStationaryUnit->GetUnit(),
      stationaryLines, stationaryIndices, [](const CVRX2DLine&, double) { return true; },
      [&](const CVRX2DLine&) { m_bUnjoinablePair |= create; },
      [&](const CJoinableSide& side) {
        // Only the first side that gets this far corrects the snap.
        if (found == 0) {
          if (side.pLine->GetAngle() == CVRXAngle(snap.angle + VRX_HALF_PI))
            snap.length += side.Spacing();
          else
            snap.length = DistanceFrom(*side.pLine, movingLine.GetStartPoint()) - side.Spacing();
          snap.movingIndex = movingIndex;
          snap.stationaryIndex = side.index;
          snap.pMovingItem = pMovingItem;
          snap.pStationaryItem = pStationaryItem;
        }
        if (create)
          m_NewJoins.AddTail(MakeJoinItem(side, pMovingUnit, movingIndex, pStationaryUnit).release());
        ++found;
      });
  return found > 0;
}

void CWorkbenchView::JoinWhereSpaced(const CVRX2DLine& movingLine, CDesignItem* pMovingItem, int movingIndex,
                                     CDesignItem* pStationaryItem, const CVRX2DEntityArray& stationaryLines,
                                     const CDWordArray& stationaryIndices)
{
  CUnitItem* pMovingUnit = nullptr;
  CUnitItem* pStationaryUnit = nullptr;
  if (!JoinableUnits(pMovingItem, pStationaryItem, pMovingUnit, pStationaryUnit))
    return;
  std::map<std::pair<int, int>, CPairJoin> pairs;
  ForEachJoinableSide(
      m_JoiningOrder, m_pEndPairs ? *m_pEndPairs : pairs, movingLine, *pMovingUnit->GetUnit(), movingIndex,
      *pStationaryUnit->GetUnit(), stationaryLines, stationaryIndices,
      // Exactly as verification takes it.
      [&](const CVRX2DLine& stationary, double spacing) {
        return std::abs(OutwardDistance(movingLine, stationary) - spacing) <= kSpacingTolerance;
      },
      [&](const CVRX2DLine& stationary) {
        // A pair in each other is no pair no type joins: it is told as a spacing not kept.
        m_bUnjoinablePair |= OutwardDistance(movingLine, stationary) >= -kSpacingTolerance;
      },
      [&](const CJoinableSide& side) {
        m_NewJoins.AddTail(MakeJoinItem(side, pMovingUnit, movingIndex, pStationaryUnit).release());
      });
}

BOOL CWorkbenchView::JoinableUnits(CDesignItem* pMovingItem, CDesignItem* pStationaryItem, CUnitItem*& pMovingUnit,
                                   CUnitItem*& pStationaryUnit) const
{
  pMovingUnit = dynamic_cast<CUnitItem*>(pMovingItem);
  pStationaryUnit = dynamic_cast<CUnitItem*>(pStationaryItem);
  if (!pMovingUnit || !pStationaryUnit || pMovingItem->GetItemType() != ditUnit ||
      pStationaryItem->GetItemType() != ditUnit) {
    PCTRACE(TT_JOINING, TL_VERBOSE)("\tDesign items are not units. No joins will be evaluated.\n");
    return FALSE;
  }
  return TRUE;
}

CWorkbenchView::EHeldJoinStand CWorkbenchView::HowHeldJoinStands(const CHeldJoin& join) const
{
  const CVRX2DLine* pLine1 = join.pFirst ? LineAt(join.pFirst, join.nFirstIndex) : nullptr;
  const CVRX2DLine* pLine2 = join.pSecond ? LineAt(join.pSecond, join.nSecondIndex) : nullptr;
  CVRX2DLine centre;
  if (!pLine1 || !pLine2 || !FacingStretch(*pLine1, *pLine2, centre))
    return EHeldJoinStand::Apart;
  // Units that passed each other stand the other way round: the sides that were joined face
  // away from each other.
  const CVRXAngle outward = pLine2->GetAngle() - VRX_HALF_PI;
  if (SpanAlong(*join.pFirst, outward).second <= SpanAlong(*join.pSecond, outward).first + kSpacingTolerance)
    return EHeldJoinStand::Apart;
  const double d = OutwardDistance(*pLine1, *pLine2);
  if (d < join.dSpacing - kSpacingTolerance)
    return EHeldJoinStand::TooClose;
  return d <= std::max(join.dSpacing, GetJoinSnapRange()) ? EHeldJoinStand::WithinReach : EHeldJoinStand::Apart;
}

// A pair in each other cannot be joined whatever snaps; one that stands its spacing apart
// within reach lost its join only because snapping, which makes joins, is off. Units moved
// apart lost their joins with the move itself: nothing failed that needs telling.
CString CWorkbenchView::LostJoinsPrompt(const std::vector<CHeldJoin>& lost) const
{
  BOOL withinReach = FALSE;
  for (const CHeldJoin& join : lost) {
    const EHeldJoinStand stand = HowHeldJoinStands(join);
    if (stand == EHeldJoinStand::TooClose)
      return GetJoinNotKeptPrompt();
    withinReach |= stand == EHeldJoinStand::WithinReach;
  }
  if (!withinReach)
    return CString();
  return m_bSnapOff ? GetJoinsNotMadeWithoutSnappingPrompt() : GetJoinNotKeptPrompt();
}

CString CWorkbenchView::GetNoJoiningTypePrompt()
{
  return "These two units have no joining type; they are not joined.";
}

CString CWorkbenchView::GetJoinNotKeptPrompt()
{
  return "These units cannot stand their joining spacing apart here; they are not joined.";
}

CString CWorkbenchView::GetJoinsNotMadeWithoutSnappingPrompt()
{
  return "Snapping to alignment lines is off; the unit's joins were not made again.";
}

// A pair without a joining type is told only when the committed move joined nothing, so that a
// unit joined on one side and merely touching another is not reported as unjoined; a join the
// move proposed and could not keep is always told. The prompt goes with the next commit.
void CWorkbenchView::ShowUnjoinablePrompt(BOOL proposed, BOOL notKept)
{
  const BOOL unjoinable = m_bUnjoinablePair && !proposed;
  m_bUnjoinablePair = FALSE;
  if (notKept)
    ShowJoinPrompt(GetJoinNotKeptPrompt());
  else if (unjoinable)
    ShowJoinPrompt(GetNoJoiningTypePrompt());
  else
    ClearUnjoinablePrompt();
}

// The prompt is the Workbench frame's message: another window activated, or a later message,
// takes its place on the line as well.
void CWorkbenchView::ShowJoinPrompt(const CString& prompt)
{
  if (CFrameWnd* pFrame = GetParentFrame())
    pFrame->SetMessageText(prompt);
  m_bUnjoinablePromptShown = TRUE;
}

void CWorkbenchView::ClearUnjoinablePrompt()
{
  if (!m_bUnjoinablePromptShown)
    return;
  m_bUnjoinablePromptShown = FALSE;
  if (CFrameWnd* pFrame = GetParentFrame())
    pFrame->TakeBackMessageText();
}

void CWorkbenchView::AddJoin()
{
  // The committed moves end: their units are joined where they stand, and the joins they had
  // that no longer stand go; a join that stands again stays as it was, and the one made anew
  // beside it goes as its duplicate.
  std::map<std::pair<int, int>, CPairJoin> pairs;
  struct CPairsLent
  {
    std::map<std::pair<int, int>, CPairJoin>*& lent;
    ~CPairsLent() { lent = nullptr; }
  } lent{m_pEndPairs = &pairs};
  const CSnapEngine::CMoveEnd end = m_Snap.EndCommittedMoves();
  lent.lent = nullptr;
  DropJoinsNotStanding(end);
  const BOOL proposed = !end.proposed.empty() || !m_NewJoins.IsEmpty();
  // Where a move ended its units stand as it decided: the joins made there are not snapped
  // again, which would move both units of each after the decision and could take one into
  // another unit.
  BOOL notKept = SettleNewJoins(end.moved.empty());
  notKept |= !AllJoined(end.proposed);
  ShowUnjoinablePrompt(proposed, notKept);
}

void CWorkbenchView::DropJoinsNotStanding(const CSnapEngine::CMoveEnd& end)
{
  if (end.moved.empty() || !m_pItemList)
    return;
  // The joins between two moved units moved with them; one between a moved unit and a unit
  // that stood still goes where the two no longer stand at its spacing, sharing a stretch, or
  // where either ends inside another unit. The moved units are filed for look-up at the first
  // join met: a design without joins, as many large ones are, files none of the thousands a
  // Select All moves.
  PCTRACE(TT_JOINING, TL_IMPORTANT)("VerifyAllJoins() called.\n");
  CPtrHashSet moved;
  const CPtrHashSet inside(end.inside.begin(), end.inside.end());
  // The joins to check are gathered first and checked after: the check follows each join to its
  // units' side lines, which a second walk fetches a few joins ahead of their turn.
  std::vector<CJoinToCheck> checks;
  for (POSITION pos = m_pItemList->GetHeadPosition(); pos;) {
    CJoinToCheck check;
    check.here = pos;
    auto* pItem = static_cast<CDesignItem*>(m_pItemList->GetNext(pos));
    check.pJoin = pItem->GetItemType() == ditJoin ? dynamic_cast<CJoinItem*>(pItem) : nullptr;
    if (!check.pJoin)
      continue;
    if (moved.GetCount() == 0)
      for (CDesignItem* pUnit : end.moved)
        moved.Insert(pUnit);
    check.pJoin->GetUnitItems(check.pFirst, check.pSecond);
    if (moved.Contains(check.pFirst) != moved.Contains(check.pSecond))
      checks.push_back(check);
  }
  std::vector<CDesignItem*> going;
  for (size_t i = 0; i < checks.size(); ++i) {
    for (int step = 0; step < 3; ++step)
      if (const size_t ahead = i + (3 - step) * kCheckAhead; ahead < checks.size())
        for (const void* pPlace : CheckPlaces(checks[ahead], step))
          if (pPlace)
            __builtin_prefetch(pPlace);
    CJoinItem* pJoin = checks[i].pJoin;
    PCTRACE(TT_JOINING, TL_DETAIL)("VerifyJoin called.\n");
    double difference = 0.0;
    CVRX2DLine line;
    const int fit = JoinFit(*pJoin, difference, &line);
    const BOOL sound = fit > 0 && !inside.Contains(checks[i].pFirst) && !inside.Contains(checks[i].pSecond);
    if (fit >= 0)
      TraceVerification(*pJoin, sound, difference);
    if (!sound) {
      // Taken out where the walk found it: a search would look up every item of the design.
      m_pItemList->RemoveAt(checks[i].here);
      going.push_back(pJoin);
    } else
      FollowSides(*pJoin, line, this);
  }
  DiscardJoins(going);
}

BOOL CWorkbenchView::AllJoined(const std::vector<CSnapEngine::CProposedJoin>& proposed) const
{
  if (proposed.empty() || !m_pItemList)
    return TRUE;
  std::set<CJoinSidesKey> joined;
  for (POSITION pos = m_pItemList->GetHeadPosition(); pos;)
    if (auto* pJoin = dynamic_cast<CJoinItem*>(m_pItemList->GetNext(pos)))
      joined.insert(SidesKey(*pJoin));
  for (const CSnapEngine::CProposedJoin& join : proposed) {
    const CSideKey a(reinterpret_cast<uintptr_t>(join.pMoving), join.movingIndex);
    const CSideKey b(reinterpret_cast<uintptr_t>(join.pStationary), join.stationaryIndex);
    if (!joined.count(a < b ? CJoinSidesKey(a, b) : CJoinSidesKey(b, a)))
      return FALSE;
  }
  return TRUE;
}

BOOL CWorkbenchView::SettleNewJoins(BOOL snapJoins)
{
  PCTRACE(TT_JOINING, TL_IMPORTANT)("Adding new joins.\n");
  PCTRACE(TT_JOINING, TL_IMPORTANT)("\tNumber of joins to be verified: %d\n", m_NewJoins.GetCount());
  if (m_NewJoins.IsEmpty())
    return FALSE;
  // Each join is verified against the design as the joins added before it left it; only joins
  // are added meanwhile, and the groups stay as they are.
  std::unique_ptr<CDesignJoins> pDesign = m_pItemList ? std::make_unique<CDesignJoins>(*m_pItemList) : nullptr;
  BOOL moved = FALSE;
  BOOL notKept = FALSE;
  while (!m_NewJoins.IsEmpty()) {
    auto* pJoin = static_cast<CJoinItem*>(m_NewJoins.RemoveHead());
    if (!pJoin)
      break;
    if (pDesign)
      PCTRACE(TT_JOINING, TL_DETAIL)("VerifyJoin called.\n");
    int fit = -1;
    if (!pDesign || !JoinVerified(
                        *pJoin, [&] { return pDesign->FirstOfSameSides(*pJoin); }, fit)) {
      notKept |= fit == 0;
      PCTRACE(TT_JOINING, TL_DETAIL)
      ("\tJoin 0x%08X has failed verification. It will be deleted without being added to the design.\n",
       Address(pJoin));
      delete pJoin;
      continue;
    }
    PCTRACE(TT_JOINING, TL_DETAIL)
    ("\tJoin 0x%08X has been verified. It will be added to the design.\n", Address(pJoin));
    if (snapJoins && !pDesign->InGroup(*pJoin)) {
      const CVRX2DVector v = AdjustNewJoinPos(pJoin);
      if (v.GetLength() > 0.0) {
        PCTRACE(TT_JOINING, TL_DETAIL)
        ("Snapping new join with a vector of length %f and angle %f.\n", v.GetLength(), v.GetAngle().GetRadians());
        CUnitItem* pFirst = nullptr;
        CUnitItem* pSecond = nullptr;
        pJoin->GetUnitItems(pFirst, pSecond);
        pFirst->Offset(v);
        pSecond->Offset(v);
        pJoin->Offset(v);
        UpdateAlignmentEntities(pFirst);
        UpdateAlignmentEntities(pSecond);
        moved = TRUE;
      }
    }
    AddItem(pJoin, TRUE);
    pDesign->Add(*pJoin);
  }
  // A null entry ends the walk; whatever stands behind it is no one's any more.
  while (!m_NewJoins.IsEmpty())
    delete static_cast<CJoinItem*>(m_NewJoins.RemoveHead());
  if (moved) {
    PCTRACE(TT_JOINING, TL_IMPORTANT)("VerifyAllJoins() called.\n");
    notKept |= VerifyJoinsWhere([](CUnitItem*, CUnitItem*) { return true; }) > 0;
  }
  return notKept;
}

BOOL CWorkbenchView::VerifyJoin(CJoinItem* pJoin, CUnitItem* pUnitItem)
{
  PCTRACE(TT_JOINING, TL_DETAIL)("VerifyJoin called.\n");
  CUnitItem* pFirst = nullptr;
  CUnitItem* pSecond = nullptr;
  pJoin->GetUnitItems(pFirst, pSecond);
  if (pUnitItem && pUnitItem != pFirst && pUnitItem != pSecond)
    return TRUE;
  int fit = -1;
  return JoinVerified(
      *pJoin,
      [this, pJoin]() -> CJoinItem* {
        for (POSITION pos = m_pItemList ? m_pItemList->GetHeadPosition() : nullptr; pos;) {
          auto* pOther = dynamic_cast<CJoinItem*>(m_pItemList->GetNext(pos));
          if (pOther && pOther != pJoin && SameSides(*pJoin, *pOther))
            return pOther;
        }
        return nullptr;
      },
      fit);
}

void CWorkbenchView::VerifyAllJoins(CUnitItem* pUnitItem)
{
  PCTRACE(TT_JOINING, TL_IMPORTANT)("VerifyAllJoins() called.\n");
  VerifyJoinsWhere([pUnitItem](CUnitItem* pFirst, CUnitItem* pSecond) {
    return !pUnitItem || pUnitItem == pFirst || pUnitItem == pSecond;
  });
}

void CWorkbenchView::VerifyJoinsAmong(const std::vector<CUnitItem*>& units)
{
  PCTRACE(TT_JOINING, TL_IMPORTANT)("VerifyAllJoins() called.\n");
  // The units are filed for look-up at the first join asked about: a design without joins, as
  // many large ones are, files none of the thousands a Select All moves.
  std::unordered_set<const CUnitItem*> among;
  VerifyJoinsWhere([&among, &units](CUnitItem* pFirst, CUnitItem* pSecond) {
    if (among.empty())
      among.insert(units.begin(), units.end());
    return among.count(pFirst) && among.count(pSecond);
  });
}

int CWorkbenchView::VerifyJoinsWhere(const std::function<bool(CUnitItem*, CUnitItem*)>& touches)
{
  if (!m_pItemList)
    return 0;
  // One walk over the design files the joins by their sides and finds the joins to verify, and
  // the joins that fail leave the design's list together in one more: verifying each against
  // every other join, or taking each out by a search of its own, would cost the design's size
  // for every one of thousands. Of two joins of the same sides, the first in the design goes.
  // Joins of the same sides join the same two units, which the test picks alike: only the
  // joins it picks are filed.
  std::map<CJoinSidesKey, CSameSides> bySides;
  std::vector<CJoinItem*> joins;
  for (POSITION pos = m_pItemList->GetHeadPosition(); pos;) {
    auto* pItem = static_cast<CDesignItem*>(m_pItemList->GetNext(pos));
    auto* pJoin = pItem->GetItemType() == ditJoin ? dynamic_cast<CJoinItem*>(pItem) : nullptr;
    if (!pJoin)
      continue;
    CUnitItem* pFirst = nullptr;
    CUnitItem* pSecond = nullptr;
    pJoin->GetUnitItems(pFirst, pSecond);
    if (!touches(pFirst, pSecond))
      continue;
    CSameSides& same = bySides[SidesKey(*pJoin)];
    ++same.count;
    same.joins.push_back(pJoin);
    joins.push_back(pJoin);
  }
  CPtrHashSet unfit;
  int misfits = 0;
  std::vector<CJoinVerdict> verdicts;
  verdicts.reserve(joins.size());
  for (CJoinItem* pJoin : joins) {
    CJoinVerdict verdict;
    verdict.pJoin = pJoin;
    verdict.fit = JoinFit(*pJoin, verdict.difference, &verdict.line);
    verdict.sound = verdict.fit > 0;
    CSameSides& same = bySides[SidesKey(*pJoin)];
    if (verdict.sound && same.count > 1) {
      verdict.pDuplicate = same.FirstOtherThan(pJoin, unfit);
      verdict.sound = FALSE;
    }
    if (!verdict.sound) {
      --same.count;
      unfit.Insert(pJoin);
      misfits += verdict.fit == 0;
    }
    verdicts.push_back(verdict);
  }
  TakeOutOfDesign(unfit);
  // Each join is told of and removed in turn, as when each left the design on its own.
  for (const CJoinVerdict& verdict : verdicts) {
    PCTRACE(TT_JOINING, TL_DETAIL)("VerifyJoin called.\n");
    if (verdict.pDuplicate)
      TraceDuplicateJoin(*verdict.pJoin, *verdict.pDuplicate);
    if (verdict.fit >= 0)
      TraceVerification(*verdict.pJoin, verdict.sound, verdict.difference);
    if (verdict.sound) {
      FollowSides(*verdict.pJoin, verdict.line, this);
      continue;
    }
    PCTRACE(TT_WORKBENCH, TL_DETAIL)("Removing a design item from the design. \n");
    DiscardItem(verdict.pJoin);
  }
  return misfits;
}

BOOL CWorkbenchView::IsJoinInGroup(CJoinItem* pJoin)
{
  if (!m_pItemList)
    return FALSE;
  CUnitItem* pFirst = nullptr;
  CUnitItem* pSecond = nullptr;
  pJoin->GetUnitItems(pFirst, pSecond);
  for (POSITION pos = m_pItemList->GetHeadPosition(); pos;) {
    auto* pItem = static_cast<CDesignItem*>(m_pItemList->GetNext(pos));
    if (pItem->GetItemType() != ditGroup)
      continue;
    CObList units;
    static_cast<CGroupItem*>(pItem)->GetUnitsInGroup(units, FALSE);
    for (POSITION u = units.GetHeadPosition(); u;) {
      auto* pUnit = static_cast<CDesignItem*>(units.GetNext(u));
      if (pUnit->GetItemType() == ditUnit && (pUnit == pFirst || pUnit == pSecond))
        return TRUE;
    }
  }
  return FALSE;
}

void CWorkbenchView::UpdateJoinSelection()
{
  if (!m_pItemList)
    return;
  // The units of the selected groups are gathered once, not for every join of the design.
  CObList grouped;
  for (POSITION pos = m_SelectedItems.GetHeadPosition(); pos;) {
    auto* pItem = static_cast<CDesignItem*>(m_SelectedItems.GetNext(pos));
    if (pItem->GetItemType() == ditGroup)
      static_cast<CGroupItem*>(pItem)->GetUnitsInGroup(grouped, FALSE);
  }
  std::unordered_set<const CObject*> inGroups;
  for (POSITION pos = grouped.GetHeadPosition(); pos;)
    inGroups.insert(grouped.GetNext(pos));
  auto counts = [this, &inGroups](CUnitItem* pUnit) { return pUnit && (IsSelected(pUnit) || inGroups.count(pUnit)); };
  for (POSITION pos = m_pItemList->GetHeadPosition(); pos;) {
    auto* pJoin = dynamic_cast<CJoinItem*>(m_pItemList->GetNext(pos));
    if (!pJoin)
      continue;
    CUnitItem* pFirst = nullptr;
    CUnitItem* pSecond = nullptr;
    pJoin->GetUnitItems(pFirst, pSecond);
    if (counts(pFirst) && counts(pSecond))
      Select(pJoin);
    else
      Deselect(pJoin);
  }
}

void CWorkbenchView::PropagateJoinType(CJoinItem* pJoin)
{
  if (!m_pItemList || m_pItemList->GetCount() < 3)
    throw CAppFatalException(kModule, kShortItemListLine);
  CUnitItem* pFirst = nullptr;
  CUnitItem* pSecond = nullptr;
  pJoin->GetUnitItems(pFirst, pSecond);
  CJoin* pSource = pJoin->GetJoin();
  for (POSITION pos = m_pItemList->GetHeadPosition(); pos;) {
    auto* pOther = dynamic_cast<CJoinItem*>(m_pItemList->GetNext(pos));
    if (!pOther || pOther == pJoin || !pOther->GetJoin())
      continue;
    CUnitItem* pOtherFirst = nullptr;
    CUnitItem* pOtherSecond = nullptr;
    pOther->GetUnitItems(pOtherFirst, pOtherSecond);
    if (pOtherFirst != pFirst || pOtherSecond != pSecond)
      continue;
    pOther->GetJoin()->SetJoinType(pSource->GetJoinTypeID(), pSource->GetFirstProductID(),
                                   pSource->GetSecondProductID());
    pOther->UpdateCJoinInfo();
    pOther->Invalidate(this);
  }
}

void CWorkbenchView::OnJoiningMarkers()
{
  m_bShowJoins = m_bShowJoins ? FALSE : TRUE;
  Invalidate(TRUE);
}

void CWorkbenchView::OnUpdateJoiningMarkers(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bShowJoins ? 1 : 0); }

void CWorkbenchView::OnSnapHighlights()
{
  m_bSnapHighlights = m_bSnapHighlights ? FALSE : TRUE;
  Invalidate(TRUE);
}

void CWorkbenchView::OnUpdateSnapHighlights(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bSnapHighlights ? 1 : 0); }
