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

  // Places a vertical guideline well right of the target, then drags it by its line, above the
  // items, to `pixels` right of the target's column.
  void DropVerticalBeside(const CVRX2DPoint& target, int pixels, Drop& drop)
  {
    const CPoint at = OnPixel(target);
    const CPoint to(at.x + pixels, kFreeRow);
    const CPoint from(to.x + kDragPixels, kFreeRow);
    CGuidelineItem* pGuideline = PlaceGuideline(ID_VERT_GUIDELINE_TOOL, from);
    ASSERT_NE(pGuideline, nullptr);
    ASSERT_DOUBLE_EQ(pGuideline->GetOffset().GetX(), View()->ClientToWorld(from).GetX()) << "placed unsnapped";
    Drag(from, to);
    drop.dropped = View()->ClientToWorld(to).GetX();
    drop.landed = pGuideline->GetOffset().GetX();
    View()->RemoveItem(pGuideline);
  }

  // The same for a horizontal guideline, right of the items, dropped `pixels` above the target's row.
  void DropHorizontalAbove(const CVRX2DPoint& target, int pixels, Drop& drop)
  {
    const int column = View()->GetClientRect().Width() - 10;
    const CPoint at = OnPixel(target);
    const CPoint to(column, at.y - pixels);
    const CPoint from(column, to.y - kDragPixels);
    CGuidelineItem* pGuideline = PlaceGuideline(ID_HORZ_GUIDELINE_TOOL, from);
    ASSERT_NE(pGuideline, nullptr);
    ASSERT_DOUBLE_EQ(pGuideline->GetOffset().GetY(), View()->ClientToWorld(from).GetY()) << "placed unsnapped";
    Drag(from, to);
    drop.dropped = View()->ClientToWorld(to).GetY();
    drop.landed = pGuideline->GetOffset().GetY();
    View()->RemoveItem(pGuideline);
  }

  // Switches snapping off for the item alone through the Workbench's command.
  void SwitchSnappingOff(CDesignItem* pItem)
  {
    View()->DeselectAll();
    View()->Select(pItem);
    Command(ID_SNAP_TO_ALIGNMENT);
    View()->DeselectAll();
  }

  // Two gliders side by side with a gap, grouped through Group Items.
  CGroupItem* GroupOfTwoGliders(CUnitItem*& pLeft, CUnitItem*& pRight)
  {
    pLeft = PlaceGliderFromBase(0.0, 0.0);
    pRight = PlaceGliderFromBase(40.0, 0.0);
    if (!pLeft || !pRight)
      return nullptr;
    View()->DeselectAll();
    View()->Select(pLeft);
    View()->Select(pRight);
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

  // The target's pixel; the target must lie on it, or the distances in pixels would be off.
  CPoint OnPixel(const CVRX2DPoint& target) const
  {
    const CPoint at = View()->WorldToClient(target);
    EXPECT_NEAR(View()->ClientToWorld(at).GetX(), target.GetX(), 1e-9);
    EXPECT_NEAR(View()->ClientToWorld(at).GetY(), target.GetY(), 1e-9);
    return at;
  }

private:
  // A row near the top of the view, above every item these tests place.
  static constexpr int kFreeRow = 30;

  CGuidelineItem* PlaceGuideline(UINT nTool, CPoint at)
  {
    const int before = View()->GetItemList()->GetCount();
    Command(nTool);
    Click(at);
    if (View()->GetItemList()->GetCount() != before + 1)
      return nullptr;
    return dynamic_cast<CGuidelineItem*>(static_cast<CObject*>(View()->GetItemList()->GetTail()));
  }
};
}  // namespace

TEST_F(GuidelineSnapGuiTest, AGuidelineDroppedNearAUnitsCornerLandsOnItUnlessFarOrSwitchedOff)
{
  CUnitItem* pGlider = PlaceGliderFromBase(0.0, 0.0);
  ASSERT_NE(pGlider, nullptr);
  const CVRX2DPoint corner = m_base;
  Drop near;
  ASSERT_NO_FATAL_FAILURE(DropVerticalBeside(corner, kInRange, near));
  EXPECT_NE(near.dropped, corner.GetX());
  EXPECT_NEAR(near.landed, corner.GetX(), 1e-9) << "onto the lower left corner";
  Drop far;
  ASSERT_NO_FATAL_FAILURE(DropVerticalBeside(corner, kOutOfRange, far));
  EXPECT_NEAR(far.landed, far.dropped, 1e-9);
  SwitchSnappingOff(pGlider);
  ASSERT_FALSE(pGlider->GetSnapToAlignmentLines());
  Drop off;
  ASSERT_NO_FATAL_FAILURE(DropVerticalBeside(corner, kInRange, off));
  EXPECT_NEAR(off.landed, off.dropped, 1e-9);
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
  Drop near;
  ASSERT_NO_FATAL_FAILURE(DropHorizontalAbove(handle, kInRange, near));
  EXPECT_NEAR(near.landed, handle.GetY(), 1e-9);
  Drop nearColumn;
  ASSERT_NO_FATAL_FAILURE(DropVerticalBeside(handle, kInRange, nearColumn));
  EXPECT_NEAR(nearColumn.landed, handle.GetX(), 1e-9);
  Drop far;
  ASSERT_NO_FATAL_FAILURE(DropHorizontalAbove(handle, kOutOfRange, far));
  EXPECT_NEAR(far.landed, far.dropped, 1e-9);
  SwitchSnappingOff(pCircle);
  Drop off;
  ASSERT_NO_FATAL_FAILURE(DropHorizontalAbove(handle, kInRange, off));
  EXPECT_NEAR(off.landed, off.dropped, 1e-9);
}

TEST_F(GuidelineSnapGuiTest, AGuidelineDroppedNearAGroupsCornerLandsOnItUnlessFarOrSwitchedOff)
{
  CUnitItem* pLeft = nullptr;
  CUnitItem* pRight = nullptr;
  CGroupItem* pGroup = GroupOfTwoGliders(pLeft, pRight);
  ASSERT_NE(pGroup, nullptr);
  // The right glider's lower right corner is the group's.
  const CVRX2DPoint corner(m_base.GetX() + 40.0 + pRight->GetWidth(), m_base.GetY());
  Drop near;
  ASSERT_NO_FATAL_FAILURE(DropVerticalBeside(corner, kInRange, near));
  EXPECT_NEAR(near.landed, corner.GetX(), 1e-9);
  Drop far;
  ASSERT_NO_FATAL_FAILURE(DropVerticalBeside(corner, kOutOfRange, far));
  EXPECT_NEAR(far.landed, far.dropped, 1e-9);
  SwitchSnappingOff(pGroup);
  ASSERT_FALSE(pGroup->GetSnapToAlignmentLines());
  Drop off;
  ASSERT_NO_FATAL_FAILURE(DropVerticalBeside(corner, kInRange, off));
  EXPECT_NEAR(off.landed, off.dropped, 1e-9);
}

TEST_F(GuidelineSnapGuiTest, AGuidelineDroppedNearAGroupsCentreLandsOnItUnlessFarOrSwitchedOff)
{
  CUnitItem* pLeft = nullptr;
  CUnitItem* pRight = nullptr;
  CGroupItem* pGroup = GroupOfTwoGliders(pLeft, pRight);
  ASSERT_NE(pGroup, nullptr);
  // Halfway across the gap between the gliders and halfway up them: nothing else lies there.
  const CVRX2DPoint centre(m_base.GetX() + (40.0 + pRight->GetWidth()) / 2, m_base.GetY() + pLeft->GetHeight() / 2);
  Drop near;
  ASSERT_NO_FATAL_FAILURE(DropHorizontalAbove(centre, kInRange, near));
  EXPECT_NEAR(near.landed, centre.GetY(), 1e-9);
  Drop nearColumn;
  ASSERT_NO_FATAL_FAILURE(DropVerticalBeside(centre, kInRange, nearColumn));
  EXPECT_NEAR(nearColumn.landed, centre.GetX(), 1e-9);
  Drop far;
  ASSERT_NO_FATAL_FAILURE(DropHorizontalAbove(centre, kOutOfRange, far));
  EXPECT_NEAR(far.landed, far.dropped, 1e-9);
  SwitchSnappingOff(pGroup);
  Drop off;
  ASSERT_NO_FATAL_FAILURE(DropHorizontalAbove(centre, kInRange, off));
  EXPECT_NEAR(off.landed, off.dropped, 1e-9);
}
