// Nudging units whose joins no longer fit: a Workbench holding 200, 2,000 and 20,000 gliders in
// rows, each glider touching its right neighbour and joined to it by a join that wants a gap
// between them (nine joins for every ten gliders). The arrow key nudges all of them, and
// verification removes every join; with every other glider selected and snapping off, every
// join crosses the moved group's border and goes before the move. Each is measured until the
// Workbench has painted what it changed, beside the same nudge of the same gliders without
// joins in the same run. From 2,000 to 20,000 units each nudge with joins should grow at most
// 1.2 times as much as the same nudge without them (what the design's size alone costs: the
// plain nudges themselves grow past ten times, so the joins' growth alone is printed for
// comparison). At 200 units, the size of a real design, and at the larger sizes, removing the
// joins should cost at most three times the nudge without them.
// Making joins: the same rows with snapping on and no joins, but each glider standing the arrow
// key's step from the next, every other one nudged right against its neighbour, which proposes
// joins the selection can keep (touching neighbours could keep none: a join there pulls a moved
// glider into the one behind it), beside all of them nudged right, which proposes none. From
// 2,000 to 8,000 units the joining nudge should grow at most 1.5 times as much as the nudge of
// all, and at 8,000 cost at most three times it; at 20,000 the two are printed for comparison.
// Stacked rows: the same nudges with the rows half a glider's height above each other, so that
// every glider stands over the gliders of the rows next to it and a join's line lies on the
// sides of every row of its column. From 2,000 to 8,000 units the joining nudge should grow at
// most 1.5 times as much as the nudge of all on the same layout. There each moved glider is
// joined on three sides, not one, so at 20,000 units what is judged is the cost of each join
// made: the joining nudge's time per join should be at most the time per join of the same nudge
// in the spaced rows, where each join is made in a single row. Its whole time beside the nudge
// of all on the stacked rows is printed for comparison.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>
#include <algorithm>
#include <memory>
#include <vector>

#include "bench/BenchApp.h"
#include "bench/BenchDesigns.h"
#include "bench/BenchRatio.h"
#include "bench/BenchSetup.h"
#include "document/Doc.h"
#include "workbench/items/Joinitem.h"
#include "workbench/items/Unititem.h"
#include "workbench/view/Wbview.h"

namespace {
constexpr int kWidth = 1280;
constexpr int kHeight = 900;
// Ten gliders side by side make a row; three rows stand side by side across the square, and
// the rows stand as close above each other as the square needs, but never over each other: the
// square holds some two thousand gliders at most, and a designer lays no unit over another, so
// the larger layouts go on past the square, out of view.
constexpr int kRowUnits = 10;
constexpr int kRowsAcross = 3;
constexpr double kMargin = 10.0;
// Between one row and the next above it: farther than any snap or join reaches, so that rows
// are neither snapped nor joined to each other.
constexpr double kRowGap = 12.0;
// The arrow key's step, which the gliders of the joining layouts stand apart.
constexpr double kStep = 1.0;

// One Workbench window with the gliders, the whole square in view.
class CJoinBench
{
public:
  explicit CJoinBench(int units, bool stacked = false, bool spaced = false)
  {
    bench::DesignBenchApp("join_removal_bench", PANECRAFT_TXDB_DIR);
    m_doc = std::make_unique<CDoc>();
    m_doc->OnNewDocument();
    m_pView = new CWorkbenchView;
    m_pView->CreateEx(0, nullptr, "Workbench", WS_OVERLAPPED | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, 0);
    m_doc->AddView(m_pView);
    m_pView->OnInitialUpdate();
    std::unique_ptr<CUnitItem> glider(bench::MakeUnitItem("GL", "BA005", "GL3020", 1));
    const double width = glider->GetWidth();
    const int rows = (units + kRowUnits - 1) / kRowUnits;
    const int lines = (rows + kRowsAcross - 1) / kRowsAcross;
    const double across = m_pView->GetExtent().GetX() / kRowsAcross;
    const double fit = lines > 1 ? (m_pView->GetExtent().GetY() - 2 * kMargin - glider->GetHeight()) / (lines - 1) : 0;
    const double up = stacked ? glider->GetHeight() / 2 : std::max(fit, glider->GetHeight() + kRowGap);
    for (int i = 0; i < units; ++i) {
      const int row = i / kRowUnits;
      auto* pItem = static_cast<CUnitItem*>(glider->Clone());
      const double pitch = spaced ? width + kStep : width;
      pItem->Offset(CVRX2DVector(kMargin + (row % kRowsAcross) * across + (i % kRowUnits) * pitch,
                                 kMargin + (row / kRowsAcross) * up));
      m_pView->AddItem(pItem, FALSE);
      m_units.push_back(pItem);
      m_offsets.push_back(pItem->GetOffset());
    }
    m_pView->SetScaleFactor(m_pView->GetFitScaleFactor(FALSE), TRUE);
    m_pView->UpdateWindow();
  }

  CWorkbenchView* View() const { return m_pView; }
  // Every glider back where it was made; the joins a nudge made then no longer fit and go.
  void Restore()
  {
    for (size_t i = 0; i < m_units.size(); ++i) {
      const CVRX2DVector back = m_offsets[i] - m_units[i]->GetOffset();
      if (back.GetLength() == 0.0)
        continue;
      m_units[i]->Offset(back);
      m_pView->UpdateAlignmentEntities(m_units[i]);
    }
    m_pView->VerifyAllJoins(nullptr);
  }
  int Units() const { return static_cast<int>(m_units.size()); }
  int Joins() const
  {
    int joins = 0;
    for (POSITION pos = m_pView->GetItemList()->GetHeadPosition(); pos;)
      joins += static_cast<CDesignItem*>(m_pView->GetItemList()->GetNext(pos))->GetItemType() == ditJoin;
    return joins;
  }
  // Each glider joined to its right neighbour in its row, as the two touch: no gap.
  void AddJoins()
  {
    for (size_t i = 0; i + 1 < m_units.size(); ++i) {
      if ((i + 1) % kRowUnits == 0)
        continue;
      CUnitItem* pLeft = m_units[i];
      const CVRX2DVector at = pLeft->GetOffset();
      CJoinItem* pJoin = bench::JoinSideBySide(pLeft, m_units[i + 1], at.GetX() + pLeft->GetWidth(), at.GetY());
      m_pView->ApplyAlignmentSettings(pJoin);
      m_pView->AddItem(pJoin, FALSE);
    }
  }
  int JoinsMade() const { return Units() - (Units() + kRowUnits - 1) / kRowUnits; }
  void SelectAll() { m_pView->OnSelectAll(); }
  void SelectEveryOther()
  {
    m_pView->DeselectAll();
    for (size_t i = 0; i < m_units.size(); i += 2)
      m_pView->Select(m_units[i]);
  }
  void SetSnapping(BOOL bOn) { m_pView->SetAlignmentModes(1, bOn ? 0 : 1); }
  // The arrow key, until the Workbench has painted what it changed.
  void Nudge(bool right)
  {
    const Qt::Key key = right ? Qt::Key_Right : Qt::Key_Left;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(m_pView->m_hWnd, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(m_pView->m_hWnd, &release);
    m_pView->UpdateWindow();
  }
  void Settle()
  {
    m_pView->Invalidate(TRUE);
    m_pView->UpdateWindow();
  }

private:
  std::unique_ptr<CDoc> m_doc;
  CWorkbenchView* m_pView = nullptr;
  std::vector<CUnitItem*> m_units;
  std::vector<CVRX2DVector> m_offsets;
};

// The gliders a step apart, for making joins.
class CSpacedJoinBench : public CJoinBench
{
public:
  explicit CSpacedJoinBench(int units) : CJoinBench(units, false, true) {}
};

// The same with the rows half a glider's height above each other.
class CStackedJoinBench : public CJoinBench
{
public:
  explicit CStackedJoinBench(int units) : CJoinBench(units, true, true) {}
};

CJoinBench& Bench(const benchmark::State& state)
{
  return bench::MadeOnce<CJoinBench>(static_cast<int>(state.range(0)));
}

CJoinBench& SpacedBench(const benchmark::State& state)
{
  return bench::MadeOnce<CSpacedJoinBench>(static_cast<int>(state.range(0)));
}

CJoinBench& StackedBench(const benchmark::State& state)
{
  return bench::MadeOnce<CStackedJoinBench>(static_cast<int>(state.range(0)));
}

// Nudges right and left in turn, with the joins made again and the selection chosen before
// each nudge (not timed): FALSE, with the run marked, when a nudge left any join or moved nothing.
void NudgeRemovingJoins(benchmark::State& state, BOOL bEveryOther)
{
  CJoinBench& bench = Bench(state);
  bench.SetSnapping(!bEveryOther);
  bool right = true;
  for (auto _ : state) {
    state.PauseTiming();
    bench.AddJoins();
    if (bEveryOther)
      bench.SelectEveryOther();
    else
      bench.SelectAll();
    bench.Settle();
    const int joins = bench.Joins();
    const double before = bench.View()->GetSelectedExtents().GetMinPoint().GetX();
    state.ResumeTiming();
    bench.Nudge(right);
    right = !right;
    state.PauseTiming();
    const bool moved = bench.View()->GetSelectedExtents().GetMinPoint().GetX() != before;
    if (joins != bench.JoinsMade() || bench.Joins() != 0 || !moved) {
      state.SkipWithError("the nudge did not remove every join that no longer fits, or moved nothing");
      break;
    }
    state.ResumeTiming();
  }
  bench.View()->DeselectAll();
  bench.SetSnapping(TRUE);
  state.counters["joins"] = bench.JoinsMade();
}

void NudgeWithoutJoins(benchmark::State& state, BOOL bEveryOther)
{
  CJoinBench& bench = Bench(state);
  bench.SetSnapping(!bEveryOther);
  if (bEveryOther)
    bench.SelectEveryOther();
  else
    bench.SelectAll();
  bench.Settle();
  bool right = true;
  for (auto _ : state) {
    bench.Nudge(right);
    right = !right;
  }
  bench.View()->DeselectAll();
  bench.SetSnapping(TRUE);
}

// Snapping on, the Right arrow from the gliders as they were made (restored before each press,
// not timed); the run is marked failed when a press moved nothing or, with every other glider
// selected, made no join.
void NudgeRightSnapping(benchmark::State& state, BOOL bEveryOther, CJoinBench& bench)
{
  bench.SetSnapping(TRUE);
  int made = 0;
  for (auto _ : state) {
    state.PauseTiming();
    bench.Restore();
    if (bEveryOther)
      bench.SelectEveryOther();
    else
      bench.SelectAll();
    bench.Settle();
    const double before = bench.View()->GetSelectedExtents().GetMinPoint().GetX();
    state.ResumeTiming();
    bench.Nudge(true);
    state.PauseTiming();
    made = bench.Joins();
    const bool moved = bench.View()->GetSelectedExtents().GetMinPoint().GetX() != before;
    if (!moved || (bEveryOther && made == 0)) {
      state.SkipWithError("the nudge moved nothing, or joined no glider to its neighbours");
      break;
    }
    state.ResumeTiming();
  }
  bench.Restore();
  bench.View()->DeselectAll();
  state.counters["joins"] = made;
}

void NudgeAllWithoutJoins(benchmark::State& state) { NudgeWithoutJoins(state, FALSE); }
void NudgeAllUnfitJoins(benchmark::State& state) { NudgeRemovingJoins(state, FALSE); }
void NudgeHalfWithoutJoins(benchmark::State& state) { NudgeWithoutJoins(state, TRUE); }
void NudgeHalfCrossingJoins(benchmark::State& state) { NudgeRemovingJoins(state, TRUE); }
void NudgeAllSnapping(benchmark::State& state) { NudgeRightSnapping(state, FALSE, SpacedBench(state)); }
void NudgeHalfJoining(benchmark::State& state) { NudgeRightSnapping(state, TRUE, SpacedBench(state)); }
void StackedNudgeAllSnapping(benchmark::State& state) { NudgeRightSnapping(state, FALSE, StackedBench(state)); }
void StackedNudgeHalfJoining(benchmark::State& state) { NudgeRightSnapping(state, TRUE, StackedBench(state)); }

const CBenchRatio kAll200("nudge all, unfit joins / none, 200", "NudgeAllUnfitJoins/200", "NudgeAllWithoutJoins/200",
                          3.0);
const CBenchRatio kHalf200("nudge half, crossing joins / none, 200", "NudgeHalfCrossingJoins/200",
                           "NudgeHalfWithoutJoins/200", 3.0);
const CBenchRatio kAll2000("nudge all, unfit joins / none, 2,000", "NudgeAllUnfitJoins/2000",
                           "NudgeAllWithoutJoins/2000", 3.0);
const CBenchRatio kAll20000("nudge all, unfit joins / none, 20,000", "NudgeAllUnfitJoins/20000",
                            "NudgeAllWithoutJoins/20000", 3.0);
const CBenchRatio kHalf2000("nudge half, crossing joins / none, 2,000", "NudgeHalfCrossingJoins/2000",
                            "NudgeHalfWithoutJoins/2000", 3.0);
const CBenchRatio kHalf20000("nudge half, crossing joins / none, 20,000", "NudgeHalfCrossingJoins/20000",
                             "NudgeHalfWithoutJoins/20000", 3.0);
const CBenchComparison kAllGrowth100("nudge all, unfit joins 20,000 / 2,000", "NudgeAllUnfitJoins/20000",
                                     "NudgeAllUnfitJoins/2000");
const CBenchGrowth kAllGrowthOver("nudge all, unfit joins 20,000 / 2,000, over none's",
                                  {"NudgeAllUnfitJoins/20000", "NudgeAllUnfitJoins/2000"},
                                  {"NudgeAllWithoutJoins/20000", "NudgeAllWithoutJoins/2000"}, 1.2);
const CBenchGrowth kHalfGrowthOver("nudge half, crossing joins 20,000 / 2,000, over none's",
                                   {"NudgeHalfCrossingJoins/20000", "NudgeHalfCrossingJoins/2000"},
                                   {"NudgeHalfWithoutJoins/20000", "NudgeHalfWithoutJoins/2000"}, 1.2);
// Every other glider nudged right against its neighbour proposes joins; all of them nudged
// together propose none. Adding the joins should grow with the units as the nudge of all of them
// grows, and cost a few of those nudges.
const CBenchGrowth kJoiningGrowthOver("nudge half, joining 8,000 / 2,000, over all's",
                                      {"NudgeHalfJoining/8000", "NudgeHalfJoining/2000"},
                                      {"NudgeAllSnapping/8000", "NudgeAllSnapping/2000"}, 1.5);
const CBenchRatio kJoining8000("nudge half, joining / all, 8,000", "NudgeHalfJoining/8000", "NudgeAllSnapping/8000",
                               3.0);
const CBenchComparison kJoining20000("nudge half, joining / all, 20,000", "NudgeHalfJoining/20000",
                                     "NudgeAllSnapping/20000");
// The same on stacked rows: a join's snap meets the sides of every row of its column on its line.
const CBenchGrowth kStackedGrowthOver("stacked rows, nudge half, joining 8,000 / 2,000, over all's",
                                      {"StackedNudgeHalfJoining/8000", "StackedNudgeHalfJoining/2000"},
                                      {"StackedNudgeAllSnapping/8000", "StackedNudgeAllSnapping/2000"}, 1.5);
// There each moved glider is joined on three sides, not one: the nudge's whole time is shown, and
// what is judged is the cost of each join made, against a join made in a single spaced row.
const CBenchComparison kStacked20000("stacked rows, nudge half, joining / all, 20,000", "StackedNudgeHalfJoining/20000",
                                     "StackedNudgeAllSnapping/20000");
const CBenchRatioPer kStackedPerJoin("stacked rows, nudge half, per join / a spaced row's, 20,000",
                                     "StackedNudgeHalfJoining/20000", "NudgeHalfJoining/20000", "joins", 1.0);
}  // namespace

BENCHMARK(NudgeAllWithoutJoins)->Arg(200)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(NudgeAllUnfitJoins)->Arg(200)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(NudgeHalfWithoutJoins)->Arg(200)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(NudgeHalfCrossingJoins)->Arg(200)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(NudgeAllSnapping)->Arg(2000)->Arg(8000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(NudgeHalfJoining)->Arg(2000)->Arg(8000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(StackedNudgeAllSnapping)->Arg(2000)->Arg(8000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(StackedNudgeHalfJoining)->Arg(2000)->Arg(8000)->Arg(20000)->Unit(benchmark::kMillisecond);
