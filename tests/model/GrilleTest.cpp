// Guards the pattern grille: bars at the catalogue's positions run only across the glass of the
// two-line elevation, cut into pairs of crossings, with a crossing at a corner counted once;
// grille choices 0 and 8 and sizes without a grille draw nothing.
#include "BaseLeaves.h"
#include "BaseTests.h"
#include "OddCatalogue.h"
#include "geometry/2dline.h"

namespace {

class GrilleTest : public ModelTest
{
protected:
  // The bars as (x1, y1, x2, y2), in the order they were made.
  static std::vector<std::vector<double>> Bars(const CVRX2DEntityArray& out, int first = 0)
  {
    std::vector<std::vector<double>> bars;
    for (int i = first; i < out.GetSize(); ++i) {
      const auto& line = static_cast<const CVRX2DLine&>(*out[i]);
      bars.push_back({line.GetStartPoint().GetX(), line.GetStartPoint().GetY(), line.GetEndPoint().GetX(),
                      line.GetEndPoint().GetY()});
    }
    return bars;
  }
};

TEST_F(GrilleTest, BarsRunAcrossEachPanelAndAFourCrossingBarGivesTwoBars)
{
  CRectLeaf unit("GL", "BA005");
  unit.SetSizeCode("GL3030");
  ASSERT_TRUE(unit.SetOptionChoice(36, 2));
  CVRX2DEntityArray out;
  unit.GetGrilleEntities(2, out);
  const std::vector<std::vector<double>> expected = {
      {8.875, 2, 8.875, 33.5}, {26.625, 2, 26.625, 33.5}, {2, 17.75, 16.75, 17.75}, {18.75, 17.75, 33.5, 17.75}};
  EXPECT_EQ(Bars(out), expected);
  for (int i = 0; i < out.GetSize(); ++i)
    EXPECT_EQ(out[i]->GetCategory(), 48);

  unit.GetElevationEntities(2, FALSE, TRUE, out);
  EXPECT_EQ(Bars(out, 12), expected);
}

TEST_F(GrilleTest, ABarThroughCornersOfTheGlassIsKept)
{
  CRectLeaf unit("GL", "BA005");
  unit.SetSizeCode("GL3030");
  unit.m_bDiamond = true;
  ASSERT_TRUE(unit.SetOptionChoice(36, 2));
  CVRX2DEntityArray out;
  unit.GetGrilleEntities(2, out);
  const std::vector<std::vector<double>> expected = {
      {8.875, 8.875, 8.875, 26.625}, {26.625, 8.875, 26.625, 26.625}, {0, 17.75, 35.5, 17.75}};
  EXPECT_EQ(Bars(out), expected);
}

TEST_F(GrilleTest, NoGrilleChoiceNoHeaderNoBars)
{
  CRectLeaf unit("GL", "BA005");
  unit.SetSizeCode("GL3030");
  CVRX2DEntityArray out;
  unit.GetGrilleEntities(2, out);
  EXPECT_EQ(out.GetSize(), 0);
  ASSERT_TRUE(unit.SetOptionChoice(36, 8));
  unit.GetGrilleEntities(2, out);
  EXPECT_EQ(out.GetSize(), 0);
  ASSERT_TRUE(unit.SetOptionChoice(36, 2));
  unit.SetSizeCode("GL3020");  // no grille of this size: the choice does not apply there
  unit.GetGrilleEntities(2, out);
  EXPECT_EQ(out.GetSize(), 0);
}

TEST_F(GrilleTest, DoorGrillesTakeTheDoorCategory)
{
  CRectLeaf unit("PS", "BA016");
  unit.SetSizeCode("PS5068");
  ASSERT_TRUE(unit.SetOptionChoice(36, 2));
  CVRX2DEntityArray out;
  unit.GetGrilleEntities(2, out);
  ASSERT_EQ(out.GetSize(), 10);
  for (int i = 0; i < out.GetSize(); ++i)
    EXPECT_EQ(out[i]->GetCategory(), 37);
}

TEST_F(GrilleTest, AGrilleOfHorizontalRowsOnlyDrawsHorizontalBars)
{
  COddCatalogue data;
  data.AddRow("SUBTYPES", {"GL", "ZZ005", "Test glider", "Test", "TRUE", "TRUE", "TRUE", "4.5", "99"});
  data.AddRow("STDSIZES", {"GL", "ZZ005", "ZZ1", "36", "36", "1", "0", "0", "0", "0", "0", "0"});
  data.AddRow("OPERCHOI", {"GL", "ZZ005", "ZZ1", "F", "0", "0", "0", "0"});
  data.AddRow("OPTTABLE", {"GL", "ZZ005", "36", "2", "O", "FALSE", "TRUE"});
  data.AddRow("GRILHDRS", {"900", "GL", "ZZ005", "ZZ1", "2"});
  data.AddRow("GRILPROP", {"900", "V", "24"});
  data.AddRow("GRILPROP", {"900", "V", "12"});
  data.Use();
  CRectLeaf unit("GL", "ZZ005");
  ASSERT_TRUE(unit.SetOptionChoice(36, 2));
  CArray<double, double> values;
  CStandardUnit::ReadGrilleProperties(900, "V", values);
  ASSERT_EQ(values.GetSize(), 2);
  EXPECT_EQ(values[0], 12.0);
  CVRX2DEntityArray out;
  unit.GetGrilleEntities(2, out);
  const std::vector<std::vector<double>> expected = {
      {2, 12, 17, 12}, {19, 12, 34, 12}, {2, 24, 17, 24}, {19, 24, 34, 24}};
  EXPECT_EQ(Bars(out), expected);
}

}  // namespace
