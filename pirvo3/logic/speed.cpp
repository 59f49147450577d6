#include "speed.h"

namespace pirvo3 {

std::int64_t nominalSpeedMilli(std::int64_t keystrokes, std::int64_t seconds) {
  if (seconds <= 0 || keystrokes <= 0) return 0;
  return keystrokes * 1000 / seconds;
}

std::int64_t realSpeedMilli(std::int64_t nominalMilli, std::int64_t errors) {
  return nominalMilli - 3000 * errors;
}

std::string formatSpeed(std::int64_t milli, std::string_view decimalSeparator) {
  std::string out;
  if (milli < 0) out = "-";
  const std::uint64_t magnitude =
      milli < 0 ? 0 - static_cast<std::uint64_t>(milli) : static_cast<std::uint64_t>(milli);
  out += std::to_string(magnitude / 1000);
  std::uint64_t fraction = magnitude % 1000;
  if (fraction != 0) {
    std::string digits = std::to_string(fraction);
    digits.insert(0, 3 - digits.size(), '0');
    while (digits.back() == '0') digits.pop_back();
    out += decimalSeparator;
    out += digits;
  }
  return out;
}

std::string formatElapsed(std::int64_t seconds) {
  return " " + std::to_string(seconds) + " секунд";
}

}  // namespace pirvo3
