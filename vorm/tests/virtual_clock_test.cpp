#include "logic/virtual_clock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorm {
namespace {

struct VormVirtualClock : ::testing::Test {
  VirtualClock clock;
  std::vector<std::string> fired;

  std::unique_ptr<FormTimer> make(const std::string& name, int interval, bool enabled) {
    return clock.createTimer(interval, enabled, [this, name] {
      fired.push_back(name + "@" + std::to_string(clock.now()));
    });
  }
};

TEST_F(VormVirtualClock, FiresDueTimersInTimeOrderThenCreationOrder) {
  auto slow = make("slow", 300, true);
  auto fast = make("fast", 200, true);
  auto off = make("off", 100, false);
  clock.advance(599);
  clock.advance(1);
  EXPECT_EQ(fired, (std::vector<std::string>{"fast@200", "slow@300", "fast@400", "slow@600",
                                              "fast@600"}));
  EXPECT_EQ(clock.now(), 600);
}

TEST_F(VormVirtualClock, EnablingStartsAFreshIntervalButReenablingKeepsTheCountdown) {
  auto t = make("t", 200, false);
  clock.advance(150);
  t->setEnabled(true);  // due at 350
  clock.advance(100);
  t->setEnabled(true);  // already enabled: still due at 350
  clock.advance(100);
  EXPECT_EQ(fired, (std::vector<std::string>{"t@350"}));
  t->setEnabled(false);
  clock.advance(100);
  t->setEnabled(true);  // disabled and enabled again: due at 650
  clock.advance(200);
  EXPECT_EQ(fired, (std::vector<std::string>{"t@350", "t@650"}));
}

TEST_F(VormVirtualClock, HandlersMayDisableOrDestroyTimers) {
  std::unique_ptr<FormTimer> once;
  once = clock.createTimer(100, true, [&] {
    fired.push_back("once@" + std::to_string(clock.now()));
    once->setEnabled(false);
  });
  std::unique_ptr<FormTimer> doomed;
  doomed = clock.createTimer(100, true, [&] {
    fired.push_back("doomed@" + std::to_string(clock.now()));
    doomed.reset();
  });
  clock.advance(1000);
  EXPECT_EQ(fired, (std::vector<std::string>{"once@100", "doomed@100"}));
  EXPECT_EQ(doomed, nullptr);
}

TEST_F(VormVirtualClock, ZeroIntervalNeverFiresAndNegativeAdvanceIsIgnored) {
  auto zero = make("zero", 0, true);
  clock.advance(10000);
  clock.advance(-5);
  EXPECT_TRUE(fired.empty());
  EXPECT_EQ(clock.now(), 10000);
}

TEST(VormVirtualClockLifetime, TimersMayOutliveTheClock) {
  std::unique_ptr<FormTimer> timer;
  {
    VirtualClock clock;
    timer = clock.createTimer(100, true, [] {});
  }
  timer->setEnabled(false);
  timer->setEnabled(true);
  EXPECT_TRUE(timer->enabled());
}

}  // namespace
}  // namespace vorm
