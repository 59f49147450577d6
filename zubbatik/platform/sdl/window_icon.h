// The game's icon on its window: the child in the red cap, drawn at build
// time from the same picture as the desktop's icon.
#pragma once

struct SDL_Window;

namespace zb {

// Gives the window its icon (for the title bar, the task bar and the
// window switcher). Does nothing when SDL cannot make the picture.
void setWindowIcon(SDL_Window* window);

}  // namespace zb
