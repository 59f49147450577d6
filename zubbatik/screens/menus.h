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

// Working variables of the menus (none persisted).
extern uint8_t mainMenuCursor;
extern uint8_t letterCount;  // length of the current layout's letter sequence

// Entry actions and handlers of the menu states.
void enterStartup();
void enterQuit();
void enterExitChosen();

// Attaches every screen's entry action and handler to the state machine.
void registerScreens();

}  // namespace zb
