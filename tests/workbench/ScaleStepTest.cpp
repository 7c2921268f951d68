// Guards the arithmetic of the scale view's scroll bars: 16-bit bar ranges with a step factor,
// and the pixel step of every scroll code on the horizontal and the upward-counting vertical bar.
#include <gtest/gtest.h>

#include "ui/wnd/Msg.h"
#include "workbench/scale/Scalevw.h"

TEST(ScaleStep, BarRangesStayWithinSixteenBits)
{
  CScrollBarRange wide = CScrollBarRange::For(100000, 1000);
  EXPECT_EQ(wide.barRange, 32767);
  EXPECT_DOUBLE_EQ(wide.factor, 99000.0 / 32767.0);
  CScrollBarRange small = CScrollBarRange::For(800, 1000);
  EXPECT_EQ(small.barRange, 0);
  EXPECT_DOUBLE_EQ(small.factor, 1.0);
  CScrollBarRange exact = CScrollBarRange::For(33767, 1000);
  EXPECT_EQ(exact.barRange, 32767);
  EXPECT_DOUBLE_EQ(exact.factor, 1.0);
}

TEST(ScaleStep, EveryCodeOfTheHorizontalBar)
{
  const CScrollBarRange range = CScrollBarRange::For(2000, 500);  // 1500 pixels to scroll
  EXPECT_EQ(CScaleView::ScrollStep(SB_LINELEFT, 300, 500, range, 0, FALSE), 50);
  EXPECT_EQ(CScaleView::ScrollStep(SB_LINERIGHT, 300, 500, range, 0, FALSE), -50);
  EXPECT_EQ(CScaleView::ScrollStep(SB_PAGELEFT, 300, 500, range, 0, FALSE), 300) << "clamped at 0";
  EXPECT_EQ(CScaleView::ScrollStep(SB_PAGERIGHT, 300, 500, range, 0, FALSE), -500);
  EXPECT_EQ(CScaleView::ScrollStep(SB_THUMBPOSITION, 300, 500, range, 900, FALSE), 0);
  EXPECT_EQ(CScaleView::ScrollStep(SB_THUMBTRACK, 300, 500, range, 900, FALSE), -600);
  EXPECT_EQ(CScaleView::ScrollStep(SB_LEFT, 300, 500, range, 0, FALSE), 300);
  EXPECT_EQ(CScaleView::ScrollStep(SB_RIGHT, 300, 500, range, 0, FALSE), -1200);
  EXPECT_EQ(CScaleView::ScrollStep(SB_ENDSCROLL, 300, 500, range, 0, FALSE), 0);
  EXPECT_EQ(CScaleView::ScrollStep(-1, 300, 500, range, 0, FALSE), 0);
}

TEST(ScaleStep, TheVerticalBarCountsFromTheTop)
{
  const CScrollBarRange range = CScrollBarRange::For(2000, 400);  // 1600 pixels to scroll
  // Line up shows more of the top: the scroll position, counted from the bottom, grows.
  EXPECT_EQ(CScaleView::ScrollStep(SB_LINEUP, 100, 400, range, 0, TRUE), -40);
  EXPECT_EQ(CScaleView::ScrollStep(SB_LINEDOWN, 100, 400, range, 0, TRUE), 40);
  EXPECT_EQ(CScaleView::ScrollStep(SB_LINEDOWN, 10, 400, range, 0, TRUE), 10) << "clamped at 0";
  EXPECT_EQ(CScaleView::ScrollStep(SB_TOP, 100, 400, range, 0, TRUE), -1500);
  EXPECT_EQ(CScaleView::ScrollStep(SB_BOTTOM, 100, 400, range, 0, TRUE), 100);
  // The thumb at the top of the bar shows the top of the world.
  EXPECT_EQ(CScaleView::ScrollStep(SB_THUMBTRACK, 100, 400, range, 0, TRUE), 100 - 1600);
}

TEST(ScaleStep, WideWorldsScaleTheThumbByTheFactor)
{
  const CScrollBarRange range = CScrollBarRange::For(100000, 1000);
  EXPECT_EQ(CScaleView::ScrollStep(SB_THUMBTRACK, 0, 1000, range, 32767, FALSE), -99000);
  EXPECT_EQ(CScaleView::ScrollStep(SB_THUMBTRACK, 0, 1000, range, 1, FALSE), -3);
}

TEST(ScaleStep, AWorldSmallerThanTheClientNeverScrolls)
{
  const CScrollBarRange range = CScrollBarRange::For(300, 500);
  for (int code = SB_LINEUP; code <= static_cast<int>(SB_ENDSCROLL); ++code) {
    EXPECT_EQ(CScaleView::ScrollStep(code, 0, 500, range, 7, FALSE), 0) << code;
    EXPECT_EQ(CScaleView::ScrollStep(code, 0, 500, range, 7, TRUE), 0) << code;
  }
}
