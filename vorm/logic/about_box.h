#pragma once
// The about box: what the drill is for, who wrote it and two links.
#include <string>
#include <string_view>

#include "logic/author.h"
#include "logic/message_sink.h"

namespace vorm {

inline constexpr std::string_view kAboutCaption = "Кварцелия";

// Lines joined by CR LF, as a label shows them; the second line is empty.
inline constexpr std::string_view kAboutDescription =
    "Таприкон, отличительной чертой которого от других программ данного класса является "
    "не стремление научить поиску \"знакомых\" букв, разбросанных по клавиатуре в "
    "беспорядке. Задачи данного тренажёра конкретные:\r\n"
    "\r\n"
    "1. Тренировка смены регистра.\r\n"
    "2. Тренировка переключения алфавитов.\r\n"
    "3. Тренировка ввода информации в память компьютера.\r\n"
    "4. Знакомство с армейскими крылатыми фразами    :-)";

inline constexpr std::string_view kMailLeadIn = "Отзывы и свои предложения присылайте на";
inline constexpr std::string_view kSiteLeadIn = "Другие мои программы находятся на";

inline constexpr std::string_view kPortraitTip =
    "Здесь нет ничего интересного. Это просто моя фотография. "
    "И не надо ковыряться мышкой у меня в носу !!!";
inline constexpr std::string_view kMailTip = " Только без мата !!! ";
inline constexpr std::string_view kSiteTip =
    "  Документация для школ, бесплатные компьютерные программы для школ и не только ... ";

class AboutBox {
 public:
  explicit AboutBox(UrlOpener& opener) : opener_(opener) {}

  // Label3: a new e-mail to the author.
  void clickLabel3();
  // Label1: the author's web site.
  void clickLabel1();

  static std::string mailUrl();

 private:
  UrlOpener& opener_;
};

}  // namespace vorm
