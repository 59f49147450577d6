// Writes the frame buffer as a PNG (through its colour table), for looking
// at what a test drew.
#pragma once

#include <filesystem>

#include "engine/framebuffer.h"

namespace zb::test {

bool writeFramePng(const std::filesystem::path& path, const FrameBuffer& fb);

}  // namespace zb::test
