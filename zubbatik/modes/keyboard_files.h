// Writers of the key geometry (.def) and layout (.rkb) files, for the data
// builder and the tests. What a writer produces, loaded by loadKeyboard and
// written again, gives the same bytes.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "modes/keyboard.h"

namespace zb {

// The key count (2 bytes), then one 8-byte geometry record a key.
std::vector<uint8_t> geometryFileBytes(std::span<const KeyGeometry> keys);
// The key count (2 bytes), then one 7-byte label record a key.
std::vector<uint8_t> layoutFileBytes(std::span<const KeyLabels> labels);

}  // namespace zb
