#pragma once
// Pages of a table block that is too large to be kept in memory, read from the database file
// when a search first needs them and kept in a small cache: a table is never copied whole, yet
// the probes of a search seldom reach the file. A short read (the file shrank or changed while
// open) throws CTXDBException (cause 1) like any other damage.
#include <memory>
#include <vector>

#include "platform/core/Types.h"

class CFile;

class CSdfBlockCache
{
public:
  static constexpr int kPageSize = 4096;
  static constexpr int kPageCount = 64;

  // Serves the block of `blockSize` bytes at `blockStart` of the file; forgets every page.
  void Reset(CFile* file, long long blockStart, long long blockSize);
  // Address of `count` bytes at `offset` of the block. Bytes inside one page are served in
  // place; bytes across pages are gathered into `scratch`, which must hold `count` bytes.
  // The address stays valid until the next call.
  const BYTE* Get(long long offset, int count, BYTE* scratch);

private:
  const BYTE* Page(long long page);
  int Evict();
  int BytesOfPage(long long page) const;

  CFile* m_file = nullptr;
  long long m_blockStart = 0;
  long long m_blockSize = 0;
  std::vector<int> m_slotOfPage;        // per page of the block: its slot, or -1
  std::vector<long long> m_pageOfSlot;  // per slot: its page, or -1
  std::vector<unsigned> m_lastUse;      // per slot: the use counter when last served
  std::unique_ptr<BYTE[]> m_pages;
  unsigned m_useCounter = 0;
};
