#include "screens/menus.h"

#include "engine/draw.h"
#include "persist/settings.h"
#include "platform/platform.h"
#include "screens/state_machine.h"

namespace zb {

Sound clickSound;
TextList levelLetters;
Image shadeMask;
Image menuBackground;
Image menuFont;
Image transitionPicture;

uint8_t mainMenuCursor = 0;
uint8_t letterCount = 0;

void enterStartup() {
  clickSound.load("MDATA\\slitm.sn");
  levelLetters.load("MDATA\\lvltrs.lim");
  shadeMask.load("GDATA\\shmsk.im3");
  if (!soundAvailable) settings.soundOn = 0;
  letterCount = static_cast<uint8_t>(levelLetters.length(settings.layout));
  // Without a letters file there is no sequence to cut the level down to.
  if (letterCount >= 2 && settings.level > letterCount) settings.level = letterCount;
  menuBackground.load("MDATA\\igrnd.im3");
  drawImage(menuBackground, 0, 0, 0);
  menuFont.load("MDATA\\mnfnt.im3");
  EnterState(LanguageMenuOpening);
}

void enterQuit() { platform().destroyWindow(); }

void enterExitChosen() { EnterState(Quit); }

void registerScreens() {
  setEntryAction(Startup, enterStartup);
  setEntryAction(Quit, enterQuit);
  setEntryAction(ExitChosen, enterExitChosen);
}

}  // namespace zb
