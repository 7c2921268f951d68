#pragma once
// Shared fixture pieces of the arched unit tests: the sample catalogue, the unit factory, and
// checks that a drawing holds numbers only.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "geometry/Entity.h"
#include "model/Unit.h"

class CStandardUnit;
class CVRX2DArc;
class CVRX2DLine;

class ArchUnitTest : public ::testing::Test
{
protected:
  void SetUp() override;
  // A unit of the key made by the factory, owned by the test.
  std::unique_ptr<CUnit> Make(const char* type, const char* subtype);
};

// Every coordinate, radius and angle of the entities is a finite number.
::testing::AssertionResult AllFinite(const CVRX2DEntityArray& entities);

const CVRX2DLine& LineAt(const CVRX2DEntityArray& entities, int i);
const CVRX2DArc& ArcAt(const CVRX2DEntityArray& entities, int i);

// The unit's plan section cut at `height` is the one-panel section of that width starting
// `offset` from the unit's left side.
::testing::AssertionResult IsPlanSection(CUnit& unit, double height, double width, double offset);

using Line = std::vector<double>;  // x1, y1, x2, y2

// A value as the catalogue stores it, in single precision.
double Stored(double value);
Line Ends(const CVRX2DEntityArray& out, int i);
// Entity i is a line (an arc) of the category with these ends (centre, radius and angles).
void ExpectLine(const CVRX2DEntityArray& out, int i, int category, Line expected);
void ExpectArc(const CVRX2DEntityArray& out, int i, int category, double cx, double cy, double r, double start,
               double end);

// The size code at the head of the unit's size text: the proposed size's.
std::string ProposedSizeCode(const CUnit& unit);
// A few hundred seeded random drags of every handle, inside and far outside the catalogue's
// range, now and then applied or given up: the proposal is always one of the unit's catalogue
// sizes (or the current one), never a value that is no number; a drag with no length leaves
// the proposal at the current size.
void ExpectOnlyCatalogueSizesProposed(CStandardUnit& unit, unsigned seed);
