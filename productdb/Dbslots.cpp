#include "productdb/Dbslots.h"

#include <algorithm>
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
  static Registry registry;
  return registry;
}

[[noreturn]] void Fail(int line, int cause = CTXDBException::readError)
{
  throw CTXDBException(kSource, line, cause);
}

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
    // A block that cannot be allocated is simply read from the file record by record.
    slot.block.reset(new (std::nothrow) BYTE[static_cast<size_t>(blockSize)]);
    if (slot.block)
      CSdfTableDef::ReadAt(file, slot.definition.tableStart, slot.block.get(), blockSize, kSource, kLineRecordRead);
  }
  slot.useCount = 0;
}

}  // namespace

CFile& CTableSlot::File() const
{
  return *TheRegistry().databases[databaseSlot].file;
}

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
  CSdfTableDef::ReadAt(File(), definition.tableStart + offset, recordBuffer.get(), header.recordLength, kSource,
                       kLineRecordRead);
  return recordBuffer.get();
}

int CTableSlot::GetRecordNumber(const CSdfIndexDef& index, int position)
{
  if (position < 0 || position >= definition.header.recordCount)
    Fail(kLineIndexPosition);
  long long offset = index.positionsOffset + 4LL * position;
  if (block)
    return static_cast<int>(SdfLoadU32(block.get() + offset));
  BYTE word[4];
  CSdfTableDef::ReadAt(File(), definition.tableStart + offset, word, 4, kSource, kLineRecordRead);
  return static_cast<int>(SdfLoadU32(word));
}

int CTableSlot::Bound(const CSdfIndexDef& index, const BYTE* key, bool above, bool& equal)
{
  if (block)
    return BoundInMemory(index, key, above, equal);
  equal = false;
  int lo = 0;
  int hi = definition.header.recordCount;
  while (lo < hi) {
    int mid = lo + (hi - lo) / 2;
    int result = CompareRecordWithKey(index, RecordAt(GetRecordNumber(index, mid)), key);
    equal = equal || result == 0;
    if (result < 0 || (above && result == 0))
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo;
}

// The same search straight on the cached block: the lookups in the loop stay plain pointer work.
int CTableSlot::BoundInMemory(const CSdfIndexDef& index, const BYTE* key, bool above, bool& equal) const
{
  const CSdfTableHeader& header = definition.header;
  const BYTE* positions = block.get() + index.positionsOffset;
  const BYTE* data = block.get() + header.dataOffset;
  const DWORD count = static_cast<DWORD>(header.recordCount);
  const size_t length = static_cast<size_t>(header.recordLength);
  equal = false;
  int lo = 0;
  int hi = header.recordCount;
  while (lo < hi) {
    int mid = lo + (hi - lo) / 2;
    DWORD n = SdfLoadU32(positions + 4 * static_cast<size_t>(mid));
    if (n >= count)
      Fail(kLineRecordNumber);
    int result = CompareRecordWithKey(index, data + n * length, key);
    equal = equal || result == 0;
    if (result < 0 || (above && result == 0))
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo;
}

int AcquireDatabaseSlot(const CString& path)
{
  Registry& r = TheRegistry();
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
    if (slot.databaseSlot == databaseSlot && slot.definition.header.GetName().CompareNoCase(name) == 0) {
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
    PCTRACE(TT_APPLICATION, TL_WARNING)("Database slot %d released below zero (Recobj, %d).\n", slot, kLineDatabaseRelease);
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
