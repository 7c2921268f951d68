// Field encodings of the product database records, and the checked field access that the
// table classes use on the shared record buffer and on the key buffer.
#include <cstring>

#include "productdb/Recobj.h"
#include "productdb/Sdfbytes.h"
#include "productdb/txdbExcp.h"

namespace {

constexpr const char* kSource = "Recobj";
constexpr int kLineFieldOutsideRecord = 1290;
constexpr int kLineKeyPartOutsideKey = 1300;

}  // namespace

CString CRecObj::GetString(const BYTE* buffer, int offset, int width)
{
  if (!buffer || width <= 0)
    return CString();
  const char* text = reinterpret_cast<const char*>(buffer + offset - 1);
  int length = static_cast<int>(strnlen(text, static_cast<size_t>(width)));
  // Blanks and control characters at the end go; bytes 0x80 and above are letters and stay.
  while (length > 0 && static_cast<unsigned char>(text[length - 1]) <= 0x20)
    --length;
  return CString(text, length);
}

CTime CRecObj::GetDate(const BYTE* buffer, int offset)
{
  const BYTE* p = buffer + offset - 1;
  return CTime(1900 + p[0], p[1], p[2], p[3], p[4], p[5]);
}

int CRecObj::GetLogical(const BYTE* buffer, int offset) { return SdfLoadU16(buffer + offset - 1) != 0 ? 1 : 0; }

void CRecObj::PutString(BYTE* buffer, const CString& value, int offset, int width)
{
  if (!buffer || width <= 0)
    return;
  BYTE* target = buffer + offset - 1;
  int copied = 0;
  while (copied < width && copied < value.GetLength() && value[copied] != '\0') {
    target[copied] = static_cast<BYTE>(value[copied]);
    ++copied;
  }
  std::memset(target + copied, 0, static_cast<size_t>(width - copied));
}

void CRecObj::PutLogical(BYTE* buffer, BOOL value, int offset)
{
  if (buffer)
    SdfStoreU16(buffer + offset - 1, value ? 0xFFFF : 0);
}

void CRecObj::FieldOutsideRecord()
{
  throw CTXDBException(kSource, kLineFieldOutsideRecord, CTXDBException::readError);
}

void CRecObj::KeyPartOutsideKey() { throw CTXDBException(kSource, kLineKeyPartOutsideKey, CTXDBException::readError); }

CString CRecObj::ReadString(int offset, int width) const
{
  CheckRecordField(offset, width);
  return GetString(GetRecordBuffer(), offset, width);
}

CTime CRecObj::ReadDate(int offset) const
{
  CheckRecordField(offset, 6);
  return GetDate(GetRecordBuffer(), offset);
}

int CRecObj::ReadLogical(int offset) const
{
  CheckRecordField(offset, 2);
  return GetLogical(GetRecordBuffer(), offset);
}

void CRecObj::PutKeyString(const CString& value, int position, int width)
{
  CheckKeyPart(position, width);
  PutString(GetKeyBuffer(), value, position, width);
}

void CRecObj::PutKeyLogical(BOOL value, int position)
{
  CheckKeyPart(position, 2);
  PutLogical(GetKeyBuffer(), value, position);
}
