// The forms as widgets: keys from the window system, layout and fonts.
#include <QApplication>
#include <QFontInfo>
#include <QKeyEvent>
#include <QFontMetricsF>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logic/phrase_bank.h"
#include "logic/text.h"
#include "logic/virtual_clock.h"
#include "ui/vorm_app.h"

namespace vorm::ui {
namespace {

struct Recorded : MessageSink, UrlOpener {
  std::vector<std::string> titles;
  std::vector<std::string> texts;
  std::vector<std::string> urls;
  void show(std::string_view title, std::string_view text, MessageIcon) override {
    titles.emplace_back(title);
    texts.emplace_back(text);
  }
  void openUrl(std::string_view url) override { urls.emplace_back(url); }
};

struct VormForms : ::testing::Test {
  VirtualClock clock;
  Recorded recorded;
  VormApp app{clock, recorded, recorded, {}};

  void SetUp() override { app.start(); }
  Form1Window* form1() { return app.form1(); }
  QLabel* label(FormWindow* form, const std::string& name) {
    return qobject_cast<QLabel*>(form->controlWidget(name));
  }
};

TEST_F(VormForms, KeysFromTheWindowSystemReachTheDrill) {
  Form1Window* form = app.form1();
  QTest::keyClick(form, Qt::Key_Shift);  // no character: no key for the drill
  EXPECT_TRUE(app.drill().display().setToggleEnabled);
  // Cyrillic arrives as text from the input method, with no Latin key code.
  for (QChar c : QStringLiteral("Шк")) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(form, &press);
  }
  EXPECT_EQ(toUtf8(app.drill().commandBuffer()), "Шк");
  QTest::keyClick(form, Qt::Key_Tab);  // a typing attempt, not a focus move
  QTest::keyClick(form, Qt::Key_Backspace);
  EXPECT_EQ(app.drill().errorTally(), 2);
  EXPECT_EQ(toUtf8(app.drill().commandBuffer()), "Шк");
  QTest::keyClick(form, Qt::Key_Delete);
  EXPECT_EQ(app.drill().errorTally(), 2);
  QTest::keyClick(form, Qt::Key_Enter);  // the keypad Enter enters too
  EXPECT_EQ(recorded.titles, std::vector<std::string>{"Совет от Кварцелия"});
  EXPECT_EQ(app.drill().errorTally(), 3);
  QTest::keyClick(form, Qt::Key_Escape);
  EXPECT_TRUE(app.ended());
}

TEST_F(VormForms, TheBufferLineShowsControlCharactersAsABox) {
  QTest::keyClick(app.form1(), Qt::Key_Tab);
  EXPECT_EQ(label(app.form1(), "Label6")->text(), QStringLiteral("\u25A1"));
}

TEST_F(VormForms, EveryPhraseFitsAndBothLayersLineUp) {
  QLabel* lower = label(app.form1(), "Label2");
  QLabel* upper = label(app.form1(), "Label3");
  ASSERT_EQ(lower->geometry(), upper->geometry());
  ASSERT_EQ(lower->font(), upper->font());
  ASSERT_EQ(lower->alignment(), upper->alignment());
  EXPECT_TRUE(QFontInfo(lower->font()).fixedPitch()) << QFontInfo(lower->font()).family().toStdString();
  // Blanks stand in for typed characters, so every character must have the
  // advance of a blank: a glyph from a fallback font would shift the layers.
  const QFontMetricsF metrics(lower->font());
  const qreal blank = metrics.horizontalAdvance(QLatin1Char(' '));
  for (int i = 0; i < kPhraseCount; ++i) {
    const QString phrase = QString::fromUtf8(phraseBank()[i].data(),
                                             static_cast<qsizetype>(phraseBank()[i].size()));
    const qreal width = metrics.horizontalAdvance(phrase);
    EXPECT_NEAR(width, blank * phrase.size(), 0.01) << "entry " << i;
    EXPECT_LE(width, lower->width()) << "entry " << i;
  }
}

TEST_F(VormForms, ControlsLieInsideTheirForms) {
  Form1Window* form1 = app.form1();
  app.showAbout();
  ASSERT_NE(app.about(), nullptr);
  EXPECT_EQ(form1->size(), QSize(512, 183));
  EXPECT_EQ(app.about()->size(), QSize(512, 183));
  for (FormWindow* form : app.openForms()) {
    for (const std::string& name : form->controlNames()) {
      QWidget* w = form->controlWidget(name);
      if (w == nullptr) continue;  // timers
      EXPECT_TRUE(form->rect().contains(w->geometry())) << form->formName() << "." << name;
      if (auto* l = qobject_cast<QLabel*>(w); l != nullptr && !l->wordWrap()) {
        EXPECT_LE(l->fontMetrics().horizontalAdvance(l->text()), l->contentsRect().width())
            << form->formName() << "." << name << " cuts its caption";
      }
    }
  }
}

TEST_F(VormForms, AboutBoxLinksHaveHandPointersAndTooltips) {
  app.showAbout();
  AboutWindow* about = app.about();
  ASSERT_NE(about, nullptr);
  for (const char* name : {"Label1", "Label3"}) {
    EXPECT_EQ(about->controlWidget(name)->cursor().shape(), Qt::PointingHandCursor) << name;
    EXPECT_FALSE(about->controlWidget(name)->toolTip().isEmpty()) << name;
  }
  EXPECT_EQ(about->controlWidget("Label3")->toolTip(), QStringLiteral(" Только без мата !!! "));
  QTest::mouseClick(about->controlWidget("Label1"), Qt::LeftButton);
  EXPECT_EQ(recorded.urls, std::vector<std::string>{"https://www.example.org/"});
}

TEST_F(VormForms, ClosingForm1TakesTheAboutBoxAlong) {
  app.showAbout();
  app.form1()->close();
  EXPECT_EQ(app.about(), nullptr);
  EXPECT_TRUE(app.ended());
  EXPECT_TRUE(app.openForms().empty());
}

TEST_F(VormForms, TextCommittedByAnInputMethodArrivesAsTypedKeys) {
  Form1Window* form = app.form1();
  // The window asks for input-method text, or dead keys and compose
  // sequences never reach it.
  QInputMethodQueryEvent query(Qt::ImEnabled);
  QApplication::sendEvent(form, &query);
  EXPECT_TRUE(query.value(Qt::ImEnabled).toBool());
  EXPECT_TRUE(form->testAttribute(Qt::WA_InputMethodEnabled));

  auto commit = [&](const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(form, &event);
  };
  // A preedit without a commit types nothing; a commit of several
  // characters types each, with the usual refusal of a wrong one.
  QInputMethodEvent preedit(QStringLiteral("Ш"), {});
  QApplication::sendEvent(form, &preedit);
  EXPECT_EQ(toUtf8(app.drill().commandBuffer()), "");
  commit(QStringLiteral("Шкx"));
  EXPECT_EQ(toUtf8(app.drill().commandBuffer()), "Шк");
  EXPECT_EQ(app.drill().errorTally(), 1);
  commit(QStringLiteral("ола"));
  QTest::keyClick(form, Qt::Key_Return);
  EXPECT_EQ(app.drill().phraseIndex(), kStandardSet.start + 1);
}

TEST_F(VormForms, ADesktopWithoutTheAlphabetIsToldOnce) {
  // The first phrase "Школа" starts with a Cyrillic letter.
  app.setKeyboardAlphabets({Alphabet::Latin});
  QApplication::processEvents();
  ASSERT_EQ(recorded.texts.size(), 1u);
  EXPECT_EQ(recorded.titles[0], "Совет от Кварцелия");
  EXPECT_NE(recorded.texts[0].find("«Ш» русская"), std::string::npos) << recorded.texts[0];
  EXPECT_NE(recorded.texts[0].find("setxkbmap -layout us,ru"), std::string::npos);
  // Refused keys go on as before, with no second word.
  QTest::keyClick(form1(), Qt::Key_S);
  QApplication::processEvents();
  EXPECT_EQ(app.drill().errorTally(), 1);
  EXPECT_EQ(recorded.texts.size(), 1u);
}

}  // namespace
}  // namespace vorm::ui
