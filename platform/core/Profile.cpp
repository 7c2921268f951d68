#include "platform/core/Profile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/Atomfile.h"
#include "platform/core/Filemsg.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

CString Trimmed(const std::string& text, size_t first, size_t last)
{
  while (first < last && IsBlank(text[first]))
    ++first;
  while (last > first && IsBlank(text[last - 1]))
    --last;
  return CString(text.substr(first, last - first));
}

bool HoldsAny(LPCTSTR text, const char* set) { return text && CString(text).FindOneOf(set) >= 0; }

// A name the file can hold so that it reads back as the same name.
bool IsKeepableName(LPCTSTR name, const char* forbidden)
{
  if (!name || !*name || HoldsAny(name, forbidden))
    return false;
  CString text(name);
  return !IsBlank(text[0]) && !IsBlank(text[text.GetLength() - 1]) && text[0] != '[' && text[0] != ';';
}

std::string HomeDirectory()
{
  const char* home = std::getenv("HOME");
  if (home && *home)
    return home;
  const passwd* pw = ::getpwuid(::getuid());
  return pw && pw->pw_dir ? pw->pw_dir : "";
}

enum class ReadResult
{
  read,
  missing,
  notRegular,
  failed
};

// Reads the whole file. Only a regular file is opened, so a FIFO or a device in its place is
// never waited on; one put there after the check is refused by the open, which does not wait.
ReadResult ReadFile(const std::string& path, std::string& text, CString& reason)
{
  struct stat st
  {};
  if (::stat(path.c_str(), &st) != 0) {
    const int err = errno;
    reason = std::strerror(err);
    return err == ENOENT || err == ENOTDIR ? ReadResult::missing : ReadResult::failed;
  }
  if (!S_ISREG(st.st_mode))
    return ReadResult::notRegular;
  CFile file;
  CFileException error;
  if (!file.Open(path.c_str(), CFile::modeRead | CFile::typeBinary, &error)) {
    reason = FileFailureReason(error);
    return error.m_lOsError == ENXIO || error.m_lOsError == EISDIR ? ReadResult::notRegular : ReadResult::failed;
  }
  try {
    char buffer[8192];
    while (const UINT n = file.Read(buffer, sizeof buffer))
      text.append(buffer, n);
  } catch (const CFileException& e) {
    reason = FileFailureReason(e);
    return ReadResult::failed;
  }
  return ReadResult::read;
}

// How long a write waits for another instance's write to end; one that holds the lock longer is
// stopped or hung, and the write goes on rather than lose this instance's change.
constexpr int kLockTries = 500;
constexpr useconds_t kLockPause = 10000;

bool IsSameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// The lock on the file itself, held while it is read and replaced; a file that was replaced
// between the open and the lock is locked again as the file it is now. A missing file is made
// empty to take the lock (the write replaces it at once); where the file cannot be opened, or is
// not a regular file, there is no lock, and the write tells why it fails.
class CFileLock
{
public:
  explicit CFileLock(const std::string& path)
  {
    for (int tries = 0; tries < kLockTries; ++tries) {
      const int fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
      struct stat opened
      {};
      if (fd < 0 || ::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        Close(fd);
        return;
      }
      if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        struct stat now
        {};
        if (::stat(path.c_str(), &now) == 0 && IsSameFile(opened, now)) {
          m_fd = fd;
          return;
        }
      } else if (errno != EWOULDBLOCK) {
        Close(fd);
        return;
      } else {
        ::usleep(kLockPause);
      }
      Close(fd);
    }
    std::fprintf(stderr, "The profile %s stayed locked by another program: it is written without waiting longer.\n",
                 path.c_str());
  }
  ~CFileLock() { Close(m_fd); }
  CFileLock(const CFileLock&) = delete;
  CFileLock& operator=(const CFileLock&) = delete;

private:
  static void Close(int fd)
  {
    if (fd >= 0)
      ::close(fd);
  }
  int m_fd = -1;
};

}  // namespace

std::string CProfile::DefaultPath(const char* makerName, const char* applicationName)
{
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  // The base-directory rules ignore a relative setting.
  std::string base = xdg && xdg[0] == '/' ? std::string(xdg) : HomeDirectory() + "/.config";
  return base + "/" + CString(makerName).ToUtf8() + "/" + CString(applicationName).ToUtf8() + ".ini";
}

CProfile::CProfile(std::string path) : m_path(std::move(path))
{
  std::string text;
  CString reason;
  switch (ReadFile(m_path, text, reason)) {
  case ReadResult::read:
    Parse(text);
    m_writable = true;
    break;
  case ReadResult::missing:
    m_writable = true;
    break;
  // The program has no window yet to say it in.
  case ReadResult::notRegular:
    std::fprintf(stderr,
                 "The profile %s is not a regular file: it is neither read nor written, and the settings "
                 "start from their defaults.\n",
                 m_path.c_str());
    break;
  case ReadResult::failed:
    std::fprintf(stderr,
                 "The profile %s cannot be read (%s): it is not written, and the settings start from their "
                 "defaults.\n",
                 m_path.c_str(), reason.c_str());
    break;
  }
}

void CProfile::Parse(const std::string& text)
{
  size_t start = 0;
  while (start < text.size()) {
    size_t stop = text.find('\n', start);
    if (stop == std::string::npos)
      stop = text.size();
    size_t end = stop > start && text[stop - 1] == '\r' ? stop - 1 : stop;
    std::string line = text.substr(start, end - start);
    size_t first = 0;
    while (first < line.size() && IsBlank(line[first]))
      ++first;
    size_t close = line.find(']', first);
    size_t equals = line.find('=');
    if (first < line.size() && line[first] == '[' && close != std::string::npos)
      m_lines.push_back({Line::section, Trimmed(line, first + 1, close), CString()});
    else if (first < line.size() && line[first] != ';' && equals != std::string::npos)
      m_lines.push_back({Line::entry, Trimmed(line, 0, equals), CString(line.substr(equals + 1))});
    else
      m_lines.push_back({Line::other, CString(), CString(line)});
    start = stop + 1;
  }
}

std::string CProfile::Compose() const
{
  std::string text;
  for (const Line& line : m_lines) {
    if (line.kind == Line::section)
      text += "[" + line.name.str() + "]";
    else if (line.kind == Line::entry)
      text += line.name.str() + "=" + line.value.str();
    else
      text += line.value.str();
    text += '\n';
  }
  return text;
}

int CProfile::FindSection(LPCTSTR section) const
{
  for (size_t i = 0; i < m_lines.size(); ++i)
    if (m_lines[i].kind == Line::section && m_lines[i].name.CompareNoCase(section) == 0)
      return static_cast<int>(i);
  return -1;
}

int CProfile::SectionEnd(int sectionLine) const
{
  size_t i = static_cast<size_t>(sectionLine) + 1;
  while (i < m_lines.size() && m_lines[i].kind != Line::section)
    ++i;
  return static_cast<int>(i);
}

int CProfile::FindEntry(int sectionLine, LPCTSTR entry) const
{
  if (sectionLine < 0)
    return -1;
  int end = SectionEnd(sectionLine);
  for (int i = sectionLine + 1; i < end; ++i) {
    const Line& line = m_lines[static_cast<size_t>(i)];
    if (line.kind == Line::entry && line.name.CompareNoCase(entry) == 0)
      return i;
  }
  return -1;
}

CString CProfile::GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue) const
{
  int i = FindEntry(FindSection(section), entry);
  return i >= 0 ? m_lines[static_cast<size_t>(i)].value : CString(defaultValue);
}

int CProfile::GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue) const
{
  CString text = GetProfileString(section, entry);
  if (text.IsEmpty())
    return defaultValue;
  const char* p = text;
  while (IsBlank(*p))
    ++p;
  // Only a sign and decimal digits count; StrToLong alone would also skip other white space.
  const char* digits = (*p == '+' || *p == '-') ? p + 1 : p;
  if (*digits < '0' || *digits > '9')
    return 0;
  long value = StrToLong(p);
  return value > INT_MAX ? INT_MAX : (value < INT_MIN ? INT_MIN : static_cast<int>(value));
}

void CProfile::SetValue(LPCTSTR section, LPCTSTR entry, LPCTSTR value)
{
  int sectionLine = FindSection(section);
  if (sectionLine < 0) {
    if (!m_lines.empty() && !(m_lines.back().kind == Line::other && m_lines.back().value.IsEmpty()))
      m_lines.push_back({Line::other, CString(), CString()});
    m_lines.push_back({Line::section, CString(section), CString()});
    m_lines.push_back({Line::entry, CString(entry), CString(value)});
    return;
  }
  int i = FindEntry(sectionLine, entry);
  if (i >= 0) {
    m_lines[static_cast<size_t>(i)].value = value;
    return;
  }
  // A new key follows the section's last entry, ahead of any trailing comments and blank lines.
  int at = SectionEnd(sectionLine);
  while (at > sectionLine + 1 && m_lines[static_cast<size_t>(at - 1)].kind == Line::other)
    --at;
  m_lines.insert(m_lines.begin() + at, Line{Line::entry, CString(entry), CString(value)});
}

void CProfile::RemoveValue(LPCTSTR section, LPCTSTR entry)
{
  int i = FindEntry(FindSection(section), entry);
  if (i >= 0)
    m_lines.erase(m_lines.begin() + i);
}

BOOL CProfile::WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value)
{
  if (!m_writable || !IsKeepableName(section, "]\r\n") || !IsKeepableName(entry, "=\r\n") || HoldsAny(value, "\r\n"))
    return FALSE;
  if (m_nEditing > 0) {
    if (value)
      SetValue(section, entry, value);
    else
      RemoveValue(section, entry);
    return TRUE;
  }
  if (m_nAsRead > 0) {
    if (value && FindEntry(FindSection(section), entry) < 0)
      SetValue(section, entry, value);
    return TRUE;
  }
  const CString sectionName(section);
  const CString entryName(entry);
  const bool remove = value == nullptr;
  const CString text(value);
  // A value as this instance already has it is no change of its own: it fills in a key the file
  // lacks, and leaves another instance's value standing.
  const int line = FindEntry(FindSection(section), entry);
  const bool unchanged = remove ? line < 0 : line >= 0 && m_lines[static_cast<size_t>(line)].value == text;
  return Update([sectionName, entryName, remove, text, unchanged](CProfile& profile) {
    if (!unchanged || (!remove && profile.FindEntry(profile.FindSection(sectionName), entryName) < 0))
      profile.WriteProfileString(sectionName, entryName, remove ? nullptr : text.c_str());
  });
}

void CProfile::RunEdit(const Edit& edit)
{
  struct Editing
  {
    int& count;
    explicit Editing(int& n) : count(++n) {}
    ~Editing() { --count; }
  } editing(m_nEditing);
  edit(*this);
}

BOOL CProfile::Update(const Edit& edit)
{
  if (!m_writable)
    return FALSE;
  if (m_nEditing > 0) {
    edit(*this);
    return TRUE;
  }
  std::vector<Line> previous = m_lines;
  RunEdit(edit);
  m_pending.push_back(edit);
  if (m_nHolds > 0)
    return TRUE;
  const BOOL stored = Store();
  m_pending.clear();
  if (!stored)
    m_lines.swap(previous);
  return stored;
}

CProfile::CHold::CHold(CProfile& profile) : m_profile(profile)
{
  if (m_profile.m_nHolds++ == 0)
    m_profile.m_storedLines = m_profile.m_lines;
}

CProfile::CHold::~CHold()
{
  if (--m_profile.m_nHolds > 0 || m_profile.m_pending.empty())
    return;
  bool stored = false;
  try {
    stored = m_profile.Store();
  } catch (...) {
    // A hold ends in a destructor, which must not throw: the write is lost as a failed one is.
  }
  m_profile.m_pending.clear();
  if (!stored)
    m_profile.m_lines.swap(m_profile.m_storedLines);
  m_profile.m_storedLines.clear();
}

BOOL CProfile::WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value)
{
  return WriteProfileString(section, entry, CString::Formatted("%d", value));
}

// The file as it is now, with this instance's changes applied to it.
BOOL CProfile::ComposeOverStored(std::string& text, CString& reason)
{
  std::string stored;
  switch (ReadFile(m_path, stored, reason)) {
  case ReadResult::read:
  case ReadResult::missing:
    break;
  case ReadResult::notRegular:
    reason = "not a regular file";
    return FALSE;
  case ReadResult::failed:
    return FALSE;
  }
  std::vector<Line> own;
  own.swap(m_lines);
  struct Restore
  {
    std::vector<Line>& lines;
    std::vector<Line>& own;
    ~Restore() { lines.swap(own); }
  } restore{m_lines, own};
  Parse(stored);
  for (const Edit& edit : m_pending)
    RunEdit(edit);
  text = Compose();
  return TRUE;
}

// The profile is written as every file the user has: whole or not at all, its links, owner,
// group and mode kept, and never over a read-only one. The lock keeps another instance from
// replacing the file between the read and the write, which would lose that instance's change.
BOOL CProfile::Store()
{
  std::filesystem::path target(m_path);
  std::error_code error;
  if (target.has_parent_path())
    std::filesystem::create_directories(target.parent_path(), error);
  const CFileLock lock(m_path);
  std::string text;
  CString reason;
  if (!ComposeOverStored(text, reason)) {
    TellFailure(reason);
    return FALSE;
  }
  try {
    CAtomicFile out{CString(m_path)};
    out.GetFile().Write(text.data(), static_cast<UINT>(text.size()));
    out.Commit();
    return TRUE;
  } catch (const CFileException& e) {
    TellFailure(FileFailureReason(e));
    return FALSE;
  }
}

// Told once a session, on standard error, as the program may have no window left to tell it in.
void CProfile::TellFailure(const CString& reason)
{
  if (!m_bFailureTold)
    std::fprintf(stderr, "The profile %s cannot be written (%s): settings changed in this session are not stored.\n",
                 m_path.c_str(), reason.c_str());
  m_bFailureTold = true;
}
