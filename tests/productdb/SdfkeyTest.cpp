// Guards the key order shared by the index search and the writer: logical TRUE first, signed
// numbers, -0.0 equal to 0.0, raw unsigned text bytes with NULs compared, and the refused types.
#include <gtest/gtest.h>

#include <vector>

#include "productdb/Sdfbytes.h"
#include "productdb/Sdfdef.h"
#include "productdb/Sdfkey.h"
#include "productdb/txdbExcp.h"

namespace {

int CompareWords(int type, std::uint32_t record, std::uint32_t key)
{
  BYTE a[4], b[4];
  SdfStoreU32(a, record);
  SdfStoreU32(b, key);
  return CompareKeyPart(type, a, b, 4);
}

int CompareTexts(const std::vector<BYTE>& record, const std::vector<BYTE>& key)
{
  return CompareKeyPart(sdfKeyText, record.data(), key.data(), static_cast<int>(record.size()));
}

TEST(SdfkeyTest, LogicalTrueSortsBeforeFalseAndAnyNonZeroIsTrue)
{
  EXPECT_EQ(CompareWords(sdfKeyLogical, 0xFFFF, 0), -1);
  EXPECT_EQ(CompareWords(sdfKeyLogical, 0, 0xFFFF), 1);
  EXPECT_EQ(CompareWords(sdfKeyLogical, 1, 0xFFFF), 0);
  EXPECT_EQ(CompareWords(sdfKeyLogical, 0, 0), 0);
}

TEST(SdfkeyTest, NumbersCompareSignedAndNumerically)
{
  EXPECT_EQ(CompareWords(sdfKeyShort, 0xFFFF, 1), -1);  // -1 < 1
  EXPECT_EQ(CompareWords(sdfKeyLong, 0x80000000u, 0x7FFFFFFFu), -1);
  EXPECT_EQ(CompareWords(sdfKeyLong, 7, 7), 0);
  BYTE a[8], b[8];
  SdfStoreFloat(a, -2.5f);
  SdfStoreFloat(b, 1.0f);
  EXPECT_EQ(CompareKeyPart(sdfKeyFloat, a, b, 4), -1);
  SdfStoreFloat(a, -0.0f);
  SdfStoreFloat(b, 0.0f);
  EXPECT_EQ(CompareKeyPart(sdfKeyFloat, a, b, 4), 0);
  SdfStoreDouble(a, -0.0);
  SdfStoreDouble(b, 0.0);
  EXPECT_EQ(CompareKeyPart(sdfKeyDouble, a, b, 8), 0);
  SdfStoreDouble(a, 1e300);
  SdfStoreDouble(b, 1e299);
  EXPECT_EQ(CompareKeyPart(sdfKeyDouble, a, b, 8), 1);
}

TEST(SdfkeyTest, TextComparesEveryByteUnsignedIncludingPaddingNuls)
{
  EXPECT_EQ(CompareTexts({0x41, 0x42, 0, 0, 0}, {0x41, 0x42, 0x20, 0, 0}), -1);
  EXPECT_EQ(CompareTexts({0x41, 0, 0x58}, {0x41, 0, 0x59}), -1);  // no stop at the NUL
  EXPECT_EQ(CompareTexts({0xE9}, {0x7A}), 1);                      // unsigned: é after z
  EXPECT_EQ(CompareTexts({0x41, 0x42}, {0x41, 0x42}), 0);
  BYTE x = 1, y = 2;
  EXPECT_EQ(CompareKeyPart(sdfKeyText2, &x, &y, 1), -1);
}

TEST(SdfkeyTest, TypesWithoutAnOrderThrowWithTheirLines)
{
  BYTE a[4] = {}, b[4] = {};
  const std::pair<int, int> cases[] = {{2, 1128}, {5, 1162}, {11, 1210}, {12, 1214}, {0, 1218}, {9, 1218}};
  for (auto [type, line] : cases) {
    try {
      CompareKeyPart(type, a, b, 4);
      ADD_FAILURE() << "type " << type;
    } catch (const CTXDBException& e) {
      EXPECT_EQ(e.line, line) << "type " << type;
      EXPECT_EQ(e.file, CString("Recobj"));
      EXPECT_EQ(e.cause, 1);
    }
  }
}

TEST(SdfkeyTest, TheFirstDifferingPartDecidesAndPackingFollowsThePartOrder)
{
  CSdfIndexDef index;
  index.keyPartCount = 2;
  index.keyParts[0] = {sdfKeyLong, 4, 4};  // the second long of the record leads
  index.keyParts[1] = {sdfKeyShort, 0, 2};
  index.keyLength = 6;
  BYTE record[8] = {};
  SdfStoreU16(record, 5);
  SdfStoreU32(record + 4, 9);
  BYTE key[6];
  PackKeyFromRecord(index, record, key);
  EXPECT_EQ(SdfLoadU32(key), 9u);
  EXPECT_EQ(SdfLoadU16(key + 4), 5u);
  EXPECT_EQ(CompareRecordWithKey(index, record, key), 0);
  SdfStoreU16(key + 4, 0xFFFF);  // -1: the record is greater in the second part
  EXPECT_EQ(CompareRecordWithKey(index, record, key), 1);
  SdfStoreU32(key, 10);  // the first part now decides the other way
  EXPECT_EQ(CompareRecordWithKey(index, record, key), -1);
}

}  // namespace
