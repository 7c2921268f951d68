// Guards drawing on window device contexts outside the rasteriser: bitmaps copied within the
// clip, regions filled and used as clips, bitmap resources and hollow brushes.
#include "TestApp.h"
#include "ui/draw/Dc.h"
#include "ui/draw/Gdi.h"
#include "ui/draw/ImageData.h"
#include "ui/wnd/Resource.h"
#include "ui/wnd/Wnd.h"

namespace {
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr UINT IDB_TESTSTRIPE = 7401;

class GdiTest : public UiTest
{
protected:
  void SetUp() override
  {
    UiTest::SetUp();
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Gdi", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 120, 90, nullptr, 0));
    Pump();
    CClientDC dc(&wnd);
    CRect client;
    wnd.GetClientRect(&client);
    dc.FillSolidRect(&client, RGB(255, 255, 255));
  }
  void TearDown() override
  {
    wnd.DestroyWindow();
    UiTest::TearDown();
  }
  static void FillBitmap(CBitmap& bitmap, int size, COLORREF colour)
  {
    ASSERT_TRUE(bitmap.CreateBitmap(size, size));
    CDC dc;
    dc.AttachImage(bitmap.Image());
    dc.FillSolidRect(0, 0, size, size, colour);
  }
  CWnd wnd;
};
}  // namespace

TEST_F(GdiTest, BitmapCopiedOntoAWindowLandsInItsSurfaceWithinTheClip)
{
  CBitmap bitmap;
  FillBitmap(bitmap, 10, kRed);
  {
    CClientDC dc(&wnd);
    ASSERT_TRUE(dc.DrawBitmap(5, 5, &bitmap));
  }
  EXPECT_EQ(wnd.GetSurfacePixel(5, 5), kRed);
  EXPECT_EQ(wnd.GetSurfacePixel(14, 14), kRed);
  EXPECT_EQ(wnd.GetSurfacePixel(15, 15), RGB(255, 255, 255));

  CClientDC dc(&wnd);
  dc.IntersectClipRect(0, 0, 40, 40);
  dc.DrawBitmap(35, 35, &bitmap);
  EXPECT_EQ(wnd.GetSurfacePixel(39, 39), kRed);
  EXPECT_EQ(wnd.GetSurfacePixel(40, 40), RGB(255, 255, 255));
  EXPECT_EQ(wnd.GetSurfacePixel(40, 36), RGB(255, 255, 255));
}

TEST_F(GdiTest, BitmapHonoursTheWindowOriginOfTheMapping)
{
  CBitmap bitmap;
  FillBitmap(bitmap, 4, kBlue);
  CClientDC dc(&wnd);
  dc.SetViewportOrg(20, 10);
  dc.DrawBitmap(0, 0, &bitmap);
  EXPECT_EQ(wnd.GetSurfacePixel(20, 10), kBlue);
  EXPECT_EQ(wnd.GetSurfacePixel(23, 13), kBlue);
  EXPECT_EQ(wnd.GetSurfacePixel(0, 0), RGB(255, 255, 255));
}

TEST_F(GdiTest, RegionWithAHoleIsFilledAroundTheHole)
{
  CRgn outer;
  CRgn hole;
  CRgn ring;
  ASSERT_TRUE(outer.CreateRectRgn(10, 10, 50, 50));
  ASSERT_TRUE(hole.CreateRectRgn(20, 20, 40, 40));
  ASSERT_TRUE(ring.CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(ring.CombineRgn(&outer, &hole, RGN_DIFF), static_cast<int>(COMPLEXREGION));
  EXPECT_TRUE(ring.PtInRegion(15, 15));
  EXPECT_FALSE(ring.PtInRegion(30, 30));
  EXPECT_FALSE(ring.PtInRegion(50, 50));

  CBrush brush(kRed);
  CClientDC dc(&wnd);
  ASSERT_TRUE(dc.FillRgn(&ring, &brush));
  EXPECT_EQ(wnd.GetSurfacePixel(10, 10), kRed);
  EXPECT_EQ(wnd.GetSurfacePixel(49, 25), kRed);
  EXPECT_EQ(wnd.GetSurfacePixel(30, 30), RGB(255, 255, 255));
  EXPECT_EQ(wnd.GetSurfacePixel(50, 30), RGB(255, 255, 255));

  // Moved and intersected, only the part of the ring inside the other region remains.
  ring.OffsetRgn(5, 0);
  EXPECT_TRUE(ring.PtInRegion(54, 25));
  CRgn both;
  ASSERT_TRUE(both.CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(both.CombineRgn(&ring, &hole, RGN_AND), static_cast<int>(SIMPLEREGION));
  EXPECT_TRUE(both.PtInRegion(20, 30));
  EXPECT_FALSE(both.PtInRegion(30, 30));
  EXPECT_EQ(both.CombineRgn(&hole, &hole, RGN_DIFF), static_cast<int>(NULLREGION));
}

TEST_F(GdiTest, ClipRegionKeepsLinesInsideAndReportsItsBox)
{
  CRgn clip;
  ASSERT_TRUE(clip.CreateRectRgn(0, 0, 30, 90));
  CClientDC dc(&wnd);
  dc.SelectClipRgn(&clip);
  CRect box;
  EXPECT_EQ(dc.GetClipBox(&box), static_cast<int>(SIMPLEREGION));
  EXPECT_EQ(box, CRect(0, 0, 30, 90));
  const CRect across(25, 5, 35, 10);
  const CRect beyond(31, 5, 40, 10);
  EXPECT_TRUE(dc.RectVisible(&across));
  EXPECT_FALSE(dc.RectVisible(&beyond));

  CPen pen(PS_SOLID, 1, kBlue);
  dc.SelectObject(&pen);
  dc.MoveTo(10, 20);
  dc.LineTo(60, 20);
  EXPECT_EQ(wnd.GetSurfacePixel(29, 20), kBlue);
  EXPECT_EQ(wnd.GetSurfacePixel(30, 20), RGB(255, 255, 255));
  EXPECT_EQ(dc.GetCurrentPosition(), CPoint(60, 20));

  // A null clip region gives the whole client area back.
  dc.SelectClipRgn(nullptr);
  dc.MoveTo(40, 40);
  dc.LineTo(50, 40);
  EXPECT_EQ(wnd.GetSurfacePixel(45, 40), kBlue);
}

TEST_F(GdiTest, HollowBrushDrawsOnlyTheOutline)
{
  CClientDC dc(&wnd);
  CPen pen(PS_SOLID, 1, kRed);
  CPen* oldPen = dc.SelectObject(&pen);
  dc.SelectStockObject(NULL_BRUSH);
  dc.Rectangle(10, 10, 30, 30);
  EXPECT_EQ(wnd.GetSurfacePixel(10, 20), kRed);
  EXPECT_EQ(wnd.GetSurfacePixel(29, 20), kRed);
  EXPECT_EQ(wnd.GetSurfacePixel(20, 20), RGB(255, 255, 255));

  CBrush fill(kBlue);
  dc.SelectObject(&fill);
  dc.Rectangle(40, 10, 60, 30);
  EXPECT_EQ(wnd.GetSurfacePixel(50, 20), kBlue);
  EXPECT_EQ(wnd.GetSurfacePixel(40, 20), kRed);
  EXPECT_EQ(dc.SelectObject(oldPen), &pen);
}

TEST_F(GdiTest, BitmapResourceIsDrawnByItsOwnDrawingAtItsSize)
{
  CResources::Get().AddBitmap(IDB_TESTSTRIPE, CBitmapTemplate{6, 3, [](CDC* pDC) {
                                                                pDC->FillSolidRect(0, 0, 3, 3, kRed);
                                                                pDC->FillSolidRect(3, 0, 3, 3, kBlue);
                                                              }});
  CBitmap stripe;
  ASSERT_TRUE(stripe.LoadBitmap(IDB_TESTSTRIPE));
  EXPECT_EQ(stripe.GetSize(), CSize(6, 3));
  CClientDC dc(&wnd);
  dc.DrawBitmap(0, 50, &stripe);
  EXPECT_EQ(wnd.GetSurfacePixel(2, 52), kRed);
  EXPECT_EQ(wnd.GetSurfacePixel(3, 52), kBlue);
  EXPECT_EQ(wnd.GetSurfacePixel(6, 52), RGB(255, 255, 255));

  CBitmap missing;
  EXPECT_FALSE(missing.LoadBitmap(IDB_TESTSTRIPE + 1));
  EXPECT_FALSE(dc.DrawBitmap(0, 0, &missing));
}

// A picture loaded for a screen with a device pixel ratio is drawn at that ratio: it keeps its own
// size while its image holds the device pixels, and areas and cosmetic lines alike cover the
// device pixels of the picture's pixels, so a line is as heavy as at 100 %.
TEST_F(GdiTest, BitmapResourcesAreDrawnAtTheScaleAskedFor)
{
  CResources::Get().AddBitmap(IDB_TESTSTRIPE + 2, CBitmapTemplate{8, 6, [](CDC* pDC) {
                                                                    pDC->FillSolidRect(0, 0, 4, 6, kRed);
                                                                    CPen pen(PS_SOLID, 0, kBlue);
                                                                    CPen* old = pDC->SelectObject(&pen);
                                                                    pDC->MoveTo(4, 4);
                                                                    pDC->LineTo(8, 4);
                                                                    pDC->SelectObject(old);
                                                                  }});
  CBitmap scaled;
  ASSERT_TRUE(scaled.LoadBitmap(IDB_TESTSTRIPE + 2, 2.0));
  EXPECT_EQ(scaled.GetSize(), CSize(8, 6));
  const QImage& image = scaled.Image()->Image();
  ASSERT_EQ(image.size(), QSize(16, 12));
  EXPECT_EQ(image.pixelColor(7, 11), QColor(255, 0, 0)) << "the filled area covers twice the pixels";
  EXPECT_EQ(image.pixelColor(8, 0), QColor(255, 255, 255));
  EXPECT_EQ(image.pixelColor(10, 8), QColor(0, 0, 255));
  EXPECT_EQ(image.pixelColor(15, 9), QColor(0, 0, 255)) << "the line is two device pixels deep";
  EXPECT_EQ(image.pixelColor(10, 7), QColor(255, 255, 255));
  EXPECT_EQ(image.pixelColor(10, 10), QColor(255, 255, 255));
  EXPECT_FALSE(scaled.LoadBitmap(IDB_TESTSTRIPE + 2, 0.5));

  // At 150 % a picture pixel is one or two device pixels, each of them as the pixel at 100 %.
  CBitmap base;
  ASSERT_TRUE(base.LoadBitmap(IDB_TESTSTRIPE + 2, 1.0));
  ASSERT_TRUE(scaled.LoadBitmap(IDB_TESTSTRIPE + 2, 1.5));
  const CDeviceScale scale(1.5);
  const QImage& at100 = base.Image()->Image();
  const QImage& at150 = scaled.Image()->Image();
  ASSERT_EQ(at150.size(), QSize(scale.At(8), scale.At(6)));
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) {
      const CRect device = scale.At(CRect(x, y, x + 1, y + 1));
      for (int dy = device.top; dy < device.bottom; ++dy)
        for (int dx = device.left; dx < device.right; ++dx)
          EXPECT_EQ(at150.pixel(dx, dy), at100.pixel(x, y)) << x << "," << y << " at device " << dx << "," << dy;
    }
}
