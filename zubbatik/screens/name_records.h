// The name entry after a game that beat the table, and the records screen.
#pragma once

#include <cstdint>

namespace zb {

// Characters of settings.playerName while the name entry is shown.
extern uint16_t nameLength;
// The row of the record table drawn highlighted, or 0xFFFF for none.
extern uint16_t highlightedRecord;

// The name holds at most 14 characters and its terminating zero.
inline constexpr uint16_t kNameCapacity = 15;

// Where the name is typed, on screen and in the last frame of the
// name-entry panel (which sits at kNamePanelX, kNamePanelY).
inline constexpr uint16_t kNamePanelX = 131;
inline constexpr uint16_t kNamePanelY = 105;
inline constexpr uint16_t kNameX = 192;
inline constexpr uint16_t kNameY = 214;

}  // namespace zb
