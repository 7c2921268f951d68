// Guards the zoom tool's arithmetic: the quarter steps that stop at full size and at the fit
// scale, and the scale that fits a rectangle with a quarter-inch margin into a window.
#include <gtest/gtest.h>

#include "workbench/tools/Wbzoom.h"

TEST(ZoomTest, ZoomInStepsFromAHalfToFullSizeAndStops)
{
  double scale = 0.5;
  const double expected[] = {0.625, 0.78125, 0.9765625, 1.0, 1.0};
  for (double next : expected) {
    scale = CZoomTool::NextScale(zmIn, scale, 0.05, 1.25);
    EXPECT_DOUBLE_EQ(scale, next);
  }
  EXPECT_EQ(CZoomTool::NextScale(zmIn, 2.0, 0.05, 1.25), 2.0) << "above full size zoom in does nothing";
}

TEST(ZoomTest, ZoomOutStopsExactlyAtTheFitScale)
{
  const double fit = 0.3;
  EXPECT_DOUBLE_EQ(CZoomTool::NextScale(zmOut, 1.0, fit, 1.25), 0.8);
  EXPECT_DOUBLE_EQ(CZoomTool::NextScale(zmOut, 0.8, fit, 1.25), 0.64);
  EXPECT_EQ(CZoomTool::NextScale(zmOut, 0.32, fit, 1.25), fit);
  EXPECT_EQ(CZoomTool::NextScale(zmOut, fit, fit, 1.25), fit);
  EXPECT_EQ(CZoomTool::NextScale(zmOut, 0.2, fit, 1.25), 0.2) << "below the fit scale nothing changes";
}

TEST(ZoomTest, AHundredByFiftyDesignFitsAnEightHundredBySixHundredWindow)
{
  const double scale = CZoomTool::ScaleForRect(100.0, 50.0, CSize(800, 600), CSize(96, 96));
  EXPECT_DOUBLE_EQ(scale, 776.0 / 96 / 100);
  EXPECT_DOUBLE_EQ(CZoomTool::ScaleForRect(100.0, 50.0, CSize(800, 300), CSize(96, 96)), 276.0 / 96 / 50);
}

TEST(ZoomTest, ANarrowWindowStillUsesOneInchAndAZeroWidthUsesTheHeight)
{
  EXPECT_DOUBLE_EQ(CZoomTool::ScaleForRect(10.0, 1.0, CSize(100, 600), CSize(96, 96)), 1.0 / 10.0);
  EXPECT_DOUBLE_EQ(CZoomTool::ScaleForRect(0.0, 50.0, CSize(800, 600), CSize(96, 96)), 576.0 / 96 / 50);
  EXPECT_DOUBLE_EQ(CZoomTool::ScaleForRect(20.0, 20.0, CSize(800, 600), CSize(100, 50)), 775.0 / 100 / 20);
}
