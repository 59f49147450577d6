#include "logic/drill_form.h"

#include "logic/text.h"

namespace vorm {

DrillForm::DrillForm(TimerFactory& timers, MessageSink& messages, DrillHost& host)
    : timerFactory_(timers), messages_(messages), host_(host) {
  timer1_ = timerFactory_.createTimer(kBlinkIntervalMs, false, [this] { timer1Tick(); });
  timer2_ = timerFactory_.createTimer(kEraseIntervalMs, false, [this] { timer2Tick(); });
}

void DrillForm::load() {
  phraseBank_.clear();
  phraseBank_.reserve(kPhraseCount);
  for (std::string_view phrase : phraseBank()) phraseBank_.push_back(fromUtf8(phrase));
  setStart_ = kStandardSet.start;
  setEnd_ = kStandardSet.end;
  display_.setCaption = std::string(kStandardCaption);
  nach();
  // Timer2 runs from the start, so it also fires once on the still empty memory line.
  timer2_->setEnabled(true);
  host_.changed();
}

// Starts the chosen set from its first phrase. The buffer line, the memory line
// and the timers are left as they are.
void DrillForm::nach() {
  currentPhrase_ = phraseBank_[static_cast<size_t>(setStart_)];
  commandBuffer_.clear();
  showPhrase();
  phraseLength_ = static_cast<int>(currentPhrase_.size());
  phraseIndex_ = setStart_;
  errorTally_ = 0;
  typedCount_ = 0;
}

void DrillForm::clickLabel9() {
  if (ended_ || !display_.setToggleEnabled) return;
  if (display_.setCaption != kStandardCaption) {
    display_.setCaption = std::string(kStandardCaption);
    setEnd_ = kStandardSet.end;
    setStart_ = kStandardSet.start;
  } else {
    display_.setCaption = std::string(kExtendedCaption);
    setEnd_ = kExtendedSet.end;
    setStart_ = kExtendedSet.start;
  }
  nach();
  host_.changed();
}

void DrillForm::clickLabel8() {
  if (ended_) return;
  host_.showAbout();
}

void DrillForm::keyPress(char32_t key) {
  if (ended_) return;
  // From the first key on the set can no longer be changed.
  display_.setToggleEnabled = false;
  if (key == kEscKey) {
    end();
    return;
  }
  if (key != kEnterKey) {
    typeCharacter(key);
  } else {
    enterPhrase();
    if (ended_) return;
  }
  if (errorTally_ >= kErrorLimit) {
    errorTally_ = 0;
    typedCount_ = 0;
    commandBuffer_.clear();
    // The buffer line starts over with the phrase; left alone it would keep
    // showing characters that are no longer in the buffer.
    showBuffer();
    message(kPunishmentTitle, kPunishmentText);
    showPhrase();
  }
  host_.changed();
}

// Every character other than Enter and Esc is an attempt at the next character
// of the phrase, control characters such as Backspace and Tab included.
void DrillForm::typeCharacter(char32_t c) {
  commandBuffer_.push_back(c);
  ++typedCount_;
  showBuffer();
  const bool matches =
      typedCount_ <= phraseLength_ && currentPhrase_[static_cast<size_t>(typedCount_ - 1)] == c;
  if (matches) {
    std::u32string rest(commandBuffer_.size(), U' ');
    rest += currentPhrase_.substr(static_cast<size_t>(typedCount_));
    display_.phraseRest = toUtf8(rest);
    return;
  }
  // Refused: the buffer line keeps showing the wrong character until the
  // blinking has run its course. A wrong key while it runs only sets the error
  // colour again; the sequence goes on where it was.
  --typedCount_;
  commandBuffer_.resize(static_cast<size_t>(typedCount_));
  display_.bufferBack = kErrorColour;
  ++errorTally_;
  timer1_->setEnabled(true);
}

void DrillForm::enterPhrase() {
  if (commandBuffer_ != currentPhrase_) {
    ++errorTally_;
    message(kAdviceTitle, kAdviceText);
    return;
  }
  display_.memory = toUtf8(commandBuffer_);
  display_.buffer.clear();
  ++phraseIndex_;
  if (phraseIndex_ != setEnd_) {
    // Each entered phrase stays in the memory line for the full five seconds,
    // however soon the next one follows.
    timer2_->setEnabled(false);
    timer2_->setEnabled(true);
  } else {
    message(kSummaryTitle, kSummaryText);
    end();
    return;
  }
  currentPhrase_ = phraseBank_[static_cast<size_t>(phraseIndex_)];
  commandBuffer_.clear();
  typedCount_ = 0;
  errorTally_ = 0;
  showPhrase();
  phraseLength_ = static_cast<int>(currentPhrase_.size());
}

void DrillForm::showPhrase() {
  display_.phrase = toUtf8(currentPhrase_);
  display_.phraseRest = display_.phrase;
}

void DrillForm::showBuffer() { display_.buffer = toUtf8(commandBuffer_); }

void DrillForm::message(std::string_view title, std::string_view text) {
  host_.changed();
  messages_.show(title, text, MessageIcon::Critical);
}

void DrillForm::end() {
  ended_ = true;
  timer1_->setEnabled(false);
  timer2_->setEnabled(false);
  host_.changed();
  host_.endProgram();
}

void DrillForm::timer1Tick() {
  ++blinkStep_;
  switch (blinkStep_) {
    case 1:
    case 3:
      display_.bufferBack = kBufferWhite;
      break;
    case 2:
    case 4:
      display_.bufferBack = kErrorColour;
      break;
    default:
      display_.bufferBack = kBufferWhite;
      showBuffer();  // removes the refused character
      blinkStep_ = 0;
      timer1_->setEnabled(false);
      break;
  }
  host_.changed();
}

void DrillForm::timer2Tick() {
  display_.memory.clear();
  timer2_->setEnabled(false);
  host_.changed();
}

void DrillForm::unload() {
  if (ended_) return;
  ended_ = true;
  timer1_->setEnabled(false);
  timer2_->setEnabled(false);
  host_.unloadAbout();
}

}  // namespace vorm
