// Guards that numbers are written and read in the "C" numeric locale even after Qt adopts a
// decimal-comma process locale.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <clocale>

#include "platform/core/String.h"

TEST(NumericLocale, FormatAndParseIgnoreACommaLocale)
{
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
    GTEST_SKIP() << "de_DE.UTF-8 is not generated on this machine";
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  int argc = 1;
  char name[] = "locale_test";
  char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);  // adopts the environment's locale, as the program does
  char probe[32];
  std::snprintf(probe, sizeof probe, "%.1f", 72.5);
  ASSERT_STREQ(probe, "72,5") << "the comma locale is not in force, the test proves nothing";

  CString text;
  text.Format("%.15g", 72.5);
  EXPECT_EQ(text, "72.5");
  EXPECT_DOUBLE_EQ(StrToDouble(text), 72.5);
  EXPECT_DOUBLE_EQ(StrToDouble("1e3"), 1000.0);
  const char* end = nullptr;
  EXPECT_DOUBLE_EQ(StrToDouble("3,5", &end), 3.0);
  EXPECT_EQ(*end, ',');
}
