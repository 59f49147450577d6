#include "frm1.h"

#include <cstdio>

#include "app.h"
#include "colors.h"
#include "lesson_file.h"
#include "lessons.h"
#include "speed.h"
#include "text.h"

namespace pirvo3 {

using namespace colors;

namespace {

Control line(std::string name, int y) {
  Control c;
  c.name = std::move(name);
  c.kind = ControlKind::Line;
  c.left = 2460;
  c.top = y;
  c.width = 7770 - 2460;
  c.height = 0;
  c.fore = kLightGrey;
  return c;
}

constexpr Font kDefaultFont{};
constexpr Font kStatTitle{FontFace::MsSansSerif, 11, false, false, false};
constexpr Font kStatValue{FontFace::MsSansSerif, 11, true, false, false};
constexpr Font kBigText{FontFace::Arial, 21, true, false, false};

}  // namespace

std::vector<Control> Frm1::design() {
  std::vector<Control> c;

  Control stats = shape("Shape4", 105, 705, 2310, 2880);
  stats.fill = FillStyle::Solid;
  stats.fillColor = kPanelBlue;
  stats.fore = kPanelBlue;
  c.push_back(stats);
  Control keyboard = shape("Shape1", 120, 3660, 7665, 3270);
  keyboard.fill = FillStyle::Solid;
  keyboard.fillColor = kKeyboardGrey;
  keyboard.fore = kGrey;
  c.push_back(keyboard);
  c.push_back(line("Line1", 1650));
  c.push_back(line("Line2", 2490));

  Control prompt = label("Label4", 90, 210, 7710, 510, kFirstPrompt,
                         {FontFace::Arial, 15, true, false, false}, kWhite, kWhite);
  prompt.align = Alignment::Center;
  prompt.opaque = true;
  prompt.back = kPanelBlue;
  c.push_back(prompt);
  c.push_back(label("Label6", 2550, 870, 0, 0, "наберите текст ", kDefaultFont, kBlack, kWhite));
  c.push_back(label("Label1", 4245, 855, 3435, 795, kRussianFirstTask, kBigText, kDarkGrey, kWhite));
  c.push_back(label("Label7", 2670, 1770, 0, 0, "набрано", kDefaultFont, kBlack, kWhite));
  c.push_back(label("Label3", 4230, 1710, 3435, 825, "", kBigText, kDarkGrey, kWhite));
  c.push_back(label("Label8", 2550, 2475, 0, 0, "следующая буква", kDefaultFont, kBlack, kWhite));
  c.push_back(label("Label2", 4275, 2505, 2280, 555, "",
                    {FontFace::Arial, 35, true, false, false}, kDarkGrey, kWhite));

  c.push_back(label("Label23", 120, 720, 2280, 510, "Скорость печати (симв\\сек)",
                    {FontFace::Arial, 13, true, false, false}, kWhite, kPanelBlue));
  const struct {
    const char* title;
    int titleLeft;
    int titleTop;
    int titleWidth;
    int titleHeight;
    const char* value;
    int valueLeft;
    int valueTop;
    const char* initial;
  } stat[] = {
      {"Label13", 195, 1275, 1050, 255, "Label12", 1275, 1275, ""},
      {"Label14", 195, 1545, 1050, 480, "Label11", 1275, 1545, "0"},
      {"Label15", 195, 2040, 1050, 480, "Label10", 1275, 2085, ""},
      {"Label16", 195, 2535, 1050, 480, "Label18", 1275, 2580, ""},
      {"Label9", 180, 3030, 1290, 255, "Label5", 1500, 3045, "1"},
  };
  const char* titles[] = {"Время", "Количество ошибок", "Скорость номинальная",
                          "Скорость реальная", "Номер задания"};
  for (std::size_t i = 0; i < std::size(stat); ++i) {
    const auto& s = stat[i];
    c.push_back(label(s.title, s.titleLeft, s.titleTop, s.titleWidth, s.titleHeight, titles[i],
                      kStatTitle, kWhite, kPanelBlue));
    c.push_back(label(s.value, s.valueLeft, s.valueTop, 0, 0, s.initial, kStatValue, kWhite,
                      kPanelBlue));
  }

  c.push_back(label("Label22", 1440, 3690, 0, 0, "Клавиатура ",
                    {FontFace::Arial, 16, true, false, false}, kWhite, kKeyboardGrey));
  for (int i = 0; i < kKeyCount; ++i) c.push_back(screenKeyLabel("Label20", i, 0));
  for (const auto& [name, left] : {std::pair{"Shape2", 2880}, std::pair{"Shape3", 4500}}) {
    Control frame = shape(name, left, 5130, 465, 465);
    frame.shape = ShapeKind::Square;
    frame.borderWidth = 3;
    frame.fore = kBlack;
    frame.backdrop = kWhite;
    c.push_back(frame);
  }

  Control mark = label("Label21", 5775, 2850, 1800, 540, "ОШИБКА",
                       {FontFace::Arial, 27, true, false, false}, kRed, kWhite);
  mark.align = Alignment::Center;
  mark.visible = false;
  c.push_back(mark);
  for (const char* hidden : {"Label17", "Label19"}) {
    Control state = label(hidden, 0, 0, 0, 0, "", kDefaultFont, kBlack, kWhite);
    state.visible = false;
    c.push_back(state);
  }

  Control timer;
  timer.name = "Timer1";
  timer.kind = ControlKind::Timer;
  timer.visible = false;
  timer.enabled = false;
  c.push_back(timer);

  // Windowed controls stand above the drawn ones; the input field lies
  // under the Pause button and is never seen.
  Control text1 = placed("Text1", ControlKind::TextBox, 4290, 7005, 1050, 300);
  text1.opaque = true;
  text1.tabIndex = 0;
  c.push_back(text1);
  // The buttons leave the focus in the field when clicked: the field lies
  // under the Pause button and could not be clicked back into, and typing
  // goes on after a dialog is closed.
  c.push_back(button("Command2", 4200, 6975, 1500, 345, "Пауза", 1));
  c.push_back(button("Command1", 5730, 6975, 1365, 345, "Выход", 2));
  c[c.size() - 2].clickFocus = false;
  c.back().clickFocus = false;
  return c;
}

Frm1::Frm1(App& app) : Form(app, "frm1") {
  caption = kDesignedFrm1Caption;
  back = kWhite;
  paintedPicture = true;
  width = 8055;
  height = 7605;
  // The limits of the original window (8175 x 8115 twips) less its frame.
  maxWidth = 8175 - 120;
  maxHeight = 8115 - 450;
  setControls(design());
  target_ = &control("Label1");
  typed_ = &control("Label3");
  next_ = &control("Label2");
  text1_ = &control("Text1");
  timer1_ = app.timers().createTimer(1000, [this] { app_.dispatch([this] { tick(); }); });
}

Frm1::~Frm1() = default;

const std::string& Frm1::targetLine() const { return target_->caption; }
const std::string& Frm1::typedPart() const { return typed_->caption; }
const std::string& Frm1::nextLetter() const { return next_->caption; }

void Frm1::setLessonFile(const std::string& file) { control("Label19").caption = file; }

void Frm1::setTargetLine(const std::string& line) {
  target_->caption = line;
  setTyped("");
  setNextLetter("");
}

void Frm1::useLatinKeys() {
  layout_ = KeyLayout::EnglishUs;
  for (int i = 0; i < kKeyCount; ++i) {
    Control& key = control("Label20", i);
    const char* caption = screenKeyCaption(KeyLayout::EnglishUs, i);
    key.visible = caption != nullptr;
    if (key.visible) key.caption = caption;
  }
}

void Frm1::useRussianKeys() {
  layout_ = KeyLayout::Russian;
  for (int i = 0; i < kKeyCount; ++i) {
    Control& key = control("Label20", i);
    key.visible = true;
    key.caption = screenKeyCaption(KeyLayout::Russian, i);
  }
}

bool Frm1::clockRunning() const { return timer1_->enabled(); }

void Frm1::setClockRunning(bool running) {
  timer1_->setEnabled(running);
  control("Timer1").enabled = running;
}

std::string Frm1::summary() const {
  const std::string& speed = find("Label18")->caption;
  return "Пройдено заданий " + std::to_string(task_ - 1) +
         " из 85; количество ошибок: " + find("Label11")->caption + " Скорость печати:" +
         (speed.empty() ? "0" : speed);
}

void Frm1::showSummary() {
  if (app_.history()) {
    statisticsWanted_ = app_.ask(kAppTitle, summary(), MessageIcon::None, kStatisticsButton);
  } else {
    app_.message(kAppTitle, summary(), MessageIcon::None);
  }
}

int Frm1::lesson() const { return lessonOfFile(find("Label19")->caption); }

void Frm1::recordRun(bool complete) {
  if (recorded_ || keystrokes_ == 0) return;
  recorded_ = true;
  RunRecord run;
  run.started = runStarted_;
  run.finished = app_.timers().localSeconds();
  run.lessonFile = find("Label19")->caption;
  run.lesson = lessonOfFile(run.lessonFile);
  run.test = testing_;
  run.complete = complete;
  run.tasks = task_ - 1;
  run.seconds = seconds_;
  run.keystrokes = keystrokes_;
  run.errors = errors_;
  run.nominalMilli = nominalMilli_;
  run.realMilli = realMilli_;
  run.nominalShown = find("Label10")->caption;
  run.realShown = find("Label18")->caption;
  run.keys = keyTallies_;
  app_.recordRun(run);
}

void Frm1::startTest() {
  // The lesson so far ends here: its figures give way to the test's.
  recordRun(true);
  keyTallies_.clear();
  testing_ = true;
  recorded_ = false;
  setTask(task_ + 1);
  seconds_ = 0;
  control("Label12").caption = "0";
  setClockRunning(true);
  setErrors(0);
  setKeystrokes(0);
  control("Label21").visible = false;
}

void Frm1::focusTyping() { app_.giveFocus(*this, *text1_); }

void Frm1::keyPress(Control& c, char32_t key) {
  if (&c != text1_) return;
  key = lowerCase(key);
  // The field is empty whenever a key arrives, so Backspace, Enter and the
  // other control keys change nothing.
  if (key < 0x20 || key == 0x7F) return;
  setText1(text1_->caption + toUtf8(key));
}

void Frm1::change(Control& c, const std::string& text) {
  if (&c == text1_) setText1(text);
}

void Frm1::setText1(const std::string& text) {
  if (text1_->caption == text) return;
  text1_->caption = text;
  text1Changed();
}

void Frm1::text1Changed() {
  const std::string t = text1_->caption;
  if (t.empty()) return;  // the echo of the field being emptied below

  if (keystrokes_ == 0) runStarted_ = app_.timers().localSeconds();
  setKeystrokes(keystrokes_ + 1);
  setClockRunning(true);
  control("Label21").visible = false;
  control("Label4").caption = kTypingPrompt;
  const int task = task_;
  const std::size_t typed = charCount(typed_->caption);
  setNextLetter(charAt(target_->caption, typed));
  countKeystroke(keyTallies_, next_->caption, t);

  if (t != next_->caption) {
    setText1("");
    setErrors(errors_ + 1);
    return;
  }
  setTyped(typed_->caption + t);
  setText1("");
  if (typed_->caption != target_->caption) {
    setNextLetter(charAt(target_->caption, typed + 1));
    return;
  }

  setTask(task + 1);
  setTyped("");
  const std::string file = control("Label19").caption;
  const LessonLine next = readLessonLine(app_.config().dataDir / file, task + 1);
  switch (next.status) {
    case LineStatus::Ok:
      break;
    case LineStatus::Missing:
      stopLesson("Не удаётся открыть файл урока «" + file + "». Урок остановлен.");
      return;
    case LineStatus::TooShort:
      stopLesson("В файле урока «" + file + "» нет строки " + std::to_string(task + 1) +
                 ": в файле урока должно быть не меньше " + std::to_string(kLessonLines) +
                 " строк. Урок остановлен.");
      return;
    case LineStatus::Empty:
      stopLesson("В файле урока «" + file + "» строка " + std::to_string(task + 1) +
                 " пуста. Урок остановлен.");
      return;
  }
  // A line no key can type (a capital, a letter of the other alphabet, a
  // control character, often a file saved in another encoding) would hold
  // the user at its first such character for ever. The closing line is
  // only shown, never typed.
  if (task_ < kLastTask) {
    if (const std::string why = untypeable(next.text); !why.empty()) {
      stopLesson("В файле урока «" + file + "» строку " + std::to_string(task + 1) +
                 " нельзя набрать на клавиатуре урока: " + why + ". Урок остановлен.");
      return;
    }
  }
  target_->caption = next.text;
  setNextLetter(charAt(target_->caption, 0));

  if (task_ == kBreakTask) {
    app_.showFrmpause();
    setClockRunning(false);
  }
  if (task_ == kTestTask) {
    app_.showFrmza();
    setClockRunning(false);
  }
  if (task_ == kLastTask) {
    setClockRunning(false);
    text1_->enabled = false;
    control("Label4").caption = kEndPrompt;
    recordRun(true);
  }
}

void Frm1::stopLesson(const std::string& why) {
  setClockRunning(false);
  text1_->enabled = false;
  target_->caption.clear();
  setNextLetter("");
  control("Label4").caption = kStoppedPrompt;
  app_.message(kAppTitle, why, MessageIcon::Critical);
}

std::string Frm1::untypeable(const std::string& line) const {
  for (char32_t c : toUtf32(line)) {
    if (typeable(layout_, c)) continue;
    if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0)) {
      char code[16];
      std::snprintf(code, sizeof code, "%02X", static_cast<unsigned>(c));
      return std::string("в ней управляющий знак с кодом ") + code;
    }
    if (c == 0xFFFD) return "в ней байт, который не читается как буква (файл в другой кодировке?)";
    return "в ней знак «" + toUtf8(c) + "»";
  }
  return {};
}

void Frm1::tick() {
  ++seconds_;
  control("Label12").caption = formatElapsed(seconds_);
  nominalMilli_ = nominalSpeedMilli(keystrokes_, seconds_);
  realMilli_ = realSpeedMilli(nominalMilli_, errors_);
  const std::string& separator = app_.config().decimalSeparator;
  control("Label10").caption = formatSpeed(nominalMilli_, separator);
  control("Label18").caption = formatSpeed(realMilli_, separator);
}

void Frm1::click(Control& c) {
  if (c.name == "Command1") {
    showSummary();
    app_.close(*this);
  } else if (c.name == "Command2") {
    setClockRunning(false);
    app_.showFrmpause();
  }
}

void Frm1::unload() {
  setClockRunning(false);
  recordRun(false);  // closed midway: what was typed so far
}

void Frm1::setNextLetter(const std::string& letter) {
  if (next_->caption == letter) return;
  next_->caption = letter;
  lightKeys();
}

void Frm1::lightKeys() {
  for (int i = 0; i < kKeyCount; ++i) {
    Control& key = control("Label20", i);
    key.back = key.caption == next_->caption ? kKeyLit : kWhite;
  }
  control("Label20", kSpaceBar).back = next_->caption == " " ? kKeyLit : kWhite;
}

void Frm1::setErrors(int errors) {
  errors_ = errors;
  Control& label = control("Label11");
  const std::string caption = std::to_string(errors);
  if (label.caption == caption) return;
  label.caption = caption;
  control("Label21").visible = true;  // the error mark follows every change of the count
}

void Frm1::setKeystrokes(int keystrokes) {
  keystrokes_ = keystrokes;
  control("Label17").caption = std::to_string(keystrokes);
}

void Frm1::setTask(int task) {
  task_ = task;
  control("Label5").caption = std::to_string(task);
}

void Frm1::setTyped(const std::string& typed) { typed_->caption = typed; }

}  // namespace pirvo3
