// The history file: what goes in comes out, older files are brought up to
// date, and faults (no folder, read-only, locked, damaged, newer) are
// reported without losing what was recorded.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <gtest/gtest.h>

#include "sqlite_history.h"

namespace pirvo3 {
namespace {

namespace fs = std::filesystem;

fs::path freshDir() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const fs::path dir = fs::path(::testing::TempDir()) /
                       (std::string("store_") + info->test_suite_name() + "_" + info->name());
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

RunRecord sampleRun(int lesson, int n) {
  RunRecord run;
  run.started = 1725267600 + 3600 * n;
  run.finished = run.started + 95;
  run.lesson = lesson;
  run.lessonFile = lessons()[static_cast<std::size_t>(lesson)].file;
  run.test = n % 2 == 1;
  run.complete = n % 3 != 2;
  run.tasks = 10 + n;
  run.seconds = 90;
  run.keystrokes = 300 + n;
  run.errors = 3;
  run.nominalMilli = 3344;
  run.realMilli = -5656;
  run.nominalShown = "3,344";
  run.realShown = "-5,656";
  run.keys = {{"л", {40, 2, {{"д", 1}, {"x", 1}}}},
              {" ", {12, 1, {{"море", 1}}}},
              {"о", {30, 0, {}}}};
  return run;
}

// A connection of its own to a database file, for setting up fixtures and
// looking behind the store's back.
class RawDb {
 public:
  explicit RawDb(const fs::path& file) : name_("raw-" + std::to_string(++counter_)) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), qs(name_));
    db.setDatabaseName(QString::fromStdString(file.string()));
    EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
  }
  ~RawDb() {
    QSqlDatabase::database(qs(name_), false).close();
    QSqlDatabase::removeDatabase(qs(name_));
  }
  void exec(const std::string& sql) {
    QSqlQuery q(QSqlDatabase::database(qs(name_), false));
    EXPECT_TRUE(q.exec(qs(sql))) << sql << ": " << q.lastError().text().toStdString();
  }
  std::string value(const std::string& sql) {
    QSqlQuery q(QSqlDatabase::database(qs(name_), false));
    if (!q.exec(qs(sql)) || !q.next()) return "error: " + q.lastError().text().toStdString();
    return q.value(0).toString().toStdString();
  }

 private:
  static QString qs(const std::string& s) { return QString::fromStdString(s); }
  static inline int counter_ = 0;
  std::string name_;
};

std::string readFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// Runs fn where permissions count: as root, in a child process that has
// become the unprivileged user "nobody"; otherwise directly.
std::string unprivileged(const std::function<std::string()>& fn) {
  if (::geteuid() != 0) return fn();
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return "no pipe";
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(pipeFds[0]);
    std::string out = ::setgid(65534) == 0 && ::setuid(65534) == 0 ? fn() : "cannot drop root";
    [[maybe_unused]] const auto written = ::write(pipeFds[1], out.data(), out.size());
    ::_exit(0);
  }
  ::close(pipeFds[1]);
  std::string out;
  char buffer[256];
  for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) out.append(buffer, static_cast<std::size_t>(n));
  ::close(pipeFds[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return out;
}

std::string describe(const StoreResult& r) {
  return std::string(r.ok ? "ok" : "failed") + " fault=" + std::to_string(static_cast<int>(r.fault));
}

TEST(Pirvo3Store, WhatGoesInComesOutByLessonOldestFirst) {
  const fs::path file = freshDir() / "deep" / "er" / "history.sqlite";
  SqliteHistoryStore store(file);
  std::vector<RunRecord> in = {sampleRun(1, 0), sampleRun(4, 1), sampleRun(1, 2), sampleRun(1, 3)};
  for (const RunRecord& run : in) ASSERT_TRUE(store.add(run).ok);
  EXPECT_TRUE(fs::exists(file));  // folders made as needed

  std::vector<RunRecord> out;
  ASSERT_TRUE(store.runs(1, 10, out).ok);
  ASSERT_EQ(out.size(), 3u);
  for (RunRecord& run : out) EXPECT_GT(run.id, 0);
  out[0].id = out[1].id = out[2].id = 0;
  EXPECT_EQ(out[0], in[0]);
  EXPECT_EQ(out[1], in[2]);
  EXPECT_EQ(out[2], in[3]);

  ASSERT_TRUE(store.runs(1, 2, out).ok);  // the latest two
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0].tasks, in[2].tasks);
  EXPECT_EQ(out[1].tasks, in[3].tasks);

  HistorySummary summary;
  ASSERT_TRUE(store.summary(summary).ok);
  EXPECT_EQ(summary.runs[1], 3);
  EXPECT_EQ(summary.runs[4], 1);
  EXPECT_EQ(summary.total(), 4);
  EXPECT_EQ(summary.latestLesson, 1);

  // A second copy of the program reads the same file.
  SqliteHistoryStore other(file);
  ASSERT_TRUE(other.runs(4, 10, out).ok);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].keys, in[1].keys);
  EXPECT_EQ(RawDb(file).value("PRAGMA user_version"),
            std::to_string(SqliteHistoryStore::kSchemaVersion));
}

TEST(Pirvo3Store, ReadingDoesNotCreateTheFile) {
  const fs::path file = freshDir() / "pirvo3" / "history.sqlite";
  SqliteHistoryStore store(file);
  std::vector<RunRecord> out;
  HistorySummary summary;
  EXPECT_TRUE(store.runs(0, 10, out).ok);
  EXPECT_TRUE(store.summary(summary).ok);
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(summary.latestLesson, -1);
  EXPECT_FALSE(fs::exists(file));
}

TEST(Pirvo3Store, ARunIsWrittenWhollyOrNotAtAll) {
  const fs::path file = freshDir() / "history.sqlite";
  SqliteHistoryStore store(file);
  ASSERT_TRUE(store.add(sampleRun(0, 0)).ok);
  RawDb(file).exec(
      "CREATE TRIGGER refuse BEFORE INSERT ON key_typed BEGIN SELECT RAISE(ABORT, 'refused'); END");
  const StoreResult result = store.add(sampleRun(0, 1));
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.fault, HistoryFault::Failed);
  EXPECT_NE(result.detail.find("refused"), std::string::npos);
  RawDb db(file);
  EXPECT_EQ(db.value("SELECT count(*) FROM runs"), "1");
  EXPECT_EQ(db.value("SELECT count(*) FROM key_stats"), "3");
}

// The first released layout of the history file, version 1.
constexpr const char* kVersion1[] = {
    "CREATE TABLE runs (id INTEGER PRIMARY KEY, finished TEXT NOT NULL, lesson INTEGER NOT NULL,"
    " test INTEGER NOT NULL, tasks INTEGER NOT NULL, seconds INTEGER NOT NULL,"
    " keystrokes INTEGER NOT NULL, errors INTEGER NOT NULL, nominal REAL NOT NULL,"
    " real REAL NOT NULL)",
    "CREATE TABLE key_errors (run_id INTEGER NOT NULL, expected TEXT NOT NULL,"
    " presses INTEGER NOT NULL, errors INTEGER NOT NULL, PRIMARY KEY (run_id, expected))",
    "INSERT INTO runs VALUES (1, '2024-05-06 10:02:00', 0, 0, 85, 120, 480, 2, 4.0, -2.0)",
    "INSERT INTO runs VALUES (2, '2024-05-07 11:00:30', 0, 1, 40, 30, 90, 1, 3.0, 0.0)",
    "INSERT INTO runs VALUES (3, '2024-05-08 12:00:00', 5, 0, 7, 20, 33, 0, 1.65, 1.65)",
    "INSERT INTO key_errors VALUES (1, 'ф', 50, 2)",
    "INSERT INTO key_errors VALUES (1, ' ', 30, 0)",
    "INSERT INTO key_errors VALUES (3, 'j', 10, 0)",
    "PRAGMA user_version = 1",
};

TEST(Pirvo3Store, AVersionOneFileIsBroughtUpToDate) {
  const fs::path file = freshDir() / "history.sqlite";
  {
    RawDb db(file);
    for (const char* sql : kVersion1) db.exec(sql);
  }
  SqliteHistoryStore store(file);
  std::vector<RunRecord> out;
  ASSERT_TRUE(store.runs(0, 10, out).ok);
  ASSERT_EQ(out.size(), 2u);
  const RunRecord& first = out[0];
  EXPECT_EQ(isoDateTime(first.finished), "2024-05-06 10:02:00");
  EXPECT_EQ(isoDateTime(first.started), "2024-05-06 10:00:00");  // 120 seconds before
  EXPECT_EQ(first.lessonFile, "1.txt");
  EXPECT_FALSE(first.test);
  EXPECT_TRUE(first.complete);
  EXPECT_EQ(first.tasks, 85);
  EXPECT_EQ(first.keystrokes, 480);
  EXPECT_EQ(first.nominalMilli, 4000);
  EXPECT_EQ(first.realMilli, -2000);
  EXPECT_EQ(first.realShown, "");  // the captions were not kept
  EXPECT_EQ(first.keys.at("ф"), (KeyTally{50, 2, {}}));
  EXPECT_EQ(first.keys.at(" "), (KeyTally{30, 0, {}}));
  EXPECT_TRUE(out[1].test);
  EXPECT_FALSE(out[1].complete);  // 40 tasks: closed midway
  ASSERT_TRUE(store.runs(5, 10, out).ok);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].nominalMilli, 1650);
  EXPECT_EQ(out[0].lessonFile, "2e.txt");

  // Up to date, and written to as any other.
  ASSERT_TRUE(store.add(sampleRun(0, 4)).ok);
  ASSERT_TRUE(store.runs(0, 10, out).ok);
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[2].keys.at("л").typedInstead.at("x"), 1);
  RawDb db(file);
  EXPECT_EQ(db.value("PRAGMA user_version"), "2");
  EXPECT_EQ(db.value("SELECT count(*) FROM sqlite_master WHERE name = 'key_errors'"), "0");
}

TEST(Pirvo3Store, AFileOfANewerVersionIsLeftAlone) {
  const fs::path file = freshDir() / "history.sqlite";
  {
    RawDb db(file);
    db.exec("CREATE TABLE runs (id INTEGER PRIMARY KEY, whatever TEXT)");
    db.exec("INSERT INTO runs VALUES (1, 'kept')");
    db.exec("PRAGMA user_version = 9");
  }
  const std::string before = readFile(file);
  SqliteHistoryStore store(file);
  const StoreResult result = store.add(sampleRun(0, 0));
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.fault, HistoryFault::Newer);
  EXPECT_TRUE(result.setAside.empty());
  EXPECT_EQ(readFile(file), before);
}

TEST(Pirvo3Store, ADamagedFileIsPutAsideAndAFreshHistoryBegins) {
  const struct {
    const char* what;
    std::function<void(const fs::path&)> damage;
  } cases[] = {
      {"not a database", [](const fs::path& f) { std::ofstream(f, std::ios::binary) << std::string(3000, 'x'); }},
      {"pages overwritten",
       [](const fs::path& f) {
         {
           SqliteHistoryStore store(f);
           for (int i = 0; i < 40; ++i) ASSERT_TRUE(store.add(sampleRun(0, i)).ok);
         }
         std::fstream io(f, std::ios::binary | std::ios::in | std::ios::out);
         io.seekp(4096);
         io << std::string(8192, '\x5a');
       }},
      {"tables of another program",
       [](const fs::path& f) { RawDb(f).exec("CREATE TABLE songs (title TEXT)"); }},
  };
  for (const auto& c : cases) {
    const fs::path dir = freshDir();
    const fs::path file = dir / "history.sqlite";
    c.damage(file);
    const std::string damaged = readFile(file);
    std::int64_t clock = 1725267600;  // 2024-09-02 09:00:00
    SqliteHistoryStore store(file, 200, [&clock] { return clock; });
    const StoreResult result = store.add(sampleRun(2, 0));
    EXPECT_TRUE(result.ok) << c.what << ": " << describe(result) << " " << result.detail;
    EXPECT_EQ(result.setAside, "history.sqlite.damaged-20240902-090000") << c.what;
    EXPECT_EQ(readFile(dir / result.setAside), damaged) << c.what;
    std::vector<RunRecord> out;
    EXPECT_TRUE(store.runs(2, 10, out).ok) << c.what;
    EXPECT_EQ(out.size(), 1u) << c.what;

    // Damaged again within the same second: the first one stays.
    store.runs(2, 10, out);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << "garbage, again";
    SqliteHistoryStore again(file, 200, [&clock] { return clock; });
    EXPECT_EQ(again.add(sampleRun(2, 1)).setAside, "history.sqlite.damaged-20240902-090000-2")
        << c.what;
    EXPECT_EQ(readFile(dir / result.setAside), damaged) << c.what;
  }
}

TEST(Pirvo3Store, AFileHeldByAnotherCopyIsGivenUpAfterTheBusyTimeout) {
  const fs::path file = freshDir() / "history.sqlite";
  SqliteHistoryStore store(file, 150);
  ASSERT_TRUE(store.add(sampleRun(0, 0)).ok);
  {
    RawDb other(file);
    other.exec("BEGIN EXCLUSIVE");
    const auto start = std::chrono::steady_clock::now();
    const StoreResult result = store.add(sampleRun(0, 1));
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.fault, HistoryFault::Locked);
    EXPECT_GE(waited, std::chrono::milliseconds(140));
    EXPECT_LT(waited, std::chrono::seconds(5));
    std::vector<RunRecord> out;
    EXPECT_EQ(store.runs(0, 10, out).fault, HistoryFault::Locked);
    other.exec("COMMIT");
  }
  EXPECT_TRUE(store.add(sampleRun(0, 2)).ok);
  std::vector<RunRecord> out;
  ASSERT_TRUE(store.runs(0, 10, out).ok);
  EXPECT_EQ(out.size(), 2u);
}

TEST(Pirvo3Store, AReadOnlyFileOrFolderKeepsWhatItHas) {
  const fs::path dir = freshDir();
  const fs::path file = dir / "history.sqlite";
  {
    SqliteHistoryStore store(file);
    ASSERT_TRUE(store.add(sampleRun(3, 0)).ok);
  }
  const std::string before = readFile(file);
  // The folder writable by everybody, the file by nobody.
  fs::permissions(dir, fs::perms::all);
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const auto attempt = [&] {
    SqliteHistoryStore store(file);
    const StoreResult write = store.add(sampleRun(3, 1));
    std::vector<RunRecord> out;
    const StoreResult read = store.runs(3, 10, out);
    return describe(write) + " / " + describe(read) + " runs=" + std::to_string(out.size());
  };
  const std::string readOnly = "failed fault=" + std::to_string(static_cast<int>(HistoryFault::ReadOnly)) +
                               " / ok fault=0 runs=1";
  EXPECT_EQ(unprivileged(attempt), readOnly);

  // A writable file in a folder that is not: no journal can be made beside it.
  fs::permissions(file, fs::perms::all);
  fs::permissions(dir, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                           fs::perms::others_read | fs::perms::others_exec);
  EXPECT_EQ(unprivileged(attempt), readOnly);
  EXPECT_EQ(readFile(file), before);

  // No history yet, in a folder that cannot take one.
  const fs::path fresh = dir / "sub";
  fs::create_directories(fresh);
  fs::permissions(fresh, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
  const std::string created = unprivileged([&] {
    SqliteHistoryStore store(fresh / "pirvo3" / "history.sqlite");
    return describe(store.add(sampleRun(0, 0)));
  });
  EXPECT_EQ(created, "failed fault=" + std::to_string(static_cast<int>(HistoryFault::ReadOnly)));
  fs::permissions(dir, fs::perms::all);
}

TEST(Pirvo3Store, AFileMadeReadOnlyWhileTheProgramRunsIsFoundSo) {
  const fs::path dir = freshDir();
  fs::permissions(dir, fs::perms::all);
  const std::string outcome = unprivileged([&] {
    const fs::path file = dir / "history.sqlite";
    SqliteHistoryStore store(file);
    const std::string first = describe(store.add(sampleRun(0, 0)));
    fs::permissions(file, fs::perms::owner_read);
    const std::string second = describe(store.add(sampleRun(0, 1)));
    std::vector<RunRecord> out;
    const std::string read = describe(store.runs(0, 10, out));
    return first + " / " + second + " / " + read + " runs=" + std::to_string(out.size());
  });
  EXPECT_EQ(outcome, "ok fault=0 / failed fault=" +
                         std::to_string(static_cast<int>(HistoryFault::ReadOnly)) +
                         " / ok fault=0 runs=1");
}

TEST(Pirvo3Store, AFolderThatCannotBeMadeIsReported) {
  const fs::path dir = freshDir();
  std::ofstream(dir / "file") << "not a folder";
  SqliteHistoryStore store(dir / "file" / "pirvo3" / "history.sqlite");
  const StoreResult result = store.add(sampleRun(0, 0));
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.fault, HistoryFault::CannotOpen);
  EXPECT_EQ(result.path, (dir / "file" / "pirvo3" / "history.sqlite").string());
  EXPECT_FALSE(result.detail.empty());
  EXPECT_NE(recordFailureText(result).find(result.path), std::string::npos);
}

TEST(Pirvo3Store, TheFileLivesInTheUsersDataFolder) {
  const auto saved = [](const char* name) {
    const char* v = std::getenv(name);
    return v ? std::optional<std::string>(v) : std::nullopt;
  };
  const auto home = saved("HOME");
  const auto data = saved("XDG_DATA_HOME");
  const struct {
    const char* home;
    const char* data;
    const char* path;
  } cases[] = {
      {"/home/pupil", "/tmp/data", "/tmp/data/pirvo3/history.sqlite"},
      {"/home/pupil", nullptr, "/home/pupil/.local/share/pirvo3/history.sqlite"},
      {"/home/pupil", "relative/data", "/home/pupil/.local/share/pirvo3/history.sqlite"},
      {"/home/pupil", "", "/home/pupil/.local/share/pirvo3/history.sqlite"},
      {nullptr, nullptr, ""},
  };
  for (const auto& c : cases) {
    c.home ? ::setenv("HOME", c.home, 1) : ::unsetenv("HOME");
    c.data ? ::setenv("XDG_DATA_HOME", c.data, 1) : ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(SqliteHistoryStore::defaultPath().string(), c.path);
  }
  home ? ::setenv("HOME", home->c_str(), 1) : ::unsetenv("HOME");
  data ? ::setenv("XDG_DATA_HOME", data->c_str(), 1) : ::unsetenv("XDG_DATA_HOME");
  const StoreResult result = SqliteHistoryStore({}).add(sampleRun(0, 0));
  EXPECT_EQ(result.fault, HistoryFault::CannotOpen);
}

}  // namespace
}  // namespace pirvo3

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
