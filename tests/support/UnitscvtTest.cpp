// Guards the length texts of the six kinds (rounding to 1/32 inch, reduced fractions, edit forms
// without stray periods) and the parser's acceptance and refusals.
#include <gtest/gtest.h>

#include "support/ComExcpt.h"
#include "support/Unitscvt.h"

namespace {
CString Format(int kind, double inches) { return CUnitsConverter().FormatLength(kind, inches); }

// The parsed inches, or -999 when the text is refused.
double Parse(int kind, const char* text)
{
  double value = -999;
  return CUnitsConverter().ParseLength(kind, text, &value) ? value : -999;
}
}  // namespace

TEST(UnitsConverter, ImperialKindsRoundToThirtySeconds)
{
  EXPECT_EQ(Format(0, 65.5), CString("5'-5 1/2\""));
  EXPECT_EQ(Format(1, 65.5), CString("65 1/2\""));
  EXPECT_EQ(Format(2, 65.5), CString("66"));
  EXPECT_EQ(Format(0, 12.0), CString("1'-0\""));
  EXPECT_EQ(Format(0, 5.0), CString("0'-5\""));
  EXPECT_EQ(Format(0, 143.99), CString("12'-0\""));
  EXPECT_EQ(Format(2, -2.5), CString("-2"));
  EXPECT_EQ(Format(1, 0.03), CString("0 1/32\""));
  EXPECT_EQ(Format(1, -0.25), CString("-0 1/4\""));
  EXPECT_EQ(Format(1, 16.0 / 32), CString("0 1/2\""));
  EXPECT_EQ(Format(1, 8.0 / 32), CString("0 1/4\""));
  EXPECT_EQ(Format(1, 3.0 / 32), CString("0 3/32\""));
  EXPECT_EQ(Format(0, -30.0), CString("-2'-6\""));
}

TEST(UnitsConverter, EditFormsKeepExactValues)
{
  EXPECT_EQ(Format(4, 0.03), CString("0'-0.03\""));
  EXPECT_EQ(Format(4, 65.5), CString("5'-5 1/2\""));
  EXPECT_EQ(Format(4, 0.1), CString("0'-0.1\""));
  EXPECT_EQ(Format(4, 24.0), CString("2'-0\""));
  EXPECT_EQ(Format(3, 1.0), CString("25"));
  EXPECT_EQ(Format(5, 1.0), CString("25.4"));
  EXPECT_EQ(Format(3, -1.0), CString("-25"));
  // Whole millimetres show no trailing period.
  EXPECT_EQ(Format(5, 5.0), CString("127"));
  for (int inches = 0; inches < 2000; ++inches) {
    CString text = Format(5, inches / 25.4 * 5);
    ASSERT_NE(text[text.GetLength() - 1], '.') << inches;
  }
  EXPECT_EQ(Format(6, 1.0), CString(""));
  EXPECT_EQ(Format(-1, 1.0), CString(""));
}

TEST(UnitsConverter, EditTextsParseBackToTheirValue)
{
  for (double inches : {0.0, 0.03, 1.0 / 3, 65.5, 143.99, 1234.5678}) {
    EXPECT_NEAR(Parse(4, Format(4, inches)), inches, 1e-7) << inches;
    EXPECT_NEAR(Parse(5, Format(5, inches)), inches, 1e-5 / 25.4) << inches;
  }
  EXPECT_EQ(Parse(4, Format(4, -7.125)), -7.125);
  // Millimetres take no sign.
  EXPECT_EQ(Parse(5, Format(5, -1.0)), -999);
}

TEST(UnitsConverter, ParsesFeetInchesAndFractions)
{
  EXPECT_EQ(Parse(0, "5'-6 1/2\""), 66.5);
  EXPECT_EQ(Parse(0, "-3/4"), -0.75);
  EXPECT_EQ(Parse(0, "12"), 12.0);
  EXPECT_EQ(Parse(1, "1.5\""), 1.5);
  EXPECT_EQ(Parse(0, "2' 3/8\""), 24.375);
  EXPECT_EQ(Parse(2, "6 \""), 6.0);
  EXPECT_EQ(Parse(4, "  6"), 6.0);
  EXPECT_EQ(Parse(0, "3'"), 36.0);
  EXPECT_EQ(Parse(0, "1 0/4"), 1.0);
}

TEST(UnitsConverter, RefusesTextThatIsNoLength)
{
  for (const char* bad : {"1.5 1/2", "5\"\"", "1/2 3", "'5", "5 '", "1 /2", "1/2/3", "abc", "3/0", "1 1/0",
                          "99999999999/2", "1/99999999999"}) {
    EXPECT_EQ(Parse(0, bad), -999) << bad;
  }
  CString huge(std::string(400, '9'));
  EXPECT_EQ(Parse(0, huge), -999);
  EXPECT_EQ(Parse(0, huge + "'"), -999);
  EXPECT_EQ(Parse(3, huge), -999);
  double untouched = 42;
  EXPECT_FALSE(CUnitsConverter().ParseLength(0, "x", &untouched));
  EXPECT_EQ(untouched, 42);
}

TEST(UnitsConverter, ParsesMillimetres)
{
  EXPECT_EQ(Parse(3, "25.4"), 1.0);
  EXPECT_EQ(Parse(5, ""), 0.0);
  EXPECT_EQ(Parse(5, "-5"), -999);
  EXPECT_EQ(Parse(3, "1.2.3"), -999);
}

TEST(UnitsConverter, UnknownParseKindThrows)
{
  double value = 0;
  try {
    CUnitsConverter().ParseLength(7, "1", &value);
    FAIL() << "no exception";
  } catch (const CCommonException& e) {
    EXPECT_EQ(e.file, CString("Unitscvt"));
    EXPECT_EQ(e.line, 361);
  }
}
