// Guards the key order shared by the index search and the writer: logical TRUE first, signed
// numbers, -0.0 equal to 0.0, raw unsigned text bytes with NULs compared, and the refused types;
// and the normal form of keys, whose byte order must be that same order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
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
  EXPECT_EQ(CompareTexts({0xE9}, {0x7A}), 1);                     // unsigned: é after z
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

// A key of one part of each comparable type: logical, short, long, float, double, 3 text bytes.
struct MixedKey
{
  std::uint16_t logical;
  std::int16_t shortValue;
  std::int32_t longValue;
  float floatValue;
  double doubleValue;
  BYTE text[3];
};

CSdfIndexDef MixedIndex()
{
  CSdfIndexDef index;
  const int types[] = {sdfKeyLogical, sdfKeyShort, sdfKeyLong, sdfKeyFloat, sdfKeyDouble, sdfKeyText};
  const int lengths[] = {2, 2, 4, 4, 8, 3};
  int offset = 0;
  for (int k = 0; k < 6; ++k) {
    index.keyParts[k] = {types[k], offset, lengths[k]};
    offset += lengths[k];
  }
  index.keyPartCount = 6;
  index.keyLength = offset;
  return index;
}

std::vector<BYTE> Pack(const MixedKey& key)
{
  std::vector<BYTE> bytes(23);
  SdfStoreU16(bytes.data(), key.logical);
  SdfStoreU16(bytes.data() + 2, static_cast<std::uint16_t>(key.shortValue));
  SdfStoreU32(bytes.data() + 4, static_cast<std::uint32_t>(key.longValue));
  SdfStoreFloat(bytes.data() + 8, key.floatValue);
  SdfStoreDouble(bytes.data() + 12, key.doubleValue);
  std::memcpy(bytes.data() + 20, key.text, 3);
  return bytes;
}

TEST(SdfkeyTest, NormalFormsCompareAsBytesExactlyAsTheKeysCompare)
{
  const CSdfIndexDef index = MixedIndex();
  ASSERT_EQ(NormalKeyLength(index), 1 + 2 + 4 + 4 + 8 + 3);
  // The values that sit at the edges of each order: signs, zeros of both signs, extremes,
  // logical words other than 0 and 0xFFFF, text bytes above 0x7F and NULs.
  const std::uint16_t logicals[] = {0, 1, 0xFFFF};
  const std::int16_t shorts[] = {-32768, -1, 0, 1, 32767};
  const std::int32_t longs[] = {std::numeric_limits<std::int32_t>::min(), -2, 0, 3,
                                std::numeric_limits<std::int32_t>::max()};
  const float floats[] = {-std::numeric_limits<float>::infinity(), -1.5f, -0.0f, 0.0f, 1e-40f, 2.5f, 3e38f};
  const double doubles[] = {-1e300, -0.0, 0.0, 5e-324, 1.0, std::numeric_limits<double>::infinity()};
  const BYTE texts[][3] = {{0, 0, 0}, {'A', 0, 0}, {'A', 'B', 0}, {'a', 0, 0}, {0xE9, 0, 0}, {0xFF, 0xFF, 0xFF}};
  std::vector<MixedKey> keys;
  for (int i = 0; i < 400; ++i) {
    MixedKey key{};
    key.logical = logicals[i % 3];
    key.shortValue = shorts[(i / 3) % 5];
    key.longValue = longs[(i / 2) % 5];
    key.floatValue = floats[(i / 5) % 7];
    key.doubleValue = doubles[(i / 7) % 6];
    std::memcpy(key.text, texts[(i / 11) % 6], 3);
    keys.push_back(key);
  }
  const int length = NormalKeyLength(index);
  for (const MixedKey& a : keys) {
    std::vector<BYTE> packedA = Pack(a);
    std::vector<BYTE> normalA(static_cast<size_t>(length));
    ASSERT_TRUE(NormalizeKey(index, packedA.data(), normalA.data()));
    for (size_t j = 0; j < keys.size(); j += 7) {
      std::vector<BYTE> packedB = Pack(keys[j]);
      std::vector<BYTE> normalB(static_cast<size_t>(length));
      ASSERT_TRUE(NormalizeKey(index, packedB.data(), normalB.data()));
      int bytes = std::memcmp(normalA.data(), normalB.data(), static_cast<size_t>(length));
      EXPECT_EQ((bytes > 0) - (bytes < 0), CompareRecordWithKey(index, packedA.data(), packedB.data()));
    }
  }
}

// The parts `chosen` of the mixed index as an index of their own, and a mixed key packed for it.
CSdfIndexDef SubIndex(const std::vector<int>& chosen)
{
  const CSdfIndexDef mixed = MixedIndex();
  CSdfIndexDef index;
  for (int k : chosen) {
    index.keyParts[index.keyPartCount] = mixed.keyParts[k];
    index.keyParts[index.keyPartCount++].offset = index.keyLength;
    index.keyLength += mixed.keyParts[k].length;
  }
  return index;
}

std::vector<BYTE> PackSub(const MixedKey& key, const std::vector<int>& chosen)
{
  const CSdfIndexDef mixed = MixedIndex();
  const std::vector<BYTE> whole = Pack(key);
  std::vector<BYTE> bytes;
  for (int k : chosen) {
    const BYTE* part = whole.data() + mixed.keyParts[k].offset;
    bytes.insert(bytes.end(), part, part + mixed.keyParts[k].length);
  }
  return bytes;
}

TEST(SdfkeyTest, ShortKeysAsNumbersAreTheirNormalFormsAndKeepTheOrder)
{
  const std::vector<std::vector<int>> selections = {{0, 1, 2}, {4}, {3, 5}, {2, 2}, {1, 0, 5}, {0}};
  const float floats[] = {-2.0f, -0.0f, 0.0f, 1e-40f, 7.0f};
  for (const std::vector<int>& chosen : selections) {
    const CSdfIndexDef index = SubIndex(chosen);
    const int length = NormalKeyLength(index);
    ASSERT_LE(length, 8);
    std::vector<std::vector<BYTE>> packed;
    for (int i = 0; i < 60; ++i) {
      MixedKey key{};
      key.logical = static_cast<std::uint16_t>(i % 3 == 0 ? 0 : i);
      key.shortValue = static_cast<std::int16_t>((i % 7 - 3) * 9000);
      key.longValue = (i % 5 - 2) * 1000000000;
      key.floatValue = floats[i % 5];
      key.doubleValue = (i % 4 - 1.5) * 1e10;
      key.text[0] = static_cast<BYTE>(i % 2 ? 0xE9 : 0x41);
      key.text[2] = static_cast<BYTE>(i % 3);
      packed.push_back(PackSub(key, chosen));
    }
    for (const std::vector<BYTE>& a : packed) {
      std::uint64_t wordA = 0;
      ASSERT_TRUE(NormalKeyWord(index, a.data(), wordA));
      std::vector<BYTE> normal(8, 0);
      ASSERT_TRUE(NormalizeKey(index, a.data(), normal.data()));
      std::uint64_t expected = 0;
      for (BYTE b : normal)
        expected = (expected << 8) | b;
      EXPECT_EQ(wordA, expected);
      for (const std::vector<BYTE>& b : packed) {
        std::uint64_t wordB = 0;
        ASSERT_TRUE(NormalKeyWord(index, b.data(), wordB));
        EXPECT_EQ((wordA > wordB) - (wordA < wordB), CompareRecordWithKey(index, a.data(), b.data()));
      }
    }
  }
  // A longer key, a NaN and a type without order have no number.
  std::uint64_t word = 0;
  MixedKey key{};
  EXPECT_FALSE(NormalKeyWord(MixedIndex(), Pack(key).data(), word));
  key.floatValue = std::numeric_limits<float>::quiet_NaN();
  EXPECT_FALSE(NormalKeyWord(SubIndex({3}), PackSub(key, {3}).data(), word));
  CSdfIndexDef other = SubIndex({2});
  other.keyParts[0].type = 5;
  EXPECT_FALSE(NormalKeyWord(other, PackSub(key, {2}).data(), word));
}

TEST(SdfkeyTest, ANaNOrATypeWithoutOrderHasNoNormalForm)
{
  CSdfIndexDef index = MixedIndex();
  MixedKey key{};
  key.floatValue = std::numeric_limits<float>::quiet_NaN();
  std::vector<BYTE> normal(static_cast<size_t>(NormalKeyLength(index)));
  EXPECT_FALSE(NormalizeKey(index, Pack(key).data(), normal.data()));
  key.floatValue = 1.0f;
  key.doubleValue = std::nan("");
  EXPECT_FALSE(NormalizeKey(index, Pack(key).data(), normal.data()));
  index.keyParts[2].type = 5;
  EXPECT_EQ(NormalKeyLength(index), -1);
}

}  // namespace
