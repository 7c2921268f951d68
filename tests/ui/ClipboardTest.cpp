// Guards the clipboard: registered formats travel as their MIME types, text as plain text, and a
// recorded drawing as SVG and PNG; the clipboard can be opened by one owner at a time.
#include <cstring>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include "TestApp.h"
#include "ui/output/Clipbrd.h"
#include "ui/draw/Dc.h"

namespace {
class ClipboardTest : public UiTest
{};

HGLOBAL Block(const char* bytes, size_t n)
{
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, n);
  void* p = GlobalLock(block);
  std::memcpy(p, bytes, n);
  GlobalUnlock(block);
  return block;
}

// Records a drawing in a 200 by 100 frame with y up, framed the way the drawing views frame it,
// and puts it on the clipboard.
template <class Draw>
void CopyFramedDrawing(COLORREF color, Draw draw)
{
  CMetaFileDC mf;
  ASSERT_TRUE(mf.Create());
  mf.SetWindowExt(200, -100);
  mf.SetWindowOrg(0, 100);
  CPen pen(PS_SOLID, 0, color);
  mf.SelectObject(&pen);
  draw(mf);
  METAFILEPICT pict{MM_ISOTROPIC, -5000, -2500, mf.Close()};
  ASSERT_NE(pict.hMF, nullptr);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  EXPECT_NE(SetClipboardData(CF_METAFILEPICT, Block(reinterpret_cast<const char*>(&pict), sizeof(pict))), nullptr);
  CloseClipboard();
}
}  // namespace

TEST_F(ClipboardTest, RegisteredFormatRoundTripsAsItsMimeType)
{
  const UINT format = RegisterClipboardFormat("Panecraft Design");
  EXPECT_GE(format, 0xC000u);
  EXPECT_EQ(RegisterClipboardFormat("Panecraft Design"), format);
  EXPECT_EQ(ClipboardMimeType(format), CString("application/x-panecraft-design"));
  EXPECT_EQ(ClipboardMimeType(RegisterClipboardFormat("Panecraft Design Item")),
            CString("application/x-panecraft-design-item"));

  const char bytes[] = {'\x10', '\x27', '\0', '\0', 'A', '\xff'};
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_FALSE(OpenClipboard(nullptr));
  EXPECT_TRUE(EmptyClipboard());
  EXPECT_NE(SetClipboardData(format, Block(bytes, sizeof(bytes))), nullptr);
  EXPECT_TRUE(CloseClipboard());

  EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->data("application/x-panecraft-design"),
            QByteArray(bytes, sizeof(bytes)));
  EXPECT_TRUE(IsClipboardFormatAvailable(format));
  ASSERT_TRUE(OpenClipboard(nullptr));
  HGLOBAL data = static_cast<HGLOBAL>(GetClipboardData(format));
  ASSERT_NE(data, nullptr);
  ASSERT_EQ(GlobalSize(data), sizeof(bytes));
  EXPECT_EQ(std::memcmp(GlobalLock(data), bytes, sizeof(bytes)), 0);
  GlobalUnlock(data);
  EXPECT_EQ(GetClipboardData(RegisterClipboardFormat("Other Program")), nullptr);
  CloseClipboard();
}

TEST_F(ClipboardTest, TextEndsAtItsZeroByteAndKeepsItsCharacters)
{
  const char text[] = "Window\tSchedule \xe9\r\n\0garbage";
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  SetClipboardData(CF_TEXT, Block(text, sizeof(text)));
  CloseClipboard();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("Window\tSchedule \u00e9\r\n"));
  ASSERT_TRUE(OpenClipboard(nullptr));
  HGLOBAL back = static_cast<HGLOBAL>(GetClipboardData(CF_TEXT));
  ASSERT_NE(back, nullptr);
  EXPECT_STREQ(static_cast<const char*>(GlobalLock(back)), "Window\tSchedule \xe9\r\n");
  CloseClipboard();
}

TEST_F(ClipboardTest, RecordedDrawingIsOfferedAsSvgAndPng)
{
  CopyFramedDrawing(RGB(255, 0, 0), [](CDC& dc) {
    dc.MoveTo(0, 0);
    dc.LineTo(200, 100);
  });
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  ASSERT_TRUE(mime->hasFormat("image/svg+xml"));
  EXPECT_TRUE(mime->data("image/svg+xml").contains("<svg"));
  ASSERT_TRUE(mime->hasImage());
  const QImage image = qvariant_cast<QImage>(mime->imageData());
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.width(), 2 * image.height());
  // The line runs from the lower-left corner to the upper-right one.
  auto inked = [&image](int x0, int y0) {
    for (int y = y0; y < y0 + 8; ++y)
      for (int x = x0; x < x0 + 8; ++x)
        if (image.pixelColor(x, y) != QColor(Qt::white))
          return true;
    return false;
  };
  EXPECT_TRUE(inked(0, image.height() - 8));
  EXPECT_TRUE(inked(image.width() - 8, 0));
  EXPECT_FALSE(inked(0, 0));
}

TEST_F(ClipboardTest, ARecordedArcTurnsCounterClockwiseAsThePictureShowsIt)
{
  // y up: the half circle from its right end to its left end, counter-clockwise, is the upper one.
  CopyFramedDrawing(RGB(0, 0, 0), [](CDC& dc) { dc.Arc(0, 100, 200, -100, 200, 0, 0, 0); });
  const QImage image = qvariant_cast<QImage>(QGuiApplication::clipboard()->mimeData()->imageData());
  ASSERT_FALSE(image.isNull());
  auto inked = [&image](int y0, int y1, int x0, int x1) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if (image.pixelColor(x, y) != QColor(Qt::white))
          return true;
    return false;
  };
  // The crown along the top edge in the middle; the upper half's sides at mid-height; nothing
  // at the lower corners, where the lower half would reach in.
  const int w = image.width();
  const int h = image.height();
  EXPECT_TRUE(inked(0, h / 16, w * 2 / 5, w * 3 / 5));
  EXPECT_TRUE(inked(h / 2, h / 2 + 1, 0, w / 8));
  EXPECT_TRUE(inked(h / 2, h / 2 + 1, w * 7 / 8, w));
  EXPECT_FALSE(inked(0, h / 4, 0, w / 8));
}
