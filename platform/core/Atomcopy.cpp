// What a write leaves beside the file it writes, and what the next writes and opens make of it:
// temporary files of killed writes, and the complete copy ("NAME.saved.EXT") of a write in place
// that did not end, with its hidden twin.
#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/core/Atomfile.h"
#include "platform/core/Atomname.h"

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
  // A twin whose copy is still as the write left it: the same size and time as its stamp.
  bool IsTwinAsLeft() const
  {
    return name.twin && st.st_nlink > 1 && st.st_size == name.size && st.st_mtim.tv_sec == name.time.tv_sec &&
           st.st_mtim.tv_nsec == name.time.tv_nsec;
  }
};

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

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

bool IsLater(const struct timespec& a, const struct timespec& b)
{
  return a.tv_sec > b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec > b.tv_nsec);
}

}  // namespace

CString CAtomicFile::KeepCompleteCopy(int in)
{
  struct stat st
  {};
  if (::fstat(in, &st) != 0)
    return CString();
  const int slash = m_strTemporary.ReverseFind('/');
  const CString twin =
      m_strTemporary.Left(slash + 1) + CHiddenName::TwinName(m_strTemporary.Mid(slash + 1), st.st_size, st.st_mtim);
  if (::rename(m_strTemporary.c_str(), twin.c_str()) != 0)
    return CString();
  m_strTemporary = twin;
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

void CAtomicFile::RemoveStaleCopies(const CString& target)
{
  for (const CString& name : NamesOf(target)) {
    for (const CHiddenEntry& entry : TemporaryEntries(name)) {
      // A second name of a write that is over is only a name: the file lives on under the other.
      if (entry.st.st_nlink < 2 || !entry.IsOver())
        continue;
      if (const CString copy = CopyOfTwin(name, entry); !copy.IsEmpty() && entry.IsTwinAsLeft())
        ::unlink(copy.c_str());
      ::unlink(entry.path.c_str());
    }
  }
}

int CAtomicFile::RemoveLeftovers(const CString& path)
{
  int removed = 0;
  for (const CHiddenEntry& entry : TemporaryEntries(path)) {
    // The twin of a complete copy stays until a complete write; a twin whose copy is gone goes.
    if (entry.name.pid == ::getpid() || entry.st.st_nlink > 1 || !ProcessIsGone(entry.name.pid))
      continue;
    if (::unlink(entry.path.c_str()) == 0)
      ++removed;
  }
  return removed;
}

CString CAtomicFile::CompleteCopyOf(const CString& path)
{
  CString newest;
  struct timespec newestTime
  {};
  for (const CString& name : NamesOf(FollowLinks(path))) {
    for (const CHiddenEntry& entry : TemporaryEntries(name)) {
      if (!entry.IsTwinAsLeft() || (!newest.IsEmpty() && !IsLater(entry.st.st_mtim, newestTime)))
        continue;
      if (const CString copy = CopyOfTwin(name, entry); !copy.IsEmpty()) {
        newest = copy;
        newestTime = entry.st.st_mtim;
      }
    }
  }
  return newest;
}

CString CAtomicFile::NewerCompleteCopyOf(const CString& path)
{
  const CString copy = CompleteCopyOf(path);
  struct stat file
  {
  }, saved{};
  if (copy.IsEmpty() || ::stat(path.c_str(), &file) != 0 || ::stat(copy.c_str(), &saved) != 0)
    return CString();
  // The copy's content is older than the room the save made in the file, which moved the file's
  // time; the copy was named after that. A file not changed since the copy was named holds the
  // content from before that save.
  return IsLater(file.st_mtim, saved.st_ctim) ? CString() : copy;
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
