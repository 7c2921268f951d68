// Both project reports (rows taken from every stored design, the 60-line page text and the
// comma-separated lines) for a project of 1,000 designs beside one of 10,000 designs in the same
// run, each beside a walk that reads every stored design and counts its units, the least the
// reports must do (bench/BenchWalk.h). The reports' growth from 1,000 to 10,000 designs should be
// at most 1.1 times the walk's own: nothing in the reports may grow faster than the rows (the
// tenth leaves room for the sort).
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "bench/BenchRatio.h"
#include "bench/BenchServices.h"
#include "bench/BenchSetup.h"
#include "bench/BenchWalk.h"
#include "document/Doc.h"
#include "model/Stdunit.h"
#include "ui/dlg/DialogService.h"
#include "project/DocServices.h"
#include "project/Dsgstore.h"
#include "reports/Rptcont.h"
#include "reports/Schrptgn.h"
#include "reports/Uirptgen.h"
#include "workbench/items/Unititem.h"

namespace {

const char* const kGliderSizes[] = {"GL3020", "GL3030", "GL4030", "GL4040", "GL5030", "GL6040", "GL7050"};
const char* const kDoubleHungSizes[] = {"KC2640", "KC2650", "KC3050", "KC3060"};

CUnitItem* MakeItem(const char* type, const char* subtype, const char* size, int glazing)
{
  auto* pItem = new CUnitItem(type, subtype);
  CUnit* pUnit = pItem->GetUnit();
  if (auto* pStandard = dynamic_cast<CStandardUnit*>(pUnit))
    pStandard->SetSizeCode(size);
  pUnit->SetOptionChoice(1, glazing);
  pUnit->SetOptionChoice(5, 1 + glazing % 3);
  pItem->UpdateUnitInfo();
  return pItem;
}

// A design of two gliders (one pair equal), a double-hung and a free-form unit; sizes and
// options vary with the index, so the rows are neither all equal nor all distinct.
CDesignStore MakeDesign(int index)
{
  CDesign design;
  design.SetName(CString::Formatted("Design %05d", index));
  design.GetDesignData().SetQuantity(1 + index % 4);
  const char* glider = kGliderSizes[index % std::size(kGliderSizes)];
  design.GetItemList().AddTail(MakeItem("GL", "BA005", glider, 1 + index % 4));
  design.GetItemList().AddTail(MakeItem("GL", "BA005", glider, 1 + index % 4));
  design.GetItemList().AddTail(MakeItem("DH", "KC003", kDoubleHungSizes[index % std::size(kDoubleHungSizes)], 2));
  design.GetItemList().AddTail(MakeItem("VG", "RE010", "", 1 + index % 2));
  CDesignStore store;
  store.Store(&design);
  return store;
}

struct CBenchProjects
{
  CBenchProjects() { bench::SetUpDesignBench(services, dialogs, PANECRAFT_TXDB_DIR); }
  CDoc& Project(int designs)
  {
    std::unique_ptr<CDoc>& doc = projects[designs];
    if (!doc) {
      doc = std::make_unique<CDoc>();
      doc->OnNewDocument();
      doc->GetProjectData().SetProjectName("Bench Project");
      for (int i = 0; i < designs; ++i)
        doc->AddDesign(MakeDesign(i));
    }
    return *doc;
  }
  CBenchServices services;
  CScriptedDialogService dialogs;
  std::map<int, std::unique_ptr<CDoc>> projects;
};

CBenchProjects& Bench()
{
  static CBenchProjects bench;
  return bench;
}

void BothReports(benchmark::State& state)
{
  CDoc& doc = Bench().Project(static_cast<int>(state.range(0)));
  CScheduleReportGenerator schedule;
  CUnitInfoReportGenerator unitInfo;
  size_t lines = 0;
  for (auto _ : state) {
    lines = 0;
    for (CReportGenerator* pGenerator :
         {static_cast<CReportGenerator*>(&schedule), static_cast<CReportGenerator*>(&unitInfo)}) {
      CReportContent content(*pGenerator);
      content.Generate(&doc, 0);
      CStringArray csv;
      content.GetExportLines(TRUE, 0, csv);
      lines += static_cast<size_t>(content.GetLines().GetSize() + csv.GetSize());
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.counters["lines"] = static_cast<double>(lines);
}

void WalkDesigns(benchmark::State& state)
{
  CDoc& doc = Bench().Project(static_cast<int>(state.range(0)));
  int units = 0;
  for (auto _ : state)
    units = bench::CountStoredUnits(doc);
  state.counters["units"] = units;
}

const CBenchGrowth kGrowth("reports 10,000 / 1,000, over the walk's", {"BothReports/10000", "BothReports/1000"},
                           {"WalkDesigns/10000", "WalkDesigns/1000"}, 1.1);
}  // namespace

BENCHMARK(WalkDesigns)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BothReports)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
