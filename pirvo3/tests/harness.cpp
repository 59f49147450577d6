#include "harness.h"

#include <fstream>

#include <gtest/gtest.h>

namespace pirvo3::testing {

std::filesystem::path freshDir(const std::string& name) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string unique = name;
  if (info) unique += std::string("_") + info->test_suite_name() + "_" + info->name();
  for (char& c : unique) {
    if (c == '/') c = '_';
  }
  const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / unique;
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

void writeLesson(const std::filesystem::path& file, const std::vector<std::string>& lines,
                 bool utf8) {
  std::ofstream f(file, std::ios::binary);
  for (const auto& line : lines) {
    std::string bytes = line;
    if (!utf8) utf8ToCp1251(line, bytes);
    f << bytes << "\r\n";
  }
}

std::string testLine(int k) { return "т" + std::to_string(k) + " к"; }

std::vector<std::string> testLesson(int lines) {
  std::vector<std::string> out;
  for (int k = 1; k <= lines; ++k) out.push_back(testLine(k));
  return out;
}

void writeMenuPicture(const std::filesystem::path& dir) {
  std::filesystem::create_directories(dir / "pidata");
  std::ofstream(dir / kMenuPicture, std::ios::binary) << "GIF89a";
}

Harness::Harness(std::filesystem::path dataDir, std::string decimalSeparator, bool menuPicture)
    : dir(std::move(dataDir)),
      pictureWritten(menuPicture && (writeMenuPicture(dir), true)),
      app(clock, printer, desktop, printer,
          AppConfig{std::move(decimalSeparator), dir, &history}) {
  app.start();
}

std::string Harness::output() {
  std::string text = out.str();
  out.str("");
  return text;
}

}  // namespace pirvo3::testing
