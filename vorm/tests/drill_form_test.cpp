#include "logic/drill_form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logic/text.h"
#include "logic/virtual_clock.h"

namespace vorm {
namespace {

struct Message {
  std::string title;
  std::string text;
  bool operator==(const Message&) const = default;
};

struct RecordedMessages : MessageSink {
  std::vector<Message> shown;
  void show(std::string_view title, std::string_view text, MessageIcon icon) override {
    EXPECT_EQ(icon, MessageIcon::Critical);
    shown.push_back({std::string(title), std::string(text)});
  }
};

struct RecordedHost : DrillHost {
  int aboutShown = 0;
  int aboutUnloaded = 0;
  int ended = 0;
  int changes = 0;
  void showAbout() override { ++aboutShown; }
  void unloadAbout() override { ++aboutUnloaded; }
  void endProgram() override { ++ended; }
  void changed() override { ++changes; }
};

const Message kAdvice{std::string(kAdviceTitle), std::string(kAdviceText)};
const Message kPunishment{std::string(kPunishmentTitle), std::string(kPunishmentText)};
const Message kSummary{std::string(kSummaryTitle), std::string(kSummaryText)};

struct VormDrill : ::testing::Test {
  VirtualClock clock;
  RecordedMessages messages;
  RecordedHost host;
  DrillForm form{clock, messages, host};

  void SetUp() override { form.load(); }

  void type(std::u32string_view keys) {
    for (char32_t k : keys) form.keyPress(k);
  }
  void type(std::string_view utf8) { type(fromUtf8(utf8)); }
  void enterCurrentPhrase() {
    const std::u32string phrase(form.currentPhrase());
    type(phrase);
    form.keyPress(kEnterKey);
  }
  void makeErrors(int count) {
    for (int i = 0; i < count; ++i) form.keyPress(U'\u0001');
  }
  std::string buffer() const { return toUtf8(form.commandBuffer()); }
};

TEST_F(VormDrill, LoadShowsTheFirstStandardPhrase) {
  EXPECT_EQ(form.display().phrase, "Школа");
  EXPECT_EQ(form.display().phraseRest, "Школа");
  EXPECT_EQ(form.display().setCaption, kStandardCaption);
  EXPECT_TRUE(form.display().setToggleEnabled);
  EXPECT_EQ(form.phraseIndex(), 103);
  EXPECT_EQ(form.phraseLength(), 5);
  EXPECT_EQ(form.setStart(), 103);
  EXPECT_EQ(form.setEnd(), 134);
  EXPECT_FALSE(form.timer1().enabled());
  EXPECT_TRUE(form.timer2().enabled());
  EXPECT_EQ(form.timer1().interval(), 200);
  EXPECT_EQ(form.timer2().interval(), 5000);
}

TEST_F(VormDrill, ToggleSwitchesSetsUntilTheFirstKey) {
  form.clickLabel9();
  EXPECT_EQ(form.display().setCaption, kExtendedCaption);
  EXPECT_EQ(form.setStart(), 0);
  EXPECT_EQ(form.setEnd(), 102);
  EXPECT_EQ(form.phraseIndex(), 0);
  form.clickLabel9();
  EXPECT_EQ(form.display().setCaption, kStandardCaption);
  EXPECT_EQ(form.phraseIndex(), 103);

  form.clickLabel9();   // extended
  type("Шзвон");        // Ш right, the rest wrong: the toggle is now locked
  form.clickLabel9();
  EXPECT_FALSE(form.display().setToggleEnabled);
  EXPECT_EQ(form.display().setCaption, kExtendedCaption);
  EXPECT_EQ(form.phraseIndex(), 0);
  EXPECT_EQ(buffer(), "Ш");
}

TEST_F(VormDrill, EvenARefusedOrEnterKeyLocksTheToggle) {
  form.keyPress(kEnterKey);
  form.clickLabel9();
  EXPECT_EQ(form.display().setCaption, kStandardCaption);
  EXPECT_EQ(form.setStart(), 103);
}

TEST_F(VormDrill, LowerCaseFirstLetterIsRefusedAndCounted) {
  type("ш");
  EXPECT_EQ(form.typedCount(), 0);
  EXPECT_EQ(form.errorTally(), 1);
  EXPECT_EQ(buffer(), "");
  EXPECT_EQ(form.display().buffer, "ш");  // shown until the blinking ends
  EXPECT_EQ(form.display().bufferBack, kErrorColour);
  EXPECT_EQ(form.display().phraseRest, "Школа");
  EXPECT_TRUE(form.timer1().enabled());
}

TEST_F(VormDrill, RefusedKeyKeepsThePlace) {
  type("Шк");
  type("x");
  EXPECT_EQ(form.typedCount(), 2);
  type("о");
  EXPECT_EQ(form.typedCount(), 3);
  EXPECT_EQ(buffer(), "Шко");
  EXPECT_EQ(form.display().buffer, "Шко");
  EXPECT_EQ(form.display().phraseRest, "   ла");
  EXPECT_EQ(form.errorTally(), 1);
}

TEST_F(VormDrill, CharacterPastTheEndIsRefused) {
  type("Школа");
  type("!");
  EXPECT_EQ(form.typedCount(), 5);
  EXPECT_EQ(buffer(), "Школа");
  EXPECT_EQ(form.errorTally(), 1);
  EXPECT_EQ(form.display().phraseRest, "     ");
}

TEST_F(VormDrill, BackspaceTabAndOtherControlKeysAreTypingAttempts) {
  type("Шк");
  for (char32_t key : {U'\b', U'\t', U'\n', U'\x7f'}) form.keyPress(key);
  EXPECT_EQ(form.errorTally(), 4);
  EXPECT_EQ(buffer(), "Шк");  // Backspace deletes nothing
}

TEST_F(VormDrill, EnterOnEmptyBufferCountsAnErrorAndAdvises) {
  form.keyPress(kEnterKey);
  EXPECT_EQ(form.errorTally(), 1);
  EXPECT_EQ(messages.shown, std::vector<Message>{kAdvice});
  EXPECT_EQ(form.phraseIndex(), 103);
}

TEST_F(VormDrill, EnterOnCompletePhraseMovesItToMemoryAndShowsTheNext) {
  type("Школа");
  form.keyPress(kEnterKey);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(form.display().memory, "Школа");
  EXPECT_EQ(form.display().buffer, "");
  EXPECT_EQ(form.phraseIndex(), 104);
  EXPECT_EQ(form.display().phrase, "громкий звоНок");
  EXPECT_EQ(form.display().phraseRest, "громкий звоНок");
  EXPECT_EQ(form.phraseLength(), 14);
  EXPECT_EQ(form.typedCount(), 0);
}

TEST_F(VormDrill, FourErrorsThenACompletedPhraseStartTheNextAtZero) {
  makeErrors(4);
  enterCurrentPhrase();
  EXPECT_EQ(form.phraseIndex(), 104);
  EXPECT_EQ(form.errorTally(), 0);
  EXPECT_TRUE(messages.shown.empty());
  makeErrors(4);
  EXPECT_TRUE(messages.shown.empty());  // the tally belongs to the phrase
}

TEST_F(VormDrill, FifthErrorRestartsThePhrase) {
  type("Шко");
  makeErrors(5);
  EXPECT_EQ(messages.shown, std::vector<Message>{kPunishment});
  EXPECT_EQ(form.errorTally(), 0);
  EXPECT_EQ(form.typedCount(), 0);
  EXPECT_EQ(buffer(), "");
  EXPECT_EQ(form.display().phraseRest, "Школа");
  EXPECT_EQ(form.phraseIndex(), 103);
  type("Ш");  // the phrase starts over
  EXPECT_EQ(form.typedCount(), 1);
  EXPECT_EQ(form.display().phraseRest, " кола");
}

TEST_F(VormDrill, IncompleteEnterReachingTheLimitAdvisesThenPunishes) {
  type("Шк");
  makeErrors(4);
  clock.advance(1000);  // the blinking is over
  form.keyPress(kEnterKey);
  EXPECT_EQ(messages.shown, (std::vector<Message>{kAdvice, kPunishment}));
  EXPECT_EQ(form.errorTally(), 0);
  EXPECT_EQ(form.typedCount(), 0);
  EXPECT_EQ(form.phraseIndex(), 103);
  // The buffer line starts over too instead of showing what was typed before.
  EXPECT_EQ(form.display().buffer, "");
}

TEST_F(VormDrill, StandardSetEndsAfterIndex133) {
  for (int i = 103; i < 133; ++i) enterCurrentPhrase();
  EXPECT_EQ(form.phraseIndex(), 133);
  EXPECT_EQ(host.ended, 0);
  enterCurrentPhrase();
  EXPECT_EQ(messages.shown, std::vector<Message>{kSummary});
  EXPECT_EQ(host.ended, 1);
  EXPECT_TRUE(form.ended());
  EXPECT_EQ(form.display().memory, toUtf8(fromUtf8(phraseBank()[133])));
  form.keyPress(U'x');  // nothing happens after the end
  EXPECT_EQ(host.ended, 1);
}

TEST_F(VormDrill, ExtendedSetEndsAfterIndex101) {
  form.clickLabel9();
  for (int i = 0; i < 101; ++i) enterCurrentPhrase();
  EXPECT_EQ(form.phraseIndex(), 101);
  EXPECT_EQ(host.ended, 0);
  enterCurrentPhrase();
  EXPECT_EQ(messages.shown, std::vector<Message>{kSummary});
  EXPECT_EQ(host.ended, 1);
}

TEST_F(VormDrill, EscEndsAtOnceWithoutAQuestion) {
  type("Шк");
  form.keyPress(kEscKey);
  EXPECT_EQ(host.ended, 1);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_FALSE(form.timer2().enabled());
  form.keyPress(kEnterKey);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(VormDrill, TwoTonePhraseStaysAlignedWhileTyping) {
  // Label3 must keep the length of the phrase at every step, or the two layers
  // drift apart.
  for (int index = 103; index < 134; ++index) {
    const std::u32string phrase(form.currentPhrase());
    for (size_t typed = 1; typed <= phrase.size(); ++typed) {
      form.keyPress(phrase[typed - 1]);
      const std::u32string rest = fromUtf8(form.display().phraseRest);
      ASSERT_EQ(rest.size(), phrase.size()) << "phrase " << index;
      EXPECT_EQ(rest.substr(0, typed), std::u32string(typed, U' '));
      EXPECT_EQ(rest.substr(typed), phrase.substr(typed));
    }
    form.keyPress(kEnterKey);
  }
}

TEST_F(VormDrill, BlinkingGoesThroughItsColoursStepByStep) {
  type("Шx");
  struct Step {
    int atMs;
    int blinkStep;
    Rgb colour;
    std::string shown;
    bool running;
  };
  const Step steps[] = {
      {0, 0, kErrorColour, "Шx", true},   {199, 0, kErrorColour, "Шx", true},
      {200, 1, kBufferWhite, "Шx", true}, {400, 2, kErrorColour, "Шx", true},
      {600, 3, kBufferWhite, "Шx", true}, {800, 4, kErrorColour, "Шx", true},
      {1000, 0, kBufferWhite, "Ш", false}, {2000, 0, kBufferWhite, "Ш", false},
  };
  for (const Step& s : steps) {
    clock.advance(s.atMs - clock.now());
    EXPECT_EQ(form.blinkStep(), s.blinkStep) << "at " << s.atMs;
    EXPECT_EQ(form.display().bufferBack, s.colour) << "at " << s.atMs;
    EXPECT_EQ(form.display().buffer, s.shown) << "at " << s.atMs;
    EXPECT_EQ(form.timer1().enabled(), s.running) << "at " << s.atMs;
  }
}

TEST_F(VormDrill, WrongKeyDuringBlinkingSetsTheErrorColourAndTheSequenceGoesOn) {
  type("Шx");
  clock.advance(600);  // step 3, white
  type("y");
  EXPECT_EQ(form.display().bufferBack, kErrorColour);
  EXPECT_EQ(form.display().buffer, "Шy");
  EXPECT_EQ(form.errorTally(), 2);
  clock.advance(200);  // step 4
  EXPECT_EQ(form.blinkStep(), 4);
  clock.advance(200);  // step 5 ends it, 1000 ms after the first wrong key
  EXPECT_EQ(form.blinkStep(), 0);
  EXPECT_FALSE(form.timer1().enabled());
  EXPECT_EQ(form.display().buffer, "Ш");
  EXPECT_EQ(form.display().bufferBack, kBufferWhite);
}

TEST_F(VormDrill, RightKeyDuringBlinkingShowsTheBufferAtOnce) {
  type("Шxк");
  EXPECT_EQ(form.display().buffer, "Шк");
  EXPECT_EQ(form.display().bufferBack, kErrorColour);  // the blinking still runs
  clock.advance(1000);
  EXPECT_EQ(form.display().buffer, "Шк");
}

TEST_F(VormDrill, MemoryLineIsErasedFiveSecondsAfterEnter) {
  clock.advance(1000);
  enterCurrentPhrase();
  clock.advance(4999);
  EXPECT_EQ(form.display().memory, "Школа");
  clock.advance(1);
  EXPECT_EQ(form.display().memory, "");
  EXPECT_FALSE(form.timer2().enabled());
}

TEST_F(VormDrill, EachEnteredPhraseStaysFiveSecondsEvenWhenTheNextFollowsSoon) {
  enterCurrentPhrase();  // at 0
  clock.advance(3000);
  enterCurrentPhrase();  // at 3000
  clock.advance(4999);
  EXPECT_EQ(form.display().memory, "громкий звоНок");
  clock.advance(1);
  EXPECT_EQ(form.display().memory, "");
}

TEST_F(VormDrill, Timer2FiresOnceAfterStart) {
  EXPECT_TRUE(form.timer2().enabled());
  clock.advance(5000);
  EXPECT_FALSE(form.timer2().enabled());
  EXPECT_EQ(form.display().memory, "");
}

TEST_F(VormDrill, HelpLabelOpensTheAboutBoxAndUnloadClosesIt) {
  form.clickLabel8();
  form.clickLabel8();
  EXPECT_EQ(host.aboutShown, 2);  // the host brings an open box to the front
  form.unload();
  EXPECT_EQ(host.aboutUnloaded, 1);
  EXPECT_FALSE(form.timer2().enabled());
  form.keyPress(U'Ш');
  EXPECT_EQ(form.typedCount(), 0);
}

TEST_F(VormDrill, DisplayChangesAreReportedBeforeEachMessage) {
  struct CheckingMessages : MessageSink {
    RecordedHost* host = nullptr;
    int changesSeen = -1;
    void show(std::string_view, std::string_view, MessageIcon) override {
      changesSeen = host->changes;
    }
  } checking;
  checking.host = &host;
  DrillForm other(clock, checking, host);
  other.load();
  const int before = host.changes;
  other.keyPress(kEnterKey);
  EXPECT_GT(checking.changesSeen, before);
}

}  // namespace
}  // namespace vorm
