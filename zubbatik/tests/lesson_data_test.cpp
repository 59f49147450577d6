// Checks the lesson's pictures in the data set built beside the program
// against what the lesson does with them: the hands lie on the home keys
// of every keyboard type and lift away inside the rectangle saved under
// them; the boards unroll without leaving anything behind and stay where
// they are restored; texts and letters have a calm place to stand.
//
// With ZB_PICTURE_DIR set, also writes the lesson's screens as the lesson
// draws them, for every keyboard type, for looking at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "engine/draw.h"
#include "engine/files.h"
#include "engine/framebuffer.h"
#include "engine/image.h"
#include "engine/textlist.h"
#include "engine_fixture.h"
#include "modes/keyboard.h"

namespace zb::test {
namespace {

namespace fs = std::filesystem;

// Where the lesson lays its hands on keyboard types 0, 1 and 2.
constexpr int kHandsX[3] = {36, 29, 33};
constexpr int kHandsTop = 306, kHandsWidth = 523, kHandsHeight = 134;
constexpr uint8_t kEmpty = 10;  // screen colour no picture uses; a shade pixel makes it 5

struct Rect {
  int x, y, w, h;
  bool holds(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

// A frame as the screen shows it at (x, y) plus its offsets, over an
// empty screen.
struct Shown {
  std::vector<uint8_t> pixels = std::vector<uint8_t>(630 * 440, kEmpty);
  uint8_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * 630 + x]; }
  bool painted(int x, int y) const { return at(x, y) != kEmpty; }
  bool opaque(int x, int y) const { return at(x, y) >= 16 && at(x, y) <= 239; }
};

class LessonDataTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    setDataDir(ZB_BUILT_DATA_DIR);
    ASSERT_TRUE(createFrameBuffer("Zubbatik.pal"));
    resetKeyboardPanel();
  }
  void TearDown() override {
    resetKeyboardPanel();
    EngineTest::TearDown();
  }


  // withOffsets: as an animation slot places it; otherwise as drawImage.
  Shown show(const std::string& path, uint16_t frame, int x, int y, bool withOffsets = true) {
    fill(kEmpty);
    const ImageFrame* f = image(path).frame(frame);
    if (f != nullptr && f->pixels) {
      int fx = x + (withOffsets ? static_cast<int16_t>(f->offsetX) : 0);
      int fy = y + (withOffsets ? static_cast<int16_t>(f->offsetY) : 0);
      blitSprite(static_cast<uint16_t>(fx), static_cast<uint16_t>(fy), f->pixels.get(), f->dataSize, f->width,
                 f->height);
    }
    Shown s;
    for (int row = 0; row < 440; ++row)
      for (int col = 0; col < 630; ++col) s.pixels[static_cast<size_t>(row) * 630 + col] = pixel(col, row);
    return s;
  }

  // The frame's own rectangle on screen, as the slot saves and restores it.
  Rect placed(const std::string& path, uint16_t frame, int x, int y) {
    const ImageFrame* f = image(path).frame(frame);
    if (f == nullptr) return {0, 0, 0, 0};
    return {x + static_cast<int16_t>(f->offsetX), y + static_cast<int16_t>(f->offsetY), f->width, f->height};
  }

  // A place for text: one opaque colour on which both text colours read.
  void expectCalm(const Shown& s, const Rect& r, const std::string& what) {
    uint8_t first = s.at(r.x, r.y);
    int stray = 0;
    for (int y = r.y; y < r.y + r.h; ++y)
      for (int x = r.x; x < r.x + r.w; ++x) stray += s.at(x, y) != first;
    EXPECT_EQ(stray, 0) << what << ": not one colour";
    ASSERT_TRUE(first >= 16 && first <= 239) << what << ": colour " << int(first);
    EXPECT_GE(contrast(first, kTextColour), 4.5) << what;
    EXPECT_GE(contrast(first, kHighlightColour), 4.5) << what;
  }

 protected:
  ImageCache image;
};

const char* const kHands = "DDATA\\imhnd.im3";
const char* const kLifting = "DDATA\\TRNSF\\dmhnds.im3";
const char* const kNotice = "DDATA\\TRNSF\\dmwrng.im3";
const char* const kBoard = "DDATA\\TRNSF\\dmbrd.im3";
const char* const kClosing = "DDATA\\TRNSF\\dmcls.im3";

TEST_F(LessonDataTest, AnimationsStayInsideTheRectanglesTheLessonRestores) {
  struct Case {
    const char* path;
    int slotX, slotY;
    Rect inside;
    int minFrames, maxFrames;
  };
  std::vector<Case> cases = {
      {kNotice, 118, 128, {118, 128, 374, 440 - 128}, 8, 12},
      {kBoard, 118, 9, {118, 9, 374, 206}, 8, 12},
      {kClosing, 118, 9, {118, 9, 374, 206}, 2, 12},
  };
  for (int hx : kHandsX) cases.push_back({kLifting, hx, kHandsTop, {hx, kHandsTop, kHandsWidth, kHandsHeight}, 8, 12});
  for (const Case& c : cases) {
    const Image& p = image(c.path);
    EXPECT_GE(p.frameCount(), c.minFrames) << c.path;
    EXPECT_LE(p.frameCount(), c.maxFrames) << c.path;
    for (uint16_t f = 0; f < p.frameCount(); ++f) {
      Rect r = placed(c.path, f, c.slotX, c.slotY);
      EXPECT_TRUE(c.inside.holds(r.x, r.y) && c.inside.holds(r.x + r.w - 1, r.y + r.h - 1))
          << c.path << " frame " << f << " at slot x " << c.slotX << ": (" << r.x << ", " << r.y << ") " << r.w << " x "
          << r.h;
    }
  }
  // The lying hands are one picture drawn at (hx - 1, 305): what they show
  // lies where the animation restores the keyboard on every type.
  ASSERT_EQ(image(kHands).frameCount(), 1);
  for (int hx : kHandsX) {
    Shown s = show(kHands, 0, hx - 1, kHandsTop - 1, false);
    int outside = 0;
    for (int y = 0; y < 440; ++y)
      for (int x = 0; x < 630; ++x) outside += s.painted(x, y) && !Rect{hx, kHandsTop, kHandsWidth, kHandsHeight}.holds(x, y);
    EXPECT_EQ(outside, 0) << "hands at x " << hx;
  }
}

TEST_F(LessonDataTest, TheHandsLieOnTheHomeKeysAndStartLiftingFromThere) {
  for (uint8_t type = 0; type < 3; ++type) {
    ASSERT_TRUE(loadFingerHomes(type));
    const int hx = kHandsX[type];
    Shown hands = show(kHands, 0, hx - 1, kHandsTop - 1, false);
    // The marker stands at (x - 3, y - 3), 22 x 26: the fingertip covers its middle.
    for (int f = 0; f < 10; ++f) {
      const auto& [x, y] = keyboardPanel.fingerHomes[static_cast<size_t>(f)];
      EXPECT_TRUE(hands.opaque(x + 8, y + 10)) << "type " << int(type) << ": finger " << f << " is not on its key";
    }
    // The first step of the lifting shows exactly the hands lying there.
    Shown first = show(kLifting, 0, hx, kHandsTop);
    EXPECT_EQ(first.pixels, hands.pixels) << "type " << int(type);
  }
  // The last step leaves at most a little sparkle: the keyboard comes back.
  const Image& lifting = image(kLifting);
  Shown last = show(kLifting, static_cast<uint16_t>(lifting.frameCount() - 1), kHandsX[0], kHandsTop);
  int painted = 0;
  for (uint8_t v : last.pixels) painted += v != kEmpty;
  EXPECT_LT(painted, kHandsWidth * kHandsHeight / 20);
}

TEST_F(LessonDataTest, BoardsUnrollOverThemselvesAndCloseOnTheWholeBoard) {
  // Openings draw every frame over the last without restoring anything.
  for (auto [path, x, y] : {std::tuple{kNotice, 118, 128}, std::tuple{kBoard, 118, 9}}) {
    const Image& p = image(path);
    for (uint16_t f = 0; f + 1 < p.frameCount(); ++f) {
      Shown a = show(path, f, x, y), b = show(path, static_cast<uint16_t>(f + 1), x, y);
      int left = 0;
      for (size_t i = 0; i < a.pixels.size(); ++i) left += a.pixels[i] != kEmpty && b.pixels[i] == kEmpty;
      EXPECT_EQ(left, 0) << path << ": frame " << f + 1 << " leaves pixels of frame " << f;
    }
  }
  // The closing starts on the board as it stands, and ends on a small
  // remnant that stays on screen.
  const Image& closing = image(kClosing);
  Shown board = show(kBoard, static_cast<uint16_t>(image(kBoard).frameCount() - 1), 118, 9);
  EXPECT_EQ(show(kClosing, static_cast<uint16_t>(closing.frameCount() - 1), 118, 9).pixels, board.pixels);
  Rect remnant = placed(kClosing, 0, 118, 9);
  EXPECT_LE(remnant.w * remnant.h, 374 * 206 / 4);
}

TEST_F(LessonDataTest, TextsAndLettersHaveACalmPlaceOnTheBoards) {
  Shown notice = show(kNotice, static_cast<uint16_t>(image(kNotice).frameCount() - 1), 118, 128);
  // Ten lines of up to 34 letters centred on x 305 from y 155, and a
  // margin of board around them.
  expectCalm(notice, {305 - 17 * 8, 155, 34 * 8, 10 * 15}, "notice lines");
  const Rect margin{305 - 17 * 8 - 4, 155 - 4, 34 * 8 + 8, 10 * 15 + 8};
  for (int y = margin.y; y < margin.y + margin.h; ++y)
    for (int x = margin.x; x < margin.x + margin.w; ++x)
      ASSERT_TRUE(notice.opaque(x, y)) << "the notice ends at (" << x << ", " << y << ")";

  Shown board = show(kBoard, static_cast<uint16_t>(image(kBoard).frameCount() - 1), 118, 9);
  for (int i = 0; i < 48; ++i)
    expectCalm(board, {180 + 22 * (i % 12), 34 + 17 * (i / 12), 8, 15}, "letter " + std::to_string(i));
}

// The lesson's screens drawn as the lesson draws them.
class LessonScreens : public LessonDataTest {
 protected:
  void save(const std::string& name) {
    ASSERT_TRUE(writeFramePng(fs::path(folder_) / (name + ".png"), frameBuffer));
  }
  void frameAt(const std::string& path, uint16_t frame, int x, int y) {
    const ImageFrame* f = image(path).frame(frame);
    ASSERT_NE(f, nullptr) << path;
    blitSprite(static_cast<uint16_t>(x + static_cast<int16_t>(f->offsetX)),
               static_cast<uint16_t>(y + static_cast<int16_t>(f->offsetY)), f->pixels.get(), f->dataSize, f->width,
               f->height);
  }
  std::vector<uint8_t> grab(const Rect& r) {
    std::vector<uint8_t> pixels(static_cast<size_t>(r.w) * r.h);
    grabRaw(pixels.data(), static_cast<uint16_t>(r.x), static_cast<uint16_t>(r.y), static_cast<uint16_t>(r.w),
            static_cast<uint16_t>(r.h));
    return pixels;
  }
  void put(const Rect& r, const std::vector<uint8_t>& pixels) {
    blitRaw(static_cast<uint16_t>(r.x), static_cast<uint16_t>(r.y), pixels.data(), static_cast<uint16_t>(r.w),
            static_cast<uint16_t>(r.h));
  }

  const char* folder_ = std::getenv("ZB_PICTURE_DIR");
};

TEST_F(LessonScreens, DrawnForLooking) {
  if (folder_ == nullptr) GTEST_SKIP() << "ZB_PICTURE_DIR not set";
  fs::create_directories(folder_);
  const char* const languages[3] = {"eng", "rus", "grm"};
  const uint8_t layouts[3] = {4, 0, 2};  // eng, rus, grm
  TextList letters;
  ASSERT_TRUE(letters.load("MDATA\\lvltrs.lim"));
  Image font, background;
  ASSERT_TRUE(font.load("MDATA\\mnfnt.im3"));
  ASSERT_TRUE(background.load("DDATA\\dmgrd.im3"));
  ASSERT_TRUE(keyboardPanel.fingerPicture.load("DDATA\\dmfng.im3"));
  for (uint8_t type = 0; type < 3; ++type) {
    const std::string name = "lesson" + std::to_string(type);
    const int hx = kHandsX[type];
    fill(0);
    drawImage(background, 0, 0, 0);
    ASSERT_TRUE(loadKeyboard(type, layouts[type], "DDATA\\KBDDFS\\dmkbdt.im3"));
    ASSERT_TRUE(loadFingerHomes(type));
    resetFingerMarkers();
    drawKeyboard();
    const Rect handsRect{hx, kHandsTop, kHandsWidth, kHandsHeight}, boardRect{118, 9, 374, 206};
    const std::vector<uint8_t> keyboardUnderHands = grab(handsRect), backgroundUnderBoard = grab(boardRect);
    drawImage(image(kHands), static_cast<uint16_t>(hx - 1), kHandsTop - 1, 0);
    save(name + "-hands");
    // The notice unrolls over them, and its text is written on it; the
    // lesson puts back what it covered once the notice is gone.
    Rect noticeRect = placed(kNotice, 0, 118, 128);
    for (uint16_t f = 1; f < image(kNotice).frameCount(); ++f) {
      Rect r = placed(kNotice, f, 118, 128);
      int right = std::max(noticeRect.x + noticeRect.w, r.x + r.w), bottom = std::max(noticeRect.y + noticeRect.h, r.y + r.h);
      noticeRect.x = std::min(noticeRect.x, r.x);
      noticeRect.y = std::min(noticeRect.y, r.y);
      noticeRect.w = right - noticeRect.x;
      noticeRect.h = bottom - noticeRect.y;
    }
    const std::vector<uint8_t> underNotice = grab(noticeRect);
    for (uint16_t f = 0; f < image(kNotice).frameCount(); ++f) {
      frameAt(kNotice, f, 118, 128);
      if (type == 0 && f == 4) save(name + "-notice-opening");
    }
    TextList notice;
    ASSERT_TRUE(notice.load(std::string("DDATA\\MSGS\\wrng") + languages[type] + ".lim"));
    for (uint32_t i = 0; i < notice.count(); ++i)
      drawText(notice.text(i), font, static_cast<uint16_t>(305 - static_cast<int>(notice.length(i)) * font.width(0) / 2),
               static_cast<uint16_t>(155 + 15 * i), kHighlightColour, kGlyphKeyColour);
    save(name + "-notice");
    put(noticeRect, underNotice);
    // The hands lift away over the keyboard as it was before them.
    for (uint16_t f = 0; f < image(kLifting).frameCount(); ++f) {
      put(handsRect, keyboardUnderHands);
      frameAt(kLifting, f, hx, kHandsTop);
      if (type == 0) save(name + "-lifting" + std::to_string(f));
    }
    put(handsRect, keyboardUnderHands);
    for (uint8_t f = 0; f < 10; ++f) drawFingerMarker(f);
    // The letter board, with the letters of the layout, one selected.
    for (uint16_t f = 0; f < image(kBoard).frameCount(); ++f) {
      frameAt(kBoard, f, 118, 9);
      if (type == 0 && f == 5) save(name + "-board-opening");
    }
    const char* seq = letters.text(layouts[type]);
    for (uint32_t i = 0; i < letters.length(layouts[type]); ++i)
      drawGlyphColoured(static_cast<uint8_t>(seq[i]), font, static_cast<uint16_t>(180 + 22 * (i % 12)),
                        static_cast<uint16_t>(34 + 17 * (i / 12)), i == 5 ? kHighlightColour : kTextColour,
                        kGlyphKeyColour);
    save(name + "-board");
    // Closing: backwards over the background, frame 0 left behind.
    const Image& closing = image(kClosing);
    for (int f = closing.frameCount() - 1; f >= 0; --f) {
      put(boardRect, backgroundUnderBoard);
      frameAt(kClosing, static_cast<uint16_t>(f), 118, 9);
      if (type == 0 && f == closing.frameCount() / 2) save(name + "-closing");
    }
    put(boardRect, backgroundUnderBoard);
    frameAt(kClosing, 0, 118, 9);
    save(name + "-closed");
  }
}

}  // namespace
}  // namespace zb::test
