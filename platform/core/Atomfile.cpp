#include "platform/core/Atomfile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <initializer_list>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

#include "platform/core/Atommark.h"
#include "platform/core/Atomname.h"
#include "platform/core/Crc32.h"

namespace {

constexpr UINT kWriteFlags = CFile::modeCreate | CFile::modeWrite | CFile::typeBinary;
constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;

CAtomicFile::FileFactory& Factory()
{
  static auto* factory = new CAtomicFile::FileFactory;
  return *factory;
}

[[noreturn]] void Refuse(int err, const CString& path, const CString& reason = CString())
{
  CFileException e(CFileException::OsErrorToException(err), err, path);
  e.m_strReason = reason;
  throw e;
}

// The permission check the system makes, and for the super-user, whom the system lets through
// everything, the mode's write bits too.
int WriteRefusal(const CString& path, const struct stat& st)
{
  if (::access(path.c_str(), W_OK) != 0)
    return errno;
  return ::geteuid() == 0 && (st.st_mode & kAnyWriteBit) == 0 ? EACCES : 0;
}

// Without privilege a new file can only be given the writer's own user and one of its groups.
bool MayGiveOwner(const struct stat& st)
{
  if (::geteuid() == 0)
    return true;
  if (st.st_uid != ::geteuid())
    return false;
  if (st.st_gid == ::getegid())
    return true;
  std::vector<gid_t> groups(static_cast<size_t>(std::max(::getgroups(0, nullptr), 0)));
  const int n = ::getgroups(static_cast<int>(groups.size()), groups.data());
  for (int i = 0; i < n; ++i)
    if (groups[static_cast<size_t>(i)] == st.st_gid)
      return true;
  return false;
}

// Only a copy in place keeps the owner this writer cannot give, and the write still running copies
// from those bytes.
[[noreturn]] void RefuseRunningCopy(const CString& path)
{
  Refuse(EBUSY, path,
         "The file is the complete copy of a save of another file that has not ended yet; it can be saved "
         "once that save has ended.");
}

[[noreturn]] void RefuseFolder(int err, const CString& path, const CString& folder)
{
  Refuse(err, path,
         CString::Formatted("The folder '%s' does not allow new files (%s).", folder.c_str(), std::strerror(err)));
}

// Copies the first length bytes; the checksum register takes every byte read, so that what went
// to the file can be held against the copy as it stands once the copy is done.
int CopyBytes(int in, int out, long long length, DWORD& reg)
{
  std::vector<char> buffer(1 << 16);
  for (long long at = 0; at < length;) {
    const ssize_t n = ::pread(in, buffer.data(), buffer.size(), at);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      return n < 0 ? errno : EIO;
    reg = Crc32Update(reg, buffer.data(), static_cast<size_t>(n));
    for (ssize_t done = 0; done < n;) {
      const ssize_t w = ::pwrite(out, buffer.data() + done, static_cast<size_t>(n - done), at + done);
      if (w < 0 && errno == EINTR)
        continue;
      if (w < 0)
        return errno;
      done += w;
    }
    at += n;
  }
  return 0;
}

// Room for the new length is taken before a byte is written, so a full disk or a size limit
// leaves the old content as it was. The length stays: a write ended before its first byte (a
// kill) leaves the file byte for byte as it was. A reservation that keeps the length is not held
// to the size limit, which is checked here. Where the file system cannot reserve room, the copy
// begins anyway. Returns 0, or the error with the target unchanged.
int ReserveRoom(int in, int out)
{
  struct stat from
  {
  }, to{};
  if (::fstat(in, &from) != 0 || ::fstat(out, &to) != 0)
    return errno;
  if (from.st_size <= to.st_size)
    return 0;
  rlimit limit{};
  if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
      static_cast<unsigned long long>(from.st_size) > limit.rlim_cur)
    return EFBIG;
  if (::fallocate(out, FALLOC_FL_KEEP_SIZE, 0, from.st_size) == 0)
    return 0;
  const int err = errno;
  return err == EOPNOTSUPP || err == ENOSYS ? 0 : err;
}

// Sets copied to the checksum of the bytes written over the file.
int CopyOver(int in, int out, DWORD& copied)
{
  struct stat from
  {};
  if (::fstat(in, &from) != 0)
    return errno;
  DWORD reg = kCrc32Start;
  if (const int err = CopyBytes(in, out, from.st_size, reg))
    return err;
  copied = ~reg;
  if (::ftruncate(out, from.st_size) != 0 || ::fsync(out) != 0)
    return errno;
  return 0;
}

// The same file, its size and modification time unchanged. A writer keeps both where it writes
// as many bytes as it replaces within the clock's tick, or puts the time back: only the bytes
// tell that nothing changed.
bool HasStamp(const struct stat& now, const struct stat& stamped)
{
  return now.st_dev == stamped.st_dev && now.st_ino == stamped.st_ino && now.st_size == stamped.st_size &&
         now.st_mtim.tv_sec == stamped.st_mtim.tv_sec && now.st_mtim.tv_nsec == stamped.st_mtim.tv_nsec;
}

}  // namespace

// The folder's status is taken first, so a file system that gives a finer time to a change of
// what was just looked at gives one here. Such a system may give the coarse time, where that is
// later than the folder's, even when no later than the time asked about: the second round, which
// comes at once, then gets the finer one.
bool CAtomicFile::ClockHasPassed(int changed, const CString& folder, const struct timespec& time, bool mayWait)
{
  struct stat st
  {};
  if (changed >= 0 && ::fstat(changed, &st) == 0 && IsLater(st.st_ctim, time))
    return true;
  for (long pause = 0;; pause = std::max(2 * pause, 1L)) {
    if (::stat(folder.c_str(), &st) != 0)
      return false;
    if (IsLater(st.st_ctim, time))
      return true;
    if (::utimensat(AT_FDCWD, folder.c_str(), nullptr, 0) != 0 || ::stat(folder.c_str(), &st) != 0)
      return false;
    if (IsLater(st.st_ctim, time))
      return true;
    if (pause > 2048 || (pause > 0 && !mayWait))
      return false;
    const struct timespec wait = {pause / 1000, (pause % 1000) * 1000000};
    if (pause > 0)
      ::nanosleep(&wait, nullptr);
  }
}

namespace {

bool SameTime(const struct timespec& a, const struct timespec& b)
{
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// The bytes a file holds, by their checksum and count; not known where they could not be read.
struct CContent
{
  bool known = false;
  DWORD checksum = 0;
  long long length = 0;

  bool Is(DWORD sum, long long size) const { return known && checksum == sum && length == size; }
};

// What the file holds after a copy in place that did not end as it should.
enum class Holds
{
  unknown,
  newContent,
  previousContent,
  neither
};

// The first part of the reason such a copy gives, up to the name of its complete copy.
CString WhatCopyLeft(int err, bool unchanged, Holds holds)
{
  if (holds == Holds::newContent)
    return "The file holds the new content, but another program changed the complete copy it was copied from";
  CString text = holds == Holds::previousContent ? CString("The file holds the previous content")
                 : err != 0                      ? CString("The file may be incomplete")
                 : holds == Holds::neither ? CString("The file holds neither the new content nor the previous one")
                                           : CString("The file may hold neither the new content nor the previous one");
  if (err != 0)
    text = CString(std::strerror(err)) + ". " + text;
  if (!unchanged)
    text += ": another program changed the new content while it was copied into the file";
  return text;
}

CContent ContentOf(int fd)
{
  CContent content;
  content.known = fd >= 0 && Crc32OfFile(fd, content.checksum, content.length);
  return content;
}

// The open file's state with the bytes it holds; not known where either could not be taken.
CAtomicFile::CHeld HeldOf(int fd, const CContent& content)
{
  CAtomicFile::CHeld held;
  if (content.known)
    held.state = CDiskState::OfOpen(fd);
  held.checksum = content.checksum;
  return held;
}

void CloseAll(std::initializer_list<int> fds)
{
  for (const int fd : fds)
    if (fd >= 0)
      ::close(fd);
}

// The file written through the descriptor opened again for reading, so that what it holds
// before and after a copy in place can be told; -1 where it cannot be read.
int OpenForReading(const CString& path, int written)
{
  struct stat a
  {
  }, b{};
  const int fd = written < 0 ? -1 : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd >= 0 && (::fstat(fd, &a) != 0 || ::fstat(written, &b) != 0 || a.st_dev != b.st_dev || a.st_ino != b.st_ino)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// The open copy holds the bytes of that checksum, as many as the stamp's size, keeps its stamp,
// and nothing wrote into it while they were read. A write into a part already read changes no
// byte the read sees: the status taken again after the read tells it by the change time, which
// no writer can put back, once the clock has passed the time the read began from. A change of
// status alone (a name added or let go by another instance) leaves the bytes: they are read
// again, and count as held once a whole read saw no change.
bool HoldsBytes(int fd, int out, const CString& folder, const struct stat& stamped, DWORD checksum)
{
  for (int round = 0; round < 3; ++round) {
    struct stat before
    {};
    struct stat after
    {};
    DWORD held = 0;
    long long length = 0;
    if (::fstat(fd, &before) != 0 || !HasStamp(before, stamped) ||
        !CAtomicFile::ClockHasPassed(out, folder, before.st_ctim) || !Crc32OfFile(fd, held, length) ||
        length != stamped.st_size || held != checksum || ::fstat(fd, &after) != 0)
      return false;
    if (HasStamp(after, stamped) && SameTime(after.st_ctim, before.st_ctim))
      return true;
  }
  return false;
}

constexpr const char* kAccessAcl = "system.posix_acl_access";

// The names of a file's extended attributes, each ending in a zero byte; empty when it has none
// or the system keeps none.
std::vector<char> AttributeNames(const CString& path)
{
  for (;;) {
    const ssize_t size = ::listxattr(path.c_str(), nullptr, 0);
    if (size <= 0)
      return {};
    std::vector<char> names(static_cast<size_t>(size));
    const ssize_t n = ::listxattr(path.c_str(), names.data(), names.size());
    if (n >= 0) {
      names.resize(static_cast<size_t>(n));
      return names;
    }
    if (errno != ERANGE)
      return {};
  }
}

// The new file takes the old one's extended attributes, its access ACL among them. Set after the
// mode: the ACL puts back the group's own bits, which the mode alone would set from the ACL's
// mask. What the system refuses (no attributes there, a name this user may not set) is left
// out. An access ACL the new file took from its folder goes when the old file had none. The mark
// of copies in place stays with the file it names: the new file is no file a copy was made of.
void CopyAttributes(const CString& from, const CString& to)
{
  const std::vector<char> names = AttributeNames(from);
  bool hadAcl = false;
  std::vector<char> value;
  for (size_t at = 0; at < names.size(); at += std::strlen(names.data() + at) + 1) {
    const char* name = names.data() + at;
    hadAcl = hadAcl || std::strcmp(name, kAccessAcl) == 0;
    if (std::strcmp(name, kCopyMarkAttribute) != 0 && ReadAttribute(from, name, value))
      ::setxattr(to.c_str(), name, value.data(), value.size(), 0);
  }
  if (!hadAcl)
    ::removexattr(to.c_str(), kAccessAcl);
}

}  // namespace

namespace {

CDiskState DiskStateFrom(const struct stat& st)
{
  CDiskState state;
  state.known = true;
  state.device = st.st_dev;
  state.inode = st.st_ino;
  state.size = st.st_size;
  state.seconds = st.st_mtim.tv_sec;
  state.nanoseconds = st.st_mtim.tv_nsec;
  state.changeSeconds = st.st_ctim.tv_sec;
  state.changeNanoseconds = st.st_ctim.tv_nsec;
  return state;
}

}  // namespace

CDiskState CDiskState::Of(const CString& path)
{
  struct stat st
  {};
  return ::stat(path.c_str(), &st) == 0 ? DiskStateFrom(st) : CDiskState();
}

CDiskState CDiskState::OfOpen(int fd)
{
  struct stat st
  {};
  return fd >= 0 && ::fstat(fd, &st) == 0 ? DiskStateFrom(st) : CDiskState();
}

CAtomicFile::CAtomicFile(const CString& path) : m_strPath(path), m_strTarget(FollowLinks(path))
{
  CheckWritable(path);
  struct stat st
  {};
  bool exists = ::stat(m_strTarget.c_str(), &st) == 0;
  // A complete copy written as itself is the user's file from here: no twin keeps it in place.
  if (exists && st.st_nlink > 1) {
    ClaimCompleteCopy(m_strTarget);
    exists = ::stat(m_strTarget.c_str(), &st) == 0;
  }
  // The complete copy of a write still running elsewhere has a second name, its twin, but that
  // write copies from its bytes: it is replaced, never written in place.
  const bool runningCopy = exists && IsCopyOfRunningWrite(m_strTarget);
  if (exists) {
    m_bExists = true;
    m_uid = st.st_uid;
    m_gid = st.st_gid;
    m_mode = st.st_mode & 07777;
    m_bInPlace = (st.st_nlink > 1 && !runningCopy) || !MayGiveOwner(st);
  }
  if (runningCopy && m_bInPlace)
    RefuseRunningCopy(path);
  // What killed writes left beside the target goes first: on a full disk that may be the room.
  // Where that look finds no second name, of the file or of a write's, and the file has no mark
  // of a copy, no unfinished write in place left one, and the commit need not look again.
  bool twins = false;
  RemoveLeftovers(m_strTarget, twins);
  m_bMayHaveCopies = twins || (exists && (st.st_nlink > 1 || !CopyMarksOf(m_strTarget).empty()));
  m_strTemporary = TemporaryPathFor(m_strTarget);
  m_file = Factory() ? Factory()() : std::make_unique<CFile>();
  // The content of a file there is readable by no more people than the file itself at any moment:
  // the temporary file is made its owner's only, and takes the file's access at the commit. A new
  // file is made as the user's umask wants it.
  CFileException error;
  if (!m_file->Open(m_strTemporary, m_bExists ? kWriteFlags | CFile::modePrivate : kWriteFlags, &error))
    throw CFileException(error.m_cause, error.m_lOsError, path);
  m_file->SetFilePath(path);
  // A file system that refuses the owner (or group) gets the bytes in place, which keeps them.
  if (m_bExists && !m_bInPlace && ::chown(m_strTemporary.c_str(), m_uid, m_gid) != 0)
    m_bInPlace = errno == EPERM || errno == EINVAL;
  if (runningCopy && m_bInPlace) {
    Abort();
    RefuseRunningCopy(path);
  }
  // Written in place, the file keeps its own access; the temporary file becomes the complete copy
  // the user may see beside it, and takes the file's access now.
  if (m_bInPlace)
    GiveCopyAccessOf(m_strTemporary, m_strTarget);
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
  const CString target = FollowLinks(path);
  struct stat st
  {};
  if (::stat(target.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode))
      Refuse(EISDIR, path);
    if (!S_ISREG(st.st_mode))
      Refuse(ENXIO, path, "The file is not a regular file.");
    if (const int err = WriteRefusal(target, st))
      Refuse(err, path);
  } else if (errno != ENOENT) {
    Refuse(errno, path);
  }
  const CString folder = FolderOfPath(target);
  struct stat folderStat
  {};
  if (::stat(folder.c_str(), &folderStat) != 0)
    Refuse(errno, path);
  if (!S_ISDIR(folderStat.st_mode))
    Refuse(ENOTDIR, path);
  // The temporary file needs the folder even where the file itself could be written.
  if (::access(folder.c_str(), W_OK | X_OK) != 0)
    RefuseFolder(errno, path, folder);
  if (::geteuid() == 0 && (folderStat.st_mode & kAnyWriteBit) == 0)
    RefuseFolder(EACCES, path, folder);
}

CString CAtomicFile::FollowLinks(const CString& path)
{
  CString current = path;
  for (int hop = 0; hop < 40; ++hop) {
    struct stat st
    {};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
      return current;
    std::string named(PATH_MAX, '\0');
    const ssize_t n = ::readlink(current.c_str(), named.data(), named.size());
    if (n <= 0)
      return current;
    named.resize(static_cast<size_t>(n));
    current = named[0] == '/' ? CString(named.c_str()) : FolderOfPath(current) + "/" + CString(named.c_str());
  }
  return current;
}

CString CAtomicFile::TemporaryPathFor(const CString& path)
{
  static unsigned counter = 0;
  const CString stem = CHiddenName::StemFor(NameOfPath(path), NameLimitOf(FolderOfPath(path)));
  return path.Left(path.ReverseFind('/') + 1) + CHiddenName::TemporaryName(stem, ++counter);
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
  if (m_bMayHaveCopies)
    NoteRemovableCopies();
  if (m_bInPlace)
    WriteOverTarget();
  else
    ReplaceTarget();
}

void CAtomicFile::ReplaceTarget()
{
  if (m_bExists) {
    // Again, for a writer that made the file anew by name. Owner first: changing it may clear
    // the set-id bits the mode then restores.
    ::chown(m_strTemporary.c_str(), m_uid, m_gid);
    ::chmod(m_strTemporary.c_str(), m_mode);
    CopyAttributes(m_strTarget, m_strTemporary);
  }
  if (::rename(m_strTemporary.c_str(), m_strTarget.c_str()) != 0)
    Refuse(errno, m_strPath);
  m_bCommitted = true;
  SyncFolderOf(m_strTarget);
  if (m_bMayHaveCopies)
    RemoveStaleCopies();
}

void CAtomicFile::WriteOverTarget()
{
  const int in = ::open(m_strTemporary.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0)
    Refuse(errno, m_strPath);
  const int out = ::open(m_strTarget.c_str(), O_WRONLY | O_CLOEXEC);
  const int opened = out < 0 ? errno : 0;
  const int look = OpenForReading(m_strTarget, out);
  // What the file held before anything here changed it, so that a copy that does not end as it
  // should can tell what it left, and the caller follow what this write did to the file.
  const CContent previous = ContentOf(look);
  m_before = HeldOf(look, previous);
  struct stat stamped
  {};
  DWORD given = 0;
  long long length = 0;
  int err = opened != 0 ? opened : ReserveRoom(in, out);
  if (err == 0 && (::fstat(in, &stamped) != 0 || !Crc32OfFile(in, given, length)))
    err = errno;
  if (err != 0) {
    // A reservation moves the file's times, even one refused part of the way; its bytes stay.
    m_after = HeldOf(look, previous);
    CloseAll({in, out, look});
    Refuse(err, m_strPath);
  }
  // From here the target changes: until it holds everything, the complete copy waits under a name
  // the user sees, so that not even a kill in between loses the save.
  const CString copy = KeepCompleteCopy(stamped, given);
  const CString twin = m_strTemporary;
  m_strTemporary.Empty();
  DWORD copied = 0;
  err = CopyOver(in, out, copied);
  // Another program may have written into the copy meanwhile: the file then got its bytes where
  // the copy had not yet passed, and kept the save's where it had. The save stands only where the
  // file got the bytes given and the copy still holds them, read again before any name goes, with
  // nothing written into it until that read was done.
  const bool unchanged =
      HoldsBytes(in, out, FolderOfPath(m_strTarget), stamped, given) && (err != 0 || copied == given);
  const bool saved = err == 0 && unchanged;
  // A copy that did not end as it should tells what the file holds. After an error the bytes read
  // back may not be the bytes stored, but where they are the previous ones, so are those stored:
  // a byte this write changed reads back changed until it is read from the disk again.
  Holds holds = Holds::unknown;
  if (!saved) {
    const CContent now = ContentOf(look);
    m_after = HeldOf(look, now);
    holds = !now.known                                                     ? Holds::unknown
            : err == 0 && now.Is(given, stamped.st_size)                   ? Holds::newContent
            : previous.known && now.Is(previous.checksum, previous.length) ? Holds::previousContent
            : err != 0                                                     ? Holds::unknown
                                                                           : Holds::neither;
  }
  m_bHoldsNew = holds == Holds::newContent;
  CloseAll({in, out, look});
  if (saved) {
    m_bCommitted = true;
    // Only the names that still lead to these bytes go: another writer may have put its own file
    // in the copy's place.
    for (const CString& name : {copy, twin})
      if (NamesFile(name, stamped))
        ::unlink(name.c_str());
    if (m_bMayHaveCopies)
      RemoveStaleCopies();
    UnmarkCopy(twin);
    return;
  }
  Refuse(err != 0 ? err : EIO, m_strPath,
         UnfinishedCopyReason(WhatCopyLeft(err, unchanged, holds), unchanged, copy, twin, stamped));
}

bool CAtomicFile::NamesFile(const CString& name, const struct stat& file)
{
  struct stat st
  {};
  return !name.IsEmpty() && ::lstat(name.c_str(), &st) == 0 && st.st_dev == file.st_dev && st.st_ino == file.st_ino;
}

CString CAtomicFile::UnfinishedCopyReason(const CString& text, bool unchanged, const CString& copy, const CString& twin,
                                          const struct stat& stamped) const
{
  // The name the message gives must lead to the bytes it speaks of: where another writer put its
  // own file in the copy's place, the bytes get a new copy name.
  CString holder;
  if (NamesFile(copy, stamped)) {
    holder = copy;
  } else if (NamesFile(twin, stamped)) {
    holder = unchanged ? LinkCompleteCopy(twin) : CString();
    if (holder.IsEmpty())
      holder = twin;
  }
  if (holder.IsEmpty())
    return text + ".";
  if (!unchanged)
    return text + "; '" + holder + "' was left as that program left it.";
  return text + "; the complete new content is in '" + holder + "'.";
}

void CAtomicFile::Abort()
{
  if (m_file)
    m_file->Abort();
  if (!m_strTemporary.IsEmpty())
    ::unlink(m_strTemporary.c_str());
}

void CAtomicFile::SyncFolderOf(const CString& path)
{
  const int fd = ::open(FolderOfPath(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0)
    return;
  ::fsync(fd);
  ::close(fd);
}
