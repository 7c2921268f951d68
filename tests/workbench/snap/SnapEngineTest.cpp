// Guards the snapping engine on numbers, with alignment entries and outlines built in code and
// a host standing in for the items: the tolerant and the strict range tests, the recording and
// combining of snap vectors, the priority table with its undefined cells, the like groups of
// alignment lines, the join snap that stands only with a join and is sought only of sides facing
// the moving line, a correction that never leaves a moved unit inside one it faces (nor deeper,
// nor less deep, than the move put it), the joins of a committed move made where it ends, the
// entries of a group's units, the Shift state given with the query, items leaving the tables one
// by one, and the check that names each fault of the tables.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "geometry/2dmatrix.h"
#include "geometry/2dptent.h"
#include "geometry/2drect.h"
#include "model/Entcat.h"
#include "support/Exceptn.h"
#include "workbench/snap/Snapeng.h"
#include "workbench/snap/TableWatch.h"

namespace {
constexpr double kPi = 3.14159265358979323846;

CVRX2DLine Vertical(int category, double x) { return CVRX2DLine(category, CVRX2DPoint(x, 0), CVRX2DPoint(x, 1440)); }
CVRX2DLine Horizontal(int category, double y) { return CVRX2DLine(category, CVRX2DPoint(0, y), CVRX2DPoint(1440, y)); }

// The engine only compares items by address, so stand-ins need no item class.
CDesignItem* Item(int n)
{
  static char tokens[8];
  return reinterpret_cast<CDesignItem*>(&tokens[n]);
}

// The join search accepts or refuses as told, adding its spacing, and notes what it was asked;
// one item stands for a group whose member entries it hands out.
class CFakeHost : public CSnapHost
{
public:
  BOOL EvaluateSnapForJoin(const CVRX2DLine&, CDesignItem* pMovingItem, int movingIndex, CDesignItem* pStationaryItem,
                           const CVRX2DEntityArray& stationaryLines, const CDWordArray& stationaryIndices,
                           CJoinSnapRecord& snap) override
  {
    ++calls;
    asked = snap;
    askedLines = stationaryLines.GetSize();
    if (!accept)
      return FALSE;
    snap.length += spacing;
    snap.movingIndex = movingIndex;
    snap.stationaryIndex = stationaryIndices.GetSize() > 0 ? static_cast<int>(stationaryIndices[0]) : -1;
    snap.pMovingItem = pMovingItem;
    snap.pStationaryItem = pStationaryItem;
    return TRUE;
  }
  BOOL GetGroupMemberEntries(const CAlignmentEntity& entry, CObOwnArray& members) override
  {
    if (entry.GetItem() != group)
      return FALSE;
    for (const CAlignmentEntity* pMember : memberEntries)
      members.Add(new CAlignmentEntity(*pMember));
    return TRUE;
  }
  const CVRX2DEntityArray* GetUnitOutlines(CDesignItem* pItem) override
  {
    const auto found = outlines.find(pItem);
    return found == outlines.end() ? nullptr : found->second;
  }
  // The joins asked for where a committed move ended: the moving item and side, the unit. As
  // the real search, it takes no side running the way the moving one runs.
  void JoinWhereSpaced(const CVRX2DLine& movingLine, CDesignItem* pMovingItem, int movingIndex,
                       CDesignItem* pStationaryItem, const CVRX2DEntityArray& stationaryLines,
                       const CDWordArray&) override
  {
    if (stationaryLines.GetSize() > 0 &&
        static_cast<const CVRX2DLine*>(stationaryLines[0])->GetAngle() == movingLine.GetAngle())
      return;
    joinedAtEnd.push_back({pMovingItem, movingIndex, pStationaryItem, -1});
  }
  CVRX2DVector GetItemSize(CDesignItem* pItem) override
  {
    const CVRX2DEntityArray* pOutlines = GetUnitOutlines(pItem);
    if (!pOutlines || pOutlines->GetSize() == 0)
      return CVRX2DVector();
    const CVRX2DRectangle box = pOutlines->GetExtents();
    return CVRX2DVector(box.GetMinPoint(), box.GetMaxPoint());
  }

  BOOL accept = FALSE;
  double spacing = 0.0;
  int calls = 0;
  CJoinSnapRecord asked;
  std::vector<CSnapEngine::CProposedJoin> joinedAtEnd;
  int askedLines = -1;
  CDesignItem* group = nullptr;
  std::vector<const CAlignmentEntity*> memberEntries;
  std::map<CDesignItem*, const CVRX2DEntityArray*> outlines;
};

class SnapEngineTest : public ::testing::Test
{
protected:
  SnapEngineTest() : engine(&host) { WatchTheAlignmentTables(); }
  // A stand-in item that offers the given lines and nothing else.
  CDesignItem* Offering(std::initializer_list<CVRX2DLine> lines)
  {
    CDesignItem* pItem = Item(++offered);
    for (const CVRX2DLine& line : lines)
      engine.AddEntry(new CAlignmentEntity(line.Clone(), pItem, 1));
    return pItem;
  }
  static CSnapQuery Query(double range, BOOL joining = FALSE, int create = 0)
  {
    CSnapQuery query;
    query.range = range;
    query.joining = joining;
    query.create = create;
    return query;
  }
  // A perimeter entry of a stand-in unit, with the unit's side on it as component index.
  static CAlignmentEntity* Perimeter(CDesignItem* pItem, double x, UINT index)
  {
    auto* pEntry = new CAlignmentEntity(Vertical(7, x).Clone(), pItem, 1);
    pEntry->AddSide(Vertical(20, x), index);
    return pEntry;
  }
  // A stand-in unit x0..x1 by y0..y1: its four sides, counter-clockwise from the lower left
  // corner, are its outlines, and each is filed as a perimeter entry naming it.
  CDesignItem* Unit(int n, double x0, double x1, double y0, double y1)
  {
    CDesignItem* pItem = Item(n);
    units.push_back(std::make_unique<CVRX2DEntityArray>());
    CVRX2DEntityArray& sides = *units.back();
    const CVRX2DPoint corners[] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    for (int i = 0; i < 4; ++i)
      sides.Add(new CVRX2DLine(ecatPerimeterOutline, corners[i], corners[(i + 1) % 4]));
    host.outlines[pItem] = &sides;
    for (int i = 0; i < 4; ++i) {
      auto* pEntry =
          new CAlignmentEntity(CVRX2DLine(ecatPerimeterAlignment, corners[i], corners[(i + 1) % 4]).Clone(), pItem, 1);
      pEntry->AddSide(static_cast<UINT>(i));
      engine.AddEntry(pEntry);
    }
    return pItem;
  }
  // The outlines of such a unit.
  static std::vector<CSnapOutline> Moving(CDesignItem* pItem, const CVRX2DEntityArray& sides)
  {
    std::vector<CSnapOutline> outlines;
    for (int i = 0; i < sides.GetSize(); ++i)
      outlines.push_back({sides[i], pItem, i, FALSE});
    return outlines;
  }
  // Such a unit about to move: its outlines, its entries out of the tables, as a moving item's.
  std::vector<CSnapOutline> MovingUnit(int n, double x0, double x1, double y0, double y1)
  {
    CDesignItem* pItem = Unit(n, x0, x1, y0, y1);
    engine.RemoveItem(pItem);
    return Moving(pItem, *host.outlines[pItem]);
  }
  CFakeHost host;
  CSnapEngine engine;
  int offered = 1;
  std::vector<std::unique_ptr<CVRX2DEntityArray>> units;
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

TEST_F(SnapEngineTest, LineSnapsTolerateTheRangePlusOneHundredThousandthAndGuidelinePointsDoNot)
{
  EXPECT_TRUE(IsWithinSnapRange(1.25, 1.25));
  EXPECT_TRUE(IsWithinSnapRange(1.25 + 0.9e-5, 1.25));
  EXPECT_FALSE(IsWithinSnapRange(1.25 + 1.1e-5, 1.25));
  engine.SetSnapRange(1.25);
  CDesignItem* other = Offering({Vertical(8, 100.0)});
  CAlignmentEntity entry(Vertical(8, 100.0).Clone(), other, 1);
  for (const double d : {1.25, 1.25 + 5e-6, 1.25 + 5e-5}) {
    CSnapVectorArray vectors;
    const int made = engine.SnapLineToEntity(Vertical(17, 100.0 + d), Query(engine.GetSnapRange()), entry, vectors);
    EXPECT_EQ(made, d < 1.25 + 1e-5 ? 1 : 0) << d;
    if (made) {
      EXPECT_NEAR(vectors[0]->m_dLength, d, 1e-12);
      EXPECT_DOUBLE_EQ(vectors[0]->m_dDirection, kPi);
      EXPECT_EQ(vectors[0]->m_nCategory, ecatLineSnap);
      EXPECT_EQ(vectors[0]->m_nPriority, 3) << "17 against 8";
    }
  }
  // Two crossing guideline centres give one snap point at (100, 200).
  Offering({Vertical(2, 100.0)});
  Offering({Horizontal(2, 200.0)});
  engine.BuildGuidelineCrossings(nullptr);
  ASSERT_EQ(engine.GetGuidelineSnapPoints().GetSize(), 1);
  CSnapVectorArray vectors;
  engine.SnapTo(Vertical(14, 101.25), vectors);
  EXPECT_EQ(vectors.GetSize(), 0) << "exactly the range is out for a guideline point";
  engine.SnapTo(Vertical(14, 101.0), vectors);
  ASSERT_EQ(vectors.GetSize(), 1);
  EXPECT_DOUBLE_EQ(vectors[0]->m_dLength, -1.0) << "a guideline point snap is recorded negative";
  EXPECT_EQ(vectors[0]->m_nCategory, ecatGuidelineCentre);
  ExpectVector(engine.CombineSnapVectors(vectors), -1.0, 0.0, "which moves the line onto the point");
}

TEST_F(SnapEngineTest, RecordingOverwritesOnlyAWeakerSnapOfTheSameDirectionAndCategory)
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
  // The same snap from a line on the same line as the first adds nothing to combine; a join
  // snap is told apart by what its caller fills in.
  s = AddSnapVector(vectors, 0.1, 0.0, 10, 3, added, saved);
  EXPECT_FALSE(added);
  EXPECT_EQ(s, vectors[1]);
  EXPECT_EQ(vectors.GetSize(), 4) << "an equal line snap is recorded once";
  AddSnapVector(vectors, 0.2, 0.0, ecatJoinSnap, 1, added, saved);
  AddSnapVector(vectors, 0.2, 0.0, ecatJoinSnap, 1, added, saved);
  EXPECT_TRUE(added) << "each join snap is recorded";
  EXPECT_EQ(vectors.GetSize(), 6);
  // Guideline snaps are negative: length is compared by its size.
  CSnapVectorArray negative;
  AddSnapVector(negative, -0.2, 0.0, 10, 1, added, saved);
  AddSnapVector(negative, -0.6, 0.0, 10, 1, added, saved);
  EXPECT_TRUE(added) << "0.6 is longer than 0.2, whatever the sign";
  EXPECT_DOUBLE_EQ(negative[0]->m_dLength, -0.2);
}

TEST_F(SnapEngineTest, CombiningKeepsOneOfParallelSnapsAndMeetsTheOthers)
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
    Vectors(a, {CSnapVector(0.2, kPi, 10, 1), CSnapVector(0.7, 0.0, ecatJoinSnap, 1)});
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

TEST_F(SnapEngineTest, ThePriorityTableAndItsUndefinedCells)
{
  EXPECT_EQ(engine.GetSnapPriority(20, 7), 1);
  EXPECT_EQ(engine.GetSnapPriority(20, 6), 3);
  EXPECT_EQ(engine.GetSnapPriority(17, 8), 3);
  EXPECT_EQ(engine.GetSnapPriority(11, 7), 2);
  EXPECT_EQ(engine.GetSnapPriority(14, 6), 2);
  EXPECT_EQ(engine.GetSnapPriority(13, 7), 0);
  EXPECT_EQ(engine.GetSnapPriority(15, 2), 0);
  EXPECT_EQ(engine.GetSnapPriority(15, 7), 1);
  EXPECT_THROW(engine.GetSnapPriority(20, 9), CAppFatalException);
  EXPECT_THROW(engine.GetSnapPriority(12, 7), CAppFatalException);
  EXPECT_THROW(engine.GetSnapPriority(25, 7), CAppFatalException);
  engine.SetSnapRange(1.25);
  CDesignItem* other = Offering({Vertical(7, 100.0)});
  CAlignmentEntity perimeter(Vertical(7, 100.0).Clone(), other, 1);
  CSnapVectorArray vectors;
  EXPECT_EQ(engine.SnapLineToEntity(Vertical(13, 100.5), Query(1.25), perimeter, vectors), 0)
      << "a join line never snaps to a perimeter line";
  EXPECT_EQ(engine.SnapLineToEntity(Vertical(15, 100.5), Query(1.25), perimeter, vectors), 1);
  EXPECT_THROW(engine.SnapLineToEntity(Vertical(12, 100.5), Query(1.25), perimeter, vectors), CAppFatalException)
      << "a pair outside the table is a state that must not occur";
  const CAlignmentEntity disabled(Vertical(7, 100.0).Clone(), other, 0);
  EXPECT_EQ(engine.SnapLineToEntity(Vertical(12, 100.5), Query(1.25), disabled, vectors), 0)
      << "a disabled entry is passed before the table is read";
}

TEST_F(SnapEngineTest, MeasuringAcrossAndAlongAnEntity)
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

TEST_F(SnapEngineTest, LikeGroupsFileLinesByOrientationAndSlope)
{
  CLikeAlignmentGroups groups;
  CDesignItem* a = Item(0);
  CDesignItem* b = Item(1);
  groups.Add(new CAlignmentEntity(new CVRX2DLine(8, CVRX2DPoint(0, 0), CVRX2DPoint(100, 50)), a, 1));
  ASSERT_EQ(groups.GetSize(), 3) << "the first sloped line takes slot 2";
  EXPECT_EQ(groups[0], nullptr);
  EXPECT_EQ(groups.FindLike(Horizontal(0, 5)), nullptr);
  groups.Add(new CAlignmentEntity(new CVRX2DLine(8, CVRX2DPoint(0, 10), CVRX2DPoint(100, 60 + 4e-5)), b, 1));
  EXPECT_EQ(groups.GetSize(), 3) << "slopes 0.5 and 0.5000004 share a group";
  groups.Add(new CAlignmentEntity(new CVRX2DLine(8, CVRX2DPoint(0, 10), CVRX2DPoint(100, 60 + 2e-4)), b, 1));
  EXPECT_EQ(groups.GetSize(), 4) << "a slope 2e-6 away does not";
  groups.Add(new CAlignmentEntity(Horizontal(8, 30).Clone(), a, 1));
  groups.Add(new CAlignmentEntity(Horizontal(8, 10).Clone(), b, 1));
  groups.Add(new CAlignmentEntity(Horizontal(8, 20).Clone(), a, 1));
  CLikeAlignmentEntities* pHorizontal = groups.FindLike(Horizontal(0, 5));
  ASSERT_NE(pHorizontal, nullptr);
  std::vector<int> near;
  pHorizontal->FindNear(0, 19, 1.5, near);
  EXPECT_EQ(near, std::vector<int>{2});
  pHorizontal->FindNear(0, 20, 10.0, near);
  EXPECT_EQ(near, (std::vector<int>{0, 1, 2})) << "in the entries' own order";
  groups.RemoveItem(a);
  EXPECT_EQ(pHorizontal->GetEntities().GetSize(), 1);
  pHorizontal->FindNear(0, 20, 10.0, near);
  EXPECT_EQ(near, std::vector<int>{0});
  groups.RemoveItem(b);
  EXPECT_EQ(pHorizontal->GetOrientation(), laeEmpty);
  EXPECT_EQ(groups.FindLike(Horizontal(0, 5)), nullptr) << "an emptied group finds nothing";
  groups.Add(new CAlignmentEntity(Horizontal(8, 10).Clone(), b, 1));
  EXPECT_EQ(groups.FindLike(Horizontal(0, 5)), pHorizontal) << "and is filled again";
}

TEST_F(SnapEngineTest, AJoinSnapIsRecordedOnlyWhenTheJoinSearchFindsAJoin)
{
  engine.SetJoinCaptureDistance(1.5);
  engine.SetSnapRange(1.25);
  EXPECT_DOUBLE_EQ(engine.GetJoinSnapRange(), 1.5);
  CAlignmentEntity& entry = *Perimeter(Item(5), 100.0, 3);
  engine.AddEntry(&entry);
  CSnapQuery query = Query(1.5, TRUE, 1);
  query.pItem = Item(6);
  query.index = 2;
  // A weaker join snap of the same direction is already recorded: a refused join leaves it be.
  CSnapVectorArray vectors;
  Vectors(vectors, {CSnapVector(0.9, kPi, ecatJoinSnap, 1)});
  EXPECT_EQ(engine.SnapLineToEntity(Vertical(20, 100.6), query, entry, vectors), 0);
  EXPECT_EQ(host.calls, 1);
  EXPECT_NEAR(host.asked.length, 0.6, 1e-12) << "the search is asked with the snap found";
  EXPECT_EQ(host.asked.category, ecatJoinSnap);
  EXPECT_EQ(host.askedLines, 1);
  ASSERT_EQ(vectors.GetSize(), 1);
  EXPECT_DOUBLE_EQ(vectors[0]->m_dLength, 0.9);
  EXPECT_EQ(vectors[0]->m_pStationaryItem, nullptr);
  // An accepted join overwrites it, corrected to the join's spacing and naming both components.
  host.accept = TRUE;
  host.spacing = 0.125;
  EXPECT_EQ(engine.SnapLineToEntity(Vertical(20, 100.6), query, entry, vectors), 1);
  ASSERT_EQ(vectors.GetSize(), 1);
  EXPECT_NEAR(vectors[0]->m_dLength, 0.725, 1e-12);
  EXPECT_EQ(vectors[0]->m_nMovingComponent, 2);
  EXPECT_EQ(vectors[0]->m_nStationaryComponent, 3);
  EXPECT_EQ(vectors[0]->m_pMovingItem, Item(6));
  EXPECT_EQ(vectors[0]->m_pStationaryItem, Item(5));
  // Only perimeter outline lines against perimeter entries join.
  EXPECT_EQ(engine.SnapLineToEntity(Vertical(17, 100.6), query, entry, vectors), 0);
  EXPECT_EQ(host.calls, 2);
}

// A unit's sides run with the unit on their left. The search stand-in always corrects away
// from the line it is measured towards, as the real one does for a side standing outside.
TEST_F(SnapEngineTest, JoinSnapsOnTwoSidesNeverMoveTheItemIntoAUnitItFaces)
{
  engine.SetJoinCaptureDistance(1.5);
  engine.SetSnapRange(1.25);
  host.accept = TRUE;
  host.spacing = 0.5;
  const auto side = [](int category, double x, bool up) {
    return up ? CVRX2DLine(category, CVRX2DPoint(x, 0), CVRX2DPoint(x, 100))
              : CVRX2DLine(category, CVRX2DPoint(x, 100), CVRX2DPoint(x, 0));
  };
  const auto neighbour = [&](CDesignItem* pItem, double x, bool up) {
    auto* pEntry = new CAlignmentEntity(side(7, x, up).Clone(), pItem, 1);
    pEntry->AddSide(side(20, x, up), 0);
    engine.AddEntry(pEntry);
  };
  // The moving item is 20 wide, its left side at 0.
  const CVRX2DLine left = side(20, 0, false);
  const CVRX2DLine right = side(20, 20, true);
  const std::vector<CSnapOutline> outlines{{&left, Item(7), 0, FALSE}, {&right, Item(7), 1, FALSE}};
  // A unit ends at 0 on the left and one begins at 20.6: the left join leaves the right one clear.
  neighbour(Item(5), 0.0, true);
  neighbour(Item(6), 20.6, false);
  ExpectVector(engine.AdjustOffset(CVRX2DVector(), outlines, Query(1.5)), 0.5, 0.0);
  // The right one begins at 20: either join would move the item into the other unit, so it
  // stays where it was put.
  engine.RemoveItem(Item(6));
  neighbour(Item(6), 20.0, false);
  ExpectVector(engine.AdjustOffset(CVRX2DVector(), outlines, Query(1.5)), 0.0, 0.0);
  ExpectVector(engine.AdjustOffset(CVRX2DVector(0.0, 3.0), outlines, Query(1.5)), 0.0, 3.0);

  // Two units moved as one, 0-20 and 40-60, their facing sides off the selection's outline; a
  // unit stands between them at 20-40 and one begins at 60. Moved right by 1, the right unit's
  // only join would pull its left side into the unit between, which the move alone left clear:
  // the selection snaps as with joining off, back where it stood.
  engine.RemoveItem(Item(5));
  engine.RemoveItem(Item(6));
  neighbour(Item(3), 20.0, false);
  neighbour(Item(3), 40.0, true);
  neighbour(Item(4), 60.0, false);
  const CVRX2DLine firstLeft = side(20, 0, false);
  const CVRX2DLine firstRight = side(20, 20, true);
  const CVRX2DLine secondLeft = side(20, 40, false);
  const CVRX2DLine secondRight = side(20, 60, true);
  std::vector<CSnapOutline> selection{{&firstLeft, Item(1), 0, FALSE},
                                      {&secondRight, Item(2), 1, FALSE},
                                      {&firstRight, Item(1), 1, FALSE},
                                      {&secondLeft, Item(2), 0, FALSE}};
  selection[2].inner = TRUE;
  selection[3].inner = TRUE;
  host.calls = 0;
  ExpectVector(engine.AdjustOffset(CVRX2DVector(1.0, 0.0), selection, Query(1.5)), 0.0, 0.0);
  EXPECT_EQ(host.calls, 1) << "only the outline joins";
  // With joining off the same move snaps the same.
  engine.SetAutoJoin(FALSE);
  ExpectVector(engine.AdjustOffset(CVRX2DVector(1.0, 0.0), selection, Query(1.5)), 0.0, 0.0);
  engine.SetAutoJoin(TRUE);
  // Without the unit between, the join stands at its spacing.
  engine.RemoveItem(Item(3));
  ExpectVector(engine.AdjustOffset(CVRX2DVector(1.0, 0.0), selection, Query(1.5)), -0.5, 0.0);
}

// A unit dropped inside a neighbour is never snapped deeper into it than the move put it, nor left
// less deep inside it: where no correction takes it clear of every unit it stands where it was
// dropped. The unit it was dropped into reaches farther behind the moved side than the correction.
TEST_F(SnapEngineTest, NoCorrectionTakesAUnitDeeperThanTheMovePutItNorLeavesItInside)
{
  engine.SetJoinCaptureDistance(1.5);
  engine.SetSnapRange(1.25);
  Unit(1, 0.0, 20.0, 0.0, 20.0);
  // Dropped 1 inside the left unit, with the right one 0.8 into its other side: snapped flush
  // with the right unit it would stand 1.8 inside the left one.
  Unit(2, 38.2, 58.2, 0.0, 20.0);
  const std::vector<CSnapOutline> dropped = MovingUnit(7, 14.0, 34.0, 0.0, 20.0);
  ExpectVector(engine.AdjustOffset(CVRX2DVector(5.0, 0.0), dropped, Query(1.25)), 5.0, 0.0, "not 1.8 deep");
  // The right unit 0.6 beyond it: snapped to it, it would stand 0.4 inside the left one.
  engine.RemoveItem(Item(2));
  Unit(2, 39.6, 59.6, 0.0, 20.0);
  ExpectVector(engine.AdjustOffset(CVRX2DVector(5.0, 0.0), dropped, Query(1.25)), 5.0, 0.0, "not 0.4 deep");
  // Nothing on the right: the snap takes it out of the left unit whole, flush with it.
  engine.RemoveItem(Item(2));
  ExpectVector(engine.AdjustOffset(CVRX2DVector(5.0, 0.0), dropped, Query(1.25)), 6.0, 0.0, "flush");
}

// A committed move's unit is joined where it ends, whichever snap brought it there: the host is
// asked about each side of it that faces a unit within the join range there; a unit that ends
// inside another is joined to nothing, and the end tells both of them.
TEST_F(SnapEngineTest, ACommittedMoveJoinsItsUnitWhereItEnds)
{
  engine.SetJoinCaptureDistance(1.5);
  engine.SetSnapRange(0.1);
  Unit(1, 0.0, 20.0, 0.0, 20.0);
  Unit(2, 41.125, 61.125, 0.0, 20.0);
  const std::vector<CSnapOutline> moving = MovingUnit(7, 20.5, 40.5, 100.0, 120.0);
  CSnapQuery commit = Query(0.1);
  commit.create = 1;
  ExpectVector(engine.AdjustOffset(CVRX2DVector(0.0, -100.0), moving, commit), 0.0, -100.0);
  EXPECT_TRUE(host.joinedAtEnd.empty()) << "nothing is joined before the move ends";
  // Where it ends its sides stand 0.5 and 0.625 from the two units: the outlines are moved there.
  host.outlines[Item(7)] = units.emplace_back(std::make_unique<CVRX2DEntityArray>()).get();
  for (const CSnapOutline& outline : moving) {
    CVRX2DEntity* pSide = outline.pEntity->Clone();
    pSide->Transform(CVRX2DTransformationMatrix(CVRX2DVector(0.0, -100.0)));
    units.back()->Add(pSide);
  }
  CSnapEngine::CMoveEnd end = engine.EndCommittedMoves();
  EXPECT_EQ(end.moved, std::vector<CDesignItem*>{Item(7)});
  EXPECT_TRUE(end.inside.empty());
  ASSERT_EQ(host.joinedAtEnd.size(), 2u);
  EXPECT_EQ(host.joinedAtEnd[0].movingIndex, 1);
  EXPECT_EQ(host.joinedAtEnd[0].pStationary, Item(2));
  EXPECT_EQ(host.joinedAtEnd[1].movingIndex, 3);
  EXPECT_EQ(host.joinedAtEnd[1].pStationary, Item(1));
  EXPECT_TRUE(engine.EndCommittedMoves().moved.empty()) << "an ended move is forgotten";
  // Moved on 1 into the left unit: nothing is joined, and both units are told.
  host.joinedAtEnd.clear();
  for (int i = 0; i < units.back()->GetSize(); ++i)
    units.back()->GetAt(i)->Transform(CVRX2DTransformationMatrix(CVRX2DVector(-1.5, 0.0)));
  engine.AdjustOffset(CVRX2DVector(-1.5, 0.0), Moving(Item(7), *units.back()), commit);
  end = engine.EndCommittedMoves();
  EXPECT_TRUE(host.joinedAtEnd.empty());
  EXPECT_EQ(end.inside, (std::vector<CDesignItem*>{Item(1), Item(7)}));
}

TEST_F(SnapEngineTest, WithoutAJoinTheLineSnapsAtTheSnapRangeAndNoHostMeansNoJoin)
{
  engine.SetJoinCaptureDistance(1.5);
  engine.SetSnapRange(1.25);
  engine.AddEntry(Perimeter(Item(5), 100.0, 0));
  CSnapQuery query;
  query.create = 1;
  for (const BOOL accept : {FALSE, TRUE}) {
    host.accept = accept;
    CSnapVectorArray vectors;
    engine.SnapTo(Vertical(20, 100.6), query, vectors);
    ASSERT_EQ(vectors.GetSize(), 1);
    EXPECT_EQ(vectors[0]->m_nCategory, accept ? ecatJoinSnap : ecatLineSnap);
    CSnapVectorArray far;
    engine.SnapTo(Vertical(20, 101.4), query, far);
    EXPECT_EQ(far.GetSize(), accept ? 1 : 0) << "1.4 is inside the join range only";
  }
  CSnapEngine alone;
  alone.SetSnapRange(1.25);
  alone.AddEntry(Perimeter(Item(5), 100.0, 0));
  CSnapVectorArray vectors;
  alone.SnapTo(Vertical(20, 100.6), query, vectors);
  ASSERT_EQ(vectors.GetSize(), 1);
  EXPECT_EQ(vectors[0]->m_nCategory, ecatLineSnap);
}

// Units standing in a column put their sides on one line: the join search is asked only about
// the units whose sides face the moving line there, and about any unit whose outlines the engine
// was not given; a unit whose outlines change is filed anew and asked about where it now stands.
TEST_F(SnapEngineTest, TheJoinSearchIsAskedOnlyAboutSidesFacingTheMovingLine)
{
  engine.SetJoinCaptureDistance(1.5);
  engine.SetSnapRange(1.25);
  const auto side = [](double from, double to) { return CVRX2DLine(20, CVRX2DPoint(100, to), CVRX2DPoint(100, from)); };
  std::vector<std::unique_ptr<CVRX2DEntityArray>> outlines;
  const auto file = [&](CDesignItem* pItem, double from, double to) {
    outlines.push_back(std::make_unique<CVRX2DEntityArray>());
    outlines.back()->Add(side(from, to).Clone());
    host.outlines[pItem] = outlines.back().get();
    auto* pEntry = new CAlignmentEntity(Vertical(ecatPerimeterAlignment, 100.0).Clone(), pItem, 1);
    pEntry->AddSide(0);
    engine.AddEntry(pEntry);
  };
  for (int i = 0; i < 4; ++i)
    file(Item(1 + i), 30.0 * i, 30.0 * i + 20.0);
  // Its own side on it, outlines not known.
  auto* pUnknown = new CAlignmentEntity(Vertical(ecatPerimeterAlignment, 100.0).Clone(), Item(5), 1);
  pUnknown->AddSide(side(200, 220), 0);
  engine.AddEntry(pUnknown);
  ASSERT_EQ(engine.CheckConsistency(), "");
  const auto asked = [&](double from, double to) {
    host.calls = 0;
    CSnapVectorArray vectors;
    engine.SnapTo(CVRX2DLine(20, CVRX2DPoint(100.6, from), CVRX2DPoint(100.6, to)), CSnapQuery(), vectors);
    return host.calls;
  };
  EXPECT_EQ(asked(35, 45), 2) << "the second unit and the unknown one";
  EXPECT_EQ(asked(20, 30), 3) << "touching the first unit's end and the second's start";
  EXPECT_EQ(asked(-40, -20), 1);
  EXPECT_EQ(asked(-40, 200), 5);
  // The second unit moved up and filed anew is asked about where it stands.
  outlines[1]->RemoveAll();
  outlines[1]->Add(side(130, 150).Clone());
  engine.RemoveItem(Item(2));
  file(Item(2), 130, 150);
  ASSERT_EQ(engine.CheckConsistency(), "");
  EXPECT_EQ(asked(35, 45), 1);
  EXPECT_EQ(asked(135, 145), 2);
}

TEST_F(SnapEngineTest, AGroupsEntryStandsForTheEntriesOfItsUnits)
{
  engine.SetSnapRange(1.25);
  host.accept = TRUE;
  host.group = Item(5);
  CAlignmentEntity& groupEntry = *Perimeter(Item(5), 100.0, 0);
  engine.AddEntry(&groupEntry);
  std::unique_ptr<CAlignmentEntity> member(Perimeter(Item(6), 100.0, 4));
  host.memberEntries.push_back(member.get());
  CSnapVectorArray vectors;
  EXPECT_EQ(engine.SnapLineToEntity(Vertical(20, 100.5), Query(1.25, TRUE), groupEntry, vectors), 1);
  ASSERT_EQ(vectors.GetSize(), 1);
  EXPECT_EQ(vectors[0]->m_pStationaryItem, Item(6)) << "joined to the unit, not the group";
  EXPECT_EQ(vectors[0]->m_nStationaryComponent, 4);
  // A member out of reach gives way to the group's own line.
  host.memberEntries.clear();
  std::unique_ptr<CAlignmentEntity> away(Perimeter(Item(6), 90.0, 4));
  host.memberEntries.push_back(away.get());
  CSnapVectorArray own;
  EXPECT_EQ(engine.SnapLineToEntity(Vertical(20, 100.5), Query(1.25, TRUE), groupEntry, own), 1);
  ASSERT_EQ(own.GetSize(), 1);
  EXPECT_EQ(own[0]->m_pStationaryItem, Item(5));
}

TEST_F(SnapEngineTest, ShiftGivenWithTheQueryConstrainsTheMoveToItsLargerAxis)
{
  engine.SetSnapRange(1.25);
  engine.SetAutoJoin(FALSE);
  Offering({Vertical(8, 11.0)});
  const CVRX2DLine side(20, CVRX2DPoint(0, 0), CVRX2DPoint(0, 10));
  const std::vector<CSnapOutline> outlines{{&side, Item(6), 0, FALSE}};
  CSnapQuery query;
  ExpectVector(engine.AdjustOffset(CVRX2DVector(10.4, 3.0), outlines, query), 11.0, 3.0);
  query.shift = TRUE;
  ExpectVector(engine.AdjustOffset(CVRX2DVector(10.4, 3.0), outlines, query), 11.0, 0.0, "y dropped, x snapped");
  ExpectVector(engine.AdjustOffset(CVRX2DVector(3.0, 10.4), outlines, query), 0.0, 10.4, "x dropped");
  // A guideline's outline meets only the guideline snap points.
  const std::vector<CSnapOutline> guide{{&side, Item(6), 0, TRUE}};
  query.shift = FALSE;
  ExpectVector(engine.AdjustOffset(CVRX2DVector(10.4, 3.0), guide, query), 10.4, 3.0);
}

TEST_F(SnapEngineTest, TheTablesFileRemoveAndDisableEntriesByItem)
{
  CDesignItem* pItem = Item(6);
  engine.AddEntry(new CAlignmentEntity(Vertical(7, 10.0).Clone(), pItem, 1));
  engine.AddEntry(new CAlignmentEntity(Vertical(8, 20.0).Clone(), pItem, 1));
  const CVRX2DArc circle(6, CVRX2DPoint(50, 50), 5, 5, CVRXAngle(0), CVRXAngle(0), CVRXAngle(0));
  engine.AddEntry(new CAlignmentEntity(circle.Clone(), pItem, 1));
  CObArray all;
  engine.GetPerimeterGroups().GetAll(all);
  EXPECT_EQ(all.GetSize(), 1);
  all.RemoveAll();
  engine.GetOtherGroups().GetAll(all);
  EXPECT_EQ(all.GetSize(), 1);
  EXPECT_EQ(engine.GetArcEntities().GetSize(), 1);
  EXPECT_TRUE(engine.IsOnAlignmentEntity(
      CVRX2DArc(0, CVRX2DPoint(50.005, 50), 5, 5, CVRXAngle(0), CVRXAngle(0), CVRXAngle(0)), nullptr))
      << "centres within a hundredth are the same";
  EXPECT_TRUE(engine.IsOnAlignmentEntity(Vertical(0, 20.0), nullptr));
  engine.SetItemEnabled(pItem, FALSE);
  EXPECT_FALSE(engine.IsOnAlignmentEntity(Vertical(0, 20.0), nullptr));
  EXPECT_FALSE(engine.IsOnAlignmentEntity(circle, nullptr));
  engine.SetItemEnabled(pItem, TRUE);
  engine.RemoveItem(pItem);
  EXPECT_FALSE(engine.IsOnAlignmentEntity(Vertical(0, 10.0), nullptr));
  EXPECT_EQ(engine.GetArcEntities().GetSize(), 0);
}

// A table whose entries are all disabled is passed by without visiting them, so whether any is
// enabled is kept through filing, disabling, enabling and taking out, and never goes stale.
TEST_F(SnapEngineTest, LinesSnapToWhatIsLeftEnabledThroughDisablingEnablingAndTakingOut)
{
  engine.SetSnapRange(1.25);
  CDesignItem* first = Offering({Vertical(7, 100.0), Vertical(7, 130.0)});
  CDesignItem* second = Offering({Vertical(7, 200.0)});
  const auto snaps = [&](double x) {
    CSnapVectorArray vectors;
    engine.SnapTo(Vertical(17, x), Query(1.25), vectors);
    return vectors.GetSize();
  };
  const auto offers = [&](double x) { return engine.IsOnAlignmentEntity(Vertical(0, x), nullptr); };
  ASSERT_EQ(snaps(100.5), 1);
  engine.SetItemEnabled(first, FALSE);
  ASSERT_EQ(engine.CheckConsistency(), "");
  EXPECT_EQ(snaps(100.5), 0);
  EXPECT_EQ(snaps(200.5), 1) << "the other item still offers its line";
  engine.SetItemEnabled(second, FALSE);
  ASSERT_EQ(engine.CheckConsistency(), "");
  EXPECT_EQ(snaps(200.5), 0);
  EXPECT_FALSE(offers(200.0));
  engine.SetItemEnabled(first, FALSE);
  ASSERT_EQ(engine.CheckConsistency(), "");
  engine.SetItemEnabled(first, TRUE);
  ASSERT_EQ(engine.CheckConsistency(), "");
  EXPECT_EQ(snaps(130.5), 1) << "enabled again after being disabled twice";
  EXPECT_TRUE(offers(130.0));
  engine.RemoveItem(first);
  ASSERT_EQ(engine.CheckConsistency(), "");
  EXPECT_EQ(snaps(130.5), 0);
  engine.SetItemEnabled(second, TRUE);
  ASSERT_EQ(engine.CheckConsistency(), "");
  EXPECT_EQ(snaps(200.5), 1) << "a disabled item taken out with others left";
  // An item filed again after others keeps its runs: disabling reaches all of them.
  CDesignItem* third = Offering({Vertical(7, 300.0)});
  engine.AddEntry(new CAlignmentEntity(Vertical(7, 330.0).Clone(), second, 1));
  engine.SetItemEnabled(second, FALSE);
  ASSERT_EQ(engine.CheckConsistency(), "");
  EXPECT_EQ(snaps(330.5), 0);
  EXPECT_EQ(snaps(300.5), 1);
  engine.RemoveItem(third);
  ASSERT_EQ(engine.CheckConsistency(), "");
  EXPECT_EQ(snaps(300.5), 0);
  engine.AddEntry(new CAlignmentEntity(Vertical(7, 400.0).Clone(), third, 0));
  EXPECT_EQ(snaps(400.5), 0) << "an entry filed disabled";
  engine.SetItemEnabled(third, TRUE);
  ASSERT_EQ(engine.CheckConsistency(), "");
  EXPECT_EQ(snaps(400.5), 1);
  EXPECT_EQ(snaps(330.5), 0);
  engine.RemoveItem(second);
  ASSERT_EQ(engine.CheckConsistency(), "");
  engine.SetItemEnabled(second, TRUE);
  ASSERT_EQ(engine.CheckConsistency(), "");
  EXPECT_EQ(snaps(200.5), 0) << "an item taken out is not enabled again";
  EXPECT_EQ(snaps(400.5), 1);
}

// The items of a large selection leave the tables one by one, between look-ups and with others
// filed again: each look-up sees exactly the entries still filed, in the order they were filed,
// and enabling, disabling and listing by item reach only that item's entries.
TEST_F(SnapEngineTest, ItemsLeaveTheTablesOneByOneAndTheRestStayInTheirOrder)
{
  static char tokens[40];
  auto item = [](int n) { return reinterpret_cast<CDesignItem*>(&tokens[n]); };
  CLikeAlignmentGroups groups;
  for (int n = 0; n < 40; ++n) {
    groups.Add(new CAlignmentEntity(Horizontal(8, 100.0 + n).Clone(), item(n), 1));
    groups.Add(new CAlignmentEntity(Horizontal(8, 200.0 + n).Clone(), item(n), 1));
  }
  CLikeAlignmentEntities* pGroup = groups.FindLike(Horizontal(0, 5));
  ASSERT_NE(pGroup, nullptr);
  // Every other item goes; a look-up halfway, and one item filed again.
  for (int n = 0; n < 40; n += 2) {
    groups.RemoveItem(item(n));
    ASSERT_EQ(groups.CheckConsistency(), "");
    if (n == 20) {
      std::vector<int> near;
      pGroup->FindNear(0, 101, 0.5, near);
      ASSERT_EQ(near.size(), 1u);
      EXPECT_EQ(pGroup->GetEntities()[near[0]]->GetItem(), item(1));
    }
  }
  groups.Add(new CAlignmentEntity(Horizontal(8, 150.0).Clone(), item(2), 1));
  const CAlignmentEntityArray& entries = pGroup->GetEntities();
  ASSERT_EQ(entries.GetSize(), 41);
  for (int i = 0; i < 40; ++i) {
    const int n = 1 + 2 * (i / 2);
    EXPECT_EQ(entries[i]->GetItem(), item(n)) << i;
    EXPECT_EQ(static_cast<const CVRX2DLine&>(*entries[i]->GetEntity()).GetStartPoint().GetY(),
              (i % 2 ? 200.0 : 100.0) + n);
  }
  EXPECT_EQ(entries[40]->GetItem(), item(2));
  std::vector<int> near;
  pGroup->FindNear(0, 120, 20.5, near);
  EXPECT_EQ(near.size(), 20u) << "the lower entries of the odd items";
  for (size_t i = 1; i < near.size(); ++i)
    EXPECT_LT(near[i - 1], near[i]) << "in the entries' own order";
  pGroup->FindNear(0, 150, 1.0, near);
  ASSERT_EQ(near.size(), 1u);
  EXPECT_EQ(near[0], 40) << "the entry filed again";
  groups.SetItemEnabled(item(3), FALSE);
  ASSERT_EQ(groups.CheckConsistency(), "");
  int disabled = 0;
  for (int i = 0; i < entries.GetSize(); ++i)
    disabled += !entries[i]->IsEnabled();
  EXPECT_EQ(disabled, 2);
  CObArray ofItem;
  groups.GetByItem(item(3), ofItem);
  ASSERT_EQ(ofItem.GetSize(), 2);
  EXPECT_FALSE(static_cast<CAlignmentEntity*>(ofItem[0])->IsEnabled());
  groups.GetByItem(item(4), ofItem);
  EXPECT_EQ(ofItem.GetSize(), 0) << "a removed item has no entries left";
  for (int n = 1; n < 40; n += 2)
    groups.RemoveItem(item(n));
  groups.RemoveItem(item(2));
  ASSERT_EQ(groups.CheckConsistency(), "");
  EXPECT_EQ(groups.FindLike(Horizontal(0, 5)), nullptr) << "emptied one by one, the group finds nothing";
}

// An item filed again after others keeps all its entries, in the order filed, through a
// closing up of the table: listed, disabled and handed over together.
TEST_F(SnapEngineTest, AnItemFiledAgainAfterOthersKeepsItsEntriesInFilingOrder)
{
  static char tokens[3];
  auto item = [](int n) { return reinterpret_cast<CDesignItem*>(&tokens[n]); };
  CLikeAlignmentGroups groups;
  groups.Add(new CAlignmentEntity(Horizontal(8, 1).Clone(), item(0), 1));
  groups.Add(new CAlignmentEntity(Horizontal(8, 2).Clone(), item(1), 1));
  groups.Add(new CAlignmentEntity(Horizontal(8, 3).Clone(), item(0), 1));
  groups.Add(new CAlignmentEntity(Horizontal(8, 4).Clone(), item(0), 1));
  groups.Add(new CAlignmentEntity(Horizontal(8, 5).Clone(), item(2), 1));
  groups.Add(new CAlignmentEntity(Horizontal(8, 6).Clone(), item(0), 1));
  groups.RemoveItem(item(1));
  ASSERT_EQ(groups.CheckConsistency(), "");
  CLikeAlignmentEntities* pGroup = groups.FindLike(Horizontal(0, 5));
  ASSERT_NE(pGroup, nullptr);
  ASSERT_EQ(pGroup->GetEntities().GetSize(), 5) << "closed up";
  const auto yOf = [](const CObject* pEntry) {
    return static_cast<const CVRX2DLine&>(*static_cast<const CAlignmentEntity*>(pEntry)->GetEntity())
        .GetStartPoint()
        .GetY();
  };
  CObArray ofItem;
  groups.GetByItem(item(0), ofItem);
  ASSERT_EQ(ofItem.GetSize(), 4);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(yOf(ofItem[i]), std::vector<double>({1, 3, 4, 6})[static_cast<size_t>(i)]) << i;
  groups.SetItemEnabled(item(0), FALSE);
  ASSERT_EQ(groups.CheckConsistency(), "");
  EXPECT_TRUE(pGroup->GetEntities()[3]->IsEnabled()) << "the other item's entry";
  std::vector<CAlignmentEntity*> kept;
  EXPECT_EQ(groups.RemoveItem(item(0), &kept), 4);
  ASSERT_EQ(groups.CheckConsistency(), "");
  ASSERT_EQ(kept.size(), 4u);
  for (size_t i = 0; i < kept.size(); ++i) {
    EXPECT_EQ(yOf(kept[i]), std::vector<double>({1, 3, 4, 6})[i]) << i;
    EXPECT_FALSE(kept[i]->IsEnabled());
    delete kept[i];
  }
  groups.Add(new CAlignmentEntity(Horizontal(8, 7).Clone(), item(0), 1));
  groups.GetByItem(item(0), ofItem);
  ASSERT_EQ(ofItem.GetSize(), 1) << "filed anew, the item has only its new entry";
  EXPECT_EQ(yOf(ofItem[0]), 7);
  groups.GetByItem(item(2), ofItem);
  ASSERT_EQ(ofItem.GetSize(), 1);
  EXPECT_EQ(yOf(ofItem[0]), 5);
}

TEST_F(SnapEngineTest, AJoinSnapAlsoLinesUpTheEndsOfTheJoinedSidesWithinTheSnapRange)
{
  CVRX2DEntityArray moving;
  moving.Add(new CVRX2DLine(20, CVRX2DPoint(0, 0), CVRX2DPoint(0, 10)));
  CVRX2DEntityArray stationary;
  stationary.Add(new CVRX2DLine(20, CVRX2DPoint(0, 10.5), CVRX2DPoint(0, 0.5)));
  const auto joinSnap = [&](CSnapVectorArray& vectors) -> CSnapVectorArray& {
    auto* s = new CSnapVector(0.0, 0.0, ecatJoinSnap, 1);
    s->m_pMovingItem = Item(5);
    s->m_pStationaryItem = Item(6);
    s->m_nMovingComponent = 0;
    s->m_nStationaryComponent = 0;
    vectors.Add(s);
    return vectors;
  };
  engine.SetSnapRange(1.25);
  CSnapVectorArray unknown;
  EXPECT_FALSE(engine.AlignJoinEnds(CVRX2DVector(), joinSnap(unknown))) << "items the host knows no outlines of";
  host.outlines[Item(5)] = &moving;
  host.outlines[Item(6)] = &stationary;
  CSnapVectorArray vectors;
  ASSERT_TRUE(engine.AlignJoinEnds(CVRX2DVector(), joinSnap(vectors)));
  ASSERT_EQ(vectors.GetSize(), 2);
  EXPECT_DOUBLE_EQ(vectors[1]->m_dLength, 0.5);
  EXPECT_DOUBLE_EQ(vectors[1]->m_dDirection, kPi / 2);
  ExpectVector(engine.CombineSnapVectors(vectors), 0.0, 0.5);
  engine.SetSnapRange(0.25);
  CSnapVectorArray far;
  EXPECT_FALSE(engine.AlignJoinEnds(CVRX2DVector(), joinSnap(far))) << "ends half an inch apart, range a quarter";
  CSnapVectorArray two;
  joinSnap(two);
  EXPECT_THROW(engine.AlignJoinEnds(CVRX2DVector(), joinSnap(two)), CAppFatalException);
}

// A moved item's entries are taken out and filled in again rather than deleted and made anew:
// handed over in filing order, arcs among them and other items' arcs kept in theirs, and each
// filled in to be what a new entry of the entity would be, its old direction and perimeter
// lines forgotten.
TEST_F(SnapEngineTest, EntriesTakenOutAreHandedOverAndFilledInAsNewOnes)
{
  CDesignItem* pItem = Item(3);
  CDesignItem* pOther = Item(4);
  const CVRX2DArc circle(6, CVRX2DPoint(50, 50), 5, 5, CVRXAngle(0), CVRXAngle(0), CVRXAngle(0));
  const CVRX2DArc otherCircle(6, CVRX2DPoint(80, 50), 5, 5, CVRXAngle(0), CVRXAngle(0), CVRXAngle(0));
  engine.AddEntry(new CAlignmentEntity(otherCircle.Clone(), pOther, 1));
  engine.AddEntry(new CAlignmentEntity(Vertical(7, 10.0).Clone(), pItem, 1));
  engine.AddEntry(new CAlignmentEntity(circle.Clone(), pItem, 1));
  engine.AddEntry(new CAlignmentEntity(Horizontal(7, 30.0).Clone(), pItem, 0));
  engine.AddEntry(new CAlignmentEntity(Vertical(8, 12.0).Clone(), pOther, 1));
  engine.AddEntry(new CAlignmentEntity(otherCircle.Clone(), pOther, 1));
  std::vector<CAlignmentEntity*> kept;
  engine.RemoveItem(pItem, &kept);
  ASSERT_EQ(engine.CheckConsistency(), "");
  // The horizontal group, the vertical one, the other lines, then the arcs.
  ASSERT_EQ(kept.size(), 3u);
  EXPECT_EQ(dynamic_cast<const CVRX2DLine&>(*kept[0]->GetEntity()), Horizontal(7, 30.0));
  EXPECT_EQ(dynamic_cast<const CVRX2DLine&>(*kept[1]->GetEntity()), Vertical(7, 10.0));
  EXPECT_EQ(kept[2]->GetEntity()->GetType(), VRX_ARC);
  EXPECT_FALSE(engine.IsOnAlignmentEntity(Vertical(0, 10.0), nullptr));
  EXPECT_FALSE(engine.IsOnAlignmentEntity(circle, nullptr));
  EXPECT_TRUE(engine.IsOnAlignmentEntity(Vertical(0, 12.0), nullptr));
  ASSERT_EQ(engine.GetArcEntities().GetSize(), 2);
  EXPECT_EQ(engine.GetArcEntities()[0]->GetItem(), pOther);
  EXPECT_EQ(engine.GetArcEntities()[1]->GetItem(), pOther);
  // A line filled into a line's entry, an arc into a line's, a line into an arc's.
  CAlignmentEntity* pLineEntry = kept[0];
  pLineEntry->AddSide(Horizontal(20, 30.0), 3);
  const CVRXAngle oldDirection = pLineEntry->GetDirection();
  const CVRX2DLine upright = Vertical(7, 44.5);
  pLineEntry->Reuse(upright, pItem, 1);
  const CAlignmentEntity fresh(upright.Clone(), pItem, 1);
  const auto& line = dynamic_cast<const CVRX2DLine&>(*pLineEntry->GetEntity());
  EXPECT_EQ(line, dynamic_cast<const CVRX2DLine&>(*fresh.GetEntity()));
  EXPECT_EQ(line.GetCategory(), 7);
  EXPECT_EQ(pLineEntry->GetItem(), pItem);
  EXPECT_TRUE(pLineEntry->IsEnabled());
  EXPECT_EQ(pLineEntry->GetPerimeterLines().GetSize(), 0);
  EXPECT_EQ(pLineEntry->GetIndices().GetSize(), 0);
  EXPECT_FALSE(pLineEntry->GetDirection() == oldDirection);
  EXPECT_TRUE(pLineEntry->GetDirection() == fresh.GetDirection());
  kept[1]->Reuse(circle, pItem, 1);
  EXPECT_TRUE(dynamic_cast<const CVRX2DArc&>(*kept[1]->GetEntity()).IsEqual(circle));
  const CVRX2DLine level = Horizontal(8, 61.0);
  kept[2]->Reuse(level, pItem, 0);
  EXPECT_EQ(dynamic_cast<const CVRX2DLine&>(*kept[2]->GetEntity()), level);
  EXPECT_FALSE(kept[2]->IsEnabled());
  for (CAlignmentEntity* pEntry : kept)
    engine.AddEntry(pEntry);
  EXPECT_TRUE(engine.IsOnAlignmentEntity(Vertical(0, 44.5), nullptr));
  EXPECT_FALSE(engine.IsOnAlignmentEntity(Horizontal(0, 61.0), nullptr)) << "filed disabled";
  EXPECT_TRUE(engine.IsOnAlignmentEntity(circle, nullptr));
  EXPECT_EQ(engine.GetArcEntities().GetSize(), 3);
  engine.RemoveItem(pOther);
  ASSERT_EQ(engine.CheckConsistency(), "");
  EXPECT_EQ(engine.GetArcEntities().GetSize(), 1) << "the other item's arcs went";
  EXPECT_FALSE(engine.IsOnAlignmentEntity(Vertical(0, 12.0), nullptr));
  EXPECT_TRUE(engine.IsOnAlignmentEntity(Vertical(0, 44.5), nullptr));
  engine.RemoveItem(pItem);
  ASSERT_EQ(engine.CheckConsistency(), "");
  EXPECT_EQ(engine.GetArcEntities().GetSize(), 0);
  EXPECT_FALSE(engine.IsOnAlignmentEntity(Vertical(0, 44.5), nullptr));
}

// An entry holds a plain line itself and its first indices in place: its copies hold their own.
TEST_F(SnapEngineTest, AnEntryAndItsCopyHoldEntitiesAndIndicesOfTheirOwn)
{
  int token = 0;
  auto* pItem = reinterpret_cast<CDesignItem*>(&token);
  const CVRX2DLine side = Horizontal(7, 12.5);
  const CVRX2DArc circle(6, CVRX2DPoint(50, 50), 5, 5, CVRXAngle(0), CVRXAngle(0), CVRXAngle(0));
  CAlignmentEntity entry(side, pItem, 1);
  for (UINT i = 0; i < 5; ++i)
    entry.AddSide(10 + i);
  const CAlignmentEntity copy(entry);
  EXPECT_NE(copy.GetEntity(), entry.GetEntity());
  // What is filled into the entry afterwards leaves the copy as it was.
  entry.Reuse(circle, pItem, 0);
  EXPECT_TRUE(dynamic_cast<const CVRX2DArc&>(*entry.GetEntity()).IsEqual(circle));
  EXPECT_EQ(entry.GetIndices().GetSize(), 0);
  EXPECT_EQ(dynamic_cast<const CVRX2DLine&>(*copy.GetEntity()), side);
  ASSERT_EQ(copy.GetIndices().GetSize(), 5) << "indices past the two held in the entry are kept too";
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(copy.GetIndices()[i], static_cast<UINT>(10 + i));
  const CAlignmentEntity arcCopy(entry);
  entry.Reuse(Vertical(8, 3.0), pItem, 1);
  entry.AddSide(4);
  EXPECT_EQ(dynamic_cast<const CVRX2DLine&>(*entry.GetEntity()), Vertical(8, 3.0));
  EXPECT_TRUE(dynamic_cast<const CVRX2DArc&>(*arcCopy.GetEntity()).IsEqual(circle));
  EXPECT_EQ(arcCopy.GetIndices().GetSize(), 0);
  ASSERT_EQ(entry.GetIndices().GetSize(), 1);
  EXPECT_EQ(entry.GetIndices()[0], 4u);
}

// A highlighted side may keep its answer of yes while entries are only filed; any change that
// could take a yes away ends that, and so does a revision of another engine.
TEST_F(SnapEngineTest, OnlyEntriesFiledSinceARevisionKeepItsAnswersOfYes)
{
  CDesignItem* pFirst = Offering({Vertical(7, 10.0), Horizontal(7, 30.0)});
  const std::uint64_t seen = engine.GetRevision();
  EXPECT_TRUE(engine.OnlyFiledSince(seen));
  CDesignItem* pSecond = Offering({Vertical(7, 40.0)});
  EXPECT_NE(engine.GetRevision(), seen);
  EXPECT_TRUE(engine.OnlyFiledSince(seen)) << "filing adds answers of yes only";
  static char others[2];
  engine.RemoveItem(reinterpret_cast<CDesignItem*>(&others[0]));
  EXPECT_TRUE(engine.OnlyFiledSince(seen)) << "an item without entries takes nothing away";
  engine.SetItemEnabled(pSecond, TRUE);
  EXPECT_FALSE(engine.OnlyFiledSince(seen)) << "switching entries on or off";
  const std::uint64_t afterSwitch = engine.GetRevision();
  EXPECT_TRUE(engine.OnlyFiledSince(afterSwitch));
  engine.RemoveItem(pFirst);
  EXPECT_FALSE(engine.OnlyFiledSince(afterSwitch)) << "entries taken out";
  const CVRX2DArc circle(6, CVRX2DPoint(50, 50), 5, 5, CVRXAngle(0), CVRXAngle(0), CVRXAngle(0));
  CDesignItem* pArcs = reinterpret_cast<CDesignItem*>(&others[1]);
  engine.AddEntry(new CAlignmentEntity(circle.Clone(), pArcs, 1));
  const std::uint64_t withArc = engine.GetRevision();
  engine.RemoveItem(pArcs);
  EXPECT_FALSE(engine.OnlyFiledSince(withArc)) << "an item's arcs taken out";

  CSnapEngine other(&host);
  EXPECT_FALSE(engine.OnlyFiledSince(other.GetRevision())) << "a revision this engine never gave";
  EXPECT_FALSE(other.OnlyFiledSince(seen)) << "one given before the engine was made";
}

// Entries filed between look-ups join the position index as a full rebuild would place them.
TEST_F(SnapEngineTest, EntriesFiledBetweenLookUpsAreFoundAsThoughTheIndexWereNew)
{
  CLikeAlignmentGroups grown;
  CLikeAlignmentGroups fresh;
  static char tokens[12];
  const double positions[] = {50.0, 10.0, 30.0, 10.0, 70.0, 20.0, 30.0, 5.0, 60.0, 30.0, 40.0, 10.0};
  std::vector<int> near;
  std::vector<int> expected;
  for (int i = 0; i < 12; ++i) {
    auto* pItem = reinterpret_cast<CDesignItem*>(&tokens[i]);
    grown.Add(new CAlignmentEntity(Horizontal(8, positions[i]).Clone(), pItem, 1));
    // A look-up after every third entry makes the index grow in steps.
    if (i % 3 == 2)
      grown.FindLike(Horizontal(0, 0))->FindNear(0, 30.0, 10.0, near);
  }
  for (int i = 0; i < 12; ++i)
    fresh.Add(new CAlignmentEntity(Horizontal(8, positions[i]).Clone(), reinterpret_cast<CDesignItem*>(&tokens[i]), 1));
  for (double at : {5.0, 10.0, 30.0, 45.0, 70.0}) {
    grown.FindLike(Horizontal(0, 0))->FindNear(0, at, 6.0, near);
    fresh.FindLike(Horizontal(0, 0))->FindNear(0, at, 6.0, expected);
    EXPECT_EQ(near, expected) << at;
    EXPECT_FALSE(near.empty()) << at;
  }
  // Taken out and filed again after a look-up.
  grown.RemoveItem(reinterpret_cast<CDesignItem*>(&tokens[2]));
  grown.FindLike(Horizontal(0, 0))->FindNear(0, 30.0, 1.0, near);
  EXPECT_EQ(near.size(), 2u);
  grown.Add(new CAlignmentEntity(Horizontal(8, 31.0).Clone(), reinterpret_cast<CDesignItem*>(&tokens[2]), 1));
  grown.FindLike(Horizontal(0, 0))->FindNear(0, 30.0, 1.0, near);
  EXPECT_EQ(near.size(), 3u);
}

// Exactly horizontal and vertical lines are answered per row and column for every item that
// asks: the answers follow the asking item, the entries' own tests and every change of the tables
// between look-ups, and a nearly level line is still asked of the entries themselves.
TEST_F(SnapEngineTest, AxisLinesAreAnsweredByRowAndColumnForEachItemThatAsks)
{
  CDesignItem* pLeft = Offering({Horizontal(7, 30.0), Vertical(7, 10.0)});
  const CVRX2DLine side(0, CVRX2DPoint(100, 30.0), CVRX2DPoint(200, 30.0));
  const CVRX2DLine upright(0, CVRX2DPoint(10.0, 500), CVRX2DPoint(10.0, 400));
  EXPECT_FALSE(engine.IsOnAlignmentEntity(side, pLeft)) << "its own entry only";
  EXPECT_TRUE(engine.IsOnAlignmentEntity(side, Item(6)));
  EXPECT_TRUE(engine.IsOnAlignmentEntity(upright, nullptr));
  EXPECT_FALSE(engine.IsOnAlignmentEntity(upright, pLeft));
  CDesignItem* pRight = Offering({Horizontal(7, 30.0)});
  EXPECT_TRUE(engine.IsOnAlignmentEntity(side, pLeft)) << "a second item filed on the row";
  EXPECT_TRUE(engine.IsOnAlignmentEntity(side, pRight));
  engine.SetItemEnabled(pRight, FALSE);
  EXPECT_FALSE(engine.IsOnAlignmentEntity(side, pLeft)) << "switched off after the row was asked";
  EXPECT_TRUE(engine.IsOnAlignmentEntity(side, pRight));
  engine.SetItemEnabled(pRight, TRUE);
  EXPECT_TRUE(engine.IsOnAlignmentEntity(side, pLeft));
  engine.RemoveItem(pRight);
  EXPECT_FALSE(engine.IsOnAlignmentEntity(side, pLeft)) << "taken out after the row was asked";
  // An inner part's outline offers nothing; a line a hair off the row is not on it.
  CDesignItem* pInner = Offering({Horizontal(ecatInnerPartOutline, 30.0)});
  EXPECT_FALSE(engine.IsOnAlignmentEntity(side, pLeft));
  EXPECT_FALSE(engine.IsOnAlignmentEntity(CVRX2DLine(0, CVRX2DPoint(0, 30.01), CVRX2DPoint(9, 30.01)), pInner));
  // A nearly level line whose start lies off the row but whose course lies on it.
  const CVRX2DLine tilted(0, CVRX2DPoint(0, 30.0 + 1e-9), CVRX2DPoint(100, 30.0));
  EXPECT_TRUE(engine.IsOnAlignmentEntity(tilted, Item(6)));
  EXPECT_FALSE(engine.IsOnAlignmentEntity(tilted, pLeft));
}

// Reaches into the tables to put them out of step, one fault at a time, on tables built anew for
// each: the check names every fault, with the table and group it lies in.
class COutOfStep
{
public:
  struct CFault
  {
    std::string expected;
    std::function<void(CSnapEngine&)> make;
  };

  // Item a files vertical perimeter lines at 100 and 130, the first with a side of its outlines
  // on it, and another line at 300, item b a vertical perimeter line at 200 and a horizontal one
  // at 50, item c an arc; the entries hold their lines themselves, and the vertical perimeter
  // group has been looked up, so its position and sides indices stand.
  static std::unique_ptr<CSnapEngine> Tables(CFakeHost* pHost, CDesignItem* a, CDesignItem* b, CDesignItem* c)
  {
    static CVRX2DEntityArray outlines;
    if (outlines.GetSize() == 0)
      outlines.Add(new CVRX2DLine(ecatPerimeterOutline, CVRX2DPoint(100, 40), CVRX2DPoint(100, 10)));
    pHost->outlines[a] = &outlines;
    auto engine = std::make_unique<CSnapEngine>(pHost);
    auto* pSided = new CAlignmentEntity(Vertical(ecatPerimeterAlignment, 100.0), a, 1);
    pSided->AddSide(0);
    engine->AddEntry(pSided);
    engine->AddEntry(new CAlignmentEntity(Vertical(ecatPerimeterAlignment, 130.0), a, 1));
    engine->AddEntry(new CAlignmentEntity(Vertical(ecatCentreLine, 300.0), a, 1));
    engine->AddEntry(new CAlignmentEntity(Vertical(ecatPerimeterAlignment, 200.0), b, 1));
    engine->AddEntry(new CAlignmentEntity(Horizontal(ecatPerimeterAlignment, 50.0), b, 1));
    const CVRX2DArc arc(6, CVRX2DPoint(50, 50), 5, 5, CVRXAngle(0), CVRXAngle(0), CVRXAngle(0));
    engine->AddEntry(new CAlignmentEntity(arc, c, 1));
    std::vector<int> near;
    VerticalGroup(*engine).FindNear(100.0, 0.0, 1.0, near);
    return engine;
  }

  static std::vector<CFault> Faults(CDesignItem* a, CDesignItem* b)
  {
    const auto entry = [](CSnapEngine& engine, int slot) { return VerticalGroup(engine).m_Entries[slot]; };
    const std::string group = "perimeter lines, group 1: ";
    return {
        {group + "0 of 3 slots are empty, the count of empty slots says 1",
         [](CSnapEngine& engine) { VerticalGroup(engine).m_nEmptySlots = 1; }},
        {group + "slot 1 holds an entry that no item's runs name",
         [](CSnapEngine& engine) {
           Run(engine, 0).count = 1;
           Run(engine, 0).enabled = 1;
         }},
        {group + Said("slot 2 holds an entry of item %p, the run naming it is item %p's", a, b),
         [entry, a](CSnapEngine& engine) { entry(engine, 2)->m_pItem = a; }},
        {group + "slot 0 holds an entry without an entity",
         [entry](CSnapEngine& engine) { entry(engine, 0)->m_pEntity.reset(); }},
        {group + "slot 0 holds an entry of orientation 1 in a group of orientation 3",
         [entry](CSnapEngine& engine) {
           entry(engine, 0)->m_Line = Horizontal(ecatPerimeterAlignment, 100.0);
           entry(engine, 0)->m_bDirectionKnown = FALSE;
         }},
        {group + "3 entries are enabled, the count of enabled entries says 2",
         [](CSnapEngine& engine) { VerticalGroup(engine).m_nEnabled = 2; }},
        {group + "run 0 holds 1 enabled entries, it counts 2",
         [entry](CSnapEngine& engine) {
           entry(engine, 1)->m_bEnabled = 0;
           VerticalGroup(engine).m_nEnabled = 2;
         }},
        {group + "the free runs lead to run 5 of 2, or in a circle",
         [](CSnapEngine& engine) { VerticalGroup(engine).m_nFreeRun = 5; }},
        {group + Said("the runs of item %p lead to run 1 of 2, a free one, or in a circle", b),
         [](CSnapEngine& engine) { VerticalGroup(engine).m_nFreeRun = 1; }},
        {group + Said("run 0 of item %p names 0 slots from 0 (after slot -1) of 3, 2 enabled", a),
         [](CSnapEngine& engine) { Run(engine, 0).count = 0; }},
        {group + Said("run 0 of item %p names slot 1, which is empty or another run's", a),
         [](CSnapEngine& engine) {
           CLikeAlignmentEntities& vertical = VerticalGroup(engine);
           delete vertical.m_Entries[1];
           vertical.m_Entries.SetAt(1, nullptr);
           vertical.m_nEmptySlots = 1;
         }},
        {group + "the position index holds 3 places for 4 entries indexed of 3",
         [](CSnapEngine& engine) { VerticalGroup(engine).m_nIndexed = 4; }},
        {group + "place 0 of the position index names slot 7, outside the entries indexed or empty",
         [](CSnapEngine& engine) { VerticalGroup(engine).m_Index[0].second = 7; }},
        {group + "the position index is out of order at place 1",
         [](CSnapEngine& engine) {
           auto& index = VerticalGroup(engine).m_Index;
           std::swap(index[0], index[1]);
         }},
        {group + "place 0 of the sides index does not hold where slot 0 lies and its sides reach",
         [](CSnapEngine& engine) { VerticalGroup(engine).m_Spans[0].from = 20.0; }},
        {group + "slot 0 is in neither the sides index nor the entries without known sides",
         [](CSnapEngine& engine) { VerticalGroup(engine).m_Spans.clear(); }},
        {"perimeter lines, group 0 holds lines of orientation 3",
         [](CSnapEngine& engine) { engine.m_PerimeterGroups.GetAt(0)->m_nOrientation = laeVertical; }},
        {"other lines, group 1: 1 entries are enabled, the count of enabled entries says 0",
         [](CSnapEngine& engine) { engine.m_OtherGroups.GetAt(1)->m_nEnabled = 0; }},
        {"arc slot 0 holds no arc", [](CSnapEngine& engine) { engine.m_ArcEntities[0]->m_pEntity.reset(); }},
        {"the arcs belong to 1 items, the counts of arcs name 1 or count otherwise",
         [](CSnapEngine& engine) { ++engine.m_ArcCounts.begin()->second; }},
        {"the last revision that took entries away is later than the tables' revision",
         [](CSnapEngine& engine) { engine.m_nShrinkRevision = engine.m_nRevision + 1; }},
    };
  }

  // The entry put back into the first slot the item's removal emptied in the vertical perimeter
  // group, as a removal that left it there would; then the look-up that meets it, and the slot
  // emptied again. What the watch said, or nothing when the look-up read the entry.
  static std::string LookUpPastAnEntryLeftInItsSlot(CSnapEngine& engine, CDesignItem* pItem, CAlignmentEntity& left)
  {
    engine.RemoveItem(pItem);
    CLikeAlignmentEntities& vertical = VerticalGroup(engine);
    vertical.m_Entries.SetAt(0, &left);
    std::string said;
    try {
      std::vector<int> near;
      vertical.FindNear(100.0, 0.0, 1.0, near);
    } catch (const CInconsistentTables& problem) {
      said = problem.what();
    }
    vertical.m_Entries.SetAt(0, nullptr);
    return said;
  }

  // A group that holds nothing yet keeps an orientation.
  static std::string EmptyGroupWithAnOrientation()
  {
    CLikeAlignmentEntities group;
    group.m_nOrientation = laeVertical;
    return group.CheckConsistency();
  }

private:
  static CLikeAlignmentEntities& VerticalGroup(CSnapEngine& engine) { return *engine.m_PerimeterGroups.GetAt(1); }
  static CLikeAlignmentEntities::CSlotRun& Run(CSnapEngine& engine, int index)
  {
    return VerticalGroup(engine).m_Runs[static_cast<size_t>(index)];
  }
  template <class... Args>
  static std::string Said(const char* format, Args... args)
  {
    char text[256];
    std::snprintf(text, sizeof text, format, static_cast<const void*>(args)...);
    return text;
  }
};

TEST_F(SnapEngineTest, TheCheckOfTheTablesNamesEachFaultPutIntoThem)
{
  // The faults are put in on purpose, to be read from the check: no watch stops the tables.
  CLikeAlignmentEntities::SetWatch(nullptr);
  CDesignItem* a = Item(1);
  CDesignItem* b = Item(2);
  CDesignItem* c = Item(3);
  ASSERT_EQ(COutOfStep::Tables(&host, a, b, c)->CheckConsistency(), "") << "the tables as built";
  for (const COutOfStep::CFault& fault : COutOfStep::Faults(a, b)) {
    const std::unique_ptr<CSnapEngine> tables = COutOfStep::Tables(&host, a, b, c);
    fault.make(*tables);
    EXPECT_EQ(tables->CheckConsistency(), fault.expected);
  }
  EXPECT_EQ(COutOfStep::EmptyGroupWithAnOrientation(), "the group holds no entry but has orientation 3");
}

// Under the tests' watch, an entry a removal left in its slot is named before a look-up reads
// it, rather than read (a deleted one would end the test in a crash).
TEST_F(SnapEngineTest, AnEntryLeftInItsSlotIsNamedBeforeALookUpReadsIt)
{
  CDesignItem* a = Item(1);
  const std::unique_ptr<CSnapEngine> tables = COutOfStep::Tables(&host, a, Item(2), Item(3));
  CAlignmentEntity left(Vertical(ecatPerimeterAlignment, 100.0), a, 1);
  ::testing::TestPartResultArray failures;
  std::string said;
  {
    const ::testing::ScopedFakeTestPartResultReporter reporter(
        ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures);
    said = COutOfStep::LookUpPastAnEntryLeftInItsSlot(*tables, a, left);
  }
  const std::string expected =
      "the vertical lines' group, before its entries are read: slot 0 holds an entry that no item's runs name";
  EXPECT_EQ(said, expected);
  ASSERT_EQ(failures.size(), 1);
  const std::string failure = failures.GetTestPartResult(0).message();
  EXPECT_NE(failure.find("The alignment tables are inconsistent in " + expected), std::string::npos) << failure;
}
