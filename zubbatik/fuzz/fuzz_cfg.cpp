// Settings files: whatever the file holds, the settings stay in the ranges
// the screens index by, the name stays terminated, and a loaded file
// written back loads to the same settings.
#include <cstring>
#include <vector>

#include "engine/files.h"
#include "fuzz_support.h"
#include "persist/settings.h"

namespace {

void checkRanges() {
  const zb::Settings& s = zb::settings;
  if (s.language > 3 || s.keyboardType > 2 || s.layout > 5 || s.level < 2)
    zb::fuzz::broken("setting out of range");
  if (s.playerName[14] != 0) zb::fuzz::broken("player name not terminated");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zb;
  fuzz::writeInput("Zubbatik.cfg", data, size);
  settings = Settings{};
  bool valid = LoadSettings();
  checkRanges();
  if (!valid) return 0;
  Settings loaded = settings;
  std::vector<uint8_t> bytes = settingsBlock(settings).fileBytes();
  fuzz::writeInput("Zubbatik.cfg", bytes.data(), bytes.size());
  settings = Settings{};
  if (!LoadSettings()) fuzz::broken("written settings do not load");
  const Settings& a = loaded;
  const Settings& b = settings;
  if (a.language != b.language || a.soundOn != b.soundOn || a.mouseOn != b.mouseOn ||
      a.keyboardType != b.keyboardType || a.layout != b.layout || a.level != b.level ||
      a.nextBackground != b.nextBackground || a.nextEnemySet != b.nextEnemySet ||
      a.lessonLetter != b.lessonLetter ||
      std::memcmp(a.playerName, b.playerName, sizeof a.playerName) != 0)
    fuzz::broken("settings changed on the way");
  return 0;
}
