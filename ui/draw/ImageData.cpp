#include "ui/draw/ImageData.h"

#include <QPainter>

namespace {
QImage MakeImage(CSize size, const CDeviceScale& scale, COLORREF fill)
{
  QImage image(scale.At(size.cx), scale.At(size.cy), QImage::Format_RGB32);
  image.setDevicePixelRatio(scale.Ratio());
  image.fill(CRasterizer::ToPixel(fill));
  return image;
}
}  // namespace

CImageData::CImageData(int width, int height, COLORREF fill, double ratio)
  : m_size(std::max(width, 0), std::max(height, 0)), m_scale(ratio), m_image(MakeImage(m_size, m_scale, fill))
{}

CPixelBuffer CImageData::Buffer()
{
  CPixelBuffer buffer;
  if (m_image.isNull())
    return buffer;
  buffer.bits = reinterpret_cast<std::uint32_t*>(m_image.bits());
  buffer.width = m_image.width();
  buffer.height = m_image.height();
  buffer.stride = static_cast<int>(m_image.bytesPerLine() / 4);
  return buffer;
}

void CImageData::Resize(int width, int height, COLORREF fill)
{
  const CSize size(std::max(width, 0), std::max(height, 0));
  if (size == m_size)
    return;
  m_size = size;
  QImage next = MakeImage(size, m_scale, fill);
  if (!m_image.isNull() && !next.isNull()) {
    QPainter p(&next);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, m_image);
  }
  m_image = next;
}
