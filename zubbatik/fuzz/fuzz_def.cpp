// Key geometry files: any .def file, joined with a layout of its own key
// count, then every keyboard operation.
#include "fuzz_keyboard.h"
#include "fuzz_support.h"
#include "modes/keyboard.h"
#include "modes/keyboard_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zb;
  fuzz::ensureKeyboardPictures();
  fuzz::resetKeyboardPanel();
  fuzz::writeInput("GDATA\\KBDDFS\\kbdt1.def", data, size);
  // A layout that fits the count the file declares, so that the keys are
  // drawn and looked up; its labels name glyphs beyond the pictures too.
  uint16_t count = size >= 2 ? static_cast<uint16_t>(data[0] | data[1] << 8) : 0;
  std::vector<KeyLabels> labels(count);
  for (uint16_t i = 0; i < count; ++i)
    labels[i] = KeyLabels{static_cast<uint8_t>(i % 5 == 0), static_cast<uint8_t>(i % 25), static_cast<uint8_t>(i % 3),
                          255, static_cast<uint8_t>('a' + i % 26), static_cast<uint8_t>('A' + i % 26),
                          static_cast<uint8_t>(i)};
  std::vector<uint8_t> rkb = layoutFileBytes(labels);
  fuzz::writeInput("GDATA\\KBDDFS\\kbdamr.rkb", rkb.data(), rkb.size());
  fuzz::exerciseKeyboard();
  if (size >= 2 && keyboardPanel.layout.keyCount() > (size - 2) / 8) fuzz::broken("more keys than the file holds");
  return 0;
}
