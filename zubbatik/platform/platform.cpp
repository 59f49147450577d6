#include "platform/platform.h"

namespace zb {

namespace {

// Used while no backend is installed: tools and tests that only load
// files or draw into the frame buffer need no window.
class NullPlatform final : public Platform {
 public:
  int clientWidth() const override { return 630; }
  int clientHeight() const override { return 440; }
  void invalidate(const Rect&) override {}
  CursorId setCursor(CursorId c) override {
    CursorId old = cursor_;
    cursor_ = c;
    return old;
  }
  void destroyWindow() override {}
  void notify(Notification, uint32_t) override {}
  TimerId createTimer(uint32_t, TimerCallback, uint32_t) override { return ++lastId_; }
  void killTimer(TimerId) override {}
  bool waveOpen() override { return false; }
  bool waveWrite(const uint8_t*, uint32_t) override { return false; }
  bool waveReset() override { return false; }
  bool waveClose() override { return false; }
  void debugLog(const char*) override {}

 private:
  CursorId cursor_ = kArrowCursor;
  TimerId lastId_ = 0;
};

NullPlatform nullPlatform;
Platform* current = &nullPlatform;

}  // namespace

Platform& platform() { return *current; }

void setPlatform(Platform* p) { current = p != nullptr ? p : &nullPlatform; }

}  // namespace zb
