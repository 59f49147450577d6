#include "logic/command_line.h"

#include <gtest/gtest.h>

namespace vorm {
namespace {

TEST(VormCommandLine, ReadsTheOptions) {
  struct Row {
    std::vector<std::string> args;
    bool help;
    bool version;
    std::optional<std::string> script;
    std::optional<std::string> dataDir;
  };
  const Row rows[] = {
      {{}, false, false, {}, {}},
      {{"--help"}, true, false, {}, {}},
      {{"-h"}, true, false, {}, {}},
      {{"--version"}, false, true, {}, {}},
      {{"--script", "run.txt"}, false, false, "run.txt", {}},
      {{"--script=-"}, false, false, "-", {}},
      {{"--script", "-", "--data-dir", "/d"}, false, false, "-", "/d"},
      {{"--data-dir=/x y"}, false, false, {}, "/x y"},
  };
  for (const Row& row : rows) {
    const ParsedCommandLine parsed = parseCommandLine(row.args);
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.help, row.help);
    EXPECT_EQ(parsed.options.version, row.version);
    EXPECT_EQ(parsed.options.script, row.script);
    EXPECT_EQ(parsed.options.dataDir, row.dataDir);
  }
}

TEST(VormCommandLine, RejectsWhatItDoesNotKnow) {
  const std::vector<std::vector<std::string>> cases{
      {"--scripts", "a"}, {"--script"}, {"--script="}, {"extra"}, {"--data-dir"}, {"-x"}};
  for (const auto& args : cases) EXPECT_NE(parseCommandLine(args).error, "") << args[0];
}

TEST(VormCommandLine, UsageNamesEveryOption) {
  const std::string usage = usageText("vorm");
  for (const char* option : {"--script", "--data-dir", "--help", "--version"})
    EXPECT_NE(usage.find(option), std::string::npos) << option;
}

}  // namespace
}  // namespace vorm
