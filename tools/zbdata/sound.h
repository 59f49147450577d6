// The one sound of the data set: the menus' click.
#pragma once

#include <cstdint>
#include <vector>

#include "dataset.h"

namespace zbdata {

// The click's samples: unsigned 8-bit mono at 11025 per second.
std::vector<uint8_t> clickSamples();
// Writes "MDATA\slitm.sn".
void buildClick(DataSet& data);

}  // namespace zbdata
