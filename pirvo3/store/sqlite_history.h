// The lesson history in an SQLite database file, through Qt SQL.
//
// The file lives in $XDG_DATA_HOME/pirvo3 (~/.local/share/pirvo3). Its
// schema carries a version (PRAGMA user_version) and older files are
// brought up to date when first opened. Every write is one transaction.
//
// The file is opened for each operation and closed after it: a copy of the
// program holds no lock between operations, and a file made read-only in
// the meantime is found so at the next write.
//
// Faults are reported, never thrown: a file that cannot be opened or
// written, or that another copy of the program holds longer than the busy
// timeout, leaves the history as it was. A damaged file is renamed aside
// with the date and time in its name and a fresh history begins beside it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "history.h"

class QSqlDatabase;
class QSqlError;

namespace pirvo3 {

class SqliteHistoryStore : public HistoryStore {
 public:
  static constexpr int kSchemaVersion = 2;
  static constexpr int kDefaultBusyTimeoutMs = 2000;

  // The history file of a user: $XDG_DATA_HOME/pirvo3/history.sqlite, with
  // ~/.local/share when XDG_DATA_HOME is unset or not absolute; empty when
  // neither that nor HOME is known.
  static std::filesystem::path defaultPath();

  // localSeconds: the clock that dates the name of a damaged file put
  // aside (TimerService::localSeconds); the system's local time if empty.
  explicit SqliteHistoryStore(std::filesystem::path path,
                              int busyTimeoutMs = kDefaultBusyTimeoutMs,
                              std::function<std::int64_t()> localSeconds = {});
  ~SqliteHistoryStore() override;
  SqliteHistoryStore(const SqliteHistoryStore&) = delete;
  SqliteHistoryStore& operator=(const SqliteHistoryStore&) = delete;

  const std::filesystem::path& path() const { return path_; }

  StoreResult add(const RunRecord& run) override;
  StoreResult runs(int lesson, std::size_t limit, std::vector<RunRecord>& out) override;
  StoreResult summary(HistorySummary& out) override;

 private:
  enum class Use { Read, Write };
  // Closes the file when an operation is over, however it ended.
  struct Session {
    explicit Session(SqliteHistoryStore& s) : store(s) {}
    ~Session() { store.close(); }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    SqliteHistoryStore& store;
  };
  // Opens the file and brings its schema up to date. For reading, a file
  // that does not exist yet is not created: `exists` is then false.
  bool ready(Use use, StoreResult& result, bool& exists);
  bool openFile(StoreResult& result);
  bool prepareSchema(StoreResult& result);
  bool migrate(int from, StoreResult& result);
  // Renames a damaged file aside and opens a fresh one.
  bool setAside(StoreResult& result);
  void close();
  // Fills the result from a database error; false.
  bool fail(const QSqlError& error, StoreResult& result);
  bool exec(const char* sql, StoreResult& result);
  bool readRuns(int lesson, std::size_t limit, std::vector<RunRecord>& out, StoreResult& result);
  bool insert(const RunRecord& run, StoreResult& result);
  std::int64_t now() const;

  std::filesystem::path path_;
  int busyTimeoutMs_;
  std::function<std::int64_t()> localSeconds_;
  std::string connection_;
  bool open_ = false;
};

}  // namespace pirvo3
