#include "ui/draw/MetaFile.h"

#include <algorithm>
#include <cmath>

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

namespace {
// Maps the frame (origin and signed extent, logical units) onto a target of the given size.
void MapFrame(QPainter& painter, const CMetaFileData& data, const QRectF& frame, double width, double height)
{
  if (data.frameExt.cx == 0 || data.frameExt.cy == 0) {
    painter.scale(width / frame.width(), height / frame.height());
    painter.translate(-frame.left(), -frame.top());
    return;
  }
  painter.scale(width / data.frameExt.cx, height / data.frameExt.cy);
  painter.translate(-data.frameOrg.x, -data.frameOrg.y);
}

QSize TargetSize(const QRectF& frame, int maxWidth, int maxHeight)
{
  const double scale = std::min(maxWidth / frame.width(), maxHeight / frame.height());
  return QSize(std::max(1, static_cast<int>(std::lround(frame.width() * scale))),
               std::max(1, static_cast<int>(std::lround(frame.height() * scale))));
}
}  // namespace

QRectF CMetaFileData::Frame() const
{
  if (frameExt.cx == 0 || frameExt.cy == 0)
    return picture.boundingRect();
  return QRectF(QPointF(frameOrg.x, frameOrg.y), QPointF(frameOrg.x + frameExt.cx, frameOrg.y + frameExt.cy))
      .normalized();
}

QImage CMetaFileData::Render(int maxWidth, int maxHeight) const
{
  const QRectF frame = Frame();
  if (frame.isEmpty() || maxWidth <= 0 || maxHeight <= 0)
    return QImage();
  const QSize size = TargetSize(frame, maxWidth, maxHeight);
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  MapFrame(painter, *this, frame, size.width(), size.height());
  painter.drawPicture(0, 0, picture);
  return image;
}

QByteArray CMetaFileData::ToSvg(int maxWidth, int maxHeight) const
{
  const QRectF frame = Frame();
  if (frame.isEmpty() || maxWidth <= 0 || maxHeight <= 0)
    return QByteArray();
  const QSize size = TargetSize(frame, maxWidth, maxHeight);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(size);
  svg.setViewBox(QRect(QPoint(0, 0), size));
  // A picture played on a device of another resolution is scaled by their ratio; at the
  // picture's own resolution it fills the view box as the image does.
  svg.setResolution(picture.logicalDpiX());
  QPainter painter(&svg);
  MapFrame(painter, *this, frame, size.width(), size.height());
  painter.drawPicture(0, 0, picture);
  painter.end();
  return bytes;
}
