#pragma once
// The pixels behind a bitmap or a window surface: a 32-bit RGB image (internal to ui). A window's
// surface is kept at the screen's device pixel ratio: its size is the window's, in window pixels,
// and its image holds that many times more device pixels.
#include <QImage>

#include "platform/core/Rect.h"
#include "ui/draw/Raster.h"

class CImageData
{
public:
  CImageData(int width, int height, COLORREF fill = RGB(255, 255, 255), double ratio = 1.0);
  QImage& Image() { return m_image; }
  const QImage& Image() const { return m_image; }
  // The size in window pixels (the image's pixels where the ratio is 1).
  CSize Size() const { return m_size; }
  const CDeviceScale& Scale() const { return m_scale; }
  CPixelBuffer Buffer();
  // Changes the size keeping the pixels that still fit at the top left; new pixels are filled.
  void Resize(int width, int height, COLORREF fill);

private:
  CSize m_size;
  CDeviceScale m_scale;
  QImage m_image;
};
