// Guards what the status bar and the tool palette tell the user: each palette button has its tool
// tip and, under the pointer, its prompt, which goes when the pointer leaves the bar; the size
// of a selected unit follows a resize; the pointer's coordinates go with the Workbench.
#include <QAction>
#include <QToolBar>

#include "WbGuiFixture.h"
#include "ui/frame/CtrlBar.h"
#include "ui/wnd/Resource.h"

namespace {
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
