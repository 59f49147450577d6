#include "persist/records.h"

#include <cstring>

#include "engine/files.h"

namespace zb {

RecordTable recordTable;

namespace {

constexpr uint8_t kMagic[5] = {'R', 'D', 'T', 'v', '1'};
constexpr uint8_t kKey[8] = {'D', 'u', 'd', 'a', 'r', 'o', 'v', 'i'};

uint8_t nextKeyByte() {
  uint8_t k = kKey[recordTable.keyIndex];
  recordTable.keyIndex = static_cast<uint8_t>((recordTable.keyIndex + 1) % 8);
  return k;
}

void skipKey(size_t n) { recordTable.keyIndex = static_cast<uint8_t>((recordTable.keyIndex + n) % 8); }

uint16_t byteSum(const uint8_t* p, size_t n) {
  uint16_t sum = 0;
  for (size_t i = 0; i < n; ++i) sum = static_cast<uint16_t>(sum + p[i]);
  return sum;
}

void emptyRow(RecordEntry& row) {
  row.name[0] = 0;
  row.score = 0;
}

// Reads one block of a field of n bytes; the key index always moves by 2n
// when both copies were there, so the next block stays in step.
bool readBlock(FileReader& file, uint8_t* field, size_t n) {
  uint8_t copy[kRecordNameSize];
  uint8_t sum[2];
  bool good = false;
  if (!file.readExact(copy, n) || !file.readExact(sum, 2)) return false;
  if (byteSum(copy, n) == getU16(sum)) {
    for (size_t i = 0; i < n; ++i) field[i] = copy[i] ^ nextKeyByte();
    good = true;
  } else {
    skipKey(n);
  }
  if (!file.readExact(copy, n) || !file.readExact(sum, 2)) return false;
  if (good) {
    skipKey(n);
  } else if (byteSum(copy, n) == getU16(sum)) {
    for (size_t i = 0; i < n; ++i) field[i] = copy[i] ^ nextKeyByte();
    good = true;
  } else {
    skipKey(n);
  }
  return good;
}

void appendBlock(std::vector<uint8_t>& out, const uint8_t* field, size_t n) {
  for (int copyNumber = 0; copyNumber < 2; ++copyNumber) {
    size_t start = out.size();
    for (size_t i = 0; i < n; ++i) out.push_back(field[i] ^ nextKeyByte());
    uint16_t sum = byteSum(&out[start], n);
    out.push_back(static_cast<uint8_t>(sum));
    out.push_back(static_cast<uint8_t>(sum >> 8));
  }
}

// One pass from the top: closes single gaps and lets a gap move down one
// row per step. It does not sort.
void compact() {
  RecordEntry* rows = recordTable.rows;
  for (int i = 0; i < kRecordRows - 1; ++i) {
    if (!rows[i].empty()) continue;
    rows[i] = rows[i + 1];
    emptyRow(rows[i + 1]);
  }
}

}  // namespace

bool LoadRecords() {
  for (RecordEntry& row : recordTable.rows) emptyRow(row);
  FileReader file;
  if (!file.open(statePath(kRecordsFileName))) return false;
  uint8_t magic[5];
  if (!file.readExact(magic, sizeof magic) || std::memcmp(magic, kMagic, sizeof magic) != 0)
    return false;
  uint8_t count[2];
  if (!file.readExact(count, sizeof count) || getU16(count) != kRecordRows) return false;

  recordTable.keyIndex = 0;
  for (RecordEntry& row : recordTable.rows) {
    if (!readBlock(file, reinterpret_cast<uint8_t*>(row.name), kRecordNameSize)) row.name[0] = 0;
    // Names are drawn as zero-terminated strings.
    row.name[kRecordNameSize - 1] = 0;
    uint8_t score[4];
    row.score = readBlock(file, score, sizeof score) ? getU32(score) : 0;
  }
  file.close();
  compact();
  return true;
}

std::vector<uint8_t> recordsFileBytes() {
  std::vector<uint8_t> out(std::begin(kMagic), std::end(kMagic));
  out.push_back(kRecordRows);
  out.push_back(0);
  recordTable.keyIndex = 0;
  for (const RecordEntry& row : recordTable.rows) {
    appendBlock(out, reinterpret_cast<const uint8_t*>(row.name), kRecordNameSize);
    uint8_t score[4];
    putU32(score, row.score);
    appendBlock(out, score, sizeof score);
  }
  return out;
}

bool SaveRecords() { return writeFileAtomically(statePath(kRecordsFileName), recordsFileBytes()); }

uint32_t LowestScore() {
  uint32_t lowest = recordTable.rows[0].score;
  for (const RecordEntry& row : recordTable.rows)
    if (row.score < lowest) lowest = row.score;
  return lowest;
}

uint16_t InsertRecord(const char (&name)[kRecordNameSize], uint32_t score) {
  if (name[0] == 0 || score == 0) return kNoRecord;
  RecordEntry* rows = recordTable.rows;
  int i = 0;
  while (i < kRecordRows && rows[i].score >= score) ++i;
  if (i == kRecordRows) return kNoRecord;
  for (int j = kRecordRows - 2; j >= i; --j) {
    rows[j + 1] = rows[j];
    emptyRow(rows[j]);
  }
  std::memcpy(rows[i].name, name, kRecordNameSize);
  rows[i].name[kRecordNameSize - 1] = 0;
  rows[i].score = score;
  return static_cast<uint16_t>(i);
}

bool GetRecord(uint16_t row, char (&name)[kRecordNameSize], uint32_t& score) {
  if (row >= kRecordRows) return false;
  std::memcpy(name, recordTable.rows[row].name, kRecordNameSize);
  score = recordTable.rows[row].score;
  return true;
}

}  // namespace zb
