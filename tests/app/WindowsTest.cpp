// Guards the splash window (centred, closed by its timer or a click but not by keys) and the
// About box (version texts, picture, the Ctrl+Shift double click into Credits, the notice help).
#include <gtest/gtest.h>

#include <memory>

#include <QElapsedTimer>
#include <QWidget>

#include "AppTestEnv.h"
#include "app/About.h"
#include "app/Splash.h"
#include "ui/draw/Dc.h"

namespace {

class WindowsTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    SetHelpSink(&sink);
    SetDialogService(&service);
    config.WriteProfile("[Misc]\nSplashScreenTime=0\nProductDatabaseDir=" + CatalogueFolder() + "\n");
    app = std::make_unique<CTestCApp>();
  }
  void TearDown() override
  {
    Pump();
    app.reset();
    SetDialogService(nullptr);
    SetHelpSink(nullptr);
  }

  CConfigFolder config;
  CRecordingHelpSink sink;
  CScriptedDialogService service;
  std::unique_ptr<CTestCApp> app;
};

TEST_F(WindowsTest, SplashIsCentredAndClosesWhenItsTimeIsUp)
{
  CSplashWnd splash;
  QElapsedTimer shown;
  shown.start();
  splash.Show(300);
  ASSERT_NE(splash.GetSafeHwnd(), nullptr);
  EXPECT_TRUE(splash.IsWindowVisible());
  CRect rect;
  splash.GetWindowRect(&rect);
  CSize screen = CDC::GetScreenSize();
  EXPECT_EQ(rect.left, (screen.cx - 400) / 2);
  EXPECT_EQ(rect.top, (screen.cy - 240) / 2);
  EXPECT_EQ(rect.Width(), 400);
  EXPECT_NE(splash.GetSurfacePixel(5, 5), splash.GetSurfacePixel(5, 235)) << "the picture is drawn";
  // It goes by its own timer, never before its time (a loaded machine can only make it later).
  ASSERT_TRUE(PumpUntil([&] { return splash.GetSafeHwnd() == nullptr; }));
  EXPECT_GE(shown.elapsed(), 300);
}

TEST_F(WindowsTest, SplashClosesOnAMouseButtonButNotOnAKey)
{
  CSplashWnd splash;
  splash.Show(10000);
  ASSERT_NE(splash.GetSafeHwnd(), nullptr);
  SendKeyPress(splash.GetSafeHwnd(), Qt::Key_Escape);
  Pump();
  EXPECT_NE(splash.GetSafeHwnd(), nullptr);
  SendMousePress(splash.GetSafeHwnd(), 20, 20, true);
  Pump();
  EXPECT_EQ(splash.GetSafeHwnd(), nullptr);
}

TEST_F(WindowsTest, AboutBoxShowsVersionsAndOpensCreditsOnlyOnCtrlShiftDoubleClick)
{
  app->InitApplication();
  app->StartUp();
  bool creditsShown = false;
  service.dialogActions.push_back([&](CDialog& dialog) {
    auto& about = static_cast<CAboutDlg&>(dialog);
    CString text;
    about.GetDlgItemText(5042, text);
    EXPECT_EQ(text, "Panecraft Version 1.0");
    about.GetDlgItemText(5050, text);
    EXPECT_EQ(text, "2.04");
    about.GetDlgItemText(5049, text);
    EXPECT_EQ(text, "1998.06 Sample");
    about.GetDlgItemText(5051, text);
    EXPECT_EQ(text, "06/15/1998");

    about.RedrawWindow();
    EXPECT_EQ(about.GetPictureRect(), CRect(15, 20, 140, 145));
    EXPECT_EQ(about.GetSurfacePixel(20, 20), RGB(236, 240, 246)) << "the picture at (15, 15)";

    const WPARAM both = MK_LBUTTON | MK_CONTROL | MK_SHIFT;
    about.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(50, 50));
    about.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON | MK_CONTROL, MAKELPARAM(50, 50));
    about.SendMessage(WM_LBUTTONDBLCLK, both, MAKELPARAM(200, 50));
    about.SendMessage(WM_LBUTTONDBLCLK, both, MAKELPARAM(50, 10));
    EXPECT_FALSE(creditsShown);
    about.SendMessage(WM_LBUTTONDBLCLK, both, MAKELPARAM(50, 50));
    EXPECT_TRUE(creditsShown);

    about.SendMessage(WM_COMMAND, MAKEWPARAM(3501, BN_CLICKED), 0);
    about.EndDialog(IDOK);
  });
  service.dialogActions.push_back([&](CDialog& dialog) {
    creditsShown = dialog.IsKindOf(RUNTIME_CLASS(CCreditsDlg));
    dialog.EndDialog(IDOK);
  });
  EXPECT_TRUE(app->OnCmdMsg(ID_APP_ABOUT, CN_COMMAND, nullptr));
  EXPECT_TRUE(service.dialogActions.empty());
  ASSERT_EQ(sink.calls.size(), 1u) << "the notice button asks the help gate";
  EXPECT_EQ(sink.calls[0].first, 0x10000u + 3500);
}

}  // namespace
