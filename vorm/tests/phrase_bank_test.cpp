#include "logic/phrase_bank.h"

#include <gtest/gtest.h>

#include "logic/author.h"
#include "logic/text.h"

namespace vorm {
namespace {

TEST(VormPhraseBank, HoldsBothSetsAroundOneEmptySeparator) {
  const auto& bank = phraseBank();
  ASSERT_EQ(bank.size(), 134u);
  for (int i = 0; i < kPhraseCount; ++i) {
    if (i == 102) {
      EXPECT_TRUE(bank[i].empty());
    } else {
      EXPECT_FALSE(bank[i].empty()) << "entry " << i;
    }
  }
  EXPECT_EQ(kStandardSet.end - kStandardSet.start, 31);
  EXPECT_EQ(kExtendedSet.end - kExtendedSet.start, 102);
  EXPECT_EQ(kExtendedSet.end, 102);  // the separator lies just past the extended set
  EXPECT_EQ(kStandardSet.start, 103);
}

TEST(VormPhraseBank, ListedEntriesAreExact) {
  struct Row {
    int index;
    std::string_view text;
  };
  const Row rows[] = {
      {0, "Школа"},
      {12, "Dazararuda СРеДние школы № 1 и N% 2"},
      {39, "57+75-81/486*239"},
      {43, "Ёли-пали, шо ж я наделал ?!!"},
      {45, "\"Та-а-к...\" - сказал Кварцелия и взял ДЕМокРАТизАТОР"},
      {101, "от выпускника агроФАКа DUVI 1989 года розлива."},
      {103, "Школа"},
      {104, "громкий звоНок"},
      {109, "[F]loppy {D}isk"},
      {111, "57+75%-81/486*239?_-"},
      {114, "Сигнал к атаке - ТРИ зелёных СВИСТКА."},
      {130, "читал шифровку из центра. \"Это провал\" - подумал Штирлиц."},
      {133, "\"Тебя чтоб ТАК ПРОНЕСЛО\" - подумал Кваксель."},
  };
  for (const Row& row : rows) EXPECT_EQ(phraseBank()[row.index], row.text) << "entry " << row.index;
  EXPECT_EQ(phraseBank()[44], kAuthorSite);
}

TEST(VormPhraseBank, QuotationMarksAreStraightAndTextIsClean) {
  for (int i = 0; i < kPhraseCount; ++i) {
    const std::u32string phrase = fromUtf8(phraseBank()[i]);
    for (char32_t c : phrase) {
      EXPECT_NE(c, U'\uFFFD') << "entry " << i;
      EXPECT_GE(c, U' ') << "entry " << i;
      for (char32_t curly : {U'\u201C', U'\u201D', U'\u201E', U'\u00AB', U'\u00BB'})
        EXPECT_NE(c, curly) << "entry " << i;
    }
    if (!phrase.empty()) {
      EXPECT_NE(phrase.front(), U' ') << "entry " << i;
      EXPECT_NE(phrase.back(), U' ') << "entry " << i;
    }
  }
}

}  // namespace
}  // namespace vorm
