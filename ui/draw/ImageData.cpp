#include "ui/draw/ImageData.h"

#include <QPainter>

CImageData::CImageData(int width, int height, COLORREF fill)
  : m_image(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32)
{
  m_image.fill(CRasterizer::ToPixel(fill));
}

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
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == m_image.width() && height == m_image.height())
    return;
  QImage next(width, height, QImage::Format_RGB32);
  next.fill(CRasterizer::ToPixel(fill));
  if (!m_image.isNull() && width > 0 && height > 0) {
    QPainter p(&next);
    p.drawImage(0, 0, m_image);
  }
  m_image = next;
}
