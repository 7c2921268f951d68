// Guards snapping through the Workbench view: the snap ranges at two scales, placements, whole
// snapped moves and resizes of catalogue units, the join search a move's steps and its end ask
// for, and the check that names a selection index or tables out of step. The rules on numbers
// alone are guarded against the engine by snap/SnapEngineTest.cpp.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

#include "geometry/2dline.h"
#include "geometry/2dptent.h"
#include "model/Join.h"
#include "model/Unit.h"
#include "ui/draw/Dc.h"
#include "productdb/txrecobj.h"
#include "support/Exceptn.h"
#include "units/standard/Stdreg.h"
#include "workbench/items/Unititem.h"
#include "workbench/snap/TableWatch.h"
#include "workbench/view/Wbview.h"

namespace {
// Glider sides in its component outlines.
constexpr int kRightJamb = 2;
constexpr int kLeftJamb = 5;

CVRX2DLine Vertical(int category, double x) { return CVRX2DLine(category, CVRX2DPoint(x, 0), CVRX2DPoint(x, 1440)); }

class SnapTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    const char* binary = std::getenv("PANECRAFT_BINARY_DIR");
    ASSERT_NE(binary, nullptr);
    CTXRecObj::SetDatabaseDirectory((std::string(binary) + "/productdata/").c_str());
    RegisterStandardUnits();
    CDC::SetScreenLogPixels(96, 96);
    WatchTheAlignmentTables();
    view = std::make_unique<CWorkbenchView>();
  }
  // An item that offers the given lines and nothing else.
  CDesignItem& Offering(std::initializer_list<CVRX2DLine> lines)
  {
    items.push_back(std::make_unique<CDesignItem>());
    for (const CVRX2DLine& line : lines)
      items.back()->GetAlignmentEntities()->Add(line.Clone());
    view->AddAlignmentEntities(items.back().get());
    return *items.back();
  }
  std::unique_ptr<CUnitItem> Glider(double x, double y)
  {
    auto item = std::make_unique<CUnitItem>("GL", "BA005");
    item->GetUnit();
    item->Offset(CVRX2DVector(x, y));
    return item;
  }
  static const CVRX2DLine& Side(CUnitItem& unit, int index)
  {
    return *static_cast<const CVRX2DLine*>(unit.GetComponentOutlines()->GetAt(index));
  }
  // The spacing of the join the view's joining order gives a glider's left jamb against another's
  // right jamb.
  double JambSpacing(CUnitItem& moving, CUnitItem& fixed) const
  {
    const int movingID = moving.GetUnit()->GetComponentID(kLeftJamb);
    const int fixedID = fixed.GetUnit()->GetComponentID(kRightJamb);
    const CDWordArray& order = view->GetJoiningOrder();
    for (int i = 0; i < order.GetSize(); ++i)
      if (CJoin::CanBeJoined(static_cast<int>(order[i]), movingID, fixedID)) {
        const CJoin join(static_cast<int>(order[i]), movingID, fixedID);
        return static_cast<double>(join.GetFirstOffset()) + join.GetSecondOffset();
      }
    return -1.0;
  }
  std::unique_ptr<CWorkbenchView> view;
  std::vector<std::unique_ptr<CDesignItem>> items;
};

void ExpectVector(const CVRX2DVector& v, double x, double y, const char* why = "")
{
  EXPECT_NEAR(v.GetX(), x, 1e-9) << why;
  EXPECT_NEAR(v.GetY(), y, 1e-9) << why;
}
}  // namespace

TEST_F(SnapTest, RangesAreFivePixelsAtTheScaleAndTheJoinRangeIsNeverSmaller)
{
  EXPECT_EQ(view->GetSnapRange(), 0.0) << "nothing has started yet";
  view->SetScaleFactor(1.0 / 24.0, FALSE);
  view->SetSnapRanges();
  EXPECT_DOUBLE_EQ(view->GetSnapRange(), 1.25) << "5 pixels at 96 per inch, 24 inches per screen inch";
  EXPECT_DOUBLE_EQ(view->GetJoinCaptureDistance(), 1.5) << "twice the largest joining spacing of the catalogue";
  EXPECT_DOUBLE_EQ(view->GetJoinSnapRange(), 1.5);
  view->SetScaleFactor(1.0, FALSE);
  view->SetSnapRanges();
  EXPECT_DOUBLE_EQ(view->GetSnapRange(), 5.0 / 96.0);
  EXPECT_DOUBLE_EQ(view->GetJoinSnapRange(), 1.5);
  view->SetScaleFactor(0.01, FALSE);
  view->SetSnapRanges();
  EXPECT_DOUBLE_EQ(view->GetSnapRange(), 5.0 / 0.96);
  EXPECT_DOUBLE_EQ(view->GetJoinSnapRange(), view->GetSnapRange()) << "the snap range when it is the larger";
}

TEST_F(SnapTest, APlacementSnapsWithTheRangesOfThePresentScaleOnAFreshView)
{
  Offering({Vertical(8, 100.0)});
  view->SetScaleFactor(1.0 / 24.0, FALSE);
  ExpectVector(view->AdjustPoint(CVRX2DVector(99.5, 50.0)), 0.5, 0.0);
  ExpectVector(view->AdjustPoint(CVRX2DVector(98.7, 50.0)), 0.0, 0.0, "1.3 inches is beyond 1.25");
  view->SetScaleFactor(1.0, FALSE);
  ExpectVector(view->AdjustPoint(CVRX2DVector(99.5, 50.0)), 0.0, 0.0, "a zoom changes the range");
  ExpectVector(view->AdjustPoint(CVRX2DVector(100.05, 50.0)), -0.05, 0.0);
}

TEST_F(SnapTest, AUnitMovedNearAnotherSnapsItsSideOntoTheOthersPerimeter)
{
  auto fixed = Glider(100.0, 100.0);
  auto moving = Glider(300.0, 400.0);
  view->AddAlignmentEntities(fixed.get());
  view->SetScaleFactor(1.0 / 24.0, FALSE);
  view->StartMove(moving.get());
  CVRX2DEntityArray outline;
  fixed->GetOutlineEntities(outline);
  const double right = outline.GetExtents().GetMaxPoint().GetX();
  // Bring the moving unit's left side 0.6 inch short of the fixed unit's right side.
  const CVRX2DVector offset(right + 0.6 - 300.0, 17.3);
  ExpectVector(view->AdjustPos(offset, moving.get(), 0), offset.GetX() - 0.6, 17.3);
  // Out of range nothing changes.
  const CVRX2DVector far(right + 3.0 - 300.0, 17.3);
  ExpectVector(view->AdjustPos(far, moving.get(), 0), far.GetX(), 17.3);
  // Beside it, its left jamb facing the fixed unit's right jamb, the joining snap stops it the
  // join's spacing short; a drag step only corrects the snap, and the move's end makes the join.
  const double spacing = JambSpacing(*moving, *fixed);
  ASSERT_GT(spacing, 0.0) << "the gliders' jambs have a joining type";
  const CVRX2DVector beside(offset.GetX(), 100.0 - 400.0);
  ExpectVector(view->AdjustPos(beside, moving.get(), 0), beside.GetX() - 0.6 + spacing, beside.GetY(),
               "the joining snap stops the side its spacing short");
  EXPECT_EQ(view->GetNewJoinCount(), 0) << "a drag step parked join items, which only the end of the move makes";
  // Without automatic joining the same side snaps only within the snap range.
  view->SetAutoJoin(FALSE);
  ExpectVector(view->AdjustPos(offset, moving.get(), 0), offset.GetX() - 0.6, 17.3);
  const CVRX2DVector joinOnly(right + 1.4 - 300.0, 17.3);
  ExpectVector(view->AdjustPos(joinOnly, moving.get(), 0), joinOnly.GetX(), 17.3, "1.4 is beyond 1.25");
  // An item whose entries are disabled offers nothing.
  view->EnableAlignmentEntities(fixed.get(), FALSE);
  ExpectVector(view->AdjustPos(offset, moving.get(), 0), offset.GetX(), 17.3);
  view->EnableAlignmentEntities(fixed.get(), TRUE);
  view->RemoveAlignmentEntities(fixed.get());
  ExpectVector(view->AdjustPos(offset, moving.get(), 0), offset.GetX(), 17.3);
}

// Where a move ends, a side standing its joining spacing off a fixed unit's side is joined to it,
// also where the arithmetic that placed it leaves the spacing a rounding's difference away.
TEST_F(SnapTest, TheEndOfAMoveJoinsASideStandingItsSpacingOffWhateverRoundingLeft)
{
  auto fixed = Glider(0.0, 100.0);
  auto moving = Glider(0.0, 100.0);
  const double spacing = JambSpacing(*moving, *fixed);
  ASSERT_GT(spacing, 0.0) << "the gliders' jambs have a joining type";
  // The moving unit its spacing off the fixed one but for a difference as small as the sums that
  // place units leave.
  fixed->Offset(CVRX2DVector(10.1, 100.0) - fixed->GetOffset());
  const double difference = 1e-9;
  const double x = Side(*fixed, kRightJamb).GetStartPoint().GetX() + spacing + difference;
  moving->Offset(CVRX2DVector(x - Side(*moving, kLeftJamb).GetStartPoint().GetX(), 0.0));
  CVRX2DEntityArray lines;
  lines.Add(Side(*fixed, kRightJamb).Clone());
  CDWordArray indices;
  indices.Add(kRightJamb);
  view->JoinWhereSpaced(Side(*moving, kLeftJamb), moving.get(), kLeftJamb, fixed.get(), lines, indices);
  EXPECT_EQ(view->GetNewJoinCount(), 1) << "a side standing its spacing off, but for a rounding's difference of "
                                        << difference << ", was not joined where the move ended";
}

TEST_F(SnapTest, TheAlignmentQuestionCountsEnabledEntriesOfOtherItems)
{
  auto fixed = Glider(100.0, 100.0);
  view->AddAlignmentEntities(fixed.get());
  CVRX2DEntityArray outline;
  fixed->GetOutlineEntities(outline);
  const double right = outline.GetExtents().GetMaxPoint().GetX();
  EXPECT_TRUE(view->IsOnAlignmentEntity(CVRX2DLine(20, CVRX2DPoint(right, 700), CVRX2DPoint(right, 720))));
  EXPECT_FALSE(view->IsOnAlignmentEntity(CVRX2DLine(20, CVRX2DPoint(right + 0.1, 700), CVRX2DPoint(right + 0.1, 720))));
  const CVRX2DLine onRight(20, CVRX2DPoint(right, 700), CVRX2DPoint(right, 720));
  EXPECT_FALSE(view->IsOnAlignmentEntity(onRight, fixed.get())) << "a unit's own entries count as switched off";
  auto other = Glider(right, 300.0);
  EXPECT_TRUE(view->IsOnAlignmentEntity(onRight, other.get()));
  view->EnableAlignmentEntities(fixed.get(), FALSE);
  EXPECT_FALSE(view->IsOnAlignmentEntity(onRight));
  EXPECT_THROW(view->IsOnAlignmentEntity(CVRX2DPointEntity(0, CVRX2DPoint(1, 1))), CAppFatalException);
  // An item that takes no part in alignment has no entries at all.
  view->RemoveAlignmentEntities(fixed.get());
  fixed->SetSnapToAlignmentLines(FALSE);
  view->AddAlignmentEntities(fixed.get());
  CObArray all;
  view->GetPerimeterGroups().GetAll(all);
  EXPECT_EQ(all.GetSize(), 0);
  view->GetOtherGroups().GetAll(all);
  EXPECT_EQ(all.GetSize(), 0);
}

TEST_F(SnapTest, AResizeSnapsTheProposedOutlineAndAnUnchangedSizeDoesNot)
{
  // The glider at (100, 100) is 35.5 wide; dragging its top right handle by 6 inches proposes
  // the next standard width, 47.5, so its right side would stand at 147.5.
  auto item = Glider(100.0, 100.0);
  auto fixed = Glider(148.0, 300.0);
  view->AddAlignmentEntities(fixed.get());
  view->SetScaleFactor(1.0 / 24.0, FALSE);
  view->StartResize(item.get());
  ExpectVector(view->AdjustUnitResize(2, CVRX2DVector(6.0, 0.0), 7, 0.0, item.get()), 0.5, 0.0,
               "the proposed right side onto the fixed unit's left side");
  ExpectVector(view->AdjustUnitResize(2, CVRX2DVector(0.3, 0.0), 7, 0.0, item.get()), 0.0, 0.0,
               "a drag the unit does not follow snaps nothing");
  view->RemoveAlignmentEntities(fixed.get());
  ExpectVector(view->AdjustUnitResize(2, CVRX2DVector(6.0, 0.0), 7, 0.0, item.get()), 0.0, 0.0);
  EXPECT_DOUBLE_EQ(item->GetWidth(), 35.5) << "only a copy of the unit was sized";
}

// Reaches into the view to put its selection index, or its tables, out of step with what they
// stand for, one fault at a time from a sound selection of two items.
class COutOfStep
{
public:
  static void Select(CWorkbenchView& view, CDesignItem* pItem)
  {
    view.m_SelectedAt[pItem] = view.m_SelectedItems.AddTail(pItem);
  }
  static void Clear(CWorkbenchView& view)
  {
    view.m_SelectedItems.RemoveAll();
    view.m_SelectedAt.Clear();
  }
  // The index also holds an item that is not selected.
  static void IndexAnother(CWorkbenchView& view, CDesignItem* pOther)
  {
    view.m_SelectedAt[pOther] = view.m_SelectedItems.GetHeadPosition();
  }
  // The index holds another item in the place of the selected one.
  static void IndexInstead(CWorkbenchView& view, CDesignItem* pItem, CDesignItem* pOther)
  {
    view.m_SelectedAt[pOther] = *view.m_SelectedAt.Find(pItem);
    view.m_SelectedAt.Erase(pItem);
  }
  static void SwapPlaces(CWorkbenchView& view, CDesignItem* pItem, CDesignItem* pOther)
  {
    std::swap(*view.m_SelectedAt.Find(pItem), *view.m_SelectedAt.Find(pOther));
  }
  static void ShrinkAfterRevision(CWorkbenchView& view, std::uint64_t shrink)
  {
    view.m_Snap.m_nShrinkRevision = view.m_Snap.m_nRevision + shrink;
  }
};

TEST_F(SnapTest, TheCheckOfTheViewNamesASelectionIndexOrTablesOutOfStep)
{
  CDesignItem& a = Offering({Vertical(8, 100.0)});
  CDesignItem& b = Offering({Vertical(8, 200.0)});
  CDesignItem& c = Offering({});
  const auto said = [](const char* format, const void* pItem) {
    char text[160];
    std::snprintf(text, sizeof text, format, pItem);
    return std::string(text);
  };
  const auto selectBoth = [&] {
    COutOfStep::Clear(*view);
    COutOfStep::Select(*view, &a);
    COutOfStep::Select(*view, &b);
  };
  selectBoth();
  ASSERT_EQ(view->CheckConsistency(), "") << "a sound selection";
  COutOfStep::IndexAnother(*view, &c);
  EXPECT_EQ(view->CheckConsistency(), "the selection holds 2 items, its index 3");
  selectBoth();
  COutOfStep::IndexInstead(*view, &a, &c);
  EXPECT_EQ(view->CheckConsistency(), said("selected item %p is missing from the selection index", &a));
  selectBoth();
  COutOfStep::SwapPlaces(*view, &a, &b);
  EXPECT_EQ(view->CheckConsistency(), said("selected item %p is placed elsewhere by the selection index", &a));
  selectBoth();
  COutOfStep::ShrinkAfterRevision(*view, 1);
  EXPECT_EQ(view->CheckConsistency(),
            "alignment tables: the last revision that took entries away is later than the tables' revision");
  COutOfStep::ShrinkAfterRevision(*view, 0);
  COutOfStep::Clear(*view);
}
