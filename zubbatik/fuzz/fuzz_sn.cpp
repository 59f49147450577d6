// Sound clips: the samples are the file's own bytes; playing never faults.
#include "engine/sound.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zb;
  fuzz::writeInput("MDATA\\fuzz.sn", data, size);
  Sound sound;
  sound.load("MDATA\\fuzz.sn");
  if (size >= 6 && sound.length() > size - 6) fuzz::broken("more samples than the file held");
  unsigned sum = 0;
  for (uint32_t i = 0; i < sound.length(); ++i) sum += sound.samples()[i];
  WaveHeader header;
  if (sound.copyHeaderTo(header) != (sound.length() > 0)) fuzz::broken("header of an empty clip");
  playSound(sound);
  stopSound();
  return static_cast<int>(sum & 0);
}
