#include "text.h"

#include <array>

namespace pirvo3 {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Length of the sequence a lead byte starts, 0 for a byte that cannot lead.
int sequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// Decodes one character at pos; advances pos. Overlong forms, surrogates
// and values above U+10FFFF are rejected.
bool decodeOne(std::string_view s, std::size_t& pos, char32_t& out) {
  const auto lead = static_cast<unsigned char>(s[pos]);
  const int len = sequenceLength(lead);
  if (len == 0 || pos + static_cast<std::size_t>(len) > s.size()) {
    ++pos;
    return false;
  }
  if (len == 1) {
    out = lead;
    ++pos;
    return true;
  }
  char32_t c = lead & (0x7F >> len);
  for (int i = 1; i < len; ++i) {
    const auto b = static_cast<unsigned char>(s[pos + static_cast<std::size_t>(i)]);
    if ((b & 0xC0) != 0x80) {
      pos += static_cast<std::size_t>(i);
      return false;
    }
    c = (c << 6) | (b & 0x3F);
  }
  pos += static_cast<std::size_t>(len);
  static constexpr std::array<char32_t, 5> kMin = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kMin[static_cast<std::size_t>(len)] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    return false;
  }
  out = c;
  return true;
}

// Bytes 0x80..0xBF of Windows-1251; 0xC0..0xFF are А..я in order.
constexpr std::array<char16_t, 64> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

char32_t cp1251Char(unsigned char b) {
  if (b < 0x80) return b;
  if (b >= 0xC0) return 0x0410 + (b - 0xC0);
  return kCp1251High[b - 0x80];
}

}  // namespace

std::u32string toUtf32(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    char32_t c = 0;
    out.push_back(decodeOne(utf8, pos, c) ? c : kReplacement);
  }
  return out;
}

std::string toUtf8(char32_t c) {
  std::string out;
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacement;
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
  return out;
}

std::string toUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char32_t c : text) out += toUtf8(c);
  return out;
}

bool isValidUtf8(std::string_view bytes) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    char32_t c = 0;
    if (!decodeOne(bytes, pos, c)) return false;
  }
  return true;
}

std::string cp1251ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char b : bytes) out += toUtf8(cp1251Char(static_cast<unsigned char>(b)));
  return out;
}

bool utf8ToCp1251(std::string_view utf8, std::string& out) {
  out.clear();
  for (char32_t c : toUtf32(utf8)) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    if (c >= 0x0410 && c <= 0x044F) {
      out.push_back(static_cast<char>(0xC0 + (c - 0x0410)));
      continue;
    }
    bool found = false;
    for (std::size_t i = 0; i < kCp1251High.size(); ++i) {
      if (kCp1251High[i] == c && c != kReplacement) {
        out.push_back(static_cast<char>(0x80 + i));
        found = true;
        break;
      }
    }
    if (!found) return false;
  }
  return true;
}

char32_t lowerCase(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 0x20;
  if (c >= 0x00C0 && c <= 0x00DE && c != 0x00D7) return c + 0x20;  // Latin-1 capitals
  if (c >= 0x0410 && c <= 0x042F) return c + 0x20;                 // А..Я
  if (c >= 0x0400 && c <= 0x040F) return c + 0x50;                 // Ѐ..Џ, Ё among them
  if (c == 0x0490) return 0x0491;                                  // Ґ
  return c;
}

std::size_t charCount(std::string_view utf8) {
  std::size_t count = 0;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    char32_t c = 0;
    decodeOne(utf8, pos, c);
    ++count;
  }
  return count;
}

std::string charAt(std::string_view utf8, std::size_t index) {
  std::size_t pos = 0;
  std::size_t i = 0;
  while (pos < utf8.size()) {
    const std::size_t start = pos;
    char32_t c = 0;
    const bool ok = decodeOne(utf8, pos, c);
    if (i == index) return ok ? std::string(utf8.substr(start, pos - start)) : toUtf8(kReplacement);
    ++i;
  }
  return {};
}

}  // namespace pirvo3
