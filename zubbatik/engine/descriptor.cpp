#include "engine/descriptor.h"

#include <algorithm>
#include <cstring>

#include "engine/files.h"
#include "engine/image.h"

namespace zb {

bool Descriptor::load(std::string_view path) {
  if (fileName_ && *fileName_ == path) return true;
  fileName_ = std::string(path);
  FileReader file;
  if (!file.open(dataPath(path))) return false;
  data_.clear();
  data_.shrink_to_fit();
  position_ = 0;
  uint8_t sizeBytes[4] = {};
  file.read(sizeBytes, sizeof sizeBytes);
  // Only bytes really in the file count as payload, so that reads beyond a
  // short file fail instead of handing out invented values.
  size_t size = static_cast<size_t>(std::min<uint64_t>(getU32(sizeBytes), file.remaining()));
  data_.resize(size);
  data_.resize(file.read(data_.data(), size));
  return true;
}

bool Descriptor::loadNumbered(std::string_view path, uint16_t number) {
  return load(numberedFileName(path, number));
}

bool Descriptor::read(void* destination, size_t n) {
  if (data_.empty()) return false;
  if (n > data_.size() - position_) return false;
  if (n != 0) std::memcpy(destination, data_.data() + position_, n);
  position_ += static_cast<uint32_t>(n);
  if (position_ == data_.size()) {
    data_.clear();
    data_.shrink_to_fit();
  }
  return true;
}

}  // namespace zb
