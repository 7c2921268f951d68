// The real program ends cleanly however the user ends it, run after run: its main window's
// close button, File > Exit, or the end of the desktop session or of the terminal (SIGTERM,
// SIGHUP, SIGINT, several at once while a question is open). Each run is the panecraft
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
  std::string NotesPath() const { return m_dir + "/notes.txt"; }

  // Runs the program until the stand-in user ends it; the exit code, or -1 for a signal.
  int RunProgram(const char* how)
  {
    std::vector<std::string> variables = {
        "QT_QPA_PLATFORM=offscreen", "XDG_CONFIG_HOME=" + m_dir, std::string("PANECRAFT_USER_ENDS=") + how,
        "PANECRAFT_USER_NOTES=" + NotesPath(), std::string("LD_PRELOAD=") + PANECRAFT_USERSIM};
    std::vector<char*> environment;
    for (char** entry = environ; *entry; ++entry) {
      const std::string name = std::string(*entry).substr(0, std::string(*entry).find('='));
      if (name != "QT_QPA_PLATFORM" && name != "XDG_CONFIG_HOME" && name != "PANECRAFT_USER_ENDS" &&
          name != "PANECRAFT_USER_NOTES" && name != "LD_PRELOAD")
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

  std::string Profile() const { return ReadText(ProfilePath()); }

  static std::string ReadText(const std::string& path)
  {
    std::ifstream file(path, std::ios::binary);
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

TEST_F(ExitTest, HangupAndInterruptEndTheSessionLikeTheEndOfTheDesktopSession)
{
  for (const char* how : {"hangup", "interrupt", "hangup"})
    ASSERT_EQ(RunProgram(how), 0) << how;
  EXPECT_NE(Profile().find("MeasurementUnits="), std::string::npos) << Profile();
}

// Offscreen nobody can answer: the change goes to a recovery copy in the documents folder, the
// question open when the signals came is ended, and the later signals are ignored.
TEST_F(ExitTest, LogoutSignalsWhileAQuestionIsOpenKeepTheChangeAndEndCleanly)
{
  const std::string documents = m_dir + "/Documents";
  std::ofstream(m_dir + "/user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"" << documents << "\"\n";
  constexpr int kQuestionRuns = 3;
  for (int run = 0; run < kQuestionRuns; ++run) {
    std::filesystem::remove(NotesPath());
    ASSERT_EQ(RunProgram("signals-in-question"), 0) << "run " << run;
    EXPECT_NE(ReadText(NotesPath()).find("changes"), std::string::npos) << ReadText(NotesPath());
  }
  int copies = 0;
  for (const auto& entry : std::filesystem::directory_iterator(documents)) {
    const std::string name = entry.path().filename().string();
    EXPECT_NE(name.find(".recovered"), std::string::npos) << name;
    EXPECT_EQ(ReadText(entry.path().string()).substr(0, 4), "TPF-") << name;
    ++copies;
  }
  EXPECT_EQ(copies, kQuestionRuns) << "one copy a run, none written over";
}
