#include <gtest/gtest.h>

#include <random>
#include <unordered_map>
#include <vector>

#include "platform/core/Ptrhash.h"

// Keys taken, dropped and taken again at random agree with a node-based map throughout:
// neighbouring addresses crowd the same slots, so erasing from the middle of a run of them must
// leave every later key of the run still found.
TEST(PtrHashMapTest, AgreesWithANodeMapThroughRandomInsertsAndErasures)
{
  static char objects[3000];
  CPtrHashMap<int> map;
  std::unordered_map<const void*, int> oracle;
  std::mt19937 random(44);
  for (int step = 0; step < 60000; ++step) {
    const void* key = &objects[random() % 3000];
    switch (random() % 3) {
    case 0:
      map[key] = step;
      oracle[key] = step;
      break;
    case 1:
      ASSERT_EQ(map.Erase(key), oracle.erase(key) == 1) << step;
      break;
    default: {
      const int* pFound = map.Find(key);
      const auto found = oracle.find(key);
      ASSERT_EQ(pFound != nullptr, found != oracle.end()) << step;
      if (pFound) {
        ASSERT_EQ(*pFound, found->second) << step;
      }
    }
    }
    ASSERT_EQ(map.GetCount(), oracle.size()) << step;
  }
  size_t visited = 0;
  map.ForEach([&](const void* key, int& value) {
    ++visited;
    EXPECT_EQ(oracle.at(key), value);
  });
  EXPECT_EQ(visited, oracle.size());
}

TEST(PtrHashMapTest, TheNullAddressIsAKeyLikeAnyOtherAndClearingForgetsAll)
{
  int a = 0;
  int b = 0;
  CPtrHashMap<int> map;
  EXPECT_EQ(map.Find(nullptr), nullptr);
  EXPECT_FALSE(map.Erase(nullptr));
  map[nullptr] = 7;
  map[&a] = 1;
  ASSERT_NE(map.Find(nullptr), nullptr);
  EXPECT_EQ(*map.Find(nullptr), 7);
  EXPECT_EQ(map.GetCount(), 2u);
  EXPECT_FALSE(map.Contains(&b));
  int visited = 0;
  map.ForEach([&](const void* key, int& value) { visited += key ? value : 10 * value; });
  EXPECT_EQ(visited, 71);
  EXPECT_TRUE(map.Erase(nullptr));
  EXPECT_FALSE(map.Contains(nullptr));
  EXPECT_TRUE(map.Contains(&a));
  map[nullptr] = 3;
  map.Clear();
  EXPECT_TRUE(map.IsEmpty());
  EXPECT_FALSE(map.Contains(nullptr));
  EXPECT_FALSE(map.Contains(&a));
  map[&b] = 2;
  EXPECT_EQ(*map.Find(&b), 2) << "a cleared map takes keys again";
  EXPECT_EQ(map.Find(&a), nullptr);
}

TEST(PtrHashMapTest, ASetMadeFromARangeHoldsEachAddressOnce)
{
  static char objects[100];
  std::vector<const void*> keys;
  for (int round = 0; round < 2; ++round)
    for (char& object : objects)
      keys.push_back(&object);
  const CPtrHashSet set(keys.begin(), keys.end());
  EXPECT_EQ(set.GetCount(), 100u);
  for (const char& object : objects)
    EXPECT_TRUE(set.Contains(&object));
  EXPECT_FALSE(set.Contains(&objects[99] + 1));
  // A set made from an empty range, or a map given room for nothing, holds nothing and finds nothing.
  const std::vector<const void*> none;
  const CPtrHashSet empty(none.begin(), none.end());
  EXPECT_EQ(empty.GetCount(), 0u);
  for (const char& object : objects)
    EXPECT_FALSE(empty.Contains(&object));
  CPtrHashMap<int> map;
  map.Reserve(0);
  EXPECT_EQ(map.Find(&objects[0]), nullptr);
  map[&objects[0]] = 1;
  EXPECT_EQ(*map.Find(&objects[0]), 1);
}
