#pragma once
// The fixture of the free-form unit tests: the sample catalogue, the free-form classes in the
// unit factory, unit-topic traces on (the checks' refusal reasons are read from them), and
// helpers that read entity arrays as plain numbers.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "geometry/2dline.h"
#include "model/Unit.h"
#include "model/Unitutil.h"
#include "model/OddCatalogue.h"

class CVarigonUnit;

using Line = std::vector<double>;  // x1, y1, x2, y2

class FreeformTest : public ::testing::Test
{
protected:
  void SetUp() override;
  // Makes the sample catalogue with one more limits row the governing one (its minimum side
  // must be below the sample row's 10); no unit may be alive.
  void UseLimits(const std::vector<const char*>& row);
  // Sides 5 to 200, glass line 4, short glass 60, long glass 80, 100 square feet, inset 2.75,
  // angles 0.3491 to 2.7925: limits under which the glass tests can be reached.
  void UseLooseLimits();

  template <class T>
  static std::unique_ptr<T> Make(const char* type, const char* subtype)
  {
    return std::unique_ptr<T>(dynamic_cast<T*>(MakeUnit(type, subtype)));
  }

  // What the call wrote to the trace.
  static std::string Traced(const std::function<void()>& call);
  // The first refusal line of a check in the traced text, without the file and line before it.
  static std::string FirstRefusal(const std::string& traced);
  // The refusal line of a check, e.g. "VGRE: Are requested dimensions valid? NO (height too small)\n".
  static std::string Refusal(const char* prefix, const char* reason);

  static std::vector<Line> Lines(const CVRX2DEntityArray& out, int category);
  static std::vector<Line> Polygon(const std::vector<std::pair<double, double>>& corners);
  // Each line starts where the one before it ends, the first where the last ends.
  static void ExpectClosed(const std::vector<Line>& lines);
  static void ExpectLines(const std::vector<Line>& actual, const std::vector<Line>& expected, double tolerance = 1e-9);
  static std::vector<std::pair<double, double>> HandlePoints(CUnit& unit);
  static std::vector<int> Flags(CUnit& unit, int handle);
  static std::vector<double> Values(CVarigonUnit& unit);
  static BOOL SetValues(CVarigonUnit& unit, const std::vector<double>& values);
  static std::vector<std::string> Labels(CVarigonUnit& unit);
  // The unit's attribute text read into a fresh unit of its key.
  static std::unique_ptr<CUnit> Reloaded(CUnit& unit);
  // The sized components as lines, outline category.
  static std::vector<Line> Outline(CUnit& unit);
  static std::vector<Line> Elevation(CUnit& unit, int lines, int category);
  // The proposed outline (category 19) and the offset it is drawn at.
  static CVRX2DVector Proposed(CUnit& unit, std::vector<Line>& outline);
  // The plan section cut at the height, as drawn between its two wall ends: start offset, width.
  static std::pair<double, double> Plan(CUnit& unit, double cutHeight);

private:
  std::unique_ptr<COddCatalogue> m_catalogue;
};
