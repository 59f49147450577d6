#pragma once
// UTF-8 <-> code points. The drill compares phrases character by character, so
// the logic works on code points and hands UTF-8 to whoever shows the text.
#include <string>
#include <string_view>

namespace vorm {

// Malformed sequences become U+FFFD, one per offending byte, so nothing is lost
// silently and decoding never fails.
std::u32string fromUtf8(std::string_view text);
std::string toUtf8(std::u32string_view text);
std::string toUtf8(char32_t c);

}  // namespace vorm
