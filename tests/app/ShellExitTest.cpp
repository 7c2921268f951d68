// The real program ends cleanly however the user ends it, run after run: its main window's
// close button, File > Exit, or the end of the desktop session or of the terminal (SIGTERM,
// SIGHUP, SIGINT, several at once while a question is open). Each run is the panecraft
// executable in a process of its own, offscreen, with a stand-in user preloaded into it; the
// exit code covers everything up to the last static destructor.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "PrivateDisplay.h"

extern char** environ;

namespace {
class ExitTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    std::string pattern = (std::filesystem::temp_directory_path() / "panecraft-exit-XXXXXX").string();
    m_dir = ::mkdtemp(pattern.data());
    std::filesystem::create_directories(m_dir + "/Tarvex Windows");
    std::ofstream profile(ProfilePath());
    profile << "[Misc]\nSplashScreenTime=0\nProductDatabaseDir=" << PANECRAFT_CATALOGUE_DIR << "\n";
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }

  std::string ProfilePath() const { return m_dir + "/Tarvex Windows/Panecraft.ini"; }
  std::string NotesPath() const { return m_dir + "/notes.txt"; }

  // Runs the program until the stand-in user ends it; the exit code, or -1 for a signal.
  int RunProgram(const char* how) { return Wait(StartProgram(how, "QT_QPA_PLATFORM=offscreen")); }

  // Starts the program on the given platform setting with the stand-in user; its process id, or
  // -1 when it could not be started.
  pid_t StartProgram(const char* how, const std::string& platform, const std::string& display = std::string())
  {
    std::vector<std::string> variables = {
        platform, "XDG_CONFIG_HOME=" + m_dir, std::string("PANECRAFT_USER_ENDS=") + how,
        "PANECRAFT_USER_NOTES=" + NotesPath(), std::string("LD_PRELOAD=") + PANECRAFT_USERSIM};
    if (!display.empty())
      variables.push_back("DISPLAY=" + display);
    std::vector<char*> environment;
    for (char** entry = environ; *entry; ++entry) {
      const std::string name = std::string(*entry).substr(0, std::string(*entry).find('='));
      if (name != "QT_QPA_PLATFORM" && name != "XDG_CONFIG_HOME" && name != "PANECRAFT_USER_ENDS" &&
          name != "PANECRAFT_USER_NOTES" && name != "LD_PRELOAD" && name != "DISPLAY")
        environment.push_back(*entry);
    }
    for (std::string& variable : variables)
      environment.push_back(variable.data());
    environment.push_back(nullptr);
    std::string program = PANECRAFT_EXECUTABLE;
    char* argv[] = {program.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environment.data()) != 0)
      return -1;
    return pid;
  }

  // The exit code, -1 for a signal, -2 for a program never started.
  static int Wait(pid_t pid)
  {
    if (pid < 0)
      return -2;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // The documents folder the program finds through the desktop's settings.
  std::string UseDocumentsFolder()
  {
    const std::string documents = m_dir + "/Documents";
    std::ofstream(m_dir + "/user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"" << documents << "\"\n";
    return documents;
  }

  // The recovery copies in the folder; each must be a project file.
  int CountRecoveryCopies(const std::string& folder)
  {
    int copies = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      const std::string name = entry.path().filename().string();
      EXPECT_NE(name.find(".recovered"), std::string::npos) << name;
      EXPECT_EQ(ReadText(entry.path().string()).substr(0, 4), "TPF-") << name;
      ++copies;
    }
    return copies;
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
// The toolkit ends a program whose X server went away with this code.
constexpr int kDisplayLostExitCode = 1;
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
  const std::string documents = UseDocumentsFolder();
  constexpr int kQuestionRuns = 3;
  for (int run = 0; run < kQuestionRuns; ++run) {
    std::filesystem::remove(NotesPath());
    ASSERT_EQ(RunProgram("signals-in-question"), 0) << "run " << run;
    EXPECT_NE(ReadText(NotesPath()).find("changes"), std::string::npos) << ReadText(NotesPath());
  }
  EXPECT_EQ(CountRecoveryCopies(documents), kQuestionRuns) << "one copy a run, none written over";
}

// The X server goes away under the program: before the toolkit ends it, it keeps the change in
// a recovery copy, and it ends with the toolkit's exit code for a lost display.
TEST_F(ExitTest, LosingTheDisplayKeepsTheChangeInARecoveryCopy)
{
  const std::string documents = UseDocumentsFolder();
  CPrivateDisplay display;
  if (!display.Start())
    GTEST_SKIP() << "no Xvfb on this machine";
  ASSERT_FALSE(display.Name().empty()) << "Xvfb named no display";

  const pid_t program = StartProgram("change-and-wait", "QT_QPA_PLATFORM=xcb", display.Name());
  ASSERT_GT(program, 0);
  for (int tries = 0; tries < 600 && ReadText(NotesPath()) != "changed"; ++tries)
    ::usleep(50000);
  EXPECT_EQ(ReadText(NotesPath()), "changed");
  display.Stop();
  EXPECT_EQ(Wait(program), kDisplayLostExitCode);
  EXPECT_EQ(CountRecoveryCopies(documents), 1);
}
