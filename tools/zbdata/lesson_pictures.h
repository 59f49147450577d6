// The pictures of the guided keyboard lesson: its background, the hands on
// the keyboard and lifting away, the notice, the letter board and its
// closing.
#pragma once

#include "dataset.h"
#include "palette.h"

namespace zbdata {

void buildLessonPictures(DataSet& data, const Palette& palette);

}  // namespace zbdata
