// Guards the joining record classes: GetId/SetId bounds, the four JOINTBL index orders, the
// zeroed JOINSPCX record, spacings by index 1, and the JOINOPTX walk the drawings make.
#include <gtest/gtest.h>

#include "DbTestUtil.h"
#include "productdb/Joining.h"
#include "productdb/Joinoptx.h"
#include "productdb/Joinspac.h"
#include "productdb/Joinspcx.h"
#include "productdb/Jointbl.h"

namespace {

TextRow Pair(const char* join, const char* id, const char* other, const char* detail)
{
  return {{"F1", join}, {"F5", id}, {"F9", other}, {"F13", detail}};
}

class JoinTablesTest : public DbTest
{
protected:
  void SetUp() override
  {
    DbTest::SetUp();
    CTableWriter w;
    AddProductTable(w, "JOINING", {{{"F1", "2"}, {"F5", "MU"}, {"F7", "Mulled"}}, {{"F1", "1"}, {"F7", "Butted"}}});
    AddProductTable(w, "JOINTBL",
                    {Pair("2", "100", "200", "7"), Pair("1", "100", "200", "8"), Pair("1", "300", "100", "9"),
                     Pair("1", "100", "300", "6")});
    AddProductTable(w, "JOINSPAC",
                    {{{"F1", "1"}, {"F5", "100"}, {"F9", "0.25"}}, {{"F1", "2"}, {"F5", "100"}, {"F9", "0.75"}}});
    AddProductTable(w, "JOINSPCX", {{{"F1", "1"}, {"F5", "100"}, {"F9", "200"}, {"F13", "8"}, {"F17", "0.5"}}});
    AddProductTable(w, "JOINOPTX",
                    {{{"F1", "5"}, {"F5", "6"}, {"F9", "7"}, {"F13", "3"}, {"F17", "2"}},
                     {{"F1", "5"}, {"F5", "6"}, {"F9", "7"}, {"F13", "1"}, {"F17", "4"}},
                     {{"F1", "5"}, {"F5", "6"}, {"F9", "8"}, {"F13", "9"}, {"F17", "9"}}});
    UseDatabase(w);
  }
};

TEST_F(JoinTablesTest, JoinTypesByNumber)
{
  CJoiningRec mulled(2);
  EXPECT_EQ(mulled.GetCode(), CString("MU"));
  EXPECT_EQ(mulled.GetDescription(), CString("Mulled"));
  CJoiningRec none(5);
  EXPECT_EQ(none.GetJoining(), 0);
  EXPECT_EQ(none.GetDescription(), CString(""));
}

TEST_F(JoinTablesTest, IdAccessorsIgnoreOtherSides)
{
  CJoinTblRec row;
  row.SetId(1, 11);
  row.SetId(2, 22);
  row.SetId(0, 99);
  row.SetId(3, 99);
  EXPECT_EQ(row.GetId(1), 11);
  EXPECT_EQ(row.GetId(2), 22);
  EXPECT_EQ(row.GetId(3), 0);
  EXPECT_EQ(row.GetId(0), 0);
}

TEST_F(JoinTablesTest, IndexesThreeAndFourGroupRowsByOneSide)
{
  CJoinTblRec row;
  row.SetId(1, 100);
  row.SetId(2, 0);
  row.SetJoin(0);
  BOOL atEnd = FALSE;
  std::vector<int> details;
  for (int r = row.SeekGE(3, &atEnd); r == 0 && row.GetId(1) == 100; r = row.Next(&atEnd))
    details.push_back(row.GetField13());
  EXPECT_EQ(details, (std::vector<int>{8, 7, 6}));  // other 200 (joins 1, 2), then other 300
  row.SetId(2, 100);
  row.SetId(1, 0);
  ASSERT_EQ(row.SeekGE(4, &atEnd), 0);
  EXPECT_EQ(row.GetId(1), 300);
  EXPECT_EQ(row.GetJoin(), 1);
}

TEST_F(JoinTablesTest, SpacingsByPairOrBySide)
{
  CJoinSpcXRec particular;
  EXPECT_DOUBLE_EQ(particular.GetSpacing(), 0.0);
  particular.SetField1(1);
  particular.SetField5(100);
  particular.SetField9(200);
  particular.SetField13(8);
  ASSERT_EQ(particular.Find(1), 0);
  EXPECT_DOUBLE_EQ(particular.GetSpacing(), 0.5);
  particular.SetField13(9);
  EXPECT_EQ(particular.Find(1), -1);
  CJoinSpacRec side;
  side.SetField1(2);
  side.SetField5(100);
  ASSERT_EQ(side.Find(1), 0);
  EXPECT_DOUBLE_EQ(side.GetSpacing(), 0.75);
}

TEST_F(JoinTablesTest, OptionRowsOfOneDetailTripleInOrder)
{
  CJoinOptXRec row;
  row.SetField1(5);
  row.SetField5(6);
  row.SetField9(7);
  row.SetField13(0);
  row.SetField17(0);
  BOOL atEnd = FALSE;
  std::vector<std::pair<int, int>> pairs;
  for (int r = row.SeekGE(1, &atEnd); r == 0 && row.GetField9() == 7; r = row.Next(&atEnd))
    pairs.push_back({row.GetField13(), row.GetField17()});
  EXPECT_EQ(pairs, (std::vector<std::pair<int, int>>{{1, 4}, {3, 2}}));
}

}  // namespace
