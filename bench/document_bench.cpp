// Opening and saving projects of 1,000, 10,000 and 100,000 stored designs of realistic size (four
// units with options and a join each), each beside a plain read of the same file and a write of
// the same bytes to a file of its own, in the same run. Without sync both sides work on a memory
// file system, where the project's syncs cost nothing, so that its own work (parsing, the
// checksum, the temporary file, the lock and the rename) is what is compared; the synced variant
// works on the disk with the plain write synced (file and folder) as the project's save is.
// Repeated in a loop, the 7 MB of 10,000 designs stay in the processor's caches and the 70 MB of
// 100,000 do not, which no program working on the bytes escapes; the cold variant sweeps the
// caches before each timed iteration on both sides, as a user's open finds them. The open and
// save should cost at most four times the plain read and write at every size, warm, cold and
// synced, and its growth from 10,000 to 100,000 designs should be at most 1.1 times the plain
// traffic's own growth, warm and cold. Every benchmark runs with the allocator in one fixed state
// (below); what a new process's first open and save of the 1,000 designs costs is measured whole,
// a process at a time, by open_save_once (bench/OpenSaveOnce.cpp).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <malloc.h>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "bench/BenchProjectFile.h"
#include "bench/BenchRatio.h"
#include "bench/BenchServices.h"
#include "bench/BenchSetup.h"
#include "document/Doc.h"
#include "ui/dlg/DialogService.h"
#include "project/DocServices.h"

namespace {

// glibc's allocator raises its mmap threshold to the size of each larger mapped block freed, and
// its trim threshold to twice that, so the first large buffer a benchmark frees changes what the
// allocations of every benchmark after it cost: the 1k open+save took 3.4-4.4 ms before the plain
// side first freed its 0.7 MB buffer and 0.9 ms after, so whichever ran first in the process paid
// for the allocator's start, and the first round's ratio came out 16.7-21.9. Both thresholds are
// therefore set before the bench allocates anything, which stops the allocator from moving them,
// and every pair runs from the same state whatever ran before it. They are set to the most the
// allocator takes (32 MiB, and twice that to trim), where both sides take a buffer of the 1k or 10k
// file from memory the process already has, so that the ratio compares the work done on the bytes.
// At the starting values (128 KiB) each side would map and unmap its large buffers in every
// iteration, and the ratio would mostly compare page faults: the plain side's one buffer alone then
// costs many times its read and write where faults are slow. The program itself keeps lower
// thresholds (its windows raise them to about half a megabyte), where a buffer the size of the 1k
// file is mapped afresh; what one open and save costs in a new process is measured by
// open_save_once.
constexpr int kMmapThreshold = 32 << 20;
constexpr int kTrimThreshold = 2 * kMmapThreshold;

bool FixAllocatorThresholds()
{
  if (::mallopt(M_MMAP_THRESHOLD, kMmapThreshold) == 1 && ::mallopt(M_TRIM_THRESHOLD, kTrimThreshold) == 1)
    return true;
  std::fprintf(stderr, "document_bench: the allocator's thresholds could not be set\n");
  std::exit(1);
}

[[maybe_unused]] const bool kAllocatorFixed = FixAllocatorThresholds();

// Registrations and a few dozen distinct designs, made once.
struct CBenchSetup
{
  CBenchSetup()
  {
    bench::SetUpDesignBench(services, dialogs, PANECRAFT_TXDB_DIR);
    designs = bench::DistinctDesigns();
  }
  CBenchServices services;
  CScriptedDialogService dialogs;
  std::vector<CDesignStore> designs;
};

CBenchSetup& Setup()
{
  static CBenchSetup setup;
  return setup;
}

// A memory file system where there is one, so that syncs cost nothing.
std::filesystem::path MemoryFolder()
{
  std::error_code ec;
  return std::filesystem::is_directory("/dev/shm", ec) ? std::filesystem::path("/dev/shm")
                                                       : std::filesystem::temp_directory_path();
}

struct CBenchProject
{
  CBenchProject(int designs, const std::filesystem::path& under)
  {
    folder = under / ("pcbench." + std::to_string(::getpid()) + "." + std::to_string(designs));
    std::filesystem::create_directories(folder);
    path = (folder / "bench.tpf").string();
    copy = (folder / "copy.tpf").string();
    if (!bench::SaveBenchProject(Setup().designs, designs, path.c_str()))
      std::abort();
    size = std::filesystem::file_size(path);
  }
  ~CBenchProject()
  {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }

  std::filesystem::path folder;
  std::string path;
  std::string copy;
  uintmax_t size = 0;
};

// One project per size and place, made when first measured and removed with its folder at exit.
CBenchProject& Project(const benchmark::State& state, bool onDisk)
{
  static std::map<std::pair<int, bool>, std::unique_ptr<CBenchProject>> projects;
  const int designs = static_cast<int>(state.range(0));
  auto& project = projects[{designs, onDisk}];
  if (!project)
    project =
        std::make_unique<CBenchProject>(designs, onDisk ? std::filesystem::temp_directory_path() : MemoryFolder());
  return *project;
}

// Reads and writes a buffer larger than the last-level cache, which leaves neither the bytes of
// the previous iteration nor their address translations cached.
void SweepCaches()
{
  static std::vector<char> sweep(std::size_t{1} << 30, 1);
  for (std::size_t i = 0; i < sweep.size(); i += 64)
    sweep[i] = static_cast<char>(sweep[i] + 1);
  benchmark::DoNotOptimize(sweep.data());
  benchmark::ClobberMemory();
}

// Before a timed iteration: the caches swept, outside the time, when measuring cold.
void StartIteration(benchmark::State& state, bool cold)
{
  if (!cold)
    return;
  state.PauseTiming();
  SweepCaches();
  state.ResumeTiming();
}

void OpenAndSave(benchmark::State& state, bool onDisk, bool cold = false)
{
  CBenchProject& project = Project(state, onDisk);
  for (auto _ : state) {
    StartIteration(state, cold);
    auto doc = std::make_unique<CDoc>();
    if (!doc->OnOpenDocument(project.path.c_str()) || !doc->OnSaveDocument(project.path.c_str()))
      state.SkipWithError("open or save failed");
    benchmark::DoNotOptimize(doc->GetDesignCount());
  }
  // The project wrote as many bytes as it read (only the save time within them changes).
  if (std::filesystem::file_size(project.path) != project.size)
    state.SkipWithError("the saved project differs in size");
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(project.size));
  state.counters["bytes/design"] = static_cast<double>(project.size) / static_cast<double>(state.range(0));
}

void BM_ProjectOpenAndSave(benchmark::State& state) { OpenAndSave(state, false); }
void BM_ProjectOpenAndSaveSynced(benchmark::State& state) { OpenAndSave(state, true); }
void BM_ProjectOpenAndSaveCold(benchmark::State& state) { OpenAndSave(state, false, true); }

// The two halves on their own: opening into a new document, and saving an open one.
void BM_ProjectOpen(benchmark::State& state)
{
  CBenchProject& project = Project(state, false);
  for (auto _ : state) {
    auto doc = std::make_unique<CDoc>();
    if (!doc->OnOpenDocument(project.path.c_str()))
      state.SkipWithError("open failed");
  }
}

void BM_ProjectSave(benchmark::State& state)
{
  CBenchProject& project = Project(state, false);
  auto doc = std::make_unique<CDoc>();
  if (!doc->OnOpenDocument(project.path.c_str()))
    state.SkipWithError("open failed");
  for (auto _ : state)
    if (!doc->OnSaveDocument(project.path.c_str()))
      state.SkipWithError("save failed");
}

// The same bytes read whole and written back to a file of their own, with or without the syncs
// (file and folder) that make a save durable. The bytes written are compared with the file.
void PlainReadWrite(benchmark::State& state, bool onDisk, bool cold = false)
{
  CBenchProject& project = Project(state, onDisk);
  const bool sync = onDisk;
  for (auto _ : state) {
    StartIteration(state, cold);
    std::vector<char> bytes(std::filesystem::file_size(project.path));
    int in = ::open(project.path.c_str(), O_RDONLY);
    ssize_t got = ::read(in, bytes.data(), bytes.size());
    ::close(in);
    int out = ::open(project.copy.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ssize_t put = ::write(out, bytes.data(), bytes.size());
    if (sync)
      ::fsync(out);
    ::close(out);
    if (sync) {
      int folder = ::open(project.folder.c_str(), O_RDONLY | O_DIRECTORY);
      ::fsync(folder);
      ::close(folder);
    }
    if (got != static_cast<ssize_t>(bytes.size()) || put != got)
      state.SkipWithError("plain read or write failed");
  }
  if (std::filesystem::file_size(project.copy) != project.size)
    state.SkipWithError("the copy differs in size");
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(project.size));
}

void BM_PlainReadWrite(benchmark::State& state) { PlainReadWrite(state, false); }
void BM_PlainReadWriteSynced(benchmark::State& state) { PlainReadWrite(state, true); }
void BM_PlainReadWriteCold(benchmark::State& state) { PlainReadWrite(state, false, true); }

// Each size's baseline and project run side by side.
void Sizes(benchmark::internal::Benchmark* b) { b->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond); }

const CBenchRatio kRatio1k("open+save / plain read+write, 1k", "BM_ProjectOpenAndSave/1000", "BM_PlainReadWrite/1000",
                           4.0);
const CBenchRatio kRatio10k("open+save / plain read+write, 10k", "BM_ProjectOpenAndSave/10000",
                            "BM_PlainReadWrite/10000", 4.0);
const CBenchRatio kRatio100k("open+save / plain read+write, 100k", "BM_ProjectOpenAndSave/100000",
                             "BM_PlainReadWrite/100000", 4.0);
const CBenchGrowth kGrowth("open+save 100k / 10k, over the plain's",
                           {"BM_ProjectOpenAndSave/100000", "BM_ProjectOpenAndSave/10000"},
                           {"BM_PlainReadWrite/100000", "BM_PlainReadWrite/10000"}, 1.1);
const CBenchRatio kCold1k("cold open+save / cold plain, 1k", "BM_ProjectOpenAndSaveCold/1000/iterations:12",
                          "BM_PlainReadWriteCold/1000/iterations:12", 4.0);
const CBenchRatio kCold10k("cold open+save / cold plain, 10k", "BM_ProjectOpenAndSaveCold/10000/iterations:12",
                           "BM_PlainReadWriteCold/10000/iterations:12", 4.0);
const CBenchRatio kCold100k("cold open+save / cold plain, 100k", "BM_ProjectOpenAndSaveCold/100000/iterations:12",
                            "BM_PlainReadWriteCold/100000/iterations:12", 4.0);
const CBenchGrowth
    kColdGrowth("cold open+save 100k / 10k, over the plain's",
                {"BM_ProjectOpenAndSaveCold/100000/iterations:12", "BM_ProjectOpenAndSaveCold/10000/iterations:12"},
                {"BM_PlainReadWriteCold/100000/iterations:12", "BM_PlainReadWriteCold/10000/iterations:12"}, 1.1);
// The synced variants wait for the disk, which CPU time does not see: they are judged on the
// wall clock.
const CBenchRatio kSynced1k("synced open+save / plain synced, 1k", "BM_ProjectOpenAndSaveSynced/1000",
                            "BM_PlainReadWriteSynced/1000", 4.0, CBenchRatio::atMost, CBenchRatio::wallTime);
const CBenchRatio kSynced10k("synced open+save / plain synced, 10k", "BM_ProjectOpenAndSaveSynced/10000",
                             "BM_PlainReadWriteSynced/10000", 4.0, CBenchRatio::atMost, CBenchRatio::wallTime);
const CBenchRatio kSynced100k("synced open+save / plain synced, 100k", "BM_ProjectOpenAndSaveSynced/100000",
                              "BM_PlainReadWriteSynced/100000", 4.0, CBenchRatio::atMost, CBenchRatio::wallTime);

}  // namespace

BENCHMARK(BM_PlainReadWrite)->Apply(Sizes);
BENCHMARK(BM_ProjectOpenAndSave)->Apply(Sizes);
BENCHMARK(BM_PlainReadWriteSynced)->Apply(Sizes);
BENCHMARK(BM_ProjectOpenAndSaveSynced)->Apply(Sizes);
// A fixed count: each iteration sweeps a gigabyte outside its time.
BENCHMARK(BM_PlainReadWriteCold)->Apply(Sizes)->Iterations(12);
BENCHMARK(BM_ProjectOpenAndSaveCold)->Apply(Sizes)->Iterations(12);
BENCHMARK(BM_ProjectOpen)->Apply(Sizes);
BENCHMARK(BM_ProjectSave)->Apply(Sizes);
