// Whether this machine can play sound at all, told from the places where
// sound devices and sound servers show themselves. Asking the sound
// libraries instead costs several milliseconds on a machine without any
// (they read their whole configuration before giving up), all of it before
// the first picture; a machine with nothing to play on gets its answer at
// once.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zb {

struct SoundProbeSystem {
  std::function<const char*(const char* name)> environment;  // null when unset
  std::function<bool(const std::string& path)> exists;
  std::function<std::vector<std::string>(const std::string& folder)> entries;  // names only
  unsigned userId = 0;
};

// The real environment and file system.
SoundProbeSystem realSoundProbeSystem();

// True only when nothing could play: no sound card device, no OSS device,
// no PulseAudio, PipeWire or JACK server, no ALSA configuration of the
// user's or the system's (which may route sound elsewhere), and no sound
// driver or server named in the environment.
bool nothingToPlayOn(const SoundProbeSystem& system);

}  // namespace zb
