// Text helpers: every string of the program is UTF-8; lesson files may come
// in Windows-1251.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pirvo3 {

// Decodes UTF-8; a malformed sequence becomes U+FFFD.
std::u32string toUtf32(std::string_view utf8);
std::string toUtf8(std::u32string_view text);
std::string toUtf8(char32_t c);

bool isValidUtf8(std::string_view bytes);

// Windows-1251 to UTF-8; the one unassigned byte (0x98) becomes U+FFFD.
std::string cp1251ToUtf8(std::string_view bytes);
// UTF-8 to Windows-1251; false when a character has no Windows-1251 byte.
bool utf8ToCp1251(std::string_view utf8, std::string& out);

// The key filter of the typing field: Latin and Cyrillic capitals (Ё
// included) become small letters, everything else passes unchanged.
char32_t lowerCase(char32_t c);

// Length in characters and the character at a 0-based position ("" past
// the end) of a UTF-8 string.
std::size_t charCount(std::string_view utf8);
std::string charAt(std::string_view utf8, std::size_t index);

}  // namespace pirvo3
