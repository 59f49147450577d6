#include "platform/sdl/sdl_platform.h"

#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/sdl/keymap.h"

namespace zb {

namespace {

// How long the wave device stays open after the last clip has ended, so
// that a burst of clicks does not reopen it for each one.
constexpr EventLoop::Micros kAudioIdleClose = 2'000'000;

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
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
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
  // no graphics card: the software renderer starts faster, takes far less
  // memory than a GL stack and costs less while idle. The environment
  // (SDL_RENDER_DRIVER, SDL_FRAMEBUFFER_ACCELERATION) can still choose.
  SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "software", SDL_HINT_DEFAULT);
  SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  SDL_SetHint(SDL_HINT_WINDOWS_NO_CLOSE_ON_ALT_F4, "1");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    error = std::string("cannot open a window: ") + SDL_GetError();
    return false;
  }
  SDL_Rect usable{0, 0, 1024, 768};
  SDL_GetDisplayUsableBounds(0, &usable);
  scale_ = options.scale;
  if (scale_ <= 0) {
    int byWidth = usable.w * 8 / 10 / clientWidth();
    int byHeight = usable.h * 8 / 10 / clientHeight();
    scale_ = std::max(1, std::min(byWidth, byHeight));
  }
  int w = clientWidth() * scale_;
  int h = clientHeight() * scale_;
  window_ = SDL_CreateWindow("Zubbatik", usable.x + (usable.w - w) / 2,
                             usable.y + (usable.h - h) / 2, w, h, SDL_WINDOW_HIDDEN);
  if (window_ == nullptr) {
    error = std::string("cannot create the window: ") + SDL_GetError();
    return false;
  }
  renderer_ = SDL_CreateRenderer(window_, -1, 0);
  if (renderer_ == nullptr) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  if (renderer_ == nullptr) {
    error = std::string("cannot draw into the window: ") + SDL_GetError();
    return false;
  }
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                               clientWidth(), clientHeight());
  if (texture_ == nullptr) {
    error = std::string("cannot create the screen texture: ") + SDL_GetError();
    return false;
  }
  argb_.assign(static_cast<size_t>(clientWidth()) * clientHeight(), 0xFF000000u);
  clipEvent_ = SDL_RegisterEvents(1);
  SDL_StopTextInput();
  return true;
}

void SdlPlatform::show() {
  if (window_ == nullptr) return;
  SDL_ShowWindow(window_);
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
  SDL_Rect usable{0, 0, 1024, 768};
  SDL_GetDisplayUsableBounds(SDL_GetWindowDisplayIndex(window_), &usable);
  int outerW = clientWidth() * scale_ + left + right;
  int outerH = clientHeight() * scale_ + top + bottom;
  // SDL places the client area; it asks the window manager for the frame
  // at that position less the frame's left and top.
  SDL_SetWindowPosition(window_, usable.x + (usable.w - outerW) / 2 + left,
                        usable.y + (usable.h - outerH) / 2 + top);
  dirty_ = Rect{0, 0, clientWidth(), clientHeight()};
  present();
}

void SdlPlatform::invalidate(const Rect& r) {
  Rect c{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, clientWidth()),
         std::min(r.bottom, clientHeight())};
  if (c.empty()) return;
  if (dirty_.empty()) {
    dirty_ = c;
  } else {
    dirty_ = Rect{std::min(dirty_.left, c.left), std::min(dirty_.top, c.top),
                  std::max(dirty_.right, c.right), std::max(dirty_.bottom, c.bottom)};
  }
}

void SdlPlatform::present() {
  if (destroyed_ || renderer_ == nullptr) return;
  FrameView view = frameSource_ ? frameSource_() : FrameView{};
  if (!dirty_.empty() && view.pixels != nullptr && view.colours != nullptr) {
    uint32_t lut[256];
    for (int i = 0; i < 256; ++i) {
      const uint8_t* c = view.colours + 4 * i;
      lut[i] = 0xFF000000u | uint32_t{c[2]} << 16 | uint32_t{c[1]} << 8 | c[0];
    }
    Rect r{dirty_.left, dirty_.top, std::min(dirty_.right, view.width),
           std::min(dirty_.bottom, view.height)};
    if (!r.empty()) {
      for (int y = r.top; y < r.bottom; ++y) {
        const uint8_t* src =
            view.pixels + static_cast<size_t>(view.height - 1 - y) * view.stride + r.left;
        uint32_t* dst = argb_.data() + static_cast<size_t>(y) * clientWidth() + r.left;
        for (int x = r.left; x < r.right; ++x) *dst++ = lut[*src++];
      }
      SDL_Rect area{r.left, r.top, r.right - r.left, r.bottom - r.top};
      SDL_UpdateTexture(texture_, &area, argb_.data() + static_cast<size_t>(r.top) * clientWidth() + r.left,
                        clientWidth() * 4);
    }
  }
  dirty_ = Rect{};
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
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

void SdlPlatform::run() {
  while (!loop_.quitRequested()) {
    if (!dirty_.empty()) present();
    int timeout = 1000;
    if (auto due = loop_.nextDue()) {
      EventLoop::Micros now = clockNow();
      timeout = *due <= now ? 0 : static_cast<int>(std::min<EventLoop::Micros>((*due - now + 999) / 1000, 1000));
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
        case SDL_WINDOWEVENT_FOCUS_LOST: events->activate(false); break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          dirty_ = Rect{0, 0, clientWidth(), clientHeight()};
          break;
        default: break;
      }
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
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
      int x = event.button.x / scale_;
      int y = event.button.y / scale_;
      if (x < 0 || y < 0 || x >= clientWidth() || y >= clientHeight()) break;
      events->buttonDown(event.button.button == SDL_BUTTON_LEFT ? MouseButton::Left : MouseButton::Right,
                         bits, x, y);
      break;
    }
    default:
      if (event.type == clipEvent_ && clipEvent_ != 0 && audio_) {
        // A clip reset since has no end to report.
        if (static_cast<uint32_t>(event.user.code) == audio_->generation) events->clipFinished();
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
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
  if (window_ != nullptr) SDL_DestroyWindow(window_);
  texture_ = nullptr;
  renderer_ = nullptr;
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

bool SdlPlatform::waveOpen() {
  QuietStderr quiet(!options_.debug);
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  auto audio = std::make_unique<Audio>();
  audio->finishedEvent = clipEvent_;
  SDL_AudioSpec want{};
  want.freq = 11025;
  want.format = AUDIO_U8;
  want.channels = 1;
  want.samples = 256;
  want.callback = &Audio::fill;
  want.userdata = audio.get();
  SDL_AudioSpec have{};
  audio->device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (audio->device == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  SDL_PauseAudioDevice(audio->device, 0);
  audio_ = std::move(audio);
  return true;
}

bool SdlPlatform::waveWrite(const uint8_t* samples, uint32_t count) {
  if (!audio_ || samples == nullptr || count == 0) return false;
  SDL_LockAudioDevice(audio_->device);
  audio_->samples = samples;
  audio_->count = count;
  audio_->position = 0;
  ++audio_->generation;
  SDL_UnlockAudioDevice(audio_->device);
  return true;
}

bool SdlPlatform::waveReset() {
  if (!audio_) return false;
  SDL_LockAudioDevice(audio_->device);
  audio_->samples = nullptr;
  ++audio_->generation;
  SDL_UnlockAudioDevice(audio_->device);
  return true;
}

bool SdlPlatform::waveClose() {
  if (!audio_) return false;
  SDL_CloseAudioDevice(audio_->device);
  audio_.reset();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  return true;
}

void SdlPlatform::debugLog(const char* text) {
  if (options_.debug) std::fputs(text, stderr);
}

}  // namespace zb
