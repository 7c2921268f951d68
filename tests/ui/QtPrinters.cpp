// The printers of Qt's strings and images for failing comparisons: a string as its text, an
// image as its size, format and a digest of its pixels, so two images that differ show it.
#include <cstdint>
#include <ostream>
#include <string>

#include <QImage>
#include <QString>
#include <gtest/gtest.h>

#include "support/Printers.h"

void PrintTo(const QString& text, std::ostream* os)
{
  if (text.isNull()) {
    *os << "null QString";
    return;
  }
  *os << ::testing::PrintToString(text.toStdString());
}

void PrintTo(const QImage& image, std::ostream* os)
{
  if (image.isNull()) {
    *os << "null QImage";
    return;
  }
  // FNV-1a over each row's pixels, without the padding at the ends of the rows.
  std::uint64_t digest = 14695981039346656037ull;
  const qsizetype rowBytes = (static_cast<qsizetype>(image.width()) * image.depth() + 7) / 8;
  for (int y = 0; y < image.height(); ++y) {
    const uchar* row = image.constScanLine(y);
    for (qsizetype i = 0; i < rowBytes; ++i)
      digest = (digest ^ row[i]) * 1099511628211ull;
  }
  *os << "QImage " << image.width() << " x " << image.height() << ", format " << image.format();
  if (image.devicePixelRatio() != 1.0)
    *os << ", device pixel ratio " << image.devicePixelRatio();
  *os << ", pixels " << std::hex << digest << std::dec;
}
