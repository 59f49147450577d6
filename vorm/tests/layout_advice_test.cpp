#include "logic/layout_advice.h"

#include <gtest/gtest.h>

namespace vorm {
namespace {

TEST(VormLayoutAdvice, LettersHaveTheirAlphabetAndSignsNone) {
  EXPECT_EQ(alphabetOf(U'Ш'), Alphabet::Cyrillic);
  EXPECT_EQ(alphabetOf(U'ё'), Alphabet::Cyrillic);
  EXPECT_EQ(alphabetOf(U'R'), Alphabet::Latin);
  EXPECT_EQ(alphabetOf(U'z'), Alphabet::Latin);
  for (char32_t sign : {U'1', U' ', U'"', U'%', U'№', U'['}) EXPECT_FALSE(alphabetOf(sign)) << int(sign);
}

TEST(VormLayoutAdvice, TellsOnceForEachMissingAlphabet) {
  LayoutAdvisor advisor;
  EXPECT_FALSE(advisor.check(U'Ш'));  // the desktop could not be asked
  advisor.setAvailable({});
  const auto cyrillic = advisor.check(U'Ш');
  ASSERT_TRUE(cyrillic);
  EXPECT_NE(cyrillic->text.find("русская"), std::string::npos);
  EXPECT_FALSE(advisor.check(U'к'));
  EXPECT_FALSE(advisor.check(U'5'));
  const auto latin = advisor.check(U'R');
  ASSERT_TRUE(latin);
  EXPECT_NE(latin->text.find("латинская"), std::string::npos);
  EXPECT_FALSE(advisor.check(U'a'));
}

TEST(VormLayoutAdvice, SaysNothingWhenTheKeyboardTypesTheLetter) {
  LayoutAdvisor advisor;
  advisor.setAvailable({Alphabet::Latin, Alphabet::Cyrillic});
  for (char32_t c : {U'Ш', U'a', U'Z', U'я'}) EXPECT_FALSE(advisor.check(c)) << int(c);
}

}  // namespace
}  // namespace vorm
