// Checks the data set built beside the program (build/zubbatik): every
// file the program opens is there and loads, and what the screens rely on
// holds: picture colours, font coverage and sizes, numbered families,
// keyboards that agree with each other and type every letter they teach,
// texts that fit where they are drawn.
//
// With ZB_PICTURE_DIR set, also writes a PNG of each of the 3 x 6
// keyboards as the game and the lesson draw them, and one of every text
// list in the menu font, for looking at.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "engine/descriptor.h"
#include "engine/draw.h"
#include "engine/files.h"
#include "engine/framebuffer.h"
#include "engine/image.h"
#include "engine/sound.h"
#include "engine/textlist.h"
#include "engine_fixture.h"
#include "modes/keyboard.h"
#include "platform/headless/headless_platform.h"

namespace zb::test {
namespace {

namespace fs = std::filesystem;

const fs::path kDataDir = ZB_BUILT_DATA_DIR;
const fs::path kRequiredFiles = ZB_REQUIRED_FILES;
const char* const kLanguages[4] = {"rus", "eng", "grm", "fr"};
const char* const kLayouts[6] = {"rus", "amr", "grm", "fr", "eng", "sw"};
const bool kLayoutHasAltGrLabels[6] = {false, false, false, true, false, true};
constexpr uint8_t kShade = 254, kTransparent = 255;

std::string hostToEngine(const fs::path& file) {
  std::string s = fs::relative(file, kDataDir).string();
  std::replace(s.begin(), s.end(), '/', '\\');
  return s;
}

// The required files of data_set_files.txt with their patterns expanded.
std::vector<std::string> requiredFiles() {
  std::vector<std::string> out;
  std::ifstream in(kRequiredFiles);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> paths = {line};
    for (bool expanded = true; expanded;) {
      expanded = false;
      std::vector<std::string> next;
      for (const std::string& p : paths) {
        size_t open = p.find('{'), close = p.find('}');
        if (open == std::string::npos || close == std::string::npos) {
          next.push_back(p);
          continue;
        }
        expanded = true;
        std::string key = p.substr(open + 1, close - open - 1);
        std::vector<std::string> values;
        if (key == "lang") values.assign(std::begin(kLanguages), std::end(kLanguages));
        else if (key == "layout") values.assign(std::begin(kLayouts), std::end(kLayouts));
        else {
          int a = 0, b = -1;
          std::sscanf(key.c_str(), "%d-%d", &a, &b);
          for (int i = a; i <= b; ++i) values.push_back(std::to_string(i));
        }
        for (const std::string& v : values) next.push_back(p.substr(0, open) + v + p.substr(close + 1));
      }
      paths = next;
    }
    out.insert(out.end(), paths.begin(), paths.end());
  }
  return out;
}

std::vector<fs::path> filesWithExtension(const std::string& extension) {
  std::vector<fs::path> out;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(kDataDir, ec), end; !ec && it != end; it.increment(ec))
    if (it->is_regular_file() && it->path().extension() == extension) out.push_back(it->path());
  std::sort(out.begin(), out.end());
  return out;
}

bool hasGlyphPixels(const Image& font, uint16_t frame) {
  const ImageFrame* f = font.frame(frame);
  if (f == nullptr) return false;
  DecodedSprite d = decodeSprite(*f);
  return std::find(d.pixels.begin(), d.pixels.end(), 16) != d.pixels.end();
}

class DataSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(kDataDir / "Zubbatik.pal")) << "no data set built in " << kDataDir;
    setPlatform(&platform);
    setDataDir(kDataDir);
    resetKeyboardPanel();
  }
  void TearDown() override {
    releaseFrameBuffer();
    resetKeyboardPanel();
    setPlatform(nullptr);
    setDataDir(".");
  }
  // The characters of every key of a layout, through the program's loader.
  void loadLayout(int type, int layout) {
    KeyboardLayout& l = keyboardPanel.layout;
    ASSERT_TRUE(l.loadGeometry("GDATA\\KBDDFS\\kbdt" + std::to_string(type + 1) + ".def"));
    ASSERT_TRUE(l.loadLabels(std::string("GDATA\\KBDDFS\\kbd") + kLayouts[layout] + ".rkb"))
        << "layout " << kLayouts[layout] << " on type " << type;
  }

  HeadlessPlatform platform;
};

TEST_F(DataSetTest, EveryRequiredFileExistsAndLoads) {
  std::vector<std::string> files = requiredFiles();
  ASSERT_FALSE(files.empty()) << "cannot read " << kRequiredFiles;
  for (const std::string& path : files) {
    SCOPED_TRACE(path);
    ASSERT_TRUE(fs::is_regular_file(dataPath(path))) << "missing";
    std::string ext = fs::path(path).extension().string();
    if (ext == ".im3") {
      Image image;
      EXPECT_TRUE(image.load(path));
      EXPECT_GT(image.frameCount(), 0);
    } else if (ext == ".lim") {
      TextList list;
      EXPECT_TRUE(list.load(path));
      EXPECT_GT(list.count(), 0u);
    } else if (ext == ".adi") {
      Descriptor d;
      EXPECT_TRUE(d.load(path));
      EXPECT_GT(d.size(), 0u);
    } else if (ext == ".sn") {
      Sound s;
      EXPECT_TRUE(s.load(path));
      EXPECT_GT(s.length(), 0u);
    } else if (ext == ".pal") {
      PaletteFile p;
      EXPECT_TRUE(p.load(path));
      EXPECT_EQ(p.count, 256);
    }
  }
}

TEST_F(DataSetTest, EveryPicturePixelIsAPictureColourAShadeOrTransparent) {
  std::vector<fs::path> pictures = filesWithExtension(".im3");
  ASSERT_FALSE(pictures.empty());
  for (const fs::path& file : pictures) {
    Image image;
    ASSERT_TRUE(image.load(hostToEngine(file)));
    for (uint16_t f = 0; f < image.frameCount(); ++f) {
      DecodedSprite d = decodeSprite(*image.frame(f));
      EXPECT_TRUE(d.exact) << hostToEngine(file) << " frame " << f << ": the stream does not fill the frame exactly";
      auto bad = std::find_if(d.pixels.begin(), d.pixels.end(),
                              [](uint8_t v) { return (v < 16 || v > 239) && v != kShade && v != kTransparent; });
      if (bad != d.pixels.end()) {
        size_t n = size_t(bad - d.pixels.begin());
        ADD_FAILURE() << hostToEngine(file) << " frame " << f << ": pixel " << int(*bad) << " at ("
                      << n % image.width(f) << ", " << n / image.width(f) << ")";
      }
    }
  }
}

TEST_F(DataSetTest, FontFramesAreAllTheSizeOfFrameZero) {
  struct Font {
    const char* path;
    int frames;
    int maxWidth;
  };
  // The menus lay text out for an 8 x 15 font; the track's letters stand
  // 16 pixels apart.
  for (const Font& font : {Font{"MDATA\\mnfnt.im3", 256, 8}, Font{"GDATA\\fldfnt.im3", 224, 16}}) {
    Image image;
    ASSERT_TRUE(image.load(font.path));
    ASSERT_EQ(image.frameCount(), font.frames) << font.path;
    EXPECT_LE(image.width(0), font.maxWidth) << font.path;
    for (uint16_t f = 1; f < image.frameCount(); ++f) {
      EXPECT_EQ(image.width(f), image.width(0)) << font.path << " frame " << f;
      EXPECT_EQ(image.height(f), image.height(0)) << font.path << " frame " << f;
    }
  }
  Image menuFont;
  ASSERT_TRUE(menuFont.load("MDATA\\mnfnt.im3"));
  EXPECT_EQ(menuFont.width(0), 8);
  EXPECT_EQ(menuFont.height(0), 15);
}

TEST_F(DataSetTest, NumberedFamiliesStartAtZeroWithoutGaps) {
  struct Family {
    const char* folder;
    const char* stem;
    const char* extension;
  };
  const Family families[] = {
      {"GDATA/GRNDS", "gmgrd", ".im3"},  {"GDATA/ENMS", "enm", ".im3"},     {"GDATA/ENMS", "enmet", ".im3"},
      {"GDATA/KBDDFS", "kbdt", ".im3"},  {"DDATA/KBDDFS", "dmkbdt", ".im3"}, {"DDATA", "dmfngs", ".adi"},
      {"GDATA/KBDDFS", "k", ".im3"},
  };
  for (const Family& family : families) {
    std::set<int> numbers;
    std::error_code ec;
    const std::regex name(std::string(family.stem) + "([0-9]+)\\" + family.extension);
    for (const auto& entry : fs::directory_iterator(kDataDir / family.folder, ec)) {
      std::smatch m;
      std::string file = entry.path().filename().string();
      if (std::regex_match(file, m, name)) numbers.insert(std::stoi(m[1]));
    }
    if (numbers.empty()) continue;  // a family whose screens have not landed yet
    EXPECT_EQ(*numbers.begin(), 0) << family.stem;
    EXPECT_EQ(*numbers.rbegin() + 1, static_cast<int>(numbers.size())) << family.stem << " has gaps";
    // Every ground picture comes with its descriptor, every enemy with its
    // catching picture: the game loads them by the same number.
    const std::string stem = family.stem;
    const char* partner = stem == "gmgrd" ? "gmgrd%d.adi" : stem == "enm" ? "enmet%d.im3" : nullptr;
    for (int n : numbers) {
      if (partner == nullptr) break;
      char name[32];
      std::snprintf(name, sizeof name, partner, n);
      EXPECT_TRUE(fs::exists(kDataDir / family.folder / name)) << name;
    }
  }
}

TEST_F(DataSetTest, PerLanguageListsComeInAllFourLanguages) {
  for (const fs::path& file : filesWithExtension(".lim")) {
    std::string stem = file.stem().string();
    for (const char* suffix : kLanguages) {
      std::string s = suffix;
      if (stem.size() <= s.size() || stem.compare(stem.size() - s.size(), s.size(), s) != 0) continue;
      std::string base = stem.substr(0, stem.size() - s.size());
      for (const char* other : kLanguages)
        EXPECT_TRUE(fs::exists(file.parent_path() / (base + other + ".lim"))) << hostToEngine(file) << ": no " << other;
    }
  }
}

TEST_F(DataSetTest, TheKeyboardFilesAgreeWithEachOther) {
  std::vector<KeyGeometry> first;
  for (int type = 0; type < 3; ++type) {
    SCOPED_TRACE("keyboard type " + std::to_string(type));
    loadLayout(type, 0);
    const KeyboardLayout& l = keyboardPanel.layout;
    Image body;
    ASSERT_TRUE(body.loadNumbered("GDATA\\KBDDFS\\kbdt.im3", static_cast<uint16_t>(type)));
    EXPECT_EQ(body.width(0), 630);
    EXPECT_EQ(body.height(0), 440 - keyboardTop);
    std::set<uint8_t> homes;
    if (type > 0) {
      ASSERT_EQ(l.keyCount(), first.size());
    }
    for (uint16_t i = 0; i < l.keyCount(); ++i) {
      KeyGeometry g;
      KeyLabels labels;
      ASSERT_TRUE(l.keyAt(i, g, labels));
      if (type == 0) first.push_back(g);
      // The same keys in the same order on every type.
      EXPECT_EQ(g.scanCode, first[i].scanCode) << "key " << i;
      EXPECT_LE(g.capShape, 16) << "key " << i;
      EXPECT_LE(g.finger, 9) << "key " << i;
      if (g.homeFinger != 255) {
        EXPECT_LE(g.homeFinger, 9) << "key " << i;
        EXPECT_TRUE(homes.insert(g.homeFinger).second) << "two home keys for finger " << int(g.homeFinger);
      }
      // The cap and its marks lie on the keyboard picture.
      Image cap;
      ASSERT_TRUE(cap.loadNumbered("GDATA\\KBDDFS\\k.im3", g.capShape));
      ASSERT_EQ(cap.frameCount(), 4) << "cap " << int(g.capShape);
      EXPECT_LE(g.x + cap.width(0), 630) << "key " << i;
      EXPECT_LE(g.y + cap.height(0), 440 - keyboardTop) << "key " << i;
      EXPECT_EQ(cap.width(1), cap.width(0));
      EXPECT_EQ(cap.height(1), cap.height(0));
      for (uint16_t mark : {2, 3}) {
        EXPECT_LE(6 + cap.width(mark), cap.width(0)) << "cap " << int(g.capShape);
        EXPECT_LE(7 + cap.height(mark), cap.height(0)) << "cap " << int(g.capShape);
      }
    }
    // Every finger rests somewhere on the keyboard.
    ASSERT_TRUE(loadFingerHomes(static_cast<uint8_t>(type)));
    for (const auto& [x, y] : keyboardPanel.fingerHomes) {
      EXPECT_LT(x, 630);
      EXPECT_GE(y, keyboardTop);
      EXPECT_LT(y, 440);
    }
  }
  // Every layout has the key count of the geometry; its glyph numbers name
  // frames of its own label pictures.
  for (int layout = 0; layout < 6; ++layout) {
    SCOPED_TRACE(kLayouts[layout]);
    loadLayout(0, layout);
    std::string s = kLayouts[layout];
    Image main, upper, altGr;
    ASSERT_TRUE(main.load("GDATA\\KBDDFS\\kmn" + s + ".im3"));
    ASSERT_TRUE(upper.load("GDATA\\KBDDFS\\kup" + s + ".im3"));
    if (kLayoutHasAltGrLabels[layout]) {
      ASSERT_TRUE(altGr.load("GDATA\\KBDDFS\\kapp" + s + ".im3"));
    }
    const KeyboardLayout& l = keyboardPanel.layout;
    for (uint16_t i = 0; i < l.keyCount(); ++i) {
      KeyGeometry g;
      KeyLabels labels;
      ASSERT_TRUE(l.keyAt(i, g, labels));
      if (labels.mainGlyph != 255) {
        EXPECT_LT(labels.mainGlyph, main.frameCount()) << "key " << i;
      }
      if (labels.upperGlyph != 255) {
        EXPECT_LT(labels.upperGlyph, upper.frameCount()) << "key " << i;
      }
      if (kLayoutHasAltGrLabels[layout] && labels.altGrGlyph != 255) {
        EXPECT_LT(labels.altGrGlyph, altGr.frameCount()) << "key " << i;
      }
      if (!kLayoutHasAltGrLabels[layout]) {
        EXPECT_EQ(labels.altGrGlyph, 255) << "key " << i;
      }
    }
  }
}

TEST_F(DataSetTest, EveryLetterOfEverySequenceIsTypedAndCanBeShown) {
  TextList letters;
  ASSERT_TRUE(letters.load("MDATA\\lvltrs.lim"));
  ASSERT_EQ(letters.count(), 6u);
  for (int layout = 0; layout < 6; ++layout) {
    EXPECT_GE(letters.length(layout), 2u) << kLayouts[layout];
    for (int type = 0; type < 3; ++type) {
      loadLayout(type, layout);
      for (uint32_t i = 0; i < letters.length(layout); ++i) {
        auto c = static_cast<uint8_t>(letters.text(layout)[i]);
        uint16_t key = NoKey, modifier = NoKey;
        ASSERT_TRUE(keysForChar(c, key, modifier)) << kLayouts[layout] << ": no key types letter " << i;
        // The lesson moves the finger from its home key: it must have one.
        EXPECT_NE(findHomeKey(keyboardPanel.layout.keyFinger(key)), NoKey) << kLayouts[layout] << " letter " << i;
        if (modifier != NoKey) {
          EXPECT_NE(findHomeKey(keyboardPanel.layout.keyFinger(modifier)), NoKey) << kLayouts[layout] << " letter " << i;
        }
      }
    }
  }
}

TEST_F(DataSetTest, TheFontsCoverEveryCodeInUse) {
  std::set<uint8_t> used;
  for (const fs::path& file : filesWithExtension(".lim")) {
    TextList list;
    ASSERT_TRUE(list.load(hostToEngine(file)));
    for (uint32_t i = 0; i < list.count(); ++i)
      for (uint32_t k = 0; k < list.length(i); ++k) used.insert(static_cast<uint8_t>(list.text(i)[k]));
  }
  // Names are typed with the layouts' characters.
  for (int layout = 0; layout < 6; ++layout) {
    loadLayout(0, layout);
    for (uint16_t i = 0; i < keyboardPanel.layout.keyCount(); ++i) {
      KeyGeometry g;
      KeyLabels l;
      ASSERT_TRUE(keyboardPanel.layout.keyAt(i, g, l));
      for (uint8_t c : {l.plainChar, l.shiftChar, l.altGrChar})
        if (c != 0) used.insert(c);
    }
  }
  Image menuFont, fieldFont;
  ASSERT_TRUE(menuFont.load("MDATA\\mnfnt.im3"));
  ASSERT_TRUE(fieldFont.load("GDATA\\fldfnt.im3"));
  for (uint8_t c : used)
    if (c != ' ') {
      EXPECT_TRUE(hasGlyphPixels(menuFont, c)) << "the menu font has no glyph for code " << int(c);
    }
  TextList letters;
  ASSERT_TRUE(letters.load("MDATA\\lvltrs.lim"));
  EXPECT_NE(fieldFont.frame(0), nullptr) << "the track font has no space";
  for (uint32_t s = 0; s < letters.count(); ++s)
    for (uint32_t i = 0; i < letters.length(s); ++i) {
      auto c = static_cast<uint8_t>(letters.text(s)[i]);
      ASSERT_GE(c, 33);
      EXPECT_TRUE(hasGlyphPixels(fieldFont, c - 32)) << "the track font has no glyph for code " << int(c);
    }
}

TEST_F(DataSetTest, TextsFitWhereTheScreensDrawThem) {
  Image font;
  ASSERT_TRUE(font.load("MDATA\\mnfnt.im3"));
  const int W = font.width(0);
  ASSERT_GT(W, 0);
  // Where each string is drawn (at x, or centred on x) and the span it
  // must stay in: panel edges and click bounds.
  struct Limit {
    const char* list;  // "*" for the four language suffixes
    int strings;       // at least this many
    int index;         // -1: every string; -2: every string but the first
    bool centred;
    int x;
    int minX, maxX;
  };
  const Limit limits[] = {
      {"MDATA\\MSGS\\mnmnu*.lim", 9, -1, false, 176, 169, 307},   // items, clickable to x 307
      {"MDATA\\MSGS\\lgmnu*.lim", 7, 0, true, 314, 131, 498},     // title on the panel
      {"MDATA\\MSGS\\lgmnu*.lim", 7, -2, true, 328, 254, 419},    // names, clickable from 254 to 419
      {"MDATA\\MSGS\\lgmnu*.lim", 7, -2, false, 321, 321, 498},   // the same names on the main menu
      {"MDATA\\MSGS\\kbmnu*.lim", 1, 0, true, 314, 131, 498},
      {"MDATA\\MSGS\\rdmnu*.lim", 2, 0, true, 314, 131, 498},     // the name prompt
      {"MDATA\\MSGS\\rdmnu*.lim", 2, 0, false, 190, 190, 350 - 8},  // first heading, before the second
      {"MDATA\\MSGS\\rdmnu*.lim", 2, 1, false, 350, 350, 498},
      {"MDATA\\MSGS\\lngmsg.lim", 4, -1, false, 237, 214, 454},   // clickable to x 454
      {"GDATA\\MSGS\\nwsmbl.lim", 4, -1, false, 202, 129, 408 - 8},  // caption, then the letter at 408
      {"DDATA\\MSGS\\wrng*.lim", 1, -1, true, 305, 118, 492},     // notice lines on their panel
  };
  for (const Limit& limit : limits) {
    std::string pattern = limit.list;
    size_t star = pattern.find('*');
    std::vector<std::string> paths;
    if (star == std::string::npos) paths.push_back(pattern);
    else
      for (const char* s : kLanguages) paths.push_back(pattern.substr(0, star) + s + pattern.substr(star + 1));
    for (const std::string& path : paths) {
      TextList list;
      ASSERT_TRUE(list.load(path)) << path;
      EXPECT_GE(list.count(), static_cast<uint32_t>(limit.strings)) << path;
      for (uint32_t i = 0; i < list.count(); ++i) {
        if ((limit.index >= 0 && i != static_cast<uint32_t>(limit.index)) || (limit.index == -2 && i == 0)) continue;
        int width = static_cast<int>(list.length(i)) * W;
        int left = limit.centred ? limit.x - width / 2 : limit.x;
        EXPECT_TRUE(left >= limit.minX && left + width <= limit.maxX)
            << path << " string " << i << " reaches from x " << left << " to " << left + width << ", outside "
            << limit.minX << " to " << limit.maxX;
      }
    }
  }
  // The lesson notice: lines 15 pixels apart from y 155, on a panel that
  // ends at y 334.
  for (const char* s : kLanguages) {
    TextList notice;
    ASSERT_TRUE(notice.load(std::string("DDATA\\MSGS\\wrng") + s + ".lim"));
    EXPECT_LE(155 + 15 * static_cast<int>(notice.count()), 334 - 5) << s;
  }
}

TEST_F(DataSetTest, TheClickIsShortAndSoft) {
  Sound click;
  ASSERT_TRUE(click.load("MDATA\\slitm.sn"));
  EXPECT_GT(click.length(), 0u);
  EXPECT_LT(click.length(), kSampleRate * 60 / 1000) << "longer than 60 ms";
  int peak = 0;
  for (uint32_t i = 0; i < click.length(); ++i) peak = std::max(peak, std::abs(int(click.samples()[i]) - 128));
  EXPECT_LT(peak, 96) << "too loud for a click";
  EXPECT_GT(peak, 8) << "too quiet to hear";
  EXPECT_LT(std::abs(int(click.samples()[0]) - 128), 4) << "starts with a pop";
  EXPECT_LT(std::abs(int(click.samples()[click.length() - 1]) - 128), 4) << "ends with a pop";
}

// Every text list drawn with the menu font on a panel colour, one picture
// per language, for looking at.
void drawTextLists(const fs::path& folder) {
  Image font;
  ASSERT_TRUE(font.load("MDATA\\mnfnt.im3"));
  const char* lists[] = {"MDATA\\MSGS\\mnmnu", "MDATA\\MSGS\\lgmnu", "MDATA\\MSGS\\kbmnu", "MDATA\\MSGS\\rdmnu",
                         "DDATA\\MSGS\\wrng"};
  for (int lang = 0; lang < 4; ++lang) {
    std::fill_n(frameBuffer.pixels, size_t(frameBuffer.stride) * frameBuffer.height, 16 + 16 * 10 + 4);
    int x = 8, y = 8;
    auto show = [&](const std::string& path) {
      TextList list;
      ASSERT_TRUE(list.load(path));
      for (uint32_t i = 0; i < list.count(); ++i, y += 16) {
        if (y > 420) {
          y = 8;
          x += 316;
        }
        drawText(list.text(i), font, static_cast<uint16_t>(x), static_cast<uint16_t>(y), i == 0 ? kHighlightColour : kTextColour,
                 kGlyphKeyColour);
      }
      y += 6;
    };
    for (const char* list : lists) show(std::string(list) + kLanguages[lang] + ".lim");
    show("MDATA\\MSGS\\lngmsg.lim");
    show("GDATA\\MSGS\\nwsmbl.lim");
    ASSERT_TRUE(writeFramePng(folder / (std::string("texts-") + kLanguages[lang] + ".png"), frameBuffer));
  }
}


// Draws every keyboard as the game and the lesson do: each must cover its
// whole area, and with ZB_PICTURE_DIR set its picture is written there,
// with pictures of the text lists.
TEST_F(DataSetTest, EveryKeyboardDrawsInEveryLayout) {
  ASSERT_TRUE(createFrameBuffer("Zubbatik.pal"));
  const char* folder = std::getenv("ZB_PICTURE_DIR");
  TextList letters;
  ASSERT_TRUE(letters.load("MDATA\\lvltrs.lim"));
  ASSERT_TRUE(keyboardPanel.fingerPicture.load("DDATA\\dmfng.im3"));
  for (int type = 0; type < 3; ++type)
    for (int layout = 0; layout < 6; ++layout) {
      const std::string name = "keyboard" + std::to_string(type) + "-" + kLayouts[layout];
      SCOPED_TRACE(name);
      for (bool game : {true, false}) {
        std::fill_n(frameBuffer.pixels, size_t(frameBuffer.stride) * frameBuffer.height, 0);
        ASSERT_TRUE(loadKeyboard(static_cast<uint8_t>(type), static_cast<uint8_t>(layout),
                                 game ? "GDATA\\KBDDFS\\kbdt.im3" : "DDATA\\KBDDFS\\dmkbdt.im3"));
        drawKeyboard();
        for (int y = keyboardTop; y < 440; ++y)
          for (int x = 0; x < 630; ++x)
            if (*frameBuffer.at(x, y) == 0) FAIL() << "nothing drawn at (" << x << ", " << y << ")";
        if (folder == nullptr) continue;
        if (game) {
          // The next letter marked (a capital, to show both keys), one key
          // pressed, as in the middle of a game.
          const char* seq = letters.text(layout);
          uint16_t key = NoKey, modifier = NoKey;
          uint8_t capital = 0;
          for (uint16_t i = 0; i < keyboardPanel.layout.keyCount() && capital == 0; ++i) {
            KeyGeometry g;
            KeyLabels l;
            keyboardPanel.layout.keyAt(i, g, l);
            if (l.plainChar == static_cast<uint8_t>(seq[2])) capital = l.shiftChar;
          }
          if (keysForChar(capital, key, modifier)) {
            showTargetKey(key);
            showTargetKey(modifier);
          }
          pressKey(keyboardPanel.layout.findKeyByScan(0x1E));
          // The level and the score as the game draws them in their boxes.
          Image font;
          ASSERT_TRUE(font.load("MDATA\\mnfnt.im3"));
          drawText("12", font, static_cast<uint16_t>(166 - 2 * font.width(0) / 2), 200, kHighlightColour, kGlyphKeyColour);
          drawText("1234", font, static_cast<uint16_t>(284 - 4 * font.width(0) / 2), 200, kHighlightColour, kGlyphKeyColour);
        } else {
          ASSERT_TRUE(loadFingerHomes(static_cast<uint8_t>(type)));
          resetFingerMarkers();
          for (uint8_t f = 0; f < 10; ++f) drawFingerMarker(f);
        }
        fs::create_directories(folder);
        ASSERT_TRUE(writeFramePng(fs::path(folder) / (name + (game ? "" : "-lesson") + ".png"), frameBuffer));
      }
    }
  if (folder != nullptr) drawTextLists(folder);
}

}  // namespace
}  // namespace zb::test
