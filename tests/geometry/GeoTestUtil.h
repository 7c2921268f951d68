#pragma once
// Shared helpers of the geometry tests.
#include <gtest/gtest.h>

#include "geometry/2dpoint.h"
#include "geometry/Angle.h"

// Restores the class-wide tolerances a test may have widened.
class GeometryTest : public ::testing::Test
{
protected:
  void TearDown() override
  {
    CVRX2DPoint::SetTolerance(1e-7);
    CVRXAngle::SetTolerance(0.001);
  }
};

inline void ExpectPoint(const CVRX2DPoint& p, double x, double y, double eps = 1e-9)
{
  EXPECT_NEAR(p.GetX(), x, eps) << "y " << p.GetY();
  EXPECT_NEAR(p.GetY(), y, eps) << "x " << p.GetX();
}
