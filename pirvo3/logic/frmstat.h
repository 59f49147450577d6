// The statistics window "Статистика": the recorded runs of one lesson.
//
// Controls (names in the program's own style):
//   Shape2, Label1  the blue strip at the top, and the lesson shown on it
//   Label2, Label3  "Русские уроки:", "Английские уроки:"
//   Label4(0..6)    the lesson choosers, lit for the lesson shown
//   Chart1          real and nominal speed and errors of the latest runs
//   Label5          what is said instead of the chart: no runs yet, or why
//                   the history cannot be read
//   Shape1, Label6  the keyboard panel and its title
//   Label7(0..48)   the lesson's on-screen keyboard, in the typing screen's
//                   places, each key tinted by its share of wrong keystrokes
//   Label8          attempts and the best real speed
//   Label9, Label10(0..3), Label11(0..3)  the legend of the tints
//   Label12, Label13  the most frequent wrong keys
//   Table1          the latest runs, newest first
#pragma once

#include <string>
#include <vector>

#include "form.h"
#include "history.h"
#include "key_positions.h"

namespace pirvo3 {

// Runs shown in the chart and counted on the keyboard, and rows of the table.
inline constexpr std::size_t kChartRuns = 20;
inline constexpr std::size_t kTableRuns = 10;
// Wrong keys listed under the keyboard.
inline constexpr std::size_t kListedMistakes = 3;

// The tint of a key for its share of wrong keystrokes: `presses` keystrokes
// made while the key's character was expected, `errors` of them wrong.
Rgb keyTint(int presses, int errors);

class Frmstat : public Form {
 public:
  explicit Frmstat(App& app);

  // Shows the lesson the menu has lit, else the lesson of the latest run,
  // else the first one.
  void load() override;
  void showChosenLesson();
  void click(Control& control) override;
  // Up and Down choose the previous or next lesson; Esc closes the window.
  void formKey(FormKey key) override;

  void showLesson(int lesson);
  // Reads the history again (a run has just been recorded).
  void reload();
  int lesson() const { return lesson_; }

  static std::vector<Control> design();

 private:
  void showEmpty(const std::string& text);

  int lesson_ = 0;
};

}  // namespace pirvo3
