// The text lists of the data set (texts/lists.tsv) and the letter
// sequences of the layouts (texts/letters.tsv).
#pragma once

#include "charset.h"
#include "dataset.h"
#include "fonts.h"
#include "keyboards.h"

namespace zbdata {

// Writes every text list; the codes the texts use go into used.
void buildTexts(DataSet& data, const Charset& charset, CodeUse& used);
// Writes "MDATA\lvltrs.lim": one teaching sequence per layout, every
// letter typed by a key of that layout.
void buildLetters(DataSet& data, const Charset& charset, const Keyboards& keyboards, CodeUse& used);

}  // namespace zbdata
