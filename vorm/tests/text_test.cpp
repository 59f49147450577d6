#include "logic/text.h"

#include <gtest/gtest.h>

namespace vorm {
namespace {

TEST(VormText, RoundTripsEveryLength) {
  const std::u32string text = U"aЖ№€😀\u0001";
  EXPECT_EQ(fromUtf8(toUtf8(text)), text);
  EXPECT_EQ(toUtf8(U"Ёё"), "Ёё");
}

TEST(VormText, MalformedBytesBecomeReplacementCharacters) {
  struct Row {
    const char* name;
    std::string bytes;
    std::u32string expected;
  };
  const Row rows[] = {
      {"lone continuation", "a\x80z", U"a\uFFFDz"},
      {"truncated at end", "a\xD0", U"a\uFFFD"},
      {"truncated before ascii", "\xE2\x82z", U"\uFFFD\uFFFDz"},
      {"overlong slash", "\xC0\xAF", U"\uFFFD\uFFFD"},
      {"surrogate", "\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},
      {"beyond unicode", "\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"invalid lead", "\xFF", U"\uFFFD"},
  };
  for (const Row& row : rows) EXPECT_EQ(fromUtf8(row.bytes), row.expected) << row.name;
}

}  // namespace
}  // namespace vorm
