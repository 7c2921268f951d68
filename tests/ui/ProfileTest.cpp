// Guards the application's profile functions: the INI file in the maker's folder, signed integers,
// and the recent-file list written back at exit.
#include <QTemporaryDir>

#include "TestApp.h"
#include "platform/core/Profile.h"

namespace {
class ProfileTest : public UiTest
{
protected:
  void SetUp() override
  {
    UiTest::SetUp();
    ASSERT_TRUE(dir.isValid());
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    TestApp().SetRegistryKey("Tarvex Windows");
  }
  void TearDown() override
  {
    qunsetenv("XDG_CONFIG_HOME");
    TestApp().SetRegistryKey("");
    UiTest::TearDown();
  }
  QTemporaryDir dir;
};
}  // namespace

TEST_F(ProfileTest, ValuesGoToTheMakersFolderAndNegativeNumbersStayNegative)
{
  EXPECT_EQ(TestApp().GetProfileInt("Misc", "SplashScreenTime", 3000), 3000);
  EXPECT_TRUE(TestApp().WriteProfileInt("Misc", "SplashScreenTime", -5));
  EXPECT_EQ(TestApp().GetProfileInt("Misc", "SplashScreenTime", 3000), -5);
  EXPECT_TRUE(TestApp().WriteProfileString("Misc", "ProductDatabaseDir", "/data/catalogue"));
  CProfile file((dir.path() + "/Tarvex Windows/Panecraft Tests.ini").toStdString());
  EXPECT_EQ(file.GetProfileString("misc", "productdatabasedir"), CString("/data/catalogue"));
}

TEST_F(ProfileTest, RecentFileListIsReadAndWrittenBackMostRecentFirst)
{
  TestApp().WriteProfileString("Recent File List", "File1", "/p/a.tpf");
  TestApp().LoadStdProfileSettings(4);
  EXPECT_EQ(TestApp().GetRecentFile(0), CString("/p/a.tpf"));
  TestApp().AddToRecentFileList("/p/b.tpf");
  TestApp().AddToRecentFileList("/p/a.tpf");
  TestApp().SaveStdProfileSettings();
  EXPECT_EQ(TestApp().GetProfileString("Recent File List", "File1"), CString("/p/a.tpf"));
  EXPECT_EQ(TestApp().GetProfileString("Recent File List", "File2"), CString("/p/b.tpf"));
  EXPECT_EQ(TestApp().GetProfileString("Recent File List", "File3", "none"), CString("none"));
  TestApp().LoadStdProfileSettings(0);
}
