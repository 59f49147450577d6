#include "logic/text.h"

namespace vorm {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Length of the sequence a lead byte opens (0 for a byte that cannot lead), its
// payload bits and the smallest code point it may encode (shorter is overlong).
struct Lead {
  size_t extra;
  char32_t bits;
  char32_t minimum;
};

Lead classify(unsigned char b) {
  if ((b & 0xE0) == 0xC0) return {1, char32_t(b & 0x1F), 0x80};
  if ((b & 0xF0) == 0xE0) return {2, char32_t(b & 0x0F), 0x800};
  if ((b & 0xF8) == 0xF0) return {3, char32_t(b & 0x07), 0x10000};
  return {0, 0, 0};
}

}  // namespace

std::u32string fromUtf8(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    if (b0 < 0x80) {
      out.push_back(b0);
      ++i;
      continue;
    }
    const Lead lead = classify(b0);
    bool ok = lead.extra > 0 && i + lead.extra < text.size();
    char32_t cp = lead.bits;
    for (size_t k = 1; ok && k <= lead.extra; ++k) {
      const auto b = static_cast<unsigned char>(text[i + k]);
      ok = (b & 0xC0) == 0x80;
      cp = (cp << 6) | (b & 0x3F);
    }
    if (!ok || cp < lead.minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    out.push_back(cp);
    i += lead.extra + 1;
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

}  // namespace vorm
