#include "platform/core/Atomfile.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr UINT kWriteFlags = CFile::modeCreate | CFile::modeWrite | CFile::typeBinary;
constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;

CAtomicFile::FileFactory& Factory()
{
  static auto* factory = new CAtomicFile::FileFactory;
  return *factory;
}

[[noreturn]] void Refuse(int err, const CString& path)
{
  throw CFileException(CFileException::OsErrorToException(err), err, path);
}

CString FolderOf(const CString& path)
{
  const int slash = path.ReverseFind('/');
  return slash < 0 ? CString(".") : slash == 0 ? CString("/") : path.Left(slash);
}

CString NameOf(const CString& path) { return path.Mid(path.ReverseFind('/') + 1); }

// The permission check the system makes, and for the super-user, whom the system lets through
// everything, the mode's write bits too.
int WriteRefusal(const CString& path, const struct stat& st)
{
  if (::access(path.c_str(), W_OK) != 0)
    return errno;
  return ::geteuid() == 0 && (st.st_mode & kAnyWriteBit) == 0 ? EACCES : 0;
}

// The new file takes the permissions of the file it replaces.
void CopyPermissions(const CString& from, const CString& to)
{
  struct stat st
  {};
  if (::stat(from.c_str(), &st) == 0)
    ::chmod(to.c_str(), st.st_mode & 07777);
}

// "PID.N.tmp" after the prefix: the process id, when the rest has the temporary name's shape.
long LeftoverProcess(const std::string& rest)
{
  char* end = nullptr;
  const long pid = std::strtol(rest.c_str(), &end, 10);
  if (end == rest.c_str() || *end != '.' || pid <= 0)
    return 0;
  const char* counter = end + 1;
  const long n = std::strtol(counter, &end, 10);
  if (end == counter || n < 0 || std::string(end) != ".tmp")
    return 0;
  return pid;
}

bool ProcessIsGone(long pid) { return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH; }

}  // namespace

CAtomicFile::CAtomicFile(const CString& path) : m_strPath(path)
{
  CheckWritable(path);
  m_strTemporary = TemporaryPathFor(path);
  m_file = Factory() ? Factory()() : std::make_unique<CFile>();
  CFileException error;
  if (!m_file->Open(m_strTemporary, kWriteFlags, &error))
    throw CFileException(error.m_cause, error.m_lOsError, path);
  m_file->SetFilePath(path);
}

CAtomicFile::~CAtomicFile()
{
  if (!m_bCommitted)
    Abort();
}

void CAtomicFile::SetFileFactory(FileFactory factory) { Factory() = std::move(factory); }

void CAtomicFile::ReleaseFile()
{
  if (m_file)
    m_file->Abort();
}

void CAtomicFile::CheckWritable(const CString& path)
{
  struct stat st
  {};
  if (::stat(path.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode))
      Refuse(EISDIR, path);
    if (!S_ISREG(st.st_mode))
      Refuse(ENXIO, path);
    if (const int err = WriteRefusal(path, st))
      Refuse(err, path);
  } else if (errno != ENOENT) {
    Refuse(errno, path);
  }
  const CString folder = FolderOf(path);
  struct stat folderStat
  {};
  if (::stat(folder.c_str(), &folderStat) != 0)
    Refuse(errno, path);
  if (!S_ISDIR(folderStat.st_mode))
    Refuse(ENOTDIR, path);
  if (::access(folder.c_str(), W_OK | X_OK) != 0)
    Refuse(errno, path);
  if (::geteuid() == 0 && (folderStat.st_mode & kAnyWriteBit) == 0)
    Refuse(EACCES, path);
}

CString CAtomicFile::TemporaryPathFor(const CString& path)
{
  static unsigned counter = 0;
  const int slash = path.ReverseFind('/');
  return path.Left(slash + 1) + "." + path.Mid(slash + 1) +
         CString::Formatted(".%ld.%u.tmp", static_cast<long>(::getpid()), ++counter);
}

void CAtomicFile::Commit()
{
  if (!m_file->IsOpen()) {
    CFileException error;
    if (!m_file->Open(m_strTemporary, CFile::modeReadWrite | CFile::typeBinary, &error))
      throw CFileException(error.m_cause, error.m_lOsError, m_strPath);
  }
  try {
    // Synced before the rename: after a crash the path holds the previous file or the whole new
    // one, never a part of it.
    m_file->Sync();
    m_file->Close();
  } catch (const CFileException& e) {
    throw CFileException(e.m_cause, e.m_lOsError, m_strPath);
  }
  CopyPermissions(m_strPath, m_strTemporary);
  if (::rename(m_strTemporary.c_str(), m_strPath.c_str()) != 0)
    Refuse(errno, m_strPath);
  m_bCommitted = true;
  SyncFolderOf(m_strPath);
}

void CAtomicFile::Abort()
{
  if (m_file)
    m_file->Abort();
  if (!m_strTemporary.IsEmpty())
    ::unlink(m_strTemporary.c_str());
}

int CAtomicFile::RemoveLeftovers(const CString& path)
{
  const std::string prefix = std::string(".") + NameOf(path).c_str() + ".";
  DIR* dir = ::opendir(FolderOf(path).c_str());
  if (!dir)
    return 0;
  int removed = 0;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.compare(0, prefix.size(), prefix) != 0)
      continue;
    const long pid = LeftoverProcess(name.substr(prefix.size()));
    if (pid == 0 || pid == ::getpid() || !ProcessIsGone(pid))
      continue;
    const CString leftover = FolderOf(path) + "/" + CString(name.c_str());
    struct stat st
    {};
    if (::lstat(leftover.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::unlink(leftover.c_str()) == 0)
      ++removed;
  }
  ::closedir(dir);
  return removed;
}

void CAtomicFile::SyncFolderOf(const CString& path)
{
  const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0)
    return;
  ::fsync(fd);
  ::close(fd);
}
