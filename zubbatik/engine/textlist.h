// Text lists (.lim): every word zubbatik shows and the letter sets of the
// keyboard layouts.
//
// .lim (little-endian, no magic): 2 bytes not interpreted, count (4 bytes),
// then count entries of length (4 bytes) and that many bytes of text. The
// loader adds the terminating 0. Per-language lists are named with the
// suffixes in kLanguageSuffixes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zb {

inline constexpr int kTextListHeaderSize = 6;
// File-name suffixes of the four interface languages, by language number.
inline constexpr const char* kLanguageSuffixes[4] = {"rus", "eng", "grm", "fr"};

class TextList {
 public:
  TextList() = default;
  ~TextList() = default;
  TextList(const TextList&) = delete;
  TextList& operator=(const TextList&) = delete;
  TextList(TextList&&) = default;
  TextList& operator=(TextList&&) = default;

  // Loads a .lim file. The path is remembered before the file is opened:
  // asked again for the same path the load succeeds at once, even when the
  // first attempt failed. A file that cannot be opened keeps the previous
  // strings. A file cut short keeps what it had (the string being read is
  // cut, later ones are empty); a count the file cannot possibly hold
  // fails the load and leaves the list empty.
  bool load(std::string_view path);
  // Frees every string (the remembered path stays).
  void release();

  uint32_t count() const { return static_cast<uint32_t>(entries_.size()); }
  // The zero-terminated string i; "" for an index at or beyond count.
  const char* text(uint32_t i) const { return i < entries_.size() ? entries_[i].c_str() : ""; }
  // The length of string i in bytes; 0 beyond count.
  uint32_t length(uint32_t i) const {
    return i < entries_.size() ? static_cast<uint32_t>(entries_[i].size()) : 0;
  }
  const std::optional<std::string>& fileName() const { return fileName_; }

 private:
  std::vector<std::string> entries_;
  std::optional<std::string> fileName_;
};

}  // namespace zb
