// Guards what the selectors give the drawing views: the plan records of the units under the plan
// selector in design order, the unit items for the elevation, detail selectors made from a
// select line dragged with the real mouse, the display modes with the hints they send, and the
// tools the modes choose at the pointer.
#include <cmath>
#include <vector>

#include "WbGuiFixture.h"
#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "model/Planinfo.h"
#include "model/Unit.h"
#include "model/Unitexcp.h"
#include "workbench/tools/Wbtools.h"
#include "workbench/items/Selector.h"
#include "workbench/frame/Wbids.h"

namespace {
// A view of the project that only records the updates it is sent.
class CHintSpy : public CView
{
public:
  struct CUpdate
  {
    LPARAM hint;
    CObject* pHint;
  };
  void OnDraw(CDC*) override {}
  void OnUpdate(CView*, LPARAM lHint, CObject* pHint) override { updates.push_back({lHint, pHint}); }
  int Count(LPARAM hint) const
  {
    int n = 0;
    for (const CUpdate& update : updates)
      n += update.hint == hint ? 1 : 0;
    return n;
  }
  std::vector<CUpdate> updates;
};

// A unit item whose unit fails once it is armed, as a unit does when the catalogue lets it down.
class CFailingUnitItem : public CUnitItem
{
public:
  using CUnitItem::CUnitItem;
  CUnit* GetUnit() override
  {
    if (failing)
      throw CUnitException("Test", 1);
    return CUnitItem::GetUnit();
  }
  BOOL failing = FALSE;
};

constexpr UINT kPlanViewOn = 1506;
constexpr UINT kPlanViewOff = 1507;
constexpr UINT kElevationViewOn = 1606;
constexpr UINT kDetailViewOn = 1706;
constexpr UINT kDetailViewOff = 1707;

class WbSelectorTest : public WorkbenchGuiTest
{
protected:
  void SetUp() override
  {
    WorkbenchGuiTest::SetUp();
    StartProgram();
    m_pDoc->AddView(&spy);
  }
  void TearDown() override
  {
    if (m_pDoc && m_pDoc->GetWorkbenchView())
      m_pDoc->RemoveView(&spy);
    WorkbenchGuiTest::TearDown();
  }
  CUnitItem* PlaceGlider(double x, double y)
  {
    CUnitItem* pItem = PlaceUnit(CommandFor("GL", "BA005"), CPoint(20, 20));
    if (pItem)
      pItem->Offset(CVRX2DVector(x, y) - pItem->GetOffset());
    return pItem;
  }
  void ViewCommand(UINT nID)
  {
    View()->SendMessage(WM_COMMAND, nID);
    Pump();
  }
  CDetailSelectorItem* LastDetailSelector() const
  {
    return dynamic_cast<CDetailSelectorItem*>(static_cast<CObject*>(View()->GetSelectorItems().GetTail()));
  }
  // The vertical perimeter side of the unit with the smallest x, and the distance to the next
  // vertical component to its right.
  int LeftSide(CUnitItem* pItem, double& room)
  {
    CVRX2DEntityArray* pOutlines = pItem->GetComponentOutlines();
    int left = -1;
    for (int i = 0; i < pOutlines->GetSize(); ++i) {
      auto* pLine = dynamic_cast<CVRX2DLine*>(pOutlines->GetAt(i));
      if (pLine && pLine->IsVertical() &&
          (left < 0 ||
           pLine->GetStartPoint().GetX() < static_cast<CVRX2DLine*>(pOutlines->GetAt(left))->GetStartPoint().GetX()))
        left = i;
    }
    room = 1e9;
    const double x = static_cast<CVRX2DLine*>(pOutlines->GetAt(left))->GetStartPoint().GetX();
    for (int i = 0; i < pOutlines->GetSize(); ++i) {
      auto* pLine = dynamic_cast<CVRX2DLine*>(pOutlines->GetAt(i));
      if (i != left && pLine && pLine->IsVertical() && pLine->GetStartPoint().GetX() > x + 1e-6)
        room = std::min(room, pLine->GetStartPoint().GetX() - x);
    }
    return left;
  }

  CHintSpy spy;
};
}  // namespace

TEST_F(WbSelectorTest, PlanRecordsFollowTheDesignOrderAndOnlyCrossedUnits)
{
  // Placed right one first: the records keep the design's order, not the order of x.
  CUnitItem* pRight = PlaceGlider(200.0, 100.0);
  CUnitItem* pLeft = PlaceGlider(100.0, 110.0);
  CUnitItem* pHigh = PlaceGlider(300.0, 400.0);
  ASSERT_TRUE(pRight && pLeft && pHigh);
  CPlanSelectorItem* pSelector = View()->GetPlanSelector();
  pSelector->Offset(CVRX2DVector(0.0, 115.0 - pSelector->GetOffset().GetY()));

  // Asked as a drawing view asks, through the document's view of the Workbench.
  auto* pSource = dynamic_cast<CAspectDataSource*>(m_pDoc->GetWorkbenchView());
  ASSERT_NE(pSource, nullptr);
  CPlanViewInfoArray records;
  double height = -1.0;
  pSource->GetPlanViewInfo(height, &records);
  EXPECT_DOUBLE_EQ(height, 115.0);
  ASSERT_EQ(records.GetSize(), 2);
  EXPECT_EQ(records[0].m_Position, CVRX2DPoint(200.0, 100.0));
  EXPECT_EQ(records[0].m_pUnit, pRight->GetUnit());
  EXPECT_EQ(records[0].m_pJoin, nullptr);
  EXPECT_EQ(records[1].m_Position, CVRX2DPoint(100.0, 110.0));
  EXPECT_EQ(records[1].m_pUnit, pLeft->GetUnit());

  // A line touching the bottom of a unit meets two of its sides at the corners: one record.
  pSelector->Offset(CVRX2DVector(0.0, 400.0 - pSelector->GetOffset().GetY()));
  View()->GetPlanViewInfo(height, &records);
  ASSERT_EQ(records.GetSize(), 1);
  EXPECT_EQ(records[0].m_pUnit, pHigh->GetUnit());

  // Below every unit: nothing, and the height still reported; the array is emptied first.
  pSelector->Offset(CVRX2DVector(0.0, 50.0 - pSelector->GetOffset().GetY()));
  View()->GetPlanViewInfo(height, &records);
  EXPECT_EQ(records.GetSize(), 0);
  EXPECT_DOUBLE_EQ(height, 50.0);
}

TEST_F(WbSelectorTest, ElevationItemsAreTheUnitItemsInDesignOrder)
{
  CObList items;
  EXPECT_FALSE(View()->GetElevationViewItems(items));
  CUnitItem* pFirst = PlaceGlider(300.0, 100.0);
  CUnitItem* pSecond = PlaceGlider(100.0, 100.0);
  ASSERT_TRUE(pFirst && pSecond);
  items.AddTail(pFirst);
  ASSERT_TRUE(View()->GetElevationViewItems(items));
  ASSERT_EQ(items.GetCount(), 2);
  EXPECT_EQ(items.GetHead(), pFirst);
  EXPECT_EQ(items.GetTail(), pSecond);

  // A view with no design edited has nothing to give.
  CWorkbenchView lone;
  EXPECT_FALSE(lone.GetElevationViewItems(items));
  EXPECT_TRUE(items.IsEmpty());
  CPlanViewInfoArray records;
  records.Add(CPlanViewInfo());
  double height = -1.0;
  lone.GetPlanViewInfo(height, &records);
  EXPECT_EQ(records.GetSize(), 0);
  EXPECT_DOUBLE_EQ(height, 0.0);
}

TEST_F(WbSelectorTest, PlanModeCutsSixInchesAboveTheLowestUnitInView)
{
  const CVRX2DRectangle visible = View()->ClientToWorld(View()->GetClientRect());
  const double minY = visible.GetMinPoint().GetY();
  const double x = visible.GetMinPoint().GetX() + 10.0;
  // One unit stands on the window's bottom edge, one a little higher.
  ASSERT_NE(PlaceGlider(x, minY + 3.0), nullptr);
  ASSERT_NE(PlaceGlider(x + 60.0, minY), nullptr);
  ViewCommand(kPlanViewOn);
  EXPECT_TRUE(View()->IsPlanViewShown());
  EXPECT_EQ(View()->GetEditMode(), wemReadOnly);
  EXPECT_EQ(View()->GetCurrentTool(), View()->GetTool(wbtView));
  EXPECT_NEAR(View()->GetPlanSelector()->GetOffset().GetY(), minY + 6.0, 1e-9);
  EXPECT_EQ(spy.Count(1), 1);
  // Drawn in plan mode: the bar's fill masked over the white Workbench, the line in black.
  Pump();
  const CRect bar = View()->GetPlanSelector()->GetBarRect(View());
  const int lineY = View()->WorldToClient(View()->GetPlanSelector()->GetOffset().AsPoint()).y;
  EXPECT_EQ(View()->GetSurfacePixel(bar.right - 3, bar.top + 1), RGB(224, 224, 224));
  EXPECT_EQ(View()->GetSurfacePixel(bar.right - 3, lineY), RGB(0, 0, 0));
  CPlanViewInfoArray records;
  double height = 0.0;
  View()->GetPlanViewInfo(height, &records);
  EXPECT_EQ(records.GetSize(), 2);

  ViewCommand(kPlanViewOff);
  EXPECT_FALSE(View()->IsPlanViewShown());
  EXPECT_EQ(View()->GetEditMode(), wemEditable);
}

TEST_F(WbSelectorTest, ThePlanSelectorMovesOnlyUpAndIsHitOnItsBarNotItsLabel)
{
  CPlanSelectorItem* pSelector = View()->GetPlanSelector();
  const CRect client = View()->GetClientRect();
  const CVRX2DPoint middle = View()->ClientToWorld(CPoint(client.Width() / 2, client.Height() / 2));
  pSelector->Offset(CVRX2DVector(35.0, middle.GetY() - pSelector->GetOffset().GetY()));
  EXPECT_EQ(pSelector->GetOffset().GetX(), 0.0);
  EXPECT_DOUBLE_EQ(pSelector->GetOffset().GetY(), middle.GetY());

  const CRect bar = pSelector->GetBarRect(View());
  EXPECT_EQ(bar.left, 0);
  EXPECT_EQ(bar.Height(), CPlanSelectorItem::kBarHeight);
  EXPECT_TRUE(pSelector->HitTest(View()->ClientToWorld(CPoint(client.Width() - 10, bar.top)), View()));
  const CRect label = pSelector->GetLabelRect(View());
  EXPECT_LT(label.top, bar.top) << "the label sits above the line away from the window's top";
  EXPECT_FALSE(pSelector->HitTest(View()->ClientToWorld(CPoint(label.left + 5, label.top + 1)), View()));

  // A drawing narrower than the window ends the bar at the drawing's right edge.
  Frame()->MoveWindow(0, 0, 1000, 400);
  View()->SetScaleFactor(0.005, TRUE);
  Pump();
  EXPECT_LT(View()->GetTotalDeviceSize().cx, View()->GetClientRect().Width());
  EXPECT_EQ(pSelector->GetBarRect(View()).right, View()->GetTotalDeviceSize().cx + 1);
  View()->SetScaleFactor(1.0 / 24.0, TRUE);

  // Near the top of the window the label goes below the line.
  const CVRX2DPoint top = View()->ClientToWorld(CPoint(0, 2));
  pSelector->Offset(CVRX2DVector(0.0, top.GetY() - pSelector->GetOffset().GetY()));
  EXPECT_GE(pSelector->GetLabelRect(View()).top, pSelector->GetBarRect(View()).top);

  // Copies of selectors: the plan selector's is a plain selector.
  std::unique_ptr<CDesignItem> copy(pSelector->Clone());
  EXPECT_EQ(copy->GetItemType(), ditBase);
  EXPECT_EQ(dynamic_cast<CPlanSelectorItem*>(copy.get()), nullptr);
}

TEST_F(WbSelectorTest, ASelectLineDraggedAcrossAUnitSideMakesAOneSideDetailSelector)
{
  CUnitItem* pItem = PlaceGlider(200.0, 200.0);
  ASSERT_NE(pItem, nullptr);
  View()->SetScaleFactor(0.25, TRUE);
  const CVRX2DPoint anchor = View()->ClientToWorld(CPoint(200, 150));
  pItem->Offset(CVRX2DVector(anchor.GetX(), anchor.GetY() - pItem->GetHeight() / 2.0) - pItem->GetOffset());
  double room = 0.0;
  const int side = LeftSide(pItem, room);
  ASSERT_GE(side, 0);
  auto* pSide = static_cast<CVRX2DLine*>(pItem->GetComponentOutlines()->GetAt(side));
  const double sideX = pSide->GetStartPoint().GetX();
  const double y = pItem->GetOffset().GetY() + pItem->GetHeight() / 2.0;

  ViewCommand(kDetailViewOn);
  EXPECT_TRUE(View()->IsDetailViewShown());
  EXPECT_EQ(spy.Count(2), 1);
  EXPECT_EQ(spy.updates.back().pHint, nullptr) << "no detail selector yet";

  // From two inches outside the side to a point inside it short of the next component.
  const CPoint from = View()->WorldToClient(CVRX2DPoint(sideX - 2.0, y));
  const CPoint to = View()->WorldToClient(CVRX2DPoint(sideX + std::min(room / 2.0, 2.0), y));
  ASSERT_GT(to.x - from.x, 8);
  Drag(from, to);

  ASSERT_EQ(View()->GetSelectorItems().GetCount(), 2);
  CDetailSelectorItem* pSelector = LastDetailSelector();
  ASSERT_NE(pSelector, nullptr);
  EXPECT_EQ(pSelector->GetDetailKind(), dkOneSide);
  EXPECT_EQ(pSelector->GetFirstUnitItem(), pItem);
  EXPECT_EQ(pSelector->GetSecondUnitItem(), nullptr);
  EXPECT_EQ(pSelector->GetJoinItem(), nullptr);
  EXPECT_EQ(pSelector->GetFirstDetailSpec().GetDetailID(),
            pItem->GetUnit()->GetDetailSpecification(side).GetDetailID());
  EXPECT_EQ(pSelector->GetSecondDetailSpec().GetDetailID(), CDetailSpecification().GetDetailID());
  EXPECT_EQ(pSelector->GetDetailOffset(), 0.0);
  EXPECT_EQ(pSelector->GetJoinSideSpacing(), 0.0);
  EXPECT_TRUE(View()->IsSelected(pSelector));
  EXPECT_TRUE(pSelector->IsSelectorSelected());
  EXPECT_EQ(spy.Count(2), 2);
  EXPECT_EQ(spy.updates.back().pHint, pSelector);

  // The selector line stands across the side, 5 inches to one side of the crossing and 3 (a
  // perimeter side) or 5 to the other; its start is the item's position.
  const CVRX2DLine line = pSelector->GetSelectorLine();
  const double outward = pSide->GetCategory() == 20 ? 3.0 : 5.0;
  EXPECT_TRUE(line.IsHorizontal());
  EXPECT_NEAR(line.GetLength(), 5.0 + outward, 1e-9);
  EXPECT_NEAR(line.GetStartPoint().GetY(), y, 1e-6);
  const double start = line.GetStartPoint().GetX() - sideX;
  const double end = line.GetEndPoint().GetX() - sideX;
  EXPECT_NEAR(std::abs(start), 5.0, 1e-6);
  EXPECT_NEAR(std::abs(end), outward, 1e-6);
  EXPECT_LT(start * end, 0.0);
  EXPECT_EQ(pSelector->GetOffset(), line.GetStartPoint().AsVector());

  // Hit within 5 pixels of the line at any zoom, not at 7.
  for (double scale : {0.5, 0.1}) {
    View()->SetScaleFactor(scale, TRUE);
    const CPoint mid =
        View()->WorldToClient(CVRX2DPoint((line.GetStartPoint().GetX() + line.GetEndPoint().GetX()) / 2, y));
    EXPECT_TRUE(pSelector->HitTest(View()->ClientToWorld(CPoint(mid.x, mid.y + 4)), View())) << scale;
    EXPECT_FALSE(pSelector->HitTest(View()->ClientToWorld(CPoint(mid.x, mid.y + 7)), View())) << scale;
  }

  // The detail view's copy: same data, not selected.
  std::unique_ptr<CDesignItem> copy(pSelector->Clone());
  auto* pCopy = dynamic_cast<CDetailSelectorItem*>(copy.get());
  ASSERT_NE(pCopy, nullptr);
  EXPECT_FALSE(pCopy->IsSelectorSelected());
  EXPECT_EQ(pCopy->GetFirstUnitItem(), pItem);
  EXPECT_EQ(pCopy->GetSelectorLine().GetEndPoint(), line.GetEndPoint());
  EXPECT_EQ(pCopy->GetFirstDetailSpec().GetDetailID(), pSelector->GetFirstDetailSpec().GetDetailID());

  // Drawn in detail mode: the end mark of a selected selector is filled with its colour, of an
  // unselected one with white.
  View()->Invalidate(TRUE);
  Pump();
  const CPoint mark = pSelector->GetEndMarkRect(View()).CenterPoint();
  EXPECT_EQ(View()->GetSurfacePixel(mark.x, mark.y), pSelector->GetColor());
  EXPECT_NE(pSelector->GetColor(), RGB(255, 255, 255));
  View()->DeselectAll();
  Pump();
  EXPECT_EQ(View()->GetSurfacePixel(mark.x, mark.y), RGB(255, 255, 255));
  View()->Select(pSelector);
  Pump();

  // A click on the selected selector shows its detail again.
  const CPoint onLine = View()->WorldToClient(
      CVRX2DPoint((line.GetStartPoint().GetX() + line.GetEndPoint().GetX()) / 2, line.GetStartPoint().GetY()));
  Click(onLine);
  EXPECT_EQ(View()->GetSelectorItems().GetCount(), 2) << "a click on a selector draws no new one";
  EXPECT_EQ(spy.Count(2), 3);
  EXPECT_EQ(spy.updates.back().pHint, pSelector);

  // Leaving detail mode deletes the detail selectors, keeps the plan selector and tells the
  // detail view that no selector is left.
  ViewCommand(kDetailViewOff);
  EXPECT_EQ(View()->GetSelectorItems().GetCount(), 1);
  EXPECT_EQ(View()->GetSelectorItems().GetHead(), View()->GetPlanSelector());
  EXPECT_EQ(spy.Count(2), 4);
  EXPECT_EQ(spy.updates.back().pHint, nullptr);
  EXPECT_EQ(View()->GetEditMode(), wemEditable);
}

TEST_F(WbSelectorTest, RemoveSelectorDeletesTheSelectedDetailSelectorAndSaysSo)
{
  CUnitItem* pItem = PlaceGlider(100.0, 100.0);
  ASSERT_NE(pItem, nullptr);
  ViewCommand(kDetailViewOn);
  const double y = 100.0 + pItem->GetHeight() / 2.0;
  ASSERT_TRUE(View()->CreateDetailSelector(CVRX2DLine(12, CVRX2DPoint(99.0, y), CVRX2DPoint(100.01, y))));
  CDetailSelectorItem* pSelector = LastDetailSelector();
  ASSERT_TRUE(View()->IsSelected(pSelector));
  const int before = spy.Count(2);
  ViewCommand(ID_REMOVE_DETAIL_SELECTOR);
  EXPECT_EQ(View()->GetSelectorItems().GetCount(), 1);
  EXPECT_EQ(View()->GetSelectedCount(FALSE), 0);
  EXPECT_EQ(spy.Count(2), before + 1);
  EXPECT_EQ(spy.updates.back().pHint, nullptr);
  EXPECT_EQ(View()->GetItemList()->GetCount(), 1) << "the unit stays";
}

TEST_F(WbSelectorTest, TwoFacingSidesMakeATwoSideSelectorAtTheirDistance)
{
  CUnitItem* pLeft = PlaceGlider(100.0, 100.0);
  ASSERT_NE(pLeft, nullptr);
  const double gap = 7.5;
  CUnitItem* pRight = PlaceGlider(100.0 + pLeft->GetWidth() + gap, 100.0);
  ASSERT_NE(pRight, nullptr);
  const double y = 100.0 + pLeft->GetHeight() / 2.0;
  const double rightOfLeft = 100.0 + pLeft->GetWidth();
  const double leftOfRight = rightOfLeft + gap;
  // Just inside each unit, so that only the two facing sides are crossed.
  const CVRX2DLine across(12, CVRX2DPoint(rightOfLeft - 0.01, y), CVRX2DPoint(leftOfRight + 0.01, y + 0.5));
  ASSERT_TRUE(View()->CreateDetailSelector(across));
  CDetailSelectorItem* pSelector = LastDetailSelector();
  ASSERT_NE(pSelector, nullptr);
  EXPECT_EQ(pSelector->GetDetailKind(), dkTwoSides);
  EXPECT_EQ(pSelector->GetFirstUnitItem(), pLeft);
  EXPECT_EQ(pSelector->GetSecondUnitItem(), pRight);
  EXPECT_NEAR(pSelector->GetDetailOffset(), gap, 1e-9);
  // The feet of the common perpendicular, 5 inches beyond each side.
  const CVRX2DLine line = pSelector->GetSelectorLine();
  EXPECT_TRUE(line.IsHorizontal());
  EXPECT_NEAR(line.GetLength(), gap + 10.0, 1e-9);
  EXPECT_NEAR(line.GetStartPoint().GetY(), y + 0.25, 1e-9);
  EXPECT_EQ(spy.updates.back().hint, 2);
  EXPECT_EQ(spy.updates.back().pHint, pSelector);

  // Two sides of one unit, or sides that do not face each other: nothing.
  const int count = View()->GetSelectorItems().GetCount();
  EXPECT_FALSE(View()->CreateDetailSelector(CVRX2DLine(12, CVRX2DPoint(90.0, y), CVRX2DPoint(rightOfLeft + 1.0, y))));
  const double h = pLeft->GetHeight();
  pRight->Offset(CVRX2DVector(0.0, 50.0 + h));
  EXPECT_FALSE(View()->CreateDetailSelector(
      CVRX2DLine(12, CVRX2DPoint(rightOfLeft - 0.01, y), CVRX2DPoint(leftOfRight + 0.01, 150.0 + 1.5 * h))));
  EXPECT_EQ(View()->GetSelectorItems().GetCount(), count);
}

TEST_F(WbSelectorTest, TheDisplayModesChooseTheToolAtThePointer)
{
  ASSERT_NE(PlaceGlider(100.0, 100.0), nullptr);
  const CRect client = View()->GetClientRect();
  const CPoint empty(client.Width() - 20, 20);
  SendMouse(View(), QEvent::MouseMove, empty, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(View()->GetCurrentTool(), View()->GetTool(wbtSelect)) << "no mode: the tool stays";

  ViewCommand(kPlanViewOn);
  const CPoint onBar(client.Width() / 2, View()->WorldToClient(View()->GetPlanSelector()->GetOffset().AsPoint()).y);
  ASSERT_GT(onBar.y, 0);
  ASSERT_LT(onBar.y, client.Height());
  SendMouse(View(), QEvent::MouseMove, onBar, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(View()->GetCurrentTool(), View()->GetTool(wbtPlanSelector));
  SendMouse(View(), QEvent::MouseMove, CPoint(onBar.x, onBar.y + 20), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(View()->GetCurrentTool(), View()->GetTool(wbtView));

  ViewCommand(kElevationViewOn);
  ViewCommand(kDetailViewOn);
  SendMouse(View(), QEvent::MouseMove, CPoint(onBar.x, onBar.y + 20), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(View()->GetCurrentTool(), View()->GetTool(wbtDetailSelector));
  auto* pDetailTool = static_cast<CDetailSelectorTool*>(View()->GetTool(wbtDetailSelector));
  EXPECT_NE(::GetCursor(), nullptr);
  EXPECT_EQ(::GetCursor(), pDetailTool->GetCursor());
  // Over the plan selector while the plan view is shown, the plan selector tool wins.
  SendMouse(View(), QEvent::MouseMove, onBar, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(View()->GetCurrentTool(), View()->GetTool(wbtPlanSelector));
  EXPECT_EQ(::GetCursor(), static_cast<CPlanSelectorTool*>(View()->GetTool(wbtPlanSelector))->GetCursor());
  EXPECT_EQ(spy.Count(3), 1);
}

// The plan selector is dragged by its bar through the plan selector tool, up and down only.
TEST_F(WbSelectorTest, ThePlanSelectorIsDraggedUpAndDownByItsBar)
{
  ASSERT_NE(PlaceGlider(100.0, 100.0), nullptr);
  const CRect client = View()->GetClientRect();
  ViewCommand(kPlanViewOn);
  CPlanSelectorItem* pSelector = View()->GetPlanSelector();
  const CVRX2DVector before = pSelector->GetOffset();
  const CPoint onBar(client.Width() / 2, View()->WorldToClient(before.AsPoint()).y);
  ASSERT_GT(onBar.y, 40);
  SendMouse(View(), QEvent::MouseMove, onBar, Qt::NoButton, Qt::NoButton);
  ASSERT_EQ(View()->GetCurrentTool(), View()->GetTool(wbtPlanSelector));
  const CPoint to(onBar.x + 40, onBar.y - 30);
  Drag(onBar, to);
  const CVRX2DVector moved = View()->ClientToWorld(to) - View()->ClientToWorld(onBar);
  EXPECT_NEAR(pSelector->GetOffset().GetY(), before.GetY() + moved.GetY(), 1e-6);
  EXPECT_EQ(pSelector->GetOffset().GetX(), before.GetX()) << "the line never moves sideways";
  // Zoomed out past the square, where the window shows space beyond it: a drag there stops the
  // line at the square's edge.
  View()->SetScaleFactor(View()->GetFitScaleFactor(FALSE) / 2.0, TRUE);
  Pump();
  const CRect area = View()->GetClientRect();
  const int top = View()->WorldToClient(CVRX2DPoint(0.0, kWorkbenchSquare)).y;
  const int bottom = View()->WorldToClient(CVRX2DPoint(0.0, 0.0)).y;
  const bool above = top > area.top + 20;
  ASSERT_TRUE(above || bottom < area.bottom - 20) << "space beyond the square's top or bottom";
  const CPoint bar(area.Width() / 4, View()->WorldToClient(pSelector->GetOffset().AsPoint()).y);
  SendMouse(View(), QEvent::MouseMove, bar, Qt::NoButton, Qt::NoButton);
  ASSERT_EQ(View()->GetCurrentTool(), View()->GetTool(wbtPlanSelector));
  Drag(bar, CPoint(bar.x, above ? top - 15 : bottom + 15));
  EXPECT_DOUBLE_EQ(pSelector->GetOffset().GetY(), above ? kWorkbenchSquare : 0.0);
}

TEST_F(WbSelectorTest, AUnitThatFailsGivesNoDetailSelector)
{
  auto* pItem = new CFailingUnitItem("GL", "BA005");
  pItem->GetUnit();
  View()->AddItem(pItem, TRUE);
  pItem->failing = TRUE;
  const double x = pItem->GetOffset().GetX();
  const double y = pItem->GetOffset().GetY() + pItem->GetHeight() / 2.0;
  EXPECT_FALSE(View()->CreateDetailSelector(CVRX2DLine(12, CVRX2DPoint(x - 1.0, y), CVRX2DPoint(x + 0.01, y))));
  EXPECT_EQ(View()->GetSelectorItems().GetCount(), 1);
  EXPECT_EQ(spy.Count(2), 0);
  pItem->failing = FALSE;
  EXPECT_TRUE(View()->CreateDetailSelector(CVRX2DLine(12, CVRX2DPoint(x - 1.0, y), CVRX2DPoint(x + 0.01, y))));
}

TEST_F(WbSelectorTest, ALineAcrossAnArchedHeadMakesASelectorAlongTheRadius)
{
  auto* pItem = new CUnitItem("AR", "BA011");
  pItem->GetUnit();
  pItem->Offset(CVRX2DVector(200.0, 200.0));
  View()->AddItem(pItem, TRUE);
  CVRX2DEntityArray* pOutlines = pItem->GetComponentOutlines();
  const CVRX2DArc* pArc = nullptr;
  for (int i = 0; i < pOutlines->GetSize() && !pArc; ++i)
    pArc = dynamic_cast<const CVRX2DArc*>(pOutlines->GetAt(i));
  ASSERT_NE(pArc, nullptr);
  // Across the head at a slant, from just inside it outward.
  const double angle = (pArc->GetStartAngle().GetRadians() + pArc->GetEndAngle().GetRadians()) / 2.0 + 0.2;
  const CVRX2DPoint onArc = pArc->GetPointAtAngle(CVRXAngle(angle));
  const CVRX2DVector out(pArc->GetCentre(), onArc);
  const double r = out.GetLength();
  const CVRX2DVector u(out.GetX() / r, out.GetY() / r);
  const CVRX2DLine across(12, onArc - CVRX2DVector(u.GetX() * 0.01 - 0.3, u.GetY() * 0.01),
                          onArc + CVRX2DVector(u.GetX() * 2.0, u.GetY() * 2.0));
  ASSERT_TRUE(View()->CreateDetailSelector(across));
  const CVRX2DLine line = LastDetailSelector()->GetSelectorLine();
  EXPECT_EQ(LastDetailSelector()->GetDetailKind(), dkOneSide);
  // Along the radius through the crossing: 5 inches toward the centre, 3 outward.
  EXPECT_NEAR(line.GetLength(), 8.0, 1e-6);
  EXPECT_NEAR(line.GetStartPoint().DistanceTo(pArc->GetCentre()) + 8.0,
              line.GetEndPoint().DistanceTo(pArc->GetCentre()), 1e-6);
  const CVRX2DVector along(line.GetStartPoint(), line.GetEndPoint());
  const CVRX2DVector radius(pArc->GetCentre(), line.GetStartPoint());
  EXPECT_NEAR((along.GetX() * radius.GetY() - along.GetY() * radius.GetX()) / radius.GetLength(), 0.0, 1e-6)
      << "the line lies on a radius";
  // The crossing is 5 inches from the start, on the arc.
  const CVRX2DPoint crossing = line.GetStartPoint() + CVRX2DVector(along.GetX() * 5.0 / 8.0, along.GetY() * 5.0 / 8.0);
  EXPECT_NEAR(crossing.DistanceTo(pArc->GetCentre()), r, 1e-6);
}

TEST_F(WbSelectorTest, ShowDetailOpensTheDetailViewAndShowsTheSelectedSelector)
{
  CUnitItem* pItem = PlaceGlider(100.0, 100.0);
  ASSERT_NE(pItem, nullptr);
  ViewCommand(kDetailViewOn);
  const double y = 100.0 + pItem->GetHeight() / 2.0;
  ASSERT_TRUE(View()->CreateDetailSelector(CVRX2DLine(12, CVRX2DPoint(99.0, y), CVRX2DPoint(100.01, y))));
  CDetailSelectorItem* pSelector = LastDetailSelector();
  ASSERT_EQ(m_pDoc->GetDetailView(), nullptr);
  const int before = spy.Count(2);
  ViewCommand(ID_SHOW_THIS_DETAIL);
  EXPECT_NE(m_pDoc->GetDetailView(), nullptr);
  ASSERT_GT(spy.Count(2), before);
  EXPECT_EQ(spy.updates.back().hint, 2);
  EXPECT_EQ(spy.updates.back().pHint, pSelector);
}
