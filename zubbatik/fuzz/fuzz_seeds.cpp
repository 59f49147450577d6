// Writes a small seed corpus for every fuzz target, made by the writers:
// fuzz_seeds FOLDER creates FOLDER/<target>/ with a few valid files each.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/writers.h"
#include "modes/keyboard.h"
#include "modes/keyboard_files.h"
#include "persist/records.h"
#include "persist/settings.h"

namespace {

using Bytes = std::vector<uint8_t>;

bool put(const std::filesystem::path& folder, const std::string& target, const std::string& name,
         const Bytes& bytes) {
  std::filesystem::create_directories(folder / target);
  std::ofstream out(folder / target / name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return out.good();
}

Bytes settingsSeed(const zb::Settings& s) { return zb::settingsBlock(s).fileBytes(); }

}  // namespace

int main(int argc, char** argv) {
  using namespace zb;
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seeds FOLDER\n");
    return 2;
  }
  std::filesystem::path folder = argv[1];
  bool ok = true;

  Bytes colours;
  for (int i = 0; i < 256; ++i) colours.insert(colours.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(i / 3), 0});
  ok &= put(folder, "pal", "full.pal", paletteFileBytes(colours));
  ok &= put(folder, "pal", "short.pal", paletteFileBytes(Bytes(colours.begin(), colours.begin() + 64)));

  Bytes ball(24 * 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 24; ++x) {
      int dx = x - 12, dy = y - 8;
      ball[size_t(y) * 24 + x] = dx * dx + dy * dy < 40 ? uint8_t(0x40 + x) : dx * dx + dy * dy < 64 ? 0xFE : 0xFF;
    }
  ball[5] = 3;  // a colour that must travel in a run
  std::vector<FrameData> frames = {
      {24, 16, 4, 65534, encodeSprite(ball.data(), 24, 16, RowOrder::TopDown)},
      {3, 2, 0, 0, {0x20, 0xFF, 0x02, 0x01, 0x30, 0x31, 0xFE}},
      {2, 2, 0, 0, Bytes(4, 0x10)},
  };
  ok &= put(folder, "im3", "frames.im3", imageFileBytes(frames));
  std::vector<FrameData> font(70, FrameData{2, 3, 0, 0, {0x10, 0xFF, 0x01, 0x02, 0x10, 0x20}});
  ok &= put(folder, "im3", "font.im3", imageFileBytes(font));

  ok &= put(folder, "lim", "menu.lim", textListFileBytes(std::vector<std::string>{"Start", "", "Exit"}));
  ok &= put(folder, "lim", "letters.lim",
            textListFileBytes(std::vector<std::string>{"fjdksla", "asdfjkl;", std::string(40, 'x')}));

  ok &= put(folder, "adi", "ground.adi", descriptorFileBytes(PayloadBuilder().u16(120).u16(300).u8(2).u16(40).bytes()));
  PayloadBuilder fingers;
  for (int i = 0; i < 10; ++i) fingers.u16(uint16_t(100 + i * 40)).u16(300);
  ok &= put(folder, "adi", "fingers.adi", descriptorFileBytes(fingers.bytes()));

  Bytes click(200);
  for (size_t i = 0; i < click.size(); ++i) click[i] = uint8_t(128 + ((i / 5) % 2 ? 40 : -40));
  ok &= put(folder, "sn", "click.sn", soundFileBytes(click));

  ok &= put(folder, "cfg", "defaults.cfg", settingsSeed(Settings{}));
  ok &= put(folder, "cfg", "used.cfg", settingsSeed(Settings{2, 1, 1, 1, 3, 12, 4, 2, 5, "Tanya"}));

  // A small keyboard: letters, home keys, both Shifts and AltGr.
  const std::vector<KeyGeometry> keys = {
      {0x10, 10, 40, 0, 0, 255}, {0x1E, 40, 40, 0, 0, 0},    {0x24, 70, 40, 1, 6, 6},   {0x25, 100, 40, 0, 7, 255},
      {0x2A, 10, 70, 2, 0, 255}, {0x36, 100, 70, 2, 9, 255}, {0xB8, 130, 70, 2, 5, 255}, {0x39, 40, 110, 7, 5, 5},
  };
  const std::vector<KeyLabels> labels = {
      {0, 0, 0, 2, 'q', 'Q', '@'}, {0, 1, 1, 255, 'a', 'A', 0},   {0, 2, 2, 255, 'j', 'J', 0},
      {0, 3, 255, 255, 'k', 'K', 0}, {1, 255, 255, 255, 0, 0, 0}, {1, 255, 255, 255, 0, 0, 0},
      {1, 255, 255, 255, 0, 0, 0}, {1, 255, 255, 255, ' ', ' ', 0},
  };
  ok &= put(folder, "def", "small.def", geometryFileBytes(keys));
  ok &= put(folder, "def", "empty.def", geometryFileBytes(std::vector<KeyGeometry>{}));
  ok &= put(folder, "rkb", "small.rkb", layoutFileBytes(labels));
  ok &= put(folder, "rkb", "one.rkb", layoutFileBytes(std::vector<KeyLabels>(1)));

  recordTable = RecordTable{};
  ok &= put(folder, "rdt", "empty.rdt", recordsFileBytes());
  const char* names[] = {"Ann", "Bob", "Cid", "Dan", "Eve"};
  for (int i = 0; i < 5; ++i) {
    char name[kRecordNameSize] = {};
    std::snprintf(name, sizeof name, "%s", names[i]);
    InsertRecord(name, uint32_t(500 - i * 70));
  }
  ok &= put(folder, "rdt", "five.rdt", recordsFileBytes());

  if (!ok) std::fprintf(stderr, "fuzz_seeds: cannot write into %s\n", folder.c_str());
  return ok ? 0 : 1;
}
