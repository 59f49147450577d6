#include "lesson_file.h"

#include <fstream>
#include <iterator>

#include "text.h"

namespace pirvo3 {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool readAll(const std::filesystem::path& file, std::string& bytes) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

// Splits raw bytes into lines at CR LF, LF or CR; a final line without an
// end counts, an empty remainder after the last end does not.
std::vector<std::string> splitLines(std::string_view bytes, std::size_t maxLines) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < bytes.size() && lines.size() < maxLines) {
    const char c = bytes[i];
    if (c == '\n' || c == '\r') {
      lines.emplace_back(bytes.substr(start, i - start));
      i += (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < bytes.size() && lines.size() < maxLines) lines.emplace_back(bytes.substr(start));
  return lines;
}

}  // namespace

// Reads from the start of the file only as far as maxLines lines need,
// however long the file. CR and LF are counted alike, so a CR LF line counts
// twice: reading on to twice the line ends (and one more, so that a CR LF is
// not cut in two) is always enough.
bool readHead(const std::filesystem::path& file, std::size_t maxLines, std::string& bytes) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  std::size_t ends = 0;
  char chunk[16384];
  while (ends <= 2 * maxLines + 1 && in.read(chunk, sizeof chunk).gcount() > 0) {
    const auto got = static_cast<std::size_t>(in.gcount());
    for (std::size_t i = 0; i < got; ++i) {
      if (chunk[i] == '\n' || chunk[i] == '\r') ++ends;
    }
    bytes.append(chunk, got);
  }
  return !in.bad();
}

LessonLines readLessonLines(const std::filesystem::path& file, std::size_t maxLines) {
  LessonLines result;
  std::string bytes;
  if (!readHead(file, maxLines, bytes)) return result;
  result.opened = true;
  bool utf8 = false;
  std::string_view view = bytes;
  if (view.substr(0, kBom.size()) == kBom) {
    view.remove_prefix(kBom.size());
    utf8 = true;
  }
  result.lines = splitLines(view, maxLines);
  if (!utf8) {
    utf8 = true;
    for (const auto& line : result.lines) utf8 = utf8 && isValidUtf8(line);
  }
  if (!utf8) {
    for (auto& line : result.lines) line = cp1251ToUtf8(line);
  }
  return result;
}

LessonLine readLessonLine(const std::filesystem::path& file, int number) {
  LessonLine result;
  if (number < 1) return result;
  const LessonLines read = readLessonLines(file, static_cast<std::size_t>(number));
  if (!read.opened) return result;
  if (read.lines.size() < static_cast<std::size_t>(number)) {
    result.status = LineStatus::TooShort;
    return result;
  }
  result.text = read.lines.back();
  result.status = result.text.empty() ? LineStatus::Empty : LineStatus::Ok;
  return result;
}

std::vector<std::string> checkLessonFile(const std::filesystem::path& file,
                                         const std::string& keys) {
  std::vector<std::string> problems;
  const std::string name = file.filename().string();
  std::string bytes;
  if (!readAll(file, bytes)) {
    problems.push_back(name + ": cannot be read");
    return problems;
  }
  if (std::string_view(bytes).substr(0, kBom.size()) == kBom) {
    problems.push_back(name + ": starts with a UTF-8 byte-order mark, expected Windows-1251");
  }
  bool ascii = true;
  for (char c : bytes) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (!ascii && isValidUtf8(bytes)) {
    problems.push_back(name + ": is UTF-8, expected Windows-1251");
  }
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const bool crlf = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
    if (crlf) {
      ++i;
    } else if (bytes[i] == '\r' || bytes[i] == '\n') {
      problems.push_back(name + ": a line does not end in CR LF");
      break;
    }
  }
  const LessonLines read = readLessonLines(file, kLessonLines + 1);
  if (read.lines.size() < static_cast<std::size_t>(kLessonLines)) {
    problems.push_back(name + ": " + std::to_string(read.lines.size()) + " lines, expected " +
                       std::to_string(kLessonLines));
  }
  const std::u32string allowed = toUtf32(keys);
  const std::size_t checked = std::min<std::size_t>(read.lines.size(), kLessonLines);
  for (std::size_t i = 0; i < checked; ++i) {
    const std::string where = name + " line " + std::to_string(i + 1);
    const std::u32string line = toUtf32(read.lines[i]);
    if (line.empty()) {
      problems.push_back(where + ": empty");
      continue;
    }
    for (char32_t c : line) {
      if (allowed.find(c) == std::u32string::npos) {
        problems.push_back(where + ": character '" + toUtf8(c) + "' is not among the lesson's keys");
        break;
      }
    }
    if (line.front() == U' ' || line.back() == U' ') {
      problems.push_back(where + ": leading or trailing blank");
    }
    if (line.find(U"  ") != std::u32string::npos) {
      problems.push_back(where + ": two blanks in a row");
    }
  }
  return problems;
}

}  // namespace pirvo3
