#include "virtual_clock.h"

#include <string>

#include <gtest/gtest.h>

namespace pirvo3 {
namespace {

TEST(Pirvo3VirtualClock, FiresDueTimersInTimeOrderAndOnlyWhenEnabled) {
  VirtualClock clock;
  std::string log;
  auto a = clock.createTimer(1000, [&] { log += "a" + std::to_string(clock.nowMs()) + " "; });
  auto b = clock.createTimer(300, [&] { log += "b" + std::to_string(clock.nowMs()) + " "; });
  auto off = clock.createTimer(100, [&] { log += "never "; });
  a->setEnabled(true);
  b->setEnabled(true);
  clock.advance(999);
  EXPECT_EQ(log, "b300 b600 b900 ");
  log.clear();
  clock.advance(1);
  EXPECT_EQ(log, "a1000 ");
  EXPECT_EQ(clock.nowMs(), 1000);
  EXPECT_FALSE(off->enabled());
}

TEST(Pirvo3VirtualClock, EnablingARunningTimerKeepsItsRhythm) {
  VirtualClock clock;
  int ticks = 0;
  auto t = clock.createTimer(1000, [&] { ++ticks; });
  t->setEnabled(true);
  clock.advance(600);
  t->setEnabled(true);  // a keystroke "starts" the clock again
  clock.advance(400);
  EXPECT_EQ(ticks, 1);
  t->setEnabled(false);
  clock.advance(500);
  t->setEnabled(true);  // a stopped clock restarts with a full interval
  clock.advance(999);
  EXPECT_EQ(ticks, 1);
  clock.advance(1);
  EXPECT_EQ(ticks, 2);
}

TEST(Pirvo3VirtualClock, ATickMayStopOrDestroyTimers) {
  VirtualClock clock;
  int ticks = 0;
  std::unique_ptr<FormTimer> other;
  auto t = clock.createTimer(100, [&] {
    ++ticks;
    other.reset();
  });
  other = clock.createTimer(100, [&] { ADD_FAILURE() << "destroyed by the first tick"; });
  t->setEnabled(true);
  other->setEnabled(true);
  clock.advance(250);
  EXPECT_EQ(ticks, 2);
  std::unique_ptr<FormTimer> self;
  self = clock.createTimer(100, [&] { self.reset(); });
  self->setEnabled(true);
  clock.advance(300);
  EXPECT_EQ(self, nullptr);
}

}  // namespace
}  // namespace pirvo3
