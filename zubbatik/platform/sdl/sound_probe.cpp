#include "platform/sdl/sound_probe.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace zb {

SoundProbeSystem realSoundProbeSystem() {
  SoundProbeSystem system;
  system.environment = [](const char* name) -> const char* { return std::getenv(name); };
  system.exists = [](const std::string& path) { return access(path.c_str(), F_OK) == 0; };
  system.entries = [](const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      names.push_back(it->path().filename().string());
    }
    return names;
  };
  system.userId = static_cast<unsigned>(getuid());
  return system;
}

bool nothingToPlayOn(const SoundProbeSystem& system) {
  auto set = [&](const char* name) {
    const char* value = system.environment(name);
    return value != nullptr && value[0] != 0;
  };
  // A driver, device or server named by the user: let the libraries try.
  for (const char* name : {"SDL_AUDIODRIVER", "SDL_AUDIO_DRIVER", "AUDIODEV", "PULSE_SERVER", "PIPEWIRE_REMOTE",
                           "JACK_DEFAULT_SERVER", "ALSA_CONFIG_PATH"}) {
    if (set(name)) return false;
  }
  auto startsWith = [](const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; };
  for (const std::string& name : system.entries("/dev/snd")) {
    if (startsWith(name, "pcmC")) return false;  // a sound card's playback or capture device
  }
  if (system.exists("/dev/dsp")) return false;
  // Sound servers of the session and of the system.
  std::string runtime = set("XDG_RUNTIME_DIR") ? system.environment("XDG_RUNTIME_DIR")
                                               : "/run/user/" + std::to_string(system.userId);
  for (const std::string& path : {runtime + "/pulse/native", runtime + "/pipewire-0", std::string("/run/pulse/native"),
                                  std::string("/var/run/pulse/native")}) {
    if (system.exists(path)) return false;
  }
  for (const std::string& name : system.entries("/dev/shm")) {
    if (startsWith(name, "jack")) return false;
  }
  // ALSA set up to send sound somewhere other than a card of this machine.
  std::string home = set("HOME") ? system.environment("HOME") : "";
  std::string config = set("XDG_CONFIG_HOME") ? system.environment("XDG_CONFIG_HOME") : home + "/.config";
  for (const std::string& path : {std::string("/etc/asound.conf"), home + "/.asoundrc", config + "/alsa/asoundrc"}) {
    if (system.exists(path)) return false;
  }
  return true;
}

}  // namespace zb
