// A user's first open of a design in a new process: the program started offscreen on the sample
// catalogue with a project of designs of 50, 500 and 5,000 awnings, its main window as large as a
// user's, and once it is first painted one of the designs opened from the design list on the
// Workbench until painted (Edit Design), beside the same open in a program that has opened an
// equal design before and left it for a new one (Create Design), in the same run. What the first
// open costs beyond that one is what the process pays once, on the first use of what an open
// needs (memory the process never had, the catalogue's tables, lookups kept after the first,
// fonts): the first open should cost at most 1.5 times the later one at every size. The same for
// the first Elevation shown after the open with the whole design selected, beside the Elevation
// of a program that has shown one before. Each run is a process of its own
// (bench/DesignOpenProbe.cpp, linked into the program, times the open within it and ends the
// process at once); the times are the open's own, the CPU time taken in the process around it
// and reported in the counter the ratios read. The program runs offscreen unless QT_QPA_PLATFORM
// names another platform: `QT_QPA_PLATFORM=xcb DISPLAY=:N design_open_bench` times the opens on
// an X server with a window manager, as a user's program runs. There the first open costs about
// as much beyond the later one as offscreen (about 20 ms of CPU at 5,000 awnings), almost
// all of it the kernel's faults on heap the process never had: the program's paint, fonts and
// window set-up cost the same in both.
#include <benchmark/benchmark.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "bench/BenchAwnings.h"
#include "bench/BenchProjectFile.h"
#include "bench/BenchRatio.h"
#include "bench/BenchScratch.h"
#include "bench/BenchServices.h"
#include "bench/BenchSetup.h"

namespace {

constexpr double kMargin = 10.0;
// Rows close enough that 5,000 awnings fit the Workbench's world.
constexpr double kRowStep = 14.0;
constexpr int kRunsPerRound = 6;

// The profile, the runtime folder and the projects under $TMPDIR, removed when the bench ends.
const std::filesystem::path& Scratch()
{
  static const CBenchScratch folder("pcopen");
  return folder.Path();
}

CString DesignName(int units) { return CString::Formatted("Awnings %d", units); }
CString EarlierDesignName(int units) { return CString::Formatted("Awnings %d, opened before", units); }

// The classes and catalogue the bench makes its projects with, set up once.
struct CMaker
{
  CMaker() { bench::SetUpDesignBench(services, dialogs, PANECRAFT_TXDB_DIR); }
  CBenchServices services;
  CScriptedDialogService dialogs;
};

// A project holding two equal designs of that many awnings, made once.
const std::string& ProjectOf(int units)
{
  static std::map<int, std::string> projects;
  std::string& path = projects[units];
  if (!path.empty())
    return path;
  static CMaker maker;
  CDoc doc;
  doc.OnNewDocument();
  doc.AddDesign(bench::MakeAwningsDesign(DesignName(units), units, kMargin, kRowStep));
  doc.AddDesign(bench::MakeAwningsDesign(EarlierDesignName(units), units, kMargin, kRowStep));
  const std::string made = (Scratch() / ("awnings" + std::to_string(units) + ".tpf")).string();
  if (!doc.OnSaveDocument(made.c_str()))
    std::abort();
  path = made;
  return path;
}

struct COpen
{
  bool done = false;
  double cpuSeconds = 0.0;
  double seconds = 0.0;
};

// What the probe's line says: the word, the units on the Workbench, CPU and wall seconds.
COpen ReadLine(const std::string& line, const char* word, int units)
{
  std::istringstream words(line);
  std::string said;
  int shown = 0;
  COpen open;
  if (words >> said >> shown >> open.cpuSeconds >> open.seconds)
    open.done = said == word && shown == units;
  return open;
}

// Starts the program with the project as a first run would (a profile of its own, the defaults)
// and waits for the probe's line.
COpen RunOnce(int units, bool before, bool elevation)
{
  const std::string& project = ProjectOf(units);
  const std::string profile = (Scratch() / "profile").string();
  const std::string runtime = (Scratch() / "runtime").string();
  int pipeFds[2];
  if ((::mkdir(profile.c_str(), 0700) != 0 && errno != EEXIST) ||
      (::mkdir(runtime.c_str(), 0700) != 0 && errno != EEXIST) || ::pipe(pipeFds) != 0)
    return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeFds[0]);
    // The offscreen platform's notes on what it cannot do would fill the bench's output.
    if (const int quiet = ::open("/dev/null", O_WRONLY); quiet >= 0)
      ::dup2(quiet, STDERR_FILENO);
    if (::chdir(PANECRAFT_TXDB_DIR) != 0)
      std::_Exit(127);
    // Offscreen unless the caller names a platform: with xcb and a DISPLAY the program opens on
    // that X server as a user's does.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::setenv("XDG_CONFIG_HOME", profile.c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    ::setenv("PANECRAFT_OPEN_FD", std::to_string(pipeFds[1]).c_str(), 1);
    ::setenv("PANECRAFT_OPEN_DESIGN", DesignName(units).c_str(), 1);
    if (before)
      ::setenv("PANECRAFT_OPEN_BEFORE", EarlierDesignName(units).c_str(), 1);
    if (elevation)
      ::setenv("PANECRAFT_OPEN_ELEVATION", "1", 1);
    ::execl(PANECRAFT_OPEN_PROGRAM, PANECRAFT_OPEN_PROGRAM, project.c_str(), static_cast<char*>(nullptr));
    std::_Exit(127);
  }
  ::close(pipeFds[1]);
  char line[256] = {};
  const ssize_t got = child > 0 ? ::read(pipeFds[0], line, sizeof line - 1) : -1;
  ::close(pipeFds[0]);
  int status = 0;
  if (child > 0) {
    if (got <= 0)
      ::kill(child, SIGKILL);
    if (::waitpid(child, &status, 0) != child)
      return {};
  }
  if (got <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return {};
  return ReadLine(line, elevation ? "elevation" : "opened", units);
}

void Open(benchmark::State& state, bool before, bool elevation)
{
  const int units = static_cast<int>(state.range(0));
  double cpuSeconds = 0.0;
  for (auto _ : state) {
    const COpen open = RunOnce(units, before, elevation);
    if (!open.done) {
      state.SkipWithError(elevation ? "the program did not show the Elevation of the opened design"
                                    : "the program did not open the design on the Workbench");
      return;
    }
    state.SetIterationTime(open.seconds);
    cpuSeconds += open.cpuSeconds;
  }
  state.counters[kChildrenCpuCounter] = benchmark::Counter(cpuSeconds, benchmark::Counter::kAvgIterations);
}

void FirstOpen(benchmark::State& state) { Open(state, false, false); }
void LaterOpen(benchmark::State& state) { Open(state, true, false); }
void FirstElevation(benchmark::State& state) { Open(state, false, true); }
void LaterElevation(benchmark::State& state) { Open(state, true, true); }

void Sizes(benchmark::internal::Benchmark* b)
{
  b->Arg(50)->Arg(500)->Arg(5000)->UseManualTime()->Iterations(kRunsPerRound)->Unit(benchmark::kMillisecond);
}

std::string Name(const char* benchmark, int units)
{
  return std::string(benchmark) + "/" + std::to_string(units) + "/iterations:" + std::to_string(kRunsPerRound) +
         "/manual_time";
}

const CBenchRatio kOpen50("first open / later open, 50 awnings", Name("FirstOpen", 50), Name("LaterOpen", 50), 1.5);
const CBenchRatio kOpen500("first open / later open, 500 awnings", Name("FirstOpen", 500), Name("LaterOpen", 500), 1.5);
const CBenchRatio kOpen5000("first open / later open, 5,000 awnings", Name("FirstOpen", 5000), Name("LaterOpen", 5000),
                            1.5);
const CBenchRatio kElevation50("first Elevation / later, 50 awnings", Name("FirstElevation", 50),
                               Name("LaterElevation", 50), 1.5);
const CBenchRatio kElevation500("first Elevation / later, 500 awnings", Name("FirstElevation", 500),
                                Name("LaterElevation", 500), 1.5);
const CBenchRatio kElevation5000("first Elevation / later, 5,000 awnings", Name("FirstElevation", 5000),
                                 Name("LaterElevation", 5000), 1.5);

}  // namespace

BENCHMARK(FirstOpen)->Apply(Sizes);
BENCHMARK(LaterOpen)->Apply(Sizes);
BENCHMARK(FirstElevation)->Apply(Sizes);
BENCHMARK(LaterElevation)->Apply(Sizes);
