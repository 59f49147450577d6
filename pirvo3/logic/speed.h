// Typing speeds of the lesson clock, in characters per second.
//
// Speeds are cut (not rounded) to three decimals. They are computed in whole
// thousandths: the same quotient taken in binary floating point loses the
// last thousandth for values such as 3 / 10 (0.299 instead of 0.3) and makes
// the real speed of an error-free run one thousandth lower than the nominal.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pirvo3 {

// Keystrokes per second in thousandths, cut towards zero; 0 without time.
std::int64_t nominalSpeedMilli(std::int64_t keystrokes, std::int64_t seconds);

// The nominal speed less 3 characters per second for every error.
std::int64_t realSpeedMilli(std::int64_t nominalMilli, std::int64_t errors);

// A speed as a plain decimal number: no trailing zeros, no decimal part for
// whole numbers, the given decimal separator ("6.666", "3", "-2.5").
std::string formatSpeed(std::int64_t milli, std::string_view decimalSeparator);

// The elapsed-time caption: a blank, the number and " секунд".
std::string formatElapsed(std::int64_t seconds);

}  // namespace pirvo3
