#include "persist/settings.h"

#include <algorithm>
#include <cstring>

#include "engine/files.h"

namespace zb {

Settings settings;

namespace {

constexpr uint8_t kMagic[5] = {'Z', 'K', 'C', 'F', 'G'};

template <class T>
void clampAbove(T& value, T highest) {
  value = std::min(value, highest);
}

}  // namespace

uint16_t settingsChecksum(const uint8_t* data, uint16_t length) {
  uint16_t sum = 0;
  for (uint16_t i = 0; i < length; ++i) sum = static_cast<uint16_t>(sum + data[i]);
  return sum;
}

void SettingsBlock::clear() {
  std::memset(data, 0, sizeof data);
  length = 0;
  cursor = 0;
  valid = 0;
}

bool SettingsBlock::readFile(const std::filesystem::path& path) {
  clear();
  FileReader file;
  if (!file.open(path)) return false;
  // A file cut anywhere is refused like a bad sum: the bytes it lacks
  // would otherwise be taken as settings.
  uint8_t magic[5];
  uint8_t word[2];
  if (!file.readExact(magic, sizeof magic) || !file.readExact(word, sizeof word)) return false;
  uint16_t stated = getU16(word);
  if (stated > kSettingsBlockCapacity) return false;
  if (!file.readExact(data, stated) || !file.readExact(word, sizeof word)) {
    std::memset(data, 0, sizeof data);
    return false;
  }
  length = stated;
  if (settingsChecksum(data, length) != getU16(word)) return false;
  valid = 1;
  return true;
}

bool SettingsBlock::take(void* variable, uint16_t size) {
  if (!valid || cursor + size > length) return false;
  std::memcpy(variable, data + cursor, size);
  cursor = static_cast<uint16_t>(cursor + size);
  return true;
}

bool SettingsBlock::append(const void* field, uint16_t size) {
  if (length + size > kSettingsBlockCapacity) return false;
  std::memcpy(data + length, field, size);
  length = static_cast<uint16_t>(length + size);
  return true;
}

std::vector<uint8_t> SettingsBlock::fileBytes() const {
  std::vector<uint8_t> bytes(std::begin(kMagic), std::end(kMagic));
  bytes.resize(sizeof kMagic + 2 + length + 2);
  putU16(&bytes[5], length);
  std::memcpy(&bytes[7], data, length);
  putU16(&bytes[7 + length], settingsChecksum(data, length));
  return bytes;
}

bool SettingsBlock::writeFile(const std::filesystem::path& path) const {
  return writeFileAtomically(path, fileBytes());
}

bool LoadSettings() {
  SettingsBlock block;
  bool valid = block.readFile(statePath(kSettingsFileName));
  Settings& s = settings;
  // The screens index pictures and lists by these values, so a value the
  // program never writes is brought to the nearest one it does.
  if (block.take(&s.language, 1)) clampAbove<uint8_t>(s.language, 3);
  block.take(&s.soundOn, 4);
  block.take(&s.mouseOn, 4);
  if (block.take(&s.keyboardType, 1)) clampAbove<uint8_t>(s.keyboardType, 2);
  if (block.take(&s.layout, 1)) clampAbove<uint8_t>(s.layout, 5);
  if (block.take(&s.level, 1)) s.level = std::max<uint8_t>(s.level, 2);
  block.take(&s.nextBackground, 2);
  block.take(&s.nextEnemySet, 2);
  block.take(&s.lessonLetter, 1);
  // The name is drawn as a zero-terminated string.
  if (block.take(s.playerName, sizeof s.playerName)) s.playerName[sizeof s.playerName - 1] = 0;
  return valid;
}

SettingsBlock settingsBlock(const Settings& s) {
  SettingsBlock block;
  block.append(&s.language, 1);
  block.append(&s.soundOn, 4);
  block.append(&s.mouseOn, 4);
  block.append(&s.keyboardType, 1);
  block.append(&s.layout, 1);
  block.append(&s.level, 1);
  block.append(&s.nextBackground, 2);
  block.append(&s.nextEnemySet, 2);
  block.append(&s.lessonLetter, 1);
  block.append(s.playerName, sizeof s.playerName);
  return block;
}

bool SaveSettings() { return settingsBlock(settings).writeFile(statePath(kSettingsFileName)); }

}  // namespace zb
