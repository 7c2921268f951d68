// The running program's Workbench holding designs of 200 and 2,000 awnings: deselecting all of
// them by a click on an empty place, Select All then the Delete key, Edit Paste of all of them,
// an arrow nudge of all and a four-step drag of all, each through the program's own commands,
// keys and mouse events and each until the program has painted what it changed. Each is printed
// against one full redraw of the same Workbench in the same run (at most 5; paste and drag at
// 2,000 units for comparison only, as they make or move every unit and the redraw of the window
// does not grow with the units as they do), and its growth from 200 to 2,000 units against the
// growth of a plain read of a stored design of as many awnings, which grows as the units do (at
// most 1.2 times that). The same program opens designs of 500
// and 5,000 units from the design list on the Workbench and shows their Elevation with the whole
// design selected; the growth of each from 500 to 5,000 units is judged the same way (at most 1.2
// times the read's). The program's profile and documents folder are under $TMPDIR.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/App.h"
#include "app/Mainfrm.h"
#include "app/Shellids.h"
#include "bench/BenchApp.h"
#include "bench/BenchAwnings.h"
#include "bench/BenchRatio.h"
#include "bench/BenchScratch.h"
#include "document/Doc.h"
#include "document/Dochints.h"
#include "document/Whids.h"
#include "document/Whview.h"
#include "model/Stdunit.h"
#include "platform/core/Coreclass.h"
#include "project/Design.h"
#include "project/Dsgstore.h"
#include "project/Projreg.h"
#include "ui/dlg/DialogService.h"
#include "ui/draw/Dc.h"
#include "ui/frame/Frame.h"
#include "units/freeform/Vgreg.h"
#include "units/standard/Stdreg.h"
#include "workbench/frame/Wbids.h"
#include "workbench/items/Unititem.h"
#include "workbench/view/Wbview.h"

namespace {
constexpr int kMainWidth = 1600;
constexpr int kMainHeight = 1000;
// The awnings stand 26 inches apart in rows of 50 from the world's lower left; above them the
// Workbench is empty. The designs that are opened stand closer, so that 5,000 fit the world.
constexpr int kColumns = bench::kAwningColumns;
constexpr double kMargin = 10.0;
constexpr double kSelectionMargin = 80.0;
constexpr double kStep = bench::kAwningStep;
constexpr double kOpenRowStep = 14.0;
constexpr int kDragSteps = 4;

void Pump()
{
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

// Runs the program's events, and paints what is still invalid in the view, as the next paint
// would: what an action changed is on the screen when this returns.
void Settle(CWnd* pView)
{
  Pump();
  if (pView)
    pView->UpdateWindow();
}

CDesignStore MakeStoredDesign(const CString& name, int units)
{
  return bench::MakeAwningsDesign(name, units, kMargin, kOpenRowStep);
}

QMouseEvent MouseEvent(CWnd* pWnd, QEvent::Type type, CPoint point, Qt::MouseButton button, Qt::MouseButtons buttons)
{
  const QPointF local(point.x, point.y);
  return QMouseEvent(type, local, local, pWnd->m_hWnd->mapToGlobal(local), button, buttons, Qt::NoModifier);
}

void SendMouse(CWnd* pWnd, QEvent::Type type, CPoint point, Qt::MouseButton button, Qt::MouseButtons buttons)
{
  QMouseEvent event = MouseEvent(pWnd, type, point, button, buttons);
  QCoreApplication::sendEvent(pWnd->m_hWnd, &event);
}

// The profile's folder under $TMPDIR, removed at exit: the bench never writes the user's own
// profile, nor documents into the user's folders.
const std::string& ProfileFolder()
{
  static const CBenchScratch folder("pcselection");
  static const std::string path = folder.Path().string();
  return path;
}

// The program started offscreen on the sample catalogue, with a profile of its own, its main
// window 1600 x 1000 as a user's, and every question answered as the user's default would.
class CBenchProgram
{
public:
  CBenchProgram()
  {
    m_folder = ProfileFolder();
    if (m_folder.empty())
      std::abort();
    ::setenv("XDG_CONFIG_HOME", m_folder.c_str(), 1);
    std::filesystem::create_directories(m_folder + "/Tarvex Windows");
    std::ofstream(m_folder + "/Tarvex Windows/Panecraft.ini")
        << "[Misc]\nSplashScreenTime=0\nProductDatabaseDir=" << PANECRAFT_TXDB_DIR << "\n";
    std::filesystem::create_directories(m_folder + "/Documents");
    std::ofstream(m_folder + "/user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"" << m_folder << "/Documents\"\n";
    bench::QtApplication("selection_bench");
    SetDialogService(&m_dialogs);
    CDC::SetScreenLogPixels(96, 96);
    RegisterStandardUnits();
    RegisterFreeformUnits();
    RegisterCoreClasses();
    RegisterProjectClasses();
    RegisterDocumentClasses();
    m_app = std::make_unique<CApp>();
    if (!m_app->InitApplication() || !m_app->InitInstance())
      std::abort();
    Pump();
    MainFrame()->m_hWnd->window()->resize(kMainWidth, kMainHeight);
    Pump();
  }
  CMainFrame* MainFrame() const { return dynamic_cast<CMainFrame*>(m_app->m_pMainWnd); }
  CDoc* ActiveProject() const { return dynamic_cast<CDoc*>(m_app->GetActiveDocument()); }
  void Command(UINT nID)
  {
    MainFrame()->SendMessage(WM_COMMAND, nID);
    Pump();
  }
  // A new project with its empty Workbench, the first one the project the program started with.
  CDoc* NewProject()
  {
    if (m_projects++ > 0)
      Command(ID_FILE_NEW);
    return ActiveProject();
  }
  CScriptedDialogService& Dialogs() { return m_dialogs; }

private:
  std::string m_folder;
  std::unique_ptr<CApp> m_app;
  CScriptedDialogService m_dialogs;
  int m_projects = 0;
};

// Never destroyed: after main returns, Qt's own globals (the input devices among them) may be
// gone before a Qt application destroyed then.
CBenchProgram& Program()
{
  static auto* program = new CBenchProgram;
  return *program;
}

CWorkbenchView* WorkbenchOf(CDoc* pDoc) { return dynamic_cast<CWorkbenchView*>(pDoc->GetWorkbenchView()); }

// Brings the project's Workbench to the front, maximised, with its view focused.
void Activate(CWorkbenchView* pView)
{
  CFrameWnd* pFrame = pView->GetParentFrame();
  pFrame->ActivateFrame(-1);
  if (auto* pSub = qobject_cast<QMdiSubWindow*>(pFrame->GetOuterHandle()); pSub && !pSub->isMaximized())
    pSub->showMaximized();
  pView->SetFocus();
  Settle(pView);
}

// A project whose Workbench holds n awnings, the whole world in view.
class CSelectionBench
{
public:
  explicit CSelectionBench(int units) : m_units(units)
  {
    m_pDoc = Program().NewProject();
    m_pView = WorkbenchOf(m_pDoc);
    if (!m_pView)
      std::abort();
    Activate(m_pView);
    m_pView->SetScaleFactor(m_pView->GetFitScaleFactor(FALSE), TRUE);
    Fill();
  }

  CWorkbenchView* View() const { return m_pView; }
  int Units() const { return m_units; }

  // The awnings put back where they stood, nothing selected.
  void Fill()
  {
    for (int i = 0; i < m_units; ++i) {
      const CVRX2DPoint p = bench::AwningPoint(i, kSelectionMargin, kStep);
      CUnitItem* pItem = bench::MakeAwning(p.GetX(), p.GetY());
      m_pView->ApplyAlignmentSettings(pItem);
      m_pView->AddItem(pItem, FALSE);
    }
    m_pView->Invalidate(TRUE);
    Settle(m_pView);
  }
  // Takes away whatever the Workbench holds and puts the awnings back.
  void Refill()
  {
    m_pView->DeselectAll();
    while (!m_pView->GetItemList()->IsEmpty())
      m_pView->RemoveItem(static_cast<CDesignItem*>(m_pView->GetItemList()->GetTail()));
    Fill();
  }
  // Removes the items of the last paste (the selection).
  void RemoveSelection()
  {
    std::vector<CDesignItem*> pasted;
    for (POSITION pos = m_pView->GetSelectedItems().GetHeadPosition(); pos;)
      pasted.push_back(static_cast<CDesignItem*>(m_pView->GetSelectedItems().GetNext(pos)));
    m_pView->DeselectAll();
    m_pView->RemoveItems(pasted);
    m_pView->Invalidate(TRUE);
    Settle(m_pView);
  }
  void Command(UINT nID)
  {
    m_pView->SendMessage(WM_COMMAND, nID);
    Settle(m_pView);
  }
  void Key(Qt::Key key)
  {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(m_pView->m_hWnd, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(m_pView->m_hWnd, &release);
    Settle(m_pView);
  }
  void Click(CPoint point)
  {
    SendMouse(m_pView, QEvent::MouseButtonPress, point, Qt::LeftButton, Qt::LeftButton);
    SendMouse(m_pView, QEvent::MouseButtonRelease, point, Qt::LeftButton, Qt::NoButton);
    Settle(m_pView);
  }
  // The press runs the drag loop; each step of the pointer comes once the program has handled
  // the one before, as a pointer's moves come, and the release after the last.
  void Drag(CPoint from, CSize by)
  {
    CWnd* pView = m_pView;
    auto step = std::make_shared<std::function<void(int)>>();
    *step = [pView, from, by, weak = std::weak_ptr(step)](int n) {
      if (n > kDragSteps) {
        SendMouse(pView, QEvent::MouseButtonRelease, from + by, Qt::LeftButton, Qt::NoButton);
        return;
      }
      const CPoint at(from.x + by.cx * n / kDragSteps, from.y + by.cy * n / kDragSteps);
      SendMouse(pView, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
      if (auto next = weak.lock())
        QTimer::singleShot(0, [next, n] { (*next)(n + 1); });
    };
    QTimer::singleShot(0, [step] { (*step)(1); });
    SendMouse(m_pView, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    Settle(m_pView);
  }
  // A point above the awnings, and the middle of the first awning, in client pixels.
  CPoint EmptyPlace() const
  {
    const int rows = (m_units + kColumns - 1) / kColumns;
    return m_pView->WorldToClient(
        CVRX2DPoint(kSelectionMargin + kColumns * kStep / 2, kSelectionMargin + rows * kStep + 2 * kStep));
  }
  CPoint OnFirstAwning() const
  {
    const auto* pFirst = static_cast<CDesignItem*>(m_pView->GetItemList()->GetHead());
    const CVRX2DVector p = pFirst->GetOffset();
    return m_pView->WorldToClient(CVRX2DPoint(p.GetX() + pFirst->GetWidth() / 2, p.GetY() + pFirst->GetHeight() / 2));
  }

private:
  int m_units;
  CDoc* m_pDoc = nullptr;
  CWorkbenchView* m_pView = nullptr;
};

CSelectionBench& Bench(const benchmark::State& state)
{
  static std::map<int64_t, std::unique_ptr<CSelectionBench>> benches;
  auto& bench = benches[state.range(0)];
  if (!bench)
    bench = std::make_unique<CSelectionBench>(static_cast<int>(state.range(0)));
  Activate(bench->View());
  return *bench;
}

bool Holds(benchmark::State& state, const CSelectionBench& bench, int items, int selected)
{
  if (bench.View()->GetItemList()->GetCount() == items && bench.View()->GetSelectedCount(FALSE) == selected)
    return true;
  state.SkipWithError("the Workbench does not hold what the action should have left");
  return false;
}

void FullRedraw(benchmark::State& state)
{
  CSelectionBench& bench = Bench(state);
  for (auto _ : state) {
    bench.View()->Invalidate(TRUE);
    Settle(bench.View());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void DeselectAll(benchmark::State& state)
{
  CSelectionBench& bench = Bench(state);
  for (auto _ : state) {
    state.PauseTiming();
    bench.Command(ID_SELECT_ALL);
    state.ResumeTiming();
    bench.Click(bench.EmptyPlace());
  }
  Holds(state, bench, bench.Units(), 0);
}

void SelectAllDelete(benchmark::State& state)
{
  CSelectionBench& bench = Bench(state);
  for (auto _ : state) {
    bench.Command(ID_SELECT_ALL);
    bench.Key(Qt::Key_Delete);
    state.PauseTiming();
    if (!Holds(state, bench, 0, 0))
      break;
    bench.Fill();
    state.ResumeTiming();
  }
}

void PasteAll(benchmark::State& state)
{
  CSelectionBench& bench = Bench(state);
  bench.Command(ID_SELECT_ALL);
  bench.Command(ID_EDIT_COPY);
  for (auto _ : state) {
    bench.Command(ID_EDIT_PASTE);
    state.PauseTiming();
    if (!Holds(state, bench, 2 * bench.Units(), bench.Units()))
      break;
    bench.RemoveSelection();
    state.ResumeTiming();
  }
  bench.Refill();
}

void NudgeAll(benchmark::State& state)
{
  CSelectionBench& bench = Bench(state);
  bench.Command(ID_SELECT_ALL);
  bool right = true;
  for (auto _ : state) {
    bench.Key(right ? Qt::Key_Right : Qt::Key_Left);
    right = !right;
  }
  Holds(state, bench, bench.Units(), bench.Units());
  bench.Refill();
}

void DragAll(benchmark::State& state)
{
  CSelectionBench& bench = Bench(state);
  bench.Command(ID_SELECT_ALL);
  bool right = true;
  for (auto _ : state) {
    bench.Drag(bench.OnFirstAwning(), CSize(right ? 40 : -40, 0));
    right = !right;
  }
  Holds(state, bench, bench.Units(), bench.Units());
  bench.Refill();
}

// A project holding the designs of 500 and 5,000 awnings, opened from its design list.
class COpenBench
{
public:
  COpenBench()
  {
    m_pDoc = Program().NewProject();
    for (int units : {500, 5000}) {
      m_pDoc->AddDesign(MakeStoredDesign(Name(units), units));
      m_pDoc->UpdateAllViews(nullptr, kHintDesignList);
    }
    CloseWorkbench();
  }
  static CString Name(int units) { return CString::Formatted("Awnings %d", units); }
  CWorkbenchView* Workbench() const { return WorkbenchOf(m_pDoc); }
  void Open(int units)
  {
    auto* pList = dynamic_cast<CWarehouseView*>(m_pDoc->GetWarehouseView());
    pList->GetParentFrame()->ActivateFrame(-1);
    CListBox* pBox = pList->GetDesignListBox();
    pBox->SetCurSel(pBox->FindStringExact(-1, Name(units)));
    pList->SendMessage(WM_COMMAND, ID_EDIT_DESIGN);
    Settle(Workbench());
  }
  void CloseWorkbench()
  {
    if (CWorkbenchView* pView = Workbench()) {
      // Nothing was changed; should the program ask, the design is left as stored.
      Program().Dialogs().messageAnswers.push_back(IDNO);
      pView->GetParentFrame()->SendMessage(WM_CLOSE);
      Pump();
      Program().Dialogs().messageAnswers.clear();
    }
  }
  void ToggleElevation()
  {
    Program().Command(ID_VIEW_ELEVATION);
    Settle(m_pDoc->GetElevationView());
  }
  bool ElevationShown() const { return m_pDoc->GetElevationView() != nullptr; }

private:
  CDoc* m_pDoc = nullptr;
};

COpenBench& OpenBench()
{
  static COpenBench bench;
  return bench;
}

void OpenDesign(benchmark::State& state)
{
  COpenBench& bench = OpenBench();
  const int units = static_cast<int>(state.range(0));
  for (auto _ : state) {
    bench.Open(units);
    state.PauseTiming();
    const bool opened = bench.Workbench() && bench.Workbench()->GetItemList()->GetCount() == units;
    bench.CloseWorkbench();
    state.ResumeTiming();
    if (!opened) {
      state.SkipWithError("the design did not open on the Workbench");
      break;
    }
  }
}

// The baseline of the growths: a stored design of as many awnings read from its bytes, work
// that grows as the units do and that an open must at least do.
void ReadDesign(benchmark::State& state)
{
  Program();
  const CDesignStore store =
      MakeStoredDesign(COpenBench::Name(static_cast<int>(state.range(0))), static_cast<int>(state.range(0)));
  for (auto _ : state) {
    CDesign design;
    store.Retrieve(&design);
    benchmark::DoNotOptimize(design.GetItemList().GetCount());
  }
}

// The Elevation shown with the whole design selected, as after Select All: showing it deselects
// the units.
void ShowElevation(benchmark::State& state)
{
  COpenBench& bench = OpenBench();
  const int units = static_cast<int>(state.range(0));
  bench.Open(units);
  Activate(bench.Workbench());
  for (auto _ : state) {
    state.PauseTiming();
    bench.Workbench()->SendMessage(WM_COMMAND, ID_SELECT_ALL);
    Settle(bench.Workbench());
    state.ResumeTiming();
    bench.ToggleElevation();
    state.PauseTiming();
    const bool shown = bench.ElevationShown();
    if (shown) {
      bench.ToggleElevation();
      Activate(bench.Workbench());
    }
    state.ResumeTiming();
    if (!shown) {
      state.SkipWithError("the Elevation did not show");
      break;
    }
  }
  bench.CloseWorkbench();
}

const CBenchRatio kDeselect200("deselect all / redraw, 200 units", "DeselectAll/200", "FullRedraw/200", 5.0);
const CBenchRatio kDeselect2000("deselect all / redraw, 2,000 units", "DeselectAll/2000", "FullRedraw/2000", 5.0);
const CBenchRatio kDelete200("select all, delete / redraw, 200", "SelectAllDelete/200", "FullRedraw/200", 5.0);
const CBenchRatio kDelete2000("select all, delete / redraw, 2,000", "SelectAllDelete/2000", "FullRedraw/2000", 5.0);
const CBenchRatio kPaste200("paste all / redraw, 200 units", "PasteAll/200", "FullRedraw/200", 5.0);
// Paste and drag make or move every unit, and the redraw of the same window grows far slower
// than the units: at 2,000 their growth over the read's judges them.
const CBenchComparison kPaste2000("paste all / redraw, 2,000 units", "PasteAll/2000", "FullRedraw/2000");
const CBenchRatio kNudge200("nudge all / redraw, 200 units", "NudgeAll/200", "FullRedraw/200", 5.0);
const CBenchRatio kNudge2000("nudge all / redraw, 2,000 units", "NudgeAll/2000", "FullRedraw/2000", 5.0);
const CBenchRatio kDrag200("4-step drag all / redraw, 200 units", "DragAll/200", "FullRedraw/200", 5.0);
const CBenchComparison kDrag2000("4-step drag all / redraw, 2,000 units", "DragAll/2000", "FullRedraw/2000");
const CBenchGrowth kDeselectGrowth("deselect all 2,000 / 200, over the read's", {"DeselectAll/2000", "DeselectAll/200"},
                                   {"ReadDesign/2000", "ReadDesign/200"}, 1.2);
const CBenchGrowth kDeleteGrowth("select all, delete 2,000 / 200, over the read's",
                                 {"SelectAllDelete/2000", "SelectAllDelete/200"}, {"ReadDesign/2000", "ReadDesign/200"},
                                 1.2);
const CBenchGrowth kPasteGrowth("paste all 2,000 / 200, over the read's", {"PasteAll/2000", "PasteAll/200"},
                                {"ReadDesign/2000", "ReadDesign/200"}, 1.2);
const CBenchGrowth kNudgeGrowth("nudge all 2,000 / 200, over the read's", {"NudgeAll/2000", "NudgeAll/200"},
                                {"ReadDesign/2000", "ReadDesign/200"}, 1.2);
const CBenchGrowth kDragGrowth("4-step drag all 2,000 / 200, over the read's", {"DragAll/2000", "DragAll/200"},
                               {"ReadDesign/2000", "ReadDesign/200"}, 1.2);
const CBenchGrowth kOpenGrowth("open 5,000 / 500, over the read's", {"OpenDesign/5000", "OpenDesign/500"},
                               {"ReadDesign/5000", "ReadDesign/500"}, 1.2);
const CBenchGrowth kElevationGrowth("Elevation 5,000 / 500, over the read's",
                                    {"ShowElevation/5000", "ShowElevation/500"}, {"ReadDesign/5000", "ReadDesign/500"},
                                    1.2);
}  // namespace

BENCHMARK(FullRedraw)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(DeselectAll)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(SelectAllDelete)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(PasteAll)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(NudgeAll)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(DragAll)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadDesign)->Arg(200)->Arg(500)->Arg(2000)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenDesign)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(ShowElevation)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);
