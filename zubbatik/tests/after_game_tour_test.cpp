// The screens that follow a game, on the real data set: the name entry and
// the records, each written as a picture (zubbatik/tests/after-game-tour/TEST in
// the build folder) to be looked at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/animation.h"
#include "engine/draw.h"
#include "engine/events.h"
#include "engine/files.h"
#include "modes/game_status.h"
#include "modes/keyboard.h"
#include "persist/records.h"
#include "persist/settings.h"
#include "platform/headless/headless_platform.h"
#include "screens/menus.h"
#include "screens/state_machine.h"
#include "shell/script.h"
#include "shell/window_procedure.h"

namespace zb::test {
namespace {

namespace fs = std::filesystem;

std::vector<uint16_t> visited;
void observe(uint16_t state) { visited.push_back(state); }

std::string readScript(const std::string& name, const fs::path& shots) {
  std::ifstream in(fs::path(ZB_SCREENS_DIR) / name);
  std::stringstream text;
  text << in.rdbuf();
  std::string script = text.str();
  for (size_t at; (at = script.find("@SHOTS@")) != std::string::npos;) script.replace(at, 7, shots.string());
  return script;
}

class AfterGameTour : public ::testing::Test {
 protected:
  void SetUp() override {
    work = fs::path(ZB_TOUR_DIR) / ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(work);
    fs::create_directories(work / "shots");
    fs::create_directories(work / "state");
    setDataDir(ZB_BUILT_DATA_DIR);
    setStateDir(work / "state");
    settings = Settings{};
    recordTable = RecordTable{};
    visited.clear();
    resetStateMachine();
    registerScreens();
    setEventSink(HandleEvent);
    setStateObserver(observe);
  }
  void TearDown() override {
    setStateObserver(nullptr);
    setEventSink(nullptr);
    resetStateMachine();
    setPlatform(nullptr);
    setDataDir(".");
    setStateDir(".");
  }

  // Starts the program and stands in for a game just ended on the English
  // layout: the keyboard on screen, shaded, and the result in `score`.
  int playAfterGame(const std::string& scriptName, uint32_t result, uint16_t firstState) {
    HeadlessPlatform platform;
    WindowProcedure window;
    platform.loop().setWindowEvents(&window);
    setPlatform(&platform);
    EXPECT_TRUE(window.create());
    settings.language = 1;
    settings.layout = 4;
    EnterState(Startup);
    platform.advance(600);
    window.keyDown(0x1C);
    window.keyUp(0x1C);
    platform.advance(600);
    EXPECT_EQ(currentState(), MainMenu);
    stopAnimation(1, false);
    drawImage(menuBackground, 0, 0, 0);
    loadKeyboard(settings.keyboardType, settings.layout, "GDATA\\KBDDFS\\kbdt.im3");
    drawKeyboard();
    drawImage(shadeMask, 0, 0, 0);
    gameStatus = GameOver;
    score = result;
    EnterState(firstState);
    std::istringstream script(readScript(scriptName, work / "shots"));
    std::ostringstream errors;
    int status = runScript(script, platform, window, errors);
    EXPECT_EQ(errors.str(), "");
    initAnimations();
    setPlatform(nullptr);
    return status;
  }

  void expectShots(const std::string& scriptName) {
    std::string script = readScript(scriptName, work / "shots");
    for (size_t at = 0; (at = script.find(".png", at)) != std::string::npos; at += 4) {
      size_t start = script.rfind(' ', at) + 1;
      fs::path shot = script.substr(start, at + 4 - start);
      EXPECT_TRUE(fs::exists(shot)) << shot;
    }
  }

  fs::path work;
};

TEST_F(AfterGameTour, NameEntryAndRecords) {
  std::strcpy(recordTable.rows[0].name, "Max");
  recordTable.rows[0].score = 2500;
  std::strcpy(recordTable.rows[1].name, "Lena");
  recordTable.rows[1].score = 900;
  ASSERT_TRUE(SaveRecords());
  EXPECT_EQ(playAfterGame("name_entry.script", 1234, NameEntryOpening), 0);
  expectShots("name_entry.script");
  auto at = [](uint16_t state) { return std::find(visited.begin(), visited.end(), state) != visited.end(); };
  for (uint16_t state : {NameEntryOpening, NameEntry, NameToRecords, Records, RecordsClosing, MainMenu}) {
    EXPECT_TRUE(at(state)) << state;
  }
  recordTable = RecordTable{};
  ASSERT_TRUE(LoadRecords());
  EXPECT_EQ(recordTable.rows[1].score, 1234u);
  EXPECT_STREQ(recordTable.rows[1].name, "Anna") << "typed with the real English layout";
}

TEST_F(AfterGameTour, RecordsWithoutANewRow) {
  std::strcpy(recordTable.rows[0].name, "Max");
  recordTable.rows[0].score = 2500;
  ASSERT_TRUE(SaveRecords());
  EXPECT_EQ(playAfterGame("records_after_game.script", 10, RecordsOpening), 0);
  expectShots("records_after_game.script");
}

}  // namespace
}  // namespace zb::test
