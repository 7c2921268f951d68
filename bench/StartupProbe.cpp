// Linked into a program started by startup_bench: when the program's first top-level main window
// is painted, writes one line to the descriptor named by PANECRAFT_STARTUP_FD and ends the
// process at once, so that the bench measures the start-up alone and not the shutdown. The line
// says what the window shows, so that the baseline window can be made to show as much:
//   shown <width> <height> <menus in the menu bar> <their items> <tool-bar buttons> <icon width>
//         <icon height> <status-bar panes> <child windows> [<child window>]...
// and for each child window shown in the MDI client, in the order they were made:
//   <width> <height> <tool-bar buttons> <icon width> <icon height> <scrolled> <its panel>
//   <dialog bars> <their panel>
// where <scrolled> is 1 when the child shows scroll bars of its own (a drawing), and a panel is
// the controls of the frame's inside or of its dialog bars:
//   <lists> <edit fields> <combo boxes> <buttons> <labels> <group boxes>
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDockWidget>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSize>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <cstdio>
#include <cstdlib>
#include <string>
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

// The window's own tool bars: those of the frames inside it are counted with those frames. The
// icon size is that of the first one shown.
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

// Shown, with every widget it stands in up to the window.
bool Shown(const QWidget* widget)
{
  for (; widget; widget = widget->parentWidget()) {
    if (widget->isHidden())
      return false;
    if (widget->isWindow())
      break;
  }
  return true;
}

// A part of a list or a combo box, or a dock's own title button: counted with its control.
bool PartOfControl(const QWidget* widget, const QWidget* inside)
{
  if (qobject_cast<const QAbstractButton*>(widget) && qobject_cast<const QDockWidget*>(widget->parentWidget()))
    return true;
  for (const QWidget* holder = widget->parentWidget(); holder && holder != inside; holder = holder->parentWidget())
    if (qobject_cast<const QAbstractItemView*>(holder) || qobject_cast<const QComboBox*>(holder))
      return true;
  return false;
}

struct CPanel
{
  int lists = 0;
  int edits = 0;
  int combos = 0;
  int buttons = 0;
  int labels = 0;
  int groups = 0;
  bool scrolled = false;

  void Count(const QWidget* inside)
  {
    if (!inside)
      return;
    for (const QWidget* widget : inside->findChildren<QWidget*>()) {
      if (!Shown(widget) || PartOfControl(widget, inside))
        continue;
      if (qobject_cast<const QAbstractItemView*>(widget))
        ++lists;
      else if (qobject_cast<const QComboBox*>(widget))
        ++combos;
      else if (qobject_cast<const QLineEdit*>(widget))
        ++edits;
      else if (qobject_cast<const QAbstractButton*>(widget) && !qobject_cast<const QToolButton*>(widget))
        ++buttons;
      else if (qobject_cast<const QLabel*>(widget))
        ++labels;
      else if (qobject_cast<const QGroupBox*>(widget))
        ++groups;
      else if (qobject_cast<const QScrollBar*>(widget))
        scrolled = true;
    }
  }

  std::string Text() const
  {
    char text[96];
    std::snprintf(text, sizeof text, " %d %d %d %d %d %d", lists, edits, combos, buttons, labels, groups);
    return text;
  }
};

std::string DescribeChild(const QMdiSubWindow& sub)
{
  auto* inner = qobject_cast<QMainWindow*>(sub.widget());
  QSize iconSize;
  const int buttons = inner ? CountToolBarButtons(*inner, iconSize) : 0;
  CPanel inside;
  CPanel bars;
  int dialogBars = 0;
  if (inner) {
    inside.Count(inner->centralWidget());
    for (const QDockWidget* dock : inner->findChildren<QDockWidget*>(QString(), Qt::FindDirectChildrenOnly))
      if (!dock->isHidden()) {
        ++dialogBars;
        bars.Count(dock);
      }
  } else
    inside.Count(sub.widget());
  char text[96];
  std::snprintf(text, sizeof text, " %d %d %d %d %d %d", sub.width(), sub.height(), buttons, iconSize.width(),
                iconSize.height(), inside.scrolled ? 1 : 0);
  std::string described(text);
  described.append(inside.Text()).append(" ").append(std::to_string(dialogBars)).append(bars.Text());
  return described;
}

std::string Describe(const QMainWindow& window)
{
  QSize iconSize;
  const int buttons = CountToolBarButtons(window, iconSize);
  char text[128];
  std::snprintf(text, sizeof text, "shown %d %d %d %d %d %d %d %d", window.width(), window.height(), CountMenus(window),
                CountMenuItems(window), buttons, iconSize.width(), iconSize.height(), CountStatusPanes(window));
  std::string children;
  int count = 0;
  if (auto* area = qobject_cast<QMdiArea*>(window.centralWidget()))
    for (const QMdiSubWindow* sub : area->subWindowList(QMdiArea::CreationOrder))
      if (!sub->isHidden()) {
        children.append(DescribeChild(*sub));
        ++count;
      }
  std::string described(text);
  described.append(" ").append(std::to_string(count)).append(children).append("\n");
  return described;
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
        const std::string line = Describe(*window);
        [[maybe_unused]] ssize_t written = ::write(m_fd, line.data(), line.size());
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
