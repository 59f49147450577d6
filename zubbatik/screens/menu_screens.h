// What the menu screens share among themselves: their entry actions and
// handlers (attached by registerScreens) and the small helpers every menu
// draws and reads input with.
#pragma once

#include <cstdint>
#include <string>

namespace zb {

// Key bytes the menus react to (compared with the low 16 bits of the key
// word, where only the key byte can be set).
inline constexpr uint16_t kKeyEsc = 0x01;
inline constexpr uint16_t kKeyEnter = 0x1C;
inline constexpr uint16_t kKeyBackspace = 0x0E;

// Up and Left step back, Right and Down forward, numeric pad or cursor block.
enum class MenuStep : int8_t { None = 0, Previous = -1, Next = 1 };
MenuStep menuStepOf(uint16_t key);
inline uint16_t keyOf(uint32_t keyWord) { return static_cast<uint16_t>(keyWord & 0xFFFF); }

// Moves an item number one step with wrap-around over count items.
uint8_t wrapStep(uint8_t item, MenuStep step, uint8_t count);
// The item whose band first + pitch i < value < first + span + pitch i
// holds value (bounds exclusive), or -1; count items.
int itemAt(int value, int first, int pitch, int span, int count);

// "MDATA\MSGS\" + base + the interface language's suffix + ".lim".
std::string messagesPath(const char* base);

// The menu font's cell: every character advances W pixels, H high.
uint16_t fontWidth();
uint16_t fontHeight();
// Menu text in colour 191 or 107 with the menu font.
void drawMenuText(const char* text, int x, int y, uint8_t colour);
// x of a text of length n centred on centre (halving truncated).
int centredOn(int centre, uint32_t length);
// Titles are centred on x 314.
inline int centredX(uint32_t length) { return centredOn(314, length); }

// The click heard when a cursor moves by key (only with the sound on).
void playMenuClick();

// Starts the panel animation on slot 0 at 40 ms per frame, loading
// picture first unless it is null (a closing plays the opening's picture).
void playPanel(const char* picture, uint16_t x, uint16_t y, uint8_t flags);
// Saves the panel rectangle of the screen for a closing that must bring
// it back.
void capturePanelBackground();

inline constexpr uint8_t kPanelForward = 0x10;   // once, forwards: the panel opens
inline constexpr uint8_t kPanelBackward = 0x11;  // once, backwards: back to frame 0
inline constexpr uint8_t kPanelVanish = 0x1F;    // backwards over the captured screen
inline constexpr uint8_t kLoopingSprite = 0x0A;  // cursors and flags
inline constexpr uint16_t kCursorDelay = 100;
inline constexpr uint16_t kFlagDelay = 150;

// The language and layout menus are lists whose cursor row also shows a
// waving flag (slot 2). Their keys and clicks work alike.
struct FlagList {
  uint16_t closingState;  // entered by Esc and a right click, and after a choice
  uint8_t count;
  int clickLeft;          // rows take clicks with clickLeft < x < clickRight
  int clickRight;
  int firstRowTop;        // row i takes clicks with top + 27 i < y < top + 26 + 27 i
  uint8_t& pending;       // the row under the cursor
  void (*take)();         // takes the pending row as the choice
  void (*moveTo)(uint8_t row);  // moves cursor and flag to another row
};
// KeyDown, LeftClick and RightClick of a flag list.
void handleFlagListInput(const FlagList& list, uint16_t code, uint32_t argument);

// Transitions.
void registerTransitions();

// Menus: entry actions and handlers.
void enterLanguageMenu();
void handleLanguageMenu(uint16_t code, uint32_t argument);
void enterMainMenu();
void handleMainMenu(uint16_t code, uint32_t argument);
void enterKeyboardMenu();
void handleKeyboardMenu(uint16_t code, uint32_t argument);
void enterLayoutMenu();
void handleLayoutMenu(uint16_t code, uint32_t argument);
void enterLevelMenu();
void handleLevelMenu(uint16_t code, uint32_t argument);
void enterSoundSwitch();
void enterMouseSwitch();
void enterNameEntry();
void handleNameEntry(uint16_t code, uint32_t argument);
void enterRecords();
void handleRecords(uint16_t code, uint32_t argument);

}  // namespace zb
