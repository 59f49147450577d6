#include "gif_writer.h"

#include <array>
#include <fstream>
#include <memory>
#include <string_view>

namespace pirvo3 {

namespace {

class BitWriter {
 public:
  explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}

  void write(unsigned code, int bits) {
    buffer_ |= static_cast<std::uint32_t>(code) << count_;
    count_ += bits;
    while (count_ >= 8) {
      push(static_cast<std::uint8_t>(buffer_ & 0xFF));
      buffer_ >>= 8;
      count_ -= 8;
    }
  }

  // Flushes the last bits and closes the data sub-blocks.
  void finish() {
    if (count_ > 0) push(static_cast<std::uint8_t>(buffer_ & 0xFF));
    flushBlock();
    out_.push_back(0);
  }

 private:
  void push(std::uint8_t byte) {
    block_[blockSize_++] = byte;
    if (blockSize_ == 255) flushBlock();
  }
  void flushBlock() {
    if (blockSize_ == 0) return;
    out_.push_back(static_cast<std::uint8_t>(blockSize_));
    for (int i = 0; i < blockSize_; ++i) out_.push_back(block_[static_cast<std::size_t>(i)]);
    blockSize_ = 0;
  }

  std::vector<std::uint8_t>& out_;
  std::array<std::uint8_t, 255> block_{};
  int blockSize_ = 0;
  std::uint32_t buffer_ = 0;
  int count_ = 0;
};

void put16(std::vector<std::uint8_t>& out, int value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

}  // namespace

std::vector<std::uint8_t> encodeGif(int width, int height, const std::vector<std::uint8_t>& indices,
                                    const std::vector<std::uint32_t>& palette) {
  std::vector<std::uint8_t> out;
  if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF ||
      indices.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) ||
      palette.empty() || palette.size() > 256) {
    return out;
  }
  int tableBits = 1;
  while ((1u << tableBits) < palette.size()) ++tableBits;

  for (char c : std::string_view("GIF89a")) out.push_back(static_cast<std::uint8_t>(c));
  put16(out, width);
  put16(out, height);
  out.push_back(static_cast<std::uint8_t>(0x80 | 0x70 | (tableBits - 1)));
  out.push_back(0);  // background colour
  out.push_back(0);  // no aspect ratio
  for (int i = 0; i < (1 << tableBits); ++i) {
    const std::uint32_t c = i < static_cast<int>(palette.size()) ? palette[static_cast<std::size_t>(i)] : 0;
    out.push_back(static_cast<std::uint8_t>(c >> 16));
    out.push_back(static_cast<std::uint8_t>(c >> 8));
    out.push_back(static_cast<std::uint8_t>(c));
  }
  out.push_back(0x2C);
  put16(out, 0);
  put16(out, 0);
  put16(out, width);
  put16(out, height);
  out.push_back(0);

  const int minCodeSize = std::max(2, tableBits);
  out.push_back(static_cast<std::uint8_t>(minCodeSize));
  const unsigned clearCode = 1u << minCodeSize;
  const unsigned endCode = clearCode + 1;

  // The string table: code of (prefix code, next index), 0 for none.
  auto table = std::make_unique<std::array<std::uint16_t, 256>[]>(4096);
  auto reset = [&] {
    for (int i = 0; i < 4096; ++i) table[static_cast<std::size_t>(i)].fill(0);
  };
  reset();

  BitWriter bits(out);
  int codeSize = minCodeSize + 1;
  unsigned maxCode = endCode;
  bits.write(clearCode, codeSize);
  unsigned current = indices[0];
  for (std::size_t i = 1; i < indices.size(); ++i) {
    const std::uint8_t next = indices[i];
    const std::uint16_t known = table[current][next];
    if (known != 0) {
      current = known;
      continue;
    }
    bits.write(current, codeSize);
    if (maxCode < 4095) {
      table[current][next] = static_cast<std::uint16_t>(++maxCode);
      if (maxCode >= (1u << codeSize) && codeSize < 12) ++codeSize;
    } else {
      bits.write(clearCode, codeSize);
      reset();
      codeSize = minCodeSize + 1;
      maxCode = endCode;
    }
    current = next;
  }
  bits.write(current, codeSize);
  bits.write(endCode, codeSize);
  bits.finish();
  out.push_back(0x3B);
  return out;
}

bool writeGif(const std::string& path, int width, int height,
              const std::vector<std::uint8_t>& indices, const std::vector<std::uint32_t>& palette) {
  const std::vector<std::uint8_t> bytes = encodeGif(width, height, indices, palette);
  if (bytes.empty()) return false;
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace pirvo3
