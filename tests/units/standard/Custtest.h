#pragma once
// Shared by the custom arched unit tests: the generated catalogue, the registered leaves, and
// the ends of drawn lines and arcs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "geometry/2drect.h"
#include "model/Plansect.h"
#include "model/Unitexcp.h"
#include "productdb/txrecobj.h"
#include "units/standard/Stdreg.h"

class CustomArchTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    const char* binary = std::getenv("PANECRAFT_BINARY_DIR");
    ASSERT_NE(binary, nullptr) << "PANECRAFT_BINARY_DIR is not set";
    CTXRecObj::SetDatabaseDirectory((std::string(binary) + "/productdata/").c_str());
    RegisterStandardUnits();
  }

  static void Ends(const CVRX2DEntity& entity, CVRX2DPoint& start, CVRX2DPoint& end)
  {
    if (entity.GetType() == VRX_ARC) {
      static_cast<const CVRX2DArc&>(entity).GetEndPoints(start, end);
      return;
    }
    const auto& line = static_cast<const CVRX2DLine&>(entity);
    start = line.GetStartPoint();
    end = line.GetEndPoint();
  }

  // Entities first to first + count - 1 of one category, each starting where the one before
  // ended and the last ending where the first started.
  static void ExpectClosedChain(const CVRX2DEntityArray& out, int first, int count, int category, double tolerance)
  {
    ASSERT_LE(first + count, out.GetSize());
    for (int i = first; i < first + count; ++i) {
      EXPECT_EQ(out[i]->GetCategory(), category) << i;
      CVRX2DPoint start, end, nextStart, nextEnd;
      Ends(*out[i], start, end);
      Ends(*out[i + 1 < first + count ? i + 1 : first], nextStart, nextEnd);
      EXPECT_NEAR(end.GetX(), nextStart.GetX(), tolerance) << i;
      EXPECT_NEAR(end.GetY(), nextStart.GetY(), tolerance) << i;
    }
  }

  // The section a plan-section builder makes of these dimensions.
  static void ExpectSection(const CVRX2DEntityArray& out, double width, double offset)
  {
    SCOPED_TRACE("section " + std::to_string(width) + " from " + std::to_string(offset));
    CPlanSectionUnitDimensions dimensions;
    dimensions.m_nPanelKinds[0] = CPlanSectionUnitDimensions::pkFixed;
    dimensions.m_nPanelCount = 1;
    dimensions.m_dPlanWidth = width;
    dimensions.m_dStartOffset = offset;
    CPlanSection section;
    section.SetUnitDimensions(dimensions);
    CVRX2DEntityArray expected;
    section.GetEntities(expected);
    ASSERT_GT(out.GetSize(), 0);
    ASSERT_EQ(out.GetSize(), expected.GetSize());
    for (int i = 0; i < out.GetSize(); ++i) {
      const CVRX2DRectangle got = out[i]->GetExtents(), want = expected[i]->GetExtents();
      EXPECT_NEAR(got.GetMinPoint().GetX(), want.GetMinPoint().GetX(), 1e-9) << i;
      EXPECT_NEAR(got.GetMinPoint().GetY(), want.GetMinPoint().GetY(), 1e-9) << i;
      EXPECT_NEAR(got.GetMaxPoint().GetX(), want.GetMaxPoint().GetX(), 1e-9) << i;
      EXPECT_NEAR(got.GetMaxPoint().GetY(), want.GetMaxPoint().GetY(), 1e-9) << i;
    }
  }

  static void ExpectUnitError(const std::function<void()>& action, const char* file, int line)
  {
    try {
      action();
      ADD_FAILURE() << "no exception, expected " << file << " " << line;
    } catch (const CUnitException& e) {
      EXPECT_EQ(e.file, file);
      EXPECT_EQ(e.line, line);
    }
  }
};
