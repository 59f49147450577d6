// The records screen: the rows of the table, the one just filed in gold,
// empty rows left as gaps; any key of Esc and Enter or any click leaves.
#include <gtest/gtest.h>

#include <cstring>

#include "menu_fixture.h"
#include "persist/records.h"
#include "screens/name_records.h"
#include "screens/state_machine.h"

namespace zb::test {
namespace {

class RecordsScreenTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    writeFixtureData({"aa", "aa", "aa", "aa", "aa", "aa"});
    createWindow();
    EnterState(Startup);
    wait(200);
  }
  void setRow(int row, const char* name, uint32_t rowScore) {
    std::memset(recordTable.rows[row].name, 0, kRecordNameSize);
    std::strncpy(recordTable.rows[row].name, name, kRecordNameSize - 1);
    recordTable.rows[row].score = rowScore;
  }
  int rowY(int row) const { return 146 + 19 * row; }
};

TEST_F(RecordsScreenTest, RowsAreDrawnWithGapsAndTheNewOneHighlighted) {
  setRow(0, "Anna", 900);
  setRow(1, "Bo", 700);
  setRow(2, "", 650);  // a name lost to damage: a gap
  setRow(3, "Cid", 0);
  setRow(4, "Dan", 40);
  highlightedRecord = 1;
  EnterState(Records);
  EXPECT_EQ(cell(190, 122), 107) << "heading";
  EXPECT_EQ(cell(350, 122), 107);
  EXPECT_EQ(cell(187, rowY(0)), 191);
  EXPECT_EQ(cell(187 + 8 * 3, rowY(0)), 191);
  EXPECT_EQ(cell(187 + 8 * 4, rowY(0)), kPanelColour) << "four letters";
  EXPECT_EQ(cell(347 + 8 * 2, rowY(0)), 191) << "900";
  EXPECT_EQ(cell(347 + 8 * 3, rowY(0)), kPanelColour);
  EXPECT_EQ(cell(187, rowY(1)), 107);
  EXPECT_EQ(cell(347, rowY(1)), 107);
  for (int gap : {2, 3, 5, 9}) {
    EXPECT_EQ(cell(187, rowY(gap)), kPanelColour) << gap;
    EXPECT_EQ(cell(347, rowY(gap)), kPanelColour) << gap;
  }
  EXPECT_EQ(cell(347 + 8, rowY(4)), 191) << "40";
}

TEST_F(RecordsScreenTest, EscEnterAndClicksLeaveOtherKeysDoNot) {
  for (int way = 0; way < 4; ++way) {
    EnterState(Records);
    key(0x39);
    key(0x0E);
    window.keyUp(0x01);
    EXPECT_EQ(currentState(), Records);
    switch (way) {
      case 0: key(0x01); break;
      case 1: key(0x1C); break;
      case 2: click(5, 5); break;
      default: rightClick(600, 400); break;
    }
    EXPECT_EQ(currentState(), RecordsClosing) << way;
    wait(200);
    EXPECT_EQ(currentState(), MainMenu);
  }
}

TEST_F(RecordsScreenTest, EveryWayInButTheNameEntryForgetsTheHighlight) {
  setRow(0, "Anna", 900);
  for (uint16_t way : {RecordsOpening, RecordsMenuOpening}) {
    highlightedRecord = 0;
    EnterState(way);
    EXPECT_EQ(highlightedRecord, 0xFFFF);
    wait(200);
    ASSERT_EQ(currentState(), Records);
    EXPECT_EQ(cell(187, rowY(0)), 191);
  }
}

}  // namespace
}  // namespace zb::test
