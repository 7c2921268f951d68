// Guards the casement lines "CABA001" and "CAPI001": members chosen by stationary or opening
// letters without refusal, symbols that follow each panel's own letter (none for a missing one),
// joint lines of the one-line frame, plan sections of fixed panels, the picture's two codes, and
// grilles and operation marks drawn on the elevation only when asked for.
#include <memory>

#include "StdTestUtil.h"
#include "geometry/2dvector.h"
#include "model/Entcat.h"
#include "model/OddCatalogue.h"
#include "model/Plansect.h"
#include "model/Unitutil.h"
#include "productdb/Optcats.h"
#include "units/standard/Caba.h"
#include "units/standard/Capi.h"

namespace {

using Codes_t = std::vector<std::string>;

class CabaTest : public StandardUnitTest
{};

TEST_F(CabaTest, OnePanelOpensOrStands)
{
  BOOL exists = FALSE;
  EXPECT_EQ(MakeUnit("CA", "BA001", &exists), nullptr);
  EXPECT_TRUE(exists);
  auto unit = Make<CCABasic>("CA", "BA001");
  ASSERT_TRUE(unit);
  EXPECT_EQ(unit->GetSizeCode(), "CA2030");
  EXPECT_EQ(unit->GetOperatingChoice(), "L");
  EXPECT_EQ(Codes(*unit), (Codes_t{"BM", "AT", "AJ", "AT"}));
  CVRX2DEntityArray out;
  unit->GetElevationEntities(1, TRUE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 6);
  EXPECT_EQ(Lines(out, 0, 4, 46), Rectangle(0, 0, 23.5, 35.5));
  EXPECT_EQ(Lines(out, 4, 2, 51), (std::vector<Line>{{22.125, 1.375, 1.375, 17.75}, {1.375, 17.75, 22.125, 34.125}}));
  unit->GetElevationEntities(2, TRUE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 10);
  EXPECT_EQ(Lines(out, 4, 4, 47), Rectangle(2.75, 2.75, 20.75, 32.75));
  EXPECT_EQ(Lines(out, 8, 2, 51), (std::vector<Line>{{20.75, 2.75, 2.75, 17.75}, {2.75, 17.75, 20.75, 32.75}}));
  unit->SetOperatingChoice("R");
  unit->GetElevationEntities(1, TRUE, FALSE, out);
  EXPECT_EQ(Lines(out, 4, 2, 51), (std::vector<Line>{{1.375, 1.375, 22.125, 17.75}, {22.125, 17.75, 1.375, 34.125}}));
  unit->SetOperatingChoice("S");
  EXPECT_EQ(Codes(*unit), (Codes_t{"BL", "AS", "AI", "AS"}));
  unit->GetElevationEntities(3, TRUE, FALSE, out);
  EXPECT_EQ(out.GetSize(), 12);
  EXPECT_EQ(CountOfCategory(out, 51), 0);
}

TEST_F(CabaTest, JointsFollowTheLettersOnEitherSide)
{
  auto unit = Make<CCABasic>("CA", "BA001");
  unit->SetSizeCode("CA4030");
  const struct
  {
    const char* code;
    Codes_t codes;
    int symbols;
  } cases[] = {{"LS", {"BM", "BL", "AS", "AI", "AJ", "AT", "BG"}, 2},
               {"SR", {"BL", "BM", "AT", "AJ", "AI", "AS", "BF"}, 2},
               {"RL", {"BM", "BM", "AT", "AJ", "AJ", "AT", "BH"}, 4},
               {"SS", {"BL", "BL", "AS", "AI", "AI", "AS", "BE"}, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    unit->SetOperatingChoice(c.code);
    EXPECT_EQ(Codes(*unit), c.codes);
    CVRX2DEntityArray out;
    unit->GetElevationEntities(2, TRUE, FALSE, out);
    EXPECT_EQ(CountOfCategory(out, 51), c.symbols);
  }
  unit->SetOperatingChoice("RL");
  CVRX2DEntityArray out;
  unit->GetElevationEntities(1, TRUE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 9);
  EXPECT_EQ(Lines(out, 4, 1, 46), (std::vector<Line>{{23.75, 0, 23.75, 35.5}}));
  // Panel 1 meets right at the joint, panel 2 meets left at it.
  EXPECT_EQ(Lines(out, 5, 4, 51), (std::vector<Line>{{1.375, 1.375, 23.75, 17.75},
                                                     {23.75, 17.75, 1.375, 34.125},
                                                     {46.125, 1.375, 23.75, 17.75},
                                                     {23.75, 17.75, 46.125, 34.125}}));
  unit->GetElevationEntities(2, TRUE, FALSE, out);
  EXPECT_EQ(Lines(out, 4, 1, 46).size(), 1u);
  EXPECT_EQ(Lines(out, 5, 8, 47), [] {
    std::vector<Line> panels = Rectangle(2.75, 2.75, 22.5, 32.75);
    for (const Line& line : Rectangle(25.0, 2.75, 44.75, 32.75))
      panels.push_back(line);
    return panels;
  }());
  EXPECT_EQ(Lines(out, 13, 2, 51)[0], (Line{2.75, 2.75, 22.5, 17.75}));
  unit->GetElevationEntities(3, FALSE, FALSE, out);
  EXPECT_EQ(out.GetSize(), 4 + 8 + 8);  // no joint line in the frame of three line sets
  EXPECT_EQ(CountOfCategory(out, 46), 4);

  CPlanSectionUnitDimensions dimensions;
  dimensions.m_dPanelPositions[0] = 23.75;
  dimensions.m_dPlanWidth = 47.5;
  dimensions.m_nPanelCount = 2;
  ExpectPlanSection(*unit, dimensions);
}

// A letter past the end of the code is no letter: an opening panel's members and no symbol.
TEST_F(CabaTest, UnexpectedAndMissingLettersOpenWithoutASymbol)
{
  COddCatalogue data;
  data.AddRow("OPERCHOI", {"CA", "BA001", "CA4030", "7S", "0", "0", "0", "0"});
  data.AddRow("OPERCHOI", {"CA", "BA001", "CA6040", "L", "0", "0", "0", "0"});
  data.Use();
  auto unit = Make<CCABasic>("CA", "BA001");
  unit->SetSizeCode("CA4030");
  unit->SetOperatingChoice("7S");
  EXPECT_EQ(Codes(*unit), (Codes_t{"BM", "BL", "AS", "AI", "AJ", "AT", "BG"}));
  CVRX2DEntityArray out;
  unit->GetElevationEntities(3, TRUE, FALSE, out);
  EXPECT_EQ(CountOfCategory(out, 51), 0);
  unit->SetSizeCode("CA6040");
  unit->SetOperatingChoice("L");
  EXPECT_EQ(Codes(*unit), (Codes_t{"BM", "BM", "BM", "AT", "AJ", "AJ", "AJ", "AT", "BH", "BH"}));
  unit->GetElevationEntities(1, TRUE, FALSE, out);
  EXPECT_EQ(CountOfCategory(out, 51), 2);  // the first panel's only
}

TEST_F(CabaTest, SizedStoredAndAssigned)
{
  auto unit = Make<CCABasic>("CA", "BA001");
  EXPECT_EQ(unit->ConformProposedSize(2, CVRX2DVector(24, 0)), CUnit::inboundsChanged);
  unit->SetSizeToProposed();
  EXPECT_EQ(unit->GetSizeCode(), "CA4030");
  EXPECT_EQ(unit->GetComponentGroups().InteriorGroupIndex, 6);
  EXPECT_EQ(unit->GetOperatingChoice(), "LR");
  std::unique_ptr<CUnit> read = StoreAndReload(*unit);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->GetAttributes(), "CA,BA001,0,CA4030,LR");
  ExpectSameDrawings(*unit, *read);
  auto picture = Make<CCAPicture>("CA", "PI001");
  EXPECT_EQ(RefusalOf([&] { static_cast<CUnit&>(*unit) = *picture; }), "Caba:84");
  EXPECT_EQ(RefusalOf([&] { static_cast<CUnit&>(*picture) = *unit; }), "Capi:78");
  auto target = Make<CCABasic>("CA", "BA001");
  *target = *unit;
  ExpectSameDrawings(*unit, *target);
  EXPECT_EQ(target->GetComponentGroups().TopGroupIndex, 3);
}

class CapiTest : public StandardUnitTest
{};

TEST_F(CapiTest, TheCodeChoosesTheFrameAndNothingOpens)
{
  BOOL exists = FALSE;
  EXPECT_EQ(MakeUnit("CA", "PI001", &exists), nullptr);
  EXPECT_TRUE(exists);
  auto unit = Make<CCAPicture>("CA", "PI001");
  ASSERT_TRUE(unit);
  EXPECT_EQ(unit->GetSizeCode(), "CP2020");
  EXPECT_EQ(unit->GetOperatingChoice(), "F");
  EXPECT_EQ(Codes(*unit), (Codes_t{"BJ", "AP", "AG", "AP"}));
  EXPECT_EQ(Ends(*unit),
            (std::vector<Line>{{0, 0, 23.5, 0}, {23.5, 0, 23.5, 23.5}, {23.5, 23.5, 0, 23.5}, {0, 23.5, 0, 0}}));
  EXPECT_EQ(HandlePoints(*unit), (std::vector<Line>{{0, 0, 15}, {23.5, 0, 15}, {23.5, 23.5, 15}, {0, 23.5, 15}}));
  unit->SetOperatingChoice("S");
  EXPECT_EQ(Codes(*unit), (Codes_t{"BL", "AS", "AI", "AS"}));
  CVRX2DEntityArray out;
  unit->GetElevationEntities(3, TRUE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 12);
  EXPECT_EQ(Lines(out, 0, 4, 46), Rectangle(0, 0, 23.5, 23.5));
  EXPECT_EQ(Lines(out, 4, 4, 47), Rectangle(2.125, 2.125, 21.375, 21.375));
  EXPECT_EQ(Lines(out, 8, 4, 47), Rectangle(2.625, 2.625, 20.875, 20.875));
  CPlanSectionUnitDimensions dimensions;
  dimensions.m_dPlanWidth = 23.5;
  ExpectPlanSection(*unit, dimensions);
}

TEST_F(CapiTest, OtherCodesAreRefusedAndStoringKeepsTheCode)
{
  COddCatalogue data;
  for (const char* code : {"f", "FS"})
    data.AddRow("OPERCHOI", {"CA", "PI001", "CP3030", code, "0", "0", "0", "0"});
  data.Use();
  auto unit = Make<CCAPicture>("CA", "PI001");
  unit->SetSizeCode("CP3030");
  for (const char* code : {"f", "FS"}) {
    unit->SetOperatingChoice(code);
    EXPECT_EQ(RefusalOf([&] { unit->GetSizedComponents(); }), "Capi:256") << code;
  }
  unit->SetOperatingChoice("S");
  std::unique_ptr<CUnit> read = StoreAndReload(*unit);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->GetAttributes(), "CA,PI001,0,CP3030,S");
  ExpectSameDrawings(*unit, *read);
}

// The lines of the category, wherever they stand in the drawing.
std::vector<Line> LinesOfCategory(const CVRX2DEntityArray& out, int category)
{
  std::vector<Line> lines;
  for (int i = 0; i < out.GetSize(); ++i)
    if (out[i]->GetCategory() == category)
      lines.push_back(Lines(out, i, 1, category).front());
  return lines;
}

// The casement drawn with the catalogue's pattern grille chosen: at its smallest size that is one
// bar up and one across, each spanning the glass of the two-line drawing. Grilles and operation
// marks are drawn in every line set when asked for, only then, and each without the other.
TEST_F(CabaTest, OperationMarksAndGrillesAreDrawnOnlyWhenAskedFor)
{
  constexpr int kPatternGrille = 2;
  auto unit = Make<CCABasic>("CA", "BA001");
  ASSERT_TRUE(unit);
  ASSERT_EQ(unit->GetSizeCode(), "CA2030");
  ASSERT_TRUE(unit->SetOptionChoice(kGrilleTypeCategory, kPatternGrille));
  const std::vector<Line> bars{{11.75, 2.75, 11.75, 32.75}, {2.75, 17.75, 20.75, 17.75}};
  for (int lines = 1; lines <= 3; ++lines) {
    SCOPED_TRACE(lines);
    CVRX2DEntityArray plain;
    CVRX2DEntityArray marks;
    CVRX2DEntityArray grilles;
    CVRX2DEntityArray both;
    unit->GetElevationEntities(lines, FALSE, FALSE, plain);
    unit->GetElevationEntities(lines, TRUE, FALSE, marks);
    unit->GetElevationEntities(lines, FALSE, TRUE, grilles);
    unit->GetElevationEntities(lines, TRUE, TRUE, both);
    EXPECT_TRUE(LinesOfCategory(plain, ecatWindowElevationGrilles).empty());
    EXPECT_TRUE(LinesOfCategory(plain, ecatWindowElevationOperatingSymbol).empty());
    EXPECT_TRUE(LinesOfCategory(marks, ecatWindowElevationGrilles).empty());
    EXPECT_EQ(LinesOfCategory(marks, ecatWindowElevationOperatingSymbol).size(), 2u);
    EXPECT_EQ(LinesOfCategory(grilles, ecatWindowElevationGrilles), bars);
    EXPECT_TRUE(LinesOfCategory(grilles, ecatWindowElevationOperatingSymbol).empty());
    EXPECT_EQ(grilles.GetSize(), plain.GetSize() + 2) << "the bars come on top of the drawing, nothing else";
    EXPECT_EQ(LinesOfCategory(both, ecatWindowElevationGrilles), bars);
    EXPECT_EQ(LinesOfCategory(both, ecatWindowElevationOperatingSymbol),
              LinesOfCategory(marks, ecatWindowElevationOperatingSymbol));
  }
  // Without a grille chosen none is drawn, even when asked for.
  ASSERT_TRUE(unit->SetOptionChoice(kGrilleTypeCategory, kNoGrilleChoice));
  CVRX2DEntityArray none;
  unit->GetElevationEntities(2, TRUE, TRUE, none);
  EXPECT_TRUE(LinesOfCategory(none, ecatWindowElevationGrilles).empty());
}

}  // namespace
