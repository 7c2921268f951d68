#include "productdb/Sdfdef.h"

#include <climits>
#include <cstring>
#include <set>

#include "platform/core/File.h"
#include "productdb/Sdfbytes.h"
#include "productdb/Sdfkey.h"
#include "productdb/txdbExcp.h"

namespace {

constexpr const char* kSource = "Sdfdef";
constexpr int kLineBadMagic = 160;
constexpr int kLineNoSuchTable = 178;
constexpr int kLineTooManyFields = 129;
constexpr int kLineTooManyIndexes = 138;
constexpr int kLineTooManyKeyParts = 98;
// Checks of a file that is not trusted to be well formed.
constexpr int kLineShortRead = 71;
constexpr int kLineNegativeCount = 118;
constexpr int kLineChainLoop = 174;
constexpr int kLineBlockOutsideFile = 190;
constexpr int kLineDescriptorsOutsideBlock = 194;
constexpr int kLineRecordsOutsideBlock = 198;
constexpr int kLinePositionsOutsideBlock = 202;
constexpr int kLineKeyPartOutsideRecord = 206;
constexpr int kLineKeyLength = 210;
constexpr int kLineRecordLongerThanFile = 214;

[[noreturn]] void Fail(int line) { throw CTXDBException(kSource, line, CTXDBException::readError); }

long long FileLength(CFile& file)
{
  try {
    return file.GetLength();
  } catch (const CFileException&) {
    Fail(kLineShortRead);
  }
}

CSdfFieldDef ParseFieldDef(const BYTE* bytes)
{
  CSdfFieldDef def;
  def.type = static_cast<int>(SdfLoadU32(bytes));
  def.offset = static_cast<int>(SdfLoadU32(bytes + 4));
  def.length = static_cast<int>(SdfLoadU32(bytes + 8));
  return def;
}

}  // namespace

void CSdfTableHeader::Parse(const BYTE* bytes)
{
  std::memcpy(name, bytes, kSdfTableNameSize);
  endOffset = static_cast<int>(SdfLoadU32(bytes + 32));
  nextHeader = SdfLoadU32(bytes + 36);
  recordCount = static_cast<int>(SdfLoadU32(bytes + 40));
  dataOffset = static_cast<int>(SdfLoadU32(bytes + 44));
  recordLength = static_cast<int>(SdfLoadU32(bytes + 48));
  fieldCount = static_cast<int>(SdfLoadU32(bytes + 52));
  indexCount = static_cast<int>(SdfLoadU32(bytes + 56));
}

CString CSdfTableHeader::GetName() const { return CString(name, static_cast<int>(strnlen(name, kSdfTableNameSize))); }

void CSdfTableDef::ReadAt(CFile& file, long long offset, void* buffer, long long count, const char* sourceFile,
                          int line)
{
  if (offset < 0 || count < 0 || count > static_cast<long long>(UINT_MAX))
    throw CTXDBException(sourceFile, line, CTXDBException::readError);
  try {
    file.Seek(offset, CFile::begin);
    if (file.Read(buffer, static_cast<UINT>(count)) == static_cast<UINT>(count))
      return;
  } catch (const CFileException&) {}
  throw CTXDBException(sourceFile, line, CTXDBException::readError);
}

void CSdfTableDef::CheckMagic(CFile& file)
{
  BYTE word[4];
  ReadAt(file, 0, word, 4, kSource, kLineBadMagic);
  if (SdfLoadU32(word) != kSdfMagic)
    Fail(kLineBadMagic);
}

long long CSdfTableDef::FindTable(CFile& file, const char* tableName)
{
  CheckMagic(file);
  // A chain that points back at a header already met would never end.
  std::set<long long> visited;
  long long position = 4;
  for (;;) {
    BYTE bytes[kSdfHeaderSize];
    ReadAt(file, position, bytes, kSdfHeaderSize, kSource, kLineShortRead);
    CSdfTableHeader header;
    header.Parse(bytes);
    if (header.GetName().CompareNoCase(tableName) == 0)
      return position;
    if (header.nextHeader == kSdfEndOfChain)
      Fail(kLineNoSuchTable);
    visited.insert(position);
    position = header.nextHeader;
    if (visited.count(position))
      Fail(kLineChainLoop);
  }
}

void CSdfTableDef::Load(CFile& file, const char* tableName) { LoadAt(file, FindTable(file, tableName)); }

void CSdfTableDef::LoadAt(CFile& file, long long start)
{
  tableStart = start;
  BYTE bytes[kSdfHeaderSize];
  ReadAt(file, tableStart, bytes, kSdfHeaderSize, kSource, kLineShortRead);
  header.Parse(bytes);
  long long position = tableStart + kSdfHeaderSize;
  ReadFields(file, position);
  ReadIndexes(file, position);
  CheckCounts();
  CheckBlock(FileLength(file), position);
  for (int i = 0; i < header.indexCount; ++i)
    CheckIndex(indexes[i]);
}

void CSdfTableDef::ReadFields(CFile& file, long long& position)
{
  if (header.fieldCount > kSdfMaxFields)
    Fail(kLineTooManyFields);
  if (header.fieldCount < 0)
    Fail(kLineNegativeCount);
  for (int i = 0; i < header.fieldCount; ++i) {
    BYTE bytes[kSdfFieldDefSize];
    ReadAt(file, position, bytes, kSdfFieldDefSize, kSource, kLineShortRead);
    fields[i] = ParseFieldDef(bytes);
    position += kSdfFieldDefSize;
  }
}

void CSdfTableDef::ReadIndexes(CFile& file, long long& position)
{
  if (header.indexCount > kSdfMaxIndexes)
    Fail(kLineTooManyIndexes);
  if (header.indexCount < 0)
    Fail(kLineNegativeCount);
  for (int i = 0; i < header.indexCount; ++i) {
    CSdfIndexDef& index = indexes[i];
    BYTE head[kSdfIndexHeadSize];
    ReadAt(file, position, head, kSdfIndexHeadSize, kSource, kLineShortRead);
    position += kSdfIndexHeadSize;
    std::memcpy(index.name, head, kSdfIndexNameSize);
    index.positionsOffset = static_cast<int>(SdfLoadU32(head + 16));
    index.keyLength = static_cast<int>(SdfLoadU32(head + 20));
    index.keyPartCount = static_cast<int>(SdfLoadU32(head + 24));
    if (index.keyPartCount > kSdfMaxKeyParts)
      Fail(kLineTooManyKeyParts);
    if (index.keyPartCount < 0)
      Fail(kLineNegativeCount);
    for (int k = 0; k < index.keyPartCount; ++k) {
      BYTE part[kSdfFieldDefSize];
      ReadAt(file, position, part, kSdfFieldDefSize, kSource, kLineShortRead);
      index.keyParts[k] = ParseFieldDef(part);
      position += kSdfFieldDefSize;
    }
  }
}

void CSdfTableDef::CheckCounts() const
{
  if (header.recordCount < 0 || header.recordLength < 0 || header.dataOffset < 0 || header.endOffset < 0)
    Fail(kLineNegativeCount);
}

void CSdfTableDef::CheckBlock(long long fileLength, long long descriptorsEnd) const
{
  long long blockSize = GetBlockSize();
  if (blockSize <= 0 || tableStart + blockSize > fileLength)
    Fail(kLineBlockOutsideFile);
  if (descriptorsEnd - tableStart > blockSize)
    Fail(kLineDescriptorsOutsideBlock);
  long long recordsEnd =
      static_cast<long long>(header.dataOffset) + static_cast<long long>(header.recordCount) * header.recordLength;
  if (recordsEnd > blockSize)
    Fail(kLineRecordsOutsideBlock);
  // Without records the check above says nothing of the length, yet the record buffer and the
  // key buffers are sized from it: a damaged header must not make them larger than the file.
  if (header.recordLength > fileLength)
    Fail(kLineRecordLongerThanFile);
}

void CSdfTableDef::CheckIndex(const CSdfIndexDef& index) const
{
  long long positionsEnd = static_cast<long long>(index.positionsOffset) + 4LL * header.recordCount;
  if (index.positionsOffset < 0 || positionsEnd > GetBlockSize())
    Fail(kLinePositionsOutsideBlock);
  long long sum = 0;
  for (int k = 0; k < index.keyPartCount; ++k) {
    const CSdfFieldDef& part = index.keyParts[k];
    // A number part shorter than its value would make the comparison read past the part.
    if (part.offset < 0 || part.length < KeyTypeWidth(part.type) ||
        static_cast<long long>(part.offset) + part.length > header.recordLength)
      Fail(kLineKeyPartOutsideRecord);
    sum += part.length;
  }
  if (sum != index.keyLength)
    Fail(kLineKeyLength);
}
