// The name entry after a game that beat the table: typing on the layout the
// game was played with, Backspace, the 14-character limit, and filing the
// name into the records.
#include <algorithm>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/writers.h"
#include "menu_fixture.h"
#include "modes/game_status.h"
#include "modes/keyboard.h"
#include "persist/records.h"
#include "persist/settings.h"
#include "screens/name_records.h"
#include "screens/state_machine.h"

namespace zb::test {
namespace {

constexpr uint8_t kShift = 0x2A, kAltGr = 0xB8, kEnter = 0x1C, kEsc = 0x01, kBackspace = 0x0E;
constexpr uint8_t kAUmlaut = 0xE4;

struct TestKey {
  uint8_t scan, plain, shift, altGr;
};
// A small layout. Its left Shift key types a character of its own, which
// the name entry must not take.
constexpr TestKey kKeys[] = {
    {0x1E, 'a', 'A', kAUmlaut}, {0x30, 'b', 'B', 0}, {0x10, 'q', 'Q', '@'},
    {0x39, ' ', ' ', 0},        {0x02, '1', '!', 0}, {kShift, 'S', 'S', 'S'},
};

class NameEntryTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    writeFixtureData({"aa", "aa", "aa", "aa", "aa", "aa"});
    Bytes geometry = {static_cast<uint8_t>(std::size(kKeys)), 0};
    Bytes labels = geometry;
    for (const TestKey& k : kKeys) {
      geometry.insert(geometry.end(), {k.scan, 0, 0, 0, 0, 0, 0, 255});
      labels.insert(labels.end(), {0, 255, 255, 255, k.plain, k.shift, k.altGr});
    }
    writeDataFile("GDATA\\KBDDFS\\nametest.def", geometry);
    writeDataFile("GDATA\\KBDDFS\\nametest.rkb", labels);
    ASSERT_TRUE(keyboardPanel.layout.loadGeometry("GDATA\\KBDDFS\\nametest.def"));
    ASSERT_TRUE(keyboardPanel.layout.loadLabels("GDATA\\KBDDFS\\nametest.rkb"));
    createWindow();
    EnterState(Startup);
    wait(200);
  }

  // What the game does when a result beats the table.
  void gameEnds(uint32_t result, const char* lastName = "") {
    std::memset(settings.playerName, 0, kNameCapacity);
    std::memcpy(settings.playerName, lastName, std::min<size_t>(std::strlen(lastName), kNameCapacity - 1));
    gameStatus = GameOver;
    score = result;
    EnterState(NameEntryOpening);
    wait(200);
    ASSERT_EQ(currentState(), NameEntry);
  }

  void withModifiers(std::initializer_list<uint8_t> modifiers, uint8_t keyByte) {
    for (uint8_t m : modifiers) window.keyDown(m);
    key(keyByte);
    for (uint8_t m : modifiers) window.keyUp(m);
  }

  void setRow(int row, const char* name, uint32_t rowScore) {
    std::memset(recordTable.rows[row].name, 0, kRecordNameSize);
    std::strncpy(recordTable.rows[row].name, name, kRecordNameSize - 1);
    recordTable.rows[row].score = rowScore;
  }

  uint8_t nameCell(int i) const { return cell(kNameX + 8 * i, kNameY); }
  std::string name() const { return settings.playerName; }
};

TEST_F(NameEntryTest, ShiftAltGrAndBothChooseTheKeysCharacter) {
  gameEnds(500);
  key(0x1E);
  withModifiers({kShift}, 0x1E);
  withModifiers({kAltGr}, 0x1E);
  withModifiers({kShift, kAltGr}, 0x1E);
  withModifiers({kAltGr}, 0x30);   // no AltGr character: nothing
  withModifiers({kAltGr}, 0x10);
  key(0x3B);                       // a key the layout does not know
  key(0x9C);                       // the numeric-pad Enter is not Enter
  for (uint8_t modifier : {0x1D, 0x9D, 0x2A, 0x36, 0x38, 0xB8}) key(modifier);
  EXPECT_EQ(name(), std::string("aA\xE4" "A@"));
  EXPECT_EQ(nameLength, 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(nameCell(i), 107) << i;
  EXPECT_EQ(nameCell(5), kNamePanelColour);
  EXPECT_EQ(currentState(), NameEntry);
}

TEST_F(NameEntryTest, BackspaceErasesExactlyOneCellFromTheEmptyField) {
  gameEnds(500, "Bob");
  EXPECT_EQ(nameLength, 3) << "the last name is offered again";
  const int promptX = 314 - 4 * 4;  // "Name", centred
  EXPECT_EQ(cell(promptX, 184), 107);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(nameCell(i), 107);

  key(kBackspace);
  EXPECT_EQ(name(), "Bo");
  EXPECT_EQ(nameCell(0), 107);
  EXPECT_EQ(nameCell(1), 107);
  EXPECT_EQ(area(kNameX + 16, kNameY, 8, 15), Bytes(8 * 15, kNamePanelColour)) << "the whole third cell";
  EXPECT_EQ(pixel(kNameX + 15, kNameY), 107) << "and nothing of the second";
  EXPECT_EQ(cell(promptX, 184), 107) << "the prompt is untouched";

  key(kBackspace);
  key(kBackspace);
  EXPECT_EQ(name(), "");
  platform.clearRecords();
  key(kBackspace);
  EXPECT_EQ(nameLength, 0);
  EXPECT_TRUE(platform.invalidated.empty()) << "Backspace on an empty name does nothing";
  key(0x30);
  EXPECT_EQ(name(), "b");
  EXPECT_EQ(nameCell(0), 107);
}

TEST_F(NameEntryTest, TheFifteenthCharacterIsRefused) {
  gameEnds(500, "abcdefghijklm");
  key(0x10);
  EXPECT_EQ(nameLength, 14);
  platform.clearRecords();
  key(0x10);
  key(0x1E);
  EXPECT_EQ(name(), "abcdefghijklmq");
  EXPECT_EQ(settings.playerName[14], 0);
  EXPECT_TRUE(platform.invalidated.empty());
  EXPECT_EQ(nameCell(14), kNamePanelColour);
}

TEST_F(NameEntryTest, AStoredNameOfFifteenCharactersIsCutTo14) {
  std::memset(settings.playerName, 'x', sizeof settings.playerName);
  gameStatus = GameOver;
  score = 9;
  EnterState(NameEntryOpening);
  wait(200);
  EXPECT_EQ(nameLength, 14);
  EXPECT_EQ(nameCell(14), kNamePanelColour);
}

TEST_F(NameEntryTest, EnterFilesTheNameBelowEqualScoresAndHighlightsIt) {
  setRow(0, "Ann", 90);
  setRow(1, "Bob", 70);
  setRow(2, "Cid", 50);
  setRow(3, "Bob", 50);
  setRow(4, "Dan", 30);
  gameEnds(50, "Bob");
  key(kEnter);
  EXPECT_EQ(currentState(), NameToRecords);
  EXPECT_EQ(highlightedRecord, 4);
  EXPECT_STREQ(recordTable.rows[4].name, "Bob") << "a name already there is filed all the same";
  EXPECT_EQ(recordTable.rows[4].score, 50u);
  EXPECT_STREQ(recordTable.rows[5].name, "Dan");
  wait(200);
  ASSERT_EQ(currentState(), Records);
  EXPECT_EQ(cell(187, 146 + 19 * 4), 107);
  EXPECT_EQ(cell(187, 146 + 19 * 3), 191);
  EXPECT_EQ(cell(187, 146 + 19 * 5), 191);

  // The files written at exit hold the name and the table.
  window.closeRequested();
  EXPECT_EQ(readStateFile(kRecordsFileName).size(), kRecordsFileSize);
  recordTable = RecordTable{};
  settings = Settings{};
  ASSERT_TRUE(LoadRecords());
  ASSERT_TRUE(LoadSettings());
  EXPECT_STREQ(recordTable.rows[4].name, "Bob");
  EXPECT_EQ(recordTable.rows[4].score, 50u);
  EXPECT_EQ(name(), "Bob");
}

TEST_F(NameEntryTest, LeavingWithoutANameFilesNothing) {
  // Esc, a right click, and Enter on an empty name.
  const char* names[] = {"Eve", "Eve", ""};
  for (int way = 0; way < 3; ++way) {
    gameEnds(800, names[way]);
    if (way == 0) key(kEsc);
    if (way == 1) rightClick(300, 200);
    if (way == 2) key(kEnter);
    EXPECT_EQ(currentState(), NameToRecords) << way;
    EXPECT_EQ(highlightedRecord, 0xFFFF) << way;
    EXPECT_EQ(recordTable.rows[0].score, 0u) << way;
    wait(200);
    EXPECT_EQ(currentState(), Records);
    key(kEsc);
    wait(200);
    EXPECT_EQ(currentState(), MainMenu);
  }
}

TEST_F(NameEntryTest, ALeftClickAnywhereTakesTheName) {
  gameEnds(800);
  key(0x10);
  click(5, 430);
  EXPECT_EQ(highlightedRecord, 0);
  EXPECT_STREQ(recordTable.rows[0].name, "q");
  EXPECT_EQ(recordTable.rows[0].score, 800u);
}

}  // namespace
}  // namespace zb::test
