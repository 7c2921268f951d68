// The baselines of startup_bench: a bare Qt main window of the main frame's default size, shown;
// with the argument "bars", the same window with a menu bar, a tool bar and a status bar holding
// text, the Qt parts every main frame of that kind needs (fonts, the tool bar's own icons).
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <cstring>

int main(int argc, char** argv)
{
  QApplication app(argc, argv);
  QMainWindow window;
  window.resize(1024, 768);
  if (argc > 1 && std::strcmp(argv[1], "bars") == 0) {
    for (const char* title : {"&File", "&Edit", "&View", "&Window", "&Help"})
      window.menuBar()->addMenu(title)->addAction("Item");
    QToolBar* bar = window.addToolBar("Standard");
    for (const char* text : {"New", "Open", "Save", "Print"})
      bar->addAction(text);
    window.statusBar()->showMessage("Ready");
  }
  window.show();
  return app.exec();
}
