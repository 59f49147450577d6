#include "engine/files.h"

#include <fcntl.h>
#include <sys/file.h>
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
  // Without O_NONBLOCK, opening a FIFO waits for a writer and some devices
  // wait for their hardware: look at what the name is before reading.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return false;
  }
  int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  std::FILE* f = ::fdopen(fd, "rb");
  if (f == nullptr) {
    ::close(fd);
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

namespace {

// The file a name finally stands for, following symbolic links.
std::filesystem::path finalTarget(const std::filesystem::path& path) {
  namespace fs = std::filesystem;
  fs::path current = path;
  // A loop of links (or one too long to be sensible) leaves the last name
  // found; the write then replaces that link rather than hang.
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(current, ec))) break;
    fs::path target = fs::read_symlink(current, ec);
    if (ec) break;
    current = target.is_absolute() ? target : current.parent_path() / target;
  }
  return current;
}

// Opens and locks the save's temporary file, creating it when needed. The
// name is fixed, so a save that was interrupted leaves at most this one
// file, which the next save takes over. The lock keeps two programs saving
// at the same moment apart; once it is held, the name must still lead to
// the locked file (another saver may have renamed or removed it meanwhile).
int openTemporary(const std::string& temporary) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) {
      // Something other than a file of ours took the name (a link, a
      // FIFO, a folder left by someone): clear a non-folder and try again.
      if ((errno == ELOOP || errno == ENXIO || errno == EISDIR) && ::unlink(temporary.c_str()) == 0) continue;
      return -1;
    }
    struct stat held {};
    struct stat named {};
    bool ours = ::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) &&
                ::lstat(temporary.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
                held.st_ino == named.st_ino;
    if (ours) {
      int flags = ::fcntl(fd, F_GETFL);
      if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
      if (::ftruncate(fd, 0) == 0) return fd;
      ::close(fd);
      return -1;
    }
    bool special = ::fstat(fd, &held) == 0 && !S_ISREG(held.st_mode);
    ::close(fd);
    if (special) ::unlink(temporary.c_str());
  }
  return -1;
}

}  // namespace

bool writeFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
  // Through a symbolic link the link stays and its target is replaced, in
  // the target's own folder so that the rename stays on one file system.
  const std::filesystem::path target = finalTarget(path);
  std::filesystem::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  // A file that is there already keeps its permissions; a new one is
  // readable by all and writable by its owner.
  // Anything but a regular file under the name (a FIFO, a device, a
  // folder) is refused, as the reader refuses it.
  mode_t mode = 0644;
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0) {
    if (!S_ISREG(old.st_mode)) return false;
    mode = old.st_mode & 07777;
  }

  std::string temporary = (folder / ("." + target.filename().string() + ".tmp")).string();
  int fd = openTemporary(temporary);
  if (fd < 0) return false;
  bool ok = writeAll(fd, bytes.data(), bytes.size()) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
  if (ok) ok = ::rename(temporary.c_str(), target.c_str()) == 0;
  // Removed while still locked, so no other saver can be using it.
  if (!ok) ::unlink(temporary.c_str());
  ::close(fd);
  if (!ok) return false;
  // Make the rename itself durable; a failure here no longer endangers
  // the old contents, so it does not change the result.
  int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

}  // namespace zb
