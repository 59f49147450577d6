#include "frmpause.h"

#include <cmath>
#include <random>

#include "app.h"
#include "colors.h"
#include "frm1.h"

namespace pirvo3 {

using namespace colors;

std::string Frmpause::exercises() {
  // The blank runs push each exercise onto a line of its own within the
  // label's width.
  const char* pieces[] = {
      "Упражнения для снятия усталости при работе на компьютере",
      "1 - Ходьба на месте, высоко поднимая колени. Время выполнения 40-50 секунд",
      "2 - Ноги поставить на ширину плеч, руки на голову, переплести пальцы. Не расцепляя "
      "пальцев выпрямить руки вверх с поворачиванием ладоней кверху и потянуться (счёт 1-2). "
      "Поднимая руки - вдох, опуская - выдох. На счёт 1-2 приподнимать голову , смотреть на "
      "кисти рук. Повторить несколько раз.",
      "3 - Ноги поставить на ширину плеч, руки согнуть в локтях и поднять горизонтально перед "
      "грудью. Сделать два движения локтями в стороны, третьим движением руки пружинисто "
      "выбросить в стороны. Повторить несколько раз.",
      "4 - Приседания (5-10 раз)",
      "5 - Опустить руки, расслабить их и свободно встряхнуть кистями (15 раз)",
  };
  const std::size_t blanks[] = {69, 36, 65, 45, 48};
  std::string text = pieces[0];
  for (std::size_t i = 0; i < std::size(blanks); ++i) {
    text.append(blanks[i], ' ');
    text += pieces[i + 1];
  }
  return text;
}

std::vector<Control> Frmpause::design() {
  std::vector<Control> c;
  Control frame = shape("Shape1", 180, 180, 6090, 6585);
  frame.opaque = true;
  frame.back = kWhite;
  frame.fill = FillStyle::DiagonalCross;
  frame.fillColor = kLightGrey;
  frame.fore = kBlue;
  frame.backdrop = kLightBlue;
  c.push_back(frame);

  const Font heading{FontFace::TimesNewRoman, 27, true, false, false};
  c.push_back(label("Label1", 555, 240, 5460, 960,
                    "Сделай паузу, скушай твикс. А лучше упражнение №", heading, kDarkBlue,
                    kWhite));
  c.push_back(label("Label3", 5040, 705, 870, 555, "", heading, kBlue, kWhite));
  c.push_back(label("Label2", 390, 1155, 5550, 5010, exercises(),
                    {FontFace::TimesNewRoman, 15, true, false, false}, kDarkBlue, kWhite));
  c.push_back(button("Command1", 1260, 6225, 1905, 450, "Продолжить урок", 0));
  c.push_back(button("Command2", 3270, 6225, 1920, 450, "Выход", 1));
  return c;
}

Frmpause::Frmpause(App& app) : Form(app, "frmpause") {
  caption = "Перерыв";
  back = kLightBlue;
  width = 6510;
  height = 6885;
  fixedDialog = true;
  setControls(design());
}

int exerciseNumber(std::int64_t seedMs) {
  std::mt19937 generator(static_cast<std::uint32_t>(seedMs));
  const double r = static_cast<double>(generator()) / 4294967296.0;  // [0, 1)
  return static_cast<int>(std::floor(r * 5 + 1));
}

void Frmpause::load() {
  control("Label3").caption = std::to_string(exerciseNumber(app_.timers().nowMs()));
}

void Frmpause::click(Control& c) {
  Frm1* frm1 = app_.frm1();
  if (c.name == "Command1") {
    app_.close(*this);
    if (frm1) {
      frm1->setClockRunning(true);
      frm1->focusTyping();
    }
  } else if (c.name == "Command2") {
    app_.close(*this);
    if (frm1) {
      frm1->showSummary();
      app_.close(*frm1);
    }
  }
}

}  // namespace pirvo3
