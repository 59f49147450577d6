// Text lists: every string handed out is zero-terminated within its length.
#include <cstring>

#include "engine/textlist.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zb;
  fuzz::writeInput("MDATA\\fuzz.lim", data, size);
  TextList list;
  list.load("MDATA\\fuzz.lim");
  if (list.count() > size) fuzz::broken("more strings than bytes");
  for (uint32_t i = 0; i <= list.count(); ++i)
    if (std::strlen(list.text(i)) > list.length(i)) fuzz::broken("string longer than its length");
  return 0;
}
