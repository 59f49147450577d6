#include "menu_fixture.h"

#include <map>
#include <tuple>

#include "engine/animation.h"
#include "engine/draw.h"
#include "engine/events.h"
#include "engine/writers.h"
#include "modes/game_status.h"
#include "persist/records.h"
#include "persist/settings.h"
#include "screens/menus.h"
#include "screens/name_records.h"
#include "screens/state_machine.h"

namespace zb::test {

namespace {

std::vector<uint16_t>* observed = nullptr;
void observe(uint16_t state) {
  if (observed != nullptr) observed->push_back(state);
}

// One colour all over; coded once per size and colour for all the tests.
FrameData solid(uint16_t w, uint16_t h, uint8_t colour) {
  static std::map<std::tuple<uint16_t, uint16_t, uint8_t>, FrameData> coded;
  auto [it, fresh] = coded.try_emplace({w, h, colour});
  if (fresh) {
    std::vector<uint8_t> pixels(size_t{w} * h, colour);
    it->second = {w, h, 0, 0, encodeSprite(pixels.data(), w, h, RowOrder::TopDown)};
  }
  return it->second;
}

Bytes picture(std::initializer_list<FrameData> frames) {
  std::vector<FrameData> list(frames);
  return imageFileBytes(list);
}

Bytes texts(std::vector<std::string> strings) { return textListFileBytes(strings); }

}  // namespace

void MenuTest::SetUp() {
  EngineTest::SetUp();
  platform.loop().setWindowEvents(&window);
  platform.onWaveWrite = [this](uint32_t) { ++soundsWritten; };
  resetStateMachine();
  registerScreens();
  setEventSink(HandleEvent);
  observed = &states;
  setStateObserver(observe);
  // The screens' globals live for the whole process; every test starts
  // them afresh, as a new run of the program would.
  mainMenuCursor = 0;
  pendingLanguage = pendingKeyboardType = pendingLayout = pendingLevel = 0;
  letterCount = 0;
  gameStatus = GameNone;
  score = 0;
  nameLength = 0;
  highlightedRecord = 0xFFFF;
  for (Image* image : {&shadeMask, &menuBackground, &menuFont, &transitionPicture, &keyboardMarker,
                       &layoutMarker, &soundMarker, &mouseMarker}) {
    *image = Image{};
  }
  for (Image& image : cursorPictures) image = Image{};
  for (Image& image : flagPictures) image = Image{};
  levelLetters = TextList{};
  menuTexts = TextList{};
  layoutNames = TextList{};
}

void MenuTest::TearDown() {
  initAnimations();
  setEventSink(nullptr);
  setStateObserver(nullptr);
  observed = nullptr;
  resetStateMachine();
  EngineTest::TearDown();
}

void MenuTest::writeFixtureData(const std::vector<std::string>& letters) {
  writeDataFile("Zubbatik.pal", greyPalette());
  std::vector<FrameData> glyphs;
  for (int c = 0; c < 256; ++c) glyphs.push_back(solid(8, 15, kGlyphKeyColour));
  writeDataFile("MDATA\\mnfnt.im3", imageFileBytes(glyphs));
  writeDataFile("MDATA\\igrnd.im3", picture({solid(630, 440, kBackgroundColour)}));
  writeDataFile("GDATA\\shmsk.im3", picture({solid(630, 440, 254)}));
  writeDataFile("MDATA\\slitm.sn", soundFileBytes(std::vector<uint8_t>(64, 128)));
  writeDataFile("MDATA\\lvltrs.lim", texts(letters));

  for (const char* board : {"lgmnu", "lgtomn", "mnmnu", "kbmnmnu", "lgmnmnu", "lvmnmnu", "rdshw", "nmtord",
                            "rdmnmnu"}) {
    writeDataFile(std::string("MDATA\\TRNSF\\") + board + ".im3",
                  picture({solid(367, 293, kPanelColour), solid(367, 293, kPanelColour)}));
  }
  writeDataFile("MDATA\\TRNSF\\nmshw.im3", picture({solid(367, 160, 76), solid(367, 160, kNamePanelColour)}));
  for (const char* sw : {"snmnmnu", "msmnmnu"}) {
    writeDataFile(std::string("MDATA\\TRNSF\\") + sw + ".im3",
                  picture({solid(48, 22, kSoundOnColour), solid(48, 22, kSoundOffColour)}));
  }
  writeDataFile("MDATA\\CRSRS\\mncrs0.im3", picture({solid(138, 22, kCursorColour[0])}));
  writeDataFile("MDATA\\CRSRS\\mncrs1.im3", picture({solid(138, 22, kCursorColour[1])}));
  writeDataFile("MDATA\\CRSRS\\mncrs2.im3", picture({solid(138, 22, kCursorColour[2])}));
  writeDataFile("MDATA\\CRSRS\\lngcrs.im3", picture({solid(240, 24, kCursorColour[0])}));
  writeDataFile("MDATA\\CRSRS\\lgmncrs.im3", picture({solid(165, 24, kCursorColour[0])}));
  writeDataFile("MDATA\\CRSRS\\kbcrs.im3", picture({solid(84, 168, kCursorColour[0])}));
  const char* flags[6] = {"rus", "amr", "grm", "fr", "eng", "sw"};
  for (int i = 0; i < 6; ++i) {
    auto colour = static_cast<uint8_t>(kFlagColour + i);
    writeDataFile(std::string("MDATA\\MRKRS\\aflg") + flags[i] + ".im3",
                  picture({solid(30, 24, colour), solid(30, 24, colour)}));
    writeDataFile(std::string("MDATA\\MRKRS\\flg") + flags[i] + ".im3", picture({solid(36, 24, colour)}));
  }
  for (int i = 1; i <= 3; ++i) {
    writeDataFile("MDATA\\MRKRS\\mnkbdt" + std::to_string(i) + ".im3",
                  picture({solid(40, 20, static_cast<uint8_t>(80 + i))}));
  }
  writeDataFile("MDATA\\MRKRS\\sndon.im3", picture({solid(48, 22, kSoundOnColour)}));
  writeDataFile("MDATA\\MRKRS\\sndoff.im3", picture({solid(48, 22, kSoundOffColour)}));
  writeDataFile("MDATA\\MRKRS\\mscon.im3", picture({solid(48, 22, kSoundOnColour)}));
  writeDataFile("MDATA\\MRKRS\\mscoff.im3", picture({solid(48, 22, kSoundOffColour)}));

  writeDataFile("MDATA\\MSGS\\lngmsg.lim", texts({"Russkij", "English", "Deutsch", "Francais"}));
  for (const char* suffix : {"rus", "eng", "grm", "fr"}) {
    std::string s(suffix);
    writeDataFile("MDATA\\MSGS\\mnmnu" + s + ".lim",
                  texts({"Play", "Lesson", "Keyboard", "Layout", "Level", "Sound", "Mouse", "Records", "Exit"}));
    writeDataFile("MDATA\\MSGS\\lgmnu" + s + ".lim",
                  texts({"Layout", "Russian", "American", "German", "French", "English", "Swedish"}));
    writeDataFile("MDATA\\MSGS\\kbmnu" + s + ".lim", texts({"Keyboard"}));
    writeDataFile("MDATA\\MSGS\\rdmnu" + s + ".lim", texts({"Name", "Score"}));
  }
}

void MenuTest::createWindow() { ASSERT_TRUE(window.create()); }

void MenuTest::startToMainMenu() {
  createWindow();
  EnterState(Startup);
  wait(200);
  ASSERT_EQ(currentState(), LanguageMenu);
  key(0x1C);
  wait(200);
  ASSERT_EQ(currentState(), MainMenu);
}

void MenuTest::key(uint8_t keyByte) {
  window.keyDown(keyByte);
  window.keyUp(keyByte);
}

void MenuTest::click(int x, int y) { window.buttonDown(MouseButton::Left, kMouseLeft, x, y); }
void MenuTest::rightClick(int x, int y) { window.buttonDown(MouseButton::Right, kMouseRight, x, y); }

size_t MenuTest::clicksHeard() const { return soundsWritten; }

}  // namespace zb::test
