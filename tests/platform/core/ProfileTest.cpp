// Guards the profile file's reading rules (case-insensitive names, Windows integer reading), its
// write and delete semantics and that a failed or refused write never damages the stored file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

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

}  // namespace
