#include "frmza.h"

#include "app.h"
#include "colors.h"
#include "frm1.h"

namespace pirvo3 {

using namespace colors;

std::vector<Control> Frmza::design() {
  std::vector<Control> c;
  Control frame = shape("Shape1", 120, 120, 6495, 1815);
  frame.fill = FillStyle::Solid;
  frame.fillColor = kPaleBlue;
  frame.fore = kBlue;
  frame.backdrop = kLightBlue;
  c.push_back(frame);

  c.push_back(label("Label1", 360, 240, 0, 0, "А ты готов проверить свои навыки!?",
                    {FontFace::Arial, 16, true, false, true}, kWhite, kPaleBlue));
  Control accept = button("Command1", 240, 600, 2415, 375, "Всегда готов!", 0);
  accept.back = kLightGrey;
  accept.toolTip = "Проверка изученного";
  c.push_back(accept);
  Control decline = button("Command2", 2640, 600, 2295, 375, "Нет, я ещё потренируюсь", 1);
  decline.back = kLightGrey;
  decline.toolTip = "Выход в главное меню";
  c.push_back(decline);
  return c;
}

Frmza::Frmza(App& app) : Form(app, "frmza") {
  caption = "Будь готов!";
  back = kLightBlue;
  width = 5115;
  height = 1125;
  fixedDialog = true;
  setControls(design());
}

void Frmza::click(Control& c) {
  Frm1* frm1 = app_.frm1();
  if (c.name == "Command1") {
    if (frm1) frm1->startTest();
    app_.close(*this);
  } else if (c.name == "Command2") {
    if (frm1) {
      frm1->showSummary();
      app_.close(*frm1);
    }
    app_.close(*this);
  }
}

}  // namespace pirvo3
