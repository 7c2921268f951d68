// The selectors on the Workbench view and the ready-made data it gives the drawing views: the
// plan records under the plan selector, the unit items for the elevation, the detail selectors
// made from the user's selection lines, and the display modes in which the selectors show.
#include <cmath>
#include <memory>

#include "document/Doc.h"
#include "document/Dochints.h"
#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "geometry/2drect.h"
#include "geometry/Angle.h"
#include "model/Entcat.h"
#include "model/Join.h"
#include "model/Planinfo.h"
#include "ui/frame/Frame.h"
#include "ui/wnd/WinApp.h"
#include "support/ComExcpt.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "workbench/items/Joinitem.h"
#include "workbench/items/Selector.h"
#include "workbench/items/Unititem.h"
#include "workbench/view/Wbview.h"

namespace {
constexpr const char* kModule = "Wbselect";
constexpr int kNoUnitEntitiesLine = 2131;
constexpr int kNoJoinEntitiesLine = 2152;
constexpr int kUnexpectedItemLine = 2173;
constexpr int kNoFootLine = 2384;
constexpr int kJoinMismatchLine = 2356;
// The selector line reaches this far either side of a selected side; 3 inches outward of a
// perimeter side or an arched head.
constexpr double kSelectorReach = 5.0;
constexpr double kOutwardReach = 3.0;
// The plan line sits this far above the bottom of the lowest unit in view.
constexpr double kPlanLineRise = 6.0;
constexpr UINT kCmdShowDetailView = 1805;

// One side of a detail selection: the unit item, its component and the crossing point.
struct CSelectedSide
{
  CUnitItem* pItem = nullptr;
  int component = -1;
  CVRX2DPoint point;
};

// TRUE when the line meets the entity on the entity itself.
BOOL Crosses(const CVRX2DLine& line, const CVRX2DEntity& entity)
{
  CVRX2DPointArray points;
  line.Intersect(entity, points);
  for (int i = 0; i < points.GetSize(); ++i)
    if (entity.Contains(*points[i]))
      return TRUE;
  return FALSE;
}

CVRX2DVector UnitNormal(const CVRX2DLine& side)
{
  const double a = side.GetAngle().GetRadians() + VRX_HALF_PI;
  return CVRX2DVector(std::cos(a), std::sin(a));
}

const CVRX2DEntity& ComponentOutline(CUnitItem* pItem, int component)
{
  return *pItem->GetComponentOutlines()->GetAt(component);
}

BOOL IsSide(const CJoinSide& joinSide, const CSelectedSide& side)
{
  return joinSide.m_pUnitItem == side.pItem && joinSide.m_nComponentIndex == side.component;
}

// The join of exactly the two crossed sides, in either order. Two units may be joined at more
// than one pair of sides; a join item whose product join could not be made gives no joining
// detail. None: the sides are drawn as two facing sides.
CJoinItem* FindJoinOfSides(const CObList& items, const CSelectedSide (&sides)[2])
{
  for (POSITION pos = items.GetHeadPosition(); pos;) {
    auto* pItem = static_cast<CDesignItem*>(items.GetNext(pos));
    if (pItem->GetItemType() != ditJoin)
      continue;
    auto* pJoinItem = static_cast<CJoinItem*>(pItem);
    const CJoinSide& first = pJoinItem->GetFirstSide();
    const CJoinSide& second = pJoinItem->GetSecondSide();
    const BOOL matches =
        (IsSide(first, sides[0]) && IsSide(second, sides[1])) || (IsSide(first, sides[1]) && IsSide(second, sides[0]));
    if (matches && pJoinItem->GetJoin())
      return pJoinItem;
  }
  return nullptr;
}

// The selector line of one selected side.
CVRX2DLine OneSideLine(const CSelectedSide& side)
{
  CVRX2DLine line(12, side.point, side.point);
  const CVRX2DEntity& e = ComponentOutline(side.pItem, side.component);
  if (e.GetType() == VRX_LINE) {
    const CVRX2DVector n = UnitNormal(static_cast<const CVRX2DLine&>(e));
    const double reach = e.GetCategory() == ecatPerimeterOutline ? kOutwardReach : kSelectorReach;
    line.SetStartPoint(side.point + CVRX2DVector(n.GetX() * kSelectorReach, n.GetY() * kSelectorReach));
    line.SetEndPoint(side.point - CVRX2DVector(n.GetX() * reach, n.GetY() * reach));
  } else if (e.GetType() == VRX_ARC) {
    const CVRX2DVector out(static_cast<const CVRX2DArc&>(e).GetCentre(), side.point);
    const double length = out.GetLength();
    const CVRX2DVector u = length > 0.0 ? CVRX2DVector(out.GetX() / length, out.GetY() / length) : CVRX2DVector();
    line.SetStartPoint(side.point - CVRX2DVector(u.GetX() * kSelectorReach, u.GetY() * kSelectorReach));
    line.SetEndPoint(side.point + CVRX2DVector(u.GetX() * kOutwardReach, u.GetY() * kOutwardReach));
  }
  return line;
}

// The foot of the perpendicular from the probe on a side taken without end.
CVRX2DPoint Foot(const CVRX2DLine& probe, const CVRX2DLine& side)
{
  CVRX2DPointArray points;
  probe.IntersectLine(side, points);
  if (points.GetSize() != 1)
    throw CAppFatalException(kModule, kNoFootLine);
  return *points[0];
}
}  // namespace

void CWorkbenchView::GetPlanViewInfo(double& selectorY, CPlanViewInfoArray* pInfo)
{
  PCTRACE(TT_WORKBENCH, TL_IMPORTANT)("GetPlanViewInfo() called. \n");
  pInfo->RemoveAll();
  selectorY = m_pPlanSelector->GetOffset().GetY();
  CVRX2DEntityArray selector;
  m_pPlanSelector->GetOutlineEntities(selector);
  const auto& line = static_cast<const CVRX2DLine&>(*selector[0]);
  CDesign* pDesign = GetDesign();
  if (!pDesign)
    return;
  CObList items;
  pDesign->GetUnitsInDesign(items, TRUE);
  PCTRACE(TT_WORKBENCH, TL_DETAIL)("Found %d units in design.\n", items.GetCount());
  for (POSITION pos = items.GetHeadPosition(); pos;) {
    auto* pItem = static_cast<CDesignItem*>(items.GetNext(pos));
    switch (pItem->GetItemType()) {
    case ditUnit: {
      PCTRACE(TT_WORKBENCH, TL_DETAIL)("Testing for intercept on a unit. \n");
      CVRX2DEntityArray outline;
      if (pItem->GetOutlineEntities(outline) == 0)
        throw CAppFatalException(kModule, kNoUnitEntitiesLine);
      for (int i = 0; i < outline.GetSize(); ++i) {
        if (!Crosses(line, *outline[i]))
          continue;
        auto* pUnitItem = static_cast<CUnitItem*>(pItem);
        PCTRACE(TT_WORKBENCH, TL_DETAIL)
        ("Intercept with a %s \n", (pUnitItem->GetType() + " " + pUnitItem->GetSubtype()).c_str());
        pInfo->Add(CPlanViewInfo(pItem->GetOffset().AsPoint(), pUnitItem->GetUnit()));
        break;
      }
      break;
    }
    case ditJoin: {
      PCTRACE(TT_WORKBENCH, TL_DETAIL)("Testing for intercept on a join. \n");
      auto* pJoinItem = static_cast<CJoinItem*>(pItem);
      CVRX2DEntityArray outline;
      if (pItem->GetOutlineEntities(outline) == 0)
        throw CAppFatalException(kModule, kNoJoinEntitiesLine);
      // Only a vertical centre line stands in the plan; the record sits at the join's left edge.
      if (outline[0]->GetType() != VRX_LINE || !static_cast<const CVRX2DLine&>(*outline[0]).IsVertical())
        break;
      const auto& joinLine = static_cast<const CVRX2DLine&>(*outline[0]);
      CJoin* pJoin = pJoinItem->GetJoin();
      if (!pJoin || !Crosses(line, joinLine))
        break;
      CVRX2DPoint p = pItem->GetOffset().AsPoint();
      const double shift =
          joinLine.GetAngle() == CVRXAngle(VRX_HALF_PI) ? pJoin->GetFirstOffset() : pJoin->GetSecondOffset();
      p = CVRX2DPoint(p.GetX() - shift, p.GetY());
      pInfo->Add(CPlanViewInfo(p, pJoin));
      break;
    }
    default:
      throw CAppFatalException(kModule, kUnexpectedItemLine);
    }
  }
}

BOOL CWorkbenchView::GetElevationViewItems(CObList& items)
{
  PCTRACE(TT_WORKBENCH, TL_IMPORTANT)("GetElevationViewItems() called. \n");
  CDesign* pDesign = GetDesign();
  if (!pDesign) {
    items.RemoveAll();
    return FALSE;
  }
  const BOOL found = pDesign->GetUnitsInDesign(items, FALSE);
  PCTRACE(TT_WORKBENCH, TL_DETAIL)("Found %d units in design.\n", items.GetCount());
  return found;
}

BOOL CWorkbenchView::GetElevationViewUnits(CElevationViewInfoArray& units)
{
  units.RemoveAll();
  CObList items;
  if (!GetElevationViewItems(items))
    return FALSE;
  for (POSITION pos = items.GetHeadPosition(); pos;) {
    auto* pItem = static_cast<CUnitItem*>(items.GetNext(pos));
    units.Add(CElevationViewInfo(pItem->GetOffset(), pItem->GetUnit()));
  }
  return TRUE;
}

BOOL CWorkbenchView::CreateDetailSelector(CVRX2DLine line)
{
  PCTRACE(TT_WORKBENCH, TL_IMPORTANT)("CreateDetailSelector() called. \n");
  CDesign* pDesign = GetDesign();
  if (!pDesign)
    return FALSE;
  CObList items;
  pDesign->GetUnitsInDesign(items, TRUE);
  std::unique_ptr<CDetailSelectorItem> selector;
  // A unit that cannot give its detail (its unit or the catalogue failing) selects nothing.
  try {
    CSelectedSide sides[2];
    int found = 0;
    for (POSITION pos = items.GetHeadPosition(); pos;) {
      auto* pItem = static_cast<CDesignItem*>(items.GetNext(pos));
      if (pItem->GetItemType() != ditUnit)
        continue;
      auto* pUnitItem = static_cast<CUnitItem*>(pItem);
      CSelectedSide side;
      side.pItem = pUnitItem;
      if (!pUnitItem->IntersectComponent(line, &side.component, &side.point))
        continue;
      if (side.component < 0 || found == 2)
        return FALSE;
      sides[found++] = side;
    }
    if (found == 0)
      return FALSE;
    if (found == 1) {
      selector = std::make_unique<CDetailSelectorItem>(OneSideLine(sides[0]), sides[0].pItem, sides[0].component,
                                                       nullptr, 0, 0.0, nullptr);
    } else {
      const CVRX2DEntity& e1 = ComponentOutline(sides[0].pItem, sides[0].component);
      const CVRX2DEntity& e2 = ComponentOutline(sides[1].pItem, sides[1].component);
      if (e1.GetType() != VRX_LINE || e2.GetType() != VRX_LINE)
        return FALSE;
      const auto& side1 = static_cast<const CVRX2DLine&>(e1);
      const auto& side2 = static_cast<const CVRX2DLine&>(e2);
      if (!side1.IsParallel(side2))
        return FALSE;
      CJoinItem* pJoinItem = FindJoinOfSides(items, sides);
      if (pJoinItem && (!pJoinItem->JoinsUnit(sides[0].pItem) || !pJoinItem->JoinsUnit(sides[1].pItem) ||
                        !pJoinItem->GetLine().IsParallel(side1)))
        throw CAppFatalException(kModule, kJoinMismatchLine);
      const CVRX2DPoint m((sides[0].point.GetX() + sides[1].point.GetX()) / 2.0,
                          (sides[0].point.GetY() + sides[1].point.GetY()) / 2.0);
      const CVRX2DVector n = UnitNormal(side1);
      const CVRX2DLine probe(0, m, m + n);
      const CVRX2DPoint p1 = Foot(probe, side1);
      const CVRX2DPoint p2 = Foot(probe, side2);
      // The two sides must face each other.
      if (!side1.Contains(p1) || !side2.Contains(p2))
        return FALSE;
      const CVRX2DLine selectorLine(ecatSelectionLine,
                                    p1 + CVRX2DVector(n.GetX() * kSelectorReach, n.GetY() * kSelectorReach),
                                    p2 - CVRX2DVector(n.GetX() * kSelectorReach, n.GetY() * kSelectorReach));
      selector = std::make_unique<CDetailSelectorItem>(selectorLine, sides[0].pItem, sides[0].component, sides[1].pItem,
                                                       sides[1].component, p1.DistanceTo(p2), pJoinItem);
    }
  } catch (const CAppFatalException&) {
    throw;
  } catch (const CCommonException& e) {
    PCTRACE(TT_WORKBENCH, TL_WARNING)("CreateDetailSelector() failed: %s\n", e.GetErrorMessage().c_str());
    return FALSE;
  }
  CDetailSelectorItem* pSelector = selector.release();
  m_SelectorItems.AddTail(pSelector);
  DeselectAll();
  Select(pSelector);
  pSelector->Invalidate(this);
  if (CDocument* pDoc = GetDocument())
    pDoc->UpdateAllViews(nullptr, kHintDetailSelector, pSelector);
  return TRUE;
}

BOOL CWorkbenchView::HitTestSelectors(CPoint point, CDesignItem*& pItem)
{
  pItem = nullptr;
  const CVRX2DPoint world = ClientToWorld(point);
  for (POSITION pos = m_SelectorItems.GetHeadPosition(); pos;) {
    auto* pSelector = static_cast<CDesignItem*>(m_SelectorItems.GetNext(pos));
    const int type = pSelector->GetItemType();
    const BOOL shown =
        (type == ditPlanSelector && m_bPlanViewShown) || (type == ditDetailSelector && m_bDetailViewShown);
    if (shown && pSelector->HitTest(world, this)) {
      pItem = pSelector;
      return TRUE;
    }
  }
  return FALSE;
}

void CWorkbenchView::ChooseToolForPoint(CPoint point)
{
  if (!IsSelectorModeOff())
    SetCurrentTool(wbtView);
  if (m_bDetailViewShown)
    SetCurrentTool(wbtDetailSelector);
  if (m_bPlanViewShown && m_pPlanSelector->HitTest(ClientToWorld(point), this))
    SetCurrentTool(wbtPlanSelector);
}

void CWorkbenchView::OnPlanViewShow()
{
  PCTRACE(TT_WORKBENCH, TL_IMPORTANT)("OnPlanViewShow() called. \n");
  if (IsSelectorModeOff())
    DeselectAll();
  m_bPlanViewShown = TRUE;
  SetReadOnly(TRUE);
  const CVRX2DRectangle visible = ClientToWorld(GetClientRect());
  const double minY = visible.GetMinPoint().GetY();
  const double maxY = visible.GetMaxPoint().GetY();
  double best = maxY;
  CObList units;
  if (CDesign* pDesign = GetDesign())
    pDesign->GetUnitsInDesign(units, FALSE);
  for (POSITION pos = units.GetHeadPosition(); pos;) {
    const double y = static_cast<CDesignItem*>(units.GetNext(pos))->GetOffset().GetY();
    // A unit standing on the bottom edge of the window is in view.
    if (minY <= y && y < maxY && y < best)
      best = y;
  }
  if (best >= maxY)
    best = minY;
  m_pPlanSelector->Offset(CVRX2DVector(0.0, best - m_pPlanSelector->GetOffset().GetY() + kPlanLineRise));
  if (CDocument* pDoc = GetDocument())
    pDoc->UpdateAllViews(nullptr, kHintPlan);
  Invalidate(TRUE);
}

void CWorkbenchView::OnPlanViewHide()
{
  PCTRACE(TT_WORKBENCH, TL_IMPORTANT)("OnPlanViewHide() called. \n");
  m_bPlanViewShown = FALSE;
  SetReadOnly(FALSE);
  Invalidate(TRUE);
}

void CWorkbenchView::OnElevationViewShow()
{
  PCTRACE(TT_WORKBENCH, TL_IMPORTANT)("OnElevationViewShow() called. \n");
  if (IsSelectorModeOff())
    DeselectAll();
  m_bElevationViewShown = TRUE;
  SetReadOnly(TRUE);
  if (CDocument* pDoc = GetDocument())
    pDoc->UpdateAllViews(nullptr, kHintElevation);
}

void CWorkbenchView::OnElevationViewHide()
{
  PCTRACE(TT_WORKBENCH, TL_IMPORTANT)("OnElevationViewHide() called. \n");
  m_bElevationViewShown = FALSE;
  SetReadOnly(FALSE);
}

void CWorkbenchView::OnDetailViewShow()
{
  PCTRACE(TT_WORKBENCH, TL_IMPORTANT)("OnDetailViewShow() called. \n");
  if (IsSelectorModeOff())
    DeselectAll();
  m_bDetailViewShown = TRUE;
  SetReadOnly(TRUE);
  CDesignItem* pShown = nullptr;
  for (POSITION pos = m_SelectorItems.GetHeadPosition(); pos && !pShown;) {
    auto* pSelector = static_cast<CDesignItem*>(m_SelectorItems.GetNext(pos));
    if (pSelector->GetItemType() == ditDetailSelector && IsSelected(pSelector))
      pShown = pSelector;
  }
  if (CDocument* pDoc = GetDocument())
    pDoc->UpdateAllViews(nullptr, kHintDetailSelector, pShown);
  Invalidate(TRUE);
}

void CWorkbenchView::OnDetailViewHide()
{
  PCTRACE(TT_WORKBENCH, TL_IMPORTANT)("OnDetailViewHide() called. \n");
  m_bDetailViewShown = FALSE;
  SetReadOnly(FALSE);
  DeselectAll();
  int removed = 0;
  while (m_SelectorItems.GetCount() > 1) {
    delete static_cast<CDesignItem*>(m_SelectorItems.RemoveTail());
    ++removed;
  }
  PCTRACE(TT_WORKBENCH, TL_IMPORTANT)("Removed %d items from the selector list. \n", removed);
  // A detail view that stays open holds a copy of a selector that is gone now.
  if (CDocument* pDoc = GetDocument())
    pDoc->UpdateAllViews(nullptr, kHintDetailSelector, nullptr);
  Invalidate(TRUE);
}

void CWorkbenchView::OnShowDetail()
{
  CDoc* pDoc = GetDoc();
  if (!pDoc)
    return;
  if (!pDoc->GetDetailView())
    if (CWnd* pMain = AfxGetMainWnd())
      pMain->SendMessage(WM_COMMAND, kCmdShowDetailView);
  if (m_SelectedItems.GetCount() != 1)
    return;
  auto* pItem = static_cast<CDesignItem*>(m_SelectedItems.GetHead());
  if (pItem->GetItemType() != ditDetailSelector)
    return;
  pDoc->UpdateAllViews(nullptr, kHintDetailSelector, pItem);
  if (CView* pDetail = pDoc->GetDetailView())
    if (CFrameWnd* pFrame = pDetail->GetParentFrame())
      pFrame->ActivateFrame(-1);
}
