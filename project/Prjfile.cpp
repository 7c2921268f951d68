#include "project/Prjfile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/Archive.h"
#include "project/Chkfile.h"
#include "support/Exceptn.h"
#include "support/Trace.h"

namespace {

constexpr const char* kModule = "Prjfile";
constexpr int kInUseLine = 71;
// Large enough that saving a big project costs few system calls.
constexpr int kBufferSize = 65536;
// Other instances can neither read nor lock the project while it is open here.
constexpr UINT kHoldFlags = CFile::modeRead | CFile::typeBinary | CFile::shareDenyRead;
constexpr UINT kWriteFlags = CFile::modeCreate | CFile::modeWrite | CFile::typeBinary;

CProjectFile::FileFactory& WriteFileFactory()
{
  static auto* factory = new CProjectFile::FileFactory;
  return *factory;
}

// A hidden name in the same folder, so the final rename never crosses file systems.
CString TemporaryPathFor(const CString& path)
{
  static unsigned counter = 0;
  int slash = path.ReverseFind('/');
  return path.Left(slash + 1) + "." + path.Mid(slash + 1) +
         CString::Formatted(".%ld.%u.tmp", static_cast<long>(::getpid()), ++counter);
}

std::string Native(const CString& path) { return path.ToUtf8(); }

// The whole file in memory, read-only: the archive's checks of what remains cost no system call.
class CImageFile : public CFile
{
public:
  explicit CImageFile(std::vector<BYTE> bytes) : m_bytes(std::move(bytes)) {}
  UINT Read(void* buffer, UINT count) override
  {
    size_t n = std::min<size_t>(count, m_bytes.size() - m_pos);
    if (n == 0)
      return 0;
    std::memcpy(buffer, m_bytes.data() + m_pos, n);
    m_pos += n;
    return static_cast<UINT>(n);
  }
  long long GetLength() const override { return static_cast<long long>(m_bytes.size()); }
  long long GetPosition() const override { return static_cast<long long>(m_pos); }
  void Close() override {}
  void Abort() override {}

private:
  std::vector<BYTE> m_bytes;
  size_t m_pos = 0;
};

void OpenOrThrow(CFile& file, const CString& path, UINT flags)
{
  CFileException error;
  if (!file.Open(path, flags, &error))
    throw error;
}

// The new file takes the permissions of the file it replaces.
void CopyPermissions(const CString& from, const CString& to)
{
  struct stat st
  {};
  if (::stat(Native(from).c_str(), &st) == 0)
    ::chmod(Native(to).c_str(), st.st_mode & 07777);
}

// The rename lives in the folder's entries: syncing the folder keeps the new file under its name
// after a crash right after the save. Best effort, since not every file system allows it and the
// file itself is already complete.
void SyncFolderOf(const CString& path)
{
  const int slash = path.ReverseFind('/');
  const CString folder = slash < 0 ? CString(".") : slash == 0 ? CString("/") : path.Left(slash);
  const int fd = ::open(Native(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0)
    return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

CProjectFile::~CProjectFile()
{
  if (m_file)
    m_file->Abort();
}

void CProjectFile::SetWriteFileFactory(FileFactory factory) { WriteFileFactory() = std::move(factory); }

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
}

void CProjectFile::Read(const ReadFunction& read)
{
  m_file->SeekToBegin();
  std::vector<BYTE> bytes(static_cast<size_t>(m_file->GetLength()));
  bytes.resize(m_file->Read(bytes.data(), static_cast<UINT>(bytes.size())));
  CImageFile image(std::move(bytes));
  CArchive ar(&image, CArchive::load, kBufferSize);
  read(ar);
  ar.Close();
}

void CProjectFile::WriteNew(const CString& path, const WriteFunction& write)
{
  const CString temporary = TemporaryPathFor(path);
  CFile out;
  OpenOrThrow(out, temporary, kWriteFlags);
  try {
    CArchive ar(&out, CArchive::store, kBufferSize);
    write(ar);
    ar.Close();
    out.Sync();
    out.Close();
    // A link, unlike a rename, refuses a name already taken.
    if (::link(Native(temporary).c_str(), Native(path).c_str()) != 0)
      throw CFileException(CFileException::OsErrorToException(errno), errno, path);
  } catch (...) {
    out.Abort();
    ::unlink(Native(temporary).c_str());
    throw;
  }
  ::unlink(Native(temporary).c_str());
  SyncFolderOf(path);
}

void CProjectFile::Close()
{
  if (m_file)
    m_file->Abort();
  m_file.reset();
  m_path.Empty();
}

void CProjectFile::CheckTargetNotInUse(const CString& path) const
{
  std::error_code ec;
  if (!std::filesystem::exists(Native(path), ec))
    return;
  if (m_file && std::filesystem::equivalent(Native(path), Native(m_path), ec))
    return;
  // A file that could not be written in place must not be replaced either.
  if (::access(Native(path).c_str(), W_OK) != 0)
    throw CFileException(CFileException::OsErrorToException(errno), errno, path);
  CFile probe;
  CFileException error;
  if (!probe.Open(path, kHoldFlags, &error) && error.m_cause == CFileException::sharingViolation)
    throw error;
}

DWORD CProjectFile::Save(const CString& path, const WriteFunction& write)
{
  CheckTargetNotInUse(path);
  const CString temporary = TemporaryPathFor(path);
  std::unique_ptr<CFile> out = WriteFileFactory() ? WriteFileFactory()() : std::make_unique<CFile>();
  OpenOrThrow(*out, temporary, kWriteFlags);
  // The new file is locked from before it gets its final name, so it is never seen unlocked.
  auto held = std::make_unique<CFile>();
  DWORD checksum = 0;
  try {
    OpenOrThrow(*held, temporary, kHoldFlags);
    CChecksumFile checked(out.get());
    CArchive ar(&checked, CArchive::store, kBufferSize);
    write(ar);
    ar.Close();
    checksum = checked.GetChecksum();
    // Synced before the rename: after a crash the path holds the previous file or the whole new
    // one, never a part of it.
    out->Sync();
    out->Close();
    CopyPermissions(path, temporary);
    if (::rename(Native(temporary).c_str(), Native(path).c_str()) != 0)
      throw CFileException(CFileException::OsErrorToException(errno), errno, path);
  } catch (...) {
    PCTRACE(TT_DOCUMENT, TL_WARNING)("Project file not saved; the previous file is kept.\n");
    out->Abort();
    held->Abort();
    ::unlink(Native(temporary).c_str());
    throw;
  }
  SyncFolderOf(path);
  Close();
  m_file = std::move(held);
  m_path = path;
  return checksum;
}
