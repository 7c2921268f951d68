// The view's alignment tables: filing every item's alignment entities into the perimeter groups,
// the other groups and the arc list, keeping them in step with the items, and the two view-wide
// alignment modes.
#include <vector>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "workbench/Dsgnitem.h"
#include "workbench/Groupitm.h"
#include "workbench/Unititem.h"
#include "workbench/Wbview.h"

namespace {
constexpr const char* kModule = "Wbalign";
constexpr int kOddEntityLine = 1312;
constexpr int kArcListLine = 1330;
constexpr int kModeLine = 1358;
// Alignment categories: the perimeter lines joining snaps to, lines every item always offers,
// and the lines an alignment question never counts.
constexpr int kPerimeterAlignment = 7;
constexpr int kAlwaysOffered = 8;
constexpr int kNotCounted = 5;
// Arc centres this close are the same centre for the highlight question.
constexpr double kArcCentreTolerance = 0.01;

// Colinear lines lie within the point tolerance of each other across their direction.
constexpr double kColinearReach = 1e-6;

// The line's direction is worked out once by the caller, each entry's once per visit.
BOOL HasColinearEntry(CLikeAlignmentGroups& groups, const CVRX2DLine& line, const CVRXAngle& direction,
                      const CDesignItem* pIgnored)
{
  CLikeAlignmentEntities* pGroup = groups.FindLike(line, direction);
  if (!pGroup)
    return FALSE;
  // Any one entry settles it, so the entries are visited as they lie in the index.
  CAlignmentEntityArray& entries = pGroup->GetEntities();
  return pGroup->AnyNear(line.GetStartPoint().GetX(), line.GetStartPoint().GetY(), kColinearReach, [&](int i) {
    const CAlignmentEntity& entry = *entries[i];
    if (!entry.m_bEnabled || entry.m_pItem == pIgnored || entry.m_pEntity->GetType() != VRX_LINE ||
        entry.m_pEntity->GetCategory() == kNotCounted)
      return false;
    const auto& entryLine = static_cast<const CVRX2DLine&>(*entry.m_pEntity);
    return static_cast<bool>(entryLine.IsColinear(line, entryLine.GetAngle(), direction));
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

int FlagForMode(int mode, int line)
{
  if (mode != 0 && mode != 1)
    throw CAppFatalException(kModule, line);
  return mode == 0;
}
}  // namespace

void CWorkbenchView::AddAlignmentEntities(CDesignItem* pItem)
{
  if (!pItem->GetSnapToAlignmentLines())
    return;
  CVRX2DEntityArray* pEntities = pItem->GetAlignmentEntities();
  auto* pUnitItem = dynamic_cast<CUnitItem*>(pItem);
  for (int i = 0; i < pEntities->GetSize(); ++i) {
    const CVRX2DEntity& entity = *pEntities->GetAt(i);
    if (entity.GetType() == VRX_ARC) {
      m_ArcEntities.Add(new CAlignmentEntity(entity.Clone(), pItem, 1));
      continue;
    }
    if (entity.GetType() != VRX_LINE)
      continue;
    const int category = entity.GetCategory();
    if (!pItem->IsAlignmentSource() && category != kAlwaysOffered)
      continue;
    auto* pEntry = new CAlignmentEntity(entity.Clone(), pItem, 1);
    if (category != kPerimeterAlignment) {
      m_OtherGroups.Add(pEntry);
      continue;
    }
    if (pUnitItem)
      CollectColinearPerimeterLines(*pEntry, *pUnitItem->GetComponentOutlines());
    m_PerimeterGroups.Add(pEntry);
  }
}

BOOL CWorkbenchView::CollectColinearPerimeterLines(CAlignmentEntity& entry, const CVRX2DEntityArray& lines)
{
  if (entry.m_pEntity->GetType() != VRX_LINE)
    return FALSE;
  const auto& line = static_cast<const CVRX2DLine&>(*entry.m_pEntity);
  BOOL collected = FALSE;
  for (int i = 0; i < lines.GetSize(); ++i) {
    const CVRX2DEntity* pEntity = lines.GetAt(i);
    if (pEntity->GetType() != VRX_LINE || !line.IsColinear(static_cast<const CVRX2DLine&>(*pEntity)))
      continue;
    entry.m_PerimeterLines.Add(pEntity->Clone());
    entry.m_Indices.Add(static_cast<UINT>(i));
    collected = TRUE;
  }
  return collected;
}

void CWorkbenchView::RemoveAlignmentEntities(CDesignItem* pItem)
{
  m_PerimeterGroups.RemoveItem(pItem);
  if (m_OtherGroups.HasGroups())
    m_OtherGroups.RemoveItem(pItem);
  for (int i = m_ArcEntities.GetSize() - 1; i >= 0; --i)
    if (m_ArcEntities[i]->m_pItem == pItem)
      m_ArcEntities.RemoveAt(i);
}

void CWorkbenchView::UpdateAlignmentEntities(CDesignItem* pItem)
{
  RemoveAlignmentEntities(pItem);
  AddAlignmentEntities(pItem);
}

void CWorkbenchView::EnableAlignmentEntities(CDesignItem* pItem, BOOL bEnable)
{
  m_PerimeterGroups.SetItemEnabled(pItem, bEnable);
  m_OtherGroups.SetItemEnabled(pItem, bEnable);
  for (int i = 0; i < m_ArcEntities.GetSize(); ++i)
    if (m_ArcEntities[i]->m_pItem == pItem)
      m_ArcEntities[i]->m_bEnabled = bEnable;
  // A group's units offer their own entries too.
  if (pItem->GetItemType() == ditGroup) {
    CObList units;
    static_cast<CGroupItem*>(pItem)->GetUnitsInGroup(units, FALSE);
    for (POSITION pos = units.GetHeadPosition(); pos;)
      if (auto* pUnit = static_cast<CDesignItem*>(units.GetNext(pos)); pUnit->GetItemType() == ditUnit)
        EnableAlignmentEntities(pUnit, bEnable);
  }
}

BOOL CWorkbenchView::IsOnAlignmentEntity(const CVRX2DEntity& entity, const CDesignItem* pIgnored)
{
  if (entity.GetType() == VRX_LINE) {
    const auto& line = static_cast<const CVRX2DLine&>(entity);
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
    if (!entry.m_bEnabled || entry.m_pItem == pIgnored)
      continue;
    const auto& other = static_cast<const CVRX2DArc&>(*entry.m_pEntity);
    BOOL sameCentre = FALSE;
    {
      CPointToleranceScope scope(kArcCentreTolerance);
      sameCentre = other.GetCentre() == arc.GetCentre();
    }
    if (sameCentre && other.GetMajorRadius() == arc.GetMajorRadius() && other.GetMinorRadius() == arc.GetMinorRadius())
      return TRUE;
  }
  return FALSE;
}

void CWorkbenchView::SetAlignmentModes(int showMode, int snapMode)
{
  const int show = FlagForMode(showMode, kModeLine);
  const int snap = FlagForMode(snapMode, kModeLine);
  m_bAlignmentLinesOff = showMode;
  m_bSnapOff = snapMode;
  if (m_pItemList) {
    for (POSITION pos = m_pItemList->GetHeadPosition(); pos;) {
      auto* pItem = static_cast<CDesignItem*>(m_pItemList->GetNext(pos));
      pItem->SetShowAlignmentLines(show);
      pItem->SetSnapToAlignmentLines(snap);
      UpdateAlignmentEntities(pItem);
    }
  }
  if (GetSafeHwnd())
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CWorkbenchView::GetAlignmentModes(int& showMode, int& snapMode) const
{
  showMode = m_bAlignmentLinesOff ? 1 : 0;
  snapMode = m_bSnapOff ? 1 : 0;
}
