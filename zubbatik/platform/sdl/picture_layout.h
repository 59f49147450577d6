// Where the game's picture sits in a window surface: repeated by the
// largest whole factor that fits (at least 1), centred, with the rest of
// the surface black. A window sized for the picture gets the picture at its
// own scale and no border; the whole screen gets the largest picture that
// fits.
#pragma once

namespace zb {

struct PictureLayout {
  int scale = 1;
  int left = 0;  // the picture's top left corner in the surface
  int top = 0;

  // Whether the picture leaves part of a surface of this size uncovered.
  bool hasBorder(int surfaceWidth, int surfaceHeight, int pictureWidth, int pictureHeight) const {
    return left > 0 || top > 0 || pictureWidth * scale < surfaceWidth || pictureHeight * scale < surfaceHeight;
  }
};

PictureLayout fitPicture(int surfaceWidth, int surfaceHeight, int pictureWidth, int pictureHeight);

// The picture pixel under a point of the surface; false when the point lies
// outside the picture (on the border).
bool surfaceToPicture(const PictureLayout& layout, int x, int y, int pictureWidth, int pictureHeight, int& pictureX,
                      int& pictureY);

}  // namespace zb
