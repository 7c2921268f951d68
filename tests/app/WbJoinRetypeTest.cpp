// Guards a join's change of type on the Workbench of the running program: three fixed/venting
// units side by side, joined by two standard mulls, and the left join set to the bay angle on
// its Join Properties sheet. In each of the three ways of moving the units, the units joined on
// beyond the one that moves go with it and keep their joins, no unit ends inside another, and the
// join item stands where the new spacing puts it: half the change along with the labelled or the
// other unit, or where it was when both move. A move the square's edge or another unit refuses
// changes nothing and says why.
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "WbGuiFixture.h"
#include "geometry/2dline.h"
#include "model/Join.h"
#include "model/Entcat.h"
#include "productdb/Joining.h"
#include "ui/dlg/PropSheet.h"
#include "workbench/frame/Wbids.h"
#include "workbench/items/Joinitem.h"
#include "workbench/sheets/Joinprop.h"

namespace {
constexpr double kLeftX = 100.0;
constexpr double kY = 100.0;
// The catalogue's joining numbers: the standard mull the units are joined by, the bay angle.
constexpr int kStandardMull = 1;
constexpr int kBayAngle = 4;
// The radio buttons of the sheet, in the order of the modes.
constexpr UINT kModeButtons[] = {IDC_MOVE_LABELLED_UNIT, IDC_MOVE_OTHER_UNIT, IDC_MOVE_BOTH_UNITS};

class JoinRetypeTest : public WorkbenchGuiTest
{
protected:
  void SetUp() override
  {
    WorkbenchGuiTest::SetUp();
    StartProgram();
    View()->SetScaleFactor(1.0 / 24.0, TRUE);
    Pump();
    m_pLeft = Place();
    m_pMiddle = Place();
    m_pRight = Place();
    ASSERT_NE(m_pRight, nullptr);
    MoveTo(m_pLeft, kLeftX);
    // Each unit is pushed against the one on its left: it carries the label of that join.
    ASSERT_TRUE(PushAgainst(m_pMiddle, m_pLeft));
    ASSERT_TRUE(PushAgainst(m_pRight, m_pMiddle));
    ASSERT_EQ(Joins().size(), 2u);
    View()->DeselectAll();
    Pump();
  }

  CUnitItem* Place()
  {
    const CRect client = View()->GetClientRect();
    CUnitItem* pUnit = PlaceUnit(CommandFor("FG", "BA015"), CPoint(client.Width() / 2, client.Height() / 2));
    EXPECT_NE(pUnit, nullptr);
    if (pUnit)
      MoveTo(pUnit, 600.0);
    return pUnit;
  }
  void MoveTo(CUnitItem* pUnit, double x)
  {
    pUnit->Offset(CVRX2DVector(x, kY) - pUnit->GetOffset());
    View()->UpdateAlignmentEntities(pUnit);
    View()->Invalidate(TRUE);
  }
  // The index of the unit's upright side on its right or its left among its component outlines.
  static int Jamb(CUnitItem* pUnit, bool right)
  {
    const CVRX2DEntityArray& sides = *pUnit->GetComponentOutlines();
    int found = -1;
    double x = 0.0;
    for (int i = 0; i < sides.GetSize(); ++i) {
      const auto* pLine = dynamic_cast<const CVRX2DLine*>(sides[i]);
      if (!pLine || std::abs(pLine->GetStartPoint().GetX() - pLine->GetEndPoint().GetX()) > 1e-9)
        continue;
      const double at = pLine->GetStartPoint().GetX();
      if (found < 0 || (right ? at > x : at < x)) {
        found = i;
        x = at;
      }
    }
    return found;
  }
  // The unit stood a quarter inch right of the other and pushed left against it, as the
  // committing snap of a move does it.
  bool PushAgainst(CUnitItem* pMoving, CUnitItem* pStill)
  {
    MoveTo(pMoving, pStill->GetOffset().GetX() + pStill->GetWidth() + 0.25);
    if (!JoinByJambs(pStill, Jamb(pStill, true), pMoving, Jamb(pMoving, false), 0.25, true))
      return false;
    Pump();
    return true;
  }
  CJoinItem* JoinOf(CUnitItem* pA, CUnitItem* pB) const
  {
    for (CJoinItem* pJoin : Joins())
      if (pJoin->JoinsUnit(pA) && pJoin->JoinsUnit(pB))
        return pJoin;
    return nullptr;
  }
  // The join set to the type on its sheet with the mode's way of moving the units, and OK.
  void Retype(CJoinItem* pJoin, int type, int mode)
  {
    bool ran = false;
    OnNextDialog([&](CDialog& dialog) {
      ran = true;
      auto& sheet = dynamic_cast<CJoinPropertiesDlg&>(dialog);
      CPropertyPage* pPage = sheet.GetActivePage();
      auto* pList = dynamic_cast<CListBox*>(pPage->GetDlgItem(IDC_JOINING_TYPES));
      ASSERT_NE(pList, nullptr);
      const int line = pList->FindStringExact(-1, CJoiningRec(type).GetDescription());
      ASSERT_GE(line, 0) << "the sheet offers the type";
      SelectLine(*pPage, IDC_JOINING_TYPES, line);
      ClickButton(*pPage, kModeButtons[mode]);
      ClickButton(sheet, IDOK);
    });
    pJoin->Edit(View());
    ASSERT_TRUE(ran);
  }
  // How far apart two units side by side stand; negative when one is inside the other.
  static double Gap(CUnitItem* pLeft, CUnitItem* pRight)
  {
    return pRight->GetOffset().GetX() - (pLeft->GetOffset().GetX() + pLeft->GetWidth());
  }
  static double MiddleX(const CJoinItem& join)
  {
    const CVRX2DLine line = join.GetLine();
    return (line.GetStartPoint().GetX() + line.GetEndPoint().GetX()) / 2.0;
  }

  CUnitItem* m_pLeft = nullptr;
  CUnitItem* m_pMiddle = nullptr;
  CUnitItem* m_pRight = nullptr;
};

class JoinRetypeModeTest : public JoinRetypeTest, public ::testing::WithParamInterface<int>
{};
}  // namespace

TEST_P(JoinRetypeModeTest, TheUnitsJoinedOnMoveWithTheirUnitAndTheJoinStandsWhereTheNewSpacingPutsIt)
{
  const int mode = GetParam();
  CJoinItem* pLeftJoin = JoinOf(m_pLeft, m_pMiddle);
  CJoinItem* pRightJoin = JoinOf(m_pMiddle, m_pRight);
  ASSERT_NE(pLeftJoin, nullptr);
  ASSERT_NE(pRightJoin, nullptr);
  ASSERT_EQ(pLeftJoin->GetFirstSide().m_pUnitItem, m_pMiddle) << "the middle unit carries the label";
  ASSERT_EQ(pLeftJoin->GetJoin()->GetJoinTypeID(), kStandardMull);
  // The catalogue's spacings: a quarter inch on either side of a standard mull between these
  // jambs, three quarters of an inch of a bay angle.
  EXPECT_DOUBLE_EQ(pLeftJoin->GetTotalSpacing(), 0.5);
  const CJoin bay(kBayAngle, pLeftJoin->GetFirstSide().m_nComponentID, pLeftJoin->GetSecondSide().m_nComponentID);
  EXPECT_DOUBLE_EQ(static_cast<double>(bay.GetFirstOffset()) + bay.GetSecondOffset(), 1.5);
  const double delta = 1.0;
  const double left = m_pLeft->GetOffset().GetX();
  const double middle = m_pMiddle->GetOffset().GetX();
  const double right = m_pRight->GetOffset().GetX();
  const double leftJoin = MiddleX(*pLeftJoin);
  const double rightJoin = MiddleX(*pRightJoin);

  Retype(pLeftJoin, kBayAngle, mode);

  EXPECT_TRUE(Messages().empty()) << (Messages().empty() ? "" : Messages()[0].c_str());
  ASSERT_EQ(Joins().size(), 2u) << "both joins are kept";
  ASSERT_EQ(JoinOf(m_pLeft, m_pMiddle), pLeftJoin);
  ASSERT_EQ(JoinOf(m_pMiddle, m_pRight), pRightJoin);
  EXPECT_EQ(pLeftJoin->GetJoin()->GetJoinTypeID(), kBayAngle);
  EXPECT_EQ(pRightJoin->GetJoin()->GetJoinTypeID(), kStandardMull);
  EXPECT_NEAR(Gap(m_pLeft, m_pMiddle), 1.5, 1e-9) << "the bay angle's spacing";
  EXPECT_NEAR(Gap(m_pMiddle, m_pRight), 0.5, 1e-9) << "the right unit moved into the middle one";
  // How far the units on either side of the join move: the labelled middle one, the other (left)
  // one, or both half of it.
  const double labelled[] = {delta, 0.0, delta / 2.0};
  const double other[] = {0.0, -delta, -delta / 2.0};
  EXPECT_NEAR(m_pLeft->GetOffset().GetX(), left + other[mode], 1e-9);
  EXPECT_NEAR(m_pMiddle->GetOffset().GetX(), middle + labelled[mode], 1e-9);
  EXPECT_NEAR(m_pRight->GetOffset().GetX(), right + labelled[mode], 1e-9) << "the unit joined on beyond moves along";
  const double joinMove[] = {delta / 2.0, -delta / 2.0, 0.0};
  EXPECT_NEAR(MiddleX(*pLeftJoin), leftJoin + joinMove[mode], 1e-9) << "the join item's place";
  EXPECT_NEAR(MiddleX(*pRightJoin), rightJoin + labelled[mode], 1e-9) << "the joined-on join moves with its units";
}

INSTANTIATE_TEST_SUITE_P(EveryMode, JoinRetypeModeTest, ::testing::Values(0, 1, 2));

// Where the units cannot go (another unit in the way, the square's edge, the two units held
// together by a group), nothing changes and the message says why; the join keeps its type.
TEST_F(JoinRetypeTest, ARetypeWhoseMoveIsRefusedChangesNothingAndSaysWhy)
{
  CJoinItem* pLeftJoin = JoinOf(m_pLeft, m_pMiddle);
  ASSERT_NE(pLeftJoin, nullptr);
  // What the design holds: the units' places and the joins' types and lines.
  const auto state = [&] {
    std::vector<double> values;
    for (CUnitItem* pUnit : {m_pLeft, m_pMiddle, m_pRight})
      values.push_back(pUnit->GetOffset().GetX());
    for (CJoinItem* pJoin : Joins())
      values.insert(values.end(), {double(pJoin->GetJoin()->GetJoinTypeID()), MiddleX(*pJoin)});
    return values;
  };
  const auto refused = [&](int mode, const char* why, const std::string& step) {
    const std::vector<double> before = state();
    const size_t told = Messages().size();
    Retype(pLeftJoin, kBayAngle, mode);
    ASSERT_EQ(Messages().size(), told + 1) << step << ": one message says why";
    EXPECT_EQ(Messages().back(), CString("The units could not be repositioned for this joining type: ") + why) << step;
    EXPECT_EQ(state(), before) << step << ": nothing changes";
  };
  // A unit a quarter inch right of the right unit, not joined to it: the middle and right units
  // moving right by an inch, or half of it, would end inside it.
  CUnitItem* pFourth = Place();
  ASSERT_NE(pFourth, nullptr);
  MoveTo(pFourth, m_pRight->GetOffset().GetX() + m_pRight->GetWidth() + 0.25);
  ASSERT_EQ(Joins().size(), 2u);
  refused(0, "a unit would be moved into another unit.", "the labelled side into a unit");
  refused(2, "a unit would be moved into another unit.", "both sides, one into a unit");
  View()->RemoveItem(pFourth);
  // The right unit half an inch from the square's right edge: the labelled side cannot take the
  // inch it needs.
  const CVRX2DVector shift(kWorkbenchSquare - 0.5 - (m_pRight->GetOffset().GetX() + m_pRight->GetWidth()), 0.0);
  for (CDesignItem* pItem :
       {static_cast<CDesignItem*>(m_pLeft), static_cast<CDesignItem*>(m_pMiddle), static_cast<CDesignItem*>(m_pRight),
        static_cast<CDesignItem*>(pLeftJoin), static_cast<CDesignItem*>(JoinOf(m_pMiddle, m_pRight))}) {
    pItem->Offset(shift);
    View()->UpdateAlignmentEntities(pItem);
  }
  refused(0, "a unit would leave the Workbench.", "the unit joined on beyond off the square");
  // The left and the middle unit grouped: they move as one, and no move parts them.
  View()->DeselectAll();
  View()->Select(m_pLeft);
  View()->Select(m_pMiddle);
  View()->SendMessage(WM_COMMAND, ID_GROUP_ITEMS);
  ASSERT_NE(View()->FindGroupOfItem(m_pLeft), nullptr);
  ASSERT_EQ(JoinOf(m_pLeft, m_pMiddle), pLeftJoin);
  refused(1, "the two units are held together by other joins or by a group.", "the units grouped");
}

// A join whose two sides take the new type's spacing unequally (a fixed/venting unit's sill on a
// sliding door's head, the reinforced mull changed to the field mull): with both units moved
// equally the join item stays where it stood across the gap, as it does when only the gap's
// width changes, and is not laid again beside the door at the door's spacing.
TEST_F(JoinRetypeTest, AJoinWhoseSidesTakeTheNewSpacingUnequallyStaysWhereItStoodWhenBothUnitsMove)
{
  constexpr int kReinforcedMull = 2;
  constexpr int kFieldMull = 3;
  const CRect client = View()->GetClientRect();
  CUnitItem* pDoor = PlaceUnit(CommandFor("PS", "BA016"), CPoint(client.Width() / 2, client.Height() / 2));
  ASSERT_NE(pDoor, nullptr);
  pDoor->Offset(CVRX2DVector(kLeftX, 300.0) - pDoor->GetOffset());
  View()->UpdateAlignmentEntities(pDoor);
  // The window a quarter inch over the door's left part, pushed down against its head.
  CUnitItem* pWindow = m_pRight;
  View()->RemoveItem(JoinOf(m_pMiddle, m_pRight));
  const double top = pDoor->GetOffset().GetY() + pDoor->GetHeight();
  pWindow->Offset(CVRX2DVector(kLeftX + 2.0, top + 0.25) - pWindow->GetOffset());
  View()->UpdateAlignmentEntities(pWindow);
  // The level side of each at the other: the window's sill under its left half, the door's head.
  const auto level = [](CUnitItem* pUnit, double y, double x) {
    const CVRX2DEntityArray& sides = *pUnit->GetComponentOutlines();
    for (int i = 0; i < sides.GetSize(); ++i) {
      const auto* pLine = dynamic_cast<const CVRX2DLine*>(sides[i]);
      if (pLine && std::abs(pLine->GetStartPoint().GetY() - y) < 1e-9 &&
          std::abs(pLine->GetEndPoint().GetY() - y) < 1e-9 &&
          std::min(pLine->GetStartPoint().GetX(), pLine->GetEndPoint().GetX()) <= x &&
          std::max(pLine->GetStartPoint().GetX(), pLine->GetEndPoint().GetX()) >= x)
        return i;
    }
    return -1;
  };
  const int sill = level(pWindow, top + 0.25, kLeftX + 6.0);
  const int head = level(pDoor, top, kLeftX + 6.0);
  ASSERT_GE(sill, 0);
  ASSERT_GE(head, 0);
  ASSERT_TRUE(JoinByJambs(pDoor, head, pWindow, sill, 0.25, true, -std::numbers::pi / 2.0));
  CJoinItem* pJoin = JoinOf(pWindow, pDoor);
  ASSERT_NE(pJoin, nullptr);
  ASSERT_EQ(pJoin->GetJoin()->GetJoinTypeID(), kReinforcedMull);
  ASSERT_EQ(pJoin->GetSecondSide().m_pUnitItem, pDoor);
  const CJoin field(kFieldMull, pJoin->GetFirstSide().m_nComponentID, pJoin->GetSecondSide().m_nComponentID);
  ASSERT_NE(field.GetSecondOffset() - pJoin->GetSecondSpacing(), field.GetFirstOffset() - pJoin->GetFirstSpacing())
      << "the sides' spacings change unequally";
  const double y = pJoin->GetLine().GetStartPoint().GetY();
  const double windowY = pWindow->GetOffset().GetY();
  const double doorY = pDoor->GetOffset().GetY();
  const double delta = static_cast<double>(field.GetFirstOffset()) + field.GetSecondOffset() - pJoin->GetTotalSpacing();

  Retype(pJoin, kFieldMull, 2);

  EXPECT_TRUE(Messages().empty()) << (Messages().empty() ? "" : Messages()[0].c_str());
  ASSERT_EQ(JoinOf(pWindow, pDoor), pJoin) << "the join is kept";
  EXPECT_NEAR(pWindow->GetOffset().GetY(), windowY + delta / 2.0, 1e-6);
  EXPECT_NEAR(pDoor->GetOffset().GetY(), doorY - delta / 2.0, 1e-6);
  EXPECT_NEAR(pJoin->GetLine().GetStartPoint().GetY(), y, 1e-6) << "the join item stays where it stood";
  EXPECT_NEAR(pJoin->GetLine().GetEndPoint().GetY(), y, 1e-6) << "the join item stays where it stood";
}
