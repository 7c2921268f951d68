// On the Workbench of the running program, with the sample catalogue: two units of one type of
// each product line, the second dragged against the first with the mouse, are joined with a
// marker; two units that no joining type fits stay apart from a join, without a marker, and the
// status bar says why until the selection or the design changes; one of them whose sheet was
// closed with OK is not pulled flush against the other. A middle casement placed again between
// two (its sheet's OK, a nudge, a drag into a gap) keeps every join at its spacing, is never
// moved into a neighbour by a join, and a join it cannot keep is told. A join a sheet's change
// loses is told for the reason that holds where the units stand (in each other, or snapping
// off), and a change that joins leaves the idle text. In a touching row or column, units moved
// together either way, or alone, never end inside a unit by a snap or join: where their joins
// cannot be kept they stand as joining off puts them.
#include <algorithm>
#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <QTest>

#include "WbGuiFixture.h"
#include "app/Mainfrm.h"
#include "geometry/2dline.h"
#include "model/Custarch.h"
#include "model/Join.h"
#include "model/Stdunit.h"
#include "model/Unit.h"
#include "model/Varigon.h"
#include "productdb/Stdsizes.h"
#include "support/Unitscvt.h"
#include "ui/frame/CtrlBar.h"
#include "workbench/frame/Wbids.h"
#include "workbench/items/Joinitem.h"
#include "workbench/sheets/Itempos.h"
#include "workbench/sheets/Unitpage.h"
#include "workbench/sheets/Wbprops.h"

namespace {
constexpr double kGap = 0.25;

struct LineUnit
{
  const char* type;
  const char* subtype;
};

void PrintTo(const LineUnit& unit, std::ostream* os) { *os << unit.type << unit.subtype; }

class CatalogueJoinGuiTest : public WorkbenchGuiTest
{
protected:
  void SetUp() override
  {
    WorkbenchGuiTest::SetUp();
    StartProgram();
    View()->SetScaleFactor(1.0 / 24.0, TRUE);
    Pump();
  }

  // Places the two units apart, then drags the second by its middle until its left side stands a
  // quarter inch right of the first's right side.
  void PlaceAndPush(const LineUnit& left, const LineUnit& right)
  {
    const CRect client = View()->GetClientRect();
    m_pLeft = PlaceUnit(CommandFor(left.type, left.subtype), CPoint(client.Width() / 4, client.Height() / 2));
    m_pRight = PlaceUnit(CommandFor(right.type, right.subtype), CPoint(client.Width() * 3 / 4, client.Height() / 2));
    ASSERT_NE(m_pLeft, nullptr) << left.type << left.subtype;
    ASSERT_NE(m_pRight, nullptr) << right.type << right.subtype;
    View()->DeselectAll();
    Pump();
    const CVRX2DVector leftAt = m_pLeft->GetOffset();
    const CVRX2DVector rightAt = m_pRight->GetOffset();
    const CVRX2DPoint grip = m_pRight->GetCenterPoint();
    const double dx = leftAt.GetX() + m_pLeft->GetWidth() + kGap - rightAt.GetX();
    const double dy = leftAt.GetY() - rightAt.GetY();
    const CPoint from = View()->WorldToClient(grip);
    CPoint to = View()->WorldToClient(CVRX2DPoint(grip.GetX() + dx, grip.GetY() + dy));
    Drag(from, to);
  }

  int MarkerPixels(const CPoint& at) const
  {
    int count = 0;
    for (int y = at.y - 5; y < at.y + 12; ++y)
      for (int x = at.x - 12; x <= at.x + 12; ++x)
        count += View()->GetSurfacePixel(x, y) == CJoinItem::GetMarkerColor();
    return count;
  }

  CString Prompt() const { return MainFrame()->GetStatusBar()->GetPaneText(0); }

  // Every join holds its units exactly its spacing apart, each outside the other, side by side
  // or one above the other.
  void ExpectJoinsAtTheirSpacing(const std::string& step) const
  {
    for (CJoinItem* pJoin : Joins()) {
      CUnitItem* pFirst = nullptr;
      CUnitItem* pSecond = nullptr;
      pJoin->GetUnitItems(pFirst, pSecond);
      const CVRX2DVector a = pFirst->GetOffset();
      const CVRX2DVector b = pSecond->GetOffset();
      const double gapX =
          std::max(a.GetX(), b.GetX()) - std::min(a.GetX() + pFirst->GetWidth(), b.GetX() + pSecond->GetWidth());
      const double gapY =
          std::max(a.GetY(), b.GetY()) - std::min(a.GetY() + pFirst->GetHeight(), b.GetY() + pSecond->GetHeight());
      EXPECT_NEAR(gapX > gapY ? gapX : gapY, pJoin->GetTotalSpacing(), 1e-6) << step;
    }
  }

  // Snapping to alignment lines switched on or off on the "Alignment Lines" page of the
  // Workbench properties, as the user does it.
  void SetSnapping(bool on)
  {
    OnNextDialog([on](CDialog& dialog) {
      auto& sheet = dynamic_cast<CWorkbenchPropertiesDlg&>(dialog);
      sheet.SetActivePage(&sheet.m_AlignmentPage);
      ClickButton(sheet.m_AlignmentPage, on ? IDC_PAGE_SNAP_LINES : IDC_PAGE_NO_SNAP);
      ClickButton(sheet, IDOK);
    });
    Command(ID_WORKBENCH_PROPERTIES);
    int show = -1;
    int snap = -1;
    View()->GetAlignmentModes(show, snap);
    ASSERT_EQ(snap, on ? 0 : 1);
  }

  // A size code chosen on the unit's sheet, opened with a double click, and taken with OK.
  void ChooseSize(CUnitItem* pItem, const char* code)
  {
    ASSERT_TRUE(DoubleClick(pItem, [code](CUnitSheetDlg& sheet) {
      ASSERT_TRUE(sheet.SetActivePage(0));
      CPropertyPage& sizing = *sheet.GetActivePage();
      auto* pCodes = static_cast<CComboBox*>(sizing.GetDlgItem(IDC_UNIT_SIZE_CODE));
      ASSERT_NE(pCodes, nullptr);
      SelectLine(sizing, IDC_UNIT_SIZE_CODE, pCodes->FindStringExact(-1, code));
      ClickButton(sheet, IDOK);
    }));
    ASSERT_EQ(static_cast<CStandardUnit*>(pItem->GetUnit())->GetSizeCode(), CString(code));
  }

  // A left side typed on the unit's Position page, opened with a double click, and taken with OK.
  void TypeX(CUnitItem* pItem, double x)
  {
    ASSERT_TRUE(DoubleClick(pItem, [x](CUnitSheetDlg& sheet) {
      ASSERT_TRUE(sheet.SetActivePage(sheet.GetPageCount() - 1));
      SetControlText(*sheet.GetActivePage(), IDC_POSITION_ABS_X, CUnitsConverter().FormatLength(4, x));
      ClickButton(sheet, IDOK);
    }));
  }

  CUnitItem* m_pLeft = nullptr;
  CUnitItem* m_pRight = nullptr;
};

class OwnTypeJoin : public CatalogueJoinGuiTest, public ::testing::WithParamInterface<LineUnit>
{};

TEST_P(OwnTypeJoin, TwoUnitsOfOneTypePushedTogetherAreJoinedWithAMarker)
{
  const LineUnit unit = GetParam();
  PlaceAndPush(unit, unit);
  // One join per pair of facing members (a double-hung's side has one member per sash).
  const std::vector<CJoinItem*> joins = Joins();
  ASSERT_GE(joins.size(), 1u) << unit.type << unit.subtype;
  ASSERT_NE(joins[0]->GetJoin(), nullptr);
  // The units stand the join's spacing apart.
  const double gap = m_pRight->GetOffset().GetX() - m_pLeft->GetOffset().GetX() - m_pLeft->GetWidth();
  EXPECT_NEAR(gap, joins[0]->GetTotalSpacing(), 1e-6);
  CVRX2DEntityArray outline;
  joins[0]->GetOutlineEntities(outline);
  ASSERT_GE(outline.GetSize(), 2);
  const auto& marker = *static_cast<const CVRX2DLine*>(outline[1]);
  EXPECT_GT(MarkerPixels(View()->WorldToClient(marker.GetStartPoint())), 0);
  EXPECT_NE(Prompt(), CWorkbenchView::GetNoJoiningTypePrompt());
}

// One type of each line that has straight sides on both its left and its right.
INSTANTIATE_TEST_SUITE_P(EveryLine, OwnTypeJoin,
                         ::testing::Values(LineUnit{"AR", "BA011"}, LineUnit{"AR", "DL013"}, LineUnit{"AW", "BA002"},
                                           LineUnit{"CA", "BA001"}, LineUnit{"DH", "KC003"}, LineUnit{"FG", "BA015"},
                                           LineUnit{"FH", "BA014"}, LineUnit{"GL", "BA005"}, LineUnit{"PS", "BA016"},
                                           LineUnit{"SL", "BA012"}, LineUnit{"SW", "OC010"}, LineUnit{"VG", "RE010"}),
                         [](const ::testing::TestParamInfo<LineUnit>& info) {
                           return std::string(info.param.type) + info.param.subtype;
                         });

TEST_F(CatalogueJoinGuiTest, APairThatNoJoiningTypeFitsIsNotJoinedAndTheStatusBarSaysSo)
{
  PlaceAndPush({"FH", "BA014"}, {"GL", "BA005"});
  EXPECT_TRUE(Joins().empty());
  EXPECT_EQ(Prompt(), CWorkbenchView::GetNoJoiningTypePrompt());
  // Pushed away again, the prompt goes.
  const CPoint from = View()->WorldToClient(m_pRight->GetCenterPoint());
  Drag(from, CPoint(from.x + 40, from.y));
  EXPECT_NE(Prompt(), CWorkbenchView::GetNoJoiningTypePrompt());
}

// A unit whose sheet was closed with OK is snapped again where it stands; beside a unit that no
// joining type fits it stays where it stood, not pulled flush against it.
TEST_F(CatalogueJoinGuiTest, AUnitBesideOneNoJoiningTypeFitsStaysApartFromItAfterItsSheetsOk)
{
  const CRect client = View()->GetClientRect();
  m_pLeft = PlaceUnit(CommandFor("FH", "BA014"), CPoint(client.Width() / 4, client.Height() / 2));
  m_pRight = PlaceUnit(CommandFor("GL", "BA005"), CPoint(client.Width() * 3 / 4, client.Height() / 2));
  ASSERT_NE(m_pLeft, nullptr);
  ASSERT_NE(m_pRight, nullptr);
  View()->DeselectAll();
  const CVRX2DVector leftAt = m_pLeft->GetOffset();
  for (const double gap : {0.1, 0.3}) {
    const CVRX2DVector at(leftAt.GetX() + m_pLeft->GetWidth() + gap, leftAt.GetY());
    m_pRight->Offset(at - m_pRight->GetOffset());
    View()->UpdateAlignmentEntities(m_pRight);
    Pump();
    std::ostringstream step;
    step << "the glider " << gap << "\" right of the door, its sheet closed with OK";
    SCOPED_TRACE(step.str());
    View()->SendItemPropertiesHint(m_pRight);
    Pump();
    EXPECT_NEAR(m_pRight->GetOffset().GetX(), at.GetX(), 1e-9) << "not pulled flush against the door";
    EXPECT_NEAR(m_pRight->GetOffset().GetY(), at.GetY(), 1e-9);
    EXPECT_TRUE(Joins().empty());
  }
}

// Two casements joined, the left one changed through its sheet: a join that goes is told for the
// reason that holds where the units now stand, and a later change that joins them again leaves
// the idle text.
TEST_F(CatalogueJoinGuiTest, AJoinLostToTheSheetIsToldForTheReasonThatHolds)
{
  PlaceAndPush({"CA", "BA001"}, {"CA", "BA001"});
  ASSERT_EQ(Joins().size(), 1u);
  ASSERT_DOUBLE_EQ(m_pLeft->GetWidth(), 23.5) << "CA2030";
  const CString idle = "Ready";

  // Made taller with snapping off, it still stands the spacing apart: only snapping, switched
  // off, keeps the join from being made again.
  SetSnapping(false);
  ChooseSize(m_pLeft, "CA2040");
  EXPECT_TRUE(Joins().empty()) << "taller, snapping off";
  EXPECT_EQ(Prompt(), CWorkbenchView::GetJoinsNotMadeWithoutSnappingPrompt()) << "taller, snapping off";

  // Back to its size with snapping on, it is joined again and the prompt goes.
  SetSnapping(true);
  ChooseSize(m_pLeft, "CA2030");
  ASSERT_EQ(Joins().size(), 1u) << "joined again";
  EXPECT_EQ(Prompt(), idle) << "joined again";

  // Made wider with snapping off, it reaches into its neighbour: no snapping could join them.
  SetSnapping(false);
  ChooseSize(m_pLeft, "CA2640");
  ASSERT_GT(m_pLeft->GetOffset().GetX() + m_pLeft->GetWidth(), m_pRight->GetOffset().GetX() + 5.0);
  EXPECT_TRUE(Joins().empty()) << "wider, snapping off";
  EXPECT_EQ(Prompt(), CWorkbenchView::GetJoinNotKeptPrompt()) << "wider, snapping off";

  // With snapping on the same change is told alike.
  SetSnapping(true);
  ChooseSize(m_pLeft, "CA2030");
  ASSERT_EQ(Joins().size(), 1u) << "joined again";
  EXPECT_EQ(Prompt(), idle) << "joined again";
  ChooseSize(m_pLeft, "CA2640");
  EXPECT_TRUE(Joins().empty()) << "wider, snapping on";
  EXPECT_EQ(Prompt(), CWorkbenchView::GetJoinNotKeptPrompt()) << "wider, snapping on";
}

struct FamilyDrag
{
  LineUnit unit;
  int handle;
  double dx, dy;  // inches
};

void PrintTo(const FamilyDrag& drag, std::ostream* os)
{
  *os << drag.unit.type << drag.unit.subtype << " handle " << drag.handle << " by " << drag.dx << "," << drag.dy;
}

class FamilyHandleDrag : public CatalogueJoinGuiTest, public ::testing::WithParamInterface<FamilyDrag>
{
protected:
  // The unit's own checks of its size: a catalogue unit stands at one of its catalogue sizes, a
  // custom arch's size is valid, a free-form unit takes its own dimensions again.
  static void ExpectPassesItsOwnChecks(const CUnit& unit)
  {
    if (auto* pArched = dynamic_cast<const CCustomArchedUnit*>(&unit)) {
      EXPECT_TRUE(pArched->IsSizeValid());
    } else if (auto* pFree = dynamic_cast<const CVarigonUnit*>(&unit)) {
      CArray<double, double> values;
      pFree->GetDimensionValues(values);
      std::unique_ptr<CUnit> copy(unit.Clone());
      EXPECT_TRUE(dynamic_cast<CVarigonUnit&>(*copy).SetDimensionValues(values));
    } else if (auto* pStandard = dynamic_cast<const CStandardUnit*>(&unit)) {
      CStdSizesRecArray sizes;
      pStandard->GetStandardSizes(sizes);
      bool listed = false;
      for (int i = 0; i < sizes.GetSize(); ++i)
        listed = listed || sizes[i]->GetSizeCode() == pStandard->GetSizeCode();
      EXPECT_TRUE(listed) << pStandard->GetSizeCode();
    } else {
      ADD_FAILURE() << "no checks known for this family";
    }
  }
};

// The default unit of each family, placed from the menu and selected with a click, takes a drag
// of one of its handles with the mouse: its outline changes and stays within the unit's checks.
TEST_P(FamilyHandleDrag, TheDefaultUnitOfEachFamilyTakesAHandleDrag)
{
  const FamilyDrag c = GetParam();
  const CRect client = View()->GetClientRect();
  CUnitItem* pItem =
      PlaceUnit(CommandFor(c.unit.type, c.unit.subtype), CPoint(client.Width() / 2, client.Height() / 2));
  ASSERT_NE(pItem, nullptr);
  View()->DeselectAll();
  Click(View()->WorldToClient(pItem->GetCenterPoint()));
  ASSERT_TRUE(View()->IsSelected(pItem));
  const CString before = pItem->GetUnit()->GetAttributes();
  const CVRX2DPoint grip = pItem->GetHandlePoint(c.handle, View());
  Drag(View()->WorldToClient(grip), View()->WorldToClient(CVRX2DPoint(grip.GetX() + c.dx, grip.GetY() + c.dy)));
  EXPECT_NE(pItem->GetUnit()->GetAttributes(), before) << c.unit.type << c.unit.subtype;
  ExpectPassesItsOwnChecks(*pItem->GetUnit());
}

INSTANTIATE_TEST_SUITE_P(
    EveryFamily, FamilyHandleDrag,
    ::testing::Values(FamilyDrag{{"GL", "BA005"}, 2, 12.0, 12.0}, FamilyDrag{{"AR", "BA011"}, 1, 12.0, 0.0},
                      FamilyDrag{{"SW", "CC006"}, 1, 12.0, 0.0}, FamilyDrag{{"AR", "DL013"}, 1, 2.0, 0.0},
                      FamilyDrag{{"VG", "HX010"}, 1, 1.0, 0.0}, FamilyDrag{{"VG", "OC010"}, 1, 1.0, 0.0}),
    [](const ::testing::TestParamInfo<FamilyDrag>& info) {
      return std::string(info.param.unit.type) + info.param.unit.subtype;
    });
}  // namespace

// The prompt speaks of the move just made: a click on an empty place, the Store Design button and
// deleting the unit each take it away.
TEST_F(CatalogueJoinGuiTest, TheNoJoiningTypePromptGoesWhenTheSelectionOrTheDesignChanges)
{
  const CString prompt = CWorkbenchView::GetNoJoiningTypePrompt();
  PlaceAndPush({"FH", "BA014"}, {"GL", "BA005"});
  ASSERT_EQ(Prompt(), prompt);
  // Pushed against the other once more: the prompt comes back.
  auto pushAgain = [&] {
    const CPoint from = View()->WorldToClient(m_pRight->GetCenterPoint());
    Drag(from, CPoint(from.x + 40, from.y));
    Drag(CPoint(from.x + 40, from.y), CPoint(from.x - 2, from.y));
  };
  const CRect client = View()->GetClientRect();
  Click(CPoint(client.Width() - 10, 10));
  EXPECT_TRUE(View()->GetSelectedItems().IsEmpty());
  EXPECT_NE(Prompt(), prompt) << "nothing selected any more";

  pushAgain();
  ASSERT_EQ(Prompt(), prompt);
  CWnd* pStore = Frame()->GetDialogBar()->GetDlgItem(IDC_STORE_DESIGN);
  ASSERT_NE(pStore, nullptr);
  OnNextDialog([](CDialog& dialog) {
    SetControlText(dialog, IDC_NEW_DESIGN_NAME, "Porch");
    ClickButton(dialog, IDOK);
  });
  QTest::mouseClick(pStore->m_hWnd, Qt::LeftButton);
  Pump();
  ASSERT_GE(m_pDoc->FindDesign("Porch"), 0);
  EXPECT_NE(Prompt(), prompt) << "the design stored";

  pushAgain();
  ASSERT_EQ(Prompt(), prompt);
  ASSERT_TRUE(View()->IsSelected(m_pRight));
  View()->SetFocus();
  QTest::keyClick(View()->m_hWnd, Qt::Key_Delete);
  Pump();
  EXPECT_EQ(View()->GetItemList()->Find(m_pRight), nullptr);
  EXPECT_NE(Prompt(), prompt) << "the unit it spoke of is gone";
}

namespace {
// Three casements side by side, the middle one placed again among the other two as a designer
// does it: every pair joined stands exactly its spacing apart, each outside the other, and a
// join a move proposed and could not keep is told.
class CasementRowTest : public CatalogueJoinGuiTest
{
protected:
  void SetUp() override
  {
    CatalogueJoinGuiTest::SetUp();
    const CRect client = View()->GetClientRect();
    const UINT nID = CommandFor("CA", "BA001");
    for (int i = 0; i < 3; ++i) {
      m_units[i] = PlaceUnit(nID, CPoint(client.Width() * (i + 1) / 5, client.Height() / 4));
      ASSERT_NE(m_units[i], nullptr);
    }
    ASSERT_DOUBLE_EQ(Width(), 23.5) << "the casement's default size, CA2030";
    View()->DeselectAll();
    m_y = m_units[0]->GetOffset().GetY();
    m_x = m_units[0]->GetOffset().GetX();
  }
  double Width() const { return m_units[0]->GetWidth(); }
  CUnitItem* Unit(int i) const { return m_units[i]; }
  void MoveTo(CUnitItem* pUnit, double x, double y)
  {
    pUnit->Offset(CVRX2DVector(x, y) - pUnit->GetOffset());
    View()->UpdateAlignmentEntities(pUnit);
    View()->Invalidate(TRUE);
    Pump();
  }
  // Left and right stand the gap apart; the middle one stands below, out of the way.
  void OpenGap(double gap)
  {
    MoveTo(Unit(0), m_x, m_y);
    MoveTo(Unit(2), m_x + Width() + gap, m_y);
    MoveTo(Unit(1), m_x, m_y - 60.0);
  }
  // Dragged by its middle, with the mouse, until its left side stands about `x` right of the
  // left unit's right side; the answer is where the pointer put its left side.
  double DragMiddleTo(double x)
  {
    CUnitItem* pMiddle = Unit(1);
    const CVRX2DPoint grip = pMiddle->GetCenterPoint();
    const double dx = m_x + Width() + x - pMiddle->GetOffset().GetX();
    const double dy = m_y - pMiddle->GetOffset().GetY();
    const CPoint from = View()->WorldToClient(grip);
    const CPoint to = View()->WorldToClient(CVRX2DPoint(grip.GetX() + dx, grip.GetY() + dy));
    const double put =
        pMiddle->GetOffset().GetX() + View()->ClientToWorld(to).GetX() - View()->ClientToWorld(from).GetX();
    Drag(from, to);
    return put;
  }
  double Gap(int left) const
  {
    return Unit(left + 1)->GetOffset().GetX() - Unit(left)->GetOffset().GetX() - Unit(left)->GetWidth();
  }
  BOOL Joined(int left) const
  {
    for (CJoinItem* pJoin : Joins()) {
      CUnitItem* pFirst = nullptr;
      CUnitItem* pSecond = nullptr;
      pJoin->GetUnitItems(pFirst, pSecond);
      if ((pFirst == Unit(left) && pSecond == Unit(left + 1)) || (pFirst == Unit(left + 1) && pSecond == Unit(left)))
        return TRUE;
    }
    return FALSE;
  }
  double Spacing() const
  {
    const std::vector<CJoinItem*> joins = Joins();
    return joins.empty() ? -1.0 : joins[0]->GetTotalSpacing();
  }
  CUnitItem* m_units[3] = {};
  double m_x = 0.0;
  double m_y = 0.0;
};

TEST_F(CasementRowTest, AMiddleUnitPlacedAgainBetweenTwoKeepsEveryJoinAtItsSpacingOrIsToldWhy)
{
  // A gap of the unit and two spacings: joined on both sides.
  OpenGap(Width() + 1.0);
  DragMiddleTo(0.25);
  ASSERT_TRUE(Joined(0));
  ASSERT_TRUE(Joined(1));
  const double spacing = Spacing();
  ASSERT_DOUBLE_EQ(spacing, 0.5);
  EXPECT_NEAR(Gap(0), spacing, 1e-6);
  EXPECT_NEAR(Gap(1), spacing, 1e-6);
  EXPECT_NE(Prompt(), CWorkbenchView::GetJoinNotKeptPrompt());

  // Its sheet's OK after it stood against its right neighbour: both joins come back, each at
  // its spacing.
  MoveTo(Unit(1), m_x + Width() + 2 * spacing, m_y);
  View()->VerifyAllJoins(nullptr);
  ASSERT_FALSE(Joined(0));
  ASSERT_DOUBLE_EQ(Gap(1), 0.0);
  View()->SendItemPropertiesHint(Unit(1));
  Pump();
  EXPECT_TRUE(Joined(0));
  EXPECT_TRUE(Joined(1));
  EXPECT_NEAR(Gap(0), spacing, 1e-6) << "sheet OK";
  EXPECT_NEAR(Gap(1), spacing, 1e-6) << "sheet OK";

  // Made stationary, the middle unit joins both neighbours as the hinged one did, each join at
  // its spacing. (A unit beside one that no joining type fits is tried with a door and a glider.)
  auto* pMiddle = static_cast<CStandardUnit*>(Unit(1)->GetUnit());
  pMiddle->SetOperatingChoice("S");
  View()->SendItemPropertiesHint(Unit(1));
  Pump();
  EXPECT_TRUE(Joined(0)) << "stationary";
  EXPECT_TRUE(Joined(1)) << "stationary";
  EXPECT_NEAR(Gap(0), spacing, 1e-6) << "stationary";
  EXPECT_NEAR(Gap(1), spacing, 1e-6) << "stationary";
  ExpectJoinsAtTheirSpacing("stationary");
  pMiddle->SetOperatingChoice("L");
  View()->SendItemPropertiesHint(Unit(1));
  Pump();
  EXPECT_TRUE(Joined(0));
  EXPECT_TRUE(Joined(1));
  EXPECT_NEAR(Gap(0), spacing, 1e-6) << "hinged again";
  EXPECT_NEAR(Gap(1), spacing, 1e-6) << "hinged again";
  EXPECT_NE(Prompt(), CWorkbenchView::GetJoinNotKeptPrompt()) << "hinged again";

  // With snapping off a changed unit stands where it stood, its spacing from both neighbours:
  // the joins it loses went only because snapping, which makes joins, is off.
  View()->SetAlignmentModes(0, 1);
  pMiddle->SetOperatingChoice("S");
  View()->SendItemPropertiesHint(Unit(1));
  Pump();
  EXPECT_NEAR(Gap(0), spacing, 1e-6) << "snapping off";
  EXPECT_NEAR(Gap(1), spacing, 1e-6) << "snapping off";
  EXPECT_FALSE(Joined(0) || Joined(1)) << "snapping off";
  EXPECT_EQ(Prompt(), CWorkbenchView::GetJoinsNotMadeWithoutSnappingPrompt()) << "snapping off";
  View()->SetAlignmentModes(0, 0);
  pMiddle->SetOperatingChoice("L");
  View()->SendItemPropertiesHint(Unit(1));
  Pump();
  ASSERT_TRUE(Joined(0) && Joined(1)) << "snapping on again";
  EXPECT_EQ(Prompt(), CString("Ready")) << "snapping on again";

  // Made wider with snapping off, it reaches into its right neighbour: that join could not stand
  // whatever snapped, and that is told, though its left join only waits for snapping.
  View()->SetAlignmentModes(0, 1);
  pMiddle->SetSizeCode("CA2640");
  View()->SendItemPropertiesHint(Unit(1));
  Pump();
  ASSERT_LT(Gap(1), 0.0) << "wider, snapping off";
  EXPECT_NEAR(Gap(0), spacing, 1e-6) << "wider, snapping off";
  EXPECT_EQ(Prompt(), CWorkbenchView::GetJoinNotKeptPrompt()) << "wider, snapping off";
  View()->SetAlignmentModes(0, 0);
  pMiddle->SetSizeCode("CA2030");
  View()->SendItemPropertiesHint(Unit(1));
  Pump();
  ASSERT_TRUE(Joined(0) && Joined(1)) << "its size again";

  // Three touching units, the middle one nudged: it cannot keep a spacing on either side.
  OpenGap(Width());
  MoveTo(Unit(1), m_x + Width(), m_y);
  View()->Select(Unit(1));
  Key(Qt::Key_Right);
  EXPECT_FALSE(Joined(0)) << "nudge";
  EXPECT_FALSE(Joined(1)) << "nudge";
  EXPECT_EQ(Prompt(), CWorkbenchView::GetJoinNotKeptPrompt()) << "nudge";
  View()->DeselectAll();

  // Dragged into a gap one unit wide, 0.25 wider and 0.25 narrower: no join can keep its spacing
  // without moving it into the other unit, so it stands as joining off puts it, which the pointer's
  // quarter-inch steps make where it was put, unjoined, and is told.
  for (const double extra : {0.0, 0.25, -0.25}) {
    OpenGap(Width() + extra);
    const double put = DragMiddleTo(extra / 2);
    EXPECT_FALSE(Joined(0)) << extra;
    EXPECT_FALSE(Joined(1)) << extra;
    EXPECT_NEAR(Gap(0) + Gap(1), extra, 1e-6) << extra;
    EXPECT_NEAR(Unit(1)->GetOffset().GetX(), put, 1e-6) << "where it was put, " << extra;
    EXPECT_EQ(Prompt(), CWorkbenchView::GetJoinNotKeptPrompt()) << extra;
  }

  // A gap 0.6 wider than the unit: one join keeps its spacing, the other side stays clear.
  OpenGap(Width() + 0.6);
  DragMiddleTo(0.25);
  EXPECT_TRUE(Joined(0) != Joined(1));
  ExpectJoinsAtTheirSpacing("0.6 wider");
  EXPECT_GE(Gap(0), -1e-6);
  EXPECT_GE(Gap(1), -1e-6);
  EXPECT_EQ(Prompt(), CWorkbenchView::GetJoinNotKeptPrompt()) << "the side not joined";

  // Joined on both sides, then made wider through its sheet, it overlaps its right neighbour:
  // the join that goes is told.
  OpenGap(Width() + 1.0);
  DragMiddleTo(0.25);
  ASSERT_TRUE(Joined(0) && Joined(1));
  pMiddle->SetSizeCode("CA2640");
  ASSERT_GT(Unit(1)->GetUnit()->GetWidth(), Width() + 2.0);
  View()->SendItemPropertiesHint(Unit(1));
  Pump();
  EXPECT_FALSE(Joined(1)) << "wider";
  ExpectJoinsAtTheirSpacing("wider");
  EXPECT_EQ(Prompt(), CWorkbenchView::GetJoinNotKeptPrompt()) << "wider";
}
// Four units of one type standing in a row, or in a column from the bottom up, each touching the
// next and none joined, as a designer lays them with automatic joining off; then joining is on
// again and some of them are moved.
class TouchingRowTest : public CatalogueJoinGuiTest, public ::testing::WithParamInterface<LineUnit>
{
protected:
  static constexpr int kUnits = 4;
  // The arrow keys' step, and the pixels of a drag by it at four pixels to the inch.
  static constexpr double kStep = 1.0;
  static constexpr int kStepPixels = 4;

  void SetUp() override
  {
    CatalogueJoinGuiTest::SetUp();
    const LineUnit unit = GetParam();
    const CRect client = View()->GetClientRect();
    for (int i = 0; i < kUnits; ++i) {
      m_units[i] =
          PlaceUnit(CommandFor(unit.type, unit.subtype), CPoint(client.Width() * (i + 1) / 6, client.Height() / 4));
      ASSERT_NE(m_units[i], nullptr);
    }
    m_x = m_units[0]->GetOffset().GetX();
    m_y = m_units[0]->GetOffset().GetY();
    // A column stands up from near the bottom of the window, its lowest unit in view.
    m_columnY = View()->ClientToWorld(CPoint(0, client.Height() - 20)).GetY();
  }
  double Width() const { return m_units[0]->GetWidth(); }
  double Height() const { return m_units[0]->GetHeight(); }
  // The row (or column) laid again, unjoined, with the units named in `away` standing well off
  // it; nothing selected.
  void LayRow(const std::vector<int>& away = {}, bool column = false)
  {
    m_column = column;
    View()->DeselectAll();
    for (int i = 0; i < kUnits; ++i) {
      const bool off = std::find(away.begin(), away.end(), i) != away.end();
      const CVRX2DVector at = column ? CVRX2DVector(off ? m_x + 60.0 : m_x, m_columnY + i * Height())
                                     : CVRX2DVector(m_x + i * Width(), off ? m_y - 60.0 : m_y);
      CUnitItem* pUnit = m_units[i];
      pUnit->Offset(at - pUnit->GetOffset());
      View()->UpdateAlignmentEntities(pUnit);
    }
    View()->VerifyAllJoins(nullptr);
    View()->Invalidate(TRUE);
    Pump();
    ASSERT_TRUE(Joins().empty());
  }
  std::vector<CVRX2DVector> Places() const
  {
    std::vector<CVRX2DVector> places;
    for (CUnitItem* pUnit : m_units)
      places.push_back(pUnit->GetOffset());
    return places;
  }
  // A step along the row (right for 1) or up the column.
  CVRX2DVector Step(int direction) const
  {
    return m_column ? CVRX2DVector(0.0, direction * kStep) : CVRX2DVector(direction * kStep, 0.0);
  }
  // The units named selected and moved by the step: by the arrow key, or dragged by the first of
  // them with the mouse. The answer is where each unit stood before.
  std::vector<CVRX2DVector> Move(const std::vector<int>& moved, int direction, bool drag)
  {
    const std::vector<CVRX2DVector> before = Places();
    View()->DeselectAll();
    for (int i : moved)
      View()->Select(m_units[i]);
    Pump();
    if (drag) {
      const CPoint from = View()->WorldToClient(m_units[moved.front()]->GetCenterPoint());
      const CSize by = m_column ? CSize(0, -direction * kStepPixels) : CSize(direction * kStepPixels, 0);
      Drag(from, from + by);
    } else if (m_column) {
      Key(direction > 0 ? Qt::Key_Up : Qt::Key_Down);
    } else {
      Key(direction > 0 ? Qt::Key_Right : Qt::Key_Left);
    }
    return before;
  }
  // How far two units at these places reach into each other; none when they are clear.
  double Overlap(const CVRX2DVector& a, const CVRX2DVector& b) const
  {
    const double x = std::min(a.GetX(), b.GetX()) + Width() - std::max(a.GetX(), b.GetX());
    const double y = std::min(a.GetY(), b.GetY()) + Height() - std::max(a.GetY(), b.GetY());
    return std::min(x, y);
  }
  // No unit overlaps one it did not overlap where the move alone put it, no moved unit ends behind
  // where it stood, the others stay, and every join holds exactly its spacing.
  void ExpectNothingPulledIn(const std::vector<CVRX2DVector>& before, const std::vector<int>& moved, int direction,
                             const std::string& what) const
  {
    const std::vector<CVRX2DVector> after = Places();
    std::vector<CVRX2DVector> put = before;
    for (int i : moved)
      put[i] += Step(direction);
    for (int i = 0; i < kUnits; ++i) {
      for (int j = i + 1; j < kUnits; ++j)
        if (Overlap(after[i], after[j]) > 1e-6) {
          EXPECT_GT(Overlap(put[i], put[j]), 1e-6)
              << what << ": unit " << i << " moved into unit " << j << " by " << Overlap(after[i], after[j]);
        }
      const bool wasMoved = std::find(moved.begin(), moved.end(), i) != moved.end();
      if (!wasMoved) {
        EXPECT_EQ(after[i], before[i]) << what << ": unit " << i << " was not moved";
      }
      const CVRX2DVector across = m_column ? CVRX2DVector(1.0, 0.0) : CVRX2DVector(0.0, 1.0);
      EXPECT_DOUBLE_EQ(after[i].Dot(across), before[i].Dot(across)) << what << ": unit " << i;
    }
    for (int i : moved) {
      EXPECT_GE((after[i] - before[i]).Dot(Step(direction)), -1e-6)
          << what << ": unit " << i << " ends behind where it stood";
    }
    ExpectJoinsAtTheirSpacing(what);
  }
  // Where the move puts the units with automatic joining off, from the units laid as they are now.
  std::vector<CVRX2DVector> UnjoinedResult(const std::vector<int>& moved, int direction, bool drag)
  {
    const std::vector<CVRX2DVector> laid = Places();
    View()->SetAutoJoin(FALSE);
    Move(moved, direction, drag);
    View()->SetAutoJoin(TRUE);
    const std::vector<CVRX2DVector> result = Places();
    for (int i = 0; i < kUnits; ++i) {
      m_units[i]->Offset(laid[i] - m_units[i]->GetOffset());
      View()->UpdateAlignmentEntities(m_units[i]);
    }
    View()->VerifyAllJoins(nullptr);
    Pump();
    return result;
  }

  CUnitItem* m_units[kUnits] = {};
  double m_x = 0.0;
  double m_y = 0.0;
  double m_columnY = 0.0;
  bool m_column = false;
};

// A and C moved together either way along the row, or down the column, by the arrow key and by a
// drag, and B alone moved either way between its touching neighbours: no join can be kept
// without leaving a unit inside another, so the units stand where they would with joining off,
// flush, told that they are not joined.
TEST_P(TouchingRowTest, AMoveOfSeveralUnitsNeverPullsOneIntoAnother)
{
  struct Case
  {
    std::vector<int> moved;
    int direction;
    bool drag;
    const char* what;
    bool column = false;
  };
  for (const Case& c :
       {Case{{0, 2}, 1, false, "A and C nudged right"}, Case{{0, 2}, 1, true, "A and C dragged right"},
        Case{{0, 2}, -1, false, "A and C nudged left"}, Case{{0, 2}, -1, true, "A and C dragged left"},
        Case{{0, 2}, -1, false, "A and C nudged down", true}, Case{{0, 2}, -1, true, "A and C dragged down", true},
        Case{{1}, 1, false, "B nudged right"}, Case{{1}, -1, false, "B nudged left"}}) {
    LayRow({}, c.column);
    const std::vector<CVRX2DVector> unjoined = UnjoinedResult(c.moved, c.direction, c.drag);
    const std::vector<CVRX2DVector> before = Move(c.moved, c.direction, c.drag);
    ExpectNothingPulledIn(before, c.moved, c.direction, c.what);
    EXPECT_TRUE(Joins().empty()) << c.what;
    EXPECT_EQ(Places(), unjoined) << c.what << ": not where joining off puts them";
    // A drag that ends where it started is a click, which selects the unit and clears the line.
    if (!c.drag) {
      EXPECT_EQ(Prompt(), CWorkbenchView::GetJoinNotKeptPrompt()) << c.what;
    }
  }

  // With B out of the way, C meets only D, which it can join: C nudged, alone or with A, and A
  // and C dragged together join D at the spacing where the move ends, even where that leaves the
  // units a little behind where they stood.
  struct Joining
  {
    std::vector<int> moved;
    bool drag;
    const char* what;
  };
  for (const Joining& c :
       {Joining{{2}, false, "C alone nudged against D"}, Joining{{0, 2}, false, "A and C nudged, C against D"},
        Joining{{0, 2}, true, "A and C dragged, C against D"}}) {
    LayRow({1});
    const std::vector<CVRX2DVector> before = Move(c.moved, 1, c.drag);
    ASSERT_EQ(Joins().size(), 1u) << c.what << ": the end of the move did not join C to D";
    ExpectJoinsAtTheirSpacing(c.what);
    const double shift = m_units[2]->GetOffset().GetX() - before[2].GetX();
    for (int i : c.moved)
      EXPECT_NEAR(m_units[i]->GetOffset().GetX() - before[i].GetX(), shift, 1e-9) << c.what << ": moved as one";
    EXPECT_EQ(m_units[3]->GetOffset(), before[3]) << c.what;
    EXPECT_NE(Prompt(), CWorkbenchView::GetJoinNotKeptPrompt()) << c.what;
  }
}

INSTANTIATE_TEST_SUITE_P(GlidersAndCasements, TouchingRowTest,
                         ::testing::Values(LineUnit{"GL", "BA005"}, LineUnit{"CA", "BA001"}),
                         [](const ::testing::TestParamInfo<LineUnit>& info) {
                           return std::string(info.param.type) + info.param.subtype;
                         });

// A move typed on the Position page that joins the unit where it goes leaves the idle text: the
// join it left behind went with the move, which the bar does not tell as a spacing not kept.
TEST_F(CasementRowTest, AMoveTypedThatJoinsLeavesTheIdleText)
{
  OpenGap(Width() + 40.0);
  DragMiddleTo(0.25);
  ASSERT_TRUE(Joined(0));
  ASSERT_FALSE(Joined(1));
  const double spacing = Spacing();
  // The right unit stands where the middle one, typed to a whole inch, stands its spacing off.
  const double x = std::floor(Unit(2)->GetOffset().GetX()) - 10.0;
  MoveTo(Unit(2), x + Width() + spacing, m_y);
  TypeX(Unit(1), x);
  EXPECT_DOUBLE_EQ(Unit(1)->GetOffset().GetX(), x);
  EXPECT_FALSE(Joined(0));
  EXPECT_TRUE(Joined(1));
  EXPECT_NEAR(Gap(1), spacing, 1e-6);
  EXPECT_EQ(Prompt(), CString("Ready"));
}
}  // namespace
