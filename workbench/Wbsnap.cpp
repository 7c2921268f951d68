// Snapping: every proposed move, nudge, resize and placement is adjusted so that the moving
// item's lines come to lie on the alignment lines of the other items, by the snapping priority
// of the two categories met.
#include <cmath>
#include <memory>
#include <vector>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "geometry/2dmatrix.h"
#include "model/Unit.h"
#include "platform/ui/draw/Gdi.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "workbench/Dsgnitem.h"
#include "workbench/Groupitm.h"
#include "workbench/Unititem.h"
#include "workbench/Wbview.h"

namespace {
constexpr const char* kModule = "Wbsnap";
constexpr int kUndefinedPriorityLine = 2464;
constexpr int kSnapVectorLostLine = 2551;
constexpr int kAlignJoinEndsLine = 2603;
constexpr int kGuidelineEntryLine = 2688;
constexpr int kGroupEntryNotUnitLine = 2497;
// The snap range is this many device pixels.
constexpr int kSnapPixels = 5;
constexpr int kFreeMode = 3;
// Outline categories of the moving lines and of alignment entities.
constexpr int kPerimeterOutline = 20;
constexpr int kPerimeterAlignment = 7;
constexpr int kGuidelineCentreAlignment = 2;
// The snapping test nudges by this much on each axis.
constexpr double kTestNudge = 0.01;
// A component of the snapping test's answer that differs from the nudge by less than this was
// left alone by snapping.
constexpr double kUnchangedSlack = 1e-9;

struct CPriorityCell
{
  int moving;
  int alignment;
  int priority;
};

// Rows: the moving line's category; columns 2 to 8: the alignment entity's.
const int kPriorityRows[][8] = {
    {11, 1, 1, 0, 1, 0, 2, 0}, {13, 1, 1, 0, 1, 0, 0, 1}, {14, 1, 1, 0, 1, 2, 2, 1},
    {15, 0, 0, 0, 0, 0, 1, 0}, {17, 1, 1, 0, 1, 0, 2, 3}, {20, 1, 0, 1, 2, 3, 1, 3},
};
constexpr int kFirstColumn = 2;

BOOL IsConstrained(int mode) { return (mode & CWorkbenchView::kConstrainedMode) != 0; }

double Measure(const CVRX2DPoint& p, int mode, double direction, const CVRX2DEntity& entity, double& snapDirection)
{
  CVRX2DPoint foot;
  if (IsConstrained(mode))
    return DistanceAlongDirection(p, direction, entity, foot, snapDirection, FALSE);
  return DistanceToEntity(p, entity, foot, snapDirection, FALSE);
}

// Entries farther than this from a point in the group's direction cannot be within range.
double Reach(double range) { return range + kSnapRangeSlack + kUnchangedSlack; }

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
}  // namespace

void CWorkbenchView::InitSnapPriorityTable()
{
  for (auto& row : m_SnapPriorityTable)
    row.fill(-1);
  for (const auto& row : kPriorityRows)
    for (int column = 1; column < 8; ++column)
      m_SnapPriorityTable[row[0]][kFirstColumn + column - 1] = row[column];
}

int CWorkbenchView::GetSnapPriority(int moving, int alignment) const
{
  const int priority = moving >= 0 && moving < kCategoryCount && alignment >= 0 && alignment < kCategoryCount
                           ? m_SnapPriorityTable[moving][alignment]
                           : -1;
  if (priority == -1)
    throw CAppFatalException(kModule, kUndefinedPriorityLine);
  return priority;
}

void CWorkbenchView::SetSnapRanges()
{
  m_dSnapRange = DeviceToWorld(CSize(kSnapPixels, kSnapPixels)).GetX();
  m_dJoinSnapRange = m_dJoinCaptureDistance < m_dSnapRange ? m_dSnapRange : m_dJoinCaptureDistance;
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
  CVRX2DVector v = offset;
  int mode = kFreeMode;
  double direction = 0.0;
  if (IsShiftDown()) {
    if (std::abs(v.GetX()) < std::abs(v.GetY())) {
      v.SetX(0.0);
      direction = VRX_HALF_PI;
    } else {
      v.SetY(0.0);
      direction = VRX_PI;
    }
    mode = kFreeMode | kConstrainedMode;
  }
  CObOwnArray refs;
  pItem->GetOutlineEntityRefs(refs);
  CSnapVectorArray vectors;
  for (int i = 0; i < refs.GetSize(); ++i) {
    auto* pRef = static_cast<COutlineEntityRef*>(refs[i]);
    SnapOutlineLine(*pRef->m_pEntity, pRef->m_pItem, pRef->m_nIndex, v, vectors, mode, direction, create);
  }
  if (vectors.GetSize() == 1 && vectors[0]->m_nCategory == kJoinSnapCategory)
    AlignJoinEnds(v, vectors);
  const CVRX2DVector adjusted = v + CombineSnapVectors(vectors);
  PCTRACE(TT_SNAPPING_ALIGNMENT, TL_DETAIL)
  ("AdjustPos()  offset = (%f, %f)  adjusted = (%f, %f)\n", offset.GetX(), offset.GetY(), adjusted.GetX(),
   adjusted.GetY());
  return adjusted;
}

void CWorkbenchView::SnapOutlineLine(const CVRX2DEntity& entity, CDesignItem* pItem, int index, const CVRX2DVector& v,
                                     CSnapVectorArray& vectors, int mode, double direction, int create)
{
  if (entity.GetType() != VRX_LINE)
    return;
  CVRX2DLine line(static_cast<const CVRX2DLine&>(entity));
  line.SetStartPoint(line.GetStartPoint() + v);
  line.SetEndPoint(line.GetEndPoint() + v);
  if (pItem && pItem->GetItemType() == ditGuideline)
    SnapTo(line, vectors);
  else
    SnapTo(line, pItem, index, v, vectors, mode, direction, create);
}

void CWorkbenchView::SnapTo(const CVRX2DLine& line, CDesignItem* pItem, int index, const CVRX2DVector& offset,
                            CSnapVectorArray& vectors, int mode, double direction, int create)
{
  if (m_bAutoJoin == 1 && SnapLineTo(line, pItem, index, offset, vectors, mode, direction, create, m_PerimeterGroups,
                                     m_dJoinSnapRange, TRUE) > 0)
    return;
  SnapLineTo(line, pItem, index, offset, vectors, mode, direction, 0, m_PerimeterGroups, m_dSnapRange, FALSE);
  if (m_OtherGroups.HasGroups())
    SnapLineTo(line, pItem, index, offset, vectors, mode, direction, 0, m_OtherGroups, m_dSnapRange, FALSE);
}

int CWorkbenchView::SnapLineTo(const CVRX2DLine& line, CDesignItem* pItem, int index, const CVRX2DVector& offset,
                               CSnapVectorArray& vectors, int mode, double direction, int create,
                               CLikeAlignmentGroups& groups, double range, BOOL joining)
{
  CLikeAlignmentEntities* pGroup = groups.FindLike(line);
  if (!pGroup)
    return 0;
  // Entries out of reach snap to nothing; the rest are visited in their own order.
  std::vector<int> near;
  pGroup->FindNear(line.GetStartPoint().GetX(), line.GetStartPoint().GetY(), Reach(range), near);
  CAlignmentEntityArray& entries = pGroup->GetEntities();
  const CVRXAngle angle = line.GetAngle();
  // The same-angle pass first; the opposite-angle pass only when it snapped nothing.
  std::vector<int> opposite;
  int count = 0;
  for (int i : near) {
    CAlignmentEntity& entry = *entries[i];
    if (entry.m_pEntity->GetType() != VRX_LINE)
      continue;
    if (entry.GetDirection() != angle)
      opposite.push_back(i);
    else
      count += SnapLineToEntity(line, pItem, index, offset, vectors, mode, direction, create, entry, range, joining);
  }
  if (count == 0)
    for (int i : opposite)
      count +=
          SnapLineToEntity(line, pItem, index, offset, vectors, mode, direction, create, *entries[i], range, joining);
  return count;
}

// The item, index, offset and create flag are what the join search receives with a join snap.
int CWorkbenchView::SnapLineToEntity(const CVRX2DLine& line, CDesignItem* pItem, int index,
                                     [[maybe_unused]] const CVRX2DVector& offset, CSnapVectorArray& vectors, int mode,
                                     double direction, int create, CAlignmentEntity& entry, double range, BOOL joining)
{
  if (!entry.m_bEnabled) {
    PCTRACE(TT_SNAPPING_ALIGNMENT, TL_VERBOSE)("\tSnapping disabled. Test failed.\n");
    return 0;
  }
  if (entry.m_pEntity->GetType() != VRX_LINE)
    return 0;
  const int a = entry.m_pEntity->GetCategory();
  const int m = line.GetCategory();
  int priority = 1;
  if (joining) {
    if (a != kPerimeterAlignment || m != kPerimeterOutline)
      return 0;
  } else {
    priority = GetSnapPriority(m, a);
    if (priority == 0) {
      PCTRACE(TT_SNAPPING_ALIGNMENT, TL_VERBOSE)
      ("\tSnapping priority is zero for non-joining situation. Test failed.\n");
      return 0;
    }
  }
  double snapDirection = 0.0;
  const double d = Measure(line.GetStartPoint(), mode, direction, *entry.m_pEntity, snapDirection);
  if (!IsWithinSnapRange(d, range)) {
    PCTRACE(TT_SNAPPING_ALIGNMENT, TL_VERBOSE)("\tDistance (%f) exceeds allowable maximum. Test failed.\n", d);
    return 0;
  }
  // A group's side stands for the sides of its units that lie on it: they are snapped and
  // joined to as a single unit's would be, before the group's own line.
  if (entry.m_pItem && entry.m_pItem->GetItemType() == ditGroup &&
      SnapLineToGroupMembers(line, pItem, index, offset, vectors, mode, direction, create, entry, range, joining))
    return 1;
  BOOL added = FALSE;
  CSnapVector saved;
  CSnapVector* s =
      AddSnapVector(vectors, d, snapDirection, joining ? kJoinSnapCategory : kLineSnapCategory, priority, added, saved);
  if (!joining)
    return 1;
  // A join snap stands only when the join search finds a join for it, which corrects the snap
  // to the join's spacing and names the two components.
  CJoinSnapRecord record;
  record.length = s->m_dLength;
  record.angle = s->m_dDirection;
  record.category = s->m_nCategory;
  CDWordArray indices;
  for (int i = 0; i < entry.m_Indices.GetSize(); ++i)
    indices.Add(static_cast<DWORD>(entry.m_Indices[i]));
  if (EvaluateSnapForJoin(line, pItem, index, entry.m_pItem, entry.m_PerimeterLines, indices, record, create)) {
    s->m_dLength = record.length;
    s->m_nMovingComponent = record.movingIndex;
    s->m_nStationaryComponent = record.stationaryIndex;
    s->m_pMovingItem = record.pMovingItem;
    s->m_pStationaryItem = record.pStationaryItem;
    return 1;
  }
  PCTRACE(TT_SNAPPING_ALIGNMENT, TL_VERBOSE)("\tNo join evaluated. Snap taken back.\n");
  if (!added) {
    *s = saved;
    return 0;
  }
  for (int i = 0; i < vectors.GetSize(); ++i)
    if (vectors[i] == s) {
      vectors.RemoveAt(i);
      return 0;
    }
  throw CAppFatalException(kModule, kSnapVectorLostLine);
}

BOOL CWorkbenchView::SnapLineToGroupMembers(const CVRX2DLine& line, CDesignItem* pItem, int index,
                                            const CVRX2DVector& offset, CSnapVectorArray& vectors, int mode,
                                            double direction, int create, const CAlignmentEntity& entry, double range,
                                            BOOL joining)
{
  CObOwnArray members;
  static_cast<CGroupItem*>(entry.m_pItem)->GetColinearAlignmentEnts(members, entry);
  BOOL snapped = FALSE;
  for (int i = 0; i < members.GetSize(); ++i) {
    auto& member = *static_cast<CAlignmentEntity*>(members[i]);
    auto* pUnit = dynamic_cast<CUnitItem*>(member.m_pItem);
    if (!pUnit || pUnit->GetItemType() != ditUnit)
      throw CAppFatalException(kModule, kGroupEntryNotUnitLine);
    CollectColinearPerimeterLines(member, *pUnit->GetComponentOutlines());
    if (SnapLineToEntity(line, pItem, index, offset, vectors, mode, direction, create, member, range, joining) == 1)
      snapped = TRUE;
  }
  return snapped;
}

void CWorkbenchView::SnapTo(const CVRX2DLine& line, CSnapVectorArray& vectors)
{
  int added = 0;
  for (int i = 0; i < m_GuidelineSnapPoints.GetSize(); ++i) {
    CVRX2DPoint foot;
    double direction = 0.0;
    const double d = DistanceToEntity(*m_GuidelineSnapPoints[i], line, foot, direction, TRUE);
    // Strictly inside the range, unlike the line snaps.
    if (d < m_dSnapRange) {
      vectors.Add(new CSnapVector(-d, direction, kGuidelinePointSnapCategory, 1));
      ++added;
    }
  }
  PCTRACE(TT_SNAPPING_ALIGNMENT, TL_VERBOSE)("Added %d snap vectors to the array. \n", added);
}

CVRX2DVector CWorkbenchView::CombineSnapVectors(CSnapVectorArray& vectors) const
{
  return ::CombineSnapVectors(vectors, m_dSnapRange);
}

CVRX2DVector CWorkbenchView::AdjustPoint(const CVRX2DVector& point)
{
  return AdjustPoint(point, kFreeMode, 0.0, nullptr, -1);
}

CVRX2DVector CWorkbenchView::AdjustPoint(const CVRX2DVector& point, int mode, double direction, CDesignItem* pItem,
                                         int component)
{
  // A placement starts no move: its ranges are taken here. A drag keeps those of its start.
  if (!m_pTracker)
    SetSnapRanges();
  const CVRX2DPoint p = point.AsPoint();
  CSnapVectorArray vectors;
  SnapPointTo(p, mode, direction, pItem, component, m_PerimeterGroups, m_dJoinSnapRange, vectors);
  SnapPointTo(p, mode, direction, pItem, component, m_OtherGroups, m_dSnapRange, vectors);
  SnapPointToArcs(p, mode, direction, m_dSnapRange, vectors);
  return CombineSnapVectors(vectors);
}

int CWorkbenchView::SnapPointTo(const CVRX2DPoint& p, int mode, double direction, CDesignItem*, int,
                                CLikeAlignmentGroups& groups, double range, CSnapVectorArray& vectors)
{
  int count = 0;
  std::vector<int> near;
  for (int g = 0; g < groups.GetSize(); ++g) {
    CLikeAlignmentEntities* pGroup = groups.GetAt(g);
    if (!pGroup)
      continue;
    pGroup->FindNear(p.GetX(), p.GetY(), Reach(range), near);
    CAlignmentEntityArray& entries = pGroup->GetEntities();
    for (int i : near) {
      const CAlignmentEntity& entry = *entries[i];
      if (!entry.m_bEnabled)
        continue;
      double snapDirection = 0.0;
      const double d = Measure(p, mode, direction, *entry.m_pEntity, snapDirection);
      if (d <= range) {
        vectors.Add(new CSnapVector(d, snapDirection, entry.m_pEntity->GetCategory(), 1));
        ++count;
      }
    }
  }
  return count;
}

int CWorkbenchView::SnapPointToArcs(const CVRX2DPoint& p, int mode, double direction, double range,
                                    CSnapVectorArray& vectors)
{
  int count = 0;
  for (int i = 0; i < m_ArcEntities.GetSize(); ++i) {
    const CAlignmentEntity& entry = *m_ArcEntities[i];
    if (!entry.m_bEnabled)
      continue;
    double snapDirection = 0.0;
    const double d = Measure(p, mode, direction, *entry.m_pEntity, snapDirection);
    if (d <= range) {
      vectors.Add(new CSnapVector(d, snapDirection, entry.m_pEntity->GetCategory(), 1));
      ++count;
    }
  }
  return count;
}

BOOL CWorkbenchView::AlignJoinEnds(const CVRX2DVector& v, CSnapVectorArray& vectors)
{
  if (vectors.GetSize() != 1)
    throw CAppFatalException(kModule, kAlignJoinEndsLine);
  const CSnapVector& s = *vectors[0];
  auto* pMoving = dynamic_cast<CUnitItem*>(s.m_pMovingItem);
  auto* pStationary = dynamic_cast<CUnitItem*>(s.m_pStationaryItem);
  if (!pMoving || !pStationary)
    return FALSE;
  const CVRX2DEntityArray& moving = *pMoving->GetComponentOutlines();
  for (int i = 0; i < moving.GetSize(); ++i)
    if (moving[i]->GetType() == VRX_ARC)
      return FALSE;
  const CVRX2DEntityArray& stationary = *pStationary->GetComponentOutlines();
  if (s.m_nMovingComponent < 0 || s.m_nMovingComponent >= moving.GetSize() || s.m_nStationaryComponent < 0 ||
      s.m_nStationaryComponent >= stationary.GetSize() || stationary[s.m_nStationaryComponent]->GetType() != VRX_LINE)
    return FALSE;
  CVRX2DLine line(*static_cast<const CVRX2DLine*>(moving[s.m_nMovingComponent]));
  line.Transform(CVRX2DTransformationMatrix(s.AsVector() + v));
  const auto& other = static_cast<const CVRX2DLine&>(*stationary[s.m_nStationaryComponent]);
  // The sides face each other: the moving start pairs with the stationary end.
  CVRX2DPoint footOfEnd;
  CVRX2DPoint footOfStart;
  double ignored = 0.0;
  DistanceToEntity(other.GetEndPoint(), line, footOfEnd, ignored, FALSE);
  DistanceToEntity(other.GetStartPoint(), line, footOfStart, ignored, FALSE);
  const CVRX2DVector a(line.GetStartPoint(), footOfEnd);
  const CVRX2DVector b(line.GetEndPoint(), footOfStart);
  const CVRX2DVector& chosen = a.GetLength() < b.GetLength() ? a : b;
  if (chosen.GetLength() > m_dSnapRange)
    return FALSE;
  vectors.Add(new CSnapVector(chosen.GetLength(), chosen.GetAngle().GetRadians(), kJoinSnapCategory, 1));
  return TRUE;
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
    pEntity->SetCategory(kPerimeterOutline);
    SnapTo(*static_cast<CVRX2DLine*>(pEntity), pItem, i, CVRX2DVector(), vectors, mode, direction, 0);
  }
  const CVRX2DPoint handlePoint = pItem->GetHandlePoint(handle, this) + offset;
  if (hasArc)
    SnapPointToArcs(handlePoint, mode, direction, m_dSnapRange, vectors);
  const CVRX2DVector w = AdjustPoint(handlePoint.AsVector(), mode, direction, pItem, 0);
  if (w.GetLength() > 0.0)
    vectors.Add(new CSnapVector(w.GetLength(), w.GetAngle().GetRadians(), kLineSnapCategory, 1));
  for (int i = vectors.GetSize() - 1; i >= 0; --i)
    if (vectors[i]->m_dLength == 0.0)
      vectors.RemoveAt(i);
  return CombineSnapVectors(vectors);
}

void CWorkbenchView::BuildGuidelineSnapPoints(CDesignItem* pMovingItem)
{
  m_GuidelineSnapPoints.RemoveAll();
  CObArray centres;
  m_OtherGroups.GetByCategory(kGuidelineCentreAlignment, centres);
  std::vector<const CVRX2DLine*> lines;
  for (int i = 0; i < centres.GetSize(); ++i) {
    auto* pEntry = static_cast<CAlignmentEntity*>(centres[i]);
    if (pEntry->m_pItem == pMovingItem)
      continue;
    if (pEntry->m_pEntity->GetType() != VRX_LINE || pEntry->m_pEntity->GetCategory() != kGuidelineCentreAlignment)
      throw CAppFatalException(kModule, kGuidelineEntryLine);
    lines.push_back(static_cast<const CVRX2DLine*>(pEntry->m_pEntity.get()));
  }
  for (size_t i = 0; i < lines.size(); ++i)
    for (size_t j = i + 1; j < lines.size(); ++j) {
      CVRX2DPointArray crossing;
      lines[i]->IntersectLine(*lines[j], crossing);
      if (crossing.GetSize() == 1)
        m_GuidelineSnapPoints.Add(new CVRX2DPoint(*crossing[0]));
    }
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
        m_GuidelineSnapPoints.Add(new CVRX2DPoint(*points[i]));
    } else if (pItem->GetItemType() == ditGroup) {
      const double x = pItem->GetOffset().GetX();
      const double y = pItem->GetOffset().GetY();
      const double w = pItem->GetWidth();
      const double h = pItem->GetHeight();
      for (const CVRX2DPoint& p : {CVRX2DPoint(x, y), CVRX2DPoint(x, y + h), CVRX2DPoint(x + w, y),
                                   CVRX2DPoint(x + w, y + h), CVRX2DPoint(x + w / 2, y + h / 2)})
        m_GuidelineSnapPoints.Add(new CVRX2DPoint(p));
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
    NudgeOne(pItem, test ? SnapTestMove(m, a) : a);
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
  if (pItem->GetItemType() == ditUnit)
    RemoveJoins(pItem, -1);
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
  CDesignItem* pItem = nullptr;
  CMoveGroupItem* pMoveGroup = nullptr;
  if (m_SelectedItems.GetCount() == 1) {
    pItem = static_cast<CDesignItem*>(m_SelectedItems.GetHead());
    if (pItem->GetItemType() == ditJoin)
      return;
  } else {
    // Several selected items move as one temporary group.
    pMoveGroup = MakeMoveGroup();
    pItem = pMoveGroup;
  }
  const BOOL source = pItem->IsAlignmentSource();
  pItem->SetAlignmentSource(FALSE);
  UpdateAlignmentEntities(pItem);
  if (pItem->GetItemType() == ditUnit)
    RemoveJoins(pItem, -1);
  else if (auto* pGroup = dynamic_cast<CGroupItem*>(pItem))
    RemoveCrossingJoins(pGroup);
  pItem->Nudge(v, this);
  UpdateAlignmentEntities(pItem);
  pItem->SetAlignmentSource(source);
  UpdateAlignmentEntities(pItem);
  if (pMoveGroup) {
    RemoveAlignmentEntities(pMoveGroup);
    pMoveGroup->Invalidate(this);
    DissolveMoveGroup(pMoveGroup);
  }
}

void CWorkbenchView::OnSnappingTest() { NudgeItems(CVRX2DVector()); }

void CWorkbenchView::OnUpdateSnappingTest(CCmdUI* pCmdUI) { pCmdUI->Enable(!m_SelectedItems.IsEmpty()); }
