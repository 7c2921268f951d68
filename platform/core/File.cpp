#include "platform/core/File.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CMemFile, CFile)

namespace {

// Only regular files are read and written: a folder, FIFO, socket or device is refused with the
// reason the system would give. The descriptor goes back to blocking reads and writes.
bool IsRegularFile(int fd, int& err)
{
  struct stat st
  {};
  if (::fstat(fd, &st) != 0) {
    err = errno;
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    err = S_ISDIR(st.st_mode) ? EISDIR : ENXIO;
    return false;
  }
  const int status = ::fcntl(fd, F_GETFL);
  if (status < 0 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
    err = errno;
    return false;
  }
  return true;
}

// A file found already there may have been made readable by others before this open: it is made
// the owner's only before the caller writes a byte.
bool MakePrivate(int fd, int& err)
{
  if (::fchmod(fd, S_IRUSR | S_IWUSR) == 0)
    return true;
  err = errno;
  return false;
}

}  // namespace

CFile::CFile(const char* fileName, UINT openFlags)
{
  CFileException error;
  if (!Open(fileName, openFlags, &error))
    throw error;
}

CFile::~CFile()
{
  if (m_fd >= 0)
    ::close(m_fd);
}

BOOL CFile::Open(const char* fileName, UINT openFlags, CFileException* error)
{
  if (m_fd >= 0)
    Abort();
  m_strFileName = fileName;
  int flags = O_CLOEXEC;
  switch (openFlags & 3) {
  case modeWrite:
    flags |= O_WRONLY;
    break;
  case modeReadWrite:
    flags |= O_RDWR;
    break;
  default:
    flags |= O_RDONLY;
    break;
  }
  if (openFlags & modeCreate)
    flags |= O_CREAT;
  const bool isPrivate = (openFlags & modePrivate) != 0;
  if (isPrivate)
    flags |= O_NOFOLLOW;
  // Not blocking while opening: a FIFO or a device must be refused, not waited on for ever.
  int fd = ::open(m_strFileName.c_str(), flags | O_NONBLOCK, isPrivate ? 0600 : 0666);
  int err = errno;
  if (fd >= 0 && (!IsRegularFile(fd, err) || (isPrivate && !MakePrivate(fd, err)))) {
    ::close(fd);
    fd = -1;
  }
  if (fd >= 0) {
    // Lock before truncating, so a refused opener never damages a file someone holds.
    int lock = 0;
    UINT share = openFlags & 0x70;
    if (share == shareExclusive || share == shareDenyRead)
      lock = LOCK_EX;
    else if (share == shareDenyWrite)
      lock = LOCK_SH;
    if (lock && ::flock(fd, lock | LOCK_NB) != 0) {
      err = errno == EWOULDBLOCK ? EWOULDBLOCK : errno;
      ::close(fd);
      fd = -1;
    } else if ((openFlags & modeCreate) && !(openFlags & modeNoTruncate) && ::ftruncate(fd, 0) != 0) {
      err = errno;
      ::close(fd);
      fd = -1;
    }
  }
  if (fd < 0) {
    if (error) {
      error->m_cause = CFileException::OsErrorToException(err);
      error->m_lOsError = err;
      error->m_strFileName = fileName;
      // What is neither a file nor a folder (a pipe, a socket, a device): the system's text for
      // it, "No such device or address", would tell the user nothing.
      error->m_strReason = err == ENXIO ? CString("The file is not a regular file.") : CString();
    }
    return FALSE;
  }
  m_fd = fd;
  return TRUE;
}

void CFile::ThrowErrno(int err) const
{
  throw CFileException(CFileException::OsErrorToException(err), err, m_strFileName);
}

UINT CFile::Read(void* buffer, UINT count)
{
  if (count == 0)
    return 0;
  size_t done = 0;
  while (done < count) {
    ssize_t n = ::read(m_fd, static_cast<char*>(buffer) + done, count - done);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      ThrowErrno(errno);
    }
    if (n == 0)
      break;
    done += static_cast<size_t>(n);
  }
  return static_cast<UINT>(done);
}

void CFile::Write(const void* buffer, UINT count)
{
  size_t done = 0;
  while (done < count) {
    ssize_t n = ::write(m_fd, static_cast<const char*>(buffer) + done, count - done);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      ThrowErrno(errno);
    }
    done += static_cast<size_t>(n);
  }
}

long long CFile::Seek(long long offset, UINT from)
{
  int whence = from == current ? SEEK_CUR : (from == end ? SEEK_END : SEEK_SET);
  off_t r = ::lseek(m_fd, static_cast<off_t>(offset), whence);
  if (r < 0)
    throw CFileException(CFileException::badSeek, errno, m_strFileName);
  return r;
}

long long CFile::GetLength() const
{
  struct stat st
  {};
  if (::fstat(m_fd, &st) != 0)
    ThrowErrno(errno);
  return st.st_size;
}

long long CFile::GetPosition() const
{
  off_t r = ::lseek(m_fd, 0, SEEK_CUR);
  if (r < 0)
    ThrowErrno(errno);
  return r;
}

void CFile::Flush() {}

int CFile::SyncDescriptor(int fd) { return ::fsync(fd); }

void CFile::Sync()
{
  if (m_fd >= 0 && SyncDescriptor(m_fd) != 0)
    ThrowErrno(errno);
}

void CFile::Close()
{
  if (m_fd < 0)
    return;
  int fd = m_fd;
  m_fd = -1;
  if (::close(fd) != 0)
    ThrowErrno(errno);
}

void CFile::Abort()
{
  if (m_fd >= 0)
    ::close(m_fd);
  m_fd = -1;
}

CString CFile::GetFileName() const
{
  int slash = m_strFileName.ReverseFind('/');
  return m_strFileName.Mid(slash + 1);
}

BOOL CFile::GetStatus(const char* fileName, CFileStatus& status)
{
  struct stat st
  {};
  if (::stat(fileName, &st) != 0)
    return FALSE;
  status.m_ctime = st.st_ctime;
  status.m_mtime = st.st_mtime;
  status.m_atime = st.st_atime;
  status.m_size = st.st_size;
  status.m_attribute = S_ISDIR(st.st_mode) ? 0x10 : 0;
  // The full name identifies the file, whatever spelling of the path was given.
  char resolved[PATH_MAX];
  status.m_szFullName = ::realpath(fileName, resolved) ? CString(resolved) : CString(fileName);
  return TRUE;
}

CMemFile::CMemFile(UINT /*growBytes*/) {}

CMemFile::CMemFile(const BYTE* data, UINT size) : m_data(data, data + size) {}

BOOL CMemFile::Open(const char*, UINT, CFileException* error)
{
  // A memory file has no name to open.
  if (error)
    error->m_cause = CFileException::generic;
  return FALSE;
}

UINT CMemFile::Read(void* buffer, UINT count)
{
  size_t n = m_pos < m_data.size() ? std::min<size_t>(count, m_data.size() - m_pos) : 0;
  if (n)
    std::memcpy(buffer, m_data.data() + m_pos, n);
  m_pos += n;
  return static_cast<UINT>(n);
}

void CMemFile::Write(const void* buffer, UINT count)
{
  if (count == 0)
    return;
  if (m_pos + count > m_data.size())
    m_data.resize(m_pos + count);
  std::memcpy(m_data.data() + m_pos, buffer, count);
  m_pos += count;
}

long long CMemFile::Seek(long long offset, UINT from)
{
  long long base =
      from == current ? static_cast<long long>(m_pos) : (from == end ? static_cast<long long>(m_data.size()) : 0);
  long long target = base + offset;
  if (target < 0)
    throw CFileException(CFileException::badSeek);
  m_pos = static_cast<size_t>(target);
  return target;
}

long long CMemFile::GetLength() const { return static_cast<long long>(m_data.size()); }
long long CMemFile::GetPosition() const { return static_cast<long long>(m_pos); }

void CMemFile::Close()
{
  m_data.clear();
  m_pos = 0;
}

std::vector<BYTE> CMemFile::Detach()
{
  std::vector<BYTE> out;
  out.swap(m_data);
  m_pos = 0;
  return out;
}

BOOL IsSamePath(const CString& a, const CString& b)
{
  if (a == b)
    return TRUE;
  if (a.IsEmpty() || b.IsEmpty())
    return FALSE;
  struct stat first
  {};
  struct stat second
  {};
  if (::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0)
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
  std::error_code error;
  const std::filesystem::path left = std::filesystem::absolute(a.str(), error).lexically_normal();
  const std::filesystem::path right = std::filesystem::absolute(b.str(), error).lexically_normal();
  return !error && left == right;
}
