#include "engine/textlist.h"

#include <algorithm>

#include "engine/files.h"

namespace zb {

bool TextList::load(std::string_view path) {
  if (fileName_ && *fileName_ == path) return true;
  fileName_ = std::string(path);
  FileReader file;
  if (!file.open(dataPath(path))) return false;
  release();

  uint8_t header[kTextListHeaderSize] = {};
  file.read(header, sizeof header);
  uint32_t count = getU32(header + 2);
  // Every entry takes at least its 4-byte length; a larger count is
  // damage, and honouring it would only allocate a useless table.
  if (count > file.remaining() / 4) return false;
  entries_.resize(count);
  for (std::string& entry : entries_) {
    uint8_t lengthBytes[4];
    if (!file.readExact(lengthBytes, sizeof lengthBytes)) break;
    size_t length = static_cast<size_t>(std::min<uint64_t>(getU32(lengthBytes), file.remaining()));
    entry.resize(length);
    entry.resize(file.read(entry.data(), length));
  }
  return true;
}

void TextList::release() {
  entries_.clear();
  entries_.shrink_to_fit();
}

}  // namespace zb
