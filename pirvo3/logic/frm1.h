// The typing screen: one lesson, one task line at a time.
//
// The lesson's state is shown in the captions of the screen's labels (two
// of them invisible) and kept here as typed fields beside them; every
// setter writes both, and the label Change rules (key lighting, the error
// mark) run from the setters as they would from the labels.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "form.h"
#include "history.h"
#include "key_positions.h"
#include "services.h"

namespace pirvo3 {

inline constexpr int kBreakTask = 40;
inline constexpr int kTestTask = 80;
inline constexpr int kLastTask = 86;

inline constexpr const char* kFirstPrompt =
    "Нажмите первую букву данного слова для начала тренировки";
inline constexpr const char* kTypingPrompt = "Работаем пальчиками, работаем!";
inline constexpr const char* kEndPrompt =
    "Поздравляю! Вы закончили урок. Нажмите кнопку (Выход) для статистики и выхода";
inline constexpr const char* kStoppedPrompt =
    "Урок остановлен. Нажмите кнопку (Выход) для статистики и выхода";
// The summary's second button, which opens the statistics window.
inline constexpr const char* kStatisticsButton = "Статистика";

class Frm1 : public Form {
 public:
  explicit Frm1(App& app);
  ~Frm1() override;

  // --- Written by the lesson menu -----------------------------------------
  void setLessonFile(const std::string& file);
  // A new first task; the typed part starts again.
  void setTargetLine(const std::string& line);
  // Latin captions for the letter keys; keys 23, 24 and 48 hidden.
  void useLatinKeys();
  // The designed Russian captions, all keys shown.
  void useRussianKeys();

  // --- Read and written by the dialogs ------------------------------------
  int taskNumber() const { return task_; }
  int errorCount() const { return errors_; }
  int keystrokeCount() const { return keystrokes_; }
  int elapsedSeconds() const { return seconds_; }
  bool clockRunning() const;
  void setClockRunning(bool running);
  // The lesson summary shown when the lesson ends.
  std::string summary() const;
  // Shows the summary; with a history kept, the box also offers the
  // statistics window, which opens once the screen has closed.
  void showSummary();
  bool statisticsWanted() const { return statisticsWanted_; }
  // The lesson named by the lesson file, -1 for another file.
  int lesson() const;
  // Starts the test of the remaining tasks with fresh statistics.
  void startTest();
  // Gives the input field the keyboard focus.
  void focusTyping();

  const std::string& targetLine() const;
  const std::string& typedPart() const;
  const std::string& nextLetter() const;

  // --- Events -------------------------------------------------------------
  void keyPress(Control& control, char32_t key) override;
  void change(Control& control, const std::string& text) override;
  void click(Control& control) override;
  void unload() override;
  void tick();

  static std::vector<Control> design();

 private:
  void setText1(const std::string& text);
  void text1Changed();
  void setNextLetter(const std::string& letter);
  void setErrors(int errors);
  void setKeystrokes(int keystrokes);
  void setTask(int task);
  void setTyped(const std::string& typed);
  void lightKeys();
  void stopLesson(const std::string& why);
  // Why a task line cannot be typed under the lesson's layout; empty when
  // it can.
  std::string untypeable(const std::string& line) const;
  // Hands the run so far to the history, once.
  void recordRun(bool complete);

  std::unique_ptr<FormTimer> timer1_;
  Control* target_ = nullptr;  // Label1
  Control* typed_ = nullptr;   // Label3
  Control* next_ = nullptr;    // Label2
  Control* text1_ = nullptr;
  KeyLayout layout_ = KeyLayout::Russian;  // follows the key captions
  int task_ = 1;
  int errors_ = 0;
  int keystrokes_ = 0;
  int seconds_ = 0;
  // The speeds of the last tick, as the speed labels show them.
  std::int64_t nominalMilli_ = 0;
  std::int64_t realMilli_ = 0;

  // The run for the history: it starts with its first keystroke; the test
  // is a run of its own.
  std::map<std::string, KeyTally> keyTallies_;
  std::int64_t runStarted_ = 0;
  bool testing_ = false;
  bool recorded_ = false;
  bool statisticsWanted_ = false;
};

}  // namespace pirvo3
