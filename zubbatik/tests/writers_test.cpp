#include "engine/writers.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/descriptor.h"
#include "engine/image.h"
#include "engine/sound.h"
#include "engine/textlist.h"
#include "engine_fixture.h"

namespace zb::test {
namespace {

class WritersTest : public EngineTest {
 protected:
  // Encodes pixels (top row first), draws them with the window routine
  // (which writes 254 as a colour) over a background and returns the area.
  Bytes drawEncoded(const Bytes& pixels, uint16_t w, uint16_t h, uint8_t background) {
    Bytes data = encodeSprite(pixels.data(), w, h, RowOrder::TopDown);
    fill(background);
    EXPECT_TRUE(blitSpriteWindow(0, 0, data.data(), uint32_t(data.size()), w, h, 0, 0, w, h));
    return area(0, 0, w, h);
  }
  static Bytes expectedOver(const Bytes& pixels, uint8_t background) {
    Bytes out = pixels;
    for (uint8_t& v : out)
      if (v == 0xFF) v = background;
    return out;
  }
};

TEST_F(WritersTest, EncodedSpritesDecodeToTheirPixels) {
  makeFrameBuffer();
  std::mt19937 random(1234);
  struct Case {
    const char* name;
    uint16_t w, h;
    int distinct;  // how many different values; small gives long repeats
  };
  for (Case c : {Case{"noise", 37, 23, 256}, {"few colours", 64, 40, 3}, {"one pixel", 1, 1, 256},
                 {"one column", 1, 300, 4}, {"wide", 630, 2, 2}}) {
    SCOPED_TRACE(c.name);
    for (int round = 0; round < 5; ++round) {
      Bytes pixels(size_t(c.w) * c.h);
      std::vector<uint8_t> palette(c.distinct);
      for (uint8_t& v : palette) v = uint8_t(random());
      palette[0] = uint8_t(1 + round);  // colours 1..15 must survive too
      for (uint8_t& v : pixels) v = palette[random() % palette.size()];
      EXPECT_EQ(drawEncoded(pixels, c.w, c.h, 0x40), expectedOver(pixels, 0x40));
      EXPECT_EQ(drawEncoded(pixels, c.w, c.h, 0x41), expectedOver(pixels, 0x41));
    }
  }
}

TEST_F(WritersTest, BottomUpAndTopDownInputGiveTheSameData) {
  const Bytes topDown = {0x20, 0x21, 0x22, 0x23, 0x24, 0x25};
  const Bytes bottomUp = {0x23, 0x24, 0x25, 0x20, 0x21, 0x22};
  EXPECT_EQ(encodeSprite(topDown.data(), 3, 2, RowOrder::TopDown),
            encodeSprite(bottomUp.data(), 3, 2, RowOrder::BottomUp));
  EXPECT_EQ(encodeSprite(bottomUp.data(), 3, 2, RowOrder::BottomUp), bottomUp);
}

TEST_F(WritersTest, RepeatsBecomeRunsAndLowColoursTravelInRuns) {
  Bytes flat(630 * 440, 0x50);
  Bytes data = encodeSprite(flat.data(), 630, 440, RowOrder::BottomUp);
  // The longest pattern repeated 256 times: 17 bytes for 3840 pixels.
  EXPECT_EQ(Bytes(data.begin(), data.begin() + 3), (Bytes{15, 255, 0x50}));
  EXPECT_LE(data.size(), (630u * 440u / 3840u + 1) * 17u);

  const Bytes single = {0x05};
  EXPECT_EQ(encodeSprite(single.data(), 1, 1, RowOrder::BottomUp), (Bytes{1, 0, 5}));
  // Low colours near each other share one run; literals between them ride along.
  const Bytes mixed = {0x03, 0x40, 0x04, 0x41};
  EXPECT_EQ(encodeSprite(mixed.data(), 4, 1, RowOrder::BottomUp),
            (Bytes{3, 0, 0x03, 0x40, 0x04, 0x41}));
  const Bytes pattern = {0x20, 0x30, 0x20, 0x30, 0x20, 0x30, 0x20, 0x30};
  EXPECT_EQ(encodeSprite(pattern.data(), 8, 1, RowOrder::BottomUp), (Bytes{2, 3, 0x20, 0x30}));
}

TEST_F(WritersTest, EveryFormatRoundTripsByteForByte) {
  // Palette.
  Bytes pal = greyPalette(256);
  writeDataFile("Zubbatik.pal", pal);
  PaletteFile palette;
  ASSERT_TRUE(palette.load("Zubbatik.pal"));
  EXPECT_EQ(paletteFileBytes(palette.colours), pal);

  // Picture.
  Bytes ramp(40 * 30);
  for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = uint8_t(i % 7 == 0 ? 0xFF : 16 + i % 200);
  std::vector<FrameData> frames = {
      {40, 30, 5, 65535, encodeSprite(ramp.data(), 40, 30, RowOrder::TopDown)},
      {1, 1, 0, 0, {0x07}},
      {0, 0, 0, 0, {}},
  };
  Bytes im3 = imageFileBytes(frames);
  writeDataFile("GDATA\\p.im3", im3);
  Image image;
  ASSERT_TRUE(image.load("GDATA\\p.im3"));
  EXPECT_EQ(imageFileBytes(image), im3);

  // Text list.
  Bytes lim = textListFileBytes(std::vector<std::string>{"abc", "", std::string(300, 'q')});
  writeDataFile("MDATA\\l.lim", lim);
  TextList list;
  ASSERT_TRUE(list.load("MDATA\\l.lim"));
  EXPECT_EQ(textListFileBytes(list), lim);

  // Descriptor.
  Bytes payload = PayloadBuilder().u16(10).u16(20).u8(3).u32(0xDEADBEEF).bytes();
  Bytes adi = descriptorFileBytes(payload);
  writeDataFile("d.adi", adi);
  Descriptor d;
  ASSERT_TRUE(d.load("d.adi"));
  Bytes back(d.size());
  ASSERT_TRUE(d.read(back.data(), back.size()));
  EXPECT_EQ(descriptorFileBytes(back), adi);

  // Sound.
  Bytes samples(1000);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = uint8_t(128 + (i % 20) - 10);
  Bytes sn = soundFileBytes(samples);
  writeDataFile("MDATA\\s.sn", sn);
  Sound sound;
  ASSERT_TRUE(sound.load("MDATA\\s.sn"));
  EXPECT_EQ(soundFileBytes(sound), sn);
}

}  // namespace
}  // namespace zb::test
