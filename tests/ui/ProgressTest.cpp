// Guards the progress of long work: the Qt window stays hidden while the work looks short, shows
// once it looks longer than half a second, and its Cancel button stops the work; the helper
// gives the window a bounded number of positions and ignores a cancel where the work cannot stop;
// the window offers nothing to minimise or maximise it.
#include <chrono>
#include <thread>

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>

#include "TestApp.h"
#include "ui/dlg/Progress.h"

namespace {
class ProgressTest : public UiTest
{};

QProgressDialog* ShownProgress()
{
  for (QWidget* pWidget : QApplication::topLevelWidgets())
    if (auto* pDialog = qobject_cast<QProgressDialog*>(pWidget); pDialog && pDialog->isVisible())
      return pDialog;
  return nullptr;
}
}  // namespace

TEST_F(ProgressTest, QuickWorkShowsNoWindowAndSlowWorkShowsOneThatCancels)
{
  {
    auto pQuick = CreateQtProgressWindow(nullptr, "Counting", 1000, TRUE);
    for (int i = 0; i <= 1000; ++i)
      ASSERT_TRUE(pQuick->SetPos(i));
    EXPECT_EQ(ShownProgress(), nullptr);
  }

  auto pSlow = CreateQtProgressWindow(nullptr, "Reading the designs", 200, TRUE);
  int done = 0;
  while (!ShownProgress() && done < 199) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(pSlow->SetPos(++done));
  }
  QProgressDialog* pDialog = ShownProgress();
  ASSERT_NE(pDialog, nullptr) << "two seconds of work showed no progress";
  // Nothing minimises or maximises it; its close box cancels, as the button does.
  EXPECT_TRUE(pDialog->windowFlags().testFlag(Qt::CustomizeWindowHint));
  EXPECT_FALSE(pDialog->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(pDialog->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(pDialog->windowFlags().testFlag(Qt::WindowCloseButtonHint));
  EXPECT_EQ(pDialog->labelText(), "Reading the designs");
  EXPECT_EQ(pDialog->value(), done);
  auto* pCancel = pDialog->findChild<QPushButton*>();
  ASSERT_NE(pCancel, nullptr);
  QTest::mouseClick(pCancel, Qt::LeftButton);
  EXPECT_FALSE(pSlow->SetPos(done + 1));
}

// Work that cannot stop shows no close box: there is nothing for it to do.
TEST_F(ProgressTest, AWindowForWorkThatCannotStopHasNoCloseBox)
{
  auto pWindow = CreateQtProgressWindow(nullptr, "Writing the drawing", 10, FALSE);
  QProgressDialog* pDialog = nullptr;
  for (QWidget* pWidget : QApplication::topLevelWidgets())
    if (auto* p = qobject_cast<QProgressDialog*>(pWidget); p && p->labelText() == "Writing the drawing")
      pDialog = p;
  ASSERT_NE(pDialog, nullptr);
  EXPECT_FALSE(pDialog->windowFlags().testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(pDialog->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(pDialog->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(pDialog->windowFlags().testFlag(Qt::WindowTitleHint));
}

TEST_F(ProgressTest, TheWindowGetsAtMostOnePositionASliceAndOnlyStoppableWorkCancels)
{
  {
    CProgress progress(nullptr, "Many steps", 100000, TRUE);
    for (int i = 0; i < 100000; ++i)
      ASSERT_TRUE(progress.Step(i));
  }
  ASSERT_EQ(service.progresses.size(), 1u);
  EXPECT_EQ(service.progresses[0].positions.size(), static_cast<size_t>(CProgress::kSlices));
  EXPECT_EQ(service.progresses[0].positions.back(), 99800);

  service.progressCancelAt = 5;
  CProgress stoppable(nullptr, "Stoppable", 10, TRUE);
  EXPECT_TRUE(stoppable.Step(4));
  EXPECT_FALSE(stoppable.Step(5));
  EXPECT_FALSE(stoppable.Step(6)) << "a cancelled run stays cancelled";
  EXPECT_TRUE(stoppable.IsCancelled());

  service.progressCancelAt = 5;
  CProgress unstoppable(nullptr, "Unstoppable", 10, FALSE);
  for (int i = 0; i < 10; ++i)
    EXPECT_TRUE(unstoppable.Step(i));
  EXPECT_FALSE(unstoppable.IsCancelled());
}
