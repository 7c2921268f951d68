// Drives groups through the real Workbench: several selected units dragged together as one
// temporary group that is gone after the release, Group and Ungroup Items leaving the items as
// they were, the Group Properties sheet with Apply, OK and Cancel, the move group's guard
// against being made of fewer than two items, and a grouped guideline left out of the design's
// extents.
#include "WbGuiFixture.h"
#include "ui/dlg/PropSheet.h"
#include "support/Exceptn.h"
#include "support/Unitscvt.h"
#include "workbench/tools/Wbtools.h"
#include "workbench/items/Groupitm.h"
#include "workbench/sheets/Groupsht.h"
#include "workbench/sheets/Itempos.h"
#include "workbench/frame/Wbids.h"

namespace {
constexpr UINT kGroupItems = 801;
constexpr UINT kUngroupItems = 802;
constexpr UINT kProperties = 328;
constexpr UINT kSnapHighlights = 108;

class GroupGuiTest : public WorkbenchGuiTest
{
protected:
  void PlaceTwo()
  {
    StartProgram();
    const UINT nID = CommandFor("GL", "BA005");
    ASSERT_NE(nID, 0u);
    const CRect client = View()->GetClientRect();
    m_pFirst = PlaceUnit(nID, CPoint(client.Width() / 5, client.Height() * 3 / 4));
    m_pSecond = PlaceUnit(nID, CPoint(client.Width() / 2, client.Height() * 3 / 4));
    ASSERT_NE(m_pFirst, nullptr);
    ASSERT_NE(m_pSecond, nullptr);
    // Moves are measured against the pointer: nothing may snap, and sides lying on each other's
    // alignment lines are drawn plain.
    View()->SetAlignmentModes(1, 1);
    View()->SetAutoJoin(FALSE);
    if (View()->GetSnapHighlights())
      Command(kSnapHighlights);
    ASSERT_FALSE(View()->GetSnapHighlights());
  }
  void SelectBoth()
  {
    View()->DeselectAll();
    View()->Select(m_pFirst);
    View()->Select(m_pSecond);
  }
  int CountOfType(int type) const
  {
    int count = 0;
    for (POSITION pos = View()->GetItemList()->GetHeadPosition(); pos;)
      count += static_cast<CDesignItem*>(View()->GetItemList()->GetNext(pos))->GetItemType() == type;
    return count;
  }
  static CString Length(double inches) { return CUnitsConverter().FormatLength(4, inches); }

  CUnitItem* m_pFirst = nullptr;
  CUnitItem* m_pSecond = nullptr;
};
}  // namespace

TEST_F(GroupGuiTest, DraggingOneOfTwoSelectedUnitsMovesBothAndLeavesBothSelected)
{
  PlaceTwo();
  SelectBoth();
  const CVRX2DVector first = m_pFirst->GetOffset();
  const CVRX2DVector second = m_pSecond->GetOffset();
  const CPoint from = View()->WorldToClient(m_pFirst->GetCenterPoint());
  const CPoint to(from.x + 30, from.y - 20);
  Drag(from, to);
  const CVRX2DVector moved = View()->ClientToWorld(to) - View()->ClientToWorld(from);
  EXPECT_NEAR(m_pFirst->GetOffset().GetX(), first.GetX() + moved.GetX(), 1e-9);
  EXPECT_NEAR(m_pFirst->GetOffset().GetY(), first.GetY() + moved.GetY(), 1e-9);
  EXPECT_NEAR(m_pSecond->GetOffset().GetX(), second.GetX() + moved.GetX(), 1e-9);
  EXPECT_NEAR(m_pSecond->GetOffset().GetY(), second.GetY() + moved.GetY(), 1e-9);
  // The temporary group is gone from the design, the selection and the alignment tables.
  EXPECT_EQ(View()->GetItemList()->GetCount(), 2);
  for (const CLikeAlignmentGroups* pGroups : {&View()->GetPerimeterGroups(), &View()->GetOtherGroups()}) {
    CObArray entries;
    pGroups->GetAll(entries);
    for (int i = 0; i < entries.GetSize(); ++i) {
      const CDesignItem* pOwner = static_cast<const CAlignmentEntity*>(entries[i])->GetItem();
      EXPECT_TRUE(pOwner == m_pFirst || pOwner == m_pSecond) << "an entry of an item no longer there";
    }
  }
  EXPECT_EQ(CountOfType(ditMoveGroup), 0);
  EXPECT_EQ(View()->GetSelectedItems().GetCount(), 2);
  EXPECT_TRUE(View()->IsSelected(m_pFirst));
  EXPECT_TRUE(View()->IsSelected(m_pSecond));
  // Both are drawn at their new places.
  Pump();
  const CVRX2DVector offset = m_pSecond->GetOffset();
  const CPoint side = View()->WorldToClient(CVRX2DPoint(offset.GetX(), offset.GetY() + m_pSecond->GetHeight() / 2));
  EXPECT_EQ(View()->GetSurfacePixel(side.x, side.y), RGB(0, 0, 0));
}

TEST_F(GroupGuiTest, AClickOnOneOfTwoSelectedUnitsLeavesItAloneSelected)
{
  PlaceTwo();
  SelectBoth();
  const CVRX2DVector second = m_pSecond->GetOffset();
  Click(View()->WorldToClient(m_pFirst->GetCenterPoint()));
  EXPECT_EQ(m_pSecond->GetOffset(), second);
  EXPECT_EQ(View()->GetItemList()->GetCount(), 2);
  EXPECT_TRUE(View()->IsSelected(m_pFirst));
  EXPECT_FALSE(View()->IsSelected(m_pSecond));
}

TEST_F(GroupGuiTest, AMoveGroupOfOneItemIsAFatalError)
{
  PlaceTwo();
  View()->DeselectAll();
  View()->Select(m_pFirst);
  EXPECT_THROW(View()->MakeMoveGroup(), CAppFatalException);
  EXPECT_EQ(View()->GetItemList()->GetCount(), 2);
  SelectBoth();
  CMoveGroupItem* pGroup = View()->MakeMoveGroup();
  EXPECT_EQ(pGroup->GetItemType(), ditMoveGroup);
  EXPECT_EQ(View()->GetItemList()->GetTail(), pGroup);
  View()->DissolveMoveGroup(pGroup);
  EXPECT_EQ(View()->GetItemList()->GetCount(), 2);
  EXPECT_TRUE(View()->IsSelected(m_pSecond));
}

TEST_F(GroupGuiTest, NudgingTwoSelectedUnitsMovesBothAsOneAndLeavesNoGroup)
{
  PlaceTwo();
  SelectBoth();
  const CVRX2DVector first = m_pFirst->GetOffset();
  const CVRX2DVector second = m_pSecond->GetOffset();
  View()->NudgeGroup(CVRX2DVector(1.5, -0.5));
  EXPECT_EQ(m_pFirst->GetOffset(), first + CVRX2DVector(1.5, -0.5));
  EXPECT_EQ(m_pSecond->GetOffset(), second + CVRX2DVector(1.5, -0.5));
  EXPECT_EQ(CountOfType(ditMoveGroup), 0);
  EXPECT_EQ(View()->GetItemList()->GetCount(), 2);
  EXPECT_TRUE(View()->IsSelected(m_pFirst));
  EXPECT_TRUE(View()->IsSelected(m_pSecond));
}

TEST_F(GroupGuiTest, GroupThenUngroupLeavesTheItemsAsTheyWere)
{
  PlaceTwo();
  View()->DeselectAll();
  View()->Select(m_pFirst);
  EXPECT_FALSE(StateOf(kGroupItems).enabled) << "one item cannot be grouped";
  SelectBoth();
  EXPECT_TRUE(StateOf(kGroupItems).enabled);
  EXPECT_FALSE(StateOf(kUngroupItems).enabled);
  const CVRX2DVector first = m_pFirst->GetOffset();
  const CVRX2DVector second = m_pSecond->GetOffset();
  Command(kGroupItems);
  ASSERT_EQ(View()->GetItemList()->GetCount(), 1);
  auto* pGroup = dynamic_cast<CGroupItem*>(static_cast<CObject*>(View()->GetItemList()->GetHead()));
  ASSERT_NE(pGroup, nullptr);
  EXPECT_TRUE(View()->IsSelected(pGroup));
  EXPECT_EQ(View()->GetSelectedItems().GetCount(), 1);
  EXPECT_TRUE(pGroup->ContainsItem(m_pFirst));
  EXPECT_TRUE(StateOf(kUngroupItems).enabled);
  EXPECT_FALSE(StateOf(kGroupItems).enabled);
  // The group is hit, drawn and dragged as one.
  CDesignItem* pHit = nullptr;
  int handle = -1;
  const CPoint inside = View()->WorldToClient(m_pSecond->GetCenterPoint());
  EXPECT_EQ(View()->HitTest(inside, pHit, handle), hitItem);
  EXPECT_EQ(pHit, pGroup);
  View()->Invalidate(TRUE);
  Pump();
  const CPoint side = View()->WorldToClient(CVRX2DPoint(first.GetX(), first.GetY() + m_pFirst->GetHeight() / 2));
  EXPECT_EQ(View()->GetSurfacePixel(side.x, side.y), RGB(0, 0, 0));
  Drag(inside, CPoint(inside.x - 25, inside.y - 10));
  const CVRX2DVector moved =
      View()->ClientToWorld(CPoint(inside.x - 25, inside.y - 10)) - View()->ClientToWorld(inside);
  EXPECT_NEAR(m_pFirst->GetOffset().GetX(), first.GetX() + moved.GetX(), 1e-9);
  EXPECT_NEAR(m_pSecond->GetOffset().GetY(), second.GetY() + moved.GetY(), 1e-9);
  Drag(CPoint(inside.x - 25, inside.y - 10), inside);
  EXPECT_NEAR(m_pFirst->GetOffset().GetX(), first.GetX(), 1e-9);
  EXPECT_NEAR(m_pSecond->GetOffset().GetY(), second.GetY(), 1e-9);

  Command(kUngroupItems);
  ASSERT_EQ(View()->GetItemList()->GetCount(), 2);
  EXPECT_EQ(CountOfType(ditGroup), 0);
  EXPECT_TRUE(View()->GetItemList()->Find(m_pFirst));
  EXPECT_TRUE(View()->GetItemList()->Find(m_pSecond));
  EXPECT_TRUE(View()->IsSelected(m_pFirst));
  EXPECT_TRUE(View()->IsSelected(m_pSecond));
  EXPECT_EQ(View()->GetSelectedItems().GetCount(), 2);
  EXPECT_NEAR(m_pFirst->GetOffset().GetX(), first.GetX(), 1e-9);
  EXPECT_NEAR(m_pSecond->GetOffset().GetX(), second.GetX(), 1e-9);
}

TEST_F(GroupGuiTest, GroupPropertiesApplyMovesTheGroupAndCancelThenReadsClose)
{
  PlaceTwo();
  SelectBoth();
  Command(kGroupItems);
  auto* pGroup = dynamic_cast<CGroupItem*>(static_cast<CObject*>(View()->GetItemList()->GetHead()));
  ASSERT_NE(pGroup, nullptr);
  const CVRX2DVector first = m_pFirst->GetOffset();
  const CVRX2DVector box = pGroup->GetOffset();
  OnNextDialog([&](CDialog& dialog) {
    auto& sheet = dynamic_cast<CGroupSheetDlg&>(dialog);
    CString caption;
    sheet.GetWindowText(caption);
    EXPECT_EQ(caption, "Group Properties");
    CPropertyPage* pPage = sheet.GetActivePage();
    ASSERT_NE(pPage, nullptr);
    EXPECT_EQ(ControlText(*pPage, IDC_POSITION_ABS_X), Length(box.GetX()));
    SetControlText(*pPage, IDC_POSITION_ABS_X, Length(100.0));
    SetControlText(*pPage, IDC_POSITION_ABS_Y, Length(60.0));
    ClickButton(sheet, ID_APPLY_NOW);
    EXPECT_EQ(ControlText(sheet, IDCANCEL), "Close");
    ClickButton(sheet, IDCANCEL);
  });
  Command(kProperties);
  EXPECT_EQ(pGroup->GetOffset(), CVRX2DVector(100.0, 60.0));
  EXPECT_NEAR(m_pFirst->GetOffset().GetX(), first.GetX() + 100.0 - box.GetX(), 1e-9);
  EXPECT_NEAR(m_pFirst->GetOffset().GetY(), first.GetY() + 60.0 - box.GetY(), 1e-9);
}

TEST_F(GroupGuiTest, GroupPropertiesOkMovesByARelativeOffsetAndRefusesAnInvalidLength)
{
  PlaceTwo();
  SelectBoth();
  Command(kGroupItems);
  auto* pGroup = dynamic_cast<CGroupItem*>(static_cast<CObject*>(View()->GetItemList()->GetHead()));
  ASSERT_NE(pGroup, nullptr);
  const CVRX2DVector box = pGroup->GetOffset();
  const CVRX2DVector second = m_pSecond->GetOffset();
  // An invalid length keeps the sheet open and moves nothing; Cancel then leaves the group.
  OnNextDialog([&](CDialog& dialog) {
    auto& sheet = dynamic_cast<CGroupSheetDlg&>(dialog);
    SetControlText(*sheet.GetActivePage(), IDC_POSITION_ABS_X, "twelve");
    ClickButton(sheet, IDOK);
    EXPECT_TRUE(sheet.IsWindowVisible()) << "the sheet stays open";
    ClickButton(sheet, IDCANCEL);
  });
  Command(kProperties);
  EXPECT_EQ(pGroup->GetOffset(), box);
  EXPECT_FALSE(Messages().empty());
  // Relative: 12 inches right and 6 down from the present position.
  OnNextDialog([&](CDialog& dialog) {
    auto& sheet = dynamic_cast<CGroupSheetDlg&>(dialog);
    CPropertyPage* pPage = sheet.GetActivePage();
    ClickButton(*pPage, IDC_POSITION_RELATIVE);
    EXPECT_EQ(static_cast<CItemPositionPropertyPage*>(pPage)->GetMode(), 1);
    SetControlText(*pPage, IDC_POSITION_REL_X, Length(12.0));
    SetControlText(*pPage, IDC_POSITION_REL_Y, Length(-6.0));
    ClickButton(sheet, IDOK);
  });
  Command(kProperties);
  EXPECT_NEAR(pGroup->GetOffset().GetX(), box.GetX() + 12.0, 1e-9);
  EXPECT_NEAR(pGroup->GetOffset().GetY(), box.GetY() - 6.0, 1e-9);
  EXPECT_NEAR(m_pSecond->GetOffset().GetX(), second.GetX() + 12.0, 1e-9);
  EXPECT_NEAR(m_pSecond->GetOffset().GetY(), second.GetY() - 6.0, 1e-9);
}

TEST_F(GroupGuiTest, AStoredGroupOpensAgainWithItsBoxAndUnits)
{
  PlaceTwo();
  SelectBoth();
  Command(kGroupItems);
  auto* pGroup = dynamic_cast<CGroupItem*>(static_cast<CObject*>(View()->GetItemList()->GetHead()));
  ASSERT_NE(pGroup, nullptr);
  const CVRX2DVector box = pGroup->GetOffset();
  const double width = pGroup->GetWidth();
  StoreDesign("Grouped", 1);
  Frame()->SendMessage(WM_COMMAND, IDC_WORKBENCH_CLOSE);
  Pump();
  EditStoredDesign("Grouped");
  ASSERT_NE(View(), nullptr);
  ASSERT_EQ(View()->GetItemList()->GetCount(), 1);
  auto* pAgain = dynamic_cast<CGroupItem*>(static_cast<CObject*>(View()->GetItemList()->GetHead()));
  ASSERT_NE(pAgain, nullptr);
  EXPECT_EQ(pAgain->GetOffset(), box);
  EXPECT_DOUBLE_EQ(pAgain->GetWidth(), width);
  EXPECT_GT(pAgain->GetComponentEnts().GetSize(), 0) << "the units were made when the design opened";
  CObList units;
  EXPECT_TRUE(m_pDoc->GetEditedDesign()->GetUnitsInDesign(units, FALSE));
  EXPECT_EQ(units.GetCount(), 2);
}

namespace {
// A join of two units as far as the view's join removal sees one.
class CTwoUnitJoin : public CDesignItem
{
public:
  CTwoUnitJoin(CDesignItem* pFirst, CDesignItem* pSecond) : CDesignItem(ditJoin), m_pFirst(pFirst), m_pSecond(pSecond)
  {}
  void GetJoinedItems(const CDesignItem*& pFirst, const CDesignItem*& pSecond) const override
  {
    pFirst = m_pFirst;
    pSecond = m_pSecond;
  }

private:
  CDesignItem* m_pFirst;
  CDesignItem* m_pSecond;
};
}  // namespace

TEST_F(GroupGuiTest, DeletingAGroupTakesEveryJoinOfItsUnitsWithIt)
{
  PlaceTwo();
  const CRect client = View()->GetClientRect();
  CUnitItem* pOutside = PlaceUnit(CommandFor("GL", "BA005"), CPoint(client.Width() * 4 / 5, client.Height() / 4));
  ASSERT_NE(pOutside, nullptr);
  SelectBoth();
  Command(kGroupItems);
  CDesignItem* pGroup = static_cast<CDesignItem*>(View()->GetItemList()->GetTail());
  ASSERT_EQ(pGroup->GetItemType(), ditGroup);
  // One join inside the group and one across its border, both left in the design.
  CDesignItem* pInner = new CTwoUnitJoin(m_pFirst, m_pSecond);
  CDesignItem* pCrossing = new CTwoUnitJoin(m_pSecond, pOutside);
  View()->AddItem(pInner, FALSE);
  View()->AddItem(pCrossing, FALSE);
  // Starting a move breaks only the crossing join.
  View()->RemoveCrossingJoins(static_cast<CGroupItem*>(pGroup));
  EXPECT_TRUE(View()->GetItemList()->Find(pInner));
  EXPECT_FALSE(View()->GetItemList()->Find(pCrossing));
  View()->DeselectAll();
  View()->Select(pGroup);
  Command(ID_DELETE_ITEM);
  ASSERT_EQ(View()->GetItemList()->GetCount(), 1);
  EXPECT_EQ(View()->GetItemList()->GetHead(), pOutside);
}

// A file holding groups nested deeper than the readers take is refused as damaged, so the Group
// command never builds one: the deepest group a design can hold is made, the next is refused.
TEST_F(GroupGuiTest, GroupsNestOnlyAsDeepAsAStoredDesignIsReadBack)
{
  PlaceTwo();
  SelectBoth();
  Command(kGroupItems);
  const UINT nID = CommandFor("GL", "BA005");
  const CRect client = View()->GetClientRect();
  auto nestOnce = [&](int i) {
    auto* pTop = static_cast<CDesignItem*>(View()->GetItemList()->GetHead());
    CUnitItem* pUnit = PlaceUnit(nID, CPoint(client.Width() / 10 * (1 + i % 8), client.Height() / 6));
    EXPECT_NE(pUnit, nullptr);
    View()->DeselectAll();
    View()->Select(pTop);
    View()->Select(pUnit);
    Command(kGroupItems);
  };
  for (int depth = 1; depth < CGroupItem::kMaxDepth; ++depth)
    nestOnce(depth);
  ASSERT_EQ(View()->GetItemList()->GetCount(), 1);
  auto* pDeepest = static_cast<CDesignItem*>(View()->GetItemList()->GetHead());
  EXPECT_EQ(CGroupItem::NestingDepth(pDeepest), CGroupItem::kMaxDepth);
  const size_t before = Messages().size();
  nestOnce(0);
  ASSERT_EQ(Messages().size(), before + 1);
  EXPECT_EQ(Messages().back(), CString("Groups can be placed inside each other at most 64 deep. Ungroup some of "
                                       "these items first."));
  EXPECT_EQ(View()->GetItemList()->GetCount(), 2) << "the refused items stay as they were";
  EXPECT_EQ(CGroupItem::NestingDepth(pDeepest), CGroupItem::kMaxDepth);
}

// A guideline runs across the whole Workbench and adds nothing to the design's size, grouped or
// not: Scale to Fit shows the units of a design whose group holds a guideline, not the square.
TEST_F(GroupGuiTest, AGuidelineInAGroupAddsNothingToTheDesignsExtents)
{
  ASSERT_NO_FATAL_FAILURE(PlaceTwo());
  const CVRX2DRectangle units = View()->GetDesignExtents();
  const CRect client = View()->GetClientRect();
  Command(ID_VERT_GUIDELINE_TOOL);
  Click(CPoint(client.Width() * 3 / 4, client.Height() / 4));
  auto* pGuideline = static_cast<CDesignItem*>(View()->GetItemList()->GetTail());
  ASSERT_EQ(pGuideline->GetItemType(), ditGuideline);
  EXPECT_EQ(View()->GetDesignExtents().GetMaxPoint(), units.GetMaxPoint()) << "a guideline of its own";
  View()->DeselectAll();
  View()->Select(m_pSecond);
  View()->Select(pGuideline);
  Command(kGroupItems);
  ASSERT_EQ(CountOfType(ditGroup), 1);
  EXPECT_EQ(View()->GetDesignExtents().GetMinPoint(), units.GetMinPoint());
  EXPECT_EQ(View()->GetDesignExtents().GetMaxPoint(), units.GetMaxPoint()) << "a guideline in a group";
  Command(ID_SCALE_TO_FIT);
  const CPoint right = View()->WorldToClient(units.GetMaxPoint());
  EXPECT_GT(right.x, client.Width() / 2) << "the units fill the view";
}
