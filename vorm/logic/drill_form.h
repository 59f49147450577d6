#pragma once
// Form1, the drill screen: the state and every rule of the drill, without any
// widget. A window shows display() and forwards the form's events here.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "logic/form_timer.h"
#include "logic/message_sink.h"
#include "logic/phrase_bank.h"

namespace vorm {

using Rgb = uint32_t;  // 0xRRGGBB

inline constexpr Rgb kPhraseLightBlue = 0x8080FF;
inline constexpr Rgb kPhraseBlue = 0x0000FF;
inline constexpr Rgb kBufferWhite = 0xFFFFFF;  // the system highlight-text colour
inline constexpr Rgb kErrorColour = 0xFF80FF;

inline constexpr std::string_view kForm1Caption = "Таприкон   ver. 3.0";
inline constexpr std::string_view kStandardCaption = "Стандарт";
inline constexpr std::string_view kExtendedCaption = "Расширенный";
inline constexpr std::string_view kHelpCaption = "Помощь";
inline constexpr std::string_view kInstruction =
    "Введите данное слово или предложение в память компьютера :";
inline constexpr std::string_view kBufferTitle = "Буфер команд";
inline constexpr std::string_view kMemoryTitle = "Память компьютера";

inline constexpr std::string_view kAdviceTitle = "Совет от Кварцелия";
inline constexpr std::string_view kAdviceText =
    "Тру - тру - тру - у.. Не так быстро, залётные. Ещё не всё напечатали.";
inline constexpr std::string_view kPunishmentTitle = "Наказание от Кварцелия";
inline constexpr std::string_view kPunishmentText =
    "Вы сделали слишком много ошибок. Прийдётся повторить заново.";
inline constexpr std::string_view kSummaryTitle = "Резюме от Кварцелия";
inline constexpr std::string_view kSummaryText =
    "Вы выполнили все задания. Позовите преподавателя.";

inline constexpr int kBlinkIntervalMs = 200;
inline constexpr int kEraseIntervalMs = 5000;
inline constexpr int kErrorLimit = 5;

inline constexpr char32_t kEnterKey = 13;
inline constexpr char32_t kEscKey = 27;

// What Form1 needs from the program around it.
class DrillHost {
 public:
  virtual ~DrillHost() = default;
  // The about box, modeless; brought to the front when it is open already.
  virtual void showAbout() = 0;
  virtual void unloadAbout() = 0;
  // Ends the program at once: no question, no further events.
  virtual void endProgram() = 0;
  // Something display() holds has changed. Called before every message box too,
  // so the box appears over the current state.
  virtual void changed() = 0;
};

// Everything the controls of Form1 show that changes while the drill runs.
struct DrillDisplay {
  std::string phrase;      // Label2: the whole current phrase, light blue
  std::string phraseRest;  // Label3: the phrase with its typed beginning blanked
  std::string buffer;      // Label6: the buffer line
  Rgb bufferBack = kBufferWhite;
  std::string memory;      // Label7: the memory line
  std::string setCaption{kStandardCaption};  // Label9
  bool setToggleEnabled = true;
};

class DrillForm {
 public:
  DrillForm(TimerFactory& timers, MessageSink& messages, DrillHost& host);
  DrillForm(const DrillForm&) = delete;
  DrillForm& operator=(const DrillForm&) = delete;

  // Events of Form1 and its controls.
  void load();
  void keyPress(char32_t key);  // one character as the input method gives it
  void clickLabel9();           // the set toggle
  void clickLabel8();           // "Помощь"
  void unload();

  const DrillDisplay& display() const { return display_; }
  const FormTimer& timer1() const { return *timer1_; }
  const FormTimer& timer2() const { return *timer2_; }

  std::u32string_view currentPhrase() const { return currentPhrase_; }
  std::u32string_view commandBuffer() const { return commandBuffer_; }
  int phraseLength() const { return phraseLength_; }
  int typedCount() const { return typedCount_; }
  int blinkStep() const { return blinkStep_; }
  int errorTally() const { return errorTally_; }
  int phraseIndex() const { return phraseIndex_; }
  int setStart() const { return setStart_; }
  int setEnd() const { return setEnd_; }
  bool ended() const { return ended_; }

 private:
  void nach();
  void typeCharacter(char32_t c);
  void enterPhrase();
  void showPhrase();
  void showBuffer();
  void message(std::string_view title, std::string_view text);
  void end();
  void timer1Tick();
  void timer2Tick();

  TimerFactory& timerFactory_;
  MessageSink& messages_;
  DrillHost& host_;

  std::u32string currentPhrase_;
  std::u32string commandBuffer_;
  int phraseLength_ = 0;
  int typedCount_ = 0;
  int blinkStep_ = 0;
  int errorTally_ = 0;
  int phraseIndex_ = 0;
  int setEnd_ = kStandardSet.end;
  int setStart_ = kStandardSet.start;
  std::vector<std::u32string> phraseBank_;

  DrillDisplay display_;
  std::unique_ptr<FormTimer> timer1_;  // "Мигание фона": the error blinking
  std::unique_ptr<FormTimer> timer2_;  // "Стирание слова в памяти": erases the memory line
  bool ended_ = false;
};

}  // namespace vorm
