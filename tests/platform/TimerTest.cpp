// Timer windows: ticks through the event loop on the GUI thread, stopping,
// refusal, and errors thrown by tick handlers.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/Timer.h"

namespace {

// Runs the event loop until `done` holds. The long safety limit only keeps a
// broken timer from hanging the suite; no result depends on it.
template <class Done>
bool runUntil(Done done) {
  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (done()) loop.quit();
  });
  poll.start(1);
  QTimer::singleShot(10000, &loop, &QEventLoop::quit);
  loop.exec();
  return done();
}

class TimerTest : public ::testing::Test {
 protected:
  void TearDown() override {
    TTimerWindow::SetTimersAvailable(true);
    SetErrorBoxHook(nullptr);
  }
  std::vector<int> ticks;
};

TEST_F(TimerTest, TicksArriveThroughTheEventLoopOnTheGuiThread) {
  TTimerWindow timers;
  QThread* guiThread = QThread::currentThread();
  bool onGuiThread = true;
  timers.OnTimer = [&](int id) {
    ticks.push_back(id);
    onGuiThread = onGuiThread && QThread::currentThread() == guiThread;
  };
  ASSERT_TRUE(timers.SetTimer(1, 10));
  EXPECT_TRUE(timers.TimerRunning(1));
  EXPECT_FALSE(timers.TimerRunning(2));
  EXPECT_TRUE(ticks.empty()) << "no tick before the loop runs";

  ASSERT_TRUE(runUntil([&] { return ticks.size() >= 3; }));
  EXPECT_TRUE(onGuiThread);
  EXPECT_EQ(ticks, std::vector<int>(ticks.size(), 1));
}

TEST_F(TimerTest, KillTimerStopsTicks) {
  TTimerWindow timers;
  timers.OnTimer = [&](int id) { ticks.push_back(id); };
  ASSERT_TRUE(timers.SetTimer(1, 10));
  ASSERT_TRUE(runUntil([&] { return !ticks.empty(); }));
  timers.KillTimer(1);
  EXPECT_FALSE(timers.TimerRunning(1));
  ticks.clear();

  // A second timer shows that the loop ran on while the first stayed quiet.
  ASSERT_TRUE(timers.SetTimer(2, 20));
  ASSERT_TRUE(runUntil([&] { return ticks.size() >= 3; }));
  EXPECT_EQ(ticks, std::vector<int>(ticks.size(), 2));
}

TEST_F(TimerTest, RestartingARunningTimerLeavesOneTimerToKill) {
  TTimerWindow timers;
  timers.OnTimer = [&](int id) { ticks.push_back(id); };
  ASSERT_TRUE(timers.SetTimer(1, 10));
  ASSERT_TRUE(timers.SetTimer(1, 15));
  timers.KillTimer(1);
  ASSERT_TRUE(timers.SetTimer(2, 20));
  ASSERT_TRUE(runUntil([&] { return ticks.size() >= 3; }));
  EXPECT_EQ(ticks, std::vector<int>(ticks.size(), 2));
}

TEST_F(TimerTest, RefusedTimerReturnsFalse) {
  TTimerWindow timers;
  TTimerWindow::SetTimersAvailable(false);
  EXPECT_FALSE(timers.SetTimer(1, 500));
  EXPECT_FALSE(timers.TimerRunning(1));
  TTimerWindow::SetTimersAvailable(true);
  EXPECT_TRUE(timers.SetTimer(1, 500));
}

TEST_F(TimerTest, ErrorInATickReachesTheErrorBoxAndTheLoopGoesOn) {
  std::vector<std::string> errors;
  SetErrorBoxHook([&](const std::string& message) { errors.push_back(message); });
  TTimerWindow timers;
  timers.OnTimer = [&](int id) {
    ticks.push_back(id);
    throw std::runtime_error("tick failed");
  };
  ASSERT_TRUE(timers.SetTimer(1, 10));
  ASSERT_TRUE(runUntil([&] { return ticks.size() >= 3; }));
  EXPECT_EQ(errors.size(), ticks.size());
  EXPECT_EQ(errors.front(), "tick failed");
  EXPECT_TRUE(timers.TimerRunning(1));
}

TEST_F(TimerTest, TickHandlerMayDestroyItsTimerWindow) {
  auto timers = std::make_unique<TTimerWindow>();
  timers->OnTimer = [&](int id) {
    ticks.push_back(id);
    timers.reset();
  };
  ASSERT_TRUE(timers->SetTimer(1, 10));
  TTimerWindow other;
  int otherTicks = 0;
  other.OnTimer = [&](int) { ++otherTicks; };
  ASSERT_TRUE(other.SetTimer(7, 20));
  ASSERT_TRUE(runUntil([&] { return otherTicks >= 3; }));
  EXPECT_EQ(ticks, std::vector<int>{1});
}

}  // namespace
