#include "key_positions.h"

#include <utility>

#include "colors.h"
#include "lessons.h"
#include "text.h"

namespace pirvo3 {
namespace {

constexpr const char* kRussianKeys[kKeyCount] = {
    "1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "-", "=", "+",
    "й", "ц", "у", "к", "е", "н", "г", "ш", "щ", "з", "х", "ъ",
    "ф", "ы", "в", "а", "п", "р", "о", "л", "д", "ж", "э",
    "я", "ч", "с", "м", "и", "т", "ь", "б", "ю", "\\", "/",
    "пробел", "ё"};
constexpr const char* kLatinKeys[kKeyCount] = {
    "1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "-", "=", "+",
    "q", "w", "e", "r", "t", "y", "u", "i", "o", "p", nullptr, nullptr,
    "a", "s", "d", "f", "g", "h", "j", "k", "l", ";", "'",
    "z", "x", "c", "v", "b", "n", "m", ",", ".", "\\", "/",
    "пробел", nullptr};

constexpr int kKeyPitch = 540;

struct KeyChars {
  std::uint32_t keycode;
  char32_t us;
  char32_t usShift;
  char32_t ru;
  char32_t ruShift;
};

// Rows from the top: digits, QWERTY/ЙЦУКЕН, home row, bottom row, space.
constexpr KeyChars kKeys[] = {
    {49, U'`', U'~', U'ё', U'Ё'},
    {10, U'1', U'!', U'1', U'!'},   {11, U'2', U'@', U'2', U'"'},
    {12, U'3', U'#', U'3', U'№'},   {13, U'4', U'$', U'4', U';'},
    {14, U'5', U'%', U'5', U'%'},   {15, U'6', U'^', U'6', U':'},
    {16, U'7', U'&', U'7', U'?'},   {17, U'8', U'*', U'8', U'*'},
    {18, U'9', U'(', U'9', U'('},   {19, U'0', U')', U'0', U')'},
    {20, U'-', U'_', U'-', U'_'},   {21, U'=', U'+', U'=', U'+'},
    {24, U'q', U'Q', U'й', U'Й'},   {25, U'w', U'W', U'ц', U'Ц'},
    {26, U'e', U'E', U'у', U'У'},   {27, U'r', U'R', U'к', U'К'},
    {28, U't', U'T', U'е', U'Е'},   {29, U'y', U'Y', U'н', U'Н'},
    {30, U'u', U'U', U'г', U'Г'},   {31, U'i', U'I', U'ш', U'Ш'},
    {32, U'o', U'O', U'щ', U'Щ'},   {33, U'p', U'P', U'з', U'З'},
    {34, U'[', U'{', U'х', U'Х'},   {35, U']', U'}', U'ъ', U'Ъ'},
    {38, U'a', U'A', U'ф', U'Ф'},   {39, U's', U'S', U'ы', U'Ы'},
    {40, U'd', U'D', U'в', U'В'},   {41, U'f', U'F', U'а', U'А'},
    {42, U'g', U'G', U'п', U'П'},   {43, U'h', U'H', U'р', U'Р'},
    {44, U'j', U'J', U'о', U'О'},   {45, U'k', U'K', U'л', U'Л'},
    {46, U'l', U'L', U'д', U'Д'},   {47, U';', U':', U'ж', U'Ж'},
    {48, U'\'', U'"', U'э', U'Э'},  {51, U'\\', U'|', U'\\', U'/'},
    {52, U'z', U'Z', U'я', U'Я'},   {53, U'x', U'X', U'ч', U'Ч'},
    {54, U'c', U'C', U'с', U'С'},   {55, U'v', U'V', U'м', U'М'},
    {56, U'b', U'B', U'и', U'И'},   {57, U'n', U'N', U'т', U'Т'},
    {58, U'm', U'M', U'ь', U'Ь'},   {59, U',', U'<', U'б', U'Б'},
    {60, U'.', U'>', U'ю', U'Ю'},   {61, U'/', U'?', U'.', U','},
    {65, U' ', U' ', U' ', U' '},
};

}  // namespace

KeyPlace screenKeyPlace(int i) {
  if (i == 48) return {420, 4140, 285};
  if (i <= 10) return {720 + kKeyPitch * i, 4140, 465};
  if (i == 11) return {6660, 4140, 330};
  if (i == 12) return {6930, 4140, 285};
  if (i <= 24) return {990 + kKeyPitch * (i - 13), 4635, 465};
  if (i <= 35) return {1260 + kKeyPitch * (i - 25), 5130, 465};
  if (i <= 44) return {1530 + kKeyPitch * (i - 36), 5625, 465};
  if (i == 45) return {6390, 5625, 240};
  if (i == 46) return {6615, 5625, 240};
  return {1995, 6210, 3915};  // the space bar
}

const char* screenKeyCaption(KeyLayout layout, int index) {
  if (index < 0 || index >= kKeyCount) return nullptr;
  return layout == KeyLayout::Russian ? kRussianKeys[index] : kLatinKeys[index];
}

Control screenKeyLabel(std::string name, int index, int topShift) {
  using namespace colors;
  const KeyPlace p = screenKeyPlace(index);
  Control key = label(std::move(name), p.left, p.top + topShift, p.width, kScreenKeyHeight,
                      screenKeyCaption(KeyLayout::Russian, index),
                      {FontFace::TimesNewRoman, 19, true, false, false}, kBlack, kKeyboardGrey);
  key.index = index;
  key.opaque = true;
  key.back = kWhite;
  key.border = true;
  key.align = Alignment::Center;
  key.wordWrap = false;
  return key;
}

int screenKeyOf(KeyLayout layout, std::string_view character) {
  if (character == " ") return kSpaceBar;
  for (int i = 0; i < kKeyCount; ++i) {
    if (i == kSpaceBar) continue;
    const char* caption = screenKeyCaption(layout, i);
    if (caption && character == caption) return i;
  }
  return -1;
}

KeyLayout keyLayoutOf(std::uint32_t layoutHandle) {
  return layoutHandle == kLayoutRussian ? KeyLayout::Russian : KeyLayout::EnglishUs;
}

char32_t charAtKeycode(KeyLayout layout, std::uint32_t keycode, bool shift) {
  for (const KeyChars& k : kKeys) {
    if (k.keycode != keycode) continue;
    if (layout == KeyLayout::Russian) return shift ? k.ruShift : k.ru;
    return shift ? k.usShift : k.us;
  }
  return 0;
}

bool typeable(KeyLayout layout, char32_t c) {
  for (const KeyChars& k : kKeys) {
    const char32_t plain = layout == KeyLayout::Russian ? k.ru : k.us;
    const char32_t shifted = layout == KeyLayout::Russian ? k.ruShift : k.usShift;
    if (lowerCase(plain) == c || lowerCase(shifted) == c) return true;
  }
  return false;
}

}  // namespace pirvo3
