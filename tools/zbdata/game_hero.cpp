// The hero (GDATA\fr): a child in a red cap, walking to the right. The
// game plays the cycle all the time, walking or waiting, at 50 ms a frame.
#include <vector>

#include "game_draw.h"
#include "game_parts.h"

namespace zbdata::game {

void buildHero(DataSet& data, const Palette& palette) {
  std::vector<zb::FrameData> frames;
  for (int k = 0; k < kHeroFrames; ++k) {
    frames.push_back(frame(data, palette, kHeroWidth, kHeroHeight, [&](const Pen& pen, cairo_t* shade) {
      groundShadow(shade, kHeroWidth / 2.0, kHeroHeight, 8);
      HeroPose pose;
      pose.walk = double(k) / kHeroFrames;
      drawHero(pen, kHeroWidth / 2.0 - 1, kHeroHeight - 1.5, pose);
    }));
  }
  writeImage(data, "GDATA\\fr.im3", frames);
}

}  // namespace zbdata::game
