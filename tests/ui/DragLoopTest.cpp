// Guards the modal drag loop: the threshold, the ways a drag ends (release, Esc, right button,
// capture loss), timers during the drag, exceptions that must come out after the loop, and posted
// messages the loop did not take.
#include <algorithm>
#include <functional>
#include <memory>
#include <stdexcept>

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include "TestApp.h"
#include "ui/wnd/DragLoop.h"
#include "ui/wnd/Wnd.h"

namespace {
struct CDragError : std::runtime_error
{
  CDragError() : std::runtime_error("drag handler failed") {}
};

constexpr UINT WM_DRAGNOTE = WM_USER + 7;

class CDragWnd : public CWnd
{
public:
  BOOL Make() { return CreateEx(0, nullptr, "Drag", WS_OVERLAPPED | WS_VISIBLE, 20, 20, 200, 200, nullptr, 0); }
  std::vector<UINT> messages;
  std::vector<UINT_PTR> ticks;
  bool throwOnTimer = false;

protected:
  void OnMouseMove(UINT, CPoint) override { messages.push_back(WM_MOUSEMOVE); }
  void OnLButtonUp(UINT, CPoint) override { messages.push_back(WM_LBUTTONUP); }
  void OnRButtonUp(UINT, CPoint) override { messages.push_back(WM_RBUTTONUP); }
  void OnKeyDown(UINT nChar, UINT, UINT) override { messages.push_back(0x10000 + nChar); }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
  {
    if (message == WM_DRAGNOTE)
      messages.push_back(WM_DRAGNOTE);
    return CWnd::WindowProc(message, wParam, lParam);
  }
  void OnTimer(UINT_PTR id) override
  {
    ticks.push_back(id);
    if (throwOnTimer)
      throw CDragError();
  }
};

class CRecordingClient : public CDragLoopClient
{
public:
  void OnDragStep(CPoint point, BOOL first) override
  {
    steps.push_back(point);
    firsts += first ? 1 : 0;
  }
  void OnDragUpdate() override { ++updates; }
  void OnDragFinish(const MSG& msg) override { finish = msg; }
  void OnDragCancel() override { ++cancels; }
  void OnDragTimer() override { ++ownTicks; }

  std::vector<CPoint> steps;
  int firsts = 0;
  int updates = 0;
  int cancels = 0;
  int ownTicks = 0;
  MSG finish;
};

class DragLoopTest : public UiTest
{
protected:
  void SetUp() override
  {
    UiTest::SetUp();
    ASSERT_TRUE(wnd.Make());
    Pump();
  }
  void TearDown() override
  {
    wnd.DestroyWindow();
    UiTest::TearDown();
  }
  void Move(int x, int y, Qt::MouseButtons buttons = Qt::LeftButton)
  {
    PostMouse(wnd.m_hWnd, QEvent::MouseMove, QPoint(x, y), Qt::NoButton, buttons);
  }
  void Release(QPoint at = QPoint(30, 30))
  {
    PostMouse(wnd.m_hWnd, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
  }
  // Runs the action inside the loop as soon as ready() holds, however long a loaded machine takes
  // to get there; only after a hang's worth of time does it run anyway (and the test fails).
  void When(std::function<bool()> ready, std::function<void()> action)
  {
    constexpr qint64 kHangLimitMs = 60000;
    auto poll = std::make_unique<QTimer>();
    QTimer* timer = poll.get();
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(timer, &QTimer::timeout, [timer, started, ready = std::move(ready), action = std::move(action)] {
      if (!ready() && started->elapsed() < kHangLimitMs)
        return;
      timer->stop();
      action();
    });
    timer->start(1);
    polls.push_back(std::move(poll));
  }
  int Count(UINT message) const
  {
    return static_cast<int>(std::count(wnd.messages.begin(), wnd.messages.end(), message));
  }
  // Delivers a move once the window has seen the ones before it, as a real pointer would, so
  // each is sampled on its own.
  void MoveAfter(int movesSeen, int x, int y)
  {
    When([this, movesSeen] { return Count(WM_MOUSEMOVE) >= movesSeen; }, [this, x, y] { Move(x, y); });
  }
  CDragEnd Run(CRecordingClient& client, CDragOptions options = CDragOptions())
  {
    CDragLoop loop(&wnd, CPoint(10, 10), options);
    return loop.Run(client);
  }
  CDragWnd wnd;
  std::vector<std::unique_ptr<QTimer>> polls;
};
}  // namespace

TEST(DragLogic, ClassifiesMessagesTheWindowsWay)
{
  CDragOptions move;
  CDragLogic logic(CPoint(0, 0), move);
  auto kind = [&](UINT message, WPARAM wParam = 0) {
    MSG m;
    m.message = message;
    m.wParam = wParam;
    return logic.Classify(m);
  };
  EXPECT_EQ(kind(WM_MOUSEMOVE), CDragAction::ForwardThenStep);
  EXPECT_EQ(kind(WM_DRAGUPDATE), CDragAction::Update);
  EXPECT_EQ(kind(WM_LBUTTONUP), CDragAction::Finish);
  EXPECT_EQ(kind(WM_RBUTTONUP), CDragAction::Finish);
  EXPECT_EQ(kind(WM_RBUTTONDOWN), CDragAction::Cancel);
  EXPECT_EQ(kind(WM_LBUTTONDOWN), CDragAction::Drop);
  EXPECT_EQ(kind(WM_KEYDOWN, VK_ESCAPE), CDragAction::Cancel);
  EXPECT_EQ(kind(WM_KEYDOWN, VK_SHIFT), CDragAction::Forward);
  EXPECT_EQ(kind(WM_KEYUP, VK_CONTROL), CDragAction::Forward);
  EXPECT_EQ(kind(WM_KEYDOWN, 'A'), CDragAction::Drop);
  EXPECT_EQ(kind(WM_TIMER, 5), CDragAction::Dispatch);
  EXPECT_EQ(kind(WM_PAINT), CDragAction::Dispatch);

  CDragOptions resize;
  resize.rightButtonUpFinishes = false;
  resize.ownTimerId = 57;
  CDragLogic resizing(CPoint(0, 0), resize);
  MSG m;
  m.message = WM_RBUTTONUP;
  EXPECT_EQ(resizing.Classify(m), CDragAction::Dispatch);
  m.message = WM_TIMER;
  m.wParam = 57;
  EXPECT_EQ(resizing.Classify(m), CDragAction::OwnTimer);
  m.wParam = 4331;
  EXPECT_EQ(resizing.Classify(m), CDragAction::Drop);
}

TEST(DragLogic, StartsAtTheThresholdAndIgnoresRepeatsAndOutsidePoints)
{
  CDragLogic logic(CPoint(10, 10), CDragOptions());
  const CRect client(0, 0, 100, 100);
  EXPECT_FALSE(logic.AcceptSample(CPoint(13, 13), client));
  EXPECT_FALSE(logic.HasStarted());
  EXPECT_FALSE(logic.AcceptSample(CPoint(150, 10), client));
  EXPECT_TRUE(logic.AcceptSample(CPoint(14, 10), client));
  EXPECT_TRUE(logic.TakeFirstStep());
  EXPECT_FALSE(logic.TakeFirstStep());
  EXPECT_FALSE(logic.AcceptSample(CPoint(14, 10), client));
  // Once started the drag stays started, even back near the start point.
  EXPECT_TRUE(logic.AcceptSample(CPoint(11, 10), client));
  EXPECT_EQ(CDragLogic::ClampToClient(CPoint(-5, 120), client), CPoint(0, 99));
}

TEST_F(DragLoopTest, ReleaseFinishesAfterTheThresholdAndIsPostedAgain)
{
  CRecordingClient client;
  MoveAfter(0, 12, 11);
  MoveAfter(1, 16, 10);
  MoveAfter(2, 16, 10);
  MoveAfter(3, 20, 12);
  // The release waits for the last step: a step samples the cursor, which the release moves.
  When([this, &client] { return Count(WM_MOUSEMOVE) >= 4 && client.steps.size() >= 2; },
       [this] { Release(QPoint(21, 12)); });
  EXPECT_EQ(Run(client), CDragEnd::Finished);
  ASSERT_EQ(client.steps.size(), 2u);
  EXPECT_EQ(client.steps[0], CPoint(16, 10));
  EXPECT_EQ(client.steps[1], CPoint(20, 12));
  EXPECT_EQ(client.firsts, 1);
  EXPECT_EQ(client.finish.message, static_cast<UINT>(WM_LBUTTONUP));
  EXPECT_EQ(CPoint(GET_X_LPARAM(client.finish.lParam), GET_Y_LPARAM(client.finish.lParam)), CPoint(21, 12));
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
  // The moves reached the window during the loop; the release arrives once the loop is over.
  EXPECT_EQ(std::count(wnd.messages.begin(), wnd.messages.end(), static_cast<UINT>(WM_MOUSEMOVE)), 4);
  EXPECT_EQ(std::count(wnd.messages.begin(), wnd.messages.end(), static_cast<UINT>(WM_LBUTTONUP)), 0);
  Pump();
  EXPECT_EQ(std::count(wnd.messages.begin(), wnd.messages.end(), static_cast<UINT>(WM_LBUTTONUP)), 1);
}

TEST_F(DragLoopTest, EscapeCancelsAndOtherKeysAreKeptFromTheWindow)
{
  CRecordingClient client;
  Move(30, 30);
  PostKey(wnd.m_hWnd, QEvent::KeyPress, Qt::Key_A);
  PostKey(wnd.m_hWnd, QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
  PostKey(wnd.m_hWnd, QEvent::KeyPress, Qt::Key_Escape);
  EXPECT_EQ(Run(client), CDragEnd::Cancelled);
  EXPECT_EQ(client.cancels, 1);
  EXPECT_EQ(std::count(wnd.messages.begin(), wnd.messages.end(), 0x10000u + 'A'), 0);
  EXPECT_EQ(std::count(wnd.messages.begin(), wnd.messages.end(), 0x10000u + VK_SHIFT), 1);
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(DragLoopTest, RightButtonPressCancelsAndItsReleaseDependsOnTheLoop)
{
  CRecordingClient moving;
  Move(30, 30);
  PostMouse(wnd.m_hWnd, QEvent::MouseButtonPress, QPoint(30, 30), Qt::RightButton, Qt::LeftButton | Qt::RightButton);
  EXPECT_EQ(Run(moving), CDragEnd::Cancelled);

  CRecordingClient resizing;
  CDragOptions options;
  options.rightButtonUpFinishes = false;
  PostMouse(wnd.m_hWnd, QEvent::MouseButtonRelease, QPoint(30, 30), Qt::RightButton, Qt::LeftButton);
  PostMouse(wnd.m_hWnd, QEvent::MouseButtonRelease, QPoint(31, 30), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(Run(resizing, options), CDragEnd::Finished);
  EXPECT_EQ(std::count(wnd.messages.begin(), wnd.messages.end(), static_cast<UINT>(WM_RBUTTONUP)), 1);
}

TEST_F(DragLoopTest, TimersKeepFiringWhileTheButtonIsHeld)
{
  CRecordingClient client;
  wnd.SetTimer(3, 5, nullptr);
  Move(30, 30);
  When([this] { return wnd.ticks.size() >= 3; }, [this] { Release(); });
  EXPECT_EQ(Run(client), CDragEnd::Finished);
  EXPECT_GE(wnd.ticks.size(), 3u);
  wnd.KillTimer(3);
}

TEST_F(DragLoopTest, TheLoopsOwnTimerReachesTheClientAndOthersAreDropped)
{
  CRecordingClient client;
  CDragOptions options;
  options.ownTimerId = 57;
  // Timer 4 runs with the same period and starts first, so by the loop's second own tick it has
  // come due at least once and been dropped.
  wnd.SetTimer(4, 5, nullptr);
  wnd.SetTimer(57, 5, nullptr);
  When([&client] { return client.ownTicks >= 2; }, [this] { Release(); });
  EXPECT_EQ(Run(client, options), CDragEnd::Finished);
  EXPECT_GE(client.ownTicks, 2);
  EXPECT_TRUE(wnd.ticks.empty());
  wnd.KillTimer(57);
  wnd.KillTimer(4);
}

TEST_F(DragLoopTest, PostedUpdateRequestReachesTheClient)
{
  CRecordingClient client;
  wnd.PostMessage(WM_DRAGUPDATE);
  PostMouse(wnd.m_hWnd, QEvent::MouseButtonRelease, QPoint(30, 30), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(Run(client), CDragEnd::Finished);
  EXPECT_EQ(client.updates, 1);
}

TEST_F(DragLoopTest, MessagePostedBehindTheReleaseArrivesAfterTheLoop)
{
  CRecordingClient client;
  PostMouse(wnd.m_hWnd, QEvent::MouseButtonRelease, QPoint(30, 30), Qt::LeftButton, Qt::NoButton);
  wnd.PostMessage(WM_DRAGNOTE);
  EXPECT_EQ(Run(client), CDragEnd::Finished);
  Pump();
  EXPECT_EQ(std::count(wnd.messages.begin(), wnd.messages.end(), WM_DRAGNOTE), 1);
}

TEST_F(DragLoopTest, ExceptionOfADispatchedHandlerComesOutAfterTheLoop)
{
  CRecordingClient client;
  wnd.throwOnTimer = true;
  wnd.SetTimer(9, 5, nullptr);
  EXPECT_THROW(Run(client), CDragError);
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
  wnd.KillTimer(9);
}

TEST_F(DragLoopTest, ExceptionRaisedWhileTheLoopWaitsIsCarriedOutAndRethrown)
{
  CRecordingClient client;
  QTimer::singleShot(10, [] { throw CDragError(); });
  EXPECT_THROW(Run(client), CDragError);
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(DragLoopTest, LosingTheCaptureEndsTheLoop)
{
  CRecordingClient client;
  QTimer::singleShot(10, [] { ReleaseCapture(); });
  EXPECT_EQ(Run(client), CDragEnd::CaptureLost);
  EXPECT_EQ(client.cancels, 0);
}

TEST_F(DragLoopTest, NoLoopWhileAnotherWindowHoldsTheCapture)
{
  CDragWnd other;
  ASSERT_TRUE(other.Make());
  other.SetCapture();
  CRecordingClient client;
  EXPECT_EQ(Run(client), CDragEnd::CaptureBusy);
  EXPECT_EQ(CWnd::GetCapture(), &other);
  ReleaseCapture();
  other.DestroyWindow();
}
