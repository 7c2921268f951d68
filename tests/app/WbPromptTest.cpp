// Guards what the status bar and the tool palette tell the user: each palette button has its tool
// tip and, under the pointer, its prompt, which goes when the pointer leaves the bar; the size
// of a selected unit follows a resize; the pointer's coordinates go with the Workbench; the
// texts of one action (one per unit deselected) are shown together with the next paint, and
// setting them paints nothing at once; Select All and Paste leave the size of the last unit they
// select in the bar. A message speaks of the window active when it was given and goes when
// another window is activated: the line shows the idle text again, and the Workbench's size and
// pointer panes stay empty until the Workbench is in front again.
#include <QAction>
#include <QCursor>
#include <QLabel>
#include <QPointer>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include "WbGuiFixture.h"
#include "app/Shellids.h"
#include "model/Stdunit.h"
#include "ui/frame/CtrlBar.h"
#include "ui/wnd/Resource.h"
#include "views/Adorned.h"
#include "views/Viewids.h"
#include "workbench/tools/Wbtools.h"
#include "workbench/frame/Wbids.h"

namespace {
// Counts the paint events a widget receives.
class CPaintCounter : public QObject
{
public:
  explicit CPaintCounter(QWidget* widget) : m_widget(widget) { widget->installEventFilter(this); }
  ~CPaintCounter() override
  {
    if (m_widget)
      m_widget->removeEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override
  {
    paints += event->type() == QEvent::Paint;
    return false;
  }
  int paints = 0;

private:
  QPointer<QWidget> m_widget;
};

class WbPromptTest : public WorkbenchGuiTest
{
protected:
  void SetUp() override
  {
    WorkbenchGuiTest::SetUp();
    StartProgram();
  }
  CString Pane(int index) const { return MainFrame()->GetStatusBar()->GetPaneText(index); }
};
}  // namespace

TEST_F(WbPromptTest, EachPaletteButtonHasATipAndAPromptThatGoesWhenThePointerLeaves)
{
  CToolBar* pPalette = Frame()->GetToolBar();
  int buttons = 0;
  for (int i = 0; i < pPalette->GetCount(); ++i) {
    const UINT nID = pPalette->GetItemID(i);
    if (nID == 0)
      continue;
    SCOPED_TRACE(nID);
    CString strings;
    ASSERT_TRUE(AfxLoadString(nID, strings));
    const int nl = strings.Find('\n');
    ASSERT_GT(nl, 0) << "a prompt, then a tip";
    QAction* action = pPalette->GetAction(i);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->toolTip().toStdString(), strings.Mid(nl + 1).c_str());
    action->hover();
    Pump();
    EXPECT_EQ(Pane(0), strings.Left(nl));
    ++buttons;
  }
  EXPECT_EQ(buttons, 11);
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(pPalette->m_hWnd, &leave);
  Pump();
  EXPECT_EQ(Pane(0), "Ready");
}

TEST_F(WbPromptTest, TheSizeTextFollowsAResizeByAHandle)
{
  View()->SetScaleFactor(0.05, TRUE);
  Pump();
  const CRect client = View()->GetClientRect();
  CUnitItem* pUnit = PlaceUnit(CommandFor("GL", "BA005"), CPoint(client.Width() / 4, client.Height() * 3 / 4));
  ASSERT_NE(pUnit, nullptr);
  const CString before = Pane(1);
  ASSERT_NE(before.Find("36x24"), -1) << before.c_str();
  const CVRX2DPoint corner = pUnit->GetHandlePoint(2, View());
  Drag(View()->WorldToClient(corner), View()->WorldToClient(corner + CVRX2DVector(12.0, 0.0)));
  ASSERT_GT(pUnit->GetWidth(), 36.0);
  EXPECT_NE(Pane(1), before) << "the new size, not the one the unit was selected with";
  EXPECT_EQ(Pane(1).Find("36x"), -1) << Pane(1).c_str();
}

TEST_F(WbPromptTest, TheCoordinatesGoWhenTheWorkbenchCloses)
{
  const CRect client = View()->GetClientRect();
  SendMouse(View(), QEvent::MouseMove, CPoint(client.Width() / 2, client.Height() / 2), Qt::NoButton, Qt::NoButton);
  Pump();
  ASSERT_EQ(Pane(2).Find("X="), 0);
  Frame()->SendMessage(WM_COMMAND, IDC_WORKBENCH_CLOSE);
  Pump();
  ASSERT_EQ(m_pDoc->GetWorkbenchView(), nullptr);
  EXPECT_EQ(Pane(2), "");
  EXPECT_EQ(Pane(1), "");
}

TEST_F(WbPromptTest, DeselectingManyUnitsPaintsNothingAtOnceAndTheBarShowsTheLastTextWithTheNextPaint)
{
  View()->SetScaleFactor(0.05, TRUE);
  Pump();
  constexpr int kUnits = 100;
  for (int i = 0; i < kUnits; ++i) {
    auto* pItem = new CUnitItem("GL", "BA005");
    pItem->GetUnit();
    pItem->Offset(CVRX2DVector(20.0 + (i % 10) * 40.0, 20.0 + (i / 10) * 30.0));
    View()->ApplyAlignmentSettings(pItem);
    View()->AddItem(pItem, TRUE);
  }
  Command(ID_SELECT_ALL);
  ASSERT_EQ(View()->GetSelectedCount(FALSE), kUnits);
  const CString size = Pane(1);
  ASSERT_NE(size.Find("36x24"), -1) << size.c_str();
  QLabel* sizePane = nullptr;
  for (QLabel* label : MainFrame()->GetStatusBar()->m_hWnd->findChildren<QLabel*>())
    if (label->text() == size.c_str())
      sizePane = label;
  ASSERT_NE(sizePane, nullptr);
  const CRect client = View()->GetClientRect();
  const CPoint empty(client.Width() - 10, 10);
  CDesignItem* pHit = nullptr;
  int handle = -1;
  ASSERT_EQ(View()->HitTest(empty, pHit, handle), hitNothing);
  CPaintCounter bar(sizePane);
  CPaintCounter window(MainFrame()->m_hWnd->window());
  CPaintCounter workbench(View()->m_hWnd);
  // A click on an empty place, delivered as the window system delivers it: each unit's
  // deselection clears the size pane.
  SendMouse(View(), QEvent::MouseButtonPress, empty, Qt::LeftButton, Qt::LeftButton);
  SendMouse(View(), QEvent::MouseButtonRelease, empty, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(View()->GetSelectedCount(FALSE), 0);
  EXPECT_EQ(bar.paints, 0) << "the pane painted while the units were deselected";
  EXPECT_EQ(window.paints, 0);
  EXPECT_EQ(workbench.paints, 0);
  Pump();
  EXPECT_EQ(Pane(1), "");
  EXPECT_EQ(sizePane->text(), "");
  EXPECT_GE(bar.paints, 1) << "the last text is shown with the next paint";
  EXPECT_LE(bar.paints, 2) << "once, not once for each text";
  EXPECT_GE(workbench.paints, 1);
}

TEST_F(WbPromptTest, SelectAllAndPasteShowTheSizeOfTheLastUnitTheySelect)
{
  const CRect client = View()->GetClientRect();
  CUnitItem* pSmall = PlaceUnit(CommandFor("GL", "BA005"), CPoint(client.Width() / 4, client.Height() / 2));
  CUnitItem* pLarge = PlaceUnit(CommandFor("GL", "BA005"), CPoint(client.Width() * 3 / 4, client.Height() / 2));
  ASSERT_NE(pSmall, nullptr);
  ASSERT_NE(pLarge, nullptr);
  auto* pLargeUnit = dynamic_cast<CStandardUnit*>(pLarge->GetUnit());
  ASSERT_NE(pLargeUnit, nullptr);
  pLargeUnit->SetSizeCode("GL4030");
  pLarge->UpdateUnitInfo();
  View()->UpdateAlignmentEntities(pLarge);
  const CString small = pSmall->GetSizeInfo();
  const CString large = pLarge->GetSizeInfo();
  ASSERT_NE(small.Find("36x24"), -1) << small.c_str();
  ASSERT_NE(small, large);

  // The large unit stands last in the design.
  Command(ID_SELECT_ALL);
  ASSERT_EQ(View()->GetSelectedCount(FALSE), 2);
  EXPECT_EQ(Pane(1), large);

  // Copied in the order selected, the small unit last; an empty place clicked clears the pane.
  View()->DeselectAll();
  View()->Select(pLarge);
  View()->Select(pSmall);
  Command(ID_EDIT_COPY);
  const CPoint empty(client.Width() - 10, 10);
  Click(empty);
  ASSERT_EQ(View()->GetSelectedCount(FALSE), 0);
  ASSERT_EQ(Pane(1), "");
  Command(ID_EDIT_PASTE);
  ASSERT_EQ(View()->GetSelectedCount(FALSE), 2);
  ASSERT_EQ(View()->GetItemList()->GetCount(), 4);
  EXPECT_EQ(Pane(1), small);
  EXPECT_TRUE(Messages().empty());
}

// The prompt of the main toolbar's alignment lines button, under the pointer while a report
// window opens from the menu, is not shown for the report, neither when the menu closes and the
// window system enters the button under the pointer, standing still, again; a pointer that
// comes onto the button shows it. "DXF Export Complete", shown when the Plan View wrote its drawing, goes when the Plan View
// closes and the Workbench is active again.
TEST_F(WbPromptTest, AMessageGoesWhenAnotherWindowIsActivated)
{
  const CString prompt = "Toggle display of alignment lines for this item";
  CToolBar* pToolBar = MainFrame()->GetMainToolBar();
  QAction* pAlignment = pToolBar->GetAction(pToolBar->CommandToIndex(ID_ALIGNMENT_LINES));
  ASSERT_NE(pAlignment, nullptr);
  auto* pBar = qobject_cast<QToolBar*>(pToolBar->m_hWnd);
  ASSERT_NE(pBar, nullptr);
  const QPoint button = pBar->mapToGlobal(pBar->actionGeometry(pAlignment).center());
  // A unit selected, and the pointer across the Workbench: the panes tell its size and where.
  const CRect client = View()->GetClientRect();
  CUnitItem* pUnit = PlaceUnit(CommandFor("GL", "BA005"), CPoint(client.Width() / 4, client.Height() / 4));
  ASSERT_NE(pUnit, nullptr);
  SendMouse(View(), QEvent::MouseMove, CPoint(40, 40), Qt::NoButton, Qt::NoButton);
  View()->DeselectAll();
  View()->Select(pUnit);
  Pump();
  const CString size = pUnit->GetSizeInfo();
  ASSERT_EQ(Pane(1), size);
  ASSERT_FALSE(Pane(2).IsEmpty());
  QCursor::setPos(button);
  pAlignment->hover();
  Pump();
  ASSERT_EQ(Pane(0), prompt);
  // The menu opened over the pointer takes it off the bar.
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(pBar, &leave);
  Command(ID_VIEW_SCHEDULE_REPORT);
  CView* pReport = m_pDoc->GetScheduleReportView();
  ASSERT_NE(pReport, nullptr);
  ASSERT_EQ(MainFrame()->MDIGetActive(), pReport->GetParentFrame());
  EXPECT_EQ(Pane(0), CString("Ready")) << "the report window";
  EXPECT_EQ(Pane(1), CString()) << "the report window has no selected unit";
  EXPECT_EQ(Pane(2), CString()) << "the report window has no pointer position";
  pAlignment->hover();
  Pump();
  EXPECT_EQ(Pane(0), CString("Ready")) << "the button entered again under a pointer standing still";
  QCursor::setPos(button + QPoint(1, 0));
  pAlignment->hover();
  Pump();
  EXPECT_EQ(Pane(0), prompt) << "the pointer moved onto the button";

  // Back on the Workbench with the keyboard, a unit placed and its plan written as DXF.
  for (int i = 0; i < 3 && MainFrame()->MDIGetActive() != Frame(); ++i) {
    QTest::keyClick(MainFrame()->MDIGetActive()->GetActiveView()->m_hWnd, Qt::Key_F6, Qt::ControlModifier);
    Pump();
  }
  ASSERT_EQ(MainFrame()->MDIGetActive(), Frame());
  EXPECT_EQ(Pane(1), size) << "the Workbench's selected unit again";
  ASSERT_NE(PlaceUnit(CommandFor("GL", "BA005"), CPoint(client.Width() / 2, client.Height() / 2)), nullptr);
  Command(ID_SHOW_PLAN);
  CView* pPlan = m_pDoc->GetPlanView();
  ASSERT_NE(pPlan, nullptr);
  auto* pPlanFrame = dynamic_cast<CDlgAdornedFrame*>(pPlan->GetParentFrame());
  ASSERT_NE(pPlanFrame, nullptr);
  ASSERT_EQ(MainFrame()->MDIGetActive(), pPlanFrame);
  service.filePaths.push_back(PathIn("plan.dxf").c_str());
  QTest::mouseClick(pPlanFrame->GetDialogBar()->GetDlgItem(ID_EXPORT_DXF)->m_hWnd, Qt::LeftButton);
  Pump();
  ASSERT_EQ(Pane(0), "DXF Export Complete");
  QTest::mouseClick(pPlanFrame->GetDialogBar()->GetDlgItem(ID_CLOSE_THE_VIEW)->m_hWnd, Qt::LeftButton);
  Pump();
  ASSERT_EQ(MainFrame()->MDIGetActive(), Frame());
  EXPECT_EQ(Pane(0), CString("Ready")) << "the Workbench again";
}
