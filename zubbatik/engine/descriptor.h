// Descriptors (.adi): small files of packed little-endian numbers that
// accompany some pictures, handed out front to back in fields of the
// reader's choosing.
//
// .adi: size (4 bytes), then size bytes of payload.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zb {

class Descriptor {
 public:
  Descriptor() = default;
  ~Descriptor() = default;
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  Descriptor(Descriptor&&) = default;
  Descriptor& operator=(Descriptor&&) = default;

  // Loads an .adi file; the path is remembered before the file is opened,
  // so a second load of the same path succeeds at once. A payload cut
  // short holds only the bytes that are there.
  bool load(std::string_view path);
  bool loadNumbered(std::string_view path, uint16_t number);

  // Copies the next n bytes to destination. Fails, copying nothing, when
  // fewer than n bytes remain or nothing is loaded. Reading the last byte
  // frees the payload: every later read fails, even one of 0 bytes.
  bool read(void* destination, size_t n);

  uint32_t size() const { return static_cast<uint32_t>(data_.size()); }
  uint32_t position() const { return position_; }

 private:
  std::vector<uint8_t> data_;
  uint32_t position_ = 0;
  std::optional<std::string> fileName_;
};

}  // namespace zb
