// The pictures of the letter chase game.
#include "game_pictures.h"

#include "game_parts.h"

namespace zbdata {

void buildGamePictures(DataSet& data, const Palette& palette) {
  game::buildHero(data, palette);
  game::buildEnemies(data, palette);
  game::buildGrounds(data, palette);
  game::buildEffects(data, palette);
  game::buildNewLetterPanel(data, palette);
}

}  // namespace zbdata
