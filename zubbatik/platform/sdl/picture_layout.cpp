#include "platform/sdl/picture_layout.h"

#include <algorithm>

namespace zb {

PictureLayout fitPicture(int surfaceWidth, int surfaceHeight, int pictureWidth, int pictureHeight) {
  PictureLayout layout;
  if (pictureWidth <= 0 || pictureHeight <= 0) return layout;
  layout.scale = std::max(1, std::min(surfaceWidth / pictureWidth, surfaceHeight / pictureHeight));
  // A surface smaller than the picture shows its top left part.
  layout.left = std::max(0, (surfaceWidth - pictureWidth * layout.scale) / 2);
  layout.top = std::max(0, (surfaceHeight - pictureHeight * layout.scale) / 2);
  return layout;
}

bool surfaceToPicture(const PictureLayout& layout, int x, int y, int pictureWidth, int pictureHeight, int& pictureX,
                      int& pictureY) {
  const int dx = x - layout.left;
  const int dy = y - layout.top;
  if (dx < 0 || dy < 0 || layout.scale <= 0) return false;
  pictureX = dx / layout.scale;
  pictureY = dy / layout.scale;
  return pictureX < pictureWidth && pictureY < pictureHeight;
}

}  // namespace zb
