// Guards the detail view without a detail: its instruction text stands in the middle half of the
// window, and a printout of the empty view carries the text on the page, not in the window's
// corner; the detail scales follow the measurement units.
#include <gtest/gtest.h>

#include "ui/TestApp.h"
#include "ui/draw/Dc.h"
#include "ui/draw/ImageData.h"
#include "ui/draw/Raster.h"
#include "project/DocTestSupport.h"
#include "views/Dtlview.h"

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255);

class DtlviewTest : public UiTest
{
protected:
  void SetUp() override
  {
    UiTest::SetUp();
    view = new CDetailView;
    ASSERT_TRUE(view->CreateEx(0, nullptr, "Detail", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 240, 160, nullptr, 0));
  }
  void TearDown() override
  {
    view->DestroyWindow();
    UiTest::TearDown();
  }
  static int Ink(const CImageData& image, const CRect& rect)
  {
    int ink = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
      for (int x = rect.left; x < rect.right; ++x)
        ink += CRasterizer::ToColorRef(image.Image().pixel(x, y)) != kWhite ? 1 : 0;
    return ink;
  }
  CFakeDocServices services;
  CDetailView* view = nullptr;
};
}  // namespace

TEST_F(DtlviewTest, AnEmptyDetailViewShowsItsInstructionOnScreenAndOnPaper)
{
  view->Invalidate(TRUE);
  view->UpdateWindow();
  CRect client;
  view->GetClientRect(&client);
  int screenInk = 0;
  for (int y = 30; y < client.bottom; ++y)
    for (int x = client.Width() / 4; x < client.Width() * 3 / 4; ++x)
      screenInk += view->GetSurfacePixel(x, y) != kWhite ? 1 : 0;
  EXPECT_GT(screenInk, 0);
  int outside = 0;
  for (int y = 0; y < client.bottom; ++y)
    for (int x = 0; x < client.Width() / 4 - 2; ++x)
      outside += view->GetSurfacePixel(x, y) != kWhite ? 1 : 0;
  EXPECT_EQ(outside, 0);

  // A printing context as large as the screen: the text stands in the middle half of the page.
  const CSize screen = CDC::GetScreenSize();
  ASSERT_GT(screen.cx, client.Width() * 2);
  CImageData page(screen.cx, screen.cy, kWhite);
  CDC dc;
  dc.AttachImage(&page);
  dc.SetPrinting(TRUE);
  view->OnPrepareDC(&dc);
  view->OnDraw(&dc);
  EXPECT_GT(Ink(page, CRect(screen.cx / 4, 30, screen.cx * 3 / 4, screen.cy)), 0);
  EXPECT_GT(Ink(page, CRect(client.Width(), 0, screen.cx, screen.cy)), 0) << "beyond the window's width";
  EXPECT_EQ(Ink(page, CRect(0, 0, screen.cx / 4 - 2, screen.cy)), 0);
}

TEST_F(DtlviewTest, AnEmptyDetailViewCanBePrintedButNotCopiedOrExported)
{
  EXPECT_FALSE(view->CanOutput());
  EXPECT_TRUE(view->CanPrint()) << "its instruction text is printed";
  view->ShowWindow(SW_HIDE);
  EXPECT_FALSE(view->CanPrint());
}

TEST_F(DtlviewTest, TheDetailScalesFollowTheMeasurementUnits)
{
  EXPECT_EQ(view->GetPrintScaleList(), 0);
  services.measurementUnits = 3;
  view->OnUpdate(nullptr, 1, nullptr);
  EXPECT_EQ(view->GetPrintScaleList(), 2);
  CDetailView metric;
  EXPECT_EQ(metric.GetPrintScaleList(), 2);
  // Hints that are not the detail's change nothing.
  view->OnUpdate(nullptr, 3, nullptr);
  view->OnUpdate(nullptr, 6, nullptr);
  EXPECT_EQ(view->GetEntities().GetSize(), 0);
  EXPECT_EQ(view->GetSelection(), nullptr);
}
