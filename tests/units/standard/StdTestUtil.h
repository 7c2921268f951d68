#pragma once
// What the tests of the rectangular standard units share: the sample catalogue with the standard
// units registered, entity and component readers, the site of a refusal, and a store and reload
// of a unit through its attribute string in an archive.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "geometry/Entity.h"
#include "model/Unit.h"

class CPlanSectionUnitDimensions;

using Line = std::vector<double>;  // x1, y1, x2, y2

class StandardUnitTest : public ::testing::Test
{
protected:
  void SetUp() override;

  template <class T>
  static std::unique_ptr<T> Make(const char* type, const char* subtype)
  {
    std::unique_ptr<CUnit> unit(MakeUnitOfKey(type, subtype));
    T* leaf = dynamic_cast<T*>(unit.get());
    EXPECT_NE(leaf, nullptr) << type << subtype;
    if (leaf)
      unit.release();
    return std::unique_ptr<T>(leaf);
  }
  static CUnit* MakeUnitOfKey(const char* type, const char* subtype);
};

// The lines out[first .. first + count - 1], each of the category.
std::vector<Line> Lines(const CVRX2DEntityArray& out, int first, int count, int category);
std::vector<Line> Rectangle(double left, double bottom, double right, double top);
int CountOfCategory(const CVRX2DEntityArray& out, int category);

// The element codes of the unit's components in array order, and each one's kind and ends.
std::vector<std::string> Codes(CUnit& unit);
std::vector<std::string> Kinds(CUnit& unit);
std::vector<Line> Ends(CUnit& unit);
std::vector<Line> HandlePoints(CUnit& unit);  // x, y, code

// "file:line" of the CUnitException the call throws, "" when it throws none.
std::string RefusalOf(const std::function<void()>& call);

// The unit written into a project-file archive as its attribute string, read back and applied to
// a new unit of its key.
std::unique_ptr<CUnit> StoreAndReload(CUnit& unit);

// The unit's plan section equals the one the section builds from these dimensions.
void ExpectPlanSection(CUnit& unit, const CPlanSectionUnitDimensions& dimensions);

// Elevations of 1, 2 and 3 line sets, with and without operating symbols, equal for two units.
void ExpectSameDrawings(CUnit& a, CUnit& b);
