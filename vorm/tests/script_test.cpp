#include "logic/script.h"

#include <gtest/gtest.h>

namespace vorm {
namespace {

TEST(VormScript, ParsesEachCommand) {
  struct Row {
    std::string line;
    CommandKind kind;
    std::string form;
    std::string control;
    std::u32string text;
    int64_t ms;
    std::string path;
  };
  const Row rows[] = {
      {"hover about.Picture2", CommandKind::Hover, "about", "Picture2", U"", 0, ""},
      {"click frmtre.Label1(2)", CommandKind::Click, "frmtre", "Label1(2)", U"", 0, ""},
      {"  click Form1.Label9  \r", CommandKind::Click, "Form1", "Label9", U"", 0, ""},
      {"type Школа", CommandKind::Type, "", "", U"Школа", 0, ""},
      {"type  a b ", CommandKind::Type, "", "", U" a b ", 0, ""},
      {"type x\\n\\e\\b\\t\\\\y", CommandKind::Type, "", "", U"x\r\x1b\b\t\\y", 0, ""},
      {"type", CommandKind::Type, "", "", U"", 0, ""},
      {"paste abc", CommandKind::Paste, "", "", U"abc", 0, ""},
      {"wait 5000", CommandKind::Wait, "", "", U"", 5000, ""},
      {"wait 0", CommandKind::Wait, "", "", U"", 0, ""},
      {"wait 86400000", CommandKind::Wait, "", "", U"", 86400000, ""},
      {"close about", CommandKind::Close, "about", "", U"", 0, ""},
      {"dump", CommandKind::Dump, "", "", U"", 0, ""},
      {"shot Form1 /tmp/my shots/a.png", CommandKind::Shot, "Form1", "", U"", 0,
       "/tmp/my shots/a.png"},
  };
  for (const Row& row : rows) {
    const ScriptLine parsed = parseScriptLine(row.line);
    SCOPED_TRACE(row.line);
    ASSERT_TRUE(parsed.error.empty()) << parsed.error;
    ASSERT_FALSE(parsed.skip);
    EXPECT_EQ(parsed.command.kind, row.kind);
    EXPECT_EQ(parsed.command.form, row.form);
    EXPECT_EQ(parsed.command.control, row.control);
    EXPECT_EQ(parsed.command.text, row.text);
    EXPECT_EQ(parsed.command.ms, row.ms);
    EXPECT_EQ(parsed.command.path, row.path);
  }
}

TEST(VormScript, SkipsBlankAndCommentLines) {
  for (std::string line : {"", "   ", "\r", "# a comment", "   # indented comment"})
    EXPECT_TRUE(parseScriptLine(line).skip) << "'" << line << "'";
}

TEST(VormScript, RejectsMalformedLines) {
  for (std::string line :
       {"jump Form1.Label1", "Dump", "click Label9", "click Form1.", "click .Label9",
        "hover", "wait", "wait -1", "wait 1.5", "wait 10ms", "wait 86400001",
        "wait 9223372036854775807", "wait 99999999999999999999", "close", "close a b", "dump now",
        "shot Form1", "type a\\x", "type ends with\\"}) {
    const ScriptLine parsed = parseScriptLine(line);
    EXPECT_FALSE(parsed.skip) << line;
    EXPECT_FALSE(parsed.error.empty()) << line;
  }
}

TEST(VormScript, SortsControlNamesWithIndexesAsNumbers) {
  std::vector<std::string> names{"Timer2", "Label10", "Label20(10)", "Label2", "Label20(2)",
                                 "Label20", "Label1", "Command1", "Label20(0)"};
  sortControlNames(names);
  EXPECT_EQ(names, (std::vector<std::string>{"Command1", "Label1", "Label2", "Label10", "Label20",
                                             "Label20(0)", "Label20(2)", "Label20(10)",
                                             "Timer2"}));
}

TEST(VormScript, EscapesCaptionsOntoOneLine) {
  EXPECT_EQ(escapeCaption("a\r\nb\nc\rd"), "a\\nb\\nc\\nd");
  EXPECT_EQ(escapeCaption("x\ty\bz\x1b\x01"), "x\\ty\\bz\\e\\x01");
  EXPECT_EQ(escapeCaption("Школа \"Q\""), "Школа \"Q\"");
}

}  // namespace
}  // namespace vorm
