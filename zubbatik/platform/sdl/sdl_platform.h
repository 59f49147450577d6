// The window backend: an SDL2 window showing the 8-bit frame buffer through
// the window's own surface, SDL input turned into window events, SDL audio
// as the wave device, and the event loop on the real clock.
//
// Painting: only the rectangles invalidated since the last present are
// converted (palette index to the surface's pixel format, each pixel
// repeated scale x scale times) and sent to the screen. Whatever was sent
// before stays on screen, so the window always shows the whole frame
// buffer, as a full copy would, at a fraction of the cost.
//
// Full screen (--fullscreen, and F11 at any time, a key the screens never
// see): the window covers the screen and the picture is shown by the
// largest whole factor that fits, centred on black; clicks on the border
// are ignored.
//
// Sound: the SDL audio device runs a thread that wakes every buffer even
// when paused, so the device is open only while clips are being played;
// it is closed a little while after the last one, and as soon as the
// window loses the focus.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/event_loop.h"
#include "platform/platform.h"
#include "platform/sdl/picture_layout.h"

struct SDL_Window;
struct SDL_Surface;
union SDL_Event;

namespace zb {

// Where the backend finds the picture to show.
struct FrameView {
  const uint8_t* pixels = nullptr;  // palette indices, bottom row first
  int width = 0;
  int height = 0;
  int stride = 0;
  const uint8_t* colours = nullptr;  // 256 entries: blue, green, red, reserved
};

class SdlPlatform final : public Platform {
 public:
  struct Options {
    int scale = 0;  // 0: the largest that fits about 80% of the desktop
    bool debug = false;
    bool fullscreen = false;  // start on the whole screen
    std::chrono::steady_clock::time_point processStart = std::chrono::steady_clock::now();
  };

  SdlPlatform();
  ~SdlPlatform() override;
  SdlPlatform(const SdlPlatform&) = delete;
  SdlPlatform& operator=(const SdlPlatform&) = delete;

  // Creates the window, still hidden. On failure returns false and says why.
  bool createWindow(const Options& options, std::string& error);
  void setFrameSource(std::function<FrameView()> source) { frameSource_ = std::move(source); }
  EventLoop& loop() { return loop_; }
  // Shows the window centred on the usable desktop area and paints it.
  void show();
  // The message loop: runs until the window is destroyed.
  void run();

  // Platform
  int clientWidth() const override { return 630; }
  int clientHeight() const override { return 440; }
  void invalidate(const Rect& r) override;
  CursorId setCursor(CursorId cursor) override;
  void destroyWindow() override;
  void notify(Notification kind, uint32_t number) override;
  TimerId createTimer(uint32_t periodMs, TimerCallback cb, uint32_t user) override;
  void killTimer(TimerId id) override;
  bool waveOpen() override;
  bool waveWrite(const uint8_t* samples, uint32_t count) override;
  bool waveReset() override;
  bool waveClose() override;
  void debugLog(const char* text) override;

 private:
  struct Audio;

  EventLoop::Micros clockNow() const;
  void handle(const SDL_Event& event);
  void invalidateAll();
  bool takeSurface();
  void toggleFullscreen();
  void present();
  void paint(const FrameView& view, const Rect& r);
  bool openAudioDevice();
  void closeAudioDevice();
  bool soundIdle() const;
  void audioIdle();

  Options options_;
  EventLoop loop_;
  std::function<FrameView()> frameSource_;
  SDL_Window* window_ = nullptr;
  SDL_Surface* surface_ = nullptr;  // the window's; refetched after a resize
  PictureLayout layout_;            // the picture's place in surface_
  bool sendWhole_ = false;          // the next present sends the border too
  bool fullscreen_ = false;
  // Rectangles to send at the next present; overlapping or nearby ones are
  // merged so that a handful of entries always suffice.
  static constexpr int kMaxDirty = 8;
  std::array<Rect, kMaxDirty> dirty_{};
  int dirtyCount_ = 0;
  // The palette in the surface's format, and the colours it was made from.
  std::array<uint32_t, 256> pixelOf_{};
  std::array<uint8_t, 1024> pixelColours_{};
  uint32_t pixelFormat_ = 0;
  CursorId cursor_ = kArrowCursor;
  bool destroyed_ = false;
  bool firstFramePresented_ = false;
  // With --debug: when the oldest key press not yet on screen arrived.
  std::chrono::steady_clock::time_point keyWaiting_{};
  uint32_t clipEvent_ = 0;
  std::unique_ptr<Audio> audio_;
  std::chrono::steady_clock::time_point clockStart_ = std::chrono::steady_clock::now();
};

}  // namespace zb
