// Guards CString's clamping, searching, case and trimming rules and its code-page conversions.
#include <gtest/gtest.h>

#include "platform/core/String.h"

TEST(CStringSlices, OutOfRangeArgumentsAreClamped)
{
  CString s("Glider");
  EXPECT_EQ(s.Left(-1), "");
  EXPECT_EQ(s.Left(99), "Glider");
  EXPECT_EQ(s.Mid(-3), "Glider");
  EXPECT_EQ(s.Mid(4), "er");
  EXPECT_EQ(s.Mid(9), "");
  EXPECT_EQ(s.Mid(2, 99), "ider");
  EXPECT_EQ(s.Mid(2, -1), "");
  EXPECT_EQ(s.Right(2), "er");
  EXPECT_EQ(s.Right(99), "Glider");
  EXPECT_EQ(s.Right(-1), "");
}

TEST(CStringSearch, FindAndFindOneOf)
{
  CString s("2' 3/8\"");
  EXPECT_EQ(s.Find('/'), 4);
  EXPECT_EQ(s.Find("3/"), 3);
  EXPECT_EQ(s.Find('x'), -1);
  EXPECT_EQ(s.Find('\'', 2), -1);
  EXPECT_EQ(s.FindOneOf("\"/"), 4);
  EXPECT_EQ(s.ReverseFind('\''), 1);
}

TEST(CStringCompare, CaseRulesAreAsciiOnly)
{
  EXPECT_EQ(CString("abc").CompareNoCase("ABC"), 0);
  EXPECT_LT(CString("abc").Compare("abd"), 0);
  EXPECT_GT(CString("b").Compare("B"), 0);
  // Bytes above 0x7F sort after ASCII (unsigned) and keep their case.
  EXPECT_LT(CString("z").Compare("\xE9"), 0);
  CString accented("caf\xE9");
  accented.MakeUpper();
  EXPECT_EQ(accented, "CAF\xE9");
}

TEST(CStringTrim, WhitespaceAndCharacter)
{
  CString s(" \t Panel 2 \r\n");
  s.TrimLeft();
  s.TrimRight();
  EXPECT_EQ(s, "Panel 2");
  CString z("00120");
  z.TrimLeft('0');
  EXPECT_EQ(z, "120");
}

TEST(CStringCodePage, Windows1252RoundTripsThroughUtf8)
{
  CString text("Fen\xEAtre \x80 \x96 \x81");
  EXPECT_EQ(text.ToUtf8(), "Fen\xC3\xAAtre \xE2\x82\xAC \xE2\x80\x93 \xC2\x81");
  EXPECT_EQ(CString::FromUtf8(text.ToUtf8()), text);
  EXPECT_EQ(CString::FromUtf8("\xE4\xB8\xAD"), "?");  // not in the code page
}

TEST(CStringCodePage, TheFirstCharacterOutsideTheCodePageIsNamed)
{
  EXPECT_EQ(CString::FirstUnrepresentable("K\xC3\xBC"
                                          "che \xE2\x82\xAC \xE2\x80\x93"),
            "");
  EXPECT_EQ(CString::FirstUnrepresentable("K\xC3\xBC"
                                          "che \xE2\x9C\x93 \xD0\x94"),
            "\xE2\x9C\x93");
  EXPECT_EQ(CString::FirstUnrepresentable("\xF0\x9F\x8F\xA0 house"), "\xF0\x9F\x8F\xA0");
}

TEST(CStringFormat, PrintfSemantics)
{
  EXPECT_EQ(CString::Formatted("%s(%d) ", "Unit.cpp", 42), "Unit.cpp(42) ");
  EXPECT_EQ(CString::Formatted("%.15g", 0.1), "0.1");
  CString big;
  big.Format("%300s", "x");
  EXPECT_EQ(big.GetLength(), 300);
}
