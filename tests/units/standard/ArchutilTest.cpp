// Guards the shared pieces of the arched units where they mend what the catalogue can get
// wrong: roots of negative numbers, grilles missing a header or rows, and seeks that run off
// the end of the grille table.
#include <cmath>

#include "productdb/Grilprop.h"
#include "productdb/txdbExcp.h"
#include "units/standard/Arba.h"
#include "units/standard/ArchTestUtil.h"
#include "units/standard/Archutil.h"

namespace {

using ArchutilTest = ArchUnitTest;

TEST_F(ArchutilTest, RootsAndRisesAreNumbersForEveryInput)
{
  EXPECT_DOUBLE_EQ(Arch::SideFromHypotenuse(5.0, 4.0), 3.0);
  EXPECT_DOUBLE_EQ(Arch::SideFromHypotenuse(4.0, 5.0), 0.0);
  EXPECT_DOUBLE_EQ(Arch::Rise(10.0, 12.0), 2.0);
  EXPECT_DOUBLE_EQ(Arch::Rise(10.0, 30.0), 10.0);  // a chord past the diameter: the half circle
  EXPECT_DOUBLE_EQ(Arch::Clamp(-1.0, 0.0, 5.0), 0.0);
  EXPECT_DOUBLE_EQ(Arch::Clamp(7.0, 0.0, 5.0), 5.0);
}

TEST_F(ArchutilTest, GrilleRowsAreFoundOnlyForTheirGrilleAndCode)
{
  EXPECT_EQ(Arch::FindGrilleId("SW", "CI009", "CI24", 2), 0);  // no header
  const int id = Arch::FindGrilleId("SW", "CI009", "CI24", 6);
  ASSERT_NE(id, 0);
  CGrilPropRec row;
  ASSERT_TRUE(Arch::SeekGrilleRow(row, id, "H", 0.0, Arch::seekGE));
  EXPECT_DOUBLE_EQ(row.GetValue(), 6.0);
  EXPECT_FALSE(Arch::NextGrilleRow(row, id, "H"));
  EXPECT_FALSE(Arch::SeekGrilleRow(row, id, "R", 0.0, Arch::seekGT));
  ASSERT_TRUE(Arch::SeekGrilleRow(row, id, "A", 10.0, Arch::seekLE));
  EXPECT_NEAR(row.GetValue(), 6.2832, 1e-4);
  EXPECT_TRUE(Arch::PrevGrilleRow(row, id, "A"));
  // Past the last grille of the table the seek finds nothing rather than failing.
  EXPECT_FALSE(Arch::SeekGrilleRow(row, 999999, "R", 0.0, Arch::seekGT));
  EXPECT_FALSE(Arch::SeekGrilleRow(row, 999999, "R", 0.0, Arch::seekLE));
}

// The hub reader serves several units: a missing row reports the caller's module and the line
// of the row that is missing.
TEST_F(ArchutilTest, AGrilleHubWithAMissingRowReportsTheCallersLine)
{
  const int id = Arch::FindGrilleId("SW", "CI009", "CI24", 6);  // an "H" row, no "V" row
  ASSERT_NE(id, 0);
  auto lineOf = [](int grilleId) {
    try {
      Arch::ReadGrilleHub(grilleId, "TEST", 11, 12);
    } catch (const CTXDBException& e) {
      EXPECT_EQ(e.file, CString("TEST"));
      return e.line;
    }
    return 0;
  };
  EXPECT_EQ(lineOf(id), 12);
  EXPECT_EQ(lineOf(999999), 11);
}

TEST_F(ArchutilTest, AGrilleWithoutBarsDrawsNothing)
{
  std::unique_ptr<CUnit> unit = Make("AR", "BA011");
  CVRX2DEntityArray out;
  dynamic_cast<CARBasic&>(*unit).BuildBarGrille(999999, out);
  EXPECT_EQ(out.GetSize(), 0);
}

}  // namespace
