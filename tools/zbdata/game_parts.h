// The builders of the game's pictures, one source file each.
#pragma once

#include "dataset.h"
#include "palette.h"

namespace zbdata::game {

// The widest enemy and the tallest picture that stands on the ground line
// (hero, enemies, catches): the grounds leave room for them.
int widestEnemy();
int tallestStanding();

void buildHero(DataSet& data, const Palette& palette);         // GDATA\fr
void buildGrounds(DataSet& data, const Palette& palette);      // GDATA\GRNDS
void buildEnemies(DataSet& data, const Palette& palette);      // GDATA\ENMS
void buildEffects(DataSet& data, const Palette& palette);      // ltroff, mtxim
void buildNewLetterPanel(DataSet& data, const Palette& palette);  // GDATA\TRNSF\nwltr

}  // namespace zbdata::game
