// The window procedure and the key table: what reaches the state machine.
#include <gtest/gtest.h>

#include <SDL_keyboard.h>
#include <SDL_scancode.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/events.h"
#include "platform/sdl/keymap.h"
#include "platform/sdl/picture_layout.h"
#include "platform/sdl/sound_probe.h"
#include "screens/state_machine.h"
#include "shell/window_procedure.h"

namespace zb {
namespace {

struct Event {
  uint16_t code;
  uint32_t argument;
  bool operator==(const Event&) const = default;
};
std::vector<Event> events;

void recordEvent(uint16_t code, uint32_t argument) { events.push_back({code, argument}); }

class WindowProcedureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetStateMachine();
    setEventHandler(MainMenu, recordEvent);
    EnterState(MainMenu);
    events.clear();
  }
  void TearDown() override { resetStateMachine(); }
  WindowProcedure window;
};

TEST_F(WindowProcedureTest, ShiftAndAltGrSetTheirBitsInTheKeyWord) {
  window.keyDown(0x2A);  // left Shift
  window.keyDown(0x1E);
  window.keyUp(0x1E);
  window.keyDown(0xB8);  // AltGr
  window.keyDown(0x10);
  window.keyUp(0x2A);
  window.keyDown(0x11);
  window.keyUp(0xB8);
  window.keyDown(0x12);
  std::vector<Event> expected = {
      {KeyDown, 0x2A | kShiftBit},           {KeyDown, 0x1E | kShiftBit},
      {KeyUp, 0x1E | kShiftBit},             {KeyDown, 0xB8 | kShiftBit | kAltGrBit},
      {KeyDown, 0x10 | kShiftBit | kAltGrBit}, {KeyUp, 0x2A | kAltGrBit},
      {KeyDown, 0x11 | kAltGrBit},           {KeyUp, 0xB8},
      {KeyDown, 0x12},
  };
  EXPECT_EQ(events, expected);
}

TEST_F(WindowProcedureTest, ReleasingEitherShiftClearsTheSharedBit) {
  window.keyDown(0x2A);
  window.keyDown(0x36);
  window.keyUp(0x36);  // the left Shift is still down, but the bit is shared
  EXPECT_EQ(window.modifierBits(), 0);
  window.keyDown(0x1E);
  EXPECT_EQ(events.back(), (Event{KeyDown, 0x1E}));
}

TEST_F(WindowProcedureTest, AutoRepeatRaisesFurtherKeyDowns) {
  window.keyDown(0x1E);
  window.keyDown(0x1E);
  window.keyDown(0x1E);
  EXPECT_EQ(events.size(), 3u);
}

TEST_F(WindowProcedureTest, OnlyAButtonPressedAloneIsAClick) {
  struct Case {
    MouseButton button;
    uint32_t bits;
    bool raises;
  } cases[] = {
      {MouseButton::Left, kMouseLeft, true},
      {MouseButton::Left, kMouseLeft | kMouseControl, false},
      {MouseButton::Left, kMouseLeft | kMouseShift, false},
      {MouseButton::Left, kMouseLeft | kMouseRight, false},
      {MouseButton::Left, kMouseLeft | kMouseMiddle, false},
      {MouseButton::Right, kMouseRight, true},
      {MouseButton::Right, kMouseRight | kMouseLeft, false},
      {MouseButton::Right, kMouseRight | kMouseControl, false},
  };
  for (const Case& c : cases) {
    events.clear();
    window.buttonDown(c.button, c.bits, 300, 200);
    if (!c.raises) {
      EXPECT_TRUE(events.empty()) << "bits " << c.bits;
      continue;
    }
    uint16_t code = c.button == MouseButton::Left ? LeftClick : RightClick;
    EXPECT_EQ(events, (std::vector<Event>{{code, 300u | 200u << 16}})) << "bits " << c.bits;
  }
}

TEST_F(WindowProcedureTest, NotificationsBecomeDoneEvents) {
  window.notification(Notification::AnimationDone, 7);
  window.notification(Notification::TimerDone, 2);
  EXPECT_EQ(events, (std::vector<Event>{{AnimationDone, 7}, {TimerDone, 2}}));
}

TEST(KeyTable, NamedKeysGiveTheirScanBytes) {
  struct Case {
    SDL_Scancode scancode;
    uint8_t keyByte;
  } cases[] = {
      {SDL_SCANCODE_ESCAPE, 0x01},      {SDL_SCANCODE_RETURN, 0x1C},
      {SDL_SCANCODE_KP_ENTER, 0x9C},    {SDL_SCANCODE_BACKSPACE, 0x0E},
      {SDL_SCANCODE_LCTRL, 0x1D},       {SDL_SCANCODE_RCTRL, 0x9D},
      {SDL_SCANCODE_LSHIFT, 0x2A},      {SDL_SCANCODE_RSHIFT, 0x36},
      {SDL_SCANCODE_LALT, 0x38},        {SDL_SCANCODE_RALT, 0xB8},
      {SDL_SCANCODE_UP, 0xC8},          {SDL_SCANCODE_LEFT, 0xCB},
      {SDL_SCANCODE_RIGHT, 0xCD},       {SDL_SCANCODE_DOWN, 0xD0},
      {SDL_SCANCODE_KP_8, 0x48},        {SDL_SCANCODE_KP_4, 0x4B},
      {SDL_SCANCODE_KP_6, 0x4D},        {SDL_SCANCODE_KP_2, 0x50},
      {SDL_SCANCODE_INSERT, 0xD2},      {SDL_SCANCODE_DELETE, 0xD3},
      {SDL_SCANCODE_HOME, 0xC7},        {SDL_SCANCODE_END, 0xCF},
      {SDL_SCANCODE_PAGEUP, 0xC9},      {SDL_SCANCODE_PAGEDOWN, 0xD1},
      {SDL_SCANCODE_A, 0x1E},           {SDL_SCANCODE_Q, 0x10},
      {SDL_SCANCODE_Z, 0x2C},           {SDL_SCANCODE_SPACE, 0x39},
      {SDL_SCANCODE_GRAVE, 0x29},       {SDL_SCANCODE_NONUSBACKSLASH, 0x56},
      {SDL_SCANCODE_F10, 0x44},         {SDL_SCANCODE_F12, 0x58},
      {SDL_SCANCODE_KP_DIVIDE, 0xB5},   {SDL_SCANCODE_APPLICATION, 0xDD},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(keyByteForScancode(c.scancode), c.keyByte) << SDL_GetScancodeName(c.scancode);
  }
  EXPECT_EQ(keyByteForScancode(SDL_SCANCODE_UNKNOWN), 0);
  EXPECT_EQ(keyByteForScancode(SDL_SCANCODE_AUDIOPLAY), 0);
}

TEST(KeyTable, NoTwoKeysOfTheTableShareAByteExceptTheIsoHashKey) {
  std::vector<int> owner(256, -1);
  for (int sc = 0; sc < SDL_NUM_SCANCODES; ++sc) {
    uint8_t k = keyByteForScancode(static_cast<SDL_Scancode>(sc));
    if (k == 0) continue;
    if (owner[k] >= 0 && !(k == 0x2B)) {
      ADD_FAILURE() << "byte " << int(k) << " for scancodes " << owner[k] << " and " << sc;
    }
    owner[k] = sc;
  }
}

}  // namespace
}  // namespace zb

// The picture in a window or on the whole screen: the largest whole scale
// that fits, centred; clicks on the black border reach nobody.
TEST(PictureLayout, LargestWholeScaleCentred) {
  struct Case {
    int w, h;
    int scale, left, top;
  } cases[] = {
      {630, 440, 1, 0, 0},      // a window at scale 1
      {1260, 880, 2, 0, 0},     // a window at scale 2
      {1920, 1080, 2, 330, 100},
      {1366, 768, 1, 368, 164},
      {3840, 2160, 4, 660, 200},
      {1280, 1024, 2, 10, 72},  // width decides
      {600, 400, 1, 0, 0},      // smaller than the picture: its top left part
  };
  for (const Case& c : cases) {
    zb::PictureLayout layout = zb::fitPicture(c.w, c.h, 630, 440);
    EXPECT_EQ(layout.scale, c.scale) << c.w << "x" << c.h;
    EXPECT_EQ(layout.left, c.left) << c.w << "x" << c.h;
    EXPECT_EQ(layout.top, c.top) << c.w << "x" << c.h;
  }
  EXPECT_FALSE(zb::fitPicture(1260, 880, 630, 440).hasBorder(1260, 880, 630, 440));
  EXPECT_TRUE(zb::fitPicture(1920, 1080, 630, 440).hasBorder(1920, 1080, 630, 440));
  EXPECT_TRUE(zb::fitPicture(1261, 880, 630, 440).hasBorder(1261, 880, 630, 440));
}

TEST(PictureLayout, ClicksMapToThePictureAndNotTheBorder) {
  zb::PictureLayout full = zb::fitPicture(1920, 1080, 630, 440);  // scale 2 at (330, 100)
  int x = -1, y = -1;
  ASSERT_TRUE(zb::surfaceToPicture(full, 330, 100, 630, 440, x, y));
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  ASSERT_TRUE(zb::surfaceToPicture(full, 330 + 1259, 100 + 879, 630, 440, x, y));
  EXPECT_EQ(x, 629);
  EXPECT_EQ(y, 439);
  ASSERT_TRUE(zb::surfaceToPicture(full, 331 + 2 * 100, 101 + 2 * 50, 630, 440, x, y));
  EXPECT_EQ(x, 100);
  EXPECT_EQ(y, 50);
  EXPECT_FALSE(zb::surfaceToPicture(full, 329, 500, 630, 440, x, y));   // left border
  EXPECT_FALSE(zb::surfaceToPicture(full, 330 + 1260, 500, 630, 440, x, y));  // right border
  EXPECT_FALSE(zb::surfaceToPicture(full, 900, 99, 630, 440, x, y));    // top border
  EXPECT_FALSE(zb::surfaceToPicture(full, 900, 980, 630, 440, x, y));   // bottom border
  zb::PictureLayout window = zb::fitPicture(630, 440, 630, 440);
  ASSERT_TRUE(zb::surfaceToPicture(window, 629, 439, 630, 440, x, y));
  EXPECT_FALSE(zb::surfaceToPicture(window, 630, 10, 630, 440, x, y));
}

// The machine without anything to play on is told at once; anything that
// might play sends the question on to the sound libraries.
TEST(SoundProbe, OnlyAMachineWithNothingToPlayOnIsToldSilent) {
  struct Case {
    const char* what;
    std::map<std::string, std::string> environment;
    std::set<std::string> files;
    bool silent;
  };
  const Case cases[] = {
      {"nothing at all", {{"HOME", "/home/a"}}, {}, true},
      {"a card's control device only", {{"HOME", "/home/a"}}, {"/dev/snd/controlC0", "/dev/snd/seq"}, true},
      {"an empty driver variable", {{"SDL_AUDIODRIVER", ""}}, {}, true},
      {"a sound card", {}, {"/dev/snd/controlC0", "/dev/snd/pcmC0D0p"}, false},
      {"an OSS device", {}, {"/dev/dsp"}, false},
      {"PulseAudio in the session", {{"XDG_RUNTIME_DIR", "/run/user/1000"}}, {"/run/user/1000/pulse/native"}, false},
      {"PipeWire in the session", {{"XDG_RUNTIME_DIR", "/run/user/1000"}}, {"/run/user/1000/pipewire-0"}, false},
      {"PulseAudio without the runtime variable", {}, {"/run/user/1000/pulse/native"}, false},
      {"a system-wide PulseAudio", {}, {"/run/pulse/native"}, false},
      {"a JACK server", {}, {"/dev/shm/jack_default_0"}, false},
      {"the user's ALSA settings", {{"HOME", "/home/a"}}, {"/home/a/.asoundrc"}, false},
      {"ALSA settings under the configuration folder", {{"HOME", "/home/a"}}, {"/home/a/.config/alsa/asoundrc"}, false},
      {"the system's ALSA settings", {}, {"/etc/asound.conf"}, false},
      {"a driver chosen", {{"SDL_AUDIODRIVER", "dummy"}}, {}, false},
      {"a remote PulseAudio", {{"PULSE_SERVER", "tcp:speakers.local"}}, {}, false},
  };
  for (const Case& c : cases) {
    zb::SoundProbeSystem system;
    system.userId = 1000;
    system.environment = [&](const char* name) -> const char* {
      auto it = c.environment.find(name);
      return it == c.environment.end() ? nullptr : it->second.c_str();
    };
    system.exists = [&](const std::string& path) { return c.files.count(path) != 0; };
    system.entries = [&](const std::string& folder) {
      std::vector<std::string> names;
      for (const std::string& f : c.files) {
        if (f.rfind(folder + "/", 0) == 0) names.push_back(f.substr(folder.size() + 1));
      }
      return names;
    };
    EXPECT_EQ(zb::nothingToPlayOn(system), c.silent) << c.what;
  }
}
