#include "charset.h"

#include <cstdio>
#include <cstdlib>

namespace zbdata {

std::optional<std::u32string> decodeUtf8(std::string_view text) {
  std::u32string out;
  for (size_t i = 0; i < text.size();) {
    auto b = static_cast<unsigned char>(text[i]);
    int n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > text.size()) return std::nullopt;
    char32_t c = n == 1 ? b : n == 2 ? (b & 0x1F) : n == 3 ? (b & 0x0F) : (b & 0x07);
    for (int k = 1; k < n; ++k) {
      auto t = static_cast<unsigned char>(text[i + k]);
      if ((t >> 6) != 2) return std::nullopt;
      c = (c << 6) | (t & 0x3F);
    }
    out.push_back(c);
    i += n;
  }
  return out;
}

std::string encodeUtf8(char32_t c) {
  std::string s;
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (c >> 18));
    s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
  return s;
}

Charset Charset::load(DataSet& data) {
  Charset set;
  std::filesystem::path file = data.source("charset.tsv");
  for (const Row& row : readTable(file, data)) {
    char* end = nullptr;
    unsigned long code = row.fields.empty() ? 0 : std::strtoul(row.fields[0].c_str(), &end, 16);
    if (row.fields.size() < 2 || end == row.fields[0].c_str() || *end != 0 || code < 1 || code > 255) {
      data.error(file, row.line, "expected: code (hex 01-FF), character");
      continue;
    }
    char32_t c = 0;
    const std::string& text = row.fields[1];
    if (text.size() > 2 && text.compare(0, 2, "U+") == 0) {
      c = static_cast<char32_t>(std::strtoul(text.c_str() + 2, nullptr, 16));
    } else if (auto chars = decodeUtf8(text); chars && chars->size() == 1) {
      c = (*chars)[0];
    }
    if (c == 0) {
      data.error(file, row.line, "the character must be one character or U+XXXX");
      continue;
    }
    if (set.characters_[code] != 0) data.error(file, row.line, "code listed twice");
    if (set.code(c)) data.error(file, row.line, "character listed twice");
    set.characters_[code] = c;
  }
  return set;
}

std::optional<uint8_t> Charset::code(char32_t c) const {
  for (int i = 1; i < 256; ++i)
    if (characters_[i] == c) return static_cast<uint8_t>(i);
  return std::nullopt;
}

std::vector<uint8_t> Charset::codes() const {
  std::vector<uint8_t> out;
  for (int i = 1; i < 256; ++i)
    if (characters_[i] != 0) out.push_back(static_cast<uint8_t>(i));
  return out;
}

std::string Charset::encode(std::string_view utf8, DataSet& data, const std::filesystem::path& file,
                            int line) const {
  std::optional<std::u32string> chars = decodeUtf8(utf8);
  if (!chars) {
    data.error(file, line, "not UTF-8 text");
    return std::string(utf8.size(), '?');
  }
  std::string out;
  for (char32_t c : *chars) {
    std::optional<uint8_t> b = code(c);
    if (!b) {
      char hex[16];
      std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(c));
      data.error(file, line, "'" + encodeUtf8(c) + "' (" + hex + ") has no code in charset.tsv");
      out += '?';
      continue;
    }
    out += static_cast<char>(*b);
  }
  return out;
}

}  // namespace zbdata
