// One open and save of a project in a process of its own, as a freshly started program's first
// save meets them: the allocator's thresholds and the caches as a new process has them, which a
// bench that repeats the save in one process never sees again.
//   open_save_once make FILE [DESIGNS]   writes the document bench's project of DESIGNS stored
//                                        designs (1,000 unless given)
//   open_save_once open-save FILE        the set-up, one open and save of FILE, and the exit
//   open_save_once set-up                the set-up and the exit alone
// Timed as whole processes over many runs (e.g. `perf stat -r 100 open_save_once open-save
// /dev/shm/p.tpf`), open-save beside set-up tells what the open and save add to such a process;
// open-save also prints the wall and CPU milliseconds of the open and save alone, taken around
// them.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>

#include "bench/BenchProjectFile.h"
#include "bench/BenchServices.h"
#include "bench/BenchSetup.h"
#include "document/Doc.h"
#include "ui/dlg/DialogService.h"

namespace {

constexpr int kDefaultDesigns = 1000;

double CpuSeconds()
{
  timespec now{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

int Usage()
{
  std::fprintf(stderr, "usage: open_save_once make FILE [DESIGNS] | open-save FILE | set-up\n");
  return 2;
}

int OpenAndSave(const char* path)
{
  const auto wallStart = std::chrono::steady_clock::now();
  const double cpuStart = CpuSeconds();
  auto doc = std::make_unique<CDoc>();
  const bool done = doc->OnOpenDocument(path) && doc->OnSaveDocument(path);
  doc.reset();
  const double cpu = CpuSeconds() - cpuStart;
  const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wallStart;
  if (!done) {
    std::fprintf(stderr, "open_save_once: the open or the save of %s failed\n", path);
    return 1;
  }
  std::printf("open+save %.3f ms, cpu %.3f ms\n", wall.count() * 1e3, cpu * 1e3);
  return 0;
}

}  // namespace

int main(int argc, char** argv)
{
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode != "make" && mode != "open-save" && mode != "set-up")
    return Usage();
  if ((mode == "set-up") != (argc == 2) || argc > (mode == "make" ? 4 : 3))
    return Usage();
  CBenchServices services;
  CScriptedDialogService dialogs;
  bench::SetUpDesignBench(services, dialogs, PANECRAFT_TXDB_DIR);
  if (mode == "set-up")
    return 0;
  if (mode == "open-save")
    return OpenAndSave(argv[2]);
  const int designs = argc > 3 ? std::atoi(argv[3]) : kDefaultDesigns;
  if (designs <= 0)
    return Usage();
  if (!bench::SaveBenchProject(bench::DistinctDesigns(), designs, argv[2])) {
    std::fprintf(stderr, "open_save_once: the project could not be written to %s\n", argv[2]);
    return 1;
  }
  return 0;
}
