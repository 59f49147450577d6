// The high-score table: the ten best games, best first, kept in
// "Zubbatik.rdt" in the state folder.
//
// File: "RDTv1", row count (2 bytes, always 10), then per row a name block
// (15-byte name) and a score block (4-byte score). A block holds its field
// twice, each copy XOR-scrambled with the key "Dudarovi" and followed by
// the 16-bit sum of its stored bytes, so that a field survives damage to
// one copy. The key index runs on through the whole file, starting at 0
// with the first byte after the row count. A complete file is 467 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zb {

inline constexpr const char* kRecordsFileName = "Zubbatik.rdt";
inline constexpr int kRecordRows = 10;
inline constexpr int kRecordNameSize = 15;
inline constexpr uint16_t kNoRecord = 0xFFFF;
inline constexpr size_t kRecordsFileSize = 467;

struct RecordEntry {
  char name[kRecordNameSize] = {};  // zero-terminated, at most 14 characters
  uint32_t score = 0;
  // Empty when the name's first byte or the score is 0.
  bool empty() const { return name[0] == 0 || score == 0; }
};

struct RecordTable {
  // Position in the scrambling key of the next byte; meaningful only
  // during a load or a save.
  uint8_t keyIndex = 0;
  RecordEntry rows[kRecordRows];
};

// The one table of the program; empty at start.
extern RecordTable recordTable;

// Empties the table, then reads "Zubbatik.rdt". False, leaving the table
// empty, for no file, a wrong magic or a row count other than 10. Rows
// whose name or score cannot be read from either copy end up empty, and
// one pass of compaction moves later rows up over single gaps.
bool LoadRecords();
// Writes the table to "Zubbatik.rdt"; a failed save leaves the old file.
bool SaveRecords();
// The file image SaveRecords writes (uses and moves keyIndex).
std::vector<uint8_t> recordsFileBytes();

// The smallest of the ten scores; 0 while any row is empty.
uint32_t LowestScore();
// Puts the result at the first row whose score is lower (equal scores stay
// above it), moving the rows below down by one; the last row falls off.
// Returns the row, or kNoRecord (nothing changed) for an empty name, a
// score of 0 or a score that does not beat any row.
uint16_t InsertRecord(const char (&name)[kRecordNameSize], uint32_t score);
// Copies a row out; false for a row above 9.
bool GetRecord(uint16_t row, char (&name)[kRecordNameSize], uint32_t& score);

}  // namespace zb
