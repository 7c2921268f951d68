#include "project/Dsgstore.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <initializer_list>
#include <new>

#include "platform/core/Archive.h"
#include "project/Design.h"
#include "project/Stamp.h"
#include "support/Checksum.h"
#include "support/Exceptn.h"
#include "support/Trace.h"

IMPLEMENT_SERIAL(CDesignStore, CObject, VERSIONABLE_SCHEMA | 10000)
IMPLEMENT_DYNCREATE(CDesignStoreArray, CObOwnArray)

namespace {

constexpr const char* kModule = "Dsgstore";
constexpr int kCopyFailedLine = 74;
constexpr int kNoBlockLine = 151;
constexpr int kBlockAllocLine = 232;
constexpr int kBlockShortLine = 240;

constexpr UINT kGrowBytes = 1024;
constexpr int kBufferSize = 4096;
// Every stored-design reference takes at least its two-byte tag.
constexpr unsigned long long kMinStoreBytes = 2;

}  // namespace

CDesignStore::CDesignStore() : m_created(CTime::GetCurrentTime()), m_modified(m_created) {}

CDesignStore::CDesignStore(const CDesignStore& other) : CObject(other) { *this = other; }

CDesignStore& CDesignStore::operator=(const CDesignStore& other)
{
  if (&other == this)
    return *this;
  try {
    m_block = other.m_block;
  } catch (const std::bad_alloc&) {
    // The cause goes with the failure, for a store that cannot be made to tell why.
    CAppException failure(kModule, kCopyFailedLine);
    failure.message = std::strerror(ENOMEM);
    throw failure;
  }
  m_strName = other.m_strName;
  m_dwChecksum = other.m_dwChecksum;
  m_bChecksumTaken = other.m_bChecksumTaken;
  m_dDesignWidth = other.m_dDesignWidth;
  m_dDesignHeight = other.m_dDesignHeight;
  m_created = other.m_created;
  m_modified = other.m_modified;
  m_dScaleFactor = other.m_dScaleFactor;
  m_scrollPosition = other.m_scrollPosition;
  m_windowRect = other.m_windowRect;
  return *this;
}

CDesignStore::~CDesignStore() = default;

DWORD CDesignStore::GetCRC() const
{
  if (!m_bChecksumTaken) {
    m_dwChecksum = CChecksum(m_block.data(), static_cast<int>(m_block.size())).GetValue();
    m_bChecksumTaken = true;
  }
  return m_dwChecksum;
}

void CDesignStore::Store(CDesign* design)
{
  CMemFile file(kGrowBytes);
  CArchive ar(&file, CArchive::store, kBufferSize);
  design->Serialize(ar);
  ar.Close();
  m_block = file.Detach();
  m_strName = design->GetName();
  m_modified = CTime::GetCurrentTime();
  const CDesignData& data = design->GetDesignData();
  m_dDesignWidth = data.GetDesignWidth();
  m_dDesignHeight = data.GetDesignHeight();
  m_dScaleFactor = data.GetScaleFactor();
  m_scrollPosition = data.GetScrollPosition();
  m_windowRect = data.GetWindowRect();
  BlockChanged();
}

void CDesignStore::Retrieve(CDesign* design) const
{
  if (m_block.empty())
    throw CAppException(kModule, kNoBlockLine);
  CMemFile file(m_block.data(), static_cast<UINT>(m_block.size()));
  CArchive ar(&file, CArchive::load, kBufferSize);
  design->Serialize(ar);
  ar.Close();
  CDesignData& data = design->GetDesignData();
  data.SetDesignWidth(m_dDesignWidth);
  data.SetDesignHeight(m_dDesignHeight);
  data.SetScaleFactor(m_dScaleFactor);
  data.SetScrollPosition(m_scrollPosition);
  data.SetWindowRect(m_windowRect);
}

void CDesignStore::SetName(const CString& name)
{
  CDesign design;
  Retrieve(&design);
  design.SetName(name);
  Store(&design);
}

void CDesignStore::Clear()
{
  m_block.clear();
  m_block.shrink_to_fit();
  m_strName.Empty();
  m_created = m_modified = CTime::GetCurrentTime();
  m_dScaleFactor = 0.0;
  m_scrollPosition = CPoint(0, 0);
  m_windowRect = CRect(0, 0, 100, 100);
  BlockChanged();
}

BOOL CDesignStore::TakeView(const CDesignStore& other)
{
  if (m_dScaleFactor == other.m_dScaleFactor && m_scrollPosition == other.m_scrollPosition &&
      m_windowRect == other.m_windowRect)
    return FALSE;
  m_dScaleFactor = other.m_dScaleFactor;
  m_scrollPosition = other.m_scrollPosition;
  m_windowRect = other.m_windowRect;
  return TRUE;
}

void CDesignStore::Serialize(CArchive& ar)
{
  SerializeVersionStamp(ar);
  if (ar.IsStoring()) {
    ar << m_strName << static_cast<DWORD>(m_block.size());
    ar.Write(m_block.data(), static_cast<UINT>(m_block.size()));
    WriteWindowState(ar);
    return;
  }
  ar >> m_strName;
  ReadBlock(ar);
  ReadWindowState(ar);
}

// The fields after the block have a fixed layout: three doubles, two times and six 32-bit
// values, little-endian. They go through the archive as one record: a project of many designs
// writes and reads them for each one, on every save, open and check for changes.
namespace {
constexpr unsigned long long kWindowStateBytes = 3 * 8 + 2 * 4 + 6 * 4;

template <class T>
BYTE* PutLittleEndian(BYTE* at, T v)
{
  std::memcpy(at, &v, sizeof v);
  if constexpr (std::endian::native == std::endian::big)
    std::reverse(at, at + sizeof v);
  return at + sizeof v;
}

template <class T>
const BYTE* TakeLittleEndian(const BYTE* at, T& v)
{
  BYTE bytes[sizeof v];
  std::memcpy(bytes, at, sizeof v);
  if constexpr (std::endian::native == std::endian::big)
    std::reverse(bytes, bytes + sizeof v);
  std::memcpy(&v, bytes, sizeof v);
  return at + sizeof v;
}
}  // namespace

void CDesignStore::WriteWindowState(CArchive& ar) const
{
  BYTE record[kWindowStateBytes];
  BYTE* at = record;
  for (double v : {m_dDesignWidth, m_dDesignHeight, m_dScaleFactor})
    at = PutLittleEndian(at, v);
  for (DWORD v : {static_cast<DWORD>(m_created.GetTime()), static_cast<DWORD>(m_modified.GetTime())})
    at = PutLittleEndian(at, v);
  for (LONG v : {m_scrollPosition.x, m_scrollPosition.y, m_windowRect.left, m_windowRect.top, m_windowRect.right,
                 m_windowRect.bottom})
    at = PutLittleEndian(at, v);
  ar.Write(record, sizeof record);
}

void CDesignStore::ReadWindowState(CArchive& ar)
{
  // A record cut short fails before any field of the window state changes.
  ar.CheckAvailable(1, kWindowStateBytes);
  BYTE record[kWindowStateBytes];
  ar.ReadExact(record, sizeof record);
  const BYTE* at = record;
  DWORD created = 0, modified = 0;
  for (double* v : {&m_dDesignWidth, &m_dDesignHeight, &m_dScaleFactor})
    at = TakeLittleEndian(at, *v);
  at = TakeLittleEndian(at, created);
  at = TakeLittleEndian(at, modified);
  m_created = CTime(static_cast<std::time_t>(created));
  m_modified = CTime(static_cast<std::time_t>(modified));
  for (LONG* v : {&m_scrollPosition.x, &m_scrollPosition.y, &m_windowRect.left, &m_windowRect.top, &m_windowRect.right,
                  &m_windowRect.bottom})
    at = TakeLittleEndian(at, *v);
}

void CDesignStore::ReadBlock(CArchive& ar)
{
  DWORD length = 0;
  ar >> length;
  m_block.clear();
  m_block.shrink_to_fit();
  BlockChanged();
  // A length beyond what the file still holds is damage, found before anything is allocated.
  if (length > ar.GetRemaining())
    throw CAppSerializeException(kModule, kBlockShortLine, CAppSerializeException::damaged);
  try {
    m_block.reserve(length);
  } catch (const std::bad_alloc&) {
    throw CAppSerializeException(kModule, kBlockAllocLine, CAppSerializeException::damaged);
  }
  if (ar.ReadAppend(m_block, length) != length)
    throw CAppSerializeException(kModule, kBlockShortLine, CAppSerializeException::damaged);
}

std::uint64_t CDesignStoreArray::HashOf(const CString& name)
{
  // FNV-1a over the folded bytes.
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (const char* p = name.c_str(); *p; ++p) {
    unsigned char c = static_cast<unsigned char>(*p);
    if (c >= 'A' && c <= 'Z')
      c = static_cast<unsigned char>(c + ('a' - 'A'));
    hash = (hash ^ c) * 0x100000001b3ull;
  }
  // The slot is taken from the low bits: fold the well-mixed high bits into them.
  return hash ^ (hash >> 32);
}

long long CDesignStoreArray::FindSlot(const CString& name, std::uint64_t hash) const
{
  if (m_slots.empty())
    return -1;
  const size_t mask = m_slots.size() - 1;
  for (size_t at = hash & mask;; at = (at + 1) & mask) {
    const CNameSlot& slot = m_slots[at];
    if (slot.index < 0)
      return -1;
    if (slot.hash == hash && Holds(slot, name))
      return static_cast<long long>(at);
  }
}

bool CDesignStoreArray::Holds(const CNameSlot& slot, const CString& name) const
{
  const char* folded = m_folded.data() + slot.offset;
  const char* p = name.c_str();
  for (std::uint32_t i = 0; i < slot.length; ++i, ++p) {
    char c = *p;
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c + ('a' - 'A'));
    if (c == '\0' || c != folded[i])
      return false;
  }
  return *p == '\0';
}

CDesignStoreArray::CNameSlot CDesignStoreArray::NewSlot(const CString& name, std::uint64_t hash, int index) const
{
  const size_t offset = m_folded.size();
  for (const char* p = name.c_str(); *p; ++p) {
    char c = *p;
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c + ('a' - 'A'));
    m_folded.push_back(c);
  }
  return CNameSlot{hash, index, static_cast<std::uint32_t>(m_folded.size() - offset), offset};
}

void CDesignStoreArray::Compact() const
{
  std::string kept;
  kept.reserve(m_folded.size() - m_nFoldedGone);
  for (CNameSlot& slot : m_slots) {
    if (slot.index < 0)
      continue;
    const size_t offset = kept.size();
    kept.append(m_folded, slot.offset, slot.length);
    slot.offset = offset;
  }
  m_folded.swap(kept);
  m_nFoldedGone = 0;
}

void CDesignStoreArray::MakeIndex() const
{
  m_slots.clear();
  m_nNames = 0;
  m_nRepeats = 0;
  m_folded.clear();
  m_nFoldedGone = 0;
  Reserve(static_cast<size_t>(GetSize()));
  for (int i = 0; i < GetSize(); ++i)
    Index(i);
  m_bIndexed = true;
}

int CDesignStoreArray::Find(const CString& name) const
{
  if (!m_bIndexed)
    MakeIndex();
  long long at = FindSlot(name, HashOf(name));
  return at < 0 ? -1 : m_slots[static_cast<size_t>(at)].index;
}

void CDesignStoreArray::Reserve(size_t names) const
{
  size_t wanted = std::bit_ceil(std::max<size_t>(16, 2 * (m_nNames + names)));
  if (wanted <= m_slots.size())
    return;
  std::vector<CNameSlot> old(wanted);
  old.swap(m_slots);
  for (const CNameSlot& slot : old)
    if (slot.index >= 0)
      Place(slot);
}

void CDesignStoreArray::Place(const CNameSlot& slot) const
{
  const size_t mask = m_slots.size() - 1;
  size_t at = slot.hash & mask;
  while (m_slots[at].index >= 0)
    at = (at + 1) & mask;
  m_slots[at] = slot;
}

void CDesignStoreArray::Index(int index) const
{
  const CString& name = GetAt(index)->GetName();
  const std::uint64_t hash = HashOf(name);
  long long at = FindSlot(name, hash);
  if (at >= 0) {
    // The name is there already: the earlier design stays the one found.
    int& first = m_slots[static_cast<size_t>(at)].index;
    first = std::min(first, index);
    ++m_nRepeats;
    return;
  }
  Reserve(1);
  Place(NewSlot(name, hash, index));
  ++m_nNames;
}

void CDesignStoreArray::Unindex(int index) const
{
  const CString& name = GetAt(index)->GetName();
  long long at = FindSlot(name, HashOf(name));
  if (at < 0)
    return;
  CNameSlot& slot = m_slots[static_cast<size_t>(at)];
  if (m_nRepeats > 0) {
    // Another design of the same name takes over, or this one was not the first.
    for (int i = 0; i < GetSize(); ++i) {
      if (i != index && GetAt(i)->GetName().CompareNoCase(name) == 0) {
        if (slot.index == index)
          slot.index = i;
        --m_nRepeats;
        return;
      }
    }
  }
  m_nFoldedGone += slot.length;
  FreeSlot(static_cast<size_t>(at));
  --m_nNames;
  if (m_nFoldedGone > m_folded.size() / 2)
    Compact();
}

// Frees a slot and moves up the slots after it that would no longer be reached past the gap.
void CDesignStoreArray::FreeSlot(size_t at) const
{
  const size_t mask = m_slots.size() - 1;
  size_t gap = at;
  for (size_t next = (gap + 1) & mask; m_slots[next].index >= 0; next = (next + 1) & mask) {
    const size_t home = m_slots[next].hash & mask;
    // The slot may fill the gap unless its home lies cyclically after the gap, up to it.
    const bool stays = gap <= next ? (home > gap && home <= next) : (home > gap || home <= next);
    if (!stays) {
      m_slots[gap] = m_slots[next];
      gap = next;
    }
  }
  m_slots[gap] = CNameSlot();
}

int CDesignStoreArray::Add(CDesignStore* store)
{
  const int index = COwnArrayOf<CDesignStore>::Add(store);
  if (!m_bIndexed)
    return index;
  try {
    Index(index);
  } catch (...) {
    // The list and the index stay in step: the design is not added.
    CObOwnArray::RemoveAtNoDelete(index, 1);
    throw;
  }
  return index;
}

void CDesignStoreArray::Replace(int index, const CDesignStore& store)
{
  CDesignStore copy(store);
  Replace(index, std::move(copy));
}

void CDesignStoreArray::Replace(int index, CDesignStore&& store)
{
  // The index is a cache of the names: one that cannot follow the new name goes, and is made
  // again at the next search.
  if (m_bIndexed) {
    try {
      Unindex(index);
    } catch (const std::bad_alloc&) {
      DropIndex();
    }
  }
  *GetAt(index) = std::move(store);
  if (m_bIndexed) {
    try {
      Index(index);
    } catch (const std::bad_alloc&) {
      DropIndex();
    }
  }
}

void CDesignStoreArray::DropIndex() const
{
  m_slots.clear();
  m_folded.clear();
  m_nFoldedGone = 0;
  m_nNames = 0;
  m_nRepeats = 0;
  m_bIndexed = false;
}

void CDesignStoreArray::RemoveAt(int index)
{
  if (index < 0 || index >= GetSize())
    return;
  if (!m_bIndexed) {
    CObOwnArray::RemoveAt(index, 1);
    return;
  }
  Unindex(index);
  CObOwnArray::RemoveAt(index, 1);
  // The designs after it move up one place.
  for (CNameSlot& slot : m_slots)
    if (slot.index > index)
      --slot.index;
}

void CDesignStoreArray::RemoveAll()
{
  DropIndex();
  // The index of an empty list is whole.
  m_bIndexed = true;
  CObOwnArray::RemoveAll();
}

void CDesignStoreArray::Serialize(CArchive& ar)
{
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD>(GetSize()));
    // A large project's designs and the archive's map outgrow the caches: each design and its
    // map slot are fetched a few designs ahead of their turn.
    constexpr int kAhead = 8;
    for (int i = 0; i < GetSize(); ++i) {
      if (i + kAhead < GetSize()) {
        __builtin_prefetch(GetAt(i + kAhead));
        ar.WillWriteObject(GetAt(i + kAhead));
      }
      ar << GetAt(i);
    }
    return;
  }
  RemoveAll();
  DWORD count = ar.ReadCount();
  ar.CheckAvailable(count, kMinStoreBytes);
  // Opening a project needs no name looked up; the index waits for the first search.
  m_bIndexed = false;
  // The array owns each stored design once; a back-reference or a null would be owned twice or
  // leave a hole in the list.
  for (DWORD i = 0; i < count; ++i) {
    if (m_loadProgress && !m_loadProgress(static_cast<int>(i), static_cast<int>(count)))
      throw CDesignLoadCancelled();
    Add(static_cast<CDesignStore*>(ar.ReadNewObject(RUNTIME_CLASS(CDesignStore))));
  }
}
