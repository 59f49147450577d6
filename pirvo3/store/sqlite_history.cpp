#include "sqlite_history.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <system_error>

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

namespace pirvo3 {

namespace fs = std::filesystem;

namespace {

// The current schema, version 2. Times are local, "YYYY-MM-DD HH:MM:SS";
// speeds in thousandths of a character per second, and as the typing
// screen's captions read ('' when it had shown none).
constexpr const char* kSchema[] = {
    "CREATE TABLE runs ("
    " id INTEGER PRIMARY KEY,"
    " started TEXT NOT NULL,"
    " finished TEXT NOT NULL,"
    " lesson INTEGER NOT NULL,"
    " lesson_file TEXT NOT NULL,"
    " test INTEGER NOT NULL,"
    " complete INTEGER NOT NULL,"
    " tasks INTEGER NOT NULL,"
    " seconds INTEGER NOT NULL,"
    " keystrokes INTEGER NOT NULL,"
    " errors INTEGER NOT NULL,"
    " nominal_milli INTEGER NOT NULL,"
    " real_milli INTEGER NOT NULL,"
    " nominal_shown TEXT NOT NULL,"
    " real_shown TEXT NOT NULL)",
    "CREATE INDEX runs_by_lesson ON runs (lesson, id)",
    // Keystrokes made while a character was expected, and the wrong ones.
    "CREATE TABLE key_stats ("
    " run_id INTEGER NOT NULL REFERENCES runs (id),"
    " expected TEXT NOT NULL,"
    " presses INTEGER NOT NULL,"
    " errors INTEGER NOT NULL,"
    " PRIMARY KEY (run_id, expected))",
    // What was typed instead of an expected character, how often.
    "CREATE TABLE key_typed ("
    " run_id INTEGER NOT NULL REFERENCES runs (id),"
    " expected TEXT NOT NULL,"
    " typed TEXT NOT NULL,"
    " count INTEGER NOT NULL,"
    " PRIMARY KEY (run_id, expected, typed))",
};

// Version 1 kept the speeds as real numbers, only the end time, no lesson
// file, no sign of a run closed midway, and per key only the counts (table
// key_errors): version 2 adds what was typed instead.
std::vector<std::string> migrationFrom1() {
  std::string files = "CASE lesson";
  for (const Lesson& lesson : lessons()) {
    files += " WHEN " + std::to_string(lesson.index) + " THEN '" + lesson.file + "'";
  }
  files += " ELSE '' END";
  std::vector<std::string> steps;
  steps.push_back(std::string(kSchema[0]).replace(13, 4, "runs_v2"));
  steps.push_back(
      "INSERT INTO runs_v2 (id, started, finished, lesson, lesson_file, test, complete, tasks,"
      " seconds, keystrokes, errors, nominal_milli, real_milli, nominal_shown, real_shown)"
      " SELECT id, datetime(finished, printf('-%d seconds', seconds)), finished, lesson, " +
      files +
      ", test, tasks >= 85, tasks, seconds, keystrokes, errors,"
      " CAST(round(nominal * 1000) AS INTEGER), CAST(round(real * 1000) AS INTEGER), '', ''"
      " FROM runs");
  steps.push_back("DROP TABLE runs");
  steps.push_back("ALTER TABLE runs_v2 RENAME TO runs");
  steps.push_back(kSchema[1]);
  steps.push_back(kSchema[2]);
  steps.push_back(
      "INSERT INTO key_stats (run_id, expected, presses, errors)"
      " SELECT run_id, expected, presses, errors FROM key_errors");
  steps.push_back("DROP TABLE key_errors");
  steps.push_back(kSchema[3]);
  return steps;
}

QString qs(const std::string& s) { return QString::fromStdString(s); }
std::string str(const QVariant& v) { return v.toString().toStdString(); }

// SQLite's primary result codes.
enum SqliteCode {
  kBusy = 5,
  kLocked = 6,
  kReadOnly = 8,
  kCorrupt = 11,
  kCantOpen = 14,
  kNotADatabase = 26,
};

bool writableFolder(const fs::path& folder) {
  return ::access(folder.c_str(), W_OK) == 0;
}

std::int64_t systemLocalSeconds() {
  const QDateTime now = QDateTime::currentDateTime();
  return now.toSecsSinceEpoch() + now.offsetFromUtc();
}

}  // namespace

fs::path SqliteHistoryStore::defaultPath() {
  const char* data = std::getenv("XDG_DATA_HOME");
  fs::path base;
  if (data && fs::path(data).is_absolute()) {
    base = data;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = fs::path(home) / ".local" / "share";
  } else {
    return {};
  }
  return base / "pirvo3" / "history.sqlite";
}

SqliteHistoryStore::SqliteHistoryStore(fs::path path, int busyTimeoutMs,
                                       std::function<std::int64_t()> localSeconds)
    : path_(std::move(path)), busyTimeoutMs_(busyTimeoutMs),
      localSeconds_(std::move(localSeconds)) {
  static std::atomic<int> counter{0};
  connection_ = "pirvo3-history-" + std::to_string(++counter);
}

SqliteHistoryStore::~SqliteHistoryStore() {
  close();
  QSqlDatabase::removeDatabase(qs(connection_));
}

std::int64_t SqliteHistoryStore::now() const {
  return localSeconds_ ? localSeconds_() : systemLocalSeconds();
}

void SqliteHistoryStore::close() {
  if (!open_) return;
  {
    QSqlDatabase db = QSqlDatabase::database(qs(connection_), false);
    db.close();
  }
  open_ = false;
}

bool SqliteHistoryStore::fail(const QSqlError& error, StoreResult& result) {
  result.ok = false;
  result.detail = error.text().trimmed().toStdString();
  switch (error.nativeErrorCode().toInt() & 0xFF) {
    case kBusy:
    case kLocked:
      result.fault = HistoryFault::Locked;
      break;
    case kReadOnly:
      result.fault = HistoryFault::ReadOnly;
      break;
    case kCorrupt:
    case kNotADatabase:
      result.fault = HistoryFault::Damaged;
      break;
    case kCantOpen:
      // Typically the journal beside the file cannot be created.
      result.fault = writableFolder(path_.parent_path()) ? HistoryFault::CannotOpen
                                                         : HistoryFault::ReadOnly;
      break;
    default:
      result.fault = HistoryFault::Failed;
      break;
  }
  return false;
}

bool SqliteHistoryStore::exec(const char* sql, StoreResult& result) {
  QSqlQuery q(QSqlDatabase::database(qs(connection_), false));
  if (!q.exec(QString::fromUtf8(sql))) return fail(q.lastError(), result);
  return true;
}

bool SqliteHistoryStore::openFile(StoreResult& result) {
  if (open_) return true;
  if (path_.empty()) {
    result.ok = false;
    result.fault = HistoryFault::CannotOpen;
    result.detail = "не задана ни XDG_DATA_HOME, ни HOME";
    return false;
  }
  std::error_code ec;
  fs::create_directories(path_.parent_path(), ec);
  if (ec) {
    result.ok = false;
    result.fault = ec == std::errc::permission_denied || ec == std::errc::read_only_file_system
                       ? HistoryFault::ReadOnly
                       : HistoryFault::CannotOpen;
    result.detail = ec.message();
    return false;
  }
  QSqlDatabase db = QSqlDatabase::contains(qs(connection_))
                        ? QSqlDatabase::database(qs(connection_), false)
                        : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), qs(connection_));
  if (!db.isValid()) {
    result.ok = false;
    result.fault = HistoryFault::CannotOpen;
    result.detail = "нет драйвера SQLite для Qt (QSQLITE)";
    return false;
  }
  db.setDatabaseName(QString::fromStdString(path_.string()));
  db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs_));
  if (!db.open()) return fail(db.lastError(), result);
  open_ = true;
  return true;
}

bool SqliteHistoryStore::prepareSchema(StoreResult& result) {
  int version = 0;
  int tables = 0;
  {
    QSqlQuery q(QSqlDatabase::database(qs(connection_), false));
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
      return fail(q.lastError(), result);
    }
    version = q.value(0).toInt();
    if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next()) {
      return fail(q.lastError(), result);
    }
    if (q.value(0).toString() != QLatin1String("ok")) {
      result.ok = false;
      result.fault = HistoryFault::Damaged;
      result.detail = str(q.value(0));
      return false;
    }
    if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !q.next()) {
      return fail(q.lastError(), result);
    }
    tables = q.value(0).toInt();
  }
  if (version == kSchemaVersion) return true;
  if (version > kSchemaVersion) {
    result.ok = false;
    result.fault = HistoryFault::Newer;
    result.detail = "версия " + std::to_string(version);
    return false;
  }
  if (version == 0 && tables > 0) {
    // Tables without a version: not a file this program wrote.
    result.ok = false;
    result.fault = HistoryFault::Damaged;
    result.detail = "в файле чужие таблицы";
    return false;
  }
  return migrate(version, result);
}

bool SqliteHistoryStore::migrate(int from, StoreResult& result) {
  std::vector<std::string> steps;
  if (from == 0) {
    steps.assign(std::begin(kSchema), std::end(kSchema));
  } else {
    // One step per version; each brings the schema one version on.
    if (from <= 1) {
      const std::vector<std::string> step = migrationFrom1();
      steps.insert(steps.end(), step.begin(), step.end());
    }
  }
  steps.push_back("PRAGMA user_version = " + std::to_string(kSchemaVersion));
  if (!exec("BEGIN IMMEDIATE", result)) return false;
  for (const std::string& step : steps) {
    if (!exec(step.c_str(), result)) {
      StoreResult ignored;
      exec("ROLLBACK", ignored);
      return false;
    }
  }
  if (!exec("COMMIT", result)) {
    StoreResult ignored;
    exec("ROLLBACK", ignored);
    return false;
  }
  return true;
}

bool SqliteHistoryStore::ready(Use use, StoreResult& result, bool& exists) {
  std::error_code ec;
  exists = open_ || fs::exists(path_, ec);
  if (!exists && use == Use::Read) return true;
  exists = true;
  return openFile(result) && prepareSchema(result);
}

bool SqliteHistoryStore::setAside(StoreResult& result) {
  close();
  const std::string stamp = [&] {
    std::string iso = isoDateTime(now());  // "2024-09-02 09:15:00"
    std::string out;
    for (char c : iso) {
      if (c == ' ') {
        out += '-';
      } else if (c != ':' && c != '-') {
        out += c;
      }
    }
    return out;  // "20240902-091500"
  }();
  fs::path aside;
  std::error_code ec;
  for (int n = 1;; ++n) {
    aside = path_;
    aside += ".damaged-" + stamp + (n > 1 ? "-" + std::to_string(n) : "");
    if (!fs::exists(aside, ec)) break;
  }
  fs::rename(path_, aside, ec);
  if (ec) {
    result.ok = false;
    result.fault = HistoryFault::Damaged;
    result.detail = ec.message();
    return false;
  }
  // A journal left beside the damaged file belongs to it, not to the new one.
  for (const char* suffix : {"-journal", "-wal", "-shm"}) {
    fs::path journal = path_;
    journal += suffix;
    if (fs::exists(journal, ec)) {
      fs::path journalAside = aside;
      journalAside += suffix;
      fs::rename(journal, journalAside, ec);
    }
  }
  result.ok = true;
  result.fault = HistoryFault::None;
  result.detail.clear();
  result.setAside = aside.filename().string();
  return true;
}

bool SqliteHistoryStore::insert(const RunRecord& run, StoreResult& result) {
  if (!exec("BEGIN IMMEDIATE", result)) return false;
  const QSqlDatabase db = QSqlDatabase::database(qs(connection_), false);
  auto rollback = [&](const QSqlError& error) {
    fail(error, result);
    StoreResult ignored;
    exec("ROLLBACK", ignored);
    return false;
  };
  std::int64_t id = 0;
  {
    QSqlQuery q(db);
    q.prepare(QStringLiteral(
        "INSERT INTO runs (started, finished, lesson, lesson_file, test, complete, tasks, seconds,"
        " keystrokes, errors, nominal_milli, real_milli, nominal_shown, real_shown)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    q.addBindValue(qs(isoDateTime(run.started)));
    q.addBindValue(qs(isoDateTime(run.finished)));
    q.addBindValue(run.lesson);
    q.addBindValue(qs(run.lessonFile));
    q.addBindValue(run.test ? 1 : 0);
    q.addBindValue(run.complete ? 1 : 0);
    q.addBindValue(run.tasks);
    q.addBindValue(run.seconds);
    q.addBindValue(run.keystrokes);
    q.addBindValue(run.errors);
    q.addBindValue(static_cast<qlonglong>(run.nominalMilli));
    q.addBindValue(static_cast<qlonglong>(run.realMilli));
    q.addBindValue(qs(run.nominalShown));
    q.addBindValue(qs(run.realShown));
    if (!q.exec()) return rollback(q.lastError());
    id = q.lastInsertId().toLongLong();
  }
  for (const auto& [expected, tally] : run.keys) {
    QSqlQuery q(db);
    q.prepare(QStringLiteral(
        "INSERT INTO key_stats (run_id, expected, presses, errors) VALUES (?, ?, ?, ?)"));
    q.addBindValue(static_cast<qlonglong>(id));
    q.addBindValue(qs(expected));
    q.addBindValue(tally.presses);
    q.addBindValue(tally.errors);
    if (!q.exec()) return rollback(q.lastError());
    for (const auto& [typed, count] : tally.typedInstead) {
      QSqlQuery t(db);
      t.prepare(QStringLiteral(
          "INSERT INTO key_typed (run_id, expected, typed, count) VALUES (?, ?, ?, ?)"));
      t.addBindValue(static_cast<qlonglong>(id));
      t.addBindValue(qs(expected));
      t.addBindValue(qs(typed));
      t.addBindValue(count);
      if (!t.exec()) return rollback(t.lastError());
    }
  }
  if (!exec("COMMIT", result)) {
    StoreResult ignored;
    exec("ROLLBACK", ignored);
    return false;
  }
  return true;
}

StoreResult SqliteHistoryStore::add(const RunRecord& run) {
  const Session session(*this);
  StoreResult result;
  result.path = path_.string();
  // A damaged file is put aside once and the run written to a fresh one.
  for (int attempt = 0; attempt < 2; ++attempt) {
    bool exists = false;
    if (ready(Use::Write, result, exists) && insert(run, result)) return result;
    if (result.fault != HistoryFault::Damaged || attempt == 1 || !setAside(result)) break;
  }
  return result;
}

bool SqliteHistoryStore::readRuns(int lesson, std::size_t limit, std::vector<RunRecord>& out,
                                  StoreResult& result) {
  const QSqlDatabase db = QSqlDatabase::database(qs(connection_), false);
  QSqlQuery q(db);
  q.prepare(QStringLiteral(
      "SELECT id, started, finished, lesson, lesson_file, test, complete, tasks, seconds,"
      " keystrokes, errors, nominal_milli, real_milli, nominal_shown, real_shown"
      " FROM runs WHERE lesson = ? ORDER BY id DESC LIMIT ?"));
  q.addBindValue(lesson);
  q.addBindValue(static_cast<qlonglong>(std::min<std::size_t>(limit, 1u << 30)));
  if (!q.exec()) return fail(q.lastError(), result);
  while (q.next()) {
    RunRecord run;
    run.id = q.value(0).toLongLong();
    parseIsoDateTime(str(q.value(1)), run.started);
    parseIsoDateTime(str(q.value(2)), run.finished);
    run.lesson = q.value(3).toInt();
    run.lessonFile = str(q.value(4));
    run.test = q.value(5).toInt() != 0;
    run.complete = q.value(6).toInt() != 0;
    run.tasks = q.value(7).toInt();
    run.seconds = q.value(8).toInt();
    run.keystrokes = q.value(9).toInt();
    run.errors = q.value(10).toInt();
    run.nominalMilli = q.value(11).toLongLong();
    run.realMilli = q.value(12).toLongLong();
    run.nominalShown = str(q.value(13));
    run.realShown = str(q.value(14));
    out.push_back(std::move(run));
  }
  if (q.lastError().isValid()) return fail(q.lastError(), result);
  std::reverse(out.begin(), out.end());
  for (RunRecord& run : out) {
    QSqlQuery k(db);
    k.prepare(QStringLiteral("SELECT expected, presses, errors FROM key_stats WHERE run_id = ?"));
    k.addBindValue(static_cast<qlonglong>(run.id));
    if (!k.exec()) return fail(k.lastError(), result);
    while (k.next()) {
      KeyTally& tally = run.keys[str(k.value(0))];
      tally.presses = k.value(1).toInt();
      tally.errors = k.value(2).toInt();
    }
    QSqlQuery t(db);
    t.prepare(QStringLiteral("SELECT expected, typed, count FROM key_typed WHERE run_id = ?"));
    t.addBindValue(static_cast<qlonglong>(run.id));
    if (!t.exec()) return fail(t.lastError(), result);
    while (t.next()) run.keys[str(t.value(0))].typedInstead[str(t.value(1))] = t.value(2).toInt();
  }
  return true;
}

StoreResult SqliteHistoryStore::runs(int lesson, std::size_t limit, std::vector<RunRecord>& out) {
  const Session session(*this);
  StoreResult result;
  result.path = path_.string();
  for (int attempt = 0; attempt < 2; ++attempt) {
    out.clear();
    bool exists = false;
    if (ready(Use::Read, result, exists) && (!exists || readRuns(lesson, limit, out, result))) {
      return result;
    }
    if (result.fault != HistoryFault::Damaged || attempt == 1 || !setAside(result)) break;
  }
  out.clear();
  return result;
}

StoreResult SqliteHistoryStore::summary(HistorySummary& out) {
  const Session session(*this);
  StoreResult result;
  result.path = path_.string();
  for (int attempt = 0; attempt < 2; ++attempt) {
    out = {};
    bool exists = false;
    if (ready(Use::Read, result, exists)) {
      if (!exists) return result;
      QSqlQuery q(QSqlDatabase::database(qs(connection_), false));
      bool ok = q.exec(QStringLiteral("SELECT lesson, count(*) FROM runs GROUP BY lesson"));
      while (ok && q.next()) {
        const int lesson = q.value(0).toInt();
        if (lesson >= 0 && lesson < kLessonCount) {
          out.runs[static_cast<std::size_t>(lesson)] = q.value(1).toInt();
        }
      }
      ok = ok && q.exec(QStringLiteral("SELECT lesson FROM runs ORDER BY id DESC LIMIT 1"));
      if (ok && q.next()) out.latestLesson = q.value(0).toInt();
      if (ok) return result;
      fail(q.lastError(), result);
    }
    if (result.fault != HistoryFault::Damaged || attempt == 1 || !setAside(result)) break;
  }
  out = {};
  return result;
}

}  // namespace pirvo3
