#include "platform/core/Archive.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

constexpr WORD kNullTag = 0x0000;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr DWORD kBigClassTag = 0x80000000;
constexpr WORD kBigObjectTag = 0x7FFF;
constexpr DWORD kMaxMapCount = 0x3FFFFFFE;
// Every object a count announces takes at least its two-byte tag.
constexpr unsigned long long kMinObjectBytes = 2;
// Loaded classes take indexes among the objects; a few are met with each new kind of element.
constexpr size_t kClassRoom = 32;

}  // namespace

CArchive::CArchive(CFile* file, UINT mode, int bufferSize, void*)
  : m_pFile(file), m_nMode(mode), m_buffer(static_cast<size_t>(std::max(bufferSize, 128)))
{
  m_loaded.push_back(CLoaded{nullptr, nullptr});
  if (IsLoading())
    m_fileLength = m_pFile->GetLength();
}

CArchive::~CArchive()
{
  // A storing archive destroyed without Close (an exception unwinding) writes nothing more.
  if (!m_closed)
    Abort();
}

void CArchive::Fail(int cause) const
{
  throw CArchiveException(cause, m_pFile ? m_pFile->GetFilePath().c_str() : nullptr);
}

void CArchive::Flush()
{
  if (IsStoring() && m_end > 0) {
    m_pFile->Write(m_buffer.data(), static_cast<UINT>(m_end));
    m_end = 0;
  }
  m_pFile->Flush();
}

void CArchive::Close()
{
  if (m_closed)
    return;
  if (IsStoring())
    Flush();
  m_closed = true;
}

void CArchive::Abort()
{
  m_end = 0;
  m_cur = 0;
  m_closed = true;
}

void CArchive::Write(const void* buffer, UINT count)
{
  if (IsLoading())
    Fail(CArchiveException::readOnly);
  const BYTE* p = static_cast<const BYTE*>(buffer);
  while (count > 0) {
    if (m_end == m_buffer.size()) {
      m_pFile->Write(m_buffer.data(), static_cast<UINT>(m_end));
      m_end = 0;
    }
    size_t n = std::min<size_t>(count, m_buffer.size() - m_end);
    std::memcpy(m_buffer.data() + m_end, p, n);
    m_end += n;
    p += n;
    count -= static_cast<UINT>(n);
  }
}

void CArchive::FillBuffer()
{
  m_cur = 0;
  m_end = m_pFile->Read(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
}

// Hands the next count bytes, or as many as the file still holds, to take in the pieces the
// buffer holds them in; returns how many it handed.
template <typename Take>
UINT CArchive::ReadPieces(UINT count, Take take)
{
  if (IsStoring())
    Fail(CArchiveException::writeOnly);
  UINT done = 0;
  while (done < count) {
    if (m_cur == m_end) {
      FillBuffer();
      if (m_end == 0)
        break;
    }
    const size_t n = std::min<size_t>(count - done, m_end - m_cur);
    take(m_buffer.data() + m_cur, n, done);
    m_cur += n;
    done += static_cast<UINT>(n);
  }
  return done;
}

UINT CArchive::Read(void* buffer, UINT count)
{
  BYTE* p = static_cast<BYTE*>(buffer);
  return ReadPieces(count, [p](const BYTE* from, size_t n, UINT done) { std::memcpy(p + done, from, n); });
}

UINT CArchive::ReadAppend(std::vector<BYTE>& to, UINT count)
{
  return ReadPieces(count, [&to](const BYTE* from, size_t n, UINT) { to.insert(to.end(), from, from + n); });
}

void CArchive::ReadExact(void* buffer, UINT count)
{
  if (Read(buffer, count) != count)
    Fail(CArchiveException::endOfFile);
}

unsigned long long CArchive::GetRemaining() const
{
  long long inFile = m_fileLength - m_pFile->GetPosition();
  return static_cast<unsigned long long>(std::max<long long>(inFile, 0)) + (m_end - m_cur);
}

void CArchive::CheckAvailable(unsigned long long count, unsigned long long minBytes) const
{
  if (count == 0)
    return;
  if (count > GetRemaining() / std::max<unsigned long long>(minBytes, 1))
    Fail(CArchiveException::endOfFile);
}

CArchive& CArchive::operator<<(const CString& s)
{
  DWORD n = static_cast<DWORD>(s.GetLength());
  if (n < 255) {
    *this << static_cast<BYTE>(n);
  } else if (n < 0xFFFE) {
    *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(n);
  } else {
    *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << n;
  }
  Write(s.c_str(), n);
  return *this;
}

CArchive& CArchive::operator>>(CString& s)
{
  BYTE b = 0;
  *this >> b;
  DWORD n = b;
  if (b == 0xFF) {
    WORD w = 0;
    *this >> w;
    n = w;
    if (w == 0xFFFF)
      *this >> n;
  }
  CheckAvailable(n);
  std::string text(n, '\0');
  ReadExact(text.data(), n);
  s = CString(std::move(text));
  return *this;
}

void CArchive::WriteCount(DWORD count)
{
  m_storedObjects.Reserve(count);
  if (count < 0xFFFF) {
    *this << static_cast<WORD>(count);
  } else {
    *this << static_cast<WORD>(0xFFFF) << count;
  }
}

DWORD CArchive::ReadCount()
{
  WORD w = 0;
  *this >> w;
  if (w != 0xFFFF) {
    ReserveLoaded(w);
    return w;
  }
  DWORD n = 0;
  *this >> n;
  ReserveLoaded(n);
  return n;
}

void CArchive::ReserveLoaded(unsigned long long count)
{
  count = std::min(count, GetRemaining() / kMinObjectBytes);
  const size_t wanted = m_loaded.size() + static_cast<size_t>(count) + kClassRoom;
  // Many small counts in a row must not reallocate each time.
  if (wanted > m_loaded.capacity())
    m_loaded.reserve(std::max(wanted, 2 * m_loaded.capacity()));
}

void CArchive::AddLoaded(const CRuntimeClass* cls, CObject* ob)
{
  if (m_loaded.size() == m_loaded.capacity())
    ++m_nLoadGrowths;
  m_loaded.push_back(CLoaded{cls, ob});
}

void CArchive::WriteTag(WORD small, DWORD big, DWORD index, DWORD bigFlag)
{
  if (index < kBigObjectTag) {
    *this << static_cast<WORD>(small | index);
  } else {
    *this << kBigObjectTag << (big | bigFlag | index);
  }
}

void CArchive::WriteObject(const CObject* ob)
{
  if (!ob) {
    *this << kNullTag;
    return;
  }
  if (DWORD index = m_storedObjects.Lookup(ob)) {
    WriteTag(0, 0, index, 0);
    return;
  }
  const CRuntimeClass* cls = ob->GetRuntimeClass();
  if (cls->m_wSchema == 0xFFFF)
    Fail(CArchiveException::badClass);
  if (DWORD index = m_storedClasses.Lookup(cls)) {
    WriteTag(kClassTag, 0, index, kBigClassTag);
  } else {
    size_t nameLength = std::strlen(cls->m_lpszClassName);
    *this << kNewClassTag << static_cast<WORD>(cls->m_wSchema & ~VERSIONABLE_SCHEMA) << static_cast<WORD>(nameLength);
    Write(cls->m_lpszClassName, static_cast<UINT>(nameLength));
    if (m_nMapCount >= kMaxMapCount)
      Fail(CArchiveException::badIndex);
    m_storedClasses.Insert(cls, m_nMapCount++);
  }
  m_storedObjects.Insert(ob, m_nMapCount++);
  const_cast<CObject*>(ob)->Serialize(*this);
}

CObject* CArchive::ReadObject(const CRuntimeClass* expected) { return ReadObject(expected, false); }

CObject* CArchive::ReadNewObject(const CRuntimeClass* expected) { return ReadObject(expected, true); }

CObject* CArchive::ReadObject(const CRuntimeClass* expected, bool newOnly)
{
  WORD tag = 0;
  *this >> tag;
  DWORD obTag;
  if (tag == kBigObjectTag) {
    *this >> obTag;
  } else {
    obTag = (static_cast<DWORD>(tag & kClassTag) << 16) | (tag & 0x7FFF);
  }

  const CRuntimeClass* cls = nullptr;
  if (tag == kNewClassTag) {
    WORD schema = 0, nameLength = 0;
    *this >> schema >> nameLength;
    CheckAvailable(nameLength);
    std::string name(nameLength, '\0');
    ReadExact(name.data(), nameLength);
    cls = CRuntimeClass::FromName(name.c_str());
    if (!cls)
      Fail(CArchiveException::badClass);
    if (!(cls->m_wSchema & VERSIONABLE_SCHEMA) && (cls->m_wSchema & 0xFFFF) != schema)
      Fail(CArchiveException::badSchema);
    m_nObjectSchema = schema;
    AddLoaded(cls, nullptr);
  } else if (obTag & kBigClassTag) {
    DWORD index = obTag & ~kBigClassTag;
    if (index == 0 || index >= m_loaded.size() || !m_loaded[index].cls)
      Fail(CArchiveException::badIndex);
    cls = m_loaded[index].cls;
    m_nObjectSchema = static_cast<UINT>(-1);
  } else {
    if (newOnly)
      Fail(CArchiveException::badIndex);
    if (obTag == 0)
      return nullptr;
    if (obTag >= m_loaded.size() || !m_loaded[obTag].ob)
      Fail(CArchiveException::badIndex);
    CObject* ob = m_loaded[obTag].ob;
    if (expected && !ob->IsKindOf(expected))
      Fail(CArchiveException::badClass);
    return ob;
  }

  if (expected && !cls->IsDerivedFrom(expected))
    Fail(CArchiveException::badClass);
  std::unique_ptr<CObject> ob(cls->CreateObject());
  if (!ob)
    Fail(CArchiveException::badClass);
  AddLoaded(nullptr, ob.get());
  const size_t index = m_loaded.size() - 1;
  try {
    ob->Serialize(*this);
  } catch (...) {
    // The object goes: the map must not name it any more.
    m_loaded[index].ob = nullptr;
    throw;
  }
  return ob.release();
}

std::vector<CObject*> CArchive::GetLoadedObjects() const { return GetLoadedObjectsSince(0); }

std::vector<CObject*> CArchive::GetLoadedObjectsSince(size_t mark) const
{
  std::vector<CObject*> objects;
  for (size_t i = mark; i < m_loaded.size(); ++i)
    if (m_loaded[i].ob)
      objects.push_back(m_loaded[i].ob);
  return objects;
}
