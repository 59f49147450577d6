#include "speed.h"

#include <gtest/gtest.h>

namespace pirvo3 {
namespace {

TEST(Pirvo3Speed, SpeedsAreCutToThousandthsAndErrorsCostThree) {
  const struct {
    int keystrokes;
    int seconds;
    int errors;
    const char* nominal;
    const char* real;
  } cases[] = {
      {12, 4, 0, "3", "3"},
      {12, 4, 1, "3", "0"},
      {12, 4, 2, "3", "-3"},
      {20, 3, 0, "6.666", "6.666"},  // cut, not rounded; no thousandth lost on the way
      {3, 10, 0, "0.3", "0.3"},      // no trailing zeros
      {1, 3, 1, "0.333", "-2.667"},  // floor goes towards minus infinity
      {7, 2, 0, "3.5", "3.5"},
      {0, 5, 0, "0", "0"},
      {5, 0, 0, "0", "0"},  // no time yet
      {1000, 1, 0, "1000", "1000"},
  };
  for (const auto& c : cases) {
    const auto nominal = nominalSpeedMilli(c.keystrokes, c.seconds);
    EXPECT_EQ(formatSpeed(nominal, "."), c.nominal) << c.keystrokes << "/" << c.seconds;
    EXPECT_EQ(formatSpeed(realSpeedMilli(nominal, c.errors), "."), c.real)
        << c.keystrokes << "/" << c.seconds << " with " << c.errors << " errors";
  }
}

TEST(Pirvo3Speed, UsesTheUsersDecimalSeparator) {
  EXPECT_EQ(formatSpeed(6666, ","), "6,666");
  EXPECT_EQ(formatSpeed(-500, ","), "-0,5");
  EXPECT_EQ(formatSpeed(3000, ","), "3");
}

TEST(Pirvo3Speed, ElapsedTimeHasALeadingBlank) {
  EXPECT_EQ(formatElapsed(7), " 7 секунд");
  EXPECT_EQ(formatElapsed(120), " 120 секунд");
}

}  // namespace
}  // namespace pirvo3
