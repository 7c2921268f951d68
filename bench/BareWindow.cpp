// The baseline of startup_bench: a bare Qt main window of the main frame's default size, shown.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
  QApplication app(argc, argv);
  QMainWindow window;
  window.resize(1024, 768);
  window.show();
  return app.exec();
}
