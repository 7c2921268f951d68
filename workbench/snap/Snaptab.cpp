// The engine's alignment tables: filing alignment entries into the perimeter groups, the other
// groups and the arc list, taking an item's entries out again or disabling them, the question
// whether an entity lies on an entry, and the crossings of the guideline centre lines.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <vector>

#include "geometry/2darc.h"
#include "geometry/2drect.h"
#include "model/Entcat.h"
#include "support/Exceptn.h"
#include "workbench/snap/Snapeng.h"

namespace {
constexpr const char* kModule = "Wbalign";
constexpr int kOddEntityLine = 1312;
constexpr int kArcListLine = 1330;
constexpr int kGuidelineEntryLine = 2688;
// Arc centres this close are the same centre for the highlight question.
constexpr double kArcCentreTolerance = 0.01;
// Colinear lines lie within the point tolerance of each other across their direction.
constexpr double kColinearReach = 1e-6;

// An enabled line entry, not of an inner part's outline, on the line. The line's direction is
// worked out once by the caller, each entry's once per visit.
bool OffersLine(const CAlignmentEntity& entry, const CVRX2DLine& line, const CVRXAngle& direction)
{
  if (!entry.IsEnabled() || entry.GetEntity()->GetType() != VRX_LINE ||
      entry.GetEntity()->GetCategory() == ecatInnerPartOutline)
    return false;
  const auto& entryLine = static_cast<const CVRX2DLine&>(*entry.GetEntity());
  return static_cast<bool>(entryLine.IsColinear(line, entry.GetDirection(), direction));
}

// Visits the entries of the groups' group of lines parallel to the line that may lie on it, until
// visit answers true.
template <class Visit>
bool AnyEntryNear(CLikeAlignmentGroups& groups, const CVRX2DLine& line, const CVRXAngle& direction, Visit visit)
{
  CLikeAlignmentEntities* pGroup = groups.FindLike(line, direction);
  if (!pGroup || !pGroup->HasEnabled())
    return false;
  const CAlignmentEntityArray& entries = pGroup->GetEntities();
  return pGroup->AnyNear(line.GetStartPoint().GetX(), line.GetStartPoint().GetY(), kColinearReach,
                         [&](int i) { return visit(*entries[i]); });
}

BOOL HasColinearEntry(CLikeAlignmentGroups& groups, const CVRX2DLine& line, const CVRXAngle& direction,
                      const CDesignItem* pIgnored)
{
  // Any one entry settles it, so the entries are visited as they lie in the index.
  return AnyEntryNear(groups, line, direction, [&](const CAlignmentEntity& entry) {
    return entry.GetItem() != pIgnored && OffersLine(entry, line, direction);
  });
}

// Sets the point tolerance for one comparison and puts the old one back.
class CPointToleranceScope
{
public:
  explicit CPointToleranceScope(double tolerance) : m_dSaved(CVRX2DPoint::GetTolerance())
  {
    CVRX2DPoint::SetTolerance(tolerance);
  }
  ~CPointToleranceScope() { CVRX2DPoint::SetTolerance(m_dSaved); }
  CPointToleranceScope(const CPointToleranceScope&) = delete;
  CPointToleranceScope& operator=(const CPointToleranceScope&) = delete;

private:
  double m_dSaved;
};

BOOL IsSameArc(const CVRX2DArc& a, const CVRX2DArc& b)
{
  BOOL sameCentre = FALSE;
  {
    CPointToleranceScope scope(kArcCentreTolerance);
    sameCentre = a.GetCentre() == b.GetCentre();
  }
  return sameCentre && a.GetMajorRadius() == b.GetMajorRadius() && a.GetMinorRadius() == b.GetMinorRadius();
}
}  // namespace

void CSnapEngine::Revise()
{
  // Revisions of every engine come from one count; 0 is never given out.
  static std::atomic<std::uint64_t> s_nLast{0};
  m_nRevision = ++s_nLast;
}

void CSnapEngine::AddEntry(CAlignmentEntity* pEntry)
{
  Revise();
  const CVRX2DEntity& entity = *pEntry->m_pEntity;
  if (entity.GetType() == VRX_ARC) {
    pEntry->m_bFiled = TRUE;
    m_ArcEntities.Add(pEntry);
    ++m_ArcCounts[pEntry->m_pItem];
  } else if (entity.GetType() == VRX_LINE && entity.GetCategory() == ecatPerimeterAlignment) {
    pEntry->m_SidesSpan = SidesSpanOf(*pEntry);
    if (m_pHost && pEntry->m_pItem && pEntry->m_pItem != m_pSizeItem) {
      m_pSizeItem = pEntry->m_pItem;
      const CVRX2DVector size = m_pHost->GetItemSize(pEntry->m_pItem);
      if (std::isfinite(size.GetX()) && std::isfinite(size.GetY()))
        m_vLargestSize =
            CVRX2DVector(std::max(m_vLargestSize.GetX(), size.GetX()), std::max(m_vLargestSize.GetY(), size.GetY()));
    }
    m_PerimeterGroups.Add(pEntry);
  } else if (entity.GetType() == VRX_LINE) {
    pEntry->m_SidesSpan = ItemSpanOf(*pEntry);
    m_OtherGroups.Add(pEntry);
  } else
    delete pEntry;
}

CAlignmentEntity::CSidesSpan CSnapEngine::SidesSpanOf(const CAlignmentEntity& entry) const
{
  CAlignmentEntity::CSidesSpan span;
  // The lines RecordJoinSnap hands to the join search: the entry's own perimeter lines, else
  // the unit's outlines it names. Of any other item the sides are not known.
  const CVRX2DEntityArray* pOutlines = m_pHost ? m_pHost->GetUnitOutlines(entry.m_pItem) : nullptr;
  if (!pOutlines)
    return span;
  // A side that reaches no number cannot be placed; it may face anything.
  BOOL placed = TRUE;
  const auto take = [&](const CVRX2DEntity& entity) {
    if (entity.GetType() != VRX_LINE)
      return;
    const auto& line = static_cast<const CVRX2DLine&>(entity);
    for (const CVRX2DPoint& p : {line.GetStartPoint(), line.GetEndPoint()}) {
      placed = placed && std::isfinite(p.GetX()) && std::isfinite(p.GetY());
      span.minX = std::min(span.minX, p.GetX());
      span.maxX = std::max(span.maxX, p.GetX());
      span.minY = std::min(span.minY, p.GetY());
      span.maxY = std::max(span.maxY, p.GetY());
    }
  };
  if (entry.m_PerimeterLines.GetSize() > 0) {
    for (int i = 0; i < entry.m_PerimeterLines.GetSize(); ++i)
      take(*entry.m_PerimeterLines.GetAt(i));
  } else {
    for (int i = 0; i < entry.m_Indices.GetSize(); ++i) {
      const int index = static_cast<int>(entry.m_Indices[i]);
      if (index < pOutlines->GetSize())
        take(*pOutlines->GetAt(index));
    }
  }
  span.known = placed;
  return span;
}

CAlignmentEntity::CSidesSpan CSnapEngine::ItemSpanOf(const CAlignmentEntity& entry) const
{
  CAlignmentEntity::CSidesSpan span;
  const CVRX2DEntityArray* pOutlines = m_pHost ? m_pHost->GetUnitOutlines(entry.m_pItem) : nullptr;
  if (!pOutlines || pOutlines->GetSize() == 0)
    return span;
  const CVRX2DRectangle extents = pOutlines->GetExtents();
  span.minX = extents.GetMinPoint().GetX();
  span.maxX = extents.GetMaxPoint().GetX();
  span.minY = extents.GetMinPoint().GetY();
  span.maxY = extents.GetMaxPoint().GetY();
  span.known = std::isfinite(span.minX) && std::isfinite(span.maxX) && std::isfinite(span.minY) &&
               std::isfinite(span.maxY) && span.minX <= span.maxX && span.minY <= span.maxY;
  return span;
}

std::vector<CVRXAngle> CSnapEngine::LineDirections(const CVRX2DEntityArray& lines)
{
  std::vector<CVRXAngle> directions(static_cast<size_t>(lines.GetSize()));
  for (int i = 0; i < lines.GetSize(); ++i)
    if (lines.GetAt(i)->GetType() == VRX_LINE)
      directions[static_cast<size_t>(i)] = static_cast<const CVRX2DLine*>(lines.GetAt(i))->GetAngle();
  return directions;
}

BOOL CSnapEngine::CollectColinearPerimeterLines(CAlignmentEntity& entry, const CVRX2DEntityArray& lines)
{
  if (entry.m_pEntity->GetType() != VRX_LINE)
    return FALSE;
  return CollectColinearPerimeterLines(entry, lines, LineDirections(lines));
}

BOOL CSnapEngine::CollectColinearPerimeterLines(CAlignmentEntity& entry, const CVRX2DEntityArray& lines,
                                                const std::vector<CVRXAngle>& directions)
{
  if (entry.m_pEntity->GetType() != VRX_LINE)
    return FALSE;
  std::vector<UINT> indices;
  AppendColinearIndices(static_cast<const CVRX2DLine&>(*entry.m_pEntity), entry.GetDirection(), lines, directions,
                        indices);
  for (const UINT i : indices) {
    entry.AddSide(*lines.GetAt(static_cast<int>(i)), i);
  }
  return !indices.empty();
}

void CSnapEngine::AppendColinearIndices(const CVRX2DLine& line, const CVRXAngle& direction,
                                        const CVRX2DEntityArray& lines, const std::vector<CVRXAngle>& directions,
                                        std::vector<UINT>& indices)
{
  for (int i = 0; i < lines.GetSize(); ++i) {
    const CVRX2DEntity* pEntity = lines.GetAt(i);
    if (pEntity->GetType() == VRX_LINE &&
        line.IsColinear(static_cast<const CVRX2DLine&>(*pEntity), direction, directions[static_cast<size_t>(i)]))
      indices.push_back(static_cast<UINT>(i));
  }
}

void CSnapEngine::RemoveItem(const CDesignItem* pItem, std::vector<CAlignmentEntity*>* pKept)
{
  Revise();
  // Filed again, it may have grown.
  m_pSizeItem = nullptr;
  int removed = m_PerimeterGroups.RemoveItem(pItem, pKept);
  if (m_OtherGroups.HasGroups())
    removed += m_OtherGroups.RemoveItem(pItem, pKept);
  // Most items have no arc: they need not walk the arcs of all the others.
  const auto arcs = m_ArcCounts.find(pItem);
  if (arcs == m_ArcCounts.end()) {
    // An item that had no entries (a group on its way out, say) takes no answer away.
    if (removed > 0)
      m_nShrinkRevision = m_nRevision;
    return;
  }
  m_nShrinkRevision = m_nRevision;
  m_ArcCounts.erase(arcs);
  // The item's arcs go in one pass that keeps the order of the others.
  int kept = 0;
  for (int i = 0; i < m_ArcEntities.GetSize(); ++i) {
    CAlignmentEntity* pEntry = m_ArcEntities[i];
    if (pEntry->m_pItem != pItem)
      m_ArcEntities.SetAt(kept++, pEntry);
    else if (pKept) {
      pEntry->m_bFiled = FALSE;
      pKept->push_back(pEntry);
    } else
      delete pEntry;
  }
  m_ArcEntities.RemoveAtNoDelete(kept, m_ArcEntities.GetSize() - kept);
}

void CSnapEngine::SetItemEnabled(const CDesignItem* pItem, BOOL bEnable)
{
  Revise();
  m_nShrinkRevision = m_nRevision;
  m_PerimeterGroups.SetItemEnabled(pItem, bEnable);
  m_OtherGroups.SetItemEnabled(pItem, bEnable);
  if (!m_ArcCounts.count(pItem))
    return;
  for (int i = 0; i < m_ArcEntities.GetSize(); ++i)
    if (m_ArcEntities[i]->m_pItem == pItem)
      m_ArcEntities[i]->m_bEnabled = bEnable;
}

BOOL CSnapEngine::IsOnAlignmentEntity(const CVRX2DEntity& entity, const CDesignItem* pIgnored)
{
  if (entity.GetType() == VRX_LINE) {
    const auto& line = static_cast<const CVRX2DLine&>(entity);
    const CVRX2DPoint& start = line.GetStartPoint();
    const CVRX2DPoint& end = line.GetEndPoint();
    const BOOL finite = std::isfinite(start.GetX()) && std::isfinite(start.GetY()) && std::isfinite(end.GetX()) &&
                        std::isfinite(end.GetY());
    const BOOL horizontal = finite && start.GetY() == end.GetY() && start.GetX() != end.GetX();
    const BOOL vertical = finite && start.GetX() == end.GetX() && start.GetY() != end.GetY();
    if (horizontal || vertical) {
      const CLineOffers& offers = OffersOnAxisLine(line, horizontal);
      return offers.bMany || (offers.bAny && offers.pFirst != pIgnored);
    }
    const CVRXAngle direction = line.GetAngle();
    return HasColinearEntry(m_PerimeterGroups, line, direction, pIgnored) ||
           HasColinearEntry(m_OtherGroups, line, direction, pIgnored);
  }
  if (entity.GetType() != VRX_ARC)
    throw CAppFatalException(kModule, kOddEntityLine);
  const auto& arc = static_cast<const CVRX2DArc&>(entity);
  for (int i = 0; i < m_ArcEntities.GetSize(); ++i) {
    const CAlignmentEntity& entry = *m_ArcEntities[i];
    if (entry.m_pEntity->GetType() != VRX_ARC)
      throw CAppFatalException(kModule, kArcListLine);
    if (entry.m_bEnabled && entry.m_pItem != pIgnored &&
        IsSameArc(static_cast<const CVRX2DArc&>(*entry.m_pEntity), arc))
      return TRUE;
  }
  return FALSE;
}

const CSnapEngine::CLineOffers& CSnapEngine::OffersOnAxisLine(const CVRX2DLine& line, BOOL bHorizontal)
{
  if (m_nOffersRevision != m_nRevision || m_dOffersPointTolerance != CVRX2DPoint::GetTolerance() ||
      m_dOffersAngleTolerance != CVRXAngle::GetTolerance()) {
    m_HorizontalOffers.clear();
    m_VerticalOffers.clear();
    m_nOffersRevision = m_nRevision;
    m_dOffersPointTolerance = CVRX2DPoint::GetTolerance();
    m_dOffersAngleTolerance = CVRXAngle::GetTolerance();
  }
  auto& offersByPlace = bHorizontal ? m_HorizontalOffers : m_VerticalOffers;
  const double place = bHorizontal ? line.GetStartPoint().GetY() : line.GetStartPoint().GetX();
  const auto [found, added] = offersByPlace.try_emplace(place);
  CLineOffers& offers = found->second;
  if (!added)
    return offers;
  // The line's direction is needed for a place not asked about yet only.
  const CVRXAngle direction = line.GetAngle();
  // Two items settle every question: one of them is not the item that asks.
  const auto note = [&](const CAlignmentEntity& entry) {
    if (!OffersLine(entry, line, direction))
      return false;
    if (!offers.bAny) {
      offers.bAny = TRUE;
      offers.pFirst = entry.m_pItem;
      return false;
    }
    offers.bMany = entry.m_pItem != offers.pFirst;
    return static_cast<bool>(offers.bMany);
  };
  if (!AnyEntryNear(m_PerimeterGroups, line, direction, note))
    AnyEntryNear(m_OtherGroups, line, direction, note);
  return offers;
}

void CSnapEngine::BuildGuidelineCrossings(const CDesignItem* pMovingItem)
{
  m_GuidelineSnapPoints.RemoveAll();
  CObArray centres;
  m_OtherGroups.GetByCategory(ecatGuidelineCentreAlignment, centres);
  std::vector<const CVRX2DLine*> lines;
  for (int i = 0; i < centres.GetSize(); ++i) {
    auto* pEntry = static_cast<CAlignmentEntity*>(centres[i]);
    if (pEntry->m_pItem == pMovingItem)
      continue;
    if (pEntry->m_pEntity->GetType() != VRX_LINE || pEntry->m_pEntity->GetCategory() != ecatGuidelineCentreAlignment)
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
}
