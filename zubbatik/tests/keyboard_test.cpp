#include "modes/keyboard.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/draw.h"
#include "engine/writers.h"
#include "engine_fixture.h"
#include "modes/keyboard_files.h"

namespace zb::test {
namespace {

constexpr uint8_t kCapUp = 100, kCapDown = 101, kTargetMark = 120, kHomeMark = 130;
constexpr uint8_t kBody = 50, kFlag = 60;

// A small keyboard written by hand, so that each rule shows on few keys:
//   0 Q   left little finger, not a home key; AltGr gives '@'
//   1 A   left little finger's home key
//   2 J   right index finger's home key
//   3 K   right middle finger, no home key; its plain '@' comes after
//         Q's AltGr '@', and AltGr gives 'k'
//   4 left Shift, 5 right Shift, 6 AltGr: no labels
const std::vector<KeyGeometry> kKeys = {
    {0x10, 10, 40, 0, 0, 255}, {0x1E, 40, 40, 0, 0, 0},   {0x24, 70, 40, 1, 6, 6},
    {0x25, 100, 40, 0, 7, 255}, {0x2A, 10, 70, 2, 0, 255}, {0x36, 100, 70, 2, 9, 255},
    {0xB8, 130, 70, 2, 5, 255},
};
const std::vector<KeyLabels> kLabels = {
    {0, 0, 0, 2, 'q', 'Q', '@'}, {0, 1, 1, 255, 'a', 'A', 0},   {0, 2, 2, 255, 'j', 'J', 0},
    {0, 3, 255, 255, '@', '@', 'k'}, {1, 255, 255, 255, 0, 0, 0}, {1, 255, 255, 255, 0, 0, 0},
    {1, 255, 255, 255, 0, 0, 0},
};

// Frames of one solid colour each.
Bytes solidPicture(const std::vector<std::tuple<uint16_t, uint16_t, uint8_t>>& frames) {
  std::vector<FrameData> out;
  for (auto [w, h, colour] : frames) {
    Bytes pixels(size_t(w) * h, colour);
    out.push_back({w, h, 0, 0, encodeSprite(pixels.data(), w, h, RowOrder::TopDown)});
  }
  return imageFileBytes(out);
}

// A label font: every frame a 3 x 3 glyph of key colour 16 with one
// pixel of its own colour 40 at the top left.
Bytes labelFont(int frames) {
  Bytes pixels(9, 16);
  pixels[0] = 40;
  std::vector<FrameData> out(frames, FrameData{3, 3, 0, 0, encodeSprite(pixels.data(), 3, 3, RowOrder::TopDown)});
  return imageFileBytes(out);
}

class KeyboardTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    resetKeyboardPanel();
    makeFrameBuffer(0x40);
  }
  void TearDown() override {
    resetKeyboardPanel();
    EngineTest::TearDown();
  }

  void writeKeyboard(const std::vector<KeyGeometry>& keys = kKeys,
                     const std::vector<KeyLabels>& labels = kLabels) {
    writeDataFile("GDATA\\KBDDFS\\kbdt1.def", geometryFileBytes(keys));
    writeDataFile("GDATA\\KBDDFS\\kbdamr.rkb", layoutFileBytes(labels));
    // Caps: up, down, target mark, home mark.
    for (int shape : {0, 1, 2})
      writeDataFile(numberedFileName("GDATA\\KBDDFS\\k.im3", uint16_t(shape)),
                    solidPicture({{24, 24, kCapUp}, {24, 24, kCapDown}, {8, 8, kTargetMark}, {8, 8, kHomeMark}}));
    writeDataFile("GDATA\\KBDDFS\\kbdt0.im3", solidPicture({{200, 120, kBody}}));
    writeDataFile("MDATA\\MRKRS\\flgamr.im3", solidPicture({{36, 24, kFlag}}));
    writeDataFile("GDATA\\KBDDFS\\kmnamr.im3", labelFont(4));
    writeDataFile("GDATA\\KBDDFS\\kupamr.im3", labelFont(4));
  }
  bool load() { return loadKeyboard(0, 1, "GDATA\\KBDDFS\\kbdt.im3"); }
  KeyboardLayout& layout() { return keyboardPanel.layout; }
  uint8_t state(uint16_t key) { return layout().keyState(key); }
  // Screen pixel at (dx, dy) inside key i's cap.
  uint8_t keyPixel(uint16_t i, int dx, int dy) { return pixel(kKeys[i].x + dx, keyboardTop + kKeys[i].y + dy); }
};

TEST_F(KeyboardTest, TypeZeroTakesItsGeometryFromKbdt1AndItsPicturesNumberedZero) {
  writeKeyboard();
  ASSERT_TRUE(load());
  EXPECT_EQ(keyboardPanel.keyboardPicture.fileName(), "GDATA\\KBDDFS\\kbdt0.im3");
  EXPECT_EQ(keyboardPanel.keyCapPictures[2].fileName(), "GDATA\\KBDDFS\\k2.im3");
  ASSERT_EQ(layout().keyCount(), kKeys.size());
  KeyGeometry g;
  KeyLabels l;
  ASSERT_TRUE(layout().keyAt(2, g, l));
  EXPECT_EQ(g.scanCode, 0x24);
  EXPECT_EQ(g.x, 70);
  EXPECT_EQ(g.y, 40);
  EXPECT_EQ(g.capShape, 1);
  EXPECT_EQ(g.finger, 6);
  EXPECT_EQ(g.homeFinger, 6);
  EXPECT_EQ(l.plainChar, 'j');
  EXPECT_EQ(l.shiftChar, 'J');
  EXPECT_FALSE(layout().keyAt(NoKey, g, l));
  EXPECT_FALSE(layout().keyAt(uint16_t(kKeys.size()), g, l));
}

TEST_F(KeyboardTest, EachLayoutLoadsItsOwnFilesAndOnlyFrenchAndSwedishAnAltGrPicture) {
  writeKeyboard();
  struct Case {
    uint8_t layout;
    const char* suffix;
  };
  const Case cases[] = {{0, "rus"}, {1, "amr"}, {2, "grm"}, {3, "fr"}, {4, "eng"}, {5, "sw"}};
  for (const Case& c : cases) {
    std::string s = c.suffix;
    writeDataFile("GDATA\\KBDDFS\\kbd" + s + ".rkb", layoutFileBytes(kLabels));
    writeDataFile("MDATA\\MRKRS\\flg" + s + ".im3", solidPicture({{36, 24, kFlag}}));
    for (const char* family : {"kmn", "kup", "kapp"})
      writeDataFile("GDATA\\KBDDFS\\" + std::string(family) + s + ".im3", labelFont(4));
  }
  for (const Case& c : cases) {
    std::string s = c.suffix;
    SCOPED_TRACE(s);
    ASSERT_TRUE(loadKeyboard(0, c.layout, "GDATA\\KBDDFS\\kbdt.im3"));
    EXPECT_EQ(keyboardPanel.flagPicture.fileName(), "MDATA\\MRKRS\\flg" + s + ".im3");
    EXPECT_EQ(keyboardPanel.mainLabelPicture.fileName(), "GDATA\\KBDDFS\\kmn" + s + ".im3");
    EXPECT_EQ(keyboardPanel.upperLabelPicture.fileName(), "GDATA\\KBDDFS\\kup" + s + ".im3");
    // Layouts without AltGr labels keep whatever AltGr picture was there.
    const std::string lastAltGr = c.layout < 3 ? "" : c.layout < 5 ? "fr" : "sw";
    if (lastAltGr.empty())
      EXPECT_FALSE(keyboardPanel.altGrLabelPicture.fileName().has_value());
    else
      EXPECT_EQ(keyboardPanel.altGrLabelPicture.fileName(), "GDATA\\KBDDFS\\kapp" + lastAltGr + ".im3");
  }
}

TEST_F(KeyboardTest, RightAfterLoadingExactlyTheHomeKeysShowTheirMark) {
  writeKeyboard();
  ASSERT_TRUE(load());
  for (uint16_t i = 0; i < kKeys.size(); ++i)
    EXPECT_EQ(state(i), kKeys[i].homeFinger != 255 ? KeyHomeMark : 0) << "key " << i;
  drawKeyboard();
  EXPECT_EQ(keyPixel(1, 6, 6), kHomeMark);
  EXPECT_EQ(keyPixel(0, 6, 6), kCapUp);
  EXPECT_EQ(pixel(31, 193), kFlag);
  EXPECT_EQ(pixel(0, 183), kBody);
}

TEST_F(KeyboardTest, KeysForCharFindsTheKeyAndTheModifierOfTheOtherHand) {
  writeKeyboard();
  ASSERT_TRUE(load());
  struct Case {
    uint8_t character;
    uint16_t key;
    uint16_t modifier;
    const char* why;
  };
  const Case cases[] = {
      {'a', 1, NoKey, "plain character"},
      {'A', 1, 5, "left-hand finger: right Shift (0x36)"},
      {'J', 2, 4, "right-hand finger: left Shift (0x2A)"},
      {'@', 0, 6, "the first key in file order wins, even through AltGr"},
      {'k', 3, 6, "AltGr character: the key of scan 0xB8"},
  };
  for (const Case& c : cases) {
    uint16_t key = 1234, modifier = 1234;
    EXPECT_TRUE(keysForChar(c.character, key, modifier)) << c.why;
    EXPECT_EQ(key, c.key) << c.why;
    EXPECT_EQ(modifier, c.modifier) << c.why;
  }
  // Within one key, plain beats Shift beats AltGr.
  std::vector<KeyLabels> labels = kLabels;
  labels[0] = {0, 0, 0, 255, 'z', 'z', 'z'};
  writeDataFile("GDATA\\KBDDFS\\kbdeng.rkb", layoutFileBytes(labels));
  writeDataFile("GDATA\\KBDDFS\\kmneng.im3", labelFont(4));
  ASSERT_TRUE(loadKeyboard(0, 4, "GDATA\\KBDDFS\\kbdt.im3"));
  uint16_t key = 0, modifier = 0;
  ASSERT_TRUE(keysForChar('z', key, modifier));
  EXPECT_EQ(key, 0);
  EXPECT_EQ(modifier, NoKey);
}

TEST_F(KeyboardTest, KeysForCharOfACharacterNoKeyTypesFailsWithBothOutputsNoKey) {
  writeKeyboard();
  ASSERT_TRUE(load());
  uint16_t key = 3, modifier = 4;
  EXPECT_FALSE(keysForChar('w', key, modifier));
  EXPECT_EQ(key, NoKey);
  EXPECT_EQ(modifier, NoKey);
}

TEST_F(KeyboardTest, CharForKeyByModifiers) {
  writeKeyboard();
  ASSERT_TRUE(load());
  struct Case {
    uint8_t scan;
    uint8_t modifiers;
    bool ok;
    uint8_t character;
  };
  const Case cases[] = {
      {0x10, 0, true, 'q'},   {0x10, 1, true, 'Q'},  {0x10, 2, true, '@'},
      {0x10, 3, false, 0},    // Shift and AltGr together
      {0x10, 0x04, true, 'q'},  // bits other than Shift and AltGr do not count
      {0x11, 0, false, 0},    // a scan byte no key has
      {0x2A, 0, true, 0},     // a modifier key types its own (empty) character
  };
  for (const Case& c : cases) {
    uint8_t ch = 0xEE;
    EXPECT_EQ(charForKey(c.scan, c.modifiers, ch), c.ok) << int(c.scan) << " " << int(c.modifiers);
    if (c.ok) {
      EXPECT_EQ(ch, c.character) << int(c.scan) << " " << int(c.modifiers);
    }
  }
}

TEST_F(KeyboardTest, ShowingATargetMovesTheHomeMarkOffItsFingersHomeKeyAndBack) {
  writeKeyboard();
  ASSERT_TRUE(load());
  drawKeyboard();
  ASSERT_TRUE(showTargetKey(0));  // Q: finger 0, whose home is A
  EXPECT_EQ(state(0), KeyTarget);
  EXPECT_EQ(state(1), 0);
  EXPECT_EQ(keyPixel(0, 6, 6), kTargetMark);
  EXPECT_EQ(keyPixel(1, 6, 6), kCapUp);

  platform.invalidated.clear();
  EXPECT_FALSE(showTargetKey(0));
  EXPECT_TRUE(platform.invalidated.empty()) << "the second call must draw nothing";

  ASSERT_TRUE(hideTargetKey(0));
  EXPECT_EQ(state(0), 0);
  EXPECT_EQ(state(1), KeyHomeMark);
  EXPECT_EQ(keyPixel(0, 6, 6), kCapUp);
  EXPECT_EQ(keyPixel(1, 6, 6), kHomeMark);
  EXPECT_FALSE(hideTargetKey(0));
  EXPECT_FALSE(showTargetKey(NoKey));
  EXPECT_FALSE(hideTargetKey(NoKey));
}

TEST_F(KeyboardTest, TargetOnAFingersOwnHomeKeyLeavesExactlyOneMark) {
  writeKeyboard();
  ASSERT_TRUE(load());
  ASSERT_TRUE(showTargetKey(2));
  EXPECT_EQ(state(2), KeyTarget);
  ASSERT_TRUE(hideTargetKey(2));
  EXPECT_EQ(state(2), KeyHomeMark);
}

TEST_F(KeyboardTest, AKeyWhoseFingerHasNoHomeKeyCannotBeATarget) {
  writeKeyboard();
  ASSERT_TRUE(load());
  EXPECT_FALSE(showTargetKey(3));  // finger 7 rests nowhere here
  EXPECT_EQ(state(3), 0);
}

TEST_F(KeyboardTest, APressedKeyShowsFrameOneAndItsMarksAndLabelsOnePixelLower) {
  writeKeyboard();
  ASSERT_TRUE(load());
  fill(0x40);
  ASSERT_TRUE(pressKey(1));
  EXPECT_FALSE(pressKey(1));
  EXPECT_EQ(state(1), KeyPressed | KeyHomeMark);
  EXPECT_EQ(keyPixel(1, 0, 0), kCapDown);
  EXPECT_EQ(keyPixel(1, 6, 6), kCapDown);  // the mark starts a pixel lower
  EXPECT_EQ(keyPixel(1, 6, 7), kHomeMark);
  EXPECT_EQ(keyPixel(1, 6, 14), kHomeMark);
  // Main label at (8, 21), upper label at (19, 10): drawn with their own
  // colours, since the key carries a mark.
  EXPECT_EQ(keyPixel(1, 8, 20), kCapDown);
  EXPECT_EQ(keyPixel(1, 8, 21), 40);
  EXPECT_EQ(keyPixel(1, 9, 21), 16);
  EXPECT_EQ(keyPixel(1, 19, 10), 40);

  ASSERT_TRUE(releaseKey(1));
  EXPECT_FALSE(releaseKey(1));
  EXPECT_EQ(keyPixel(1, 0, 0), kCapUp);
  EXPECT_EQ(keyPixel(1, 6, 6), kHomeMark);
  EXPECT_EQ(keyPixel(1, 8, 20), 40);
  EXPECT_FALSE(pressKey(NoKey));
  EXPECT_FALSE(releaseKey(NoKey));
}

TEST_F(KeyboardTest, UnmarkedKeysShowTheirLabelsInTheLabelColour) {
  writeKeyboard();
  ASSERT_TRUE(load());
  drawKeyboard();
  // Q: main glyph at (8, 20), upper glyph at (19, 9); AltGr glyph 2 has
  // no picture here (layout 1 loads none), so nothing at (19, 20).
  EXPECT_EQ(keyPixel(0, 9, 20), kKeyLabelColour);
  EXPECT_EQ(keyPixel(0, 8, 20), 40);
  EXPECT_EQ(keyPixel(0, 20, 9), 20);
  EXPECT_EQ(keyPixel(0, 20, 20), kCapUp);
  // The Shift keys carry no labels at all.
  EXPECT_EQ(keyPixel(4, 9, 20), kCapUp);
}

TEST_F(KeyboardTest, ReleaseAllKeysReleasesEveryPressedKey) {
  writeKeyboard();
  ASSERT_TRUE(load());
  ASSERT_TRUE(pressKey(0));
  ASSERT_TRUE(pressKey(5));
  releaseAllKeys();
  for (uint16_t i = 0; i < kKeys.size(); ++i) EXPECT_EQ(state(i) & KeyPressed, 0) << i;
  EXPECT_EQ(keyPixel(5, 0, 0), kCapUp);
}

TEST_F(KeyboardTest, LoadingTheSameKeyboardAgainReadsNoFileButClearsEveryMark) {
  writeKeyboard();
  ASSERT_TRUE(load());
  ASSERT_TRUE(pressKey(0));
  ASSERT_TRUE(showTargetKey(0));
  std::filesystem::remove_all(dir / "GDATA");
  std::filesystem::remove_all(dir / "MDATA");
  ASSERT_TRUE(load());
  EXPECT_EQ(layout().keyCount(), kKeys.size());
  for (uint16_t i = 0; i < kKeys.size(); ++i)
    EXPECT_EQ(state(i), kKeys[i].homeFinger != 255 ? KeyHomeMark : 0) << "key " << i;
  EXPECT_FALSE(keyboardPanel.keyboardPicture.empty());
}

TEST_F(KeyboardTest, ALayoutOfAnotherKeyCountIsRefusedAndTheOldLabelsStay) {
  writeKeyboard();
  ASSERT_TRUE(load());
  std::vector<KeyLabels> shorter(kLabels.begin(), kLabels.end() - 1);
  writeDataFile("GDATA\\KBDDFS\\kbdeng.rkb", layoutFileBytes(shorter));
  EXPECT_FALSE(layout().loadLabels("GDATA\\KBDDFS\\kbdeng.rkb"));
  uint8_t ch = 0;
  ASSERT_TRUE(charForKey(0x10, 0, ch));
  EXPECT_EQ(ch, 'q');
}

TEST_F(KeyboardTest, LabelsNeedAGeometryFirst) {
  writeKeyboard();
  EXPECT_FALSE(layout().loadLabels("GDATA\\KBDDFS\\kbdamr.rkb"));
  EXPECT_FALSE(layout().resetKeyStates());
  ASSERT_TRUE(layout().loadGeometry("GDATA\\KBDDFS\\kbdt1.def"));
  EXPECT_FALSE(layout().resetKeyStates());
  EXPECT_FALSE(layout().setPressed(0));
  EXPECT_TRUE(layout().loadLabels("GDATA\\KBDDFS\\kbdamr.rkb"));
  EXPECT_TRUE(layout().resetKeyStates());
}

TEST_F(KeyboardTest, FilesShorterThanTheirCountAreRefused) {
  writeKeyboard();
  Bytes def = geometryFileBytes(kKeys);
  def.pop_back();
  writeDataFile("GDATA\\KBDDFS\\kbdt2.def", def);
  EXPECT_FALSE(layout().loadGeometry("GDATA\\KBDDFS\\kbdt2.def"));
  EXPECT_EQ(layout().keyCount(), 0);
  ASSERT_TRUE(layout().loadGeometry("GDATA\\KBDDFS\\kbdt1.def"));
  Bytes rkb = layoutFileBytes(kLabels);
  rkb.resize(rkb.size() - 3);
  writeDataFile("GDATA\\KBDDFS\\kbdfr.rkb", rkb);
  EXPECT_FALSE(layout().loadLabels("GDATA\\KBDDFS\\kbdfr.rkb"));
  EXPECT_FALSE(layout().resetKeyStates());
}

TEST_F(KeyboardTest, AGeometryOfAnotherSizeNeverLetsTheOldLabelsBeReadBeyondTheirEnd) {
  writeKeyboard();
  ASSERT_TRUE(load());
  std::vector<KeyGeometry> more = kKeys;
  more.push_back({0x39, 40, 100, 0, 4, 4});
  writeDataFile("GDATA\\KBDDFS\\kbdt2.def", geometryFileBytes(more));
  EXPECT_FALSE(loadKeyboard(1, 1, "GDATA\\KBDDFS\\kbdt.im3"));
  EXPECT_EQ(layout().keyCount(), more.size());
  KeyGeometry g;
  KeyLabels l;
  EXPECT_FALSE(layout().keyAt(7, g, l));
  EXPECT_FALSE(layout().setPressed(7));
  EXPECT_FALSE(pressKey(7));
  EXPECT_EQ(findHomeKey(4), 7);
  EXPECT_FALSE(showTargetKey(7));
  uint8_t ch = 0;
  EXPECT_FALSE(charForKey(0x39, 0, ch));
  drawKeyboard();  // draws without the labels it lacks
  releaseAllKeys();
  // Back to the first geometry: the same layout file fits again.
  EXPECT_TRUE(load());
}

TEST_F(KeyboardTest, MissingFilesLeaveAKeyboardThatDrawsNothingAndFindsNoKey) {
  EXPECT_FALSE(load());
  EXPECT_EQ(layout().keyCount(), 0);
  drawKeyboard();
  releaseAllKeys();
  uint16_t key = 0, modifier = 0;
  EXPECT_FALSE(keysForChar('a', key, modifier));
  uint8_t ch = 0;
  EXPECT_FALSE(charForKey(0x1E, 0, ch));
  EXPECT_EQ(findHomeKey(0), NoKey);
  EXPECT_EQ(layout().findKeyByScan(0x1E), NoKey);
  EXPECT_EQ(layout().keyState(0), 0);
  EXPECT_EQ(layout().keyHomeFinger(0), 255);
  EXPECT_FALSE(loadFingerHomes(0));
  resetFingerMarkers();
  drawFingerMarker(0);
  eraseFingerMarker(0);
  // Other type and layout numbers load nothing of their own.
  EXPECT_FALSE(loadKeyboard(3, 6, "GDATA\\KBDDFS\\kbdt.im3"));
}

TEST_F(KeyboardTest, DamagedKeyFieldsDoNotFault) {
  std::vector<KeyGeometry> keys = kKeys;
  keys[0].capShape = 200;
  keys[0].finger = 77;
  keys[1].x = 65000;
  keys[1].y = 65500;
  std::vector<KeyLabels> labels = kLabels;
  labels[2].mainGlyph = 250;
  writeKeyboard(keys, labels);
  ASSERT_TRUE(load());
  drawKeyboard();
  EXPECT_TRUE(pressKey(1));
  EXPECT_TRUE(pressKey(0));
  EXPECT_FALSE(showTargetKey(0));  // finger 77 has no home key
  uint16_t key = 0, modifier = 0;
  EXPECT_TRUE(keysForChar('Q', key, modifier));
  EXPECT_EQ(modifier, 4);  // finger numbers above 4 count as the right hand
}

class FingerMarkerTest : public KeyboardTest {
 protected:
  void writeFingers(uint8_t type, uint16_t firstX) {
    PayloadBuilder homes;
    for (int f = 0; f < 10; ++f) homes.u16(uint16_t(firstX + 30 * f)).u16(uint16_t(300 + f));
    writeDataFile(numberedFileName("DDATA\\dmfngs.adi", type), descriptorFileBytes(homes.bytes()));
  }
};

TEST_F(FingerMarkerTest, HomesComeFromTheNumberedFileOfTheType) {
  writeFingers(2, 40);
  ASSERT_TRUE(loadFingerHomes(2));
  EXPECT_EQ(keyboardPanel.fingerHomes[0], (std::array<uint16_t, 2>{40, 300}));
  EXPECT_EQ(keyboardPanel.fingerHomes[9], (std::array<uint16_t, 2>{310, 309}));
  resetFingerMarkers();
  EXPECT_EQ(keyboardPanel.fingerMarkers[9].x, 310);
  EXPECT_EQ(keyboardPanel.fingerMarkers[9].y, 309);
  EXPECT_EQ(keyboardPanel.fingerMarkers[9].lift, 3);

  // A missing or short file leaves every position as it was.
  EXPECT_FALSE(loadFingerHomes(1));
  PayloadBuilder part;
  part.u16(1).u16(2).u16(3);
  writeDataFile("DDATA\\dmfngs0.adi", descriptorFileBytes(part.bytes()));
  EXPECT_FALSE(loadFingerHomes(0));
  EXPECT_EQ(keyboardPanel.fingerHomes[0], (std::array<uint16_t, 2>{40, 300}));
}

TEST_F(FingerMarkerTest, AMarkerStandsUpAndLeftOfItsShadowByItsLiftAndErasesCleanly) {
  writeFingers(0, 100);
  writeDataFile("DDATA\\dmfng.im3", solidPicture({{10, 12, 140}, {10, 12, 150}}));
  ASSERT_TRUE(keyboardPanel.fingerPicture.load("DDATA\\dmfng.im3"));
  ASSERT_TRUE(loadFingerHomes(0));
  resetFingerMarkers();
  // A background with dark colours 1..15, which sprite data would take
  // for run codes: erasing must give them back exactly.
  for (int y = 280; y < 330; ++y)
    for (int x = 80; x < 140; ++x) *frameBuffer.at(x, y) = uint8_t((x + y) % 16);
  const Bytes before = area(80, 280, 60, 50);

  FingerMarker& m = keyboardPanel.fingerMarkers[0];
  m.lift = 5;
  drawFingerMarker(0);
  EXPECT_EQ(pixel(95, 295), 140);   // marker at (100 - 5, 300 - 5)
  EXPECT_EQ(pixel(109, 311), 150);  // shadow's far corner at (100 + 9, 300 + 11)
  EXPECT_EQ(pixel(104, 306), 140);  // the marker's far corner, over the shadow
  EXPECT_EQ(pixel(110, 300), (110 + 300) % 16);
  eraseFingerMarker(0);
  EXPECT_EQ(area(80, 280, 60, 50), before);
  // Finger numbers beyond the ten markers do nothing.
  drawFingerMarker(10);
  eraseFingerMarker(255);
  EXPECT_EQ(area(80, 280, 60, 50), before);
}

}  // namespace
}  // namespace zb::test
