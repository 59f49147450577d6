// The menu background and the shade mask laid over a finished game or
// lesson.
#include <vector>

#include "menu_draw.h"
#include "menu_pictures.h"

namespace zbdata::menu {

void buildBackground(DataSet& data, const Palette& palette) {
  zb::FrameData background = drawFrame(data, palette, 0, 0, 630, 440, [](const Pen& pen) {
    pen.svg("menus/background.svg", {0, 0, 630, 440});
  });
  writeImage(data, "MDATA\\igrnd.im3", {background});

  // Every pixel a shade pixel: whatever lies under it is darkened evenly,
  // five shades within its own ramp, so the picture stays recognisable.
  std::vector<uint8_t> shade(630 * 440, 254);
  writeImage(data, "GDATA\\shmsk.im3", {makeFrame(shade, 630, 440)});
}

}  // namespace zbdata::menu
