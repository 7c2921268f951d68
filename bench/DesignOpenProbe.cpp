// Linked into a program started by design_open_bench with a project file: once the program's
// main window is first painted, opens a stored design from the project's design list on the
// Workbench as a user's Edit Design does, until the Workbench has painted it, writes one line
// to the descriptor named by PANECRAFT_OPEN_FD and ends the process at once. The line tells
// what the open took, CPU time taken around it in the process and wall time:
//   opened <units on the Workbench> <cpu seconds> <wall seconds>
// PANECRAFT_OPEN_DESIGN names the design timed. PANECRAFT_OPEN_BEFORE, when set, names a design
// opened first and left for a new empty one (Create Design, the Workbench as the start shows
// it), outside the time: the open of a program that has opened a design before. With
// PANECRAFT_OPEN_ELEVATION=1 the Elevation is then shown with the whole design selected (and
// shown and closed for the earlier design too), and the line tells that instead:
//   elevation <units on the Workbench> <cpu seconds> <wall seconds>
// The probe runs on any platform the program runs on: started by hand with QT_QPA_PLATFORM=xcb
// and a DISPLAY (and PANECRAFT_OPEN_FD=3 3>&1), it times the open in a program shown on that X
// server.
#include <QCoreApplication>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <unistd.h>

#include "app/App.h"
#include "app/Shellids.h"
#include "document/Doc.h"
#include "document/Whids.h"
#include "document/Whview.h"
#include "ui/frame/Frame.h"
#include "workbench/frame/Wbids.h"
#include "workbench/view/Wbview.h"

namespace {

constexpr int kMainWidth = 1600;
constexpr int kMainHeight = 1000;

double CpuSeconds()
{
  timespec now{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Runs the program's events and paints what is still invalid in the view, as the next paint
// would: what the action changed is on the screen when this returns.
void Settle(CWnd* pView)
{
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  if (pView)
    pView->UpdateWindow();
}

CApp* Program() { return dynamic_cast<CApp*>(AfxGetApp()); }

CDoc* Project()
{
  CApp* pApp = Program();
  return pApp ? dynamic_cast<CDoc*>(pApp->GetActiveDocument()) : nullptr;
}

CWorkbenchView* Workbench(CDoc* pDoc) { return dynamic_cast<CWorkbenchView*>(pDoc->GetWorkbenchView()); }

// Edit Design on the named design of the project's list; the Workbench holding it, or null.
CWorkbenchView* EditDesign(CDoc* pDoc, const char* name)
{
  auto* pList = dynamic_cast<CWarehouseView*>(pDoc->GetWarehouseView());
  if (!pList)
    return nullptr;
  pList->GetParentFrame()->ActivateFrame(-1);
  CListBox* pBox = pList->GetDesignListBox();
  const int index = pBox->FindStringExact(-1, name);
  if (index < 0)
    return nullptr;
  pBox->SetCurSel(index);
  pList->SendMessage(WM_COMMAND, ID_EDIT_DESIGN);
  CWorkbenchView* pView = Workbench(pDoc);
  Settle(pView);
  return Workbench(pDoc);
}

// Create Design: the design on the Workbench left for a new empty one, as at the start.
bool NewDesign(CDoc* pDoc)
{
  auto* pList = dynamic_cast<CWarehouseView*>(pDoc->GetWarehouseView());
  if (!pList)
    return false;
  pList->SendMessage(WM_COMMAND, ID_CREATE_DESIGN);
  CWorkbenchView* pView = Workbench(pDoc);
  Settle(pView);
  return pView && pView->GetItemList()->IsEmpty();
}

// The Elevation of the whole design, selected first outside the time as Select All leaves it.
bool ShowElevation(CDoc* pDoc, CWorkbenchView* pView, double& cpu, double& wall)
{
  pView->GetParentFrame()->ActivateFrame(-1);
  pView->SendMessage(WM_COMMAND, ID_SELECT_ALL);
  Settle(pView);
  const auto wallStart = std::chrono::steady_clock::now();
  const double cpuStart = CpuSeconds();
  Program()->m_pMainWnd->SendMessage(WM_COMMAND, ID_VIEW_ELEVATION);
  Settle(pDoc->GetElevationView());
  cpu = CpuSeconds() - cpuStart;
  wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
  return pDoc->GetElevationView() != nullptr;
}

// The earlier design opened, its Elevation shown and closed where the Elevation is timed, and
// the design left for a new one: outside the time.
bool OpenBefore(CDoc* pDoc, const char* name, bool elevation)
{
  CWorkbenchView* pView = EditDesign(pDoc, name);
  if (!pView)
    return false;
  double cpu = 0;
  double wall = 0;
  if (elevation) {
    if (!ShowElevation(pDoc, pView, cpu, wall))
      return false;
    Program()->m_pMainWnd->SendMessage(WM_COMMAND, ID_VIEW_ELEVATION);
    Settle(Workbench(pDoc));
  }
  return NewDesign(pDoc);
}

void Report(int fd, const char* what, int units, double cpu, double wall)
{
  char line[160];
  const int length = std::snprintf(line, sizeof line, "%s %d %.9f %.9f\n", what, units, cpu, wall);
  [[maybe_unused]] const ssize_t written = ::write(fd, line, static_cast<size_t>(length));
}

// Ends the process at once: the bench measures the open, not the shutdown.
[[noreturn]] void Fail(int fd, const char* why)
{
  Report(fd, why, 0, 0, 0);
  std::_Exit(1);
}

void OpenTimed(int fd)
{
  const char* name = std::getenv("PANECRAFT_OPEN_DESIGN");
  const char* before = std::getenv("PANECRAFT_OPEN_BEFORE");
  const char* elevation = std::getenv("PANECRAFT_OPEN_ELEVATION");
  const bool timesElevation = elevation && std::string(elevation) == "1";
  CDoc* pDoc = Project();
  if (!name || !pDoc)
    Fail(fd, "no-project");
  // The main window as large as a user's on a screen of 1600 x 1000.
  Program()->m_pMainWnd->m_hWnd->window()->resize(kMainWidth, kMainHeight);
  Settle(nullptr);
  if (before && *before && !OpenBefore(pDoc, before, timesElevation))
    Fail(fd, "not-opened-before");
  const auto wallStart = std::chrono::steady_clock::now();
  const double cpuStart = CpuSeconds();
  CWorkbenchView* pView = EditDesign(pDoc, name);
  double cpu = CpuSeconds() - cpuStart;
  double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
  if (!pView)
    Fail(fd, "not-opened");
  const int units = static_cast<int>(pView->GetItemList()->GetCount());
  if (timesElevation) {
    if (!ShowElevation(pDoc, pView, cpu, wall))
      Fail(fd, "no-elevation");
    Report(fd, "elevation", units, cpu, wall);
  } else
    Report(fd, "opened", units, cpu, wall);
  std::_Exit(0);
}

class COpenProbe : public QObject
{
public:
  explicit COpenProbe(int fd) : m_fd(fd) {}

  bool eventFilter(QObject* watched, QEvent* event) override
  {
    if (!m_started && event->type() == QEvent::Paint) {
      auto* window = qobject_cast<QMainWindow*>(watched);
      if (window && window->isWindow()) {
        m_started = true;
        // After the paint, as a user's first click comes.
        QTimer::singleShot(0, [fd = m_fd] { OpenTimed(fd); });
      }
    }
    return false;
  }

private:
  int m_fd;
  bool m_started = false;
};

void InstallOpenProbe()
{
  const char* fd = std::getenv("PANECRAFT_OPEN_FD");
  if (fd && *fd)
    QCoreApplication::instance()->installEventFilter(new COpenProbe(std::atoi(fd)));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallOpenProbe)
