// What the lesson pictures share: where the hands lie on each keyboard
// type, and frames cut down to what they show.
#pragma once

#include <array>
#include <functional>
#include <utility>
#include <vector>

#include "dataset.h"
#include "engine/writers.h"
#include "menu_draw.h"
#include "palette.h"

namespace zbdata::lesson {

using menu::Box;
using menu::Pen;

// The hands picture lies at (handsX - 1, 305); the hands animation plays at
// (handsX, 306) over the keyboard saved from a rectangle of this size.
inline constexpr int kHandsTop = 306;
inline constexpr int kHandsWidth = 523;
inline constexpr int kHandsHeight = 134;

// One keyboard type as the hands see it: where they lie, and where each
// finger's marker rests (the marker's shadow corner, on screen).
struct HandsPlace {
  int type = 0;
  int handsX = 0;
  std::array<std::pair<int, int>, 10> rests{};
};

// Draws on a canvas showing the screen rectangle `area` (draw gets the
// picture's pen and the shade layer's context, both in screen
// coordinates) and returns the frame cut down to its opaque and shade
// pixels, with its offsets taken from the slot position (slotX, slotY) the
// animation plays at. A frame with nothing in it is one transparent pixel
// at the area's corner.
using DrawFn = std::function<void(const Pen&, cairo_t* shade)>;
zb::FrameData croppedFrame(DataSet& data, const Palette& palette, const Box& area, int slotX, int slotY,
                           const DrawFn& draw);

// DDATA\imhnd.im3 and DDATA\TRNSF\dmhnds.im3.
void buildHands(DataSet& data, const Palette& palette, const std::vector<HandsPlace>& places);
// DDATA\TRNSF\dmwrng.im3, dmbrd.im3 and dmcls.im3.
void buildBoards(DataSet& data, const Palette& palette);

}  // namespace zbdata::lesson
