#include <fstream>

#include <gtest/gtest.h>

#include "colors.h"
#include "harness.h"
#include "lessons.h"

namespace pirvo3 {
namespace {

using testing::Harness;

bool lit(Frmtre& menu, int lesson) {
  const Control& c = menu.control("Label1", lesson);
  return c.opaque && c.fore == colors::kBlue;
}

class Pirvo3Menu : public ::testing::Test {
 protected:
  Harness h{testing::freshDir("menu")};
};

TEST_F(Pirvo3Menu, StartsWithTheMenuAndItsGroupMarks) {
  EXPECT_EQ(h.output(), "open frmtre\n");
  EXPECT_EQ(h.menu().caption, "Таприкон");
  EXPECT_EQ(h.menu().picture, "pidata/startfon.gif");
  EXPECT_EQ(h.caption(h.menu(), "Label4", 0), "R\nU\nS");
  EXPECT_EQ(h.caption(h.menu(), "Label4", 1), "L\nA\nT");
}

TEST_F(Pirvo3Menu, TheSecondLessonCannotBeLitFirst) {
  h.hover(1);
  for (int i = 0; i < kLessonCount; ++i) EXPECT_FALSE(lit(h.menu(), i)) << i;
  EXPECT_EQ(h.caption(h.menu(), "Label7"), "");

  h.hover(2);
  EXPECT_TRUE(lit(h.menu(), 2));
  EXPECT_EQ(h.caption(h.menu(), "Label7"), lessons()[2].description);
  h.hover(1);
  EXPECT_TRUE(lit(h.menu(), 1));
  EXPECT_FALSE(lit(h.menu(), 2));
  EXPECT_EQ(h.menu().highlightedLesson(), 1);
}

TEST_F(Pirvo3Menu, ACaptionStaysLitUntilAnotherTakesTheLight) {
  h.hover(5);
  h.app.mouseMove(h.menu(), h.menu().control("Label7"));
  h.app.mouseMove(h.menu(), h.menu().control("Label3"));
  EXPECT_TRUE(lit(h.menu(), 5));
  h.hover(0);
  EXPECT_FALSE(lit(h.menu(), 5));
  EXPECT_TRUE(lit(h.menu(), 0));
  EXPECT_EQ(h.menu().control("Label1", 5).fore, colors::kWhite);
}

TEST_F(Pirvo3Menu, TheLastLessonsOfBothGroupsShareTheirDescription) {
  h.hover(3);
  const std::string russian = h.caption(h.menu(), "Label7");
  h.hover(6);
  EXPECT_EQ(h.caption(h.menu(), "Label7"), russian);
  EXPECT_EQ(russian, "Упражнения с использованием всех клавиш");
}

TEST_F(Pirvo3Menu, ChoosingALessonPreparesTheTypingScreen) {
  const struct {
    int lesson;
    const char* caption;
    const char* file;
    const char* firstTask;
    const char* key13;  // first key of the upper letter row
    const char* key34;
    bool russianOnlyKeysShown;
    std::uint32_t layout;
  } cases[] = {
      {0, "Первый урок", "1.txt", "ллол", "й", "ж", true, kLayoutRussian},
      {1, "Второй урок", "2.txt", "ллол", "й", "ж", true, kLayoutRussian},
      {2, "Третий урок", "3.txt", "ллол", "й", "ж", true, kLayoutRussian},
      {3, "Четвёртый урок", "4.txt", "ллол", "й", "ж", true, kLayoutRussian},
      {4, "Первый урок", "1e.txt", "jkkj", "q", ";", false, kLayoutEnglishUs},
      {5, "Второй урок", "2e.txt", "hggh", "q", ";", false, kLayoutEnglishUs},
      {6, "Третий урок", "3e.txt", "qwqq", "q", ";", false, kLayoutEnglishUs},
  };
  h.output();
  for (const auto& c : cases) {
    h.chooseLesson(c.lesson);
    ASSERT_NE(h.app.frm1(), nullptr);
    Frm1& f = h.typing();
    EXPECT_EQ(f.caption, c.caption) << c.lesson;
    EXPECT_EQ(h.caption(f, "Label19"), c.file) << c.lesson;
    EXPECT_EQ(f.targetLine(), c.firstTask) << c.lesson;
    EXPECT_EQ(h.caption(f, "Label20", 13), c.key13) << c.lesson;
    EXPECT_EQ(h.caption(f, "Label20", 34), c.key34) << c.lesson;
    EXPECT_EQ(h.caption(f, "Label20", 0), "1") << c.lesson;
    EXPECT_EQ(h.caption(f, "Label20", 47), "пробел") << c.lesson;
    for (int hidden : {23, 24, 48}) {
      EXPECT_EQ(f.control("Label20", hidden).visible, c.russianOnlyKeysShown) << c.lesson;
    }
    EXPECT_EQ(h.desktop.layouts.back(), c.layout) << c.lesson;
    h.app.closeBox(f);  // the close box: no summary
    EXPECT_EQ(h.output(), "open frm1\nclosed frm1\n") << c.lesson;
  }
}

TEST_F(Pirvo3Menu, AReopenedTypingScreenStartsFromItsDesign) {
  h.chooseLesson(6);
  h.type("q");
  h.app.closeBox(h.typing());
  h.chooseLesson(1);
  EXPECT_EQ(h.caption(h.typing(), "Label20", 13), "й");
  EXPECT_TRUE(h.typing().control("Label20", 48).visible);
  EXPECT_EQ(h.typing().errorCount(), 0);
  EXPECT_EQ(h.caption(h.typing(), "Label17"), "");
}

TEST_F(Pirvo3Menu, ChoosingAgainBringsTheOpenScreenBackWithItsCounters) {
  h.chooseLesson(4);
  h.type("jkx");  // two right, one wrong
  Frm1* first = h.app.frm1();
  h.output();
  h.chooseLesson(1);
  EXPECT_EQ(h.app.frm1(), first);
  EXPECT_EQ(h.output(), "");  // not opened again
  Frm1& f = h.typing();
  EXPECT_EQ(f.errorCount(), 1);
  EXPECT_EQ(f.keystrokeCount(), 3);
  EXPECT_EQ(h.caption(f, "Label19"), "2.txt");
  EXPECT_EQ(f.caption, "Второй урок");
  // The Russian lesson gets its own keys and first task back; the Latin
  // part typed so far no longer belongs to the line.
  EXPECT_EQ(h.caption(f, "Label20", 13), "й");
  EXPECT_EQ(f.targetLine(), "ллол");
  EXPECT_EQ(f.typedPart(), "");
  h.type("ллол");
  EXPECT_EQ(f.taskNumber(), 2);
}

TEST_F(Pirvo3Menu, HelpOpensThePageBesideTheLessons) {
  h.click(h.menu(), "Label10");
  EXPECT_NE(h.output().find("msgbox PIRVO3 | Не найден файл справки"), std::string::npos);

  std::ofstream(h.dir / "Help.htm") << "<html></html>";
  h.click(h.menu(), "Label10");
  EXPECT_EQ(h.output(), "url " + fileUrl((h.dir / "Help.htm").string()) + "\n");
  h.desktop.opens = false;
  h.click(h.menu(), "Label10");
  EXPECT_NE(h.output().find("msgbox PIRVO3 | Не удалось открыть справку"), std::string::npos);
  EXPECT_EQ(fileUrl("/a b/Справка.htm"), "file:///a%20b/%D0%A1%D0%BF%D1%80%D0%B0%D0%B2%D0%BA%D0%B0.htm");
}

TEST_F(Pirvo3Menu, ExitLeavesAnOpenLessonRunning) {
  h.chooseLesson(0);
  h.output();
  h.click(h.menu(), "Label6");
  EXPECT_EQ(h.output(), "closed frmtre\n");
  EXPECT_FALSE(h.app.ended());
  h.type("л");
  EXPECT_EQ(h.typing().typedPart(), "л");
  h.app.closeBox(h.typing());
  EXPECT_EQ(h.output(), "closed frm1\nexit\n");
  EXPECT_TRUE(h.app.ended());
}

TEST_F(Pirvo3Menu, WindowSizeRule) {
  const struct {
    WindowSize in;
    WindowSize out;
  } cases[] = {
      {{true, 5655, 4410}, {false, 5655, 4410}},
      {{false, 9000, 4000}, {false, 5655, 4000}},
      {{false, 5000, 9000}, {false, 5000, 4410}},
      {{false, 3000, 2000}, {false, 3000, 2000}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(h.app.resize(h.menu(), c.in), c.out) << c.in.width << "x" << c.in.height;
  }
  h.chooseLesson(0);
  EXPECT_EQ(h.app.resize(h.typing(), {true, 20000, 20000}), (WindowSize{false, 8055, 7665}));
}

TEST_F(Pirvo3Menu, TheKeyboardMovesTheLightAndOpensTheLitLesson) {
  // Each step: a key, then the caption lit afterwards (-1: none).
  const struct {
    FormKey key;
    int lit;
  } steps[] = {
      {FormKey::Enter, -1},  // nothing lit yet: nothing to open
      {FormKey::Down, 0},    // the first Down lights the first lesson
      {FormKey::Down, 1},    {FormKey::Up, 0},
      {FormKey::Up, 6},      // round from the first to the last
      {FormKey::Down, 0},
  };
  for (const auto& step : steps) {
    h.app.typeFormKey(step.key);
    for (int i = 0; i < kLessonCount; ++i) EXPECT_EQ(lit(h.menu(), i), i == step.lit) << i;
    if (step.lit >= 0) {
      EXPECT_EQ(h.caption(h.menu(), "Label7"), lessons()[static_cast<std::size_t>(step.lit)].description);
    }
  }
  EXPECT_EQ(h.output(), "open frmtre\n");

  // The mouse and the keys share one light.
  h.hover(4);
  h.app.typeFormKey(FormKey::Down);
  EXPECT_TRUE(lit(h.menu(), 5));
  EXPECT_FALSE(lit(h.menu(), 4));
  h.app.typeFormKey(FormKey::Enter);
  ASSERT_NE(h.app.frm1(), nullptr);
  EXPECT_EQ(h.caption(h.typing(), "Label19"), "2e.txt");
  EXPECT_EQ(h.desktop.layouts.back(), kLayoutEnglishUs);
}

TEST_F(Pirvo3Menu, FOneOpensTheHelpAndEscClosesTheMenu) {
  std::ofstream(h.dir / "Help.htm") << "<html></html>";
  h.output();
  h.app.typeFormKey(FormKey::F1);
  EXPECT_EQ(h.output(), "url " + fileUrl((h.dir / "Help.htm").string()) + "\n");
  // Keys reach only the form they are meant for: the typing screen ignores them.
  h.chooseLesson(0);
  h.app.typeFormKey(FormKey::Escape);
  EXPECT_NE(h.app.frm1(), nullptr);
  h.app.formKey(h.menu(), FormKey::Escape);
  EXPECT_EQ(h.app.frmtre(), nullptr);
  EXPECT_FALSE(h.app.ended());  // the lesson stays open
}

TEST_F(Pirvo3Menu, TheStatisticsLinkCoversNoneOfTheDesignedControls) {
  const Control& link = h.menu().control("Label11");
  EXPECT_EQ(link.caption, "Статистика");
  const Control& help = h.menu().control("Label10");
  EXPECT_EQ(link.font.pixels, help.font.pixels);  // in the style of the other links
  EXPECT_EQ(link.back, help.back);
  EXPECT_LE(link.top + link.height, h.menu().height);
  EXPECT_LE(link.left + link.width, h.menu().width);
  for (const Control& c : h.menu().controls()) {
    if (&c == &link) continue;
    const bool apart = c.left + c.width <= link.left || link.left + link.width <= c.left ||
                       c.top + c.height <= link.top || link.top + link.height <= c.top;
    EXPECT_TRUE(apart) << c.id();
  }
  h.output();
  h.click(h.menu(), "Label11");
  ASSERT_NE(h.app.frmstat(), nullptr);
  EXPECT_EQ(h.output(), "open frmstat\n");
}

TEST(Pirvo3MenuPicture, AMissingPictureIsReportedOnceAndTheMenuWorks) {
  Harness h(testing::freshDir("nopicture"), ".", false);
  const std::string out = h.output();
  EXPECT_EQ(out.rfind("open frmtre\nmsgbox PIRVO3 | Не найден файл фоновой картинки «pidata/startfon.gif»", 0),
            0u)
      << out;
  h.hover(3);
  h.chooseLesson(3);
  h.app.closeBox(h.typing());
  EXPECT_EQ(h.output().find("msgbox"), std::string::npos);
}

}  // namespace
}  // namespace pirvo3
