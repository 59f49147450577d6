#include "engine/sound.h"

#include <algorithm>

#include "engine/files.h"
#include "platform/platform.h"

namespace zb {

uint8_t soundState = kSoundStopped;
bool soundAvailable = false;

namespace {

// The one header handed to the device: a copy of the playing Sound's.
WaveHeader deviceHeader;

}  // namespace

Sound::~Sound() { freeSamples(); }

void Sound::freeSamples() {
  // The device reads the samples while it plays; never free them under it.
  if (samples_ && soundState == kSoundPlaying && deviceHeader.data == samples_.get()) stopSound();
  samples_.reset();
  length_ = 0;
}

bool Sound::load(std::string_view path) {
  if (fileName_ && *fileName_ == path) return true;
  fileName_ = std::string(path);
  FileReader file;
  if (!file.open(dataPath(path))) return false;
  uint8_t header[kSoundHeaderSize] = {};
  file.read(header, sizeof header);
  freeSamples();
  size_t length = static_cast<size_t>(std::min<uint64_t>(getU32(header + 2), file.remaining()));
  if (length == 0) return true;
  samples_.reset(static_cast<uint8_t*>(std::malloc(length)));
  if (!samples_) return false;
  length_ = static_cast<uint32_t>(file.read(samples_.get(), length));
  return true;
}

bool Sound::copyHeaderTo(WaveHeader& destination) const {
  if (!samples_ || length_ == 0) return false;
  destination = {samples_.get(), length_};
  return true;
}

bool openSoundDevice() {
  soundAvailable = platform().waveOpen();
  return soundAvailable;
}

bool closeSoundDevice() {
  soundAvailable = false;
  return platform().waveClose();
}

bool playSound(const Sound& sound) {
  if (soundState == kSoundPlaying) stopSound();
  WaveHeader header;
  if (!sound.copyHeaderTo(header)) return false;
  if (!platform().waveWrite(header.data, header.length)) return false;
  deviceHeader = header;
  soundState = kSoundPlaying;
  return true;
}

bool stopSound() {
  if (soundState == kSoundStopped) return false;
  if (!platform().waveReset()) return false;
  deviceHeader = {};
  soundState = kSoundStopped;
  return true;
}

}  // namespace zb
