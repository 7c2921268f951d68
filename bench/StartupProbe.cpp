// Linked into a program started by startup_bench: when the program's first top-level main window
// is painted, writes one line to the descriptor named by PANECRAFT_STARTUP_FD and ends the
// process at once, so that the bench measures the start-up alone and not the shutdown. The line
// says what the window shows, so that the baseline window can be given as much:
//   shown <menus in the menu bar> <their items> <tool-bar buttons> <icon width> <icon height>
//         <status-bar panes>
#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSize>
#include <QStatusBar>
#include <QToolBar>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

int CountMenus(const QMainWindow& window)
{
  auto* bar = qobject_cast<QMenuBar*>(window.menuWidget());
  int count = 0;
  if (bar)
    for (const QAction* action : bar->actions())
      count += action->isVisible() && action->menu() ? 1 : 0;
  return count;
}

// The commands of a menu and of the menus it opens.
int CountItems(const QMenu& menu)
{
  int count = 0;
  for (const QAction* action : menu.actions()) {
    if (!action->isVisible() || action->isSeparator())
      continue;
    count += action->menu() ? CountItems(*action->menu()) : 1;
  }
  return count;
}

int CountMenuItems(const QMainWindow& window)
{
  auto* bar = qobject_cast<QMenuBar*>(window.menuWidget());
  int count = 0;
  if (bar)
    for (const QAction* action : bar->actions())
      if (action->isVisible() && action->menu())
        count += CountItems(*action->menu());
  return count;
}

// The window's own tool bars: those of the frames inside it are not part of what it shows first.
// The icon size is that of the first one shown.
int CountToolBarButtons(const QMainWindow& window, QSize& iconSize)
{
  int count = 0;
  for (const QToolBar* bar : window.findChildren<QToolBar*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (bar->isHidden())
      continue;
    if (count == 0)
      iconSize = bar->iconSize();
    for (const QAction* action : bar->actions())
      count += action->isVisible() && !action->isSeparator() ? 1 : 0;
  }
  return count;
}

int CountStatusPanes(const QMainWindow& window)
{
  const auto* bar = window.findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly);
  if (!bar || bar->isHidden())
    return 0;
  return static_cast<int>(bar->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly).size());
}

class CShownProbe : public QObject
{
public:
  explicit CShownProbe(int fd) : m_fd(fd) {}

  bool eventFilter(QObject* watched, QEvent* event) override
  {
    if (event->type() == QEvent::Paint) {
      auto* window = qobject_cast<QMainWindow*>(watched);
      if (window && window->isWindow()) {
        char line[96];
        QSize iconSize;
        const int buttons = CountToolBarButtons(*window, iconSize);
        const int length =
            std::snprintf(line, sizeof line, "shown %d %d %d %d %d %d\n", CountMenus(*window), CountMenuItems(*window),
                          buttons, iconSize.width(), iconSize.height(), CountStatusPanes(*window));
        [[maybe_unused]] ssize_t written = ::write(m_fd, line, static_cast<size_t>(length));
        std::_Exit(0);
      }
    }
    return false;
  }

private:
  int m_fd;
};

void InstallShownProbe()
{
  const char* fd = std::getenv("PANECRAFT_STARTUP_FD");
  if (fd && *fd)
    QCoreApplication::instance()->installEventFilter(new CShownProbe(std::atoi(fd)));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallShownProbe)
