// The palette of the data set and the quantiser that maps true colours onto
// it (nearest colour in the OKLab perceptual space).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "dataset.h"

namespace zbdata {

struct Rgb {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
};

inline constexpr int kRampCount = 14;
inline constexpr uint8_t kFirstPictureColour = 16;
inline constexpr uint8_t kLastPictureColour = 239;

class Palette {
 public:
  // Reads the ramps from palette.tsv of the sources. Errors go to data.
  static Palette load(DataSet& data);

  const std::array<Rgb, 256>& colours() const { return colours_; }
  static uint8_t index(int ramp, int shade) { return static_cast<uint8_t>(16 + 16 * ramp + shade); }
  // The picture colour (16..239) nearest to c.
  uint8_t nearest(Rgb c) const;
  // The bytes of "Zubbatik.pal".
  std::vector<uint8_t> fileBytes() const;

 private:
  struct Lab {
    float l, a, b;
  };
  static Lab toLab(Rgb c);
  static Rgb fromLab(Lab c);

  std::array<Rgb, 256> colours_{};
  std::array<Lab, 256> lab_{};
};

}  // namespace zbdata
