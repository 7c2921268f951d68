// Guards the double-hung lines: the two-sash units "DHKC003" and "DHQV004" (seven members at any
// panel count, sash rectangles that leave out the edges at the meeting rail, the rail line of
// each level) and the single-frame units "DHTR003" and "DHPI003".
#include <memory>

#include "StdTestUtil.h"
#include "geometry/2dvector.h"
#include "model/OddCatalogue.h"
#include "model/Plansect.h"
#include "model/Unitutil.h"
#include "units/standard/Dhkc.h"
#include "units/standard/Dhpi.h"
#include "units/standard/Dhqv.h"
#include "units/standard/Dhtr.h"

namespace {

using Codes_t = std::vector<std::string>;

class DhkcTest : public StandardUnitTest
{};

TEST_F(DhkcTest, SevenMembersRoundTwoSashes)
{
  for (const char* subtype : {"KC003", "QV004", "TR003", "PI003"}) {
    BOOL exists = FALSE;
    EXPECT_EQ(MakeUnit("DH", subtype, &exists), nullptr);
    EXPECT_TRUE(exists) << subtype;
  }
  auto unit = Make<CDHCantorel>("DH", "KC003");
  ASSERT_TRUE(unit);
  EXPECT_EQ(unit->GetSizeCode(), "KC2640");
  EXPECT_EQ(unit->GetOperatingChoice(), "FV");
  EXPECT_EQ(Codes(*unit), (Codes_t{"BM", "AX", "AZ", "AJ", "AZ", "AX", "AE"}));
  EXPECT_EQ(Kinds(*unit), (Codes_t{"P", "P", "P", "P", "P", "P", "I"}));
  EXPECT_EQ(Ends(*unit), (std::vector<Line>{{0, 0, 29.5, 0},
                                            {29.5, 0, 29.5, 23.75},
                                            {29.5, 23.75, 29.5, 47.5},
                                            {29.5, 47.5, 0, 47.5},
                                            {0, 47.5, 0, 23.75},
                                            {0, 23.75, 0, 0},
                                            {0, 23.75, 29.5, 23.75}}));
  EXPECT_EQ(HandlePoints(*unit), (std::vector<Line>{{0, 0, 15}, {29.5, 0, 15}, {29.5, 47.5, 15}, {0, 47.5, 15}}));
  CPlanSectionUnitDimensions dimensions;
  dimensions.m_dPlanWidth = 29.5;
  ExpectPlanSection(*unit, dimensions);
}

TEST_F(DhkcTest, TheRailLineFollowsTheLevelAndTheLineSets)
{
  auto unit = Make<CDHCantorel>("DH", "KC003");
  CVRX2DEntityArray out;
  unit->GetElevationEntities(1, TRUE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 5);  // no operating symbol
  EXPECT_EQ(Lines(out, 0, 4, 46), Rectangle(0, 0, 29.5, 47.5));
  EXPECT_EQ(Lines(out, 4, 1, 46), (std::vector<Line>{{0, 23.25, 29.5, 23.25}}));

  unit->GetElevationEntities(2, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 13);
  EXPECT_EQ(Lines(out, 4, 1, 46), (std::vector<Line>{{0, 22.5, 29.5, 22.5}}));
  const std::vector<Line> sashes = {{2.75, 2.75, 26.75, 2.75}, {26.75, 2.75, 26.75, 22.5}, {2.75, 22.5, 2.75, 2.75},
                                    {2.75, 25, 26.75, 25},     {26.75, 25, 26.75, 44.75},  {26.75, 44.75, 2.75, 44.75},
                                    {2.75, 44.75, 2.75, 25}};
  EXPECT_EQ(Lines(out, 5, 7, 47), sashes);
  EXPECT_EQ(Lines(out, 12, 1, 47), (std::vector<Line>{{2.75, 22.5, 26.75, 22.5}}));

  unit->GetElevationEntities(3, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 16);
  EXPECT_EQ(CountOfCategory(out, 46), 4);  // no one-line rail with three sets
  EXPECT_EQ(Lines(out, 4, 7, 47), sashes);
  EXPECT_EQ(Lines(out, 11, 1, 47), (std::vector<Line>{{2.75, 22.5, 26.75, 22.5}}));
  EXPECT_EQ(Lines(out, 12, 4, 47), Rectangle(3.25, 3.25, 26.25, 44.25));
}

TEST_F(DhkcTest, OtherPanelCountsKeepSevenMembers)
{
  COddCatalogue data;
  data.AddRow("STDSIZES", {"DH", "KC003", "KC3030", "35.5", "35.5", "1", "17.75", "0", "0", "0", "0", "0"});
  data.AddRow("OPERCHOI", {"DH", "KC003", "KC3030", "VV", "0", "0", "0", "0"});
  data.AddRow("STDSIZES", {"DH", "KC003", "KC3070", "83.5", "35.5", "3", "27.75", "55.75", "0", "0", "0", "0"});
  data.AddRow("OPERCHOI", {"DH", "KC003", "KC3070", "VV", "0", "0", "0", "0"});
  data.Use();
  auto unit = Make<CDHCantorel>("DH", "KC003");
  unit->SetSizeCode("KC3030");
  EXPECT_EQ(Codes(*unit).size(), 7u);
  CVRX2DEntityArray out;
  unit->GetElevationEntities(2, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 4 + 1 + 4 + 1);
  EXPECT_EQ(Lines(out, 5, 4, 47), Rectangle(2.75, 2.75, 32.75, 32.75));

  unit->SetSizeCode("KC3070");
  EXPECT_EQ(Codes(*unit).size(), 7u);
  unit->GetElevationEntities(2, FALSE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 4 + 1 + 3 + 4 + 3 + 1);
  // The middle sash has all four edges; the upper one sits on it without a bottom edge.
  EXPECT_EQ(Lines(out, 8, 4, 47), Rectangle(2.75, 29.0, 32.75, 54.5));
  EXPECT_EQ(Lines(out, 12, 3, 47),
            (std::vector<Line>{{32.75, 57, 32.75, 80.75}, {32.75, 80.75, 2.75, 80.75}, {2.75, 80.75, 2.75, 57}}));
}

TEST_F(DhkcTest, BothSashUnitsDrawAlikeAndKeepTheirClasses)
{
  auto cantorel = Make<CDHCantorel>("DH", "KC003");
  auto trimveld = Make<CDHTrimveld>("DH", "QV004");
  ASSERT_TRUE(trimveld);
  cantorel->SetSizeCode("KC2650");
  cantorel->SetOperatingChoice("VV");
  EXPECT_EQ(trimveld->GetSizeCode(), "QV2650");
  ExpectSameDrawings(*cantorel, *trimveld);
  EXPECT_EQ(RefusalOf([&] { static_cast<CUnit&>(*cantorel) = *trimveld; }), "Dhkc:88");
  EXPECT_EQ(RefusalOf([&] { static_cast<CUnit&>(*trimveld) = *cantorel; }), "Dhqv:88");
  std::unique_ptr<CUnit> read = StoreAndReload(*trimveld);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->GetAttributes(), "DH,QV004,0,QV2650,VV");
  ExpectSameDrawings(*trimveld, *read);

  EXPECT_EQ(cantorel->ConformProposedSize(2, CVRX2DVector(6, 12)), CUnit::inboundsChanged);
  EXPECT_EQ(cantorel->SetSizeToProposed(), CVRX2DVector(0, 0));
  EXPECT_EQ(cantorel->GetSizeCode(), "KC3060");
  EXPECT_EQ(Ends(*cantorel).back(), (Line{0, 35.75, 35.5, 35.75}));
}

class DhtrTest : public StandardUnitTest
{};

TEST_F(DhtrTest, OneFrameAndOneRectanglePerLevel)
{
  auto unit = Make<CDHTransom>("DH", "TR003");
  ASSERT_TRUE(unit);
  EXPECT_EQ(unit->GetSizeCode(), "TR2610");
  EXPECT_EQ(Codes(*unit), (Codes_t{"BJ", "AP", "AG", "AP"}));
  EXPECT_EQ(HandlePoints(*unit), (std::vector<Line>{{0, 0, 15}, {29.5, 0, 15}, {29.5, 11.5, 15}, {0, 11.5, 15}}));
  CVRX2DEntityArray out;
  unit->GetElevationEntities(3, TRUE, FALSE, out);
  ASSERT_EQ(out.GetSize(), 12);
  EXPECT_EQ(Lines(out, 0, 4, 46), Rectangle(0, 0, 29.5, 11.5));
  EXPECT_EQ(Lines(out, 4, 4, 47), Rectangle(2.125, 2.125, 27.375, 9.375));
  EXPECT_EQ(Lines(out, 8, 4, 47), Rectangle(2.625, 2.625, 26.875, 8.875));
  CPlanSectionUnitDimensions dimensions;
  dimensions.m_dPlanWidth = 29.5;
  ExpectPlanSection(*unit, dimensions);
}

TEST_F(DhtrTest, TransomAndPictureOfOneSizeDrawAlike)
{
  COddCatalogue data;
  data.AddRow("STDSIZES", {"DH", "TR003", "TR4040", "47.5", "47.5", "2", "23.75", "0", "0", "0", "0", "0"});
  data.AddRow("OPERCHOI", {"DH", "TR003", "TR4040", "F", "0", "0", "0", "0"});
  data.Use();
  auto transom = Make<CDHTransom>("DH", "TR003");
  auto picture = Make<CDHPicture>("DH", "PI003");
  ASSERT_TRUE(picture);
  transom->SetSizeCode("TR4040");
  EXPECT_EQ(picture->GetSizeCode(), "DP4040");
  ExpectSameDrawings(*transom, *picture);  // two panels in the row, still one frame
  EXPECT_EQ(Codes(*transom).size(), 4u);
  EXPECT_EQ(RefusalOf([&] { static_cast<CUnit&>(*transom) = *picture; }), "Dhtr:78");
  EXPECT_EQ(RefusalOf([&] { static_cast<CUnit&>(*picture) = *transom; }), "Dhpi:78");
  std::unique_ptr<CUnit> read = StoreAndReload(*picture);
  ASSERT_TRUE(read);
  ExpectSameDrawings(*picture, *read);
  std::unique_ptr<CUnit> clone(transom->Clone());
  EXPECT_EQ(clone->GetAttributes(), "DH,TR003,0,TR4040,F");
}

}  // namespace
