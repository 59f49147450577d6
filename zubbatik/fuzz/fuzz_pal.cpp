// Palette files: building the frame buffer from any file never faults, and
// a file stating at least one entry always gives a frame buffer.
#include "engine/framebuffer.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zb;
  fuzz::writeInput("Zubbatik.pal", data, size);
  bool created = createFrameBuffer("Zubbatik.pal");
  // Header bytes the file lacks read as 0.
  size_t count = (size > 4 ? data[4] : 0) | (size > 5 ? data[5] << 8 : 0);
  bool entries = count != 0;
  if (created != entries) fuzz::broken("frame buffer created for a palette without entries, or not for one with");
  if (created && frameBuffer.palette.size() != count)
    fuzz::broken("logical palette size differs from the stated count");
  releaseFrameBuffer();
  return 0;
}
