// The pictures of the keyboards, drawn pixel by pixel in palette colours:
// key caps with their marks, the keyboard bodies of the game and the
// lesson, and the finger marker.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "engine/writers.h"
#include "keyboards.h"
#include "raster.h"

namespace zbdata {

// The four frames of a cap: up, down, target mark, home mark. restSpot,
// for a space bar: where on the cap (from its left edge) the middle of
// the finger resting on it stands; only there is the home mark shown.
std::vector<zb::FrameData> capFrames(const Shape& shape, int restSpot = 0);
// A cap in the up position (for keys that are only drawn, not typed).
Raster capPicture(bool laptop, int width, int height);
// The keyboard picture of a type: with the level and score boxes and the
// damage slot for the game, without them for the lesson.
Raster keyboardBody(const KeyboardType& type, const Keyboards& keyboards, bool game,
                    const std::map<std::string, Raster>& symbols, const Raster& fnLabel);
// Frame 0 the marker, frame 1 its shadow.
std::vector<zb::FrameData> fingerMarkerFrames();

}  // namespace zbdata
