#include "ui/wnd/AppIcon.h"

#include <QApplication>
#include <QHash>
#include <QIcon>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace {

// The sizes the desktop is offered; each is drawn from the SVG only when first asked for, so
// start-up does not pay for eight renderings that the window manager may never take.
constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

class CSvgIconEngine : public QIconEngine
{
public:
  explicit CSvgIconEngine(QByteArray svg) : m_svg(std::move(svg)) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override
  {
    QSvgRenderer renderer(m_svg);
    renderer.render(painter, rect);
  }

  // Each window hands the desktop the same sizes: each is drawn once.
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
  {
    const qint64 key = (static_cast<qint64>(size.width()) << 32) | static_cast<quint32>(size.height());
    if (auto found = m_drawn.constFind(key); found != m_drawn.constEnd())
      return *found;
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    painter.end();
    m_drawn.insert(key, pixmap);
    return pixmap;
  }

  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }

  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
  {
    QList<QSize> sizes;
    for (int size : kIconSizes)
      sizes.append(QSize(size, size));
    return sizes;
  }

  QString key() const override { return QStringLiteral("panecraft-svg"); }
  QIconEngine* clone() const override { return new CSvgIconEngine(m_svg); }

private:
  QByteArray m_svg;
  QHash<qint64, QPixmap> m_drawn;
};

}  // namespace

void AfxSetApplicationIcon(const char* svgText)
{
  QByteArray svg(svgText);
  if (!QSvgRenderer(svg).isValid())
    return;
  QApplication::setWindowIcon(QIcon(new CSvgIconEngine(std::move(svg))));
}
