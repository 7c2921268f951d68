// Guards that attribute strings and report keys stay in the "C" numeric format while a Qt
// application object has set a decimal-comma locale for the process.
#include <clocale>
#include <cstdlib>
#include <memory>

#include <QCoreApplication>

#include "ModelTestUtil.h"
#include "model/Rptdata.h"

namespace {

class LocaleTest : public ModelTest
{
protected:
  void SetUp() override
  {
    ModelTest::SetUp();
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    static int argc = 1;
    static char name[] = "model_locale_tests";
    static char* argv[] = {name, nullptr};
    m_app = std::make_unique<QCoreApplication>(argc, argv);
  }
  void TearDown() override
  {
    m_app.reset();
    std::setlocale(LC_ALL, "C");
  }

  std::unique_ptr<QCoreApplication> m_app;
};

TEST_F(LocaleTest, AttributesAndKeysKeepTheCFormatUnderACommaLocale)
{
  ASSERT_STREQ(std::localeconv()->decimal_point, ",") << "the comma locale did not take effect";
  CTestUnit source("GL", "BA005", 36.5, 48.25);
  ASSERT_TRUE(source.SetOptionChoice(5, 3));
  ASSERT_TRUE(source.SetOptionChoice(1, 2));
  const CString text = source.GetAttributes();
  EXPECT_EQ(text, "GL,BA005,2,1:2,5:3,36.5,48.25");

  CTestUnit target("GL", "BA005");
  CString attributes = text;
  target.SetAttributes(attributes);
  EXPECT_EQ(target.GetWidth(), 36.5);
  EXPECT_EQ(target.GetHeight(), 48.25);
  EXPECT_EQ(target.GetAttributes(), text);

  CUnitInfoReportDataArray records;
  target.GetReportData(records);
  ASSERT_EQ(records.GetSize(), 2);
  EXPECT_EQ(records.GetAt(0)->m_strUnitKey, "GL,BA005,1:2,5:3");
}

}  // namespace
