#pragma once
// The pixels behind a bitmap or a window surface: a 32-bit RGB image (internal to ui).
#include <QImage>

#include "platform/core/Rect.h"
#include "ui/draw/Raster.h"

class CImageData
{
public:
  CImageData(int width, int height, COLORREF fill = RGB(255, 255, 255));
  QImage& Image() { return m_image; }
  const QImage& Image() const { return m_image; }
  CSize Size() const { return CSize(m_image.width(), m_image.height()); }
  CPixelBuffer Buffer();
  // Changes the size keeping the pixels that still fit at the top left; new pixels are filled.
  void Resize(int width, int height, COLORREF fill);

private:
  QImage m_image;
};
