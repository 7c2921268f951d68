#include "project/Dsgstore.h"

#include <new>
#include <unordered_set>

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

} // namespace

CDesignStore::CDesignStore() : m_created(CTime::GetCurrentTime()), m_modified(m_created)
{
  UpdateChecksum();
}

CDesignStore::CDesignStore(const CDesignStore& other) : CObject(other) { *this = other; }

CDesignStore& CDesignStore::operator=(const CDesignStore& other)
{
  if (&other == this)
    return *this;
  try {
    m_block = other.m_block;
  } catch (const std::bad_alloc&) {
    throw CAppException(kModule, kCopyFailedLine);
  }
  m_strName = other.m_strName;
  m_dwChecksum = other.m_dwChecksum;
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

void CDesignStore::UpdateChecksum()
{
  m_dwChecksum = CChecksum(m_block.data(), static_cast<int>(m_block.size())).GetValue();
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
  UpdateChecksum();
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
  UpdateChecksum();
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
  UpdateChecksum();
}

// The fields after the block have a fixed layout: three doubles, two times and six 32-bit
// values, little-endian.
namespace {
constexpr unsigned long long kWindowStateBytes = 3 * 8 + 2 * 4 + 6 * 4;
} // namespace

void CDesignStore::WriteWindowState(CArchive& ar) const
{
  ar << m_dDesignWidth << m_dDesignHeight << m_dScaleFactor;
  ar << static_cast<DWORD>(m_created.GetTime()) << static_cast<DWORD>(m_modified.GetTime());
  ar << m_scrollPosition.x << m_scrollPosition.y;
  ar << m_windowRect.left << m_windowRect.top << m_windowRect.right << m_windowRect.bottom;
}

void CDesignStore::ReadWindowState(CArchive& ar)
{
  // A record cut short fails before any field of the window state changes.
  ar.CheckAvailable(1, kWindowStateBytes);
  DWORD created = 0, modified = 0;
  ar >> m_dDesignWidth >> m_dDesignHeight >> m_dScaleFactor >> created >> modified;
  m_created = CTime(static_cast<std::time_t>(created));
  m_modified = CTime(static_cast<std::time_t>(modified));
  ar >> m_scrollPosition.x >> m_scrollPosition.y;
  ar >> m_windowRect.left >> m_windowRect.top >> m_windowRect.right >> m_windowRect.bottom;
}

void CDesignStore::ReadBlock(CArchive& ar)
{
  DWORD length = 0;
  ar >> length;
  m_block.clear();
  m_block.shrink_to_fit();
  // A length beyond what the file still holds is damage, found before anything is allocated.
  if (length > ar.GetRemaining())
    throw CAppSerializeException(kModule, kBlockShortLine, CAppSerializeException::damaged);
  try {
    m_block.resize(length);
  } catch (const std::bad_alloc&) {
    throw CAppSerializeException(kModule, kBlockAllocLine, CAppSerializeException::damaged);
  }
  if (ar.Read(m_block.data(), length) != length)
    throw CAppSerializeException(kModule, kBlockShortLine, CAppSerializeException::damaged);
}

int CDesignStoreArray::Find(const CString& name) const
{
  for (int i = 0; i < GetSize(); ++i)
    if (GetAt(i)->GetName().CompareNoCase(name) == 0)
      return i;
  return -1;
}

void CDesignStoreArray::Serialize(CArchive& ar)
{
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD>(GetSize()));
    for (int i = 0; i < GetSize(); ++i)
      ar << GetAt(i);
    return;
  }
  RemoveAll();
  DWORD count = ar.ReadCount();
  ar.CheckAvailable(count, kMinStoreBytes);
  // The array owns each stored design once; a back-reference or a null would be owned twice or
  // leave a hole in the list.
  std::unordered_set<const CObject*> seen;
  for (DWORD i = 0; i < count; ++i) {
    CObject* store = ar.ReadObject(RUNTIME_CLASS(CDesignStore));
    if (!store || !seen.insert(store).second)
      throw CArchiveException(CArchiveException::badIndex);
    Add(static_cast<CDesignStore*>(store));
  }
}
