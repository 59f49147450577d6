#include "platform/sdl/window_icon.h"

#include <SDL.h>

#include "zubbatik_icon_pixels.h"

namespace zb {

void setWindowIcon(SDL_Window* window) {
  if (window == nullptr) return;
  static_assert(sizeof kZubbatikIconPixels == 4u * kZubbatikIconSize * kZubbatikIconSize);
  // SDL only reads the pixels: it copies them into the window's icon.
  void* pixels = const_cast<unsigned char*>(kZubbatikIconPixels);
  SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(pixels, kZubbatikIconSize, kZubbatikIconSize,
                                                         32, 4 * kZubbatikIconSize,
                                                         SDL_PIXELFORMAT_RGBA32);
  if (icon == nullptr) return;
  SDL_SetWindowIcon(window, icon);
  SDL_FreeSurface(icon);
}

}  // namespace zb
