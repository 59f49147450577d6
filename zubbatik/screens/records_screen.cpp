// The records screen: the ten best games, the one just filed highlighted.
#include <string>

#include "engine/events.h"
#include "persist/records.h"
#include "screens/menu_screens.h"
#include "screens/menus.h"
#include "screens/name_records.h"
#include "screens/state_machine.h"

namespace zb {

void enterRecords() {
  menuTexts.load(messagesPath("rdmnu"));
  drawMenuText(menuTexts.text(0), 190, 122, 107);
  drawMenuText(menuTexts.text(1), 350, 122, 107);
  for (uint16_t row = 0; row < kRecordRows; ++row) {
    char name[kRecordNameSize] = {};
    uint32_t rowScore = 0;
    GetRecord(row, name, rowScore);
    name[kRecordNameSize - 1] = 0;
    if (name[0] == 0 || rowScore == 0) continue;  // an empty row leaves a gap
    uint8_t colour = row == highlightedRecord ? 107 : 191;
    int y = 146 + 19 * row;
    drawMenuText(name, 187, y, colour);
    drawMenuText(std::to_string(rowScore).c_str(), 347, y, colour);
  }
}

void handleRecords(uint16_t code, uint32_t argument) {
  bool leave = code == LeftClick || code == RightClick;
  if (code == KeyDown) {
    uint16_t key = keyOf(argument);
    leave = key == kKeyEsc || key == kKeyEnter;
  }
  if (leave) EnterState(RecordsClosing);
}

}  // namespace zb
