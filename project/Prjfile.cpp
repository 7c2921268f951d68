#include "project/Prjfile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/Archive.h"
#include "platform/core/Atomfile.h"
#include "platform/core/Atomname.h"
#include "platform/core/Crc32.h"
#include "project/Chkfile.h"
#include "support/Exceptn.h"
#include "support/Trace.h"

namespace {

constexpr const char* kModule = "Prjfile";
constexpr int kInUseLine = 71;
// Large enough that reading and saving a big project cost few system calls.
constexpr int kBufferSize = 65536;
// Other instances can neither read nor lock the project while it is open here.
constexpr UINT kHoldFlags = CFile::modeRead | CFile::typeBinary | CFile::shareDenyRead;
constexpr UINT kWriteFlags = CFile::modeCreate | CFile::modeWrite | CFile::typeBinary;

// Reads the held file through the archive's buffer. The length is taken once and the position
// kept here, so the archive's checks of what remains cost no system call, and nothing is
// allocated from the file's length: a huge or sparse file is refused by its first bytes. Where
// asked, it takes the checksum of the bytes read.
class CHeldReader : public CFile
{
public:
  CHeldReader(CFile& file, bool checksum) : m_file(file), m_length(file.GetLength()), m_checksum(checksum) {}
  UINT Read(void* buffer, UINT count) override
  {
    const UINT n = m_file.Read(buffer, count);
    m_pos += n;
    if (m_checksum)
      m_reg = Crc32Update(m_reg, buffer, n);
    return n;
  }
  long long GetLength() const override { return m_length; }
  long long GetPosition() const override { return m_pos; }
  void Close() override {}
  void Abort() override {}
  // The checksum of the whole file: what the reader left unread is read here.
  DWORD ChecksumOfAll()
  {
    BYTE rest[4096];
    while (m_pos < m_length && Read(rest, sizeof rest) > 0) {}
    return ~m_reg;
  }

private:
  CFile& m_file;
  long long m_length;
  long long m_pos = 0;
  bool m_checksum;
  DWORD m_reg = kCrc32Start;
};

void OpenOrThrow(CFile& file, const CString& path, UINT flags)
{
  CFileException error;
  if (!file.Open(path, flags, &error))
    throw error;
}

// Nothing is at the path any more: the name, or a folder on its way, is gone. A folder that
// cannot be searched hides the file without removing it.
bool IsMissing(const CString& path)
{
  struct stat st
  {};
  return ::stat(path.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

}  // namespace

CProjectFile::~CProjectFile()
{
  if (m_file)
    m_file->Abort();
}

void CProjectFile::SetWriteFileFactory(FileFactory factory) { CAtomicFile::SetFileFactory(std::move(factory)); }

void CProjectFile::Open(const CString& path)
{
  auto file = std::make_unique<CFile>();
  CFileException error;
  if (!file->Open(path, kHoldFlags, &error)) {
    if (error.m_cause == CFileException::sharingViolation)
      throw CAppSerializeException(kModule, kInUseLine, CAppSerializeException::fileInUse);
    throw error;
  }
  Close();
  m_file = std::move(file);
  m_path = path;
  // Before the state is taken: letting a twin go, or a mark, changes the file's change time.
  CAtomicFile::ClaimCompleteCopy(path);
  CAtomicFile::SettleCopyMarks(path);
  m_diskState = CDiskState::Of(path);
  // Once the clock has passed the file's change time, a write from here shows in that time;
  // within its tick, only the bytes the read takes can tell one. An open never waits for it.
  const struct timespec changed = {static_cast<time_t>(m_diskState.changeSeconds),
                                   static_cast<long>(m_diskState.changeNanoseconds)};
  m_settled = m_diskState.known &&
              CAtomicFile::ClockHasPassed(-1, FolderOfPath(CAtomicFile::FollowLinks(path)), changed, false);
}

void CProjectFile::Read(const ReadFunction& read)
{
  m_file->SeekToBegin();
  CHeldReader reader(*m_file, !m_settled);
  CArchive ar(&reader, CArchive::load, kBufferSize);
  read(ar);
  ar.Close();
  if (!m_settled)
    m_held = reader.ChecksumOfAll();
}

void CProjectFile::WriteNew(const CString& path, const WriteFunction& write, const CString& accessOf)
{
  // As every write does: what killed writes of this name left goes first.
  CAtomicFile::RemoveLeftovers(path);
  const CString temporary = CAtomicFile::TemporaryPathFor(path);
  CFile out;
  OpenOrThrow(out, temporary, kWriteFlags | CFile::modePrivate);
  try {
    CAtomicFile::GiveCopyAccessOf(temporary, accessOf);
    CArchive ar(&out, CArchive::store, kBufferSize);
    write(ar);
    ar.Close();
    out.Sync();
    out.Close();
    // A link, unlike a rename, refuses a name already taken.
    if (::link(temporary.c_str(), path.c_str()) != 0)
      throw CFileException(CFileException::OsErrorToException(errno), errno, path);
  } catch (...) {
    out.Abort();
    ::unlink(temporary.c_str());
    throw;
  }
  ::unlink(temporary.c_str());
  CAtomicFile::SyncFolderOf(path);
}

void CProjectFile::Close()
{
  if (m_file)
    m_file->Abort();
  m_file.reset();
  m_path.Empty();
  m_diskState = CDiskState();
  m_settled = false;
  m_held.reset();
}

BOOL CProjectFile::IsChangedOnDisk(const CString& path) const
{
  if (!m_file || path != m_path || !m_diskState.known)
    return FALSE;
  const CDiskState now = CDiskState::Of(path);
  // A file removed meanwhile is not changed: it is gone, which IsGoneFromDisk tells.
  if (!now.known)
    return FALSE;
  return !IsAsKept(now, [&path, &now](DWORD checksum) {
    return FileHoldsBytes(path.c_str(), now.device, now.inode, now.size, checksum);
  });
}

bool CProjectFile::IsAsKept(const CDiskState& now, const std::function<bool(DWORD)>& holds) const
{
  if (!(now == m_diskState))
    return false;
  return m_settled || !m_held || holds(*m_held);
}

BOOL CProjectFile::IsGoneFromDisk(const CString& path) const
{
  return m_file && path == m_path && m_diskState.known && IsMissing(path);
}

void CProjectFile::CheckTargetNotInUse(const CString& path) const
{
  CAtomicFile::CheckWritable(path);
  std::error_code ec;
  if (!std::filesystem::exists(path.c_str(), ec))
    return;
  if (HoldsFileAt(path))
    return;
  CFile probe;
  CFileException error;
  if (!probe.Open(path, kHoldFlags, &error) && error.m_cause == CFileException::sharingViolation)
    throw error;
}

bool CProjectFile::HoldsFileAt(const CString& path) const
{
  std::error_code ec;
  return m_file && std::filesystem::equivalent(path.c_str(), m_path.c_str(), ec);
}

DWORD CProjectFile::Save(const CString& path, const WriteFunction& write)
{
  CheckTargetNotInUse(path);
  CAtomicFile out(path);
  // The new file is locked from before it gets its final name, so it is never seen unlocked; a
  // file written in place is locked as it stands, by the lock held here when it is the project.
  const bool keepHeld = out.WritesInPlace() && HoldsFileAt(path);
  auto held = std::make_unique<CFile>();
  DWORD checksum = 0;
  try {
    if (!keepHeld)
      OpenOrThrow(*held, out.WritesInPlace() ? path : out.GetTemporaryPath(), kHoldFlags);
    CChecksumFile checked(&out.GetFile());
    CArchive ar(&checked, CArchive::store, kBufferSize);
    write(ar);
    ar.Close();
    checksum = checked.GetChecksum();
    out.Commit();
  } catch (...) {
    PCTRACE(TT_DOCUMENT, TL_WARNING)("Project file not saved; the previous file is kept.\n");
    held->Abort();
    // A refused copy in place may have left this save's bytes in the held file, or moved its times
    // and changed part of its bytes: the next save must not take them for another program's change.
    if (keepHeld && out.HoldsNewContent())
      TakeWrittenState(path, checksum);
    else if (keepHeld)
      FollowRefusedWrite(out);
    throw;
  }
  if (!keepHeld) {
    Close();
    m_file = std::move(held);
  }
  m_path = path;
  TakeWrittenState(path, checksum);
  return checksum;
}

void CProjectFile::TakeWrittenState(const CString& path, DWORD checksum)
{
  m_diskState = CDiskState::Of(path);
  // Another program may have written between the write and that look: its write is in the
  // state, whatever the clock says, and only the bytes tell it.
  m_settled = false;
  m_held = checksum;
}

void CProjectFile::FollowRefusedWrite(const CAtomicFile& out)
{
  const CAtomicFile::CHeld& before = out.TargetBefore();
  const CAtomicFile::CHeld& after = out.TargetAfter();
  // Its room reserved, its copy marked or part of it copied, the file has other times; another
  // program's change before the save is still told, as the bytes would tell it.
  if (!before.state.known || !after.state.known ||
      !IsAsKept(before.state, [&before](DWORD checksum) { return checksum == before.checksum; }))
    return;
  m_diskState = after.state;
  m_settled = false;
  m_held = after.checksum;
}
