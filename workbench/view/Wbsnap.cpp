// Snapping: every proposed move, nudge, resize and placement is adjusted so that the moving
// item's lines come to lie on the alignment lines of the other items, by the snapping priority
// of the two categories met.
#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "geometry/2dline.h"
#include "geometry/2dmatrix.h"
#include "model/Entcat.h"
#include "model/Unit.h"
#include "ui/draw/Gdi.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "workbench/items/Dsgnitem.h"
#include "workbench/items/Groupitm.h"
#include "workbench/items/Unititem.h"
#include "workbench/snap/Snapvec.h"
#include "workbench/view/Wbview.h"

namespace {
constexpr const char* kModule = "Wbsnap";
constexpr int kGroupEntryNotUnitLine = 2497;
// The snap range is this many device pixels.
constexpr int kSnapPixels = 5;
// The snapping test nudges by this much on each axis; a component of its answer that differs
// from the nudge by less than kUnchangedSlack was left alone by snapping.
constexpr double kTestNudge = 0.01;

CVRX2DVector SnapTestMove(const CVRX2DVector& nudge, const CVRX2DVector& adjusted)
{
  // Only what snapping changed on an axis moves the item on that axis: the test nudge itself
  // must not creep the item along.
  const double x = std::abs(adjusted.GetX() - nudge.GetX()) > kUnchangedSlack ? adjusted.GetX() : 0.0;
  const double y = std::abs(adjusted.GetY() - nudge.GetY()) > kUnchangedSlack ? adjusted.GetY() : 0.0;
  return CVRX2DVector(x, y);
}

void AddUniquePoint(CVRX2DPointArray& points, const CVRX2DPoint& p)
{
  for (int i = 0; i < points.GetSize(); ++i)
    if (*points[i] == p)
      return;
  points.Add(new CVRX2DPoint(p));
}

// A group's outline holds only the sides of its units that lie on its box; the others face units
// outside the group as well, and a move must keep them clear of those units.
void AddInnerSides(const CGroupItem& group, CMoveOutlines& outlines)
{
  std::vector<std::pair<const CDesignItem*, int>> onOutline;
  for (const CSnapOutline& outline : outlines.outlines)
    onOutline.emplace_back(outline.pItem, outline.index);
  std::sort(onOutline.begin(), onOutline.end());
  CObList units;
  group.GetUnitsInGroup(units, FALSE);
  for (POSITION pos = units.GetHeadPosition(); pos;) {
    auto* pUnit = dynamic_cast<CUnitItem*>(static_cast<CObject*>(units.GetNext(pos)));
    if (!pUnit || pUnit->GetItemType() != ditUnit || !pUnit->HasUnit())
      continue;
    const CVRX2DEntityArray& sides = *pUnit->GetComponentOutlines();
    for (int i = 0; i < sides.GetSize(); ++i) {
      const CVRX2DEntity* pSide = sides[i];
      if (pSide->GetType() != VRX_LINE || pSide->GetCategory() != ecatPerimeterOutline ||
          std::binary_search(onOutline.begin(), onOutline.end(),
                             std::make_pair<const CDesignItem*, int>(pUnit, int(i))))
        continue;
      outlines.innerSides.push_back(*static_cast<const CVRX2DLine*>(pSide));
      CSnapOutline inner{&outlines.innerSides.back(), pUnit, i, FALSE};
      inner.inner = TRUE;
      outlines.outlines.push_back(inner);
    }
  }
}

// What the engine asks of the view's items: the view's join search, a group's member units and
// a unit's component outlines.
class CViewSnapHost : public CSnapHost
{
public:
  explicit CViewSnapHost(CWorkbenchView* pView) : m_pView(pView) {}

  BOOL EvaluateSnapForJoin(const CVRX2DLine& movingLine, CDesignItem* pMovingItem, int movingIndex,
                           CDesignItem* pStationaryItem, const CVRX2DEntityArray& stationaryLines,
                           const CDWordArray& stationaryIndices, CJoinSnapRecord& snap) override
  {
    return m_pView->EvaluateSnapForJoin(movingLine, pMovingItem, movingIndex, pStationaryItem, stationaryLines,
                                        stationaryIndices, snap, FALSE);
  }

  void JoinWhereSpaced(const CVRX2DLine& movingLine, CDesignItem* pMovingItem, int movingIndex,
                       CDesignItem* pStationaryItem, const CVRX2DEntityArray& stationaryLines,
                       const CDWordArray& stationaryIndices) override
  {
    m_pView->JoinWhereSpaced(movingLine, pMovingItem, movingIndex, pStationaryItem, stationaryLines, stationaryIndices);
  }

  BOOL GetGroupMemberEntries(const CAlignmentEntity& entry, CObOwnArray& members) override
  {
    if (!entry.GetItem() || entry.GetItem()->GetItemType() != ditGroup)
      return FALSE;
    static_cast<CGroupItem*>(entry.GetItem())->GetColinearAlignmentEnts(members, entry);
    for (int i = 0; i < members.GetSize(); ++i) {
      auto& member = *static_cast<CAlignmentEntity*>(members[i]);
      auto* pUnit = dynamic_cast<CUnitItem*>(member.GetItem());
      if (!pUnit || pUnit->GetItemType() != ditUnit)
        throw CAppFatalException(kModule, kGroupEntryNotUnitLine);
      CSnapEngine::CollectColinearPerimeterLines(member, *pUnit->GetComponentOutlines());
    }
    return TRUE;
  }

  const CVRX2DEntityArray* GetUnitOutlines(CDesignItem* pItem) override
  {
    auto* pUnit = dynamic_cast<CUnitItem*>(pItem);
    return pUnit ? pUnit->GetComponentOutlines() : nullptr;
  }

  CVRX2DVector GetItemSize(CDesignItem* pItem) override
  {
    auto* pGroup = dynamic_cast<CGroupItem*>(pItem);
    if (!pGroup)
      return CVRX2DVector(pItem->GetWidth(), pItem->GetHeight());
    CObList units;
    pGroup->GetUnitsInGroup(units, FALSE);
    double width = 0.0;
    double height = 0.0;
    for (POSITION pos = units.GetHeadPosition(); pos;) {
      const auto* pUnit = static_cast<CDesignItem*>(units.GetNext(pos));
      width = std::max(width, pUnit->GetWidth());
      height = std::max(height, pUnit->GetHeight());
    }
    return CVRX2DVector(width, height);
  }

private:
  CWorkbenchView* m_pView;
};
}  // namespace

void CWorkbenchView::InitSnapEngine()
{
  m_pSnapHost = std::make_unique<CViewSnapHost>(this);
  m_Snap.SetHost(m_pSnapHost.get());
}

// Every move, resize and nudge starts here: what an earlier committed move left unended goes.
void CWorkbenchView::SetSnapRanges()
{
  m_Snap.ForgetCommittedMoves();
  m_Snap.SetSnapRange(DeviceToWorld(CSize(kSnapPixels, kSnapPixels)).GetX());
}

void CWorkbenchView::StartMove(CDesignItem* pItem)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_IMPORTANT)("Starting move operation.\n");
  SetSnapRanges();
  pItem->StartMove(this);
}

void CWorkbenchView::StartResize(CDesignItem* pItem)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_IMPORTANT)("Starting resize operation.\n");
  SetSnapRanges();
  pItem->StartResize(this);
}

CVRX2DVector CWorkbenchView::AdjustPos(const CVRX2DVector& offset, CDesignItem* pItem, int create)
{
  return AdjustPos(offset, *GetMoveOutlines(pItem), create);
}

std::unique_ptr<CMoveOutlines> CWorkbenchView::GetMoveOutlines(CDesignItem* pItem) const
{
  auto pOutlines = std::make_unique<CMoveOutlines>();
  CObOwnArray& refs = pOutlines->refs;
  pItem->GetOutlineEntityRefs(refs);
  pOutlines->outlines.reserve(refs.GetSize());
  for (int i = 0; i < refs.GetSize(); ++i) {
    auto* pRef = static_cast<COutlineEntityRef*>(refs[i]);
    const BOOL guideline = pRef->m_pItem && pRef->m_pItem->GetItemType() == ditGuideline;
    pOutlines->outlines.push_back({pRef->m_pEntity.get(), pRef->m_pItem, pRef->m_nIndex, guideline});
  }
  if (auto* pGroup = dynamic_cast<CGroupItem*>(pItem))
    AddInnerSides(*pGroup, *pOutlines);
  return pOutlines;
}

CVRX2DVector CWorkbenchView::AdjustPos(const CVRX2DVector& offset, const CMoveOutlines& outlines, int create)
{
  CSnapQuery query;
  query.create = create;
  query.shift = IsShiftDown();
  query.resnap = m_bResnapping;
  return m_Snap.AdjustOffset(offset, outlines.outlines, query);
}

CVRX2DVector CWorkbenchView::AdjustNewJoinPos(CDesignItem* pJoin)
{
  CSnapQuery query;
  query.shift = IsShiftDown();
  query.withinSpan = TRUE;
  const std::unique_ptr<CMoveOutlines> pOutlines = GetMoveOutlines(pJoin);
  return m_Snap.AdjustOffset(CVRX2DVector(), pOutlines->outlines, query);
}

CVRX2DVector CWorkbenchView::AdjustPoint(const CVRX2DVector& point)
{
  return AdjustPoint(point, kSnapFreeMode, 0.0, nullptr, -1);
}

// The item and component are what a point snap is asked about; no rule depends on them.
CVRX2DVector CWorkbenchView::AdjustPoint(const CVRX2DVector& point, int mode, double direction, CDesignItem*, int)
{
  // A placement starts no move: its ranges are taken here. A drag keeps those of its start.
  if (!m_pTracker)
    SetSnapRanges();
  return m_Snap.SnapPoint(point.AsPoint(), mode, direction);
}

CVRX2DVector CWorkbenchView::AdjustUnitResize(int handle, const CVRX2DVector& offset, int mode, double direction,
                                              CUnitItem* pItem)
{
  std::unique_ptr<CUnit> copy(pItem->GetUnit()->Clone());
  const int result = copy->ConformProposedSize(handle, offset);
  if (result == CUnit::inboundsUnchanged || result == CUnit::outOfBoundsUnchanged)
    return CVRX2DVector();
  CVRX2DEntityArray proposed;
  const CVRX2DVector shift = copy->GetProposedOutlineEntities(proposed);
  proposed.Transform(CVRX2DTransformationMatrix(pItem->GetOffset()));
  if (shift.GetLength() > 0.0)
    proposed.Transform(CVRX2DTransformationMatrix(shift));
  CSnapVectorArray vectors;
  BOOL hasArc = FALSE;
  for (int i = 0; i < proposed.GetSize(); ++i) {
    CVRX2DEntity* pEntity = proposed[i];
    hasArc = hasArc || pEntity->GetType() == VRX_ARC;
    if (pEntity->GetType() != VRX_LINE)
      continue;
    pEntity->SetCategory(ecatPerimeterOutline);
    CSnapQuery query;
    query.mode = mode;
    query.direction = direction;
    query.pItem = pItem;
    query.index = i;
    SnapTo(*static_cast<CVRX2DLine*>(pEntity), query, vectors);
  }
  const CVRX2DPoint handlePoint = pItem->GetHandlePoint(handle, this) + offset;
  if (hasArc)
    SnapPointToArcs(handlePoint, mode, direction, GetSnapRange(), vectors);
  const CVRX2DVector w = AdjustPoint(handlePoint.AsVector(), mode, direction, pItem, 0);
  if (w.GetLength() > 0.0)
    vectors.Add(new CSnapVector(w.GetLength(), w.GetAngle().GetRadians(), ecatLineSnap, 1));
  for (int i = vectors.GetSize() - 1; i >= 0; --i)
    if (vectors[i]->m_dLength == 0.0)
      vectors.RemoveAt(i);
  return CombineSnapVectors(vectors);
}

void CWorkbenchView::BuildGuidelineSnapPoints(CDesignItem* pMovingItem)
{
  m_Snap.BuildGuidelineCrossings(pMovingItem);
  CVRX2DPointArray& snapPoints = m_Snap.GetGuidelineSnapPoints();
  if (!m_pItemList)
    return;
  for (POSITION pos = m_pItemList->GetHeadPosition(); pos;) {
    auto* pItem = static_cast<CDesignItem*>(m_pItemList->GetNext(pos));
    if (!pItem->GetSnapToAlignmentLines())
      continue;
    if (auto* pUnit = dynamic_cast<CUnitItem*>(pItem)) {
      CVRX2DPointArray points;
      points.Add(new CVRX2DPoint(pUnit->GetOffset().AsPoint()));
      CSizingHandleArray* pHandles = pUnit->GetSizingHandles(this);
      for (int i = 0; i < pHandles->GetSize(); ++i)
        AddUniquePoint(points, pHandles->GetAt(i)->GetPoint());
      const CObArray& sides = *pUnit->GetPComponentOutlines();
      for (int i = 0; i < sides.GetSize(); ++i)
        if (auto* pLine = dynamic_cast<const CVRX2DLine*>(sides[i]))
          AddUniquePoint(points, pLine->GetStartPoint());
      for (int i = 0; i < points.GetSize(); ++i)
        snapPoints.Add(new CVRX2DPoint(*points[i]));
    } else if (pItem->GetItemType() == ditGroup) {
      const double x = pItem->GetOffset().GetX();
      const double y = pItem->GetOffset().GetY();
      const double w = pItem->GetWidth();
      const double h = pItem->GetHeight();
      for (const CVRX2DPoint& p : {CVRX2DPoint(x, y), CVRX2DPoint(x, y + h), CVRX2DPoint(x + w, y),
                                   CVRX2DPoint(x + w, y + h), CVRX2DPoint(x + w / 2, y + h / 2)})
        snapPoints.Add(new CVRX2DPoint(p));
    }
  }
}

void CWorkbenchView::NudgeItems(const CVRX2DVector& v)
{
  PCTRACE(TT_SNAPPING_ALIGNMENT, TL_IMPORTANT)("NudgeItems()  vector = (%f, %f)\n", v.GetX(), v.GetY());
  const BOOL test = v.GetLength() == 0.0;
  const CVRX2DVector m = test ? CVRX2DVector(kTestNudge, kTestNudge) : v;
  // A nudge is a move: the ranges must be those of the present scale.
  SetSnapRanges();
  CObList items;
  items.AddTail(&m_SelectedItems);
  std::vector<BOOL> sources;
  // The moving items offer only their lines of category 8 while they move, or an item would
  // snap back onto its own lines.
  for (POSITION pos = items.GetHeadPosition(); pos;) {
    auto* pItem = static_cast<CDesignItem*>(items.GetNext(pos));
    sources.push_back(pItem->IsAlignmentSource());
    pItem->SetAlignmentSource(FALSE);
    UpdateAlignmentEntities(pItem);
  }
  for (POSITION pos = items.GetHeadPosition(); pos;) {
    auto* pItem = static_cast<CDesignItem*>(items.GetNext(pos));
    const CVRX2DVector a = AdjustPos(m, pItem, 1);
    // A snap near the edge stops there, as an arrow key's step does.
    NudgeOne(pItem, pItem->CutAtSquare(test ? SnapTestMove(m, a) : a));
  }
  AddJoin();
  size_t i = 0;
  for (POSITION pos = items.GetHeadPosition(); pos; ++i) {
    auto* pItem = static_cast<CDesignItem*>(items.GetNext(pos));
    pItem->SetAlignmentSource(sources[i]);
    UpdateAlignmentEntities(pItem);
  }
}

void CWorkbenchView::NudgeOne(CDesignItem* pItem, const CVRX2DVector& move)
{
  if (!(move.GetLength() > 0.0))
    return;
  pItem->Invalidate(this);
  pItem->Offset(move);
  pItem->Invalidate(this);
  UpdateAlignmentEntities(pItem);
}

void CWorkbenchView::NudgeGroup(const CVRX2DVector& v)
{
  PCTRACE(TT_SNAPPING_ALIGNMENT, TL_IMPORTANT)("NudgeGroup()  vector = (%f, %f)\n", v.GetX(), v.GetY());
  SetSnapRanges();
  if (m_SelectedItems.IsEmpty())
    return;
  if (m_SelectedItems.GetCount() == 1) {
    NudgeSingle(static_cast<CDesignItem*>(m_SelectedItems.GetHead()), v);
    return;
  }
  // Several selected items move as one temporary group.
  CMoveGroupItem* pMoveGroup = MakeMoveGroup();
  pMoveGroup->SetAlignmentSource(FALSE);
  UpdateAlignmentEntities(pMoveGroup);
  pMoveGroup->Nudge(v, this);
  // The temporary group goes now: its lines are not filed again only to be taken out.
  RemoveAlignmentEntities(pMoveGroup);
  pMoveGroup->Invalidate(this);
  DissolveMoveGroup(pMoveGroup);
}

void CWorkbenchView::NudgeSingle(CDesignItem* pItem, const CVRX2DVector& v)
{
  if (pItem->GetItemType() == ditJoin)
    return;
  const BOOL source = pItem->IsAlignmentSource();
  pItem->SetAlignmentSource(FALSE);
  UpdateAlignmentEntities(pItem);
  // An item snapped again after its sheet changed it makes its joins anew; a moved one keeps
  // those that stand where it ends (AddJoin).
  if (m_bResnapping && pItem->GetItemType() == ditUnit)
    RemoveJoins(pItem, -1);
  else if (auto* pGroup = dynamic_cast<CGroupItem*>(pItem); m_bResnapping && pGroup)
    RemoveCrossingJoins(pGroup);
  pItem->Nudge(v, this);
  UpdateAlignmentEntities(pItem);
  pItem->SetAlignmentSource(source);
  UpdateAlignmentEntities(pItem);
}

void CWorkbenchView::OnSnappingTest() { NudgeItems(CVRX2DVector()); }

void CWorkbenchView::OnUpdateSnappingTest(CCmdUI* pCmdUI) { pCmdUI->Enable(!m_SelectedItems.IsEmpty()); }
