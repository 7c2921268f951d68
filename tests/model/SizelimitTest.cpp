// Guards the text that tells the user which limit a refused size broke: the reason, the limit's
// name and its value in the user's units (lengths as formatted, areas in square feet or square
// metres, angles in degrees), nothing once cleared, the range check noting the bound broken, and
// which lengths lie beyond it.
#include <gtest/gtest.h>

#include <numbers>

#include "model/Sizelimit.h"
#include "support/Unitscvt.h"

namespace {
CString Length(int format, double inches) { return CUnitsConverter().FormatLength(format, inches); }

// The kind's name, for the failure texts.
const char* KindName(CSizeLimit::Kind kind)
{
  switch (kind) {
  case CSizeLimit::none:
    return "none";
  case CSizeLimit::minSide:
    return "minSide";
  case CSizeLimit::maxSide:
    return "maxSide";
  case CSizeLimit::minGlassLine:
    return "minGlassLine";
  case CSizeLimit::maxShortGlassSide:
    return "maxShortGlassSide";
  case CSizeLimit::maxLongGlassSide:
    return "maxLongGlassSide";
  case CSizeLimit::maxArea:
    return "maxArea";
  case CSizeLimit::minAngle:
    return "minAngle";
  case CSizeLimit::maxAngle:
    return "maxAngle";
  case CSizeLimit::minLength:
    return "minLength";
  case CSizeLimit::maxLength:
    return "maxLength";
  }
  return "an unknown kind";
}
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

// The sizing pages give the focus to the field whose length lies beyond the bound broken: a
// lower bound is passed by a shorter length, an upper one by a longer, the bound itself is
// allowed, and a refusal of another kind or none says nothing of any length.
TEST(SizelimitTest, ALengthIsBeyondOnlyTheSideOrLengthBoundItBreaks)
{
  for (CSizeLimit::Kind kind : {CSizeLimit::minSide, CSizeLimit::minLength}) {
    SCOPED_TRACE(KindName(kind));
    CSizeLimit::Refused("too short", kind, 6.0);
    EXPECT_TRUE(CSizeLimit::IsBeyond(5.5));
    EXPECT_FALSE(CSizeLimit::IsBeyond(6.0));
    EXPECT_FALSE(CSizeLimit::IsBeyond(60.0));
  }
  for (CSizeLimit::Kind kind : {CSizeLimit::maxSide, CSizeLimit::maxLength}) {
    SCOPED_TRACE(KindName(kind));
    CSizeLimit::Refused("too long", kind, 60.0);
    EXPECT_TRUE(CSizeLimit::IsBeyond(60.5));
    EXPECT_FALSE(CSizeLimit::IsBeyond(60.0));
    EXPECT_FALSE(CSizeLimit::IsBeyond(5.0));
  }
  for (CSizeLimit::Kind kind :
       {CSizeLimit::none, CSizeLimit::minGlassLine, CSizeLimit::maxArea, CSizeLimit::minAngle}) {
    SCOPED_TRACE(KindName(kind));
    CSizeLimit::Refused("other", kind, 6.0);
    EXPECT_FALSE(CSizeLimit::IsBeyond(1.0));
    EXPECT_FALSE(CSizeLimit::IsBeyond(100.0));
  }
  CSizeLimit::Refused("too short", CSizeLimit::minLength, 6.0);
  CSizeLimit::Clear();
  EXPECT_FALSE(CSizeLimit::IsBeyond(1.0));
}
