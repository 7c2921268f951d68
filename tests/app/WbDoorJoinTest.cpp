// On the Workbench of the running program, with the sample catalogue: a hinged door between two
// sidelights, each joined to it with a reinforced mull, with or without a transom over it, at two
// zooms. The door clicked and nudged either way, or dragged a few pixels and back, ends at its
// spacing from both sidelights: it keeps both joins as they were, and nothing is told.
#include <ostream>
#include <string>
#include <vector>

#include <QTimer>

#include "WbGuiFixture.h"
#include "app/Mainfrm.h"
#include "model/Join.h"
#include "model/Stdunit.h"
#include "ui/frame/CtrlBar.h"
#include "workbench/items/Joinitem.h"

namespace {
// Inches between the sides before a push, and the push, which leaves a quarter inch: inside the
// join capture, at two pixels to the inch five pixels.
constexpr double kStartGap = 2.75;
constexpr double kPush = 2.5;
// The reinforced mull's spacing between a door and its sidelight.
constexpr double kMullSpacing = 1.125;

struct DoorCase
{
  bool transom;
  double scale;
  const char* name;
};

void PrintTo(const DoorCase& c, std::ostream* os) { *os << c.name; }

class WbDoorJoinTest : public WorkbenchGuiTest, public ::testing::WithParamInterface<DoorCase>
{
protected:
  void SetUp() override
  {
    WorkbenchGuiTest::SetUp();
    // Built where the whole door stays in the window.
    StartAtTwoPixelsToTheInch();
    m_pLeft = Make("FG", "BA015", "FGS1480");
    m_pDoor = Make("FH", "BA014", "FH3080");
    m_pRight = Make("FG", "BA015", "FGS1480");
    ASSERT_TRUE(m_pLeft && m_pDoor && m_pRight);
    m_pLeft->Offset(CVRX2DVector(24.0, 24.0) - m_pLeft->GetOffset());
    View()->UpdateAlignmentEntities(m_pLeft);
    PushRightOf(m_pDoor, m_pLeft);
    PushRightOf(m_pRight, m_pDoor);
    if (GetParam().transom) {
      CUnitItem* pTransom = Make("DH", "TR003", "TR3016");
      ASSERT_NE(pTransom, nullptr);
      PushAbove(pTransom, m_pDoor);
    }
    View()->SetScaleFactor(GetParam().scale, TRUE);
    Pump();
    ASSERT_EQ(Gap(m_pLeft, m_pDoor), kMullSpacing);
    ASSERT_EQ(Gap(m_pDoor, m_pRight), kMullSpacing);
    ASSERT_TRUE(Joined(m_pLeft, m_pDoor) && Joined(m_pDoor, m_pRight));
    for (CJoinItem* pJoin : Joins()) {
      CUnitItem* pFirst = nullptr;
      CUnitItem* pSecond = nullptr;
      pJoin->GetUnitItems(pFirst, pSecond);
      if (pFirst->GetWidth() != pSecond->GetWidth()) {
        ASSERT_EQ(pJoin->GetJoin()->GetJoinTypeCode(), CString("MR"));
      }
    }
    m_joins = Joins();
    m_door = m_pDoor->GetOffset();
  }

  // A unit placed through its menu command and given its size code.
  CUnitItem* Make(const char* type, const char* subtype, const char* size)
  {
    const CRect client = View()->GetClientRect();
    CUnitItem* pItem = PlaceUnit(CommandFor(type, subtype), CPoint(client.Width() / 3, client.Height() * 2 / 3));
    if (!pItem)
      return nullptr;
    static_cast<CStandardUnit*>(pItem->GetUnit())->SetSizeCode(size);
    pItem->UpdateUnitInfo();
    View()->UpdateAlignmentEntities(pItem);
    View()->DeselectAll();
    Pump();
    return pItem;
  }
  // Put a little apart from the target, then dragged against it with the mouse, as a designer
  // joins two units.
  void Push(CUnitItem* pItem, const CVRX2DVector& start, const CVRX2DVector& push)
  {
    pItem->Offset(start - pItem->GetOffset());
    View()->UpdateAlignmentEntities(pItem);
    View()->Invalidate(TRUE);
    Pump();
    const CVRX2DPoint grip = pItem->GetCenterPoint();
    Drag(View()->WorldToClient(grip), View()->WorldToClient(grip + push));
    View()->DeselectAll();
    Pump();
  }
  void PushRightOf(CUnitItem* pItem, CUnitItem* pTarget)
  {
    const CVRX2DVector t = pTarget->GetOffset();
    Push(pItem, CVRX2DVector(t.GetX() + pTarget->GetWidth() + kStartGap, t.GetY()), CVRX2DVector(-kPush, 0.0));
  }
  void PushAbove(CUnitItem* pItem, CUnitItem* pTarget)
  {
    const CVRX2DVector t = pTarget->GetOffset();
    Push(pItem, CVRX2DVector(t.GetX(), t.GetY() + pTarget->GetHeight() + kStartGap), CVRX2DVector(0.0, -kPush));
  }
  static double Gap(CUnitItem* pLeft, CUnitItem* pRight)
  {
    return pRight->GetOffset().GetX() - pLeft->GetOffset().GetX() - pLeft->GetWidth();
  }
  bool Joined(CUnitItem* pA, CUnitItem* pB) const
  {
    for (CJoinItem* pJoin : Joins()) {
      CUnitItem* pFirst = nullptr;
      CUnitItem* pSecond = nullptr;
      pJoin->GetUnitItems(pFirst, pSecond);
      if ((pFirst == pA && pSecond == pB) || (pFirst == pB && pSecond == pA))
        return true;
    }
    return false;
  }
  CPoint DoorPoint() const { return View()->WorldToClient(m_pDoor->GetCenterPoint()); }
  // The door stands where it stood, its spacing from both sidelights, and every join of the
  // design is the one it had, drawn, with nothing told.
  void ExpectAsBuilt(const std::string& step)
  {
    EXPECT_NEAR(m_pDoor->GetOffset().GetX(), m_door.GetX(), 1e-9) << step;
    EXPECT_NEAR(m_pDoor->GetOffset().GetY(), m_door.GetY(), 1e-9) << step;
    EXPECT_NEAR(Gap(m_pLeft, m_pDoor), kMullSpacing, 1e-6) << step;
    EXPECT_NEAR(Gap(m_pDoor, m_pRight), kMullSpacing, 1e-6) << step;
    EXPECT_TRUE(Joined(m_pLeft, m_pDoor)) << step << ": the left join";
    EXPECT_TRUE(Joined(m_pDoor, m_pRight)) << step << ": the right join";
    EXPECT_EQ(Joins(), m_joins) << step << ": the joins as they were";
    EXPECT_EQ(MainFrame()->GetStatusBar()->GetPaneText(0), CString("Ready")) << step;
  }

  CUnitItem* m_pLeft = nullptr;
  CUnitItem* m_pDoor = nullptr;
  CUnitItem* m_pRight = nullptr;
  std::vector<CJoinItem*> m_joins;
  CVRX2DVector m_door;
};

TEST_P(WbDoorJoinTest, TheDoorMovedBetweenItsSidelightsKeepsBothJoinsWhereverItEndsAtItsSpacing)
{
  Click(DoorPoint());
  ASSERT_TRUE(View()->IsSelected(m_pDoor));
  Key(Qt::Key_Right);
  ExpectAsBuilt("Right");
  Key(Qt::Key_Left);
  ExpectAsBuilt("Right, then Left");
  Key(Qt::Key_Left);
  ExpectAsBuilt("Left alone");
  // A few pixels right and back in one drag.
  const CPoint at = DoorPoint();
  CWnd* pView = View();
  QTimer::singleShot(0, [pView, at] {
    SendMouse(pView, QEvent::MouseMove, CPoint(at.x + 3, at.y), Qt::NoButton, Qt::LeftButton);
    SendMouse(pView, QEvent::MouseMove, CPoint(at.x + 6, at.y), Qt::NoButton, Qt::LeftButton);
    SendMouse(pView, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
    SendMouse(pView, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
  });
  SendMouse(pView, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
  Pump();
  ExpectAsBuilt("dragged a few pixels and back");
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutTransom, WbDoorJoinTest,
                         ::testing::Values(DoorCase{false, 1.0 / 48.0, "Alone2PixelsAnInch"},
                                           DoorCase{true, 1.0 / 48.0, "Transom2PixelsAnInch"},
                                           DoorCase{false, 1.0 / 24.0, "Alone4PixelsAnInch"},
                                           DoorCase{true, 1.0 / 24.0, "Transom4PixelsAnInch"}),
                         [](const ::testing::TestParamInfo<DoorCase>& info) { return std::string(info.param.name); });
}  // namespace
