#include "sound.h"

#include <cmath>

#include "engine/sound.h"
#include "engine/writers.h"

namespace zbdata {

std::vector<uint8_t> clickSamples() {
  // A soft wooden tick: two damped tones (a bright one that dies at once
  // and a rounder one under it), 30 ms long, fading in over a millisecond
  // so that it starts without a pop and to silence at the end.
  constexpr double kSeconds = 0.030;
  const int n = static_cast<int>(kSeconds * zb::kSampleRate);
  std::vector<uint8_t> samples(static_cast<size_t>(n));
  const double pi = std::acos(-1.0);
  for (int i = 0; i < n; ++i) {
    double t = double(i) / zb::kSampleRate;
    double attack = std::min(1.0, t / 0.001);
    double release = std::min(1.0, (kSeconds - t) / 0.004);
    double v = 0.55 * std::exp(-t / 0.004) * std::sin(2 * pi * 2400 * t) +
               0.45 * std::exp(-t / 0.008) * std::sin(2 * pi * 900 * t);
    v *= attack * release * 0.45;  // soft: under half of full scale
    samples[static_cast<size_t>(i)] = static_cast<uint8_t>(std::lround(128 + 127 * v));
  }
  return samples;
}

void buildClick(DataSet& data) { data.write("MDATA\\slitm.sn", zb::soundFileBytes(clickSamples())); }

}  // namespace zbdata
