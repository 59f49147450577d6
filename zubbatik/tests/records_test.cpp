#include "persist/records.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <string>

#include "engine_fixture.h"

namespace zb::test {
namespace {

class RecordsTest : public EngineTest {
 protected:
  static void setRow(int row, const char* name, uint32_t score) {
    std::memset(recordTable.rows[row].name, 0, kRecordNameSize);
    std::memcpy(recordTable.rows[row].name, name, std::min<size_t>(std::strlen(name), 14));
    recordTable.rows[row].score = score;
  }
  static std::vector<uint32_t> scores() {
    std::vector<uint32_t> s;
    for (const RecordEntry& row : recordTable.rows) s.push_back(row.score);
    return s;
  }
  static std::vector<std::string> names() {
    std::vector<std::string> n;
    for (const RecordEntry& row : recordTable.rows) n.emplace_back(row.name);
    return n;
  }
  static void fillTable() {
    const char* who[] = {"Ann", "Bob", "Cid", "Dan", "Eve", "Fay", "Gus", "Hal", "Ida", "Jon"};
    for (int i = 0; i < 10; ++i) setRow(i, who[i], uint32_t(1000 - i * 100));
  }
  static uint16_t insert(const char* name, uint32_t score) {
    char buffer[kRecordNameSize] = {};
    std::memcpy(buffer, name, std::min<size_t>(std::strlen(name), 14));
    return InsertRecord(buffer, score);
  }
  // Saves the table as it is and empties it in memory.
  Bytes saveAndForget() {
    EXPECT_TRUE(SaveRecords());
    recordTable = RecordTable{};
    return readStateFile("Zubbatik.rdt");
  }
};

TEST_F(RecordsTest, FirstRunWithoutAFileGivesAnEmptyTable) {
  EXPECT_FALSE(LoadRecords());
  EXPECT_EQ(LowestScore(), 0u);
  EXPECT_EQ(insert("Kim", 1), 0);  // any positive score enters
}

TEST_F(RecordsTest, AnEqualScoreGoesBelowTheOlderResults) {
  setRow(0, "A", 90);
  setRow(1, "B", 70);
  setRow(2, "C", 50);
  setRow(3, "D", 50);
  setRow(4, "E", 30);
  EXPECT_EQ(insert("New", 50), 4);
  EXPECT_EQ(scores(), (std::vector<uint32_t>{90, 70, 50, 50, 50, 30, 0, 0, 0, 0}));
  EXPECT_EQ(names()[4], "New");
  EXPECT_EQ(names()[5], "E");
}

TEST_F(RecordsTest, AResultJustAboveTheLowestOfAFullTableReplacesOnlyTheLastRow) {
  fillTable();
  EXPECT_EQ(LowestScore(), 100u);
  EXPECT_EQ(insert("Kim", 101), 9);
  EXPECT_EQ(names()[9], "Kim");
  EXPECT_EQ(names()[8], "Ida");
  EXPECT_EQ(scores()[8], 200u);
}

TEST_F(RecordsTest, RefusedInsertionsChangeNothing) {
  fillTable();
  RecordTable before = recordTable;
  EXPECT_EQ(insert("", 5000), kNoRecord);
  EXPECT_EQ(insert("Kim", 0), kNoRecord);
  EXPECT_EQ(insert("Kim", 100), kNoRecord);  // equal to the lowest: does not beat it
  EXPECT_EQ(std::memcmp(&before.rows, &recordTable.rows, sizeof before.rows), 0);
}

TEST_F(RecordsTest, GetRecordCopiesOutARow) {
  fillTable();
  char name[kRecordNameSize];
  uint32_t score = 0;
  ASSERT_TRUE(GetRecord(9, name, score));
  EXPECT_STREQ(name, "Jon");
  EXPECT_EQ(score, 100u);
  EXPECT_FALSE(GetRecord(10, name, score));
}

TEST_F(RecordsTest, SavingAndLoadingGivesTheSameRows) {
  fillTable();
  setRow(3, "Fourteen chars", 700);
  RecordTable before = recordTable;
  Bytes file = saveAndForget();
  EXPECT_EQ(file.size(), kRecordsFileSize);
  ASSERT_TRUE(LoadRecords());
  EXPECT_EQ(std::memcmp(&before.rows, &recordTable.rows, sizeof before.rows), 0);
  ASSERT_TRUE(SaveRecords());
  EXPECT_EQ(readStateFile("Zubbatik.rdt"), file);
}

TEST_F(RecordsTest, TheFileIsScrambledWithARunningKeyIndex) {
  setRow(0, "Ann", 0x01020304);
  Bytes file = saveAndForget();
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 7), (Bytes{'R', 'D', 'T', 'v', '1', 10, 0}));
  EXPECT_EQ(file[7], 'A' ^ 'D');       // copy 1 of the name: key from index 0
  EXPECT_EQ(file[8], 'n' ^ 'u');
  EXPECT_EQ(file[7 + 17], 'A' ^ 'i');  // copy 2: key index 15 % 8 = 7
  // The score block of row 0 starts at 7 + 34 with key index 30 % 8 = 6.
  EXPECT_EQ(file[41], 0x04 ^ 'v');
  uint16_t sum = 0;
  for (int i = 0; i < 15; ++i) sum = uint16_t(sum + file[7 + i]);
  EXPECT_EQ(file[22] | (file[23] << 8), sum);
}

TEST_F(RecordsTest, AnEmptyTableStillWritesA467ByteFile) {
  Bytes file = saveAndForget();
  EXPECT_EQ(file.size(), 467u);
  ASSERT_TRUE(LoadRecords());
  EXPECT_EQ(LowestScore(), 0u);
}

TEST_F(RecordsTest, ADamagedFirstCopyIsReadFromTheSecond) {
  fillTable();
  Bytes file = saveAndForget();
  file[10] ^= 0x5A;  // inside copy 1 of row 0's name
  writeStateFile("Zubbatik.rdt", file);
  ASSERT_TRUE(LoadRecords());
  EXPECT_EQ(names()[0], "Ann");
  EXPECT_EQ(names()[1], "Bob");  // the key index stayed in step
  EXPECT_EQ(scores()[9], 100u);
}

TEST_F(RecordsTest, BothCopiesDamagedEmptyTheRowAndTheNextMovesUp) {
  fillTable();
  Bytes file = saveAndForget();
  const size_t row2 = 7 + 2 * 46;
  file[row2 + 1] ^= 1;       // copy 1 of row 2's name
  file[row2 + 17 + 1] ^= 1;  // copy 2
  writeStateFile("Zubbatik.rdt", file);
  ASSERT_TRUE(LoadRecords());
  EXPECT_EQ(names(), (std::vector<std::string>{"Ann", "Bob", "Dan", "Eve", "Fay", "Gus", "Hal",
                                               "Ida", "Jon", ""}));
  EXPECT_EQ(scores()[2], 700u);
  EXPECT_EQ(scores()[9], 0u);
}

TEST_F(RecordsTest, CompactionIsOnePassAndDoesNotSort) {
  setRow(2, "C", 50);
  setRow(3, "D", 80);
  Bytes file = saveAndForget();
  writeStateFile("Zubbatik.rdt", file);
  ASSERT_TRUE(LoadRecords());
  // Two empty rows on top: the pass closes only one of the gaps.
  EXPECT_EQ(scores(), (std::vector<uint32_t>{0, 50, 80, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(RecordsTest, FilesIgnoredCompletely) {
  fillTable();
  Bytes good = saveAndForget();
  struct Case {
    const char* name;
    size_t offset;
    uint8_t value;
  };
  for (Case c : {Case{"row count 9", 5, 9}, {"row count 11", 5, 11}, {"wrong magic", 4, '2'}}) {
    SCOPED_TRACE(c.name);
    Bytes file = good;
    file[c.offset] = c.value;
    writeStateFile("Zubbatik.rdt", file);
    fillTable();
    EXPECT_FALSE(LoadRecords());
    EXPECT_EQ(scores(), std::vector<uint32_t>(10, 0));
  }
}

TEST_F(RecordsTest, AFileCutShortEmptiesTheRowsItCannotRead) {
  fillTable();
  Bytes file = saveAndForget();
  // Cut inside copy 2 of row 3's score: its first copy is intact, but the
  // field still fails.
  file.resize(7 + 3 * 46 + 34 + 6 + 3);
  writeStateFile("Zubbatik.rdt", file);
  ASSERT_TRUE(LoadRecords());
  EXPECT_EQ(scores(), (std::vector<uint32_t>{1000, 900, 800, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(RecordsTest, UnterminatedNamesAreCutTo14Characters) {
  fillTable();
  std::memset(recordTable.rows[0].name, 'z', kRecordNameSize);
  Bytes file = saveAndForget();
  ASSERT_TRUE(LoadRecords());
  EXPECT_EQ(names()[0], std::string(14, 'z'));
}

TEST_F(RecordsTest, AFailedSaveLeavesTheOldFileInPlace) {
  fillTable();
  ASSERT_TRUE(SaveRecords());
  Bytes before = readStateFile("Zubbatik.rdt");
  insert("Kim", 5000);
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit tiny = old;
  tiny.rlim_cur = 100;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
  bool saved = SaveRecords();
  setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_FALSE(saved);
  EXPECT_EQ(readStateFile("Zubbatik.rdt"), before);
}

TEST_F(RecordsTest, AFifoInPlaceOfTheFileIsRefusedWithoutWaiting) {
  fillTable();
  ASSERT_EQ(::mkfifo((dir / "Zubbatik.rdt").c_str(), 0600), 0);
  ::alarm(10);
  EXPECT_FALSE(LoadRecords());
  ::alarm(0);
  EXPECT_EQ(scores(), std::vector<uint32_t>(10, 0));
}

TEST_F(RecordsTest, SavingThroughALinkWritesItsTargetWithItsPermissions) {
  writeStateFile("scores.rdt", Bytes{0});
  ASSERT_EQ(::chmod((dir / "scores.rdt").c_str(), 0640), 0);
  std::filesystem::create_symlink(dir / "scores.rdt", dir / "Zubbatik.rdt");
  fillTable();
  ASSERT_TRUE(SaveRecords());
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "Zubbatik.rdt"));
  struct stat info {};
  ASSERT_EQ(::stat((dir / "scores.rdt").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  recordTable = RecordTable{};
  ASSERT_TRUE(LoadRecords());
  EXPECT_EQ(scores()[0], 1000u);
}

}  // namespace
}  // namespace zb::test
