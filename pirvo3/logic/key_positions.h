// The characters of a standard PC keyboard's keys under the two layouts the
// lessons use, by physical key. This lets the typing field type the
// lesson's layout from key positions when the desktop cannot switch to it.
#pragma once

#include <cstdint>

namespace pirvo3 {

enum class KeyLayout { Russian, EnglishUs };

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
