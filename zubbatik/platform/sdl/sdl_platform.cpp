#include "platform/sdl/sdl_platform.h"

#include <SDL.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <string>
#include <thread>

#include "platform/sdl/keymap.h"
#include "platform/sdl/sound_probe.h"
#include "platform/sdl/window_icon.h"

namespace zb {

namespace {

// How long the wave device stays open after the last clip has ended, so
// that a burst of clicks does not reopen it for each one.
constexpr EventLoop::Micros kAudioIdleClose = 2'000'000;

// The per-user bus socket that the D-Bus library finds by itself when the
// session bus address is not in the environment.
bool sessionBusSocketExists() {
  const char* runtime = getenv("XDG_RUNTIME_DIR");
  if (runtime == nullptr || runtime[0] == 0) return false;
  std::string path = std::string(runtime) + "/bus";
  return access(path.c_str(), F_OK) == 0;
}

// Asks the kernel for all pages of a fresh window surface at once: the
// first picture would otherwise fault them in one by one.
void populatePixels(SDL_Surface* surface) {
#ifdef MADV_POPULATE_WRITE
  if (surface == nullptr || surface->pixels == nullptr) return;
  const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  if (page == 0) return;
  auto begin = reinterpret_cast<uintptr_t>(surface->pixels) & ~(page - 1);
  auto end = reinterpret_cast<uintptr_t>(surface->pixels) +
             static_cast<uintptr_t>(surface->pitch) * static_cast<uintptr_t>(surface->h);
  end = (end + page - 1) & ~(page - 1);
  // Only a hint: older kernels refuse it and the pages come on first touch.
  madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
#else
  (void)surface;
#endif
}

}  // namespace

// The wave device: SDL audio at 11025 samples per second, unsigned 8-bit
// mono, playing one clip at a time straight from the caller's samples.
struct SdlPlatform::Audio {
  SDL_AudioDeviceID device = 0;  // 0 while closed
  uint32_t finishedEvent = 0;
  // Counts the closes planned; a planned close runs only if no clip was
  // played (and no other close planned) since.
  uint32_t idleToken = 0;
  // Shared with the audio thread; guarded by SDL_LockAudioDevice.
  const uint8_t* samples = nullptr;
  uint32_t count = 0;
  uint32_t position = 0;
  uint32_t generation = 0;

  static void fill(void* userdata, Uint8* stream, int length) {
    auto* audio = static_cast<Audio*>(userdata);
    auto wanted = static_cast<uint32_t>(length);
    uint32_t copied = 0;
    if (audio->samples != nullptr) {
      copied = std::min(wanted, audio->count - audio->position);
      std::memcpy(stream, audio->samples + audio->position, copied);
      audio->position += copied;
      if (audio->position >= audio->count) {
        audio->samples = nullptr;
        SDL_Event event{};
        event.type = audio->finishedEvent;
        event.user.code = static_cast<Sint32>(audio->generation);
        SDL_PushEvent(&event);
      }
    }
    std::memset(stream + copied, 0x80, wanted - copied);  // 8-bit silence
  }
};

SdlPlatform::SdlPlatform() = default;

SdlPlatform::~SdlPlatform() {
  if (audio_ && audio_->device != 0) SDL_CloseAudioDevice(audio_->device);
  if (window_ != nullptr) SDL_DestroyWindow(window_);
  SDL_Quit();
}

EventLoop::Micros SdlPlatform::clockNow() const {
  auto elapsed = std::chrono::steady_clock::now() - clockStart_;
  return static_cast<EventLoop::Micros>(
      std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count());
}

bool SdlPlatform::createWindow(const Options& options, std::string& error) {
  options_ = options;
  // A 630 x 440 picture that changes a few small rectangles at a time needs
  // no graphics card: the window's own surface (shared memory with the X
  // server) starts faster and takes far less memory than a GL stack, and
  // sends only the rectangles asked for. The environment
  // (SDL_FRAMEBUFFER_ACCELERATION) can still put a renderer behind it.
  SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
  // Keys are read as scan codes and no text is ever typed through the
  // input method, so its compose table (Xlib reads thousands of lines of it
  // for a UTF-8 locale while SDL starts, a third of the start-up time) is
  // not needed. A table the user chose is kept.
  setenv("XCOMPOSEFILE", "/dev/null", 0);
  // For the same reason no input method server: it would only add round
  // trips at start and could take keys that belong to the game.
  setenv("XMODIFIERS", "@im=none", 1);
  // SDL joins the session's D-Bus for its input-method and screen-saver
  // helpers, which this program does not use. Where the session has no bus
  // the D-Bus library would start one (forking dbus-launch) before the
  // window can open: ask for none instead. A session bus is still joined.
  if (getenv("DBUS_SESSION_BUS_ADDRESS") == nullptr && !sessionBusSocketExists()) {
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
  }
  // Typing keeps the screen awake; a window left open all afternoon lets
  // the screen saver and power saving do their work.
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  SDL_SetHint(SDL_HINT_WINDOWS_NO_CLOSE_ON_ALT_F4, "1");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    error = std::string("cannot open a window: ") + SDL_GetError();
    return false;
  }
  SDL_Rect usable{0, 0, 1024, 768};
  SDL_GetDisplayUsableBounds(0, &usable);
  int scale = options.scale;
  if (scale <= 0) {
    int byWidth = usable.w * 8 / 10 / clientWidth();
    int byHeight = usable.h * 8 / 10 / clientHeight();
    scale = std::max(1, std::min(byWidth, byHeight));
  }
  // The window's size outside full screen, which it keeps when F11 brings
  // it back.
  int w = clientWidth() * scale;
  int h = clientHeight() * scale;
  fullscreen_ = options.fullscreen;
  Uint32 flags = SDL_WINDOW_HIDDEN;
  if (fullscreen_) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  window_ = SDL_CreateWindow("Zubbatik", usable.x + (usable.w - w) / 2, usable.y + (usable.h - h) / 2, w, h,
                             flags);
  if (window_ == nullptr) {
    error = std::string("cannot create the window: ") + SDL_GetError();
    return false;
  }
  setWindowIcon(window_);
  if (!takeSurface()) {
    error = std::string("cannot draw into the window: ") + SDL_GetError();
    return false;
  }
  clipEvent_ = SDL_RegisterEvents(1);
  SDL_StopTextInput();
  return true;
}

void SdlPlatform::show() {
  if (window_ == nullptr) return;
  SDL_ShowWindow(window_);
  // The picture first: the window is already where it will stay, give or
  // take half its frame.
  invalidateAll();
  present();
  if (fullscreen_) return;
  // Centre the whole window, frame included, on the usable area. A window
  // manager frames the window after it is mapped and then announces the
  // frame's size (_NET_FRAME_EXTENTS), often after SDL_ShowWindow has
  // returned: wait a moment for it. Without a window manager there is no
  // frame and the sizes stay 0.
  int top = 0, left = 0, bottom = 0, right = 0;
  const Uint32 started = SDL_GetTicks();
  for (;;) {
    SDL_PumpEvents();
    if (SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) != 0) {
      top = left = bottom = right = 0;
      break;
    }
    if (top + left + bottom + right > 0 || SDL_GetTicks() - started >= 300) break;
    SDL_Delay(5);
  }
  if (top + left + bottom + right == 0) return;  // no frame: nothing to correct
  SDL_Rect usable{0, 0, 1024, 768};
  SDL_GetDisplayUsableBounds(SDL_GetWindowDisplayIndex(window_), &usable);
  int clientW = 0, clientH = 0;
  SDL_GetWindowSize(window_, &clientW, &clientH);
  int outerW = clientW + left + right;
  int outerH = clientH + top + bottom;
  // SDL places the client area; it asks the window manager for the frame
  // at that position less the frame's left and top.
  SDL_SetWindowPosition(window_, usable.x + (usable.w - outerW) / 2 + left,
                        usable.y + (usable.h - outerH) / 2 + top);
}

void SdlPlatform::invalidateAll() {
  dirty_[0] = Rect{0, 0, clientWidth(), clientHeight()};
  dirtyCount_ = 1;
}

void SdlPlatform::invalidate(const Rect& r) {
  Rect c{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, clientWidth()),
         std::min(r.bottom, clientHeight())};
  if (c.empty()) return;
  auto area = [](const Rect& a) { return static_cast<long>(a.right - a.left) * (a.bottom - a.top); };
  auto join = [](const Rect& a, const Rect& b) {
    return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
  };
  // Merge c into a rectangle when the union costs little more than the two
  // apart (always when they overlap or touch); the merged rectangle may in
  // turn take in others.
  for (;;) {
    int merged = -1;
    for (int i = 0; i < dirtyCount_; ++i) {
      Rect u = join(dirty_[i], c);
      if (area(u) <= area(dirty_[i]) + area(c) + 64 * 64) {
        merged = i;
        c = u;
        break;
      }
    }
    if (merged < 0) break;
    dirty_[merged] = dirty_[--dirtyCount_];
  }
  if (dirtyCount_ == kMaxDirty) {
    // Full: merge with the rectangle whose union grows least.
    int best = 0;
    long bestGrowth = 0;
    for (int i = 0; i < dirtyCount_; ++i) {
      long growth = area(join(dirty_[i], c)) - area(dirty_[i]);
      if (i == 0 || growth < bestGrowth) {
        best = i;
        bestGrowth = growth;
      }
    }
    c = join(dirty_[best], c);
    dirty_[best] = dirty_[--dirtyCount_];
  }
  dirty_[dirtyCount_++] = c;
}

// Fetches the window's surface (new after every size change) and places
// the picture in it. A surface larger than the picture gets its border
// painted black and sent once.
bool SdlPlatform::takeSurface() {
  surface_ = SDL_GetWindowSurface(window_);
  if (surface_ == nullptr) return false;
  populatePixels(surface_);
  layout_ = fitPicture(surface_->w, surface_->h, clientWidth(), clientHeight());
  if (layout_.hasBorder(surface_->w, surface_->h, clientWidth(), clientHeight())) {
    SDL_FillRect(surface_, nullptr, SDL_MapRGB(surface_->format, 0, 0, 0));
    sendWhole_ = true;
  }
  invalidateAll();
  return true;
}

void SdlPlatform::toggleFullscreen() {
  if (window_ == nullptr) return;
  const bool wanted = !fullscreen_;
  if (SDL_SetWindowFullscreen(window_, wanted ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
    std::string line = std::string("cannot switch full screen: ") + SDL_GetError() + "\n";
    debugLog(line.c_str());
    return;
  }
  fullscreen_ = wanted;
  // The size changes (SDL says so with an event too): a new surface.
  surface_ = nullptr;
  invalidateAll();
}

void SdlPlatform::present() {
  if (destroyed_ || window_ == nullptr || dirtyCount_ == 0) return;
  if (surface_ == nullptr && !takeSurface()) return;
  FrameView view = frameSource_ ? frameSource_() : FrameView{};
  SDL_Rect sent[kMaxDirty];
  int sentCount = 0;
  if (SDL_MUSTLOCK(surface_)) SDL_LockSurface(surface_);
  for (int i = 0; i < dirtyCount_; ++i) {
    const Rect& r = dirty_[i];
    if (view.pixels != nullptr && view.colours != nullptr) paint(view, r);
    // Rectangles outside the surface (a window resized by someone else)
    // are clipped by SDL.
    const int s = layout_.scale;
    sent[sentCount++] = SDL_Rect{layout_.left + r.left * s, layout_.top + r.top * s, (r.right - r.left) * s,
                                 (r.bottom - r.top) * s};
  }
  if (SDL_MUSTLOCK(surface_)) SDL_UnlockSurface(surface_);
  dirtyCount_ = 0;
  const bool sentAll =
      (sendWhole_ ? SDL_UpdateWindowSurface(window_) : SDL_UpdateWindowSurfaceRects(window_, sent, sentCount)) == 0;
  sendWhole_ = false;
  if (!sentAll) surface_ = nullptr;  // fetched again at the next present
  if (keyWaiting_ != std::chrono::steady_clock::time_point{}) {
    auto ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - keyWaiting_).count();
    keyWaiting_ = {};
    char line[64];
    std::snprintf(line, sizeof line, "key to frame %.3f ms\n", ms);
    debugLog(line);
  }
  if (!firstFramePresented_) {
    firstFramePresented_ = true;
    auto ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                        options_.processStart)
                  .count();
    char line[80];
    std::snprintf(line, sizeof line, "first frame presented %.1f ms after start\n", ms);
    debugLog(line);
  }
}

void SdlPlatform::paint(const FrameView& view, const Rect& dirty) {
  SDL_PixelFormat* format = surface_->format;
  const int bytes = format->BytesPerPixel;
  if (bytes < 2 || bytes > 4) return;
  // The palette in the surface's pixel format, remade only when it changes.
  if (pixelFormat_ != format->format ||
      std::memcmp(pixelColours_.data(), view.colours, pixelColours_.size()) != 0) {
    std::memcpy(pixelColours_.data(), view.colours, pixelColours_.size());
    pixelFormat_ = format->format;
    for (int i = 0; i < 256; ++i) {
      const uint8_t* c = view.colours + 4 * i;
      pixelOf_[static_cast<size_t>(i)] = SDL_MapRGB(format, c[2], c[1], c[0]);
    }
  }
  const int scale = layout_.scale;
  Rect r{dirty.left, dirty.top, std::min({dirty.right, view.width, (surface_->w - layout_.left) / scale}),
         std::min({dirty.bottom, view.height, (surface_->h - layout_.top) / scale})};
  if (r.empty()) return;
  auto* base = static_cast<uint8_t*>(surface_->pixels) + static_cast<size_t>(layout_.top) * surface_->pitch +
               static_cast<size_t>(layout_.left) * bytes;
  const size_t rowBytes = static_cast<size_t>(r.right - r.left) * scale * bytes;
  for (int y = r.top; y < r.bottom; ++y) {
    const uint8_t* src = view.pixels + static_cast<size_t>(view.height - 1 - y) * view.stride + r.left;
    uint8_t* row = base + static_cast<size_t>(y) * scale * surface_->pitch +
                   static_cast<size_t>(r.left) * scale * bytes;
    if (bytes == 4) {
      auto* dst = reinterpret_cast<uint32_t*>(row);
      if (scale == 1) {
        for (int x = r.left; x < r.right; ++x) *dst++ = pixelOf_[*src++];
      } else {
        for (int x = r.left; x < r.right; ++x) {
          uint32_t p = pixelOf_[*src++];
          for (int k = 0; k < scale; ++k) *dst++ = p;
        }
      }
    } else {
      uint8_t* dst = row;
      for (int x = r.left; x < r.right; ++x) {
        uint32_t p = pixelOf_[*src++];
        for (int k = 0; k < scale; ++k, dst += bytes) std::memcpy(dst, &p, static_cast<size_t>(bytes));
      }
    }
    // The other rows of this pixel row are copies of the first.
    for (int k = 1; k < scale; ++k) std::memcpy(row + static_cast<size_t>(k) * surface_->pitch, row, rowBytes);
  }
}

void SdlPlatform::run() {
  while (!loop_.quitRequested()) {
    if (dirtyCount_ != 0) present();
    // Sleep until the next step or task is due, or for good when none is:
    // any event (input, a clip's end) still wakes the loop.
    int timeout = -1;
    if (auto due = loop_.nextDue()) {
      EventLoop::Micros now = clockNow();
      EventLoop::Micros wait = *due > now ? *due - now : 0;
      if (wait >= 1000) {
        // The wait counts whole milliseconds: wake up to one early and
        // sleep the rest below, rather than up to one late.
        timeout = static_cast<int>(std::min<EventLoop::Micros>(wait / 1000, 60'000));
      } else {
        if (wait > 0) std::this_thread::sleep_for(std::chrono::microseconds(wait));
        timeout = 0;
      }
    }
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, timeout) != 0) {
      loop_.setNow(clockNow());
      handle(event);
      while (!loop_.quitRequested() && SDL_PollEvent(&event) != 0) handle(event);
    }
    if (loop_.quitRequested()) break;
    loop_.setNow(clockNow());
    loop_.runDue();
  }
}

void SdlPlatform::handle(const SDL_Event& event) {
  WindowEvents* events = loop_.windowEvents();
  if (events == nullptr || destroyed_) return;
  switch (event.type) {
    case SDL_QUIT:
      events->closeRequested();
      break;
    case SDL_WINDOWEVENT:
      switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE: events->closeRequested(); break;
        case SDL_WINDOWEVENT_FOCUS_GAINED: events->activate(true); break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          events->activate(false);
          // An inactive window plays no clip: let the sound device sleep.
          if (audio_ && audio_->device != 0 && soundIdle()) closeAudioDevice();
          break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          surface_ = nullptr;  // SDL makes a new one of the new size
          invalidateAll();
          break;
        case SDL_WINDOWEVENT_EXPOSED: invalidateAll(); break;
        default: break;
      }
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      // F11 belongs to the window: full screen and back.
      if (event.key.keysym.scancode == SDL_SCANCODE_F11) {
        if (event.type == SDL_KEYDOWN && event.key.repeat == 0) toggleFullscreen();
        break;
      }
      uint8_t key = keyByteForScancode(event.key.keysym.scancode);
      if (key == 0) break;
      if (event.type == SDL_KEYDOWN) {
        if (options_.debug && keyWaiting_ == std::chrono::steady_clock::time_point{}) {
          keyWaiting_ = std::chrono::steady_clock::now();
        }
        events->keyDown(key);
      } else {
        events->keyUp(key);
      }
      break;
    }
    case SDL_MOUSEBUTTONDOWN: {
      if (event.button.button != SDL_BUTTON_LEFT && event.button.button != SDL_BUTTON_RIGHT) break;
      uint32_t buttons = SDL_GetMouseState(nullptr, nullptr);
      SDL_Keymod mods = SDL_GetModState();
      uint32_t bits = 0;
      if (buttons & SDL_BUTTON_LMASK) bits |= kMouseLeft;
      if (buttons & SDL_BUTTON_RMASK) bits |= kMouseRight;
      if (buttons & SDL_BUTTON_MMASK) bits |= kMouseMiddle;
      if (mods & KMOD_SHIFT) bits |= kMouseShift;
      if (mods & KMOD_CTRL) bits |= kMouseControl;
      // The button that went down counts even if the state lags behind.
      bits |= event.button.button == SDL_BUTTON_LEFT ? kMouseLeft : kMouseRight;
      int x = 0, y = 0;
      if (!surfaceToPicture(layout_, event.button.x, event.button.y, clientWidth(), clientHeight(), x, y)) break;
      events->buttonDown(event.button.button == SDL_BUTTON_LEFT ? MouseButton::Left : MouseButton::Right,
                         bits, x, y);
      break;
    }
    default:
      if (event.type == clipEvent_ && clipEvent_ != 0 && audio_) {
        // A clip reset since has no end to report.
        if (static_cast<uint32_t>(event.user.code) == audio_->generation) {
          audioIdle();
          events->clipFinished();
        }
      }
      break;
  }
}

CursorId SdlPlatform::setCursor(CursorId cursor) {
  CursorId old = cursor_;
  cursor_ = cursor;
  SDL_ShowCursor(cursor == kNoCursor ? SDL_DISABLE : SDL_ENABLE);
  return old;
}

void SdlPlatform::destroyWindow() {
  if (destroyed_) return;
  if (WindowEvents* events = loop_.windowEvents()) events->destroyed();
  destroyed_ = true;
  if (window_ != nullptr) SDL_DestroyWindow(window_);
  surface_ = nullptr;
  window_ = nullptr;
  loop_.requestQuit();
}

void SdlPlatform::notify(Notification kind, uint32_t number) { loop_.notify(kind, number); }

TimerId SdlPlatform::createTimer(uint32_t periodMs, TimerCallback cb, uint32_t user) {
  loop_.setNow(clockNow());
  return loop_.addTimer(periodMs, cb, user);
}

void SdlPlatform::killTimer(TimerId id) { loop_.killTimer(id); }

namespace {

// The sound libraries under SDL complain on standard error when a machine
// has no sound card; a missing card only means a silent game here.
class QuietStderr {
 public:
  explicit QuietStderr(bool quiet) {
    if (!quiet) return;
    std::fflush(stderr);
    saved_ = dup(STDERR_FILENO);
    int null = open("/dev/null", O_WRONLY);
    if (saved_ >= 0 && null >= 0) dup2(null, STDERR_FILENO);
    if (null >= 0) close(null);
  }
  ~QuietStderr() {
    if (saved_ < 0) return;
    dup2(saved_, STDERR_FILENO);
    close(saved_);
  }
  QuietStderr(const QuietStderr&) = delete;
  QuietStderr& operator=(const QuietStderr&) = delete;

 private:
  int saved_ = -1;
};

}  // namespace

bool SdlPlatform::openAudioDevice() {
  SDL_AudioSpec want{};
  want.freq = 11025;
  want.format = AUDIO_U8;
  want.channels = 1;
  want.samples = 256;
  want.callback = &Audio::fill;
  want.userdata = audio_.get();
  SDL_AudioSpec have{};
  QuietStderr quiet(!options_.debug);
  audio_->device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  return audio_->device != 0;
}

void SdlPlatform::closeAudioDevice() {
  if (audio_->device == 0) return;
  SDL_CloseAudioDevice(audio_->device);
  audio_->device = 0;
  audio_->samples = nullptr;
  ++audio_->idleToken;
}

bool SdlPlatform::soundIdle() const {
  if (!audio_ || audio_->device == 0) return true;
  SDL_LockAudioDevice(audio_->device);
  bool idle = audio_->samples == nullptr;
  SDL_UnlockAudioDevice(audio_->device);
  return idle;
}

void SdlPlatform::audioIdle() {
  // Nothing plays: close the device a while from now unless a clip starts.
  if (!audio_ || audio_->device == 0) return;
  uint32_t token = ++audio_->idleToken;
  loop_.setNow(clockNow());
  loop_.postAt(loop_.now() + kAudioIdleClose, [this, token] {
    if (audio_ && audio_->idleToken == token && soundIdle()) closeAudioDevice();
  });
}

bool SdlPlatform::waveOpen() {
  if (nothingToPlayOn(realSoundProbeSystem())) {
    debugLog("no sound card and no sound server: the game is silent\n");
    return false;
  }
  QuietStderr quiet(!options_.debug);
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  audio_ = std::make_unique<Audio>();
  audio_->finishedEvent = clipEvent_;
  if (!openAudioDevice()) {
    audio_.reset();
    // Without a sound card, shutting SDL's audio down can wait for a device
    // watcher thread for a tenth of a second: do it once the first frame
    // is on screen.
    loop_.setNow(clockNow());
    loop_.postAt(loop_.now(), [this] {
      if (!audio_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    });
    return false;
  }
  audioIdle();
  return true;
}

bool SdlPlatform::waveWrite(const uint8_t* samples, uint32_t count) {
  if (!audio_ || samples == nullptr || count == 0) return false;
  if (audio_->device == 0 && !openAudioDevice()) return false;
  SDL_LockAudioDevice(audio_->device);
  audio_->samples = samples;
  audio_->count = count;
  audio_->position = 0;
  ++audio_->generation;
  ++audio_->idleToken;  // a close planned before this clip no longer applies
  SDL_UnlockAudioDevice(audio_->device);
  SDL_PauseAudioDevice(audio_->device, 0);
  return true;
}

bool SdlPlatform::waveReset() {
  if (!audio_) return false;
  if (audio_->device != 0) {
    SDL_LockAudioDevice(audio_->device);
    audio_->samples = nullptr;
    ++audio_->generation;
    SDL_UnlockAudioDevice(audio_->device);
    audioIdle();
  } else {
    ++audio_->generation;
  }
  return true;
}

bool SdlPlatform::waveClose() {
  if (!audio_) return false;
  closeAudioDevice();
  audio_.reset();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  return true;
}

void SdlPlatform::debugLog(const char* text) {
  if (options_.debug) std::fputs(text, stderr);
}

}  // namespace zb
