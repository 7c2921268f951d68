// The real program ends cleanly however the user ends it, run after run: its main window's
// close button, File > Exit, or the end of the desktop session or of the terminal (SIGTERM,
// SIGHUP, SIGINT, several at once while a question is open). Each run is the panecraft
// executable in a process of its own, offscreen, with a stand-in user preloaded into it; the
// exit code covers everything up to the last static destructor. Started under a file-size limit
// with SIGXFSZ at its default, the program ends the same way, having told that no recovery copy
// could be written and why. Instances sharing one profile keep each other's notes of their copies.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "PrivateDisplay.h"
#include "platform/core/Profile.h"
#include "ui/wnd/Exitcode.h"

extern char** environ;

namespace {
// The text a program's standard error gave while it ran, read as it comes so the program never
// waits on a full pipe.
class CErrorOutput
{
public:
  CErrorOutput()
  {
    if (::pipe2(m_fds, O_CLOEXEC) == 0)
      ::fcntl(m_fds[0], F_SETFL, O_NONBLOCK);
  }
  ~CErrorOutput()
  {
    for (int fd : m_fds)
      if (fd >= 0)
        ::close(fd);
  }
  CErrorOutput(const CErrorOutput&) = delete;
  CErrorOutput& operator=(const CErrorOutput&) = delete;

  int WritingEnd() const { return m_fds[1]; }
  // Once the program has it: only the program writes to it from then on.
  void CloseWritingEnd()
  {
    ::close(m_fds[1]);
    m_fds[1] = -1;
  }
  void Read()
  {
    char buffer[4096];
    ssize_t n = 0;
    while ((n = ::read(m_fds[0], buffer, sizeof buffer)) > 0)
      m_text.append(buffer, static_cast<size_t>(n));
  }
  // Waits for the program, reading meanwhile: its exit code, -1 for a signal. Given a number of
  // seconds, a program still running after them is killed and kStillRunning returned.
  int Wait(pid_t pid, int seconds = 0)
  {
    int status = 0;
    for (int tries = 1; ::waitpid(pid, &status, WNOHANG) == 0; ++tries) {
      Read();
      if (seconds > 0 && tries > seconds * 50) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        Read();
        return kStillRunning;
      }
      ::usleep(20000);
    }
    Read();
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  static constexpr int kStillRunning = -3;
  const std::string& Text() const { return m_text; }

private:
  int m_fds[2] = {-1, -1};
  std::string m_text;
};

constexpr int kRuns = 4;
// A run that takes longer than this hangs.
constexpr int kHangSeconds = 30;
// Smaller than a recovery copy of the smallest project, larger than the stand-in user's notes.
constexpr rlim_t kFileSizeLimit = 128;
class ExitTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    std::string pattern = (std::filesystem::temp_directory_path() / "panecraft-exit-XXXXXX").string();
    m_dir = ::mkdtemp(pattern.data());
    std::filesystem::create_directories(m_dir + "/Tarvex Windows");
    ResetProfile();
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }

  std::string ProfilePath() const { return m_dir + "/Tarvex Windows/Panecraft.ini"; }
  std::string NotesPath() const { return m_dir + "/" + m_notes; }

  // Runs the program until the stand-in user ends it; the exit code, or -1 for a signal.
  int RunProgram(const char* how) { return Wait(StartProgram(how, "QT_QPA_PLATFORM=offscreen")); }

  // Starts the program on the given platform setting with the stand-in user; its process id, or
  // -1 when it could not be started.
  pid_t StartProgram(const char* how, const std::string& platform, const std::string& display = std::string())
  {
    std::vector<std::string> variables = Variables(how, Place(platform, display));
    std::vector<char*> environment = Environment(variables);
    std::string program = PANECRAFT_EXECUTABLE;
    char* argv[] = {program.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environment.data()) != 0)
      return -1;
    return pid;
  }

  // The same on the display the variables name (a platform and its display), its standard error
  // going to the pipe's writing end and the temporary folder the test's own; with a size, as a
  // shell with ulimit -f or a service with LimitFSIZE starts it: no file may grow past the size
  // and SIGXFSZ is at its default.
  pid_t StartProgramTellingErrors(const char* how, const std::vector<std::string>& place, int errorFd,
                                  rlim_t bytes = RLIM_INFINITY)
  {
    std::filesystem::create_directories(TemporaryFolder());
    std::vector<std::string> variables = Variables(how, place);
    variables.push_back("TMPDIR=" + TemporaryFolder());
    std::vector<char*> environment = Environment(variables);
    std::string program = PANECRAFT_EXECUTABLE;
    char* argv[] = {program.data(), nullptr};
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    const pid_t pid = ::fork();
    if (pid != 0)
      return pid;
    ::signal(SIGXFSZ, SIG_DFL);
    if ((bytes != RLIM_INFINITY && ::setrlimit(RLIMIT_FSIZE, &limit) != 0) || ::dup2(errorFd, STDERR_FILENO) < 0)
      ::_exit(120);
    ::execve(program.c_str(), argv, environment.data());
    ::_exit(121);
  }

  // Starts the program with the stand-in user and waits until the user has noted the word (a
  // change made, a value typed); the process id, or -1.
  pid_t StartAndWaitForNote(const char* how, const std::vector<std::string>& place, CErrorOutput& output,
                            const char* note, rlim_t bytes = RLIM_INFINITY)
  {
    const pid_t program = StartProgramTellingErrors(how, place, output.WritingEnd(), bytes);
    output.CloseWritingEnd();
    for (int tries = 0; program > 0 && tries < 600 && ReadText(NotesPath()) != note; ++tries) {
      output.Read();
      ::usleep(50000);
    }
    EXPECT_EQ(ReadText(NotesPath()), note) << output.Text();
    return program;
  }

  static std::vector<std::string> Place(const std::string& platform, const std::string& display)
  {
    std::vector<std::string> place = {platform};
    if (!display.empty())
      place.push_back("DISPLAY=" + display);
    return place;
  }

  // A place may name the stand-in user's notes, for a program run beside another.
  std::vector<std::string> Variables(const char* how, const std::vector<std::string>& place) const
  {
    std::vector<std::string> variables = {"XDG_CONFIG_HOME=" + m_dir, std::string("PANECRAFT_USER_ENDS=") + how,
                                          std::string("LD_PRELOAD=") + PANECRAFT_USERSIM};
    variables.insert(variables.end(), place.begin(), place.end());
    if (std::none_of(place.begin(), place.end(),
                     [](const std::string& variable) { return variable.rfind("PANECRAFT_USER_NOTES=", 0) == 0; }))
      variables.push_back("PANECRAFT_USER_NOTES=" + NotesPath());
    return variables;
  }

  // This process's environment with the variables in place of their namesakes.
  static std::vector<char*> Environment(std::vector<std::string>& variables)
  {
    std::vector<char*> environment;
    for (char** entry = environ; *entry; ++entry) {
      const std::string name = std::string(*entry).substr(0, std::string(*entry).find('='));
      bool replaced = false;
      for (const std::string& variable : variables)
        replaced = replaced || variable.compare(0, name.size() + 1, name + "=") == 0;
      if (!replaced && name != "DISPLAY")
        environment.push_back(*entry);
    }
    for (std::string& variable : variables)
      environment.push_back(variable.data());
    environment.push_back(nullptr);
    return environment;
  }

  std::string TemporaryFolder() const { return m_dir + "/tmp"; }

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

  // The recovery copy written last in the folder; empty when there is none.
  static std::string NewestCopy(const std::string& folder)
  {
    std::string newest;
    std::filesystem::file_time_type newestTime;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
      if (newest.empty() || entry.last_write_time() > newestTime) {
        newest = entry.path().string();
        newestTime = entry.last_write_time();
      }
    return newest;
  }

  // The profile as the test began, before any run noted a copy in it.
  void ResetProfile() const
  {
    std::ofstream(ProfilePath()) << "[Misc]\nSplashScreenTime=0\nProductDatabaseDir=" << PANECRAFT_CATALOGUE_DIR
                                 << "\n";
  }

  // The copy is named on standard error, first in the recent files, and noted for the next start.
  void ExpectCopyToldAndListed(const std::string& copy, const std::string& errors) const
  {
    ASSERT_FALSE(copy.empty()) << errors;
    EXPECT_NE(errors.find(copy), std::string::npos) << errors;
    EXPECT_NE(Profile().find("File1=" + copy + "\n"), std::string::npos) << Profile();
    EXPECT_NE(Profile().find("Copy1=" + copy + "\n"), std::string::npos) << Profile();
  }

  // The next start, with a display, names the copy and offers to open it; answered, it is told
  // once and no longer noted.
  void ExpectTheNextStartOffers(const std::string& copy) { ExpectTheNextStartOffers(std::vector<std::string>{copy}); }
  void ExpectTheNextStartOffers(const std::vector<std::string>& copies)
  {
    CPrivateDisplay display;
    ASSERT_TRUE(display.Start());
    std::filesystem::remove(NotesPath());
    CErrorOutput output;
    const pid_t program = StartProgramTellingErrors("note-questions", display.ChildVariables(), output.WritingEnd());
    output.CloseWritingEnd();
    ASSERT_EQ(output.Wait(program, kHangSeconds), 0) << output.Text();
    const std::string questions = ReadText(NotesPath());
    for (const std::string& copy : copies)
      EXPECT_NE(
          questions.find("kept in the recovery copy\n\n" + copy + "\n\nDo you want to open the recovery copy now?"),
          std::string::npos)
          << "the next start did not name " << copy << "\n"
          << questions;
    EXPECT_EQ(Profile().find("Copy1="), std::string::npos) << "a copy named and answered is still noted\n" << Profile();
  }

  static std::string ReadText(const std::string& path)
  {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  }

  std::string m_dir;
  // The stand-in user's notes of the program started next.
  std::string m_notes = "notes.txt";
};

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

// With a display and a person perhaps there, a logout's or a terminal's signal is still no
// question: a value the field refuses left typed in the Plan View's Wall Width, the Workbench's
// Quantity or the project's name neither stops the end nor is asked about, nor moves the keyboard
// back into a window that goes; the change goes to a recovery copy, named on standard error and
// listed for the next start, and the program ends with code 0 within a time only a hang exceeds.
TEST_F(ExitTest, ASignalWithARefusedValueTypedAndADisplayEndsUnaskedAtOnce)
{
  const std::string documents = UseDocumentsFolder();
  CPrivateDisplay display;
  if (!display.Start())
    GTEST_SKIP() << "no Xvfb on this machine";
  ASSERT_FALSE(display.Name().empty()) << "Xvfb named no display";
  int runs = 0;
  for (const char* how : {"refuse-wall-width", "refuse-quantity", "refuse-name"}) {
    for (const int signal : {SIGTERM, SIGHUP}) {
      SCOPED_TRACE(std::string(how) + " " + strsignal(signal));
      // Each run's start would otherwise offer the copy of the run before it.
      ResetProfile();
      std::filesystem::remove(NotesPath());
      CErrorOutput output;
      const pid_t program = StartAndWaitForNote(how, display.ChildVariables(), output, "typed");
      ASSERT_GT(program, 0);
      ASSERT_EQ(ReadText(NotesPath()), "typed");
      ::kill(program, signal);
      ASSERT_EQ(output.Wait(program, kHangSeconds), 0) << output.Text();
      // The change typed before the refused value is in the copy.
      ASSERT_TRUE(std::filesystem::exists(documents)) << output.Text();
      EXPECT_EQ(CountRecoveryCopies(documents), ++runs) << output.Text();
      ExpectCopyToldAndListed(NewestCopy(documents), output.Text());
    }
  }
  ExpectTheNextStartOffers(NewestCopy(documents));
}

// Two programs ended at once, each with a change to its unnamed "Proj1": a name the other took
// between the look and the write gives way to the next free name in the documents folder, run
// after run; no copy goes on to the temporary folder.
TEST_F(ExitTest, TwoProgramsEndedAtOnceKeepTheirCopiesSideBySideInTheDocumentsFolder)
{
  const std::string documents = UseDocumentsFolder();
  constexpr int kPairRuns = 3;
  for (int run = 0; run < kPairRuns; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    ResetProfile();
    CErrorOutput outputs[2];
    pid_t programs[2] = {-1, -1};
    std::string notes[2];
    for (int i = 0; i < 2; ++i) {
      notes[i] = m_dir + "/notes" + std::to_string(i) + ".txt";
      std::filesystem::remove(notes[i]);
      programs[i] = StartProgramTellingErrors("change-and-wait",
                                              {"QT_QPA_PLATFORM=offscreen", "PANECRAFT_USER_NOTES=" + notes[i]},
                                              outputs[i].WritingEnd());
      outputs[i].CloseWritingEnd();
      ASSERT_GT(programs[i], 0);
    }
    for (int tries = 0; tries < 600 && (ReadText(notes[0]) != "changed" || ReadText(notes[1]) != "changed"); ++tries) {
      outputs[0].Read();
      outputs[1].Read();
      ::usleep(50000);
    }
    ::kill(programs[0], SIGTERM);
    ::kill(programs[1], SIGTERM);
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(ReadText(notes[i]), "changed") << outputs[i].Text();
      EXPECT_EQ(outputs[i].Wait(programs[i], kHangSeconds), 0) << outputs[i].Text();
    }
    std::string misplaced;
    for (const auto& entry : std::filesystem::directory_iterator(TemporaryFolder()))
      if (entry.path().filename().string().find(".recovered") != std::string::npos)
        misplaced += " " + entry.path().filename().string();
    EXPECT_TRUE(misplaced.empty()) << "copies went to the temporary folder though the documents folder took them:"
                                   << misplaced << "\n"
                                   << outputs[0].Text() << outputs[1].Text();
    EXPECT_EQ(CountRecoveryCopies(documents), 2 * (run + 1)) << outputs[0].Text() << outputs[1].Text();
  }
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

// The X server goes away while a project name the file cannot hold is typed, the keyboard in its
// field: the change goes to a recovery copy, named on standard error and listed for the next
// start, which offers it; the program ends with the code for a lost display. (A lost Wayland
// compositor is run by the display tests of the Workbench.)
TEST_F(ExitTest, ALostDisplayWithARefusedNameKeepsTheChangeForTheNextStart)
{
  const std::string documents = UseDocumentsFolder();
  CPrivateDisplay display;
  if (!display.Start())
    GTEST_SKIP() << "no Xvfb on this machine";
  CErrorOutput output;
  const pid_t program = StartAndWaitForNote("refuse-name", display.ChildVariables(), output, "typed");
  ASSERT_GT(program, 0);
  ASSERT_EQ(ReadText(NotesPath()), "typed");
  display.Stop();
  ASSERT_EQ(output.Wait(program, kHangSeconds), kDisplayLostExitCode) << output.Text();
  EXPECT_EQ(CountRecoveryCopies(documents), 1) << output.Text();
  const std::string copy = NewestCopy(documents);
  ExpectCopyToldAndListed(copy, output.Text());
  ExpectTheNextStartOffers(copy);
}

namespace {
// The copy the program named on standard error; empty when it named none.
std::string CopyNamedIn(const std::string& errors)
{
  const std::string told = "The unsaved changes were written to:\n";
  const size_t start = errors.find(told);
  return start == std::string::npos
             ? std::string()
             : errors.substr(start + told.size(), errors.find('\n', start + told.size()) - start - told.size());
}
}  // namespace

// Instances sharing one profile, each with a changed project: ended by SIGTERM one second apart,
// and then two at once, each names its copy on standard error and lists it, and the next start
// names every copy of them. A setting another instance wrote while they ran outlasts their ends.
TEST_F(ExitTest, InstancesSharingTheProfileHaveEveryCopyNamedAtTheNextStart)
{
  UseDocumentsFolder();
  const std::vector<std::string> offscreen = {"QT_QPA_PLATFORM=offscreen"};
  for (const int instances : {3, 2}) {
    SCOPED_TRACE(std::to_string(instances) + " instances");
    std::vector<std::unique_ptr<CErrorOutput>> outputs;
    std::vector<pid_t> programs;
    for (int i = 0; i < instances; ++i) {
      m_notes = "notes-" + std::to_string(i) + ".txt";
      std::filesystem::remove(NotesPath());
      outputs.push_back(std::make_unique<CErrorOutput>());
      programs.push_back(StartAndWaitForNote("change-and-wait", offscreen, *outputs.back(), "changed"));
      ASSERT_GT(programs.back(), 0);
    }
    if (instances == 3) {
      ASSERT_TRUE(CProfile(ProfilePath()).WriteProfileString("Misc", "WorkbenchHorizontalExtentInInches", "500"));
    }
    for (int i = 0; i < instances; ++i) {
      ::kill(programs[i], SIGTERM);
      if (instances == 3 && i + 1 < instances)
        ::sleep(1);
    }
    std::vector<std::string> copies;
    for (int i = 0; i < instances; ++i) {
      ASSERT_EQ(outputs[i]->Wait(programs[i], kHangSeconds), 0) << outputs[i]->Text();
      copies.push_back(CopyNamedIn(outputs[i]->Text()));
      ASSERT_FALSE(copies.back().empty()) << outputs[i]->Text();
    }
    const CProfile stored(ProfilePath());
    for (const std::string& copy : copies) {
      bool listed = false;
      for (int i = 1; i <= 4; ++i)
        listed = listed || stored.GetProfileString("Recent File List", CString::Formatted("File%d", i)) == copy.c_str();
      EXPECT_TRUE(listed) << copy << " is not in the recent files\n" << Profile();
    }
    if (instances == 3) {
      EXPECT_EQ(stored.GetProfileString("Misc", "WorkbenchHorizontalExtentInInches"), CString("500"))
          << "a setting another instance wrote while these ran was lost at their ends";
    }
    m_notes = "notes.txt";
    ExpectTheNextStartOffers(copies);
  }
}

// A logout's signals while the start names a noted copy end the question unanswered: the copy
// stays noted for a start where somebody answers.
TEST_F(ExitTest, SignalsWhileTheStartNamesACopyKeepItNoted)
{
  const std::string copy = m_dir + "/House.recovered.tpf";
  std::ofstream(copy) << "TPF-";
  std::ofstream(ProfilePath(), std::ios::app)
      << "[Recovery Copies]\nCopy1=" << copy << "\nProject1=" << m_dir << "/House.tpf\n";
  CPrivateDisplay display;
  if (!display.Start())
    GTEST_SKIP() << "no Xvfb on this machine";
  CErrorOutput output;
  const pid_t program =
      StartProgramTellingErrors("signals-in-start-question", display.ChildVariables(), output.WritingEnd());
  output.CloseWritingEnd();
  ASSERT_EQ(output.Wait(program, kHangSeconds), 0) << output.Text();
  EXPECT_NE(ReadText(NotesPath()).find(copy), std::string::npos) << "the start did not name the copy\n"
                                                                 << ReadText(NotesPath());
  EXPECT_NE(Profile().find("Copy1=" + copy + "\n"), std::string::npos)
      << "the question the signals ended forgot the copy\n"
      << Profile();
}

// The end of the session with nobody to ask, and the loss of the X server, under a file-size
// limit smaller than any project: each folder refuses the copy, the program says that no copy
// could be written and gives the system's reason, leaves no temporary file and ends with its
// usual code; of the profile it wrote on the way out only whole writes were made.
class LimitedExitTest : public ExitTest
{
protected:
  void ExpectNoCopyAndNoTemporaryFile(const std::string& documents, const std::string& profile,
                                      const CErrorOutput& output)
  {
    EXPECT_NE(output.Text().find("No copy of the unsaved changes could be written, in the project's folder, the "
                                 "documents folder or the temporary folder, for:\nProj1\nReason:  " +
                                 std::string(std::strerror(EFBIG)) + "\n"),
              std::string::npos)
        << output.Text();
    // Each write of the profile is whole or not at all: those that fit the limit were made.
    EXPECT_EQ(Profile().substr(0, profile.size()), profile);
    for (const std::string& folder : {documents, TemporaryFolder(), m_dir + "/Tarvex Windows"})
      for (const auto& entry : std::filesystem::directory_iterator(folder))
        EXPECT_TRUE(entry.is_directory() || entry.path().filename() == "Panecraft.ini") << entry.path();
  }

  // Starts the program under the limit, waits until the stand-in user has made a change.
  pid_t StartAndChange(const std::string& platform, const std::string& display, CErrorOutput& output)
  {
    return StartAndWaitForNote("change-and-wait", Place(platform, display), output, "changed", kFileSizeLimit);
  }
};

// Whoever sent the signal learns from the exit code that the work was lost.
TEST_F(LimitedExitTest, TheEndOfTheSessionTellsThatNoCopyCouldBeWrittenAndEndsWithItsCode)
{
  const std::string documents = UseDocumentsFolder();
  const std::string profile = Profile();
  CErrorOutput output;
  const pid_t program = StartAndChange("QT_QPA_PLATFORM=offscreen", "", output);
  ASSERT_GT(program, 0);
  ::kill(program, SIGTERM);
  EXPECT_EQ(output.Wait(program), kWorkNotKeptExitCode) << output.Text();
  ExpectNoCopyAndNoTemporaryFile(documents, profile, output);
  EXPECT_NE(output.Text().find("The profile " + ProfilePath() + " cannot be written (File too large)"),
            std::string::npos)
      << output.Text();
}

TEST_F(LimitedExitTest, LosingTheDisplayTellsThatNoCopyCouldBeWrittenAndEndsWithItsCode)
{
  const std::string documents = UseDocumentsFolder();
  const std::string profile = Profile();
  CPrivateDisplay display;
  if (!display.Start())
    GTEST_SKIP() << "no Xvfb on this machine";
  ASSERT_FALSE(display.Name().empty()) << "Xvfb named no display";
  CErrorOutput output;
  const pid_t program = StartAndChange("QT_QPA_PLATFORM=xcb", display.Name(), output);
  ASSERT_GT(program, 0);
  display.Stop();
  EXPECT_EQ(output.Wait(program), kDisplayLostExitCode) << output.Text();
  ExpectNoCopyAndNoTemporaryFile(documents, profile, output);
}
