// Guards the writer of files the user names: whole or not at all, never over a target the user
// may not write, nothing left behind by a killed write, and only regular files opened.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/core/Atomfile.h"

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
    if (m_mounted)
      ::umount2(Path("small").c_str(), MNT_DETACH);
    fs::permissions(m_dir, fs::perms::owner_all);
    std::error_code ec;
    fs::remove_all(m_dir, ec);
  }
  std::string Path(const std::string& name) const { return m_dir + "/" + name; }
  size_t EntryCount(const std::string& folder) const
  {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
  }
  // A 64 KB file system, or an empty string where mounting is not allowed.
  std::string SmallDisk()
  {
    const std::string folder = Path("small");
    fs::create_directory(folder);
    if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") != 0)
      return std::string();
    m_mounted = true;
    return folder;
  }

  std::string m_dir;
  bool m_mounted = false;
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

int ErrnoOfRefusal(const std::string& path, const std::string& text)
{
  try {
    WriteWhole(path, text);
  } catch (const CFileException& e) {
    EXPECT_EQ(e.m_strFileName, CString(path.c_str())) << "the failure names the target";
    return static_cast<int>(e.m_lOsError);
  }
  return 0;
}

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
  EXPECT_EQ(ErrnoOfRefusal(folder + "/old.txt", "x"), EACCES);
  ::chmod(folder.c_str(), 0755);
  EXPECT_EQ(Contents(folder + "/old.txt"), "kept too");
  EXPECT_EQ(EntryCount(folder), 1u);
}

TEST_F(AtomicFileTest, AFolderOrFifoIsNeverAWriteTarget)
{
  fs::create_directory(Path("folder.tpf"));
  EXPECT_EQ(ErrnoOfRefusal(Path("folder.tpf"), "x"), EISDIR);
  ASSERT_EQ(::mkfifo(Path("pipe.tpf").c_str(), 0666), 0);
  EXPECT_EQ(ErrnoOfRefusal(Path("pipe.tpf"), "x"), ENXIO);
  EXPECT_EQ(ErrnoOfRefusal(Path("missing/x.txt"), "x"), ENOENT);
}

TEST_F(AtomicFileTest, AFullDiskKeepsThePreviousFileByteForByte)
{
  const std::string disk = SmallDisk();
  if (disk.empty())
    GTEST_SKIP() << "mounting a small file system is not allowed here";
  const std::string path = disk + "/project.tpf";
  const std::string previous(20000, 'p');
  Put(path, previous);
  const std::string big(100000, 'n');
  EXPECT_EQ(ErrnoOfRefusal(path, big), ENOSPC);
  EXPECT_EQ(Contents(path), previous);
  EXPECT_EQ(EntryCount(disk), 1u);
}

TEST_F(AtomicFileTest, LeftoversOfAKilledWriteAreRemovedAndOthersKept)
{
  const std::string path = Path("house.tpf");
  Put(path, "saved");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    CAtomicFile out(path.c_str());
    out.GetFile().Write("half a save", 11);
    ::raise(SIGKILL);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the child ended otherwise than by its own kill";
  ASSERT_EQ(EntryCount(m_dir), 2u) << "the killed write left its temporary file";
  Put(Path(".house.tpf.notes"), "not a temporary file");
  Put(Path(".other.tpf.1.1.tmp"), "another file's");
  CAtomicFile running(path.c_str());
  EXPECT_EQ(CAtomicFile::RemoveLeftovers(path.c_str()), 1);
  EXPECT_TRUE(fs::exists(running.GetTemporaryPath().c_str())) << "a write still running is not touched";
  EXPECT_TRUE(fs::exists(Path(".house.tpf.notes")));
  EXPECT_TRUE(fs::exists(Path(".other.tpf.1.1.tmp")));
  EXPECT_EQ(Contents(path), "saved");
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
