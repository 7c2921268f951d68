// Start-up: the program started offscreen on the sample catalogue until its main frame is first
// painted, beside a Qt main window showing what the program's main frame shows at that paint,
// made with Qt alone and started the same way in the same run (bench/BareWindow.cpp): as many
// menus and menu items, tool-bar buttons with icons of the same size and status panes, and in its
// MDI client the same child windows of the same sizes (at start the project's design list, a
// form with its list, field and buttons, and a Workbench with its own tool bar, scroll bars and
// dialog bar), all counted from the program itself before the runs. That window lays out and
// measures the same kinds of widgets with the same texts' fonts, so the font configuration and
// the font database are set up in both, and the ratio is what the program adds of its own: its
// splash, whose picture is drawn in two faces of its own, the catalogue's check, its
// preferences, the faces it measures for the status panes and draws the toolbar's help mark in,
// its menus, bars and dialogs built from its tables, and its document, views and frames. The
// program should start in at most 1.5 times that window's time. A bare main window of the same
// size, which paints no text and so never loads the font configuration, is printed for
// comparison with both: Qt's own share of a window like the program's.
// All are the same kind of process (started from nothing, the same Qt libraries and platform
// plug-in) and all report through the same probe, linked into each, which ends the process at
// the first paint of its main window; the time runs from before the fork to the probe's line on
// the pipe. The CPU time is the started program's own (user and system, from wait4), reported in
// the counter the ratios read; the bench itself only waits.
#include <benchmark/benchmark.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "bench/BenchRatio.h"
#include "bench/BenchScratch.h"

namespace {

// A profile folder of its own under $TMPDIR, so that the program starts as on a first run, with
// the defaults; removed with what the programs left in it when the bench ends.
const std::filesystem::path& ProfileFolder()
{
  static const CBenchScratch folder("pcstartup");
  return folder.Path();
}

// What one start took, and what its main window showed: the numbers of the probe's line.
struct CStart
{
  bool shown = false;
  double seconds = 0.0;
  double cpuSeconds = 0.0;
  std::vector<std::string> shows;
};

double Seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; }

// The numbers after "shown" on the probe's line; none when the line is not one.
std::vector<std::string> ShownNumbers(const std::string& line)
{
  std::istringstream words(line);
  std::string word;
  std::vector<std::string> numbers;
  if (!(words >> word) || word != "shown")
    return numbers;
  while (words >> word) {
    if (word.find_first_not_of("-0123456789") != std::string::npos)
      return {};
    numbers.push_back(word);
  }
  return numbers;
}

// Starts the program in the catalogue's folder and waits for the probe's line; not shown when
// the program ended or failed without showing its window.
CStart StartOnce(const char* program, const std::vector<std::string>& arguments)
{
  CStart result;
  const std::string& profile = ProfileFolder().string();
  const std::string runtime = profile + "/runtime";
  int pipeFds[2];
  if (profile.empty() || (::mkdir(runtime.c_str(), 0700) != 0 && errno != EEXIST) || ::pipe(pipeFds) != 0)
    return result;
  std::vector<char*> argv{const_cast<char*>(program)};
  for (const std::string& argument : arguments)
    argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeFds[0]);
    if (::chdir(PANECRAFT_TXDB_DIR) != 0)
      std::_Exit(127);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("XDG_CONFIG_HOME", profile.c_str(), 1);
    // Qt makes a runtime folder in $TMPDIR when none is set: this one goes with the profile.
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    ::setenv("PANECRAFT_STARTUP_FD", std::to_string(pipeFds[1]).c_str(), 1);
    ::execv(program, argv.data());
    std::_Exit(127);
  }
  ::close(pipeFds[1]);
  // The probe writes its line at once, in one piece.
  char line[1024] = {};
  const ssize_t got = child > 0 ? ::read(pipeFds[0], line, sizeof line - 1) : -1;
  const auto end = std::chrono::steady_clock::now();
  ::close(pipeFds[0]);
  int status = 0;
  rusage usage{};
  if (child > 0) {
    if (got <= 0)
      ::kill(child, SIGKILL);
    if (::wait4(child, &status, 0, &usage) != child)
      return result;
  }
  if (got <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return result;
  result.shows = ShownNumbers(line);
  if (result.shows.empty())
    return result;
  result.shown = true;
  result.seconds = std::chrono::duration<double>(end - start).count();
  result.cpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
  return result;
}

// Each start should show the window; a baseline made to show what the program shows should show
// just that, as its own probe counts it.
void Start(benchmark::State& state, const char* program, const std::vector<std::string>& arguments,
           const std::vector<std::string>* shows = nullptr)
{
  double cpuSeconds = 0.0;
  for (auto _ : state) {
    const CStart start = StartOnce(program, arguments);
    if (!start.shown) {
      state.SkipWithError("the program did not show its main window");
      return;
    }
    if (shows && start.shows != *shows) {
      state.SkipWithError("the Qt window did not show what the program shows");
      return;
    }
    state.SetIterationTime(start.seconds);
    cpuSeconds += start.cpuSeconds;
  }
  state.counters[kChildrenCpuCounter] = benchmark::Counter(cpuSeconds, benchmark::Counter::kAvgIterations);
}

// The program's main frame as it is first shown, learnt once from a start of its own.
const CStart& ProgramShown()
{
  static const CStart shown = StartOnce(PANECRAFT_PROBE_PROGRAM, {});
  return shown;
}

// What the label says of the program's main frame: its size, menus, buttons and panes, and its
// child windows, from the numbers as the probe gives them.
std::string Described(const std::vector<std::string>& shows)
{
  if (shows.size() < 9)
    return std::string();
  return shows[0] + "x" + shows[1] + ", " + shows[2] + " menus of " + shows[3] + " items, " + shows[4] +
         " icon buttons, " + shows[7] + " panes, " + shows[8] + " child windows";
}

void BM_BareQtWindow(benchmark::State& state)
{
  const CStart& program = ProgramShown();
  if (!program.shown) {
    state.SkipWithError("the program did not show its main frame to be measured");
    return;
  }
  Start(state, PANECRAFT_BARE_WINDOW, {"bare", program.shows[0], program.shows[1]});
}

void BM_QtWindowLikeTheProgram(benchmark::State& state)
{
  const CStart& program = ProgramShown();
  if (!program.shown) {
    state.SkipWithError("the program did not show its main frame to be counted");
    return;
  }
  state.SetLabel(Described(program.shows));
  std::vector<std::string> arguments{"like"};
  arguments.insert(arguments.end(), program.shows.begin(), program.shows.end());
  Start(state, PANECRAFT_BARE_WINDOW, arguments, &program.shows);
}

void BM_ProgramToMainFrame(benchmark::State& state) { Start(state, PANECRAFT_PROBE_PROGRAM, {}); }

const CBenchRatio kOwn("start-up / Qt window showing the same", "BM_ProgramToMainFrame/min_time:1.000/manual_time",
                       "BM_QtWindowLikeTheProgram/min_time:1.000/manual_time", 1.5);
// Qt's own share: what a window like the program's takes beyond a bare one.
const CBenchComparison kLike("Qt window showing the same / bare Qt window",
                             "BM_QtWindowLikeTheProgram/min_time:1.000/manual_time",
                             "BM_BareQtWindow/min_time:1.000/manual_time");
const CBenchComparison kBare("start-up / bare Qt window", "BM_ProgramToMainFrame/min_time:1.000/manual_time",
                             "BM_BareQtWindow/min_time:1.000/manual_time");

}  // namespace

BENCHMARK(BM_BareQtWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_QtWindowLikeTheProgram)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ProgramToMainFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
