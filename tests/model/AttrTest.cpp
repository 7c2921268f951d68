// Guards the attribute string: the leading fields a unit writes and reads back, option pairs in
// category order, and each refusal with its module and line, the options left as they were.
#include <clocale>

#include "ModelTestUtil.h"
#include "model/Curropts.h"
#include "model/Unitexcp.h"

namespace {

class AttrTest : public ModelTest
{};

void ExpectUnitError(CUnit& unit, const char* text, int line)
{
  CString attributes = text;
  try {
    unit.SetAttributes(attributes);
    ADD_FAILURE() << "no exception for " << text;
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.file, "Unit") << text;
    EXPECT_EQ(e.line, line) << text;
  }
}

TEST_F(AttrTest, RoundTripWritesPairsInCategoryOrder)
{
  CTestUnit source("GL", "BA005", 36.5, 48.0);
  ASSERT_TRUE(source.SetOptionChoice(5, 3));
  ASSERT_TRUE(source.SetOptionChoice(1, 2));
  ASSERT_TRUE(source.SetOptionChoice(36, 8));
  const CString text = source.GetAttributes();
  EXPECT_EQ(text, "GL,BA005,3,1:2,5:3,36:8,36.5,48");

  CTestUnit target("GL", "BA005");
  CString attributes = text;
  target.CUnit::SetAttributes(attributes);
  EXPECT_EQ(attributes, "36.5,48");  // exactly the class fields
  attributes = text;
  target.SetAttributes(attributes);
  EXPECT_TRUE(attributes.IsEmpty());
  EXPECT_EQ(target.GetAttributes(), text);
  EXPECT_EQ(target.GetWidth(), 36.5);
}

TEST_F(AttrTest, UnitWithoutChoicesWritesZeroPairs)
{
  CTestUnit unit("DH", "PI003");
  EXPECT_EQ(unit.CUnit::GetAttributes(), "DH,PI003,0");
  CString attributes = "DH,PI003,0";
  unit.CUnit::SetAttributes(attributes);
  EXPECT_TRUE(attributes.IsEmpty());
  EXPECT_EQ(unit.GetCurrentOptionChoices()->GetSize(), 0);
}

TEST_F(AttrTest, ChoicesOfCategoriesNotOfferedAreNotWritten)
{
  CTestUnit glider("GL", "BA005");
  ASSERT_TRUE(glider.SetOptionChoice(40, 1));
  ASSERT_TRUE(glider.SetOptionChoice(5, 1));
  EXPECT_EQ(glider.CUnit::GetAttributes(), "GL,BA005,1,5:1");
}

TEST_F(AttrTest, PairsTheTypeDoesNotOfferAreDropped)
{
  CTestUnit unit("DH", "PI003");
  CString attributes = "DH,PI003,3,1:9,5:3,40:1,rest";
  unit.CUnit::SetAttributes(attributes);
  EXPECT_EQ(attributes, "rest");
  EXPECT_EQ(unit.CUnit::GetAttributes(), "DH,PI003,1,5:3");
}

TEST_F(AttrTest, EachRefusalCarriesItsLine)
{
  CTestUnit unit("AW", "PI002");
  ASSERT_TRUE(unit.SetOptionChoice(5, 2));
  ExpectUnitError(unit, "AW,BA002,0", 901);
  EXPECT_EQ(unit.GetOptionChoice(5, 0), 2);  // another type leaves the options as they were
  ExpectUnitError(unit, "AW,pi002,0", 901);
  // Everything is read before anything is stored: a refused string leaves the options.
  ExpectUnitError(unit, "AW,PI002,2,5:1", 1292);
  EXPECT_EQ(unit.GetOptionChoice(5, 0), 2);
  ExpectUnitError(unit, "AW,PI002,2,5:1,5-1", 920);
  EXPECT_EQ(unit.GetOptionChoice(5, 0), 2);
  ExpectUnitError(unit, "", 1292);
  ExpectUnitError(unit, "AW", 1292);
}

TEST_F(AttrTest, TokenizerTakesOneFieldAtATime)
{
  CString text = "a,,b";
  EXPECT_EQ(CUnit::GetNextAttribute(text), "a");
  EXPECT_EQ(CUnit::GetNextAttribute(text), "");
  EXPECT_EQ(CUnit::GetNextAttribute(text), "b");
  EXPECT_TRUE(text.IsEmpty());
  EXPECT_THROW(CUnit::GetNextAttribute(text), CUnitException);
}

TEST_F(AttrTest, CountWithoutDigitsReadsNoPairs)
{
  CTestUnit unit("DH", "PI003");
  CString attributes = " 1x,5:3";
  attributes = "DH,PI003," + attributes;
  unit.CUnit::SetAttributes(attributes);
  EXPECT_EQ(unit.GetOptionChoice(5, 0), 3);
  attributes = "DH,PI003,none,5:3";
  unit.CUnit::SetAttributes(attributes);
  EXPECT_EQ(attributes, "5:3");
  EXPECT_EQ(unit.GetOptionChoice(5, 0), 0);
}

}  // namespace
