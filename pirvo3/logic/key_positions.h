// The keys of the typing screen's on-screen keyboard (their places and
// captions), and the characters of a standard PC keyboard's keys under the
// two layouts the lessons use, by physical key. The latter lets the typing
// field type the lesson's layout from key positions when the desktop cannot
// switch to it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "form.h"

namespace pirvo3 {

enum class KeyLayout { Russian, EnglishUs };

// The on-screen keyboard: 49 keys, indexed as the typing screen's key
// labels; key 47 is the space bar.
inline constexpr int kKeyCount = 49;
inline constexpr int kSpaceBar = 47;
inline constexpr int kScreenKeyHeight = 465;  // twips

// A key's place on the typing screen, in twips.
struct KeyPlace {
  int left;
  int top;
  int width;
};
KeyPlace screenKeyPlace(int index);
// The top left corner of the keyboard panel the keys stand on.
inline constexpr int kKeyboardPanelLeft = 120;
inline constexpr int kKeyboardPanelTop = 3660;
inline constexpr int kKeyboardPanelWidth = 7665;
inline constexpr int kKeyboardPanelHeight = 3270;

// A key's caption under the layout: as designed (Russian) or as the Latin
// lessons show it; null when the layout hides the key.
const char* screenKeyCaption(KeyLayout layout, int index);

// The label of key `index` as the typing screen draws it (white cap, black
// Times letter, Russian caption), lowered by `topShift` twips.
Control screenKeyLabel(std::string name, int index, int topShift);

// The key a character is typed on, as the key lighting finds it (a blank
// on the space bar); -1 for a character no key carries.
int screenKeyOf(KeyLayout layout, std::string_view character);

// The layout a lesson's layout handle stands for.
KeyLayout keyLayoutOf(std::uint32_t layoutHandle);

// The character the key with this XKB keycode (the evdev code plus 8, what
// X11 and Wayland report) types under `layout`, or 0 for a key outside the
// typing area.
char32_t charAtKeycode(KeyLayout layout, std::uint32_t keycode, bool shift);

// Whether the typing field can receive c under `layout`: some key, with or
// without Shift, gives c once the key filter has lowered it. Capitals,
// letters of the other alphabet and control characters cannot be typed.
bool typeable(KeyLayout layout, char32_t c);

}  // namespace pirvo3
