// Adding one design to a project of 100, 1,000, 4,000 and 12,000 stored designs through its
// design list, as Store and Paste add one: the project takes the design, the list shown beside it
// gets its name and selects it, and the events that follow (the list's layout and paint) run
// before the next add, as the user waits for them. Beside it in the same run, a plain list widget
// of the same size with uniform rows gets and selects a line of the same kind, and the same plain
// list with rows measured one by one shows what a list costs that lays out every row (printed
// for comparison). The design list should stay within twice the uniform plain list at every
// size, and its growth from a hundred designs to twelve thousand should be at most twice the
// uniform plain list's own.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListWidget>
#include <map>
#include <memory>
#include <vector>

#include "bench/BenchApp.h"
#include "bench/BenchDesigns.h"
#include "bench/BenchRatio.h"
#include "bench/BenchSetup.h"
#include "document/Doc.h"
#include "document/Whpaste.h"
#include "document/Whview.h"

namespace {

// The application and one design of realistic size, made once.
struct CBenchApp
{
  CBenchApp()
  {
    bench::DesignBenchApp("designlist_bench", PANECRAFT_TXDB_DIR);
    RegisterWarehouseResources();
    design = bench::MakeDesign(0);
  }
  CDesignStore design;
};

// Made once and left to the end of the process: its windows must not outlive the application.
CBenchApp& App()
{
  static auto* app = new CBenchApp;
  return *app;
}

CString DesignName(const char* kind, int i) { return CString::Formatted("%s %06d", kind, i); }

// The delayed layout, the scroll and the paint the add leaves behind.
void RunPendingEvents() { QCoreApplication::processEvents(); }

// A project of `designs` stored designs, its design list shown in a window of its own.
struct CBenchProject
{
  explicit CBenchProject(int designs)
  {
    CDesignStore store = App().design;
    doc = std::make_unique<CDoc>();
    doc->OnNewDocument();
    for (int i = 0; i < designs; ++i) {
      store.SetName(DesignName("Design", i));
      doc->AddDesign(store);
    }
    view = new CWarehouseView;
    view->CreateEx(0, nullptr, "Designs", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 420, 480, nullptr, 0);
    doc->AddView(view);
    view->OnInitialUpdate();
    RunPendingEvents();
  }
  QWidget* List() const { return view->GetDesignListBox()->m_hWnd; }

  std::unique_ptr<CDoc> doc;
  CWarehouseView* view = nullptr;
};

CBenchProject& Project(int designs) { return bench::MadeOnce<CBenchProject>(designs); }

// Outside the time, after a line was taken back: the list laid out and its last line found, so
// that each timed add finds the list as a user's next add does, on either side.
void WarmUp(QWidget* list, int lines)
{
  auto* widget = static_cast<QListWidget*>(list);
  benchmark::DoNotOptimize(widget->visualItemRect(widget->item(lines - 1)));
}

// Each timed add is taken back outside the time, so that every iteration adds to the same size.
void BM_DesignListAdd(benchmark::State& state)
{
  const int designs = static_cast<int>(state.range(0));
  CBenchProject& project = Project(designs);
  CDesignStore store = App().design;
  CListBox& list = *project.view->GetDesignListBox();
  int added = 0;
  for (auto _ : state) {
    store.SetName(DesignName("Added", added++));
    project.doc->AddDesign(store);
    RunPendingEvents();
    state.PauseTiming();
    if (list.GetCount() != designs + 1 || list.GetCurSel() != designs)
      state.SkipWithError("the design list did not show and select the added design");
    project.doc->DeleteDesign(designs);
    RunPendingEvents();
    WarmUp(project.List(), designs);
    state.ResumeTiming();
  }
}

// A plain list widget as large as the design list, holding as many lines.
struct CPlainList
{
  CPlainList(int lines, bool uniform)
  {
    const QSize size = Project(100).List()->size();
    list.resize(size);
    list.setUniformItemSizes(uniform);
    for (int i = 0; i < lines; ++i)
      list.addItem(DesignName("Design", i).c_str());
    list.show();
    RunPendingEvents();
  }
  QListWidget list;
};

void PlainListAdd(benchmark::State& state, bool uniform)
{
  const int lines = static_cast<int>(state.range(0));
  App();
  CPlainList plain(lines, uniform);
  int added = 0;
  for (auto _ : state) {
    plain.list.addItem(DesignName("Added", added++).c_str());
    plain.list.setCurrentRow(lines);
    RunPendingEvents();
    state.PauseTiming();
    delete plain.list.takeItem(lines);
    RunPendingEvents();
    WarmUp(&plain.list, lines);
    state.ResumeTiming();
  }
}

void BM_PlainListAdd(benchmark::State& state) { PlainListAdd(state, true); }
void BM_PlainListAddMeasuredRows(benchmark::State& state) { PlainListAdd(state, false); }

void Sizes(benchmark::internal::Benchmark* b)
{
  b->Arg(100)->Arg(1000)->Arg(4000)->Arg(12000)->Unit(benchmark::kMicrosecond);
}

const CBenchRatio kRatio100("design list / plain list, 100", "BM_DesignListAdd/100", "BM_PlainListAdd/100", 2.0);
const CBenchRatio kRatio1k("design list / plain list, 1k", "BM_DesignListAdd/1000", "BM_PlainListAdd/1000", 2.0);
const CBenchRatio kRatio4k("design list / plain list, 4k", "BM_DesignListAdd/4000", "BM_PlainListAdd/4000", 2.0);
const CBenchRatio kRatio12k("design list / plain list, 12k", "BM_DesignListAdd/12000", "BM_PlainListAdd/12000", 2.0);
const CBenchGrowth kGrowth("design list 12k / 100, over the plain list's",
                           {"BM_DesignListAdd/12000", "BM_DesignListAdd/100"},
                           {"BM_PlainListAdd/12000", "BM_PlainListAdd/100"}, 2.0);
// A list that measures every row grows with its length.
const CBenchComparison kMeasuredGrowth("measured rows 12k / 100", "BM_PlainListAddMeasuredRows/12000",
                                       "BM_PlainListAddMeasuredRows/100");

}  // namespace

BENCHMARK(BM_PlainListAdd)->Apply(Sizes);
BENCHMARK(BM_DesignListAdd)->Apply(Sizes);
BENCHMARK(BM_PlainListAddMeasuredRows)->Apply(Sizes);
