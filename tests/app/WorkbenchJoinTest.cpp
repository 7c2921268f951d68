// Guards joining on the Workbench of the running program: a glider pushed against another is
// joined by the first join type of the joining order that the catalogue allows, with its line,
// marker and code text where they belong; verification drops a join whose spacing no longer
// holds and a true duplicate but keeps joins of other sides; joins follow the selection of their
// units; the Join Properties sheet changes the type and moves the units to the new spacing; joins
// proposed together are added as when each was proposed alone. At a device pixel ratio of 2 the
// drawing and the palette are shown at the screen's resolution.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include <QAction>
#include <QMdiSubWindow>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QWidget>

#include "WbGuiFixture.h"
#include "workbench/tools/Wbtools.h"
#include "workbench/items/Groupitm.h"
#include "geometry/2dline.h"
#include "model/Join.h"
#include "model/Unit.h"
#include "ui/dlg/PropSheet.h"
#include "ui/frame/CtrlBar.h"
#include "ui/wnd/WndImpl.h"
#include "workbench/items/Joinitem.h"
#include "workbench/sheets/Joinprop.h"
#include "workbench/frame/Wbids.h"

namespace {
// Glider sides in its component outlines.
constexpr int kRightJamb = 2;
constexpr int kLeftJamb = 5;
constexpr double kLeftX = 10.0;
constexpr double kY = 10.0;

class WorkbenchJoinTest : public WorkbenchGuiTest
{
protected:
  void SetUp() override
  {
    WorkbenchGuiTest::SetUp();
    StartProgram();
    View()->SetScaleFactor(1.0 / 12.0, TRUE);
    Pump();
    const CRect client = View()->GetClientRect();
    const UINT nID = CommandFor("GL", "BA005");
    m_pLeft = PlaceUnit(nID, CPoint(client.Width() / 4, client.Height() / 2));
    m_pRight = PlaceUnit(nID, CPoint(client.Width() * 3 / 4, client.Height() / 2));
    ASSERT_NE(m_pLeft, nullptr);
    ASSERT_NE(m_pRight, nullptr);
    MoveTo(m_pLeft, kLeftX);
    View()->DeselectAll();
  }
  void MoveTo(CUnitItem* pUnit, double x)
  {
    pUnit->Offset(CVRX2DVector(x, kY) - pUnit->GetOffset());
    View()->Invalidate(TRUE);
  }
  double RightJambX() const { return kLeftX + m_pLeft->GetWidth(); }
  const CVRX2DLine& Side(CUnitItem* pUnit, int index) const
  {
    return *static_cast<const CVRX2DLine*>(pUnit->GetComponentOutlines()->GetAt(index));
  }
  // The right glider, `gap` away, is pushed left against the left one, as the committing snap
  // of a move does it: the joining snap, the search, the move by the corrected snap, AddJoin.
  BOOL Push(double gap, BOOL create = TRUE)
  {
    MoveTo(m_pRight, RightJambX() + gap);
    CJoinSnapRecord snap;
    snap.category = 9;
    snap.length = gap;
    snap.angle = std::numbers::pi;
    CVRX2DEntityArray stationary;
    stationary.Add(Side(m_pLeft, kRightJamb).Clone());
    CDWordArray indices;
    indices.Add(kRightJamb);
    const BOOL joined = View()->EvaluateSnapForJoin(Side(m_pRight, kLeftJamb), m_pRight, kLeftJamb, m_pLeft, stationary,
                                                    indices, snap, create);
    m_snap = snap;
    if (create) {
      m_pRight->Offset(CVRX2DVector(snap.length, CVRXAngle(snap.angle)));
      View()->AddJoin();
    }
    Pump();
    return joined;
  }
  // Whether the design holds exactly one join, as the step `expected` names; checked before the
  // join is read, so that a join that was not made fails the test by name instead of crashing it.
  ::testing::AssertionResult OneJoin(const char* expected = "the gliders pushed together are joined") const
  {
    const size_t count = Joins().size();
    if (count == 1)
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected one join (" << expected << "), found " << count;
  }
  int MarkerPixels(const CPoint& at) const
  {
    int count = 0;
    for (int y = at.y - 5; y < at.y + 12; ++y)
      for (int x = at.x - 12; x <= at.x + 12; ++x)
        count += View()->GetSurfacePixel(x, y) == CJoinItem::GetMarkerColor();
    return count;
  }
  CUnitItem* m_pLeft = nullptr;
  CUnitItem* m_pRight = nullptr;
  CJoinSnapRecord m_snap;
};
}  // namespace

TEST_F(WorkbenchJoinTest, APushedGliderIsJoinedByTheFirstAllowedTypeWithItsLineMarkerAndCode)
{
  const int movingID = m_pRight->GetUnit()->GetComponentID(kLeftJamb);
  const int stationaryID = m_pLeft->GetUnit()->GetComponentID(kRightJamb);
  // Both the first and the third joining type join these jambs; the order tries 1 first.
  ASSERT_EQ(View()->GetJoiningOrder()[0], 1u);
  ASSERT_TRUE(CJoin::CanBeJoined(3, movingID, stationaryID));
  const CJoin expected(1, movingID, stationaryID);
  const double total = static_cast<double>(expected.GetFirstOffset()) + expected.GetSecondOffset();
  ASSERT_TRUE(Push(0.9));
  EXPECT_NEAR(m_snap.length, 0.9 - total, 1e-9) << "the snap stops the unit the join spacing short";
  EXPECT_EQ(m_snap.movingIndex, kLeftJamb);
  EXPECT_EQ(m_snap.stationaryIndex, kRightJamb);
  EXPECT_EQ(m_snap.pStationaryItem, m_pLeft);
  EXPECT_EQ(View()->GetNewJoinCount(), 0);
  ASSERT_TRUE(OneJoin());
  CJoinItem* pJoin = Joins()[0];
  ASSERT_NE(pJoin->GetJoin(), nullptr);
  EXPECT_EQ(pJoin->GetJoin()->GetJoinTypeID(), 1);
  CUnitItem* pFirst = nullptr;
  CUnitItem* pSecond = nullptr;
  pJoin->GetUnitItems(pFirst, pSecond);
  EXPECT_EQ(pFirst, m_pRight) << "the moving unit is side 1";
  EXPECT_EQ(pSecond, m_pLeft);
  EXPECT_NEAR(pJoin->GetTotalSpacing(), total, 1e-12);
  // The join line runs beside the stationary jamb at its spacing, over the jamb's length.
  const CVRX2DLine line = pJoin->GetLine();
  const double x = RightJambX() + expected.GetSecondOffset();
  EXPECT_NEAR(line.GetStartPoint().GetX(), x, 1e-9);
  EXPECT_NEAR(line.GetEndPoint().GetX(), x, 1e-9);
  EXPECT_NEAR(std::abs(line.GetStartPoint().GetY() - line.GetEndPoint().GetY()), m_pLeft->GetHeight(), 1e-9);
  CVRX2DEntityArray outline;
  pJoin->GetOutlineEntities(outline);
  const auto& marker = *static_cast<CVRX2DLine*>(outline[1]);
  EXPECT_TRUE(marker.IsHorizontal());
  EXPECT_NEAR(marker.GetLength(), 8.0, 1e-9);
  EXPECT_NEAR(marker.GetStartPoint().GetY(), kY + m_pLeft->GetHeight() / 2.0, 1e-9);
  // The code text stands on the marker's start, in the marker colour on white; selected, the
  // colours change places.
  const CPoint at = View()->WorldToClient(marker.GetStartPoint());
  ASSERT_TRUE(View()->GetClientRect().PtInRect(at))
      << at.x << "," << at.y << " in " << View()->GetClientRect().Width() << "x" << View()->GetClientRect().Height();
  const int drawn = MarkerPixels(at);
  EXPECT_GT(drawn, 0);
  // A redraw of a strip that holds part of the code, beside the marker's start and clear of the
  // marker's line, draws that part again: the join's redraw area holds its code.
  const CPoint end = View()->WorldToClient(marker.GetEndPoint());
  const CRect strip =
      end.x < at.x ? CRect(at.x + 2, at.y - 5, at.x + 12, at.y + 12) : CRect(at.x - 11, at.y - 5, at.x - 1, at.y + 12);
  const auto stripPixels = [&] {
    int count = 0;
    for (int y = strip.top; y < strip.bottom; ++y)
      for (int xx = strip.left; xx < strip.right; ++xx)
        count += View()->GetSurfacePixel(xx, y) == CJoinItem::GetMarkerColor();
    return count;
  };
  const int codeInStrip = stripPixels();
  ASSERT_GT(codeInStrip, 0) << "the code reaches past the marker's start";
  View()->InvalidateRect(&strip, TRUE);
  Pump();
  EXPECT_EQ(stripPixels(), codeInStrip) << "a redraw of part of the join's code left that part out";
  int above = 0;
  for (int y = at.y - 12; y < at.y - 6; ++y)
    for (int xx = at.x - 12; xx <= at.x + 12; ++xx)
      above += View()->GetSurfacePixel(xx, y) == CJoinItem::GetMarkerColor();
  EXPECT_EQ(above, 0) << "nothing of the text above its top";
  View()->Select(pJoin);
  Pump();
  EXPECT_GT(MarkerPixels(at), drawn + 20);
  // With the markers off the join is not drawn at all.
  View()->DeselectAll();
  View()->SetShowJoins(FALSE);
  View()->Invalidate(TRUE);
  Pump();
  EXPECT_EQ(MarkerPixels(at), 0);
}

TEST_F(WorkbenchJoinTest, ADragStepOnlyCorrectsTheSnapAndCapturesNothing)
{
  EXPECT_TRUE(Push(0.9, FALSE));
  EXPECT_EQ(View()->GetNewJoinCount(), 0);
  EXPECT_TRUE(Joins().empty());
  // Jambs that share less than two inches are not joined.
  m_pLeft->Offset(CVRX2DVector(0.0, m_pLeft->GetHeight() - 1.99));
  EXPECT_FALSE(Push(0.9));
  EXPECT_TRUE(Joins().empty());
  m_pLeft->Offset(CVRX2DVector(0.0, -0.01));
  EXPECT_TRUE(Push(0.9)) << "an overlap of exactly two inches is enough";
  EXPECT_TRUE(OneJoin("an overlap of exactly two inches is enough"));
}

TEST_F(WorkbenchJoinTest, VerificationDropsAJoinWhoseSpacingNoLongerHolds)
{
  ASSERT_TRUE(Push(0.9));
  ASSERT_TRUE(OneJoin());
  View()->VerifyAllJoins(nullptr);
  EXPECT_EQ(Joins().size(), 1u) << "a sound join stays";
  m_pRight->Offset(CVRX2DVector(0.1, 0.0));
  View()->VerifyAllJoins(m_pLeft);
  EXPECT_TRUE(Joins().empty());
  EXPECT_EQ(View()->GetItemList()->GetCount(), 2) << "the units stay";
  // A side standing the spacing inside the other unit does not pass for one outside it.
  m_pRight->Offset(CVRX2DVector(-0.1, 0.0));
  const double spacing = m_pRight->GetOffset().GetX() - RightJambX();
  ASSERT_TRUE(Push(spacing));
  ASSERT_TRUE(OneJoin("the gliders pushed together at the spacing are joined"));
  ASSERT_NEAR(Joins()[0]->GetTotalSpacing(), spacing, 1e-9);
  m_pRight->Offset(CVRX2DVector(-2.0 * spacing, 0.0));
  View()->VerifyAllJoins(nullptr);
  EXPECT_TRUE(Joins().empty()) << "the right unit overlaps the left by the spacing";
}

TEST_F(WorkbenchJoinTest, OnlyAJoinOfTheSameTwoSidesIsADuplicate)
{
  ASSERT_TRUE(Push(0.9));
  ASSERT_TRUE(Push(0.0));
  ASSERT_TRUE(OneJoin("the same push again adds no second join"));
  CJoinItem* pFirst = Joins()[0];
  const float half = static_cast<float>(pFirst->GetTotalSpacing() / 2.0);
  // The same two units joined at their outer jambs: the same units and the same two component
  // indices, but other sides.
  const double outer = Side(m_pRight, kRightJamb).GetStartPoint().GetX() - kLeftX;
  auto* pOuter = new CJoinItem(CVRX2DPoint(0.0, 0.0), CVRX2DPoint(0.0, 20.0), 1, 2106, 2103);
  pOuter->AddUnit(1, m_pLeft, kLeftJamb, 2106, static_cast<float>(outer / 2.0));
  pOuter->AddUnit(2, m_pRight, kRightJamb, 2103, static_cast<float>(outer / 2.0));
  View()->AddItem(pOuter, FALSE);
  View()->VerifyAllJoins(nullptr);
  // Those sides face away from each other, so that join goes for its fit; the first is no
  // duplicate of it and stays.
  ASSERT_TRUE(OneJoin("the join of the facing jambs stays"));
  EXPECT_EQ(Joins()[0], pFirst);
  // The first join's sides in the other order: a true duplicate; the one met first goes.
  auto* pSwapped = new CJoinItem(CVRX2DPoint(0.0, 0.0), CVRX2DPoint(0.0, 20.0), 1, 2103, 2106);
  pSwapped->AddUnit(1, m_pLeft, kRightJamb, 2103, half);
  pSwapped->AddUnit(2, m_pRight, kLeftJamb, 2106, half);
  View()->AddItem(pSwapped, FALSE);
  View()->VerifyAllJoins(nullptr);
  const std::vector<CJoinItem*> joins = Joins();
  ASSERT_EQ(joins.size(), 1u);
  EXPECT_EQ(joins[0], pSwapped);
}

TEST_F(WorkbenchJoinTest, AJoinIsSelectedExactlyWhenBothItsUnitsAre)
{
  ASSERT_TRUE(Push(0.9));
  ASSERT_TRUE(OneJoin());
  CJoinItem* pJoin = Joins()[0];
  View()->Select(m_pLeft);
  View()->UpdateJoinSelection();
  EXPECT_FALSE(View()->IsSelected(pJoin));
  View()->Select(m_pRight);
  View()->UpdateJoinSelection();
  EXPECT_TRUE(View()->IsSelected(pJoin));
  EXPECT_EQ(View()->GetSelectedCount(TRUE), 3);
  View()->Deselect(m_pLeft);
  EXPECT_EQ(View()->GetSelectedCount(TRUE), 1) << "a copy leaves out the join of a unit it does not take";
  View()->UpdateJoinSelection();
  EXPECT_FALSE(View()->IsSelected(pJoin));
}

// A unit counts as selected for its joins also as the member of a selected group, and a join
// repositioning it then moves the whole group.
TEST_F(WorkbenchJoinTest, AUnitInASelectedGroupCountsAsSelectedForItsJoins)
{
  ASSERT_TRUE(Push(0.9));
  ASSERT_TRUE(OneJoin());
  CJoinItem* pJoin = Joins()[0];
  const CRect client = View()->GetClientRect();
  CUnitItem* pThird = PlaceUnit(CommandFor("GL", "BA005"), CPoint(client.Width() / 4, client.Height() / 5));
  ASSERT_NE(pThird, nullptr);
  View()->DeselectAll();
  View()->Select(m_pLeft);
  View()->Select(pThird);
  View()->SendMessage(WM_COMMAND, ID_GROUP_ITEMS);
  CGroupItem* pGroup = View()->FindGroupOfItem(m_pLeft);
  ASSERT_NE(pGroup, nullptr);
  EXPECT_EQ(View()->FindGroupOfItem(pThird), pGroup);
  EXPECT_EQ(View()->FindGroupOfItem(m_pRight), nullptr);
  EXPECT_TRUE(View()->IsJoinInGroup(pJoin));
  View()->DeselectAll();
  View()->Select(pGroup);
  View()->UpdateJoinSelection();
  EXPECT_FALSE(View()->IsSelected(pJoin)) << "only one of its units is selected";
  View()->Select(m_pRight);
  View()->UpdateJoinSelection();
  EXPECT_TRUE(View()->IsSelected(pJoin));
  View()->Deselect(pGroup);
  View()->UpdateJoinSelection();
  EXPECT_FALSE(View()->IsSelected(pJoin));
}

// A group that holds a join offers the join's line for alignment and moves it as a join line.
TEST_F(WorkbenchJoinTest, AGroupedJoinLendsItsLineToTheGroup)
{
  ASSERT_TRUE(Push(0.9));
  ASSERT_TRUE(OneJoin());
  CJoinItem* pJoin = Joins()[0];
  View()->DeselectAll();
  View()->Select(m_pLeft);
  View()->Select(m_pRight);
  View()->UpdateJoinSelection();
  ASSERT_TRUE(View()->IsSelected(pJoin));
  View()->SendMessage(WM_COMMAND, ID_GROUP_ITEMS);
  CGroupItem* pGroup = View()->FindGroupOfItem(m_pLeft);
  ASSERT_NE(pGroup, nullptr);
  ASSERT_TRUE(pGroup->ContainsItem(pJoin));
  const CVRX2DLine line = pJoin->GetLine();
  int alignment = 0;
  const CVRX2DEntityArray& entities = *pGroup->GetAlignmentEntities();
  for (int i = 0; i < entities.GetSize(); ++i)
    if (entities[i]->GetCategory() == 3 && entities[i]->GetType() == VRX_LINE &&
        static_cast<const CVRX2DLine&>(*entities[i]).IsColinear(line))
      ++alignment;
  EXPECT_EQ(alignment, 1);
  CObOwnArray refs;
  pGroup->GetOutlineEntityRefs(refs);
  int joinRefs = 0;
  for (int i = 0; i < refs.GetSize(); ++i) {
    const auto* pRef = static_cast<const COutlineEntityRef*>(refs[i]);
    if (pRef->m_pItem == pJoin) {
      ++joinRefs;
      EXPECT_EQ(pRef->m_pEntity->GetCategory(), 13);
      EXPECT_EQ(pRef->m_nIndex, 0);
    }
  }
  EXPECT_EQ(joinRefs, 1);
}

TEST_F(WorkbenchJoinTest, TheJoiningTypePageChangesTheTypeAndMovesBothUnitsEqually)
{
  ASSERT_TRUE(Push(0.9));
  ASSERT_TRUE(OneJoin());
  CJoinItem* pJoin = Joins()[0];
  const CString field = CJoiningRec(3).GetDescription();
  const CJoin fieldJoin(3, pJoin->GetFirstSide().m_nComponentID, pJoin->GetSecondSide().m_nComponentID);
  const double before = pJoin->GetTotalSpacing();
  const double after = static_cast<double>(fieldJoin.GetFirstOffset()) + fieldJoin.GetSecondOffset();
  ASSERT_NE(before, after);
  const double leftX = m_pLeft->GetOffset().GetX();
  const double rightX = m_pRight->GetOffset().GetX();
  const CVRX2DLine line = pJoin->GetLine();
  bool ran = false;
  OnNextDialog([&](CDialog& dialog) {
    ran = true;
    auto& sheet = dynamic_cast<CJoinPropertiesDlg&>(dialog);
    CString caption;
    sheet.GetWindowText(caption);
    EXPECT_EQ(caption, "Join Properties");
    CPropertyPage* pPage = sheet.GetActivePage();
    ASSERT_NE(pPage, nullptr);
    auto* pList = dynamic_cast<CListBox*>(pPage->GetDlgItem(IDC_JOINING_TYPES));
    ASSERT_NE(pList, nullptr);
    ASSERT_EQ(pList->GetCount(), 2) << "standard and field mull";
    CString selected;
    pList->GetText(pList->GetCurSel(), selected);
    EXPECT_EQ(selected, pJoin->GetJoin()->GetJoinTypeName());
    EXPECT_EQ(dynamic_cast<CButton*>(pPage->GetDlgItem(IDC_MOVE_LABELLED_UNIT))->GetCheck(), 1);
    SelectLine(*pPage, IDC_JOINING_TYPES, pList->FindStringExact(-1, field));
    ClickButton(*pPage, IDC_MOVE_BOTH_UNITS);
    ClickButton(sheet, ID_APPLY_NOW);
    EXPECT_EQ(ControlText(sheet, IDCANCEL), "Close");
    EXPECT_FALSE(sheet.GetDlgItem(ID_APPLY_NOW)->IsWindowEnabled());
    EXPECT_EQ(pJoin->GetJoin()->GetJoinTypeID(), 3);
    ClickButton(sheet, IDCANCEL);
  });
  pJoin->Edit(View());
  ASSERT_TRUE(ran);
  ASSERT_EQ(Joins().size(), 1u) << "the join still holds after the units moved";
  EXPECT_EQ(pJoin->GetJoin()->GetJoinTypeID(), 3) << "closing keeps what was applied";
  EXPECT_NEAR(pJoin->GetTotalSpacing(), after, 1e-12);
  EXPECT_NEAR(m_pLeft->GetOffset().GetX(), leftX - (after - before) / 2.0, 1e-9);
  EXPECT_NEAR(m_pRight->GetOffset().GetX(), rightX + (after - before) / 2.0, 1e-9);
  EXPECT_TRUE(pJoin->GetLine() == line) << "the join item stays";
}

TEST_F(WorkbenchJoinTest, OkOnTheJoiningTypePageMovesOnlyTheLabelledUnit)
{
  ASSERT_TRUE(Push(0.9));
  ASSERT_TRUE(OneJoin());
  CJoinItem* pJoin = Joins()[0];
  const CString field = CJoiningRec(3).GetDescription();
  const double before = pJoin->GetTotalSpacing();
  const double leftX = m_pLeft->GetOffset().GetX();
  const double rightX = m_pRight->GetOffset().GetX();
  const double lineX = pJoin->GetLine().GetStartPoint().GetX();
  OnNextDialog([&](CDialog& dialog) {
    auto& sheet = dynamic_cast<CJoinPropertiesDlg&>(dialog);
    CPropertyPage* pPage = sheet.GetActivePage();
    auto* pList = dynamic_cast<CListBox*>(pPage->GetDlgItem(IDC_JOINING_TYPES));
    SelectLine(*pPage, IDC_JOINING_TYPES, pList->FindStringExact(-1, field));
    ClickButton(sheet, IDOK);
  });
  pJoin->Edit(View());
  ASSERT_EQ(Joins().size(), 1u);
  const double delta = pJoin->GetTotalSpacing() - before;
  EXPECT_EQ(m_pLeft->GetOffset().GetX(), leftX);
  EXPECT_NEAR(m_pRight->GetOffset().GetX(), rightX + delta, 1e-9) << "side 1 carries the label";
  EXPECT_NEAR(pJoin->GetLine().GetStartPoint().GetX(), lineX + delta / 2.0, 1e-9);
  // Cancel without a change leaves everything.
  OnNextDialog([](CDialog& dialog) { ClickButton(dialog, IDCANCEL); });
  pJoin->Edit(View());
  EXPECT_EQ(pJoin->GetJoin()->GetJoinTypeID(), 3);
}

TEST_F(WorkbenchJoinTest, TheMarkerAndHighlightCommandsToggleTheirSettings)
{
  ASSERT_TRUE(Push(0.9));
  ASSERT_TRUE(OneJoin());
  CVRX2DEntityArray outline;
  Joins()[0]->GetOutlineEntities(outline);
  const CPoint at = View()->WorldToClient(static_cast<CVRX2DLine*>(outline[1])->GetStartPoint());
  EXPECT_EQ(StateOf(105).checked, 1);
  EXPECT_GT(MarkerPixels(at), 0);
  Command(ID_JOINING_MARKERS);
  Pump();
  EXPECT_FALSE(View()->GetShowJoins());
  EXPECT_EQ(StateOf(105).checked, 0);
  EXPECT_EQ(MarkerPixels(at), 0);
  Command(ID_JOINING_MARKERS);
  Pump();
  EXPECT_TRUE(View()->GetShowJoins());
  EXPECT_GT(MarkerPixels(at), 0);
  EXPECT_EQ(StateOf(108).checked, 1);
  Command(ID_SNAP_HIGHLIGHTS);
  EXPECT_FALSE(View()->GetSnapHighlights());
  EXPECT_EQ(StateOf(108).checked, 0);
}

TEST_F(WorkbenchJoinTest, AClickNearTheMarkerHitsTheJoinAndDeletingItKeepsTheUnits)
{
  ASSERT_TRUE(Push(0.9));
  ASSERT_TRUE(OneJoin());
  CJoinItem* pJoin = Joins()[0];
  CVRX2DEntityArray outline;
  pJoin->GetOutlineEntities(outline);
  const auto& marker = *static_cast<CVRX2DLine*>(outline[1]);
  const CVRX2DPoint middle((marker.GetStartPoint().GetX() + marker.GetEndPoint().GetX()) / 2.0,
                           marker.GetStartPoint().GetY());
  const CPoint on = View()->WorldToClient(middle);
  CDesignItem* pHit = nullptr;
  int handle = -1;
  ASSERT_EQ(View()->HitTest(CPoint(on.x, on.y - 4), pHit, handle), hitItem);
  EXPECT_EQ(pHit, pJoin);
  View()->HitTest(CPoint(on.x, on.y - 6), pHit, handle);
  EXPECT_NE(pHit, pJoin);
  // On the join line, away from the marker, the join is not hit.
  View()->HitTest(View()->WorldToClient(pJoin->GetLine().GetStartPoint()), pHit, handle);
  EXPECT_NE(pHit, pJoin);
  View()->Select(pJoin);
  CString name = pJoin->GetJoin()->GetJoinTypeName();
  name.TrimRight();
  ASSERT_FALSE(name.IsEmpty());
  EXPECT_EQ(MainFrame()->GetStatusBar()->GetPaneText(1), "Join: " + name) << "a phrase, not the bare joined words";
  Command(ID_DELETE_ITEM);
  EXPECT_TRUE(Joins().empty());
  EXPECT_EQ(View()->GetItemList()->GetCount(), 2);
  EXPECT_EQ(MainFrame()->GetStatusBar()->GetPaneText(1), "");
}

TEST_F(WorkbenchJoinTest, AJoinWhoseProductJoinCannotBeMadeIsReportedAndNotKept)
{
  auto* pJoin = new CJoinItem(CVRX2DPoint(RightJambX(), 30.0), CVRX2DPoint(RightJambX(), 10.0), 99, 2106, 2103);
  EXPECT_EQ(pJoin->GetJoin(), nullptr);
  const std::vector<CString> messages = Messages();
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "Failed to create CJoin object.");
  EXPECT_EQ(pJoin->GetDescription(), "Join");
  pJoin->AddUnit(1, m_pRight, kLeftJamb, 2106, 0.25f);
  pJoin->AddUnit(2, m_pLeft, kRightJamb, 2103, 0.25f);
  MoveTo(m_pRight, RightJambX() + 0.5);
  View()->AddItem(pJoin, FALSE);
  View()->VerifyAllJoins(nullptr);
  EXPECT_TRUE(Joins().empty());
}

TEST_F(WorkbenchJoinTest, ATypeListedForBothOrdersOfThePairIsOfferedOnce)
{
  // 2303 and 2306 are listed in either order for the same join types.
  CJoinItem join(CVRX2DPoint(0.0, 0.0), CVRX2DPoint(0.0, 20.0), 1, 2306, 2303);
  join.AddUnit(1, m_pRight, kLeftJamb, 2306, 0.25f);
  join.AddUnit(2, m_pLeft, kRightJamb, 2303, 0.25f);
  std::vector<CString> offered;
  OnNextDialog([&](CDialog& dialog) {
    auto& sheet = dynamic_cast<CJoinPropertiesDlg&>(dialog);
    auto* pList = dynamic_cast<CListBox*>(sheet.GetActivePage()->GetDlgItem(IDC_JOINING_TYPES));
    ASSERT_NE(pList, nullptr);
    for (int i = 0; i < pList->GetCount(); ++i) {
      CString text;
      pList->GetText(i, text);
      offered.push_back(text);
      EXPECT_EQ(CJoin::CanBeJoined(static_cast<int>(pList->GetItemData(i)), 2306, 2303), TRUE) << text.c_str();
    }
    EXPECT_FALSE(sheet.GetDlgItem(ID_APPLY_NOW)->IsWindowEnabled());
    ClickButton(sheet, IDCANCEL);
  });
  join.Edit(View());
  const std::vector<CString> expected{CJoiningRec(1).GetDescription(), CJoiningRec(4).GetDescription()};
  EXPECT_EQ(offered, expected);
}

TEST_F(WorkbenchJoinTest, AJoinStaysThroughACancelledDragOfItsUnitAndGoesWithACommittedOne)
{
  ASSERT_TRUE(Push(0.9));
  ASSERT_TRUE(OneJoin());
  CJoinItem* pJoin = Joins()[0];
  View()->Select(m_pRight);
  // A point of the right unit near its joined side, well inside the window.
  const CPoint inside = View()->WorldToClient(m_pRight->GetOffset().AsPoint() + CVRX2DVector(4.0, 5.0));
  ASSERT_TRUE(View()->GetClientRect().PtInRect(CPoint(inside.x + 40, inside.y)));
  Drag(inside, CPoint(inside.x + 40, inside.y), true);
  ASSERT_TRUE(OneJoin("the join stays through a cancelled drag"));
  EXPECT_EQ(Joins()[0], pJoin);
  const double x = m_pRight->GetOffset().GetX();
  Drag(inside, CPoint(inside.x + 40, inside.y));
  EXPECT_GT(m_pRight->GetOffset().GetX(), x);
  EXPECT_TRUE(Joins().empty()) << "the unit moved away from its neighbour";
  EXPECT_EQ(View()->GetItemList()->GetCount(), 2);
}

TEST_F(WorkbenchJoinTest, AJoiningTypeThatWouldPushAUnitOffTheWorkbenchIsRefused)
{
  ASSERT_TRUE(Push(0.9));
  ASSERT_TRUE(OneJoin());
  CJoinItem* pJoin = Joins()[0];
  const CString standard = pJoin->GetJoin()->GetJoinTypeName();
  const int standardType = pJoin->GetJoin()->GetJoinTypeID();
  const double wide = pJoin->GetTotalSpacing();
  auto choose = [&](const CString& name, bool both) {
    OnNextDialog([&, name, both](CDialog& dialog) {
      auto& sheet = dynamic_cast<CJoinPropertiesDlg&>(dialog);
      CPropertyPage* pPage = sheet.GetActivePage();
      auto* pList = dynamic_cast<CListBox*>(pPage->GetDlgItem(IDC_JOINING_TYPES));
      SelectLine(*pPage, IDC_JOINING_TYPES, pList->FindStringExact(-1, name));
      if (both)
        ClickButton(*pPage, IDC_MOVE_BOTH_UNITS);
      ClickButton(sheet, IDOK);
    });
    pJoin->Edit(View());
  };
  // The narrower field mull first.
  choose(CJoiningRec(3).GetDescription(), false);
  ASSERT_EQ(pJoin->GetJoin()->GetJoinTypeID(), 3);
  const double narrow = pJoin->GetTotalSpacing();
  ASSERT_GT(wide, narrow);
  // The pair moved against the right edge of the Workbench square: the labelled right unit has
  // less room than the wider spacing needs, half of it is there.
  const CVRX2DVector shift(1440.0 - (wide - narrow) / 2.0 - (m_pRight->GetOffset().GetX() + m_pRight->GetWidth()), 0.0);
  for (CDesignItem* pItem :
       {static_cast<CDesignItem*>(m_pLeft), static_cast<CDesignItem*>(m_pRight), static_cast<CDesignItem*>(pJoin)}) {
    pItem->Offset(shift);
    View()->UpdateAlignmentEntities(pItem);
  }
  const double leftX = m_pLeft->GetOffset().GetX();
  const double rightX = m_pRight->GetOffset().GetX();
  choose(standard, false);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0],
            "The units could not be repositioned for this joining type: a unit would leave the Workbench.");
  ASSERT_EQ(Joins().size(), 1u);
  EXPECT_EQ(pJoin->GetJoin()->GetJoinTypeID(), 3);
  EXPECT_NEAR(pJoin->GetTotalSpacing(), narrow, 1e-12);
  EXPECT_EQ(m_pLeft->GetOffset().GetX(), leftX);
  EXPECT_EQ(m_pRight->GetOffset().GetX(), rightX);
  // Moving both units halves the step: that fits.
  choose(standard, true);
  EXPECT_EQ(Messages().size(), 1u);
  EXPECT_EQ(pJoin->GetJoin()->GetJoinTypeID(), standardType);
  EXPECT_NEAR(m_pRight->GetOffset().GetX() + m_pRight->GetWidth(), 1440.0, 1e-6);
}

// Deleting a selection removes its items in one go with the joins of its units, a selected join
// among them included, and leaves every other join.
TEST_F(WorkbenchJoinTest, DeletingASelectionTakesTheJoinsOfItsUnitsAndLeavesTheOthers)
{
  ASSERT_TRUE(Push(0.9));
  ASSERT_TRUE(OneJoin());
  CJoinItem* pJoin = Joins()[0];
  const CRect client = View()->GetClientRect();
  CUnitItem* pThird = PlaceUnit(CommandFor("GL", "BA005"), CPoint(client.Width() / 2, client.Height() / 5));
  ASSERT_NE(pThird, nullptr);
  auto* pOther = new CJoinItem(CVRX2DPoint(0.0, 0.0), CVRX2DPoint(0.0, 20.0), 1, 2106, 2103);
  pOther->AddUnit(1, pThird, kLeftJamb, 2106, 0.25f);
  pOther->AddUnit(2, m_pRight, kRightJamb, 2103, 0.25f);
  View()->AddItem(pOther, FALSE);
  ASSERT_EQ(View()->GetItemList()->GetCount(), 5);
  View()->DeselectAll();
  View()->Select(pJoin);
  View()->Select(m_pLeft);
  Command(ID_DELETE_ITEM);
  const std::vector<CJoinItem*> left = Joins();
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0], pOther);
  EXPECT_EQ(View()->GetItemList()->GetCount(), 3);
  EXPECT_EQ(View()->GetSelectedCount(FALSE), 0);
  Command(ID_SELECT_ALL);
  View()->Deselect(pOther);
  Command(ID_DELETE_ITEM);
  EXPECT_EQ(View()->GetItemList()->GetCount(), 0) << "the join of two deleted units goes with them";
  EXPECT_EQ(View()->GetSelectedCount(FALSE), 0);
}

// Units moved together keep the join between them; a join to a unit left behind stays while the
// two still stand at its spacing and is broken when they no longer do.
TEST_F(WorkbenchJoinTest, ANudgedSelectionKeepsItsOwnJoinsAndBreaksTheOnesToUnitsLeftBehind)
{
  ASSERT_TRUE(Push(0.9));
  ASSERT_TRUE(OneJoin());
  CJoinItem* pJoin = Joins()[0];
  const CRect client = View()->GetClientRect();
  CUnitItem* pThird = PlaceUnit(CommandFor("GL", "BA005"), CPoint(client.Width() / 2, client.Height() / 5));
  ASSERT_NE(pThird, nullptr);
  View()->DeselectAll();
  View()->Select(m_pLeft);
  View()->Select(m_pRight);
  View()->Select(pThird);
  const double before = m_pLeft->GetOffset().GetY();
  Key(Qt::Key_Up);
  EXPECT_GT(m_pLeft->GetOffset().GetY(), before);
  ASSERT_TRUE(OneJoin("both its units moved"));
  EXPECT_EQ(Joins()[0], pJoin) << "both its units moved";
  Command(ID_SELECT_ALL);
  ASSERT_TRUE(View()->IsSelected(pJoin));
  Key(Qt::Key_Up);
  ASSERT_TRUE(OneJoin("moved with its units"));
  EXPECT_EQ(Joins()[0], pJoin) << "moved with its units";
  View()->DeselectAll();
  View()->Select(m_pRight);
  View()->Select(pThird);
  const double up = m_pRight->GetOffset().GetY();
  Key(Qt::Key_Up);
  ASSERT_GT(m_pRight->GetOffset().GetY(), up);
  ASSERT_TRUE(OneJoin("moved along the unit it stayed beside, at its spacing"));
  EXPECT_EQ(Joins()[0], pJoin) << "kept as it was";
  // Two long steps up leave the sides less than the least overlap to share. The join, selected
  // with the unit that moves, is one of the members of the selection's temporary group when it
  // goes, and must leave the group too: the group would touch it once it is deleted.
  View()->Select(pJoin);
  Key(Qt::Key_Up, Qt::ControlModifier);
  Key(Qt::Key_Up, Qt::ControlModifier);
  EXPECT_TRUE(Joins().empty()) << "moved away from its left unit";
}

// The same end of a move, taken a step at a time as a nudge of several items takes it: the join,
// selected with the unit moved away from the other, is deleted by the move's verification while
// the selection's temporary group holds it, and must have left the group by then. The group is
// looked at before anything touches its members, so that a group still holding the deleted join
// fails the test by name instead of crashing it when the group is drawn or taken apart.
TEST_F(WorkbenchJoinTest, AJoinDeletedAtTheEndOfAMoveHasLeftTheSelectionsTemporaryGroup)
{
  ASSERT_TRUE(Push(0.9));
  ASSERT_TRUE(OneJoin());
  CJoinItem* pJoin = Joins()[0];
  View()->DeselectAll();
  View()->Select(m_pRight);
  View()->Select(pJoin);
  View()->SetSnapRanges();
  CMoveGroupItem* pGroup = View()->MakeMoveGroup();
  ASSERT_TRUE(pGroup->GetMembers().Find(pJoin)) << "the join is not one of the group's members";
  pGroup->SetAlignmentSource(FALSE);
  View()->UpdateAlignmentEntities(pGroup);
  // Far above the left glider, the right one shares no side with it.
  pGroup->Nudge(CVRX2DVector(0.0, 2 * m_pRight->GetHeight()), View());
  EXPECT_TRUE(Joins().empty()) << "the join to the unit left behind stayed";
  const bool held = pGroup->GetMembers().Find(pJoin) != nullptr;
  if (held)
    pGroup->ReleaseMember(pJoin);
  EXPECT_FALSE(held) << "the selection's temporary group still holds the join the end of the move deleted";
  View()->RemoveAlignmentEntities(pGroup);
  pGroup->Invalidate(View());
  View()->DissolveMoveGroup(pGroup);
  EXPECT_TRUE(View()->IsSelected(m_pRight));
  EXPECT_EQ(View()->GetSelectedCount(FALSE), 1);
}

// Joins that no longer fit leave the design together, exactly those: verification takes the
// unfit and the first of two duplicates among the joins it looks at, a nudge the joins to units
// left behind; every other item stays where it stood in the design.
TEST_F(WorkbenchJoinTest, JoinsThatNoLongerFitGoAndEveryOtherItemKeepsItsPlace)
{
  const CRect client = View()->GetClientRect();
  CUnitItem* pThird = PlaceUnit(CommandFor("GL", "BA005"), CPoint(client.Width() / 2, client.Height() / 5));
  CUnitItem* pFourth = PlaceUnit(CommandFor("GL", "BA005"), CPoint(client.Width() / 2, client.Height() * 4 / 5));
  ASSERT_TRUE(pThird && pFourth);
  // Four gliders in a row, half an inch apart.
  const double step = m_pLeft->GetWidth() + 0.5;
  MoveTo(m_pRight, kLeftX + step);
  MoveTo(pThird, kLeftX + 2 * step);
  MoveTo(pFourth, kLeftX + 3 * step);
  auto join = [this](CUnitItem* pLeft, CUnitItem* pRight, float spacing) {
    auto* pJoin = new CJoinItem(CVRX2DPoint(0.0, 0.0), CVRX2DPoint(0.0, 20.0), 1, 2106, 2103);
    pJoin->AddUnit(1, pRight, kLeftJamb, 2106, spacing);
    pJoin->AddUnit(2, pLeft, kRightJamb, 2103, spacing);
    View()->AddItem(pJoin, FALSE);
    return pJoin;
  };
  join(m_pLeft, m_pRight, 0.25f);
  CJoinItem* pUnfit = join(m_pRight, pThird, 0.5f);
  CJoinItem* pLast = join(pThird, pFourth, 0.25f);
  // The first join's sides in the other order.
  auto* pDuplicate = new CJoinItem(CVRX2DPoint(0.0, 0.0), CVRX2DPoint(0.0, 20.0), 1, 2103, 2106);
  pDuplicate->AddUnit(1, m_pLeft, kRightJamb, 2103, 0.25f);
  pDuplicate->AddUnit(2, m_pRight, kLeftJamb, 2106, 0.25f);
  View()->AddItem(pDuplicate, FALSE);
  auto items = [this] {
    std::vector<CObject*> all;
    for (POSITION pos = View()->GetItemList()->GetHeadPosition(); pos;)
      all.push_back(View()->GetItemList()->GetNext(pos));
    return all;
  };
  const std::vector<CObject*> units{m_pLeft, m_pRight, pThird, pFourth};
  auto unitsAnd = [&units](std::vector<CObject*> joins) {
    std::vector<CObject*> all = units;
    all.insert(all.end(), joins.begin(), joins.end());
    return all;
  };
  View()->VerifyAllJoins(m_pLeft);
  EXPECT_EQ(items(), unitsAnd({pUnfit, pLast, pDuplicate})) << "the joins of the other units are not looked at";
  View()->VerifyAllJoins(nullptr);
  EXPECT_EQ(items(), unitsAnd({pLast, pDuplicate}));
  CJoinItem* pCrossing = join(m_pRight, pThird, 0.25f);
  View()->VerifyAllJoins(nullptr);
  ASSERT_EQ(items(), unitsAnd({pLast, pDuplicate, pCrossing}));
  View()->DeselectAll();
  View()->Select(m_pLeft);
  View()->Select(m_pRight);
  // Two long steps up leave the sides of the third glider less than the least overlap to share.
  Key(Qt::Key_Up, Qt::ControlModifier);
  Key(Qt::Key_Up, Qt::ControlModifier);
  ASSERT_GT(m_pLeft->GetOffset().GetY(), kY + m_pLeft->GetHeight() - 2.0);
  EXPECT_EQ(items(), unitsAnd({pLast, pDuplicate})) << "only the join to a unit left behind goes";
}

// Run at scale factor 2 (a second CTest entry sets QT_SCALE_FACTOR): the Workbench is shown at
// the screen's resolution. Where a unit's arch or a join's code crosses a window pixel, its device
// pixels are not all of one colour (the window-pixel picture blown up would make them so), and
// the palette's pictures are solid at that ratio.
TEST_F(WorkbenchJoinTest, AtTheScreensRatioArchesCodesAndPalettePicturesAreDrawnAtDevicePixels)
{
  if (qGuiApp->devicePixelRatio() != 2.0)
    GTEST_SKIP() << "run under QT_SCALE_FACTOR=2";
  MainFrame()->GetOuterHandle()->resize(1000, 760);
  auto* pSub = qobject_cast<QMdiSubWindow*>(Frame()->GetOuterHandle());
  ASSERT_NE(pSub, nullptr);
  pSub->showMaximized();
  ASSERT_TRUE(Push(0.9));
  const CRect client = View()->GetClientRect();
  CUnitItem* pArch = PlaceUnit(CommandFor("AR", "BA011"), CPoint(client.Width() / 2, client.Height() / 2));
  ASSERT_NE(pArch, nullptr);
  pArch->Offset(CVRX2DVector(RightJambX() + m_pRight->GetWidth() + 12.0, kY) - pArch->GetOffset());
  View()->DeselectAll();
  View()->SetScaleFactor(View()->GetFitScaleFactor(TRUE), TRUE);
  View()->Invalidate(TRUE);
  Pump();
  const std::vector<CJoinItem*> joins = Joins();
  ASSERT_EQ(joins.size(), 1u);
  CVRX2DEntityArray marker;
  joins[0]->GetOutlineEntities(marker);
  const CPoint code = View()->WorldToClient(static_cast<CVRX2DLine*>(marker[1])->GetStartPoint());
  CVRX2DEntityArray outline;
  pArch->GetOutlineEntities(outline);
  const CVRX2DRectangle box = outline.GetExtents();
  const CPoint topLeft = View()->WorldToClient(CVRX2DPoint(box.GetMinPoint().GetX(), box.GetMaxPoint().GetY()));
  const CPoint bottomRight = View()->WorldToClient(CVRX2DPoint(box.GetMaxPoint().GetX(), box.GetMinPoint().GetY()));
  const CRect arch(topLeft.x, topLeft.y, bottomRight.x + 1, (topLeft.y + bottomRight.y) / 2);
  ASSERT_GT(arch.Width(), 20);
  ASSERT_TRUE(client.PtInRect(code) && client.PtInRect(topLeft) && client.PtInRect(bottomRight));

  const QImage shown = View()->Impl()->Client()->grab().toImage();
  ASSERT_EQ(shown.size(), QSize(client.Width() * 2, client.Height() * 2));
  auto mixed = [&shown](const CRect& area) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) {
        const QRgb first = shown.pixel(2 * x, 2 * y);
        count += shown.pixel(2 * x + 1, 2 * y) != first || shown.pixel(2 * x, 2 * y + 1) != first ||
                 shown.pixel(2 * x + 1, 2 * y + 1) != first;
      }
    return count;
  };
  EXPECT_GT(mixed(arch), 10) << "the arch steps by device pixels";
  EXPECT_GT(mixed(CRect(code.x - 12, code.y - 14, code.x + 12, code.y)), 5) << "the code's glyphs are device pixels";

  // The vertical guideline's picture is a line down column 8 from row 2 to row 12, ink at every
  // device pixel.
  CToolBar* pPalette = Frame()->GetToolBar();
  const QImage picture = pPalette->GetAction(pPalette->CommandToIndex(ID_VERT_GUIDELINE_TOOL))
                             ->icon()
                             .pixmap(QSize(16, 15), 2.0)
                             .toImage();
  ASSERT_EQ(picture.size(), QSize(32, 30));
  int ink = 0;
  for (int y = 4; y < 26; ++y)
    for (int x = 16; x < 18; ++x)
      ink += picture.pixel(x, y) == qRgb(0, 0, 128);
  EXPECT_EQ(ink, 44);
}

// Joins proposed together are added as when each was proposed and added alone: a join of sides
// already joined, one of sides the same proposals joined before it, and one whose spacing no
// longer holds are left out, in the design's order, and a join to a grouped unit moves nothing.
TEST_F(WorkbenchJoinTest, JoinsProposedTogetherAreAddedAsOneByOne)
{
  ASSERT_TRUE(Push(0.9));
  ASSERT_TRUE(OneJoin());
  const double spacing = Joins()[0]->GetTotalSpacing();
  const double width = m_pLeft->GetWidth();
  const double rise = m_pLeft->GetHeight() + 24.0;
  constexpr double kAside = 0.3;
  const std::unique_ptr<CDesignItem> prototype(m_pLeft->Clone());
  auto propose = [this](CUnitItem* pStationary, CUnitItem* pMoving) {
    CJoinSnapRecord snap;
    snap.category = 9;
    snap.angle = std::numbers::pi;
    CVRX2DEntityArray stationary;
    stationary.Add(Side(pStationary, kRightJamb).Clone());
    CDWordArray indices;
    indices.Add(kRightJamb);
    View()->EvaluateSnapForJoin(Side(pMoving, kLeftJamb), pMoving, kLeftJamb, pStationary, stationary, indices, snap,
                                TRUE);
  };
  // The design as text: each item in its place in the design, units by name and offset, joins by
  // their sides.
  auto run = [&](bool together) {
    Command(ID_SELECT_ALL);
    Command(ID_DELETE_ITEM);
    std::map<const CUnitItem*, std::string> names;
    auto glider = [&](const char* name, double x, double y) {
      auto* pUnit = static_cast<CUnitItem*>(prototype->Clone());
      pUnit->Offset(CVRX2DVector(kLeftX + x, kY + y) - pUnit->GetOffset());
      View()->AddItem(pUnit, TRUE);
      names[pUnit] = name;
      return pUnit;
    };
    const double step = width + spacing;
    CUnitItem* pA = glider("A", 0.0, 0.0);
    CUnitItem* pB = glider("B", step, 0.0);
    CUnitItem* pC = glider("C", 2 * step, 0.0);
    // The second row stands a little to the right: its join would snap to the first row's.
    CUnitItem* pD = glider("D", kAside, rise);
    CUnitItem* pE = glider("E", kAside + step, rise);
    CUnitItem* pF = glider("F", 0.0, 2 * rise);
    CUnitItem* pG = glider("G", step, 2 * rise);
    CUnitItem* pH = glider("H", 0.0, 3 * rise);
    View()->DeselectAll();
    View()->Select(pD);
    View()->Select(pH);
    Command(ID_GROUP_ITEMS);
    View()->DeselectAll();
    propose(pB, pC);
    View()->AddJoin();
    const std::vector<std::pair<CUnitItem*, CUnitItem*>> pairs{{pA, pB}, {pB, pC}, {pD, pE}, {pA, pB}, {pF, pG}};
    for (const auto& [pStationary, pMoving] : pairs) {
      propose(pStationary, pMoving);
      if (pMoving == pG)
        pG->Offset(CVRX2DVector(0.1, 0.0));
      if (!together)
        View()->AddJoin();
    }
    if (together)
      View()->AddJoin();
    EXPECT_DOUBLE_EQ(pE->GetOffset().GetX(), kLeftX + kAside + step) << "a join to a grouped unit moves nothing";
    std::vector<std::string> design;
    for (POSITION pos = View()->GetItemList()->GetHeadPosition(); pos;) {
      CObject* pItem = View()->GetItemList()->GetNext(pos);
      if (auto* pUnit = dynamic_cast<CUnitItem*>(pItem)) {
        char at[64];
        std::snprintf(at, sizeof at, " %.6f %.6f", pUnit->GetOffset().GetX(), pUnit->GetOffset().GetY());
        design.push_back(names[pUnit] + at);
      } else if (auto* pJoin = dynamic_cast<CJoinItem*>(pItem))
        design.push_back("join " + names[pJoin->GetFirstSide().m_pUnitItem] + " " +
                         names[pJoin->GetSecondSide().m_pUnitItem]);
      else
        design.push_back("group");
    }
    return design;
  };
  const std::vector<std::string> together = run(true);
  const std::vector<std::string> oneByOne = run(false);
  EXPECT_EQ(together, oneByOne);
  EXPECT_EQ(std::count(together.begin(), together.end(), "join C B"), 1);
  EXPECT_EQ(std::count(together.begin(), together.end(), "join B A"), 1);
  EXPECT_EQ(std::count(together.begin(), together.end(), "join E D"), 1);
  EXPECT_EQ(std::count(together.begin(), together.end(), "join G F"), 0);
}
