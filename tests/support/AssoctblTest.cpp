// Guards the code-to-text table: the class library's listing order, exact and case-blind reverse
// lookups taking the first pair in that order, and replacement of a code's text.
#include <gtest/gtest.h>

#include <vector>

#include "support/Assoctbl.h"

namespace {
std::vector<int> Codes(const CAssocIntAndString& table)
{
  std::vector<int> codes;
  POSITION pos = table.GetStartPosition();
  while (pos) {
    int code;
    CString text;
    table.GetNextAssoc(pos, code, text);
    codes.push_back(code);
  }
  return codes;
}
}  // namespace

TEST(AssocTable, ListsBucketsAscendingNewestFirst)
{
  CAssocIntAndString table;
  EXPECT_EQ(table.GetStartPosition(), nullptr);
  table.SetAt(0, "zero");
  table.SetAt(272, "two seven two");
  table.SetAt(16, "sixteen");
  table.SetAt(-1, "minus one");
  EXPECT_EQ(Codes(table), (std::vector<int>{272, 0, 16, -1}));
  table.RemoveAll();
  EXPECT_EQ(table.GetStartPosition(), nullptr);
}

TEST(AssocTable, MeasurementUnits)
{
  CAssocMeasurementUnitsAndDescription units;
  EXPECT_EQ(Codes(units), (std::vector<int>{3, 0}));
  CString text = "unchanged";
  EXPECT_TRUE(units.Lookup(0, text));
  EXPECT_EQ(text, CString("Feet And Inches"));
  text = "unchanged";
  EXPECT_FALSE(units.Lookup(1, text));
  EXPECT_EQ(text, CString("unchanged"));
  int code = -5;
  EXPECT_TRUE(units.LookupCodeNoCase("metric millimeters", code));
  EXPECT_EQ(code, 3);
  code = -5;
  EXPECT_FALSE(units.LookupCode("metric millimeters", code));
  EXPECT_EQ(code, -5);
  EXPECT_TRUE(units.LookupCode("Metric Millimeters", code));
  EXPECT_EQ(code, 3);
}

TEST(AssocTable, ReplacingAndDuplicateTexts)
{
  CAssocIntAndString table;
  table.SetAt(5, "old");
  table.SetAt(5, "new");
  EXPECT_EQ(Codes(table), (std::vector<int>{5}));
  CString text;
  EXPECT_TRUE(table.Lookup(5, text));
  EXPECT_EQ(text, CString("new"));
  table.SetAt(40, "same");
  table.SetAt(2, "same");
  table.SetAt(7, "same");
  int code = 0;
  EXPECT_TRUE(table.LookupCode("same", code));
  EXPECT_EQ(code, 7);
  EXPECT_TRUE(table.LookupCodeNoCase("SAME", code));
  EXPECT_EQ(code, 7);
}
