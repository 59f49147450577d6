#include "lesson_pictures.h"

#include <algorithm>

#include "charset.h"
#include "keyboards.h"
#include "lesson_draw.h"
#include "picture.h"

namespace zbdata {

namespace lesson {

zb::FrameData croppedFrame(DataSet& data, const Palette& palette, const Box& area, int slotX, int slotY,
                           const DrawFn& draw) {
  const int w = static_cast<int>(area.w), h = static_cast<int>(area.h);
  Canvas canvas(w, h);
  cairo_t* cr = canvas.cr();
  cairo_save(cr);
  cairo_save(canvas.shade());
  cairo_translate(cr, -area.x, -area.y);
  cairo_translate(canvas.shade(), -area.x, -area.y);
  draw(Pen{cr, palette, data}, canvas.shade());
  cairo_restore(canvas.shade());
  cairo_restore(cr);
  std::vector<uint8_t> pixels = quantise(canvas, palette);
  int left = w, right = -1, top = h, bottom = -1;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (pixels[static_cast<size_t>(y) * w + x] != 255) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  if (right < 0) left = right = top = bottom = 0;
  const int cw = right - left + 1, ch = bottom - top + 1;
  std::vector<uint8_t> cut(static_cast<size_t>(cw) * ch);
  for (int y = 0; y < ch; ++y)
    std::copy_n(pixels.begin() + static_cast<long>((top + y) * w + left), cw, cut.begin() + static_cast<long>(y * cw));
  // Offsets are added to the slot position modulo 65536: -1 is 0xFFFF.
  auto offset = [](int v) { return static_cast<uint16_t>(v & 0xFFFF); };
  return makeFrame(cut, cw, ch, offset(static_cast<int>(area.x) + left - slotX),
                   offset(static_cast<int>(area.y) + top - slotY));
}

namespace {

// Where the hands lie on each keyboard type, read through the builder's
// own keyboard tables. They have been read (and their faults reported)
// once already: this second reading keeps its reports to itself.
std::vector<HandsPlace> handsPlaces(const DataSet& data) {
  DataSet quiet(data.source(""), data.out());
  Charset charset = Charset::load(quiet);
  CodeUse used;
  Keyboards keyboards = loadKeyboards(quiet, charset, used);
  std::vector<HandsPlace> places;
  for (const KeyboardType& type : keyboards.types) {
    HandsPlace place;
    place.type = type.number;
    place.handsX = type.handsX;
    std::array<bool, 10> found{};
    for (const KeyPlace& k : type.keys)
      if (k.home >= 0 && k.home <= 9) {
        place.rests[k.home] = {k.x + kMarkerInset, kKeyboardTop + k.y + kMarkerInset};
        found[k.home] = true;
      }
    for (int f = 0; f < 10; ++f)
      if (type.rests[f]) {
        place.rests[f] = *type.rests[f];
        found[f] = true;
      }
    if (std::all_of(found.begin(), found.end(), [](bool b) { return b; })) places.push_back(place);
  }
  return places;
}

// The meadow behind the lesson: only its upper 183 rows show above the
// keyboard.
void buildBackground(DataSet& data, const Palette& palette) {
  Canvas canvas(630, 183);
  canvas.drawSvgFile(data.source("art/lesson/background.svg"), 0, 0, 630, 183, data);
  writeImage(data, "DDATA\\dmgrd.im3", {makeFrame(canvas, palette)});
}

}  // namespace

}  // namespace lesson

void buildLessonPictures(DataSet& data, const Palette& palette) {
  lesson::buildBackground(data, palette);
  std::vector<lesson::HandsPlace> places = lesson::handsPlaces(data);
  if (places.empty()) {
    data.error("no keyboard type to lay the lesson's hands on");
  } else {
    lesson::buildHands(data, palette, places);
  }
  lesson::buildBoards(data, palette);
}

}  // namespace zbdata
