// The real program ends cleanly however the user ends it, run after run: its main window's
// close button, File > Exit, or the end of the desktop session. Each run is the panecraft
// executable in a process of its own, offscreen, with a stand-in user preloaded into it; the
// exit code covers everything up to the last static destructor.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

extern char** environ;

namespace {
class ExitTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    char pattern[] = "/tmp/panecraft-exit-XXXXXX";
    m_dir = ::mkdtemp(pattern);
    std::filesystem::create_directories(m_dir + "/Tarvex Windows");
    std::ofstream profile(ProfilePath());
    profile << "[Misc]\nSplashScreenTime=0\nProductDatabaseDir=" << PANECRAFT_CATALOGUE_DIR << "\n";
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }

  std::string ProfilePath() const { return m_dir + "/Tarvex Windows/Panecraft.ini"; }

  // Runs the program until the stand-in user ends it; the exit code, or -1 for a signal.
  int RunProgram(const char* how)
  {
    std::vector<std::string> variables = {"QT_QPA_PLATFORM=offscreen", "XDG_CONFIG_HOME=" + m_dir,
                                          std::string("PANECRAFT_USER_ENDS=") + how,
                                          std::string("LD_PRELOAD=") + PANECRAFT_USERSIM};
    std::vector<char*> environment;
    for (char** entry = environ; *entry; ++entry) {
      const std::string name = std::string(*entry).substr(0, std::string(*entry).find('='));
      if (name != "QT_QPA_PLATFORM" && name != "XDG_CONFIG_HOME" && name != "PANECRAFT_USER_ENDS" &&
          name != "LD_PRELOAD")
        environment.push_back(*entry);
    }
    for (std::string& variable : variables)
      environment.push_back(variable.data());
    environment.push_back(nullptr);
    std::string program = PANECRAFT_EXECUTABLE;
    char* argv[] = {program.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environment.data()) != 0)
      return -2;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string Profile() const
  {
    std::ifstream file(ProfilePath());
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  }

  std::string m_dir;
};

constexpr int kRuns = 4;
}  // namespace

TEST_F(ExitTest, ClosingTheMainWindowEndsWithCodeZeroEveryTime)
{
  for (int run = 0; run < kRuns; ++run)
    ASSERT_EQ(RunProgram("close"), 0) << "run " << run;
  // The close stored the window's place and the exit wrote it to the profile.
  EXPECT_NE(Profile().find("MainWindowRect="), std::string::npos) << Profile();
}

TEST_F(ExitTest, FileExitEndsWithCodeZeroEveryTime)
{
  for (int run = 0; run < kRuns; ++run)
    ASSERT_EQ(RunProgram("exit"), 0) << "run " << run;
  EXPECT_NE(Profile().find("MainWindowRect="), std::string::npos) << Profile();
}

TEST_F(ExitTest, TheEndOfTheSessionEndsWithCodeZeroEveryTime)
{
  for (int run = 0; run < kRuns; ++run)
    ASSERT_EQ(RunProgram("session"), 0) << "run " << run;
  // The preferences were saved on the way out.
  EXPECT_NE(Profile().find("MeasurementUnits="), std::string::npos) << Profile();
}

TEST_F(ExitTest, TheWaysToEndFollowOneAnotherCleanly)
{
  for (const char* how : {"close", "session", "exit", "session", "close", "exit"})
    ASSERT_EQ(RunProgram(how), 0) << how;
}
