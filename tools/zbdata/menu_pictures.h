// The pictures of zubbatik's menus: background, panels and their
// transitions, cursors, flags, status markers and the shade mask.
#pragma once

#include "dataset.h"
#include "palette.h"

namespace zbdata {

// Writes every menu picture into the data set.
void buildMenuPictures(DataSet& data, const Palette& palette);

namespace menu {

void buildBackground(DataSet& data, const Palette& palette);  // igrnd, shmsk
void buildPanels(DataSet& data, const Palette& palette);      // MDATA\TRNSF
void buildCursors(DataSet& data, const Palette& palette);     // MDATA\CRSRS
void buildMarkers(DataSet& data, const Palette& palette);     // keyboard, sound, mouse markers
void buildFlags(DataSet& data, const Palette& palette);       // flg*, aflg*

}  // namespace menu

}  // namespace zbdata
