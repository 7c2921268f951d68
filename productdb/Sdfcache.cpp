#include "productdb/Sdfcache.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "productdb/Sdfdef.h"
#include "productdb/txdbExcp.h"

namespace {

constexpr const char* kSource = "Recobj";
constexpr int kLineRecordRead = 912;
constexpr int kLineCacheAllocation = 106;

}  // namespace

void CSdfBlockCache::Reset(CFile* file, long long blockStart, long long blockSize)
{
  m_file = file;
  m_blockStart = blockStart;
  m_blockSize = blockSize;
  long long pages = (blockSize + kPageSize - 1) / kPageSize;
  try {
    m_slotOfPage.assign(static_cast<size_t>(pages), -1);
    m_pageOfSlot.assign(kPageCount, -1);
    m_lastUse.assign(kPageCount, 0);
    m_pages.reset(new BYTE[static_cast<size_t>(kPageSize) * kPageCount]);
  } catch (const std::bad_alloc&) {
    throw CTXDBException(kSource, kLineCacheAllocation, CTXDBException::readError);
  }
  m_useCounter = 0;
}

const BYTE* CSdfBlockCache::Get(long long offset, int count, BYTE* scratch)
{
  long long page = offset / kPageSize;
  int inPage = static_cast<int>(offset % kPageSize);
  if (inPage + count <= kPageSize)
    return Page(page) + inPage;
  for (int done = 0; done < count; ++page, inPage = 0) {
    int n = std::min(count - done, kPageSize - inPage);
    std::memcpy(scratch + done, Page(page) + inPage, static_cast<size_t>(n));
    done += n;
  }
  return scratch;
}

const BYTE* CSdfBlockCache::Page(long long page)
{
  if (page < 0 || page >= static_cast<long long>(m_slotOfPage.size()))
    throw CTXDBException(kSource, kLineRecordRead, CTXDBException::readError);
  int& slot = m_slotOfPage[static_cast<size_t>(page)];
  if (slot < 0) {
    int free = Evict();
    BYTE* bytes = m_pages.get() + static_cast<size_t>(free) * kPageSize;
    CSdfTableDef::ReadAt(*m_file, m_blockStart + page * kPageSize, bytes, BytesOfPage(page), kSource, kLineRecordRead);
    m_pageOfSlot[static_cast<size_t>(free)] = page;
    slot = free;
  }
  m_lastUse[static_cast<size_t>(slot)] = ++m_useCounter;
  return m_pages.get() + static_cast<size_t>(slot) * kPageSize;
}

// The slot used longest ago (an empty one first), its page forgotten.
int CSdfBlockCache::Evict()
{
  int oldest = 0;
  unsigned oldestAge = 0;
  for (int i = 0; i < kPageCount; ++i) {
    if (m_pageOfSlot[static_cast<size_t>(i)] < 0) {
      oldest = i;
      break;
    }
    // Ages count in unsigned arithmetic, so the counter may wrap.
    unsigned age = m_useCounter - m_lastUse[static_cast<size_t>(i)];
    if (age > oldestAge) {
      oldest = i;
      oldestAge = age;
    }
  }
  long long page = m_pageOfSlot[static_cast<size_t>(oldest)];
  if (page >= 0)
    m_slotOfPage[static_cast<size_t>(page)] = -1;
  m_pageOfSlot[static_cast<size_t>(oldest)] = -1;
  return oldest;
}

int CSdfBlockCache::BytesOfPage(long long page) const
{
  return static_cast<int>(std::min<long long>(kPageSize, m_blockSize - page * kPageSize));
}
