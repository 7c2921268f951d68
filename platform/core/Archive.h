#pragma once
// Binary archive with the class library's byte layout: little-endian primitives, 1/3/7-byte
// string prefixes, element counts, and object tags counted per archive. Loading checks every
// length and count against the bytes that remain before it allocates anything.
#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include "platform/core/Exception.h"
#include "platform/core/File.h"
#include "platform/core/Ptrindex.h"

class CArchive
{
public:
  enum Mode
  {
    store = 0,
    load = 1,
    bNoFlushOnDelete = 2
  };

  CArchive(CFile* file, UINT mode, int bufferSize = 4096, void* buffer = nullptr);
  ~CArchive();
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  BOOL IsLoading() const { return (m_nMode & load) != 0; }
  BOOL IsStoring() const { return (m_nMode & load) == 0; }
  CFile* GetFile() const { return m_pFile; }
  void Flush();
  void Close();
  // Drops what is buffered without writing it.
  void Abort();

  UINT Read(void* buffer, UINT count);
  // Reads up to count bytes onto the end of `to`, straight from the buffer; the number read.
  // Room reserved beforehand is taken without the bytes being set twice.
  UINT ReadAppend(std::vector<BYTE>& to, UINT count);
  void Write(const void* buffer, UINT count);
  // Reads exactly count bytes or throws an end-of-file archive error.
  void ReadExact(void* buffer, UINT count);
  // Bytes that a load can still read.
  unsigned long long GetRemaining() const;
  // Throws an end-of-file archive error unless count items of at least minBytes each can remain.
  void CheckAvailable(unsigned long long count, unsigned long long minBytes = 1) const;

  CArchive& operator<<(BYTE v) { return WriteLE(v); }
  CArchive& operator<<(WORD v) { return WriteLE(v); }
  CArchive& operator<<(DWORD v) { return WriteLE(v); }
  CArchive& operator<<(LONG v) { return WriteLE(v); }
  CArchive& operator<<(double v) { return WriteLE(v); }
  CArchive& operator<<(float v) { return WriteLE(v); }
  CArchive& operator<<(const CString& s);
  CArchive& operator<<(const CObject* ob)
  {
    WriteObject(ob);
    return *this;
  }

  CArchive& operator>>(BYTE& v) { return ReadLE(v); }
  CArchive& operator>>(WORD& v) { return ReadLE(v); }
  CArchive& operator>>(DWORD& v) { return ReadLE(v); }
  CArchive& operator>>(LONG& v) { return ReadLE(v); }
  CArchive& operator>>(double& v) { return ReadLE(v); }
  CArchive& operator>>(float& v) { return ReadLE(v); }
  CArchive& operator>>(CString& s);
  CArchive& operator>>(CObject*& ob)
  {
    ob = ReadObject(nullptr);
    return *this;
  }

  // A count announces the elements that follow: the object map makes room for that many objects
  // at once (on loading, no more than the remaining bytes can hold), so it does not grow on the way.
  void WriteCount(DWORD count);
  DWORD ReadCount();
  // How often the object map had to grow past the room the counts made.
  UINT GetMapGrowthCount() const { return m_storedObjects.GetGrowthCount() + m_nLoadGrowths; }

  void WriteObject(const CObject* ob);
  // Announces an object that will be written a little later: a list of many objects names the
  // one a few places ahead, so that looking it up in the object map finds it in the cache.
  void WillWriteObject(const CObject* ob) const { m_storedObjects.Prefetch(ob); }
  // Creates the next object; one that is not of the expected class (when given) is a bad-class error.
  CObject* ReadObject(const CRuntimeClass* expected);
  // The same for an object that must be new here: a null or a reference to an object read
  // before is a bad-index error (a list that owns its elements would own it twice).
  CObject* ReadNewObject(const CRuntimeClass* expected);
  // Schema number of the object being loaded (its class is versionable).
  UINT GetObjectSchema() const { return m_nObjectSchema; }
  // Every object this archive has created so far, in the order read, less each whose own load
  // failed (the archive deleted it); a reader that gives up on the whole archive owns them all.
  // A class whose failing load deletes objects it read itself must let go of them instead.
  std::vector<CObject*> GetLoadedObjects() const;
  // A mark of what the archive has read so far, and the objects it has created since a mark
  // (less each whose own load failed): what one part of the archive made for itself.
  size_t GetLoadedMark() const { return m_loaded.size(); }
  std::vector<CObject*> GetLoadedObjectsSince(size_t mark) const;

private:
  // The stored format is little-endian whatever the host; on a little-endian host the bytes are
  // copied as they are. A value that fits in the buffer is copied in place; projects hold many
  // thousands of small fields.
  template <class T>
  static void ToLittleEndian(BYTE (&bytes)[sizeof(T)], T v)
  {
    std::memcpy(bytes, &v, sizeof v);
    if constexpr (std::endian::native == std::endian::big)
      std::reverse(bytes, bytes + sizeof v);
  }
  template <class T>
  static T FromLittleEndian(BYTE (&bytes)[sizeof(T)])
  {
    if constexpr (std::endian::native == std::endian::big)
      std::reverse(bytes, bytes + sizeof(T));
    T v;
    std::memcpy(&v, bytes, sizeof v);
    return v;
  }
  template <class T>
  CArchive& WriteLE(T v)
  {
    BYTE bytes[sizeof v];
    ToLittleEndian(bytes, v);
    if (IsStoring() && m_end + sizeof v <= m_buffer.size()) {
      std::memcpy(m_buffer.data() + m_end, bytes, sizeof v);
      m_end += sizeof v;
      return *this;
    }
    Write(bytes, sizeof v);
    return *this;
  }
  template <class T>
  CArchive& ReadLE(T& v)
  {
    BYTE bytes[sizeof v];
    if (IsLoading() && m_cur + sizeof v <= m_end) {
      std::memcpy(bytes, m_buffer.data() + m_cur, sizeof v);
      m_cur += sizeof v;
    } else {
      ReadExact(bytes, sizeof v);
    }
    v = FromLittleEndian<T>(bytes);
    return *this;
  }
  void FillBuffer();
  template <typename Take>
  UINT ReadPieces(UINT count, Take take);
  CObject* ReadObject(const CRuntimeClass* expected, bool newOnly);
  void ReserveLoaded(unsigned long long count);
  void AddLoaded(const CRuntimeClass* cls, CObject* ob);
  void WriteTag(WORD small, DWORD big, DWORD index, DWORD bigFlag);
  [[noreturn]] void Fail(int cause) const;

  CFile* m_pFile;
  UINT m_nMode;
  std::vector<BYTE> m_buffer;
  size_t m_cur = 0;  // next byte in the buffer
  size_t m_end = 0;  // end of valid bytes (loading) or of pending bytes (storing)
  long long m_fileLength = 0;
  bool m_closed = false;

  // Per-archive index counter shared by classes and objects, starting at 1.
  DWORD m_nMapCount = 1;
  CPtrIndexMap m_storedObjects;
  CPtrIndexMap m_storedClasses;
  struct CLoaded
  {
    const CRuntimeClass* cls;  // null where an object sits
    CObject* ob;               // null where a class sits
  };
  std::vector<CLoaded> m_loaded;  // by index
  UINT m_nLoadGrowths = 0;
  UINT m_nObjectSchema = static_cast<UINT>(-1);
};
