// The snapping engine alone: one moving rectangle snapped at every mouse step against 500 and
// 5,000 placed rectangles of a glider's size, built in code (no window, application or
// catalogue), beside the plain search over the same lines in the same run (bench/BenchPlainSnap.h).
// The engine's growth from 500 to 5,000 rectangles should be at most 1.2 times the plain
// search's own: the search must not grow faster than the number of alignment lines.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

#include "bench/BenchPlainSnap.h"
#include "bench/BenchRatio.h"
#include "geometry/2dline.h"
#include "model/Entcat.h"
#include "workbench/snap/Snapeng.h"

namespace {
constexpr double kWidth = 35.5;
constexpr double kHeight = 79.5;
constexpr int kCentreAlignment = 8;
constexpr int kSteps = 64;
// Five pixels with the whole square in view, as in the view bench.
constexpr double kSnapRange = 8.0;

// The four sides of a rectangle, counter-clockwise from the lower left corner.
std::vector<CVRX2DLine> Sides(int category, double x, double y)
{
  const CVRX2DPoint a(x, y);
  const CVRX2DPoint b(x + kWidth, y);
  const CVRX2DPoint c(x + kWidth, y + kHeight);
  const CVRX2DPoint d(x, y + kHeight);
  return {CVRX2DLine(category, a, b), CVRX2DLine(category, b, c), CVRX2DLine(category, c, d),
          CVRX2DLine(category, d, a)};
}

// No catalogue: no join search finds a join.
class CNoJoinHost : public CSnapHost
{
public:
  BOOL EvaluateSnapForJoin(const CVRX2DLine&, CDesignItem*, int, CDesignItem*, const CVRX2DEntityArray&,
                           const CDWordArray&, CJoinSnapRecord&) override
  {
    return FALSE;
  }
  void JoinWhereSpaced(const CVRX2DLine&, CDesignItem*, int, CDesignItem*, const CVRX2DEntityArray&,
                       const CDWordArray&) override
  {}
  BOOL GetGroupMemberEntries(const CAlignmentEntity&, CObOwnArray&) override { return FALSE; }
  const CVRX2DEntityArray* GetUnitOutlines(CDesignItem*) override { return nullptr; }
  CVRX2DVector GetItemSize(CDesignItem*) override { return CVRX2DVector(); }
};

struct CBenchEngine
{
  explicit CBenchEngine(int count) : engine(&host), items(count + 1), plain(kSnapRange)
  {
    engine.SetJoinCaptureDistance(1.5);
    engine.SetSnapRange(kSnapRange);
    std::mt19937 random(1998);
    std::uniform_real_distribution<double> place(10.0, 1300.0);
    for (int i = 0; i < count; ++i) {
      const double x = place(random);
      AddRectangle(reinterpret_cast<CDesignItem*>(&items[i]), x, place(random));
    }
    moving = Sides(ecatPerimeterOutline, 400.0, 400.0);
    plain.SetMoving(400.0, 400.0, kWidth, kHeight);
    for (size_t i = 0; i < moving.size(); ++i)
      outlines.push_back({&moving[i], reinterpret_cast<CDesignItem*>(&items[count]), static_cast<int>(i), FALSE});
    for (int i = 0; i < kSteps; ++i)
      path.emplace_back(i * 7.3 - 200.0, i * 5.1 - 150.0);
  }
  void AddRectangle(CDesignItem* pItem, double x, double y)
  {
    const std::vector<CVRX2DLine> sides = Sides(ecatPerimeterAlignment, x, y);
    for (size_t i = 0; i < sides.size(); ++i) {
      auto* pEntry = new CAlignmentEntity(sides[i].Clone(), pItem, 1);
      CSnapEngine::CollectColinearPerimeterLines(*pEntry, OutlineOf(sides));
      engine.AddEntry(pEntry);
    }
    engine.AddEntry(new CAlignmentEntity(
        new CVRX2DLine(kCentreAlignment, CVRX2DPoint(x + kWidth / 2, y), CVRX2DPoint(x + kWidth / 2, y + kHeight)),
        pItem, 1));
    plain.AddPlaced(x, y, kWidth, kHeight);
  }
  static const CVRX2DEntityArray& OutlineOf(const std::vector<CVRX2DLine>& sides)
  {
    static CVRX2DEntityArray outline;
    outline.RemoveAll();
    for (const CVRX2DLine& side : sides)
      outline.Add(new CVRX2DLine(ecatPerimeterOutline, side.GetStartPoint(), side.GetEndPoint()));
    return outline;
  }
  CNoJoinHost host;
  CSnapEngine engine;
  // Addresses that stand for the items.
  std::vector<char> items;
  std::vector<CVRX2DLine> moving;
  std::vector<CSnapOutline> outlines;
  std::vector<CVRX2DVector> path;
  CPlainSnap plain;
};

CBenchEngine& Bench(int count)
{
  static std::unique_ptr<CBenchEngine> benches[2];
  std::unique_ptr<CBenchEngine>& bench = benches[count > 500 ? 1 : 0];
  if (!bench)
    bench = std::make_unique<CBenchEngine>(count);
  return *bench;
}

void EngineStep(benchmark::State& state, int count)
{
  CBenchEngine& bench = Bench(count);
  size_t step = 0;
  CSnapQuery query;
  for (auto _ : state) {
    benchmark::DoNotOptimize(bench.engine.AdjustOffset(bench.path[step], bench.outlines, query));
    step = (step + 1) % bench.path.size();
  }
}

void PlainStep(benchmark::State& state, int count)
{
  CBenchEngine& bench = Bench(count);
  size_t step = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(bench.plain.Step(bench.path[step]));
    step = (step + 1) % bench.path.size();
  }
}

void EngineStep500(benchmark::State& state) { EngineStep(state, 500); }
void EngineStep5000(benchmark::State& state) { EngineStep(state, 5000); }
void PlainStep500(benchmark::State& state) { PlainStep(state, 500); }
void PlainStep5000(benchmark::State& state) { PlainStep(state, 5000); }

const CBenchGrowth kGrowth("engine step 5,000 / 500, over the plain's", {"EngineStep5000", "EngineStep500"},
                           {"PlainStep5000", "PlainStep500"}, 1.2);
}  // namespace

BENCHMARK(PlainStep500)->Unit(benchmark::kMicrosecond);
BENCHMARK(PlainStep5000)->Unit(benchmark::kMicrosecond);
BENCHMARK(EngineStep500)->Unit(benchmark::kMicrosecond);
BENCHMARK(EngineStep5000)->Unit(benchmark::kMicrosecond);
