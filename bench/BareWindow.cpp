// The baselines of startup_bench, each a Qt main window of the program's main frame's size:
//   bare WIDTH HEIGHT
// a bare window, shown; and
//   like <what the program's probe line says after "shown">
// (bench/StartupProbe.cpp) a window showing what the program's main frame shows at its first
// paint, made with Qt alone: as many menus in its menu bar holding as many items among them,
// buttons with icons of the same size drawn for each on its tool bar, as many text panes on its
// status bar (the first one the message line), and in an MDI client the same child windows, each
// of its size with its own tool bar of as many icon buttons, scroll bars where the program's
// shows a drawing, its lists, fields, buttons, labels and group boxes, and dialog bars holding
// theirs.
#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QSize>
#include <QStatusBar>
#include <QString>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// The probe line's numbers, read one after the other; a line cut short reads as zeros.
class CNumbers
{
public:
  CNumbers(int count, char** values) : m_count(count), m_values(values) {}
  int Next() { return m_next < m_count ? std::atoi(m_values[m_next++]) : 0; }
  // Two numbers, a width and a height, in that order.
  QSize NextSize()
  {
    const int width = Next();
    return QSize(width, Next());
  }
  bool AllRead() const { return m_next == m_count; }

private:
  int m_count;
  char** m_values;
  int m_next = 0;
};

void AddButtons(QToolBar* bar, int buttons, QSize iconSize)
{
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
}

// A panel's controls, in the probe's order: lists, edit fields, combo boxes, buttons, labels,
// group boxes.
void AddPanel(CNumbers& numbers, QWidget* holder, QBoxLayout* layout)
{
  const int lists = numbers.Next();
  const int edits = numbers.Next();
  const int combos = numbers.Next();
  const int buttons = numbers.Next();
  const int labels = numbers.Next();
  const int groups = numbers.Next();
  for (int i = 0; i < groups; ++i) {
    auto* group = new QGroupBox(QString("Group %1").arg(i + 1), holder);
    group->setLayout(new QVBoxLayout);
    layout->addWidget(group);
  }
  for (int i = 0; i < labels; ++i)
    layout->addWidget(new QLabel(QString("Label %1:").arg(i + 1), holder));
  for (int i = 0; i < edits; ++i)
    layout->addWidget(new QLineEdit(QString::number(i + 1), holder));
  for (int i = 0; i < combos; ++i) {
    auto* combo = new QComboBox(holder);
    combo->addItem(QString("Choice %1").arg(i + 1));
    layout->addWidget(combo);
  }
  for (int i = 0; i < lists; ++i)
    layout->addWidget(new QListWidget(holder));
  for (int i = 0; i < buttons; ++i)
    layout->addWidget(new QPushButton(QString("Button %1...").arg(i + 1), holder));
}

void AddChild(CNumbers& numbers, QMdiArea* area)
{
  const QSize size = numbers.NextSize();
  const int buttons = numbers.Next();
  const QSize iconSize = numbers.NextSize();
  const bool scrolled = numbers.Next() != 0;
  auto* inner = new QMainWindow;
  inner->setWindowFlags(Qt::Widget);
  auto* inside = new QWidget(inner);
  auto* layout = new QVBoxLayout(inside);
  if (scrolled) {
    auto* scroll = new QScrollArea(inside);
    auto* drawing = new QWidget;
    drawing->resize(4 * std::max(size.width(), 1), 4 * std::max(size.height(), 1));
    scroll->setWidget(drawing);
    layout->addWidget(scroll);
  }
  AddPanel(numbers, inside, layout);
  inner->setCentralWidget(inside);
  if (buttons > 0)
    AddButtons(inner->addToolBar("Tools"), buttons, iconSize);
  const int dialogBars = numbers.Next();
  for (int i = 0; i < dialogBars; ++i) {
    auto* dock = new QDockWidget(QString("Bar %1").arg(i + 1), inner);
    auto* bar = new QWidget(dock);
    auto* row = new QHBoxLayout(bar);
    // The bars' controls together, in the first.
    if (i == 0)
      AddPanel(numbers, bar, row);
    dock->setWidget(bar);
    inner->addDockWidget(Qt::BottomDockWidgetArea, dock);
  }
  if (dialogBars == 0)
    for (int i = 0; i < 6; ++i)
      numbers.Next();
  QMdiSubWindow* sub = area->addSubWindow(inner);
  sub->resize(size);
  sub->show();
}

void ShowLikeTheProgram(QMainWindow& window, CNumbers& numbers)
{
  window.resize(numbers.NextSize());
  const int menus = numbers.Next();
  const int items = numbers.Next();
  for (int i = 0; i < menus; ++i) {
    QMenu* menu = window.menuBar()->addMenu(QString("&Menu %1").arg(i + 1));
    // The items shared out, the first menus taking one more where they do not divide evenly.
    const int count = items / menus + (i < items % menus ? 1 : 0);
    for (int k = 0; k < count; ++k)
      menu->addAction(QString("Item %1").arg(k + 1));
  }
  const int buttons = numbers.Next();
  const QSize iconSize = numbers.NextSize();
  AddButtons(window.addToolBar("Standard"), buttons, iconSize);
  const int panes = numbers.Next();
  for (int i = 0; i < panes; ++i) {
    auto* pane = new QLabel(i == 0 ? "Ready" : "X=0000.00  y=0000.00", window.statusBar());
    if (i == 0)
      window.statusBar()->addWidget(pane, 1);
    else
      window.statusBar()->addPermanentWidget(pane);
  }
  auto* area = new QMdiArea(&window);
  window.setCentralWidget(area);
  const int children = numbers.Next();
  for (int i = 0; i < children; ++i)
    AddChild(numbers, area);
}

}  // namespace

int main(int argc, char** argv)
{
  QApplication app(argc, argv);
  QMainWindow window;
  CNumbers numbers(std::max(argc - 2, 0), argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "like") == 0)
    ShowLikeTheProgram(window, numbers);
  else if (argc >= 2 && std::strcmp(argv[1], "bare") == 0)
    window.resize(numbers.NextSize());
  else
    return 2;
  if (!numbers.AllRead())
    return 2;
  window.show();
  return app.exec();
}
