// A full redraw of a Workbench holding 500 or 5,000 placed gliders, beside a Qt painter filling
// the same outside areas and drawing the same lines, read from the units and mapped to client
// pixels at each redraw, on an image of the same size in the same run.
// The Workbench's redraw (erasing, the outside area, the translators, the one-pixel rasteriser)
// should stay within twice the painter, also after a move (below), and its growth from 500 to
// 5,000 units should be at most 1.1 times the painter's own growth. Both sides must light about
// as many pixels (the rasterisers differ only in end pixels and steps); the label carries a hash
// of the Workbench's pixels, so that two builds can be compared. The units keep their drawings
// and highlighted sides from one redraw to the next, so a redraw after one unit moved, which must
// look for every unit's highlighted sides again, is measured too.
// The growth line is bound by memory and says so: at 5,000 units every unit has a drawing of its
// own, so a redraw reads about 5 MB of units and drawings strewn over the heap and writes a
// 4.6 MB surface. On a quiet machine that stays in the shared last-level cache; other cores
// streaming through memory evict it, and each redraw then reads it from main memory at the
// bandwidth they leave. The painter reads the same units' entities and slows too, but not in
// step with the Workbench, while the 500-unit sides stay in the core's own cache. The line then
// moves with the memory traffic of other cores (six cores copying memory: about 0.75 to 1.1,
// single rounds to 1.3), not with the program: judge it on a quiet machine.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QLine>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

#include "bench/BenchApp.h"
#include "bench/BenchRatio.h"
#include "document/Doc.h"
#include "geometry/2dline.h"
#include "workbench/items/Unititem.h"
#include "workbench/view/Wbview.h"

namespace {
constexpr int kWidth = 1280;
constexpr int kHeight = 900;

// One Workbench window with columns x rows gliders, the whole world in view. Every glider lies
// inside the world, where the Workbench draws it: apart while the grid fits, overlapping where
// it would not.
struct CBenchWorkbench
{
  CBenchWorkbench(int columns, int rows)
  {
    bench::DesignBenchApp("workbench_bench", PANECRAFT_TXDB_DIR);
    doc = std::make_unique<CDoc>();
    doc->OnNewDocument();
    view = new CWorkbenchView;
    view->CreateEx(0, nullptr, "Workbench", WS_OVERLAPPED | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, 0);
    doc->AddView(view);
    view->OnInitialUpdate();
    const CVRX2DVector world = view->GetExtent();
    CVRX2DVector step(55.0, 40.0);
    for (int row = 0; row < rows; ++row)
      for (int column = 0; column < columns; ++column) {
        auto* pItem = new CUnitItem("GL", "BA005");
        pItem->GetUnit();
        if (row == 0 && column == 0)
          step = CVRX2DVector(std::min(step.GetX(), (world.GetX() - 2 * kMargin - pItem->GetWidth()) / (columns - 1)),
                              std::min(step.GetY(), (world.GetY() - 2 * kMargin - pItem->GetHeight()) / (rows - 1)));
        pItem->Offset(CVRX2DVector(kMargin + column * step.GetX(), kMargin + row * step.GetY()));
        outsideWorld += pItem->GetOffset().GetX() + pItem->GetWidth() > world.GetX() ||
                        pItem->GetOffset().GetY() + pItem->GetHeight() > world.GetY();
        view->AddItem(pItem, FALSE);
      }
    view->SetScaleFactor(view->GetFitScaleFactor(FALSE), TRUE);
    view->UpdateWindow();
    FindOutsideAreas();
  }
  // The lines the Workbench draws, read where it reads them (each unit's drawing, shared with the
  // like units, moved by the unit's offset), in client pixels by the mapping given.
  void Lines(const QTransform& toClient, std::vector<QLine>& lines) const
  {
    lines.clear();
    for (POSITION pos = view->GetItemList()->GetHeadPosition(); pos;) {
      auto* pItem = static_cast<CUnitItem*>(view->GetItemList()->GetNext(pos));
      const CVRX2DEntityArray& entities = pItem->GetElevationDrawing();
      const CVRX2DVector offset = pItem->GetOffset();
      for (int i = 0; i < entities.GetSize(); ++i) {
        if (entities[i]->GetType() != VRX_LINE)
          continue;
        const auto* pLine = static_cast<const CVRX2DLine*>(entities[i]);
        const QLineF world(pLine->GetStartPoint().GetX() + offset.GetX(), pLine->GetStartPoint().GetY() + offset.GetY(),
                           pLine->GetEndPoint().GetX() + offset.GetX(), pLine->GetEndPoint().GetY() + offset.GetY());
        lines.push_back(toClient.map(world).toLine());
      }
    }
  }
  // The view's mapping from world inches to client pixels, taken across the whole world.
  QTransform WorldToClient() const
  {
    const CVRX2DVector world = view->GetExtent();
    const CPoint origin = view->WorldToClient(CVRX2DPoint(0.0, 0.0));
    const CPoint corner = view->WorldToClient(CVRX2DPoint(world.GetX(), world.GetY()));
    return QTransform((corner.x - origin.x) / world.GetX(), 0.0, 0.0, (corner.y - origin.y) / world.GetY(), origin.x,
                      origin.y);
  }
  // The areas the Workbench fills beside and above the world (units may lie over them), and
  // the colour it fills them with, read from its surface where no unit lies.
  void FindOutsideAreas()
  {
    const CRect client = view->GetClientRect();
    const CSize total = view->GetTotalDeviceSize();
    CRect world = view->DeviceToClient(CRect(0, 0, total.cx, total.cy));
    world.NormalizeRect();
    outside.clear();
    if (world.right < client.right)
      outside.emplace_back(world.right, 0, client.right - world.right, client.Height());
    if (world.top > client.top)
      outside.emplace_back(0, 0, std::min(world.right, client.right), world.top);
    outsideColor = view->GetSurfacePixel(client.right - 1, client.bottom - 1);
  }

  static constexpr double kMargin = 10.0;  // inches from the world's lower left
  std::unique_ptr<CDoc> doc;
  CWorkbenchView* view = nullptr;
  int outsideWorld = 0;
  COLORREF outsideColor = 0;
  std::vector<QRect> outside;
};

// 500 units as 25 x 20, 5,000 as 100 x 50.
CBenchWorkbench& Bench(const benchmark::State& state)
{
  static std::map<int64_t, std::unique_ptr<CBenchWorkbench>> benches;
  auto& bench = benches[state.range(0)];
  if (!bench)
    bench =
        state.range(0) == 500 ? std::make_unique<CBenchWorkbench>(25, 20) : std::make_unique<CBenchWorkbench>(100, 50);
  return *bench;
}

bool IsWhite(QRgb pixel) { return (pixel & 0x00FFFFFFu) == 0x00FFFFFFu; }

void WorkbenchRedraw(benchmark::State& state)
{
  CWorkbenchView* pView = Bench(state).view;
  if (Bench(state).outsideWorld > 0) {
    state.SkipWithError("units outside the world are never drawn");
    return;
  }
  for (auto _ : state) {
    pView->Invalidate(TRUE);
    pView->UpdateWindow();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  std::vector<QLine> lines;
  Bench(state).Lines(Bench(state).WorldToClient(), lines);
  state.counters["lines"] = static_cast<double>(lines.size());
  const CRect client = pView->GetClientRect();
  unsigned hash = 2166136261u;
  int lit = 0;
  for (int y = 0; y < client.Height(); ++y)
    for (int x = 0; x < client.Width(); ++x) {
      const COLORREF pixel = pView->GetSurfacePixel(x, y);
      hash = (hash ^ pixel) * 16777619u;
      lit += (pixel & 0x00FFFFFFu) != 0x00FFFFFFu;
    }
  state.counters["pixels"] = lit;
  char label[32];
  std::snprintf(label, sizeof label, "pixels %08x", hash);
  state.SetLabel(label);
}

// A redraw after one unit moved, as a nudge moves it: its alignment entries are filed again, so
// no unit can keep the highlighted sides it found at the redraw before.
void WorkbenchRedrawAfterMove(benchmark::State& state)
{
  CWorkbenchView* pView = Bench(state).view;
  auto* pItem = static_cast<CUnitItem*>(pView->GetItemList()->GetHead());
  double step = 0.5;
  for (auto _ : state) {
    pItem->Offset(CVRX2DVector(step, 0.0));
    step = -step;
    pView->UpdateAlignmentEntities(pItem);
    pView->Invalidate(TRUE);
    pView->UpdateWindow();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// At every redraw the painter reads the lines from the units, where the Workbench reads them, and
// maps each to whole client pixels, as the Workbench's translator does: the walk over thousands
// of units costs both the same, however the units lie in memory in one run or another. Neither
// side copies a unit's drawing: copies made and freed at every redraw cost the painter most
// where other processes held the memory, and tipped the growth line one way or the other.
void QtPainterSameLines(benchmark::State& state)
{
  const CRect client = Bench(state).view->GetClientRect();
  const QTransform toClient = Bench(state).WorldToClient();
  const COLORREF c = Bench(state).outsideColor;
  const QColor outsideColor(GetRValue(c), GetGValue(c), GetBValue(c));
  std::vector<QLine> lines;
  QImage image(client.Width(), client.Height(), QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    for (const QRect& area : Bench(state).outside)
      painter.fillRect(area, outsideColor);
    painter.setPen(QPen(Qt::black, 0));
    Bench(state).Lines(toClient, lines);
    painter.drawLines(lines.data(), static_cast<int>(lines.size()));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  int lit = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      lit += !IsWhite(image.pixel(x, y));
  state.counters["pixels"] = lit;
}

const CBenchRatio kRedraw500("redraw / painter, 500 units", "WorkbenchRedraw/500", "QtPainterSameLines/500", 2.0);
const CBenchRatio kRedraw5000("redraw / painter, 5,000 units", "WorkbenchRedraw/5000", "QtPainterSameLines/5000", 2.0);
const CBenchRatio kMoved500("redraw after a move / painter, 500 units", "WorkbenchRedrawAfterMove/500",
                            "QtPainterSameLines/500", 2.0);
const CBenchRatio kMoved5000("redraw after a move / painter, 5,000 units", "WorkbenchRedrawAfterMove/5000",
                             "QtPainterSameLines/5000", 2.0);
const CBenchGrowth kGrowth("redraw 5,000 / 500, over the painter's (memory-bound: moves with other cores' memory load)",
                           {"WorkbenchRedraw/5000", "WorkbenchRedraw/500"},
                           {"QtPainterSameLines/5000", "QtPainterSameLines/500"}, 1.1);
}  // namespace

BENCHMARK(QtPainterSameLines)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(WorkbenchRedraw)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(WorkbenchRedrawAfterMove)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);
