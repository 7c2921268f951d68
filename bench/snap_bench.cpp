// Snapping one moving glider at every mouse step against 500 placed gliders, beside one full
// redraw of the same 500 in the same run (the step should cost at most a tenth of the redraw),
// and the same step against 5,000 placed gliders, beside the plain search over the gliders'
// alignment lines at both sizes (bench/BenchPlainSnap.h): the step's growth from 500 to 5,000
// should be at most 1.2 times the plain search's own, which grows with the number of lines.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

#include "bench/BenchApp.h"
#include "bench/BenchPlainSnap.h"
#include "bench/BenchRatio.h"
#include "document/Doc.h"
#include "workbench/items/Unititem.h"
#include "workbench/view/Wbview.h"

namespace {
constexpr int kWidth = 1280;
constexpr int kHeight = 900;
// Mouse steps of one drag: a path across the design, on and off the placed units' lines.
constexpr int kSteps = 64;

// A Workbench window with the given number of gliders at scattered places of the square (the
// same places every run), the whole world in view, and one more glider that is dragged about.
struct CBenchWorkbench
{
  explicit CBenchWorkbench(int count) : plain(0.0)
  {
    bench::DesignBenchApp("snap_bench", PANECRAFT_TXDB_DIR);
    doc = std::make_unique<CDoc>();
    doc->OnNewDocument();
    view = new CWorkbenchView;
    view->CreateEx(0, nullptr, "Workbench", WS_OVERLAPPED | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, 0);
    doc->AddView(view);
    view->OnInitialUpdate();
    std::mt19937 random(1998);
    std::uniform_real_distribution<double> place(10.0, 1300.0);
    for (int i = 0; i < count; ++i) {
      auto* pItem = new CUnitItem("GL", "BA005");
      pItem->GetUnit();
      const double x = place(random);
      pItem->Offset(CVRX2DVector(x, place(random)));
      view->AddItem(pItem, FALSE);
    }
    view->SetScaleFactor(view->GetFitScaleFactor(FALSE), TRUE);
    view->UpdateWindow();
    moving = std::make_unique<CUnitItem>("GL", "BA005");
    moving->GetUnit();
    moving->Offset(CVRX2DVector(400.0, 400.0));
    for (int i = 0; i < kSteps; ++i)
      path.emplace_back(i * 7.3 - 200.0, i * 5.1 - 150.0);
    plain = CPlainSnap(view->GetSnapRange());
    for (POSITION pos = view->GetItemList()->GetHeadPosition(); pos;)
      AddPlaced(static_cast<CDesignItem*>(view->GetItemList()->GetNext(pos)));
    plain.SetMoving(400.0, 400.0, moving->GetWidth(), moving->GetHeight());
  }
  void AddPlaced(const CDesignItem* pItem)
  {
    const CVRX2DVector at = pItem->GetOffset();
    plain.AddPlaced(at.GetX(), at.GetY(), pItem->GetWidth(), pItem->GetHeight());
  }
  std::unique_ptr<CDoc> doc;
  CWorkbenchView* view = nullptr;
  std::unique_ptr<CUnitItem> moving;
  std::vector<CVRX2DVector> path;
  CPlainSnap plain;
};

CBenchWorkbench& Bench500()
{
  static CBenchWorkbench bench(500);
  return bench;
}

CBenchWorkbench& Bench5000()
{
  static CBenchWorkbench bench(5000);
  return bench;
}

void Redraw500(benchmark::State& state)
{
  CWorkbenchView* pView = Bench500().view;
  for (auto _ : state) {
    pView->Invalidate(TRUE);
    pView->UpdateWindow();
  }
  state.SetItemsProcessed(state.iterations() * 500);
}

void SnapStep(benchmark::State& state, CBenchWorkbench& bench)
{
  bench.view->StartMove(bench.moving.get());
  size_t step = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(bench.view->AdjustPos(bench.path[step], bench.moving.get(), 0));
    step = (step + 1) % bench.path.size();
  }
  state.counters["snap_range"] = bench.view->GetSnapRange();
}

void PlainStep(benchmark::State& state, CBenchWorkbench& bench)
{
  size_t step = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(bench.plain.Step(bench.path[step]));
    step = (step + 1) % bench.path.size();
  }
}

void SnapStep500(benchmark::State& state) { SnapStep(state, Bench500()); }
void SnapStep5000(benchmark::State& state) { SnapStep(state, Bench5000()); }
void PlainStep500(benchmark::State& state) { PlainStep(state, Bench500()); }
void PlainStep5000(benchmark::State& state) { PlainStep(state, Bench5000()); }

const CBenchRatio kStep("snap step / redraw, 500 gliders", "SnapStep500", "Redraw500", 0.1);
const CBenchGrowth kGrowth("snap step 5,000 / 500, over the plain's", {"SnapStep5000", "SnapStep500"},
                           {"PlainStep5000", "PlainStep500"}, 1.2);
}  // namespace

BENCHMARK(Redraw500)->Unit(benchmark::kMicrosecond);
BENCHMARK(PlainStep500)->Unit(benchmark::kMicrosecond);
BENCHMARK(PlainStep5000)->Unit(benchmark::kMicrosecond);
BENCHMARK(SnapStep500)->Unit(benchmark::kMicrosecond);
BENCHMARK(SnapStep5000)->Unit(benchmark::kMicrosecond);
