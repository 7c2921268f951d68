#include "units/standard/ArchTestUtil.h"

#include <cmath>
#include <algorithm>
#include <cstdlib>
#include <random>
#include <set>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "geometry/2drect.h"
#include "model/Plansect.h"
#include "model/Sizing.h"
#include "model/Stdunit.h"
#include "model/Unitutil.h"
#include "productdb/txrecobj.h"
#include "units/standard/Stdreg.h"

void ArchUnitTest::SetUp()
{
  const char* binary = std::getenv("PANECRAFT_BINARY_DIR");
  ASSERT_NE(binary, nullptr) << "PANECRAFT_BINARY_DIR is not set";
  CTXRecObj::SetDatabaseDirectory((std::string(binary) + "/productdata/").c_str());
  RegisterStandardUnits();
}

std::unique_ptr<CUnit> ArchUnitTest::Make(const char* type, const char* subtype)
{
  return std::unique_ptr<CUnit>(MakeUnit(type, subtype));
}

namespace {
bool Finite(const CVRX2DPoint& p) { return std::isfinite(p.GetX()) && std::isfinite(p.GetY()); }
}  // namespace

::testing::AssertionResult AllFinite(const CVRX2DEntityArray& entities)
{
  for (int i = 0; i < entities.GetSize(); ++i) {
    const CVRX2DEntity* e = entities.GetAt(i);
    bool finite = true;
    if (const auto* line = dynamic_cast<const CVRX2DLine*>(e))
      finite = Finite(line->GetStartPoint()) && Finite(line->GetEndPoint());
    else if (const auto* arc = dynamic_cast<const CVRX2DArc*>(e))
      finite = Finite(arc->GetCentre()) && std::isfinite(arc->GetMajorRadius()) &&
               std::isfinite(arc->GetMinorRadius()) && std::isfinite(arc->GetStartAngle().GetRadians()) &&
               std::isfinite(arc->GetEndAngle().GetRadians());
    if (!finite)
      return ::testing::AssertionFailure() << "entity " << i << " holds no number";
  }
  return ::testing::AssertionSuccess();
}

const CVRX2DLine& LineAt(const CVRX2DEntityArray& entities, int i)
{
  return dynamic_cast<const CVRX2DLine&>(*entities.GetAt(i));
}

const CVRX2DArc& ArcAt(const CVRX2DEntityArray& entities, int i)
{
  return dynamic_cast<const CVRX2DArc&>(*entities.GetAt(i));
}

::testing::AssertionResult IsPlanSection(CUnit& unit, double height, double width, double offset)
{
  CPlanSectionSwitches switches;
  CPlanSectionPreferences preferences;
  CVRX2DEntityArray out;
  unit.GetPlanSectionEntities(height, switches, preferences, out);
  CPlanSectionUnitDimensions dimensions;
  dimensions.m_dPlanWidth = width;
  dimensions.m_dStartOffset = offset;
  CPlanSection section;
  section.SetViewSwitches(switches);
  section.SetUnitDimensions(dimensions);
  section.SetViewPreferences(preferences);
  CVRX2DEntityArray expected;
  section.GetEntities(expected);
  if (!AllFinite(out))
    return ::testing::AssertionFailure() << "the section at " << height << " holds no number";
  if (out.GetSize() != expected.GetSize())
    return ::testing::AssertionFailure() << out.GetSize() << " entities, not " << expected.GetSize();
  for (int i = 0; i < out.GetSize(); ++i) {
    const CVRX2DRectangle a = out[i]->GetExtents(), b = expected[i]->GetExtents();
    if (out[i]->GetCategory() != expected[i]->GetCategory() || a.GetMinPoint().DistanceTo(b.GetMinPoint()) > 1e-6 ||
        a.GetMaxPoint().DistanceTo(b.GetMaxPoint()) > 1e-6)
      return ::testing::AssertionFailure()
             << "entity " << i << " differs from a section of width " << width << " at offset " << offset;
  }
  return ::testing::AssertionSuccess();
}

double Stored(double value) { return static_cast<float>(value); }

Line Ends(const CVRX2DEntityArray& out, int i)
{
  const CVRX2DLine& line = LineAt(out, i);
  return {line.GetStartPoint().GetX(), line.GetStartPoint().GetY(), line.GetEndPoint().GetX(),
          line.GetEndPoint().GetY()};
}

void ExpectLine(const CVRX2DEntityArray& out, int i, int category, Line expected)
{
  ASSERT_LT(i, out.GetSize());
  EXPECT_EQ(out[i]->GetCategory(), category) << i;
  const Line got = Ends(out, i);
  for (int k = 0; k < 4; ++k)
    EXPECT_NEAR(got[k], expected[k], 1e-6) << "entity " << i << " value " << k;
}

void ExpectArc(const CVRX2DEntityArray& out, int i, int category, double cx, double cy, double r, double start,
               double end)
{
  ASSERT_LT(i, out.GetSize());
  EXPECT_EQ(out[i]->GetCategory(), category) << i;
  const CVRX2DArc& arc = ArcAt(out, i);
  EXPECT_NEAR(arc.GetCentre().GetX(), cx, 1e-6) << i;
  EXPECT_NEAR(arc.GetCentre().GetY(), cy, 1e-6) << i;
  EXPECT_NEAR(arc.GetMajorRadius(), r, 1e-6) << i;
  EXPECT_NEAR(arc.GetMinorRadius(), r, 1e-6) << i;
  EXPECT_TRUE(arc.GetStartAngle() == CVRXAngle(start)) << i << ": " << arc.GetStartAngle().GetRadians();
  EXPECT_TRUE(arc.GetEndAngle() == CVRXAngle(end)) << i << ": " << arc.GetEndAngle().GetRadians();
}

std::string ProposedSizeCode(const CUnit& unit)
{
  const std::string text = unit.GetSizeText(2).c_str();
  return text.substr(0, text.find(':'));
}

void ExpectOnlyCatalogueSizesProposed(CStandardUnit& unit, unsigned seed)
{
  CStdSizesRecArray sizes;
  unit.GetStandardSizes(sizes);
  std::set<std::string> codes;
  for (int i = 0; i < sizes.GetSize(); ++i)
    codes.insert(sizes[i]->GetSizeCode().c_str());
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> spread(-1.5, 1.5);
  CSizingHandleArray handles;
  unit.GetSizingHandles(handles);
  ASSERT_GT(handles.GetSize(), 0);
  for (int step = 0; step < 400; ++step) {
    const int handle = static_cast<int>(random() % handles.GetSize());
    const double reach = 2.0 * std::max(unit.GetWidth(), unit.GetHeight());
    const CVRX2DVector drag(step % 7 == 0 ? 0.0 : spread(random) * reach,
                            step % 11 == 0 ? 0.0 : spread(random) * reach);
    const std::string current = unit.GetSizeCode().c_str();
    const int result = unit.ConformProposedSize(handle, drag);
    ASSERT_TRUE(result >= CUnit::inboundsChanged && result <= CUnit::outOfBoundsUnchanged) << result;
    const std::string proposed = ProposedSizeCode(unit);
    ASSERT_TRUE(codes.count(proposed) || proposed == current) << proposed;
    ASSERT_TRUE(std::isfinite(unit.GetProposedHeight()) && std::isfinite(unit.GetProposedWidth()));
    CVRX2DEntityArray outline;
    const CVRX2DVector offset = unit.GetProposedOutlineEntities(outline);
    ASSERT_TRUE(AllFinite(outline));
    ASSERT_TRUE(std::isfinite(offset.GetX()) && std::isfinite(offset.GetY()));
    if (step % 37 == 0)
      unit.SetSizeToProposed();
    else if (step % 5 == 0)
      unit.ResetProposedSize();
  }
  unit.ConformProposedSize(0, CVRX2DVector(0.0, 0.0));
  EXPECT_EQ(ProposedSizeCode(unit), unit.GetSizeCode().c_str());
}
