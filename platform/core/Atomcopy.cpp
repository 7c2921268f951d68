// What a write leaves beside the file it writes, and what the next writes and opens make of it:
// temporary files of killed writes, and the complete copy ("NAME.saved.EXT") of a write in place
// that did not end, with its hidden twin.
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/core/Atomfile.h"
#include "platform/core/Atomname.h"
#include "platform/core/Crc32.h"

namespace {

constexpr int kCompleteCopyNames = 100;

bool ProcessIsGone(long pid) { return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH; }

// A hidden file of a write, as found beside the file written.
struct CHiddenEntry
{
  CString path;
  CHiddenName name;
  struct stat st
  {};

  // Its write has ended: the process is gone, or it is this one, whose writes run one at a time.
  bool IsOver() const { return name.pid == ::getpid() || ProcessIsGone(name.pid); }
  // A twin whose copy is still as the write left it: the same size, time and bytes as its stamp.
  // Size and time alone prove nothing: another program may write within the clock's tick, or
  // put the time back. A twin an earlier version stamped without a checksum has only them.
  bool IsTwinAsLeft() const
  {
    return name.twin && st.st_nlink > 1 && st.st_size == name.size && st.st_mtim.tv_sec == name.time.tv_sec &&
           st.st_mtim.tv_nsec == name.time.tv_nsec && (!name.hasChecksum || HoldsStampedBytes());
  }
  bool HoldsStampedBytes() const;
};

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

bool CHiddenEntry::HoldsStampedBytes() const
{
  return FileHoldsBytes(path.c_str(), st.st_dev, st.st_ino, name.size, name.checksum);
}

// A complete copy the user was told of, as it was then: a copy changed since is the user's own.
struct CToldCopy
{
  dev_t device;
  ino_t inode;
  off_t size;
  struct timespec time;
};

std::vector<CToldCopy>& ToldCopies()
{
  static auto* told = new std::vector<CToldCopy>;
  return *told;
}

// The user knows of the copy: a message named it when a file was opened, or it is this
// process's own, which the failure of its write named.
bool WasTold(const CHiddenEntry& twin)
{
  if (twin.name.pid == ::getpid())
    return true;
  return std::ranges::any_of(ToldCopies(), [&twin](const CToldCopy& copy) {
    return copy.device == twin.st.st_dev && copy.inode == twin.st.st_ino && copy.size == twin.st.st_size &&
           copy.time.tv_sec == twin.st.st_mtim.tv_sec && copy.time.tv_nsec == twin.st.st_mtim.tv_nsec;
  });
}

bool ReadWhole(int fd, char* buffer, size_t size, long long at)
{
  for (size_t done = 0; done < size;) {
    const ssize_t n = ::pread(fd, buffer + done, size - done, at + static_cast<long long>(done));
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// TRUE when both files hold the same bytes; FALSE too when either cannot be read.
bool SameBytes(const CString& a, const CString& b)
{
  const int first = ::open(a.c_str(), O_RDONLY | O_CLOEXEC);
  const int second = first < 0 ? -1 : ::open(b.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat sa
  {
  }, sb{};
  bool same = second >= 0 && ::fstat(first, &sa) == 0 && ::fstat(second, &sb) == 0 && sa.st_size == sb.st_size;
  std::vector<char> bufferA(1 << 16), bufferB(1 << 16);
  for (long long at = 0; same && at < sa.st_size; at += static_cast<long long>(bufferA.size())) {
    const size_t n = static_cast<size_t>(std::min<long long>(sa.st_size - at, static_cast<long long>(bufferA.size())));
    same = ReadWhole(first, bufferA.data(), n, at) && ReadWhole(second, bufferB.data(), n, at) &&
           std::equal(bufferA.begin(), bufferA.begin() + static_cast<long>(n), bufferB.begin());
  }
  if (second >= 0)
    ::close(second);
  if (first >= 0)
    ::close(first);
  return same;
}

// The path of an entry of the folder the path lies in, written as the path writes its folder.
CString BesidePath(const CString& path, const char* name) { return path.Left(path.ReverseFind('/') + 1) + name; }

// The hidden files of writes in the folder of the path (regular files only).
std::vector<CHiddenEntry> HiddenEntries(const CString& path)
{
  std::vector<CHiddenEntry> entries;
  DIR* dir = ::opendir(FolderOfPath(path).c_str());
  if (!dir)
    return entries;
  while (const dirent* entry = ::readdir(dir)) {
    CHiddenEntry found;
    if (entry->d_name[0] != '.' || !found.name.Parse(entry->d_name))
      continue;
    found.path = BesidePath(path, entry->d_name);
    if (::lstat(found.path.c_str(), &found.st) == 0 && S_ISREG(found.st.st_mode))
      entries.push_back(found);
  }
  ::closedir(dir);
  return entries;
}

// The hidden files of writes of the file at the path.
std::vector<CHiddenEntry> TemporaryEntries(const CString& path)
{
  const CString stem = CHiddenName::StemFor(NameOfPath(path), NameLimitOf(FolderOfPath(path)));
  std::vector<CHiddenEntry> entries = HiddenEntries(path);
  std::erase_if(entries, [&stem](const CHiddenEntry& entry) { return entry.name.stem != stem; });
  return entries;
}

// Every name the file has in its folder, its hard links there; the path alone when it has one.
std::vector<CString> NamesOf(const CString& path)
{
  struct stat file
  {};
  if (::stat(path.c_str(), &file) != 0 || file.st_nlink < 2)
    return {path};
  std::vector<CString> names;
  DIR* dir = ::opendir(FolderOfPath(path).c_str());
  while (const dirent* entry = dir ? ::readdir(dir) : nullptr) {
    struct stat st
    {};
    const CString name = BesidePath(path, entry->d_name);
    if (entry->d_ino == file.st_ino && ::lstat(name.c_str(), &st) == 0 && SameFile(st, file))
      names.push_back(name);
  }
  if (dir)
    ::closedir(dir);
  return names.empty() ? std::vector<CString>{path} : names;
}

// The complete copy whose twin the entry is: the "NAME.saved.EXT" of the file at the path with the
// twin's inode; empty when there is none.
CString CopyOfTwin(const CString& path, const CHiddenEntry& twin)
{
  if (!twin.name.twin || twin.st.st_nlink < 2)
    return CString();
  const int limit = NameLimitOf(FolderOfPath(path));
  for (int attempt = 1; attempt < kCompleteCopyNames; ++attempt) {
    const CString copy = CompleteCopyPathFor(path, attempt, limit);
    struct stat st
    {};
    if (::lstat(copy.c_str(), &st) == 0 && SameFile(st, twin.st))
      return copy;
  }
  return CString();
}

// A complete copy an unfinished write in place of a file left, as that write left it, with its twin.
struct CLeftCopy
{
  CString path;
  CHiddenEntry twin;
};

// Those copies of the file at the path (its symbolic links followed), through any of its names.
std::vector<CLeftCopy> CopiesAsLeft(const CString& target)
{
  std::vector<CLeftCopy> copies;
  for (const CString& name : NamesOf(target))
    for (const CHiddenEntry& entry : TemporaryEntries(name))
      if (entry.IsTwinAsLeft())
        if (const CString copy = CopyOfTwin(name, entry); !copy.IsEmpty())
          copies.push_back({copy, entry});
  return copies;
}

}  // namespace

CString CAtomicFile::KeepCompleteCopy(const struct stat& stamped, DWORD checksum)
{
  const int slash = m_strTemporary.ReverseFind('/');
  const CString twin = m_strTemporary.Left(slash + 1) +
                       CHiddenName::TwinName(m_strTemporary.Mid(slash + 1), stamped.st_size, stamped.st_mtim, checksum);
  if (::rename(m_strTemporary.c_str(), twin.c_str()) != 0)
    return CString();
  m_strTemporary = twin;
  return LinkCompleteCopy(twin);
}

CString CAtomicFile::LinkCompleteCopy(const CString& twin) const
{
  const int limit = NameLimitOf(FolderOfPath(m_strTarget));
  for (int attempt = 1; attempt < kCompleteCopyNames; ++attempt) {
    const CString copy = CompleteCopyPathFor(m_strTarget, attempt, limit);
    if (::link(twin.c_str(), copy.c_str()) == 0)
      return copy;
    if (errno != EEXIST)
      break;
  }
  return CString();
}

bool CAtomicFile::IsCopyOfRunningWrite(const CString& target)
{
  struct stat file
  {};
  if (::stat(target.c_str(), &file) != 0 || file.st_nlink < 2)
    return false;
  return std::ranges::any_of(HiddenEntries(target), [&file](const CHiddenEntry& entry) {
    return entry.name.twin && SameFile(entry.st, file) && !entry.IsOver();
  });
}

void CAtomicFile::NoteRemovableCopies()
{
  m_removableCopies.clear();
  for (const CLeftCopy& copy : CopiesAsLeft(m_strTarget))
    if (copy.twin.IsOver() && (WasTold(copy.twin) || SameBytes(copy.path, m_strTarget)))
      m_removableCopies.push_back(copy.path);
}

void CAtomicFile::RemoveStaleCopies()
{
  for (const CString& name : NamesOf(m_strTarget)) {
    for (const CHiddenEntry& entry : TemporaryEntries(name)) {
      // A second name of a write that is over is only a name: the file lives on under the other.
      if (entry.st.st_nlink < 2 || !entry.IsOver())
        continue;
      if (const CString copy = CopyOfTwin(name, entry); !copy.IsEmpty() && entry.IsTwinAsLeft()) {
        // Work the user was never told of stays, with the twin that marks it as the write's.
        if (std::ranges::find(m_removableCopies, copy) == m_removableCopies.end())
          continue;
        ::unlink(copy.c_str());
      }
      ::unlink(entry.path.c_str());
    }
  }
}

int CAtomicFile::RemoveLeftovers(const CString& path)
{
  bool twins = false;
  return RemoveLeftovers(path, twins);
}

int CAtomicFile::RemoveLeftovers(const CString& path, bool& twins)
{
  int removed = 0;
  for (const CHiddenEntry& entry : TemporaryEntries(path)) {
    twins = twins || entry.st.st_nlink > 1;
    // The twin of a complete copy stays until a complete write; a twin whose copy is gone goes.
    if (entry.name.pid == ::getpid() || entry.st.st_nlink > 1 || !ProcessIsGone(entry.name.pid))
      continue;
    if (::unlink(entry.path.c_str()) == 0)
      ++removed;
  }
  return removed;
}

namespace {
// The newest of the copies, by the time of their twins; empty when there is none.
CString NewestOf(const std::vector<CLeftCopy>& copies)
{
  const CLeftCopy* newest = nullptr;
  for (const CLeftCopy& copy : copies)
    if (!newest || IsLater(copy.twin.st.st_mtim, newest->twin.st.st_mtim))
      newest = &copy;
  return newest ? newest->path : CString();
}
}  // namespace

CString CAtomicFile::CompleteCopyOf(const CString& path) { return NewestOf(CopiesAsLeft(FollowLinks(path))); }

CString CAtomicFile::DifferingCompleteCopyOf(const CString& path)
{
  const CString target = FollowLinks(path);
  std::vector<CLeftCopy> left;
  for (CLeftCopy& copy : CopiesAsLeft(target)) {
    // The file holds every byte the write was writing: it ended, only its last steps did not.
    if (copy.twin.IsOver() && SameBytes(copy.path, target)) {
      const bool copyGone = ::unlink(copy.path.c_str()) == 0;
      const bool twinGone = ::unlink(copy.twin.path.c_str()) == 0;
      // Without its twin a copy is no longer one of the write's.
      if (copyGone || twinGone)
        continue;
    }
    left.push_back(std::move(copy));
  }
  return NewestOf(left);
}

BOOL CAtomicFile::IsUnwrittenSince(const CString& path, const CString& copy)
{
  struct stat file
  {
  }, saved{};
  if (::stat(path.c_str(), &file) != 0 || ::stat(copy.c_str(), &saved) != 0)
    return FALSE;
  // The copy was named before the first byte went to the file, and any write moves the file's
  // time to the clock's tick then, never before the naming. An equal time proves nothing: the
  // clock's tick is coarser than a write.
  return IsLater(saved.st_ctim, file.st_mtim);
}

void CAtomicFile::NoteCopyTold(const CString& copy)
{
  struct stat st
  {};
  if (::stat(copy.c_str(), &st) == 0)
    ToldCopies().push_back({st.st_dev, st.st_ino, st.st_size, st.st_mtim});
}

void CAtomicFile::ClaimCompleteCopy(const CString& path)
{
  const CString target = FollowLinks(path);
  struct stat file
  {};
  if (::stat(target.c_str(), &file) != 0 || file.st_nlink < 2)
    return;
  for (const CHiddenEntry& entry : HiddenEntries(target))
    if (SameFile(entry.st, file) && entry.IsOver())
      ::unlink(entry.path.c_str());
}
