#include "productdb/Dbslots.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "productdb/Sdfbytes.h"
#include "productdb/Sdfcheck.h"
#include "productdb/Sdfkey.h"
#include "productdb/txdbExcp.h"
#include "support/Trace.h"

namespace {

constexpr const char* kSource = "Recobj";
constexpr int kLineStatus = 176;
constexpr int kLineStatusInSlot = 54;
constexpr int kLineTooManyDatabases = 196;
constexpr int kLineFileAllocation = 49;
constexpr int kLineOpen = 63;
constexpr int kLineTooManyTables = 235;
constexpr int kLineRecordBuffer = 106;
constexpr int kLineDatabaseRelease = 75;
constexpr int kLineTableRelease = 150;
constexpr int kLineRecordNumber = 901;
constexpr int kLineIndexPosition = 945;
constexpr int kLineRecordRead = 912;
// Tables of at most this many bytes are read into memory at their first open.
constexpr long long kCacheLimit = 57000;

struct Registry
{
  CDatabaseSlot databases[kMaxDatabaseSlots];
  int databaseCount = 0;
  CTableSlot tables[kMaxTableSlots];
  int tableCount = 0;
};

Registry& TheRegistry()
{
  // Never destroyed: record objects held by static objects give their slots back at exit.
  static auto* registry = new Registry;
  return *registry;
}

[[noreturn]] void Fail(int line, int cause = CTXDBException::readError) { throw CTXDBException(kSource, line, cause); }

void OpenDatabaseSlot(CDatabaseSlot& slot, const CString& path)
{
  std::unique_ptr<CFile> file(new (std::nothrow) CFile);
  if (!file)
    Fail(kLineFileAllocation);
  if (!CFile::GetStatus(path, slot.status)) {
    CTXDBException e(kSource, kLineStatusInSlot, CTXDBException::fileNotFound);
    e.AppendFileName(path);
    throw e;
  }
  CFileException error;
  if (!file->Open(path, CFile::modeRead | CFile::shareDenyWrite, &error))
    Fail(kLineOpen, error.m_cause);
  // The whole file is checked before any table is used, so damage never surfaces mid-session.
  CheckSdfFile(*file);
  slot.file = std::move(file);
  slot.openedAs = path.GetLength() > 0 && path[0] == '/' ? path : CString();
  slot.useCount = 0;
}

void OpenTableSlot(CTableSlot& slot, int databaseSlot, CFile& file, const CString& name, bool keepInMemory)
{
  slot.definition.Load(file, name);
  slot.databaseSlot = databaseSlot;
  int length = slot.definition.header.recordLength;
  slot.recordBuffer.reset(new (std::nothrow) BYTE[static_cast<size_t>(length) + 1]());
  if (!slot.recordBuffer)
    Fail(kLineRecordBuffer);
  slot.recordBufferSize = length;
  long long blockSize = slot.definition.GetBlockSize();
  slot.block.reset();
  if (blockSize <= kCacheLimit || keepInMemory) {
    // A block that cannot be allocated is simply served page by page from the file.
    slot.block.reset(new (std::nothrow) BYTE[static_cast<size_t>(blockSize)]);
    if (slot.block)
      CSdfTableDef::ReadAt(file, slot.definition.tableStart, slot.block.get(), blockSize, kSource, kLineRecordRead);
  }
  if (!slot.block)
    slot.pages.Reset(&file, slot.definition.tableStart, blockSize);
  slot.useCount = 0;
}

// The first position in [0, count) whose entry is above the key (above) or not below it
// (!above); `compareAt` compares the entry at a position with the key (-1, 0, +1). `equal`
// tells whether the entry at that position equals the key.
template <class CompareAt>
int Search(int count, bool above, bool& equal, CompareAt compareAt)
{
  equal = false;
  if (count <= 0)
    return 0;
  // One conditional move per step and no branch on the comparison: which half a random key lies
  // in cannot be predicted, and a mispredicted branch costs more than the comparison.
  const int limit = above ? 1 : 0;
  int base = 0;
  for (int n = count; n > 1;) {
    int half = n / 2;
    base = compareAt(base + half) < limit ? base + half : base;
    n -= half;
  }
  int result = compareAt(base);
  if (result < limit) {
    ++base;
    if (above || base == count)
      return base;
    result = compareAt(base);
  }
  equal = result == 0;
  return base;
}

template <class T>
int Order(T entry, T key)
{
  return (entry > key) - (entry < key);
}

// The first position in [0, count) whose word is above the query (above) or not below it
// (!above), with the same branch-free steps as Search but one plain comparison each.
int SearchWords(const std::uint64_t* words, int count, std::uint64_t query, bool above, bool& equal)
{
  equal = false;
  if (count <= 0)
    return 0;
  const std::uint64_t* base = words;
  for (int n = count; n > 1;) {
    int half = n / 2;
    base = (above ? base[half] <= query : base[half] < query) ? base + half : base;
    n -= half;
  }
  int position = static_cast<int>(base - words) + (above ? *base <= query : *base < query);
  equal = !above && position < count && words[position] == query;
  return position;
}

// Whether the header names the table, letters compared without case as CString::CompareNoCase
// compares them. No string is made and most names differ at their first letter: every record
// object asks this of the open tables.
bool IsTableNamed(const CSdfTableHeader& header, const CString& name)
{
  const auto* wanted = reinterpret_cast<const unsigned char*>(name.c_str());
  const auto lower = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c; };
  for (int i = 0; i < kSdfTableNameSize; ++i) {
    const auto held = static_cast<unsigned char>(header.name[i]);
    if (held == 0)
      return wanted[i] == 0;
    // A name that ends here differs from the letter held, which is not 0.
    if (lower(held) != lower(wanted[i]))
      return false;
  }
  return wanted[kSdfTableNameSize] == 0;
}

}  // namespace

void CTableSlot::ReadRecord(int n)
{
  const BYTE* record = RecordAt(n);
  if (record != recordBuffer.get())
    std::copy_n(record, recordBufferSize, recordBuffer.get());
}

const BYTE* CTableSlot::RecordAt(int n)
{
  const CSdfTableHeader& header = definition.header;
  if (n < 0 || n >= header.recordCount)
    Fail(kLineRecordNumber);
  long long offset = header.dataOffset + static_cast<long long>(n) * header.recordLength;
  if (block)
    return block.get() + offset;
  return pages.Get(offset, header.recordLength, recordBuffer.get());
}

int CTableSlot::GetRecordNumber(const CSdfIndexDef& index, int position)
{
  if (position < 0 || position >= definition.header.recordCount)
    Fail(kLineIndexPosition);
  long long offset = index.positionsOffset + 4LL * position;
  if (block)
    return static_cast<int>(SdfLoadU32(block.get() + offset));
  BYTE word[4];
  return static_cast<int>(SdfLoadU32(pages.Get(offset, 4, word)));
}

int CTableSlot::Bound(const CSdfIndexDef& index, const BYTE* key, bool above, bool& equal)
{
  const int count = definition.header.recordCount;
  if (block) {
    CNormalKeys& normal = normalKeys[&index - definition.indexes];
    if (normal.state == CNormalKeys::ready || MakeNormalKeys(index, normal)) {
      std::uint64_t query = 0;
      if (normal.length <= 8) {
        if (NormalKeyWord(index, key, query))
          return SearchWords(normal.words.data(), count, query, above, equal);
      } else if (NormalizeKey(index, key, normal.query.data())) {
        const BYTE* bytes = normal.bytes.data();
        const size_t length = static_cast<size_t>(normal.length);
        return Search(count, above, equal, [&](int position) {
          return Order(std::memcmp(bytes + static_cast<size_t>(position) * length, normal.query.data(), length), 0);
        });
      }
    }
  }
  return Search(count, above, equal, [&](int position) {
    return CompareRecordWithKey(index, RecordAt(GetRecordNumber(index, position)), key);
  });
}

bool CTableSlot::MakeNormalKeys(const CSdfIndexDef& index, CNormalKeys& normal)
{
  if (normal.state != CNormalKeys::notMade)
    return normal.state == CNormalKeys::ready;
  normal.state = CNormalKeys::unavailable;
  normal.length = NormalKeyLength(index);
  if (normal.length < 0)
    return false;
  const size_t count = static_cast<size_t>(definition.header.recordCount);
  const size_t length = static_cast<size_t>(normal.length);
  try {
    if (length <= 8)
      normal.words.resize(count);
    else
      normal.bytes.resize(count * length);
    normal.query.resize(length);
    std::vector<BYTE> packed(static_cast<size_t>(index.keyLength));
    for (size_t position = 0; position < count; ++position) {
      PackKeyFromRecord(index, RecordAt(GetRecordNumber(index, static_cast<int>(position))), packed.data());
      bool made = length <= 8 ? NormalKeyWord(index, packed.data(), normal.words[position])
                              : NormalizeKey(index, packed.data(), normal.bytes.data() + position * length);
      if (!made)
        return false;
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  normal.state = CNormalKeys::ready;
  return true;
}

int AcquireDatabaseSlot(const CString& path)
{
  Registry& r = TheRegistry();
  for (int i = 0; i < r.databaseCount; ++i) {
    if (!r.databases[i].openedAs.IsEmpty() && r.databases[i].openedAs == path) {
      ++r.databases[i].useCount;
      return i;
    }
  }
  CFileStatus status;
  if (!CFile::GetStatus(path, status)) {
    CTXDBException e(kSource, kLineStatus, CTXDBException::fileNotFound);
    e.AppendFileName(path);
    throw e;
  }
  for (int i = 0; i < r.databaseCount; ++i) {
    if (r.databases[i].status.m_szFullName == status.m_szFullName) {
      ++r.databases[i].useCount;
      return i;
    }
  }
  if (r.databaseCount >= kMaxDatabaseSlots)
    Fail(kLineTooManyDatabases);
  CDatabaseSlot& slot = r.databases[r.databaseCount];
  OpenDatabaseSlot(slot, path);
  slot.useCount = 1;
  return r.databaseCount++;
}

int AcquireTableSlot(int databaseSlot, const CString& tableName)
{
  Registry& r = TheRegistry();
  bool keepInMemory = tableName.GetLength() > 0 && tableName[0] == '~';
  CString name = keepInMemory ? tableName.Mid(1) : tableName;
  // One slot per table of each database, so two files never mix their tables.
  for (int i = 0; i < r.tableCount; ++i) {
    CTableSlot& slot = r.tables[i];
    if (slot.databaseSlot == databaseSlot && IsTableNamed(slot.definition.header, name)) {
      ++slot.useCount;
      return i;
    }
  }
  if (r.tableCount >= kMaxTableSlots)
    Fail(kLineTooManyTables);
  CTableSlot& slot = r.tables[r.tableCount];
  OpenTableSlot(slot, databaseSlot, *r.databases[databaseSlot].file, name, keepInMemory);
  slot.useCount = 1;
  return r.tableCount++;
}

void AddDatabaseUse(int slot) { ++TheRegistry().databases[slot].useCount; }
void AddTableUse(int slot) { ++TheRegistry().tables[slot].useCount; }

void ReleaseDatabaseSlot(int slot)
{
  int& count = TheRegistry().databases[slot].useCount;
  if (--count < 0) {
    PCTRACE(TT_APPLICATION, TL_WARNING)
    ("Database slot %d released below zero (Recobj, %d).\n", slot, kLineDatabaseRelease);
    count = 0;
  }
}

void ReleaseTableSlot(int slot)
{
  int& count = TheRegistry().tables[slot].useCount;
  if (--count < 0) {
    PCTRACE(TT_APPLICATION, TL_WARNING)("Table slot %d released below zero (Recobj, %d).\n", slot, kLineTableRelease);
    count = 0;
  }
}

CTableSlot& TableSlot(int slot) { return TheRegistry().tables[slot]; }
int GetDatabaseSlotCount() { return TheRegistry().databaseCount; }
int GetTableSlotCount() { return TheRegistry().tableCount; }

BOOL ResetDatabaseSlots()
{
  Registry& r = TheRegistry();
  for (int i = 0; i < r.databaseCount; ++i)
    if (r.databases[i].useCount > 0)
      return FALSE;
  for (int i = 0; i < r.tableCount; ++i)
    if (r.tables[i].useCount > 0)
      return FALSE;
  for (CTableSlot& slot : r.tables)
    slot = CTableSlot();
  for (CDatabaseSlot& slot : r.databases)
    slot = CDatabaseSlot();
  r.databaseCount = 0;
  r.tableCount = 0;
  return TRUE;
}
