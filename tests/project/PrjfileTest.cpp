// Guards the project file's lock and its replacement on save: the new file is held from the start,
// and a target held elsewhere or write-protected is never replaced.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

#include "project/DocTestSupport.h"
#include "project/Prjfile.h"
#include "project/TempDir.h"
#include "support/Checksum.h"
#include "platform/core/Atomfile.h"
#include "platform/core/FileSizeLimit.h"
#include "support/Exceptn.h"

// Another program's write, made right after the next rename puts a file in its place, as one
// that comes between a save's rename and the save's look at the file it left. The program's own
// calls of rename come here.
std::function<void()> g_afterRename;

extern "C" int rename(const char* from, const char* to) noexcept
{
  const int result = static_cast<int>(::syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, 0));
  if (result == 0 && g_afterRename)
    std::exchange(g_afterRename, nullptr)();
  return result;
}

// Another program's write, made right after the next truncation to a length above zero, as one
// that comes once a copy in place has written every byte over the file, before the copy's check.
std::function<void()> g_afterTruncate;

extern "C" int ftruncate(int fd, off_t length) noexcept
{
  const int result = static_cast<int>(::syscall(SYS_ftruncate, fd, length));
  if (result == 0 && length > 0 && g_afterTruncate)
    std::exchange(g_afterTruncate, nullptr)();
  return result;
}

// A disk that refuses a copy in place with this error at its nth block (counted from 1), as a
// failing or full disk refuses a write, or refuses the room a copy reserves once it has taken part
// of it; 0 for none. The program's own calls of pwrite and fallocate come here.
int g_refuseWrite = 0;
int g_refuseWriteAt = 0;
int g_refuseReserve = 0;

extern "C" ssize_t pwrite(int fd, const void* buffer, size_t count, off_t at)
{
  if (g_refuseWrite != 0 && --g_refuseWriteAt == 0) {
    errno = std::exchange(g_refuseWrite, 0);
    return -1;
  }
  return static_cast<ssize_t>(::syscall(SYS_pwrite64, fd, buffer, count, at));
}

extern "C" int fallocate(int fd, int mode, off_t at, off_t length)
{
  const auto result = static_cast<int>(::syscall(SYS_fallocate, fd, mode, at, length));
  if (g_refuseReserve == 0)
    return result;
  errno = std::exchange(g_refuseReserve, 0);
  return -1;
}

// A file system whose times count whole seconds, while set: the program's own looks at a file's
// status come here.
bool g_wholeSeconds = false;

namespace {

int InWholeSeconds(int result, struct stat* st)
{
  if (result == 0 && g_wholeSeconds)
    st->st_atim.tv_nsec = st->st_mtim.tv_nsec = st->st_ctim.tv_nsec = 0;
  return result;
}

}  // namespace

extern "C" int stat(const char* __restrict path, struct stat* __restrict st) noexcept
{
  return InWholeSeconds(static_cast<int>(::syscall(SYS_newfstatat, AT_FDCWD, path, st, 0)), st);
}

extern "C" int fstat(int fd, struct stat* st) noexcept
{
  return InWholeSeconds(static_cast<int>(::syscall(SYS_fstat, fd, st)), st);
}

namespace {

Bytes Pattern(size_t size, BYTE seed)
{
  Bytes bytes(size);
  for (size_t i = 0; i < size; ++i)
    bytes[i] = static_cast<BYTE>(seed + i * 7);
  return bytes;
}

CProjectFile::WriteFunction Writer(const Bytes& bytes)
{
  return [bytes](CArchive& ar) { ar.Write(bytes.data(), static_cast<UINT>(bytes.size())); };
}

Bytes ReadThrough(CProjectFile& file)
{
  Bytes bytes;
  file.Read([&](CArchive& ar) {
    bytes.resize(static_cast<size_t>(ar.GetRemaining()));
    ar.ReadExact(bytes.data(), static_cast<UINT>(bytes.size()));
  });
  return bytes;
}

void ExpectInUse(const std::string& path)
{
  CProjectFile other;
  try {
    other.Open(path.c_str());
    FAIL() << "a second opener got the file";
  } catch (const CAppSerializeException& e) {
    EXPECT_EQ(e.code, CAppSerializeException::fileInUse);
  }
}

// Another program writes the bytes over the file's own from its start, syncs them and puts the
// file's time back.
void WriteInPlaceKeepingTime(const std::string& path, const Bytes& bytes)
{
  struct stat before
  {};
  ASSERT_EQ(::stat(path.c_str(), &before), 0);
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(::pwrite(fd, bytes.data(), bytes.size(), 0), static_cast<ssize_t>(bytes.size()));
  EXPECT_EQ(::fsync(fd), 0);
  const struct timespec kept[2] = {before.st_atim, before.st_mtim};
  EXPECT_EQ(::futimens(fd, kept), 0);
  ::close(fd);
}

// Runs the write in a child, which must end by its own kill.
void RunKilled(const std::function<void()>& write)
{
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    write();
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the child ended otherwise than by its own kill";
}

// Five archive buffers, so a save makes five writes.
constexpr size_t kImageSize = 4096 * 4 + 100;

}  // namespace

TEST(ProjectFileLock, AnOpenProjectIsInUseForEveryOtherOpener)
{
  CTempDir dir;
  std::string path = dir.Path("a.tpf");
  WriteFileBytes(path, Pattern(100, 1));
  CProjectFile file;
  file.Open(path.c_str());
  ExpectInUse(path);
  EXPECT_EQ(ReadThrough(file), Pattern(100, 1));
  file.Close();
  CProjectFile again;
  EXPECT_NO_THROW(again.Open(path.c_str()));
}

TEST(ProjectFileLock, MissingFileRaisesTheFileException)
{
  CTempDir dir;
  CProjectFile file;
  try {
    file.Open(dir.Path("none.tpf").c_str());
    FAIL();
  } catch (const CFileException& e) {
    EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
  }
  EXPECT_FALSE(file.IsOpen());
}

TEST(ProjectFileLock, AFifoOrFolderIsRefusedAtOnce)
{
  CTempDir dir;
  const std::string fifo = dir.Path("pipe.tpf");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
  std::filesystem::create_directory(dir.Path("folder.tpf"));
  for (const std::string& path : {fifo, dir.Path("folder.tpf")}) {
    const auto start = std::chrono::steady_clock::now();
    CProjectFile file;
    EXPECT_THROW(file.Open(path.c_str()), CFileException) << path;
    EXPECT_FALSE(file.IsOpen());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << path;
  }
}

TEST(ProjectFileSave, SaveReplacesTheFileAndKeepsItLocked)
{
  CTempDir dir;
  std::string path = dir.Path("a.tpf");
  WriteFileBytes(path, Pattern(100, 1));
  ::chmod(path.c_str(), 0640);
  CProjectFile file;
  file.Open(path.c_str());
  const DWORD crc = file.Save(path.c_str(), Writer(Pattern(kImageSize, 2)));
  EXPECT_EQ(ReadFileBytes(path), Pattern(kImageSize, 2));
  EXPECT_EQ(crc, CChecksum(Pattern(kImageSize, 2).data(), static_cast<int>(kImageSize)).GetValue());
  EXPECT_EQ(ReadThrough(file), Pattern(kImageSize, 2)) << "the project file is now the new one";
  ExpectInUse(path);
  EXPECT_EQ(dir.EntryCount(), 1u) << "no temporary file is left";
  struct stat st
  {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(ProjectFileSave, ATargetHeldByAnotherOpenerOrReadOnlyIsNotReplaced)
{
  CTempDir dir;
  std::string mine = dir.Path("mine.tpf");
  std::string theirs = dir.Path("theirs.tpf");
  WriteFileBytes(mine, Pattern(10, 1));
  WriteFileBytes(theirs, Pattern(10, 2));
  CProjectFile file;
  file.Open(mine.c_str());
  {
    CProjectFile other;
    other.Open(theirs.c_str());
    EXPECT_THROW(file.Save(theirs.c_str(), Writer(Pattern(50, 3))), CFileException);
    EXPECT_EQ(ReadFileBytes(theirs), Pattern(10, 2));
  }
  // Refused for the super-user too: the mode says the file is not to be written.
  ::chmod(theirs.c_str(), 0444);
  EXPECT_THROW(file.Save(theirs.c_str(), Writer(Pattern(50, 3))), CFileException);
  EXPECT_EQ(ReadFileBytes(theirs), Pattern(10, 2));
  ::chmod(theirs.c_str(), 0644);
  file.Save(theirs.c_str(), Writer(Pattern(50, 3)));
  EXPECT_EQ(file.GetPath(), CString(theirs.c_str()));
  EXPECT_EQ(ReadFileBytes(theirs), Pattern(50, 3));
  CProjectFile reopen;
  EXPECT_NO_THROW(reopen.Open(mine.c_str())) << "the previous project file was let go";
}

TEST(ProjectFileSave, ANameWithoutAFolderIsSavedInTheWorkingFolder)
{
  CTempDir dir;
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.Dir());
  CProjectFile file;
  EXPECT_NO_THROW(file.Save("plain.tpf", Writer(Pattern(300, 4))));
  std::filesystem::current_path(previous);
  EXPECT_EQ(ReadFileBytes(dir.Path("plain.tpf")), Pattern(300, 4));
  EXPECT_EQ(dir.EntryCount(), 1u) << "no temporary file is left";
  EXPECT_TRUE(file.IsOpen());
}

TEST(ProjectFileSave, TheOpenProjectMadeReadOnlyIsNotReplacedBySave)
{
  CTempDir dir;
  const std::string path = dir.Path("held.tpf");
  WriteFileBytes(path, Pattern(10, 1));
  ::chmod(path.c_str(), 0444);
  CProjectFile file;
  file.Open(path.c_str());
  try {
    file.Save(path.c_str(), Writer(Pattern(50, 3)));
    FAIL() << "a read-only project file was replaced";
  } catch (const CFileException& e) {
    EXPECT_EQ(e.m_lOsError, EACCES);
    EXPECT_EQ(e.m_strFileName, CString(path.c_str()));
  }
  EXPECT_EQ(ReadFileBytes(path), Pattern(10, 1));
  EXPECT_EQ(dir.EntryCount(), 1u);
  EXPECT_TRUE(file.IsOpen()) << "the project stays open and held";
}

TEST(ProjectFileSave, AChangeByAnotherProgramIsSeenUntilTheNextSave)
{
  CTempDir dir;
  const std::string path = dir.Path("shared.tpf");
  WriteFileBytes(path, Pattern(100, 1));
  CProjectFile file;
  file.Open(path.c_str());
  EXPECT_FALSE(file.IsChangedOnDisk(path.c_str())) << "a file untouched since its open is taken for changed";
  // Written in place, same size, by a program that ignores the advisory lock.
  WriteFileBytes(path, Pattern(100, 9));
  struct timespec later[2] = {{0, UTIME_OMIT}, {2000000000, 0}};
  ::utimensat(AT_FDCWD, path.c_str(), later, 0);
  EXPECT_TRUE(file.IsChangedOnDisk(path.c_str()))
      << "a write that moved the file's times is not seen: the times are not held against those kept";
  EXPECT_FALSE(file.IsChangedOnDisk(dir.Path("other.tpf").c_str())) << "only the held file is asked about";
  file.Save(path.c_str(), Writer(Pattern(200, 2)));
  EXPECT_FALSE(file.IsChangedOnDisk(path.c_str())) << "a file untouched since the save is taken for changed";
  // Written in place, same size, with the modification time put back, as cp -p leaves it.
  struct stat before
  {};
  ASSERT_EQ(::stat(path.c_str(), &before), 0);
  // The file clock ticks in milliseconds: the outside write comes a tick after the save.
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  WriteFileBytes(path, Pattern(200, 7));
  const struct timespec kept[2] = {before.st_atim, before.st_mtim};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), kept, 0), 0);
  EXPECT_TRUE(file.IsChangedOnDisk(path.c_str()))
      << "a write with its modification time put back is not seen: the change time is not held against the one kept";
  file.Save(path.c_str(), Writer(Pattern(200, 2)));
  // Replaced under its name by an editor that saves through a new file.
  WriteFileBytes(dir.Path("new"), Pattern(200, 2));
  std::filesystem::rename(dir.Path("new"), path);
  EXPECT_TRUE(file.IsChangedOnDisk(path.c_str()));
  // Written in place right after a save put the file in its place, before the save looked at it,
  // as many bytes and its time put back: the file's state shows nothing, its bytes do. Saved
  // again and left alone, it holds that save's bytes.
  g_afterRename = [&path] { WriteInPlaceKeepingTime(path, Pattern(200, 7)); };
  file.Save(path.c_str(), Writer(Pattern(200, 2)));
  ASSERT_EQ(ReadFileBytes(path), Pattern(200, 7)) << "the other program wrote";
  EXPECT_TRUE(file.IsChangedOnDisk(path.c_str()))
      << "a write under the save's own times is not seen: the bytes are not held against those the save wrote";
  file.Save(path.c_str(), Writer(Pattern(200, 2)));
  EXPECT_FALSE(file.IsChangedOnDisk(path.c_str())) << "a file holding the bytes the save wrote is taken for changed";
}

// On a file system whose times count whole seconds another program writes as many bytes into the
// file within the second of its open and puts its time back: the file's state shows nothing, the
// bytes the open read do, also those past what the reader asked for.
TEST(ProjectFileSave, AChangeWithinTheSecondOfTheOpenIsSeenByItsBytes)
{
  CTempDir dir;
  const std::string path = dir.Path("shared.tpf");
  // Larger than the read's buffer.
  WriteFileBytes(path, Pattern(100000, 1));
  g_wholeSeconds = true;
  CProjectFile file;
  file.Open(path.c_str());
  file.Read([](CArchive& ar) {
    BYTE first[10];
    ar.ReadExact(first, sizeof first);
  });
  const BOOL unchanged = file.IsChangedOnDisk(path.c_str());
  WriteInPlaceKeepingTime(path, Pattern(100, 9));
  const BOOL changed = file.IsChangedOnDisk(path.c_str());
  g_wholeSeconds = false;
  EXPECT_FALSE(unchanged);
  EXPECT_TRUE(changed);
}

// The project opened through a link stays behind that link after a save, and stays held.
TEST(ProjectFileSave, ASaveThroughASymbolicLinkKeepsTheLinkAndTheLock)
{
  CTempDir dir;
  const std::string real = dir.Path("house.tpf");
  const std::string link = dir.Path("shortcut.tpf");
  WriteFileBytes(real, Pattern(100, 1));
  std::filesystem::create_symlink("house.tpf", link);
  CProjectFile file;
  file.Open(link.c_str());
  file.Save(link.c_str(), Writer(Pattern(kImageSize, 2)));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadFileBytes(real), Pattern(kImageSize, 2));
  EXPECT_EQ(ReadThrough(file), Pattern(kImageSize, 2));
  ExpectInUse(real);
  EXPECT_FALSE(file.IsChangedOnDisk(link.c_str()));
  EXPECT_EQ(dir.EntryCount(), 2u) << "no temporary file is left";
}

// A project with two names is written in place: both names show the save, the lock held on it
// stays (there is no moment without it), and a Save As onto another linked file takes that one.
TEST(ProjectFileSave, ASaveOfAHardLinkedProjectKeepsEveryNameAndTheLock)
{
  CTempDir dir;
  const std::string path = dir.Path("house.tpf");
  const std::string other = dir.Path("site copy.tpf");
  WriteFileBytes(path, Pattern(kImageSize, 1));
  ASSERT_EQ(::link(path.c_str(), other.c_str()), 0);
  CProjectFile file;
  file.Open(path.c_str());
  file.Save(path.c_str(), Writer(Pattern(300, 2)));
  EXPECT_EQ(ReadFileBytes(path), Pattern(300, 2));
  EXPECT_EQ(ReadFileBytes(other), Pattern(300, 2));
  EXPECT_EQ(ReadThrough(file), Pattern(300, 2));
  ExpectInUse(other);
  EXPECT_FALSE(file.IsChangedOnDisk(path.c_str()));

  const std::string next = dir.Path("next.tpf");
  const std::string nextLink = dir.Path("next link.tpf");
  WriteFileBytes(next, Pattern(10, 3));
  ASSERT_EQ(::link(next.c_str(), nextLink.c_str()), 0);
  file.Save(next.c_str(), Writer(Pattern(400, 4)));
  EXPECT_EQ(ReadFileBytes(nextLink), Pattern(400, 4));
  EXPECT_EQ(ReadThrough(file), Pattern(400, 4));
  ExpectInUse(nextLink);
  CProjectFile reopen;
  EXPECT_NO_THROW(reopen.Open(other.c_str())) << "the previous project file was let go";
  EXPECT_EQ(dir.EntryCount(), 4u) << "no temporary file is left";
}

// A save in place refused because another program wrote into its complete copy once the copy had
// passed: the file holds this save's bytes, which the next save does not take for another
// program's change.
TEST(ProjectFileSave, ARefusedSaveThatLeftItsBytesInTheFileIsNotTakenForAnotherProgramsChange)
{
  CTempDir dir;
  const std::string path = dir.Path("house.tpf");
  WriteFileBytes(path, Pattern(kImageSize, 1));
  ASSERT_EQ(::link(path.c_str(), dir.Path("site.tpf").c_str()), 0);
  CProjectFile file;
  file.Open(path.c_str());
  g_afterTruncate = [&dir] { WriteInPlaceKeepingTime(dir.Path("house.saved.tpf"), Pattern(1, 9)); };
  EXPECT_THROW(file.Save(path.c_str(), Writer(Pattern(300, 2))), CFileException);
  ASSERT_FALSE(g_afterTruncate) << "the other program wrote";
  ASSERT_EQ(ReadFileBytes(path), Pattern(300, 2));
  EXPECT_FALSE(file.IsChangedOnDisk(path.c_str()));
  EXPECT_EQ(ReadThrough(file), Pattern(300, 2));
  ExpectInUse(path);
}

// A save in place refused by the disk: its reservation (which moves the file's times though it
// takes no byte), or its copy at the first block or half way. The file holds the previous content
// or part of the new, written by this program alone: the next save is not asked about another
// program's change. Another program's write after the refused save is still seen, and so is one
// made before it.
TEST(ProjectFileSave, ASaveInPlaceTheDiskRefusesIsNotTakenForAnotherProgramsChange)
{
  struct Case
  {
    const char* label;
    int* hook;
    int err;
    int at;
  };
  const std::vector<Case> cases = {{"reservation", &g_refuseReserve, ENOSPC, 0},
                                   {"first block", &g_refuseWrite, EIO, 1},
                                   {"half way, failing", &g_refuseWrite, EIO, 2},
                                   {"half way, full", &g_refuseWrite, ENOSPC, 2}};
  for (const Case& c : cases) {
    for (const bool changedBefore : {false, true}) {
      CTempDir dir;
      const std::string path = dir.Path("house.tpf");
      WriteFileBytes(path, Pattern(100000, 1));
      ASSERT_EQ(::link(path.c_str(), dir.Path("site.tpf").c_str()), 0);
      CProjectFile file;
      file.Open(path.c_str());
      ASSERT_EQ(ReadThrough(file), Pattern(100000, 1));
      if (changedBefore)
        WriteInPlaceKeepingTime(path, Pattern(100, 9));
      *c.hook = c.err;
      g_refuseWriteAt = c.at;
      EXPECT_THROW(file.Save(path.c_str(), Writer(Pattern(150000, 2))), CFileException) << c.label;
      ASSERT_EQ(std::exchange(*c.hook, 0), 0) << c.label << ": the save did not get so far";
      ASSERT_NE(ReadFileBytes(path), Pattern(150000, 2)) << c.label;
      if (changedBefore) {
        EXPECT_TRUE(file.IsChangedOnDisk(path.c_str())) << c.label << ": the change made before the save was lost";
        continue;
      }
      EXPECT_FALSE(file.IsChangedOnDisk(path.c_str())) << c.label << ": the save's own change is taken for another's";
      WriteInPlaceKeepingTime(path, Pattern(100, 9));
      EXPECT_TRUE(file.IsChangedOnDisk(path.c_str())) << c.label << ": a later change is not seen";
      file.Save(path.c_str(), Writer(Pattern(150000, 2)));
      EXPECT_EQ(ReadFileBytes(dir.Path("site.tpf")), Pattern(150000, 2)) << c.label;
    }
  }
}

// A save, or a copy written new (a recovery copy), killed once part of it is written: the next
// complete write of the same name removes its temporary file.
TEST(ProjectFileSave, SavingRemovesWhatAKilledSaveLeftBeside)
{
  CTempDir dir;
  const std::string path = dir.Path("house.tpf");
  WriteFileBytes(path, Pattern(100, 1));
  const CProjectFile::WriteFunction partThenKill = [](CArchive& ar) {
    const Bytes part = Pattern(kImageSize, 5);
    ar.Write(part.data(), static_cast<UINT>(part.size()));
    ar.Flush();
    ::raise(SIGKILL);
  };
  ASSERT_NO_FATAL_FAILURE(RunKilled([&] {
    CProjectFile killed;
    killed.Save(path.c_str(), partThenKill);
  }));
  ASSERT_EQ(dir.EntryCount(), 2u);
  EXPECT_EQ(ReadFileBytes(path), Pattern(100, 1));
  CProjectFile file;
  file.Open(path.c_str());
  file.Save(path.c_str(), Writer(Pattern(50, 3)));
  EXPECT_EQ(dir.EntryCount(), 1u) << "the killed save's temporary file is gone";
  EXPECT_EQ(ReadFileBytes(path), Pattern(50, 3));

  const std::string recovered = dir.Path("house.recovered.tpf");
  ASSERT_NO_FATAL_FAILURE(RunKilled([&] { CProjectFile::WriteNew(recovered.c_str(), partThenKill); }));
  ASSERT_EQ(dir.EntryCount(), 2u) << "the killed copy left its temporary file";
  CProjectFile::WriteNew(recovered.c_str(), Writer(Pattern(60, 6)));
  EXPECT_EQ(dir.EntryCount(), 2u) << "the project and the copy: the killed copy's temporary file is gone";
  EXPECT_EQ(ReadFileBytes(recovered), Pattern(60, 6));
}

TEST(ProjectFileSave, AFullDiskKeepsThePreviousFileByteForByte)
{
  CTempDir dir;
  const std::string path = dir.Path("house.tpf");
  WriteFileBytes(path, Pattern(20000, 1));
  CProjectFile file;
  file.Open(path.c_str());
  CFileSizeLimit full(64 * 1024);
  if (!full.Refusal().empty())
    GTEST_SKIP() << full.Refusal();
  try {
    file.Save(path.c_str(), Writer(Pattern(100000, 2)));
    ADD_FAILURE() << "saved on a full disk";
  } catch (const CFileException& e) {
    EXPECT_EQ(e.m_cause, CFileException::diskFull);
    EXPECT_EQ(e.m_strFileName, CString(path.c_str())) << "the failure names the project file";
  }
  full.Lift();
  EXPECT_EQ(ReadFileBytes(path), Pattern(20000, 1));
  EXPECT_EQ(dir.EntryCount(), 1u);
  EXPECT_EQ(ReadThrough(file), Pattern(20000, 1)) << "the project file is still open and held";
  file.Close();
}
