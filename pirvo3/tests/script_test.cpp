#include "script.h"

#include <sstream>

#include <gtest/gtest.h>

#include "harness.h"

namespace pirvo3 {
namespace {

struct ScriptRun {
  int status = 0;
  std::string out;
  std::string err;
};

ScriptRun runScript(const std::filesystem::path& dir, const std::string& script) {
  testing::writeMenuPicture(dir);
  VirtualClock clock;
  std::ostringstream out;
  std::ostringstream err;
  ScriptOutput printer(out);
  App app(clock, printer, printer, printer, AppConfig{".", dir});
  ScriptRunner runner(app, clock, out, err);
  std::istringstream in(script);
  ScriptRun r;
  r.status = runner.run(in);
  r.out = out.str();
  r.err = err.str();
  return r;
}

TEST(Pirvo3Script, UnknownCommandsAndControlsStopTheRunWithStatusTwo) {
  const auto dir = testing::freshDir("script");
  const struct {
    const char* script;
    const char* err;
  } cases[] = {
      {"dump\n\n# a comment\njump frmtre\nclick frmtre.Label6\n", "line 4: unknown command 'jump'\n"},
      {"click frmtre.Label99\n", "line 1: unknown control 'frmtre.Label99'\n"},
      {"hover frmtre.Label1(7)\n", "line 1: unknown control 'frmtre.Label1(7)'\n"},
      {"hover frmtre.Label1\n", "line 1: unknown control 'frmtre.Label1'\n"},
      {"click nosuch.Label1\n", "line 1: unknown control 'nosuch.Label1'\n"},
      {"click frm1.Command1\n", "line 1: form frm1 is not open\n"},
      {"close frmza\n", "line 1: form frmza is not open\n"},
      {"wait soon\n", "line 1: wait needs a number of milliseconds, not 'soon'\n"},
      {"key left\n", "line 1: key needs one of up, down, enter, esc, f1, not 'left'\n"},
  };
  for (const auto& c : cases) {
    const ScriptRun r = runScript(dir, c.script);
    EXPECT_EQ(r.status, 2) << c.script;
    EXPECT_EQ(r.err, c.err) << c.script;
    EXPECT_EQ(r.out.find("closed frmtre"), std::string::npos) << c.script;
  }
}

TEST(Pirvo3Script, PrintsFormsOpeningClosingAndTheEnd) {
  const auto dir = testing::freshDir("script");
  testing::writeLesson(dir / "1.txt", testing::testLesson());
  const ScriptRun r = runScript(dir,
                          "click frmtre.Label1(0)\r\n"
                          "  type ЛЛОЛ\n"
                          "click frm1.Command1\n"
                          "click frmtre.Label6\n"
                          "dump\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "open frmtre\n"
            "open frm1\n"
            "msgbox PIRVO3 | Пройдено заданий 1 из 85; количество ошибок: 0 Скорость печати:0\n"
            "closed frm1\n"
            "closed frmtre\n"
            "exit\n");
}

TEST(Pirvo3Script, TheScriptEndingEndsTheProgram) {
  const ScriptRun r = runScript(testing::freshDir("script"), "hover frmtre.Label1(3)\n");
  EXPECT_EQ(r.out, "open frmtre\nexit\n");
}

TEST(Pirvo3Script, DumpListsEveryControlInAStableOrder) {
  const ScriptRun r = runScript(testing::freshDir("script"), "hover frmtre.Label1(2)\ndump\n");
  std::istringstream lines(r.out);
  std::vector<std::string> dump;
  for (std::string line; std::getline(lines, line);) dump.push_back(line);
  ASSERT_GE(dump.size(), 4u);
  EXPECT_EQ(dump[1], "frmtre caption=Таприкон");
  const std::vector<std::string> expected = {
      "frmtre.Label1(0) visible=1 enabled=1 bg=#123C96 fg=#FFFFFF caption=Первый урок",
      "frmtre.Label1(1) visible=1 enabled=1 bg=#123C96 fg=#FFFFFF caption=Второй урок",
      "frmtre.Label1(2) visible=1 enabled=1 bg=#FFFFFF fg=#0000FF caption=Третий урок",
      "frmtre.Label1(3) visible=1 enabled=1 bg=#123C96 fg=#FFFFFF caption=Четвёртый урок",
      "frmtre.Label1(4) visible=1 enabled=1 bg=#123C96 fg=#FFFFFF caption=Первый урок",
      "frmtre.Label1(5) visible=1 enabled=1 bg=#123C96 fg=#FFFFFF caption=Второй урок",
      "frmtre.Label1(6) visible=1 enabled=1 bg=#123C96 fg=#FFFFFF caption=Третий урок",
      "frmtre.Label10 visible=1 enabled=1 bg=#FFFFFF fg=#0000FF caption=Справка",
      "frmtre.Label11 visible=1 enabled=1 bg=#FFFFFF fg=#0000FF caption=Статистика",
      "frmtre.Label2 visible=1 enabled=1 bg=#123C96 fg=#9CCBFF caption=Выберите урок ",
      "frmtre.Label3 visible=1 enabled=1 bg=#FFFFFF fg=#808080 caption=Описание",
      "frmtre.Label4(0) visible=1 enabled=1 bg=#123C96 fg=#FFFFFF caption=R\\nU\\nS",
      "frmtre.Label4(1) visible=1 enabled=1 bg=#123C96 fg=#FFFFFF caption=L\\nA\\nT",
  };
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(dump[2 + i], expected[i]);
  EXPECT_EQ(dump.back(), "exit");
}

TEST(Pirvo3Script, KeyEscapes) {
  EXPECT_EQ(unescapeKeys("a\\nb"), std::u32string(U"a\rb"));
  EXPECT_EQ(unescapeKeys("\\e\\b\\t\\\\"), std::u32string(U"\x1b\x08\t\\"));
  EXPECT_EQ(unescapeKeys("\\"), std::u32string(U"\\"));
  EXPECT_EQ(unescapeKeys("\\q"), std::u32string(U"\\q"));
  EXPECT_EQ(unescapeKeys("ё"), std::u32string(U"ё"));
}

TEST(Pirvo3Script, KeysReachWhateverHasTheFocus) {
  const auto dir = testing::freshDir("script");
  testing::writeLesson(dir / "2.txt", testing::testLesson());
  // The menu's keys choose the lesson; Tab moves from the field to Pause;
  // the space bar presses it; Enter on the focused Continue button, once
  // the dialog has been open a moment, goes back to the lesson.
  const ScriptRun r = runScript(dir,
                          "key down\n"
                          "key down\n"
                          "key enter\n"
                          "type л\\t \n"
                          "type \\n\n"
                          "wait 500\n"
                          "type \\n\n"
                          "type лол\n"
                          "dump\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("open frmpause\nclosed frmpause\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("frm1.Label5 visible=1 enabled=1 bg=#2050B0 fg=#FFFFFF caption=2\n"),
            std::string::npos)
      << r.out;
}

TEST(Pirvo3Script, WaitMovesTheLessonClock) {
  const auto dir = testing::freshDir("script");
  testing::writeLesson(dir / "2.txt", testing::testLesson());
  const ScriptRun r = runScript(dir,
                          "click frmtre.Label1(1)\n"
                          "type ллолт2 кт3 к\n"
                          "wait 4000\n"
                          "dump\n");
  EXPECT_NE(r.out.find("frm1.Label12 visible=1 enabled=1 bg=#2050B0 fg=#FFFFFF caption= 4 секунд\n"),
            std::string::npos);
  EXPECT_NE(r.out.find("frm1.Label10 visible=1 enabled=1 bg=#2050B0 fg=#FFFFFF caption=3\n"),
            std::string::npos);
  EXPECT_NE(r.out.find("frm1.Timer1 visible=0 enabled=1 "), std::string::npos);
}

}  // namespace
}  // namespace pirvo3
