// The baselines of startup_bench: a bare Qt main window of the main frame's default size, shown;
// with the arguments "bars MENUS BUTTONS PANES", the same window with that many menus in its menu
// bar, buttons on its tool bar and text panes on its status bar (the first one the message line),
// as many as the program's main frame shows at start: the Qt parts such a main frame needs.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QString>
#include <QToolBar>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
  QApplication app(argc, argv);
  QMainWindow window;
  window.resize(1024, 768);
  if (argc == 5 && std::strcmp(argv[1], "bars") == 0) {
    const int menus = std::atoi(argv[2]);
    const int buttons = std::atoi(argv[3]);
    const int panes = std::atoi(argv[4]);
    for (int i = 0; i < menus; ++i)
      window.menuBar()->addMenu(QString("&Menu %1").arg(i + 1))->addAction("Item");
    QToolBar* bar = window.addToolBar("Standard");
    for (int i = 0; i < buttons; ++i)
      bar->addAction(QString("Button %1").arg(i + 1));
    for (int i = 0; i < panes; ++i) {
      auto* pane = new QLabel(i == 0 ? "Ready" : "X=0000.00  y=0000.00", window.statusBar());
      if (i == 0)
        window.statusBar()->addWidget(pane, 1);
      else
        window.statusBar()->addPermanentWidget(pane);
    }
  }
  window.show();
  return app.exec();
}
