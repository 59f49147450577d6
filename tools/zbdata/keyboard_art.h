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

// Colours of the keyboards.
namespace kbcolour {
uint8_t label();  // 20: the colour the program gives unmarked labels
}

// The four frames of a cap: up, down, target mark, home mark.
std::vector<zb::FrameData> capFrames(const Shape& shape);
// A cap in the up position (for keys that are only drawn, not typed).
Raster capPicture(bool laptop, int width, int height);
// The keyboard picture of a type: with the level and score boxes and the
// damage slot for the game, without them for the lesson.
Raster keyboardBody(const KeyboardType& type, const Keyboards& keyboards, bool game,
                    const std::map<std::string, Raster>& symbols, const Raster& fnLabel);
// Frame 0 the marker, frame 1 its shadow.
std::vector<zb::FrameData> fingerMarkerFrames();

}  // namespace zbdata
