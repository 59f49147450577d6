#include "engine/events.h"

namespace zb {

namespace {
EventSink sink = nullptr;
}

void setEventSink(EventSink s) { sink = s; }

void raiseEvent(uint16_t code, uint32_t argument) {
  if (sink != nullptr) sink(code, argument);
}

}  // namespace zb
