// The report windows of projects of 1,000 and 10,000 stored designs: one repaint of the whole
// window, one scroll by 16 pixels, and, with both report windows open on the project, one design
// added to the design list with the paints that follow it; and the Update command, which makes
// the report afresh from every stored design. A report window shows the same number of lines
// whatever the project's size: the growth of a repaint, a scroll and a list change from 1,000 to
// 10,000 designs should be at most twice the growth of a Qt painter writing a window's worth of
// the same report's lines, taken from the middle of them, at both sizes. The update's growth
// should be at most 1.1 times that of a walk reading every stored design (bench/BenchWalk.h).
// The label of a repaint carries a hash of the window's pixels, so that two builds can be
// compared.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <map>
#include <memory>

#include "bench/BenchApp.h"
#include "bench/BenchDesigns.h"
#include "bench/BenchRatio.h"
#include "bench/BenchSetup.h"
#include "bench/BenchWalk.h"
#include "document/Doc.h"
#include "reports/Rptsvc.h"
#include "reports/Rptview.h"
#include "reports/Schrptgn.h"
#include "reports/Uirptgen.h"
#include "ui/wnd/QtConv.h"

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 720;
// Distinct designs made from the catalogue; the project holds copies of them under names of
// their own (making a unit asks the catalogue, which would take most of the set-up time).
constexpr int kDistinctDesigns = 28;

struct CBenchReportServices : CReportServices
{
  CScheduleReportGenerator* GetScheduleReportGenerator() override { return &schedule; }
  CUnitInfoReportGenerator* GetUnitInfoReportGenerator() override { return &unitInfo; }
  CScheduleReportGenerator schedule;
  CUnitInfoReportGenerator unitInfo;
};

// The application, its report services and the distinct designs, made once.
struct CBenchApp
{
  CBenchApp()
  {
    bench::DesignBenchApp("reportview_bench", PANECRAFT_TXDB_DIR);
    SetReportServices(&reports);
    for (int i = 0; i < kDistinctDesigns; ++i)
      designs.push_back(bench::MakeDesign(i));
  }
  CBenchReportServices reports;
  std::vector<CDesignStore> designs;
};

// Made once and left to the end of the process: its windows must not outlive the application.
CBenchApp& App()
{
  static auto* app = new CBenchApp;
  return *app;
}

void RunPendingEvents() { QCoreApplication::processEvents(); }

// A project of `designs` stored designs with both report windows open on it, each scrolled to
// the middle of its report.
struct CBenchProject
{
  explicit CBenchProject(int designs)
  {
    const std::vector<CDesignStore>& distinct = App().designs;
    doc = std::make_unique<CDoc>();
    doc->OnNewDocument();
    doc->GetProjectData().SetProjectName("Bench Project");
    for (int i = 0; i < designs; ++i) {
      CDesignStore store = distinct[static_cast<size_t>(i % kDistinctDesigns)];
      store.SetName(CString::Formatted("Design %06d", i));
      doc->AddDesign(store);
    }
    schedule = Open(new CScheduleReportView);
    unitInfo = Open(new CUnitInfoReportView);
  }

  CReportView* Open(CReportView* pView)
  {
    pView->CreateEx(0, nullptr, "Report", WS_OVERLAPPED | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, 0);
    doc->AddView(pView);
    pView->OnInitialUpdate();
    pView->UpdateWindow();
    RunPendingEvents();
    pView->ScrollToPosition(CPoint(0, pView->GetTotalSize().cy / 2));
    pView->UpdateWindow();
    return pView;
  }

  std::unique_ptr<CDoc> doc;
  CReportView* schedule = nullptr;
  CReportView* unitInfo = nullptr;
};

CBenchProject& Project(int designs) { return bench::MadeOnce<CBenchProject>(designs); }

enum Report
{
  schedule,
  unitInfo
};

CReportView* View(const benchmark::State& state, Report report)
{
  CBenchProject& project = Project(static_cast<int>(state.range(0)));
  return report == schedule ? project.schedule : project.unitInfo;
}

// A hash of the window's pixels and how many are dark, as the label and a counter.
void LabelWithPixels(benchmark::State& state, CWnd* pView)
{
  CRect client;
  pView->GetClientRect(&client);
  unsigned hash = 2166136261u;
  int inked = 0;
  for (int y = 0; y < client.Height(); ++y)
    for (int x = 0; x < client.Width(); ++x) {
      const COLORREF pixel = pView->GetSurfacePixel(x, y);
      hash = (hash ^ pixel) * 16777619u;
      inked += GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 3 * 128;
    }
  state.counters["inked"] = inked;
  char label[32];
  std::snprintf(label, sizeof label, "pixels %08x", hash);
  state.SetLabel(label);
}

void Repaint(benchmark::State& state, Report report)
{
  CReportView* pView = View(state, report);
  for (auto _ : state) {
    pView->Invalidate(TRUE);
    pView->UpdateWindow();
  }
  state.counters["lines"] = static_cast<double>(pView->GetReportLines() ? pView->GetReportLines()->GetSize() : 0);
  LabelWithPixels(state, pView);
}

// Down by 16 pixels and back up again by turns, as a user steps through the middle of the report.
void Scroll(benchmark::State& state, Report report)
{
  CReportView* pView = View(state, report);
  const CPoint middle = pView->GetScrollPosition();
  int step = 16;
  for (auto _ : state) {
    pView->ScrollToPosition(CPoint(middle.x, pView->GetScrollPosition().y + step));
    pView->UpdateWindow();
    step = -step;
  }
  pView->ScrollToPosition(middle);
  pView->UpdateWindow();
}

void ScheduleRepaint(benchmark::State& state) { Repaint(state, schedule); }
void UnitInfoRepaint(benchmark::State& state) { Repaint(state, unitInfo); }
void ScheduleScroll(benchmark::State& state) { Scroll(state, schedule); }
void UnitInfoScroll(benchmark::State& state) { Scroll(state, unitInfo); }

// One design added to the project with both report windows open, and the events and paints that
// follow; the design is taken back outside the time.
void DesignListChange(benchmark::State& state)
{
  const int designs = static_cast<int>(state.range(0));
  CBenchProject& project = Project(designs);
  CDesignStore store = App().designs[0];
  int added = 0;
  for (auto _ : state) {
    store.SetName(CString::Formatted("Added %06d", added++));
    project.doc->AddDesign(store);
    RunPendingEvents();
    project.schedule->UpdateWindow();
    project.unitInfo->UpdateWindow();
    state.PauseTiming();
    if (project.doc->GetDesignCount() != designs + 1)
      state.SkipWithError("the design was not added");
    project.doc->DeleteDesign(designs);
    RunPendingEvents();
    project.schedule->UpdateWindow();
    project.unitInfo->UpdateWindow();
    state.ResumeTiming();
  }
}

// The Update command: the report made afresh from every stored design, then one paint.
void Update(benchmark::State& state, Report report)
{
  CReportView* pView = View(state, report);
  for (auto _ : state) {
    pView->SendMessage(WM_COMMAND, ID_REPORT_UPDATE, 0);
    pView->UpdateWindow();
  }
}

void ScheduleUpdate(benchmark::State& state) { Update(state, schedule); }
void UnitInfoUpdate(benchmark::State& state) { Update(state, unitInfo); }

// The baseline of the repaints, scrolls and list changes: the schedule's lines held by a Qt
// painter, which writes as many of them as the window shows, from the middle, on an image of the
// window's size.
struct CPlainReport
{
  explicit CPlainReport(int designs) : image(kWidth, kHeight, QImage::Format_RGB32), font("Courier New")
  {
    font.setPointSizeF(10.0);
    if (const CStringArray* pLines = Project(designs).schedule->GetReportLines())
      for (int i = 0; i < pLines->GetSize(); ++i)
        lines.push_back(ToQStringCodePage(pLines->GetAt(i)));
  }
  void Paint()
  {
    QPainter painter(&image);
    painter.fillRect(image.rect(), Qt::white);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    size_t line = lines.size() / 2;
    for (int y = metrics.ascent(); y < kHeight + metrics.descent() && line < lines.size(); ++line) {
      painter.drawText(0, y, lines[line]);
      y += metrics.lineSpacing();
    }
  }
  QImage image;
  QFont font;
  std::vector<QString> lines;
};

void PlainReportPaint(benchmark::State& state)
{
  CPlainReport& plain = bench::MadeOnce<CPlainReport>(static_cast<int>(state.range(0)));
  for (auto _ : state)
    plain.Paint();
  state.counters["lines"] = static_cast<double>(plain.lines.size());
}

void WalkDesigns(benchmark::State& state)
{
  CBenchProject& project = Project(static_cast<int>(state.range(0)));
  int units = 0;
  for (auto _ : state)
    units = bench::CountStoredUnits(*project.doc);
  state.counters["units"] = units;
}

void Sizes(benchmark::internal::Benchmark* b) { b->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond); }

// Each growth from 1,000 to 10,000 designs over its baseline's.
CBenchGrowth OverPlain(const char* label, const char* benchmark)
{
  const std::string name = benchmark;
  return CBenchGrowth(label, {name + "/10000", name + "/1000"}, {"PlainReportPaint/10000", "PlainReportPaint/1000"},
                      2.0);
}
CBenchGrowth OverWalk(const char* label, const char* benchmark)
{
  const std::string name = benchmark;
  return CBenchGrowth(label, {name + "/10000", name + "/1000"}, {"WalkDesigns/10000", "WalkDesigns/1000"}, 1.1);
}

const CBenchGrowth kScheduleRepaint = OverPlain("schedule repaint 10,000 / 1,000, over plain's", "ScheduleRepaint");
const CBenchGrowth kScheduleScroll = OverPlain("schedule scroll 10,000 / 1,000, over plain's", "ScheduleScroll");
const CBenchGrowth kUnitInfoRepaint = OverPlain("unit info repaint 10,000 / 1,000, over plain's", "UnitInfoRepaint");
const CBenchGrowth kUnitInfoScroll = OverPlain("unit info scroll 10,000 / 1,000, over plain's", "UnitInfoScroll");
const CBenchGrowth kListChange = OverPlain("list change 10,000 / 1,000, over plain's", "DesignListChange");
const CBenchGrowth kScheduleUpdate = OverWalk("schedule update 10,000 / 1,000, over walk's", "ScheduleUpdate");
const CBenchGrowth kUnitInfoUpdate = OverWalk("unit info update 10,000 / 1,000, over walk's", "UnitInfoUpdate");

}  // namespace

BENCHMARK(PlainReportPaint)->Apply(Sizes);
BENCHMARK(WalkDesigns)->Apply(Sizes);
BENCHMARK(ScheduleRepaint)->Apply(Sizes);
BENCHMARK(ScheduleScroll)->Apply(Sizes);
BENCHMARK(UnitInfoRepaint)->Apply(Sizes);
BENCHMARK(UnitInfoScroll)->Apply(Sizes);
BENCHMARK(DesignListChange)->Apply(Sizes);
BENCHMARK(ScheduleUpdate)->Apply(Sizes);
BENCHMARK(UnitInfoUpdate)->Apply(Sizes);
