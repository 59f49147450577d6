#include "engine/framebuffer.h"

#include <gtest/gtest.h>

#include "engine/writers.h"
#include "engine_fixture.h"

namespace zb::test {
namespace {

using FrameBufferTest = EngineTest;

TEST_F(FrameBufferTest, CreationTakesTheClientSizeAndThePaletteFile) {
  Bytes colours;
  for (int i = 0; i < 256; ++i)
    colours.insert(colours.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2), 0x55});
  writeDataFile("Zubbatik.pal", paletteFileBytes(colours));
  ASSERT_TRUE(createFrameBuffer("Zubbatik.pal"));

  EXPECT_EQ(frameBuffer.width, 630);
  EXPECT_EQ(frameBuffer.height, 440);
  EXPECT_EQ(frameBuffer.stride, 632u);
  ASSERT_NE(frameBuffer.pixels, nullptr);
  // The window's colour table is the file's first 256 entries, byte for byte.
  EXPECT_TRUE(std::equal(colours.begin(), colours.end(), frameBuffer.colourTable.begin()));
  // The logical palette takes 16 .. N-17 from the file, red first.
  ASSERT_EQ(frameBuffer.palette.size(), 256u);
  EXPECT_EQ(frameBuffer.palette[16], (PaletteEntry{8, 239, 16, kPaletteNoCollapse}));
  EXPECT_EQ(frameBuffer.palette[239], (PaletteEntry{119, 16, 239, kPaletteNoCollapse}));
  for (int i : {0, 15, 240, 255}) EXPECT_EQ(frameBuffer.palette[i], PaletteEntry{}) << i;
}

TEST_F(FrameBufferTest, AShortPaletteFileLeavesTheMissingEntriesBlack) {
  Bytes file = greyPalette(256);
  file.resize(10 + 4 * 100 + 2);  // 100 whole entries and half of the next
  writeDataFile("Zubbatik.pal", file);
  ASSERT_TRUE(createFrameBuffer("Zubbatik.pal"));
  EXPECT_EQ(frameBuffer.colourTable[99 * 4], 99);
  EXPECT_EQ(frameBuffer.colourTable[100 * 4], 100);  // the half entry that was there
  EXPECT_EQ(frameBuffer.colourTable[100 * 4 + 2], 0);
  EXPECT_EQ(frameBuffer.colourTable[200 * 4], 0);
  EXPECT_EQ(frameBuffer.palette[200], (PaletteEntry{0, 0, 0, kPaletteNoCollapse}));
}

TEST_F(FrameBufferTest, AFewerThan256EntryPaletteStillFillsTheWholeColourTable) {
  writeDataFile("Zubbatik.pal", greyPalette(40));
  ASSERT_TRUE(createFrameBuffer("Zubbatik.pal"));
  EXPECT_EQ(frameBuffer.palette.size(), 40u);
  EXPECT_EQ(frameBuffer.palette[23].flags, kPaletteNoCollapse);
  EXPECT_EQ(frameBuffer.palette[24].flags, 0);  // N - 16 onwards is not taken
  EXPECT_EQ(frameBuffer.colourTable[39 * 4], 39);
  EXPECT_EQ(frameBuffer.colourTable[40 * 4], 0);
}

TEST_F(FrameBufferTest, UnusablePaletteFilesFailAndKeepTheFrameBuffer) {
  makeFrameBuffer(7);
  uint8_t* before = frameBuffer.pixels;
  EXPECT_FALSE(createFrameBuffer("Missing.pal"));
  writeDataFile("Empty.pal", {});
  EXPECT_FALSE(createFrameBuffer("Empty.pal"));
  writeDataFile("NoEntries.pal", greyPalette(0));
  EXPECT_FALSE(createFrameBuffer("NoEntries.pal"));
  EXPECT_EQ(frameBuffer.pixels, before);
  EXPECT_EQ(pixel(0, 0), 7);
}

TEST_F(FrameBufferTest, EveryRoutineFailsWithoutAFrameBufferOrWithoutData) {
  uint8_t block[4] = {1, 2, 3, 4};
  EXPECT_FALSE(blitRaw(0, 0, block, 2, 2));
  EXPECT_FALSE(grabRaw(block, 0, 0, 2, 2));
  EXPECT_FALSE(blitSprite(0, 0, block, 4, 2, 2));
  EXPECT_FALSE(blitSpriteWindow(0, 0, block, 4, 2, 2, 0, 0, 2, 2));
  EXPECT_FALSE(blitSpriteRecoloured(0, 0, block, 4, 2, 2, 1, 2));
  makeFrameBuffer();
  EXPECT_FALSE(blitRaw(0, 0, nullptr, 2, 2));
  EXPECT_FALSE(grabRaw(nullptr, 0, 0, 2, 2));
  EXPECT_FALSE(blitSprite(0, 0, nullptr, 0, 2, 2));
  EXPECT_FALSE(blitSpriteWindow(0, 0, nullptr, 0, 2, 2, 0, 0, 2, 2));
  EXPECT_FALSE(blitSpriteRecoloured(0, 0, nullptr, 0, 2, 2, 1, 2));
  releaseFrameBuffer();
  EXPECT_FALSE(blitRaw(0, 0, block, 2, 2));
}

TEST_F(FrameBufferTest, APatternRunCrossesFromTheBottomRowIntoTheTopRow) {
  makeFrameBuffer(0x23);
  const Bytes sprite = {0x20, 0xFF, 0x02, 0x01, 0x30, 0x31, 0xFE, 0x00};
  ASSERT_TRUE(blitSprite(10, 20, sprite.data(), uint32_t(sprite.size()), 4, 2));
  EXPECT_EQ(area(10, 21, 4, 1), (Bytes{0x20, 0x23, 0x30, 0x31}));  // bottom row
  EXPECT_EQ(area(10, 20, 4, 1), (Bytes{0x30, 0x31, 0x20, 0x00}));  // top row, 0x23 shaded
}

TEST_F(FrameBufferTest, ShadingDarkensByFiveWithinTheGroupOfSixteen) {
  makeFrameBuffer();
  const uint8_t shade = 0xFE;
  struct Case {
    uint8_t under, expected;
  };
  for (Case c : {Case{0x23, 0x20}, {0x27, 0x22}, {0x10, 0x10}, {0x15, 0x10}, {0x2F, 0x2A},
                 {0x00, 0x00}, {0xFF, 0xFA}}) {
    *frameBuffer.at(5, 5) = c.under;
    ASSERT_TRUE(blitSprite(5, 5, &shade, 1, 1, 1));
    EXPECT_EQ(pixel(5, 5), c.expected) << "under " << int(c.under);
  }
}

TEST_F(FrameBufferTest, RepeatByte255EmitsThePattern256Times) {
  makeFrameBuffer(0);
  const Bytes sprite = {0x01, 0xFF, 0x05};  // colour 5, 256 times
  ASSERT_TRUE(blitSprite(0, 0, sprite.data(), 3, 16, 17));
  EXPECT_EQ(area(0, 1, 16, 16), Bytes(256, 5));
  EXPECT_EQ(area(0, 0, 16, 1), Bytes(16, 0));  // the 17th row, at the top, is not reached
}

TEST_F(FrameBufferTest, TheWindowRoutineWritesOnlyInsideItsWindowAndShadesNothing) {
  makeFrameBuffer(0x40);
  // 3 x 3, top row 1 2 3 (as literals 0x11.. to stay clear of run tokens).
  const Bytes sprite = {0x17, 0x18, 0xFE,   // bottom row
                        0x14, 0xFF, 0x16,   // middle row
                        0x11, 0x12, 0x13};  // top row
  ASSERT_TRUE(blitSpriteWindow(0, 0, sprite.data(), 9, 3, 3, 0, 0, 3, 3));
  EXPECT_EQ(area(0, 0, 3, 3), (Bytes{0x11, 0x12, 0x13, 0x14, 0x40, 0x16, 0x17, 0x18, 0xFE}));

  fill(0x40);
  // Columns 1..2, rows from the top 1..2.
  ASSERT_TRUE(blitSpriteWindow(0, 0, sprite.data(), 9, 3, 3, 1, 1, 3, 3));
  EXPECT_EQ(area(0, 0, 3, 3), (Bytes{0x40, 0x40, 0x40, 0x40, 0x40, 0x16, 0x40, 0x18, 0xFE}));

  fill(0x40);
  // An empty window, and one reaching beyond the sprite.
  ASSERT_TRUE(blitSpriteWindow(0, 0, sprite.data(), 9, 3, 3, 2, 0, 2, 3));
  EXPECT_EQ(area(0, 0, 3, 3), Bytes(9, 0x40));
  ASSERT_TRUE(blitSpriteWindow(0, 0, sprite.data(), 9, 3, 3, 0, 2, 500, 500));
  EXPECT_EQ(area(0, 0, 3, 4), (Bytes{0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x17, 0x18, 0xFE,
                                     0x40, 0x40, 0x40}));
}

TEST_F(FrameBufferTest, TheRecolouringRoutineReplacesOnlyTheKeyColour) {
  makeFrameBuffer(0x40);
  const Bytes glyph = {0x10, 0xFF, 0x10, 0xFE, 0x02, 0x00, 0x10, 0x20};
  ASSERT_TRUE(blitSpriteRecoloured(0, 0, glyph.data(), uint32_t(glyph.size()), 3, 2, 107, 16));
  EXPECT_EQ(area(0, 1, 3, 1), (Bytes{107, 0x40, 107}));   // bottom row
  EXPECT_EQ(area(0, 0, 3, 1), (Bytes{0xFE, 107, 0x20}));  // 254 written as a colour
}

TEST_F(FrameBufferTest, RawBlocksAreStoredBottomRowFirst) {
  makeFrameBuffer(0);
  Bytes block(630 * 440);
  for (size_t i = 0; i < block.size(); ++i) block[i] = uint8_t(i / 630);
  ASSERT_TRUE(blitRaw(0, 0, block.data(), 630, 440));
  // A full-height rectangle at y = 0 starts at memory row 0: the bottom line.
  EXPECT_EQ(frameBuffer.pixels[0], 0);
  EXPECT_EQ(pixel(0, 439), 0);
  EXPECT_EQ(pixel(0, 0), uint8_t(439));

  Bytes small = {1, 2, 3, 4, 5, 6};  // 3 x 2: bottom 1 2 3, top 4 5 6
  ASSERT_TRUE(blitRaw(100, 50, small.data(), 3, 2));
  EXPECT_EQ(area(100, 50, 3, 2), (Bytes{4, 5, 6, 1, 2, 3}));
  Bytes back(6);
  ASSERT_TRUE(grabRaw(back.data(), 100, 50, 3, 2));
  EXPECT_EQ(back, small);
}

// A rectangle reaching past the right or bottom edge is cut there; the
// stride padding and everything outside the rectangle stay untouched.
TEST_F(FrameBufferTest, RectanglesReachingOutsideAreClipped) {
  struct Case {
    const char* name;
    uint16_t x, y, w, h;
  };
  const Case cases[] = {
      {"right edge", 625, 10, 10, 4},       {"bottom edge", 10, 436, 4, 10},
      {"corner", 627, 437, 8, 8},           {"wholly outside", 700, 500, 5, 5},
      {"past 16 bits", 65535, 65535, 9, 9}, {"wider than the buffer", 0, 0, 1000, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    makeFrameBuffer(0x40);
    Bytes raw(size_t(c.w) * c.h, 0x21);
    Bytes literals(raw.size(), 0x22);
    Bytes run;
    for (size_t covered = 0; covered < raw.size(); covered += 256) run.insert(run.end(), {0x01, 0xFF, 0x23});
    for (int routine = 0; routine < 4; ++routine) {
      fill(0x40);
      switch (routine) {
        case 0: ASSERT_TRUE(blitRaw(c.x, c.y, raw.data(), c.w, c.h)); break;
        case 1:
          ASSERT_TRUE(blitSprite(c.x, c.y, literals.data(), uint32_t(literals.size()), c.w, c.h));
          break;
        case 2:
          ASSERT_TRUE(blitSpriteWindow(c.x, c.y, run.data(), uint32_t(run.size()), c.w, c.h, 0, 0,
                                       c.w, c.h));
          break;
        case 3:
          ASSERT_TRUE(blitSpriteRecoloured(c.x, c.y, literals.data(), uint32_t(literals.size()),
                                           c.w, c.h, 1, 0x22));
          break;
      }
      for (int row = 0; row < 440; ++row) {
        const uint8_t* line = frameBuffer.at(0, row);
        for (int col = 0; col < 632; ++col) {
          bool inside = col < 630 && col >= c.x && col < c.x + c.w && row >= c.y &&
                        row < c.y + c.h;
          if (!inside) { ASSERT_EQ(line[col], 0x40) << "routine " << routine << " at " << col << ","
                                                  << row; }
        }
      }
      if (c.x < 630 && c.y < 440) { EXPECT_NE(pixel(c.x, c.y), 0x40) << "routine " << routine; }
    }
    Bytes grabbed(raw.size(), 0x99);
    ASSERT_TRUE(grabRaw(grabbed.data(), c.x, c.y, c.w, c.h));
    if (c.x >= 630 || c.y >= 440) { EXPECT_EQ(grabbed, Bytes(raw.size(), 0x99)); }
  }
}

TEST_F(FrameBufferTest, ClippedGrabCopiesTheVisiblePartIntoItsPlaceInTheBlock) {
  makeFrameBuffer(0x40);
  *frameBuffer.at(629, 439) = 0x55;
  Bytes block(4, 0x99);  // 2 x 2 at the bottom-right corner: only its top-left pixel is visible
  ASSERT_TRUE(grabRaw(block.data(), 629, 439, 2, 2));
  EXPECT_EQ(block, (Bytes{0x99, 0x99, 0x55, 0x99}));  // top row comes second
}

// Malformed sprite data: the decoder reads only dataSize bytes and writes
// only the sprite's rectangle. Each stream sits in a vector of exactly its
// size, so the sanitizer build catches any read past it.
TEST_F(FrameBufferTest, MalformedStreamsStayInsideTheirDataAndRectangle) {
  struct Case {
    const char* name;
    Bytes data;
    Bytes expected;  // 3 x 2 sprite at (1, 1), top row first
  };
  const uint8_t B = 0x40;
  const Case cases[] = {
      {"empty stream", {}, Bytes(6, B)},
      {"ends early", {0x20, 0x21}, {B, B, B, 0x20, 0x21, B}},
      {"pattern run without repeat byte", {0x20, 0x03}, {B, B, B, 0x20, B, B}},
      {"pattern run cut inside its pattern", {0x03, 0x01, 0x30, 0x31}, Bytes(6, B)},
      {"run continuing past the last row", {0x01, 0xFF, 0x33}, Bytes(6, 0x33)},
      {"literals past the last row", Bytes(40, 0x34), Bytes(6, 0x34)},
      {"run token as last byte", {0x20, 0x21, 0x22, 0x0F}, {B, B, B, 0x20, 0x21, 0x22}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (int routine = 0; routine < 3; ++routine) {
      makeFrameBuffer(B);
      const uint8_t* data = c.data.empty() ? &B : c.data.data();
      uint32_t size = uint32_t(c.data.size());
      switch (routine) {
        case 0: ASSERT_TRUE(blitSprite(1, 1, data, size, 3, 2)); break;
        case 1: ASSERT_TRUE(blitSpriteWindow(1, 1, data, size, 3, 2, 0, 0, 3, 2)); break;
        case 2: ASSERT_TRUE(blitSpriteRecoloured(1, 1, data, size, 3, 2, 1, 2)); break;
      }
      EXPECT_EQ(area(1, 1, 3, 2), c.expected) << "routine " << routine;
      // Nothing around the rectangle changed.
      EXPECT_EQ(area(0, 0, 5, 1), Bytes(5, B));
      EXPECT_EQ(area(0, 3, 5, 1), Bytes(5, B));
      EXPECT_EQ(area(0, 1, 1, 2), Bytes(2, B));
      EXPECT_EQ(area(4, 1, 1, 2), Bytes(2, B));
    }
  }
}

TEST_F(FrameBufferTest, TheDecoderIgnoresBytesBeyondTheDataSize) {
  makeFrameBuffer(0x40);
  const Bytes data = {0x20, 0x21, 0x22, 0x23};
  ASSERT_TRUE(blitSprite(0, 0, data.data(), 2, 4, 1));
  EXPECT_EQ(area(0, 0, 4, 1), (Bytes{0x20, 0x21, 0x40, 0x40}));
}

TEST_F(FrameBufferTest, ASpriteWithoutPixelsDrawsNothing) {
  makeFrameBuffer(0x40);
  const Bytes data = {0x20, 0x21};
  EXPECT_TRUE(blitSprite(0, 0, data.data(), 2, 0, 5));
  EXPECT_TRUE(blitSprite(0, 0, data.data(), 2, 5, 0));
  EXPECT_EQ(area(0, 0, 2, 1), Bytes(2, 0x40));
}

}  // namespace
}  // namespace zb::test
