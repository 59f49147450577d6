#include "logic/layout_advice.h"

#include "logic/drill_form.h"
#include "logic/text.h"

namespace vorm {

std::optional<Alphabet> alphabetOf(char32_t c) {
  if ((c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z')) return Alphabet::Latin;
  if (c >= 0x400 && c <= 0x4FF) return Alphabet::Cyrillic;
  return std::nullopt;
}

std::optional<Advice> LayoutAdvisor::check(char32_t expected) {
  const std::optional<Alphabet> alphabet = alphabetOf(expected);
  if (!alphabet || !available_ || available_->contains(*alphabet) || told_.contains(*alphabet)) {
    return std::nullopt;
  }
  told_.insert(*alphabet);
  const bool cyrillic = *alphabet == Alphabet::Cyrillic;
  Advice advice;
  advice.title = std::string(kAdviceTitle);
  advice.text = "Следующая буква «" + toUtf8(expected) + "» " +
                (cyrillic ? "русская, а русской раскладки" : "латинская, а латинской раскладки") +
                " среди раскладок клавиатуры этого компьютера нет: её не набрать.\n\n"
                "Добавьте раскладку в настройках клавиатуры рабочего стола\nили командой\n"
                "    setxkbmap -layout " +
                (cyrillic ? "us,ru" : "ru,us") +
                " -option grp:alt_shift_toggle\n"
                "(переключение раскладок: Alt+Shift).";
  return advice;
}

}  // namespace vorm
