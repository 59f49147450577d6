#include "engine/image.h"

#include <algorithm>

#include "engine/files.h"

namespace zb {

namespace {

constexpr size_t kMaxPathLength = 127;

// A zeroed block of n bytes; null when n is 0 or memory runs out. calloc
// keeps large captures cheap: untouched pages are never committed.
ByteBlock allocateBytes(size_t n) {
  return ByteBlock(n == 0 ? nullptr : static_cast<uint8_t*>(std::calloc(n, 1)));
}

}  // namespace

std::string numberedFileName(std::string_view path, uint16_t number) {
  path = path.substr(0, kMaxPathLength);
  std::string result;
  size_t dot = path.rfind('.');
  if (dot == std::string_view::npos) {
    result = std::string(path) + std::to_string(number);
  } else {
    result = std::string(path.substr(0, dot)) + std::to_string(number) + "." +
             std::string(path.substr(dot + 1));
  }
  if (result.size() > kMaxPathLength) result.resize(kMaxPathLength);
  return result;
}

bool Image::load(std::string_view path) {
  if (fileName_ && *fileName_ == path) return true;
  FileReader file;
  if (!file.open(dataPath(path))) return false;
  release();
  fileName_ = std::string(path);

  uint8_t countBytes[2] = {};
  file.read(countBytes, sizeof countBytes);
  frames_.resize(getU16(countBytes));
  for (ImageFrame& frame : frames_) {
    uint8_t header[kFrameHeaderSize];
    if (!file.readExact(header, sizeof header)) break;  // this and later frames stay empty
    frame.width = getU16(header + 4);
    frame.height = getU16(header + 6);
    frame.offsetX = getU16(header + 8);
    frame.offsetY = getU16(header + 10);
    // Never trust a size the file cannot back: a damaged count must not
    // become a huge allocation, and the decoder must see only real bytes.
    uint64_t declared = getU32(header);
    size_t size = static_cast<size_t>(std::min<uint64_t>(declared, file.remaining()));
    if (size == 0) continue;
    frame.pixels = allocateBytes(size);
    if (!frame.pixels) return false;
    frame.dataSize = static_cast<uint32_t>(file.read(frame.pixels.get(), size));
  }
  return true;
}

bool Image::loadNumbered(std::string_view path, uint16_t number) {
  return load(numberedFileName(path, number));
}

bool Image::allocate(uint16_t width, uint16_t height) {
  release();
  size_t size = size_t{width} * height;
  ImageFrame frame;
  frame.width = width;
  frame.height = height;
  frame.dataSize = static_cast<uint32_t>(size);
  frame.pixels = allocateBytes(size);
  if (size != 0 && !frame.pixels) return false;
  frames_.push_back(std::move(frame));
  return true;
}

void Image::release() {
  frames_.clear();
  frames_.shrink_to_fit();
  fileName_.reset();
}

}  // namespace zb
