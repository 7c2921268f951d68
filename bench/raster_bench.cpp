// Rubber-band feedback cost: inverting lines drawn through a device context on a window surface,
// against the same lines drawn by a Qt painter with its raster operation. The device context
// should take at most the painter's time.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "bench/BenchRatio.h"
#include "ui/draw/Dc.h"
#include "ui/draw/ImageData.h"

namespace {
constexpr int kWidth = 1280;
constexpr int kHeight = 900;
constexpr int kLines = 64;

void OutlineLines(int i, int& x0, int& y0, int& x1, int& y1)
{
  x0 = (i * 37) % kWidth;
  y0 = (i * 53) % kHeight;
  x1 = (x0 + 400 + i * 7) % kWidth;
  y1 = (y0 + 300 + i * 11) % kHeight;
}

void DeviceContextNotXor(benchmark::State& state)
{
  CImageData image(kWidth, kHeight);
  CDC dc;
  dc.AttachImage(&image);
  CPen dotted(PS_DOT, 0, RGB(0, 0, 0));
  dc.SelectObject(&dotted);
  dc.SetROP2(R2_NOTXORPEN);
  for (auto _ : state)
    for (int i = 0; i < kLines; ++i) {
      int x0, y0, x1, y1;
      OutlineLines(i, x0, y0, x1, y1);
      dc.MoveTo(x0, y0);
      dc.LineTo(x1, y1);
    }
  state.SetItemsProcessed(state.iterations() * kLines);
}

void QtPainterRasterOp(benchmark::State& state)
{
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
  painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
  for (auto _ : state)
    for (int i = 0; i < kLines; ++i) {
      int x0, y0, x1, y1;
      OutlineLines(i, x0, y0, x1, y1);
      painter.drawLine(x0, y0, x1, y1);
    }
  state.SetItemsProcessed(state.iterations() * kLines);
}

const CBenchRatio kNotXor("device context / painter, 64 inverted lines", "DeviceContextNotXor", "QtPainterRasterOp",
                          1.0);
}  // namespace

BENCHMARK(DeviceContextNotXor);
BENCHMARK(QtPainterRasterOp);
