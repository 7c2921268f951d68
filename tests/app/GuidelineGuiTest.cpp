// Guards guidelines in the running program: the three guideline tools place their guidelines
// with real clicks, guidelines are drawn, moved and turned through the real drag loops, stored
// and found again with the same record, and edited in "Guideline Properties" through the
// scripted dialog service with Apply, OK and Cancel. A guideline never stands where it is not
// drawn and hit: a drag refused past the square leaves it where it was, one on the square's edge
// is drawn on the world's last pixels, and a press beyond the square places none and says why.
#include <cmath>
#include <memory>
#include <vector>

#include <QAbstractButton>

#include "WbGuiFixture.h"
#include "app/Mainfrm.h"
#include "ui/frame/CtrlBar.h"
#include "ui/draw/Gdi.h"
#include "ui/draw/ImageData.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "support/Unitscvt.h"
#include "workbench/tools/Wbtools.h"
#include "workbench/items/Guideitem.h"
#include "workbench/items/Tracker.h"
#include "workbench/sheets/Guideprp.h"
#include "workbench/frame/Wbids.h"

namespace {

std::vector<BYTE> Record(const CObject* pObject)
{
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  ar << pObject;
  ar.Close();
  return file.GetBytes();
}

// A length as the edit fields show and read it (feet and inches).
CString LengthText(double inches) { return CUnitsConverter().FormatLength(4, inches); }

class GuidelineGuiTest : public WorkbenchGuiTest
{
protected:
  void SetUp() override
  {
    WorkbenchGuiTest::SetUp();
    StartProgram();
    View()->SetScaleFactor(0.05, TRUE);
    Pump();
  }
  CGuidelineItem* Place(UINT nCommand, CPoint at) { return PlaceWith<CGuidelineItem>(nCommand, at); }
  CPoint Middle() const
  {
    const CRect client = View()->GetClientRect();
    return CPoint(client.Width() / 2, client.Height() / 2);
  }
  CGuidelineItem* OnlyGuideline() const
  {
    if (View()->GetItemList()->GetCount() != 1)
      return nullptr;
    return dynamic_cast<CGuidelineItem*>(static_cast<CObject*>(View()->GetItemList()->GetHead()));
  }
};
}  // namespace

TEST_F(GuidelineGuiTest, EachToolPlacesItsGuidelineThroughTheClickOnceAndIsCheckedWhileCurrent)
{
  const CPoint at = Middle();
  const CVRX2DPoint world = View()->ClientToWorld(at);
  Command(ID_VERT_GUIDELINE_TOOL);
  EXPECT_EQ(View()->GetCurrentTool(), View()->GetTool(wbtVertGuideLine));
  EXPECT_TRUE(StateOf(ID_VERT_GUIDELINE_TOOL).enabled);
  EXPECT_EQ(StateOf(ID_VERT_GUIDELINE_TOOL).checked, 1);
  EXPECT_EQ(StateOf(ID_HORZ_GUIDELINE_TOOL).checked, 0);
  Click(at);
  ASSERT_EQ(View()->GetItemList()->GetCount(), 1);
  auto* pVertical = dynamic_cast<CGuidelineItem*>(static_cast<CObject*>(View()->GetItemList()->GetTail()));
  ASSERT_NE(pVertical, nullptr);
  EXPECT_TRUE(pVertical->IsVertical());
  EXPECT_EQ(pVertical->GetOffset(), CVRX2DVector(world.GetX(), 720.0));
  EXPECT_TRUE(View()->IsSelected(pVertical));
  EXPECT_EQ(View()->GetCurrentTool(), View()->GetTool(wbtSelect)) << "a guideline tool acts once";
  // Drawn in the guideline colour along the click's column.
  Pump();
  EXPECT_EQ(View()->GetSurfacePixel(at.x, at.y + 40), RGB(0, 0, 255));

  CGuidelineItem* pHorizontal = Place(ID_HORZ_GUIDELINE_TOOL, CPoint(at.x + 30, at.y + 20));
  ASSERT_NE(pHorizontal, nullptr);
  EXPECT_TRUE(pHorizontal->IsHorizontal());
  EXPECT_EQ(pHorizontal->GetOffset(), CVRX2DVector(720.0, View()->ClientToWorld(CPoint(at.x + 30, at.y + 20)).GetY()));
  EXPECT_FALSE(View()->IsSelected(pVertical)) << "the new guideline is selected alone";

  CGuidelineItem* pAngled = Place(ID_ANGLED_GUIDELINE_TOOL, at);
  ASSERT_NE(pAngled, nullptr);
  EXPECT_TRUE(pAngled->IsAngled());
  EXPECT_DOUBLE_EQ(pAngled->GetAngle().GetRadians(), VRX_QUARTER_PI);
  EXPECT_NEAR(pAngled->GetOffset().GetY() - pAngled->GetOffset().GetX(), world.GetY() - world.GetX(), 1e-9);
  EXPECT_EQ(pAngled->GetHandleCount(), 2);

  // Read-only, the tools are greyed.
  View()->SetReadOnly(TRUE);
  EXPECT_FALSE(StateOf(ID_VERT_GUIDELINE_TOOL).enabled);
  EXPECT_FALSE(StateOf(ID_HORZ_GUIDELINE_TOOL).enabled);
  EXPECT_FALSE(StateOf(ID_ANGLED_GUIDELINE_TOOL).enabled);
}

TEST_F(GuidelineGuiTest, ADragMovesAGuidelineAcrossItselfAndAHandleDragTurnsAnAngledOne)
{
  const CPoint at = Middle();
  CGuidelineItem* pVertical = Place(ID_VERT_GUIDELINE_TOOL, at);
  ASSERT_NE(pVertical, nullptr);
  const double x = pVertical->GetOffset().GetX();
  const CPoint from(at.x, at.y + 30);
  const CPoint to(from.x + 40, from.y - 25);
  Drag(from, to);
  EXPECT_NEAR(pVertical->GetOffset().GetX(), x + View()->ClientToWorld(to).GetX() - View()->ClientToWorld(from).GetX(),
              1e-9);
  EXPECT_EQ(pVertical->GetOffset().GetY(), 720.0);
  EXPECT_TRUE(View()->IsSelected(pVertical));
  // Turning a vertical guideline's handle does nothing.
  const CPoint handle = View()->WorldToClient(pVertical->GetHandlePoint(0, View()));
  Drag(handle, CPoint(handle.x + 30, handle.y + 30));
  EXPECT_TRUE(pVertical->IsVertical());

  View()->RemoveItem(pVertical);
  CGuidelineItem* pAngled = Place(ID_ANGLED_GUIDELINE_TOOL, at);
  ASSERT_NE(pAngled, nullptr);
  const CVRX2DPoint pivot = pAngled->GetHandlePoint(1, View());
  const CPoint grip = View()->WorldToClient(pAngled->GetHandlePoint(0, View()));
  const CPoint target(grip.x + 20, grip.y - 60);
  Drag(grip, target);
  const double expected = pivot.AngleTo(View()->ClientToWorld(target)).GetRadians();
  EXPECT_NEAR(pAngled->GetAngle().GetRadians(), expected, 1e-9);
  EXPECT_TRUE(pAngled->GetCenterLine().Contains(pivot)) << "it turns about its other handle";
  EXPECT_EQ(View()->GetItemList()->GetCount(), 1);
}

TEST_F(GuidelineGuiTest, AGuidelineIsStoredAndFoundAgainWithTheSameRecord)
{
  CGuidelineItem* pAngled = Place(ID_ANGLED_GUIDELINE_TOOL, Middle());
  ASSERT_NE(pAngled, nullptr);
  pAngled->SetGuidelineWidth(3.5);
  pAngled->SetSnapToCenter(0);
  const std::vector<BYTE> before = Record(pAngled);
  StoreDesign("Guides", 1);
  Frame()->SendMessage(WM_COMMAND, IDC_WORKBENCH_CLOSE);
  Pump();
  ASSERT_EQ(m_pDoc->GetWorkbenchView(), nullptr);
  EditStoredDesign("Guides");
  ASSERT_NE(View(), nullptr);
  CGuidelineItem* pAgain = OnlyGuideline();
  ASSERT_NE(pAgain, nullptr);
  EXPECT_EQ(Record(pAgain), before);
  EXPECT_EQ(pAgain->GetGuidelineWidth(), 3.5);
  EXPECT_EQ(pAgain->GetAlignmentEntities()->GetSize(), 2) << "edges only";
}

TEST_F(GuidelineGuiTest, ApplyWritesAtOnceAndCancelAfterApplyKeepsIt)
{
  CGuidelineItem* pHorizontal = Place(ID_HORZ_GUIDELINE_TOOL, Middle());
  ASSERT_NE(pHorizontal, nullptr);
  bool ran = false;
  OnNextDialog([&](CDialog& dialog) {
    ran = true;
    auto& sheet = dynamic_cast<CGuidelinePropertiesDlg&>(dialog);
    CPropertyPage* pMisc = sheet.GetActivePage();
    ASSERT_NE(pMisc, nullptr);
    EXPECT_FALSE(pMisc->GetDlgItem(IDC_GUIDELINE_PITCH)->IsWindowEnabled()) << "no pitch for a horizontal";
    EXPECT_FALSE(sheet.GetDlgItem(ID_APPLY_NOW)->IsWindowEnabled());
    SetControlText(*pMisc, IDC_GUIDELINE_WIDTH, LengthText(4.0));
    EXPECT_TRUE(sheet.GetDlgItem(ID_APPLY_NOW)->IsWindowEnabled());
    ClickButton(sheet, ID_APPLY_NOW);
    EXPECT_EQ(pHorizontal->GetGuidelineWidth(), 4.0) << "Apply writes at once";
    EXPECT_EQ(ControlText(sheet, IDCANCEL), "Close");
    EXPECT_FALSE(sheet.GetDlgItem(ID_APPLY_NOW)->IsWindowEnabled());
    // Too wide: refused, the sheet stays open and the guideline keeps its width.
    SetControlText(*pMisc, IDC_GUIDELINE_WIDTH, LengthText(121.0));
    ClickButton(sheet, ID_APPLY_NOW);
    EXPECT_FALSE(sheet.HasEnded());
    EXPECT_EQ(pHorizontal->GetGuidelineWidth(), 4.0);
    SetControlText(*pMisc, IDC_GUIDELINE_WIDTH, LengthText(2.0));
    // The position page: x is fixed for a horizontal guideline; y moves it.
    ASSERT_TRUE(sheet.SetActivePage(1));
    CPropertyPage* pPosition = sheet.GetActivePage();
    EXPECT_FALSE(pPosition->GetDlgItem(IDC_GUIDELINE_ABS_X)->IsWindowEnabled());
    EXPECT_TRUE(pPosition->GetDlgItem(IDC_GUIDELINE_ABS_Y)->IsWindowEnabled());
    SetControlText(*pPosition, IDC_GUIDELINE_ABS_Y, LengthText(100.0));
    ClickButton(sheet, ID_APPLY_NOW);
    EXPECT_EQ(pHorizontal->GetOffset(), CVRX2DVector(720.0, 100.0));
    EXPECT_EQ(pHorizontal->GetGuidelineWidth(), 2.0) << "the width page was saved when it was left";
    EXPECT_EQ(MainFrame()->GetStatusBar()->GetPaneText(1), pHorizontal->GetDescription())
        << "the status bar tells where the guideline now is";
    ClickButton(sheet, IDCANCEL);
  });
  Command(ID_EDIT_PROPERTIES);
  EXPECT_TRUE(ran);
  EXPECT_EQ(pHorizontal->GetOffset(), CVRX2DVector(720.0, 100.0)) << "Cancel keeps what Apply wrote";
  EXPECT_EQ(pHorizontal->GetGuidelineWidth(), 2.0);
  EXPECT_EQ(service.dialogsLeftOpen, 0);

  // Cancel without Apply changes nothing; the sheet reopens on the page it was closed on.
  OnNextDialog([&](CDialog& dialog) {
    auto& sheet = dynamic_cast<CGuidelinePropertiesDlg&>(dialog);
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    ASSERT_TRUE(sheet.SetActivePage(0));
    SetControlText(*sheet.GetActivePage(), IDC_GUIDELINE_WIDTH, LengthText(9.0));
    ClickButton(sheet, IDCANCEL);
  });
  Command(ID_EDIT_PROPERTIES);
  EXPECT_EQ(pHorizontal->GetGuidelineWidth(), 2.0);
}

// The position page opens only the fields of the chosen way of placing, and of those only the
// one across the line; an angled guideline is placed from where it is.
TEST_F(GuidelineGuiTest, ThePositionPageOpensOnlyTheFieldsOfTheChosenWayOfPlacing)
{
  struct
  {
    UINT tool;
    bool x;
    bool y;
  } const kinds[] = {{ID_HORZ_GUIDELINE_TOOL, false, true},
                     {ID_VERT_GUIDELINE_TOOL, true, false},
                     {ID_ANGLED_GUIDELINE_TOOL, true, true}};
  for (const auto& kind : kinds) {
    SCOPED_TRACE(kind.tool);
    ASSERT_NE(Place(kind.tool, Middle()), nullptr);
    // Which of the four fields (absolute x, y, relative x, y) are open, edit and label alike.
    const auto open = [](CPropertyPage& page) {
      std::vector<bool> fields;
      for (auto [edit, label] : {std::pair{IDC_GUIDELINE_ABS_X, IDC_GUIDELINE_ABS_X_LABEL},
                                 {IDC_GUIDELINE_ABS_Y, IDC_GUIDELINE_ABS_Y_LABEL},
                                 {IDC_GUIDELINE_REL_X, IDC_GUIDELINE_REL_X_LABEL},
                                 {IDC_GUIDELINE_REL_Y, IDC_GUIDELINE_REL_Y_LABEL}}) {
        const bool field = page.GetDlgItem(static_cast<int>(edit))->IsWindowEnabled();
        EXPECT_EQ(page.GetDlgItem(static_cast<int>(label))->IsWindowEnabled(), field) << edit;
        fields.push_back(field);
      }
      return fields;
    };
    bool ran = false;
    OnNextDialog([&](CDialog& dialog) {
      ran = true;
      auto& sheet = dynamic_cast<CGuidelinePropertiesDlg&>(dialog);
      ASSERT_TRUE(sheet.SetActivePage(1));
      CPropertyPage& page = *sheet.GetActivePage();
      if (kind.tool != ID_ANGLED_GUIDELINE_TOOL) {
        EXPECT_EQ(open(page), (std::vector<bool>{kind.x, kind.y, false, false})) << "from the lower left corner";
        ClickButton(page, IDC_GUIDELINE_RELATIVE);
        EXPECT_EQ(open(page), (std::vector<bool>{false, false, kind.x, kind.y})) << "from the present position";
        ClickButton(page, IDC_GUIDELINE_ABSOLUTE);
        EXPECT_EQ(open(page), (std::vector<bool>{kind.x, kind.y, false, false})) << "back to the corner";
      } else {
        EXPECT_EQ(open(page), (std::vector<bool>{false, false, true, true}));
      }
      ClickButton(sheet, IDCANCEL);
    });
    Command(ID_EDIT_PROPERTIES);
    EXPECT_TRUE(ran);
  }
}

TEST_F(GuidelineGuiTest, AnAngledGuidelineTurnsAboutItsVisibleMiddleAndShowsWhereItReallyIs)
{
  CGuidelineItem* pAngled = Place(ID_ANGLED_GUIDELINE_TOOL, Middle());
  ASSERT_NE(pAngled, nullptr);
  Pump();
  const CVRX2DPoint middle = pAngled->GetVisibleMidpoint();
  EXPECT_NE(middle, pAngled->GetOffset().AsPoint()) << "the view shows only part of the line";
  OnNextDialog([&](CDialog& dialog) {
    auto& sheet = dynamic_cast<CGuidelinePropertiesDlg&>(dialog);
    CPropertyPage* pMisc = sheet.GetActivePage();
    EXPECT_EQ(ControlText(*pMisc, IDC_GUIDELINE_PITCH), "12");
    EXPECT_EQ(pMisc->IsDlgButtonChecked(IDC_GUIDELINE_SLOPE_UP), 1u);
    for (UINT nID : {IDC_GUIDELINE_BTN_SLOPE_UP, IDC_GUIDELINE_BTN_SLOPE_DOWN}) {
      auto* pButton = qobject_cast<QAbstractButton*>(pMisc->GetDlgItem(static_cast<int>(nID))->m_hWnd);
      ASSERT_NE(pButton, nullptr);
      EXPECT_FALSE(pButton->icon().isNull()) << "a picture, not the text " << nID;
      EXPECT_TRUE(pButton->text().isEmpty());
    }
    ClickButton(*pMisc, IDC_GUIDELINE_BTN_SLOPE_DOWN);
    ClickButton(sheet, IDOK);
  });
  Command(ID_EDIT_PROPERTIES);
  EXPECT_NEAR(pAngled->GetAngle().GetRadians(), 7 * VRX_QUARTER_PI, 1e-9);
  EXPECT_TRUE(pAngled->GetCenterLine().Contains(middle));

  // A move through a corner only is refused; the sheet then holds where the guideline is.
  const CVRX2DVector at = pAngled->GetOffset();
  OnNextDialog([&](CDialog& dialog) {
    auto& sheet = dynamic_cast<CGuidelinePropertiesDlg&>(dialog);
    EXPECT_EQ(sheet.GetActiveIndex(), 0) << "OK remembered the Width And Pitch page";
    ASSERT_TRUE(sheet.SetActivePage(1));
    auto* pPosition = dynamic_cast<CPositionGuidelinePropertyPage*>(sheet.GetActivePage());
    ASSERT_NE(pPosition, nullptr);
    EXPECT_EQ(pPosition->GetMode(), CPositionGuidelinePropertyPage::ptRelative) << "angled: relative only";
    EXPECT_FALSE(pPosition->GetDlgItem(IDC_GUIDELINE_ABSOLUTE)->IsWindowEnabled());
    // At -45 degrees the line through (0, 0) meets the square only at that corner.
    SetControlText(*pPosition, IDC_GUIDELINE_REL_X, LengthText(-at.GetX()));
    SetControlText(*pPosition, IDC_GUIDELINE_REL_Y, LengthText(-at.GetY()));
    ClickButton(sheet, ID_APPLY_NOW);
    EXPECT_EQ(pAngled->GetOffset(), at);
    EXPECT_EQ(sheet.GetAppliedData().x, at.GetX());
    EXPECT_EQ(sheet.GetAppliedData().y, at.GetY());
    SetControlText(*pPosition, IDC_GUIDELINE_REL_X, LengthText(10.0));
    ClickButton(sheet, IDOK);
  });
  Command(ID_EDIT_PROPERTIES);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], "The guildeline could not be repositioned as requested.");
  EXPECT_TRUE(pAngled->GetCenterLine().Contains(CVRX2DPoint(at.GetX() + 10.0, at.GetY())))
      << "the second move starts from where the guideline is";
}

TEST_F(GuidelineGuiTest, AClickOnTheLineSelectsItTheStatusTextDescribesItAndSpacingLeavesItOutWhenAlong)
{
  const CPoint at = Middle();
  CGuidelineItem* pVertical = Place(ID_VERT_GUIDELINE_TOOL, at);
  ASSERT_NE(pVertical, nullptr);
  View()->DeselectAll();
  Click(CPoint(at.x, at.y + 50));
  EXPECT_TRUE(View()->IsSelected(pVertical)) << "a click on the line hits it";
  CDesignItem* pHit = nullptr;
  int handle = -1;
  EXPECT_EQ(View()->HitTest(CPoint(at.x + 30, at.y + 50), pHit, handle), hitNothing);
  EXPECT_EQ(pVertical->GetDescription(),
            "Guideline at (" + CUnitsConverter().FormatLength(0, pVertical->GetOffset().GetX()) + ")");

  CGuidelineItem* pAngled = Place(ID_ANGLED_GUIDELINE_TOOL, at);
  ASSERT_NE(pAngled, nullptr);
  EXPECT_EQ(pAngled->GetDescription(), "Guideline pitch is 12.00");

  // Along the spacing direction a guideline asks whether to go on; Cancel stops the command.
  BOOL cancel = TRUE;
  EXPECT_TRUE(pVertical->CanSpaceEvenly(TRUE, &cancel));
  EXPECT_FALSE(cancel);
  EXPECT_TRUE(Messages().empty());
  service.messageAnswers.push_back(IDCANCEL);
  EXPECT_FALSE(pVertical->CanSpaceEvenly(FALSE, &cancel));
  EXPECT_TRUE(cancel);
  EXPECT_FALSE(pAngled->CanSpaceEvenly(TRUE, &cancel));
  EXPECT_FALSE(cancel) << "OK leaves the guideline out and goes on";
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_EQ(Messages()[0], "Any vertical guidelines you have selected will not be considered for Space Items "
                           "Evenly/Vertically");
  EXPECT_EQ(Messages()[1], "Any angled guidelines you have selected will not be considered for Space Items Evenly...");
}

TEST_F(GuidelineGuiTest, AGuidelineScrolledOutOfViewHasNoHandlesToHit)
{
  const CPoint at = Middle();
  CGuidelineItem* pVertical = Place(ID_VERT_GUIDELINE_TOOL, at);
  ASSERT_NE(pVertical, nullptr);
  ASSERT_EQ(pVertical->GetSizingHandles(View())->GetSize(), 1);
  const CRect client = View()->GetClientRect();
  View()->ScrollToDevicePosition(CPoint(View()->ClientToDevice(at).x + client.Width(), 0));
  Pump();
  ASSERT_LT(View()->WorldToClient(pVertical->GetOffset().AsPoint()).x, 0);
  EXPECT_EQ(pVertical->GetSizingHandles(View())->GetSize(), 0);
  CDesignItem* pHit = nullptr;
  int handle = -1;
  for (const CPoint& corner : {CPoint(0, 10), CPoint(0, 0), CPoint(1, client.Height() - 1)})
    EXPECT_EQ(View()->HitTest(corner, pHit, handle), hitNothing) << corner.x << "," << corner.y;
}

TEST_F(GuidelineGuiTest, TheSlopePicturesRiseAndFallToTheRight)
{
  for (UINT nID : {IDB_SLOPEUPU, IDB_SLOPEDOWNU, IDB_SLOPEUPD, IDB_SLOPEUPX}) {
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(nID, 1.0)) << nID;
    EXPECT_EQ(bitmap.GetSize(), CSize(39, 28));
    const QImage& image = bitmap.Image()->Image();
    const bool rising = nID != IDB_SLOPEDOWNU;
    const int shift = nID == IDB_SLOPEUPD ? 1 : 0;
    const QColor lowLeft = image.pixelColor(8 + shift, 20 + shift);
    const QColor highLeft = image.pixelColor(8 + shift, 7 + shift);
    EXPECT_LT((rising ? lowLeft : highLeft).lightness(), 160) << nID << " the line";
    EXPECT_GT((rising ? highLeft : lowLeft).lightness(), 200) << nID << " the ground";
  }
}

TEST_F(GuidelineGuiTest, AGuidelineNeverStandsWhereItIsNotDrawnAndHit)
{
  View()->SetScaleFactor(View()->GetFitScaleFactor(FALSE), TRUE);
  Pump();
  const CRect world = View()->GetWorldClientRect();
  const CPoint edge = View()->WorldToClient(CVRX2DPoint(kWorkbenchSquare, kWorkbenchSquare / 2));
  ASSERT_LT(edge.x + 20, View()->GetClientRect().right) << "the window shows a band past the square";
  ASSERT_EQ(edge.x, world.right);

  // A press in the band places nothing and says why; the tool stays chosen for the next press.
  Command(ID_VERT_GUIDELINE_TOOL);
  Click(CPoint(edge.x + 10, edge.y));
  EXPECT_EQ(View()->GetItemList()->GetCount(), 0);
  EXPECT_EQ(MainFrame()->GetStatusBar()->GetPaneText(0), CWorkbenchView::GetGuidelineBeyondSquarePrompt());
  EXPECT_EQ(StateOf(ID_VERT_GUIDELINE_TOOL).checked, 1) << "the refused press gave the guideline tool up";

  // Made inside the edge and dragged into the band, past places it could go on the way: the
  // drag ends refused and the guideline stays where it was.
  CGuidelineItem* pGuideline = Place(ID_VERT_GUIDELINE_TOOL, CPoint(edge.x - 30, edge.y));
  ASSERT_NE(pGuideline, nullptr);
  const double x = pGuideline->GetOffset().GetX();
  ASSERT_LT(x, kWorkbenchSquare);
  const CPoint grip(View()->WorldToClient(pGuideline->GetOffset().AsPoint()).x, edge.y + 30);
  ASSERT_NE(pGuideline->GetTracker(), nullptr);
  const std::vector<HCURSOR> shown =
      DragShowing(grip, {{CPoint(edge.x - 15, grip.y), pGuideline->GetTracker()->GetCursor()},
                         {CPoint(edge.x + 10, grip.y), pGuideline->GetTracker()->GetNotAllowedCursor()}});
  ASSERT_EQ(shown.size(), 2u);
  ASSERT_EQ(shown[1], pGuideline->GetTracker()->GetNotAllowedCursor()) << "the refusal shows";
  EXPECT_EQ(pGuideline->GetOffset().GetX(), x) << "the refused drag left it where it was";

  // Put on the edge itself through its sheet, it is drawn on the world's last column, where a
  // click hits it.
  OnNextDialog([](CDialog& dialog) {
    auto& sheet = dynamic_cast<CGuidelinePropertiesDlg&>(dialog);
    ASSERT_TRUE(sheet.SetActivePage(1));
    SetControlText(*sheet.GetActivePage(), IDC_GUIDELINE_ABS_X, LengthText(kWorkbenchSquare));
    ClickButton(sheet, IDOK);
  });
  Command(ID_EDIT_PROPERTIES);
  ASSERT_EQ(pGuideline->GetOffset().GetX(), kWorkbenchSquare);
  View()->Invalidate(TRUE);
  Pump();
  const int last = world.right - 1;
  EXPECT_EQ(View()->GetSurfacePixel(last, edge.y + 30), RGB(0, 0, 255)) << "drawn";
  View()->DeselectAll();
  Click(CPoint(last, edge.y + 30));
  EXPECT_TRUE(View()->IsSelected(pGuideline)) << "hit";

  // Turned to cross no more than the tip of the square's lower right corner, less than a pixel
  // of it, it is still drawn there.
  pGuideline->Rotate(CVRXAngle(VRX_QUARTER_PI - VRX_HALF_PI), CVRX2DPoint(kWorkbenchSquare - 0.01, 0.0));
  ASSERT_LT(pGuideline->GetCenterLine().GetLength(), 0.02);
  View()->Invalidate(TRUE);
  Pump();
  const CSize device = View()->GetTotalDeviceSize();
  const CPoint tip = View()->DeviceToClient(CPoint(device.cx - 1, 0));
  ASSERT_TRUE(View()->GetClientRect().PtInRect(tip));
  EXPECT_EQ(View()->GetSurfacePixel(tip.x, tip.y), RGB(0, 0, 255)) << "drawn at the corner";
}
