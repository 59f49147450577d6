#include "frmtre.h"

#include <filesystem>

#include "app.h"
#include "colors.h"
#include "frm1.h"
#include "lessons.h"

namespace pirvo3 {

using namespace colors;

namespace {

constexpr int kLessonTops[kLessonCount] = {780, 1080, 1380, 1680, 3000, 3300, 3600};
constexpr const char* kHelpFile = "Help.htm";

}  // namespace

std::vector<Control> Frmtre::design() {
  std::vector<Control> c;

  Control panel = shape("Shape2", 2250, 1125, 3060, 1560);
  panel.fill = FillStyle::Solid;
  panel.fillColor = kWhite;
  panel.fore = kBlue;
  panel.backdrop = kMenuBlue;
  c.push_back(panel);

  c.push_back(label("Label9", 2070, 210, 0, 0, "Ferrix",
                    {FontFace::Arial, 13, true, true, false}, kWhite, kMenuBlue));
  c.push_back(label("Label5", 3150, 210, 0, 0, "Pirvo 3",
                    {FontFace::Arial, 29, true, true, false}, kWhite, kMenuBlue));
  c.push_back(label("Label2", 0, 120, 0, 0, "Выберите урок ",
                    {FontFace::Arial, 15, true, true, false}, kHeadingBlue, kMenuBlue));

  for (int i = 0; i < 2; ++i) {
    Control mark = label("Label4", 0, i == 0 ? 900 : 3000, 405, i == 0 ? 945 : 900, "",
                         {FontFace::Arial, 16, true, false, false}, kWhite, kMenuBlue);
    mark.index = i;
    mark.align = Alignment::Center;
    mark.wordWrap = false;
    c.push_back(mark);
  }

  for (const Lesson& lesson : lessons()) {
    Control caption = label("Label1", 340, kLessonTops[lesson.index], 1460, 285, lesson.caption,
                            {FontFace::MsSansSerif, 11, true, false, false}, kWhite, kMenuBlue);
    caption.index = lesson.index;
    caption.back = kWhite;  // shows when the caption is lit
    caption.handCursor = true;
    caption.wordWrap = false;
    c.push_back(caption);
  }

  Control title = label("Label3", 2400, 1140, 2760, 255, "Описание",
                        {FontFace::Arial, 13, true, false, false}, kGrey, kWhite);
  title.align = Alignment::Center;
  c.push_back(title);
  c.push_back(label("Label7", 2355, 1440, 2835, 1170, "",
                    {FontFace::Arial, 11, true, false, false}, kGrey, kWhite));
  c.push_back(label("Label8", 2295, 2985, 3090, 690,
                    "Pirvo 3, версия 3.0. Ferrix. Автор курса и программы: Ferrix, 2024 год.",
                    {FontFace::MsSansSerif, 11, false, false, false}, kLightGrey, kMenuBlue));

  const struct {
    const char* name;
    int left;
    const char* caption;
    const char* tip;
  } links[] = {{"Label10", 2850, "Справка", "Рекомендации к программе"},
               {"Label6", 4080, "Выход", "Выйти из программы"}};
  for (const auto& l : links) {
    Control link = label(l.name, l.left, 3720, 1215, 255, l.caption,
                         {FontFace::MsSansSerif, 11, true, false, false}, kBlue, kMenuBlue);
    link.opaque = true;
    link.back = kWhite;  // the window colour
    link.align = Alignment::Center;
    link.toolTip = l.tip;
    link.handCursor = true;
    c.push_back(link);
  }
  // The statistics window, under the two links and as wide as both.
  Control statistics = c.back();
  statistics.name = "Label11";
  statistics.left = 2850;
  statistics.top = 4020;
  statistics.width = 2445;
  statistics.caption = "Статистика";
  statistics.toolTip = "Скорость и ошибки в пройденных уроках";
  c.push_back(statistics);
  return c;
}

Frmtre::Frmtre(App& app) : Form(app, "frmtre") {
  caption = "Таприкон";
  back = kMenuBlue;
  width = 5655;
  height = 4410;
  // The limits of the original window (5775 x 4860 twips) less its frame:
  // 8 pixels of side borders and 30 of title bar.
  maxWidth = 5775 - 120;
  maxHeight = 4860 - 450;
  setControls(design());
}

void Frmtre::load() {
  picture = kMenuPicture;
  highlighted_ = 1;
  control("Label4", 0).caption = "R\nU\nS";
  control("Label4", 1).caption = "L\nA\nT";
  // The menu works without its picture, but the user should know that a
  // file of the program is missing.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(app_.config().dataDir / picture, ec)) {
    app_.message(kAppTitle,
                 "Не найден файл фоновой картинки «" + picture +
                     "» в папке программы. Меню будет показано без картинки.",
                 MessageIcon::Warning);
  }
}

void Frmtre::mouseMove(Control& c) {
  if (c.name != "Label1") return;
  if (c.index == highlighted_) return;
  light(c.index);
}

void Frmtre::light(int i) {
  Control& previous = control("Label1", highlighted_);
  previous.opaque = false;
  previous.fore = kWhite;
  Control& c = control("Label1", i);
  c.opaque = true;
  c.fore = kBlue;
  control("Label7").caption = lessons()[static_cast<std::size_t>(i)].description;
  highlighted_ = i;
}

void Frmtre::formKey(FormKey key) {
  // Until the mouse or a key has lit a caption, none is lit although the
  // highlighted lesson is 1: the first Down lights the first lesson, the
  // first Up the last one.
  const bool lit = control("Label1", highlighted_).opaque;
  switch (key) {
    case FormKey::Down:
      light(lit ? (highlighted_ + 1) % kLessonCount : 0);
      break;
    case FormKey::Up:
      light(lit ? (highlighted_ + kLessonCount - 1) % kLessonCount : kLessonCount - 1);
      break;
    case FormKey::Enter:
      if (lit) chooseLesson(highlighted_);
      break;
    case FormKey::F1:
      openHelp();
      break;
    case FormKey::Escape:
      app_.close(*this);
      break;
  }
}

void Frmtre::click(Control& c) {
  if (c.name == "Label1") {
    chooseLesson(c.index);
  } else if (c.name == "Label10") {
    openHelp();
  } else if (c.name == "Label6") {
    app_.close(*this);
  } else if (c.name == "Label11") {
    app_.showFrmstat();
  }
}

void Frmtre::chooseLesson(int index) {
  const Lesson& lesson = lessons()[static_cast<std::size_t>(index)];
  Frm1& frm1 = app_.showFrm1();
  frm1.setLessonFile(lesson.file);
  // Every lesson writes its first task, the Russian ones too: on a typing
  // screen that is already open the line left from another lesson may be
  // in the other alphabet and could not be typed.
  frm1.setTargetLine(lesson.firstTask);
  frm1.caption = lesson.caption;
  if (lesson.latin) {
    frm1.useLatinKeys();
  } else {
    frm1.useRussianKeys();
  }
  app_.desktop().activateKeyboardLayout(lesson.layout);
}

void Frmtre::openHelp() {
  const std::filesystem::path help = app_.config().dataDir / kHelpFile;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(help, ec)) {
    app_.message(kAppTitle, "Не найден файл справки " + help.string() + ".",
                 MessageIcon::Warning);
    return;
  }
  if (!app_.desktop().openUrl(fileUrl(help.string()))) {
    app_.message(kAppTitle,
                 "Не удалось открыть справку " + help.string() +
                     ": не найдена программа для просмотра страниц.",
                 MessageIcon::Warning);
  }
}

std::string fileUrl(const std::string& absolutePath) {
  static const char* kHex = "0123456789ABCDEF";
  std::string url = "file://";
  for (char ch : absolutePath) {
    const auto b = static_cast<unsigned char>(ch);
    const bool plain = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') ||
                       b == '/' || b == '-' || b == '_' || b == '.' || b == '~';
    if (plain) {
      url.push_back(ch);
    } else {
      url.push_back('%');
      url.push_back(kHex[b >> 4]);
      url.push_back(kHex[b & 15]);
    }
  }
  return url;
}

}  // namespace pirvo3
