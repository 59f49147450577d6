#include "text.h"

#include <gtest/gtest.h>

namespace pirvo3 {
namespace {

TEST(Pirvo3Text, KeyFilterLowersLatinAndCyrillicCapitalsOnly) {
  const struct {
    char32_t in;
    char32_t out;
  } cases[] = {
      {U'A', U'a'}, {U'Z', U'z'}, {U'a', U'a'}, {U'А', U'а'}, {U'Я', U'я'}, {U'Ж', U'ж'},
      {U'Ё', U'ё'}, {U'ё', U'ё'}, {U'Ґ', U'ґ'}, {U'1', U'1'}, {U' ', U' '}, {U';', U';'},
      {U'\\', U'\\'}, {U'×', U'×'}, {U'É', U'é'},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(lowerCase(c.in), c.out) << toUtf8(c.in);
  }
}

TEST(Pirvo3Text, Cp1251RoundTripsTheRussianAlphabet) {
  const std::string alphabet =
      "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя №«»—";
  std::string bytes;
  ASSERT_TRUE(utf8ToCp1251(alphabet, bytes));
  EXPECT_EQ(bytes.size(), charCount(alphabet));
  EXPECT_EQ(cp1251ToUtf8(bytes), alphabet);
  EXPECT_EQ(cp1251ToUtf8("\xC0\xFF\xA8\xB8"), "АяЁё");
}

TEST(Pirvo3Text, Cp1251RefusesCharactersItCannotHold) {
  std::string bytes;
  EXPECT_FALSE(utf8ToCp1251("日本", bytes));
  EXPECT_EQ(cp1251ToUtf8("\x98"), "\xEF\xBF\xBD");
}

TEST(Pirvo3Text, PositionsCountCharactersNotBytes) {
  EXPECT_EQ(charCount("ллол"), 4u);
  EXPECT_EQ(charAt("ллол", 2), "о");
  EXPECT_EQ(charAt("jkkj", 0), "j");
  EXPECT_EQ(charAt("ллол", 4), "");
  EXPECT_EQ(charAt("", 0), "");
}

TEST(Pirvo3Text, MalformedUtf8IsDetectedAndReplaced) {
  EXPECT_TRUE(isValidUtf8("ллол jkkj"));
  EXPECT_FALSE(isValidUtf8("\xEB\xEB\xEE\xEB"));  // "ллол" in Windows-1251
  EXPECT_FALSE(isValidUtf8("\xC0\x80"));          // overlong NUL
  EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));      // a surrogate
  EXPECT_EQ(toUtf32("a\xFF" "b"), U"a\uFFFDb");
  EXPECT_EQ(charCount("\xD0"), 1u);  // a cut sequence still counts as one
}

}  // namespace
}  // namespace pirvo3
