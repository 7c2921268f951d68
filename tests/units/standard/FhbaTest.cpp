// Guards the hinged door "FHBA014": the jamb and joint members each operating code chooses, the
// refusal of codes whose members do not close the frame, the plan-section leaf kinds, the joint
// lines and edges of the elevations, the leaf symbols, sizing across panel counts and storing.
#include <memory>

#include "StdTestUtil.h"
#include "geometry/2dvector.h"
#include "model/OddCatalogue.h"
#include "model/Plansect.h"
#include "model/Unitutil.h"
#include "units/standard/Fhba.h"
#include "units/standard/Psba.h"

namespace {

using Codes_t = std::vector<std::string>;

class FhbaTest : public StandardUnitTest
{
protected:
  std::unique_ptr<CFHBasic> MakeAt(const char* size, const char* code)
  {
    auto unit = Make<CFHBasic>("FH", "BA014");
    unit->SetSizeCode(size);
    unit->SetOperatingChoice(code);
    return unit;
  }
  static std::vector<int> Groups(const CFHBasic& unit)
  {
    const CComponentGroups& g = unit.GetComponentGroups();
    return {g.BottomGroupIndex, g.RightGroupIndex, g.TopGroupIndex, g.LeftGroupIndex, g.InteriorGroupIndex};
  }
};

TEST_F(FhbaTest, OnePanelTakesTheJambsOfItsLeafSide)
{
  BOOL exists = FALSE;
  EXPECT_EQ(MakeUnit("FH", "BA014", &exists), nullptr);
  EXPECT_TRUE(exists);
  auto unit = Make<CFHBasic>("FH", "BA014");
  ASSERT_TRUE(unit);
  EXPECT_EQ(unit->GetSizeCode(), "FH3068");
  EXPECT_EQ(unit->GetOperatingChoice(), "AL");
  EXPECT_EQ(Groups(*unit), (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(Codes(*unit), (Codes_t{"BI", "AO", "AF", "AN"}));
  EXPECT_EQ(HandlePoints(*unit), (std::vector<Line>{{0, 0, 15}, {35.5, 0, 15}, {35.5, 79.5, 15}, {0, 79.5, 15}}));
  CPlanSectionUnitDimensions dimensions;
  dimensions.m_nPanelKinds[0] = CPlanSectionUnitDimensions::pkHinged0To90;
  dimensions.m_dPlanWidth = 35.5;
  ExpectPlanSection(*unit, dimensions);

  unit->SetOperatingChoice("AR");
  EXPECT_EQ(Codes(*unit), (Codes_t{"BI", "AN", "AF", "AO"}));
  dimensions.m_nPanelKinds[0] = CPlanSectionUnitDimensions::pkHinged90To180;
  ExpectPlanSection(*unit, dimensions);
}

TEST_F(FhbaTest, TwoPanelCodesChooseTheirJointsAndKinds)
{
  const struct
  {
    const char* code;
    Codes_t codes;
    int kinds[2];
  } cases[] = {{"AP", {"BY", "BK", "AR", "AH", "BX", "AN", "BT"}, {3, 4}},
               {"PA", {"BK", "BY", "AN", "BX", "AH", "AR", "AB"}, {3, 4}},
               {"SAL", {"BL", "BI", "AO", "AF", "AI", "AS", "AC"}, {0, 3}},
               {"ASR", {"BI", "BL", "AS", "AI", "AF", "AO", "BU"}, {4, 0}},
               {"SS", {"BL", "BL", "AS", "AI", "AI", "AS", "AD"}, {0, 0}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    auto unit = MakeAt("FH5068", c.code);
    EXPECT_EQ(Groups(*unit), (std::vector<int>{0, 2, 3, 5, 6}));
    EXPECT_EQ(Codes(*unit), c.codes);
    EXPECT_EQ(Kinds(*unit).back(), "I");
    EXPECT_EQ(Ends(*unit).back(), (Line{29.75, 0, 29.75, 79.5}));
    CPlanSectionUnitDimensions dimensions;
    dimensions.m_dPanelPositions[0] = 29.75;
    dimensions.m_nPanelKinds[0] = c.kinds[0];
    dimensions.m_nPanelKinds[1] = c.kinds[1];
    dimensions.m_dPlanWidth = 59.5;
    dimensions.m_nPanelCount = 2;
    ExpectPlanSection(*unit, dimensions);
  }
}

TEST_F(FhbaTest, ThreePanelCodesPutEachJointAtItsOwnPosition)
{
  const struct
  {
    const char* code;
    const char* joints[2];
    const char* right;
  } cases[] = {{"SSAL", {"CB", "CB"}, "AO"},
               {"SASL", {"CB", "AA"}, "AS"},
               {"SASR", {"CC", "CA"}, "AS"},
               {"SSS", {"BZ", "BZ"}, "AS"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    auto unit = MakeAt("FH9068", c.code);
    EXPECT_EQ(Groups(*unit), (std::vector<int>{0, 3, 4, 7, 8}));
    const Codes_t codes = Codes(*unit);
    ASSERT_EQ(codes.size(), 10u);
    EXPECT_EQ(codes[8], c.joints[0]);
    EXPECT_EQ(codes[9], c.joints[1]);
    EXPECT_EQ(codes[3], c.right);
    const std::vector<Line> ends = Ends(*unit);
    EXPECT_EQ(ends[8][0], unit->GetSizeValue(1));
    EXPECT_EQ(ends[9][0], unit->GetSizeValue(2));
  }
}

// Codes the catalogue never offers, brought in by an odd catalogue.
TEST_F(FhbaTest, CodesWhoseMembersDoNotCloseTheFrameAreRefused)
{
  COddCatalogue data;
  for (const char* code : {"A", "XL", "P"})
    data.AddRow("OPERCHOI", {"FH", "BA014", "FH3068", code, "0", "0", "0", "0"});
  for (const char* code : {"SA", "SAR", "APSL"})
    data.AddRow("OPERCHOI", {"FH", "BA014", "FH5068", code, "0", "0", "0", "0"});
  for (const char* code : {"ASSR", "APA"})
    data.AddRow("OPERCHOI", {"FH", "BA014", "FH9068", code, "0", "0", "0", "0"});
  data.Use();
  const struct
  {
    const char* size;
    const char* code;
    const char* components;
    const char* plan;
  } cases[] = {{"FH3068", "A", "Fhba:430", "Fhba:129"}, {"FH3068", "XL", "Fhba:561", ""},
               {"FH3068", "P", "Fhba:566", ""},         {"FH5068", "SA", "Fhba:558", "Fhba:136"},
               {"FH5068", "SAR", "Fhba:558", ""},       {"FH5068", "APSL", "Fhba:566", ""},
               {"FH9068", "ASSR", "Fhba:476", ""},      {"FH9068", "APA", "Fhba:501", ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    auto unit = MakeAt(c.size, c.code);
    EXPECT_EQ(RefusalOf([&] { unit->GetSizedComponents(); }), c.components);
    EXPECT_EQ(RefusalOf([&] { unit->GetSizedComponents(); }), c.components);
    CVRX2DEntityArray out;
    EXPECT_EQ(RefusalOf([&] {
                CPlanSectionSwitches switches;
                unit->GetPlanSectionEntities(0.0, switches, CPlanSectionPreferences(), out);
              }),
              c.plan);
    if (*c.plan) {
      EXPECT_EQ(out.GetSize(), 0);
    }
  }
  // The section needs no member: a leaf on the right of a panel swings the other way.
  auto unit = MakeAt("FH5068", "SAR");
  CPlanSectionUnitDimensions dimensions;
  dimensions.m_dPanelPositions[0] = 29.75;
  dimensions.m_nPanelKinds[1] = CPlanSectionUnitDimensions::pkHinged90To180;
  dimensions.m_dPlanWidth = 59.5;
  dimensions.m_nPanelCount = 2;
  ExpectPlanSection(*unit, dimensions);
}

TEST_F(FhbaTest, JointsAreOneLineAloneAndTwoEdgesWithMoreLineSets)
{
  auto unit = MakeAt("FH5068", "SAL");
  CVRX2DEntityArray out;
  unit->GetElevationEntities(1, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 5);
  EXPECT_EQ(Lines(out, 0, 4, 35), Rectangle(0, 0, 59.5, 79.5));
  EXPECT_EQ(Lines(out, 4, 1, 35), (std::vector<Line>{{29.75, 0, 29.75, 79.5}}));

  unit->GetElevationEntities(2, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 4 + 2 + 8);
  EXPECT_EQ(Lines(out, 4, 2, 36), (std::vector<Line>{{28, 0, 28, 79.5}, {31.5, 0, 31.5, 79.5}}));
  std::vector<Line> panels = Rectangle(2.125, 2.125, 28.5, 77.375);
  for (const Line& line : Rectangle(31.0, 2.75, 56.75, 76.75))
    panels.push_back(line);
  EXPECT_EQ(Lines(out, 6, 8, 36), panels);

  unit->GetElevationEntities(3, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 4 + 2 + 8 + 8);
  EXPECT_EQ(Lines(out, 4, 2, 36), (std::vector<Line>{{28, 2.625, 28, 76.875}, {31.5, 3.25, 31.5, 76.25}}));
  panels = Rectangle(2.625, 2.625, 28.0, 76.875);
  for (const Line& line : Rectangle(31.5, 3.25, 56.25, 76.25))
    panels.push_back(line);
  EXPECT_EQ(Lines(out, 14, 8, 36), panels);
}

TEST_F(FhbaTest, LeafSymbolsMeetAtTheSideTheCodeGives)
{
  auto unit = MakeAt("FH5068", "SAL");
  CVRX2DEntityArray out;
  unit->GetElevationEntities(1, TRUE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 7);
  EXPECT_EQ(Lines(out, 5, 2, 40), (std::vector<Line>{{58.125, 1.375, 29.75, 39.75}, {29.75, 39.75, 58.125, 78.125}}));
  unit->GetElevationEntities(2, TRUE, FALSE, out);
  EXPECT_EQ(Lines(out, out.GetSize() - 2, 2, 40),
            (std::vector<Line>{{58.125, 1.375, 31.5, 39.75}, {31.5, 39.75, 58.125, 78.125}}));

  unit->SetOperatingChoice("ASR");  // the panel before the last meets right
  unit->GetElevationEntities(1, TRUE, FALSE, out);
  ASSERT_EQ(CountOfCategory(out, 40), 2);
  EXPECT_EQ(Lines(out, 5, 2, 40), (std::vector<Line>{{1.375, 1.375, 29.75, 39.75}, {29.75, 39.75, 1.375, 78.125}}));
  unit->SetOperatingChoice("AP");  // a pair meets at the outer sides
  unit->GetElevationEntities(1, TRUE, FALSE, out);
  const std::vector<Line> symbols = Lines(out, 5, 4, 40);
  ASSERT_EQ(symbols.size(), 4u);
  EXPECT_EQ(symbols[0], (Line{29.75, 1.375, 1.375, 39.75}));
  EXPECT_EQ(symbols[2], (Line{29.75, 1.375, 58.125, 39.75}));
  unit->SetOperatingChoice("SS");
  unit->GetElevationEntities(3, TRUE, FALSE, out);
  EXPECT_EQ(CountOfCategory(out, 40), 0);
}

TEST_F(FhbaTest, SizingToAnotherPanelCountRebuildsItsGroups)
{
  auto unit = Make<CFHBasic>("FH", "BA014");
  EXPECT_EQ(unit->ConformProposedSize(1, CVRX2DVector(24, 0)), CUnit::inboundsChanged);
  EXPECT_EQ(unit->SetSizeToProposed(), CVRX2DVector(0, 0));
  EXPECT_EQ(unit->GetSizeCode(), "FH5068");
  EXPECT_EQ(unit->GetOperatingChoice(), "AP");  // the next code after AL that the size offers
  EXPECT_EQ(Groups(*unit), (std::vector<int>{0, 2, 3, 5, 6}));
  EXPECT_EQ(Codes(*unit).size(), 7u);
  EXPECT_EQ(HandlePoints(*unit)[2], (Line{59.5, 79.5, 15}));
}

TEST_F(FhbaTest, StoredAndReloadedEqualAndAssignmentKeepsItsClass)
{
  auto unit = MakeAt("FH9080", "SASR");
  ASSERT_TRUE(unit->SetOptionChoice(36, 2));
  std::unique_ptr<CUnit> read = StoreAndReload(*unit);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->GetAttributes(), "FH,BA014,1,36:2,FH9080,SASR");
  ExpectSameDrawings(*unit, *read);
  std::unique_ptr<CUnit> clone(unit->Clone());
  ExpectSameDrawings(*unit, *clone);
  auto target = Make<CFHBasic>("FH", "BA014");
  *target = *unit;
  EXPECT_EQ(Groups(*target), (std::vector<int>{0, 3, 4, 7, 8}));
  auto other = Make<CPSBasic>("PS", "BA016");
  EXPECT_EQ(RefusalOf([&] { static_cast<CUnit&>(*target) = *other; }), "Fhba:97");
  EXPECT_EQ(target->GetOperatingChoice(), "SASR");
}

}  // namespace
