// The lesson history: one record for every run of the typing screen, with
// the figures the screen showed and, for every expected character, how
// often it was typed wrong and what came instead.
//
// The forms talk to a HistoryStore; the program keeps it in a database file
// (window layer), tests in memory. A store never throws: every operation
// reports what went wrong in a StoreResult, and the forms tell the user.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "lessons.h"

namespace pirvo3 {

// Keystrokes of one run made while one character was expected.
struct KeyTally {
  int presses = 0;  // all of them
  int errors = 0;   // the wrong ones
  std::map<std::string, int> typedInstead;  // what came instead, how often
  bool operator==(const KeyTally&) const = default;
};

// Counts one keystroke: `typed` arrived while `expected` was the next
// letter. A keystroke with nothing expected is not counted.
void countKeystroke(std::map<std::string, KeyTally>& keys, const std::string& expected,
                    const std::string& typed);

struct RunRecord {
  std::int64_t id = 0;  // given by the store
  // Local date and time (TimerService::localSeconds) of the run's first
  // keystroke and of its end.
  std::int64_t started = 0;
  std::int64_t finished = 0;
  int lesson = -1;  // index in the lesson menu
  std::string lessonFile;
  bool test = false;      // the test of the last tasks
  bool complete = false;  // reached its end; false when closed midway
  // The figures as the screen showed them: tasks as the summary counts
  // them (task number less one), seconds, keystrokes, errors, and both
  // speeds (in thousandths, and as the captions read).
  int tasks = 0;
  int seconds = 0;
  int keystrokes = 0;
  int errors = 0;
  std::int64_t nominalMilli = 0;
  std::int64_t realMilli = 0;
  std::string nominalShown;
  std::string realShown;
  std::map<std::string, KeyTally> keys;  // by expected character
  bool operator==(const RunRecord&) const = default;
};

enum class HistoryFault {
  None,
  CannotOpen,  // the file or its folder cannot be opened or created
  ReadOnly,    // the file or its folder cannot be written
  Locked,      // another copy of the program holds the file
  Newer,       // written by a newer version of the program
  Damaged,     // damaged, and could not be put aside
  Failed,      // any other database error
};

struct StoreResult {
  bool ok = true;
  HistoryFault fault = HistoryFault::None;
  std::string path;    // the history file
  std::string detail;  // the database's own words, for the curious
  // A damaged file found on the way was renamed to this and the history
  // started afresh (the operation itself may have succeeded).
  std::string setAside;
};

struct HistorySummary {
  std::array<int, kLessonCount> runs{};  // recorded runs per lesson
  int latestLesson = -1;                 // lesson of the latest run, -1 none
  int total() const;
};

class HistoryStore {
 public:
  virtual ~HistoryStore() = default;
  // Adds a run with its key tallies: all of it or nothing.
  virtual StoreResult add(const RunRecord& run) = 0;
  // The latest `limit` runs of a lesson, oldest first, with their tallies.
  virtual StoreResult runs(int lesson, std::size_t limit, std::vector<RunRecord>& out) = 0;
  virtual StoreResult summary(HistorySummary& out) = 0;
};

// A store in memory, for tests; `fault` makes every operation fail.
class MemoryHistoryStore : public HistoryStore {
 public:
  StoreResult add(const RunRecord& run) override;
  StoreResult runs(int lesson, std::size_t limit, std::vector<RunRecord>& out) override;
  StoreResult summary(HistorySummary& out) override;

  std::vector<RunRecord> records;
  HistoryFault fault = HistoryFault::None;
  // Reported once with the next operation, as a damaged file put aside.
  std::string setAside;

 private:
  StoreResult result();
};

// What the user is told, in a message box, when a run could not be written.
std::string recordFailureText(const StoreResult& result);
// What the statistics window says when the history cannot be read.
std::string readFailureText(const StoreResult& result);
// The news that a damaged history file was put aside.
std::string setAsideText(const StoreResult& result);

// Local seconds (see TimerService::localSeconds) as the database keeps
// them, "2024-09-02 09:15:00", and back; false for a malformed text.
std::string isoDateTime(std::int64_t localSeconds);
bool parseIsoDateTime(const std::string& text, std::int64_t& localSeconds);
// As the user reads them: "02.09.2024 09:15".
std::string shownDateTime(std::int64_t localSeconds);

// The lesson index of a lesson file name, -1 for another file.
int lessonOfFile(const std::string& file);

}  // namespace pirvo3
