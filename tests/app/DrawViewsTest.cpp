// Guards the three drawing views of the running program on a design of two joined gliders: the
// plan, elevation and detail views opened through the main frame's commands draw on their
// retained surfaces; the elevation's switches redraw it and set the project's flags; a detail
// selector across the join is a joining situation that the detail view draws; a failing unit
// leaves a view empty with a message instead of ending the program; the plan view keeps the
// stored symbol placement while frames are off and reads the Workbench afresh on every rebuild.
// Closing a drawing view gives the keyboard, menus and tools back to the Workbench, maximised when
// the view was. The names suggested for a view's DXF and PDF keep the design name's characters.
// The print scales the views offer and the plan bar's lengths follow the units the Application
// Settings sheet applies, both ways, for shown and closed views alike; a chosen scale the new list
// does not hold gives way to Scale to Fit, shown selected, and that is what prints.
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTest>

#include "WbGuiFixture.h"
#include "app/Appprefs.h"
#include "app/Dlgids.h"
#include "app/Miscprf.h"
#include "app/Plancfg.h"
#include "app/Shellids.h"
#include "document/Dochints.h"
#include "geometry/2dline.h"
#include "model/Dtlspec.h"
#include "model/Unit.h"
#include "model/Unitexcp.h"
#include "ui/draw/Dc.h"
#include "ui/frame/CtrlBar.h"
#include "project/Projprefs.h"
#include "support/Unitscvt.h"
#include "views/Adorned.h"
#include "views/Dtlview.h"
#include "views/Elevview.h"
#include "views/Planview.h"
#include "views/Prtscale.h"
#include "views/Viewids.h"
#include "workbench/frame/Wbframe.h"
#include "workbench/frame/Wbids.h"
#include "workbench/items/Joinitem.h"
#include "workbench/items/Selector.h"

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255);
// Glider sides in its component outlines.
constexpr int kRightJamb = 2;
constexpr int kLeftJamb = 5;
constexpr double kLeftX = 10.0;
constexpr double kY = 10.0;

// A unit item whose unit fails once it is armed, as a unit does when the catalogue lets it down.
class CFailingUnitItem : public CUnitItem
{
public:
  using CUnitItem::CUnitItem;
  CUnit* GetUnit() override
  {
    if (failing)
      throw CUnitException("Test", 1);
    return CUnitItem::GetUnit();
  }
  BOOL failing = FALSE;
};

class DrawViewsTest : public WorkbenchGuiTest
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
  const CVRX2DLine& Side(CUnitItem* pUnit, int index) const
  {
    return *static_cast<const CVRX2DLine*>(pUnit->GetComponentOutlines()->GetAt(index));
  }
  // The right glider is pushed left against the left one, as a committed move does it.
  CJoinItem* JoinGliders()
  {
    MoveTo(m_pRight, kLeftX + m_pLeft->GetWidth() + 0.9);
    CJoinSnapRecord snap;
    snap.category = 9;
    snap.length = 0.9;
    snap.angle = std::numbers::pi;
    CVRX2DEntityArray stationary;
    stationary.Add(Side(m_pLeft, kRightJamb).Clone());
    CDWordArray indices;
    indices.Add(kRightJamb);
    if (!View()->EvaluateSnapForJoin(Side(m_pRight, kLeftJamb), m_pRight, kLeftJamb, m_pLeft, stationary, indices, snap,
                                     TRUE))
      return nullptr;
    m_pRight->Offset(CVRX2DVector(snap.length, CVRXAngle(snap.angle)));
    View()->AddJoin();
    Pump();
    for (POSITION pos = View()->GetItemList()->GetHeadPosition(); pos;)
      if (auto* pJoin = dynamic_cast<CJoinItem*>(View()->GetItemList()->GetNext(pos)))
        return pJoin;
    return nullptr;
  }
  // A line across the two jambs that the join stands between, at mid-height.
  CVRX2DLine AcrossJoin() const
  {
    const double y = kY + m_pLeft->GetHeight() / 2.0;
    const double left = Side(m_pLeft, kRightJamb).GetStartPoint().GetX();
    const double right = Side(m_pRight, kLeftJamb).GetStartPoint().GetX();
    return CVRX2DLine(12, CVRX2DPoint(left - 0.01, y), CVRX2DPoint(right + 0.01, y));
  }
  template <class T>
  T* Aspect(CView* (CDoc::*find)() const) const
  {
    return dynamic_cast<T*>((m_pDoc->*find)());
  }
  CPlanView* Plan() const { return Aspect<CPlanView>(&CDoc::GetPlanView); }
  CElevationView* Elevation() const { return Aspect<CElevationView>(&CDoc::GetElevationView); }
  CDetailView* Detail() const { return Aspect<CDetailView>(&CDoc::GetDetailView); }
  static CWnd* Bar(CView* pView)
  {
    auto* pFrame = dynamic_cast<CDlgAdornedFrame*>(pView->GetParentFrame());
    return pFrame ? pFrame->GetDialogBar() : nullptr;
  }
  // The gliders joined and the plan shown, at the project's wall of a foot.
  void ShowJoinedPlan(CPlanView*& pPlan, CWnd*& pBar)
  {
    ASSERT_NE(JoinGliders(), nullptr);
    Command(ID_SHOW_PLAN);
    pPlan = Plan();
    ASSERT_NE(pPlan, nullptr);
    pBar = Bar(pPlan);
    ASSERT_NE(pBar, nullptr);
    ASSERT_DOUBLE_EQ(m_pDoc->GetProjectPrefs().GetWallWidth(), 12.0);
  }
  // Pixels of the view's surface that are not the white background, in a rectangle of the client.
  static int Ink(CWnd* pView, const CRect& rect)
  {
    int ink = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
      for (int x = rect.left; x < rect.right; ++x)
        ink += pView->GetSurfacePixel(x, y) != kWhite ? 1 : 0;
    return ink;
  }
  static CRect Client(CWnd* pView)
  {
    CRect rect;
    pView->GetClientRect(&rect);
    return rect;
  }
  static int Ink(CWnd* pView) { return Ink(pView, Client(pView)); }
  // Where the view's fit mapping puts its drawing in the client area.
  static CRect DrawnRect(CAspectView* pView)
  {
    CClientDC dc(pView);
    pView->OnPrepareDC(&dc);
    const CVRX2DRectangle extents = pView->GetEntityExtents();
    CPoint corners[2] = {pView->VRXToPage(extents.GetMinPoint()), pView->VRXToPage(extents.GetMaxPoint())};
    dc.LPtoDP(corners, 2);
    CRect rect(corners[0], corners[1]);
    rect.NormalizeRect();
    rect.InflateRect(1, 1);
    return rect;
  }
  // Empties a view's drawing behind its back: a drawing that is there again afterwards was rebuilt.
  static void Forget(CAspectView* pView) { const_cast<CVRX2DEntityArray&>(pView->GetEntities()).RemoveAll(); }
  void Repaint(CWnd* pView)
  {
    pView->Invalidate(TRUE);
    pView->UpdateWindow();
    Pump();
  }

  // The titles of the main window's menu bar, as the active window's menu gives them.
  QStringList MenuTitles() const
  {
    QStringList titles;
    for (QAction* action : qobject_cast<QMainWindow*>(MainFrame()->m_hWnd)->menuBar()->actions())
      titles << action->text().remove('&');
    return titles;
  }
  // Shows the view maximised and closes it as the user does; FALSE when it would not show.
  bool ShowMaximisedAndClose(UINT showCommand, CView* (CDoc::*find)() const,
                             const std::function<void(CFrameWnd*)>& close)
  {
    Command(showCommand);
    CView* pView = (m_pDoc->*find)();
    if (!pView)
      return false;
    CFrameWnd* pFrame = pView->GetParentFrame();
    auto* sub = qobject_cast<QMdiSubWindow*>(pFrame->GetOuterHandle());
    if (!sub)
      return false;
    sub->showMaximized();
    Pump();
    BOOL maximised = FALSE;
    if (MainFrame()->MDIGetActive(&maximised) != pFrame || !maximised)
      return false;
    close(pFrame);
    Pump();
    return !pFrame->IsWindowVisible();
  }
  void ExpectTheWorkbenchActiveAndMaximised()
  {
    BOOL maximised = FALSE;
    EXPECT_EQ(MainFrame()->MDIGetActive(&maximised), Frame());
    EXPECT_TRUE(maximised) << "maximised, as the view was";
    EXPECT_TRUE(MenuTitles().contains("Insert")) << MenuTitles().join(',').toStdString();
    EXPECT_TRUE(StateOf(ID_SELECT_TOOL).enabled) << "the Workbench's tools work without a click";
  }

  // The scales the Print dialog of the view's bar lists; the dialog is cancelled.
  std::vector<std::string> PrintDialogScales(CAspectView* pView)
  {
    std::vector<std::string> texts;
    OnNextDialog([&texts](CDialog& dialog) {
      CWnd* pControl = dialog.GetDlgItem(IDC_PRINT_SCALE_LIST);
      auto* list = pControl ? qobject_cast<QListWidget*>(pControl->GetSafeHwnd()) : nullptr;
      for (int row = 0; list && row < list->count(); ++row)
        texts.push_back(list->item(row)->text().toStdString());
      ClickButton(dialog, IDCANCEL);
    });
    CWnd* pPrint = Bar(pView)->GetDlgItem(ID_PRINT_VIEW);
    if (pPrint)
      QTest::mouseClick(pPrint->m_hWnd, Qt::LeftButton);
    Pump();
    return texts;
  }
  // Prints the view to a PDF by its bar's Print button, pressing OK on the row the dialog shows
  // selected (-1 when none, as the row is given back).
  void PrintToPdf(CAspectView* pView, const std::string& pdf, int& selectedRow)
  {
    service.filePaths.push_back(pdf.c_str());
    OnNextDialog([&selectedRow](CDialog& dialog) {
      CWnd* pControl = dialog.GetDlgItem(IDC_PRINT_SCALE_LIST);
      auto* list = pControl ? qobject_cast<QListWidget*>(pControl->GetSafeHwnd()) : nullptr;
      const QList<QListWidgetItem*> selected = list ? list->selectedItems() : QList<QListWidgetItem*>();
      selectedRow = selected.isEmpty() ? -1 : list->row(selected.first());
      ClickButton(dialog, IDOK);
    });
    QTest::mouseClick(Bar(pView)->GetDlgItem(ID_PRINT_VIEW)->m_hWnd, Qt::LeftButton);
    Pump();
  }

  CUnitItem* m_pLeft = nullptr;
  CUnitItem* m_pRight = nullptr;
};
}  // namespace

TEST_F(DrawViewsTest, ClosingAMaximisedDrawingViewActivatesTheWorkbenchMaximised)
{
  // The elevation by its bar's Close button.
  ASSERT_TRUE(ShowMaximisedAndClose(ID_SHOW_ELEVATION, &CDoc::GetElevationView, [](CFrameWnd* pFrame) {
    CWnd* pClose = Bar(pFrame->GetActiveView())->GetDlgItem(ID_CLOSE_THE_VIEW);
    ASSERT_NE(pClose, nullptr);
    QTest::mouseClick(pClose->m_hWnd, Qt::LeftButton);
  }));
  ExpectTheWorkbenchActiveAndMaximised();
  // The plan by its window's close box.
  Frame()->ShowWindow(SW_SHOWNORMAL);
  Pump();
  ASSERT_TRUE(ShowMaximisedAndClose(ID_SHOW_PLAN, &CDoc::GetPlanView,
                                    [](CFrameWnd* pFrame) { pFrame->GetOuterHandle()->close(); }));
  ExpectTheWorkbenchActiveAndMaximised();
}

TEST_F(DrawViewsTest, TheThreeViewsOfJoinedGlidersAreDrawnOnTheirSurfaces)
{
  CJoinItem* pJoin = JoinGliders();
  ASSERT_NE(pJoin, nullptr);

  Command(ID_SHOW_PLAN);
  CPlanView* pPlan = Plan();
  ASSERT_NE(pPlan, nullptr);
  ASSERT_TRUE(pPlan->GetParentFrame()->IsWindowVisible());
  // Plan mode puts the selector across both units and the join between them.
  EXPECT_EQ(pPlan->GetRecords().GetSize(), 3);
  EXPECT_GT(pPlan->GetEntities().GetSize(), 0);
  Repaint(pPlan);
  const CRect client = Client(pPlan);
  const int middle = Ink(pPlan, CRect(0, client.Height() / 4, client.Width(), client.Height() * 3 / 4));
  EXPECT_GT(middle, 20) << "the sections are drawn";
  EXPECT_GT(Ink(pPlan, CRect(0, client.Height() - 20, client.Width(), client.Height())), 0) << "Exterior";
  EXPECT_GT(Ink(pPlan, CRect(0, 0, client.Width(), 20)), 0) << "Interior";

  Command(ID_SHOW_ELEVATION);
  CElevationView* pElevation = Elevation();
  ASSERT_NE(pElevation, nullptr);
  ASSERT_GT(pElevation->GetEntities().GetSize(), 0);
  // Moved to the origin, as wide as both gliders and the join's spacing together.
  const CVRX2DRectangle extents = pElevation->GetEntities().GetExtents();
  EXPECT_NEAR(extents.GetMinPoint().GetX(), 0.0, 1e-9);
  EXPECT_NEAR(extents.GetMinPoint().GetY(), 0.0, 1e-9);
  EXPECT_NEAR(extents.GetMaxPoint().GetX(), m_pRight->GetOffset().GetX() + m_pRight->GetWidth() - kLeftX, 1e-6);
  Repaint(pElevation);
  EXPECT_GT(Ink(pElevation), 50);

  Command(ID_SHOW_DETAIL);
  Pump();
  CDetailView* pDetail = Detail();
  ASSERT_NE(pDetail, nullptr);
  EXPECT_EQ(pDetail->GetSelection(), nullptr);
  EXPECT_EQ(pDetail->GetEntities().GetSize(), 0);
  Repaint(pDetail);
  const CRect detailClient = Client(pDetail);
  EXPECT_GT(Ink(pDetail, CRect(detailClient.Width() / 4, 30, detailClient.Width() * 3 / 4, detailClient.Height())), 0)
      << "the instruction text";
  EXPECT_EQ(Ink(pDetail, CRect(0, 0, detailClient.Width() / 4 - 1, detailClient.Height())), 0);

  // A selector across the join: the joining situation, its first side oriented 0.
  ASSERT_TRUE(View()->CreateDetailSelector(AcrossJoin()));
  auto* pSelector = dynamic_cast<CDetailSelectorItem*>(static_cast<CObject*>(View()->GetSelectorItems().GetTail()));
  ASSERT_NE(pSelector, nullptr);
  EXPECT_EQ(pSelector->GetDetailKind(), dkJoiningSituation);
  EXPECT_EQ(pSelector->GetJoinItem(), pJoin);
  EXPECT_EQ(pSelector->GetFirstDetailSpec().GetOrientation(), 0);
  EXPECT_EQ(pSelector->GetSecondDetailSpec().GetOrientation(), 1);
  EXPECT_NEAR(pSelector->GetDetailOffset(), pJoin->GetTotalSpacing(), 1e-9);
  const double secondSpacing = pSelector->GetSecondUnitItem() == pJoin->GetFirstSide().m_pUnitItem
                                   ? pJoin->GetFirstSpacing()
                                   : pJoin->GetSecondSpacing();
  EXPECT_NEAR(pSelector->GetJoinSideSpacing(), secondSpacing, 1e-6);

  ASSERT_NE(pDetail->GetSelection(), nullptr);
  EXPECT_EQ(pDetail->GetSelection()->GetDetailKind(), dkJoiningSituation);
  EXPECT_EQ(pDetail->GetShowFlange(), 0) << "a joining situation starts without the flange";
  ASSERT_GT(pDetail->GetEntities().GetSize(), 0);
  Repaint(pDetail);
  EXPECT_GT(Ink(pDetail, DrawnRect(pDetail)), 20) << "the detail where its entities map to";
  EXPECT_TRUE(Messages().empty());
}

TEST_F(DrawViewsTest, TheElevationSwitchesRedrawAndSetTheProjectsFlags)
{
  // A casement shows its operation; an arched unit of a size with a grille shows its grille.
  CUnitItem* pCasement = PlaceUnit(CommandFor("CA", "BA001"), CPoint(40, 40));
  CUnitItem* pArch = PlaceUnit(CommandFor("AR", "BA011"), CPoint(40, 40));
  ASSERT_TRUE(pCasement && pArch);
  ASSERT_TRUE(pArch->GetUnit()->SetOptionChoice(36, 2));
  Command(ID_SHOW_ELEVATION);
  CElevationView* pElevation = Elevation();
  ASSERT_NE(pElevation, nullptr);
  CWnd* pBar = Bar(pElevation);
  ASSERT_NE(pBar, nullptr);
  CProjectPrefs& prefs = m_pDoc->GetProjectPrefs();
  ASSERT_FALSE(prefs.GetShowGrilles());
  ASSERT_FALSE(prefs.GetShowOperation());
  const int plain = pElevation->GetEntities().GetSize();
  Repaint(pElevation);
  const int plainInk = Ink(pElevation);

  ClickButton(*pBar, ID_TOGGLE_SHOW_OPERATION);
  Pump();
  EXPECT_TRUE(prefs.GetShowOperation());
  const int withOperation = pElevation->GetEntities().GetSize();
  EXPECT_GT(withOperation, plain);
  EXPECT_EQ(static_cast<CButton*>(pBar->GetDlgItem(ID_TOGGLE_SHOW_OPERATION))->GetCheck(), 1);

  ClickButton(*pBar, ID_TOGGLE_SHOW_GRILLES);
  Pump();
  EXPECT_TRUE(prefs.GetShowGrilles());
  EXPECT_GT(pElevation->GetEntities().GetSize(), withOperation);
  Repaint(pElevation);
  EXPECT_GT(Ink(pElevation), plainInk);

  // Off again: the plain drawing, and the check boxes follow the flags.
  ClickButton(*pBar, ID_TOGGLE_SHOW_GRILLES);
  ClickButton(*pBar, ID_TOGGLE_SHOW_OPERATION);
  Pump();
  EXPECT_FALSE(prefs.GetShowGrilles());
  EXPECT_FALSE(prefs.GetShowOperation());
  EXPECT_EQ(pElevation->GetEntities().GetSize(), plain);
  prefs.SetShowGrilles(TRUE);
  pElevation->OnActivateView(TRUE, pElevation, nullptr);
  EXPECT_EQ(static_cast<CButton*>(pBar->GetDlgItem(ID_TOGGLE_SHOW_GRILLES))->GetCheck(), 1);
}

TEST_F(DrawViewsTest, AFailingUnitLeavesTheElevationEmptyWithAMessage)
{
  auto* pItem = new CFailingUnitItem("GL", "BA005");
  pItem->GetUnit();
  View()->AddItem(pItem, TRUE);
  pItem->failing = TRUE;
  Command(ID_SHOW_ELEVATION);
  CElevationView* pElevation = Elevation();
  ASSERT_NE(pElevation, nullptr);
  EXPECT_EQ(pElevation->GetEntities().GetSize(), 0);
  // Opening updates the view more than once; the failure is told once.
  ASSERT_EQ(Messages().size(), 1u);
  m_pDoc->UpdateAllViews(nullptr, 3);
  EXPECT_EQ(Messages().size(), 1u);
  pItem->failing = FALSE;
  m_pDoc->UpdateAllViews(nullptr, 3);
  EXPECT_GT(pElevation->GetEntities().GetSize(), 0) << "the program goes on and draws again";
  // A new failure after a good drawing is told again.
  pItem->failing = TRUE;
  m_pDoc->UpdateAllViews(nullptr, 3);
  EXPECT_EQ(pElevation->GetEntities().GetSize(), 0);
  EXPECT_EQ(Messages().size(), 2u);
}

TEST_F(DrawViewsTest, HintFourRebuildsPlanAndDetailAndOnlyRenewsTheElevationsPens)
{
  ASSERT_NE(JoinGliders(), nullptr);
  Command(ID_SHOW_PLAN);
  Command(ID_SHOW_ELEVATION);
  Command(ID_SHOW_DETAIL);
  ASSERT_TRUE(View()->CreateDetailSelector(AcrossJoin()));
  CPlanView* pPlan = Plan();
  CElevationView* pElevation = Elevation();
  CDetailView* pDetail = Detail();
  ASSERT_TRUE(pPlan && pElevation && pDetail);
  ASSERT_GT(pDetail->GetEntities().GetSize(), 0);
  Forget(pElevation);
  Forget(pDetail);
  Forget(pPlan);
  m_pDoc->UpdateAllViews(nullptr, kHintColours);
  EXPECT_EQ(pElevation->GetEntities().GetSize(), 0) << "the elevation is not rebuilt";
  EXPECT_GT(pDetail->GetEntities().GetSize(), 0);
  EXPECT_GT(pPlan->GetEntities().GetSize(), 0);

  // The plan view hidden, the Workbench editable again and a unit gone: hint 4 draws what is
  // there now, not the records read before.
  Command(ID_VIEW_PLAN);
  Pump();
  ASSERT_FALSE(pPlan->GetParentFrame()->IsWindowVisible());
  Command(ID_VIEW_DETAIL);
  Pump();
  View()->DeselectAll();
  View()->RemoveItem(m_pRight);
  m_pRight = nullptr;
  Pump();
  m_pDoc->UpdateAllViews(nullptr, kHintColours);
  ASSERT_EQ(pPlan->GetRecords().GetSize(), 1);
  EXPECT_EQ(pPlan->GetRecords()[0].m_pUnit, m_pLeft->GetUnit());
}

TEST_F(DrawViewsTest, WithoutFramesThePlanIsCentredAndTheStoredPlacementStays)
{
  CProjectPrefs& prefs = m_pDoc->GetProjectPrefs();
  prefs.SetSymbolPlacement(1);
  prefs.SetExteriorOffset(2.0);
  CPlanSectionViewConfig* pConfig = ShellApp().GetAppPrefs().GetPlanSectionViewConfig();
  pConfig->SetFrameOn(0);
  Command(ID_SHOW_PLAN);
  CPlanView* pPlan = Plan();
  ASSERT_NE(pPlan, nullptr);
  CWnd* pBar = Bar(pPlan);
  ASSERT_NE(pBar, nullptr);
  EXPECT_EQ(pPlan->GetSymbolPlacement(), 0);
  EXPECT_FALSE(pBar->GetDlgItem(IDC_PLAN_SYMBOL_PLACEMENT)->IsWindowEnabled());
  EXPECT_FALSE(pBar->GetDlgItem(IDC_PLAN_OFFSET)->IsWindowEnabled());
  // Leaving the wall width stores it, and nothing of the placement.
  SetControlText(*pBar, IDC_PLAN_WALL_WIDTH, "10\"");
  pPlan->OnPlanParametersChanged();
  EXPECT_DOUBLE_EQ(prefs.GetWallWidth(), 10.0);
  EXPECT_EQ(prefs.GetSymbolPlacement(), 1);
  EXPECT_DOUBLE_EQ(prefs.GetExteriorOffset(), 2.0);

  // Frames back on: the stored placement is shown and chosen; Centered then disables the offset.
  pConfig->SetFrameOn(1);
  m_pDoc->UpdateAllViews(nullptr, kHintColours);
  EXPECT_EQ(pPlan->GetSymbolPlacement(), 1);
  EXPECT_TRUE(pBar->GetDlgItem(IDC_PLAN_SYMBOL_PLACEMENT)->IsWindowEnabled());
  EXPECT_TRUE(pBar->GetDlgItem(IDC_PLAN_OFFSET)->IsWindowEnabled());
  SelectLine(*pBar, IDC_PLAN_SYMBOL_PLACEMENT, 0);
  Pump();
  EXPECT_EQ(prefs.GetSymbolPlacement(), 0);
  EXPECT_FALSE(pBar->GetDlgItem(IDC_PLAN_OFFSET)->IsWindowEnabled());
  EXPECT_DOUBLE_EQ(pPlan->GetOffset(), 0.0);
}

TEST_F(DrawViewsTest, UnitsJoinedAtOtherSidesGiveATwoSideSelectorAcrossTheirFacingSides)
{
  const double gap = 7.5;
  MoveTo(m_pRight, kLeftX + m_pLeft->GetWidth() + gap);
  // The two gliders joined at their outer jambs only.
  auto* pOuter = new CJoinItem(CVRX2DPoint(0.0, 0.0), CVRX2DPoint(0.0, 20.0), 1, 2106, 2103);
  pOuter->AddUnit(1, m_pLeft, kLeftJamb, 2106, 1.0f);
  pOuter->AddUnit(2, m_pRight, kRightJamb, 2103, 1.0f);
  View()->AddItem(pOuter, FALSE);
  Command(ID_SHOW_DETAIL);
  ASSERT_TRUE(View()->CreateDetailSelector(AcrossJoin()));
  auto* pSelector = dynamic_cast<CDetailSelectorItem*>(static_cast<CObject*>(View()->GetSelectorItems().GetTail()));
  ASSERT_NE(pSelector, nullptr);
  EXPECT_EQ(pSelector->GetDetailKind(), dkTwoSides);
  EXPECT_EQ(pSelector->GetJoinItem(), nullptr);
  EXPECT_NEAR(pSelector->GetDetailOffset(), gap, 1e-9);
  CDetailView* pDetail = Detail();
  ASSERT_NE(pDetail, nullptr);
  ASSERT_NE(pDetail->GetSelection(), nullptr);
  EXPECT_EQ(pDetail->GetSelection()->GetDetailKind(), dkTwoSides);
  EXPECT_GT(pDetail->GetEntities().GetSize(), 0);
}

TEST_F(DrawViewsTest, TheFlangeSwitchRedrawsOneSideAndLeavesTheProjectAlone)
{
  Command(ID_SHOW_DETAIL);
  CDetailView* pDetail = Detail();
  ASSERT_NE(pDetail, nullptr);
  const double y = kY + m_pLeft->GetHeight() / 2.0;
  const double x = Side(m_pLeft, kLeftJamb).GetStartPoint().GetX();
  ASSERT_TRUE(View()->CreateDetailSelector(CVRX2DLine(12, CVRX2DPoint(x - 1.0, y), CVRX2DPoint(x + 0.01, y))));
  ASSERT_NE(pDetail->GetSelection(), nullptr);
  ASSERT_EQ(pDetail->GetSelection()->GetDetailKind(), dkOneSide);
  ASSERT_TRUE(m_pDoc->GetProjectPrefs().GetShowInstallationFlange());
  EXPECT_EQ(pDetail->GetShowFlange(), 1) << "a new side takes the project's setting";
  CWnd* pBar = Bar(pDetail);
  ASSERT_NE(pBar, nullptr);
  EXPECT_EQ(static_cast<CButton*>(pBar->GetDlgItem(IDC_INSTALLATION_FLANGE))->GetCheck(), 1);
  const int withFlange = pDetail->GetEntities().GetSize();
  ClickButton(*pBar, IDC_INSTALLATION_FLANGE);
  Pump();
  EXPECT_EQ(pDetail->GetShowFlange(), 0);
  EXPECT_LT(pDetail->GetEntities().GetSize(), withFlange);
  EXPECT_TRUE(m_pDoc->GetProjectPrefs().GetShowInstallationFlange());
  // Hint 2 without a selector returns the view to its instruction.
  m_pDoc->UpdateAllViews(nullptr, 2);
  EXPECT_EQ(pDetail->GetSelection(), nullptr);
  EXPECT_EQ(pDetail->GetEntities().GetSize(), 0);
}

TEST_F(DrawViewsTest, ThePlanFieldsAreCheckedAndAChosenPlacementRebuildsAtOnce)
{
  CPlanView* pPlan = nullptr;
  CWnd* pBar = nullptr;
  ASSERT_NO_FATAL_FAILURE(ShowJoinedPlan(pPlan, pBar));
  CProjectPrefs& prefs = m_pDoc->GetProjectPrefs();
  ASSERT_GT(pPlan->GetEntities().GetSize(), 0);
  Forget(pPlan);
  EXPECT_FALSE(pBar->GetDlgItem(IDC_PLAN_OFFSET)->IsWindowEnabled()) << "Centered has no offset";

  // Half an inch of wall is refused with the range message; nothing is stored or rebuilt.
  const size_t messages = Messages().size();
  SetControlText(*pBar, IDC_PLAN_WALL_WIDTH, "0.5\"");
  pPlan->OnPlanParametersChanged();
  ASSERT_EQ(Messages().size(), messages + 1);
  EXPECT_NE(Messages().back().Find("between"), -1) << Messages().back().c_str();
  EXPECT_DOUBLE_EQ(prefs.GetWallWidth(), 12.0);
  EXPECT_EQ(pPlan->GetEntities().GetSize(), 0);

  // Face of frame: stored, the offset field enabled, the plan rebuilt at once.
  SetControlText(*pBar, IDC_PLAN_WALL_WIDTH, "12\"");
  SelectLine(*pBar, IDC_PLAN_SYMBOL_PLACEMENT, 1);
  Pump();
  EXPECT_EQ(prefs.GetSymbolPlacement(), 1);
  EXPECT_EQ(pPlan->GetSymbolPlacement(), 1);
  EXPECT_TRUE(pBar->GetDlgItem(IDC_PLAN_OFFSET)->IsWindowEnabled());
  EXPECT_GT(pPlan->GetEntities().GetSize(), 0);
}

// A value typed in the plan's bar is taken when its field is left; an export or a save reached
// by the keyboard or a menu leaves the field where it is and takes the value first, and a refused
// value stops them.
TEST_F(DrawViewsTest, AWallWidthStillBeingTypedIsTakenBeforeAnExportOrASave)
{
  CPlanView* pPlan = nullptr;
  CWnd* pBar = nullptr;
  ASSERT_NO_FATAL_FAILURE(ShowJoinedPlan(pPlan, pBar));
  CProjectPrefs& prefs = m_pDoc->GetProjectPrefs();
  auto* field = qobject_cast<QLineEdit*>(pBar->GetDlgItem(IDC_PLAN_WALL_WIDTH)->m_hWnd);
  ASSERT_TRUE(ClickIntoField(pPlan->GetParentFrame(), field));
  auto typeWallWidth = [field](const char* text) {
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
  };

  typeWallWidth("10\"");
  const std::string dxf = PathIn("plan.dxf");
  service.filePaths.push_back(dxf.c_str());
  Command(ID_EXPORT_DXF);
  EXPECT_TRUE(std::filesystem::exists(dxf));
  EXPECT_DOUBLE_EQ(prefs.GetWallWidth(), 10.0) << "the export drew the typed wall";
  EXPECT_DOUBLE_EQ(pPlan->GetWallWidth(), 10.0);

  // Half an inch is refused before anything is asked: the range message, no file, the keyboard
  // back in the field.
  typeWallWidth("0.5\"");
  const size_t messages = Messages().size();
  const std::string project = PathIn("walls.tpf");
  service.filePaths.push_back(project.c_str());
  QTest::keyClick(field, Qt::Key_S, Qt::ControlModifier);
  Pump();
  ASSERT_EQ(Messages().size(), messages + 1);
  EXPECT_NE(Messages().back().Find("between"), -1) << Messages().back().c_str();
  EXPECT_FALSE(std::filesystem::exists(project)) << "nothing saved";
  EXPECT_DOUBLE_EQ(prefs.GetWallWidth(), 10.0);
  EXPECT_EQ(QApplication::focusWidget(), field);

  typeWallWidth("14\"");
  service.messageAnswers.push_back(IDNO);  // the placed gliders are not stored as a design
  QTest::keyClick(field, Qt::Key_S, Qt::ControlModifier);
  Pump();
  ASSERT_TRUE(std::filesystem::exists(project));
  EXPECT_DOUBLE_EQ(prefs.GetWallWidth(), 14.0) << "the save wrote the typed wall";
}

// A design name in the project's code page ("K\xFCche" in 1252) becomes the same characters in the
// file system's UTF-8 in the names suggested for its files, and the file written bears it.
TEST_F(DrawViewsTest, TheSuggestedOutputNamesKeepTheDesignNamesCharacters)
{
  SetWorkbenchQuantity(m_pDoc, 1);
  OnNextDialog([](CDialog& dialog) {
    auto* field = qobject_cast<QLineEdit*>(dialog.GetDlgItem(IDC_NEW_DESIGN_NAME)->m_hWnd);
    ASSERT_NE(field, nullptr);
    field->selectAll();
    QTest::keyClicks(field, "K");
    QTest::sendKeyEvent(QTest::Click, field, Qt::Key_Udiaeresis, QString::fromUtf8("\u00fc"), Qt::NoModifier);
    QTest::keyClicks(field, "che");
    QTest::keyClick(field, Qt::Key_Return);
  });
  Frame()->SendMessage(WM_COMMAND, IDC_STORE_DESIGN);
  Pump();
  ASSERT_EQ(m_pDoc->GetEditedDesign()->GetName(), CString("K\xFC"
                                                          "che"))
      << "the name in 1252";
  Command(ID_SHOW_ELEVATION);
  CElevationView* pElevation = Elevation();
  ASSERT_NE(pElevation, nullptr);
  const std::string name = std::string(m_pDoc->GetTitle().c_str()) + " - Elevation K\xC3\xBC"
                                                                     "che";
  EXPECT_EQ(std::string(pElevation->SuggestOutputName().c_str()), name);

  // The DXF by the bar's Export button, through the real file dialog: Return takes the name proposed.
  SetDialogService(nullptr);
  QString proposed;
  const CModalAnswer answer("QFileDialog", [&](QWidget* modal) {
    auto* dialog = static_cast<QFileDialog*>(modal);
    proposed = dialog->selectedFiles().value(0);
    QTest::keyClick(dialog, Qt::Key_Return);
  });
  CWnd* pExport = Bar(pElevation)->GetDlgItem(ID_EXPORT_DXF);
  ASSERT_NE(pExport, nullptr);
  QTest::mouseClick(pExport->m_hWnd, Qt::LeftButton);
  Pump();
  SetDialogService(&service);
  EXPECT_EQ(QFileInfo(proposed).fileName().toStdString(), name) << "the program adds the extension";
  const std::filesystem::path documents = ShellTempDir() + "/Documents";
  EXPECT_TRUE(std::filesystem::exists(documents / (name + ".dxf")));
  for (const auto& entry : std::filesystem::directory_iterator(documents))
    EXPECT_EQ(entry.path().filename().string().find("\xEF\xBF\xBD"), std::string::npos)
        << "no replacement character in " << entry.path();

  // The PDF by the bar's Print button, without a printer: the name asked for is the same.
  const std::string pdf = (documents / (name + ".pdf")).string();
  service.filePaths.push_back(pdf.c_str());
  OnNextDialog([](CDialog& dialog) { ClickButton(dialog, IDOK); });
  CWnd* pPrint = Bar(pElevation)->GetDlgItem(ID_PRINT_VIEW);
  ASSERT_NE(pPrint, nullptr);
  QTest::mouseClick(pPrint->m_hWnd, Qt::LeftButton);
  Pump();
  ASSERT_EQ(service.fileRequests.size(), 1u);
  EXPECT_EQ(service.fileRequests[0].fileName, CString(pdf.substr(0, pdf.size() - 4)));
  EXPECT_TRUE(std::filesystem::exists(pdf));
  EXPECT_TRUE(Messages().empty()) << Messages().front().str();
}

TEST_F(DrawViewsTest, ThePrintScalesAndThePlanBarFollowTheUnitsAppliedBothWays)
{
  ASSERT_NE(JoinGliders(), nullptr);
  Command(ID_SHOW_ELEVATION);
  CElevationView* pElevation = Elevation();
  ASSERT_NE(pElevation, nullptr);
  pElevation->SetPrintScale(1, 48);
  ASSERT_EQ(PrintDialogScales(pElevation).at(1), "1/16\" = 1' 0\"");
  // The elevation closed by its bar's Close button stands hidden while the units change.
  QTest::mouseClick(Bar(pElevation)->GetDlgItem(ID_CLOSE_THE_VIEW)->m_hWnd, Qt::LeftButton);
  Pump();
  ASSERT_FALSE(pElevation->GetParentFrame()->IsWindowVisible());
  Command(ID_SHOW_PLAN);
  Command(ID_SHOW_DETAIL);
  CPlanView* pPlan = Plan();
  CDetailView* pDetail = Detail();
  ASSERT_TRUE(pPlan && pDetail);
  CWnd* pPlanBar = Bar(pPlan);
  ASSERT_NE(pPlanBar, nullptr);
  ASSERT_EQ(ControlText(*pPlanBar, IDC_PLAN_WALL_WIDTH),
            CUnitsConverter().FormatLength(CUnitsConverter::editFeetAndInches, 12.0));

  struct
  {
    const char* units;
    int code;
    int edit;
    int drawing;
    int detail;
    const char* second;
    int chosenNumerator;
    int chosenDenominator;
  } const steps[] = {{"Metric Millimeters", 3, CUnitsConverter::editMillimeters, kDrawingMetricScales,
                      kDetailMetricScales, "1:20", 1, 48},
                     {"Feet And Inches", 0, CUnitsConverter::editFeetAndInches, kDrawingImperialScales,
                      kDetailImperialScales, "1/16\" = 1' 0\"", 1, 50}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.units);
    pElevation->SetPrintScale(step.chosenNumerator, step.chosenDenominator);
    ASSERT_NO_FATAL_FAILURE(ApplyUnits(step.units));
    ASSERT_EQ(ShellApp().GetAppPrefs().GetMiscPrefs()->GetMeasurementUnits(), step.code);
    EXPECT_EQ(pPlan->GetPrintScaleList(), step.drawing);
    EXPECT_EQ(pDetail->GetPrintScaleList(), step.detail);
    EXPECT_EQ(pElevation->GetPrintScaleList(), step.drawing) << "also while closed";
    EXPECT_EQ(ControlText(*pPlanBar, IDC_PLAN_WALL_WIDTH), CUnitsConverter().FormatLength(step.edit, 12.0));
    Command(ID_SHOW_ELEVATION);
    ASSERT_EQ(Elevation(), pElevation);
    const std::vector<std::string> scales = PrintDialogScales(pElevation);
    ASSERT_GT(scales.size(), 1u);
    EXPECT_EQ(scales[1], step.second);
    EXPECT_EQ(pElevation->GetPrintScaleNumerator(), step.chosenNumerator) << "a cancelled print changes no scale";
    EXPECT_EQ(pElevation->GetPrintScaleDenominator(), step.chosenDenominator);
    // The chosen scale is none of the new list's: the dialog shows Scale to Fit, and so it prints.
    int selectedRow = -2;
    const std::string pdf = PathIn(step.code == 3 ? "metric.pdf" : "imperial.pdf");
    PrintToPdf(pElevation, pdf, selectedRow);
    EXPECT_EQ(selectedRow, 0) << "the print dialog shows Scale to Fit selected";
    EXPECT_TRUE(std::filesystem::exists(pdf));
    EXPECT_EQ(pElevation->GetPrintScaleNumerator(), -1) << "printed at a scale the dialog did not show";
    EXPECT_EQ(pElevation->GetPrintScaleDenominator(), -1);
    QTest::mouseClick(Bar(pElevation)->GetDlgItem(ID_CLOSE_THE_VIEW)->m_hWnd, Qt::LeftButton);
    Pump();
  }
}
