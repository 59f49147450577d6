// The lessons and the help page shipped with the program.
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "lesson_file.h"
#include "lessons.h"
#include "text.h"

namespace pirvo3 {
namespace {

const std::filesystem::path kData = PIRVO3_DATA_DIR;

// The target line shows about 17 characters a line on two lines; longer
// tasks would run out of the label.
constexpr std::size_t kLongestTask = 30;

TEST(Pirvo3LessonData, EveryLessonFileKeepsTheFormatAndItsLessonsKeys) {
  for (const Lesson& lesson : lessons()) {
    const auto file = kData / lesson.file;
    for (const auto& problem : checkLessonFile(file, lesson.keys)) ADD_FAILURE() << problem;
    const LessonLines read = readLessonLines(file, kLessonLines);
    ASSERT_EQ(read.lines.size(), static_cast<std::size_t>(kLessonLines)) << lesson.file;
    EXPECT_EQ(read.lines[0], lesson.firstTask) << lesson.file;
    for (std::size_t i = 0; i < read.lines.size(); ++i) {
      EXPECT_LE(charCount(read.lines[i]), kLongestTask) << lesson.file << " line " << i + 1;
    }
  }
}

TEST(Pirvo3LessonData, LessonsEndInWordsAndPhrases) {
  for (const Lesson& lesson : lessons()) {
    const LessonLines read = readLessonLines(kData / lesson.file, kLessonLines);
    ASSERT_EQ(read.lines.size(), static_cast<std::size_t>(kLessonLines));
    int phrases = 0;
    for (int k = 70; k <= 85; ++k) {
      if (read.lines[static_cast<std::size_t>(k - 1)].find(' ') != std::string::npos) ++phrases;
    }
    EXPECT_GE(phrases, 12) << lesson.file;
  }
}

TEST(Pirvo3LessonData, HelpPageIsARussianHtmlPage) {
  std::ifstream in(kData / "Help.htm", std::ios::binary);
  ASSERT_TRUE(in);
  const std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_TRUE(isValidUtf8(page));
  EXPECT_NE(page.find("charset=\"utf-8\""), std::string::npos);
  EXPECT_NE(page.find("<html lang=\"ru\">"), std::string::npos);
  EXPECT_NE(page.find("Пройдено заданий"), std::string::npos);
}

}  // namespace
}  // namespace pirvo3
