// Guards guideline snapping onto the points of units and groups in the running program: a
// guideline dragged with real mouse events to 3 pixels from a unit's corner or handle, or from a
// group's corner or centre, lands on it exactly; dropped 8 pixels away, or beside an item whose
// snapping is switched off, it stays where it was dropped.
#include "WbGuiFixture.h"
#include "workbench/frame/Wbids.h"
#include "workbench/items/Groupitm.h"
#include "workbench/items/Guideitem.h"

namespace {
// Inside the view's snap range of 5 pixels, and beyond it.
constexpr int kInRange = 3;
constexpr int kOutOfRange = 8;
// How far the guideline is dragged towards its drop point.
constexpr int kDragPixels = 100;
// The gap between the two gliders of a group, in inches.
constexpr double kGliderGap = 4.5;

// Where a guideline was dropped and where it came to lie, along the axis it moves on.
struct Drop
{
  double dropped = 0.0;
  double landed = 0.0;
};

class GuidelineSnapGuiTest : public WorkbenchGuiTest
{
protected:
  void SetUp() override
  {
    WorkbenchGuiTest::SetUp();
    StartAtFourPixelsToTheInch();
  }

  // A vertical guideline dropped 3 pixels right of the point's column and a horizontal one 3
  // pixels above its row land on it; 8 pixels away they stay where they were dropped, and so they
  // do at 3 pixels once snapping is switched off for the item.
  void ExpectGuidelinesSnapOnto(const CVRX2DPoint& point, CDesignItem* pItem)
  {
    Drop column;
    ASSERT_NO_FATAL_FAILURE(DropVerticalBeside(point, kInRange, column));
    EXPECT_NE(column.dropped, point.GetX());
    EXPECT_NEAR(column.landed, point.GetX(), 1e-9) << "onto the point's column";
    Drop row;
    ASSERT_NO_FATAL_FAILURE(DropHorizontalAbove(point, kInRange, row));
    EXPECT_NEAR(row.landed, point.GetY(), 1e-9) << "onto the point's row";
    for (int pixels : {kOutOfRange, kInRange}) {
      if (pixels == kInRange) {
        SwitchSnappingOff(pItem);
        ASSERT_FALSE(pItem->GetSnapToAlignmentLines());
      }
      Drop beside;
      ASSERT_NO_FATAL_FAILURE(DropVerticalBeside(point, pixels, beside));
      EXPECT_NEAR(beside.landed, beside.dropped, 1e-9) << pixels << " pixels right";
      Drop above;
      ASSERT_NO_FATAL_FAILURE(DropHorizontalAbove(point, pixels, above));
      EXPECT_NEAR(above.landed, above.dropped, 1e-9) << pixels << " pixels above";
    }
  }

  // Two gliders side by side with a gap, grouped through Group Items.
  CGroupItem* GroupOfTwoGliders()
  {
    m_pLeft = PlaceGliderFromBase(0.0, 0.0);
    m_pRight = m_pLeft ? PlaceGliderFromBase(m_pLeft->GetWidth() + kGliderGap, 0.0) : nullptr;
    if (!m_pRight)
      return nullptr;
    View()->DeselectAll();
    View()->Select(m_pLeft);
    View()->Select(m_pRight);
    Command(ID_GROUP_ITEMS);
    if (View()->GetItemList()->GetCount() != 1)
      return nullptr;
    return dynamic_cast<CGroupItem*>(static_cast<CObject*>(View()->GetItemList()->GetHead()));
  }

  // A round unit of the catalogue: its handles lie on its circle, away from its box's corners.
  CUnitItem* PlaceCircleFromBase()
  {
    const CRect client = View()->GetClientRect();
    CUnitItem* pItem = PlaceUnit(CommandFor("SW", "CI009"), CPoint(client.Width() / 2, client.Height() / 2));
    if (pItem) {
      pItem->Offset(m_base.AsVector() - pItem->GetOffset());
      View()->UpdateAlignmentEntities(pItem);
    }
    return pItem;
  }

  CUnitItem* m_pLeft = nullptr;
  CUnitItem* m_pRight = nullptr;

private:
  // A row near the top of the view, above every item these tests place.
  static constexpr int kFreeRow = 30;

  // Places a vertical guideline well right of the point, then drags it by its line, above the
  // items, to `pixels` right of the point's column.
  void DropVerticalBeside(const CVRX2DPoint& point, int pixels, Drop& drop)
  {
    const CPoint to(OnPixel(point).x + pixels, kFreeRow);
    const CPoint from(to.x + kDragPixels, kFreeRow);
    ASSERT_NO_FATAL_FAILURE(DragNewGuideline(ID_VERT_GUIDELINE_TOOL, from, to, drop));
    drop.dropped = View()->ClientToWorld(to).GetX();
  }

  // The same for a horizontal guideline, right of the items, dropped `pixels` above the point's row.
  void DropHorizontalAbove(const CVRX2DPoint& point, int pixels, Drop& drop)
  {
    const int column = View()->GetClientRect().Width() - 10;
    const CPoint to(column, OnPixel(point).y - pixels);
    const CPoint from(column, to.y - kDragPixels);
    ASSERT_NO_FATAL_FAILURE(DragNewGuideline(ID_HORZ_GUIDELINE_TOOL, from, to, drop));
    drop.dropped = View()->ClientToWorld(to).GetY();
  }

  // Where the guideline came to lie along the axis it moves on; it is removed again.
  void DragNewGuideline(UINT nTool, CPoint from, CPoint to, Drop& drop)
  {
    CGuidelineItem* pGuideline = PlaceWith<CGuidelineItem>(nTool, from);
    ASSERT_NE(pGuideline, nullptr);
    const bool vertical = pGuideline->IsVertical();
    const auto along = [vertical](const CVRX2DPoint& p) { return vertical ? p.GetX() : p.GetY(); };
    ASSERT_DOUBLE_EQ(along(pGuideline->GetOffset().AsPoint()), along(View()->ClientToWorld(from)))
        << "placed unsnapped";
    Drag(from, to);
    drop.landed = along(pGuideline->GetOffset().AsPoint());
    View()->RemoveItem(pGuideline);
  }

  // The point's pixel; the point must lie on it, or the distances in pixels would be off.
  CPoint OnPixel(const CVRX2DPoint& point) const
  {
    const CPoint at = View()->WorldToClient(point);
    EXPECT_NEAR(View()->ClientToWorld(at).GetX(), point.GetX(), 1e-9);
    EXPECT_NEAR(View()->ClientToWorld(at).GetY(), point.GetY(), 1e-9);
    return at;
  }

  // Switches snapping off for the item alone through the Workbench's command.
  void SwitchSnappingOff(CDesignItem* pItem)
  {
    View()->DeselectAll();
    View()->Select(pItem);
    Command(ID_SNAP_TO_ALIGNMENT);
    View()->DeselectAll();
  }
};
}  // namespace

TEST_F(GuidelineSnapGuiTest, AGuidelineDroppedNearAUnitsCornerLandsOnItUnlessFarOrSwitchedOff)
{
  CUnitItem* pGlider = PlaceGliderFromBase(0.0, 0.0);
  ASSERT_NE(pGlider, nullptr);
  ExpectGuidelinesSnapOnto(m_base, pGlider);
}

TEST_F(GuidelineSnapGuiTest, AGuidelineDroppedNearAUnitsHandleLandsOnItUnlessFarOrSwitchedOff)
{
  CUnitItem* pCircle = PlaceCircleFromBase();
  ASSERT_NE(pCircle, nullptr);
  // The handle at the right of the circle, halfway up: no corner and no side starts there.
  const double diameter = pCircle->GetWidth();
  const CVRX2DPoint handle(m_base.GetX() + diameter, m_base.GetY() + diameter / 2);
  CSizingHandleArray* pHandles = pCircle->GetSizingHandles(View());
  bool found = false;
  for (int i = 0; i < pHandles->GetSize(); ++i)
    found = found || pHandles->GetAt(i)->GetPoint() == handle;
  ASSERT_TRUE(found) << "the circle has its handle there";
  ExpectGuidelinesSnapOnto(handle, pCircle);
}

TEST_F(GuidelineSnapGuiTest, AGuidelineDroppedNearAGroupsCornerLandsOnItUnlessFarOrSwitchedOff)
{
  CGroupItem* pGroup = GroupOfTwoGliders();
  ASSERT_NE(pGroup, nullptr);
  // The right glider's lower right corner is the group's.
  const CVRX2DPoint corner(m_base.GetX() + m_pLeft->GetWidth() + kGliderGap + m_pRight->GetWidth(), m_base.GetY());
  ExpectGuidelinesSnapOnto(corner, pGroup);
}

TEST_F(GuidelineSnapGuiTest, AGuidelineDroppedNearAGroupsCentreLandsOnItUnlessFarOrSwitchedOff)
{
  CGroupItem* pGroup = GroupOfTwoGliders();
  ASSERT_NE(pGroup, nullptr);
  // Halfway across the gap between the gliders and halfway up them: nothing else lies there.
  const CVRX2DPoint centre(m_base.GetX() + m_pLeft->GetWidth() + kGliderGap / 2,
                           m_base.GetY() + m_pLeft->GetHeight() / 2);
  ExpectGuidelinesSnapOnto(centre, pGroup);
}
