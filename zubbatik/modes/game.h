// The letter chase game and its new-letter presentation: one sub-state
// machine inside the screen states Game and GameResume. The screen state
// machine calls enterPlayState on entry and forwards every event to
// handlePlayEvent.
#pragma once

#include <cstdint>

#include "engine/image.h"
#include "engine/textlist.h"

namespace zb {

enum PlayState : uint16_t {
  PlayLoad = 90,
  PlayNewGame = 100,
  PlayLost = 101,
  PlayOver = 102,
  PlaySuspend = 103,
  PlayResume = 104,
  PlayTrackDone = 110,
  PlayTrackShow = 115,
  PlayRun = 120,
  PlayRunOn = 121,
  PlayCaught = 130,
  PlayEnemyCatch = 131,
  PlayCaughtWait = 132,
  PlayCaughtEnd = 133,
  PlayLetterOpen = 150,
  PlayLetterShow = 155,
  PlayLetterClose = 160,
  PlayDemoModifierDown = 170,
  PlayDemoKeyDown = 171,
  PlayDemoModifierUp = 172,
  PlayDemoKeyUp = 173,
  PlayDemoWait = 180,
};

inline constexpr uint8_t kMaxTrackLength = 100;

// The game's variables (one set for the process).
extern uint16_t playState;
extern uint8_t gameKeyboardType;
extern uint8_t gameLayout;
extern uint8_t gameLevel;
extern uint8_t introducedLetters;
extern uint8_t maxLevel;
extern uint16_t damage;
extern uint16_t enemyDelay;
extern uint16_t newestLetterHits;
extern uint8_t track[kMaxTrackLength];
extern uint8_t trackLength;
extern uint8_t trackPos;
extern uint16_t trackX;
extern uint16_t groundY;
extern uint16_t enemyStartX;
extern uint16_t enemyX;
extern uint16_t heroX;
extern uint16_t heroTargetX;
// The new-letter presentation's keys (NoKey when absent).
extern uint16_t presentedLetterKey;
extern uint16_t presentedModifierKey;

// Pictures and texts of the game, loaded by the first game of the run.
extern TextList newLetterTexts;   // "GDATA\MSGS\nwsmbl.lim"
extern Image newLetterPanel;      // "GDATA\TRNSF\nwltr.im3"
extern Image damageBarPicture;    // "GDATA\mtxim.im3"
extern Image fieldFont;           // "GDATA\fldfnt.im3": glyph c is frame c - 32
extern Image letterOffPicture;    // "GDATA\ltroff.im3"
extern Image heroPicture;         // "GDATA\fr.im3"
extern Image groundPicture;       // "GDATA\GRNDS\gmgrd<n>.im3"
extern Image enemyPicture;        // "GDATA\ENMS\enm<m>.im3"
extern Image enemyCatchPicture;   // "GDATA\ENMS\enmet<m>.im3"

void enterPlayState(uint16_t state);
void handlePlayEvent(uint16_t code, uint32_t argument);

// The new-letter presentation: entry actions and events of sub-states 150
// to 180 (the game passes them on).
void enterNewLetterState(uint16_t state);
void handleNewLetterEvent(uint16_t code, uint32_t argument);
void resetNewLetter();

// For the lesson: puts the suspended game's keyboard back and redraws the
// whole game picture.
void reloadGameKeyboard();
void redrawGame();

// Building blocks of the game, open for tests.
void buildTrack();
void drawTrack();
bool advanceEnemy();
void snapHero();
void markLetterKeys(uint8_t character);
void unmarkLetterKeys(uint8_t character);
void drawLevel();
void drawScore();
void drawDamage();

// Called with every sub-state the game enters, and with every track built
// (scripted runs print them).
void setPlayStateObserver(void (*observer)(uint16_t state));
void setTrackObserver(void (*observer)(const uint8_t* symbols, uint8_t length));
// Where buildTrack takes its seconds for the generator (default: time(nullptr)).
void setGameClock(uint32_t (*seconds)());

// Back to the state at program start (tests).
void resetGame();

}  // namespace zb
