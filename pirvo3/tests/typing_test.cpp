#include <fstream>
#include <set>

#include <gtest/gtest.h>

#include "colors.h"
#include "harness.h"

namespace pirvo3 {
namespace {

using testing::Harness;
using testing::testLine;

class Pirvo3Typing : public ::testing::Test {
 protected:
  Pirvo3Typing() {
    testing::writeLesson(h.dir / "2.txt", testing::testLesson());
    h.chooseLesson(1);
    h.output();
  }

  Frm1& f() { return h.typing(); }
  std::string label(const std::string& name) { return h.caption(f(), name); }
  bool errorMark() { return f().control("Label21").visible; }
  std::vector<int> litKeys() {
    std::vector<int> keys;
    for (int i = 0; i < kKeyCount; ++i) {
      if (f().control("Label20", i).back == colors::kKeyLit) keys.push_back(i);
    }
    return keys;
  }
  // Completes tasks until the given task number is current, answering the
  // break dialog with Continue on the way.
  void reachTask(int task) {
    while (f().taskNumber() < task) {
      h.completeTask();
      if (h.app.frmpause() && f().taskNumber() < task) h.click(*h.app.frmpause(), "Command1");
    }
  }

  Harness h{testing::freshDir("typing")};
};

TEST_F(Pirvo3Typing, OpensAtTheBuiltInFirstTaskWithTheClockStopped) {
  EXPECT_EQ(f().targetLine(), "ллол");
  EXPECT_EQ(f().nextLetter(), "");
  EXPECT_TRUE(litKeys().empty());
  EXPECT_FALSE(f().clockRunning());
  EXPECT_EQ(label("Label4"), kFirstPrompt);
  EXPECT_EQ(label("Label5"), "1");
  EXPECT_EQ(label("Label11"), "0");
  EXPECT_EQ(label("Label17"), "");
  EXPECT_EQ(label("Label12"), "");
  EXPECT_EQ(h.app.activeForm(), &f());
  EXPECT_EQ(f().focus(), &f().control("Text1"));
}

TEST_F(Pirvo3Typing, RightKeysBuildTheLineAndLightTheNextKey) {
  h.type("л");
  EXPECT_TRUE(f().clockRunning());
  EXPECT_EQ(label("Label4"), kTypingPrompt);
  EXPECT_EQ(f().typedPart(), "л");
  EXPECT_EQ(f().nextLetter(), "л");
  EXPECT_EQ(litKeys(), std::vector<int>{32});
  EXPECT_EQ(label("Text1"), "");  // the field is emptied at once
  h.type("ло");
  EXPECT_EQ(f().nextLetter(), "л");
  h.type("л");
  // Line 2 of the lesson file is task 2; line 1 is never shown.
  EXPECT_EQ(f().taskNumber(), 2);
  EXPECT_EQ(f().targetLine(), testLine(2));
  EXPECT_EQ(f().typedPart(), "");
  EXPECT_EQ(f().nextLetter(), "т");
  EXPECT_EQ(litKeys(), std::vector<int>{41});
  EXPECT_EQ(label("Label17"), "4");
  h.type("т2");
  EXPECT_EQ(f().nextLetter(), " ");
  EXPECT_EQ(litKeys(), std::vector<int>{kSpaceBar});
}

TEST_F(Pirvo3Typing, AWrongKeyCountsAnErrorAndShowsTheMarkUntilTheNextKey) {
  h.type("лx");
  EXPECT_EQ(f().typedPart(), "л");
  EXPECT_EQ(f().errorCount(), 1);
  EXPECT_EQ(label("Label11"), "1");
  EXPECT_TRUE(errorMark());
  EXPECT_EQ(label("Label17"), "2");
  h.type("л");
  EXPECT_FALSE(errorMark());
  EXPECT_EQ(f().typedPart(), "лл");
}

TEST_F(Pirvo3Typing, CapitalsAreLoweredBeforeTheyReachTheField) {
  h.type("ЛЛОЛ");
  EXPECT_EQ(f().taskNumber(), 2);
  EXPECT_EQ(f().errorCount(), 0);
  h.type("Т2 К");
  EXPECT_EQ(f().taskNumber(), 3);
}

TEST_F(Pirvo3Typing, ALineWithACapitalCanNeverBeCompleted) {
  f().setTargetLine("Ж");
  h.type("ж");
  EXPECT_EQ(f().nextLetter(), "Ж");
  EXPECT_TRUE(litKeys().empty());  // no key carries a capital
  EXPECT_EQ(f().errorCount(), 1);
  h.app.pasteText("Ж");  // only a paste bypasses the key filter
  EXPECT_EQ(f().taskNumber(), 2);
}

TEST_F(Pirvo3Typing, APasteIsOneKeystroke) {
  h.app.pasteText("лл");
  EXPECT_EQ(label("Label17"), "1");
  EXPECT_EQ(f().errorCount(), 1);
  EXPECT_EQ(f().typedPart(), "");
  h.app.pasteText("л");
  EXPECT_EQ(label("Label17"), "2");
  EXPECT_EQ(f().typedPart(), "л");
}

TEST_F(Pirvo3Typing, ControlKeysChangeNothing) {
  for (char32_t key : {kKeyBackspace, kKeyEnter, kKeyEscape}) h.app.typeKey(key);
  EXPECT_EQ(label("Label17"), "");
  EXPECT_FALSE(f().clockRunning());
  EXPECT_EQ(f().focus(), &f().control("Text1"));
}

TEST_F(Pirvo3Typing, TheClockCountsSecondsAndBothSpeeds) {
  const struct {
    const char* keys;
    int ms;
    const char* elapsed;
    const char* nominal;
    const char* real;
  } cases[] = {
      {"ллолт2 кт3 к", 4000, " 4 секунд", "3", "3"},    // 12 keystrokes
      {"ллолт2 кт3 x", 4000, " 4 секунд", "3", "0"},    // one of them wrong
      {"ллолт2 кт3xx", 4000, " 4 секунд", "3", "-3"},   // two wrong
      {"ллолт2 кт3 кт4 к", 3000, " 3 секунд", "5.333", "5.333"},
      {"ллолт2 кт3 кт4 кт5 к", 3000, " 3 секунд", "6.666", "6.666"},  // 20 in 3 s, cut
  };
  for (const auto& c : cases) {
    h.chooseLesson(1);
    h.app.closeBox(f());
    h.chooseLesson(1);
    h.type(c.keys);
    h.wait(c.ms - 1);
    EXPECT_NE(label("Label12"), c.elapsed) << c.keys;
    h.wait(1);
    EXPECT_EQ(label("Label12"), c.elapsed) << c.keys;
    EXPECT_EQ(label("Label10"), c.nominal) << c.keys;
    EXPECT_EQ(label("Label18"), c.real) << c.keys;
  }
}

TEST(Pirvo3TypingLocale, SpeedsUseTheUsersDecimalSeparator) {
  Harness h(testing::freshDir("comma"), ",");
  testing::writeLesson(h.dir / "2.txt", testing::testLesson());
  h.chooseLesson(1);
  h.type("ллолт2 кт3 кт4 кт5 к");
  h.wait(3000);
  EXPECT_EQ(h.caption(h.typing(), "Label10"), "6,666");
  h.click(h.typing(), "Command1");
  EXPECT_NE(h.output().find(" Скорость печати:6,666\n"), std::string::npos);
}

TEST_F(Pirvo3Typing, SpeedsChangeOnlyOnTicks) {
  h.type("ллол");
  h.wait(1000);
  EXPECT_EQ(label("Label10"), "4");
  h.type("т2");
  EXPECT_EQ(label("Label10"), "4");
  h.wait(1000);
  EXPECT_EQ(label("Label10"), "3");
}

TEST_F(Pirvo3Typing, SummaryBeforeAnyTaskOrTick) {
  h.type("лx");
  h.click(f(), "Command1");
  EXPECT_EQ(h.output(),
            "msgbox PIRVO3 | Пройдено заданий 0 из 85; количество ошибок: 1 Скорость печати:0\n"
            "closed frm1\n");
  EXPECT_EQ(h.app.frm1(), nullptr);
  EXPECT_NE(h.app.frmtre(), nullptr);
  EXPECT_FALSE(h.app.ended());
}

TEST_F(Pirvo3Typing, TheCloseBoxClosesWithoutSummary) {
  h.type("ллол");
  h.app.closeBox(f());
  EXPECT_EQ(h.output(), "closed frm1\n");
}

TEST_F(Pirvo3Typing, TheBreakComesAtTaskFortyAndStopsTheClock) {
  reachTask(39);
  EXPECT_EQ(h.app.frmpause(), nullptr);
  h.completeTask();
  EXPECT_EQ(f().taskNumber(), kBreakTask);
  EXPECT_EQ(f().targetLine(), testLine(40));
  ASSERT_NE(h.app.frmpause(), nullptr);
  EXPECT_FALSE(f().clockRunning());
  EXPECT_EQ(h.app.activeForm(), h.app.frmpause());
  const std::string number = h.caption(*h.app.frmpause(), "Label3");
  EXPECT_TRUE(number >= "1" && number <= "5" && number.size() == 1) << number;

  // The screen behind stays usable: a keystroke there starts the clock.
  h.click(f(), "Label1");
  h.type("т");
  EXPECT_TRUE(f().clockRunning());
  EXPECT_NE(h.app.frmpause(), nullptr);

  f().setClockRunning(false);
  h.click(*h.app.frmpause(), "Command1");
  EXPECT_EQ(h.app.frmpause(), nullptr);
  EXPECT_TRUE(f().clockRunning());
  EXPECT_EQ(h.app.activeForm(), &f());
  h.type("40 к");
  EXPECT_EQ(f().taskNumber(), 41);
}

TEST_F(Pirvo3Typing, PauseOpensTheBreakOnceAndBringsItBack) {
  h.type("л");
  h.click(f(), "Command2");
  EXPECT_FALSE(f().clockRunning());
  EXPECT_EQ(h.output(), "open frmpause\n");
  Frmpause* pause = h.app.frmpause();
  const std::string number = h.caption(*pause, "Label3");
  h.click(f(), "Command2");
  EXPECT_EQ(h.app.frmpause(), pause);
  EXPECT_EQ(h.caption(*pause, "Label3"), number);  // no second Load
  EXPECT_EQ(h.output(), "");
  h.app.closeBox(*pause);  // the close box leaves the clock stopped
  EXPECT_FALSE(f().clockRunning());
  h.type("л");
  EXPECT_TRUE(f().clockRunning());
}

TEST_F(Pirvo3Typing, EndingFromTheBreakBeforeAnyKeystroke) {
  h.click(f(), "Command2");
  h.output();
  h.click(*h.app.frmpause(), "Command2");
  EXPECT_EQ(h.output(),
            "closed frmpause\n"
            "msgbox PIRVO3 | Пройдено заданий 0 из 85; количество ошибок: 0 Скорость печати:0\n"
            "closed frm1\n");
}

TEST_F(Pirvo3Typing, TheTestAtTaskEightyStartsAfreshAndSkipsLineEightyOne) {
  reachTask(79);
  h.wait(2000);
  h.type("x");  // an error to be forgotten
  h.completeTask();
  EXPECT_EQ(f().taskNumber(), kTestTask);
  ASSERT_NE(h.app.frmza(), nullptr);
  EXPECT_FALSE(f().clockRunning());
  h.wait(5000);
  const std::string nominal = label("Label10");
  EXPECT_FALSE(nominal.empty());

  h.click(*h.app.frmza(), "Command1");
  EXPECT_EQ(h.app.frmza(), nullptr);
  EXPECT_EQ(f().taskNumber(), 81);
  EXPECT_EQ(f().targetLine(), testLine(80));  // line 80 stays on screen
  EXPECT_EQ(label("Label11"), "0");
  EXPECT_EQ(label("Label17"), "0");
  EXPECT_EQ(label("Label12"), "0");
  EXPECT_FALSE(errorMark());
  EXPECT_TRUE(f().clockRunning());
  EXPECT_EQ(label("Label10"), nominal);  // kept until the next tick

  h.type("т8");
  h.wait(1000);
  EXPECT_EQ(label("Label12"), " 1 секунд");
  EXPECT_EQ(label("Label10"), "2");
  h.type("0 к");
  EXPECT_EQ(f().taskNumber(), 82);
  EXPECT_EQ(f().targetLine(), testLine(82));
}

TEST_F(Pirvo3Typing, DecliningTheTestEndsTheLessonWithItsSummary) {
  reachTask(80);
  h.output();
  h.click(*h.app.frmza(), "Command2");
  EXPECT_EQ(h.output(),
            "msgbox PIRVO3 | Пройдено заданий 79 из 85; количество ошибок: 0 Скорость печати:0\n"
            "closed frm1\n"
            "closed frmza\n");
  EXPECT_NE(h.app.frmtre(), nullptr);
}

TEST_F(Pirvo3Typing, ClosingTheReadinessDialogStartsNoTest) {
  reachTask(80);
  h.app.closeBox(*h.app.frmza());
  EXPECT_EQ(f().taskNumber(), 80);
  EXPECT_FALSE(f().clockRunning());
  h.completeTask();
  EXPECT_EQ(f().targetLine(), testLine(81));
}

TEST_F(Pirvo3Typing, TheLessonEndsAtTaskEightySix) {
  reachTask(80);
  h.click(*h.app.frmza(), "Command1");
  reachTask(85);
  h.type("т8");
  h.wait(2000);
  h.type("5 к");
  EXPECT_EQ(f().taskNumber(), kLastTask);
  EXPECT_EQ(f().targetLine(), testLine(86));
  EXPECT_FALSE(f().control("Text1").enabled);
  EXPECT_FALSE(f().clockRunning());
  EXPECT_EQ(label("Label4"), kEndPrompt);
  h.type("т86");  // nothing reaches a disabled field
  EXPECT_EQ(f().typedPart(), "");

  // Pause still opens the break, and Continue starts the clock again.
  h.click(f(), "Command2");
  h.click(*h.app.frmpause(), "Command1");
  EXPECT_TRUE(f().clockRunning());
  const std::string elapsed = label("Label12");
  h.wait(1000);
  EXPECT_NE(label("Label12"), elapsed);

  h.output();
  h.click(f(), "Command1");
  const std::string out = h.output();
  EXPECT_EQ(out.rfind("msgbox PIRVO3 | Пройдено заданий 85 из 85; количество ошибок: 0 "
                      "Скорость печати:", 0),
            0u)
      << out;
}

TEST_F(Pirvo3Typing, AMissingOrShortLessonFileStopsTheLessonWithAMessage) {
  const struct {
    const char* name;
    int lines;  // -1: no file
    int failingTask;
    const char* message;
  } cases[] = {
      {"missing", -1, 2, "Не удаётся открыть файл урока «2.txt»"},
      {"short", 50, 51, "В файле урока «2.txt» нет строки 51"},
  };
  for (const auto& c : cases) {
    std::filesystem::remove(h.dir / "2.txt");
    if (c.lines > 0) testing::writeLesson(h.dir / "2.txt", testing::testLesson(c.lines));
    if (h.app.frm1()) h.app.closeBox(f());
    h.chooseLesson(1);
    h.output();
    reachTask(c.failingTask - 1);
    h.completeTask();
    const std::string out = h.output();
    EXPECT_NE(out.find(c.message), std::string::npos) << c.name << ": " << out;
    EXPECT_FALSE(f().control("Text1").enabled) << c.name;
    EXPECT_FALSE(f().clockRunning()) << c.name;
    EXPECT_EQ(label("Label4"), kStoppedPrompt) << c.name;
    EXPECT_EQ(f().taskNumber(), c.failingTask) << c.name;
    h.click(f(), "Command1");
    EXPECT_NE(h.output().find("Пройдено заданий " + std::to_string(c.failingTask - 1) + " из 85"),
              std::string::npos)
        << c.name;
  }
}

TEST_F(Pirvo3Typing, AnEmptyTaskLineStopsTheLessonInsteadOfCountingErrors) {
  auto lines = testing::testLesson();
  lines[2] = "";
  testing::writeLesson(h.dir / "2.txt", lines);
  reachTask(2);
  h.output();
  h.completeTask();
  EXPECT_NE(h.output().find("строка 3 пуста"), std::string::npos);
  EXPECT_FALSE(f().control("Text1").enabled);
}

TEST_F(Pirvo3Typing, DialogsCloseWithTheTypingScreen) {
  h.click(f(), "Command2");
  h.output();
  h.app.closeBox(f());
  EXPECT_EQ(h.output(), "closed frm1\nclosed frmpause\n");
  EXPECT_EQ(h.app.frmpause(), nullptr);
}

TEST_F(Pirvo3Typing, ALineNoKeyCanTypeStopsTheLessonWithItsNumber) {
  // Lesson 2 is Russian; each case spoils task line 3 of the file.
  const struct {
    const char* name;
    std::string line;  // bytes as they stand in the file
    const char* says;
  } cases[] = {
      {"capital", "\xF2" "3 \xCA", "знак «К»"},
      {"Latin letter", "\xF2" "3 k", "знак «k»"},
      {"control character", "\xF2" "3\x07\xEA", "управляющий знак с кодом 07"},
      // UTF-8 with one broken byte is read as Windows-1251: capitals appear.
      {"broken UTF-8", "\xD1\x82\xD0\xB0" "3 \xFF", "знак «С»"},
      // KOI8-R small letters are Windows-1251 capitals.
      {"KOI8-R", "\xD4\xC5\xCB\xD3\xD4", "знак «Ф»"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::ofstream file(h.dir / "2.txt", std::ios::binary);
    for (int k = 1; k <= 86; ++k) {
      std::string bytes;
      utf8ToCp1251(testLine(k), bytes);
      file << (k == 3 ? c.line : bytes) << "\r\n";
    }
    file.close();
    if (h.app.frm1()) h.app.closeBox(f());
    h.chooseLesson(1);
    reachTask(2);
    h.output();
    h.completeTask();
    const std::string out = h.output();
    EXPECT_NE(out.find("В файле урока «2.txt» строку 3 нельзя набрать"), std::string::npos) << out;
    EXPECT_NE(out.find(c.says), std::string::npos) << out;
    EXPECT_FALSE(f().control("Text1").enabled);
    EXPECT_EQ(label("Label4"), kStoppedPrompt);
  }
}

TEST_F(Pirvo3Typing, SignsOfTheLayoutStayTypeable) {
  auto lines = testing::testLesson();
  lines[2] = "ёж? да! \"№;%:*()_-=+\\/.,";
  testing::writeLesson(h.dir / "2.txt", lines);
  reachTask(3);
  EXPECT_EQ(f().targetLine(), lines[2]);
  EXPECT_TRUE(f().control("Text1").enabled);

  // The Latin lessons take every sign of the US keyboard, but no Cyrillic.
  auto latin = testing::testLesson();
  for (std::string& line : latin) line = "ab'[]{}<>`~@#$^&|";
  latin[3] = "ab ж";
  testing::writeLesson(h.dir / "2e.txt", latin);
  h.app.closeBox(f());
  h.chooseLesson(5);
  h.output();
  h.type("hggh");
  EXPECT_EQ(f().targetLine(), latin[1]);
  h.completeTask();
  h.completeTask();
  EXPECT_NE(h.output().find("строку 4 нельзя набрать на клавиатуре урока: в ней знак «ж»"),
            std::string::npos);
}

TEST_F(Pirvo3Typing, ADialogTakesKeysOnlyAfterItHasBeenShownAMoment) {
  reachTask(39);
  h.type(testLine(39));
  ASSERT_NE(h.app.frmpause(), nullptr);
  // The space and Enter that follow the line at once land on the break's
  // focused button "Продолжить урок" and must not press it.
  h.type(" \n");
  EXPECT_NE(h.app.frmpause(), nullptr);
  h.wait(kDialogKeyDelayMs - 1);
  h.type(" ");
  EXPECT_NE(h.app.frmpause(), nullptr);
  h.wait(1);
  h.type(" ");
  EXPECT_EQ(h.app.frmpause(), nullptr);
  EXPECT_TRUE(f().clockRunning());

  // The same for the readiness question; a click is always deliberate.
  reachTask(79);
  h.completeTask();
  ASSERT_NE(h.app.frmza(), nullptr);
  h.type("\n");
  EXPECT_EQ(f().taskNumber(), kTestTask);
  h.click(*h.app.frmza(), "Command1");
  EXPECT_EQ(f().taskNumber(), kTestTask + 1);

  // A dialog brought to the front again waits as well.
  h.click(f(), "Command2");
  h.wait(kDialogKeyDelayMs);
  h.click(f(), "Command2");
  h.type("\n");
  EXPECT_NE(h.app.frmpause(), nullptr);
}

TEST(Pirvo3Break, ExerciseNumberIsAlwaysOneToFive) {
  std::set<int> seen;
  for (std::int64_t seed = 0; seed < 20000; seed += 7) {
    const int n = exerciseNumber(seed * 1000 + 13);
    ASSERT_GE(n, 1);
    ASSERT_LE(n, 5);
    seen.insert(n);
  }
  EXPECT_EQ(seen.size(), 5u);
}

}  // namespace
}  // namespace pirvo3
