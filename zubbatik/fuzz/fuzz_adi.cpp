// Descriptors: reads hand out only bytes that were in the file.
#include "engine/descriptor.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zb;
  fuzz::writeInput("DDATA\\fuzz.adi", data, size);
  Descriptor d;
  d.load("DDATA\\fuzz.adi");
  if (size >= 4 && d.size() > size - 4) fuzz::broken("payload larger than the file");
  uint8_t field[255];
  size_t total = 0;
  for (size_t n = 1; d.read(field, n); n = n % 7 + 1) total += n;
  if (size >= 4 && total > size - 4) fuzz::broken("read more than the file held");
  return 0;
}
