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

// A hidden file of a write of a file, with the name of the file that write wrote through.
struct CFoundEntry
{
  CString name;
  CHiddenEntry entry;
};

// The marks the file at the path carries that are its own: one that went with the file's
// attributes into a copy of it names another inode. carried, where given, becomes how many the
// file carries in all.
std::vector<CCopyMark> MarksOf(const CString& target, size_t* carried = nullptr)
{
  std::vector<CCopyMark> marks = CopyMarksOf(target);
  if (carried)
    *carried = marks.size();
  struct stat file
  {};
  if (!marks.empty() && ::stat(target.c_str(), &file) != 0)
    return {};
  std::erase_if(marks, [&file](const CCopyMark& mark) { return mark.inode != file.st_ino; });
  return marks;
}

// The twins the marks name, where they are still there beside the names written, on the file's
// own file system.
std::vector<CFoundEntry> MarkedEntries(const CString& target, const std::vector<CCopyMark>& marks)
{
  std::vector<CFoundEntry> found;
  struct stat file
  {};
  if (marks.empty() || ::stat(target.c_str(), &file) != 0)
    return found;
  for (const CCopyMark& mark : marks) {
    CFoundEntry twin{mark.path, {}};
    twin.entry.path = mark.TwinPath();
    if (twin.entry.name.Parse(mark.twin) && twin.entry.name.twin &&
        ::lstat(twin.entry.path.c_str(), &twin.entry.st) == 0 && S_ISREG(twin.entry.st.st_mode) &&
        twin.entry.st.st_dev == file.st_dev)
      found.push_back(twin);
  }
  return found;
}

// The hidden files of writes of the file at the path (its symbolic links followed): beside any of
// its names in its folder, and the twins its marks name in other folders, each once.
std::vector<CFoundEntry> EntriesOf(const CString& target, const std::vector<CCopyMark>& marks)
{
  std::vector<CFoundEntry> found;
  for (const CString& name : NamesOf(target))
    for (const CHiddenEntry& entry : TemporaryEntries(name))
      found.push_back({name, entry});
  for (const CFoundEntry& marked : MarkedEntries(target, marks))
    if (std::ranges::none_of(found, [&marked](const CFoundEntry& f) { return SameFile(f.entry.st, marked.entry.st); }))
      found.push_back(marked);
  return found;
}

// Those of the entries that are the twins of complete copies as their writes left them, with the copies.
std::vector<CLeftCopy> CopiesAsLeft(const std::vector<CFoundEntry>& entries)
{
  std::vector<CLeftCopy> copies;
  for (const CFoundEntry& found : entries)
    if (found.entry.IsTwinAsLeft())
      if (const CString copy = CopyOfTwin(found.name, found.entry); !copy.IsEmpty())
        copies.push_back({copy, found.entry});
  return copies;
}

std::vector<CLeftCopy> CopiesAsLeft(const CString& target) { return CopiesAsLeft(EntriesOf(target, MarksOf(target))); }

// Where the file holds every byte of the copy its write was writing, that write ended, only its
// last steps did not: the copy goes with its twin. TRUE when it went.
bool LetEndedCopyGo(const CLeftCopy& copy, const CString& target)
{
  if (!copy.twin.IsOver() || !SameBytes(copy.path, target))
    return false;
  const bool copyGone = ::unlink(copy.path.c_str()) == 0;
  const bool twinGone = ::unlink(copy.twin.path.c_str()) == 0;
  // Without its twin a copy is no longer one of the write's.
  return copyGone || twinGone;
}

// The absolute path of the name: the mark is read through any name, in any working folder.
CString AbsolutePathOf(const CString& path)
{
  char* folder = ::realpath(FolderOfPath(path).c_str(), nullptr);
  if (!folder)
    return CString();
  const CString absolute = CString(folder) + (folder[1] == '\0' ? "" : "/") + NameOfPath(path);
  std::free(folder);
  return absolute;
}

// The marks the file carries that are its own and stand, their twins there with their copies (a
// second name); carried becomes how many it carries in all.
std::vector<CCopyMark> StandingMarks(const CString& target, size_t& carried)
{
  std::vector<CCopyMark> marks = MarksOf(target, &carried);
  std::erase_if(marks, [](const CCopyMark& mark) {
    struct stat st
    {};
    return ::lstat(mark.TwinPath().c_str(), &st) != 0 || st.st_nlink < 2;
  });
  return marks;
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
  // Before the copy has a name the user sees, the file tells where it is. Marks of copies no
  // longer there go; those of copies still there stay, for the copies of earlier writes are
  // named through every name of the file too.
  size_t carried = 0;
  std::vector<CCopyMark> marks = StandingMarks(m_strTarget, carried);
  struct stat file
  {};
  if (const CString written = AbsolutePathOf(m_strTarget);
      !written.IsEmpty() && ::stat(m_strTarget.c_str(), &file) == 0) {
    marks.push_back({file.st_ino, NameOfPath(twin), written});
    SetCopyMarks(m_strTarget, marks);
  }
  return LinkCompleteCopy(twin);
}

void CAtomicFile::UnmarkCopy(const CString& twin) const
{
  size_t carried = 0;
  std::vector<CCopyMark> marks = StandingMarks(m_strTarget, carried);
  std::erase_if(marks, [&twin](const CCopyMark& mark) { return mark.twin == NameOfPath(twin); });
  if (marks.size() != carried)
    SetCopyMarks(m_strTarget, marks);
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
  m_marks = MarksOf(m_strTarget);
  for (const CLeftCopy& copy : CopiesAsLeft(EntriesOf(m_strTarget, m_marks)))
    if (copy.twin.IsOver() && (WasTold(copy.twin) || SameBytes(copy.path, m_strTarget)))
      m_removableCopies.push_back(copy.path);
}

void CAtomicFile::RemoveStaleCopies()
{
  for (const CFoundEntry& found : EntriesOf(m_strTarget, m_marks)) {
    const CHiddenEntry& entry = found.entry;
    // A second name of a write that is over is only a name: the file lives on under the other.
    if (entry.st.st_nlink < 2 || !entry.IsOver())
      continue;
    if (const CString copy = CopyOfTwin(found.name, entry); !copy.IsEmpty() && entry.IsTwinAsLeft()) {
      // Work the user was never told of stays, with the twin that marks it as the write's.
      if (std::ranges::find(m_removableCopies, copy) == m_removableCopies.end())
        continue;
      ::unlink(copy.c_str());
    }
    ::unlink(entry.path.c_str());
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
  std::vector<CLeftCopy> left = CopiesAsLeft(target);
  // Its mark stays until the next open or complete write: it goes only before the file's state is
  // taken (see SettleCopyMarks).
  std::erase_if(left, [&target](const CLeftCopy& copy) { return LetEndedCopyGo(copy, target); });
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

void CAtomicFile::SettleCopyMarks(const CString& path)
{
  const CString target = FollowLinks(path);
  size_t carried = 0;
  std::vector<CCopyMark> marks = StandingMarks(target, carried);
  if (carried == 0)
    return;
  const std::vector<CLeftCopy> copies = CopiesAsLeft(MarkedEntries(target, marks));
  for (const CLeftCopy& copy : copies)
    if (LetEndedCopyGo(copy, target))
      std::erase_if(marks, [&copy](const CCopyMark& mark) { return mark.TwinPath() == copy.twin.path; });
  if (marks.size() != carried)
    SetCopyMarks(target, marks);
}
