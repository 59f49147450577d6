#include "logic/about_box.h"

#include <gtest/gtest.h>

#include <vector>

namespace vorm {
namespace {

struct RecordedLinks : UrlOpener {
  std::vector<std::string> opened;
  void openUrl(std::string_view url) override { opened.emplace_back(url); }
};

TEST(VormAbout, LinksOpenMailAndTheSite) {
  RecordedLinks links;
  AboutBox about(links);
  about.clickLabel3();
  about.clickLabel1();
  EXPECT_EQ(links.opened,
            (std::vector<std::string>{"mailto:kv@example.org", "https://www.example.org/"}));
}

TEST(VormAbout, DescriptionHasSixLinesTheSecondEmpty) {
  std::vector<std::string> lines;
  std::string_view text = kAboutDescription;
  for (size_t at; (at = text.find("\r\n")) != std::string_view::npos; text.remove_prefix(at + 2))
    lines.emplace_back(text.substr(0, at));
  lines.emplace_back(text);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[5], "4. Знакомство с армейскими крылатыми фразами    :-)");
  EXPECT_NE(lines[0].find("поиску \"знакомых\" букв"), std::string::npos);
}

}  // namespace
}  // namespace vorm
