#include "engine/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <string>

namespace zb {

static_assert(std::endian::native == std::endian::little,
              "the file formats and Descriptor::read copy little-endian fields as they are");

namespace {

std::filesystem::path& dataDirRef() {
  static std::filesystem::path dir = ".";
  return dir;
}

std::filesystem::path& stateDirRef() {
  static std::filesystem::path dir = ".";
  return dir;
}

bool writeAll(int fd, const uint8_t* bytes, size_t n) {
  while (n > 0) {
    ssize_t written = ::write(fd, bytes, n);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes += written;
    n -= static_cast<size_t>(written);
  }
  return true;
}

}  // namespace

void setDataDir(const std::filesystem::path& dir) { dataDirRef() = dir.empty() ? "." : dir; }
void setStateDir(const std::filesystem::path& dir) { stateDirRef() = dir.empty() ? "." : dir; }
const std::filesystem::path& dataDir() { return dataDirRef(); }
const std::filesystem::path& stateDir() { return stateDirRef(); }

std::filesystem::path dataPath(std::string_view enginePath) {
  std::filesystem::path result = dataDir();
  size_t start = 0;
  while (start <= enginePath.size()) {
    size_t end = enginePath.find('\\', start);
    if (end == std::string_view::npos) end = enginePath.size();
    std::string_view part = enginePath.substr(start, end - start);
    // Empty components (doubled or leading backslashes) would turn into an
    // absolute path or the folder itself; they name nothing.
    if (!part.empty()) result /= std::string(part);
    start = end + 1;
  }
  return result;
}

std::filesystem::path statePath(std::string_view name) {
  return stateDir() / std::string(name);
}

FileReader::~FileReader() { close(); }

bool FileReader::open(const std::filesystem::path& path) {
  close();
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return false;
  struct stat info {};
  if (::fstat(::fileno(f), &info) != 0 || !S_ISREG(info.st_mode)) {
    std::fclose(f);
    return false;
  }
  file_ = f;
  size_ = static_cast<uint64_t>(info.st_size);
  position_ = 0;
  return true;
}

void FileReader::close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  size_ = 0;
  position_ = 0;
}

size_t FileReader::read(void* destination, size_t n) {
  if (file_ == nullptr || n == 0) return 0;
  size_t got = std::fread(destination, 1, n, file_);
  position_ += got;
  if (position_ > size_) size_ = position_;  // the file grew while open
  return got;
}

size_t FileReader::skip(size_t n) {
  uint8_t scratch[64];
  size_t skipped = 0;
  while (skipped < n) {
    size_t chunk = n - skipped < sizeof scratch ? n - skipped : sizeof scratch;
    size_t got = read(scratch, chunk);
    skipped += got;
    if (got < chunk) break;
  }
  return skipped;
}

bool writeFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
  std::filesystem::path folder = path.parent_path();
  if (folder.empty()) folder = ".";
  std::string name = ".";
  name.append(path.filename().string());
  name.append(".XXXXXX");
  std::string temporary = (folder / name).string();
  int fd = ::mkstemp(temporary.data());
  if (fd < 0) return false;
  bool ok = writeAll(fd, bytes.data(), bytes.size()) && ::fchmod(fd, 0644) == 0 &&
            ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok) ok = ::rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(temporary.c_str());
    return false;
  }
  // Make the rename itself durable; a failure here no longer endangers
  // the old contents, so it does not change the result.
  int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

}  // namespace zb
