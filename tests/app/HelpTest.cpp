// Guards the help gate: one topic per hundred command ids, the class library's own commands and
// ids above 3500 dropped, at most one help call in two seconds, and the "ShowHelpID" box.
#include <gtest/gtest.h>

#include <memory>

#include <QElapsedTimer>

#include "AppTestEnv.h"
#include "app/Helpgate.h"

namespace {

TEST(HelpGateTest, IdsAreRoundedDownAndExcludedCommandsDropped)
{
  DWORD id = 0;
  EXPECT_TRUE(GetGatedHelpId(1843, HELP_CONTEXT, &id));
  EXPECT_EQ(id, 1800u);
  EXPECT_TRUE(GetGatedHelpId(0x10000 + 3599, HELP_CONTEXT, &id)) << "only the low word counts";
  EXPECT_EQ(id, 3500u);
  EXPECT_TRUE(GetGatedHelpId(99, HELP_CONTEXT, &id));
  EXPECT_EQ(id, 0u);
  for (DWORD excluded : {57600, 57601, 57603, 57604, 57635, 57634, 57637, 57609, 57606, 57664})
    EXPECT_FALSE(GetGatedHelpId(excluded, HELP_CONTEXT, &id)) << excluded;
  EXPECT_TRUE(GetGatedHelpId(57602, HELP_CONTEXT, &id));
  EXPECT_EQ(id, 57600u);
  EXPECT_TRUE(GetGatedHelpId(123456, HELP_INDEX, &id));
  EXPECT_EQ(id, 123456u) << "other commands keep the whole data";
}

TEST(HelpGateTest, DecisionsAndTheShowHelpIdText)
{
  DWORD id = 0;
  EXPECT_EQ(DecideHelpRequest(1843, HELP_CONTEXT, FALSE, 0, &id), HelpAction::call);
  EXPECT_EQ(DecideHelpRequest(1843, HELP_CONTEXT, TRUE, 0, &id), HelpAction::drop);
  EXPECT_EQ(DecideHelpRequest(4100, HELP_CONTEXT, FALSE, 0, &id), HelpAction::drop);
  EXPECT_EQ(DecideHelpRequest(3599, HELP_CONTEXT, FALSE, 0, &id), HelpAction::call);
  EXPECT_EQ(DecideHelpRequest(4100, HELP_CONTEXT, FALSE, 1, &id), HelpAction::showId);
  EXPECT_EQ(DecideHelpRequest(57600, HELP_CONTEXT, FALSE, 1, &id), HelpAction::drop);
  EXPECT_EQ(FormatShowHelpIdText(HELP_CONTEXT, 1800),
            "About to call WinHelp:\nCommand = HELP_CONTEXT\nHelp ID = 67336 - 1800\n");
  EXPECT_EQ(FormatShowHelpIdText(HELP_INDEX, 0), "About to call WinHelp:\nCommand = HELP_INDEX\nHelp ID = 65536 - 0\n");
  EXPECT_EQ(FormatShowHelpIdText(11, 7), "About to call WinHelp:\nCommand = ERROR!\nHelp ID = 65543 - 7\n");
}

class HelpTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    SetHelpSink(&sink);
    SetDialogService(&service);
    app = std::make_unique<CTestCApp>();
    app->SetRegistryKey("Tarvex Windows");
  }
  void TearDown() override
  {
    app.reset();
    SetDialogService(nullptr);
    SetHelpSink(nullptr);
  }

  CConfigFolder config;
  CRecordingHelpSink sink;
  CScriptedDialogService service;
  std::unique_ptr<CTestCApp> app;
};

TEST_F(HelpTest, TwoRequestsWithinTwoSecondsCallHelpOnce)
{
  QElapsedTimer sincePassed;
  sincePassed.start();
  app->WinHelp(1843, HELP_CONTEXT);
  app->WinHelp(1843, HELP_CONTEXT);
  ASSERT_EQ(sink.calls.size(), 1u);
  EXPECT_EQ(sink.calls[0].first, 67336u);
  EXPECT_EQ(sink.calls[0].second, static_cast<UINT>(HELP_CONTEXT));
  // Every request is dropped until the throttle's timer has run out, two seconds after the call
  // that passed (a loaded machine can only make that later), and the next one passes.
  ASSERT_TRUE(PumpUntil([&] {
    app->WinHelp(2210, HELP_CONTEXT);
    return sink.calls.size() > 1;
  }));
  EXPECT_GE(sincePassed.elapsed(), 2000);
  ASSERT_EQ(sink.calls.size(), 2u);
  EXPECT_EQ(sink.calls[1].first, 0x10000u + 2200);
}

TEST_F(HelpTest, DroppedRequestsStartNoTimer)
{
  app->WinHelp(57600, HELP_CONTEXT);
  app->WinHelp(4100, HELP_CONTEXT);
  EXPECT_TRUE(sink.calls.empty());
  app->WinHelp(0, HELP_INDEX);
  ASSERT_EQ(sink.calls.size(), 1u);
  EXPECT_EQ(sink.calls[0], (std::pair<std::uintptr_t, UINT>{0x10000, HELP_INDEX}));
  EXPECT_TRUE(service.messages.empty());
}

TEST_F(HelpTest, ShowHelpIdShowsTheIdInsteadOfCallingHelp)
{
  config.WriteProfile("[Debug]\nShowHelpID=1\n");
  app = std::make_unique<CTestCApp>();
  app->SetRegistryKey("Tarvex Windows");
  app->WinHelp(1843, HELP_CONTEXT);
  app->WinHelp(4100, HELP_CONTEXT);
  EXPECT_TRUE(sink.calls.empty());
  ASSERT_EQ(service.messages.size(), 2u) << "no timer was started by the first";
  EXPECT_EQ(service.messages[0].text, "About to call WinHelp:\nCommand = HELP_CONTEXT\nHelp ID = 67336 - 1800\n");
  EXPECT_EQ(service.messages[0].type, static_cast<UINT>(MB_OK));
  EXPECT_EQ(service.messages[1].text, "About to call WinHelp:\nCommand = HELP_CONTEXT\nHelp ID = 69636 - 4100\n");
}

}  // namespace
