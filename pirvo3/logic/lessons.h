// The seven lessons of the course.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace pirvo3 {

inline constexpr std::uint32_t kLayoutRussian = 0x04190419;
inline constexpr std::uint32_t kLayoutEnglishUs = 0x04090409;

struct Lesson {
  int index;
  bool latin;
  const char* caption;      // menu caption, also the typing screen's caption
  const char* file;         // lesson file in the data folder
  const char* firstTask;    // task 1, built in; never read from the file
  std::uint32_t layout;     // input language the lesson switches to
  const char* description;  // shown in the menu's description panel
  const char* keys;         // characters the lesson's lines may hold
};

inline constexpr int kLessonCount = 7;
const std::array<Lesson, kLessonCount>& lessons();

// The caption the typing screen is designed with; also the first task of
// every Russian lesson.
inline constexpr const char* kDesignedFrm1Caption = "Первый урок";
inline constexpr const char* kRussianFirstTask = "ллол";

}  // namespace pirvo3
