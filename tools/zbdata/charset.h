// The one 8-bit character code of the data set (charset.tsv): every text
// list, font and keyboard layout is written in it.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dataset.h"

namespace zbdata {

class Charset {
 public:
  // Reads charset.tsv of the sources. Errors go to data.
  static Charset load(DataSet& data);

  // The character of a code; nullopt for a code the table does not list.
  std::optional<char32_t> character(uint8_t code) const {
    return characters_[code] != 0 ? std::optional<char32_t>(characters_[code]) : std::nullopt;
  }
  // The code of a character; nullopt when it has none.
  std::optional<uint8_t> code(char32_t c) const;
  // Every listed code, ascending.
  std::vector<uint8_t> codes() const;

  // Encodes UTF-8 text. A character without a code (or broken UTF-8) is
  // reported as an error of file:line and leaves a '?' in its place.
  std::string encode(std::string_view utf8, DataSet& data, const std::filesystem::path& file,
                     int line) const;

 private:
  std::array<char32_t, 256> characters_{};
};

// Splits UTF-8 into code points; nullopt for broken UTF-8.
std::optional<std::u32string> decodeUtf8(std::string_view text);
std::string encodeUtf8(char32_t c);

}  // namespace zbdata
