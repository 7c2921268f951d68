// A full redraw of a Workbench holding 500 placed gliders, beside drawing the same lines with a
// Qt painter on an image of the same size in the same run. The Workbench's redraw (erasing, the
// outside area, the translators, the one-pixel rasteriser) should stay within twice the painter.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <memory>
#include <vector>

#include "bench/BenchServices.h"
#include "document/Doc.h"
#include "project/DocServices.h"
#include "geometry/2dline.h"
#include "platform/ui/dlg/DialogService.h"
#include "platform/ui/wnd/QtApp.h"
#include "productdb/txrecobj.h"
#include "units/standard/Stdreg.h"
#include "workbench/Unititem.h"
#include "workbench/Wbreg.h"
#include "workbench/Wbview.h"

namespace {
constexpr int kColumns = 25;
constexpr int kRows = 20;
constexpr int kWidth = 1280;
constexpr int kHeight = 900;

// One Workbench window with 500 gliders, the whole world in view.
struct CBenchWorkbench
{
  CBenchWorkbench()
  {
    static int argc = 1;
    static char name[] = "workbench_bench";
    static char* argv[] = {name, nullptr};
    qt = std::make_unique<CQtApplication>(argc, argv);
    SetDocServices(&services);
    SetDialogService(&dialogs);
    CTXRecObj::SetDatabaseDirectory(PANECRAFT_TXDB_DIR);
    RegisterStandardUnits();
    RegisterWorkbenchClasses();
    doc = std::make_unique<CDoc>();
    doc->OnNewDocument();
    view = new CWorkbenchView;
    view->CreateEx(0, nullptr, "Workbench", WS_OVERLAPPED | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, 0);
    doc->AddView(view);
    view->OnInitialUpdate();
    for (int row = 0; row < kRows; ++row)
      for (int column = 0; column < kColumns; ++column) {
        auto* pItem = new CUnitItem("GL", "BA005");
        pItem->GetUnit();
        pItem->Offset(CVRX2DVector(10.0 + column * 55.0, 10.0 + row * 40.0));
        view->AddItem(pItem, FALSE);
      }
    view->SetScaleFactor(view->GetFitScaleFactor(FALSE), TRUE);
    view->UpdateWindow();
  }
  // The lines the Workbench draws, in client pixels.
  std::vector<QLine> Lines() const
  {
    std::vector<QLine> lines;
    for (POSITION pos = view->GetItemList()->GetHeadPosition(); pos;) {
      auto* pItem = static_cast<CUnitItem*>(view->GetItemList()->GetNext(pos));
      const CVRX2DEntityArray& entities = pItem->GetElevationEntities();
      for (int i = 0; i < entities.GetSize(); ++i)
        if (auto* pLine = dynamic_cast<CVRX2DLine*>(entities[i])) {
          const CPoint a = view->WorldToClient(pLine->GetStartPoint());
          const CPoint b = view->WorldToClient(pLine->GetEndPoint());
          lines.emplace_back(a.x, a.y, b.x, b.y);
        }
    }
    return lines;
  }
  std::unique_ptr<CQtApplication> qt;
  CBenchServices services;
  CScriptedDialogService dialogs;
  std::unique_ptr<CDoc> doc;
  CWorkbenchView* view = nullptr;
};

CBenchWorkbench& Bench()
{
  static CBenchWorkbench bench;
  return bench;
}

void WorkbenchRedraw(benchmark::State& state)
{
  CWorkbenchView* pView = Bench().view;
  for (auto _ : state) {
    pView->Invalidate(TRUE);
    pView->UpdateWindow();
  }
  state.SetItemsProcessed(state.iterations() * kColumns * kRows);
  state.counters["lines"] = static_cast<double>(Bench().Lines().size());
}

void QtPainterSameLines(benchmark::State& state)
{
  const CRect client = Bench().view->GetClientRect();
  const std::vector<QLine> lines = Bench().Lines();
  QImage image(client.Width(), client.Height(), QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 0));
    painter.drawLines(lines.data(), static_cast<int>(lines.size()));
  }
  state.SetItemsProcessed(state.iterations() * kColumns * kRows);
}
}  // namespace

BENCHMARK(QtPainterSameLines)->Unit(benchmark::kMillisecond);
BENCHMARK(WorkbenchRedraw)->Unit(benchmark::kMillisecond);
