// Records files: whatever the file holds, names stay terminated, and the
// table written back is 467 bytes and loads to the same rows in the same
// order (loading compacts, which moves empty rows but never reorders the
// others).
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_support.h"
#include "persist/records.h"

namespace {

std::vector<std::pair<std::string, uint32_t>> filledRows() {
  std::vector<std::pair<std::string, uint32_t>> rows;
  for (const zb::RecordEntry& row : zb::recordTable.rows)
    if (!row.empty()) rows.emplace_back(std::string(row.name, zb::kRecordNameSize), row.score);
  return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zb;
  fuzz::writeInput("Zubbatik.rdt", data, size);
  LoadRecords();
  for (const RecordEntry& row : recordTable.rows)
    if (row.name[kRecordNameSize - 1] != 0) fuzz::broken("name not terminated");
  auto before = filledRows();
  std::vector<uint8_t> bytes = recordsFileBytes();
  if (bytes.size() != kRecordsFileSize) fuzz::broken("records file of the wrong size");
  fuzz::writeInput("Zubbatik.rdt", bytes.data(), bytes.size());
  if (!LoadRecords()) fuzz::broken("written records do not load");
  if (filledRows() != before) fuzz::broken("records changed on the way");
  return 0;
}
