// The one interface between zubbatik and the machine it runs on.
//
// Engine, screens and modes reach the outside world only through the
// calls below. Two backends implement them: the SDL2 window for real use
// and the headless one (virtual clock, no window) for tests and scripted
// runs. Everything runs on one thread; see event_loop.h for how timer
// steps and notifications are ordered.
#pragma once

#include <cstdint>

namespace zb {

// A rectangle in client pixels; right and bottom are exclusive.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool empty() const { return right <= left || bottom <= top; }
  bool operator==(const Rect&) const = default;
};

// The two notifications a slot or a tick timer sends back to the window
// when it is stopped with notify set.
enum class Notification : uint8_t { AnimationDone, TimerDone };

// Periodic timer handle; 0 is never a live timer.
using TimerId = uint32_t;
// Called at every period with the user value given at creation.
using TimerCallback = void (*)(uint32_t user);

// Mouse cursors for setCursor. The window starts with the arrow.
using CursorId = uint32_t;
inline constexpr CursorId kNoCursor = 0;
inline constexpr CursorId kArrowCursor = 1;

class Platform {
 public:
  virtual ~Platform() = default;

  // --- Window -------------------------------------------------------------
  // Client area size in pixels (630 x 440 for zubbatik's window).
  virtual int clientWidth() const = 0;
  virtual int clientHeight() const = 0;
  // The frame-buffer rectangle r has changed and must reach the screen.
  virtual void invalidate(const Rect& r) = 0;
  // Sets the mouse cursor shown over the client area; returns the previous one.
  virtual CursorId setCursor(CursorId cursor) = 0;
  // Destroys the window. The shell's destroy handler (shutdown, saving the
  // two state files) runs before this returns; the event loop then ends.
  virtual void destroyWindow() = 0;

  // --- Notifications ------------------------------------------------------
  // Sends AnimationDone or TimerDone with a slot or timer number to the
  // window. Raised inside a timer step it is queued and delivered after the
  // step as an event of its own; raised anywhere else it is delivered at
  // once, nested inside the caller.
  virtual void notify(Notification kind, uint32_t number) = 0;

  // --- Periodic timers ----------------------------------------------------
  // Creates a timer that calls cb(user) every periodMs milliseconds, the
  // first time one period from now. A period of 0 runs at the loop's finest
  // step (1 ms). Never fails.
  virtual TimerId createTimer(uint32_t periodMs, TimerCallback cb, uint32_t user) = 0;
  // Kills a timer; no step of it runs afterwards. Unknown ids are ignored.
  virtual void killTimer(TimerId id) = 0;

  // --- Wave device (unsigned 8-bit mono, 11025 samples per second) --------
  // Opens the output device; false when there is none.
  virtual bool waveOpen() = 0;
  // Starts playing the clip. The samples stay owned by the caller and must
  // stay valid until waveReset. When the clip has played, the window
  // receives the clip-finished event.
  virtual bool waveWrite(const uint8_t* samples, uint32_t count) = 0;
  // Stops the clip being played, if any, and forgets it.
  virtual bool waveReset() = 0;
  virtual bool waveClose() = 0;

  // --- Diagnostics --------------------------------------------------------
  // The debug log (one line of text, newline included).
  virtual void debugLog(const char* text) = 0;
};

// The platform in use. Before setPlatform is called (and after it is called
// with nullptr) a platform that ignores everything is in use, so that tools
// and tests that never open a window can still call the engine.
Platform& platform();
void setPlatform(Platform* p);

}  // namespace zb
