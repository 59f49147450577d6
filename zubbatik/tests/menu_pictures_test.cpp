// Checks the menu pictures of the data set built beside the program
// against what the menu screens do with them: the places where texts,
// letters and names are drawn are calm (one colour) and dark enough for
// the text colours; boards change into each other without leaving
// anything behind; cursors cover the text they light; flags, switches and
// the shade mask have the sizes and frames the screens expect.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/files.h"
#include "engine/framebuffer.h"
#include "engine/image.h"
#include "engine_fixture.h"

namespace zb::test {
namespace {

constexpr uint8_t kTransparent = 255;
constexpr uint8_t kShade = 254;
constexpr uint8_t kNormalText = 191;
constexpr uint8_t kHighlightText = 107;

// A frame decoded as the screen would show it at (x, y), over a screen of
// colour 0 (which no picture uses); pixels outside the frame read 0.
struct Decoded {
  std::vector<uint8_t> pixels = std::vector<uint8_t>(630 * 440, 0);
  uint8_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * 630 + x]; }
};

class MenuPicturesTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    setDataDir(ZB_BUILT_DATA_DIR);
    ASSERT_TRUE(createFrameBuffer("Zubbatik.pal"));
  }


  Decoded decode(const Image& picture, uint16_t frame, int x, int y) {
    fill(0);
    const ImageFrame* f = picture.frame(frame);
    if (f != nullptr && f->pixels) {
      blitSprite(static_cast<uint16_t>(x + static_cast<int16_t>(f->offsetX)),
                 static_cast<uint16_t>(y + static_cast<int16_t>(f->offsetY)), f->pixels.get(), f->dataSize,
                 f->width, f->height);
    }
    Decoded d;
    for (int row = 0; row < 440; ++row)
      for (int col = 0; col < 630; ++col) d.pixels[static_cast<size_t>(row) * 630 + col] = pixel(col, row);
    return d;
  }
  Decoded last(const std::string& path, int x, int y) {
    const Image& p = image(path);
    return decode(p, static_cast<uint16_t>(p.frameCount() - 1), x, y);
  }

  // The rectangle where text is drawn is one opaque colour, on which both
  // text colours read.
  void expectCalm(const Decoded& d, int x, int y, int w, int h, const std::string& what) {
    uint8_t first = d.at(x, y);
    int stray = 0;
    for (int row = y; row < y + h; ++row)
      for (int col = x; col < x + w; ++col) stray += d.at(col, row) != first;
    EXPECT_EQ(stray, 0) << what << ": the place of the text is not one colour";
    EXPECT_TRUE(first >= 16 && first <= 239) << what << ": colour " << int(first);
    EXPECT_GE(contrast(first, kNormalText), 4.5) << what;
    EXPECT_GE(contrast(first, kHighlightText), 4.5) << what;
  }

  // Every pixel frame a shows is covered by frame b, so that drawing b
  // over a leaves nothing of a.
  void expectCovers(const std::string& path, uint16_t a, uint16_t b, int x, int y) {
    const Image& p = image(path);
    Decoded da = decode(p, a, x, y);
    Decoded db = decode(p, b, x, y);
    int left = 0;
    for (size_t i = 0; i < da.pixels.size(); ++i) left += da.pixels[i] != 0 && db.pixels[i] == 0;
    EXPECT_EQ(left, 0) << path << ": frame " << b << " leaves pixels of frame " << a;
  }

  void expectSame(const Decoded& a, const Decoded& b, const std::string& what) {
    int differ = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) differ += a.pixels[i] != b.pixels[i];
    EXPECT_EQ(differ, 0) << what;
  }

 protected:
  ImageCache image;
};

TEST_F(MenuPicturesTest, TextPlacesOnTheBoardsAreCalmAndReadable) {
  Decoded main = last("MDATA\\TRNSF\\mnmnu.im3", 131, 73);
  for (int i = 0; i < 9; ++i) expectCalm(main, 174, 113 + 25 * i, 16 * 8 + 2, 15, "main item " + std::to_string(i));
  expectCalm(main, 321, 189, 11 * 8, 15, "layout name");
  expectCalm(main, 321, 215, 3 * 8, 15, "level");

  Decoded language = last("MDATA\\TRNSF\\lgmnu.im3", 131, 83);
  for (int i = 0; i < 4; ++i) expectCalm(language, 235, 157 + 27 * i, 14 * 8 + 2, 15, "language " + std::to_string(i));

  Decoded keyboard = last("MDATA\\TRNSF\\kbmnmnu.im3", 131, 73);
  expectCalm(keyboard, 314 - 15 * 8, 123, 30 * 8, 15, "keyboard title");

  Decoded layout = last("MDATA\\TRNSF\\lgmnmnu.im3", 131, 73);
  expectCalm(layout, 314 - 15 * 8, 132, 30 * 8, 15, "layout title");
  for (int i = 0; i < 6; ++i) expectCalm(layout, 326 - 9 * 8, 163 + 27 * i, 18 * 8 + 2, 15, "layout " + std::to_string(i));

  Decoded level = last("MDATA\\TRNSF\\lvmnmnu.im3", 131, 73);
  for (int r = 0; r < 11; ++r)
    for (int c = 0; c < 11; ++c)
      expectCalm(level, 216 + 19 * c, 130 + 17 * r, 8, 15, "letter " + std::to_string(11 * r + c));

  for (const char* records : {"MDATA\\TRNSF\\rdshw.im3", "MDATA\\TRNSF\\rdmnmnu.im3", "MDATA\\TRNSF\\nmtord.im3"}) {
    Decoded d = last(records, 131, 73);
    expectCalm(d, 190, 122, 15 * 8, 15, std::string(records) + " name heading");
    expectCalm(d, 350, 122, 12 * 8, 15, std::string(records) + " score heading");
    for (int r = 0; r < 10; ++r) {
      expectCalm(d, 187, 146 + 19 * r, 14 * 8, 15, std::string(records) + " name " + std::to_string(r));
      expectCalm(d, 347, 146 + 19 * r, 10 * 8, 15, std::string(records) + " score " + std::to_string(r));
    }
  }

  Decoded name = last("MDATA\\TRNSF\\nmshw.im3", 131, 105);
  expectCalm(name, 314 - 15 * 8, 184, 30 * 8, 15, "name prompt");
  expectCalm(name, 192, 214, 14 * 8, 15, "name field");
}

TEST_F(MenuPicturesTest, PanelsUnfoldAndChangeWithoutLeavingAnythingBehind) {
  const struct {
    const char* path;
    int x, y;
    bool backwards;  // also played backwards without restoring (a closing)
  } panels[] = {
      {"MDATA\\TRNSF\\lgmnu.im3", 131, 83, false},   {"MDATA\\TRNSF\\lgtomn.im3", 131, 73, false},
      {"MDATA\\TRNSF\\mnmnu.im3", 131, 73, false},   {"MDATA\\TRNSF\\kbmnmnu.im3", 131, 73, true},
      {"MDATA\\TRNSF\\lgmnmnu.im3", 131, 73, true},  {"MDATA\\TRNSF\\lvmnmnu.im3", 131, 73, true},
      {"MDATA\\TRNSF\\nmshw.im3", 131, 105, false},  {"MDATA\\TRNSF\\nmtord.im3", 131, 73, false},
      {"MDATA\\TRNSF\\rdshw.im3", 131, 73, false},   {"MDATA\\TRNSF\\rdmnmnu.im3", 131, 73, true},
      {"MDATA\\TRNSF\\snmnmnu.im3", 406, 242, true}, {"MDATA\\TRNSF\\msmnmnu.im3", 351, 266, true},
  };
  for (const auto& panel : panels) {
    const Image& p = image(panel.path);
    EXPECT_GE(p.frameCount(), 8) << panel.path;
    EXPECT_LE(p.frameCount(), 12) << panel.path;
    for (uint16_t f = 0; f + 1 < p.frameCount(); ++f) {
      expectCovers(panel.path, f, f + 1, panel.x, panel.y);
      if (panel.backwards) expectCovers(panel.path, f + 1, f, panel.x, panel.y);
    }
    // Nothing strays outside the rectangle the closings restore.
    if (panel.x == 131) {
      for (uint16_t f = 0; f < p.frameCount(); ++f) {
        Decoded d = decode(p, f, panel.x, panel.y);
        int outside = 0;
        for (int y = 0; y < 440; ++y)
          for (int x = 0; x < 630; ++x)
            outside += d.at(x, y) != 0 && !(x >= 131 && x < 131 + 367 && y >= 73 && y < 73 + 293);
        EXPECT_EQ(outside, 0) << panel.path << " frame " << f;
      }
    }
  }
}

TEST_F(MenuPicturesTest, BoardsMeetExactlyWhereOneTurnsIntoTheOther) {
  Decoded main = last("MDATA\\TRNSF\\mnmnu.im3", 131, 73);
  // Closings end on frame 0, where the main menu then draws its texts.
  for (const char* change : {"MDATA\\TRNSF\\kbmnmnu.im3", "MDATA\\TRNSF\\lgmnmnu.im3", "MDATA\\TRNSF\\lvmnmnu.im3",
                             "MDATA\\TRNSF\\rdmnmnu.im3"}) {
    expectSame(decode(image(change), 0, 131, 73), main, std::string(change) + " frame 0");
  }
  expectSame(last("MDATA\\TRNSF\\lgtomn.im3", 131, 73), main, "lgtomn ends on the main board");
  expectSame(decode(image("MDATA\\TRNSF\\lgtomn.im3"), 0, 131, 73), last("MDATA\\TRNSF\\lgmnu.im3", 131, 83),
             "lgtomn starts on the language board");
  Decoded records = last("MDATA\\TRNSF\\rdshw.im3", 131, 73);
  expectSame(last("MDATA\\TRNSF\\rdmnmnu.im3", 131, 73), records, "rdmnmnu ends on the records board");
  expectSame(last("MDATA\\TRNSF\\nmtord.im3", 131, 73), records, "nmtord ends on the records board");
  expectSame(decode(image("MDATA\\TRNSF\\nmtord.im3"), 0, 131, 73), last("MDATA\\TRNSF\\nmshw.im3", 131, 105),
             "nmtord starts on the name board");
  // The switches' markers are the two ends of their turning.
  expectSame(decode(image("MDATA\\TRNSF\\snmnmnu.im3"), 0, 406, 242), last("MDATA\\MRKRS\\sndon.im3", 406, 242),
             "sound on");
  expectSame(last("MDATA\\TRNSF\\snmnmnu.im3", 406, 242), last("MDATA\\MRKRS\\sndoff.im3", 406, 242), "sound off");
  expectSame(decode(image("MDATA\\TRNSF\\msmnmnu.im3"), 0, 351, 266), last("MDATA\\MRKRS\\mscon.im3", 351, 266),
             "mouse on");
  expectSame(last("MDATA\\TRNSF\\msmnmnu.im3", 351, 266), last("MDATA\\MRKRS\\mscoff.im3", 351, 266), "mouse off");
}

TEST_F(MenuPicturesTest, CursorsCoverTheTextTheyLight) {
  // The cursor's rectangle is restored when it moves, so it must hold the
  // whole highlighted text: cursor position, highlighted text position,
  // longest text.
  const struct {
    const char* path;
    int x, y, textX, textY, chars;
  } cursors[] = {
      {"MDATA\\CRSRS\\mncrs0.im3", 169, 113, 174, 113, 16},  {"MDATA\\CRSRS\\mncrs1.im3", 169, 113, 174, 113, 16},
      {"MDATA\\CRSRS\\mncrs2.im3", 169, 113, 174, 113, 16},  {"MDATA\\CRSRS\\lngcrs.im3", 214, 156, 235, 157, 14},
      {"MDATA\\CRSRS\\lgmncrs.im3", 254, 163, 326 - 72, 163, 18},
  };
  for (const auto& c : cursors) {
    const Image& p = image(c.path);
    EXPECT_GE(p.frameCount(), 2) << c.path << ": cursors are animated";
    for (uint16_t f = 0; f < p.frameCount(); ++f) {
      int left = c.x + static_cast<int16_t>(p.offsetX(f));
      int top = c.y + static_cast<int16_t>(p.offsetY(f));
      EXPECT_LE(left, c.textX) << c.path;
      EXPECT_LE(top, c.textY) << c.path;
      EXPECT_GE(left + p.width(f), c.textX + 8 * c.chars) << c.path;
      EXPECT_GE(top + p.height(f), c.textY + 15) << c.path;
    }
  }
  EXPECT_GE(image("MDATA\\CRSRS\\kbcrs.im3").frameCount(), 2);
}

TEST_F(MenuPicturesTest, FlagsMarkersAndMasksHaveTheirSizes) {
  for (const char* flag : {"rus", "amr", "grm", "fr", "eng", "sw"}) {
    const Image& waving = image(std::string("MDATA\\MRKRS\\aflg") + flag + ".im3");
    EXPECT_GE(waving.frameCount(), 8) << flag;
    for (uint16_t f = 0; f < waving.frameCount(); ++f) {
      EXPECT_LE(waving.width(f), 30) << flag;
      EXPECT_LE(waving.height(f), 24) << flag;
    }
    const Image& still = image(std::string("MDATA\\MRKRS\\flg") + flag + ".im3");
    EXPECT_EQ(still.width(0), 36) << flag;
    EXPECT_EQ(still.height(0), 24) << flag;
  }
  for (int type = 1; type <= 3; ++type) {
    const Image& marker = image("MDATA\\MRKRS\\mnkbdt" + std::to_string(type) + ".im3");
    EXPECT_LE(371 + marker.width(0), 490) << "keyboard marker " << type << " stays on the board";
    EXPECT_LE(114 + marker.height(0), 185) << "and above the layout name";
  }
  Decoded background = last("MDATA\\igrnd.im3", 0, 0);
  int holes = 0;
  for (uint8_t p : background.pixels) holes += p < 16 || p > 239;
  EXPECT_EQ(holes, 0) << "the background covers the whole window";

  const Image& mask = image("GDATA\\shmsk.im3");
  ASSERT_EQ(mask.width(0), 630);
  ASSERT_EQ(mask.height(0), 440);
  fill(100);
  ASSERT_TRUE(blitSprite(0, 0, mask.pixels(0), mask.dataSize(0), 630, 440));
  EXPECT_EQ(pixel(0, 0), shadePixel(100));
  EXPECT_EQ(pixel(629, 439), shadePixel(100));
  EXPECT_EQ(pixel(315, 220), shadePixel(100));
}

}  // namespace
}  // namespace zb::test
