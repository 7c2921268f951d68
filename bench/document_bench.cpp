// Opening and saving a project of 1,000 stored designs, beside a plain read and write of the same
// file in the same run: the project's own work (parsing, checksums, the atomic replace with its
// sync) should stay within a few times the bare file traffic.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "document/Doc.h"
#include "platform/core/Coreclass.h"
#include "platform/ui/dlg/DialogService.h"
#include "productdb/txrecobj.h"
#include "project/DocServices.h"
#include "project/Projreg.h"

namespace {

constexpr int kDesigns = 1000;

class CBenchServices : public CDocServices
{
public:
  CString GetProductName() const override { return "Panecraft"; }
  CString GetProductDataVersion() const override { return "1998.06 Sample"; }
  CString GetSpecificationVersion() const override { return "2.04"; }
  CString GetDatePopulated() const override { return "06/15/1998"; }
  CString GetContact() const override { return "Bench"; }
  int GetMeasurementUnits() const override { return 0; }
  void ShowDbVersionDialog(const CDocVersion&) override {}
  BOOL AskNewDesignName(CString&, BOOL) override { return FALSE; }
  void CloseInitialUntitledProject() override {}
};

struct CBenchProject
{
  CBenchProject()
  {
    SetDocServices(&services);
    SetDialogService(&dialogs);
    CTXRecObj::SetDatabaseDirectory(PANECRAFT_TXDB_DIR);
    RegisterCoreClasses();
    RegisterProjectClasses();
    folder = std::filesystem::temp_directory_path() / ("pcbench." + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    path = (folder / "bench.tpf").string();
    copy = (folder / "copy.tpf").string();
    CDoc doc;
    doc.OnNewDocument();
    for (int i = 0; i < kDesigns; ++i) {
      CDesign design;
      design.SetName(CString::Formatted("Design %04d", i));
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

CBenchProject& Project()
{
  static CBenchProject project;
  return project;
}

void BM_ProjectOpenAndSave(benchmark::State& state)
{
  CBenchProject& project = Project();
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
  CBenchProject& project = Project();
  for (auto _ : state) {
    auto doc = std::make_unique<CDoc>();
    if (!doc->OnOpenDocument(project.path.c_str()))
      state.SkipWithError("open failed");
  }
}

void BM_ProjectSave(benchmark::State& state)
{
  CBenchProject& project = Project();
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
  CBenchProject& project = Project();
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

} // namespace

BENCHMARK(BM_PlainReadWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainReadWriteSynced)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProjectOpenAndSave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProjectOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProjectSave)->Unit(benchmark::kMillisecond);
