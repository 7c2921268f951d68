// Start-up: the program started offscreen on the sample catalogue until its main frame is first
// painted, beside a bare Qt main window started the same way in the same run, and beside a Qt
// main window with as many menus and menu items, tool-bar buttons with icons of the same size and
// status panes as the program's main frame shows at start (counted from the program itself before
// the runs), which tells Qt's share from ours. All are the same kind of process (started from
// nothing, the same Qt libraries and platform plug-in) and all report through the same probe,
// linked into each, which ends the process at the first paint of its main window; the time runs
// from before the fork to the probe's line on the pipe. The CPU time is the started program's own (user and system, from
// wait4), reported in the counter the ratios read; the bench itself only waits. The program
// should start in at most 1.5 times the time of the window with as many bars; the bars' own cost
// to Qt is printed for comparison. The bare window paints no text, so it never loads the font
// configuration and the font database, which every window with a menu does (about 5.5 of the
// 21 ms the window with bars takes, 1.7 to 1.8 times the bare window's): against the bare window
// the program is held to 1.5 times that, 2.6. Beyond what the window with bars shows, the
// program shows at start its splash (its picture in two faces of its own), checks the catalogue,
// reads its preferences and opens the design list and a Workbench with its own tool bar and
// dialog bar.
#include <benchmark/benchmark.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// What one start took, and what its main window showed.
struct CStart
{
  bool shown = false;
  double seconds = 0.0;
  double cpuSeconds = 0.0;
  int menus = 0;
  int items = 0;
  int buttons = 0;
  int iconWidth = 0;
  int iconHeight = 0;
  int panes = 0;
};

double Seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; }

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
  char line[64] = {};
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
  if (got <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
      std::sscanf(line, "shown %d %d %d %d %d %d", &result.menus, &result.items, &result.buttons, &result.iconWidth,
                  &result.iconHeight, &result.panes) != 6)
    return result;
  result.shown = true;
  result.seconds = std::chrono::duration<double>(end - start).count();
  result.cpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
  return result;
}

void Start(benchmark::State& state, const char* program, const std::vector<std::string>& arguments)
{
  double cpuSeconds = 0.0;
  for (auto _ : state) {
    const CStart start = StartOnce(program, arguments);
    if (!start.shown) {
      state.SkipWithError("the program did not show its main window");
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

void BM_BareQtWindow(benchmark::State& state) { Start(state, PANECRAFT_BARE_WINDOW, {}); }

void BM_QtWindowWithBars(benchmark::State& state)
{
  const CStart& program = ProgramShown();
  if (!program.shown) {
    state.SkipWithError("the program did not show its main frame to be counted");
    return;
  }
  state.SetLabel(std::to_string(program.menus) + " menus of " + std::to_string(program.items) + " items, " +
                 std::to_string(program.buttons) + " icon buttons, " + std::to_string(program.panes) + " panes");
  Start(state, PANECRAFT_BARE_WINDOW,
        {"bars", std::to_string(program.menus), std::to_string(program.items), std::to_string(program.buttons),
         std::to_string(program.iconWidth), std::to_string(program.iconHeight), std::to_string(program.panes)});
}

void BM_ProgramToMainFrame(benchmark::State& state) { Start(state, PANECRAFT_PROBE_PROGRAM, {}); }

const CBenchRatio kStartup("start-up / bare Qt window, no text", "BM_ProgramToMainFrame/min_time:1.000/manual_time",
                           "BM_BareQtWindow/min_time:1.000/manual_time", 2.6);
// What of it Qt itself needs for a main window with the same bars, and what is left to the program.
const CBenchComparison kBars("Qt window with bars / bare Qt window", "BM_QtWindowWithBars/min_time:1.000/manual_time",
                             "BM_BareQtWindow/min_time:1.000/manual_time");
const CBenchRatio kOwn("start-up / Qt window with bars", "BM_ProgramToMainFrame/min_time:1.000/manual_time",
                       "BM_QtWindowWithBars/min_time:1.000/manual_time", 1.5);

}  // namespace

BENCHMARK(BM_BareQtWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_QtWindowWithBars)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ProgramToMainFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
