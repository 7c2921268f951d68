// Guards the profile file's reading rules (case-insensitive names, Windows integer reading), its
// write and delete semantics, that a failed or refused write never damages the stored file, that
// a write keeps the file's link and mode, that held writes go to the disk together, that
// instances sharing the file keep each other's writes, and that only a regular file is ever opened.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "platform/core/Profile.h"

namespace {

namespace fs = std::filesystem;

class ProfileTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    std::string pattern = (std::filesystem::temp_directory_path() / "profile-test-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir = pattern;
    path = dir + "/Maker/Prog.ini";
  }
  void TearDown() override
  {
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir);
  }
  void WriteText(const std::string& text)
  {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
  }
  std::string ReadText() const
  {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  std::string dir;
  std::string path;
};

TEST_F(ProfileTest, DefaultPathFollowsXdgConfigHome)
{
  const char* saved = std::getenv("XDG_CONFIG_HOME");
  std::string old = saved ? saved : "";
  ::setenv("XDG_CONFIG_HOME", "/cfg/here", 1);
  EXPECT_EQ(CProfile::DefaultPath("Tarvex Windows", "Panecraft"), "/cfg/here/Tarvex Windows/Panecraft.ini");
  ::setenv("HOME", "/home/someone", 1);
  ::setenv("XDG_CONFIG_HOME", "", 1);
  EXPECT_EQ(CProfile::DefaultPath("M", "A"), "/home/someone/.config/M/A.ini");
  ::setenv("XDG_CONFIG_HOME", "relative/dir", 1);
  EXPECT_EQ(CProfile::DefaultPath("M", "A"), "/home/someone/.config/M/A.ini");
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(CProfile::DefaultPath("M", "A"), "/home/someone/.config/M/A.ini");
  if (saved)
    ::setenv("XDG_CONFIG_HOME", old.c_str(), 1);
}

TEST_F(ProfileTest, ReadsNamesWithoutCaseAndValuesRaw)
{
  WriteText(
      "; comment\r\n[Misc]\r\nMainWindowRect=1,2,3,4\r\n  Spaced Key  = a;b,\"c\" \r\n[misc]\nMainWindowRect=second\n");
  CProfile profile(path);
  EXPECT_EQ(profile.GetProfileString("MISC", "mainwindowrect"), "1,2,3,4");
  EXPECT_EQ(profile.GetProfileString("Misc", "spaced key"), " a;b,\"c\" ");
  EXPECT_EQ(profile.GetProfileString("Misc", "Missing", "dflt"), "dflt");
  EXPECT_EQ(profile.GetProfileString("Nope", "Missing"), "");
  EXPECT_EQ(profile.GetProfileString("Nope", "Missing", nullptr), "");
}

TEST_F(ProfileTest, IntegersReadLikeTheWindowsProfileReader)
{
  WriteText("[S]\na=12\nb=-1\nc=42abc\nd=abc\ne=\nf=  7\ng=+5\nh=99999999999\ni=- 3\n");
  CProfile profile(path);
  EXPECT_EQ(profile.GetProfileInt("s", "a", 3), 12);
  EXPECT_EQ(profile.GetProfileInt("s", "b", 3), -1);
  EXPECT_EQ(profile.GetProfileInt("s", "c", 3), 42);
  EXPECT_EQ(profile.GetProfileInt("s", "d", 3), 0);
  EXPECT_EQ(profile.GetProfileInt("s", "e", 3), 3) << "an empty value reads as missing";
  EXPECT_EQ(profile.GetProfileInt("s", "f", 3), 7);
  EXPECT_EQ(profile.GetProfileInt("s", "g", 3), 5);
  EXPECT_EQ(profile.GetProfileInt("s", "h", 3), 2147483647);
  EXPECT_EQ(profile.GetProfileInt("s", "i", 3), 0);
  EXPECT_EQ(profile.GetProfileInt("s", "missing", -1), -1);
}

TEST_F(ProfileTest, WritesCreateTheFolderAndReplaceInPlace)
{
  CProfile profile(path);
  EXPECT_FALSE(fs::exists(path)) << "reading alone never creates the file";
  ASSERT_TRUE(profile.WriteProfileString("Misc", "A", "1"));
  ASSERT_TRUE(profile.WriteProfileInt("Debug", "ShowHelpID", -7));
  ASSERT_TRUE(profile.WriteProfileString("MISC", "b", "x=y;z"));
  ASSERT_TRUE(profile.WriteProfileString("misc", "a", "2"));
  EXPECT_EQ(ReadText(), "[Misc]\nA=2\nb=x=y;z\n\n[Debug]\nShowHelpID=-7\n");

  CProfile again(path);
  EXPECT_EQ(again.GetProfileString("Misc", "B"), "x=y;z");
  EXPECT_EQ(again.GetProfileInt("debug", "showhelpid", 0), -7);
  for (const auto& entry : fs::directory_iterator(fs::path(path).parent_path()))
    EXPECT_EQ(entry.path().filename(), "Prog.ini") << "no temporary file is left behind";
}

TEST_F(ProfileTest, NullValueDeletesTheKeyAndKeepsComments)
{
  WriteText("[DefaultOptions]\nCat1=2\n; kept\nCat5=1\n\n[Other]\nx=1\n");
  CProfile profile(path);
  ASSERT_TRUE(profile.WriteProfileString("defaultoptions", "CAT1", nullptr));
  ASSERT_TRUE(profile.WriteProfileString("DefaultOptions", "NotThere", nullptr));
  ASSERT_TRUE(profile.WriteProfileInt("DefaultOptions", "Cat7", 3));
  EXPECT_EQ(ReadText(), "[DefaultOptions]\n; kept\nCat5=1\nCat7=3\n\n[Other]\nx=1\n");
  EXPECT_EQ(profile.GetProfileInt("DefaultOptions", "Cat1", -1), -1);
}

TEST_F(ProfileTest, RefusedWritesLeaveTheFileAlone)
{
  WriteText("[S]\nk=v\n");
  CProfile profile(path);
  EXPECT_FALSE(profile.WriteProfileString("S", "k", "two\nlines"));
  EXPECT_FALSE(profile.WriteProfileString("S", "a=b", "v"));
  EXPECT_FALSE(profile.WriteProfileString("S]", "k", "v"));
  EXPECT_FALSE(profile.WriteProfileString("S", "", "v"));
  EXPECT_FALSE(profile.WriteProfileString(nullptr, "k", "v"));
  EXPECT_EQ(ReadText(), "[S]\nk=v\n");
  EXPECT_EQ(profile.GetProfileString("S", "k"), "v");

  CProfile nowhere;
  EXPECT_FALSE(nowhere.WriteProfileString("S", "k", "v"));
  EXPECT_EQ(nowhere.GetProfileInt("S", "k", 4), 4);
}

TEST_F(ProfileTest, AFailedWriteKeepsMemoryAsStoredAndLeavesNoTemporary)
{
  WriteText("[S]\nk=v\n");
  CProfile profile(path);
  // A non-empty folder in the file's place makes the final rename fail, even for root.
  fs::remove(path);
  fs::create_directories(path + "/blocker");
  EXPECT_FALSE(profile.WriteProfileString("S", "k", "new"));
  EXPECT_EQ(profile.GetProfileString("S", "k"), "v");
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(fs::path(path).parent_path()))
    ++entries;
  EXPECT_EQ(entries, 1);
}

TEST_F(ProfileTest, AnUnreadableFileIsNeverOverwritten)
{
  WriteText("[S]\nk=v\n");
  // A folder where the file should be cannot be read as a file.
  std::string folderPath = dir + "/Maker/Folder.ini";
  fs::create_directories(folderPath);
  CProfile profile(folderPath);
  EXPECT_EQ(profile.GetProfileString("S", "k", "d"), "d");
  EXPECT_FALSE(profile.WriteProfileString("S", "k", "x"));
  EXPECT_TRUE(fs::is_directory(folderPath));
}

mode_t ModeOf(const std::string& path)
{
  struct stat st
  {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

TEST_F(ProfileTest, AWriteKeepsTheProfilesLinkAndMode)
{
  // The company and address fields are the user's own: a private profile stays private.
  WriteText("[Misc]\nA=1\n");
  ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
  CProfile profile(path);
  ASSERT_TRUE(profile.WriteProfileString("UserInfo", "Company", "Pell Glazing"));
  EXPECT_EQ(ModeOf(path), 0600u);
  EXPECT_EQ(ReadText(), "[Misc]\nA=1\n\n[UserInfo]\nCompany=Pell Glazing\n");

  // A profile kept elsewhere (dotfiles) and linked into place: the file it names is written.
  const std::string real = dir + "/dotfiles/Prog.ini";
  fs::create_directories(dir + "/dotfiles");
  fs::rename(path, real);
  fs::create_symlink("../dotfiles/Prog.ini", path);
  CProfile linked(path);
  ASSERT_TRUE(linked.WriteProfileString("Misc", "A", "2"));
  EXPECT_TRUE(fs::is_symlink(path));
  EXPECT_EQ(fs::read_symlink(path), "../dotfiles/Prog.ini");
  EXPECT_EQ(ModeOf(real), 0600u);
  EXPECT_EQ(ReadText(), "[Misc]\nA=2\n\n[UserInfo]\nCompany=Pell Glazing\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir + "/dotfiles"), {}), 1) << "no temporary file is left";
}

// Read-only also for the super-user: the mode, not only the permission check, refuses.
TEST_F(ProfileTest, AReadOnlyProfileIsLeftAsItWasAndTheFailureIsToldOnce)
{
  WriteText("[Misc]\nA=1\n");
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  CProfile profile(path);
  EXPECT_EQ(profile.GetProfileString("Misc", "A"), "1");
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(profile.WriteProfileString("Misc", "A", "2"));
  EXPECT_FALSE(profile.WriteProfileString("Misc", "B", "3"));
  const std::string told = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(told, "The profile " + path + " cannot be written (" + std::strerror(EACCES) +
                      "): settings changed in this session are not stored.\n");
  EXPECT_EQ(profile.GetProfileString("Misc", "A"), "1") << "what is read stays what is stored";
  EXPECT_EQ(ReadText(), "[Misc]\nA=1\n");
  EXPECT_EQ(ModeOf(path), 0444u);
  EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(path).parent_path()), {}), 1);
}

// Held writes reach the disk in one replacement of the file when the last hold ends; one that
// cannot be made leaves the profile as it was before the hold.
TEST_F(ProfileTest, HeldWritesGoToTheDiskTogetherWhenTheLastHoldEnds)
{
  WriteText("[S]\nk=v\n");
  CProfile profile(path);
  {
    CProfile::CHold hold(profile);
    ASSERT_TRUE(profile.WriteProfileString("S", "k", "w"));
    {
      CProfile::CHold inner(profile);
      ASSERT_TRUE(profile.WriteProfileInt("T", "n", 4));
    }
    EXPECT_FALSE(profile.WriteProfileString("S", "two\nlines", "x")) << "what the file cannot keep is refused at once";
    EXPECT_EQ(ReadText(), "[S]\nk=v\n") << "nothing is written while a hold lasts";
    EXPECT_EQ(profile.GetProfileString("S", "k"), "w") << "reads see the held writes";
  }
  EXPECT_EQ(ReadText(), "[S]\nk=w\n\n[T]\nn=4\n");

  // A non-empty folder in the file's place makes the one write fail, even for root.
  fs::remove(path);
  fs::create_directories(path + "/blocker");
  {
    CProfile::CHold hold(profile);
    EXPECT_TRUE(profile.WriteProfileString("S", "k", "lost"));
    ::testing::internal::CaptureStderr();
  }
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("cannot be written"), std::string::npos);
  EXPECT_EQ(profile.GetProfileString("S", "k"), "w") << "the profile is as stored before the hold";
  EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(path).parent_path()), {}), 1) << "no temporary is left";
}

// A hold begun and ended inside another without a write of its own neither writes the file nor
// makes the outer hold forget the writes made before it.
TEST_F(ProfileTest, ANestedHoldWithoutWritesKeepsTheOuterHoldsWrites)
{
  WriteText("[S]\nk=v\n");
  CProfile profile(path);
  {
    CProfile::CHold hold(profile);
    ASSERT_TRUE(profile.WriteProfileString("S", "k", "w"));
    {
      CProfile::CHold inner(profile);
      EXPECT_EQ(profile.GetProfileString("S", "k"), "w");
    }
    EXPECT_EQ(ReadText(), "[S]\nk=v\n") << "the inner hold's end writes nothing";
  }
  EXPECT_EQ(ReadText(), "[S]\nk=w\n");
}

// Two instances on one file, each having read it at its start: each write takes in what the
// other wrote meanwhile, held or not, and a value written back as the instance has it leaves the
// other's change standing; a list changed by an edit is changed as the file holds it.
TEST_F(ProfileTest, InstancesSharingTheFileKeepEachOthersChanges)
{
  WriteText("[S]\nShared=start\n");
  CProfile first(path);
  CProfile second(path);
  ASSERT_TRUE(first.WriteProfileString("S", "First", "1"));
  ASSERT_TRUE(second.WriteProfileString("S", "Second", "2"));
  EXPECT_NE(ReadText().find("First=1\n"), std::string::npos) << "the second instance's write lost the first's key\n"
                                                             << ReadText();
  ASSERT_TRUE(first.WriteProfileString("S", "Shared", "changed"));
  {
    CProfile::CHold hold(second);
    ASSERT_TRUE(second.WriteProfileString("S", "Shared", "start"));
    ASSERT_TRUE(second.WriteProfileString("T", "Held", "3"));
  }
  EXPECT_EQ(ReadText(), "[S]\nShared=changed\nFirst=1\nSecond=2\n\n[T]\nHeld=3\n")
      << "a value written back unchanged undid the other instance's change, or a key was lost";
  EXPECT_EQ(second.GetProfileString("S", "Shared"), "start") << "reads give the file as this instance read it";
  const auto putFirst = [](const char* value) {
    return [value](CProfile& profile) {
      const CString before = profile.GetProfileString("L", "Item1");
      profile.WriteProfileString("L", "Item1", value);
      if (!before.IsEmpty())
        profile.WriteProfileString("L", "Item2", before);
    };
  };
  ASSERT_TRUE(first.Update(putFirst("a")));
  ASSERT_TRUE(second.Update(putFirst("b")));
  EXPECT_NE(ReadText().find("[L]\nItem1=b\nItem2=a\n"), std::string::npos)
      << "the edit ran on what this instance read, not on what the file held\n"
      << ReadText();
}

// Instances writing at the same moment: each write waits for the other's, so none is made from
// a read older than another's write.
TEST_F(ProfileTest, InstancesWritingAtOnceLoseNoWrite)
{
  WriteText("[W]\n");
  constexpr int kWriters = 4;
  constexpr int kWrites = 20;
  std::vector<pid_t> children;
  for (int writer = 0; writer < kWriters; ++writer) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      CProfile profile(path);
      bool written = true;
      for (int i = 0; i < kWrites; ++i)
        written = profile.WriteProfileInt("W", CString::Formatted("Writer%dKey%d", writer, i), i) && written;
      ::_exit(written ? 0 : 1);
    }
    children.push_back(child);
  }
  for (const pid_t child : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a writer's write failed";
  }
  const CProfile stored(path);
  int lost = 0;
  for (int writer = 0; writer < kWriters; ++writer)
    for (int i = 0; i < kWrites; ++i)
      lost += stored.GetProfileInt("W", CString::Formatted("Writer%dKey%d", writer, i), -1) != i ? 1 : 0;
  EXPECT_EQ(lost, 0) << "writes made at once by several instances were lost\n" << ReadText();
}

// In a child with a time limit, as an open that waits on the FIFO never returns. A watch on the
// FIFO sees every open of it; the child's standard error goes to a file.
TEST_F(ProfileTest, AFifoOrDeviceAsTheProfileIsNeitherOpenedNorWritten)
{
  fs::create_directories(fs::path(path).parent_path());
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(watch, 0);
  ASSERT_GE(::inotify_add_watch(watch, path.c_str(), IN_OPEN), 0);
  const std::string told = dir + "/stderr.txt";
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (!std::freopen(told.c_str(), "w", stderr))
      ::_exit(4);
    CProfile profile(path);
    const bool read = profile.GetProfileString("Misc", "A", "default") != "default";
    const bool written = profile.WriteProfileString("Misc", "A", "1");
    std::fflush(stderr);
    ::_exit(read ? 2 : written ? 3 : 0);
  }
  int status = 0;
  const auto start = std::chrono::steady_clock::now();
  while (::waitpid(child, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() - start > std::chrono::seconds(20)) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      FAIL() << "reading the profile waited on the FIFO";
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "2: the FIFO was read, 3: it was written";
  char events[4096];
  EXPECT_LT(::read(watch, events, sizeof events), 0) << "the FIFO was opened";
  ::close(watch);
  struct stat st
  {};
  ASSERT_EQ(::lstat(path.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the FIFO was replaced";
  std::ifstream in(told);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "The profile " + path +
                            " is not a regular file: it is neither read nor written, and the settings start from "
                            "their defaults.\n");

  ::testing::internal::CaptureStderr();
  CProfile device("/dev/null");
  EXPECT_FALSE(device.WriteProfileString("Misc", "A", "1"));
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("/dev/null is not a regular file"), std::string::npos);
}

}  // namespace
