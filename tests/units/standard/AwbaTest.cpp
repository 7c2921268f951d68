// Guards the awning lines "AWBA002", "AWVP002" and "AWPI002": stacked panels whose letters run
// from the highest panel down, the rail of the whole code, carets on venting panels from the
// lowest up, the meeting line of every panel count, and the venting default of the basic unit,
// which looks only at the choices of its first size.
#include <memory>

#include "StdTestUtil.h"
#include "geometry/2dvector.h"
#include "model/OddCatalogue.h"
#include "model/Plansect.h"
#include "model/Unitutil.h"
#include "units/standard/AWPI.h"
#include "units/standard/AWVP.h"
#include "units/standard/Awba.h"

namespace {

using Codes_t = std::vector<std::string>;

class AwbaTest : public StandardUnitTest
{
protected:
  static std::vector<int> Groups(const CStandardAwningUnit& unit)
  {
    const CComponentGroups& g = unit.GetComponentGroups();
    return {g.BottomGroupIndex, g.RightGroupIndex, g.TopGroupIndex, g.LeftGroupIndex, g.InteriorGroupIndex};
  }
};

TEST_F(AwbaTest, TheBasicUnitStartsVentingWithACaret)
{
  for (const char* subtype : {"BA002", "VP002", "PI002"}) {
    BOOL exists = FALSE;
    EXPECT_EQ(MakeUnit("AW", subtype, &exists), nullptr);
    EXPECT_TRUE(exists) << subtype;
  }
  auto unit = Make<CAWBasic>("AW", "BA002");
  ASSERT_TRUE(unit);
  EXPECT_EQ(unit->GetSizeCode(), "AW2020");
  EXPECT_EQ(unit->GetOperatingChoice(), "V");  // the size's first choice is F
  EXPECT_EQ(Groups(*unit), (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(Codes(*unit), (Codes_t{"BM", "AT", "AJ", "AT"}));
  CVRX2DEntityArray out;
  unit->GetElevationEntities(1, TRUE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 7);
  EXPECT_EQ(Lines(out, 0, 4, 46), Rectangle(0, 0, 23.5, 23.5));
  EXPECT_EQ(Lines(out, 4, 1, 46), (std::vector<Line>{{0, 0, 23.5, 0}}));  // one panel meets at its row's value
  EXPECT_EQ(Lines(out, 5, 2, 51), (std::vector<Line>{{1.375, 1.375, 11.75, 22.125}, {11.75, 22.125, 22.125, 1.375}}));
  unit->SetOperatingChoice("F");
  EXPECT_EQ(Codes(*unit), (Codes_t{"BJ", "AP", "AG", "AP"}));
  unit->GetElevationEntities(3, TRUE, FALSE, out);
  EXPECT_EQ(out.GetSize(), 5 + 4 + 4);
  EXPECT_EQ(CountOfCategory(out, 51), 0);
  CPlanSectionUnitDimensions dimensions;
  dimensions.m_dPlanWidth = 23.5;
  ExpectPlanSection(*unit, dimensions);
}

TEST_F(AwbaTest, TwoPanelsStackUnderTheFirstLetter)
{
  auto unit = Make<CAWBasic>("AW", "BA002");
  unit->SetSizeCode("AW3040");
  unit->SetOperatingChoice("FV");
  EXPECT_EQ(Groups(*unit), (std::vector<int>{0, 1, 3, 4, 6}));
  EXPECT_EQ(Codes(*unit), (Codes_t{"BM", "AT", "AP", "AG", "AP", "AT", "BP"}));
  EXPECT_EQ(Kinds(*unit), (Codes_t{"P", "P", "P", "P", "P", "P", "I"}));
  EXPECT_EQ(Ends(*unit), (std::vector<Line>{{0, 0, 35.5, 0},
                                            {35.5, 0, 35.5, 23.75},
                                            {35.5, 23.75, 35.5, 47.5},
                                            {35.5, 47.5, 0, 47.5},
                                            {0, 47.5, 0, 23.75},
                                            {0, 23.75, 0, 0},
                                            {0, 23.75, 35.5, 23.75}}));
  EXPECT_EQ(HandlePoints(*unit), (std::vector<Line>{{0, 0, 15}, {35.5, 0, 15}, {35.5, 47.5, 15}, {0, 47.5, 15}}));

  CVRX2DEntityArray out;
  unit->GetElevationEntities(3, TRUE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 5 + 8 + 4 + 2);
  EXPECT_EQ(Lines(out, 4, 1, 46), (std::vector<Line>{{2.125, 23.75, 33.375, 23.75}}));  // line 2 of three sets
  std::vector<Line> panels = Rectangle(2.125, 2.75, 33.375, 22.5);
  for (const Line& line : Rectangle(2.125, 25.0, 33.375, 45.375))
    panels.push_back(line);
  EXPECT_EQ(Lines(out, 5, 8, 47), panels);
  EXPECT_EQ(Lines(out, 13, 4, 47), Rectangle(2.625, 3.25, 32.875, 44.875));
  // Only the lower, venting panel: the upper one stops the walk.
  EXPECT_EQ(Lines(out, 17, 2, 51), (std::vector<Line>{{2.75, 2.75, 17.75, 22.5}, {17.75, 22.5, 32.75, 2.75}}));

  unit->SetOperatingChoice("VV");
  EXPECT_EQ(Codes(*unit).back(), "BR");
  unit->GetElevationEntities(1, TRUE, FALSE, out);
  EXPECT_EQ(CountOfCategory(out, 51), 4);
  EXPECT_EQ(Lines(out, 7, 2, 51), (std::vector<Line>{{1.375, 23.75, 17.75, 46.125}, {17.75, 46.125, 34.125, 23.75}}));
  unit->SetOperatingChoice("SV");
  EXPECT_EQ(Codes(*unit), (Codes_t{"BM", "AT", "AS", "AI", "AS", "AT", "BQ"}));
}

TEST_F(AwbaTest, StackedCodesWithoutARailAreRefused)
{
  COddCatalogue data;
  data.AddRow("OPERCHOI", {"AW", "BA002", "AW3040", "VF", "0", "0", "0", "0"});
  data.AddRow("STDSIZES", {"AW", "BA002", "AW3060", "71.5", "35.5", "3", "23.75", "47.75", "0", "0", "0", "0"});
  data.AddRow("OPERCHOI", {"AW", "BA002", "AW3060", "FV", "0", "0", "0", "0"});
  data.AddRow("OPERCHOI", {"AW", "BA002", "AW3060", "VVV", "0", "0", "0", "0"});
  data.Use();
  auto unit = Make<CAWBasic>("AW", "BA002");
  unit->SetSizeCode("AW3040");
  unit->SetOperatingChoice("VF");
  EXPECT_EQ(RefusalOf([&] { unit->GetSizedComponents(); }), "STDAWNG:337");
  unit->SetSizeCode("AW3060");
  for (const char* code : {"FV", "VVV"}) {  // the interior group holds one rail only
    unit->SetOperatingChoice(code);
    EXPECT_EQ(RefusalOf([&] { unit->GetSizedComponents(); }), "STDAWNG:337") << code;
  }
}

// A first size without a venting choice keeps its default: the walk does not reach the venting
// choices of the next size, which the first one would refuse.
TEST_F(AwbaTest, TheVentingDefaultLooksOnlyAtTheFirstSize)
{
  COddCatalogue data;
  data.AddRow("STDSIZES", {"AW", "BA002", "AW1616", "17.5", "17.5", "1", "0", "0", "0", "0", "0", "0"});
  data.AddRow("OPERCHOI", {"AW", "BA002", "AW1616", "F", "0", "0", "0", "0"});
  data.AddRow("OPERCHOI", {"AW", "BA002", "AW1616", "S", "0", "0", "0", "0"});
  data.Use();
  std::unique_ptr<CAWBasic> unit;
  EXPECT_EQ(RefusalOf([&] { unit = Make<CAWBasic>("AW", "BA002"); }), "");
  ASSERT_TRUE(unit);
  EXPECT_EQ(unit->GetSizeCode(), "AW1616");
  EXPECT_EQ(unit->GetOperatingChoice(), "F");
}

TEST_F(AwbaTest, PictureUnitsKeepTheirFirstChoice)
{
  auto venting = Make<CAWVentingPicture>("AW", "VP002");
  ASSERT_TRUE(venting);
  EXPECT_EQ(venting->GetSizeCode(), "VP3040");
  EXPECT_EQ(venting->GetOperatingChoice(), "FV");
  EXPECT_EQ(Codes(*venting), (Codes_t{"BM", "AT", "AP", "AG", "AP", "AT", "BP"}));
  auto picture = Make<CAWPicture>("AW", "PI002");
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->GetOperatingChoice(), "F");
  CVRX2DEntityArray out;
  picture->GetElevationEntities(2, TRUE, FALSE, out);
  EXPECT_EQ(CountOfCategory(out, 51), 0);
}

TEST_F(AwbaTest, SizingToTwoPanelsRebuildsTheGroupsAndTheChoice)
{
  auto unit = Make<CAWBasic>("AW", "BA002");
  EXPECT_EQ(unit->ConformProposedSize(2, CVRX2DVector(12, 24)), CUnit::inboundsChanged);
  EXPECT_EQ(unit->SetSizeToProposed(), CVRX2DVector(0, 0));
  EXPECT_EQ(unit->GetSizeCode(), "AW3040");
  EXPECT_EQ(unit->GetOperatingChoice(), "VV");
  EXPECT_EQ(Groups(*unit), (std::vector<int>{0, 1, 3, 4, 6}));
  EXPECT_EQ(Codes(*unit).size(), 7u);
}

TEST_F(AwbaTest, StoredReloadedAndAssignedWithinItsClass)
{
  auto unit = Make<CAWBasic>("AW", "BA002");
  unit->SetSizeCode("AW4040");
  unit->SetOperatingChoice("SV");
  std::unique_ptr<CUnit> read = StoreAndReload(*unit);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->GetAttributes(), "AW,BA002,0,AW4040,SV");
  ExpectSameDrawings(*unit, *read);
  auto target = Make<CAWBasic>("AW", "BA002");
  *target = *unit;
  EXPECT_EQ(Groups(*target), (std::vector<int>{0, 1, 3, 4, 6}));
  ExpectSameDrawings(*unit, *target);
  auto picture = Make<CAWPicture>("AW", "PI002");
  auto venting = Make<CAWVentingPicture>("AW", "VP002");
  EXPECT_EQ(RefusalOf([&] { static_cast<CUnit&>(*target) = *picture; }), "Awba:116");
  EXPECT_EQ(RefusalOf([&] { static_cast<CUnit&>(*picture) = *venting; }), "AWPI:72");
  EXPECT_EQ(RefusalOf([&] { static_cast<CUnit&>(*venting) = *target; }), "AWVP:72");
  EXPECT_EQ(target->GetSizeCode(), "AW4040");
  std::unique_ptr<CUnit> clone(venting->Clone());
  EXPECT_NE(dynamic_cast<CAWVentingPicture*>(clone.get()), nullptr);
  ExpectSameDrawings(*venting, *clone);
}

}  // namespace
