// The pixel drawings of keyboards/symbols.txt: symbols for the key caps
// and small pictures for the keyboard body.
#pragma once

#include <map>
#include <string>

#include "dataset.h"
#include "raster.h"

namespace zbdata {

// By name; '#' pixels carry the glyph colour 16, coloured drawings their
// palette colours.
std::map<std::string, Raster> loadSymbols(DataSet& data);

}  // namespace zbdata
