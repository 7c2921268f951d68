// Guards snapping on numbers: the snap ranges at two scales, the strict and the tolerant range
// tests, the recording and combining of snap vectors, the priority table with its undefined
// cells, the like groups of alignment lines, and whole snapped moves and placements of units.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "geometry/2dptent.h"
#include "platform/ui/draw/Dc.h"
#include "productdb/txrecobj.h"
#include "support/Exceptn.h"
#include "units/standard/Stdreg.h"
#include "workbench/Unititem.h"
#include "workbench/Wbview.h"

namespace {
constexpr double kPi = 3.14159265358979323846;

CVRX2DLine Vertical(int category, double x) { return CVRX2DLine(category, CVRX2DPoint(x, 0), CVRX2DPoint(x, 1440)); }
CVRX2DLine Horizontal(int category, double y) { return CVRX2DLine(category, CVRX2DPoint(0, y), CVRX2DPoint(1440, y)); }

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
  std::unique_ptr<CWorkbenchView> view;
  std::vector<std::unique_ptr<CDesignItem>> items;
};

CSnapVectorArray& Vectors(CSnapVectorArray& a, std::initializer_list<CSnapVector> list)
{
  for (const CSnapVector& s : list)
    a.Add(new CSnapVector(s));
  return a;
}

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

TEST_F(SnapTest, LineSnapsTolerateTheRangePlusOneHundredThousandthAndGuidelinePointsDoNot)
{
  EXPECT_TRUE(IsWithinSnapRange(1.25, 1.25));
  EXPECT_TRUE(IsWithinSnapRange(1.25 + 0.9e-5, 1.25));
  EXPECT_FALSE(IsWithinSnapRange(1.25 + 1.1e-5, 1.25));
  view->SetScaleFactor(1.0 / 24.0, FALSE);
  view->SetSnapRanges();
  CDesignItem& other = Offering({Vertical(8, 100.0)});
  CAlignmentEntity entry(Vertical(8, 100.0).Clone(), &other, 1);
  for (const double d : {1.25, 1.25 + 5e-6, 1.25 + 5e-5}) {
    CSnapVectorArray vectors;
    const int made = view->SnapLineToEntity(Vertical(17, 100.0 + d), nullptr, 0, CVRX2DVector(), vectors, 3, 0.0, 0,
                                            entry, view->GetSnapRange(), FALSE);
    EXPECT_EQ(made, d < 1.25 + 1e-5 ? 1 : 0) << d;
    if (made) {
      EXPECT_NEAR(vectors[0]->m_dLength, d, 1e-12);
      EXPECT_DOUBLE_EQ(vectors[0]->m_dDirection, kPi);
      EXPECT_EQ(vectors[0]->m_nCategory, kLineSnapCategory);
      EXPECT_EQ(vectors[0]->m_nPriority, 3) << "17 against 8";
    }
  }
  // Two crossing guideline centres give one snap point at (100, 200).
  Offering({Vertical(2, 100.0)});
  Offering({Horizontal(2, 200.0)});
  view->BuildGuidelineSnapPoints(nullptr);
  ASSERT_EQ(view->GetGuidelineSnapPoints().GetSize(), 1);
  CSnapVectorArray vectors;
  view->SnapTo(Vertical(14, 101.25), vectors);
  EXPECT_EQ(vectors.GetSize(), 0) << "exactly the range is out for a guideline point";
  view->SnapTo(Vertical(14, 101.0), vectors);
  ASSERT_EQ(vectors.GetSize(), 1);
  EXPECT_DOUBLE_EQ(vectors[0]->m_dLength, -1.0) << "a guideline point snap is recorded negative";
  EXPECT_EQ(vectors[0]->m_nCategory, kGuidelinePointSnapCategory);
  ExpectVector(view->CombineSnapVectors(vectors), -1.0, 0.0, "which moves the line onto the point");
}

TEST_F(SnapTest, RecordingOverwritesOnlyAWeakerSnapOfTheSameDirectionAndCategory)
{
  CSnapVectorArray vectors;
  BOOL added = FALSE;
  CSnapVector saved;
  AddSnapVector(vectors, 0.8, 0.0, 10, 2, added, saved);
  EXPECT_TRUE(added);
  CSnapVector* s = AddSnapVector(vectors, 0.5, 0.0, 10, 2, added, saved);
  EXPECT_FALSE(added) << "equal priority and shorter replaces";
  EXPECT_EQ(vectors.GetSize(), 1);
  EXPECT_EQ(s, vectors[0]);
  EXPECT_DOUBLE_EQ(saved.m_dLength, 0.8);
  AddSnapVector(vectors, 0.9, 0.0, 10, 1, added, saved);
  EXPECT_FALSE(added) << "a stronger priority replaces even when longer";
  EXPECT_EQ(vectors[0]->m_nPriority, 1);
  AddSnapVector(vectors, 0.1, 0.0, 10, 3, added, saved);
  EXPECT_TRUE(added) << "a weaker one is appended";
  AddSnapVector(vectors, 0.1, kPi, 10, 1, added, saved);
  EXPECT_TRUE(added) << "another direction";
  AddSnapVector(vectors, 0.1, 0.0, 9, 1, added, saved);
  EXPECT_TRUE(added) << "another category";
  EXPECT_EQ(vectors.GetSize(), 4);
  // Guideline snaps are negative: length is compared by its size.
  CSnapVectorArray negative;
  AddSnapVector(negative, -0.2, 0.0, 10, 1, added, saved);
  AddSnapVector(negative, -0.6, 0.0, 10, 1, added, saved);
  EXPECT_TRUE(added) << "0.6 is longer than 0.2, whatever the sign";
  EXPECT_DOUBLE_EQ(negative[0]->m_dLength, -0.2);
}

TEST_F(SnapTest, CombiningKeepsOneOfParallelSnapsAndMeetsTheOthers)
{
  const double range = 1.25;
  {
    CSnapVectorArray none;
    ExpectVector(CombineSnapVectors(none, range), 0, 0);
    CSnapVectorArray one;
    ExpectVector(CombineSnapVectors(Vectors(one, {CSnapVector(0.5, kPi / 2, 10, 1)}), range), 0, 0.5);
  }
  {
    CSnapVectorArray a;
    Vectors(a, {CSnapVector(0.3, 0.0, 10, 1), CSnapVector(0.2, kPi, 10, 1)});
    ExpectVector(CombineSnapVectors(a, range), -0.2, 0, "opposite: the shorter");
    EXPECT_EQ(a.GetSize(), 1);
  }
  {
    CSnapVectorArray a;
    Vectors(a, {CSnapVector(0.2, kPi, 10, 1), CSnapVector(0.7, 0.0, kJoinSnapCategory, 1)});
    ExpectVector(CombineSnapVectors(a, range), 0.7, 0, "opposite: the join snap over a shorter one");
  }
  {
    CSnapVectorArray a;
    Vectors(a, {CSnapVector(0.4, 0.0, 10, 1), CSnapVector(0.2, 0.0, 10, 1), CSnapVector(-0.5, 0.0, 14, 1)});
    ExpectVector(CombineSnapVectors(a, range), 0.2, 0, "the snap of smaller size: -0.5 is not shorter than 0.2");
    CSnapVectorArray b;
    Vectors(b, {CSnapVector(-0.1, 0.0, 14, 1), CSnapVector(0.3, 0.0, 10, 1)});
    ExpectVector(CombineSnapVectors(b, range), -0.1, 0, "a negative snap of smaller size stays");
  }
  {
    CSnapVectorArray a;
    Vectors(a, {CSnapVector(0.5, 0.0, 10, 1), CSnapVector(0.25, 3 * kPi / 2, 10, 1)});
    ExpectVector(CombineSnapVectors(a, range), 0.5, -0.25, "at right angles: the sum");
  }
  {
    CSnapVectorArray a;
    Vectors(a, {CSnapVector(0.5, 0.0, 10, 1), CSnapVector(0.0, kPi / 4, 10, 1)});
    ExpectVector(CombineSnapVectors(a, range), 0.5, 0, "a zero snap adds nothing");
  }
  {
    // x = 0.5 and the perpendicular through 0.5 * (cos 45, sin 45): (0.5, 0.5 * sqrt 2 - 0.5).
    CSnapVectorArray a;
    Vectors(a, {CSnapVector(0.5, 0.0, 10, 1), CSnapVector(0.5, kPi / 4, 10, 1)});
    ExpectVector(CombineSnapVectors(a, range), 0.5, 0.5 * std::sqrt(2.0) - 0.5, "oblique: the crossing");
  }
  {
    // Nearly parallel snaps cross at (1, -0.403), 1.078 away: within 1.5 ranges of 1.25, but not
    // of 0.5, when the shorter wins.
    CSnapVectorArray a;
    Vectors(a, {CSnapVector(1.0, 0.0, 10, 1), CSnapVector(0.9, 0.2, 10, 1)});
    ExpectVector(CombineSnapVectors(a, range), 1.0, (0.9 - std::cos(0.2)) / std::sin(0.2));
    CSnapVectorArray b;
    Vectors(b, {CSnapVector(1.0, 0.0, 10, 1), CSnapVector(0.9, 0.2, 10, 1)});
    ExpectVector(CombineSnapVectors(b, 0.5), 0.9 * std::cos(0.2), 0.9 * std::sin(0.2));
  }
  {
    CSnapVectorArray a;
    Vectors(a, {CSnapVector(0.9, 0.0, 10, 1), CSnapVector(0.3, kPi / 2, 10, 1), CSnapVector(0.2, kPi / 4, 10, 1)});
    const CVRX2DVector v = CombineSnapVectors(a, range);
    EXPECT_EQ(a.GetSize(), 2) << "the longest of three non-parallel snaps goes";
    EXPECT_DOUBLE_EQ(a[0]->m_dLength, 0.3);
    EXPECT_LT(v.GetLength(), 0.9);
  }
}

TEST_F(SnapTest, ThePriorityTableAndItsUndefinedCells)
{
  EXPECT_EQ(view->GetSnapPriority(20, 7), 1);
  EXPECT_EQ(view->GetSnapPriority(20, 6), 3);
  EXPECT_EQ(view->GetSnapPriority(17, 8), 3);
  EXPECT_EQ(view->GetSnapPriority(11, 7), 2);
  EXPECT_EQ(view->GetSnapPriority(14, 6), 2);
  EXPECT_EQ(view->GetSnapPriority(13, 7), 0);
  EXPECT_EQ(view->GetSnapPriority(15, 2), 0);
  EXPECT_EQ(view->GetSnapPriority(15, 7), 1);
  EXPECT_THROW(view->GetSnapPriority(20, 9), CAppFatalException);
  EXPECT_THROW(view->GetSnapPriority(12, 7), CAppFatalException);
  EXPECT_THROW(view->GetSnapPriority(25, 7), CAppFatalException);
  view->SetScaleFactor(1.0 / 24.0, FALSE);
  view->SetSnapRanges();
  CDesignItem& other = Offering({Vertical(7, 100.0)});
  CAlignmentEntity perimeter(Vertical(7, 100.0).Clone(), &other, 1);
  CSnapVectorArray vectors;
  EXPECT_EQ(
      view->SnapLineToEntity(Vertical(13, 100.5), nullptr, 0, CVRX2DVector(), vectors, 3, 0, 0, perimeter, 1.25, FALSE),
      0)
      << "a join line never snaps to a perimeter line";
  EXPECT_EQ(
      view->SnapLineToEntity(Vertical(15, 100.5), nullptr, 0, CVRX2DVector(), vectors, 3, 0, 0, perimeter, 1.25, FALSE),
      1);
  EXPECT_THROW(
      view->SnapLineToEntity(Vertical(12, 100.5), nullptr, 0, CVRX2DVector(), vectors, 3, 0, 0, perimeter, 1.25, FALSE),
      CAppFatalException)
      << "a pair outside the table is a state that must not occur";
  perimeter.m_bEnabled = 0;
  EXPECT_EQ(
      view->SnapLineToEntity(Vertical(12, 100.5), nullptr, 0, CVRX2DVector(), vectors, 3, 0, 0, perimeter, 1.25, FALSE),
      0)
      << "a disabled entry is passed before the table is read";
}

TEST_F(SnapTest, MeasuringAcrossAndAlongAnEntity)
{
  CVRX2DPoint foot;
  double direction = 0;
  EXPECT_DOUBLE_EQ(DistanceToEntity(CVRX2DPoint(3, 5), Vertical(0, 1), foot, direction, FALSE), 2.0);
  EXPECT_EQ(foot, CVRX2DPoint(1, 5));
  EXPECT_DOUBLE_EQ(direction, kPi);
  EXPECT_DOUBLE_EQ(DistanceToEntity(CVRX2DPoint(3, 5), Horizontal(0, 7), foot, direction, FALSE), 2.0);
  EXPECT_DOUBLE_EQ(direction, kPi / 2);
  const CVRX2DLine oblique(0, CVRX2DPoint(0, 0), CVRX2DPoint(10, 10));
  EXPECT_NEAR(DistanceToEntity(CVRX2DPoint(0, 2), oblique, foot, direction, FALSE), std::sqrt(2.0), 1e-12);
  EXPECT_NEAR(foot.GetX(), 1.0, 1e-12);
  EXPECT_NEAR(direction, 7 * kPi / 4, 1e-12);
  EXPECT_EQ(DistanceToEntity(CVRX2DPoint(20, 22), oblique, foot, direction, TRUE), kNoCrossingDistance)
      << "the foot beyond the segment";
  const CVRX2DArc circle(0, CVRX2DPoint(0, 0), 5, 5, CVRXAngle(0), CVRXAngle(0), CVRXAngle(0));
  EXPECT_NEAR(DistanceToEntity(CVRX2DPoint(8, 0), circle, foot, direction, FALSE), 3.0, 1e-9);
  EXPECT_THROW(DistanceToEntity(CVRX2DPoint(0, 0), CVRX2DPointEntity(0, CVRX2DPoint(1, 1)), foot, direction, FALSE),
               CAppFatalException);
  // Along a direction, towards the entity on whichever side it lies.
  EXPECT_DOUBLE_EQ(DistanceAlongDirection(CVRX2DPoint(3, 5), kPi, Vertical(0, 1), foot, direction, FALSE), 2.0);
  EXPECT_DOUBLE_EQ(direction, kPi);
  EXPECT_DOUBLE_EQ(DistanceAlongDirection(CVRX2DPoint(0, 5), kPi, Vertical(0, 1), foot, direction, FALSE), 1.0);
  EXPECT_DOUBLE_EQ(direction, 0.0);
  EXPECT_EQ(DistanceAlongDirection(CVRX2DPoint(0, 5), kPi / 2, Vertical(0, 1), foot, direction, FALSE),
            kNoCrossingDistance);
}

TEST_F(SnapTest, LikeGroupsFileLinesByOrientationAndSlope)
{
  CLikeAlignmentGroups groups;
  CDesignItem a;
  CDesignItem b;
  groups.Add(new CAlignmentEntity(new CVRX2DLine(8, CVRX2DPoint(0, 0), CVRX2DPoint(100, 50)), &a, 1));
  ASSERT_EQ(groups.GetSize(), 3) << "the first sloped line takes slot 2";
  EXPECT_EQ(groups[0], nullptr);
  EXPECT_EQ(groups.FindLike(Horizontal(0, 5)), nullptr);
  groups.Add(new CAlignmentEntity(new CVRX2DLine(8, CVRX2DPoint(0, 10), CVRX2DPoint(100, 60 + 4e-5)), &b, 1));
  EXPECT_EQ(groups.GetSize(), 3) << "slopes 0.5 and 0.5000004 share a group";
  groups.Add(new CAlignmentEntity(new CVRX2DLine(8, CVRX2DPoint(0, 10), CVRX2DPoint(100, 60 + 2e-4)), &b, 1));
  EXPECT_EQ(groups.GetSize(), 4) << "a slope 2e-6 away does not";
  groups.Add(new CAlignmentEntity(Horizontal(8, 30).Clone(), &a, 1));
  groups.Add(new CAlignmentEntity(Horizontal(8, 10).Clone(), &b, 1));
  groups.Add(new CAlignmentEntity(Horizontal(8, 20).Clone(), &a, 1));
  CLikeAlignmentEntities* pHorizontal = groups.FindLike(Horizontal(0, 5));
  ASSERT_NE(pHorizontal, nullptr);
  std::vector<int> near;
  pHorizontal->FindNear(0, 19, 1.5, near);
  EXPECT_EQ(near, std::vector<int>{2});
  pHorizontal->FindNear(0, 20, 10.0, near);
  EXPECT_EQ(near, (std::vector<int>{0, 1, 2})) << "in the entries' own order";
  groups.RemoveItem(&a);
  EXPECT_EQ(pHorizontal->GetEntities().GetSize(), 1);
  pHorizontal->FindNear(0, 20, 10.0, near);
  EXPECT_EQ(near, std::vector<int>{0});
  groups.RemoveItem(&b);
  EXPECT_EQ(pHorizontal->GetOrientation(), laeEmpty);
  EXPECT_EQ(groups.FindLike(Horizontal(0, 5)), nullptr) << "an emptied group finds nothing";
  groups.Add(new CAlignmentEntity(Horizontal(8, 10).Clone(), &b, 1));
  EXPECT_EQ(groups.FindLike(Horizontal(0, 5)), pHorizontal) << "and is filled again";
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
