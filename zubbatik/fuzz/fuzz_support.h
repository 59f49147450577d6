// What the loader fuzz targets share: the loaders read files, so each
// input is written to a private folder that serves as data and state
// folder of the run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zb::fuzz {

// Writes the input to name (an engine path) in the run's folder, creating
// the folder and pointing the data and state folders at it on first use.
void writeInput(std::string_view name, const uint8_t* data, size_t size);
// Builds the frame buffer from a grey palette once per process.
void ensureFrameBuffer();
// Stops the run with a crash the fuzzer reports, when a loader broke one
// of its promises.
[[noreturn]] void broken(const char* what);

}  // namespace zb::fuzz
