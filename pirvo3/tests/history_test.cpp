// The runs the typing screen hands to the history, and the statistics
// window that shows them, on a history kept in memory.
#include <gtest/gtest.h>

#include "colors.h"
#include "harness.h"
#include "lessons.h"
#include "speed.h"

namespace pirvo3 {
namespace {

using testing::Harness;

std::size_t count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

class Pirvo3History : public ::testing::Test {
 protected:
  Pirvo3History() {
    testing::writeLesson(h.dir / "2.txt", testing::testLesson());
    h.chooseLesson(1);
    h.output();
  }

  Frm1& f() { return h.typing(); }
  // Completes tasks until the given task number is current; the break
  // dialog is answered with Continue, the test question with its close box
  // (no test).
  void reachTask(int task) {
    while (f().taskNumber() < task) {
      h.completeTask();
      h.wait(1000);
      if (h.app.frmpause()) h.click(*h.app.frmpause(), "Command1");
      if (h.app.frmza() && f().taskNumber() < task) h.app.closeBox(*h.app.frmza());
    }
  }
  const std::vector<RunRecord>& runs() { return h.history.records; }

  Harness h{testing::freshDir("history")};
};

TEST_F(Pirvo3History, ALessonTypedToTheEndRecordsOneRunWithTheFiguresShown) {
  h.wait(60'000);  // the run starts with its first keystroke, not with the screen
  h.type("x");
  reachTask(kLastTask);
  ASSERT_EQ(runs().size(), 1u);
  const RunRecord& run = runs()[0];
  EXPECT_EQ(run.lesson, 1);
  EXPECT_EQ(run.lessonFile, "2.txt");
  EXPECT_FALSE(run.test);
  EXPECT_TRUE(run.complete);
  EXPECT_EQ(run.tasks, 85);
  EXPECT_EQ(run.errors, 1);
  EXPECT_EQ(run.keystrokes, f().keystrokeCount());
  EXPECT_EQ(run.seconds, f().elapsedSeconds());
  EXPECT_EQ(run.nominalShown, h.caption(f(), "Label10"));
  EXPECT_EQ(run.realShown, h.caption(f(), "Label18"));
  EXPECT_EQ(formatSpeed(run.nominalMilli, "."), run.nominalShown);
  EXPECT_EQ(formatSpeed(run.realMilli, "."), run.realShown);
  EXPECT_EQ(run.started, VirtualClock::kDefaultCalendarStart + 60);
  EXPECT_EQ(run.finished, h.clock.localSeconds() - 1);  // reachTask waits after the last task
  EXPECT_GE(run.finished, run.started + run.seconds);

  // Time goes on after the end, the screen is closed: still one run.
  h.click(f(), "Command2");
  h.click(*h.app.frmpause(), "Command1");
  h.wait(5000);
  h.click(f(), "Command1");
  EXPECT_EQ(runs().size(), 1u);
}

TEST_F(Pirvo3History, ARunClosedMidwayRecordsWhatWasTyped) {
  const struct {
    const char* how;
    void (*close)(Harness&);
  } closers[] = {
      {"Exit", [](Harness& h) { h.click(h.typing(), "Command1"); }},
      {"close box", [](Harness& h) { h.app.closeBox(h.typing()); }},
      {"Exit of the break",
       [](Harness& h) {
         h.click(h.typing(), "Command2");
         h.click(*h.app.frmpause(), "Command2");
       }},
  };
  for (const auto& c : closers) {
    h.history.records.clear();
    if (!h.app.frm1()) h.chooseLesson(1);
    h.type("ллол");
    h.wait(1000);
    h.type("т2x");
    h.wait(1000);
    c.close(h);
    ASSERT_EQ(h.app.frm1(), nullptr) << c.how;
    ASSERT_EQ(runs().size(), 1u) << c.how;
    const RunRecord& run = runs()[0];
    EXPECT_FALSE(run.complete) << c.how;
    EXPECT_FALSE(run.test) << c.how;
    EXPECT_EQ(run.tasks, 1) << c.how;
    EXPECT_EQ(run.keystrokes, 7) << c.how;
    EXPECT_EQ(run.errors, 1) << c.how;
    EXPECT_EQ(run.seconds, 2) << c.how;
    EXPECT_EQ(run.nominalShown, "3.5") << c.how;
    EXPECT_EQ(run.realShown, "0.5") << c.how;
  }

  // A screen closed before any keystroke leaves nothing to record.
  h.history.records.clear();
  h.chooseLesson(1);
  h.wait(3000);
  h.click(f(), "Command1");
  EXPECT_TRUE(runs().empty());
}

TEST_F(Pirvo3History, KeyTalliesCountEveryExpectedCharacterAndWhatCameInstead) {
  h.type("лдлоxл");           // "ллол": д and x typed for л
  h.type("т2ж к");            // "т2 к": ж typed for the blank
  h.app.pasteText("т3");      // "т3 к": a paste is one wrong keystroke for т
  h.click(f(), "Command1");
  ASSERT_EQ(runs().size(), 1u);
  const RunRecord& run = runs()[0];
  const std::map<std::string, KeyTally> expected = {
      {"л", {5, 2, {{"д", 1}, {"x", 1}}}},
      {"о", {1, 0, {}}},
      {"т", {2, 1, {{"т3", 1}}}},
      {"2", {1, 0, {}}},
      {" ", {2, 1, {{"ж", 1}}}},
      {"к", {1, 0, {}}},
  };
  EXPECT_EQ(run.keys, expected);
  EXPECT_EQ(run.errors, 4);
  EXPECT_EQ(run.keystrokes, 12);
}

TEST_F(Pirvo3History, TheTestIsARunOfItsOwn) {
  h.type("x");
  reachTask(kTestTask - 1);
  h.completeTask();
  ASSERT_NE(h.app.frmza(), nullptr);
  EXPECT_TRUE(runs().empty());
  h.click(*h.app.frmza(), "Command1");  // the lesson part ends here
  ASSERT_EQ(runs().size(), 1u);
  EXPECT_FALSE(runs()[0].test);
  EXPECT_TRUE(runs()[0].complete);
  EXPECT_EQ(runs()[0].tasks, 79);
  EXPECT_EQ(runs()[0].errors, 1);
  EXPECT_EQ(runs()[0].keys.at("л").typedInstead.at("x"), 1);

  h.type("ж");
  reachTask(kLastTask);
  ASSERT_EQ(runs().size(), 2u);
  const RunRecord& test = runs()[1];
  EXPECT_TRUE(test.test);
  EXPECT_TRUE(test.complete);
  EXPECT_EQ(test.tasks, 85);
  EXPECT_EQ(test.errors, 1);
  EXPECT_EQ(test.keystrokes, f().keystrokeCount());
  EXPECT_EQ(test.keys.count("л"), 0u);  // only the test's own keystrokes
  EXPECT_EQ(test.keys.at("т").typedInstead.at("ж"), 1);
}

TEST_F(Pirvo3History, AHistoryThatCannotBeWrittenCostsOneMessageAndNotTheLesson) {
  h.history.fault = HistoryFault::ReadOnly;
  h.type("x");
  reachTask(12);
  EXPECT_EQ(count(h.output(), "msgbox"), 0u);  // nothing is written per task
  EXPECT_EQ(f().taskNumber(), 12);
  h.click(f(), "Command1");
  const std::string out = h.output();
  EXPECT_EQ(count(out, "msgbox PIRVO3 | Пройдено заданий 11 из 85; количество ошибок: 1"), 1u);
  EXPECT_EQ(count(out, "msgbox"), 2u);
  EXPECT_EQ(count(out, "Этот урок не записан в историю занятий"), 1u);
  EXPECT_NE(out.find("только для чтения"), std::string::npos);
  EXPECT_NE(out.find("closed frm1"), std::string::npos);
  EXPECT_EQ(h.app.frm1(), nullptr);

  // The next run meets the same store: again one message, for that run.
  h.chooseLesson(1);
  h.type("лл");
  h.app.closeBox(f());
  EXPECT_EQ(count(h.output(), "Этот урок не записан в историю занятий"), 1u);
}

TEST_F(Pirvo3History, ADamagedHistoryPutAsideIsToldOnce) {
  h.history.setAside = "history.sqlite.damaged-20240902-090000";
  h.type("ллол");
  h.click(f(), "Command1");
  const std::string out = h.output();
  EXPECT_EQ(count(out, "«history.sqlite.damaged-20240902-090000»"), 1u);
  EXPECT_EQ(count(out, "история начата заново"), 1u);
  EXPECT_EQ(runs().size(), 1u);
}

TEST_F(Pirvo3History, TheSummaryOpensTheStatisticsOfTheLessonOnRequest) {
  h.type("ллол");
  h.click(f(), "Command1");
  EXPECT_EQ(h.app.frmstat(), nullptr);  // OK, as before

  h.chooseLesson(1);
  h.type("лx");
  h.printer.answerNext(kStatisticsButton);
  h.click(f(), "Command1");
  EXPECT_EQ(h.app.frm1(), nullptr);
  ASSERT_NE(h.app.frmstat(), nullptr);
  EXPECT_EQ(h.app.activeForm(), h.app.frmstat());
  EXPECT_EQ(h.app.frmstat()->lesson(), 1);
  // The run just closed is already in it.
  EXPECT_EQ(h.app.frmstat()->control("Chart1").categories,
            (std::vector<std::string>{"1", "2"}));
  const std::string out = h.output();
  EXPECT_LT(out.find("closed frm1"), out.find("open frmstat"));
}

// --- The statistics window ----------------------------------------------

class Pirvo3Statistics : public ::testing::Test {
 protected:
  Frmstat& stat() { return *h.app.frmstat(); }
  const Control& c(const std::string& name, int index = -1) { return stat().control(name, index); }
  void openFromMenu() { h.click(h.menu(), "Label11"); }
  // A recorded run of a lesson with the mistakes given as expected, typed.
  void addRun(int lesson, int errors, std::int64_t realMilli,
              std::map<std::string, KeyTally> keys = {}) {
    RunRecord run;
    run.lesson = lesson;
    run.lessonFile = lessons()[static_cast<std::size_t>(lesson)].file;
    run.started = VirtualClock::kDefaultCalendarStart + 600 * static_cast<int>(h.history.records.size());
    run.finished = run.started + 120;
    run.complete = true;
    run.tasks = 20;
    run.seconds = 100;
    run.keystrokes = 200;
    run.errors = errors;
    run.nominalMilli = 2000;
    run.realMilli = realMilli;
    run.nominalShown = "2";
    run.realShown = formatSpeed(realMilli, ".");
    run.keys = std::move(keys);
    h.history.add(run);
  }

  Harness h{testing::freshDir("statistics")};
};

TEST_F(Pirvo3Statistics, AnEmptyHistorySaysSoPlainly) {
  openFromMenu();
  ASSERT_NE(h.app.frmstat(), nullptr);
  EXPECT_EQ(stat().caption, "Статистика");
  EXPECT_TRUE(c("Label5").visible);
  EXPECT_EQ(c("Label5").caption.rfind("Истории пока нет", 0), 0u);
  EXPECT_FALSE(c("Chart1").visible);
  EXPECT_FALSE(c("Table1").visible);
  for (int i = 0; i < kKeyCount; ++i) EXPECT_EQ(c("Label7", i).back, colors::kWhite) << i;

  // With runs of another lesson only, the lesson shown is simply untried.
  addRun(4, 0, 2000);
  stat().showLesson(2);
  EXPECT_EQ(c("Label5").caption.rfind("Этот урок ещё не набирали", 0), 0u);
}

TEST_F(Pirvo3Statistics, TwoRunsShowInTheChartTheTableAndOnTheKeys) {
  testing::writeLesson(h.dir / "2.txt", testing::testLesson());
  h.chooseLesson(1);
  h.type("лxлол");  // x for л
  h.wait(2000);
  h.click(h.typing(), "Command1");
  h.wait(60'000);
  h.chooseLesson(1);
  h.type("ллол");
  h.type("т2 к");
  h.type("тж");  // ж for 3
  h.wait(3000);
  h.click(h.typing(), "Command1");
  ASSERT_EQ(h.history.records.size(), 2u);
  const RunRecord& first = h.history.records[0];
  const RunRecord& second = h.history.records[1];

  openFromMenu();  // no lesson lit in the menu: the lesson of the latest run
  EXPECT_EQ(stat().lesson(), 1);
  EXPECT_TRUE(c("Label4", 1).opaque);
  EXPECT_FALSE(c("Label4", 0).opaque);
  EXPECT_FALSE(c("Label5").visible);
  const Control& chart = c("Chart1");
  EXPECT_TRUE(chart.visible);
  EXPECT_EQ(chart.categories, (std::vector<std::string>{"1", "2"}));
  ASSERT_EQ(chart.series.size(), 3u);
  EXPECT_EQ(chart.series[0].milli, (std::vector<std::int64_t>{first.realMilli, second.realMilli}));
  EXPECT_EQ(chart.series[1].milli,
            (std::vector<std::int64_t>{first.nominalMilli, second.nominalMilli}));
  EXPECT_EQ(chart.series[2].milli, (std::vector<std::int64_t>{1000, 1000}));
  EXPECT_TRUE(chart.series[2].bars);

  const Control& table = c("Table1");
  ASSERT_EQ(table.cells.size(), 3u);  // titles and the two runs, newest first
  EXPECT_EQ(table.cells[1][0], "2");
  EXPECT_EQ(table.cells[1][1], shownDateTime(second.finished));
  EXPECT_EQ(table.cells[1][2], "урок (прерван)");
  EXPECT_EQ(table.cells[1][3], "2");
  EXPECT_EQ(table.cells[1][7], second.realShown);
  EXPECT_EQ(table.cells[2][0], "1");

  const auto key = [&](const char* caption) {
    return c("Label7", screenKeyOf(KeyLayout::Russian, caption)).back;
  };
  EXPECT_EQ(key("л"), keyTint(7, 1));  // 7 keystrokes for л, one wrong
  EXPECT_NE(key("л"), colors::kTintClean);
  EXPECT_EQ(key("3"), keyTint(1, 1));
  EXPECT_EQ(key("3"), colors::kTintMany);
  EXPECT_EQ(key("о"), colors::kTintClean);
  EXPECT_EQ(key(" "), colors::kTintClean);  // the space bar
  EXPECT_EQ(key("ф"), colors::kWhite);  // never expected
  EXPECT_EQ(c("Label13").caption, "«ж» вместо «3»: 1 раз\n«x» вместо «л»: 1 раз");
  EXPECT_EQ(c("Label8").caption.rfind("Попыток: 2\n", 0), 0u);
}

TEST_F(Pirvo3Statistics, TheLessonComesFromTheMenuAndTheChoosers) {
  addRun(5, 0, 1000);
  addRun(2, 0, 1000);
  h.hover(5);
  openFromMenu();
  EXPECT_EQ(stat().lesson(), 5);
  // A Latin lesson shows the Latin keys.
  EXPECT_EQ(c("Label7", 13).caption, "q");
  EXPECT_FALSE(c("Label7", 48).visible);
  EXPECT_FALSE(c("Label7", 23).visible);
  EXPECT_EQ(c("Label1").caption, "Второй урок (английские буквы)");

  h.click(stat(), "Label4", 2);
  EXPECT_EQ(stat().lesson(), 2);
  EXPECT_TRUE(c("Label7", 48).visible);
  EXPECT_EQ(c("Label7", 13).caption, "й");
  h.app.typeFormKey(FormKey::Down);
  EXPECT_EQ(stat().lesson(), 3);
  h.app.typeFormKey(FormKey::Up);
  h.app.typeFormKey(FormKey::Up);
  h.app.typeFormKey(FormKey::Up);
  h.app.typeFormKey(FormKey::Up);
  EXPECT_EQ(stat().lesson(), 6);  // round from the first to the last
  h.app.typeFormKey(FormKey::Escape);
  EXPECT_EQ(h.app.frmstat(), nullptr);
  EXPECT_NE(h.app.frmtre(), nullptr);
}

TEST_F(Pirvo3Statistics, ManyRunsAreNumberedFromTheFirstOfTheLesson) {
  for (int i = 0; i < 25; ++i) addRun(0, i % 3, 1000 * i);
  openFromMenu();
  const Control& chart = c("Chart1");
  ASSERT_EQ(chart.categories.size(), kChartRuns);
  EXPECT_EQ(chart.categories.front(), "6");
  EXPECT_EQ(chart.categories.back(), "25");
  const Control& table = c("Table1");
  ASSERT_EQ(table.cells.size(), kTableRuns + 1);
  EXPECT_EQ(table.cells[1][0], "25");
  EXPECT_EQ(table.cells.back()[0], "16");
  EXPECT_NE(c("Label8").caption.find("Лучшая реальная скорость: 24"), std::string::npos);
}

TEST_F(Pirvo3Statistics, FollowsRunsRecordedWhileOpenAndTellsWhenItCannotRead) {
  testing::writeLesson(h.dir / "1.txt", testing::testLesson());
  openFromMenu();
  EXPECT_TRUE(c("Label5").visible);
  h.chooseLesson(0);
  h.type("ллол");
  h.click(h.typing(), "Command1");
  EXPECT_FALSE(c("Label5").visible);
  EXPECT_EQ(c("Chart1").categories.size(), 1u);

  h.history.fault = HistoryFault::Locked;
  stat().reload();
  EXPECT_TRUE(c("Label5").visible);
  EXPECT_FALSE(c("Chart1").visible);
  EXPECT_EQ(c("Label5").caption.rfind("Историю занятий сейчас не прочитать", 0), 0u);
  EXPECT_NE(c("Label5").caption.find("занят другой копией программы"), std::string::npos);
}

TEST(Pirvo3KeyTint, RedderWithAGreaterShareOfWrongKeystrokes) {
  EXPECT_EQ(keyTint(0, 0), colors::kWhite);
  EXPECT_EQ(keyTint(40, 0), colors::kTintClean);
  EXPECT_EQ(keyTint(5, 1), colors::kTintMany);  // a fifth
  EXPECT_EQ(keyTint(3, 3), colors::kTintMany);
  const auto green = [](Rgb c) { return (c >> 8) & 0xFF; };
  int previous = 256;
  for (int errors : {1, 2, 4, 8, 12}) {
    const Rgb tint = keyTint(100, errors);
    EXPECT_LT(static_cast<int>(green(tint)), previous) << errors;
    previous = static_cast<int>(green(tint));
  }
}

TEST(Pirvo3HistoryDates, LocalSecondsReadAndWritten) {
  const struct {
    std::int64_t seconds;
    const char* iso;
    const char* shown;
  } cases[] = {
      {0, "1970-01-01 00:00:00", "01.01.1970 00:00"},
      {VirtualClock::kDefaultCalendarStart, "2024-09-02 09:00:00", "02.09.2024 09:00"},
      {951782400 + 86399, "2000-02-29 23:59:59", "29.02.2000 23:59"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(isoDateTime(c.seconds), c.iso);
    EXPECT_EQ(shownDateTime(c.seconds), c.shown);
    std::int64_t back = -1;
    EXPECT_TRUE(parseIsoDateTime(c.iso, back));
    EXPECT_EQ(back, c.seconds);
  }
  std::int64_t ignored = 0;
  for (const char* bad : {"", "2024-13-01 00:00:00", "2024-09-02", "2024-09-02 09:00:00x"}) {
    EXPECT_FALSE(parseIsoDateTime(bad, ignored)) << bad;
  }
}

}  // namespace
}  // namespace pirvo3
