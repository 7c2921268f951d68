// The drawing frames in the running program: each takes its quarter of the MDI client with its
// dialog bar at the bottom and its suffix in the title, closing one only hides it through the
// main frame, and a project's drawing frames step back and come forward with its Workbench.
#include <memory>

#include <QMdiArea>
#include <QWidget>

#include "ShellTestApp.h"
#include "app/App.h"
#include "app/Dxfcfg.h"
#include "app/Mainfrm.h"
#include "app/Miscprf.h"
#include "app/Shellids.h"
#include "document/Doc.h"
#include "ui/docview/View.h"
#include "views/Aspframe.h"
#include "views/Viewsvc.h"
#include "views/Xltdata.h"

namespace {
BOOL IsShown(CView* pView) { return pView && pView->GetParentFrame()->IsWindowVisible(); }

CAspectFrame* FrameOf(CView* pView) { return pView ? dynamic_cast<CAspectFrame*>(pView->GetParentFrame()) : nullptr; }

class AspectFrameTest : public ShellProjectTest
{
protected:
  // Brings a project's Workbench frame to the front as a click on it would.
  void ActivateWorkbench(CDoc* pDoc)
  {
    CFrameWnd* pFrame = pDoc->GetWorkbenchView()->GetParentFrame();
    pFrame->ShowWindow(SW_SHOW);
    MainFrame()->MDIActivate(pFrame);
    Pump();
  }
};
}  // namespace

TEST_F(AspectFrameTest, EachDrawingFrameTakesItsQuarterOfTheClientWithItsBarBelowAndItsSuffix)
{
  for (UINT nID : {ID_SHOW_PLAN, ID_SHOW_ELEVATION, ID_SHOW_DETAIL})
    Command(nID);
  const QRect client = MainFrame()->MdiArea()->viewport()->rect();
  struct Expected
  {
    CView* pView;
    int column;
    int row;
    const char* suffix;
    const char* barName;
  } frames[] = {{m_pDoc->GetPlanView(), 1, 0, ": (Plan)", "Plan Dialog Bar"},
                {m_pDoc->GetElevationView(), 0, 1, ": (Elevation)", "Elevation Dialog Bar"},
                {m_pDoc->GetDetailView(), 1, 1, ": (Detail)", "Detail Dialog Bar"}};
  for (const Expected& expected : frames) {
    CAspectFrame* pFrame = FrameOf(expected.pView);
    ASSERT_NE(pFrame, nullptr) << expected.suffix;
    const CRect quarter =
        CAspectFrame::QuarterOf(CRect(0, 0, client.width(), client.height()), expected.column, expected.row);
    const QRect placed = pFrame->GetOuterHandle()->geometry();
    // A quarter narrower than the bar is widened to it, inside the client.
    const QRect wanted(quarter.left, quarter.top, quarter.Width(), quarter.Height());
    EXPECT_TRUE(placed.contains(wanted)) << expected.suffix;
    EXPECT_EQ(placed.top(), wanted.top()) << expected.suffix;
    EXPECT_EQ(placed.height(), wanted.height()) << expected.suffix;
    EXPECT_TRUE(QRect(QPoint(0, 0), client.size()).contains(placed)) << expected.suffix;

    CString title;
    pFrame->GetWindowText(title);
    EXPECT_GE(title.Find(expected.suffix), 0) << title.c_str();
    CString barName;
    pFrame->GetDialogBar()->GetWindowText(barName);
    EXPECT_EQ(barName, CString(expected.barName));
    CRect view;
    CRect bar;
    expected.pView->GetWindowRect(&view);
    pFrame->GetDialogBar()->GetWindowRect(&bar);
    EXPECT_GE(bar.top, view.bottom - 1) << "the bar is docked below the drawing";
  }
}

// A drawing frame opens wide enough for its bar: every control of the bar, and the bar's own
// buttons, lie whole inside the frame and the client, also where the quarter is narrower than
// the bar (a small main window, and at 150 %, where it runs again).
TEST_F(AspectFrameTest, ADrawingFrameOpensWithItsWholeBarInSight)
{
  Command(ID_SHOW_PLAN);
  Command(ID_SHOW_ELEVATION);
  QWidget* pClient = MainFrame()->MdiArea()->viewport();
  for (CView* pView : {m_pDoc->GetPlanView(), m_pDoc->GetElevationView()}) {
    CAspectFrame* pFrame = FrameOf(pView);
    ASSERT_NE(pFrame, nullptr);
    QWidget* pSub = pFrame->GetOuterHandle();
    const QRect seen = pSub->geometry() & pClient->rect();
    QWidget* pBar = pFrame->GetDialogBar()->GetOuterHandle();
    int controls = 0;
    for (QWidget* pControl : pBar->findChildren<QWidget*>()) {
      if (!pControl->isVisibleTo(pSub) || pControl->isWindow())
        continue;
      ++controls;
      const QRect at(pControl->mapTo(pClient, QPoint(0, 0)), pControl->size());
      EXPECT_TRUE(seen.contains(at)) << pControl->metaObject()->className() << " "
                                     << pControl->objectName().toStdString() << " at " << at.x() << ", " << at.y()
                                     << ", " << at.width() << " x " << at.height() << " outside " << seen.x() << ", "
                                     << seen.y() << ", " << seen.width() << " x " << seen.height();
    }
    EXPECT_GT(controls, 6);
  }
}

TEST(AspectFrameQuarters, HalvesAreWholePixels)
{
  const CRect client(0, 0, 800, 601);
  EXPECT_EQ(CAspectFrame::QuarterOf(client, 1, 1), CRect(400, 300, 800, 600));
  EXPECT_EQ(CAspectFrame::QuarterOf(client, 0, 1), CRect(0, 300, 400, 600));
  EXPECT_EQ(CAspectFrame::QuarterOf(client, 1, 0), CRect(400, 0, 800, 300));
}

TEST_F(AspectFrameTest, TheCloseBoxAndTheCloseButtonOnlyHideTheFrameThroughTheMainFrame)
{
  Command(ID_SHOW_ELEVATION);
  Command(ID_SHOW_PLAN);
  CView* pElevation = m_pDoc->GetElevationView();
  CView* pPlan = m_pDoc->GetPlanView();
  ASSERT_TRUE(IsShown(pElevation));

  pElevation->GetParentFrame()->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
  Pump();
  EXPECT_EQ(m_pDoc->GetElevationView(), pElevation) << "the frame survives";
  EXPECT_FALSE(IsShown(pElevation));
  EXPECT_EQ(StateOf(ID_VIEW_ELEVATION).checked, 0);

  pPlan->GetParentFrame()->SendMessage(WM_COMMAND, ID_CLOSE_THE_VIEW, 0);
  Pump();
  EXPECT_EQ(m_pDoc->GetPlanView(), pPlan);
  EXPECT_FALSE(IsShown(pPlan));

  Command(ID_VIEW_ELEVATION);
  EXPECT_TRUE(IsShown(pElevation)) << "shown again by its toggle";
}

TEST_F(AspectFrameTest, ADrawingFrameStepsBackAndComesForwardWithItsProjectsWorkbench)
{
  CDoc* pFirst = m_pDoc;
  Command(ID_SHOW_PLAN);
  Command(ID_SHOW_ELEVATION);
  Command(ID_CLOSE_ELEVATION);
  ASSERT_TRUE(IsShown(pFirst->GetPlanView()));
  ASSERT_FALSE(IsShown(pFirst->GetElevationView()));

  Command(ID_FILE_NEW);
  ASSERT_EQ(Projects().size(), 2u);
  CDoc* pSecond = Projects()[1];
  ASSERT_NE(pSecond->GetWorkbenchView(), nullptr);
  ActivateWorkbench(pSecond);
  EXPECT_FALSE(IsShown(pFirst->GetPlanView()));
  EXPECT_FALSE(IsShown(pFirst->GetElevationView()));
  EXPECT_TRUE(FrameOf(pFirst->GetPlanView())->GetVisibleOnReactivation());
  EXPECT_FALSE(FrameOf(pFirst->GetElevationView())->GetVisibleOnReactivation());

  // The second project's drawing goes back with it; the first one's come forward as they were.
  Command(ID_SHOW_DETAIL);
  ASSERT_TRUE(IsShown(pSecond->GetDetailView()));
  ActivateWorkbench(pFirst);
  EXPECT_TRUE(IsShown(pFirst->GetPlanView()));
  EXPECT_FALSE(IsShown(pFirst->GetElevationView())) << "hidden when its project stepped back: stays hidden";
  EXPECT_FALSE(IsShown(pSecond->GetDetailView()));

  // Activating the same project's Workbench again changes nothing the user chose.
  Command(ID_VIEW_PLAN);
  ASSERT_FALSE(IsShown(pFirst->GetPlanView()));
  ActivateWorkbench(pFirst);
  EXPECT_FALSE(IsShown(pFirst->GetPlanView()));

  ActivateWorkbench(pSecond);
  EXPECT_TRUE(IsShown(pSecond->GetDetailView()));
  EXPECT_FALSE(FrameOf(pFirst->GetPlanView())->GetVisibleOnReactivation());
}

TEST_F(AspectFrameTest, AProjectKeepsItsWindowsWhileTwoOthersTakeTurns)
{
  CDoc* pFirst = m_pDoc;
  Command(ID_SHOW_PLAN);
  Command(ID_FILE_NEW);
  Command(ID_FILE_NEW);
  ASSERT_EQ(Projects().size(), 3u);
  CDoc* pSecond = Projects()[1];
  CDoc* pThird = Projects()[2];
  for (CDoc* pDoc : {pSecond, pThird, pSecond, pFirst}) {
    MainFrame()->MDIActivate(pDoc->GetWarehouseView()->GetParentFrame());
    Pump();
  }
  EXPECT_TRUE(IsShown(pFirst->GetWorkbenchView()));
  EXPECT_TRUE(IsShown(pFirst->GetPlanView()));
  EXPECT_FALSE(IsShown(pSecond->GetWorkbenchView()));
  EXPECT_FALSE(IsShown(pThird->GetWorkbenchView()));
  // And the others come back as they were left.
  MainFrame()->MDIActivate(pThird->GetWarehouseView()->GetParentFrame());
  Pump();
  EXPECT_TRUE(IsShown(pThird->GetWorkbenchView()));
  EXPECT_FALSE(IsShown(pFirst->GetPlanView()));
}

TEST_F(AspectFrameTest, TheDrawingViewsExportWithTheDXFSettingsOfThePreferences)
{
  CViewServices* pServices = GetViewServices();
  ASSERT_NE(pServices, nullptr);
  ShellApp().GetAppPrefs().GetMiscPrefs()->SetDXFTranslationUnit(3);
  EXPECT_EQ(pServices->GetDXFTranslationUnit(), 3);
  const std::unique_ptr<CMapECatToXLTDXFData> map(pServices->CreateDXFTranslationMap());
  ASSERT_NE(map, nullptr);
  // The window elevation's frame lines go to the layer the settings give them.
  EXPECT_EQ(map->GetDXFData(46)->GetLayer(),
            ShellApp().GetAppPrefs().GetExportToDXFConfig()->GetWindowElevationFrameLayer());
  EXPECT_EQ(map->GetDXFData(46)->GetLayer(), CString("A-Glaz-Elev"));
}
