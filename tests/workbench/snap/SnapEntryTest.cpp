// Guards who changes an alignment entry: the tables hold their entries in a position index, count
// them enabled and give out a revision with each change, so an entry a table holds is built on
// by nobody else, and only once handed back may it be built again.
#include <gtest/gtest.h>

#include <vector>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "geometry/2dmatrix.h"
#include "support/Exceptn.h"
#include "workbench/snap/Snapeng.h"

namespace {
CVRX2DLine Vertical(int category, double x) { return CVRX2DLine(category, CVRX2DPoint(x, 0), CVRX2DPoint(x, 1440)); }
}  // namespace

// Only the tables change an entry they hold: building one that is filed (a side added, moved,
// filled in anew) is fatal, as it would leave the position index, the enabled counts and the
// revision wrong; handed back, the entry may be built again.
TEST(SnapEntryTest, AnEntryATableHoldsIsNotBuiltOnBehindIt)
{
  static char token;
  auto* pItem = reinterpret_cast<CDesignItem*>(&token);
  CSnapEngine engine;
  const CVRX2DArc circle(6, CVRX2DPoint(50, 50), 5, 5, CVRXAngle(0), CVRXAngle(0), CVRXAngle(0));
  auto* pLine = new CAlignmentEntity(Vertical(7, 10.0).Clone(), pItem, 1);
  auto* pArc = new CAlignmentEntity(circle.Clone(), pItem, 1);
  engine.AddEntry(pLine);
  engine.AddEntry(pArc);
  for (CAlignmentEntity* pEntry : {pLine, pArc}) {
    EXPECT_THROW(pEntry->AddSide(2), CAppFatalException);
    EXPECT_THROW(pEntry->AddSide(Vertical(20, 10.0), 2), CAppFatalException);
    EXPECT_THROW(pEntry->Transform(CVRX2DTransformationMatrix(CVRX2DVector(1.0, 0.0))), CAppFatalException);
    EXPECT_THROW(pEntry->Reuse(Vertical(7, 30.0), pItem, 1), CAppFatalException);
  }
  EXPECT_TRUE(engine.IsOnAlignmentEntity(Vertical(0, 10.0), nullptr)) << "the entry stands as filed";
  std::vector<CAlignmentEntity*> kept;
  engine.RemoveItem(pItem, &kept);
  ASSERT_EQ(kept.size(), 2u);
  for (CAlignmentEntity* pEntry : kept) {
    EXPECT_NO_THROW(pEntry->Reuse(Vertical(7, 30.0), pItem, 1));
    EXPECT_NO_THROW(pEntry->AddSide(Vertical(20, 30.0), 2));
    delete pEntry;
  }
  auto* pFiled = new CAlignmentEntity(Vertical(7, 40.0).Clone(), pItem, 1);
  engine.AddEntry(pFiled);
  CAlignmentEntity copy(*pFiled);
  EXPECT_NO_THROW(copy.AddSide(3)) << "a copy is held by no table";
}
