#include "productdb/Sdfcheck.h"

#include <memory>
#include <new>
#include <set>
#include <vector>

#include "platform/core/File.h"
#include "productdb/Sdfbytes.h"
#include "productdb/Sdfdef.h"
#include "productdb/Sdfkey.h"
#include "productdb/txdbExcp.h"

namespace {

constexpr const char* kSource = "Sdfcheck";
constexpr int kLineChainLoop = 52;
constexpr int kLineBlockAllocation = 64;
constexpr int kLineRecordNumber = 79;
constexpr int kLineRecordTwice = 81;
constexpr int kLineIndexOrder = 88;

[[noreturn]] void Fail(int line) { throw CTXDBException(kSource, line, CTXDBException::readError); }

// One positions array: every entry names a record of the table, each record once, and the
// records it lists follow the index's key order.
void CheckIndexOrder(const CSdfTableDef& table, const CSdfIndexDef& index, const BYTE* block)
{
  const CSdfTableHeader& header = table.header;
  const DWORD count = static_cast<DWORD>(header.recordCount);
  const size_t length = static_cast<size_t>(header.recordLength);
  const BYTE* positions = block + index.positionsOffset;
  const BYTE* data = block + header.dataOffset;
  std::vector<bool> seen(count);
  std::vector<BYTE> previousKey(static_cast<size_t>(index.keyLength) + 1);
  for (DWORD p = 0; p < count; ++p) {
    const DWORD n = SdfLoadU32(positions + 4 * static_cast<size_t>(p));
    if (n >= count)
      Fail(kLineRecordNumber);
    if (seen[n])
      Fail(kLineRecordTwice);
    seen[n] = true;
    const BYTE* record = data + n * length;
    if (p > 0 && CompareRecordWithKey(index, record, previousKey.data()) < 0)
      Fail(kLineIndexOrder);
    PackKeyFromRecord(index, record, previousKey.data());
  }
}

void CheckTable(CFile& file, const CSdfTableDef& table)
{
  const long long size = table.GetBlockSize();
  std::unique_ptr<BYTE[]> block(new (std::nothrow) BYTE[static_cast<size_t>(size)]);
  if (!block)
    Fail(kLineBlockAllocation);
  CSdfTableDef::ReadAt(file, table.tableStart, block.get(), size, kSource, kLineBlockAllocation);
  for (int i = 1; i <= table.GetIndexCount(); ++i)
    CheckIndexOrder(table, table.GetIndex(i), block.get());
}

}  // namespace

void CheckSdfFile(CFile& file)
{
  // A fault the table reader names itself is reported as the reader reports it.
  CSdfTableDef::CheckMagic(file);
  // The descriptors are checked against the file by the same load a look-up uses.
  std::set<long long> visited;
  long long position = 4;
  for (;;) {
    if (!visited.insert(position).second)
      Fail(kLineChainLoop);
    auto table = std::make_unique<CSdfTableDef>();
    table->LoadAt(file, position);
    CheckTable(file, *table);
    if (table->header.nextHeader == kSdfEndOfChain)
      return;
    position = table->header.nextHeader;
  }
}
