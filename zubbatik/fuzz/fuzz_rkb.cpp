// Layout files: any .rkb file over a geometry of the key count it
// declares (and over one of another count), then every keyboard operation.
#include "fuzz_keyboard.h"
#include "fuzz_support.h"
#include "modes/keyboard.h"
#include "modes/keyboard_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zb;
  fuzz::ensureKeyboardPictures();
  fuzz::resetKeyboardPanel();
  fuzz::writeInput("GDATA\\KBDDFS\\kbdamr.rkb", data, size);
  // The geometry has the declared count when the input holds that many
  // records, else one more than it holds (a count the layout is refused
  // over): never more keys than the input could describe, so that a run
  // stays quick.
  const size_t held = size >= 2 ? (size - 2) / 7 : 0;
  uint16_t count = size >= 2 ? static_cast<uint16_t>(data[0] | data[1] << 8) : 0;
  if (count > held) count = static_cast<uint16_t>(held + 1);
  // Keys in rows over the keyboard and beyond its edges, with every cap
  // shape, finger and home finger the format allows.
  std::vector<KeyGeometry> keys(count);
  for (uint16_t i = 0; i < count; ++i)
    keys[i] = KeyGeometry{static_cast<uint8_t>(i * 7), static_cast<uint16_t>((i % 16) * 40),
                          static_cast<uint16_t>((i / 16) * 40), static_cast<uint8_t>(i % 19),
                          static_cast<uint8_t>(i % 11), static_cast<uint8_t>(i % 13 < 10 ? i % 13 : 255)};
  std::vector<uint8_t> def = geometryFileBytes(keys);
  fuzz::writeInput("GDATA\\KBDDFS\\kbdt1.def", def.data(), def.size());
  fuzz::exerciseKeyboard();
  // The same layout over a geometry of another count is refused.
  keys.push_back(KeyGeometry{});
  def = geometryFileBytes(keys);
  fuzz::writeInput("GDATA\\KBDDFS\\kbdt2.def", def.data(), def.size());
  KeyboardLayout other;
  if (other.loadGeometry("GDATA\\KBDDFS\\kbdt2.def") && other.loadLabels("GDATA\\KBDDFS\\kbdamr.rkb"))
    fuzz::broken("a layout of another key count was taken");
  return 0;
}
