#include "productdb/Sdfkey.h"

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
  case 2: line = kLineType2; break;
  case 5: line = kLineType5; break;
  case 11: line = kLineType11; break;
  case 12: line = kLineType12; break;
  default: break;
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
