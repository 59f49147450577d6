// Lesson files: one task a line, line k holding task k.
//
// The files ship in Windows-1251 with CR LF line ends. The reader also takes
// UTF-8 (with or without a byte-order mark) and lines ending in LF or CR
// alone, so that a lesson edited on Linux keeps working.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace pirvo3 {

// Lines every lesson file must hold: tasks 2 to 85 and the closing line 86.
inline constexpr int kLessonLines = 86;

struct LessonLines {
  bool opened = false;
  std::vector<std::string> lines;  // UTF-8, without line ends
};

// Reads at most maxLines lines from the start of the file.
LessonLines readLessonLines(const std::filesystem::path& file, std::size_t maxLines);

enum class LineStatus { Ok, Missing, TooShort, Empty };

struct LessonLine {
  LineStatus status = LineStatus::Missing;
  std::string text;
};

// Line number (1-based) of the file, read afresh from the file's start.
LessonLine readLessonLine(const std::filesystem::path& file, int number);

// Everything wrong with a lesson file as shipped: encoding, line ends, line
// count, and lines that are empty, hold a character outside `keys`, or
// carry blanks the user cannot see (leading, trailing or doubled). Empty
// when the file is sound.
std::vector<std::string> checkLessonFile(const std::filesystem::path& file,
                                         const std::string& keys);

}  // namespace pirvo3
