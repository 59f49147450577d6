// The headless backend over long runs: what it records for the tests stays
// bounded, and switching recording off changes nothing but the records.
#include "platform/headless/headless_platform.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zb {
namespace {

// A screen-like user of the platform: every 40 ms step draws, logs, and
// every tenth step restarts its timer and plays a clip, as the menus'
// cursors and transitions do all day long.
struct Ticker {
  static inline HeadlessPlatform* platform = nullptr;
  static inline TimerId timer = 0;
  static inline uint32_t steps = 0;

  static void step(uint32_t user) {
    ++steps;
    platform->invalidate(Rect{0, 0, 10 + static_cast<int>(steps % 100), 10});
    platform->debugLog(("step " + std::to_string(steps) + "\n").c_str());
    if (steps % 10 == 0) {
      platform->killTimer(timer);
      platform->notify(Notification::AnimationDone, user);
      timer = platform->createTimer(40, step, user);
      static const uint8_t clip[64] = {};
      platform->waveReset();
      platform->waveWrite(clip, sizeof clip);
    }
  }
};

struct HeadlessTest : ::testing::Test {
  HeadlessPlatform platform;

  void SetUp() override {
    Ticker::platform = &platform;
    Ticker::steps = 0;
    platform.waveOpen();
    Ticker::timer = platform.createTimer(40, Ticker::step, 3);
  }
  void TearDown() override { Ticker::platform = nullptr; }
};

TEST_F(HeadlessTest, RecordsOfAnHourStayWithinTheLimitAndKeepTheNewest) {
  platform.advance(3600 * 1000);
  ASSERT_EQ(Ticker::steps, 90000u);
  constexpr size_t limit = HeadlessPlatform::kRecordLimit;
  EXPECT_LE(platform.invalidated.size(), limit);
  EXPECT_LE(platform.timerRequests.size(), limit);
  EXPECT_LE(platform.notifications.size(), limit);
  EXPECT_LE(platform.waveCalls.size(), limit);
  EXPECT_LE(platform.log.size(), limit);
  EXPECT_GT(platform.droppedRecords(), 0u);

  // The newest entries are the last ones made.
  ASSERT_FALSE(platform.log.empty());
  EXPECT_EQ(platform.log.back(), "step 90000\n");
  EXPECT_EQ(platform.invalidated.back(), (Rect{0, 0, 10, 10}));
  ASSERT_FALSE(platform.timerRequests.empty());
  EXPECT_TRUE(platform.timerRequests.back().create);
  EXPECT_EQ(platform.waveCalls.back().kind, HeadlessPlatform::WaveCall::Write);
  // Nothing in between is lost: the kept log is a run of consecutive steps.
  size_t n = platform.log.size();
  EXPECT_EQ(platform.log[n - 2], "step 89999\n");
  EXPECT_EQ(platform.log.front(), "step " + std::to_string(90000 - n + 1) + "\n");

  // The timers of the loop do not pile up either.
  EXPECT_EQ(platform.loop().liveTimers(), 1u);

  platform.clearRecords();
  EXPECT_EQ(platform.droppedRecords(), 0u);
  EXPECT_TRUE(platform.log.empty());
}

TEST_F(HeadlessTest, BelowTheLimitEveryEntryIsKept) {
  platform.advance(40 * 1000);  // 1000 steps
  EXPECT_EQ(platform.log.size(), 1000u);
  EXPECT_EQ(platform.invalidated.size(), 1000u);
  EXPECT_EQ(platform.notifications.size(), 100u);
  EXPECT_EQ(platform.droppedRecords(), 0u);
}

TEST_F(HeadlessTest, WithRecordingOffNothingIsKeptButEverythingStillHappens) {
  uint32_t clips = 0;
  platform.onWaveWrite = [&](uint32_t) { ++clips; };
  platform.clearRecords();
  platform.setRecording(false);
  platform.advance(60 * 1000);
  EXPECT_EQ(Ticker::steps, 1500u) << "timers created while not recording still run";
  EXPECT_EQ(clips, 150u);
  EXPECT_TRUE(platform.invalidated.empty());
  EXPECT_TRUE(platform.timerRequests.empty());
  EXPECT_TRUE(platform.notifications.empty());
  EXPECT_TRUE(platform.waveCalls.empty());
  EXPECT_TRUE(platform.log.empty());
  EXPECT_EQ(platform.loop().liveTimers(), 1u);

  platform.setRecording(true);
  platform.advance(40);
  EXPECT_EQ(platform.log, (std::vector<std::string>{"step 1501\n"}));
}

}  // namespace
}  // namespace zb
