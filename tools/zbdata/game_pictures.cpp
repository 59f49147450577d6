#include "game_pictures.h"

namespace zbdata {

void buildGamePictures(DataSet&, const Palette&) {}

}  // namespace zbdata
