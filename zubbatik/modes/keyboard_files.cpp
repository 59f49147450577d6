#include "modes/keyboard_files.h"

namespace zb {

namespace {

void appendU16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

}  // namespace

std::vector<uint8_t> geometryFileBytes(std::span<const KeyGeometry> keys) {
  std::vector<uint8_t> out;
  appendU16(out, static_cast<uint16_t>(keys.size()));
  for (const KeyGeometry& k : keys) {
    out.push_back(k.scanCode);
    appendU16(out, k.x);
    appendU16(out, k.y);
    for (uint8_t v : {k.capShape, k.finger, k.homeFinger}) out.push_back(v);
  }
  return out;
}

std::vector<uint8_t> layoutFileBytes(std::span<const KeyLabels> labels) {
  std::vector<uint8_t> out;
  appendU16(out, static_cast<uint16_t>(labels.size()));
  for (const KeyLabels& l : labels)
    for (uint8_t v : {l.noLabels, l.mainGlyph, l.upperGlyph, l.altGrGlyph, l.plainChar, l.shiftChar,
                      l.altGrChar})
      out.push_back(v);
  return out;
}

}  // namespace zb
