// Guards the text that tells the user which limit a refused size broke: the reason, the limit's
// name and its value in the user's units (lengths as formatted, areas in square feet or square
// metres, angles in degrees), nothing once cleared, and the range check noting the bound broken.
#include <gtest/gtest.h>

#include <numbers>

#include "model/Sizelimit.h"
#include "support/Unitscvt.h"

namespace {
CString Length(int format, double inches) { return CUnitsConverter().FormatLength(format, inches); }
}  // namespace

TEST(SizelimitTest, TheTextNamesTheLimitAndItsValueInTheUsersUnits)
{
  CSizeLimit::Refused("height too small", CSizeLimit::minSide, 12.5);
  EXPECT_EQ(CSizeLimit::Text(CUnitsConverter::feetAndInches),
            "Height too small: the shortest side allowed is " + Length(CUnitsConverter::feetAndInches, 12.5) + ".");
  EXPECT_EQ(CSizeLimit::Text(CUnitsConverter::metricMillimeters),
            "Height too small: the shortest side allowed is " + Length(CUnitsConverter::metricMillimeters, 12.5) + ".");
  CSizeLimit::Refused("area too large", CSizeLimit::maxArea, 20.0);
  EXPECT_EQ(CSizeLimit::Text(CUnitsConverter::feetAndInches),
            "Area too large: the largest area allowed is 20.00 square feet.");
  EXPECT_EQ(CSizeLimit::Text(CUnitsConverter::metricMillimeters),
            "Area too large: the largest area allowed is 1.86 square metres.");
  CSizeLimit::Refused("head/jamb angle too small", CSizeLimit::minAngle, std::numbers::pi / 6.0);
  EXPECT_EQ(CSizeLimit::Text(0), "Head/jamb angle too small: the smallest angle allowed is 30.0 degrees.");
  CSizeLimit::Refused("top not smaller than base");
  EXPECT_EQ(CSizeLimit::Text(0), "Top not smaller than base.");
  CSizeLimit::Clear();
  EXPECT_FALSE(CSizeLimit::HasRefusal());
  EXPECT_EQ(CSizeLimit::Text(0), "");
}

TEST(SizelimitTest, TheRangeCheckNotesTheBoundItBroke)
{
  CSizeLimit::Clear();
  EXPECT_TRUE(CSizeLimit::Within(true, true, "leg too short", CSizeLimit::minLength, 6.0, "leg too long",
                                 CSizeLimit::maxLength, 60.0));
  EXPECT_FALSE(CSizeLimit::HasRefusal());
  EXPECT_FALSE(CSizeLimit::Within(false, true, "leg too short", CSizeLimit::minLength, 6.0, "leg too long",
                                  CSizeLimit::maxLength, 60.0));
  EXPECT_EQ(CSizeLimit::Text(CUnitsConverter::wholeInches),
            "Leg too short: the shortest length allowed is " + Length(CUnitsConverter::wholeInches, 6.0) + ".");
  EXPECT_FALSE(CSizeLimit::Within(true, false, "leg too short", CSizeLimit::minLength, 6.0, "leg too long",
                                  CSizeLimit::maxLength, 60.0));
  EXPECT_EQ(CSizeLimit::Text(CUnitsConverter::wholeInches),
            "Leg too long: the longest length allowed is " + Length(CUnitsConverter::wholeInches, 60.0) + ".");
}
