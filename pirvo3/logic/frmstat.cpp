#include "frmstat.h"

#include <algorithm>
#include <tuple>

#include "app.h"
#include "colors.h"
#include "frmtre.h"
#include "lessons.h"
#include "speed.h"

namespace pirvo3 {

using namespace colors;

namespace {

// The keyboard stands 480 twips lower than on the typing screen.
constexpr int kKeyboardShift = 4140 - kKeyboardPanelTop;
constexpr int kSideLeft = 7905;
constexpr int kSideWidth = 2325;

constexpr Font kSmall{FontFace::MsSansSerif, 11, false, false, false};
constexpr Font kSmallBold{FontFace::MsSansSerif, 11, true, false, false};

constexpr const char* kLegend[] = {"без ошибок", "ошибки изредка", "много ошибок",
                                   "не встречалась"};

Rgb mix(Rgb a, Rgb b, double t) {
  auto channel = [&](int shift) {
    const double x = ((a >> shift) & 0xFF) * (1 - t) + ((b >> shift) & 0xFF) * t;
    return static_cast<Rgb>(x + 0.5) << shift;
  };
  return channel(16) | channel(8) | channel(0);
}

// "1 раз", "2 раза", "5 раз".
std::string counted(int n, const char* one, const char* few, const char* many) {
  const int tens = n % 100;
  const int units = n % 10;
  const char* word = many;
  if (tens < 11 || tens > 14) {
    if (units == 1) word = one;
    if (units >= 2 && units <= 4) word = few;
  }
  return std::to_string(n) + " " + word;
}

std::string shownChar(const std::string& c) { return c == " " ? "пробел" : "«" + c + "»"; }

}  // namespace

Rgb keyTint(int presses, int errors) {
  if (presses <= 0) return kWhite;
  if (errors <= 0) return kTintClean;
  // A fifth of the keystrokes wrong, or more, is as red as it gets.
  const double share = static_cast<double>(errors) / presses;
  return mix(kTintFew, kTintMany, std::min(1.0, share / 0.2));
}

std::vector<Control> Frmstat::design() {
  std::vector<Control> c;

  Control strip = shape("Shape2", 0, 0, 10350, 510);
  strip.shape = ShapeKind::Square;
  strip.fill = FillStyle::Solid;
  strip.fillColor = kPanelBlue;
  strip.fore = kPanelBlue;
  c.push_back(strip);
  Control heading = label("Label1", 0, 75, 10350, 390, "",
                          {FontFace::Arial, 20, true, false, false}, kWhite, kPanelBlue);
  heading.align = Alignment::Center;
  c.push_back(heading);

  c.push_back(label("Label2", 120, 585, 0, 0, "Русские уроки:", kSmallBold, kDarkBlue, kWhite));
  c.push_back(label("Label3", 3900, 585, 0, 0, "Английские уроки:", kSmallBold, kDarkBlue, kWhite));
  for (const Lesson& lesson : lessons()) {
    const int left = lesson.latin ? 5700 + 450 * (lesson.index - 4) : 1650 + 450 * lesson.index;
    const int number = lesson.latin ? lesson.index - 3 : lesson.index + 1;
    Control chooser = label("Label4", left, 540, 390, 300, std::to_string(number),
                            {FontFace::Arial, 15, true, false, false}, kBlue, kWhite);
    chooser.index = lesson.index;
    chooser.border = true;
    chooser.align = Alignment::Center;
    chooser.wordWrap = false;
    chooser.handCursor = true;
    chooser.toolTip = std::string(lesson.caption) + (lesson.latin ? ", английские буквы"
                                                                   : ", русские буквы");
    c.push_back(chooser);
  }

  Control chart = placed("Chart1", ControlKind::Chart, 120, 900, 10110, 3150);
  chart.visible = false;
  chart.axisTitles = {"Попытки по порядку", "Скорость, симв/сек", "Ошибки"};
  c.push_back(chart);

  Control empty = label("Label5", 600, 1650, 9150, 1650, "",
                        {FontFace::Arial, 17, true, false, false}, kDarkGrey, kWhite);
  empty.align = Alignment::Center;
  c.push_back(empty);

  Control panel = shape("Shape1", kKeyboardPanelLeft, kKeyboardPanelTop + kKeyboardShift,
                        kKeyboardPanelWidth, kKeyboardPanelHeight);
  panel.fill = FillStyle::Solid;
  panel.fillColor = kKeyboardGrey;
  panel.fore = kGrey;
  c.push_back(panel);
  c.push_back(label("Label6", 1440, 3690 + kKeyboardShift, 0, 0, "Ошибки по клавишам",
                    {FontFace::Arial, 16, true, false, false}, kWhite, kKeyboardGrey));
  for (int i = 0; i < kKeyCount; ++i) c.push_back(screenKeyLabel("Label7", i, kKeyboardShift));

  c.push_back(label("Label8", kSideLeft, 4140, kSideWidth, 930, "", kSmall, kDarkGrey, kWhite));
  c.push_back(label("Label9", kSideLeft, 5100, 0, 0, "Цвет клавиши:", kSmallBold, kDarkBlue,
                    kWhite));
  const Rgb swatches[] = {kTintClean, kTintFew, kTintMany, kWhite};
  for (int i = 0; i < 4; ++i) {
    Control swatch = label("Label10", kSideLeft, 5370 + 270 * i, 210, 210, "", kSmall, kBlack,
                           kWhite);
    swatch.index = i;
    swatch.opaque = true;
    swatch.back = swatches[i];
    swatch.border = true;
    c.push_back(swatch);
    Control text = label("Label11", kSideLeft + 300, 5355 + 270 * i, kSideWidth - 300, 255,
                         kLegend[i], kSmall, kDarkGrey, kWhite);
    text.index = i;
    c.push_back(text);
  }
  c.push_back(label("Label12", kSideLeft, 6480, 0, 0, "Чаще всего нажимали:", kSmallBold,
                    kDarkBlue, kWhite));
  c.push_back(label("Label13", kSideLeft, 6735, kSideWidth, 690, "", kSmall, kDarkGrey, kWhite));

  Control table = placed("Table1", ControlKind::Table, 120, 7500, 10110, 2130);
  table.visible = false;
  table.font = kSmall;
  c.push_back(table);
  return c;
}

Frmstat::Frmstat(App& app) : Form(app, "frmstat") {
  caption = "Статистика";
  back = kWhite;
  width = 10350;
  height = 9750;
  maxWidth = width;
  maxHeight = height;
  setControls(design());
}

void Frmstat::load() { showChosenLesson(); }

void Frmstat::showChosenLesson() {
  int chosen = -1;
  if (const Frmtre* menu = app_.frmtre()) {
    const Control* lit = menu->find("Label1", menu->highlightedLesson());
    if (lit && lit->opaque) chosen = menu->highlightedLesson();
  }
  if (chosen < 0 && app_.history()) {
    HistorySummary summary;
    if (app_.history()->summary(summary).ok) chosen = summary.latestLesson;
  }
  showLesson(std::max(chosen, 0));
}

void Frmstat::click(Control& c) {
  if (c.name == "Label4") showLesson(c.index);
}

void Frmstat::formKey(FormKey key) {
  switch (key) {
    case FormKey::Down:
      showLesson((lesson_ + 1) % kLessonCount);
      break;
    case FormKey::Up:
      showLesson((lesson_ + kLessonCount - 1) % kLessonCount);
      break;
    case FormKey::Escape:
      app_.close(*this);
      break;
    case FormKey::Enter:
    case FormKey::F1:
      break;
  }
}

void Frmstat::reload() { showLesson(lesson_); }

void Frmstat::showEmpty(const std::string& text) {
  Control& message = control("Label5");
  message.caption = text;
  message.visible = true;
  Control& chart = control("Chart1");
  chart.visible = false;
  chart.categories.clear();
  chart.series.clear();
  Control& table = control("Table1");
  table.visible = false;
  table.cells.clear();
  control("Label8").caption = "Попыток: 0";
  control("Label12").visible = false;
  control("Label13").visible = false;
  control("Label13").caption.clear();
}

void Frmstat::showLesson(int index) {
  lesson_ = std::clamp(index, 0, kLessonCount - 1);
  const Lesson& lesson = lessons()[static_cast<std::size_t>(lesson_)];
  control("Label1").caption =
      std::string(lesson.caption) + (lesson.latin ? " (английские буквы)" : " (русские буквы)");
  for (int i = 0; i < kLessonCount; ++i) {
    Control& chooser = control("Label4", i);
    chooser.opaque = i == lesson_;
    chooser.back = i == lesson_ ? kPanelBlue : kWhite;
    chooser.fore = i == lesson_ ? kWhite : kBlue;
  }
  const KeyLayout layout = lesson.latin ? KeyLayout::EnglishUs : KeyLayout::Russian;
  for (int i = 0; i < kKeyCount; ++i) {
    Control& key = control("Label7", i);
    const char* keyCaption = screenKeyCaption(layout, i);
    key.visible = keyCaption != nullptr;
    key.caption = keyCaption ? keyCaption : "";
    key.back = kWhite;
    key.toolTip.clear();
  }

  HistoryStore* store = app_.history();
  if (!store) {
    showEmpty("История занятий не ведётся.");
    return;
  }
  HistorySummary summary;
  StoreResult result = store->summary(summary);
  std::vector<RunRecord> runs;
  if (result.ok) {
    const StoreResult read = store->runs(lesson_, kChartRuns, runs);
    if (!read.ok) {
      result = read;
    } else if (!read.setAside.empty()) {
      result.setAside = read.setAside;
    }
  }
  if (!result.ok) {
    showEmpty(readFailureText(result));
    return;
  }
  if (runs.empty()) {
    std::string text = result.setAside.empty() ? "" : setAsideText(result) + "\n";
    text += summary.total() == 0
                ? "Истории пока нет: ещё ни один урок не набран. Пройдите урок, и здесь "
                  "появятся ваша скорость, ошибки и трудные клавиши."
                : "Этот урок ещё не набирали. Пройдите его или выберите другой урок вверху.";
    showEmpty(text);
    return;
  }

  control("Label5").visible = false;
  control("Label12").visible = true;
  control("Label13").visible = true;
  const std::string& separator = app_.config().decimalSeparator;
  const int recorded = std::max(summary.runs[static_cast<std::size_t>(lesson_)],
                                static_cast<int>(runs.size()));
  const int firstNumber = recorded - static_cast<int>(runs.size()) + 1;

  Control& chart = control("Chart1");
  chart.visible = true;
  chart.categories.clear();
  chart.series = {{"Скорость реальная", kChartReal, false, {}},
                  {"Скорость номинальная", kChartNominal, false, {}},
                  {"Ошибки", kChartErrors, true, {}}};
  std::map<std::string, KeyTally> keys;
  const RunRecord* best = &runs.front();
  for (std::size_t i = 0; i < runs.size(); ++i) {
    const RunRecord& run = runs[i];
    chart.categories.push_back(std::to_string(firstNumber + static_cast<int>(i)));
    chart.series[0].milli.push_back(run.realMilli);
    chart.series[1].milli.push_back(run.nominalMilli);
    chart.series[2].milli.push_back(std::int64_t{run.errors} * 1000);
    for (const auto& [expected, tally] : run.keys) {
      KeyTally& sum = keys[expected];
      sum.presses += tally.presses;
      sum.errors += tally.errors;
      for (const auto& [typed, count] : tally.typedInstead) sum.typedInstead[typed] += count;
    }
    if (run.realMilli > best->realMilli) best = &run;
  }

  for (const auto& [expected, tally] : keys) {
    const int index = screenKeyOf(layout, expected);
    if (index < 0) continue;
    Control& key = control("Label7", index);
    if (!key.visible) continue;
    key.back = keyTint(tally.presses, tally.errors);
    key.toolTip = shownChar(expected) + ": " +
                  counted(tally.errors, "ошибка", "ошибки", "ошибок") + " на " +
                  counted(tally.presses, "нажатие", "нажатия", "нажатий");
  }

  auto speed = [&](const std::string& shown, std::int64_t milli) {
    return shown.empty() ? formatSpeed(milli, separator) : shown;
  };
  control("Label8").caption =
      "Попыток: " + std::to_string(recorded) + "\nПоследняя: " + shownDateTime(runs.back().finished) +
      "\nЛучшая реальная скорость: " + speed(best->realShown, best->realMilli);

  std::vector<std::tuple<int, std::string, std::string>> mistakes;
  for (const auto& [expected, tally] : keys) {
    for (const auto& [typed, count] : tally.typedInstead) mistakes.emplace_back(count, expected, typed);
  }
  std::stable_sort(mistakes.begin(), mistakes.end(),
                   [](const auto& a, const auto& b) { return std::get<0>(a) > std::get<0>(b); });
  std::string list;
  for (std::size_t i = 0; i < mistakes.size() && i < kListedMistakes; ++i) {
    const auto& [count, expected, typed] = mistakes[i];
    if (!list.empty()) list += "\n";
    list += shownChar(typed) + " вместо " + shownChar(expected) + ": " +
            counted(count, "раз", "раза", "раз");
  }
  control("Label13").caption = list.empty() ? "Ошибок не было. Так держать!" : list;

  Control& table = control("Table1");
  table.visible = true;
  table.cells = {{"№", "Дата и время", "Что", "Заданий", "Секунд", "Ошибок",
                  "Скорость\nноминальная", "Скорость\nреальная"}};
  for (std::size_t shown = 0; shown < runs.size() && shown < kTableRuns; ++shown) {
    const std::size_t i = runs.size() - 1 - shown;
    const RunRecord& run = runs[i];
    std::string what = run.test ? "проверка" : "урок";
    if (!run.complete) what += run.test ? " (прервана)" : " (прерван)";
    table.cells.push_back({std::to_string(firstNumber + static_cast<int>(i)),
                           shownDateTime(run.finished), what, std::to_string(run.tasks),
                           std::to_string(run.seconds), std::to_string(run.errors),
                           speed(run.nominalShown, run.nominalMilli),
                           speed(run.realShown, run.realMilli)});
  }
}

}  // namespace pirvo3
