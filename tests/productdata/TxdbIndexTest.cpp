// Guards the generated database's indexes: each positions array orders every record by the
// format's own comparison rules, and each key part addresses its field's record offset.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>

#include "productdata/TxdbImage.h"

namespace {

const TxdbTable& TableNamed(const std::vector<TxdbTable>& tables, const std::string& name)
{
  for (const TxdbTable& table : tables)
    if (table.name == name)
      return table;
  throw std::runtime_error("no table " + name);
}

struct Part
{
  std::uint32_t type, offset, length;
};

void ExpectParts(const std::vector<TxdbTable>& tables, const std::string& name, size_t index,
                 const std::vector<Part>& expected)
{
  SCOPED_TRACE(name + " index " + std::to_string(index));
  const TxdbTable& table = TableNamed(tables, name);
  ASSERT_LT(index - 1, table.indexes.size());
  const TxdbIndex& actual = table.indexes[index - 1];
  ASSERT_EQ(actual.parts.size(), expected.size());
  std::uint32_t keyLength = 0;
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(actual.parts[i].type, expected[i].type) << "part " << i + 1;
    EXPECT_EQ(actual.parts[i].offset, expected[i].offset) << "part " << i + 1;
    EXPECT_EQ(actual.parts[i].length, expected[i].length) << "part " << i + 1;
    keyLength += expected[i].length;
  }
  EXPECT_EQ(actual.keyLength, keyLength);
}

}  // namespace

TEST(TxdbIndexes, EveryPositionsArrayIsAPermutationInAscendingKeyOrder)
{
  std::vector<TxdbTable> tables = ReadTxdbFile(GeneratedTxdbPath());
  ASSERT_EQ(tables.size(), 24u);
  for (const TxdbTable& table : tables) {
    ASSERT_FALSE(table.indexes.empty()) << table.name;
    for (size_t k = 0; k < table.indexes.size(); ++k) {
      const TxdbIndex& index = table.indexes[k];
      SCOPED_TRACE(table.name + " index " + std::to_string(k + 1));
      std::vector<std::uint32_t> sorted = index.positions;
      std::sort(sorted.begin(), sorted.end());
      std::vector<std::uint32_t> all(table.records.size());
      std::iota(all.begin(), all.end(), 0u);
      ASSERT_EQ(sorted, all) << "not every record appears exactly once";
      for (size_t i = 1; i < index.positions.size(); ++i)
        EXPECT_LE(CompareByIndex(index, table.records[index.positions[i - 1]], table.records[index.positions[i]]), 0)
            << "positions " << i - 1 << " and " << i << " are out of order";
    }
  }
}

// Key parts carry the field's 0-based record offset, not its position in the packed key; the
// tables below are those where the two differ.
TEST(TxdbIndexes, KeyPartsAddressTheirFieldsInTheRecord)
{
  std::vector<TxdbTable> tables = ReadTxdbFile(GeneratedTxdbPath());
  ExpectParts(tables, "OPTEXCPT", 2, {{8, 4, 2}, {8, 6, 5}, {4, 36, 4}, {8, 35, 1}, {4, 40, 4}, {4, 0, 4}});
  ExpectParts(tables, "SUBTYPES", 2, {{8, 0, 2}, {3, 67, 2}});
  ExpectParts(tables, "GRILHDRS", 2, {{8, 4, 2}, {8, 6, 5}, {8, 11, 12}, {4, 23, 4}});
  ExpectParts(tables, "OPTCATS", 2, {{1, 42, 2}, {4, 0, 4}});
  ExpectParts(tables, "JOINSPAC", 2, {{4, 4, 4}, {6, 8, 4}});
  ExpectParts(tables, "JOINSPCX", 2, {{4, 4, 4}, {6, 16, 4}});
  ExpectParts(tables, "JOINTBL", 4, {{4, 8, 4}, {4, 4, 4}, {4, 0, 4}});
  ExpectParts(tables, "ENTITIES", 1, {{4, 0, 4}, {8, 5, 8}});
  ExpectParts(tables, "ELEVLINE", 1, {{4, 0, 4}, {3, 4, 2}, {6, 6, 4}});
  ExpectParts(tables, "COMPSETS", 1, {{4, 0, 4}, {4, 4, 4}, {7, 8, 8}, {7, 16, 8}, {1, 24, 2}, {6, 26, 4}, {3, 30, 2}});
  ExpectParts(tables, "STDSIZES", 6, {{8, 0, 2}, {8, 2, 5}, {6, 45, 4}, {6, 23, 4}, {6, 49, 4}});
  ExpectParts(tables, "DBVER", 1, {{8, 0, 20}, {8, 20, 20}});
}

TEST(TxdbIndexes, TablesAreChainedUnderTheirNames)
{
  std::vector<TxdbTable> tables = ReadTxdbFile(GeneratedTxdbPath());
  std::map<std::string, size_t> indexCounts;
  for (const TxdbTable& table : tables)
    indexCounts[table.name] = table.indexes.size();
  std::map<std::string, size_t> expected = {
      {"TYPES", 1},    {"SUBTYPES", 2}, {"STDSIZES", 8}, {"OPERS", 1},    {"OPERCHOI", 1}, {"OPTCATS", 2},
      {"OPTCHOIC", 1}, {"OPTTABLE", 1}, {"OPTEXCPT", 2}, {"JOINING", 1},  {"JOINTBL", 4},  {"JOINSPAC", 2},
      {"JOINSPCX", 2}, {"JOINOPTX", 1}, {"COMPONET", 1}, {"COMPSETS", 1}, {"ENTITIES", 1}, {"ELEMCOMP", 1},
      {"ELEVLINE", 1}, {"GRILHDRS", 2}, {"GRILPROP", 1}, {"ARLIMITS", 1}, {"VGLIMITS", 1}, {"DBVER", 1}};
  EXPECT_EQ(indexCounts, expected);
}
