// Guards the collections: list walking both ways, array edge indexes and the map's stored order.
#include <gtest/gtest.h>

#include <vector>

#include "platform/core/Array.h"
#include "platform/core/List.h"
#include "platform/core/Map.h"

TEST(CMapOrder, BucketsAscendingNewestFirstWithinABucket)
{
  // bucket = (key >> 4) % 17: 0 and 272 share bucket 0, 16 is in bucket 1, -1 in bucket 15.
  CMap<int, int, CString, const char*> map;
  for (int key : {0, 272, 16, -1})
    map.SetAt(key, "x");
  std::vector<int> order;
  for (POSITION pos = map.GetStartPosition(); pos;) {
    int key;
    CString value;
    map.GetNextAssoc(pos, key, value);
    order.push_back(key);
  }
  EXPECT_EQ(order, (std::vector<int>{272, 0, 16, -1}));
}

TEST(CMapOrder, ReplacingKeepsThePlace)
{
  CMap<DWORD, DWORD, DWORD, DWORD> map;
  map.SetAt(1, 10);
  map.SetAt(2, 20);
  map.SetAt(1, 11);
  EXPECT_EQ(map.GetCount(), 2);
  std::vector<DWORD> keys, values;
  for (POSITION pos = map.GetStartPosition(); pos;) {
    DWORD k, v;
    map.GetNextAssoc(pos, k, v);
    keys.push_back(k);
    values.push_back(v);
  }
  EXPECT_EQ(keys, (std::vector<DWORD>{2, 1}));
  EXPECT_EQ(values, (std::vector<DWORD>{20, 11}));
  EXPECT_TRUE(map.RemoveKey(2));
  EXPECT_FALSE(map.RemoveKey(2));
  DWORD v = 0;
  EXPECT_TRUE(map.Lookup(1, v));
  EXPECT_EQ(v, 11u);
}

TEST(CObListWalk, ForwardBackwardInsertRemove)
{
  CList<int, int> list;
  list.AddTail(2);
  list.AddHead(1);
  POSITION three = list.AddTail(3);
  list.InsertBefore(three, 25);
  list.InsertAfter(list.GetHeadPosition(), 15);
  std::vector<int> forward, backward;
  for (POSITION pos = list.GetHeadPosition(); pos;)
    forward.push_back(list.GetNext(pos));
  for (POSITION pos = list.GetTailPosition(); pos;)
    backward.push_back(list.GetPrev(pos));
  EXPECT_EQ(forward, (std::vector<int>{1, 15, 2, 25, 3}));
  EXPECT_EQ(backward, (std::vector<int>{3, 25, 2, 15, 1}));
  list.RemoveAt(list.Find(2));
  EXPECT_EQ(list.GetCount(), 4);
  EXPECT_EQ(list.RemoveHead(), 1);
  EXPECT_EQ(list.RemoveTail(), 3);
  EXPECT_EQ(list.GetAt(list.FindIndex(1)), 25);
  EXPECT_EQ(list.FindIndex(2), nullptr);
}

TEST(CArrayEdges, InsertPastEndGrowsAndRemoveClamps)
{
  CDWordArray a;
  a.InsertAt(3, 9);
  ASSERT_EQ(a.GetSize(), 4);
  EXPECT_EQ(a[0], 0u);
  EXPECT_EQ(a[3], 9u);
  a.RemoveAt(2, 10);
  EXPECT_EQ(a.GetSize(), 2);
  a.RemoveAt(5);
  EXPECT_EQ(a.GetSize(), 2);
  a.SetAtGrow(4, 1);
  EXPECT_EQ(a.GetUpperBound(), 4);
}
