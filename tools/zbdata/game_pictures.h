// The pictures of the letter chase game: grounds with their descriptors,
// enemies with their catching pictures, the hero, the vanishing letter,
// the damage bar and the new-letter panel.
#pragma once

#include "dataset.h"
#include "palette.h"

namespace zbdata {

void buildGamePictures(DataSet& data, const Palette& palette);

}  // namespace zbdata
