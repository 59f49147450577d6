#include <gtest/gtest.h>

#include "engine/draw.h"
#include "engine/image.h"
#include "engine/writers.h"
#include "engine_fixture.h"

namespace zb::test {
namespace {

TEST(NumberedFileName, PutsTheNumberInFrontOfTheLastDot) {
  struct Case {
    const char* path;
    uint16_t number;
    const char* expected;
  };
  const Case cases[] = {
      {"GDATA\\GRNDS\\gmgrd.im3", 3, "GDATA\\GRNDS\\gmgrd3.im3"},
      {"GDATA\\ENMS\\enm.im3", 0, "GDATA\\ENMS\\enm0.im3"},
      {"DDATA\\dmfngs.adi", 65535, "DDATA\\dmfngs65535.adi"},
      {"GDATA\\a.b.im3", 12, "GDATA\\a.b12.im3"},
      {"GDATA\\KBDDFS\\k", 16, "GDATA\\KBDDFS\\k16"},  // no dot: appended
      {"x.", 5, "x5."},
  };
  for (const Case& c : cases) EXPECT_EQ(numberedFileName(c.path, c.number), c.expected) << c.path;
}

TEST(NumberedFileName, KeepsToTheLengthLimit) {
  std::string longName(140, 'a');
  std::string withDot = std::string(120, 'b') + ".extension";
  std::string numbered = numberedFileName(withDot, 12345);
  EXPECT_EQ(numbered.size(), 127u);
  EXPECT_EQ(numbered.substr(0, 125), std::string(120, 'b') + "12345");
  EXPECT_EQ(numberedFileName(longName, 7), std::string(127, 'a'));
}

class ImageTest : public EngineTest {
 protected:
  // Two frames: a 3 x 2 literal frame with offsets, and a 2 x 2 frame.
  static Bytes twoFrames() {
    std::vector<FrameData> frames = {
        {3, 2, 40, 65535, {0x20, 0x21, 0x22, 0x23, 0x24, 0x25}},
        {2, 2, 0, 0, {0x30, 0xFE, 0xFF, 0x31}},
    };
    return imageFileBytes(frames);
  }
  Image image;
};

TEST_F(ImageTest, LoadReadsEveryFrame) {
  writeDataFile("MDATA\\TRNSF\\pic.im3", twoFrames());
  ASSERT_TRUE(image.load("MDATA\\TRNSF\\pic.im3"));
  ASSERT_EQ(image.frameCount(), 2);
  EXPECT_EQ(image.width(0), 3);
  EXPECT_EQ(image.height(0), 2);
  EXPECT_EQ(image.offsetX(0), 40);
  EXPECT_EQ(image.offsetY(0), 65535);
  EXPECT_EQ(image.dataSize(1), 4u);
  EXPECT_EQ(Bytes(image.pixels(1), image.pixels(1) + 4), (Bytes{0x30, 0xFE, 0xFF, 0x31}));
  EXPECT_EQ(image.fileName(), "MDATA\\TRNSF\\pic.im3");
  // Beyond frameCount everything reads as nothing.
  EXPECT_EQ(image.width(2), 0);
  EXPECT_EQ(image.pixels(2), nullptr);
}

TEST_F(ImageTest, ReloadingTheSamePathDoesNotTouchTheFile) {
  writeDataFile("GDATA\\pic.im3", twoFrames());
  ASSERT_TRUE(image.load("GDATA\\pic.im3"));
  removeDataFile("GDATA\\pic.im3");
  EXPECT_TRUE(image.load("GDATA\\pic.im3"));
  EXPECT_EQ(image.frameCount(), 2);
  // The comparison is exact: another spelling is another file.
  EXPECT_FALSE(image.load("gdata\\pic.im3"));
  EXPECT_EQ(image.frameCount(), 2);
}

TEST_F(ImageTest, AMissingFileKeepsTheOldPictureDrawable) {
  makeFrameBuffer(0x40);
  writeDataFile("GDATA\\ENMS\\enm0.im3", twoFrames());
  ASSERT_TRUE(image.loadNumbered("GDATA\\ENMS\\enm.im3", 0));
  EXPECT_FALSE(image.loadNumbered("GDATA\\ENMS\\enm.im3", 1));
  EXPECT_EQ(image.fileName(), "GDATA\\ENMS\\enm0.im3");
  EXPECT_TRUE(drawImage(image, 0, 0, 1));
  EXPECT_EQ(pixel(0, 1), 0x30);
}

TEST_F(ImageTest, AllocateMakesOneBlankFrameAndForgetsThePath) {
  writeDataFile("pic.im3", twoFrames());
  ASSERT_TRUE(image.load("pic.im3"));
  ASSERT_TRUE(image.allocate(5, 4));
  EXPECT_EQ(image.frameCount(), 1);
  EXPECT_EQ(image.dataSize(0), 20u);
  EXPECT_EQ(image.offsetX(0), 0);
  EXPECT_FALSE(image.fileName().has_value());
  EXPECT_EQ(Bytes(image.pixels(0), image.pixels(0) + 20), Bytes(20, 0));
  // A later load of the old path really reads it again.
  ASSERT_TRUE(image.load("pic.im3"));
  EXPECT_EQ(image.frameCount(), 2);
  image.release();
  EXPECT_EQ(image.frameCount(), 0);
  EXPECT_FALSE(image.fileName().has_value());
}

TEST_F(ImageTest, DrawImageIgnoresTheOffsetsAndInvalidatesItsRectangle) {
  makeFrameBuffer(0x40);
  writeDataFile("pic.im3", twoFrames());
  ASSERT_TRUE(image.load("pic.im3"));
  platform.clearRecords();
  ASSERT_TRUE(drawImage(image, 100, 200, 0));
  EXPECT_EQ(area(100, 200, 3, 2), (Bytes{0x23, 0x24, 0x25, 0x20, 0x21, 0x22}));
  EXPECT_EQ(platform.invalidated, (std::vector<Rect>{{100, 200, 103, 202}}));

  // Shading and transparency in frame 1.
  *frameBuffer.at(11, 11) = 0x47;
  ASSERT_TRUE(drawImage(image, 10, 10, 1));
  EXPECT_EQ(area(10, 10, 2, 2), (Bytes{0x40, 0x31, 0x30, 0x42}));
}

TEST_F(ImageTest, DrawCallsRefuseMissingFramesAndEmptyImages) {
  makeFrameBuffer(0x40);
  Image empty;
  EXPECT_FALSE(drawImage(empty, 0, 0, 0));
  EXPECT_FALSE(drawImagePart(empty, 0, 0, 0, 0, 5, 5, 0));
  EXPECT_TRUE(drawGlyph('A', empty, 0, 0));  // a glyph that is not there is not a failure
  EXPECT_TRUE(drawGlyphColoured('A', empty, 0, 0, 1, 2));
  EXPECT_FALSE(drawText("A", empty, 0, 0, 1, 2));
  writeDataFile("pic.im3", twoFrames());
  ASSERT_TRUE(image.load("pic.im3"));
  EXPECT_FALSE(drawImage(image, 0, 0, 2));
  EXPECT_FALSE(drawImage(image, 0, 0, 65535));
  EXPECT_FALSE(drawImagePart(image, 0, 0, 0, 0, 5, 5, 2));
  EXPECT_TRUE(platform.invalidated.empty());
  EXPECT_EQ(area(0, 0, 5, 5), Bytes(25, 0x40));
  releaseFrameBuffer();
  EXPECT_FALSE(drawImage(image, 0, 0, 0));
  EXPECT_TRUE(drawGlyph(0, image, 0, 0));  // documented: success even without a frame buffer
}

TEST_F(ImageTest, DrawImagePartWithTheWholeFrameDrawsShadePixelsAsAColour) {
  makeFrameBuffer(0x40);
  writeDataFile("pic.im3", twoFrames());
  ASSERT_TRUE(image.load("pic.im3"));
  platform.clearRecords();
  ASSERT_TRUE(drawImagePart(image, 10, 10, 0, 0, 2, 2, 1));
  EXPECT_EQ(area(10, 10, 2, 2), (Bytes{0x40, 0x31, 0x30, 0xFE}));
  ASSERT_TRUE(drawImagePart(image, 20, 30, 1, 0, 2, 1, 0));
  EXPECT_EQ(area(20, 30, 3, 2), (Bytes{0x40, 0x24, 0x40, 0x40, 0x40, 0x40}));
  EXPECT_EQ(platform.invalidated, (std::vector<Rect>{{10, 10, 12, 12}, {21, 30, 22, 31}}));
}

TEST_F(ImageTest, InvalidatedRectanglesAreCutToTheClientArea) {
  makeFrameBuffer(0x40);
  writeDataFile("pic.im3", twoFrames());
  ASSERT_TRUE(image.load("pic.im3"));
  platform.clearRecords();
  ASSERT_TRUE(drawImage(image, 628, 439, 0));
  ASSERT_TRUE(drawImagePart(image, 620, 430, 0, 0, 500, 500, 0));
  EXPECT_EQ(platform.invalidated, (std::vector<Rect>{{628, 439, 630, 440}, {620, 430, 630, 440}}));
  EXPECT_EQ(pixel(629, 439), 0x24);  // the frame's top row; the bottom one is cut
}

TEST_F(ImageTest, ACaptureDrawnBackGivesTheCapturedPixels) {
  makeFrameBuffer(0x40);
  for (int i = 0; i < 12; ++i) *frameBuffer.at(50 + i % 4, 60 + i / 4) = uint8_t(i == 5 ? 0 : 16 + i);
  ASSERT_TRUE(captureImage(image, 50, 60, 4, 3));
  Bytes captured = area(50, 60, 4, 3);
  EXPECT_EQ(image.dataSize(0), 12u);
  // The block is bottom row first.
  EXPECT_EQ(image.pixels(0)[0], pixel(50, 62));
  platform.clearRecords();
  fill(0x40);
  EXPECT_TRUE(platform.invalidated.empty());
  ASSERT_TRUE(drawImage(image, 50, 60, 0));
  EXPECT_EQ(area(50, 60, 4, 3), captured);
  fill(0x40);
  ASSERT_TRUE(blitRaw(50, 60, image.pixels(0), 4, 3));
  EXPECT_EQ(area(50, 60, 4, 3), captured);
}

TEST_F(ImageTest, CaptureFailsWithoutAFrameBuffer) {
  EXPECT_FALSE(captureImage(image, 0, 0, 4, 4));
  makeFrameBuffer();
  EXPECT_TRUE(captureImage(image, 0, 0, 0, 0));
}

class TextTest : public EngineTest {
 protected:
  // A 256-glyph font of 2 x 3 frames: key colour 16 in the left column,
  // transparent in the right one, except that glyph 192 carries 0x99 in
  // its top-right pixel.
  void SetUp() override {
    EngineTest::SetUp();
    makeFrameBuffer(0x40);
    std::vector<FrameData> glyphs(256);
    for (int c = 0; c < 256; ++c) {
      uint8_t topRight = c == 192 ? 0x99 : 0xFF;
      const uint8_t rows[6] = {16, topRight, 16, 0xFF, 16, 0xFF};  // top row first
      glyphs[c] = {2, 3, 0, 0, encodeSprite(rows, 2, 3, RowOrder::TopDown)};
    }
    writeDataFile("MDATA\\mnfnt.im3", imageFileBytes(glyphs));
    ASSERT_TRUE(font.load("MDATA\\mnfnt.im3"));
    platform.clearRecords();
  }
  Image font;
};

TEST_F(TextTest, DrawTextDrawsFixedPitchGlyphsInTheTextColour) {
  ASSERT_TRUE(drawText("ab\xC0", font, 10, 20, 107, 16));
  EXPECT_EQ(area(10, 20, 7, 1), (Bytes{107, 0x40, 107, 0x40, 107, 0x99, 0x40}));
  EXPECT_EQ(area(10, 22, 7, 1), (Bytes{107, 0x40, 107, 0x40, 107, 0x40, 0x40}));
  EXPECT_EQ(platform.invalidated, (std::vector<Rect>{{10, 20, 16, 23}}));
}

TEST_F(TextTest, AnEmptyStringInvalidatesAnEmptyRectangle) {
  ASSERT_TRUE(drawText("", font, 10, 20, 107, 16));
  EXPECT_EQ(platform.invalidated, (std::vector<Rect>{{10, 20, 10, 23}}));
  EXPECT_FALSE(drawText(nullptr, font, 10, 20, 107, 16));
}

TEST_F(TextTest, TextRunningOffTheRightEdgeIsCut) {
  std::string text(400, 'x');
  ASSERT_TRUE(drawText(text.c_str(), font, 600, 437, 191, 16));
  EXPECT_EQ(pixel(628, 437), 191);
  EXPECT_EQ(platform.invalidated, (std::vector<Rect>{{600, 437, 630, 440}}));
}

TEST_F(TextTest, GlyphsDrawByCode) {
  ASSERT_TRUE(drawGlyph(192, font, 0, 0));
  EXPECT_EQ(area(0, 0, 2, 1), (Bytes{16, 0x99}));
  ASSERT_TRUE(drawGlyphColoured(192, font, 4, 0, 20, 16));
  EXPECT_EQ(area(4, 0, 2, 1), (Bytes{20, 0x99}));
  EXPECT_EQ(platform.invalidated, (std::vector<Rect>{{0, 0, 2, 3}, {4, 0, 6, 3}}));
}

TEST_F(TextTest, AShortFontDrawsTheGlyphsItHas) {
  std::vector<FrameData> glyphs(66, FrameData{2, 3, 0, 0, Bytes(6, 16)});
  writeDataFile("GDATA\\fldfnt.im3", imageFileBytes(glyphs));
  Image small;
  ASSERT_TRUE(small.load("GDATA\\fldfnt.im3"));
  ASSERT_TRUE(drawText("AZ", small, 0, 0, 191, 16));  // 'A' = 65 is there, 'Z' is not
  EXPECT_EQ(area(0, 0, 4, 1), (Bytes{191, 191, 0x40, 0x40}));
}

// One picture of everything at once, to look at (ZB_FRAME_DIR=folder).
TEST_F(TextTest, ASceneOfSpritesShadowsAndText) {
  for (int y = 0; y < 440; ++y)
    for (int x = 0; x < 630; ++x) *frameBuffer.at(x, y) = uint8_t(0x80 + ((x / 30 + y / 30) % 2) * 0x0F);
  Bytes ball(60 * 60);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x) {
      int dx = x - 30, dy = y - 30;
      int d = dx * dx + dy * dy;
      ball[y * 60 + x] = d < 28 * 28 ? uint8_t(0xC0 + d * 15 / (28 * 28)) : 0xFF;
    }
  Bytes shadow(ball.size());
  for (size_t i = 0; i < ball.size(); ++i) shadow[i] = ball[i] == 0xFF ? 0xFF : 0xFE;
  std::vector<FrameData> frames = {
      {60, 60, 0, 0, encodeSprite(ball.data(), 60, 60, RowOrder::TopDown)},
      {60, 60, 0, 0, encodeSprite(shadow.data(), 60, 60, RowOrder::TopDown)},
  };
  writeDataFile("GDATA\\ball.im3", imageFileBytes(frames));
  Image balls;
  ASSERT_TRUE(balls.load("GDATA\\ball.im3"));
  for (int i = 0; i < 8; ++i) {
    ASSERT_TRUE(drawImage(balls, uint16_t(40 + i * 70 + 8), 108, 1));
    ASSERT_TRUE(drawImage(balls, uint16_t(40 + i * 70), 100, 0));
  }
  ASSERT_TRUE(drawImagePart(balls, 300, 300, 0, 0, 60, 30, 0));
  ASSERT_TRUE(drawImage(balls, 600, 420, 0));  // cut by the corner
  std::string many(100, 'x');
  ASSERT_TRUE(drawText(many.c_str(), font, 5, 250, 0xF0, 16));
  EXPECT_EQ(pixel(70, 130), 0xC0);                 // ball centre
  EXPECT_EQ(pixel(44, 100), 0x80);                 // ball corner: transparent
  EXPECT_EQ(pixel(175, 138), shadePixel(0x8F));    // shadow of the second ball
  dumpFrame("scene");
}

}  // namespace
}  // namespace zb::test
