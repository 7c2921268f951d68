// Start-up: the program started offscreen on the sample catalogue until its main frame is first
// painted, beside a bare Qt main window started the same way in the same run, and beside a Qt
// main window with a menu bar, a tool bar and a status bar, which tells Qt's share from ours. Both are the same
// kind of process (started from nothing, the same Qt libraries and platform plug-in) and both
// report through the same probe, linked into each, which ends the process at the first paint of
// its main window; the time runs from before the fork to the probe's line on the pipe.
#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "bench/BenchRatio.h"

namespace {

// A profile folder of its own, so that the program starts as on a first run, with the defaults.
const std::filesystem::path& ProfileFolder()
{
  static const std::filesystem::path folder = [] {
    auto path = std::filesystem::temp_directory_path() / ("pcstartup." + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(ProfileFolder(), ec);
    });
    return path;
  }();
  return folder;
}

// Starts the program in the catalogue's folder and waits for the probe's line; the seconds taken,
// or a negative number when the program ended or failed without showing its window.
double StartOnce(const char* program, const char* argument)
{
  int pipeFds[2];
  if (::pipe(pipeFds) != 0)
    return -1;
  const std::string profile = ProfileFolder().string();
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeFds[0]);
    if (::chdir(PANECRAFT_TXDB_DIR) != 0)
      std::_Exit(127);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("XDG_CONFIG_HOME", profile.c_str(), 1);
    ::setenv("PANECRAFT_STARTUP_FD", std::to_string(pipeFds[1]).c_str(), 1);
    ::execl(program, program, argument, static_cast<char*>(nullptr));
    std::_Exit(127);
  }
  ::close(pipeFds[1]);
  char line[16];
  const ssize_t got = child > 0 ? ::read(pipeFds[0], line, sizeof line) : -1;
  const auto end = std::chrono::steady_clock::now();
  ::close(pipeFds[0]);
  int status = 0;
  if (child > 0) {
    if (got <= 0)
      ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
  }
  if (got <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return -1;
  return std::chrono::duration<double>(end - start).count();
}

void Start(benchmark::State& state, const char* program, const char* argument = nullptr)
{
  for (auto _ : state) {
    const double seconds = StartOnce(program, argument);
    if (seconds < 0) {
      state.SkipWithError("the program did not show its main window");
      break;
    }
    state.SetIterationTime(seconds);
  }
}

void BM_BareQtWindow(benchmark::State& state) { Start(state, PANECRAFT_BARE_WINDOW); }
void BM_QtWindowWithBars(benchmark::State& state) { Start(state, PANECRAFT_BARE_WINDOW, "bars"); }
void BM_ProgramToMainFrame(benchmark::State& state) { Start(state, PANECRAFT_PROBE_PROGRAM); }

const CBenchRatio kStartup("start-up / bare Qt window", "BM_ProgramToMainFrame/min_time:1.000/manual_time",
                           "BM_BareQtWindow/min_time:1.000/manual_time", 1.5);
// What of it Qt itself needs for a main window with bars and text, and what is left to the program.
const CBenchRatio kBars("Qt window with bars / bare Qt window", "BM_QtWindowWithBars/min_time:1.000/manual_time",
                        "BM_BareQtWindow/min_time:1.000/manual_time", 1.5);
const CBenchRatio kOwn("start-up / Qt window with bars", "BM_ProgramToMainFrame/min_time:1.000/manual_time",
                       "BM_QtWindowWithBars/min_time:1.000/manual_time", 1.5);

}  // namespace

BENCHMARK(BM_BareQtWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_QtWindowWithBars)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ProgramToMainFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
