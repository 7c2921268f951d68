// Opening and saving projects of 1,000, 10,000 and 100,000 stored designs, each beside a plain
// read and write of the same file in the same run: the project's own work (parsing, checksums,
// the atomic replace with its sync) should stay within a few times the bare file traffic, at
// every size.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "bench/BenchServices.h"
#include "document/Doc.h"
#include "platform/core/Coreclass.h"
#include "platform/ui/dlg/DialogService.h"
#include "productdb/txrecobj.h"
#include "project/DocServices.h"
#include "project/Projreg.h"

namespace {

struct CBenchProject
{
  explicit CBenchProject(int designs)
  {
    SetDocServices(&services);
    SetDialogService(&dialogs);
    CTXRecObj::SetDatabaseDirectory(PANECRAFT_TXDB_DIR);
    RegisterCoreClasses();
    RegisterProjectClasses();
    folder = std::filesystem::temp_directory_path() /
             ("pcbench." + std::to_string(::getpid()) + "." + std::to_string(designs));
    std::filesystem::create_directories(folder);
    path = (folder / "bench.tpf").string();
    copy = (folder / "copy.tpf").string();
    CDoc doc;
    doc.OnNewDocument();
    for (int i = 0; i < designs; ++i) {
      CDesign design;
      design.SetName(CString::Formatted("Design %06d", i));
      design.GetDesignData().SetQuantity(1 + i % 5);
      CDesignStore store;
      store.Store(&design);
      doc.AddDesign(store);
    }
    if (!doc.OnSaveDocument(path.c_str()))
      std::abort();
  }
  ~CBenchProject()
  {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }

  CBenchServices services;
  CScriptedDialogService dialogs;
  std::filesystem::path folder;
  std::string path;
  std::string copy;
};

// One project per size, made when first measured and removed with its folder at exit.
CBenchProject& Project(const benchmark::State& state)
{
  static std::map<int, std::unique_ptr<CBenchProject>> projects;
  const int designs = static_cast<int>(state.range(0));
  auto& project = projects[designs];
  if (!project)
    project = std::make_unique<CBenchProject>(designs);
  return *project;
}

void BM_ProjectOpenAndSave(benchmark::State& state)
{
  CBenchProject& project = Project(state);
  for (auto _ : state) {
    auto doc = std::make_unique<CDoc>();
    if (!doc->OnOpenDocument(project.path.c_str()) || !doc->OnSaveDocument(project.path.c_str()))
      state.SkipWithError("open or save failed");
    benchmark::DoNotOptimize(doc->GetDesignCount());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(project.path)));
}

// The two halves on their own: opening into a new document, and saving an open one.
void BM_ProjectOpen(benchmark::State& state)
{
  CBenchProject& project = Project(state);
  for (auto _ : state) {
    auto doc = std::make_unique<CDoc>();
    if (!doc->OnOpenDocument(project.path.c_str()))
      state.SkipWithError("open failed");
  }
}

void BM_ProjectSave(benchmark::State& state)
{
  CBenchProject& project = Project(state);
  auto doc = std::make_unique<CDoc>();
  if (!doc->OnOpenDocument(project.path.c_str()))
    state.SkipWithError("open failed");
  for (auto _ : state)
    if (!doc->OnSaveDocument(project.path.c_str()))
      state.SkipWithError("save failed");
}

// The same bytes read whole and written back to a file of their own, with or without the syncs
// (file and folder) that make a save durable.
void PlainReadWrite(benchmark::State& state, bool sync)
{
  CBenchProject& project = Project(state);
  for (auto _ : state) {
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
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(project.path)));
}

void BM_PlainReadWrite(benchmark::State& state) { PlainReadWrite(state, false); }
void BM_PlainReadWriteSynced(benchmark::State& state) { PlainReadWrite(state, true); }

}  // namespace

// Each size's baseline and project runs side by side.
void Sizes(benchmark::internal::Benchmark* b) { b->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond); }

BENCHMARK(BM_PlainReadWriteSynced)->Apply(Sizes);
BENCHMARK(BM_ProjectOpenAndSave)->Apply(Sizes);
BENCHMARK(BM_PlainReadWrite)->Apply(Sizes);
BENCHMARK(BM_ProjectOpen)->Apply(Sizes);
BENCHMARK(BM_ProjectSave)->Apply(Sizes);
