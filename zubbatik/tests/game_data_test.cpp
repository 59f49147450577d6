// Checks the game's pictures in the data set built beside the program
// against the places and sizes the game draws them at: grounds and their
// descriptors, chasers and their catches, the hero, the vanishing letter,
// the damage bar and the new-letter panel.
//
// With ZB_PICTURE_DIR set, also writes a PNG of every ground as the game
// shows it (track, hero, chaser, keyboard, damage bar), one of every catch
// with all its frames, and one of the new-letter panel with its caption.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "engine/descriptor.h"
#include "engine/draw.h"
#include "engine/files.h"
#include "engine/framebuffer.h"
#include "engine/image.h"
#include "engine/textlist.h"
#include "engine_fixture.h"
#include "modes/keyboard.h"
#include "platform/headless/headless_platform.h"

namespace zb::test {
namespace {

namespace fs = std::filesystem;

const fs::path kDataDir = ZB_BUILT_DATA_DIR;
constexpr uint8_t kShade = 254, kTransparent = 255;
constexpr int kScreenWidth = 630;
constexpr int kUpperHeight = 183;
constexpr int kSymbolPitch = 16;
constexpr int kMinimumRun = 80;

bool opaque(uint8_t v) { return v != kTransparent && v != kShade; }

// The numbers n of the files stem<n>.extension in a folder of the data set.
std::vector<int> numbers(const char* folder, const std::string& stem, const std::string& extension) {
  std::vector<int> out;
  const std::regex name(stem + "([0-9]+)\\" + extension);
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(kDataDir / folder, ec)) {
    std::smatch m;
    std::string file = entry.path().filename().string();
    if (std::regex_match(file, m, name)) out.push_back(std::stoi(m[1]));
  }
  std::sort(out.begin(), out.end());
  return out;
}

std::vector<int> upTo(size_t n) {
  std::vector<int> out(n);
  for (size_t i = 0; i < n; ++i) out[i] = static_cast<int>(i);
  return out;
}

struct GroundNumbers {
  uint16_t trackX = 0, groundY = 0, enemyStartX = 0;
  uint8_t trackLength = 0;
};

class GameDataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(kDataDir / "Zubbatik.pal")) << "no data set built in " << kDataDir;
    setPlatform(&platform);
    setDataDir(kDataDir);
    ASSERT_TRUE(hero.load("GDATA\\fr.im3"));
    ASSERT_TRUE(fieldFont.load("GDATA\\fldfnt.im3"));
    grounds = numbers("GDATA/GRNDS", "gmgrd", ".im3");
    chasers = numbers("GDATA/ENMS", "enm", ".im3");
  }
  void TearDown() override {
    releaseFrameBuffer();
    resetKeyboardPanel();
    setPlatform(nullptr);
    setDataDir(".");
  }
  static GroundNumbers readGround(int n) {
    GroundNumbers g;
    Descriptor d;
    EXPECT_TRUE(d.loadNumbered("GDATA\\GRNDS\\gmgrd.adi", static_cast<uint16_t>(n)));
    EXPECT_EQ(d.size(), 7u) << "ground " << n << ": trackX, groundY, trackLength, enemyStartX";
    d.read(&g.trackX, 2);
    d.read(&g.groundY, 2);
    d.read(&g.trackLength, 1);
    d.read(&g.enemyStartX, 2);
    return g;
  }
  static void load(Image& image, const char* path, int n) {
    ASSERT_TRUE(image.loadNumbered(path, static_cast<uint16_t>(n))) << path << " " << n;
  }

  HeadlessPlatform platform;
  Image hero, fieldFont;
  std::vector<int> grounds, chasers;
};

TEST_F(GameDataTest, NumberedFamiliesComeInPairsFromZero) {
  // Four places at least, each picture with its descriptor and nothing
  // left over; three chasers at least, each with its catch.
  EXPECT_GE(grounds.size(), 4u);
  EXPECT_EQ(grounds, upTo(grounds.size()));
  EXPECT_EQ(numbers("GDATA/GRNDS", "gmgrd", ".adi"), grounds);
  EXPECT_GE(chasers.size(), 3u);
  EXPECT_EQ(chasers, upTo(chasers.size()));
  EXPECT_EQ(numbers("GDATA/ENMS", "enmet", ".im3"), chasers);
}

TEST_F(GameDataTest, EveryGroundLeavesRoomForTheChase) {
  const int glyphHeight = fieldFont.height(0), heroWidth = hero.width(0);
  for (int n : grounds) {
    SCOPED_TRACE("ground " + std::to_string(n));
    const GroundNumbers g = readGround(n);
    EXPECT_GE(g.trackLength, 8);
    EXPECT_LE(g.trackLength, 30);
    EXPECT_LE(g.trackX + kSymbolPitch * g.trackLength, kScreenWidth - 4) << "the track runs off the screen";
    EXPECT_LT(g.groundY, kUpperHeight);
    EXPECT_GE(g.groundY, std::max<int>(glyphHeight, hero.height(0)));
    const int heroX = g.trackX - heroWidth - 1;
    ASSERT_GT(heroX, 0) << "no room for the hero left of the track";
    // Grounds and chasers rotate independently: every chaser must fit.
    for (int m : chasers) {
      SCOPED_TRACE("chaser " + std::to_string(m));
      Image chaser, caught;
      load(chaser, "GDATA\\ENMS\\enm.im3", m);
      load(caught, "GDATA\\ENMS\\enmet.im3", m);
      EXPECT_GE(g.groundY, chaser.height(0));
      EXPECT_GE(g.groundY, caught.height(0));
      EXPECT_LE(g.enemyStartX + chaser.width(0) + kMinimumRun, heroX) << "too short a run";
      // Caught at the very end of the track, the catch still fits on the
      // screen: it stands where the chaser stood, just left of the hero.
      const int lastHeroX = heroX + kSymbolPitch * g.trackLength;
      EXPECT_LE(lastHeroX - chaser.width(0) + caught.width(0), kScreenWidth);
    }
  }
}

TEST_F(GameDataTest, GroundsAreWholeOpaquePictures) {
  // The game repaints pieces of the ground under letters and sprites: each
  // is one full frame with a colour in every pixel.
  for (int n : grounds) {
    Image ground;
    load(ground, "GDATA\\GRNDS\\gmgrd.im3", n);
    ASSERT_EQ(ground.width(0), kScreenWidth) << "ground " << n;
    ASSERT_EQ(ground.height(0), kUpperHeight) << "ground " << n;
    std::vector<uint8_t> pixels = decodeSprite(*ground.frame(0)).pixels;
    EXPECT_EQ(std::count_if(pixels.begin(), pixels.end(), [](uint8_t v) { return !opaque(v); }), 0)
        << "ground " << n << " has see-through pixels";
  }
}

TEST_F(GameDataTest, SpritesKeepTheirSizeThroughTheirFrames) {
  struct Sprite {
    std::string name;
    Image* image;
    int minFrames, maxFrames;
  };
  std::vector<std::unique_ptr<Image>> owned;
  std::vector<Sprite> sprites = {{"hero", &hero, 2, 64}};
  for (int m : chasers) {
    owned.push_back(std::make_unique<Image>());
    load(*owned.back(), "GDATA\\ENMS\\enm.im3", m);
    sprites.push_back({"chaser " + std::to_string(m), owned.back().get(), 6, 64});
    owned.push_back(std::make_unique<Image>());
    load(*owned.back(), "GDATA\\ENMS\\enmet.im3", m);
    sprites.push_back({"catch " + std::to_string(m), owned.back().get(), 8, 14});
    // The catch shows the chaser with the hero beside it.
    EXPECT_GE(owned.back()->width(0), sprites[sprites.size() - 2].image->width(0) + hero.width(0)) << m;
  }
  for (const Sprite& s : sprites) {
    SCOPED_TRACE(s.name);
    EXPECT_GE(s.image->frameCount(), s.minFrames);
    EXPECT_LE(s.image->frameCount(), s.maxFrames);
    for (uint16_t f = 0; f < s.image->frameCount(); ++f) {
      EXPECT_EQ(s.image->width(f), s.image->width(0)) << "frame " << f;
      EXPECT_EQ(s.image->height(f), s.image->height(0)) << "frame " << f;
      EXPECT_EQ(s.image->frame(f)->offsetX, 0) << "frame " << f;
      EXPECT_EQ(s.image->frame(f)->offsetY, 0) << "frame " << f;
    }
  }
  // The hero's right edge ends on the letter just typed: about a letter wide.
  EXPECT_GE(hero.width(0), 16);
  EXPECT_LE(hero.width(0), 26);
  EXPECT_GE(hero.height(0), 30);
  EXPECT_LE(hero.height(0), 44);
}

// The frames of a picture placed in a box of w x h: each inside it.
void expectFramesInside(const Image& image, int w, int h, const char* what) {
  for (uint16_t f = 0; f < image.frameCount(); ++f) {
    const ImageFrame& fr = *image.frame(f);
    EXPECT_LE(fr.offsetX + fr.width, w) << what << " frame " << f;
    EXPECT_LE(fr.offsetY + fr.height, h) << what << " frame " << f;
  }
}

TEST_F(GameDataTest, SmallPicturesFitTheirPlaces) {
  // The vanishing letter: inside the letter's cell, and a frame count
  // that 16 divides (the hero walks 16 / count pixels a frame).
  Image letterOff;
  ASSERT_TRUE(letterOff.load("GDATA\\ltroff.im3"));
  ASSERT_GT(letterOff.frameCount(), 0);
  EXPECT_EQ(16 % letterOff.frameCount(), 0) << letterOff.frameCount() << " frames";
  expectFramesInside(letterOff, 16, fieldFont.height(0), "ltroff");
  // The damage bar fills the keyboard's slot of 220 x 10.
  Image bar;
  ASSERT_TRUE(bar.load("GDATA\\mtxim.im3"));
  EXPECT_EQ(bar.width(0), 220);
  EXPECT_EQ(bar.height(0), 10);
  std::vector<uint8_t> pixels = decodeSprite(*bar.frame(0)).pixels;
  EXPECT_TRUE(std::all_of(pixels.begin(), pixels.end(), [](uint8_t v) { return v != kShade; }));
}

TEST_F(GameDataTest, TheNewLetterPanelUnfoldsInItsRectangle) {
  constexpr int kPanelX = 129, kPanelY = 23, kPanelW = 371, kPanelH = 86;
  Image panel;
  ASSERT_TRUE(panel.load("GDATA\\TRNSF\\nwltr.im3"));
  ASSERT_GE(panel.frameCount(), 2);
  expectFramesInside(panel, kPanelW, kPanelH, "nwltr");
  // Each frame in panel coordinates: opaque or not.
  auto cover = [&](uint16_t f) {
    const ImageFrame& fr = *panel.frame(f);
    std::vector<uint8_t> pixels = decodeSprite(fr).pixels;
    std::vector<bool> out(size_t(kPanelW) * kPanelH, false);
    for (int y = 0; y < fr.height; ++y)
      for (int x = 0; x < fr.width; ++x) {
        int px = x + fr.offsetX, py = y + fr.offsetY;
        if (px < kPanelW && py < kPanelH) out[size_t(py) * kPanelW + px] = opaque(pixels[size_t(y) * fr.width + x]);
      }
    return out;
  };
  // Played forwards each frame is drawn over the last: it must cover it.
  std::vector<bool> before = cover(0);
  for (uint16_t f = 1; f < panel.frameCount(); ++f) {
    std::vector<bool> now = cover(f);
    for (size_t i = 0; i < now.size(); ++i)
      if (before[i] && !now[i]) {
        ADD_FAILURE() << "frame " << f << " leaves frame " << f - 1 << " showing at (" << kPanelX + i % kPanelW
                      << ", " << kPanelY + i / kPanelW << ")";
        break;
      }
    before = std::move(now);
  }
  // The whole panel lies under the caption (24 characters of 8 x 15 at
  // (202, 60)) and the letter (8 x 15 at (408, 61)).
  struct Place {
    int x, y, w, h;
  };
  for (const Place& p : {Place{202, 60, 24 * 8, 15}, Place{408, 61, 8, 15}})
    for (int y = p.y; y < p.y + p.h; ++y)
      for (int x = p.x; x < p.x + p.w; ++x)
        ASSERT_TRUE(before[size_t(y - kPanelY) * kPanelW + (x - kPanelX)]) << "nothing under (" << x << ", " << y << ")";
}

// Pictures to look at: the grounds as the game shows them, the catches,
// the new-letter panel.
TEST_F(GameDataTest, PicturesOfTheGame) {
  const char* folder = std::getenv("ZB_PICTURE_DIR");
  if (folder == nullptr) GTEST_SKIP() << "set ZB_PICTURE_DIR to get the pictures";
  fs::create_directories(folder);
  ASSERT_TRUE(createFrameBuffer("Zubbatik.pal"));
  ASSERT_TRUE(loadKeyboard(0, 0, "GDATA\\KBDDFS\\kbdt.im3"));
  Image bar, menuFont, panel;
  TextList captions, letters;
  ASSERT_TRUE(bar.load("GDATA\\mtxim.im3"));
  ASSERT_TRUE(menuFont.load("MDATA\\mnfnt.im3"));
  ASSERT_TRUE(panel.load("GDATA\\TRNSF\\nwltr.im3"));
  ASSERT_TRUE(captions.load("GDATA\\MSGS\\nwsmbl.lim"));
  ASSERT_TRUE(letters.load("MDATA\\lvltrs.lim"));
  const char* track = letters.text(0);
  const size_t trackLetters = letters.length(0);
  for (int n : grounds) {
    const GroundNumbers g = readGround(n);
    Image ground, chaser, caught;
    load(ground, "GDATA\\GRNDS\\gmgrd.im3", n);
    load(chaser, "GDATA\\ENMS\\enm.im3", chasers[n % chasers.size()]);
    load(caught, "GDATA\\ENMS\\enmet.im3", chasers[(n + 1) % chasers.size()]);
    drawKeyboard();
    drawImage(ground, 0, 0, 0);
    drawImagePart(bar, 368, 206, 0, 0, static_cast<uint16_t>(bar.width(0) * 40 / 100), bar.height(0), 0);
    const int typed = 2;
    for (int i = typed; i < g.trackLength; ++i) {
      auto c = static_cast<uint8_t>(i % 5 == 4 ? ' ' : track[size_t(i) % trackLetters]);
      drawImage(fieldFont, static_cast<uint16_t>(g.trackX + kSymbolPitch * i), static_cast<uint16_t>(g.groundY - fieldFont.height(0)),
                static_cast<uint16_t>(c - 32));
    }
    const int heroX = g.trackX - hero.width(0) - 1 + kSymbolPitch * typed;
    drawImage(hero, static_cast<uint16_t>(heroX), static_cast<uint16_t>(g.groundY - hero.height(0)), 0);
    drawImage(chaser, g.enemyStartX, static_cast<uint16_t>(g.groundY - chaser.height(0)), 1);
    ASSERT_TRUE(writeFramePng(fs::path(folder) / ("game-ground" + std::to_string(n) + ".png"), frameBuffer));
  }
  // Every catch: its last frame at the end of the first ground's track,
  // as the game leaves it for a moment, and all its frames in rows below.
  for (int m : chasers) {
    Image ground, chaser, caught;
    load(ground, "GDATA\\GRNDS\\gmgrd.im3", 0);
    load(chaser, "GDATA\\ENMS\\enm.im3", m);
    load(caught, "GDATA\\ENMS\\enmet.im3", m);
    const GroundNumbers g = readGround(0);
    drawKeyboard();
    drawImage(ground, 0, 0, 0);
    const int lastHeroX = g.trackX - hero.width(0) - 1 + kSymbolPitch * g.trackLength;
    drawImage(caught, static_cast<uint16_t>(lastHeroX - chaser.width(0)), static_cast<uint16_t>(g.groundY - caught.height(0)),
              static_cast<uint16_t>(caught.frameCount() - 1));
    for (int y = kUpperHeight; y < 440; ++y) std::fill_n(frameBuffer.at(0, y), kScreenWidth, uint8_t{16 + 16 * 9 + 13});
    for (uint16_t f = 0; f < caught.frameCount(); ++f) {
      int x = 4 + (f % 7) * (caught.width(0) + 6), y = kUpperHeight + 8 + (f / 7) * (caught.height(0) + 6);
      drawImage(caught, static_cast<uint16_t>(x), static_cast<uint16_t>(y), f);
    }
    ASSERT_TRUE(writeFramePng(fs::path(folder) / ("game-catch" + std::to_string(m) + ".png"), frameBuffer));
  }
  // The new-letter panel, with the caption in every language and a letter.
  Image ground;
  load(ground, "GDATA\\GRNDS\\gmgrd.im3", 0);
  drawKeyboard();
  drawImage(ground, 0, 0, 0);
  const ImageFrame& whole = *panel.frame(static_cast<uint16_t>(panel.frameCount() - 1));
  drawImage(panel, static_cast<uint16_t>(129 + whole.offsetX), static_cast<uint16_t>(23 + whole.offsetY),
            static_cast<uint16_t>(panel.frameCount() - 1));
  drawText(captions.text(0), menuFont, 202, 60, kTextColour, kGlyphKeyColour);
  drawGlyphColoured(static_cast<uint8_t>(track[3]), menuFont, 408, 61, kHighlightColour, kGlyphKeyColour);
  for (uint32_t l = 1; l < captions.count(); ++l) drawText(captions.text(l), menuFont, 202, static_cast<uint16_t>(200 + 20 * l), kTextColour, kGlyphKeyColour);
  ASSERT_TRUE(writeFramePng(fs::path(folder) / "game-new-letter.png", frameBuffer));
}

}  // namespace
}  // namespace zb::test
