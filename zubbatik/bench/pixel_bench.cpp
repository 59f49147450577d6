// Throughput of the pixel routines in megapixels per second. Each size is
// also measured as a plain memcpy of the same number of bytes, in the same
// run, as the yardstick for the raw copies.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "engine/draw.h"
#include "engine/files.h"
#include "engine/framebuffer.h"
#include "engine/image.h"
#include "engine/writers.h"

namespace zb {
namespace {

using Bytes = std::vector<uint8_t>;

void countPixels(benchmark::State& state, int64_t pixels) {
  // Printed as a rate with an SI prefix: "pixels=412M/s".
  state.counters["pixels"] = benchmark::Counter(double(pixels), benchmark::Counter::kIsIterationInvariantRate);
}

// Literal colours only: every byte of the stream is one pixel.
Bytes literalFrame(int w, int h) {
  std::mt19937 random(7);
  Bytes data(size_t(w) * h);
  for (uint8_t& v : data) v = uint8_t(16 + random() % 238);
  return data;
}

// A typical sprite: a shaded ball on a transparent square, with a shadow
// rim, run-coded as the data builder would.
Bytes ballSprite(int w, int h) {
  Bytes pixels(size_t(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      double dx = (x - w / 2.0) / (w / 2.0), dy = (y - h / 2.0) / (h / 2.0);
      double d = dx * dx + dy * dy;
      pixels[size_t(y) * w + x] = d < 0.8 ? uint8_t(0xC0 + int(d * 15)) : d < 1.0 ? 0xFE : 0xFF;
    }
  return encodeSprite(pixels.data(), uint16_t(w), uint16_t(h), RowOrder::TopDown);
}

void BM_Memcpy(benchmark::State& state) {
  const int w = int(state.range(0)), h = int(state.range(1));
  Bytes from(size_t(w) * h, 0x33), to(from.size());
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size());
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  countPixels(state, int64_t(w) * h);
}

void BM_BlitRaw(benchmark::State& state) {
  const int w = int(state.range(0)), h = int(state.range(1));
  Bytes block(size_t(w) * h, 0x33);
  for (auto _ : state) {
    blitRaw(0, 0, block.data(), uint16_t(w), uint16_t(h));
    benchmark::ClobberMemory();
  }
  countPixels(state, int64_t(w) * h);
}

void BM_GrabRaw(benchmark::State& state) {
  const int w = int(state.range(0)), h = int(state.range(1));
  Bytes block(size_t(w) * h);
  for (auto _ : state) {
    grabRaw(block.data(), 0, 0, uint16_t(w), uint16_t(h));
    benchmark::DoNotOptimize(block.data());
    benchmark::ClobberMemory();
  }
  countPixels(state, int64_t(w) * h);
}

void BM_BlitSpriteLiterals(benchmark::State& state) {
  const int w = int(state.range(0)), h = int(state.range(1));
  Bytes data = literalFrame(w, h);
  for (auto _ : state) {
    blitSprite(0, 0, data.data(), uint32_t(data.size()), uint16_t(w), uint16_t(h));
    benchmark::ClobberMemory();
  }
  countPixels(state, int64_t(w) * h);
}

void BM_BlitSpriteBall(benchmark::State& state) {
  const int w = int(state.range(0)), h = int(state.range(1));
  Bytes data = ballSprite(w, h);
  state.counters["bytes/px"] = double(data.size()) / (double(w) * h);
  for (auto _ : state) {
    blitSprite(10, 10, data.data(), uint32_t(data.size()), uint16_t(w), uint16_t(h));
    benchmark::ClobberMemory();
  }
  countPixels(state, int64_t(w) * h);
}

void BM_BlitSpriteClipped(benchmark::State& state) {
  // Half of the frame hangs over the right edge: the clipped path.
  const int w = int(state.range(0)), h = int(state.range(1));
  Bytes data = literalFrame(w, h);
  for (auto _ : state) {
    blitSprite(uint16_t(630 - w / 2), 0, data.data(), uint32_t(data.size()), uint16_t(w),
               uint16_t(h));
    benchmark::ClobberMemory();
  }
  countPixels(state, int64_t(w) * h);
}

void BM_BlitSpriteWindow(benchmark::State& state) {
  const int w = int(state.range(0)), h = int(state.range(1));
  Bytes data = literalFrame(w, h);
  for (auto _ : state) {
    blitSpriteWindow(0, 0, data.data(), uint32_t(data.size()), uint16_t(w), uint16_t(h), 0, 0,
                     uint16_t(w), uint16_t(h));
    benchmark::ClobberMemory();
  }
  countPixels(state, int64_t(w) * h);
}

void BM_BlitSpriteRecoloured(benchmark::State& state) {
  const int w = int(state.range(0)), h = int(state.range(1));
  Bytes data = literalFrame(w, h);
  for (auto _ : state) {
    blitSpriteRecoloured(0, 0, data.data(), uint32_t(data.size()), uint16_t(w), uint16_t(h), 107,
                         16);
    benchmark::ClobberMemory();
  }
  countPixels(state, int64_t(w) * h);
}

// A 256-glyph 14 x 20 font: key-colour strokes on a transparent ground.
Image font;

void BM_DrawText(benchmark::State& state) {
  const int length = int(state.range(0));
  std::string text;
  for (int i = 0; i < length; ++i) text.push_back(char('A' + i % 26));
  for (auto _ : state) {
    drawText(text.c_str(), font, 5, 200, 191, 16);
    benchmark::ClobberMemory();
  }
  countPixels(state, int64_t(length) * font.width(0) * font.height(0));
}

void sizes(benchmark::internal::Benchmark* b) {
  b->Args({630, 440})->Args({100, 60})->Args({32, 32});
}

BENCHMARK(BM_Memcpy)->Apply(sizes);
BENCHMARK(BM_BlitRaw)->Apply(sizes);
BENCHMARK(BM_GrabRaw)->Apply(sizes);
BENCHMARK(BM_BlitSpriteLiterals)->Apply(sizes);
BENCHMARK(BM_BlitSpriteBall)->Apply(sizes);
BENCHMARK(BM_BlitSpriteClipped)->Args({630, 440})->Args({100, 60});
BENCHMARK(BM_BlitSpriteWindow)->Apply(sizes);
BENCHMARK(BM_BlitSpriteRecoloured)->Apply(sizes);
BENCHMARK(BM_DrawText)->Arg(1)->Arg(40);

bool setUp(const std::filesystem::path& folder) {
  setDataDir(folder);
  Bytes colours;
  for (int i = 0; i < 256; ++i) colours.insert(colours.end(), {uint8_t(i), uint8_t(i), uint8_t(i), 0});
  Bytes palette = paletteFileBytes(colours);
  if (!writeFileAtomically(dataPath("Zubbatik.pal"), palette)) return false;
  if (!createFrameBuffer("Zubbatik.pal")) return false;

  std::vector<FrameData> glyphs(256);
  for (int c = 0; c < 256; ++c) {
    Bytes pixels(14 * 20, 0xFF);
    for (int y = 2; y < 18; ++y) {
      pixels[size_t(y) * 14 + 2 + (c + y) % 10] = 16;
      pixels[size_t(y) * 14 + 3 + (c + y) % 10] = 16;
    }
    glyphs[c] = {14, 20, 0, 0, encodeSprite(pixels.data(), 14, 20, RowOrder::TopDown)};
  }
  if (!writeFileAtomically(dataPath("font.im3"), imageFileBytes(glyphs))) return false;
  return font.load("font.im3");
}

}  // namespace
}  // namespace zb

int main(int argc, char** argv) {
  std::string pattern = (std::filesystem::temp_directory_path() / "zb-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) return 1;
  bool ready = zb::setUp(pattern);
  if (ready) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
  } else {
    std::fprintf(stderr, "zubbatik_bench: cannot set up the frame buffer in %s\n", pattern.c_str());
  }
  zb::font.release();
  zb::releaseFrameBuffer();
  std::error_code ignored;
  std::filesystem::remove_all(pattern, ignored);
  return ready ? 0 : 1;
}
