#include "engine/animation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/events.h"
#include "engine/writers.h"
#include "engine_fixture.h"

namespace zb::test {
namespace {

// Every event that reaches the program, in order, as "code:argument".
std::vector<std::string> seen;
std::function<void(uint16_t, uint32_t)> onEvent;

void record(uint16_t code, uint32_t argument) {
  seen.push_back(std::to_string(code) + ":" + std::to_string(argument));
  if (onEvent) onEvent(code, argument);
}

// Stands in for the window procedure: notifications become events.
struct Window : WindowEvents {
  void keyDown(uint8_t) override {}
  void keyUp(uint8_t) override {}
  void buttonDown(MouseButton, uint32_t, int, int) override {}
  void notification(Notification kind, uint32_t n) override {
    raiseEvent(kind == Notification::AnimationDone ? AnimationDone : TimerDone, n);
  }
  void clipFinished() override {}
  void activate(bool) override {}
  void closeRequested() override {}
  void destroyed() override {}
};

std::string frameEvent(int slot) { return std::to_string(AnimationFrame) + ":" + std::to_string(slot); }
std::string doneEvent(int slot) { return std::to_string(AnimationDone) + ":" + std::to_string(slot); }

class AnimationTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    platform.loop().setWindowEvents(&window);
    makeFrameBuffer(0x40);
    initAnimations();
    seen.clear();
    onEvent = nullptr;
    setEventSink(record);
  }
  void TearDown() override {
    initAnimations();
    setEventSink(nullptr);
    onEvent = nullptr;
    EngineTest::TearDown();
  }

  // An Image of n solid frames, w x h, frame i coloured 100 + i.
  void makeImage(Image& image, int n, uint16_t w = 4, uint16_t h = 3) {
    std::vector<FrameData> frames;
    for (int i = 0; i < n; ++i) {
      std::vector<uint8_t> pixels(size_t{w} * h, static_cast<uint8_t>(100 + i));
      frames.push_back({w, h, 0, 0, encodeSprite(pixels.data(), w, h, RowOrder::TopDown)});
    }
    std::string path = "MDATA\\anim" + std::to_string(n) + ".im3";
    writeDataFile(path, imageFileBytes(frames));
    ASSERT_TRUE(image.load(path));
  }

  void advance(uint64_t ms) { platform.advance(ms); }

  Window window;
};

TEST_F(AnimationTest, ReverseOnceShowsFramesBackwardsThenStopsAndNotifies) {
  Image image;
  makeImage(image, 5);
  std::vector<uint8_t> shown;
  onEvent = [&](uint16_t code, uint32_t) {
    if (code == AnimationFrame) shown.push_back(pixel(10, 10));
  };
  ASSERT_TRUE(startAnimation(image, 3, 10, 10, 40, AnimReverse | AnimOnce));
  advance(40 * 4);
  EXPECT_EQ(shown, (std::vector<uint8_t>{104, 103, 102, 101, 100}));
  EXPECT_TRUE(isAnimationRunning(3));
  advance(40);  // the step after frame 0 ends the run
  EXPECT_FALSE(isAnimationRunning(3));
  EXPECT_EQ(seen.back(), doneEvent(3));
  ASSERT_FALSE(platform.notifications.empty());
  EXPECT_EQ(platform.notifications.back(), std::make_pair(Notification::AnimationDone, 3u));
  EXPECT_EQ(pixel(10, 10), 100);  // frame 0 stays on screen
}

TEST_F(AnimationTest, LoopingSlotWrapsAndRunsUntilStopped) {
  Image image;
  makeImage(image, 3);
  ASSERT_TRUE(startAnimation(image, 1, 0, 0, 100, AnimSaveBackground | AnimRestoreBackground));
  advance(100 * 3);
  EXPECT_EQ(pixel(0, 0), 100);  // 0, 1, 2, then 0 again
  ASSERT_TRUE(stopAnimation(1, false));
  EXPECT_EQ(pixel(0, 0), 0x40);  // background restored
  advance(1000);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), frameEvent(1)), 4);
}

TEST_F(AnimationTest, RunningSlotRefusesAStartPausedSlotAcceptsOne) {
  Image a, b;
  makeImage(a, 2);
  makeImage(b, 3);
  ASSERT_TRUE(startAnimation(a, 2, 0, 0, 50, 0));
  EXPECT_FALSE(startAnimation(b, 2, 20, 20, 10, 0));
  EXPECT_EQ(animationSlot(2)->image, &a);
  EXPECT_EQ(animationSlot(2)->delay, 50);
  ASSERT_TRUE(pauseAnimation(2));
  EXPECT_TRUE(startAnimation(b, 2, 20, 20, 10, 0));
  EXPECT_EQ(animationSlot(2)->image, &b);
}

TEST_F(AnimationTest, RefusalsChangeNothing) {
  Image image;
  makeImage(image, 2);
  EXPECT_FALSE(stopAnimation(4, false));
  EXPECT_FALSE(stopAnimation(4, true));
  EXPECT_TRUE(platform.notifications.empty());
  EXPECT_FALSE(pauseAnimation(4));
  EXPECT_FALSE(resumeAnimation(4));
  EXPECT_FALSE(startAnimation(image, 9, 0, 0, 10, 0));
  EXPECT_FALSE(startAnimation(image, 255, 0, 0, 10, 0));
  EXPECT_FALSE(moveAnimation(9, 0, 0, true));
  EXPECT_FALSE(captureSlotBackground(200, 0, 0, 4, 4));
  EXPECT_FALSE(startTimer(3, 10));
  EXPECT_FALSE(stopTimer(1, true));
  EXPECT_TRUE(suspendAnimations());
  EXPECT_FALSE(suspendAnimations());
  EXPECT_TRUE(resumeAnimations());
  EXPECT_FALSE(resumeAnimations());
  EXPECT_TRUE(seen.empty());
}

TEST_F(AnimationTest, StopFromAHandlerNotifiesNestedStopFromAStepIsQueued) {
  Image image;
  makeImage(image, 4);
  // From a handler on the window's side: the AnimationDone runs inside the call.
  ASSERT_TRUE(startAnimation(image, 5, 0, 0, 40, 0));
  seen.clear();
  ASSERT_TRUE(stopAnimation(5, true));
  seen.push_back("returned");
  EXPECT_EQ(seen, (std::vector<std::string>{doneEvent(5), "returned"}));

  // From the AnimationFrame handler of a step: delivered after the step.
  ASSERT_TRUE(startAnimation(image, 5, 0, 0, 40, 0));
  seen.clear();
  onEvent = [&](uint16_t code, uint32_t slot) {
    if (code == AnimationFrame && slot == 5) {
      stopAnimation(5, true);
      seen.push_back("returned");
    }
  };
  advance(40);
  EXPECT_EQ(seen, (std::vector<std::string>{frameEvent(5), "returned", doneEvent(5)}));
}

TEST_F(AnimationTest, SlotPausedBeforeASuspensionStaysPausedAfterTheResume) {
  Image image;
  makeImage(image, 3);
  ASSERT_TRUE(startAnimation(image, 4, 0, 0, 50, 0));
  ASSERT_TRUE(startAnimation(image, 5, 10, 0, 50, 0));
  ASSERT_TRUE(pauseAnimation(4));
  ASSERT_TRUE(suspendAnimations());
  seen.clear();
  advance(500);
  EXPECT_TRUE(seen.empty());
  ASSERT_TRUE(resumeAnimations());
  EXPECT_EQ(animationSlot(4)->state, SlotPaused);
  EXPECT_EQ(animationSlot(5)->state, SlotRunning);
  advance(50);
  EXPECT_EQ(seen, (std::vector<std::string>{frameEvent(5)}));
}

TEST_F(AnimationTest, SlotStartedWhileSuspendedGetsExactlyOneTimerOnResume) {
  Image image;
  makeImage(image, 3);
  ASSERT_TRUE(suspendAnimations());
  ASSERT_TRUE(startAnimation(image, 6, 0, 0, 30, 0));
  ASSERT_TRUE(resumeAnimations());
  seen.clear();
  advance(90);
  EXPECT_EQ(seen.size(), 3u);
  EXPECT_EQ(platform.loop().liveTimers(), 1u);
}

TEST_F(AnimationTest, StopOnASlotWhoseStepIsDueTakesNoFurtherStep) {
  Image image;
  makeImage(image, 3);
  ASSERT_TRUE(startAnimation(image, 7, 0, 0, 40, 0));
  advance(39);
  seen.clear();
  ASSERT_TRUE(stopAnimation(7, false));
  advance(1);  // the step would have been due now
  advance(200);
  EXPECT_TRUE(seen.empty());
}

TEST_F(AnimationTest, StopRestoresThenDrawsTheEndFrameWithoutSaving) {
  Image image;
  makeImage(image, 3);
  ASSERT_TRUE(startAnimation(image, 0, 0, 0, 40,
                             AnimSaveBackground | AnimRestoreBackground | AnimShowEndFrame));
  advance(40);  // frame 1 shown
  ASSERT_TRUE(stopAnimation(0, false));
  EXPECT_EQ(pixel(0, 0), 102);  // the end frame of a forward run
  // The save buffer still holds the background, not the end frame.
  ASSERT_TRUE(redrawAnimation(0));
  EXPECT_EQ(pixel(0, 0), 101);  // restore, then the current frame

  Image reverse;
  makeImage(reverse, 4);
  ASSERT_TRUE(startAnimation(reverse, 8, 50, 0, 40,
                             AnimReverse | AnimSaveBackground | AnimRestoreBackground | AnimShowEndFrame));
  ASSERT_TRUE(stopAnimation(8, false));
  EXPECT_EQ(pixel(50, 0), 100);  // frame 0 ends a reverse run
}

TEST_F(AnimationTest, KeptCaptureIsWhatTheReverseCloseRestores) {
  Image panel;
  makeImage(panel, 3, 10, 10);
  fill(0x55);
  ASSERT_TRUE(captureSlotBackground(0, 100, 100, 20, 20));
  fill(0x33);  // the screen changes under the open panel
  ASSERT_TRUE(startAnimation(panel, 0, 105, 105, 40,
                             AnimReverse | AnimSaveBackground | AnimKeepCapturedBackground |
                                 AnimRestoreBackground | AnimOnce));
  advance(40 * 3);
  EXPECT_FALSE(isAnimationRunning(0));
  EXPECT_EQ(pixel(100, 100), 0x55);
  EXPECT_EQ(pixel(110, 110), 0x55);
  EXPECT_EQ(pixel(99, 99), 0x33);
}

TEST_F(AnimationTest, MoveRedrawsAndNotifiesOnlyWhenAsked) {
  Image image;
  makeImage(image, 2);
  ASSERT_TRUE(startAnimation(image, 1, 0, 0, 100, AnimSaveBackground | AnimRestoreBackground));
  seen.clear();
  ASSERT_TRUE(moveAnimation(1, 20, 0, false));
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(pixel(0, 0), 0x40);
  EXPECT_EQ(pixel(20, 0), 100);
  ASSERT_TRUE(moveAnimation(1, 40, 0, true));
  EXPECT_EQ(seen, (std::vector<std::string>{frameEvent(1)}));
}

TEST_F(AnimationTest, RestoreWithNothingSavedLeavesTheScreenAlone) {
  Image image;
  makeImage(image, 2);
  ASSERT_TRUE(startAnimation(image, 2, 0, 0, 10, AnimRestoreBackground));
  fill(0x22);
  advance(10);
  EXPECT_EQ(pixel(0, 0), 101);
  EXPECT_EQ(pixel(5, 0), 0x22);
}

TEST_F(AnimationTest, OnceRunOfAPictureThatFailedToLoadStillEnds) {
  Image missing;
  EXPECT_FALSE(missing.load("MDATA\\TRNSF\\gone.im3"));
  ASSERT_TRUE(startAnimation(missing, 0, 131, 73, 40, AnimOnce));
  advance(40);
  EXPECT_FALSE(isAnimationRunning(0));
  EXPECT_EQ(seen.back(), doneEvent(0));
  ASSERT_TRUE(startAnimation(missing, 0, 131, 73, 40, AnimOnce | AnimReverse));
  advance(40);
  EXPECT_FALSE(isAnimationRunning(0));
}

TEST_F(AnimationTest, ZeroDelayStepsAtTheFinestRateAndStopsNormally) {
  Image image;
  makeImage(image, 2);
  ASSERT_TRUE(startAnimation(image, 4, 0, 0, 0, 0));
  seen.clear();
  advance(10);
  EXPECT_EQ(seen.size(), 10u);
  EXPECT_TRUE(stopAnimation(4, false));
  advance(10);
  EXPECT_EQ(seen.size(), 10u);
}

TEST_F(AnimationTest, SecondStartTimerIsRefusedAndKeepsTheFirstPeriod) {
  ASSERT_TRUE(startTimer(2, 1500));
  EXPECT_FALSE(startTimer(2, 10));
  EXPECT_EQ(tickTimer(2)->period, 1500u);
  advance(1499);
  EXPECT_TRUE(seen.empty());
  advance(1);
  EXPECT_EQ(seen, (std::vector<std::string>{std::to_string(TimerTick) + ":2"}));
}

TEST_F(AnimationTest, StopTimerFromItsTickIsQueuedFromAHandlerRunsNested) {
  std::string tick = std::to_string(TimerTick) + ":1";
  std::string done = std::to_string(TimerDone) + ":1";
  ASSERT_TRUE(startTimer(1, 500));
  onEvent = [&](uint16_t code, uint32_t id) {
    if (code == TimerTick && id == 1) {
      stopTimer(1, true);
      seen.push_back("returned");
    }
  };
  advance(500);
  EXPECT_EQ(seen, (std::vector<std::string>{tick, "returned", done}));

  onEvent = nullptr;
  seen.clear();
  ASSERT_TRUE(startTimer(1, 500));
  ASSERT_TRUE(stopTimer(1, true));
  seen.push_back("returned");
  EXPECT_EQ(seen, (std::vector<std::string>{done, "returned"}));
}

TEST_F(AnimationTest, SuspendedTimersResumeWithTheirPeriod) {
  ASSERT_TRUE(startTimer(0, 100));
  advance(50);
  ASSERT_TRUE(suspendTimers());
  advance(1000);
  EXPECT_TRUE(seen.empty());
  ASSERT_TRUE(resumeTimers());
  advance(99);
  EXPECT_TRUE(seen.empty());
  advance(1);
  EXPECT_EQ(seen.size(), 1u);
}

TEST_F(AnimationTest, DebugLogCountsRunningAnimationsAndTimers) {
  Image image;
  makeImage(image, 2);
  platform.log.clear();
  startAnimation(image, 1, 0, 0, 10, 0);
  startAnimation(image, 2, 0, 0, 10, 0);
  stopAnimation(1, false);
  startTimer(0, 10);
  stopTimer(0, false);
  EXPECT_EQ(platform.log, (std::vector<std::string>{"animation active 1\n", "animation active 2\n",
                                                    "animation active 1\n", "Timers active 1\n",
                                                    "Timers active 0\n"}));
}

}  // namespace
}  // namespace zb::test
