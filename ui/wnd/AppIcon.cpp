#include "ui/wnd/AppIcon.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

void AfxSetApplicationIcon(const char* svgText)
{
  QSvgRenderer renderer{QByteArray(svgText)};
  if (!renderer.isValid())
    return;
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    icon.addPixmap(pixmap);
  }
  QApplication::setWindowIcon(icon);
}
