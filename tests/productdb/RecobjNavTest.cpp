// Guards index search and navigation: every mode on the keys 30, 10, 50, 20, 40, held in memory
// and read from the file alike, seeks among equal keys, empty tables and index selection.
#include <gtest/gtest.h>

#include "NumberRec.h"
#include "productdb/txdbExcp.h"

namespace {

enum Op
{
  opFind,
  opSeekGE,
  opSeekGT,
  opSeekLE,
  opSeekLT
};

struct NavCase
{
  Op op;
  int key;
  int result;
  BOOL atEnd;
  int landed;  // the key read, or the key left in place on failure
};

int RunOp(CNumberRec& rec, Op op, BOOL* atEnd)
{
  switch (op) {
  case opFind:
    return rec.Find(1);
  case opSeekGE:
    return rec.SeekGE(1, atEnd);
  case opSeekGT:
    return rec.SeekGT(1, atEnd);
  case opSeekLE:
    return rec.SeekLE(1, atEnd);
  case opSeekLT:
    return rec.SeekLT(1, atEnd);
  }
  return 99;
}

// Record lengths 12 and 12000: the first table is read into memory, the second from the file.
class RecobjNavTest : public DbTest, public ::testing::WithParamInterface<int>
{
protected:
  void SetUp() override
  {
    DbTest::SetUp();
    CTableWriter writer;
    AddNumbers(writer, {{30, "thirty"}, {10, "ten"}, {50, "fifty"}, {20, "twenty"}, {40, "forty"}}, GetParam());
    UseDatabase(writer);
  }
};

TEST_P(RecobjNavTest, CachesOnlySmallTables)
{
  CNumberRec rec;
  EXPECT_EQ(rec.IsTableCached(), GetParam() == 12);
}

TEST_P(RecobjNavTest, SeeksLandWhereTheirModeSays)
{
  const NavCase cases[] = {
      {opFind, 30, 0, FALSE, 30},   {opFind, 25, -1, FALSE, 25},  {opFind, 10, 0, FALSE, 10},
      {opFind, 50, 0, FALSE, 50},   {opSeekGE, 30, 0, FALSE, 30}, {opSeekGE, 25, 0, FALSE, 30},
      {opSeekGE, 5, 0, FALSE, 10},  {opSeekGE, 55, -1, TRUE, 55}, {opSeekGT, 30, 0, FALSE, 40},
      {opSeekGT, 25, 0, FALSE, 30}, {opSeekGT, 5, 0, FALSE, 10},  {opSeekGT, 50, -1, TRUE, 50},
      {opSeekLE, 30, 0, FALSE, 30}, {opSeekLE, 25, 0, FALSE, 20}, {opSeekLE, 55, 0, FALSE, 50},
      {opSeekLE, 5, -1, TRUE, 5},   {opSeekLT, 30, 0, FALSE, 20}, {opSeekLT, 25, 0, FALSE, 20},
      {opSeekLT, 55, 0, FALSE, 50}, {opSeekLT, 10, -1, TRUE, 10},
  };
  for (const NavCase& c : cases) {
    CNumberRec rec;
    rec.key = c.key;
    BOOL atEnd = 7;
    int result = RunOp(rec, c.op, &atEnd);
    EXPECT_EQ(result, c.result) << "op " << c.op << " key " << c.key;
    if (c.op != opFind) {
      EXPECT_EQ(atEnd, c.atEnd) << "op " << c.op << " key " << c.key;
    }
    EXPECT_EQ(rec.key, c.landed) << "op " << c.op << " key " << c.key;
  }
}

TEST_P(RecobjNavTest, StepsWalkTheIndexAndStopAtBothEnds)
{
  CNumberRec rec;
  ASSERT_EQ(rec.First(1), 0);
  EXPECT_EQ(rec.key, 10);
  EXPECT_EQ(rec.name, CString("ten"));
  BOOL atEnd = FALSE;
  std::vector<int> walked = {rec.key};
  while (rec.Next(&atEnd) == 0)
    walked.push_back(rec.key);
  EXPECT_EQ(walked, (std::vector<int>{10, 20, 30, 40, 50}));
  EXPECT_TRUE(atEnd);
  EXPECT_EQ(rec.key, 50);  // a failed step leaves the members
  ASSERT_EQ(rec.Prev(&atEnd), 0);
  EXPECT_FALSE(atEnd);
  EXPECT_EQ(rec.key, 40);
  ASSERT_EQ(rec.Navigate(CRecObj::navLast, &atEnd), 0);
  EXPECT_EQ(rec.key, 50);
  ASSERT_EQ(rec.Navigate(CRecObj::navFirst, &atEnd), 0);
  EXPECT_EQ(rec.Prev(&atEnd), -1);
  EXPECT_TRUE(atEnd);
  EXPECT_EQ(rec.key, 10);
}

TEST_P(RecobjNavTest, TheSecondIndexOrdersByNameBytes)
{
  CNumberRec rec;
  ASSERT_EQ(rec.First(2), 0);
  BOOL atEnd = FALSE;
  std::vector<CString> names = {rec.name};
  while (rec.Next(&atEnd) == 0)
    names.push_back(rec.name);
  EXPECT_EQ(names, (std::vector<CString>{"fifty", "forty", "ten", "thirty", "twenty"}));
  rec.name = "thirty";
  ASSERT_EQ(rec.Find(2), 0);
  EXPECT_EQ(rec.key, 30);
}

TEST_P(RecobjNavTest, FailedFindKeepsMembersAndPosition)
{
  CNumberRec rec;
  rec.key = 20;
  ASSERT_EQ(rec.Find(1), 0);
  rec.key = 21;
  EXPECT_EQ(rec.Find(1), -1);
  EXPECT_EQ(rec.key, 21);
  EXPECT_EQ(rec.name, CString("twenty"));
  BOOL atEnd = FALSE;
  ASSERT_EQ(rec.Next(&atEnd), 0);
  EXPECT_EQ(rec.key, 30);  // still stepping on from 20
}

INSTANTIATE_TEST_SUITE_P(CachedAndOnDisk, RecobjNavTest, ::testing::Values(12, 12000));

// The search in memory and the search on the file are separate loops; both are run.
class RecobjEqualKeysTest : public DbTest, public ::testing::WithParamInterface<int>
{
protected:
  void SetUp() override
  {
    DbTest::SetUp();
    CTableWriter writer;
    AddNumbers(writer, {{10, "a"}, {20, "b1"}, {30, "c"}, {20, "b2"}, {20, "b3"}, {5, "z"}}, GetParam());
    UseDatabase(writer);
  }
};

TEST_P(RecobjEqualKeysTest, SeeksStopAtTheEdgesOfARunOfEqualKeys)
{
  CNumberRec rec;
  EXPECT_EQ(rec.IsTableCached(), GetParam() == 12);
  BOOL atEnd = FALSE;
  rec.key = 20;
  ASSERT_EQ(rec.SeekGE(1, &atEnd), 0);
  EXPECT_EQ(rec.name, CString("b1"));
  rec.key = 20;
  ASSERT_EQ(rec.SeekLE(1, &atEnd), 0);
  EXPECT_EQ(rec.name, CString("b3"));
  rec.key = 20;
  ASSERT_EQ(rec.SeekGT(1, &atEnd), 0);
  EXPECT_EQ(rec.name, CString("c"));
  rec.key = 20;
  ASSERT_EQ(rec.SeekLT(1, &atEnd), 0);
  EXPECT_EQ(rec.name, CString("a"));
  rec.key = 20;
  ASSERT_EQ(rec.Find(1), 0);
  EXPECT_EQ(rec.key, 20);
  ASSERT_EQ(rec.Next(&atEnd), 0);  // equal entries follow in the order they were written
  EXPECT_EQ(rec.name, CString("b2"));
}

INSTANTIATE_TEST_SUITE_P(CachedAndOnDisk, RecobjEqualKeysTest, ::testing::Values(12, 12000));

class RecobjSelectTest : public DbTest
{
protected:
  void SetUp() override
  {
    DbTest::SetUp();
    CTableWriter writer;
    AddNumbers(writer, {{1, "c"}, {2, "b"}, {3, "a"}});
    AddNumbers(writer, {}, 12, "EMPTY");
    UseDatabase(writer);
  }
};

TEST_F(RecobjSelectTest, NextWithoutAnIndexFailsWithoutEndFlag)
{
  CNumberRec rec;
  BOOL atEnd = TRUE;
  EXPECT_EQ(rec.Next(&atEnd), -1);
  EXPECT_FALSE(atEnd);
}

TEST_F(RecobjSelectTest, SelectingAnotherIndexResetsThePositionAndTheSameKeepsIt)
{
  CNumberRec rec;
  BOOL atEnd = FALSE;
  ASSERT_EQ(rec.First(1), 0);
  ASSERT_EQ(rec.Next(&atEnd), 0);
  ASSERT_EQ(rec.SelectIndex(1), 0);
  ASSERT_EQ(rec.Next(&atEnd), 0);
  EXPECT_EQ(rec.key, 3);  // position 1 kept, stepped to 2
  ASSERT_EQ(rec.SelectIndex(2), 0);
  ASSERT_EQ(rec.Next(&atEnd), 0);
  EXPECT_EQ(rec.name, CString("b"));  // from position 0 of the name index
  EXPECT_EQ(rec.SelectIndex(0), -1);
  EXPECT_EQ(rec.GetCurrentIndex(), -1);
  EXPECT_EQ(rec.SelectIndex(3), -1);
  EXPECT_EQ(rec.Find(3), -1);
  EXPECT_EQ(rec.First(0), -1);
}

TEST_F(RecobjSelectTest, SeekGTClearsTheEndFlagEvenWhenTheIndexIsRefused)
{
  CNumberRec rec;
  BOOL atEnd = TRUE;
  EXPECT_EQ(rec.SeekGT(9, &atEnd), -1);
  EXPECT_FALSE(atEnd);
  atEnd = TRUE;
  EXPECT_EQ(rec.SeekGE(9, &atEnd), -1);
  EXPECT_TRUE(atEnd);  // untouched
}

TEST_F(RecobjSelectTest, EveryMoveOnAnEmptyTableFailsAtTheEnd)
{
  CNumberRec rec("EMPTY");
  BOOL atEnd = FALSE;
  EXPECT_EQ(rec.First(1), -1);
  EXPECT_EQ(rec.Find(1), -1);
  for (int mode = CRecObj::navEqual; mode <= CRecObj::navLast; ++mode) {
    atEnd = FALSE;
    EXPECT_EQ(rec.Navigate(mode, &atEnd), -1);
    EXPECT_TRUE(atEnd) << "mode " << mode;
  }
  EXPECT_EQ(rec.SeekLT(1, &atEnd), -1);
  EXPECT_TRUE(atEnd);
}

TEST_F(RecobjSelectTest, AModeAboveEightThrows)
{
  CNumberRec rec;
  ASSERT_EQ(rec.First(1), 0);
  BOOL atEnd = FALSE;
  try {
    rec.Navigate(9, &atEnd);
    ADD_FAILURE();
  } catch (const CTXDBException& e) {
    EXPECT_EQ(e.line, 884);
  }
}

}  // namespace
