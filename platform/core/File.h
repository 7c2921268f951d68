#pragma once
// Files with the class library's interface: a disk file over a POSIX descriptor and a memory file.
// Share modes map onto advisory locks (deny-write: shared lock, exclusive: exclusive lock), so a
// second opener of a locked project sees a sharing violation.
#include <ctime>
#include <vector>

#include "platform/core/Exception.h"

struct CFileStatus
{
  std::time_t m_ctime = 0;
  std::time_t m_mtime = 0;
  std::time_t m_atime = 0;
  long long m_size = 0;
  BYTE m_attribute = 0;
  CString m_szFullName;
};

class CFile : public CObject
{
  DECLARE_DYNAMIC(CFile)
public:
  enum OpenFlags : UINT
  {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    // A file this open makes is its owner's only (0600), whatever the umask; one already there
    // is made so before a byte is written, and a symbolic link in its place is refused.
    modePrivate = 0x0100,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000
  };
  enum SeekPosition
  {
    begin = 0,
    current = 1,
    end = 2
  };

  CFile() = default;
  // Throws CFileException when the file cannot be opened.
  CFile(const char* fileName, UINT openFlags);
  ~CFile() override;
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  virtual BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr);
  virtual UINT Read(void* buffer, UINT count);
  virtual void Write(const void* buffer, UINT count);
  virtual long long Seek(long long offset, UINT from);
  virtual long long GetLength() const;
  virtual long long GetPosition() const;
  virtual void Flush();
  virtual void Close();
  // Closes without throwing.
  virtual void Abort();
  void SeekToBegin() { Seek(0, begin); }
  long long SeekToEnd() { return Seek(0, end); }
  BOOL IsOpen() const { return m_fd >= 0; }
  // Flushes the system's buffers to the disk (used before an atomic replace).
  void Sync();

  CString GetFilePath() const { return m_strFileName; }
  // The name failures report; a temporary file reports the file it will replace.
  void SetFilePath(const CString& path) { m_strFileName = path; }
  CString GetFileName() const;
  static BOOL GetStatus(const char* fileName, CFileStatus& status);

protected:
  [[noreturn]] void ThrowErrno(int err) const;
  // The system call behind Sync: 0, or -1 with errno set. Files made by the atomic writer's
  // factory override it, so a test can fail the sync that comes before a rename.
  virtual int SyncDescriptor(int fd);

  int m_fd = -1;
  CString m_strFileName;
};

class CMemFile : public CFile
{
  DECLARE_DYNAMIC(CMemFile)
public:
  explicit CMemFile(UINT growBytes = 1024);
  // Reads from a copy of the given bytes.
  CMemFile(const BYTE* data, UINT size);

  BOOL Open(const char*, UINT, CFileException* error = nullptr) override;
  UINT Read(void* buffer, UINT count) override;
  void Write(const void* buffer, UINT count) override;
  long long Seek(long long offset, UINT from) override;
  long long GetLength() const override;
  long long GetPosition() const override;
  void Flush() override {}
  void Close() override;
  void Abort() override { Close(); }

  const std::vector<BYTE>& GetBytes() const { return m_data; }
  // Hands the contents over and leaves the file empty.
  std::vector<BYTE> Detach();

private:
  std::vector<BYTE> m_data;
  size_t m_pos = 0;
};

// Whether two spellings of a path name one file: the same file where both lead to one (through
// "..", symbolic links or another hard link), else the same path once made absolute with its
// "." and ".." resolved. Relative paths are taken from the current folder.
BOOL IsSamePath(const CString& a, const CString& b);
