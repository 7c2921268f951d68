// Guards joining toward a unit inside a group in the running program: a glider dragged or nudged
// against a grouped glider's side snaps to the join spacing and is joined to that glider, the
// group staying as it was; removing a group leaves no alignment entry of it or of its units.
#include <vector>

#include "WbGuiFixture.h"
#include "geometry/2dline.h"
#include "workbench/items/Groupitm.h"
#include "workbench/items/Joinitem.h"

namespace {
constexpr UINT kGroupItems = 801;
constexpr UINT kDeleteItem = 318;
// Glider sides in its component outlines.
constexpr int kRightJamb = 2;
constexpr int kLeftJamb = 5;

class WbGroupJoinTest : public WorkbenchGuiTest
{
protected:
  void SetUp() override
  {
    WorkbenchGuiTest::SetUp();
    StartAtFourPixelsToTheInch();
    m_pLower = PlaceGliderFromBase(0.0, 0.0);
    ASSERT_NE(m_pLower, nullptr);
    m_pUpper = PlaceGliderFromBase(0.0, m_pLower->GetHeight() + 12.0);
    ASSERT_NE(m_pUpper, nullptr);
    View()->DeselectAll();
    View()->Select(m_pLower);
    View()->Select(m_pUpper);
    Command(kGroupItems);
    m_pGroup = View()->FindGroupOfItem(m_pLower);
    ASSERT_NE(m_pGroup, nullptr);
    ASSERT_EQ(View()->FindGroupOfItem(m_pUpper), m_pGroup);
    View()->DeselectAll();
  }
  // A glider with its lower left corner at (dx, dy) from the base point.
  double RightJamb(CUnitItem* pUnit) const { return Side(pUnit, kRightJamb).GetStartPoint().GetX(); }
  double LeftJamb(CUnitItem* pUnit) const { return Side(pUnit, kLeftJamb).GetStartPoint().GetX(); }
  static const CVRX2DLine& Side(CUnitItem* pUnit, int index)
  {
    return *static_cast<const CVRX2DLine*>(pUnit->GetComponentOutlines()->GetAt(index));
  }
  // The moving glider is joined to the lower grouped one at the join's spacing, and the group
  // has not moved.
  void ExpectJoinedToTheGroup(CUnitItem* pMoving, const CVRX2DVector& lower, const CVRX2DVector& upper)
  {
    const std::vector<CJoinItem*> joins = Joins();
    ASSERT_EQ(joins.size(), 1u);
    CUnitItem* pFirst = nullptr;
    CUnitItem* pSecond = nullptr;
    joins[0]->GetUnitItems(pFirst, pSecond);
    EXPECT_EQ(pFirst, pMoving);
    EXPECT_EQ(pSecond, m_pLower);
    EXPECT_EQ(joins[0]->GetSecondSide().m_nComponentIndex, kRightJamb);
    EXPECT_NEAR(LeftJamb(pMoving) - RightJamb(m_pLower), joins[0]->GetTotalSpacing(), 1e-6)
        << "the glider stops at the join spacing";
    EXPECT_EQ(m_pLower->GetOffset(), lower);
    EXPECT_EQ(m_pUpper->GetOffset(), upper);
    EXPECT_TRUE(View()->IsJoinInGroup(joins[0]));
  }
  // Entries of the item in any of the view's alignment tables.
  int EntriesOf(const CDesignItem* pItem)
  {
    int count = 0;
    for (const CLikeAlignmentGroups* pGroups : {&View()->GetPerimeterGroups(), &View()->GetOtherGroups()}) {
      CObArray entries;
      pGroups->GetByItem(pItem, entries);
      count += entries.GetSize();
    }
    const CAlignmentEntityArray& arcs = View()->GetArcEntities();
    for (int i = 0; i < arcs.GetSize(); ++i)
      count += arcs[i]->GetItem() == pItem;
    return count;
  }

  CUnitItem* m_pLower = nullptr;
  CUnitItem* m_pUpper = nullptr;
  CGroupItem* m_pGroup = nullptr;
};
}  // namespace

TEST_F(WbGroupJoinTest, AGliderDraggedAgainstAGroupedGliderSnapsAndJoins)
{
  const double right = RightJamb(m_pLower);
  CUnitItem* pMoving = PlaceGliderFromBase(right - m_base.GetX() + 20.0, 0.0);
  ASSERT_NE(pMoving, nullptr);
  View()->DeselectAll();
  const CVRX2DVector lower = m_pLower->GetOffset();
  const CVRX2DVector upper = m_pUpper->GetOffset();
  ASSERT_TRUE(Joins().empty());
  // 78 pixels left leave half an inch between the sides, well inside the snap range.
  const CPoint from = View()->WorldToClient(pMoving->GetCenterPoint());
  Drag(from, CPoint(from.x - 78, from.y));
  ExpectJoinedToTheGroup(pMoving, lower, upper);
  EXPECT_EQ(View()->GetItemList()->GetCount(), 3) << "the group, the dragged glider and the join";
}

TEST_F(WbGroupJoinTest, AGliderNudgedTowardAGroupedGliderSnapsAndJoins)
{
  const double right = RightJamb(m_pLower);
  CUnitItem* pMoving = PlaceGliderFromBase(right - m_base.GetX() + 1.0, 0.0);
  ASSERT_NE(pMoving, nullptr);
  View()->DeselectAll();
  View()->Select(pMoving);
  const CVRX2DVector lower = m_pLower->GetOffset();
  const CVRX2DVector upper = m_pUpper->GetOffset();
  View()->NudgeGroup(CVRX2DVector(-0.5, 0.0));
  ExpectJoinedToTheGroup(pMoving, lower, upper);
  // Away from the group again, the join goes and the glider moves by the nudge alone.
  const double left = LeftJamb(pMoving);
  View()->NudgeGroup(CVRX2DVector(20.0, 0.0));
  EXPECT_TRUE(Joins().empty());
  EXPECT_NEAR(LeftJamb(pMoving), left + 20.0, 1e-9);
}

// Both grouped gliders lie on the group's right side; the one whose side the moving glider faces
// is joined.
TEST_F(WbGroupJoinTest, TheGroupedGliderWhoseSideItFacesIsTheOneJoined)
{
  const double right = RightJamb(m_pLower);
  CUnitItem* pMoving = PlaceGliderFromBase(right - m_base.GetX() + 1.0, m_pLower->GetHeight() + 15.0);
  ASSERT_NE(pMoving, nullptr);
  View()->DeselectAll();
  View()->Select(pMoving);
  View()->NudgeGroup(CVRX2DVector(-0.5, 0.0));
  const std::vector<CJoinItem*> joins = Joins();
  ASSERT_EQ(joins.size(), 1u);
  CUnitItem* pFirst = nullptr;
  CUnitItem* pSecond = nullptr;
  joins[0]->GetUnitItems(pFirst, pSecond);
  EXPECT_EQ(pFirst, pMoving);
  EXPECT_EQ(pSecond, m_pUpper);
  EXPECT_NEAR(LeftJamb(pMoving) - RightJamb(m_pUpper), joins[0]->GetTotalSpacing(), 1e-6);
}

TEST_F(WbGroupJoinTest, RemovingAGroupRemovesTheAlignmentEntriesOfItAndOfItsUnits)
{
  CUnitItem* pThird = PlaceGliderFromBase(200.0, 0.0);
  ASSERT_NE(pThird, nullptr);
  View()->DeselectAll();
  View()->Select(m_pGroup);
  View()->Select(pThird);
  Command(kGroupItems);
  CGroupItem* pOuter = View()->FindGroupOfItem(pThird);
  ASSERT_NE(pOuter, nullptr);
  ASSERT_TRUE(pOuter->ContainsItem(m_pGroup));
  EXPECT_GT(EntriesOf(pOuter), 0);
  // Units of a group may hold entries of their own, as after a move of the unit alone.
  for (CUnitItem* pUnit : {m_pLower, m_pUpper, pThird}) {
    View()->UpdateAlignmentEntities(pUnit);
    ASSERT_GT(EntriesOf(pUnit), 0);
  }
  View()->DeselectAll();
  View()->Select(pOuter);
  Command(kDeleteItem);
  EXPECT_EQ(View()->GetItemList()->GetCount(), 0);
  for (const CDesignItem* pItem : {static_cast<const CDesignItem*>(pOuter), static_cast<const CDesignItem*>(m_pGroup),
                                   static_cast<const CDesignItem*>(m_pLower), static_cast<const CDesignItem*>(m_pUpper),
                                   static_cast<const CDesignItem*>(pThird)})
    EXPECT_EQ(EntriesOf(pItem), 0);
  CObArray all;
  View()->GetPerimeterGroups().GetAll(all);
  EXPECT_EQ(all.GetSize(), 0);
}
