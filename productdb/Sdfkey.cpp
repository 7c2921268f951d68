#include "productdb/Sdfkey.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "productdb/Sdfbytes.h"
#include "productdb/Sdfdef.h"
#include "productdb/txdbExcp.h"

namespace {

// The key comparison belongs to the record objects' index search, hence their source name.
constexpr const char* kSource = "Recobj";
constexpr int kLineType2 = 1128;
constexpr int kLineType5 = 1162;
constexpr int kLineType11 = 1210;
constexpr int kLineType12 = 1214;
constexpr int kLineOtherType = 1218;

template <class T>
int Order(T recordValue, T keyValue)
{
  return recordValue < keyValue ? -1 : (keyValue < recordValue ? 1 : 0);
}

[[noreturn]] void NotComparable(int type)
{
  int line = kLineOtherType;
  switch (type) {
  case 2:
    line = kLineType2;
    break;
  case 5:
    line = kLineType5;
    break;
  case 11:
    line = kLineType11;
    break;
  case 12:
    line = kLineType12;
    break;
  default:
    break;
  }
  throw CTXDBException(kSource, line, CTXDBException::readError);
}

}  // namespace

bool IsComparableKeyType(int type)
{
  switch (type) {
  case sdfKeyLogical:
  case sdfKeyShort:
  case sdfKeyLong:
  case sdfKeyFloat:
  case sdfKeyDouble:
  case sdfKeyText:
  case sdfKeyText2:
    return true;
  default:
    return false;
  }
}

int KeyTypeWidth(int type)
{
  switch (type) {
  case sdfKeyLogical:
  case sdfKeyShort:
    return 2;
  case sdfKeyLong:
  case sdfKeyFloat:
    return 4;
  case sdfKeyDouble:
    return 8;
  default:
    return 0;
  }
}

int CompareKeyPart(int type, const BYTE* recordValue, const BYTE* keyValue, int length)
{
  switch (type) {
  case sdfKeyLogical: {
    bool recordTrue = SdfLoadU16(recordValue) != 0;
    bool keyTrue = SdfLoadU16(keyValue) != 0;
    // TRUE sorts before FALSE.
    return recordTrue == keyTrue ? 0 : (recordTrue ? -1 : 1);
  }
  case sdfKeyShort:
    return Order(static_cast<std::int16_t>(SdfLoadU16(recordValue)), static_cast<std::int16_t>(SdfLoadU16(keyValue)));
  case sdfKeyLong:
    return Order(static_cast<std::int32_t>(SdfLoadU32(recordValue)), static_cast<std::int32_t>(SdfLoadU32(keyValue)));
  case sdfKeyFloat:
    return Order(SdfLoadFloat(recordValue), SdfLoadFloat(keyValue));
  case sdfKeyDouble:
    return Order(SdfLoadDouble(recordValue), SdfLoadDouble(keyValue));
  case sdfKeyText:
  case sdfKeyText2: {
    int diff = length > 0 ? std::memcmp(recordValue, keyValue, static_cast<size_t>(length)) : 0;
    return diff < 0 ? -1 : (diff > 0 ? 1 : 0);
  }
  default:
    NotComparable(type);
  }
}

int CompareRecordWithKey(const CSdfIndexDef& index, const BYTE* record, const BYTE* key)
{
  int keyPosition = 0;
  for (int k = 0; k < index.keyPartCount; ++k) {
    const CSdfFieldDef& part = index.keyParts[k];
    int result = CompareKeyPart(part.type, record + part.offset, key + keyPosition, part.length);
    if (result != 0)
      return result;
    keyPosition += part.length;
  }
  return 0;
}

void PackKeyFromRecord(const CSdfIndexDef& index, const BYTE* record, BYTE* key)
{
  int keyPosition = 0;
  for (int k = 0; k < index.keyPartCount; ++k) {
    const CSdfFieldDef& part = index.keyParts[k];
    if (part.length > 0)
      std::memcpy(key + keyPosition, record + part.offset, static_cast<size_t>(part.length));
    keyPosition += part.length;
  }
}

namespace {

int NormalPartLength(const CSdfFieldDef& part)
{
  switch (part.type) {
  case sdfKeyLogical:
    return 1;
  case sdfKeyText:
  case sdfKeyText2:
    return part.length;
  case sdfKeyShort:
  case sdfKeyLong:
  case sdfKeyFloat:
  case sdfKeyDouble:
    return KeyTypeWidth(part.type);
  default:
    return -1;
  }
}

// IEEE bits in an order that unsigned comparison keeps: negatives reversed below positives.
// Both zeros compare equal, so -0 is written as +0.
template <class Unsigned, class Float>
Unsigned OrderedBits(Float value)
{
  if (value == 0)
    value = 0;
  Unsigned bits = std::bit_cast<Unsigned>(value);
  const Unsigned sign = Unsigned(1) << (8 * sizeof(Unsigned) - 1);
  return (bits & sign) ? ~bits : bits | sign;
}

}  // namespace

int NormalKeyLength(const CSdfIndexDef& index)
{
  int length = 0;
  for (int k = 0; k < index.keyPartCount; ++k) {
    int part = NormalPartLength(index.keyParts[k]);
    if (part < 0)
      return -1;
    length += part;
  }
  return length;
}

namespace {

// A number's or logical's normal form: `width` bytes, as a big-endian number. False for a NaN,
// which compares equal to every number, and for a text or unknown type.
[[gnu::always_inline]] inline bool NumberPartNormal(int type, const BYTE* packed, std::uint64_t& value, int& width)
{
  switch (type) {
  case sdfKeyLogical:
    // TRUE sorts first.
    value = SdfLoadU16(packed) != 0 ? 0 : 1;
    width = 1;
    return true;
  case sdfKeyShort:
    value = SdfLoadU16(packed) ^ 0x8000u;
    width = 2;
    return true;
  case sdfKeyLong:
    value = SdfLoadU32(packed) ^ 0x80000000u;
    width = 4;
    return true;
  case sdfKeyFloat:
    if (std::isnan(SdfLoadFloat(packed)))
      return false;
    value = OrderedBits<std::uint32_t>(SdfLoadFloat(packed));
    width = 4;
    return true;
  case sdfKeyDouble:
    if (std::isnan(SdfLoadDouble(packed)))
      return false;
    value = OrderedBits<std::uint64_t>(SdfLoadDouble(packed));
    width = 8;
    return true;
  default:
    return false;
  }
}

bool IsTextKeyType(int type) { return type == sdfKeyText || type == sdfKeyText2; }

}  // namespace

bool NormalizeKey(const CSdfIndexDef& index, const BYTE* packedKey, BYTE* normal)
{
  for (int k = 0; k < index.keyPartCount; ++k) {
    const CSdfFieldDef& part = index.keyParts[k];
    if (IsTextKeyType(part.type)) {
      if (part.length > 0)
        std::memcpy(normal, packedKey, static_cast<size_t>(part.length));
      normal += std::max(part.length, 0);
    } else {
      std::uint64_t value = 0;
      int width = 0;
      if (!NumberPartNormal(part.type, packedKey, value, width))
        return false;
      for (int shift = 8 * (width - 1); shift >= 0; shift -= 8)
        *normal++ = static_cast<BYTE>(value >> shift);
    }
    packedKey += part.length;
  }
  return true;
}

bool NormalKeyWord(const CSdfIndexDef& index, const BYTE* packedKey, std::uint64_t& word)
{
  std::uint64_t result = 0;
  int used = 0;
  for (int k = 0; k < index.keyPartCount; ++k) {
    const CSdfFieldDef& part = index.keyParts[k];
    std::uint64_t value = 0;
    int width = 0;
    if (IsTextKeyType(part.type)) {
      width = std::max(part.length, 0);
      for (int i = 0; i < width; ++i)
        value = (value << 8) | packedKey[i];
    } else if (!NumberPartNormal(part.type, packedKey, value, width)) {
      return false;
    }
    used += width;
    if (used > 8)
      return false;
    result = width >= 8 ? value : (result << (8 * width)) | value;
    packedKey += part.length;
  }
  word = used == 0 ? 0 : result << (8 * (8 - used));
  return true;
}
