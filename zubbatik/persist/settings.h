// Settings: the user's choices and progress counters, kept from one run to
// the next in "Zubbatik.cfg" in the state folder.
//
// File: "ZKCFG" (not tested when reading), payload length N (2 bytes, at
// most 512), N payload bytes (the fields below in order, packed), and the
// 16-bit sum of the payload bytes. A file failing the length or the sum is
// ignored as a whole.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace zb {

inline constexpr const char* kSettingsFileName = "Zubbatik.cfg";
inline constexpr uint16_t kSettingsBlockCapacity = 512;
inline constexpr uint16_t kSettingsPayloadSize = 32;

struct Settings {
  uint8_t language = 0;        // 0 Russian, 1 English, 2 German, 3 French
  uint32_t soundOn = 0;        // 0 off, anything else on
  uint32_t mouseOn = 0;        // likewise
  uint8_t keyboardType = 0;    // 0 to 2
  uint8_t layout = 0;          // 0 to 5
  uint8_t level = 2;           // letters of the layout's sequence in play
  uint16_t nextBackground = 0;
  uint16_t nextEnemySet = 0;
  uint8_t lessonLetter = 0;
  char playerName[15] = {};    // zero-terminated, at most 14 characters
};

// The settings in force; the screens read and write them directly.
extern Settings settings;

// The serialisation buffer, used for reading and for writing.
class SettingsBlock {
 public:
  uint8_t data[kSettingsBlockCapacity] = {};
  uint16_t length = 0;
  uint16_t cursor = 0;
  uint32_t valid = 0;

  void clear();
  // Reads a settings file; valid only when the whole file was there, its
  // length is at most 512 and its sum matches.
  bool readFile(const std::filesystem::path& path);
  // Takes the next size bytes into variable; fails, without moving the
  // cursor, when the block is not valid or fewer bytes remain.
  bool take(void* variable, uint16_t size);
  // Appends size bytes; fails when they would not fit.
  bool append(const void* field, uint16_t size);
  // The file image: magic, length, payload, sum.
  std::vector<uint8_t> fileBytes() const;
  // Replaces the file at path with the block, atomically.
  bool writeFile(const std::filesystem::path& path) const;
};

// The 16-bit byte sum guarding the payload.
uint16_t settingsChecksum(const uint8_t* data, uint16_t length);

// The block SaveSettings writes: the ten fields of s in file order.
SettingsBlock settingsBlock(const Settings& s);

// Reads "Zubbatik.cfg" and takes the fields the file supplies; the others
// keep their values. Values out of range are brought to the nearest valid
// one. True when the file was valid.
bool LoadSettings();
// Writes the settings to "Zubbatik.cfg"; a failed save leaves the old file.
bool SaveSettings();

}  // namespace zb
