// Guards the Workbench view and frame in the running program: the New Window Unit commands,
// the scale view's conversions, scroll bars and autoscroll on a real window, joins that survive
// a drag that does not commit, removal of a selection, the quantity check, a design that can no
// longer be opened, the restored frame kept in reach, a design stored from a maximised frame that
// opens in a restored one with all its units in view, a close that arrives during a drag, and
// status texts told again in the measurement units applied, by the project in front only.
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

#include "WbGuiFixture.h"
#include "app/Shellids.h"
#include "project/Docmsg.h"
#include "model/Unitutil.h"
#include "ui/dlg/Ddx.h"
#include "productdb/Subtypes.h"
#include "ui/docview/DocTempl.h"
#include "ui/frame/CtrlBar.h"
#include "ui/frame/Menu.h"
#include "support/ComExcpt.h"
#include "workbench/tools/Wbtools.h"
#include "workbench/items/Tracker.h"
#include "workbench/frame/Wbids.h"

namespace {
// Stands in for a join item: it joins the one unit it was made for.
class CTestJoin : public CDesignItem
{
public:
  explicit CTestJoin(const CDesignItem* pUnit) : CDesignItem(ditJoin), m_pUnit(pUnit) {}
  void GetJoinedItems(const CDesignItem*& pFirst, const CDesignItem*& pSecond) const override
  {
    pFirst = m_pUnit;
    pSecond = nullptr;
  }
  ~CTestJoin() override { ++deleted; }
  static int deleted;

private:
  const CDesignItem* m_pUnit;
};
int CTestJoin::deleted = 0;

constexpr UINT IDD_LENGTH_TEST = 7801;
constexpr UINT IDC_LENGTH_TEST = 7802;

class CLengthDlg : public CDialog
{
public:
  CLengthDlg() : CDialog(IDD_LENGTH_TEST) {}
  double length = 0.0;

protected:
  void DoDataExchange(CDataExchange* pDX) override { DDX_Length(pDX, IDC_LENGTH_TEST, length); }
};

class WorkbenchViewTest : public WorkbenchGuiTest
{
protected:
  void SetUp() override
  {
    WorkbenchGuiTest::SetUp();
    StartProgram();
  }
  CUnitItem* PlaceGlider()
  {
    const CRect client = View()->GetClientRect();
    return PlaceUnit(CommandFor("GL", "BA005"), CPoint(client.Width() / 3, client.Height() * 2 / 3));
  }
  int Count(const char* text) const
  {
    int count = 0;
    for (const CString& message : Messages())
      count += message == text;
    return count;
  }
};
}  // namespace

TEST_F(WorkbenchViewTest, EveryNewUnitCommandWithAClassIsEnabledAndPlacesItsUnit)
{
  const CNewUnitCommandList& commands = MainFrame()->GetNewUnitCommands();
  ASSERT_GT(commands.GetCount(), 0);
  const CRect client = View()->GetClientRect();
  int placed = 0;
  for (int i = 0; i < commands.GetCount(); ++i) {
    const UINT nID = ID_NEW_UNIT_FIRST + static_cast<UINT>(i);
    BOOL hasClass = FALSE;
    MakeUnit(commands.GetUnitType(nID), commands.GetUnitSubtype(nID), &hasClass);
    EXPECT_EQ(StateOf(nID).enabled, hasClass == TRUE) << commands.GetUnitSubtype(nID).c_str();
    if (!hasClass)
      continue;
    CUnitItem* pItem = PlaceUnit(nID, CPoint(client.Width() / 2, client.Height() / 2));
    ASSERT_NE(pItem, nullptr) << commands.GetUnitSubtype(nID).c_str();
    EXPECT_EQ(pItem->GetType(), commands.GetUnitType(nID));
    EXPECT_EQ(pItem->GetSubtype(), commands.GetUnitSubtype(nID));
    ++placed;
  }
  EXPECT_GT(placed, 0);
  EXPECT_EQ(View()->GetItemList()->GetCount(), placed);
}

TEST_F(WorkbenchViewTest, WorldAndClientConvertWithThePartsNumbers)
{
  CWorkbenchView* pView = View();
  pView->SetScaleFactor(1.0, TRUE);
  const int h = pView->GetClientHeight();
  EXPECT_EQ(pView->WorldToDevice(CVRX2DVector(1.0, 1.0)), CSize(96, 96));
  EXPECT_EQ(pView->WorldToClient(CVRX2DPoint(1.0, 1.0)), CPoint(96, h - 96 - 1));
  EXPECT_EQ(pView->ClientToWorld(CPoint(96, h - 97)), CVRX2DPoint(1.0, 1.0));
  pView->ScrollToDevicePosition(CPoint(40, 30));
  EXPECT_EQ(pView->GetDeviceScrollPosition(), CPoint(40, 30));
  EXPECT_EQ(pView->WorldToClient(CVRX2DPoint(1.0, 1.0)), CPoint(56, h - 96 + 30 - 1));
  EXPECT_EQ(pView->GetScrollPosition(), CVRX2DVector(40.0 / 96, 30.0 / 96));
  pView->SetScaleFactor(0.0001, FALSE);
  EXPECT_DOUBLE_EQ(pView->GetScaleFactor(), 0.001);
  pView->SetScaleFactor(50.0, FALSE);
  EXPECT_DOUBLE_EQ(pView->GetScaleFactor(), 10.0);
  // A world smaller than the client sits in its lower-left corner, and the bars are off.
  pView->SetScaleFactor(0.001, TRUE);
  Pump();
  const CRect world = pView->GetWorldClientRect();
  EXPECT_EQ(world.bottom, h);
  EXPECT_EQ(world.Width(), 138) << "1440 inches at 96 pixels per inch and a thousandth";
  EXPECT_EQ(world.Height(), 138);
  auto* pHBar = dynamic_cast<CScrollBar*>(Frame()->GetDlgItem(kHScrollBarID));
  auto* pVBar = dynamic_cast<CScrollBar*>(Frame()->GetDlgItem(kVScrollBarID));
  ASSERT_NE(pHBar, nullptr);
  ASSERT_NE(pVBar, nullptr);
  EXPECT_FALSE(pHBar->IsWindowEnabled());
  EXPECT_FALSE(pVBar->IsWindowEnabled());
  EXPECT_FALSE(pView->IsInWorldArea(CPoint(5, h / 2)));
  EXPECT_EQ(pView->GetSurfacePixel(5, 5), RGB(166, 202, 240)) << "the outside area";
}

TEST_F(WorkbenchViewTest, ScrollBarsFollowTheScrollPositionAndScrollTheView)
{
  CWorkbenchView* pView = View();
  pView->SetScaleFactor(0.1, TRUE);
  const CSize total = pView->GetTotalDeviceSize();
  const CRect client = pView->GetClientRect();
  auto* pHBar = dynamic_cast<CScrollBar*>(Frame()->GetDlgItem(kHScrollBarID));
  auto* pVBar = dynamic_cast<CScrollBar*>(Frame()->GetDlgItem(kVScrollBarID));
  int low = 0;
  int high = 0;
  pHBar->GetScrollRange(&low, &high);
  EXPECT_EQ(high, total.cx - client.Width());
  pVBar->GetScrollRange(&low, &high);
  EXPECT_EQ(high, total.cy - client.Height());
  EXPECT_EQ(pVBar->GetScrollPos(), high) << "the bottom of the world shows";
  // A line up on the vertical bar shows more of the top.
  pView->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0), 0);
  EXPECT_EQ(pView->GetDeviceScrollPosition().y, client.Height() / 10);
  EXPECT_EQ(pVBar->GetScrollPos(), high - client.Height() / 10);
  pView->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 50), 0);
  EXPECT_EQ(pView->GetDeviceScrollPosition().x, 0);
  pView->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 50), 0);
  EXPECT_EQ(pView->GetDeviceScrollPosition().x, 50);
  EXPECT_EQ(pHBar->GetScrollPos(), 50);
}

TEST_F(WorkbenchViewTest, AfterTheViewGrowsTheScrollPositionIsInReachAgain)
{
  CWorkbenchView* pView = View();
  pView->SetScaleFactor(0.1, TRUE);
  const CSize total = pView->GetTotalDeviceSize();
  pView->ScrollToDevicePosition(CPoint(100000, 100000));
  const CPoint before = pView->GetDeviceScrollPosition();
  CRect frame;
  Frame()->GetWindowRect(&frame);
  Frame()->MoveWindow(0, 0, frame.Width() + 200, frame.Height() + 100);
  Pump();
  const CRect client = pView->GetClientRect();
  const CPoint after = pView->GetDeviceScrollPosition();
  EXPECT_LT(after.x, before.x);
  EXPECT_LT(after.y, before.y);
  EXPECT_LE(after.x, total.cx - client.Width());
  EXPECT_LE(after.y, total.cy - client.Height());
  auto* pHBar = dynamic_cast<CScrollBar*>(Frame()->GetDlgItem(kHScrollBarID));
  int low = 0;
  int high = 0;
  pHBar->GetScrollRange(&low, &high);
  EXPECT_EQ(high, total.cx - client.Width());
  EXPECT_EQ(pHBar->GetScrollPos(), after.x);
}

TEST_F(WorkbenchViewTest, AutoscrollStartsOutsideAndStepsALineTowardsThePointer)
{
  CWorkbenchView* pView = View();
  pView->SetScaleFactor(0.1, TRUE);
  pView->ScrollToDevicePosition(CPoint(300, 300));
  const CRect client = pView->GetClientRect();
  pView->SetCapture();
  SendMouse(pView, QEvent::MouseMove, CPoint(client.right + 20, client.top - 20), Qt::NoButton, Qt::LeftButton);
  EXPECT_TRUE(pView->IsAutoscrolling());
  pView->SendMessage(WM_TIMER, kAutoscrollTimer, 0);
  EXPECT_EQ(pView->GetDeviceScrollPosition(), CPoint(300 + client.Width() / 10, 300 + client.Height() / 10));
  // On the right edge line itself no step is made that way.
  SendMouse(pView, QEvent::MouseMove, CPoint(client.right, client.bottom + 5), Qt::NoButton, Qt::LeftButton);
  pView->SendMessage(WM_TIMER, kAutoscrollTimer, 0);
  EXPECT_EQ(pView->GetDeviceScrollPosition(),
            CPoint(300 + client.Width() / 10, 300 + client.Height() / 10 - client.Height() / 10));
  SendMouse(pView, QEvent::MouseMove, CPoint(10, 10), Qt::NoButton, Qt::LeftButton);
  EXPECT_FALSE(pView->IsAutoscrolling());
  ReleaseCapture();
  // Without the capture a tick ends the timer.
  SendMouse(pView, QEvent::MouseMove, CPoint(client.right + 20, 10), Qt::NoButton, Qt::NoButton);
  pView->SendMessage(WM_TIMER, kAutoscrollTimer, 0);
  EXPECT_FALSE(pView->IsAutoscrolling());
}

// A dragged unit's joins are kept aside while it moves and come back when the drag ends, however
// it ends: where it committed, the end of the move judges them where the unit stands.
TEST_F(WorkbenchViewTest, JoinsStayWhenADragDoesNotCommitAndAreJudgedWhereItEndsWhenItDoes)
{
  CUnitItem* pUnit = PlaceGlider();
  ASSERT_NE(pUnit, nullptr);
  auto* pJoin = new CTestJoin(pUnit);
  View()->AddItem(pJoin, FALSE);
  const CVRX2DVector offset = pUnit->GetOffset();
  const CPoint inside = View()->WorldToClient(pUnit->GetCenterPoint());
  // Cancelled with the right button.
  Drag(inside, CPoint(inside.x + 30, inside.y), true);
  EXPECT_EQ(pUnit->GetOffset(), offset);
  EXPECT_TRUE(View()->GetItemList()->Find(pJoin) != nullptr);
  // Back where it started.
  Drag(inside, inside + CSize(0, 0));
  EXPECT_EQ(pUnit->GetOffset(), offset);
  EXPECT_TRUE(View()->GetItemList()->Find(pJoin) != nullptr);
  // A resize that ends where it started keeps them too.
  const CPoint grip = View()->WorldToClient(pUnit->GetHandlePoint(2, View()));
  Drag(grip, grip);
  EXPECT_TRUE(View()->GetItemList()->Find(pJoin) != nullptr);
  EXPECT_EQ(CTestJoin::deleted, 0);
  // A committed move gives them back to be verified, which knows only joins of two units'
  // sides: this one stands for none and stays.
  Drag(inside, CPoint(inside.x + 30, inside.y));
  EXPECT_NE(pUnit->GetOffset(), offset);
  EXPECT_TRUE(View()->GetItemList()->Find(pJoin) != nullptr);
  EXPECT_EQ(CTestJoin::deleted, 0);
}

TEST_F(WorkbenchViewTest, DeletingAUnitWithItsSelectedJoinRemovesEachOnce)
{
  CUnitItem* pUnit = PlaceGlider();
  ASSERT_NE(pUnit, nullptr);
  auto* pJoin = new CTestJoin(pUnit);
  View()->AddItem(pJoin, FALSE);
  View()->Select(pJoin);
  ASSERT_EQ(View()->GetSelectedCount(FALSE), 2);
  ASSERT_TRUE(StateOf(318).enabled);
  Command(ID_DELETE_ITEM);
  EXPECT_EQ(View()->GetItemList()->GetCount(), 0);
  EXPECT_EQ(View()->GetSelectedCount(FALSE), 0);
  EXPECT_EQ(CTestJoin::deleted, 1);
}

TEST_F(WorkbenchViewTest, StoringNeedsAWholeQuantity)
{
  PlaceGlider();
  for (const char* text : {"abc", "100000", "-3", "4.5", "99999999999", "-"}) {
    Frame()->GetDialogBar()->SetDlgItemText(IDC_WORKBENCH_QUANTITY, text);
    Frame()->SendMessage(WM_COMMAND, IDC_STORE_DESIGN);
    Pump();
    EXPECT_EQ(m_pDoc->GetDesignCount(), 0) << text;
  }
  EXPECT_EQ(Count("Please enter a whole number for the quantity."), 3);
  EXPECT_EQ(Count("Please enter a quantity from 0 to 99999."), 3) << "a number outside the range is told the range";
  // Closing is refused the same way: the Workbench stays.
  Frame()->SendMessage(WM_COMMAND, IDC_WORKBENCH_CLOSE);
  Pump();
  EXPECT_NE(m_pDoc->GetWorkbenchView(), nullptr);
  StoreDesign("Porch", 99999);
  ASSERT_EQ(m_pDoc->GetDesignCount(), 1);
  EXPECT_EQ(m_pDoc->GetEditedDesign()->GetQuantity(), 99999);
}

TEST_F(WorkbenchViewTest, ADesignWhoseUnitIsGoneIsReportedAndLeftAsStored)
{
  m_pDoc->GetEditedDesign()->GetItemList().AddTail(new CUnitItem("GL", "XX999"));
  StoreDesign("Attic", 2);
  ASSERT_GE(m_pDoc->FindDesign("Attic"), 0);
  const DWORD crc = m_pDoc->GetStoredDesigns().GetAt(m_pDoc->FindDesign("Attic"))->GetCRC();
  Frame()->SendMessage(WM_COMMAND, IDC_WORKBENCH_CLOSE);
  Pump();
  ASSERT_EQ(m_pDoc->GetWorkbenchView(), nullptr);
  EditStoredDesign("Attic");
  Pump();
  EXPECT_EQ(m_pDoc->GetWorkbenchView(), nullptr) << "the Workbench closed again";
  EXPECT_EQ(m_pDoc->GetEditedDesign(), nullptr);
  EXPECT_EQ(Count(GetDesignUnreadableMessage("Attic").c_str()), 1);
  EXPECT_EQ(m_pDoc->GetStoredDesigns().GetAt(m_pDoc->FindDesign("Attic"))->GetCRC(), crc);
}

TEST_F(WorkbenchViewTest, AnEmptyDesignReopensAndItsFrameStaysWithinReach)
{
  // An empty design stores a size of 0 by 0, which has no proportions to keep.
  Frame()->MoveWindow(-400, -300, 300, 250);
  Pump();
  StoreDesign("Empty", 2);
  ASSERT_GE(m_pDoc->FindDesign("Empty"), 0);
  const CDesignStore& store = *m_pDoc->GetStoredDesigns().GetAt(m_pDoc->FindDesign("Empty"));
  EXPECT_EQ(store.GetDesignWidth(), 0.0);
  Frame()->SendMessage(WM_COMMAND, IDC_WORKBENCH_CLOSE);
  Pump();
  EditStoredDesign("Empty");
  ASSERT_NE(View(), nullptr);
  CRect frame;
  Frame()->GetWindowRect(&frame);
  CWnd* pClient = CWnd::FromHandle(MainFrame()->m_hWndMDIClient);
  pClient->ScreenToClient(&frame);
  EXPECT_EQ(frame.left, 0);
  EXPECT_EQ(frame.top, 0);
  EXPECT_EQ(frame.Width(), 300);
  EXPECT_EQ(frame.Height(), 250);
}

TEST_F(WorkbenchViewTest, ADesignStoredMaximisedOpensRestoredWithAllItsUnitsInView)
{
  auto* pSub = qobject_cast<QMdiSubWindow*>(Frame()->GetOuterHandle());
  ASSERT_NE(pSub, nullptr);
  pSub->showMaximized();
  Pump();
  // A glider filling nine tenths of the maximised view, its top just below the view's.
  CUnitItem* pUnit = PlaceGlider();
  ASSERT_NE(pUnit, nullptr);
  const CRect maximised = View()->GetClientRect();
  const CSize logPixels = View()->GetLogPixels();
  View()->SetScaleFactor(0.9 * std::min(maximised.Height() / (pUnit->GetHeight() * logPixels.cy),
                                        maximised.Width() / (pUnit->GetWidth() * logPixels.cx)),
                         TRUE);
  View()->ScrollToDevicePosition(CPoint(0, 0));
  const CVRX2DPoint top = View()->ClientToWorld(CPoint(10, 5));
  pUnit->Offset(CVRX2DVector(top.GetX(), top.GetY() - pUnit->GetHeight()) - pUnit->GetOffset());
  View()->UpdateAlignmentEntities(pUnit);
  View()->Invalidate(TRUE);
  Pump();
  StoreDesign("Tall", 1);
  ASSERT_GE(m_pDoc->FindDesign("Tall"), 0);
  Frame()->SendMessage(WM_COMMAND, IDC_WORKBENCH_CLOSE);
  Pump();
  // The project's other windows came up maximised with it; they are restored too.
  for (QMdiSubWindow* pOther : MainFrame()->MdiArea()->subWindowList())
    pOther->showNormal();
  Pump();

  EditStoredDesign("Tall");
  ASSERT_NE(View(), nullptr);
  auto* pReopened = qobject_cast<QMdiSubWindow*>(Frame()->GetOuterHandle());
  ASSERT_NE(pReopened, nullptr);
  if (pReopened->isMaximized())
    pReopened->showNormal();
  Pump();
  EXPECT_FALSE(pReopened->isMaximized());
  const CRect client = View()->GetClientRect();
  ASSERT_LT(client.Height(), maximised.Height()) << "the restored frame has its caption";
  const CVRX2DRectangle design = View()->GetDesignExtents();
  for (const CVRX2DPoint& corner : {design.GetMinPoint(), design.GetMaxPoint()}) {
    const CPoint at = View()->WorldToClient(corner);
    EXPECT_TRUE(client.PtInRect(at)) << at.x << ", " << at.y << " outside " << client.Width() << " x "
                                     << client.Height();
  }
}

TEST_F(WorkbenchViewTest, ACloseDuringADragCancelsTheDragFirst)
{
  CUnitItem* pUnit = PlaceGlider();
  ASSERT_NE(pUnit, nullptr);
  const CVRX2DVector offset = pUnit->GetOffset();
  const CPoint inside = View()->WorldToClient(pUnit->GetCenterPoint());
  CWnd* pView = View();
  CWnd* pFrame = Frame();
  // The close answer: cancel, so that the Workbench stays and the unit can be looked at.
  service.messageAnswers.push_back(IDCANCEL);
  QTimer::singleShot(0, [pView, pFrame, inside] {
    SendMouse(pView, QEvent::MouseMove, CPoint(inside.x + 20, inside.y), Qt::NoButton, Qt::LeftButton);
    pFrame->PostMessage(WM_CLOSE);
  });
  // The drag loop runs inside the press until the close has cancelled it.
  SendMouse(pView, QEvent::MouseButtonPress, inside, Qt::LeftButton, Qt::LeftButton);
  Pump();
  SendMouse(pView, QEvent::MouseButtonRelease, CPoint(inside.x + 20, inside.y), Qt::LeftButton, Qt::NoButton);
  Pump();
  EXPECT_EQ(pUnit->GetOffset(), offset);
  EXPECT_EQ(View()->GetTracker(), nullptr);
  EXPECT_EQ(Count("Store changes to design 'Unnamed' in the project?"), 1);
  EXPECT_NE(m_pDoc->GetWorkbenchView(), nullptr);
}

TEST_F(WorkbenchViewTest, AMillimetreUserTypesMillimetresIntoALengthField)
{
  CDialogTemplate length;
  length.caption = "Length";
  length.size = CSize(120, 50);
  length.items = {{CDlgCtl::Edit, IDC_LENGTH_TEST, "", CRect(5, 5, 100, 17)},
                  {CDlgCtl::DefPushButton, IDOK, "OK", CRect(5, 30, 50, 44)}};
  CResources::Get().AddDialog(IDD_LENGTH_TEST, length);
  ShellApp().GetAppPrefs().GetMiscPrefs()->SetMeasurementUnits(3);
  CLengthDlg dlg;
  OnNextDialog([](CDialog& dialog) {
    SetControlText(dialog, IDC_LENGTH_TEST, "1219");
    ClickButton(dialog, IDOK);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_NEAR(dlg.length, 48.0, 0.01);
}

TEST_F(WorkbenchViewTest, ReadOnlyGreysTheEditingAndSaysSoInTheTitle)
{
  const UINT nID = CommandFor("GL", "BA005");
  EXPECT_TRUE(StateOf(nID).enabled);
  CMenu* pMenu = CMenu::FromHandle(ShellApp().GetWorkbenchTemplate()->m_hMenuShared);
  View()->SetReadOnly(TRUE);
  CString caption;
  Frame()->GetWindowText(caption);
  EXPECT_EQ(caption, "Unnamed (Workbench - Read Only)");
  EXPECT_FALSE(StateOf(nID).enabled);
  EXPECT_FALSE(StateOf(604).enabled);
  EXPECT_EQ(View()->GetCurrentTool(), View()->GetTool(wbtView));
  EXPECT_NE(pMenu->GetMenuState(1, MF_BYPOSITION) & MF_GRAYED, 0u) << "&Edit";
  EXPECT_NE(pMenu->GetMenuState(3, MF_BYPOSITION) & MF_GRAYED, 0u) << "&Insert";
  View()->SetReadOnly(FALSE);
  Frame()->GetWindowText(caption);
  EXPECT_EQ(caption, "Unnamed (Workbench)");
  EXPECT_TRUE(StateOf(nID).enabled);
  EXPECT_EQ(pMenu->GetMenuState(1, MF_BYPOSITION) & MF_GRAYED, 0u);
  EXPECT_EQ(View()->GetCurrentTool(), View()->GetTool(wbtSelect));
}

// Every Workbench shares one menu bar: the Edit and Insert menus show the edit mode of the
// Workbench in front, whatever another project's Workbench switched to before or meanwhile.
TEST_F(WorkbenchViewTest, TheSharedMenusShowTheEditModeOfTheWorkbenchInFront)
{
  CMenu* pMenu = CMenu::FromHandle(ShellApp().GetWorkbenchTemplate()->m_hMenuShared);
  // The titles of the greyed ones among the Edit and Insert menus, so that a failure names them.
  const auto greyed = [pMenu] {
    std::string titles;
    for (const UINT position : {1u, 3u}) {
      CString title;
      pMenu->GetMenuString(position, title, MF_BYPOSITION);
      if (pMenu->GetMenuState(position, MF_BYPOSITION) & MF_GRAYED)
        titles += (titles.empty() ? "" : " ") + std::string(title.c_str());
    }
    return titles;
  };
  // The menu bar as the user sees it.
  const auto shownGreyed = [this](const char* title) {
    auto* bar = MainFrame()->GetOuterHandle()->findChild<QMenuBar*>();
    for (QAction* action : bar ? bar->actions() : QList<QAction*>())
      if (action->text() == title)
        return !action->isEnabled();
    return false;
  };
  CDoc* pFirst = m_pDoc;
  CWorkbenchView* pFirstView = View();
  Command(ID_FILE_NEW);
  ASSERT_EQ(Projects().size(), 2u);
  CDoc* pSecond = Projects()[1];
  auto* pSecondView = dynamic_cast<CWorkbenchView*>(pSecond->GetWorkbenchView());
  ASSERT_NE(pSecondView, nullptr);
  // The project's design list, then its Workbench, as the user picks them in the Window menu.
  const auto bringForward = [this](CDoc* pDoc, CWorkbenchView* pView) {
    MainFrame()->MDIActivate(pDoc->GetWarehouseView()->GetParentFrame());
    Pump();
    MainFrame()->MDIActivate(pView->GetParentFrame());
    Pump();
    ASSERT_EQ(MainFrame()->MDIGetActive(), pView->GetParentFrame());
  };
  ASSERT_NO_FATAL_FAILURE(bringForward(pFirst, pFirstView));
  Command(ID_SHOW_PLAN);
  ASSERT_EQ(pFirstView->GetEditMode(), wemReadOnly) << "a drawing view makes its Workbench read-only";
  ASSERT_EQ(greyed(), "&Edit &Insert") << "the first project's Workbench in front, read-only";

  ASSERT_NO_FATAL_FAILURE(bringForward(pSecond, pSecondView));
  EXPECT_EQ(greyed(), "") << "the second project's Workbench in front, editable";
  EXPECT_FALSE(shownGreyed("&Edit")) << "the second project's Workbench in front, editable";
  EXPECT_FALSE(shownGreyed("&Insert")) << "the second project's Workbench in front, editable";

  // The first project's drawing view ends while the second's Workbench is in front, which has
  // gone read-only meanwhile: the menus stay greyed for it.
  pSecondView->SetReadOnly(TRUE);
  pFirstView->OnPlanViewHide();
  ASSERT_EQ(pFirstView->GetEditMode(), wemEditable);
  EXPECT_EQ(greyed(), "&Edit &Insert") << "the second project's Workbench in front, gone read-only";

  ASSERT_NO_FATAL_FAILURE(bringForward(pFirst, pFirstView));
  EXPECT_EQ(greyed(), "") << "the first project's Workbench in front, editable again";
  EXPECT_FALSE(shownGreyed("&Edit")) << "the first project's Workbench in front, editable again";
}

TEST_F(WorkbenchViewTest, ThePointerAndTheItemUnderItShowInTheStatusBar)
{
  CUnitItem* pUnit = PlaceGlider();
  ASSERT_NE(pUnit, nullptr);
  View()->DeselectAll();
  const CPoint inside = View()->WorldToClient(pUnit->GetCenterPoint());
  SendMouse(View(), QEvent::MouseMove, inside, Qt::NoButton, Qt::NoButton);
  const CVRX2DPoint world = View()->ClientToWorld(inside);
  CString x;
  CString y;
  x.Format("%7.2f", world.GetX());
  y.Format("%7.2f", world.GetY());
  EXPECT_EQ(MainFrame()->GetStatusBar()->GetPaneText(2), "X=" + x + "  Y=" + y);
  EXPECT_EQ(MainFrame()->GetStatusBar()->GetPaneText(1), pUnit->GetDescription());
  EXPECT_FALSE(pUnit->GetDescription().IsEmpty());
}

TEST_F(WorkbenchViewTest, TheDeleteKeyRemovesTheSelectedUnit)
{
  CUnitItem* pUnit = PlaceGlider();
  ASSERT_NE(pUnit, nullptr);
  ASSERT_TRUE(View()->IsSelected(pUnit));
  View()->SetFocus();
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
  QCoreApplication::sendEvent(View()->m_hWnd, &press);
  Pump();
  EXPECT_EQ(View()->GetItemList()->GetCount(), 0);
}

TEST_F(WorkbenchViewTest, AMoveFollowsThePointerWhileTheViewAutoscrolls)
{
  View()->SetScaleFactor(0.1, TRUE);
  Pump();
  CUnitItem* pUnit = PlaceGlider();
  ASSERT_NE(pUnit, nullptr);
  const CVRX2DVector offset = pUnit->GetOffset();
  const CRect client = View()->GetClientRect();
  const CPoint inside = View()->WorldToClient(pUnit->GetCenterPoint());
  const CVRX2DPoint start = View()->ClientToWorld(inside);
  CWorkbenchView* pView = View();
  // Each step comes once the loop has taken the one before, as a pointer's would.
  QTimer::singleShot(0, [pView, inside, client] {
    SendMouse(pView, QEvent::MouseMove, CPoint(inside.x + 20, inside.y), Qt::NoButton, Qt::LeftButton);
    QTimer::singleShot(0, [pView, inside, client] {
      SendMouse(pView, QEvent::MouseMove, CPoint(client.right + 30, inside.y), Qt::NoButton, Qt::LeftButton);
      // One tick of the autoscroll timer, then the release outside the window.
      pView->SendMessage(WM_TIMER, kAutoscrollTimer, 0);
      PostMouse(pView, QEvent::MouseButtonRelease, CPoint(client.right + 30, inside.y), Qt::LeftButton, Qt::NoButton);
    });
  });
  SendMouse(pView, QEvent::MouseButtonPress, inside, Qt::LeftButton, Qt::LeftButton);
  Pump();
  EXPECT_EQ(View()->GetDeviceScrollPosition().x, client.Width() / 10);
  // The release is taken at the edge of the scrolled view.
  const CVRX2DVector moved = View()->ClientToWorld(CPoint(client.Width() - 1, inside.y)) - start;
  EXPECT_NEAR(pUnit->GetOffset().GetX(), offset.GetX() + moved.GetX(), 1e-9);
  EXPECT_NEAR(pUnit->GetOffset().GetY(), offset.GetY() + moved.GetY(), 1e-9);
  EXPECT_EQ(View()->GetTracker(), nullptr);
}

TEST_F(WorkbenchViewTest, TheJoiningOrderAndCaptureDistanceComeFromTheCatalogue)
{
  // Read from the catalogue's own tables, apart from the database reader.
  const std::string folder = std::string(std::getenv("PANECRAFT_SOURCE_DIR")) + "/productdata/catalogue/";
  std::vector<DWORD> numbers;
  std::ifstream joining(folder + "JOINING.csv");
  std::string line;
  std::getline(joining, line);
  while (std::getline(joining, line))
    if (!line.empty())
      numbers.push_back(static_cast<DWORD>(std::stoul(line.substr(0, line.find(',')))));
  std::sort(numbers.begin(), numbers.end());
  double largest = 0.0;
  std::ifstream spacing(folder + "JOINSPAC.csv");
  std::getline(spacing, line);
  while (std::getline(spacing, line))
    if (!line.empty())
      largest = std::max(largest, std::stod(line.substr(line.rfind(',') + 1)));
  const CDWordArray& order = View()->GetJoiningOrder();
  ASSERT_EQ(order.GetSize(), static_cast<int>(numbers.size()));
  for (int i = 0; i < order.GetSize(); ++i)
    EXPECT_EQ(order[i], numbers[static_cast<size_t>(i)]);
  EXPECT_NEAR(View()->GetJoinCaptureDistance(), 2.0 * largest, 1e-6);
  EXPECT_GT(largest, 0.0);
}

TEST_F(WorkbenchViewTest, HandlesShowTheCursorOfTheSidesTheyMove)
{
  ASSERT_NE(CTracker::GetSharedCursor(kCursorMove), nullptr) << "loaded at start-up";
  EXPECT_EQ(CItemTracker::CursorForCode(0), CTracker::GetSharedCursor(kCursorArrow));
  for (int code : {1, 2, 3})
    EXPECT_EQ(CItemTracker::CursorForCode(code), CTracker::GetSharedCursor(kCursorFirstPair)) << code;
  for (int code : {4, 8, 12})
    EXPECT_EQ(CItemTracker::CursorForCode(code), CTracker::GetSharedCursor(kCursorSecondPair)) << code;
  for (int code : {5, 15})
    EXPECT_EQ(CItemTracker::CursorForCode(code), CTracker::GetSharedCursor(kCursorBothPairs)) << code;
  CUnitItem* pUnit = PlaceGlider();
  ASSERT_NE(pUnit, nullptr);
  ASSERT_NE(pUnit->GetTracker(), nullptr);
  const int code = pUnit->GetSizingHandles(View())->GetAt(2)->GetCode();
  EXPECT_EQ(pUnit->GetTracker()->GetHandleCursor(2), CItemTracker::CursorForCode(code));
  EXPECT_EQ(pUnit->GetTracker()->GetCursor(), CTracker::GetSharedCursor(kCursorMove));
  EXPECT_EQ(pUnit->GetTracker()->GetNotAllowedCursor(), CTracker::GetSharedCursor(kCursorNotAllowed));
}

TEST_F(WorkbenchViewTest, TheFrameCarriesItsBarsAndNamesTheUnitANewUnitCommandCreates)
{
  CString text;
  Frame()->GetToolBar()->GetWindowText(text);
  EXPECT_EQ(text, "Workbench Tools");
  Frame()->GetDialogBar()->GetWindowText(text);
  EXPECT_EQ(text, "Workbench Dialog Bar");
  Frame()->GetMessageString(CommandFor("GL", "BA005"), text);
  CSubTypesRec subtype("GL", "BA005");
  EXPECT_EQ(text, "Create " + subtype.GetDescription());
  EXPECT_FALSE(subtype.GetDescription().IsEmpty());
}

TEST_F(WorkbenchViewTest, TheHitTestPrefersTheSelectionThenTheLastPlacedUnit)
{
  const CRect client = View()->GetClientRect();
  const UINT nID = CommandFor("GL", "BA005");
  CUnitItem* pFirst = PlaceUnit(nID, CPoint(client.Width() / 3, client.Height() * 2 / 3));
  ASSERT_NE(pFirst, nullptr);
  const CPoint centre = View()->WorldToClient(pFirst->GetCenterPoint());
  CUnitItem* pSecond = PlaceUnit(nID, CPoint(centre.x - 5, centre.y + 5));
  ASSERT_NE(pSecond, nullptr);
  const CPoint overlap(centre.x + 2, centre.y - 2);
  CDesignItem* pHit = nullptr;
  int handle = -1;
  View()->DeselectAll();
  ASSERT_EQ(View()->HitTest(overlap, pHit, handle), hitItem);
  EXPECT_EQ(pHit, pSecond) << "the last placed is found first";
  View()->Select(pFirst);
  ASSERT_EQ(View()->HitTest(overlap, pHit, handle), hitItem);
  EXPECT_EQ(pHit, pFirst) << "a selected item before the others";
  View()->Select(pSecond);
  const CPoint corner = View()->WorldToClient(pFirst->GetHandlePoint(2, View()));
  EXPECT_NE(View()->HitTest(corner, pHit, handle), hitHandle) << "handles only of a single selected item";
}

// The status bar tells the selected unit's size and the pointer's position again in the units the
// Application Settings sheet applies, without waiting for the pointer to move.
TEST_F(WorkbenchViewTest, TheStatusTextsFollowTheUnitsApplied)
{
  CUnitItem* pUnit = PlaceGlider();
  ASSERT_NE(pUnit, nullptr);
  ASSERT_TRUE(View()->IsSelected(pUnit));
  const CPoint over = View()->WorldToClient(pUnit->GetCenterPoint());
  SendMouse(View(), QEvent::MouseMove, over, Qt::NoButton, Qt::NoButton);
  Pump();
  CStatusBar* pBar = MainFrame()->GetStatusBar();
  const CString size = pBar->GetPaneText(1);
  const CString position = pBar->GetPaneText(2);
  ASSERT_EQ(size, pUnit->GetSizeInfo());
  ASSERT_NO_FATAL_FAILURE(ApplyUnits("Metric Millimeters"));
  EXPECT_NE(pBar->GetPaneText(1), size);
  EXPECT_EQ(pBar->GetPaneText(1), pUnit->GetSizeInfo());
  const CString retold = pBar->GetPaneText(2);
  EXPECT_NE(retold, position);
  SendMouse(View(), QEvent::MouseMove, over, Qt::NoButton, Qt::NoButton);
  Pump();
  EXPECT_EQ(retold, pBar->GetPaneText(2)) << "as the pointer's next move tells it";
}

// With two projects open the status bar is the project's in front: a units change has only its
// Workbench tell its size and position again, whichever project was opened first.
TEST_F(WorkbenchViewTest, OnlyTheWorkbenchInFrontTellsTheStatusTextsAgain)
{
  CUnitItem* pFirstUnit = PlaceGlider();
  ASSERT_NE(pFirstUnit, nullptr);
  CDoc* pFirst = m_pDoc;
  const CPoint firstOver = View()->WorldToClient(pFirstUnit->GetCenterPoint());
  SendMouse(View(), QEvent::MouseMove, firstOver, Qt::NoButton, Qt::NoButton);
  Command(ID_FILE_NEW);
  Pump();
  CDoc* pSecond = ActiveProject();
  ASSERT_NE(pSecond, pFirst);
  m_pDoc = pSecond;
  ASSERT_NE(View(), nullptr);
  const CRect client = View()->GetClientRect();
  CUnitItem* pSecondUnit = PlaceUnit(CommandFor("CA", "BA001"), CPoint(client.Width() / 2, client.Height() / 3));
  ASSERT_NE(pSecondUnit, nullptr);
  const CPoint secondOver = View()->WorldToClient(pSecondUnit->GetCenterPoint());
  SendMouse(View(), QEvent::MouseMove, secondOver, Qt::NoButton, Qt::NoButton);
  Pump();
  CStatusBar* pBar = MainFrame()->GetStatusBar();

  struct
  {
    CDoc* pInFront;
    CUnitItem* pUnit;
    CPoint over;
    const char* units;
  } const steps[] = {{pSecond, pSecondUnit, secondOver, "Metric Millimeters"},
                     {pFirst, pFirstUnit, firstOver, "Feet And Inches"}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.units);
    m_pDoc = step.pInFront;
    // The project comes forward by its form, which shows its Workbench again.
    MainFrame()->MDIActivate(m_pDoc->GetWarehouseView()->GetParentFrame());
    Pump();
    MainFrame()->MDIActivate(Frame());
    Pump();
    ASSERT_EQ(MainFrame()->MDIGetActive(), Frame());
    ASSERT_NO_FATAL_FAILURE(ApplyUnits(step.units));
    const CString size = pBar->GetPaneText(1);
    const CString position = pBar->GetPaneText(2);
    EXPECT_EQ(size, step.pUnit->GetSizeInfo()) << "the size pane tells the unit of the project behind";
    SendMouse(View(), QEvent::MouseMove, step.over, Qt::NoButton, Qt::NoButton);
    Pump();
    EXPECT_EQ(position, pBar->GetPaneText(2)) << "the position pane tells the pointer of the project behind";
  }
}
