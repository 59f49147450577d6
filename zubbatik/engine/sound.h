// Sound: the .sn clip and the wave output device.
//
// .sn (little-endian, no magic): 2 bytes not interpreted, L (4 bytes), then
// L samples of unsigned 8-bit mono PCM at 11025 per second.
//
// The device plays one clip at a time, straight from the Sound's own
// sample block; completion comes back to the window as the clip-finished
// event, which the shell answers with stopSound.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/image.h"

namespace zb {

inline constexpr int kSoundHeaderSize = 6;
inline constexpr uint32_t kSampleRate = 11025;

// What the device is given to play: the clip's samples, not owned.
struct WaveHeader {
  const uint8_t* data = nullptr;
  uint32_t length = 0;
};

class Sound {
 public:
  Sound() = default;
  // A Sound destroyed while the device plays it stops the device first.
  ~Sound();
  Sound(const Sound&) = delete;
  Sound& operator=(const Sound&) = delete;

  // Loads an .sn file. The path is remembered before the file is opened:
  // asked again for the same path the load succeeds at once, even when the
  // first attempt failed. A file that cannot be opened keeps the samples
  // loaded before. A file cut short holds the samples that are there.
  bool load(std::string_view path);
  // Copies the header (samples and length) to destination; false, copying
  // nothing, when the Sound holds no samples.
  bool copyHeaderTo(WaveHeader& destination) const;

  const uint8_t* samples() const { return samples_.get(); }
  uint32_t length() const { return length_; }
  const std::optional<std::string>& fileName() const { return fileName_; }

 private:
  void freeSamples();

  ByteBlock samples_;
  uint32_t length_ = 0;
  std::optional<std::string> fileName_;
};

inline constexpr uint8_t kSoundPlaying = 1;
inline constexpr uint8_t kSoundStopped = 2;
// kSoundPlaying or kSoundStopped; starts stopped.
extern uint8_t soundState;
// Whether openSoundDevice found a device; the screens keep the sound
// switch off without one.
extern bool soundAvailable;

// Opens the wave device; sets and returns soundAvailable.
bool openSoundDevice();
bool closeSoundDevice();
// Stops a clip that is playing, then starts sound. False, without touching
// the device, for a Sound without samples; false when the device refuses
// the clip (soundState then stays as it was).
bool playSound(const Sound& sound);
// Stops the clip that is playing; false, without a device call, when none is.
bool stopSound();

}  // namespace zb
