#include "persist/settings.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

#include "engine/files.h"
#include "engine_fixture.h"

namespace zb::test {
namespace {

// A settings file around a payload, with a correct or a given sum.
Bytes settingsFile(const Bytes& payload, int sum = -1) {
  Bytes file(7 + payload.size() + 2);
  std::memcpy(file.data(), "ZKCFG", 5);
  file[5] = uint8_t(payload.size());
  file[6] = uint8_t(payload.size() >> 8);
  std::copy(payload.begin(), payload.end(), file.begin() + 7);
  file.resize(7 + payload.size());
  uint16_t s = 0;
  for (uint8_t b : payload) s = uint16_t(s + b);
  if (sum >= 0) s = uint16_t(sum);
  file.push_back(uint8_t(s));
  file.push_back(uint8_t(s >> 8));
  return file;
}

Bytes payloadOf(uint8_t language, uint32_t soundOn, uint32_t mouseOn, uint8_t keyboardType,
                uint8_t layout, uint8_t level, uint16_t background, uint16_t enemies,
                uint8_t letter, const char* name) {
  Bytes p = {language};
  for (int i = 0; i < 4; ++i) p.push_back(uint8_t(soundOn >> (8 * i)));
  for (int i = 0; i < 4; ++i) p.push_back(uint8_t(mouseOn >> (8 * i)));
  p.insert(p.end(), {keyboardType, layout, level, uint8_t(background), uint8_t(background >> 8),
                     uint8_t(enemies), uint8_t(enemies >> 8), letter});
  char field[15] = {};
  std::memcpy(field, name, std::min<size_t>(std::strlen(name), 14));
  p.insert(p.end(), field, field + 15);
  return p;
}

void expectDefaults() {
  EXPECT_EQ(settings.language, 0);
  EXPECT_EQ(settings.soundOn, 0u);
  EXPECT_EQ(settings.mouseOn, 0u);
  EXPECT_EQ(settings.keyboardType, 0);
  EXPECT_EQ(settings.layout, 0);
  EXPECT_EQ(settings.level, 2);
  EXPECT_EQ(settings.nextBackground, 0);
  EXPECT_EQ(settings.nextEnemySet, 0);
  EXPECT_EQ(settings.lessonLetter, 0);
  EXPECT_STREQ(settings.playerName, "");
}

using SettingsTest = EngineTest;

TEST_F(SettingsTest, FirstRunUsesTheDefaultsAndWritesA41ByteFile) {
  EXPECT_FALSE(LoadSettings());
  expectDefaults();
  ASSERT_TRUE(SaveSettings());
  Bytes file = readStateFile("Zubbatik.cfg");
  EXPECT_EQ(file, settingsFile(payloadOf(0, 0, 0, 0, 0, 2, 0, 0, 0, "")));
  EXPECT_EQ(file.size(), 41u);
}

TEST_F(SettingsTest, SavedFieldsSitAtTheirOffsetsAndLoadBack) {
  settings = {3, 1, 2, 2, 5, 17, 0x1234, 7, 9, "Masha"};
  ASSERT_TRUE(SaveSettings());
  Bytes file = readStateFile("Zubbatik.cfg");
  EXPECT_EQ(file, settingsFile(payloadOf(3, 1, 2, 2, 5, 17, 0x1234, 7, 9, "Masha")));
  settings = Settings{};
  ASSERT_TRUE(LoadSettings());
  EXPECT_EQ(settings.language, 3);
  EXPECT_EQ(settings.soundOn, 1u);
  EXPECT_EQ(settings.mouseOn, 2u);  // anything but 0 is on, and is kept as stored
  EXPECT_EQ(settings.keyboardType, 2);
  EXPECT_EQ(settings.layout, 5);
  EXPECT_EQ(settings.level, 17);
  EXPECT_EQ(settings.nextBackground, 0x1234);
  EXPECT_EQ(settings.nextEnemySet, 7);
  EXPECT_EQ(settings.lessonLetter, 9);
  EXPECT_STREQ(settings.playerName, "Masha");
  ASSERT_TRUE(SaveSettings());
  EXPECT_EQ(readStateFile("Zubbatik.cfg"), file);
}

TEST_F(SettingsTest, ChangingOnePayloadByteMakesTheWholeFileIgnored) {
  Bytes file = settingsFile(payloadOf(1, 1, 1, 1, 1, 9, 3, 4, 5, "Ivan"));
  file[7 + 11] ^= 0x01;  // level
  writeStateFile("Zubbatik.cfg", file);
  EXPECT_FALSE(LoadSettings());
  expectDefaults();
}

TEST_F(SettingsTest, FilesTheLoaderRefuses) {
  struct Case {
    const char* name;
    Bytes file;
  };
  Bytes good = settingsFile(payloadOf(1, 1, 1, 1, 1, 9, 3, 4, 5, "Ivan"));
  Bytes tooLong = settingsFile(Bytes(513, 0));
  Bytes cut = good;
  cut.pop_back();
  Bytes wrongSum = settingsFile(payloadOf(1, 1, 1, 1, 1, 9, 3, 4, 5, "Ivan"), 0);
  const Case cases[] = {
      {"empty", {}},
      {"length above 512", tooLong},
      {"cut inside the sum", cut},
      {"cut inside the payload", Bytes(good.begin(), good.begin() + 20)},
      {"wrong sum", wrongSum},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    settings = Settings{};
    writeStateFile("Zubbatik.cfg", c.file);
    EXPECT_FALSE(LoadSettings());
    expectDefaults();
  }
}

TEST_F(SettingsTest, TheMagicIsNotTested) {
  Bytes file = settingsFile(payloadOf(2, 0, 0, 0, 0, 2, 0, 0, 0, ""));
  std::memcpy(file.data(), "ABCDE", 5);
  writeStateFile("Zubbatik.cfg", file);
  EXPECT_TRUE(LoadSettings());
  EXPECT_EQ(settings.language, 2);
}

TEST_F(SettingsTest, TheSumIsKeptModulo65536) {
  Bytes payload = payloadOf(1, 0, 0, 0, 0, 3, 0, 0, 0, "");
  payload.resize(300, 0xFF);  // sums far above 65535
  writeStateFile("Zubbatik.cfg", settingsFile(payload));
  ASSERT_TRUE(LoadSettings());
  EXPECT_EQ(settings.language, 1);
  EXPECT_EQ(settings.level, 3);
  EXPECT_STREQ(settings.playerName, "");
  ASSERT_TRUE(SaveSettings());
  EXPECT_EQ(readStateFile("Zubbatik.cfg").size(), 41u);  // the extra bytes are not written back
}

TEST_F(SettingsTest, AShortPayloadSuppliesTheFieldsThatFit) {
  // language 1, then soundOn and mouseOn do not fit, so the next two bytes
  // go to keyboardType and layout.
  writeStateFile("Zubbatik.cfg", settingsFile(Bytes{1, 2, 4}));
  settings.level = 7;
  ASSERT_TRUE(LoadSettings());
  EXPECT_EQ(settings.language, 1);
  EXPECT_EQ(settings.soundOn, 0u);
  EXPECT_EQ(settings.keyboardType, 2);
  EXPECT_EQ(settings.layout, 4);
  EXPECT_EQ(settings.level, 7);  // not in the file: unchanged
}

TEST_F(SettingsTest, OutOfRangeValuesAreBroughtToTheNearestValidOne) {
  struct Case {
    Bytes payload;
    uint8_t language, keyboardType, layout, level;
  };
  const Case cases[] = {
      {payloadOf(4, 0, 0, 3, 6, 1, 0, 0, 0, ""), 3, 2, 5, 2},
      {payloadOf(255, 0, 0, 255, 255, 0, 0, 0, 0, ""), 3, 2, 5, 2},
      {payloadOf(3, 0, 0, 2, 5, 2, 0, 0, 0, ""), 3, 2, 5, 2},
      {payloadOf(0, 0, 0, 0, 0, 200, 0, 0, 0, ""), 0, 0, 0, 200},
  };
  for (const Case& c : cases) {
    writeStateFile("Zubbatik.cfg", settingsFile(c.payload));
    ASSERT_TRUE(LoadSettings());
    EXPECT_EQ(settings.language, c.language);
    EXPECT_EQ(settings.keyboardType, c.keyboardType);
    EXPECT_EQ(settings.layout, c.layout);
    EXPECT_EQ(settings.level, c.level);
  }
}

TEST_F(SettingsTest, ANameWithoutTerminatorIsCutTo14Characters) {
  Bytes payload = payloadOf(0, 0, 0, 0, 0, 2, 0, 0, 0, "");
  std::fill(payload.begin() + 17, payload.end(), 'x');
  writeStateFile("Zubbatik.cfg", settingsFile(payload));
  ASSERT_TRUE(LoadSettings());
  EXPECT_STREQ(settings.playerName, "xxxxxxxxxxxxxx");
}

TEST_F(SettingsTest, AFailedSaveLeavesTheOldFileInPlace) {
  settings.language = 2;
  ASSERT_TRUE(SaveSettings());
  Bytes before = readStateFile("Zubbatik.cfg");
  settings.language = 1;
  // Let no file grow beyond 10 bytes: the write of the new file fails.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit tiny = old;
  tiny.rlim_cur = 10;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
  bool saved = SaveSettings();
  setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_FALSE(saved);
  EXPECT_EQ(readStateFile("Zubbatik.cfg"), before);
  // No temporary file is left behind.
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 1);
}

TEST_F(SettingsTest, SavingIntoAMissingFolderFails) {
  setStateDir(dir / "nowhere");
  EXPECT_FALSE(SaveSettings());
}

TEST_F(SettingsTest, AFifoInPlaceOfTheFileIsRefusedWithoutWaiting) {
  // Directly and through a link; the alarm ends the program if the load
  // waits for a writer.
  for (const char* name : {"Zubbatik.cfg", "pipe"}) {
    SCOPED_TRACE(name);
    std::filesystem::remove(dir / "Zubbatik.cfg");
    ASSERT_EQ(::mkfifo((dir / name).c_str(), 0600), 0);
    if (std::string(name) == "pipe") std::filesystem::create_symlink("pipe", dir / "Zubbatik.cfg");
    ::alarm(10);
    EXPECT_FALSE(LoadSettings());
    ::alarm(0);
    expectDefaults();
    // Saving leaves what the user put there alone.
    EXPECT_FALSE(SaveSettings());
    EXPECT_TRUE(std::filesystem::is_fifo(dir / name));
  }
}

TEST_F(SettingsTest, SavingThroughALinkWritesItsTarget) {
  std::filesystem::create_directories(dir / "kept");
  std::filesystem::create_symlink("kept/settings", dir / "Zubbatik.cfg");
  settings.language = 3;
  ASSERT_TRUE(SaveSettings());
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "Zubbatik.cfg"));
  EXPECT_EQ(readFile(dir / "kept" / "settings").size(), 41u);
  settings = Settings{};
  ASSERT_TRUE(LoadSettings());
  EXPECT_EQ(settings.language, 3);
}

}  // namespace
}  // namespace zb::test
