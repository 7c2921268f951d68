#include "productdb/Sdfcheck.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
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

// The file as the check reads it: each table's header and descriptors come a few bytes at a
// time and its block then from the same place, so reads are served from a window of the file's
// bytes read ahead instead of one system call each. A read the window cannot serve takes the
// window on from where it starts; one as large as the window goes to the file itself. Every byte
// still comes from the file, read once where the tables lie one after the other.
class CReadAheadFile : public CFile
{
public:
  explicit CReadAheadFile(CFile& file) : m_file(file), m_window(new (std::nothrow) BYTE[kWindowSize]) {}

  UINT Read(void* buffer, UINT count) override
  {
    if (count == 0)
      return 0;
    if (!m_window || count >= kWindowSize) {
      m_file.Seek(m_position, CFile::begin);
      const UINT read = m_file.Read(buffer, count);
      m_position += read;
      return read;
    }
    if (m_position < m_windowStart || m_position + count > m_windowStart + m_windowBytes) {
      m_file.Seek(m_position, CFile::begin);
      m_windowStart = m_position;
      m_windowBytes = m_file.Read(m_window.get(), kWindowSize);
    }
    const long long available = std::max(0LL, m_windowStart + m_windowBytes - m_position);
    const UINT read = static_cast<UINT>(std::min<long long>(count, available));
    if (read > 0)
      std::memcpy(buffer, m_window.get() + (m_position - m_windowStart), read);
    m_position += read;
    return read;
  }

  long long Seek(long long offset, UINT from) override
  {
    const long long base = from == CFile::current ? m_position : (from == CFile::end ? GetLength() : 0);
    if (base + offset < 0)
      throw CFileException(CFileException::badSeek, EINVAL, m_file.GetFilePath());
    m_position = base + offset;
    return m_position;
  }

  long long GetLength() const override { return m_file.GetLength(); }
  long long GetPosition() const override { return m_position; }

private:
  static constexpr UINT kWindowSize = 64 * 1024;
  CFile& m_file;
  std::unique_ptr<BYTE[]> m_window;
  long long m_windowStart = 0;
  long long m_windowBytes = 0;
  long long m_position = 0;
};

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

void CheckSdfFile(CFile& disk)
{
  CReadAheadFile file(disk);
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
