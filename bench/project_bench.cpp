// Adding designs to a project and finding them by name, at 1,000, 10,000 and 100,000 designs,
// each beside a baseline in the same run: the same copies appended to a plain vector with their
// case-folded names in a plain hash set, and the same names looked up in a plain hash map. The project keeps its naming rule (no
// two names equal without regard to case) through its name index, so each add and each find
// costs about the same at every size: the growth of adding all the designs and of one find, from
// 1,000 to 10,000 and to 100,000 designs, should each be at most 1.5 times its baseline's own
// growth between the same sizes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "bench/BenchRatio.h"
#include "bench/BenchServices.h"
#include "platform/core/Coreclass.h"
#include "productdb/txrecobj.h"
#include "project/DocServices.h"
#include "project/Project.h"
#include "project/Projreg.h"

namespace {

class CBenchHost : public CProjectHost
{
public:
  Answer AskStoreChanges(const CString&, BOOL) override { return answerNo; }
  Answer AskReplace(const CString&, BOOL) override { return answerNo; }
  void ReportUnreadable(const CString&) override {}
  void ReportNotStored(const CString&, std::exception_ptr) override {}
  void OnDesignAdded(const CString&) override {}
  void OnDesignDeleting(const CString&) override {}
  void OnDesignRenamed(const CString&, const CString&) override {}
};

// One stored design under n names.
struct CBenchDesigns
{
  explicit CBenchDesigns(int n)
  {
    static CBenchServices services;
    SetDocServices(&services);
    CTXRecObj::SetDatabaseDirectory(PANECRAFT_TXDB_DIR);
    RegisterCoreClasses();
    RegisterProjectClasses();
    CDesign design;
    design.SetName("Prototype");
    prototype.Store(&design);
    for (int i = 0; i < n; ++i) {
      stores.push_back(prototype);
      stores.back().SetName(CString::Formatted("Bay Window %06d", i));
    }
    // Lookups spell the names in another case, in random order.
    for (int i = 0; i < n; ++i)
      queries.push_back(CString::Formatted("BAY WINDOW %06d", i));
    std::shuffle(queries.begin(), queries.end(), std::mt19937(3));
  }

  CDesignStore prototype;
  std::vector<CDesignStore> stores;
  std::vector<CString> queries;
};

const CBenchDesigns& Designs(const benchmark::State& state)
{
  static std::unordered_map<int, std::unique_ptr<CBenchDesigns>> made;
  auto& designs = made[static_cast<int>(state.range(0))];
  if (!designs)
    designs = std::make_unique<CBenchDesigns>(static_cast<int>(state.range(0)));
  return *designs;
}

std::string Folded(const CString& name)
{
  CString folded = name;
  folded.MakeLower();
  return folded.c_str();
}

void BM_ProjectAddDesigns(benchmark::State& state)
{
  const CBenchDesigns& designs = Designs(state);
  CBenchHost host;
  for (auto _ : state) {
    auto project = std::make_unique<CProject>(host);
    for (const CDesignStore& store : designs.stores)
      project->AddDesign(store);
    benchmark::DoNotOptimize(project->GetDesignCount());
    state.PauseTiming();
    project.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The same copies appended to a plain vector, their case-folded names kept in a plain hash set:
// the naming rule at its plainest, whose index outgrows the caches as the project's does.
void BM_VectorAddDesigns(benchmark::State& state)
{
  const CBenchDesigns& designs = Designs(state);
  for (auto _ : state) {
    std::vector<std::unique_ptr<CDesignStore>> list;
    std::unordered_set<std::string> names;
    for (const CDesignStore& store : designs.stores)
      if (names.insert(Folded(store.GetName())).second)
        list.push_back(std::make_unique<CDesignStore>(store));
    benchmark::DoNotOptimize(list.size());
    state.PauseTiming();
    list.clear();
    names.clear();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ProjectFindDesign(benchmark::State& state)
{
  const CBenchDesigns& designs = Designs(state);
  CBenchHost host;
  CProject project(host);
  for (const CDesignStore& store : designs.stores)
    project.AddDesign(store);
  size_t i = 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(project.FindDesign(designs.queries[i++ % designs.queries.size()]));
}

// The same names, folded to lower case, in a plain hash map.
void BM_HashMapFind(benchmark::State& state)
{
  const CBenchDesigns& designs = Designs(state);
  std::unordered_map<std::string, int> names;
  for (size_t n = 0; n < designs.stores.size(); ++n)
    names.emplace(Folded(designs.stores[n].GetName()), static_cast<int>(n));
  size_t i = 0;
  for (auto _ : state) {
    auto it = names.find(Folded(designs.queries[i++ % designs.queries.size()]));
    benchmark::DoNotOptimize(it);
  }
}

void Sizes(benchmark::internal::Benchmark* b) { b->Arg(1000)->Arg(10000)->Arg(100000); }

// Each growth from 1,000 designs to `size` over its baseline's.
CBenchGrowth AddGrowth(const char* label, const std::string& size)
{
  return CBenchGrowth(label, {"BM_ProjectAddDesigns/" + size, "BM_ProjectAddDesigns/1000"},
                      {"BM_VectorAddDesigns/" + size, "BM_VectorAddDesigns/1000"}, 1.5);
}
CBenchGrowth FindGrowth(const char* label, const std::string& size)
{
  return CBenchGrowth(label, {"BM_ProjectFindDesign/" + size, "BM_ProjectFindDesign/1000"},
                      {"BM_HashMapFind/" + size, "BM_HashMapFind/1000"}, 1.5);
}

const CBenchGrowth kAdd10k = AddGrowth("add all 10,000 / 1,000, over the plain set's", "10000");
const CBenchGrowth kAdd100k = AddGrowth("add all 100,000 / 1,000, over the plain set's", "100000");
const CBenchGrowth kFind10k = FindGrowth("find 10,000 / 1,000, over the hash map's", "10000");
const CBenchGrowth kFind100k = FindGrowth("find 100,000 / 1,000, over the hash map's", "100000");

}  // namespace

BENCHMARK(BM_ProjectAddDesigns)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VectorAddDesigns)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProjectFindDesign)->Apply(Sizes);
BENCHMARK(BM_HashMapFind)->Apply(Sizes);
