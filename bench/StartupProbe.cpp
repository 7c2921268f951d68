// Linked into a program started by startup_bench: when the program's first top-level main window
// is painted, writes one line to the descriptor named by PANECRAFT_STARTUP_FD and ends the
// process at once, so that the bench measures the start-up alone and not the shutdown.
#include <QCoreApplication>
#include <QEvent>
#include <QMainWindow>
#include <cstdlib>
#include <unistd.h>

namespace {

class CShownProbe : public QObject
{
public:
  explicit CShownProbe(int fd) : m_fd(fd) {}

  bool eventFilter(QObject* watched, QEvent* event) override
  {
    if (event->type() == QEvent::Paint) {
      auto* window = qobject_cast<QMainWindow*>(watched);
      if (window && window->isWindow()) {
        const char line[] = "shown\n";
        [[maybe_unused]] ssize_t written = ::write(m_fd, line, sizeof line - 1);
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
