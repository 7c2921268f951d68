#include "FreeformTest.h"

#include <cstdlib>

#include "model/Plansect.h"
#include "model/Sizing.h"
#include "model/Varigon.h"
#include "productdb/txrecobj.h"
#include "support/Trace.h"
#include "units/freeform/Vgreg.h"

void FreeformTest::SetUp()
{
  const char* binary = std::getenv("PANECRAFT_BINARY_DIR");
  ASSERT_NE(binary, nullptr) << "PANECRAFT_BINARY_DIR is not set";
  CTXRecObj::SetDatabaseDirectory((std::string(binary) + "/productdata/").c_str());
  RegisterFreeformUnits();
  theTrace().SetLevel(TT_UNIT, TL_VERBOSE);
}

void FreeformTest::UseLimits(const std::vector<const char*>& row)
{
  m_catalogue = std::make_unique<COddCatalogue>();
  m_catalogue->AddRow("VGLIMITS", row);
  m_catalogue->Use();
}

void FreeformTest::UseLooseLimits()
{
  UseLimits({"5", "200", "4", "60", "80", "100", "0", "0", "0", "2.75", "0", "0", "0", "0.3491", "2.7925"});
}

std::string FreeformTest::Traced(const std::function<void()>& call)
{
  ::testing::internal::CaptureStderr();
  call();
  return ::testing::internal::GetCapturedStderr();
}

std::string FreeformTest::FirstRefusal(const std::string& traced)
{
  const size_t at = traced.find(": Are requested dimensions valid? NO (");
  if (at == std::string::npos || at < 4)
    return std::string();
  return traced.substr(at - 4, traced.find('\n', at) - at + 5);
}

std::string FreeformTest::Refusal(const char* prefix, const char* reason)
{
  return std::string(prefix) + ": Are requested dimensions valid? NO (" + reason + ")\n";
}

std::vector<Line> FreeformTest::Lines(const CVRX2DEntityArray& out, int category)
{
  std::vector<Line> lines;
  for (int i = 0; i < out.GetSize(); ++i) {
    EXPECT_EQ(out[i]->GetCategory(), category) << i;
    const auto& line = dynamic_cast<const CVRX2DLine&>(*out[i]);
    lines.push_back({line.GetStartPoint().GetX(), line.GetStartPoint().GetY(), line.GetEndPoint().GetX(),
                     line.GetEndPoint().GetY()});
  }
  return lines;
}

std::vector<Line> FreeformTest::Polygon(const std::vector<std::pair<double, double>>& corners)
{
  std::vector<Line> lines;
  for (size_t i = 0; i < corners.size(); ++i) {
    const auto& a = corners[i];
    const auto& b = corners[(i + 1) % corners.size()];
    lines.push_back({a.first, a.second, b.first, b.second});
  }
  return lines;
}

void FreeformTest::ExpectClosed(const std::vector<Line>& lines)
{
  for (size_t i = 0; i < lines.size(); ++i) {
    const Line& previous = lines[(i + lines.size() - 1) % lines.size()];
    EXPECT_NEAR(lines[i][0], previous[2], 1e-9) << "line " << i;
    EXPECT_NEAR(lines[i][1], previous[3], 1e-9) << "line " << i;
  }
}

void FreeformTest::ExpectLines(const std::vector<Line>& actual, const std::vector<Line>& expected, double tolerance)
{
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < actual.size(); ++i)
    for (size_t k = 0; k < 4; ++k)
      EXPECT_NEAR(actual[i][k], expected[i][k], tolerance) << "line " << i << " value " << k;
}

std::vector<std::pair<double, double>> FreeformTest::HandlePoints(CUnit& unit)
{
  CSizingHandleArray handles;
  unit.GetSizingHandles(handles);
  std::vector<std::pair<double, double>> points;
  for (int i = 0; i < handles.GetSize(); ++i)
    points.emplace_back(handles[i]->GetPoint().GetX(), handles[i]->GetPoint().GetY());
  return points;
}

std::vector<int> FreeformTest::Flags(CUnit& unit, int handle)
{
  CDWordArray flags;
  flags.Add(7);
  unit.GetSidesMovedByHandle(handle, flags);
  std::vector<int> result;
  for (int i = 0; i < flags.GetSize(); ++i)
    result.push_back(static_cast<int>(flags[i]));
  return result;
}

std::vector<double> FreeformTest::Values(CVarigonUnit& unit)
{
  CArray<double, double> values;
  unit.GetDimensionValues(values);
  std::vector<double> result;
  for (int i = 0; i < values.GetSize(); ++i)
    result.push_back(values[i]);
  return result;
}

BOOL FreeformTest::SetValues(CVarigonUnit& unit, const std::vector<double>& values)
{
  CArray<double, double> array;
  for (double v : values)
    array.Add(v);
  return unit.SetDimensionValues(array);
}

std::vector<std::string> FreeformTest::Labels(CVarigonUnit& unit)
{
  CStringArray labels;
  unit.GetDimensionLabels(labels);
  std::vector<std::string> result;
  for (int i = 0; i < labels.GetSize(); ++i)
    result.push_back(labels[i].str());
  return result;
}

std::unique_ptr<CUnit> FreeformTest::Reloaded(CUnit& unit)
{
  std::unique_ptr<CUnit> copy(MakeUnit(unit.GetType(), unit.GetSubtype()));
  CString attributes = unit.GetAttributes();
  copy->SetAttributes(attributes);
  return copy;
}

std::vector<Line> FreeformTest::Outline(CUnit& unit)
{
  CVRX2DEntityArray out;
  unit.GetOutlineEntities(out);
  return Lines(out, CUnit::catOutlinePerimeter);
}

std::vector<Line> FreeformTest::Elevation(CUnit& unit, int lines, int category)
{
  CVRX2DEntityArray out;
  unit.GetElevationEntities(lines, FALSE, FALSE, out);
  return Lines(out, category);
}

CVRX2DVector FreeformTest::Proposed(CUnit& unit, std::vector<Line>& outline)
{
  CVRX2DEntityArray out;
  const CVRX2DVector offset = unit.GetProposedOutlineEntities(out);
  outline = Lines(out, 19);
  return offset;
}

std::pair<double, double> FreeformTest::Plan(CUnit& unit, double cutHeight)
{
  constexpr int kWallEnd = 56;
  CVRX2DEntityArray out;
  unit.GetPlanSectionEntities(cutHeight, CPlanSectionSwitches(), CPlanSectionPreferences(), out);
  std::vector<double> ends;
  for (int i = 0; i < out.GetSize(); ++i)
    if (out[i]->GetCategory() == kWallEnd)
      ends.push_back(static_cast<const CVRX2DLine&>(*out[i]).GetStartPoint().GetX());
  EXPECT_EQ(ends.size(), 2u);
  if (ends.size() != 2)
    return {0.0, 0.0};
  return {ends[0], ends[1] - ends[0]};
}
