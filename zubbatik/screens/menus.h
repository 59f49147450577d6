// The menu screens and the resources they share with the rest of the game.
#pragma once

#include <cstdint>

#include "engine/image.h"
#include "engine/sound.h"
#include "engine/textlist.h"

namespace zb {

// Shared menu resources, loaded at start-up and kept for the whole run.
extern Sound clickSound;         // "MDATA\slitm.sn"
extern TextList levelLetters;    // "MDATA\lvltrs.lim": string i is layout i's letters
extern Image shadeMask;          // "GDATA\shmsk.im3"
extern Image menuBackground;     // "MDATA\igrnd.im3"
extern Image menuFont;           // "MDATA\mnfnt.im3": glyph c is frame c
extern Image transitionPicture;  // the panel animation on slot 0

// Reloaded by each menu screen on entry.
extern TextList menuTexts;       // the current screen's texts
extern TextList layoutNames;     // the layout names the main menu shows
extern Image cursorPictures[3];  // slot 1
extern Image flagPictures[6];    // slot 2
extern Image keyboardMarker;     // the main menu's status markers
extern Image layoutMarker;
extern Image soundMarker;
extern Image mouseMarker;

// Working variables of the menus (none persisted).
extern uint8_t mainMenuCursor;  // never reset: the main menu reopens on the item last used
extern uint8_t pendingLanguage;
extern uint8_t pendingKeyboardType;
extern uint8_t pendingLayout;
extern uint8_t pendingLevel;
extern uint8_t letterCount;  // length of the current layout's letter sequence

// Letter i of layout's letter sequence; 0 past its end.
uint8_t sequenceLetter(uint8_t layout, uint32_t i);

// Where the panels sit: every panel transition saves and restores this
// rectangle of the screen.
inline constexpr uint16_t kPanelX = 131;
inline constexpr uint16_t kPanelY = 73;
inline constexpr uint16_t kPanelWidth = 367;
inline constexpr uint16_t kPanelHeight = 293;

// Entry actions of the pass states of the menus.
void enterStartup();
void enterQuit();
void enterExitChosen();

// Attaches every screen's entry action and handler to the state machine.
void registerScreens();

}  // namespace zb
