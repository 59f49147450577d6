#include "modes/game.h"

#include "modes/keyboard.h"

namespace zb {

uint16_t playState = 0;
uint8_t gameKeyboardType = 0;
uint8_t gameLayout = 0;
uint8_t gameLevel = 0;
uint8_t introducedLetters = 0;
uint8_t maxLevel = 0;
uint16_t damage = 0;
uint16_t enemyDelay = 0;
uint16_t newestLetterHits = 0;
uint8_t track[kMaxTrackLength] = {};
uint8_t trackLength = 0;
uint8_t trackPos = 0;
uint16_t trackX = 0;
uint16_t groundY = 0;
uint16_t enemyStartX = 0;
uint16_t enemyX = 0;
uint16_t heroX = 0;
uint16_t heroTargetX = 0;
uint16_t presentedLetterKey = NoKey;
uint16_t presentedModifierKey = NoKey;

TextList newLetterTexts;
Image newLetterPanel;
Image damageBarPicture;
Image fieldFont;
Image letterOffPicture;
Image heroPicture;
Image groundPicture;
Image enemyPicture;
Image enemyCatchPicture;

namespace {
void (*playObserver)(uint16_t) = nullptr;
void (*trackObserver)(const uint8_t*, uint8_t) = nullptr;
}  // namespace

void setPlayStateObserver(void (*observer)(uint16_t)) { playObserver = observer; }
void setTrackObserver(void (*observer)(const uint8_t*, uint8_t)) { trackObserver = observer; }
void setGameClock(uint32_t (*)()) {}

void enterPlayState(uint16_t state) {
  playState = state;
  if (playObserver != nullptr) playObserver(state);
}
void handlePlayEvent(uint16_t, uint32_t) {}
void reloadGameKeyboard() {}
void redrawGame() {}
void buildTrack() {}
void drawTrack() {}
bool advanceEnemy() { return false; }
void snapHero() {}
void markLetterKeys(uint8_t) {}
void unmarkLetterKeys(uint8_t) {}
void drawLevel() {}
void drawScore() {}
void drawDamage() {}
void resetGame() {}

}  // namespace zb
