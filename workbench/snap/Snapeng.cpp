// Snapping: every proposed move, nudge, resize and placement is adjusted so that the moving
// item's lines come to lie on the alignment lines of the other items, by the snapping priority
// of the two categories met.
#include "workbench/snap/Snapeng.h"

#include <algorithm>
#include <cmath>

#include "geometry/2darc.h"
#include "geometry/2dmatrix.h"
#include "model/Entcat.h"
#include "support/Exceptn.h"
#include "support/Trace.h"

namespace {
constexpr const char* kModule = "Wbsnap";
constexpr int kUndefinedPriorityLine = 2464;
constexpr int kAlignJoinEndsLine = 2603;

// Rows: the moving line's category; columns 2 to 8: the alignment entity's.
const int kPriorityRows[][8] = {
    {11, 1, 1, 0, 1, 0, 2, 0}, {13, 1, 1, 0, 1, 0, 0, 1}, {14, 1, 1, 0, 1, 2, 2, 1},
    {15, 0, 0, 0, 0, 0, 1, 0}, {17, 1, 1, 0, 1, 0, 2, 3}, {20, 1, 0, 1, 2, 3, 1, 3},
};
constexpr int kFirstColumn = 2;

BOOL IsConstrained(int mode) { return (mode & kSnapConstrainedMode) != 0; }

double Measure(const CVRX2DPoint& p, int mode, double direction, const CVRX2DEntity& entity, double& snapDirection)
{
  CVRX2DPoint foot;
  if (IsConstrained(mode))
    return DistanceAlongDirection(p, direction, entity, foot, snapDirection, FALSE);
  return DistanceToEntity(p, entity, foot, snapDirection, FALSE);
}

// Entries farther than this from a point in the group's direction cannot be within range.
double Reach(double range) { return range + kSnapRangeSlack + kUnchangedSlack; }

// Two sides face each other when they share at least this much, as the join search takes them.
constexpr double kLeastFacing = 2.0;

// Whether the sides an entry stands for share a stretch with the line that sides face each
// other by; the entry's own line reaches across the design. Only upright and level sides are
// told apart by where they reach.
BOOL ShareAStretch(const CVRX2DLine& line, const CAlignmentEntity& entry)
{
  const CAlignmentEntity::CSidesSpan& span = entry.GetSidesSpan();
  if (!span.known)
    return FALSE;
  const BOOL upright = line.IsVertical();
  if (!upright && !line.IsHorizontal())
    return FALSE;
  const double a0 = upright ? line.GetStartPoint().GetY() : line.GetStartPoint().GetX();
  const double a1 = upright ? line.GetEndPoint().GetY() : line.GetEndPoint().GetX();
  const double from = upright ? span.minY : span.minX;
  const double to = upright ? span.maxY : span.maxX;
  return std::min(std::max(a0, a1), to) - std::max(std::min(a0, a1), from) >= kLeastFacing - kUnchangedSlack;
}

// Shift constrains a move to its larger axis.
void Constrain(CVRX2DVector& v, CSnapQuery& query)
{
  if (std::abs(v.GetX()) < std::abs(v.GetY())) {
    v.SetX(0.0);
    query.direction = VRX_HALF_PI;
  } else {
    v.SetY(0.0);
    query.direction = VRX_PI;
  }
  query.mode = kSnapFreeMode | kSnapConstrainedMode;
}
}  // namespace

CSnapEngine::CSnapEngine(CSnapHost* pHost) : m_pHost(pHost)
{
  Revise();
  m_nShrinkRevision = m_nRevision;
  for (auto& row : m_SnapPriorityTable)
    row.fill(-1);
  for (const auto& row : kPriorityRows)
    for (int column = 1; column < 8; ++column)
      m_SnapPriorityTable[row[0]][kFirstColumn + column - 1] = row[column];
}

void CSnapEngine::SetSnapRange(double snapRange)
{
  m_dSnapRange = snapRange;
  m_dJoinSnapRange = m_dJoinCaptureDistance < m_dSnapRange ? m_dSnapRange : m_dJoinCaptureDistance;
}

int CSnapEngine::GetSnapPriority(int moving, int alignment) const
{
  const int priority = moving >= 0 && moving < kCategoryCount && alignment >= 0 && alignment < kCategoryCount
                           ? m_SnapPriorityTable[moving][alignment]
                           : -1;
  if (priority == -1)
    throw CAppFatalException(kModule, kUndefinedPriorityLine);
  return priority;
}

CVRX2DVector CSnapEngine::AdjustOffset(const CVRX2DVector& offset, const std::vector<CSnapOutline>& outlines,
                                       CSnapQuery query)
{
  CVRX2DVector v = offset;
  if (query.shift)
    Constrain(v, query);
  CSnapVectorArray vectors;
  m_Faces.clear();
  CollectSnaps(v, outlines, query, m_bAutoJoin == 1, vectors);
  const CVRX2DVector correction = CorrectionFor(v, outlines, query, vectors);
  const CVRX2DVector adjusted = v + correction;
  if (query.create)
    KeepCommittedMove(outlines, adjusted, correction);
  m_pMovingOutlines = nullptr;
  m_FacedSides.clear();
  PCTRACE(TT_SNAPPING_ALIGNMENT, TL_DETAIL)
  ("AdjustPos()  offset = (%f, %f)  adjusted = (%f, %f)\n", offset.GetX(), offset.GetY(), adjusted.GetX(),
   adjusted.GetY());
  return adjusted;
}

void CSnapEngine::CollectSnaps(const CVRX2DVector& v, const std::vector<CSnapOutline>& outlines, CSnapQuery query,
                               BOOL joining, CSnapVectorArray& vectors)
{
  for (const CSnapOutline& outline : outlines) {
    if (outline.pEntity->GetType() != VRX_LINE || outline.inner)
      continue;
    CVRX2DLine line(static_cast<const CVRX2DLine&>(*outline.pEntity));
    line.SetStartPoint(line.GetStartPoint() + v);
    line.SetEndPoint(line.GetEndPoint() + v);
    if (outline.guideline) {
      SnapTo(line, vectors);
      continue;
    }
    query.pItem = outline.pItem;
    query.index = outline.index;
    SnapMovedLine(line, query, joining, vectors);
  }
}

void CSnapEngine::SnapTo(const CVRX2DLine& line, CSnapQuery query, CSnapVectorArray& vectors)
{
  SnapMovedLine(line, query, m_bAutoJoin == 1, vectors);
}

void CSnapEngine::SnapMovedLine(const CVRX2DLine& line, CSnapQuery query, BOOL joining, CSnapVectorArray& vectors)
{
  if (joining) {
    query.range = m_dJoinSnapRange;
    query.joining = TRUE;
    if (SnapLineTo(line, query, m_PerimeterGroups, vectors) > 0)
      return;
  }
  query.create = 0;
  query.range = m_dSnapRange;
  query.joining = FALSE;
  SnapLineTo(line, query, m_PerimeterGroups, vectors);
  if (m_OtherGroups.HasGroups())
    SnapLineTo(line, query, m_OtherGroups, vectors);
}

int CSnapEngine::SnapLineTo(const CVRX2DLine& line, const CSnapQuery& query, CLikeAlignmentGroups& groups,
                            CSnapVectorArray& vectors)
{
  CLikeAlignmentEntities* pGroup = groups.FindLike(line);
  if (!pGroup || !pGroup->HasEnabled())
    return 0;
  // Entries out of reach snap to nothing, nor join with sides that do not face the line; the
  // rest are visited in their own order.
  std::vector<int> near;
  const CVRX2DPoint& start = line.GetStartPoint();
  if (query.joining || query.withinSpan) {
    const BOOL alongY = pGroup->GetOrientation() == laeVertical;
    const double a = alongY ? start.GetY() : start.GetX();
    const double b = alongY ? line.GetEndPoint().GetY() : line.GetEndPoint().GetX();
    const double reach = Reach(query.range);
    pGroup->FindFacing(start.GetX(), start.GetY(), reach, std::min(a, b), std::max(a, b), reach, near);
  } else
    pGroup->FindNear(start.GetX(), start.GetY(), Reach(query.range), near);
  const CAlignmentEntityArray& entries = pGroup->GetEntities();
  const CVRXAngle angle = line.GetAngle();
  // The same-angle pass first; the opposite-angle pass only when it snapped nothing.
  std::vector<int> opposite;
  int count = 0;
  for (int i : near) {
    const CAlignmentEntity& entry = *entries[i];
    if (entry.m_pEntity->GetType() != VRX_LINE)
      continue;
    if (entry.GetDirection() != angle)
      opposite.push_back(i);
    else
      count += SnapLineToEntity(line, query, entry, vectors);
  }
  if (count == 0)
    for (int i : opposite)
      count += SnapLineToEntity(line, query, *entries[i], vectors);
  return count;
}

int CSnapEngine::SnapLineToEntity(const CVRX2DLine& line, const CSnapQuery& query, const CAlignmentEntity& entry,
                                  CSnapVectorArray& vectors)
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
  if (query.joining) {
    if (a != ecatPerimeterAlignment || m != ecatPerimeterOutline)
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
  const double d = Measure(line.GetStartPoint(), query.mode, query.direction, *entry.m_pEntity, snapDirection);
  if (!IsWithinSnapRange(d, query.range)) {
    PCTRACE(TT_SNAPPING_ALIGNMENT, TL_VERBOSE)("\tDistance (%f) exceeds allowable maximum. Test failed.\n", d);
    return 0;
  }
  // A group's side stands for the sides of its units that lie on it: they are snapped and
  // joined to as a single unit's would be, before the group's own line.
  if (entry.m_pItem && SnapLineToGroupMembers(line, query, entry, vectors))
    return 1;
  if (query.joining)
    return RecordJoinSnap(line, query, entry, d, snapDirection, vectors);
  // Facing sides of two units stand apart by a join's spacing or not at all.
  if (query.resnap && a == ecatPerimeterAlignment && m == ecatPerimeterOutline &&
      entry.GetDirection() != line.GetAngle() && ShareAStretch(line, entry))
    return 0;
  BOOL added = FALSE;
  CSnapVector saved;
  AddSnapVector(vectors, d, snapDirection, ecatLineSnap, priority, added, saved);
  return 1;
}

int CSnapEngine::RecordJoinSnap(const CVRX2DLine& line, const CSnapQuery& query, const CAlignmentEntity& entry,
                                double d, double snapDirection, CSnapVectorArray& vectors)
{
  // Without a host there is no join search, so no join snap stands.
  if (!m_pHost)
    return 0;
  // A join snap stands only when the join search finds a join for it, which corrects the snap
  // to the join's spacing and names the two components; nothing is recorded before. The join
  // itself is made only where the move ends (EndCommittedMoves).
  CJoinSnapRecord record;
  record.length = d;
  record.angle = snapDirection;
  record.category = ecatJoinSnap;
  CDWordArray indices;
  const CLending lending{m_LentLines};
  const CVRX2DEntityArray* pLines = SidesFor(entry, indices);
  if (!m_pHost->EvaluateSnapForJoin(line, query.pItem, query.index, entry.m_pItem, *pLines, indices, record)) {
    PCTRACE(TT_SNAPPING_ALIGNMENT, TL_VERBOSE)("\tNo join evaluated. Snap not taken.\n");
    return 0;
  }
  BOOL added = FALSE;
  CSnapVector saved;
  // Recorded as corrected, so that recording compares it with the join snaps already corrected.
  CSnapVector* s = AddSnapVector(vectors, record.length, snapDirection, ecatJoinSnap, 1, added, saved);
  s->m_nMovingComponent = record.movingIndex;
  s->m_nStationaryComponent = record.stationaryIndex;
  s->m_pMovingItem = record.pMovingItem;
  s->m_pStationaryItem = record.pStationaryItem;
  NoteJoinFace(line, *s, *pLines, indices, record.stationaryIndex);
  return 1;
}

const CVRX2DEntityArray* CSnapEngine::SidesFor(const CAlignmentEntity& entry, CDWordArray& indices)
{
  if (entry.m_PerimeterLines.GetSize() > 0) {
    for (int i = 0; i < entry.m_Indices.GetSize(); ++i)
      indices.Add(static_cast<DWORD>(entry.m_Indices[i]));
    return &entry.m_PerimeterLines;
  }
  // A unit's entry names its sides by index; they are the unit's component outlines.
  if (const CVRX2DEntityArray* pOutlines = m_pHost ? m_pHost->GetUnitOutlines(entry.m_pItem) : nullptr) {
    for (int i = 0; i < entry.m_Indices.GetSize(); ++i) {
      const int index = static_cast<int>(entry.m_Indices[i]);
      if (index >= pOutlines->GetSize())
        continue;
      m_LentLines.Add(pOutlines->GetAt(index));
      indices.Add(static_cast<DWORD>(index));
    }
  }
  return &m_LentLines;
}

BOOL CSnapEngine::SnapLineToGroupMembers(const CVRX2DLine& line, const CSnapQuery& query, const CAlignmentEntity& entry,
                                         CSnapVectorArray& vectors)
{
  CObOwnArray members;
  if (!m_pHost || !m_pHost->GetGroupMemberEntries(entry, members))
    return FALSE;
  BOOL snapped = FALSE;
  for (int i = 0; i < members.GetSize(); ++i)
    if (SnapLineToEntity(line, query, *static_cast<CAlignmentEntity*>(members[i]), vectors) == 1)
      snapped = TRUE;
  return snapped;
}

void CSnapEngine::SnapTo(const CVRX2DLine& line, CSnapVectorArray& vectors)
{
  int added = 0;
  for (int i = 0; i < m_GuidelineSnapPoints.GetSize(); ++i) {
    CVRX2DPoint foot;
    double direction = 0.0;
    const double d = DistanceToEntity(*m_GuidelineSnapPoints[i], line, foot, direction, TRUE);
    // Strictly inside the range, unlike the line snaps.
    if (d < m_dSnapRange) {
      vectors.Add(new CSnapVector(-d, direction, ecatGuidelineCentre, 1));
      ++added;
    }
  }
  PCTRACE(TT_SNAPPING_ALIGNMENT, TL_VERBOSE)("Added %d snap vectors to the array. \n", added);
}

CVRX2DVector CSnapEngine::CombineSnapVectors(CSnapVectorArray& vectors) const
{
  return ::CombineSnapVectors(vectors, m_dSnapRange);
}

CVRX2DVector CSnapEngine::SnapPoint(const CVRX2DPoint& p, int mode, double direction)
{
  CSnapVectorArray vectors;
  SnapPointTo(p, mode, direction, m_PerimeterGroups, m_dJoinSnapRange, vectors);
  SnapPointTo(p, mode, direction, m_OtherGroups, m_dSnapRange, vectors);
  SnapPointToArcs(p, mode, direction, m_dSnapRange, vectors);
  return CombineSnapVectors(vectors);
}

int CSnapEngine::SnapPointTo(const CVRX2DPoint& p, int mode, double direction, CLikeAlignmentGroups& groups,
                             double range, CSnapVectorArray& vectors)
{
  int count = 0;
  std::vector<int> near;
  for (int g = 0; g < groups.GetSize(); ++g) {
    CLikeAlignmentEntities* pGroup = groups.GetAt(g);
    if (!pGroup || !pGroup->HasEnabled())
      continue;
    pGroup->FindNear(p.GetX(), p.GetY(), Reach(range), near);
    const CAlignmentEntityArray& entries = pGroup->GetEntities();
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

int CSnapEngine::SnapPointToArcs(const CVRX2DPoint& p, int mode, double direction, double range,
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

BOOL CSnapEngine::AlignJoinEnds(const CVRX2DVector& v, CSnapVectorArray& vectors)
{
  if (vectors.GetSize() != 1)
    throw CAppFatalException(kModule, kAlignJoinEndsLine);
  const CSnapVector& s = *vectors[0];
  const CVRX2DEntityArray* pMoving = m_pHost ? m_pHost->GetUnitOutlines(s.m_pMovingItem) : nullptr;
  const CVRX2DEntityArray* pStationary = m_pHost ? m_pHost->GetUnitOutlines(s.m_pStationaryItem) : nullptr;
  if (!pMoving || !pStationary)
    return FALSE;
  const CVRX2DEntityArray& moving = *pMoving;
  for (int i = 0; i < moving.GetSize(); ++i)
    if (moving[i]->GetType() == VRX_ARC)
      return FALSE;
  const CVRX2DEntityArray& stationary = *pStationary;
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
  vectors.Add(new CSnapVector(chosen.GetLength(), chosen.GetAngle().GetRadians(), ecatJoinSnap, 1));
  return TRUE;
}
