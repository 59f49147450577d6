#include "platform/event_loop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zb {
namespace {

// Records what reaches the window, in order, as short strings.
struct Recorder : WindowEvents {
  std::vector<std::string> seen;
  std::function<void(Notification, uint32_t)> onNotification;
  void keyDown(uint8_t) override {}
  void keyUp(uint8_t) override {}
  void buttonDown(MouseButton, uint32_t, int, int) override {}
  void notification(Notification kind, uint32_t number) override {
    seen.push_back((kind == Notification::AnimationDone ? "done " : "timerdone ") +
                   std::to_string(number));
    if (onNotification) onNotification(kind, number);
  }
  void clipFinished() override { seen.push_back("clip"); }
  void activate(bool) override {}
  void closeRequested() override {}
  void destroyed() override {}
};

struct EventLoopTest : ::testing::Test {
  EventLoop loop;
  Recorder window;
  static inline EventLoopTest* self = nullptr;
  std::vector<std::pair<uint64_t, uint32_t>> steps;  // (ms, user)
  std::function<void(uint32_t)> onStep;

  void SetUp() override {
    self = this;
    loop.setWindowEvents(&window);
  }
  static void step(uint32_t user) {
    self->steps.emplace_back(self->loop.now() / 1000, user);
    self->window.seen.push_back("step " + std::to_string(user));
    if (self->onStep) self->onStep(user);
  }
  void advanceMs(uint64_t ms) { loop.advanceTo(loop.now() + ms * 1000); }
};

TEST_F(EventLoopTest, PeriodicStepsFallOnMultiplesOfThePeriodInCreationOrder) {
  loop.addTimer(40, step, 1);
  loop.addTimer(20, step, 2);
  advanceMs(80);
  std::vector<std::pair<uint64_t, uint32_t>> expected = {
      {20, 2}, {40, 1}, {40, 2}, {60, 2}, {80, 1}, {80, 2}};
  EXPECT_EQ(steps, expected);
  EXPECT_EQ(loop.now(), 80000u);
}

TEST_F(EventLoopTest, NotificationRaisedInAStepIsQueuedUntilTheStepEnds) {
  loop.addTimer(10, step, 7);
  onStep = [&](uint32_t user) {
    loop.notify(Notification::AnimationDone, user);
    window.seen.push_back("after notify");
  };
  advanceMs(10);
  std::vector<std::string> expected = {"step 7", "after notify", "done 7"};
  EXPECT_EQ(window.seen, expected);
}

TEST_F(EventLoopTest, NotificationRaisedOutsideAStepRunsNested) {
  loop.notify(Notification::TimerDone, 2);
  window.seen.push_back("returned");
  std::vector<std::string> expected = {"timerdone 2", "returned"};
  EXPECT_EQ(window.seen, expected);
}

TEST_F(EventLoopTest, HandlerOfAQueuedNotificationRaisesFurtherOnesNested) {
  loop.addTimer(10, step, 1);
  onStep = [&](uint32_t) { loop.notify(Notification::AnimationDone, 1); };
  window.onNotification = [&](Notification kind, uint32_t n) {
    if (kind == Notification::AnimationDone && n == 1) {
      loop.notify(Notification::TimerDone, 0);
      window.seen.push_back("handler end");
    }
  };
  advanceMs(10);
  std::vector<std::string> expected = {"step 1", "done 1", "timerdone 0", "handler end"};
  EXPECT_EQ(window.seen, expected);
}

TEST_F(EventLoopTest, TimerKilledInItsOwnStepNeverStepsAgain) {
  TimerId id = loop.addTimer(10, step, 3);
  onStep = [&](uint32_t) { loop.killTimer(id); };
  advanceMs(100);
  EXPECT_EQ(steps.size(), 1u);
  EXPECT_EQ(loop.liveTimers(), 0u);
}

TEST_F(EventLoopTest, ZeroPeriodStepsEveryMillisecondAndCanBeStopped) {
  TimerId id = loop.addTimer(0, step, 4);
  advanceMs(5);
  EXPECT_EQ(steps.size(), 5u);
  loop.killTimer(id);
  advanceMs(5);
  EXPECT_EQ(steps.size(), 5u);
}

TEST_F(EventLoopTest, TimerCreatedInAStepStartsCountingFromThatStep) {
  onStep = [&](uint32_t user) {
    if (user == 1 && steps.size() == 1) loop.addTimer(30, step, 2);
  };
  loop.addTimer(50, step, 1);
  advanceMs(80);
  std::vector<std::pair<uint64_t, uint32_t>> expected = {{50, 1}, {80, 2}};
  EXPECT_EQ(steps, expected);
}

TEST_F(EventLoopTest, RealClockRunsAMissedStepOnceAndRealigns) {
  loop.addTimer(40, step, 1);
  loop.setNow(500 * 1000);  // 12 periods late
  loop.runDue();
  EXPECT_EQ(steps.size(), 1u);
  EXPECT_EQ(loop.nextDue(), std::optional<EventLoop::Micros>(540 * 1000));
}

TEST_F(EventLoopTest, RealClockSlightlyLateStepKeepsTheGrid) {
  loop.addTimer(40, step, 1);
  loop.setNow(41 * 1000);
  loop.runDue();
  EXPECT_EQ(loop.nextDue(), std::optional<EventLoop::Micros>(80 * 1000));
}

TEST_F(EventLoopTest, RealClockTurnRunsDueStepsInDueOrderSkippingOnesKilledOnTheWay) {
  // Due at 30, 20, 10 and 25 ms; at 40 ms all four are due. The 20 ms step
  // kills the 25 ms timer and creates one that is not due in this turn.
  loop.addTimer(30, step, 1);
  loop.addTimer(20, step, 2);
  loop.addTimer(10, step, 3);
  TimerId fourth = loop.addTimer(25, step, 4);
  onStep = [&](uint32_t user) {
    if (user == 2) {
      loop.killTimer(fourth);
      loop.addTimer(0, step, 5);
    }
  };
  loop.setNow(40 * 1000);
  loop.runDue();
  std::vector<std::string> expected = {"step 3", "step 2", "step 1"};
  EXPECT_EQ(window.seen, expected);
  // The next turn works from the same list, emptied and refilled.
  window.seen.clear();
  loop.setNow(41 * 1000);
  loop.runDue();
  // 2 ran exactly one period late and keeps its grid (due 40); 3 ran more
  // than a period late and counts again from 40 (due 50).
  expected = {"step 2", "step 5"};
  EXPECT_EQ(window.seen, expected);
}

TEST_F(EventLoopTest, TasksRunInTimeOrderAmongSteps) {
  loop.addTimer(20, step, 1);
  loop.postAt(30 * 1000, [&] { window.seen.push_back("task"); });
  advanceMs(40);
  std::vector<std::string> expected = {"step 1", "task", "step 1"};
  EXPECT_EQ(window.seen, expected);
}

}  // namespace
}  // namespace zb
