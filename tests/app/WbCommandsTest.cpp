// Drives the Workbench view's own commands and keys in the running program with their update
// handlers: Select All, the per-item Alignment Lines and Snap To toggles, Space Items Evenly,
// Tab, the arrow keys through the snapping nudge (one item or several as one, stopping at the
// edge of the square, a kept join's marker following its unit), the plan selector's keys, Rename
// Design and Remove Joining; a handle dragged out of the window shows whether its size is refused.
#include <cmath>
#include <numbers>

#include <QLineEdit>

#include "WbGuiFixture.h"
#include "app/Shellids.h"
#include "document/Dochints.h"
#include "document/Hint.h"
#include "geometry/2dline.h"
#include "workbench/items/Groupitm.h"
#include "workbench/items/Joinitem.h"
#include "workbench/items/Selector.h"
#include "workbench/items/Tracker.h"

namespace {
constexpr int kRightJamb = 2;
constexpr int kLeftJamb = 5;
constexpr UINT kSelectAll = 320;
constexpr UINT kSpaceHorizontally = 326;
constexpr UINT kSpaceVertically = 327;
constexpr UINT kAlignmentLines = 110;
constexpr UINT kSnapTo = 109;
constexpr UINT kRenameDesign = 218;
constexpr UINT kRemoveJoining = 329;
constexpr UINT kPlanViewOn = 1506;

class WbCommandsTest : public WorkbenchGuiTest
{
protected:
  void SetUp() override
  {
    WorkbenchGuiTest::SetUp();
    StartProgram();
    View()->SetScaleFactor(1.0 / 24.0, TRUE);
    Pump();
    // Moves are measured against the keys: nothing may snap.
    View()->SetAlignmentModes(1, 1);
  }

  CUnitItem* Glider(double x, double y)
  {
    const CRect client = View()->GetClientRect();
    CUnitItem* pUnit = PlaceUnit(CommandFor("GL", "BA005"), CPoint(client.Width() / 2, client.Height() / 2));
    if (pUnit) {
      pUnit->Offset(CVRX2DVector(x, y) - pUnit->GetOffset());
      View()->UpdateAlignmentEntities(pUnit);
    }
    View()->DeselectAll();
    return pUnit;
  }

  // The right glider pushed against the left one as a committing snap does it.
  void Join(CUnitItem* pLeft, CUnitItem* pRight)
  {
    CJoinSnapRecord snap;
    snap.category = 9;
    snap.angle = std::numbers::pi;
    CVRX2DEntityArray stationary;
    stationary.Add(pLeft->GetComponentOutlines()->GetAt(kRightJamb)->Clone());
    CDWordArray indices;
    indices.Add(kRightJamb);
    const auto& moving = *static_cast<const CVRX2DLine*>(pRight->GetComponentOutlines()->GetAt(kLeftJamb));
    ASSERT_TRUE(View()->EvaluateSnapForJoin(moving, pRight, kLeftJamb, pLeft, stationary, indices, snap, TRUE));
    pRight->Offset(CVRX2DVector(snap.length, CVRXAngle(snap.angle)));
    View()->AddJoin();
    Pump();
  }

  int Count(int type) const
  {
    int count = 0;
    for (POSITION pos = View()->GetItemList()->GetHeadPosition(); pos;)
      count += static_cast<CDesignItem*>(View()->GetItemList()->GetNext(pos))->GetItemType() == type;
    return count;
  }
};
}  // namespace

TEST_F(WbCommandsTest, SelectAllTakesEveryItemInListOrderWhileEditable)
{
  EXPECT_FALSE(StateOf(kSelectAll).enabled);
  CUnitItem* pFirst = Glider(10.0, 10.0);
  CUnitItem* pSecond = Glider(200.0, 10.0);
  ASSERT_TRUE(pFirst && pSecond);
  ASSERT_TRUE(StateOf(kSelectAll).enabled);
  Command(kSelectAll);
  ASSERT_EQ(View()->GetSelectedCount(FALSE), 2);
  EXPECT_EQ(View()->GetSelectedItems().GetHead(), pFirst);
  EXPECT_EQ(View()->GetSelectedItems().GetTail(), pSecond);
  View()->SetReadOnly(TRUE);
  EXPECT_FALSE(StateOf(kSelectAll).enabled);
}

TEST_F(WbCommandsTest, TheTogglesSwitchAMixedSelectionOffAndSnapToStaysInReadOnly)
{
  CUnitItem* pFirst = Glider(10.0, 10.0);
  CUnitItem* pSecond = Glider(200.0, 10.0);
  ASSERT_TRUE(pFirst && pSecond);
  EXPECT_FALSE(StateOf(kAlignmentLines).enabled);
  EXPECT_FALSE(StateOf(kSnapTo).enabled);
  pFirst->SetShowAlignmentLines(TRUE);
  pSecond->SetShowAlignmentLines(FALSE);
  View()->Select(pFirst);
  View()->Select(pSecond);
  EXPECT_TRUE(StateOf(kAlignmentLines).enabled);
  EXPECT_EQ(StateOf(kAlignmentLines).checked, 1);
  Command(kAlignmentLines);
  EXPECT_FALSE(pFirst->GetShowAlignmentLines());
  EXPECT_FALSE(pSecond->GetShowAlignmentLines());
  EXPECT_EQ(StateOf(kAlignmentLines).checked, 0);
  Command(kAlignmentLines);
  EXPECT_TRUE(pFirst->GetShowAlignmentLines() && pSecond->GetShowAlignmentLines());

  pFirst->SetSnapToAlignmentLines(TRUE);
  pSecond->SetSnapToAlignmentLines(FALSE);
  EXPECT_EQ(StateOf(kSnapTo).checked, 1);
  Command(kSnapTo);
  EXPECT_FALSE(pFirst->GetSnapToAlignmentLines() || pSecond->GetSnapToAlignmentLines());
  View()->SetReadOnly(TRUE);
  View()->Select(pFirst);
  EXPECT_TRUE(StateOf(kSnapTo).enabled);
  EXPECT_FALSE(StateOf(kAlignmentLines).enabled);
}

TEST_F(WbCommandsTest, SpacingEvenlyMovesOnlyTheMiddleItems)
{
  CUnitItem* pA = Glider(10.0, 10.0);
  CUnitItem* pC = Glider(400.0, 200.0);
  CUnitItem* pB = Glider(60.0, 50.0);
  ASSERT_TRUE(pA && pB && pC);
  View()->Select(pA);
  View()->Select(pB);
  Command(kSpaceHorizontally);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], "You must select 3 or more items before using this operation to space then evenly.");
  View()->Select(pC);
  Command(kSpaceHorizontally);
  const double w = pA->GetWidth();
  const double h = pA->GetHeight();
  EXPECT_DOUBLE_EQ(pA->GetOffset().GetX(), 10.0);
  EXPECT_DOUBLE_EQ(pC->GetOffset().GetX(), 400.0);
  EXPECT_NEAR(pB->GetOffset().GetX(), 10.0 + w + (400.0 - 10.0 - 2.0 * w) / 2.0, 1e-9);
  EXPECT_DOUBLE_EQ(pB->GetOffset().GetY(), 50.0);
  Command(kSpaceVertically);
  EXPECT_NEAR(pB->GetOffset().GetY(), 10.0 + h + (200.0 - 10.0 - 2.0 * h) / 2.0, 1e-9);
  EXPECT_DOUBLE_EQ(pA->GetOffset().GetY(), 10.0);
  EXPECT_DOUBLE_EQ(pC->GetOffset().GetY(), 200.0);
  EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(WbCommandsTest, SpacingSortsOnTheExactPositionAndAJoinTakesNoPart)
{
  // Less than an inch apart: the exact positions decide the order, not the selection's.
  CUnitItem* pA = Glider(10.0, 10.0);
  CUnitItem* pB = Glider(10.4, 200.0);
  CUnitItem* pC = Glider(400.0, 10.0);
  ASSERT_TRUE(pA && pB && pC);
  View()->Select(pB);
  View()->Select(pC);
  View()->Select(pA);
  Command(kSpaceHorizontally);
  const double w = pA->GetWidth();
  EXPECT_DOUBLE_EQ(pA->GetOffset().GetX(), 10.0);
  EXPECT_DOUBLE_EQ(pC->GetOffset().GetX(), 400.0);
  EXPECT_NEAR(pB->GetOffset().GetX(), 10.0 + w + (400.0 - 10.0 - 2.0 * w) / 2.0, 1e-9);

  View()->DeselectAll();
  CUnitItem* pLeft = Glider(10.0, 400.0);
  CUnitItem* pRight = Glider(10.0 + pLeft->GetWidth(), 400.0);
  Join(pLeft, pRight);
  ASSERT_EQ(Count(ditJoin), 1);
  const CVRX2DVector left = pLeft->GetOffset();
  const CVRX2DVector right = pRight->GetOffset();
  View()->DeselectAll();
  View()->Select(pLeft);
  View()->Select(pRight);
  View()->Select(static_cast<CDesignItem*>(View()->GetItemList()->GetTail()));
  ASSERT_EQ(View()->GetSelectedCount(FALSE), 3);
  const size_t messages = Messages().size();
  Command(kSpaceHorizontally);
  EXPECT_EQ(Messages().size(), messages);
  EXPECT_EQ(pLeft->GetOffset(), left);
  EXPECT_EQ(pRight->GetOffset(), right);
}

TEST_F(WbCommandsTest, TabWalksTheItemsAndWraps)
{
  CUnitItem* pFirst = Glider(10.0, 10.0);
  CUnitItem* pSecond = Glider(200.0, 10.0);
  ASSERT_TRUE(pFirst && pSecond);
  Key(Qt::Key_Tab);
  EXPECT_TRUE(View()->IsSelected(pFirst));
  Key(Qt::Key_Tab);
  EXPECT_TRUE(View()->IsSelected(pSecond));
  EXPECT_FALSE(View()->IsSelected(pFirst));
  Key(Qt::Key_Tab);
  EXPECT_TRUE(View()->IsSelected(pFirst));
  Key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(View()->IsSelected(pSecond));
  EXPECT_EQ(View()->GetSelectedCount(FALSE), 1);
}

TEST_F(WbCommandsTest, ArrowKeysNudgeOneItemOrSeveralAsOne)
{
  CUnitItem* pFirst = Glider(100.0, 100.0);
  CUnitItem* pSecond = Glider(300.0, 100.0);
  ASSERT_TRUE(pFirst && pSecond);
  View()->Select(pFirst);
  Key(Qt::Key_Up);
  EXPECT_DOUBLE_EQ(pFirst->GetOffset().GetY(), 101.0);
  Key(Qt::Key_Right, Qt::ControlModifier);
  EXPECT_DOUBLE_EQ(pFirst->GetOffset().GetX(), 112.0);
  // Shift wins over Ctrl: one pixel's worth.
  const double pixel = std::fabs(View()->DeviceToWorld(CSize(1, 1)).GetX());
  Key(Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_NEAR(pFirst->GetOffset().GetX(), 112.0 - pixel, 1e-9);

  View()->Select(pSecond);
  const int items = View()->GetItemList()->GetCount();
  Key(Qt::Key_Down);
  EXPECT_DOUBLE_EQ(pFirst->GetOffset().GetY(), 100.0);
  EXPECT_DOUBLE_EQ(pSecond->GetOffset().GetY(), 99.0);
  // The temporary move group is gone and both stay selected.
  EXPECT_EQ(View()->GetItemList()->GetCount(), items);
  EXPECT_EQ(Count(ditMoveGroup), 0);
  EXPECT_EQ(View()->GetSelectedCount(FALSE), 2);
}

// A step that would take the selection past the Workbench's square stops at its edge, for one
// item as for several.
TEST_F(WbCommandsTest, ArrowKeysStopAtTheEdgeOfTheSquare)
{
  CUnitItem* pLone = Glider(100.0, 0.0);
  CUnitItem* pOther = Glider(300.0, 100.0);
  ASSERT_TRUE(pLone && pOther);
  for (const bool both : {false, true}) {
    SCOPED_TRACE(both ? "two selected" : "one selected");
    pLone->Offset(CVRX2DVector(100.0, kWorkbenchSquare - 20.0 - pLone->GetHeight()) - pLone->GetOffset());
    View()->UpdateAlignmentEntities(pLone);
    View()->DeselectAll();
    View()->Select(pLone);
    if (both)
      View()->Select(pOther);
    for (int i = 0; i < 5; ++i)
      Key(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(pLone->GetOffset().GetY() + pLone->GetHeight(), kWorkbenchSquare);
  }
  EXPECT_DOUBLE_EQ(pOther->GetOffset().GetY(), 120.0) << "moved with it, as far";
}

// A unit placed where it would reach past the square's top right corner is placed against both
// edges instead: out there no drag could move it by a little.
TEST_F(WbCommandsTest, AUnitPlacedAtTheCornerOfTheSquareStandsWithinIt)
{
  View()->SetScaleFactor(View()->GetFitScaleFactor(FALSE), TRUE);
  Pump();
  const CPoint corner = View()->WorldToClient(CVRX2DPoint(kWorkbenchSquare - 5.0, kWorkbenchSquare - 10.0));
  ASSERT_TRUE(View()->GetClientRect().PtInRect(corner));
  CUnitItem* pUnit = PlaceUnit(CommandFor("GL", "BA005"), corner);
  ASSERT_NE(pUnit, nullptr);
  CVRX2DPoint low;
  CVRX2DPoint high;
  ASSERT_TRUE(pUnit->GetMoveBox(low, high));
  EXPECT_DOUBLE_EQ(high.GetX(), kWorkbenchSquare);
  EXPECT_DOUBLE_EQ(high.GetY(), kWorkbenchSquare);
  EXPECT_TRUE(pUnit->CanMoveTo(CVRX2DVector(-1.0, -1.0)));
}

// A handle dragged past the square's edge, where the window shows space beyond it, leaves the
// unit's size as it was; within the square the same handle sizes it.
TEST_F(WbCommandsTest, AResizePastTheEdgeOfTheSquareIsRefused)
{
  View()->SetScaleFactor(View()->GetFitScaleFactor(FALSE), TRUE);
  Pump();
  const CPoint edge = View()->WorldToClient(CVRX2DPoint(kWorkbenchSquare, kWorkbenchSquare / 2));
  ASSERT_LT(edge.x + 20, View()->GetClientRect().right) << "the window shows space past the square";
  CUnitItem* pUnit = PlaceUnit(CommandFor("GL", "BA005"), View()->WorldToClient(CVRX2DPoint(1380.0, 700.0)));
  ASSERT_NE(pUnit, nullptr);
  CVRX2DEntityArray before;
  pUnit->GetOutlineEntities(before);
  // The top right corner's handle.
  CSizingHandleArray* pHandles = pUnit->GetSizingHandles(View());
  int corner = 0;
  for (int i = 1; i < pHandles->GetSize(); ++i) {
    const CVRX2DPoint p = pHandles->GetAt(i)->GetPoint();
    const CVRX2DPoint best = pHandles->GetAt(corner)->GetPoint();
    if (p.GetX() + p.GetY() > best.GetX() + best.GetY())
      corner = i;
  }
  const CPoint grip = View()->WorldToClient(pHandles->GetAt(corner)->GetPoint());
  Drag(grip, CPoint(edge.x + 20, grip.y));
  CVRX2DEntityArray after;
  pUnit->GetOutlineEntities(after);
  EXPECT_EQ(after.GetExtents().GetMaxPoint().GetX(), before.GetExtents().GetMaxPoint().GetX());
  EXPECT_EQ(after.GetExtents().GetMinPoint().GetY(), before.GetExtents().GetMinPoint().GetY());
  Drag(grip, CPoint((grip.x + edge.x) / 2, grip.y));
  pUnit->GetOutlineEntities(after);
  EXPECT_GT(after.GetExtents().GetMaxPoint().GetX(), before.GetExtents().GetMaxPoint().GetX());
  EXPECT_LE(after.GetExtents().GetMaxPoint().GetX(), kWorkbenchSquare);
}

// The pointer past the window's edge over the band beyond the square: the release there is taken
// at the window's edge, past the square, and the cursor says it is refused before the release.
TEST_F(WbCommandsTest, AHandleDraggedOutOfTheWindowShowsTheRefusalWhereItsSizeIsRefused)
{
  View()->SetScaleFactor(View()->GetFitScaleFactor(FALSE), TRUE);
  Pump();
  const CRect client = View()->GetClientRect();
  const CPoint edge = View()->WorldToClient(CVRX2DPoint(kWorkbenchSquare, kWorkbenchSquare / 2));
  ASSERT_LT(edge.x + 20, client.right) << "the window shows space past the square";
  CUnitItem* pUnit = PlaceUnit(CommandFor("GL", "BA005"), View()->WorldToClient(CVRX2DPoint(1380.0, 700.0)));
  ASSERT_NE(pUnit, nullptr);
  ASSERT_NE(pUnit->GetTracker(), nullptr);
  CVRX2DEntityArray before;
  pUnit->GetOutlineEntities(before);
  CSizingHandleArray* pHandles = pUnit->GetSizingHandles(View());
  int right = 0;
  for (int i = 1; i < pHandles->GetSize(); ++i)
    if (pHandles->GetAt(i)->GetPoint().GetX() > pHandles->GetAt(right)->GetPoint().GetX())
      right = i;
  const CPoint grip = View()->WorldToClient(pHandles->GetAt(right)->GetPoint());
  const CPoint inside((grip.x + edge.x) / 2, grip.y);
  const CPoint outside(client.right + 30, grip.y);
  const HCURSOR refusal = pUnit->GetTracker()->GetNotAllowedCursor();
  const std::vector<HCURSOR> shown =
      DragShowing(grip, {{inside, pUnit->GetTracker()->GetHandleCursor(right)}, {outside, refusal}});
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1], refusal);
  CVRX2DEntityArray after;
  pUnit->GetOutlineEntities(after);
  EXPECT_EQ(after.GetExtents().GetMaxPoint().GetX(), before.GetExtents().GetMaxPoint().GetX()) << "refused";
}

// A join kept where its unit moved along the joined side stands over the stretch the two sides
// now share, its marker in the middle of it, where the units still meet.
TEST_F(WbCommandsTest, AKeptJoinsMarkerStandsAtTheMiddleOfTheSidesPresentOverlap)
{
  CUnitItem* pLeft = Glider(100.0, 100.0);
  ASSERT_NE(pLeft, nullptr);
  CUnitItem* pRight = Glider(100.0 + pLeft->GetWidth(), 100.0);
  ASSERT_NE(pRight, nullptr);
  ASSERT_NO_FATAL_FAILURE(Join(pLeft, pRight));
  ASSERT_EQ(Count(ditJoin), 1);
  const double height = pLeft->GetHeight();
  View()->Select(pRight);
  for (int i = 0; i < 12; ++i)
    Key(Qt::Key_Up);
  const double rise = pRight->GetOffset().GetY() - pLeft->GetOffset().GetY();
  ASSERT_DOUBLE_EQ(rise, 12.0);
  ASSERT_EQ(Count(ditJoin), 1) << "the sides still share a stretch at the join's spacing";
  CJoinItem* pJoin = nullptr;
  for (POSITION pos = View()->GetItemList()->GetHeadPosition(); pos && !pJoin;)
    pJoin = dynamic_cast<CJoinItem*>(View()->GetItemList()->GetNext(pos));
  ASSERT_NE(pJoin, nullptr);
  CVRX2DEntityArray outline;
  pJoin->GetOutlineEntities(outline);
  ASSERT_EQ(outline.GetSize(), 2);
  const auto& marker = *static_cast<const CVRX2DLine*>(outline[1]);
  const double middle = pLeft->GetOffset().GetY() + (rise + height) / 2.0;
  EXPECT_NEAR(marker.GetStartPoint().GetY(), middle, 1e-9);
  EXPECT_NEAR(marker.GetEndPoint().GetY(), middle, 1e-9);
  const CVRX2DLine line = pJoin->GetLine();
  EXPECT_NEAR(std::abs(line.GetStartPoint().GetY() - line.GetEndPoint().GetY()), height - rise, 1e-9)
      << "over the stretch the sides share";
}

// The joins checked where no move ended (after Space Items Evenly, an ungroup, a join's new
// type): a kept join whose unit stands elsewhere along the joined side is laid again over the
// stretch the sides now share, and stays where it stood across the gap.
TEST_F(WbCommandsTest, AKeptJoinCheckedWithoutAMoveIsLaidOverTheSidesPresentOverlap)
{
  CUnitItem* pLeft = Glider(100.0, 100.0);
  ASSERT_NE(pLeft, nullptr);
  CUnitItem* pRight = Glider(100.0 + pLeft->GetWidth(), 100.0);
  ASSERT_NE(pRight, nullptr);
  ASSERT_NO_FATAL_FAILURE(Join(pLeft, pRight));
  ASSERT_EQ(Count(ditJoin), 1);
  CJoinItem* pJoin = nullptr;
  for (POSITION pos = View()->GetItemList()->GetHeadPosition(); pos && !pJoin;)
    pJoin = dynamic_cast<CJoinItem*>(View()->GetItemList()->GetNext(pos));
  ASSERT_NE(pJoin, nullptr);
  const double x = pJoin->GetLine().GetStartPoint().GetX();
  const double height = pLeft->GetHeight();
  const double rise = 12.0;
  pRight->Offset(CVRX2DVector(0.0, rise));
  View()->UpdateAlignmentEntities(pRight);
  View()->VerifyAllJoins(nullptr);
  ASSERT_EQ(Count(ditJoin), 1) << "the sides still share a stretch at the join's spacing";
  const CVRX2DLine line = pJoin->GetLine();
  EXPECT_NEAR(std::abs(line.GetStartPoint().GetY() - line.GetEndPoint().GetY()), height - rise, 1e-9)
      << "the join is laid again over the stretch the sides share";
  EXPECT_NEAR(std::min(line.GetStartPoint().GetY(), line.GetEndPoint().GetY()), 100.0 + rise, 1e-9)
      << "the join is laid again over the stretch the sides share";
  EXPECT_NEAR(line.GetStartPoint().GetX(), x, 1e-9) << "where it stood across the gap";
  EXPECT_NEAR(line.GetEndPoint().GetX(), x, 1e-9) << "where it stood across the gap";
}

TEST_F(WbCommandsTest, InPlanModeUpAndDownMoveThePlanLineAndNothingElse)
{
  CUnitItem* pUnit = Glider(100.0, 100.0);
  ASSERT_NE(pUnit, nullptr);
  View()->SendMessage(WM_COMMAND, kPlanViewOn);
  Pump();
  ASSERT_TRUE(View()->IsPlanViewShown());
  View()->Select(pUnit);
  const double y = View()->GetPlanSelector()->GetOffset().GetY();
  Key(Qt::Key_Up);
  EXPECT_DOUBLE_EQ(View()->GetPlanSelector()->GetOffset().GetY(), y + 1.0);
  Key(Qt::Key_Left);
  EXPECT_DOUBLE_EQ(View()->GetPlanSelector()->GetOffset().GetY(), y + 1.0);
  EXPECT_DOUBLE_EQ(pUnit->GetOffset().GetX(), 100.0);
  EXPECT_DOUBLE_EQ(pUnit->GetOffset().GetY(), 100.0);
  // The line stops at the square's edges as the units do.
  CPlanSelectorItem* pLine = View()->GetPlanSelector();
  pLine->Offset(CVRX2DVector(0.0, kWorkbenchSquare - 0.5 - pLine->GetOffset().GetY()));
  Key(Qt::Key_Up);
  Key(Qt::Key_Up);
  EXPECT_DOUBLE_EQ(pLine->GetOffset().GetY(), kWorkbenchSquare);
  pLine->Offset(CVRX2DVector(0.0, 0.5 - pLine->GetOffset().GetY()));
  Key(Qt::Key_Down, Qt::ControlModifier);
  EXPECT_DOUBLE_EQ(pLine->GetOffset().GetY(), 0.0);
}

TEST_F(WbCommandsTest, RenameRefusesAStoredDesignsNameAndAcceptsItsOwn)
{
  ASSERT_NE(Glider(10.0, 10.0), nullptr);
  StoreDesign("Kitchen", 1);
  DesignList(m_pDoc)->SendMessage(WM_COMMAND, ID_CREATE_DESIGN);
  Pump();
  ASSERT_NE(View(), nullptr);
  ASSERT_NE(Glider(10.0, 10.0), nullptr);
  StoreDesign("Bath", 1);
  ASSERT_GE(m_pDoc->FindDesign("Kitchen"), 0);
  ASSERT_EQ(m_pDoc->GetEditedDesign()->GetName(), "Bath");
  // Its own present name is no other design's.
  OnNextDialog([](CDialog& dialog) {
    EXPECT_EQ(ControlText(dialog, IDC_CURRENT_NAME), "Bath");
    SetControlText(dialog, IDC_NEW_NAME, "Bath");
    ClickButton(dialog, IDOK);
  });
  View()->SendMessage(WM_COMMAND, kRenameDesign);
  EXPECT_TRUE(Messages().empty());
  OnNextDialog([](CDialog& dialog) {
    SetControlText(dialog, IDC_NEW_NAME, "Kitchen");
    ClickButton(dialog, IDOK);
  });
  OnNextDialog([](CDialog& dialog) {
    EXPECT_EQ(ControlText(dialog, IDC_CURRENT_NAME), "Bath");
    // The refused name comes back as typed, selected to be typed over.
    auto* newName = qobject_cast<QLineEdit*>(dialog.GetDlgItem(IDC_NEW_NAME)->m_hWnd);
    ASSERT_NE(newName, nullptr);
    EXPECT_EQ(newName->text(), QString("Kitchen")) << "the refused new name was thrown away";
    EXPECT_EQ(newName->selectedText(), QString("Kitchen"));
    SetControlText(dialog, IDC_NEW_NAME, "Pantry");
    ClickButton(dialog, IDOK);
  });
  View()->SendMessage(WM_COMMAND, kRenameDesign);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0],
            "A design with that name already exists.  You must choose a name that is not already in use.");
  EXPECT_EQ(m_pDoc->GetEditedDesign()->GetName(), "Pantry");
  CString caption;
  Frame()->GetWindowText(caption);
  EXPECT_EQ(caption, "Pantry (Workbench)");
}

TEST_F(WbCommandsTest, RemoveJoiningBreaksTheJoinsOfTheUnitUnderTheRightClick)
{
  CUnitItem* pLeft = Glider(10.0, 10.0);
  ASSERT_NE(pLeft, nullptr);
  CUnitItem* pRight = Glider(10.0 + pLeft->GetWidth(), 10.0);
  ASSERT_NE(pRight, nullptr);
  Join(pLeft, pRight);
  ASSERT_EQ(Count(ditJoin), 1);
  View()->DeselectAll();
  const CPoint inside = View()->WorldToClient(pRight->GetCenterPoint());
  SendMouse(View(), QEvent::MouseButtonPress, inside, Qt::RightButton, Qt::RightButton);
  SendMouse(View(), QEvent::MouseButtonRelease, inside, Qt::RightButton, Qt::NoButton);
  Pump();
  ASSERT_TRUE(StateOf(kRemoveJoining).enabled);
  Command(kRemoveJoining);
  EXPECT_EQ(Count(ditJoin), 0);
  EXPECT_EQ(View()->GetSelectedCount(FALSE), 1);
  EXPECT_TRUE(View()->IsSelected(pRight));
  EXPECT_FALSE(StateOf(kRemoveJoining).enabled);
}

TEST_F(WbCommandsTest, AppliedPropertiesLetTheItemTheHintNamesSnapAgain)
{
  View()->SetAlignmentModes(0, 0);
  CUnitItem* pFixed = Glider(100.0, 100.0);
  CUnitItem* pMoving = Glider(300.0, 400.0);
  ASSERT_TRUE(pFixed && pMoving);
  const double side = 100.0 + pFixed->GetWidth();
  pMoving->Offset(CVRX2DVector(side + 0.3, 163.7) - pMoving->GetOffset());
  View()->UpdateAlignmentEntities(pMoving);
  // A hint that names no item moves nothing, whatever is selected.
  View()->Select(pMoving);
  m_pDoc->UpdateAllViews(nullptr, kHintItemProperties);
  EXPECT_DOUBLE_EQ(pMoving->GetOffset().GetX(), side + 0.3);
  // The item named snaps again, though another is the one selected.
  View()->DeselectAll();
  View()->Select(pFixed);
  CHint hint(pMoving);
  m_pDoc->UpdateAllViews(nullptr, kHintItemProperties, &hint);
  EXPECT_NEAR(pMoving->GetOffset().GetX(), side, 1e-9);
  EXPECT_DOUBLE_EQ(pMoving->GetOffset().GetY(), 163.7);
  EXPECT_EQ(pFixed->GetOffset(), CVRX2DVector(100.0, 100.0));
}

// The Workbench is not printed: Print and Print Preview stay greyed while it is active, on the
// menu, the toolbar and Ctrl+P alike (its view once printed its picture on page 1 of 65,535
// pages). The Elevation, which prints, enables them again.
TEST_F(WbCommandsTest, TheWorkbenchOffersNothingToPrintAndTheElevationDoes)
{
  ASSERT_NE(Glider(100.0, 100.0), nullptr);
  EXPECT_FALSE(StateOf(ID_FILE_PRINT).enabled);
  EXPECT_FALSE(StateOf(ID_FILE_PRINT_PREVIEW).enabled);
  ShellApp().RunIdle();
  CToolBar* pToolBar = MainFrame()->GetMainToolBar();
  QAction* pPrint = pToolBar->GetAction(pToolBar->CommandToIndex(ID_FILE_PRINT));
  ASSERT_NE(pPrint, nullptr);
  EXPECT_FALSE(pPrint->isEnabled());
  Key(Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(service.printDialogsShown, 0);
  EXPECT_EQ(service.previews, 0);

  Command(ID_VIEW_ELEVATION);
  ASSERT_NE(m_pDoc->GetElevationView(), nullptr);
  EXPECT_TRUE(StateOf(ID_FILE_PRINT).enabled);
  EXPECT_TRUE(StateOf(ID_FILE_PRINT_PREVIEW).enabled);
}
