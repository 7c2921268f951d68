// Guards the writer of files the user names: whole or not at all, never over a target the user
// may not write, nothing left behind by a killed write, only regular files opened, and the file's
// identity kept (links, owner, group, mode, ACL and extended attributes), and no copy of its
// content readable by more people than the file.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "platform/core/Atomfile.h"
#include "platform/core/Atommark.h"
#include "platform/core/Atomname.h"
#include "platform/core/FileSizeLimit.h"
#include "platform/core/Filemsg.h"
#include "platform/core/Umask.h"

// A writer that stops once, at the first link it makes, as a slow disk or a stopped process holds a save
// right after it named its complete copy. The program's own calls of link come here.
bool g_stopAfterLink = false;

extern "C" int link(const char* from, const char* to) noexcept
{
  const int result = static_cast<int>(::syscall(SYS_linkat, AT_FDCWD, from, AT_FDCWD, to, 0));
  if (result == 0 && g_stopAfterLink) {
    g_stopAfterLink = false;
    ::raise(SIGSTOP);
  }
  return result;
}

// The same at the first block a copy in place writes over the file: the copy is part done.
bool g_stopAfterWrite = false;
// The same at the first block the copy's check reads back: the first read from the start once the
// copy has written over the file.
bool g_stopAfterReadBack = false;
bool g_copyWrote = false;

// A disk that refuses a copy in place with this error at its nth block (counted from 1), as a
// failing or full disk refuses a write; 0 for none.
int g_refuseWrite = 0;
int g_refuseWriteAt = 0;

extern "C" ssize_t pwrite(int fd, const void* buffer, size_t count, off_t at)
{
  if (g_refuseWrite != 0 && --g_refuseWriteAt == 0) {
    errno = std::exchange(g_refuseWrite, 0);
    return -1;
  }
  const auto result = static_cast<ssize_t>(::syscall(SYS_pwrite64, fd, buffer, count, at));
  g_copyWrote = g_copyWrote || (result > 0 && g_stopAfterReadBack);
  if (result > 0 && g_stopAfterWrite) {
    g_stopAfterWrite = false;
    ::raise(SIGSTOP);
  }
  return result;
}

extern "C" ssize_t pread(int fd, void* buffer, size_t count, off_t at)
{
  const auto result = static_cast<ssize_t>(::syscall(SYS_pread64, fd, buffer, count, at));
  if (result > 0 && at == 0 && g_copyWrote && g_stopAfterReadBack) {
    g_stopAfterReadBack = false;
    ::raise(SIGSTOP);
  }
  return result;
}

// A writer killed right after the room for its new length is reserved, before a byte of the file
// changes. The program's own calls of fallocate come here.
bool g_killAfterReserve = false;
// A reservation the file system refuses with this error once it has taken part of the room, as
// a disk that fills meanwhile; 0 for none.
int g_refuseReserve = 0;

extern "C" int fallocate(int fd, int mode, off_t at, off_t length)
{
  const auto result = static_cast<int>(::syscall(SYS_fallocate, fd, mode, at, length));
  if (g_killAfterReserve)
    ::raise(SIGKILL);
  if (g_refuseReserve != 0) {
    errno = std::exchange(g_refuseReserve, 0);
    return -1;
  }
  return result;
}

namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    std::string pattern = (fs::temp_directory_path() / "pcatom.XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    m_dir = pattern;
  }
  void TearDown() override
  {
    fs::permissions(m_dir, fs::perms::owner_all);
    std::error_code ec;
    fs::remove_all(m_dir, ec);
  }
  std::string Path(const std::string& name) const { return m_dir + "/" + name; }
  size_t EntryCount(const std::string& folder) const
  {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
  }

  std::string m_dir;
};

std::string Contents(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void Put(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

void WriteWhole(const std::string& path, const std::string& text)
{
  CAtomicFile out(path.c_str());
  out.GetFile().Write(text.data(), static_cast<UINT>(text.size()));
  out.Commit();
}

CFileException RefusalOf(const std::string& path, const std::string& text)
{
  try {
    WriteWhole(path, text);
  } catch (const CFileException& e) {
    EXPECT_EQ(e.m_strFileName, CString(path.c_str())) << "the failure names the target";
    return e;
  }
  return CFileException(CFileException::none, 0);
}

int ErrnoOfRefusal(const std::string& path, const std::string& text)
{
  return static_cast<int>(RefusalOf(path, text).m_lOsError);
}

struct stat StatOf(const std::string& path)
{
  struct stat st
  {};
  EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
  return st;
}

// A child that writes part of the file and is killed before its end, as a kill -9 during a save.
// A writer that fills the file by name (a PDF) writes through the temporary path.
void KillAWriteOf(const std::string& path, bool byName)
{
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    CAtomicFile out(path.c_str());
    if (byName) {
      out.ReleaseFile();
      Put(out.GetTemporaryPath().c_str(), "%PDF half a page");
    } else {
      out.GetFile().Write("half a save", 11);
    }
    ::raise(SIGKILL);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the child ended otherwise than by its own kill";
}

// Another program writes the text over the file's own bytes from the offset and gives the file
// its time back, as a file system with whole-second times shows a write within the same second.
void WriteInPlaceKeepingTime(const std::string& path, const std::string& text, size_t at = 0)
{
  const struct stat before = StatOf(path);
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  ASSERT_GE(fd, 0) << path;
  EXPECT_EQ(::pwrite(fd, text.data(), text.size(), static_cast<off_t>(at)), static_cast<ssize_t>(text.size()));
  const struct timespec times[2] = {before.st_atim, before.st_mtim};
  EXPECT_EQ(::futimens(fd, times), 0);
  ::close(fd);
  EXPECT_EQ(StatOf(path).st_size, before.st_size);
}

std::string Attribute(const std::string& path, const char* name)
{
  std::string value(4096, '\0');
  const ssize_t n = ::getxattr(path.c_str(), name, value.data(), value.size());
  return n < 0 ? std::string("(none: ") + std::strerror(errno) + ")" : value.substr(0, static_cast<size_t>(n));
}

const std::string kNoAttribute = std::string("(none: ") + std::strerror(ENODATA) + ")";

// Empty where the file system of the folder keeps user attributes; else why not.
std::string UserAttributesRefusal(const std::string& folder)
{
  const std::string probe = folder + "/probe";
  Put(probe, "probe");
  const int result = ::setxattr(probe.c_str(), "user.probe", "1", 1, 0);
  const std::string refusal =
      result == 0 ? std::string()
                  : "the file system of " + folder + " keeps no user attributes: " + std::strerror(errno);
  ::unlink(probe.c_str());
  return refusal;
}

// An access ACL as the system stores it: a version, then (tag, permissions, id) for each entry
// in the order of their tags.
std::string AccessAcl(const std::vector<std::vector<unsigned>>& entries)
{
  std::string bytes;
  auto put = [&bytes](unsigned value, int size) {
    for (int i = 0; i < size; ++i)
      bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  put(2, 4);
  for (const std::vector<unsigned>& entry : entries) {
    put(entry[0], 2);
    put(entry[1], 2);
    put(entry[2], 4);
  }
  return bytes;
}

// Writes the text over a file with a second name, in place, past a size limit set once the
// temporary file is complete: the copy fails part of the way, its complete content left named.
// Empty, or why no limit could be set here.
std::string FailACopyInPlace(const std::string& path, const std::string& text, CFileException& failure)
{
  CAtomicFile out(path.c_str());
  out.GetFile().Write(text.data(), static_cast<UINT>(text.size()));
  CFileSizeLimit limit(64 * 1024);
  if (!limit.Refusal().empty())
    return limit.Refusal();
  try {
    out.Commit();
    ADD_FAILURE() << "the copy went past the limit";
  } catch (const CFileException& e) {
    failure = e;
  }
  return std::string();
}

// A child that writes the text over the file in place and stops once its complete copy is named,
// or once the copy has written its first block over the file; a limit makes its copy fail when
// it goes on. Ended by its kill when the test leaves it stopped.
class CStoppedWriter
{
public:
  enum Stop
  {
    copyNamed,
    firstBlockCopied,
    firstBlockReadBack
  };

  CStoppedWriter(const std::string& path, const std::string& text, bool failing, Stop stop = copyNamed)
  {
    if (::pipe(m_pipe) != 0)
      return;
    m_child = ::fork();
    if (m_child != 0)
      return;
    ::close(m_pipe[0]);
    g_stopAfterLink = stop == copyNamed;
    g_stopAfterWrite = stop == firstBlockCopied;
    g_stopAfterReadBack = stop == firstBlockReadBack;
    if (failing) {
      std::signal(SIGXFSZ, SIG_IGN);
      CAtomicFile::SetFileFactory([] { return std::make_unique<CLimitAfterSyncFile>(); });
    }
    try {
      WriteWhole(path, text);
    } catch (const CFileException& e) {
      const CString reason = FileFailureReason(e);
      ::write(m_pipe[1], reason.c_str(), static_cast<size_t>(reason.GetLength()));
      ::_exit(1);
    }
    ::_exit(0);
  }
  ~CStoppedWriter()
  {
    if (m_child > 0 && !m_ended) {
      ::kill(m_child, SIGKILL);
      ::waitpid(m_child, nullptr, 0);
    }
    for (const int fd : m_pipe)
      if (fd >= 0)
        ::close(fd);
  }
  CStoppedWriter(const CStoppedWriter&) = delete;
  CStoppedWriter& operator=(const CStoppedWriter&) = delete;

  bool IsStopped()
  {
    int status = 0;
    return m_child > 0 && ::waitpid(m_child, &status, WUNTRACED) == m_child && WIFSTOPPED(status);
  }
  // Lets it go on to its end: "saved", or the reason its save failed with.
  std::string GoOn()
  {
    ::close(m_pipe[1]);
    m_pipe[1] = -1;
    ::kill(m_child, SIGCONT);
    int status = 0;
    ::waitpid(m_child, &status, WUNTRACED);
    if (WIFSTOPPED(status))
      return "stopped again";
    m_ended = true;
    std::string reason(4096, '\0');
    const ssize_t n = ::read(m_pipe[0], reason.data(), reason.size());
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
      return "saved";
    return n > 0 ? reason.substr(0, static_cast<size_t>(n)) : "ended with status " + std::to_string(status);
  }

private:
  int m_pipe[2] = {-1, -1};
  pid_t m_child = -1;
  bool m_ended = false;
};

constexpr unsigned kNoId = 0xFFFFFFFF;
constexpr unsigned kNobody = 65534;

}  // namespace

TEST_F(AtomicFileTest, ACommittedWriteReplacesTheTargetAndKeepsItsMode)
{
  const std::string path = Path("report.txt");
  Put(path, "old");
  ::chmod(path.c_str(), 0640);
  WriteWhole(path, "new contents");
  EXPECT_EQ(Contents(path), "new contents");
  struct stat st
  {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(EntryCount(m_dir), 1u) << "no temporary file is left";
}

// Under an umask that takes nothing away, a save's temporary file, which holds the file's content,
// is its owner's only from its making; the file keeps its mode. A new file's temporary file is
// made as the umask wants, as the file will be.
TEST_F(AtomicFileTest, TheTemporaryFileOfASaveIsReadableByNoMoreThanTheFile)
{
  const CUmask none(0);
  const std::string path = Path("private.tpf");
  for (const mode_t mode : {mode_t{0600}, mode_t{0640}}) {
    Put(path, "previous");
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    CAtomicFile out(path.c_str());
    EXPECT_EQ(StatOf(out.GetTemporaryPath().c_str()).st_mode & 07777, 0600u)
        << "the temporary file of a file of mode 0" << std::oct << mode << " was made readable by others";
    out.GetFile().Write("secret", 6);
    out.Commit();
    EXPECT_EQ(StatOf(path).st_mode & 07777, mode);
  }
  CAtomicFile fresh(Path("new.tpf").c_str());
  EXPECT_EQ(StatOf(fresh.GetTemporaryPath().c_str()).st_mode & 07777, 0666u) << "a new file is made as the umask wants";
}

TEST_F(AtomicFileTest, AnUncommittedWriteLeavesTheTargetAndNoTemporaryFile)
{
  const std::string path = Path("a.dxf");
  Put(path, "previous");
  {
    CAtomicFile out(path.c_str());
    out.GetFile().Write("partial", 7);
  }
  EXPECT_EQ(Contents(path), "previous");
  EXPECT_EQ(EntryCount(m_dir), 1u);
}

// Run as the super-user too: the mode without write bits is what refuses.
// A writer that opens the file by name itself (a printer writing PDF) fills the temporary file.
TEST_F(AtomicFileTest, AWriterThatOpensByNameFillsTheTemporaryFile)
{
  const std::string path = Path("plan.pdf");
  Put(path, "previous");
  {
    CAtomicFile out(path.c_str());
    out.ReleaseFile();
    Put(out.GetTemporaryPath().c_str(), "%PDF by name");
    EXPECT_EQ(Contents(path), "previous") << "nothing replaced before the commit";
    out.Commit();
  }
  EXPECT_EQ(Contents(path), "%PDF by name");
  EXPECT_EQ(EntryCount(m_dir), 1u);
}

TEST_F(AtomicFileTest, AReadOnlyFileOrFolderIsRefusedAndKept)
{
  const std::string path = Path("locked.csv");
  Put(path, "kept");
  ::chmod(path.c_str(), 0444);
  EXPECT_EQ(ErrnoOfRefusal(path, "replacement"), EACCES);
  EXPECT_EQ(Contents(path), "kept");
  const std::string folder = Path("sealed");
  fs::create_directory(folder);
  Put(folder + "/old.txt", "kept too");
  ::chmod(folder.c_str(), 0555);
  EXPECT_EQ(ErrnoOfRefusal(folder + "/new.txt", "x"), EACCES);
  // The file itself may be written; the folder that cannot take the temporary file is the reason.
  const CFileException refusal = RefusalOf(folder + "/old.txt", "x");
  EXPECT_EQ(refusal.m_lOsError, EACCES);
  EXPECT_EQ(FileFailureReason(refusal), CString::Formatted("The folder '%s' does not allow new files (%s).",
                                                           folder.c_str(), std::strerror(EACCES)));
  ::chmod(folder.c_str(), 0755);
  EXPECT_EQ(Contents(folder + "/old.txt"), "kept too");
  EXPECT_EQ(EntryCount(folder), 1u);
}

TEST_F(AtomicFileTest, AFolderOrFifoIsNeverAWriteTarget)
{
  fs::create_directory(Path("folder.tpf"));
  EXPECT_EQ(ErrnoOfRefusal(Path("folder.tpf"), "x"), EISDIR);
  ASSERT_EQ(::mkfifo(Path("pipe.tpf").c_str(), 0666), 0);
  for (const std::string& device : {Path("pipe.tpf"), std::string("/dev/null")})
    EXPECT_EQ(FileFailureReason(RefusalOf(device, "x")), CString("The file is not a regular file.")) << device;
  EXPECT_EQ(ErrnoOfRefusal(Path("missing/x.txt"), "x"), ENOENT);
}

// A file-size limit stands for the full disk: the write fails part of the way, as there. A file
// with two names is written in place, so its room is taken before a byte of it changes.
TEST_F(AtomicFileTest, AFullDiskKeepsThePreviousFileByteForByte)
{
  const std::string path = Path("project.tpf");
  const std::string linked = Path("project link.tpf");
  const std::string previous(20000, 'p');
  Put(path, previous);
  const std::string big(100000, 'n');
  CFileSizeLimit full(64 * 1024);
  if (!full.Refusal().empty())
    GTEST_SKIP() << full.Refusal();
  EXPECT_EQ(ErrnoOfRefusal(path, big), EFBIG);
  ASSERT_EQ(::link(path.c_str(), linked.c_str()), 0);
  const CFileException refusal = RefusalOf(path, big);
  full.Lift();
  EXPECT_EQ(refusal.m_cause, CFileException::diskFull);
  EXPECT_EQ(Contents(path), previous);
  EXPECT_EQ(Contents(linked), previous);
  EXPECT_EQ(EntryCount(m_dir), 2u) << "no temporary file is left";

  // The limit met only by the copy in place, the temporary file complete: the longer content
  // finds no room before a byte of the file changes.
  CFileException longer;
  ASSERT_EQ(FailACopyInPlace(path, big, longer), "");
  EXPECT_EQ(longer.m_cause, CFileException::diskFull);
  EXPECT_EQ(FileFailureReason(longer), CString(std::strerror(EFBIG)));
  EXPECT_TRUE(Contents(path) == previous) << "the file is " << Contents(path).size() << " bytes";
  EXPECT_EQ(EntryCount(m_dir), 2u) << "no copy is named, no temporary file is left";
}

// The reservation itself refused, as by a disk that fills while the room is taken (the size
// limit, checked before it, let it through): the save fails with the system's reason before a
// byte of the file changes, and names no copy.
TEST_F(AtomicFileTest, ARefusedReservationKeepsThePreviousFileByteForByte)
{
  const std::string path = Path("house.tpf");
  const std::string previous(20000, 'p');
  Put(path, previous);
  ASSERT_EQ(::link(path.c_str(), Path("site.tpf").c_str()), 0);
  g_refuseReserve = ENOSPC;
  const CFileException refusal = RefusalOf(path, std::string(100000, 'n'));
  EXPECT_EQ(std::exchange(g_refuseReserve, 0), 0) << "the save asked for no room";
  EXPECT_EQ(refusal.m_cause, CFileException::diskFull) << "the save went on past its refused reservation";
  EXPECT_EQ(FileFailureReason(refusal), CString(std::strerror(ENOSPC)));
  EXPECT_TRUE(Contents(path) == previous) << "the file is " << Contents(path).size() << " bytes";
  EXPECT_EQ(EntryCount(m_dir), 2u) << "no copy is named, no temporary file is left";
}

// A file system that cannot reserve room at all (EOPNOTSUPP, ENOSYS) refuses no save in place:
// the copy goes on without the reservation.
TEST_F(AtomicFileTest, AFileSystemWithoutReservationsStillSavesInPlace)
{
  for (const int err : {EOPNOTSUPP, ENOSYS}) {
    const std::string folder = Path(std::to_string(err));
    fs::create_directory(folder);
    const std::string path = folder + "/house.tpf";
    Put(path, std::string(20000, 'p'));
    ASSERT_EQ(::link(path.c_str(), (folder + "/site.tpf").c_str()), 0);
    const std::string text(100000, 'n');
    g_refuseReserve = err;
    const CFileException refusal = RefusalOf(path, text);
    EXPECT_EQ(std::exchange(g_refuseReserve, 0), 0) << "the save asked for no room";
    EXPECT_EQ(refusal.m_cause, CFileException::none)
        << "a file system without reservations (" << std::strerror(err)
        << ") refused the save in place: " << FileFailureReason(refusal).c_str();
    EXPECT_TRUE(Contents(path) == text && Contents(folder + "/site.tpf") == text)
        << std::strerror(err) << ": the file holds " << Contents(path).size() << " bytes";
  }
}

// A copy in place the disk refuses part of the way (a failing disk's EIO, a full disk's ENOSPC)
// says what the file holds: the previous content where the first block was refused, or where the
// blocks written before held the previous bytes; else that it may be incomplete.
TEST_F(AtomicFileTest, ACopyInPlaceTheDiskRefusesSaysWhatTheFileHolds)
{
  const std::string previous(100000, 'o');
  struct Case
  {
    const char* label;
    int err;
    int at;
    std::string text;
    bool holdsPrevious;
  };
  const std::vector<Case> cases = {
      {"first block", EIO, 1, std::string(120000, 'n'), true},
      {"past a first block alike", EIO, 2, previous.substr(0, 65536) + std::string(54464, 'n'), true},
      {"half way", ENOSPC, 2, std::string(120000, 'n'), false}};
  for (const Case& c : cases) {
    const std::string folder = Path(c.label);
    fs::create_directory(folder);
    const std::string path = folder + "/house.tpf";
    Put(path, previous);
    ASSERT_EQ(::link(path.c_str(), (folder + "/site.tpf").c_str()), 0);
    g_refuseWrite = c.err;
    g_refuseWriteAt = c.at;
    const CFileException refusal = RefusalOf(path, c.text);
    ASSERT_EQ(std::exchange(g_refuseWrite, 0), 0) << c.label << ": the copy wrote fewer blocks";
    ASSERT_EQ(Contents(path) == previous, c.holdsPrevious) << c.label;
    const std::string held = c.holdsPrevious ? "The file holds the previous content" : "The file may be incomplete";
    EXPECT_EQ(FileFailureReason(refusal), CString((std::string(std::strerror(c.err)) + ". " + held +
                                                   "; the complete new content is in '" + folder + "/house.saved.tpf'.")
                                                      .c_str()))
        << c.label;
    EXPECT_TRUE(Contents(folder + "/house.saved.tpf") == c.text) << c.label;
  }
}

// A save in place of a longer content killed once its room is reserved: the file is as it was,
// byte for byte, its length too.
TEST_F(AtomicFileTest, AWriteInPlaceKilledOnceItsRoomIsReservedLeavesTheFileAsItWas)
{
  const std::string path = Path("house.tpf");
  std::string previous(2752, 'p');
  for (size_t i = 0; i < previous.size(); i += 5)
    previous[i] = static_cast<char>('a' + i % 26);
  Put(path, previous);
  ASSERT_EQ(::link(path.c_str(), Path("site.tpf").c_str()), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    g_killAfterReserve = true;
    WriteWhole(path, std::string(5292, 'n'));
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the save ended otherwise, status " << status;
  EXPECT_EQ(StatOf(path).st_size, static_cast<off_t>(previous.size()));
  EXPECT_TRUE(Contents(path) == previous);
}

// Every kind of file the writer writes: the next write of the same name removes what a killed
// one left, and nothing else.
TEST_F(AtomicFileTest, LeftoversOfAKilledWriteAreRemovedAndOthersKept)
{
  for (const char* name : {"house.tpf", "plan.dxf", "schedule.csv", "schedule.txt", "plan.pdf"}) {
    const std::string path = Path(name);
    Put(path, "saved");
    KillAWriteOf(path, fs::path(name).extension() == ".pdf");
    KillAWriteOf(path, false);
  }
  ASSERT_EQ(EntryCount(m_dir), 10u) << "each killed write left its temporary file and removed the one before";
  Put(Path(".house.tpf.notes"), "not a temporary file");
  Put(Path(".other.tpf.1.1.tmp"), "another file's");
  WriteWhole(Path("plan.dxf"), "drawing");
  {
    CAtomicFile running(Path("plan.pdf").c_str());
    EXPECT_EQ(EntryCount(m_dir), 11u) << "the write of the DXF and the start of the PDF removed theirs";
    EXPECT_EQ(CAtomicFile::RemoveLeftovers(Path("plan.pdf").c_str()), 0);
    EXPECT_TRUE(fs::exists(running.GetTemporaryPath().c_str())) << "a write still running is not touched";
  }
  EXPECT_EQ(CAtomicFile::RemoveLeftovers(Path("house.tpf").c_str()), 1);
  EXPECT_TRUE(fs::exists(Path(".house.tpf.notes")));
  EXPECT_TRUE(fs::exists(Path(".other.tpf.1.1.tmp")));
  EXPECT_EQ(Contents(Path("house.tpf")), "saved");
  EXPECT_EQ(Contents(Path("plan.pdf")), "saved");
  EXPECT_EQ(Contents(Path("plan.dxf")), "drawing");
  WriteWhole(Path("schedule.csv"), "a,b");
  WriteWhole(Path("schedule.txt"), "a b");
  EXPECT_EQ(EntryCount(m_dir), 7u) << "the five files and the two that only look alike";
}

// A link is followed to the file it names: the temporary file goes beside that file, the link
// stays a link, and a link to a file not there yet makes that file.
TEST_F(AtomicFileTest, ASaveThroughASymbolicLinkWritesTheFileItNames)
{
  fs::create_directory(Path("projects"));
  fs::create_directory(Path("desktop"));
  const std::string real = Path("projects/house.tpf");
  const std::string link = Path("desktop/house.tpf");
  const std::string second = Path("desktop/again.tpf");
  Put(real, "old");
  fs::create_symlink("../projects/house.tpf", link);
  fs::create_symlink("house.tpf", second);
  WriteWhole(second, "new through two links");
  EXPECT_TRUE(S_ISLNK(StatOf(link).st_mode));
  EXPECT_TRUE(S_ISLNK(StatOf(second).st_mode));
  EXPECT_EQ(fs::read_symlink(link), "../projects/house.tpf");
  EXPECT_EQ(Contents(real), "new through two links");
  EXPECT_EQ(EntryCount(Path("projects")), 1u);
  EXPECT_EQ(EntryCount(Path("desktop")), 2u);

  const std::string dangling = Path("desktop/plan.dxf");
  fs::create_symlink("../projects/plan.dxf", dangling);
  WriteWhole(dangling, "drawing");
  EXPECT_TRUE(S_ISLNK(StatOf(dangling).st_mode));
  EXPECT_EQ(Contents(Path("projects/plan.dxf")), "drawing");
}

// Every name of a file with hard links shows the saved content; the file keeps its inode.
TEST_F(AtomicFileTest, ASaveOfAFileWithHardLinksKeepsThemAll)
{
  const std::string path = Path("house.tpf");
  const std::string other = Path("copy for the site.tpf");
  Put(path, "previous content, longer than the next");
  ::chmod(path.c_str(), 0604);
  ASSERT_EQ(::link(path.c_str(), other.c_str()), 0);
  const ino_t inode = StatOf(path).st_ino;
  for (const std::string& text : {std::string("short"), std::string(200000, 'g')}) {
    CAtomicFile out(path.c_str());
    EXPECT_TRUE(out.WritesInPlace());
    out.GetFile().Write(text.data(), static_cast<UINT>(text.size()));
    out.Commit();
    EXPECT_EQ(Contents(path), text);
    EXPECT_EQ(Contents(other), text);
  }
  EXPECT_EQ(StatOf(other).st_ino, inode);
  EXPECT_EQ(StatOf(other).st_nlink, 2u);
  EXPECT_EQ(StatOf(other).st_mode & 07777, 0604u);
  EXPECT_EQ(EntryCount(m_dir), 2u) << "no temporary file is left";
}

// A copy in place that fails part of the way (here past a size limit set once the temporary file
// is complete) keeps the complete new content under a name the message gives.
TEST_F(AtomicFileTest, AFailedCopyInPlaceLeavesTheCompleteContentNamed)
{
  const std::string path = Path("house.tpf");
  Put(path, std::string(100000, 'o'));
  ASSERT_EQ(::link(path.c_str(), Path("site.tpf").c_str()), 0);
  Put(Path("house.saved.tpf"), "the user's own file of that name");
  const std::string text(80000, 'n');
  CFileException failure;
  if (const std::string refusal = FailACopyInPlace(path, text, failure); !refusal.empty())
    GTEST_SKIP() << refusal;
  EXPECT_EQ(failure.m_strFileName, CString(path.c_str()));
  EXPECT_EQ(FileFailureReason(failure), CString::Formatted("%s. The file may be incomplete; the complete new content "
                                                           "is in '%s'.",
                                                           std::strerror(EFBIG), Path("house.saved-2.tpf").c_str()));
  EXPECT_EQ(Contents(Path("house.saved-2.tpf")), text);
  EXPECT_EQ(Contents(Path("house.saved.tpf")), "the user's own file of that name");
  EXPECT_EQ(StatOf(Path("house.saved-2.tpf")).st_nlink, 2u) << "its hidden twin marks the copy as the writer's";
  EXPECT_EQ(EntryCount(m_dir), 5u) << "no temporary file is left but the copy's twin";
  EXPECT_EQ(CAtomicFile::CompleteCopyOf(path.c_str()), CString(Path("house.saved-2.tpf").c_str()));
  // A twin an earlier version left, stamped with size and time but no checksum, still marks it.
  std::vector<std::string> twins;
  for (const auto& entry : fs::directory_iterator(m_dir))
    if (entry.path().filename().string().rfind(".house.tpf.", 0) == 0)
      twins.push_back(entry.path().filename().string());
  ASSERT_EQ(twins.size(), 1u);
  fs::rename(Path(twins[0]), Path(twins[0].substr(0, twins[0].rfind('-')) + ".tmp"));
  EXPECT_EQ(CAtomicFile::CompleteCopyOf(path.c_str()), CString(Path("house.saved-2.tpf").c_str()));

  // The next complete write removes the stale copy with its twin, and nothing of the user's.
  WriteWhole(path, "saved whole");
  EXPECT_EQ(Contents(Path("site.tpf")), "saved whole");
  EXPECT_FALSE(fs::exists(Path("house.saved-2.tpf")));
  EXPECT_EQ(Contents(Path("house.saved.tpf")), "the user's own file of that name");
  EXPECT_EQ(EntryCount(m_dir), 3u);
  EXPECT_TRUE(CAtomicFile::CompleteCopyOf(path.c_str()).IsEmpty());
}

// The complete copy a failed save in place leaves, and its hidden twin, are readable by no more
// people than the file, whatever the umask: a private file's copy is its owner's only. Where the
// folder's default ACL gives another user what the file does not, the copy does not take it.
TEST_F(AtomicFileTest, TheCompleteCopyOfAFailedSaveInPlaceIsReadableByNoMoreThanTheFile)
{
  const CUmask none(0);
  const std::string folderAcl =
      AccessAcl({{0x01, 7, kNoId}, {0x02, 7, kNobody}, {0x04, 7, kNoId}, {0x10, 7, kNoId}, {0x20, 0, kNoId}});
  for (const mode_t mode : {mode_t{0600}, mode_t{0640}}) {
    const std::string folder = Path("mode " + std::to_string(mode));
    fs::create_directory(folder);
    const std::string path = folder + "/house.tpf";
    Put(path, std::string(100000, 'o'));
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    ASSERT_EQ(::link(path.c_str(), (folder + "/site.tpf").c_str()), 0);
    const bool inherits =
        ::setxattr(folder.c_str(), "system.posix_acl_default", folderAcl.data(), folderAcl.size(), 0) == 0;
    CFileException failure;
    if (const std::string refusal = FailACopyInPlace(path, std::string(80000, 'n'), failure); !refusal.empty())
      GTEST_SKIP() << refusal;
    const struct stat copy = StatOf(folder + "/house.saved.tpf");
    ASSERT_EQ(copy.st_nlink, 2u) << "the copy has its hidden twin";
    EXPECT_EQ(copy.st_mode & 07777, mode) << "the complete copy of a file of mode 0" << std::oct << mode
                                          << " (and its twin, the same file) has mode 0" << (copy.st_mode & 07777);
    if (inherits) {
      EXPECT_EQ(Attribute(folder + "/house.saved.tpf", "system.posix_acl_access"), kNoAttribute)
          << "the complete copy took its folder's default ACL, which gives another user what the file does not";
    }
  }
}

// A copy changed since the write left it (here written over by another program, which keeps its
// inode and so its twin) is the user's: it is no longer named as the write's, and the next
// complete write lets its twin go and keeps it. The copy's stamp holds its size, its time and the
// checksum of its bytes: an edit to the same size, one whose time another program put back, and
// one of the same size whose time was put back are each told.
TEST_F(AtomicFileTest, ACompleteCopyChangedSinceIsTheUsersAndStays)
{
  struct Edit
  {
    const char* label;
    std::string text;
    bool sameSize;
    bool timePutBack;
  };
  const std::vector<Edit> edits = {{"size and time", "the user's own work", false, false},
                                   {"same size", std::string(80000, 'u'), true, false},
                                   {"time put back", "the user's own work", false, true},
                                   {"same size, time put back", std::string(80000, 'u'), true, true}};
  for (const Edit& edit : edits) {
    const std::string folder = Path(edit.label);
    fs::create_directory(folder);
    const std::string path = folder + "/house.tpf";
    Put(path, std::string(100000, 'o'));
    ASSERT_EQ(::link(path.c_str(), (folder + "/site.tpf").c_str()), 0);
    CFileException failure;
    if (const std::string refusal = FailACopyInPlace(path, std::string(80000, 'n'), failure); !refusal.empty())
      GTEST_SKIP() << refusal;
    const std::string copy = folder + "/house.saved.tpf";
    ASSERT_EQ(CAtomicFile::CompleteCopyOf(path.c_str()), CString(copy.c_str())) << edit.label;
    const struct timespec left = StatOf(copy).st_mtim;
    Put(copy, edit.text);
    // Another second than the write's, whatever the clock's tick; or the write's own time again.
    const struct timespec edited = edit.timePutBack ? left : timespec{left.tv_sec + 1, left.tv_nsec};
    const struct timespec times[2] = {edited, edited};
    ASSERT_EQ(::utimensat(AT_FDCWD, copy.c_str(), times, 0), 0);
    ASSERT_EQ(StatOf(copy).st_size == 80000, edit.sameSize) << edit.label;
    ASSERT_EQ(StatOf(copy).st_nlink, 2u) << "written over in place, the copy keeps its twin";
    EXPECT_TRUE(CAtomicFile::CompleteCopyOf(path.c_str()).IsEmpty()) << edit.label;

    WriteWhole(path, "saved whole");
    EXPECT_EQ(Contents(folder + "/site.tpf"), "saved whole");
    EXPECT_TRUE(Contents(copy) == edit.text) << edit.label;
    EXPECT_EQ(StatOf(copy).st_nlink, 1u) << edit.label << ": the twin is let go";
    EXPECT_EQ(EntryCount(folder), 3u) << edit.label;
  }
}

// The clock check a copy's read-back and an open rely on answers yes only once a change made from
// then on gets a later change time. A time ahead of the file system's clock stands for one within
// the tick of a coarse clock.
TEST_F(AtomicFileTest, TheClockHasPassedATimeOnceAChangeGetsALaterOne)
{
  const std::string witness = Path("witness");
  Put(witness, "now");
  struct timespec ahead = StatOf(witness).st_ctim;
  ahead.tv_nsec += 200000000;
  ahead.tv_sec += ahead.tv_nsec / 1000000000;
  ahead.tv_nsec %= 1000000000;
  ASSERT_TRUE(CAtomicFile::ClockHasPassed(-1, m_dir.c_str(), ahead));
  Put(witness, "later");
  EXPECT_TRUE(IsLater(StatOf(witness).st_ctim, ahead));
}

// A name of the longest length the folder takes: written whole, and in place with its complete
// copy under a shortened name that the file's next writes find.
TEST_F(AtomicFileTest, AFileOfTheLongestNameIsWrittenAndItsCopyFoundUnderItsShortenedName)
{
  const std::string path = Path(std::string(251, 'h') + ".tpf");
  WriteWhole(path, "first");
  WriteWhole(path, std::string(100000, 'o'));
  ASSERT_EQ(Contents(path), std::string(100000, 'o'));
  ASSERT_EQ(::link(path.c_str(), Path("site.tpf").c_str()), 0);
  CFileException failure;
  if (const std::string refusal = FailACopyInPlace(path, std::string(80000, 'n'), failure); !refusal.empty())
    GTEST_SKIP() << refusal;
  const std::string copy = Path(std::string(245, 'h') + ".saved.tpf");
  EXPECT_EQ(Contents(copy), std::string(80000, 'n'));
  EXPECT_EQ(CAtomicFile::CompleteCopyOf(path.c_str()), CString(copy.c_str()));
  WriteWhole(path, "complete");
  EXPECT_EQ(Contents(Path("site.tpf")), "complete");
  EXPECT_EQ(EntryCount(m_dir), 2u) << "the copy and its twin are gone";
}

// Needs the super-user, who alone may give a file to another user.
TEST_F(AtomicFileTest, ASaveKeepsTheFilesOwnerAndGroup)
{
  if (::geteuid() != 0)
    GTEST_SKIP() << "giving a file to another user needs the super-user; this test runs as root only";
  const uid_t nobody = 65534;
  const gid_t nogroup = 65534;
  const std::string path = Path("theirs.tpf");
  const std::string linked = Path("theirs linked.tpf");
  Put(path, "their project");
  ASSERT_EQ(::chown(path.c_str(), nobody, nogroup), 0);
  ASSERT_EQ(::chmod(path.c_str(), 02640), 0);
  WriteWhole(path, "changed by root");
  EXPECT_EQ(Contents(path), "changed by root");
  EXPECT_EQ(StatOf(path).st_uid, nobody);
  EXPECT_EQ(StatOf(path).st_gid, nogroup);
  EXPECT_EQ(StatOf(path).st_mode & 07777, 02640u) << "the set-group-id bit survives the change of owner";
  ASSERT_EQ(::link(path.c_str(), linked.c_str()), 0);
  WriteWhole(linked, "changed again");
  EXPECT_EQ(Contents(path), "changed again");
  EXPECT_EQ(StatOf(path).st_uid, nobody);
  EXPECT_EQ(StatOf(path).st_gid, nogroup);
  EXPECT_EQ(EntryCount(m_dir), 2u);

  // A user without privilege saving a file of root's that all may write: the bytes go in place.
  const std::string roots = Path("roots.tpf");
  Put(roots, "root's project");
  ASSERT_EQ(::chmod(roots.c_str(), 0666), 0);
  ASSERT_EQ(::chmod(m_dir.c_str(), 0777), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::setgid(nogroup) != 0 || ::setuid(nobody) != 0)
      ::_exit(2);
    if (::access(m_dir.c_str(), W_OK | X_OK) != 0)
      ::_exit(3);
    try {
      WriteWhole(roots, "changed by nobody");
    } catch (...) {
      ::_exit(1);
    }
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 3)
    GTEST_SKIP() << "the temporary folder " << m_dir << " cannot be reached by an unprivileged user";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the save was refused, 2: the user could not be changed";
  EXPECT_EQ(Contents(roots), "changed by nobody");
  EXPECT_EQ(StatOf(roots).st_uid, 0u);
  EXPECT_EQ(StatOf(roots).st_gid, 0u);
  EXPECT_EQ(EntryCount(m_dir), 3u);
}

TEST_F(AtomicFileTest, PathsAreTheSystemsBytes)
{
  const std::string folder = Path("Документы");
  fs::create_directory(folder);
  const std::string path = folder + "/✓ Küche.txt";
  WriteWhole(path, "first");
  WriteWhole(path, "second");
  EXPECT_EQ(Contents(path), "second");
  EXPECT_EQ(EntryCount(folder), 1u);
  CFile in;
  ASSERT_TRUE(in.Open(path.c_str(), CFile::modeRead));
  EXPECT_EQ(in.GetLength(), 6);
}

TEST_F(AtomicFileTest, OpeningAFifoFolderOrDeviceIsRefusedAtOnce)
{
  ASSERT_EQ(::mkfifo(Path("pipe.tpf").c_str(), 0666), 0);
  for (const std::string& path : {Path("pipe.tpf"), m_dir, std::string("/dev/zero")}) {
    const auto start = std::chrono::steady_clock::now();
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite, &error)) << path;
    EXPECT_FALSE(file.IsOpen());
    EXPECT_NE(error.m_lOsError, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << path;
  }
}

// The ACL gives the user nobody read and write; the group keeps read only, though the mode shows
// the ACL's mask (rw) in the group's place.
TEST_F(AtomicFileTest, ASaveKeepsTheFilesAclAndExtendedAttributes)
{
  const std::string path = Path("shared.tpf");
  Put(path, "their project");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  const std::string acl =
      AccessAcl({{0x01, 6, kNoId}, {0x02, 6, kNobody}, {0x04, 4, kNoId}, {0x10, 6, kNoId}, {0x20, 0, kNoId}});
  if (::setxattr(path.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0)
    GTEST_SKIP() << "the file system of " << m_dir << " keeps no ACL: " << std::strerror(errno);
  if (::setxattr(path.c_str(), "user.origin", "site survey", 11, 0) != 0)
    GTEST_SKIP() << "the file system of " << m_dir << " keeps no user attributes: " << std::strerror(errno);
  ASSERT_EQ(StatOf(path).st_mode & 07777, 0660u) << "the mode shows the mask";
  WriteWhole(path, "saved by the program");
  EXPECT_EQ(Contents(path), "saved by the program");
  EXPECT_EQ(Attribute(path, "system.posix_acl_access"), acl) << "the ACL, the group's read-only entry with it";
  EXPECT_EQ(Attribute(path, "user.origin"), "site survey");
  EXPECT_EQ(StatOf(path).st_mode & 07777, 0660u);
  EXPECT_EQ(EntryCount(m_dir), 1u);

  // A folder's default ACL is not given to a saved file that had none.
  const std::string folder = Path("shared folder");
  fs::create_directory(folder);
  const std::string plain = folder + "/plain.tpf";
  Put(plain, "plain");
  ASSERT_EQ(::chmod(plain.c_str(), 0644), 0);
  const std::string inherited =
      AccessAcl({{0x01, 7, kNoId}, {0x02, 7, kNobody}, {0x04, 7, kNoId}, {0x10, 7, kNoId}, {0x20, 5, kNoId}});
  ASSERT_EQ(::setxattr(folder.c_str(), "system.posix_acl_default", inherited.data(), inherited.size(), 0), 0);
  WriteWhole(plain, "still plain");
  EXPECT_EQ(Attribute(plain, "system.posix_acl_access"), kNoAttribute);
  EXPECT_EQ(StatOf(plain).st_mode & 07777, 0644u);
}

// A write in place killed once its complete copy is named: the file is damaged under both its
// names, the copy is found by the file's name, a later write started elsewhere leaves it, and so
// does a complete write before the user was told of the copy; the complete write after that
// removes it, the user's own file of that name kept.
TEST_F(AtomicFileTest, AWriteInPlaceKilledAfterItsCompleteCopyLeavesItUntilACompleteWriteOnceTheUserWasTold)
{
  const std::string path = Path("house.tpf");
  const std::string previous(100000, 'o');
  const std::string text(80000, 'n');
  Put(path, previous);
  ASSERT_EQ(::link(path.c_str(), Path("site.tpf").c_str()), 0);
  Put(Path("house.saved.tpf"), "the user's own file of that name");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_DFL);
    CAtomicFile::SetFileFactory([] { return std::make_unique<CLimitAfterSyncFile>(); });
    WriteWhole(path, text);
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "the copy ended otherwise, status " << status;
  const std::string damaged = Contents(path);
  EXPECT_NE(damaged, previous);
  EXPECT_NE(damaged, text);
  EXPECT_EQ(Contents(Path("site.tpf")), damaged);
  const std::string copy = Path("house.saved-2.tpf");
  EXPECT_EQ(Contents(copy), text);
  EXPECT_EQ(CAtomicFile::CompleteCopyOf(path.c_str()), CString(copy.c_str()));
  fs::create_symlink("house.tpf", Path("shortcut.tpf"));
  EXPECT_EQ(CAtomicFile::CompleteCopyOf(Path("shortcut.tpf").c_str()), CString(copy.c_str()));

  {
    CAtomicFile unfinished(path.c_str());
    unfinished.GetFile().Write("never committed", 15);
  }
  EXPECT_EQ(Contents(copy), text) << "a write that is not complete keeps the copy";
  EXPECT_EQ(CAtomicFile::CompleteCopyOf(path.c_str()), CString(copy.c_str()));
  WriteWhole(path, "complete, the copy unknown to the user");
  EXPECT_EQ(Contents(copy), text) << "the user was not told of the copy";
  EXPECT_EQ(CAtomicFile::CompleteCopyOf(path.c_str()), CString(copy.c_str()));
  CAtomicFile::NoteCopyTold(copy.c_str());
  WriteWhole(path, "complete");
  EXPECT_EQ(Contents(Path("site.tpf")), "complete");
  EXPECT_FALSE(fs::exists(copy));
  EXPECT_EQ(Contents(Path("house.saved.tpf")), "the user's own file of that name");
  EXPECT_TRUE(CAtomicFile::CompleteCopyOf(path.c_str()).IsEmpty());
  EXPECT_EQ(EntryCount(m_dir), 4u) << "the two names, the user's file and the link: no twin is left";
}

// A file with a second name in another folder, its copy in place failed through the first name:
// the mark the file carries while the copy waits leads to the copy through either name, also
// after a complete write before the user was told of the copy, which keeps it. A complete write
// through the other name once the user was told of it removes the copy with its twin and the
// mark, and keeps the file's own attributes; a write that replaces the file never gives a mark to
// the new file.
TEST_F(AtomicFileTest, ACompleteCopyIsFoundThroughANameInAnotherFolder)
{
  if (const std::string refusal = UserAttributesRefusal(m_dir); !refusal.empty())
    GTEST_SKIP() << refusal;
  fs::create_directory(Path("f1"));
  fs::create_directory(Path("f2"));
  const std::string path = Path("f1/house.tpf");
  const std::string other = Path("f2/house.tpf");
  Put(path, std::string(100000, 'o'));
  ASSERT_EQ(::setxattr(path.c_str(), "user.origin", "site survey", 11, 0), 0);
  ASSERT_EQ(::link(path.c_str(), other.c_str()), 0);
  const std::string text(80000, 'n');
  CFileException failure;
  // In another process, whose failure told no user here of the copy.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0)
    ::_exit(FailACopyInPlace(path, text, failure).empty() ? 0 : 1);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "the failing write ended with status " << status;
  if (WEXITSTATUS(status) != 0)
    GTEST_SKIP() << "no file-size limit can be set here";
  const std::string copy = fs::canonical(Path("f1")).string() + "/house.saved.tpf";
  ASSERT_TRUE(Contents(copy) == text);
  EXPECT_NE(Attribute(other, kCopyMarkAttribute), kNoAttribute) << "the file is marked while its copy waits";
  EXPECT_EQ(CAtomicFile::CompleteCopyOf(other.c_str()), CString(copy.c_str())) << "found through the other folder";
  EXPECT_EQ(CAtomicFile::DifferingCompleteCopyOf(other.c_str()), CString(copy.c_str()));
  WriteWhole(other, "another project, the copy unknown to the user");
  EXPECT_EQ(CAtomicFile::CompleteCopyOf(other.c_str()), CString(copy.c_str())) << "the mark of a copy kept went";

  CAtomicFile::NoteCopyTold(copy.c_str());
  WriteWhole(other, "complete");
  EXPECT_EQ(Contents(path), "complete");
  EXPECT_FALSE(fs::exists(copy));
  EXPECT_EQ(EntryCount(Path("f1")), 1u) << "the twin went with the copy";
  EXPECT_EQ(Attribute(path, kCopyMarkAttribute), kNoAttribute) << "no mark outlasts a complete write";
  EXPECT_EQ(Attribute(path, "user.origin"), "site survey");

  Put(path, std::string(100000, 'o'));
  if (const std::string refusal = FailACopyInPlace(path, text, failure); !refusal.empty())
    GTEST_SKIP() << refusal;
  ASSERT_NE(Attribute(path, kCopyMarkAttribute), kNoAttribute);
  ASSERT_EQ(::unlink(other.c_str()), 0);
  WriteWhole(path, "replaced");
  ASSERT_EQ(StatOf(path).st_nlink, 1u);
  EXPECT_EQ(Attribute(path, kCopyMarkAttribute), kNoAttribute) << "the new file took the old one's mark";
  EXPECT_EQ(Attribute(path, "user.origin"), "site survey");
}

// A copy of a damaged file made with its attributes (cp -a) carries the file's mark of its
// complete copy, but the mark names the file's inode: the copy of the file finds no complete copy
// through it, and its complete write, though the user was told of the complete copy, leaves
// that copy, the only place of the file's new content, and the file's own mark.
TEST_F(AtomicFileTest, AMarkCarriedIntoACopyOfTheFileIsNotTheCopysOwn)
{
  if (const std::string refusal = UserAttributesRefusal(m_dir); !refusal.empty())
    GTEST_SKIP() << refusal;
  fs::create_directory(Path("f1"));
  fs::create_directory(Path("f2"));
  const std::string path = Path("f1/house.tpf");
  Put(path, std::string(100000, 'o'));
  ASSERT_EQ(::link(path.c_str(), Path("f1/site.tpf").c_str()), 0);
  const std::string text(80000, 'n');
  CFileException failure;
  if (const std::string refusal = FailACopyInPlace(path, text, failure); !refusal.empty())
    GTEST_SKIP() << refusal;
  const std::string copy = Path("f1/house.saved.tpf");
  ASSERT_TRUE(Contents(copy) == text);
  CAtomicFile::NoteCopyTold(copy.c_str());
  const std::string mark = Attribute(path, kCopyMarkAttribute);
  ASSERT_NE(mark, kNoAttribute) << "the file is marked while its copy waits";

  const std::string carried = Path("f2/house.tpf");
  Put(carried, Contents(path));
  ASSERT_EQ(::setxattr(carried.c_str(), kCopyMarkAttribute, mark.data(), mark.size(), 0), 0);
  EXPECT_TRUE(CAtomicFile::CompleteCopyOf(carried.c_str()).IsEmpty())
      << "a copy of the file took the file's mark for its own and found "
      << CAtomicFile::CompleteCopyOf(carried.c_str()).c_str();
  WriteWhole(carried, "the copy's own content");
  EXPECT_TRUE(fs::exists(copy) && Contents(copy) == text)
      << "a complete write of a copy of the file removed the file's only complete new content";
  EXPECT_EQ(Attribute(path, kCopyMarkAttribute), mark) << "the file's own mark went";
  EXPECT_EQ(CAtomicFile::CompleteCopyOf(path.c_str()), CString(copy.c_str()));
}

// Two writers of one file with two names: the first, writing in place, stops once its complete
// copy is named; meanwhile another opens that copy and saves it (as long as the first's bytes,
// and a byte shorter). That save replaces the copy, never writes into the bytes the first copies
// from: the first save ends with its own bytes and leaves the other's file, or, failing, names a
// copy that holds its bytes. Another program that writes into the copy's bytes makes the save
// fail, the copy left as that program left it with its twin, and no longer named as the save's:
// also where the copy keeps its length and its time, before the copy began or half way, where it
// changes one byte the copy has already read or only the last byte, and where it changes a byte
// the check has already read back. The reason says whether the file holds the new content.
TEST_F(AtomicFileTest, AWriteStoppedAtItsCopyLosesNoSaveOfTheCopyAndNamesOnlyItsOwnBytes)
{
  const std::string text(80000, 'n');
  enum Other
  {
    savesTheCopy,
    writesIntoIt,
    writesIntoItKeepingTime
  };
  struct Case
  {
    const char* label;
    std::string theirs;
    bool failing;
    Other other;
    CStoppedWriter::Stop stop;
    // Where another program's bytes go into the copy.
    size_t at = 0;
    // The change came where the copy had passed: the file holds the new content.
    bool fileHoldsIt = false;
  };
  const std::vector<Case> cases = {
      {"same length", std::string(80000, 't'), false, savesTheCopy, CStoppedWriter::copyNamed},
      {"a byte shorter", std::string(79999, 't'), false, savesTheCopy, CStoppedWriter::copyNamed},
      {"the first failing", std::string(79999, 't'), true, savesTheCopy, CStoppedWriter::copyNamed},
      {"another program", std::string(79999, 't'), false, writesIntoIt, CStoppedWriter::copyNamed},
      {"its time put back", std::string(80000, 't'), false, writesIntoItKeepingTime, CStoppedWriter::copyNamed},
      {"during the copy", std::string(80000, 't'), false, writesIntoItKeepingTime, CStoppedWriter::firstBlockCopied},
      {"a byte copied", "t", false, writesIntoItKeepingTime, CStoppedWriter::firstBlockCopied, 100, true},
      {"the last byte", "t", false, writesIntoItKeepingTime, CStoppedWriter::firstBlockCopied, text.size() - 1},
      {"a byte read back", "t", false, writesIntoItKeepingTime, CStoppedWriter::firstBlockReadBack, 100, true}};
  for (const Case& c : cases) {
    const std::string folder = Path(c.label);
    fs::create_directory(folder);
    const std::string path = folder + "/house.tpf";
    const std::string copy = folder + "/house.saved.tpf";
    Put(path, std::string(100000, 'o'));
    ASSERT_EQ(::link(path.c_str(), (folder + "/site.tpf").c_str()), 0);
    CStoppedWriter first(path, text, c.failing, c.stop);
    ASSERT_TRUE(first.IsStopped()) << c.label;
    ASSERT_TRUE(Contents(copy) == text) << c.label;
    if (c.stop == CStoppedWriter::firstBlockCopied) {
      ASSERT_TRUE(Contents(path) == text.substr(0, 65536) + std::string(100000 - 65536, 'o')) << "half copied";
    } else if (c.stop == CStoppedWriter::firstBlockReadBack) {
      ASSERT_TRUE(Contents(path) == text) << "copied whole";
    }
    // As an open of the copy and its save do; another program writes over the copy's own bytes.
    std::string left = c.theirs;
    if (c.other == savesTheCopy) {
      CAtomicFile::ClaimCompleteCopy(copy.c_str());
      WriteWhole(copy, c.theirs);
    } else if (c.other == writesIntoIt) {
      Put(copy, c.theirs);
    } else {
      WriteInPlaceKeepingTime(copy, c.theirs, c.at);
      left = std::string(text).replace(c.at, c.theirs.size(), c.theirs);
    }
    const std::string ending = first.GoOn();
    EXPECT_TRUE(Contents(copy) == left) << c.label << ": the other's save is kept";
    if (c.other != savesTheCopy) {
      const std::string held = c.fileHoldsIt ? "The file holds the new content, but another program changed the "
                                               "complete copy it was copied from"
                                             : "The file holds neither the new content nor the previous one: another "
                                               "program changed the new content while it was copied into the file";
      EXPECT_EQ(ending, held + "; '" + copy + "' was left as that program left it.") << c.label;
      EXPECT_EQ(Contents(path) == text, c.fileHoldsIt) << c.label;
      EXPECT_EQ(StatOf(copy).st_nlink, 2u) << c.label << ": the copy keeps its twin";
      EXPECT_TRUE(CAtomicFile::CompleteCopyOf(path.c_str()).IsEmpty()) << c.label;
      continue;
    }
    if (!c.failing) {
      EXPECT_EQ(ending, "saved") << c.label;
      EXPECT_TRUE(Contents(path) == text) << c.label;
      EXPECT_TRUE(Contents(folder + "/site.tpf") == text) << c.label;
      EXPECT_EQ(EntryCount(folder), 3u) << c.label << ": the two names and the other's file, no twin";
      continue;
    }
    const std::string named = folder + "/house.saved-2.tpf";
    EXPECT_EQ(ending, std::string(std::strerror(EFBIG)) +
                          ". The file may be incomplete; the complete new content is in '" + named + "'.");
    EXPECT_TRUE(Contents(named) == text) << "the copy the message names holds the first's bytes";
    EXPECT_EQ(CAtomicFile::CompleteCopyOf(path.c_str()), CString(named.c_str()));
  }
}

// The file is compared with its complete copy byte for byte, the last of each 64 KiB block and of
// the file among them: a file that differs only there keeps its copy, named; one that holds every
// byte of it lets it go.
TEST_F(AtomicFileTest, AFileDifferingFromItsCopyOnlyAtTheEndOfABlockOrOfTheFileKeepsTheCopy)
{
  const std::string path = Path("house.tpf");
  Put(path, std::string(200000, 'o'));
  ASSERT_EQ(::link(path.c_str(), Path("site.tpf").c_str()), 0);
  std::string text(140000, 'n');
  for (size_t i = 0; i < text.size(); i += 7)
    text[i] = 'm';
  CFileException failure;
  if (const std::string refusal = FailACopyInPlace(path, text, failure); !refusal.empty())
    GTEST_SKIP() << refusal;
  const std::string copy = Path("house.saved.tpf");
  ASSERT_TRUE(Contents(copy) == text);
  for (const size_t at : {size_t{65535}, size_t{131071}, text.size() - 1}) {
    std::string almost = text;
    almost[at] = 'x';
    Put(path, almost);
    EXPECT_EQ(CAtomicFile::DifferingCompleteCopyOf(path.c_str()), CString(copy.c_str())) << "differing at " << at;
  }
  Put(path, text);
  EXPECT_TRUE(CAtomicFile::DifferingCompleteCopyOf(path.c_str()).IsEmpty());
  EXPECT_FALSE(fs::exists(copy));
  EXPECT_EQ(EntryCount(m_dir), 2u) << "the copy went with its twin";
}
