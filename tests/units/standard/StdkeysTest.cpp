// Guards every rectangular standard key the factory makes: made at a size of its own, sized by
// dragging its top right handle to another catalogue size, drawn within its frame in one, two and
// three line sets with operating symbols and grille bars, cut in plan, and stored and reloaded.
#include <memory>

#include "StdTestUtil.h"
#include "geometry/2drect.h"
#include "geometry/2dvector.h"
#include "model/Plansect.h"
#include "model/Stdunit.h"
#include "model/Unitutil.h"

namespace {

class StdkeysTest : public StandardUnitTest, public ::testing::WithParamInterface<const char*>
{};

TEST_P(StdkeysTest, MadeSizedDrawnCutAndStored)
{
  const CString key = GetParam();
  std::unique_ptr<CUnit> made(MakeUnit(key.Left(2), key.Mid(2)));
  auto* unit = dynamic_cast<CStandardUnit*>(made.get());
  ASSERT_NE(unit, nullptr);
  EXPECT_EQ(unit->GetType() + unit->GetSubtype(), key);

  CStdSizesRecArray sizes;
  unit->GetStandardSizes(sizes);
  ASSERT_GE(sizes.GetSize(), 2);
  const CStdSizesRec& target = *sizes[sizes.GetSize() - 1];
  ASSERT_NE(target.GetSizeCode(), unit->GetSizeCode());
  const CVRX2DVector drag(target.GetWidth() - unit->GetWidth(), target.GetHeight() - unit->GetHeight());
  EXPECT_EQ(unit->ConformProposedSize(2, drag), CUnit::inboundsChanged);
  EXPECT_EQ(unit->SetSizeToProposed(), CVRX2DVector(0, 0));  // the lower left corner stays
  EXPECT_EQ(unit->GetSizeCode(), target.GetSizeCode());
  const double w = unit->GetWidth(), h = unit->GetHeight();
  EXPECT_EQ(HandlePoints(*unit), (std::vector<Line>{{0, 0, 15}, {w, 0, 15}, {w, h, 15}, {0, h, 15}}));

  ASSERT_TRUE(unit->SetOptionChoice(36, 2));
  for (int lines = 1; lines <= 3; ++lines) {
    SCOPED_TRACE(lines);
    CVRX2DEntityArray out;
    unit->GetElevationEntities(lines, TRUE, TRUE, out);
    EXPECT_GE(out.GetSize(), 4 * lines);
    const bool door = unit->GetTypeDescription().Find("Door") >= 0;
    EXPECT_GT(CountOfCategory(out, door ? 37 : 48), 0) << "grille bars";
    const CVRX2DRectangle extents = out.GetExtents();
    EXPECT_GE(extents.GetMinPoint().GetX(), 0.0);
    EXPECT_GE(extents.GetMinPoint().GetY(), 0.0);
    EXPECT_LE(extents.GetMaxPoint().GetX(), w);
    EXPECT_LE(extents.GetMaxPoint().GetY(), h);
  }
  CVRX2DEntityArray plan;
  CPlanSectionSwitches switches;
  unit->GetPlanSectionEntities(0.0, switches, CPlanSectionPreferences(), plan);
  EXPECT_GT(plan.GetSize(), 0);

  std::unique_ptr<CUnit> read = StoreAndReload(*unit);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->GetAttributes(), unit->GetAttributes());
  ExpectSameDrawings(*unit, *read);
}

INSTANTIATE_TEST_SUITE_P(RectangularKeys, StdkeysTest,
                         ::testing::Values("GLBA005", "PSBA016", "FGBA015", "FHBA014", "CABA001", "CAPI001", "AWBA002",
                                           "AWVP002", "AWPI002", "DHKC003", "DHQV004", "DHTR003", "DHPI003"));

}  // namespace
