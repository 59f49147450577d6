// Pictures: load any file, then draw every frame with each drawing call,
// inside the frame buffer and hanging over its edges.
#include "engine/draw.h"
#include "engine/framebuffer.h"
#include "engine/image.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zb;
  fuzz::ensureFrameBuffer();
  fuzz::writeInput("GDATA\\fuzz.im3", data, size);
  Image image;
  if (!image.load("GDATA\\fuzz.im3")) fuzz::broken("an existing picture file failed to load");
  for (uint32_t f = 0; f < image.frameCount(); ++f) {
    uint16_t frame = static_cast<uint16_t>(f);
    if (image.dataSize(frame) != 0 && image.pixels(frame) == nullptr)
      fuzz::broken("frame states data it does not hold");
    // A count of up to 65535 frames mostly names frames the file does not
    // hold; those are all alike (no size, no data), so a few of them are
    // drawn and the rest only checked.
    bool blank = image.dataSize(frame) == 0 && image.width(frame) == 0 && image.height(frame) == 0;
    if (blank && f > 4) continue;
    drawImage(image, 3, 5, frame);
    drawImage(image, 620, 430, frame);
    drawImagePart(image, 10, 10, 1, 2, 40, 30, frame);
    drawGlyphColoured(static_cast<uint8_t>(frame), image, 600, 0, 107, 16);
  }
  drawText("Zz\xC0\x01", image, 590, 420, 191, 16);
  drawImage(image, 0, 0, image.frameCount());
  Image capture;
  captureImage(capture, 600, 400, 50, 50);
  return 0;
}
