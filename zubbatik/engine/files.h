// The file layer: the only place where zubbatik's own paths become host
// paths, plus the two primitives every loader and saver uses.
//
// The engine names its files the way the data set is organised, with
// backslashes between folders ("MDATA\\TRNSF\\lgmnu.im3"). Loaders keep and
// compare those strings exactly as given; only dataPath and statePath turn
// one into a path on this machine. The data folder holds the palette and
// the MDATA, GDATA and DDATA folders; the state folder holds the settings
// and records files. Both default to the current directory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string_view>

namespace zb {

void setDataDir(const std::filesystem::path& dir);
void setStateDir(const std::filesystem::path& dir);
const std::filesystem::path& dataDir();
const std::filesystem::path& stateDir();

// The host path of a data file: each backslash-separated component of
// enginePath is kept exactly as written (no case folding) and appended to
// the data folder. "MDATA\\TRNSF\\x.im3" -> <data>/MDATA/TRNSF/x.im3.
std::filesystem::path dataPath(std::string_view enginePath);
// The host path of a state file ("Zubbatik.cfg", "Zubbatik.rdt").
std::filesystem::path statePath(std::string_view name);

// Reads a file front to back. Closing happens in the destructor. A reader
// that failed to open reads nothing.
class FileReader {
 public:
  FileReader() = default;
  explicit FileReader(const std::filesystem::path& path) { open(path); }
  ~FileReader();
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;

  // Opens an existing regular file; false when it cannot be opened or is
  // anything else (a folder, a FIFO, a device), without waiting on it.
  bool open(const std::filesystem::path& path);
  bool isOpen() const { return file_ != nullptr; }
  void close();

  // Reads up to n bytes into destination; returns the number read, which
  // is less than n only at the end of the file or on an error.
  size_t read(void* destination, size_t n);
  // Reads exactly n bytes; false (with the bytes that were there copied)
  // when the file ends first.
  bool readExact(void* destination, size_t n) { return read(destination, n) == n; }
  // Skips up to n bytes; returns the number skipped.
  size_t skip(size_t n);

  // Bytes between the read position and the end of the file as it was
  // when opened. Loaders use it to bound sizes declared inside a file, so
  // that a damaged count never turns into a huge allocation.
  uint64_t remaining() const { return size_ - position_; }

 private:
  std::FILE* file_ = nullptr;
  uint64_t size_ = 0;
  uint64_t position_ = 0;
};

// Replaces path with bytes so that the old file survives any failure:
// the bytes go to a temporary file in the same folder (".<name>.tmp"),
// which is flushed to disk and then renamed over path. On failure the
// temporary file is removed and path is left as it was. When path is a
// symbolic link, the file it leads to is replaced (in that file's folder,
// keeping its permissions) and the link stays. A name that stands for
// anything but a regular file (a FIFO, a device, a folder) is refused and
// left alone. The temporary name is the
// same for every save of a file, so a save cut short by the end of the
// process leaves one file that the next save reuses.
bool writeFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes);

// Little-endian field access for the file formats.
inline uint16_t getU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t getU32(const uint8_t* p) {
  return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}
inline void putU16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
inline void putU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace zb
