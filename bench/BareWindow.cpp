// The baselines of startup_bench: a bare Qt main window of the main frame's default size, shown;
// with the arguments "bars MENUS ITEMS BUTTONS ICONWIDTH ICONHEIGHT PANES", the same window with
// that many menus in its menu bar holding that many items among them, buttons with icons of that
// size drawn for each on its tool bar, and text panes on its status bar (the first one the
// message line), as many as the program's main frame shows at start: the Qt parts such a main
// frame needs.
#include <QApplication>
#include <QColor>
#include <QIcon>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QSize>
#include <QStatusBar>
#include <QString>
#include <QToolBar>
#include <algorithm>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
  QApplication app(argc, argv);
  QMainWindow window;
  window.resize(1024, 768);
  if (argc == 8 && std::strcmp(argv[1], "bars") == 0) {
    const int menus = std::atoi(argv[2]);
    const int items = std::atoi(argv[3]);
    const int buttons = std::atoi(argv[4]);
    const QSize iconSize(std::atoi(argv[5]), std::atoi(argv[6]));
    const int panes = std::atoi(argv[7]);
    for (int i = 0; i < menus; ++i) {
      QMenu* menu = window.menuBar()->addMenu(QString("&Menu %1").arg(i + 1));
      // The items shared out, the first menus taking one more where they do not divide evenly.
      const int count = items / menus + (i < items % menus ? 1 : 0);
      for (int k = 0; k < count; ++k)
        menu->addAction(QString("Item %1").arg(k + 1));
    }
    QToolBar* bar = window.addToolBar("Standard");
    if (iconSize.isValid())
      bar->setIconSize(iconSize);
    for (int i = 0; i < buttons; ++i) {
      QPixmap pixmap(iconSize.isValid() ? iconSize : QSize(16, 16));
      pixmap.fill(Qt::transparent);
      QPainter painter(&pixmap);
      painter.setPen(QColor::fromHsv(i * 360 / std::max(buttons, 1) % 360, 255, 160));
      painter.drawRect(pixmap.rect().adjusted(1, 1, -2, -2));
      painter.end();
      bar->addAction(QIcon(pixmap), QString("Button %1").arg(i + 1));
    }
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
