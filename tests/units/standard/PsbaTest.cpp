// Guards the fixed and venting panel rows "PSBA016" and "FGBA015": their start at the lowest size,
// the members each letter pair takes, the refusal of impossible neighbours and letters, the
// one-, two- and three-line elevations with their joint lines, the plan section, sizing by
// dragging, and storing in a project.
#include <memory>

#include "StdTestUtil.h"
#include "geometry/2dvector.h"
#include "model/OddCatalogue.h"
#include "model/Plansect.h"
#include "model/Unitutil.h"
#include "units/standard/Fgba.h"
#include "units/standard/Psba.h"

namespace {

using Codes_t = std::vector<std::string>;

class PsbaTest : public StandardUnitTest
{};

TEST_F(PsbaTest, StartsAtTheLowestThenNarrowestSizeWithOneFixedPanel)
{
  BOOL exists = FALSE;
  EXPECT_EQ(MakeUnit("PS", "BA016", &exists), nullptr);
  EXPECT_TRUE(exists);
  auto unit = Make<CPSBasic>("PS", "BA016");
  ASSERT_TRUE(unit);
  EXPECT_EQ(unit->GetSizeCode(), "PS3068");  // not PS12068, the first size code
  EXPECT_EQ(unit->GetOperatingChoice(), "F");
  EXPECT_EQ(unit->GetSizeText(2), "PS3068:36x80");
  const CComponentGroups& g = unit->GetComponentGroups();
  EXPECT_EQ((std::vector<int>{g.BottomGroupIndex, g.RightGroupIndex, g.TopGroupIndex, g.LeftGroupIndex,
                              g.InteriorGroupIndex}),
            (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(Codes(*unit), (Codes_t{"BL", "CD", "AI", "CD"}));
  unit->SetOperatingChoice("V");
  EXPECT_EQ(Codes(*unit), (Codes_t{"BI", "AM", "AF", "AM"}));

  CVRX2DEntityArray out;
  unit->GetElevationEntities(3, TRUE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 12);  // no joint line and no operating symbol
  EXPECT_EQ(Lines(out, 0, 4, 35), Rectangle(0, 0, 35.5, 79.5));
  EXPECT_EQ(Lines(out, 4, 4, 36), Rectangle(2.75, 2.75, 32.75, 76.75));
  EXPECT_EQ(Lines(out, 8, 4, 36), Rectangle(3.25, 3.25, 32.25, 76.25));

  CPlanSectionUnitDimensions dimensions;
  dimensions.m_dPlanWidth = 35.5;
  ExpectPlanSection(*unit, dimensions);
}

TEST_F(PsbaTest, TwoPanelsLieWhereTheGliderHasThem)
{
  auto unit = Make<CPSBasic>("PS", "BA016");
  unit->SetSizeCode("PS5068");
  unit->SetOperatingChoice("VF");
  EXPECT_EQ(Codes(*unit), (Codes_t{"BI", "BL", "AS", "AI", "AF", "AM", "BS"}));
  EXPECT_EQ(Kinds(*unit), (Codes_t{"P", "P", "P", "P", "P", "P", "I"}));
  EXPECT_EQ(Ends(*unit), (std::vector<Line>{{0, 0, 29.75, 0},
                                            {29.75, 0, 59.5, 0},
                                            {59.5, 0, 59.5, 79.5},
                                            {59.5, 79.5, 29.75, 79.5},
                                            {29.75, 79.5, 0, 79.5},
                                            {0, 79.5, 0, 0},
                                            {29.75, 0, 29.75, 79.5}}));
  EXPECT_EQ(HandlePoints(*unit), (std::vector<Line>{{0, 0, 15}, {59.5, 0, 15}, {59.5, 79.5, 15}, {0, 79.5, 15}}));

  CVRX2DEntityArray out;
  unit->GetElevationEntities(1, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 5);
  EXPECT_EQ(Lines(out, 4, 1, 35), (std::vector<Line>{{29.75, 0, 29.75, 79.5}}));  // on the joint itself

  unit->GetElevationEntities(3, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 17);
  EXPECT_EQ(Lines(out, 0, 4, 35), Rectangle(0, 0, 59.5, 79.5));
  // Two or three sets: on the venting side, spanning line 3 when three are drawn.
  EXPECT_EQ(Lines(out, 4, 1, 35), (std::vector<Line>{{29.25, 3.25, 29.25, 76.875}}));
  std::vector<Line> panels = Rectangle(2.75, 2.75, 28.5, 76.75);
  for (const Line& line : Rectangle(31.0, 2.125, 57.375, 77.375))
    panels.push_back(line);
  EXPECT_EQ(Lines(out, 5, 8, 36), panels);
  EXPECT_EQ(Lines(out, 13, 4, 36), Rectangle(3.25, 3.25, 56.875, 76.875));

  CPlanSectionUnitDimensions dimensions;
  dimensions.m_dPanelPositions[0] = 29.75;
  dimensions.m_nPanelKinds[0] = CPlanSectionUnitDimensions::pkSlidingPlusY;
  dimensions.m_nPanelKinds[1] = CPlanSectionUnitDimensions::pkSlidingMinusY;
  dimensions.m_dPlanWidth = 59.5;
  dimensions.m_nPanelCount = 2;
  ExpectPlanSection(*unit, dimensions);
}

TEST_F(PsbaTest, ThreePanelsTakeOneJointOfEachKind)
{
  auto unit = Make<CPSBasic>("PS", "BA016");
  unit->SetSizeCode("PS9068");
  unit->SetOperatingChoice("FVF");
  const Codes_t codes = Codes(*unit);
  ASSERT_EQ(codes.size(), 10u);
  EXPECT_EQ(codes[0], "BL");
  EXPECT_EQ(codes[1], "BI");
  EXPECT_EQ(codes[3], "AS");
  EXPECT_EQ(codes[7], "AS");
  EXPECT_EQ(codes[8], "BD");
  EXPECT_EQ(codes[9], "BS");
  const double j1 = unit->GetSizeValue(1), j2 = unit->GetSizeValue(2);
  CVRX2DEntityArray out;
  unit->GetElevationEntities(2, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 4 + 2 + 12);
  EXPECT_EQ(Lines(out, 4, 2, 35), (std::vector<Line>{{j1 + 0.5, 0, j1 + 0.5, 79.5}, {j2 - 0.5, 0, j2 - 0.5, 79.5}}));
}

// Letters the catalogue never offers, brought in by an odd catalogue.
TEST_F(PsbaTest, ImpossibleNeighboursAndLettersAreRefusedWhereTheyAreMet)
{
  COddCatalogue data;
  for (const char* code : {"F", "FF", "VV", "VX", "XV"})
    data.AddRow("OPERCHOI", {"PS", "BA016", "PS5068", code, "0", "0", "0", "0"});
  data.Use();
  auto unit = Make<CPSBasic>("PS", "BA016");
  unit->SetSizeCode("PS5068");
  const struct
  {
    const char* code;
    const char* components;
    const char* plan;
  } cases[] = {{"FF", "Psba:378", ""},
               {"VV", "Psba:407", ""},
               {"VX", "Psba:407", "Psba:150"},
               {"XV", "Psba:415", "Psba:150"},
               {"F", "Psba:378", "Psba:150"}};  // no letter past the code's end
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    unit->SetOperatingChoice(c.code);
    EXPECT_EQ(RefusalOf([&] { unit->GetSizedComponents(); }), c.components);
    EXPECT_EQ(RefusalOf([&] { unit->GetSizedComponents(); }), c.components);  // nothing half-built was kept
    CVRX2DEntityArray out;
    EXPECT_EQ(RefusalOf([&] {
                CPlanSectionSwitches switches;
                unit->GetPlanSectionEntities(0.0, switches, CPlanSectionPreferences(), out);
              }),
              c.plan);
  }
}

TEST_F(PsbaTest, ACornerDragMovesToTheNearestSizeAndItsPanels)
{
  auto unit = Make<CPSBasic>("PS", "BA016");
  EXPECT_EQ(unit->ConformProposedSize(2, CVRX2DVector(36, 0)), CUnit::inboundsChanged);
  EXPECT_EQ(unit->GetSizeText(2), "PS6068:72x80");
  EXPECT_EQ(unit->SetSizeToProposed(), CVRX2DVector(0, 0));
  EXPECT_EQ(unit->GetPanelCount(), 2);
  EXPECT_EQ(unit->GetComponentGroups().InteriorGroupIndex, 6);
  EXPECT_EQ(Codes(*unit).size(), 7u);
  EXPECT_EQ(unit->ConformProposedSize(0, CVRX2DVector(0, -16)), CUnit::inboundsChanged);
  EXPECT_EQ(unit->SetSizeToProposed(), CVRX2DVector(0, -16));
  EXPECT_EQ(unit->GetSizeCode(), "PS6080");
}

TEST_F(PsbaTest, StoredAndReloadedEqualAndAssignmentKeepsItsClass)
{
  auto unit = Make<CPSBasic>("PS", "BA016");
  unit->SetSizeCode("PS16068");
  unit->SetOperatingChoice("VFVF");
  std::unique_ptr<CUnit> read = StoreAndReload(*unit);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->GetAttributes(), "PS,BA016,0,PS16068,VFVF");
  ExpectSameDrawings(*unit, *read);
  EXPECT_EQ(static_cast<CPSBasic&>(*read).GetComponentGroups().InteriorGroupIndex, 10);

  std::unique_ptr<CUnit> clone(unit->Clone());
  ExpectSameDrawings(*unit, *clone);
  auto target = Make<CPSBasic>("PS", "BA016");
  *target = *unit;
  EXPECT_EQ(target->GetComponentGroups().TopGroupIndex, 5);
  ExpectSameDrawings(*unit, *target);
  auto other = Make<CFGBasic>("FG", "BA015");
  EXPECT_EQ(RefusalOf([&] { static_cast<CUnit&>(*target) = *other; }), "Psba:116");
  EXPECT_EQ(RefusalOf([&] { static_cast<CUnit&>(*other) = *target; }), "Fgba:110");
  EXPECT_EQ(target->GetSizeCode(), "PS16068");
}

class FgbaTest : public StandardUnitTest
{};

TEST_F(FgbaTest, AFixedPanelKeepsItsJambsAloneAndVentingPanelsMayMeet)
{
  auto unit = Make<CFGBasic>("FG", "BA015");
  ASSERT_TRUE(unit);
  EXPECT_EQ(unit->GetSizeCode(), "FG2020");
  EXPECT_EQ(Codes(*unit), (Codes_t{"BL", "AS", "AI", "AS"}));
  unit->SetSizeCode("FG4030");
  unit->SetOperatingChoice("VV");
  EXPECT_EQ(Codes(*unit), (Codes_t{"BI", "BI", "AM", "AF", "AF", "AM", "BB"}));
  CVRX2DEntityArray out;
  for (int lines : {1, 2, 3}) {
    unit->GetElevationEntities(lines, FALSE, FALSE, out);
    EXPECT_EQ(Lines(out, 4, 1, 35)[0][0], 23.75) << lines;  // exactly on the joint
  }
  unit->SetOperatingChoice("FV");
  unit->GetElevationEntities(2, FALSE, FALSE, out);
  EXPECT_EQ(Lines(out, 4, 1, 35)[0][0], 24.25);
}

TEST_F(FgbaTest, ImpossibleNeighboursAndLettersAreRefusedWhereTheyAreMet)
{
  COddCatalogue data;
  for (const char* code : {"FF", "VX", "XV", "V"})
    data.AddRow("OPERCHOI", {"FG", "BA015", "FG4030", code, "0", "0", "0", "0"});
  data.Use();
  auto unit = Make<CFGBasic>("FG", "BA015");
  unit->SetSizeCode("FG4030");
  const struct
  {
    const char* code;
    const char* components;
    const char* plan;
  } cases[] = {{"FF", "Fgba:326", ""},
               {"VX", "Fgba:357", "Fgba:144"},
               {"XV", "Fgba:360", "Fgba:144"},
               {"V", "Fgba:357", "Fgba:144"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    unit->SetOperatingChoice(c.code);
    EXPECT_EQ(RefusalOf([&] { unit->GetSizedComponents(); }), c.components);
    CVRX2DEntityArray out;
    EXPECT_EQ(RefusalOf([&] {
                CPlanSectionSwitches switches;
                unit->GetPlanSectionEntities(0.0, switches, CPlanSectionPreferences(), out);
              }),
              c.plan);
    EXPECT_EQ(out.GetSize() == 0, *c.plan != '\0');  // a refused section puts nothing out
  }
}

TEST_F(FgbaTest, StoredAndReloadedEqual)
{
  auto unit = Make<CFGBasic>("FG", "BA015");
  unit->SetSizeCode("FG8050");
  unit->SetOperatingChoice("VVF");
  ASSERT_TRUE(unit->SetOptionChoice(36, 2));
  std::unique_ptr<CUnit> read = StoreAndReload(*unit);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->GetAttributes(), unit->GetAttributes());
  ExpectSameDrawings(*unit, *read);
  CVRX2DEntityArray out;
  unit->GetElevationEntities(2, TRUE, TRUE, out);
  EXPECT_EQ(CountOfCategory(out, 48), 6);  // a vertical bar in each panel, the horizontal one cut per panel
}

}  // namespace
