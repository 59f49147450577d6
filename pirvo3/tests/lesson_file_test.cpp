#include "lesson_file.h"

#include <fstream>

#include <gtest/gtest.h>

#include "harness.h"

namespace pirvo3 {
namespace {

using testing::freshDir;
using testing::writeLesson;

void writeBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

TEST(Pirvo3LessonFile, ReadsEveryEncodingAndLineEndTheLessonsMayCome) {
  const auto dir = freshDir("encodings");
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"cp1251 CR LF", "\xEB\xEB\xEE\xEB\r\n\xF4\xFB\xE2\xE0 \xEE\xEB\xE4\xE6\r\n"},
      {"UTF-8 with BOM", "\xEF\xBB\xBFллол\r\nфыва олдж\r\n"},
      {"UTF-8 LF", "ллол\nфыва олдж\n"},
      {"UTF-8 without final end", "ллол\nфыва олдж"},
      {"cp1251 CR", "\xEB\xEB\xEE\xEB\r\xF4\xFB\xE2\xE0 \xEE\xEB\xE4\xE6\r"},
  };
  for (const auto& c : cases) {
    const auto file = dir / "lesson.txt";
    writeBytes(file, c.bytes);
    const LessonLine line = readLessonLine(file, 2);
    EXPECT_EQ(line.status, LineStatus::Ok) << c.name;
    EXPECT_EQ(line.text, "фыва олдж") << c.name;
    EXPECT_EQ(readLessonLine(file, 1).text, "ллол") << c.name;
  }
}

TEST(Pirvo3LessonFile, ReadsOnlyTheHeadOfALongFile) {
  const auto dir = freshDir("long");
  std::vector<std::string> lines;
  for (int k = 1; k <= 400; ++k) lines.push_back(std::string(300, 'a') + std::to_string(k));
  writeLesson(dir / "long.txt", lines);
  for (int k : {1, 55, 86, 400}) {
    const LessonLine line = readLessonLine(dir / "long.txt", k);
    EXPECT_EQ(line.status, LineStatus::Ok) << k;
    EXPECT_EQ(line.text, lines[static_cast<std::size_t>(k - 1)]) << k;
  }
  EXPECT_EQ(readLessonLines(dir / "long.txt", 86).lines.size(), 86u);
  EXPECT_EQ(readLessonLine(dir / "long.txt", 401).status, LineStatus::TooShort);
}

TEST(Pirvo3LessonFile, ReportsMissingShortAndEmptyLines) {
  const auto dir = freshDir("failures");
  EXPECT_EQ(readLessonLine(dir / "none.txt", 2).status, LineStatus::Missing);

  writeLesson(dir / "short.txt", testing::testLesson(85));
  EXPECT_EQ(readLessonLine(dir / "short.txt", 85).status, LineStatus::Ok);
  EXPECT_EQ(readLessonLine(dir / "short.txt", 86).status, LineStatus::TooShort);

  auto lines = testing::testLesson();
  lines[40] = "";
  writeLesson(dir / "hole.txt", lines);
  EXPECT_EQ(readLessonLine(dir / "hole.txt", 41).status, LineStatus::Empty);
  EXPECT_EQ(readLessonLine(dir / "hole.txt", 42).text, testing::testLine(42));
}

TEST(Pirvo3LessonFile, ASoundFilePassesTheCheck) {
  const auto dir = freshDir("sound");
  std::vector<std::string> lines(86, "ллол фыва");
  writeLesson(dir / "1.txt", lines);
  EXPECT_TRUE(checkLessonFile(dir / "1.txt", "фывапролдж ").empty());
  lines.push_back("Lines after 86 are never read");
  writeLesson(dir / "1.txt", lines);
  EXPECT_TRUE(checkLessonFile(dir / "1.txt", "фывапролдж ").empty());
}

TEST(Pirvo3LessonFile, TheCheckFindsEachDefect) {
  const auto dir = freshDir("defects");
  const std::vector<std::string> good(86, "ллол фыва");
  const struct {
    const char* name;
    int line;  // 1-based line to replace, 0 for none
    std::string text;
    bool utf8;
    const char* expected;
  } cases[] = {
      {"empty line", 12, "", false, "line 12: empty"},
      {"capital letter", 20, "Ллол", false, "line 20: character 'Л'"},
      {"key of a later lesson", 30, "кол", false, "line 30: character 'к'"},
      {"trailing blank", 40, "ллол ", false, "line 40: leading or trailing blank"},
      {"doubled blank", 50, "лл  ол", false, "line 50: two blanks in a row"},
      {"stored as UTF-8", 0, "", true, "is UTF-8"},
  };
  for (const auto& c : cases) {
    auto lines = good;
    if (c.line > 0) lines[static_cast<std::size_t>(c.line - 1)] = c.text;
    const auto file = dir / "1.txt";
    writeLesson(file, lines, c.utf8);
    const auto problems = checkLessonFile(file, "фывапролдж ");
    ASSERT_EQ(problems.size(), 1u) << c.name;
    EXPECT_NE(problems[0].find(c.expected), std::string::npos) << c.name << ": " << problems[0];
  }

  writeLesson(dir / "short.txt", std::vector<std::string>(85, "ллол"));
  const auto shortProblems = checkLessonFile(dir / "short.txt", "фывапролдж ");
  ASSERT_EQ(shortProblems.size(), 1u);
  EXPECT_NE(shortProblems[0].find("85 lines"), std::string::npos);

  std::string lf;
  for (int i = 0; i < 86; ++i) lf += "\xEB\xEB\xEE\xEB\n";
  writeBytes(dir / "lf.txt", lf);
  const auto lfProblems = checkLessonFile(dir / "lf.txt", "фывапролдж ");
  ASSERT_EQ(lfProblems.size(), 1u);
  EXPECT_NE(lfProblems[0].find("CR LF"), std::string::npos);

  EXPECT_FALSE(checkLessonFile(dir / "missing.txt", "а").empty());
}

}  // namespace
}  // namespace pirvo3
