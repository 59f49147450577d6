// Every loader against damaged files: cut at every length, counts far
// beyond the file, and random bytes. None may fault; each leaves what it
// promises behind.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "engine/descriptor.h"
#include "engine/draw.h"
#include "engine/files.h"
#include "engine/image.h"
#include "engine/sound.h"
#include "engine/textlist.h"
#include "engine/writers.h"
#include "engine_fixture.h"
#include "persist/records.h"
#include "persist/settings.h"

namespace zb::test {
namespace {

class DamagedFilesTest : public EngineTest {
 protected:
  // Every cut of good, then random files of up to maxSize bytes.
  static std::vector<Bytes> damagedVersions(const Bytes& good, size_t maxSize) {
    std::vector<Bytes> versions;
    for (size_t n = 0; n < good.size(); ++n) versions.emplace_back(good.begin(), good.begin() + n);
    std::mt19937 random(99);
    for (int i = 0; i < 100; ++i) {
      Bytes b(random() % maxSize);
      for (uint8_t& v : b) v = uint8_t(random());
      versions.push_back(b);
    }
    return versions;
  }
  static void putU32At(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
  }
};

TEST_F(DamagedFilesTest, Palette) {
  makeFrameBuffer();
  for (const Bytes& file : damagedVersions(greyPalette(256), 2000)) {
    writeDataFile("Zubbatik.pal", file);
    bool created = createFrameBuffer("Zubbatik.pal");
    EXPECT_EQ(created, file.size() >= 6 && (file[4] | file[5]) != 0);
    ASSERT_NE(frameBuffer.pixels, nullptr);
  }
}

TEST_F(DamagedFilesTest, PictureCutShortKeepsWhatWasThereAndDrawsSafely) {
  makeFrameBuffer();
  Bytes pixels(20 * 10, 0x30);
  std::vector<FrameData> frames = {
      {20, 10, 0, 0, encodeSprite(pixels.data(), 20, 10, RowOrder::TopDown)},
      {20, 10, 0, 0, Bytes(200, 0x31)},
  };
  Bytes good = imageFileBytes(frames);
  const size_t secondFrame = 2 + 12 + frames[0].data.size();
  for (size_t n = 0; n < good.size(); ++n) {
    writeDataFile("pic.im3", Bytes(good.begin(), good.begin() + n));
    Image image;
    ASSERT_TRUE(image.load("pic.im3"));
    EXPECT_EQ(image.frameCount(), n >= 1 ? 2 : 0);  // one byte of the count still says 2
    if (n > secondFrame + 12) { EXPECT_EQ(image.dataSize(1), n - secondFrame - 12); }
    if (n < secondFrame + 12) { EXPECT_EQ(image.width(1), 0); }
    for (uint16_t f = 0; f < 3; ++f) drawImage(image, 600, 430, f);
  }
}

TEST_F(DamagedFilesTest, PictureWithOversizedCountsAndSizes) {
  makeFrameBuffer();
  std::vector<FrameData> frames = {{4, 4, 0, 0, Bytes(16, 0x30)}};
  Bytes file = imageFileBytes(frames);
  putU32At(file, 2, 0xFFFFFFFF);  // dataSize
  file[0] = file[1] = 0xFF;        // 65535 frames
  writeDataFile("pic.im3", file);
  Image image;
  ASSERT_TRUE(image.load("pic.im3"));
  EXPECT_EQ(image.frameCount(), 65535);
  EXPECT_EQ(image.dataSize(0), 16u);
  EXPECT_EQ(image.width(1), 0);
  EXPECT_TRUE(drawImage(image, 0, 0, 0));
  EXPECT_EQ(pixel(3, 3), 0x30);
}

TEST_F(DamagedFilesTest, PictureOfRandomBytes) {
  makeFrameBuffer();
  std::vector<FrameData> frames = {{30, 30, 0, 0, Bytes(900, 0x30)}};
  for (const Bytes& file : damagedVersions(imageFileBytes(frames), 3000)) {
    writeDataFile("pic.im3", file);
    Image image;
    image.load("pic.im3");
    for (uint16_t f = 0; f < std::min<int>(image.frameCount(), 50); ++f) {
      drawImage(image, 610, 420, f);
      drawImagePart(image, 0, 0, 1, 1, 600, 600, f);
      drawText("abc", image, 500, 400, 1, 16);
    }
  }
}

TEST_F(DamagedFilesTest, TextList) {
  Bytes good = textListFileBytes(std::vector<std::string>{"alpha", "beta", "gamma"});
  for (const Bytes& file : damagedVersions(good, 400)) {
    writeDataFile("l.lim", file);
    TextList list;
    list.load("l.lim");
    for (uint32_t i = 0; i <= std::min<uint32_t>(list.count(), 100); ++i)
      EXPECT_LE(std::strlen(list.text(i)), list.length(i));
  }
  // Cut inside the second string: the first is whole, the second cut, the third empty.
  writeDataFile("cut.lim", Bytes(good.begin(), good.begin() + 6 + 9 + 4 + 2));
  TextList cut;
  ASSERT_TRUE(cut.load("cut.lim"));
  ASSERT_EQ(cut.count(), 3u);
  EXPECT_STREQ(cut.text(0), "alpha");
  EXPECT_STREQ(cut.text(1), "be");
  EXPECT_STREQ(cut.text(2), "");
  // A count the file cannot hold fails and leaves the list empty.
  Bytes huge = good;
  putU32At(huge, 2, 0xFFFFFFFF);
  writeDataFile("huge.lim", huge);
  TextList list;
  ASSERT_TRUE(list.load("cut.lim"));
  EXPECT_FALSE(list.load("huge.lim"));
  EXPECT_EQ(list.count(), 0u);
  // A string length beyond the file takes what is there.
  Bytes longString = good;
  putU32At(longString, 6, 0x7FFFFFFF);
  writeDataFile("long.lim", longString);
  ASSERT_TRUE(list.load("long.lim"));
  EXPECT_EQ(list.length(0), good.size() - 10);
  EXPECT_EQ(list.length(1), 0u);
}

TEST_F(DamagedFilesTest, Descriptor) {
  Bytes good = descriptorFileBytes(PayloadBuilder().u16(1).u16(2).u8(3).u16(4).bytes());
  for (const Bytes& file : damagedVersions(good, 300)) {
    writeDataFile("d.adi", file);
    Descriptor d;
    d.load("d.adi");
    EXPECT_LE(d.size(), file.size() < 4 ? 0 : file.size() - 4);
    uint8_t buffer[255];
    while (d.read(buffer, 2)) {
    }
  }
  Bytes huge = good;
  putU32At(huge, 0, 0xFFFFFFFF);
  writeDataFile("huge.adi", huge);
  Descriptor d;
  ASSERT_TRUE(d.load("huge.adi"));
  EXPECT_EQ(d.size(), 7u);
}

TEST_F(DamagedFilesTest, Sound) {
  ASSERT_TRUE(openSoundDevice());
  Bytes good = soundFileBytes(Bytes(100, 0x80));
  for (const Bytes& file : damagedVersions(good, 300)) {
    writeDataFile("s.sn", file);
    Sound sound;
    sound.load("s.sn");
    EXPECT_LE(sound.length(), file.size() < 6 ? 0 : file.size() - 6);
    EXPECT_EQ(playSound(sound), sound.length() > 0);
    stopSound();
  }
  Bytes huge = good;
  putU32At(huge, 2, 0xFFFFFFFF);
  writeDataFile("huge.sn", huge);
  Sound sound;
  ASSERT_TRUE(sound.load("huge.sn"));
  EXPECT_EQ(sound.length(), 100u);
}

TEST_F(DamagedFilesTest, SettingsStayInRange) {
  settings = {3, 1, 1, 2, 5, 30, 4, 5, 6, "Olga"};
  ASSERT_TRUE(SaveSettings());
  Bytes good = readStateFile("Zubbatik.cfg");
  std::mt19937 random(5);
  for (const Bytes& file : damagedVersions(good, 600)) {
    writeStateFile("Zubbatik.cfg", file);
    settings = Settings{};
    LoadSettings();
    EXPECT_LE(settings.language, 3);
    EXPECT_LE(settings.keyboardType, 2);
    EXPECT_LE(settings.layout, 5);
    EXPECT_GE(settings.level, 2);
    EXPECT_EQ(settings.playerName[14], 0);
  }
  // Random payloads with a correct sum are valid files: the values still land in range.
  for (int i = 0; i < 200; ++i) {
    SettingsBlock block;
    for (int k = 0; k < 32; ++k) {
      uint8_t v = uint8_t(random());
      block.append(&v, 1);
    }
    ASSERT_TRUE(block.writeFile(statePath("Zubbatik.cfg")));
    ASSERT_TRUE(LoadSettings());
    EXPECT_LE(settings.language, 3);
    EXPECT_LE(settings.keyboardType, 2);
    EXPECT_LE(settings.layout, 5);
    EXPECT_GE(settings.level, 2);
    EXPECT_EQ(settings.playerName[14], 0);
  }
}

TEST_F(DamagedFilesTest, RecordsCutAtEveryLength) {
  for (int i = 0; i < kRecordRows; ++i) {
    std::snprintf(recordTable.rows[i].name, kRecordNameSize, "Player %d", i);
    recordTable.rows[i].score = uint32_t(100 - i);
  }
  ASSERT_TRUE(SaveRecords());
  Bytes good = readStateFile("Zubbatik.rdt");
  for (size_t n = 0; n < good.size(); ++n) {
    writeStateFile("Zubbatik.rdt", Bytes(good.begin(), good.begin() + n));
    bool loaded = LoadRecords();
    EXPECT_EQ(loaded, n >= 7);
    // A row survives only when both its blocks were wholly in the file.
    size_t whole = n < 7 ? 0 : (n - 7) / 46;
    for (size_t row = 0; row < kRecordRows; ++row)
      EXPECT_EQ(recordTable.rows[row].score, row < whole ? 100 - row : 0) << "cut " << n;
  }
  for (const Bytes& file : damagedVersions(good, 600)) {
    writeStateFile("Zubbatik.rdt", file);
    LoadRecords();
    for (const RecordEntry& row : recordTable.rows) EXPECT_EQ(row.name[14], 0);
  }
}

}  // namespace
}  // namespace zb::test
